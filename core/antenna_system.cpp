#include "core/antenna_system.h"

namespace vorelin {

namespace {

SystemFigures Refused(std::string_view reason) {
    SystemFigures system;
    system.reason = reason;
    return system;
}

} // namespace

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
