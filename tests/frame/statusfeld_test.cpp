// The editor page's status fields on the running frame, headless, over a
// working copy of the demo: a double click on the scale field opens its
// popup and "1 : 2.5" sets the scale, a typed pen number takes effect, a
// refresh rewrites only what changed, and the fields show the decimals of
// the editor's setting.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "controls/ctlkern.h"
#include "controls/orvaedit.h"
#include "editor/befausf.h"
#include "model/einstell.h"
#include "editor/edtseite.h"
#include "editor/statusfeld.h"
#include "frame/anw.h"
#include "frame/modus.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/menue.h"
#include "platform/nachrichtbox.h"
#include "platform/winconst.h"
#include "tests/frame/editor_pruef.h"
#include "winlib/winbib.h"

namespace fs = std::filesystem;

namespace {

class StatusLauf : public DemoLauf {
protected:
    static HWND feld(int n) { return GetDlgItem(EdtFenster(), STATUSFELDID + n); }
    static std::string text(int n)
    {
        char t[100] = "";
        GetWindowText(feld(n), t, sizeof t);
        return t;
    }
    static POINT mitte(int n)
    {
        RECT r;
        GetWindowRect(feld(n), &r);
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
};

TEST_F(StatusLauf, APopupChoiceATypedValueAndARefreshOfWhatChanged)
{
    ASSERT_NE(feld(9), 0u);
    EXPECT_TRUE(IsWindowVisible(feld(9)));
    EXPECT_EQ(text(8), "Massstab");
    EXPECT_EQ(text(9), "1.00") << "the plain form; the field shows the locale's separator";

    // A double click on the scale: its popup, "1 : 2.5" chosen by keys.
    menueBlick().bild = demo.wurzel() + "/ms.png";
    menueBlick().tasten = {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN};
    plHeadlessZeitVor(1000);
    const POINT p = mitte(9);
    plHeadlessKlick(p.x, p.y);
    plHeadlessKlick(p.x, p.y);
    rahmenPumpen();
    ASSERT_GE(menueBlick().texte.size(), 3u);
    EXPECT_EQ(menueBlick().texte[2], "1 : 2.5");
    EXPECT_DOUBLE_EQ(BefAktZustand()->msf, 0.4);
    EXPECT_EQ(text(9), "0.40") << "the field follows after the drain";
    bildAblegen("ms.png", "STATUS_MENUE");

    // A pen typed into its field takes effect as it is typed.
    plHeadlessZeitVor(1000);
    const POINT s = mitte(11);
    plHeadlessKlick(s.x, s.y);
    plHeadlessTaste(VK_END);
    plHeadlessTaste(VK_BACK);
    plHeadlessText("3");
    rahmenPumpen();
    EXPECT_EQ(BefAktZustand()->st, 3);
    plHeadlessTaste(VK_RETURN);
    rahmenPumpen();
    EXPECT_EQ(GetFocus(), GetDlgItem(EdtFenster(), 5000)) << "Enter gives the drawing the focus";

    // A refresh writes only the fields whose value changed: first the pen,
    // kept as typed while it had the focus, then nothing.
    EXPECT_EQ(StatusfelderAktualisieren(0), 1);
    EXPECT_EQ(text(11), "3");
    EXPECT_EQ(StatusfelderAktualisieren(0), 0);
    BefAktZustand()->tg = 7.5;
    EXPECT_EQ(StatusfelderAktualisieren(0), 1);
    EXPECT_EQ(text(19), "7.5");
    EXPECT_EQ(StatusfelderAktualisieren(1), 20) << "forced: the 15 values, cursor, pen, style, font and layer";

    // With two decimals A the coordinates are 32 units wide and show two.
    EdEinst()->nk = 2;
    StatusfelderAnlegen();
    RECT r;
    GetWindowRect(feld(3), &r);
    EXPECT_EQ(r.right - r.left, wiDlgEinheit(32));
    const std::string x = text(3);
    EXPECT_EQ(x.size() - x.find('.'), 3u) << x;
    // And the field shows both: the display form fits the cells of the
    // page's font, so no last digit falls off the right edge.
    const std::string gezeigt = edtFeldWert(feld(3));
    const HFONT schrift = static_cast<HFONT>(SendMessage(EdtFenster(), WM_GETFONT, 0, 0));
    const int zellen = ctlZellenMessen(schrift, r.right - r.left, r.bottom - r.top, EDTWERTSUP).sichtbar;
    EXPECT_LE(static_cast<int>(gezeigt.size()), zellen) << gezeigt;
    const size_t trenner = gezeigt.find_last_of(".,");
    ASSERT_NE(trenner, std::string::npos) << gezeigt;
    EXPECT_EQ(gezeigt.substr(trenner + 1), x.substr(x.size() - 2)) << gezeigt;

    rahmenPumpen();
    plHeadlessPng(anwHauptfenster(), (demo.wurzel() + "/seite.png").c_str());
    bildAblegen("seite.png", "STATUS_SEITE");
}

TEST_F(StatusLauf, NoCaptionRunsIntoTheNext)
{
    // Narrow value fields ("Richtung") must not let the next caption cover
    // theirs.
    RECT vorher{0, 0, 0, 0};
    bool erste = true;
    for (int n = 0; n < STATUSFELDSUP; ++n) {
        if (!StatusfeldTabelle(n).beschriftung || !feld(n) || !IsWindowVisible(feld(n))) continue;
        RECT r;
        GetWindowRect(feld(n), &r);
        if (!erste) {
            EXPECT_LE(vorher.right, r.left) << StatusfeldTabelle(n).text;
        }
        vorher = r;
        erste = false;
    }
    EXPECT_FALSE(erste);
}

}  // namespace
