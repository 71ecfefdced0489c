#pragma once

#include "core/entries.h"

#include <cstdint>

namespace vorelin {

// The load behind the tuner: the impedance the antenna system presents to the tuner's output.
struct Load {
    float LoadR = 0; // ohms
    float LoadX = 0; // ohms, positive is inductive

    friend bool operator==(const Load&, const Load&) = default;
};

enum class NetworkResult {
    Computed,      // the load was found
    NotComputable, // a step overflowed or would divide by zero
    NoNetwork,     // the topology is outside 1 to 8; nothing ran
};

// One run of a network routine: the load when it was computed, else a zero load.
struct NetworkRun {
    NetworkResult result = NetworkResult::NoNetwork;
    Load load;

    bool Computed() const { return result == NetworkResult::Computed; }
};

// The eight tuner networks. Each walks from the matched input (Z0 = Impedance) through the
// parts towards the load port; the load is the conjugate of the impedance it finds there. Every
// step is one assignment, evaluated in double precision from stored floats and rounded to single
// precision once, so the results are bit-exact.
NetworkRun Network1(const Entries& entries); // series L1, shunt C2
NetworkRun Network2(const Entries& entries); // shunt C1, series L2
NetworkRun Network3(const Entries& entries); // shunt L1, series C2
NetworkRun Network4(const Entries& entries); // series C1, shunt L2
NetworkRun Network5(const Entries& entries); // T: series L1, shunt C2, series L3
NetworkRun Network6(const Entries& entries); // T: series C1, shunt L2, series C3
NetworkRun Network7(const Entries& entries); // pi: shunt C1, series L2, shunt C3
NetworkRun Network8(const Entries& entries); // pi: shunt L1, series C2, shunt L3

// Runs the routine of entries.Topology.
NetworkRun RunNetwork(const Entries& entries);

// The routine of entries.Topology in two stages, its steps and their order unchanged: first every
// step the part in the last position (the second or third) takes no part in, then the rest.
// RunLastPart(RunUpToLastPart(e), e) is RunNetwork(e), bit for bit; a tolerance sweep, whose
// innermost loop varies only that part, runs the first stage once per setting of the others.
struct NetworkStage {
    std::int16_t topology = 0;
    double omegaPerUnit = 0; // 2 pi f
    bool failed = false;     // a step so far overflowed or divided by zero
    float kept = 0;          // the conductance or resistance the last stage works on
    double carried = 0;      // the quotient the last part is added to, as it stood before the sum
};
NetworkStage RunUpToLastPart(const Entries& entries);
NetworkRun RunLastPart(const NetworkStage& stage, const Entries& entries);

} // namespace vorelin
