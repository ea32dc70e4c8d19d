// Pictures of the editor dialogs: a component drawn by the renderer into
// its square with both points marked, the pen samples clamped to the table,
// and the component dialog showing the preview.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "editdlg/popup.h"
#include "editdlg/vorschau.h"
#include "editor/befausf.h"
#include "editor/edzeich.h"
#include "model/bauteil.h"
#include "model/textvar.h"
#include "model/zeichnun.h"
#include "output/element.h"
#include "model/einstell.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/systemwerte.h"
#include "support/texte.h"
#include "tests/editdlg/dbpruef.h"

namespace fs = std::filesystem;

namespace {

// Counts of the pixels of a bitmap by colour class.
struct Pixel {
    int rot = 0, gruen = 0, farbe = 0, grund = 0;
};

Pixel zaehlen(HBITMAP bild, COLORREF grund, COLORREF farbe, int* breite = nullptr)
{
    BITMAP bm{};
    GetObject(bild, sizeof bm, &bm);
    if (breite) *breite = bm.bmWidth;
    HDC dc = CreateCompatibleDC(0);
    HGDIOBJ alt = SelectObject(dc, bild);
    Pixel p;
    for (int y = 0; y < bm.bmHeight; ++y)
        for (int x = 0; x < bm.bmWidth; ++x) {
            const COLORREF c = GetPixel(dc, x, y);
            if (c == RGB(255, 0, 0))
                ++p.rot;
            else if (c == RGB(0, 255, 0))
                ++p.gruen;
            else if (c == farbe)
                ++p.farbe;
            else if (c == grund)
                ++p.grund;
        }
    SelectObject(dc, alt);
    DeleteDC(dc);
    return p;
}

} // namespace

// Pixels of the marker green in a window (tests of dialogs that show a
// preview).
int gruenePunkte(HWND w)
{
    dbpruef::pumpen();
    RECT r;
    GetClientRect(w, &r);
    int n = 0;
    for (int y = 0; y < r.bottom; ++y)
        for (int x = 0; x < r.right; ++x)
            if (plFensterPixel(w, x, y) == RGB(0, 255, 0)) ++n;
    return n;
}

namespace {

class VscTest : public dbpruef::SchlangeTest {
protected:
    fs::path bib = dbpruef::tempName("vsc-bib");
    void SetUp() override
    {
        SchlangeTest::SetUp();
        dbpruef::kleineBibliothek(bib, {"MOTOR", "LAMPE"});
    }
    void TearDown() override
    {
        SchlangeTest::TearDown();
        VerSetzen(2, "");
        fs::remove_all(bib);
    }
};

TEST_F(VscTest, AComponentIsDrawnWithBothPointsMarked)
{
    const COLORREF weiss = RGB(255, 255, 255), blau = RGB(0, 0, 200);
    struct Fall {
        const char* name;
        const char* bib;
        int seite, sollBreite;
        bool gezeichnet;
    } faelle[] = {
        {"MOTOR", nullptr, 100, 100, true},
        {"LAMPE", "L10", 5, 20, true},      // the side is at least 20
        {"FEHLT", nullptr, 60, 60, false},  // nothing to draw: only the marks
        {"MOTOR", "XX", 60, 60, false},     // a library that is not there
    };
    for (const Fall& f : faelle) {
        HBITMAP bild = BtlBitmap(f.name, f.seite, &blau, weiss, f.bib);
        ASSERT_NE(bild, 0u) << f.name;
        int breite = 0;
        const Pixel p = zaehlen(bild, weiss, blau, &breite);
        DeleteObject(bild);
        EXPECT_EQ(breite, f.sollBreite) << f.name;
        EXPECT_GT(p.gruen, 0) << f.name << ": the insertion point";
        EXPECT_EQ(p.farbe > 0, f.gezeichnet) << f.name << ": the component in the override colour";
        EXPECT_GT(p.grund, breite * breite / 2) << f.name;
    }
    // The line of the component ends beside its insertion point: the
    // position after it is marked too.
    HBITMAP bild = BtlBitmap("MOTOR", 100, nullptr, weiss, nullptr);
    EXPECT_GT(zaehlen(bild, weiss, blau).rot, 0);
    DeleteObject(bild);
}

TEST_F(VscTest, PenSamplesAreClampedToTheTable)
{
    ViEinst()->stift[0] = VISTIFT{10, 20, 30, 1, 0, 0, 0, 0};
    ViEinst()->stift[98] = VISTIFT{200, 100, 50, 2, 0, 0, 0, 0};
    VscFrei();
    struct Fall {
        int n;
        COLORREF farbe;
    } faelle[] = {{0, RGB(10, 20, 30)}, {1, RGB(10, 20, 30)}, {150, RGB(200, 100, 50)}, {99, RGB(200, 100, 50)}};
    for (const Fall& f : faelle) {
        HBITMAP bild = StiftBitmap(f.n);
        ASSERT_NE(bild, 0u);
        const Pixel p = zaehlen(bild, GetSysColor(COLOR_BTNFACE), f.farbe);
        EXPECT_GT(p.farbe, 0) << f.n;
        EXPECT_EQ(StiftBitmap(f.n), bild) << "built once";
    }
    EXPECT_EQ(StiftBitmap(0), StiftBitmap(1));
    EXPECT_EQ(StiftBitmap(150), StiftBitmap(99));
    EXPECT_NE(StiftListeBitmap(3), 0u);
    EXPECT_EQ(LinienartMuster(0), LinienartMuster(1));
    EXPECT_EQ(LinienartBitmap(9), LinienartBitmap(7));
}

TEST_F(VscTest, TheComponentDialogShowsThePreview)
{
    HWND d = oeffnen(1202);
    ASSERT_NE(d, 0u);
    EXPECT_GT(gruenePunkte(GetDlgItem(d, 3000)), 0) << "the insertion point of the component shown";
    // A double click enlarges it over the list; choosing in the list ends that.
    SendMessage(d, WM_COMMAND, 3000, VORSCHAUDOPPEL);
    ASSERT_NE(VorschauFenster(), 0u);
    EXPECT_EQ(GetDlgItem(d, 3009), VorschauFenster());
    EXPECT_GT(gruenePunkte(VorschauFenster()), 0);
    const std::string png = dbpruef::tempName("db1202") + ".png";
    ASSERT_EQ(plHeadlessPng(d, png.c_str()), 0);
    SendDlgItemMessage(d, 3100, LB_SETCURSEL, 1, 0);
    SendMessage(d, WM_COMMAND, MAKEWPARAM(3100, LBN_SELCHANGE), 0);
    EXPECT_EQ(VorschauFenster(), 0u);
    if (const char* ziel = std::getenv("VELMO_BILD_ZIEL")) fs::copy_file(png, ziel, fs::copy_options::overwrite_existing);
    fs::remove(png);
}


TEST_F(VscTest, ThePreviewOptionsOfTheSettings)
{
    // A set without the keys shows everything; a key of 0 switches its part off.
    VgbSetSetzen("Masslinien", (std::string(VELMO_TEST_DATA) + "/model/Mass.vgb").c_str());
    VgbOeffnen();
    VgbSetzen("EdVorOpt2", "0");
    EDEINST e{};
    EdEinstLesen(&e);
    VgbSchliessen();
    EXPECT_EQ(e.vorOpt[0], 1);
    EXPECT_EQ(e.vorOpt[1], 0);
    EXPECT_EQ(e.vorOpt[2], 1);

    EdEinst()->vorOpt[0] = 0;
    EdEinst()->vorOpt[2] = 0;
    HWND d = oeffnen(1202);
    ASSERT_NE(d, 0u);
    EXPECT_EQ(IsDlgButtonChecked(d, 3002), BST_UNCHECKED);
    EXPECT_EQ(IsDlgButtonChecked(d, 3003), BST_CHECKED);
    EXPECT_EQ(gruenePunkte(GetDlgItem(d, 3000)), 0) << "no preview";
}


// What a component's drawing hands to the device's text line.
std::vector<std::string> vscTexte;
void vscZeile(void*, double, double, const char* t, int) { vscTexte.push_back(t); }
int vscStift(void*, int, const STT*) { return 1; }
void vscLinie(void*, double, double, double, double) {}
void vscSchrift(void*, int, int, double, double) {}

TEST_F(VscTest, APreviewShowsPlaceholdersAsWritten)
{
    // A component of one text "Netz @@ Ende" ("@@" is the placeholder of "@").
    const std::string zei = (bib / "TEXT.001").string();
    ZeiDatei z;
    ASSERT_EQ(ZeiDateiAnlegen(&z, zei.c_str()), 0);
    BEF t{};
    t.code = 50;
    BefTextSetzen(&t, "Netz @@ Ende");
    ASSERT_EQ(ZeiBefSchreiben(&z, &t), 0);
    ASSERT_EQ(ZeiDateiSchliessen(&z), 0);
    BauBibHandle h;
    ASSERT_EQ(BauBibOeffnen(&h, (bib / "BAUTEILE.L10").c_str()), 0);
    ASSERT_EQ(BauAufnehmen(&h, "TEXT", zei.c_str()), 0);
    BauBibZu(&h);
    ELEMGERAET g{};
    g.stift = vscStift;
    g.linie = vscLinie;
    g.schrift = vscSchrift;
    g.textZeile = vscZeile;
    BefFlags()->ta = 2;
    vscTexte.clear();
    EdzGeraetSetzen(&g, [](double, double, int) {});
    HBITMAP bild = BtlBitmap("TEXT", 60, nullptr, RGB(255, 255, 255), nullptr);
    EdzGeraetSetzen(nullptr, nullptr);
    if (bild != 0) DeleteObject(bild);
    EXPECT_EQ(vscTexte, std::vector<std::string>{"Netz @@ Ende"});
    char aus[40] = "Netz @@ Ende";
    TextVarErsetzen(aus, 0, 0);
    EXPECT_STREQ(aus, "Netz @ Ende") << "expanded again after the preview";
}

}  // namespace
