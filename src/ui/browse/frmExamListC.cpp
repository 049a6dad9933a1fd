#include "ui/browse/frmExamListC.h"

#include "core/browse/rankings.h"
#include "core/info/helppages.h"

frmExamListC::frmExamListC(ScreenRegistry& screens)
    : CharListScreen(screens, QStringLiteral("frmExamListC"), CharListStyle::Exam, HelpOther)
{
}

void frmExamListC::setInit(ExamListKind kind)
{
    loadExamList(tovak(), kind);
    lblType_->setText(charListTitle(tovak()));
}
