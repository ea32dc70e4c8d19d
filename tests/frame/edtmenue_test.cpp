// The editor's menu on the frame: the catalogue and equipment dialogs open
// from their menu items, and an open dialog follows a command typed into
// the input line through the refresh after the batch.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/frame/editor_pruef.h"
#include "winlib/dialog.h"

namespace {

class EdtMenue : public DemoLauf {};

std::string feldText(HWND d, int id)
{
    char t[80] = "";
    GetDlgItemText(d, id, t, sizeof t);
    return t;
}

TEST_F(EdtMenue, CatalogueAndEquipmentDialogsOpenFromTheirItems)
{
    struct Fall {
        int id;
        const char* vorlage;
    } faelle[] = {
        {1240, "DB1240"}, {1205, "DB1205"}, {1350, "DB1350"}, {1352, "DB1352"}, {1354, "DB1354"},
        {1361, "DB1361"}, {1351, "DB1351"}, {1359, "DB1359"}, {1355, "DB1355"}, {1362, "DB1362"},
        {1356, "DB1356"},
    };
    for (const Fall& f : faelle) {
        ASSERT_TRUE(menueWaehlen(f.id)) << f.id << " has a menu item";
        rahmenPumpen();
        HWND d = wiDlgSuchen(f.vorlage);
        EXPECT_NE(d, HWND{}) << f.vorlage << " opened by its menu item";
        if (d) {
            PostMessage(d, WM_SYSCOMMAND, SC_CLOSE, 0);  // the window's close box
            rahmenPumpen();
            EXPECT_EQ(wiDlgSuchen(f.vorlage), HWND{}) << f.vorlage << " closed";
        }
        rahmenKlicken(EdtFenster(), 5000);  // back to the drawing
    }
}

TEST_F(EdtMenue, AnOpenDialogFollowsATypedCommand)
{
    ASSERT_TRUE(menueWaehlen(1105));
    HWND d = wiDlgSuchen("DB1105");
    ASSERT_NE(d, HWND{});
    const std::string vorher = feldText(d, 3000);
    eingabeZeile("MS 4");
    rahmenPumpen();
    const std::string nachher = feldText(d, 3000);
    EXPECT_NE(nachher, vorher);
    EXPECT_EQ(std::atof(nachher.c_str()), 4.0) << nachher;
}

}  // namespace
