#include "core/decimal_number.h"
#include "core/engineering_value.h"
#include "core/entry_checks.h"
#include "core/number_text.h"
#include "core/readout.h"
#include "core/strict_value.h"
#include "core/tolerance_sweep.h"
#include "core/value_readout.h"
#include "tests/support/case_table.h"
#include "tests/support/decimal_comma_locale.h"
#include "tests/support/entries.h"
#include "tests/support/float_bits.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace vorelin {
namespace {

using test::Arguments;
using test::Exact;
using test::FloatField;

// Entries from the arguments starting at `at`: topology, frequency, impedance, C1 ... L3.
Entries EntriesAt(const Arguments& a, std::size_t at) {
    const auto f = [&](std::size_t i) { return FloatField(a[at + i]); };
    return test::MakeEntries(test::IntField(a[at]), f(1), f(2), {f(3), f(4), f(5), f(6), f(7), f(8)});
}

Load LoadOf(const Arguments& a) { return {FloatField(a[0]), FloatField(a[1])}; }

std::string ResultText(NetworkResult result) {
    return result == NetworkResult::Computed    ? "Computed"
           : result == NetworkResult::NoNetwork ? "NoNetwork"
                                                : "NotComputable";
}

std::string ScanText(const std::string& text, Exponent exponent) {
    const DecimalPrefix prefix = ScanDecimalPrefix(text, exponent);
    return std::to_string(prefix.length) + " " + Exact(prefix.value) + (prefix.overflow ? " overflow" : "");
}

std::string NetworkText(const Entries& entries) {
    const NetworkRun run = RunNetwork(entries);
    if (!run.Computed()) return ResultText(run.result);
    char bits[32];
    std::snprintf(bits, sizeof bits, "%#010x %#010x", test::Bits(run.load.LoadR), test::Bits(run.load.LoadX));
    return bits;
}

std::string PartsText(int topology) {
    std::string text;
    for (const PartSlot& part : PartsOf(topology)) {
        text += std::string(text.empty() ? "" : ", ") +
                (part.placement == Placement::Series ? "series " : "shunt ") +
                (part.kind == PartKind::Capacitor ? "capacitor " : "inductor ") + std::string(part.name);
    }
    return text;
}

std::string FieldText(const std::string& name) {
    float Entries::*field = PartField(name);
    if (field == nullptr) return "none";
    Entries e;
    e.*field = 1;
    std::string set;
    for (const float value : {e.C1, e.C2, e.C3, e.L1, e.L2, e.L3})
        set += value == 1 ? '1' : '0';
    return set;
}

std::string SweepText(const Arguments& a) {
    std::int64_t points = 0;
    const auto summary =
        SweepTolerance(EntriesAt(a, 0), FloatField(a[9]), [&points](const SweepPoint&) { ++points; });
    return std::to_string(summary.combinations) + " varied, " + std::to_string(summary.notComputable) +
           " not computable, " + std::to_string(points) + " points, " + ResultText(summary.nominal.result);
}

// "1.5e-10", or the refusal with the rest of the text from where the reading stopped.
std::string WholeText(const std::string& text) {
    const WholeValue whole = ReadWholeValue(text);
    if (whole.Read()) return Exact(whole.value);
    return "refused at \"" + text.substr(whole.at) + "\": " + std::string(whole.refusal);
}

// What the entries page's reading left aside: "7|x" and "cut:345", or "whole".
std::string IgnoredText(const std::string& text) {
    const PageReading reading = ReadAsEntriesPage(text);
    std::string told;
    for (const std::string& run : reading.ignored)
        told += (told.empty() ? "" : "|") + run;
    if (!reading.cut.empty()) told += (told.empty() ? "cut:" : " cut:") + reading.cut;
    return reading.Whole() ? "whole" : told;
}

std::string FormatterText(const std::string& name, float value) {
    const auto formatter = name == "Value"         ? FormatValue
                           : name == "Capacitance" ? FormatCapacitance
                                                   : FormatInductance;
    return FormatKeepingValue(value, formatter);
}

const test::CaseFunctions kCoreFunctions{
    {"Whole", [](const Arguments& a) { return WholeText(a[0]); }},
    {"Ignored", [](const Arguments& a) { return IgnoredText(a[0]); }},
    {"Keeping", [](const Arguments& a) { return FormatterText(a[0], FloatField(a[1])); }},
    {"Readout",
     [](const Arguments& a) {
         const ValueUnit unit = a[0] == "Hz"  ? ValueUnit::Hertz
                                : a[0] == "F" ? ValueUnit::Farads
                                : a[0] == "H" ? ValueUnit::Henries
                                              : ValueUnit::Ohms;
         const ValueReadout readout = ReadoutOf(a[1], unit);
         return readout.text + "|" + readout.warning;
     }},
    {"Parse", [](const Arguments& a) { return Exact(ParseValue(a[0])); }},
    {"Value", [](const Arguments& a) { return FormatValue(FloatField(a[0])); }},
    {"Frequency", [](const Arguments& a) { return FormatFrequency(FloatField(a[0])); }},
    {"Capacitance", [](const Arguments& a) { return FormatCapacitance(FloatField(a[0])); }},
    {"Inductance", [](const Arguments& a) { return FormatInductance(FloatField(a[0])); }},
    {"Forms",
     [](const Arguments& a) {
         const float v = FloatField(a[0]);
         return PlainText(v) + "|" + SignedText(v) + "|" + PrintText(v) + "|" + HeaderText(v);
     }},
    {"PrintDouble", [](const Arguments& a) { return PrintText(test::DoubleField(a[0])); }},
    {"HeaderDouble", [](const Arguments& a) { return HeaderText(test::DoubleField(a[0])); }},
    {"Decimal",
     [](const Arguments& a) { return DecimalText(test::DoubleField(a[0]), {test::IntField(a[1])}); }},
    {"Trimmed", [](const Arguments& a) { return Trimmed(a[0]); }},
    {"Scan", [](const Arguments& a) { return ScanText(a[0], Exponent::Allowed); }},
    {"ScanWithoutExponent", [](const Arguments& a) { return ScanText(a[0], Exponent::NotAllowed); }},
    {"Stored",
     [](const Arguments& a) {
         const auto stored = ToStoredFloat(ScanDecimalPrefix(a[0]));
         return stored ? Exact(*stored) : "none";
     }},
    {"Reactance", [](const Arguments& a) { return ReactanceLabel(LoadOf(a), FloatField(a[2])); }},
    {"Resistance", [](const Arguments& a) { return ResistanceLabel(LoadOf(a)); }},
    {"LoadLine", [](const Arguments& a) { return LoadLine(LoadOf(a)); }},
    {"Equivalent", [](const Arguments& a) { return EquivalentPartText(LoadOf(a), FloatField(a[2])); }},
    {"PartLabel",
     [](const Arguments& a) {
         const PartSlot& part = PartsOf(test::IntField(a[0]))[static_cast<std::size_t>(test::IntField(a[1]))];
         Entries entries;
         entries.*part.value = FloatField(a[2]);
         return PartLabel(entries, part);
     }},
    {"Parts", [](const Arguments& a) { return PartsText(test::IntField(a[0])); }},
    {"Form", [](const Arguments& a) { return std::string(FormOf(test::IntField(a[0]))); }},
    {"Field", [](const Arguments& a) { return FieldText(a[0]); }},
    {"Check",
     [](const Arguments& a) {
         const auto problem = CheckEntries(EntriesAt(a, 0));
         return problem ? std::string(problem->field) + ": " + std::string(problem->message) : "ok";
     }},
    {"Network", [](const Arguments& a) { return NetworkText(EntriesAt(a, 0)); }},
    {"Passes", [](const Arguments& a) { return std::to_string(PassesPerPart(FloatField(a[0]))); }},
    {"Combinations",
     [](const Arguments& a) {
         return std::to_string(SweepCombinations(test::IntField(a[0]), FloatField(a[1])));
     }},
    {"Sweep", SweepText},
};

// Under a decimal-comma locale: no text of the core may follow the process locale.
TEST(CoreCases, TextsAndNumbers) {
    const test::DecimalCommaLocale comma;
    test::ExpectCases("core/data/cases.txt", kCoreFunctions);
}

// The expected bits come from tests/core/reference/network_reference.py, which evaluates every
// step in double precision and rounds it to single precision, as the routines must.
TEST(CoreCases, NetworksAreBitExact) { test::ExpectCases("core/data/networks.txt", kCoreFunctions); }

} // namespace
} // namespace vorelin
