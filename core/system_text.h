#pragma once

#include "core/antenna_system.h"
#include "core/cables.h"

#include <string>
#include <vector>

namespace vorelin {

// The antenna system in words, as the calculator's text output, the printed report and the System
// page give it: a heading with the settings, then one line per stage, figures to four significant
// digits as the load's detail lines have them.
//   "Antenna system at 100 W, coil Q 200, capacitor Q 1000"
//   "Tuner: efficiency 94.93 %, loss 0.2258 dB, 94.93 W out"
//   "C1: 0.9593 A, 71.68 V RMS, 101.4 V peak, 0.06877 W"            (one per part)
//   "Line: 30 m (98.43 ft) of LMR-400, VF 0.85, Zc 50 Ω: matched loss 0.3318 dB, total loss 0.543 dB"
//   "Feedpoint: 16.39 +j4.789 Ω, SWR 3.082 on the line"
//   "At the antenna: 82.1 W"
// A line that cannot deliver the load has its reason after the colon and no feedpoint line; the
// power at the antenna is "—" then. Settings or a load that cannot be used give the heading and
// "Not computed: " with the reason.
std::vector<std::string> SystemLines(const SystemFigures& system, const SystemSettings& settings);

// The heading alone: "Antenna system at 100 W, coil Q 200, capacitor Q 1000".
std::string SystemHeading(const LossSettings& settings);

// "30 m (98.43 ft) of LMR-400, VF 0.85, Zc 50 Ω" (the cable named when the line is one of the
// table's), or "30 m (98.43 ft), VF 0.66, Zc 50 Ω, 1.379 √f + 0.02098 f dB/100 m".
std::string LineDescription(const Feedline& line);

// The table's cable of exactly the line's values, if any.
const Cable* CableOfLine(const Feedline& line);

// The efficiency as a percentage: 0.949340 -> "94.93 %".
std::string PercentText(double fraction);

} // namespace vorelin
