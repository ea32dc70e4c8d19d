// Picking, marking and snapping on the real store.
#include "editor/objwahl.h"

#include "editor/geloesch.h"

#include <cstdio>
#include <cstring>

#include "config/reaktion.h"
#include "editor/geloesch.h"
#include "editor/edmeld.h"
#include "editor/edtseite.h"
#include "model/geometri.h"
#include "tests/editor/edtest.h"
#include "tests/editor/baubib.h"
#include "tests/editor/bautest.h"

namespace {

constexpr int VAR = 90;

struct ObjWahlTest : BauTest {
    void SetUp() override
    {
        BauTest::SetUp();
        ObjZuruecksetzen();
        VarZuruecksetzen();
        StatusHinweis("");
    }
    std::vector<int> marken(const std::vector<int>& ids)
    {
        std::vector<int> m;
        for (int id : ids) m.push_back(TzMarkHolen(id));
        return m;
    }
};

TEST_F(ObjWahlTest, SnapTakesTheStrictlyNearestPointBelowAHundred)
{
    // Two points at the same distance from (5, 0): the first examined wins.
    int a = linie(3, 0, 0, -10);
    linie(7, 0, 0, -10);
    double x = 5, y = 0;
    ASSERT_EQ(PunktFangenZeiger(&x, &y), 1);
    EXPECT_EQ(x, 3) << "object " << a << " lies first";
    EXPECT_EQ(y, 0);

    // A large text reaching into the snap square whose one point lies
    // exactly 100.0 away is not snapped; 99.9 is.
    auto grosserText = [](double x0, double y0) {
        TzLeeren();
        BEF t = tzRec(TZ_TEXT, {}, "XXXXXXXX");
        STT s = tzStt(x0, y0);
        s.tg = 30;
        TzEinfuegen(&t, &s);
    };
    grosserText(-60, -40);
    x = 0, y = 0;
    EXPECT_EQ(PunktFangenZeiger(&x, &y), 0);
    EXPECT_EQ(x, 0);
    grosserText(-60, -39.9);
    PunktFangen(0, 0);
    EXPECT_EQ(schlange(), std::vector<std::string>{"_BA 1 -60 -39.9"});

    // In move mode the marked objects are not snapped to.
    TzLeeren();
    int m = linie(1, 1, 5, 0);
    TzMarkSetzen(m, 1);
    BefFlags()->beweg = 1;
    x = 0, y = 0;
    EXPECT_EQ(PunktFangenZeiger(&x, &y), 0);
    BefFlags()->beweg = 0;
    EXPECT_EQ(PunktFangenZeiger(&x, &y), 1);
}

TEST_F(ObjWahlTest, NextAndPreviousWalkTheOrderWithoutWrapping)
{
    int a = linie(0, 0, 5, 0);
    int t = text(10, 10, "@Y0001");
    int b = linie(20, 20, 5, 0);
    ObjNaechstes();
    EXPECT_EQ(ObjCursor(), a);
    ObjNaechstes();
    EXPECT_EQ(ObjCursor(), b) << "the reference text is skipped";
    EXPECT_EQ(marken({a, t, b}), (std::vector<int>{0, 0, 1}));
    ObjNaechstes();
    EXPECT_EQ(ObjCursor(), -1) << "past the end: none";
    EXPECT_EQ(TzMarkAnzahl(), 0);
    ObjVorheriges();
    EXPECT_EQ(ObjCursor(), b);

    // Points outside the view are skipped.
    EdHaken h{};
    h.AnsichtPunktSichtbar = [](double x, double) { return x < 15 ? 1 : 0; };
    EdHakenSetzen(h);
    ObjZuruecksetzen();
    ObjVorheriges();
    EXPECT_EQ(ObjCursor(), a);
}

TEST_F(ObjWahlTest, RectangleTogglesWhatItHoldsAndPicksOnlyASingleHit)
{
    int a = linie(10, 10, 5, 0);
    int b = linie(20, 10, 5, 5);
    int c = linie(30, 10, 50, 0);  // reaches out of the rectangle
    ObjImRechteck(40, 20, 10, 10);  // bounds included, corners in any order
    EXPECT_EQ(marken({a, b, c}), (std::vector<int>{1, 1, 0}));
    EXPECT_EQ(ObjCursor(), -1) << "two hits give no cursor object";
    // A single hit becomes the cursor object and ends marked, whatever
    // the toggle gave.
    ObjImRechteck(19, 9, 26, 16);
    EXPECT_EQ(marken({a, b, c}), (std::vector<int>{1, 1, 0}));
    EXPECT_EQ(ObjCursor(), b);
    ObjImRechteck(29, 9, 81, 11);
    EXPECT_EQ(marken({a, b, c}), (std::vector<int>{1, 1, 1}));
    EXPECT_EQ(ObjCursor(), c);
}

TEST_F(ObjWahlTest, MarkOperationsAsAStateTable)
{
    int a = linie(0, 0, 5, 0), b = linie(10, 0, 5, 0), c = linie(20, 0, 5, 0);
    struct Fall {
        const char* name;
        std::vector<int> vor;
        void (*op)();
        std::vector<int> nach;
    } faelle[] = {
        {"invert: nothing marked does nothing", {0, 2, 0}, MarkUmkehren, {0, 2, 0}},
        {"invert: marked remembered, remembered dropped", {1, 2, 0}, MarkUmkehren, {2, 0, 0}},
        {"invert: all marked are unmarked", {1, 1, 1}, MarkUmkehren, {0, 0, 0}},
        {"restore", {1, 2, 0}, MarkWieder, {0, 1, 0}},
        {"all", {0, 2, 1}, MarkAlle, {1, 1, 1}},
        {"toggle with marks unmarks", {1, 2, 0}, MarkWechseln, {0, 2, 0}},
        {"toggle without marks marks all", {0, 0, 0}, MarkWechseln, {1, 1, 1}},
        {"last", {0, 0, 0}, MarkLetztes, {0, 0, 1}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        for (size_t i = 0; i < 3; ++i) TzMarkSetzen(std::vector<int>{a, b, c}[i], f.vor[i]);
        f.op();
        EXPECT_EQ(marken({a, b, c}), f.nach);
    }
    EXPECT_EQ(ObjCursor(), c);
}

TEST_F(ObjWahlTest, DeleteIsRefusedOutsideTheViewAndStopsAtALockedObject)
{
    EdMeldHakenSetzen();
    int a = linie(0, 0, 5, 0);
    int b = text(10, 0, "GESPERRT");
    int c = linie(20, 0, 5, 0);
    int d = linie(200, 0, 5, 0);
    for (int id : {a, b, c, d}) TzMarkSetzen(id, 1);
    EdHaken h{};
    h.AnsichtPunktSichtbar = [](double x, double) { return x < 100 ? 1 : 0; };
    h.AppAenderungErlaubt = [](const BEF* bf, const STT*) { return std::strcmp(bf->text, "GESPERRT") != 0 ? 1 : 0; };
    EdHakenSetzen(h);
    MarkLoeschen();
    EXPECT_EQ(TzAnzahl(), 4);
    EXPECT_STREQ(StatusLetzterText(), TextNr(85 + 1000));

    TzMarkSetzen(d, 0);
    PhantomInit();
    MarkLoeschen();
    EXPECT_FALSE(TzExistiert(a));
    EXPECT_TRUE(TzExistiert(b)) << "the locked object stops the run";
    EXPECT_TRUE(TzExistiert(c));
    int phantome = 0;
    for (int i = 0; i < PHASUP; ++i) phantome += PhantomSlot(i)->bef.code != 0;
    EXPECT_EQ(phantome, 1) << "the deleted object is kept as a phantom";
    EXPECT_EQ(PhantomSlot(0)->bef.code, 40);
    EXPECT_STRNE(StatusLetzterText(), TextNr(85 + 1000));
}

TEST_F(ObjWahlTest, MoveTakesFollowingObjectsOnlyWithTheMarkedOnlySwitchOff)
{
    int a = linie(0, 0, 5, 0), b = linie(10, 0, 5, 0), c = linie(20, 0, 5, 0);
    TzMarkSetzen(b, 1);
    auto xs = [&] {
        std::vector<double> v;
        for (int id : {a, b, c}) {
            BEF bf;
            STT s;
            TzObjHolen(id, &bf, &s);
            v.push_back(s.x);
        }
        return v;
    };
    MarkVerschieben(1, 0);
    EXPECT_EQ(xs(), (std::vector<double>{0, 11, 20}));
    EXPECT_EQ(TzMarkHolen(b), 1);
    BefFlags()->el1 = 0;
    MarkVerschieben(1, 0);
    EXPECT_EQ(xs(), (std::vector<double>{0, 12, 21}));
}

// A component moved straight takes the lines ending at both of its edges
// along: the lower and upper edge for a move along y, left and right along x.
TEST_F(ObjWahlTest, LinesAtBothEdgesOfAMovedComponentFollowIt)
{
    EdOrdner o;
    bauBibMitBauteil(o, "K", "VER 10\r\nZL 0,0000 -20,0000\r\nZL 10,0000 0,0000\r\nZA4\r\n");
    if (HasFatalFailure()) return;
    BefFlags()->el1 = 1;

    struct Fall {
        double dx, dy;
    } faelle[] = {{0, 5}, {0, -5}, {5, 0}, {-5, 0}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(::testing::Message() << f.dx << "," << f.dy);
        TzLeeren();
        const BEF k = tzRec(TZ_ZB, {}, "K");
        STT s = tzStt(50, 50);
        std::snprintf(s.bd, sizeof s.bd, "TST");
        const int bt = TzEinfuegen(&k, &s);
        double box[4];
        BefAusdehnungRoh(&k, &s, box, nullptr);
        ASSERT_LT(box[0] + 1, box[2]);
        ASSERT_LT(box[1] + 1, box[3]);
        const double mx = (box[0] + box[2]) / 2, my = (box[1] + box[3]) / 2;
        // One line away from each edge, each ending on it.
        const int unten = linie(mx, box[1], 0, -20), oben = linie(mx, box[3] + 20, 0, -20);
        const int links = linie(box[0] - 20, my, 20, 0), rechts = linie(box[2], my, 20, 0);
        TzMarkSetzen(bt, 1);
        MarkVerschieben(f.dx, f.dy);
        auto ende = [](int id) {
            BEF b;
            STT t;
            EXPECT_EQ(TzObjHolen(id, &b, &t), 0);
            return std::vector<double>{t.x, t.y, t.x + b.darg[0], t.y + b.darg[1]};
        };
        const double dx = f.dx, dy = f.dy;
        EXPECT_EQ(ende(unten), (std::vector<double>{mx, box[1] + dy, mx, box[1] - 20}));
        EXPECT_EQ(ende(oben), (std::vector<double>{mx, box[3] + 20, mx, box[3] + dy}));
        EXPECT_EQ(ende(links), (std::vector<double>{box[0] - 20, my, box[0] + dx, my}));
        EXPECT_EQ(ende(rechts), (std::vector<double>{box[2] + dx, my, box[2] + 20, my}));
    }
}

TEST_F(ObjWahlTest, ObjectPointDragStartsOnlyStrictlyWithinTwoUnits)
{
    int a = linie(10, 10, 0, 5);
    EXPECT_EQ(ObjPunktSuchen(11.9, 10), -1) << "unmarked";
    TzMarkSetzen(a, 1);
    EXPECT_EQ(ObjPunktSuchen(12.0, 10), -1);
    EXPECT_EQ(ObjPunktSuchen(10, 8.0), -1);
    ASSERT_EQ(ObjPunktSuchen(11.9, 8.1), a);
    EXPECT_EQ(ObjPunktAchse(), 1) << "a vertical line keeps its x";
    BefFlags()->beweg = 0;
    int px = 0, py = 0;
    ObjPunktZiehen(a, &px, &py);
    EXPECT_EQ(BefFlags()->beweg, 1);
    EXPECT_EQ(px, modh::WeltZuPixelX(10));
    // Grid rounding: less than one step away keeps the start's coordinate.
    BefRasterWerte()->swx = 2.5;
    BefRasterWerte()->x0 = 0;
    EXPECT_EQ(ObjPunktX(11), 10);
    EXPECT_EQ(ObjPunktX(13.6), 12.5);
    EXPECT_EQ(ObjPunktX(14), 15);
    ObjPunktZiehen(-1, nullptr, nullptr);
    EXPECT_EQ(BefFlags()->beweg, 0);
}

TEST_F(ObjWahlTest, VariableSearchReportsTheEndOnceAndTakesWhatItFinds)
{
    EdMeldHakenSetzen();
    linie(0, 0, 5, 0);
    VarNaechste(0);
    EXPECT_STREQ(StatusLetzterText(), TextNr(77 + 1000));
    StatusHinweis("");
    VarNaechste(0);
    EXPECT_STREQ(StatusLetzterText(), "") << "not twice in a row";

    BEF v = tzRec(VAR);
    STT s = tzStt(30, 40);
    TzEinfuegen(&v, &s);
    schlange();
    VarNaechste(0);
    EXPECT_EQ(schlange(), (std::vector<std::string>{"_BA 1 30 40", "_QTS 30 40"}));
    VarNaechste(0);
    EXPECT_STREQ(StatusLetzterText(), TextNr(77 + 1000)) << "a hit in between shows it again";
}

TEST_F(ObjWahlTest, ReplaceTakesTheMarkedCursorObjectOfTheSameKindElseInserts)
{
    int a = linie(0, 0, 5, 0);
    ObjCursorSetzen(a);
    BEF n = tzRec(TZ_ZL, {0, 7});
    STT s = tzStt(1, 1);
    EXPECT_EQ(ObjErsetzen(&n, &s), 1) << "unmarked: inserted";
    EXPECT_EQ(TzAnzahl(), 2);
    TzMarkSetzen(a, 1);
    ObjHakenSetzen();
    EXPECT_EQ(modh::CursorObjBefehl(&n, &s), 0);
    BEF b;
    STT bs;
    TzObjHolen(a, &b, &bs);
    EXPECT_EQ(b.darg[1], 7);
    BEF t = tzRec(TZ_TEXT, {}, "T");
    EXPECT_EQ(ObjErsetzen(&t, &s), 1) << "another kind is inserted";
}

TEST_F(ObjWahlTest, ReEditTakesTheMarkedObjectIntoConstructionAndWritesItBack)
{
    int a = linie(10, 10, 5, 0);
    ObjKlick(1, 10, 10);
    EXPECT_EQ(ObjCursor(), a);
    EXPECT_EQ(TzMarkHolen(a), 1);
    ObjBearbeiten(0);
    ASSERT_EQ(BaubfObjekt(), a);
    EXPECT_EQ(BaubfSchrittHolen(), 1);
    position(12, 13);
    BaubfMausBewegt();
    ObjUebernehmen();
    BEF b;
    STT s;
    TzObjHolen(a, &b, &s);
    EXPECT_EQ(b.darg[0], 2);
    EXPECT_EQ(b.darg[1], 3);
    EXPECT_EQ(BaubfAktiv(), 0);
}

}  // namespace

namespace {

// The page's cursor-object glue reads the object picked last: marked or
// not, its record, nothing once it is gone from the store.
TEST_F(ObjWahlTest, CursorObjectGlueReadsThePickedObject)
{
    const int a = linie(10, 10, 5, 0);
    EXPECT_EQ(::CursorObjekt(), -1);
    EXPECT_EQ(::CursorObjMarkiert(), 0);
    ObjCursorSetzen(a);
    EXPECT_EQ(::CursorObjekt(), a);
    EXPECT_EQ(::CursorObjMarkiert(), 0);
    TzMarkSetzen(a, 1);
    EXPECT_EQ(::CursorObjMarkiert(), 1);
    BEF b;
    ::CursorObjHolen(&b);
    EXPECT_EQ(b.code, TZ_ZL);
    EXPECT_EQ(b.darg[0], 5);
    TzLeeren();
    EXPECT_EQ(::CursorObjekt(), -1);
    EXPECT_EQ(::CursorObjMarkiert(), 0);
    ::CursorObjHolen(&b);
    EXPECT_EQ(b.code, 0);
}

}  // namespace
