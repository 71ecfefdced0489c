#include "page_test_support.h"

#include "pages/page_window.h"
#include "pages/program.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace vorelin::test {

void ClickPage(PageWindow& page, double x, double y) {
    const QPointF at = page.Mapping().Point(static_cast<float>(x), static_cast<float>(y));
    QTest::mouseClick(&page, Qt::LeftButton, Qt::NoModifier, at.toPoint());
}

TestProgram::TestProgram(const Entries& entries) {
    QDir::setCurrent(folder.path());
    program = std::make_unique<Program>(dialogs, entries);
}

TestProgram::~TestProgram() {
    program.reset();
    QDir::setCurrent(previousFolder);
}

QByteArray TestProgram::Read(const QString& name) const {
    QFile file(Path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestProgram::Write(const QString& name, const QByteArray& bytes) const {
    QFile file(Path(name));
    if (file.open(QIODevice::WriteOnly)) file.write(bytes);
}

void TestProgram::Click(QWidget& page, const char* name) {
    auto* button = Find<QAbstractButton>(page, name);
    QVERIFY2(button != nullptr && button->isVisible(), name);
    QTest::mouseClick(button, Qt::LeftButton);
}

void TestProgram::Type(QWidget& page, const char* name, const QString& text) {
    auto* box = Find<QLineEdit>(page, name);
    QVERIFY2(box != nullptr && box->isVisible(), name);
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
}

QString TestProgram::Text(QWidget& page, const char* name) { return Find<QLineEdit>(page, name)->text(); }

} // namespace vorelin::test
