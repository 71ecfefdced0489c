#include "page_test_support.h"

#include <QFile>

namespace vorelin::test {

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
