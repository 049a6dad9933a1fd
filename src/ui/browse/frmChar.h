#pragma once

#include "core/browse/chardetail.h"
#include "ui/screenbase.h"
#include "ui/speakerbutton.h"

#include <array>

class QLabel;

// One character of CurrentCharList: glyph, readings, rank, the pentagon chart
// of its classes and the glyphs of its related words; steps through the list
// and drills the related words. Its position (cno) and the last position
// (maxcno) live in Tovak, so they outlast the screen.
class frmChar : public ScreenBase {
    Q_OBJECT
  public:
    explicit frmChar(ScreenRegistry& screens);

    // Shows ckey, the character at cno of CurrentCharList.
    void setFrmChar(qint16 ckey);

    const CharDetail& shown() const { return detail_; }
    // The chart as drawn: lblPenta(k) sits at vertex k.
    const std::array<QPoint, 5>& chartVertices() const { return detail_.chart.vertices; }

    // The four drill buttons and the two by ear.
    enum class Drill { AnswerList, Tone, Pinyin, Translation, ToneByEar, PinyinByEar };

  protected:
    void pageDownKey() override;
    void pageUpKey() override;
    void paintEvent(QPaintEvent* e) override;
    // F6: the speaker with the focus, else the first reading.
    void replayKey() override;

  private:
    void showByEarOffer();
    void buildFacts();
    void buildDrillButtons();
    void step(int delta);
    void startDrill(Drill drill);
    void openDrill(Drill drill);

    CharDetail detail_;
    QLabel* lblType_ = nullptr;
    QLabel* imgChar_ = nullptr;
    QLabel* lblPinyin_ = nullptr;
    QLabel* lblNoRelated_ = nullptr;
    std::array<QLabel*, 3> lblCount_{};
    std::array<QLabel*, 5> lblPenta_{};
    std::array<std::array<QLabel*, RelatedRows>, 4> imgTovak_{}; // imgTovak1..imgTovak4
    std::array<std::array<int, RelatedRows>, 4> relatedShown_{}; // glyph key in each, 0 for none
    std::array<SpeakerButton*, 4> readingSpeakers_{};            // imgReading(k)
    std::array<SpeakerButton*, RelatedRows> wordSpeakers_{};     // imgSpeaker(i)
};
