// Deleted-object phantoms on the real queue, executor and store.
#include "editor/geloesch.h"

#include "tests/editor/eqtexttest.h"

namespace {

constexpr int LER = 183;

struct GeloeschTest : EqTextTest {
    void SetUp() override
    {
        EqTextTest::SetUp();
        PhantomInit();
    }
    // Takes the queue as the executor would: `LER` calls PhantomWieder
    // again; every other record is handed back in order.
    std::vector<BEF> abholen()
    {
        std::vector<BEF> v;
        while (BefAnzahl() > 0) {
            BEF b;
            BefVorne(&b);
            BefEntfernen();
            if (b.code == LER)
                PhantomWieder(b.iarg[0]);
            else
                v.push_back(b);
        }
        return v;
    }
    static std::vector<double> linien(const std::vector<BEF>& v)
    {
        std::vector<double> l;
        for (const BEF& b : v)
            if (b.code == TZ_ZL) l.push_back(b.darg[0]);
        return l;
    }
    void ausfuehren(const std::vector<BEF>& v)
    {
        lauf([&] {
            for (const BEF& b : v) BefSofort(&b);
        });
    }
};

TEST_F(GeloeschTest, OneGenerationComesBackNewestFirstAndOnlyIt)
{
    BEF l1 = tzRec(TZ_ZL, {1, 0}), l2 = tzRec(TZ_ZL, {2, 0}), l3 = tzRec(TZ_ZL, {3, 0}), l4 = tzRec(TZ_ZL, {4, 0});
    STT s1 = bei(10, 10), s2 = bei(20, 10), s3 = bei(30, 10), s4 = bei(40, 10);
    PhantomMerken(&l1, &s1);
    BefGruppeSchliessen();
    PhantomMerken(&l2, &s2);
    PhantomMerken(&l3, &s3);
    PhantomMerken(&l4, &s4);
    BEF ref = tzRec(TZ_TEXT, {}, "@Y0001B");
    PhantomMerken(&ref, &s4);  // reference texts are not kept
    const STT vorher = *BefAktZustand();

    PhantomWieder(-1);
    const std::vector<BEF> v = abholen();
    EXPECT_EQ(linien(v), (std::vector<double>{4, 3, 2}));
    ausfuehren(v);
    EXPECT_EQ(TzAnzahl(), 3);
    std::vector<double> xs;
    for (int id = TzNaechstes(-1); id < TZENDE; id = TzNaechstes(id)) {
        BEF b;
        STT s;
        TzObjHolen(id, &b, &s);
        xs.push_back(s.x);
    }
    EXPECT_EQ(xs, (std::vector<double>{40, 30, 20}));
    EXPECT_TRUE(SttGleich(BefAktZustand(), &vorher));

    // LER 0 takes only the newest left; then the ring is empty.
    PhantomWieder(0);
    EXPECT_EQ(linien(abholen()), (std::vector<double>{1}));
    PhantomWieder(-1);
    EXPECT_EQ(BefAnzahl(), 0);
}

TEST_F(GeloeschTest, TheRingKeepsTheLast200)
{
    for (int i = 1; i <= PHASUP + 1; ++i) {
        BEF b = tzRec(TZ_ZL, {double(i), 0});
        STT s = bei(i, 0);
        PhantomMerken(&b, &s);
    }
    EXPECT_EQ(PhantomIndex(), 1);
    for (int i = 0; i < PHASUP; ++i) EXPECT_NE(PhantomSlot(i)->bef.darg[0], 1.0) << i;
    EXPECT_EQ(PhantomSlot(0)->bef.darg[0], PHASUP + 1.0);

    // A new start empties every slot, the ones written before a wrap too.
    PhantomInit();
    for (int i = 0; i < PHASUP; ++i) EXPECT_EQ(PhantomSlot(i)->bef.code, 0) << i;
    PhantomWieder(-1);
    EXPECT_EQ(BefAnzahl(), 0);
}

TEST_F(GeloeschTest, AComponentComesBackUnderItsWholeStateAndTheUsersStateStays)
{
    bauteil("M1", {tzRec(TZ_ZL, {5, 0})});
    STT s = bei(50, 60);
    s.msf = 2;
    s.mass = 2;
    s.richtung = 900;
    s.layer = 3;
    s.st = 5;
    BEF zb = tzRec(TZ_ZB, {}, "M1");
    PhantomMerken(&zb, &s);
    STT vorher = *BefAktZustand();
    vorher.st = 9;
    vorher.tg = 7;
    ZustandSetzen(&vorher);

    PhantomWieder(-1);
    ausfuehren(abholen());
    ASSERT_EQ(TzAnzahl(), 1);
    BEF b;
    STT t;
    TzObjHolen(TzNaechstes(-1), &b, &t);
    EXPECT_STREQ(b.text, "M1");
    EXPECT_EQ(t.mass, 2);
    EXPECT_EQ(t.richtung, 900);
    EXPECT_EQ(t.layer, 3);
    EXPECT_EQ(t.st, 5);
    EXPECT_EQ(t.x, 50);
    EXPECT_EQ(t.y, 60);
    EXPECT_TRUE(SttGleich(BefAktZustand(), &vorher));
}

}  // namespace
