#pragma once

#include "data/db.h"
#include "ui/screenbase.h"
