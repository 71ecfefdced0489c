// vorelin: the desktop program. It opens on the opening page; the pages lead from there.
#include "core/session.h"
#include "pages/font_substitutes.h"
#include "pages/program.h"
#include "pages/program_icon.h"
#include "pages/user_dialogs.h"
#include "pages/vector_state.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    vorelin::ClearUpperVectorState();
    QApplication::setApplicationName(QStringLiteral("Vorelin"));
    QApplication::setDesktopFileName(QStringLiteral("vorelin"));
    // Fusion draws buttons and boxes in the colours their palettes give them.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    vorelin::SubstituteClassicFonts();
    QApplication::setWindowIcon(vorelin::ProgramIcon());

    vorelin::Session session;
    vorelin::DesktopDialogs dialogs(QStringLiteral("Vorelin"));
    vorelin::Program program(session, dialogs);
    program.Start();
    return QApplication::exec();
}
