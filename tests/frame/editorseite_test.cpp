// The editor page as a new user meets it, on the running frame, headless,
// over a working copy of the demo: the screen draws what the printer draws.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "editor/befausf.h"
#include "editor/edtseite.h"
#include "editor/elclip.h"
#include "editor/edmeld.h"
#include "editor/baubf.h"
#include "editor/kontext.h"
#include "editor/objwahl.h"
#include "model/befehl.h"
#include "model/tempzeic.h"
#include "output/ansicht.h"
#include "platform/eingabe.h"
#include "platform/rasterbib.h"
#include "platform/dialog.h"
#include "platform/winconst.h"
#include "winlib/dialog.h"
#include "winlib/langdlg.h"
#include "editor/elclip.h"
#include "editor/kontext.h"
#include "editor/objwahl.h"
#include "editor/baubf.h"
#include "model/tempzeic.h"
#include "output/ansicht.h"
#include "platform/eingabe.h"
#include "platform/winconst.h"
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
    if (const char* ziel = std::getenv("VELMO_BILD_HV104")) {  // as the screen shows it, for a look
        EditorMitDatei(demo.datei("HV1.04").c_str());
        rahmenPumpen();
        plHeadlessPng(anwHauptfenster(), ziel);
    }
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

// A click of the mouse at a world point of the drawing, with Control held
// when asked; knopf 0 left, 1 right.
void mausKlick(double x, double y, int knopf, bool strg = false, bool doppelt = false)
{
    const POINT p = plHeadlessPunkt(AnsichtFenster(), WeltZuPixelX(x), WeltZuPixelY(y));
    plHeadlessZeitVor(2000);  // no double click with the click before
    if (strg) plHeadlessTasteRunter(VK_CONTROL);
    plHeadlessKlick(p.x, p.y, knopf);
    if (doppelt) plHeadlessKlick(p.x, p.y, knopf);
    if (strg) plHeadlessTasteHoch(VK_CONTROL);
    rahmenPumpen();
}

// The element dialogs from the mouse, on the fuse -F1 of HV1.04 (component
// LS1 at 60, 220): Control and a right click marks the element under the
// pointer, and the right-click menu then offers "Bearbeiten...", which
// opens the component dialog on it; Control and a right double click opens
// it at once. A left double click starts a line, as the mouse handling
// asks, and Escape ends it.
TEST_F(EditorSeite, TheElementDialogsOpenFromTheMouseOnTheElementUnderThePointer)
{
    EditorMitDatei(demo.datei("HV1.04").c_str());
    rahmenPumpen();
    mausKlick(60, 216, 1, true);
    ASSERT_EQ(TzMarkAnzahl(), 1) << StatusLetzterText();
    BEF b;
    STT z;
    ASSERT_EQ(TzObjHolen(ObjCursor(), &b, &z), 0);
    EXPECT_STREQ(b.text, "LS1");
    EXPECT_STREQ(KontextMenueName(), "RMMENUEINS");

    // The right-click menu, looked at, and "Bearbeiten..." clicked.
    menueBlick().bild = demo.wurzel() + "/kontext.png";
    plMenueBeobachter([](HWND popup) {
        menueAnsehen(popup);
        RECT r;
        if (plMenuePopupPunkt(0, 0, &r)) plHeadlessKlick((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    });
    mausKlick(60, 216, 1);
    plMenueBeobachter(menueAnsehen);
    ASSERT_FALSE(menueBlick().texte.empty());
    EXPECT_EQ(menueBlick().texte[0], "Bearbeiten...");
    HWND d = wiDlgSuchen("DB1211");
    ASSERT_NE(d, 0u) << "no component dialog";
    char t[80] = "";
    GetDlgItemText(d, 3000, t, sizeof t);
    EXPECT_STREQ(t, "LS1");
    if (const char* ziel = std::getenv("VELMO_BILD_ELEMENT")) {
        plHeadlessPng(d, ziel);
        fs::copy_file(demo.wurzel() + "/kontext.png", std::string(ziel) + ".kontext.png", fs::copy_options::overwrite_existing);
    }
    rahmenKlicken(d, 2501);
    EXPECT_EQ(wiDlgSuchen("DB1211"), 0u);

    // Control and a right double click on a line opens the line's dialog.
    eingabeZeile("ELM 1");
    mausKlick(60, 240, 1, true, true);
    EXPECT_NE(wiDlgSuchen("DB1200"), 0u) << StatusLetzterText();
}

// "Element markieren..." chosen from the menu by keys lists the elements
// near the cursor with the decimal comma the status fields show.
TEST_F(EditorSeite, MarkingNearTheCursorListsNumbersWithTheDecimalComma)
{
    EditorMitDatei(demo.datei("HV1.04").c_str());
    rahmenPumpen();
    eingabeZeile("_BA 147,5 180");
    ASSERT_TRUE(menueWaehlen(1230));
    rahmenPumpen();
    HWND d = wiDlgSuchen("DB1230");
    ASSERT_NE(d, 0u);
    const int n = static_cast<int>(SendDlgItemMessage(d, 3100, LB_GETCOUNT, 0, 0));
    ASSERT_GT(n, 0);
    bool komma = false;
    for (int i = 0; i < n; ++i) {
        char t[300] = "";
        SendDlgItemMessage(d, 3100, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(t));
        const std::string z = std::string(t).substr(0, 80);
        // A number with one decimal: "140,0"; never "140.0".
        for (size_t p = 1; p + 1 < z.size(); ++p) {
            const bool ziffern = std::isdigit(static_cast<unsigned char>(z[p - 1])) && std::isdigit(static_cast<unsigned char>(z[p + 1]));
            if (ziffern && z[p] == ',') komma = true;
            if (ziffern && z[p] == '.' && z.find('"') == std::string::npos) ADD_FAILURE() << "decimal point in: " << z;
        }
    }
    EXPECT_TRUE(komma);
    if (const char* ziel = std::getenv("VELMO_BILD_MARKIEREN")) plHeadlessPng(d, ziel);
    plHeadlessTaste(VK_ESCAPE);
    rahmenPumpen();
}

// The export dialog as a user fills it: Ctrl+E, a name, a kind, 75 dpi,
// "Exportieren". Returns the file names in the project folder afterwards.
class EditorExport : public EditorSeite {
protected:
    void TearDown() override
    {
        plNachrichtBoxAntwort(IDNO);  // leave the marked sheet unsaved
        EditorSeite::TearDown();
    }
    static void menue(int id)
    {
        SendMessage(anwHauptfenster(), WM_COMMAND, static_cast<WPARAM>(id), 0);
        rahmenPumpen();
    }
    std::set<std::string> exportieren(const char* name, int art, HWND abbrecher = 0)
    {
        plHeadlessTasteRunter(VK_CONTROL);
        plHeadlessTaste('E');
        plHeadlessTasteHoch(VK_CONTROL);
        rahmenPumpen();
        HWND d = wiDlgSuchen("DB1006");
        EXPECT_NE(d, 0u);
        if (d == 0) return {};
        SendDlgItemMessage(d, 3010, CB_SETCURSEL, static_cast<WPARAM>(art - 1), 0);
        SendMessage(d, WM_COMMAND, MAKEWPARAM(3010, CBN_SELCHANGE), static_cast<LPARAM>(GetDlgItem(d, 3010)));
        rahmenKlicken(d, 3000);  // the proposal is the sheet's whole path: away with it
        plHeadlessTaste(VK_END);
        for (int i = 0; i < 300; ++i) plHeadlessTaste(VK_BACK);
        plHeadlessText(name);
        rahmenPumpen();
        // 75 dpi keeps the picture small; 150 dpi of an A3 sheet is large
        // enough to show the progress.
        rahmenKlicken(d, abbrecher ? 3021 : 3020);
        if (abbrecher) {
            // The button's own message, so that nothing runs the queue
            // before the export's progress dialog does.
            PostMessage(abbrecher, WM_APP + 7, 0, 0);
            SendMessage(d, WM_COMMAND, MAKEWPARAM(2500, BN_CLICKED), static_cast<LPARAM>(GetDlgItem(d, 2500)));
            rahmenPumpen();
        } else {
            rahmenKlicken(d, 2500);
        }
        EXPECT_EQ(wiDlgSuchen("DB1006"), 0u);
        std::set<std::string> n;
        for (const auto& e : fs::directory_iterator(demo.projekt())) n.insert(e.path().filename().string());
        return n;
    }
};

// While the progress dialog of an export is up: its Cancel, once.
LRESULT CALLBACK abbrecherProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    if (m == WM_APP + 7) {
        if (HWND lang = wiLangFenster()) SendMessage(lang, WM_COMMAND, IDCANCEL, 0);
        return 0;
    }
    return DefWindowProc(h, m, w, l);
}

// The file's extension follows the kind: a name whose extension names no
// kind gets the chosen one's behind it, an extension that names a kind
// chooses it; a large export shows its progress and takes a cancel.
TEST_F(EditorExport, TheExtensionFollowsTheKindAndACancelWritesNothing)
{
    menue(1324);  // "Alles markieren": the export takes the marked objects
    std::set<std::string> n = exportieren("Plan.dxf", EXP_PNG);
    EXPECT_FALSE(n.count("Plan.dxf")) << "PNG data in a file named .dxf";
    ASSERT_TRUE(n.count("Plan.dxf.png")) << ::testing::PrintToString(n) << " cwd " << fs::current_path() << " " << StatusLetzterText();
    imginfo i{};
    EXPECT_EQ(pnginfo(demo.datei("Plan.dxf.png").c_str(), &i), 0);

    n = exportieren("Plan2.bmp", EXP_PNG);
    ASSERT_TRUE(n.count("Plan2.bmp"));
    EXPECT_EQ(bmpinfo(demo.datei("Plan2.bmp").c_str(), &i), 0) << "the kind the extension names";
    EXPECT_FALSE(n.count("Plan2.bmp.png"));

    WNDCLASS wc{};
    wc.lpfnWndProc = abbrecherProc;
    wc.lpszClassName = "ExportAbbrecher";
    ASSERT_NE(RegisterClass(&wc), 0);
    HWND a = CreateWindow("ExportAbbrecher", "", 0, 0, 0, 10, 10, 0, 0, 0, nullptr);
    n = exportieren("Plan3.png", EXP_PNG, a);
    DestroyWindow(a);
    EXPECT_FALSE(n.count("Plan3.png"));
    EXPECT_EQ(std::string(StatusLetzterText()).rfind("Export abgebrochen", 0), 0u) << StatusLetzterText();
    EXPECT_EQ(wiLangFenster(), 0u);
    EXPECT_TRUE(IsWindowEnabled(anwHauptfenster()));
}

}  // namespace
