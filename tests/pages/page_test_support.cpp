#include "page_test_support.h"

#include "files/start_up.h"
#include "pages/page_window.h"
#include "pages/program.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace vorelin::test {

void ClickPage(PageWindow& page, double x, double y) {
    const QPointF at = page.Mapping().Point(static_cast<float>(x), static_cast<float>(y));
    QTest::mouseClick(&page, Qt::LeftButton, Qt::NoModifier, at.toPoint());
}

QByteArray WorkingFolder::Read(const QString& name) const {
    QFile file(m_folder.filePath(name));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

void WorkingFolder::Write(const QString& name, const QByteArray& bytes) const {
    QFile file(m_folder.filePath(name));
    if (file.open(QIODevice::WriteOnly)) file.write(bytes);
}

TestProgram::TestProgram() : program(std::make_unique<Program>(session, dialogs)) {}

TestProgram::TestProgram(const Session& entries) : session(entries) {
    InitProgram(session);
    program = std::make_unique<Program>(session, dialogs);
}

TestProgram::~TestProgram() = default;

void TestProgram::Click(QWidget& page, const char* name) {
    QPushButton* button = Find<QPushButton>(page, name);
    QVERIFY2(button != nullptr && button->isVisible(), name);
    QTest::mouseClick(button, Qt::LeftButton);
}

QString TestProgram::Text(QWidget& page, const char* name) {
    if (auto* label = Find<QLabel>(page, name)) return label->text();
    return Find<QLineEdit>(page, name)->text();
}

std::vector<Primitive> CirclesOf(const DisplayList& list, Colour colour, float radius) {
    std::vector<Primitive> circles;
    for (const Primitive& p : list.Primitives()) {
        if (p.op == Op::Circle && p.colour == colour && p.radius == radius) circles.push_back(p);
    }
    return circles;
}

} // namespace vorelin::test
