#pragma once

#include <QGuiApplication>

#include <array>
#include <memory>

namespace vorelin {

// Fonts need a QGuiApplication. A program without one (the command-line calculator) gets one for
// as long as this lives, on the offscreen platform unless QT_QPA_PLATFORM names another: it is
// for programs that open no window. Where an application exists already, this does nothing.
class GuiForFonts {
public:
    GuiForFonts();
    ~GuiForFonts();
    GuiForFonts(const GuiForFonts&) = delete;
    GuiForFonts& operator=(const GuiForFonts&) = delete;

private:
    std::array<char, 8> m_name{"vorelin"};
    std::array<char, 10> m_platformOption{"-platform"};
    std::array<char, 10> m_offscreen{"offscreen"};
    std::array<char*, 4> m_argv{m_name.data(), m_platformOption.data(), m_offscreen.data(), nullptr};
    int m_argc = 1; // 3 with the platform option
    std::unique_ptr<QGuiApplication> m_app;
};

} // namespace vorelin
