# System libraries the library calls; all come from Debian packages listed in scripts/deps.sh.
find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)
find_package(ZLIB REQUIRED)
find_package(BZip2 REQUIRED)
pkg_check_modules(MINIZIP REQUIRED IMPORTED_TARGET minizip)
pkg_check_modules(PCRE2 REQUIRED IMPORTED_TARGET libpcre2-8 libpcre2-16)
pkg_check_modules(CAIRO REQUIRED IMPORTED_TARGET cairo)
pkg_check_modules(LIBXML2 REQUIRED IMPORTED_TARGET libxml-2.0)
# The display (monitors, window placement, single-instance notices, screen capture with the
# shared-memory extension) and sound backends.
pkg_check_modules(X11 REQUIRED IMPORTED_TARGET x11 xrandr xext)
pkg_check_modules(ALSA REQUIRED IMPORTED_TARGET alsa)
# Image files: libpng and libjpeg-turbo; printing: CUPS (Debian ships no cups.pc).
pkg_check_modules(PNG REQUIRED IMPORTED_TARGET libpng)
pkg_check_modules(JPEG REQUIRED IMPORTED_TARGET libjpeg)
find_package(Cups REQUIRED)

set(TESK_PRIVATE_LIBS
  ZLIB::ZLIB BZip2::BZip2 PkgConfig::MINIZIP PkgConfig::PCRE2 PkgConfig::CAIRO Threads::Threads
  PkgConfig::X11 PkgConfig::ALSA PkgConfig::PNG PkgConfig::JPEG Cups::Cups PkgConfig::LIBXML2)
# Names for the pkg-config file's Requires.private / Libs.private.
set(TESK_PC_REQUIRES_PRIVATE "zlib minizip libpcre2-8 libpcre2-16 cairo x11 xrandr xext alsa libpng libjpeg libxml-2.0")
set(TESK_PC_LIBS_PRIVATE "-lbz2 -lcups -lpthread")  # Debian ships no bzip2.pc
