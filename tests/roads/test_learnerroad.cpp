// What a learner did in a real study session: main menu, the free search for
// "xuexiao", the tone drill, an answer typed with blanks and full-width digits,
// grading, the grade button pressed again at once (nothing lost, conf.ini
// shows the word right), then a deliberate press that closes the drill.
#include "drilldriver.h"
#include "testsupport.h"

#include "ui/menu/frmTOC.h"
#include "ui/screenregistry.h"

#include <QFile>
#include <QLineEdit>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// Types text as a keyboard does, full-width characters included (QTest takes ASCII only).
void typeText(QWidget* w, const QString& text)
{
    for (const QChar c : text) {
        for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent e(type, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &e);
        }
    }
}

} // namespace

class TestLearnerRoad : public QObject, public ScreenFixture {
    Q_OBJECT
  private slots:
    void init() { setUp(true); }
    void cleanup() { tearDown(); }

    void road_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("score");
        QTest::addColumn<QByteArray>("rightList"); // P2_NORPT, the first items
        QTest::newRow("blanks and full-width digits")
            << u" ２ ４ "_s << u"1／1点"_s << QByteArray("P2_NORPT=,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,1,");
        QTest::newRow("wrong tones, then the retest")
            << u"42"_s << u"0／1点"_s << QByteArray("P2_NORPT=,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,");
    }
    void road()
    {
        QFETCH(QString, typed);
        QFETCH(QString, score);
        QFETCH(QByteArray, rightList);
        Tovak& t = *state->tovak;
        finishStartup(*screens);
        frmTOC* menu = shownMainMenu(*screens);
        const bool right = score.startsWith(u'1');

        QString scoreAtOnce, answerAtOnce, captionAtOnce, countAfter;
        bool marksAtOnce = false, openAfter = true;
        int modeAfter = 0;
        QByteArray savedAtOnce;
        screens->setShownHook([&](ScreenBase& s) {
            auto closer = qScopeGuard([&] {
                if (s.isVisible())
                    s.ScreenBase::back();
            });
            if (s.objectName() == u"frmSearch"_s) {
                s.findChild<QLineEdit*>(u"txtFreeWord"_s)->setText(u"xuexiao"_s);
                clickButton(&s, u"Search(0)"_s);
                QTest::mouseClick(labelOf(&s, u"lblP"_s), Qt::LeftButton);
            } else if (s.objectName() == u"frmListP2"_s) {
                passTime(&s, 0);
                QCOMPARE(t.CurrentWordList, (QList<qint16>{23}));
                typeText(boxOf(&s, 0), typed);
                QTest::keyClick(&s, Qt::Key_F5);
                // The same key again within the second: a repeat, not a request.
                passTime(&s, 400);
                QTest::keyClick(&s, Qt::Key_F5);
                clickButton(&s, u"Grade"_s);
                scoreAtOnce = labelOf(&s, u"lblScore"_s)->text();
                answerAtOnce = labelOf(&s, u"lblAnswer(0)"_s)->text();
                marksAtOnce = labelOf(&s, u"imgMark(0)"_s)->isVisible();
                captionAtOnce = right ? QString() : labelOf(&s, u"lblGrade"_s)->text();
                QFile ini(state->iniPath());
                if (ini.open(QIODevice::ReadOnly))
                    savedAtOnce = ini.readAll();
                // A deliberate later press: Back when all was right, else the retest.
                passTime(&s);
                QTest::keyClick(&s, Qt::Key_F5);
                openAfter = s.isVisible();
                modeAfter = t.DrillMode;
                countAfter = labelOf(&s, u"lblCount"_s)->text();
            }
        });
        QTest::mouseClick(labelOf(menu, u"imgContents(5)"_s), Qt::LeftButton);
        QVERIFY(screens->stack().isEmpty());

        QCOMPARE(scoreAtOnce, score);
        QCOMPARE(answerAtOnce, u"xue2xiao4"_s);
        QVERIFY(marksAtOnce);
        QVERIFY(savedAtOnce.contains("QUESTIONS= 1\r\n") || savedAtOnce.contains("QUESTIONS= 1\n"));
        QVERIFY2(savedAtOnce.contains(rightList), savedAtOnce.constData());
        QCOMPARE(t.stats.questions, 1);
        if (right) {
            QVERIFY(!openAfter);
            QCOMPARE(modeAfter, 2);
        } else {
            QCOMPARE(captionAtOnce, u"誤答再試験"_s);
            QVERIFY(openAfter);
            QCOMPARE(modeAfter, 1);
            QCOMPARE(countAfter, u"1"_s);
        }
        QCOMPARE(quits, 0);
    }
};

QTEST_MAIN(TestLearnerRoad)
#include "test_learnerroad.moc"
