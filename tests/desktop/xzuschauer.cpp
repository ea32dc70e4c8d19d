#include "tests/desktop/xzuschauer.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <chrono>

namespace {

Display* xzAnzeige()
{
    static Display* d = XOpenDisplay(nullptr);
    return d;
}

int xzFehler(Display*, XErrorEvent*)
{
    return 0;  // a window gone meanwhile is "not viewable"
}

}  // namespace

bool xzSichtbarWarten(unsigned long xid, int ms)
{
    Display* d = xzAnzeige();
    if (!d || !xid) return false;
    auto alt = XSetErrorHandler(xzFehler);
    const auto ende = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    bool ja = false;
    for (;;) {
        XWindowAttributes a{};
        if (XGetWindowAttributes(d, xid, &a) && a.map_state == IsViewable) ja = true;
        if (ja || std::chrono::steady_clock::now() >= ende) break;
        usleep(5000);
    }
    XSetErrorHandler(alt);
    return ja;
}

int64_t xzPixel(unsigned long xid, int x, int y)
{
    Display* d = xzAnzeige();
    if (!d || !xid) return -1;
    auto alt = XSetErrorHandler(xzFehler);
    XImage* b = XGetImage(d, xid, x, y, 1, 1, AllPlanes, ZPixmap);
    XSync(d, False);
    XSetErrorHandler(alt);
    if (!b) return -1;
    const unsigned long p = XGetPixel(b, 0, 0);
    XDestroyImage(b);
    return static_cast<int64_t>(p & 0xFFFFFF);
}
