#include "core/design_choice.h"

#include "core/engineering_value.h"
#include "core/figures_text.h"
#include "core/networks.h"
#include "core/profile_form.h"
#include "core/topology.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vorelin {

namespace {

// The scan of a held part: its reactance or susceptance from kLeastEffect to kLargestEffect times
// Z0 or 1/Z0, kStepsPerDecade steps a decade; each edge bisected until its ends lie this close.
constexpr double kLeastEffect = 1e-3, kLargestEffect = 1e3;
constexpr double kStepsPerDecade = 50;
constexpr double kEdgeRatio = 1 + 1e-7;
constexpr int kShownDigits = 4;

bool OfProfileNetwork(const TunerProfile* profile, int topology) {
    return profile != nullptr && profile->topology == topology;
}

// Whether `a` should be the default rather than `b`.
bool Preferable(double lossA, double qA, double lossB, double qB) {
    if (std::fabs(lossA - lossB) > kLossTieDb) return lossA < lossB;
    return qA < qB;
}

double UnitOf(PartKind kind) { return kind == PartKind::Capacitor ? 1e-12 : 1e-6; }

// A span's end to kShownDigits significant digits, rounded into the span (up for its least end)
// so that the value shown works too.
double Inward(double value, bool up) {
    const double step = std::pow(10.0, std::floor(std::log10(value)) - (kShownDigits - 1));
    const double scaled = value / step, nearest = std::round(scaled);
    // An end at a round value but for the last bits of a double (a profile's 20 pF) stays that value.
    if (std::fabs(scaled - nearest) <= 1e-6) return nearest * step;
    return (up ? std::ceil(scaled) : std::floor(scaled)) * step;
}

} // namespace

LossSettings LossSettingsOf(const TunerProfile* profile) {
    LossSettings settings;
    if (profile != nullptr) {
        settings.coilQ = profile->coilQ;
        settings.capacitorQ = profile->capacitorQ;
    }
    return settings;
}

DesignChoice ChooseDesign(std::span<const Design> designs, const TunerProfile* profile,
                          const LossSettings& settings) {
    DesignChoice choice;
    for (std::size_t d = 0; d < designs.size(); ++d) {
        const Design& design = designs[d];
        std::vector<SolutionRating>& ratings = choice.ratings.emplace_back();
        for (std::size_t s = 0; s < design.solutions.size(); ++s) {
            const DesignSolution& solution = design.solutions[s];
            SolutionRating& rating = ratings.emplace_back();
            if (const NetworkRun run = RunNetwork(solution.entries); run.Computed()) {
                const TunerLoss loss = TunerLossOf(solution.entries, run.load, settings);
                if (loss.Computed()) rating.lossDb = loss.lossDb;
            }
            const bool ofProfile = OfProfileNetwork(profile, design.topology);
            if (ofProfile) rating.outside = PartsOutsideProfile(*profile, solution.entries);
            rating.eligible = rating.lossDb && (profile == nullptr || (ofProfile && rating.outside.empty()));
            if (!rating.eligible) continue;
            if (choice.preferred) {
                const SolutionRating& best = choice.RatingOf(*choice.preferred);
                const double bestQ =
                    designs[choice.preferred->design].solutions[choice.preferred->solution].loadedQ;
                if (!Preferable(*rating.lossDb, solution.loadedQ, *best.lossDb, bestQ)) continue;
            }
            choice.preferred = SolutionPlace{d, s};
        }
    }
    return choice;
}

bool HoldFails(const Design& design, std::span<const SolutionRating> ratings, const TunerProfile* profile) {
    if (!design.held) return false;
    const bool ofProfile = OfProfileNetwork(profile, design.topology);
    return std::ranges::none_of(
        ratings, [ofProfile](const SolutionRating& r) { return !ofProfile || r.outside.empty(); });
}

std::vector<PartRange> WorkingHoldValues(int topology, const DesignTarget& target, std::string_view part,
                                         const TunerProfile* profile) {
    const auto parts = PartsOf(topology);
    const auto slot = std::ranges::find(parts, part, &PartSlot::name);
    const double omega = 2 * std::numbers::pi * static_cast<double>(target.frequency);
    const auto z0 = static_cast<double>(target.impedance);
    if (!IsTOrPi(topology) || slot == parts.end() || !(std::isfinite(omega) && omega > 0) ||
        !(std::isfinite(z0) && z0 > 0))
        return {};
    // A series coil or shunt capacitor grows with its reactance or susceptance, the others shrink.
    const bool direct = (slot->kind == PartKind::Inductor) == (slot->placement == Placement::Series);
    const double scale = slot->placement == Placement::Series ? z0 : 1 / z0;
    const auto valueAt = [&](double effect) { return direct ? effect / omega : 1 / (omega * effect); };
    double low = valueAt(kLeastEffect * scale), high = valueAt(kLargestEffect * scale);
    if (low > high) std::swap(low, high);
    const double unit = UnitOf(slot->kind);
    const bool withinProfile = OfProfileNetwork(profile, topology);
    if (withinProfile) {
        const PartRange& range = profile->RangeOf(part);
        if (range.least) low = std::max(low, *range.least * unit);
        if (range.largest) high = std::min(high, *range.largest * unit);
    }
    high = std::min(high, static_cast<double>(kLargestEntry));
    if (!(low > 0 && low < high)) return {};

    const auto works = [&](double value) {
        const Design design =
            DesignNetwork(topology, target, {.hold = DesignHold{slot->name, static_cast<float>(value)}});
        return std::ranges::any_of(design.solutions, [&](const DesignSolution& solution) {
            return !withinProfile || PartsOutsideProfile(*profile, solution.entries).empty();
        });
    };
    // The edge between a value that works and one that does not, on the side that works.
    const auto edge = [&works](double inside, double outside) {
        while (std::max(inside, outside) > kEdgeRatio * std::min(inside, outside)) {
            const double middle = std::sqrt(inside * outside);
            (works(middle) ? inside : outside) = middle;
        }
        return inside;
    };
    const auto steps = static_cast<int>(std::ceil(std::log10(high / low) * kStepsPerDecade));
    std::vector<PartRange> spans;
    double previous = low;
    bool previousWorks = works(low);
    if (previousWorks) spans.push_back({low / unit, {}});
    for (int i = 1; i <= steps; ++i) {
        const double value = i == steps ? high : low * std::pow(high / low, static_cast<double>(i) / steps);
        const bool valueWorks = works(value);
        if (valueWorks && !previousWorks) spans.push_back({edge(value, previous) / unit, {}});
        if (!valueWorks && previousWorks) spans.back().largest = edge(previous, value) / unit;
        previous = value;
        previousWorks = valueWorks;
    }
    if (previousWorks) spans.back().largest = high / unit;
    // Far from Z0 the float parts miss the load now and then: a gap narrower than two steps is
    // bridged rather than told as two spans.
    const double step = std::pow(10.0, 2 / kStepsPerDecade);
    for (std::size_t i = 1; i < spans.size();) {
        if (*spans[i].least > *spans[i - 1].largest * step) {
            ++i;
            continue;
        }
        spans[i - 1].largest = spans[i].largest;
        spans.erase(spans.begin() + static_cast<std::ptrdiff_t>(i));
    }
    return spans;
}

RatedDesigns DesignAndChoose(const DesignTarget& target, std::span<const DesignRequest> requests,
                             const TunerProfile* profile, const LossSettings& settings) {
    RatedDesigns rated;
    for (const DesignRequest& request : requests)
        rated.designs.push_back(DesignNetwork(request.topology, target, request.options));
    rated.choice = ChooseDesign(rated.designs, profile, settings);
    for (std::size_t d = 0; d < requests.size(); ++d) {
        auto& working = rated.workingHolds.emplace_back();
        if (!HoldFails(rated.designs[d], rated.choice.ratings[d], profile)) continue;
        // The name as the topology's table holds it, which outlives the request.
        const int topology = requests[d].topology;
        const std::string_view part =
            std::ranges::find(PartsOf(topology), requests[d].options.hold->part, &PartSlot::name)->name;
        std::vector<PartRange> spans = WorkingHoldValues(topology, target, part, profile);
        std::string text = WorkingHoldText(part, spans, OfProfileNetwork(profile, topology));
        working = WorkingHold{part, std::move(spans), std::move(text)};
    }
    if (profile != nullptr) rated.profileName = profile->name;
    rated.settings = settings;
    return rated;
}

std::string LossBasisText(const RatedDesigns& rated) {
    const std::string losses = "losses at coil Q " + FigureText(rated.settings.coilQ) + ", capacitor Q " +
                               FigureText(rated.settings.capacitorQ);
    if (rated.profileName.empty()) return "No tuner profile: " + losses;
    return "Tuner profile \"" + rated.profileName + "\": " + losses;
}

std::string WorkingHoldText(std::string_view part, std::span<const PartRange> spans, bool withinProfile) {
    const std::string name(part);
    if (spans.empty())
        return "No value of " + name + (withinProfile ? " works within the profile's ranges." : " works.");
    const std::string unit(RangeUnit(part.front() == 'C' ? PartKind::Capacitor : PartKind::Inductor));
    std::string text = name;
    for (std::size_t i = 0; i < spans.size(); ++i) {
        const double foundLeast = *spans[i].least, foundLargest = *spans[i].largest;
        double least = Inward(foundLeast, true), largest = Inward(foundLargest, false);
        int digits = kShownDigits;
        // A span too narrow for the digits shown keeps its ends as found.
        if (least > largest) least = foundLeast, largest = foundLargest, digits = 7;
        text += (i > 0 ? " or from " : " from ") + FigureText(least, digits) + " to " +
                FigureText(largest, digits) + " " + unit;
    }
    return text + " would work.";
}

} // namespace vorelin
