#include "csv.h"

#include <algorithm>

namespace wordoria::cli {

namespace {

std::string Quoted(std::string_view field) {
    std::string quoted = "\"";
    for (char c : field) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

// A line break at i: its length (1 or 2), or 0.
size_t BreakAt(std::string_view text, size_t i) {
    if (text[i] == '\n') return 1;
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') return 2;
    return 0;
}

}  // namespace

std::string CsvRecord(const std::vector<std::string>& fields) {
    std::string record;
    for (size_t i = 0; i < fields.size(); i++) {
        if (i > 0) record += ',';
        bool plain = fields[i].find_first_of(",\"\r\n") == std::string::npos;
        record += plain ? fields[i] : Quoted(fields[i]);
    }
    return record + "\r\n";
}

// Only a quote is written twice inside a quoted field; every other byte is
// the text's own.
size_t CsvTextOffset(const CsvRow& row, size_t field, size_t index) {
    const std::string& bytes = row.fields[field];
    return row.starts[field] + index + std::count(bytes.begin(), bytes.begin() + index, '"');
}

bool ParseCsv(std::string_view text, std::vector<CsvRow>* rows, int* faultLine) {
    size_t i = text.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
    int line = 1;
    while (i < text.size()) {
        CsvRow row{line, {}, {}};
        while (true) {
            std::string field;
            bool quoted = i < text.size() && text[i] == '"';
            row.starts.push_back(quoted ? i + 1 : i);
            if (quoted) {
                int opened = line;
                i++;
                while (true) {
                    if (i >= text.size()) {
                        *faultLine = opened;  // a quote never closed
                        return false;
                    }
                    if (text[i] == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                        field += '"';
                        i += 2;
                    } else if (text[i] == '"') {
                        i++;
                        break;
                    } else {
                        if (text[i] == '\n') line++;
                        field += text[i++];
                    }
                }
                if (i < text.size() && text[i] != ',' && BreakAt(text, i) == 0) {
                    *faultLine = line;  // text after a closing quote
                    return false;
                }
            } else {
                while (i < text.size() && text[i] != ',' && BreakAt(text, i) == 0) {
                    if (text[i] == '"') {
                        *faultLine = line;  // a quote inside an unquoted field
                        return false;
                    }
                    field += text[i++];
                }
            }
            row.fields.push_back(field);
            if (i < text.size() && text[i] == ',') {
                i++;
                continue;
            }
            break;
        }
        if (i < text.size()) {
            i += BreakAt(text, i);
            line++;
        }
        // A blank line holds no record.
        if (!(row.fields.size() == 1 && row.fields[0].empty())) rows->push_back(row);
    }
    return true;
}

}  // namespace wordoria::cli
