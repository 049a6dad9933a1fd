#include "core/exam/contrasts.h"
#include "core/exam/examitems.h"
#include "core/pinyin.h"
#include "core/tonemarks.h"
#include "coresupport.h"

#include <QSet>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

QList<int> charactersOf(int tkey)
{
    QList<int> out;
    for (const int k : studyTables().wordCKeys(tkey)) {
        if (k != NoChar)
            out.append(k);
    }
    return out;
}

// A section told as text, to compare two of them.
QString summary(const ExamSection& s)
{
    QString out;
    for (const ExamItem& item : s.items) {
        out += QString::number(item.tkey) + u'|' + item.number.speech + u'|';
        for (const ExamChoice& c : item.choices)
            out += QString::number(c.tkey) + c.text + u'|';
    }
    return out;
}

constexpr quint32 Seeds = 1500;

} // namespace

class TestExamItems : public QObject {
    Q_OBJECT

  private slots:
    void contrasts_data();
    void contrasts();
    void tonePatternItems();
    void pinyinItems();
    void listeningSections();
    void sameSeedSameSectionTenInARowAllDifferent();
};

void TestExamItems::contrasts_data()
{
    QTest::addColumn<QByteArray>("contrast");
    QTest::addColumn<QString>("syllable");
    QTest::addColumn<QString>("counterpart"); // empty: the contrast does not apply
    const auto row = [](const char* id, const char* from, const char* to) {
        QTest::addRow("%s %s", id, from) << QByteArray(id) << QString::fromLatin1(from) << QString::fromLatin1(to);
    };
    row("Z_C", "zuo", "cuo");
    row("Z_C", "zhu", "");
    row("ZH_CH", "chi", "zhi");
    row("ZH_J", "zhu", "ju");
    row("ZH_J", "zhe", "");
    row("SH_X", "shi", "xi");
    row("H_K", "han", "kan");
    row("H_F", "hei", "fei");
    row("W_M", "wo", "mo");
    row("N_L", "nv", "lv");
    row("N_NG", "jian", "jiang");
    row("N_NG", "ying", "yin");
    row("N_NG", "dong", "");
    row("IAN_EN", "bian", "ben");
    row("IAN_EN", "yan", "en");
    row("IANG_ANG", "liang", "lang");
    row("IAO_AO", "xiao", "");
    row("IU_V", "jiu", "ju");
    row("IU_V", "lv", "liu");
    row("IU_V", "lu", "");
    row("IU_V", "you", "yu");
    row("OU_U", "dou", "du");
    row("OU_U", "ju", "");
    row("UO_U", "wo", "wu");
    row("EI_I", "bei", "bi");
    row("EI_I", "wei", "");
    row("E_A", "ye", "ya");
    row("E_A", "wen", "wan");
    row("E_A", "re", "");
    row("TONE", "ma", "");
}

void TestExamItems::contrasts()
{
    QFETCH(QByteArray, contrast);
    QFETCH(QString, syllable);
    QFETCH(QString, counterpart);
    const std::optional<Contrast> c = contrastFromId(contrast);
    QVERIFY(c);
    QCOMPARE(contrastId(*c), contrast);
    QCOMPARE(contrasted(*c, syllable).value_or(QString()), counterpart);
    if (!counterpart.isEmpty())
        QCOMPARE(contrasted(*c, counterpart).value_or(QString()), syllable);
}

void TestExamItems::tonePatternItems()
{
    const ExamGenerator generator(studyTables());
    int sharingOne = 0;
    int items = 0;
    std::array<int, 4> oddPlaces{};
    for (quint32 seed = 1; seed <= Seeds; ++seed) {
        const ExamSection s = generator.section(ExamSectionKind::Written, seed);
        QCOMPARE(s.items.size(), ExamItemsPerSection);
        QSet<int> words;
        for (int i = 0; i < TonePatternItems; ++i) {
            const ExamItem& item = s.items[i];
            QCOMPARE(item.kind, ExamItemKind::TonePattern);
            QList<std::pair<int, int>> patterns;
            for (const ExamChoice& c : item.choices) {
                QVERIFY2(!words.contains(c.tkey), "a word twice in one section");
                words.insert(c.tkey);
                const QList<int> chars = charactersOf(c.tkey);
                QVERIFY(chars.size() == 2 && !chars.contains(6) && !chars.contains(11)); // no 一, no 不
                const QList<PinyinSyllable> syl = pinyinSyllables(studyTables().word(c.tkey, WordField::Pinyin));
                QCOMPARE(syl.size(), 2);
                QVERIFY(syl[0].tone != 0 && syl[1].tone != 0 && !(syl[0].tone == 3 && syl[1].tone == 3));
                patterns.append({syl[0].tone, syl[1].tone});
            }
            const auto odd = patterns[item.right];
            const auto shared = patterns[(item.right + 1) % 4];
            QVERIFY(odd != shared);
            for (int c = 0; c < 4; ++c) {
                if (c != item.right)
                    QCOMPARE(patterns[c], shared);
            }
            sharingOne += (odd.first == shared.first) != (odd.second == shared.second) ? 1 : 0;
            ++oddPlaces[static_cast<size_t>(item.right)];
            ++items;
        }
    }
    // Three in four share one tone; the odd word stands anywhere.
    QVERIFY2(qAbs(sharingOne - items * 3 / 4) < items / 20, qPrintable(QString::number(sharingOne)));
    for (const int n : oddPlaces)
        QVERIFY2(qAbs(n - items / 4) < items / 20, qPrintable(QString::number(n)));
}

void TestExamItems::pinyinItems()
{
    const ExamGenerator generator(studyTables());
    for (quint32 seed = 1; seed <= Seeds; ++seed) {
        const ExamSection s = generator.section(ExamSectionKind::Written, seed);
        for (int i = TonePatternItems; i < ExamItemsPerSection; ++i) {
            const ExamItem& item = s.items[i];
            QCOMPARE(item.kind, ExamItemKind::Pinyin);
            const QString& pinyin = studyTables().word(item.tkey, WordField::Pinyin);
            const QList<PinyinSyllable> word = pinyinSyllables(pinyin);
            QSet<QString> texts;
            QList<QList<Contrast>> wrong;
            for (int c = 0; c < 4; ++c) {
                const ExamChoice& choice = item.choices[static_cast<size_t>(c)];
                texts.insert(choice.text);
                QCOMPARE(choice.text, toneMarked(choice.stored));
                const QList<PinyinSyllable> syl = pinyinSyllables(choice.stored);
                QCOMPARE(syl.size(), word.size()); // real syllables, as many as the word's
                const bool right = isPinyinAnswerCorrect(choice.stored, pinyin, studyTables().wordCKeys(item.tkey));
                QCOMPARE(right, c == item.right);
                QCOMPARE(choice.contrasts.isEmpty(), right);
                if (!right)
                    wrong.append(choice.contrasts);
            }
            QCOMPARE(texts.size(), 4);
            // 2 × 2: two spellings wrong in one contrast each, the third in both.
            std::sort(wrong.begin(), wrong.end(), [](const auto& a, const auto& b) { return a.size() < b.size(); });
            QCOMPARE(wrong[0].size(), 1);
            QCOMPARE(wrong[1].size(), 1);
            QCOMPARE(wrong[2].size(), 2);
            QVERIFY(wrong[2].contains(wrong[0][0]) && wrong[2].contains(wrong[1][0]));
        }
    }
}

void TestExamItems::listeningSections()
{
    const ExamGenerator generator(studyTables());
    for (quint32 seed = 1; seed <= Seeds; ++seed) {
        const ExamSection s = generator.section(ExamSectionKind::Listening, seed);
        QCOMPARE(s.items.size(), ExamItemsPerSection);
        QSet<int> words;
        QSet<int> numberKinds;
        for (int i = 0; i < ExamItemsPerSection; ++i) {
            const ExamItem& item = s.items[i];
            const ExamItemKind kind = i < HeardPinyinItems                       ? ExamItemKind::Pinyin
                                      : i < HeardPinyinItems + HeardMeaningItems ? ExamItemKind::Meaning
                                                                                 : ExamItemKind::Number;
            QCOMPARE(item.kind, kind);
            if (kind == ExamItemKind::Number) {
                QVERIFY(isNumberAnswerRight(item.number, item.number.answer));
                // A weekday is a kind of date.
                const NumberKind k = item.number.kind == NumberKind::Weekday ? NumberKind::Date : item.number.kind;
                QVERIFY2(!numberKinds.contains(static_cast<int>(k)), "two numbers of one kind");
                numberKinds.insert(static_cast<int>(k));
                continue;
            }
            QVERIFY(!words.contains(item.tkey));
            words.insert(item.tkey);
            if (kind == ExamItemKind::Meaning) {
                QSet<QString> texts;
                for (const ExamChoice& c : item.choices)
                    texts.insert(c.text);
                QCOMPARE(texts.size(), 4);
                const QString& own = studyTables().word(item.tkey, WordField::Translation);
                QCOMPARE(item.choices[static_cast<size_t>(item.right)].text, own);
            }
        }
    }
}

void TestExamItems::sameSeedSameSectionTenInARowAllDifferent()
{
    const ExamGenerator generator(studyTables());
    for (const ExamSectionKind kind : {ExamSectionKind::Written, ExamSectionKind::Listening}) {
        QCOMPARE(summary(generator.section(kind, 42)), summary(generator.section(kind, 42)));
        Rng program(2024);
        QSet<QString> seen;
        for (int i = 0; i < 10; ++i)
            seen.insert(summary(generator.section(kind, program())));
        QCOMPARE(seen.size(), 10);
    }
}

QTEST_GUILESS_MAIN(TestExamItems)
#include "test_examitems.moc"
