// Compression, CRC-32 integrity and zip folders.
#pragma once

#include "tesk/types.h"
#include "tesk/compress_methods.h"
#include "tesk/compress_crc.h"
#include "tesk/compress_zip.h"
