#pragma once

#include <string>
#include <string_view>

namespace vorelin::test {

// Golden files: a reviewed text (a file's bytes, a program's output) checked in under tests/ and
// compared whole. scripts/update-goldens writes them afresh from what the code produces; review
// the difference with git before committing it.

// Empty when `actual` equals the golden file tests/<relativePath>; otherwise a message naming the
// file and the first line that differs. With VORELIN_UPDATE_GOLDEN set (scripts/update-goldens
// sets it), writes the file and fails all the same: a run that rewrites goldens checks nothing.
std::string GoldenMismatch(std::string_view relativePath, std::string_view actual);

// The content of a file under tests/ (empty when it cannot be read).
std::string ReadTestFile(std::string_view relativePath);

// Bytes as lines a reviewer can read: line feeds stay, a carriage return shows as \r, a backslash
// as \\, and any other control or non-ASCII byte as \xHH.
std::string Visible(std::string_view bytes);

// A short fingerprint of a long text (FNV-1a, 64 bits, in hex) with its line count: golden files
// hold it for drawings too long to review line by line.
std::string Fingerprint(std::string_view text);

} // namespace vorelin::test
