// The editor page's bars and context menus on the running frame, headless,
// over a working copy of the demo: a click on a left-bar button runs its
// command string, the top bar's faces follow the drawing's state, and the
// drawing's right-click menu is the one the marks ask for, chosen by keys.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "editor/baubf.h"
#include "editor/befausf.h"
#include "config/apstil.h"
#include "config/vorgaben.h"
#include "editor/edtseite.h"
#include "editor/kontext.h"
#include "editor/leiste.h"
#include "editor/objwahl.h"
#include "frame/anw.h"
#include "frame/modus.h"
#include "model/befehl.h"
#include "model/tempzeic.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/menue.h"
#include "platform/nachrichtbox.h"
#include "platform/winconst.h"
#include "tests/frame/editor_pruef.h"

namespace fs = std::filesystem;

namespace {

class KontextLauf : public DemoLauf {
protected:
    static const LeisteEintrag* knopf(int art, const char* bild)
    {
        for (const LeisteEintrag& e : LeisteEintraege(art))
            if (std::string(e.bild) == bild) return &e;
        return nullptr;
    }
    static void klick(HWND h)
    {
        plHeadlessZeitVor(1000);
        RECT r;
        GetWindowRect(h, &r);
        plHeadlessKlick((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        rahmenPumpen();
    }
    // The right click's handler at a point of the drawing.
    static void rechts(std::vector<UINT> tasten)
    {
        menueBlick().tasten = std::move(tasten);
        KontextMenueZeigen(200, 200);
        rahmenPumpen();
    }
};

TEST_F(KontextLauf, BarButtonsRunTheirStringsAndTheMenuFollowsTheMarks)
{
    ASSERT_NE(EdtFenster(), 0u);
    const LeisteEintrag* linie = knopf(LEISTE_LINKS, "EDLINIE");
    ASSERT_NE(linie, nullptr);
    ASSERT_NE(linie->fenster, 0u);
    EXPECT_TRUE(IsWindowVisible(linie->fenster));
    EXPECT_EQ(linie->ziehId, LEISTEZIEHID + LEISTESUP) << "the line button is a drag button";
    klick(linie->fenster);
    EXPECT_TRUE(BaubfAktiv());
    EXPECT_EQ(BaubfCode(), BefCode("ZL"));
    EXPECT_EQ(LeisteZustandWert(9), 1);
    EXPECT_EQ(linie->zustand, 1) << "state kind 9 shows the line under way";
    BaubfAbbrechen();
    rahmenPumpen();

    // Nothing marked: "RMMENUKEIN" without "Mehrfachlinie beenden"; its
    // "Alles markieren" chosen by keys marks everything.
    menueBlick().bild = demo.wurzel() + "/kein.png";
    rechts({VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
    ASSERT_FALSE(menueBlick().texte.empty());
    EXPECT_EQ(menueBlick().texte.front(), "Suche Betriebsmittel");
    EXPECT_EQ(menueBlick().texte.size(), 11u) << "1341 removed while no parallel lines exist";
    EXPECT_EQ(menueBlick().texte[6], "Alles markieren");
    EXPECT_EQ(TzMarkAnzahl(), TzAnzahl());
    EXPECT_EQ(LeisteZustandWert(2), 1);
    const LeisteEintrag* kopie = knopf(LEISTE_OBEN, "EDKOPIE");
    ASSERT_NE(kopie, nullptr);
    EXPECT_EQ(kopie->zustand, 1) << "state kind 2 (marks) switched the copy button on";
    bildAblegen("kein.png", "KONTEXT_BILD");

    // The object under the cursor marked: "RMMENUEINS"; Escape closes it.
    ObjCursorSetzen(ErstesMarkiertes());
    rechts({VK_ESCAPE});
    ASSERT_FALSE(menueBlick().texte.empty());
    EXPECT_EQ(menueBlick().texte.front(), "Bearbeiten...");
    EXPECT_EQ(TzMarkAnzahl(), TzAnzahl()) << "nothing chosen";
    // Another object under the cursor: "RMMENUVIELE"; "Markierung entfernen".
    TzMarkSetzen(ErstesMarkiertes(), 0);
    rechts({VK_UP, VK_UP, VK_RETURN});
    ASSERT_FALSE(menueBlick().texte.empty());
    EXPECT_EQ(menueBlick().texte.front(), "Mitbewegen");
    EXPECT_EQ(menueBlick().texte.size(), 8u);
    EXPECT_EQ(TzMarkAnzahl(), 0);
    EXPECT_EQ(kopie->zustand, 0);

    plHeadlessPng(anwHauptfenster(), (demo.wurzel() + "/seite.png").c_str());
    bildAblegen("seite.png", "KONTEXT_SEITE");
}

// A right click injected on the drawing reaches the menu through the view's
// mouse hook; items chosen there by keys run on the page.
TEST_F(KontextLauf, ARightClickOnTheDrawingOpensTheMenu)
{
    HWND zeichnung = GetDlgItem(EdtFenster(), 5000);
    ASSERT_NE(zeichnung, 0u);
    auto rechtsKlick = [&](std::vector<UINT> tasten) {
        menueBlick().texte.clear();
        menueBlick().tasten = std::move(tasten);
        POINT p{200, 200};
        ClientToScreen(zeichnung, &p);
        plHeadlessZeitVor(1000);
        plHeadlessKlick(p.x, p.y, 1);
        rahmenPumpen();
    };
    ASSERT_EQ(TzMarkAnzahl(), 0);
    rechtsKlick({VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
    ASSERT_FALSE(menueBlick().texte.empty()) << "no menu opened";
    EXPECT_EQ(menueBlick().texte.front(), "Suche Betriebsmittel");
    EXPECT_EQ(TzMarkAnzahl(), TzAnzahl()) << "\"Alles markieren\" chosen";
    EXPECT_FALSE(BaubfAktiv()) << "a plain right click starts nothing";

    // Marked objects: one of the other two menus; its "Markierung
    // entfernen" (second from the end in both) clears the marks.
    rechtsKlick({VK_UP, VK_UP, VK_RETURN});
    ASSERT_FALSE(menueBlick().texte.empty());
    EXPECT_EQ(menueBlick().texte.back(), "Ganzes Fenster");
    EXPECT_NE(menueBlick().texte.front(), "Suche Betriebsmittel");
    EXPECT_EQ(TzMarkAnzahl(), 0);
}

// A left-bar button dragged onto the drawing: the line starts where it
// enters and is cancelled where it leaves; "ZB M1" dropped places M1 there.
TEST_F(KontextLauf, BarButtonsDraggedOntoTheDrawing)
{
    const LeisteEintrag* linie = knopf(LEISTE_LINKS, "EDLINIE");
    const LeisteEintrag* bauteil = knopf(LEISTE_LINKS, "EDBAUTEIL");
    ASSERT_TRUE(linie && bauteil && linie->fenster && bauteil->fenster);
    HWND zeichnung = GetDlgItem(EdtFenster(), 5000);
    RECT z;
    GetWindowRect(zeichnung, &z);
    auto mitte = [](HWND h) {
        RECT r;
        GetWindowRect(h, &r);
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    };
    auto nach = [](POINT p) {
        plHeadlessMausBewegen(p.x, p.y);
        rahmenPumpen();
    };
    plHeadlessZeitVor(1000);
    const POINT k = mitte(linie->fenster);
    nach(k);
    plHeadlessMausDruecken(0);
    rahmenPumpen();
    nach(POINT{k.x + 10, k.y});
    const POINT drin{z.left + 300, z.top + 200};
    nach(drin);
    EXPECT_TRUE(BaubfAktiv()) << "entering the drawing starts the line";
    EXPECT_EQ(BaubfCode(), BefCode("ZL"));
    nach(k);
    EXPECT_FALSE(BaubfAktiv()) << "leaving cancels it";
    plHeadlessMausLoslassen(0);
    rahmenPumpen();
    EXPECT_FALSE(BaubfAktiv());

    const int vorher = TzAnzahl();
    plHeadlessZeitVor(1000);
    const POINT b = mitte(bauteil->fenster);
    nach(b);
    plHeadlessMausDruecken(0);
    rahmenPumpen();
    nach(POINT{b.x + 10, b.y});
    nach(drin);
    nach(POINT{drin.x + 2, drin.y});
    const double x = BefAktZustand()->x, y = BefAktZustand()->y;
    const int neuId = TzNeueId();
    plHeadlessMausLoslassen(0);
    rahmenPumpen();
    EXPECT_FALSE(BaubfAktiv());
    ASSERT_EQ(TzAnzahl(), vorher + 1) << "M1 placed";
    BEF neu;
    STT s;
    ASSERT_EQ(TzObjHolen(neuId, &neu, &s), 0);
    EXPECT_EQ(std::string(neu.text), "M1");
    EXPECT_DOUBLE_EQ(s.x, x) << "at the drop point";
    EXPECT_DOUBLE_EQ(s.y, y);
}

// With labels the top bar is one row of labelled buttons and the selection
// bar follows it: choosing an entry runs its string and shows its label.
TEST_F(KontextLauf, WithLabelsTheSelectionBarJoinsTheTopBar)
{
    // A changed bar style closes the page; opened again it has labels.
    VgbSetzen("AP-ZvTbarStil", "1");
    ApStileLaden();
    EdtTitelMenueAktualisieren(0);
    rahmenPumpen();
    plNachrichtBoxAntwort(IDNO);
    seiteOeffnen();
    ASSERT_NE(EdtFenster(), 0u);
    const auto& oben = LeisteEintraege(LEISTE_OBEN);
    ASSERT_GE(oben.size(), 2u);
    EXPECT_EQ(oben[1].y, oben[0].y) << "one row";
    EXPECT_EQ(oben[0].b, 36);
    const auto& wahl = LeisteEintraege(LEISTE_AUSWAHL);
    ASSERT_EQ(wahl.size(), 4u);
    EXPECT_STREQ(wahl[1].tipp, "Text");
    EXPECT_EQ(AuswahlAktuell(), "* ZL") << "the first entry is the selection";
    HWND anzeige = GetDlgItem(EdtFenster(), AUSWAHLANZEIGE);
    ASSERT_NE(anzeige, 0u);
    klick(wahl[2].fenster);
    EXPECT_EQ(AuswahlAktuell(), "* KRE");
    UpdateWindow(wahl[2].fenster);
    UpdateWindow(wahl[0].fenster);
    EXPECT_EQ(plFensterPixel(wahl[2].fenster, 3, 3), RGB(215, 232, 255)) << "the chosen entry's face";
    EXPECT_EQ(plFensterPixel(wahl[0].fenster, 3, 3), RGB(240, 240, 240)) << "the former one's";
    EXPECT_TRUE(BaubfAktiv());
    EXPECT_EQ(BaubfCode(), BefCode("KRE"));
    BaubfAbbrechen();
    rahmenPumpen();
    plHeadlessPng(anwHauptfenster(), (demo.wurzel() + "/beschriftet.png").c_str());
    bildAblegen("beschriftet.png", "KONTEXT_BESCHRIFTET");
}

}  // namespace
