#include "tools/calculator.h"

#include "core/version.h"
#include "tools/calculator_options.h"
#include "tools/design_run.h"
#include "tools/load_run.h"
#include "tools/measured_run.h"
#include "tools/system_output.h"
#include "tools/table_run.h"

namespace vorelin {

int RunCalculator(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    CalcOptions options;
    if (const auto problem = ReadOptions(arguments, options)) {
        err << kCalcPrefix << problem->message << '\n';
        if (problem->withUsage) err << kCalcUsage;
        return kCalcBadEntries;
    }
    switch (options.mode) {
    case CalcMode::Help:
        out << kCalcUsage;
        return kCalcOk;
    case CalcMode::Version:
        out << "vorelin-calc " << kVersionText << '\n';
        return kCalcOk;
    case CalcMode::Cables:
        WriteCables(out);
        return kCalcOk;
    case CalcMode::Table:
        return RunTable(options, out, err);
    case CalcMode::Design:
        return RunDesign(options, out, err);
    case CalcMode::Measured:
        return RunMeasured(options, out, err);
    case CalcMode::Load:
        break;
    }
    return RunLoad(options, out, err);
}

} // namespace vorelin
