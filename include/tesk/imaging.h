// Drawing and imaging.
#pragma once

#include "tesk/types.h"
