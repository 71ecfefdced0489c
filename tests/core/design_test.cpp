#include "core/design.h"

#include "core/networks.h"
#include "core/topology.h"
#include "tests/support/float_bits.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <limits>
#include <random>

namespace vorelin {
namespace {

using Complex = std::complex<double>;

Complex LoadOf(const Entries& e) {
    const NetworkRun run = RunNetwork(e);
    if (!run.Computed()) return std::numeric_limits<double>::quiet_NaN();
    return {static_cast<double>(run.load.LoadR), static_cast<double>(run.load.LoadX)};
}

bool Matches(Complex load, const DesignTarget& t) {
    const Complex target(static_cast<double>(t.loadR), static_cast<double>(t.loadX));
    return std::abs(load - target) <= 1e-4 * std::abs(target);
}

// A series part's reactance over Z0, or a shunt part's susceptance times Z0.
double RelativeEffect(const PartSlot& part, float value, const DesignTarget& t) {
    const double product = static_cast<double>(t.frequency) * 8 * std::atan(1.0) * static_cast<double>(value);
    const double effect =
        (part.kind == PartKind::Inductor) == (part.placement == Placement::Series) ? product : 1 / product;
    const double z0 = static_cast<double>(t.impedance);
    return part.placement == Placement::Series ? effect / z0 : effect * z0;
}

double QOf(Complex z) { return std::fabs(z.imag()) / z.real(); }

// Offered solutions give the load back, have no part near zero or above the largest entry, keep
// a held value, and have their loaded Q: an L network's, of its first part and of the load; a T or
// pi network's, of its two L sections at the internal node (the first part's, and that of the L
// network of the first two), the load's own not counted.
void ExpectSound(const Design& d, const DesignTarget& t, const DesignOptions& o = {}) {
    static constexpr std::int16_t kFirstTwoOf[] = {0, 0, 0, 0, 0, 1, 4, 2, 3};
    const auto parts = PartsOf(d.topology);
    for (const DesignSolution& s : d.solutions) {
        ASSERT_TRUE(Matches(LoadOf(s.entries), t)) << d.topology;
        for (const PartSlot& part : parts) {
            const float value = s.entries.*part.value;
            EXPECT_GE(RelativeEffect(part, value, t), 1e-3) << d.topology << part.name;
            EXPECT_LE(value, 1e10f) << d.topology << part.name;
            EXPECT_TRUE(!d.held || o.hold->part != part.name ||
                        test::Bits(value) == test::Bits(o.hold->value));
        }
        Entries firstTwo = s.entries;
        firstTwo.Topology = kFirstTwoOf[d.topology];
        const double q = std::max(RelativeEffect(parts[0], s.entries.*parts[0].value, t),
                                  parts.size() == 3 ? QOf(LoadOf(firstTwo)) : QOf(LoadOf(s.entries)));
        EXPECT_NEAR(s.loadedQ, q, 1e-3 * q) << d.topology;
        EXPECT_TRUE(d.designQ == 0 || std::fabs(s.loadedQ - d.designQ) <= 1e-9 * q) << d.topology;
    }
}

// The part values from 1e-17 to 10 at which f changes sign, by a log scan and bisection.
template <class F> std::vector<float> Roots(F f) {
    const auto negative = [&](double x) { return f(static_cast<float>(x)) < 0; };
    std::vector<float> roots;
    for (double low = 1e-17; low < 10; low *= 1.12) {
        double a = low, b = low * 1.12;
        if (negative(a) == negative(b)) continue;
        for (int k = 0; k < 60; ++k)
            (negative(std::sqrt(a * b)) == negative(low) ? a : b) = std::sqrt(a * b);
        roots.push_back(static_cast<float>(b));
    }
    return roots;
}

// An L network's solutions without its formulas: the last part leaves the load's R (G if shunt) alone.
// Counts those that match clear of the near-zero margin.
int BruteForce(int topology, const DesignTarget& t) {
    const auto parts = PartsOf(topology);
    const bool shuntLast = parts[1].placement == Placement::Shunt;
    const Complex target(static_cast<double>(t.loadR), static_cast<double>(t.loadX));
    const Complex aim = shuntLast ? 1.0 / target : target;
    Entries e{
        .Frequency = t.frequency, .Impedance = t.impedance, .Topology = static_cast<std::int16_t>(topology)};
    const auto seen = [&](float first, float second) {
        e.*parts[0].value = first;
        e.*parts[1].value = second;
        return shuntLast ? 1.0 / LoadOf(e) : LoadOf(e);
    };
    int clear = 0;
    for (const float first : Roots([&](float p) { return seen(p, 1e-9f).real() - aim.real(); })) {
        for (const float second : Roots([&](float p) { return seen(first, p).imag() - aim.imag(); })) {
            seen(first, second);
            clear += Matches(LoadOf(e), t) && RelativeEffect(parts[0], first, t) > 1.001e-3 &&
                     RelativeEffect(parts[1], second, t) > 1.001e-3;
        }
    }
    return clear;
}

TEST(Design, RandomLoadsComeBack) {
    std::mt19937 random(20261207);
    std::uniform_real_distribution<double> unit(0, 1);
    const auto logUniform = [&](double low, double high) {
        return static_cast<float>(low * std::pow(high / low, unit(random)));
    };
    for (int i = 0; i < 2000; ++i) {
        const DesignTarget t{logUniform(0.5, 5000), static_cast<float>(10000 * unit(random) - 5000),
                             i % 2 ? 75.0f : 50.0f, logUniform(1.8e6, 54e6)};
        const std::string_view part = kEntryParts[static_cast<std::size_t>(i % 6)].name;
        const DesignOptions held{
            .hold = DesignHold{part, part[0] == 'C' ? logUniform(1e-11, 2e-9) : logUniform(1e-7, 2e-5)}};
        const auto designs = DesignAll(t), heldDesigns = DesignAll(t, held);
        for (std::size_t k = 0; k < designs.size(); ++k) {
            const Design& d = designs[k];
            EXPECT_NE(d.solutions.empty(), d.reason.empty());
            ExpectSound(d, t);
            ExpectSound(heldDesigns[k], t, held);
            if (d.topology <= 4) {
                EXPECT_GE(static_cast<int>(d.solutions.size()), BruteForce(d.topology, t))
                    << d.topology << d.reason;
            } else {
                EXPECT_EQ(d.designQ, std::max(2 * d.leastQ, kLeastDefaultQ));
                EXPECT_FALSE(d.solutions.empty()) << d.topology << " " << d.reason;
            }
        }
    }
}

TEST(Design, WorkedExampleComesBackWithC1Held) {
    const Entries entered{
        .Frequency = 14.2e6f, .Impedance = 50, .C1 = 150e-12f, .C3 = 300e-12f, .L2 = 2.2e-6f, .Topology = 7};
    const Load load = RunNetwork(entered).load;
    const DesignTarget t{load.LoadR, load.LoadX, 50, 14.2e6f};
    const DesignOptions o{.hold = DesignHold{"C1", 150e-12f}};
    const Design d = DesignNetwork(7, t, o);
    ExpectSound(d, t, o);
    EXPECT_TRUE(std::any_of(d.solutions.begin(), d.solutions.end(), [&](const DesignSolution& s) {
        return std::fabs(s.entries.L2 / entered.L2 - 1) < 1e-4f &&
               std::fabs(s.entries.C3 / entered.C3 - 1) < 1e-4f;
    }));
}

// The least Q of a T or pi network is where positive parts begin: scanning the Q upward, the first
// that the design offers a sound solution for lies just above it, none below. For the reactive load
// of a user's 80 m dipole, the T of topology 6 and the pi of topology 7 start at 2.81 and 2.46 (the
// load's own Q, 7.85, does not count).
TEST(Design, LeastQIsWherePositivePartsBegin) {
    const DesignTarget dipole{5.626f, 44.148f, 50, 3.55e6f};
    EXPECT_NEAR(DesignNetwork(6, dipole).leastQ, 2.81, 0.005);
    EXPECT_NEAR(DesignNetwork(7, dipole).leastQ, 2.46, 0.005);
    EXPECT_DOUBLE_EQ(DesignNetwork(7, dipole).designQ, 2 * DesignNetwork(7, dipole).leastQ);
    std::mt19937 random(3550);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int i = 0; i < 40; ++i) {
        const DesignTarget t{static_cast<float>(2 * std::pow(1000.0, unit(random))),
                             static_cast<float>(600 * unit(random) - 300), 50, 7.1e6f};
        for (int topology = 5; topology <= 8; ++topology) {
            const double least = DesignNetwork(topology, t).leastQ;
            double first = 0;
            for (double q = 0.01; q < 1000 && first == 0; q *= 1.005) {
                const Design d = DesignNetwork(topology, t, {.loadedQ = q});
                ExpectSound(d, t, {.loadedQ = q});
                if (!d.solutions.empty()) first = q;
            }
            EXPECT_LE(least, first) << topology << " " << t.loadR << " " << t.loadX;
            EXPECT_LE(first, std::max(least * 1.01, least + 0.01))
                << topology << " " << t.loadR << " " << t.loadX;
        }
    }
}

// A capacitive load above Z0: at this Q the middle node of the T may lean either way, and holding
// L1 at the value both share finds both again.
TEST(Design, BothBranchesOfTheMiddleNode) {
    const DesignTarget t{200, -200, 50, 14.2e6f};
    const Design atQ = DesignNetwork(5, t, {.loadedQ = 2});
    ASSERT_EQ(atQ.solutions.size(), 2u);
    EXPECT_LT(atQ.solutions[0].entries.C2, atQ.solutions[1].entries.C2);
    EXPECT_EQ(DesignNetwork(5, t, {.hold = DesignHold{"L1", atQ.solutions[0].entries.L1}}).solutions.size(),
              2u);
}

// clang-format off
struct ReasonCase { int topology; DesignTarget target; DesignOptions options; std::string_view reason; };

TEST(Design, Reasons) {
    const ReasonCase cases[] = {
        {9, {50, 0, 50, 14.2e6f}, {}, kReasonNoTopology},
        {1, {50, 0, 0, 14.2e6f}, {}, kReasonBadImpedance},
        {1, {50, 0, 50, std::numeric_limits<float>::quiet_NaN()}, {}, kReasonBadFrequency},
        {1, {-1, 0, 50, 14.2e6f}, {}, kReasonBadLoad},
        {5, {0, 30, 50, 14.2e6f}, {}, kReasonNoResistance},
        {1, {50, 0.01f, 50, 14.2e6f}, {}, kReasonAlreadyMatched},
        {2, {100, 0, 50, 14.2e6f}, {}, kReasonInsideRCircle},
        {4, {10, 0, 50, 14.2e6f}, {}, kReasonInsideGCircle},
        {3, {5, -100, 50, 14.2e6f}, {}, kReasonTooCapacitive},
        {2, {5, 100, 50, 14.2e6f}, {}, kReasonTooInductive},
        {1, {50, -100, 50, 14.2e6f}, {}, kReasonOnePart},
        {6, {50, 0, 50, 14.2e6f}, {.loadedQ = 0}, kReasonBadQ},
        {7, {200, 0, 50, 14.2e6f}, {.loadedQ = 1.7}, kReasonBelowLeastQ},
        {7, {200, 0, 50, 14.2e6f}, {.loadedQ = std::sqrt(3.0) * (1 + 1e-12)}, kReasonPartNearZero},
        {8, {50, 0, 50, 14.2e6f}, {.hold = DesignHold{"C4", 1e-10f}}, kReasonBadHoldPart},
        {8, {50, 0, 50, 14.2e6f}, {.hold = DesignHold{"C2", -1e-10f}}, kReasonBadHoldValue},
        {7, {50, 0, 50, 14.2e6f}, {.hold = DesignHold{"L2", 1.2e-6f}}, kReasonHeldNoMatch},
        {7, {4677.19434f, -482.958832f, 50, 3247199.75f}, {.hold = DesignHold{"L2", 1.90960662e-7f}}, kReasonInexact},
        {6, {0.01958f, -0.01612f, 300, 8875}, {.hold = DesignHold{"C1", 2.404e-12f}}, kReasonInexact},
        {7, {50, 20, 50, 1e-30f}, {}, kReasonPartTooLarge},
        {1, {50, 20, 50, 1e-30f}, {}, kReasonPartTooLarge},
    };
    for (const ReasonCase& c : cases) {
        const Design d = DesignNetwork(c.topology, c.target, c.options);
        EXPECT_EQ(d.reason, c.reason) << c.topology << " " << c.target.loadR;
        EXPECT_TRUE(d.solutions.empty());
    }
}
// clang-format on

} // namespace
} // namespace vorelin
