#pragma once

#include "core/session.h"
#include "graphics/display_list.h"
#include "pages/user_dialogs.h"

#include <QDir>
#include <QPrinter>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>

#include <bit>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace vorelin {
class PageWindow;
class Program;
} // namespace vorelin

namespace vorelin::test {

// Clicks a page with the left button at a point given in page units, as the mouse would.
void ClickPage(PageWindow& page, double x, double y);

// The bits of a float, so that a comparison is exact (QCOMPARE compares floats fuzzily).
inline std::uint32_t Bits(float value) { return std::bit_cast<std::uint32_t>(value); }

// A control of a page, found by its name on the page ("txtFrequency", "cmdExit").
template <class Control> Control* Find(QWidget& page, const char* name) {
    return page.findChild<Control*>(QString::fromLatin1(name));
}

// Dialogs that never block: messages are recorded, and the answers are set by the test.
class FakeDialogs final : public UserDialogs {
public:
    void ShowMessage(QWidget* /*parent*/, const QString& text) override { messages << text; }
    void Beep() override { ++beeps; }
    QString AskSaveFileName(QWidget* /*parent*/, const QString& title, const QString& filter,
                            const QString& defaultSuffix) override {
        saveTitles << title;
        saveFilters << filter;
        saveSuffixes << defaultSuffix;
        return saveAnswer;
    }
    QString AskOpenFileName(QWidget* /*parent*/, const QString& title, const QString& /*filter*/) override {
        openTitles << title;
        return openAnswer;
    }
    bool AskOverwrite(QWidget* /*parent*/, const QString& fileName) override {
        overwriteQuestions << fileName;
        return overwriteAnswer;
    }
    int AskChoice(QWidget* /*parent*/, const QString& question, const QStringList& choices) override {
        choiceQuestions << question;
        offeredChoices = choices;
        return choiceAnswer;
    }
    bool AskPrinter(QWidget* /*parent*/, QPrinter& printer) override {
        ++printerQuestions;
        if (configurePrinter) configurePrinter(printer);
        return printerAnswer;
    }

    QStringList messages;
    int beeps = 0;
    QStringList saveTitles, saveFilters, saveSuffixes;
    QString saveAnswer;
    QStringList openTitles;
    QString openAnswer;
    QStringList overwriteQuestions;
    bool overwriteAnswer = false;
    QStringList choiceQuestions, offeredChoices;
    int choiceAnswer = -1;
    int printerQuestions = 0;
    bool printerAnswer = false;
    std::function<void(QPrinter&)> configurePrinter;
};

// Runs a test in a fresh empty working folder: the program's files live in the working folder.
class WorkingFolder {
public:
    WorkingFolder() : m_previous(QDir::currentPath()) { QDir::setCurrent(m_folder.path()); }
    ~WorkingFolder() { QDir::setCurrent(m_previous); }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

    QString Path() const { return m_folder.path(); }
    QByteArray Read(const QString& name) const;
    void Write(const QString& name, const QByteArray& bytes) const;

private:
    QTemporaryDir m_folder;
    QString m_previous;
};

// The program in a fresh empty working folder, with dialogs the test answers.
struct TestProgram {
    WorkingFolder folder;
    Session session;
    FakeDialogs dialogs;
    std::unique_ptr<Program> program;

    // A fresh session, as main() begins.
    TestProgram();
    // Start-up has run on these entries, as if the last-session file had held them.
    explicit TestProgram(const Session& entries);
    ~TestProgram();
    TestProgram(const TestProgram&) = delete;
    TestProgram& operator=(const TestProgram&) = delete;

    // Clicks a button of a page with the mouse; a missing or hidden button fails the test.
    void Click(QWidget& page, const char* name);
    // The text of a label or a box of a page.
    QString Text(QWidget& page, const char* name);
};

// The circles of a colour and radius on a page, in drawing order.
std::vector<Primitive> CirclesOf(const DisplayList& list, Colour colour, float radius);

} // namespace vorelin::test
