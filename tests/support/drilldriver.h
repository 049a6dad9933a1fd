#pragma once

// Drives the drill screens the way a learner does: typing into the answer
// boxes, clicking choices, turning pages. Controls are found by name.

#include <QList>
#include <QString>

#include <functional>

class DrillScreen;
class QLabel;
class QLineEdit;
class QWidget;
class ScreenRegistry;
class Tovak;

// The drill screen of that name (frmListP2, frmListP1, frmListR), loaded and
// prepared with init() on CurrentWordList, not yet shown.
DrillScreen& loadDrill(ScreenRegistry& screens, const QString& name);

// Fills CurrentWordList with words, in that order, and sets DrillMode to 1.
void openOn(Tovak& t, const QList<qint16>& words);
QList<qint16> firstWords(int n);

QLabel* labelOf(QWidget* screen, const QString& name);
QLineEdit* boxOf(QWidget* screen, int row);
// Words per page of a drill screen (frmListR 10, the others 12).
int pageSizeOf(const QWidget* screen);

// What a learner answers for the word at a position: right or wrong.
using RightAt = std::function<bool(int position)>;
// Answers every row of the page shown: typed drills type into the boxes
// (a wrong answer is "x"), the choice drill clicks a choice.
void answerPage(QWidget* drill, Tovak& t, const RightAt& right);
// Answers the page shown and every page after it, leaving the last one shown.
void answerAll(QWidget* drill, Tovak& t, const RightAt& right);
void clickButton(QWidget* screen, const QString& suffix); // clicks imgSuffix

// Stops the drill's clock (from then on it moves only here) and moves it on by
// ms: by default past the grade button's repeat guard, so the next press is a
// deliberate one; with 0 the presses that follow come "at once".
void passTime(QWidget* drill, qint64 ms = 1000);
