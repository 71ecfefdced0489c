#include "core/entry_checks.h"

#include "core/topology.h"

namespace vorelin {

std::optional<EntryProblem> CheckEntries(const Session& session) {
    for (const auto& part : PartsOf(session.Topology)) {
        if (session.*part.value > 0) continue;
        if (part.kind == PartKind::Inductor && part.placement == Placement::Shunt)
            return EntryProblem{"Shunt inductor must have a positive value", part.name};
        if (part.kind == PartKind::Capacitor && part.placement == Placement::Series)
            return EntryProblem{"Series capacitor must have a positive value", part.name};
    }
    if (!(session.Frequency > 0)) return EntryProblem{"Frequency must be a positive value", "Frequency"};
    if (!(session.Impedance > 0))
        return EntryProblem{"System impedance must be a positive value", "Impedance"};
    return std::nullopt;
}

} // namespace vorelin
