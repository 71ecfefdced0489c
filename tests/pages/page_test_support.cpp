#include "page_test_support.h"

#include "pages/page_window.h"

#include <QFile>
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

} // namespace vorelin::test
