// The frame in this process on the headless backend: start-up up to the
// loop, the modes applied to the frame (page, menu, accelerators, caption,
// status parts), page placement, the command table of AnwBefehl, the
// function bar and the two dialogs of the defaults sets.
#include <gtest/gtest.h>

#include <cairo.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "equipment/app.h"
#include "equipment/definfo.h"
#include "equipment/definier.h"
#include "equipment/lagerart.h"
#include "equipment/ngestext.h"
#include "equipment/nhuliste.h"
#include "equipment/nzustext.h"
#include "equipment/wse.h"
#include "controls/lisanzeige.h"
#include "frame/anw.h"
#include "output/druck.h"
#include "project/chkdlg.h"
#include "project/dirhist.h"
#include "project/export.h"
#include "project/hbview.h"
#include "project/hilfe.h"
#include "project/impdlg.h"
#include "project/inhalt.h"
#include "project/projneu.h"
#include "project/proverw.h"
#include "project/pvwliste.h"
#include "project/rschreib.h"
#include "project/startbild.h"
#include "project/titeldlg.h"
#include "project/wrz.h"
#include "project/zeitxt.h"
#include "project/zv5.h"
#include "frame/funkwahl.h"
#include "frame/modus.h"
#include "frame/vgbdlg.h"
#include "platform/ctl_scroll.h"
#include "platform/ctl_status.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fehlersim.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/headless.h"
#include "platform/menue.h"
#include "platform/nachricht.h"
#include "platform/nachrichtbox.h"
#include "platform/orte.h"
#include "platform/profil.h"
#include "platform/ressource.h"
#include "platform/winconst.h"
#include "tests/frame/rahmen_pruef.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/winbib.h"
#include "winlib/wiwerk.h"

namespace fs = std::filesystem;

namespace {

class Rahmen : public ::testing::Test {
protected:
    fs::path wurzel, vorher;
    std::vector<std::string> args;
    std::vector<const char*> argv;

    void SetUp() override
    {
        wurzel = rahmenWurzel("rahmen");
        ASSERT_FALSE(wurzel.empty());
        fs::create_directories(wurzel / "arbeit" / "Projekt");
        fs::create_directories(wurzel / "arbeit" / "Anderes");
        rahmenUmgebung(wurzel);
        vorher = fs::current_path();
        fs::current_path(wurzel / "arbeit");
        }

    void starten(std::vector<std::string> woerter = {"-W=1", "Projekt"})
    {
        rahmenStarten(args, argv, woerter);
        if (HasFatalFailure()) return;
        // The equipment link follows "BMuse" of the set; these cases need it on.
        AppAktivSetzen(1);
        plHeadlessPumpen();
    }

    void TearDown() override
    {
        if (anwLaufZustand() == 2) {
            PostMessage(anwHauptfenster(), WM_CLOSE, 0, 0);
            EXPECT_EQ(anwLauf(), 0);
            anwSchluss();
            EXPECT_EQ(anwLaufZustand(), 9);
        }
        plFensterSystemEnde();
        fs::current_path(vorher);
        fs::remove_all(wurzel);
    }

    static std::string titel()
    {
        char t[200] = "";
        GetWindowText(anwHauptfenster(), t, sizeof t);
        return t;
    }
    static std::string status(int teil)
    {
        char t[200] = "";
        wiStatusTextHolen(teil, t, sizeof t);
        return t;
    }
    // The text of a status part fits inside its sunken edge and margins.
    static bool statusPasst(int teil)
    {
        HWND bar = wiStatusFenster();
        RECT r{};
        SendMessage(bar, SB_GETRECT, static_cast<WPARAM>(teil), reinterpret_cast<LPARAM>(&r));
        HFONT f = static_cast<HFONT>(SendMessage(bar, WM_GETFONT, 0, 0));
        HDC dc = GetDC(bar);
        HGDIOBJ alt = SelectObject(dc, f ? f : plDialogSystemSchrift());
        const std::string t = status(teil);
        SIZE sz{};
        GetTextExtentPoint32(dc, t.c_str(), static_cast<int>(t.size()), &sz);
        SelectObject(dc, alt);
        ReleaseDC(bar, dc);
        return sz.cx + 2 * (1 + 3) <= r.right - r.left;
    }
};

}  // namespace

TEST_F(Rahmen, StartShowsProjectPageBarAndStatus)
{
    starten();
    EXPECT_EQ(Modus(), MODUS_PVW);
    EXPECT_EQ(ModusSeite(), MODUS_PVW);
    EXPECT_NE(FunkFenster(), 0u) << "the start command opened the function bar";
    // The bar's toolbar stands above its list, not over the first row.
    RECT liste, knopf;
    GetWindowRect(GetDlgItem(FunkFenster(), 3000), &liste);
    for (int id = 1500; id <= 1503; ++id) {
        HWND k = GetDlgItem(FunkFenster(), id);
        ASSERT_NE(k, 0u) << id;
        GetWindowRect(k, &knopf);
        EXPECT_LE(knopf.bottom, liste.top) << id;
    }
    EXPECT_EQ(titel(), "Velmo - " + (wurzel / "arbeit" / "Projekt").string());
    EXPECT_EQ(status(3), "0 Seiten");
    EXPECT_EQ(status(0), " Standard");
    EXPECT_STREQ(wiAccelName(), "ANW_ACCEL");
    EXPECT_EQ(GetMenuItemCount(anwDaten()->menue), 8);
    // A registered page ends at the client's right edge, right of the bar.
    HWND seite = wiDlgOeffnen("PROVERW", nullptr, nullptr, nullptr);
    ASSERT_NE(seite, 0u);
    SeiteAnmelden(seite);
    ShowWindow(seite, SW_SHOW);
    RECT k, s;
    GetClientRect(anwHauptfenster(), &k);
    GetWindowRect(seite, &s);
    POINT p{s.left, s.top};
    ScreenToClient(anwHauptfenster(), &p);
    EXPECT_EQ(p.x, FunkBreite());
    EXPECT_EQ(p.x + (s.right - s.left), k.right);
    EXPECT_EQ(s.bottom - s.top, k.bottom - wiStatusHoehe());
    EXPECT_EQ(FunkBreite(), wiDlgEinheit(84));
    // Resizing the main window places it again.
    MoveWindow(anwHauptfenster(), 0, 0, 900, 700, TRUE);
    plHeadlessPumpen();
    GetClientRect(anwHauptfenster(), &k);
    GetWindowRect(seite, &s);
    EXPECT_EQ(FunkBreite() + (s.right - s.left), k.right);

    // The screenshot stays next to the test program for a look.
    fs::path bild = fs::read_symlink("/proc/self/exe").parent_path() / "frame_hauptfenster.png";
    ASSERT_EQ(plHeadlessPng(anwHauptfenster(), bild.c_str()), 0);
    EXPECT_GT(fs::file_size(bild), 0u);
}

// The main window is painted, and so goes on a desktop's screen, before
// the start command builds the project page only with the title that
// command gives it: without a start folder the title is known at once;
// a start folder is entered by the command, and the window waits for it.
TEST_F(Rahmen, MainWindowIsPaintedBeforeTheStartCommandOnlyWithItsFinalTitle)
{
    struct Fall {
        std::vector<std::string> woerter;
        fs::path ordner;
        bool vorherGemalt;
    };
    for (const Fall& f : {Fall{{"-W=1"}, wurzel / "arbeit", true},
                          Fall{{"-W=1", "Projekt"}, wurzel / "arbeit" / "Projekt", false}}) {
        SCOPED_TRACE(f.woerter.size());
        rahmenStarten(args, argv, f.woerter);
        if (HasFatalFailure()) return;
        const bool gemalt = !GetUpdateRect(anwHauptfenster(), nullptr, FALSE);
        EXPECT_EQ(gemalt, f.vorherGemalt);
        const std::string vorher = titel();
        plHeadlessPumpen();
        EXPECT_EQ(titel(), "Velmo - " + f.ordner.string());
        if (gemalt) {
            EXPECT_EQ(vorher, titel()) << "the title it was painted with";
        }
        rahmenBeenden();
        fs::current_path(wurzel / "arbeit");
    }
}

TEST_F(Rahmen, EachModeAppliesPageMenuAccelHelpAndStatus)
{
    starten();
    struct Fall {
        int modus;
        int seite;        // shown page afterwards
        int menuePunkte;  // popups of the page kind's menu
        const char* accel;
        const char* hilfe;
    } faelle[] = {
        {MODUS_EDIT, MODUS_EDIT, 8, "EDT_ACCEL", "Zavik-EDIT"},
        {MODUS_BML, MODUS_BML, 6, "SON_ACCEL", "Zavik-BML"},
        {MODUS_AUS, MODUS_AUS, 6, "SON_ACCEL", "Zavik-AUS"},
        {MODUS_ANZ, MODUS_ANZ, 3, "ANZ_ACCEL", "Zavik-ANZ"},
        {MODUS_PVW, MODUS_PVW, 8, "ANW_ACCEL", "Zavik-PVW"},
    };
    for (const Fall& f : faelle) {
        ModusUmschalten(f.modus);
        plHeadlessPumpen();
        EXPECT_EQ(ModusSeite(), f.seite) << f.modus;
        EXPECT_EQ(Modus(), f.seite) << f.modus;
        EXPECT_EQ(GetMenuItemCount(anwDaten()->menue), f.menuePunkte) << f.modus;
        EXPECT_STREQ(wiAccelName(), f.accel) << f.modus;
        EXPECT_STREQ(HilfeSchluessel(), f.hilfe) << f.modus;
        HWND seite = rahmenSeite(f.seite);
        ASSERT_NE(seite, 0u) << f.modus;
        EXPECT_TRUE(IsWindowVisible(seite)) << f.modus;
        for (int andere = MODUS_PVW; andere <= MODUS_ANZ; ++andere) {
            if (andere != f.seite && rahmenSeite(andere)) {
                EXPECT_FALSE(IsWindowVisible(rahmenSeite(andere))) << f.modus << " hides " << andere;
            }
        }
        if (f.seite != MODUS_ANZ) {
            ASSERT_TRUE(wiDlgBetreten(FunkFenster()));
            EXPECT_EQ(FunkEintraege()[LisAkt(3000)].id, f.seite) << "the bar selects the mode's row";
            wiDlgVerlassen();
        }
        // Every page names the program the same way: the editor its
        // drawing, the viewer its drawing, the others the project.
        EXPECT_EQ(titel().rfind("Velmo - ", 0), 0u) << titel();
        EXPECT_EQ(titel().find("11.2"), std::string::npos) << titel();
        EXPECT_EQ(status(3), f.seite == MODUS_AUS ? "Betriebsmittelliste" : "0 Seiten") << "the evaluation's shown title";
        EXPECT_TRUE(statusPasst(3)) << status(3);
    }
}

TEST_F(Rahmen, ForcedApplySetsEverythingEvenUnchanged)
{
    starten();
    wiTitelSetzen("fremd");
    wiStatusText(3, "fremd");
    ModusAnwenden(0);
    EXPECT_EQ(titel(), "fremd") << "a normal apply leaves what it remembers as unchanged";
    ModusAnwenden(1);
    EXPECT_EQ(titel(), "Velmo - " + (wurzel / "arbeit" / "Projekt").string());
    EXPECT_EQ(status(3), "0 Seiten");
}

TEST_F(Rahmen, EquipmentModeWithoutActiveFunctionsShowsText49)
{
    starten();
    AppAktivSetzen(0);
    plNachrichtBoxFragenLeeren();
    ModusUmschalten(MODUS_BML);
    plHeadlessPumpen();
    EXPECT_EQ(Modus(), MODUS_PVW) << "mode and pages unchanged";
    EXPECT_EQ(ModusSeite(), MODUS_PVW);
    EXPECT_EQ(rahmenLetzteMeldung(), "Die Betriebsmittel-Funktionen sind nicht aktiv.");
    AppAktivSetzen(1);
}

TEST_F(Rahmen, CommandTable)
{
    starten();
    // Open the editor and viewer pages, then back to the project page.
    for (int modus : {MODUS_EDIT, MODUS_ANZ, MODUS_PVW}) ModusUmschalten(modus);
    plHeadlessPumpen();
    struct Fall {
        int id;
        const char* erwartet;  // WM_COMMANDs left in the queue
    } faelle[] = {
        {1825, "Editor 1000"},  {1827, "Editor 1002"},  {1832, "Editor 1020"},  {1834, "Editor 1006"},
        {1829, "Anzeige 1001"}, {1831, "ProVerw 1830"}, {1833, "ProVerw 1611"}, {1835, "ProVerw 1800"},
        {1836, "ProVerw 1810"}, {1837, "ProVerw 1820"}, {1838, "Haupt 1510"},   {1800, "ProVerw 1800"},
        {1863, "ProVerw 1863"}, {1880, "ProVerw 1880"}, {4711, ""},             {1599, ""},
        {1990, ""},             {1504, ""},
    };
    for (const Fall& f : faelle) {
        rahmenGepostet();
        AnwBefehl(WM_COMMAND, static_cast<WPARAM>(f.id), 0);
        EXPECT_EQ(rahmenGepostet(), f.erwartet) << f.id;
    }
    // 1839: 1511 to the main window, or 1852 to the project page while it
    // is the active dialog.
    SetFocus(anwHauptfenster());
    rahmenGepostet();
    AnwBefehl(WM_COMMAND, 1839, 0);
    EXPECT_EQ(rahmenGepostet(), "Haupt 1511");
    EnableWindow(rahmenSeite(MODUS_PVW), TRUE);
    SetFocus(rahmenSeite(MODUS_PVW));
    AnwBefehl(WM_COMMAND, 1839, 0);
    EXPECT_EQ(rahmenGepostet(), "ProVerw 1852");
}

TEST_F(Rahmen, MissingProgramIsReportedAndNotStarted)
{
    starten();
    plNachrichtBoxFragenLeeren();
    AnwBefehl(WM_COMMAND, 1621, 0);
    EXPECT_NE(rahmenLetzteMeldung().find("Programmdatei"), std::string::npos);
    EXPECT_NE(rahmenLetzteMeldung().find("1.exe"), std::string::npos);
}

TEST_F(Rahmen, FunctionBarEntries)
{
    starten();
    // Without "Toolbar.txt": texts 500-503, then the end mark.
    EXPECT_EQ(FunkEintraegeLesen(), 4);
    EXPECT_STREQ(FunkEintraege()[1].bild, "BMPED");
    EXPECT_STREQ(FunkEintraege()[2].zeile1, "Betriebsmittel");
    EXPECT_STREQ(FunkEintraege()[3].zeile2, "Bearbeiten");

    // A "Toolbar.txt" in the program folder: quoted texts keep their blanks.
    // The program folder (directory kind 0) is a folder of the test's own.
    std::string altProg = VerZeiger(0);
    fs::path prog = wurzel / "programm";
    fs::create_directories(prog);
    VerSetzen(0, prog.c_str());
    fs::path datei = prog / "Toolbar.txt";
    {
        std::ofstream f(datei);
        f << ")S Andere\nBMPPL falsch falsch 1\n)S funkliste\n"
          << "BMPPL \"Projekt A\" \"alle Bl\xE4tter\" 1530\n"
          << "  BMPED Zeichnung Bearbeiten 1531  \n"
          << ")E\nBMPTT nach dem Ende 1532\n";
    }
    int n = FunkEintraegeLesen();
    VerSetzen(0, altProg.c_str());
    ASSERT_EQ(n, 2);
    EXPECT_STREQ(FunkEintraege()[0].zeile1, "Projekt A");
    EXPECT_STREQ(FunkEintraege()[0].zeile2, "alle Bl\xE4tter");
    EXPECT_EQ(FunkEintraege()[0].id, 1530);
    EXPECT_STREQ(FunkEintraege()[1].zeile2, "Bearbeiten");
    EXPECT_EQ(FunkEintraege()[1].id, 1531);

    // 50 entries leave no end mark; a 51st is refused.
    FunkEintraegeLesen();
    for (int i = 4; i < FUNKSUP; ++i) FunkEintragNeu(2000 + i, "BMPPL", "z1", "z2");
    EXPECT_EQ(FunkEintraege()[FUNKSUP - 1].id, 2000 + FUNKSUP - 1);
    FunkEintragNeu(9999, "BMPPL", "z1", "z2");
    for (int i = 0; i < FUNKSUP; ++i) EXPECT_NE(FunkEintraege()[i].id, 9999);
    FunkEintragWeg(2010);
    EXPECT_EQ(FunkEintraege()[10].id, 2011);
    EXPECT_EQ(FunkEintraege()[FUNKSUP - 1].id, -1);
    FunkEintraegeLesen();
}

TEST_F(Rahmen, FunctionBarClickSwitchesModes)
{
    starten();
    ASSERT_NE(FunkFenster(), 0u);
    HWND liste = GetDlgItem(FunkFenster(), 3000);
    ASSERT_NE(liste, 0u);
    RECT r;
    GetWindowRect(liste, &r);
    int zeile = wiDlgEinheit(8) * 7 / 2;  // 7 half-lines of 8 units
    // Row 2 (equipment) without an editor opens the editor instead.
    plHeadlessKlick(r.left + 10, r.top + zeile * 2 + zeile / 2);
    plHeadlessPumpen();
    EXPECT_EQ(Modus(), MODUS_EDIT);
    EXPECT_EQ(ModusSeite(), MODUS_EDIT);
    plHeadlessKlick(r.left + 10, r.top + zeile * 2 + zeile / 2);
    plHeadlessPumpen();
    EXPECT_EQ(Modus(), MODUS_BML) << "a second click, with the editor page there, shows the equipment page";
    plHeadlessKlick(r.left + 10, r.top + zeile * 3 + zeile / 2);
    plHeadlessPumpen();
    EXPECT_EQ(Modus(), MODUS_AUS) << "row 3: evaluations";
    plHeadlessKlick(r.left + 10, r.top + zeile / 2);
    plHeadlessPumpen();
    EXPECT_EQ(Modus(), MODUS_PVW);
    EXPECT_EQ(FunkGewaehlt(), 0);
}

TEST_F(Rahmen, DefaultsSetChoiceShowsTheNewSetInStatusPart0)
{
    fs::create_directories(wurzel / "arbeit" / "Projekt");
    {
        std::ofstream(wurzel / "arbeit" / "Projekt" / "Standard.vgb") << "Name Projektsatz\r\n";
        std::ofstream(wurzel / "arbeit" / "Projekt" / "Werkstatt.vgb") << "Name Werkstattsatz\r\nZvX 5\r\n";
    }
    starten();
    VgbWahlDialog();
    plHeadlessPumpen();
    HWND dlg = wiDlgSuchen("VorListeGB");
    ASSERT_NE(dlg, 0u);
    HWND liste = GetDlgItem(dlg, 3000);
    int n = static_cast<int>(SendMessage(liste, LB_GETCOUNT, 0, 0));
    int werkstatt = -1;
    for (int i = 0; i < n; ++i) {
        char t[400] = "";
        SendMessage(liste, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(t));
        std::string s = t;
        if (s.find("Werkstatt.vgb") != std::string::npos) {
            werkstatt = i;
            EXPECT_EQ(s.rfind("Werkstattsatz", 0), 0u) << "the caption leads the row";
            EXPECT_EQ(s.find('/'), 80u) << "the path starts at column 81";
        }
    }
    ASSERT_GE(werkstatt, 0);
    SendMessage(liste, LB_SETCURSEL, static_cast<WPARAM>(werkstatt), 0);
    SendMessage(dlg, WM_COMMAND, MAKEWPARAM(3000, LBN_SELCHANGE), static_cast<LPARAM>(liste));
    // The list is drawn in the list look; OK is a graphic button, clicked.
    char klasse[40] = "";
    GetClassName(GetDlgItem(dlg, 2500), klasse, sizeof klasse);
    EXPECT_STREQ(klasse, "ORVAGRBU");
    EXPECT_NE(GetWindowLong(liste, GWL_STYLE) & LBS_OWNERDRAWFIXED, 0);
    InvalidateRect(dlg, nullptr, TRUE);
    plHeadlessPumpen();
    fs::path bild = fs::read_symlink("/proc/self/exe").parent_path() / "frame_vorlistegb.png";
    EXPECT_EQ(plHeadlessPng(dlg, bild.c_str()), 0);
    RECT ok;
    GetWindowRect(GetDlgItem(dlg, 2500), &ok);
    plHeadlessKlick((ok.left + ok.right) / 2, (ok.top + ok.bottom) / 2);
    plHeadlessPumpen();
    EXPECT_EQ(wiDlgSuchen("VorListeGB"), 0u);
    EXPECT_EQ(status(0), " Werkstatt");
}

namespace {

// Selects the row of `schluessel` in list 3010 of the settings page.
bool zeileWaehlen(HWND dlg, const char* schluessel)
{
    HWND liste = GetDlgItem(dlg, 3010);
    int n = static_cast<int>(SendMessage(liste, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        char t[400] = "";
        SendMessage(liste, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(t));
        if (std::string(t).size() > 80 && std::string(t).substr(80) == schluessel) {
            SendMessage(liste, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
            SendMessage(dlg, WM_COMMAND, MAKEWPARAM(3010, LBN_SELCHANGE), static_cast<LPARAM>(liste));
            return true;
        }
    }
    return false;
}

void eingeben(HWND dlg, const char* text)
{
    SetDlgItemText(dlg, 3000, text);
    SendMessage(dlg, WM_COMMAND, MAKEWPARAM(3000, EN_CHANGE), 0);
}

std::string iniWert(const std::string& ini, const char* abschnitt, const char* schluessel)
{
    char t[100] = "";
    GetPrivateProfileString(abschnitt, schluessel, "", t, sizeof t, ini.c_str());
    return t;
}

}  // namespace

TEST_F(Rahmen, SettingsPageStoresAtOnceAndCancelOnlyCloses)
{
    const fs::path satz = wurzel / "arbeit" / "Projekt" / "Standard.vgb";
    {
        std::ofstream(satz) << "Name Projektsatz\r\nZvX 5\r\n";
    }
    starten();
    VgbOeffnen();  // a second user of the store, so the edits stay visible after the dialog
    const std::string ini = rahmenIniPfad();
    WritePrivateProfileString("ArbPlatz", "ZvMenuStil", "1", ini.c_str());

    VgbGruppeEditieren("Zavik");
    plHeadlessPumpen();
    HWND dlg = wiDlgSuchen("VorEditGB");
    ASSERT_NE(dlg, 0u);
    ASSERT_TRUE(zeileWaehlen(dlg, "ZvX"));
    char wert[50] = "";
    GetDlgItemText(dlg, 3000, wert, sizeof wert);
    EXPECT_STREQ(wert, "5");
    eingeben(dlg, " 7 ");
    EXPECT_EQ(VgbInt("ZvX"), 7) << "stored at once, trimmed";
    ASSERT_TRUE(zeileWaehlen(dlg, "ZvY"));  // described, but missing in this set
    eingeben(dlg, "3");
    SendMessage(dlg, WM_COMMAND, 2910, 0);
    plHeadlessPumpen();
    EXPECT_EQ(wiDlgSuchen("VorEditGB"), 0u);
    EXPECT_STREQ(VgbZeiger("ZvX"), "7") << "Cancel puts nothing back";
    EXPECT_STREQ(VgbZeiger("ZvY"), "3");
    VgbSchliessen();  // the last user: the unwritten edits go with the store
    VgbOeffnen();
    EXPECT_EQ(VgbInt("ZvX"), 5);
    VgbFehlMeldung(0);
    EXPECT_EQ(VgbSuchen("ZvY"), -1) << "a missing key stays missing";
    VgbFehlMeldung(1);
    std::ifstream f(satz, std::ios::binary);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>()),
              "Name Projektsatz\r\nZvX 5\r\n");

    VgbGruppeEditieren("APlatz");
    plHeadlessPumpen();
    dlg = wiDlgSuchen("VorEditGB");
    ASSERT_NE(dlg, 0u);
    ASSERT_TRUE(zeileWaehlen(dlg, "AP-ZvMenuStil"));
    eingeben(dlg, "2");
    EXPECT_EQ(iniWert(ini, "ArbPlatz", "ZvMenuStil"), "2") << "an \"AP-\" key goes to the ini file at once";
    SendMessage(dlg, WM_COMMAND, 2910, 0);
    plHeadlessPumpen();
    EXPECT_EQ(iniWert(ini, "ArbPlatz", "ZvMenuStil"), "2") << "and stays there after Cancel";
    VgbSchliessen();
}

TEST_F(Rahmen, SettingsPageStaysOpenWhenTheSetCannotBeWritten)
{
    fs::path satz = wurzel / "arbeit" / "Projekt" / "Standard.vgb";
    {
        std::ofstream(satz) << "Name Projektsatz\r\nZvX 5\r\n";
    }
    starten();
    VgbGruppeEditieren("Zavik");
    plHeadlessPumpen();
    HWND dlg = wiDlgSuchen("VorEditGB");
    ASSERT_NE(dlg, 0u);
    ASSERT_TRUE(zeileWaehlen(dlg, "ZvX"));
    eingeben(dlg, "9");
    plNachrichtBoxFragenLeeren();
    plFehlerSetzen(PlFehlerArt::Umbenennen, 1, true);
    SendMessage(dlg, WM_COMMAND, 2900, 0);
    plFehlerAllesAus();
    plHeadlessPumpen();
    EXPECT_EQ(wiDlgSuchen("VorEditGB"), dlg) << "a failed write keeps the dialog open";
    EXPECT_NE(rahmenLetzteMeldung().find("nicht geschrieben"), std::string::npos) << rahmenLetzteMeldung();
    SendMessage(dlg, WM_COMMAND, 2900, 0);
    plHeadlessPumpen();
    EXPECT_EQ(wiDlgSuchen("VorEditGB"), 0u);
    std::ifstream f(satz);
    std::string inhalt((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    EXPECT_NE(inhalt.find("ZvX" + std::string(13, ' ') + "9\r\n"), std::string::npos) << inhalt;
}

namespace {

HMODULE probeModul(const char*) { return LoadLibrary("frameprobe"); }
int probeInit(int, const char* const*)
{
    wiDlgInstanzArt(2);  // every open makes a new dialog
    return 0;
}
int probeBefehl(UINT, WPARAM, LPARAM) { return 0; }

}  // namespace

TEST_F(Rahmen, ClosingTheEditorClosesItsNumberedDialogsInEverySlot)
{
    starten();
    ModusUmschalten(MODUS_EDIT);
    plHeadlessPumpen();
    HWND editor = EdtFenster();
    ASSERT_NE(editor, 0u);
    wiDlgModulSetzen(probeModul);
    HWND tief = wiDlgOeffnen("DB1Probe", probeInit, nullptr, probeBefehl);
    ASSERT_NE(tief, 0u);
    std::vector<HWND> fueller;
    while (fueller.size() < DLGSUP && (fueller.empty() || wiDlgSlot(fueller.back()) < 120)) {
        HWND h = wiDlgOeffnen("FUELL", probeInit, nullptr, probeBefehl);
        ASSERT_NE(h, 0u);
        fueller.push_back(h);
    }
    HWND hoch = wiDlgOeffnen("DB1Probe", probeInit, nullptr, probeBefehl);
    HWND anders = wiDlgOeffnen("DB2Probe", probeInit, nullptr, probeBefehl);
    ASSERT_GE(wiDlgSlot(hoch), 100) << "a dialog in the upper half of the slot table";
    SendMessage(editor, WM_CLOSE, 0, 0);
    plHeadlessPumpen();
    EXPECT_FALSE(IsWindow(tief));
    EXPECT_FALSE(IsWindow(hoch)) << "slots 100-199 are closed too";
    EXPECT_TRUE(IsWindow(anders)) << "only \"DB1*\" dialogs belong to the editor";
    EXPECT_TRUE(IsWindow(fueller.front()));
    for (HWND h : fueller) SendMessage(h, WM_CLOSE, 0, 0);
    SendMessage(anders, WM_CLOSE, 0, 0);
    wiDlgModulSetzen(nullptr);
}

// Scrolling by wheel, arrow keys and the scroll bar leaves the picture a
// fresh repaint gives, in the defaults-set list (a list box) and in the
// project page's drawing list (a list display, which scrolls by half-lines):
// a row scrolled partly above the top draws no glyph fragments over the
// first whole row, the band above it shows the background only.
TEST_F(Rahmen, ScrolledSetListEqualsAFreshRepaint)
{
    fs::create_directories(wurzel / "arbeit" / "Projekt");
    // More drawings than the page's list display shows at once.
    for (int i = 0; i < 80; ++i) {
        char name[40];
        if (i < 40) {
            std::snprintf(name, sizeof name, "Satz%02d.vgb", i);
            std::ofstream(wurzel / "arbeit" / "Projekt" / name) << "Name Vorgaben -X0 -W1 Nr. " << i << "\r\n";
        }
        std::snprintf(name, sizeof name, "Plan.%03d", i + 1);
        fs::copy_file(fs::path(VELMO_TEST_DATA) / "model" / "ZL.001", wurzel / "arbeit" / "Projekt" / name);
    }
    starten();
    fs::path ordner = fs::read_symlink("/proc/self/exe").parent_path();
    auto bild = [&](HWND fenster, const char* name) {
        fs::path p = ordner / name;
        EXPECT_EQ(plHeadlessPng(fenster, p.c_str()), 0);
        cairo_surface_t* s = cairo_image_surface_create_from_png(p.c_str());
        EXPECT_EQ(cairo_surface_status(s), CAIRO_STATUS_SUCCESS);
        return s;
    };
    auto gleich = [&](HWND fenster, const char* wie) {
        cairo_surface_t* gerollt = bild(fenster, "frame_satzliste_gerollt.png");
        RedrawWindow(fenster, nullptr, 0, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
        plHeadlessPumpen();
        cairo_surface_t* frisch = bild(fenster, "frame_satzliste_frisch.png");
        cairo_surface_flush(gerollt);
        cairo_surface_flush(frisch);
        int w = cairo_image_surface_get_width(gerollt), h = cairo_image_surface_get_height(gerollt);
        ASSERT_EQ(w, cairo_image_surface_get_width(frisch));
        ASSERT_EQ(h, cairo_image_surface_get_height(frisch));
        int anders = 0, erstY = -1;
        for (int y = 0; y < h; ++y) {
            const auto* a = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(gerollt) + y * cairo_image_surface_get_stride(gerollt));
            const auto* b = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(frisch) + y * cairo_image_surface_get_stride(frisch));
            for (int x = 0; x < w; ++x)
                if ((a[x] & 0xFFFFFF) != (b[x] & 0xFFFFFF) && anders++ == 0) erstY = y;
        }
        EXPECT_EQ(anders, 0) << wie << ": first differing row " << erstY;
        cairo_surface_destroy(gerollt);
        cairo_surface_destroy(frisch);
    };

    VgbWahlDialog();
    plHeadlessPumpen();
    HWND dlg = wiDlgSuchen("VorListeGB");
    ASSERT_NE(dlg, 0u);
    HWND liste = GetDlgItem(dlg, 3000);
    RECT r;
    GetWindowRect(liste, &r);
    SetFocus(liste);
    for (int i = 0; i < 3; ++i) plHeadlessRad((r.left + r.right) / 2, (r.top + r.bottom) / 2, -1);
    plHeadlessPumpen();
    gleich(dlg, "set list, wheel down");
    for (int i = 0; i < 25; ++i) plHeadlessTaste(VK_DOWN);
    plHeadlessPumpen();
    gleich(dlg, "set list, arrow keys down");
    plHeadlessRad((r.left + r.right) / 2, (r.top + r.bottom) / 2, 2);
    plHeadlessPumpen();
    gleich(dlg, "set list, wheel up");
    // The scroll bar's lower arrow, clicked.
    plHeadlessKlick(r.right - 4, r.bottom - 6);
    plHeadlessPumpen();
    gleich(dlg, "set list, scroll arrow");
    EXPECT_GT(SendMessage(liste, LB_GETTOPINDEX, 0, 0), 0);
    wiDlgSchliessen();
    plHeadlessPumpen();

    // The project page's list display, scrolled by half-lines.
    ASSERT_GT(PvwAnzahl(), 70);
    HWND seite = PvwDlgFenster();
    ASSERT_NE(seite, 0u);
    HWND anzeige = GetDlgItem(seite, PVWLISTE), rollen = GetDlgItem(seite, PVWLISTE + 1);
    ASSERT_NE(anzeige, 0u);
    ASSERT_NE(rollen, 0u);
    RECT a, b;
    GetWindowRect(anzeige, &a);
    GetWindowRect(rollen, &b);
    // The band above the first whole row: a row scrolled half out leaves
    // only the background there (its glyphs' lower halves would show).
    auto obenLeer = [&](const char* wie) {
        const COLORREF grund = plFensterPixel(anzeige, a.right - a.left - 4, 1);
        int tinte = 0;
        for (int y = 1; y < 4; ++y)
            for (int x = 2; x < (a.right - a.left) / 2; ++x) tinte += plFensterPixel(anzeige, x, y) != grund;
        EXPECT_EQ(tinte, 0) << wie << ": glyph fragments above the first whole row";
    };
    const HWND haupt = anwHauptfenster();
    int halb = 0;
    for (int i = 0; i < 5; ++i) {
        plHeadlessKlick((b.left + b.right) / 2, b.bottom - 4);  // the lower arrow: one half-line
        plHeadlessPumpen();
        const int pos = GetScrollPos(rollen, SB_CTL);
        EXPECT_EQ(pos, i + 1) << "one half-line a click";
        if (pos % 2) {
            ++halb;
            obenLeer("drawing list, scroll arrow");
        }
        gleich(haupt, "drawing list, scroll arrow");
    }
    EXPECT_GT(halb, 0) << "rows stood half above the top";
    plHeadlessRad((a.left + a.right) / 2, (a.top + a.bottom) / 2, -1);
    plHeadlessPumpen();
    if (GetScrollPos(rollen, SB_CTL) % 2) obenLeer("drawing list, wheel down");
    gleich(haupt, "drawing list, wheel down");
    SetFocus(anzeige);
    for (int i = 0; i < 30; ++i) plHeadlessTaste(VK_DOWN);
    plHeadlessPumpen();
    if (GetScrollPos(rollen, SB_CTL) % 2) obenLeer("drawing list, arrow keys down");
    gleich(haupt, "drawing list, arrow keys down");
}
