// Host environment services.
#pragma once

#include "tesk/types.h"
