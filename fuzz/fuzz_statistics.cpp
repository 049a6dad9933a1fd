// Feeds arbitrary bytes to the INI reader and writer and to the statistics
// parsing: nothing may crash, hang, leak or overflow, a file comes back byte
// for byte whatever its encoding, and a save must keep the bytes it does not own.
#include "core/inifile.h"
#include "core/statistics.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    Statistics stats(QStringLiteral("/nonexistent/conf.ini"));
    stats.loadFrom(bytes);
    for (size_t i = 0; i < stats.WordStats.size(); ++i) {
        if (stats.WordStats[i].size() != CounterSlots || stats.CounterTexts[i].count(u',') >= CounterSlots)
            std::abort();
        stats.incrementCounter(static_cast<CounterList>(i), 1);
    }
    stats.computeCoverage();
    stats.joinCounterLists();

    IniFile ini(bytes);
    if (ini.bytes() != bytes) // BOM, UTF-16 and odd lengths included
        std::abort();
    ini.setValue("STATISTICS", "SCORE", formatTotal(stats.score));
    ini.setValue("statistics", "P_NOGPT", stats.CounterTexts[0].toLatin1());
    ini.setValue("Other", "Key", "v");
    // What was written reads back as written, also after the file is encoded again.
    const IniFile reread(ini.bytes());
    for (const IniFile* file : {static_cast<const IniFile*>(&ini), &reread}) {
        if (file->value("Statistics", "score") != formatTotal(stats.score).trimmed())
            std::abort();
        if (file->value("OTHER", "key") != QByteArray("v"))
            std::abort();
    }
    return 0;
}
