#include "core/polar_interpolation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>

namespace vorelin {
namespace {

using Complex = std::complex<double>;

// A lossless line of electrical length growing with frequency turns a load's Gamma on a circle:
// the interpolation between two points of that circle must stay on it and at the right angle.
TEST(PolarInterpolation, FollowsAGammaTurningAboutTheCentre) {
    struct Case {
        const char* name;
        Complex before, after;
        double t;
        Complex expected;
    };
    const double pi = std::numbers::pi;
    const Case cases[] = {
        {"ends are exact", std::polar(0.5, 0.3), std::polar(0.7, 2.0), 0, std::polar(0.5, 0.3)},
        {"other end", std::polar(0.5, 0.3), std::polar(0.7, 2.0), 1, std::polar(0.7, 2.0)},
        {"half way on a circle", std::polar(0.6, 0.2), std::polar(0.6, 1.2), 0.5, std::polar(0.6, 0.7)},
        {"the shorter way across -180", std::polar(0.4, 3.0), std::polar(0.4, -3.0), 0.5,
         std::polar(0.4, pi)},
        {"the shorter way clockwise", std::polar(0.4, 0.5), std::polar(0.4, -0.5), 0.25,
         std::polar(0.4, 0.25)},
        {"magnitude linear", std::polar(0.2, 1.0), std::polar(0.6, 1.0), 0.25, std::polar(0.3, 1.0)},
        {"opposite: counter-clockwise", Complex(0.5, 0), Complex(-0.5, 0), 0.5, Complex(0, 0.5)},
        {"from the centre", Complex(0, 0), std::polar(0.8, -2.0), 0.5, std::polar(0.4, -2.0)},
    };
    for (const Case& c : cases) {
        const Complex got = InterpolateGammaPolar(c.before, c.after, c.t);
        EXPECT_NEAR(std::abs(got - c.expected), 0, 1e-12) << c.name << ": " << got;
    }
    // The chord would cut through the disc; the interpolation at a frequency keeps the radius.
    const Complex mid = InterpolateGammaAt(7e6, std::polar(0.9, 0.1), 7.2e6, std::polar(0.9, 2.9), 7.1e6);
    EXPECT_NEAR(std::abs(mid), 0.9, 1e-12);
    EXPECT_NEAR(std::arg(mid), 1.5, 1e-12);
}

} // namespace
} // namespace vorelin
