// The editor's keys and mouse as a user meets them on a demo sheet: a chain
// of lines drawn with Shift+clicks ends with Esc or a plain click, wherever
// the focus stands on the page; undo takes back the last line drawn, from
// the drawing, the input line and the toolbar's arrow alike.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "editor/baubf.h"
#include "editor/befausf.h"
#include "editor/edtseite.h"
#include "editor/leiste.h"
#include "model/befehl.h"
#include "model/tempzeic.h"
#include "output/ansicht.h"
#include "output/gdi.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "frame/funkwahl.h"
#include "frame/modus.h"
#include "winlib/dialog.h"
#include "winlib/winbib.h"
#include "tests/frame/editor_pruef.h"

namespace {

class EditorTasten : public DemoLauf {
protected:
    HWND ansicht() { return editorAnsicht(); }
    HWND feld() { return GetDlgItem(EdtFenster(), 5020); }
    POINT punkt(double x, double y) { return editorPunkt(x, y); }
    void klick(double x, double y, bool shift = false) { editorKlick(x, y, shift); }
    void taste(UINT t)
    {
        plHeadlessTaste(t);
        rahmenPumpen();
    }
    void strg(UINT t)
    {
        plHeadlessTasteRunter(VK_CONTROL);
        plHeadlessTaste(t);
        plHeadlessTasteHoch(VK_CONTROL);
        rahmenPumpen();
    }
    // The lines of the store as "x y dx dy" (the position before each).
    static std::vector<std::string> linien()
    {
        std::vector<std::string> v;
        for (int n = TzNaechstes(-1); n < TZENDE; n = TzNaechstes(n)) {
            BEF b;
            STT st;
            if (TzObjHolen(n, &b, &st) != 0 || b.code != 40) continue;
            char t[120];
            std::snprintf(t, sizeof t, "%g %g %g %g", st.x, st.y, b.darg[0], b.darg[1]);
            v.push_back(t);
        }
        return v;
    }
    // Three Shift+clicks: two lines, a third armed at the last point.
    void kette()
    {
        klick(40, 120, true);
        klick(80, 120, true);
        klick(80, 150, true);
        ASSERT_TRUE(BaubfAktiv());
    }
};

TEST_F(EditorTasten, EscEndsAShiftClickChainAndUndoTakesBackItsLines)
{
    const std::vector<std::string> vorher = linien();
    kette();
    ASSERT_EQ(linien().size(), vorher.size() + 2);
    taste(VK_ESCAPE);
    EXPECT_FALSE(BaubfAktiv()) << "Esc ends the chain";
    EXPECT_EQ(linien().size(), vorher.size() + 2) << "and keeps what was drawn";
    strg('Z');
    EXPECT_EQ(linien().size(), vorher.size() + 1) << "Ctrl+Z takes back the last line";
    strg('Z');
    EXPECT_EQ(linien(), vorher);
}

// The toolbar's undo arrow of the shipped bar.
HWND undoPfeil()
{
    for (int art : {LEISTE_OBEN, LEISTE_LINKS})
        for (const LeisteEintrag& e : LeisteEintraege(art))
            if (e.befehl == "Ausf: UDO") return GetDlgItem(EdtFenster(), e.id);
    return 0;
}

// With the focus in the input line: Esc in the empty line ends the chain,
// Ctrl+Z and the undo arrow take back the lines one by one; Ctrl+Z in a
// line with text is the field's own.
TEST_F(EditorTasten, EscAndUndoFromTheInputLine)
{
    const std::vector<std::string> vorher = linien();
    kette();
    SetFocus(feld());
    taste(VK_ESCAPE);
    EXPECT_FALSE(BaubfAktiv()) << "Esc in the empty input line ends the chain";
    ASSERT_EQ(linien().size(), vorher.size() + 2);
    SetFocus(feld());
    strg('Z');
    EXPECT_EQ(linien().size(), vorher.size() + 1) << "Ctrl+Z in the empty input line";
    HWND pfeil = undoPfeil();
    ASSERT_NE(pfeil, 0u);
    SetFocus(feld());
    const POINT p = plHeadlessPunkt(pfeil, 4, 4);
    plHeadlessKlick(p.x, p.y);
    rahmenPumpen();
    EXPECT_EQ(linien(), vorher) << "the undo arrow";

    // Text in the line: Esc takes the text back, the drawing keeps its state.
    kette();
    SetFocus(feld());
    plHeadlessText("ZL 30");
    rahmenPumpen();
    taste(VK_ESCAPE);
    char t[40] = "";
    GetWindowText(feld(), t, sizeof t);
    EXPECT_STREQ(t, "");
    EXPECT_TRUE(BaubfAktiv()) << "the first Esc takes the typed text";
    taste(VK_ESCAPE);
    EXPECT_FALSE(BaubfAktiv());
}

// A double click arms a line from the cursor (as the mouse table has it);
// Esc leaves it without drawing.
TEST_F(EditorTasten, EscLeavesALineArmedByADoubleClick)
{
    const std::vector<std::string> vorher = linien();
    klick(150, 60);
    const POINT p = punkt(150, 60);
    plHeadlessKlick(p.x, p.y, 0);
    plHeadlessKlick(p.x, p.y, 0);
    rahmenPumpen();
    ASSERT_TRUE(BaubfAktiv()) << "the double click arms a line";
    taste(VK_ESCAPE);
    EXPECT_FALSE(BaubfAktiv());
    EXPECT_EQ(linien(), vorher);
}

// The inked pixels of the view in the box of world points (x0, y0)-(x1, y1),
// as the screen shows them.
int tinte(HWND ansicht, double x0, double y0, double x1, double y1)
{
    int n = 0;
    const int l = WeltZuPixelX(x0), r = WeltZuPixelX(x1), o = WeltZuPixelY(y1), u = WeltZuPixelY(y0);
    const COLORREF grund = plFensterPixel(ansicht, l, o);
    for (int y = o; y <= u; ++y)
        for (int x = l; x <= r; ++x)
            if (plFensterPixel(ansicht, x, y) != grund) ++n;
    return n;
}

// A part set from the component list after a click on the sheet (the list
// left open, no Esc) is on screen as a fresh redraw shows it when the user
// comes back from the equipment page, whichever way the page was left and
// reached again, also when the page is left before the part was drawn.
TEST_F(EditorTasten, APlacedComponentIsShownAfterTheEquipmentPage)
{
    HWND bar = GetDlgItem(FunkFenster(), 3000);
    ASSERT_NE(bar, 0u);
    const int reihe = 7 * wiDlgEinheit(8) / 2;
    const auto zeileKlick = [&](int n) {
        const POINT p = plHeadlessPunkt(bar, 20, 6 + n * reihe);
        plHeadlessKlick(p.x, p.y);
    };
    const auto zeile = [&](int n) {
        zeileKlick(n);
        rahmenPumpen();
    };
    const auto barTaste = [&](UINT t) {
        SetFocus(bar);
        taste(t);
    };
    struct Weg {
        const char* name;
        bool gesetzt;  // the part drawn before the page is left
        std::function<void()> hin, zurueck;
    };
    const Weg wege[] = {
        {"function bar clicks", true, [&] { zeile(2); }, [&] { zeile(1); }},
        {"menu there, function bar key back", true,
         [] {
             PostMessage(anwHauptfenster(), WM_COMMAND, 1353, 0);  // Betriebsmittel › Bearbeiten, clicked
             rahmenPumpen();
         },
         [&] { barTaste(VK_UP); }},
        {"function bar keys", true, [&] { barTaste(VK_DOWN); }, [&] { barTaste(VK_UP); }},
        {"page calls", true, [] { ModusUmschalten(MODUS_BML); }, [] { ModusUmschalten(MODUS_EDIT); }},
        {"function bar clicked right after Setzen", false, [&] { zeile(2); }, [&] { zeile(1); }},
    };
    ASSERT_TRUE(menueWaehlen(1202));
    rahmenPumpen();
    HWND liste = wiDlgSuchen("DB1202");
    ASSERT_NE(liste, 0u);
    HWND teile = GetDlgItem(liste, 3100);
    const LRESULT lampe = SendMessage(teile, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>("LAMPE"));
    ASSERT_GE(lampe, 0);
    SendMessage(teile, LB_SETTOPINDEX, static_cast<WPARAM>(lampe), 0);
    rahmenZeileKlicken(teile, static_cast<int>(lampe));
    RECT setzen;
    GetWindowRect(GetDlgItem(liste, 2500), &setzen);
    double x = 60;
    for (const Weg& w : wege) {
        SCOPED_TRACE(w.name);
        x += 50;
        klick(x, 60);
        const int leer = tinte(ansicht(), x - 25, 35, x + 25, 85);
        plHeadlessKlick((setzen.left + setzen.right) / 2, (setzen.top + setzen.bottom) / 2);
        if (w.gesetzt) {
            rahmenPumpen();
            ASSERT_GT(tinte(ansicht(), x - 25, 35, x + 25, 85), leer + 50) << "the part is drawn";
        }
        w.hin();
        ASSERT_EQ(Modus(), MODUS_BML);
        w.zurueck();
        ASSERT_EQ(Modus(), MODUS_EDIT);
        const int gezeigt = tinte(ansicht(), x - 25, 35, x + 25, 85);
        AnsichtNeuZeichnen();
        rahmenPumpen();
        const int neu = tinte(ansicht(), x - 25, 35, x + 25, 85);
        EXPECT_GT(neu, leer + 50) << "the part is set";
        EXPECT_EQ(gezeigt, neu);
    }
}

// Esc closes the component list as its Schliessen does, from the list
// and from its search field.
TEST_F(EditorTasten, EscLeavesTheComponentListOpen)
{
    // The list's keys give Esc to the drawing, not to Schliessen: the list
    // stays open for the next part.
    ASSERT_TRUE(menueWaehlen(1202));
    rahmenPumpen();
    HWND d = wiDlgSuchen("DB1202");
    ASSERT_NE(d, 0u);
    for (int steuer : {3100, 3200}) {
        SetFocus(GetDlgItem(d, steuer));
        taste(VK_ESCAPE);
        rahmenPumpen();
        EXPECT_EQ(wiDlgSuchen("DB1202"), d) << "focus on " << steuer;
    }
}

}  // namespace
