// Tests of the module start-up and shut-down table, the activation
// forwarding and the folder reload registered at start-up.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include "config/datwache.h"
#include "config/verordner.h"
#include "config/verzeich.h"
#include "frame/modstart.h"
#include "model/einstell.h"
#include "output/ansicht.h"
#include "output/bilder.h"
#include "output/dxfexp.h"
#include "output/dxfimp.h"
#include "output/element.h"
#include "output/gdi.h"
#include "output/show.h"
#include "output/tbar.h"
#include "output/schrift.h"
#include "winlib/winbib.h"
#include "platform/fenster.h"
#include "platform/orte.h"
#include "platform/profil.h"
#include "platform/winconst.h"
#include "winlib/anwdaten.h"

namespace {

namespace fs = std::filesystem;

int modNachEinst = 0;

struct ModStart : ::testing::Test {
    fs::path ordner, alt;
    void SetUp() override
    {
        alt = fs::current_path();
        char muster[] = "/tmp/velmo-modstart-XXXXXX";
        ASSERT_NE(mkdtemp(muster), nullptr);
        ordner = muster;
        fs::create_directories(ordner / "konfig");
        fs::create_directories(ordner / "Projekt A");
        setenv("XDG_CONFIG_HOME", (ordner / "konfig").c_str(), 1);
        plIniCacheLeeren();
        fs::current_path(ordner);
        plFensterSystemEnde();
        anwZuruecksetzen();
        DatWacheZuruecksetzen();
        ModProtokoll().clear();
        modNachEinst = 0;
        ModNachEinstellungenSetzen([] { ++modNachEinst; });
    }
    void TearDown() override
    {
        ModuleBeenden();
        ModNachEinstellungenSetzen(nullptr);
        plFensterSystemEnde();
        anwZuruecksetzen();
        fs::current_path(alt);
        VerSetzen(0, "");
        VerSetzen(1, "");
        DatWacheZuruecksetzen();
        plIniCacheLeeren();
        fs::remove_all(ordner);
    }
};

TEST_F(ModStart, ModulesStartInTheirOrderAndEndInReverse)
{
    const char* argv[] = {"velmo", "-V=Projekt A"};
    plOrtArgumenteSetzen(2, argv);
    ModuleStarten();
    const std::vector<std::string> start = {
        "TestOptionLesen", "VerStart", "VgbStart", "VerOption", "VgbKommandozeile", "SprOption", "ZvIniPfad",
        "IniFuerFenster", "Haken", "BauInit", "StndTextInit", "BMStart", "ProjModuleStarten", "AppInit",
        "LagerInit", "OrdnerWacheAnlegen", "OrdnerEinstLaden", "OrdnerEinst", "BMNormOption",
        "DragAcceptFiles", "EdtBefehlHaken",
    };
    EXPECT_EQ(ModProtokoll(), start);
    EXPECT_EQ(modNachEinst, 1);
    EXPECT_EQ(std::string(VerAktuell()), (ordner / "Projekt A").string() + "/");
    EXPECT_EQ(VerAmStart(), 1);

    ModuleStarten();  // started rows are not started again
    EXPECT_EQ(ModProtokoll().size(), start.size());

    ModProtokoll().clear();
    ModuleBeenden();
    EXPECT_EQ(ModProtokoll(), (std::vector<std::string>{"-DragAcceptFiles", "-LagerInit", "-AppInit", "-ProjModuleStarten", "-BMStart",
                                                        "-StndTextInit", "-BauInit", "-Haken"}));
    ModProtokoll().clear();
    ModuleBeenden();  // nothing started: nothing ended
    EXPECT_TRUE(ModProtokoll().empty());
}

TEST_F(ModStart, TheRegisteredReloadRunsOnAFolderSwitchOnly)
{
    const char* argv[] = {"velmo"};
    plOrtArgumenteSetzen(1, argv);
    ModuleStarten();
    ModProtokoll().clear();
    EXPECT_EQ(OrdnerEinstLaden(), 0);
    EXPECT_TRUE(ModProtokoll().empty());
    ASSERT_EQ(VerUmschalten((ordner / "Projekt A" / "x.zei").c_str()), 1);
    EXPECT_EQ(ModProtokoll(), std::vector<std::string>{"OrdnerEinst"});
    EXPECT_EQ(modNachEinst, 2);
    char schrift[WISCHRIFTSUP + 1] = "";
    SchriftName(0, schrift, sizeof schrift);
    EXPECT_STREQ(schrift, ViEinst()->font) << "font 0 follows the viewer font of the folder";
}

TEST_F(ModStart, ActivationAdvancesTheCheckCounter)
{
    struct Fall {
        UINT nachricht;
        WPARAM wp;
        int zaehler;
        int aktiv;
    };
    const Fall faelle[] = {
        {WM_ACTIVATEAPP, 0, 1, 0},
        {WM_ACTIVATEAPP, 1, 2, 1},
        {WM_ACTIVATE, 0, 2, 1},  // other messages: nothing
    };
    for (const Fall& f : faelle) {
        AktivierungMelden(f.nachricht, f.wp);
        EXPECT_EQ(DatPruefZaehler(), f.zaehler);
        EXPECT_EQ(DatAktiv(), f.aktiv);
    }
}

}  // namespace
