#pragma once

#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <array>

// Field numbers of a word row. The table's own captions are Japanese; the code
// uses these names (data/README.md maps them).
enum class WordField : int {
    TKey = 0,
    Pinyin = 1,
    Translation = 2,
    Point = 3,
    CharCount = 4,
    Genre = 5,
    CKey1 = 6,
    CKey2 = 7,
    CKey3 = 8,
    CKey4 = 9,
};

// Field numbers of a character row; 1 to 4 are also the RankingKind values.
enum class CharField : int {
    CKey = 0,
    Total = 1,
    Listen = 2,
    ReadWord = 3,
    ReadSentence = 4,
    TKeys = 5,
    TotalClass = 6,
    ListenClass = 7,
    Read1Class = 8,
    Read2Class = 9,
    Readings = 10,
};

enum class ExamListKind : int { All = 1, Hearing = 2, Writing = 3 };

// Axes of the pentagon chart, in the column order of the axis tables.
enum class PentagonAxis : int { Top = 0, UpperRight = 1, LowerRight = 2, LowerLeft = 3, UpperLeft = 4 };

struct ExamEntry {
    qint16 ckey = 0;
    qint16 count = 0;
};

using WordRecord = QStringList; // 10 fields
using CharRecord = QStringList; // 11 fields

constexpr int WordFieldCount = 10;
constexpr int CharFieldCount = 11;
constexpr qint16 LastWordKey = 500;
constexpr qint16 LastCharKey = 803;
constexpr qint16 NoChar = 804;

// The built-in study tables: filled once at start-up from the TSV files compiled
// into the binary, read-only afterwards. Row 0 of each table is its caption row.
class DB {
  public:
    // CharTable, then GenreNames and ChartAxes, then the latest-exam lists and the glyph characters.
    void initCharTable();
    void initWordTable();
    bool isLoaded() const { return !charTable_.isEmpty() && !wordTable_.isEmpty(); }

    int lastWordKey() const { return static_cast<int>(wordTable_.size()) - 1; }
    int lastCharKey() const { return static_cast<int>(charTable_.size()) - 1; }

    const QString& word(int tkey, WordField f) const { return wordTable_[tkey][static_cast<int>(f)]; }
    const QString& wordAt(int tkey, int field) const { return wordTable_[tkey][field]; }
    const QString& character(int ckey, CharField f) const { return charTable_[ckey][static_cast<int>(f)]; }
    const QString& characterAt(int ckey, int field) const { return charTable_[ckey][field]; }
    // Numeric value of a field; an empty or non-numeric field reads as 0.
    int wordInt(int tkey, WordField f) const { return word(tkey, f).toInt(); }
    int charInt(int ckey, CharField f) const { return character(ckey, f).toInt(); }
    // The four character keys of a word, NoChar in empty slots.
    std::array<int, 4> wordCKeys(int tkey) const;

    const WordRecord& wordRecord(int tkey) const { return wordTable_[tkey]; }
    const CharRecord& charRecord(int ckey) const { return charTable_[ckey]; }
    const QList<CharRecord>& charTable() const { return charTable_; }

    const QString& GenreNames(int i) const { return genreNames_[static_cast<size_t>(i)]; }
    QPoint ChartAxes(PentagonAxis axis, int value) const;

    const QList<ExamEntry>& examList(ExamListKind kind) const;

    // The character the glyph picture of ckey shows; empty for NoChar and outside the set.
    QString glyphCharacter(int ckey) const;

  private:
    QList<WordRecord> wordTable_;
    QList<CharRecord> charTable_;
    std::array<QString, 9> genreNames_;
    std::array<std::array<QPoint, 11>, 5> chartAxes_{};
    std::array<QList<ExamEntry>, 3> examLists_;
    QStringList glyphChars_; // index ckey; row 0 is the caption
};
