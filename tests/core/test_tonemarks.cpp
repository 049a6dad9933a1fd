#include "core/tonemarks.h"
#include "coresupport.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestToneMarks : public QObject {
    Q_OBJECT

  private slots:
    void placement_data();
    void placement();
    void everyStoredPinyinGetsOneMarkPerDigit();
};

void TestToneMarks::placement_data()
{
    QTest::addColumn<QString>("pinyin");
    QTest::addColumn<QString>("marked");
    const auto row = [](const QString& pinyin, const QString& marked) {
        QTest::newRow(qPrintable(pinyin)) << pinyin << marked;
    };
    // a or e first
    row(u"zuo4ye4"_s, u"zuòyè"_s);
    row(u"jiao4"_s, u"jiào"_s);
    row(u"xue2xiao4"_s, u"xuéxiào"_s);
    row(u"mei3"_s, u"měi"_s);
    // o in ou, else the last vowel
    row(u"shou3"_s, u"shǒu"_s);
    row(u"xiu1"_s, u"xiū"_s);
    row(u"gui4"_s, u"guì"_s);
    row(u"duo1"_s, u"duō"_s);
    row(u"xiong2"_s, u"xióng"_s);
    // ü kept, whichever way it is written
    row(u"lu:3you2"_s, u"lǚyóu"_s);
    row(u"nv3"_s, u"nǚ"_s);
    row(u"lu:e4"_s, u"lüè"_s);
    row(u"nu:3er2"_s, u"nǚ'ér"_s);
    row(u"yu2"_s, u"yú"_s);
    // neutral syllables, also inside a run without digits
    row(u"yi4si"_s, u"yìsi"_s);
    row(u"duo1shaoqian2"_s, u"duōshaoqián"_s);
    row(u"deshi2hou"_s, u"deshíhou"_s);
    row(u"ma"_s, u"ma"_s);
    // erhua before or after the digit
    row(u"gair4"_s, u"gàir"_s);
    row(u"yi4dian3r"_s, u"yìdiǎnr"_s);
    // apostrophe before a, o, e; capitals; blanks and a given apostrophe kept
    row(u"na3er"_s, u"nǎ'er"_s);
    row(u"Xi1an1"_s, u"Xī'ān"_s);
    row(u"tian1'an1men2"_s, u"tiān'ānmén"_s);
    row(u"Shang4hai3"_s, u"Shànghǎi"_s);
    row(u"Ou1zhou1"_s, u"Ōuzhōu"_s);
    row(u"ba1 dian3 yi2 ke4"_s, u"bā diǎn yí kè"_s);
    // not real syllables: marked run by run, nothing lost
    row(u"abc1"_s, u"ābc"_s);
    row(u"qqq4"_s, u"qqq"_s);
    row(QString(), QString());
}

void TestToneMarks::placement()
{
    QFETCH(QString, pinyin);
    QFETCH(QString, marked);
    QCOMPARE(toneMarked(pinyin), marked);
}

void TestToneMarks::everyStoredPinyinGetsOneMarkPerDigit()
{
    const DB& db = studyTables();
    for (int tkey = 1; tkey <= db.lastWordKey(); ++tkey) {
        const QString& pinyin = db.word(tkey, WordField::Pinyin);
        const QString marked = toneMarked(pinyin);
        const QString decomposed = marked.normalized(QString::NormalizationForm_D);
        qsizetype marks = 0;
        for (const QChar c : decomposed)
            marks += (c.unicode() >= 0x0300 && c.unicode() <= 0x030C && c.unicode() != 0x0308) ? 1 : 0;
        qsizetype digits = 0;
        for (const QChar c : pinyin)
            digits += (c >= u'1' && c <= u'4') ? 1 : 0;
        QVERIFY2(marks == digits && !marked.contains(u':'), qPrintable(pinyin + u" -> "_s + marked));
        for (const QChar c : marked)
            QVERIFY2(!c.isDigit(), qPrintable(pinyin + u" -> "_s + marked));
    }
}

QTEST_GUILESS_MAIN(TestToneMarks)
#include "test_tonemarks.moc"
