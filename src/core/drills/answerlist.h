#pragma once

#include "core/drills/drillsession.h"

// One row of the answer list, as the screen draws it.
struct AnswerRow : WordRow {
    QString pinyin;      // the stored pinyin for the eye ("ü"), tone digits included
    QString translation; // ideographic space + translation
};

// The answer list: every word of CurrentWordList with its answers, twelve to a
// page. It reads the lists and changes no counter.
class AnswerListSession : public WordPages {
  public:
    static constexpr int PageSize = 12;

    explicit AnswerListSession(Tovak& t);

    // Page 1 of the list as it stands; the typed answers of a drill before are
    // dropped, as every drill run starts without them.
    void load();
    AnswerRow row(int r) const;
};
