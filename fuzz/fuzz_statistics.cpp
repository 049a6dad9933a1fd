// Feeds arbitrary bytes to the INI reader and writer and to the statistics
// parsing: nothing may crash, hang or leak, and a save must keep the bytes it
// does not own.
#include "core/inifile.h"
#include "core/statistics.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    Statistics stats(QStringLiteral("/nonexistent/conf.ini"));
    stats.loadFrom(bytes);
    stats.computeCoverage();
    for (const auto& list : stats.WordStats) {
        if (list.size() != CounterSlots)
            std::abort();
    }
    stats.joinCounterLists();

    IniFile ini(bytes);
    ini.setValue("STATISTICS", "SCORE", formatTotal(stats.score));
    ini.setValue("statistics", "P_NOGPT", stats.CounterTexts[0].toLatin1());
    ini.setValue("Other", "Key", "v");
    // What was written reads back as written.
    if (ini.value("Statistics", "score") != formatTotal(stats.score).trimmed())
        std::abort();
    if (ini.value("OTHER", "key") != QByteArray("v"))
        std::abort();
    return 0;
}
