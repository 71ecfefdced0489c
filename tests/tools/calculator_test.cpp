#include "tools/calculator.h"

#include "tests/support/case_table.h"
#include "tests/support/folders.h"
#include "tests/support/golden.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

namespace vorelin {
namespace {

// What a run leaves in its folder: a network file with its date line masked, or the kind of file.
std::string FilesText(const test::ScratchFolder& folder) {
    std::string text;
    for (const std::string& name : folder.Entries()) {
        const std::string bytes = test::FileBytes(folder.Path() / name).value_or("");
        text += "-- " + name + "\n";
        if (name.ends_with(".PWF")) {
            const auto date = bytes.find("\r\n") + 2;
            text += test::Visible(bytes.substr(0, date) + "(date and time)" +
                                  bytes.substr(bytes.find("\r\n", date)));
        } else {
            text += bytes.starts_with("%PDF-") ? "a PDF document\n" : "something else\n";
        }
    }
    return text;
}

// Every argument line of a table run in a fresh folder: the exit code, the standard output and
// error, and the files written, compared with the golden file of the same name.
void ExpectRuns(const std::string& name) {
    std::string transcript;
    for (const test::Case& run : test::ReadCases("tools/data/" + name + ".txt")) {
        const test::ScratchFolder folder;
        std::vector<std::string> arguments;
        transcript += "$";
        for (const std::string& field : run.fields) {
            arguments.push_back(std::regex_replace(field, std::regex(R"(\$DIR)"), folder.Path().string()));
            transcript += " " + (field.empty() ? "\"\"" : field);
        }
        std::ostringstream out, err;
        const int code = RunCalculator(arguments, out, err);
        transcript += "\nexit " + std::to_string(code) + "\n-- out\n" + out.str() + "-- err\n" + err.str() +
                      FilesText(folder);
        transcript = std::regex_replace(transcript, std::regex(folder.Path().string()), "$DIR");
    }
    EXPECT_EQ(test::GoldenMismatch("tools/golden/" + name + ".txt", transcript), "");
}

TEST(Calculator, Runs) { ExpectRuns("calculator_runs"); }

TEST(Calculator, ReportRuns) {
    if (!VORELIN_CALC_REPORT) GTEST_SKIP() << "built without the Qt adapter";
    ExpectRuns("report_runs");
}

} // namespace
} // namespace vorelin
