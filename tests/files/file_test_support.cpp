#include "tests/files/file_test_support.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace vorelin::test {

WorkingFolder::WorkingFolder() : m_previous(QDir::currentPath()) {
    EXPECT_TRUE(m_folder.isValid());
    EXPECT_TRUE(QDir::setCurrent(m_folder.path()));
}

WorkingFolder::~WorkingFolder() { QDir::setCurrent(m_previous); }

QStringList WorkingFolder::Entries() const {
    return QDir(m_folder.path())
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

void PutFile(const QString& path, std::string_view bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes.data(), static_cast<qint64>(bytes.size())), static_cast<qint64>(bytes.size()));
}

std::optional<std::string> FileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    return file.readAll().toStdString();
}

FileSizeLimit::FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &m_previous);
    // Past the limit a write fails with EFBIG instead of ending the process.
    m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = m_previous;
    limit.rlim_cur = bytes;
    EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
}

FileSizeLimit::~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &m_previous);
    std::signal(SIGXFSZ, m_previousHandler);
}

} // namespace vorelin::test
