// Reads arbitrary bytes as an MSFT type library: no input may crash, read
// outside the data or allocate without bound.
#include <cstdint>

#include "host/typelib_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TeskUtility::detail::TypeLibAttributes attrs;
    if (TeskUtility::detail::ReadTypeLib(data, size, attrs) && attrs.coclasses.size() > size / 4)
        __builtin_trap();
    return 0;
}
