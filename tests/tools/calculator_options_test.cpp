#include "tools/calculator.h"

#include "core/band_table.h"
#include "core/load_figures.h"
#include "graphics/load_marks.h"
#include "graphics/results_scene.h"
#include "render/page_renderer.h"
#include "tests/support/case_table.h"
#include "tests/support/entries.h"
#include "tests/support/folders.h"
#include "tests/support/golden.h"

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>

namespace vorelin {
namespace {

using test::ScratchFolder;

const std::string kData = VORELIN_TOOLS_TESTS "/data/";
const std::string kExample = "--topology 7 --frequency 14.2M --impedance 50 --c1 150p --l2 2.2u --c3 300p ";
// The example's load, as the single-load calculator gives it.
const std::string kDesign =
    "--design --load-r 2.45456648 --load-x 47.0132179 --frequency 14.2M --impedance 50 ";

struct Result {
    int exitCode;
    std::string out, err;
};

// "@" stands for the scratch folder, "%" for tests/tools/data (both with their "/").
std::string Expand(const std::string& text, const ScratchFolder& folder) {
    std::string expanded;
    for (const char c : text)
        expanded += c == '@' ? folder.Path().string() + "/" : c == '%' ? kData : std::string(1, c);
    return expanded;
}

Result Calculate(const std::string& line, const ScratchFolder& folder) {
    std::vector<std::string> arguments;
    std::istringstream words(Expand(line, folder));
    for (std::string word; words >> word;)
        arguments.push_back(word);
    std::ostringstream out, err;
    const int code = RunCalculator(arguments, out, err);
    return {code, out.str(), err.str()};
}

std::string FileText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

QJsonObject Json(const std::string& text) {
    return QJsonDocument::fromJson(QByteArray::fromStdString(text)).object();
}

// A command's exit status and standard output.
std::pair<int, std::string> Command(const std::string& command) {
    FILE* pipe = popen(command.c_str(), "r");
    std::string output;
    for (int c; (c = std::fgetc(pipe)) != EOF;)
        output += static_cast<char>(c);
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

// Every output as reviewed (exit code, stdout, stderr and each file written), under a decimal-comma locale.
TEST(CalculatorOptions, OutputsAsReviewed) {
    const struct {
        std::string golden, line;
    } kCases[] = {
        {"help", "--help"},
        {"version", "--version"},
        {"load-text", kExample + "--accuracy 5"},
        {"load-json-files", kExample + "--accuracy 1 --json --s1p @load.s1p --csv @region.csv"},
        {"table-text-files", "--table %band.csv --s1p @band.s1p --reference 50 --csv @results.csv"},
        {"table-json", "--table %band.csv --json"},
        {"table-bad-rows", "--table %band-bad.csv"},
        {"table-refused-cells", "--table %band-refused.csv"},
        {"table-page-reading", "--table %band-refused.csv --page-reading"},
        {"table-misread", "--table %band-40m-misread.csv --json --accuracy 2"},
        {"predict-text", "--table %band-40m-misread.csv --predict 7.125M"},
        {"predict-json", "--table %band-40m.csv --predict 7.125M --topology 7 --json"},
        {"measured-points", "--measured %dipole.s1p"},
        {"measured-table-json", "--table %band.csv --measured %dipole.s1p --json"},
        {"measured-table-text", "--table %band.csv --measured %dipole.s1p --accuracy 1"},
        {"design-text", kDesign + "--hold c1=150p"},
        {"design-json", kDesign + "--json --q 30"},
        {"design-none", "--design --load-r 0 --load-x 10 --frequency 1M --impedance 50 --json"},
        {"cables", "--cables"},
        {"system-text", kExample + "--line-length 98.4ft --cable lmr-400 --coil-q 150"},
        {"table-system-text", "--table %band.csv --line-length 30 --line-vf 0.66 --line-z0 50 --line-k1 1.4"},
        {"table-system-json", "--table %band.csv --power 1.5k --json"},
    };
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) std::setlocale(LC_ALL, "C");
    for (const auto& c : kCases) {
        const ScratchFolder folder;
        const auto run = Calculate(c.line, folder);
        std::string text = "exit " + std::to_string(run.exitCode) + "\n" + run.out + "--- stderr\n" + run.err;
        auto names = folder.Entries();
        std::sort(names.begin(), names.end());
        for (const std::string& name : names)
            text += "--- " + name + "\n" + FileText(folder / name);
        for (const auto& [path, mark] : {std::pair{folder.Path().string() + "/", "@"}, {kData, "%"}})
            for (std::size_t at; (at = text.find(path)) != std::string::npos;)
                text.replace(at, path.size(), mark);
        EXPECT_EQ(test::GoldenMismatch("tools/golden/" + c.golden + ".txt", text), "");
        EXPECT_TRUE(!run.out.starts_with('{') || !Json(run.out).isEmpty()) << c.golden; // JSON parses
    }
    std::setlocale(LC_ALL, "C");
}

// Each failure: its exit code and first message; nothing on stdout, no file written or replaced.
TEST(CalculatorOptions, ExitCodesAndMessages) {
    const struct {
        std::string line;
        int exitCode;
        std::string errStart;
    } kCases[] = {
        {kExample + "--csv @old.csv", 2, "vorelin-calc: --csv needs --accuracy\n"},
        {kExample + "--s1p --json", 2, "vorelin-calc: missing value after --s1p\n"},
        {kExample + "--s1p @a.s1p --png @./a.s1p", 2, "vorelin-calc: --s1p and --png name the same file ("},
        {kExample + "--export @a.txt --svg @a.PWF", 2,
         "vorelin-calc: --export and --svg name the same file ("},
        {kExample + "--c1 1p", 2, "vorelin-calc: --c1 is given twice\n"},
        {kExample + "--hold c1=1p", 2, "vorelin-calc: --hold needs --design\n"},
        {kExample + "--reference 50", 2, "vorelin-calc: --reference needs --table\n"},
        {"--table %band.csv --design", 2, "vorelin-calc: --table and --design cannot be used together\n"},
        {"--table %band.csv --topology 7", 2, "vorelin-calc: --topology needs --predict with --table\n"},
        {"--table %band-40m.csv --predict 7.1M", 2,
         "vorelin-calc: no prediction at 7.1M Hz: A row of the table already holds this frequency. (line "
         "4)\n"},
        {"--table %band.csv --predict 10M", 2,
         "vorelin-calc: no prediction at 10M Hz: The tuned rows on either"},
        {"--table %band-40m.csv --predict 7.125M --csv @old.csv", 2,
         "vorelin-calc: --predict writes no file"},
        {"--table %band-40m.csv --predict 7,125M", 2,
         "vorelin-calc: --predict \"7,125M\" at \",125M\": Values must use a period as the decimal mark\n"},
        {"--topology 7 --frequency 14.2M --impedance 50 --c1 4k7", 2,
         "vorelin-calc: --c1 \"4k7\" at \"7\": Digits follow the multiplier letter; write 4.7k, not 4k7\n"},
        {kDesign + "--hold c1=150p;2.2u", 2,
         "vorelin-calc: --hold \"150p;2.2u\" at \";2.2u\": The value holds"},
        {"--table %band.csv --s1p @old.s1p --reference 0x10", 2,
         "vorelin-calc: --reference \"0x10\" at \"x10\""},
        {"--table %band.csv --csv @old.csv --reference 50", 2, "vorelin-calc: --reference needs --s1p\n"},
        {"--table %band.csv --s1p @old.s1p --reference 0", 2,
         "vorelin-calc: the reference impedance must be a number above zero\n"},
        {"--table %band.csv --csv %band.csv", 2, "vorelin-calc: --table and --csv name the same file ("},
        {"--table %band-bad.csv --csv @old.csv", 2,
         "%band-bad.csv:2: Shunt inductor must have a positive value\n"},
        {"--table %band-no-load.csv --csv @old.csv", 3,
         "%band-no-load.csv:3: The load cannot be computed from these entries.\n"},
        {"--table %band-same-frequency.csv --s1p @old.s1p --csv @old.csv", 2,
         "vorelin-calc: No Touchstone file was written: rows 1 and 3 have the same frequency"},
        {"--table %band.csv --s1p @old.s1p", 2,
         "vorelin-calc: the rows have different impedances (50, 75 ohms)"},
        {"--table %band.csv --csv @old.csv --measured %measured-bad.s1p", 2,
         "vorelin-calc: The Touchstone file %measured-bad.s1p was not read. Line 4: the frequencies must"},
        {"--measured %measured-bad.s1p --json", 2, "vorelin-calc: The Touchstone file %measured-bad.s1p was"},
        {"--table %band.csv --predict 5M --measured %dipole.s1p", 2,
         "vorelin-calc: --measured does not apply to --predict\n"},
        {"--table %band.csv --csv @folder", 4, "The CSV file @folder could not be written: "},
        {kExample + "--s1p @folder", 4, "The Touchstone file @folder could not be written"},
        {kExample + "--png @missing/p.png", 4, "The picture file @missing/p.png could not be written: "},
        {"--design --load-r 50 --load-x 0 --frequency 0 --impedance 50", 2,
         "vorelin-calc: The frequency must be a number above zero.\n"},
        {kDesign + "--q -1", 2, "vorelin-calc: The loaded Q must be a number above zero.\n"},
        {kDesign + "--hold l1=0", 2, "vorelin-calc: The held part's value must be a number above zero.\n"},
        {kDesign + "--hold x1=1p", 2, "vorelin-calc: --hold needs PART=VALUE with PART one of c1, c2"},
        {"--design --load-x 1 --frequency 1M --impedance 50", 2,
         "vorelin-calc: --load-r is required with --design\n"},
        {kDesign + "--coil-q 0", 2, "vorelin-calc: The coil Q must be a number above zero.\n"},
        {kDesign + "--capacitor-q -1", 2, "vorelin-calc: The capacitor Q must be a number above zero.\n"},
        {kDesign + "--profile Nowhere", 2,
         "vorelin-calc: there is no tuner profile named \"Nowhere\" in VORELIN-TUNERS.CSV\n"},
        {kDesign + "--power 100", 2, "vorelin-calc: --power does not apply to --design\n"},
        {kExample + "--power 0", 2, "vorelin-calc: The power must be a number above zero.\n"},
        {kExample + "--power 100W", 2, "vorelin-calc: --power \"100W\" at \"W\": The value holds text"},
        {kExample + "--coil-q -5", 2, "vorelin-calc: The coil Q must be a number above zero.\n"},
        {kExample + "--capacitor-q 0", 2, "vorelin-calc: The capacitor Q must be a number above zero.\n"},
        {kExample + "--cable rg-58c/u --line-length 10 --line-vf 1.01", 2,
         "vorelin-calc: The line's velocity factor must be a number above 0 and at most 1.\n"},
        {kExample + "--line-length -1ft --line-vf 0.7 --line-z0 50", 2,
         "vorelin-calc: The line's length must be a number of zero or more.\n"},
        {kExample + "--line-length 3 --line-vf 0.7 --line-z0 50 --line-k2 -0.1", 2,
         "vorelin-calc: The line's loss must be given as numbers of zero or more.\n"},
        {kExample + "--line-length 3 --line-vf 0.7 --line-z0 0", 2,
         "vorelin-calc: The line's characteristic impedance must be a number above zero.\n"},
        {kExample + "--line-length 3 --cable RG-59", 2,
         "vorelin-calc: there is no cable named \"RG-59\" (--cables lists them)\n"},
        {kExample + "--line-length 3 --line-vf 0.7", 2, "vorelin-calc: a line needs --cable, or --line-vf"},
        {kExample + "--cable LMR-400", 2, "vorelin-calc: a line needs --line-length\n"},
        {kExample + "--line-length 3,5 --cable LMR-400", 2, "vorelin-calc: --line-length \"3,5\" at \",5\""},
        {"--table %band-40m.csv --predict 7.125M --power 10", 2, "vorelin-calc: --predict computes no antenna"},
    };
    for (const auto& c : kCases) {
        const ScratchFolder folder;
        std::filesystem::create_directory(folder / "folder");
        std::ofstream(folder / "old.csv") << "old";
        std::ofstream(folder / "old.s1p") << "old";
        const auto run = Calculate(c.line, folder);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.line;
        EXPECT_EQ(run.err.rfind(Expand(c.errStart, folder), 0), 0u) << c.line << "\n" << run.err;
        EXPECT_EQ(run.out, "") << c.line;
        auto names = folder.Entries();
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, (std::vector<std::string>{"folder", "old.csv", "old.s1p"})) << c.line;
        EXPECT_EQ(FileText(folder / "old.csv") + FileText(folder / "old.s1p"), "oldold") << c.line;
    }
}

// What a folder holds: each name with its file's bytes, a link's target or a mark for anything else.
std::map<std::string, std::string> Snapshot(const ScratchFolder& folder) {
    namespace fs = std::filesystem;
    std::map<std::string, std::string> held;
    for (const std::string& name : folder.Entries()) {
        const fs::path path = folder.Path() / name;
        held[name] = fs::is_symlink(path)        ? "-> " + fs::read_symlink(path).string()
                     : fs::is_regular_file(path) ? FileText(path.string())
                                                 : "(not a file)";
    }
    return held;
}

// Targets that are one file, that are no regular file, that loop or lead nowhere, or that name no
// file: refused with the file at fault named, and nothing in the folder changes.
TEST(CalculatorOptions, HostileTargetsChangeNothing) {
    namespace fs = std::filesystem;
    const struct {
        std::string line;
        int exitCode;
        std::string errStart;
        std::function<void(const ScratchFolder&)> setUp;
    } kCases[] = {
        {"--table @band.csv --csv @results.csv", 2, "vorelin-calc: --table and --csv name the same file (",
         [](const ScratchFolder& f) { fs::create_symlink("band.csv", f / "results.csv"); }},
        {kExample + "--accuracy 1 --s1p @d/x.s1p --csv @dl/x.s1p", 2,
         "vorelin-calc: --s1p and --csv name the same file (",
         [](const ScratchFolder& f) {
             fs::create_directory(f / "d");
             fs::create_directory_symlink("d", f / "dl");
         }},
        {kExample + "--s1p @band.csv --png @b.png", 4,
         "The picture file @b.png could not be written: it is not a "
         "regular file.\n",
         [](const ScratchFolder& f) { mkfifo((f / "b.png").c_str(), 0600); }},
        {"--table @band.csv --s1p @a.s1p --reference 50 --csv @d", 4,
         "The CSV file @d could not be written: it is not a regular file.\n",
         [](const ScratchFolder& f) {
             fs::create_directory(f / "d");
             std::ofstream(f / "a.s1p") << "old";
         }},
        {kExample + "--s1p @t.s1p", 4,
         "The Touchstone file @t.s1p could not be written: it is a link in a loop",
         [](const ScratchFolder& f) { fs::create_symlink("t.s1p", f / "t.s1p"); }},
        {kExample + "--s1p @t.s1p", 4,
         "The Touchstone file @t.s1p could not be written: it is a link to a file that does not exist.\n",
         [](const ScratchFolder& f) { fs::create_symlink("gone/t.s1p", f / "t.s1p"); }},
        {kExample + "--export @.", 2, "vorelin-calc: --export needs a file name, not \"@.\"\n", {}},
    };
    for (const auto& c : kCases) {
        const ScratchFolder folder;
        fs::copy_file(kData + "band.csv", folder / "band.csv");
        if (c.setUp) c.setUp(folder);
        const auto before = Snapshot(folder);
        const auto run = Calculate(c.line, folder);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.line;
        EXPECT_EQ(run.err.rfind(Expand(c.errStart, folder), 0), 0u) << c.line << "\n" << run.err;
        EXPECT_EQ(Snapshot(folder), before) << c.line;
    }
}

// A file size limit (ulimit -f) makes the write fail with the system's reason instead of ending
// the program with SIGXFSZ.
TEST(CalculatorOptions, FileSizeLimitIsAFailedWrite) {
    const ScratchFolder folder;
    const auto [status, output] = Command("ulimit -f 0; " VORELIN_CALC " " + Expand(kExample, folder) +
                                          "--accuracy 20 --csv " + folder / "big.csv" + " 2>&1 >/dev/null");
    EXPECT_EQ(status, kCalcNotWritten) << output;
    EXPECT_TRUE(
        output.ends_with("The CSV file " + folder / "big.csv" + " could not be written: File too large.\n"))
        << output;
}

// Each row's load and figures are the single-entry calculator's, bit for bit (%.9g gives every float back).
TEST(CalculatorOptions, TableRowsAreSingleRuns) {
    const ScratchFolder folder;
    const QJsonArray rows = Json(Calculate("--table %band.csv --json", folder).out)["rows"].toArray();
    const BandRead read = ReadBandTable(FileText(kData + "band.csv"));
    ASSERT_EQ(static_cast<std::size_t>(rows.size()), read.table.rows.size());
    for (std::size_t i = 0; i < read.table.rows.size(); ++i) {
        std::string line = "--json";
        for (std::size_t column = 0; column < static_cast<std::size_t>(BandColumn::Note); ++column)
            if (!read.table.rows[i].cells[column].empty())
                line +=
                    " --" + std::string(kBandColumnNames[column]) + " " + read.table.rows[i].cells[column];
        const QJsonObject single = Json(Calculate(line, folder).out);
        const QJsonObject row = rows[static_cast<qsizetype>(i)].toObject();
        for (const char* key : {"load_r", "load_x", "figures"})
            EXPECT_EQ(row[key], single[key]) << line << ' ' << key;
    }
}

// The worked example designed back from its load with C1 held at 150 pF gives its L2 and C3 again.
TEST(CalculatorOptions, DesignGivesTheWorkedExampleBack) {
    const ScratchFolder folder;
    const auto run = Calculate(kDesign + "--topology 7 --hold c1=150p --json", folder);
    ASSERT_EQ(run.exitCode, kCalcOk) << run.err;
    const QJsonArray designs = Json(run.out)["designs"].toArray();
    ASSERT_EQ(designs.size(), 1);
    const QJsonArray solutions = designs[0]["solutions"].toArray();
    const auto near = [](const QJsonValue& value, double want) {
        return std::abs(value.toDouble() / want - 1) < 1e-4;
    };
    EXPECT_TRUE(std::any_of(solutions.begin(), solutions.end(), [&](const QJsonValue& s) {
        return static_cast<float>(s["c1"].toDouble()) == 150e-12f && near(s["l2"], 2.2e-6) &&
               near(s["c3"], 300e-12);
    })) << run.out;
}

// --profile takes the Qs and ranges of VORELIN-TUNERS.CSV in the working folder (its name in any
// case), --coil-q overrides its coil Q, and the default lies within its ranges; a file that cannot
// be read is named.
TEST(CalculatorOptions, DesignWithATunerProfile) {
    const test::WorkingFolder folder;
    test::PutFile("VORELIN-TUNERS.CSV",
                  "name,topology,c1_largest,coil_q,capacitor_q\nShack-pi,7,700,150,800\n");
    const auto run = Calculate(kDesign + "--profile SHACK-PI --coil-q 90 --q 12 --json", folder);
    ASSERT_EQ(run.exitCode, kCalcOk) << run.err;
    const QJsonObject json = Json(run.out);
    EXPECT_EQ(json["profile"], QStringLiteral("Shack-pi"));
    EXPECT_EQ(json["coil_q"].toDouble(), 90);
    EXPECT_EQ(json["capacitor_q"].toDouble(), 800);
    EXPECT_EQ(json["default"]["topology"].toInt(), 7);
    const QJsonValue chosen = json["designs"][6]["solutions"][json["default"]["solution"].toInt()];
    EXPECT_TRUE(chosen["outside_profile"].toArray().isEmpty() && chosen["c1"].toDouble() <= 700e-12)
        << run.out;
    test::PutFile("VORELIN-TUNERS.CSV", "name\n");
    EXPECT_EQ(Calculate(kDesign + "--profile x", folder).err,
              "vorelin-calc: The tuner profile file (VORELIN-TUNERS.CSV) was not read. Line 1: the name and "
              "topology columns are needed.\n");
}

// One load through a line against the independent reference (nodal analysis and scikit-rf's line,
// tests/core/reference/system_reference.py): its tuner row and the line row fed by the same load.
TEST(CalculatorOptions, SystemAgreesWithTheReference) {
    std::map<std::string, std::vector<std::string>> rows;
    for (const test::Case& c : test::ReadCases("core/data/system.txt"))
        rows[c.fields[1]] = c.fields;
    const auto& tuner = rows.at("ShuntCSeriesL"); // topology 2: shunt C1, series L2
    const auto& line = rows.at("LMR400Typical");
    ASSERT_EQ(tuner[11] + tuner[12], line[2] + line[3]) << "the line's load is the tuner's";
    const auto value = [](const std::string& bits) {
        char text[32];
        std::snprintf(text, sizeof text, "%.9g", static_cast<double>(test::FloatField(bits)));
        return std::string(text);
    };
    const ScratchFolder folder;
    const auto run = Calculate("--json --topology 2 --frequency " + value(tuner[3]) + " --impedance " +
                                   value(tuner[4]) + " --c1 " + value(tuner[5]) + " --l2 " + value(tuner[9]) +
                                   " --power " + tuner[13] + " --coil-q " + tuner[14] + " --capacitor-q " +
                                   tuner[15] + " --line-length " + line[5] + " --line-vf " + line[6] +
                                   " --line-z0 " + line[7] + " --line-k1 " + line[8] + " --line-k2 " + line[9],
                               folder);
    ASSERT_EQ(run.exitCode, kCalcOk) << run.err;
    const QJsonObject system = Json(run.out)["system"].toObject();
    const auto expect = [](const QJsonValue& actual, double e, const char* what) {
        EXPECT_NEAR(actual.toDouble(), e, 1e-9 * std::max(std::abs(e), 1e-3)) << what;
    };
    expect(system["tuner_efficiency"], test::DoubleField(tuner[16]), "efficiency");
    expect(system["tuner_loss_db"], test::DoubleField(tuner[17]), "loss");
    const char* const parts[] = {"c1", "l2"};
    const char* const figures[] = {"current_rms", "voltage_rms", "voltage_peak", "dissipated_w"};
    for (std::size_t p = 0; p < 2; ++p)
        for (std::size_t k = 0; k < 4; ++k)
            expect(system["parts"][parts[p]][figures[k]], test::DoubleField(tuner[20 + 4 * p + k]), figures[k]);
    const QJsonObject feed = system["line"].toObject();
    expect(feed["feedpoint_r"], test::DoubleField(line[10]), "feedpoint R");
    expect(feed["feedpoint_x"], test::DoubleField(line[11]), "feedpoint X");
    expect(feed["feedpoint_swr"], test::DoubleField(line[12]), "SWR");
    expect(feed["matched_loss_db"], test::DoubleField(line[13]), "matched loss");
    expect(feed["total_loss_db"], test::DoubleField(line[14]), "total loss");
    expect(system["antenna_power_w"],
           test::DoubleField(tuner[13]) * test::DoubleField(tuner[16]) * test::DoubleField(line[15]),
           "power at the antenna");
}

// scikit-rf (Debian's python3-scikit-rf) reads the table's Touchstone file with the same gamma.
TEST(CalculatorOptions, ScikitRfReadsTheTableTouchstoneFile) {
    const ScratchFolder folder;
    const auto run = Calculate("--table %band.csv --json --reference 50 --s1p @band.s1p", folder);
    ASSERT_EQ(run.exitCode, kCalcOk) << run.err;
    const auto [status, output] =
        Command(VORELIN_PYTHON " " VORELIN_FILES_TESTS "/read_s1p.py " + folder / "band.s1p" + " 2>&1");
    if (status == 77 || status == 127) GTEST_SKIP() << "python3 with skrf is missing";
    ASSERT_EQ(status, 0) << output;
    std::istringstream lines(output);
    const QJsonArray rows = Json(run.out)["rows"].toArray();
    for (qsizetype i = rows.size() - 1; i >= 0; --i) { // band.csv descends in frequency
        double frequency = 0, re = 0, im = 0, z0 = 0;
        ASSERT_TRUE(lines >> frequency >> re >> im >> z0) << output;
        const Load load{static_cast<float>(rows[i]["load_r"].toDouble()),
                        static_cast<float>(rows[i]["load_x"].toDouble())};
        EXPECT_EQ(frequency, rows[i]["frequency"].toDouble());
        EXPECT_NEAR(re, ReflectionOf(load, 50)->re, 1e-9);
        EXPECT_NEAR(im, ReflectionOf(load, 50)->im, 1e-9);
        EXPECT_EQ(z0, 50);
    }
}

// The results page picture without a display, even with one named that cannot be reached: its size,
// its white ground, the blue load mark where the page draws it at the working folder's aspect
// ratio, and an SVG document of the same size.
TEST(CalculatorOptions, PicturesNeedNoDisplay) {
    for (const char* name : {"WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        unsetenv(name);
    setenv("DISPLAY", ":99", 1);
    const ScratchFolder folder;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path());
    std::ofstream("Defaults.TXT") << "1.2\r\n1000\r\n200\r\n";
    const auto run = Calculate(kExample + "--png @p.png --svg @p.svg", folder);
    std::filesystem::current_path(previous);
    ASSERT_EQ(run.exitCode, kCalcOk) << run.err;

    const QImage png(QString::fromStdString(folder / "p.png"));
    ASSERT_EQ(png.size(), QSize(2400, 1800));
    EXPECT_EQ(png.pixel(0, 0), qRgb(255, 255, 255));
    DisplayList page;
    DrawResultsPicture(page, AnalyseLoad(test::TypicalExample()), 1.2f);
    const auto mark =
        std::find_if(page.Primitives().begin(), page.Primitives().end(), [](const Primitive& p) {
            return p.op == Op::Circle && p.colour == kLoadMark.colour && p.radius == kLoadMark.radius;
        });
    ASSERT_NE(mark, page.Primitives().end());
    const QPoint rim = PageToDevice(kWindowPage, QRectF(0, 0, 2400, 1800))
                           .Point(mark->centreX + mark->radius, mark->centreY)
                           .toPoint();
    int bluePixels = 0; // the ring is one smoothed pixel wide
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy) {
            const QRgb pixel = png.pixel(rim.x() + dx, rim.y() + dy);
            bluePixels += qBlue(pixel) > 180 && qRed(pixel) < 100 && qGreen(pixel) < 100;
        }
    EXPECT_GT(bluePixels, 0);

    QFile file(QString::fromStdString(folder / "p.svg"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader svg(&file);
    ASSERT_TRUE(svg.readNextStartElement());
    EXPECT_EQ(svg.name(), u"svg");
    EXPECT_EQ(svg.attributes().value("viewBox"), u"0 0 2400 1800");
    while (!svg.atEnd())
        svg.readNext();
    EXPECT_FALSE(svg.hasError()) << svg.errorString().toStdString();
}

} // namespace
} // namespace vorelin
