// The assignment and labelling windows on the real equipment store: what
// DB1350 lists and applies, OK refused without a definition, the window
// following a deleted symbol; DB1352's item and component lists, OK only on
// an unplaced entry of the symbol's component, skip and close registering
// the rows; DB1354 proposing the next number and dropping rows on closing.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "editdlg/bmtexte.h"
#include "editdlg/popup.h"
#include "editdlg/zuordnung.h"
#include "equipment/apphaken.h"
#include "equipment/wse.h"
#include "equipment/ges.h"
#include "model/edhaken.h"
#include "model/tempzeic.h"
#include "tests/editdlg/bmdlgpruef.h"
#include "tests/editdlg/dbpruef.h"
#include "tests/editdlg/zuopruef.h"
#include "tests/equipment/kennung_test.h"
#include "tests/model/edprotokoll.h"

int gruenePunkte(HWND w);  // the component's insertion point drawn in w

namespace {

using bmdlgpruef::bild;
using bmdlgpruef::druecken;
using bmdlgpruef::frei;
using bmdlgpruef::liste;
using bmdlgpruef::waehlen;
using dbpruef::pumpen;
using zuopruef::bei;

class ZuoDlg : public dbpruef::SchlangeTest {
protected:
    bmdlgpruef::Lager lager;
    void SetUp() override
    {
        lager.an();
        lager.starten("BMduse 1\n");
        SchlangeTest::SetUp();
        PhDefinition mot{"M1", "Motor", "-M", "", "Mot", 0, 0, {}};
        PhDefinition s1{"SCH", "Schuetz A", "-K", "", "S1", 0, 0, {"Ua KONTAKT Schliesser 2"}};
        PhDefinition s2{"SCH", "Schuetz B", "-K", "", "S2", 0, 0, {}};
        PhDefinitionenSetzen({mot, s1, s2});
        AppAktivSetzen(1);
        ZuordnungZuruecksetzen();
        BmTexteZuruecksetzen();
        ZuordnungHakenSetzen();
        HbzImmerFragenSetzen(1);
    }
    void TearDown() override
    {
        SchlangeTest::TearDown();
        ZuordnungZuruecksetzen();
        BmTexteZuruecksetzen();
        AppHakenStandard();
        AppAktivSetzen(0);
        lager.aus();
    }
    static void setzen(const char* name, double x, double y, bool haupt = true)
    {
        const BEF b = zuopruef::satz(80, name);
        const STT s = bei(x, y);
        if (haupt)
            HbzNeuesSymbol(&b, &s);
        else
            UbzNeuesSymbol(&b, &s);
    }
};

TEST_F(ZuoDlg, MainAssignmentListsDefinitionsAppliesAndClosesWhenDone)
{
    setzen("SCH", 1, 1);
    setzen("SCH", 2, 2);
    HWND d = oeffnen(1350);
    ASSERT_NE(d, 0u);
    EXPECT_EQ(text(d, 3000), "SCH");
    EXPECT_EQ(text(d, 3300), "2");
    EXPECT_EQ(liste(d, 3100), (std::vector<std::string>{"Schuetz A", "Schuetz B"}));
    EXPECT_EQ(liste(d, 3200), (std::vector<std::string>{" a  KONTAKT    Schliesser            2"}));
    EXPECT_TRUE(frei(d, 2500));
    EXPECT_GT(gruenePunkte(GetDlgItem(d, 3070)), 0) << "the component's preview";
    SendMessage(d, WM_COMMAND, 3070, VORSCHAUDOPPEL);
    ASSERT_NE(VorschauFenster(), 0u);
    EXPECT_EQ(GetDlgItem(d, 3079), VorschauFenster());
    SendMessage(d, WM_COMMAND, 3079, 0);
    EXPECT_EQ(VorschauFenster(), 0u);
    waehlen(d, 3100, 1);
    EXPECT_EQ(text(d, 3010), "Schuetz B");
    EXPECT_TRUE(liste(d, 3200).empty());
    tippen(d, 3020, "Pumpe");
    druecken(d, 2500);
    ASSERT_EQ(GesAnzahl(), 1);
    appgeraet g;
    GesHolen(1, &g);
    EXPECT_STREQ(g.tt, "Schuetz B");
    char t[60];
    GtxHauptTextRoh(1, 0, t, sizeof t);
    EXPECT_STREQ(t, "Pumpe");
    // The second row is shown; skipping drops it and the empty queue closes.
    EXPECT_EQ(text(d, 3300), "1");
    EXPECT_EQ(text(d, 3020), "");
    druecken(d, 2501);
    EXPECT_EQ(wiDlgSuchen("DB1350"), 0u);
    EXPECT_EQ(GesAnzahl(), 1);
    EXPECT_EQ(WseAnzahl(), 0);
}

TEST_F(ZuoDlg, MainAssignmentWithoutDefinitionRefusesOkAndFollowsDeletedSymbols)
{
    setzen("FREMD", 1, 1);
    setzen("SCH", 2, 2);
    HWND d = oeffnen(1350);
    ASSERT_NE(d, 0u);
    EXPECT_TRUE(liste(d, 3100).empty());
    EXPECT_FALSE(frei(d, 2500));
    EXPECT_TRUE(frei(d, 2501));
    druecken(d, 2500);
    EXPECT_EQ(HbzGeladen(), 1);
    // The current row's symbol is deleted: the window moves on.
    HbzSymbolGeloescht("FREMD", 1.5, 0.5);
    pumpen();
    EXPECT_EQ(text(d, 3000), "SCH");
    EXPECT_TRUE(frei(d, 2500));
    // The ask-always box queues BMZ.
    saetze();
    klick(d, 3130);
    const std::vector<BEF> q = saetze();
    ASSERT_FALSE(q.empty());
    EXPECT_STREQ(BefName(q.back().code), "BMZ");
    bild(d, "db1350");
}

TEST_F(ZuoDlg, SubAssignmentTakesOnlyAnUnplacedEntryOfTheSymbolsComponent)
{
    const uint32_t id = lager.hauptGeraet("!K1", 10, 10);
    lager.eintrag(id, "U", "KONTAKT", "", 0, 0, 0);
    lager.eintrag(id, "a", "SPULE", "", 0, 0, 0);
    lager.eintrag(id, "b", "KONTAKT", "001", 50, 50, 1);
    setzen("KONTAKT", 5, 5, false);
    setzen("KONTAKT", 6, 6, false);
    HWND d = oeffnen(1352);
    ASSERT_NE(d, 0u);
    EXPECT_EQ(text(d, 3000), "KONTAKT");
    const std::vector<std::string> geraete = liste(d, 3100);
    ASSERT_EQ(geraete.size(), 1u);
    EXPECT_EQ(geraete[0].substr(40), std::to_string(id));
    const std::vector<std::string> teile = liste(d, 3200);
    ASSERT_EQ(teile.size(), 4u);
    const int u = static_cast<int>(std::find_if(teile.begin(), teile.end(), [](const std::string& s) { return s.rfind("U ", 0) == 0; }) - teile.begin());
    const int a = static_cast<int>(std::find_if(teile.begin(), teile.end(), [](const std::string& s) { return s.rfind("a ", 0) == 0; }) - teile.begin());
    const int b = static_cast<int>(std::find_if(teile.begin(), teile.end(), [](const std::string& s) { return s.rfind("b ", 0) == 0; }) - teile.begin());
    ASSERT_LT(b, 4);
    EXPECT_EQ(SendMessage(GetDlgItem(d, 3200), LB_GETCURSEL, 0, 0), u) << "the unplaced entry of the component";
    EXPECT_TRUE(frei(d, 2500));
    bild(d, "db1352-gefuellt");
    for (int n : {a, b}) {
        waehlen(d, 3200, n);
        EXPECT_FALSE(frei(d, 2500)) << teile[static_cast<size_t>(n)];
    }
    waehlen(d, 3200, u);
    druecken(d, 2500);
    appbteil e;
    ASSERT_EQ(BtlSuchen(id, "U", 0, &e), 1);
    EXPECT_EQ(e.platziert, 1);
    EXPECT_EQ(e.x, 5);
    // The second row: skipping registers it as not assigned; the empty
    // queue closes the window.
    EXPECT_EQ(text(d, 3300), "1");
    druecken(d, 2501);
    EXPECT_EQ(WseAnzahl(), 1);
    EXPECT_EQ(wiDlgSuchen("DB1352"), 0u);
}

TEST_F(ZuoDlg, ClosingTheSubWindowRegistersEveryWaitingRow)
{
    setzen("KONTAKT", 5, 5, false);
    setzen("KONTAKT", 6, 6, false);
    HWND d = oeffnen(1352);
    ASSERT_NE(d, 0u);
    EXPECT_TRUE(liste(d, 3100).empty());
    EXPECT_FALSE(frei(d, 2500));
    bild(d, "db1352");
    SendMessage(d, WM_CLOSE, 0, 0);
    pumpen();
    EXPECT_EQ(wiDlgSuchen("DB1352"), 0u);
    EXPECT_EQ(WseAnzahl(), 2);
    EXPECT_EQ(UbzGeladen(), 0);
}

TEST_F(ZuoDlg, LabelWindowProposesTheNextNumberAndDropsRowsOnClosing)
{
    const uint32_t a = lager.hauptGeraet("!K1", 0, 0);
    const BEF q = zuopruef::satz(50, "@Q");
    for (double x : {10.0, 20.0, 30.0}) {
        const STT s = bei(x, 10);
        AppTextAnlegen(a, "U", static_cast<int>(x / 10), &q, &s);
    }
    HWND d = oeffnen(1354);
    ASSERT_NE(d, 0u);
    EXPECT_EQ(text(d, 3200), "3");
    tippen(d, 3000, "12");
    druecken(d, 2500);
    EXPECT_EQ(text(d, 3000), "13");
    EXPECT_EQ(text(d, 3200), "2");
    bild(d, "db1354");
    saetze();
    klick(d, 2505);
    druecken(d, 2501);
    EXPECT_EQ(wiDlgSuchen("DB1354"), 0u);
    EXPECT_EQ(AppTextAnzahl(), 0);
    char v[20];
    int g;
    EXPECT_EQ(AppTextAktuell(v, sizeof v, &g), -1);
    std::vector<std::string> namen;
    for (const BEF& b : saetze()) namen.push_back(BefName(b.code));
    EXPECT_NE(std::find(namen.begin(), namen.end(), "STA"), namen.end());
}

// The placement dialog shows the type text of the item linked to the marked
// component under the cursor: found by the component's name, the drawing
// and its position, so also for an item made after the pick; nothing
// without equipment linking or without an item.
TEST_F(ZuoDlg, PlacementShowsTheTypeOfTheLinkedItem)
{
    EdProtokollHolen().zeiName = "Anlage.005";
    const uint32_t id = lager.geraet("-M1");
    appgeraet g{};
    ASSERT_EQ(GesHolen(id, &g), 0);
    std::strcpy(g.tt, "Drehstrom");
    ASSERT_EQ(GesAendern(id, &g), 0);
    BEF b = zuopruef::satz(80, "M1");
    STT s = bei(10, 20);
    const int verknuepft = TzEinfuegen(&b, &s);
    s = bei(30, 20);
    const int frei = TzEinfuegen(&b, &s);
    auto typ = [&](int obj) {
        wiDlgAlleSchliessen();
        BaubfAbbrechen();
        ObjCursorSetzen(obj);
        TzMarkSetzen(obj, 1);
        HWND d = oeffnen(1211);
        EXPECT_NE(d, 0u) << obj;
        return d != 0 ? text(d, 3010) : std::string("-");
    };
    EXPECT_EQ(typ(verknuepft), "") << "no item placed there yet";
    lager.eintrag(id, "H", "M1", "005", 10, 20);
    EXPECT_EQ(typ(verknuepft), "Drehstrom");
    bild(wiDlgSuchen("DB1211"), "db1211");
    EXPECT_EQ(typ(frei), "") << "another place, no item";
    HWND d = wiDlgSuchen("DB1211");
    ObjCursorSetzen(verknuepft);
    SendMessage(d, WM_COMMAND, 2999, 0);
    EXPECT_EQ(text(d, 3010), "Drehstrom") << "the refresh follows the current object";
    AppAktivSetzen(0);
    SendMessage(d, WM_COMMAND, 2999, 0);
    EXPECT_EQ(text(d, 3010), "") << "without equipment linking";
    AppAktivSetzen(1);
    wiDlgAlleSchliessen();
    BaubfAbbrechen();
    EdProtokollHolen().zeiName.clear();
}

}  // namespace
