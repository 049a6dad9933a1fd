#include "ui/drills/drillscreen.h"

#include "core/drills/drillsession.h"
#include "core/voice.h"
#include "ui/layout.h"
#include "ui/messagebox.h"
#include "ui/pictures.h"
#include "ui/screenregistry.h"
#include "ui/screenstyle.h"

#include <QElapsedTimer>

namespace L = Layout::TypedRows;

namespace {
constexpr int scorePixels = 30;

QString notHeardReason()
{
    return QStringLiteral("音声を再生できません：単語が聞こえると採点できます（F6でもう一度）");
}
} // namespace

DrillScreen::DrillScreen(ScreenRegistry& screens, const QString& name, qint16 helpPage,
                         std::unique_ptr<DrillSession> session)
    : PagedScreen(screens, name, helpPage), session_(std::move(session)), clock_([] {
          static QElapsedTimer started = [] {
              QElapsedTimer t;
              t.start();
              return t;
          }();
          return started.elapsed();
      })
{
    setPages(*session_);
    lblScore_ =
        makeLabel(this, QStringLiteral("lblScore"), QString(), L::lblScore, QColor::fromRgb(Layout::Palette::accent),
                  scorePixels, true, Qt::AlignRight | Qt::AlignVCenter);
    lblScore_->hide();
    grade_ = addButton(QStringLiteral("Grade"), Pictures::btn(1), Pictures::btn(2), L::imgGrade);
    styleCaption(grade_->addCaption(QStringLiteral("採点"), L::lblGrade));
    connect(grade_, &ImageButton::clicked, this, &DrillScreen::pressGrade);
    grade_->setInactivePicture(Pictures::btn(9));
    setReasonLine(L::lblReason);
    // By ear the grading follows whether a word can be heard.
    connect(&screens.voice(), &Voice::changed, this, [this] {
        if (session_->byEar())
            refresh();
    });
}

DrillScreen::~DrillScreen() = default;

void DrillScreen::init()
{
    session_->init();
    refresh();
    runStarted();
}

void DrillScreen::refresh()
{
    grade_->setVisible(session_->gradeButtonVisible());
    const bool offered = gradeOffered();
    grade_->setActive(offered);
    grade_->setReasonNotOffered(offered ? QString() : notHeardReason());
    grade_->caption()->setText(session_->gradeCaption());
    setFittedText(lblScore_, session_->scoreCaption(), scorePixels);
    lblScore_->setVisible(session_->scoreVisible());
    PagedScreen::refresh();
}

bool DrillScreen::gradeOffered() const
{
    // Words the learner could not hear are not graded as wrong.
    return !session_->byEar() || !screens().voice().soundFailed();
}

void DrillScreen::pressGrade()
{
    if (!gradeOffered() || session_->isRepeatPress(clock_()))
        return;
    // Unseen pages are left out of the grading; the safe answer is to go and look at them first.
    if (session_->gradingSkipsUnseenPages() &&
        !MsgBox::question(this, session_->unseenPagesQuestion(), MsgBox::programTitle(), MsgBox::Default::No))
        return;
    const GradeOutcome outcome = session_->pressGrade(clock_());
    if (outcome == GradeOutcome::AllSolved)
        MsgBox::information(this, QString::fromUtf16(AllSolvedText));
    refresh();
    if (outcome == GradeOutcome::RetestStarted)
        runStarted();
    // The grade button may be gone and its focus passed on to 戻る: the score
    // takes it, where a second Space or Enter does nothing.
    if (outcome == GradeOutcome::Graded)
        lblScore_->setFocus(Qt::OtherFocusReason);
}

void DrillScreen::f5Key()
{
    if (!session_->gradeButtonVisible())
        back();
    else if (gradeOffered())
        pressGrade();
    else
        showReason(grade_->reasonNotOffered());
}

void DrillScreen::back()
{
    if (session_->hasUngradedAnswers() &&
        !MsgBox::question(this, QString::fromUtf16(LeaveUngradedQuestion), MsgBox::programTitle(), MsgBox::Default::No))
        return;
    PagedScreen::back();
}

bool DrillScreen::refusesPresses() const
{
    return session_->isRepeatPress(clock_());
}
