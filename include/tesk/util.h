// String, digest, option-parser, calendar and error-message utilities.
#pragma once

#include "tesk/types.h"
#include "tesk/util_digest.h"
