#pragma once

#include "core/frameup.h"
#include <QWidget>
