#include "core/statistics.h"

#include "core/inifile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <cmath>
#include <limits>

namespace {

const QByteArray sectionName = QByteArrayLiteral("STATISTICS");
const std::array<QByteArray, CounterListCount> counterKeys = {
    QByteArrayLiteral("P_NOGPT"),  QByteArrayLiteral("P_NORPT"), QByteArrayLiteral("P2_NOGPT"),
    QByteArrayLiteral("P2_NORPT"), QByteArrayLiteral("R_NOGPT"), QByteArrayLiteral("R_NORPT"),
};

qint16 clampTo16(double value)
{
    if (value >= std::numeric_limits<qint16>::max())
        return std::numeric_limits<qint16>::max();
    if (value <= std::numeric_limits<qint16>::min())
        return std::numeric_limits<qint16>::min();
    return static_cast<qint16>(value);
}

size_t index(CounterList list)
{
    return static_cast<size_t>(list);
}

} // namespace

CounterList triesList(DrillKind kind)
{
    return static_cast<CounterList>(static_cast<int>(kind) * 2);
}

CounterList correctList(DrillKind kind)
{
    return static_cast<CounterList>(static_cast<int>(kind) * 2 + 1);
}

qint64 counterValue(const QString& entry)
{
    bool ok = false;
    const qint64 v = entry.toLongLong(&ok);
    return ok ? v : 0;
}

qint16 parseTotal(const QByteArray& text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    const qsizetype start = i;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        ++i;
    const qsizetype digitsStart = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        ++i;
    qsizetype end = i;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            ++i;
        end = i;
    }
    const QByteArray number = text.mid(start, end - start);
    if (end - digitsStart == 0 || number == "-" || number == "+" || number == "." || number == "-." || number == "+.")
        return 0;
    bool ok = false;
    const double value = number.toDouble(&ok);
    if (!ok)
        return 0;
    return clampTo16(std::nearbyint(value)); // the default rounding mode rounds halves to even
}

QByteArray formatTotal(qint16 value)
{
    return value < 0 ? QByteArray::number(value) : ' ' + QByteArray::number(value);
}

qint16 saturatingAdd(qint16 total, qint64 amount)
{
    return clampTo16(static_cast<double>(total + amount));
}

Statistics::Statistics(QString filePath, QObject* parent) : QObject(parent), filePath_(std::move(filePath))
{
    splitCounterLists();
}

QString Statistics::defaultFilePath()
{
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("conf.ini"));
    const QFileInfo info(beside);
    if (info.exists() && info.isFile() && info.isWritable())
        return beside;
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath(QStringLiteral("conf.ini"));
}

bool Statistics::loadStatistics()
{
    if (unsaved_)
        return true; // memory holds results the file has not got yet
    QFile file(filePath_);
    QByteArray bytes;
    unreadable_ = false;
    if (file.exists()) {
        if (file.open(QIODevice::ReadOnly))
            bytes = file.readAll();
        else
            unreadable_ = true;
    }
    loadFrom(bytes);
    return !unreadable_;
}

void Statistics::loadFrom(const QByteArray& fileBytes)
{
    const IniFile ini(fileBytes);
    const auto read = [&](const QByteArray& key) { return ini.value(sectionName, key).value_or(QByteArray()); };
    name = read(QByteArrayLiteral("NAME"));
    score = parseTotal(read(QByteArrayLiteral("SCORE")));
    questions = parseTotal(read(QByteArrayLiteral("QUESTIONS")));
    rate = parseTotal(read(QByteArrayLiteral("RATE")));
    nog = parseTotal(read(QByteArrayLiteral("NOG")));
    for (size_t i = 0; i < counterKeys.size(); ++i)
        CounterTexts[i] = QString::fromLatin1(read(counterKeys[i]));
    splitCounterLists();
}

void Statistics::splitCounterLists()
{
    for (size_t i = 0; i < CounterTexts.size(); ++i) {
        QStringList items;
        if (!CounterTexts[i].isEmpty())
            items = CounterTexts[i].split(u',');
        items.resize(CounterSlots);
        for (qsizetype t = 1; t < CounterSlots; ++t) {
            if (items[t].isEmpty())
                items[t] = QStringLiteral("0");
        }
        WordStats[i] = items;
    }
}

void Statistics::joinCounterLists()
{
    for (size_t i = 0; i < WordStats.size(); ++i)
        CounterTexts[i] = WordStats[i].join(u',');
}

bool Statistics::saveStatistics()
{
    joinCounterLists();
    QFile old(filePath_);
    IniFile ini;
    if (old.exists()) {
        if (old.open(QIODevice::ReadOnly)) {
            ini = IniFile(old.readAll());
            old.close();
            unreadable_ = false;
        } else {
            unreadable_ = true;
        }
    }
    bool ok = true;
    if (unreadable_) {
        // Never overwrite what could not be read: keep it aside first.
        const QString backup = filePath_ + QStringLiteral(".bak");
        QFile::remove(backup);
        ok = QFile::rename(filePath_, backup);
        if (ok)
            unreadable_ = false;
    }
    if (ok) {
        ini.setValue(sectionName, QByteArrayLiteral("NAME"), name);
        ini.setValue(sectionName, QByteArrayLiteral("SCORE"), formatTotal(score));
        ini.setValue(sectionName, QByteArrayLiteral("QUESTIONS"), formatTotal(questions));
        ini.setValue(sectionName, QByteArrayLiteral("RATE"), formatTotal(rate));
        ini.setValue(sectionName, QByteArrayLiteral("NOG"), formatTotal(nog));
        for (size_t i = 0; i < counterKeys.size(); ++i)
            ini.setValue(sectionName, counterKeys[i], CounterTexts[i].toLatin1());

        QDir().mkpath(QFileInfo(filePath_).absolutePath());
        QSaveFile file(filePath_);
        ok = file.open(QIODevice::WriteOnly) && file.write(ini.bytes()) == ini.bytes().size();
        if (ok && beforeCommit_ && !beforeCommit_()) {
            file.cancelWriting();
            ok = false;
        }
        ok = ok && file.commit();
    }
    unsaved_ = !ok;
    if (!ok && !failureReported_) {
        failureReported_ = true;
        emit saveFailed();
    }
    return ok;
}

qint64 Statistics::counter(CounterList list, int tkey) const
{
    return counterValue(WordStats[index(list)][tkey]);
}

void Statistics::incrementCounter(CounterList list, int tkey)
{
    QString& entry = WordStats[index(list)][tkey];
    entry = QString::number(counterValue(entry) + 1);
}

int Statistics::coveredCount(DrillKind kind) const
{
    int covered = 0;
    for (int t = 1; t < CounterSlots; ++t) {
        if (counter(triesList(kind), t) != 0 && counter(correctList(kind), t) != 0)
            ++covered;
    }
    return covered;
}

void Statistics::computeCoverage()
{
    const int cP = coveredCount(DrillKind::PinyinDrill);
    const int cT = coveredCount(DrillKind::ToneDrill);
    const int cR = coveredCount(DrillKind::TranslationDrill);
    lblMouraP = QString::number((cP + cT) / 10);
    lblMouraR = QString::number(cR / 5);
    emit coverageChanged();
}

bool Statistics::canUsePinyinDrill() const
{
    return lblMouraP.toInt() > 50;
}
