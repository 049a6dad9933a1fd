#pragma once

#include "core/drills/answerlist.h"
#include "ui/drills/pagedscreen.h"
#include "ui/drills/wordrows.h"
#include "ui/speakerbutton.h"

#include <array>
#include <optional>

// The answer list: every word of the current list with its pinyin and
// translation, twelve to a page, to read before drilling. Prepares itself when
// it is loaded.
class frmListDui : public PagedScreen {
    Q_OBJECT
  public:
    explicit frmListDui(ScreenRegistry& screens);

    void load() override;

  protected:
    void drawRows() override;
    void replayKey() override;

  private:
    AnswerListSession list_;
    std::array<std::optional<TypedRowView>, AnswerListSession::PageSize> rows_;
    std::array<SpeakerButton*, AnswerListSession::PageSize> speakers_{};
};
