// Any bytes read as a band table give either rows in file order or one message naming a line (or
// the text's encoding), and a table that was read writes back as a text that reads to the same rows.
#include "core/band_table.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

vorelin::BandTable WithoutLines(vorelin::BandTable table) {
    for (vorelin::BandRow& row : table.rows)
        row.line = 0;
    return table;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const vorelin::BandRead read = vorelin::ReadBandTable(bytes);
    if (!read.Ok()) {
        const bool told = read.error.starts_with("Line ") || read.error.starts_with("This is UTF-");
        if (!read.table.rows.empty() || !told) std::abort();
        return 0;
    }
    if (read.table.rows.size() > vorelin::kMostBandRows) std::abort();
    std::size_t line = 1;
    for (const vorelin::BandRow& row : read.table.rows) {
        if (row.line <= line) std::abort();
        line = row.line;
    }
    const vorelin::BandRead again = vorelin::ReadBandTable(vorelin::BandTableText(read.table));
    if (!again.Ok() || WithoutLines(again.table) != WithoutLines(read.table)) std::abort();
    return 0;
}
