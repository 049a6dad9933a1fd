#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

// An INI file kept as its exact bytes. Reading follows the classic Windows
// profile rules; writing edits only the lines it owns, so every other byte of a
// file (comments, foreign sections, line ends, other encodings) survives a save.
class IniFile {
  public:
    IniFile() = default;
    explicit IniFile(QByteArray bytes);

    // The value of key in section: blanks trimmed, one pair of matching outer
    // quotes removed. Names are trimmed and match without regard to ASCII case
    // (outside two-byte characters); the first of duplicate sections and keys
    // wins. No value when the key is missing.
    std::optional<QByteArray> value(const QByteArray& section, const QByteArray& key) const;
    // The same without a copy; valid until the next change.
    std::optional<QByteArrayView> valueView(const QByteArray& section, const QByteArray& key) const;

    // Replaces the key's line (the key spelled as the file spells it), or adds
    // the key after the last key of its section, or adds the section at the end
    // of the file.
    void setValue(const QByteArray& section, const QByteArray& key, const QByteArray& value);

    // The file's bytes, in the encoding it came in.
    QByteArray bytes() const;

  private:
    struct Line {
        qsizetype start = 0; // first byte of the line
        qsizetype end = 0;   // one past the last byte before the line end
        qsizetype next = 0;  // first byte of the following line
    };
    struct Location {
        qsizetype sectionLine = -1; // index into lines_ of the section header
        qsizetype keyLine = -1;     // index of the key's line, if present
        qsizetype lastKeyLine = -1; // last key line of the section
    };

    void parseLines();
    Location locate(QByteArrayView section, QByteArrayView key) const;
    QByteArrayView lineText(const Line& line) const;
    QByteArray lineEnding() const;

    QByteArray bytes_; // the text edited: the file, or a UTF-16 file's text as UTF-8
    QList<Line> lines_;
    enum class Encoding { Cp932, Utf8, Utf16Le, Utf16Be };
    // Only CP932 has two-byte characters whose second byte may be ASCII.
    bool multiByte() const { return encoding_ == Encoding::Cp932; }

    Encoding encoding_ = Encoding::Cp932;
    qsizetype textStart_ = 0; // past a UTF-8 mark
    QByteArray oddByte_;      // a UTF-16 file's last byte when its length is odd
};

// The settings beside the statistics in conf.ini ([SPEECH], [EXAM]) are read and
// written through these, so that each save keeps every other line of the file.
//
// The file at path: empty when it is missing, nothing when it exists but cannot be read.
std::optional<IniFile> readIniFile(const QString& path);
// Re-reads path, lets edit change its own lines and replaces the file with the
// result, atomically (DurableFile). False on any error, and then the file is as
// it was; a file that exists but cannot be read is left alone (the statistics
// keep it aside before they write).
bool editIniFile(const QString& path, const std::function<void(IniFile&)>& edit);
