#pragma once

#include "ui/screenbase.h"

class QLabel;

// The main menu: the two achievement percentages, the mascot, the menu items,
// and the line of words due for review today.
// Created once at start-up and shown modelessly; every other screen opens over it.
class frmTOC : public ScreenBase {
    Q_OBJECT
  public:
    explicit frmTOC(ScreenRegistry& screens);

    // Reads conf.ini and computes the two percentages.
    void load() override;
    // Picks the mascot from the two coverage percentages.
    void setPanda();
    int pandaNumber() const { return panda_; }

    // The menu items: four rankings, the word search, the latest-exam menu and the exam practice.
    void openRanking(qint16 kind);
    void openWordSearch();
    void openExamMenu();
    // Item 7: the exam practice.
    void openMockExam();
    // The word search with today's review already searched.
    void openReview();
    // Item 8, 学習記録.
    void openProgress();
    // 「試験まであと N日」 while a sitting ahead is chosen.
    void showCountdown();
    // Shows how many words are due today, or hides the line when none is.
    void showReviewCount();
    // The two speech switches: each press flips one setting and saves it.
    void toggleSpeech();
    void toggleSlow();

    // The items, the switches and the review line return to their rest pictures.
    void resetHover() override;

  protected:
    void escKey() override {}
    void closeBoxClicked() override;

  private:
    void buildItems();
    void buildMascotAndReview();
    void buildSpeechSwitches();
    void buildCountdown();
    void showCoverage();
    void openAbout();
    void showSpeechSettings();
    void showHovered(QLabel* control);

    QLabel* lblMouraP_ = nullptr;
    QLabel* lblMouraR_ = nullptr;
    QLabel* imgPanda_ = nullptr;
    QLabel* lblReview_ = nullptr;
    QLabel* lblSpeech_ = nullptr;
    QLabel* lblSlow_ = nullptr;
    QLabel* imgReview_ = nullptr; // the review line's ground
    QLabel* hovered_ = nullptr;   // a switch or the review line under the mouse
    QLabel* imgCountdownLead_ = nullptr;
    QLabel* lblCountdown_ = nullptr;
    QLabel* imgCountdownTail_ = nullptr;
    int panda_ = 0;
};
