#include "files/kept_band_file.h"

#include "files/band_file.h"
#include "files/write_target.h"

namespace vorelin {

std::string HeldElsewhereMessage(std::optional<long long> holder) {
    const std::string who =
        "Another Vorelin" + (holder ? " (process " + std::to_string(*holder) + ")" : std::string());
    return who + " has the band table open: this page shows " + std::string(kBandFileName) +
           " and cannot change it until that one ends.";
}

KeptBandFile::KeptBandFile() : m_lock(std::string(kBandLockName)) {}

KeptBandFile::Start KeptBandFile::Open() {
    // Where no lock file can be made the file cannot be written either: that is told at the
    // first change.
    if (m_lock.Take() != FileLock::State::HeldElsewhere) return ReadAsOwner();
    m_readOnly = true;
    m_holder = m_lock.Holder();
    return {ReadBandFile().table, HeldElsewhereMessage(m_holder)};
}

std::optional<KeptBandFile::Start> KeptBandFile::TryToTakeOver() {
    if (!m_readOnly || m_lock.Take() == FileLock::State::HeldElsewhere) return std::nullopt;
    m_readOnly = false;
    m_holder.reset();
    return ReadAsOwner();
}

KeptBandFile::Start KeptBandFile::ReadAsOwner() {
    BandFileRead read = ReadBandFile();
    if (read.Ok()) return {std::move(read.table), {}};
    if (!read.regularFile) {
        m_writable = false;
        m_notKept = ItIs(kNotRegular);
        return {{},
                read.error +
                    " It stays as it is, and the band table of this run is not kept in it (Save table "
                    "as… keeps it elsewhere)."};
    }
    // The rows the user adds next must not replace a file that may hold his settings.
    const Backup backup = SetBandFileAside();
    if (backup.Made()) return {{}, read.error + " It is kept as " + backup.name + "."};
    m_writable = false;
    m_notKept = "it could not be set aside (" + backup.reason + ")";
    return {{},
            read.error + " It stays as it is, and the band table of this run is not kept: " + backup.reason +
                "."};
}

std::string KeptBandFile::Keep(const BandTable& table) {
    if (m_readOnly || !m_writable) return {};
    const WriteResult result = WriteBandFile(table);
    m_notKept = result.Failed() ? result.reason : std::string();
    return m_failures.ShouldReport(result) ? result.message : std::string();
}

} // namespace vorelin
