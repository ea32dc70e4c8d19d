// The catalogues' floating hint and preview, the preview window in a
// control's corner and the picture list's frames.
#include <gtest/gtest.h>

#include <string>

#include "editdlg/popup.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/systemwerte.h"
#include "tests/editdlg/dbpruef.h"

namespace {

using dbpruef::pumpen;

RECT imDialog(HWND d, HWND w)
{
    RECT r;
    GetWindowRect(w, &r);
    POINT a{r.left, r.top}, b{r.right, r.bottom};
    ScreenToClient(d, &a);
    ScreenToClient(d, &b);
    return RECT{a.x, a.y, b.x, b.y};
}

class PopTest : public dbpruef::SchlangeTest {
protected:
    HWND d = 0;
    void SetUp() override
    {
        SchlangeTest::SetUp();
        d = oeffnen(1100);
        ASSERT_NE(d, 0u);
        // As the catalogue does it in its initialisation.
        ASSERT_NE(wiDlgBetreten(d), 0);
        PopupAnlegen(40);
        wiDlgVerlassen();
    }
    void TearDown() override
    {
        PopupEntfernen();
        VorschauEntfernen();
        SchlangeTest::TearDown();
    }
    static std::string name()
    {
        char t[64] = "";
        PopupName(t, sizeof t);
        return t;
    }
};

TEST_F(PopTest, TheHintFollowsTheControlsOfItsSlots)
{
    PopupEintragen(0, 3100, "MOTOR", "");
    PopupEintragen(1, 2500, "LAMPE", "   Leuchte mit Fassung   ");
    PopupEintragen(2, 3110, "EINSEHRLANGERBAUTEILNAME", "");
    PopupEintragen(POPUPSUP, 3120, "NIE", "x");  // beyond the table: ignored
    EXPECT_EQ(PopupHinweisGezeigt(), 0);

    PopupZeigen(GetDlgItem(d, 3100));
    EXPECT_EQ(PopupHinweisGezeigt(), 1);
    char t[100] = "";
    GetWindowText(PopupHinweisFenster(), t, sizeof t);
    EXPECT_STREQ(t, "MOTOR") << "an empty hint shows the name";
    const RECT s = imDialog(d, GetDlgItem(d, 3100)), h = imDialog(d, PopupHinweisFenster());
    EXPECT_EQ(h.right, s.right);
    EXPECT_EQ(h.top, s.bottom);
    EXPECT_EQ(name(), "MOTOR");
    EXPECT_EQ(PopupFenster(), GetDlgItem(d, 3100));

    PopupZeigen(GetDlgItem(d, 2500));
    GetWindowText(PopupHinweisFenster(), t, sizeof t);
    EXPECT_STREQ(t, "Leuchte mit Fassung") << "trimmed";
    PopupZeigen(GetDlgItem(d, 3110));
    EXPECT_EQ(name(), "EINSEHRLANGERBAUTEIL") << "cut to 20";
    PopupZeigen(GetDlgItem(d, 3120));
    EXPECT_EQ(PopupHinweisGezeigt(), 0) << "no slot: hidden";
    EXPECT_EQ(name(), "");

    // The preview under the hint, one pixel over it; again: hidden.
    PopupZeigen(GetDlgItem(d, 3100));
    PopupVorschauUmschalten();
    EXPECT_EQ(PopupVorschauGezeigt(), 1);
    PopupVorschauUmschalten();
    EXPECT_EQ(PopupVorschauGezeigt(), 0);

    // The mouse leaves the control: both go.
    PopupMausBewegt(WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    EXPECT_EQ(PopupHinweisGezeigt(), 0);
    PopupAktivSetzen(0);
    PopupZeigen(GetDlgItem(d, 3100));
    EXPECT_EQ(PopupHinweisGezeigt(), 0) << "inactive";
}

TEST_F(PopTest, APreviewWindowSitsInTheCornerOfItsControl)
{
    const RECT s = imDialog(d, GetDlgItem(d, 3100));
    const int seite = std::min<int>(s.right - s.left, s.bottom - s.top);
    struct Fall {
        int ecke;
        int x, y;
    } faelle[] = {{0, s.left, s.top}, {1, s.right - seite, s.bottom - seite}, {2, s.right - seite, s.top}};
    for (const Fall& f : faelle) {
        HWND v = VorschauAnlegen(d, 3100, f.ecke, 400);
        ASSERT_NE(v, 0u);
        const RECT r = imDialog(d, v);
        EXPECT_EQ(r.left, f.x) << f.ecke;
        EXPECT_EQ(r.top, f.y) << f.ecke;
        EXPECT_EQ(r.right - r.left, seite) << "square, within the control";
    }
    VorschauEntfernen();
}

TEST(BildListe, TheFrameTakesTheFirstStateAffirmed)
{
    struct Fall {
        int zustand;  // the state affirmed, -1 none
        COLORREF farbe;
    } faelle[] = {{0, RGB(82, 130, 251)}, {1, RGB(0, 188, 237)}, {2, RGB(255, 32, 128)}, {-1, RGB(192, 192, 192)}};
    for (const Fall& f : faelle) {
        static int gesucht;
        gesucht = f.zustand;
        HDC dc = CreateCompatibleDC(0);
        HDC schirm = GetDC(0);
        HBITMAP bild = CreateCompatibleBitmap(schirm, 60, 40);
        ReleaseDC(0, schirm);
        HGDIOBJ alt = SelectObject(dc, bild);
        DRAWITEMSTRUCT di{};
        di.CtlID = 3100;
        di.itemID = 0;
        di.itemAction = ODA_DRAWENTIRE;
        di.hDC = dc;
        di.rcItem = RECT{0, 0, 60, 40};
        EXPECT_EQ(BildListeZeichnen(3100, [](int, int z) { return z == gesucht ? 1 : 0; }, nullptr, WM_DRAWITEM, 3100,
                                    reinterpret_cast<LPARAM>(&di)),
                  1);
        EXPECT_EQ(GetPixel(dc, 2, 20), f.farbe) << f.zustand;
        EXPECT_EQ(BildListeZeichnen(3100, nullptr, nullptr, WM_DRAWITEM, 3101, reinterpret_cast<LPARAM>(&di)), 0)
            << "another control's";
        SelectObject(dc, alt);
        DeleteObject(bild);
        DeleteDC(dc);
    }
}

}  // namespace
