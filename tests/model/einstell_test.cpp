// Drawing settings from a defaults-set fixture, pen and layer names, the
// placement transform read from the defaults.
#include "model/einstell.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "config/reaktion.h"
#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "model/befehl.h"
#include "model/dienste.h"
#include "model/geometri.h"
#include "model/justage.h"
#include "model/zustand.h"
#include "platform/fehlersim.h"
#include "platform/orte.h"
#include "support/basis.h"
#include "tests/model/modelltest.h"

using namespace modh;  // the model's calls through its service tables

namespace {

// The application-data folder of the whole test program lies in a folder of
// its own, never in the user's; it is removed at exit.
char xdgOrdner[256];

std::string anwendungsOrdner()
{
    if (!xdgOrdner[0]) {
        std::string o = (std::filesystem::temp_directory_path() /
                         ("velmo-model-xdg-" + std::to_string(getpid())))
                            .string();
        std::filesystem::create_directories(o);
        std::snprintf(xdgOrdner, sizeof xdgOrdner, "%s", o.c_str());
        setenv("XDG_CONFIG_HOME", xdgOrdner, 1);
        std::atexit([] {
            std::error_code fehler;
            std::filesystem::remove_all(xdgOrdner, fehler);
        });
    }
    return xdgOrdner;
}
const bool anwendungGesetzt = !anwendungsOrdner().empty();

int strichMax = -1;

void farbeTest(char* text, size_t kap)
{
    std::string t = text;
    const char* rgb = t == "rot" ? "255 0 0" : t == "blau" ? "0 0 255" : t == "weiss" ? "255 255 255" : "0 0 0";
    std::snprintf(text, kap, "%s", rgb);
}

void strichTest(int n) { strichMax = n; }

struct Vorgaben : ::testing::Test {
    void SetUp() override
    {
        ModDiensteSetzen({farbeTest, strichTest});
        VgbFehlMeldung(0);
        VgbSetSetzen("Test", mtFixture("Test.vgb").c_str());
    }
    void TearDown() override
    {
        ModDiensteStandard();
        VgbFehlMeldung(1);
        GenauigkeitSetzen(1);
        MassstabRundenSetzen(0);
    }
};

TEST_F(Vorgaben, BasicSettingsAndTheStateBuiltFromThem)
{
    GRUNDEINST g;
    std::memset(&g, 0, sizeof g);
    GrundEinstLesen(&g);
    EXPECT_EQ(g.zvms, 25);
    EXPECT_EQ(g.zvx, -15);
    EXPECT_STREQ(g.zvbd, "ABC");
    EXPECT_EQ(g.layanz[0], 1);
    EXPECT_EQ(g.layanz[1], 0);
    EXPECT_EQ(g.layanz[2], 1);  // a missing numbered key reads as its number 0
    EXPECT_EQ(g.layanz[3], 1);
    STT s;
    std::memset(&s, 0, sizeof s);
    SttInit(&s, &g);
    EXPECT_EQ(s.msf, 2.5);
    EXPECT_EQ(s.x, -1.5);
    EXPECT_EQ(s.tr, 900);
    EXPECT_EQ(s.st, 3);
    EXPECT_STREQ(s.td, "normtexte");
    BEF ms;
    std::memset(&ms, 0, sizeof ms);
    ms.code = 13;
    ms.darg[0] = 1.2345;
    SttAnwenden(&ms, &s);
    EXPECT_EQ(s.mass, 1.23);  // ZvMSR switched rounding on
}

TEST_F(Vorgaben, ViewerPens)
{
    VIEINST v;
    std::memset(&v, 0, sizeof v);
    ViEinstLesen(&v);
    struct Fall {
        int k, breite, r, g, b, zweit, r2, g2, b2;
    } faelle[] = {
        {0, 2, 10, 10, 10, 0, 0, 0, 0},  // always parsed
        {1, 2, 10, 10, 10, 0, 0, 0, 0},  // empty: a copy of entry 0
        {5, 2, 255, 0, 0, 0, 0, 0, 0},   // width and colour from two keys
        {6, 3, 255, 0, 0, 1, 0, 0, 255}, // two colour names
        {7, 4, 10, 20, 30, 0, 0, 0, 0},
        {8, 5, 0, 0, 0, 0, 0, 0, 0},     // unknown name
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.k);
        const VISTIFT& s = v.stift[f.k];
        EXPECT_EQ(s.breite, f.breite);
        EXPECT_EQ(s.r, f.r);
        EXPECT_EQ(s.g, f.g);
        EXPECT_EQ(s.b, f.b);
        EXPECT_EQ(s.zweit, f.zweit);
        EXPECT_EQ(s.r2, f.r2);
        EXPECT_EQ(s.g2, f.g2);
        EXPECT_EQ(s.b2, f.b2);
    }
    EXPECT_EQ(v.flux, -5.0);
    EXPECT_EQ(v.frox, 420.0);
    EXPECT_EQ(v.bgrgb[0] + v.bgrgb[1] + v.bgrgb[2], 765);
}

TEST_F(Vorgaben, EmptyPenZeroHasWidthOne)
{
    VgbOeffnen();
    VgbSetzen("ViStDef0", "");
    VIEINST v;
    std::memset(&v, 0, sizeof v);
    ViEinstLesen(&v);
    VgbSchliessen();
    EXPECT_EQ(v.stift[0].breite, 1);
    EXPECT_EQ(v.stift[0].r, 0);
    EXPECT_EQ(v.stift[1].breite, 1);
}

TEST_F(Vorgaben, EditorSettings)
{
    EDEINST fremd;
    std::memset(&fremd, 0, sizeof fremd);
    EdEinstLesen(&fremd);
    EXPECT_EQ(Genauigkeit(), 1);  // only the program's own block sets the tolerance
    EXPECT_EQ(fremd.nk, 3);
    EXPECT_EQ(fremd.wnk, 1);
    EXPECT_EQ(fremd.a3a4, 'u');
    EXPECT_EQ(fremd.sl[7], 7.0);
    EXPECT_EQ(fremd.sl[0], 2.5);
    EXPECT_EQ(fremd.rprgb[2], 255);
    EXPECT_EQ(fremd.sumatx, 1);
    EXPECT_EQ(strichMax, 12);

    EdEinstLesen(nullptr);
    EXPECT_EQ(Genauigkeit(), 3);
    EXPECT_EQ(EdEinst()->lalang, 5);

    struct Fall {
        const char* wert;
        int lalang;
    } faelle[] = {{"0", 15}, {"1", 15}, {"3", 5}, {"12", 12}, {"40", 20}};
    for (const Fall& f : faelle) {
        VgbOeffnen();
        VgbSetzen("LaLang", f.wert);
        EDEINST e;
        EdEinstLesen(&e);
        VgbSchliessen();
        EXPECT_EQ(e.lalang, f.lalang) << f.wert;
    }
}

TEST_F(Vorgaben, PlacementTransform)
{
    JusTrafo t;
    JusLesen(&t);
    EXPECT_EQ(t.drehung, 1);
    EXPECT_EQ(t.x, 10.0);
    EXPECT_EQ(t.mass, 2.0);
    double x = 1, y = 0;
    JusPunkt(&t, &x, &y);
    EXPECT_EQ(x, 10.0);
    EXPECT_EQ(y, 2.0);

    VgbOeffnen();
    VgbSetzen("JusS", "0");
    JusLesen(&t);
    VgbSchliessen();
    EXPECT_EQ(t.mass, 1.0);  // a missing scale is 1:1
    EXPECT_EQ(JusMassZurueck(&t, 4), 4.0);
}

TEST(ModDienste, StandInsAndPartialInstall)
{
    ModDiensteStandard();
    char farbe[16] = "rot";
    RgbAusFarbname(farbe, sizeof farbe);
    EXPECT_STREQ(farbe, "0 0 0");
    char klein[4] = "rot";
    RgbAusFarbname(klein, sizeof klein);
    EXPECT_STREQ(klein, "0 0");  // cut to the buffer
    ModDiensteSetzen({nullptr, strichTest});
    StrichMaxSetzen(7);
    EXPECT_EQ(strichMax, 7);
    std::strcpy(farbe, "rot");
    RgbAusFarbname(farbe, sizeof farbe);  // the stand-in stays
    EXPECT_STREQ(farbe, "0 0 0");
    ModDiensteStandard();
}

std::string spur;
void spurMerken(const char* text) { spur += text; }

TEST_F(Vorgaben, TraceUnderTestLetterIIgnoresTheLocale)
{
    const char* argumente[] = {"velmo", "-T=I"};
    plOrtArgumenteSetzen(2, argumente);
    TestOptionLesen();
    WiDebugSenke alt = wiDebugSenkeSetzen(spurMerken);
    const char* lokal = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    spur.clear();
    JusTrafo t;
    JusLesen(&t);
    std::setlocale(LC_NUMERIC, "C");
    wiDebugSenkeSetzen(alt);
    const char* keine[] = {"velmo"};
    plOrtArgumenteSetzen(1, keine);
    TestOptionLesen();
    EXPECT_EQ(spur, "jus 1 10.0 0.0 2.00\n");
    if (!lokal) {
        GTEST_SKIP() << "de_DE.UTF-8 missing (scripts/install-deps generates it)";
    }
}

// ---- pen and layer names ------------------------------------------------------

struct Namen : ::testing::Test {
    MtOrdner projekt, programm;
    void SetUp() override
    {
        std::filesystem::remove(anwendungsOrdner() + "/Velmo/Stifte.txt");
        std::filesystem::remove(anwendungsOrdner() + "/Velmo/Layer.txt");
        VerSetzen(1, projekt.pfad.c_str());
        VerSetzen(0, programm.pfad.c_str());
        StifteVergessen();
        LayerZuruecksetzen();
    }
    void TearDown() override
    {
        VerSetzen(1, "");
        VerSetzen(0, "");
        StifteVergessen();
        LayerZuruecksetzen();
    }
};

std::string breit(const std::string& s) { return s + std::string(20 - s.size(), ' '); }

std::string stift(int n)
{
    char name[STIFTNAMESUP + 1] = "x";
    StiftName(n, name);
    return name;
}

TEST_F(Namen, ProjectFileFirstLinesInAnyOrder)
{
    mtSchreiben(programm / "Stifte.txt", "1 Programm\r\n");
    mtSchreiben(projekt / "Stifte.txt",
                "0 Projekt\r\n5   Fuenf  \r\n200 Letzter\r\n3 Ein sehr langer Stiftname der nicht passt\r\n"
                "5 Fuenf neu\r\n\r\n");
    EXPECT_EQ(stift(1), breit("Projekt"));  // number 0 is pen 1
    EXPECT_EQ(stift(5), breit("Fuenf neu"));
    EXPECT_EQ(stift(99), breit("Letzter"));
    EXPECT_EQ(stift(3), "Ein sehr langer Stif");
    EXPECT_EQ(stift(2), "");
    EXPECT_EQ(stift(0), "");
    EXPECT_EQ(stift(100), "");

    std::filesystem::remove(projekt / "Stifte.txt");
    EXPECT_EQ(stift(1), breit("Projekt"));  // loaded once
    StifteVergessen();
    EXPECT_EQ(stift(1), breit("Programm"));
}

TEST_F(Namen, LayersAndVisibility)
{
    mtSchreiben(projekt / "Layer.txt", "1 Grund\r\n20 Oben\r\n");
    char name[STIFTNAMESUP + 1];
    LayerName(0, name);
    EXPECT_EQ(std::string(name), breit("Grund"));
    LayerName(25, name);
    EXPECT_EQ(std::string(name), breit("Oben"));
    LayerSichtSetzen(3, 0);
    EXPECT_EQ(LayerSichtbar(3), 0);
    EXPECT_EQ(LayerSichtbar(4), 1);
    LayerSichtSetzen(0, 0);
    EXPECT_EQ(LayerSichtbar(1), 0);
    LayerZuruecksetzen();
    EXPECT_EQ(LayerSichtbar(3), 1);
    EXPECT_EQ(LayerSichtbar(1), 1);
}

TEST_F(Namen, SavedToTheApplicationFolderNeverToTheProgramFolder)
{
    mtSchreiben(programm / "Stifte.txt", "1 Programm\r\n");
    StiftNameSetzen(2, "  Zwei  ");
    StiftNameSetzen(0, "Eins");
    ASSERT_EQ(StifteSpeichern(), 0);
    std::string gespeichert = mtLesen(anwendungsOrdner() + "/Velmo/Stifte.txt");
    EXPECT_EQ(gespeichert.substr(0, 18), "1 Eins\r\n2 Zwei\r\n3 ");
    EXPECT_NE(gespeichert.find("\r\n99 \r\n"), std::string::npos);
    EXPECT_EQ(mtLesen(programm / "Stifte.txt"), "1 Programm\r\n");
    StifteVergessen();
    EXPECT_EQ(stift(1), breit("Eins"));  // the application folder before the program folder

    {
        PlFehlerScope scope;
        plFehlerSetzen(PlFehlerArt::Schreiben, 1, true);
        StiftNameSetzen(1, "Anders");
        EXPECT_EQ(StifteSpeichern(), -1);
    }
    EXPECT_EQ(mtLesen(anwendungsOrdner() + "/Velmo/Stifte.txt"), gespeichert);

    LayerNameSetzen(4, "Vier");
    ASSERT_EQ(LayerSpeichern(), 0);
    std::string layer = mtLesen(anwendungsOrdner() + "/Velmo/Layer.txt");
    EXPECT_NE(layer.find("\r\n4 Vier\r\n"), std::string::npos);
    EXPECT_NE(layer.find("\r\n20 \r\n"), std::string::npos);

    // Read back, the unnamed slots stay empty (the pen and layer menus list
    // only named ones).
    StifteVergessen();
    EXPECT_EQ(stift(1), breit("Eins"));
    EXPECT_EQ(stift(3), "");
    LayerZuruecksetzen();
    char name[STIFTNAMESUP + 1] = "x";
    LayerName(5, name);
    EXPECT_STREQ(name, "");
}

}  // namespace
