#include "core/figures_text.h"

#include "core/decimal_number.h"

#include "core/engineering_value.h"
#include "core/number_text.h"

#include <cmath>
#include <limits>

namespace vorelin {

namespace {

constexpr std::string_view kOhm = " Ω";

// Rounded to `digits` significant digits, then written as the readout writes a float (up to 7
// digits), so that 12345 shows as "12350" rather than "1.235E+04"; exponent form only from 1e7.
std::string Number(double value, int digits) {
    const std::string rounded = DecimalText(value, {digits, false, true, false});
    return DecimalText(ScanDecimalPrefix(rounded).value, {7, false, true, false});
}

// "+43.7" or "-12.5": the sign always shown, as a reactance range needs it.
std::string SignedNumber(double value, int digits) { return (value >= 0 ? "+" : "") + Number(value, digits); }

std::string WithUnit(std::optional<double> value, std::string_view unit) {
    if (!value) return std::string(kMissingFigure);
    return Number(*value, kFigureDigits) + std::string(unit);
}

std::string Polar(std::optional<double> magnitude, std::string_view unit, std::optional<double> degrees) {
    if (!magnitude) return std::string(kMissingFigure);
    return Number(*magnitude, kFigureDigits) + std::string(unit) + " ∠ " + AngleText(degrees);
}

// A part value the float formatters can show: within float range, else nothing.
std::string PartText(double value, std::string (*format)(float)) {
    if (!(value <= static_cast<double>(std::numeric_limits<float>::max()))) return {};
    return format(static_cast<float>(value));
}

std::string Span(std::optional<double> min, std::optional<double> max, std::string (*text)(double)) {
    if (!min && !max) return std::string(kMissingFigure);
    const auto side = [text](std::optional<double> value) {
        return value ? text(*value) : std::string(kMissingFigure);
    };
    return side(min) + "…" + side(max);
}

std::string RangeNumber(double value) { return Number(value, kRangeDigits); }
std::string RangeSignedNumber(double value) { return SignedNumber(value, kRangeDigits); }

std::optional<double> MinOf(const std::optional<FigureRange>& range) {
    return range ? std::optional<double>(range->min) : std::nullopt;
}
std::optional<double> MaxOf(const std::optional<FigureRange>& range) {
    return range ? std::optional<double>(range->max) : std::nullopt;
}

} // namespace

std::string FigureText(std::optional<double> value, int digits) {
    return value ? Number(*value, digits) : std::string(kMissingFigure);
}

std::string DecibelText(std::optional<double> value) { return WithUnit(value, " dB"); }
std::string OhmsText(std::optional<double> value) { return WithUnit(value, kOhm); }

std::string ReactanceText(std::optional<double> value) {
    if (!value) return std::string(kMissingFigure);
    return (*value >= 0 ? "+j" : "-j") + Number(std::fabs(*value), kFigureDigits) + std::string(kOhm);
}

std::string AngleText(std::optional<double> degrees) { return WithUnit(degrees, "°"); }

std::string GammaPolarText(const LoadFigures& figures) {
    return Polar(figures.gammaMag, "", figures.gammaDeg);
}
std::string ImpedancePolarText(const LoadFigures& figures) { return Polar(figures.zMag, kOhm, figures.zDeg); }

std::string ParallelPartText(const LoadFigures& figures) {
    std::string text;
    if (figures.parallelInductance) text = PartText(*figures.parallelInductance, FormatInductance);
    if (figures.parallelCapacitance) text = PartText(*figures.parallelCapacitance, FormatCapacitance);
    return text.empty() ? std::string(kMissingFigure) : text;
}

std::array<std::string, 3> DetailLines(const LoadFigures& figures) {
    std::string parallel =
        "Parallel: Rp " + OhmsText(figures.parallelR) + ", Xp " + ReactanceText(figures.parallelX);
    if (figures.parallelX) parallel += " (" + ParallelPartText(figures) + ")";
    return {
        "SWR " + FigureText(figures.swr) + ", return loss " + DecibelText(figures.returnLossDb) +
            ", mismatch loss " + DecibelText(figures.mismatchLossDb),
        "|Γ| " + GammaPolarText(figures) + ", |Z| " + ImpedancePolarText(figures) + ", Q " +
            FigureText(figures.q),
        parallel,
    };
}

std::string RangeLine(const ToleranceRangeFigures& ranges, float accuracy) {
    const std::string percent = Number(static_cast<double>(accuracy) * 100, kRangeDigits);
    const auto span = [](const std::optional<FigureRange>& range, std::string (*text)(double)) {
        return Span(MinOf(range), MaxOf(range), text);
    };
    const std::string r = span(ranges.r, RangeNumber);
    const std::string x = span(ranges.x, RangeSignedNumber);
    return "Within " + percent + " %: R " + r + (ranges.r ? std::string(kOhm) : "") + ", X " + x +
           (ranges.x ? std::string(kOhm) : "") + ", SWR " + Span(ranges.swrMin, ranges.swrMax, RangeNumber) +
           ", |Γ| " + span(ranges.gammaMag, RangeNumber);
}

} // namespace vorelin
