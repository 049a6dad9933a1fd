#pragma once

#include "ui/clickable.h"

#include <QLabel>
#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <QRect>

#include <functional>

// A picture label and an optional caption label acting as one button: hovering
// either shows the hover picture, clicking either emits clicked(). The picture
// stays hovered until the screen restores it (the bare-form reset or a sibling).
// To a screen reader and to Tab the picture is the button, named by its caption;
// a button without one needs setAccessibleName.
class ImageButton : public QObject {
    Q_OBJECT
  public:
    enum CaptionRole {
        CaptionActsAsButton,  // hover and click both count as the picture's
        CaptionForwardsClick, // only the click; moving over the caption changes nothing
    };

    // name is the shared suffix: "Next" gives imgNext and lblNext; an array
    // element such as "Contents(3)" gives imgContents(3). rest may be null: the
    // control then shows nothing and the background shows through.
    ImageButton(QWidget* screen, const QString& name, const QPixmap& rest, const QPixmap& hover);
    // The hover picture is decoded the first time the button lights up, so a
    // screen with many highlights opens without decoding them all.
    using PictureLoader = std::function<QPixmap()>;
    ImageButton(QWidget* screen, const QString& name, const QPixmap& rest, PictureLoader hover);

    // Adds the caption label lblName.
    QLabel* addCaption(const QString& text, const QRect& geometry, CaptionRole role = CaptionActsAsButton);

    // What a screen reader calls a button without a caption ("ヘルプ", "終了").
    void setAccessibleName(const QString& name);

    QLabel* picture() const { return picture_; }
    QLabel* caption() const { return caption_; }

    void setGeometry(const QRect& pictureGeometry);
    void setPixmaps(const QPixmap& rest, const QPixmap& hover);

    // What a click on the picture does (keys that stand for a button use it).
    void click();
    // Asked before every press: false drops it (the screen refuses presses for a moment).
    using Gate = std::function<bool()>;
    void setGate(Gate gate) { gate_ = std::move(gate); }

    void setHovered(bool on);
    bool isHovered() const { return hovered_; }
    void restore() { setHovered(false); }

    // Picture and caption together.
    void setVisible(bool visible);
    // An inactive button looks the same but nothing presses it (see setClickableActive).
    void setActive(bool active);
    bool isActive() const { return active_; }
    // Why it is not offered, as tooltip and accessible description of picture
    // and caption; empty when it is. An inactive button with a reason is drawn
    // greyed (the picture given here, its caption in grey), Tab still reaches
    // it, and focusing or pressing it asks the screen to show the reason.
    void setReasonNotOffered(const QString& reason);
    const QString& reasonNotOffered() const { return reason_; }
    void setInactivePicture(const QPixmap& picture);
    bool isGreyed() const { return !active_ && !reason_.isEmpty(); }
    bool isVisible() const;

  signals:
    void clicked();
    // The mouse came over the button (picture, or a caption that acts as it).
    void entered();
    // The reason it is not offered should be on the screen (it was focused or
    // pressed), or no longer (empty: it lost the focus, or is offered again).
    void reasonAsked(const QString& reason);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void show();
    // Greyed or not, after a change of either state.
    void restyle();

    QPointer<QLabel> picture_;
    QPointer<QLabel> caption_;
    QPixmap rest_;
    QPixmap hover_;
    QPixmap inactive_;
    QString reason_;
    QColor captionInk_;
    bool active_ = true;
    PictureLoader hoverLoader_;
    Gate gate_;
    bool hovered_ = false;
    bool pressed_ = false;
    CaptionRole captionRole_ = CaptionActsAsButton;
};
