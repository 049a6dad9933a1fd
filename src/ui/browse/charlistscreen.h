#pragma once

#include "core/browse/charlists.h"
#include "ui/screenbase.h"

#include <array>

class QLabel;

// What the ranking list and the latest-exam list share: ten rows of rank,
// glyph, count and related words over CurrentCharList, the page buttons and
// keys, a border on the glyph under the mouse, and a glyph click opening the
// detail screen on that row. Back, help (at helpPage) and exit.
class CharListScreen : public ScreenBase {
    Q_OBJECT
  public:
    CharListScreen(ScreenRegistry& screens, const QString& name, CharListStyle style, qint16 helpPage);

    // Page 1 of CurrentCharList as it stands.
    void init();
    // Renders the rows and the page buttons of the page shown.
    void showPage();
    void resetHover() override;

    const CharListPages& pages() const { return pages_; }
    bool glyphBordered(int row) const;

  protected:
    void pageDownKey() override;
    void pageUpKey() override;
    // Whatever a screen shows beyond the rows, once a page is drawn.
    virtual void pageShown() {}

    QLabel* lblType_ = nullptr;

  private:
    void openCharacter(int row);
    void setBorder(int row, bool on);

    CharListPages pages_;
    std::array<QLabel*, CharListPages::PageSize> lblNo_{};
    std::array<QLabel*, CharListPages::PageSize> imgTovak_{};
    std::array<QLabel*, CharListPages::PageSize> lblLatter_{};
    std::array<QLabel*, CharListPages::PageSize> lblTermNum_{};
};
