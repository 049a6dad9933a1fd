#include "core/speechsettings.h"

#include "core/inifile.h"

namespace {

const QByteArray section = QByteArrayLiteral("SPEECH");
const QByteArray enabledKey = QByteArrayLiteral("ENABLED");
const QByteArray slowKey = QByteArrayLiteral("SLOW");

void readFlag(const IniFile& ini, const QByteArray& key, bool& flag)
{
    bool ok = false;
    const int v = ini.value(section, key).value_or(QByteArray()).toInt(&ok);
    if (ok)
        flag = v != 0;
}

} // namespace

SpeechSettings SpeechSettings::fromIni(const IniFile& ini)
{
    SpeechSettings s;
    readFlag(ini, enabledKey, s.enabled);
    readFlag(ini, slowKey, s.slow);
    return s;
}

void SpeechSettings::toIni(IniFile& ini) const
{
    ini.setValue(section, enabledKey, enabled ? "1" : "0");
    ini.setValue(section, slowKey, slow ? "1" : "0");
}

SpeechSettings SpeechSettings::load(const QString& path)
{
    const std::optional<IniFile> ini = readIniFile(path);
    return ini ? fromIni(*ini) : SpeechSettings{};
}

bool SpeechSettings::save(const QString& path) const
{
    return editIniFile(path, [this](IniFile& ini) { toIni(ini); });
}
