#include "core/progress/sittings.h"

#include "core/durablefile.h"
#include "core/inifile.h"

using namespace Qt::Literals::StringLiterals;

namespace {

const QByteArray section = QByteArrayLiteral("EXAM");
const QByteArray dateKey = QByteArrayLiteral("DATE");
constexpr int sittingMonths[] = {3, 6, 11};

} // namespace

QDate fourthSunday(int year, int month)
{
    const QDate first(year, month, 1);
    if (!first.isValid())
        return {};
    const int toSunday = (Qt::Sunday - first.dayOfWeek() + 7) % 7;
    return first.addDays(toSunday + 21);
}

QList<QDate> nextSittings(QDate from, int count)
{
    QList<QDate> out;
    if (!from.isValid())
        return out;
    for (int year = from.year(); out.size() < count && year <= 9999; ++year) {
        for (int month : sittingMonths) {
            const QDate d = fourthSunday(year, month);
            if (d >= from && out.size() < count)
                out.append(d);
        }
    }
    return out;
}

std::optional<QDate> ExamDate::parse(QByteArrayView value)
{
    value = value.trimmed();
    if (value.size() != 10 || value[4] != '-' || value[7] != '-')
        return std::nullopt;
    for (qsizetype i : {0, 1, 2, 3, 5, 6, 8, 9}) {
        if (value[i] < '0' || value[i] > '9')
            return std::nullopt;
    }
    const QDate d = QDate::fromString(QString::fromLatin1(value.data(), value.size()), Qt::ISODate);
    if (!d.isValid() || d < QDate(2000, 1, 1))
        return std::nullopt;
    return d;
}

std::optional<QDate> ExamDate::fromIni(const IniFile& ini)
{
    const std::optional<QByteArrayView> value = ini.valueView(section, dateKey);
    return value ? parse(*value) : std::nullopt;
}

std::optional<QDate> ExamDate::load(const QString& path)
{
    QByteArray bytes;
    if (DurableFile::readAll(path, bytes) != DurableFile::ReadResult::Read)
        return std::nullopt;
    return fromIni(IniFile(bytes));
}

bool ExamDate::save(const QString& path, std::optional<QDate> date)
{
    QByteArray bytes;
    if (DurableFile::readAll(path, bytes) == DurableFile::ReadResult::Failed)
        return false;
    IniFile ini(bytes);
    ini.setValue(section, dateKey, date && date->isValid() ? date->toString(Qt::ISODate).toLatin1() : QByteArray());
    return DurableFile::replace(path, ini.bytes());
}

qint64 daysUntil(QDate sitting, QDate today)
{
    return today.daysTo(sitting);
}

QString countdownCaption(QDate sitting, QDate today)
{
    const qint64 days = daysUntil(sitting, today);
    if (!sitting.isValid() || !today.isValid() || days < 0)
        return {};
    if (days == 0)
        return u"試験は今日です"_s;
    return u"試験まであと%1日"_s.arg(days);
}
