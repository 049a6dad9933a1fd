#include "browse/frmExamListC.h"

#include "browse/rankings.h"
#include "core/tovak.h"

#include <QLabel>

frmExamListC::frmExamListC(ScreenRegistry& screens)
    : CharListScreen(screens, QStringLiteral("frmExamListC"), CharListStyle::Exam, 7)
{
}

void frmExamListC::setInitAll()
{
    setInit(ExamListKind::All);
}

void frmExamListC::setInitHearing()
{
    setInit(ExamListKind::Hearing);
}

void frmExamListC::setInitWriting()
{
    setInit(ExamListKind::Writing);
}

void frmExamListC::setInit(ExamListKind kind)
{
    loadExamList(tovak(), kind);
    lblType_->setText(charListTitle(tovak()));
}
