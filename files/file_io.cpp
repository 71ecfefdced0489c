#include "files/file_io.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QString>

#include <array>
#include <cerrno>
#include <cstring>

namespace vorelin {

namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

WriteResult WriteFileAtomically(const std::string& path, std::string_view bytes) {
    WriteResult result;
    result.fileName = path;
    result.status = WriteResult::Status::Failed;
    // A device, a pipe or a folder under the name (through a link too) is not ours to replace:
    // the new file would take the place of the node.
    const QFileInfo target(FromUtf8(path));
    if (target.exists() && !target.isFile()) {
        result.reason = "it is not a regular file";
        return result;
    }
    QSaveFile file(FromUtf8(path));
    const auto size = static_cast<qint64>(bytes.size());
    // commit() alone misses a short write while flushing its buffer (a full disk) and would put a
    // truncated file in place: the explicit flush reports it.
    errno = 0;
    const bool written = file.open(QIODevice::WriteOnly) && file.write(bytes.data(), size) == size &&
                         file.flush() && file.commit();
    if (written) {
        result.status = WriteResult::Status::Written;
        return result;
    }
    const int systemError = errno;
    result.reason = file.errorString().toStdString();
    // Qt does not always keep the system's reason ("Unknown error" for a full disk at the flush).
    if ((result.reason.empty() || result.reason == "Unknown error") && systemError != 0)
        result.reason = std::strerror(systemError);
    file.cancelWriting(); // a no-op after a failed commit; otherwise removes the temporary file
    return result;
}

FileContent ReadWholeFile(const std::string& path, std::size_t largest) {
    using Status = FileContent::Status;
    const QString name = FromUtf8(path);
    const QFileInfo info(name);
    if (!info.exists()) return {Status::Missing, {}, {}};
    if (!info.isFile()) return {Status::NotReadable, {}, "not a regular file"};
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) return {Status::NotReadable, {}, file.errorString().toStdString()};
    // Read up to one byte more than allowed: sizes reported by the system are not trusted.
    FileContent content{Status::Read, {}, {}};
    std::array<char, 16384> chunk{};
    while (content.bytes.size() <= largest) {
        const qint64 read = file.read(chunk.data(), static_cast<qint64>(chunk.size()));
        if (read < 0) return {Status::NotReadable, {}, file.errorString().toStdString()};
        if (read == 0) break;
        content.bytes.append(chunk.data(), static_cast<std::size_t>(read));
    }
    if (content.bytes.size() > largest) return {Status::TooLarge, {}, {}};
    return content;
}

std::optional<std::string> ReadSmallFile(const std::string& path) {
    FileContent content = ReadWholeFile(path, kLargestReadableFile);
    if (content.status != FileContent::Status::Read) return std::nullopt;
    return std::move(content.bytes);
}

bool WriteFailureLatch::ShouldReport(const WriteResult& result) {
    if (!result.Failed()) {
        m_failing = false;
        return false;
    }
    const bool news = !m_failing || result.reason != m_lastReason;
    m_failing = true;
    m_lastReason = result.reason;
    return news;
}

} // namespace vorelin
