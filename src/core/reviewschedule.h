#pragma once

#include "core/fsrs.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <array>
#include <functional>

// When each word was last graded and what FSRS-6 makes of its memory since.
// Days are local calendar days as Julian day numbers (QDate::toJulianDay); the
// caller says which day is today.
struct WordReview {
    qint32 lastDay = 0;
    MemoryState state;
    bool hasState = false;
};

constexpr int ReviewSlots = 501; // word keys 1..500; position 0 belongs to no word
using ReviewTable = std::array<WordReview, ReviewSlots>;

// The model the schedule runs on: FSRS-6 defaults, desired retention 0.9.
const Fsrs& reviewModel();

// A grading: right is Good, wrong is Again. The first one starts the state; a
// second one on the same day follows the same-day rule; a last day after today
// (the clock was set back) counts as today.
void recordReview(WordReview& review, bool right, qint32 today);

// Predicted recall on day `day`; a last day after today counts as today.
double recallOn(const WordReview& review, qint32 today, qint32 day);

// The three comma lists of conf.ini: last day, stability, difficulty. Item 0 is
// empty, a word without state has empty items, numbers round-trip exactly.
struct ReviewLists {
    QByteArray days;
    QByteArray stabilities;
    QByteArray difficulties;
};
ReviewLists formatReviewLists(const ReviewTable& reviews);
// Never fails: a word whose three items are not all sensible (a number, finite,
// stability 0.001..36500 days, difficulty 1..10, a day from 2000-01-01 to
// 9999-12-31) has no state. Only the first 501 items of each list are read.
ReviewTable parseReviewLists(QByteArrayView days, QByteArrayView stabilities, QByteArrayView difficulties);
bool anyReviewState(const ReviewTable& reviews);

// Smaller for a more frequent word: breaks ties between equal recalls.
using WordRank = std::function<int(int tkey)>;
// The words whose predicted recall on day today + horizonDays is below the
// desired retention (0: today, 1: by tomorrow, 7: this week), lowest recall
// first, then by rank, then by key. Words without state are never due.
QList<int> dueWords(const ReviewTable& reviews, qint32 today, int horizonDays, const WordRank& rankOfWord);
int dueCount(const ReviewTable& reviews, qint32 today, int horizonDays);
