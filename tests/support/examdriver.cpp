#include "examdriver.h"

#include "ui/exam/frmExamPaper.h"

#include <QLabel>
#include <QLineEdit>
#include <QtTest>

int wrongChoiceOf(const ExamItem& item)
{
    for (int j = 0; j < 4; ++j) {
        if (item.choices[static_cast<size_t>(j)].contrasts.size() == 2)
            return j;
    }
    return (item.right + 1) % 4;
}

void answerSheet(frmExamPaper& sheet, const std::function<bool(int)>& right, int count)
{
    const ExamSession& s = sheet.session();
    for (int i = 0; i < count && i < s.count(); ++i) {
        const ExamItem& item = s.item(i);
        if (item.kind == ExamItemKind::Number) {
            auto* box = sheet.findChild<QLineEdit*>(QStringLiteral("txtAnswer(%1)").arg(i));
            box->clear();
            QTest::keyClicks(box, right(i) ? item.number.answer : QStringLiteral("x"));
            continue;
        }
        const int choice = right(i) ? item.right : wrongChoiceOf(item);
        QTest::mouseClick(sheet.findChild<QLabel*>(QStringLiteral("lblChoice%1(%2)").arg(choice + 1).arg(i)),
                          Qt::LeftButton);
    }
}
