// Shared set-up of the editor dialog tests: the control classes, a main
// window, the dialog manager with tooltips, the template resolver and the
// dispatcher registered, a fixed clock, the editor's display settings at
// known values. Header-only, namespace dbpruef.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "controls/ctlkern.h"
#include "editdlg/dbdialog.h"
#include "editor/edmeld.h"
#include "editor/edtaufrufe.h"
#include "editor/befausf.h"
#include "editor/edtseite.h"
#include "editor/baubf.h"
#include "editor/objwahl.h"
#include "model/edhaken.h"
#include "model/bauteil.h"
#include "model/beffifo.h"
#include "model/einstell.h"
#include "model/tempzeic.h"
#include "model/zustand.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/nachricht.h"
#include "platform/nachrichtbox.h"
#include "platform/uhr.h"
#include "support/texte.h"
#include "platform/winconst.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/winbib.h"
#include "winlib/wiwerk.h"
#include "tests/editor/edtaufrufprotokoll.h"
#include "tests/model/edprotokoll.h"

namespace dbpruef {

// A name in the temporary folder of this process: test processes run side
// by side and share that folder.
inline std::string tempName(const std::string& name)
{
    return ::testing::TempDir() + "/" + name + "-" + std::to_string(getpid());
}

inline LRESULT CALLBACK hauptProz(HWND h, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProc(h, m, wp, lp); }

// How often the editor page was raised to the top: what the editor's focus
// hand-back does to it.
inline int& seiteGehoben()
{
    static int n = 0;
    return n;
}

inline LRESULT CALLBACK seiteProz(HWND h, UINT m, WPARAM wp, LPARAM lp)
{
    if (m == WM_WINDOWPOSCHANGING) {
        const auto* p = reinterpret_cast<const WINDOWPOS*>(lp);
        if (!(p->flags & SWP_NOZORDER) && p->hwndInsertAfter == HWND_TOP) ++seiteGehoben();
    }
    return DefWindowProc(h, m, wp, lp);
}

inline void pumpen()
{
    MSG m;
    for (int runde = 0; runde < 10000 && PeekMessage(&m, 0, 0, 0, PM_REMOVE); ++runde) {
        if (m.message == WM_QUIT) break;
        if (wiDlgNachricht(&m)) continue;
        TranslateMessage(&m);
        DispatchMessage(&m);
    }
}

class DbTest : public ::testing::Test {
protected:
    HWND haupt = 0;
    HWND seite = 0;  // the editor page the dialogs open under

    void SetUp() override
    {
        ctlKlassenAbmelden();
        plFensterSystemEnde();
        plUhrFestsetzen(1767254400000);
        ASSERT_EQ(ctlKlassenAnmelden(), 0);
        anwZuruecksetzen();
        anwDaten()->instanz = GetModuleHandle(nullptr);
        haupt = fenster(hauptProz, "DbHaupt", "Velmo", 1000, 800);
        ASSERT_NE(haupt, 0u);
        anwDaten()->hauptfenster = haupt;
        seite = fenster(seiteProz, "DbSeite", "Editor", 800, 600);
        ASSERT_NE(seite, 0u);
        EdtFensterFuerTests(seite);
        seiteGehoben() = 0;
        anwLaufZustandSetzen(2);
        ASSERT_EQ(wiDlgInit(), 0);
        ASSERT_EQ(wiTooltipsInit(), 0);
        EdProtokollStarten();
        EdtAufrufProtokollStarten();
        EdEinst()->nk = 2;
        EdEinst()->wnk = 1;
        for (int32_t& o : EdEinst()->vorOpt) o = 1;
        EddbAnmelden();
        BaubfZuruecksetzen();
    }
    // A visible top-level window of its own class; 0 when it failed.
    static HWND fenster(WNDPROC proz, const char* klasse, const char* titel, int breite, int hoehe)
    {
        WNDCLASSEX wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = proz;
        wc.lpszClassName = klasse;
        if (RegisterClassEx(&wc) == 0) return 0;
        return CreateWindowEx(0, klasse, titel, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, breite, hoehe, 0, 0, 0, nullptr);
    }
    void TearDown() override
    {
        wiDlgAlleSchliessen();
        pumpen();
        EddbFreigeben();
        EdtFensterFuerTests(0);
        EdProtokollStarten();
        EdtAufrufProtokollStarten();
        wiTooltipsEnde();
        wiDlgFrei();
        wiBibEnde();
        ctlKlassenAbmelden();
        plFensterSystemEnde();
        plNachrichtBoxSkriptLeeren();
        anwZuruecksetzen();
        plUhrFreigeben();
    }
};

// With a drawing store, a command queue and the editor's graphic state (the
// program's defaults at scale 1), nothing under construction; helpers to
// open a dialog by number and to act on its controls as a user would.
class SchlangeTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        BefZuruecksetzen();
        TzEnde();
        TzInit();
        BefQueueInit();
        // The editor's own graphic state, as the running editor installs it:
        // construction starts where that state stands.
        BefAusfHakenSetzen();
        BefZustandInit();
        STT s{};
        SttInit(&s, nullptr);
        s.mass = s.msm = s.msf = 1.0;
        modh::EditorZustandSetzen(&s);
        BaubfZuruecksetzen();
    }
    void TearDown() override
    {
        DbTest::TearDown();
        BaubfZuruecksetzen();
        BefQueueFrei();
        TzEnde();
    }
    // The records of the command queue, in order; the queue is emptied.
    static std::vector<BEF> saetze()
    {
        std::vector<BEF> v;
        while (BefAnzahl() > 0) {
            BEF b;
            BefVorne(&b);
            BefEntfernen();
            v.push_back(b);
        }
        return v;
    }
    // The records of the queue that draw or act, in order; the queue is
    // emptied. Construction's own cursor moves ("_BA" before a refresh),
    // refreshes (code 0) and redraws (LUP) are left out; a "_BA" before a
    // drawing record is its start and stays.
    static std::vector<BEF> gezeichnet()
    {
        const std::vector<BEF> alle = saetze();
        auto eigen = [](const BEF& b) { return b.code == 0 || std::string(BefName(b.code)) == "LUP"; };
        std::vector<BEF> v;
        for (size_t i = 0; i < alle.size(); ++i) {
            if (eigen(alle[i])) continue;
            if (std::string(BefName(alle[i].code)) == "_BA" &&
                (i + 1 >= alle.size() || eigen(alle[i + 1]) || std::string(BefName(alle[i + 1].code)) == "_BA"))
                continue;
            v.push_back(alle[i]);
        }
        return v;
    }
    // The dialog of that number, opened as the editor's menu does; 0 when
    // it did not open.
    static HWND oeffnen(int n)
    {
        DBDialogOeffnen(n);
        pumpen();
        return wiDlgSuchen(("DB" + std::to_string(n)).c_str());
    }
    static std::string text(HWND d, int id)
    {
        char t[256] = "";
        GetDlgItemText(d, id, t, sizeof t);
        return t;
    }
    static void klick(HWND d, int id)
    {
        SendMessage(GetDlgItem(d, id), BM_CLICK, 0, 0);
        pumpen();
    }
    // Typing into a field: a standard edit reports the change itself, a
    // number field as its owner sees it after a key.
    static void tippen(HWND d, int id, const char* text)
    {
        HWND feld = GetDlgItem(d, id);
        SetFocus(feld);
        SetDlgItemText(d, id, text);
        char klasse[32] = "";
        GetClassName(feld, klasse, sizeof klasse);
        if (std::strcmp(klasse, "ORVAEDIT") == 0)
            SendMessage(d, WM_COMMAND, MAKEWPARAM(id, EN_CHANGE), static_cast<LPARAM>(feld));
        pumpen();
    }
};

// A library "BAUTEILE.L10" in `bib` holding the components `namen`, each
// one line; the component folder points at it and the graphic state names
// it. Call inside a SchlangeTest's set-up (ASSERTs).
inline void kleineBibliothek(const std::filesystem::path& bib, std::initializer_list<const char*> namen)
{
    std::filesystem::remove_all(bib);
    std::filesystem::create_directories(bib);
    const std::string pfad = (bib / "BAUTEILE.L10").string();
    ASSERT_EQ(BauBibAnlegen(pfad.c_str(), 10), 0);
    BauBibHandle h;
    ASSERT_EQ(BauBibOeffnen(&h, pfad.c_str()), 0);
    const std::string linie = (std::filesystem::path(VELMO_TEST_DATA) / "model" / "ZL.001").string();
    for (const char* n : namen) ASSERT_EQ(BauAufnehmen(&h, n, linie.c_str()), 0) << n;
    BauBibZu(&h);
    VerSetzen(2, bib.c_str());
    STT s = *modh::EditorZustand();
    strkopie(s.bd, sizeof s.bd, "L10", STTBDSUP);
    modh::EditorZustandSetzen(&s);
}

}  // namespace dbpruef
