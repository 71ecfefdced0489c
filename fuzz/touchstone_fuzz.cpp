// Any bytes read as a Touchstone file, with or without a port count from the name, give either a
// sweep that the measured-sweep maths can use throughout or a fault naming a line of the input.
#include "core/measured_sweep.h"
#include "core/touchstone_reader.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

namespace {

bool IsFinite(std::complex<double> value) {
    return std::isfinite(value.real()) && std::isfinite(value.imag());
}

void Check(std::string_view bytes, std::optional<int> ports) {
    const vorelin::TouchstoneRead read = vorelin::ReadTouchstone(bytes, ports);
    if (!read.Ok()) {
        const std::size_t lines = 1 + static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n') +
                                                               std::count(bytes.begin(), bytes.end(), '\r'));
        if (!read.sweep.points.empty() || read.fault->reason.empty() || read.fault->line > lines)
            std::abort();
        return;
    }
    const vorelin::MeasuredSweep& sweep = read.sweep;
    if (!(std::isfinite(sweep.reference) && sweep.reference > 0)) std::abort();
    if (sweep.points.empty() || sweep.points.size() > vorelin::kMostMeasuredPoints) std::abort();
    for (std::size_t i = 0; i < sweep.points.size(); ++i) {
        const vorelin::MeasuredPoint& point = sweep.points[i];
        if (!(std::isfinite(point.frequency) && point.frequency >= 0) || !IsFinite(point.gamma)) std::abort();
        if (i == 0) continue;
        const vorelin::MeasuredPoint& before = sweep.points[i - 1];
        if (!(before.frequency < point.frequency)) std::abort();
        const double middle = before.frequency + (point.frequency - before.frequency) / 2;
        const auto gamma = vorelin::MeasuredGammaAt(sweep, middle);
        if (!gamma || !IsFinite(*gamma)) std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const std::optional<int> ports :
         {std::optional<int>(), std::optional<int>(1), std::optional<int>(2)})
        Check(bytes, ports);
    return 0;
}
