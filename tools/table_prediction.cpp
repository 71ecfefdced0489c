#include "tools/table_prediction.h"

#include "core/band_prediction.h"
#include "core/design.h"
#include "core/engineering_value.h"
#include "core/number_text.h"
#include "core/readout.h"
#include "core/topology.h"
#include "tools/calculator.h"
#include "tools/json_writer.h"
#include "tools/load_output.h"
#include "tools/table_run.h"

#include <algorithm>

namespace vorelin {

namespace {

// The reasons that blame the frequency or the table rather than the network's design.
constexpr std::string_view kNoNeighbours[] = {kReasonBadFrequency,        kPredictionTooFewRows,
                                              kPredictionOutsideRange,    kPredictionMixedTopologies,
                                              kPredictionMixedImpedances, kPredictionOnRow};

std::string LineName(const BandTable& table, std::size_t row) {
    return "line " + std::to_string(table.rows[row].line);
}

void WritePredictionJson(const BandTable& table, const BandPrediction& p,
                         const std::optional<std::string>& flag, std::ostream& out) {
    JsonWriter json;
    json.BeginObject();
    json.BeginObject("prediction");
    json.Float("frequency", p.entries.Frequency);
    json.Integer("topology", p.entries.Topology);
    json.Float("impedance", p.entries.Impedance);
    const auto parts = PartsOf(p.entries.Topology);
    for (const EntryPart& entry : kEntryParts) {
        const bool used =
            std::ranges::any_of(parts, [&](const PartSlot& part) { return part.name == entry.name; });
        if (used) {
            json.Float(PartKey(entry.name), p.entries.*entry.value);
        } else {
            json.Null(PartKey(entry.name));
        }
    }
    json.Float("load_r", p.load.LoadR);
    json.Float("load_x", p.load.LoadX);
    json.BeginArray("between");
    json.Integer({}, static_cast<long long>(table.rows[p.below].line));
    json.Integer({}, static_cast<long long>(table.rows[p.above].line));
    json.EndArray();
    if (flag) {
        json.String("likely_misread", *flag);
    } else {
        json.Null("likely_misread");
    }
    json.EndObject();
    json.EndObject();
    out << json.Text() << '\n';
}

// "Prediction at 7.15M Hz between line 3 and line 4, topology 7, pi network: ...", the parts as
// the table would hold them, the load, and the flag of a neighbour.
void WritePredictionText(const BandTable& table, const BandPrediction& p,
                         const std::optional<std::string>& flag, std::ostream& out) {
    out << "Prediction at " << Trimmed(FormatValue(p.entries.Frequency)) << " Hz between "
        << LineName(table, p.below) << " and " << LineName(table, p.above) << ", "
        << NetworkDescription(p.entries.Topology) << '\n'
        << " ";
    for (const PartSlot& part : PartsOf(p.entries.Topology)) {
        const auto entry = std::ranges::find(kEntryParts, part.name, &EntryPart::name) - kEntryParts.begin();
        out << ' ' << part.name << ' '
            << p.row.cells[static_cast<std::size_t>(BandColumn::C1) + static_cast<std::size_t>(entry)] << ',';
    }
    out << " load " << Trimmed(LoadLine(p.load)) << " ohms\n";
    if (flag) out << "  " << *flag << '\n';
}

} // namespace

int RunTablePrediction(const CalcOptions& options, const BandTable& table, std::ostream& out,
                       std::ostream& err) {
    const auto frequency = static_cast<float>(OptionValue(options, options.predict));
    const BandPrediction prediction = PredictBandRow(table, frequency, options.topology);
    if (!prediction.Ok()) {
        err << kCalcPrefix << "no prediction at " << options.predict << " Hz: " << prediction.reason;
        if (prediction.reason == kPredictionOnRow) err << " (" << LineName(table, prediction.below) << ")";
        err << '\n';
        const bool aboutTheTable =
            std::ranges::find(kNoNeighbours, prediction.reason) != std::end(kNoNeighbours);
        return aboutTheTable ? kCalcBadEntries : kCalcNotComputable;
    }
    std::optional<std::string> flag;
    const std::vector<MisreadRow> misread = MisreadRows(table, TableAccuracy(options));
    if (const auto neighbour = FlaggedNeighbour(prediction, misread))
        flag = LineName(table, neighbour->row) + " beside it: " + MisreadReason(table, *neighbour);
    if (options.json) {
        WritePredictionJson(table, prediction, flag, out);
    } else {
        WritePredictionText(table, prediction, flag, out);
    }
    return kCalcOk;
}

} // namespace vorelin
