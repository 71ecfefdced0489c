#include "files/measured_file.h"

#include "files/file_io.h"

#include <QFileInfo>
#include <QString>

namespace vorelin {

MeasuredFileRead ReadMeasuredFile(const std::string& path) {
    using Status = FileContent::Status;
    const std::string notRead = "The Touchstone file " + path + " was not read. ";
    const std::string tooLarge = notRead + TouchstoneFaultText({0, std::string(kTouchstoneTooLarge)});
    // A file known to be too large is refused unread; the reading guards against one that grows.
    const QFileInfo info(QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size())));
    if (info.isFile() && info.size() > static_cast<qint64>(kLargestTouchstoneBytes)) return {{}, tooLarge};
    const FileContent content = ReadWholeFile(path, kLargestTouchstoneBytes);
    if (content.status == Status::TooLarge) return {{}, tooLarge};
    if (content.status != Status::Read)
        return {{}, notRead + NotReadSentence(content, kLargestTouchstoneBytes)};
    TouchstoneRead read = ReadTouchstone(content.bytes, TouchstonePortsFromName(path));
    if (!read.Ok()) return {{}, notRead + TouchstoneFaultText(*read.fault)};
    return {std::move(read.sweep), {}};
}

} // namespace vorelin
