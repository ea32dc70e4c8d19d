// Test helpers of the drawing view and its window class: a fixture that
// opens the test template "ansichtprobe" (module ansichtprobe: 5000-5003,
// 5010, 5020) through the dialog manager with the real control classes,
// attaches the view, passes every dialog message to AnsichtNachricht and
// records what reached the dialog; the pixels of a window; injection
// helpers in view pixels.
#pragma once

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "controls/ctlkern.h"
#include "output/ansicht.h"
#include "output/gdi.h"
#include "output/guck.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/headless.h"
#include "platform/nachricht.h"
#include "platform/ressource.h"
#include "platform/systemwerte.h"
#include "platform/uhr.h"
#include "platform/winconst.h"
#include "tests/output/gdigold.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"

namespace ap {

inline std::vector<std::pair<WPARAM, LPARAM>> befehle;  // WM_COMMAND the dialog got, not the view's
inline int malZaehler = 0;
inline void (*malen)() = nullptr;                        // what the paint handler draws

inline int dlgBefehl(UINT m, WPARAM wp, LPARAM lp)
{
    int r = AnsichtNachricht(m, wp, lp);
    if (m == WM_COMMAND && r == 0) befehle.emplace_back(wp, lp);
    return r;
}
inline int dlgInit(int, const char* const*) { return 1; }
inline HMODULE modul(const char*) { return LoadLibrary("ansichtprobe"); }
inline void malHaken()
{
    ++malZaehler;
    if (malen) malen();
}

inline void pumpen() { plHeadlessPumpen(); }

// The pixels of a window's client area as the screen shows them.
inline GdiBildPixel fensterPixel(HWND f)
{
    RECT r;
    GetClientRect(f, &r);
    HDC dc = GetDC(f);
    HDC mem = CreateCompatibleDC(dc);
    HBITMAP bm = CreateCompatibleBitmap(dc, r.right, r.bottom);
    HGDIOBJ alt = SelectObject(mem, bm);
    BitBlt(mem, 0, 0, r.right, r.bottom, dc, 0, 0, SRCCOPY);
    SelectObject(mem, alt);
    DeleteDC(mem);
    ReleaseDC(f, dc);
    GdiBildPixel p = gdiBildLesen(bm);
    DeleteObject(bm);
    return p;
}

// Pixels that differ between two pictures of one size.
inline int unterschiede(const GdiBildPixel& a, const GdiBildPixel& b, RECT* box = nullptr)
{
    int n = 0;
    RECT r{a.w, a.h, 0, 0};
    for (int y = 0; y < a.h; ++y)
        for (int x = 0; x < a.w; ++x)
            if (a.an(x, y) != b.an(x, y)) {
                ++n;
                r.left = std::min<LONG>(r.left, x), r.top = std::min<LONG>(r.top, y);
                r.right = std::max<LONG>(r.right, x + 1), r.bottom = std::max<LONG>(r.bottom, y + 1);
            }
    if (box) *box = n ? r : RECT{0, 0, 0, 0};
    return n;
}

class Fixture : public ::testing::Test {
public:
    HWND dlg = 0, view = 0;

    void SetUp() override
    {
        ctlKlassenAbmelden();
        GuckAbmelden();
        plFensterSystemEnde();
        plUhrFestsetzen(1767254400000);
        befehle.clear();
        malZaehler = 0;
        malen = nullptr;
        ASSERT_EQ(ctlKlassenAnmelden(), 0);
        ctlFlachStilSetzen(0);
        ASSERT_EQ(GuckRegistrieren(), 0);
        wiDlgInit();
        anwLaufZustandSetzen(2);
        wiDlgModulSetzen(modul);
        dlg = wiDlgOeffnen("ansichtprobe", dlgInit, nullptr, dlgBefehl);
        ASSERT_NE(dlg, 0u);
        pumpen();
        wiDlgBetreten(dlg);
        ASSERT_EQ(AnsichtAnbinden(), 0);
        wiDlgVerlassen();
        AnsichtHaken(nullptr, nullptr, 0);
        AnsichtMalHaken(malHaken);
        AnsichtZiehenVerfolgen(0);
        AnsichtGroesseSperren(0);
        view = AnsichtFenster();
        ASSERT_NE(view, 0u);
        pumpen();
    }

    void TearDown() override
    {
        AnsichtMalHaken(nullptr);
        AnsichtLoesen();
        GuckMalenSperren(0);
        if (IsWindow(dlg)) DestroyWindow(dlg);
        pumpen();
        wiDlgModulSetzen(nullptr);
        wiDlgFrei();
        GuckAbmelden();
        ctlKlassenAbmelden();
        plFensterSystemEnde();
    }

    static std::vector<int> zoom()
    {
        int z, x, y;
        AnsichtZoomHolen(&z, &x, &y);
        return {z, x, y};
    }
    // Screen point of a view pixel.
    POINT bei(int x, int y) const { return plHeadlessPunkt(view, x, y); }
    void klick(int x, int y)
    {
        POINT p = bei(x, y);
        plHeadlessKlick(p.x, p.y);
        pumpen();
    }
    void ziehen(int x1, int y1, int x2, int y2)
    {
        POINT a = bei(x1, y1), b = bei(x2, y2);
        plHeadlessZiehen(a.x, a.y, b.x, b.y);
        pumpen();
    }
    void taste(UINT vk)
    {
        plHeadlessTaste(vk);
        pumpen();
    }
    void text(const char* t)
    {
        plHeadlessText(t);
        pumpen();
    }
    static std::vector<double> punkt()
    {
        double x, y;
        AnsichtMitteHolen(&x, &y);
        return {x, y};
    }
};

}  // namespace ap
