#pragma once

#include "core/paging.h"
#include "core/tovak.h"

#include <QString>

#include <array>

// Titles of the character lists: a ranking (RankingKind 1 to 4) or a
// latest-exam list; empty for anything else.
QString rankingTitle(int kind);
QString examListTitle(int kind);
// The title of the list CurrentCharList holds: the latest-exam list loaded
// last, otherwise the ranking opened last; empty when neither was opened.
QString charListTitle(const Tovak& t);

// The latest-exam menu's comments: 0 the introduction, 1 to 3 its items.
const std::array<QString, 4>& examMenuTexts();

// "第25位." on the ranking list, "第25位" elsewhere; position is 0-based.
QString rankText(int position, bool fullStop);

// What the ranking and latest-exam lists show in one row.
struct CharListRow {
    bool shown = false;
    int ckey = 0;
    QString no;      // 第1位. or 第1位
    QString latter;  // the ranked count ("275") or the exam count ("58回")
    QString termNum; // related words, "4個"
};

enum class CharListStyle { Ranking, Exam };

// Ten rows a page over CurrentCharList: the page shown, the four-case rule
// for the page buttons and the contents of each row.
class CharListPages {
  public:
    static constexpr int PageSize = 10;

    CharListPages(const Tovak& t, CharListStyle style) : t_(t), style_(style) {}

    // Page 1 of the list as it stands now.
    void init();
    // Move one page when there is one in that direction.
    bool nextPage();
    bool previousPage();

    qint16 listPage() const { return listPage_; }
    qint16 listPageCount() const { return listPageCount_; }
    PageButtons pageButtons() const { return pageButtonsFor(listPage_, listPageCount_); }
    int positionOf(int row) const { return (listPage_ - 1) * PageSize + row; }
    CharListRow row(int r) const;

  private:
    const Tovak& t_;
    CharListStyle style_;
    qint16 listPage_ = 1;
    qint16 listPageCount_ = 0;
};
