#pragma once

#include <QByteArrayView>
#include <QDate>
#include <QList>
#include <QString>

#include <optional>

class IniFile;

// The level-4 sittings are held on the fourth Sunday of March, June and November.
QDate fourthSunday(int year, int month);
// The first `count` sittings on or after `from` (the day of a sitting is still ahead of the learner).
QList<QDate> nextSittings(QDate from, int count = 3);

// The sitting the learner prepares for: [EXAM] DATE=yyyy-MM-dd in conf.ini,
// kept through the program's own INI code like [SPEECH] beside it.
struct ExamDate {
    // A date written exactly yyyy-MM-dd, from 2000-01-01 to 9999-12-31; anything else is none.
    static std::optional<QDate> parse(QByteArrayView value);
    static std::optional<QDate> fromIni(const IniFile& ini);
    // None when the file is missing or cannot be read.
    static std::optional<QDate> load(const QString& path);
    // Re-reads path and replaces it with the key changed (empty for none),
    // every other byte kept. False on any error; a file that exists but cannot
    // be read is left alone.
    static bool save(const QString& path, std::optional<QDate> date);
};

// Days from today to the sitting; negative once it has passed.
qint64 daysUntil(QDate sitting, QDate today);
// The main menu's line: 「試験まであと12日」, 「試験は今日です」 on the day, empty once past.
QString countdownCaption(QDate sitting, QDate today);
