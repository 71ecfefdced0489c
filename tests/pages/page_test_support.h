#pragma once

#include "core/entries.h"
#include "graphics/display_list.h"
#include "pages/user_dialogs.h"

#include <QDir>
#include <QPrinter>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>

#include <functional>
#include <memory>

namespace vorelin {
class PageWindow;
class Program;
} // namespace vorelin

namespace vorelin::test {

// Clicks a page with the left button at a point given in page units, as the mouse would.
void ClickPage(PageWindow& page, double x, double y);

// A control of a page, found by its name on the page ("frequencyBox", "exitButton").
template <class Control> Control* Find(QWidget& page, const char* name) {
    return page.findChild<Control*>(QString::fromLatin1(name));
}

// Dialogs that never block: messages are recorded, and the answers are set by the test.
class FakeDialogs final : public UserDialogs {
public:
    void ShowMessage(QWidget*, const QString& text) override { messages << text; }
    void Beep() override { ++beeps; }
    QString AskSaveFileName(QWidget*, const QString& title, const QString& filter, const QString&) override {
        questions << title + " " + filter;
        return saveAnswer;
    }
    SaveChoice AskSaveAs(QWidget*, const QString& title, const QStringList& types) override {
        questions << title + " " + types.join(QStringLiteral("; "));
        return {saveAnswer, saveType};
    }
    bool AskOverwrite(QWidget*, const QString& fileName) override {
        questions << QStringLiteral("replace ") + fileName;
        return overwriteAnswer;
    }
    bool AskYesNo(QWidget*, const QString& question, const QString& yes, const QString& no) override {
        questions << question + " " + yes + " / " + no;
        return yesNoAnswer;
    }
    QString AskOpenFileName(QWidget*, const QString& title, const QString&) override {
        questions << QStringLiteral("open ") + title;
        return openAnswer;
    }
    int AskChoice(QWidget*, const QString& question, const QStringList& choices) override {
        questions << question + " " + choices.join(QStringLiteral("; "));
        return choiceAnswer;
    }
    bool AskPrinter(QWidget*, QPrinter& printer) override {
        questions << QStringLiteral("printer");
        if (configurePrinter) configurePrinter(printer);
        return printerAnswer;
    }

    QStringList messages, questions;
    int beeps = 0;
    QString saveAnswer;
    int saveType = 0;
    bool overwriteAnswer = false;
    bool yesNoAnswer = false;
    QString openAnswer;
    int choiceAnswer = -1;
    bool printerAnswer = false;
    std::function<void(QPrinter&)> configurePrinter;
};

// The program in a fresh empty working folder (where it keeps its files), with dialogs the test
// answers and the entries as if the last-session file had held them.
struct TestProgram {
    QTemporaryDir folder;
    QString previousFolder = QDir::currentPath();
    FakeDialogs dialogs;
    std::unique_ptr<Program> program;

    explicit TestProgram(const Entries& entries = {});
    ~TestProgram();
    TestProgram(const TestProgram&) = delete;
    TestProgram& operator=(const TestProgram&) = delete;

    QString Path(const QString& name) const { return folder.filePath(name); }
    QByteArray Read(const QString& name) const;
    void Write(const QString& name, const QByteArray& bytes) const;
    // Clicks a button of a page with the mouse; a missing or hidden button fails the test.
    void Click(QWidget& page, const char* name);
    // Types into a box of a page as the keyboard would, replacing what it held.
    void Type(QWidget& page, const char* name, const QString& text);
    // The text of a box of a page.
    QString Text(QWidget& page, const char* name);
};

} // namespace vorelin::test
