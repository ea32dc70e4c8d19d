// Tests of driving the program from outside: the command file one line per
// tick, the log, option texts, the local-command server (in this process
// and from a second one) and the start of programs.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "support/bdatei.h"
#include "config/datwache.h"
#include "config/reaktion.h"
#include "config/verordner.h"
#include "config/verzeich.h"
#include "frame/dde.h"
#include "output/ansicht.h"
#include "output/bilder.h"
#include "output/dxfexp.h"
#include "output/dxfimp.h"
#include "output/element.h"
#include "output/gdi.h"
#include "output/schrift.h"
#include "output/show.h"
#include "output/tbar.h"
#include "platform/fehlersim.h"
#include "platform/fenster.h"
#include "platform/lokalbefehl.h"
#include "platform/nachricht.h"
#include "platform/nachrichtbox.h"
#include "platform/orte.h"
#include "platform/uhr.h"
#include "platform/winconst.h"
#include "winlib/anwdaten.h"

namespace {

namespace fs = std::filesystem;

const char* const DIENST = "VelmoDdeProbe";

// A second process: sends the execute string of VELMO_DDE_TEXT on the topic
// of VELMO_DDE_THEMA to DIENST; exits with DdeKlient's result (0 or 255).
const bool ddeKind = [] {
    const char* text = std::getenv("VELMO_DDE_TEXT");
    if (text == nullptr) return false;
    int r = DdeKlient(DIENST, std::getenv("VELMO_DDE_THEMA"), text);
    DdeKlientEnde();
    plLokalEnde();
    std::fflush(nullptr);
    _exit(r == 0 ? 0 : 1);
}();

std::vector<WPARAM> ddeBefehle;

LRESULT CALLBACK ddeHauptProz(HWND h, UINT m, WPARAM wp, LPARAM lp)
{
    if (m == WM_COMMAND) ddeBefehle.push_back(wp);
    return DefWindowProc(h, m, wp, lp);
}

std::vector<std::string> ddeUmschaltungen;
int ddeFolgen = 0;

struct Dde : ::testing::Test {
    fs::path ordner, alt;
    HWND haupt = 0;
    void SetUp() override
    {
        (void)ddeKind;
        alt = fs::current_path();
        char muster[] = "/tmp/velmo-dde-XXXXXX";
        ASSERT_NE(mkdtemp(muster), nullptr);
        ordner = muster;
        fs::create_directories(ordner / "Projekt A");
        fs::create_directories(ordner / "lauf");
        fs::create_directories(ordner / "konfig");
        setenv("XDG_RUNTIME_DIR", (ordner / "lauf").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (ordner / "konfig").c_str(), 1);
        fs::current_path(ordner);
        plLokalEnde();
        plFensterSystemEnde();
        plUhrFestsetzen(1767254400000 + 7 * 1000 + 42);  // 7.042 s into a minute
        plNachrichtBoxFragenLeeren();
        DatWacheZuruecksetzen();
        const char* argv[] = {"velmo", nullptr};
        plOrtArgumenteSetzen(1, argv);
        VerStart();
        OrdnerWacheAnlegen();
        ddeFolgen = 0;
        OrdnerEinstFolgeSetzen([] { ++ddeFolgen; });
        OrdnerEinstLaden();
        LogZuruecksetzen();
        LogPfad();
        DdeUmschaltenSetzen(nullptr);
        ddeUmschaltungen.clear();
        ddeBefehle.clear();
        SprZuruecksetzen();
        anwZuruecksetzen();
        std::snprintf(anwDaten()->klassenName, ANWKLASSESUP + 1, "%s", DIENST);
        WNDCLASSEX wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = ddeHauptProz;
        wc.lpszClassName = "VelmoDdeHaupt";
        ASSERT_NE(RegisterClassEx(&wc), 0);
        haupt = CreateWindowEx(0, "VelmoDdeHaupt", "Velmo", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, 0, 0, 0, nullptr);
        ASSERT_NE(haupt, 0u);
        anwDaten()->hauptfenster = haupt;
    }
    void TearDown() override
    {
        BefehlsdateiSchliessen();
        DdeKlientEnde();
        if (DdeInstanz() != 0) DdeUninitialize(DdeInstanz());
        DdeInstanzSetzen(0);
        plLokalEnde();
        plFensterSystemEnde();
        anwZuruecksetzen();
        plUhrFreigeben();
        OrdnerEinstFolgeSetzen(nullptr);
        DdeUmschaltenSetzen(nullptr);
        SprZuruecksetzen();
        fs::current_path(alt);
        VerSetzen(0, "");
        VerSetzen(1, "");
        DatWacheZuruecksetzen();
        LogZuruecksetzen();
        fs::remove_all(ordner);
        unsetenv("XDG_RUNTIME_DIR");
    }
    void pumpen()
    {
        MSG m;
        while (PeekMessage(&m, 0, 0, 0, PM_REMOVE)) DispatchMessage(&m);
    }
    std::vector<std::string> logZeilen()
    {
        std::ifstream ein(ordner / "log.txt");
        std::vector<std::string> z;
        for (std::string s; std::getline(ein, s);) z.push_back(s);
        return z;
    }
    std::string verz(const char* name) { return (ordner / name).string() + "/"; }
    void serverStarten()
    {
        DWORD inst = 0;
        ASSERT_EQ(DdeInitialize(&inst, DdeServerRueckruf, APPCLASS_STANDARD, 0), (UINT)DMLERR_NO_ERROR);
        DdeInstanzSetzen(inst);
        HSZ name = DdeCreateStringHandle(inst, DIENST, CP_WINANSI);
        ASSERT_NE(DdeNameService(inst, name, 0, DNS_REGISTER), 0u);
    }
};

TEST_F(Dde, CommandFileRunsOneLinePerTickAndLogsTextAsData)
{
    std::ofstream(ordner / "start.txt") << "# Kommentar\n"
                                           "print Hallo %s %d\n"
                                           "open \"Projekt A\"\n"
                                           "refresh\n"
                                           "option -S=3\n"
                                           "LOG 0\n"
                                           "print weg\n"
                                           "DXFImp x.dxf y.zei\n"
                                           "log 1\n"
                                           "\n"
                                           "DXFExp \"a b.dxf\" c.zei\n"
                                           "Switch Projekt A/Seite.zei\n"
                                           "unbekannt 1 2\n"
                                           "exit\n";
    ASSERT_GE(BefehlsdateiOeffnen("start.txt"), 0);
    std::vector<std::vector<WPARAM>> jeTakt;
    int takte = 0;
    while (BefehlsdateiLaeuft()) {
        BefehlsdateiSchritt();
        ++takte;
        ddeBefehle.clear();
        pumpen();  // a line's posts are handled before the next line
        jeTakt.push_back(ddeBefehle);
    }
    EXPECT_EQ(takte, 15);  // 14 lines (the empty one too) and the end
    EXPECT_EQ(jeTakt[3], std::vector<WPARAM>{1005});
    EXPECT_EQ(jeTakt[13], std::vector<WPARAM>{1998});
    EXPECT_EQ(logZeilen(), (std::vector<std::string>{"07042 Hallo %s %d", "07042 DXFExp >a b.dxf< >c.zei<"}));
    EXPECT_EQ(std::string(VerAktuell()), verz("Projekt A"));
    EXPECT_EQ(DatWechsel(), 2);  // the folder switch and the option; "switch" to the same folder did nothing
    EXPECT_EQ(SprNummer(), 3);
    // The real import and export ran: the DXF file and the drawing are
    // missing, so each warned and neither left a file behind.
    for (const char* datei : {"y.zei", "a b.dxf", "c.zei"}) {
        EXPECT_FALSE(std::filesystem::exists(datei)) << datei;
    }
    EXPECT_EQ(BefehlsdateiOeffnen("fehlt.txt"), -1);
    EXPECT_EQ(BefehlsdateiLaeuft(), 0);
}

// A line the read error cuts is not run as if it were whole ("print Hal"
// went to the log before), the run stops and says so.
TEST_F(Dde, ALineCutByAReadErrorIsNotRun)
{
    // Comment lines up to 9 bytes before the end of the first read block.
    const size_t vorEnde = BDLESEBLOCK - 9;
    std::string inhalt;
    while (inhalt.size() + 50 < vorEnde) inhalt += "#" + std::string(48, '-') + "\n";
    inhalt += "#" + std::string(vorEnde - inhalt.size() - 2, '-') + "\n";
    ASSERT_EQ(inhalt.size(), vorEnde);
    inhalt += "print Hallo Welt\nexit\n";  // "print Hal" in the first block
    std::ofstream(ordner / "kurz.txt", std::ios::binary) << inhalt;
    ASSERT_GE(BefehlsdateiOeffnen("kurz.txt"), 0);
    {
        PlFehlerScope scope;
        plFehlerSetzen(PlFehlerArt::Lesen, 2, true);
        for (int i = 0; i < 1000 && BefehlsdateiLaeuft(); ++i) BefehlsdateiSchritt();
        EXPECT_EQ(plFehlerAusgeloest(PlFehlerArt::Lesen), 1);
    }
    EXPECT_EQ(BefehlsdateiLaeuft(), 0);
    pumpen();
    EXPECT_TRUE(logZeilen().empty());
    EXPECT_TRUE(ddeBefehle.empty()) << "no exit either";
    ASSERT_EQ(plNachrichtBoxFragen().size(), 1u);
    EXPECT_EQ(plNachrichtBoxFragen()[0].text, "Kann kurz.txt nicht lesen.");
}

// A log whose end cannot be read is left alone: the line would have been
// written over the last byte before ("al07042 neu").
TEST_F(Dde, ALogWhoseEndCannotBeReadIsLeftAlone)
{
    std::ofstream(ordner / "log.txt", std::ios::binary) << "alt\n";
    {
        PlFehlerScope scope;
        plFehlerSetzen(PlFehlerArt::Lesen, 1, true);
        LogZeile("neu");
        EXPECT_GE(plFehlerAusgeloest(PlFehlerArt::Lesen), 1);
    }
    EXPECT_EQ(logZeilen(), std::vector<std::string>{"alt"});
    LogZeile("neu");
    EXPECT_EQ(logZeilen(), (std::vector<std::string>{"alt", "07042 neu"}));
}

TEST_F(Dde, OptionsChangeOnlyWhenDifferentAndThenReload)
{
    struct Fall {
        const char* text;
        int reloads;  // reloads after the text
    };
    const Fall faelle[] = {
        {"-S=3", 1}, {"-s=3", 0}, {"-N=1", 1}, {"-N=1", 0}, {"-X=1", 0}, {"-V=Projekt A", 0},
    };
    int vorher = ddeFolgen;
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.text);
        int wechsel = DatWechsel();
        OptionAusfuehren(f.text);
        if (std::strncmp(f.text, "-V", 2) != 0) {
            EXPECT_EQ(DatWechsel() - wechsel, f.reloads);
            EXPECT_EQ(ddeFolgen - vorher, f.reloads);
        }
        vorher = ddeFolgen;
    }
    EXPECT_EQ(BMNorm(), 1);
    EXPECT_EQ(std::string(VerAktuell()), verz("Projekt A"));
}

// "DXFExp" of a drawing outside the project open (before "open", say) is
// refused with a message: the sheet would go out without its symbols. Once
// its project is open the export runs and writes the drawing's line.
TEST_F(Dde, DxfExportWaitsForTheDrawingsProjectToBeOpen)
{
    fs::copy_file(fs::path(VELMO_TEST_DATA) / "model" / "ZL.001", ordner / "Projekt A" / "s.zei");
    BefehlsdateiZeile("DXFExp x.dxf \"Projekt A/s.zei\"");
    ASSERT_EQ(plNachrichtBoxFragen().size(), 1u);
    EXPECT_NE(plNachrichtBoxFragen()[0].text.find("s.zei liegt nicht im ge\xf6" "ffneten Projekt"), std::string::npos)
        << plNachrichtBoxFragen()[0].text;
    EXPECT_FALSE(fs::exists("x.dxf"));
    plNachrichtBoxFragenLeeren();
    // A drawing that cannot be read is said so, and nothing is written.
    ASSERT_EQ(VerUmschalten((ordner / "Projekt A" / "x").c_str()), 1);
    BefehlsdateiZeile(("DXFExp x.dxf \"" + (ordner / "Projekt A" / "fehlt.zei").string() + "\"").c_str());
    ASSERT_EQ(plNachrichtBoxFragen().size(), 1u);
    EXPECT_EQ(plNachrichtBoxFragen()[0].text.rfind("Kann Zeichnung", 0), 0u) << plNachrichtBoxFragen()[0].text;
    EXPECT_FALSE(fs::exists("x.dxf"));
    plNachrichtBoxFragenLeeren();
    // The same command once the project is open: the file holds the line.
    BefehlsdateiZeile(("DXFExp x.dxf \"" + (ordner / "Projekt A" / "s.zei").string() + "\"").c_str());
    for (const plNachrichtBoxFrage& f : plNachrichtBoxFragen()) ADD_FAILURE() << f.text;
    ASSERT_TRUE(fs::exists("x.dxf"));
    std::ifstream f("x.dxf", std::ios::binary);
    const std::string dxf((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    EXPECT_NE(dxf.find("\nLINE\r\n"), std::string::npos) << "the drawing's line";
    EXPECT_NE(dxf.find("\nEOF"), std::string::npos);
}

// A DXF import into a folder that refuses the new drawing (read-only: its
// open fails) or onto a full disk (a write fails), in a run without a user:
// the box was answered and nobody heard of it, the run ended with 0. Every
// failure of each kind in turn is said on stderr and fails the run; a run
// that says nothing made the drawing.
TEST_F(Dde, ADxfImportThatCannotWriteIsSaidInARunWithoutAUser)
{
    ASSERT_EQ(VerUmschalten((ordner / "Projekt A" / "x").c_str()), 1);
    std::ofstream(ordner / "a.dxf", std::ios::binary)
        << "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n0\n10\n0.0\n20\n0.0\n11\n50.0\n21\n0.0\n"
           "0\nLINE\n8\n0\n10\n0.0\n20\n0.0\n11\n0.0\n21\n50.0\n0\nENDSEC\n0\nEOF\n";
    const fs::path neu = ordner / "Projekt A" / "Neu.001";
    const std::string zeile = "DXFImp " + (ordner / "a.dxf").string() + " Neu.001";
    LogSchalten(0);
    LaufOhneBenutzer(1);
    for (PlFehlerArt art : {PlFehlerArt::Oeffnen, PlFehlerArt::Schreiben, PlFehlerArt::Umbenennen}) {
        int k = 1;
        for (; k < 100; ++k) {
            SCOPED_TRACE(std::to_string(static_cast<int>(art)) + "/" + std::to_string(k));
            fs::remove(neu);
            plOhneBenutzerFehlerLeeren();
            testing::internal::CaptureStderr();
            int ausgeloest;
            {
                PlFehlerScope s;
                plFehlerSetzen(art, k);
                BefehlsdateiZeile(zeile.c_str());
                ausgeloest = plFehlerAusgeloest(art);
            }
            const std::string fehler = testing::internal::GetCapturedStderr();
            if (fehler.find("velmo: ") == std::string::npos) {
                EXPECT_TRUE(fs::exists(neu)) << "a run that says nothing made the drawing";
                EXPECT_EQ(LaufEndcode(0), LAUF_OK);
            } else {
                EXPECT_EQ(LaufEndcode(0), LAUF_FEHLER) << fehler;
            }
            if (ausgeloest == 0) break;
        }
        EXPECT_GT(k, 1) << "the import met a failure of this kind";
    }
    EXPECT_TRUE(fs::exists(neu));
    LaufOhneBenutzer(0);
    LogSchalten(1);
}

TEST_F(Dde, LogPathStaysInTheStartFolderAndLogZeroStopsEverything)
{
    ASSERT_EQ(VerUmschalten((ordner / "Projekt A" / "x").c_str()), 1);
    LogZeile("eins %d", 1);
    LogSchalten(0);
    LogZeile("zwei");
    BefehlsdateiZeile("DXFExp a b");
    LogSchalten(1);
    std::ofstream(ordner / "log.txt", std::ios::app) << "\x1a";  // a trailing Ctrl-Z is written over
    LogZeile("drei");
    EXPECT_EQ(logZeilen(), (std::vector<std::string>{"07042 eins 1", "07042 drei"}));
    EXPECT_FALSE(fs::exists(ordner / "Projekt A" / "log.txt"));
}

TEST_F(Dde, ServerAcceptsOnlyItsNameAndRunsExecuteStrings)
{
    serverStarten();
    DWORD inst = DdeInstanz();
    HSZ thema = DdeCreateStringHandle(inst, "system", CP_WINANSI);
    HSZ eigen = DdeCreateStringHandle(inst, DIENST, CP_WINANSI);
    HSZ fremd = DdeCreateStringHandle(inst, "VelmoAnders", CP_WINANSI);
    EXPECT_EQ(DdeServerRueckruf(XTYP_CONNECT, 0, 0, thema, eigen, 0, 0, 0), 1u);
    EXPECT_EQ(DdeServerRueckruf(XTYP_CONNECT, 0, 0, thema, fremd, 0, 0, 0), 0u);

    DdeUmschaltenSetzen([](const char* p) { ddeUmschaltungen.push_back(p); });
    // 300 bytes: only the first 200 are taken, and the copy stays terminated.
    std::string lang = "open " + std::string(295, 'p');
    HDDEDATA daten = DdeCreateDataHandle(inst, reinterpret_cast<const BYTE*>(lang.data()),
                                         static_cast<DWORD>(lang.size()), 0, 0, CF_TEXT, 0);
    EXPECT_EQ(DdeServerRueckruf(XTYP_EXECUTE, 0, 0, thema, eigen, daten, 0, 0), (HDDEDATA)DDE_FACK);
    ASSERT_EQ(ddeUmschaltungen.size(), 1u);
    EXPECT_EQ(ddeUmschaltungen[0], std::string(195, 'p'));
    EXPECT_EQ(DdeServerRueckruf(XTYP_REGISTER, 0, 0, thema, eigen, 0, 0, 0), 0u);

    struct Fall {
        const char* thema;
        std::string text;
        std::vector<std::string> umschaltungen;
        std::vector<WPARAM> befehle;
    };
    const Fall faelle[] = {
        {"SYSTEM", "exit", {}, {1998}},
        {"system", "Refresh", {}, {1005}},
        {"system", "switch " + (ordner / "Seite.zei").string(), {}, {}},  // current folder
        {"system", "switch " + (ordner / "PROJEKT A" / "S.zei").string(),
         {(ordner / "PROJEKT A" / "S.zei").string()}, {}},
        {"system", "open " + (ordner / "Seite.zei").string(), {(ordner / "Seite.zei").string()}, {}},
        {"system", "loeschen alles", {}, {}},
        {"andere", "exit", {}, {}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.text);
        ddeUmschaltungen.clear();
        ddeBefehle.clear();
        DdeAusfuehren(f.thema, f.text.c_str());
        pumpen();
        EXPECT_EQ(ddeUmschaltungen, f.umschaltungen);
        EXPECT_EQ(ddeBefehle, f.befehle);
    }
    DdeAusfuehren("Option", "-S=3");
    EXPECT_EQ(SprNummer(), 3);
}

TEST_F(Dde, ACommandTheFullQueueDroppedIsNotAcknowledged)
{
    // "exit" dropped for a full message queue was acknowledged as done.
    serverStarten();
    DWORD inst = DdeInstanz();
    HSZ thema = DdeCreateStringHandle(inst, "system", CP_WINANSI);
    HSZ eigen = DdeCreateStringHandle(inst, DIENST, CP_WINANSI);
    auto ausfuehren = [&](const char* text) {
        HDDEDATA daten = DdeCreateDataHandle(inst, reinterpret_cast<const BYTE*>(text),
                                             static_cast<DWORD>(std::strlen(text) + 1), 0, 0, CF_TEXT, 0);
        return DdeServerRueckruf(XTYP_EXECUTE, 0, 0, thema, eigen, daten, 0, 0);
    };
    testing::internal::CaptureStderr();
    while (PostMessage(haupt, WM_USER, 0, 0)) {
    }
    EXPECT_EQ(ausfuehren("exit"), (HDDEDATA)DDE_FBUSY);
    EXPECT_EQ(ausfuehren("refresh"), (HDDEDATA)DDE_FBUSY);
    EXPECT_EQ(DdeAusfuehren("system", "exit"), 0);
    pumpen();
    testing::internal::GetCapturedStderr();
    ddeBefehle.clear();
    EXPECT_EQ(ausfuehren("exit"), (HDDEDATA)DDE_FACK);
    pumpen();
    EXPECT_EQ(ddeBefehle, std::vector<WPARAM>{1998});
}

TEST_F(Dde, ASecondProcessDrivesTheServer)
{
    serverStarten();
    auto senden = [&](const char* thema, const std::string& text) {
        pid_t p = fork();
        if (p == 0) {
            setenv("VELMO_DDE_TEXT", text.c_str(), 1);
            setenv("VELMO_DDE_THEMA", thema, 1);
            setenv("VELMO_BACKEND", "headless", 1);
            execl("/proc/self/exe", "frame_tests", static_cast<char*>(nullptr));
            _exit(127);
        }
        int status = 0;
        auto ende = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (waitpid(p, &status, WNOHANG) != p) {
            plLokalPollen(20);
            if (std::chrono::steady_clock::now() > ende) {
                kill(p, SIGKILL);
                waitpid(p, &status, 0);
                return -1;
            }
        }
        pumpen();
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    EXPECT_EQ(senden("system", "open " + (ordner / "Projekt A").string()), 0);
    EXPECT_EQ(std::string(VerAktuell()), verz("Projekt A"));
    int wechsel = DatWechsel();
    EXPECT_EQ(senden("system", "switch " + (ordner / "Projekt A" / "Seite.zei").string()), 0);
    EXPECT_EQ(DatWechsel(), wechsel);
    EXPECT_EQ(senden("option", "-S=3"), 0);
    EXPECT_EQ(SprNummer(), 3);
    EXPECT_EQ(senden("system", "open " + std::string(290, 'q')), 0);  // cut, no fault
    ddeBefehle.clear();
    EXPECT_EQ(senden("system", "exit"), 0);
    EXPECT_EQ(ddeBefehle, std::vector<WPARAM>{1998});
}

std::vector<std::string> ddeGeschwister;

template <int N>
HDDEDATA CALLBACK ddeGeschwisterRuf(UINT art, UINT, HCONV, HSZ, HSZ, HDDEDATA daten, ULONG_PTR, ULONG_PTR)
{
    static const char* const namen[] = {"ZVKView", "ZVKEdit"};
    if (art == XTYP_CONNECT) return 1;
    if (art != XTYP_EXECUTE) return 0;
    char text[300] = "";
    DdeGetData(daten, reinterpret_cast<BYTE*>(text), sizeof text - 1, 0);
    ddeGeschwister.push_back(std::string(namen[N]) + ": " + text);
    return DDE_FACK;
}

TEST_F(Dde, SiblingsAreToldAboutFilesByKind)
{
    DWORD view = 0, edit = 0;
    ASSERT_EQ(DdeInitialize(&view, ddeGeschwisterRuf<0>, APPCLASS_STANDARD, 0), (UINT)DMLERR_NO_ERROR);
    ASSERT_EQ(DdeInitialize(&edit, ddeGeschwisterRuf<1>, APPCLASS_STANDARD, 0), (UINT)DMLERR_NO_ERROR);
    ASSERT_NE(DdeNameService(view, DdeCreateStringHandle(view, "ZVKView", CP_WINANSI), 0, DNS_REGISTER), 0u);
    ASSERT_NE(DdeNameService(edit, DdeCreateStringHandle(edit, "ZVKEdit", CP_WINANSI), 0, DNS_REGISTER), 0u);
    const std::string pfad = ordner.string() + "/Seite.zei";
    const struct {
        int art;
        std::vector<std::string> erwartet;
    } faelle[] = {
        {0, {"ZVKView: close " + pfad, "ZVKEdit: save " + pfad}},
        {1, {"ZVKEdit: refresh " + pfad}},
        {2, {"ZVKEdit: close " + pfad}},
        {3, {"ZVKEdit: close"}},
        {4, {"ZVKEdit: save"}},
        {5, {}},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.art);
        ddeGeschwister.clear();
        DdeDateiMelden("Seite.zei", f.art);
        EXPECT_EQ(ddeGeschwister, f.erwartet);
    }
    ddeGeschwister.clear();
    EXPECT_EQ(DdeAlleBeenden(), 0);
    EXPECT_EQ(ddeGeschwister, std::vector<std::string>{"ZVKView: exit"});  // no component program running
    DdeUninitialize(view);
    DdeUninitialize(edit);
}

TEST_F(Dde, ClientWithoutPeerGivesMinusOne)
{
    EXPECT_EQ(DdeKlient("ZVKEdit", "system", "save"), -1);
    EXPECT_EQ(DdeAlleBeenden(), 0);
}

TEST_F(Dde, AMissingProgramIsReportedAndNotStarted)
{
    EXPECT_EQ(ProgrammStarten("gibtsnicht.exe"), -1);
    ASSERT_EQ(plNachrichtBoxFragen().size(), 1u);
    std::string erwartet = "Programmdatei " + plOrtProgramm() + "/gibtsnicht.exe nicht vorhanden.";
    EXPECT_EQ(plNachrichtBoxFragen()[0].text, erwartet);
}

}  // namespace
