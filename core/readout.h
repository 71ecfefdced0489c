#pragma once

#include "core/entries.h"
#include "core/networks.h"
#include "core/topology.h"

#include <string>
#include <string_view>

namespace vorelin {

// The load readout texts, built in one place for the results page, the report and the calculator.

// The reactance label: "+j25.3  ( 1.2 uH )", "-j12.5  ( 1793.3 pF )", "+j0 " (one blank).
std::string ReactanceLabel(const Load& load, float frequency);
// The resistance label: LoadR in plain form, "25.3".
std::string ResistanceLabel(const Load& load);
// The line under "Load:": " 25.3 -j12.5", " .5 +j.5" (signed forms).
std::string LoadLine(const Load& load);
// The part the load reactance amounts to at the test frequency: a capacitance for LoadX < 0,
// an inductance for LoadX > 0, one blank for LoadX = 0.
std::string EquivalentPartText(const Load& load, float frequency);

// A part value as its formatter writes it: capacitances in pF ... GF, inductances in nH ... GH.
std::string PartValueText(float value, PartKind kind);
// A part label of the results page: "L1: 2.2 uH".
std::string PartLabel(const Entries& entries, const PartSlot& part);

// Shown in place of the readout when the entries give no computable load.
inline constexpr std::string_view kLoadNotComputable = "The load cannot be computed from these entries.";
// The line under "Load:" in place of the load, on the results page and the printed report.
inline constexpr std::string_view kLoadLineNotComputable = " cannot be computed";

} // namespace vorelin
