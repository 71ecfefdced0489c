#pragma once

#include "core/networks.h"

#include <optional>
#include <string_view>

namespace vorelin {

// A feedline between the tuner and the antenna: a uniform line of real characteristic impedance
// whose matched loss is k1 sqrt(f) + k2 f dB per 100 m, f in MHz.
struct Feedline {
    double lengthM = 0;
    double velocityFactor = 1; // 0 < VF <= 1
    double zc = 50;            // ohms, real
    double k1 = 0;             // dB per 100 m per sqrt(MHz)
    double k2 = 0;             // dB per 100 m per MHz

    friend bool operator==(const Feedline&, const Feedline&) = default;
};

inline constexpr double kMetresPerFoot = 0.3048;
inline constexpr double kSpeedOfLight = 299'792'458; // m/s

constexpr double FeetToMetres(double feet) { return feet * kMetresPerFoot; }
constexpr double MetresToFeet(double metres) { return metres / kMetresPerFoot; }

// Why a line cannot be used: a length below 0, a VF outside (0, 1], a Zc not above 0, a k1 or k2
// below 0, or any of them not a number; empty when it can.
std::string_view FeedlineProblem(const Feedline& line);

// The line's matched loss per 100 m at `frequencyHz`: k1 sqrt(f) + k2 f with f in MHz.
double MatchedLossDbPer100m(const Feedline& line, double frequencyHz);

// What the line does with the load the tuner sees. The antenna's feedpoint is
// ZL = Zc (Zin - Zc tanh(gl)) / (Zc - Zin tanh(gl)) with g = alpha + j beta, alpha the matched
// loss in nepers per metre, beta = 2 pi f / (VF c). With a = 10^(matched / 10) and gamma_L the
// feedpoint's reflection against Zc, the total loss is 10 log10((a^2 - |gL|^2) / (a (1 - |gL|^2)))
// and the line's efficiency its inverse as a power ratio.
struct FeedlineFigures {
    double matchedLossDb = 0; // over the line's length
    double totalLossDb = 0;   // matched loss and the loss the mismatch adds
    double efficiency = 0;    // power into the antenna / power into the line, 10^(-total / 10)
    double feedpointR = 0;    // the antenna's own impedance, ohms
    double feedpointX = 0;
    double feedpointGamma = 0; // |gamma_L| against Zc, below 1
    double feedpointSwr = 0;   // (1 + |gL|) / (1 - |gL|), against Zc
};

struct FeedlineResult {
    std::optional<FeedlineFigures> figures;
    std::string_view reason; // in place of the figures: one of the kLineReason texts
};

// The figures of `line` for the tuner's load `input` at `frequencyHz`; the reason instead when
// the input is bad or no antenna gives that load through this line (|gamma_L| >= 1).
FeedlineResult FeedlineFiguresOf(const Feedline& line, const Load& input, double frequencyHz);

inline constexpr std::string_view kLineReasonLength = "The line's length must be a number of zero or more.";
inline constexpr std::string_view kLineReasonVelocityFactor =
    "The line's velocity factor must be a number above 0 and at most 1.";
inline constexpr std::string_view kLineReasonImpedance =
    "The line's characteristic impedance must be a number above zero.";
inline constexpr std::string_view kLineReasonLoss =
    "The line's loss must be given as numbers of zero or more.";
inline constexpr std::string_view kLineReasonFrequency = "The frequency must be a number above zero.";
inline constexpr std::string_view kLineReasonLoad =
    "The load must be given as numbers, with a resistance above zero.";
inline constexpr std::string_view kLineReasonUndeliverable =
    "No antenna gives this load through this line: its feedpoint would need a resistance of zero or less.";
inline constexpr std::string_view kLineReasonOverflow =
    "The line's figures cannot be computed for values this large.";

} // namespace vorelin
