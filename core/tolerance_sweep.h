#pragma once

#include "core/networks.h"
#include "core/session.h"
#include "core/topology.h"

#include <array>
#include <cstddef>
#include <cstdint>

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
    NetworkResult nominal = NetworkResult::NoNetwork;
};

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

// The number of varied combinations a sweep of the session's topology and accuracy runs:
// passes per part to the power of the topology's part count (0 outside topologies 1 to 8).
std::int64_t SweepCombinations(const Session& session);

// Varies every part of session.Topology over +-Accuracy in 1 % steps, the part in position 1 in
// the outermost loop, runs the network once per combination and hands each load to onPoint;
// then puts the measured values back and runs the network once more for the nominal load.
// Afterwards the part values, the load and the part-value copies are as a nominal run leaves
// them. Nothing is allocated per point. Outside topologies 1 to 8 nothing runs.
template <class OnPoint> SweepSummary SweepTolerance(Session& session, OnPoint&& onPoint) {
    SweepSummary summary;
    const auto parts = PartsOf(session.Topology);
    if (parts.empty()) return summary;

    std::array<float, 3> measured{};
    for (std::size_t i = 0; i < parts.size(); ++i)
        measured[i] = session.*parts[i].value;

    const auto factors = ToleranceFactors::For(session.Accuracy);
    summary.passesPerPart = PassesPerPart(session.Accuracy);

    const auto vary = [&](std::size_t index, float factor) {
        session.*parts[index].value =
            static_cast<float>(static_cast<double>(measured[index]) * static_cast<double>(factor));
    };
    const auto runVaried = [&] {
        ++summary.combinations;
        if (RunNetwork(session) == NetworkResult::Computed) {
            onPoint(SweepPoint{session.LoadR, session.LoadX, false});
        } else {
            ++summary.notComputable;
        }
    };

    // An accuracy outside 0 to 1 has no passes; the nominal run below still happens.
    const auto loop = [&factors, valid = summary.passesPerPart > 0](auto&& body) {
        if (!valid) return;
        for (float f = factors.start; f <= factors.end; f = ToleranceFactors::Next(f))
            body(f);
    };
    if (parts.size() == 2) {
        loop([&](float f1) {
            loop([&](float f2) {
                vary(0, f1);
                vary(1, f2);
                runVaried();
            });
        });
    } else {
        loop([&](float f1) {
            loop([&](float f2) {
                loop([&](float f3) {
                    vary(0, f1);
                    vary(1, f2);
                    vary(2, f3);
                    runVaried();
                });
            });
        });
    }

    for (std::size_t i = 0; i < parts.size(); ++i)
        session.*parts[i].value = measured[i];
    summary.nominal = RunNetwork(session);
    if (summary.nominal == NetworkResult::Computed) onPoint(SweepPoint{session.LoadR, session.LoadX, true});
    return summary;
}

} // namespace vorelin
