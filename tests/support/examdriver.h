#pragma once

// Answers the exam practice's sheet the way a learner does: clicking choices,
// typing numbers into the boxes. Controls are found by name.

#include <functional>

class frmExamPaper;
struct ExamItem;

// The choice a learner who gets the item wrong picks: a spelling wrong in both
// of its contrasts where the item has one, else the one after the right one.
int wrongChoiceOf(const ExamItem& item);

// Answers items 0 to count - 1: right where right(i) says so, else wrongly
// (a wrong choice, or "x" typed for a number).
void answerSheet(frmExamPaper& sheet, const std::function<bool(int)>& right, int count = 10);
