// The class core: registration, the flat look by version, library fonts,
// the state rule with a failed allocation, notification packing, escape
// argument words, frames and the key-colour replacement.
#include <cstring>

#include "config/konfhaken.h"
#include "controls/elseite.h"
#include "controls/elzeile.h"
#include "controls/lisanzeige.h"
#include "platform/fehlersim.h"
#include "platform/gdi.h"
#include "support/speicher.h"
#include "tests/controls/ctlh1_pruef.h"
#include "winlib/anwdaten.h"

namespace {

class Kern : public h1::Fixture {};

TEST(KernVersion, FlatLookComparesVersionsAsNumbers)
{
    const struct {
        int major, minor, flach;
    } faelle[] = {{5, 0, 0}, {4, 9, 0}, {5, 1, 1}, {5, 2, 1}, {6, 1, 1}, {6, 0, 1}, {10, 0, 1}, {11, 0, 1}};
    for (const auto& f : faelle) {
        EXPECT_EQ(ctlFlachAusVersion(f.major, f.minor), f.flach) << f.major << "." << f.minor;
    }
}

TEST_F(Kern, RegistrationOnceWithTheClassStyles)
{
    // the platform reports 10.0: with the numeric comparison the flat look is on
    ctlKlassenAbmelden();
    ASSERT_EQ(ctlKlassenAnmelden(), 0);
    EXPECT_EQ(ctlFlachStil(), 1);
    EXPECT_EQ(ctlFlachFarbe(), RGB(127, 157, 185));
    EXPECT_EQ(ctlKlassenAnmelden(), 0);  // a second call does nothing
    const struct {
        const char* name;
        UINT stil;
    } klassen[] = {
        {"ORVADISP", CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS | CS_GLOBALCLASS},
        {"orvashow", CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS | CS_GLOBALCLASS},
        {"ORVAGRBU", CS_HREDRAW | CS_VREDRAW | CS_GLOBALCLASS},
        {"ORVAMKAL", CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS | CS_GLOBALCLASS},
        {"ORVASLDR", CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS | CS_GLOBALCLASS},
    };
    for (const auto& k : klassen) {
        SCOPED_TRACE(k.name);
        WNDCLASS wc{};
        ASSERT_TRUE(GetClassInfo(GetModuleHandle(nullptr), k.name, &wc));
        EXPECT_EQ(wc.style, k.stil);
        EXPECT_EQ(wc.cbClsExtra, 0);
        EXPECT_GE(wc.cbWndExtra, 4);
        EXPECT_EQ(wc.hbrBackground, static_cast<HBRUSH>(COLOR_WINDOW + 1));
    }
    ctlFlachStilSetzen(0);
    EXPECT_EQ(ctlFlachFarbe(), 0u);
    ctlKlassenAbmelden();
    EXPECT_FALSE(ctlKlassenAngemeldet());
    WNDCLASS wc{};
    EXPECT_FALSE(GetClassInfo(GetModuleHandle(nullptr), "ORVADISP", &wc));
    ctlKlassenAbmelden();  // again: nothing
}

TEST_F(Kern, LibraryFontsFallBackToStockFonts)
{
    for (int n = 0; n < 4; ++n) ctlSchriftEmpfangen(n, 0);
    EXPECT_EQ(ctlSchrift(0), static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
    EXPECT_EQ(ctlSchrift(1), static_cast<HFONT>(GetStockObject(SYSTEM_FIXED_FONT)));
    EXPECT_EQ(ctlSchrift(2), static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT)));
    EXPECT_EQ(ctlSchrift(3), static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT)));
    EXPECT_EQ(ctlSchrift(7), static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
    EXPECT_EQ(ctlSchrift(-1), static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));

    // a face is cut at 83 characters
    const std::string lang(100, 'F');
    ctlSchriftSetzen(2, 17, lang.c_str());
    EXPECT_EQ(std::strlen(ctlSchriftName(2)), 83u);
    EXPECT_EQ(ctlSchriftHoehe(2), 17);
    HFONT eigen = ctlSchrift(2);
    EXPECT_NE(eigen, static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT)));
    LOGFONT lf{};
    ASSERT_NE(GetObject(eigen, sizeof lf, &lf), 0);
    EXPECT_EQ(lf.lfHeight, 17);
    EXPECT_EQ(lf.lfCharSet, ANSI_CHARSET);
    EXPECT_EQ(lf.lfQuality, PROOF_QUALITY);
    ctlSchriftSetzen(9, 10, "X");  // outside 0..3: nothing
    // the configuration layer's fonts arrive through its receiver hook
    HFONT fremd = CreateFont(12, 0, 0, 0, 0, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "DejaVu Sans");
    konfHaken().schriftEmpfangen(2, fremd);
    EXPECT_EQ(ctlSchrift(2), fremd);
    EXPECT_EQ(ctlSchriftHoehe(2), 12);
    ctlSchriftEmpfangen(2, 0);  // not ours: not deleted
    EXPECT_NE(GetObjectType(fremd), 0u);
    EXPECT_EQ(ctlSchrift(2), static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT)));
    DeleteObject(fremd);
}

TEST_F(Kern, WorkstationSettingsReachTheListsAndTheOtherHooksStay)
{
    KonfHaken fremd = konfHaken();
    fremd.desktop = [](RECT* r) { *r = RECT{1, 2, 3, 4}; };
    konfHakenSetzen(fremd);
    ctlKlassenAbmelden();
    ASSERT_EQ(ctlKlassenAnmelden(), 0);
    RECT r{};
    konfHaken().desktop(&r);
    EXPECT_EQ(r.right, 3);  // registration kept the window library's hooks
    konfHaken().listenFarben(RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9));
    EXPECT_EQ(LisCursorFarbe(), RGB(1, 2, 3));
    EXPECT_EQ(LisMarkFarbe(), RGB(4, 5, 6));
    int rot = 0, gruen = 0, blau = 0;
    ElsMarkFarbe(&rot, &gruen, &blau);
    EXPECT_EQ(RGB(rot, gruen, blau), RGB(4, 5, 6));
    konfHaken().pfadModus(2);
    EXPECT_EQ(ElzPfadModus(), 2);
    konfHaken().pfadModus(0);
    // unregistering hands the receivers back to the stand-ins
    ctlKlassenAbmelden();
    HFONT f = CreateFont(12, 0, 0, 0, 0, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "DejaVu Sans");
    konfHaken().schriftEmpfangen(1, f);
    EXPECT_EQ(konfEmpfangen().schrift[1], f);
    EXPECT_EQ(ctlSchrift(1), static_cast<HFONT>(GetStockObject(SYSTEM_FIXED_FONT)));
    konfHaken().desktop(&r);
    EXPECT_EQ(r.right, 3);
    DeleteObject(f);
    konfHakenZuruecksetzen();
}

TEST_F(Kern, AFailedStateAllocationFailsTheCreation)
{
    for (const char* klasse : {"ORVADISP", "ORVASHOW", "ORVAGRBU", "ORVAMKAL", "ORVASLDR"}) {
        SCOPED_TRACE(klasse);
        PlFehlerScope scope;
        const int32_t bloecke = fmallanzahl();
        plFehlerSetzen(PlFehlerArt::Speicher, 1);
        HWND w = kind(klasse, "", 0, 0, 0, 40, 20, 5);
        EXPECT_EQ(w, 0u);
        EXPECT_EQ(plFehlerAusgeloest(PlFehlerArt::Speicher), 1);
        plFehlerAllesAus();
        EXPECT_LE(fmallanzahl(), bloecke + 1);  // the refused request counted once
        w = kind(klasse, "", 0, 0, 0, 40, 20, 5);
        EXPECT_NE(w, 0u);
        DestroyWindow(w);
    }
}

TEST_F(Kern, NotificationPackingAndPointsInParentCoordinates)
{
    EXPECT_EQ(ctlMeldungsWort(7, CTLGEAENDERT), 0x3000007u);
    EXPECT_EQ(ctlMeldungsWort(0x12345, CTLBEARBEITET), 0x4002345u);
    EXPECT_EQ(ctlMeldungsWort(-1, CTLFOKUSEIN), 0x100FFFFu);
    HWND w = kind("ORVADISP", "", 0, 30, 20, 40, 20, 9);
    EXPECT_EQ(ctlPunktImEltern(w, 5, 6), MAKELPARAM(35, 26));
    // left of and above the parent's client area: signed 16/16
    LPARAM lp = ctlPunktImEltern(w, -40, -30);
    EXPECT_EQ(GET_X_LPARAM(lp), -10);
    EXPECT_EQ(GET_Y_LPARAM(lp), -10);
    ctlMelden(w, CTLBEARBEITET, 77);
    ctlGestePosten(w, CTLGESTEZUG, 1, 2);
    h1::pumpen();
    std::vector<h1::Meldung> soll = {{0x4000009, 77, false}, {2063, MAKELPARAM(31, 22), true}};
    EXPECT_EQ(h1::nimm(), soll);
}

TEST(KernText, ArgumentWordsAndColoursModulo256)
{
    const char* p = "  12 -3x  abc";
    EXPECT_EQ(ctlZahlLesen(&p), 12);
    EXPECT_EQ(ctlZahlLesen(&p), -3);  // trailing junk ignored
    EXPECT_EQ(ctlZahlLesen(&p), 0);   // not a number
    EXPECT_EQ(ctlZahlLesen(&p), 0);   // missing
    char wort[4];
    const char* q = " LOX rest";
    ctlWortLesen(&q, wort, sizeof wort);
    EXPECT_STREQ(wort, "LOX");
    ctlWortLesen(&q, wort, sizeof wort);
    EXPECT_STREQ(wort, "res");  // cut to the buffer
    EXPECT_EQ(ctlFarbeLesen("256 257 -1"), RGB(0, 1, 255));
    EXPECT_EQ(ctlFarbeLesen("10"), RGB(10, 0, 0));
    char ziel[5];
    ctlKopie(ziel, "abcdefgh", sizeof ziel);
    EXPECT_STREQ(ziel, "abcd");
}

TEST_F(Kern, TextCellsOfAFixedPitchFont)
{
    HFONT f = ctlSchrift(1);
    HDC dc = CreateCompatibleDC(0);
    HGDIOBJ alt = SelectObject(dc, f);
    TEXTMETRIC tm{};
    ASSERT_TRUE(GetTextMetrics(dc, &tm));
    SelectObject(dc, alt);
    DeleteDC(dc);
    ASSERT_GT(tm.tmAveCharWidth, 0);
    CtlZellen z = ctlZellenMessen(f, 8 + 10 * tm.tmAveCharWidth + 1, tm.tmHeight + 6, 200);
    EXPECT_EQ(z.breite, tm.tmAveCharWidth);
    EXPECT_EQ(z.hoehe, tm.tmHeight);
    EXPECT_EQ(z.sichtbar, 10);
    EXPECT_EQ(z.oben, 3);
    EXPECT_EQ(ctlZellenMessen(f, 8 + 10 * tm.tmAveCharWidth, 0, 4).sichtbar, 4);  // capped
    EXPECT_EQ(ctlZellenMessen(f, 3, 0, 200).sichtbar, 0);                         // never negative
}

TEST_F(Kern, OwnerIsACaptionedParentElseTheMainWindow)
{
    HWND w = kind("ORVADISP", "", 0, 0, 0, 20, 20, 3);
    EXPECT_EQ(ctlBesitzer(w), eltern);
    HWND flach = kind("ORVADISP", "", 0, 30, 0, 60, 40, 4);
    HWND innen = CreateWindow("ORVADISP", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, flach, static_cast<HMENU>(1), 0,
                              nullptr);
    EXPECT_EQ(ctlBesitzer(innen), anwHauptfenster());
}

TEST_F(Kern, KeyColourReplacement)
{
    HDC schirm = GetDC(0);
    HBITMAP q = CreateCompatibleBitmap(schirm, 4, 2);
    HDC dc = CreateCompatibleDC(schirm);
    HGDIOBJ alt = SelectObject(dc, q);
    for (int x = 0; x < 4; ++x) {
        SetPixel(dc, x, 0, RGB(240, 240, 240));
        SetPixel(dc, x, 1, RGB(241, 240, 240));
    }
    SelectObject(dc, alt);
    HBITMAP z = bmpHintergrund(q, GetSysColor(COLOR_BTNFACE));
    ASSERT_NE(z, 0u);
    alt = SelectObject(dc, z);
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(GetPixel(dc, x, 0), GetSysColor(COLOR_BTNFACE));
        EXPECT_EQ(GetPixel(dc, x, 1), RGB(241, 240, 240));
    }
    SelectObject(dc, alt);
    DeleteDC(dc);
    ReleaseDC(0, schirm);
    DeleteObject(q);
    DeleteObject(z);
    EXPECT_EQ(bmpHintergrund(0, 0), 0u);
    RECT box{9, 9, 9, 9};
    EXPECT_EQ(bmpDateiLaden(0, "/tmp/velmo_h1_nicht_da.bmp", &box), 0u);
    EXPECT_EQ(box.right, 0);
}

}  // namespace
