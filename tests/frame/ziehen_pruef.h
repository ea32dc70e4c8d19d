// Drags on the frame as a user gives them: from a list row, a preview or a
// button of a dialog into the editor's drawing.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>

#include "editor/befausf.h"
#include "editor/edtseite.h"
#include "platform/headless.h"
#include "tests/frame/rahmen_pruef.h"

namespace zieh {

// A picture of the dialog beside the test program.
inline void bild(HWND d, const char* name)
{
    const auto neben = std::filesystem::read_symlink("/proc/self/exe").parent_path();
    EXPECT_EQ(plHeadlessPng(d, (neben / name).c_str()), 0);
}

inline void nach(POINT p)
{
    plHeadlessMausBewegen(p.x, p.y);
    rahmenPumpen();
}

// The dialog moved off the drawing's left part, where the drops land.
inline POINT ablage(HWND d)
{
    RECT z;
    GetWindowRect(GetDlgItem(EdtFenster(), 5000), &z);
    SetWindowPos(d, 0, z.left + 250, z.top + 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    rahmenPumpen();
    return POINT{z.left + 60, z.top + 120};
}

// The middle of a window on the screen.
inline POINT mitte(HWND w)
{
    RECT r;
    GetWindowRect(w, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// The middle of row `zeile` of a list box on the screen.
inline POINT zeileMitte(HWND liste, int zeile)
{
    RECT r;
    SendMessage(liste, LB_GETITEMRECT, static_cast<WPARAM>(zeile), reinterpret_cast<LPARAM>(&r));
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(liste, &p);
    return p;
}

// Presses at `von`, moves past the drag threshold and into the drawing to
// `hin`, still pressed; the editor's position there (drawing units).
inline void bis(POINT von, POINT hin, double* x, double* y)
{
    plHeadlessZeitVor(1000);
    nach(von);
    plHeadlessMausDruecken(0);
    rahmenPumpen();
    nach(POINT{von.x + 10, von.y});
    nach(hin);
    nach(POINT{hin.x + 2, hin.y});
    *x = BefAktZustand()->x;
    *y = BefAktZustand()->y;
}

inline void loslassen()
{
    plHeadlessMausLoslassen(0);
    rahmenPumpen();
}

}  // namespace zieh
