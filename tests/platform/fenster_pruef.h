// Test helpers for the window manager: a message-recording window class and
// a fixture that starts each test from a clean window manager with a fixed
// clock. Messages are logged as "name:MESSAGE" for the windows given a name.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/fensterint.h"
#include "platform/headless.h"
#include "platform/nachricht.h"
#include "platform/systemwerte.h"
#include "platform/uhr.h"

namespace pruef {

inline std::vector<std::string> protokoll;
inline std::map<HWND, std::string> namen;
inline std::set<UINT> beachtet;  // messages that are logged; empty: all below
inline std::string naechsterName;  // bound to the next window on its first message

inline const char* nachrichtName(UINT m)
{
    switch (m) {
    case WM_CREATE: return "CREATE";
    case WM_DESTROY: return "DESTROY";
    case WM_MOVE: return "MOVE";
    case WM_SIZE: return "SIZE";
    case WM_ACTIVATE: return "ACTIVATE";
    case WM_SETFOCUS: return "SETFOCUS";
    case WM_KILLFOCUS: return "KILLFOCUS";
    case WM_ENABLE: return "ENABLE";
    case WM_PAINT: return "PAINT";
    case WM_CLOSE: return "CLOSE";
    case WM_ERASEBKGND: return "ERASEBKGND";
    case WM_SHOWWINDOW: return "SHOWWINDOW";
    case WM_ACTIVATEAPP: return "ACTIVATEAPP";
    case WM_CANCELMODE: return "CANCELMODE";
    case WM_SETCURSOR: return "SETCURSOR";
    case WM_MOUSEACTIVATE: return "MOUSEACTIVATE";
    case WM_GETMINMAXINFO: return "GETMINMAXINFO";
    case WM_WINDOWPOSCHANGING: return "WINDOWPOSCHANGING";
    case WM_WINDOWPOSCHANGED: return "WINDOWPOSCHANGED";
    case WM_NCCREATE: return "NCCREATE";
    case WM_NCDESTROY: return "NCDESTROY";
    case WM_NCCALCSIZE: return "NCCALCSIZE";
    case WM_NCHITTEST: return "NCHITTEST";
    case WM_NCPAINT: return "NCPAINT";
    case WM_NCACTIVATE: return "NCACTIVATE";
    case WM_KEYDOWN: return "KEYDOWN";
    case WM_KEYUP: return "KEYUP";
    case WM_CHAR: return "CHAR";
    case WM_SYSKEYDOWN: return "SYSKEYDOWN";
    case WM_SYSKEYUP: return "SYSKEYUP";
    case WM_SYSCHAR: return "SYSCHAR";
    case WM_TIMER: return "TIMER";
    case WM_MOUSEMOVE: return "MOUSEMOVE";
    case WM_LBUTTONDOWN: return "LBUTTONDOWN";
    case WM_LBUTTONUP: return "LBUTTONUP";
    case WM_LBUTTONDBLCLK: return "LBUTTONDBLCLK";
    case WM_RBUTTONDOWN: return "RBUTTONDOWN";
    case WM_RBUTTONUP: return "RBUTTONUP";
    case WM_MOUSEWHEEL: return "MOUSEWHEEL";
    case WM_NCLBUTTONDOWN: return "NCLBUTTONDOWN";
    case WM_NCLBUTTONDBLCLK: return "NCLBUTTONDBLCLK";
    case WM_NCMOUSEMOVE: return "NCMOUSEMOVE";
    case WM_PARENTNOTIFY: return "PARENTNOTIFY";
    case WM_CAPTURECHANGED: return "CAPTURECHANGED";
    case WM_COMMAND: return "COMMAND";
    case WM_CONTEXTMENU: return "CONTEXTMENU";
    case WM_SYSCOMMAND: return "SYSCOMMAND";
    case WM_USER: return "USER";
    case WM_USER + 1: return "USER1";
    case WM_USER + 2: return "USER2";
    case WM_USER + 3: return "USER3";
    default: return nullptr;
    }
}

inline void log(HWND h, UINT m, const std::string& zusatz = "")
{
    auto it = namen.find(h);
    if (it == namen.end()) return;
    if (!beachtet.empty() && !beachtet.count(m)) return;
    const char* n = nachrichtName(m);
    if (!n) return;
    protokoll.push_back(it->second + ":" + n + zusatz);
}

// Hooks for single tests: called before the default handling; return true
// with `ergebnis` set to answer the message themselves.
inline std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT&)> eingriff;

inline LRESULT CALLBACK aufzeichner(HWND h, UINT m, WPARAM wp, LPARAM lp)
{
    log(h, m);
    if (eingriff) {
        LRESULT r = 0;
        if (eingriff(h, m, wp, lp, r)) return r;
    }
    return DefWindowProc(h, m, wp, lp);
}

inline void klasse(const char* name, UINT stil = CS_DBLCLKS, HBRUSH hintergrund = 0, WNDPROC proc = aufzeichner)
{
    WNDCLASSEX wc{};
    wc.cbSize = sizeof wc;
    wc.style = stil;
    wc.lpfnWndProc = proc;
    wc.cbWndExtra = 16;
    wc.lpszClassName = name;
    wc.hbrBackground = hintergrund;
    wc.hCursor = plCursorSystem(IDC_ARROW);
    ASSERT_NE(RegisterClassEx(&wc), 0);
}

inline HWND fenster(const char* name, DWORD stil, int x, int y, int b, int h, HWND eltern = 0, int id = 0,
                    const char* kl = "Rec", DWORD exStil = 0)
{
    // Named before creation so that the creation messages are logged: the
    // next handle is not known, so the name is bound on WM_NCCREATE.
    naechsterName = name;
    HWND w = CreateWindowEx(exStil, kl, name, stil, x, y, b, h, eltern, static_cast<HMENU>(id),
                            0, nullptr);
    naechsterName.clear();
    if (w) namen[w] = name;
    return w;
}

inline LRESULT CALLBACK benennender(HWND h, UINT m, WPARAM wp, LPARAM lp)
{
    if (m == WM_GETMINMAXINFO || m == WM_NCCREATE)
        if (!naechsterName.empty() && !namen.count(h)) namen[h] = naechsterName;
    return aufzeichner(h, m, wp, lp);
}

inline std::vector<std::string> nimm()
{
    std::vector<std::string> v;
    v.swap(protokoll);
    return v;
}

class Fixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        plFensterSystemEnde();
        plUhrFestsetzen(1767254400000);  // 2026-01-01 08:00 UTC
        protokoll.clear();
        namen.clear();
        beachtet.clear();
        eingriff = nullptr;
        klasse("Rec", CS_DBLCLKS, static_cast<HBRUSH>(COLOR_WINDOW + 1), benennender);
        klasse("RecEinfach", 0, static_cast<HBRUSH>(COLOR_BTNFACE + 1), benennender);
    }
    void TearDown() override
    {
        eingriff = nullptr;
        plFensterSystemEnde();
        plUhrFreigeben();
    }
    static std::vector<std::string> pumpen()
    {
        plHeadlessPumpen();
        return nimm();
    }
};

}  // namespace pruef
