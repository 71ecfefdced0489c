#include "core/entry_checks.h"

#include <gtest/gtest.h>

#include <string>

namespace vorelin {
namespace {

struct CheckCase {
    const char* name;
    int topology;
    float frequency, impedance, c1, c2, c3, l1, l2, l3;
    const char* message; // nullptr: the entries pass
    const char* field;
};

constexpr const char* kShuntL = "Shunt inductor must have a positive value";
constexpr const char* kSeriesC = "Series capacitor must have a positive value";
constexpr const char* kFrequency = "Frequency must be a positive value";
constexpr const char* kImpedance = "System impedance must be a positive value";

const CheckCase kCases[] = {
    {"ZeroPartsOfLNetworkPass", 1, 4e6f, 50, 0, 0, 0, 0, 0, 0, nullptr, ""},
    {"ShuntInductorFirst", 3, 4e6f, 50, 0, 0, 0, 0, 0, 0, kShuntL, "L1"},
    {"ThenSeriesCapacitor", 3, 4e6f, 50, 0, 0, 0, 1e-6f, 0, 0, kSeriesC, "C2"},
    {"SeriesCapacitorBeforeShuntInductor", 4, 4e6f, 50, 0, 0, 0, 0, 0, 0, kSeriesC, "C1"},
    {"TeeOfCapacitorsLastPart", 6, 4e6f, 50, 1e-10f, 0, 0, 0, 1e-6f, 0, kSeriesC, "C3"},
    {"PiOfInductorsMiddlePart", 8, 4e6f, 50, 0, -1e-10f, 0, 1e-6f, 0, 1e-6f, kSeriesC, "C2"},
    {"PiOfInductorsLastPart", 8, 4e6f, 50, 0, 1e-10f, 0, 1e-6f, 0, 0, kShuntL, "L3"},
    {"PartsBeforeFrequency", 6, 0, 0, 0, 0, 0, 0, 0, 0, kSeriesC, "C1"},
    {"FrequencyBeforeImpedance", 1, 0, -50, 0, 0, 0, 0, 0, 0, kFrequency, "Frequency"},
    {"Impedance", 7, 4e6f, 0, 0, 0, 0, 0, 0, 0, kImpedance, "Impedance"},
    {"UnknownTopologySkipsParts", 9, 4e6f, 50, 0, 0, 0, 0, 0, 0, nullptr, ""},
    {"NegativeSeriesInductorPasses", 5, 4e6f, 50, 0, 0, 0, -1e-6f, 0, 0, nullptr, ""},
};

TEST(EntryChecks, FirstFailingCheckWins) {
    for (const auto& c : kCases) {
        Session s;
        s.Topology = static_cast<std::int16_t>(c.topology);
        s.Frequency = c.frequency;
        s.Impedance = c.impedance;
        s.C1 = c.c1;
        s.C2 = c.c2;
        s.C3 = c.c3;
        s.L1 = c.l1;
        s.L2 = c.l2;
        s.L3 = c.l3;
        const auto problem = CheckEntries(s);
        if (c.message == nullptr) {
            EXPECT_FALSE(problem.has_value()) << c.name;
            continue;
        }
        ASSERT_TRUE(problem.has_value()) << c.name;
        EXPECT_EQ(problem->message, c.message) << c.name;
        EXPECT_EQ(problem->field, c.field) << c.name;
    }
}

} // namespace
} // namespace vorelin
