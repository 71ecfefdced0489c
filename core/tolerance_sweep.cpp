#include "core/tolerance_sweep.h"

#include <algorithm>
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
    // Each half of the outermost loop writes from the slot its first combination has; the second
    // half's loads close up behind the first's when some runs gave no load.
    const int split = passes / 2;
    const std::int64_t perPass = passes > 0 ? combinations / passes : 0;
    const auto half = [&](int first, int end, std::size_t from) {
        Load* next = loads.data() + from;
        return SweepOuterPasses(entries, accuracy, first, end, [&next](const SweepPoint& point) {
            *next++ = {point.loadR, point.loadX};
        });
    };
    // A thread pays for itself from a few thousand network runs on.
    constexpr std::int64_t kShared = 4096;
    SweepSummary first, second;
    if (combinations < kShared) {
        first = half(0, passes, 0);
    } else {
        const auto secondFrom = static_cast<std::size_t>(perPass * split);
        std::thread helper([&] { second = half(split, passes, secondFrom); });
        first = half(0, split, 0);
        helper.join();
        const auto firstEnd = static_cast<std::ptrdiff_t>(first.combinations - first.notComputable);
        const auto secondCount = static_cast<std::ptrdiff_t>(second.combinations - second.notComputable);
        const auto secondStart = loads.begin() + static_cast<std::ptrdiff_t>(secondFrom);
        std::move(secondStart, secondStart + secondCount, loads.begin() + firstEnd);
    }
    SweepSummary summary = first;
    summary.combinations += second.combinations;
    summary.notComputable += second.notComputable;
    loads.resize(static_cast<std::size_t>(summary.combinations - summary.notComputable));
    if (!PartsOf(entries.Topology).empty()) summary.nominal = RunNetwork(entries);
    return summary;
}

} // namespace vorelin
