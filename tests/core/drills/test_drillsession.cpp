#include "core/drills/answerlist.h"
#include "core/drills/choicedrill.h"
#include "core/drills/drillsession.h"
#include "core/drills/typeddrill.h"
#include "core/pinyin.h"
#include "drilldriver.h"
#include "testsupport.h"

#include <QFile>
#include <QTest>

#include <algorithm>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

// A deliberate press: later than the repeat guard after the one before.
qint64 later()
{
    static qint64 now = 0;
    return now += DrillSession::RepeatGuardMs;
}

std::unique_ptr<DrillSession> sessionFor(Tovak& t, DrillKind kind)
{
    if (kind == DrillKind::TranslationDrill)
        return std::make_unique<ChoiceDrillSession>(t);
    return std::make_unique<TypedDrillSession>(t, kind);
}

// Answers the page shown: right for rows where right(position) holds, wrong otherwise.
template <typename Right> void answerPage(DrillSession& session, Right right)
{
    Tovak& t = session.state();
    for (int r = 0; r < session.pageSize(); ++r) {
        if (!session.rowHasWord(r))
            continue;
        const int p = session.positionOf(r);
        const int w = t.CurrentWordList[p];
        if (auto* typed = dynamic_cast<TypedDrillSession*>(&session)) {
            typed->setBoxText(r, right(p) ? typed->expectedAnswer(w) : u"x"_s);
        } else {
            auto& choice = dynamic_cast<ChoiceDrillSession&>(session);
            const int own = static_cast<int>(t.ChoiceSets[p].indexOf(t.db.word(w, WordField::Translation)));
            choice.choose(r, right(p) ? own : (own + 1) % 4);
        }
    }
}

template <typename Right> void answerAll(DrillSession& session, Right right)
{
    answerPage(session, right);
    while (session.nextPage())
        answerPage(session, right);
}

long blueCount(const ChoiceRow& row)
{
    return std::count(row.colours.begin(), row.colours.end(), ChoiceColour::Blue);
}

qint64 counter(const Tovak& t, CounterList l, int tkey)
{
    return t.stats.counter(l, tkey);
}

} // namespace

class TestDrillSession : public QObject {
    Q_OBJECT

  private slots:
    void paging_data();
    void paging();
    void typedRowContent();
    void answersKeptAcrossPages_data();
    void answersKeptAcrossPages();
    void allWrongAndAllRight_data();
    void allWrongAndAllRight();
    void answerRulesInDrills_data();
    void answerRulesInDrills();
    void runningRate_data();
    void runningRate();
    void totalsSaturate();
    void gradingSavesAndUpdatesCoverage();
    void retestAfterThreeWrong_data();
    void retestAfterThreeWrong();
    void countersStayWithTheirDrill_data();
    void countersStayWithTheirDrill();
    void byEarRowsHideGlyphsUntilGraded_data();
    void byEarRowsHideGlyphsUntilGraded();
    void choiceColoursAfterGrading();
    void emptyRowsCarryNoChoiceFromThePageBefore();
    void answerListReadsTheListAsItStands();
    void repeatedPressesAreDropped_data();
    void repeatedPressesAreDropped();
    void unseenPagesAreKnownUntilShown();
    void unseenPagesAreLeftOutOfTheGrading_data();
    void unseenPagesAreLeftOutOfTheGrading();
};

void TestDrillSession::paging_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("words");
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("rowsOnLastPage");
    const int tone = static_cast<int>(DrillKind::ToneDrill);
    const int choice = static_cast<int>(DrillKind::TranslationDrill);
    QTest::newRow("typed 12") << tone << 12 << 1 << 12;
    QTest::newRow("typed 13") << tone << 13 << 2 << 1;
    QTest::newRow("typed 500") << tone << 500 << 42 << 8;
    QTest::newRow("choice 10") << choice << 10 << 1 << 10;
    QTest::newRow("choice 11") << choice << 11 << 2 << 1;
}

void TestDrillSession::paging()
{
    QFETCH(int, kind);
    QFETCH(int, words);
    QFETCH(int, pages);
    QFETCH(int, rowsOnLastPage);
    TestState s;
    Tovak& t = *s.tovak;
    openOn(t, firstWords(words));
    auto session = sessionFor(t, static_cast<DrillKind>(kind));
    session->init();
    QCOMPARE(t.PageCount, pages);
    QCOMPARE(t.GivenAnswers.size(), words + 1); // the spare slot
    QCOMPARE(session->pageCountText(), u"/"_s + QString::number(pages));
    QVERIFY(!session->previousPage());
    QCOMPARE(session->pageButtons().before, false);
    QCOMPARE(session->pageButtons().next, pages > 1);
    while (session->nextPage()) {
    }
    QCOMPARE(t.CurrentPage, pages);
    QCOMPARE(session->pageButtons().next, false);
    QCOMPARE(session->pageButtons().before, pages > 1);
    int filled = 0;
    for (int r = 0; r < session->pageSize(); ++r)
        filled += session->rowHasWord(r) ? 1 : 0;
    QCOMPARE(filled, rowsOnLastPage);
    if (auto* typed = dynamic_cast<TypedDrillSession*>(session.get()))
        QCOMPARE(typed->rowsOnPage(), rowsOnLastPage == 12 ? 11 : rowsOnLastPage);
}

void TestDrillSession::typedRowContent()
{
    TestState s;
    Tovak& t = *s.tovak;
    QList<qint16> words = firstWords(12);
    words.append(23); // 学校 xue2xiao4, alone on page 2
    openOn(t, words);
    TypedDrillSession tone(t, DrillKind::ToneDrill);
    tone.init();
    tone.nextPage();
    const TypedRow row = tone.row(0);
    QCOMPARE(row.number, u"13."_s);
    QCOMPARE(row.translation, u"　学校"_s);
    QCOMPARE(row.syllables, u"xue xiao "_s);
    QCOMPARE(row.glyphs[0], t.db.wordCKeys(23)[0]);
    QCOMPARE(row.mark, MarkState::None);
    QVERIFY(!row.answerVisible);
    QVERIFY(!tone.row(1).hasWord);
    QCOMPARE(tone.row(1).glyphs[0], 0);

    tone.setBoxText(0, u"24"_s);
    QCOMPARE(tone.pressGrade(later()), GradeOutcome::Graded);
    QCOMPARE(tone.row(0).mark, MarkState::Correct);
    QCOMPARE(tone.row(0).answer, u"xue2xiao4"_s);
    QVERIFY(tone.boxesLocked());
    tone.setBoxText(0, u"99"_s);
    QCOMPARE(tone.row(0).boxText, u"24"_s);

    TypedDrillSession pinyin(t, DrillKind::PinyinDrill);
    t.DrillMode = 1;
    pinyin.init();
    pinyin.nextPage();
    QVERIFY(pinyin.row(0).syllables.isEmpty());
}

void TestDrillSession::answersKeptAcrossPages_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("tone") << static_cast<int>(DrillKind::ToneDrill);
    QTest::newRow("choice") << static_cast<int>(DrillKind::TranslationDrill);
}

void TestDrillSession::answersKeptAcrossPages()
{
    QFETCH(int, kind);
    TestState s;
    Tovak& t = *s.tovak;
    openOn(t, firstWords(30));
    auto session = sessionFor(t, static_cast<DrillKind>(kind));
    session->init();
    answerPage(*session, [](int p) { return p == 0 || p == 3; });
    session->nextPage();
    session->previousPage();
    QVERIFY(!t.GivenAnswers[0].isEmpty());
    if (auto* typed = dynamic_cast<TypedDrillSession*>(session.get()))
        QCOMPARE(typed->row(0).boxText, typed->expectedAnswer(t.CurrentWordList[0]));
    else
        QCOMPARE(blueCount(dynamic_cast<ChoiceDrillSession*>(session.get())->row(0)), 1);

    // Graded from the last page: page 1's answers count, the unvisited middle
    // page is graded as unanswered.
    session->nextPage();
    session->nextPage();
    answerPage(*session, [](int) { return true; });
    const int lastPageRows = 30 - 2 * session->pageSize();
    QCOMPARE(session->pressGrade(later()), GradeOutcome::Graded);
    QCOMPARE(t.CorrectCount, 2 + lastPageRows);
}

void TestDrillSession::allWrongAndAllRight_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("right");
    QTest::addColumn<QString>("score");
    QTest::addColumn<int>("mode");
    const int tone = static_cast<int>(DrillKind::ToneDrill);
    const int pinyin = static_cast<int>(DrillKind::PinyinDrill);
    const int choice = static_cast<int>(DrillKind::TranslationDrill);
    QTest::newRow("tone wrong") << tone << false << u"0／12点"_s << 4;
    QTest::newRow("tone right") << tone << true << u"12／12点"_s << 2;
    QTest::newRow("pinyin right") << pinyin << true << u"12／12点"_s << 2;
    QTest::newRow("choice wrong") << choice << false << u"0／12点"_s << 4;
    QTest::newRow("choice right") << choice << true << u"12／12点"_s << 2;
}

void TestDrillSession::allWrongAndAllRight()
{
    QFETCH(int, kind);
    QFETCH(bool, right);
    QFETCH(QString, score);
    QFETCH(int, mode);
    TestState s;
    Tovak& t = *s.tovak;
    openOn(t, {23, 65, 430, 495, 3, 18, 93, 81, 230, 270, 493, 23}); // all with a tone digit
    auto session = sessionFor(t, static_cast<DrillKind>(kind));
    session->init();
    answerAll(*session, [right](int) { return right; });
    QVERIFY(session->gradeButtonVisible());
    QCOMPARE(session->gradeCaption(), u"採点"_s);
    QCOMPARE(session->pressGrade(later()), GradeOutcome::Graded);
    QCOMPARE(t.DrillMode, mode);
    QVERIFY(session->scoreVisible());
    QCOMPARE(session->scoreCaption(), score);
    QCOMPARE(session->gradeButtonVisible(), !right);
    if (right) {
        QCOMPARE(session->pressGrade(later()), GradeOutcome::Ignored);
        QCOMPARE(session->retestWrongAnswers(), GradeOutcome::AllSolved);
    } else {
        QCOMPARE(session->gradeCaption(), u"誤答再試験"_s);
    }
}

void TestDrillSession::answerRulesInDrills_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QList<qint16>>("words");
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QList<bool>>("results");
    const int tone = static_cast<int>(DrillKind::ToneDrill);
    const int pinyin = static_cast<int>(DrillKind::PinyinDrill);
    // ma and li have no tone digit: an empty box is their tone answer.
    QTest::newRow("tone, empty boxes") << tone << QList<qint16>{186, 118, 23} << QStringList{u""_s, u""_s, u""_s}
                                       << QList<bool>{true, true, false};
    QTest::newRow("tone, ü words") << tone << QList<qint16>{430, 495} << QStringList{u"32"_s, u"33"_s}
                                   << QList<bool>{true, true};
    QTest::newRow("pinyin, v for u:") << pinyin << QList<qint16>{430, 495, 186}
                                      << QStringList{u"lv3you2"_s, u"lu:3guan3"_s, u""_s}
                                      << QList<bool>{true, true, false};
    QTest::newRow("pinyin, any case") << pinyin << QList<qint16>{65, 65}
                                      << QStringList{u"Shang4hai3"_s, u"shang4hai3"_s} << QList<bool>{true, true};
    // 一定 yi1ding4, 一点儿 yi1dianr3, 医院 yi1yuan4: the keys say which yi is 一.
    QTest::newRow("tone, 一 changed") << tone << QList<qint16>{286, 452, 343} << QStringList{u"24"_s, u"4 3"_s, u"24"_s}
                                      << QList<bool>{true, true, false};
    QTest::newRow("pinyin, 一 changed") << pinyin << QList<qint16>{286, 452}
                                        << QStringList{u"yi2ding4"_s, u"yi4dian3r"_s} << QList<bool>{true, true};
}

void TestDrillSession::answerRulesInDrills()
{
    QFETCH(int, kind);
    QFETCH(QList<qint16>, words);
    QFETCH(QStringList, typed);
    QFETCH(QList<bool>, results);
    TestState s;
    Tovak& t = *s.tovak;
    openOn(t, words);
    TypedDrillSession drill(t, static_cast<DrillKind>(kind));
    drill.init();
    for (int r = 0; r < typed.size(); ++r)
        drill.setBoxText(r, typed[r]);
    drill.pressGrade(later());
    QCOMPARE(drill.AnswerResults, results);
    for (int r = 0; r < typed.size(); ++r)
        QCOMPARE(drill.row(r).mark, results[r] ? MarkState::Correct : MarkState::Wrong);
}

void TestDrillSession::runningRate_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("words");
    QTest::addColumn<int>("rate");
    QTest::newRow("typed 7 of 12") << static_cast<int>(DrillKind::ToneDrill) << 12 << 75;
    QTest::newRow("choice 7 of 10") << static_cast<int>(DrillKind::TranslationDrill) << 10 << 76;
    QTest::newRow("typed 7 of 10") << static_cast<int>(DrillKind::PinyinDrill) << 10 << 78;
}

void TestDrillSession::runningRate()
{
    QFETCH(int, kind);
    QFETCH(int, words);
    QFETCH(int, rate);
    TestState s;
    Tovak& t = *s.tovak;
    t.stats.rate = 80;
    t.stats.nog = 4;
    t.stats.score = 100;
    t.stats.questions = 200;
    openOn(t, firstWords(words));
    auto session = sessionFor(t, static_cast<DrillKind>(kind));
    session->init();
    answerAll(*session, [](int p) { return p < 7; });
    session->pressGrade(later());
    QCOMPARE(t.CorrectCount, 7);
    QCOMPARE(t.stats.rate, rate);
    QCOMPARE(t.stats.nog, 5);
    QCOMPARE(t.stats.score, 107);
    QCOMPARE(t.stats.questions, 200 + words);
}

void TestDrillSession::totalsSaturate()
{
    TestState s;
    Tovak& t = *s.tovak;
    t.stats.rate = 32767;
    t.stats.nog = 32767;
    t.stats.score = 32760;
    t.stats.questions = 32767;
    openOn(t, firstWords(12));
    TypedDrillSession tone(t, DrillKind::ToneDrill);
    tone.init();
    answerAll(tone, [](int) { return true; });
    tone.pressGrade(later());
    QCOMPARE(t.stats.questions, 32767);
    QCOMPARE(t.stats.score, 32767);
    QCOMPARE(t.stats.nog, 32767);
    // (100 + 32767 × 32767) ÷ 32768 overflows 16 bits on the way.
    QCOMPARE(t.stats.rate, 32766);
}

void TestDrillSession::gradingSavesAndUpdatesCoverage()
{
    TestState s;
    Tovak& t = *s.tovak;
    t.stats.WordStats[static_cast<int>(CounterList::R_NOGPT)][1] = u"abc"_s; // not a number: counts as 0
    openOn(t, firstWords(10));
    ChoiceDrillSession choice(t);
    choice.init();
    answerAll(choice, [](int) { return true; });
    QVERIFY(!QFile::exists(s.iniPath()));
    choice.pressGrade(later());
    QCOMPARE(t.stats.WordStats[static_cast<int>(CounterList::R_NOGPT)][1], u"1"_s);
    QCOMPARE(t.stats.translationCoverage, 2); // 10 words of 500

    Statistics reread(s.iniPath());
    reread.loadStatistics();
    QCOMPARE(reread.counter(CounterList::R_NORPT, 10), 1);
    QCOMPARE(reread.nog, 1);
    QCOMPARE(reread.rate, 90);
}

void TestDrillSession::retestAfterThreeWrong_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("tone") << static_cast<int>(DrillKind::ToneDrill);
    QTest::newRow("choice") << static_cast<int>(DrillKind::TranslationDrill);
}

void TestDrillSession::retestAfterThreeWrong()
{
    QFETCH(int, kind);
    const DrillKind drill = static_cast<DrillKind>(kind);
    TestState s;
    Tovak& t = *s.tovak;
    openOn(t, firstWords(20));
    auto session = sessionFor(t, drill);
    session->init();
    const QList<int> wrong = {2, 9, 17}; // positions, here also word keys - 1
    answerAll(*session, [&](int p) { return !wrong.contains(p); });
    session->pressGrade(later());
    QCOMPARE(t.CorrectCount, 17);

    QCOMPARE(session->pressGrade(later()), GradeOutcome::RetestStarted);
    QCOMPARE(t.DrillMode, 1);
    QCOMPARE(t.CurrentWordCount, 3);
    QList<qint16> words = t.CurrentWordList;
    std::sort(words.begin(), words.end());
    QCOMPARE(words, (QList<qint16>{3, 10, 18}));
    QCOMPARE(t.PageCount, 1);
    QCOMPARE(t.CurrentPage, 1);
    QCOMPARE(session->gradeCaption(), u"採点"_s);
    QCOMPARE(session->wordCountText(), u"3"_s);
    QVERIFY(!session->scoreVisible());
    QCOMPARE(t.GivenAnswers.size(), 4);
    if (drill == DrillKind::TranslationDrill)
        QCOMPARE(t.ChoiceSets.size(), 3); // new choices for the retest's words

    // The retest's grading adds to the first one's counters.
    answerAll(*session, [](int) { return true; });
    session->pressGrade(later());
    QCOMPARE(t.DrillMode, 2);
    QCOMPARE(counter(t, triesList(drill), 3), 2);
    QCOMPARE(counter(t, correctList(drill), 3), 1);
    QCOMPARE(counter(t, triesList(drill), 4), 1);
    QCOMPARE(t.stats.nog, 2);
    QCOMPARE(t.stats.questions, 23);
}

void TestDrillSession::countersStayWithTheirDrill_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("byEar");
    QTest::addColumn<int>("ownTries");
    QTest::newRow("pinyin") << static_cast<int>(DrillKind::PinyinDrill) << false << int(CounterList::P_NOGPT);
    QTest::newRow("tone") << static_cast<int>(DrillKind::ToneDrill) << false << int(CounterList::P2_NOGPT);
    QTest::newRow("choice") << static_cast<int>(DrillKind::TranslationDrill) << false << int(CounterList::R_NOGPT);
    QTest::newRow("pinyin by ear") << static_cast<int>(DrillKind::PinyinDrill) << true << int(CounterList::L_NOGPT);
    QTest::newRow("tone by ear") << static_cast<int>(DrillKind::ToneDrill) << true << int(CounterList::L2_NOGPT);
}

void TestDrillSession::countersStayWithTheirDrill()
{
    QFETCH(int, kind);
    QFETCH(bool, byEar);
    QFETCH(int, ownTries);
    const DrillKind drill = static_cast<DrillKind>(kind);
    TestState s;
    Tovak& t = *s.tovak;
    openOn(t, {23, 23}); // a word listed twice counts twice
    t.Listening = byEar;
    auto session = sessionFor(t, drill);
    session->init();
    answerAll(*session, [](int) { return true; });
    session->pressGrade(later());
    for (int l = 0; l < CounterListCount; ++l) {
        const bool own = l == ownTries || l == ownTries + 1;
        QCOMPARE(counter(t, static_cast<CounterList>(l), 23), own ? 2 : 0);
    }
    // By ear counts for no coverage; the totals take every grading.
    QCOMPARE(t.stats.coveredCount(drill), byEar ? 0 : 1);
    QCOMPARE(t.stats.questions, 2);
    QCOMPARE(t.stats.nog, 1);
}

void TestDrillSession::byEarRowsHideGlyphsUntilGraded_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("byEar");
    QTest::newRow("tone by eye") << static_cast<int>(DrillKind::ToneDrill) << false;
    QTest::newRow("tone by ear") << static_cast<int>(DrillKind::ToneDrill) << true;
    QTest::newRow("pinyin by ear") << static_cast<int>(DrillKind::PinyinDrill) << true;
}

void TestDrillSession::byEarRowsHideGlyphsUntilGraded()
{
    QFETCH(int, kind);
    QFETCH(bool, byEar);
    TestState s;
    Tovak& t = *s.tovak;
    openOn(t, {23, 65});
    t.Listening = byEar;
    TypedDrillSession session(t, static_cast<DrillKind>(kind));
    session.init();
    QCOMPARE(session.listening(), byEar);
    const auto check = [&](bool hidden) {
        for (int r = 0; r < 2; ++r) {
            const TypedRow row = session.row(r);
            QVERIFY(row.hasWord);
            QCOMPARE(row.concealed, hidden);
            QCOMPARE(row.tkey, t.CurrentWordList[r]); // the word the row speaks
            QCOMPARE(row.glyphs == t.db.wordCKeys(row.tkey), !hidden);
            QCOMPARE(row.translation.isEmpty(), hidden);
            QVERIFY(!row.number.isEmpty());
        }
    };
    check(byEar);
    answerAll(session, [](int p) { return p == 0; });
    QCOMPARE(session.pressGrade(later()), GradeOutcome::Graded);
    check(false); // grading reveals everything
    // The retest of the wrong word is by ear again.
    QCOMPARE(session.pressGrade(later()), GradeOutcome::RetestStarted);
    QCOMPARE(session.listening(), byEar);
    QCOMPARE(session.row(0).concealed, byEar);
}

void TestDrillSession::choiceColoursAfterGrading()
{
    TestState s;
    Tovak& t = *s.tovak;
    openOn(t, {23, 65});
    ChoiceDrillSession choice(t);
    choice.init();
    const int own = static_cast<int>(t.ChoiceSets[0].indexOf(t.db.word(23, WordField::Translation)));
    const int other = (own + 1) % 4;
    choice.choose(0, own);
    choice.choose(0, other); // the second click replaces the first
    QCOMPARE(choice.selection(0), other);
    choice.pressGrade(later());
    ChoiceRow row = choice.row(0);
    QCOMPARE(row.mark, MarkState::Wrong);
    QCOMPARE(row.colours[static_cast<size_t>(own)], ChoiceColour::Red);
    QCOMPARE(row.colours[static_cast<size_t>(other)], ChoiceColour::Blue);
    QCOMPARE(blueCount(choice.row(1)), 0); // unanswered

    // After a grading with wrong answers a click recolours but is never recorded.
    choice.choose(0, own);
    QCOMPARE(t.GivenAnswers[0], QString::number(other));
    QCOMPARE(t.DrillMode, 4);
}

void TestDrillSession::emptyRowsCarryNoChoiceFromThePageBefore()
{
    TestState s;
    Tovak& t = *s.tovak;
    openOn(t, firstWords(11));
    ChoiceDrillSession choice(t);
    choice.init();
    choice.choose(5, 2);
    QVERIFY(choice.nextPage());
    QVERIFY(!choice.rowHasWord(5));
    QCOMPARE(blueCount(choice.row(5)), 0);
    QCOMPARE(choice.selection(5), int(ChoiceDrillSession::NoChoice));
    QVERIFY(choice.previousPage());
    QCOMPARE(choice.selection(5), 2);
}

void TestDrillSession::answerListReadsTheListAsItStands()
{
    TestState s;
    Tovak& t = *s.tovak;
    QList<qint16> words = firstWords(12);
    words.prepend(186);
    openOn(t, words);
    t.GivenAnswers = QStringList(20, u"9"_s); // left by a drill before
    AnswerListSession list(t);
    list.load();
    QCOMPARE(t.PageCount, 2);
    QCOMPARE(t.GivenAnswers, QStringList(14, QString()));
    const AnswerRow ma = list.row(0);
    QCOMPARE(ma.number, u"1."_s);
    QCOMPARE(ma.pinyin, u"ma"_s);
    QCOMPARE(ma.translation, u"　(助詞:疑問文の最後につく)"_s);
    QVERIFY(list.nextPage());
    QVERIFY(list.row(0).hasWord);
    QVERIFY(!list.row(1).hasWord);
    QVERIFY(list.row(1).pinyin.isEmpty());
    QCOMPARE(t.CurrentWordList, words);
}

void TestDrillSession::unseenPagesAreLeftOutOfTheGrading_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("words");
    QTest::addColumn<int>("pagesShown");
    QTest::addColumn<int>("wrong"); // the one position answered wrong, or -1
    QTest::addColumn<QString>("score");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("retested");
    const int tone = static_cast<int>(DrillKind::ToneDrill), choice = static_cast<int>(DrillKind::TranslationDrill);
    QTest::newRow("tone, 19 words, page 1") << tone << 19 << 1 << 1 << u"12問中11問正解（未表示 7問）"_s << 4 << 1;
    QTest::newRow("tone, pages 1 and 2 of 3") << tone << 30 << 2 << 13 << u"24問中23問正解（未表示 6問）"_s << 4 << 1;
    QTest::newRow("tone, all asked right") << tone << 19 << 1 << -1 << u"12問中12問正解（未表示 7問）"_s << 2 << 0;
    QTest::newRow("choice, 19 words, page 1") << choice << 19 << 1 << 1 << u"10問中9問正解（未表示 9問）"_s << 4 << 1;
    QTest::newRow("choice, every page") << choice << 19 << 2 << 1 << u"18／19点"_s << 4 << 1;
}

void TestDrillSession::unseenPagesAreLeftOutOfTheGrading()
{
    QFETCH(int, kind);
    QFETCH(int, words);
    QFETCH(int, pagesShown);
    QFETCH(int, wrong);
    QFETCH(QString, score);
    QFETCH(int, mode);
    QFETCH(int, retested);
    TestState s;
    Tovak& t = *s.tovak;
    const QList<qint16> list = {23, 65, 430, 495, 3,  18, 93, 81, 230, 270, 493, 24, 25, 26, 27,
                                28, 29, 30,  31,  32, 33, 34, 35, 36,  37,  38,  39, 40, 41, 42};
    openOn(t, list.mid(0, words));
    auto session = sessionFor(t, static_cast<DrillKind>(kind));
    session->init();
    const auto right = [wrong](int p) { return p != wrong; };
    answerPage(*session, right);
    for (int page = 2; page <= pagesShown; ++page) {
        QVERIFY(session->nextPage());
        answerPage(*session, right);
    }
    const int asked = qMin(words, pagesShown * session->pageSize());
    QCOMPARE(session->pressGrade(later()), GradeOutcome::Graded);
    QCOMPARE(session->scoreCaption(), score);
    QCOMPARE(t.DrillMode, mode);
    QCOMPARE(session->unaskedCount(), words - asked);
    QCOMPARE(t.stats.questions, asked);
    const CounterList tries = triesList(static_cast<DrillKind>(kind));
    for (int p = 0; p < words; ++p) {
        const qint16 w = t.CurrentWordList[p];
        QCOMPARE(counter(t, tries, w), p < asked ? 1 : 0);
        QCOMPARE(t.stats.WordReviews[static_cast<size_t>(w)].hasState, p < asked);
        QCOMPARE(session->wasAsked(p), p < asked);
    }
    // Every page looked at after the grading shows the words left out as such.
    while (session->previousPage()) {
    }
    do {
        for (int r = 0; r < session->pageSize(); ++r) {
            if (!session->rowHasWord(r))
                continue;
            const int p = session->positionOf(r);
            const MarkState mark = p >= asked ? MarkState::Unasked : p == wrong ? MarkState::Wrong : MarkState::Correct;
            if (auto* typed = dynamic_cast<TypedDrillSession*>(session.get()))
                QCOMPARE(typed->row(r).mark, mark);
            else
                QCOMPARE(dynamic_cast<ChoiceDrillSession&>(*session).row(r).mark, mark);
        }
    } while (session->nextPage());
    // The retest asks again what was answered wrong, not what was never asked.
    if (retested == 0) {
        QCOMPARE(session->pressGrade(later()), GradeOutcome::Ignored);
        QCOMPARE(session->retestWrongAnswers(), GradeOutcome::AllSolved);
        return;
    }
    QCOMPARE(session->pressGrade(later()), GradeOutcome::RetestStarted);
    QCOMPARE(t.CurrentWordCount, retested);
    QCOMPARE(t.CurrentWordList.first(), list[wrong]);
}

QTEST_GUILESS_MAIN(TestDrillSession)
#include "test_drillsession.moc"

void TestDrillSession::repeatedPressesAreDropped_data()
{
    QTest::addColumn<QList<int>>("times"); // ms of each press
    QTest::addColumn<QList<int>>("outcomes");
    const int graded = int(GradeOutcome::Graded), repeated = int(GradeOutcome::Repeated),
              retest = int(GradeOutcome::RetestStarted);
    QTest::newRow("at once") << QList<int>{5000, 5000} << QList<int>{graded, repeated};
    QTest::newRow("at 999 ms") << QList<int>{5000, 5999} << QList<int>{graded, repeated};
    QTest::newRow("at 1000 ms") << QList<int>{5000, 6000} << QList<int>{graded, retest};
    QTest::newRow("double click on the retest")
        << QList<int>{5000, 7000, 7200, 8200} << QList<int>{graded, retest, repeated, graded};
}

void TestDrillSession::repeatedPressesAreDropped()
{
    QFETCH(QList<int>, times);
    QFETCH(QList<int>, outcomes);
    TestState s;
    Tovak& t = *s.tovak;
    openOn(t, firstWords(5));
    TypedDrillSession session(t, DrillKind::ToneDrill);
    session.init();
    answerAll(session, [](int p) { return p != 0; });
    for (int i = 0; i < times.size(); ++i) {
        const qint64 questions = t.stats.questions;
        QCOMPARE(int(session.pressGrade(times[i])), outcomes[i]);
        if (outcomes[i] == int(GradeOutcome::Repeated))
            QCOMPARE(t.stats.questions, questions);
    }
}

void TestDrillSession::unseenPagesAreKnownUntilShown()
{
    TestState s;
    Tovak& t = *s.tovak;
    openOn(t, firstWords(30)); // three pages of twelve
    TypedDrillSession session(t, DrillKind::PinyinDrill);
    session.init();
    QVERIFY(session.gradingSkipsUnseenPages());
    session.nextPage();
    session.previousPage();
    QVERIFY(session.gradingSkipsUnseenPages()); // page 3 still unseen
    session.nextPage();
    session.nextPage();
    QVERIFY(!session.gradingSkipsUnseenPages());
    QCOMPARE(session.pressGrade(later()), GradeOutcome::Graded);
    QVERIFY(!session.gradingSkipsUnseenPages()); // the next press is the retest
    // The retest starts on fresh pages; a run of one page has nothing unseen.
    QCOMPARE(session.pressGrade(later()), GradeOutcome::RetestStarted);
    QCOMPARE(t.PageCount, 3);
    QVERIFY(session.gradingSkipsUnseenPages());
    openOn(t, firstWords(12));
    session.init();
    QVERIFY(!session.gradingSkipsUnseenPages());
}
