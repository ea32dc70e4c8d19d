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
#include "frame/modus.h"
#include "platform/dateidialog.h"
#include "platform/fehlersim.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/lokalbefehl.h"
#include "platform/nachrichtbox.h"
#include "platform/winconst.h"
#include "project/pvwliste.h"
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

// Ctrl+S, "Datei > Speichern" and the toolbar's save button: each saves the
// changed sheet at once, asks nothing and writes it once.
TEST_F(ErsteStundeEditor, AnExplicitSaveSavesOnceWithoutAsking)
{
    ASSERT_NE(EdtFenster(), 0u);
    const std::string wege[] = {"Strg+S", "Datei-Menue", "Werkzeugleiste"};
    for (const std::string& weg : wege) {
        SCOPED_TRACE(weg);
        aendern();
        const auto vorher = stand();
        plHeadlessZeitVor(1000);
        if (weg == "Strg+S") {
            SetFocus(GetDlgItem(EdtFenster(), 5000));
            strg('S');
        } else if (weg == "Datei-Menue") {
            ASSERT_TRUE(menueWaehlen(1004));
        } else {
            HWND knopf = leistenKnopf("Menu: 1004");
            ASSERT_NE(knopf, 0u);
            const POINT p = plHeadlessPunkt(knopf, 6, 6);
            plHeadlessKlick(p.x, p.y);
        }
        rahmenPumpen();
        EXPECT_TRUE(boxen().empty()) << boxTexte();
        EXPECT_FALSE(ZeiIstGeaendert());
        EXPECT_NE(stand(), vorher) << "the sheet was written";
    }
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

class ErsteStundeProjekt : public DemoRahmen {
protected:
    void SetUp() override
    {
        DemoRahmen::SetUp();
        if (HasFatalFailure()) return;
        plHeadlessPumpen();
        plNachrichtBoxFragenLeeren();
    }
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
    plHeadlessPng(anwHauptfenster(), (neben / "frame_erste_stunde_export.png").c_str());
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
