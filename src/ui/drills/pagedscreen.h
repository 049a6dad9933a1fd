#pragma once

#include "ui/screenbase.h"

class QLabel;
class WordPages;

// What the drills and the answer list share: the count and page line, the
// page buttons with PageDown and PageUp, Back, help and exit. A subclass hands
// in the logic that pages and draws its rows from it.
class PagedScreen : public ScreenBase {
    Q_OBJECT
  public:
    PagedScreen(ScreenRegistry& screens, const QString& name, qint16 helpPage);

  protected:
    // Set once by the subclass, before the first refresh().
    void setPages(WordPages& pages) { pages_ = &pages; }
    // Redraws the whole screen from the logic's state.
    virtual void refresh();
    virtual void drawRows() = 0;
    // A page was turned (by button or key).
    virtual void pageTurned() {}

    void pageDownKey() override;
    void pageUpKey() override;

  private:
    void turn(bool forward);

    WordPages* pages_ = nullptr;
    QLabel* lblCount_;
    QLabel* lblCPagenum_;
    QLabel* lblTPagenum_;
    ImageButton* next_;
    ImageButton* before_;
};
