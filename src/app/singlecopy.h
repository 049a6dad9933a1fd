#pragma once

#include "core/instancelock.h"

class QWidget;

// Takes the lock of the statistics file; when another copy of the program
// holds it, tells the learner so and returns false: this copy must end.
bool claimStatisticsFile(InstanceLock& lock, QWidget* parent = nullptr);
