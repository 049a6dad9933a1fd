#pragma once

#include "core/progress/logfigures.h"

#include <QList>
#include <QStringList>
#include <QWidget>

// The progress screen's charts, painted with antialiasing in device-independent
// pixels (sharp at 2x), in the colours of the background pictures. Each one is
// named by its title and describes its figures to a screen reader.

// Bars along days or weeks: two stacked counts (right under wrong), or a share
// of 0 to 1 against a target line.
class BarChart : public QWidget {
    Q_OBJECT
  public:
    enum class Kind { Counts, Share };
    BarChart(QWidget* parent, const QString& objectName, Kind kind, const QRect& geometry);

    struct Bar {
        double first = 0;  // Counts: right answers (or reviews); Share: the share, < 0 for none
        double second = 0; // Counts: wrong answers, stacked on top
        bool operator==(const Bar&) const = default;
    };
    // ticks: one label per bar, most of them empty.
    void setBars(const QList<Bar>& bars, const QStringList& ticks);
    void setTarget(double share) { target_ = share; }
    const QList<Bar>& bars() const { return bars_; }

  protected:
    void paintEvent(QPaintEvent* e) override;

  private:
    Kind kind_;
    QList<Bar> bars_;
    QStringList ticks_;
    double target_ = -1;
};

// Expected tone (rows) against answered tone (columns), each cell as deep as
// its count; the diagonal, a tone answered right, is left blank.
class ConfusionGrid : public QWidget {
    Q_OBJECT
  public:
    ConfusionGrid(QWidget* parent, const QString& objectName, const QRect& geometry);
    void setConfusions(const ToneConfusions& c);

  protected:
    void paintEvent(QPaintEvent* e) override;

  private:
    ToneConfusions confusions_;
};
