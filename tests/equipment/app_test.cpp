// The work layer on recording fakes of its neighbours: deletes, moves,
// renames and re-classification of component symbols, the waiting list,
// snapshots and their slots, the link switch.
#include <string>
#include <vector>

#include "equipment/app.h"
#include "equipment/apphaken.h"
#include "equipment/definier.h"
#include "equipment/nzustext.h"
#include "equipment/wse.h"
#include "kennung_test.h"
#include "model/beffifo.h"
#include "model/edhaken.h"
#include "tests/model/edprotokoll.h"

using namespace kenntest;

namespace {

std::vector<std::string>& protokoll()
{
    static std::vector<std::string> p;
    return p;
}

struct App : KennTest {
    void SetUp() override
    {
        KennTest::SetUp();
        starten("");
        protokoll().clear();
        AppHaken h;
        h.ZeichnungName = [] { return "Z.001"; };
        h.DB1350Zuordnen = [](const BEF* b, const STT*) { protokoll().push_back(std::string("1350 ") + b->text); };
        h.DB1352Zuordnen = [](const BEF* b, const STT*) { protokoll().push_back(std::string("1352 ") + b->text); };
        h.TexteLoeschen = [](const BEF* b, const STT*, int) { protokoll().push_back(std::string("texte ") + b->text); };
        AppHakenSetzen(h);
        AppInit();
        AppHakenEintragen();
        BefZuruecksetzen();
    }
    void TearDown() override
    {
        AppFrei();
        AppZaehlerLoeschen();
        AppHakenStandard();
        EdProtokollStarten();
        KennTest::TearDown();
    }
    static BEF symbol(const char* name)
    {
        BEF b{};
        b.code = 80;
        std::strcpy(b.text, name);
        return b;
    }
    static STT bei(double x, double y)
    {
        STT s{};
        s.x = x;
        s.y = y;
        s.mass = s.msm = s.msf = 1;
        return s;
    }
    void loeschen(const char* name, double x, double y)
    {
        const BEF b = symbol(name);
        const STT s = bei(x, y);
        AppBmObjektGeloescht(&b, &s);
    }
    void ersetzen(const char* alt, double x, double y, const char* neu, double nx, double ny)
    {
        const BEF a = symbol(alt), n = symbol(neu);
        const STT sa = bei(x, y), sn = bei(nx, ny);
        modh::AppObjektGeaendert(0, &a, &sa, &n, &sn);  // through the store's hook
    }
};

TEST_F(App, DeletingTheLastPlacementDeletesTheItem)
{
    const uint32_t id = hauptGeraet("K1", 10, 10);
    eintrag(id, "Ua", "S", "001", 20, 10);
    GtxHauptTextNeu(id, 0, "Motor");
    appztext z{id, "Ua", 0, 1, "X1"};
    ZtxAnhaengen(&z);

    loeschen("S", 20, 10);  // one of two: only unplaced
    appgeraet g;
    EXPECT_EQ(GesHolen(id, &g), 0);
    EXPECT_EQ(BtlPlatziertAnzahl(id), 1);
    char t[41];
    ZtxTextHolen(id, "Ua", 0, 1, t, sizeof t);
    EXPECT_STREQ(t, "");  // the entry's attached texts went with it

    loeschen("K", 10, 10);  // the last one
    EXPECT_EQ(GesHolen(id, &g), -1);
    EXPECT_EQ(BtlUnterAnzahl(id) + BtlPlatziertAnzahl(id), 0);
    EXPECT_EQ(GtxAnzahl(id, "H", 0), 0);
    EXPECT_EQ(protokoll(), (std::vector<std::string>{"texte S", "texte K"}));
    int geloescht = 0;
    AppRingDurchlaufen(AppAenderZaehler(), [](uint32_t, int art, void* u) { *static_cast<int*>(u) = art; }, &geloescht);
    EXPECT_EQ(geloescht, 3);
}

TEST_F(App, ReplacingMovesRenamesOrReclassifies)
{
    const uint32_t id = hauptGeraet("K1", 10, 10);
    const uint32_t anderes = hauptGeraet("K2", 50, 50);
    eintrag(anderes, "Ua", "M", "", 0, 0);  // "M" is used by a sub component

    ersetzen("K", 10, 10, "K", 30, 10);  // same name: moves
    BtlMarkenBestaetigen();              // the end of the command
    EXPECT_EQ(BtlAnPositionId("K", "Z.001", 30, 10), id);
    EXPECT_EQ(BtlAnPositionId("K", "Z.001", 10, 10), 0u);

    ersetzen("K", 30, 10, "k", 30, 10);  // equivalent (case): renames
    BtlMarkenBestaetigen();
    EXPECT_EQ(BtlAnPositionId("k", "Z.001", 30, 10), id);

    ersetzen("k", 30, 10, "M", 30, 10);  // another: deleted, the new one classified
    appgeraet g;
    EXPECT_EQ(GesHolen(id, &g), -1);
    ASSERT_EQ(AppWarteAnzahl(), 1);
    EXPECT_EQ(AppWarteEintrag(0)->art, 4);
    modh::AppWarteListeAbarbeiten();
    EXPECT_EQ(protokoll().back(), "1352 M");
    EXPECT_EQ(AppWarteAnzahl(), 0);
}

TEST_F(App, WaitingListHoldsAtMost149AndWaitsWhileTheLinkIsOff)
{
    const uint32_t id = geraet("K1");
    eintrag(id, "Ua", "M", "", 0, 0);
    const BEF b = symbol("M");
    const BEF fremd = symbol("UNBEKANNT");
    for (int i = 0; i < 150; ++i) {
        const STT s = bei(i, 0);
        modh::AppObjektNeu(&b, &s);
        modh::AppObjektNeu(&fremd, &s);  // no kind: never queued
    }
    EXPECT_EQ(AppWarteAnzahl(), WRTSUP - 1);
    AppAktivSetzen(0);
    modh::AppWarteListeAbarbeiten();
    EXPECT_EQ(AppWarteAnzahl(), WRTSUP - 1);  // kept while the link is off
    AppAktivSetzen(1);
    modh::AppWarteListeAbarbeiten();
    EXPECT_EQ(AppWarteAnzahl(), 0);
    EXPECT_EQ(protokoll().size(), static_cast<size_t>(WRTSUP - 1));
}

TEST_F(App, SnapshotsShareASlotPerGenerationAndWrapAfterThirty)
{
    hauptGeraet("K1", 10, 10);
    EXPECT_EQ(modh::AppUndoSichern(), 1);  // first: slot 0
    EXPECT_EQ(AppAktSlot(), 0);
    EXPECT_EQ(modh::AppUndoSichern(), 0);  // counter did not move
    AppGeaendert(1, 1);
    EXPECT_EQ(modh::AppUndoSichern(), 1);  // same generation: same slot
    EXPECT_EQ(AppAktSlot(), 0);
    for (int g = 1; g <= APPSLOTSUP; ++g) {
        BefGruppeSchliessen();
        AppGeaendert(1, 1);
        EXPECT_EQ(modh::AppUndoSichern(), 1);
        EXPECT_EQ(AppAktSlot(), g % APPSLOTSUP) << g;
    }
    EXPECT_EQ(AppAktSlot(), 0);  // the 31st generation took slot 0 again
}

TEST_F(App, RestoringASlotBringsBackEveryList)
{
    const uint32_t id = hauptGeraet("K1", 10, 10);
    GtxHauptTextNeu(id, 0, "Motor");
    appztext z{id, "H", 0, 1, "X1"};
    ZtxAnhaengen(&z);
    appwaise w{"W", 1, 5, 5, "001"};
    WseAnlegen(&w);
    modh::AppUndoSichern();
    const int slot = AppAktSlot();

    BefGruppeSchliessen();
    loeschen("K", 10, 10);
    WseNrLoeschen(0);
    appgeraet g;
    ASSERT_EQ(GesHolen(id, &g), -1);
    modh::AppUndoSichern();
    const int danach = AppAktSlot();

    modh::AppZustandHolen(slot);  // through the store's hook
    EXPECT_EQ(GesHolen(id, &g), 0);
    EXPECT_EQ(BtlAnPositionId("K", "Z.001", 10, 10), id);
    char t[41];
    GtxHauptTextRoh(id, 0, t, sizeof t);
    EXPECT_STREQ(t, "Motor");
    ZtxTextHolen(id, "H", 0, 1, t, sizeof t);
    EXPECT_STREQ(t, "X1");
    EXPECT_EQ(WseAnzahl(), 1);
    EXPECT_EQ(AppAktSlot(), slot);

    modh::AppZustandHolen(danach);  // redo
    EXPECT_EQ(GesHolen(id, &g), -1);
    EXPECT_EQ(WseAnzahl(), 0);

    AppZuruecksetzen();  // freed slots: restoring changes nothing
    modh::AppZustandHolen(slot);
    EXPECT_EQ(GesHolen(id, &g), -1);
    modh::AppZustandHolen(99);
}

TEST_F(App, SwitchingWithoutEquipmentUseShowsText1304)
{
    BMZuruecksetzen();
    vorgaben("BMuse 0\n");
    BMStart();
    AppInit();
    EXPECT_EQ(AppAktiv(), 0);
    EXPECT_EQ(AppUmschalten(), 0);
    EXPECT_EQ(AppAktiv(), 0);
    ASSERT_EQ(bmtest::warnungen().size(), 1u);
    EXPECT_EQ(bmtest::warnungen()[0], "Diese Funktion ist in den Vorgaben ausgeschaltet.");
}

// A project's equipment use switches the link when it changes; reading the
// same settings again keeps what the user switched.
TEST_F(App, TheLinkFollowsAChangeOfTheEquipmentUse)
{
    BMZuruecksetzen();
    vorgaben("BMuse 0\n");
    BMStart();
    AppInit();
    ASSERT_EQ(AppAktiv(), 0);
    vorgaben("BMuse 1\n");
    BMVorgabenLesen();
    AppVerwendungFolgen();
    EXPECT_EQ(AppAktiv(), 1);
    EXPECT_EQ(AppUmschalten(), 0) << "the user switches it off";
    BMVorgabenLesen();
    AppVerwendungFolgen();
    EXPECT_EQ(AppAktiv(), 0) << "the same use keeps the user's choice";
    AppAktivSetzen(1);
    vorgaben("BMuse 0\n");
    BMVorgabenLesen();
    AppVerwendungFolgen();
    EXPECT_EQ(AppAktiv(), 0);
}

TEST_F(App, LinkOffRefusesChangesOfPlacedSymbols)
{
    hauptGeraet("K1", 10, 10);
    AppAktivSetzen(0);
    const BEF b = symbol("K");
    const STT da = bei(10, 10), leer = bei(70, 70);
    EXPECT_EQ(modh::TzAenderbarPruefen(&b, &da), 0);
    EXPECT_EQ(modh::TzAenderbarPruefen(&b, &leer), 1);
    AppGesperrtMeldung();
    ASSERT_FALSE(EdProtokollHolen().status.empty());
    EXPECT_EQ(EdProtokollHolen().status.back(),
              "Betriebsmittel kann nicht ge\xE4ndert werden: Die Verwendung ist abgeschaltet.");
    loeschen("K", 10, 10);  // the link is off: the lists stay
    EXPECT_EQ(BtlPlatziertAnzahl(1), 1);
}

TEST_F(App, DispoEntryIsSetChangedAndDeleted)
{
    const uint32_t id = hauptGeraet("K1", 10, 10);
    appbteil d;
    AppDispoSetzen(id, " DIS ");
    ASSERT_TRUE(BtlSuchen(id, "D", 0, &d));
    EXPECT_STREQ(d.bl, "DIS");
    AppDispoSetzen(id, "NEU");
    ASSERT_TRUE(BtlSuchen(id, "D", 0, &d));
    EXPECT_STREQ(d.bl, "NEU");
    AppDispoSetzen(id, "");
    EXPECT_FALSE(BtlSuchen(id, "D", 0, &d));
}

}  // namespace

namespace {

// A new definition for an item with 400 placed sub components: the 300 the
// new definition has take their placements over, the other 100 become
// unassigned placements; none is lost.
TEST_F(App, DefinitionChangeKeepsEveryPlacement)
{
    DEFKOPF alt{};
    alt.bauteil = "K";
    alt.typ = "ALT";
    DEFKOPF neu{};
    neu.bauteil = "K";
    neu.typ = "NEU";
    neu.kenn1 = "-Q";
    const int na = DefSchreiben(&alt);
    const int nn = DefSchreiben(&neu);
    ASSERT_GE(na, 0);
    ASSERT_GE(nn, 0);
    const char* texte[5] = {"", "", "", "", ""};
    ASSERT_EQ(DefUnterSchreiben(nn, "Ua", "S", "T", 300, "", texte), 0);

    const uint32_t id = geraet("-K", 0, na);
    appgeraet g;
    GesHolen(id, &g);
    std::strcpy(g.tt, "ALT");
    GesAendern(id, &g);
    eintrag(id, "H", "K", "001", 10, 10);
    for (int i = 1; i <= 400; ++i) eintrag(id, "Ub", "S", "001", 20 + i, 10, i);

    AppDefTexte t{};
    std::strcpy(t.haupt[0], "Neuer Text");
    AppDefinitionAendern(id, nn, &t);
    GesHolen(id, &g);
    EXPECT_STREQ(g.tt, "NEU");
    EXPECT_STREQ(g.kg, "-Q");
    EXPECT_EQ(BtlPlatziertAnzahl(id), 301);
    EXPECT_EQ(WseAnzahl(), 100);
    EXPECT_EQ(BtlAnPositionId("K", "Z.001", 10, 10), id);  // the main placement stayed
    EXPECT_EQ(BtlAnPositionId("S", "Z.001", 21, 10), id);
    char h[41];
    GtxHauptTextRoh(id, 0, h, sizeof h);
    EXPECT_STREQ(h, "Neuer Text");
}

}  // namespace
