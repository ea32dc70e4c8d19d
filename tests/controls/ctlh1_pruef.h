// Test helpers for the control classes of the class core: a fixture with a
// fresh window manager, the classes registered, and a captioned parent
// window that records every WM_COMMAND it gets, marked as sent or posted;
// picture helpers (window as decoded PNG, ink box, golden comparison).
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "controls/ctlkern.h"
#include "platform/bild.h"
#include "platform/bildlader.h"
#include "platform/ressource.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/nachricht.h"
#include "platform/systemwerte.h"
#include "platform/uhr.h"
#include "platform/winconst.h"
#include "tests/platform/golden_pruef.h"

namespace h1 {

struct Meldung {
    WPARAM wp;
    LPARAM lp;
    bool gepostet;
    bool operator==(const Meldung& o) const { return wp == o.wp && lp == o.lp && gepostet == o.gepostet; }
};
inline std::ostream& operator<<(std::ostream& os, const Meldung& m)
{
    return os << (m.gepostet ? "post(" : "send(") << m.wp << ", 0x" << std::hex << m.lp << std::dec << ")";
}

inline std::vector<Meldung> meldungen;
inline bool imPost = false;

inline LRESULT CALLBACK elternProc(HWND h, UINT m, WPARAM wp, LPARAM lp)
{
    if (m == WM_COMMAND) {
        meldungen.push_back({wp, lp, imPost});
        return 0;
    }
    return DefWindowProc(h, m, wp, lp);
}

// Dispatches everything that waits; a WM_COMMAND taken from the queue is
// marked as posted.
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

// Only the messages with wParam in `befehle` (all when empty).
inline std::vector<Meldung> nimm(std::vector<WPARAM> befehle = {})
{
    std::vector<Meldung> v;
    for (const Meldung& m : meldungen) {
        bool ja = befehle.empty();
        for (WPARAM b : befehle) ja = ja || m.wp == b;
        if (ja) v.push_back(m);
    }
    meldungen.clear();
    return v;
}

// Pictures come from the modules' packed files, as the program's start-up
// wires the loader to the resource bundles.
inline int bildAusModul(HINSTANCE modul, LPCSTR name, int art, std::vector<uint8_t>& bytes)
{
    const RcBild* b = rcBild(modul, name, art == IMAGE_ICON ? RT_ICON : art == IMAGE_CURSOR ? RT_CURSOR : RT_BITMAP);
    if (!b) return -1;
    bytes.assign(b->bytes.begin(), b->bytes.end());
    return 0;
}

class Fixture : public ::testing::Test {
protected:
    HWND eltern = 0;

    void SetUp() override
    {
        ctlKlassenAbmelden();
        plFensterSystemEnde();
        plUhrFestsetzen(1767254400000);  // 2026-01-01 08:00 UTC
        meldungen.clear();
        plBildLaderSetzen(bildAusModul);
        ASSERT_EQ(ctlKlassenAnmelden(), 0);
        ctlFlachStilSetzen(0);
        WNDCLASS wc{};
        wc.lpfnWndProc = elternProc;
        wc.hbrBackground = static_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = "H1Eltern";
        ASSERT_NE(RegisterClass(&wc), 0);
        eltern = CreateWindow("H1Eltern", "Eltern", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 100, 100, 400, 300, 0, 0, 0,
                              nullptr);
        ASSERT_NE(eltern, 0u);
        SetActiveWindow(eltern);
        pumpen();
        meldungen.clear();
    }
    void TearDown() override
    {
        if (IsWindow(eltern)) DestroyWindow(eltern);
        ctlKlassenAbmelden();
        plFensterSystemEnde();
        plUhrFreigeben();
        plBildLaderSetzen(nullptr);
    }

    HWND kind(const char* klasse, const char* text, DWORD stil, int x, int y, int b, int h, int id)
    {
        return CreateWindow(klasse, text, WS_CHILD | WS_VISIBLE | stil, x, y, b, h, eltern, static_cast<HMENU>(id), 0,
                            nullptr);
    }

    // Client point of `w` to the screen, for injected input.
    static POINT schirm(HWND w, int x, int y) { return plHeadlessPunkt(w, x, y); }
};

inline std::string text(HWND w)
{
    char puffer[512] = {};
    GetWindowText(w, puffer, sizeof puffer);
    return puffer;
}

// The window as it is painted now.
inline plBild bild(HWND w)
{
    UpdateWindow(w);
    pumpen();
    plBild b;
    std::string pfad = "/tmp/velmo_h1_" + std::to_string(::getpid()) + ".png";
    if (plFensterPng(w, pfad.c_str()) != 0) return b;
    std::vector<uint8_t> daten;
    if (plBildDateiLesen(pfad.c_str(), daten) == 0) plPngLesen(daten.data(), daten.size(), b);
    std::remove(pfad.c_str());
    return b;
}

inline COLORREF px(const plBild& b, int x, int y)
{
    return plBildFarbe(b.at(x, y));
}

// Bounding box (right and bottom exclusive) of the pixels of colour `farbe`,
// leaving out `rand` pixels at every edge (a frame);
// empty (0,0,0,0) when there are none.
// The box of the pixels at least half inked (darker than mid-grey in every
// channel): smoothed text's extent, whose edges are grey.
inline RECT tinteDunkel(const plBild& b)
{
    RECT r{b.breite, b.hoehe, -1, -1};
    for (int y = 0; y < b.hoehe; ++y)
        for (int x = 0; x < b.breite; ++x) {
            COLORREF c = px(b, x, y);
            if (GetRValue(c) < 128 && GetGValue(c) < 128 && GetBValue(c) < 128) {
                r.left = std::min<LONG>(r.left, x);
                r.top = std::min<LONG>(r.top, y);
                r.right = std::max<LONG>(r.right, x + 1);
                r.bottom = std::max<LONG>(r.bottom, y + 1);
            }
        }
    if (r.right < 0) return RECT{0, 0, 0, 0};
    return r;
}

inline RECT tinte(const plBild& b, COLORREF farbe, int rand = 0)
{
    RECT r{b.breite, b.hoehe, -1, -1};
    for (int y = rand; y < b.hoehe - rand; ++y)
        for (int x = rand; x < b.breite - rand; ++x)
            if (px(b, x, y) == farbe) {
                r.left = std::min<LONG>(r.left, x);
                r.top = std::min<LONG>(r.top, y);
                r.right = std::max<LONG>(r.right, x + 1);
                r.bottom = std::max<LONG>(r.bottom, y + 1);
            }
    if (r.right < 0) return RECT{0, 0, 0, 0};
    return r;
}

// Compares the painted window with tests/data/controls/<name>.png; with
// VELMO_GOLDEN_SCHREIBEN=1 the golden is written instead.
inline ::testing::AssertionResult golden(HWND w, const std::string& name)
{
    std::string pfad = std::string(VELMO_TEST_DATA) + "/controls/" + name + ".png";
    UpdateWindow(w);
    pumpen();
    if (golden::neuSchreiben()) {
        plFensterPng(w, pfad.c_str());
        return ::testing::AssertionSuccess() << "rewritten";
    }
    plBild ist = bild(w);
    std::vector<uint8_t> daten;
    plBild soll;
    if (plBildDateiLesen(pfad.c_str(), daten) != 0 || plPngLesen(daten.data(), daten.size(), soll) != 0)
        return ::testing::AssertionFailure() << "golden missing: " << pfad;
    if (ist.breite != soll.breite || ist.hoehe != soll.hoehe)
        return ::testing::AssertionFailure() << "golden size differs: " << pfad;
    int anders = 0, ax = -1, ay = -1;
    for (int y = 0; y < ist.hoehe; ++y)
        for (int x = 0; x < ist.breite; ++x)
            if (px(ist, x, y) != px(soll, x, y) && anders++ == 0) ax = x, ay = y;
    if (anders == 0) return ::testing::AssertionSuccess();
    std::string neu = "/tmp/" + name + "_ist.png";
    plFensterPng(w, neu.c_str());
    return ::testing::AssertionFailure() << anders << " pixels differ from " << pfad << ", first at " << ax << ","
                                         << ay << "; this run's picture: " << neu;
}

}  // namespace h1
