#include "core/feedline.h"

#include <cmath>
#include <complex>
#include <numbers>

namespace vorelin {

namespace {

using Complex = std::complex<double>;

bool AtLeastZero(double value) { return std::isfinite(value) && value >= 0; }
bool Positive(double value) { return std::isfinite(value) && value > 0; }

// 20 log10(e): decibels per neper of amplitude.
const double kDbPerNeper = 20 / std::numbers::ln10;

} // namespace

std::string_view FeedlineProblem(const Feedline& line) {
    if (!AtLeastZero(line.lengthM)) return kLineReasonLength;
    if (!Positive(line.velocityFactor) || line.velocityFactor > 1) return kLineReasonVelocityFactor;
    if (!Positive(line.zc)) return kLineReasonImpedance;
    if (!AtLeastZero(line.k1) || !AtLeastZero(line.k2)) return kLineReasonLoss;
    return {};
}

double MatchedLossDbPer100m(const Feedline& line, double frequencyHz) {
    const double megahertz = frequencyHz / 1e6;
    return line.k1 * std::sqrt(megahertz) + line.k2 * megahertz;
}

FeedlineResult FeedlineFiguresOf(const Feedline& line, const Load& input, double frequencyHz) {
    if (const std::string_view problem = FeedlineProblem(line); !problem.empty()) return {{}, problem};
    if (!Positive(frequencyHz)) return {{}, kLineReasonFrequency};
    const Complex zin{static_cast<double>(input.LoadR), static_cast<double>(input.LoadX)};
    if (!Positive(zin.real()) || !std::isfinite(zin.imag())) return {{}, kLineReasonLoad};

    FeedlineFigures f;
    f.matchedLossDb = MatchedLossDbPer100m(line, frequencyHz) * line.lengthM / 100;
    const double alpha = MatchedLossDbPer100m(line, frequencyHz) / 100 / kDbPerNeper;
    const double beta = 2 * std::numbers::pi * frequencyHz / (line.velocityFactor * kSpeedOfLight);
    const Complex t = std::tanh(Complex{alpha, beta} * line.lengthM);
    const Complex zc{line.zc, 0};
    const Complex zl = zc * (zin - zc * t) / (zc - zin * t);
    const double gamma = std::abs((zl - zc) / (zl + zc));
    if (!std::isfinite(zl.real()) || !std::isfinite(zl.imag()) || !(zl.real() > 0) || !(gamma < 1))
        return {{}, kLineReasonUndeliverable};

    const double a = std::pow(10.0, f.matchedLossDb / 10);
    const double gamma2 = gamma * gamma;
    f.efficiency = a * (1 - gamma2) / (a * a - gamma2);
    f.totalLossDb = 10 * std::log10((a * a - gamma2) / (a * (1 - gamma2)));
    f.feedpointR = zl.real();
    f.feedpointX = zl.imag();
    f.feedpointGamma = gamma;
    f.feedpointSwr = (1 + gamma) / (1 - gamma);
    if (!std::isfinite(f.totalLossDb) || !std::isfinite(f.feedpointSwr) || !std::isfinite(f.matchedLossDb))
        return {{}, kLineReasonOverflow};
    return {f, {}};
}

} // namespace vorelin
