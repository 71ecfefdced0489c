#include "core/entry_checks.h"

#include "core/topology.h"

namespace vorelin {

std::optional<EntryProblem> CheckEntries(const Entries& entries) {
    for (const auto& part : PartsOf(entries.Topology)) {
        if (entries.*part.value > 0) continue;
        if (part.kind == PartKind::Inductor && part.placement == Placement::Shunt)
            return EntryProblem{"Shunt inductor must have a positive value", part.name};
        if (part.kind == PartKind::Capacitor && part.placement == Placement::Series)
            return EntryProblem{"Series capacitor must have a positive value", part.name};
    }
    if (!(entries.Frequency > 0)) return EntryProblem{"Frequency must be a positive value", "Frequency"};
    if (!(entries.Impedance > 0))
        return EntryProblem{"System impedance must be a positive value", "Impedance"};
    return std::nullopt;
}

} // namespace vorelin
