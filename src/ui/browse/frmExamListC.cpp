#include "ui/browse/frmExamListC.h"

#include "core/browse/rankings.h"
#include "core/info/helppages.h"
#include "core/tovak.h"

#include <QLabel>

frmExamListC::frmExamListC(ScreenRegistry& screens)
    : CharListScreen(screens, QStringLiteral("frmExamListC"), CharListStyle::Exam, HelpOther)
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
