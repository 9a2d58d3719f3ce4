// Market value display formatting: fixed-point helpers and the format-state families.
#pragma once

#include "tesk/format_fixed.h"
#include "tesk/format_price.h"
#include "tesk/format_comma.h"
#include "tesk/format_diff.h"
#include "tesk/format_settings.h"
#include "tesk/format_time.h"
#include "tesk/format_signs.h"
#include "tesk/format_units.h"
#include "tesk/format_compact.h"
