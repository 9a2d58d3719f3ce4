// Host environment services.
#pragma once

#include "tesk/types.h"
#include "tesk/host_cpu.h"
#include "tesk/host_xml.h"
#include "tesk/host_typelib.h"
#include "tesk/host_monitors.h"
#include "tesk/host_sysinfo.h"
#include "tesk/host_instance.h"
#include "tesk/host_sound.h"
