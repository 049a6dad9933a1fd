#include "ui/clickable.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

namespace {

// Watches one widget for a completed left click (and Space, when the widget is
// a control of its own) and runs the widget's click.
class Clickable : public QObject {
    Q_OBJECT
  public:
    Clickable(QWidget* w, std::function<void()> fn, bool control) : QObject(w), fn_(std::move(fn)), control_(control)
    {
        w->installEventFilter(this);
    }

    bool press()
    {
        if (!static_cast<QWidget*>(parent())->isEnabled())
            return false;
        if (!active_) {
            if (refused_)
                refused_();
            return false;
        }
        fn_();
        return true;
    }
    void setRefused(std::function<void()> fn) { refused_ = std::move(fn); }
    bool isControl() const { return control_; }
    bool isActive() const { return active_; }
    void setActive(bool on) { active_ = on; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* w = static_cast<QWidget*>(watched);
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                pressed_ = true;
                return true;
            }
            break;
        case QEvent::MouseButtonRelease: {
            auto* me = static_cast<QMouseEvent*>(event);
            if (me->button() == Qt::LeftButton && pressed_) {
                pressed_ = false;
                if (w->rect().contains(me->position().toPoint()))
                    press();
                return true;
            }
            break;
        }
        case QEvent::KeyPress: {
            auto* ke = static_cast<QKeyEvent*>(event);
            if (control_ && ke->key() == Qt::Key_Space && ke->modifiers() == Qt::NoModifier) {
                if (!ke->isAutoRepeat())
                    press();
                return true;
            }
            break;
        }
        default:
            break;
        }
        return false;
    }

  private:
    std::function<void()> fn_;
    std::function<void()> refused_;
    bool control_;
    bool active_ = true;
    bool pressed_ = false;
};

Clickable* clickableOf(const QWidget* w)
{
    return w ? w->findChild<Clickable*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

// What a screen reader sees of a clickable picture or label: a push button.
class ClickableAccessible : public QAccessibleWidget {
  public:
    explicit ClickableAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override
    {
        QString s = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && s.isEmpty()) {
            if (auto* label = qobject_cast<QLabel*>(widget()))
                s = label->text();
        }
        return s;
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        if (const Clickable* c = clickableOf(widget()); c && !c->isActive())
            s.disabled = true;
        return s;
    }
    QStringList actionNames() const override { return QAccessibleWidget::actionNames() << pressAction(); }
    void doAction(const QString& name) override
    {
        if (name == pressAction())
            pressClickable(widget());
        else
            QAccessibleWidget::doAction(name);
    }
    QStringList keyBindingsForAction(const QString& name) const override
    {
        return name == pressAction() ? QStringList{QStringLiteral("Space")}
                                     : QAccessibleWidget::keyBindingsForAction(name);
    }
};

QAccessibleInterface* clickableFactory(const QString&, QObject* object)
{
    if (!object->isWidgetType())
        return nullptr;
    auto* w = static_cast<QWidget*>(object);
    return isClickable(w) ? new ClickableAccessible(w) : nullptr;
}

void becomeControl(QWidget* w)
{
    static const bool installed = [] {
        QAccessible::installFactory(clickableFactory);
        return true;
    }();
    Q_UNUSED(installed);
    // Keyboard only: a mouse click must not leave a focus mark behind.
    w->setFocusPolicy(Qt::TabFocus);
    // A label's text change already made Qt describe it as plain text; drop that
    // description so the next question about w gets the button.
    QAccessibleInterface* known = QAccessible::queryAccessibleInterface(w);
    if (known && known->role() != QAccessible::Button)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(known));
}

class EnterFilter : public QObject {
  public:
    EnterFilter(QWidget* w, std::function<void()> fn) : QObject(w), fn_(std::move(fn)) { w->installEventFilter(this); }

  protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Enter)
            fn_();
        return false;
    }

  private:
    std::function<void()> fn_;
};

} // namespace

void onEnter(QWidget* w, std::function<void()> fn)
{
    new EnterFilter(w, std::move(fn));
}

void onClick(QWidget* w, std::function<void()> fn)
{
    new Clickable(w, std::move(fn), true);
    becomeControl(w);
}

void forwardClicks(QWidget* part, QWidget* control)
{
    new Clickable(
        part, [control] { pressClickable(control); }, false);
}

bool isClickable(const QWidget* w)
{
    const Clickable* c = clickableOf(w);
    return c && c->isControl();
}

bool pressClickable(QWidget* w)
{
    Clickable* c = clickableOf(w);
    return c && c->press();
}

void setClickableActive(QWidget* w, bool active)
{
    Clickable* c = clickableOf(w);
    if (!c || !c->isControl() || c->isActive() == active)
        return;
    c->setActive(active);
    w->setFocusPolicy(active ? Qt::TabFocus : Qt::NoFocus);
    QAccessible::State changed;
    changed.disabled = true;
    QAccessibleStateChangeEvent event(w, changed);
    QAccessible::updateAccessibility(&event);
}

void onRefusedClick(QWidget* w, std::function<void()> fn)
{
    if (Clickable* c = clickableOf(w))
        c->setRefused(std::move(fn));
}

#include "clickable.moc"
