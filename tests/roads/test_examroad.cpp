// The exam practice's road: main menu, 模擬試験, 筆記, every item answered but
// one pinyin item wrong in both its contrasts, F5, the score and the contrasts
// on the sheet, Back to the cover that shows them, Back to the menu; then the
// program starts again on the same conf.ini and the cover still shows them.
#include "coresupport.h"
#include "drilldriver.h"
#include "examdriver.h"
#include "testsupport.h"

#include "ui/exam/frmExamPaper.h"
#include "ui/menu/frmTOC.h"
#include "ui/screenregistry.h"

#include <QDate>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;

class TestExamRoad : public QObject, public ScreenFixture {
    Q_OBJECT
  private slots:
    void init() { setUp(true); }
    void cleanup() { tearDown(); }

    void road()
    {
        QString score, note;
        QStringList missed;
        Cover first;
        screens->setShownHook([&](ScreenBase& s) {
            if (s.objectName() == u"frmMockExam"_s) {
                QTest::mouseClick(labelOf(&s, u"imgSection(0)"_s), Qt::LeftButton);
                first = Cover(s);
                clickButton(&s, u"Back"_s);
                return;
            }
            auto& sheet = static_cast<frmExamPaper&>(s);
            // Item 6 is the first pinyin item.
            answerSheet(sheet, [](int i) { return i != 5; });
            QTest::keyClick(&sheet, Qt::Key_F5);
            score = labelOf(&sheet, u"lblScore"_s)->text();
            const ExamItem& item = sheet.session().item(5);
            const int wrong = wrongChoiceOf(item);
            note = labelOf(&sheet, u"lblNote%1(5)"_s.arg(wrong + 1))->text();
            for (const Contrast c : item.choices[static_cast<size_t>(wrong)].contrasts)
                missed << contrastName(c);
            clickButton(&sheet, u"Back"_s); // graded: nothing to ask
        });
        QTest::mouseClick(labelOf(&shownMenu(), u"imgContents(7)"_s), Qt::LeftButton);
        QVERIFY(screens->stack().isEmpty());

        QCOMPARE(score, u"18／20点"_s);
        QVERIFY(!note.isEmpty());
        const QDate today = QDate::currentDate();
        QCOMPARE(first.written, u"%1月%2日　18点"_s.arg(today.month()).arg(today.day()));
        for (const QString& name : std::as_const(missed))
            QVERIFY2(first.misses.contains(name), qPrintable(first.misses));
        // In conf.ini: the score of the day, and the pinyin word reviewed without a drill's totals.
        const QByteArray file = readBytes(state->iniPath());
        QVERIFY(file.contains("[EXAM]\r\nWRITTEN=" + today.toString(Qt::ISODate).toLatin1() + ":18\r\n"));
        QVERIFY(file.contains("REVIEW_DAY="));
        QVERIFY(!file.contains("NOG= 1"));

        // A new start on the same file.
        tearDown();
        setUp(true);
        QVERIFY(writeBytes(state->iniPath(), file));
        Cover again;
        screens->setShownHook([&](ScreenBase& s) {
            again = Cover(s);
            clickButton(&s, u"Back"_s);
        });
        QTest::mouseClick(labelOf(&shownMenu(), u"imgContents(7)"_s), Qt::LeftButton);
        QCOMPARE(again.written, first.written);
        QCOMPARE(again.misses, first.misses);
    }

  private:
    // What the cover shows of the written section's scores and the contrasts missed.
    struct Cover {
        Cover() = default;
        explicit Cover(QWidget& s)
            : written(labelOf(&s, u"lblScores(0)"_s)->text()), misses(labelOf(&s, u"lblMisses"_s)->text())
        {
        }
        QString written;
        QString misses;
    };
};

QTEST_MAIN(TestExamRoad)
#include "test_examroad.moc"
