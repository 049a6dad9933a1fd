#pragma once

#include <QList>
#include <QString>

#include <array>

// The tone digits 1 to 4 of a stored pinyin, in order ("xue2xiao4" -> "24").
QString getToneDigits(const QString& pinyin);
// The stored pinyin with every tone digit replaced by one blank.
QString getBareSyllables(const QString& pinyin);

// Answers are compared by what they say, not by how they are typed: blanks
// (also U+3000), letter case and full-width forms carry nothing; "ü", "v" and
// "u:" are one letter; an erhua "r" may stand before or after its tone digit.
// A neutral syllable takes no digit or "5" ("0" is wrong). Where
// ckeys place 一 or 不, their changed tone before the next syllable is right too.
bool isToneAnswerCorrect(const QString& typed, const QString& pinyin, const std::array<int, 4>& ckeys);
bool isPinyinAnswerCorrect(const QString& typed, const QString& pinyin, const std::array<int, 4>& ckeys);

// The free word search: the query, with blanks dropped and case and width
// folded, is found in the pinyin with or without its tone digits ("ü", "v" and
// "u:" as one letter), in the translation or in the characters. An empty query
// finds every word.
bool freeSearchMatches(const QString& query, const QString& pinyin, const QString& translation,
                       const QString& characters);

// The stored pinyin (or its bare syllables) for the eye: "u:" written "ü".
QString displayPinyin(const QString& stored);

// Pinyin for the eSpeak NG voice cmn-latn-pinyin: lower-case syllables split by
// one blank, "v" for "ü", "5" for the neutral tone, erhua "r" after the digit
// ("yi4 dian3r"), 一 and 不 in their changed tones. Only [a-z0-9 ].
QString speechPinyin(const QString& pinyin, const std::array<int, 4>& ckeys);
// The same for one reading of one character, without tone changes.
QString speechReading(const QString& reading);
// Syllables in a pinyin (erhua "r" belongs to its syllable); -1 when it
// cannot be split into valid Mandarin syllables.
int syllableCount(const QString& pinyin);

// One syllable as the answer rules read it: lower-case letters with "v" for
// "ü", its tone 1 to 4 (0 when neutral), and whether an erhua "r" closes it.
struct PinyinSyllable {
    QString letters;
    int tone = 0;
    bool erhua = false;
    bool operator==(const PinyinSyllable&) const = default;
};
// The syllables of a pinyin, split as the grading splits them; empty when it
// cannot be split into valid Mandarin syllables.
QList<PinyinSyllable> pinyinSyllables(const QString& pinyin);
// Whether letters (lower case, "v" for "ü", no tone digit) spell one Mandarin syllable.
bool isMandarinSyllable(const QString& letters);
// One syllable's tone as the grading sees it: its own (0 for neutral) and the
// changed tone 一 or 不 takes there before the next syllable (0 for none).
struct SyllableTone {
    int tone = 0;
    int changed = 0;
    bool operator==(const SyllableTone&) const = default;
};
// The tones of a pinyin, syllable by syllable, typed or stored; empty when it
// cannot be split into valid syllables. ckeys place 一 and 不 as the grading does.
QList<SyllableTone> syllableTones(const QString& pinyin, const std::array<int, 4>& ckeys = {});
