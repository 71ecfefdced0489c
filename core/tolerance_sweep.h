#pragma once

#include "core/entries.h"
#include "core/networks.h"
#include "core/topology.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vorelin {

// One load of the tolerance region, in drawing order: every varied combination first, then
// the nominal load (the measured part values) last.
struct SweepPoint {
    float loadR;
    float loadX;
    bool nominal;
};

struct SweepSummary {
    int passesPerPart = 0;          // 1, 3, 5, 11, 21 or 41 for the accuracy buttons
    std::int64_t combinations = 0;  // network runs with varied parts
    std::int64_t notComputable = 0; // of those, runs whose load could not be computed (not handed on)
    NetworkRun nominal;             // the run on the measured values
};

// The accuracies the pages and the calculator offer, in percent, and the fraction each stands for
// (0.01f ... 0.2f, as the accuracy buttons store them).
inline constexpr std::array<int, 5> kAccuracyPercents{1, 2, 5, 10, 20};
constexpr float AccuracyFraction(int percent) { return static_cast<float>(percent / 100.0); }

// The loop factors run in single precision: from 1 - accuracy while <= 1 + accuracy, in steps
// of 0.01f, each sum rounded to single precision again.
struct ToleranceFactors {
    float start;
    float end;
    static ToleranceFactors For(float accuracy) {
        return {static_cast<float>(1.0 - static_cast<double>(accuracy)),
                static_cast<float>(1.0 + static_cast<double>(accuracy))};
    }
    static float Next(float factor) {
        return static_cast<float>(static_cast<double>(factor) + static_cast<double>(0.01f));
    }
};

// Passes of each loop for an accuracy: 1, 3, 5, 11, 21, 41 for 0, 1, 2, 5, 10, 20 %; 0 outside 0 to 1.
int PassesPerPart(float accuracy);

// The number of varied combinations a sweep of a topology at an accuracy runs: passes per part
// to the power of the topology's part count (0 outside topologies 1 to 8).
std::int64_t SweepCombinations(int topology, float accuracy);

// Runs the varied combinations of a sweep whose outermost loop makes the passes from `firstPass`
// up to (not including) `endPass`, in the sweep's order, handing on each computed load; returns
// the network runs made and how many of them gave no load. The factors are stepped from the
// start, as the whole sweep steps them, so a part of the sweep gives the same bits as the whole.
template <class OnPoint>
SweepSummary SweepOuterPasses(const Entries& entries, float accuracy, int firstPass, int endPass,
                              OnPoint&& onPoint) {
    SweepSummary summary;
    const auto parts = PartsOf(entries.Topology);
    summary.passesPerPart = PassesPerPart(accuracy);
    if (parts.empty() || summary.passesPerPart == 0) return summary;

    Entries varied = entries;
    const auto factors = ToleranceFactors::For(accuracy);
    const auto vary = [&](std::size_t index, float factor) {
        varied.*parts[index].value = static_cast<float>(static_cast<double>(entries.*parts[index].value) *
                                                        static_cast<double>(factor));
    };
    // The steps the innermost part takes no part in run once for each setting of the others.
    const auto runVaried = [&](const NetworkStage& stage) {
        ++summary.combinations;
        const NetworkRun run = RunLastPart(stage, varied);
        if (run.Computed()) {
            onPoint(SweepPoint{run.load.LoadR, run.load.LoadX, false});
        } else {
            ++summary.notComputable;
        }
    };
    const auto loop = [&factors](auto&& body) {
        for (float f = factors.start; f <= factors.end; f = ToleranceFactors::Next(f))
            body(f);
    };
    int pass = 0;
    const auto outer = [&](auto&& body) {
        for (float f = factors.start; f <= factors.end && pass < endPass;
             f = ToleranceFactors::Next(f), ++pass) {
            if (pass >= firstPass) body(f);
        }
    };
    if (parts.size() == 2) {
        outer([&](float f1) {
            vary(0, f1);
            const NetworkStage stage = RunUpToLastPart(varied);
            loop([&](float f2) {
                vary(1, f2);
                runVaried(stage);
            });
        });
    } else {
        outer([&](float f1) {
            loop([&](float f2) {
                vary(0, f1);
                vary(1, f2);
                const NetworkStage stage = RunUpToLastPart(varied);
                loop([&](float f3) {
                    vary(2, f3);
                    runVaried(stage);
                });
            });
        });
    }
    return summary;
}

// Varies every part of entries.Topology over +-accuracy in 1 % steps, the part in position 1 in
// the outermost loop, runs the network once per combination and hands each load to onPoint;
// then runs the network once more on the measured values for the nominal load. Nothing is
// allocated per point. Outside topologies 1 to 8 nothing runs; an accuracy outside 0 to 1 has no
// passes, and the nominal run still happens.
template <class OnPoint>
SweepSummary SweepTolerance(const Entries& entries, float accuracy, OnPoint&& onPoint) {
    if (PartsOf(entries.Topology).empty()) return {};
    SweepSummary summary = SweepOuterPasses(entries, accuracy, 0, PassesPerPart(accuracy), onPoint);
    summary.nominal = RunNetwork(entries);
    if (summary.nominal.Computed())
        onPoint(SweepPoint{summary.nominal.load.LoadR, summary.nominal.load.LoadX, true});
    return summary;
}

// The varied loads of SweepTolerance, in its order and bit for bit the same, into `loads` (whose
// storage is reused), with the summary; two threads share the passes of the outermost loop.
SweepSummary SweepToleranceLoads(const Entries& entries, float accuracy, std::vector<Load>& loads);

} // namespace vorelin
