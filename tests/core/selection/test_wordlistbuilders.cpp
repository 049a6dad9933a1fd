#include "core/selection/wordlistbuilders.h"
#include "testsupport.h"

#include "core/browse/rankings.h"

#include <QDate>

#include <QSet>
#include <QTest>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

// What is wrong with the list's shape: it must hold exactly count slots of
// distinct word keys, or one slot holding 0 when nothing was found.
QString shapeError(const Tovak& t)
{
    if (t.CurrentWordCount == 0)
        return t.CurrentWordList == QList<qint16>{0} ? QString() : u"empty result is not one slot holding 0"_s;
    if (t.CurrentWordList.size() != t.CurrentWordCount)
        return u"list size differs from the count"_s;
    QSet<int> keys;
    for (qint16 k : t.CurrentWordList) {
        if (k < 1 || k > LastWordKey || keys.contains(k))
            return QStringLiteral("bad or repeated key %1").arg(k);
        keys.insert(k);
    }
    return {};
}

QSet<int> resultOf(const Tovak& t)
{
    QSet<int> keys;
    for (int p = 0; p < t.CurrentWordCount; ++p)
        keys.insert(t.CurrentWordList[p]);
    return keys;
}

int tkeyOf(const Tovak& t, const QString& pinyin)
{
    for (int k = 1; k <= t.db.lastWordKey(); ++k) {
        if (t.db.word(k, WordField::Pinyin) == pinyin)
            return k;
    }
    return -1;
}

} // namespace

class TestWordListBuilders : public QObject {
    Q_OBJECT

  private slots:
    void counts_data();
    void counts();
    void everyToneItemFindsSeven();
    void toneItemsFindOnlyTwoCharacterWords();
    void uWordsFoundByToneDigits();
    void genresLeaveOutUngroupedWords();
    void freeTextCaseAndDigits();
    void weakPoints_data();
    void weakPoints();
    void weakPointsEmptyBeforeAnyDrill();
    void randomDrawsDistinctWords_data();
    void randomDrawsDistinctWords();
    void randomRefusesOrClampsOddTexts_data();
    void randomRefusesOrClampsOddTexts();
    void resultIsShuffled();
    void shuffleKeepsEmptyList();
    void dueWordsInReviewOrder_data();
    void dueWordsInReviewOrder();
};

void TestWordListBuilders::counts_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    const auto row = [](const char* name, SearchKind k, const QString& text, int n) {
        QTest::newRow(name) << static_cast<int>(k) << text << n;
    };
    row("empty free text finds all", SearchKind::FreeWord, QString(), 500);
    row("no match", SearchKind::FreeWord, u"zzzq"_s, 0);
    row("genre 社会生活", SearchKind::Genre, u"社会生活"_s, 58);
    row("unknown genre", SearchKind::Genre, u"宇宙"_s, 0);
    row("genre caption row", SearchKind::Genre, u"ジャンル"_s, 0);
    row("2文字", SearchKind::Charnum, u"2文字"_s, 429);
    row("4文字", SearchKind::Charnum, u"4文字"_s, 3);
    row("1声＋軽声", SearchKind::TonePattern, u"1声＋軽声"_s, 14);
    row("4声＋4声", SearchKind::TonePattern, u"4声＋4声"_s, 52);
}

void TestWordListBuilders::counts()
{
    QFETCH(int, kind);
    QFETCH(QString, text);
    QFETCH(int, expected);
    TestState s;
    runSearch(*s.tovak, static_cast<SearchKind>(kind), text);
    QCOMPARE(s.tovak->CurrentWordCount, expected);
    QVERIFY2(shapeError(*s.tovak).isEmpty(), qPrintable(shapeError(*s.tovak)));
}

void TestWordListBuilders::everyToneItemFindsSeven()
{
    TestState s;
    const QStringList& items = searchItems(SearchKind::TonePattern);
    QCOMPARE(items.size(), 20);
    for (const QString& item : items) {
        searchTonePattern(*s.tovak, item);
        QVERIFY2(s.tovak->CurrentWordCount >= 7, qPrintable(item));
    }
}

void TestWordListBuilders::toneItemsFindOnlyTwoCharacterWords()
{
    TestState s;
    QSet<int> seen;
    for (const QString& item : searchItems(SearchKind::TonePattern)) {
        searchTonePattern(*s.tovak, item);
        for (int k : resultOf(*s.tovak)) {
            QCOMPARE(s.tovak->db.word(k, WordField::CharCount), u"2"_s);
            QVERIFY2(!seen.contains(k), "a word matches two tone items");
            seen.insert(k);
        }
    }
}

void TestWordListBuilders::uWordsFoundByToneDigits()
{
    TestState s;
    searchTonePattern(*s.tovak, u"3声＋2声"_s);
    QVERIFY(resultOf(*s.tovak).contains(430)); // 旅行 lu:3you2
    searchTonePattern(*s.tovak, u"3声＋3声"_s);
    QVERIFY(resultOf(*s.tovak).contains(495)); // 旅館 lu:3guan3
}

void TestWordListBuilders::genresLeaveOutUngroupedWords()
{
    TestState s;
    QSet<int> all;
    for (const QString& item : searchItems(SearchKind::Genre)) {
        searchGenre(*s.tovak, item);
        all.unite(resultOf(*s.tovak));
    }
    QVERIFY(!all.contains(350)); // empty genre
    QCOMPARE(all.size(), 500 - 283 - 1);
}

void TestWordListBuilders::freeTextCaseAndDigits()
{
    TestState s;
    Tovak& t = *s.tovak;
    const int shanghai = tkeyOf(t, u"Shang4hai3"_s);
    const int shangliang = tkeyOf(t, u"shang1liang"_s);
    const int qingnian = tkeyOf(t, u"qing1nian2jie2"_s);
    QVERIFY(shanghai > 0 && shangliang > 0 && qingnian > 0);

    // Case carries nothing: either spelling finds both words.
    for (const QString& text : {u"Shang"_s, u"shang"_s}) {
        searchFreeWord(t, text);
        QVERIFY(resultOf(t).contains(shanghai));
        QVERIFY(resultOf(t).contains(shangliang));
    }
    searchFreeWord(t, u"lvyou"_s);
    QVERIFY(resultOf(t).contains(430)); // 旅游 lu:3you2
    searchFreeWord(t, u"我们 "_s);
    QVERIFY(resultOf(t).contains(tkeyOf(t, u"wo3men"_s))); // by its characters, not its translation

    searchFreeWord(t, u"4"_s);
    const QSet<int> found = resultOf(t);
    QVERIFY(found.contains(qingnian)); // by its translation "青年節（5月4日の祝日）"
    for (int k = 1; k <= 500; ++k) {
        if (t.db.word(k, WordField::Pinyin).contains(u'4'))
            QVERIFY2(found.contains(k), qPrintable(t.db.word(k, WordField::Pinyin)));
    }
}

void TestWordListBuilders::weakPoints_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QList<int>>("expected");
    // Words 1: 1 of 3, 2: 1 of 2, 3: 0 of 1 in the pinyin drill; word 4 never
    // tried there but often in the translation drill, with 0 right.
    QTest::newRow("pinyin 50") << u"ピンイン正答率50%以下"_s << QList<int>{1, 2, 3};
    QTest::newRow("pinyin 40") << u"ピンイン正答率40%以下"_s << QList<int>{1, 3};
    QTest::newRow("pinyin 30") << u"ピンイン正答率30%以下"_s << QList<int>{3};
    QTest::newRow("pinyin 10") << u"ピンイン正答率10%以下"_s << QList<int>{3};
    QTest::newRow("translation 10") << u"日訳正答率10%以下"_s << QList<int>{4};
    QTest::newRow("no number") << u"ピンイン正答率%以下"_s << QList<int>{};
}

void TestWordListBuilders::weakPoints()
{
    QFETCH(QString, item);
    QFETCH(QList<int>, expected);
    TestState s;
    Statistics& st = s.tovak->stats;
    const auto set = [&](CounterList l, int tkey, int v) {
        st.WordStats[static_cast<int>(l)][tkey] = QString::number(v);
    };
    set(CounterList::P_NOGPT, 1, 3);
    set(CounterList::P_NORPT, 1, 1);
    set(CounterList::P_NOGPT, 2, 2);
    set(CounterList::P_NORPT, 2, 1);
    set(CounterList::P_NOGPT, 3, 1);
    set(CounterList::R_NOGPT, 4, 9);
    set(CounterList::P2_NOGPT, 5, 9); // tone drill results are no weak point
    searchWeakpoint(*s.tovak, item);
    const QList<int> found = resultOf(*s.tovak).values();
    QCOMPARE(QSet<int>(found.begin(), found.end()), QSet<int>(expected.begin(), expected.end()));
}

void TestWordListBuilders::weakPointsEmptyBeforeAnyDrill()
{
    TestState s;
    for (const QString& item : searchItems(SearchKind::Weakpoint)) {
        searchWeakpoint(*s.tovak, item);
        QCOMPARE(s.tovak->CurrentWordCount, 0);
        QVERIFY(shapeError(*s.tovak).isEmpty());
    }
}

void TestWordListBuilders::randomDrawsDistinctWords_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("expected");
    QTest::newRow("5問") << u"5問"_s << 5;
    QTest::newRow("40問") << u"40問"_s << 40;
}

void TestWordListBuilders::randomDrawsDistinctWords()
{
    QFETCH(QString, item);
    QFETCH(int, expected);
    TestState s;
    searchRandom(*s.tovak, item);
    const QSet<int> first = resultOf(*s.tovak);
    QVERIFY2(shapeError(*s.tovak).isEmpty(), qPrintable(shapeError(*s.tovak)));
    QCOMPARE(first.size(), expected);
    searchRandom(*s.tovak, item);
    QCOMPARE(resultOf(*s.tovak).size(), expected);
    QVERIFY(resultOf(*s.tovak) != first);
}

void TestWordListBuilders::randomRefusesOrClampsOddTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    QTest::newRow("too many") << u"900問"_s << 500;
    QTest::newRow("zero") << u"0問"_s << 0;
    QTest::newRow("negative") << u"-3問"_s << 0;
    QTest::newRow("no number") << u"問"_s << 0;
    QTest::newRow("prompt") << u"問題数を選んでください"_s << 0;
}

void TestWordListBuilders::randomRefusesOrClampsOddTexts()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    TestState s;
    searchRandom(*s.tovak, text);
    QCOMPARE(s.tovak->CurrentWordCount, expected);
    QVERIFY2(shapeError(*s.tovak).isEmpty(), qPrintable(shapeError(*s.tovak)));
}

void TestWordListBuilders::resultIsShuffled()
{
    TestState s;
    searchGenre(*s.tovak, u"社会生活"_s);
    const QList<qint16> list = s.tovak->CurrentWordList;
    QVERIFY(list.size() > 2);
    QVERIFY(!std::is_sorted(list.begin(), list.end()));
}

void TestWordListBuilders::shuffleKeepsEmptyList()
{
    TestState s;
    s.tovak->CurrentWordList = {0};
    shuffleWordList(*s.tovak);
    QCOMPARE(s.tovak->CurrentWordList, QList<qint16>{0});

    s.tovak->CurrentWordList = {5, 6, 7, 8, 9, 10, 11};
    shuffleWordList(*s.tovak);
    QList<qint16> sorted = s.tovak->CurrentWordList;
    std::sort(sorted.begin(), sorted.end());
    QCOMPARE(sorted, (QList<qint16>{5, 6, 7, 8, 9, 10, 11}));
}

QTEST_GUILESS_MAIN(TestWordListBuilders)
#include "test_wordlistbuilders.moc"

void TestWordListBuilders::dueWordsInReviewOrder_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QList<int>>("after");
    // Word 7 is the most forgotten; the tie group (1 to 6) follows in rank order;
    // word 9 falls due tomorrow, word 10 within the week, word 8 not at all.
    QTest::newRow("today") << u"今日の復習"_s << QList<int>{};
    QTest::newRow("tomorrow") << u"明日までに復習"_s << QList<int>{9};
    QTest::newRow("this week") << u"今週中に復習"_s << QList<int>{9, 10};
    QTest::newRow("no such item") << u"来月"_s << QList<int>{-1};
}

void TestWordListBuilders::dueWordsInReviewOrder()
{
    QFETCH(QString, item);
    QFETCH(QList<int>, after);
    TestState s;
    Tovak& t = *s.tovak;
    const qint32 today = static_cast<qint32>(QDate::currentDate().toJulianDay());
    ReviewTable reviews{};
    for (size_t w = 1; w <= 6; ++w)
        reviews[w] = reviewState(today - 10, 5);
    reviews[7] = reviewState(today - 10, 2);
    reviews[8] = reviewState(today, 10);
    reviews[9] = reviewState(today - 5, 5.5);
    reviews[10] = reviewState(today - 1, 4);
    QVERIFY(writeReviewIni(s.iniPath(), reviews));
    QVERIFY(t.stats.loadStatistics());

    // The rank as the overall ranking list shows it: its best character's position.
    buildRanking(t, 1);
    const QList<qint16> ranking = t.CurrentCharList;
    const auto rankOf = [&](int tkey) {
        qsizetype best = ranking.size();
        for (int ckey : t.db.wordCKeys(tkey)) {
            const qsizetype p = ranking.indexOf(static_cast<qint16>(ckey));
            if (p >= 0)
                best = qMin(best, p);
        }
        return best;
    };
    QList<int> ties = {1, 2, 3, 4, 5, 6};
    std::stable_sort(ties.begin(), ties.end(), [&](int a, int b) { return rankOf(a) < rankOf(b); });
    QVERIFY2(ties != (QList<int>{1, 2, 3, 4, 5, 6}), "the tie group must not be in key order already");

    QList<int> expected = QList<int>{7} + ties + after;
    if (after == QList<int>{-1})
        expected.clear();
    runSearch(t, SearchKind::Review, item);
    QCOMPARE(shapeError(t), QString());
    QCOMPARE(QList<int>(t.CurrentWordList.begin(), t.CurrentWordList.begin() + t.CurrentWordCount), expected);
}
