#include "tools/design_run.h"

#include "core/design_choice.h"
#include "core/engineering_value.h"
#include "core/figures_text.h"
#include "core/number_text.h"
#include "core/readout.h"
#include "files/tuner_profile_file.h"
#include "tools/calculator.h"
#include "tools/json_writer.h"
#include "tools/load_output.h"

#include <algorithm>
#include <cmath>

namespace vorelin {

namespace {

// The reasons that blame the input rather than the load.
constexpr std::string_view kBadInput[] = {kReasonNoTopology,  kReasonBadImpedance, kReasonBadFrequency,
                                          kReasonBadLoad,     kReasonBadQ,         kReasonBadHoldPart,
                                          kReasonBadHoldValue};

bool Preferred(const RatedDesigns& rated, std::size_t design, std::size_t solution) {
    return rated.choice.preferred == SolutionPlace{design, solution};
}

// {"designs": [{"topology": 7, "solutions": [{"c1": ..., "l2": ..., "c3": ..., "q": ..., "loss_db":
// ..., "outside_profile": ["c1"]}], "reason": null, "hold_would_work": null}, ...], "default":
// {"topology": 7, "solution": 0}, "profile": null, "coil_q": 200, "capacitor_q": 1000}: the part
// values are the floats the network routine reads; the reason is always there, null when the
// network has solutions; "hold_would_work" lists the spans of a held part's values (farads or
// henries) that would work when the held value fails.
void WriteDesignJson(const RatedDesigns& rated, std::ostream& out) {
    JsonWriter json;
    json.BeginObject();
    json.BeginArray("designs");
    for (std::size_t d = 0; d < rated.designs.size(); ++d) {
        const Design& design = rated.designs[d];
        json.BeginObject();
        json.Integer("topology", design.topology);
        json.BeginArray("solutions");
        for (std::size_t s = 0; s < design.solutions.size(); ++s) {
            const DesignSolution& solution = design.solutions[s];
            const SolutionRating& rating = rated.choice.ratings[d][s];
            json.BeginObject();
            for (const PartSlot& part : PartsOf(design.topology))
                json.Float(PartKey(part.name), solution.entries.*part.value);
            json.Double("q", solution.loadedQ);
            json.Double("loss_db", rating.lossDb);
            json.BeginArray("outside_profile");
            for (const RangeMiss& miss : rating.outside)
                json.String({}, PartKey(miss.part));
            json.EndArray();
            json.EndObject();
        }
        json.EndArray();
        if (design.reason.empty()) {
            json.Null("reason");
        } else {
            json.String("reason", design.reason);
        }
        if (const auto& working = rated.workingHolds[d]) {
            const double unit = working->part.front() == 'C' ? 1e-12 : 1e-6;
            json.BeginArray("hold_would_work");
            for (const PartRange& span : working->spans) {
                json.BeginObject();
                json.Double("from", *span.least * unit);
                json.Double("to", *span.largest * unit);
                json.EndObject();
            }
            json.EndArray();
        } else {
            json.Null("hold_would_work");
        }
        json.EndObject();
    }
    json.EndArray();
    if (const auto preferred = rated.choice.preferred) {
        json.BeginObject("default");
        json.Integer("topology", rated.designs[preferred->design].topology);
        json.Integer("solution", static_cast<int>(preferred->solution));
        json.EndObject();
    } else {
        json.Null("default");
    }
    if (rated.profileName.empty()) {
        json.Null("profile");
    } else {
        json.String("profile", rated.profileName);
    }
    json.Double("coil_q", rated.settings.coilQ);
    json.Double("capacitor_q", rated.settings.capacitorQ);
    json.EndObject();
    out << json.Text() << '\n';
}

void WriteDesignText(const DesignTarget& target, const CalcOptions& options, const RatedDesigns& rated,
                     std::ostream& out) {
    out << "Load: " << Trimmed(LoadLine({target.loadR, target.loadX})) << " ohms at "
        << FormatValue(target.frequency) << " Hz, system impedance " << PlainText(target.impedance)
        << " ohms\n"
        << LossBasisText(rated) << '\n';
    for (std::size_t d = 0; d < rated.designs.size(); ++d) {
        const Design& design = rated.designs[d];
        out << "Network: " << NetworkDescription(design.topology);
        if (design.held) out << "; " << options.hold->part << " held";
        if (design.designQ > 0) out << "; loaded Q " << FigureText(design.designQ);
        out << '\n';
        if (!design.reason.empty()) out << "  " << design.reason << '\n';
        if (const auto& working = rated.workingHolds[d]) out << "  " << working->text << '\n';
        for (std::size_t s = 0; s < design.solutions.size(); ++s) {
            const DesignSolution& solution = design.solutions[s];
            const SolutionRating& rating = rated.choice.ratings[d][s];
            out << ' ';
            for (const PartSlot& part : PartsOf(design.topology))
                out << ' ' << part.name << ' ' << PartValueText(solution.entries.*part.value, part.kind)
                    << ',';
            out << " loaded Q " << FigureText(solution.loadedQ) << ", loss "
                << FigureText(rating.lossDb, kRangeDigits) << " dB";
            for (std::size_t i = 0; i < rating.outside.size(); ++i)
                out << (i == 0 ? "; outside the profile: " : ", ") << rating.outside[i].part;
            if (Preferred(rated, d, s)) out << " (least loss)";
            out << '\n';
        }
    }
}

// The profile named by --profile, read from the working folder; the message when there is none.
std::string FindOptionProfile(const CalcOptions& options, TunerProfiles& profiles,
                              const TunerProfile*& profile) {
    if (!options.profile) return {};
    ContentRead<TunerProfiles> read = ReadProfileFile();
    if (!read.Ok()) return read.error;
    profiles = std::move(read.content);
    profile = FindProfile(profiles, *options.profile);
    if (profile != nullptr) return {};
    return "there is no tuner profile named \"" + *options.profile + "\" in " + std::string(kProfileFileName);
}

} // namespace

int RunDesign(const CalcOptions& options, std::ostream& out, std::ostream& err) {
    const auto value = [&options](const std::string& text) {
        return static_cast<float>(OptionValue(options, text));
    };
    const DesignTarget target{value(options.loadR), value(options.loadX), value(options.impedance),
                              value(options.frequency)};
    TunerProfiles profiles;
    const TunerProfile* profile = nullptr;
    if (const std::string problem = FindOptionProfile(options, profiles, profile); !problem.empty()) {
        err << kCalcPrefix << problem << '\n';
        return kCalcBadEntries;
    }
    LossSettings settings = LossSettingsOf(profile);
    settings.coilQ = options.coilQ.value_or(settings.coilQ);
    settings.capacitorQ = options.capacitorQ.value_or(settings.capacitorQ);
    for (const auto& [q, reason] : {std::pair{settings.coilQ, kLossReasonCoilQ},
                                    std::pair{settings.capacitorQ, kLossReasonCapacitorQ}}) {
        if (!(std::isfinite(q) && q > 0)) {
            err << kCalcPrefix << reason << '\n';
            return kCalcBadEntries;
        }
    }
    const DesignOptions designOptions{options.loadedQ, options.hold};
    std::vector<DesignRequest> requests;
    for (int topology = kFirstTopology; topology <= kLastTopology; ++topology) {
        if (options.topology == 0 || options.topology == topology)
            requests.push_back({topology, designOptions});
    }
    const RatedDesigns rated = DesignAndChoose(target, requests, profile, settings);
    for (const Design& design : rated.designs) {
        if (std::find(std::begin(kBadInput), std::end(kBadInput), design.reason) != std::end(kBadInput)) {
            err << kCalcPrefix << design.reason << '\n';
            return kCalcBadEntries;
        }
    }
    if (options.json) {
        WriteDesignJson(rated, out);
    } else {
        WriteDesignText(target, options, rated, out);
    }
    const bool solved = std::any_of(rated.designs.begin(), rated.designs.end(),
                                    [](const Design& design) { return !design.solutions.empty(); });
    return solved ? kCalcOk : kCalcNotComputable;
}

} // namespace vorelin
