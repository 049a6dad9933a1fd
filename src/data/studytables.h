#pragma once

#include <cstdint>
#include <string_view>

// The study tables as constant data, generated at build time from data/*.tsv by
// src/data/tablegen: nothing is read or parsed when the program starts. Row 0
// of each table is its caption row; fields are UTF-16 and never null-terminated.
namespace StudyTables {

struct Table {
    const char16_t* text;        // every field, one after the other
    const std::uint32_t* starts; // where field i starts in text; rows * columns + 1 entries
    int rows;
    int columns;

    std::u16string_view at(int row, int column) const
    {
        const int i = row * columns + column;
        return {text + starts[i], starts[i + 1] - starts[i]};
    }
};

extern const Table words;       // words.tsv
extern const Table chars;       // chars.tsv
extern const Table glyphChars;  // glyph-chars.tsv
extern const Table examAll;     // exam-all.tsv
extern const Table examHearing; // exam-hearing.tsv
extern const Table examWriting; // exam-writing.tsv

} // namespace StudyTables
