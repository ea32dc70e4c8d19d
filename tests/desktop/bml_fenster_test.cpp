// The equipment list page on the desktop backend under the test's X server,
// the real frame in-process on a working copy of the demo: undocked, the
// page is an X top-level window of its own with the page's title; docked
// again, that window is gone and the page is a part of the main window.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "equipment/app.h"
#include "equipment/definfo.h"
#include "equipment/definier.h"
#include "equipment/lagerart.h"
#include "equipment/ngestext.h"
#include "equipment/nhuliste.h"
#include "equipment/nzustext.h"
#include "equipment/wse.h"
#include "lists/bmlbearb.h"
#include "winlib/anwdaten.h"
#include "tests/desktop/desktop_pruef.h"
#include "tests/frame/rahmen_pruef.h"
#include "tests/tools/demokopie.h"

namespace {

// Visible X windows titled exactly "Betriebsmittel" (xdotool's answer).
std::string seitenFenster(const std::string& datei)
{
    std::string aus;
    desktopAusfuehren("xdotool search --onlyvisible --name '^Betriebsmittel$'", datei, &aus);
    return aus;
}

TEST(BmlDesktop, TheUndockedPageIsItsOwnXWindowGoneWhenDocked)
{
    ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "run under xvfb-run";
    DemoKopie demo;
    std::filesystem::path vorher;
    std::vector<std::string> args;
    std::vector<const char*> argv;
    rahmenDemoStarten(demo.wurzel(), vorher, args, argv);
    if (HasFatalFailure()) return;
    AppAktivSetzen(1);
    auto ruhig = [] { return !plNachrichtArbeitWartet(); };
    ASSERT_TRUE(desktopPumpen(10000, ruhig));
    // The mode switch opens the editor first when there is none, as the
    // function bar does.
    ModusUmschalten(MODUS_BML);
    ASSERT_TRUE(desktopPumpen(10000, ruhig));
    ModusUmschalten(MODUS_BML);
    ASSERT_TRUE(desktopPumpen(10000, [&] { return BmlFenster() != 0 && ruhig(); }));
    ASSERT_EQ(BmlIstExtern(), 0);
    const std::string datei = demo.wurzel() + "/xdotool.txt";
    EXPECT_EQ(seitenFenster(datei), "") << "embedded: no window of its own";

    SendMessage(BmlFenster(), WM_COMMAND, 2980, 0);
    ASSERT_EQ(BmlIstExtern(), 1);
    EXPECT_TRUE(desktopPumpen(10000, [&] { return seitenFenster(datei) != ""; })) << "undocked: an X top-level window";
    if (const char* z = std::getenv("VELMO_BILDER"))
        desktopAusfuehren("import -window root '" + std::string(z) + "/bml_abgedockt.png'", datei);

    SendMessage(BmlFenster(), WM_COMMAND, 2980, 0);
    EXPECT_EQ(BmlIstExtern(), 0);
    EXPECT_TRUE(desktopPumpen(10000, [&] { return seitenFenster(datei) == ""; })) << "docked: the window is gone";
    rahmenBeenden(vorher);
    // The later tests of this program run without a main window (the
    // clipboard is opened for it).
    anwDaten()->hauptfenster = 0;
}

}  // namespace
