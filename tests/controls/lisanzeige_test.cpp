// The list display and its input on the real display control of a dialog:
// counts, geometry, scrolling, the paint command stream, picture names, and
// one table of input sequences (keys, clicks, wheel, modes, in-place
// navigation) with the events they raise.
#include <cstring>
#include <functional>

#include "tests/controls/ctlh3_pruef.h"
#include "winlib/tbarhaken.h"

namespace {

using h3::Ereignis;
using h3::LISTE;

// Rows of the list under test: heights and what the paint callback draws.
std::vector<int> hoehen;
int hoehe(int zeile) { return zeile < static_cast<int>(hoehen.size()) ? hoehen[zeile] : 2; }
std::function<void(int)> maler;
void malen(int zeile)
{
    if (maler) maler(zeile);
}

class Liste : public h3::Fixture {
public:
    int lh = 0, cw = 0;

    void SetUp() override
    {
        h3::Fixture::SetUp();
        hoehen.clear();
        maler = nullptr;
        lh = wiDlgEinheit(8);
        cw = wiDlgEinheit(4);
        h3::weiter = [](UINT m, WPARAM wp, LPARAM lp) { LisNachricht(LISTE, m, wp, lp); };
    }
    void TearDown() override
    {
        maler = nullptr;
        h3::Fixture::TearDown();
    }

    void anlegen(int n)
    {
        LisAnlegen(LISTE, hoehe, malen, h3::ereignisRecorder);
        LisAnzahlSetzen(LISTE, n);
        nimmEreignisse();
        nimmBefehle();
    }

    POINT zeilenPunkt(int zeile) const { return plHeadlessPunkt(item(LISTE), 20, zeile * lh + 4); }
    void taste(UINT vk, bool shift = false, bool strg = false)
    {
        SetFocus(item(LISTE));
        if (shift) plHeadlessTasteRunter(VK_SHIFT);
        if (strg) plHeadlessTasteRunter(VK_CONTROL);
        plHeadlessTaste(vk);
        if (strg) plHeadlessTasteHoch(VK_CONTROL);
        if (shift) plHeadlessTasteHoch(VK_SHIFT);
        h3::pumpen();
    }
    void klick(int zeile, int knopf = 0, bool strg = false)
    {
        POINT p = zeilenPunkt(zeile);
        if (strg) plHeadlessTasteRunter(VK_CONTROL);
        plHeadlessKlick(p.x, p.y, knopf);
        if (strg) plHeadlessTasteHoch(VK_CONTROL);
        h3::pumpen();
    }
};

TEST_F(Liste, CountsSetTheCursorAndRaiseFourThenFourteen)
{
    LisAnlegen(LISTE, nullptr, malen, h3::ereignisRecorder);
    EXPECT_EQ(LisAkt(LISTE), 0) << "a new list has cursor 0";
    nimmBefehle();

    LisAnzahlSetzen(LISTE, 0);
    EXPECT_EQ(LisAkt(LISTE), -1);
    EXPECT_EQ(nimmEreignisse(), (std::vector<Ereignis>{{14, -1}}));
    auto b = nimmBefehle();
    EXPECT_TRUE(enthaelt(b, "focus 0 0 0 0")) << "no focus box without a cursor row";
    for (const std::string& t : b) EXPECT_NE(t.rfind("fill", 0), 0u) << "no row painted: " << t;

    LisAnzahlSetzen(LISTE, 20001);
    EXPECT_EQ(LisAnzahl(LISTE), 20000);
    EXPECT_EQ(LisAkt(LISTE), -1) << "the cursor stays where LisAnzahlSetzen(0) left it";
    LisAktSetzen(LISTE, 3);
    nimmEreignisse();
    LisAnzahlSetzen(LISTE, 5);
    EXPECT_EQ(LisAkt(LISTE), 3);
    EXPECT_EQ(nimmEreignisse(), (std::vector<Ereignis>{{4, 3}, {14, 3}}));
    LisAnzahlSetzen(LISTE, 2);
    EXPECT_EQ(LisAkt(LISTE), 1) << "n <= cursor moves the cursor to n - 1";
}

TEST_F(Liste, PaintStreamGridAndTallRows)
{
    hoehen = {2, 4, 2};
    maler = [](int zeile) {
        if (zeile == 1) LisText(1, 2, "zweite");
    };
    LisFarbenSetzen(10, 20, 30, 40, 50, 60, 70, 80, 90);
    anlegen(3);
    LisAktSetzen(LISTE, 1);
    auto b = nimmBefehle();
    ASSERT_FALSE(b.empty());
    EXPECT_EQ(b.front(), "clear");
    EXPECT_EQ(b.back(), "paint");
    // Row 1 starts at half-line 2 and is 4 half-lines high.
    const int oben = 2 * lh / 2 + 3, unten = 6 * lh / 2 + 3;
    EXPECT_TRUE(enthaelt(b, "bgcolor 10 20 30")) << "the cursor row takes the cursor colour";
    const std::string text = std::string("ltext ") + std::to_string(cw + 2) + " " + std::to_string((2 + 2) * lh / 2 + lh) +
                             " \x02zweite";
    EXPECT_TRUE(enthaelt(b, text)) << "line 2 of a 4-half-line row is its second text line";
    bool fokus = false;
    for (const std::string& t : b) {
        if (t.rfind("focus 1 " + std::to_string(oben) + " ", 0) == 0) {
            fokus = true;
            EXPECT_EQ(t.substr(t.rfind(' ') + 1), std::to_string(unten));
        }
    }
    EXPECT_TRUE(fokus);

    // Shift-Down marks rows 1 and 2: the cursor row 2 now takes the marked colour.
    nimmBefehle();
    taste(VK_DOWN, true);
    b = nimmBefehle();
    int markiert = 0;
    for (const std::string& t : b) markiert += t == "bgcolor 40 50 60";
    EXPECT_EQ(markiert, 2);
    EXPECT_FALSE(enthaelt(b, "bgcolor 10 20 30"));
    LisFarbenSetzen(215, 232, 255, 200, 240, 224, 255, 248, 220);
}

TEST_F(Liste, BackgroundPatchRunsToTheRightEdgeInTheRowColour)
{
    maler = [](int) { LisHintergrund(2); };
    LisFarbenSetzen(10, 20, 30, 40, 50, 60, 70, 80, 90);
    anlegen(2);
    LisNeuAufbauen(LISTE);
    auto b = nimmBefehle();
    SetWindowText(item(LISTE), "get size");
    char antwort[41] = {};
    GetWindowText(item(LISTE), antwort, sizeof antwort);
    const int w = std::atoi(antwort);
    const std::string cursorZeile = "fill " + std::to_string(2 * cw + 2) + " 3 " + std::to_string(w - 1) + " " +
                                    std::to_string(2 * lh / 2 + 3);
    const std::string zweite = "fill " + std::to_string(2 * cw + 2) + " " + std::to_string(2 * lh / 2 + 3) + " " +
                               std::to_string(w - 1) + " " + std::to_string(4 * lh / 2 + 3);
    ASSERT_TRUE(enthaelt(b, cursorZeile));
    ASSERT_TRUE(enthaelt(b, zweite));
    for (size_t i = 1; i < b.size(); ++i) {
        if (b[i] == cursorZeile) {
            EXPECT_EQ(b[i - 1], "color 10 20 30") << "the cursor row's colour";
        }
        if (b[i] == zweite) {
            EXPECT_EQ(b[i - 1], "color 255 255 255") << "a normal row's colour";
        }
    }
    LisFarbenSetzen(215, 232, 255, 200, 240, 224, 255, 248, 220);
}

TEST_F(Liste, TopAtTheEndAndTheScrollLimit)
{
    anlegen(100);
    const int seite = LisSeite(LISTE);
    ASSERT_GT(seite, 4);
    LisAktSetzen(LISTE, 99);
    EXPECT_EQ(LisOben(LISTE), 200 - seite + 1);
    // The wheel may go one normal row further than the scroll bar's range.
    for (int i = 0; i < 10; ++i) LisNachricht(LISTE, WM_COMMAND, LISTE, ('>' << 16) | 1);
    EXPECT_EQ(LisOben(LISTE), 200 - seite + 1);
    EXPECT_EQ(LisAkt(LISTE), 99) << "the wheel never moves the cursor";
}

TEST_F(Liste, PictureNameForms)
{
    struct Fall {
        const char* name;
        HMODULE modul;
        const char* erwartet;  // after "bmpXX x y 0 0 "
    };
    const Fall faelle[] = {
        {"bilder/ordner.bmp", 0, "bmpfi X Y 0 0 bilder/ordner.bmp"},
        {".BMPDIROPEN", 77, "bmprc X Y 0 0 BMPDIROPEN"},
        {"ORDNER", 77, "bmprc X Y 0 0 ORDNER(77)"},
        {"ORDNER", 0, "bmprc X Y 0 0 ORDNER"},
    };
    const Fall* jetzt = &faelle[0];
    maler = [&](int zeile) {
        if (zeile == 0) LisBild(2, 0, jetzt->name);
    };
    anlegen(1);
    for (const Fall& f : faelle) {
        jetzt = &f;
        TbarBildModulSetzen(f.modul);
        LisNeuAufbauen(LISTE);
        std::string soll = f.erwartet;
        soll.replace(soll.find('X'), 1, std::to_string(2 * cw + 2));
        soll.replace(soll.find('Y'), 1, std::to_string(3));
        EXPECT_TRUE(enthaelt(nimmBefehle(), soll)) << f.name;
    }
    TbarBildModulSetzen(0);
}

// ---- Input: one table of sequences ---------------------------------------------------------------

void zelleText(int, int spalte, int* start, int* breite, char* text, int groesse)
{
    *start = spalte * 10;
    *breite = 8;
    std::snprintf(text, static_cast<size_t>(groesse), "Wert");
}
void zelleSpeichern(int, int, const char*) {}

struct Ablauf {
    const char* name;
    int zeilen;
    std::function<void(Liste&)> vorher;
    std::function<void(Liste&)> tun;
    std::vector<Ereignis> erwartet;
    std::function<void(Liste&)> pruefen;
};

class ListenEingabe : public Liste, public ::testing::WithParamInterface<int> {};

const std::vector<Ablauf>& ablaeufe()
{
    static const std::vector<Ablauf> v = {
        {"empty list: keys and the Applications key raise nothing", 0, nullptr,
         [](Liste& l) {
             l.taste(VK_DOWN);
             l.taste(VK_APPS);
         },
         {},
         [](Liste&) { EXPECT_EQ(LisAkt(LISTE), -1); }},
        {"a click on the cursor row gives 11", 5, [](Liste&) { LisAktSetzen(LISTE, 2); },
         [](Liste& l) { l.klick(2); },
         {{11, 2}},
         [](Liste&) {
             int x, y;
             EXPECT_EQ(LisKlickHolen(LISTE, &x, &y), 1) << "by mouse";
         }},
        {"a click on another row gives 1", 5, nullptr, [](Liste& l) { l.klick(3); }, {{1, 3}}, nullptr},
        {"Shift-Down from 3 sets the anchor", 6, [](Liste&) { LisAktSetzen(LISTE, 3); },
         [](Liste& l) { l.taste(VK_DOWN, true); },
         {{1, 4}, {14, 4}},
         [](Liste&) {
             EXPECT_EQ(LisAnkerOderAkt(LISTE), 3);
             EXPECT_EQ(LisIstMarkiert(LISTE, 3), 1);
             EXPECT_EQ(LisIstMarkiert(LISTE, 4), 1);
             EXPECT_EQ(LisIstMarkiert(LISTE, 5), 0);
             EXPECT_EQ(LisMarkiertAnzahl(LISTE), 2);
         }},
        {"a right click below the rows gives 15", 2, [](Liste&) { LisAktSetzen(LISTE, 1); },
         [](Liste& l) { l.klick(6, 1); },
         {{15, 1}},
         [](Liste&) { EXPECT_EQ(LisAkt(LISTE), 1); }},
        {"a right click on a row moves the cursor and gives 3", 4, nullptr, [](Liste& l) { l.klick(2, 1); },
         {{3, 2}}, nullptr},
        {"the wheel moves the view by 4 half-lines, not the cursor", 100, nullptr,
         [](Liste& l) {
             POINT p = l.zeilenPunkt(1);
             SetFocus(l.item(LISTE));
             plHeadlessRad(p.x, p.y, -1);
             h3::pumpen();
         },
         {},
         [](Liste&) {
             EXPECT_EQ(LisOben(LISTE), 4);
             EXPECT_EQ(LisAkt(LISTE), 0);
         }},
        {"single mode: Ctrl-click and Insert mark nothing, Shift sets no anchor", 6,
         [](Liste&) { LisEinzelwahl(LISTE); },
         [](Liste& l) {
             l.klick(2, 0, true);
             l.taste(VK_INSERT);
             l.taste(VK_DOWN, true);
         },
         {{1, 2}, {5, 2}, {1, 3}, {14, 3}},
         [](Liste&) {
             EXPECT_EQ(LisMarkiertAnzahl(LISTE), 0);
             EXPECT_EQ(LisAnkerOderAkt(LISTE), 3);
         }},
        {"Insert marks the row and moves down; Ctrl-click toggles", 6, nullptr,
         [](Liste& l) {
             l.taste(VK_INSERT);
             l.klick(4, 0, true);
         },
         {{5, 0}, {1, 1}, {14, 1}, {1, 4}, {14, 4}},
         [](Liste&) {
             EXPECT_EQ(LisIstMarkiert(LISTE, 0), 1);
             EXPECT_EQ(LisIstMarkiert(LISTE, 1), 0) << "a row was marked already: the old cursor stays unmarked";
             EXPECT_EQ(LisIstMarkiert(LISTE, 4), 1);
             EXPECT_EQ(LisMarkiertAnzahl(LISTE), 2);
         }},
        {"a Ctrl-click in an unmarked list marks the old cursor row too", 6, nullptr,
         [](Liste& l) { l.klick(3, 0, true); },
         {{1, 3}, {14, 3}},
         [](Liste&) {
             EXPECT_EQ(LisMarkiertAnzahl(LISTE), 2);
             EXPECT_EQ(LisIstMarkiert(LISTE, 0), 1);
         }},
        {"Enter, Space, Delete and the arrows sideways", 3, nullptr,
         [](Liste& l) {
             l.taste(VK_RETURN);
             l.taste(VK_SPACE);
             l.taste(VK_DELETE);
             l.taste(VK_LEFT);
             l.taste(VK_RIGHT);
         },
         {{2, 0}, {11, 0}, {6, 0}, {16, 0}, {17, 0}}, nullptr},
        {"in-place Down gives 13, 1, 12 in the same column", 5,
         [](Liste&) {
             LisEditStart(LISTE, 0, 2, 3, zelleText, zelleSpeichern);
             h3::ereignisse.clear();
         },
         [](Liste& l) {
             // The field reports Down as its step command (+1).
             SendMessage(l.dlg, WM_COMMAND, LISTE + 3, 1);
             h3::pumpen();
         },
         {{13, 0}, {1, 1}, {12, 1}},
         [](Liste&) {
             EXPECT_EQ(LisAkt(LISTE), 1);
             EXPECT_EQ(LisEditSpalte(LISTE), 2);
         }},
        {"Tab past the last editable column goes to column 0 of the next row", 5,
         [](Liste&) {
             LisEditStart(LISTE, 0, 2, 3, zelleText, zelleSpeichern);
             h3::ereignisse.clear();
         },
         [](Liste& l) {
             SendMessage(l.dlg, WM_COMMAND, LISTE + 4, 1);
             h3::pumpen();
         },
         {{13, 0}, {1, 1}, {12, 1}},
         [](Liste&) { EXPECT_EQ(LisEditSpalte(LISTE), 0); }},
    };
    return v;
}

TEST_P(ListenEingabe, Sequence)
{
    const Ablauf& a = ablaeufe()[static_cast<size_t>(GetParam())];
    SCOPED_TRACE(a.name);
    anlegen(a.zeilen);
    if (a.vorher) a.vorher(*this);
    nimmEreignisse();
    a.tun(*this);
    EXPECT_EQ(nimmEreignisse(), a.erwartet);
    if (a.pruefen) a.pruefen(*this);
}

INSTANTIATE_TEST_SUITE_P(Ablaeufe, ListenEingabe, ::testing::Range(0, static_cast<int>(ablaeufe().size())));

TEST_F(Liste, BorderStyleGoesToTheCustomControlsAsEscapeCommands)
{
    anlegen(1);
    LisDlgStil(1);
    auto b = nimmBefehle();
    ASSERT_EQ(b.size(), 1u);
    EXPECT_EQ(b[0], "\x1bS 3") << "style bits 3..7 plus frame 3";
    LisDlgStil(0);
    EXPECT_EQ(nimmBefehle(), std::vector<std::string>{"\x1bS 0"});
}

TEST_F(Liste, PostedCommandsCarryTheRow)
{
    anlegen(5);
    LisBefehle(LISTE, 3001, 3002, 3003);
    klick(3);
    taste(VK_RETURN);
    taste(VK_APPS);
    std::vector<std::pair<WPARAM, LPARAM>> ist;
    for (const auto& p : h3::post) {
        if (p.first >= 3001 && p.first <= 3003) ist.push_back(p);
    }
    std::vector<std::pair<WPARAM, LPARAM>> soll = {{3001, 3}, {3002, 3}, {3003, 3}};
    EXPECT_EQ(ist, soll);
}

}  // namespace

// Scrolled by a half-line, the row partly above the top draws no text (only
// the lower halves of its glyphs would show over the first whole row); the
// second line of a tall row whose first line went out still shows.
TEST_F(Liste, ARowScrolledPartlyAboveTheTopLeavesNoGlyphFragments)
{
    hoehen = std::vector<int>(40, 2);
    hoehen[3] = 4;
    maler = [](int zeile) {
        LisText(0, 0, "-X0 Zeile");
        if (zeile == 3) LisText(0, 2, "-W1 zweite");
    };
    anlegen(40);
    LisNachricht(LISTE, WM_VSCROLL, SB_LINEDOWN, static_cast<LPARAM>(item(LISTE + 1)));
    h3::pumpen();
    ASSERT_EQ(LisOben(LISTE), 1);
    auto b = nimmBefehle();
    int texte = 0;
    for (const std::string& t : b) {
        if (t.rfind("ltext", 0) != 0) continue;
        ++texte;
        int x = 0, y = 0;
        ASSERT_EQ(std::sscanf(t.c_str(), "ltext %d %d", &x, &y), 2) << t;
        EXPECT_GE(y - lh + 3, 1) << "a text line starting above the view: " << t;
    }
    EXPECT_GT(texte, 3);
    // The display's top band (above the first whole row's cell) is the background only.
    HWND d = item(LISTE);
    const COLORREF grund = plFensterPixel(d, 5, 2);
    for (int y = 1; y < 3; ++y)
        for (int x = 2; x < 80; ++x) EXPECT_EQ(plFensterPixel(d, x, y), grund) << x << "," << y;
    // Row 3 (half-lines 6..9) scrolled to start at half-line 7 shows its second line, not its first.
    for (int i = 0; i < 6; ++i) LisNachricht(LISTE, WM_VSCROLL, SB_LINEDOWN, static_cast<LPARAM>(item(LISTE + 1)));
    h3::pumpen();
    ASSERT_EQ(LisOben(LISTE), 7);
    b = nimmBefehle();
    EXPECT_TRUE(enthaelt(b, "ltext 2 " + std::to_string(1 * lh / 2 + lh) + " \x02-W1 zweite"));
    EXPECT_FALSE(enthaelt(b, "ltext 2 " + std::to_string(-1 * lh / 2 + lh) + " \x02-X0 Zeile"));
}
