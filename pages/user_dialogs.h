#pragma once

#include <QString>
#include <QStringList>

#include <utility>

class QPrinter;
class QWidget;

namespace vorelin {

// Everything a page asks the user in a modal dialog goes through here, so that tests can answer
// without a dialog ever blocking them.
class UserDialogs {
public:
    virtual ~UserDialogs() = default;

    // A modal message box with one OK button, titled with the program's name.
    virtual void ShowMessage(QWidget* parent, const QString& text) = 0;
    // The system beep that precedes the last-session write failure.
    virtual void Beep() = 0;
    // A save dialog with overwrite confirmation; an empty name when the user cancels. A name typed
    // without an extension gets `defaultSuffix`.
    virtual QString AskSaveFileName(QWidget* parent, const QString& title, const QString& filter,
                                    const QString& defaultSuffix) = 0;
    // A save dialog offering several types of file, with overwrite confirmation. The chosen name
    // (empty when the user cancels) and the index of the type chosen; a name typed without an
    // extension gets the type's.
    struct SaveChoice {
        QString fileName;
        int type = 0;
    };
    virtual SaveChoice AskSaveAs(QWidget* parent, const QString& title, const QStringList& types) = 0;
    // The type a save dialog's answer means: the one whose extension the typed name ends in
    // ("chart.svg" under the PNG filter is an SVG drawing), else the filter chosen.
    static int SaveTypeOf(const QString& fileName, const QStringList& types, int chosen);
    // An open dialog for an existing file; an empty name when the user cancels.
    virtual QString AskOpenFileName(QWidget* parent, const QString& title, const QString& filter) = 0;
    // An open dialog for one or more existing files; none when the user cancels. Dialogs that can
    // pick only one file give that one.
    virtual QStringList AskOpenFileNames(QWidget* parent, const QString& title, const QString& filter) {
        const QString one = AskOpenFileName(parent, title, filter);
        return one.isEmpty() ? QStringList() : QStringList{one};
    }
    // Whether an existing file may be replaced (Yes or No).
    virtual bool AskOverwrite(QWidget* parent, const QString& fileName) = 0;
    // A question with two answers, `yes` the default: true when the user takes it.
    virtual bool AskYesNo(QWidget* /*parent*/, const QString& /*question*/, const QString& /*yes*/,
                          const QString& /*no*/) {
        return false;
    }
    // One of `choices` picked from a list under `question`: its index, or -1 when the user cancels.
    virtual int AskChoice(QWidget* parent, const QString& question, const QStringList& choices) = 0;
    // The platform's print dialog; false when the user cancels.
    virtual bool AskPrinter(QWidget* parent, QPrinter& printer) = 0;
};

// The real dialogs of the desktop; message boxes carry `title`, the program's name.
class DesktopDialogs final : public UserDialogs {
public:
    explicit DesktopDialogs(QString title) : m_title(std::move(title)) {}
    void ShowMessage(QWidget* parent, const QString& text) override;
    void Beep() override;
    QString AskSaveFileName(QWidget* parent, const QString& title, const QString& filter,
                            const QString& defaultSuffix) override;
    SaveChoice AskSaveAs(QWidget* parent, const QString& title, const QStringList& types) override;
    QString AskOpenFileName(QWidget* parent, const QString& title, const QString& filter) override;
    QStringList AskOpenFileNames(QWidget* parent, const QString& title, const QString& filter) override;
    bool AskOverwrite(QWidget* parent, const QString& fileName) override;
    bool AskYesNo(QWidget* parent, const QString& question, const QString& yes, const QString& no) override;
    int AskChoice(QWidget* parent, const QString& question, const QStringList& choices) override;
    bool AskPrinter(QWidget* parent, QPrinter& printer) override;

private:
    QString m_title;
};

} // namespace vorelin
