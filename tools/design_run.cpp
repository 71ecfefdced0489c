#include "tools/design_run.h"

#include "core/engineering_value.h"
#include "core/figures_text.h"
#include "core/number_text.h"
#include "core/readout.h"
#include "tools/calculator.h"
#include "tools/json_writer.h"
#include "tools/load_output.h"

#include <algorithm>

namespace vorelin {

namespace {

// The reasons that blame the input rather than the load.
constexpr std::string_view kBadInput[] = {kReasonNoTopology,  kReasonBadImpedance, kReasonBadFrequency,
                                          kReasonBadLoad,     kReasonBadQ,         kReasonBadHoldPart,
                                          kReasonBadHoldValue};

// {"designs": [{"topology": 7, "solutions": [{"c1": ..., "l2": ..., "c3": ..., "q": ...}],
// "reason": null}, ...]}: the part values are the floats the network routine reads; the reason is
// always there, null when the network has solutions.
void WriteDesignJson(const std::vector<Design>& designs, std::ostream& out) {
    JsonWriter json;
    json.BeginObject();
    json.BeginArray("designs");
    for (const Design& design : designs) {
        json.BeginObject();
        json.Integer("topology", design.topology);
        json.BeginArray("solutions");
        for (const DesignSolution& solution : design.solutions) {
            json.BeginObject();
            for (const PartSlot& part : PartsOf(design.topology))
                json.Float(PartKey(part.name), solution.entries.*part.value);
            json.Double("q", solution.loadedQ);
            json.EndObject();
        }
        json.EndArray();
        if (design.reason.empty()) {
            json.Null("reason");
        } else {
            json.String("reason", design.reason);
        }
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    out << json.Text() << '\n';
}

void WriteDesignText(const DesignTarget& target, const CalcOptions& options,
                     const std::vector<Design>& designs, std::ostream& out) {
    out << "Load: " << Trimmed(LoadLine({target.loadR, target.loadX})) << " ohms at "
        << FormatValue(target.frequency) << " Hz, system impedance " << PlainText(target.impedance)
        << " ohms\n";
    for (const Design& design : designs) {
        out << "Network: " << NetworkDescription(design.topology);
        if (design.held) out << "; " << options.hold->part << " held";
        if (design.designQ > 0) out << "; loaded Q " << FigureText(design.designQ);
        out << '\n';
        if (!design.reason.empty()) out << "  " << design.reason << '\n';
        for (const DesignSolution& solution : design.solutions) {
            out << ' ';
            for (const PartSlot& part : PartsOf(design.topology))
                out << ' ' << part.name << ' ' << PartValueText(solution.entries.*part.value, part.kind)
                    << ',';
            out << " loaded Q " << FigureText(solution.loadedQ) << '\n';
        }
    }
}

} // namespace

int RunDesign(const CalcOptions& options, std::ostream& out, std::ostream& err) {
    const auto value = [&options](const std::string& text) {
        return static_cast<float>(OptionValue(options, text));
    };
    const DesignTarget target{value(options.loadR), value(options.loadX), value(options.impedance),
                              value(options.frequency)};
    const DesignOptions designOptions{options.loadedQ, options.hold};
    const std::vector<Design> designs =
        options.topology != 0 ? std::vector{DesignNetwork(options.topology, target, designOptions)}
                              : DesignAll(target, designOptions);
    for (const Design& design : designs) {
        if (std::find(std::begin(kBadInput), std::end(kBadInput), design.reason) != std::end(kBadInput)) {
            err << "vorelin-calc: " << design.reason << '\n';
            return kCalcBadEntries;
        }
    }
    if (options.json) {
        WriteDesignJson(designs, out);
    } else {
        WriteDesignText(target, options, designs, out);
    }
    const bool solved = std::any_of(designs.begin(), designs.end(),
                                    [](const Design& design) { return !design.solutions.empty(); });
    return solved ? kCalcOk : kCalcNotComputable;
}

} // namespace vorelin
