// The cursor-mode field of the editor's status row on the running frame,
// headless, over a working copy of the demo: at small dialog units it shows
// the small faces, which every toolbar library holds smaller than the large
// ones and small enough for the field; a typed "CZL" switches the face.
#include <gtest/gtest.h>

#include <string>

#include "editor/edtseite.h"
#include "editor/statusfeld.h"
#include "output/tbar.h"
#include "platform/bildlader.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/headless.h"
#include "platform/ressource.h"
#include "tests/frame/editor_pruef.h"
#include "winlib/tbarhaken.h"
#include "winlib/winbib.h"

namespace {

class CursorFeldLauf : public DemoLauf {
protected:
    // The side of a square face of library m; 0 when it has none.
    static int seite(HMODULE m, const std::string& name)
    {
        HBITMAP b = LoadBitmap(m, name.c_str());
        if (!b) return 0;
        BITMAP bm{};
        GetObject(b, sizeof bm, &bm);
        DeleteObject(b);
        return bm.bmWidth == bm.bmHeight ? bm.bmWidth : -1;
    }
};

TEST_F(CursorFeldLauf, SmallDialogUnitsShowTheSmallFacesAndEveryLibraryHasThem)
{
    ASSERT_FALSE(wiGrosseSchrift()) << "the headless fonts are the small layout";
    HWND feld = GetDlgItem(EdtFenster(), STATUSFELDID + 1);
    ASSERT_NE(feld, 0u);
    EXPECT_EQ(StatusfeldGezeigt(1), "CZL0_K");
    eingabeZeile("CZL");
    EXPECT_EQ(StatusfeldGezeigt(1), "CZL1_K") << "line mode";

    // Every library: the small face of each mode, smaller than the large
    // one, fits the field.
    RECT r;
    GetClientRect(feld, &r);
    for (int s = 1; s <= 6; ++s) {
        HMODULE m = LoadLibrary(TbarBibName(s));
        ASSERT_NE(m, 0u) << s;
        for (int modus = 0; modus <= 2; ++modus) {
            const int klein = seite(m, StatusfeldCursorBild(modus, 0));
            const int gross = seite(m, StatusfeldCursorBild(modus, 1));
            EXPECT_GT(klein, 0) << s << " " << modus;
            EXPECT_LT(klein, gross) << s << " " << modus;
            EXPECT_LE(klein, r.bottom - r.top) << s << " " << modus;
        }
        FreeLibrary(m);
    }

    // A look at both: the page's field, and a field of the large layout's
    // least height (10 units of 23 pixels) with the large face.
    rahmenPumpen();
    plHeadlessPng(anwHauptfenster(), (demo.wurzel() + "/cursorfeld.png").c_str());
    bildAblegen("cursorfeld.png", "CURSORFELD_SEITE");
    HWND gross = CreateWindow("ORVAGRBU", "", WS_CHILD | WS_VISIBLE, 0, 0, r.right - r.left, 23,
                              EdtFenster(), 0, 0, nullptr);
    ASSERT_NE(gross, 0u);
    TbarBildSetzen(gross, StatusfeldCursorBild(1, 1).c_str());
    UpdateWindow(gross);
    plHeadlessPng(gross, (demo.wurzel() + "/cursorfeld-gross.png").c_str());
    bildAblegen("cursorfeld-gross.png", "CURSORFELD_GROSS");
    DestroyWindow(gross);
}

}  // namespace
