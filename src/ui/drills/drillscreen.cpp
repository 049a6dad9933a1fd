#include "ui/drills/drillscreen.h"

#include "core/drills/drillsession.h"
#include "ui/layout.h"
#include "ui/messagebox.h"
#include "ui/pictures.h"
#include "ui/screenstyle.h"

#include <QElapsedTimer>

namespace L = Layout::TypedRows;

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
    lblScore_ = makeLabel(this, QStringLiteral("lblScore"), QString(), L::lblScore,
                          QColor::fromRgb(Layout::Palette::accent), 30, true, Qt::AlignRight | Qt::AlignVCenter);
    lblScore_->hide();
    grade_ = addButton(QStringLiteral("Grade"), Pictures::btn(1), Pictures::btn(2), L::imgGrade);
    styleCaption(grade_->addCaption(QStringLiteral("採点"), L::lblGrade));
    connect(grade_, &ImageButton::clicked, this, &DrillScreen::pressGrade);
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
    grade_->caption()->setText(session_->gradeCaption());
    lblScore_->setText(session_->scoreCaption());
    lblScore_->setVisible(session_->scoreVisible());
    PagedScreen::refresh();
}

void DrillScreen::pressGrade()
{
    if (session_->isRepeatPress(clock_()))
        return;
    // Unseen pages are graded wrong and saved: only when the learner says so.
    if (session_->gradingSkipsUnseenPages() &&
        !MsgBox::question(this, QString::fromUtf16(UnseenPagesQuestion), MsgBox::programTitle()))
        return;
    const GradeOutcome outcome = session_->pressGrade(clock_());
    if (outcome == GradeOutcome::AllSolved)
        MsgBox::information(this, QString::fromUtf16(AllSolvedText));
    refresh();
    if (outcome == GradeOutcome::RetestStarted)
        runStarted();
}

void DrillScreen::f5Key()
{
    if (session_->gradeButtonVisible())
        pressGrade();
    else if (!session_->isRepeatPress(clock_()))
        back();
}
