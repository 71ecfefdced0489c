#include "render/gui_for_fonts.h"

#include "render/font_substitutes.h"
#include "render/vector_state.h"

namespace vorelin {

GuiForFonts::GuiForFonts() {
    if (QCoreApplication::instance() != nullptr) return;
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    // Whoever makes one of these opens no window, so a display is never needed: a DISPLAY that
    // is set but cannot be reached would otherwise abort the program. A platform chosen by the
    // user still counts (the option would override it).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) m_argc = 3;
#endif
    m_app = std::make_unique<QGuiApplication>(m_argc, m_argv.data());
    SubstituteClassicFonts();
    ClearUpperVectorState();
}

GuiForFonts::~GuiForFonts() = default;

} // namespace vorelin
