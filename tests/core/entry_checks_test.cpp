#include "core/entry_checks.h"

#include "tests/support/sessions.h"

#include <gtest/gtest.h>

#include <string>

namespace vorelin {
namespace {

struct CheckCase {
    const char* name;
    int topology;
    float frequency, impedance;
    test::Parts parts;
    const char* message; // nullptr: the entries pass
    const char* field;
};

constexpr const char* kShuntL = "Shunt inductor must have a positive value";
constexpr const char* kSeriesC = "Series capacitor must have a positive value";
constexpr const char* kFrequency = "Frequency must be a positive value";
constexpr const char* kImpedance = "System impedance must be a positive value";

const CheckCase kCases[] = {
    {"ZeroPartsOfLNetworkPass", 1, 4e6f, 50, {}, nullptr, ""},
    {"ShuntInductorFirst", 3, 4e6f, 50, {}, kShuntL, "L1"},
    {"ThenSeriesCapacitor", 3, 4e6f, 50, {.l1 = 1e-6f}, kSeriesC, "C2"},
    {"SeriesCapacitorBeforeShuntInductor", 4, 4e6f, 50, {}, kSeriesC, "C1"},
    {"TeeOfCapacitorsLastPart", 6, 4e6f, 50, {1e-10f, 0, 0, 0, 1e-6f, 0}, kSeriesC, "C3"},
    {"PiOfInductorsMiddlePart", 8, 4e6f, 50, {0, -1e-10f, 0, 1e-6f, 0, 1e-6f}, kSeriesC, "C2"},
    {"PiOfInductorsLastPart", 8, 4e6f, 50, {0, 1e-10f, 0, 1e-6f, 0, 0}, kShuntL, "L3"},
    {"PartsBeforeFrequency", 6, 0, 0, {}, kSeriesC, "C1"},
    {"FrequencyBeforeImpedance", 1, 0, -50, {}, kFrequency, "Frequency"},
    {"Impedance", 7, 4e6f, 0, {}, kImpedance, "Impedance"},
    {"UnknownTopologySkipsParts", 9, 4e6f, 50, {}, nullptr, ""},
    {"NegativeSeriesInductorPasses", 5, 4e6f, 50, {.l1 = -1e-6f}, nullptr, ""},
};

TEST(EntryChecks, FirstFailingCheckWins) {
    for (const auto& c : kCases) {
        const auto problem = CheckEntries(test::Entries(c.topology, c.frequency, c.impedance, c.parts));
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
