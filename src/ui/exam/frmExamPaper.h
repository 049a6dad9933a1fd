#pragma once

#include "core/exam/examitems.h"
#include "core/exam/examresults.h"
#include "core/exam/examsession.h"
#include "ui/screenbase.h"
#include "ui/speakerbutton.h"

#include <QLabel>
#include <QLineEdit>

#include <array>
#include <functional>
#include <optional>

// One section of the exam practice as a sheet of ten items: chosen by click or
// keys 1 to 4, number items typed, graded with 採点 or F5 like the drills. By
// ear every item is read twice as it is reached, F6 reads it again. Once graded
// the sheet shows the marks, the right answers, what each wrong spelling got
// wrong, and speakers for the words; the button then asks for a new set.
class frmExamPaper : public ScreenBase {
    Q_OBJECT
  public:
    explicit frmExamPaper(ScreenRegistry& screens);
    ~frmExamPaper() override;

    // A new sitting of kind; its grading is recorded in results, which the
    // opener keeps (and shows) after this screen is gone. Call before showing.
    void init(ExamSectionKind kind, ExamResults& results);
    const ExamSession& session() const { return *session_; }

    // The monotonic milliseconds the grade button's repeat guard reads; tests
    // set their own so they need not sleep.
    void setClock(std::function<qint64()> clock) { clock_ = std::move(clock); }

    // Asks first while answers are given and not graded.
    void back() override;
    void resetHover() override;

    // A listening item is read twice with this pause between.
    static constexpr int PauseMs = 1500;

  protected:
    void f5Key() override { pressGrade(); }
    void replayKey() override;
    // 1 to 4 choose in the item last reached.
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* e) override;

  private:
    struct Row {
        QLabel* no = nullptr;
        QLabel* mark = nullptr;
        std::array<QLabel*, 4> glyphs{};
        std::array<QLabel*, 4> choices{};
        std::array<QLabel*, 4> notes{};
        std::array<std::array<QLabel*, 2>, 4> choiceGlyphs{};
        std::array<SpeakerButton*, 4> choiceSpeakers{};
        SpeakerButton* speaker = nullptr;
        QLabel* ask = nullptr;
        QLineEdit* box = nullptr;
        QLabel* answer = nullptr;
    };

    void buildRow(int i);
    void startSitting(std::optional<qint64> pressedAtMs);
    void layOut();
    void refresh();
    void drawRow(int i);
    void drawChoices(int i);
    QString noteOf(int i, int choice) const;
    void choose(int i, int choice);
    void frame(int i, int framed);
    void pressGrade();
    void recordGrading();
    void reach(int i);
    void play(int i, int times);
    int itemOf(const QObject* control) const;

    const ExamGenerator generator_;
    ExamSectionKind kind_ = ExamSectionKind::Written;
    ExamResults* results_ = nullptr;
    std::optional<ExamSession> session_;
    std::function<qint64()> clock_;
    std::array<Row, ExamItemsPerSection> rows_;
    std::array<QLabel*, 3> headings_{};
    QLabel* lblType_ = nullptr;
    QLabel* lblScore_ = nullptr;
    QLabel* lblReplayHint_ = nullptr;
    ImageButton* grade_ = nullptr;
    int current_ = 0;     // the item keys 1 to 4 and F6 act on
    int lastPlayed_ = -1; // by ear: reaching the same item again reads nothing
};
