#include "core/networks.h"

#include "float_bits.h"
#include "tests/support/sessions.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace vorelin {
namespace {

using test::Bits;
using test::FromBits;

struct NetworkCase {
    const char* name;
    int topology;
    std::uint32_t frequency, impedance;
    std::uint32_t c[3]; // C1, C2, C3
    std::uint32_t l[3]; // L1, L2, L3
    std::uint32_t loadR, loadX;
};

void PrintTo(const NetworkCase& c, std::ostream* out) { *out << c.name; }

// Expected bits from tests/core/reference/network_reference.py, which evaluates every step in
// double precision and rounds to single precision at the end of each one. WorkedExampleL is the
// worked example: 1 MHz / 2 pi, L1 50u, C2 10n, giving 100 ohms.
// One row per line, exactly as the script prints them.
// clang-format off
const NetworkCase kNetworkCases[] = {
    {"TypicalPi", 7, 0x4b58acc0u, 0x42480000u, {0x2f24ed3fu, 0x00000000u, 0x2fa4ed3fu}, {0x00000000u, 0x3613a3b6u, 0x00000000u}, 0x401d179eu, 0x423c0d89u},  // R 2.45456648, X 47.0132179
    {"WorkedExampleL", 1, 0x481b6cbcu, 0x42480000u, {0x00000000u, 0x322bcc77u, 0x00000000u}, {0x3851b717u, 0x00000000u, 0x00000000u}, 0x42c7ffffu, 0xb692ae14u},  // R 99.9999924, X -4.37140443e-06
    {"SeriesLShuntC", 1, 0x4a559f80u, 0x42480000u, {0x00000000u, 0x303aeabfu, 0x00000000u}, {0x369db4b1u, 0x00000000u, 0x00000000u}, 0x42697065u, 0x42daeae5u},  // R 58.3597603, X 109.458778
    {"ShuntCSeriesL", 2, 0x4ad8acc0u, 0x42480000u, {0x2f71e47fu, 0x00000000u, 0x00000000u}, {0x00000000u, 0x35c9539cu, 0x00000000u}, 0x42212f9au, 0xc23c912au},  // R 40.2964859, X -47.1417618
    {"ShuntLSeriesC", 3, 0x4ba037a0u, 0x42480000u, {0x00000000u, 0x2e764a65u, 0x00000000u}, {0x34b12adbu, 0x00000000u, 0x00000000u}, 0x41ac848au, 0x42dd255du},  // R 21.5647163, X 110.572975
    {"SeriesCShuntL", 4, 0x49dbba00u, 0x42960000u, {0x30a4ed3fu, 0x00000000u, 0x00000000u}, {0x00000000u, 0x3749539cu, 0x00000000u}, 0x4311d323u, 0xc171a317u},  // R 145.824753, X -15.1023169
    {"TeeOfInductors", 5, 0x4b1a1d20u, 0x42480000u, {0x00000000u, 0x2fb56b5fu, 0x00000000u}, {0x3593a3b6u, 0x00000000u, 0x363531a6u}, 0x4218b413u, 0xc2d580f8u},  // R 38.1758537, X -106.751892
    {"TeeOfCapacitors", 6, 0x4b58acc0u, 0x42480000u, {0x2edbe6ffu, 0x00000000u, 0x2f5be6ffu}, {0x00000000u, 0x360637bdu, 0x00000000u}, 0x43669bbcu, 0x4337ab1cu},  // R 230.608337, X 183.668396
    {"PiOfCapacitors", 7, 0x4a5bba00u, 0x42480000u, {0x3089705fu, 0x00000000u, 0x31172ecfu}, {0x00000000u, 0x36e42b8eu, 0x00000000u}, 0x3f37c3e4u, 0x41bd4514u},  // R 0.717832804, X 23.6587296
    {"PiOfInductors", 8, 0x4bd8acc0u, 0x42480000u, {0x00000000u, 0x2ded7e98u, 0x00000000u}, {0x34fc544fu, 0x00000000u, 0x34d16131u}, 0x414101c3u, 0xc2d70874u},  // R 12.0629301, X -107.51651
    {"LowImpedance", 5, 0x49e7ef00u, 0x41480000u, {0x00000000u, 0x30ce288fu, 0x00000000u}, {0x365d7591u, 0x00000000u, 0x3727c5acu}, 0x42b6abe2u, 0xc337b8cau},  // R 91.3357086, X -183.721832
    {"HighImpedance", 7, 0x4c3f1dc8u, 0x43e10000u, {0x2cafebffu, 0x00000000u, 0x2d0cbcccu}, {0x00000000u, 0x3456bf95u, 0x00000000u}, 0x42f35c28u, 0x432f3c78u},  // R 121.679993, X 175.236206
};
// clang-format on

class NetworkCases : public testing::TestWithParam<NetworkCase> {};

TEST_P(NetworkCases, LoadIsBitExact) {
    const auto& c = GetParam();
    Session s = test::Entries(c.topology, FromBits(c.frequency), FromBits(c.impedance),
                              {FromBits(c.c[0]), FromBits(c.c[1]), FromBits(c.c[2]), FromBits(c.l[0]),
                               FromBits(c.l[1]), FromBits(c.l[2])});
    ASSERT_EQ(RunNetwork(s), NetworkResult::Computed);
    EXPECT_EQ(Bits(s.LoadR), c.loadR) << s.LoadR;
    EXPECT_EQ(Bits(s.LoadX), c.loadX) << s.LoadX;

    // A second run on the session the first one left (load and part copies written) gives the same bits.
    ASSERT_EQ(RunNetwork(s), NetworkResult::Computed);
    EXPECT_EQ(Bits(s.LoadR), c.loadR);
    EXPECT_EQ(Bits(s.LoadX), c.loadX);
}

INSTANTIATE_TEST_SUITE_P(Reference, NetworkCases, testing::ValuesIn(kNetworkCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(Networks, ZeroPartsGiveTheSystemImpedance) {
    for (const int topology : {1, 2, 5, 7}) {
        Session s = test::Entries(topology, 7e6f, 50);
        ASSERT_EQ(RunNetwork(s), NetworkResult::Computed) << topology;
        EXPECT_NEAR(s.LoadR, 50.0f, 50.0f * 2e-7f) << topology;
        EXPECT_EQ(s.LoadX, 0.0f) << topology; // possibly a negative zero
    }
}

TEST(Networks, CopiesAreWrittenByTheirGroup) {
    Session s = test::Entries(0, 14e6f, 50, {1e-10f, 2e-10f, 3e-10f, 1e-6f, 2e-6f, 3e-6f});
    const struct {
        int topology;
        float Session::*copies[3];
        float expected[3];
    } kGroups[] = {
        {5, {&Session::Net15L1, &Session::Net15C2, &Session::Net15L3}, {1e-6f, 2e-10f, 3e-6f}},
        {7, {&Session::Net27C1, &Session::Net27L2, &Session::Net27C3}, {1e-10f, 2e-6f, 3e-10f}},
        {8, {&Session::Net38L1, &Session::Net38C2, &Session::Net38L3}, {1e-6f, 2e-10f, 3e-6f}},
        {6, {&Session::Net46C1, &Session::Net46L2, &Session::Net46C3}, {1e-10f, 2e-6f, 3e-10f}},
    };
    for (const auto& group : kGroups) {
        s.Topology = static_cast<std::int16_t>(group.topology);
        ASSERT_EQ(RunNetwork(s), NetworkResult::Computed);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(s.*group.copies[i], group.expected[i]) << group.topology;
    }
    // The two-part topology of a group leaves the third copy alone.
    s.Topology = 1;
    s.L1 = 5e-6f;
    s.L3 = 9e-6f;
    ASSERT_EQ(RunNetwork(s), NetworkResult::Computed);
    EXPECT_EQ(s.Net15L1, 5e-6f);
    EXPECT_EQ(s.Net15L3, 3e-6f);
}

// Parseable but extreme entries, and topologies outside 1 to 8: no load is computed, the last
// one stays, and nothing else goes wrong.
TEST(Networks, EntriesWithoutALoadLeaveTheLastOne) {
    using enum NetworkResult;
    const struct {
        const char* name;
        int topology;
        float frequency, impedance;
        test::Parts parts;
        NetworkResult result;
    } kCases[] = {
        {"HugeSeriesInductor", 1, 1e10f, 50, {.l1 = 1e10f}, NotComputable},
        {"HugeTeeInductors", 5, 1e10f, 50, {0, 1e10f, 0, 1e10f, 0, 1e10f}, NotComputable},
        {"DenormalImpedance", 2, 7e6f, 1e-45f, {}, NotComputable},
        {"DenormalImpedancePi", 7, 7e6f, 1e-45f, {1e-10f, 0, 1e-10f, 0, 1e-6f, 0}, NotComputable},
        {"DenormalImpedanceSeriesL", 1, 7e6f, 1e-45f, {}, NotComputable},
        {"ZeroShuntInductor", 3, 7e6f, 50, {.c2 = 1e-10f}, NotComputable},
        {"ZeroSeriesCapacitor", 4, 7e6f, 50, {.l2 = 1e-6f}, NotComputable},
        {"ZeroFrequency", 6, 0, 50, {1e-10f, 0, 1e-10f, 0, 1e-6f, 0}, NotComputable},
        {"ZeroImpedance", 8, 7e6f, 0, {0, 1e-10f, 0, 1e-6f, 0, 1e-6f}, NotComputable},
        {"TinyPartsAtTinyFrequency", 8, 1e-10f, 50, {0, 1e-14f, 0, 1e-14f, 0, 1e-14f}, NotComputable},
        {"TopologyZero", 0, 7e6f, 50, {}, NoNetwork},
        {"TopologyNine", 9, 7e6f, 50, {}, NoNetwork},
        {"TopologyNegative", -1, 7e6f, 50, {}, NoNetwork},
    };
    for (const auto& c : kCases) {
        Session s = test::Entries(c.topology, c.frequency, c.impedance, c.parts);
        s.LoadR = 7;
        s.LoadX = -8;
        EXPECT_EQ(RunNetwork(s), c.result) << c.name;
        EXPECT_EQ(s.LoadR, 7.0f) << c.name;
        EXPECT_EQ(s.LoadX, -8.0f) << c.name;
    }
}

} // namespace
} // namespace vorelin
