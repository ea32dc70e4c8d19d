// Fixture of the dialog-manager and item tests: a clean window manager with
// a fixed clock, the frame record in run state 2 with a main window and the
// test dialogs' module as the program instance, the dialog manager started,
// and a log the callbacks write into. pumpe() runs the frame's message loop
// body (the modeless filter first) until nothing is left.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/dateidialog.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/nachricht.h"
#include "platform/nachrichtbox.h"
#include "platform/ressource.h"
#include "platform/uhr.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/winbib.h"

namespace dlgpruef {

inline std::vector<std::string> log;

inline std::string name()
{
    char n[DLGNAMESUP + 1];
    return wiDlgName(n);
}

inline int init(int, const char* const*)
{
    log.push_back("init:" + name());
    return 0;
}
inline int exit()
{
    log.push_back("exit:" + name());
    return 0;
}
inline int befehl(UINT m, WPARAM wp, LPARAM)
{
    if (m == WM_PAINT) log.push_back("paint:" + name());
    if (m == WM_CLOSE) log.push_back("close:" + name());
    if (m == WM_COMMAND) log.push_back("cmd" + std::to_string(LOWORD(wp)) + ":" + name());
    return 0;
}

inline LRESULT CALLBACK hauptProz(HWND h, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProc(h, m, wp, lp); }

// The frame's loop body: accelerators aside, the modeless filter first.
inline void pumpe()
{
    MSG m;
    for (int runde = 0; runde < 10000 && PeekMessage(&m, 0, 0, 0, PM_REMOVE); ++runde) {
        if (m.message == WM_QUIT) break;
        if (wiDlgNachricht(&m)) continue;
        TranslateMessage(&m);
        DispatchMessage(&m);
    }
}

class Fixture : public ::testing::Test {
protected:
    HWND haupt = 0;
    void SetUp() override
    {
        plFensterSystemEnde();
        plUhrFestsetzen(1767254400000);
        plNachrichtBoxSkriptLeeren();
        plNachrichtBoxFragenLeeren();
        plNachrichtBoxBeobachter(nullptr);
        plDateiDialogSkriptLeeren();
        plDateiDialogFragenLeeren();
        log.clear();
        anwZuruecksetzen();
        anwTitelSetzen("Velmo Test");
        anwDaten()->instanz = LoadLibrary("wdlgprobe");
        ASSERT_NE(anwDaten()->instanz, 0u);
        WNDCLASSEX wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = hauptProz;
        wc.lpszClassName = "VelmoHauptProbe";
        ASSERT_NE(RegisterClassEx(&wc), 0);
        haupt = CreateWindowEx(0, "VelmoHauptProbe", "Velmo Test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800, 600,
                               0, 0, 0, nullptr);
        ASSERT_NE(haupt, 0u);
        anwDaten()->hauptfenster = haupt;
        anwLaufZustandSetzen(2);
        ASSERT_EQ(wiDlgInit(), 0);
    }
    void TearDown() override
    {
        plNachrichtBoxBeobachter(nullptr);
        wiDlgAlleSchliessen();
        wiDlgFrei();
        wiBibEnde();
        plFensterSystemEnde();
        FreeLibrary(anwDaten()->instanz);
        anwZuruecksetzen();
        plUhrFreigeben();
    }
    // Opens a dialog of the test module, always a new one.
    static HWND neu(const char* n, HWND besitzerDlg = 0, int modal = 0, WiDlgBefehlFn b = befehl)
    {
        return wiDlgErzeugen(n, init, exit, b, 0, besitzerDlg, nullptr, 0, modal, 0, 0, nullptr);
    }
    static std::vector<std::string> nimm()
    {
        std::vector<std::string> v;
        v.swap(log);
        return v;
    }
};

}  // namespace dlgpruef
