#include "core/inifile.h"

#include <algorithm>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Views, not copies: a line may be megabytes long.
QByteArrayView trimmedBlanks(QByteArrayView text)
{
    qsizetype b = 0;
    qsizetype e = text.size();
    while (b < e && isBlank(text[b]))
        ++b;
    while (e > b && isBlank(text[e - 1]))
        --e;
    return text.sliced(b, e - b);
}

// The first byte of a two-byte CP932 character. Its second byte may look like
// an ASCII letter or bracket and must be taken as neither.
bool isLeadByte(char c)
{
    const auto b = static_cast<unsigned char>(c);
    return (b >= 0x81 && b <= 0x9f) || (b >= 0xe0 && b <= 0xfc);
}

char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Names match without regard to ASCII case, but two-byte characters only as
// they stand.
bool sameName(QByteArrayView a, QByteArrayView b, bool multiByte)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (multiByte && isLeadByte(a[i]) && i + 1 < a.size()) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1])
                return false;
            ++i;
        } else if (asciiLower(a[i]) != asciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

// Section name of a header line "[name]", or nothing for any other line.
std::optional<QByteArrayView> sectionName(QByteArrayView line, bool multiByte)
{
    const QByteArrayView t = trimmedBlanks(line);
    if (!t.startsWith('['))
        return std::nullopt;
    qsizetype close = 1;
    while (close < t.size() && t[close] != ']')
        close += multiByte && isLeadByte(t[close]) ? 2 : 1;
    return trimmedBlanks(t.sliced(1, std::min(close, t.size()) - 1));
}

// Key name of a key line, or nothing for lines without "=" and comment lines.
std::optional<QByteArrayView> keyName(QByteArrayView line)
{
    const qsizetype eq = line.indexOf('=');
    if (eq < 0)
        return std::nullopt;
    const QByteArrayView key = trimmedBlanks(line.first(eq));
    if (key.startsWith(';'))
        return std::nullopt;
    return key;
}

} // namespace

IniFile::IniFile(QByteArray bytes) : bytes_(std::move(bytes))
{
    parseLines();
}

void IniFile::parseLines()
{
    lines_.clear();
    const char* d = bytes_.constData();
    qsizetype i = 0;
    const qsizetype n = bytes_.size();
    while (i < n) {
        Line line;
        line.start = i;
        while (i < n && d[i] != '\r' && d[i] != '\n')
            ++i;
        line.end = i;
        if (i < n && d[i] == '\r')
            ++i;
        if (i < n && d[i] == '\n' && (i == line.end || d[i - 1] == '\r'))
            ++i;
        line.next = i;
        lines_.append(line);
    }
}

IniFile::Location IniFile::locate(QByteArrayView section, QByteArrayView key) const
{
    section = trimmedBlanks(section);
    key = trimmedBlanks(key);
    Location loc;
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        const QByteArrayView text = lineText(lines_[i]);
        if (const auto name = sectionName(text, multiByte_)) {
            if (loc.sectionLine >= 0)
                break; // the first matching section wins; its keys end here
            if (sameName(*name, section, multiByte_))
                loc.sectionLine = i;
            continue;
        }
        if (loc.sectionLine < 0)
            continue;
        if (const auto k = keyName(text)) {
            loc.lastKeyLine = i;
            if (loc.keyLine < 0 && sameName(*k, key, multiByte_))
                loc.keyLine = i;
        }
    }
    return loc;
}

QByteArrayView IniFile::lineText(const Line& line) const
{
    return QByteArrayView(bytes_).sliced(line.start, line.end - line.start);
}

std::optional<QByteArrayView> IniFile::valueView(const QByteArray& section, const QByteArray& key) const
{
    const Location loc = locate(section, key);
    if (loc.keyLine < 0)
        return std::nullopt;
    const QByteArrayView text = lineText(lines_[loc.keyLine]);
    QByteArrayView v = trimmedBlanks(text.sliced(text.indexOf('=') + 1));
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.sliced(1, v.size() - 2);
    return v;
}

std::optional<QByteArray> IniFile::value(const QByteArray& section, const QByteArray& key) const
{
    const auto v = valueView(section, key);
    return v ? std::optional<QByteArray>(v->toByteArray()) : std::nullopt;
}

QByteArray IniFile::lineEnding() const
{
    for (const Line& line : lines_) {
        if (line.next > line.end)
            return bytes_.mid(line.end, line.next - line.end);
    }
    return QByteArrayLiteral("\r\n");
}

void IniFile::setValue(const QByteArray& section, const QByteArray& key, const QByteArray& value)
{
    const QByteArray eol = lineEnding();
    const Location loc = locate(section, key);
    const QByteArray entry = trimmedBlanks(key).toByteArray() + '=' + value;
    if (loc.keyLine >= 0) {
        const Line& line = lines_[loc.keyLine];
        // A key the file already has keeps the spelling it has there.
        const QByteArray spelled = keyName(lineText(line))->toByteArray() + '=' + value;
        bytes_.replace(line.start, line.end - line.start, spelled);
    } else if (loc.sectionLine >= 0) {
        const qsizetype after = loc.lastKeyLine >= 0 ? loc.lastKeyLine : loc.sectionLine;
        const Line& line = lines_[after];
        if (line.next == line.end) // the file's last line has no line end yet
            bytes_.insert(line.end, eol + entry);
        else
            bytes_.insert(line.next, entry + eol);
    } else {
        if (!bytes_.isEmpty() && !bytes_.endsWith('\n') && !bytes_.endsWith('\r'))
            bytes_.append(eol);
        bytes_.append('[' + trimmedBlanks(section).toByteArray() + ']' + eol + entry + eol);
    }
    parseLines();
}
