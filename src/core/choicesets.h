#pragma once

#include "core/listutil.h"
#include "core/tovak.h"

#include <QSet>
#include <QString>
#include <QStringList>

// Four pairwise different translations for a word: its own at a uniformly
// random place, the three others drawn uniformly from all words and never equal
// to the word's own text. Shared by the translation drill and the exam practice.
class TranslationChoices {
  public:
    explicit TranslationChoices(const DB& db);
    QStringList draw(Rng& rng, int tkey) const;

  private:
    const DB& db_;
    // Rejection sampling needs three other texts to exist; the real table has
    // hundreds, but a short table must not hang the drill.
    QSet<QString> distinct_;
};

// Fills ChoiceSets with one entry per slot of CurrentWordList (see above).
void buildChoiceSets(Tovak& t);
