#pragma once

#include "core/exam/examitems.h"
#include "core/exam/examresults.h"
#include "ui/screenbase.h"

#include <QLabel>

#include <array>

// The exam practice's cover: the two sections, each started by its button (聞き
//取り only while something can be heard; otherwise it says why), the last
// scores of each and the contrasts missed most.
class frmMockExam : public ScreenBase {
    Q_OBJECT
  public:
    explicit frmMockExam(ScreenRegistry& screens);

    // Reads the results from conf.ini.
    void load() override;
    void openSection(ExamSectionKind kind);

    const ExamResults& results() const { return results_; }

    // How many scores and contrasts the cover lists.
    static constexpr int Shown = 5;

  private:
    void showResults();
    void showSoundOffer();

    ExamResults results_;
    std::array<QLabel*, 2> lblScores_{};
    QLabel* lblMisses_ = nullptr;
    QLabel* lblMissCounts_ = nullptr;
    QLabel* lblNoSound_ = nullptr;
};
