// Turns the study tables (data/*.tsv, UTF-8, one row a line, fields split by
// tabs, the caption row first) into constant data compiled into the program,
// so start-up parses nothing. Runs at build time:
//
//     tablegen out.cpp name=table.tsv ...
//
// Each table becomes a StudyTables::Table (see data/studytables.h): its fields
// as UTF-16 text, a short row padded with empty fields.
#include <algorithm>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Row = std::vector<std::string>;

bool readTable(const std::string& path, std::vector<Row>& rows, std::size_t& columns)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::string line;
    columns = 0;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        Row row;
        std::size_t start = 0;
        for (;;) {
            const std::size_t tab = line.find('\t', start);
            row.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
            if (tab == std::string::npos)
                break;
            start = tab + 1;
        }
        columns = std::max(columns, row.size());
        rows.push_back(std::move(row));
    }
    return true;
}

// The text as part of a UTF-16 string literal; the compiler does the conversion.
std::string literal(const std::string& text)
{
    std::string out = "u\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + '"';
}

// Length of UTF-8 text in UTF-16 units: one per character, two beyond the BMP.
std::size_t utf16Length(const std::string& text)
{
    std::size_t n = 0;
    for (unsigned char c : text) {
        if ((c & 0xC0) != 0x80)
            n += c >= 0xF0 ? 2 : 1;
    }
    return n;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::cerr << "usage: tablegen out.cpp name=table.tsv ...\n";
        return 2;
    }
    std::ostringstream code;
    code << "// Generated at build time by src/data/tablegen from data/*.tsv.\n"
            "#include \"data/studytables.h\"\n\n"
            "namespace StudyTables {\n";
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        const std::size_t eq = arg.find('=');
        if (eq == std::string::npos) {
            std::cerr << "tablegen: expected name=table.tsv, got " << arg << "\n";
            return 2;
        }
        const std::string name = arg.substr(0, eq), path = arg.substr(eq + 1);
        std::vector<Row> rows;
        std::size_t columns = 0;
        if (!readTable(path, rows, columns) || rows.empty()) {
            std::cerr << "tablegen: cannot read " << path << "\n";
            return 1;
        }
        // One literal holding every field, and where each field starts: plain
        // constant data the program maps without a single relocation.
        std::ostringstream text, starts;
        std::size_t at = 0;
        for (const Row& row : rows) {
            text << "\n   ";
            starts << "\n   ";
            for (std::size_t c = 0; c < columns; ++c) {
                const std::string field = c < row.size() ? row[c] : std::string();
                text << ' ' << literal(field);
                starts << ' ' << at << ',';
                at += utf16Length(field);
            }
        }
        starts << ' ' << at << ',';
        code << "\nnamespace {\nconstexpr char16_t " << name << "Text[] =" << text.str() << ";\n"
             << "constexpr std::uint32_t " << name << "Starts[] = {" << starts.str() << "\n};\n"
             << "static_assert(sizeof(" << name << "Text) / sizeof(char16_t) == " << at + 1 << ");\n"
             << "} // namespace\n"
             << "const Table " << name << "{" << name << "Text, " << name << "Starts, " << rows.size() << ", "
             << columns << "};\n";
    }
    code << "\n} // namespace StudyTables\n";

    std::ofstream out(argv[1], std::ios::binary);
    out << code.str();
    return out ? 0 : 1;
}
