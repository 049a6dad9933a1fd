#pragma once

#include "core/statistics.h"
#include "ui/drills/drillscreen.h"
#include "ui/drills/wordrows.h"
#include "ui/speakerbutton.h"

#include <QElapsedTimer>
#include <QRect>

#include <array>
#include <optional>

class QLineEdit;
class TypedDrillSession;

// The one screen design of the two typed drills: twelve rows of glyphs and
// translation with an answer box each, marks and the stored pinyin once graded.
// The tone drill also shows the bare syllables before its box.
class TypedDrillScreen : public DrillScreen {
    Q_OBJECT
  protected:
    using BoxPlace = QRect (*)(int row);
    // kind is ToneDrill or PinyinDrill.
    TypedDrillScreen(ScreenRegistry& screens, const QString& name, DrillKind kind, BoxPlace txtTerm);

    void drawRows() override;
    void runStarted() override;
    void pageTurned() override;
    // F6 speaks the word of the row whose box or speaker has the focus: by ear at
    // any time, otherwise once graded.
    void replayKey() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Row {
        std::optional<TypedRowView> view;
        QLabel* syllables = nullptr; // tone drill only
        QLineEdit* box = nullptr;
        QLabel* mark = nullptr;
        SpeakerButton* speaker = nullptr; // by eye shown once graded: before, it would give the tones away
    };

    TypedDrillSession& typed() const;
    void focusFirstBox();
    void speakRow(int r);

    int lastFocusRow_ = -1;
    QElapsedTimer sinceFocusSpeech_;
    QLabel* lblListening_;
    QLabel* lblReplayHint_;

    std::array<Row, 12> rows_;
};
