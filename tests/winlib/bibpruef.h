// Fixture of the window-layer, bitmap and layout tests: a clean window
// manager with a fixed clock, the frame record in run state 2 with a main
// window and the module "wbibprobe" as the program instance, the dialog
// manager started, the application-data folder in a fresh temporary folder,
// and two recording control classes: "BefehlFeld" and a stand-in "ORVAGRBU",
// which keep the last text they were given and every bitmap that reached
// them by WM_COPYDATA (size and first pixel read during the call, as a real
// receiver copies).
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/dialog.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/headless.h"
#include "platform/kopierdaten.h"
#include "platform/nachricht.h"
#include "platform/nachrichtbox.h"
#include "platform/profil.h"
#include "platform/ressource.h"
#include "platform/uhr.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/tbarhaken.h"
#include "winlib/winbib.h"
#include "winlib/wiwerk.h"

namespace bibpruef {

struct Empfangen {
    HWND von;           // wParam: the sending window
    DWORD_PTR art;      // dwData
    DWORD laenge;       // cbData
    uint32_t handle;
    int breite, hoehe;  // of the bitmap, read during the call
    COLORREF erstes;    // its pixel (0, 0)
};
inline std::map<HWND, std::string> texte;
inline std::map<HWND, std::vector<Empfangen>> bilder;

inline LRESULT CALLBACK feldProz(HWND h, UINT m, WPARAM wp, LPARAM lp)
{
    if (m == WM_SETTEXT) texte[h] = lp ? reinterpret_cast<const char*>(lp) : "";
    if (m == WM_COPYDATA) {
        const auto* cd = reinterpret_cast<const COPYDATASTRUCT*>(lp);
        Empfangen e{static_cast<HWND>(wp), cd->dwData, cd->cbData, 0, 0, 0, CLR_INVALID};
        if (cd->cbData == 4) e.handle = *static_cast<const uint32_t*>(cd->lpData);
        BITMAP bm{};
        if (e.handle && GetObject(e.handle, sizeof bm, &bm)) {
            e.breite = bm.bmWidth;
            e.hoehe = bm.bmHeight;
            HDC dc = CreateCompatibleDC(0);
            HGDIOBJ alt = SelectObject(dc, e.handle);
            e.erstes = GetPixel(dc, 0, 0);
            SelectObject(dc, alt);
            DeleteDC(dc);
        }
        bilder[h].push_back(e);
        return 1;
    }
    return DefWindowProc(h, m, wp, lp);
}

inline int init0(int, const char* const*) { return 0; }
inline int exit0() { return 0; }
inline int befehl0(UINT, WPARAM, LPARAM) { return 0; }

inline LRESULT CALLBACK hauptProz(HWND h, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProc(h, m, wp, lp); }

inline void klasse(const char* name, WNDPROC proc)
{
    WNDCLASSEX wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.lpszClassName = name;
    ASSERT_NE(RegisterClassEx(&wc), 0);
}

// Makes a dialog current for the lifetime of the object.
struct Aktuell {
    explicit Aktuell(HWND dlg) { ok = wiDlgBetreten(dlg) == 1; }
    ~Aktuell()
    {
        if (ok) wiDlgVerlassen();
    }
    bool ok;
};

class Fixture : public ::testing::Test {
protected:
    HWND haupt = 0;
    std::string ordner;
    void SetUp() override
    {
        plFensterSystemEnde();
        plUhrFestsetzen(1767254400000);
        plNachrichtBoxSkriptLeeren();
        plNachrichtBoxFragenLeeren();
        texte.clear();
        bilder.clear();
        char muster[] = "/tmp/wibibXXXXXX";
        ASSERT_NE(mkdtemp(muster), nullptr);
        ordner = muster;
        setenv("XDG_CONFIG_HOME", ordner.c_str(), 1);
        plIniCacheLeeren();
        anwZuruecksetzen();
        anwTitelSetzen("Velmo Test");
        anwDaten()->instanz = LoadLibrary("wbibprobe");
        ASSERT_NE(anwDaten()->instanz, 0u);
        klasse("VelmoBibHaupt", hauptProz);
        klasse("BefehlFeld", feldProz);
        klasse("ORVAGRBU", feldProz);
        haupt = CreateWindowEx(0, "VelmoBibHaupt", "Velmo Test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800, 600, 0,
                               0, 0, nullptr);
        ASSERT_NE(haupt, 0u);
        anwDaten()->hauptfenster = haupt;
        anwLaufZustandSetzen(2);
        ASSERT_EQ(wiDlgInit(), 0);
        wiBibInit();
        wiTbarHakenZuruecksetzen();
        wiAccelZuruecksetzen();
    }
    void TearDown() override
    {
        wiDlgAlleSchliessen();
        wiDlgFrei();
        wiBibEnde();
        wiTbarHakenZuruecksetzen();
        plFensterSystemEnde();
        FreeLibrary(anwDaten()->instanz);
        anwZuruecksetzen();
        plUhrFreigeben();
        plIniCacheLeeren();
        std::filesystem::remove_all(ordner);
        unsetenv("XDG_CONFIG_HOME");
    }
    // Opens a dialog of the test module. The dialog manager sets its graphic
    // buttons up on the way; the cases here look only at what they send
    // themselves, so those pictures and tooltips are forgotten.
    static HWND oeffnen(const char* name)
    {
        HWND dlg = wiDlgErzeugen(name, init0, exit0, befehl0, 0, 0, nullptr, 0, 0, 0, 0, nullptr);
        if (dlg) {
            for (HWND k = GetWindow(dlg, GW_CHILD); k; k = GetWindow(k, GW_HWNDNEXT)) bilder.erase(k);
            wiTooltipsWeg(dlg);
        }
        return dlg;
    }
    // A control's rectangle in the dialog's client coordinates.
    static RECT rechteck(HWND dlg, int id)
    {
        RECT r{};
        GetWindowRect(GetDlgItem(dlg, id), &r);
        MapWindowPoints(0, dlg, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
};

}  // namespace bibpruef
