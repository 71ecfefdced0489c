#include "tools/calculator.h"

#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace vorelin {
namespace {

struct Run {
    int exitCode;
    std::string out;
    std::string err;
};

Run Calculate(const std::vector<std::string>& arguments) {
    std::ostringstream out, err;
    const int code = RunCalculator(arguments, out, err);
    return {code, out.str(), err.str()};
}

const std::vector<std::string> kTypical{"--topology", "7",    "--frequency", "14.2M", "--impedance", "50",
                                        "--c1",       "150p", "--l2",        "2.2u",  "--c3",        "300p"};

std::vector<std::string> With(std::vector<std::string> arguments, std::initializer_list<std::string> more) {
    arguments.insert(arguments.end(), more);
    return arguments;
}

TEST(Calculator, TypicalExampleAsJson) {
    const auto run = Calculate(With(kTypical, {"--json"}));
    ASSERT_EQ(run.exitCode, kCalcOk) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out,
              "{\"topology\":7,\"frequency\":14200000,\"impedance\":50,\"c1\":1.49999999e-10,\"c2\":0,"
              "\"c3\":2.99999997e-10,\"l1\":0,\"l2\":2.19999993e-06,\"l3\":0,"
              "\"frequency_text\":\"14.2M\",\"impedance_text\":\"50 \","
              "\"part_texts\":{\"c1\":\"150 pF\",\"c2\":\"\",\"c3\":\"300 pF\",\"l1\":\"\",\"l2\":\"2.2 "
              "uH\",\"l3\":\"\"},"
              "\"report_frequency_text\":\" 14.2 M\",\"load_r\":2.45456648,\"load_x\":47.0132179,"
              "\"reactance_label\":\"+j47.01322  ( 526.929 nH )\",\"resistance_label\":\"2.454566\","
              "\"load_line\":\" 2.454566 +j47.01322\","
              "\"part_labels\":{\"C1\":\"C1: 150 pF\",\"L2\":\"L2: 2.2 uH\",\"C3\":\"C3: 300 pF\"}}\n");
}

TEST(Calculator, RegionExtentAndPoints) {
    const auto run = Calculate(With(kTypical, {"--json", "--accuracy", "1", "--points"}));
    ASSERT_EQ(run.exitCode, kCalcOk) << run.err;
    EXPECT_NE(run.out.find("\"region\":{\"accuracy\":0.00999999978,\"count\":27,"), std::string::npos)
        << run.out;
    // 27 points, each a pair.
    std::size_t pairs = 0;
    for (std::size_t at = run.out.find("\"points\":[") + 10;
         (at = run.out.find('[', at)) != std::string::npos; ++at)
        ++pairs;
    EXPECT_EQ(pairs, 27u);
}

TEST(Calculator, HumanSummary) {
    const auto run = Calculate(With(kTypical, {"--accuracy", "5"}));
    ASSERT_EQ(run.exitCode, kCalcOk) << run.err;
    EXPECT_NE(run.out.find("Network: topology 7, pi network: shunt C1, series L2, shunt C3\n"),
              std::string::npos);
    EXPECT_NE(run.out.find("Test frequency, Hz: 14.2M\n"), std::string::npos);
    EXPECT_NE(run.out.find("System impedance, ohms: 50 \n"), std::string::npos);
    EXPECT_NE(run.out.find("L2: 2.2 uH\n"), std::string::npos);
    EXPECT_NE(run.out.find("Load:  2.454566 +j47.01322\n"), std::string::npos);
    EXPECT_NE(run.out.find("Region for 5 % accuracy: 1331 loads"), std::string::npos) << run.out;
}

TEST(Calculator, ExitCodesAndMessages) {
    const struct {
        const char* name;
        const char* arguments; // split at blanks
        int exitCode;
        const char* errStart;
    } kCases[] = {
        {"NoArguments", "", kCalcBadEntries, "vorelin-calc: --topology is required"},
        {"TopologyOutOfRange", "--topology 9 --frequency 1M --impedance 50", kCalcBadEntries,
         "vorelin-calc: the topology must be a whole number from 1 to 8"},
        {"TopologyNotANumber", "--topology 7x --frequency 1M --impedance 50", kCalcBadEntries,
         "vorelin-calc: the topology must be"},
        {"UnknownOption", "--topology 1 --colour red", kCalcBadEntries,
         "vorelin-calc: unknown option: --colour"},
        {"MissingValue", "--topology 1 --frequency", kCalcBadEntries,
         "vorelin-calc: missing value after --frequency"},
        {"MissingImpedance", "--topology 1 --frequency 1M", kCalcBadEntries,
         "vorelin-calc: --impedance is required"},
        {"BadAccuracy", "--topology 1 --frequency 1M --impedance 50 --accuracy 3", kCalcBadEntries,
         "vorelin-calc: the accuracy must be 1, 2, 5, 10 or 20"},
        {"ShuntInductorFirst", "--topology 3 --frequency 0 --impedance 50", kCalcBadEntries,
         "Shunt inductor must have a positive value\n"},
        {"SeriesCapacitor", "--topology 3 --frequency 1M --impedance 50 --l1 1u", kCalcBadEntries,
         "Series capacitor must have a positive value\n"},
        {"Frequency", "--topology 1 --frequency abc --impedance -5", kCalcBadEntries,
         "Frequency must be a positive value\n"},
        {"Impedance", "--topology 1 --frequency 1M --impedance -5", kCalcBadEntries,
         "System impedance must be a positive value\n"},
        {"NotComputable", "--topology 1 --frequency 1e10 --impedance 50 --l1 1e10", kCalcNotComputable,
         "The load cannot be computed from these entries.\n"},
    };
    for (const auto& c : kCases) {
        std::vector<std::string> arguments;
        std::istringstream words(c.arguments);
        for (std::string word; words >> word;)
            arguments.push_back(word);
        const auto run = Calculate(arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.name;
        EXPECT_EQ(run.err.rfind(c.errStart, 0), 0u) << c.name << ": " << run.err;
        EXPECT_EQ(run.out, "") << c.name;
    }
}

TEST(Calculator, JsonStringsKeepTheirBlanks) {
    const auto run = Calculate({"--topology", "1", "--frequency", "4M", "--impedance", "50", "--json"});
    ASSERT_EQ(run.exitCode, kCalcOk);
    EXPECT_NE(run.out.find("\"reactance_label\":\"+j0 \""), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\"load_line\":\" 50 +j0\""), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\"part_labels\":{\"L1\":\"L1: \",\"C2\":\"C2: \"}"), std::string::npos)
        << run.out;
}

// The lines of a file whose lines all end with CR LF.
std::vector<std::string> Lines(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < bytes.size();) {
        const auto end = bytes.find("\r\n", at);
        if (end == std::string::npos) {
            lines.push_back(bytes.substr(at) + " <no CR LF>");
            break;
        }
        lines.push_back(bytes.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

using test::ScratchFolder;

// Whether this build's calculator can write the report (it needs the Qt adapter).
constexpr bool kCanReport = VORELIN_CALC_REPORT;

TEST(Calculator, ExportWritesTheNetworkFile) {
    const ScratchFolder folder;
    const auto run = Calculate(With(kTypical, {"--export", folder / "net1.txt", "--json"}));
    ASSERT_EQ(run.exitCode, kCalcOk) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_NE(run.out.find(",\"network_file\":\"" + folder / "net1.PWF" + "\""), std::string::npos)
        << run.out;
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"net1.PWF"});

    const auto lines = Lines(folder / "net1.PWF");
    ASSERT_EQ(lines.size(), 49u);
    EXPECT_EQ(lines[0], "Plotwin network file");
    EXPECT_NE(lines[1], ""); // the date and time of the run
    const std::vector<std::string> kLines4To12{
        "Frequency:  1.42E+07 ",       "System impedance:  50 ", "",
        "Antenna R:  2.454566 ",       "Antenna X:  47.01322 ",  "",
        "Element type for stage 1: 2", "   Value(1): 3E-10 ",    "   Value(2): 1000000 "};
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 3, lines.begin() + 12), kLines4To12);
    EXPECT_EQ(lines[16], "Element type for stage 2: 3");
    EXPECT_EQ(lines[23], "Element type for stage 3: 2");
    EXPECT_EQ(lines[30], "Element type for stage 4: 0");
    EXPECT_EQ(lines[46], "Sweep start:  14058000 ");
    EXPECT_EQ(lines[48], "Number of points:  11 ");

    const auto summary = Calculate(With(kTypical, {"--export", folder / "net2"}));
    ASSERT_EQ(summary.exitCode, kCalcOk) << summary.err;
    EXPECT_NE(summary.out.find("\nNetwork file: " + folder / "net2.PWF" + "\n"), std::string::npos)
        << summary.out;
}

// Each file option: its file when it cannot be written, its name when empty, and no file at all
// when the entries give no load.
TEST(Calculator, FileFailures) {
    const struct {
        const char* option;
        const char* name;
        const char* written;
        const char* what;
    } kFiles[] = {{"--export", "net1.txt", "net1.PWF", "The Plotwin file "},
                  {"--report", "report.pdf", "report.pdf", "The report file "}};
    for (const auto& file : kFiles) {
        if (!kCanReport && std::string_view(file.option) == "--report") continue;
        const ScratchFolder folder;
        const auto missing = Calculate(With(kTypical, {file.option, folder / "missing/" + file.name}));
        EXPECT_EQ(missing.exitCode, kCalcNotWritten) << file.option;
        EXPECT_EQ(missing.out, "") << file.option;
        const std::string message =
            file.what + folder / "missing/" + file.written + " could not be written: ";
        EXPECT_EQ(missing.err.rfind(message, 0), 0u) << missing.err;

        const auto empty = Calculate(With(kTypical, {file.option, ""}));
        EXPECT_EQ(empty.exitCode, kCalcBadEntries) << file.option;
        EXPECT_EQ(empty.err.rfind("vorelin-calc: " + std::string(file.option) + " needs a file name\n", 0),
                  0u)
            << empty.err;

        const auto notComputable = Calculate({"--topology", "1", "--frequency", "1e10", "--impedance", "50",
                                              "--l1", "1e10", file.option, folder / file.name});
        EXPECT_EQ(notComputable.exitCode, kCalcNotComputable) << file.option;
        EXPECT_TRUE(folder.Entries().empty()) << file.option;
    }
}

TEST(Calculator, ReportWritesThePdfFile) {
    if (!kCanReport) GTEST_SKIP() << "built without the Qt adapter";
    const ScratchFolder folder;
    const auto run = Calculate(With(kTypical, {"--report", folder / "report.pdf"}));
    ASSERT_EQ(run.exitCode, kCalcOk) << run.err;
    EXPECT_NE(run.out.find("Load:  2.454566 +j47.01322\n"), std::string::npos) << run.out;
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"report.pdf"});
    std::ifstream pdf(folder / "report.pdf", std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(pdf), {}};
    EXPECT_EQ(bytes.rfind("%PDF-", 0), 0u);
}

} // namespace
} // namespace vorelin
