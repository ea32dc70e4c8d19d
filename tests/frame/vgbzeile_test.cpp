// Tests of the defaults-set chooser rows: the description is cut or padded
// to 80 columns, so a long one cannot spoil the path read back.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <unistd.h>

#include "config/vorgaben.h"
#include "frame/modstart.h"
#include "platform/dialog.h"
#include "platform/fenster.h"
#include "platform/profil.h"
#include "platform/ressource.h"
#include "platform/winconst.h"
#include "support/pfade.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"

namespace {

int vzInit(int, const char* const*) { return 0; }
int vzExit() { return 0; }
int vzBefehl(UINT, WPARAM, LPARAM) { return 0; }

TEST(VgbZeile, RowsKeepThePathWhateverTheDescription)
{
    char muster[] = "/tmp/velmo-vgbzeile-XXXXXX";
    ASSERT_NE(mkdtemp(muster), nullptr);
    setenv("XDG_CONFIG_HOME", muster, 1);
    plIniCacheLeeren();
    plFensterSystemEnde();
    anwZuruecksetzen();
    anwDaten()->instanz = LoadLibrary("vgbzeilen");
    ASSERT_NE(anwDaten()->instanz, 0u);
    anwLaufZustandSetzen(2);
    ASSERT_EQ(wiDlgInit(), 0);
    HWND dlg = wiDlgOeffnen("vgbzeilen", vzInit, vzExit, vzBefehl);
    ASSERT_NE(dlg, 0u);
    ASSERT_EQ(wiDlgBetreten(dlg), 1);

    EXPECT_EQ(VgbZeileWaehlen(), -1);  // nothing selected
    const std::string pfadA = "/daten/Saetze/Standard.vgb";
    const std::string pfadB = "/daten/Mit Blank/Sonder Satz.vgb";
    VgbZeile(pfadA.c_str(), "Standard");
    VgbZeile(pfadB.c_str(), std::string(120, 'L').c_str());
    char zeile[400] = "";
    SendDlgItemMessage(dlg, 3000, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(zeile));
    EXPECT_EQ(std::string(zeile), std::string(80, 'L') + pfadB);
    SendDlgItemMessage(dlg, 3000, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(zeile));
    EXPECT_EQ(std::string(zeile), "Standard" + std::string(72, ' ') + pfadA);

    SendDlgItemMessage(dlg, 3000, LB_SETCURSEL, 1, 0);
    EXPECT_EQ(VgbZeileWaehlen(), 0);
    EXPECT_EQ(std::string(VgbSetNameZeiger()), "Sonder Satz");
    EXPECT_EQ(std::string(VgbSetPfadZeiger()), pfadB);
    VgbZeileZeigen();
    char text[100] = "";
    GetDlgItemText(dlg, 3002, text, sizeof text);
    EXPECT_EQ(std::string(text), pfadkurzn(pfadB.c_str(), 40));

    wiDlgVerlassen();
    wiDlgAlleSchliessen();
    wiDlgFrei();
    plFensterSystemEnde();
    FreeLibrary(anwDaten()->instanz);
    anwZuruecksetzen();
    plIniCacheLeeren();
    std::string weg = std::string("rm -rf '") + muster + "'";
    EXPECT_EQ(std::system(weg.c_str()), 0);
}

}  // namespace
