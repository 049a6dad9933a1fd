#include "core/pinyin.h"

#include <QTest>

class TestPinyin : public QObject {
    Q_OBJECT

private slots:
    void derivedTexts_data();
    void derivedTexts();
    void toneAnswers_data();
    void toneAnswers();
    void pinyinAnswers_data();
    void pinyinAnswers();
};

void TestPinyin::derivedTexts_data()
{
    QTest::addColumn<QString>("pinyin");
    QTest::addColumn<QString>("bare");
    QTest::addColumn<QString>("tones");
    QTest::newRow("23 xue2xiao4") << "xue2xiao4" << "xue xiao " << "24";
    QTest::newRow("3 yi4si") << "yi4si" << "yi si" << "4";
    QTest::newRow("18 wo3men") << "wo3men" << "wo men" << "3";
    QTest::newRow("93 deshi2hou") << "deshi2hou" << "deshi hou" << "2";
    QTest::newRow("81 duo1shaoqian2") << "duo1shaoqian2" << "duo shaoqian " << "12";
    QTest::newRow("230 gair4") << "gair4" << "gair " << "4";
    QTest::newRow("270 na3er") << "na3er" << "na er" << "3";
    QTest::newRow("430 lu:3you2") << "lu:3you2" << "lu: you " << "32";
    QTest::newRow("65 Shang4hai3") << "Shang4hai3" << "Shang hai " << "43";
    QTest::newRow("493 mo4li4hua1cha2") << "mo4li4hua1cha2" << "mo li hua cha " << "4412";
    QTest::newRow("186 ma") << "ma" << "ma" << "";
    QTest::newRow("118 li") << "li" << "li" << "";
    QTest::newRow("empty") << "" << "" << "";
    QTest::newRow("0 and 5 are no tone digits") << "a0b5" << "a0b5" << "";
}

void TestPinyin::derivedTexts()
{
    QFETCH(QString, pinyin);
    QTEST(getBareSyllables(pinyin), "bare");
    QTEST(getToneDigits(pinyin), "tones");
}

void TestPinyin::toneAnswers_data()
{
    QTest::addColumn<QString>("pinyin");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("correct");
    QTest::newRow("xue2xiao4 right") << "xue2xiao4" << "24" << true;
    QTest::newRow("blank between") << "xue2xiao4" << "2 4" << false;
    QTest::newRow("blank before") << "xue2xiao4" << " 24" << false;
    QTest::newRow("blank after") << "xue2xiao4" << "24 " << false;
    QTest::newRow("full-width digits") << "xue2xiao4" << "２４" << false;
    QTest::newRow("empty box") << "xue2xiao4" << "" << false;
    QTest::newRow("Shang4hai3") << "Shang4hai3" << "43" << true;
    QTest::newRow("lu:3you2") << "lu:3you2" << "32" << true;
    QTest::newRow("lu:3guan3") << "lu:3guan3" << "33" << true;
    QTest::newRow("ma empty is right") << "ma" << "" << true;
    QTest::newRow("ma 5 is wrong") << "ma" << "5" << false;
    QTest::newRow("li 0 is wrong") << "li" << "0" << false;
    QTest::newRow("yi4si one digit") << "yi4si" << "4" << true;
    QTest::newRow("yi4si extra digit") << "yi4si" << "40" << false;
}

void TestPinyin::toneAnswers()
{
    QFETCH(QString, pinyin);
    QFETCH(QString, typed);
    QTEST(isToneAnswerCorrect(typed, pinyin), "correct");
}

void TestPinyin::pinyinAnswers_data()
{
    QTest::addColumn<QString>("pinyin");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("correct");
    QTest::newRow("exact") << "xue2xiao4" << "xue2xiao4" << true;
    QTest::newRow("no tone digits") << "xue2xiao4" << "xuexiao" << false;
    QTest::newRow("blank between syllables") << "xue2xiao4" << "xue2 xiao4" << false;
    QTest::newRow("capitals") << "xue2xiao4" << "XUE2XIAO4" << false;
    QTest::newRow("trailing blank") << "xue2xiao4" << "xue2xiao4 " << false;
    QTest::newRow("proper noun") << "Shang4hai3" << "Shang4hai3" << true;
    QTest::newRow("proper noun in lower case") << "Shang4hai3" << "shang4hai3" << false;
    QTest::newRow("u: as stored") << "lu:3you2" << "lu:3you2" << true;
    QTest::newRow("v for u:") << "lu:3you2" << "lv3you2" << true;
    QTest::newRow("v for u: again") << "lu:3guan3" << "lv3guan3" << true;
    QTest::newRow("capital V stays wrong") << "lu:3you2" << "lV3you2" << false;
    QTest::newRow("plain u is no u:") << "lu:3you2" << "lu3you2" << false;
    QTest::newRow("v where no u: is stored") << "xue2xiao4" << "xve2xiao4" << false;
    QTest::newRow("v then a stray colon") << "lu:3you2" << "lv:3you2" << false;
    QTest::newRow("neutral word") << "ma" << "ma" << true;
    QTest::newRow("neutral word empty") << "ma" << "" << false;
    QTest::newRow("prefix only") << "lu:3you2" << "lv3" << false;
}

void TestPinyin::pinyinAnswers()
{
    QFETCH(QString, pinyin);
    QFETCH(QString, typed);
    QTEST(isPinyinAnswerCorrect(typed, pinyin), "correct");
}

QTEST_APPLESS_MAIN(TestPinyin)
#include "test_pinyin.moc"
