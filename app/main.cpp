// vorelin: the desktop program. It opens on the opening page; the pages lead from there.
#include "files/file_io.h"
#include "pages/program.h"
#include "pages/user_dialogs.h"
#include "render/font_substitutes.h"
#include "render/program_icon.h"
#include "render/vector_state.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char* argv[]) {
    vorelin::IgnoreFileSizeSignal();
    QApplication application(argc, argv);
    vorelin::ClearUpperVectorState();
    QApplication::setApplicationName(QStringLiteral("Vorelin"));
    // Wayland compositors find the window's icon and name through the desktop entry of this name.
    QApplication::setDesktopFileName(QStringLiteral(VORELIN_APP_ID));
    // Fusion draws buttons and boxes in the colours their palettes give them.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    vorelin::SubstituteClassicFonts();
    QApplication::setWindowIcon(vorelin::ProgramIcon());

    vorelin::DesktopDialogs dialogs(QStringLiteral("Vorelin"));
    vorelin::Program program(dialogs);
    program.Start();
    return QApplication::exec();
}
