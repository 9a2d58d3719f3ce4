// Settings, serialization and text I/O.
#pragma once

#include "tesk/types.h"
#include "tesk/settings_archive.h"
#include "tesk/settings_charset.h"
#include "tesk/settings_file.h"
#include "tesk/settings_memfile.h"
#include "tesk/settings_string_io.h"
