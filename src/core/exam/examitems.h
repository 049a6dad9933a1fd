#pragma once

#include "core/choicesets.h"
#include "core/exam/contrasts.h"
#include "core/exam/numberreadings.h"
#include "core/listutil.h"
#include "core/pinyin.h"
#include "data/db.h"

#include <QList>
#include <QSet>
#include <QString>

#include <array>
#include <optional>

// The two sections a learner takes apart: 筆記 第1問 and 聞き取り.
enum class ExamSectionKind : int { Written = 0, Listening = 1 };

enum class ExamItemKind : int {
    TonePattern, // the word whose tones differ from the other three
    Pinyin,      // the right spelling among four
    Meaning,     // the heard word's translation among four
    Number,      // a heard number typed in digits
};

struct ExamChoice {
    // Pinyin with tone marks (pinyin items) or a translation (meaning items);
    // empty where the choice is a word shown as pictures (tone-pattern items).
    QString text;
    int tkey = 0;              // tone-pattern items: the word this choice shows
    QString stored;            // pinyin items: the spelling with tone digits, "u:" for ü
    QList<Contrast> contrasts; // pinyin items: what this spelling gets wrong; none for the right one
};

struct ExamItem {
    ExamItemKind kind = ExamItemKind::Pinyin;
    int tkey = 0; // pinyin and meaning items: the word asked
    std::array<ExamChoice, 4> choices;
    int right = -1; // the right choice; -1 for a number item
    NumberReading number;
};

struct ExamSection {
    ExamSectionKind kind = ExamSectionKind::Written;
    QList<ExamItem> items;
};

constexpr int ExamItemsPerSection = 10;
// The written section: tone-pattern items, then as many pinyin items.
constexpr int TonePatternItems = 5;
// The listening section: pinyin items, meaning items, then number items.
constexpr int HeardPinyinItems = 3;
constexpr int HeardMeaningItems = 3;
constexpr int HeardNumberItems = ExamItemsPerSection - HeardPinyinItems - HeardMeaningItems;

// Draws the sections from the 500 words. Every choice it makes comes from the
// generator it is handed, so a seed gives the same section again.
class ExamGenerator {
  public:
    explicit ExamGenerator(const DB& db);

    ExamSection section(ExamSectionKind kind, quint32 seed) const;

    // Four spellings of the word in a 2 × 2 design: each of two syllables (of a
    // one-syllable word: two features of it) right or wrong in one contrast, a
    // tone change standing in where no second contrast fits. Every spelling is
    // made of real syllables, none is a reading of its character or one the
    // grading would take for the word's own. Nothing for a word that takes no
    // such item (一 or 不 in it, syllables not one to one with its characters).
    std::optional<ExamItem> pinyinItem(Rng& rng, int tkey) const;
    // Three words of one tone pattern and one of another, none in used (the
    // words it takes are added); the odd word shares one tone with the others
    // three times in four. Nothing when the words have run out.
    std::optional<ExamItem> tonePatternItem(Rng& rng, QSet<int>& used) const;
    ExamItem meaningItem(Rng& rng, int tkey) const;
    // Two syllables whose printed tones are the spoken ones: no neutral tone,
    // no 一 or 不, not 3 + 3.
    bool takesTonePattern(int tkey) const;

  private:
    bool isReading(int ckey, const PinyinSyllable& s) const;

    const DB& db_;
    TranslationChoices translations_;
    QList<QList<PinyinSyllable>> syllables_; // by tkey
    // The tone-pattern words by pattern, (first tone - 1) * 4 + second tone - 1.
    std::array<QList<int>, 16> byPattern_;
};
