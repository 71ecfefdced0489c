#include "files/kept_band_file.h"

#include "files/band_file.h"

namespace vorelin {

namespace {

ContentRead<BandTable> ReadTable() {
    BandFileRead read = ReadBandFile();
    return {std::move(read.table), std::move(read.error), read.regularFile};
}

const KeptFormat<BandTable> kBandFormat{kBandLockName, ReadTable, SetBandFileAside, WriteBandFile};

} // namespace

std::string HeldElsewhereMessage(std::optional<long long> holder) {
    const std::string who =
        "Another Vorelin" + (holder ? " (process " + std::to_string(*holder) + ")" : std::string());
    return who + " has the band table open: this page shows " + std::string(kBandFileName) +
           " and cannot change it until that one ends.";
}

KeptBandFile::KeptBandFile() : m_file(kBandFormat) {}

KeptBandFile::Start KeptBandFile::Open() { return Told(m_file.Open()); }

std::optional<KeptBandFile::Start> KeptBandFile::TryToTakeOver() {
    auto start = m_file.TryToTakeOver();
    if (!start) return std::nullopt;
    return Told(std::move(*start));
}

KeptBandFile::Start KeptBandFile::Told(KeptFile<BandTable>::Start start) const {
    using Outcome = KeptFile<BandTable>::Outcome;
    std::string message;
    switch (start.outcome) {
    case Outcome::Read:
        break;
    case Outcome::HeldElsewhere:
        message = HeldElsewhereMessage(m_file.Holder());
        break;
    case Outcome::NotRegular:
        message = start.error + " It stays as it is, and the band table of this run is not kept in it (Save "
                                "table as… keeps it elsewhere).";
        break;
    case Outcome::SetAside:
        message = start.error + " It is kept as " + start.backup + ".";
        break;
    case Outcome::NotSetAside:
        message = start.error +
                  " It stays as it is, and the band table of this run is not kept: " + start.reason + ".";
        break;
    }
    return {std::move(start.content), std::move(message)};
}

} // namespace vorelin
