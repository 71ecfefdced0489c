#include "core/csv_records.h"

namespace vorelin {

namespace {

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
bool IsSeparatorCandidate(char c) { return c == ',' || c == ';' || c == '\t'; }

} // namespace

char CsvSeparatorOf(std::string_view text) {
    bool quoted = false;
    for (const char c : text) {
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted) {
            if (IsSeparatorCandidate(c)) return c;
            if (IsLineEnd(c)) break;
        }
    }
    return ',';
}

bool CsvReader::Fail(CsvRecord& record, CsvFault fault, std::size_t line) {
    record.fault = fault;
    record.faultLine = line;
    return false;
}

void CsvReader::TakeLineEnd(char c, std::string* cell) {
    ++m_line;
    if (c != '\r' || AtEnd() || m_text[m_at] != '\n') return;
    ++m_at;
    if (cell != nullptr) *cell += '\n';
}

bool CsvReader::Next(CsvRecord& record, std::size_t mostCells) {
    enum class State { Start, Plain, Quoted, AfterQuote };
    record.line = m_line;
    record.cells.clear();
    record.fault = CsvFault::None;
    std::string cell;
    State state = State::Start;
    std::size_t quoteLine = 0;
    while (!AtEnd()) {
        const char c = m_text[m_at++];
        if (IsControlByte(c)) {
            record.faultByte = static_cast<unsigned char>(c);
            return Fail(record, CsvFault::ControlByte, m_line);
        }
        if (state == State::Quoted) {
            if (c != '"') {
                cell += c;
                if (IsLineEnd(c)) TakeLineEnd(c, &cell);
            } else if (!AtEnd() && m_text[m_at] == '"') {
                cell += '"';
                ++m_at;
            } else {
                state = State::AfterQuote;
            }
        } else if (c == m_separator) {
            // This cell ends and another begins.
            if (record.cells.size() + 2 > mostCells) return Fail(record, CsvFault::TooManyCells, m_line);
            record.cells.push_back(std::move(cell));
            cell.clear();
            state = State::Start;
        } else if (IsLineEnd(c)) {
            TakeLineEnd(c, nullptr);
            break;
        } else if (c == '"' && state == State::Start) {
            cell.clear(); // the blanks before the quote
            state = State::Quoted;
            quoteLine = m_line;
        } else if (c == ' ' || c == '\t') {
            if (state != State::AfterQuote) cell += c;
        } else if (state == State::AfterQuote) {
            return Fail(record, CsvFault::TextAfterQuote, m_line);
        } else {
            cell += c;
            state = State::Plain;
        }
        if (cell.size() > m_mostCellBytes) return Fail(record, CsvFault::LongCell, m_line);
    }
    if (state == State::Quoted) return Fail(record, CsvFault::UnclosedQuote, quoteLine);
    record.cells.push_back(std::move(cell));
    return true;
}

void AppendCsvCell(std::string& text, std::string_view cell) {
    const bool quoted = cell.find_first_of(",\"\r\n") != std::string_view::npos;
    if (quoted) text += '"';
    for (const char c : cell) {
        if (c == '"') text += '"';
        text += IsControlByte(c) ? ' ' : c;
    }
    if (quoted) text += '"';
}

} // namespace vorelin
