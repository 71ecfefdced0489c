#include "core/system_text.h"

#include "core/cables.h"
#include "core/figures_text.h"

#include <algorithm>

namespace vorelin {

namespace {

std::string Watts(std::optional<double> watts) {
    return watts ? FigureText(watts) + " W" : std::string(kMissingFigure);
}

} // namespace

const Cable* CableOfLine(const Feedline& line) {
    const auto cables = Cables();
    const auto found = std::ranges::find_if(cables, [&line](const Cable& cable) {
        return cable.velocityFactor == line.velocityFactor && cable.zc == line.zc && cable.k1 == line.k1 &&
               cable.k2 == line.k2;
    });
    return found == cables.end() ? nullptr : &*found;
}

std::string PercentText(double fraction) { return FigureText(fraction * 100) + " %"; }

std::string SystemHeading(const LossSettings& settings) {
    return "Antenna system at " + Watts(settings.powerW) + ", coil Q " + FigureText(settings.coilQ) +
           ", capacitor Q " + FigureText(settings.capacitorQ);
}

std::string LineDescription(const Feedline& line) {
    std::string text = FigureText(line.lengthM) + " m (" + FigureText(MetresToFeet(line.lengthM)) + " ft)";
    const Cable* cable = CableOfLine(line);
    if (cable != nullptr) text += " of " + std::string(cable->name);
    text += ", VF " + FigureText(line.velocityFactor) + ", Zc " + OhmsText(line.zc);
    if (cable == nullptr) text += ", " + FigureText(line.k1) + " √f + " + FigureText(line.k2) + " f dB/100 m";
    return text;
}

std::vector<std::string> SystemLines(const SystemFigures& system, const SystemSettings& settings) {
    std::vector<std::string> lines{SystemHeading(settings.loss)};
    if (!system.Computed()) {
        lines.push_back("Not computed: " + std::string(system.reason));
        return lines;
    }
    const TunerLoss& tuner = system.tuner;
    lines.push_back("Tuner: efficiency " + PercentText(tuner.efficiency) + ", loss " +
                    DecibelText(tuner.lossDb) + ", " + Watts(tuner.loadPowerW) + " out");
    for (const PartStress& part : tuner.Parts())
        lines.push_back(std::string(part.name) + ": " + FigureText(part.currentRms) + " A, " +
                        FigureText(part.voltageRms) + " V RMS, " + FigureText(part.voltagePeak) +
                        " V peak, " + Watts(part.dissipatedW));
    if (settings.line && system.line) {
        const std::string line = "Line: " + LineDescription(*settings.line) + ": ";
        if (const auto& figures = system.line->figures) {
            lines.push_back(line + "matched loss " + DecibelText(figures->matchedLossDb) + ", total loss " +
                            DecibelText(figures->totalLossDb));
            lines.push_back("Feedpoint: " + FigureText(figures->feedpointR) + " " +
                            ReactanceText(figures->feedpointX) + ", SWR " +
                            FigureText(figures->feedpointSwr) + " on the line");
        } else {
            lines.push_back(line + std::string(system.line->reason));
        }
    }
    lines.push_back("At the antenna: " + Watts(system.antennaPowerW));
    return lines;
}

} // namespace vorelin
