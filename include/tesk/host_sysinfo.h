// Facts about the machine for diagnostics and support screens. Text functions write into the narrow
// string (ANSI code page; the sentences are Big5) and answer 1, or 0 with the string as it was.
//
//   CStringA os, ip;
//   if (TeskUtility::GetOS(os)) show(os);          // "Debian GNU/Linux 12 (bookworm) (64-bit)"
//   TeskUtility::GetIPAddress(ip);                 // "Local IP: 192.168.1.20"
#pragma once

#include <cstdint>
#include <vector>

#include "tesk/types.h"

namespace TeskUtility {

// Device classes GetPCINFO understands, and the properties it reads.
inline constexpr GUID GUID_DEVCLASS_DISPLAY{0x4d36e968, 0xe325, 0x11ce, {0xbf, 0xc1, 0x08, 0x00, 0x2b, 0xe1, 0x03, 0x18}};
inline constexpr GUID GUID_DEVCLASS_NET{0x4d36e972, 0xe325, 0x11ce, {0xbf, 0xc1, 0x08, 0x00, 0x2b, 0xe1, 0x03, 0x18}};
inline constexpr GUID GUID_DEVCLASS_MEDIA{0x4d36e96c, 0xe325, 0x11ce, {0xbf, 0xc1, 0x08, 0x00, 0x2b, 0xe1, 0x03, 0x18}};
inline constexpr GUID GUID_DEVCLASS_KEYBOARD{0x4d36e96b, 0xe325, 0x11ce, {0xbf, 0xc1, 0x08, 0x00, 0x2b, 0xe1, 0x03, 0x18}};
inline constexpr GUID GUID_DEVCLASS_MOUSE{0x4d36e96f, 0xe325, 0x11ce, {0xbf, 0xc1, 0x08, 0x00, 0x2b, 0xe1, 0x03, 0x18}};
inline constexpr GUID GUID_DEVCLASS_MONITOR{0x4d36e96e, 0xe325, 0x11ce, {0xbf, 0xc1, 0x08, 0x00, 0x2b, 0xe1, 0x03, 0x18}};
constexpr std::uint32_t DIGCF_PRESENT = 0x2;
constexpr std::uint32_t SPDRP_DEVICEDESC = 0x0;
constexpr std::uint32_t SPDRP_MFG = 0xB;
constexpr std::uint32_t SPDRP_FRIENDLYNAME = 0xC;

// ---- version and language
// Tests the running Windows version: always 0 here (no Windows version to compare).
int CheckWindowsVersion(std::uint32_t major, std::uint32_t minor, std::uint16_t servicePackMajor,
                        std::uint16_t servicePackMinor, int comparison, std::uint32_t typeMask);
int GetOS(CStringA& text);             // PRETTY_NAME of os-release, " (64-bit)" / " (32-bit)" on x86
int GetOSDescription(CStringA& text);  // "OS為%s"
int GetOS_BeforeWin7();                // 0: not a Windows version before 7
int IsDefaultLang_ChineseTraditional();
int GetLang(CStringA& text);
int GetLangDescription(CStringA& text);

// ---- rights
int IsAdminRunning();  // effective user 0, or a member of sudo, wheel or admin
int GetAuthorityDescription(CStringA& text);

// ---- browser and components
int GetLastUpdateTime(CStringA& text);    // the last apt run's End-Date
int GetLastDownloadTime(CStringA& text);  // when the package lists were last fetched
int GetIEVersion(CStringA& text);         // 0: no Internet Explorer
int GetDefaultBrowser(CStringA& text);    // the XDG default for http, named as the host expects
int GetIEDescription(CStringA& text);
int GetOneDriveMode(CStringA& text);      // 0: no OneDrive

// ---- screen
int GetDPI(CStringA& text);  // 0 without a display
int GetNumberOfMonitors();
int GetScreenCoordinate(int& width, int& height);         // the primary monitor; 0 x 0 without a display
int GetVirtualScreenCoordinate(int& width, int& height);  // the box around all monitors

// ---- network
int GetIP(CStringA& text);
int GetIPAddress(CStringA& text);              // "Local IP: %s"
int GetMAC(std::vector<CStringA>& addresses);  // cleared first; one "0123456789AB" per adapter
// The first adapter's address; CInvalidArgException when no adapter has one.
int GetMAC(CStringA& text);
int GetDescriptionName(CStringA& text);  // the last wired Ethernet adapter's product text
// The devices of the class, the property of each, non-empty texts joined with "\r\n"; 0 for a class
// that cannot be listed.
int GetPCINFO(const GUID& deviceClass, std::uint32_t flags, std::uint32_t property, CStringA& text);

// ---- machine
int GetNumberOfProcessors();
int GetProcessorName(CStringA& text);  // the 48 raw bytes of the brand string, or empty
int GetTotalRAM(CStringA& total, CStringA& available, CStringA& used);  // "%.2f GBytes"
int GetAPUseRAM(CStringA& text, BOOL withSystem);
int GetBootTime(CStringA& text);
int GetCurrentUserName(CStringA& text);
int GetAPPDataPath(CStringA& text);  // $XDG_DATA_HOME or ~/.local/share; 1 when it is a directory
// "%d.%d.%d.%d" from a Windows PE file's version resource, or from the ".so.X.Y.Z" of an ELF shared object.
int GetFileVersionOfApplication(const CStringA& path, CStringA& version);

}  // namespace TeskUtility
