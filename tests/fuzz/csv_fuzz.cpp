// Fuzzes the CSV reader of wordoria-cli's import: any bytes are read or
// refused without fault, and what it reads, written again, reads the same.
#include "../../cli/csv.h"

#include <cstdint>
#include <cstdlib>
#include <string>

using wordoria::cli::CsvRecord;
using wordoria::cli::CsvRow;
using wordoria::cli::CsvTextOffset;
using wordoria::cli::ParseCsv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<CsvRow> rows;
    int faultLine = 0;
    if (!ParseCsv(text, &rows, &faultLine)) {
        if (faultLine < 1) abort();
        return 0;
    }
    // A byte-order mark opens the text, so one that opens the first field stays its own.
    std::string written = "\xEF\xBB\xBF";
    for (const CsvRow& row : rows) {
        if (row.line < 1 || row.starts.size() != row.fields.size()) abort();
        // Each field's first and last bytes are found where the text has them.
        for (size_t f = 0; f < row.fields.size(); f++) {
            const std::string& field = row.fields[f];
            for (size_t at : {size_t{0}, field.size() / 2, field.size() - 1}) {
                if (field.empty()) break;
                size_t offset = CsvTextOffset(row, f, at);
                if (offset >= text.size() || text[offset] != field[at]) abort();
            }
        }
        written += CsvRecord(row.fields);
    }
    std::vector<CsvRow> again;
    if (!ParseCsv(written, &again, &faultLine) || again.size() != rows.size()) abort();
    for (size_t i = 0; i < rows.size(); i++)
        if (again[i].fields != rows[i].fields) abort();
    return 0;
}
