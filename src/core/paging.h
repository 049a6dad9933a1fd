#pragma once

#include "core/tovak.h"

#include <QString>

#include <array>

// Which page buttons a paged screen shows.
struct PageButtons {
    bool next = false;
    bool before = false;
};

// Page buttons for a paged list: none on a single page, only what leads
// somewhere otherwise. Shared by every paged screen.
PageButtons pageButtonsFor(int page, int pageCount);
// Pages needed for count rows, size to a page.
qint16 pagesFor(int count, int size);

// What every drill row starts with: the word of the row, if it has one.
struct WordRow {
    bool hasWord = false;
    qint16 tkey = 0;
    QString number;              // "13."
    std::array<int, 4> glyphs{}; // glyph keys; 0 means no picture at all
};

// Paging over CurrentWordList, a fixed number of words to a page. The page
// state lives in Tovak (CurrentPage, PageCount), so a screen and its logic
// always agree. Shared by the drills and the answer list.
class WordPages {
  public:
    WordPages(Tovak& t, int pageSize);
    virtual ~WordPages() = default;
    WordPages(const WordPages&) = delete;
    WordPages& operator=(const WordPages&) = delete;

    int pageSize() const { return pageSize_; }
    Tovak& state() { return t_; }

    // Page buttons and PageDown/PageUp: false where no page lies that way.
    bool nextPage();
    bool previousPage();
    PageButtons pageButtons() const { return pageButtonsFor(t_.CurrentPage, t_.PageCount); }
    // Position in CurrentWordList of a row on the page shown.
    int positionOf(int row) const { return (t_.CurrentPage - 1) * pageSize_ + row; }
    bool rowHasWord(int row) const { return row >= 0 && row < pageSize_ && positionOf(row) < t_.CurrentWordCount; }

    QString wordCountText() const { return QString::number(t_.CurrentWordCount); }
    QString pageText() const { return QString::number(t_.CurrentPage); }
    QString pageCountText() const { return u'/' + QString::number(t_.PageCount); }

  protected:
    // Before a page change: keeps what the page shows.
    virtual void savePage() {}
    // After a page change: the page's rows reflect the state.
    virtual void showPage() {}

    // Page 1 of as many pages as the list needs.
    void startPaging();
    // Fills the word part of a row that has a word at position.
    void fillWordRow(WordRow& row, int position) const;
    // A translation as the rows show it, after one ideographic space.
    QString indentedTranslation(qint16 tkey) const;

    Tovak& t_;

  private:
    int pageSize_;
};
