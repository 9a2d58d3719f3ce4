// Base64 (RFC 4648 alphabet, "=" padding) in the line layout of the encoded
// file save: 76-character lines joined by CR LF.
#pragma once

#include <cstddef>
#include <string>

namespace TeskUtility {

std::string Base64EncodeLines(const unsigned char* data, std::size_t length);

}  // namespace TeskUtility
