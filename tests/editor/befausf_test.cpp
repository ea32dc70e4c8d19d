// Command execution of the editor on the real store, journal and queue.
#include "editor/befausf.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "editor/edtaufrufe.h"
#include "editor/elclip.h"
#include "editor/baubf.h"
#include "editor/zeidok.h"
#include "output/druck.h"
#include "project/chkdlg.h"
#include "project/dirhist.h"
#include "project/export.h"
#include "project/hbview.h"
#include "project/hilfe.h"
#include "project/impdlg.h"
#include "project/inhalt.h"
#include "project/projneu.h"
#include "project/proverw.h"
#include "project/pvwliste.h"
#include "project/rschreib.h"
#include "project/startbild.h"
#include "project/titeldlg.h"
#include "project/wrz.h"
#include "project/zeitxt.h"
#include "project/zv5.h"
#include "tests/editor/edtaufrufprotokoll.h"
#include "tests/editor/edtest.h"
#include "model/geometri.h"
#include "platform/dateidialog.h"
#include "tests/model/tztest.h"
#include "tests/model/edprotokoll.h"

namespace {

constexpr int ST = 25, DRH = 14, SW = 142, CS = 143, CL = 144, LRA = 16, BMK = 79, SZ = 103, DRU = 106;
constexpr int UDO = 162, RDO = 163, TKR = 64, RTK = 68, BW = 20;

struct BefAusfTest : TzTest {
    void SetUp() override
    {
        TzTest::SetUp();
        BefAusfInit();
        BefAusfHakenSetzen();
        STT s = tzStart();
        ZustandSetzen(&s);
        BefStartZustandSetzen(&s);
        BaubfZuruecksetzen();
        EdtAufrufProtokollStarten();
        ZeiHakenSetzen();
        ZeiNeu();
    }
    void laufe(const std::vector<BEF>& v) { lauf([&] { befehle(v); }); }
    // A line of vector (dx, dy) under construction at (0, 0).
    void baueLinie(double dx, double dy)
    {
        BaubfStartenBei(TZ_ZL, 0, 0);
        BEF l = tzRec(TZ_ZL, {dx, dy});
        BaubfKopieren(&l);
        BefLeeren();
    }
};

TEST_F(BefAusfTest, ElementCheckRefusesDegenerateRecordsAndMissingComponents)
{
    struct Fall {
        BEF b;
        int erwartet;
    } faelle[] = {
        {tzRec(BW, {0, 0}), 0},
        {tzRec(TZ_ZL, {0, 0}), 0},
        {tzRec(TZ_ZL, {1e-9, 0}), 0},  // zero within the store's tolerance
        {tzRec(TZ_ZL, {0, 3}), 1},
        {tzRec(RTK, {5, 0}), 0},
        {tzRec(RTK, {5, 2}), 1},
        {tzRec(TZ_TEXT, {}, ""), 0},
        {tzRec(TZ_TEXT, {}, "A"), 1},
        {tzRec(0), 0},
        {tzRec(ST, {}, nullptr, {3}), 1},
    };
    for (const Fall& f : faelle) EXPECT_EQ(BefPruefen(&f.b), f.erwartet) << BefZuText(&f.b);

    BEF zb = tzRec(TZ_ZB, {}, "XX");
    EXPECT_EQ(BefPruefen(&zb), 0);
    ASSERT_FALSE(EdProtokollHolen().status.empty());
    EXPECT_EQ(EdProtokollHolen().status.back(), "Bauteil XX nicht gefunden.");

    // Through the run loop: refused records never reach the store.
    laufe({tzRec(TZ_ZL, {0, 0}), tzRec(RTK, {4, 0}), tzRec(TZ_ZB, {}, "XX"), tzRec(TZ_ZL, {5, 0})});
    EXPECT_EQ(TzAnzahl(), 1);
}

TEST_F(BefAusfTest, NoCodeBelongsToTwoDispatchers)
{
    int (*const verteiler[])(const BEF*) = {BefDokument, BefOptionen, BefZustand, BefRaster,
                                            BefRahmen,   BefBauteil,  BefMakro,   BefBearbeiten};
    linie(0, 0, 10, 0);  // a drawing that is not empty, so no code is skipped
    for (int c = 0; c < BEFCODESUP; ++c) {
        BEF b = tzRec(c);
        int n = 0;
        for (auto* v : verteiler) n += v(&b);
        EXPECT_LE(n, 1) << "code " << c;
        BefLeeren();
    }
}

TEST_F(BefAusfTest, FileCommandWhileALineIsBuiltCommitsTheLineFirst)
{
    baueLinie(10, 0);
    EdOrdner o;
    std::string pfad = o.pfad("Plan.001");
    laufe({tzRec(SZ, {}, pfad.c_str())});
    EXPECT_EQ(TzAnzahl(), 1);
    EXPECT_EQ(BaubfAktiv(), 0);
    // The line reached the file: the save ran after the commit.
    EXPECT_EQ(TzIstGeaendert(), 0);
    ZeiNeu();
    ASSERT_EQ(ZeiLaden(pfad.c_str(), 1, 0), 0);
    EXPECT_EQ(TzAnzahl(), 1);
}

TEST_F(BefAusfTest, PrintSavesAChangedDrawingFirstAndPrintsOnlyWhenTheSaveWorked)
{
    EdOrdner o;
    std::string pfad = o.pfad("Plan.001");
    linie(0, 0, 10, 0);
    ASSERT_EQ(ZeiSpeichern(pfad.c_str()), 0);
    struct Fall {
        const char* name;
        bool geaendert;
        int arg;
        bool speichernScheitert;
        int drucke;
    } faelle[] = {
        {"unchanged", false, 0, false, 1},
        {"changed, second pass", true, 2, false, 0},
        {"changed, save works", true, 0, false, 1},
        {"changed, save fails", true, 0, true, 0},
    };
    // The print dialog answers with the file printer: a printed drawing is
    // a file.
    int fall = 0;
    auto druckDatei = [&](int i) { return o.pfad(("druck" + std::to_string(i) + ".pdf").c_str()); };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        TzGeaendertReset();
        if (f.geaendert) TzGeaendertSetzen();
        plDruckDialogSkriptLeeren();
        plDruckEinstellung e;
        e.datei = druckDatei(++fall);
        plDruckDialogAntwort(e);
        {
            PlFehlerScope fs;
            if (f.speichernScheitert) plFehlerSetzen(PlFehlerArt::Schreiben, 1, true);
            laufe({tzRec(DRU, {}, nullptr, {f.arg})});
        }
        plDruckDialogSkriptLeeren();
        EXPECT_EQ(std::filesystem::exists(e.datei) ? 1 : 0, f.drucke);
        EXPECT_EQ(TzIstGeaendert(), f.geaendert && f.drucke == 0 ? 1 : 0);
        EXPECT_STREQ(ZeiName(), pfad.c_str());
    }

    // With an element under construction: committed, then the print runs
    // (after saving the line the commit added).
    TzGeaendertReset();
    baueLinie(0, 5);
    plDruckEinstellung e;
    e.datei = druckDatei(++fall);
    plDruckDialogAntwort(e);
    laufe({tzRec(DRU)});
    plDruckDialogSkriptLeeren();
    EXPECT_EQ(BaubfAktiv(), 0);
    EXPECT_EQ(TzAnzahl(), 2);
    EXPECT_TRUE(std::filesystem::exists(e.datei));
}

TEST_F(BefAusfTest, GridStepsStayPositiveAndDoubleOrHalveByTheirRules)
{
    BEFRASTER* r = BefRasterWerte();
    EdEinst()->nk = 1;
    struct Fall {
        BEF b;
        double x0, y0;  // before
        double x, y;    // after
    } faelle[] = {
        {tzRec(SW, {5, 0}), 1, 1, 5, 5},
        {tzRec(SW, {4, 2}), 1, 1, 4, 2},
        {tzRec(SW, {0, 0}), 2, 3, 2, 3},
        {tzRec(SW, {-5, 1}), 2, 3, 2, 3},
        {tzRec(SW, {5, -1}), 2, 3, 2, 3},
        {tzRec(CS), 50, 20, 100, 40},
        {tzRec(CS), 100, 20, 100, 20},
        {tzRec(CL), 5, 2, 2.5, 1},
        {tzRec(CL), 2.5, 2, 2.5, 2},  // 25 tenths is odd
    };
    for (const Fall& f : faelle) {
        r->swx = f.x0;
        r->swy = f.y0;
        laufe({f.b});
        EXPECT_DOUBLE_EQ(r->swx, f.x) << BefZuText(&f.b);
        EXPECT_DOUBLE_EQ(r->swy, f.y) << BefZuText(&f.b);
    }
}

TEST_F(BefAusfTest, LayerAndEquipmentFlagsOutsideTheirRangeAreIgnored)
{
    for (int l : {0, 21, -3}) laufe({tzRec(LRA, {}, nullptr, {l, 0})});
    for (int l = 1; l <= LAYERSUP; ++l) EXPECT_EQ(LayerSichtbar(l), 1) << l;
    laufe({tzRec(LRA, {}, nullptr, {3, 0})});
    EXPECT_EQ(LayerSichtbar(3), 0);

    BEFFLAGS vorher = *BefFlags();
    laufe({tzRec(BMK, {}, nullptr, {6}), tzRec(BMK, {}, nullptr, {-1})});
    EXPECT_TRUE(std::equal(vorher.bmk, vorher.bmk + BEFBMKSUP, BefFlags()->bmk));
    laufe({tzRec(BMK, {}, nullptr, {2})});
    EXPECT_EQ(BefFlags()->bmk[2], vorher.bmk[2] ? 0 : 1);
}

TEST_F(BefAusfTest, UndoAndRedoWalkTheStoreThroughTheQueue)
{
    laufe({tzRec(TZ_ZL, {10, 0})});
    laufe({tzRec(TZ_ZL, {0, 10})});
    ASSERT_EQ(TzAnzahl(), 2);
    laufe({tzRec(UDO)});
    EXPECT_EQ(TzAnzahl(), 1);
    laufe({tzRec(RDO)});
    EXPECT_EQ(TzAnzahl(), 2);
}

// Objects with pens 1 (marked), 1, 2, 1 in drawing order.
struct PenFall {
    int el1;
    std::vector<int> stifte;
};

TEST_F(BefAusfTest, PenChangeRunsIntoFollowingObjectsOnlyWithMarkedOnlyOff)
{
    for (const PenFall& f : {PenFall{1, {5, 1, 2, 1}}, PenFall{0, {5, 5, 2, 1}}}) {
        SCOPED_TRACE(f.el1);
        starten(1);
        BefAusfInit();
        BefAusfHakenSetzen();
        STT s0 = tzStart();
        ZustandSetzen(&s0);
        int stift[] = {1, 1, 2, 1};
        int ids[4];
        for (int k = 0; k < 4; ++k) {
            BEF b = tzRec(TZ_ZL, {5, 0});
            STT s = tzStt(10.0 * k, 0);
            s.st = stift[k];
            ids[k] = TzEinfuegen(&b, &s);
        }
        TzMarkSetzen(ids[0], 1);
        BefFlags()->el1 = f.el1;
        laufe({tzRec(ST, {}, nullptr, {5})});
        for (int k = 0; k < 4; ++k) {
            BEF b;
            STT s;
            TzObjHolen(ids[k], &b, &s);
            EXPECT_EQ(s.st, f.stifte[k]) << k;
        }
    }
}

TEST_F(BefAusfTest, RotationRulesPerElement)
{
    struct Fall {
        const char* name;
        BEF b;
        double x, y;  // position before
        int a;
        BEF erwartet;
        double ex, ey;
    } faelle[] = {
        {"ellipse arc by 45: only its position", tzRec(TKR, {10, 5}, nullptr, {0, 900}), 10, 0, 450,
         tzRec(TKR, {10, 5}, nullptr, {0, 900}), 10 * std::sqrt(0.5), 10 * std::sqrt(0.5)},
        {"ellipse arc by 90: radii swap", tzRec(TKR, {10, 5}, nullptr, {0, 900}), 0, 0, 900,
         tzRec(TKR, {5, 10}, nullptr, {900, 1800}), 0, 0},
        {"start angle past 3599 wraps both", tzRec(TKR, {5, 5}, nullptr, {3000, 3500}), 0, 0, 900,
         tzRec(TKR, {5, 5}, nullptr, {300, 800}), 0, 0},
        {"circle keeps its orientation", tzRec(67, {5, 5}, nullptr, {0, 0}), 0, 0, 450,
         tzRec(67, {5, 5}, nullptr, {0, 0}), 0, 0},
        {"component becomes ZBW", tzRec(TZ_ZB, {}, "M1"), 0, 0, 900, tzRec(81, {}, "M1", {900}), 0, 0},
        {"ZBW back to ZB", tzRec(81, {}, "M1", {2700}), 0, 0, 900, tzRec(TZ_ZB, {}, "M1"), 0, 0},
        {"negative turn keeps angles in range", tzRec(TKR, {5, 5}, nullptr, {300, 800}), 0, 0, -900,
         tzRec(TKR, {5, 5}, nullptr, {3000, 3500}), 0, 0},
        {"line vector turns", tzRec(TZ_ZL, {10, 0}), 0, 0, 900, tzRec(TZ_ZL, {0, 10}), 0, 0},
        {"angle 0 changes nothing", tzRec(TKR, {10, 5}, nullptr, {0, 900}), 3, 4, 0,
         tzRec(TKR, {10, 5}, nullptr, {0, 900}), 3, 4},
    };
    for (Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        STT s = tzStt(f.x, f.y);
        ObjDrehen(&f.b, &s, f.a, 0, 0);
        EXPECT_EQ(f.b.code, f.erwartet.code);
        EXPECT_EQ(f.b.iarg[0], f.erwartet.iarg[0]);
        EXPECT_EQ(f.b.iarg[1], f.erwartet.iarg[1]);
        EXPECT_NEAR(f.b.darg[0], f.erwartet.darg[0], 1e-9);
        EXPECT_NEAR(f.b.darg[1], f.erwartet.darg[1], 1e-9);
        EXPECT_NEAR(s.x, f.ex, 1e-9);
        EXPECT_NEAR(s.y, f.ey, 1e-9);
    }
}

TEST_F(BefAusfTest, RotationOfAMarkedObjectTurnsOnlyThatObjectAboutThePreviousPosition)
{
    BefFlags()->el1 = 0;  // even so, a rotation never runs on
    BEF arc = tzRec(TKR, {10, 5}, nullptr, {0, 900});
    STT s = tzStt(10, 0);
    int a = TzEinfuegen(&arc, &s);
    int b = linie(20, 0, 5, 0);
    TzMarkSetzen(a, 1);
    laufe({tzRec(DRH, {}, nullptr, {450})});
    BEF ob;
    STT os;
    TzObjHolen(a, &ob, &os);
    EXPECT_NEAR(os.x, 10 * std::sqrt(0.5), 1e-9);
    EXPECT_EQ(ob.iarg[0], 0);
    EXPECT_EQ(ob.darg[0], 10);
    TzObjHolen(b, &ob, &os);
    EXPECT_EQ(os.x, 20);
    EXPECT_EQ(ob.darg[0], 5);
}

TEST_F(BefAusfTest, DialogTextsReachTheCallTableIgnoringCase)
{
    laufe({tzRec(197, {}, "bmhaupt"), tzRec(197, {}, "BmUnter"), tzRec(197, {}, "BMTEXT"), tzRec(197, {}, "x"),
           tzRec(76, {}, nullptr, {1})});
    std::vector<std::string> erwartet = {"DB1351Oeffnen()", "BmlUmschalten()", "DB1354Oeffnen()",
                                         "DB1354Weiter(2500)"};
    EXPECT_EQ(EdtAufrufProtokoll(), erwartet);
}

TEST_F(BefAusfTest, StepAfterTextFollowsItsSwitch)
{
    for (int an : {0, 1}) {
        BefFlags()->vrb = an;
        EXPECT_EQ(modh::EditorTextSchalter(), an);
    }
    laufe({tzRec(121)});  // VRA toggles it
    EXPECT_EQ(modh::EditorTextSchalter(), 0);
}

TEST_F(BefAusfTest, BuildersQueueDisplacementsInDrawingUnits)
{
    STT s = tzStt(10, 10);
    s.mass = s.msf = 2;
    ZustandSetzen(&s);
    LinieNach(30, 10);
    BewegenNach(10, 20);
    BEF b;
    BefVorne(&b);
    BefEntfernen();
    EXPECT_EQ(b.code, TZ_ZL);
    EXPECT_EQ(b.darg[0], 10);
    BefVorne(&b);
    EXPECT_EQ(b.code, BW);
    EXPECT_EQ(b.iarg[0], 1);
    EXPECT_EQ(b.darg[1], 5);
    BefLeeren();
}

}  // namespace

namespace {

// The line-up copies the marked objects into every cell of the grid but the
// first, keeps the originals where they are and leaves the position alone.
TEST_F(BefAusfTest, LineUpFillsEveryCellButTheFirstAndKeepsThePosition)
{
    BEF b = tzRec(TZ_ZL, {5, 0});
    STT s = tzStt(10, 20);
    const int linie = TzEinfuegen(&b, &s);
    BEF k = tzRec(TZ_TEXT, {}, "frei");
    STT sk = tzStt(50, 50);
    TzEinfuegen(&k, &sk);  // not marked: not copied
    TzMarkSetzen(linie, 1);
    STT* akt = BefAktZustand();
    akt->x = 10;
    akt->y = 20;
    MarkierteAnreihen(2, 30, 3, -15);
    EXPECT_EQ(TzMarkAnzahl(), 0);
    EXPECT_DOUBLE_EQ(BefAktZustand()->x, 10);
    EXPECT_DOUBLE_EQ(BefAktZustand()->y, 20);
    std::vector<std::pair<double, double>> linien;
    for (int id = TzNaechstes(-1); id < TZENDE; id = TzNaechstes(id)) {
        BEF ob;
        STT os;
        ASSERT_EQ(TzObjHolen(id, &ob, &os), 0);
        if (ob.code == TZ_ZL) linien.emplace_back(os.x, os.y);
    }
    std::sort(linien.begin(), linien.end());
    const std::vector<std::pair<double, double>> soll = {{10, -10}, {10, 5},  {10, 20},
                                                         {40, -10}, {40, 5}, {40, 20}};
    EXPECT_EQ(linien, soll);
    EXPECT_FALSE(std::filesystem::exists(ElTransferPfad(1))) << "the transfer file is cleaned up";
}

}  // namespace
