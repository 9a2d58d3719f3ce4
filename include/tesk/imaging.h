// Drawing and imaging.
#pragma once

#include "tesk/types.h"
#include "tesk/imaging_dc.h"
#include "tesk/imaging_memdc.h"
#include "tesk/imaging_image.h"
#include "tesk/imaging_print.h"
#include "tesk/imaging_capture.h"
