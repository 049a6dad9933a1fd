// The tables compiled in at build time hold exactly what the TSV files say:
// every row, every field, short rows padded with empty fields.
#include "data/studytables.h"

#include <QFile>
#include <QtTest>

Q_DECLARE_METATYPE(const StudyTables::Table*)

class TestStudyTables : public QObject {
    Q_OBJECT
  private slots:
    void tablesMatchTheirFiles_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<const StudyTables::Table*>("table");
        QTest::newRow("words") << "words.tsv" << &StudyTables::words;
        QTest::newRow("chars") << "chars.tsv" << &StudyTables::chars;
        QTest::newRow("glyph characters") << "glyph-chars.tsv" << &StudyTables::glyphChars;
        QTest::newRow("latest exam, all") << "exam-all.tsv" << &StudyTables::examAll;
        QTest::newRow("latest exam, hearing") << "exam-hearing.tsv" << &StudyTables::examHearing;
        QTest::newRow("latest exam, writing") << "exam-writing.tsv" << &StudyTables::examWriting;
    }

    void tablesMatchTheirFiles()
    {
        QFETCH(QString, file);
        QFETCH(const StudyTables::Table*, table);
        QFile f(QStringLiteral(":/data/") + file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
        lines.removeAll(QString());
        QCOMPARE(table->rows, lines.size());
        for (int r = 0; r < table->rows; ++r) {
            QString line = lines[r];
            if (line.endsWith(QLatin1Char('\r')))
                line.chop(1);
            const QStringList fields = line.split(QLatin1Char('\t'));
            QVERIFY2(fields.size() <= table->columns, qPrintable(line));
            for (int c = 0; c < table->columns; ++c) {
                const std::u16string_view compiled = table->at(r, c);
                const QString got(reinterpret_cast<const QChar*>(compiled.data()), qsizetype(compiled.size()));
                QCOMPARE(got, fields.value(c));
            }
        }
    }
};

QTEST_MAIN(TestStudyTables)
#include "test_studytables.moc"
