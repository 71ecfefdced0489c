#include "core/tolerance_sweep.h"

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

} // namespace vorelin
