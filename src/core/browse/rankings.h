#pragma once

#include "core/tovak.h"

// Replaces CurrentCharList with the characters ranked by field kind (1 to 4,
// the RankingKind), most frequent first; characters with a count of 0 are left
// out. Ties keep the order the sort leaves them in, which the screens show.
void buildRanking(Tovak& t, int kind);

// Replaces CurrentWordList with the words that contain the character, in a new
// random order, and starts a drill run (DrillMode 1).
void loadRelatedWords(Tovak& t, int ckey);

// Replaces CurrentCharList and examCounts with a latest-exam list, in its
// stored order.
void loadExamList(Tovak& t, ExamListKind kind);
