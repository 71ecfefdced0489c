#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vorelin {

// Reading and writing CSV text as spreadsheets exchange it: cells split by one separator
// character, records ending with CR LF, LF or CR, and a cell in double quotes holding separators,
// line ends and doubled quotes. Blanks (spaces, tabs that do not separate) before an opening
// quote and after a closing quote are dropped; any other cell keeps its blanks. A quote inside an
// unquoted cell is an ordinary character.

// Why a record was not read; the reading stops there.
enum class CsvFault {
    None,
    ControlByte,    // a byte below 0x20 other than tab, CR and LF, or 0x7F: not text
    LongCell,       // a cell of more bytes than allowed
    UnclosedQuote,  // the text ends inside a quoted cell
    TextAfterQuote, // something other than blanks between a closing quote and the separator
    TooManyCells,   // more cells than allowed
};

struct CsvRecord {
    std::size_t line = 0;           // where the record starts, 1-based
    std::vector<std::string> cells; // as typed, quotes undone
    CsvFault fault = CsvFault::None;
    std::size_t faultLine = 0;   // where the fault is (for an unclosed quote: where the quote opens)
    unsigned char faultByte = 0; // the control byte
};

constexpr bool IsControlByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte < 0x20 && c != '\t' && c != '\r' && c != '\n') || byte == 0x7F;
}

// The first comma, semicolon or tab outside quotes before the first line end; a comma when the
// line has none.
char CsvSeparatorOf(std::string_view text);

// Hands out the records of a text one at a time, in one pass over its bytes.
class CsvReader {
public:
    CsvReader(std::string_view text, char separator, std::size_t firstLine, std::size_t mostCellBytes)
        : m_text(text), m_separator(separator), m_line(firstLine), m_mostCellBytes(mostCellBytes) {}

    bool AtEnd() const { return m_at >= m_text.size(); }
    // Reads the next record of at most `mostCells` cells into `record`; false on a fault, which
    // the record then names.
    bool Next(CsvRecord& record, std::size_t mostCells);

private:
    bool Fail(CsvRecord& record, CsvFault fault, std::size_t line);
    // Counts the line that ends with `c` (taken already), taking the LF of a CR LF as well.
    void TakeLineEnd(char c, std::string* cell);

    std::string_view m_text;
    char m_separator;
    std::size_t m_line;
    std::size_t m_mostCellBytes;
    std::size_t m_at = 0;
};

// Appends a cell for a comma-separated text: quoted when it holds a comma, a quote or a line
// end, and with each control byte written as a blank, so that a reader gets the cell back.
void AppendCsvCell(std::string& text, std::string_view cell);

} // namespace vorelin
