#pragma once

#include "core/tovak.h"

#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <array>

// The detail's last position in CurrentCharList; the list builders set it to
// CurrentCharCount - 1 with every list they build.
inline void setFrmChar_maxcno(Tovak& t, qint16 maxcno)
{
    t.maxcno = maxcno;
}

// The pentagon chart of one character. Vertices in the order of the marks
// lnDot(1) to lnDot(5): top (overall class), upper left (listening class),
// lower left (related words, at most 10), lower right (Read1 class), upper
// right (Read2 class); lblPenta(k) shows the value of vertex k.
struct PentagonChart {
    std::array<QPoint, 5> vertices{};
    std::array<QString, 5> values; // lblPenta(0..4): the class fields as stored

    // A line of the chart: the edges ln12, ln23, ln34, ln45, ln51, then the
    // vertex marks lnDot(1..5), each a line whose two ends are its vertex.
    struct Line {
        QString name;
        QPoint from;
        QPoint to;
    };
    QList<Line> lines() const;
};

PentagonChart pentagonChart(const DB& db, int ckey);

// Rows of related-word glyphs on the detail screen; the longest list has 16.
inline constexpr int RelatedRows = 17;

// Everything the detail screen shows for the character at position cno.
struct CharDetail {
    QString title; // the list being browsed; empty keeps the caption
    int ckey = 0;
    QString pinyin;       // the readings for the eye, "di2,di4", "lü4"
    QStringList readings; // each reading as stored, for speech: "di2", "di4"
    QString listSize;     // "803語中"
    QString rank;         // "第25位"
    QString relatedCount; // "16"
    // Glyph keys of each related word (NoChar in empty slots), at most RelatedRows.
    QList<std::array<int, 4>> relatedGlyphs;
    QList<int> relatedWords; // the word key of each of those rows, 0 where the key is unknown
    bool drillsShown = false;
    bool nextShown = false;
    bool beforeShown = false;
    PentagonChart chart;
};

// The detail of ckey shown at position cno of CurrentCharList.
CharDetail charDetail(const Tovak& t, int ckey);
