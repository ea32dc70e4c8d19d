// A project folder whose path leaves no room for a drawing's name within
// the 200 characters of a path (194 and 197 characters), opened on the
// real frame (headless) and used as a user would: "Neue Zeichnung", the
// editor's save and the drawing export are each refused with the limit
// named, and nothing is written into the folder or beside it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "editor/edtseite.h"
#include "frame/modus.h"
#include "platform/dateidialog.h"
#include "platform/headless.h"
#include "platform/nachrichtbox.h"
#include "platform/winconst.h"
#include "project/pvwliste.h"
#include "tests/frame/editor_pruef.h"
#include "tests/frame/seite_pruef.h"
#include "tests/tools/demokopie.h"
#include "winlib/dialog.h"

namespace fs = std::filesystem;
using namespace seitepruef;

namespace {

// The files of the demo copy (its settings file aside: dialog places).
std::map<std::string, std::string> loStand(const fs::path& wurzel)
{
    std::map<std::string, std::string> m;
    for (const auto& e : fs::recursive_directory_iterator(wurzel)) {
        if (!e.is_regular_file() || e.path().filename() == "Velmo-11.ini") continue;
        std::ostringstream o;
        o << std::ifstream(e.path(), std::ios::binary).rdbuf();
        m[e.path().string()] = o.str();
    }
    return m;
}

std::string loBoxen()
{
    std::string s;
    for (const plNachrichtBoxFrage& b : plNachrichtBoxFragen()) s += "[" + b.titel + "] " + b.text + "\n";
    return s;
}

class LangerOrdner : public ::testing::TestWithParam<size_t> {
protected:
    DemoKopie demo;
    fs::path vorher;
    fs::path ordner;
    std::vector<std::string> args;
    std::vector<const char*> argv;

    void SetUp() override
    {
        std::string lang = demo.wurzel() + "/";
        const size_t laenge = GetParam();
        while (lang.size() < laenge) lang += std::string(std::min<size_t>(40, laenge - lang.size()), 'x') + "/";
        lang.resize(laenge);
        if (lang.back() == '/') lang.back() = 'y';
        ordner = lang;
        fs::create_directories(ordner);
        fs::copy_file(fs::path(demo.projekt()) / "HV1.01", ordner / "HV1.01");
        rahmenOrdnerEinrichten(demo.wurzel());
        vorher = fs::current_path();
        fs::current_path(demo.wurzel());
        plNachrichtBoxFragenLeeren();
        rahmenStarten(args, argv, {"-W=1", ordner.string()});
        if (HasFatalFailure()) return;
        rahmenPumpen();
    }
    void TearDown() override
    {
        rahmenBeenden(vorher);
        plNachrichtBoxSkriptLeeren();
    }
};

}  // namespace

TEST_P(LangerOrdner, NewDrawingSaveAndExportAreRefusedWithTheLimit)
{
    const std::string grenze = "l\xE4nger als 200 Zeichen";
    ASSERT_EQ(ordner.string().size(), GetParam());
    // The sheet there cannot be opened under its path: said at the start,
    // not left out of the list without a word.
    ASSERT_EQ(plNachrichtBoxFragen().size(), 1u) << loBoxen();
    EXPECT_EQ(plNachrichtBoxFragen()[0].text, "Die Zeichnung HV1.01 wird nicht angezeigt: ihr Pfad ist " + grenze +
                                                  ". Die Datei bleibt unver\xE4ndert.");
    EXPECT_EQ(PvwAnzahl(), 0);
    plNachrichtBoxFragenLeeren();
    auto stand = loStand(demo.wurzel());

    // "Neue Zeichnung" (Ctrl+N on the project page): "Plan" page "001".
    SetFocus(GetDlgItem(rahmenSeite(MODUS_PVW), 3000));
    plHeadlessTasteRunter(VK_CONTROL);
    plHeadlessTaste('N');
    plHeadlessTasteHoch(VK_CONTROL);
    rahmenPumpen();
    HWND d = wiDlgSuchen("ZeiAnlegen");
    ASSERT_NE(d, 0u) << loBoxen();
    tippen(d, 3000, "Plan");
    tippen(d, 3010, "001");
    klick(d, 2500);
    ASSERT_EQ(plNachrichtBoxFragen().size(), 1u) << loBoxen();
    EXPECT_EQ(plNachrichtBoxFragen()[0].text, "Der Pfad ist " + grenze + " und wird nicht benutzt: " +
                                                  ordner.string() + "/Plan.001");
    EXPECT_EQ(wiDlgSuchen("ZeiAnlegen"), d) << "the dialog stays for another name";
    taste(VK_ESCAPE);
    plNachrichtBoxFragenLeeren();
    EXPECT_TRUE(loStand(demo.wurzel()) == stand);

    // In the editor a drawing of its own (not one of a project), a line
    // drawn, "Datei > Speichern unter..." as "Plan.001" in the long folder.
    EditorMitDatei((demo.projekt() + "/HV1.08").c_str());
    rahmenPumpen();
    ASSERT_NE(EdtFenster(), 0u);
    plNachrichtBoxFragenLeeren();
    stand = loStand(demo.wurzel());  // the switch to the demo project writes its contents file
    eingabeZeile("LA");
    eingabeZeile("BW 200 150");
    eingabeZeile("ZL 60 30");
    plDateiDialogFragenLeeren();
    plDateiDialogAntwort((ordner / "Plan.001").c_str());
    ASSERT_TRUE(menueWaehlen(1005));
    rahmenPumpen();
    ASSERT_EQ(plDateiDialogFragen().size(), 1u) << loBoxen();
    ASSERT_EQ(plNachrichtBoxFragen().size(), 1u) << loBoxen();
    EXPECT_EQ(plNachrichtBoxFragen()[0].text, "Der gew\xE4hlte Pfad ist " + grenze + " und wird nicht benutzt.");
    plNachrichtBoxFragenLeeren();

    // The drawing exported ("Datei > Exportieren...") as "Plan.png" there.
    ASSERT_TRUE(menueWaehlen(1006));
    rahmenPumpen();
    d = wiDlgSuchen("DB1006");
    ASSERT_NE(d, 0u) << loBoxen();
    tippen(d, 3000, (ordner / "Plan.png").c_str());
    klick(d, 2500);
    ASSERT_EQ(plNachrichtBoxFragen().size(), 1u) << loBoxen();
    EXPECT_EQ(plNachrichtBoxFragen()[0].text, "Der Pfad ist " + grenze + " und wird nicht benutzt: " +
                                                  (ordner / "Plan.png").string());
    EXPECT_EQ(wiDlgSuchen("DB1006"), d) << "the dialog stays for another name";
    const fs::path bild = fs::read_symlink("/proc/self/exe").parent_path() /
                          ("frame_langer_ordner_" + std::to_string(GetParam()) + ".png");
    EXPECT_EQ(plHeadlessPng(d, bild.c_str()), 0);
    taste(VK_ESCAPE);

    // Nothing written in the long folder or anywhere else of the copy.
    plNachrichtBoxAntwort(IDNO);  // the changed sheet is not saved at the end
    const auto nachher = loStand(demo.wurzel());
    for (const auto& [n, b] : nachher)
        if (!stand.count(n) || stand.at(n) != b) ADD_FAILURE() << "written: " << n;
    for (const auto& [n, b] : stand)
        if (!nachher.count(n)) ADD_FAILURE() << "gone: " << n;
    std::vector<std::string> namen;
    for (const auto& e : fs::directory_iterator(ordner)) namen.push_back(e.path().filename().string());
    EXPECT_EQ(namen, std::vector<std::string>{"HV1.01"});
}

INSTANTIATE_TEST_SUITE_P(Laengen, LangerOrdner, ::testing::Values(194u, 197u));
