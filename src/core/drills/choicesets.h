#pragma once

#include "core/tovak.h"

// Fills ChoiceSets with one entry per slot of CurrentWordList: four pairwise
// different translations, the word's own at a uniformly random place, the three
// others drawn uniformly from all words and never equal to the word's own text.
void buildChoiceSets(Tovak& t);
