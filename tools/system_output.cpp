#include "tools/system_output.h"

#include "core/cables.h"
#include "core/figures_text.h"
#include "core/system_text.h"

#include <iomanip>

namespace vorelin {

namespace {

void WriteLineJson(JsonWriter& json, const Feedline& line, const FeedlineResult& result) {
    json.BeginObject("line");
    json.Double("length_m", line.lengthM);
    json.Double("velocity_factor", line.velocityFactor);
    json.Double("z0", line.zc);
    json.Double("k1", line.k1);
    json.Double("k2", line.k2);
    const auto figure = [&result](double FeedlineFigures::*field) {
        return result.figures ? std::optional((*result.figures).*field) : std::nullopt;
    };
    json.Double("matched_loss_db", figure(&FeedlineFigures::matchedLossDb));
    json.Double("total_loss_db", figure(&FeedlineFigures::totalLossDb));
    json.Double("feedpoint_r", figure(&FeedlineFigures::feedpointR));
    json.Double("feedpoint_x", figure(&FeedlineFigures::feedpointX));
    json.Double("feedpoint_swr", figure(&FeedlineFigures::feedpointSwr));
    if (result.figures) {
        json.Null("reason");
    } else {
        json.String("reason", result.reason);
    }
    json.EndObject();
}

} // namespace

void WriteSystemJson(JsonWriter& json, const SystemReport& system) {
    const SystemSettings& settings = system.settings;
    const TunerLoss& tuner = system.figures.tuner;
    json.BeginObject("system");
    json.Double("power_w", settings.loss.powerW);
    json.Double("coil_q", settings.loss.coilQ);
    json.Double("capacitor_q", settings.loss.capacitorQ);
    json.Double("tuner_efficiency", tuner.efficiency);
    json.Double("tuner_loss_db", tuner.lossDb);
    json.Double("input_r", tuner.inputR);
    json.Double("input_x", tuner.inputX);
    json.BeginObject("parts");
    for (const PartStress& part : tuner.Parts()) {
        json.BeginObject(PartKey(part.name));
        json.Double("current_rms", part.currentRms);
        json.Double("voltage_rms", part.voltageRms);
        json.Double("voltage_peak", part.voltagePeak);
        json.Double("dissipated_w", part.dissipatedW);
        json.EndObject();
    }
    json.EndObject();
    if (settings.line && system.figures.line) {
        WriteLineJson(json, *settings.line, *system.figures.line);
    } else {
        json.Null("line");
    }
    json.Double("antenna_power_w", system.figures.antennaPowerW);
    json.EndObject();
}

void WriteSystemText(const SystemReport& system, std::ostream& out, std::string_view indent,
                     bool withHeading) {
    const std::vector<std::string> lines = SystemLines(system.figures, system.settings);
    if (withHeading) out << indent << lines.front() << '\n';
    for (std::size_t i = 1; i < lines.size(); ++i)
        out << indent << "  " << lines[i] << '\n';
}

bool TableSystems(const CalcOptions& options, const BandTable& table, const std::vector<Load>& loads,
                  std::vector<SystemReport>& systems, std::ostream& err) {
    if (!options.system) return true;
    bool computed = true;
    for (std::size_t i = 0; i < loads.size(); ++i) {
        const BandRow& row = table.rows[i];
        systems.push_back({*options.system, SystemFiguresOf(row.entries, loads[i], *options.system)});
        if (systems.back().figures.Computed()) continue;
        err << options.tablePath << ':' << row.line << ": " << systems.back().figures.reason << '\n';
        computed = false;
    }
    return computed;
}

void WriteCables(std::ostream& out) {
    out << "name          VF     Z0, ohms  k1      k2        (loss k1 sqrt(f) + k2 f dB/100 m, f in MHz)\n";
    for (const Cable& cable : Cables())
        out << std::left << std::setw(14) << cable.name << std::setw(7) << FigureText(cable.velocityFactor)
            << std::setw(10) << FigureText(cable.zc) << std::setw(8) << FigureText(cable.k1) << std::setw(10)
            << FigureText(cable.k2) << cable.description << '\n';
}

} // namespace vorelin
