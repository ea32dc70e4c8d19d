// The viewer page driven through the running frame on the headless backend
// over a working copy of the demo project, as a user meets it: opened from
// the project page, stepping through the folder, keys and clicks on the
// view, link marks that open the drawing holding a component, the status
// of a missing component and printing.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "config/inidatei.h"
#include "equipment/btl.h"
#include "frame/anw.h"
#include "model/beffifo.h"
#include "model/einstell.h"
#include "model/zeichnun.h"
#include "output/gdi.h"
#include "output/druck.h"
#include "project/chkdlg.h"
#include "project/dirhist.h"
#include "project/export.h"
#include "project/hbview.h"
#include "project/hilfe.h"
#include "project/impdlg.h"
#include "project/inhalt.h"
#include "project/projneu.h"
#include "project/pvwliste.h"
#include "project/rschreib.h"
#include "project/startbild.h"
#include "project/titeldlg.h"
#include "project/wrz.h"
#include "project/zeitxt.h"
#include "project/zv5.h"
#include "project/proverw.h"
#include "frame/modus.h"
#include "output/ansicht.h"
#include "output/show.h"
#include "platform/dateidialog.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/menue.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/nachricht.h"
#include "platform/nachrichtbox.h"
#include "platform/orte.h"
#include "platform/ressource.h"
#include "platform/winconst.h"
#include "tests/frame/demorahmen_pruef.h"
#include "tests/frame/rahmen_pruef.h"
#include "tests/tools/demokopie.h"
#include "winlib/anwdaten.h"
#include "winlib/winbib.h"

namespace fs = std::filesystem;

namespace {

class Show : public DemoSeite {
protected:


    static std::string gezeigt()
    {
        char p[SHOWPFADSUP + 1] = "";
        ShowPfadHolen(p, sizeof p);
        return fs::path(p).filename().string();
    }
    static std::string status(int teil)
    {
        char t[200] = "";
        wiStatusTextHolen(teil, t, sizeof t);
        return t;
    }
    // Paints the view now (the link list is rebuilt by a paint).
    static void malen()
    {
        AnsichtNeuZeichnen();
        plHeadlessPumpen();
    }
};

// Opens the viewer on a drawing the way the project page does.
void oeffnen(const std::string& pfad)
{
    AnzeigeMitDatei(pfad.c_str());
    plHeadlessPumpen();
}

// A drawing written from its text form into the copy.
void zeichnungSchreiben(const std::string& pfad, const std::string& text)
{
    const std::string quelle = pfad + ".txt";
    std::ofstream(quelle, std::ios::binary) << text;
    ASSERT_GE(ZeiAusText(pfad.c_str(), quelle.c_str()), 0) << pfad;
    fs::remove(quelle);
}

// Clicks the view at a world point (no drag), with Shift when asked.
void klicken(double x, double y, bool shift = false)
{
    HWND v = AnsichtFenster();
    ASSERT_NE(v, 0u);
    const POINT p = plHeadlessPunkt(v, WeltZuPixelX(x), WeltZuPixelY(y));
    if (shift) plHeadlessTasteRunter(VK_SHIFT);
    plHeadlessKlick(p.x, p.y);
    if (shift) plHeadlessTasteHoch(VK_SHIFT);
    plHeadlessPumpen();
}

const ShowLink* linkZu(uint32_t id)
{
    for (int i = 0; i < ShowLinkAnzahl(); ++i)
        if (ShowLinkHolen(i)->id == id) return ShowLinkHolen(i);
    return nullptr;
}

TEST_F(Show, OpensFromTheFrameAndStepsThroughItsFolder)
{
    // A folder of three drawings.
    const fs::path drei = fs::path(demo.projekt()) / "Drei";
    fs::create_directory(drei);
    for (const char* n : {"HV1.01", "HV1.02", "HV1.03"}) fs::copy_file(demo.datei(n), drei / n);
    oeffnen((drei / "HV1.02").string());
    ASSERT_NE(ShowFenster(), 0u);
    EXPECT_EQ(Modus(), MODUS_ANZ);
    EXPECT_EQ(gezeigt(), "HV1.02");
    char titel[300] = "";
    GetWindowText(anwHauptfenster(), titel, sizeof titel);
    EXPECT_EQ(std::string(titel), "Velmo - " + (drei / "HV1.02").string()) << "the frame shows the viewer's drawing";
    // The viewer's menu: its own commands, sent on to the page by the frame.
    const std::vector<std::pair<std::string, UINT>> erwartet = {
        {"&\xD6" "ffnen...", 1000}, {"&Drucken...", 1001}, {"&Projektordner \xF6" "ffnen...", 1009},
        {"Ganze &Seite\t^0", 1002}, {"Ver&gr\xF6sser" "n\t^+", 1003}, {"Ver&kleinern\t^-", 1004},
        {"Startposition", 1030}, {"Rasterpunkt", 1031}, {"&Layer...", 1100}};
    HMENU menue = anwDaten()->menue;
    ASSERT_EQ(GetMenuItemCount(menue), 3);
    std::vector<std::pair<std::string, UINT>> gefunden;
    for (int p = 0; p < 2; ++p) {
        HMENU sub = GetSubMenu(menue, p);
        for (int i = 0; i < GetMenuItemCount(sub); ++i) {
            const UINT id = GetMenuItemID(sub, i);
            if (id == 0 || id >= 1500) continue;  // separators and the frame's own
            char t[80] = "";
            GetMenuString(sub, static_cast<UINT>(i), t, sizeof t, MF_BYPOSITION);
            gefunden.emplace_back(t, id);
        }
    }
    EXPECT_EQ(gefunden, erwartet);

    struct Schritt {
        int befehl;
        const char* danach;
    } schritte[] = {{1012, "HV1.03"}, {1012, "HV1.03"}, {1011, "HV1.02"}, {1010, "HV1.01"},
                    {1011, "HV1.01"}, {1013, "HV1.03"}};
    for (const Schritt& s : schritte) {
        ShowBefehlSenden(s.befehl);
        plHeadlessPumpen();
        EXPECT_EQ(gezeigt(), s.danach) << s.befehl;
    }
    EXPECT_TRUE(plNachrichtBoxFragen().empty());
}

TEST_F(Show, TheCursorKeysFollowTheKeyOption)
{
    struct Fall {
        const char* option;
        int zoom;  // after extended End
    } faelle[] = {{"1", 200}, {"0", 100}};
    for (const Fall& f : faelle) {
        ProfilSchreiben("ArbPlatz", "Ed45Taste", f.option);
        oeffnen(demo.datei("HV1.08"));
        ShowBefehlSenden(2);  // closed and opened again: the option is read at opening
        plHeadlessPumpen();
        ASSERT_EQ(ShowFenster(), 0u);
        oeffnen(demo.datei("HV1.08"));
        SetFocus(AnsichtFenster());
        AnsichtKreuzWelt(300, 100);
        double x0 = 0, y0 = 0;
        AnsichtMitteHolen(&x0, &y0);
        plHeadlessTaste(VK_END);  // the cursor block's End: extended
        plHeadlessPumpen();
        int zoom = 0, cx = 0, cy = 0;
        AnsichtZoomHolen(&zoom, &cx, &cy);
        EXPECT_EQ(zoom, f.zoom) << f.option;
        double x = 0, y = 0;
        AnsichtMitteHolen(&x, &y);
        if (f.zoom == 200) {
            EXPECT_EQ(cx, static_cast<int>(100 * 300 / 420.0)) << "zoomed around the cursor";
            EXPECT_EQ(x, x0);
            // The corner button brings the whole sheet back.
            HWND ecke = GetDlgItem(ShowFenster(), ANSICHT_ECKE);
            RECT r;
            GetClientRect(ecke, &r);
            const POINT p = plHeadlessPunkt(ecke, r.right / 2, r.bottom / 2);
            plHeadlessKlick(p.x, p.y);
            plHeadlessPumpen();
            AnsichtZoomHolen(&zoom, &cx, &cy);
            EXPECT_EQ(std::vector<int>({zoom, cx, cy}), std::vector<int>({100, 50, 50}));
        } else {
            EXPECT_LT(x, x0) << "without the option End steps the cursor";
            EXPECT_LT(y, y0);
        }
        ShowBefehlSenden(2);
        plHeadlessPumpen();
    }
}

TEST_F(Show, AClickNearALinkMarkOpensTheDrawingHoldingItsComponent)
{
    oeffnen(demo.datei("HV1.08"));
    malen();
    const ShowLink* l = linkZu(0x30);
    ASSERT_NE(l, nullptr);
    EXPECT_STREQ(l->schluessel, "10");
    const double mx = l->ecken[1][0] - 1.0, my = l->ecken[1][1];
    // Close enough to tell 1.5 from 2.5 mm apart in pixels.
    AnsichtKreuzWelt(mx, my);
    AnsichtZoomBefehl("C3");
    plHeadlessPumpen();
    malen();
    klicken(mx - 2.5, my);
    EXPECT_EQ(gezeigt(), "HV1.08");
    klicken(mx, my + 2.5);
    EXPECT_EQ(gezeigt(), "HV1.08");
    klicken(mx - 1.5, my);
    EXPECT_EQ(gezeigt(), "HV1.10");
    EXPECT_TRUE(plNachrichtBoxFragen().empty());

    // With Shift the released point goes to the grid; without, it stays.
    // (The demo's set has no grid: one is set as the editor settings would.)
    EDEINST* e = EdEinst();
    e->rp0x = 1.0, e->rp0y = 2.0, e->rpswx = 5.0, e->rpswy = 2.5;
    AnsichtKreuzWelt(100, 150);
    AnsichtZoomBefehl("C3");
    plHeadlessPumpen();
    const double px = 100 + 0.3 * e->rpswx, py = 150 + 0.3 * e->rpswy;
    klicken(px, py, true);
    double x = 0, y = 0;
    AnsichtMitteHolen(&x, &y);
    EXPECT_DOUBLE_EQ(x, RasterRunden(e->rp0x, e->rpswx, PixelZuWeltX(WeltZuPixelX(px))));
    EXPECT_DOUBLE_EQ(y, RasterRunden(e->rp0y, e->rpswy, PixelZuWeltY(WeltZuPixelY(py))));
    klicken(px, py);
    AnsichtMitteHolen(&x, &y);
    EXPECT_NEAR(x, px, 0.2);
}

TEST_F(Show, UnplacedTargetsGetNoMarkAndMissingComponentsAreReported)
{
    const std::string probe = demo.datei("HV1.20");
    zeichnungSchreiben(probe,
                       "VER 10\r\nBD \"STD\"\r\nTG 2,5000\r\n"
                       "_BA 50,0000 200,0000\r\nTFE \"@Y0030B\"\r\n"
                       "_BA 50,0000 150,0000\r\nTFE \"@Y0031B\"\r\n"
                       "_BA 150,0000 100,0000\r\nZB \"GIBTESNICHT\"\r\n");
    oeffnen(probe);
    malen();
    EXPECT_EQ(ShowLinkAnzahl(), 2);
    EXPECT_EQ(status(4), "Bauteil fehlt: STD - GIBTESNICHT");

    // Item 0x31's main component taken off its drawing: its text stays, its mark goes.
    appbteil h{};
    ASSERT_EQ(BtlSuchen(0x31, "H", 0, &h), 1);
    h.platziert = 0;
    BtlEintragAendern(0x31, "H", 0, &h);
    malen();
    EXPECT_EQ(ShowLinkAnzahl(), 1);
    EXPECT_NE(linkZu(0x30), nullptr);
    EXPECT_EQ(linkZu(0x31), nullptr);

    // A drawing without the missing component empties the field.
    oeffnen(demo.datei("HV1.08"));
    malen();
    EXPECT_EQ(status(4), "");
}

TEST_F(Show, PrintingWarnsWithoutADrawingAndKeepsInputFromTheView)
{
    oeffnen("");
    ASSERT_NE(ShowFenster(), 0u);
    ShowBefehlSenden(1001);
    plHeadlessPumpen();
    EXPECT_EQ(rahmenLetzteMeldung(), "Es ist keine Zeichnung geladen.");

    // Through the frame's Ctrl+P on a drawing: the drawing is printed (the
    // print dialog answered with the file printer).
    oeffnen(demo.datei("HV1.08"));
    plDruckEinstellung e;
    e.datei = (fs::path(demo.wurzel()) / "druck.pdf").string();
    plDruckDialogAntwort(e);
    PostMessage(anwHauptfenster(), WM_COMMAND, 1829, 0);
    plHeadlessPumpen();
    ASSERT_TRUE(fs::exists(e.datei));
    EXPECT_GT(fs::file_size(e.datei), 1000u);

    // While a drawing prints, scroll and key messages do not reach the view.
    static int zoomWaehrend[3];
    static int gedruckt;
    gedruckt = 0;
    ShowDienste d;
    d.druckStart = [] { return 1; };
    d.zeichnungDrucken = [](const char*) {
        EXPECT_EQ(ShowDruckt(), 1);
        HWND dlg = ShowFenster();
        SendMessage(dlg, WM_VSCROLL, SB_LINEDOWN, static_cast<LPARAM>(GetDlgItem(dlg, ANSICHT_VSCROLL)));
        SendMessage(AnsichtFenster(), WM_KEYDOWN, VK_RIGHT, 0);
        SendMessage(AnsichtFenster(), WM_CHAR, '+', 0);
        AnsichtZoomHolen(&zoomWaehrend[0], &zoomWaehrend[1], &zoomWaehrend[2]);
        ++gedruckt;
        return -1;
    };
    d.druckEnde = [] {};
    ShowDiensteSetzen(d);
    int vorher[3];
    AnsichtZoomHolen(&vorher[0], &vorher[1], &vorher[2]);
    double kx = 0, ky = 0;
    AnsichtMitteHolen(&kx, &ky);
    ShowBefehlSenden(1001);
    plHeadlessPumpen();
    EXPECT_EQ(gedruckt, 1);
    EXPECT_EQ(std::vector<int>(zoomWaehrend, zoomWaehrend + 3), std::vector<int>(vorher, vorher + 3));
    double kx2 = 0, ky2 = 0;
    AnsichtMitteHolen(&kx2, &ky2);
    EXPECT_EQ(kx2, kx);
    EXPECT_EQ(ShowDruckt(), 0);
    EXPECT_EQ(rahmenLetzteMeldung(), "Fehler bei der Verarbeitung von " + demo.datei("HV1.08"));
    // Afterwards the view takes keys again.
    SendMessage(AnsichtFenster(), WM_KEYDOWN, VK_RIGHT, 0);
    double kx3 = 0, ky3 = 0;
    AnsichtMitteHolen(&kx3, &ky3);
    EXPECT_GT(kx3, kx);
}

TEST_F(Show, AScreenshotForTheReviewer)
{
    oeffnen(demo.datei("HV1.08"));
    malen();
    fs::path bild = fs::read_symlink("/proc/self/exe").parent_path() / "show_betrachter.png";
    ASSERT_EQ(plHeadlessPng(anwHauptfenster(), bild.c_str()), 0);
    EXPECT_GT(fs::file_size(bild), 0u);
}

// Every sheet of the demo in the view at 100 %, at 200 % on its left half
// and at 400 % around its middle, saved beside the test program for a
// reviewer to look at; no sheet warns.
TEST_F(Show, EveryDemoSheetAtOneTwoAndFourTimes)
{
    const fs::path aus = fs::read_symlink("/proc/self/exe").parent_path() / "demoblaetter";
    fs::create_directories(aus);
    std::vector<std::string> blaetter;
    for (auto& e : fs::directory_iterator(demo.projekt()))
        if (e.path().filename().string().rfind("HV1.", 0) == 0) blaetter.push_back(e.path().filename().string());
    std::sort(blaetter.begin(), blaetter.end());
    ASSERT_GE(blaetter.size(), 15u);  // the sheet of every element kind is the last
    oeffnen(demo.datei(blaetter[0]));
    for (const std::string& name : blaetter) {
        ASSERT_EQ(gezeigt(), name);
        AnsichtZoom(100);
        malen();
        const fs::path b100 = aus / (name + "-100.png");
        ASSERT_EQ(plHeadlessPng(ShowFenster(), b100.c_str()), 0);
        AnsichtZoomSetzen3(200, 25, 50);
        malen();
        const fs::path b200 = aus / (name + "-200.png");
        ASSERT_EQ(plHeadlessPng(ShowFenster(), b200.c_str()), 0);
        AnsichtZoomSetzen3(400, 50, 50);
        malen();
        const fs::path b400 = aus / (name + "-400.png");
        ASSERT_EQ(plHeadlessPng(ShowFenster(), b400.c_str()), 0);
        EXPECT_TRUE(plNachrichtBoxFragen().empty()) << name;
        EXPECT_EQ(status(4), "") << name;
        ShowBefehlSenden(1012);
        plHeadlessPumpen();
    }
}

}  // namespace
