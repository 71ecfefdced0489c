#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace vorelin::test {

// Case tables: data files under tests/ with one case a line, so that long tables of exact inputs
// and outputs read as data. Fields are separated by blanks. A field in double quotes may hold
// blanks and the escapes \" \\ \r \n \t \0 \xHH, and \{N}c for the character c N times. A # outside
// quotes starts a comment; lines without fields are skipped.
struct Case {
    int line;
    std::vector<std::string> fields;
};

// Every case of tests/<relativePath>; a file that cannot be read has none.
std::vector<Case> ReadCases(std::string_view relativePath);

// A case's fields between the function's name and the expected text.
using Arguments = std::vector<std::string>;
using CaseFunctions = std::map<std::string, std::function<std::string(const Arguments&)>, std::less<>>;

// Runs a table whose cases read "Function arguments... expected": the text the function makes
// of its arguments must equal the expected text. An empty table or an unknown function fails.
void ExpectCases(std::string_view relativePath, const CaseFunctions& functions);

// Field values: a float as its decimal text or, written 0xXXXXXXXX, as its bit pattern; a double;
// an integer. Never the process locale.
float FloatField(const std::string& field);
double DoubleField(const std::string& field);
int IntField(const std::string& field);

// The shortest text that reads back to the same bits: 0.1f -> "0.1", -0.0f -> "-0", 1e-40f -> "1e-40".
std::string Exact(float value);
std::string Exact(double value);

} // namespace vorelin::test
