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
#include "equipment/platzhalter.h"
#include "frame/anw.h"
#include "frame/vgbdlg.h"
#include "platform/dialog.h"
#include "platform/fenster.h"
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
        char muster[] = "/tmp/velmo-vgbdlg-XXXXXX";
        ASSERT_NE(mkdtemp(muster), nullptr);
        wurzel = muster;
        fs::create_directories(wurzel / "laufzeit");
        fs::permissions(wurzel / "laufzeit", fs::perms::owner_all);
        fs::create_directories(wurzel / "konfig");
        fs::create_directories(wurzel / "arbeit" / "Projekt");
        setenv("XDG_RUNTIME_DIR", (wurzel / "laufzeit").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (wurzel / "konfig").c_str(), 1);
        vorher = fs::current_path();
        fs::current_path(wurzel / "arbeit");
        plNachrichtBoxFragenLeeren();
    }

    void starten(std::vector<std::string> woerter = {"-W=1", "Projekt"})
    {
        args = {"velmo"};
        args.insert(args.end(), woerter.begin(), woerter.end());
        argv.clear();
        for (const std::string& a : args) argv.push_back(a.c_str());
        plOrtArgumenteSetzen(static_cast<int>(argv.size()), argv.data());
        plFensterSystemEnde();
        ASSERT_EQ(plFensterSystemStart(), 0);
        ASSERT_EQ(anwStart(GetModuleHandle(nullptr), wiKommandozeile(), SW_SHOWDEFAULT), 0);
        ASSERT_EQ(anwLaufZustand(), 2);
        PhAppAktivSetzen(1);
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
