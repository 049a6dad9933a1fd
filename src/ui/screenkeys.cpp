// ScreenBase: the events it watches on every control: the keys a screen sees
// before its focused control (left alone while an input method is composing),
// and the focus that moves the ring.
#include "ui/screenbase.h"

#include "ui/clickable.h"

#include <QChildEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>

#include <utility>

void ScreenBase::watch(QObject* o)
{
    o->installEventFilter(this);
    for (QObject* child : o->children()) {
        if (child->isWidgetType())
            watch(child);
    }
}

bool ScreenBase::eventFilter(QObject* watched, QEvent* event)
{
    // The filter must follow controls created after the screen (and skip other
    // windows parented here, such as a help viewer opened over this screen).
    switch (event->type()) {
    case QEvent::ChildAdded: {
        QObject* child = static_cast<QChildEvent*>(event)->child();
        if (child->isWidgetType() && !static_cast<QWidget*>(child)->isWindow())
            watch(child);
        break;
    }
    case QEvent::FocusIn:
        if (auto* w = static_cast<QWidget*>(watched); isClickable(w)) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)
                markFocus(w);
        }
        break;
    case QEvent::FocusOut:
        if (focusRing_ && isClickable(static_cast<QWidget*>(watched)))
            focusRing_->hide();
        break;
    case QEvent::InputMethod:
        composing_ = !static_cast<QInputMethodEvent*>(event)->preeditString().isEmpty();
        break;
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride: {
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && w->window() == this) {
            auto* ke = static_cast<QKeyEvent*>(event);
            if (event->type() == QEvent::ShortcutOverride) {
                // Claim the screen's keys so no shortcut of a control takes them first.
                if (composing_ || !keyHandler(ke->key()))
                    return false;
                event->accept();
                return true;
            }
            if (previewKey(ke))
                return true;
        }
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

ScreenBase::KeyHandler ScreenBase::keyHandler(int key)
{
    // The keys a screen sees before its focused control, each with what it does.
    static const std::pair<int, KeyHandler> keys[] = {
        {Qt::Key_PageDown, &ScreenBase::pageDownKey}, {Qt::Key_PageUp, &ScreenBase::pageUpKey},
        {Qt::Key_Escape, &ScreenBase::escKey},        {Qt::Key_F5, &ScreenBase::f5Key},
        {Qt::Key_F6, &ScreenBase::replayKey},         {Qt::Key_F1, &ScreenBase::helpKey},
    };
    for (const auto& [k, handler] : keys) {
        if (k == key)
            return handler;
    }
    return nullptr;
}

bool ScreenBase::previewKey(QKeyEvent* e)
{
    const KeyHandler handler = composing_ ? nullptr : keyHandler(e->key());
    if (!handler)
        return false;
    // Turning a page or replaying a word loses nothing, not even right after a grading.
    const bool harmless = e->key() == Qt::Key_PageDown || e->key() == Qt::Key_PageUp || e->key() == Qt::Key_F6;
    if (harmless || !refusesPresses())
        (this->*handler)();
    return true;
}

bool ScreenBase::event(QEvent* e)
{
    // Leaving a text box while composing must not leave the keys blocked.
    if (e->type() == QEvent::WindowDeactivate)
        composing_ = false;
    return QDialog::event(e);
}

void ScreenBase::keyPressEvent(QKeyEvent* e)
{
    // QDialog would press a default button on Enter and reject on Esc; a screen
    // does neither.
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        e->accept();
        return;
    default:
        QDialog::keyPressEvent(e);
    }
}
