#include "core/pinyin.h"
#include "coresupport.h"
#include "data/db.h"

#include <QRegularExpression>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// The character keys of a word written in characters; "" gives a word
// without keys, so no tone change can be known.
std::array<int, 4> keysOf(const QString& characters)
{
    std::array<int, 4> keys{NoChar, NoChar, NoChar, NoChar};
    for (qsizetype i = 0; i < characters.size() && i < 4; ++i) {
        for (int k = 1; k <= LastCharKey; ++k) {
            if (studyTables().glyphCharacter(k) == characters[i]) {
                keys[static_cast<size_t>(i)] = k;
                break;
            }
        }
    }
    return keys;
}

} // namespace

class TestPinyin : public QObject {
    Q_OBJECT

  private slots:
    void derivedTexts_data();
    void derivedTexts();
    void toneAnswers_data();
    void toneAnswers();
    void pinyinAnswers_data();
    void pinyinAnswers();
    void freeSearch_data();
    void freeSearch();
    void speech_data();
    void speech();
    void everyStoredPinyinSplits_data();
    void everyStoredPinyinSplits();
};

void TestPinyin::derivedTexts_data()
{
    QTest::addColumn<QString>("pinyin");
    QTest::addColumn<QString>("bare");
    QTest::addColumn<QString>("tones");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("shownBare");
    const auto row = [](const char* name, const QString& pinyin, const QString& bare, const QString& tones,
                        const QString& shown, const QString& shownBare) {
        QTest::newRow(name) << pinyin << bare << tones << shown << shownBare;
    };
    row("23 xue2xiao4", "xue2xiao4", "xue xiao ", "24", "xue2xiao4", "xue xiao ");
    row("3 yi4si", "yi4si", "yi si", "4", "yi4si", "yi si");
    row("18 wo3men", "wo3men", "wo men", "3", "wo3men", "wo men");
    row("93 deshi2hou", "deshi2hou", "deshi hou", "2", "deshi2hou", "deshi hou");
    row("81 duo1shaoqian2", "duo1shaoqian2", "duo shaoqian ", "12", "duo1shaoqian2", "duo shaoqian ");
    row("230 gair4", "gair4", "gair ", "4", "gair4", "gair ");
    row("270 na3er", "na3er", "na er", "3", "na3er", "na er");
    row("430 lu:3you2", "lu:3you2", "lu: you ", "32", "lü3you2", "lü you ");
    row("251 zi3nu:3", "zi3nu:3", "zi nu: ", "33", "zi3nü3", "zi nü ");
    row("448 kao3lu:4", "kao3lu:4", "kao lu: ", "34", "kao3lü4", "kao lü ");
    row("65 Shang4hai3", "Shang4hai3", "Shang hai ", "43", "Shang4hai3", "Shang hai ");
    row("493 mo4li4hua1cha2", "mo4li4hua1cha2", "mo li hua cha ", "4412", "mo4li4hua1cha2", "mo li hua cha ");
    row("186 ma", "ma", "ma", "", "ma", "ma");
    row("118 li", "li", "li", "", "li", "li");
    row("empty", "", "", "", "", "");
    row("0 and 5 are no tone digits", "a0b5", "a0b5", "", "a0b5", "a0b5");
}

void TestPinyin::derivedTexts()
{
    QFETCH(QString, pinyin);
    QFETCH(QString, bare);
    QTEST(getBareSyllables(pinyin), "bare");
    QTEST(getToneDigits(pinyin), "tones");
    QTEST(displayPinyin(pinyin), "shown");
    QTEST(displayPinyin(bare), "shownBare");
}

void TestPinyin::toneAnswers_data()
{
    QTest::addColumn<QString>("pinyin");
    QTest::addColumn<QString>("characters");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("correct");
    const auto row = [](const char* name, const QString& pinyin, const QString& characters, const QString& typed,
                        bool correct) { QTest::newRow(name) << pinyin << characters << typed << correct; };
    row("xue2xiao4 right", "xue2xiao4", "学校", "24", true);
    row("blank between", "xue2xiao4", "学校", "2 4", true);
    row("blank before", "xue2xiao4", "学校", " 24", true);
    row("blank after", "xue2xiao4", "学校", "24 ", true);
    row("blanks around", "xue2xiao4", "学校", " 24 ", true);
    row("ideographic blank", "xue2xiao4", "学校", u"2\u30004"_s, true);
    row("full-width digits", "xue2xiao4", "学校", "２４", true);
    row("wrong order", "xue2xiao4", "学校", "42", false);
    row("one tone wrong", "xue2xiao4", "学校", "23", false);
    row("syllables typed", "xue2xiao4", "学校", "xue2xiao4", false);
    row("empty box", "xue2xiao4", "学校", "", false);
    row("Shang4hai3", "Shang4hai3", "", "43", true);
    row("lu:3you2", "lu:3you2", "", "32", true);
    row("lu:3guan3", "lu:3guan3", "", "33", true);
    row("ma empty is right", "ma", "", "", true);
    row("ma 5 is right", "ma", "", "5", true);
    row("li 0 is wrong", "li", "", "0", false);
    row("yi4si one digit", "yi4si", "", "4", true);
    row("yi4si extra digit", "yi4si", "", "40", false);
    row("wo3men 5 for neutral", "wo3men", "我们", "35", true);
    row("wo3men 0 for neutral", "wo3men", "我们", "30", false);
    row("wo3men 5 for a toned syllable", "wo3men", "我们", "5", false);
    row("wo3men 5 twice", "wo3men", "我们", "355", false);
    row("wo3men full-width 5", "wo3men", "我们", "３５", true);
    row("gair4 one syllable", "gair4", "盖儿", "4", true);
    row("一定 base tone", "yi1ding4", "一定", "14", true);
    row("一定 changed tone", "yi1ding4", "一定", "24", true);
    row("一定 other tone", "yi1ding4", "一定", "44", false);
    row("一起 changed to 4", "yi1qi3", "一起", "43", true);
    row("一起 not 2", "yi1qi3", "一起", "23", false);
    row("一点儿 changed, erhua", "yi1dianr3", "一点儿", "43", true);
    row("第一 last keeps 1", "di4yi1", "第一", "41", true);
    row("第一 last not 4", "di4yi1", "第一", "44", false);
    row("医院 is no 一", "yi1yuan4", "医院", "24", false);
    row("一定 without keys", "yi1ding4", "", "24", false);
    row("不客气 changed", "bu4ke4qi", "不客气", "24", true);
    row("不客气 5 for neutral", "bu4ke4qi", "不客气", "245", true);
    row("的时候 5 on both ends", "deshi2hou", "", "525", true);
    row("不去 changed", "bu4qu4", "不去", "24", true);
    row("对不起 neutral 不 before 3", "dui4buqi3", "对不起", "423", false);
    row("对不起 right", "dui4buqi3", "对不起", "43", true);
}

void TestPinyin::toneAnswers()
{
    QFETCH(QString, pinyin);
    QFETCH(QString, characters);
    QFETCH(QString, typed);
    QTEST(isToneAnswerCorrect(typed, pinyin, keysOf(characters)), "correct");
}

void TestPinyin::pinyinAnswers_data()
{
    QTest::addColumn<QString>("pinyin");
    QTest::addColumn<QString>("characters");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("correct");
    const auto row = [](const char* name, const QString& pinyin, const QString& characters, const QString& typed,
                        bool correct) { QTest::newRow(name) << pinyin << characters << typed << correct; };
    row("exact", "xue2xiao4", "学校", "xue2xiao4", true);
    row("no tone digits", "xue2xiao4", "学校", "xuexiao", false);
    row("one digit missing", "xue2xiao4", "学校", "xue2xiao", false);
    row("wrong tone", "xue2xiao4", "学校", "xue2xiao3", false);
    row("blank between syllables", "xue2xiao4", "学校", "xue2 xiao4", true);
    row("ideographic blank", "xue2xiao4", "学校", u"xue2\u3000xiao4"_s, true);
    row("full width", "xue2xiao4", "学校", "ｘｕｅ２ｘｉａｏ４", true);
    row("capitals", "xue2xiao4", "学校", "XUE2XIAO4", true);
    row("trailing blank", "xue2xiao4", "学校", "xue2xiao4 ", true);
    row("proper noun", "Shang4hai3", "", "Shang4hai3", true);
    row("proper noun in lower case", "Shang4hai3", "", "shang4hai3", true);
    row("u: as stored", "lu:3you2", "", "lu:3you2", true);
    row("v for u:", "lu:3you2", "", "lv3you2", true);
    row("v for u: again", "lu:3guan3", "", "lv3guan3", true);
    row("capital V", "lu:3you2", "", "lV3you2", true);
    row("full-width v", "lu:3you2", "", "lｖ3you2", true);
    row("ü for u:", "nu:3er2", "", "nü3er2", true);
    row("Ü for u:", "nu:3er2", "", "NÜ3ER2", true);
    row("v for u: nv3er2", "nu:3er2", "", "nv3er2", true);
    row("plain u is no u:", "lu:3you2", "", "lu3you2", false);
    row("v where no u: is stored", "xue2xiao4", "学校", "xve2xiao4", false);
    row("v then a stray colon", "lu:3you2", "", "lv:3you2", false);
    row("neutral word", "ma", "", "ma", true);
    row("neutral word empty", "ma", "", "", false);
    row("neutral 5", "wo3men", "我们", "wo3men5", true);
    row("5 on a toned syllable", "wo3men", "我们", "wo5men", false);
    row("neutral 5 with erhua after it", "na3er", "哪儿", "na3er5", true);
    row("neutral 0", "wo3men", "我们", "wo3men0", false);
    row("neutral in front", "deshi2hou", "", "de shi2 hou", true);
    row("prefix only", "lu:3you2", "", "lv3", false);
    row("erhua r after digit", "yi1dianr3", "一点儿", "yi1dian3r", true);
    row("erhua r after digit, 一 changed", "yi1dianr3", "一点儿", "yi4dian3r", true);
    row("erhua r missing", "yi1dianr3", "一点儿", "yi1dian3", false);
    row("erhua one syllable", "gair4", "盖儿", "gai4r", true);
    row("erhua is no er syllable", "na3er", "哪儿", "na3r", false);
    row("一定 changed", "yi1ding4", "一定", "yi2ding4", true);
    row("一定 wrong change", "yi1ding4", "一定", "yi4ding4", false);
    row("不去 changed", "bu4qu4", "不去", "bu2qu4", true);
    row("不去 base", "bu4qu4", "不去", "bu4 qu4", true);
    row("不错 wrong tone", "bu4cuo4", "不错", "bu3cuo4", false);
    row("不客气 changed", "bu4ke4qi", "不客气", "bu2 ke4 qi", true);
    row("yi of 医院 keeps its tone", "yi1yuan4", "医院", "yi2yuan4", false);
}

void TestPinyin::pinyinAnswers()
{
    QFETCH(QString, pinyin);
    QFETCH(QString, characters);
    QFETCH(QString, typed);
    QTEST(isPinyinAnswerCorrect(typed, pinyin, keysOf(characters)), "correct");
}

void TestPinyin::freeSearch_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("pinyin");
    QTest::addColumn<QString>("translation");
    QTest::addColumn<QString>("characters");
    QTest::addColumn<bool>("found");
    const auto school = [](const char* name, const QString& query, bool found) {
        QTest::newRow(name) << query << u"xue2xiao4"_s << u"学校"_s << u"学校"_s << found;
    };
    const auto travel = [](const char* name, const QString& query, bool found) {
        QTest::newRow(name) << query << u"lu:3you2"_s << u"旅行（する）"_s << u"旅游"_s << found;
    };
    school("xuexiao", u"xuexiao"_s, true);
    school("xue xiao", u"xue xiao"_s, true);
    school("capitals", u"XueXiao"_s, true);
    school("full width", u"ｘｕｅｘｉａｏ"_s, true);
    school("stored spelling", u"xue2xiao4"_s, true);
    school("tone digit alone", u"4"_s, true);
    school("characters", u"学校"_s, true);
    school("characters, trailing blank", u"学校 "_s, true);
    school("characters, ideographic blank", u"学\u3000校"_s, true);
    school("wrong order", u"xiaoxue"_s, false);
    school("digits break a syllable", u"xue2xiao3"_s, false);
    school("empty finds all", QString(), true);
    school("blanks only find all", u"  "_s, true);
    travel("lvyou", u"lvyou"_s, true);
    travel("lüyou", u"lüyou"_s, true);
    travel("lu:you", u"lu:you"_s, true);
    travel("stored spelling", u"lu:3you2"_s, true);
    travel("v with digit", u"lv3"_s, true);
    travel("stored prefix lu", u"lu"_s, true);
    travel("translation", u"旅行"_s, true);
    travel("luyou is another word", u"luyou"_s, false);
    QTest::newRow("nv") << u"nv"_s << u"nu:3er2"_s << u"娘"_s << u"女儿"_s << true;
    QTest::newRow("nü") << u"nü"_s << u"nu:3er2"_s << u"娘"_s << u"女儿"_s << true;
    QTest::newRow("我们") << u"我们"_s << u"wo3men"_s << u"私たち"_s << u"我们"_s << true;
    QTest::newRow("Shang in lower case") << u"shang"_s << u"Shang4hai3"_s << u"上海"_s << u"上海"_s << true;
}

void TestPinyin::freeSearch()
{
    QFETCH(QString, query);
    QFETCH(QString, pinyin);
    QFETCH(QString, translation);
    QFETCH(QString, characters);
    QTEST(freeSearchMatches(query, pinyin, translation, characters), "found");
}

void TestPinyin::speech_data()
{
    QTest::addColumn<QString>("pinyin");
    QTest::addColumn<QString>("characters"); // "-": a character reading
    QTest::addColumn<QString>("speech");
    const auto row = [](const char* name, const QString& pinyin, const QString& characters, const QString& speech) {
        QTest::newRow(name) << pinyin << characters << speech;
    };
    row("xue2xiao4", "xue2xiao4", "学校", "xue2 xiao4");
    row("proper noun", "Shang4hai3", "上海", "shang4 hai3");
    row("u:", "lu:3you2", "旅游", "lv3 you2");
    row("neutral last", "wo3men", "我们", "wo3 men5");
    row("neutral run", "duo1shaoqian2", "多少钱", "duo1 shao5 qian2");
    row("neutral first", "deshi2hou", "的时候", "de5 shi2 hou5");
    row("er syllable", "na3er", "哪儿", "na3 er5");
    row("erhua", "gair4", "盖儿", "gai4r");
    row("erhua after 一", "yi1dianr3", "一点儿", "yi4 dian3r");
    row("一 before 4", "yi1ding4", "一定", "yi2 ding4");
    row("一 last", "di4yi1", "第一", "di4 yi1");
    row("不 before 4", "bu4ke4qi", "不客气", "bu2 ke4 qi5");
    row("neutral 不", "dui4buqi3", "对不起", "dui4 bu5 qi3");
    row("医 is no 一", "yi1yuan4", "医院", "yi1 yuan4");
    row("reading u:", "nu:3", "-", "nv3");
    row("reading neutral", "zhe", "-", "zhe5");
    row("reading of 一 unchanged", "yi1", "-", "yi1");
}

void TestPinyin::speech()
{
    QFETCH(QString, pinyin);
    QFETCH(QString, characters);
    QTEST(characters == u"-" ? speechReading(pinyin) : speechPinyin(pinyin, keysOf(characters)), "speech");
}

void TestPinyin::everyStoredPinyinSplits_data()
{
    QTest::addColumn<QString>("pinyin");
    QTest::addColumn<QList<int>>("ckeys"); // empty: one reading of one character
    QTest::addColumn<int>("syllables");
    // One erhua syllable stands for a character and its 儿.
    const QHash<int, int> erhua = {{230, 1}, {249, 1}, {340, 1}, {452, 2}};
    const DB& db = studyTables();
    for (int tkey = 1; tkey <= db.lastWordKey(); ++tkey) {
        const std::array<int, 4> k = db.wordCKeys(tkey);
        const QString& pinyin = db.word(tkey, WordField::Pinyin);
        QTest::addRow("word %d %s", tkey, qPrintable(pinyin))
            << pinyin << QList<int>(k.begin(), k.end()) << erhua.value(tkey, db.wordInt(tkey, WordField::CharCount));
    }
    for (int ckey = 1; ckey <= db.lastCharKey(); ++ckey) {
        for (const QString& reading : db.character(ckey, CharField::Readings).split(u',')) {
            QTest::addRow("char %d %s", ckey, qPrintable(reading)) << reading << QList<int>() << 1;
        }
    }
}

void TestPinyin::everyStoredPinyinSplits()
{
    QFETCH(QString, pinyin);
    QFETCH(QList<int>, ckeys);
    QFETCH(int, syllables);
    QCOMPARE(syllableCount(pinyin), syllables);
    std::array<int, 4> keys{NoChar, NoChar, NoChar, NoChar};
    std::copy(ckeys.begin(), ckeys.end(), keys.begin());
    const QString speech = ckeys.isEmpty() ? speechReading(pinyin) : speechPinyin(pinyin, keys);
    static const QRegularExpression shape(u"^[a-z]+[0-5]r?( [a-z]+[0-5]r?)*$"_s);
    QVERIFY2(shape.match(speech).hasMatch(), qPrintable(speech));
    QCOMPARE(speech.count(u' ') + 1, syllables);
}

QTEST_APPLESS_MAIN(TestPinyin)
#include "test_pinyin.moc"
