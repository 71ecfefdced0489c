#include "core/touchstone_reader.h"

#include "core/decimal_number.h"
#include "core/touchstone_values.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <string>
#include <utility>

namespace vorelin {

namespace {

using Complex = std::complex<double>;

// A fault ends the reading at once; ReadTouchstone turns it into its result.
struct Refusal {
    TouchstoneFault fault;
};

[[noreturn]] void Refuse(std::size_t line, std::string reason) { throw Refusal{{line, std::move(reason)}}; }

enum class Keyword {
    Version,
    NumberOfPorts,
    TwoPortDataOrder,
    NumberOfFrequencies,
    NumberOfNoiseFrequencies,
    Reference,
    MatrixFormat,
    BeginInformation,
    EndInformation,
    NetworkData,
    NoiseData,
    End,
};

constexpr std::array<std::pair<Keyword, std::string_view>, 12> kKeywords{{
    {Keyword::Version, "[Version]"},
    {Keyword::NumberOfPorts, "[Number of Ports]"},
    {Keyword::TwoPortDataOrder, "[Two-Port Data Order]"},
    {Keyword::NumberOfFrequencies, "[Number of Frequencies]"},
    {Keyword::NumberOfNoiseFrequencies, "[Number of Noise Frequencies]"},
    {Keyword::Reference, "[Reference]"},
    {Keyword::MatrixFormat, "[Matrix Format]"},
    {Keyword::BeginInformation, "[Begin Information]"},
    {Keyword::EndInformation, "[End Information]"},
    {Keyword::NetworkData, "[Network Data]"},
    {Keyword::NoiseData, "[Noise Data]"},
    {Keyword::End, "[End]"},
}};

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

// The keyword a bracketed name is, whatever its case and blanks ("[number  of ports]").
std::optional<Keyword> KeywordNamed(std::string_view bracketed) {
    std::string name;
    Words words(bracketed.substr(1, bracketed.size() - 2));
    while (const auto word = words.Next())
        name += (name.empty() ? "" : " ") + Lower(*word);
    for (const auto& [keyword, spelling] : kKeywords)
        if (Lower(spelling.substr(1, spelling.size() - 2)) == name) return keyword;
    return std::nullopt;
}

std::string_view Spelling(Keyword keyword) {
    return std::find_if(kKeywords.begin(), kKeywords.end(),
                        [keyword](const auto& k) { return k.first == keyword; })
        ->second;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// A count with thousands separated: 1,000,000.
std::string Count(std::size_t n) {
    const std::string digits = std::to_string(n);
    std::string grouped;
    for (std::size_t at = 0; at < digits.size(); ++at) {
        if (at != 0 && (digits.size() - at) % 3 == 0) grouped += ',';
        grouped += digits[at];
    }
    return grouped;
}

// Where a version 2 file is: its keywords and data must come in this order.
enum class Stage { Header, Information, NetworkData, NoiseData, Ended };

// Reads a file line by line; a fault throws a Refusal.
class Reader {
public:
    explicit Reader(std::optional<int> portsFromName) : m_portsFromName(portsFromName) {}

    // One line without its comment and outer blanks.
    void Line(std::size_t number, std::string_view text);
    MeasuredSweep Finish();

private:
    void KeywordLine(std::string_view text);
    void StartNetworkData();
    void EndNetworkData(Keyword keyword);
    void OptionLine(std::string_view text);
    void ReferenceValues(std::string_view text);
    void DataLine(std::string_view text);
    void SetPorts(std::size_t ports);
    bool TakeFrequency(std::string_view word, std::string_view line);
    void FinishPoint();
    [[noreturn]] void RefuseIncompletePoint(std::size_t line) const;
    // Refuses a [Reference] still short of values when the next keyword or the end comes.
    void RefuseMissingReferences() const;

    // The one value of a keyword: a whole number from 1, saturated at a billion.
    std::size_t WholeNumber(std::string_view rest, Keyword keyword) const;
    void RequirePorts(Keyword keyword) const;

    std::optional<int> m_portsFromName;
    std::size_t m_line = 0;
    bool m_sawLine = false; // a line other than a comment or blank
    bool m_version2 = false;
    Stage m_stage = Stage::Header;
    std::vector<Keyword> m_keywordsSeen;
    std::optional<TouchstoneOptions> m_options;
    std::size_t m_ports = 0; // 0 until known
    bool m_fullMatrix = true;
    std::optional<std::size_t> m_promisedPoints;
    std::vector<double> m_references; // [Reference]
    std::size_t m_referenceLine = 0;
    std::size_t m_valuesPerPoint = 0;

    std::array<double, 9> m_values{};
    std::size_t m_valueCount = 0; // of the point being read
    std::size_t m_pointLine = 0;  // where it starts
    std::string_view m_lastFrequencyWord;
    MeasuredSweep m_sweep;
};

void Reader::Line(std::size_t number, std::string_view text) {
    m_line = number;
    if (text.empty()) return;
    if (m_stage == Stage::Information) {
        const std::size_t close = text.find(']');
        if (text.front() == '[' && close != std::string_view::npos &&
            KeywordNamed(text.substr(0, close + 1)) == Keyword::EndInformation)
            m_stage = Stage::Header;
        return;
    }
    if (m_stage == Stage::Ended) Refuse(m_line, "nothing may follow [End]");
    if (m_references.size() < m_ports && m_referenceLine != 0 && text.front() != '[' && text.front() != '#') {
        ReferenceValues(text);
    } else if (text.front() == '[') {
        KeywordLine(text);
    } else if (text.front() == '#') {
        OptionLine(text.substr(1));
    } else {
        DataLine(text);
    }
    m_sawLine = true;
}

void Reader::KeywordLine(std::string_view text) {
    const std::size_t close = text.find(']');
    if (close == std::string_view::npos) Refuse(m_line, Quoted(text) + " has no closing ]");
    const auto keyword = KeywordNamed(text.substr(0, close + 1));
    if (!keyword) Refuse(m_line, "unknown keyword " + Quoted(text.substr(0, close + 1)));
    const std::string_view rest = Trimmed(text.substr(close + 1));
    const std::string name(Spelling(*keyword));
    if (*keyword == Keyword::Version) {
        if (m_sawLine) Refuse(m_line, "[Version] must come before everything else");
        if (rest != "2.0" && rest != "2.1")
            Refuse(m_line, "version " + Quoted(rest) + " is not read, only 2.0 and 2.1");
        m_version2 = true;
        m_keywordsSeen.push_back(*keyword);
        return;
    }
    if (!m_version2) Refuse(m_line, name + " belongs to version 2 files, which start with [Version] 2.0");
    RefuseMissingReferences();
    const bool once = *keyword != Keyword::BeginInformation && *keyword != Keyword::EndInformation;
    if (once && std::find(m_keywordsSeen.begin(), m_keywordsSeen.end(), *keyword) != m_keywordsSeen.end())
        Refuse(m_line, "a second " + name);
    if (once) m_keywordsSeen.push_back(*keyword);
    const bool ending = *keyword == Keyword::NoiseData || *keyword == Keyword::End;
    if (m_stage != Stage::Header && !ending) Refuse(m_line, name + " must come before [Network Data]");
    switch (*keyword) {
    case Keyword::NumberOfPorts:
        SetPorts(WholeNumber(rest, *keyword));
        break;
    case Keyword::TwoPortDataOrder:
        RequirePorts(*keyword);
        if (m_ports != 2) Refuse(m_line, "[Two-Port Data Order] belongs to two-port files");
        if (Lower(rest) != "12_21" && Lower(rest) != "21_12")
            Refuse(m_line, "[Two-Port Data Order] must be 12_21 or 21_12");
        break;
    case Keyword::NumberOfFrequencies:
        m_promisedPoints = WholeNumber(rest, *keyword);
        if (*m_promisedPoints > kMostMeasuredPoints)
            Refuse(m_line, "more than " + Count(kMostMeasuredPoints) + " points");
        break;
    case Keyword::NumberOfNoiseFrequencies:
        WholeNumber(rest, *keyword);
        break;
    case Keyword::Reference:
        RequirePorts(*keyword);
        m_referenceLine = m_line;
        ReferenceValues(rest);
        break;
    case Keyword::MatrixFormat: {
        RequirePorts(*keyword);
        const std::string format = Lower(rest);
        if (format != "full" && format != "lower" && format != "upper")
            Refuse(m_line, "[Matrix Format] must be Full, Lower or Upper");
        m_fullMatrix = format == "full";
        break;
    }
    case Keyword::BeginInformation:
        m_stage = Stage::Information;
        break;
    case Keyword::EndInformation:
        Refuse(m_line, "[End Information] without [Begin Information]");
    case Keyword::NetworkData:
        StartNetworkData();
        break;
    case Keyword::NoiseData:
    case Keyword::End:
        EndNetworkData(*keyword);
        break;
    case Keyword::Version:
        break;
    }
}

void Reader::StartNetworkData() {
    for (const Keyword needed : {Keyword::NumberOfPorts, Keyword::NumberOfFrequencies})
        if (std::find(m_keywordsSeen.begin(), m_keywordsSeen.end(), needed) == m_keywordsSeen.end())
            Refuse(m_line, "[Network Data] needs " + std::string(Spelling(needed)) + " before it");
    if (!m_options) Refuse(m_line, "[Network Data] needs the option line before it");
    m_valuesPerPoint = m_ports == 1 ? 3 : m_fullMatrix ? 9 : 7;
    m_stage = Stage::NetworkData;
}

void Reader::EndNetworkData(Keyword keyword) {
    if (m_stage == Stage::Header) Refuse(m_line, std::string(Spelling(keyword)) + " before [Network Data]");
    if (m_stage == Stage::NetworkData) {
        if (m_valueCount != 0) RefuseIncompletePoint(m_pointLine);
        if (m_sweep.points.size() != *m_promisedPoints)
            Refuse(m_line, "[Number of Frequencies] gives " + Count(*m_promisedPoints) +
                               " points, the data has " + Count(m_sweep.points.size()));
    }
    m_stage = keyword == Keyword::End ? Stage::Ended : Stage::NoiseData;
}

void Reader::OptionLine(std::string_view text) {
    if (m_options) Refuse(m_line, "a second option line");
    OptionLineRead read = ReadOptionLine(text);
    if (!read.fault.empty()) Refuse(m_line, std::move(read.fault));
    m_options = read.options;
}

void Reader::ReferenceValues(std::string_view text) {
    Words words(text);
    while (const auto word = words.Next()) {
        if (m_references.size() == m_ports)
            Refuse(m_line, "[Reference] has more values than the file has ports");
        PlainNumber number = ReadPlainNumber(*word);
        if (!number.fault.empty()) Refuse(m_line, std::move(number.fault));
        if (!(number.value > 0)) Refuse(m_line, "a reference must be a positive number");
        m_references.push_back(number.value);
    }
}

void Reader::SetPorts(std::size_t ports) {
    if (ports != 1 && ports != 2)
        Refuse(m_line, "only one- and two-port files are read; this one has " + Count(ports) + " ports");
    m_ports = ports;
    m_valuesPerPoint = ports == 1 ? 3 : 9;
}

void Reader::DataLine(std::string_view text) {
    if (m_version2) {
        if (m_stage == Stage::Header) Refuse(m_line, "data before [Network Data]");
    } else {
        if (!m_options) Refuse(m_line, "data before the option line");
        if (m_ports == 0) {
            if (m_portsFromName) {
                SetPorts(static_cast<std::size_t>(*m_portsFromName));
            } else {
                SetPorts(Words(text).CountUpTo(10) == 9 ? 2 : 1);
            }
        }
    }
    if (m_stage == Stage::NoiseData) return;
    m_stage = Stage::NetworkData;
    // A two-port point may go on in the next lines, in whole pairs: a line that splits a pair
    // means the point before it lacks a value (or a one-port file was named as a two-port one).
    if (m_valueCount != 0 && Words(text).CountUpTo(kLargestTouchstoneBytes) % 2 != 0)
        RefuseIncompletePoint(m_pointLine);
    Words words(text);
    bool lineStart = true;
    while (const auto word = words.Next()) {
        if (m_valueCount == 0) {
            if (!lineStart)
                Refuse(m_line, "the line has more numbers than the " + std::to_string(m_valuesPerPoint) +
                                   " of a point");
            m_pointLine = m_line;
            if (!TakeFrequency(*word, text)) return;
        } else {
            PlainNumber number = ReadPlainNumber(*word);
            if (!number.fault.empty()) Refuse(m_line, std::move(number.fault));
            m_values[m_valueCount++] = number.value;
        }
        lineStart = false;
        if (m_valueCount == m_valuesPerPoint) FinishPoint();
    }
    // A one-port point has its own line.
    if (m_ports == 1 && m_valueCount != 0) RefuseIncompletePoint(m_line);
}

void Reader::RefuseIncompletePoint(std::size_t line) const {
    Refuse(line, "a value is missing: the point has " + std::to_string(m_valueCount) + " of its " +
                     std::to_string(m_valuesPerPoint) + " numbers");
}

// Takes the word that starts a point; false when it starts a version 1 two-port file's noise
// parameters instead: a line of 5 numbers whose frequency does not rise.
bool Reader::TakeFrequency(std::string_view word, std::string_view line) {
    PlainNumber frequency = ReadPlainNumber(word, m_options->unitExponent);
    if (!frequency.fault.empty()) Refuse(m_line, std::move(frequency.fault));
    if (frequency.value < 0) Refuse(m_line, "the frequency " + Quoted(word) + " is negative");
    frequency.value += 0.0; // "-0" is the frequency 0
    if (!m_sweep.points.empty() && frequency.value <= m_sweep.points.back().frequency) {
        if (!m_version2 && m_ports == 2 && Words(line).CountUpTo(6) == 5) {
            m_stage = Stage::NoiseData;
            return false;
        }
        Refuse(m_line,
               "the frequencies must ascend: " + Quoted(word) + " follows " + Quoted(m_lastFrequencyWord));
    }
    if (m_sweep.points.size() == kMostMeasuredPoints)
        Refuse(m_line, "more than " + Count(kMostMeasuredPoints) + " points");
    if (m_promisedPoints && m_sweep.points.size() == *m_promisedPoints)
        Refuse(m_line, "more points than [Number of Frequencies] gives (" + Count(*m_promisedPoints) + ")");
    m_lastFrequencyWord = word;
    m_values[m_valueCount++] = frequency.value;
    return true;
}

void Reader::FinishPoint() {
    const TouchstoneOptions& options = *m_options;
    const std::size_t pairs = (m_valuesPerPoint - 1) / 2;
    std::array<Complex, 4> parameters{};
    for (std::size_t pair = 0; pair < pairs; ++pair) {
        const double first = m_values[1 + 2 * pair], second = m_values[2 + 2 * pair];
        if (options.format == ParameterFormat::MagnitudeAngle && first < 0)
            Refuse(m_pointLine, "a magnitude cannot be negative");
        parameters[pair] = ParameterOfPair(options.format, first, second);
    }
    const double reference1 = m_references.empty() ? options.resistance : m_references[0];
    std::optional<SecondPort> second;
    if (m_ports == 2) {
        // N12 and N21 in either order; a Lower or Upper matrix holds one value for both.
        const Complex transfer = pairs == 4 ? parameters[1] * parameters[2] : parameters[1] * parameters[1];
        second = SecondPort{transfer, parameters[pairs - 1],
                            m_references.empty() ? options.resistance : m_references[1]};
    }
    double scale = 1;
    if (!m_version2 && options.kind == ParameterKind::Z) scale = options.resistance;
    if (!m_version2 && options.kind == ParameterKind::Y) scale = 1 / options.resistance;
    const Complex gamma = GammaAtPort1(options.kind, scale, parameters[0], reference1, second);
    if (!std::isfinite(gamma.real()) || !std::isfinite(gamma.imag()))
        Refuse(m_pointLine, "the values give no reflection coefficient");
    m_sweep.points.push_back({m_values[0], gamma});
    m_valueCount = 0;
}

std::size_t Reader::WholeNumber(std::string_view rest, Keyword keyword) const {
    constexpr std::size_t kSaturation = 1'000'000'000;
    std::size_t value = 0;
    bool digits = !rest.empty();
    for (const char c : rest) {
        if (c < '0' || c > '9') {
            digits = false;
            break;
        }
        value = std::min(value * 10 + static_cast<std::size_t>(c - '0'), kSaturation);
    }
    if (!digits || value == 0)
        Refuse(m_line, std::string(Spelling(keyword)) + " needs a whole number from 1");
    return value;
}

void Reader::RefuseMissingReferences() const {
    if (m_referenceLine != 0 && m_references.size() < m_ports)
        Refuse(m_referenceLine, "[Reference] has " + std::to_string(m_references.size()) + " of its " +
                                    std::to_string(m_ports) + " values");
}

void Reader::RequirePorts(Keyword keyword) const {
    if (m_ports == 0) Refuse(m_line, std::string(Spelling(keyword)) + " must follow [Number of Ports]");
}

MeasuredSweep Reader::Finish() {
    RefuseMissingReferences();
    if (m_valueCount != 0) RefuseIncompletePoint(m_pointLine);
    if (m_stage == Stage::Information) Refuse(0, "the file ends inside [Begin Information]");
    if (m_version2 && m_stage != Stage::Ended) Refuse(0, "the file ends without [End]");
    if (m_sweep.points.empty()) Refuse(0, "the file has no data");
    m_sweep.reference = m_references.empty() ? m_options->resistance : m_references[0];
    return std::move(m_sweep);
}

} // namespace

std::optional<int> TouchstonePortsFromName(std::string_view fileName) {
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos) return std::nullopt;
    const std::string extension = Lower(fileName.substr(dot + 1));
    if (extension.size() < 3 || extension.size() > 6 || extension.front() != 's' || extension.back() != 'p')
        return std::nullopt;
    int ports = 0;
    for (const char c : std::string_view(extension).substr(1, extension.size() - 2)) {
        if (c < '0' || c > '9') return std::nullopt;
        ports = ports * 10 + (c - '0');
    }
    return ports;
}

TouchstoneRead ReadTouchstone(std::string_view bytes, std::optional<int> portsFromName) {
    TouchstoneRead read;
    if (bytes.size() > kLargestTouchstoneBytes) {
        read.fault = TouchstoneFault{0, std::string(kTouchstoneTooLarge)};
        return read;
    }
    try {
        Reader reader(portsFromName);
        // A line ends at its first CR or LF. The next LF is looked for again only once passed, so
        // that a file of CR line ends is read in linear time too.
        std::size_t line = 0, newline = std::min(bytes.find('\n'), bytes.size());
        for (std::size_t at = 0; at < bytes.size();) {
            if (newline < at) newline = std::min(bytes.find('\n', at), bytes.size());
            const void* cr = std::memchr(bytes.data() + at, '\r', newline - at);
            const std::size_t end =
                cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - bytes.data()) : newline;
            const std::string_view text = bytes.substr(at, end - at);
            reader.Line(++line, Trimmed(text.substr(0, text.find('!'))));
            at = end + (end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n' ? 2 : 1);
        }
        read.sweep = reader.Finish();
    } catch (const Refusal& refusal) {
        read.fault = refusal.fault;
    }
    return read;
}

std::string TouchstoneFaultText(const TouchstoneFault& fault) {
    if (fault.line != 0) return "Line " + std::to_string(fault.line) + ": " + fault.reason + ".";
    std::string sentence = fault.reason + ".";
    if (sentence[0] >= 'a' && sentence[0] <= 'z') sentence[0] = static_cast<char>(sentence[0] - 'a' + 'A');
    return sentence;
}

} // namespace vorelin
