// The DXF import tried as a new user would: the real frame started headless
// on a working copy of the demo, "Zeichnung > Importieren..." from the menu
// bar, the file picked in the file dialog, the import dialog filled in and
// confirmed with clicks; three files written by ezdxf: one with splines
// (R2000), one of R2018 with umlauts, one drawn in inches. The messages and
// the log lines are printed (the closing note quotes them); pictures of the
// dialog and of each message box go to the test's temporary folder.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "frame/anw.h"
#include "model/befehl.h"
#include "model/zeichnun.h"
#include "platform/dateidialog.h"
#include "platform/headless.h"
#include "platform/nachrichtbox.h"
#include "platform/cp1252.h"
#include "support/bdatei.h"
#include "tests/frame/demorahmen_pruef.h"
#include "tests/frame/editor_pruef.h"
#include "tests/frame/seite_pruef.h"
#include "winlib/dialog.h"

namespace fs = std::filesystem;

namespace {

using seitepruef::feld;
using seitepruef::klick;
using seitepruef::tippen;

std::string boxBild;  // where the next message box is saved

void boxSehen(HWND box)
{
    if (boxBild.empty()) return;
    EXPECT_EQ(plHeadlessPng(box, boxBild.c_str()), 0);
    boxBild.clear();
}

std::vector<std::string> zeilen(const fs::path& p)
{
    std::ifstream f(p, std::ios::binary);
    std::vector<std::string> v;
    std::string z;
    while (std::getline(f, z)) {
        if (!z.empty() && z.back() == '\r') z.pop_back();
        v.push_back(z);
    }
    return v;
}

class DxfImportLauf : public DemoRahmen {
protected:
    void TearDown() override
    {
        plNachrichtBoxBeobachter(nullptr);
        plDateiDialogSkriptLeeren();
        DemoRahmen::TearDown();
    }

    // Menu, file dialog, import dialog (stem `stamm`, first title line),
    // OK; the message box texts the run showed.
    std::vector<std::string> importieren(const std::string& fixture, const char* stamm, const char* titel)
    {
        const fs::path ordner = fs::path(demo.wurzel()) / "Fremd";
        fs::create_directories(ordner);
        const fs::path dxf = ordner / fixture;
        fs::copy_file(std::string(VELMO_TEST_DATA) + "/output/dxf/ezdxf/" + fixture, dxf,
                      fs::copy_options::overwrite_existing);
        plNachrichtBoxFragenLeeren();
        plDateiDialogAntwort(dxf.string().c_str());
        EXPECT_TRUE(menueWaehlen(1600));
        rahmenPumpen();
        HWND dlg = wiDlgSuchen("DXFImport");
        EXPECT_NE(dlg, 0u);
        if (dlg == 0) return {};
        EXPECT_EQ(feld(dlg, 3302), fixture);
        tippen(dlg, 3200, stamm);
        tippen(dlg, 3220, titel);
        EXPECT_EQ(plHeadlessPng(dlg, (std::string(::testing::TempDir()) + "dxfimport_" + stamm + ".png").c_str()), 0);
        boxBild = std::string(::testing::TempDir()) + "dxfimport_" + stamm + "_meldung.png";
        plNachrichtBoxBeobachter(boxSehen);
        klick(dlg, 2500);
        plNachrichtBoxBeobachter(nullptr);
        EXPECT_EQ(wiDlgSuchen("DXFImport"), 0u) << "the dialog closes after the import";
        std::vector<std::string> w;
        for (const auto& f : plNachrichtBoxFragen()) {
            w.push_back(f.text);
            std::printf("[message %s] %s\n", stamm, plCpNachUtf8(f.text).c_str());
        }
        for (const std::string& z : zeilen(ordner / "dxflog.txt")) std::printf("[log %s] %s\n", stamm, plCpNachUtf8(z).c_str());
        return w;
    }

    std::string zeichnung(const char* stamm, const char* endung)
    {
        return (fs::path(demo.projekt()) / (std::string(stamm) + "." + endung)).string();
    }
};

TEST_F(DxfImportLauf, SplinesUmlautsAndInchesThroughTheDialog)
{
    rahmenPumpen();
    plNachrichtBoxFragenLeeren();

    // Splines: the message names what stayed behind, the log has a line per type.
    std::vector<std::string> w = importieren("r2000.dxf", "Spline", "Splines aus R2000");
    ASSERT_EQ(w.size(), 1u);
    EXPECT_NE(w[0].find("Nicht \xFC" "bernommen: ELLIPSE 1, HATCH 1, LWPOLYLINE 1, MTEXT 2, SPLINE 3 "), std::string::npos)
        << w[0];
    const fs::path fremd = fs::path(demo.wurzel()) / "Fremd";
    const std::vector<std::string> log = zeilen(fremd / "dxflog.txt");
    EXPECT_NE(std::find(log.begin(), log.end(), "SPLINE: 3 nicht \xFC" "bernommen"), log.end());
    std::vector<std::string> neu;
    for (const auto& e : fs::directory_iterator(demo.projekt())) {
        if (e.path().filename().string().rfind("Spline.", 0) == 0) neu.push_back(e.path().filename().string());
    }
    ASSERT_EQ(neu.size(), 1u) << "the drawing and no backup beside it";
    ZeiKopf k;
    ASSERT_EQ(ZeiKopfLesen((fs::path(demo.projekt()) / neu[0]).c_str(), &k), 0);
    EXPECT_STREQ(k.titel[0], "Splines aus R2000");

    // R2018, UTF-8: the umlauts arrive as they were written.
    w = importieren("r2018.dxf", "Umlaut", "Umlaute aus R2018");
    ASSERT_EQ(w.size(), 1u);
    std::string umlaut;
    for (const auto& e : fs::directory_iterator(demo.projekt())) {
        if (e.path().filename().string().rfind("Umlaut.", 0) == 0) umlaut = e.path().string();
    }
    const std::vector<std::string> t = demoZeichnungsTexte(umlaut);
    EXPECT_NE(std::find(t.begin(), t.end(), "Sch\xFCtz K1 Gr\xF6\xDF" "e \xC4rger \xD6l"), t.end()) << ::testing::PrintToString(t);
    EXPECT_NE(std::find(t.begin(), t.end(), "Q1 S\xFC" "d"), t.end());

    // Inches: the factor to millimetres in the message and the log.
    w = importieren("zoll.dxf", "Zoll", "Zollzeichnung");
    ASSERT_EQ(w.size(), 1u);
    EXPECT_NE(w[0].find("Die Datei ist in Zoll gezeichnet ($INSUNITS 1); Faktor 25,4 ergibt Millimeter (Skalierung 2540 %)."),
              std::string::npos)
        << w[0];
    const std::vector<std::string> zl = zeilen(fremd / "dxflog.txt");
    EXPECT_NE(std::find(zl.begin(), zl.end(), "Einheit der Datei: Zoll ($INSUNITS 1), Faktor 25,4 ergibt Millimeter"), zl.end());
}

}  // namespace
