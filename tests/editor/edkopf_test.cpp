// The drawing header through a real save and load: title lines 0..4, the
// index and short texts; header records outside their tables in a file;
// the layer records under the layer switch.
#include "editor/edkopf.h"

#include <gtest/gtest.h>

#include <string>

#include "editor/befausf.h"
#include "editor/zeidok.h"
#include "model/einstell.h"
#include "model/textvar.h"
#include "model/zeichnun.h"
#include "tests/editor/edtest.h"
#include "tests/model/tztest.h"

namespace {

struct Kopf : TzTest {
    EdOrdner o;
    void SetUp() override
    {
        TzTest::SetUp();
        ZeiHakenSetzen();
        EdEinst()->sperre = 0;
        ZeiNeu();
        ZeiLayerSchalterSetzen(0);
    }
    void TearDown() override
    {
        ZeiLayerSchalterSetzen(0);
        for (int l = 1; l <= LAYERSUP; ++l) LayerSichtSetzen(l, 1);
        TzTest::TearDown();
    }
    // Saves, empties the document and loads again.
    void rundreise(const std::string& p)
    {
        linie(0, 0, 10, 0);
        ASSERT_EQ(ZeiSpeichern(p.c_str()), 0);
        ZeiNeu();
        ASSERT_EQ(ZeiLaden(p.c_str(), 1, 0), 0);
    }
};

TEST_F(Kopf, TitleLinesAndShortTextsRoundTrip)
{
    struct Fall {
        int hoechste;  // lines 0..hoechste are filled
    } faelle[] = {{1}, {4}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.hoechste);
        for (int i = 0; i <= f.hoechste; ++i) ZeiKopfTextSetzen(i, ("Titel " + std::to_string(i)).c_str());
        ZeiKopfTextSetzen(-1, "IDX");
        ZeiKopfTextSetzen(10, "kurz zehn");
        ZeiKopfTextSetzen(11, "kurz elf");
        rundreise(o.pfad(("Kopf" + std::to_string(f.hoechste) + ".001").c_str()));
        for (int i = 0; i < ZEIKOPFZEILEN; ++i) {
            EXPECT_EQ(std::string(ZeiKopfText(i)), i <= f.hoechste ? "Titel " + std::to_string(i) : "") << i;
        }
        EXPECT_STREQ(ZeiKopfText(-1), "IDX");
        EXPECT_STREQ(ZeiKopfText(10), "kurz zehn");
        EXPECT_STREQ(ZeiKopfText(11), "kurz elf");
        EXPECT_STREQ(ZeiTitel(0), "Titel 0") << "the header cache follows";
    }
}

TEST_F(Kopf, RecordsOutsideTheirTablesChangeNothing)
{
    BEF ztx = tzRec(122, {}, "vorher", {-1});
    BEF lra = tzRec(16, {}, nullptr, {25, 0});
    BEF lra0 = tzRec(16, {}, nullptr, {0, 0});
    ZeiLadenBeginn();
    ZeiKopfBefehl(&ztx);
    ZeiKopfBefehl(&lra);
    ZeiKopfBefehl(&lra0);
    ZeiLadenEnde();
    for (int i = 0; i < ZEIKOPFZEILEN; ++i) EXPECT_STREQ(ZeiKopfText(i), "") << i;
    for (int l = 1; l <= LAYERSUP; ++l) EXPECT_TRUE(LayerSichtbar(l)) << l;
    BEF ztx9 = tzRec(122, {}, "neun", {9});  // beyond line 4: line 4
    ZeiKopfBefehl(&ztx9);
    EXPECT_STREQ(ZeiKopfText(4), "neun");
}

TEST_F(Kopf, LayerRecordsFollowTheSwitch)
{
    ZeiLayerSchalterSetzen(1);
    LayerSichtSetzen(3, 0);
    rundreise(o.pfad("Layer.001"));
    EXPECT_FALSE(LayerSichtbar(3)) << "the drawing's layer table came back";
    EXPECT_TRUE(LayerSichtbar(4));
    ZeiLayerSchalterSetzen(0);
    LayerSichtSetzen(3, 1);
    rundreise(o.pfad("Ohne.001"));
    EXPECT_TRUE(LayerSichtbar(3));
}

}  // namespace
