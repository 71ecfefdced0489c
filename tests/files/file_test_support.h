#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <csignal>
#include <optional>
#include <string>
#include <string_view>
#include <sys/resource.h>

namespace vorelin::test {

// Makes a fresh temporary folder the working folder for one test, and restores the old one.
class WorkingFolder {
public:
    WorkingFolder();
    ~WorkingFolder();
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

    QString Path() const { return m_folder.path(); }
    // The folder's entries, hidden ones (a leftover temporary file) included, sorted.
    QStringList Entries() const;

private:
    QTemporaryDir m_folder;
    QString m_previous;
};

// Puts `bytes` into a file (relative names are in the working folder).
void PutFile(const QString& path, std::string_view bytes);
// The file's bytes; nothing when it does not exist.
std::optional<std::string> FileBytes(const QString& path);

// Limits the size of files this process writes, as a full disk would, for one test. Works for
// every user, root included (a read-only folder does not stop root).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_previous{};
    void (*m_previousHandler)(int) = nullptr;
};

} // namespace vorelin::test
