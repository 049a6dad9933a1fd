#pragma once

#include <functional>

class QWidget;

// Runs fn when w is clicked with the left button (pressed and released over it).
// Works on any widget, plain labels included. w becomes a control of its own:
// assistive technology sees a push button whose press action runs fn (named by
// w's accessibleName, a caption label whose buddy it is, or a label's own
// text), Tab reaches it, and Space presses it.
void onClick(QWidget* w, std::function<void()> fn);

// Runs fn each time the mouse comes over w.
void onEnter(QWidget* w, std::function<void()> fn);

// A click on part (a button's caption) presses control. part stays a plain
// label to assistive technology and to Tab: it only widens the control.
void forwardClicks(QWidget* part, QWidget* control);

// Whether w was made a control by onClick.
bool isClickable(const QWidget* w);
// Runs the click of a control made by onClick; false for any other widget and
// for a control that is inactive or disabled.
bool pressClickable(QWidget* w);

// A control that stands for nothing at the moment (a frozen choice, a button
// under a mask) stays as it looks, but no click, Space or press action runs
// it, Tab passes it by and a screen reader reads it as unavailable.
void setClickableActive(QWidget* w, bool active);
// What a click, Space or press action does while w is inactive (tell why, say).
void onRefusedClick(QWidget* w, std::function<void()> fn);
