// The equipment list page on the real frame over a working copy of the
// demo project, driven as a user does: the function bar opens mode 1532,
// the filter narrows the list, an identifier is changed and saved into the
// store, and the snap button undocks and docks the page; the page's
// commands reach the editor; every master-data entry opens its window.
#include <gtest/gtest.h>

#include <cairo.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "editor/edtseite.h"
#include "equipment/bm.h"
#include "equipment/apphaken.h"
#include "equipment/btl.h"
#include "equipment/ges.h"
#include "equipment/app.h"
#include "equipment/definfo.h"
#include "equipment/definier.h"
#include "equipment/lagerart.h"
#include "equipment/ngestext.h"
#include "equipment/nhuliste.h"
#include "equipment/nzustext.h"
#include "equipment/wse.h"
#include "frame/funkwahl.h"
#include "lists/bmlbearb.h"
#include "model/edhaken.h"
#include "model/tempzeic.h"
#include "model/zeichnun.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/headless.h"
#include "tests/frame/demorahmen_pruef.h"
#include "tests/frame/rahmen_pruef.h"
#include "tests/frame/seite_pruef.h"
#include "tests/tools/demokopie.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"

namespace fs = std::filesystem;

namespace {

struct BmlSeiteRahmen : DemoRahmen {
    void SetUp() override
    {
        DemoRahmen::SetUp();
        if (HasFatalFailure()) return;
        AppAktivSetzen(1);
        plHeadlessPumpen();
        plNachrichtBoxFragenLeeren();
    }
    // A click into the middle of a control of the page.
    static void klick(int id)
    {
        ASSERT_NE(GetDlgItem(BmlFenster(), id), 0u) << id;
        rahmenKlicken(BmlFenster(), id);
    }
    // The function bar: a click on its first row, a step down to the
    // editor, then a click on the third row, the equipment list (the
    // editor's page holds the focus once it is open).
    static void seiteOeffnen()
    {
        HWND bar = GetDlgItem(FunkFenster(), 3000);
        ASSERT_NE(bar, 0u);
        const POINT p = plHeadlessPunkt(bar, 20, 6);
        plHeadlessKlick(p.x, p.y);
        plHeadlessPumpen();
        plHeadlessTaste(VK_DOWN);
        plHeadlessPumpen();
        ASSERT_EQ(Modus(), MODUS_EDIT) << rahmenLetzteMeldung();
        const int reihe = 7 * wiDlgEinheit(8) / 2;
        const POINT p3 = plHeadlessPunkt(bar, 20, 6 + 2 * reihe);
        plHeadlessKlick(p3.x, p3.y);
        plHeadlessPumpen();
        ASSERT_EQ(Modus(), MODUS_BML) << rahmenLetzteMeldung();
        ASSERT_NE(BmlFenster(), 0u);
    }
    static int zeilen()
    {
        wiDlgBetreten(BmlFenster());
        const int n = wiListeAnzahl(3100);
        wiDlgVerlassen();
        return n;
    }
    static std::string zeile(int n)
    {
        char t[300] = "";
        wiDlgBetreten(BmlFenster());
        wiListeText(3100, n, t);
        wiDlgVerlassen();
        return t;
    }
};

// The list as the screen shows it (its window's picture).
std::string listenBild(const std::string& pfad)
{
    EXPECT_EQ(plHeadlessPng(GetDlgItem(BmlFenster(), 3100), pfad.c_str()), 0);
    std::ifstream f(pfad, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// A click on another type filter shows the new rows at once: the list on
// screen equals the list painted anew, no row of the old filter stays.
TEST_F(BmlSeiteRahmen, AnotherTypeFilterShowsItsRowsAtOnce)
{
    seiteOeffnen();
    if (HasFatalFailure()) return;
    klick(3121);  // "Standard"
    const int standard = zeilen();
    klick(3124);  // "Klemme"
    ASSERT_GT(zeilen(), 0);
    ASSERT_LT(zeilen(), standard);
    const std::string gezeigt = listenBild(demo.wurzel() + "/gezeigt.png");
    InvalidateRect(GetDlgItem(BmlFenster(), 3100), nullptr, TRUE);
    UpdateWindow(GetDlgItem(BmlFenster(), 3100));
    EXPECT_TRUE(gezeigt == listenBild(demo.wurzel() + "/neu.png")) << "rows of the old filter stay on screen";
    if (const char* z = std::getenv("VELMO_BILDER"))
        plHeadlessPng(anwHauptfenster(), (std::string(z) + "/Modus1532_Klemme.png").c_str());
}

// Dark pixels of the picture a control shows, inside its border.
int dunklePunkte(int id, const std::string& pfad)
{
    EXPECT_EQ(plHeadlessPng(GetDlgItem(BmlFenster(), id), pfad.c_str()), 0);
    cairo_surface_t* s = cairo_image_surface_create_from_png(pfad.c_str());
    int n = 0;
    if (cairo_surface_status(s) == CAIRO_STATUS_SUCCESS) {
        const int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
        const int stride = cairo_image_surface_get_stride(s);
        const unsigned char* d = cairo_image_surface_get_data(s);
        for (int y = 2; y < h - 2; ++y)
            for (int x = 2; x < w - 2; ++x) {
                const unsigned char* p = d + y * stride + x * 4;
                if (p[0] < 128 && p[1] < 128 && p[2] < 128) ++n;
            }
    }
    cairo_surface_destroy(s);
    return n;
}

// A filter that leaves no row (as "Standard" does in a new project whose
// devices have no further parts) shows no component: the preview of the
// row chosen before does not stay.
TEST_F(BmlSeiteRahmen, AnEmptyListShowsNoComponentPreview)
{
    seiteOeffnen();
    if (HasFatalFailure()) return;
    klick(3120);  // "Alle"
    ASSERT_GT(zeilen(), 0);
    klick(3100);
    plHeadlessPumpen();
    ASSERT_GT(dunklePunkte(3400, demo.wurzel() + "/vorschau.png"), 0) << "the chosen row's component is drawn";
    klick(3150);
    plHeadlessText("QQQQ");
    plHeadlessPumpen();
    ASSERT_EQ(zeilen(), 0);
    EXPECT_EQ(dunklePunkte(3400, demo.wurzel() + "/leer.png"), 0) << "the component of a row no longer listed";
}

TEST_F(BmlSeiteRahmen, ANewUserFiltersEditsSavesAndUndocks)
{
    seiteOeffnen();
    if (HasFatalFailure()) return;
    EXPECT_EQ(BmlFenster(), rahmenSeite(MODUS_BML));
    const int alle = zeilen();
    ASSERT_GT(alle, 0);

    klick(3150);
    plHeadlessText("K");
    plHeadlessPumpen();
    const int gefiltert = zeilen();
    EXPECT_GT(gefiltert, 0);
    EXPECT_LT(gefiltert, alle);
    if (const char* z = std::getenv("VELMO_BILDER"))
        plHeadlessPng(anwHauptfenster(), (std::string(z) + "/Modus1532.png").c_str());

    // The first row's identifier gets an "X" at its end and is saved.
    klick(3100);
    const std::string vorher = zeile(0);
    klick(3070);
    plHeadlessTaste(VK_END);
    plHeadlessText("X");
    klick(2502);
    wiDlgBetreten(BmlFenster());
    const std::string kenn = wiTextRing(3070);
    wiDlgVerlassen();
    ASSERT_EQ(kenn.back(), 'X') << vorher;

    // Undocked the page is a window of its own; docked again a page.
    klick(2980);
    EXPECT_EQ(BmlIstExtern(), 1);
    EXPECT_EQ(GetParent(BmlFenster()), 0u);
    EXPECT_EQ(Modus(), MODUS_PVW);
    // The user brings the separate window in front of the main window.
    SetActiveWindow(BmlFenster());
    plHeadlessPumpen();
    klick(2980);
    EXPECT_EQ(BmlIstExtern(), 0);
    EXPECT_EQ(Modus(), MODUS_BML);

    // The store holds the new identifier (the editor's save commits it).
    struct Suche {
        std::string kenn;
        bool da;
    } suche{kenn, false};
    GesDurchlaufen(
        [](const appgeraet* g, void* v) {
            auto* s = static_cast<Suche*>(v);
            if (s->kenn == g->kg || s->kenn == g->kz) s->da = true;
        },
        &suche);
    EXPECT_TRUE(suche.da) << kenn;

    // Back in the editor (the function bar's second row), Ctrl+S saves the
    // drawing, and with it the equipment data: the project's file holds
    // the new identifier.
    HWND bar = GetDlgItem(FunkFenster(), 3000);
    const POINT p = plHeadlessPunkt(bar, 20, 6 + 7 * wiDlgEinheit(8) / 2);
    plHeadlessKlick(p.x, p.y);
    rahmenPumpen();
    ASSERT_EQ(Modus(), MODUS_EDIT) << rahmenLetzteMeldung();
    EXPECT_TRUE(IsWindowEnabled(EdtFenster())) << "the page takes input again";
    seitepruef::mit(VK_CONTROL, 'S');
    const std::string datei = seitepruef::lesen(demo.datei("BMittel.zvk"));
    EXPECT_NE(datei.find(kenn), std::string::npos) << kenn << " " << rahmenLetzteMeldung();
}

BOOL CALLBACK fensterSammeln(HWND h, LPARAM lp)
{
    if (IsWindowVisible(h)) reinterpret_cast<std::set<HWND>*>(lp)->insert(h);
    return TRUE;
}

std::set<HWND> fenster()
{
    std::set<HWND> s;
    EnumWindows(fensterSammeln, reinterpret_cast<LPARAM>(&s));
    return s;
}

// Each master-data entry of the main menu opens a window of its own, titled
// as the user sees it; closing it leaves the frame as it was.
TEST_F(BmlSeiteRahmen, EveryMasterDataEntryOpensItsWindow)
{
    const struct {
        int id;
        const char* titel;
    } faelle[] = {
        {1550, "Layer"}, {1551, "Stift-Bezeichnungen"}, {1552, "Schriften"}, {1553, "Farben"},
        {1554, "Sprachen"}, {1560, "Standardtext"}, {1561, "SPRACHE.TXT"}, {1565, "Artikel.zvk"},
        {1566, "exportieren"}, {1567, "Lagerartikel"}, {1568, "Unterartikel"}, {1569, "importieren"},
        {1570, "BAUTEILE.STD"}, {1571, "Bauteilfenster"}, {1572, "Ersatzbauteile"}, {1575, "Betriebsmittel"},
        {1576, "Betriebsmittel"}, {1580, "SPS-Daten"},
    };
    for (const auto& f : faelle) {
        const std::set<HWND> vorher = fenster();
        PostMessage(anwHauptfenster(), WM_COMMAND, static_cast<WPARAM>(f.id), 0);
        plHeadlessPumpen();
        std::vector<HWND> neu;
        for (HWND h : fenster())
            if (!vorher.count(h)) neu.push_back(h);
        ASSERT_EQ(neu.size(), 1u) << f.id << " " << rahmenLetzteMeldung();
        char titel[300] = "";
        GetWindowText(neu[0], titel, sizeof titel);
        EXPECT_NE(std::string(titel).find(f.titel), std::string::npos) << f.id << ": " << titel;
        const int slot = wiDlgSlot(neu[0]);
        ASSERT_GE(slot, 0) << f.id;
        wiDlgSlotSchliessen(slot);
        plHeadlessPumpen();
        EXPECT_EQ(fenster(), vorher) << f.id;
    }
}

// The page's position, labelling and contact-mirror buttons reach the
// editor: a main component on another sheet asks to change sheet, the
// editor opens it and the start point moves to the component; its texts
// are generated anew and the contact mirror lands in the drawing.
TEST_F(BmlSeiteRahmen, PositionLabelsAndContactMirrorReachTheEditor)
{
    // A screen tall enough for the whole page.
    MoveWindow(anwHauptfenster(), 0, 0, 1280, 1000, TRUE);
    plHeadlessPumpen();
    seiteOeffnen();
    if (HasFatalFailure()) return;
    struct Suche {
        std::string ext;
        appbteil b;
        bool da;
    } suche{};
    char ext[41] = "";
    ZeiExtHolen(AppZeiName(), ext);
    suche.ext = ext;
    GesDurchlaufen(
        [](const appgeraet* g, void* v) {
            auto* s = static_cast<Suche*>(v);
            appbteil b;
            if (s->da || g->n1 != 0 || !BtlSuchen(g->id, "H", 0, &b)) return;
            if (b.platziert && b.ze[0] && s->ext != b.ze && (b.x != 0 || b.y != 0)) {
                s->b = b;
                s->da = true;
            }
        },
        &suche);
    ASSERT_TRUE(suche.da) << "a main component beside " << AppZeiName();
    klick(3120);  // "Alle"
    BmlGeheZu(suche.b.id);
    plHeadlessPumpen();
    HWND liste = GetDlgItem(BmlFenster(), 3200);
    const POINT p = plHeadlessPunkt(liste, 10, 4);  // the first row: the main component
    plHeadlessKlick(p.x, p.y);
    plHeadlessPumpen();
    wiDlgBetreten(BmlFenster());
    ASSERT_EQ(wiListeWahl(3200), 0);
    wiDlgVerlassen();

    plNachrichtBoxFragenLeeren();
    plNachrichtBoxAntwort(IDYES);
    klick(2513);
    ASSERT_EQ(rahmenLetzteMeldung(), "Das Bauteil liegt auf einem anderen Blatt. Wollen Sie zu diesem Blatt wechseln?");
    ZeiExtHolen(AppZeiName(), ext);
    EXPECT_EQ(std::string(ext), suche.b.ze) << AppZeiName();
    EXPECT_DOUBLE_EQ(modh::EditorZustand()->x, suche.b.x);
    EXPECT_DOUBLE_EQ(modh::EditorZustand()->y, suche.b.y);

    ASSERT_EQ(TzIstGeaendert(), 0);
    klick(2509);
    EXPECT_NE(TzIstGeaendert(), 0) << "the texts were generated anew";

    const int vorher = TzAnzahl();
    klick(2503);
    EXPECT_GT(TzAnzahl(), vorher) << "the contact mirror is in the drawing";
}

// The page follows the editor: the user jumps from a component's row to
// its sheet, another row gets selected on the page, and the user picks the
// component in the editor ("SUB"): its item's row is selected again.
TEST_F(BmlSeiteRahmen, PickingAComponentInTheEditorSelectsItsRow)
{
    MoveWindow(anwHauptfenster(), 0, 0, 1280, 1000, TRUE);
    plHeadlessPumpen();
    seiteOeffnen();
    if (HasFatalFailure()) return;
    struct Suche {
        appbteil b;
        bool da;
    } suche{};
    GesDurchlaufen(
        [](const appgeraet* g, void* v) {
            auto* s = static_cast<Suche*>(v);
            appbteil b;
            if (s->da || g->n1 != 0 || !BtlSuchen(g->id, "H", 0, &b)) return;
            if (b.platziert && b.ze[0] && (b.x != 0 || b.y != 0)) {
                s->b = b;
                s->da = true;
            }
        },
        &suche);
    ASSERT_TRUE(suche.da) << "a placed main component";
    klick(3120);  // "Alle"
    BmlGeheZu(suche.b.id);
    plHeadlessPumpen();
    HWND liste = GetDlgItem(BmlFenster(), 3200);
    const POINT p = plHeadlessPunkt(liste, 10, 4);
    plHeadlessKlick(p.x, p.y);
    plHeadlessPumpen();
    plNachrichtBoxFragenLeeren();
    plNachrichtBoxAntwort(IDYES);
    klick(2513);
    ASSERT_DOUBLE_EQ(modh::EditorZustand()->x, suche.b.x) << rahmenLetzteMeldung();

    wiDlgBetreten(BmlFenster());
    const int seine = wiListeWahl(3100);  // the item's row, as the jump left it
    ASSERT_GE(seine, 0);
    wiListeWahlSetzen(3100, seine == 0 ? 1 : 0);
    wiDlgVerlassen();
    ASSERT_NE(EdtFenster(), 0u);
    HWND feld = GetDlgItem(EdtFenster(), 5020);
    SetFocus(feld);
    SetWindowText(feld, "");
    plHeadlessText("SUB");
    plHeadlessTaste(VK_RETURN);
    plHeadlessPumpen();

    wiDlgBetreten(BmlFenster());
    const int wahl = wiListeWahl(3100);
    wiDlgVerlassen();
    EXPECT_EQ(wahl, seine) << zeile(seine);
}

// The sort mode of the page's item list and of the editor's sub-component
// list is one setting: a switch in either window moves the other's radio
// while both are open, and the list opened again starts from it.
TEST_F(BmlSeiteRahmen, ThePageAndTheSubComponentListShareTheirSortMode)
{
    MoveWindow(anwHauptfenster(), 0, 0, 1280, 1000, TRUE);
    plHeadlessPumpen();
    seiteOeffnen();
    if (HasFatalFailure()) return;
    // The page as a window of its own beside the editor.
    klick(2980);
    ASSERT_EQ(BmlIstExtern(), 1);
    const auto oeffnen = [] {
        PostMessage(EdtFenster(), WM_COMMAND, 1359, 0);  // the editor's menu entry
        plHeadlessPumpen();
        return wiDlgSuchen("DB1359");
    };
    const auto gewaehlt = [](HWND d, int erste) {
        for (int i = 0; i < 3; ++i)
            if (SendMessage(GetDlgItem(d, erste + i), BM_GETCHECK, 0, 0) == BST_CHECKED) return i;
        return -1;
    };
    HWND d = oeffnen();
    ASSERT_NE(d, 0u);
    ASSERT_EQ(gewaehlt(d, 3150), gewaehlt(BmlFenster(), 3130));

    SetActiveWindow(d);
    seitepruef::klick(d, 3152);
    EXPECT_EQ(gewaehlt(d, 3150), 2);
    EXPECT_EQ(gewaehlt(BmlFenster(), 3130), 2) << "the page follows";

    SetActiveWindow(BmlFenster());
    plHeadlessPumpen();
    klick(3131);
    EXPECT_EQ(gewaehlt(BmlFenster(), 3130), 1);
    EXPECT_EQ(gewaehlt(d, 3150), 1) << "the open list follows";

    wiDlgSlotSchliessen(wiDlgSlot(d));
    plHeadlessPumpen();
    SetActiveWindow(BmlFenster());
    plHeadlessPumpen();
    klick(3130);
    ASSERT_EQ(gewaehlt(BmlFenster(), 3130), 0);
    d = oeffnen();
    ASSERT_NE(d, 0u);
    EXPECT_EQ(gewaehlt(d, 3150), 0) << "opened again from the shared mode";
}

}  // namespace
