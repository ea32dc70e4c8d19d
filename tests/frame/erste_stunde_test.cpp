// A new user's first hour on the demo project, on the real frame driven
// headless by the keys and clicks a user gives, grouped by page: the
// editor's explicit save saves once without a question; closing with a
// changed sheet can be cancelled with Esc; on the project page the drawing
// menu's "Exportieren..." opens the drawing export, whose dialog shows the
// format words, remembers format and folder and says what it wrote where; a
// name longer than a drawing name can be is refused in its dialog; counts
// read in the singular for one; a backup says where it went; Ctrl+A and a
// triple click select a whole field; a second start hands its folder to the
// running program and `velmo --help` prints the usage.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "config/datwache.h"
#include "config/inidatei.h"
#include "config/verzeich.h"
#include "controls/lisanzeige.h"
#include "editor/edtseite.h"
#include "editor/leiste.h"
#include "editor/zeidok.h"
#include "frame/anw.h"
#include "frame/funkwahl.h"
#include "frame/modus.h"
#include "model/tempzeic.h"
#include "output/ansicht.h"
#include "output/show.h"
#include "platform/dateidialog.h"
#include "platform/fehlersim.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/lokalbefehl.h"
#include "platform/nachrichtbox.h"
#include "platform/shell.h"
#include "platform/winconst.h"
#include "project/pvwliste.h"
#include "project/wrz.h"
#include "tests/frame/demorahmen_pruef.h"
#include "tests/frame/editor_pruef.h"
#include "tests/frame/seite_pruef.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/winbib.h"

namespace fs = std::filesystem;
using namespace seitepruef;

namespace {

std::vector<plNachrichtBoxFrage> boxen() { return plNachrichtBoxFragen(); }

std::string boxTexte()
{
    std::string s;
    for (const plNachrichtBoxFrage& b : plNachrichtBoxFragen()) s += "[" + b.titel + "] " + b.text + "\n";
    return s;
}

// The editor's toolbar button whose command is `befehl` ("Menu: 1004").
HWND leistenKnopf(const char* befehl)
{
    for (int art : {LEISTE_OBEN, LEISTE_LINKS}) {
        for (const LeisteEintrag& e : LeisteEintraege(art))
            if (e.befehl == befehl) return GetDlgItem(EdtFenster(), e.id);
    }
    return 0;
}

void strg(UINT t)
{
    plHeadlessTasteRunter(VK_CONTROL);
    plHeadlessTaste(t);
    plHeadlessTasteHoch(VK_CONTROL);
    rahmenPumpen();
}

// A click on row `zeile` of the function bar (0 "Projekt", 1 "Editor").
void funkZeile(int zeile)
{
    HWND bar = GetDlgItem(FunkFenster(), 3000);
    ASSERT_NE(bar, 0u);
    const POINT p = plHeadlessPunkt(bar, 20, 6 + zeile * (7 * wiDlgEinheit(8) / 2));
    plHeadlessZeitVor(1000);
    plHeadlessKlick(p.x, p.y);
    rahmenPumpen();
}

// ---- Editor page ---------------------------------------------------------------------------------

class ErsteStundeEditor : public DemoLauf {
protected:
    // A line typed into the sheet: it is changed.
    void aendern()
    {
        eingabeZeile("ZL 20 0");
        ASSERT_TRUE(ZeiIstGeaendert());
        plNachrichtBoxFragenLeeren();
    }
    fs::file_time_type stand() { return fs::last_write_time(demo.datei("HV1.08")); }
};

// Ctrl+S (on the drawing and in the command line), "Datei > Speichern" and
// the toolbar's save button: each saves the changed sheet at once, asks
// nothing and writes it once (one save renames twice; a second save would
// meet the armed third rename).
TEST_F(ErsteStundeEditor, AnExplicitSaveSavesOnceWithoutAsking)
{
    ASSERT_NE(EdtFenster(), 0u);
    const std::string wege[] = {"Strg+S", "Strg+S im Befehlsfeld", "Datei-Menue", "Werkzeugleiste"};
    for (const std::string& weg : wege) {
        SCOPED_TRACE(weg);
        aendern();
        const auto vorher = stand();
        plHeadlessZeitVor(1000);
        PlFehlerScope f;
        plFehlerSetzen(PlFehlerArt::Umbenennen, 3, true);
        if (weg == "Strg+S") {
            SetFocus(GetDlgItem(EdtFenster(), 5000));
            strg('S');
        } else if (weg == "Strg+S im Befehlsfeld") {
            HWND feld = GetDlgItem(EdtFenster(), 5020);
            ASSERT_NE(feld, 0u);
            SetFocus(feld);
            rahmenPumpen();
            ASSERT_EQ(GetFocus(), feld);
            strg('S');
            char rest[64] = "";
            GetWindowText(feld, rest, sizeof rest);
            EXPECT_STREQ(rest, "") << "the chord typed nothing into the line";
        } else if (weg == "Datei-Menue") {
            ASSERT_TRUE(menueWaehlen(1004));
        } else {
            HWND knopf = leistenKnopf("Menu: 1004");
            ASSERT_NE(knopf, 0u);
            const POINT p = plHeadlessPunkt(knopf, 6, 6);
            plHeadlessKlick(p.x, p.y);
        }
        rahmenPumpen();
        EXPECT_EQ(plFehlerAusgeloest(PlFehlerArt::Umbenennen), 0) << "the sheet was written twice";
        EXPECT_TRUE(boxen().empty()) << boxTexte();
        EXPECT_FALSE(ZeiIstGeaendert());
        EXPECT_NE(stand(), vorher) << "the sheet was written";
    }
}

// The editor's modeless "Linie" leaves with the editor page for the project
// page and comes back with it.
TEST_F(ErsteStundeEditor, AnEditorDialogLeavesAndReturnsWithItsPage)
{
    ASSERT_TRUE(menueWaehlen(1200));
    rahmenPumpen();
    HWND linie = wiDlgSuchen("DB1200");
    ASSERT_NE(linie, 0u);
    ASSERT_TRUE(IsWindowVisible(linie));

    funkZeile(0);
    ASSERT_EQ(ModusSeite(), MODUS_PVW);
    EXPECT_FALSE(IsWindowVisible(linie)) << "Linie stays over the project page";

    funkZeile(1);
    ASSERT_EQ(ModusSeite(), MODUS_EDIT);
    ASSERT_EQ(wiDlgSuchen("DB1200"), linie) << "it is the same dialog, not closed";
    EXPECT_TRUE(IsWindowVisible(linie));
    EXPECT_TRUE(boxen().empty()) << boxTexte();
}

// A failed write says so once, in a box titled with the program's name.
TEST_F(ErsteStundeEditor, AFailedSaveSaysSoOnceUnderTheProgramsName)
{
    aendern();
    {
        PlFehlerScope f;
        plFehlerSetzen(PlFehlerArt::Umbenennen, 1, true);
        SetFocus(GetDlgItem(EdtFenster(), 5000));
        strg('S');
    }
    ASSERT_LE(boxen().size(), 1u) << boxTexte();
    for (const plNachrichtBoxFrage& b : boxen()) EXPECT_EQ(b.titel.find("Text "), std::string::npos) << boxTexte();
    EXPECT_TRUE(ZeiIstGeaendert()) << "nothing was saved";
}

// Closing the window with a changed sheet asks "save?" with Ja, Nein and
// Abbrechen; Esc keeps the program and the sheet as they are.
TEST_F(ErsteStundeEditor, ClosingWithAChangedSheetCanBeCancelledWithEsc)
{
    aendern();
    for (int weg = 0; weg < 2; ++weg) {
        SCOPED_TRACE(weg == 0 ? "window close" : "Datei > Beenden");
        plNachrichtBoxFragenLeeren();
        plNachrichtBoxAntwort(IDCANCEL);  // Esc in the box
        if (weg == 0) PostMessage(anwHauptfenster(), WM_CLOSE, 0, 0);
        else ASSERT_TRUE(menueWaehlen(1998));
        rahmenPumpen();
        ASSERT_EQ(boxen().size(), 1u) << boxTexte();
        EXPECT_EQ(boxen()[0].typ & 0xF, static_cast<UINT>(MB_YESNOCANCEL));
        EXPECT_EQ(boxen()[0].titel, "Velmo 11.2");
        EXPECT_EQ(boxen()[0].antwort, IDCANCEL);
        EXPECT_TRUE(IsWindow(anwHauptfenster()));
        EXPECT_EQ(anwLaufZustand(), 2);
        EXPECT_TRUE(ZeiIstGeaendert());
        EXPECT_NE(EdtFenster(), 0u);
    }
    // "Nein" drops the change and the program ends.
    plNachrichtBoxAntwort(IDNO);
    PostMessage(anwHauptfenster(), WM_CLOSE, 0, 0);
    EXPECT_EQ(anwLauf(), 0);
    anwSchluss();
    EXPECT_FALSE(IsWindow(anwHauptfenster()));
}

// ---- Project page --------------------------------------------------------------------------------

class ErsteStundeProjekt : public DemoSeite {
protected:
    HWND seite() { return rahmenSeite(MODUS_PVW); }
    static std::string status(int teil)
    {
        char t[200] = "";
        wiStatusTextHolen(teil, t, sizeof t);
        return t;
    }
    // The selected row of the format list, as the program holds it.
    static std::string gewaehlt(HWND d)
    {
        HWND c = GetDlgItem(d, 3030);
        char t[100] = "";
        SendMessage(c, CB_GETLBTEXT, SendMessage(c, CB_GETCURSEL, 0, 0), reinterpret_cast<LPARAM>(t));
        return t;
    }
    // Alt+Z (the drawing menu), down to the item, Enter.
    void zeichnungMenue(int id) { ASSERT_TRUE(menueWaehlen(id)) << id; }
};

// "Zeichnung > Exportieren..." opens the drawing export (not the
// evaluations); one marked drawing reads in the singular; the format list
// shows the format words only and drops down to all six; format and folder
// come back the next time; the run says what it wrote where.
TEST_F(ErsteStundeProjekt, TheDrawingMenusExportOpensTheExportAndRemembersItsChoice)
{
    zeileWaehlen("HV1.01");
    SetFocus(GetDlgItem(seite(), 3000));
    zeichnungMenue(1611);
    HWND d = wiDlgSuchen("Export");
    ASSERT_NE(d, 0u);
    char titel[100] = "";
    GetWindowText(d, titel, sizeof titel);
    EXPECT_STREQ(titel, "Zeichnungen exportieren");
    EXPECT_EQ(wiDlgSuchen("AUSWERTNEU"), 0u);
    EXPECT_EQ(feld(d, 101), "markierte Zeichnung");
    EXPECT_EQ(feld(d, 3020), "Projekt.pdf") << "the project folder's name, not its placeholder";

    // The list drops down to show every format, each by its word.
    HWND combo = GetDlgItem(d, 3030);
    EXPECT_EQ(SendMessage(combo, CB_GETCOUNT, 0, 0), 6);
    klick(d, 3030);
    RECT lr{};
    SendMessage(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&lr));
    RECT kr{};
    GetWindowRect(combo, &kr);
    const int zeile = static_cast<int>(SendMessage(combo, CB_GETITEMHEIGHT, 0, 0));
    lr.top = kr.bottom;  // the list below the field
    EXPECT_GE(lr.bottom - lr.top, 6 * zeile) << "all six formats at once";
    const fs::path neben = fs::read_symlink("/proc/self/exe").parent_path();
    plHeadlessPng(d, (neben / "frame_erste_stunde_export.png").c_str());
    // SVG is the fifth row: four steps down, Enter.
    taste(VK_DOWN, 4);
    taste(VK_RETURN);
    EXPECT_EQ(gewaehlt(d).substr(0, 3), "SVG");
    const fs::path ziel = fs::path(demo.wurzel()) / "Ausgabe SVG";
    klick(d, 3010);
    strg('A');  // the whole field, then the new folder typed over it
    plHeadlessText(ziel.c_str());
    rahmenPumpen();
    EXPECT_EQ(feld(d, 3010), ziel.string());
    klick(d, 2500);
    EXPECT_EQ(wiDlgSuchen("Export"), 0u);
    ASSERT_TRUE(fs::exists(ziel)) << boxTexte();
    EXPECT_FALSE(fs::is_empty(ziel)) << ziel;
    ASSERT_FALSE(boxen().empty());
    EXPECT_EQ(boxen().back().text, "1 Datei nach " + ziel.string() + "/ exportiert.") << boxTexte();

    // The next time: SVG and that folder again.
    plNachrichtBoxFragenLeeren();
    EXPECT_EQ(GetActiveWindow(), anwHauptfenster()) << "the keyboard goes on in the main window";
    zeichnungMenue(1611);
    d = wiDlgSuchen("Export");
    ASSERT_NE(d, 0u) << boxTexte();
    EXPECT_EQ(gewaehlt(d).substr(0, 3), "SVG");
    EXPECT_EQ(feld(d, 3010), ziel.string());
    taste(VK_ESCAPE);
}

// A drawing name, page or field longer than 40 characters is refused in the
// dialog with the limit named; nothing is written.
TEST_F(ErsteStundeProjekt, ALongNameIsRefusedInTheDialogWithItsLimit)
{
    const std::set<std::string> vorher = [&] {
        std::set<std::string> n;
        for (const auto& e : fs::directory_iterator(demo.projekt())) n.insert(e.path().filename().string());
        return n;
    }();
    SetFocus(GetDlgItem(seite(), 3000));
    strg('N');
    HWND d = wiDlgSuchen("ZeiAnlegen");
    ASSERT_NE(d, 0u);
    const std::string lang(45, 'L');
    tippen(d, 3000, lang.c_str());
    tippen(d, 3011, "X");
    tippen(d, 3010, "01");
    klick(d, 2500);
    ASSERT_EQ(boxen().size(), 1u) << boxTexte();
    EXPECT_NE(boxen()[0].text.find("45 Zeichen"), std::string::npos) << boxTexte();
    EXPECT_NE(boxen()[0].text.find("40 Zeichen"), std::string::npos) << boxTexte();
    EXPECT_EQ(wiDlgSuchen("ZeiAnlegen"), d) << "the dialog stays for a shorter name";
    EXPECT_EQ(GetFocus(), GetDlgItem(d, 3000));
    std::set<std::string> nachher;
    for (const auto& e : fs::directory_iterator(demo.projekt())) nachher.insert(e.path().filename().string());
    EXPECT_EQ(nachher, vorher);
    taste(VK_ESCAPE);
}

// The status bar counts one drawing in the singular.
TEST_F(ErsteStundeProjekt, OneDrawingIsOneSeite)
{
    EXPECT_NE(status(3), "1 Seiten");
    for (const auto& e : fs::directory_iterator(demo.projekt())) {
        const std::string n = e.path().filename().string();
        if (n != "Plan.001" && (n.rfind("HV1.", 0) == 0)) fs::remove(e.path());
    }
    ASSERT_TRUE(menueWaehlen(1505));  // "Projekt > Aktualisieren"
    rahmenPumpen();
    EXPECT_EQ(status(3), "1 Seite");
}

// "Projekt sichern..." says in one line how many files went where.
TEST_F(ErsteStundeProjekt, ABackupSaysWhereItWent)
{
    ASSERT_TRUE(menueWaehlen(1506));
    HWND d = wiDlgSuchen("PVWPROSICHERN");
    ASSERT_NE(d, 0u);
    klick(d, 2500);
    ASSERT_EQ(wiDlgSuchen("PVWPROSICHERN"), 0u);
    ASSERT_FALSE(boxen().empty());
    const std::string t = boxen().back().text;
    EXPECT_NE(t.find(" Dateien nach " + demo.projekt() + "/Sicherung gesichert."), std::string::npos) << t;
}

// Ctrl+A and a triple click select the whole text of a field.
TEST_F(ErsteStundeProjekt, CtrlAAndATripleClickSelectAWholeField)
{
    SetFocus(GetDlgItem(seite(), 3000));
    strg('N');
    HWND d = wiDlgSuchen("ZeiAnlegen");
    ASSERT_NE(d, 0u);
    tippen(d, 3020, "Haupt verteilung links");
    HWND f = GetDlgItem(d, 3020);
    auto auswahl = [&] {
        DWORD a = 0, e = 0;
        SendMessage(f, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&e));
        return std::to_string(a) + "-" + std::to_string(e);
    };
    taste(VK_HOME);
    strg('A');
    EXPECT_EQ(auswahl(), "0-22");
    taste(VK_HOME);
    const POINT p = plHeadlessPunkt(f, 8, 4);
    plHeadlessZeitVor(1000);
    for (int i = 0; i < 3; ++i) plHeadlessKlick(p.x, p.y);
    rahmenPumpen();
    EXPECT_EQ(auswahl(), "0-22");
    taste(VK_ESCAPE);
}

// "Hilfe > Handbuch", "> Bauteile" and "> Velmo im Internet" without a PDF
// viewer or a browser say so in one line each.
TEST_F(ErsteStundeProjekt, TheHelpMenuSaysWhatIsMissing)
{
    plShellZuordnungSetzen([](const std::string&, std::string*) { return false; });
    plShellStarterSetzen([](const std::vector<std::string>&, const std::string&) { return -1; });
    for (int id : {1994, 1993, 1996}) ASSERT_TRUE(menueWaehlen(id)) << id;
    plShellZuordnungSetzen(nullptr);
    plShellStarterSetzen(nullptr);
    ASSERT_EQ(boxen().size(), 3u) << boxTexte();
    EXPECT_NE(boxen()[0].text.find("Kein Programm zum Anzeigen von PDF-Dateien gefunden"), std::string::npos);
    EXPECT_NE(boxen()[0].text.find("Velmo-Handbuch.pdf"), std::string::npos);
    EXPECT_NE(boxen()[1].text.find("Velmo-Bauteile.pdf"), std::string::npos);
    EXPECT_EQ(boxen()[2].text.rfind("Kein Browser gefunden: https://", 0), 0u) << boxen()[2].text;
}

// ---- Viewer page ---------------------------------------------------------------------------------

class ErsteStundeAnzeige : public ErsteStundeProjekt {
protected:
    // A click on row `zeile` of the function bar (0 "Projekt").
    static void leiste(int zeile) { funkZeile(zeile); }
    void ansehen()
    {
        zeileWaehlen("HV1.03");
        strg('O');
        ASSERT_EQ(ModusSeite(), MODUS_ANZ);
    }
};

// The viewer's caption names the program; the function bar's "Projekt" and
// the toolbar's project-list button both go back to the project page.
TEST_F(ErsteStundeAnzeige, TheViewerNamesTheProgramAndItsProjectEntriesLeaveIt)
{
    ansehen();
    char titel[300] = "";
    GetWindowText(anwHauptfenster(), titel, sizeof titel);
    EXPECT_EQ(std::string(titel).rfind("Velmo - ", 0), 0u) << titel;
    EXPECT_NE(std::string(titel).find("HV1.03"), std::string::npos) << titel;
    leiste(0);
    EXPECT_EQ(ModusSeite(), MODUS_PVW);

    ansehen();
    // The project-list button of the toolbar above the function bar.
    HWND knopf = GetDlgItem(FunkFenster(), 1500);
    ASSERT_NE(knopf, 0u);
    const POINT p = plHeadlessPunkt(knopf, 6, 6);
    plHeadlessKlick(p.x, p.y);
    rahmenPumpen();
    EXPECT_EQ(ModusSeite(), MODUS_PVW);
    EXPECT_NE(WrzDlgFenster(), 0u) << "the project list opens over the project page";
}

// "Angezeigte Layer" from the viewer's toolbar lists the 20 layers with
// their names and states; after Esc the editor page still draws at a click.
TEST_F(ErsteStundeAnzeige, TheLayerDisplayListsTwentyLayersAndTheEditorDrawsAfterIt)
{
    ansehen();
    ASSERT_NE(ShowFenster(), 0u);
    HWND knopf = GetDlgItem(ShowFenster(), 1100);  // "Layer anzeigen"
    ASSERT_NE(knopf, 0u);
    const POINT k = plHeadlessPunkt(knopf, 6, 6);
    plHeadlessKlick(k.x, k.y);
    rahmenPumpen();
    HWND d = wiDlgSuchen("LayerShow");
    ASSERT_NE(d, 0u);
    HWND liste = GetDlgItem(d, 3000);
    ASSERT_EQ(SendMessage(liste, LB_GETCOUNT, 0, 0), 20);
    // Row n - 1: the number right-aligned in two places and the name the
    // shipped "Layer.txt" gives layer n, in its order; each row marked shown.
    std::ifstream namen(std::string(VELMO_SOURCE_DIR) + "/data/Layer.txt", std::ios::binary);
    std::string zeile;
    int n = 0;
    while (std::getline(namen, zeile) && n < 20) {
        if (!zeile.empty() && zeile.back() == '\r') zeile.pop_back();
        const size_t blank = zeile.find(' ');
        ASSERT_NE(blank, std::string::npos) << zeile;
        ASSERT_EQ(std::atoi(zeile.c_str()), n + 1) << zeile;
        char soll[100];
        std::snprintf(soll, sizeof soll, "%2d %s", n + 1, zeile.substr(blank + 1).c_str());
        char t[100] = "";
        SendMessage(liste, LB_GETTEXT, n, reinterpret_cast<LPARAM>(t));
        std::string zeigt = t;  // the name keeps its field's trailing blanks, which no one sees
        zeigt.erase(zeigt.find_last_not_of(' ') + 1);
        EXPECT_EQ(zeigt, soll) << "row " << n;
        EXPECT_GT(SendMessage(liste, LB_GETSEL, n, 0), 0) << "layer " << n + 1 << " shown";
        ++n;
    }
    EXPECT_EQ(n, 20) << "Layer.txt names the 20 layers";
    const fs::path neben = fs::read_symlink("/proc/self/exe").parent_path();
    plHeadlessPng(d, (neben / "frame_erste_stunde_layer.png").c_str());
    taste(VK_ESCAPE);
    EXPECT_EQ(wiDlgSuchen("LayerShow"), 0u);

    // The editor page with the sheet: two Shift+clicks draw a line.
    leiste(1);
    ASSERT_EQ(ModusSeite(), MODUS_EDIT);
    ASSERT_NE(EdtFenster(), 0u);
    EXPECT_TRUE(IsWindowEnabled(EdtFenster()));
    const int anfang = TzAnzahl();
    HWND ansicht = GetDlgItem(EdtFenster(), 5000);
    demoLinieKlicken(ansicht);
    EXPECT_EQ(TzAnzahl(), anfang + 1) << "a line drawn";
    plHeadlessTaste(VK_ESCAPE);
    rahmenPumpen();
    plHeadlessPng(anwHauptfenster(), (neben / "frame_erste_stunde_editor_nach_layer.png").c_str());
}

// ---- The program as a whole ---------------------------------------------------------------------

std::string programm() { return (fs::read_symlink("/proc/self/exe").parent_path() / "velmo").string(); }

// `velmo --help` prints the usage in German with the start options and ends
// with 0, starting nothing.
TEST(ErsteStundeAufruf, HelpPrintsTheUsage)
{
    const std::string aus = (fs::temp_directory_path() / ("velmo-hilfe-" + std::to_string(getpid()))).string();
    ASSERT_EQ(std::system((programm() + " --help > " + aus + " 2>&1").c_str()), 0);
    std::ifstream f(aus);
    const std::string t((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    fs::remove(aus);
    for (const char* teil : {"Aufruf: velmo", "-W=1", "-A=<Datei>", "-G=<Name>", "Projektordner"})
        EXPECT_NE(t.find(teil), std::string::npos) << teil << "\n" << t;
}

// A second start on another folder while the program runs: the running one
// switches to that folder and comes to the front; the second ends with 0.
TEST_F(ErsteStundeProjekt, ASecondStartHandsItsFolderOverAndRaisesTheWindow)
{
    const fs::path anderer = fs::path(demo.wurzel()) / "Anderes";
    fs::create_directories(anderer);
    HWND fremd = CreateWindow("STATIC", "fremd", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100, 0, 0, 0, nullptr);
    SetForegroundWindow(fremd);
    rahmenPumpen();
    ASSERT_NE(GetForegroundWindow(), anwHauptfenster());
    pid_t p = fork();
    if (p == 0) {
        setenv("VELMO_BACKEND", "headless", 1);
        execl(programm().c_str(), "velmo", anderer.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = -1;
    const auto ende = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (waitpid(p, &status, WNOHANG) != p) {
        plLokalPollen(20);
        rahmenPumpen();
        if (std::chrono::steady_clock::now() > ende) {
            kill(p, SIGKILL);
            waitpid(p, &status, 0);
            FAIL() << "the second start did not end";
        }
    }
    rahmenPumpen();
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ((fs::path(VerAktuell()) / "").lexically_normal(), (anderer / "").lexically_normal());
    EXPECT_EQ(GetForegroundWindow(), anwHauptfenster());
    DestroyWindow(fremd);
}

}  // namespace
