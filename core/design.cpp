#include "core/design.h"

#include "core/engineering_value.h"
#include "core/networks.h"
#include "core/topology.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>

// The networks are designed the way the routines walk them: from Z0 at the input, part by part,
// to the conjugate of the load at the output. A series part adds a reactance to an impedance, a
// shunt part a susceptance to an admittance, so the sums of a walk that starts with a shunt part
// are those of one that starts with a series part with impedance and admittance swapped. The
// solver therefore works in one frame: it starts from a real value a0 (Z0 when the first part is
// in series, 1/Z0 when it is a shunt part), and each part's "effect" is its reactance or
// susceptance in whichever form is current. The target is the conjugate load, in the form of the
// last part: (R, -X) as an impedance, (G, B) as an admittance.
//
// Converting a0 + j e1 to the other form gives a real part 1/Rv, with Rv = a0 (1 + QA^2) and
// QA = |e1| / a0 the loaded Q at that node. The middle part of a T or pi network lies between two
// conversions, so the node on its other side has the same Rv: Rv = u (1 + QB^2). A loaded Q
// therefore fixes Rv, and Rv fixes every part but for the sign of the middle node's Q.

namespace vorelin {

namespace {

constexpr double kNearZero = 1e-3;               // of Z0 for a reactance, of 1/Z0 for a susceptance
constexpr double kTolerance = 1e-4;              // of |load|, for the load given back
constexpr double kLeastShownCapacitance = 1e-14; // FormatCapacitance shows nothing below
constexpr double kLeastShownInductance = 1e-10;  // FormatInductance shows nothing below

using Effects = std::array<double, 3>;

// +1 for a part that adds to the reactance or susceptance (series L, shunt C), -1 for one that
// takes from it (series C, shunt L).
double SignOf(const PartSlot& part) {
    return (part.kind == PartKind::Inductor) == (part.placement == Placement::Series) ? 1 : -1;
}

// Why a candidate was not offered; a later value explains more and wins the design's reason.
enum class Failure { None, NoMatch, NearZero, TooLarge, Inexact };

// One design problem in double precision, in the solver's frame.
struct Problem {
    int topology = 0;
    std::span<const PartSlot> parts;
    DesignTarget target;
    double omega = 0, z0 = 0, loadR = 0, loadX = 0;
    double a0 = 0;    // Z0 or 1/Z0, by the first part's placement
    double u = 0;     // the target's real part, in the last part's form
    double v = 0;     // the target's imaginary part
    double loadQ = 0; // |X| / R of the load itself, the last node of every network

    double Scale(const PartSlot& part) const { return part.placement == Placement::Series ? z0 : 1 / z0; }
    bool NearZero(std::size_t position, double effect) const {
        return std::fabs(effect) < kNearZero * Scale(parts[position]);
    }
    bool WrongSign(std::size_t position, double effect) const {
        return effect * SignOf(parts[position]) <= 0;
    }
};

// The part value that has a given reactance or susceptance, the way the routines form it:
// omega * value, or 1 / (omega * value).
double ValueOf(const PartSlot& part, double effect, double omega) {
    return SignOf(part) > 0 ? effect / omega : -1 / (omega * effect);
}

double EffectOf(const PartSlot& part, float value, double omega) {
    const double product = omega * static_cast<double>(value);
    return SignOf(part) > 0 ? product : -1 / product;
}

double Root(double x) { return std::sqrt(std::max(0.0, x)); }

// Stores the candidate's parts as floats (a held part keeps its value) and offers it when the
// network routine gives the load back.
Failure Offer(const Problem& p, const Effects& effects, double loadedQ, Design& design,
              std::optional<DesignHold> hold = {}) {
    Entries entries;
    entries.Topology = static_cast<std::int16_t>(p.topology);
    entries.Frequency = p.target.frequency;
    entries.Impedance = p.target.impedance;
    for (std::size_t i = 0; i < p.parts.size(); ++i) {
        if (p.NearZero(i, effects[i])) return Failure::NearZero;
    }
    for (std::size_t i = 0; i < p.parts.size(); ++i) {
        if (p.WrongSign(i, effects[i])) return Failure::NoMatch;
    }
    for (std::size_t i = 0; i < p.parts.size(); ++i) {
        const PartSlot& part = p.parts[i];
        const bool isHeld = hold && hold->part == part.name;
        const float value = isHeld ? hold->value : static_cast<float>(ValueOf(part, effects[i], p.omega));
        if (!std::isfinite(value)) return Failure::Inexact;
        const double least =
            part.kind == PartKind::Capacitor ? kLeastShownCapacitance : kLeastShownInductance;
        if (static_cast<double>(value) < least) return Failure::NearZero;
        if (value > kLargestEntry) return Failure::TooLarge;
        entries.*part.value = value;
    }
    const NetworkRun run = RunNetwork(entries);
    const double error = std::hypot(static_cast<double>(run.load.LoadR) - p.loadR,
                                    static_cast<double>(run.load.LoadX) - p.loadX);
    if (!run.Computed() || !(error <= kTolerance * std::hypot(p.loadR, p.loadX))) return Failure::Inexact;
    design.solutions.push_back({entries, loadedQ});
    return Failure::None;
}

// The design's reason for a candidate's failure; `noMatch` when none was near.
std::string_view ReasonOf(Failure failure, std::string_view noMatch) {
    switch (failure) {
    case Failure::None:
        return {};
    case Failure::NearZero:
        return kReasonPartNearZero;
    case Failure::TooLarge:
        return kReasonPartTooLarge;
    case Failure::Inexact:
        return kReasonInexact;
    case Failure::NoMatch:
        break;
    }
    return noMatch;
}

// An L network: the first part brings a0 onto the circle of the target's real part, the second
// cancels what remains of the imaginary part. The first part's sign is fixed by its kind, so
// there is at most one solution.
void DesignL(const Problem& p, Design& design) {
    if (std::hypot(p.loadR - p.z0, p.loadX) <= kNearZero * p.z0) {
        design.reason = kReasonAlreadyMatched;
        return;
    }
    const double rv = 1 / p.u;
    if (rv < p.a0) {
        design.reason =
            p.parts[0].placement == Placement::Series ? kReasonInsideGCircle : kReasonInsideRCircle;
        return;
    }
    const double s1 = SignOf(p.parts[0]);
    const double qa = Root(rv / p.a0 - 1);
    const Effects effects{s1 * p.a0 * qa, p.v + s1 * qa * p.u, 0};
    if (p.NearZero(1, effects[1]) || p.NearZero(0, effects[0])) {
        design.reason = kReasonOnePart;
    } else if (p.WrongSign(1, effects[1])) {
        design.reason = p.parts[1].kind == PartKind::Capacitor ? kReasonTooCapacitive : kReasonTooInductive;
    } else {
        design.reason = ReasonOf(Offer(p, effects, std::max(qa, p.loadQ), design), kReasonOnePart);
    }
}

// The least loaded Q of a T or pi network. All three parts of these networks have one sign s.
// The internal loaded Q is sqrt(Rv / min(a0, u) - 1), growing with Rv; the branch whose middle
// part leans the same way as the outer ones reaches every Rv from the least one on, where either
// the middle node's Q is zero or the last part has just cancelled the target's imaginary part
// (QB = -s v / u). The other branch, when it exists, starts at the same Rv.
double LeastQ(const Problem& p) {
    const double s = SignOf(p.parts[0]);
    const double least = std::min(p.a0, p.u);
    const double qb = std::max(Root(std::max(p.a0, p.u) / p.u - 1), -s * p.v / p.u);
    return Root(p.u * (1 + qb * qb) / least - 1);
}

// The candidates of a T or pi network through the nodes' common value Rv, with the middle node's
// signed Q sigma * QB: e1 = s a0 QA, e2 = (sigma QB + s QA) / Rv, e3 = v + sigma QB u.
Failure OfferThrough(const Problem& p, double rv, double sigmaQb, Design& design,
                     std::optional<DesignHold> hold = {}) {
    const double s = SignOf(p.parts[0]);
    const double qa = Root(rv / p.a0 - 1);
    const Effects effects{s * p.a0 * qa, (sigmaQb + s * qa) / rv, p.v + sigmaQb * p.u};
    return Offer(p, effects, Root(rv / std::min(p.a0, p.u) - 1), design, hold);
}

// With one part held, the other two follow from the held effect h:
// position 1 fixes QA and so Rv; position 3 fixes sigma QB = (h - v) / u and so Rv; position 2
// gives h Rv = sigma QB + s QA, a quadratic in Rv once squared twice.
Failure DesignHeld(const Problem& p, std::size_t position, const DesignHold& hold, Design& design) {
    const double h = EffectOf(p.parts[position], hold.value, p.omega);
    const double s = SignOf(p.parts[0]);
    Failure worst = Failure::NoMatch;
    const auto offer = [&](double rv, double sigmaQb) {
        if (rv < std::max(p.a0, p.u) * (1 - 1e-12)) return;
        worst = std::max(worst, OfferThrough(p, rv, sigmaQb, design, hold));
    };
    if (position == 0) {
        const double qa = std::fabs(h) / p.a0;
        const double rv = p.a0 * (1 + qa * qa);
        const double qb = Root(rv / p.u - 1);
        offer(rv, qb);
        if (qb > 0) offer(rv, -qb);
    } else if (position == 2) {
        const double w = (h - p.v) / p.u;
        offer(p.u * (1 + w * w), w);
    } else {
        const double reach = 1 / (p.a0 * p.u) - h * h;
        if (reach < 0) return worst;
        const double sum = 1 / p.a0 + 1 / p.u, difference = 1 / p.a0 - 1 / p.u;
        const double upper = sum + 2 * std::sqrt(reach);
        // The smaller root in a form that does not cancel. A root that squaring let in does not
        // give the load back, and the check drops it.
        for (const double rv : {(difference * difference + 4 * h * h) / (h * h * upper), upper / (h * h)}) {
            offer(rv, h * rv - s * Root(rv / p.a0 - 1));
        }
    }
    return worst;
}

std::optional<DesignHold> HoldFor(const Problem& p, const DesignOptions& options) {
    if (!options.hold) return {};
    for (const PartSlot& part : p.parts) {
        if (part.name == options.hold->part) return DesignHold{part.name, options.hold->value};
    }
    return {};
}

void DesignTorPi(const Problem& p, const DesignOptions& options, Design& design) {
    design.leastQ = LeastQ(p);
    if (options.hold && PartField(options.hold->part) == nullptr) {
        design.reason = kReasonBadHoldPart;
        return;
    }
    Failure worst = Failure::NoMatch;
    if (const auto hold = HoldFor(p, options)) {
        design.held = true;
        if (!(std::isfinite(hold->value) && hold->value > 0)) {
            design.reason = kReasonBadHoldValue;
            return;
        }
        std::size_t position = 0;
        while (p.parts[position].name != hold->part)
            ++position;
        worst = DesignHeld(p, position, *hold, design);
    } else {
        const double q = options.loadedQ.value_or(std::max(2 * design.leastQ, kLeastDefaultQ));
        if (!(std::isfinite(q) && q > 0)) {
            design.reason = kReasonBadQ;
            return;
        }
        design.designQ = q;
        if (q < design.leastQ) {
            design.reason = kReasonBelowLeastQ;
            return;
        }
        const double rv = std::min(p.a0, p.u) * (1 + q * q);
        const double qb = Root(rv / p.u - 1), s = SignOf(p.parts[0]);
        worst = OfferThrough(p, rv, s * qb, design);
        if (qb > 0) worst = std::max(worst, OfferThrough(p, rv, -s * qb, design));
    }
    if (!design.solutions.empty()) return;
    design.reason = ReasonOf(worst, design.held ? kReasonHeldNoMatch : kReasonBelowLeastQ);
}

// The first problem with the input, or empty.
std::string_view InputReason(int topology, const DesignTarget& t) {
    if (!IsKnownTopology(topology)) return kReasonNoTopology;
    if (!(std::isfinite(t.impedance) && t.impedance > 0)) return kReasonBadImpedance;
    if (!(std::isfinite(t.frequency) && t.frequency > 0)) return kReasonBadFrequency;
    if (!(std::isfinite(t.loadR) && std::isfinite(t.loadX) && t.loadR >= 0)) return kReasonBadLoad;
    if (t.loadR == 0) return kReasonNoResistance;
    return {};
}

Problem ProblemOf(int topology, const DesignTarget& target) {
    Problem p;
    p.topology = topology;
    p.parts = PartsOf(topology);
    p.target = target;
    p.omega = (static_cast<double>(target.frequency) * 8) * std::atan(1.0);
    p.z0 = static_cast<double>(target.impedance);
    p.loadR = static_cast<double>(target.loadR);
    p.loadX = static_cast<double>(target.loadX);
    p.a0 = p.parts.front().placement == Placement::Series ? p.z0 : 1 / p.z0;
    // The routines end at the conjugate load R - jX; as an admittance that is (R + jX) / |Z|^2.
    if (p.parts.back().placement == Placement::Series) {
        p.u = p.loadR;
        p.v = -p.loadX;
    } else {
        const double squared = p.loadR * p.loadR + p.loadX * p.loadX;
        p.u = p.loadR / squared;
        p.v = p.loadX / squared;
    }
    p.loadQ = std::fabs(p.loadX) / p.loadR;
    return p;
}

bool Earlier(const DesignSolution& a, const DesignSolution& b) {
    if (a.loadedQ != b.loadedQ) return a.loadedQ < b.loadedQ;
    for (const PartSlot& part : PartsOf(a.entries.Topology)) {
        if (a.entries.*part.value != b.entries.*part.value)
            return a.entries.*part.value < b.entries.*part.value;
    }
    return false;
}

} // namespace

Design DesignNetwork(int topology, const DesignTarget& target, const DesignOptions& options) {
    Design design;
    design.topology = topology;
    design.reason = InputReason(topology, target);
    if (!design.reason.empty()) return design;

    const Problem p = ProblemOf(topology, target);
    if (p.parts.size() == 2) {
        DesignL(p, design);
    } else {
        DesignTorPi(p, options, design);
    }
    std::sort(design.solutions.begin(), design.solutions.end(), Earlier);
    const auto same = [](const DesignSolution& a, const DesignSolution& b) { return a.entries == b.entries; };
    design.solutions.erase(std::unique(design.solutions.begin(), design.solutions.end(), same),
                           design.solutions.end());
    return design;
}

std::vector<Design> DesignAll(const DesignTarget& target, const DesignOptions& options) {
    std::vector<Design> designs;
    designs.reserve(kTopologyCount);
    for (int topology = kFirstTopology; topology <= kLastTopology; ++topology) {
        designs.push_back(DesignNetwork(topology, target, options));
    }
    return designs;
}

} // namespace vorelin
