#pragma once

#include "ui/imagebutton.h"

#include <QDialog>
#include <QList>
#include <QPixmap>

#include <functional>

class ScreenRegistry;
class Tovak;

// What every screen shares: the fixed size of its background picture, the
// program's title, the background, keys seen before the focused control, the
// bare-form hover reset, Esc and the title-bar close box routed to the screen's
// own Back, no default button, and a ring around the control Tab has reached.
//
// A screen sets up its controls in its constructor or in load(), which the
// registry runs once after creating it; it overrides the key handlers it lists
// and calls back() to close.
class ScreenBase : public QDialog {
    Q_OBJECT
  public:
    // name is the screen's class name (also its objectName). designSize is used
    // when the background picture is missing.
    ScreenBase(ScreenRegistry& screens, const QString& name, const QPixmap& background, QSize designSize);
    ~ScreenBase() override;

    ScreenRegistry& screens() const { return screens_; }
    Tovak& tovak() const;

    // Load steps: run once by the registry right after the screen is created.
    virtual void load() {}

    // Closes (unloads) the screen; its opener is in front again.
    virtual void back();

    // Restores every registered button's normal picture.
    virtual void resetHover();

    // Lets go of the background of a screen that will not be painted again.
    void releaseBackground() { background_ = QPixmap(); }

    // Finds a button by its suffix ("Next", "Contents(3)").
    ImageButton* button(const QString& name) const;
    const QList<ImageButton*>& buttons() const { return buttons_; }

  protected:
    // The keys a screen may list; only those it overrides do anything. Esc is Back.
    virtual void pageDownKey() {}
    virtual void pageUpKey() {}
    virtual void escKey() { back(); }
    virtual void f5Key() {}
    // F6: plays again what the row with the focus says (screens that speak).
    virtual void replayKey() {}
    // F1: what the screen's help button does, when it has a visible one.
    virtual void helpKey();
    // The window's close box.
    virtual void closeBoxClicked() { back(); }
    // While true, no button of the screen and no key of its table does
    // anything, page turning and F6 aside: a drill right after its grading.
    virtual bool refusesPresses() const { return false; }

    // A button restored by the bare-form reset.
    ImageButton* addButton(const QString& name, const QPixmap& rest, const QPixmap& hover, const QRect& geometry);
    ImageButton* addButton(const QString& name, const QPixmap& rest, ImageButton::PictureLoader hover,
                           const QRect& geometry);
    // Hovering one of these shows the others normal.
    void makeHoverGroup(const QList<ImageButton*>& group);
    // The 780x600 screens' frame buttons: Back "戻る" at the bottom right,
    // help (opening helpPage) and exit at the top right.
    void addBackHelpExit(qint16 helpPage);
    // The page the help button and F1 open from now on.
    void setHelpPage(qint16 page) { helpPage_ = page; }
    // Previous "前へ" and next "次へ" in the bottom row; each runs its handler.
    void addPageButtons(std::function<void()> before, std::function<void()> next);

    // A click on the bare form, outside every control.
    virtual void bareClicked() {}
    // Where the screen writes why a greyed button is not offered, while it has
    // the focus or after it was pressed (lblReason).
    void setReasonLine(const QRect& geometry);
    // Writes it there (empty: clears the line).
    void showReason(const QString& reason);

    // Tab visits these controls in this order: the order the eye reads them in.
    void setReadingOrder(const QList<QWidget*>& controls);
    // The same on a 780x600 screen: help and exit in the header, then body, then
    // the bottom row left to right (grade, before, next, back; those it has).
    void setFramedReadingOrder(const QList<QWidget*>& body);

    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;

  private:
    using KeyHandler = void (ScreenBase::*)();
    // What the key does on a screen, or null for a key screens leave alone.
    static KeyHandler keyHandler(int key);
    void watch(QObject* o);
    bool previewKey(QKeyEvent* e);
    bool isBare(const QPoint& pos) const;
    void markFocus(QWidget* control);
    ImageButton* addButton(ImageButton* b, const QRect& geometry);

    QWidget* focusRing_ = nullptr;
    QLabel* reasonLine_ = nullptr;

    ScreenRegistry& screens_;
    QPixmap background_;
    QList<ImageButton*> buttons_;
    qint16 helpPage_ = 0;
    bool composing_ = false;
    bool barePressed_ = false;
};
