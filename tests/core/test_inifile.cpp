#include "core/inifile.h"

#include <QTest>

class TestIniFile : public QObject {
    Q_OBJECT

  private slots:
    void readsLikeTheWindowsProfileFunctions_data();
    void readsLikeTheWindowsProfileFunctions();
    void replacingAValueKeepsEveryOtherByte();
    void newKeyGoesAfterTheLastKeyOfItsSection();
    void newSectionGoesAtTheEnd();
    void lineEndsOfAllKindsEndALine();
    void aFileWithAByteOrderMarkKeepsItsEncoding_data();
    void aFileWithAByteOrderMarkKeepsItsEncoding();
};

namespace {

const QByteArray windowsFile = "; written by hand\r\n"
                               "[Other]\r\n"
                               "SCORE=999\r\n"
                               "\r\n"
                               "[statistics]\r\n"
                               "  name  =  \"\x83\x65\x83\x58\x83\x67\"  \r\n"
                               "SCORE = 7\r\n"
                               ";QUESTIONS=5\r\n"
                               "no equals sign here\r\n"
                               "Rate='12'\r\n"
                               "rate=13\r\n"
                               "NOG=\"x'\r\n"
                               "[STATISTICS]\r\n"
                               "QUESTIONS=44\r\n"
                               "[\x83\x41]\r\n" // a two-byte name whose second byte is "A"
                               "\x83\x41=a\r\n"
                               "[\x95\x5d]\r\n" // ... and one whose second byte is "]"
                               "K=b\r\n";

// text in the encoding named, with its byte-order mark; QString keeps a lone
// surrogate, which only UTF-16 can store.
QByteArray encoded(const QString& text, const QByteArray& encoding)
{
    if (encoding == "UTF-8")
        return "\xef\xbb\xbf" + text.toUtf8();
    const bool big = encoding == "UTF-16BE";
    QByteArray out = big ? "\xfe\xff" : "\xff\xfe";
    for (const QChar c : text) {
        const char high = static_cast<char>(c.unicode() >> 8);
        const char low = static_cast<char>(c.unicode() & 0xff);
        out += big ? high : low;
        out += big ? low : high;
    }
    return out;
}

} // namespace

void TestIniFile::readsLikeTheWindowsProfileFunctions_data()
{
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<bool>("present");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("case-insensitive names, quotes and blanks removed, raw bytes")
        << QByteArray("STATISTICS") << QByteArray("NAME") << true << QByteArray("\x83\x65\x83\x58\x83\x67");
    QTest::newRow("blanks around the equals sign")
        << QByteArray("STATISTICS") << QByteArray("SCORE") << true << QByteArray("7");
    QTest::newRow("other section's key is not ours")
        << QByteArray("OTHER") << QByteArray("score") << true << QByteArray("999");
    QTest::newRow("comment is no key; the duplicate section is ignored")
        << QByteArray("STATISTICS") << QByteArray("QUESTIONS") << false << QByteArray();
    QTest::newRow("first of duplicate keys wins, single quotes removed")
        << QByteArray("STATISTICS") << QByteArray("RATE") << true << QByteArray("12");
    QTest::newRow("quotes that do not match stay")
        << QByteArray("STATISTICS") << QByteArray("NOG") << true << QByteArray("\"x'");
    QTest::newRow("missing section") << QByteArray("NOPE") << QByteArray("SCORE") << false << QByteArray();
    QTest::newRow("names given with blanks")
        << QByteArray(" Statistics ") << QByteArray("\tSCORE ") << true << QByteArray("7");
    QTest::newRow("two-byte names match as they stand")
        << QByteArray("\x83\x41") << QByteArray("\x83\x41") << true << QByteArray("a");
    QTest::newRow("a second byte is no letter to fold, in a section")
        << QByteArray("\x83\x61") << QByteArray("\x83\x41") << false << QByteArray();
    QTest::newRow("a second byte is no letter to fold, in a key")
        << QByteArray("\x83\x41") << QByteArray("\x83\x61") << false << QByteArray();
    QTest::newRow("a second byte is no closing bracket")
        << QByteArray("\x95\x5d") << QByteArray("k") << true << QByteArray("b");
}

void TestIniFile::readsLikeTheWindowsProfileFunctions()
{
    QFETCH(QByteArray, section);
    QFETCH(QByteArray, key);
    QFETCH(bool, present);
    QFETCH(QByteArray, expected);
    const IniFile ini(windowsFile);
    const auto value = ini.value(section, key);
    QCOMPARE(value.has_value(), present);
    if (present)
        QCOMPARE(*value, expected);
}

void TestIniFile::replacingAValueKeepsEveryOtherByte()
{
    IniFile ini(windowsFile);
    ini.setValue("STATISTICS", "SCORE", " 12");
    ini.setValue("STATISTICS", "RATE", " 1");
    ini.setValue(" STATISTICS", "NAME ", "x");
    ini.setValue(" other ", " NEW ", "1");
    QByteArray expected = windowsFile;
    // The key keeps the file's spelling; blanks around names go.
    expected.replace("SCORE = 7\r\n", "SCORE= 12\r\n");
    expected.replace("Rate='12'\r\n", "Rate= 1\r\n");
    expected.replace("  name  =  \"\x83\x65\x83\x58\x83\x67\"  \r\n", "name=x\r\n");
    expected.replace("SCORE=999\r\n", "SCORE=999\r\nNEW=1\r\n");
    QCOMPARE(ini.bytes(), expected);
}

void TestIniFile::newKeyGoesAfterTheLastKeyOfItsSection()
{
    IniFile ini(QByteArray("[STATISTICS]\nA=1\n; note\nB=2\n\n[Next]\nC=3\n"));
    ini.setValue("statistics", "NEW", "x");
    QCOMPARE(ini.bytes(), QByteArray("[STATISTICS]\nA=1\n; note\nB=2\nNEW=x\n\n[Next]\nC=3\n"));

    IniFile unterminated(QByteArray("[STATISTICS]\nA=1"));
    unterminated.setValue("STATISTICS", "B", "2");
    QCOMPARE(unterminated.bytes(), QByteArray("[STATISTICS]\nA=1\nB=2"));
    QCOMPARE(unterminated.value("STATISTICS", "A"), QByteArray("1"));
}

void TestIniFile::newSectionGoesAtTheEnd()
{
    IniFile ini(QByteArray("[Other]\r\nX=1"));
    ini.setValue("STATISTICS", "NAME", "");
    QCOMPARE(ini.bytes(), QByteArray("[Other]\r\nX=1\r\n[STATISTICS]\r\nNAME=\r\n"));

    IniFile fresh;
    fresh.setValue("STATISTICS", "SCORE", " 0");
    fresh.setValue("STATISTICS", "NOG", " 1");
    QCOMPARE(fresh.bytes(), QByteArray("[STATISTICS]\r\nSCORE= 0\r\nNOG= 1\r\n"));
}

void TestIniFile::lineEndsOfAllKindsEndALine()
{
    const IniFile ini(QByteArray("[S]\rA=1\r\nB=2\nC=3\r\r\nD=4"));
    QCOMPARE(ini.value("S", "A"), QByteArray("1"));
    QCOMPARE(ini.value("S", "B"), QByteArray("2"));
    QCOMPARE(ini.value("S", "C"), QByteArray("3"));
    QCOMPARE(ini.value("S", "D"), QByteArray("4"));
}

void TestIniFile::aFileWithAByteOrderMarkKeepsItsEncoding_data()
{
    QTest::addColumn<QByteArray>("encoding");
    QTest::addColumn<QString>("foreign");
    QTest::addColumn<QByteArray>("tail");
    const QString japanese = QStringLiteral("[設定]\r\n名前=テスト😀\r\n");
    QTest::newRow("UTF-8") << QByteArray("UTF-8") << japanese << QByteArray();
    QTest::newRow("UTF-16 LE") << QByteArray("UTF-16LE") << japanese << QByteArray();
    QTest::newRow("UTF-16 BE") << QByteArray("UTF-16BE") << japanese << QByteArray();
    const QString lone = QStringLiteral("; lone ") + QChar(0xdc00) + QChar(0xd800) + QStringLiteral("\r\n");
    QTest::newRow("UTF-16 LE, lone surrogates and an odd last byte")
        << QByteArray("UTF-16LE") << lone << QByteArray("\x7f");
    QTest::newRow("UTF-16 BE, lone surrogates") << QByteArray("UTF-16BE") << lone << QByteArray();
}

void TestIniFile::aFileWithAByteOrderMarkKeepsItsEncoding()
{
    QFETCH(QByteArray, encoding);
    QFETCH(QString, foreign);
    QFETCH(QByteArray, tail);
    const QString section = QStringLiteral("[STATISTICS]\r\nSCORE= 5\r\n");
    // The section on the first line, right after the mark.
    IniFile ini(encoded(section + foreign, encoding) + tail);
    QCOMPARE(ini.value("STATISTICS", "SCORE"), QByteArray("5"));
    ini.setValue("STATISTICS", "SCORE", " 6");
    ini.setValue("STATISTICS", "NOG", " 1");
    // The section is found, so no second one is added.
    const QString expected = QStringLiteral("[STATISTICS]\r\nSCORE= 6\r\nNOG= 1\r\n") + foreign;
    QCOMPARE(ini.bytes(), encoded(expected, encoding) + tail);
}

QTEST_APPLESS_MAIN(TestIniFile)
#include "test_inifile.moc"
