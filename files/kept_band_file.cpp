#include "files/kept_band_file.h"

#include "files/band_file.h"

namespace vorelin {

namespace {

ContentRead<BandTable> ReadTable() {
    BandFileRead read = ReadBandFile();
    return {std::move(read.table), std::move(read.error), read.regularFile};
}

const KeptFormat<BandTable> kBandFormat{kBandLockName, ReadTable, SetBandFileAside, WriteBandFile};

// The program that holds the file: "Vorelin (process 4711)".
std::string HoldingProgram(std::optional<long long> holder) {
    return "Vorelin" + (holder ? " (process " + std::to_string(*holder) + ")" : std::string());
}

} // namespace

std::string HeldElsewhereMessage(std::optional<long long> holder) {
    return "Another " + HoldingProgram(holder) + " has the band table open: this page shows " +
           std::string(kBandFileName) + " and cannot change it until that one ends.";
}

KeptBandFile::KeptBandFile() : m_file(kBandFormat) {}

KeptBandFile::Start KeptBandFile::Open() { return Told(m_file.Open()); }

std::optional<KeptBandFile::Start> KeptBandFile::TryToTakeOver() {
    auto start = m_file.TryToTakeOver();
    if (!start) return std::nullopt;
    return Told(std::move(*start));
}

std::string KeptBandFile::Note(bool hasRows) const {
    if (ReadOnly()) return "Read only: another " + HoldingProgram(Holder()) + " has this table open.";
    if (NotKeptReason().empty() || !hasRows) return {};
    return "This table is not saved in " + std::string(kBandFileName) + ". " +
           ReasonSentence(NotKeptReason()) + " Save table… keeps it elsewhere.";
}

std::string KeptBandFile::SaveElsewhereQuestion(bool hasRows) const {
    if (ReadOnly() || NotKeptReason().empty() || !hasRows || !m_changedSinceSaved) return {};
    return "The band table is not saved in " + std::string(kBandFileName) + " (" + NotKeptReason() +
           "). Save it under another name?";
}

KeptBandFile::Start KeptBandFile::Told(KeptFile<BandTable>::Start start) {
    using Outcome = KeptFile<BandTable>::Outcome;
    m_changedSinceSaved = false; // the table as it stands in its file
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
