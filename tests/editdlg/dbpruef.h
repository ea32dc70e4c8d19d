// Shared set-up of the editor dialog tests: the control classes, a main
// window, the dialog manager with tooltips, the template resolver and the
// dispatcher registered, a fixed clock, the editor's display settings at
// known values. Header-only, namespace dbpruef.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <string>

#include "config/vorgaben.h"
#include "controls/ctlkern.h"
#include "editdlg/dbdialog.h"
#include "editdlg/platzhalter.h"
#include "editor/edmeld.h"
#include "editor/edtaufrufe.h"
#include "editor/platzhalter.h"
#include "model/edhaken.h"
#include "model/einstell.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/nachricht.h"
#include "platform/nachrichtbox.h"
#include "platform/uhr.h"
#include "platform/winconst.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/winbib.h"
#include "winlib/wiwerk.h"

namespace dbpruef {

// A name in the temporary folder of this process: test processes run side
// by side and share that folder.
inline std::string tempName(const std::string& name)
{
    return ::testing::TempDir() + "/" + name + "-" + std::to_string(getpid());
}

inline LRESULT CALLBACK hauptProz(HWND h, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProc(h, m, wp, lp); }

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

    void SetUp() override
    {
        ctlKlassenAbmelden();
        plFensterSystemEnde();
        plUhrFestsetzen(1767254400000);
        ASSERT_EQ(ctlKlassenAnmelden(), 0);
        anwZuruecksetzen();
        anwDaten()->instanz = GetModuleHandle(nullptr);
        WNDCLASSEX wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = hauptProz;
        wc.lpszClassName = "DbHaupt";
        ASSERT_NE(RegisterClassEx(&wc), 0);
        haupt = CreateWindowEx(0, "DbHaupt", "Velmo", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1000, 800, 0, 0, 0,
                               nullptr);
        ASSERT_NE(haupt, 0u);
        anwDaten()->hauptfenster = haupt;
        anwLaufZustandSetzen(2);
        ASSERT_EQ(wiDlgInit(), 0);
        ASSERT_EQ(wiTooltipsInit(), 0);
        EdHakenStandard();
        EdtAufrufeStandard();
        EdEinst()->nk = 2;
        EdEinst()->wnk = 1;
        EddbAnmelden();
        PhDbOeffner().clear();
        PhEditorAufrufe().clear();
        PhBaubfCodeSetzen(0);
    }
    void TearDown() override
    {
        wiDlgAlleSchliessen();
        pumpen();
        EddbFreigeben();
        EdHakenStandard();
        EdtAufrufeStandard();
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

}  // namespace dbpruef
