// Tests of the drawing view (output/ansicht) on the test dialog
// "ansichtprobe", driven by injected keys, clicks, drags and wheel notches:
// view commands and their limits, scroll bars, the cursor point, the drag
// rectangle, the resize of the six controls, the corner button, paints held
// back while another drawing target is current, the dash state around a
// paint, and a drawing of every element kind shown at 100 and 400 %.
#include "output/ansicht.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <set>
#include <string>

#include "model/einstell.h"
#include "model/beffifo.h"
#include "model/edhaken.h"
#include "model/zeichnun.h"
#include "model/zeilauf.h"
#include "model/zustand.h"
#include "output/bilder.h"
#include "output/element.h"
#include "output/strich.h"
#include "platform/ctl_scroll.h"
#include "tests/output/ansichtprobe.h"
#include "tests/output/stiltest.h"
#include "tests/model/edprotokoll.h"

namespace {

using Ansicht = ap::Fixture;
using V = std::vector<int>;

int rollPos(HWND bar)
{
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(bar, SB_CTL, &si);
    return si.nPos;
}

TEST_F(Ansicht, TypedPresetsAndZoomLimits)
{
    AnsichtFokus();
    text("3");
    EXPECT_EQ(zoom(), (V{200, 75, 25}));
    // Digit 0 after zooming: the whole sheet at 100 %, centred.
    text("0");
    EXPECT_EQ(zoom(), (V{100, 50, 50}));
    AnsichtZoom(3200);
    text("+");
    EXPECT_EQ(zoom()[0], 3200);
    AnsichtZoom(25);
    text("-");
    EXPECT_EQ(zoom()[0], 25);
    AnsichtZoom(20000);
    EXPECT_EQ(zoom()[0], 3200);
}

TEST_F(Ansicht, CommandTexts)
{
    struct Fall {
        const char* text;
        V soll;
    } faelle[] = {
        {"7", {200, 25, 75}},       {"12", {200, 75, 75}},        {"-", {100, 75, 75}},
        {"+", {200, 75, 75}},       {"X-80", {200, 0, 75}},       {"Y40", {200, 0, 100}},
        {". 400 10 120", {400, 10, 100}}, {". 5 -3 50", {25, 0, 50}},
        {"= 20 20 70 120", {297, 21, 23}},  // 50 x 100: min(420, 297); centre 45/210, 70/297
        {"= 20 20 22 21", {3200, 10, 6}},   // below 5 units
        {"+", {3200, 10, 6}},       {"*", {3200, 10, 6}},         {"Q", {3200, 10, 6}},
        {"", {3200, 10, 6}},        {". 25 10 6", {25, 10, 6}},   {"-", {25, 10, 6}},
    };
    AnsichtStart();
    for (const Fall& f : faelle) {
        AnsichtBefehl(f.text);
        EXPECT_EQ(zoom(), f.soll) << f.text;
    }
}

TEST_F(Ansicht, ZoomCommandsAroundTheCursor)
{
    int w, h;
    AnsichtPixelGroesse(&w, &h);
    // "C+" with the cursor at the upper right corner centres the view there.
    AnsichtMitteSetzen(500, 500);
    EXPECT_EQ(punkt(), (std::vector<double>{210, 297}));
    AnsichtZoomBefehl("C+");
    EXPECT_EQ(zoom(), (V{200, 100, 100}));
    EXPECT_TRUE(AnsichtPunktSichtbar(210, 297));
    GuckStand s{};
    GuckStandHolen(view, &s);
    EXPECT_NEAR(s.x, w / 2, 14);  // the refit's margin of 7 and 5 units
    EXPECT_NEAR(s.y, h / 2, 10);

    AnsichtMitteSetzen(105, 74.25);
    AnsichtZoomBefehl("F3");  // keeps the centre
    EXPECT_EQ(zoom(), (V{800, 100, 100}));
    AnsichtZoomBefehl("9");   // digit held to 5
    EXPECT_EQ(zoom(), (V{3200, 50, 25}));
    AnsichtZoomBefehl("-");
    AnsichtZoomBefehl("=");
    EXPECT_EQ(zoom(), (V{1600, 50, 25}));
    AnsichtZoomBefehl("Cx");  // nothing
    EXPECT_EQ(zoom(), (V{1600, 50, 25}));
}

TEST_F(Ansicht, ScrollBarsShowAndMoveTheCentre)
{
    HWND vbar = GetDlgItem(dlg, ANSICHT_VSCROLL), hbar = GetDlgItem(dlg, ANSICHT_HSCROLL);
    EXPECT_EQ(rollPos(hbar), 25);
    EXPECT_EQ(rollPos(vbar), 25);
    // The arrow at the top of the vertical bar: one up.
    RECT r;
    GetClientRect(vbar, &r);
    POINT p = plHeadlessPunkt(vbar, r.right / 2, 3);
    plHeadlessKlick(p.x, p.y);
    ap::pumpen();
    EXPECT_EQ(zoom(), (V{100, 50, 51}));
    // The top end shows the sheet's upper edge.
    SendMessage(dlg, WM_VSCROLL, SB_TOP, static_cast<LPARAM>(vbar));
    ap::pumpen();
    EXPECT_EQ(zoom()[2], 100);
    EXPECT_EQ(rollPos(vbar), 0);
    EXPECT_TRUE(AnsichtPunktSichtbar(105, 297));
    struct Fall {
        UINT nachricht;
        int code, pos;
        V soll;
    } faelle[] = {
        {WM_VSCROLL, SB_PAGEDOWN, 0, {100, 50, 90}},  {WM_VSCROLL, SB_BOTTOM, 0, {100, 50, 0}},
        {WM_HSCROLL, SB_PAGELEFT, 0, {100, 40, 0}},   {WM_HSCROLL, SB_LINERIGHT, 0, {100, 41, 0}},
        {WM_HSCROLL, SB_RIGHT, 0, {100, 100, 0}},     {WM_HSCROLL, SB_THUMBPOSITION, 10, {100, 35, 0}},
        {WM_VSCROLL, SB_THUMBPOSITION, 30, {100, 35, 45}},
        {WM_VSCROLL, SB_THUMBTRACK, 0, {100, 35, 45}},  // not while thumb tracking is off
    };
    for (const Fall& f : faelle) {
        SendMessage(dlg, f.nachricht, MAKEWPARAM(f.code, f.pos), static_cast<LPARAM>(f.nachricht == WM_VSCROLL ? vbar : hbar));
        EXPECT_EQ(zoom(), f.soll) << f.code;
    }
    AnsichtZiehenVerfolgen(1);
    AnsichtZoom(200);
    SendMessage(dlg, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 10), static_cast<LPARAM>(vbar));
    EXPECT_EQ(zoom(), (V{200, 35, 78}));
    EXPECT_EQ(rollPos(vbar), 10);
    EXPECT_EQ(rollPos(hbar), 23);
}

TEST_F(Ansicht, ArrowKeysStepTheCursorPointWithinTheSheet)
{
    AnsichtFokus();
    taste(VK_RIGHT);
    taste(VK_UP);
    taste(VK_UP);
    EXPECT_EQ(punkt(), (std::vector<double>{25, 270}));
    AnsichtSchrittSetzen(2.5, 10);
    taste(VK_LEFT);
    taste(VK_DOWN);
    EXPECT_EQ(punkt(), (std::vector<double>{22.5, 260}));
    AnsichtMitteSetzen(208, 295);
    taste(VK_RIGHT);
    taste(VK_UP);
    EXPECT_EQ(punkt(), (std::vector<double>{210, 297}));
    // The cross cursor stands on the point's pixel.
    GuckStand s{};
    GuckStandHolen(view, &s);
    EXPECT_EQ(s.x, WeltZuPixelX(210));
    EXPECT_EQ(s.y, WeltZuPixelY(297));
    EXPECT_EQ(zoom(), (V{100, 50, 50}));  // the view does not scroll
}

TEST_F(Ansicht, ClicksMoveTheCursorAndDragsZoom)
{
    klick(200, 100);
    EXPECT_NEAR(punkt()[0], PixelZuWeltX(200), 1e-9);
    EXPECT_NEAR(punkt()[1], PixelZuWeltY(100), 1e-9);
    // A drag of 8 x 30 pixels does not zoom: the cursor goes to the release point.
    ziehen(150, 150, 158, 180);
    EXPECT_EQ(zoom(), (V{100, 50, 50}));
    EXPECT_NEAR(punkt()[0], PixelZuWeltX(158), 1e-9);
    EXPECT_NEAR(punkt()[1], PixelZuWeltY(180), 1e-9);
    // 60 x 40 pixels: zoom onto its world rectangle.
    const double x1 = PixelZuWeltX(150), y1 = PixelZuWeltY(100), x2 = PixelZuWeltX(210), y2 = PixelZuWeltY(140);
    ziehen(150, 100, 210, 140);
    const int soll = std::min(static_cast<int>(100 * 210 / (x2 - x1)), static_cast<int>(100 * 297 / (y1 - y2)));
    EXPECT_EQ(zoom(), (V{soll, static_cast<int>(100 * (x1 + x2) / 2 / 210), static_cast<int>(100 * (y1 + y2) / 2 / 297)}));
    EXPECT_EQ(GetCapture(), 0u);
    // Below 5 units wide: 3200 %.
    AnsichtZoom(400);
    ziehen(100, 100, 114, 114);
    EXPECT_EQ(zoom()[0], 3200);
}

TEST_F(Ansicht, TheDragRectangleLeavesNothingBehind)
{
    AnsichtFokus();
    ap::pumpen();
    const GdiBildPixel vorher = ap::fensterPixel(view);
    POINT a = bei(100, 100), b = bei(108, 130);
    plHeadlessMausBewegen(a.x, a.y);
    plHeadlessMausDruecken(0);
    plHeadlessMausBewegen(a.x + 20, a.y + 3);
    ap::pumpen();
    // Drawn: inverted outline while the button is held.
    EXPECT_GT(ap::unterschiede(ap::fensterPixel(view), vorher), 40);
    EXPECT_EQ(GetCapture(), view);
    plHeadlessMausBewegen(b.x, b.y);
    plHeadlessMausLoslassen(0);
    ap::pumpen();
    // Only the cursor moved.
    AnsichtKreuzSetzen(WeltZuPixelX(20), WeltZuPixelY(260));
    EXPECT_EQ(ap::unterschiede(ap::fensterPixel(view), vorher), 0);
}

TEST_F(Ansicht, WheelNotches)
{
    POINT p = bei(200, 140);
    plHeadlessRad(p.x, p.y, 2);
    ap::pumpen();
    EXPECT_EQ(zoom(), (V{100, 50, 60}));
    plHeadlessTasteRunter(VK_SHIFT);
    plHeadlessRad(p.x, p.y, 1);
    plHeadlessTasteHoch(VK_SHIFT);
    ap::pumpen();
    EXPECT_EQ(zoom(), (V{100, 45, 60}));
    plHeadlessTasteRunter(VK_CONTROL);
    plHeadlessRad(p.x, p.y, 2);
    ap::pumpen();
    EXPECT_EQ(zoom()[0], 121);
    plHeadlessRad(p.x, p.y, -1);
    plHeadlessTasteHoch(VK_CONTROL);
    ap::pumpen();
    EXPECT_EQ(zoom()[0], 108);
    AnsichtZoom(3200);
    plHeadlessTasteRunter(VK_CONTROL);
    plHeadlessRad(p.x, p.y, 3);
    plHeadlessTasteHoch(VK_CONTROL);
    ap::pumpen();
    EXPECT_EQ(zoom()[0], 3200);
}

TEST_F(Ansicht, AResizeMovesTheSixControls)
{
    const int ids[6] = {5000, 5001, 5002, 5003, 5010, 5020};
    RECT vor[6];
    for (int i = 0; i < 6; ++i) vor[i] = AnsichtItemRect(ids[i]);
    RECT f;
    GetWindowRect(dlg, &f);
    SetWindowPos(dlg, 0, 0, 0, f.right - f.left + 40, f.bottom - f.top + 30, SWP_NOMOVE | SWP_NOZORDER);
    ap::pumpen();
    // dx, dy of the origin; dw, dh of the size.
    const int soll[6][4] = {{0, 0, 40, 30}, {40, 0, 0, 30}, {0, 30, 40, 0}, {40, 30, 0, 0}, {0, 30, 0, 0}, {0, 30, 40, 0}};
    for (int i = 0; i < 6; ++i) {
        RECT n = AnsichtItemRect(ids[i]);
        EXPECT_EQ(n.left - vor[i].left, soll[i][0]) << ids[i];
        EXPECT_EQ(n.top - vor[i].top, soll[i][1]) << ids[i];
        EXPECT_EQ((n.right - n.left) - (vor[i].right - vor[i].left), soll[i][2]) << ids[i];
        EXPECT_EQ((n.bottom - n.top) - (vor[i].bottom - vor[i].top), soll[i][3]) << ids[i];
    }
    int w, h;
    AnsichtPixelGroesse(&w, &h);
    EXPECT_EQ(w, vor[0].right - vor[0].left + 40);
    EXPECT_EQ(Abbildung()->w, w);
    // Blocked: nothing moves.
    AnsichtGroesseSperren(1);
    GetWindowRect(dlg, &f);
    SetWindowPos(dlg, 0, 0, 0, f.right - f.left - 40, f.bottom - f.top - 30, SWP_NOMOVE | SWP_NOZORDER);
    ap::pumpen();
    EXPECT_EQ(AnsichtItemRect(5003).left, vor[3].left + 40);
}

TEST_F(Ansicht, TheCornerButtonGoesToTheStartOrPostsItsCommand)
{
    SetFocus(GetDlgItem(dlg, ANSICHT_UNTENBREIT));
    AnsichtZoomSetzen3(400, 10, 10);
    AnsichtMitteSetzen(100, 100);
    RECT r = AnsichtItemRect(ANSICHT_ECKE);
    POINT p = plHeadlessPunkt(dlg, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    plHeadlessKlick(p.x, p.y);
    ap::pumpen();
    EXPECT_EQ(zoom(), (V{100, 50, 50}));
    EXPECT_EQ(punkt(), (std::vector<double>{20, 260}));
    EXPECT_EQ(GetFocus(), view);
    AnsichtHaken(nullptr, nullptr, 4711);
    plHeadlessKlick(p.x, p.y);
    ap::pumpen();
    ASSERT_FALSE(ap::befehle.empty());
    EXPECT_EQ(ap::befehle.back().first, 4711u);
}

TEST_F(Ansicht, NothingHappensWithoutAView)
{
    AnsichtLoesen();
    EXPECT_EQ(AnsichtFenster(), 0u);
    EXPECT_EQ(AnsichtNachricht(WM_CHAR, '3', 0), 0);
    EXPECT_EQ(AnsichtDCHolen(), 0u);
    EXPECT_EQ(AnsichtPunktSichtbar(-1000, 5000), 1);  // nothing to scroll to
    wiDlgBetreten(dlg);
    EXPECT_EQ(AnsichtAnbinden(), 0);
    wiDlgVerlassen();
}

TEST_F(Ansicht, ServicesOfTheDrawingModel)
{
    AnsichtDiensteEintragen();
    int gemalt = ap::malZaehler;
    // The model's hooks reach the view.
    modh::CursorMarkeSetzen(300, -4);
    EXPECT_EQ(punkt(), (std::vector<double>{210, 0}));
    modh::AnsichtFenster(0, 0, 420, 297);
    double r[4];
    AnsichtRandHolen(r);
    EXPECT_EQ(r[2], 420);
    int z, x, y;
    AnsichtHolen(&z, &x, &y);
    EXPECT_EQ((V{z, x, y}), (V{100, 50, 50}));
    double x1, y1, x2, y2;
    modh::AnsichtSichtbarHolen(&x1, &y1, &x2, &y2);
    EXPECT_LT(x1, 0);
    EXPECT_GT(x2, 420);
    EXPECT_EQ(modh::AnsichtPunktImFenster(210, 150), 1);
    EXPECT_EQ(modh::AnsichtPunktImFenster(-500, 150), 0);
    // The model's mapping puts the visible range onto the window's width.
    RECT fenster;
    GetClientRect(view, &fenster);
    EXPECT_NEAR(modh::WeltZuPixelX(x1), 0, 1);
    EXPECT_NEAR(modh::WeltZuPixelX(x2), fenster.right, 1);
    ap::pumpen();
    gemalt = ap::malZaehler;
    RECT u;
    modh::AnsichtBereichNeuZeichnen(10, 20, 30, 40);
    ASSERT_TRUE(GetUpdateRect(view, &u, FALSE));
    EXPECT_EQ((V{u.left, u.top, u.right, u.bottom}), (V{10, 20, 31, 41}));
    ap::pumpen();
    EXPECT_EQ(ap::malZaehler, gemalt + 1);
    modh::AnsichtAusgabeSperren(1);
    modh::AnsichtAusgabeFreigeben(0);
    int s, f;
    AnsichtAusgabeSchalter(&s, &f);
    EXPECT_EQ((V{s, f}), (V{1, 0}));
    EdProtokollStarten();
}

TEST(DruckAbbildung, MapsTheWorldOntoThePageWithOffsets)
{
    DruckAbbildungSetzen(2000, 1000, 200, 100, 30, 40);
    EXPECT_DOUBLE_EQ(Abbildung()->sx, 10);
    EXPECT_DOUBLE_EQ(Abbildung()->sy, 10);
    EXPECT_EQ(WeltZuPixelX(0), -30);
    EXPECT_EQ(WeltZuPixelY(100), -40);
    EXPECT_EQ(WeltZuPixelX(200), 1970);
}

// ---- one drawing target at a time ------------------------------------------------------------

VISTIFT stift(int r, int g, int b, int breite = 1)
{
    VISTIFT s{};
    s.r = r, s.g = g, s.b = b, s.breite = breite;
    return s;
}

void striche()
{
    const VISTIFT s = stift(0, 0, 200, 2);
    GdiStiftSetzen(&s, 2, WeltZuPixelLaenge(40));
    GdiStrichEinheit(WeltZuPixelLaenge(1000));
    GdiLinie(20, 20, 190, 200);
    GdiLinie(20, 200, 190, 20);
}

TEST_F(Ansicht, ABitmapTargetHoldsThePaintBackUntilItEnds)
{
    ap::malen = striche;
    auto bild = [&](bool unterbrechen) {
        EXPECT_EQ(GdiBitmapBeginn(120, 80, nullptr), 0);
        AbbildungSichern();
        AbbildungSetzenFrei(0, 0, 60, 40, 120, 80, 0, 0, 100, 50, 50);
        const VISTIFT s = stift(200, 0, 0);
        GdiStiftSetzen(&s, 3, 80);
        GdiLinie(5, 5, 50, 30);
        if (unterbrechen) {
            // The view is invalidated and refitted while the target is current.
            AnsichtZoom(200);
            AnsichtNeuZeichnen();
            ap::pumpen();
        }
        GdiLinie(5, 30, 50, 5);
        HBITMAP bm = GdiBitmapEnde();
        AbbildungWieder();
        GdiBildPixel p = gdiBildLesen(bm);
        DeleteObject(bm);
        return p;
    };
    const GdiBildPixel ruhig = bild(false);
    ap::pumpen();
    const int gemalt = ap::malZaehler;
    const GdiBildPixel fenster = ap::fensterPixel(view);
    const GdiBildPixel gestoert = bild(true);
    EXPECT_EQ(ap::malZaehler, gemalt);  // nothing painted meanwhile
    EXPECT_EQ(ap::unterschiede(ap::fensterPixel(view), fenster), 0);  // not even the background
    EXPECT_EQ(ap::unterschiede(gestoert, ruhig), 0);
    EXPECT_EQ(zoom()[0], 200);
    // Afterwards the view refits and paints.
    plHeadlessZeitVor(100);
    EXPECT_EQ(ap::malZaehler, gemalt + 1);
    EXPECT_TRUE(AnsichtPunktSichtbar(105, 150));
    EXPECT_FALSE(AnsichtPunktSichtbar(105, 290));
    EXPECT_EQ(Abbildung()->w, 420);
    EXPECT_GT(ap::fensterPixel(view).anzahl(RGB(0, 0, 200)), 100);
}

// A walk in world units (as PDF output makes it), recorded.
std::string weltSpur;
void wLinie(void*, double x1, double y1, double x2, double y2)
{
    weltSpur += "L" + std::to_string(std::lround(x1 * 10)) + "," + std::to_string(std::lround(y1 * 10)) + "-" +
                std::to_string(std::lround(x2 * 10)) + "," + std::to_string(std::lround(y2 * 10)) + " ";
}
void wPunkt(void*, double x, double y) { weltSpur += "P" + std::to_string(std::lround(x * 10)) + "," + std::to_string(std::lround(y * 10)) + " "; }
void wFarbe(void*, int n) { weltSpur += "F" + std::to_string(n) + " "; }
void wSchalten(void*, int) {}

TEST_F(Ansicht, APaintInsideADashedWalkLeavesTheRestOfTheWalkAsItWas)
{
    ap::malen = striche;
    static const WELTSTRICHZIEL ziel = {wLinie, wPunkt, wFarbe, wSchalten, nullptr, nullptr};
    auto walk = [&](bool malen) {
        weltSpur.clear();
        WeltStrichZielSetzen(&ziel);
        StrichFarbModus(2);
        StrichMuster(5, 230);
        StrichUmgebung(40, 0);
        WeltStrichStart(0, 0);
        WeltStrichLinie(41, 7);
        if (malen) {
            AnsichtNeuZeichnen();
            ap::pumpen();
        }
        WeltStrichLinie(90, -13);
        WeltStrichEnde();
        return weltSpur;
    };
    ap::pumpen();
    const int gemalt = ap::malZaehler;
    const std::string ohne = walk(false);
    EXPECT_EQ(walk(true), ohne);
    EXPECT_EQ(ap::malZaehler, gemalt + 1);
}

// ---- a drawing of every kind, as a user sees it -----------------------------------------------

struct Blatt : ap::Fixture {
    StOrdner ordner;
    std::string pfad;
    VIEINST altStifte;
    EDEINST altEd;
    static inline std::string zeichnung;

    void SetUp() override
    {
        ap::Fixture::SetUp();
        altStifte = *ViEinst();
        const VISTIFT stifte[8] = {stift(0, 0, 0, 1),   stift(200, 0, 0, 2),  stift(0, 0, 200, 1),
                                   stift(0, 140, 0, 3), stift(160, 0, 160, 1), stift(0, 120, 160, 2),
                                   stift(90, 90, 90, 1), {0, 0, 0, 2, 1, 255, 200, 0}};
        for (int i = 0; i < 8; ++i) ViEinst()->stift[i] = stifte[i];
        // The demo's sheet of every element kind, with its PNG and WMF
        // pictures beside it in the project folder.
        const std::filesystem::path demo = std::filesystem::path(VELMO_SOURCE_DIR) / "demo" / "Projekt";
        for (const char* n : {"HV1.15", "ecke.png", "bild.wmf"}) std::filesystem::copy_file(demo / n, ordner.projekt / n);
        pfad = (ordner.projekt / "HV1.15").string();
        zeichnung = pfad;
        BildBibLaden();
        // The drawing window's paint (its grid of 10 units) under the drawing.
        altEd = *EdEinst();
        EdEinst()->rp0x = EdEinst()->rp0y = 0;
        EdEinst()->rpswx = EdEinst()->rpswy = 10;
        AnsichtDiensteEintragen();
        ap::malen = [] {
            ZeiFensterZeichnen();
            STT s;
            SttInit(&s, nullptr);
            ZeiDurchlaufen(zeichnung.c_str(), &s, ElemRueckruf);
        };
    }
    void TearDown() override
    {
        *ViEinst() = altStifte;
        *EdEinst() = altEd;
        EdProtokollStarten();
        ap::Fixture::TearDown();
    }
    std::string png(const char* name)
    {
        const std::string aus = (std::filesystem::temp_directory_path() / name).string();
        EXPECT_EQ(plHeadlessPng(dlg, aus.c_str()), 0);
        std::printf("view saved as %s\n", aus.c_str());
        return aus;
    }
};

TEST_F(Blatt, EveryKindOfElementAtOneAndFourTimes)
{
    AnsichtNeuZeichnen();
    ap::pumpen();
    GdiBildPixel p = ap::fensterPixel(view);
    // Pens of the line types, the two-colour pen, the pictures' colours.
    for (COLORREF c : {RGB(200, 0, 0), RGB(0, 0, 200), RGB(0, 140, 0), RGB(160, 0, 160), RGB(255, 200, 0)})
        EXPECT_GT(p.anzahl(c), 10) << std::hex << c;
    EXPECT_GT(p.anzahl(RGB(0, 0, 0)), 800);      // texts and the frame
    EXPECT_GT(p.anzahl(RGB(128, 128, 128)), 400);  // grid marks
    png("velmo-ansicht-blatt-100.png");

    // 400 % on the texts and the arcs.
    AnsichtZoomSetzen3(400, 30, 55);
    ap::pumpen();
    p = ap::fensterPixel(view);
    EXPECT_GT(p.anzahl(RGB(0, 0, 0)), 1500);
    png("velmo-ansicht-blatt-400.png");
    // The line types and the arcs at 400 %.
    AnsichtZoomSetzen3(400, 25, 85);
    ap::pumpen();
    png("velmo-ansicht-linien-400.png");
    AnsichtZoomSetzen3(400, 45, 35);
    ap::pumpen();
    png("velmo-ansicht-boegen-400.png");
}

// The view smooths what it copies (texts, slanted lines and curves get
// grey edges, so small labels stay legible) and stays exact where it
// inverts: the drag rectangle and the cross cursor drawn twice leave every
// pixel as it was, and drawn once change only their own outline.
TEST_F(Blatt, TheViewIsSmoothedWhereItCopiesAndExactWhereItInverts)
{
    for (int zoom : {100, 400}) {
        SCOPED_TRACE(zoom);
        AnsichtZoomSetzen3(zoom, 30, 55);
        AnsichtFokus();
        AnsichtKreuzSetzen(100, 100);
        ap::pumpen();
        const GdiBildPixel p = ap::fensterPixel(view);
        std::set<int> grau;
        for (int y = 0; y < p.h; ++y)
            for (int x = 0; x < p.w; ++x) {
                const COLORREF c = p.an(x, y);
                if (GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c)) grau.insert(GetRValue(c));
            }
        // Unsmoothed the sheet holds black, white and the grid's grey only.
        EXPECT_GT(grau.size(), 40u);
        for (int modus : {0, 1, 2}) {
            AnsichtGummiband(modus, 20, 30, 180, 140);
            EXPECT_EQ(ap::unterschiede(ap::fensterPixel(view), p), 2 * 161 + 2 * 111 - 4) << modus;
            AnsichtGummiband(modus, 20, 30, 180, 140);
            EXPECT_EQ(ap::unterschiede(ap::fensterPixel(view), p), 0) << modus;
        }
        GuckZeigen(view, 0);
        EXPECT_EQ(ap::unterschiede(ap::fensterPixel(view), p), 2 * GUCKKREUZ - 1);
        GuckZeigen(view, 1);
        EXPECT_EQ(ap::unterschiede(ap::fensterPixel(view), p), 0);
    }
}

}  // namespace
