#include "tools/load_output.h"

#include "core/engineering_value.h"
#include "core/figures_text.h"
#include "core/number_text.h"
#include "core/readout.h"
#include "core/topology.h"

namespace vorelin {

namespace {

void WriteRegionJson(JsonWriter& json, float accuracy, const LoadRegion& region, bool withPoints) {
    const ToleranceRangeFigures& ranges = region.ranges;
    // The extent of R and X is one of the swept floats: written as floats, they read back exactly.
    const auto extent = [&json](std::string_view key, const std::optional<FigureRange>& range, bool max) {
        if (range) {
            json.Float(key, static_cast<float>(max ? range->max : range->min));
        } else {
            json.Null(key);
        }
    };
    json.BeginObject("region");
    json.Float("accuracy", accuracy);
    json.Integer("count", ranges.count);
    json.Integer("not_computed", region.sweep.notComputable);
    extent("r_min", ranges.r, false);
    extent("r_max", ranges.r, true);
    extent("x_min", ranges.x, false);
    extent("x_max", ranges.x, true);
    json.Double("gamma_mag_min", ranges.gammaMag ? std::optional(ranges.gammaMag->min) : std::nullopt);
    json.Double("gamma_mag_max", ranges.gammaMag ? std::optional(ranges.gammaMag->max) : std::nullopt);
    json.Double("swr_min", ranges.swrMin);
    json.Double("swr_max", ranges.swrMax);
    if (withPoints) {
        json.BeginArray("points");
        for (const Load& load : region.loads) {
            json.BeginArray();
            json.Float({}, load.LoadR);
            json.Float({}, load.LoadX);
            json.EndArray();
        }
        json.EndArray();
    }
    json.EndObject();
}

std::string ExtentText(const std::optional<FigureRange>& range) {
    if (!range) return "none";
    return "from " + JsonWriter::FloatText(static_cast<float>(range->min)) + " to " +
           JsonWriter::FloatText(static_cast<float>(range->max));
}

} // namespace

std::string NetworkDescription(int topology) {
    std::string text = "topology " + std::to_string(topology) + ", " + std::string(FormOf(topology)) + ":";
    for (const auto& part : PartsOf(topology))
        text += std::string(part.placement == Placement::Series ? " series " : " shunt ") +
                std::string(part.name) + ",";
    text.pop_back();
    return text;
}

void WriteFiguresJson(JsonWriter& json, const LoadFigures& figures) {
    json.BeginObject("figures");
    json.Double("gamma_re", figures.gammaRe);
    json.Double("gamma_im", figures.gammaIm);
    json.Double("gamma_mag", figures.gammaMag);
    json.Double("gamma_deg", figures.gammaDeg);
    json.Double("swr", figures.swr);
    json.Double("return_loss_db", figures.returnLossDb);
    json.Double("mismatch_loss_db", figures.mismatchLossDb);
    json.Double("z_mag", figures.zMag);
    json.Double("z_deg", figures.zDeg);
    json.Double("parallel_r", figures.parallelR);
    json.Double("parallel_x", figures.parallelX);
    json.Double("q", figures.q);
    json.EndObject();
}

void WriteLoadJson(const LoadReport& report, std::ostream& out) {
    const LoadAnalysis& analysis = report.analysis;
    const Entries& entries = analysis.entries;
    const Load& load = analysis.run.load;
    JsonWriter json;
    json.BeginObject();
    json.Integer("topology", entries.Topology);
    json.Float("frequency", entries.Frequency);
    json.Float("impedance", entries.Impedance);
    json.Float("c1", entries.C1);
    json.Float("c2", entries.C2);
    json.Float("c3", entries.C3);
    json.Float("l1", entries.L1);
    json.Float("l2", entries.L2);
    json.Float("l3", entries.L3);
    json.String("frequency_text", FormatValue(entries.Frequency));
    json.String("impedance_text", FormatValue(entries.Impedance));
    json.BeginObject("part_texts");
    json.String("c1", FormatCapacitance(entries.C1));
    json.String("c2", FormatCapacitance(entries.C2));
    json.String("c3", FormatCapacitance(entries.C3));
    json.String("l1", FormatInductance(entries.L1));
    json.String("l2", FormatInductance(entries.L2));
    json.String("l3", FormatInductance(entries.L3));
    json.EndObject();
    json.String("report_frequency_text", FormatFrequency(entries.Frequency));
    json.Float("load_r", load.LoadR);
    json.Float("load_x", load.LoadX);
    json.String("reactance_label", ReactanceLabel(load, entries.Frequency));
    json.String("resistance_label", ResistanceLabel(load));
    json.String("load_line", LoadLine(load));
    json.BeginObject("part_labels");
    for (const auto& part : PartsOf(entries.Topology))
        json.String(part.name, PartLabel(entries, part));
    json.EndObject();
    WriteFiguresJson(json, analysis.figures);
    if (!report.networkFile.empty()) json.String("network_file", report.networkFile);
    if (analysis.region) WriteRegionJson(json, *analysis.accuracy, *analysis.region, report.withPoints);
    if (report.system) WriteSystemJson(json, *report.system);
    json.EndObject();
    out << json.Text() << '\n';
}

void WriteLoadText(const LoadReport& report, std::ostream& out) {
    const LoadAnalysis& analysis = report.analysis;
    const Entries& entries = analysis.entries;
    const Load& load = analysis.run.load;
    out << "Network: " << NetworkDescription(entries.Topology) << '\n';
    out << "Test frequency, Hz: " << FormatValue(entries.Frequency) << '\n';
    out << "System impedance, ohms: " << FormatValue(entries.Impedance) << '\n';
    for (const auto& part : PartsOf(entries.Topology))
        out << PartLabel(entries, part) << '\n';
    out << "Load: " << LoadLine(load) << '\n';
    out << "  resistance, ohms: " << ResistanceLabel(load) << '\n';
    out << "  reactance, ohms: " << ReactanceLabel(load, entries.Frequency) << '\n';
    for (const std::string& line : DetailLines(analysis.figures))
        out << "  " << line << '\n';
    if (!report.networkFile.empty()) out << "Network file: " << report.networkFile << '\n';
    if (report.system) WriteSystemText(*report.system, out, "");
    if (!analysis.region) return;
    const LoadRegion& region = *analysis.region;
    // In double and to three digits, as the range line below has it: 0.05f is 5.0000000745 %.
    out << "Region for " << DecimalText(static_cast<double>(*analysis.accuracy) * 100, {3})
        << " % accuracy: " << region.ranges.count << " loads, R " << ExtentText(region.ranges.r) << ", X "
        << ExtentText(region.ranges.x) << " ohms\n";
    out << "  " << RangeLine(region.ranges, *analysis.accuracy) << '\n';
    if (region.sweep.notComputable > 0)
        out << "  " << region.sweep.notComputable << " of the " << region.sweep.combinations
            << " varied loads cannot be computed and are left out\n";
    if (!report.withPoints) return;
    for (const Load& varied : region.loads)
        out << JsonWriter::FloatText(varied.LoadR) << ' ' << JsonWriter::FloatText(varied.LoadX) << '\n';
}

} // namespace vorelin
