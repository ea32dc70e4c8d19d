// The editor's small dialogs and edit tools in the running frame on a copy
// of the demo project, driven by a user's keys, clicks and typed lines: a
// series of parallel lines from the start-point dialog continued and undone,
// a macro asking for its values, the export of a sheet with the proposed
// name, a deleted line brought back, an exchanged pen, a break cutting a
// line, and the two searches for a text near the cursor.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "editor/befausf.h"
#include "editor/edmeld.h"
#include "editor/edtseite.h"
#include "editor/history.h"
#include "editor/mehrfach.h"
#include "editor/zeidok.h"
#include "frame/modus.h"
#include "model/beffifo.h"
#include "model/tempzeic.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/headless.h"
#include "platform/rasterbib.h"
#include "tests/frame/editor_pruef.h"
#include "tests/frame/demorahmen_pruef.h"
#include "tests/frame/rahmen_pruef.h"
#include "tests/tools/demokopie.h"

namespace fs = std::filesystem;

namespace {

// Pictures of the dialogs are kept beside the test program for a look.
fs::path beiDemProgramm() { return fs::read_symlink("/proc/self/exe").parent_path(); }

class Werkzeuge : public DemoRahmen {
protected:
    int anfang = 0;

    void SetUp() override
    {
        DemoRahmen::SetUp();
        if (HasFatalFailure()) return;
        plHeadlessPumpen();
        EditorMitDatei((demo.projekt() + "/HV1.08").c_str());
        rahmenPumpen();
        ASSERT_EQ(Modus(), MODUS_EDIT);
        anfang = TzAnzahl();
        plNachrichtBoxFragenLeeren();
    }
    void TearDown() override
    {
        plNachrichtBoxAntwort(IDNO);  // leave the changed sheet unsaved
        DemoRahmen::TearDown();
    }
    // A key in the input line.
    static void taste(int vk)
    {
        SetFocus(GetDlgItem(EdtFenster(), 5020));
        plHeadlessTaste(vk);
        rahmenPumpen();
    }
    static void menue(int id)
    {
        SendMessage(anwHauptfenster(), WM_COMMAND, static_cast<WPARAM>(id), 0);
        rahmenPumpen();
    }
    // The objects added since the sheet was opened, as "code dx dy".
    std::vector<std::string> neu() const
    {
        std::vector<std::string> v;
        int i = 0;
        for (int id = TzNaechstes(-1); id < TZENDE; id = TzNaechstes(id)) {
            if (i++ < anfang) continue;
            BEF b;
            STT s;
            if (TzObjHolen(id, &b, &s) != 0) continue;
            char t[120];
            std::snprintf(t, sizeof t, "%s %g %g", BefName(b.code), b.darg[0] * s.msf, b.darg[1] * s.msf);
            v.push_back(t);
        }
        return v;
    }
};

TEST_F(Werkzeuge, ASeriesFromTheStartPointDialogIsContinuedUndoneAndRedone)
{
    eingabeZeile("MFL 1");
    menue(1345);  // "Startpunkte angeben..."
    HWND d = wiDlgSuchen("DB1345");
    ASSERT_NE(d, 0u) << StatusLetzterText();
    rahmenEintippen(d, 3000, "3");
    rahmenKlicken(d, 3010);
    rahmenEintippen(d, 3020, "5");
    EXPECT_EQ(plHeadlessPng(d, (beiDemProgramm() / "frame_startpunkte_dialog.png").c_str()), 0);
    rahmenKlicken(d, 2500);
    ASSERT_EQ(wiDlgSuchen("DB1345"), 0u);
    ASSERT_EQ(MflAnzahl(), 1);
    const double y0 = MflBuendel(0)->ende[0].y;
    EXPECT_EQ(MflBuendel(0)->ende[2].x - MflBuendel(0)->ende[0].x, 10);

    eingabeZeile("BW 0 -20");
    eingabeZeile("MFL 2");
    EXPECT_EQ(neu(), (std::vector<std::string>(3, "ZL 0 -20")));
    EXPECT_EQ(MflBuendel(0)->ende[1].y, y0 - 20);
    eingabeZeile("UDO");
    EXPECT_EQ(TzAnzahl(), anfang);
    EXPECT_EQ(MflBuendel(0)->ende[1].y, y0) << "the bundle back where it was";
    eingabeZeile("RDO");
    EXPECT_EQ(neu().size(), 3u);
    EXPECT_EQ(MflBuendel(0)->ende[1].y, y0 - 20);
}

TEST_F(Werkzeuge, AMacroWithInputLinesAsksForItsValues)
{
    std::ofstream(fs::path(demo.wurzel()) / "Stich.mac") << "Text Stichleitung\nInput 0 Laenge:\nInput 1 Hoehe:\nZL $I0 0\nZL 0 $i1\n";
    eingabeZeile("MAC Stich");
    HWND d = wiDlgSuchen("DB1312");
    ASSERT_NE(d, 0u) << StatusLetzterText();
    char t[80] = "";
    GetDlgItemText(d, 3110, t, sizeof t);
    EXPECT_STREQ(t, "Hoehe:");
    rahmenEintippen(d, 3101, "25");
    rahmenEintippen(d, 3111, "-7,5");
    EXPECT_EQ(plHeadlessPng(d, (beiDemProgramm() / "frame_makrowerte_dialog.png").c_str()), 0);
    plHeadlessTaste(VK_RETURN);
    rahmenPumpen();
    EXPECT_EQ(wiDlgSuchen("DB1312"), 0u);
    EXPECT_EQ(neu(), (std::vector<std::string>{"ZL 25 0", "ZL 0 -7.5"}));
}

TEST_F(Werkzeuge, TheExportDialogWritesThePngItProposes)
{
    menue(1324);  // "Alles markieren": the export takes the marked objects
    plHeadlessTasteRunter(VK_CONTROL);
    plHeadlessTaste('E');
    plHeadlessTasteHoch(VK_CONTROL);
    rahmenPumpen();
    HWND d = wiDlgSuchen("DB1006");
    ASSERT_NE(d, 0u) << StatusLetzterText();
    const std::string png = std::string(ZeiName()) + ".png";
    char t[260] = "";
    GetDlgItemText(d, 3000, t, sizeof t);
    EXPECT_EQ(t, png);
    EXPECT_EQ(plHeadlessPng(d, (beiDemProgramm() / "frame_export_dialog.png").c_str()), 0);
    rahmenKlicken(d, 3020);  // 75 dpi keeps the picture small
    rahmenKlicken(d, 2500);
    EXPECT_EQ(wiDlgSuchen("DB1006"), 0u);
    imginfo i{};
    ASSERT_EQ(pnginfo(png.c_str(), &i), 0) << png << " " << rahmenLetzteMeldung();
    EXPECT_GT(i.width, 100);
}

TEST_F(Werkzeuge, ADeletedLineComesBackAndAPenIsExchanged)
{
    eingabeZeile("ZL 30 0");
    eingabeZeile("LE 0");
    EXPECT_EQ(TzAnzahl(), anfang);
    eingabeZeile("LER -1");
    EXPECT_EQ(neu(), std::vector<std::string>{"ZL 30 0"});
    const int id = TzVorheriges(TZENDE);
    BEF b;
    STT s;
    ASSERT_EQ(TzObjHolen(id, &b, &s), 0);
    const int stift = s.st;
    eingabeZeile(("TAU ST " + std::to_string(stift) + " 7").c_str());
    ASSERT_EQ(TzObjHolen(id, &b, &s), 0);
    EXPECT_EQ(s.st, 7);
}

TEST_F(Werkzeuge, ABreakCutsTheLineItCrosses)
{
    eingabeZeile("ZL 30 0");
    eingabeZeile("BW -15 5");
    eingabeZeile("UNT 4 -10");
    std::vector<std::string> v = neu();
    std::sort(v.begin(), v.end());
    EXPECT_EQ(v, (std::vector<std::string>{"UNT 4 -10", "ZL 11 0", "ZL 15 0"}));
}

TEST_F(Werkzeuge, TheSearchesMoveToTheNearestTextAndToTheOneAtAMarker)
{
    // What a search put into the input line.
    auto gefunden = [] { return std::string(EingabeFeld()); };
    eingabeZeile("BW 7.3 4.1");  // off the sheet's own texts
    const double x = BefAktZustand()->x, y = BefAktZustand()->y;
    eingabeZeile("QVW 12");
    // A text command keeps asking for texts; Escape gives the prompt back.
    eingabeZeile("TFA \"K1\"");
    taste(VK_ESCAPE);
    eingabeZeile("BW 3 0");
    eingabeZeile("TFA \"Nah\"");
    taste(VK_ESCAPE);
    eingabeZeile("BW 1 0");
    eingabeZeile("SUQ");
    EXPECT_EQ(gefunden(), "K1 <12>");
    EXPECT_EQ(BefAktZustand()->x, x) << "at the text of the marker, though another is nearer";
    EXPECT_EQ(BefAktZustand()->y, y);
    eingabeZeile("BW 4 0");
    eingabeZeile("SUT");
    EXPECT_EQ(gefunden(), "Nah");
    EXPECT_EQ(BefAktZustand()->x, x + 3) << "at the nearest text";
}

}  // namespace

