#pragma once

#include "data/db.h"

#include <QList>
#include <QString>

#include <random>

// The program's one generator: seeded once at start-up, fixed in tests.
using Rng = std::mt19937;
quint32 clockSeed();

// count values drawn from lower..upper; unique draws each value at most once.
// A count below 1 or above the size of the range gives an empty result.
QList<qint16> pickRandom(Rng& rng, int upper, int lower, int count, bool unique);
qint16 randomInRange(Rng& rng, int upper, int lower);

// Copies of character rows, sorted for the rankings.
using SortBuffer = QList<CharRecord>;
// Descending middle-pivot quicksort of rows first..last by the numeric value of
// field column. The order it leaves among equal values is what the rankings show.
void sortByColumn(SortBuffer& buffer, int column, int first, int last);

// Puts every item of list into a new random order; scratch is reused storage.
void shuffleWordList(Rng& rng, QList<qint16>& list, QList<qint16>& scratch);

// Items of a comma list: 0 for an empty text, otherwise commas + 1.
qint16 countListItems(const QString& text);
