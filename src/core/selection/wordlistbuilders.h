#pragma once

#include "core/tovak.h"

#include <QString>
#include <QStringList>

// Index of the search button, and of the condition row it belongs to.
enum class SearchKind : int {
    FreeWord = 0,
    Random = 1,
    Genre = 2,
    Charnum = 3,
    Weakpoint = 4,
    TonePattern = 5,
    Review = 6
};

// The fixed items of a condition's drop-down (empty for the free text box).
const QStringList& searchItems(SearchKind kind);

// Each builder replaces CurrentWordList and CurrentWordCount from the condition
// text exactly as the control shows it. Nothing matched: count 0, one slot holding 0.
void searchFreeWord(Tovak& t, const QString& text);
void searchRandom(Tovak& t, const QString& text);
void searchGenre(Tovak& t, const QString& text);
void searchCharnum(Tovak& t, const QString& text);
void searchWeakpoint(Tovak& t, const QString& text);
void searchTonePattern(Tovak& t, const QString& text);
// The words due for review by the item's horizon (今日 0, 明日まで 1, 今週中 7
// days after today, a Julian day number), in the order of dueWords: lowest
// predicted recall first, then the better examination rank, then the key.
void searchReview(Tovak& t, const QString& text, qint32 today);
// The horizon in days of a review item; -1 for a text that is none.
int reviewHorizon(const QString& text);

// Runs the builder of one search button; the review search counts from today's date.
void runSearch(Tovak& t, SearchKind kind, const QString& text);
