// System information: the screen's resolution and the monitors' extent.
#include "host/monitor_layout.h"
#include "host/system_text.h"
#include "platform/x11_monitors.h"
#include "tesk/host_sysinfo.h"

namespace TeskUtility {

int GetDPI(CStringA& text) {
    const int dpi = x11::ScreenDpi();
    if (dpi <= 0)
        return 0;
    // 96 is the normal size, up to 120 large, anything else custom.
    const char* word = dpi == 96 ? "\xA4@\xAF\xEB" : dpi >= 97 && dpi <= 120 ? "\xA4j" : "\xA6\xDB\xADq";
    text = detail::Format("%s(%d DPI)", word, dpi);
    return 1;
}

int GetNumberOfMonitors() { return detail::MonitorLayout().Count(); }

int GetScreenCoordinate(int& width, int& height) {
    const detail::MonitorLayout layout;
    const int primary = layout.PrimaryIndex();
    const CRect rect = primary >= 0 ? layout.Rect(primary) : layout.Count() > 0 ? layout.Rect(0) : CRect();
    width = rect.Width();
    height = rect.Height();
    return 1;
}

int GetVirtualScreenCoordinate(int& width, int& height) {
    const CRect bounds = detail::MonitorLayout().Bounds();
    width = bounds.Width();
    height = bounds.Height();
    return 1;
}

}  // namespace TeskUtility
