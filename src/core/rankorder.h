#pragma once

#include "data/db.h"

#include <QList>

// The characters of ranking kind 1..4 in the order its list shows them: most
// counted first, the ranking sort's own order among equal counts; characters
// with no count are left out. Empty for any other kind.
QList<qint16> rankingOrder(const DB& db, int kind);

// Indexed by word key: the best (smallest) position any of the word's
// characters has in the overall ranking (kind 1). A word none of whose
// characters is ranked gets a position after every ranked one.
QList<int> wordExamRanks(const DB& db);
