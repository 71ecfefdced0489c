#include "tools/measured_run.h"

#include "core/figures_text.h"
#include "files/measured_file.h"
#include "tools/calculator.h"

#include <charconv>
#include <cmath>
#include <numbers>

namespace vorelin {

namespace {

// 14200000 -> "14200000", 1234.5 -> "1234.5": every digit of the file's frequency, never an exponent.
std::string HertzText(double frequency) {
    char text[400];
    return {text, std::to_chars(text, text + sizeof text, frequency, std::chars_format::fixed).ptr};
}

void WriteSweepJson(const MeasuredSweep& sweep, std::ostream& out) {
    JsonWriter json;
    json.BeginObject();
    json.Double("reference", sweep.reference);
    json.BeginArray("points");
    for (const MeasuredPoint& point : sweep.points) {
        const auto impedance = ImpedanceOfGamma(point.gamma, sweep.reference);
        json.BeginObject();
        json.Double("frequency", point.frequency);
        json.Double("load_r", impedance ? std::optional(impedance->real()) : std::nullopt);
        json.Double("load_x", impedance ? std::optional(impedance->imag()) : std::nullopt);
        json.Double("gamma_re", point.gamma.real());
        json.Double("gamma_im", point.gamma.imag());
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    out << json.Text() << '\n';
}

// "Reference 50 ohms, 2 points" and one line a point: "14200000 Hz: 24.1 -j61.3 Ω, |Γ| 0.5 ∠ -90°".
void WriteSweepText(const MeasuredSweep& sweep, std::ostream& out) {
    out << "Reference " << FigureText(sweep.reference, 9) << " ohms, " << sweep.points.size() << " points\n";
    for (const MeasuredPoint& point : sweep.points) {
        const auto impedance = ImpedanceOfGamma(point.gamma, sweep.reference);
        out << HertzText(point.frequency)
            << " Hz: " << MeasuredLoadText(MeasuredComparison{point.gamma, impedance, std::nullopt})
            << ", |Γ| " << FigureText(std::abs(point.gamma)) << " ∠ "
            << AngleText(std::arg(point.gamma) * 180 / std::numbers::pi) << '\n';
    }
}

} // namespace

std::optional<MeasuredSweep> ReadMeasuredOption(const CalcOptions& options, std::ostream& err) {
    MeasuredFileRead read = ReadMeasuredFile(options.measuredPath);
    if (read.Ok()) return std::move(read.sweep);
    err << kCalcPrefix << read.error << '\n';
    return std::nullopt;
}

int RunMeasured(const CalcOptions& options, std::ostream& out, std::ostream& err) {
    const auto sweep = ReadMeasuredOption(options, err);
    if (!sweep) return kCalcBadEntries;
    if (options.json) {
        WriteSweepJson(*sweep, out);
    } else {
        WriteSweepText(*sweep, out);
    }
    return kCalcOk;
}

void WriteMeasuredRowJson(JsonWriter& json, const std::optional<MeasuredComparison>& comparison) {
    if (!comparison) {
        json.Null("measured");
        return;
    }
    const auto& impedance = comparison->impedance;
    json.BeginObject("measured");
    json.Double("load_r", impedance ? std::optional(impedance->real()) : std::nullopt);
    json.Double("load_x", impedance ? std::optional(impedance->imag()) : std::nullopt);
    json.Double("gamma_distance", comparison->gammaDistance);
    json.EndObject();
}

std::string MeasuredRowText(const std::optional<MeasuredComparison>& comparison) {
    if (!comparison) return "; measured " + MeasuredLoadText(comparison);
    return "; measured " + MeasuredLoadText(comparison) + ", |Γ − Γm| " + GammaDistanceText(comparison);
}

} // namespace vorelin
