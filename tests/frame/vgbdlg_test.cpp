// The defaults sets in the running frame (this process, headless backend):
// the settings page's OK and Cancel, where a changed set is written, the
// missing-key messages of a drawing operation and of a set that cannot be
// found, on the command line and over the local command socket.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
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
#include "frame/anw.h"
#include "frame/vgbdlg.h"
#include "platform/dialog.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/headless.h"
#include "platform/lokalbefehl.h"
#include "platform/nachricht.h"
#include "platform/nachrichtbox.h"
#include "platform/orte.h"
#include "platform/profil.h"
#include "platform/winconst.h"
#include "tests/frame/rahmen_pruef.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/winbib.h"

namespace fs = std::filesystem;

namespace {

// A second process: sends VELMO_VGB_TEXT on the topic "option" to the
// service VELMO_VGB_DIENST and exits 0 when the answer came with DDE_FACK
// within five seconds, 1 otherwise.
const bool vgbSender = [] {
    const char* text = std::getenv("VELMO_VGB_TEXT");
    const char* dienst = std::getenv("VELMO_VGB_DIENST");
    if (text == nullptr || dienst == nullptr) return false;
    DWORD inst = 0;
    int r = 1;
    if (DdeInitialize(&inst, nullptr, APPCMD_CLIENTONLY, 0) == DMLERR_NO_ERROR) {
        HSZ d = DdeCreateStringHandle(inst, dienst, CP_WINANSI);
        HSZ t = DdeCreateStringHandle(inst, "option", CP_WINANSI);
        HCONV conv = DdeConnect(inst, d, t, nullptr);
        DWORD ergebnis = 0;
        if (conv != 0 &&
            DdeClientTransaction(reinterpret_cast<const BYTE*>(text), static_cast<DWORD>(std::strlen(text) + 1), conv,
                                 0, CF_TEXT, XTYP_EXECUTE, 5000, &ergebnis) != 0 &&
            (ergebnis & DDE_FACK)) {
            r = 0;
        }
        if (conv != 0) DdeDisconnect(conv);
        DdeUninitialize(inst);
    }
    plLokalEnde();
    std::fflush(nullptr);
    _exit(r);
}();

class VgbRahmen : public ::testing::Test {
protected:
    fs::path wurzel, vorher;
    std::vector<std::string> args;
    std::vector<const char*> argv;

    void SetUp() override
    {
        (void)vgbSender;
        wurzel = rahmenWurzel("vgbdlg");
        ASSERT_FALSE(wurzel.empty());
        fs::create_directories(wurzel / "arbeit" / "Projekt");
        setenv("XDG_RUNTIME_DIR", (wurzel / "laufzeit").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (wurzel / "konfig").c_str(), 1);
        vorher = fs::current_path();
        fs::current_path(wurzel / "arbeit");
        plNachrichtBoxFragenLeeren();
    }

    void starten(std::vector<std::string> woerter = {"-W=1", "Projekt"})
    {
        rahmenStarten(args, argv, woerter);
        if (HasFatalFailure()) return;
        AppAktivSetzen(1);
        plHeadlessPumpen();
    }

    void TearDown() override
    {
        if (anwLaufZustand() == 2) {
            PostMessage(anwHauptfenster(), WM_CLOSE, 0, 0);
            EXPECT_EQ(anwLauf(), 0);
            anwSchluss();
        }
        plFensterSystemEnde();
        const char* eins[] = {"velmo"};
        plOrtArgumenteSetzen(1, eins);
        fs::current_path(vorher);
        fs::remove_all(wurzel);
    }

    // The texts of every message box since the last clear.
    static std::vector<std::string> meldungen()
    {
        std::vector<std::string> r;
        for (const auto& f : plNachrichtBoxFragen()) r.push_back(f.text);
        return r;
    }
    static std::vector<std::string> meldungenMit(const std::string& teil)
    {
        std::vector<std::string> r;
        for (const auto& t : meldungen())
            if (t.find(teil) != std::string::npos) r.push_back(t);
        return r;
    }
};

}  // namespace

TEST_F(VgbRahmen, NewDrawingDialogReadsItsFormatWithoutAMissingKeyMessage)
{
    starten();
    plNachrichtBoxFragenLeeren();
    PostMessage(anwHauptfenster(), WM_COMMAND, 1800, 0);
    plHeadlessPumpen();
    HWND dlg = wiDlgSuchen("ZeiAnlegen");
    ASSERT_NE(dlg, 0u);
    EXPECT_EQ(meldungenMit("fehlt"), std::vector<std::string>{}) << "Eda3a4 is in the shipped set";
    SendMessage(dlg, WM_COMMAND, 2501, 0);
    plHeadlessPumpen();
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

std::string lesen(const fs::path& p)
{
    std::ifstream f(p, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

}  // namespace

TEST_F(VgbRahmen, SettingsPageOkWritesAShippedSetIntoTheProject)
{
    // A program folder of its own, so nothing can touch the checkout's data.
    const fs::path prog = wurzel / "prog";
    fs::create_directories(prog);
    fs::copy_file(fs::path(VELMO_SOURCE_DIR) / "data" / "Standard.vgb", prog / "Standard.vgb");
    fs::copy_file(fs::path(VELMO_SOURCE_DIR) / "data" / "Vorgaben.txt", prog / "Vorgaben.txt");
    const std::string geliefert = lesen(prog / "Standard.vgb");
    ASSERT_EQ(geliefert.rfind(";", 0), 0u) << "the shipped set opens with a comment line";
    starten();
    // The shipped set names the program folder as component folder too.
    VerSetzen(0, prog.c_str());
    VerSetzen(2, ("@" + prog.string()).c_str());
    ASSERT_EQ(VgbSetWaehlen("Standard"), 0);
    ASSERT_EQ(fs::path(VgbSetPfadZeiger()), prog / "Standard.vgb");

    VgbGruppeEditieren("Zavik");
    plHeadlessPumpen();
    HWND dlg = wiDlgSuchen("VorEditGB");
    ASSERT_NE(dlg, 0u);
    char titel[200] = "";
    GetWindowText(dlg, titel, sizeof titel);
    EXPECT_NE(std::string(titel).find("Projekt/Standard.vgb - "), std::string::npos) << "the file it changes: " << titel;
    // The page with a described key and its info lines, for a look.
    ASSERT_TRUE(zeileWaehlen(dlg, "ZvIniPfad"));
    InvalidateRect(dlg, nullptr, TRUE);
    plHeadlessPumpen();
    const fs::path bild = fs::read_symlink("/proc/self/exe").parent_path() / "frame_voreditgb.png";
    EXPECT_EQ(plHeadlessPng(dlg, bild.c_str()), 0);
    ASSERT_TRUE(zeileWaehlen(dlg, "ZvX"));
    SetDlgItemText(dlg, 3000, "17");
    SendMessage(dlg, WM_COMMAND, MAKEWPARAM(3000, EN_CHANGE), 0);
    SendMessage(dlg, WM_COMMAND, 2900, 0);
    plHeadlessPumpen();
    EXPECT_EQ(wiDlgSuchen("VorEditGB"), 0u);

    EXPECT_EQ(lesen(prog / "Standard.vgb"), geliefert) << "the program folder is only read";
    EXPECT_FALSE(fs::exists(wurzel / "konfig" / "Velmo" / "Standard.vgb")) << "not a set for every project";
    const fs::path kopie = wurzel / "arbeit" / "Projekt" / "Standard.vgb";
    const std::string neu = lesen(kopie);
    EXPECT_EQ(neu.substr(0, neu.find('\n') + 1), geliefert.substr(0, geliefert.find('\n') + 1)) << "comment kept";
    EXPECT_NE(neu.find("\r\nZvX             17\r\n"), std::string::npos);
    EXPECT_EQ(fs::path(VgbSetPfadZeiger()), kopie);
    EXPECT_EQ(VgbInt("ZvX"), 17) << "the settings read again come from the copy";
    EXPECT_EQ(meldungenMit("fehlt"), std::vector<std::string>{});
}

// Every info line of every key of an export group fits its field: a long
// description goes on in the fields below, word for word as written.
TEST_F(VgbRahmen, SettingsPageInfoLinesFitTheirFields)
{
    const fs::path prog = wurzel / "prog";
    fs::create_directories(prog);
    fs::copy_file(fs::path(VELMO_SOURCE_DIR) / "data" / "Standard.vgb", prog / "Standard.vgb");
    fs::copy_file(fs::path(VELMO_SOURCE_DIR) / "data" / "Vorgaben.txt", prog / "Vorgaben.txt");
    starten();
    auto breite = [](HWND feld, const std::string& t) {
        HDC dc = GetDC(feld);
        HGDIOBJ schrift = static_cast<HGDIOBJ>(SendMessage(feld, WM_GETFONT, 0, 0));
        HGDIOBJ alt = SelectObject(dc, schrift ? schrift : plDialogSystemSchrift());
        SIZE g{};
        GetTextExtentPoint32(dc, t.c_str(), static_cast<int>(t.size()), &g);
        SelectObject(dc, alt);
        ReleaseDC(feld, dc);
        return static_cast<int>(g.cx);
    };
    auto woerter = [](const std::string& t) {
        std::istringstream ein(t);
        std::string w, r;
        while (ein >> w) r += w + " ";
        return r;
    };
    for (const char* gruppe : {"DXFExp", "PDFExp"}) {
        VgbGruppeEditieren(gruppe);
        plHeadlessPumpen();
        HWND dlg = wiDlgSuchen("VorEditGB");
        ASSERT_NE(dlg, 0u) << gruppe;
        const int zeilen = static_cast<int>(SendDlgItemMessage(dlg, 3010, LB_GETCOUNT, 0, 0));
        ASSERT_GT(zeilen, 1) << gruppe;
        for (int i = 0; i < zeilen; ++i) {
            char t[400] = "";
            SendDlgItemMessage(dlg, 3010, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(t));
            const std::string schluessel = std::string(t).substr(80);
            ASSERT_TRUE(zeileWaehlen(dlg, schluessel.c_str()));
            std::string gezeigt;
            for (int id = 3020; id <= 3029; ++id) {
                HWND feld = GetDlgItem(dlg, id);
                char z[400] = "";
                GetWindowText(feld, z, sizeof z);
                RECT k{};
                GetClientRect(feld, &k);
                EXPECT_LE(breite(feld, z), k.right) << schluessel << ": \"" << z << "\" is cut";
                gezeigt += std::string(z) + " ";
            }
            // The key's info lines as Vorgaben.txt gives them.
            std::ifstream ein(prog / "Vorgaben.txt", std::ios::binary);
            std::string l, info;
            bool drin = false;
            int nr = 0;
            while (std::getline(ein, l)) {
                if (!l.empty() && l.back() == '\r') l.pop_back();
                if (l.rfind(")", 0) == 0) {
                    if (drin) break;
                    drin = l == ")S " + schluessel;
                    continue;
                }
                if (drin && nr++ > 0) info += l + " ";
            }
            EXPECT_EQ(woerter(gezeigt), woerter(info)) << schluessel;
        }
        if (std::string(gruppe) == "DXFExp") {
            ASSERT_TRUE(zeileWaehlen(dlg, "DxfDatei"));
            InvalidateRect(dlg, nullptr, TRUE);
            plHeadlessPumpen();
            const fs::path bild = fs::read_symlink("/proc/self/exe").parent_path() / "frame_voreditgb_dxf.png";
            EXPECT_EQ(plHeadlessPng(dlg, bild.c_str()), 0);
        }
        SendMessage(dlg, WM_COMMAND, 2910, 0);
        plHeadlessPumpen();
    }
}

TEST_F(VgbRahmen, SetMissingOnTheCommandLineGivesOneMessage)
{
    const std::string weg = (wurzel / "nirgends" / "Weg.vgb").string();
    starten({"-W=1", "-GD=" + weg, "Projekt"});
    plHeadlessZeitVor(10);
    EXPECT_EQ(meldungenMit("Vorgabe "), std::vector<std::string>{}) << "no message per key";
    const auto satz = meldungenMit("Vorgabensatz");
    ASSERT_EQ(satz.size(), 1u);
    EXPECT_EQ(satz[0].rfind("Der Vorgabensatz " + weg + " wurde nicht gefunden; ", 0), 0u) << satz[0];
    EXPECT_GT(std::atoi(satz[0].c_str() + satz[0].find("; ") + 2), 1) << satz[0];
}

TEST_F(VgbRahmen, SetMissingInAnOptionOverTheSocketIsAnsweredAndReportedOnce)
{
    starten();
    plHeadlessZeitVor(10);
    plNachrichtBoxFragenLeeren();
    const std::string weg = (wurzel / "nirgends" / "Weg.vgb").string();
    const std::string text = "-GD=" + weg;
    pid_t p = fork();
    if (p == 0) {
        setenv("VELMO_VGB_TEXT", text.c_str(), 1);
        setenv("VELMO_VGB_DIENST", anwDaten()->klassenName, 1);
        setenv("VELMO_BACKEND", "headless", 1);
        execl("/proc/self/exe", "frame_tests", static_cast<char*>(nullptr));
        _exit(127);
    }
    ASSERT_GT(p, 0);
    int status = 0;
    auto ende = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (waitpid(p, &status, WNOHANG) != p) {
        plLokalPollen(20);
        plHeadlessPumpen();
        if (std::chrono::steady_clock::now() > ende) {
            kill(p, SIGKILL);
            waitpid(p, &status, 0);
            FAIL() << "the sender did not finish";
        }
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the option was answered";
    EXPECT_EQ(std::string(VgbSetPfadZeiger()), weg);
    plHeadlessZeitVor(10);
    EXPECT_EQ(meldungenMit("Vorgabe "), std::vector<std::string>{}) << "no message per key";
    const auto satz = meldungenMit("Vorgabensatz");
    ASSERT_EQ(satz.size(), 1u);
    EXPECT_EQ(satz[0].rfind("Der Vorgabensatz " + weg + " wurde nicht gefunden; ", 0), 0u) << satz[0];
}
