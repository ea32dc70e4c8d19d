// The shipped defaults set makes a new drawing visible: read as the program
// reads it at start, it gives scale 1, pen 1, line type 7, positive text
// values and dash length, and every layer shown, without a missing key.
#include "config/vorgaben.h"
#include "model/einstell.h"
#include "model/zustand.h"
#include "tests/config/konftest.h"

namespace {

class Startwerte : public konftest::KonfTest {
protected:
    void TearDown() override
    {
        while (VgbAnzahl() > 0) VgbSchliessen();
        KonfTest::TearDown();
    }
};

TEST_F(Startwerte, TheShippedSetGivesAVisibleStartState)
{
    VerSetzen(0, VELMO_SOURCE_DIR "/data");
    ordner("prj");
    VerSetzen(1, pfad("prj").c_str());
    VgbPraefix("");
    VgbFehlMeldung(1);
    ASSERT_EQ(VgbSetWaehlen("Standard"), 0);
    GRUNDEINST g{};
    GrundEinstLesen(&g);
    STT s;
    SttInit(&s, &g);
    EXPECT_EQ(s.mass, 1.0);
    EXPECT_EQ(s.st, 1);
    EXPECT_EQ(s.sa, 7);
    EXPECT_EQ(s.sl, 4.0);
    EXPECT_EQ(s.tg, 3.5);
    EXPECT_EQ(s.tv, 1.0);
    EXPECT_EQ(s.th, 1.0);
    for (int i = 0; i < LAYERSUP; ++i) EXPECT_EQ(g.layanz[i], 1) << "layer " << i + 1;
    VgbFehlendeMelden();
    EXPECT_TRUE(konftest::fake().warnungen.empty()) << konftest::fake().warnungen.front();
}

}  // namespace
