#include "core/networks.h"

#include <cmath>

namespace vorelin {

namespace {

// A working value of a network run as the routines store it: rounded to single precision.
// Reading it widens it exactly to double, so every step's right-hand side is evaluated in
// double precision from stored floats, as the arithmetic demands.
struct Single {
    float value;
    operator double() const { return static_cast<double>(value); } // NOLINT: the widening is the point
};

double Squared(Single x) { return double{x} * double{x}; }

// The arithmetic of one network run. Store() is the rounding to single precision that ends
// every step; Divide() refuses a zero divisor. Either marks the run as not computable instead
// of letting an infinity or NaN through to the load. A run may be taken up again where an
// earlier stage left it.
class Steps {
public:
    explicit Steps(float frequency) : m_omegaPerUnit((static_cast<double>(frequency) * 8) * std::atan(1.0)) {}
    explicit Steps(const NetworkStage& stage) : m_omegaPerUnit(stage.omegaPerUnit), m_failed(stage.failed) {}

    // XL = omega * L or BC = omega * C; omega is (f * 8) * atan(1), multiplied left to right.
    Single Product(float part) { return Store(m_omegaPerUnit * static_cast<double>(part)); }
    // XC = 1 / (omega * C) or BL = 1 / (omega * L).
    Single Reciprocal(float part) { return Store(Divide(1.0, m_omegaPerUnit * static_cast<double>(part))); }

    double Divide(double dividend, double divisor) {
        if (divisor == 0) {
            m_failed = true;
            return 0;
        }
        return dividend / divisor;
    }

    Single Store(double value) {
        const auto stored = static_cast<float>(value);
        if (!std::isfinite(stored)) m_failed = true;
        return Single{stored};
    }

    // The last step: the load is the conjugate of the impedance found at the output port.
    NetworkRun Finish(Single r, Single x) const {
        if (m_failed) return {NetworkResult::NotComputable, {}};
        return {NetworkResult::Computed, {r.value, x.value * -1.0f}};
    }

    // Where the first stage ends: what the last one works on, and the quotient it adds to.
    NetworkStage Stage(const Entries& s, Single kept, double carried) const {
        return {s.Topology, m_omegaPerUnit, m_failed, kept.value, carried};
    }

private:
    double m_omegaPerUnit;
    bool m_failed = false;
};

// Each network in its two stages. The first runs every step the part in the last position takes
// no part in, in the network routine's own order (the last part's own reactance or susceptance,
// worked out from it alone, comes at the start of the second: a step's failure counts wherever it
// stands).

NetworkStage Stage1(const Entries& s) {
    const Single Z0{s.Impedance};
    Steps k(s.Frequency);
    const Single XL1 = k.Product(s.L1);
    const Single D1 = k.Store(Squared(Z0) + Squared(XL1));
    const Single G = k.Store(k.Divide(Z0, D1));
    return k.Stage(s, G, k.Divide(-XL1, D1));
}
NetworkRun Last1(const NetworkStage& stage, const Entries& s) {
    Steps k(stage);
    const Single G{stage.kept};
    const Single BC2 = k.Product(s.C2);
    const Single B = k.Store(stage.carried + BC2);
    const Single D2 = k.Store(Squared(B) + Squared(G));
    const Single R = k.Store(k.Divide(G, D2));
    const Single X = k.Store(k.Divide(-B, D2));
    return k.Finish(R, X);
}

NetworkStage Stage2(const Entries& s) {
    const Single Z0{s.Impedance};
    Steps k(s.Frequency);
    const Single BC1 = k.Product(s.C1);
    const Single G = k.Store(k.Divide(1.0, Z0));
    const Single D = k.Store(Squared(G) + Squared(BC1));
    const Single R = k.Store(k.Divide(G, D));
    return k.Stage(s, R, k.Divide(-BC1, D));
}
NetworkRun Last2(const NetworkStage& stage, const Entries& s) {
    Steps k(stage);
    const Single XL2 = k.Product(s.L2);
    const Single X = k.Store(stage.carried + XL2);
    return k.Finish(Single{stage.kept}, X);
}

NetworkStage Stage3(const Entries& s) {
    const Single Z0{s.Impedance};
    Steps k(s.Frequency);
    const Single BL1 = k.Reciprocal(s.L1);
    const Single G = k.Store(k.Divide(1.0, Z0));
    const Single B{-BL1.value};
    const Single D = k.Store(Squared(B) + Squared(G));
    const Single R = k.Store(k.Divide(G, D));
    return k.Stage(s, R, k.Divide(-B, D));
}
NetworkRun Last3(const NetworkStage& stage, const Entries& s) {
    Steps k(stage);
    const Single XC2 = k.Reciprocal(s.C2);
    const Single X = k.Store(stage.carried - XC2);
    return k.Finish(Single{stage.kept}, X);
}

NetworkStage Stage4(const Entries& s) {
    const Single Z0{s.Impedance};
    Steps k(s.Frequency);
    const Single XC1 = k.Reciprocal(s.C1);
    const Single D1 = k.Store(Squared(Z0) + Squared(XC1));
    const Single G = k.Store(k.Divide(Z0, D1));
    return k.Stage(s, G, k.Divide(XC1, D1));
}
NetworkRun Last4(const NetworkStage& stage, const Entries& s) {
    Steps k(stage);
    const Single G{stage.kept};
    const Single BL2 = k.Reciprocal(s.L2);
    const Single B = k.Store(stage.carried - BL2);
    const Single D2 = k.Store(Squared(B) + Squared(G));
    const Single R = k.Store(k.Divide(G, D2));
    const Single X = k.Store(k.Divide(-B, D2));
    return k.Finish(R, X);
}

NetworkStage Stage5(const Entries& s) {
    const Single Z0{s.Impedance};
    Steps k(s.Frequency);
    const Single XL1 = k.Product(s.L1);
    const Single BC2 = k.Product(s.C2);
    const Single D1 = k.Store(Squared(Z0) + Squared(XL1));
    const Single G = k.Store(k.Divide(Z0, D1));
    const Single B = k.Store(k.Divide(-XL1, D1) + BC2);
    const Single D2 = k.Store(Squared(B) + Squared(G));
    const Single R = k.Store(k.Divide(G, D2));
    return k.Stage(s, R, k.Divide(-B, D2));
}
NetworkRun Last5(const NetworkStage& stage, const Entries& s) {
    Steps k(stage);
    const Single XL3 = k.Product(s.L3);
    const Single X = k.Store(stage.carried + XL3);
    return k.Finish(Single{stage.kept}, X);
}

NetworkStage Stage6(const Entries& s) {
    const Single Z0{s.Impedance};
    Steps k(s.Frequency);
    const Single XC1 = k.Reciprocal(s.C1);
    const Single BL2 = k.Reciprocal(s.L2);
    const Single D1 = k.Store(Squared(Z0) + Squared(XC1));
    const Single G = k.Store(k.Divide(Z0, D1));
    const Single B = k.Store(k.Divide(XC1, D1) - BL2);
    const Single D2 = k.Store(Squared(B) + Squared(G));
    const Single R = k.Store(k.Divide(G, D2));
    return k.Stage(s, R, k.Divide(-B, D2));
}
NetworkRun Last6(const NetworkStage& stage, const Entries& s) {
    Steps k(stage);
    const Single XC3 = k.Reciprocal(s.C3);
    const Single X = k.Store(stage.carried - XC3);
    return k.Finish(Single{stage.kept}, X);
}

NetworkStage Stage7(const Entries& s) {
    const Single Z0{s.Impedance};
    Steps k(s.Frequency);
    const Single BC1 = k.Product(s.C1);
    const Single XL2 = k.Product(s.L2);
    const Single G1 = k.Store(k.Divide(1.0, Z0));
    const Single D1 = k.Store(Squared(G1) + Squared(BC1));
    const Single R1 = k.Store(k.Divide(G1, D1));
    const Single X1 = k.Store(k.Divide(-BC1, D1) + XL2);
    const Single D2 = k.Store(Squared(X1) + Squared(R1));
    const Single G2 = k.Store(k.Divide(R1, D2));
    return k.Stage(s, G2, k.Divide(-X1, D2));
}
NetworkRun Last7(const NetworkStage& stage, const Entries& s) {
    Steps k(stage);
    const Single G2{stage.kept};
    const Single BC3 = k.Product(s.C3);
    const Single B2 = k.Store(stage.carried + BC3);
    const Single D3 = k.Store(Squared(B2) + Squared(G2));
    const Single R = k.Store(k.Divide(G2, D3));
    const Single X = k.Store(k.Divide(-B2, D3));
    return k.Finish(R, X);
}

NetworkStage Stage8(const Entries& s) {
    const Single Z0{s.Impedance};
    Steps k(s.Frequency);
    const Single BL1 = k.Reciprocal(s.L1);
    const Single XC2 = k.Reciprocal(s.C2);
    const Single G1 = k.Store(k.Divide(1.0, Z0));
    const Single B1{-BL1.value};
    const Single D1 = k.Store(Squared(B1) + Squared(G1));
    const Single R1 = k.Store(k.Divide(G1, D1));
    const Single X1 = k.Store(k.Divide(-B1, D1) - XC2);
    const Single D2 = k.Store(Squared(X1) + Squared(R1));
    const Single G2 = k.Store(k.Divide(R1, D2));
    return k.Stage(s, G2, k.Divide(-X1, D2));
}
NetworkRun Last8(const NetworkStage& stage, const Entries& s) {
    Steps k(stage);
    const Single G2{stage.kept};
    const Single BL3 = k.Reciprocal(s.L3);
    const Single B2 = k.Store(stage.carried - BL3);
    const Single D3 = k.Store(Squared(B2) + Squared(G2));
    const Single R = k.Store(k.Divide(G2, D3));
    const Single X = k.Store(k.Divide(-B2, D3));
    return k.Finish(R, X);
}

} // namespace

NetworkRun Network1(const Entries& s) { return Last1(Stage1(s), s); }
NetworkRun Network2(const Entries& s) { return Last2(Stage2(s), s); }
NetworkRun Network3(const Entries& s) { return Last3(Stage3(s), s); }
NetworkRun Network4(const Entries& s) { return Last4(Stage4(s), s); }
NetworkRun Network5(const Entries& s) { return Last5(Stage5(s), s); }
NetworkRun Network6(const Entries& s) { return Last6(Stage6(s), s); }
NetworkRun Network7(const Entries& s) { return Last7(Stage7(s), s); }
NetworkRun Network8(const Entries& s) { return Last8(Stage8(s), s); }

NetworkRun RunNetwork(const Entries& entries) {
    switch (entries.Topology) {
    case 1:
        return Network1(entries);
    case 2:
        return Network2(entries);
    case 3:
        return Network3(entries);
    case 4:
        return Network4(entries);
    case 5:
        return Network5(entries);
    case 6:
        return Network6(entries);
    case 7:
        return Network7(entries);
    case 8:
        return Network8(entries);
    default:
        return {};
    }
}

NetworkStage RunUpToLastPart(const Entries& entries) {
    constexpr NetworkStage (*kStages[])(const Entries&) = {Stage1, Stage2, Stage3, Stage4,
                                                           Stage5, Stage6, Stage7, Stage8};
    if (entries.Topology < 1 || entries.Topology > 8) return {};
    return kStages[entries.Topology - 1](entries);
}

NetworkRun RunLastPart(const NetworkStage& stage, const Entries& entries) {
    switch (stage.topology) {
    case 1:
        return Last1(stage, entries);
    case 2:
        return Last2(stage, entries);
    case 3:
        return Last3(stage, entries);
    case 4:
        return Last4(stage, entries);
    case 5:
        return Last5(stage, entries);
    case 6:
        return Last6(stage, entries);
    case 7:
        return Last7(stage, entries);
    case 8:
        return Last8(stage, entries);
    default:
        return {};
    }
}

} // namespace vorelin
