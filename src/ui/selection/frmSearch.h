#pragma once

#include "core/selection/wordlistbuilders.h"
#include "ui/screenbase.h"

#include <array>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;

// The word search: seven conditions, each with its own "検索" button; the count
// found; then the answer list or one of the three drills on the words found
// (the tone and pinyin drills also by ear).
// The launch buttons lie under a mask until a search has found something.
class frmSearch : public ScreenBase {
    Q_OBJECT
  public:
    explicit frmSearch(ScreenRegistry& screens);

    // Every opening starts here: the pinyin drill is offered or not for the
    // whole opening, the statistics are read afresh, the mask is shown.
    void load() override;
    // Chooses 今日の復習 and searches, as the main menu's review line asks.
    void searchDueToday();

  private:
    void buildConditions();
    void buildLaunchers();
    void search(SearchKind kind);
    // The text of a row's control as its builder takes it (empty while a drop-down shows its prompt).
    QString conditionText(SearchKind kind) const;
    // The row searched last was changed: its result no longer matches what the
    // row shows, so the launchers wait for a new search (or the old condition).
    void conditionEdited(SearchKind kind);
    // Back from a drill or the answer list: the launchers act on the search's
    // own result again, a result that grading changes (weak points, review) searched afresh.
    void resultBack();
    void setMasked(bool masked);
    // Each launcher active or not, with its reason as tooltip.
    void showOffers();
    void openAnswerList();
    // byEar opens the tone or pinyin drill in listening mode.
    template <class Drill> void openDrill(bool byEar);

    QLineEdit* txtFreeWord_ = nullptr;
    // The six drop-downs, by SearchKind; slot 0 (the free text) stays empty.
    std::array<QComboBox*, 7> combos_{};
    QLabel* lblCount_is_ = nullptr;
    QLabel* imgSmask_ = nullptr;
    QList<ImageButton*> pinyinDrills_; // by eye and by ear: offered by the same rule
    QList<ImageButton*> byEar_;
    bool pinyinOffered_ = false;
    QList<ImageButton*> launchers_;
    // The last search that found words: its row, its condition and what it found.
    std::optional<SearchKind> searched_;
    QString searchedText_;
    QList<qint16> found_;
};
