// Components dragged from the component dialogs onto the drawing of the
// running frame, headless, over a working copy of the demo: a row of the
// component list, the preview of the component placement dialog, a row
// and the preview of the catalogue and a button of the component palette
// are pressed, moved into the drawing and released; the component lies
// there.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "editdlg/katdlg.h"
#include "editdlg/popup.h"
#include "editor/baubf.h"
#include "editor/befausf.h"
#include "editor/edtseite.h"
#include "model/beffifo.h"
#include "model/edhaken.h"
#include "model/tempzeic.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/winconst.h"
#include "tests/frame/editor_pruef.h"
#include "tests/frame/ziehen_pruef.h"
#include "winlib/dialog.h"

namespace {

using namespace zieh;

class BauZiehen : public DemoLauf {
protected:
    // Presses at `von`, moves past the drag threshold, into the drawing
    // and releases there; the new object, or none.
    static bool ziehen(POINT von, POINT hin, BEF* neu, double* x, double* y)
    {
        zieh::bis(von, hin, x, y);
        const int vorher = TzAnzahl();
        const int id = TzNeueId();
        zieh::loslassen();
        STT s;
        if (TzAnzahl() != vorher + 1 || TzObjHolen(id, neu, &s) != 0) return false;
        return s.x == *x && s.y == *y;
    }
    // Opens catalogue window `nr` with its tree on "Verwendet": the
    // components the project's drawings use.
    static HWND verwendetZeigen(int nr, const char* vorlage)
    {
        modh::DBDialogOeffnen(nr);
        rahmenPumpen();
        HWND d = wiDlgSuchen(vorlage);
        if (d == 0) return 0;
        SetFocus(GetDlgItem(d, 3080));
        plHeadlessTaste(VK_DOWN);
        rahmenPumpen();
        return d;
    }
    // Drags the second row of list 3100 of `d` to `hin` (not the first, so
    // a drag of the first row shows); its text.
    static bool zeileZiehen(HWND d, POINT hin, BEF* neu, std::string* text)
    {
        HWND liste = GetDlgItem(d, 3100);
        if (SendMessage(liste, LB_GETCOUNT, 0, 0) < 2) return false;
        char t[40] = "";
        SendMessage(liste, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(t));
        *text = t;
        double x, y;
        return ziehen(zieh::zeileMitte(liste, 1), hin, neu, &x, &y);
    }
};

TEST_F(BauZiehen, ARowOfTheComponentListIsPlacedWhereItIsDropped)
{
    modh::DBDialogOeffnen(1202);
    rahmenPumpen();
    HWND d = wiDlgSuchen("DB1202");
    ASSERT_NE(d, 0u);
    BEF neu;
    std::string name;
    ASSERT_TRUE(zeileZiehen(d, ablage(d), &neu, &name)) << "the demo's library; placed at the drop point";
    EXPECT_EQ(std::string(neu.text), name) << "the pressed row, not the first";
    EXPECT_FALSE(BaubfAktiv());
    EXPECT_NE(wiDlgSuchen("DB1202"), 0u) << "the list stays open";
    bild(d, "frame_db1202.png");
}

TEST_F(BauZiehen, ThePlacementPreviewIsPlacedWhereItIsDropped)
{
    BaubfStarten(80);
    BEF b = BaubfHolen();
    BefTextSetzen(&b, "M1");
    BaubfSetzen(&b);
    modh::DBDialogOeffnen(1211);
    rahmenPumpen();
    HWND d = wiDlgSuchen("DB1211");
    ASSERT_NE(d, 0u);
    const POINT hin = ablage(d);
    bild(d, "frame_db1211.png");
    BEF neu;
    double x, y;
    ASSERT_TRUE(ziehen(mitte(GetDlgItem(d, 3400)), hin, &neu, &x, &y)) << "placed at the drop point";
    EXPECT_EQ(std::string(neu.text), "M1");
}

TEST_F(BauZiehen, ARowAndThePreviewOfTheCatalogueArePlacedWhereTheyAreDropped)
{
    HWND d = verwendetZeigen(1240, "DB1240");
    ASSERT_NE(d, 0u);
    const POINT hin = ablage(d);
    BEF neu;
    std::string name;
    ASSERT_TRUE(zeileZiehen(d, hin, &neu, &name))
        << "the demo's drawings use two components at least; the row placed at the drop point";
    EXPECT_EQ(std::string(neu.text), name) << "the pressed row, not the first";
    EXPECT_FALSE(BaubfAktiv());
    bild(d, "frame_db1240_ziehen.png");

    // The preview shows the pressed row's component and drags it as well,
    // to another point.
    double x, y;
    ASSERT_TRUE(ziehen(mitte(GetDlgItem(d, 3000)), POINT{hin.x + 40, hin.y + 60}, &neu, &x, &y))
        << "the preview placed at the drop point";
    EXPECT_EQ(std::string(neu.text), name);
    EXPECT_FALSE(BaubfAktiv());
}

TEST_F(BauZiehen, APaletteButtonIsPlacedWhereItIsDropped)
{
    HWND d = verwendetZeigen(1205, "DB1205");
    ASSERT_NE(d, 0u);
    const std::vector<std::string> k = Db1205Knoepfe();
    ASSERT_FALSE(k.empty());
    ASSERT_FALSE(k[1].empty()) << "the demo's drawings use two components at least";
    const POINT hin = ablage(d);
    BEF neu;
    double x, y;
    ASSERT_TRUE(ziehen(mitte(GetDlgItem(d, 2601)), hin, &neu, &x, &y)) << "placed at the drop point";
    EXPECT_EQ(std::string(neu.text), k[1]) << "the pressed button's component";
    EXPECT_FALSE(BaubfAktiv());
    EXPECT_EQ(PopupHinweisGezeigt(), 0) << "the hint went with the drag";
    EXPECT_FALSE(IsWindowVisible(PopupHinweisFenster()));
    rahmenPumpen();
    bild(d, "frame_db1205_ziehen.png");
}

}  // namespace
