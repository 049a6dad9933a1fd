#pragma once

#include "core/progress/progress.h"
#include "core/progress/readiness.h"
#include "ui/screenbase.h"

#include <QDate>

#include <array>
#include <functional>
#include <optional>

class BarChart;
class ConfusionGrid;
class QLabel;
class QLineEdit;

// 学習記録: the answers of the last 30 days, the retention of each week, the
// reviews due in the next 30 days, the tone confusions with a drill of the
// words behind the first, the sitting with the readiness and the plan for it,
// and 書き出し, the log as CSV for the FSRS optimizer.
class frmProgress : public ScreenBase {
    Q_OBJECT
  public:
    explicit frmProgress(ScreenRegistry& screens);

    // Reads the log and the review states and draws them.
    void init();

    // Where 書き出し writes: asks the learner (a file dialog); tests answer in advance.
    using FileChooser = std::function<QString(QWidget* parent, const QString& suggested)>;
    static void setFileChooser(FileChooser chooser);

  private:
    void refresh();
    void showSitting();
    void chooseSitting(std::optional<QDate> date);
    void chooseTypedDate();
    void drillFirstConfusion();
    void exportLog();
    qint32 today() const;

    ProgressFigures figures_;
    QList<int> weights_;
    std::optional<QDate> sitting_;
    QList<QDate> nextSittings_;
    QList<int> confusionWords_;

    BarChart* perDay_ = nullptr;
    BarChart* perWeek_ = nullptr;
    BarChart* forecast_ = nullptr;
    ConfusionGrid* grid_ = nullptr;
    QLabel* lblEmpty_ = nullptr;
    std::array<QLabel*, 3> lblConfusion_{};
    QLabel* lblSitting_ = nullptr;
    QLabel* lblReadiness_ = nullptr;
    QLabel* lblReadinessNote_ = nullptr;
    QLabel* lblPlan_ = nullptr;
    QLabel* lblExport_ = nullptr;
    QLineEdit* txtExamDate_ = nullptr;
};
