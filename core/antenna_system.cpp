#include "core/antenna_system.h"

#include <cmath>

namespace vorelin {

namespace {

SystemFigures Refused(std::string_view reason) {
    SystemFigures system;
    system.reason = reason;
    return system;
}

bool Positive(double value) { return std::isfinite(value) && value > 0; }

} // namespace

std::string_view SystemSettingsProblem(const SystemSettings& settings) {
    if (!Positive(settings.loss.powerW)) return kLossReasonPower;
    if (!Positive(settings.loss.coilQ)) return kLossReasonCoilQ;
    if (!Positive(settings.loss.capacitorQ)) return kLossReasonCapacitorQ;
    return settings.line ? FeedlineProblem(*settings.line) : std::string_view{};
}

SystemFigures SystemFiguresOf(const Entries& entries, const Load& load, const SystemSettings& settings) {
    // A bad line is the user's input: it is refused before anything is computed.
    if (settings.line) {
        if (const std::string_view problem = FeedlineProblem(*settings.line); !problem.empty())
            return Refused(problem);
    }
    SystemFigures system;
    system.tuner = TunerLossOf(entries, load, settings.loss);
    if (!system.tuner.Computed()) return Refused(system.tuner.reason);
    if (!settings.line) {
        system.antennaPowerW = system.tuner.loadPowerW;
        return system;
    }
    system.line = FeedlineFiguresOf(*settings.line, load, static_cast<double>(entries.Frequency));
    if (system.line->figures)
        system.antennaPowerW = system.tuner.loadPowerW * system.line->figures->efficiency;
    return system;
}

} // namespace vorelin
