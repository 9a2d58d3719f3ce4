// String, digest, option-parser, calendar and error-message utilities.
#pragma once

#include "tesk/types.h"
#include "tesk/util_calendar.h"
#include "tesk/util_errors.h"
#include "tesk/util_options.h"
#include "tesk/util_regex.h"
#include "tesk/util_strings.h"
