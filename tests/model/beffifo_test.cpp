// Command queue and processing: wake-up posts, the queue's limit, undo
// grouping of neutral runs, line runs and suspended runs, line merging,
// duplicate components, generations, command lists, the grid snap, the
// repaint after a run and the editor's file commands.
#include "model/beffifo.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "config/reaktion.h"
#include "platform/orte.h"
#include "support/basis.h"
#include "tests/model/tztest.h"
#include "tests/model/edprotokoll.h"

namespace {

constexpr int BW = 20;    // neutral: relative move
constexpr int BA = 21;    // absolute move
constexpr int UDB = 199;

struct Queue : TzTest {};

TEST_F(Queue, AppendsWakeTheEditorOnceAndTheQueueHolds500)
{
    for (int i = 0; i < 10; ++i) BefEinreihenXY(BW, 1, 0);
    EXPECT_EQ(EdProtokollHolen().wecken, 1);
    EXPECT_EQ(BefAnzahl(), 10);
    BEF still = tzRec(BW, {1, 0});
    BefEinreihenStill(&still);
    EXPECT_EQ(EdProtokollHolen().wecken, 1);
    for (int i = 0; i < 600; ++i) BefEinreihenInt3(BW, i, 0, 0);
    EXPECT_EQ(BefAnzahl(), BEFSUP);
    BEF b;
    BefVorne(&b);
    EXPECT_EQ(b.code, BW);
    BefLeeren();
    BefVorne(&b);
    EXPECT_EQ(b.code, 0);
    BefEntfernen();  // on an empty queue: nothing
    EXPECT_EQ(BefAnzahl(), 0);
    BefEinreihenZeile("BW 1,5 2");
    BefEinreihenZeile("NIX 1");
    EXPECT_EQ(BefAnzahl(), 1);
    BefVorne(&b);
    EXPECT_EQ(b.darg[0], 1.5);
    BefEinreihenText(50, std::string(300, 'a').c_str());
    BefEntfernen();
    BefVorne(&b);
    EXPECT_EQ(std::string(b.text).size(), 200u);
}

// Taking from the front while appending at the back walks the records
// through the whole block many times: order, count and the limit hold.
TEST_F(Queue, TakingAndAppendingKeepTheOrderAcrossTheBlock)
{
    int naechste = 0, erwartet = 0;
    for (int runde = 0; runde < 7; ++runde) {
        while (BefAnzahl() < BEFSUP - runde * 25) BefEinreihenInt(BW, naechste++);
        for (int k = 0; k < 300; ++k) {
            BEF b;
            BefVorne(&b);
            ASSERT_EQ(b.iarg[0], erwartet++);
            BefEntfernen();
        }
    }
    // Full again after many passes: a further record is dropped, the front stays.
    while (BefAnzahl() < BEFSUP) BefEinreihenInt(BW, naechste++);
    BefEinreihenInt(BW, -1);
    EXPECT_EQ(BefAnzahl(), BEFSUP);
    BEF b;
    BefVorne(&b);
    EXPECT_EQ(b.iarg[0], erwartet);
    for (int k = 0; k < BEFSUP - 1; ++k) BefEntfernen();
    BefVorne(&b);
    EXPECT_EQ(b.iarg[0], naechste - 1);
}

TEST_F(Queue, NeutralRunsLeaveTheGroupOpenUntilTheNextNonNeutralCommand)
{
    int g = BefGeneration();
    befehle({tzRec(BW, {5, 5})});  // changes nothing
    EXPECT_EQ(BefGeneration(), g);
    // A neutral run that changed the drawing keeps the group open ...
    BefEinreihenXY(BW, 5, 5);
    lauf([&] {
        BefAbarbeiten();
        text(10, 10, "A");
    });
    EXPECT_EQ(BefGeneration(), g);
    EXPECT_EQ(TzStempel(0), g);
    // ... and the next non-neutral command closes it before it runs.
    befehle({tzRec(TZ_TEXT, {}, "B")});
    EXPECT_EQ(TzStempel(1), g + 1);
    EXPECT_EQ(BefGeneration(), g + 2);
}

TEST_F(Queue, CollinearLineRunsFormOneGroup)
{
    LinienVerbindenAus();
    befehle({tzRec(TZ_TEXT, {}, "Anfang")});
    for (int i = 0; i < 3; ++i) befehle({tzRec(TZ_ZL, {10, 0})});
    ASSERT_EQ(TzAnzahl(), 4);
    EXPECT_EQ(TzStempel(1), TzStempel(3));
    befehle({tzRec(TZ_ZL, {0, 10})});  // a right angle: a new group
    EXPECT_NE(TzStempel(4), TzStempel(3));
    UndoSchritt();
    EXPECT_EQ(TzAnzahl(), 4);
    UndoSchritt();
    EXPECT_EQ(TzAnzahl(), 1);
}

TEST_F(Queue, LinesMergeWithTheLastLine)
{
    befehle({tzRec(TZ_ZL, {10, 0})});
    befehle({tzRec(TZ_ZL, {5, 0})});
    ASSERT_EQ(TzAnzahl(), 1);
    BEF b;
    STT s;
    ASSERT_EQ(TzObjHolen(0, &b, &s), 0);
    EXPECT_EQ(b.darg[0], 15);
    befehle({tzRec(TZ_ZL, {0, 5})});  // not collinear
    EXPECT_EQ(TzAnzahl(), 2);
    befehle({tzRec(TZ_ZL, {0, -5})});  // exactly back: the last line goes
    EXPECT_EQ(TzAnzahl(), 1);
    befehle({tzRec(25, {}, nullptr, {3}), tzRec(TZ_ZL, {-5, 0})});  // another pen
    EXPECT_EQ(TzAnzahl(), 2);
}

TEST_F(Queue, SuspendedUndoMakesOneGroup)
{
    befehle({tzRec(TZ_TEXT, {}, "vorher")});
    befehle({tzRec(UDB, {}, nullptr, {1})});
    befehle({tzRec(TZ_TEXT, {}, "A")});
    befehle({tzRec(BA, {50, 50}), tzRec(TZ_TEXT, {}, "B")});
    befehle({tzRec(UDB, {}, nullptr, {0})});
    ASSERT_EQ(TzAnzahl(), 3);
    UndoSchritt();
    EXPECT_EQ(texte(), (std::vector<std::string>{"vorher"}));
}

std::vector<std::string> gefragt;

TEST_F(Queue, ADuplicateComponentIsRefusedWithText86)
{
    // Only the queue's side: it asks the view's search with the record and
    // the state before it, and refuses with text 86 when the answer is yes.
    // Whether a placement is near enough is the view's search, tested where
    // it is built.
    gefragt.clear();
    EdHaken h;
    h.BtlPosVorhanden = [](const BEF* b, const STT* s) {
        gefragt.push_back(std::string(b->text) + " " + std::to_string(static_cast<int>(s->x * 10)));
        return std::strcmp(b->text, "LAMPE") == 0 ? 1 : 0;
    };
    EdHakenSetzen(h);
    befehle({tzRec(BA, {100.3, 99.8}), tzRec(TZ_ZB, {}, "LAMPE")});
    EXPECT_EQ(TzAnzahl(), 0);
    ASSERT_EQ(EdProtokollHolen().status.size(), 1u);
    EXPECT_EQ(EdProtokollHolen().status[0], "Bauteil LAMPE an Position x=100.3, y=99.8 bereits vorhanden.");
    befehle({tzRec(BA, {100, 100}), tzRec(TZ_ZB, {}, "DOSE")});
    EXPECT_EQ(TzAnzahl(), 1);
    EXPECT_EQ(EdProtokollHolen().status.size(), 1u);
    EXPECT_EQ(gefragt, (std::vector<std::string>{"LAMPE 1003", "DOSE 1000"}));
}

TEST_F(Queue, GenerationsRunFrom1To10000)
{
    EXPECT_EQ(BefGeneration(), 1);
    for (int i = 1; i < BEFGENSUP; ++i) BefGruppeSchliessen();
    EXPECT_EQ(BefGeneration(), 10000);
    BefGruppeSchliessen();
    EXPECT_EQ(BefGeneration(), 1);
}

TEST_F(Queue, CommandListsStopAt1000)
{
    BEFLST* l = nullptr;
    BefListeAnlegen(&l);
    ASSERT_NE(l, nullptr);
    STT s = tzStt(0, 0);
    for (int i = 0; i < 1005; ++i) {
        BEF b = tzRec(TZ_ZL, {static_cast<double>(i), 0});
        BefListeAnhaengen(l, &b, &s);
    }
    EXPECT_EQ(l->anzahl, BEFLSTSUP);
    BefListeVorneWeg(l, 10);
    EXPECT_EQ(l->anzahl, 990);
    EXPECT_EQ(l->bef[0].darg[0], 10);
    BefListeVorneWeg(l, 2000);
    EXPECT_EQ(l->anzahl, 0);
    BEF z = tzRec(TZ_ZL, {1, 0});
    BefListeAusBef(l, &z, &s, 1);
    EXPECT_EQ(l->anzahl, 1);
    BefListeFrei(&l);
    EXPECT_EQ(l, nullptr);
}

TEST(RasterRunden, SnapsToTheNearestGridLine)
{
    struct Fall {
        double o, s, v, soll;
    } faelle[] = {
        {0, 2.5, 3.8, 5.0},   {0, 2.5, 1.2, 0.0},   {0, 2.5, -3.8, -5.0}, {0, 2.5, -2.0, -2.5},
        {0, 2.5, -1.2, 0.0},  {0, 2.5, -1.25, 0.0}, {0, 2.5, 1.25, 2.5},  {1, 2, 0.2, 1.0},
        {1, 2, -0.2, -1.0},   {0.5, 1, 3.1, 3.5},   {0, 0.0001, 3.3, 3.3}, {0, 0, -7.77, -7.77},
        // Below zero the nearest line too, to the thousandth: -1.2506 is
        // -1.251, nearer to -2.5 than to 0.
        {0, 2.5, -1.2506, -2.5}, {0, 2.5, -1.2494, 0.0}, {-10, 4, -13.9, -14.0}, {0, 1, 1e300, 1e300},
    };
    for (const auto& f : faelle) EXPECT_DOUBLE_EQ(RasterRunden(f.o, f.s, f.v), f.soll) << f.o << " " << f.s << " " << f.v;
}

TEST_F(Queue, TheRunRepaintsOldAndNewPlaceOfAChangedObject)
{
    befehle({tzRec(BA, {10, 10}), tzRec(TZ_ZL, {20, 5})});  // (10, 10)..(30, 15)
    EdProtokollHolen().bereiche.clear();
    EdProtokollHolen().geaendertGemeldet = 0;
    lauf([&] {
        BEF b = tzRec(TZ_ZL, {10, 10});
        STT s = tzStt(200, 150);  // (200, 150)..(210, 160)
        TzErsetzen(0, &b, &s);
    });
    // Both places (a line's extent reaches half a unit past its ends:
    // (9.5, 9.5)..(210.5, 160.5)), widened by 5 units, then by 4 pixels of the
    // view; the stand-in view's pixels are x rounded, y negated and rounded.
    ASSERT_EQ(EdProtokollHolen().bereiche.size(), 1u);
    EXPECT_EQ(EdProtokollHolen().bereiche[0], (std::vector<int>{5 - 4, -165 - 4, 216 + 4, -4 + 4}));
    EXPECT_EQ(EdProtokollHolen().neuZeichnen, 0);
    EXPECT_EQ(EdProtokollHolen().geaendertGemeldet, 1);

    // Another view scale: the 4 pixels stay 4 pixels.
    EdHaken h;
    h.WeltZuPixelX = [](double x) { return static_cast<int>(std::lround(x * 2)); };
    h.WeltZuPixelY = [](double y) { return static_cast<int>(std::lround(-y * 2)); };
    EdHakenSetzen(h);
    EdProtokollHolen().bereiche.clear();
    ZeiBereichNeuZeichnen(30, 40, 10, 20);
    ASSERT_EQ(EdProtokollHolen().bereiche.size(), 1u);
    EXPECT_EQ(EdProtokollHolen().bereiche[0], (std::vector<int>{10 - 4, -90 - 4, 70 + 4, -30 + 4}));
}

TEST_F(Queue, FileCommandsAppendTheirRecords)
{
    auto codes = [] {
        std::vector<std::string> v;
        BEF b;
        while (BefAnzahl()) {
            BefVorne(&b);
            BefEntfernen();
            v.push_back(BefZuText(&b) + "#" + std::to_string(b.iarg[0]));
        }
        return v;
    };
    ZeiGezogenOeffnen("A.ZEI");
    EXPECT_EQ(codes(), (std::vector<std::string>{"_LAO#0", "ZZ \"A.ZEI\"#1"}));
    BefDateiOeffnenProjekt("B.ZEI", 1);
    EXPECT_EQ(codes(), (std::vector<std::string>{"ZO \"B.ZEI\"#0"}));
    BefDateiExport();
    EXPECT_EQ(codes(), (std::vector<std::string>{"EXP -1 \"\"#-1"}));
    EdProtokollHolen().zeiName = "C.ZEI";
    BefDateiSpeichern();
    EXPECT_EQ(codes(), (std::vector<std::string>{"SZ \"C.ZEI\"#0"}));
    BefDateiDrucken();  // named and unchanged
    EXPECT_EQ(codes(), (std::vector<std::string>{"DRU#0"}));
    TzGeaendertSetzen();
    EdProtokollHolen().frageSpeichern = 1;  // "No": the drawing stays changed
    BefDateiDrucken();
    EXPECT_TRUE(codes().empty());
    EXPECT_EQ(EdProtokollHolen().meldungen, (std::vector<int>{91}));

    // Not allowed: text 306, or the project manager's 1800.
    EdProtokollHolen().zugriff = 0;
    ZeiGezogenOeffnen("A.ZEI");
    BefDateiNeu();
    EXPECT_TRUE(codes().empty());
    ASSERT_EQ(EdProtokollHolen().status.size(), 1u);
    EXPECT_EQ(EdProtokollHolen().status[0], "Verwenden Sie bitte die Projektverwaltung.");
    EXPECT_EQ(EdProtokollHolen().pvw, (std::vector<int>{1800}));
    // Cancelled by the save question: nothing at all, whichever command.
    EdProtokollHolen().zugriff = 1;
    EdProtokollHolen().frageSpeichern = 0;
    EdProtokollHolen().meldungen.clear();
    for (void (*befehl)() : {+[] { ZeiGezogenOeffnen("A.ZEI"); }, BefDateiExport, BefDateiDrucken}) {
        befehl();
        EXPECT_TRUE(codes().empty());
    }
    EXPECT_TRUE(EdProtokollHolen().meldungen.empty());
    // An explicit save does not ask: it saves, once.
    BefDateiSpeichern();
    EXPECT_EQ(codes(), (std::vector<std::string>{"SZ \"C.ZEI\"#0"}));

    // The file dialog names its title; a chosen file becomes the record.
    EdProtokollHolen().frageSpeichern = 1;
    static std::string titel;
    KonfHaken h{};
    h.dateiDialog = [](int, const char* t, const char*, char* pfad, int groesse) {
        titel = t;
        snprintf(pfad, static_cast<size_t>(groesse), "%s", "/x/Neu.ZEI");
        return 1;
    };
    konfHakenSetzen(h);
    BefDateiEinfuegen();
    EXPECT_EQ(titel, "Zeichnung einf\xFCgen");
    EXPECT_EQ(codes(), (std::vector<std::string>{"ZZ \"/x/Neu.ZEI\"#0"}));
}

TEST_F(Queue, PrintingAChangedDrawingOffersToSaveFirst)
{
    // "Yes" to the question saves the drawing; then it prints.
    EdHaken h;
    h.ZeiFrageSpeichern = [] {
        TzGeaendertReset();
        return 1;
    };
    EdHakenSetzen(h);
    EdProtokollHolen().zeiName = "C.ZEI";
    TzGeaendertSetzen();
    BefDateiDrucken();
    ASSERT_EQ(BefAnzahl(), 1);
    BEF b;
    BefVorne(&b);
    EXPECT_EQ(BefName(b.code), std::string("DRU"));
    EXPECT_TRUE(EdProtokollHolen().meldungen.empty());
}

std::vector<std::string> spur;

TEST_F(Queue, TraceLinesWithTestLetterB)
{
    const char* w[] = {"velmo", "-T=B"};
    plOrtArgumenteSetzen(2, w);
    TestOptionLesen();
    spur.clear();
    WiDebugSenke alt = wiDebugSenkeSetzen([](const char* t) { spur.emplace_back(t); });
    BefEinreihenXY(BW, 1, 2);
    BEF b = tzRec(BW, {3, 4});
    BefEinreihenStill(&b);
    BefVorne(&b);
    BefEntfernen();
    for (int i = 0; i < BEFSUP; ++i) BefEinreihenStill(&b);
    wiDebugSenkeSetzen(alt);
    const char* ohne[] = {"velmo"};
    plOrtArgumenteSetzen(1, ohne);
    TestOptionLesen();
    ASSERT_GE(spur.size(), 5u);
    EXPECT_EQ(spur[0], "bf++ BW 1,0000 2,0000\n");
    EXPECT_EQ(spur[1], "bf+  BW 3,0000 4,0000\n");
    EXPECT_EQ(spur[2], "bf-  BW 1,0000 2,0000\n");
    EXPECT_EQ(spur[3], "bf--\n");
    EXPECT_EQ(spur.back().rfind("bf!", 0), 0u);  // the dropped record is traced
}

TEST_F(Queue, ImmediateCommandsRunNestedInsideARun)
{
    lauf([&] {
        BEF t = tzRec(TZ_TEXT, {}, "sofort");
        BefSofort(&t);
        EXPECT_EQ(TzAnzahl(), 1);
        EXPECT_EQ(EdProtokollHolen().wecken, 0);
        EXPECT_EQ(EdProtokollHolen().geaendertGemeldet, 0);  // the outer run repaints
    });
    EXPECT_EQ(EdProtokollHolen().geaendertGemeldet, 1);
}

TEST_F(Queue, AMarkedComponentNearbyIsReplacedInPlace)
{
    befehle({tzRec(BA, {100, 100}), tzRec(TZ_ZB, {}, "LAMPE")});
    befehle({tzRec(BA, {150, 150}), tzRec(TZ_TEXT, {}, "T")});
    TzMarkSetzen(0, 1);
    TzMarkSetzen(1, 1);  // a marked text does not stop the rule
    befehle({tzRec(BA, {101.5, 99}), tzRec(TZ_ZB, {}, "LAMPE")});
    ASSERT_EQ(TzAnzahl(), 2);
    BEF b;
    STT s;
    ASSERT_EQ(TzObjHolen(0, &b, &s), 0);
    EXPECT_EQ(s.x, 101.5);
    // Not equivalent: the marking goes and the new one is inserted.
    befehle({tzRec(BA, {101, 99}), tzRec(TZ_ZB, {}, "DOSE")});
    EXPECT_EQ(TzAnzahl(), 3);
    EXPECT_EQ(TzMarkAnzahl(), 0);
    // Too far away: inserted, marks kept.
    TzMarkSetzen(0, 1);
    befehle({tzRec(BA, {110, 99}), tzRec(TZ_ZB, {}, "LAMPE")});
    EXPECT_EQ(TzAnzahl(), 4);
    EXPECT_EQ(TzMarkAnzahl(), 1);
}

TEST_F(Queue, APositionOutOfViewScrollsTheView)
{
    EdHaken h;
    h.AnsichtPunktSichtbar = [](double x, double) { return x < 300 ? 1 : 0; };
    EdHakenSetzen(h);
    befehle({tzRec(BA, {100, 100})});
    EXPECT_EQ(BefAnzahl(), 0);
    lauf([&] {
        BEF b = tzRec(BA, {350, 100});
        BefSofort(&b);
    });
    ASSERT_EQ(BefAnzahl(), 1);
    BEF b;
    BefVorne(&b);
    EXPECT_EQ(BefName(b.code), std::string("LUP"));
    EXPECT_EQ(b.iarg[0], -1);
}

std::vector<std::string> schritte;

TEST_F(Queue, TheEditorViewPaintsGridBackgroundObjectsAndOverlays)
{
    EDEINST* e = EdEinst();
    EDEINST alt = *e;
    e->rp0x = 1;
    e->rp0y = 0;
    e->rpswx = 10;
    e->rpswy = 20;
    schritte.clear();
    EdHaken h;
    h.AnsichtSichtbarHolen = [](double* x1, double* y1, double* x2, double* y2) {
        *x1 = 0;
        *y1 = 0;
        *x2 = 35;
        *y2 = 45;
    };
    h.RasterPunktZeichnen = [](double x, double y, int) {
        schritte.push_back("R " + std::to_string(static_cast<int>(x)) + " " + std::to_string(static_cast<int>(y)));
    };
    h.HintergrundZeichnen = [] { schritte.push_back("H"); };
    h.ObjZeichnen = [](const BEF* b, const STT*, int) { schritte.push_back(std::string("O ") + b->text); };
    h.EditorUeberlagerung = [] { schritte.push_back("U"); };
    h.AnsichtFenster = [](double x1, double y1, double x2, double y2) {
        schritte.push_back("F " + std::to_string(static_cast<int>(x1 + y1 + x2 + y2)));
    };
    EdHakenSetzen(h);
    text(10, 10, "drin");
    text(200, 200, "draussen");
    ZeiFensterZeichnen();
    *e = alt;
    std::vector<std::string> soll;
    for (int y : {0, 20, 40}) {
        for (int x : {1, 11, 21, 31}) soll.push_back("R " + std::to_string(x) + " " + std::to_string(y));
    }
    soll.insert(soll.end(), {"H", "O drin", "U"});
    EXPECT_EQ(schritte, soll);
    schritte.clear();
    ZeiAnsichtGanz();
    EXPECT_EQ(schritte, std::vector<std::string>{"F 800"});
}

}  // namespace
