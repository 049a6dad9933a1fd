#include "core/exam/numberreadings.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

Q_DECLARE_METATYPE(NumberReading)

class TestNumberReadings : public QObject {
    Q_OBJECT

  private slots:
    void readings_data();
    void readings();
    void typedAnswers_data();
    void typedAnswers();
    void randomReadingsAreSpeakableAndAnswerable();
};

void TestNumberReadings::readings_data()
{
    QTest::addColumn<NumberReading>("reading");
    QTest::addColumn<QString>("characters");
    QTest::addColumn<QString>("speech");
    QTest::addColumn<QString>("answer");
    const auto row = [](const NumberReading& r, const QString& characters, const QString& speech,
                        const QString& answer) {
        QTest::newRow(qPrintable(characters)) << r << characters << speech << answer;
    };
    // Numbers on their own: 一 is yi1 alone and last, changes as a multiplier.
    row(countReading(0), u"零"_s, u"ling2"_s, u"0"_s);
    row(countReading(1), u"一"_s, u"yi1"_s, u"1"_s);
    row(countReading(2), u"二"_s, u"er4"_s, u"2"_s);
    row(countReading(10), u"十"_s, u"shi2"_s, u"10"_s);
    row(countReading(11), u"十一"_s, u"shi2 yi1"_s, u"11"_s);
    row(countReading(12), u"十二"_s, u"shi2 er4"_s, u"12"_s);
    row(countReading(20), u"二十"_s, u"er4 shi2"_s, u"20"_s);
    row(countReading(22), u"二十二"_s, u"er4 shi2 er4"_s, u"22"_s);
    row(countReading(100), u"一百"_s, u"yi4 bai3"_s, u"100"_s);
    row(countReading(101), u"一百零一"_s, u"yi4 bai3 ling2 yi1"_s, u"101"_s);
    row(countReading(110), u"一百一十"_s, u"yi4 bai3 yi1 shi2"_s, u"110"_s);
    row(countReading(200), u"二百"_s, u"er4 bai3"_s, u"200"_s);
    row(countReading(1000), u"一千"_s, u"yi4 qian1"_s, u"1000"_s);
    row(countReading(1001), u"一千零一"_s, u"yi4 qian1 ling2 yi1"_s, u"1001"_s);
    row(countReading(1010), u"一千零一十"_s, u"yi4 qian1 ling2 yi1 shi2"_s, u"1010"_s);
    row(countReading(2000), u"两千"_s, u"liang3 qian1"_s, u"2000"_s);
    row(countReading(2345), u"两千三百四十五"_s, u"liang3 qian1 san1 bai3 si4 shi2 wu3"_s, u"2345"_s);
    row(countReading(10000), u"一万"_s, u"yi2 wan4"_s, u"10000"_s);
    row(countReading(10050), u"一万零五十"_s, u"yi2 wan4 ling2 wu3 shi2"_s, u"10050"_s);
    row(countReading(22000), u"两万两千"_s, u"liang3 wan4 liang3 qian1"_s, u"22000"_s);
    row(countReading(120000), u"十二万"_s, u"shi2 er4 wan4"_s, u"120000"_s);
    // Amounts: 一 changes before its measure word, 2 is 两.
    row(priceReading(1, 0), u"一块"_s, u"yi2 kuai4"_s, u"1"_s);
    row(priceReading(2, 0), u"两块"_s, u"liang3 kuai4"_s, u"2"_s);
    row(priceReading(3, 5), u"三块五毛"_s, u"san1 kuai4 wu3 mao2"_s, u"3.5"_s);
    row(priceReading(0, 1), u"一毛"_s, u"yi4 mao2"_s, u"0.1"_s);
    row(priceReading(11, 0), u"十一块"_s, u"shi2 yi1 kuai4"_s, u"11"_s);
    row(priceReading(12, 2), u"十二块两毛"_s, u"shi2 er4 kuai4 liang3 mao2"_s, u"12.2"_s);
    row(priceReading(105, 0), u"一百零五块"_s, u"yi4 bai3 ling2 wu3 kuai4"_s, u"105"_s);
    row(timeReading(1, 0, false), u"一点"_s, u"yi4 dian3"_s, u"1:00"_s);
    row(timeReading(2, 30, true), u"两点半"_s, u"liang3 dian3 ban4"_s, u"2:30"_s);
    row(timeReading(3, 15, true), u"三点一刻"_s, u"san1 dian3 yi2 ke4"_s, u"3:15"_s);
    row(timeReading(8, 45, true), u"八点三刻"_s, u"ba1 dian3 san1 ke4"_s, u"8:45"_s);
    row(timeReading(8, 15, false), u"八点十五分"_s, u"ba1 dian3 shi2 wu3 fen1"_s, u"8:15"_s);
    row(timeReading(10, 2, false), u"十点零二分"_s, u"shi2 dian3 ling2 er4 fen1"_s, u"10:02"_s);
    row(timeReading(12, 21, false), u"十二点二十一分"_s, u"shi2 er4 dian3 er4 shi2 yi1 fen1"_s, u"12:21"_s);
    row(ageReading(1), u"一岁"_s, u"yi2 sui4"_s, u"1"_s);
    row(ageReading(2), u"两岁"_s, u"liang3 sui4"_s, u"2"_s);
    row(ageReading(12), u"十二岁"_s, u"shi2 er4 sui4"_s, u"12"_s);
    row(ageReading(20), u"二十岁"_s, u"er4 shi2 sui4"_s, u"20"_s);
    // Dates and weekdays: 一 stays yi1, 2 is 二.
    row(dateReading(1, 1), u"一月一号"_s, u"yi1 yue4 yi1 hao4"_s, u"1/1"_s);
    row(dateReading(2, 2), u"二月二号"_s, u"er4 yue4 er4 hao4"_s, u"2/2"_s);
    row(dateReading(11, 21), u"十一月二十一号"_s, u"shi2 yi1 yue4 er4 shi2 yi1 hao4"_s, u"11/21"_s);
    row(weekdayReading(1, false), u"星期一"_s, u"xing1 qi1 yi1"_s, u"1"_s);
    row(weekdayReading(2, false), u"星期二"_s, u"xing1 qi1 er4"_s, u"2"_s);
    row(weekdayReading(7, false), u"星期天"_s, u"xing1 qi1 tian1"_s, u"7"_s);
    row(weekdayReading(7, true), u"星期日"_s, u"xing1 qi1 ri4"_s, u"7"_s);
}

void TestNumberReadings::readings()
{
    QFETCH(NumberReading, reading);
    QFETCH(QString, characters);
    QFETCH(QString, speech);
    QFETCH(QString, answer);
    QCOMPARE(reading.characters, characters);
    QCOMPARE(reading.speech, speech);
    QCOMPARE(reading.answer, answer);
}

void TestNumberReadings::typedAnswers_data()
{
    QTest::addColumn<NumberReading>("reading");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("right");
    const auto row = [](const char* name, const NumberReading& r, const QString& typed, bool right) {
        QTest::newRow(name) << r << typed << right;
    };
    row("count", countReading(2345), u"2345"_s, true);
    row("count full width, blanks", countReading(2345), u" ２３４５　"_s, true);
    row("count with a comma", countReading(2345), u"2,345"_s, true);
    row("count wrong", countReading(2345), u"2354"_s, false);
    row("count with letters", countReading(2345), u"2345a"_s, false);
    row("count empty", countReading(0), QString(), false);
    row("zero", countReading(0), u"0"_s, true);
    row("price", priceReading(3, 5), u"3.5"_s, true);
    row("price trailing zero", priceReading(3, 5), u"3.50"_s, true);
    row("price in mao", priceReading(3, 5), u"35"_s, false);
    row("price 3.05", priceReading(3, 5), u"3.05"_s, false);
    row("mao alone", priceReading(0, 5), u".5"_s, true);
    row("whole yuan", priceReading(12, 0), u"12.0"_s, true);
    row("time", timeReading(2, 30, true), u"2:30"_s, true);
    row("time 24-hour", timeReading(2, 30, true), u"14:30"_s, true);
    row("time full width", timeReading(2, 30, true), u"２：３０"_s, true);
    row("time 2:3", timeReading(2, 30, true), u"2:3"_s, false);
    row("time with a dot", timeReading(2, 30, true), u"2.30"_s, false);
    row("noon as 0", timeReading(12, 5, false), u"0:05"_s, true);
    row("minute one digit", timeReading(12, 5, false), u"12:5"_s, true);
    row("date", dateReading(3, 15), u"3/15"_s, true);
    row("date leading zero", dateReading(3, 15), u"03/15"_s, true);
    row("date turned round", dateReading(3, 15), u"15/3"_s, false);
    row("sunday", weekdayReading(7, false), u"7"_s, true);
    row("sunday as 0", weekdayReading(7, false), u"0"_s, false);
    row("age", ageReading(22), u"22"_s, true);
}

void TestNumberReadings::typedAnswers()
{
    QFETCH(NumberReading, reading);
    QFETCH(QString, typed);
    QFETCH(bool, right);
    QCOMPARE(isNumberAnswerRight(reading, typed), right);
}

void TestNumberReadings::randomReadingsAreSpeakableAndAnswerable()
{
    Rng rng(7);
    for (int i = 0; i < 3000; ++i) {
        const auto kind = static_cast<NumberKind>(i % 6);
        const NumberReading r = randomReading(rng, kind);
        QCOMPARE(r.kind, kind);
        QVERIFY2(isNumberAnswerRight(r, r.answer), qPrintable(r.answer));
        QVERIFY(!r.characters.isEmpty());
        const QStringList syllables = r.speech.split(u' ');
        QCOMPARE(syllables.size(), r.characters.size());
        for (const QString& s : syllables)
            QVERIFY2(s.size() >= 2 && s.back() >= u'1' && s.back() <= u'4', qPrintable(r.speech));
    }
}

QTEST_GUILESS_MAIN(TestNumberReadings)
#include "test_numberreadings.moc"
