// CSV as RFC 4180 has it: records end in CR LF, a field holding a comma, a
// quote or a line break is quoted, a quote inside doubled.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace wordoria::cli {

// One record, its fields joined and ended by CR LF.
std::string CsvRecord(const std::vector<std::string>& fields);

struct CsvRow {
    int line;  // where the record begins, counting from 1
    std::vector<std::string> fields;
    std::vector<size_t> starts;  // where each field's first byte is in the text, past any opening quote
};

// Where byte index of field is in the text the row was read from.
size_t CsvTextOffset(const CsvRow& row, size_t field, size_t index);

// Reads a whole text (a UTF-8 byte-order mark at its start is skipped).
// Records may end in CR LF or LF; a quoted field keeps its bytes as they
// are, line breaks and all. False on malformed text, with the line of the
// fault.
bool ParseCsv(std::string_view text, std::vector<CsvRow>* rows, int* faultLine);

}  // namespace wordoria::cli
