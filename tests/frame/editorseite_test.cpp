// The editor page as a new user meets it, on the running frame, headless,
// over a working copy of the demo: the screen draws what the printer draws.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "editor/befausf.h"
#include "editor/edtseite.h"
#include "frame/anw.h"
#include "output/druck.h"
#include "output/element.h"
#include "platform/dateidialog.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/nachrichtbox.h"
#include "tests/frame/editor_pruef.h"
#include "winlib/anwdaten.h"

namespace fs = std::filesystem;

namespace {

// Records what reaches the device members: each primitive by kind, each
// text line with its text. The printer copies the screen's members at its
// first use, so both record into one list.
struct Mitschrift {
    bool an = false;
    std::vector<std::string> liste;
    void eintrag(const std::string& e)
    {
        if (an) liste.push_back(e);
    }
};
Mitschrift& mitschrift()
{
    static Mitschrift m;
    return m;
}

void mitschreibenEinrichten()
{
    ELEMGERAET* g = ElemBildschirm();
    g->linie = [](void*, double, double, double, double) { mitschrift().eintrag("Linie"); };
    g->rechteck = [](void*, double, double, double, double, int f) { mitschrift().eintrag(f ? "Flaeche" : "Rechteck"); };
    g->polygon = [](void*, const double*, int n, int f) { mitschrift().eintrag("Polygon " + std::to_string(n) + (f ? " voll" : "")); };
    g->ellipse = [](void*, double, double, double, double, int f) { mitschrift().eintrag(f ? "Ellipse voll" : "Ellipse"); };
    g->ellipseGedreht = [](void*, double, double, double, double, int, int f) { mitschrift().eintrag(f ? "Ellipse voll" : "Ellipse"); };
    g->bogen = [](void*, double, double, double, double, int, int, int, int) { mitschrift().eintrag("Bogen"); };
    g->textZeile = [](void*, double, double, const char* t, int) { mitschrift().eintrag(std::string("Text ") + t); };
    g->bild = [](void*, double, double, double, double, int, const char* d) {
        mitschrift().eintrag(std::string("Bild ") + fs::path(d).filename().string());
        return 1;
    };
    g->zuKlein = nullptr;  // the zoom of the window decides nothing here
}

class EditorSeite : public DemoLauf {};

// Screen and printer draw the same elements of every demo sheet: the linked
// texts under the lamps of HV1.04 ("IP65, Feuchtraum") included.
TEST_F(EditorSeite, ScreenAndPrinterDrawTheSameElementsOfEverySheet)
{
    mitschreibenEinrichten();
    HWND ansicht = GetDlgItem(EdtFenster(), 5000);
    ASSERT_NE(ansicht, 0u);
    int blaetter = 0;
    for (int nr = 1; nr <= 15; ++nr) {
        char name[16];
        std::snprintf(name, sizeof name, "HV1.%02d", nr);
        const std::string datei = demo.datei(name);
        SCOPED_TRACE(name);
        EditorMitDatei(datei.c_str());
        rahmenPumpen();
        mitschrift().liste.clear();
        mitschrift().an = true;
        InvalidateRect(ansicht, nullptr, TRUE);
        UpdateWindow(ansicht);
        mitschrift().an = false;
        std::vector<std::string> schirm = mitschrift().liste;

        mitschrift().liste.clear();
        plDruckEinstellung e;
        e.datei = demo.wurzel() + "/druck.pdf";
        plDruckDialogAntwort(e);
        ASSERT_EQ(DruckStart(), 1);
        mitschrift().an = true;
        EXPECT_EQ(ZeichnungDrucken(datei.c_str()), 0);
        mitschrift().an = false;
        DruckEnde();
        std::vector<std::string> druck = mitschrift().liste;
        std::sort(schirm.begin(), schirm.end());
        std::sort(druck.begin(), druck.end());
        EXPECT_FALSE(schirm.empty());
        EXPECT_EQ(schirm, druck);
        if (nr == 4) {
            EXPECT_EQ(std::count(schirm.begin(), schirm.end(), "Text IP65, Feuchtraum"), 2);
            EXPECT_EQ(std::count(schirm.begin(), schirm.end(), "Text Notlicht 3 h"), 1);
        }
        ++blaetter;
    }
    EXPECT_EQ(blaetter, 15);
}

}  // namespace
