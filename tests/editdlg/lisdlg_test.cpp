// The equipment list windows on the real store: DB1351's filter matching
// nothing leaves no definition to place; DB1362 switches the editor's
// library only when it is another and jumps to another sheet only when the
// user agrees; DB1359 reads its component rows back and places the
// unplaced one; DB1356's four check lists, its preview and the stem of its
// positions; DB1357 names its language.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "config/reaktion.h"
#include "controls/elzeile.h"
#include "editdlg/bmlisdlg.h"
#include "editdlg/popup.h"
#include "editdlg/zuordnung.h"
#include "equipment/apphaken.h"
#include "equipment/ngestext.h"
#include "equipment/wse.h"
#include "tests/editdlg/bmdlgpruef.h"
#include "tests/editdlg/dbpruef.h"
#include "tests/editdlg/zuopruef.h"
#include "tests/equipment/kennung_test.h"

int gruenePunkte(HWND w);  // the component's insertion point drawn in w

namespace {

using bmdlgpruef::bild;
using bmdlgpruef::druecken;
using bmdlgpruef::frei;
using bmdlgpruef::liste;
using bmdlgpruef::waehlen;
using dbpruef::pumpen;

const char* lisZeichnung = "001";

class LisDlg : public dbpruef::SchlangeTest {
protected:
    bmdlgpruef::Lager lager;
    void SetUp() override
    {
        lager.an();
        lager.starten("BMpzus PRINZIP\n");
        SchlangeTest::SetUp();
        PhDefinition mot{"M1", "Motor", "-M", "", "Mot", 0, 0, {}};
        PhDefinition s1{"SCH", "Schuetz A", "-K", "", "S1", 0, 0, {"Ua KONTAKT Schliesser 2"}};
        PhDefinitionenSetzen({mot, s1});
        AppAktivSetzen(1);
        ZuordnungZuruecksetzen();
        AppHaken h;
        h.ZeichnungName = [] { return lisZeichnung; };
        AppHakenSetzen(h);
        ZuordnungHakenSetzen();
        lisZeichnung = "001";
        std::strcpy(BefAktZustand()->bd, "L10");
        plNachrichtBoxSkriptLeeren();
        plNachrichtBoxFragenLeeren();
    }
    void TearDown() override
    {
        SchlangeTest::TearDown();
        ZuordnungZuruecksetzen();
        AppHakenStandard();
        AppAktivSetzen(0);
        lager.aus();
    }
    // A placement of "FREMD" at (5, 6) of drawing `ze` assigned to no item.
    static void fremd(const char* ze)
    {
        appwaise w{};
        std::strcpy(w.name, "FREMD");
        std::strcpy(w.ze, ze);
        w.platziert = 1;
        w.x = 5;
        w.y = 6;
        WseAnlegen(&w);
    }
    static std::vector<std::string> befehle()
    {
        std::vector<std::string> v;
        for (const BEF& b : saetze()) v.push_back(std::string(BefName(b.code)) + (b.text[0] ? " " + std::string(b.text) : ""));
        return v;
    }
};

TEST_F(LisDlg, MainListFilterMatchingNothingLeavesNothingToPlace)
{
    HWND d = oeffnen(1351);
    ASSERT_NE(d, 0u);
    EXPECT_EQ(liste(d, 3100), (std::vector<std::string>{"Motor", "Schuetz A"}));
    EXPECT_EQ(text(d, 3090), "0");
    EXPECT_EQ(text(d, 3000), "M1");
    bild(d, "db1351");
    tippen(d, 3120, "schuetz");
    EXPECT_EQ(liste(d, 3100), (std::vector<std::string>{"Schuetz A"}));
    EXPECT_EQ(text(d, 3090), "1");
    tippen(d, 3120, "zzz");
    EXPECT_TRUE(liste(d, 3100).empty());
    EXPECT_EQ(text(d, 3090), "-1");
    EXPECT_EQ(text(d, 3000), "");
    EXPECT_FALSE(frei(d, 2500));
    saetze();
    SendMessage(d, WM_COMMAND, 2500, 0);
    pumpen();
    EXPECT_TRUE(befehle().empty());
    EXPECT_EQ(HbzNameVorgemerkt("SCH"), 0);
}

TEST_F(LisDlg, PrincipleListSwitchesTheLibraryOnlyWhenAnotherIsCurrent)
{
    const uint32_t a = lager.hauptGeraet("!K1", 10, 10);
    lager.eintrag(a, "P", "PR1", "", 0, 0, 0);
    const uint32_t b = lager.hauptGeraet("!K2", 20, 10);
    lager.eintrag(b, "P", "PR2", "002", 30, 40, 0);
    saetze();
    HWND d = oeffnen(1362);
    ASSERT_NE(d, 0u);
    EXPECT_EQ(befehle(), (std::vector<std::string>{"BD PRINZIP"}));
    EXPECT_EQ(liste(d, 3100).size(), 1u) << "placed entries only with 3120";
    klick(d, 3120);
    ASSERT_EQ(liste(d, 3100).size(), 2u);
    bild(d, "db1362");
    waehlen(d, 3100, 1);
    EXPECT_EQ(text(d, 3000), "PR2");
    EXPECT_EQ(text(d, 3010), "002");
    EXPECT_FALSE(frei(d, 2500));
    EXPECT_TRUE(frei(d, 2502));
    // Another sheet, answered no: nothing happens.
    plNachrichtBoxAntwort(IDNO);
    druecken(d, 2502);
    ASSERT_EQ(plNachrichtBoxFragen().size(), 1u);
    EXPECT_TRUE(befehle().empty());
    SendMessage(d, WM_CLOSE, 0, 0);
    pumpen();
    EXPECT_EQ(befehle(), (std::vector<std::string>{"BD L10"}));
    // The principle library current: no switch either way.
    std::strcpy(BefAktZustand()->bd, "PRINZIP");
    d = oeffnen(1362);
    ASSERT_NE(d, 0u);
    SendMessage(d, WM_CLOSE, 0, 0);
    pumpen();
    EXPECT_TRUE(befehle().empty());
}

TEST_F(LisDlg, SubListReadsItsRowsBackAndPlacesTheUnplacedOne)
{
    const uint32_t a = lager.hauptGeraet("!K1", 10, 10);
    lager.eintrag(a, "U", "KONTAKT", "", 0, 0, 0);
    lager.eintrag(a, "b", "KONTAKT", "001", 50, 50, 1);
    lager.hauptGeraet("!K2", 20, 10);
    DB1359Zeigen("KONTAKT");
    pumpen();
    HWND d = wiDlgSuchen("DB1359");
    ASSERT_NE(d, 0u);
    EXPECT_EQ(liste(d, 3100).size(), 1u);
    ASSERT_EQ(liste(d, 3200).size(), 3u);
    char soll[40], zeile[200] = "";
    std::snprintf(soll, sizeof soll, "\x03" "0 %04X U 0 KONTAKT", a);
    SendMessage(GetDlgItem(d, 3200), LB_GETTEXT, 1, reinterpret_cast<LPARAM>(zeile));
    ASSERT_GE(std::strlen(zeile), 60u);
    EXPECT_STREQ(zeile + 60, soll) << "the row read back behind its visible part";
    EXPECT_EQ(text(d, 3000), "KONTAKT");
    EXPECT_TRUE(frei(d, 2500));
    bild(d, "db1359");
    waehlen(d, 3200, 2);  // placed
    EXPECT_FALSE(frei(d, 2500));
    waehlen(d, 3200, 1);
    saetze();
    druecken(d, 2500);
    EXPECT_EQ(UbzNameVorgemerkt("KONTAKT"), 0) << "no library holds KONTAKT here";
    EXPECT_EQ(std::string(StatusLetzterText()), "Bauteil KONTAKT nicht gefunden.");
}

TEST_F(LisDlg, CheckListsShowTheirFourKinds)
{
    const uint32_t a = lager.hauptGeraet("!K1", 10, 10);
    lager.eintrag(a, "D", "DI", "", 0, 0, 0);
    const uint32_t b = lager.hauptGeraet("!K2", 20, 10);
    lager.eintrag(b, "P", "PR", "", 0, 0, 0);
    fremd("001");
    HWND d = oeffnen(1356);
    ASSERT_NE(d, 0u);
    const std::vector<std::string> wse = liste(d, 3100);
    ASSERT_EQ(wse.size(), 1u);
    EXPECT_NE(wse[0].find("FREMD"), std::string::npos);
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(d, 2501)));
    bild(d, "db1356");
    struct {
        int knopf;
        size_t zeilen;
        const char* kennung;
    } faelle[] = {{3001, 1, "K2"}, {3002, 2, "K1"}, {3003, 1, "K1"}};
    for (const auto& f : faelle) {
        klick(d, f.knopf);
        const std::vector<std::string> z = liste(d, 3100);
        ASSERT_EQ(z.size(), f.zeilen) << f.knopf;
        EXPECT_NE(z[0].find(f.kennung), std::string::npos) << f.knopf << ": " << z[0];
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(d, 2501)));
        EXPECT_TRUE(frei(d, 3121));
    }
    // Removing a not-assigned entry.
    klick(d, 3000);
    druecken(d, 2501);
    EXPECT_EQ(WseAnzahl(), 0);
    EXPECT_TRUE(liste(d, 3100).empty());
}

TEST_F(LisDlg, ShortTextsWithoutPlaceholdersOfferNoViewToggleAndSave)
{
    const uint32_t a = lager.hauptGeraet("!K1", 10, 10);
    GtxTextSetzen(a, "H", 0, 2, "Pumpe");
    DB1357Oeffnen(a, "H", 0, 0);
    pumpen();
    HWND d = wiDlgSuchen("DB1357");
    ASSERT_NE(d, 0u);
    EXPECT_EQ(text(d, 3020), "Pumpe");
    EXPECT_EQ(text(d, 3910), "H");
    EXPECT_FALSE(frei(d, 2522));
    bild(d, "db1357");
    tippen(d, 3000, "Motor");
    druecken(d, 2500);
    EXPECT_EQ(wiDlgSuchen("DB1357"), 0u) << "closed after saving";
    char t[60];
    GtxTextRoh(a, "H", 0, 0, t, sizeof t);
    EXPECT_STREQ(t, "Motor");
    GtxTextRoh(a, "H", 0, 2, t, sizeof t);
    EXPECT_STREQ(t, "Pumpe");
}

// The check list's preview shows the selected row's component: the
// placement's for the not-assigned list, the item's main component for the
// others. A not-assigned row carries the drawing stem before its position
// unless the equipment rows show positions without it (path mode 1).
TEST_F(LisDlg, CheckListPreviewAndTheStemOfItsPositions)
{
    dbpruef::kleineBibliothek(dbpruef::tempName("lis-bib"), {"K", "FREMD"});
    if (HasFatalFailure()) return;
    lager.hauptGeraet("!K1", 10, 10);
    fremd("HV1.08");
    const struct {
        int pfad;
        const char* beginn;
        size_t name;
    } faelle[] = {{0, "HV1", 17}, {2, "HV1", 17}, {1, "8-", 12}};
    for (const auto& f : faelle) {
        ElzPfadEmpfangen(f.pfad);
        HWND d = oeffnen(1356);
        ASSERT_NE(d, 0u);
        const std::vector<std::string> z = liste(d, 3100);
        ASSERT_EQ(z.size(), 1u);
        EXPECT_EQ(z[0].rfind(f.beginn, 0), 0u) << f.pfad << ": " << z[0];
        EXPECT_EQ(z[0].find("FREMD"), f.name) << f.pfad << ": " << z[0];
        if (f.pfad == 0) {
            EXPECT_GT(gruenePunkte(GetDlgItem(d, 3070)), 0) << "the placement's component";
            bild(d, "db1356-vorschau");
            klick(d, 3001);  // items without a dispo component: K1
            ASSERT_EQ(liste(d, 3100).size(), 1u);
            EXPECT_GT(gruenePunkte(GetDlgItem(d, 3070)), 0) << "the item's main component";
            SendMessage(d, WM_COMMAND, 3070, VORSCHAUDOPPEL);
            pumpen();
            EXPECT_NE(VorschauFenster(), 0u) << "the enlarged preview";
        }
        SendMessage(d, WM_CLOSE, 0, 0);
        pumpen();
        EXPECT_EQ(VorschauFenster(), 0u);
    }
    ElzPfadEmpfangen(0);
}

// The short-text window names the language its resolved lines are in, on
// yellow while one is chosen; empty for the project's own. A line whose
// stored text holds a 0x04 is yellow too.
TEST_F(LisDlg, ShortTextsNameTheirLanguage)
{
    const uint32_t a = lager.hauptGeraet("!K1", 10, 10);
    GtxTextSetzen(a, "H", 0, 1, "Motor\x04@Y0001L");
    for (int sprache : {2, 0}) {
        SprSetzen(sprache);
        DB1357Oeffnen(a, "H", 0, 0);
        pumpen();
        HWND d = wiDlgSuchen("DB1357");
        ASSERT_NE(d, 0u);
        HWND feld = GetDlgItem(d, 3920);
        EXPECT_EQ(text(d, 3920), sprache ? "Sprache 2" : "") << sprache;
        EXPECT_EQ(plFensterPixel(feld, 2, 2) == RGB(255, 255, 0), sprache != 0) << sprache;
        // A line with a 0x04 keeps its text and shows it on yellow.
        EXPECT_EQ(text(d, 3010), "Motor");
        EXPECT_EQ(plFensterPixel(GetDlgItem(d, 3010), 2, 2), RGB(255, 255, 0));
        EXPECT_NE(plFensterPixel(GetDlgItem(d, 3000), 2, 2), RGB(255, 255, 0));
        if (sprache) bild(d, "db1357-sprache");
        SendMessage(d, WM_CLOSE, 0, 0);
        pumpen();
    }
    SprZuruecksetzen();
}

}  // namespace
