// Everything the library exports.
#pragma once

#include "tesk/types.h"
#include "tesk/platform.h"
#include "tesk/exceptions.h"
#include "tesk/format.h"
#include "tesk/settings.h"
#include "tesk/compress.h"
#include "tesk/util.h"
#include "tesk/host.h"
#include "tesk/imaging.h"
