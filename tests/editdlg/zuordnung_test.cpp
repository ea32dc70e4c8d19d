// Main and sub component assignment on the real equipment store: the
// one-definition shortcut and the ask-always setting, the queue's limit,
// the queue following deleted, moved and renamed symbols, the undo
// snapshot, the pending insertion, sub rows waiting for main rows, skip and
// close of the sub queue, and the item limit. Commands posted to the editor
// page are counted.
#include <cstddef>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "editdlg/zuordnung.h"
#include "editor/edtseite.h"
#include "editor/edmeld.h"
#include "editor/baubf.h"
#include "editor/objwahl.h"
#include "equipment/apphaken.h"
#include "equipment/wse.h"
#include "editor/befausf.h"
#include "model/beffifo.h"
#include "tests/model/modelltest.h"
#include "tests/equipment/kennung_test.h"
#include "tests/editdlg/zuopruef.h"

namespace {

using zuopruef::aufrufe;
using zuopruef::bei;

struct Zuordnung : kenntest::KennTest {
    void SetUp() override
    {
        KennTest::SetUp();
        starten("");
        zuopruef::editorBereit();
        PhDefinition mot{"M1", "Motor", "-M", "", "Mot", 0, 0, {}};
        PhDefinition s1{"SCH", "Schuetz A", "-K", "", "S1", 0, 0, {}};
        PhDefinition s2{"SCH", "Schuetz B", "-K", "", "S2", 0, 0, {}};
        PhDefinitionenSetzen({mot, s1, s2});
        AppAktivSetzen(1);
        ZuordnungZuruecksetzen();
        ZuordnungHakenSetzen();
        zuopruef::editorBereit();
    }
    void TearDown() override
    {
        ZuordnungZuruecksetzen();
        AppHakenStandard();
        AppAktivSetzen(0);
        KennTest::TearDown();
    }
    static BEF zb(const char* name) { return zuopruef::satz(80, name); }
    void setzen(const char* name, double x, double y, bool haupt = true)
    {
        const BEF b = zb(name);
        const STT s = bei(x, y);
        if (haupt)
            HbzNeuesSymbol(&b, &s);
        else
            UbzNeuesSymbol(&b, &s);
    }
    static std::string aktuell()
    {
        char n[40];
        double x, y;
        int art;
        uint32_t id;
        if (HbzAktuell(n, sizeof n, &x, &y, &art, &id) != 0) return "-";
        return std::string(n) + "@" + std::to_string(static_cast<int>(x * 10)) + "," + std::to_string(static_cast<int>(y * 10));
    }
};

TEST_F(Zuordnung, OneDefinitionAssignsAtOnceUnlessAskingAlways)
{
    setzen("M1", 10, 20);
    ASSERT_EQ(GesAnzahl(), 1);
    appbteil e;
    ASSERT_EQ(BtlSuchen(1, "H", 0, &e), 1);
    EXPECT_STREQ(e.bl, "M1");
    EXPECT_EQ(e.x, 10);
    EXPECT_EQ(e.y, 20);
    EXPECT_EQ(aufrufe("EdtBefehlPosten(1350)"), 0);
    EXPECT_EQ(HbzWartet(), 0);

    HbzImmerFragenSetzen(1);
    setzen("M1", 30, 20);
    EXPECT_EQ(GesAnzahl(), 1);
    EXPECT_EQ(aufrufe("EdtBefehlPosten(1350)"), 1);
    EXPECT_EQ(aktuell(), "M1@300,200");
}

// "Immer fragen" (here and in the options) queues the editor's command BMZ:
// the switch it toggles is the one the assignment reads.
TEST_F(Zuordnung, TheEditorsCommandTogglesAskingAlways)
{
    HbzImmerFragenSetzen(0);
    BEF bmz{};
    bmz.code = 134;
    BefAusfuehren(&bmz);
    EXPECT_EQ(HbzImmerFragen(), 1);
    setzen("M1", 10, 20);
    EXPECT_EQ(GesAnzahl(), 0);
    EXPECT_EQ(aufrufe("EdtBefehlPosten(1350)"), 1);
    BefAusfuehren(&bmz);
    EXPECT_EQ(HbzImmerFragen(), 0);
}

// The work layer's waiting list hands the placement over through the hooks.
TEST_F(Zuordnung, WorkLayerHandsPlacementsToTheQueues)
{
    const BEF m = zb("M1"), s = zb("SCH");
    const STT a = bei(10, 20), b = bei(40, 20);
    AppBmObjektNeu(&m, &a);
    AppBmObjektNeu(&s, &b);
    AppBmWarteListeAbarbeiten();
    EXPECT_EQ(GesAnzahl(), 1);
    EXPECT_EQ(aktuell(), "SCH@400,200");
    AppBmObjektGeloescht(&s, &b);
    EXPECT_EQ(aktuell(), "-");
}

TEST_F(Zuordnung, TwoDefinitionsQueueApplyAndSkip)
{
    setzen("SCH", 1, 1);
    setzen("SCH", 2, 2);
    setzen("SCH", 3, 3);
    EXPECT_EQ(GesAnzahl(), 0);
    EXPECT_EQ(aktuell(), "SCH@10,10");
    EXPECT_EQ(HbzAnzahl(), 2);
    AppDefTexte t{};
    std::strcpy(t.haupt[0], "Pumpe");
    std::strcpy(t.lt, "ART-1");
    ASSERT_EQ(HbzAnwenden(2, &t), 0);
    ASSERT_EQ(GesAnzahl(), 1);
    char text[60];
    GtxHauptTextRoh(1, 0, text, sizeof text);
    EXPECT_STREQ(text, "Pumpe");
    appgeraet g;
    GesHolen(1, &g);
    EXPECT_STREQ(g.lt, "ART-1");
    EXPECT_STREQ(g.tt, "Schuetz B");
    EXPECT_EQ(aktuell(), "SCH@20,20");
    HbzUeberspringen();  // dropped, not registered
    EXPECT_EQ(aktuell(), "SCH@30,30");
    EXPECT_EQ(WseAnzahl(), 0);
    EXPECT_EQ(HbzAnwenden(-1, &t), -1);  // no definition chosen: nothing applied
    EXPECT_EQ(GesAnzahl(), 1);
}

TEST_F(Zuordnung, The101stPlacementIsKeptAsNotAssignedWithAMessage)
{
    for (int i = 0; i < APPSUP + 1; ++i) setzen("SCH", i, 0);  // one loaded, 100 queued
    EXPECT_EQ(HbzAnzahl(), APPSUP);
    EXPECT_EQ(WseAnzahl(), 0);
    setzen("SCH", 500, 0);
    EXPECT_EQ(HbzAnzahl(), APPSUP);
    ASSERT_EQ(WseAnzahl(), 1);
    appwaise w;
    WseNrHolen(0, &w);
    EXPECT_STREQ(w.name, "SCH");
    EXPECT_EQ(w.x, 500);
    EXPECT_STREQ(StatusLetzterText(), "Zu viele Bauteile warten auf Zuordnung: SCH ist nicht zugewiesen.");
}

TEST_F(Zuordnung, QueueFollowsDeletedMovedAndRenamedSymbols)
{
    setzen("SCH", 10, 10);
    setzen("SCH", 20, 20);
    setzen("SCH", 30, 30);
    // Moved: strictly within 1 in both directions.
    struct {
        double x, y;
        const char* aktuell;
    } verschoben[] = {{10.9, 9.1, "SCH@500,500"}, {51.0, 50.0, "SCH@500,500"}};
    HbzSymbolVerschoben("SCH", verschoben[0].x, verschoben[0].y, 50, 50);
    EXPECT_EQ(aktuell(), verschoben[0].aktuell);
    HbzSymbolVerschoben("SCH", verschoben[1].x, verschoben[1].y, 70, 70);
    EXPECT_EQ(aktuell(), verschoben[1].aktuell);
    HbzSymbolVerschoben("SCHX", 50, 50, 70, 70);  // another name
    EXPECT_EQ(aktuell(), "SCH@500,500");

    HbzSymbolUmbenannt("SCH", "M1", 50.5, 50);
    EXPECT_EQ(aktuell(), "M1@500,500");
    // Deleting the current row's symbol moves on to the next row.
    HbzSymbolGeloescht("M1", 50, 50);
    EXPECT_EQ(aktuell(), "SCH@200,200");
    EXPECT_EQ(HbzAnzahl(), 1);
    HbzSymbolGeloescht("SCH", 30, 30);  // a queued row
    EXPECT_EQ(HbzAnzahl(), 0);
    EXPECT_EQ(aktuell(), "SCH@200,200");
}

TEST_F(Zuordnung, UndoSnapshotLayoutAndRestore)
{
    EXPECT_EQ(HbzPacken(nullptr), 4);
    setzen("SCH", 1, 1);
    setzen("SCH", 2, 2);
    const long n = HbzPacken(nullptr);
    std::vector<unsigned char> snap(static_cast<size_t>(n));
    ASSERT_EQ(HbzPacken(snap.data()), n);
    uint32_t zahl;
    std::memcpy(&zahl, snap.data(), 4);
    EXPECT_EQ(zahl, 2u);  // the loaded row and one queued
    ASSERT_EQ((n - 4) % 2, 0);
    const size_t zeile = static_cast<size_t>((n - 4) / 2);
    // Row: art, then the record (aligned), its text the component name.
    const size_t bef = (4 + alignof(BEF) - 1) / alignof(BEF) * alignof(BEF);
    EXPECT_STREQ(reinterpret_cast<const char*>(snap.data()) + 4 + bef + offsetof(BEF, text), "SCH");
    EXPECT_EQ(snap[4], 0);  // art 0: a placed symbol
    HbzUeberspringen();
    HbzUeberspringen();
    EXPECT_EQ(aktuell(), "-");
    // A snapshot of queued rows only (as a stand-in's restore might leave):
    // the first row shows as current.
    std::vector<unsigned char> nurQueue(4 + zeile);
    const uint32_t eins = 1;
    std::memcpy(nurQueue.data(), &eins, 4);
    std::memcpy(nurQueue.data() + 4, snap.data() + 4 + zeile, zeile);
    zuopruef::editorBereit();
    HbzEntpacken(nurQueue.data());
    EXPECT_EQ(aktuell(), "SCH@20,20");
    EXPECT_EQ(aufrufe("EdtBefehlPosten(1350)"), 1);
    HbzEntpacken(snap.data());
    EXPECT_EQ(aktuell(), "SCH@10,10");
    EXPECT_EQ(HbzAnzahl(), 1);
    const uint32_t null = 0;  // the stand-in's snapshot reads as empty
    HbzEntpacken(&null);
    EXPECT_EQ(aktuell(), "-");
    EXPECT_EQ(HbzAnzahl(), 0);
}

TEST_F(Zuordnung, SubRowsWaitForMainRowsSkipAndCloseRegisterThem)
{
    setzen("SCH", 1, 1);  // a main row waits
    zuopruef::editorBereit();
    setzen("KONTAKT", 5, 5, false);
    EXPECT_EQ(aufrufe("EdtBefehlPosten(1352)"), 0);
    EXPECT_EQ(aufrufe("EdtBefehlPosten(1350)"), 1);
    HbzUeberspringen();
    setzen("KONTAKT", 6, 6, false);
    EXPECT_EQ(aufrufe("EdtBefehlPosten(1352)"), 1);
    EXPECT_EQ(UbzGeladen(), 1);
    UbzUeberspringen();
    ASSERT_EQ(WseAnzahl(), 1);
    EXPECT_EQ(UbzGeladen(), 1);
    UbzSchliessen();
    EXPECT_EQ(WseAnzahl(), 2);
    EXPECT_EQ(UbzGeladen(), 0);
}

TEST_F(Zuordnung, SubPlacementTakesOnlyAnUnplacedEntryOfItsComponent)
{
    const uint32_t id = hauptGeraet("!K1", 10, 10);
    eintrag(id, "U", "KONTAKT", "", 0, 0, 0);      // unplaced
    eintrag(id, "a", "SPULE", "", 0, 0, 0);        // another component
    eintrag(id, "b", "KONTAKT", "001", 50, 50, 1);  // placed
    setzen("KONTAKT", 5, 5, false);
    struct {
        const char* code;
        int ergebnis;
    } faelle[] = {{"_", -1}, {"a", -1}, {"b", -1}, {"U", 0}};
    for (const auto& f : faelle) EXPECT_EQ(UbzAnwenden(id, f.code), f.ergebnis) << f.code;
    appbteil e;
    ASSERT_EQ(BtlSuchen(id, "U", 0, &e), 1);
    EXPECT_EQ(e.platziert, 1);
    EXPECT_EQ(e.x, 5);
    EXPECT_EQ(UbzGeladen(), 0);
}

TEST_F(Zuordnung, AtTheItemLimitNothingIsAttached)
{
    for (uint32_t i = 1; i < GESSUP; ++i) geraet("x", i);
    ASSERT_EQ(GesAnzahl(), GESSUP - 1);
    const int eintraege = BtlAnzahl();
    setzen("M1", 10, 10);
    EXPECT_EQ(BtlAnzahl(), eintraege);
    EXPECT_STREQ(StatusLetzterText(), "Maximale Anzahl der Betriebsmittel erreicht.");
}

// The main-component list's insertion: the symbol queued as ZB, and its
// placement creates the item with the list's texts without asking.
TEST_F(Zuordnung, PendingInsertionIsPlacedWithoutAsking)
{
    std::filesystem::copy_file(mtFixture("BAUTEILE.L10"), std::string(VerZeiger(2)) + "BAUTEILE.L10");
    BefQueueInit();
    BefLeeren();
    BefZustandInit();
    std::strcpy(BefAktZustand()->bd, "L10");
    HbzImmerFragenSetzen(1);
    AppDefTexte t{};
    std::strcpy(t.haupt[1], "aus der Liste");
    std::strcpy(t.dispo, "DISP");
    ASSERT_EQ(HbzPlatzieren(0, 900, &t), 0);
    ASSERT_EQ(BefAnzahl(), 1);
    BEF q;
    BefVorne(&q);
    BefEntfernen();
    EXPECT_EQ(q.code, 81);  // ZBW with the angle
    EXPECT_EQ(q.iarg[0], 900);
    EXPECT_STREQ(q.text, "M1");
    EXPECT_EQ(HbzNameVorgemerkt("M1"), 1);
    EXPECT_EQ(HbzNameVorgemerkt("M2"), 0);
    setzen("M1", 10, 10);
    ASSERT_EQ(GesAnzahl(), 1);
    char text[60];
    GtxHauptTextRoh(1, 1, text, sizeof text);
    EXPECT_STREQ(text, "aus der Liste");
    appbteil e;
    ASSERT_EQ(BtlSuchen(1, "D", 0, &e), 1);
    EXPECT_STREQ(e.bl, "DISP");
    EXPECT_EQ(HbzNameVorgemerkt("M1"), 0);  // used up
    EXPECT_EQ(aufrufe("EdtBefehlPosten(1350)"), 0);

    // The sub-component twin: the entry is placed without a queue row.
    eintrag(1, "U", "M1", "", 0, 0, 0);
    ASSERT_EQ(UbzPlatzieren(1, "M1", "U", 0), 0);
    BefLeeren();
    EXPECT_EQ(UbzNameVorgemerkt("M1"), 1);
    setzen("M1", 30, 10, false);
    ASSERT_EQ(BtlSuchen(1, "U", 0, &e), 1);
    EXPECT_EQ(e.platziert, 1);
    EXPECT_EQ(e.x, 30);
    EXPECT_EQ(UbzGeladen(), 0);
    EXPECT_EQ(UbzNameVorgemerkt("M1"), 0);
}

TEST_F(Zuordnung, PendingInsertionOfAMissingComponentIsRefused)
{
    AppDefTexte t{};
    EXPECT_EQ(HbzPlatzieren(0, 0, &t), -1);  // no library with M1 here
    EXPECT_STREQ(StatusLetzterText(), "Bauteil M1 nicht gefunden.");
    EXPECT_EQ(HbzNameVorgemerkt("M1"), 0);
    EXPECT_EQ(UbzPlatzieren(1, "FEHLT", "U", 0), -1);
    EXPECT_EQ(UbzNameVorgemerkt("FEHLT"), 0);
}

}  // namespace
