// The choice among the designs: the default by brute force over the listed solutions, the held
// values that would work by trying held values one by one.
#include "core/design_choice.h"

#include "core/networks.h"
#include "core/topology.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>

namespace vorelin {
namespace {

constexpr DesignTarget kTargets[] = {{2.45456648f, 47.0132179f, 50, 14.2e6f},
                                     {200, -200, 50, 14.2e6f},
                                     {12, 3, 50, 3.6e6f},
                                     {30, -40, 75, 28e6f}};

double LossOf(const Entries& entries, const LossSettings& settings) {
    return TunerLossOf(entries, RunNetwork(entries).load, settings).lossDb;
}

// The default by brute force: the least loss among `fits`, the lower loaded Q on a tie.
std::optional<SolutionPlace> BruteForceDefault(const std::vector<Design>& designs,
                                               const LossSettings& settings, const auto& fits) {
    std::optional<SolutionPlace> best;
    double bestLoss = 0, bestQ = 0;
    for (std::size_t d = 0; d < designs.size(); ++d) {
        for (std::size_t s = 0; s < designs[d].solutions.size(); ++s) {
            const DesignSolution& solution = designs[d].solutions[s];
            const double loss = LossOf(solution.entries, settings);
            if (!fits(designs[d], s)) continue;
            const bool tie = std::fabs(loss - bestLoss) <= kLossTieDb;
            if (!best || (tie ? solution.loadedQ < bestQ : loss < bestLoss))
                best = SolutionPlace{d, s}, bestLoss = loss, bestQ = solution.loadedQ;
        }
    }
    return best;
}

// Without a profile the default is the least-loss solution of all; with one, only its network's
// solutions within its ranges count: a range that ends between a T or pi network's two solutions
// leaves the one below it, and marks the part of the other.
TEST(DesignChoice, DefaultIsTheLeastLossWithinTheProfile) {
    for (const DesignTarget& target : kTargets) {
        for (const std::optional<double> q : {std::optional<double>{}, std::optional<double>{12}}) {
            const std::vector<Design> designs = DesignAll(target, {.loadedQ = q});
            const DesignChoice free = ChooseDesign(designs, nullptr, {});
            EXPECT_EQ(free.preferred,
                      BruteForceDefault(designs, {}, [](const Design&, std::size_t) { return true; }));
            for (const Design& design : designs) {
                if (design.solutions.size() != 2) continue;
                const PartSlot& first = PartsOf(design.topology)[0];
                const double unit = first.kind == PartKind::Capacitor ? 1e12 : 1e6;
                const double a = static_cast<double>(design.solutions[0].entries.*first.value) * unit,
                             b = static_cast<double>(design.solutions[1].entries.*first.value) * unit;
                TunerProfile profile;
                profile.topology = static_cast<std::int16_t>(design.topology);
                profile.coilQ = 60, profile.capacitorQ = 300;
                const auto index =
                    std::ranges::find(kEntryParts, first.name, &EntryPart::name) - kEntryParts.begin();
                profile.ranges[static_cast<std::size_t>(index)] = PartRange{0, std::sqrt(a * b)};
                const std::size_t inside = a < b ? 0 : 1;
                const DesignChoice choice = ChooseDesign(designs, &profile, LossSettingsOf(&profile));
                const auto fits = [&](const Design& d, std::size_t s) {
                    return &d == &design && s == inside;
                };
                EXPECT_EQ(choice.preferred, BruteForceDefault(designs, LossSettingsOf(&profile), fits));
                const auto d = static_cast<std::size_t>(&design - designs.data());
                EXPECT_EQ(choice.ratings[d][1 - inside].outside.at(0).part, first.name);
                EXPECT_EQ(choice.ratings[d][inside].lossDb,
                          LossOf(design.solutions[inside].entries, {100, 60, 300}));
            }
        }
    }
    // Of two solutions of one loss, the lower loaded Q, in either order.
    Design twins = DesignNetwork(7, kTargets[0]);
    twins.solutions.push_back(twins.solutions.at(0));
    twins.solutions[0].loadedQ = 9;
    EXPECT_EQ(ChooseDesign({&twins, 1}, nullptr, {}).preferred, (SolutionPlace{0, 1}));
    std::swap(twins.solutions[0], twins.solutions[1]);
    EXPECT_EQ(ChooseDesign({&twins, 1}, nullptr, {}).preferred, (SolutionPlace{0, 0}));
}

// Every held value tried on a fine scan of the part's reactance (or susceptance) works exactly
// where a span says, away from the spans' ends; with a profile, within its ranges.
TEST(DesignChoice, WorkingHoldValuesAreWhereAHoldWorks) {
    TunerProfile pi;
    pi.topology = 7;
    pi.ranges[0] = {20, 500}; // C1, pF
    pi.ranges[2] = {20, 400}; // C3
    pi.ranges[4] = {0.5, 3};  // L2, uH
    const DesignTarget target = kTargets[0];
    const double omega = 2 * M_PI * static_cast<double>(target.frequency);
    for (int topology = 5; topology <= 8; ++topology) {
        for (const PartSlot& part : PartsOf(topology)) {
            const TunerProfile* profile = topology == 7 ? &pi : nullptr;
            const auto spans = WorkingHoldValues(topology, target, part.name, profile);
            const double unit = part.kind == PartKind::Capacitor ? 1e-12 : 1e-6;
            for (double effect = 1.01e-2; effect < 1e2; effect *= 1.0173) {
                const bool direct =
                    (part.kind == PartKind::Inductor) == (part.placement == Placement::Series);
                const double scale = part.placement == Placement::Series ? 50 : 1.0 / 50;
                const double value = direct ? effect * scale / omega : 1 / (omega * effect * scale);
                bool inside = false, nearEdge = false;
                for (const PartRange& span : spans) {
                    inside |= value >= *span.least * unit && value <= *span.largest * unit;
                    for (const double end : {*span.least, *span.largest})
                        nearEdge |= std::fabs(value / (end * unit) - 1) < 1e-4;
                }
                if (nearEdge) continue;
                const Design design = DesignNetwork(
                    topology, target, {.hold = DesignHold{part.name, static_cast<float>(value)}});
                const bool works = std::ranges::any_of(design.solutions, [&](const DesignSolution& s) {
                    return profile == nullptr || PartsOutsideProfile(*profile, s.entries).empty();
                });
                EXPECT_EQ(works, inside) << topology << " " << part.name << " " << value;
            }
        }
    }
}

TEST(DesignChoice, WorkingHoldTexts) {
    const struct {
        std::string_view part;
        std::vector<PartRange> spans;
        bool withinProfile;
        std::string_view text;
    } cases[] = {
        {"C1", {{20.000000000000004, 500}}, true, "C1 from 20 to 500 pF would work."},
        {"C1",
         {{35.21234, 401.5678}, {900, 1200}},
         false,
         "C1 from 35.22 to 401.5 pF or from 900 to 1200 pF would work."},
        {"L2", {{0.10000012, 0.10000034}}, false, "L2 from 0.1000001 to 0.1000003 µH would work."},
        {"C3", {}, true, "No value of C3 works within the profile's ranges."},
        {"L1", {}, false, "No value of L1 works."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WorkingHoldText(c.part, c.spans, c.withinProfile), c.text);
}

} // namespace
} // namespace vorelin
