#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>

// Every message box of the program goes through here: modal, with the
// program's title and Japanese button texts. Tests queue answers in advance so
// no box ever blocks them.
namespace MsgBox {

// The title every window carries.
QString programTitle();

// An OK box with the program's title.
void information(QWidget* parent, const QString& text);
// A Yes/No question; true on Yes. Yes is the default button unless the safe
// answer is No; no icon.
enum class Default { Yes, No };
bool question(QWidget* parent, const QString& text, const QString& title, Default byDefault = Default::Yes);

// What the last box looked like, for tests.
struct Shown {
    QString text;
    QString title;
    QStringList buttonTexts; // in the order the box lists them
    QString defaultButtonText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// The next box is not shown: it is recorded and answers this at once.
void setNextAnswer(QMessageBox::StandardButton answer);
bool hasPendingAnswer();
const Shown& last();
int shownCount();
void resetRecord();

} // namespace MsgBox
