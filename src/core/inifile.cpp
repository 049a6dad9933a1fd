#include "core/inifile.h"

#include "core/durablefile.h"

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

const QByteArray utf8Mark = QByteArrayLiteral("\xef\xbb\xbf");
const QByteArray utf16LeMark = QByteArrayLiteral("\xff\xfe");
const QByteArray utf16BeMark = QByteArrayLiteral("\xfe\xff");

bool isHighSurrogate(char32_t c)
{
    return c >= 0xd800 && c <= 0xdbff;
}

bool isLowSurrogate(char32_t c)
{
    return c >= 0xdc00 && c <= 0xdfff;
}

void appendUtf8(QByteArray& out, char32_t c)
{
    const auto byte = [](char32_t b) { return static_cast<char>(b); };
    if (c < 0x80) {
        out += byte(c);
    } else if (c < 0x800) {
        out += byte(0xc0 | c >> 6);
        out += byte(0x80 | (c & 0x3f));
    } else if (c < 0x10000) {
        out += byte(0xe0 | c >> 12);
        out += byte(0x80 | (c >> 6 & 0x3f));
        out += byte(0x80 | (c & 0x3f));
    } else {
        out += byte(0xf0 | c >> 18);
        out += byte(0x80 | (c >> 12 & 0x3f));
        out += byte(0x80 | (c >> 6 & 0x3f));
        out += byte(0x80 | (c & 0x3f));
    }
}

// UTF-16 code units as UTF-8 to edit. A lone surrogate becomes three bytes of
// its own (as in WTF-8) instead of a replacement character, so that the units
// come back exactly as they were.
QByteArray utf16ToUtf8(QByteArrayView units, bool bigEndian)
{
    const qsizetype n = units.size() / 2;
    const auto unit = [&](qsizetype i) -> char32_t {
        const auto first = static_cast<unsigned char>(units[2 * i]);
        const auto second = static_cast<unsigned char>(units[2 * i + 1]);
        return bigEndian ? char32_t(first << 8 | second) : char32_t(second << 8 | first);
    };
    QByteArray out;
    out.reserve(n * 3 / 2);
    for (qsizetype i = 0; i < n; ++i) {
        char32_t c = unit(i);
        if (isHighSurrogate(c) && i + 1 < n && isLowSurrogate(unit(i + 1)))
            c = 0x10000 + ((c - 0xd800) << 10) + (unit(++i) - 0xdc00);
        appendUtf8(out, c);
    }
    return out;
}

// Length of the UTF-8 sequence at text[i] and its code point; 0 when the bytes
// there are no such sequence.
int utf8Sequence(QByteArrayView text, qsizetype i, char32_t& c)
{
    const auto b = static_cast<unsigned char>(text[i]);
    const int length = b < 0x80                 ? 1
                       : b >= 0xc2 && b <= 0xdf ? 2
                       : b >= 0xe0 && b <= 0xef ? 3
                       : b >= 0xf0 && b <= 0xf4 ? 4
                                                : 0;
    if (length == 0 || i + length > text.size())
        return 0;
    c = length == 1 ? b : b & (0x7f >> length);
    for (int k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xc0) != 0x80)
            return 0;
        c = c << 6 | (next & 0x3f);
    }
    return c > 0x10ffff ? 0 : length;
}

QByteArray utf8ToUtf16(QByteArrayView text, bool bigEndian)
{
    QByteArray out;
    out.reserve(text.size() * 2);
    const auto appendUnit = [&](char32_t u) {
        const char high = static_cast<char>(u >> 8);
        const char low = static_cast<char>(u & 0xff);
        out += bigEndian ? high : low;
        out += bigEndian ? low : high;
    };
    for (qsizetype i = 0; i < text.size();) {
        char32_t c = 0;
        int length = utf8Sequence(text, i, c);
        if (length == 0) { // not from the file: a byte given as a value, kept as its Latin-1 character
            c = static_cast<unsigned char>(text[i]);
            length = 1;
        }
        if (c >= 0x10000) {
            appendUnit(0xd800 + ((c - 0x10000) >> 10));
            appendUnit(0xdc00 + ((c - 0x10000) & 0x3ff));
        } else {
            appendUnit(c);
        }
        i += length;
    }
    return out;
}

} // namespace

IniFile::IniFile(QByteArray fileBytes)
{
    if (fileBytes.startsWith(utf16LeMark) || fileBytes.startsWith(utf16BeMark)) {
        encoding_ = fileBytes.startsWith(utf16LeMark) ? Encoding::Utf16Le : Encoding::Utf16Be;
        QByteArrayView units = QByteArrayView(fileBytes).sliced(2);
        if (units.size() % 2 != 0) {
            oddByte_ = units.last(1).toByteArray();
            units.chop(1);
        }
        bytes_ = utf16ToUtf8(units, encoding_ == Encoding::Utf16Be);
    } else {
        if (fileBytes.startsWith(utf8Mark)) {
            encoding_ = Encoding::Utf8;
            textStart_ = utf8Mark.size();
        }
        bytes_ = std::move(fileBytes);
    }
    parseLines();
}

QByteArray IniFile::bytes() const
{
    switch (encoding_) {
    case Encoding::Utf16Le:
        return utf16LeMark + utf8ToUtf16(bytes_, false) + oddByte_;
    case Encoding::Utf16Be:
        return utf16BeMark + utf8ToUtf16(bytes_, true) + oddByte_;
    default:
        return bytes_;
    }
}

void IniFile::parseLines()
{
    lines_.clear();
    const char* d = bytes_.constData();
    qsizetype i = textStart_;
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
        if (const auto name = sectionName(text, multiByte())) {
            if (loc.sectionLine >= 0)
                break; // the first matching section wins; its keys end here
            if (sameName(*name, section, multiByte()))
                loc.sectionLine = i;
            continue;
        }
        if (loc.sectionLine < 0)
            continue;
        if (const auto k = keyName(text)) {
            loc.lastKeyLine = i;
            if (loc.keyLine < 0 && sameName(*k, key, multiByte()))
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
        if (bytes_.size() > textStart_ && !bytes_.endsWith('\n') && !bytes_.endsWith('\r'))
            bytes_.append(eol);
        bytes_.append('[' + trimmedBlanks(section).toByteArray() + ']' + eol + entry + eol);
    }
    parseLines();
}

std::optional<IniFile> readIniFile(const QString& path)
{
    QByteArray bytes;
    switch (DurableFile::readAll(path, bytes)) {
    case DurableFile::ReadResult::Read:
        return IniFile(std::move(bytes));
    case DurableFile::ReadResult::Missing:
        return IniFile();
    case DurableFile::ReadResult::Failed:
        break;
    }
    return std::nullopt;
}

bool editIniFile(const QString& path, const std::function<void(IniFile&)>& edit)
{
    std::optional<IniFile> ini = readIniFile(path);
    if (!ini)
        return false;
    edit(*ini);
    return DurableFile::replace(path, ini->bytes());
}
