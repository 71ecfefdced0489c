#include "render/font_substitutes.h"

#include <QFont>
#include <QString>
#include <QStringList>

namespace vorelin {

void SubstituteClassicFonts() {
    // Liberation Sans and Serif share the advance widths of Arial and Times New Roman; MS Sans
    // Serif was a bitmap face of much the same widths as Arial.
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               QStringList{QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
}

} // namespace vorelin
