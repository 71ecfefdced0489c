#include "files/load_csv.h"

#include "core/load_figures.h"
#include "files/file_numbers.h"

namespace vorelin {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::string Cell(const std::optional<double>& value) { return value ? FileNumber(*value) : std::string(); }

WriteResult Written(WriteResult result) {
    if (result.Failed())
        result.message = "The CSV file " + result.fileName + " could not be written: " + result.reason + ".";
    return result;
}

} // namespace

std::string CsvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string RegionCsvText(const LoadAnalysis& analysis) {
    std::string text = "frequency_hz,r_ohm,x_ohm,swr";
    text += kLineEnd;
    if (!analysis.region) return text;
    const Entries& entries = analysis.entries;
    const std::string frequency = FileNumber(entries.Frequency) + ",";
    for (const Load& load : analysis.region->loads) {
        text += frequency + FileNumber(load.LoadR) + "," + FileNumber(load.LoadX) + "," +
                Cell(FiguresOf(load, entries.Impedance, entries.Frequency).swr);
        text += kLineEnd;
    }
    return text;
}

std::string BandCsvText(std::span<const BandResultRow> rows, BandPlace place) {
    std::string text =
        place == BandPlace::Tuner
            ? "frequency_hz,r_ohm,x_ohm,swr,return_loss_db,gamma_mag,note"
            : "frequency_hz,feedpoint_r_ohm,feedpoint_x_ohm,line_swr,line_return_loss_db,line_gamma_mag,note";
    text += kLineEnd;
    for (const BandResultRow& row : rows) {
        text += FileNumber(row.frequency) + ",";
        if (row.load) {
            const LoadFigures figures = FiguresOf(*row.load, row.impedance, row.frequency);
            text += FileNumber(row.load->LoadR) + "," + FileNumber(row.load->LoadX) + "," +
                    Cell(figures.swr) + "," + Cell(figures.returnLossDb) + "," + Cell(figures.gammaMag) + ",";
        } else {
            text += ",,,,,";
        }
        text += CsvField(row.note);
        text += kLineEnd;
    }
    return text;
}

WriteResult WriteRegionCsv(const std::string& path, const LoadAnalysis& analysis) {
    return Written(WriteFileAtomically(path, RegionCsvText(analysis)));
}

} // namespace vorelin
