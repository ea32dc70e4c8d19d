// The equipment list dialogs as drag sources on the running frame, headless,
// over a working copy of the demo with linking on: a row of the main
// component list dragged onto the drawing places a new main component of
// that row's definition where it is dropped, the way OK does (the motor's
// second definition, without the question which one); the preview of the
// sub-component list places the item's waiting lamp at its drop point, and
// a row of the dispo list the item's dispo lamp.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "editdlg/zuordnung.h"
#include "editor/baubf.h"
#include "editor/befausf.h"
#include "editor/edmeld.h"
#include "editor/edtseite.h"
#include "equipment/app.h"
#include "equipment/apphaken.h"
#include "equipment/btl.h"
#include "equipment/ges.h"
#include "model/beffifo.h"
#include "model/tempzeic.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/winconst.h"
#include "tests/frame/editor_pruef.h"
#include "tests/frame/ziehen_pruef.h"
#include "winlib/dialog.h"

namespace fs = std::filesystem;

namespace {

using namespace zieh;

class LisZiehen : public DemoLauf {
protected:
    // Two definitions use the motor; the sign's definition waits for a lamp
    // as its sub component.
    void SetUp() override
    {
        std::ofstream(fs::path(demo.projekt()) / "BMListe.txt")
            << "H ~M1~Motor Pumpe~-M^~~0~~MP~~~~0~\r\n"
               "H ~M1~Motor Luefter~-M^~~0~~ML~~~~0~\r\n"
               "H ~SCHILD3~Schild~-S^~~0~~SC~~~~0~\r\n"
               "  Ua ~LAMPE~Meldeleuchte~~h~\r\n";
        DemoLauf::SetUp();
    }
    static void ziehen(POINT von, POINT hin, double* x, double* y)
    {
        zieh::bis(von, hin, x, y);
        zieh::loslassen();
    }
    // The object of `name` lying at (x, y), or -1.
    static int objektBei(const char* name, double x, double y)
    {
        for (int id = TzNaechstes(-1); id < TZENDE; id = TzNaechstes(id)) {
            BEF b;
            STT s;
            if (TzObjHolen(id, &b, &s) == 0 && (b.code == 80 || b.code == 81) && std::strcmp(b.text, name) == 0 &&
                s.x == x && s.y == y)
                return id;
        }
        return -1;
    }
    static std::string feld(HWND d, int id)
    {
        char t[80] = "";
        GetDlgItemText(d, id, t, sizeof t);
        return t;
    }
};

TEST_F(LisZiehen, ARowAndAPreviewPlaceAsOkDoesWhereTheyAreDropped)
{
    ASSERT_EQ(AppAktiv(), 1) << "the demo's equipment use switches linking on";
    HbzImmerFragenSetzen(1);  // a plain motor would now ask for its definition

    // The main component list: the motor's second definition dragged.
    ASSERT_TRUE(menueWaehlen(1351));
    rahmenPumpen();
    HWND d = wiDlgSuchen("DB1351");
    ASSERT_NE(d, 0u);
    HWND liste = GetDlgItem(d, 3100);
    ASSERT_EQ(SendMessage(liste, LB_GETCOUNT, 0, 0), 3);
    const POINT hin = ablage(d);
    const int geraete = GesAnzahl();
    double x, y;
    ziehen(zeileMitte(liste, 1), hin, &x, &y);
    EXPECT_EQ(feld(d, 3010), "Motor Luefter") << "the pressed row, not the first";
    EXPECT_FALSE(BaubfAktiv());
    EXPECT_EQ(wiDlgSuchen("DB1350"), 0u) << "placed for the row's definition: no question";
    ASSERT_GE(objektBei("M1", x, y), 0) << "the motor at the drop point; " << StatusLetzterText();
    ASSERT_EQ(GesAnzahl(), geraete + 1) << "a new item";
    appgeraet g{};
    ASSERT_EQ(GesHolen(BtlAnPositionId("M1", AppZeiName(), x, y), &g), 0);
    EXPECT_STREQ(g.tt, "Motor Luefter") << g.kg << "/" << g.kz << "/" << g.ft;
    bild(d, "frame_db1351_ziehen.png");

    // A drop beside the drawing places nothing.
    RECT z;
    GetWindowRect(EdtFenster(), &z);
    const int objekte = TzAnzahl();
    ziehen(zeileMitte(liste, 2), POINT{z.right + 40, z.top + 40}, &x, &y);
    EXPECT_EQ(TzAnzahl(), objekte);
    EXPECT_EQ(GesAnzahl(), geraete + 1);
    SendMessage(d, WM_COMMAND, 2501, 0);
    rahmenPumpen();
    if (HWND t = wiDlgSuchen("DB1354")) SendMessage(t, WM_CLOSE, 0, 0);
    rahmenPumpen();

    // The sign placed by OK waits for its lamp, which the sub-component
    // list's preview drags onto the drawing.
    ASSERT_TRUE(menueWaehlen(1351));
    rahmenPumpen();
    d = wiDlgSuchen("DB1351");
    ASSERT_NE(d, 0u);
    ablage(d);
    eingabeZeile("BW 120 0");
    const double sx = BefAktZustand()->x, sy = BefAktZustand()->y;
    const POINT schild = zeileMitte(GetDlgItem(d, 3100), 2);
    plHeadlessKlick(schild.x, schild.y);
    rahmenPumpen();
    rahmenKlicken(d, 2500);
    ASSERT_EQ(GesAnzahl(), geraete + 2) << StatusLetzterText();
    if (HWND t = wiDlgSuchen("DB1354")) SendMessage(t, WM_CLOSE, 0, 0);
    SendMessage(d, WM_COMMAND, 2501, 0);
    rahmenPumpen();

    ASSERT_TRUE(menueWaehlen(1359));
    rahmenPumpen();
    d = wiDlgSuchen("DB1359");
    ASSERT_NE(d, 0u);
    SetFocus(GetDlgItem(d, 3130));
    plHeadlessText("LAMPE");
    plHeadlessTaste(VK_RETURN);
    rahmenPumpen();
    ASSERT_EQ(SendMessage(GetDlgItem(d, 3100), LB_GETCOUNT, 0, 0), 1) << "the sign waits for its lamp";
    ASSERT_EQ(feld(d, 3000), "LAMPE");
    const POINT ziel = ablage(d);
    bild(d, "frame_db1359_ziehen.png");
    ziehen(mitte(GetDlgItem(d, 3070)), POINT{ziel.x + 40, ziel.y + 60}, &x, &y);
    EXPECT_FALSE(BaubfAktiv());
    ASSERT_GE(objektBei("LAMPE", x, y), 0) << "the lamp at the drop point; " << StatusLetzterText();
    EXPECT_EQ(GesAnzahl(), geraete + 2) << "the sign's lamp, no item of its own";
    EXPECT_EQ(SendMessage(GetDlgItem(d, 3100), LB_GETCOUNT, 0, 0), 0) << "nothing waits any more";
    SendMessage(d, WM_COMMAND, 2501, 0);
    rahmenPumpen();

    // A dispo lamp the sign's item waits for, dragged from the dispo list's row.
    const uint32_t schildId = BtlAnPositionId("SCHILD3", AppZeiName(), sx, sy);
    ASSERT_NE(schildId, 0u);
    appbteil dispo{};
    dispo.id = schildId;
    std::strcpy(dispo.cd, "D");
    std::strcpy(dispo.bl, "LAMPE");
    ASSERT_EQ(BtlEintragAnhaengen(&dispo), 0);
    ASSERT_TRUE(menueWaehlen(1355));
    rahmenPumpen();
    d = wiDlgSuchen("DB1355");
    ASSERT_NE(d, 0u);
    liste = GetDlgItem(d, 3100);
    ASSERT_EQ(SendMessage(liste, LB_GETCOUNT, 0, 0), 1) << "the unplaced dispo lamp";
    const POINT dort = ablage(d);
    bild(d, "frame_db1355_ziehen.png");
    ziehen(zeileMitte(liste, 0), POINT{dort.x + 40, dort.y + 120}, &x, &y);
    ASSERT_GE(objektBei("LAMPE", x, y), 0) << "the dispo lamp at the drop point; " << StatusLetzterText();
    appbteil e{};
    ASSERT_EQ(BtlSuchen(schildId, "D", 0, &e), 1);
    EXPECT_EQ(e.platziert, 1) << "placed for the item, as OK does";
    SendMessage(d, WM_COMMAND, 2501, 0);
    rahmenPumpen();
    bild(EdtFenster(), "frame_lisziehen.png");
}

}  // namespace
