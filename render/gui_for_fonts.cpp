#include "render/gui_for_fonts.h"

#include "render/font_substitutes.h"
#include "render/vector_state.h"

namespace vorelin {

GuiForFonts::GuiForFonts() {
    if (QCoreApplication::instance() != nullptr) return;
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    const bool noDisplay = qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
                           qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (noDisplay) m_argc = 3;
#endif
    m_app = std::make_unique<QGuiApplication>(m_argc, m_argv.data());
    SubstituteClassicFonts();
    ClearUpperVectorState();
}

GuiForFonts::~GuiForFonts() = default;

} // namespace vorelin
