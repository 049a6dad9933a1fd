#pragma once

#include "core/listutil.h"
#include "core/statistics.h"
#include "core/voice.h"
#include "data/db.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// The state every screen shares. The application owns one; screens receive it
// by reference, so each test starts from a fresh one.
class Tovak {
  public:
    // Tests pass a fixed seed and a statistics file of their own.
    explicit Tovak(quint32 seed = clockSeed(), const QString& statisticsPath = Statistics::defaultFilePath());

    // Start-up: the character table (with genre names, chart axes and the
    // latest-exam lists), then the word table.
    void initTables();

    // Store the key of row i at position j and count it; the caller sizes the list.
    void addCharToList(int i, int j);
    void addWordToList(int i, int j);

    // Replace a list by n slots of 0 (the builders' first step), then shrink it
    // to what was counted; an empty result keeps one slot holding 0.
    void clearWordList(int size);
    void shrinkWordList();
    void clearCharList(int size);
    void shrinkCharList();

    // The wall clock gradings and screens read the time and the local day from; tests set their own.
    std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };
    QDate today() const { return clock().date(); }
    qint32 todayNumber() const { return static_cast<qint32>(today().toJulianDay()); }

    DB db;
    Statistics stats;
    // Speech, with its switches kept in the same file as the statistics.
    Voice voice;
    Rng rng;

    QList<qint16> CurrentCharList;
    qint16 CurrentCharCount = 0;
    QList<qint16> CurrentWordList;
    qint16 CurrentWordCount = 0;

    qint16 RankingKind = 0;
    qint16 DrillMode = 0; // a DrillModeValue: 1 answering, 2 graded all right, 4 graded with wrong answers
    // The tone or pinyin drill runs by ear: set by its opener before init(), as
    // DrillMode is; every other drill opener clears it.
    bool Listening = false;
    qint16 CorrectCount = 0;
    qint16 CurrentPage = 0;
    qint16 PageCount = 0;
    QStringList GivenAnswers;
    qint16 HelpPage = 0;

    QString SearchText;
    QList<qint16> WordListScratch;
    QList<QStringList> ChoiceSets;

    // Members of screens that must survive the screen being unloaded.
    qint16 cno = 0;           // character detail: position in CurrentCharList
    qint16 maxcno = 0;        // character detail: last valid position
    QList<qint16> examCounts; // latest-exam list: counts parallel to CurrentCharList
    // The latest-exam list CurrentCharList holds (1 to 3), 0 when it holds a ranking;
    // the detail screen titles itself after the list it steps through.
    qint16 examListShown = 0;
};

// The values of DrillMode.
enum DrillModeValue : qint16 { DrillAnswering = 1, DrillAllRight = 2, DrillWithWrong = 4 };

// Puts every slot of CurrentWordList into a new random order; the count stays.
inline void shuffleWordList(Tovak& t)
{
    shuffleWordList(t.rng, t.CurrentWordList, t.WordListScratch);
}
