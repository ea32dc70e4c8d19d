// The editor after the viewer: with a drawing open in the editor, the viewer
// shown on another drawing (and its "Angezeigte Layer" opened and left with
// Esc) takes the one drawing view; the editor page chosen again takes it
// back, shows its sheet and draws at the user's clicks. Driven headless by
// the keys and clicks a user gives on the demo project.
#include <cairo.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "editor/edtseite.h"
#include "frame/funkwahl.h"
#include "frame/modus.h"
#include "model/tempzeic.h"
#include "model/textvar.h"
#include "output/ansicht.h"
#include "output/gdi.h"
#include "output/show.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/nachrichtbox.h"
#include "platform/winconst.h"
#include "tests/frame/demorahmen_pruef.h"
#include "tests/frame/seite_pruef.h"
#include "winlib/dialog.h"

namespace fs = std::filesystem;
using namespace seitepruef;

namespace {

class AnzeigeDannEditor : public DemoSeite {
protected:
    // A click on row `zeile` of the function bar (0 "Projekt", 1 "Zeichnung").
    static void aeLeiste(int zeile)
    {
        HWND bar = GetDlgItem(FunkFenster(), 3000);
        ASSERT_NE(bar, 0u);
        const POINT p = plHeadlessPunkt(bar, 20, 6 + zeile * (7 * wiDlgEinheit(8) / 2));
        plHeadlessZeitVor(1000);
        plHeadlessKlick(p.x, p.y);
        rahmenPumpen();
    }
    static void aeStrg(UINT t)
    {
        plHeadlessTasteRunter(VK_CONTROL);
        plHeadlessTaste(t);
        plHeadlessTasteHoch(VK_CONTROL);
        rahmenPumpen();
    }
};

// Pixels of a picture that are not the view's white background.
int aeGezeichnet(const std::string& png)
{
    cairo_surface_t* s = cairo_image_surface_create_from_png(png.c_str());
    int n = 0;
    if (cairo_surface_status(s) == CAIRO_STATUS_SUCCESS) {
        const int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
        const int stride = cairo_image_surface_get_stride(s);
        const unsigned char* d = cairo_image_surface_get_data(s);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const unsigned char* p = d + y * stride + x * 4;
                if (p[0] < 128 && p[1] < 128 && p[2] < 128) ++n;
            }
    }
    cairo_surface_destroy(s);
    return n;
}

}  // namespace

TEST_F(AnzeigeDannEditor, TheEditorTakesItsViewBackAndDrawsAfterTheViewerAndItsLayerList)
{
    const fs::path neben = fs::read_symlink("/proc/self/exe").parent_path();
    zeileWaehlen("HV1.08");
    aeStrg('B');
    ASSERT_EQ(ModusSeite(), MODUS_EDIT);
    HWND ansicht = GetDlgItem(EdtFenster(), ANSICHT_FENSTER);
    ASSERT_NE(ansicht, 0u);
    const std::string vorher = (neben / "frame_anzeige_editor_vorher.png").string();
    UpdateWindow(ansicht);
    ASSERT_EQ(plHeadlessPng(ansicht, vorher.c_str()), 0);
    const int striche = aeGezeichnet(vorher);
    ASSERT_GT(striche, 1000) << "the sheet is drawn";

    // The viewer on another drawing, its layer list opened and left with Esc.
    aeLeiste(0);
    ASSERT_EQ(ModusSeite(), MODUS_PVW);
    zeileWaehlen("HV1.07");
    aeStrg('O');
    ASSERT_EQ(ModusSeite(), MODUS_ANZ);
    HWND knopf = GetDlgItem(ShowFenster(), 1100);  // "Layer anzeigen"
    ASSERT_NE(knopf, 0u);
    const POINT k = plHeadlessPunkt(knopf, 6, 6);
    plHeadlessKlick(k.x, k.y);
    rahmenPumpen();
    ASSERT_NE(wiDlgSuchen("LayerShow"), 0u);
    taste(VK_ESCAPE);
    ASSERT_EQ(wiDlgSuchen("LayerShow"), 0u);

    // Back on the editor page: its view, its sheet, and a click draws.
    aeLeiste(1);
    ASSERT_EQ(ModusSeite(), MODUS_EDIT);
    EXPECT_EQ(AnsichtFenster(), ansicht) << "the editor has its drawing view again";
    EXPECT_STREQ(ZeiAktName(), "HV1.08") << "the title block reads the editor's drawing, not the viewer's";
    const std::string nachher = (neben / "frame_anzeige_editor_nachher.png").string();
    UpdateWindow(ansicht);
    ASSERT_EQ(plHeadlessPng(ansicht, nachher.c_str()), 0);
    EXPECT_GT(aeGezeichnet(nachher), striche / 2) << "the sheet is drawn again, not a blank view";
    const int anfang = TzAnzahl();
    demoLinieKlicken(ansicht);
    EXPECT_EQ(TzAnzahl(), anfang + 1) << "a line drawn";
    taste(VK_ESCAPE);
}
