// Mouse and key handling: injected messages against the queued records.
#include "editor/knopf.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "config/reaktion.h"
#include "editor/edmeld.h"
#include "editor/mehrfach.h"
#include "editor/objwahl.h"
#include "output/ansicht.h"
#include "output/gdi.h"
#include "platform/fehlersim.h"
#include "platform/winconst.h"
#include "tests/editor/bautest.h"
#include "tests/editor/edtest.h"

namespace {

struct KnopfTest : BauTest {
    EdOrdner o;
    void SetUp() override
    {
        BauTest::SetUp();
        KnopfZuruecksetzen();
        KnopfEd45Setzen(0);
        // The flags follow the settings an earlier test read: picks unsnapped.
        BefFlags()->sumatx = 0;
        // 400 x 400 pixels show the world 0..400 (y upwards).
        AbbildungSetzenFrei(0, 0, 400, 400, 400, 400, 0, 0, 100, 50, 50);
        BEFRASTER* r = BefRasterWerte();
        r->swx = r->swy = 1.0;
        r->x0 = r->y0 = 0;
        ObjZuruecksetzen();
    }
    static LPARAM xy(int x, int y) { return MAKELPARAM(x, y); }
    // "x y" of the world point of pixel (px, py), as kurz() prints it.
    static std::string welt(int px, int py)
    {
        char t[60];
        std::snprintf(t, sizeof t, "%g %g", PixelZuWeltX(px), PixelZuWeltY(py));
        return t;
    }
};

struct Msg {
    UINT m;
    WPARAM w;
    int x, y;
};

TEST_F(KnopfTest, GesturesQueueTheirRecords)
{
    const std::string p = welt(100, 100);
    struct Fall {
        const char* name;
        std::vector<Msg> folge;
        std::vector<std::string> erwartet;
    } faelle[] = {
        {"4 pixels is a click",
         {{WM_LBUTTONDOWN, MK_LBUTTON, 100, 100}, {WM_MOUSEMOVE, MK_LBUTTON, 104, 96}, {WM_LBUTTONUP, 0, 104, 96}},
         {"_BA 1 " + p}},
        {"5 pixels is a drag (rubber band too small to zoom)",
         {{WM_LBUTTONDOWN, MK_LBUTTON, 100, 100}, {WM_MOUSEMOVE, MK_LBUTTON, 105, 100}, {WM_LBUTTONUP, 0, 105, 100}},
         {"_UDB 1", "_UDB 0"}},
        {"rubber band of 11 pixels does not zoom",
         {{WM_LBUTTONDOWN, MK_LBUTTON, 100, 100}, {WM_MOUSEMOVE, MK_LBUTTON, 111, 111}, {WM_LBUTTONUP, 0, 111, 111}},
         {"_UDB 1", "_UDB 0"}},
        {"rubber band of 12 pixels zooms",
         {{WM_LBUTTONDOWN, MK_LBUTTON, 100, 100}, {WM_MOUSEMOVE, MK_LBUTTON, 112, 112}, {WM_LBUTTONUP, 0, 112, 112}},
         {"_UDB 1", "_UDB 0", "FEN '= 100.0 288.0 112.0 300.0'"}},
        {"right drag marks the rectangle, any size",
         {{WM_RBUTTONDOWN, MK_RBUTTON, 100, 100}, {WM_MOUSEMOVE, MK_RBUTTON, 106, 100}, {WM_RBUTTONUP, 0, 106, 100}},
         {"_UDB 1", "_UDB 0", "BER 100 300 106 300"}},
        {"a drag ends when its button was released outside",
         {{WM_LBUTTONDOWN, MK_LBUTTON, 100, 100}, {WM_MOUSEMOVE, MK_LBUTTON, 120, 100}, {WM_MOUSEMOVE, 0, 130, 100}},
         {"_UDB 1", "_UDB 0"}},
        {"left double click starts a line",
         {{WM_LBUTTONDBLCLK, MK_LBUTTON, 100, 100}},
         {"_BST 5 40", "_BST 6 1"}},
        {"left double click with Shift is ignored", {{WM_LBUTTONDBLCLK, MK_LBUTTON | MK_SHIFT, 100, 100}}, {}},
        {"right double click with Control picks", {{WM_RBUTTONDBLCLK, MK_CONTROL, 100, 100}}, {"SUE -2 " + p}},
        {"right double click alone does nothing", {{WM_RBUTTONDBLCLK, 0, 100, 100}}, {}},
        {"Control+right click picks, not snapped",
         {{WM_RBUTTONDOWN, MK_RBUTTON | MK_CONTROL, 100, 100}, {WM_RBUTTONUP, MK_CONTROL, 100, 100}},
         {"SUE -1 " + p}},
        {"Shift+right click steps to the next object",
         {{WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT, 100, 100}, {WM_RBUTTONUP, MK_SHIFT, 100, 100}},
         {"SUA 0 " + p}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        KnopfZuruecksetzen();
        for (const Msg& m : f.folge) MausMeldung(m.m, m.w, xy(m.x, m.y));
        EXPECT_EQ(schlange(), f.erwartet);
        EXPECT_EQ(MausZustand(), 0);
    }
    // A plain right click opens the context menu (tests/frame/kontext_test.cpp)
    // and queues nothing.
    MausMeldung(WM_RBUTTONDOWN, MK_RBUTTON, xy(50, 60));
    MausMeldung(WM_RBUTTONUP, 0, xy(50, 60));
    EXPECT_TRUE(schlange().empty());
}

TEST_F(KnopfTest, WheelZoomsAndScrollsPerNotch)
{
    AnsichtZoomSetzen3(100, 50, 50);
    MausMeldung(WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, 240), 0);
    int z, cx, cy;
    AnsichtHolen(&z, &cx, &cy);
    EXPECT_EQ(z, 121) << "two steps of 110 %";
    MausMeldung(WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-120)), 0);
    AnsichtHolen(&z, &cx, &cy);
    EXPECT_EQ(z, 108);
    MausMeldung(WM_MOUSEWHEEL, MAKEWPARAM(MK_SHIFT, 120), 0);
    MausMeldung(WM_MOUSEWHEEL, MAKEWPARAM(0, 119), 0);  // less than a notch
    int z2, cx2, cy2;
    AnsichtHolen(&z2, &cx2, &cy2);
    EXPECT_EQ(cy2, cy);
    EXPECT_NE(cx2, cx) << "Shift moves the horizontal centre";
}

TEST_F(KnopfTest, ShiftClicksDrawALineAndMiddleButtonFinishesIt)
{
    // Shift+click with nothing under construction: move there, then start a
    // line whose end follows.
    MausMeldung(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, xy(100, 100));
    MausMeldung(WM_LBUTTONUP, MK_SHIFT, xy(100, 100));
    EXPECT_EQ(schlange(), (std::vector<std::string>{"_BST 5 40", "_BST 6 1"}))
        << "the move ran in the drain before them";
    EXPECT_EQ(BefAktZustand()->x, 100);
    EXPECT_EQ(BefAktZustand()->y, 300);

    // With a line running, a Shift+click finishes it.
    BaubfStartenBei(TZ_ZL, 100, 300);
    schlange();
    MausMeldung(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, xy(150, 100));
    MausMeldung(WM_LBUTTONUP, MK_SHIFT, xy(150, 100));
    EXPECT_EQ(schlange(), std::vector<std::string>{"_BST 1 0"});

    // The middle button finishes at once, its double click cancels a line.
    BEF l = tzRec(TZ_ZL, {5, 0});
    BaubfKopieren(&l);
    MausMeldung(WM_MBUTTONDOWN, MK_MBUTTON, xy(1, 1));
    MausMeldung(WM_MBUTTONUP, 0, xy(1, 1));
    std::vector<std::string> s = schlange();
    ASSERT_GE(s.size(), 2u);
    EXPECT_EQ(s[1], "ZL 5 0");
    EXPECT_EQ(BaubfCode(), TZ_ZL) << "a new line follows";
    MausMeldung(WM_MBUTTONDBLCLK, 0, xy(1, 1));
    EXPECT_EQ(BaubfAktiv(), 0);
}

TEST_F(KnopfTest, HandleDragStaysInOneUndoGroupAndLocksItsAxis)
{
    BaubfStartenBei(TZ_ZL, 100, 300);
    BEF l = tzRec(TZ_ZL, {0, 50});
    BaubfKopieren(&l);
    BaubfAchse(1);
    schlange();
    // Handle 1 at (100, 350) = pixel (100, 50).
    MausMeldung(WM_LBUTTONDOWN, MK_LBUTTON, xy(101, 51));
    MausMeldung(WM_MOUSEMOVE, MK_LBUTTON, xy(101, 60));
    EXPECT_EQ(MausArt(), 6);
    MausMeldung(WM_MOUSEMOVE, MK_LBUTTON, xy(104, 80));  // within 5 pixels of x: locked
    MausMeldung(WM_LBUTTONUP, 0, xy(104, 80));
    std::vector<std::string> s = schlange();
    EXPECT_EQ(s, (std::vector<std::string>{"BW 1 100 350", "_BA 0 100 350", "_UDB 1", "BW 1 100 320", "_UDB 0"}))
        << "to the handle, its step point, then the drag in one group, x kept on the handle's column";
}

TEST_F(KnopfTest, PointSnapRoundsToTheGridAndKeepsTheRowOfThePosition)
{
    BEFRASTER* r = BefRasterWerte();
    r->swx = 2.5;
    r->swy = 0.0001;  // no grid on y: rounds to 0 thousandths
    position(0, 0);
    struct Fall {
        double x, y;
        int shift;
        double ex, ey;
    } faelle[] = {
        {3.7, 7.1234, 1, 2.5, 7.1234},
        {3.8, 7.1234, 1, 5.0, 7.1234},
        {-3.8, -7.5, 1, -5.0, -7.5},
        {-3.7, 1, 1, -2.5, 1},
        {1.2, 1, 0, 0, 1},  // within a step of the position's column
    };
    for (const Fall& f : faelle) {
        double x = f.x, y = f.y;
        PunktRasten(&x, &y, f.shift, 0);
        EXPECT_DOUBLE_EQ(x, f.ex) << f.x;
        EXPECT_DOUBLE_EQ(y, f.ey) << f.y;
    }
    // With the grid switched off no coordinate is rounded; the row of the
    // position still holds.
    r->aus = 1;
    double gx = 3.7, gy = 7.1234;
    PunktRasten(&gx, &gy, 1, 0);
    EXPECT_DOUBLE_EQ(gx, 3.7);
    gx = 1.2;
    PunktRasten(&gx, &gy, 0, 0);
    EXPECT_DOUBLE_EQ(gx, 0);
    r->aus = 0;
    // Control snaps to the nearest object point only.
    linie(10.3, 20.7, 5, 0);
    double x = 11, y = 21;
    PunktRasten(&x, &y, 0, 1);
    EXPECT_EQ(x, 10.3);
    EXPECT_EQ(y, 20.7);
}

TEST_F(KnopfTest, KeysQueueTheirCommands)
{
    struct Fall {
        const char* name;
        int code, shift, control, alt, ext, ed45;
        bool baue;
        std::vector<std::string> erwartet;
    } faelle[] = {
        {"left", VK_LEFT, 0, 0, 0, 1, 0, false, {"BW 1 -1 0"}},
        {"Shift+up draws", VK_UP, 1, 0, 0, 1, 0, false, {"ZL 0 1"}},
        {"Alt+right moves the marked", VK_RIGHT, 0, 0, 1, 1, 0, false, {"_BME 1 0"}},
        {"Control+down", VK_DOWN, 0, 1, 0, 1, 0, false, {"SUV"}},
        {"Control+left", VK_LEFT, 0, 1, 0, 1, 0, false, {"CPR"}},
        {"Shift+left while building moves only", VK_LEFT, 1, 0, 0, 1, 0, true, {"BW 0 -1 0"}},
        {"Insert", VK_INSERT, 0, 0, 0, 1, 0, false, {"WH"}},
        {"Shift+Insert", VK_INSERT, 1, 0, 0, 1, 0, false, {"ZAE"}},
        {"Control+Insert", VK_INSERT, 0, 1, 0, 1, 0, false, {"ZAK", "ELM 1"}},
        {"Delete", VK_DELETE, 0, 0, 0, 1, 0, false, {"LME"}},
        {"Shift+Delete", VK_DELETE, 1, 0, 0, 1, 0, false, {"ZAA"}},
        {"Backspace", VK_BACK, 0, 0, 0, 0, 0, false, {"LE 0"}},
        {"Shift+Backspace", VK_BACK, 1, 0, 0, 0, 0, false, {"LER 0"}},
        {"Control+0", '0', 0, 1, 0, 0, 0, false, {"FEN '0'"}},
        {"Alt+Delete does nothing", VK_DELETE, 0, 0, 1, 1, 0, false, {}},
        {"Home diagonal, key mode 0", VK_HOME, 0, 0, 0, 1, 0, false, {"BW 1 -1 1"}},
        {"PgUp diagonal, key mode 0", VK_PRIOR, 0, 0, 0, 1, 0, false, {"BW 1 1 1"}},
        {"Control+PgUp diagonal", VK_PRIOR, 0, 1, 0, 1, 0, false, {"LUP 0 0"}},
        {"Control+PgDn diagonal", VK_NEXT, 0, 1, 0, 1, 0, false, {"CFM"}},
        {"End on the keypad, key mode 1", VK_END, 0, 0, 0, 0, 1, false, {"BW 1 -1 -1"}},
        {"separate End, key mode 1: zoom text", VK_END, 0, 0, 0, 1, 1, false, {}},
        {"Control+separate Home, key mode 1", VK_HOME, 0, 1, 0, 1, 1, false, {"RLG"}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        KnopfEd45Setzen(f.ed45);
        if (f.baue) BaubfStartenBei(TZ_ZL, 0, 0);
        schlange();
        TasteGedrueckt(f.code, f.shift, f.control, f.alt, f.ext);
        EXPECT_EQ(schlange(), f.erwartet);
        BaubfZuruecksetzen();
    }
    // Separate Page Up with key mode 1 scrolls instead.
    KnopfEd45Setzen(1);
    AnsichtZoomSetzen3(100, 50, 50);
    TasteGedrueckt(VK_PRIOR, 0, 1, 0, 1);
    int z, cx, cy;
    AnsichtHolen(&z, &cx, &cy);
    EXPECT_EQ(z, 110);
    EXPECT_TRUE(schlange().empty());
}

TEST_F(KnopfTest, EscapeEnterAndSpace)
{
    EXPECT_EQ(TasteSonder(VK_ESCAPE), 0) << "nothing to do";
    int a = linie(0, 0, 5, 0);
    TzMarkSetzen(a, 1);
    EXPECT_EQ(TasteSonder(VK_ESCAPE), 1);
    EXPECT_EQ(schlange(), std::vector<std::string>{"ELM 1"});
    BefFlags()->beweg = 1;
    EXPECT_EQ(TasteSonder(VK_ESCAPE), 1);
    EXPECT_EQ(schlange(), std::vector<std::string>{"BWE"});
    // Parallel lines come before the move mode.
    MflInit();
    MflBefehl(1);
    MflAusMarkierung();
    ASSERT_GT(MflAnzahl(), 0);
    EXPECT_EQ(TasteSonder(VK_ESCAPE), 1);
    EXPECT_EQ(schlange(), std::vector<std::string>{"MFL 3"});
    MflInit();
    BaubfStartenBei(TZ_ZL, 0, 0);
    schlange();
    EXPECT_EQ(TasteSonder(VK_ESCAPE), 1);
    EXPECT_EQ(schlange(), (std::vector<std::string>{"_BST 6 0", "_BST 0 0"}));
    EXPECT_EQ(TasteSonder(VK_RETURN), 1);
    EXPECT_EQ(schlange(), std::vector<std::string>{"_BST 1 0"});
    EXPECT_EQ(TasteSonder(VK_SPACE), 1);
    EXPECT_EQ(BaubfSchrittHolen(), 0);
    BaubfZuruecksetzen();
    EXPECT_EQ(TasteSonder(VK_RETURN), 0);
    EXPECT_EQ(TasteSonder(VK_SPACE), 0);
}

TEST_F(KnopfTest, KeyFileParsesKeysModifiersHintsAndLimits)
{
    const std::string p = o.pfad("EditKey.txt");
    {
        std::ofstream f(p, std::ios::binary);
        f << "; comment\r\n"
             "\r\n"
             "SCF5 ZL 10 0 > Linie rechts\r\n"
             "s UDO\r\n"
             "f1 RDO\r\n"
             "-S SUE\r\n"
             "Fx BEF\r\n"
             "SC! nichts\r\n"
             "A ABC > " << std::string(70, 'h') << "\r\n"
             "C" << std::string(1, 'Q') << " " << std::string(50, 'q') << "\r\n";
        for (int i = 0; i < 100; ++i) f << "B B" << i << "\r\n";
    }
    ASSERT_EQ(KnopfDateiLesen(p.c_str()), 100) << "reading stops after 100 entries";
    struct Fall {
        int taste, shift, control;
        const char* befehl;
        int zeile;
    } faelle[] = {
        {116, 1, 1, "ZL 10 0", 3},  // SCF5
        {'S', 0, 0, "SUE", 6},      // "-S": the letter S
        {'F', 0, 0, "BEF", 7},      // "F" and no digit: the letter F
        {'A', 0, 0, "ABC", 9},      // the rejected "SC!" passes no flags on
        {'Q', 0, 1, "qqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqq", 10},
        {'B', 0, 0, "B0", 11},
    };
    for (size_t k = 0; k < std::size(faelle); ++k) {
        SCOPED_TRACE(k);
        const knopf* e = KnopfEintrag(static_cast<int>(k));
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->taste, faelle[k].taste);
        EXPECT_EQ(e->shift, faelle[k].shift);
        EXPECT_EQ(e->control, faelle[k].control);
        EXPECT_STREQ(e->befehl, faelle[k].befehl);
        EXPECT_EQ(e->zeile, faelle[k].zeile);
    }
    EXPECT_STREQ(KnopfEintrag(0)->hinweis, "Linie rechts");
    EXPECT_EQ(std::string(KnopfEintrag(3)->hinweis), std::string(60, 'h'));
    std::vector<std::string> zeilen = KnopfDateiZeilen();
    ASSERT_EQ(zeilen.size(), 100u) << "the first 100 lines as they stand";
    EXPECT_EQ(zeilen[0], "; comment");
    EXPECT_EQ(zeilen[2], "SCF5 ZL 10 0 > Linie rechts");
    EXPECT_EQ(KnopfDateiLesen(o.pfad("fehlt.txt").c_str()), 0);
}

// A key file read short gives no entry and no line (the old table kept the
// keys of the first block and left the rest doing nothing without a word).
TEST_F(KnopfTest, AKeyFileReadShortGivesNoEntries)
{
    const std::string p = o.pfad("EditKey.txt");
    {
        std::ofstream f(p, std::ios::binary);
        for (int i = 0; i < 90; ++i) f << "B B" << i << " > Taste B mit Hinweis\r\n";
    }
    ASSERT_GT(std::filesystem::file_size(p), 2048u);
    {
        PlFehlerScope scope;
        plFehlerSetzen(PlFehlerArt::Lesen, 2, true);
        EXPECT_EQ(KnopfDateiLesen(p.c_str()), -1);
        EXPECT_EQ(KnopfAnzahl(), 0);
        EXPECT_EQ(std::string(StatusLetzterText()), "Kann " + p + " nicht lesen.");
        EXPECT_TRUE(KnopfDateiZeilen().empty());
    }
    EXPECT_EQ(KnopfDateiLesen(p.c_str()), 90);
    EXPECT_EQ(KnopfDateiZeilen().size(), 90u);
}

TEST_F(KnopfTest, ShippedKeysAndTheKeyHelp)
{
    ASSERT_EQ(KnopfDateiLesen((std::string(VELMO_SOURCE_DIR) + "/data/EditKey.txt").c_str()), 3);
    std::vector<std::string> z = KnopfHilfeZeilen();
    ASSERT_EQ(z.size(), 7u);
    EXPECT_EQ(z[0], "F1                      Hilfe");
    EXPECT_EQ(z[2], "Alt-F4                  Schliessen");
    EXPECT_EQ(z[4], "Control-Z   UDO         R\xFC" "ckg\xE4" "ngig");
    KnopfHilfeAusfuehren(z[6].c_str());
    EXPECT_TRUE(KnopfAusfuehren('Z', 0, 1));
    EXPECT_FALSE(KnopfAusfuehren('Z', 1, 1)) << "exactly the flags";
    EXPECT_EQ(KnopfZeileAusfuehren(4), 1) << "line 5 of the file";
    EXPECT_EQ(KnopfZeileAusfuehren(0), 0) << "a comment line";
    // "# 1004" goes to the page (none here); the others are typed lines.
    EXPECT_EQ(schlange(), (std::vector<std::string>{"UDO", "RDO"}));
    // A table key after an arrow's own action.
    TasteGedrueckt('Y', 0, 1, 0, 0);
    EXPECT_EQ(schlange(), (std::vector<std::string>{"RDO"}));
}

}  // namespace

namespace {

// A press on the first end of a parallel-line bundle drags the bundle on:
// each move goes to the snapped point (held on the bundle's row within 5
// pixels) and continues the bundle there, all in one undo group.
TEST_F(KnopfTest, DragOnABundleEndContinuesTheBundle)
{
    MflInit();
    MflBefehl(1);
    TzMarkSetzen(linie(0, 300, 100, 0), 1);
    TzMarkSetzen(linie(0, 290, 100, 0), 1);
    MflAusMarkierung();
    ASSERT_EQ(MflBuendel(0)->anzahl, 2);
    const mflende e = MflBuendel(0)->ende[0];
    schlange();
    const int px = ::WeltZuPixelX(e.x), py = ::WeltZuPixelY(e.y);
    MausMeldung(WM_LBUTTONDOWN, MK_LBUTTON, xy(px + 1, py + 1));
    MausMeldung(WM_MOUSEMOVE, MK_LBUTTON, xy(px + 10, py + 3));
    EXPECT_EQ(MausArt(), 5);
    MausMeldung(WM_MOUSEMOVE, MK_LBUTTON, xy(px + 30, py + 3));
    MausMeldung(WM_LBUTTONUP, 0, xy(px + 30, py + 3));
    const std::vector<std::string> s = schlange();
    char ziel[80];
    std::snprintf(ziel, sizeof ziel, "_BA 1 %g %g", PixelZuWeltX(px + 30), e.y);
    const auto udb = std::find(s.begin(), s.end(), "_UDB 1");
    const auto hin = std::find(s.begin(), s.end(), ziel);
    ASSERT_NE(udb, s.end());
    std::string alle;
    for (const std::string& z : s) alle += z + " | ";
    ASSERT_NE(hin, s.end()) << "the move keeps the bundle's row: " << ziel << " in " << alle;
    EXPECT_LT(udb, hin);
    ASSERT_NE(hin + 1, s.end());
    EXPECT_EQ(*(hin + 1), "MFL 2");
    EXPECT_EQ(s.back(), "_UDB 0");
    EXPECT_EQ(MausZustand(), 0);
    MflInit();
}

}  // namespace
