#pragma once

#include "core/design.h"
#include "core/tuner_loss.h"
#include "core/tuner_profile.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vorelin {

// How one solution of a design stands for the user's tuner.
struct SolutionRating {
    // The tuner's loss in dB with the parts' Q (the same at any power); none when it cannot be
    // computed.
    std::optional<double> lossDb;
    // The parts outside the profile's ranges; only for a solution of the profile's network.
    std::vector<RangeMiss> outside;
    // It may be the default: of the profile's network and within its ranges (any solution without
    // a profile), with a loss.
    bool eligible = false;
};

// A solution by its place: the index of its design, and its index among the design's solutions.
struct SolutionPlace {
    std::size_t design = 0;
    std::size_t solution = 0;
    friend bool operator==(const SolutionPlace&, const SolutionPlace&) = default;
};

struct DesignChoice {
    // Parallel to the designs and their solutions.
    std::vector<std::vector<SolutionRating>> ratings;
    // The default: the eligible solution of least loss; of two whose losses differ by no more than
    // kLossTieDb, the one of lower loaded Q, then the earlier one. None when no solution is eligible.
    std::optional<SolutionPlace> preferred;

    const SolutionRating& RatingOf(SolutionPlace place) const {
        return ratings[place.design][place.solution];
    }
};

inline constexpr double kLossTieDb = 1e-9;

// The Qs of the profile at the default power; the default Qs without one.
LossSettings LossSettingsOf(const TunerProfile* profile);

// Rates every solution (its loss from the load the network routine gives for its values) and picks
// the default. `profile` may be nullptr.
DesignChoice ChooseDesign(std::span<const Design> designs, const TunerProfile* profile,
                          const LossSettings& settings);

// Whether a held design failed: the hold applied and no solution of it counts (within the
// profile's ranges for the profile's network, any solution for another).
bool HoldFails(const Design& design, std::span<const SolutionRating> ratings, const TunerProfile* profile);

// The values of the held part (in pF or uH, both ends set, ascending) at which the network has a
// solution, within the profile's ranges when the profile is of this network (the held part's own
// range included). Found on a logarithmic scan of the part's reactance (or susceptance) from 1e-3
// to 1e3 times Z0 (or 1/Z0), 50 steps a decade, each edge refined to 1e-7 of its value. A span
// narrower than a step may be missed, and a gap narrower than two is bridged: far from Z0 the
// float parts miss the load now and then.
std::vector<PartRange> WorkingHoldValues(int topology, const DesignTarget& target, std::string_view part,
                                         const TunerProfile* profile);

// One network to design, and how.
struct DesignRequest {
    int topology = 0;
    DesignOptions options;
};

// The values of a held part that would work, and the sentence that tells them (WorkingHoldText).
struct WorkingHold {
    std::string_view part;
    std::vector<PartRange> spans;
    std::string text;
};

// The designs asked for, rated for the tuner, with the default; what the design page shows and
// vorelin-calc --design writes.
struct RatedDesigns {
    std::vector<Design> designs; // in the order asked for
    DesignChoice choice;
    // Parallel to the designs: for a held design that failed (HoldFails), the values of the held
    // part that would work (WorkingHoldValues).
    std::vector<std::optional<WorkingHold>> workingHolds;
    std::string profileName; // the profile's name; empty without one
    LossSettings settings;   // the Qs of the losses
};

// Designs each request, rates the solutions with `settings` and picks the default (see
// ChooseDesign), and finds the working values of each held design that failed. `profile` may be
// nullptr.
RatedDesigns DesignAndChoose(const DesignTarget& target, std::span<const DesignRequest> requests,
                             const TunerProfile* profile, const LossSettings& settings);

// What the losses are reckoned with: "Tuner profile \"Shack T\": losses at coil Q 200, capacitor Q
// 1000"; without a profile "No tuner profile: losses at …".
std::string LossBasisText(const RatedDesigns& rated);

// "C1 from 35.2 pF to 401 pF would work.", "… from 10 pF to 20 pF or from 30 pF to 40 pF …";
// "No value of C1 works within the profile's ranges." ("… works." without a profile).
std::string WorkingHoldText(std::string_view part, std::span<const PartRange> spans, bool withinProfile);

} // namespace vorelin
