#include "ui/messagebox.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QQueue>

namespace MsgBox {
namespace {

QQueue<QMessageBox::StandardButton> pendingAnswers;
Shown lastShown;
int count = 0;

QMessageBox::StandardButton run(QWidget* parent, const QString& text, const QString& title,
                                QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    // Qt's own texts follow the system language; the program speaks Japanese everywhere.
    const std::pair<QMessageBox::StandardButton, const char*> captions[] = {
        {QMessageBox::Ok, "OK"},
        {QMessageBox::Yes, "はい"},
        {QMessageBox::No, "いいえ"},
    };
    for (const auto& [which, caption] : captions) {
        if (buttons.testFlag(which))
            box.addButton(which)->setText(QString::fromUtf8(caption));
    }
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);

    lastShown = Shown{};
    lastShown.text = text;
    lastShown.title = title;
    for (QAbstractButton* b : box.buttons())
        lastShown.buttonTexts << b->text();
    if (QPushButton* d = box.defaultButton())
        lastShown.defaultButtonText = d->text();
    lastShown.icon = box.icon();
    ++count;

    if (!pendingAnswers.isEmpty())
        return pendingAnswers.dequeue();
    box.exec();
    return box.standardButton(box.clickedButton());
}

} // namespace

QString programTitle()
{
    return QStringLiteral("ルメナ　～四級～");
}

void information(QWidget* parent, const QString& text)
{
    run(parent, text, programTitle(), QMessageBox::Ok, QMessageBox::Ok);
}

bool question(QWidget* parent, const QString& text, const QString& title, Default byDefault)
{
    const QMessageBox::StandardButton preset = byDefault == Default::Yes ? QMessageBox::Yes : QMessageBox::No;
    return run(parent, text, title, QMessageBox::Yes | QMessageBox::No, preset) == QMessageBox::Yes;
}

void setNextAnswer(QMessageBox::StandardButton answer)
{
    pendingAnswers.enqueue(answer);
}

bool hasPendingAnswer()
{
    return !pendingAnswers.isEmpty();
}

const Shown& last()
{
    return lastShown;
}

int shownCount()
{
    return count;
}

void resetRecord()
{
    pendingAnswers.clear();
    lastShown = Shown{};
    count = 0;
}

} // namespace MsgBox
