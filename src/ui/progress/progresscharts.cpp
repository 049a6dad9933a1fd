#include "ui/progress/progresscharts.h"

#include "ui/layout.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

QColor colour(QRgb rgb)
{
    return QColor::fromRgb(rgb);
}

// 1, 2, 5, 10, 20, 50 ...: the top of the scale, at or above the largest value.
double niceCeiling(double v)
{
    if (v <= 1)
        return 1;
    const double magnitude = std::pow(10.0, std::floor(std::log10(v)));
    for (double step : {1.0, 2.0, 5.0, 10.0}) {
        if (step * magnitude >= v)
            return step * magnitude;
    }
    return 10 * magnitude;
}

QFont chartFont(int pixelSize)
{
    QFont f;
    f.setPixelSize(pixelSize);
    return f;
}

// Tones in the order the grid shows them: 1 to 4, then neutral.
constexpr int gridTones[ToneClasses] = {1, 2, 3, 4, 0};

} // namespace

BarChart::BarChart(QWidget* parent, const QString& objectName, Kind kind, const QRect& geometry)
    : QWidget(parent), kind_(kind)
{
    setObjectName(objectName);
    setGeometry(geometry);
    // Tab reaches it, so that a screen reader reads its figures.
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents, false);
}

void BarChart::setBars(const QList<Bar>& bars, const QStringList& ticks)
{
    bars_ = bars;
    ticks_ = ticks;
    update();
}

void BarChart::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(chartFont(10));
    const QRectF plot(36, 6, width() - 42, height() - 24);
    const QColor rule = colour(Layout::Palette::rule);
    const QColor soft = colour(Layout::Palette::softInk);

    double top = 1;
    if (kind_ == Kind::Counts) {
        double most = 0;
        for (const Bar& b : bars_)
            most = std::max(most, b.first + b.second);
        top = std::max(niceCeiling(most), 2.0);
    }
    const auto yOf = [&](double v) { return plot.bottom() - v / top * plot.height(); };

    // Scale: the ground line, half and top, with their values.
    for (double v : {0.0, top / 2, top}) {
        const double y = yOf(v);
        p.setPen(QPen(v == 0 ? soft : rule, v == 0 ? 1.0 : 0.8));
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        const bool whole = kind_ == Kind::Share || v == std::floor(v);
        const QString label = kind_ == Kind::Share ? QString::number(std::lround(v * 100)) + QLatin1Char('%')
                                                   : QString::number(v, 'f', 0);
        p.setPen(soft);
        if (whole) // a count's scale names whole numbers only
            p.drawText(QRectF(0, y - 7, plot.left() - 4, 14), Qt::AlignRight | Qt::AlignVCenter, label);
    }
    if (bars_.isEmpty())
        return;

    const double slot = plot.width() / bars_.size();
    const double barWidth = std::max(1.5, slot * 0.7);
    const QColor first = colour(Layout::Palette::bamboo);
    const QColor second = colour(Layout::Palette::accent);
    p.setPen(Qt::NoPen);
    for (qsizetype i = 0; i < bars_.size(); ++i) {
        const Bar& b = bars_[i];
        const double x = plot.left() + i * slot + (slot - barWidth) / 2;
        if (kind_ == Kind::Share) {
            if (b.first < 0)
                continue;
            p.setBrush(first);
            p.drawRoundedRect(QRectF(x, yOf(b.first), barWidth, plot.bottom() - yOf(b.first)), 1.5, 1.5);
            continue;
        }
        if (b.first > 0) {
            p.setBrush(first);
            p.drawRect(QRectF(x, yOf(b.first), barWidth, plot.bottom() - yOf(b.first)));
        }
        if (b.second > 0) {
            p.setBrush(second);
            p.drawRect(QRectF(x, yOf(b.first + b.second), barWidth, yOf(b.first) - yOf(b.first + b.second)));
        }
    }
    if (target_ >= 0) {
        p.setPen(QPen(second, 1.5, Qt::DashLine));
        p.drawLine(QPointF(plot.left(), yOf(target_)), QPointF(plot.right(), yOf(target_)));
    }
    p.setPen(soft);
    for (qsizetype i = 0; i < ticks_.size() && i < bars_.size(); ++i) {
        if (ticks_[i].isEmpty())
            continue;
        const double centre = plot.left() + (i + 0.5) * slot;
        p.drawText(QRectF(centre - 30, plot.bottom() + 3, 60, 14), Qt::AlignHCenter | Qt::AlignTop, ticks_[i]);
    }
}

ConfusionGrid::ConfusionGrid(QWidget* parent, const QString& objectName, const QRect& geometry) : QWidget(parent)
{
    setObjectName(objectName);
    setGeometry(geometry);
    setFocusPolicy(Qt::TabFocus);
}

void ConfusionGrid::setConfusions(const ToneConfusions& c)
{
    confusions_ = c;
    update();
}

void ConfusionGrid::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(chartFont(10));
    const double label = 30;
    const double cellW = (width() - label) / ToneClasses;
    const double cellH = (height() - 16) / ToneClasses;
    const QColor soft = colour(Layout::Palette::softInk);
    const QColor accent = colour(Layout::Palette::accent);
    int most = 0;
    for (int e = 0; e < ToneClasses; ++e) {
        for (int a = 0; a < ToneClasses; ++a)
            most = std::max(most, confusions_.count(e, a));
    }
    p.setPen(soft);
    for (int c = 0; c < ToneClasses; ++c) {
        const QString name = toneName(gridTones[c]);
        p.drawText(QRectF(label + c * cellW, 0, cellW, 14), Qt::AlignCenter, name);
        p.drawText(QRectF(0, 16 + c * cellH, label - 4, cellH), Qt::AlignRight | Qt::AlignVCenter, name);
    }
    for (int r = 0; r < ToneClasses; ++r) {
        for (int c = 0; c < ToneClasses; ++c) {
            const QRectF cell(label + c * cellW + 1, 16 + r * cellH + 1, cellW - 2, cellH - 2);
            const int n = confusions_.count(gridTones[r], gridTones[c]);
            if (r == c) {
                p.setPen(Qt::NoPen);
                p.setBrush(colour(Layout::Palette::stripe));
                p.drawRoundedRect(cell, 2, 2);
                continue;
            }
            QColor fill = accent;
            fill.setAlphaF(n == 0 || most == 0 ? 0.0 : 0.15 + 0.85 * double(n) / most);
            p.setPen(QPen(colour(Layout::Palette::rule), 0.8));
            p.setBrush(n == 0 ? colour(Layout::Palette::panel) : fill);
            p.drawRoundedRect(cell, 2, 2);
            if (n > 0) {
                p.setPen(double(n) / most > 0.55 ? QColor(Qt::white) : colour(Layout::Palette::ink));
                p.drawText(cell, Qt::AlignCenter, QString::number(n));
            }
        }
    }
}
