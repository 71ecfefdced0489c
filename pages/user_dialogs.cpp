#include "pages/user_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace vorelin {

void DesktopDialogs::ShowMessage(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, m_title, text, QMessageBox::Ok, parent);
    box.exec();
}

void DesktopDialogs::Beep() { QApplication::beep(); }

QString DesktopDialogs::AskSaveFileName(QWidget* parent, const QString& title, const QString& filter) {
    // QFileDialog asks before it lets an existing file be overwritten.
    return QFileDialog::getSaveFileName(parent, title, QString(), filter);
}

bool DesktopDialogs::AskPrinter(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace vorelin
