#include "data/db.h"

#include "data/studytables.h"

namespace {

// A string that shares the constant text: no copy.
QString text(std::u16string_view field)
{
    return QString::fromRawData(reinterpret_cast<const QChar*>(field.data()), qsizetype(field.size()));
}

// A table's rows as lists of strings that share the constant text: no copy, no parsing.
QList<QStringList> rowsOf(const StudyTables::Table& table)
{
    QList<QStringList> rows;
    rows.reserve(table.rows);
    for (int r = 0; r < table.rows; ++r) {
        QStringList row;
        row.reserve(table.columns);
        for (int c = 0; c < table.columns; ++c)
            row.append(text(table.at(r, c)));
        rows.append(std::move(row));
    }
    return rows;
}

constexpr std::array<const char16_t*, 9> genreTexts = {
    u"ジャンル", u"社会生活", u"学校・勉強", u"ビジネス・仕事", u"娯楽", u"家庭", u"自然", u"時間", u"国・地域",
};

// Points of each axis for the values 0 to 10, columns in PentagonAxis order. The
// steps are uneven, so they are stored rather than computed.
constexpr int axisPoints[11][5][2] = {
    {{532, 228}, {532, 228}, {532, 228}, {532, 228}, {532, 228}},
    {{532, 219}, {542, 225}, {538, 236}, {526, 236}, {523, 225}},
    {{532, 210}, {550, 221}, {544, 244}, {521, 243}, {514, 223}},
    {{532, 200}, {558, 218}, {550, 254}, {513, 253}, {504, 219}},
    {{532, 192}, {568, 215}, {556, 262}, {508, 262}, {495, 217}},
    {{532, 178}, {578, 212}, {561, 268}, {503, 268}, {485, 213}},
    {{532, 168}, {587, 208}, {566, 275}, {497, 276}, {476, 210}},
    {{532, 158}, {597, 205}, {573, 284}, {492, 283}, {467, 207}},
    {{532, 148}, {607, 203}, {579, 291}, {486, 291}, {457, 205}},
    {{532, 138}, {617, 200}, {585, 299}, {480, 299}, {447, 202}},
    {{532, 128}, {627, 197}, {591, 307}, {474, 308}, {437, 199}},
};

QList<ExamEntry> examEntries(const StudyTables::Table& table)
{
    QList<ExamEntry> entries;
    entries.reserve(table.rows - 1);
    for (int r = 1; r < table.rows; ++r) {
        const auto number = [&](int c) { return static_cast<qint16>(text(table.at(r, c)).toInt()); };
        entries.append({number(0), number(1)});
    }
    return entries;
}

} // namespace

void DB::initCharTable()
{
    charTable_ = rowsOf(StudyTables::chars);
    for (size_t i = 0; i < genreTexts.size(); ++i)
        genreNames_[i] = QString::fromUtf16(genreTexts[i]);
    for (int v = 0; v <= 10; ++v)
        for (int a = 0; a < 5; ++a)
            chartAxes_[static_cast<size_t>(a)][static_cast<size_t>(v)] =
                QPoint(axisPoints[v][a][0], axisPoints[v][a][1]);
    examLists_[0] = examEntries(StudyTables::examAll);
    examLists_[1] = examEntries(StudyTables::examHearing);
    examLists_[2] = examEntries(StudyTables::examWriting);
    glyphChars_.clear();
    glyphChars_.reserve(StudyTables::glyphChars.rows);
    for (int r = 0; r < StudyTables::glyphChars.rows; ++r)
        glyphChars_.append(text(StudyTables::glyphChars.at(r, 1)));
}

void DB::initWordTable()
{
    wordTable_ = rowsOf(StudyTables::words);
}

std::array<int, 4> DB::wordCKeys(int tkey) const
{
    return {wordInt(tkey, WordField::CKey1), wordInt(tkey, WordField::CKey2), wordInt(tkey, WordField::CKey3),
            wordInt(tkey, WordField::CKey4)};
}

QPoint DB::ChartAxes(PentagonAxis axis, int value) const
{
    return chartAxes_[static_cast<size_t>(axis)][static_cast<size_t>(qBound(0, value, 10))];
}

const QList<ExamEntry>& DB::examList(ExamListKind kind) const
{
    return examLists_[static_cast<size_t>(static_cast<int>(kind) - 1)];
}

QString DB::glyphCharacter(int ckey) const
{
    return ckey > 0 && ckey < glyphChars_.size() ? glyphChars_[ckey] : QString();
}
