// The editor page in the running frame over a working copy of the demo
// project, driven by the keys a user gives: Alt with an arrow key moves the
// marked objects by a grid step, and a line under construction is drawn
// over the sheet with its handles.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "editor/befausf.h"
#include "editor/edtseite.h"
#include "frame/modus.h"
#include "model/befehl.h"
#include "model/beffifo.h"
#include "model/einstell.h"
#include "model/tempzeic.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/nachrichtbox.h"
#include "tests/frame/demorahmen_pruef.h"
#include "tests/frame/rahmen_pruef.h"
#include "tests/frame/seite_pruef.h"
#include "tests/tools/demokopie.h"

namespace fs = std::filesystem;

namespace {

struct EdtRahmen : DemoSeite {
    void SetUp() override
    {
        DemoSeite::SetUp();
        if (HasFatalFailure()) return;
        const std::string plan = demo.projekt() + "/HV1.08";
        EditorMitDatei(plan.c_str());
        rahmenPumpen();
        ASSERT_NE(EdtFenster(), 0u);
        ASSERT_EQ(Modus(), MODUS_EDIT);
    }
    void TearDown() override
    {
        BaubfAbbrechen();  // a line left under construction would outlive the frame
        DemoRahmen::TearDown();
    }

    static HWND ansicht() { return GetDlgItem(EdtFenster(), 5000); }
    // A command typed into the input line and sent with Enter.
    static void eingeben(const char* zeile)
    {
        seitepruef::tippen(EdtFenster(), 5020, zeile);
        seitepruef::taste(VK_RETURN);
    }
    // The newest object's start.
    static std::pair<double, double> letzterOrt()
    {
        int id = -1;
        for (int n = TzNaechstes(-1); n < TZENDE; n = TzNaechstes(n)) id = n;
        BEF b;
        STT s;
        EXPECT_EQ(TzObjHolen(id, &b, &s), 0);
        return {s.x, s.y};
    }
};

TEST_F(EdtRahmen, AltWithAnArrowMovesTheMarkedObjectsByAGridStep)
{
    eingeben("ZL 20 0");
    const int id = [] {
        int l = -1;
        for (int n = TzNaechstes(-1); n < TZENDE; n = TzNaechstes(n)) l = n;
        return l;
    }();
    TzMarkSetzen(id, 1);  // as the pick of the new line leaves it
    const auto [x, y] = letzterOrt();
    const double sx = BefRasterWerte()->swx, sy = BefRasterWerte()->swy;
    ASSERT_GT(sx, 0);
    ASSERT_GT(sy, 0);
    SetFocus(ansicht());
    struct Fall {
        UINT taste;
        double x, y;
    } faelle[] = {{VK_RIGHT, x + sx, y}, {VK_UP, x + sx, y + sy}, {VK_LEFT, x, y + sy}, {VK_DOWN, x, y}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.taste);
        seitepruef::mit(VK_MENU, f.taste);
        const auto [nx, ny] = letzterOrt();
        EXPECT_DOUBLE_EQ(nx, f.x);
        EXPECT_DOUBLE_EQ(ny, f.y);
    }
    EXPECT_EQ(Modus(), MODUS_EDIT) << "Alt did not leave the editor";
}

// The element under construction is drawn in its colour over the sheet;
// once drawn the page is no longer busy with it.
TEST_F(EdtRahmen, ALineUnderConstructionIsDrawnOverTheSheet)
{
    HWND v = ansicht();
    RECT r;
    GetClientRect(v, &r);
    const int* farbe = EdEinst()->bstrgb;
    const COLORREF bau = RGB(farbe[0], farbe[1], farbe[2]);
    auto zaehlen = [&] {
        UpdateWindow(v);
        int n = 0;
        for (int y = 0; y < r.bottom; ++y)
            for (int x = 0; x < r.right; ++x) n += plFensterPixel(v, x, y) == bau;
        return n;
    };
    const int vorher = zaehlen();
    eingeben("_BST 5 40");  // start a line
    // The arrow keys walk the position; the line's end follows it.
    SetFocus(v);
    seitepruef::taste(VK_RIGHT, 12);
    seitepruef::taste(VK_UP, 6);
    EXPECT_EQ(EdtBeschaeftigt(), 0) << "drawn as it changed";
    InvalidateRect(v, nullptr, FALSE);
    const int nachher = zaehlen();
    EXPECT_GT(nachher, vorher + 20) << "the line and its handles in the construction colour";
    EXPECT_EQ(EdtBeschaeftigt(), 0);
    if (const char* z = std::getenv("VELMO_BILDER")) plHeadlessPng(v, (std::string(z) + "/Bau.png").c_str());
}

}  // namespace
