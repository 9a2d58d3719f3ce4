// Settings, serialization and text I/O.
#pragma once

#include "tesk/types.h"
#include "tesk/settings_store.h"
