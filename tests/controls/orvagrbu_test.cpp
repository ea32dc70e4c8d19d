// The graphic button (labels, clicks on release, drag gestures, right-click
// command, face colour and pictures) and the button bar read from a
// toolbar-file fixture.
#include <cmath>
#include <cstring>

#include "controls/tbleiste.h"
#include "platform/dialog.h"
#include "platform/kopierdaten.h"
#include "platform/gdi.h"
#include "tests/controls/ctlh1_pruef.h"
#include "winlib/anwdaten.h"
#include "winlib/winbib.h"

namespace {

using h1::Meldung;

// A red picture of 10 x 6 pixels.
HBITMAP rotesBild()
{
    HDC schirm = GetDC(0);
    HBITMAP bm = CreateCompatibleBitmap(schirm, 10, 6);
    HDC dc = CreateCompatibleDC(schirm);
    HGDIOBJ alt = SelectObject(dc, bm);
    RECT r{0, 0, 10, 6};
    HBRUSH rot = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(dc, &r, rot);
    DeleteObject(rot);
    SelectObject(dc, alt);
    DeleteDC(dc);
    ReleaseDC(0, schirm);
    return bm;
}

class Grbu : public h1::Fixture {
protected:
    HWND knopf(const char* text, DWORD stil = 0x40, int id = 21)
    {
        return kind("ORVAGRBU", text, WS_TABSTOP | stil, 20, 20, 80, 24, id);
    }
};

TEST_F(Grbu, LabelsFromTheCreationText)
{
    const struct {
        const char* anlage;
        const char* label;
    } faelle[] = {
        {"BUTTOK &Speichern", "&Speichern"},
        {"BMPESC;!Abbrechen", "Abbrechen"},
        {"BMP;Mit Blank", "Mit Blank"},
        {"NurBild", "NurBild"},
        {"", ""},
    };
    for (const auto& f : faelle) {
        HWND w = knopf(f.anlage);
        EXPECT_EQ(h1::text(w), f.label) << f.anlage;
        DestroyWindow(w);
    }
    // '!' draws the label in library font 0, else font 2: the ink differs
    HWND mit = knopf("X;!Abbrechen");
    HWND ohne = knopf("X;Abbrechen");
    MoveWindow(ohne, 120, 20, 80, 24, TRUE);
    RECT a = h1::tinte(h1::bild(mit), RGB(0, 0, 0), 2);
    RECT b = h1::tinte(h1::bild(ohne), RGB(0, 0, 0), 2);
    ASSERT_GT(a.right, 0);
    ASSERT_GT(b.right, 0);
    EXPECT_NE(a.right - a.left, b.right - b.left);
    // a set text is the label, cut at 80 characters
    SetWindowText(ohne, std::string(120, 'L').c_str());
    EXPECT_EQ(h1::text(ohne).size(), 80u);
}

TEST_F(Grbu, SpaceAndMouseClickOnRelease)
{
    HWND w = knopf("A;Knopf");
    SetFocus(w);
    h1::pumpen();
    h1::meldungen.clear();
    plHeadlessTasteRunter(VK_SPACE);
    h1::pumpen();
    EXPECT_TRUE(h1::nimm({21}).empty());  // not on the press
    plHeadlessTasteHoch(VK_SPACE);
    h1::pumpen();
    EXPECT_EQ(h1::nimm({21}), (std::vector<Meldung>{{21, static_cast<LPARAM>(w), false}}));
    // another key's release does not click
    plHeadlessTaste(VK_RETURN);
    h1::pumpen();
    EXPECT_TRUE(h1::nimm({21}).empty());

    POINT p = schirm(w, 10, 10);
    plHeadlessKlick(p.x, p.y);
    h1::pumpen();
    EXPECT_EQ(h1::nimm({21}), (std::vector<Meldung>{{21, static_cast<LPARAM>(w), false}}));
    EXPECT_EQ(SendMessage(w, WM_GETDLGCODE, 0, 0), DLGC_BUTTON);
}

TEST_F(Grbu, ReleaseOutsideDoesNotClick)
{
    HWND w = knopf("A;Knopf");
    POINT p = schirm(w, 10, 10);
    POINT weg = schirm(w, 200, 100);
    plHeadlessZiehen(p.x, p.y, weg.x, weg.y);
    h1::pumpen();
    EXPECT_TRUE(h1::nimm({21}).empty());
}

TEST_F(Grbu, DragIdGesturesAndNoClickAfterADrag)
{
    HWND w = knopf("A;Ziehen");
    SetWindowText(w, "\x1b" "D 4711");
    POINT p = schirm(w, 10, 10);
    plHeadlessMausBewegen(p.x, p.y);
    plHeadlessMausDruecken(0);
    h1::pumpen();
    h1::meldungen.clear();
    for (int x : {12, 15, 20}) {
        POINT q = schirm(w, x, 10);
        plHeadlessMausBewegen(q.x, q.y);
        h1::pumpen();
    }
    plHeadlessMausLoslassen(0);
    h1::pumpen();
    std::vector<Meldung> soll = {
        {2062, 4711, true},                    // the drag id, not a point
        {2063, MAKELPARAM(20 + 20, 20 + 10), true},
        {2064, MAKELPARAM(20 + 20, 20 + 10), true},
    };
    EXPECT_EQ(h1::nimm({21, 2062, 2063, 2064}), soll);
}

TEST_F(Grbu, RightClickCommand)
{
    HWND w = knopf("A;Rechts");
    POINT p = schirm(w, 10, 10);
    plHeadlessKlick(p.x, p.y, 1);
    h1::pumpen();
    EXPECT_TRUE(h1::nimm({21, 950}).empty());  // no right-click command: nothing
    SetWindowText(w, "\x1b" "R 950");
    plHeadlessZeitVor(2000);
    plHeadlessKlick(p.x, p.y, 1);
    h1::pumpen();
    EXPECT_EQ(h1::nimm({21, 950}), (std::vector<Meldung>{{950, static_cast<LPARAM>(w), false}}));
}

TEST_F(Grbu, FaceColourAndPicturePlacement)
{
    HWND w = knopf("A;Farbe", 0);
    SetWindowText(w, "\x1b" "H 215 232 255");
    EXPECT_EQ(h1::px(h1::bild(w), 10, 10), RGB(215, 232, 255));
    // a picture by copy data: centred without style bit 6
    HBITMAP bm = rotesBild();
    uint32_t h = bm;
    COPYDATASTRUCT cd{1, 4, &h};
    SendMessage(w, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cd));
    RECT ink = h1::tinte(h1::bild(w), RGB(255, 0, 0));
    // face 78 x 22 at (1, 1): picture at 1 + (78 - 10) / 2, 1 + (22 - 6) / 2
    EXPECT_EQ(ink.left, 35);
    EXPECT_EQ(ink.top, 9);
    // with style bit 6 (label below) at (2, 2) of the face
    SetWindowText(w, "\x1b" "S 64");
    SendMessage(w, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cd));
    ink = h1::tinte(h1::bild(w), RGB(255, 0, 0));
    EXPECT_EQ(ink.left, 3);
    EXPECT_EQ(ink.top, 3);
    // a new face colour refills the face: the picture is gone
    SetWindowText(w, "\x1b" "H 240 240 240");
    EXPECT_EQ(h1::tinte(h1::bild(w), RGB(255, 0, 0)).right, 0);
    DeleteObject(bm);
}

// A labelled button with a picture (a labelled toolbar): the picture at the
// top, the label below it without overlap; without a picture, or on a button
// too flat for both, the label stays centred.
TEST_F(Grbu, TheLabelGoesBelowThePicture)
{
    HWND w = knopf("A;Xg", 0x40 | 0x10);
    MoveWindow(w, 20, 20, 40, 36, TRUE);
    const RECT allein = h1::tinte(h1::bild(w), RGB(0, 0, 0), 2);
    ASSERT_GT(allein.bottom, 0);
    EXPECT_LE(std::abs((allein.top + allein.bottom) - 36), 4) << "centred";
    HBITMAP bm = rotesBild();
    uint32_t h = bm;
    COPYDATASTRUCT cd{1, 4, &h};
    SendMessage(w, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cd));
    const RECT bild = h1::tinte(h1::bild(w), RGB(255, 0, 0));
    const RECT text = h1::tinte(h1::bild(w), RGB(0, 0, 0), 2);
    ASSERT_GT(bild.bottom, 0);
    ASSERT_GT(text.bottom, 0);
    EXPECT_EQ(bild.top, 3);
    EXPECT_GE(text.top, bild.bottom) << "label under the picture";
    EXPECT_LE(text.bottom, 34);
    EXPECT_GT(text.top, allein.top) << "moved down to the bottom";
    // Left-aligned as the toolbars draw it: below the picture all the same.
    SetWindowText(w, "\x1b" "S 64");
    SendMessage(w, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cd));
    EXPECT_EQ(h1::tinte(h1::bild(w), RGB(0, 0, 0), 2).top, text.top);
    // A flat button has no room below the picture: the label stays centred
    // beside it.
    MoveWindow(w, 20, 20, 60, 16, TRUE);
    const RECT daneben = h1::tinte(h1::bild(w), RGB(0, 0, 0), 2);
    ASSERT_GT(daneben.bottom, 0);
    EXPECT_LE(std::abs((daneben.top + daneben.bottom) - 16), 4) << "centred";
    DeleteObject(bm);
}

TEST_F(Grbu, AResizeKeepsThePictureOnTheNewFace)
{
    HWND w = knopf("A;Bild", 0);
    HBITMAP bm = rotesBild();
    uint32_t h = bm;
    COPYDATASTRUCT cd{1, 4, &h};
    SendMessage(w, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cd));
    DeleteObject(bm);  // the caller's picture; the button keeps its own

    // Larger, then smaller: centred again on each new face.
    struct Fall {
        int breite, hoehe;
    } faelle[] = {{120, 40}, {40, 20}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.breite);
        MoveWindow(w, 20, 20, f.breite, f.hoehe, TRUE);
        const RECT ink = h1::tinte(h1::bild(w), RGB(255, 0, 0));
        EXPECT_EQ(ink.left, 1 + (f.breite - 2 - 10) / 2);
        EXPECT_EQ(ink.top, 1 + (f.hoehe - 2 - 6) / 2);
        EXPECT_EQ(ink.right - ink.left, 10);
    }
    // A new face colour still drops it, and a resize does not bring it back.
    SetWindowText(w, "\x1b" "H 240 240 240");
    MoveWindow(w, 20, 20, 80, 24, TRUE);
    EXPECT_EQ(h1::tinte(h1::bild(w), RGB(255, 0, 0)).right, 0);
}

TEST_F(Grbu, DisablingDropsThePress)
{
    HWND w = knopf("A;Aus");
    POINT p = schirm(w, 10, 10);
    plHeadlessMausBewegen(p.x, p.y);
    plHeadlessMausDruecken(0);
    h1::pumpen();
    EnableWindow(w, FALSE);
    EXPECT_EQ(GetCapture(), 0u);
    plHeadlessMausLoslassen(0);
    h1::pumpen();
    EXPECT_TRUE(h1::nimm({21}).empty());
}

// ---- Button bar ------------------------------------------------------------------------------

class Leiste : public h1::Fixture {
protected:
    void SetUp() override
    {
        h1::Fixture::SetUp();
        anwDaten()->hauptfenster = eltern;  // the current dialog when none is open
    }
    void TearDown() override
    {
        anwDaten()->hauptfenster = 0;
        h1::Fixture::TearDown();
    }
    static int pix(double du) { return static_cast<int>(std::lround(du * wiDlgFaktor())); }
};

TEST_F(Leiste, BautAuswahlFixture)
{
    const std::string datei = std::string(VELMO_TEST_DATA) + "/controls/h1_Toolbar.txt";
    ASSERT_EQ(tbLeisteAnlegen(2, 1, 2520, datei.c_str(), "bautauswahl"), 4);
    EXPECT_EQ(tbLeisteHoehe(), pix(10));
    // ids 2521.., widths 36 then 1.5 x 36, "X+ 10" moves, "B+ 4" widens
    const struct {
        int id;
        const char* label;
        double x, breite;
    } soll[] = {
        {2521, "Schalter", 2, 36}, {2522, "Leuchten", 38, 54}, {2523, "TBDSonder", 92, 54}, {2524, "Dosen", 156, 58}};
    for (const auto& s : soll) {
        SCOPED_TRACE(s.id);
        HWND k = GetDlgItem(eltern, s.id);
        ASSERT_NE(k, 0u);
        EXPECT_EQ(h1::text(k), s.label);
        RECT r;
        GetWindowRect(k, &r);
        POINT o{r.left, r.top};
        ScreenToClient(eltern, &o);
        EXPECT_EQ(o.x, pix(s.x));
        EXPECT_EQ(o.y, pix(1));
        EXPECT_EQ(r.right - r.left, pix(s.breite));
        EXPECT_EQ(r.bottom - r.top, pix(10));
    }
    EXPECT_EQ(GetDlgItem(eltern, 2525), 0u);
    // the filler behind the last button
    HWND fueller = GetDlgItem(eltern, 2520);
    ASSERT_NE(fueller, 0u);
    EXPECT_FALSE(IsWindowEnabled(fueller));
    RECT f;
    GetWindowRect(fueller, &f);
    POINT fo{f.left, f.top};
    ScreenToClient(eltern, &fo);
    EXPECT_EQ(fo.x, pix(214));
    EXPECT_EQ(f.right - f.left, pix(4 * 54));  // four base widths after "X* 1.5"
    // entry 1 selected: its face light blue, the others light grey (probed
    // right of the labels, whose smoothed glyphs reach the top-left corner)
    auto gesicht = [&](int id) {
        RECT c;
        GetClientRect(GetDlgItem(eltern, id), &c);
        return plFensterPixel(GetDlgItem(eltern, id), c.right - 5, 4);
    };
    EXPECT_EQ(tbLeisteGewaehlt(), 2521);
    h1::bild(eltern);
    EXPECT_EQ(gesicht(2521), RGB(215, 232, 255));
    EXPECT_EQ(gesicht(2522), RGB(240, 240, 240));
    EXPECT_STREQ(tbLeisteText(), "SchalterLeiste");
    EXPECT_STREQ(tbLeisteWahl(2522), "LeuchtenLeiste Zusatz");
    EXPECT_STREQ(tbLeisteWahl(2523), "TBDSonder Sonderleiste");
    EXPECT_EQ(tbLeisteGewaehlt(), 2523);
    h1::bild(eltern);
    EXPECT_EQ(gesicht(2523), RGB(215, 232, 255));
    EXPECT_EQ(gesicht(2521), RGB(240, 240, 240));
    EXPECT_STREQ(tbLeisteWahl(9999), "");
    EXPECT_EQ(tbLeisteGewaehlt(), 2523);
}

TEST_F(Leiste, MissingFileOrSection)
{
    const std::string datei = std::string(VELMO_TEST_DATA) + "/controls/h1_Toolbar.txt";
    EXPECT_EQ(tbLeisteAnlegen(2, 1, 2520, datei.c_str(), "GibtEsNicht"), -1);
    EXPECT_EQ(tbLeisteAnlegen(2, 1, 2520, "/tmp/velmo_h1_keine_leiste.txt", "BautAuswahl"), -1);
    EXPECT_EQ(tbLeisteAnzahl(), 0);
    EXPECT_STREQ(tbLeisteText(), "");
}

TEST_F(Leiste, AtMost19Buttons)
{
    std::string pfad = "/tmp/velmo_h1_leiste.txt";
    FILE* f = std::fopen(pfad.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fputs(")S Lang\r\n", f);
    for (int i = 0; i < 25; ++i) std::fprintf(f, "K%d Text%d\r\n", i, i);
    std::fclose(f);
    EXPECT_EQ(tbLeisteAnlegen(0, 0, 100, pfad.c_str(), "LANG"), 19);
    EXPECT_NE(GetDlgItem(eltern, 119), 0u);
    EXPECT_EQ(GetDlgItem(eltern, 120), 0u);
    EXPECT_STREQ(tbLeisteWahl(119), "Text18");  // CR LF line ends removed
    std::remove(pfad.c_str());
}

}  // namespace
