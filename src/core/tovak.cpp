#include "core/tovak.h"

Tovak::Tovak(quint32 seed, const QString& statisticsPath)
    : stats(statisticsPath), voice(db, stats.filePath()), rng(seed)
{
}

void Tovak::initTables()
{
    db.initCharTable();
    db.initWordTable();
}

void Tovak::addCharToList(int i, int j)
{
    CurrentCharList[j] = static_cast<qint16>(db.charInt(i, CharField::CKey));
    ++CurrentCharCount;
}

void Tovak::addWordToList(int i, int j)
{
    CurrentWordList[j] = static_cast<qint16>(db.wordInt(i, WordField::TKey));
    ++CurrentWordCount;
}

void Tovak::clearWordList(int size)
{
    CurrentWordList = QList<qint16>(size, 0);
    CurrentWordCount = 0;
}

void Tovak::shrinkWordList()
{
    CurrentWordList.resize(qMax<qsizetype>(CurrentWordCount, 1));
}

void Tovak::clearCharList(int size)
{
    CurrentCharList = QList<qint16>(size, 0);
    CurrentCharCount = 0;
}

void Tovak::shrinkCharList()
{
    CurrentCharList.resize(qMax<qsizetype>(CurrentCharCount, 1));
}
