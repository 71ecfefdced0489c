#pragma once

#include "core/load_figures.h"
#include "core/tolerance_ranges.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace vorelin {

// The load figures as the results page's details block, the printed report and the calculator's
// text output show them: UTF-8, a period as decimal mark whatever the locale, trailing zeros
// dropped as in the readout's plain form ("2", not "2.000"), the exponent form where the readout
// would use it (from 1e7, below 1e-4: "1.524E+11", "5.699E-09"), a minus sign as "-". A figure
// that does not exist shows as "—".

inline constexpr std::string_view kMissingFigure = "—";
// Significant digits of the detail lines, and of the coarser tolerance-range line.
inline constexpr int kFigureDigits = 4;
inline constexpr int kRangeDigits = 3;

// A number to `digits` significant digits: 1.49912 -> "1.499", 12345 -> "12350"; "—".
std::string FigureText(std::optional<double> value, int digits = kFigureDigits);
// 14.0187 -> "14.02 dB"; "—".
std::string DecibelText(std::optional<double> value);
// 152.93 -> "152.9 Ω"; "—".
std::string OhmsText(std::optional<double> value);
// A reactance as "+j" or "-j" and its magnitude: 82.714 -> "+j82.71 Ω", -62.5 -> "-j62.5 Ω"; "—".
std::string ReactanceText(std::optional<double> value);
// -84.2913 -> "-84.29°"; "—".
std::string AngleText(std::optional<double> degrees);
// |gamma| and its angle: "0.5 ∠ -90°"; a matched load "0 ∠ —".
std::string GammaPolarText(const LoadFigures& figures);
// |Z| and its angle: "50 Ω ∠ -53.13°"; a short "0 Ω ∠ —".
std::string ImpedancePolarText(const LoadFigures& figures);
// The parallel reactance as a part at the test frequency, in the part formatters' form:
// "1.303239 uH", "47 pF"; "—" when there is none or the formatter shows nothing.
std::string ParallelPartText(const LoadFigures& figures);

// The three detail lines, at most about 60 characters each; 30 - j40 ohms at Z0 50, 14.2 MHz:
//   "SWR 3, return loss 6.021 dB, mismatch loss 1.249 dB"
//   "|Γ| 0.5 ∠ -90°, |Z| 50 Ω ∠ -53.13°, Q 1.333"
//   "Parallel: Rp 83.33 Ω, Xp -j62.5 Ω (179.33 pF)"
// A matched 50 ohm load at Z0 50:
//   "SWR 1, return loss —, mismatch loss 0 dB"
//   "|Γ| 0 ∠ —, |Z| 50 Ω ∠ 0°, Q 0"
//   "Parallel: Rp 50 Ω, Xp —"
std::array<std::string, 3> DetailLines(const LoadFigures& figures);

// The tolerance ranges in one line (about 75 characters at most), 3 significant digits, the
// accuracy a fraction (0.05f):
//   "Within 5 %: R 31.6…45.8 Ω, X -120…-93.3 Ω, SWR 6…10.8, |Γ| 0.714…0.83"
// A region reaching R <= 0 has no largest SWR:
//   "Within 1 %: R -0.5…10 Ω, X -5…+2 Ω, SWR 5.05…—, |Γ| 0.67…1.02"
// and one without a computed load "Within 10 %: R —, X —, SWR —, |Γ| —".
std::string RangeLine(const ToleranceRangeFigures& ranges, float accuracy);

} // namespace vorelin
