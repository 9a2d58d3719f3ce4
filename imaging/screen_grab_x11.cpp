// Every X11 call of the capture code, on the library's one connection. Shared
// memory (XShm) saves the copy through the X socket; each grab makes its own
// segment, removed as soon as the server has attached it so that nothing
// outlives a crash.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "imaging/screen_grab.h"
#include "platform/x11_display.h"
#include "platform/x11_monitors.h"

namespace TeskUtility::imaging {
namespace {

// Shift and width of a channel mask, to scale any TrueColor visual to 8 bits.
struct Channel {
    int shift = 0;
    int bits = 0;
    explicit Channel(unsigned long mask) {
        if (mask == 0) return;
        while (!(mask & 1)) mask >>= 1, ++shift;
        while (mask & 1) mask >>= 1, ++bits;
    }
    std::uint32_t Scale(unsigned long pixel) const {
        if (bits == 0) return 0;
        const std::uint32_t v = static_cast<std::uint32_t>((pixel >> shift) & ((1ul << bits) - 1));
        return bits >= 8 ? v >> (bits - 8) : v * 255 / ((1u << bits) - 1);
    }
};

// Copies the grabbed block to (dx, dy) of `into` as 0x00RRGGBB words.
void CopyPixels(XImage* image, CImage& into, int dx, int dy) {
    const bool direct = image->bits_per_pixel == 32 && image->byte_order == LSBFirst && image->red_mask == 0xFF0000 &&
                        image->green_mask == 0xFF00 && image->blue_mask == 0xFF;
    const Channel red(image->red_mask), green(image->green_mask), blue(image->blue_mask);
    for (int y = 0; y < image->height; ++y) {
        auto* out = static_cast<std::uint32_t*>(into.GetPixelAddress(dx, dy + y));
        if (direct) {
            const auto* in = reinterpret_cast<const std::uint32_t*>(image->data + static_cast<std::ptrdiff_t>(y) * image->bytes_per_line);
            for (int x = 0; x < image->width; ++x) out[x] = in[x] & 0xFFFFFF;
        } else {
            for (int x = 0; x < image->width; ++x) {
                const unsigned long p = XGetPixel(image, x, y);
                out[x] = red.Scale(p) << 16 | green.Scale(p) << 8 | blue.Scale(p);
            }
        }
    }
}

struct SharedGrab {
    XImage* image = nullptr;
    XShmSegmentInfo segment{};
    bool attached = false;
};

void ReleaseShared(Display* display, SharedGrab& grab) {
    if (grab.attached) XShmDetach(display, &grab.segment);
    if (grab.image != nullptr) {
        grab.image->data = nullptr;  // the segment is not Xlib's to free
        XDestroyImage(grab.image);
    }
    if (grab.segment.shmaddr != nullptr && grab.segment.shmaddr != reinterpret_cast<char*>(-1)) shmdt(grab.segment.shmaddr);
}

bool GrabShared(x11::Session& x, const XWindowAttributes& root, const CRect& block, SharedGrab& grab) {
    Display* display = x.display();
    grab.image = XShmCreateImage(display, root.visual, static_cast<unsigned>(root.depth), ZPixmap, nullptr,
                                 &grab.segment, static_cast<unsigned>(block.Width()), static_cast<unsigned>(block.Height()));
    if (grab.image == nullptr) return false;
    grab.segment.shmid = shmget(IPC_PRIVATE, static_cast<std::size_t>(grab.image->bytes_per_line) * grab.image->height,
                                IPC_CREAT | 0600);
    if (grab.segment.shmid < 0) return false;
    grab.segment.shmaddr = static_cast<char*>(shmat(grab.segment.shmid, nullptr, 0));
    if (grab.segment.shmaddr == reinterpret_cast<char*>(-1)) {
        shmctl(grab.segment.shmid, IPC_RMID, nullptr);
        return false;
    }
    grab.image->data = grab.segment.shmaddr;
    grab.segment.readOnly = False;
    grab.attached = XShmAttach(display, &grab.segment) && x.Sync();
    shmctl(grab.segment.shmid, IPC_RMID, nullptr);  // freed once both sides detach
    if (!grab.attached) return false;
    return XShmGetImage(display, root.root, grab.image, block.left, block.top, AllPlanes) && x.Sync();
}

}  // namespace

bool GrabScreenArea(const CRect& area, CImage& into, EGrabMethod method) {
    if (area.Width() <= 0 || area.Height() <= 0) return false;
    x11::Session x;
    if (!x) return false;
    Display* display = x.display();
    XWindowAttributes root{};
    if (!XGetWindowAttributes(display, x.root(), &root)) return false;
    CImage image;
    if (!image.Create(area.Width(), area.Height(), 32)) return false;  // black until grabbed

    const CRect block(std::max(area.left, 0), std::max(area.top, 0), std::min(area.right, root.width),
                      std::min(area.bottom, root.height));
    if (block.IsRectEmpty()) {  // wholly off the screen
        into = std::move(image);
        return true;
    }
    bool ok = false;
    if (method != EGrabMethod::GetImage && XShmQueryExtension(display)) {
        SharedGrab grab;
        ok = GrabShared(x, root, block, grab);
        if (ok) CopyPixels(grab.image, image, block.left - area.left, block.top - area.top);
        ReleaseShared(display, grab);
        x.Sync();
    }
    if (!ok && method != EGrabMethod::SharedMemory) {
        XImage* plain = XGetImage(display, x.root(), block.left, block.top, static_cast<unsigned>(block.Width()),
                                  static_cast<unsigned>(block.Height()), AllPlanes, ZPixmap);
        ok = plain != nullptr && x.Sync();
        if (ok) CopyPixels(plain, image, block.left - area.left, block.top - area.top);
        if (plain != nullptr) XDestroyImage(plain);
    }
    if (ok) into = std::move(image);
    return ok;
}

bool SharedMemoryGrabOffered() {
    x11::Session x;
    return x && XShmQueryExtension(x.display());
}

// Sizes from the XRandR monitors (the primary one, and the box around all of
// them); the root window's size where XRandR reports none.
bool ScreenSizes(CSize& primary, CSize& virtualScreen) {
    x11::MonitorList list;
    if (x11::QueryMonitors(list) && list.count > 0) {
        CRect bounds(INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN);
        int chosen = 0;
        for (int i = 0; i < list.count; ++i) {
            const x11::MonitorGeometry& m = list.items[i];
            bounds.SetRect(std::min(bounds.left, m.x), std::min(bounds.top, m.y), std::max(bounds.right, m.x + m.width),
                           std::max(bounds.bottom, m.y + m.height));
            if (m.primary) chosen = i;
        }
        primary = CSize(list.items[chosen].width, list.items[chosen].height);
        virtualScreen = bounds.Size();
        return true;
    }
    x11::Session x;
    if (!x) return false;
    Display* display = x.display();
    virtualScreen = CSize(DisplayWidth(display, x.screen()), DisplayHeight(display, x.screen()));
    primary = virtualScreen;
    return true;
}

bool WindowScreenRect(HWND window, CRect& rect) {
    int x = 0, y = 0, width = 0, height = 0;
    if (!x11::WindowRectInRoot(reinterpret_cast<std::uintptr_t>(window), x, y, width, height)) return false;
    rect = CRect(x, y, x + width, y + height);
    return true;
}

}  // namespace TeskUtility::imaging
