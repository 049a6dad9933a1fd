#pragma once

#include <QLabel>
#include <QString>

class DB;
class Voice;

// A small speaker picture that speaks a word of the tables or one reading of a
// character when pressed (click, Space, or a screen reader's press). It shows
// as unavailable and stands inactive while the voice says nothing can be heard. With nothing to say it hides.
class SpeakerButton : public QLabel {
    Q_OBJECT
  public:
    SpeakerButton(Voice& voice, const DB& db, QWidget* parent, const QString& objectName, const QRect& geometry);

    // What a press speaks: a word (tkey), or a reading ("xue2"); 0 or an empty
    // reading hides the control.
    void setWord(int tkey);
    void setReading(const QString& reading);
    // Hidden even with something to say (the typed drills before grading).
    void setAllowed(bool allowed);
    // By ear before grading: the name does not give the word away, and Tab
    // passes by (the box's F6 plays the same word).
    void setConcealed(bool concealed);

    int word() const { return tkey_; }
    const QString& reading() const { return reading_; }
    bool hasSomethingToSay() const { return tkey_ > 0 || !reading_.isEmpty(); }

    // Speaks what the control stands for; false when there is nothing to say
    // or speech is unavailable.
    bool play();

  protected:
    // Shown, it readies the voice: its screen's first word is as quick as any.
    void showEvent(QShowEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;

  private:
    void redraw();
    void rename();

    Voice& voice_;
    const DB& db_;
    int tkey_ = 0;
    QString reading_;
    bool allowed_ = true;
    bool concealed_ = false;
    bool hovered_ = false;
};
