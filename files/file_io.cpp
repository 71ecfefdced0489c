#include "files/file_io.h"

#include "files/output_plan.h"
#include "files/write_target.h"

#include <QFile>
#include <QFileInfo>
#include <QString>

#include <array>
#include <csignal>

namespace vorelin {

namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

WriteResult WriteFileAtomically(const std::string& path, std::string_view bytes) {
    OutputPlan plan;
    plan.Add(path, std::string(bytes));
    WriteResult result = plan.Commit();
    result.fileName = path;
    return result;
}

std::string ReasonSentence(std::string reason) {
    if (!reason.empty() && reason.front() >= 'a' && reason.front() <= 'z')
        reason.front() = static_cast<char>(reason.front() - 'a' + 'A');
    if (!reason.ends_with('.')) reason += '.';
    return reason;
}

void IgnoreFileSizeSignal() { std::signal(SIGXFSZ, SIG_IGN); }

FileContent ReadWholeFile(const std::string& path, std::size_t largest) {
    using Status = FileContent::Status;
    const QString name = FromUtf8(path);
    const QFileInfo info(name);
    if (!info.exists()) {
        // A link that leads nowhere is a name taken, not a missing file: nothing may be written there.
        if (!info.isSymLink()) return {Status::Missing, {}, {}};
        const bool loops = CheckWriteTarget(path).refusal == ItIs(kLinkLoops);
        return {Status::NotReadable, {}, loops ? kLinkLoops : kLinkDangles, false};
    }
    if (!info.isFile()) return {Status::NotReadable, {}, kNotRegular, false};
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

std::string NotReadSentence(const FileContent& content, std::size_t largest) {
    using Status = FileContent::Status;
    switch (content.status) {
    case Status::Missing:
        return "There is no such file.";
    case Status::NotReadable:
        if (!content.regularFile) return ReasonSentence(ItIs(content.reason.c_str()));
        return "It cannot be read: " + content.reason + ".";
    case Status::TooLarge:
        return "It is larger than " + std::to_string(largest >> 20) + " MB.";
    case Status::Read:
        break;
    }
    return {};
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
