// The toolbar image module: sizes and library by the workstation bitmap
// style, the second flag, faces from the library and '.' names from the
// program, reloading on a changed style, the shared table at start and end,
// a face for every name of the shipped "Toolbar.txt" in all six libraries,
// and the module handle as the lists pass it on.
#include "output/tbar.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <set>
#include <sstream>

#include "config/apstil.h"
#include "config/inidatei.h"
#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "platform/bildlader.h"
#include "platform/systemwerte.h"
#include "tests/winlib/bibpruef.h"
#include "winlib/toolbar.h"

namespace {

// Face size in pixels by style: the larger the buttons, the larger the face.
int tbFlaeche(int stil)
{
    if (stil == 2 || stil == 5) return 20;
    if (stil == 3 || stil == 6) return 16;
    return 24;
}

class Tbar : public bibpruef::Fixture {
protected:
    void SetUp() override
    {
        Fixture::SetUp();
        IniPfadSetzen((ordner + "/Velmo-11.ini").c_str());
        plIniCacheLeeren();
        std::ofstream(ordner + "/Standard.vgb") << "Name Test\n";
        VerSetzen(1, ordner.c_str());
        ASSERT_EQ(VgbSetWaehlen("Standard"), 0);
        TbarHakenEintragen();
    }
    void TearDown() override
    {
        ToolbarBibFrei();
        TbarEnde();
        ProfilSchreiben("ArbPlatz", "ZvTbarStil", "0");
        ApStileLaden();
        VerSetzen(1, "");
        Fixture::TearDown();
    }
    static void stil(int s) { ProfilZahlSchreiben("ArbPlatz", "ZvBmpStil", s); }
    static std::string modul() { return rcModulName(TbarBildModul()); }
    // Width of the face `name` as the loaded library gives it; 0 when none.
    static int breite(HMODULE m, const char* name)
    {
        HBITMAP b = LoadBitmap(m, name);
        if (!b) return 0;
        BITMAP bm{};
        GetObject(b, sizeof bm, &bm);
        DeleteObject(b);
        return bm.bmWidth == bm.bmHeight ? bm.bmWidth : -1;
    }
};

TEST_F(Tbar, TheStyleChoosesSizesAndLibrary)
{
    EXPECT_EQ(TbarBildModul(), 0u);  // not yet set up
    struct Fall {
        int stil;
        int gross, klein;  // large height and width, small width and height
        const char* modul;
    } faelle[] = {{5, 16, 14, "toolbar5"}, {9, 18, 16, "toolbar1"}, {0, 18, 16, "toolbar1"}, {1, 18, 16, "toolbar1"},
                  {2, 16, 14, "toolbar2"}, {3, 14, 12, "toolbar3"}, {4, 18, 16, "toolbar4"}, {6, 14, 12, "toolbar6"}};
    for (const Fall& f : faelle) {
        stil(f.stil);
        TbarInit();
        EXPECT_EQ(modul(), f.modul) << f.stil;
        EXPECT_EQ(TbarKnopfHoehe(), f.gross) << f.stil;
        EXPECT_EQ(TbarKnopfBreite(), f.gross) << f.stil;
        EXPECT_EQ(TbarKnopfHoeheKlein(), f.klein) << f.stil;
        EXPECT_EQ(TbarKnopfBreiteKlein(), f.klein) << f.stil;
        const int seite = f.stil >= 1 && f.stil <= 6 ? tbFlaeche(f.stil) : 24;
        EXPECT_EQ(breite(TbarBildModul(), "PRJNEU"), seite) << f.stil;
        TbarGroesse().knopfB = 40;  // a build's "X*": the next build starts afresh
        TbarGroesseSetzen();
        EXPECT_EQ(TbarKnopfBreiteKlein(), f.klein) << f.stil;
        TbarEnde();
        EXPECT_EQ(TbarBildModul(), 0u) << f.stil;
    }
}

TEST_F(Tbar, TheSecondFlagMakesButtonsEightUnitsTaller)
{
    stil(3);
    ProfilSchreiben("ArbPlatz", "ZvTbarStil", "1");
    ApStileLaden();
    TbarInit();
    EXPECT_EQ(TbarKnopfHoehe(), 22);
    EXPECT_EQ(TbarKnopfHoeheKlein(), 20);
    EXPECT_EQ(TbarKnopfBreite(), 14);
    EXPECT_EQ(TbarKnopfBreiteKlein(), 12);
}

TEST_F(Tbar, FacesComeFromTheLibraryAndDotNamesFromTheProgram)
{
    HWND dlg = oeffnen("bibprobe");
    ASSERT_NE(dlg, 0u);
    HWND knopf = GetDlgItem(dlg, 1001);
    auto& empfangen = bibpruef::bilder[knopf];
    TbarBildSetzen(knopf, "PRJNEU");  // no library yet: nothing
    EXPECT_TRUE(empfangen.empty());
    stil(5);
    TbarInit();
    TbarBildSetzen(knopf, "PRJNEU");
    ASSERT_EQ(empfangen.size(), 1u);
    EXPECT_EQ(empfangen[0].breite, 20);  // "Toolbar5.dll"'s face
    EXPECT_EQ(empfangen[0].erstes, GetSysColor(COLOR_BTNFACE));  // the key colour became the face
    TbarBildSetzen(knopf, ".gemischt");  // the program's own, the library loaded all the same
    ASSERT_EQ(empfangen.size(), 2u);
    EXPECT_EQ(empfangen[1].breite, 4);
}

TEST_F(Tbar, AChangedStyleReloadsAndTheSharedTableFollowsTheLibrary)
{
    stil(2);
    ToolbarBibLaden();
    EXPECT_EQ(wiTbarTabelleIstFrei(), 1);
    EXPECT_EQ(modul(), "toolbar2");
    HMODULE vorher = TbarBildModul();
    TbarNeu();  // the same style: kept
    EXPECT_EQ(TbarBildModul(), vorher);
    stil(3);
    TbarNeu();
    EXPECT_EQ(modul(), "toolbar3");
    EXPECT_EQ(TbarKnopfHoehe(), 14);
    ToolbarBibFrei();
    EXPECT_EQ(wiTbarTabelleIstFrei(), 0);
    EXPECT_EQ(TbarBildModul(), 0u);
    TbarNeu();  // not set up: stays so
    EXPECT_EQ(TbarBildModul(), 0u);
}

// The names as scripts/toolbar-bilder reads them: first words of button
// lines and the state bitmaps of groups ("(n, on, alt)"), '.' names and
// the label lines of the editor's selection bar excluded.
std::set<std::string> toolbarNamen()
{
    std::ifstream f(VELMO_SOURCE_DIR "/data/Toolbar.txt", std::ios::binary);
    std::set<std::string> namen;
    std::string zeile;
    bool ohneBild = false;
    while (std::getline(f, zeile)) {
        std::istringstream w(zeile);
        std::string wort;
        if (!(w >> wort)) continue;
        if (wort == ")S") {
            std::string abschnitt;
            w >> abschnitt;
            ohneBild = abschnitt == "EditAuswahl";
            continue;
        }
        if (ohneBild || std::string(")=-").find(wort[0]) != std::string::npos) continue;
        if (wort[0] != '.') namen.insert(wort);
        const size_t klammer = zeile.find('(');
        if (klammer == std::string::npos) continue;
        std::string innen = zeile.substr(klammer + 1, zeile.find(')', klammer) - klammer - 1);
        for (char& c : innen)
            if (c == ',') c = ' ';
        std::istringstream g(innen);
        std::string gruppe, bild;
        g >> gruppe;
        while (g >> bild)
            if (bild[0] != '.') namen.insert(bild);
    }
    return namen;
}

TEST_F(Tbar, EveryNameOfTheShippedToolbarsHasAFaceInAllSixLibraries)
{
    const std::set<std::string> namen = toolbarNamen();
    ASSERT_GE(namen.size(), 4u);
    for (int s = 1; s <= 6; ++s) {
        HMODULE m = LoadLibrary(TbarBibName(s));
        ASSERT_NE(m, 0u) << s;
        for (const std::string& n : namen) EXPECT_EQ(breite(m, n.c_str()), tbFlaeche(s)) << n << " in " << s;
        FreeLibrary(m);
    }
}

TEST_F(Tbar, TheListsFindTheLibraryByTheHandleTheyPassOn)
{
    stil(4);
    TbarInit();
    // LisBild appends "(%d)" with the handle; the picture control reads it back.
    char text[40];
    std::snprintf(text, sizeof text, "PRJORDNER(%d)", static_cast<int>(TbarBildModul()));
    const HMODULE gelesen = static_cast<HMODULE>(std::strtoul(std::strchr(text, '(') + 1, nullptr, 10));
    EXPECT_NE(gelesen, 0u);
    EXPECT_EQ(breite(gelesen, "PRJORDNER"), 24);
    EXPECT_EQ(breite(0, "PRJORDNER"), 0);  // not a picture of the program
}

}  // namespace
