#include "pages/user_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace vorelin {

void DesktopDialogs::ShowMessage(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, m_title, text, QMessageBox::Ok, parent);
    box.exec();
}

void DesktopDialogs::Beep() { QApplication::beep(); }

QString DesktopDialogs::AskSaveFileName(QWidget* parent, const QString& title, const QString& filter,
                                        const QString& defaultSuffix) {
    QFileDialog dialog(parent, title, QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    // The dialog asks before it lets an existing file be overwritten.
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

namespace {

// "PNG picture of the page (*.png)" -> "png".
QString SuffixOf(const QString& type) {
    const auto star = type.indexOf(QStringLiteral("*."));
    return star < 0 ? QString()
                    : type.mid(star + 2).section(QLatin1Char(')'), 0, 0).section(QLatin1Char(' '), 0, 0);
}

} // namespace

UserDialogs::SaveChoice DesktopDialogs::AskSaveAs(QWidget* parent, const QString& title,
                                                  const QStringList& types) {
    QFileDialog dialog(parent, title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(types);
    dialog.setDefaultSuffix(SuffixOf(types.value(0)));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& type) { dialog.setDefaultSuffix(SuffixOf(type)); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    const QString fileName = dialog.selectedFiles().front();
    return {fileName,
            SaveTypeOf(fileName, types, static_cast<int>(types.indexOf(dialog.selectedNameFilter())))};
}

int UserDialogs::SaveTypeOf(const QString& fileName, const QStringList& types, int chosen) {
    const QString suffix = QFileInfo(fileName).suffix();
    for (qsizetype i = 0; i < types.size(); ++i) {
        if (!suffix.isEmpty() && suffix.compare(SuffixOf(types[i]), Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    }
    return chosen;
}

QString DesktopDialogs::AskOpenFileName(QWidget* parent, const QString& title, const QString& filter) {
    QFileDialog dialog(parent, title, QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

QStringList DesktopDialogs::AskOpenFileNames(QWidget* parent, const QString& title, const QString& filter) {
    QFileDialog dialog(parent, title, QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.selectedFiles();
}

int DesktopDialogs::AskChoice(QWidget* parent, const QString& question, const QStringList& choices) {
    bool picked = false;
    const QString choice = QInputDialog::getItem(parent, m_title, question, choices, 0, false, &picked);
    return picked ? static_cast<int>(choices.indexOf(choice)) : -1;
}

bool DesktopDialogs::AskOverwrite(QWidget* parent, const QString& fileName) {
    QMessageBox box(QMessageBox::Question, m_title,
                    QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(fileName),
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

bool DesktopDialogs::AskYesNo(QWidget* parent, const QString& question, const QString& yes,
                              const QString& no) {
    QMessageBox box(QMessageBox::Question, m_title, question, QMessageBox::NoButton, parent);
    QPushButton* yesButton = box.addButton(yes, QMessageBox::AcceptRole);
    box.addButton(no, QMessageBox::RejectRole);
    box.setDefaultButton(yesButton);
    box.exec();
    return box.clickedButton() == yesButton;
}

bool DesktopDialogs::AskPrinter(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace vorelin
