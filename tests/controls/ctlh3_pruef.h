// Test helpers of the list display, sectioned tables and record lists: a
// fixture that opens the test template "listprobe" of module ctlh3 through
// the dialog manager with the real control classes, keeps it the current
// dialog, records the command texts sent to the list displays (the real
// ORVADISP gets them too), the list events and the commands posted to the
// dialog.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "controls/ctlkern.h"
#include "controls/lisanzeige.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/nachricht.h"
#include "platform/ressource.h"
#include "platform/uhr.h"
#include "platform/winconst.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/winbib.h"

namespace h3 {

inline constexpr int LISTE = 4000;
inline constexpr int SEITEN = 4600;

struct Ereignis {
    int ereignis;
    int zeile;
    bool operator==(const Ereignis& o) const { return ereignis == o.ereignis && zeile == o.zeile; }
};
inline std::ostream& operator<<(std::ostream& os, const Ereignis& e)
{
    return os << "(" << e.ereignis << ", " << e.zeile << ")";
}

inline std::vector<std::string> befehle;           // texts set on display 4000
inline std::vector<Ereignis> ereignisse;           // events of list 4000
inline std::vector<std::pair<WPARAM, LPARAM>> post;  // commands that reached the dialog from the queue
inline bool imPost = false;
inline WNDPROC altProc = nullptr;
// Where the dialog's messages go besides the recording (set per test).
inline void (*weiter)(UINT nachricht, WPARAM wp, LPARAM lp) = nullptr;

inline LRESULT CALLBACK aufzeichner(HWND h, UINT m, WPARAM wp, LPARAM lp)
{
    if (m == WM_SETTEXT && lp) befehle.emplace_back(reinterpret_cast<const char*>(lp));
    return CallWindowProc(altProc, h, m, wp, lp);
}

inline int dlgBefehl(UINT m, WPARAM wp, LPARAM lp)
{
    if (m == WM_COMMAND && imPost) post.emplace_back(wp, lp);
    if (weiter) weiter(m, wp, lp);
    return 0;
}

inline int dlgInit(int, const char* const*) { return 1; }

inline int ereignisRecorder(int e, int z)
{
    ereignisse.push_back({e, z});
    return 0;
}

inline HMODULE modul(const char*) { return LoadLibrary("ctlh3"); }

inline LRESULT CALLBACK editErsatz(HWND h, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProc(h, m, wp, lp); }

inline void pumpen()
{
    MSG m;
    for (int n = 0; n < 100000 && PeekMessage(&m, 0, 0, 0, PM_REMOVE); ++n) {
        imPost = m.message == WM_COMMAND;
        TranslateMessage(&m);
        DispatchMessage(&m);
        imPost = false;
    }
}

class Fixture : public ::testing::Test {
public:
    HWND dlg = 0;
    bool editErsetzt = false;

    void SetUp() override
    {
        ctlKlassenAbmelden();
        plFensterSystemEnde();
        plUhrFestsetzen(1767254400000);
        befehle.clear();
        ereignisse.clear();
        post.clear();
        weiter = nullptr;
        ASSERT_EQ(ctlKlassenAnmelden(), 0);
        ctlFlachStilSetzen(0);
        WNDCLASS wc{};
        if (!GetClassInfo(0, "ORVAEDIT", &wc)) {
            // The edit field class is not there yet: a plain window in its place.
            wc = WNDCLASS{};
            wc.lpfnWndProc = editErsatz;
            wc.lpszClassName = "ORVAEDIT";
            ASSERT_NE(RegisterClass(&wc), 0);
            editErsetzt = true;
        }
        wiDlgInit();
        anwLaufZustandSetzen(2);
        wiDlgModulSetzen(modul);
        dlg = wiDlgOeffnen("listprobe", dlgInit, nullptr, dlgBefehl);
        ASSERT_NE(dlg, 0u);
        pumpen();
        wiDlgBetreten(dlg);
        HWND anzeige = GetDlgItem(dlg, LISTE);
        altProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtr(anzeige, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(aufzeichner)));
    }

    void TearDown() override
    {
        weiter = nullptr;
        for (int id : {LISTE, SEITEN}) {
            if (LisVorhanden(id)) LisFreigeben(id);
        }
        wiDlgVerlassen();
        wiDlgFrei();
        if (editErsetzt) UnregisterClass("ORVAEDIT", 0);
        ctlKlassenAbmelden();
        plFensterSystemEnde();
        plUhrFreigeben();
    }

    HWND item(int id) const { return GetDlgItem(dlg, id); }

    // Commands recorded since the last call, then forgotten.
    static std::vector<std::string> nimmBefehle()
    {
        std::vector<std::string> v = befehle;
        befehle.clear();
        return v;
    }
    static std::vector<Ereignis> nimmEreignisse()
    {
        std::vector<Ereignis> v = ereignisse;
        ereignisse.clear();
        return v;
    }
    static bool enthaelt(const std::vector<std::string>& v, const std::string& t)
    {
        for (const std::string& s : v) {
            if (s == t) return true;
        }
        return false;
    }
};

}  // namespace h3
