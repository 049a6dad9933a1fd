#pragma once

#include <QString>

class IniFile;

// Whether words are spoken, and slowly: the [SPEECH] section of conf.ini,
// kept through the program's own INI code like the statistics beside it.
struct SpeechSettings {
    bool enabled = true;
    bool slow = false;

    // The values of a file; a missing or unreadable key keeps its default.
    static SpeechSettings fromIni(const IniFile& ini);
    void toIni(IniFile& ini) const;

    // Reads path; the defaults when it is missing or cannot be read.
    static SpeechSettings load(const QString& path);
    // Re-reads path and replaces it with the two keys changed, every other byte
    // kept. False on any error; a file that exists but cannot be read is left
    // alone (the statistics keep it aside before they write).
    bool save(const QString& path) const;

    bool operator==(const SpeechSettings&) const = default;
};
