#include "core/inifile.h"

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

QByteArray trimmedBlanks(QByteArray text)
{
    qsizetype b = 0;
    qsizetype e = text.size();
    while (b < e && isBlank(text[b]))
        ++b;
    while (e > b && isBlank(text[e - 1]))
        --e;
    return text.mid(b, e - b);
}

bool sameName(const QByteArray& a, const QByteArray& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Section name of a header line "[name]", or nothing for any other line.
std::optional<QByteArray> sectionName(const QByteArray& line)
{
    const QByteArray t = trimmedBlanks(line);
    if (!t.startsWith('['))
        return std::nullopt;
    const qsizetype close = t.indexOf(']');
    const QByteArray name = close < 0 ? t.mid(1) : t.mid(1, close - 1);
    return trimmedBlanks(name);
}

// Key name of a key line, or nothing for lines without "=" and comment lines.
std::optional<QByteArray> keyName(const QByteArray& line)
{
    const qsizetype eq = line.indexOf('=');
    if (eq < 0)
        return std::nullopt;
    const QByteArray key = trimmedBlanks(line.left(eq));
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
    qsizetype i = 0;
    const qsizetype n = bytes_.size();
    while (i < n) {
        Line line;
        line.start = i;
        while (i < n && bytes_[i] != '\r' && bytes_[i] != '\n')
            ++i;
        line.end = i;
        if (i < n && bytes_[i] == '\r')
            ++i;
        if (i < n && bytes_[i] == '\n' && (i == line.end || bytes_[i - 1] == '\r'))
            ++i;
        line.next = i;
        lines_.append(line);
    }
}

IniFile::Location IniFile::locate(const QByteArray& section, const QByteArray& key) const
{
    Location loc;
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        const QByteArray text = bytes_.mid(lines_[i].start, lines_[i].end - lines_[i].start);
        if (const auto name = sectionName(text)) {
            if (loc.sectionLine >= 0)
                break; // the first matching section wins; its keys end here
            if (sameName(*name, section))
                loc.sectionLine = i;
            continue;
        }
        if (loc.sectionLine < 0)
            continue;
        if (const auto k = keyName(text)) {
            loc.lastKeyLine = i;
            if (loc.keyLine < 0 && sameName(*k, key))
                loc.keyLine = i;
        }
    }
    return loc;
}

std::optional<QByteArray> IniFile::value(const QByteArray& section, const QByteArray& key) const
{
    const Location loc = locate(section, key);
    if (loc.keyLine < 0)
        return std::nullopt;
    const Line& line = lines_[loc.keyLine];
    const QByteArray text = bytes_.mid(line.start, line.end - line.start);
    QByteArray v = trimmedBlanks(text.mid(text.indexOf('=') + 1));
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.mid(1, v.size() - 2);
    return v;
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
    const QByteArray entry = key + '=' + value;
    const Location loc = locate(section, key);
    if (loc.keyLine >= 0) {
        const Line& line = lines_[loc.keyLine];
        bytes_.replace(line.start, line.end - line.start, entry);
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
        bytes_.append('[' + section + ']' + eol + entry + eol);
    }
    parseLines();
}
