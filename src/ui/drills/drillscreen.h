#pragma once

#include "ui/drills/pagedscreen.h"

#include <functional>
#include <memory>

class DrillSession;

// What the three drills share beyond the paging: the grade button (grade,
// then retest), its F5 rule, the score and the run's preparation.
class DrillScreen : public PagedScreen {
    Q_OBJECT
  public:
    // Prepares the run from CurrentWordList, CurrentWordCount and DrillMode and
    // draws page 1. The opener calls it, then shows the screen.
    void init();

    // The monotonic milliseconds the grade button's repeat guard reads; tests
    // set their own so they need not sleep.
    void setClock(std::function<qint64()> clock) { clock_ = std::move(clock); }
    qint64 now() const { return clock_(); }

  protected:
    DrillScreen(ScreenRegistry& screens, const QString& name, qint16 helpPage, std::unique_ptr<DrillSession> session);
    ~DrillScreen() override;

    DrillSession& session() const { return *session_; }
    void refresh() override;
    // A new run starts (init or retest): answers are typed afresh.
    virtual void runStarted() {}

    // F5: the grade button while it shows, Back once everything was right.
    void f5Key() override;
    // Answers not yet graded are not thrown away without a question.
    void back() override;
    // For a second after a grading (or a retest's start) every press is the
    // learner's double click or key repeat.
    bool refusesPresses() const override;

  private:
    // By ear, from a failure of sound until a word plays again, the grade
    // button stands greyed and says why.
    bool gradeOffered() const;
    void pressGrade();

    std::unique_ptr<DrillSession> session_;
    std::function<qint64()> clock_;
    ImageButton* grade_;
    QLabel* lblScore_;
};
