// The drill screens and the answer list as a learner uses them: pages and
// empty rows, answers kept across pages, grading from the last page, the
// retest, the repeated grade press, pages never shown, keys while a box has
// the focus, choices by mouse and key, "ü", Back and the mascot.
#include "drilldriver.h"
#include "testsupport.h"

#include "core/speechservice.h"
#include "ui/drills/drillscreen.h"
#include "ui/drills/frmListDui.h"
#include "ui/menu/frmTOC.h"
#include "ui/messagebox.h"
#include "ui/pictures.h"
#include "ui/screenregistry.h"

#include "core/pinyin.h"

#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

#include <map>

using namespace Qt::Literals::StringLiterals;

namespace {

QColor colourOf(QLabel* l)
{
    return l->palette().color(QPalette::WindowText);
}

QLabel* choiceOf(QWidget* drill, int row, int j)
{
    return labelOf(drill, u"lblJp%1(%2)"_s.arg(j + 1).arg(row));
}

// What the page shows as answered: the box texts, or the blue choice per row.
QStringList shownAnswers(QWidget* drill)
{
    QStringList out;
    for (int r = 0; r < pageSizeOf(drill); ++r) {
        if (drill->objectName() != QLatin1String("frmListR")) {
            out << boxOf(drill, r)->text();
            continue;
        }
        QString blue;
        for (int j = 0; j < 4; ++j) {
            if (colourOf(choiceOf(drill, r, j)) == QColor(0, 0, 255))
                blue += QString::number(j);
        }
        out << blue;
    }
    return out;
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QImage shown(QLabel* l)
{
    return l->pixmap().toImage();
}

} // namespace

class TestDrillScreens : public QObject, public ScreenFixture {
    Q_OBJECT
  private slots:
    void init() { setUp(true); }
    void cleanup() { tearDown(); }

    void pagesAndEmptyRows_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("words");
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("rowsOnLast");
        QTest::newRow("tone 12") << u"frmListP2"_s << 12 << 1 << 12;
        QTest::newRow("tone 13") << u"frmListP2"_s << 13 << 2 << 1;
        QTest::newRow("pinyin 13") << u"frmListP1"_s << 13 << 2 << 1;
        QTest::newRow("choice 10") << u"frmListR"_s << 10 << 1 << 10;
        QTest::newRow("choice 11") << u"frmListR"_s << 11 << 2 << 1;
        QTest::newRow("answer list 13") << u"frmListDui"_s << 13 << 2 << 1;
        QTest::newRow("answer list 40") << u"frmListDui"_s << 40 << 4 << 4;
    }
    void pagesAndEmptyRows()
    {
        QFETCH(QString, name);
        QFETCH(int, words);
        QFETCH(int, pages);
        QFETCH(int, rowsOnLast);
        Tovak& t = *state->tovak;
        openOn(t, firstWords(words));
        ScreenBase* s = &loadScreen(name);
        s->show();
        const int size = pageSizeOf(s);
        QCOMPARE(labelOf(s, u"lblCount"_s)->text(), QString::number(words));
        QCOMPARE(labelOf(s, u"lblTPagenum"_s)->text(), u"/"_s + QString::number(pages));
        QCOMPARE(s->button(u"Next"_s)->isVisible(), pages > 1);
        QVERIFY(!s->button(u"Before"_s)->isVisible());
        QTest::keyClick(s, Qt::Key_PageUp); // no page before the first
        QCOMPARE(t.CurrentPage, 1);
        for (int p = 1; p <= pages; ++p) // one more than there are pages
            QTest::keyClick(s, Qt::Key_PageDown);
        QCOMPARE(labelOf(s, u"lblCPagenum"_s)->text(), QString::number(pages));
        QVERIFY(!s->button(u"Next"_s)->isVisible());
        QCOMPARE(s->button(u"Before"_s)->isVisible(), pages > 1);

        for (int r = 0; r < size; ++r) {
            const bool filled = r < rowsOnLast;
            const QString number = filled ? QString::number((pages - 1) * size + r + 1) + u'.' : QString();
            QCOMPARE(labelOf(s, u"lblNo(%1)"_s.arg(r))->text(), number);
            for (int j = 1; j <= 4; ++j)
                QCOMPARE(labelOf(s, u"imgTovak%1(%2)"_s.arg(j).arg(r))->pixmap().isNull(), !filled);
            if (auto* box = s->findChild<QLineEdit*>(u"txtTerm(%1)"_s.arg(r)))
                QCOMPARE(box->isVisible(), filled);
            if (name == u"frmListDui"_s)
                QCOMPARE(labelOf(s, u"lblAnswer(%1)"_s.arg(r))->isVisible(), filled);
            if (name == u"frmListR"_s)
                QCOMPARE(choiceOf(s, r, 0)->text().isEmpty(), !filled);
        }
    }

    void theAnswerListReadsWithoutChanging()
    {
        Tovak& t = *state->tovak;
        openOn(t, {186, 23});
        auto& list = screens->screen<frmListDui>();
        // A one-character word: one glyph, then three empty glyph pictures.
        QCOMPARE(labelOf(&list, u"lblAnswer(0)"_s)->text(), u"ma"_s);
        QCOMPARE(labelOf(&list, u"lblJp(0)"_s)->text(), u"　(助詞:疑問文の最後につく)"_s);
        QCOMPARE(shown(labelOf(&list, u"imgTovak2(0)"_s)), loadGlyph(NoChar).toImage());
        QCOMPARE(labelOf(&list, u"lblAnswer(1)"_s)->text(), u"xue2xiao4"_s);
        QVERIFY(!list.button(u"Grade"_s));
        QTest::keyClick(&list, Qt::Key_F5);
        QTest::keyClick(&list, Qt::Key_Escape);
        QCOMPARE(t.CurrentWordList, (QList<qint16>{186, 23}));
        QCOMPARE(t.CurrentWordCount, 2);
        QCOMPARE(t.stats.questions, 0);
        QVERIFY(!QFile::exists(state->iniPath()));
    }

    void answersSurvivePagingAndGradingCoversEveryPage_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("tone") << u"frmListP2"_s;
        QTest::newRow("pinyin") << u"frmListP1"_s;
        QTest::newRow("choice") << u"frmListR"_s;
    }
    void answersSurvivePagingAndGradingCoversEveryPage()
    {
        QFETCH(QString, name);
        Tovak& t = *state->tovak;
        openOn(t, firstWords(20));
        DrillScreen& d = loadDrill(*screens, name);
        d.show();
        const int size = pageSizeOf(&d);
        answerPage(&d, t, [](int) { return true; });
        const QStringList page1 = shownAnswers(&d);
        QTest::keyClick(&d, Qt::Key_PageDown);
        answerPage(&d, t, [](int) { return false; });
        QTest::keyClick(&d, Qt::Key_PageUp);
        QCOMPARE(shownAnswers(&d), page1);

        // Graded from page 2: page 1's answers count too.
        QTest::keyClick(&d, Qt::Key_PageDown);
        QTest::keyClick(&d, Qt::Key_F5);
        QCOMPARE(labelOf(&d, u"lblScore"_s)->text(), u"%1／20点"_s.arg(size));
        QVERIFY(labelOf(&d, u"lblScore"_s)->isVisible());
        QCOMPARE(d.button(u"Grade"_s)->caption()->text(), u"誤答再試験"_s);
        QCOMPARE(shown(labelOf(&d, u"imgMark(0)"_s)), Pictures::maruBatu(2).toImage());
        if (size == 12) {
            QVERIFY(labelOf(&d, u"imgMark(11)"_s)->pixmap().isNull()); // no word in that row
            QLineEdit* box = boxOf(&d, 0);
            QVERIFY(box->isReadOnly() && box->isEnabled());
            QCOMPARE(labelOf(&d, u"lblAnswer(0)"_s)->text(), t.db.word(t.CurrentWordList[size], WordField::Pinyin));
            QVERIFY(labelOf(&d, u"lblAnswer(0)"_s)->isVisible());
        }
        QTest::keyClick(&d, Qt::Key_PageUp);
        QCOMPARE(shown(labelOf(&d, u"imgMark(0)"_s)), Pictures::maruBatu(1).toImage());

        // The retest: the wrong words only, unanswered, on one page.
        passTime(&d);
        clickButton(&d, u"Grade"_s);
        QCOMPARE(labelOf(&d, u"lblCount"_s)->text(), QString::number(20 - size));
        QCOMPARE(labelOf(&d, u"lblTPagenum"_s)->text(), u"/1"_s);
        QCOMPARE(d.button(u"Grade"_s)->caption()->text(), u"採点"_s);
        QVERIFY(!labelOf(&d, u"lblScore"_s)->isVisible());
        QVERIFY(!labelOf(&d, u"imgMark(0)"_s)->isVisible());
        QCOMPARE(shownAnswers(&d).mid(0, 20 - size), QStringList(20 - size, QString()));
        if (size == 12)
            QVERIFY(!boxOf(&d, 0)->isReadOnly());
    }

    // A second press right after a grading (a double click, a repeated F5 or
    // Space) must not throw the marks away, whatever it reaches; a later one acts as before.
    void gradePressesSoonAfterAGrading_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("allRight");
        QTest::addColumn<bool>("retestFirst"); // the second press follows the retest's start
        QTest::addColumn<QString>("press");    // a key (F5, Esc, Space, Enter) or the control clicked
        QTest::addColumn<int>("afterMs");
        QTest::addColumn<int>("mode"); // DrillMode afterwards
        QTest::addColumn<bool>("stillOpen");
        QTest::newRow("tone F5 at once") << u"frmListP2"_s << false << false << u"F5"_s << 0 << 4 << true;
        QTest::newRow("pinyin button at 999 ms")
            << u"frmListP1"_s << false << false << u"imgGrade"_s << 999 << 4 << true;
        QTest::newRow("choice caption at 300 ms")
            << u"frmListR"_s << false << false << u"lblGrade"_s << 300 << 4 << true;
        QTest::newRow("tone button after 1 s: retest")
            << u"frmListP2"_s << false << false << u"imgGrade"_s << 1000 << 1 << true;
        QTest::newRow("all right F5 at once stays") << u"frmListP2"_s << true << false << u"F5"_s << 0 << 2 << true;
        QTest::newRow("all right F5 after 1 s closes")
            << u"frmListR"_s << true << false << u"F5"_s << 1500 << 2 << false;
        QTest::newRow("double click on the retest")
            << u"frmListP1"_s << false << true << u"imgGrade"_s << 100 << 1 << true;
        // Graded with Space on the grade button, which then hides: the focus must not pass to 戻る.
        QTest::newRow("all right Space at 300 ms") << u"frmListP2"_s << true << false << u"Space"_s << 300 << 2 << true;
        QTest::newRow("all right Enter at 300 ms") << u"frmListR"_s << true << false << u"Enter"_s << 300 << 2 << true;
        QTest::newRow("all right Esc at 300 ms") << u"frmListP1"_s << true << false << u"Esc"_s << 300 << 2 << true;
        QTest::newRow("all right 戻る at 300 ms") << u"frmListR"_s << true << false << u"imgBack"_s << 300 << 2 << true;
        QTest::newRow("all right its caption at 999 ms")
            << u"frmListP2"_s << true << false << u"lblBack"_s << 999 << 2 << true;
        QTest::newRow("all right 戻る after 1 s closes")
            << u"frmListP2"_s << true << false << u"imgBack"_s << 1000 << 2 << false;
        QTest::newRow("wrong Space at 300 ms keeps the marks")
            << u"frmListR"_s << false << false << u"Space"_s << 300 << 4 << true;
    }
    void gradePressesSoonAfterAGrading()
    {
        QFETCH(QString, name);
        QFETCH(bool, allRight);
        QFETCH(bool, retestFirst);
        QFETCH(QString, press);
        QFETCH(int, afterMs);
        QFETCH(int, mode);
        QFETCH(bool, stillOpen);
        Tovak& t = *state->tovak;
        openOn(t, firstWords(5));
        DrillScreen& d = loadDrill(*screens, name);
        d.show();
        passTime(&d, 0);
        answerAll(&d, t, [allRight](int p) { return allRight || p != 0; });
        const std::map<QString, int> keys = {{u"F5"_s, Qt::Key_F5},
                                             {u"Esc"_s, Qt::Key_Escape},
                                             {u"Space"_s, Qt::Key_Space},
                                             {u"Enter"_s, Qt::Key_Return}};
        if (press == u"Space"_s || press == u"Enter"_s) {
            labelOf(&d, u"imgGrade"_s)->setFocus(Qt::TabFocusReason);
            QTest::keyClick(labelOf(&d, u"imgGrade"_s), Qt::Key_Space);
            QCOMPARE(d.focusWidget(), labelOf(&d, u"lblScore"_s));
        } else {
            clickButton(&d, u"Grade"_s);
        }
        if (retestFirst) {
            passTime(&d);
            clickButton(&d, u"Grade"_s);
            QCOMPARE(t.DrillMode, 1);
        }
        const QString score = labelOf(&d, u"lblScore"_s)->text();
        const qint64 questions = t.stats.questions;
        const QByteArray saved = readFile(state->iniPath());

        passTime(&d, afterMs);
        if (keys.count(press))
            QTest::keyClick(d.focusWidget() ? d.focusWidget() : &d, Qt::Key(keys.at(press)));
        else
            QTest::mouseClick(labelOf(&d, press), Qt::LeftButton);
        QCOMPARE(t.DrillMode, mode);
        QCOMPARE(d.isVisible(), stillOpen);
        QCOMPARE(readFile(state->iniPath()), saved);
        QCOMPARE(t.stats.questions, questions);
        if (stillOpen && mode != 1) { // the marks and the score stay
            QVERIFY(labelOf(&d, u"lblScore"_s)->isVisible());
            QCOMPARE(labelOf(&d, u"lblScore"_s)->text(), score);
            QVERIFY(labelOf(&d, u"imgMark(0)"_s)->isVisible());
        }
        if (d.isVisible())
            d.ScreenBase::back();
    }

    // Words on pages never shown are graded wrong and saved: the learner is asked first.
    void gradingWithUnseenPagesAsks_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("words");
        QTest::addColumn<bool>("everyPageShown");
        QTest::addColumn<int>("answer"); // 0: no box expected
        QTest::addColumn<int>("mode");
        QTest::newRow("tone, page 2 unseen, No") << u"frmListP2"_s << 13 << false << int(QMessageBox::No) << 1;
        QTest::newRow("tone, page 2 unseen, Yes") << u"frmListP2"_s << 13 << false << int(QMessageBox::Yes) << 4;
        QTest::newRow("choice, page 2 unseen, No") << u"frmListR"_s << 11 << false << int(QMessageBox::No) << 1;
        QTest::newRow("pinyin, every page shown") << u"frmListP1"_s << 13 << true << 0 << 4;
        QTest::newRow("choice, one page") << u"frmListR"_s << 10 << false << 0 << 4;
    }
    void gradingWithUnseenPagesAsks()
    {
        QFETCH(QString, name);
        QFETCH(int, words);
        QFETCH(bool, everyPageShown);
        QFETCH(int, answer);
        QFETCH(int, mode);
        Tovak& t = *state->tovak;
        openOn(t, firstWords(words));
        DrillScreen& d = loadDrill(*screens, name);
        d.show();
        answerPage(&d, t, [](int p) { return p != 0; });
        if (everyPageShown) {
            QTest::keyClick(&d, Qt::Key_PageDown);
            QTest::keyClick(&d, Qt::Key_PageUp);
        }
        const QStringList answers = shownAnswers(&d);
        if (answer != 0)
            MsgBox::setNextAnswer(static_cast<QMessageBox::StandardButton>(answer));
        QTest::keyClick(&d, Qt::Key_F5);
        QVERIFY(!MsgBox::hasPendingAnswer());
        QCOMPARE(MsgBox::shownCount(), answer != 0 ? 1 : 0);
        const int unseen = words - pageSizeOf(&d);
        if (answer != 0) {
            QCOMPARE(MsgBox::last().text,
                     u"表示していないページ（%1問）は採点されません。採点しますか？"_s.arg(unseen));
            QCOMPARE(MsgBox::last().buttonTexts, (QStringList{u"はい"_s, u"いいえ"_s}));
            QCOMPARE(MsgBox::last().defaultButtonText, u"いいえ"_s);
        }
        QCOMPARE(t.DrillMode, mode);
        if (mode == 1) { // exactly as it was: nothing graded, nothing saved
            QCOMPARE(shownAnswers(&d), answers);
            QVERIFY(!labelOf(&d, u"lblScore"_s)->isVisible());
            QCOMPARE(d.button(u"Grade"_s)->caption()->text(), u"採点"_s);
            QCOMPARE(t.stats.questions, 0);
            QVERIFY(!QFile::exists(state->iniPath()));
        } else {
            QCOMPARE(t.stats.questions, everyPageShown || answer == 0 ? words : words - unseen);
            QVERIFY(QFile::exists(state->iniPath()));
            // The page never shown before the grading: its words say they were not graded.
            QTest::keyClick(&d, Qt::Key_PageDown);
            QCOMPARE(labelOf(&d, u"imgMark(0)"_s)->text(), unseen > 0 && !everyPageShown ? u"未解答"_s : QString());
        }
    }

    // Keys 1 to 4 choose in the row whose choice has the focus, as a click would.
    void choiceKeysChooseInTheFocusedRow_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("allRightFirst");
        QTest::addColumn<QString>("rowAnswer"); // the blue choices of that row afterwards
        QTest::newRow("row 0, key 3") << 0 << int(Qt::Key_3) << false << u"2"_s;
        QTest::newRow("row 4, key 1") << 4 << int(Qt::Key_1) << false << u"0"_s;
        QTest::newRow("row 9, key 4") << 9 << int(Qt::Key_4) << false << u"3"_s;
        QTest::newRow("row 2, key 5 chooses nothing") << 2 << int(Qt::Key_5) << false << QString();
        QTest::newRow("frozen after all right") << 1 << int(Qt::Key_2) << true << QString();
    }
    void choiceKeysChooseInTheFocusedRow()
    {
        QFETCH(int, row);
        QFETCH(int, key);
        QFETCH(bool, allRightFirst);
        QFETCH(QString, rowAnswer);
        Tovak& t = *state->tovak;
        openOn(t, firstWords(10));
        DrillScreen& d = loadDrill(*screens, u"frmListR"_s);
        d.show();
        d.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        QString frozen;
        if (allRightFirst) {
            answerPage(&d, t, [](int) { return true; });
            QTest::keyClick(&d, Qt::Key_F5);
            frozen = shownAnswers(&d)[row];
            rowAnswer = frozen;
        }
        // Tab reaches the choices row by row, four to a row.
        choiceOf(&d, row, 1)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key));
        QStringList expected = shownAnswers(&d);
        expected[row] = rowAnswer;
        QCOMPARE(shownAnswers(&d), expected);
        // The mouse still chooses as before.
        if (!allRightFirst) {
            QTest::mouseClick(choiceOf(&d, row, 1), Qt::LeftButton);
            QCOMPARE(shownAnswers(&d)[row], u"1"_s);
        }
    }

    // Without a focused row the keys answer the first unanswered one; each key moves on a row.
    void choiceKeysMoveOnRowByRow()
    {
        Tovak& t = *state->tovak;
        openOn(t, firstWords(10));
        DrillScreen& d = loadDrill(*screens, u"frmListR"_s);
        d.show();
        d.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        d.setFocus();
        for (Qt::Key k : {Qt::Key_2, Qt::Key_3, Qt::Key_1})
            QTest::keyClick(QApplication::focusWidget(), k);
        QCOMPARE(shownAnswers(&d).mid(0, 4), (QStringList{u"1"_s, u"2"_s, u"0"_s, QString()}));
        QCOMPARE(QApplication::focusWidget(), choiceOf(&d, 3, 0));
        // A row chosen out of turn, then the first gap again once nothing has the focus.
        choiceOf(&d, 8, 2)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_4);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_4);
        QCOMPARE(shownAnswers(&d).mid(8, 2), (QStringList{u"3"_s, u"3"_s}));
        QCOMPARE(QApplication::focusWidget(), choiceOf(&d, 9, 3)); // the last row keeps it
        d.setFocus();
        QTest::keyClick(&d, Qt::Key_1);
        QCOMPARE(shownAnswers(&d)[3], u"0"_s);
    }

    // Pinyin is shown with "ü" where it is stored with "u:"; grading reads the stored form.
    void pinyinShownWithUmlaut()
    {
        Tovak& t = *state->tovak;
        QCOMPARE(t.db.word(210, WordField::Pinyin), u"lu:4shi1"_s);
        openOn(t, {210, 23});
        auto& list = screens->screen<frmListDui>();
        QCOMPARE(labelOf(&list, u"lblAnswer(0)"_s)->text(), u"lü4shi1"_s);
        screens->unload(list);

        DrillScreen& tone = loadDrill(*screens, u"frmListP2"_s);
        tone.show();
        QCOMPARE(labelOf(&tone, u"lblPinyin(0)"_s)->text(), u"lü shi "_s);
        QTest::keyClicks(boxOf(&tone, 0), u"41"_s);
        QTest::keyClicks(boxOf(&tone, 1), u"24"_s);
        QTest::keyClick(&tone, Qt::Key_F5);
        QCOMPARE(labelOf(&tone, u"lblScore"_s)->text(), u"2／2点"_s);
        QCOMPARE(labelOf(&tone, u"lblAnswer(0)"_s)->text(), u"lü4shi1"_s);
        screens->unload(tone);

        openOn(t, {210});
        DrillScreen& typed = loadDrill(*screens, u"frmListP1"_s);
        typed.show();
        QTest::keyClicks(boxOf(&typed, 0), u"lv4shi1"_s);
        QTest::keyClick(&typed, Qt::Key_F5);
        QCOMPARE(labelOf(&typed, u"lblScore"_s)->text(), u"1／1点"_s);
        QCOMPARE(labelOf(&typed, u"lblAnswer(0)"_s)->text(), u"lü4shi1"_s);
    }

    void allRightHidesTheGradeButtonAndF5ThenCloses_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("score");
        QTest::newRow("tone") << u"frmListP2"_s << u"12／12点"_s;
        QTest::newRow("pinyin") << u"frmListP1"_s << u"12／12点"_s;
        QTest::newRow("choice") << u"frmListR"_s << u"10／10点"_s;
    }
    void allRightHidesTheGradeButtonAndF5ThenCloses()
    {
        QFETCH(QString, name);
        QFETCH(QString, score);
        Tovak& t = *state->tovak;
        openOn(t, firstWords(name == u"frmListR"_s ? 10 : 12));
        QString shownScore;
        bool gradeHidden = false, closedByF5 = false;
        screens->setShownHook([&](ScreenBase& s) {
            answerAll(&s, t, [](int) { return true; });
            QTest::keyClick(&s, Qt::Key_F5);
            shownScore = labelOf(&s, u"lblScore"_s)->text();
            gradeHidden = !s.button(u"Grade"_s)->isVisible();
            passTime(&s);
            QTest::keyClick(&s, Qt::Key_F5);
            closedByF5 = !s.isVisible();
            if (!closedByF5)
                s.ScreenBase::back(); // never left waiting
        });
        QVERIFY(screens->exec(loadDrill(*screens, name), nullptr));
        QCOMPARE(shownScore, score);
        QVERIFY(gradeHidden);
        QVERIFY(closedByF5);
        QCOMPARE(t.DrillMode, 2);
    }

    void keysWhileABoxHasTheFocus()
    {
        Tovak& t = *state->tovak;
        openOn(t, firstWords(13));
        DrillScreen& d = loadDrill(*screens, u"frmListP2"_s);
        d.show();
        d.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        QLineEdit* first = boxOf(&d, 0);
        QCOMPARE(QApplication::focusWidget(), first);
        QVERIFY(first->inputMethodHints().testFlag(Qt::ImhLatinOnly));
        // Tab runs down the left column, then down the right one.
        for (int r = 1; r < 12; ++r) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), boxOf(&d, r));
        }
        first->setFocus();
        QTest::keyClicks(first, u"24"_s);
        QTest::keyClick(first, Qt::Key_Return);
        QTest::keyClick(first, Qt::Key_Enter);
        QCOMPARE(t.DrillMode, 1);
        QVERIFY(d.isVisible());
        QTest::keyClick(first, Qt::Key_PageDown);
        QCOMPARE(t.CurrentPage, 2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp);
        QCOMPARE(first->text(), u"24"_s);
        QTest::keyClick(first, Qt::Key_F5);
        QCOMPARE(t.DrillMode, 4);
        QTest::keyClicks(first, u"9"_s); // locked
        QCOMPARE(first->text(), u"24"_s);
        passTime(&d);
        QTest::keyClick(first, Qt::Key_Escape);
        QVERIFY(!d.isVisible());
    }

    void byEarTheFocusedRowSpeaksItsWord_data()
    {
        QTest::addColumn<QString>("drill");
        QTest::addColumn<bool>("byEar");
        QTest::newRow("tone drill by ear") << u"frmListP2"_s << true;
        QTest::newRow("pinyin drill by ear") << u"frmListP1"_s << true;
        QTest::newRow("tone drill by eye") << u"frmListP2"_s << false;
    }
    void byEarTheFocusedRowSpeaksItsWord()
    {
        QFETCH(QString, drill);
        QFETCH(bool, byEar);
        Tovak& t = *state->tovak;
        // A stand-in for the synthesizer that writes down each text it is given.
        QTemporaryDir dir;
        const QString said = dir.filePath(u"said.txt"_s);
        const QString program = dir.filePath(u"say"_s);
        QFile script(program);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\ncat >> '" + said.toUtf8() + "'\n");
        script.close();
        QVERIFY(script.setPermissions(script.permissions() | QFile::ExeOwner));
        screens->voice().service().setSynthProgram(program);
        // The stand-in gives no sound back: the learner is told once, in a box answered here.
        MsgBox::setNextAnswer(QMessageBox::Ok);
        const auto saidLines = [&] { return QString::fromLatin1(readFile(said)).split(u'\n', Qt::SkipEmptyParts); };
        const auto wordOf = [&](int row) {
            const int w = t.CurrentWordList[row];
            return speechPinyin(t.db.word(w, WordField::Pinyin), t.db.wordCKeys(w));
        };

        openOn(t, firstWords(12));
        t.Listening = byEar;
        DrillScreen& d = loadDrill(*screens, drill);
        d.show();
        d.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        QCOMPARE(labelOf(&d, u"lblListening"_s)->isVisible(), byEar);
        QCOMPARE(labelOf(&d, u"imgTovak1(0)"_s)->pixmap().isNull(), byEar);
        QCOMPARE(labelOf(&d, u"lblJp(0)"_s)->text().isEmpty(), byEar);
        if (!byEar) {
            QTest::keyClick(boxOf(&d, 0), Qt::Key_F6);
            QTest::qWait(200);
            QVERIFY(saidLines().isEmpty());
            d.close();
            return;
        }
        // The first box takes the focus as the drill opens: its word plays.
        QTRY_COMPARE_WITH_TIMEOUT(saidLines().size(), 1, 5000);
        QVERIFY(saidLines().at(0).contains(wordOf(0)));
        QTest::keyClick(boxOf(&d, 0), Qt::Key_Tab);
        QTRY_COMPARE_WITH_TIMEOUT(saidLines().size(), 2, 5000);
        QVERIFY(saidLines().at(1).contains(wordOf(1)));
        // F6 speaks the focused row's word again.
        QTest::keyClick(boxOf(&d, 1), Qt::Key_F6);
        QTRY_COMPARE_WITH_TIMEOUT(saidLines().size(), 3, 5000);
        QVERIFY(saidLines().at(2).contains(wordOf(1)));

        // Nothing was heard: F5 grades nothing, the words stay hidden.
        QVERIFY(d.button(u"Grade"_s)->isGreyed());
        QTest::keyClick(boxOf(&d, 1), Qt::Key_F5);
        QCOMPARE(t.DrillMode, 1);
        QVERIFY(labelOf(&d, u"imgTovak1(0)"_s)->pixmap().isNull());
        d.close();
    }

    void aMissingSynthesizerIsToldOnceByEar()
    {
        Tovak& t = *state->tovak;
        screens->voice().service().setSynthProgram(u"/nonexistent"_s);
        MsgBox::setNextAnswer(QMessageBox::Ok);
        openOn(t, firstWords(12));
        t.Listening = true;
        DrillScreen& d = loadDrill(*screens, u"frmListP2"_s);
        d.show();
        d.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        QTRY_COMPARE_WITH_TIMEOUT(MsgBox::shownCount(), 1, 5000);
        QCOMPARE(MsgBox::last().text, SpeechService::missingProgramSentence());
        QTest::keyClick(boxOf(&d, 0), Qt::Key_F6);
        QTest::keyClick(boxOf(&d, 0), Qt::Key_Tab);
        QTest::qWait(200);
        QCOMPARE(MsgBox::shownCount(), 1);
        d.close();
    }

    void backDiscardsUngradedAnswersAndOnlyTheChoiceDrillMovesTheMascot_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("mascot");
        QTest::newRow("tone") << u"frmListP2"_s << 1;
        QTest::newRow("pinyin") << u"frmListP1"_s << 1;
        QTest::newRow("choice") << u"frmListR"_s << 3;
    }
    void backDiscardsUngradedAnswersAndOnlyTheChoiceDrillMovesTheMascot()
    {
        QFETCH(QString, name);
        QFETCH(int, mascot);
        Tovak& t = *state->tovak;
        finishStartup(*screens);
        QCOMPARE(shownMainMenu(*screens)->pandaNumber(), 1);
        // Coverage computed since start-up: the menu's numbers change at once, the mascot waits.
        t.stats.pinyinCoverage = 80;
        t.stats.translationCoverage = 75;
        emit t.stats.coverageChanged();
        openOn(t, firstWords(5));
        screens->setShownHook([&](ScreenBase& s) {
            answerPage(&s, t, [](int) { return true; });
            MsgBox::setNextAnswer(QMessageBox::Yes); // leave without grading
            clickButton(&s, u"Back"_s);
            if (s.isVisible())
                s.ScreenBase::back();
        });
        QVERIFY(screens->exec(loadDrill(*screens, name), shownMainMenu(*screens)));
        QCOMPARE(shownMainMenu(*screens)->pandaNumber(), mascot);
        QCOMPARE(t.stats.questions, 0);
        QVERIFY(!QFile::exists(state->iniPath()));
    }

    // Back over answers no grading has counted asks first; No keeps the drill as it was.
    void backOverUngradedAnswersAsks_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("answered"); // rows answered: 0 none, 1 on page 2 only
        QTest::addColumn<bool>("graded");
        QTest::addColumn<int>("key"); // 0: a click on 戻る
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("stillOpen");
        const int no = QMessageBox::No, yes = QMessageBox::Yes;
        QTest::newRow("typed, Esc, No") << u"frmListP2"_s << 2 << false << int(Qt::Key_Escape) << no << true << true;
        QTest::newRow("typed, 戻る, Yes") << u"frmListP1"_s << 2 << false << 0 << yes << true << false;
        QTest::newRow("chosen on page 2, Esc, No")
            << u"frmListR"_s << 1 << false << int(Qt::Key_Escape) << no << true << true;
        QTest::newRow("chosen, 戻る, Yes") << u"frmListR"_s << 2 << false << 0 << yes << true << false;
        QTest::newRow("nothing typed") << u"frmListP2"_s << 0 << false << int(Qt::Key_Escape) << 0 << false << false;
        QTest::newRow("already graded") << u"frmListP1"_s << 2 << true << 0 << 0 << false << false;
    }
    void backOverUngradedAnswersAsks()
    {
        QFETCH(QString, name);
        QFETCH(int, answered);
        QFETCH(bool, graded);
        QFETCH(int, key);
        QFETCH(int, answer);
        QFETCH(bool, asked);
        QFETCH(bool, stillOpen);
        Tovak& t = *state->tovak;
        openOn(t, firstWords(15));
        DrillScreen& d = loadDrill(*screens, name);
        d.show();
        if (answered == 2)
            answerPage(&d, t, [](int p) { return p != 0; });
        QTest::keyClick(&d, Qt::Key_PageDown);
        if (answered == 1)
            answerPage(&d, t, [](int p) { return p != 0; });
        if (graded) {
            QTest::keyClick(&d, Qt::Key_F5);
            passTime(&d);
        }
        const QStringList answers = shownAnswers(&d);
        if (answer != 0)
            MsgBox::setNextAnswer(static_cast<QMessageBox::StandardButton>(answer));
        if (key != 0)
            QTest::keyClick(&d, Qt::Key(key));
        else
            clickButton(&d, u"Back"_s);
        QVERIFY(!MsgBox::hasPendingAnswer());
        QCOMPARE(MsgBox::shownCount(), asked ? 1 : 0);
        if (asked) {
            QCOMPARE(MsgBox::last().text, u"解答はまだ採点されていません。採点せずに戻りますか？"_s);
            QCOMPARE(MsgBox::last().defaultButtonText, u"いいえ"_s);
        }
        QCOMPARE(d.isVisible(), stillOpen);
        if (stillOpen) {
            QCOMPARE(shownAnswers(&d), answers);
            QCOMPARE(t.CurrentPage, 2);
            d.ScreenBase::back();
        }
        QCOMPARE(t.stats.questions, graded ? 15 : 0);
    }

    void choicesReactAsTheStateAllows()
    {
        Tovak& t = *state->tovak;
        openOn(t, firstWords(20));
        DrillScreen& d = loadDrill(*screens, u"frmListR"_s);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        const QColor black(0, 0, 0), blue(0, 0, 255), red(255, 0, 0);
        QTest::mouseClick(choiceOf(&d, 0, 0), Qt::LeftButton);
        QTest::mouseClick(choiceOf(&d, 0, 2), Qt::LeftButton);
        QCOMPARE(shownAnswers(&d).first(), u"2"_s);

        // The choice under the mouse is framed, one per row, until the bare form.
        const auto framed = [&](int row, int j) { return choiceOf(&d, row, j)->frameShape() == QFrame::Box; };
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(choiceOf(&d, 0, 1), &enter);
        QCoreApplication::sendEvent(choiceOf(&d, 0, 3), &enter);
        QVERIFY(!framed(0, 1) && framed(0, 3));
        QTest::mouseMove(&d, {5, 590});
        QTRY_VERIFY(!framed(0, 3));

        // Graded with errors: clicks recolour, but the graded page comes back.
        answerAll(&d, t, [](int p) { return p != 0; });
        QTest::keyClick(&d, Qt::Key_PageUp);
        QTest::keyClick(&d, Qt::Key_F5);
        const QString given = t.GivenAnswers[0];
        const int right = static_cast<int>(t.ChoiceSets[0].indexOf(t.db.word(1, WordField::Translation)));
        const int wrong = given.toInt();
        QCOMPARE(colourOf(choiceOf(&d, 0, right)), red);
        QCOMPARE(colourOf(choiceOf(&d, 0, wrong)), blue);
        QTest::mouseClick(choiceOf(&d, 0, right), Qt::LeftButton);
        QCOMPARE(colourOf(choiceOf(&d, 0, right)), blue);
        QCOMPARE(colourOf(choiceOf(&d, 0, wrong)), black);
        QTest::keyClick(&d, Qt::Key_PageDown);
        QTest::keyClick(&d, Qt::Key_PageUp);
        QCOMPARE(t.GivenAnswers[0], given);
        QCOMPARE(colourOf(choiceOf(&d, 0, right)), red);

        // All right: the choices no longer react, not even to hovering.
        openOn(t, firstWords(3));
        d.init();
        answerPage(&d, t, [](int) { return true; });
        QTest::keyClick(&d, Qt::Key_F5);
        QCOMPARE(t.DrillMode, 2);
        const QStringList before = shownAnswers(&d);
        const int other = (static_cast<int>(t.ChoiceSets[0].indexOf(t.db.word(1, WordField::Translation))) + 1) % 4;
        QTest::mouseClick(choiceOf(&d, 0, other), Qt::LeftButton);
        QCoreApplication::sendEvent(choiceOf(&d, 0, other), &enter);
        QCOMPARE(shownAnswers(&d), before);
        QVERIFY(!framed(0, other));
    }

    void f1OpensTheScreensHelpPage_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("byEar");
        QTest::addColumn<int>("page");
        QTest::newRow("tone") << u"frmListP2"_s << false << 4;
        QTest::newRow("pinyin") << u"frmListP1"_s << false << 4;
        QTest::newRow("tone by ear") << u"frmListP2"_s << true << 8;
        QTest::newRow("pinyin by ear") << u"frmListP1"_s << true << 8;
        QTest::newRow("choice") << u"frmListR"_s << false << 5;
        QTest::newRow("answer list") << u"frmListDui"_s << false << 0;
    }
    void f1OpensTheScreensHelpPage()
    {
        QFETCH(QString, name);
        QFETCH(bool, byEar);
        QFETCH(int, page);
        Tovak& t = *state->tovak;
        t.Listening = byEar;
        openOn(t, firstWords(3));
        int shownPage = -1;
        screens->setShownHook([&](ScreenBase& s) {
            if (s.objectName() == u"frmHelp"_s) {
                shownPage = t.HelpPage;
            } else {
                t.HelpPage = -1;
                QTest::keyClick(&s, Qt::Key_F1);
            }
            s.ScreenBase::back();
        });
        QVERIFY(screens->exec(loadScreen(name), nullptr));
        QCOMPARE(shownPage, page);
    }

  private:
    // A drill, prepared, or the answer list, which prepares itself.
    ScreenBase& loadScreen(const QString& name)
    {
        if (name == u"frmListDui"_s)
            return screens->screen<frmListDui>();
        return loadDrill(*screens, name);
    }
};

QTEST_MAIN(TestDrillScreens)
#include "test_drillscreens.moc"
