// The exam practice's screens: the cover's offer with and without sound, the
// sheet answered by keys and clicks, its grading with the question and the
// repeat guard, Back over open answers, reading by ear, and what a screen
// reader finds.
#include "drilldriver.h"
#include "examdriver.h"
#include "testsupport.h"

#include "core/speechservice.h"
#include "core/voice.h"
#include "ui/exam/frmExamPaper.h"
#include "ui/exam/frmMockExam.h"
#include "ui/messagebox.h"
#include "ui/screenregistry.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;

class TestFrmMockExam : public QObject, public ScreenFixture {
    Q_OBJECT
  private slots:
    void init() { setUp(true); }
    void cleanup() { tearDown(); }

    void listeningIsOfferedOnlyWithSound_data()
    {
        QTest::addColumn<bool>("sound");
        QTest::newRow("sound") << true;
        QTest::newRow("switched off") << false;
    }
    void listeningIsOfferedOnlyWithSound()
    {
        QFETCH(bool, sound);
        SpeechSettings settings = screens->voice().settings();
        settings.enabled = sound;
        QVERIFY(screens->voice().setSettings(settings));
        auto& cover = screens->screen<frmMockExam>();
        cover.show();
        QLabel* reason = labelOf(&cover, u"lblNoSound"_s);
        QCOMPARE(reason->isVisible(), !sound);
        QCOMPARE(reason->text(), screens->voice().unavailableReason());
        QStringList sheets;
        screens->setShownHook([&](ScreenBase& s) {
            sheets << s.objectName();
            s.back();
        });
        QTest::mouseClick(labelOf(&cover, u"imgSection(1)"_s), Qt::LeftButton);
        QTest::mouseClick(labelOf(&cover, u"imgSection(0)"_s), Qt::LeftButton);
        QCOMPARE(sheets, sound ? QStringList({u"frmExamPaper"_s, u"frmExamPaper"_s}) : QStringList{u"frmExamPaper"_s});
        QVERIFY2(accessibilityFaults(&cover).isEmpty(), qPrintable(accessibilityFaults(&cover).join(u'\n')));
    }

    void theSheetIsAnsweredByKeysAndClicksAndGradedOnce()
    {
        auto& sheet = openSheet(ExamSectionKind::Written);
        const ExamSession& s = sheet.session();
        // The focus opens on the sheet: keys answer item 1; a click moves them on.
        QTest::keyClick(&sheet, Qt::Key_2);
        QCOMPARE(s.answer(0).choice, 1);
        QTest::mouseClick(labelOf(&sheet, u"lblChoice1(3)"_s), Qt::LeftButton);
        QTest::keyClick(&sheet, Qt::Key_4);
        QCOMPARE(s.answer(3).choice, 3);
        QVERIFY2(accessibilityFaults(&sheet).isEmpty(), qPrintable(accessibilityFaults(&sheet).join(u'\n')));
        sheet.setFocus();
        QCOMPARE(tabOrder(&sheet).mid(0, 3), (QStringList{u"imgHelp"_s, u"imgExit"_s, u"lblChoice1(0)"_s}));

        // Open items: a question first; No changes nothing.
        MsgBox::setNextAnswer(QMessageBox::No);
        QTest::keyClick(&sheet, Qt::Key_F5);
        QCOMPARE(MsgBox::last().text, QString::fromUtf16(UnansweredQuestion));
        QVERIFY(!s.graded());

        // Every item right but item 6, a pinyin item wrong in both contrasts.
        answerSheet(sheet, [](int i) { return i != 5; });
        const int shown = MsgBox::shownCount();
        QTest::keyClick(&sheet, Qt::Key_F5);
        QCOMPARE(MsgBox::shownCount(), shown);
        QVERIFY(s.graded());
        QCOMPARE(labelOf(&sheet, u"lblScore"_s)->text(), u"18／20点"_s);
        QCOMPARE(labelOf(&sheet, u"lblGrade"_s)->text(), u"新しい問題"_s);
        QVERIFY(labelOf(&sheet, u"imgMark(5)"_s)->isVisible());
        // Each wrong spelling says what it got wrong; the right one says nothing.
        const ExamItem& item = s.item(5);
        for (int j = 0; j < 4; ++j) {
            const QString note = labelOf(&sheet, u"lblNote%1(5)"_s.arg(j + 1))->text();
            QCOMPARE(note.isEmpty(), j == item.right);
            if (item.choices[static_cast<size_t>(j)].contrasts.size() == 1)
                QCOMPARE(note, contrastName(item.choices[static_cast<size_t>(j)].contrasts[0]));
        }
        // Graded answers are frozen, and the sheet still reads well.
        QTest::mouseClick(labelOf(&sheet, u"lblChoice%1(0)"_s.arg((s.item(0).right + 1) % 4 + 1)), Qt::LeftButton);
        QCOMPARE(s.answer(0).choice, s.item(0).right);
        QVERIFY2(accessibilityFaults(&sheet).isEmpty(), qPrintable(accessibilityFaults(&sheet).join(u'\n')));

        // A second press at once is a repeat; one later asks for a new set.
        QTest::keyClick(&sheet, Qt::Key_F5);
        QVERIFY(sheet.session().graded());
        now_ += ExamSession::RepeatGuardMs;
        QTest::keyClick(&sheet, Qt::Key_F5);
        QVERIFY(!sheet.session().graded());
        QCOMPARE(labelOf(&sheet, u"lblGrade"_s)->text(), u"採点"_s);
        QVERIFY(!labelOf(&sheet, u"lblScore"_s)->isVisible());
    }

    void backOverOpenAnswersAsksFirst()
    {
        auto& sheet = openSheet(ExamSectionKind::Written);
        QTest::keyClick(&sheet, Qt::Key_1);
        MsgBox::setNextAnswer(QMessageBox::No);
        QTest::keyClick(&sheet, Qt::Key_Escape);
        QCOMPARE(MsgBox::last().text, QString::fromUtf16(UngradedBackQuestion));
        QVERIFY(sheet.isVisible());
        MsgBox::setNextAnswer(QMessageBox::Yes);
        QTest::keyClick(&sheet, Qt::Key_Escape);
        QVERIFY(!sheet.isVisible());
    }

    void byEarEachItemIsReadTwiceAndNumbersAreTyped()
    {
        if (QStandardPaths::findExecutable(u"espeak-ng"_s).isEmpty())
            QSKIP("espeak-ng is not installed (sudo apt install espeak-ng)");
        auto& sheet = openSheet(ExamSectionKind::Listening);
        QSignalSpy played(&screens->voice().service(), &SpeechService::firstSampleHandedOver);
        // Item 1 as the sheet opens, twice with a pause; then F6 once more.
        QTRY_COMPARE_WITH_TIMEOUT(played.count(), 2, 20000);
        QTest::keyClick(&sheet, Qt::Key_F6);
        QTRY_COMPARE_WITH_TIMEOUT(played.count(), 3, 10000);
        // Before grading the speaker does not give the word away.
        QCOMPARE(labelOf(&sheet, u"imgSpeaker(0)"_s)->accessibleName(), u"発音を聞く：この問題の単語"_s);

        const ExamSession& s = sheet.session();
        answerSheet(sheet, [](int i) { return i != 7; });
        // Reaching a number's box reads it.
        sheet.findChild<QLineEdit*>(u"txtAnswer(9)"_s)->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY_WITH_TIMEOUT(played.count() >= 4, 10000);
        QTest::keyClick(&sheet, Qt::Key_F5);
        QVERIFY(s.graded());
        QCOMPARE(labelOf(&sheet, u"lblScore"_s)->text(), u"45／50点"_s);
        QVERIFY(labelOf(&sheet, u"lblAnswer(7)"_s)->text().contains(s.item(7).number.answer));
        QVERIFY(sheet.findChild<QLineEdit*>(u"txtAnswer(7)"_s)->isReadOnly());
        // Once graded the heard word shows in pictures.
        QVERIFY(!labelOf(&sheet, u"imgTovak1(0)"_s)->pixmap().isNull());
    }

  private:
    frmExamPaper& openSheet(ExamSectionKind kind)
    {
        auto& sheet = screens->screen<frmExamPaper>();
        sheet.setClock([this] { return now_; });
        sheet.init(kind, results_);
        sheet.show();
        if (!QTest::qWaitForWindowExposed(&sheet))
            qFatal("sheet not exposed");
        return sheet;
    }

    ExamResults results_;
    qint64 now_ = 100'000;
};

QTEST_MAIN(TestFrmMockExam)
#include "test_frmMockExam.moc"
