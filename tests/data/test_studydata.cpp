#include "core/listutil.h"
#include "data/db.h"

#include <QFile>
#include <QHash>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <functional>

// The study tables are data, not code: these checks hold them to every figure the
// screens show, so a regenerated or replaced file that is off fails here.
class TestStudyData : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void tablesHaveTheirShape();
    void wordTableStatistics();
    void pinyinFollowsTheStoredFormat();
    void toneItemsFindEnoughWords_data();
    void toneItemsFindEnoughWords();
    void repeatedPinyinIsExactlyTheFourPairs();
    void tellingWordRows_data();
    void tellingWordRows();
    void mendedRows_data();
    void mendedRows();
    void countsAddUpAndClassesFollowTheRule();
    void characterTableStatistics();
    void tkeysListExactlyTheContainingWords();
    void readingsCoverEverySyllable();
    void tellingCharRows_data();
    void tellingCharRows();
    void rankingHeads_data();
    void rankingHeads();
    void examListFigures_data();
    void examListFigures();
    void examRepeatedKeysStandWhereShown();
    void examListsAreConsistent();
    void glyphsAreTheSimplifiedCharacters();

  private:
    QString w(int t, WordField f) const { return db.word(t, f); }
    QString c(int k, CharField f) const { return db.character(k, f); }
    int ci(int k, CharField f) const { return db.charInt(k, f); }
    QStringList wordRow(int t) const { return db.wordRecord(t).mid(0, WordFieldCount); }
    QStringList charRow(int k) const { return db.charRecord(k).mid(0, CharFieldCount); }

    DB db;
    QStringList glyph; // glyph[k] = character of ckey k
};

namespace {

int toneDigitCount(const QString& pinyin)
{
    int n = 0;
    for (QChar ch : pinyin)
        n += ch >= u'1' && ch <= u'4';
    return n;
}

// The search screen's tone string: every character below "A".
QString toneString(const QString& pinyin)
{
    QString s;
    for (QChar ch : pinyin)
        if (ch.unicode() < 65)
            s += ch;
    return s;
}

const QSet<QString>& syllableInventory()
{
    static const QSet<QString> set = [] {
        const QStringList initials = {"",  "b", "p", "m",  "f",  "d",  "t", "n", "l", "g", "k", "h",
                                      "j", "q", "x", "zh", "ch", "sh", "r", "z", "c", "s", "y", "w"};
        const QStringList finals = {"a",    "o",    "e",    "ai",  "ei",   "ao",  "ou",  "an", "en",  "ang",
                                    "eng",  "ong",  "er",   "i",   "ia",   "ie",  "iao", "iu", "ian", "in",
                                    "iang", "ing",  "iong", "u",   "ua",   "uo",  "uai", "ui", "uan", "un",
                                    "uang", "ueng", "u:",   "u:e", "u:an", "u:n", "ue"};
        QSet<QString> s;
        for (const QString& i : initials)
            for (const QString& f : finals)
                s.insert(i + f);
        return s;
    }();
    return set;
}

bool isToneDigit(QChar ch)
{
    return ch >= u'1' && ch <= u'4';
}

// Can pinyin be cut into one syllable per character so that every toned syllable
// is a reading of its character? Neutral syllables need no reading; a retroflex
// "r" before the digit ("gair4") leaves the following 儿 the bare syllable "r".
bool splitsIntoReadings(const QString& pinyin, const QList<QStringList>& readings)
{
    const QString text = pinyin.toLower();
    const int n = static_cast<int>(readings.size());
    std::function<bool(int, int)> go = [&](int pos, int i) -> bool {
        if (i == n)
            return pos == text.size();
        for (int end = std::min<int>(static_cast<int>(text.size()), pos + 7); end > pos; --end) {
            const QString syl = text.mid(pos, end - pos);
            if (!syllableInventory().contains(syl))
                continue;
            const bool toned = end < text.size() && isToneDigit(text[end]);
            const QString piece = toned ? syl + text[end] : syl;
            if ((!toned || readings[i].contains(piece)) && go(end + (toned ? 1 : 0), i + 1))
                return true;
            if (i + 1 < n && end + 1 < text.size() && text[end] == u'r' && isToneDigit(text[end + 1]) &&
                readings[i].contains(syl + text[end + 1]) && go(end + 2, i + 2))
                return true;
        }
        return false;
    };
    return go(0, 0);
}

// Importance class: 0, else count*10/largest to the nearest integer, at least 1.
int importanceClass(int count, int largest, bool* onHalf)
{
    if (count == 0)
        return 0;
    const int num = count * 10;
    const int q = num / largest;
    const int r = num % largest;
    *onHalf = *onHalf || 2 * r == largest;
    return std::max(1, q + (2 * r > largest ? 1 : 0));
}

QList<ExamEntry> entries(std::initializer_list<std::pair<int, int>> rows)
{
    QList<ExamEntry> out;
    for (auto [k, n] : rows)
        out.append({static_cast<qint16>(k), static_cast<qint16>(n)});
    return out;
}

} // namespace

// Found by argument-dependent lookup from QList's comparison, so not in the unnamed namespace.
static bool operator==(const ExamEntry& a, const ExamEntry& b)
{
    return a.ckey == b.ckey && a.count == b.count;
}

namespace QTest {
template <> char* toString(const ExamEntry& e)
{
    return qstrdup(QByteArray::number(e.ckey) + " x " + QByteArray::number(e.count));
}
} // namespace QTest

void TestStudyData::initTestCase()
{
    db.initCharTable();
    db.initWordTable();
    QFile f(QStringLiteral(":/data/glyph-chars.tsv"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 804);
    QCOMPARE(lines[0], QStringLiteral("ckey\tcharacter"));
    glyph.append(QString());
    for (int k = 1; k <= 803; ++k) {
        const QStringList row = lines[k].split(u'\t');
        QCOMPARE(row.size(), 2);
        QCOMPARE(row[0].toInt(), k);
        glyph.append(row[1]);
    }
}

void TestStudyData::tablesHaveTheirShape()
{
    QCOMPARE(db.lastWordKey(), 500);
    QCOMPARE(db.lastCharKey(), 803);
    QCOMPARE(wordRow(0),
             QStringList({"tkey", "ピンイン", "日本語訳", "ポイント", "文字数", "ジャンル", "0", "0", "0", "0"}));
    QCOMPARE(charRow(0), QStringList({"ckey", "全体", "Listen", "Read単語", "Read文", "tkeys", "全体クラス", "Listen",
                                      "Read1", "Read2", "pinyin"}));
    const QRegularExpression number(QStringLiteral("^(0|[1-9][0-9]*)$"));
    for (int t = 1; t <= 500; ++t) {
        QCOMPARE(db.wordRecord(t).size(), WordFieldCount);
        QCOMPARE(w(t, WordField::TKey), QString::number(t));
        QVERIFY(w(t, WordField::Point).isEmpty());
        const int n = db.wordInt(t, WordField::CharCount);
        QVERIFY2(n >= 1 && n <= 4, qPrintable(QString::number(t)));
        const auto keys = db.wordCKeys(t);
        for (int i = 0; i < 4; ++i) {
            QVERIFY(number.match(db.wordAt(t, 6 + i)).hasMatch());
            QVERIFY2(i < n ? keys[i] >= 1 && keys[i] <= 803 : keys[i] == NoChar, qPrintable(QString::number(t)));
        }
    }
    for (int k = 1; k <= 803; ++k) {
        QCOMPARE(db.charRecord(k).size(), CharFieldCount);
        QCOMPARE(c(k, CharField::CKey), QString::number(k));
        for (int f : {1, 2, 3, 4, 6, 7, 8, 9})
            QVERIFY2(number.match(db.characterAt(k, f)).hasMatch(), qPrintable(QString::number(k)));
    }
}

void TestStudyData::wordTableStatistics()
{
    QMap<int, int> lengths;
    QMap<QString, int> genres;
    QSet<int> distinct;
    int filled = 0;
    int neutralOrRetroflex = 0;
    for (int t = 1; t <= 500; ++t) {
        const int n = db.wordInt(t, WordField::CharCount);
        ++lengths[n];
        ++genres[w(t, WordField::Genre)];
        for (int i = 0; i < n; ++i) {
            distinct.insert(db.wordCKeys(t)[static_cast<size_t>(i)]);
            ++filled;
        }
        neutralOrRetroflex += toneDigitCount(w(t, WordField::Pinyin)) != n;
    }
    QCOMPARE(lengths, (QMap<int, int>{{1, 52}, {2, 429}, {3, 16}, {4, 3}}));
    QCOMPARE(filled, 970);
    QCOMPARE(distinct.size(), 489);
    QCOMPARE(genres, (QMap<QString, int>{{"0", 283},
                                         {"1", 58},
                                         {"2", 35},
                                         {"3", 21},
                                         {"4", 33},
                                         {"5", 23},
                                         {"6", 7},
                                         {"7", 28},
                                         {"8", 11},
                                         {"", 1}}));
    QCOMPARE(w(350, WordField::Genre), QString());
    QCOMPARE(neutralOrRetroflex, 58);
}

void TestStudyData::pinyinFollowsTheStoredFormat()
{
    // Lower-case syllables run together, a tone digit right after a toned one, ü as
    // "u:"; only the first letter of a proper noun may be a capital.
    const QRegularExpression format(QStringLiteral("^[a-zA-Z](?:[a-z]|u:)*[1-4]?(?:(?:[a-z]|u:)+[1-4]?)*$"));
    for (int t = 1; t <= 500; ++t) {
        const QString p = w(t, WordField::Pinyin);
        QVERIFY2(format.match(p).hasMatch(), qPrintable(QString::number(t) + " " + p));
        QVERIFY2(!p.contains(u'v'), qPrintable(p));
        const qsizetype len = w(t, WordField::Translation).size();
        QVERIFY2(len >= 1 && len <= 26, qPrintable(QString::number(t)));
    }
}

void TestStudyData::toneItemsFindEnoughWords_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("exactly"); // 0: at least 7
    for (QChar a : {u'1', u'2', u'3', u'4'})
        for (const char* b : {"1", "2", "3", "4", ""}) {
            const QString key = QString(a) + QLatin1String(b);
            const int exact = key == "1" ? 14 : key == "44" ? 52 : 0;
            QTest::newRow(qPrintable(QString(a) + "+" + (*b ? b : "neutral"))) << key << exact;
        }
}

void TestStudyData::toneItemsFindEnoughWords()
{
    QFETCH(QString, key);
    QFETCH(int, exactly);
    int found = 0;
    for (int t = 1; t <= 500; ++t)
        found += w(t, WordField::CharCount) == "2" && toneString(w(t, WordField::Pinyin)) == key;
    if (exactly)
        QCOMPARE(found, exactly);
    else
        QVERIFY2(found >= 7, qPrintable(QString::number(found)));
    // The colon of "u:" keeps these two out of every tone item.
    QVERIFY(toneString(w(430, WordField::Pinyin)) != key && toneString(w(495, WordField::Pinyin)) != key);
}

void TestStudyData::repeatedPinyinIsExactlyTheFourPairs()
{
    QHash<QString, QList<int>> byPinyin;
    for (int t = 1; t <= 500; ++t)
        byPinyin[w(t, WordField::Pinyin)].append(t);
    QMap<QString, QList<int>> repeated;
    for (auto it = byPinyin.cbegin(); it != byPinyin.cend(); ++it)
        if (it->size() > 1)
            repeated.insert(it.key(), *it);
    QCOMPARE(repeated,
             (QMap<QString, QList<int>>{
                 {"an1jing4", {1, 373}}, {"shi2tang2", {463, 477}}, {"zuo4", {124, 188}}, {"he2", {190, 494}}}));
    QCOMPARE(wordRow(1).mid(4), wordRow(373).mid(4));
    QCOMPARE(w(373, WordField::Translation), QStringLiteral("静かだ"));
    QCOMPARE(w(463, WordField::Translation), w(477, WordField::Translation));
    QCOMPARE(db.wordCKeys(463), db.wordCKeys(477));
    QCOMPARE(w(463, WordField::Genre) + w(477, WordField::Genre), QStringLiteral("10"));
    QCOMPARE(w(100, WordField::Translation), QStringLiteral("美しい"));
    QCOMPARE(w(377, WordField::Translation), QStringLiteral("美しい"));
}

void TestStudyData::tellingWordRows_data()
{
    QTest::addColumn<int>("tkey");
    QTest::addColumn<QString>("row");
    const QList<std::pair<int, const char*>> rows = {
        {1, "an1jing4|静か||2|0|374|402|804|804"},
        {19, "hui4|会議||1|3|140|804|804|804"},
        {81, "duo1shaoqian2|いくらの||3|0|41|158|170|804"},
        {230, "gair4|ふた||2|1|514|15|804|804"},
        {350, "can1guan1|見学する||2||482|452|804|804"},
        {493, "mo4li4hua1cha2|ジャスミン茶||4|4|636|637|324|639"},
        {500, "ti1zu2qiu2|サッカーをする||3|4|746|404|177|804"},
        // Words the drills and the search screen use as examples.
        {3, "yi4si"},
        {18, "wo3men|私たち"},
        {23, "xue2xiao4|学校"},
        {65, "Shang4hai3|上海"},
        {93, "deshi2hou|…したとき(when)"},
        {118, "li"},
        {186, "ma|(助詞:疑問文の最後につく)"},
        {270, "na3er|どこ"},
        {430, "lu:3you2"},
        {495, "lu:3guan3"},
    };
    for (auto [t, row] : rows)
        QTest::newRow(qPrintable(QString::number(t))) << t << QString::fromUtf8(row);
}

void TestStudyData::tellingWordRows()
{
    QFETCH(int, tkey);
    QFETCH(QString, row);
    const QStringList want = row.split(u'|');
    QCOMPARE(wordRow(tkey).mid(1, want.size()), want);
}

void TestStudyData::mendedRows_data()
{
    // Wrong meanings and readings found in review. The old value stays beside the new
    // one so a reader sees what was wrong; a regeneration that brings it back fails.
    QTest::addColumn<bool>("isWord");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("old");
    QTest::addColumn<QString>("mended");
    const int tr = static_cast<int>(WordField::Translation);
    const int py = static_cast<int>(WordField::Pinyin);
    const int rd = static_cast<int>(CharField::Readings);
    const struct {
        bool isWord;
        int key, field;
        const char *old, *mended;
    } rows[] = {
        {true, 3, tr, "面白い", "意味、考え"},              // 面白い is 有意思
        {true, 118, tr, "…で…(and)", "(語気助詞)…よ、…ね"}, // a modal particle, never "and"
        {true, 61, tr, "習慣", "習慣、慣れる"},
        {true, 128, tr, "ない、持っていない", "ない、持っていない、…しなかった"},
        {true, 356, tr, "花", "花、(お金・時間を)使う"},
        {true, 430, tr, "旅行", "旅行(する)"},
        {true, 287, py, "Jing1ju4", "jing1ju4"},  // a common noun
        {true, 471, py, "duo1shao3", "duo1shao"}, // the question word, not "somewhat"
        {false, 28, rd, "si4,yi3", "yi3"},        // si4 is 巳
        {false, 401, rd, "fu2,shi4", "shi4"},     // fu2 is 巿
        {false, 753, rd, "huai4,pi1", "huai4"},   // pi1 is the old form of 坯
        {false, 84, rd, "sai1,si1", "si1"},       // classical readings out ...
        {false, 197, rd, "shui4,shuo1,yue4", "shui4,shuo1"},
        {false, 368, rd, "san4", "san3,san4"}, // ... everyday readings in
        {false, 565, rd, "jiao3", "jiao3,jue2"},
        {false, 196, rd, "dou4", "dou3,dou4"},
        {false, 321, rd, "piao4", "piao1,piao4"},
        {false, 537, rd, "cha4,chai1", "cha1,cha4,chai1"},
    };
    for (const auto& r : rows)
        QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(r.isWord ? "tkey" : "ckey").arg(r.key)))
            << r.isWord << r.key << r.field << QString::fromUtf8(r.old) << QString::fromUtf8(r.mended);
}

void TestStudyData::mendedRows()
{
    QFETCH(bool, isWord);
    QFETCH(int, key);
    QFETCH(int, field);
    QFETCH(QString, old);
    QFETCH(QString, mended);
    const QString value = isWord ? db.wordAt(key, field) : db.characterAt(key, field);
    QVERIFY2(value != old, qPrintable(QStringLiteral("the old value is back: ") + old));
    QCOMPARE(value, mended);
}

void TestStudyData::countsAddUpAndClassesFollowTheRule()
{
    const int largest[4] = {275, 191, 7, 109};
    int sums[4] = {};
    int maxima[4] = {};
    bool onHalf = false;
    for (int k = 1; k <= 803; ++k) {
        int v[4];
        for (int p = 0; p < 4; ++p) {
            v[p] = ci(k, static_cast<CharField>(1 + p));
            sums[p] += v[p];
            maxima[p] = std::max(maxima[p], v[p]);
            QCOMPARE(db.characterAt(k, 6 + p).toInt(), importanceClass(v[p], largest[p], &onHalf));
        }
        QVERIFY(v[0] >= 1);
        if (k != 792)
            QVERIFY2(v[0] == v[1] + v[2] + v[3], qPrintable(QString::number(k)));
    }
    QVERIFY(!onHalf);
    QCOMPARE(QList<int>(sums, sums + 4), QList<int>({9926, 6084, 483, 3358}));
    QCOMPARE(QList<int>(maxima, maxima + 4), QList<int>({275, 191, 7, 109}));
}

void TestStudyData::characterTableStatistics()
{
    int zeros[3] = {};
    QMap<QString, int> classes;
    QMap<int, int> readingCounts;
    for (int k = 1; k <= 803; ++k) {
        for (int p = 0; p < 3; ++p)
            zeros[p] += ci(k, static_cast<CharField>(2 + p)) == 0;
        ++classes[c(k, CharField::TotalClass)];
        ++readingCounts[static_cast<int>(c(k, CharField::Readings).split(u',').size())];
    }
    QCOMPARE(QList<int>(zeros, zeros + 3), QList<int>({329, 499, 191}));
    QCOMPARE(classes,
             (QMap<QString, int>{{"1", 751}, {"2", 29}, {"3", 7}, {"4", 7}, {"5", 5}, {"6", 1}, {"8", 2}, {"10", 1}}));
    QCOMPARE(readingCounts, (QMap<int, int>{{1, 643}, {2, 134}, {3, 20}, {4, 6}}));
}

void TestStudyData::tkeysListExactlyTheContainingWords()
{
    QMap<int, QList<int>> containing;
    for (int t = 1; t <= 499; ++t) // word 500 is left out of its characters' lists
        for (int k : db.wordCKeys(t))
            if (k != NoChar && (containing[k].isEmpty() || containing[k].last() != t))
                containing[k].append(t);
    int empty = 0;
    qsizetype longest = 0;
    for (int k = 1; k <= 803; ++k) {
        QStringList want;
        for (int t : containing.value(k))
            want << QString::number(t);
        QCOMPARE(c(k, CharField::TKeys), want.join(u','));
        empty += want.isEmpty();
        longest = std::max(longest, want.size());
    }
    QCOMPARE(empty, 316);
    QCOMPARE(longest, 16);
    QCOMPARE(countListItems(c(6, CharField::TKeys)), 16);
    for (int k : {404, 746, 14})
        QCOMPARE(c(k, CharField::TKeys), QString());
    for (int k : db.wordCKeys(500))
        QVERIFY(k == NoChar || !c(k, CharField::TKeys).split(u',').contains(QStringLiteral("500")));
}

void TestStudyData::readingsCoverEverySyllable()
{
    const QRegularExpression reading(QStringLiteral("^(?:[a-z]|u:)+[1-4]$"));
    for (int k = 1; k <= 803; ++k) {
        QStringList rs = c(k, CharField::Readings).split(u',');
        if (k == 253) {
            QCOMPARE(rs.takeLast(), QStringLiteral("zhe")); // the one neutral reading, listed last
        }
        for (const QString& r : rs)
            QVERIFY2(reading.match(r).hasMatch(), qPrintable(QString::number(k) + " " + r));
        QStringList sorted = rs;
        sorted.sort();
        QCOMPARE(rs, sorted);
    }
    for (int t = 1; t <= 500; ++t) {
        QList<QStringList> readings;
        for (int i = 0; i < db.wordInt(t, WordField::CharCount); ++i)
            readings.append(c(db.wordCKeys(t)[static_cast<size_t>(i)], CharField::Readings).split(u','));
        QVERIFY2(splitsIntoReadings(w(t, WordField::Pinyin), readings),
                 qPrintable(QString::number(t) + " " + w(t, WordField::Pinyin)));
    }
    // The splitter itself must not accept a wrong tone or a missing syllable.
    QVERIFY(splitsIntoReadings("gair4", {{"gai4"}, {"er2"}}));
    QVERIFY(splitsIntoReadings("na3er", {{"na3"}, {"er2"}}));
    QVERIFY(!splitsIntoReadings("gair3", {{"gai4"}, {"er2"}}));
    QVERIFY(!splitsIntoReadings("xue2", {{"xue2"}, {"xiao4"}}));
    QVERIFY(!splitsIntoReadings("lu:3you2", {{"lu3"}, {"you2"}}));
}

void TestStudyData::tellingCharRows_data()
{
    QTest::addColumn<int>("ckey");
    QTest::addColumn<QString>("row");
    QTest::newRow("1") << 1 << "275|191|0|84|17,18,329,330|10|10|0|8|wo3";
    QTest::newRow("2") << 2 << "147|98|0|49|93|5|5|0|4|di2,di4";
    QTest::newRow("253") << 253 << "23|4|1|18|245,432,458|1|1|1|2|zhao1,zhao2,zhuo2,zhe";
    QTest::newRow("792") << 792 << "1|0|0|0|483|1|0|0|0|shuang1";
    QTest::newRow("803") << 803 << "1|0|0|1||1|0|0|1|pan2,pang4";
}

void TestStudyData::tellingCharRows()
{
    QFETCH(int, ckey);
    QFETCH(QString, row);
    QCOMPARE(charRow(ckey).mid(1), row.split(u'|'));
}

void TestStudyData::rankingHeads_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("listed");
    QTest::addColumn<QList<int>>("head"); // ckey, count, ckey, count ...
    QTest::newRow("overall") << 1 << 803 << QList<int>{1, 275, 6, 230, 8, 220, 3, 163, 2, 147, 11, 147, 14, 146};
    QTest::newRow("listening") << 2 << 474 << QList<int>{1, 191, 8, 168, 5, 121, 6, 121};
    QTest::newRow("written words") << 3 << 304 << QList<int>{69, 7, 47, 6};
    QTest::newRow("written sentences") << 4 << 612 << QList<int>{6, 109, 1, 84, 3, 70};
}

void TestStudyData::rankingHeads()
{
    QFETCH(int, column);
    QFETCH(int, listed);
    QFETCH(QList<int>, head);
    // Ties come out in the order this sort leaves them, so the data must produce the
    // published order through exactly this procedure.
    SortBuffer buffer = db.charTable();
    sortByColumn(buffer, column, 1, 803);
    QList<int> ranked;
    for (int i = 1; i <= 803; ++i)
        if (buffer[i][column].toInt() != 0)
            ranked << buffer[i][0].toInt() << buffer[i][column].toInt();
    QCOMPARE(ranked.size() / 2, listed);
    QCOMPARE(ranked.mid(0, head.size()), head);
}

void TestStudyData::examListFigures_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QList<int>>("figures"); // entries, distinct, sum, largest, ones
    QTest::addColumn<QList<ExamEntry>>("head");
    QTest::addColumn<ExamEntry>("last");
    QTest::newRow("all sections") << 1 << QList<int>{296, 292, 1429, 58, 102}
                                  << entries({{1, 58},
                                              {13, 36},
                                              {8, 31},
                                              {2, 31},
                                              {6, 30},
                                              {5, 30},
                                              {11, 30},
                                              {3, 26},
                                              {10, 25},
                                              {14, 24},
                                              {22, 24},
                                              {197, 24}})
                                  << ExamEntry{234, 1};
    QTest::newRow("hearing") << 2 << QList<int>{184, 183, 845, 31, 64}
                             << entries({{1, 31},
                                         {13, 29},
                                         {8, 23},
                                         {11, 22},
                                         {5, 20},
                                         {23, 20},
                                         {6, 19},
                                         {2, 19},
                                         {14, 18},
                                         {197, 18},
                                         {53, 17},
                                         {10, 17}})
                             << ExamEntry{171, 1};
    QTest::newRow("writing") << 3 << QList<int>{241, 239, 584, 27, 126}
                             << entries({{1, 27},
                                         {3, 16},
                                         {2, 12},
                                         {6, 11},
                                         {5, 10},
                                         {12, 10},
                                         {4, 10},
                                         {62, 9},
                                         {22, 9},
                                         {8, 8},
                                         {10, 8},
                                         {11, 8}})
                             << ExamEntry{234, 1};
}

void TestStudyData::examListFigures()
{
    QFETCH(int, kind);
    QFETCH(QList<int>, figures);
    QFETCH(QList<ExamEntry>, head);
    QFETCH(ExamEntry, last);
    const QList<ExamEntry>& list = db.examList(static_cast<ExamListKind>(kind));
    QSet<int> keys;
    int sum = 0, largest = 0, ones = 0;
    for (qsizetype i = 0; i < list.size(); ++i) {
        const ExamEntry& e = list[i];
        QVERIFY(e.ckey >= 1 && e.ckey <= 790 && e.count >= 1);
        if (i > 0)
            QVERIFY2(e.count <= list[i - 1].count, "stored in non-increasing order");
        keys.insert(e.ckey);
        sum += e.count;
        largest = std::max<int>(largest, e.count);
        ones += e.count == 1;
    }
    QCOMPARE((QList<int>{static_cast<int>(list.size()), static_cast<int>(keys.size()), sum, largest, ones}), figures);
    QCOMPARE(list.mid(0, head.size()), head);
    QCOMPARE(list.last(), last);
}

void TestStudyData::examRepeatedKeysStandWhereShown()
{
    struct Placed {
        ExamListKind kind;
        int position;
        ExamEntry entry;
    };
    const QList<Placed> placed = {
        {ExamListKind::All, 41, {44, 8}},       {ExamListKind::All, 233, {44, 1}},
        {ExamListKind::All, 111, {277, 3}},     {ExamListKind::All, 177, {277, 2}},
        {ExamListKind::All, 171, {186, 2}},     {ExamListKind::All, 218, {186, 1}},
        {ExamListKind::All, 230, {216, 1}},     {ExamListKind::All, 286, {216, 1}},
        {ExamListKind::Hearing, 33, {44, 7}},   {ExamListKind::Hearing, 143, {44, 1}},
        {ExamListKind::Writing, 41, {277, 3}},  {ExamListKind::Writing, 100, {277, 2}},
        {ExamListKind::Writing, 163, {216, 1}}, {ExamListKind::Writing, 231, {216, 1}},
    };
    QMap<ExamListKind, QSet<int>> repeatedKeys;
    for (const Placed& p : placed) {
        QCOMPARE(db.examList(p.kind)[p.position], p.entry);
        repeatedKeys[p.kind].insert(p.entry.ckey);
    }
    for (ExamListKind kind : {ExamListKind::All, ExamListKind::Hearing, ExamListKind::Writing}) {
        QMap<int, int> seen;
        for (const ExamEntry& e : db.examList(kind))
            ++seen[e.ckey];
        QSet<int> twice;
        for (auto it = seen.cbegin(); it != seen.cend(); ++it)
            if (*it > 1)
                twice.insert(it.key());
        QCOMPARE(twice, repeatedKeys[kind]);
    }
}

void TestStudyData::examListsAreConsistent()
{
    QMap<int, int> sums[3];
    for (int i = 0; i < 3; ++i)
        for (const ExamEntry& e : db.examList(static_cast<ExamListKind>(i + 1)))
            sums[i][e.ckey] += e.count;
    int both = 0;
    for (auto it = sums[0].cbegin(); it != sums[0].cend(); ++it) {
        const int k = it.key();
        QVERIFY2(sums[1].contains(k) || sums[2].contains(k), qPrintable(QString::number(k)));
        QCOMPARE(*it, sums[1].value(k) + sums[2].value(k));
        both += sums[1].contains(k) && sums[2].contains(k);
    }
    for (int i : {1, 2})
        for (auto it = sums[i].cbegin(); it != sums[i].cend(); ++it)
            QVERIFY(sums[0].contains(it.key()));
    QCOMPARE(both, 130);
}

void TestStudyData::glyphsAreTheSimplifiedCharacters()
{
    const QMap<int, QString> fixed = {
        {1, "我"},   {2, "的"},   {15, "儿"},  {41, "多"},  {140, "会"}, {158, "少"}, {170, "钱"}, {177, "球"},
        {253, "着"}, {324, "花"}, {374, "安"}, {402, "静"}, {404, "足"}, {452, "观"}, {482, "参"}, {514, "盖"},
        {636, "茉"}, {637, "莉"}, {639, "茶"}, {746, "踢"}, {792, "双"}, {803, "胖"},
    };
    for (auto it = fixed.cbegin(); it != fixed.cend(); ++it)
        QCOMPARE(glyph[it.key()], *it);
    // Traditional forms (Unihan kTraditionalVariant) of the table's characters: none
    // may stand in for its simplified form.
    const QString traditional = QStringLiteral(
        "們這瞭兒齣許來樣場後實傢確東沒發髮還為嗎個時於給學別現認應話變裡頭點須鬚幺麼麽論機曏係繫種迴無過噹當計長讓"
        "會國對幹馬帶衕終報麵錢愛該隻護並併處關準書沖衝統歡試買邊鬥說萬員產議裝請親經嚴義纔輕難斷進運見達製總體"
        "飛電從訴門問麗禮氣錶聯標檢況決資談記錯將識簡檯臺颱專業責職間與註視幫據數傷號顯術飯單曆歷聽語願張隊負開結"
        "眾證內覺傳課剛調規靜組師稱轉閤價僅儘盡務約講備劃擔詞觀級爭態離腦幾樂設動參誌滿繼韆車選適遠蓋韓絕舉細團卻"
        "則畫線兩類誰復複覆驗錄華館習雖緻換賣風節醫賽媽續鐵劇慮懷聲塊強鏡衛夠題際圖討紀賓狀領亂訪謝費藥頓畢紙連興"
        "歲鄰貝隨鼕辦銀極寶樹闆條擇廠寫險釋緊郵雞漢質紹戲圍預響籃燒練網碼驚紅廣園壞遲鍾鐘臉慣較聞蘋顏區傘熱掃廚夢"
        "雙鮮績獨鞦襯凈");
    QSet<QString> seen;
    for (int k = 1; k <= 803; ++k) {
        const QString& g = glyph[k];
        QCOMPARE(g.size(), 1);
        QVERIFY2(g[0] >= u'\u4e00' && g[0] <= u'\u9fff', qPrintable(QString::number(k)));
        QVERIFY2(!traditional.contains(g), qPrintable(QString::number(k) + " " + g));
        seen.insert(g);
    }
    QCOMPARE(seen.size(), 803);
    // Words whose characters other screens name.
    auto hanzi = [&](int t) {
        QString s;
        for (int i = 0; i < db.wordInt(t, WordField::CharCount); ++i)
            s += glyph[db.wordCKeys(t)[static_cast<size_t>(i)]];
        return s;
    };
    QCOMPARE(hanzi(1), QStringLiteral("安静"));
    QCOMPARE(hanzi(93), QStringLiteral("的时候"));
    QCOMPARE(hanzi(230), QStringLiteral("盖儿"));
    QCOMPARE(hanzi(350), QStringLiteral("参观"));
    QCOMPARE(hanzi(493), QStringLiteral("茉莉花茶"));
    QCOMPARE(hanzi(500), QStringLiteral("踢足球"));
    for (int t = 1; t <= 500; ++t) {
        const QString h = hanzi(t);
        QCOMPARE(h.contains(u'我'), t == 17 || t == 18 || t == 329 || t == 330);
        QCOMPARE(h.contains(u'的'), t == 93);
        QCOMPARE(h.contains(u'着'), t == 245 || t == 432 || t == 458);
        QCOMPARE(h.contains(u'双'), t == 483);
    }
}

QTEST_APPLESS_MAIN(TestStudyData)
#include "test_studydata.moc"
