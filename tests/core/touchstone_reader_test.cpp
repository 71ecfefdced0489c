#include "core/touchstone_reader.h"
#include "tests/support/case_table.h"
#include "tests/support/decimal_comma_locale.h"

#include <gtest/gtest.h>

#include <array>
#include <complex>

namespace vorelin {
namespace {

using test::Arguments;
using test::Exact;
using Complex = std::complex<double>;

std::string ReadText(const Arguments& a) {
    const TouchstoneRead read =
        ReadTouchstone(a[1], a[0] == "-" ? std::nullopt : std::optional<int>(test::IntField(a[0])));
    if (!read.Ok()) return TouchstoneFaultText(*read.fault);
    std::string text = "R " + Exact(read.sweep.reference) + ":";
    for (const MeasuredPoint& point : read.sweep.points)
        text += (text.back() == ':' ? " " : "; ") + Exact(point.frequency) + " (" +
                Exact(point.gamma.real()) + "," + Exact(point.gamma.imag()) + ")";
    return text;
}

// Under a decimal-comma locale: a file reads the same everywhere.
TEST(TouchstoneReader, TextsAndFaults) {
    const test::DecimalCommaLocale comma;
    test::ExpectCases("core/data/touchstone_cases.txt",
                      {
                          {"Read", ReadText},
                          {"PortsFromName",
                           [](const Arguments& a) {
                               const auto ports = TouchstonePortsFromName(a[0]);
                               return ports ? std::to_string(*ports) : "none";
                           }},
                      });
}

// The fault at the line of the 1,000,001st point shows that the 1,000,000 before it were taken.
TEST(TouchstoneReader, AMillionPointsAndNoMore) {
    std::string text = "# Hz RI\n";
    for (int i = 1; i <= 1'000'001; ++i)
        text.append(std::to_string(i)).append(" 0 0\n");
    const TouchstoneRead read = ReadTouchstone(text);
    ASSERT_FALSE(read.Ok());
    EXPECT_EQ(TouchstoneFaultText(*read.fault), "Line 1000002: more than 1,000,000 points.");
}

std::string Pair(Complex value) { return " " + Exact(value.real()) + " " + Exact(value.imag()); }

using Matrix = std::array<std::array<Complex, 2>, 2>;

Matrix Inverse(const Matrix& m) {
    const Complex determinant = m[0][0] * m[1][1] - m[0][1] * m[1][0];
    return {
        {{m[1][1] / determinant, -m[0][1] / determinant}, {-m[1][0] / determinant, m[0][0] / determinant}}};
}

// S11 of an impedance matrix with ports of references r1 and r2: the first element of
// (Z - G)(Z + G)^-1, G = diag(r1, r2); the scaling of the waves by the roots of the references
// leaves the diagonal as it is.
Complex S11OfImpedances(const Matrix& z, double r1, double r2) {
    const Matrix sum = Inverse({{{z[0][0] + r1, z[0][1]}, {z[1][0], z[1][1] + r2}}});
    return (z[0][0] - r1) * sum[0][0] + z[0][1] * sum[1][0];
}

// Y and Z become Gamma as the format says: version 1 values normalised to R (z = Z / R, y = Y R),
// version 2 values in ohms and siemens against [Reference]; a two-port's S11 with port 2
// terminated in its reference. The oracle is the matrix form of S, not the reader's formula.
TEST(TouchstoneReader, ImpedancesAndAdmittancesBecomeGamma) {
    const Matrix z{{{Complex(30, 20), Complex(12, -7)}, {Complex(9, 4), Complex(80, -45)}}};
    const Matrix y = Inverse(z);
    const Complex loads[] = {Complex(30, 20), Complex(75, 0), Complex(4, -150), Complex(1200, 900)};
    for (const double r : {50.0, 75.0}) {
        for (const char kind : {'Z', 'Y'}) {
            const std::string kindName(1, kind);
            std::string v1 = "# Hz RI R " + Exact(r) + " " + kindName + "\n";
            std::string v2 = "[Version] 2.0\n# Hz RI R 1 " + kindName +
                             "\n[Number of Ports] 1\n[Reference] " + Exact(r) +
                             "\n[Number of Frequencies] 4\n[Network Data]\n";
            for (std::size_t i = 0; i < 4; ++i) {
                const Complex value = kind == 'Z' ? loads[i] : 1.0 / loads[i];
                const std::string frequency = std::to_string(i + 1);
                v1 += frequency + Pair(kind == 'Z' ? value / r : value * r) + "\n";
                v2 += frequency + Pair(value) + "\n";
            }
            for (const auto& [version, text] : {std::pair{"1", v1}, std::pair{"2", v2 + "[End]\n"}}) {
                const TouchstoneRead read = ReadTouchstone(text);
                ASSERT_TRUE(read.Ok()) << TouchstoneFaultText(*read.fault) << "\n" << text;
                EXPECT_EQ(read.sweep.reference, r);
                for (std::size_t i = 0; i < 4; ++i)
                    EXPECT_LT(std::abs(read.sweep.points[i].gamma - (loads[i] - r) / (loads[i] + r)), 1e-12)
                        << "version " << version << " " << kind << " R " << r << " load " << loads[i];
            }

            // Two ports: version 1 in the order N11 N21 N12 N22, one R for both; version 2 with
            // a reference per port, in the order N11 N12 N21 N22.
            const Matrix& m = kind == 'Z' ? z : y;
            const double scale = kind == 'Z' ? 1 / r : r;
            const std::string twoPortV1 = "# Hz RI R " + Exact(r) + " " + kindName + "\n1" +
                                          Pair(m[0][0] * scale) + Pair(m[1][0] * scale) +
                                          Pair(m[0][1] * scale) + Pair(m[1][1] * scale) + "\n";
            const std::string twoPortV2 = "[Version] 2.0\n# Hz RI " + kindName +
                                          "\n[Number of Ports] 2\n[Two-Port Data Order] 12_21\n[Reference] " +
                                          Exact(r) + " 20\n[Number of Frequencies] 1\n[Network Data]\n1" +
                                          Pair(m[0][0]) + Pair(m[0][1]) + Pair(m[1][0]) + Pair(m[1][1]) +
                                          "\n[End]\n";
            const TouchstoneRead oneR = ReadTouchstone(twoPortV1, 2), twoR = ReadTouchstone(twoPortV2);
            ASSERT_TRUE(oneR.Ok() && twoR.Ok()) << twoPortV1 << twoPortV2;
            EXPECT_LT(std::abs(oneR.sweep.points[0].gamma - S11OfImpedances(z, r, r)), 1e-12) << kind << r;
            EXPECT_LT(std::abs(twoR.sweep.points[0].gamma - S11OfImpedances(z, r, 20)), 1e-12) << kind << r;
        }
    }
}

} // namespace
} // namespace vorelin
