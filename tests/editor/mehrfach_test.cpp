// Parallel lines on the real store, queue and journal.
#include "editor/mehrfach.h"

#include "editor/edmarke.h"
#include "model/einstell.h"
#include "tests/editor/eqtexttest.h"

namespace {

struct MehrfachTest : EqTextTest {
    void SetUp() override
    {
        EqTextTest::SetUp();
        UndoInit();
        MflInit();
        MflHakenSetzen();
        MflBefehl(1);
    }
    void TearDown() override
    {
        MflInit();
        UndoFrei();
        EqTextTest::TearDown();
    }
    int markiert(double x, double y, double dx, double dy)
    {
        const int id = linie(x, y, dx, dy);
        TzMarkSetzen(id, 1);
        return id;
    }
    static std::vector<double> xs(int i)
    {
        std::vector<double> v;
        const mfl* m = MflBuendel(i);
        for (int k = 0; k < m->anzahl; ++k) v.push_back(m->ende[k].x);
        return v;
    }
};

TEST_F(MehrfachTest, MarkedLinesContinueByTheirOwnLengthsOverTheScale)
{
    markiert(0, 20, 120, 0);
    markiert(0, 10, 100, 0);
    MflAusMarkierung();
    const mfl* m = MflBuendel(0);
    EXPECT_EQ(m->richtung, 1);
    EXPECT_EQ(xs(0), (std::vector<double>{100, 120}));
    STT a = *BefAktZustand();
    a.mass = a.msf = 2;
    ZustandSetzen(&a);
    EXPECT_EQ(MflFortsetzen(150, 20, 150, 20), -1);  // the first end's y is 10
    EXPECT_EQ(MflFortsetzen(150, 10, 150, 10), 0);
    std::vector<double> laengen;
    for (const BEF& b : etAbholen())
        if (b.code == TZ_ZL) laengen.push_back(b.darg[0]);
    EXPECT_EQ(laengen, (std::vector<double>{25, 15}));
    EXPECT_EQ(xs(0), (std::vector<double>{150, 150}));

    // Found strictly within 2.0 of the first end.
    EXPECT_EQ(MflFinden(151.9, 10), 0);
    EXPECT_EQ(MflFinden(152, 10), -1);
    BefLeeren();
}

TEST_F(MehrfachTest, OrientationCountsAndSeries)
{
    markiert(10, 0, 0.05, 30);  // vertical within 0.1
    markiert(20, 0, 0, 30);
    MflAusMarkierung();
    EXPECT_EQ(MflBuendel(0)->richtung, 0);
    EXPECT_EQ(MflBuendel(0)->anzahl, 2);

    TzLeeren();
    for (int i = 0; i < MFLENDSUP + 1; ++i) markiert(0, i, 10 + i, 0);
    MflAusMarkierung();
    EXPECT_EQ(MflBuendel(1)->anzahl, MFLENDSUP - 1);

    // A series is fresh until the recording ends.
    MflSerie(0, 100, 30, 0, 5, BefAktZustand());
    EXPECT_EQ(MflBuendel(2)->anzahl, MFLENDSUP - 1);
    EXPECT_EQ(MflBuendel(2)->richtung, 1);
    EXPECT_EQ(MflFortsetzen(50, 100, 50, 100), -1);
    MflAufnahmeEnde();
    EXPECT_EQ(MflFortsetzen(50, 100, 50, 100), 2);
    BefLeeren();
    EXPECT_EQ(MflAnzahl(), 3);
    MflBefehl(9);
    EXPECT_EQ(MflAnzahl(), 0);
}

TEST_F(MehrfachTest, UndoAndRedoBringTheBundlesBack)
{
    markiert(0, 10, 100, 0);
    markiert(0, 20, 120, 0);
    lauf([] { MflAusMarkierung(); });
    lauf([] {
        MflFortsetzen(150, 10, 150, 10);
        BefAbarbeiten();
    });
    EXPECT_EQ(TzAnzahl(), 4);
    EXPECT_EQ(xs(0), (std::vector<double>{150, 150}));
    UndoSchritt();
    EXPECT_EQ(TzAnzahl(), 2);
    EXPECT_EQ(xs(0), (std::vector<double>{100, 120}));
    RedoSchritt();
    EXPECT_EQ(TzAnzahl(), 4);
    EXPECT_EQ(xs(0), (std::vector<double>{150, 150}));

    // A new start forgets every remembered generation: no slot brings a
    // bundle back.
    MflInit();
    MflBefehl(1);
    for (int n = 0; n < MFLGENSUP; ++n) {
        ::MflGenWieder(n);
        for (int i = 0; i < LINSUP; ++i) EXPECT_EQ(MflBuendel(i)->anzahl, 0) << "slot " << n << " bundle " << i;
    }
}

struct Marke {
    double x, y;
    int pixel, r;
    bool operator==(const Marke&) const = default;
};
std::vector<Marke> marken;
int neuGezeichnet = 0;

TEST_F(MehrfachTest, MarkersShowEveryEndTheCurrentBundleInTheMarkingColourAndAreErasedOnce)
{
    EdEinst()->aktrgb[0] = 200;
    EdEinst()->mflrgb[0] = 100;
    EdmMalerSetzen([](double x, double y, int pixel, const int rgb[3]) { marken.push_back({x, y, pixel, rgb[0]}); });
    EdHaken h{};
    h.AnsichtBereichNeuZeichnen = [](int, int, int, int) { ++neuGezeichnet; };
    EdHakenSetzen(h);
    MflSerie(0, 100, 3, 0, 5, BefAktZustand());
    MflSerie(50, 0, 1, 5, 0, BefAktZustand());
    MflWaehlen(1);
    marken.clear();
    EXPECT_EQ(MflGeaendert(), 1);
    MflZeigen(1);
    EdmMalerSetzen(nullptr);
    EXPECT_EQ(marken, (std::vector<Marke>{{0, 100, 5, 100}, {0, 105, 3, 100}, {0, 110, 3, 100}, {50, 0, 5, 200}}));
    EXPECT_EQ(MflGeaendert(), 0);
    MflWaehlen(-1);
    EXPECT_EQ(MflGeaendert(), 1) << "another current bundle";
    MflWaehlen(1);
    MflAufnahmeEnde();
    EXPECT_EQ(MflVersetzen(0, 100, 30, 100), 0);
    EXPECT_EQ(MflGeaendert(), 1) << "moved ends";

    neuGezeichnet = 0;
    MflZeigen(0);
    EXPECT_EQ(neuGezeichnet, 4) << "where the four drawn ends were";
    MflZeigen(0);
    EXPECT_EQ(neuGezeichnet, 4) << "nothing shown, nothing to erase";
}

}  // namespace

