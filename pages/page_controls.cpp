#include "pages/page_controls.h"

#include "core/decimal_number.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace vorelin {

QColor ToColor(Colour colour) { return {RedOf(colour), GreenOf(colour), BlueOf(colour)}; }

QLabel* MakeLabel(QWidget* page, const char* name, const QString& caption, const LabelLook& look) {
    auto* label = new QLabel(caption, page);
    label->setObjectName(QString::fromLatin1(name));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, ToColor(look.text));
    if (look.background) {
        palette.setColor(QPalette::Window, ToColor(*look.background));
        label->setAutoFillBackground(true);
    }
    label->setPalette(palette);
    label->setAlignment(look.alignment);
    label->setWordWrap(look.wrap);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QPushButton* MakeButton(QWidget* page, const char* name, const QString& caption, Colour background) {
    auto* button = new QPushButton(caption, page);
    button->setObjectName(QString::fromLatin1(name));
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, ToColor(background));
    button->setPalette(palette);
    // Enter presses a button that has the keyboard, as the space bar does.
    button->setAutoDefault(true);
    return button;
}

QLineEdit* MakeTextBox(QWidget* page, const char* name, Colour background) {
    auto* box = new QLineEdit(page);
    box->setObjectName(QString::fromLatin1(name));
    // The value parser reads the first 12 characters; a box that held thousands would make every
    // keystroke lay them all out again.
    box->setMaxLength(kLongestBoxText);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, ToColor(background));
    box->setPalette(palette);
    return box;
}

UpDown::UpDown(QWidget* page, const char* name, QLineEdit& buddy, int minimum, int maximum)
    : QWidget(page), m_buddy(buddy), m_minimum(minimum), m_maximum(maximum) {
    setObjectName(QString::fromLatin1(name));
    setFocusPolicy(Qt::StrongFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (const int direction : {+1, -1}) {
        auto* arrow = new QToolButton(this);
        arrow->setObjectName(direction > 0 ? QStringLiteral("up") : QStringLiteral("down"));
        arrow->setArrowType(direction > 0 ? Qt::UpArrow : Qt::DownArrow);
        arrow->setAutoRepeat(true);
        arrow->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        arrow->setFocusPolicy(Qt::NoFocus);
        connect(arrow, &QToolButton::clicked, this, [this, direction] { Step(direction); });
        layout->addWidget(arrow);
    }
}

void UpDown::Step(int direction) {
    // The spinner's value is what its buddy shows, read as a whole number (the program's one
    // number scanner reads it; a box without a number starts from the lowest value).
    const std::string text = m_buddy.text().trimmed().toStdString();
    const DecimalPrefix shown = ScanDecimalPrefix(text, Exponent::NotAllowed);
    const int current = shown.length > 0 && shown.length == text.size() && !shown.overflow
                            ? static_cast<int>(std::lround(std::clamp(shown.value, -1e6, 1e6)))
                            : m_minimum;
    const int next = std::clamp(current + direction, m_minimum, m_maximum);
    m_buddy.setText(QString::number(next));
    if (m_changed) m_changed();
}

void UpDown::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up) {
        Step(+1);
    } else if (event->key() == Qt::Key_Down) {
        Step(-1);
    } else {
        QWidget::keyPressEvent(event);
    }
}

} // namespace vorelin
