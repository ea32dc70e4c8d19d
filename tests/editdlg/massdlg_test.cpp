// The element dialogs of measures and placements: the code-92 element,
// the measured line with its kept divisor, factor and decimals, the
// dimension line (fresh element, text, distance, take-a-line, the middle
// kept when its angle turns) and the component placement.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "editdlg/element.h"
#include "editdlg/popup.h"
#include "editor/baubf.h"
#include "model/bauteil.h"
#include "model/geometri.h"
#include "model/masslin.h"
#include "model/tempzeic.h"
#include "support/texte.h"
#include "tests/editdlg/dbpruef.h"

namespace fs = std::filesystem;

int gruenePunkte(HWND w);  // vorschau_test.cpp

namespace {

using dbpruef::pumpen;

TEST(ElMass, TheLengthText)
{
    struct Fall {
        double laenge;
        int teiler, faktor, stellen;
        const char* soll;
    } faelle[] = {
        {12.5, 1, 1, 1, "12,5"},   {12.6, 1, 1, 0, "13"},       {12.5, 0, 2, 2, "25,00"},
        {100, 4, 50, 0, "1250"},   {1e30, 1, 1, 2, "********************"},
    };
    for (const Fall& f : faelle) {
        const std::string t = ElMassText(f.laenge, f.teiler, f.faktor, f.stellen);
        EXPECT_LE(t.size(), static_cast<size_t>(ELMASSTEXTSUP)) << f.laenge;
        if (f.laenge < 1e10) {
            EXPECT_EQ(t, f.soll) << f.laenge;
        }
    }
}

class MassTest : public dbpruef::SchlangeTest {
protected:
    void SetUp() override
    {
        SchlangeTest::SetUp();
        MassEinstStandard();
        STT s = *modh::EditorZustand();
        s.x = 100;
        s.y = 50;
        modh::EditorZustandSetzen(&s);
    }
    void TearDown() override
    {
        SchlangeTest::TearDown();
        MassEinstStandard();
    }
    static BEF element() { return BaubfHolen(); }
    static void objekt(int code, double x, double y, double d0, double d1)
    {
        BEF b{};
        b.code = static_cast<uint8_t>(code);
        b.darg[0] = d0;
        b.darg[1] = d1;
        STT s = *modh::EditorZustand();
        s.x = x;
        s.y = y;
        ASSERT_GE(TzEinfuegen(&b, &s), 0);
    }
};

TEST_F(MassTest, Code92FieldsAndApplyBackToStepOne)
{
    HWND d = oeffnen(1203);
    ASSERT_NE(d, 0u);
    EXPECT_EQ(BaubfCode(), 92);
    tippen(d, 3000, "7");
    tippen(d, 3011, "2.5");
    tippen(d, 3020, "-4");
    EXPECT_EQ(element().iarg[0], 7);
    EXPECT_DOUBLE_EQ(element().darg[1], 2.5);
    EXPECT_DOUBLE_EQ(element().darg[2], -4);
    CheckDlgButton(d, 2504, BST_UNCHECKED);
    SendMessage(d, WM_COMMAND, 2500, 0);
    pumpen();
    EXPECT_EQ(element().iarg[0], 0);
    EXPECT_EQ(element().darg[2], 0);
    EXPECT_EQ(BaubfSchrittHolen(), 1);
    EXPECT_EQ(text(d, 3000), "0");
}

TEST_F(MassTest, MeasuredLineTextAndTheValuesKeptForTheNextOpening)
{
    HWND d = oeffnen(1206);
    ASSERT_NE(d, 0u);
    EXPECT_EQ(element().iarg[0], 1) << "the kept kind";
    tippen(d, 3010, "12.5");
    EXPECT_EQ(text(d, 3120), "12,5");
    EXPECT_STREQ(element().text, "12,5");
    tippen(d, 3110, "0");
    tippen(d, 3101, "4");
    EXPECT_EQ(text(d, 3120), "50");
    klick(d, 2802);
    EXPECT_EQ(element().iarg[0], 3);
    EXPECT_EQ(IsDlgButtonChecked(d, 2800), BST_UNCHECKED);
    SendMessage(d, WM_COMMAND, 2501, 0);
    pumpen();
    EXPECT_EQ(BaubfAktiv(), 0) << "closing discards the line";
    d = oeffnen(1206);
    ASSERT_NE(d, 0u);
    EXPECT_EQ(text(d, 3101), "4");
    EXPECT_EQ(text(d, 3110), "0");
    EXPECT_EQ(IsDlgButtonChecked(d, 2802), BST_CHECKED);
    EXPECT_EQ(element().iarg[0], 3);
}

TEST_F(MassTest, DimensionLineStartsFromTheDefaultsAndDerivesItsExtensions)
{
    // Arrow kind 1, factor 1:4, 2 decimals, extension 2.0, gap 1.0.
    VgbSetSetzen("Masslinien", (std::string(VELMO_TEST_DATA) + "/model/Mass.vgb").c_str());
    MassEinstLesen(nullptr);
    HWND d = oeffnen(1209);
    ASSERT_NE(d, 0u);
    const BEF b = element();
    EXPECT_EQ(b.iarg[0], 1);
    EXPECT_EQ(b.iarg[2], 4);
    for (int k = 4; k < 8; ++k) {
        EXPECT_DOUBLE_EQ(b.darg[k], 2) << k;
        EXPECT_EQ(b.iarg[k], 1) << k;
    }
    EXPECT_EQ(SendDlgItemMessage(d, 3160, CB_GETCOUNT, 0, 0), 7);
    EXPECT_EQ(SendDlgItemMessage(d, 3160, CB_GETCURSEL, 0, 0), 1);
    tippen(d, 3000, "10");
    EXPECT_EQ(text(d, 3120), "40,00") << "10 / 1 x 4, two decimals";
    EXPECT_EQ(text(d, 3012), text(d, 3011));
    tippen(d, 3020, "8");
    EXPECT_DOUBLE_EQ(element().darg[4], 7) << "distance - gap";
    EXPECT_DOUBLE_EQ(element().darg[5], 2);
    EXPECT_EQ(text(d, 3140), "7.00");
    tippen(d, 3020, "-6");
    EXPECT_DOUBLE_EQ(element().darg[5], 5);
    EXPECT_DOUBLE_EQ(element().darg[4], 2);
    // Turning the dimension line keeps the middle of the vector.
    const STT vor = BaubfZustandHolen();
    tippen(d, 3012, "90");
    const BEF n = element();
    const STT nach = BaubfZustandHolen();
    EXPECT_NEAR(n.darg[0], 0, 1e-6);
    EXPECT_NEAR(n.darg[1], 10, 1e-6);
    EXPECT_NEAR(nach.x + n.darg[0] / 2, vor.x + 5, 1e-6);
    EXPECT_NEAR(nach.y + n.darg[1] / 2, vor.y, 1e-6);
    EXPECT_EQ(text(d, 3011), "90.0");
}

TEST_F(MassTest, TakingALine)
{
    objekt(40, 90, 40, 30, 0);   // horizontal line, x 90..120 at y 40
    objekt(40, 300, 300, 5, 5);  // far away
    HWND d = oeffnen(1209);
    ASSERT_NE(d, 0u);
    // Nothing within 20: nothing changes.
    STT s = *modh::EditorZustand();
    s.x = 150;
    modh::EditorZustandSetzen(&s);
    const BEF vorher = element();
    SendMessage(d, WM_COMMAND, 2510, 0);
    pumpen();
    EXPECT_EQ(element().darg[0], vorher.darg[0]);
    EXPECT_EQ(element().iarg[5], vorher.iarg[5]);
    // Near its left end: the start there, the vector to the far end, step 2.
    s.x = 95;
    s.y = 45;
    modh::EditorZustandSetzen(&s);
    SendMessage(d, WM_COMMAND, 2510, 0);
    pumpen();
    const BEF b = element();
    EXPECT_NEAR(b.darg[0], 30, 1e-9);
    EXPECT_NEAR(b.darg[1], 0, 1e-9);
    EXPECT_EQ(b.iarg[5], 1);
    EXPECT_EQ(BaubfSchrittHolen(), 2);
    EXPECT_NEAR(BaubfZustandHolen().x, 90, 1e-9);
    EXPECT_NEAR(BaubfZustandHolen().y, 40, 1e-9);
}

class BauTest : public dbpruef::SchlangeTest {
protected:
    fs::path bib = dbpruef::tempName("elbau-bib");
    void SetUp() override
    {
        SchlangeTest::SetUp();
        dbpruef::kleineBibliothek(bib, {"MOTOR"});
    }
    void TearDown() override
    {
        SchlangeTest::TearDown();
        VerSetzen(2, "");
        fs::remove_all(bib);
    }
};

TEST_F(BauTest, APlacementUnderConstructionIsShapedAndApplied)
{
    EXPECT_EQ(oeffnen(1211), 0u) << "nothing to place: the dialog stays shut";
    BaubfStarten(81);
    BEF b = BaubfHolen();
    BefTextSetzen(&b, "MOTOR");
    BaubfSetzen(&b);
    HWND d = oeffnen(1211);
    ASSERT_NE(d, 0u);
    EXPECT_EQ(text(d, 3000), "MOTOR");
    EXPECT_EQ(SendDlgItemMessage(d, 3100, LB_GETCOUNT, 0, 0), 1);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, 3001))) << "ZBW takes a direction";
    EXPECT_GT(gruenePunkte(GetDlgItem(d, 3400)), 0) << "the preview";
    if (const char* ordner = std::getenv("VELMO_DLG_PNG")) {
        EXPECT_EQ(plHeadlessPng(d, (std::string(ordner) + "/DB1211.png").c_str()), 0);
    }
    SendMessage(d, WM_COMMAND, 3400, VORSCHAURECHTS);
    ASSERT_NE(VorschauFenster(), 0u) << "the enlarged preview";
    SendMessage(d, WM_COMMAND, 3409, 0);
    EXPECT_EQ(VorschauFenster(), 0u) << "a click on it removes it";
    tippen(d, 3001, "-90");
    EXPECT_EQ(BaubfHolen().iarg[0], 2700);
    CheckDlgButton(d, 2504, BST_UNCHECKED);
    SendMessage(d, WM_COMMAND, 2500, 0);
    pumpen();
    EXPECT_EQ(BaubfCode(), 81) << "the next placement of the same kind";
    EXPECT_STREQ(BaubfHolen().text, "MOTOR") << "the name stays";
    EXPECT_EQ(BaubfHolen().iarg[0], 0);
    BaubfAbbrechen();
    BaubfStarten(40);
    SendMessage(d, WM_COMMAND, 2999, 0);
    pumpen();
    EXPECT_EQ(wiDlgSuchen("DB1211"), 0u) << "another kind: the dialog closes";
}

}  // namespace
