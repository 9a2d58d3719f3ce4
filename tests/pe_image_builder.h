// A minimal Windows PE image with a version resource, for the version reader's tests and fuzz seeds.
#pragma once

#include <cstdint>
#include <string>

namespace TeskTest {

inline void Put16(std::string& b, std::size_t at, std::uint32_t v) {
    b[at] = static_cast<char>(v & 0xFF);
    b[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}
inline void Put32(std::string& b, std::size_t at, std::uint32_t v) {
    Put16(b, at, v & 0xFFFF);
    Put16(b, at + 2, v >> 16);
}

// One .rsrc section at file offset 0x200 / RVA 0x1000 holding type 16 > name 1 > language 1033.
inline std::string PeWithVersion(std::uint16_t a, std::uint16_t b, std::uint16_t c, std::uint16_t d, bool pe32Plus = false) {
    std::string image(0x400, '\0');
    image[0] = 'M';
    image[1] = 'Z';
    Put32(image, 0x3C, 0x40);
    image.replace(0x40, 4, std::string("PE\0\0", 4));
    const std::uint32_t optionalSize = pe32Plus ? 240 : 224;
    Put16(image, 0x44, pe32Plus ? 0x8664 : 0x14C);
    Put16(image, 0x46, 1);  // sections
    Put16(image, 0x54, optionalSize);
    const std::size_t optional = 0x58;
    Put16(image, optional, pe32Plus ? 0x20B : 0x10B);
    const std::size_t directories = optional + (pe32Plus ? 112 : 96);
    Put32(image, directories + 16, 0x1000);  // resource table RVA
    Put32(image, directories + 20, 0x100);
    const std::size_t section = optional + optionalSize;
    image.replace(section, 5, ".rsrc");
    Put32(image, section + 8, 0x200);    // virtual size
    Put32(image, section + 12, 0x1000);  // virtual address
    Put32(image, section + 16, 0x200);   // raw size
    Put32(image, section + 20, 0x200);   // raw offset
    const std::size_t root = 0x200;
    Put16(image, root + 14, 1);
    Put32(image, root + 16, 16);
    Put32(image, root + 20, 0x80000000u | 0x18);
    Put16(image, root + 0x18 + 14, 1);
    Put32(image, root + 0x18 + 16, 1);
    Put32(image, root + 0x18 + 20, 0x80000000u | 0x30);
    Put16(image, root + 0x30 + 14, 1);
    Put32(image, root + 0x30 + 16, 1033);
    Put32(image, root + 0x30 + 20, 0x48);  // a data entry
    Put32(image, root + 0x48, 0x1000 + 0x58);
    Put32(image, root + 0x48 + 4, 0x5C);
    const std::size_t info = root + 0x58;
    Put16(image, info, 0x5C);
    Put16(image, info + 2, 52);
    const char16_t key[] = u"VS_VERSION_INFO";
    for (std::size_t i = 0; i < 16; ++i)
        Put16(image, info + 6 + 2 * i, key[i]);
    Put32(image, info + 40, 0xFEEF04BDu);
    Put32(image, info + 44, 0x10000);
    Put32(image, info + 48, std::uint32_t{a} << 16 | b);
    Put32(image, info + 52, std::uint32_t{c} << 16 | d);
    return image;
}

}  // namespace TeskTest
