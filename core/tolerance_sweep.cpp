#include "core/tolerance_sweep.h"

#include <algorithm>
#include <atomic>
#include <thread>

namespace vorelin {

int PassesPerPart(float accuracy) {
    // The buttons offer 1 to 20 %; anything outside 0 to 100 % (or NaN) is not a tolerance.
    if (!(accuracy >= 0 && accuracy <= 1)) return 0;
    const auto factors = ToleranceFactors::For(accuracy);
    int passes = 0;
    for (float f = factors.start; f <= factors.end; f = ToleranceFactors::Next(f))
        ++passes;
    return passes;
}

std::int64_t SweepCombinations(int topology, float accuracy) {
    const std::int64_t passes = PassesPerPart(accuracy);
    std::int64_t combinations = PartsOf(topology).empty() ? 0 : 1;
    for (std::size_t i = 0; i < PartsOf(topology).size(); ++i)
        combinations *= passes;
    return combinations;
}

SweepSummary SweepToleranceLoads(const Entries& entries, float accuracy, std::vector<Load>& loads) {
    const std::int64_t combinations = SweepCombinations(entries.Topology, accuracy);
    loads.resize(static_cast<std::size_t>(combinations));
    const int passes = PassesPerPart(accuracy);
    const std::int64_t perPass = passes > 0 ? combinations / passes : 0;
    // Each pass of the outermost loop writes from the slot its first combination has; the two
    // threads take passes in turn as each is free (a thread kept waiting by the system leaves
    // its share to the other), and afterwards each pass's loads close up behind the ones before.
    std::vector<SweepSummary> ofPass(static_cast<std::size_t>(passes));
    std::atomic<int> nextPass{0};
    const auto takePasses = [&] {
        for (int pass = nextPass++; pass < passes; pass = nextPass++) {
            Load* next = loads.data() + perPass * pass;
            ofPass[static_cast<std::size_t>(pass)] =
                SweepOuterPasses(entries, accuracy, pass, pass + 1, [&next](const SweepPoint& point) {
                    *next++ = {point.loadR, point.loadX};
                });
        }
    };
    // A thread pays for itself from a few thousand network runs on.
    constexpr std::int64_t kShared = 4096;
    if (combinations < kShared) {
        takePasses();
    } else {
        std::thread helper(takePasses);
        takePasses();
        helper.join();
    }
    SweepSummary summary;
    summary.passesPerPart = passes;
    auto end = loads.begin();
    for (int pass = 0; pass < passes; ++pass) {
        const SweepSummary& part = ofPass[static_cast<std::size_t>(pass)];
        const auto from = loads.begin() + static_cast<std::ptrdiff_t>(perPass * pass);
        const auto count = static_cast<std::ptrdiff_t>(part.combinations - part.notComputable);
        if (from != end) std::move(from, from + count, end);
        end += count;
        summary.combinations += part.combinations;
        summary.notComputable += part.notComputable;
    }
    loads.erase(end, loads.end());
    if (!PartsOf(entries.Topology).empty()) summary.nominal = RunNetwork(entries);
    return summary;
}

} // namespace vorelin
