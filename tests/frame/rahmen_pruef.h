// Helpers of the frame tests: the page windows by mode, the messages a
// command left in the queue, the last message box and the program folder.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "config/inidatei.h"
#include "editor/edtseite.h"
#include "editor/baubf.h"
#include "editor/objwahl.h"
#include "output/ansicht.h"
#include "output/bilder.h"
#include "output/dxfexp.h"
#include "output/dxfimp.h"
#include "output/element.h"
#include "output/gdi.h"
#include "output/schrift.h"
#include "output/show.h"
#include "output/tbar.h"
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
#include "frame/anw.h"
#include "frame/modus.h"
#include "platform/accel.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/orte.h"
#include "platform/profil.h"
#include "platform/ressource.h"
#include "platform/nachricht.h"
#include "platform/nachrichtbox.h"
#include "platform/winconst.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/winbib.h"

// Makes the private runtime folder "laufzeit" (for the owner alone) and
// the configuration folder "konfig" below `w`.
inline void rahmenOrdnerAnlegen(const std::filesystem::path& w)
{
    std::filesystem::create_directories(w / "laufzeit");
    std::filesystem::permissions(w / "laufzeit", std::filesystem::perms::owner_all);
    std::filesystem::create_directories(w / "konfig");
}

// A fresh folder "/tmp/velmo-<name>-XXXXXX" holding a private runtime
// folder "laufzeit" and a "konfig" folder; empty when it cannot be made.
inline std::filesystem::path rahmenWurzel(const std::string& name)
{
    std::string muster = "/tmp/velmo-" + name + "-XXXXXX";
    if (mkdtemp(muster.data()) == nullptr) return {};
    const std::filesystem::path w = muster;
    rahmenOrdnerAnlegen(w);
    return w;
}

// Gives the folder `w` the private runtime and configuration folders of a
// start (as rahmenWurzel makes them) and points the environment at them.
inline void rahmenUmgebung(const std::filesystem::path& w)
{
    rahmenOrdnerAnlegen(w);
    setenv("XDG_RUNTIME_DIR", (w / "laufzeit").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (w / "konfig").c_str(), 1);
    // The ini path is fixed once per process: formed again below the new
    // folder, and nothing read from an earlier start's ini file is kept.
    IniPfadSetzen("");
    plIniCacheLeeren();
}

// A folder (a working copy of the demo) as the frame's world: its own
// runtime folder "laufzeit" and configuration folder "konfig" below it.
inline void rahmenOrdnerEinrichten(const std::filesystem::path& w)
{
    rahmenUmgebung(w);
}

// The body of the frame's loop (accelerators, then the modeless dialogs'
// keyboard filter) until nothing is left: keys reach the program as in a run.
inline void rahmenPumpen()
{
    MSG m;
    for (int runde = 0; runde < 100000 && PeekMessage(&m, 0, 0, 0, PM_REMOVE); ++runde) {
        if (m.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(m.wParam));
            break;
        }
        if (TranslateAccelerator(anwHauptfenster(), anwDaten()->accel, &m)) continue;
        if (wiDlgNachricht(&m)) continue;
        TranslateMessage(&m);
        DispatchMessage(&m);
    }
}

// A user's click into the middle of control `id` of the window `d`, and
// typing into a field: click, End, the old text erased with Backspace, the
// new text typed; both pumped as the frame's loop does.
inline void rahmenKlicken(HWND d, int id)
{
    RECT r;
    GetWindowRect(GetDlgItem(d, id), &r);
    plHeadlessKlick((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    rahmenPumpen();
}
// A click into the middle of row `zeile` of the list box `liste`.
inline void rahmenZeileKlicken(HWND liste, int zeile)
{
    RECT r;
    SendMessage(liste, LB_GETITEMRECT, static_cast<WPARAM>(zeile), reinterpret_cast<LPARAM>(&r));
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(liste, &p);
    plHeadlessKlick(p.x, p.y);
    rahmenPumpen();
}
inline void rahmenEintippen(HWND d, int id, const char* text)
{
    rahmenKlicken(d, id);
    plHeadlessTaste(VK_END);
    for (int i = 0; i < 30; ++i) plHeadlessTaste(VK_BACK);
    plHeadlessText(text);
    rahmenPumpen();
}

// Starts the frame in-process on a fresh headless window system, as `velmo`
// with the command-line words `woerter`; `args` and `argv` keep the words
// alive for the frame's accessors.
inline void rahmenStarten(std::vector<std::string>& args, std::vector<const char*>& argv,
                          const std::vector<std::string>& woerter)
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
}

// Starts the frame on the project "Projekt" of the folder `wurzel` (a
// working copy of the demo), headless, with private runtime and
// configuration folders inside it, the folder as working folder; `vorher`
// keeps the folder to go back to.
inline void rahmenDemoStarten(const std::filesystem::path& wurzel, std::filesystem::path& vorher,
                              std::vector<std::string>& args, std::vector<const char*>& argv)
{
    rahmenUmgebung(wurzel);
    vorher = std::filesystem::current_path();
    std::filesystem::current_path(wurzel);
    rahmenStarten(args, argv, {"-W=1", "Projekt"});
}

// Ends a frame started by rahmenStarten as a user's close does: the loop
// returns 0; then the window system goes.
inline void rahmenBeenden()
{
    if (anwLaufZustand() == 2) {
        PostMessage(anwHauptfenster(), WM_CLOSE, 0, 0);
        EXPECT_EQ(anwLauf(), 0);
        anwSchluss();
    }
    plFensterSystemEnde();
}

// The same, and back to the folder `vorher`.
inline void rahmenBeenden(const std::filesystem::path& vorher)
{
    rahmenBeenden();
    std::filesystem::current_path(vorher);
}

// The page of a mode, by the name of its template (0 when not open).
inline HWND rahmenSeite(int modus)
{
    switch (modus) {
    case MODUS_PVW: return wiDlgSuchen("PROVERW");
    case MODUS_EDIT: return wiDlgSuchen("EDITMAIN");
    case MODUS_BML: return wiDlgSuchen("BMLBEARB_INT");
    case MODUS_AUS: return wiDlgSuchen("AUSWERTNEU") ? wiDlgSuchen("AUSWERTNEU") : wiDlgSuchen("AUSWERTALT");
    case MODUS_ANZ: return wiDlgSuchen("SHOWZEICH");
    default: return 0;
    }
}

// The sheet `name`, once the project page's list shows it as the current
// one (a command file may still be loading it), edited by Ctrl+B from the
// drawing list.
inline void rahmenZeichnungBearbeiten(const char* name)
{
    for (int i = 0; i < 50 && std::string(PvwAktZeichnung()).find(name) == std::string::npos; ++i) {
        plHeadlessZeitVor(500);
        plHeadlessPumpen();
    }
    SetFocus(GetDlgItem(rahmenSeite(MODUS_PVW), 3000));
    plHeadlessTasteRunter(VK_CONTROL);
    plHeadlessTaste('B');
    plHeadlessTasteHoch(VK_CONTROL);
    rahmenPumpen();
}

// Takes every waiting message; the WM_COMMANDs as "<receiver> <id>" joined
// by blanks, the receiver "Haupt" or the mode of a page.
inline std::string rahmenGepostet()
{
    std::string s;
    MSG m;
    while (PeekMessage(&m, 0, 0, 0, PM_REMOVE)) {
        if (m.message == WM_PAINT) {
            DispatchMessage(&m);  // a paint stays queued until it is handled
            continue;
        }
        if (m.message != WM_COMMAND) continue;
        std::string wer = "?";
        if (m.hwnd == anwHauptfenster()) wer = "Haupt";
        for (int modus = MODUS_PVW; modus <= MODUS_ANZ; ++modus) {
            if (m.hwnd == rahmenSeite(modus)) wer = ModusName(modus);
        }
        if (!s.empty()) s += ' ';
        s += wer + ' ' + std::to_string(LOWORD(m.wParam));
    }
    return s;
}

inline std::string rahmenLetzteMeldung()
{
    const auto& f = plNachrichtBoxFragen();
    return f.empty() ? std::string() : f.back().text;
}

inline std::string rahmenIniPfad()
{
    char p[300] = "";
    IniPfad(p, sizeof p);
    return p;
}

