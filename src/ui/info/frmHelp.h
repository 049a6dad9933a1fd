#pragma once

#include "core/info/helppages.h"
#include "ui/screenbase.h"

#include <array>

class QLabel;

// The help viewer: page 0 the table of contents, 1 to 7 topics.
class frmHelp : public ScreenBase {
    Q_OBJECT
  public:
    explicit frmHelp(ScreenRegistry& screens);

    void load() override;
    // Shows page 0..7.
    void setHelp(qint16 page);
    void resetHover() override;

  protected:
    void pageDownKey() override;
    void pageUpKey() override;

  private:
    void turnTo(int page);
    void highlightEntry(int k);

    std::array<HelpEntry, HelpPageCount> HelpPages;
    QLabel* lblType_ = nullptr;
    QLabel* lblComment_ = nullptr;
    std::array<QLabel*, HelpTopicCount> lblContents_{};
};
