// The four bytes that open every serialized map, in either layout.
#pragma once

namespace TeskUtility::detail {

constexpr char kMapMagic[4] = {'T', 'S', 'M', ' '};

}  // namespace TeskUtility::detail
