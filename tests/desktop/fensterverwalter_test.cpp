// Top-level windows under a real window manager (openbox on the test's X
// server; CTest's desktop_wm, label desktop): the manager frames them;
// moving by the caption, sizing by an edge, maximising and restoring,
// minimising and restoring and closing through the frame reach the window
// procedure as WM_MOVE, WM_SIZE, WM_GETMINMAXINFO, WM_SYSCOMMAND and
// WM_CLOSE, and GetWindowRect / GetClientRect agree with what xwininfo and
// the frame extents say; a dialog is framed, centred on its owner and
// modal over it. The program closed through its frame comes back where it
// was left (maximised too), and under GDK_SCALE=2 keeps its place in
// application pixels.
#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/ctl_combo.h"
#include "platform/ctl_status.h"
#include "platform/ctl_tooltip.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/gtk/gtkbackend.h"
#include "platform/lokalbefehl.h"
#include "platform/nachricht.h"
#include "platform/nachrichtbox.h"
#include "platform/ressource.h"
#include "platform/systemwerte.h"
#include "tests/desktop/desktop_pruef.h"
#include "tests/desktop/xzuschauer.h"

namespace fs = std::filesystem;

namespace {

std::string ordner()
{
    static std::string o = [] {
        char vorlage[] = "/tmp/velmo-wm-XXXXXX";
        const char* d = mkdtemp(vorlage);
        return std::string(d ? d : "/tmp");
    }();
    return o;
}

int ausfuehren(const std::string& befehl, std::string* aus = nullptr)
{
    return desktopAusfuehren(befehl, ordner() + "/ausgabe", aus);
}

pid_t wmPid = 0;

bool wmLaeuft()
{
    std::string aus;
    return ausfuehren("xprop -root _NET_SUPPORTING_WM_CHECK", &aus) == 0 && aus.find("window id") != std::string::npos;
}

// What the window procedure saw, in order.
std::vector<std::string> spur;
POINT minSpur{0, 0};  // the smallest tracking size the procedure gives

bool hat(const std::string& s)
{
    for (const auto& e : spur)
        if (e == s) return true;
    return false;
}

bool hatAnfang(const std::string& s)
{
    for (const auto& e : spur)
        if (e.rfind(s, 0) == 0) return true;
    return false;
}

LRESULT CALLBACK hauptProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_SIZE:
        spur.push_back("size " + std::to_string(wp) + " " + std::to_string(LOWORD(lp)) + "," +
                       std::to_string(HIWORD(lp)));
        break;
    case WM_MOVE:
        spur.push_back("move " + std::to_string(static_cast<short>(LOWORD(lp))) + "," +
                       std::to_string(static_cast<short>(HIWORD(lp))));
        break;
    case WM_GETMINMAXINFO: {
        auto* mm = reinterpret_cast<MINMAXINFO*>(lp);
        mm->ptMinTrackSize = minSpur;
        spur.push_back("minmax");
        return 0;
    }
    case WM_SYSCOMMAND: spur.push_back("syscommand " + std::to_string(wp & 0xFFF0)); break;
    case WM_CLOSE: spur.push_back("close"); return 0;  // the test decides
    case WM_CHAR: spur.push_back("char " + std::string(1, static_cast<char>(wp))); return 0;
    default: break;
    }
    return DefWindowProc(h, msg, wp, lp);
}

// The geometry the X server and the manager give a window: its inside
// (xwininfo) and the frame's widths (_NET_FRAME_EXTENTS).
struct XGeometrie {
    int x = 0, y = 0, breite = 0, hoehe = 0;
    int links = 0, rechts = 0, oben = 0, unten = 0;
    bool ok = false;
};

int zahlNach(const std::string& text, const std::string& marke)
{
    size_t p = text.find(marke);
    return p == std::string::npos ? -99999 : std::atoi(text.c_str() + p + marke.size());
}

XGeometrie xGeometrie(HWND h)
{
    XGeometrie g;
    std::string id = std::to_string(plGtkXFenster(h)), info, ext;
    if (ausfuehren("xwininfo -id " + id, &info) != 0) return g;
    if (ausfuehren("xprop -id " + id + " _NET_FRAME_EXTENTS", &ext) != 0) return g;
    g.x = zahlNach(info, "Absolute upper-left X:");
    g.y = zahlNach(info, "Absolute upper-left Y:");
    g.breite = zahlNach(info, "Width:");
    g.hoehe = zahlNach(info, "Height:");
    size_t p = ext.find('=');
    if (p == std::string::npos) return g;
    if (std::sscanf(ext.c_str() + p + 1, " %d, %d, %d, %d", &g.links, &g.rechts, &g.oben, &g.unten) != 4) return g;
    g.ok = true;
    return g;
}

std::string text(const RECT& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

// The layer's rectangles are the manager's: the window rectangle is the
// frame's outside, the client area the inside the manager framed.
::testing::AssertionResult wieXSagt(HWND h)
{
    XGeometrie g = xGeometrie(h);
    if (!g.ok) return ::testing::AssertionFailure() << "no geometry from xwininfo/xprop";
    RECT w{}, c{};
    GetWindowRect(h, &w);
    GetClientRect(h, &c);
    POINT o{0, 0};
    ClientToScreen(h, &o);
    RECT soll{g.x - g.links, g.y - g.oben, g.x + g.breite + g.rechts, g.y + g.hoehe + g.unten};
    if (text(w) != text(soll) || o.x != g.x || o.y != g.y || c.right != g.breite || c.bottom != g.hoehe)
        return ::testing::AssertionFailure() << "layer window " << text(w) << " client " << o.x << "," << o.y << " "
                                             << c.right << "x" << c.bottom << "; X frame " << text(soll)
                                             << " inside " << g.x << "," << g.y << " " << g.breite << "x" << g.hoehe;
    return ::testing::AssertionSuccess();
}

// A pointer gesture with xdotool: press at `von`, move in steps to `nach`,
// release, at the pace of a hand (the manager reads motion, not warps).
int ziehen(POINT von, POINT nach)
{
    std::string b = "xdotool mousemove " + std::to_string(von.x) + " " + std::to_string(von.y) +
                    " sleep 0.05 mousedown 1";
    for (int i = 1; i <= 8; ++i)
        b += " sleep 0.03 mousemove " + std::to_string(von.x + (nach.x - von.x) * i / 8) + " " +
             std::to_string(von.y + (nach.y - von.y) * i / 8);
    b += " sleep 0.05 mouseup 1";
    return ausfuehren(b);
}

// A double click at `p`, as a hand gives it.
int doppelklick(POINT p)
{
    return ausfuehren("xdotool mousemove " + std::to_string(p.x) + " " + std::to_string(p.y) +
                      " sleep 0.05 click --repeat 2 --delay 80 1");
}

class MitFensterverwalter : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (wmLaeuft()) return;
        // openbox runs its start-up command once it manages windows; a
        // window mapped before that would be taken as one already placed.
        std::string bereit = ordner() + "/wm-bereit";
        std::string startBefehl = "touch " + bereit;
        const char* argv[] = {"openbox", "--sm-disable", "--startup", startBefehl.c_str(), nullptr};
        if (posix_spawnp(&wmPid, "openbox", nullptr, nullptr, const_cast<char* const*>(argv), environ) != 0) {
            wmPid = 0;
            return;
        }
        desktopPumpen(10000, [&] { return fs::exists(bereit) && wmLaeuft(); });
    }
    static void TearDownTestSuite()
    {
        fs::remove_all(ordner());
        if (wmPid > 0) {
            kill(wmPid, SIGTERM);
            waitpid(wmPid, nullptr, 0);
            wmPid = 0;
        }
    }
    void SetUp() override
    {
        if (!wmLaeuft()) GTEST_SKIP() << "no window manager (openbox) on this display";
        plFensterSystemEnde();
        plBackendEnde();
        setenv("VELMO_BACKEND", "gtk", 1);
        ASSERT_EQ(plFensterSystemStart(), 0);
        ASSERT_STREQ(plBackendName(), "gtk");
        WNDCLASS wc{};
        wc.lpfnWndProc = hauptProc;
        wc.lpszClassName = "WmProbe";
        wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
        ASSERT_NE(RegisterClass(&wc), 0);
        spur.clear();
        minSpur = POINT{300, 200};
    }
    void TearDown() override { plFensterSystemEnde(); }
};

// The program's first window, shown and painted (children too), is on the
// screen with that picture before the program's loop runs: the server maps
// it with the layer's pixels, never empty or black while a start goes on.
// Shown and not painted it goes on screen at the next wait; hidden again
// before that, never.
TEST_F(MitFensterverwalter, AShownWindowIsOnScreenWithItsPictureBeforeTheLoopRuns)
{
    struct Fall {
        const char* name;
        bool malen, verbergen;
    };
    for (const Fall& f : {Fall{"painted", true, false}, Fall{"not painted", false, false},
                          Fall{"hidden again", false, true}}) {
        SCOPED_TRACE(f.name);
        plFensterSystemEnde();
        ASSERT_EQ(plFensterSystemStart(), 0);
        WNDCLASS wc{};
        wc.lpfnWndProc = DefWindowProc;
        wc.lpszClassName = "WmGruen";
        wc.hbrBackground = CreateSolidBrush(RGB(40, 160, 90));
        ASSERT_NE(RegisterClass(&wc), 0);
        wc.lpszClassName = "WmBlau";
        wc.hbrBackground = CreateSolidBrush(RGB(30, 60, 200));
        ASSERT_NE(RegisterClass(&wc), 0);
        HWND h = CreateWindow("WmGruen", "Bild", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 120, 90, 420, 300, 0, 0, 0,
                              nullptr);
        ASSERT_NE(h, 0u);
        HWND kind = CreateWindow("WmBlau", "", WS_CHILD | WS_VISIBLE, 200, 100, 80, 60, h, 0, 0, nullptr);
        ASSERT_NE(kind, 0u);
        ShowWindow(h, SW_SHOWNORMAL);
        if (f.malen) RedrawWindow(h, nullptr, 0, RDW_UPDATENOW | RDW_ALLCHILDREN);
        if (f.verbergen) ShowWindow(h, SW_HIDE);
        const unsigned long xid = plGtkXFenster(h);
        ASSERT_NE(xid, 0u);
        // No message taken, GTK not iterated: only what left the program.
        EXPECT_EQ(xzSichtbarWarten(xid, f.malen ? 5000 : 300), f.malen);
        if (f.malen) {
            EXPECT_EQ(xzPixel(xid, 40, 40), 0x28A05A) << "the window's own background";
            EXPECT_EQ(xzPixel(xid, 240, 130), 0x1E3CC8) << "its child";
        }
        desktopPumpen(f.verbergen ? 300 : 5000, [&] { return plGtkSichtbar(h); });
        EXPECT_EQ(plGtkSichtbar(h), !f.verbergen);
        EXPECT_EQ(xzSichtbarWarten(xid, f.verbergen ? 0 : 2000), !f.verbergen);
        DestroyWindow(h);
        desktopPumpen(50);
    }
}

TEST_F(MitFensterverwalter, TheFramesGesturesReachTheWindowProcedure)
{
    HWND h = CreateWindow("WmProbe", "Probe", WS_OVERLAPPEDWINDOW, 100, 80, 600, 400, 0, 0, 0, nullptr);
    ASSERT_NE(h, 0u);
    ShowWindow(h, SW_SHOWNORMAL);
    ASSERT_TRUE(desktopPumpen(5000, [&] { return plGtkSichtbar(h) && wieXSagt(h); })) << wieXSagt(h).message();
    XGeometrie g = xGeometrie(h);
    EXPECT_GT(g.oben, 5) << "the manager's caption is there";
    RECT w0{};
    GetWindowRect(h, &w0);
    EXPECT_EQ(w0.left, 100);
    EXPECT_EQ(w0.top, 80);

    // Moving by the caption.
    spur.clear();
    POINT titel{w0.left + 200, w0.top + g.oben / 2};
    ASSERT_EQ(ziehen(titel, POINT{titel.x + 120, titel.y + 70}), 0);
    RECT w{};
    EXPECT_TRUE(desktopPumpen(5000, [&] {
        GetWindowRect(h, &w);
        return w.left == w0.left + 120 && w.top == w0.top + 70;
    })) << text(w);
    EXPECT_TRUE(desktopPumpen(3000, [&] { return wieXSagt(h); })) << wieXSagt(h).message();
    POINT o{0, 0};
    ClientToScreen(h, &o);
    EXPECT_TRUE(hat("move " + std::to_string(o.x) + "," + std::to_string(o.y)));
    EXPECT_EQ(w.right - w.left, w0.right - w0.left) << "a move keeps the size";

    // Sizing by the right edge; the limit of WM_GETMINMAXINFO holds when
    // the edge is dragged far in.
    spur.clear();
    GetWindowRect(h, &w0);
    POINT kante{w0.right - 1, (w0.top + w0.bottom) / 2};
    ASSERT_EQ(ziehen(kante, POINT{kante.x + 80, kante.y}), 0);
    EXPECT_TRUE(desktopPumpen(5000, [&] {
        GetWindowRect(h, &w);
        return w.right == w0.right + 80;
    })) << text(w);
    EXPECT_EQ(w.left, w0.left);
    RECT c{};
    GetClientRect(h, &c);
    EXPECT_TRUE(hat("size 0 " + std::to_string(c.right) + "," + std::to_string(c.bottom)));
    EXPECT_TRUE(desktopPumpen(3000, [&] { return wieXSagt(h); })) << wieXSagt(h).message();
    GetWindowRect(h, &w0);
    kante = POINT{w0.right - 1, (w0.top + w0.bottom) / 2};
    ASSERT_EQ(ziehen(kante, POINT{w0.left + 50, kante.y}), 0);
    desktopPumpen(5000, [&] {
        GetWindowRect(h, &w);
        return w.right - w.left == 300;
    });
    EXPECT_EQ(w.right - w.left, 300) << "the smallest width the procedure allows";
    EXPECT_TRUE(hat("minmax"));
    EXPECT_TRUE(desktopPumpen(3000, [&] { return wieXSagt(h); })) << wieXSagt(h).message();

    // A double click on the caption maximises, another restores.
    spur.clear();
    GetWindowRect(h, &w0);
    titel = POINT{w0.left + 150, w0.top + g.oben / 2};
    ASSERT_EQ(doppelklick(titel), 0);
    EXPECT_TRUE(desktopPumpen(5000, [&] { return IsZoomed(h) && hatAnfang("size 2 "); }));
    EXPECT_TRUE(hat("syscommand " + std::to_string(SC_MAXIMIZE)));
    int sb = GetSystemMetrics(SM_CXSCREEN);
    EXPECT_TRUE(desktopPumpen(3000, [&] {
        GetWindowRect(h, &w);
        return w.left >= 0 && w.right <= sb && w.right - w.left >= sb - 8 && wieXSagt(h);
    })) << text(w) << " " << wieXSagt(h).message();
    spur.clear();
    XGeometrie gm = xGeometrie(h);
    titel = POINT{gm.x + 150, gm.y - gm.oben / 2};
    ASSERT_EQ(doppelklick(titel), 0);
    EXPECT_TRUE(desktopPumpen(5000, [&] {
        GetWindowRect(h, &w);
        return !IsZoomed(h) && text(w) == text(w0);
    })) << text(w) << " before " << text(w0);
    EXPECT_TRUE(hat("syscommand " + std::to_string(SC_RESTORE)));
    EXPECT_TRUE(hatAnfang("size 0 "));
    EXPECT_TRUE(desktopPumpen(3000, [&] { return wieXSagt(h); })) << wieXSagt(h).message();

    // Minimised by the desktop (as a task bar asks the manager) and back.
    spur.clear();
    std::string id = std::to_string(plGtkXFenster(h));
    ASSERT_EQ(ausfuehren("xdotool windowminimize " + id), 0);
    EXPECT_TRUE(desktopPumpen(5000, [&] { return IsIconic(h) && hat("size 1 0,0"); }));
    EXPECT_TRUE(hat("syscommand " + std::to_string(SC_MINIMIZE)));
    spur.clear();
    ASSERT_EQ(ausfuehren("xdotool windowactivate " + id), 0);
    EXPECT_TRUE(desktopPumpen(5000, [&] {
        GetWindowRect(h, &w);
        return !IsIconic(h) && text(w) == text(w0);
    })) << text(w);
    EXPECT_TRUE(hat("syscommand " + std::to_string(SC_RESTORE)));
    EXPECT_TRUE(desktopPumpen(3000, [&] { return plGtkSichtbar(h) && wieXSagt(h); })) << wieXSagt(h).message();

    // Closing through the frame: the manager's key and its close button.
    spur.clear();
    ASSERT_EQ(ausfuehren("xdotool windowactivate --sync " + id + " key alt+F4"), 0);
    EXPECT_TRUE(desktopPumpen(5000, [&] { return hat("close"); }));
    EXPECT_TRUE(hat("syscommand " + std::to_string(SC_CLOSE)));
    EXPECT_TRUE(IsWindow(h));
    DestroyWindow(h);
}

// A modal dialog of a template with DS_CENTER, as the dialog manager shows
// it: the manager frames it, X holds it centred on its owner's frame (both
// as xwininfo and xprop report them), transient for the owner and modal, the
// owner disabled while it runs and enabled again after.
TEST_F(MitFensterverwalter, ADialogIsFramedCentredAndModalOverItsOwner)
{
    // What the dialog procedure sees once the dialog runs.
    struct ModalProbe {
        HWND owner = 0, dlg = 0;
        bool gesehen = false, ownerAus = false, sichtbar = false;
        XGeometrie o, d;
        std::string xprop;
        RECT client{};
    };
    static ModalProbe probe;
    DLGPROC proc = [](HWND d, UINT msg, WPARAM, LPARAM) -> INT_PTR {
        if (msg == WM_INITDIALOG) {
            PostMessage(d, WM_APP + 7, 0, 0);
            return TRUE;
        }
        if (msg != WM_APP + 7) return FALSE;
        probe.dlg = d;
        probe.gesehen = true;
        probe.ownerAus = !IsWindowEnabled(probe.owner);
        probe.sichtbar = desktopPumpen(5000, [&] { return plGtkSichtbar(d) && wieXSagt(d); });
        probe.o = xGeometrie(probe.owner);
        probe.d = xGeometrie(d);
        GetClientRect(d, &probe.client);
        ausfuehren("xprop -id " + std::to_string(plGtkXFenster(d)) + " WM_TRANSIENT_FOR _NET_WM_STATE", &probe.xprop);
        EndDialog(d, 7);
        return TRUE;
    };
    minSpur = POINT{0, 0};
    HWND h = CreateWindow("WmProbe", "Besitzer", WS_OVERLAPPEDWINDOW, 200, 150, 700, 500, 0, 0, 0, nullptr);
    ASSERT_NE(h, 0u);
    ShowWindow(h, SW_SHOWNORMAL);
    ASSERT_TRUE(desktopPumpen(5000, [&] { return plGtkSichtbar(h) && wieXSagt(h); })) << wieXSagt(h).message();
    RcDialog t;
    t.name = "MODALPROBE";
    t.titel = "Dialog";
    t.stil = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
    t.cx = 160;
    t.cy = 80;
    probe = ModalProbe{};
    probe.owner = h;
    EXPECT_EQ(DialogBoxIndirectParam(0, &t, h, proc, 0), 7);
    const ModalProbe& p = probe;
    ASSERT_TRUE(p.gesehen);
    EXPECT_TRUE(p.sichtbar) << "the dialog shown where X has it";
    EXPECT_TRUE(p.ownerAus) << "the owner is disabled while the dialog runs";
    EXPECT_TRUE(IsWindowEnabled(h)) << "and enabled again after";
    EXPECT_EQ(p.client.right, plDialogPixel(160)) << "the template's size inside the frame";
    EXPECT_EQ(p.client.bottom, plDialogPixel(80));
    ASSERT_TRUE(p.o.ok && p.d.ok);
    EXPECT_GT(p.d.oben, 5) << "the manager frames the dialog";
    // Centres of the two frames as X has them, doubled.
    const int ox = 2 * (p.o.x - p.o.links) + p.o.links + p.o.breite + p.o.rechts;
    const int oy = 2 * (p.o.y - p.o.oben) + p.o.oben + p.o.hoehe + p.o.unten;
    const int dx = 2 * (p.d.x - p.d.links) + p.d.links + p.d.breite + p.d.rechts;
    const int dy = 2 * (p.d.y - p.d.oben) + p.d.oben + p.d.hoehe + p.d.unten;
    EXPECT_LE(std::abs(dx - ox), 2) << "dialog centre x " << dx / 2.0 << ", owner " << ox / 2.0;
    EXPECT_LE(std::abs(dy - oy), 2) << "dialog centre y " << dy / 2.0 << ", owner " << oy / 2.0;
    char owner[32];
    std::snprintf(owner, sizeof owner, "0x%lx", plGtkXFenster(h));
    EXPECT_NE(p.xprop.find(owner), std::string::npos) << p.xprop;
    EXPECT_NE(p.xprop.find("_NET_WM_STATE_MODAL"), std::string::npos) << p.xprop;
    EXPECT_FALSE(IsWindow(p.dlg));
    DestroyWindow(h);
}

// A window whose procedure destroys it while the backend asks it for its
// limits (on showing) is not touched afterwards: no GTK critical, no read
// of freed memory (the sanitizer build says so).
bool selbstWegScharf = false;  // from the showing on (creation asks too)

LRESULT CALLBACK selbstWegProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_GETMINMAXINFO && selbstWegScharf) {
        selbstWegScharf = false;
        DestroyWindow(h);
        return 0;
    }
    return DefWindowProc(h, msg, wp, lp);
}

// The status bar's size grip of a framed window: the manager's frame sizes
// the window, so the bar draws no grip of its own that would do nothing.
TEST_F(MitFensterverwalter, AFramedWindowsStatusBarDrawsNoSizeGrip)
{
    HWND h = CreateWindow("WmProbe", "Griff", WS_OVERLAPPEDWINDOW, 120, 90, 500, 300, 0, 0, 0, nullptr);
    ASSERT_NE(h, 0u);
    HWND leiste = CreateStatusWindow(WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP | CCS_BOTTOM, "Bereit", h, 7);
    ASSERT_NE(leiste, 0u);
    ShowWindow(h, SW_SHOWNORMAL);
    ASSERT_TRUE(desktopPumpen(5000, [&] { return plGtkSichtbar(h); }));
    UpdateWindow(h);
    desktopPumpen(200);
    RECT c{};
    GetClientRect(leiste, &c);
    HDC dc = GetDC(leiste);
    const COLORREF schatten = GetSysColor(COLOR_BTNSHADOW);
    int griff = 0;
    for (int y = c.bottom - 14; y < c.bottom; ++y)
        for (int x = c.right - 14; x < c.right; ++x) griff += GetPixel(dc, x, y) == schatten;
    ReleaseDC(leiste, dc);
    EXPECT_EQ(griff, 0) << "grip lines in the bar's corner";
    DestroyWindow(h);
}

TEST_F(MitFensterverwalter, AWindowDestroyedWhileItIsShownIsNotUsedAfterwards)
{
    WNDCLASS wc{};
    wc.lpfnWndProc = selbstWegProc;
    wc.lpszClassName = "SelbstWeg";
    ASSERT_NE(RegisterClass(&wc), 0);
    HWND h = CreateWindow("SelbstWeg", "Weg", WS_OVERLAPPEDWINDOW, 100, 80, 300, 200, 0, 0, 0, nullptr);
    ASSERT_NE(h, 0u);
    selbstWegScharf = true;
    ShowWindow(h, SW_SHOWNORMAL);
    desktopPumpen(500, [&] { return !IsWindow(h); });
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(plGtkXFenster(h), 0u);
}

// ---- Popups and message boxes ---------------------------------------------------------------

// What the X server and the manager say of a popup: override-redirect (the
// manager neither frames nor lists it), its size, and whether it holds the
// keyboard focus.
struct XPopup {
    bool ueberschrieben = false;  // override-redirect
    bool gelistet = false;        // in the manager's client list
    int breite = 0, hoehe = 0;
};

XPopup xPopup(HWND h)
{
    XPopup p;
    std::string id = std::to_string(plGtkXFenster(h)), info, liste;
    if (ausfuehren("xwininfo -id " + id, &info) != 0) return p;
    p.ueberschrieben = info.find("Override Redirect State: yes") != std::string::npos;
    p.breite = zahlNach(info, "Width:");
    p.hoehe = zahlNach(info, "Height:");
    char hex[32];
    std::snprintf(hex, sizeof hex, "0x%lx", plGtkXFenster(h));
    ausfuehren("xprop -root _NET_CLIENT_LIST", &liste);
    p.gelistet = liste.find(std::string(hex) + ",") != std::string::npos ||
                 liste.find(std::string(hex) + "\n") != std::string::npos;
    return p;
}

HWND comboListe = 0;

BOOL CALLBACK comboListeSuchen(HWND h, LPARAM)
{
    char k[32] = "";
    GetClassName(h, k, sizeof k);
    if (std::string(k) == "ComboLBox" && IsWindowVisible(h)) comboListe = h;
    return TRUE;
}

TEST_F(MitFensterverwalter, DropDownsMenusAndTooltipsAreNeitherManagedNorFocusedAndHaveTheirSize)
{
    plComboAnmelden();
    plTippKlasseRegistrieren();
    HWND h = CreateWindow("WmProbe", "Haupt", WS_OVERLAPPEDWINDOW, 100, 80, 700, 500, 0, 0, 0, nullptr);
    ASSERT_NE(h, 0u);
    ShowWindow(h, SW_SHOWNORMAL);
    ASSERT_TRUE(desktopPumpen(5000, [&] { return plGtkSichtbar(h) && plGtkHatFokus(h) && wieXSagt(h); }));
    POINT o{0, 0};
    ClientToScreen(h, &o);

    // The kinds the program opens: a combo box's list (a bordered popup),
    // the editor's hint "Hilfe" (a bordered popup shown without activation),
    // a menu (a plain popup) and the tooltip control's tip.
    HWND combo = CreateWindow("COMBOBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, 10, 10, 313, 200,
                              h, static_cast<HMENU>(7), 0, nullptr);
    ASSERT_NE(combo, 0u);
    for (const char* t : {"PDF", "DXF", "SVG", "PNG"}) SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
    HWND hilfe = CreateWindowEx(0, "WmProbe", "Hilfe", WS_POPUP | WS_BORDER, o.x + 50, o.y + 300, 240, 40, h, 0, 0,
                                nullptr);
    HWND menue = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, "WmProbe", "", WS_POPUP,
                                o.x + 400, o.y + 40, 160, 120, h, 0, 0, nullptr);
    HWND tipp = CreateWindowEx(WS_EX_TOPMOST, TOOLTIPS_CLASS, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, h, 0, 0,
                               nullptr);
    ASSERT_TRUE(hilfe && menue && tipp);
    TOOLINFO ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_SUBCLASS;
    ti.hwnd = h;
    ti.uId = 1;
    ti.rect = RECT{300, 200, 500, 300};
    ti.lpszText = const_cast<LPSTR>("Bauteil M1");
    SendMessage(tipp, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti));

    auto pruefen = [](const char* was, HWND fenster) {
        SCOPED_TRACE(was);
        ASSERT_TRUE(desktopPumpen(5000, [&] { return plGtkSichtbar(fenster); }));
        RECT r{};
        GetWindowRect(fenster, &r);
        XPopup p;
        EXPECT_TRUE(desktopPumpen(3000, [&] {
            p = xPopup(fenster);
            return p.breite == r.right - r.left && p.hoehe == r.bottom - r.top;
        })) << "X " << p.breite << "x" << p.hoehe << ", layer " << text(r);
        EXPECT_GT(r.bottom - r.top, 10);
        EXPECT_TRUE(p.ueberschrieben) << "override-redirect: no frame, no caption";
        EXPECT_FALSE(p.gelistet) << "not managed";
        EXPECT_FALSE(plGtkHatFokus(fenster));
    };
    // The mouse resting on a tool shows its tip.
    ASSERT_EQ(ausfuehren("xdotool mousemove " + std::to_string(o.x + 400) + " " + std::to_string(o.y + 250) +
                         " sleep 0.05 mousemove " + std::to_string(o.x + 402) + " " + std::to_string(o.y + 251)),
              0);
    ASSERT_TRUE(desktopPumpen(5000, [&] { return IsWindowVisible(tipp) && plGtkSichtbar(tipp); })) << "the tip shows";
    pruefen("tooltip", tipp);
    spur.clear();
    ASSERT_EQ(ausfuehren("xdotool type --delay 40 ZL"), 0);
    EXPECT_TRUE(desktopPumpen(3000, [&] { return hat("char Z") && hat("char L"); })) << "keys typed under the tip";

    SendMessage(combo, CB_SHOWDROPDOWN, TRUE, 0);
    comboListe = 0;
    EnumWindows(comboListeSuchen, 0);
    ASSERT_NE(comboListe, 0u) << "the open list";
    ShowWindow(hilfe, SW_SHOWNOACTIVATE);
    ShowWindow(menue, SW_SHOWNOACTIVATE);
    pruefen("drop-down list", comboListe);
    pruefen("hint", hilfe);
    pruefen("menu", menue);
    // Keys typed while they show go where they went before.
    spur.clear();
    ASSERT_EQ(ausfuehren("xdotool type --delay 40 ZL"), 0);
    EXPECT_TRUE(desktopPumpen(3000, [&] { return hat("char Z") && hat("char L"); }));
    EXPECT_TRUE(plGtkHatFokus(h));
    EXPECT_EQ(GetActiveWindow(), h);
    SendMessage(combo, CB_SHOWDROPDOWN, FALSE, 0);
    DestroyWindow(tipp);
    DestroyWindow(menue);
    DestroyWindow(hilfe);
    DestroyWindow(h);
}

// A question the program asks while a modal dialog is up, as "Projekt
// sichern" asks whether to overwrite: transient for that dialog, modal and
// above it, and it answers a click, Esc and the manager's close.
HWND frageHaupt = 0, frageDialog = 0;
std::vector<int> frageAntworten;
std::vector<std::string> frageBefunde;
int frageSchritt = 0;  // which answer the timer gives
int frageTicks = 0;

HWND frageBox()
{
    HWND a = GetActiveWindow();
    return a && a != frageHaupt && a != frageDialog && IsWindowVisible(a) ? a : 0;
}

void CALLBACK frageUhr(HWND, UINT, UINT_PTR, DWORD)
{
    static bool drin = false;
    if (drin) return;
    HWND box = frageBox();
    if (!box || !plGtkSichtbar(box)) return;
    drin = true;
    ++frageTicks;
    std::string id = std::to_string(plGtkXFenster(box));
    char dialogHex[32], boxHex[32];
    std::snprintf(dialogHex, sizeof dialogHex, "0x%lx", plGtkXFenster(frageDialog));
    std::snprintf(boxHex, sizeof boxHex, "0x%lx", plGtkXFenster(box));
    if (frageTicks == 1) {
        std::string aus, stapel;
        ausfuehren("xprop -id " + id + " WM_TRANSIENT_FOR _NET_WM_STATE _NET_WM_WINDOW_TYPE _MOTIF_WM_HINTS", &aus);
        ausfuehren("xprop -root _NET_CLIENT_LIST_STACKING", &stapel);
        std::string befund;
        if (aus.find(dialogHex) == std::string::npos) befund += " not transient for the dialog;";
        if (aus.find("_NET_WM_STATE_MODAL") == std::string::npos) befund += " not modal;";
        if (aus.find("_NET_WM_WINDOW_TYPE_DIALOG") == std::string::npos) befund += " not a dialog;";
        size_t pd = stapel.find(dialogHex), pb = stapel.find(boxHex);
        if (pd == std::string::npos || pb == std::string::npos || pb < pd) befund += " not above the dialog;";
        if (!plGtkHatFokus(box)) befund += " without the focus;";
        // What the box asks of the manager (Motif hints: flags, functions,
        // decorations): moving and closing, a title, a border and the
        // window menu, no minimise, maximise or sizing; so does the dialog
        // under it. (openbox keeps its minimise button on a dialog all the
        // same: it lets no hint take a button away.)
        std::string dlgAus;
        ausfuehren(std::string("xprop -id ") + dialogHex + " _MOTIF_WM_HINTS", &dlgAus);
        for (const std::string* t : {&aus, &dlgAus}) {
            unsigned long fl = 0, fn = 0, de = 0;
            const size_t p = t->find("_MOTIF_WM_HINTS(_MOTIF_WM_HINTS) =");
            if (p == std::string::npos || std::sscanf(t->c_str() + p + 34, " 0x%lx, 0x%lx, 0x%lx", &fl, &fn, &de) != 3)
                befund += " no Motif hints;";
            else if (fl != 3 || fn != 0x24 || de != 0x1A)
                befund += " Motif hints " + t->substr(p + 34, 30) + ";";
        }
        if (!befund.empty()) frageBefunde.push_back("step " + std::to_string(frageSchritt) + ":" + befund + "\n" + aus);
        if (frageSchritt == 0) {
            RECT k{};
            GetWindowRect(GetDlgItem(box, IDNO), &k);
            std::system(("xdotool mousemove " + std::to_string((k.left + k.right) / 2) + " " +
                         std::to_string((k.top + k.bottom) / 2) + " sleep 0.05 click 1")
                            .c_str());
        } else if (frageSchritt == 1) {
            std::system("xdotool key Escape");
        } else {
            std::system("xdotool key alt+F4");
        }
    } else if (frageTicks == 40) {
        // Not answered after two seconds: the only way left, so that the
        // test ends.
        frageBefunde.push_back("step " + std::to_string(frageSchritt) + ": no answer");
        std::system(("xdotool windowfocus --sync " + id + " key alt+n").c_str());
    }
    drin = false;
}

LRESULT CALLBACK frageHelfer(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_APP + 1) {
        for (frageSchritt = 0; frageSchritt < 3; ++frageSchritt) {
            frageTicks = 0;
            frageAntworten.push_back(MessageBox(0, "Der Ordner ist vorhanden. Soll der Inhalt \xFC" "berschrieben werden?",
                                                "Projekt sichern", MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL));
        }
        return 1;
    }
    return DefWindowProc(h, msg, wp, lp);
}

INT_PTR CALLBACK frageDialogProc(HWND h, UINT msg, WPARAM wp, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG:
        frageDialog = h;
        PostMessage(h, WM_APP, 0, 0);
        return TRUE;
    case WM_APP: {
        // Once the dialog is on screen and active, as the user sees it.
        if (!plGtkSichtbar(h) || GetActiveWindow() != h) {
            PostMessage(h, WM_APP, 0, 0);
            return TRUE;
        }
        HWND helfer = CreateWindow("FrageHelfer", "", WS_CHILD, 0, 0, 1, 1, h, 0, 0, 0);
        SetTimer(frageHaupt, 77, 50, frageUhr);
        SendMessage(helfer, WM_APP + 1, 0, 0);
        KillTimer(frageHaupt, 77);
        EndDialog(h, IDOK);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) EndDialog(h, LOWORD(wp));
        return TRUE;
    default: return FALSE;
    }
}

TEST_F(MitFensterverwalter, AQuestionOverAModalDialogIsAboveItAndAnswersMouseEscAndClose)
{
    WNDCLASS wc{};
    wc.lpfnWndProc = frageHelfer;
    wc.lpszClassName = "FrageHelfer";
    RegisterClass(&wc);
    frageHaupt = CreateWindow("WmProbe", "Haupt", WS_OVERLAPPEDWINDOW, 100, 80, 700, 500, 0, 0, 0, nullptr);
    ASSERT_NE(frageHaupt, 0u);
    ShowWindow(frageHaupt, SW_SHOWNORMAL);
    ASSERT_TRUE(desktopPumpen(5000, [&] { return plGtkSichtbar(frageHaupt) && plGtkHatFokus(frageHaupt); }));
    frageAntworten.clear();
    frageBefunde.clear();
    RcDialog t;
    t.stil = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
    t.exStil = WS_EX_DLGMODALFRAME;
    t.cx = 200;
    t.cy = 90;
    t.titel = "Projekt sichern";
    t.elemente.push_back(RcDlgElement{"OK", IDOK, "button", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0,
                                      10, 60, 50, 14, 0});
    EXPECT_EQ(DialogBoxIndirectParam(0, &t, frageHaupt, frageDialogProc, 0), IDOK);
    std::string befunde;
    for (const std::string& b : frageBefunde) befunde += b + "\n";
    EXPECT_TRUE(frageBefunde.empty()) << befunde;
    EXPECT_EQ(frageAntworten, (std::vector<int>{IDNO, IDCANCEL, IDCANCEL})) << "a click on Nein, Esc, the close button";
    DestroyWindow(frageHaupt);
}

// ---- The program, started twice -------------------------------------------------------------

struct Rahmen {
    unsigned long id = 0;
    int x = 0, y = 0, breite = 0, hoehe = 0;  // the frame's outside on the X server
    bool maximiert = false;
};

// The main window of a running velmo as the X server and the manager have
// it; id 0 while there is none with its frame.
Rahmen programmRahmen()
{
    Rahmen r;
    std::string aus;
    if (ausfuehren("xdotool search --onlyvisible --name '^Velmo - '", &aus) != 0) return r;
    unsigned long id = std::strtoul(aus.c_str(), nullptr, 10);
    std::string info, ext, zustand;
    if (!id || ausfuehren("xwininfo -id " + std::to_string(id), &info) != 0) return r;
    if (ausfuehren("xprop -id " + std::to_string(id) + " _NET_FRAME_EXTENTS _NET_WM_STATE", &ext) != 0) return r;
    int l = 0, re = 0, o = 0, u = 0;
    size_t p = ext.find("_NET_FRAME_EXTENTS(CARDINAL) =");
    if (p == std::string::npos || std::sscanf(ext.c_str() + p + 30, " %d, %d, %d, %d", &l, &re, &o, &u) != 4) return r;
    r.x = zahlNach(info, "Absolute upper-left X:") - l;
    r.y = zahlNach(info, "Absolute upper-left Y:") - o;
    r.breite = zahlNach(info, "Width:") + l + re;
    r.hoehe = zahlNach(info, "Height:") + o + u;
    r.maximiert = ext.find("_NET_WM_STATE_MAXIMIZED_HORZ") != std::string::npos;
    r.id = id;
    return r;
}

std::string text(const Rahmen& r)
{
    return std::to_string(r.x) + "," + std::to_string(r.y) + " " + std::to_string(r.breite) + "x" +
           std::to_string(r.hoehe) + (r.maximiert ? " maximised" : "");
}

class Programm {
public:
    explicit Programm(const fs::path& wurzel) : wurzel_(wurzel) {}
    ~Programm() { beenden(); }

    bool starten()
    {
        std::string programm = (fs::read_symlink("/proc/self/exe").parent_path() / "velmo").string();
        pid_ = fork();
        if (pid_ == 0) {
            if (chdir((wurzel_ / "arbeit").c_str()) != 0) _exit(120);
            alarm(90);
            execl(programm.c_str(), programm.c_str(), "-W=1", "Projekt", static_cast<char*>(nullptr));
            _exit(121);
        }
        return pid_ > 0;
    }
    // Waits until the program ended by itself; its exit code, -1 on time out.
    int ende(int maxMs)
    {
        int status = 0;
        if (!desktopPumpen(maxMs, [&] { return waitpid(pid_, &status, WNOHANG) == pid_; })) return -1;
        pid_ = 0;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    void beenden()
    {
        if (pid_ <= 0) return;
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = 0;
    }

private:
    fs::path wurzel_;
    pid_t pid_ = 0;
};

// A fresh folder for the program's runs: its settings, runtime and work.
fs::path programmOrdner(const std::string& name)
{
    fs::path wurzel = ordner() + "/" + name;
    fs::create_directories(wurzel / "laufzeit");
    fs::permissions(wurzel / "laufzeit", fs::perms::owner_all);
    fs::create_directories(wurzel / "konfig");
    fs::create_directories(wurzel / "arbeit" / "Projekt");
    setenv("XDG_RUNTIME_DIR", (wurzel / "laufzeit").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (wurzel / "konfig").c_str(), 1);
    return wurzel;
}

std::string iniText(const fs::path& wurzel)
{
    std::ifstream ini(wurzel / "konfig" / "Velmo" / "Velmo-11.ini");
    std::stringstream inhalt;
    inhalt << ini.rdbuf();
    return inhalt.str();
}

TEST_F(MitFensterverwalter, UnderAScaleFactorThePlaceIsKeptInApplicationPixels)
{
    fs::path wurzel = programmOrdner("skala");
    setenv("GDK_SCALE", "2", 1);
    Rahmen r;
    auto da = [&] { return (r = programmRahmen()).id != 0; };
    Programm erster(wurzel);
    ASSERT_TRUE(erster.starten());
    bool gekommen = desktopPumpen(30000, da);
    unsetenv("GDK_SCALE");
    ASSERT_TRUE(gekommen);
    Rahmen verlassen = r;
    ASSERT_EQ(ausfuehren("xdotool windowactivate --sync " + std::to_string(r.id) + " key alt+F4"), 0);
    ASSERT_EQ(erster.ende(20000), 0);
    // The stored rectangle is half the screen's: the frame's border of one
    // device pixel counts as a whole application pixel.
    std::string ini = iniText(wurzel);
    size_t p = ini.find("MainWindow=");
    ASSERT_NE(p, std::string::npos) << ini;
    int w[10] = {};
    ASSERT_EQ(std::sscanf(ini.c_str() + p + 11, "%d %d %d %d %d %d %d %d %d %d", &w[0], &w[1], &w[2], &w[3], &w[4],
                          &w[5], &w[6], &w[7], &w[8], &w[9]),
              10);
    EXPECT_LE(std::abs(w[6] * 2 - verlassen.x), 2) << ini << text(verlassen);
    EXPECT_LE(std::abs(w[7] * 2 - verlassen.y), 2) << ini << text(verlassen);
    EXPECT_LE(std::abs((w[8] - w[6]) * 2 - verlassen.breite), 2) << ini << text(verlassen);
    EXPECT_LE(std::abs((w[9] - w[7]) * 2 - verlassen.hoehe), 2) << ini << text(verlassen);
    EXPECT_LE(w[8], 640) << "on the screen of 640 x 512 application pixels";
    EXPECT_LE(w[9], 512);
}

TEST_F(MitFensterverwalter, TheProgramComesBackWhereItWasClosed)
{
    fs::path wurzel = programmOrdner("programm");
    Rahmen r;
    auto da = [&] { return (r = programmRahmen()).id != 0; };

    // First start: the user drags the window by its caption and closes it
    // with the manager's key.
    Programm erster(wurzel);
    ASSERT_TRUE(erster.starten());
    ASSERT_TRUE(desktopPumpen(30000, da)) << "the main window with the manager's frame";
    Rahmen vorher = r;
    std::string ext;
    ausfuehren("xprop -id " + std::to_string(r.id) + " _NET_FRAME_EXTENTS", &ext);
    int oben = 20;
    size_t p = ext.find('=');
    if (p != std::string::npos) std::sscanf(ext.c_str() + p + 1, " %*d, %*d, %d", &oben);
    POINT titel{r.x + 300, r.y + oben / 2};
    ASSERT_EQ(ziehen(titel, POINT{titel.x + 90, titel.y + 60}), 0);
    ASSERT_TRUE(desktopPumpen(5000, [&] { return da() && r.x == vorher.x + 90 && r.y == vorher.y + 60; }))
        << text(r) << " was " << text(vorher);
    Rahmen verlassen = r;
    ASSERT_EQ(ausfuehren("xdotool windowactivate --sync " + std::to_string(r.id) + " key alt+F4"), 0);
    ASSERT_EQ(erster.ende(20000), 0) << "closing through the frame ends the program";
    std::string ini = iniText(wurzel);
    std::string soll = std::to_string(verlassen.x) + " " + std::to_string(verlassen.y) + " " +
                       std::to_string(verlassen.x + verlassen.breite) + " " +
                       std::to_string(verlassen.y + verlassen.hoehe);
    EXPECT_NE(ini.find(soll), std::string::npos) << "MainWindow " << soll << " in\n" << ini;

    // Second start: where it was left. Maximised there and closed.
    Programm zweiter(wurzel);
    ASSERT_TRUE(zweiter.starten());
    ASSERT_TRUE(desktopPumpen(30000, da));
    EXPECT_EQ(text(r), text(verlassen));
    titel = POINT{r.x + 300, r.y + oben / 2};
    ASSERT_EQ(doppelklick(titel), 0);
    ASSERT_TRUE(desktopPumpen(5000, [&] { return da() && r.maximiert; }));
    ASSERT_EQ(ausfuehren("xdotool windowactivate --sync " + std::to_string(r.id) + " key alt+F4"), 0);
    ASSERT_EQ(zweiter.ende(20000), 0);

    // Third start: maximised again; restoring gives the place it had.
    Programm dritter(wurzel);
    ASSERT_TRUE(dritter.starten());
    ASSERT_TRUE(desktopPumpen(30000, [&] { return da() && r.maximiert; })) << text(r);
    titel = POINT{r.x + 300, r.y + oben / 2};
    ASSERT_EQ(doppelklick(titel), 0);
    EXPECT_TRUE(desktopPumpen(5000, [&] { return da() && !r.maximiert && text(r) == text(verlassen); }))
        << text(r) << " left at " << text(verlassen);
    ASSERT_EQ(ausfuehren("xdotool windowactivate --sync " + std::to_string(r.id) + " key alt+F4"), 0);
    EXPECT_EQ(dritter.ende(20000), 0);
}

}  // namespace
