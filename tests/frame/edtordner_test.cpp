// The editor's drawing folder on the running frame over a demo copy, driven
// by the menu keys and the input line: a drawing saved under a new name in a
// subfolder takes the working folder and the project page with it and dates
// the subfolder's project file as its settings ask, the open checks refuse
// what is not a drawing and leave the editor unnamed, DIR changes the folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "config/datwache.h"
#include "config/verzeich.h"
#include "editor/edmeld.h"
#include "editor/zeidok.h"
#include "model/tempzeic.h"
#include "platform/dateidialog.h"
#include "platform/headless.h"
#include "project/pvwliste.h"
#include "support/dosdatei.h"
#include "tests/frame/editor_pruef.h"

namespace fs = std::filesystem;

namespace {

std::string lesen(const fs::path& p)
{
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

// The demo's defaults with dating on: a save gives its time to every
// "*.zvk" file of the project folder.
void datierenEinschalten(const fs::path& vgb)
{
    std::string t = lesen(vgb);
    for (const auto& [alt, neu] : {std::pair<std::string, std::string>{"EdDatumNeu      0\r", "EdDatumNeu      2\r"},
                                   {"EdDatumNam\r", "EdDatumNam      *.zvk\r"}}) {
        const size_t p = t.find(alt);
        ASSERT_NE(p, std::string::npos) << alt;
        t.replace(p, alt.size(), neu);
    }
    std::ofstream(vgb, std::ios::binary) << t;
}

std::string ohneTrenner(std::string p)
{
    while (p.size() > 1 && p.back() == '/') p.pop_back();
    return p;
}

std::vector<int> zeit(const fs::path& p)
{
    DATZEIT z{};
    dateizeit(p.c_str(), &z);
    return {z.datum.jahr, z.datum.monat, z.datum.tag, z.stunde, z.minute, z.sekunde};
}

class EdtOrdnerLauf : public DemoLauf {
protected:
    void SetUp() override
    {
        datierenEinschalten(demo.datei("Standard.vgb"));
        DemoLauf::SetUp();
    }
    // Opens a file through Datei, Öffnen and the file dialog.
    void oeffnen(const fs::path& datei)
    {
        plDateiDialogAntwort(datei.c_str());
        ASSERT_TRUE(menueWaehlen(1002));
        rahmenPumpen();
    }
};

TEST_F(EdtOrdnerLauf, SaveAsIntoASubfolderTheOpenChecksAndDir)
{
    const fs::path unter = fs::path(demo.projekt()) / "Teil2";
    fs::create_directories(unter);
    fs::copy_file(demo.datei("Standard.vgb"), unter / "Standard.vgb");
    fs::copy_file(demo.datei("Projekt.zvk"), unter / "Projekt.zvk");
    const DATZEIT alt{{101, 2, 3}, 4, 5, 6};
    ASSERT_EQ(dateizeitsetzen((unter / "Projekt.zvk").c_str(), &alt), 0);

    // A drawing of its own (not one of the project's), drawn and saved
    // under a new name in the subfolder.
    eingabeZeile("LA");
    eingabeZeile("BW 200 150");
    eingabeZeile("ZL 60 30");
    ASSERT_EQ(TzAnzahl(), 1);
    const fs::path neu = unter / "Neu.001";
    plDateiDialogAntwort(neu.c_str());
    ASSERT_TRUE(menueWaehlen(1005));  // Datei, Speichern unter
    rahmenPumpen();
    EXPECT_EQ(std::string(ZeiName()), neu.string());
    EXPECT_FALSE(ZeiIstGeaendert());
    EXPECT_EQ(ohneTrenner(VerAktuell()), unter.string()) << "the working folder follows the drawing";
    EXPECT_EQ(ohneTrenner(PvwVerzOrdner()), unter.string()) << "the project page reads the subfolder";
    EXPECT_EQ(PvwZeiAnzahl(), 1);
    EXPECT_EQ(zeit(unter / "Projekt.zvk"), zeit(neu)) << "the project file is dated by the save";
    const fs::path neben = fs::read_symlink("/proc/self/exe").parent_path();
    EXPECT_EQ(plHeadlessPng(anwHauptfenster(), (neben / "frame_edtordner.png").c_str()), 0);

    // Opening what is not a drawing: the editor stays empty and unnamed.
    std::ofstream(unter / "Notiz.001") << "kein Plan\r\n";
    oeffnen(unter / "Notiz.001");
    EXPECT_STREQ(StatusLetzterText(), "Keine Zeichnungsdatei");
    EXPECT_STREQ(ZeiName(), "");
    EXPECT_EQ(TzAnzahl(), 0);
    fs::copy_file(neu, unter / "Neu.txt");
    oeffnen(unter / "Neu.txt");
    EXPECT_STREQ(StatusLetzterText(), "Unm\xF6glicher Zeichnungsname");
    EXPECT_STREQ(ZeiName(), "");
    oeffnen(neu);
    EXPECT_EQ(std::string(ZeiName()), neu.string());
    EXPECT_EQ(TzAnzahl(), 1);
    EXPECT_EQ(plHeadlessPng(anwHauptfenster(), (neben / "frame_edtordner_geladen.png").c_str()), 0);

    // DIR back to the project's folder, typed.
    eingabeZeile(("DIR " + demo.projekt()).c_str());
    EXPECT_EQ(ohneTrenner(VerAktuell()), demo.projekt());
    eingabeZeile(("DIR " + demo.projekt() + "/Fehlt").c_str());
    EXPECT_EQ(std::string(StatusLetzterText()), "Ordner " + demo.projekt() + "/Fehlt nicht gefunden.");
    EXPECT_EQ(ohneTrenner(VerAktuell()), demo.projekt());
}

}  // namespace
