#pragma once

#include "core/session.h"

namespace vorelin {

enum class NetworkResult {
    Computed,      // LoadR and LoadX hold the new load
    NotComputable, // a step overflowed or would divide by zero; LoadR and LoadX are unchanged
    NoNetwork,     // Topology is outside 1 to 8; nothing ran
};

// The eight tuner networks. Each walks from the matched input (Z0 = Impedance) through the
// parts towards the load port and stores the conjugate of the impedance it finds there in
// LoadR and LoadX. Each first copies the parts it uses into its group's copies (Net15L1 ...)
// and reads those. Every step is one assignment, evaluated in double precision from the stored
// floats and rounded to single precision once, so the results are bit-exact.
NetworkResult Network1(Session& session); // series L1, shunt C2
NetworkResult Network2(Session& session); // shunt C1, series L2
NetworkResult Network3(Session& session); // shunt L1, series C2
NetworkResult Network4(Session& session); // series C1, shunt L2
NetworkResult Network5(Session& session); // T: series L1, shunt C2, series L3
NetworkResult Network6(Session& session); // T: series C1, shunt L2, series C3
NetworkResult Network7(Session& session); // pi: shunt C1, series L2, shunt C3
NetworkResult Network8(Session& session); // pi: shunt L1, series C2, shunt L3

// Runs the routine of session.Topology.
NetworkResult RunNetwork(Session& session);

} // namespace vorelin
