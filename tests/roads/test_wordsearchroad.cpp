// The road a learner takes: main menu, word search, "4声＋4声", a drill with
// answers on two pages and a few wrong, grading with the later pages never
// shown (only the words asked are counted and scheduled), conf.ini, the retest
// of the wrong words, Back twice, and the main menu's percentages and mascot.
#include "drilldriver.h"
#include "testsupport.h"

#include "core/selection/wordlistbuilders.h"
#include "core/speechservice.h"
#include "core/voice.h"
#include "ui/menu/frmTOC.h"
#include "ui/messagebox.h"
#include "ui/screenregistry.h"

#include <QComboBox>
#include <QFile>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The value of a key's line, as written.
QByteArray valueOf(const QByteArray& ini, const QByteArray& key)
{
    for (const QByteArray& line : ini.split('\n')) {
        if (line.startsWith(key + '='))
            return line.mid(key.size() + 1).chopped(line.endsWith('\r') ? 1 : 0);
    }
    return "(missing)";
}

QByteArray counterList(const QList<int>& values)
{
    QByteArrayList items{QByteArray()}; // slot 0 belongs to no word
    for (int w = 1; w <= 500; ++w)
        items << QByteArray::number(values[w]);
    return items.join(',');
}

} // namespace

class TestWordSearchRoad : public QObject, public ScreenFixture {
    Q_OBJECT
  private slots:
    void init() { setUp(true); }
    void cleanup() { tearDown(); }

    void road_data()
    {
        QTest::addColumn<QString>("launcher");
        QTest::addColumn<QString>("drill");
        QTest::addColumn<QByteArray>("triesKey");
        QTest::addColumn<QByteArray>("rightKey");
        QTest::addColumn<int>("firstRight");
        QTest::addColumn<QByteArray>("firstRate");
        QTest::addColumn<QByteArray>("secondRate");
        QTest::addColumn<QString>("percentP");
        QTest::addColumn<QString>("percentR");
        QTest::addColumn<int>("mascot");
        // 21 of the 24 asked: 87 percent; (87 + 4 × 80) ÷ 5 = 81.4; then (100 + 5 × 81) ÷ 6 = 84.2.
        // The typed drill's Back leaves the mascot as it was (49 + 2 would give 2).
        QTest::newRow("tone drill") << u"lblP"_s << u"frmListP2"_s << QByteArray("P2_NOGPT") << QByteArray("P2_NORPT")
                                    << 21 << QByteArray(" 81") << QByteArray(" 84") << u"2"_s << u"49"_s << 1;
        // 17 of the 20 asked: (90 × 17 ÷ 20 + 4 × 80) ÷ 5 = 79.3; then (90 + 5 × 79) ÷ 6 = 80.8.
        QTest::newRow("translation drill")
            << u"imgR"_s << u"frmListR"_s << QByteArray("R_NOGPT") << QByteArray("R_NORPT") << 17 << QByteArray(" 79")
            << QByteArray(" 80") << u"0"_s << u"53"_s << 2;
    }
    void road()
    {
        QFETCH(QString, launcher);
        QFETCH(QString, drill);
        QFETCH(QByteArray, triesKey);
        QFETCH(QByteArray, rightKey);
        QFETCH(int, firstRight);
        QFETCH(QByteArray, firstRate);
        QFETCH(QByteArray, secondRate);
        QFETCH(QString, percentP);
        QFETCH(QString, percentR);
        QFETCH(int, mascot);
        Tovak& t = *state->tovak;

        // 245 words other than the 52 of 4+4 already right in the translation
        // drill: 49 percent there, mascot 1.
        searchTonePattern(t, u"4声＋4声"_s);
        const QList<qint16> toneWords = t.CurrentWordList;
        QCOMPARE(toneWords.size(), 52);
        QList<int> before(501, 0);
        for (int w = 1, covered = 0; w <= 500 && covered < 245; ++w) {
            if (!toneWords.contains(w)) {
                before[w] = 1;
                ++covered;
            }
        }
        const QByteArray head = "; kept by hand\r\n[Other]\r\nkey=value\r\n\r\n[STATISTICS]\r\nNAME=taro\r\n";
        const QByteArray rLists = "R_NOGPT=" + counterList(before) + "\r\nR_NORPT=" + counterList(before) + "\r\n";
        const QByteArray tail = "[Zzz]\r\nK=v\r\n";
        {
            QFile f(state->iniPath());
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(head + "RATE= 80\r\nNOG= 4\r\n" + rLists + "Theme=dark\r\n" + tail);
        }
        finishStartup(*screens);
        frmTOC* menu = shownMainMenu(*screens);
        QCOMPARE(labelOf(menu, u"lblMouraR"_s)->text(), u"49"_s);
        QCOMPARE(menu->pandaNumber(), 1);

        const QList<int> wrong = {1, 5, 14};
        QList<qint16> firstList;
        int pageSize = 0;
        QByteArray afterFirst;
        QString firstScore, retestCount, secondScore, countOnSearch, question, questionDefault;
        bool gradeHiddenAtTheEnd = false;
        int wordsOnSearch = 0, mascotAfterDrill = 0;
        screens->setShownHook([&](ScreenBase& s) {
            if (s.objectName() == u"frmSearch"_s) {
                auto* tones = s.findChild<QComboBox*>(u"cmbSpinyin"_s);
                tones->setCurrentIndex(tones->findText(u"4声＋4声"_s));
                clickButton(&s, u"Search(5)"_s);
                QTest::mouseClick(labelOf(&s, launcher), Qt::LeftButton);
                mascotAfterDrill = menu->pandaNumber();
                countOnSearch = labelOf(&s, u"lblCount_is"_s)->text();
                wordsOnSearch = t.CurrentWordCount;
                clickButton(&s, u"Back"_s);
            } else if (s.objectName() == drill) {
                // Two pages answered with a few wrong; the pages after them left empty.
                pageSize = pageSizeOf(&s);
                firstList = t.CurrentWordList;
                const auto right = [&](int p) { return !wrong.contains(p); };
                answerPage(&s, t, right);
                QTest::keyClick(&s, Qt::Key_PageDown);
                answerPage(&s, t, right);
                MsgBox::setNextAnswer(QMessageBox::Yes); // grade although pages 3 to 5 were never shown
                QTest::keyClick(&s, Qt::Key_F5);
                question = MsgBox::last().text;
                questionDefault = MsgBox::last().defaultButtonText;
                firstScore = labelOf(&s, u"lblScore"_s)->text();
                afterFirst = readAll(state->iniPath());
                passTime(&s);
                clickButton(&s, u"Grade"_s);
                retestCount = labelOf(&s, u"lblCount"_s)->text();
                answerAll(&s, t, [](int) { return true; });
                passTime(&s);
                QTest::keyClick(&s, Qt::Key_F5);
                secondScore = labelOf(&s, u"lblScore"_s)->text();
                gradeHiddenAtTheEnd = !s.button(u"Grade"_s)->isVisible();
                clickButton(&s, u"Back"_s);
            }
            if (s.isVisible())
                s.ScreenBase::back(); // never left waiting
        });
        QTest::mouseClick(labelOf(menu, u"imgContents(5)"_s), Qt::LeftButton);
        QVERIFY(screens->stack().isEmpty());

        const int asked = 2 * pageSize, unseen = 52 - asked;
        const int retested = asked - firstRight;
        QCOMPARE(question, u"表示していないページ（%1問）は採点されません。採点しますか？"_s.arg(unseen));
        QCOMPARE(questionDefault, u"いいえ"_s);
        QCOMPARE(firstScore, u"%1問中%2問正解（未表示 %3問）"_s.arg(asked).arg(firstRight).arg(unseen));
        QCOMPARE(retestCount, QString::number(retested));
        QCOMPARE(secondScore, u"%1／%1点"_s.arg(retested));
        QVERIFY(gradeHiddenAtTheEnd);
        // Back on the search screen: the count of the search, and its words for the launchers again.
        QCOMPARE(countOnSearch, u"52"_s);
        QCOMPARE(wordsOnSearch, 52);

        // conf.ini after the first grading: lines not ours untouched, in place.
        QVERIFY(afterFirst.startsWith(head));
        QVERIFY(afterFirst.contains("\r\nTheme=dark\r\n"));
        QVERIFY(afterFirst.endsWith(tail));
        QCOMPARE(valueOf(afterFirst, "QUESTIONS"), " " + QByteArray::number(asked));
        QCOMPARE(valueOf(afterFirst, "SCORE"), " " + QByteArray::number(firstRight));
        QCOMPARE(valueOf(afterFirst, "RATE"), firstRate);
        QCOMPARE(valueOf(afterFirst, "NOG"), QByteArray(" 5"));
        const bool choice = triesKey.startsWith('R');
        QList<int> tries = choice ? before : QList<int>(501, 0);
        QList<int> rights = tries;
        const QByteArrayList days = valueOf(afterFirst, "REVIEW_DAY").split(',');
        QCOMPARE(days.size(), 501);
        for (int p = 0; p < firstList.size(); ++p) {
            // A word never shown is neither tried nor scheduled.
            QCOMPARE(days[firstList[p]].isEmpty(), p >= asked);
            if (p >= asked)
                continue;
            ++tries[firstList[p]];
            if (!wrong.contains(p))
                ++rights[firstList[p]];
        }
        QCOMPARE(valueOf(afterFirst, triesKey), counterList(tries));
        QCOMPARE(valueOf(afterFirst, rightKey), counterList(rights));
        if (!choice)
            QVERIFY(afterFirst.contains(rLists));

        const QByteArray last = readAll(state->iniPath());
        QCOMPARE(valueOf(last, "QUESTIONS"), " " + QByteArray::number(asked + retested));
        QCOMPARE(valueOf(last, "SCORE"), " " + QByteArray::number(asked));
        QCOMPARE(valueOf(last, "RATE"), secondRate);
        QCOMPARE(valueOf(last, "NOG"), QByteArray(" 6"));

        QCOMPARE(labelOf(menu, u"lblMouraP"_s)->text(), percentP);
        QCOMPARE(labelOf(menu, u"lblMouraR"_s)->text(), percentR);
        QCOMPARE(mascotAfterDrill, mascot);
        QCOMPARE(menu->pandaNumber(), mascot);
    }

    // Without espeak-ng: main menu, word search, "4声＋4声", 聞き取り声調. No
    // drill opens, one box says what is missing, a second press only writes
    // why, and nothing is counted.
    void aDrillByEarThatCannotBeHeardDoesNotOpen()
    {
        finishStartup(*screens);
        frmTOC* menu = shownMainMenu(*screens);
        screens->voice().service().setSynthProgram(u"/nonexistent/espeak-ng"_s);
        const QByteArray before = readAll(state->iniPath());
        QStringList shown;
        QString reason;
        screens->setShownHook([&](ScreenBase& s) {
            shown << s.objectName();
            if (s.objectName() == u"frmSearch"_s) {
                auto* tones = s.findChild<QComboBox*>(u"cmbSpinyin"_s);
                tones->setCurrentIndex(tones->findText(u"4声＋4声"_s));
                clickButton(&s, u"Search(5)"_s);
                MsgBox::setNextAnswer(QMessageBox::Ok);
                QTest::mouseClick(labelOf(&s, u"lblLP"_s), Qt::LeftButton);
                QTest::mouseClick(labelOf(&s, u"lblLP"_s), Qt::LeftButton);
                reason = labelOf(&s, u"lblReason"_s)->text();
            }
            s.ScreenBase::back();
        });
        QTest::mouseClick(labelOf(menu, u"imgContents(5)"_s), Qt::LeftButton);
        QVERIFY(screens->stack().isEmpty());
        QCOMPARE(shown, QStringList{u"frmSearch"_s});
        QCOMPARE(MsgBox::shownCount(), 1);
        QCOMPARE(MsgBox::last().text, SpeechService::missingProgramSentence());
        QCOMPARE(reason, u"音声を再生できません"_s);
        QCOMPARE(readAll(state->iniPath()), before);
    }
};

QTEST_MAIN(TestWordSearchRoad)
#include "test_wordsearchroad.moc"
