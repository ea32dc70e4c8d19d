// The element dialogs: the geometry of their handlers, and the life of a
// dialog on the element under construction (fill, field changes written
// into the element, apply, refresh, close).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <cairo.h>

#include <filesystem>

#include "config/verzeich.h"
#include "editdlg/element.h"
#include "support/texte.h"
#include "model/beffifo.h"
#include "model/tempzeic.h"
#include "model/zustand.h"
#include "tests/editdlg/dbpruef.h"

namespace {

using dbpruef::pumpen;

TEST(ElGeometrie, ArcSidesStartAngleAndVector)
{
    struct Seite {
        int s, e, soll_s, soll_e;
    } seiten[] = {
        {0, 900, 2700, 1800}, {3000, 3500, 1700, 1200}, {2700, 1800, 0, 900}, {900, 901, 2700, 2700},
    };
    for (const Seite& f : seiten) {
        int s = f.s, e = f.e;
        ElBogenSeite(&s, &e);
        EXPECT_EQ(s, f.soll_s) << f.s << ".." << f.e;
        EXPECT_EQ(e, f.soll_e) << f.s << ".." << f.e;
    }
    EXPECT_EQ(ElBogenAnfang(0, 300, 900), 1200);
    EXPECT_EQ(ElBogenAnfang(3000, 3500, 3590), 4090) << "no reduction to 0..3599";
    double x = 0, y = 0;
    ElVektor(50, 30, &x, &y);
    EXPECT_NEAR(x, 43.30, 0.005);
    EXPECT_NEAR(y, 25.00, 0.005);
    ElVektor(10, 89.96, &x, &y);  // 900 tenths after rounding
    EXPECT_NEAR(x, 0, 1e-9);
}

class ElTest : public dbpruef::SchlangeTest {
protected:
    void SetUp() override
    {
        SchlangeTest::SetUp();
        STT s = *modh::EditorZustand();
        s.x = 100;
        s.y = 50;
        modh::EditorZustandSetzen(&s);
    }
    static BEF element()
    {
        BEF b;
        b = BaubfHolen();
        return b;
    }
    // The drawing records of the queue read back as "code d0 d1 ab x y",
    // where the last "_BA" before them put the start; the queue is emptied.
    // Construction's own cursor moves, refreshes (code 0) and redraws (LUP)
    // draw nothing and are left out.
    static std::vector<std::string> schlange()
    {
        std::vector<std::string> v;
        double x = 0, y = 0;
        for (const BEF& b : saetze()) {
            const std::string name = BefName(b.code);
            if (name == "_BA") {
                x = b.darg[0];
                y = b.darg[1];
                continue;
            }
            if (b.code == 0 || name == "LUP") continue;
            char t[120];
            std::snprintf(t, sizeof t, "%s %.2f %.2f ab %.2f %.2f", name.c_str(), b.darg[0], b.darg[1], x, y);
            v.push_back(t);
        }
        return v;
    }
};

TEST_F(ElTest, ALineByLengthAndAngleIsAppliedFromItsStart)
{
    HWND d = oeffnen(1200);
    ASSERT_NE(d, 0u);
    EXPECT_EQ(BaubfDialogIstOffen(), 1);
    EXPECT_EQ(BaubfCode(), 40);
    EXPECT_EQ(IsDlgButtonChecked(d, 2504), BST_CHECKED);
    tippen(d, 3010, "50");
    tippen(d, 3011, "30");
    EXPECT_EQ(text(d, 3000), "43.30");
    EXPECT_EQ(text(d, 3001), "25.00");
    EXPECT_NEAR(element().darg[0], 43.30, 0.005);
    tippen(d, 3001, "0");
    EXPECT_EQ(text(d, 3010), "43.30");
    EXPECT_EQ(text(d, 3011), "0.0");
    tippen(d, 3001, "25");
    SendMessage(d, WM_COMMAND, 2500, 0);
    pumpen();
    EXPECT_EQ(schlange(), (std::vector<std::string>{"ZL 43.30 25.00 ab 100.00 50.00"}));
    EXPECT_EQ(wiDlgSuchen("DB1200"), 0u) << "2504 checked: apply closes";
    EXPECT_EQ(BaubfDialogIstOffen(), 0);
}

TEST_F(ElTest, ApplyWithoutClosingStartsAFreshElementAndClosingDiscardsIt)
{
    HWND d = oeffnen(1200);
    ASSERT_NE(d, 0u);
    CheckDlgButton(d, 2504, BST_UNCHECKED);
    tippen(d, 3000, "5");
    SendMessage(d, WM_COMMAND, 2500, 0);
    pumpen();
    EXPECT_EQ(schlange(), (std::vector<std::string>{"ZL 5.00 0.00 ab 100.00 50.00"}));
    EXPECT_EQ(wiDlgSuchen("DB1200"), d);
    EXPECT_TRUE(BaubfAktiv());
    EXPECT_EQ(element().code, 40);
    EXPECT_EQ(element().darg[0], 0.0);
    EXPECT_EQ(text(d, 3000), "0.00");
    tippen(d, 3001, "7");  // half drawn
    SendMessage(d, WM_COMMAND, 2501, 0);
    pumpen();
    EXPECT_EQ(wiDlgSuchen("DB1200"), 0u);
    EXPECT_FALSE(BaubfAktiv());
    EXPECT_EQ(schlange(), std::vector<std::string>{}) << "closing discards the line";
}

TEST_F(ElTest, TheLineDialogWaitsForAnotherElement)
{
    BaubfStarten(67);
    EXPECT_EQ(oeffnen(1200), 0u);
    EXPECT_STREQ(StatusLetzterText(), "Sie m\xfcssen erst den laufenden KRE-Befehl abschliessen.");
    HWND d = oeffnen(1220);
    EXPECT_NE(d, 0u) << "the circle dialog takes the circle";
}

TEST_F(ElTest, RefreshFollowsTheElementAndClosesWhenItsKindEnds)
{
    HWND d = oeffnen(1221);
    ASSERT_NE(d, 0u);
    SetFocus(GetDlgItem(d, 3000));
    SetDlgItemText(d, 3000, "12.3");  // being typed
    BEF b = element();
    b.darg[1] = 0.05;  // below the 0.1 that counts
    BaubfSetzen(&b);
    saetze();  // construction's own cursor moves
    SendMessage(d, WM_COMMAND, 2999, 0);
    EXPECT_EQ(BefAnzahl(), 0) << "a refresh queues nothing";
    EXPECT_EQ(text(d, 3000), "12.30");
    EXPECT_EQ(text(d, 3001), "0.00");
    b.darg[1] = 8;
    BaubfSchritt(2);
    BaubfSetzen(&b);
    saetze();
    SendMessage(d, WM_COMMAND, 2999, 0);
    EXPECT_EQ(text(d, 3001), "8.00");
    EXPECT_EQ(IsDlgButtonChecked(d, 2702), BST_CHECKED);
    EXPECT_EQ(BefAnzahl(), 0) << "a refresh queues nothing";
    SendMessage(GetDlgItem(d, 2701), BM_CLICK, 0, 0);
    pumpen();
    EXPECT_EQ(BaubfSchrittHolen(), 1);
    BaubfAbbrechen();
    BaubfStarten(40);
    SendMessage(d, WM_COMMAND, 2999, 0);
    pumpen();
    EXPECT_EQ(wiDlgSuchen("DB1221"), 0u);
}

TEST_F(ElTest, CouplingsOfTriangleCircleAndArc)
{
    HWND d = oeffnen(1222);
    ASSERT_NE(d, 0u);
    EXPECT_EQ(IsDlgButtonChecked(d, 3020), BST_UNCHECKED) << "a new triangle has its height bound";
    tippen(d, 3000, "10");
    EXPECT_EQ(text(d, 3001), "8.66");
    EXPECT_NEAR(element().darg[1], 8.66, 1e-9);
    SendMessage(GetDlgItem(d, 3020), BM_CLICK, 0, 0);
    pumpen();
    tippen(d, 3000, "20");
    EXPECT_NEAR(element().darg[1], 8.66, 1e-9) << "free height stays";
    SendMessage(d, WM_COMMAND, 2501, 0);
    pumpen();

    d = oeffnen(1220);
    ASSERT_NE(d, 0u);
    tippen(d, 3000, "5");
    EXPECT_EQ(text(d, 3001), "5.00");
    EXPECT_EQ(element().darg[1], 5.0);
    SendMessage(GetDlgItem(d, 3020), BM_CLICK, 0, 0);
    pumpen();
    tippen(d, 3001, "3");
    EXPECT_EQ(element().darg[0], 5.0);
    SendMessage(GetDlgItem(d, 3010), BM_CLICK, 0, 0);  // filled: no longer an ellipse
    pumpen();
    EXPECT_EQ(IsDlgButtonChecked(d, 3020), BST_UNCHECKED);
    EXPECT_EQ(element().iarg[0], 1);
    EXPECT_EQ(element().darg[1], 5.0);
    SendMessage(d, WM_COMMAND, 2501, 0);
    pumpen();

    d = oeffnen(1224);
    ASSERT_NE(d, 0u);
    EXPECT_EQ(text(d, 3011), "90.0") << "a new arc ends at 90 degrees";
    tippen(d, 3010, "30");
    EXPECT_EQ(text(d, 3011), "120.0");
    EXPECT_EQ(element().iarg[1], 1200);
    SendMessage(GetDlgItem(d, 3030), BM_CLICK, 0, 0);
    pumpen();
    EXPECT_EQ(element().iarg[0], 3000);  // 30..120 seen from the other side
    EXPECT_EQ(element().iarg[1], 2100);
    EXPECT_EQ(element().iarg[2], 1);
    EXPECT_EQ(text(d, 3010), "300.0");
    EXPECT_EQ(text(d, 3011), "210.0");
}

}  // namespace

namespace {

namespace fs = std::filesystem;

void pngSchreiben(const fs::path& p, int w, int h)
{
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    cairo_surface_write_to_png(s, p.c_str());
    cairo_surface_destroy(s);
}

class ElBildTest : public ElTest {
protected:
    fs::path projekt = dbpruef::tempName("elbild-projekt");
    fs::path bib = dbpruef::tempName("elbild-bib");
    void SetUp() override
    {
        ElTest::SetUp();
        for (const fs::path& p : {projekt, bib}) {
            fs::remove_all(p);
            fs::create_directories(p);
        }
        VerSetzen(1, projekt.c_str());
        VerSetzen(2, bib.c_str());
        STT s = *modh::EditorZustand();
        strkopie(s.bd, sizeof s.bd, "ELT", STTBDSUP);
        modh::EditorZustandSetzen(&s);
        pngSchreiben(projekt / "bild.png", 600, 300);
    }
    void TearDown() override
    {
        ElTest::TearDown();
        VerSetzen(1, "");
        VerSetzen(2, "");
        fs::remove_all(projekt);
        fs::remove_all(bib);
    }
};

TEST_F(ElBildTest, NaturalSizeAndTheFoldersAPictureMayComeFrom)
{
    double w = 0, h = 0;
    EXPECT_EQ(ElBildNatur((projekt / "bild.png").c_str(), &w, &h), 0);
    EXPECT_NEAR(w, 50.8, 1e-9);
    EXPECT_NEAR(h, -25.4, 1e-9);
    EXPECT_EQ(ElBildNatur((projekt / "fehlt.png").c_str(), &w, &h), -1);
    EXPECT_EQ(w, 0.0);
    BEF b{};
    b.code = 69;
    BefTextSetzen(&b, "alt.png");
    EXPECT_EQ(ElBildNehmen((bib / "Logo.PNG").c_str(), &b), 0);
    EXPECT_STREQ(b.text, "Logo.PNG");
    EXPECT_EQ(b.iarg[0], 1);
    EXPECT_EQ(ElBildNehmen((projekt / "bild.png").c_str(), &b), 0);
    EXPECT_EQ(b.iarg[0], 0);
    const BEF vorher = b;
    EXPECT_EQ(ElBildNehmen("/tmp/anderswo/bild.png", &b), -1);
    EXPECT_EQ(std::memcmp(&b, &vorher, sizeof b), 0) << "the element keeps its file";
}

TEST_F(ElBildTest, APictureTakesItsNaturalSizeOnlyWhenItHasNone)
{
    HWND d = oeffnen(1208);
    ASSERT_NE(d, 0u);
    SetDlgItemText(d, 3020, "bild.png");
    pumpen();
    BEF b = element();
    EXPECT_STREQ(b.text, "bild.png");
    SendMessage(d, WM_COMMAND, 2999, 0);
    b = element();
    EXPECT_NEAR(b.darg[0], 50.8, 1e-9);
    EXPECT_NEAR(b.darg[1], -25.4, 1e-9);
    EXPECT_EQ(IsDlgButtonChecked(d, 3030), BST_UNCHECKED);
    tippen(d, 3000, "10");
    EXPECT_NEAR(element().darg[1], -5.0, 1e-9) << "proportions kept";
    SendMessage(d, WM_COMMAND, 2501, 0);
    pumpen();
    // A picture that already has its size keeps it, negative height and all.
    BaubfStarten(69);
    b = element();
    BefTextSetzen(&b, "bild.png");
    b.darg[0] = 20;
    b.darg[1] = -30;
    BaubfSetzen(&b);
    d = oeffnen(1208);
    ASSERT_NE(d, 0u);
    EXPECT_EQ(element().darg[0], 20.0);
    EXPECT_EQ(element().darg[1], -30.0);
    EXPECT_EQ(IsDlgButtonChecked(d, 3030), BST_CHECKED) << "not in the natural proportions";
}

}  // namespace
