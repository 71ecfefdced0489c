#include "files/output_plan.h"

#include "files/file_identity.h"
#include "files/write_target.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace vorelin {

namespace {

std::string SystemReason() { return std::strerror(errno); }

std::string FolderOf(const std::string& file) {
    const std::size_t slash = file.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : file.substr(0, slash);
}

// A name no other writer picks: the temporary files of two programs in one folder never meet.
std::string TemporaryName(const std::string& folder) {
    thread_local std::mt19937_64 random{std::random_device{}()};
    constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string name = folder + "/.vorelin-";
    for (int i = 0; i < 10; ++i)
        name += kLetters[random() % kLetters.size()];
    return name + ".tmp";
}

bool WriteAll(int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// A new temporary file beside `target` holding `bytes`, flushed to the disk; its name, or the
// system's reason it could not be made (nothing stays then).
struct Staged {
    std::string temporary;
    std::string reason;
};

Staged Stage(const WriteTarget& target, std::string_view bytes) {
    const std::string folder = FolderOf(target.file);
    Staged staged;
    int descriptor = -1;
    for (int attempt = 0; attempt < 100 && descriptor < 0; ++attempt) {
        staged.temporary = TemporaryName(folder);
        // 0666 less the umask, as any new file; a replaced file keeps its own permissions.
        descriptor =
            ::open(staged.temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (descriptor < 0 && errno != EEXIST) break;
    }
    if (descriptor < 0) return {{}, SystemReason()};
    bool ok = (!target.keptMode || ::fchmod(descriptor, *target.keptMode) == 0) &&
              WriteAll(descriptor, bytes) && ::fsync(descriptor) == 0;
    std::string reason = ok ? std::string() : SystemReason();
    if (::close(descriptor) != 0 && ok) {
        ok = false;
        reason = SystemReason();
    }
    if (ok) return staged;
    ::unlink(staged.temporary.c_str());
    return {{}, reason};
}

} // namespace

std::string NotWrittenMessage(std::string_view kind, const std::string& path, const std::string& reason) {
    return "The " + std::string(kind) + " " + path + " could not be written: " + reason + ".";
}

void OutputPlan::Add(std::string path, std::string bytes, std::string kind) {
    m_outputs.push_back({std::move(path), std::move(bytes), std::move(kind)});
}

WriteResult OutputPlan::Commit() const {
    WriteResult result;
    if (m_outputs.empty()) return result;
    const auto fail = [&result](const Output& output, std::string reason) {
        result.status = WriteResult::Status::Failed;
        result.fileName = output.path;
        result.reason = std::move(reason);
        if (!output.kind.empty()) result.message = NotWrittenMessage(output.kind, output.path, result.reason);
        return result;
    };

    std::vector<WriteTarget> targets;
    std::vector<FileIdentity> identities;
    for (const Output& output : m_outputs) {
        WriteTarget target = CheckWriteTarget(output.path);
        if (!target.refusal.empty()) return fail(output, target.refusal);
        const FileIdentity identity = IdentityOf(target.file);
        for (std::size_t other = 0; other < identities.size(); ++other)
            if (identities[other] == identity) return fail(output, "it is " + m_outputs[other].path + " too");
        identities.push_back(identity);
        targets.push_back(std::move(target));
    }

    std::vector<std::string> temporaries;
    const auto removeTemporaries = [&temporaries](std::size_t from) {
        for (std::size_t i = from; i < temporaries.size(); ++i)
            ::unlink(temporaries[i].c_str());
    };
    for (std::size_t i = 0; i < m_outputs.size(); ++i) {
        Staged staged = Stage(targets[i], m_outputs[i].bytes);
        if (staged.temporary.empty()) {
            removeTemporaries(0);
            return fail(m_outputs[i], staged.reason);
        }
        temporaries.push_back(std::move(staged.temporary));
    }

    for (std::size_t i = 0; i < m_outputs.size(); ++i) {
        if (::rename(temporaries[i].c_str(), targets[i].file.c_str()) != 0) {
            const std::string reason = SystemReason();
            removeTemporaries(i);
            return fail(m_outputs[i], reason);
        }
    }
    result.status = WriteResult::Status::Written;
    result.fileName = m_outputs.front().path;
    return result;
}

} // namespace vorelin
