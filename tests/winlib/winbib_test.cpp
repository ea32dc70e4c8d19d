// Tests of the window library layer: status bar parts, placements through
// the ini file, argument words, the 32-bit thumb position, font ranking,
// locale separators, trace modes, the busy count and the tooltip table.
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "config/konfhaken.h"
#include "platform/ctl_scroll.h"
#include "platform/ctl_status.h"
#include "platform/ctl_tooltip.h"
#include "platform/ctl_tbar.h"
#include "platform/menue.h"
#include "platform/systemwerte.h"
#include "platform/eingabe.h"
#include "platform/orte.h"
#include "platform/shell.h"
#include "support/basis.h"
#include "tests/winlib/bibpruef.h"

using bibpruef::Fixture;

namespace {

class Bib : public Fixture {};

TEST_F(Bib, StatusSpecOfThreeWidthsGivesFourParts)
{
    HWND bar = wiStatusLeiste("48 72 60");
    ASSERT_NE(bar, 0u);
    EXPECT_EQ(GetDlgCtrlID(bar), WISTATUSID);
    EXPECT_EQ(GetParent(bar), haupt);
    int kanten[8] = {};
    ASSERT_EQ(SendMessage(bar, SB_GETPARTS, 8, reinterpret_cast<LPARAM>(kanten)), 4);
    EXPECT_EQ(kanten[0], wiDlgEinheit(48));
    EXPECT_EQ(kanten[1], wiDlgEinheit(120));
    EXPECT_EQ(kanten[2], wiDlgEinheit(180));
    EXPECT_EQ(kanten[3], -1);
    EXPECT_GT(wiStatusHoehe(), 0);
    wiStatusText(2, "Ebene 3");
    char puffer[5];
    wiStatusTextHolen(2, puffer, sizeof puffer);
    EXPECT_STREQ(puffer, "Eben");  // cut to the buffer
}

TEST_F(Bib, DialogUnitsUseOneFactorAndRoundBothWays)
{
    double f = HIWORD(GetDialogBaseUnits()) / 8.0;
    EXPECT_DOUBLE_EQ(wiDlgFaktor(), f);
    for (int n : {0, 1, 7, 36, 100, -10}) {
        EXPECT_EQ(wiDlgEinheit(n), static_cast<int>(std::lround(n * f))) << n;
        EXPECT_EQ(wiDlgEinheit(n), plDialogPixel(n)) << n;  // the templates' factor
        EXPECT_EQ(wiPixelEinheit(wiDlgEinheit(n)), n) << n;
    }
}

TEST_F(Bib, PlacementRoundTripThroughTheIniFile)
{
    wiIniDatei("bibtest.ini");
    HWND w = CreateWindowEx(0, "VelmoBibHaupt", "Platz", WS_OVERLAPPEDWINDOW, 100, 80, 300, 200, 0, 0, 0, nullptr);
    ASSERT_NE(w, 0u);

    // Nothing stored: 0 and the window stays where it is.
    EXPECT_EQ(wiPlatzLaden(w, "Fenster", "Global", 0), 0);
    RECT r{};
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 80);

    ASSERT_EQ(wiPlatzSichern(w, "Fenster", "Global"), 1);
    char text[WIINILESENSUP + 1];
    wiIniLesen("Global", "Fenster", text);
    int zahlen = 0;
    std::istringstream ein(text);
    for (int z; ein >> z;) ++zahlen;
    EXPECT_EQ(zahlen, 10) << text;

    MoveWindow(w, 400, 300, 120, 90, FALSE);
    EXPECT_EQ(wiPlatzLaden(w, "Fenster", "Global", 0), 0);
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 80);
    EXPECT_EQ(r.right - r.left, 300);

    // Keep-size mode: only the top-left corner comes from the file.
    MoveWindow(w, 400, 300, 120, 90, FALSE);
    wiPlatzLaden(w, "Fenster", "Global", 1);
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 80);
    EXPECT_EQ(r.right - r.left, 120);
    EXPECT_EQ(r.bottom - r.top, 90);

    // A stored maximised and minimised placement say so.
    wiIniSchreiben("Global", "Gross", "0 3 -1 -1 -1 -1 10 20 310 220");
    EXPECT_EQ(wiPlatzLaden(w, "Gross", "Global", 0), 2);
    wiIniSchreiben("Global", "Klein", "0 2 -1 -1 -1 -1 10 20 310 220");
    EXPECT_EQ(wiPlatzLaden(w, "Klein", "Global", 0), 1);
    // A damaged line counts as nothing stored.
    wiIniSchreiben("Global", "Kaputt", "0 1 5 5");
    EXPECT_EQ(wiPlatzLaden(w, "Kaputt", "Global", 0), 0);
    DestroyWindow(w);
}

TEST_F(Bib, TheLayersBelowReachPlacementsFontsAndTheWorkAreaThroughTheInterface)
{
    const KonfHaken& k = konfHaken();
    HWND w = CreateWindowEx(0, "VelmoBibHaupt", "Platz", WS_OVERLAPPEDWINDOW, 100, 80, 300, 200, 0, 0, 0, nullptr);
    ASSERT_NE(w, 0u);
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    ASSERT_TRUE(k.platzHolen(w, &wp));
    EXPECT_EQ(wp.rcNormalPosition.left, 100);
    k.fensterBewegen(w, 140, 90);
    RECT r{};
    ASSERT_TRUE(k.fensterRechteck(w, &r));
    EXPECT_EQ(r.left, 140);
    EXPECT_EQ(r.right - r.left, 300);
    RECT arbeit{}, erwartet{};
    k.desktop(&arbeit);
    SystemParametersInfo(SPI_GETWORKAREA, 0, &erwartet, 0);
    EXPECT_EQ(arbeit.right, erwartet.right);
    EXPECT_EQ(arbeit.bottom, erwartet.bottom);
    EXPECT_EQ(k.schriftStandard(2), static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT)));
    HFONT f = k.schriftErzeugen(12, "Arial");
    EXPECT_NE(f, 0u);
    k.schriftLoeschen(f);
    DestroyWindow(w);
    // Without the window library the stand-ins answer again.
    wiDlgFrei();
    wiBibEnde();
    EXPECT_EQ(konfHaken().schriftStandard(2), 0u);
    ASSERT_EQ(wiDlgInit(), 0);
}

TEST_F(Bib, IniNumbersAndCopies)
{
    wiIniDatei("zahlen.ini");
    EXPECT_EQ(wiIniZahl("A", "fehlt"), 0);
    wiIniZahlSchreiben("A", "n", -42);
    EXPECT_EQ(wiIniZahl("A", "N"), -42);  // keys ignore case

    std::string quelle = ordner + "/quelle/vorlage.ini";
    std::filesystem::create_directories(ordner + "/quelle");
    std::ofstream(quelle) << "[A]\nn=7\n";
    // wiIniAnlegen: the ini file is missing, so it is made from the template.
    wiIniDatei("neu.ini");
    EXPECT_EQ(wiIniAnlegen(quelle.c_str()), 0);
    EXPECT_EQ(wiIniZahl("A", "n"), 7);
    EXPECT_NE(wiIniAnlegen(quelle.c_str()), 0);  // there already
    // wiIniKopieren: copied next to the ini file under its own name, once.
    EXPECT_EQ(wiIniKopieren(quelle.c_str()), 0);
    EXPECT_TRUE(std::filesystem::exists(plOrtAnwendung() + "/vorlage.ini"));
    EXPECT_NE(wiIniKopieren(quelle.c_str()), 0);
}

TEST_F(Bib, CentringPutsTheWindowOneThirdDown)
{
    HWND w = CreateWindowEx(0, "VelmoBibHaupt", "Mitte", WS_POPUP, 0, 0, 300, 180, 0, 0, 0, nullptr);
    wiZentrieren(w);
    RECT d{}, r{};
    GetWindowRect(GetDesktopWindow(), &d);
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, (d.right - d.left - 300) / 2);
    EXPECT_EQ(r.top, (d.bottom - d.top - 180) / 3);
    EXPECT_EQ(r.right - r.left, 300);
    DestroyWindow(w);
}

TEST_F(Bib, ArgumentWordsComeBackWholeAndJoinedQuoted)
{
    const char* argv[] = {"/opt/velmo/velmo", "-G=Standard", "/home/a/Mein Projekt", "x"};
    plOrtArgumenteSetzen(4, argv);
    EXPECT_EQ(wiArgumentAnzahl(), 4);
    EXPECT_STREQ(wiArgument(2), "/home/a/Mein Projekt");
    EXPECT_STREQ(wiArgument(-1), "");
    EXPECT_STREQ(wiArgument(4), "");
    EXPECT_STREQ(wiKommandozeile(), "/opt/velmo/velmo -G=Standard \"/home/a/Mein Projekt\" x");
    plOrtArgumenteSetzen(0, nullptr);
}

TEST_F(Bib, ThumbTrackBeyondSixteenBitsTakesTheWholePosition)
{
    HWND dlg = oeffnen("bibprobe");
    ASSERT_NE(dlg, 0u);
    bibpruef::Aktuell a(dlg);
    HWND bar = GetDlgItem(dlg, 2003);
    // 20000 rows of two half-lines pass 65535.
    wiScrollSetzen(2003, 70000, 0, 100000, 10);
    WPARAM spur = MAKEWPARAM(SB_THUMBTRACK, 70000 & 0xFFFF);
    LPARAM lp = static_cast<LPARAM>(bar);
    EXPECT_EQ(wiScrollCode(2003, WM_VSCROLL, spur, lp), 20000 + 70000);
    EXPECT_EQ(wiScrollCode(2003, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 70000 & 0xFFFF), lp), 10000 + 70000);
    int pos = 5;
    EXPECT_EQ(wiScrollNachricht(2003, WM_VSCROLL, spur, lp, &pos, 0, 100000, 10), 1);
    EXPECT_EQ(pos, 70000);

    struct {
        WORD code;
        int code2;
        int start, erwartet;
    } faelle[] = {
        {SB_LINEUP, -1, 50, 49},  {SB_LINEDOWN, 1, 100000, 100000}, {SB_PAGEUP, -10, 5, 0},
        {SB_PAGEDOWN, 10, 50, 60}, {SB_TOP, -100, 50, 0},            {SB_BOTTOM, 100, 50, 100000},
    };
    for (const auto& f : faelle) {
        int p = f.start;
        EXPECT_EQ(wiScrollNachricht(2003, WM_VSCROLL, f.code, lp, &p, 0, 100000, 10), 1) << f.code;
        EXPECT_EQ(p, f.erwartet) << f.code;
        EXPECT_EQ(wiScrollCode(2003, WM_VSCROLL, f.code, lp), f.code2) << f.code;
    }
    // Another control, another message or a code above 7: not handled.
    int p = 3;
    EXPECT_EQ(wiScrollNachricht(2003, WM_VSCROLL, SB_LINEDOWN, 0, &p, 0, 10, 1), 0);
    EXPECT_EQ(wiScrollNachricht(2003, WM_COMMAND, SB_LINEDOWN, lp, &p, 0, 10, 1), 0);
    EXPECT_EQ(wiScrollNachricht(2003, WM_VSCROLL, SB_ENDSCROLL, lp, &p, 0, 10, 1), 0);
    EXPECT_EQ(p, 3);
    EXPECT_EQ(wiScrollCode(2003, WM_VSCROLL, SB_ENDSCROLL, lp), 0);
}

TEST_F(Bib, MonospacedRankingOverAFamilyList)
{
    struct Fall {
        const char* name;
        std::vector<WiSchriftFamilie> liste;
        const char* bevorzugt;
        const char* erwartet;
    } faelle[] = {
        {"nothing scores", {{"Arial", "Arial"}, {"Times", "Times"}}, "", "Courier"},
        {"rank order", {{"Courier New", "Courier New"}, {"DejaVu Sans Mono", "DejaVu Sans Mono"}}, "", "DejaVu Sans Mono"},
        {"preferred wins", {{"Consolas", "Consolas"}, {"Hack", "Hack Regular"}}, "hack", "Hack"},
        {"preferred by full name", {{"Consolas", "Consolas"}, {"Hk", "Hack Regular"}}, "Hack Regular", "Hk"},
        {"exact beats contained", {{"Consolas Extra", "Consolas Extra"}, {"Inconsolata", "Inconsolata"}}, "", "Inconsolata"},
        {"contained scores", {{"Arial", "Arial"}, {"My Monaco Bold", "My Monaco Bold"}}, "", "My Monaco Bold"},
        {"full name counts", {{"LM", "Liberation Mono"}}, "", "LM"},
    };
    for (const Fall& f : faelle) {
        wiSchriftFamilienSetzen(&f.liste);
        char name[WISCHRIFTSUP + 1] = "";
        wiMonoSchrift(name, f.bevorzugt);
        EXPECT_STREQ(name, f.erwartet) << f.name;
    }
    wiSchriftFamilienSetzen(nullptr);
}

TEST_F(Bib, FixedFontTableTakesTheFirstEntryFound)
{
    struct Fall {
        std::vector<WiSchriftFamilie> liste;
        int ergebnis;
        const char* name;
        int groesse;
    } faelle[] = {
        {{{"Courier New", ""}, {"DejaVu Sans Mono", ""}}, 1, "DejaVu Sans Mono", 8},
        {{{"fixedsys excelsior", ""}, {"Dina", ""}}, 1, "Fixedsys", 0},
        {{{"DejaVu Sans", ""}, {"Courier 10 Pitch", ""}}, 1, "Courier 10 Pitch", 8},
        {{{"Arial", ""}}, 0, "unverändert", 99},
    };
    for (const Fall& f : faelle) {
        wiSchriftFamilienSetzen(&f.liste);
        char name[WISCHRIFTSUP + 1] = "unverändert";
        int groesse = 99;
        EXPECT_EQ(wiFestSchrift(name, &groesse), f.ergebnis) << f.name;
        EXPECT_STREQ(name, f.name);
        EXPECT_EQ(groesse, f.groesse) << f.name;
    }
    wiSchriftFamilienSetzen(nullptr);
}

TEST_F(Bib, LocaleSeparatorsAreTwoDistinctCharacters)
{
    const char* alt = std::getenv("LC_ALL");
    std::string altWert = alt ? alt : "";
    struct {
        const char* lokale;
        char dezimal, tausender;
    } faelle[] = {{"C", ',', '.'}, {"de_DE.UTF-8", ',', '.'}, {"en_US.UTF-8", '.', ','}};
    for (const auto& f : faelle) {
        setenv("LC_ALL", f.lokale, 1);
        locale_t l = newlocale(LC_NUMERIC_MASK, f.lokale, static_cast<locale_t>(0));
        if (!l) continue;  // that locale is not installed here
        freelocale(l);
        wiLokaleNeu();
        EXPECT_EQ(wiDezimalZeichen(), f.dezimal) << f.lokale;
        EXPECT_EQ(wiTausenderZeichen(), f.tausender) << f.lokale;
    }
    if (alt) setenv("LC_ALL", altWert.c_str(), 1);
    else unsetenv("LC_ALL");
    wiLokaleNeu();
}

std::string debugAusgabe;
void debugSenke(const char* t) { debugAusgabe += t; }

TEST_F(Bib, TraceModesGoToTheDebuggerOutputOrTheTraceFile)
{
    plShellDebugSenkeSetzen(debugSenke);
    debugAusgabe.clear();
    wiDebug("eins %d\n", 1);
    EXPECT_EQ(debugAusgabe, "eins 1\n");

    std::string datei = ordner + "/spur.txt";
    wiDebugModus(1, datei.c_str());
    EXPECT_EQ(wiDebugModusHolen(), 1);
    wiDebug("zwei\n");
    wiDebug("drei\n");
    std::ifstream ein(datei);
    std::stringstream s;
    s << ein.rdbuf();
    EXPECT_EQ(s.str(), "zwei\ndrei\n");
    EXPECT_EQ(debugAusgabe, "eins 1\n");

    // Mode 1 without a name and without ORVADEBUG falls back to 0.
    unsetenv("ORVADEBUG");
    wiDebugModus(1, "  ");
    EXPECT_EQ(wiDebugModusHolen(), 0);
    setenv("ORVADEBUG", (ordner + "/env.txt").c_str(), 1);
    wiDebugModus(1, nullptr);
    EXPECT_STREQ(wiDebugDatei(), (ordner + "/env.txt").c_str());
    unsetenv("ORVADEBUG");
    wiDebugModus(2, "egal");
    wiDebug("nichts\n");
    wiDebugModus(0, nullptr);
    EXPECT_STREQ(wiDebugDatei(), "");
    wiDebugZeile("Zeile %s", "vier");
    EXPECT_EQ(debugAusgabe, "eins 1\nZeile vier\n");
    plShellDebugSenkeSetzen(nullptr);
}

TEST_F(Bib, BusyCountCapturesTheMouseUntilItReturnsToZero)
{
    wiBeschaeftigt(0);  // at 0: nothing
    EXPECT_EQ(wiBeschaeftigtZahl(), 0);
    EXPECT_EQ(GetCapture(), 0u);
    wiBeschaeftigt(1);
    wiBeschaeftigt(1);
    EXPECT_EQ(GetCapture(), haupt);
    wiBeschaeftigt(0);
    EXPECT_EQ(GetCapture(), haupt);
    wiBeschaeftigt(0);
    EXPECT_EQ(wiBeschaeftigtZahl(), 0);
    EXPECT_EQ(GetCapture(), 0u);
    wiBeschaeftigt(0);
    EXPECT_EQ(wiBeschaeftigtZahl(), 0);
}

TEST_F(Bib, TooltipTableHoldsAHundredToolsOfFortyCharacters)
{
    ASSERT_EQ(wiTooltipsInit(), 0);
    HWND dlg = oeffnen("bibprobe");
    std::vector<HWND> steuer;
    for (int i = 0; i < WITOOLSUP + 1; ++i)
        steuer.push_back(CreateWindowEx(0, "BefehlFeld", "", WS_CHILD, 0, 0, 5, 5, haupt, 0, 0, nullptr));
    for (int i = 0; i < WITOOLSUP; ++i) wiTooltip(haupt, steuer[i], "Tipp");
    EXPECT_EQ(wiTooltipAnzahl(), WITOOLSUP);
    wiTooltip(haupt, steuer[WITOOLSUP], "zu viel");  // silently ignored
    EXPECT_EQ(wiTooltipText(steuer[WITOOLSUP]), nullptr);
    EXPECT_EQ(SendMessage(wiTooltipFenster(), TTM_GETTOOLCOUNT, 0, 0), WITOOLSUP);
    wiTooltipsWeg(haupt);
    EXPECT_EQ(wiTooltipAnzahl(), 0);
    EXPECT_EQ(SendMessage(wiTooltipFenster(), TTM_GETTOOLCOUNT, 0, 0), 0);

    bibpruef::Aktuell a(dlg);
    std::string lang(60, 'x');
    wiDlgTooltip(2002, lang.c_str());
    wiDlgTooltip(4711, "fehlt");  // no such control: nothing
    ASSERT_EQ(wiTooltipAnzahl(), 1);
    EXPECT_EQ(std::string(wiTooltipText(GetDlgItem(dlg, 2002))), std::string(WITOOLTEXTSUP, 'x'));
    wiDlgTooltipsWeg();
    EXPECT_EQ(wiTooltipAnzahl(), 0);

    // A full table whose controls are gone takes new tools again.
    for (int i = 0; i < WITOOLSUP; ++i) wiTooltip(haupt, steuer[i], "Tipp");
    for (int i = 0; i < 10; ++i) DestroyWindow(steuer[i]);
    wiTooltip(haupt, steuer[WITOOLSUP], "neu");
    EXPECT_STREQ(wiTooltipText(steuer[WITOOLSUP]), "neu");
    EXPECT_EQ(wiTooltipAnzahl(), WITOOLSUP - 9);
    EXPECT_EQ(SendMessage(wiTooltipFenster(), TTM_GETTOOLCOUNT, 0, 0), WITOOLSUP - 9);
    wiTooltipsWeg(haupt);
}

TEST_F(Bib, MainMenuIsSwappedAndItsItemsChanged)
{
    HMENU alt = CreateMenu();
    anwDaten()->menue = alt;
    SetMenu(haupt, alt);
    EXPECT_EQ(wiMenuSetzen("gibtesnicht"), 0);
    EXPECT_EQ(anwDaten()->menue, alt);
    ASSERT_EQ(wiMenuSetzen("bib_menu"), 1);
    EXPECT_FALSE(IsMenu(alt));
    HMENU m = anwDaten()->menue;
    EXPECT_EQ(GetMenu(haupt), m);
    EXPECT_EQ(wiMenuAnhaengen(0, 104, 1, "&Drucken"), 2);
    EXPECT_EQ(wiMenuAnhaengen(0, 0, 0, nullptr), 3);
    EXPECT_EQ(wiMenuAnhaengen(0, 105, 7, "falsch"), -1);
    EXPECT_EQ(wiMenuEinfuegen(103, 102, "&Öffnen"), 0);
    EXPECT_EQ(GetMenuItemID(GetSubMenu(m, 0), 1), 102u);
    EXPECT_EQ(wiMenuLoeschen(102), 0);
    EXPECT_EQ(wiMenuLoeschen(102), -1);
    wiMenuFrei(101, 0);
    EXPECT_TRUE(GetMenuState(m, 101, MF_BYCOMMAND) & MF_GRAYED);
    wiMenuHaken(101, 1);
    EXPECT_TRUE(GetMenuState(m, 101, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ(wiMenuEntfernenPos(1, -1), 0);  // position < 0: the bar item "Hilfe"
    EXPECT_EQ(GetMenuItemCount(m), 1);
}

TEST_F(Bib, CommonToolbarKeepsTwentyButtonsWithTheirTips)
{
    HWND bar = wiTbarInit();
    ASSERT_NE(bar, 0u);
    EXPECT_EQ(GetParent(bar), haupt);
    EXPECT_EQ(GetDlgCtrlID(bar), WITBARID);
    EXPECT_GT(wiTbarHoehe(), 0);
    wiTbarGroesse(24, 4, 30);
    EXPECT_EQ(wiTbarHoehe(), 30);
    EXPECT_EQ(wiTbarKnopf(501, "gemischt", "Neu anlegen und noch viel mehr Text dazu, mehr als vierzig"), 0);
    wiTbarLuecke();
    for (int i = 1; i < WITBARSUP; ++i) EXPECT_EQ(wiTbarKnopfAus(anwInstanz(), 501 + i, "taste", "x"), 0);
    EXPECT_EQ(wiTbarKnopf(900, "taste", "zu viel"), -1);
    EXPECT_EQ(SendMessage(bar, TB_BUTTONCOUNT, 0, 0), WITBARSUP + 1);
    char text[WITBARTEXTSUP + 1];
    EXPECT_EQ(wiTbarText(501, text), 1);
    EXPECT_EQ(std::string(text), std::string("Neu anlegen und noch viel mehr Text dazu, mehr als vierzig").substr(0, 40));
    EXPECT_EQ(wiTbarText(900, text), 0);
    EXPECT_STREQ(text, "");
    // The first button shows the button-face copy of "gemischt", centred.
    plHeadlessPumpen();
    EXPECT_EQ(plFensterPixel(bar, 10, PL_TBAR_RAND + 10), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(plFensterPixel(bar, 11, PL_TBAR_RAND + 10), RGB(255, 0, 0));
    wiTbarBilderWeg();
}

}  // namespace
