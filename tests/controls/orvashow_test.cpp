// The display field (creation kinds, numbers with the locale separators,
// choices, alignment by ink box, escape commands, click and dialog code),
// and the test template holding every class with the program's creation
// texts.
#include <cstdlib>
#include <string>

#include "controls/orvashow.h"
#include "platform/dialog.h"
#include "tests/controls/ctlh1_pruef.h"
#include "winlib/winbib.h"

namespace {

using h1::Meldung;

constexpr COLORREF SCHWARZ = RGB(0, 0, 0);

// A comma locale for the separators; the previous one back afterwards.
class Show : public h1::Fixture {
protected:
    std::string altLcAll;
    bool hatteLcAll = false;
    void SetUp() override
    {
        h1::Fixture::SetUp();
        const char* alt = std::getenv("LC_ALL");
        hatteLcAll = alt != nullptr;
        altLcAll = alt ? alt : "";
        setenv("LC_ALL", "de_DE.UTF-8", 1);
        wiLokaleNeu();
    }
    void TearDown() override
    {
        if (hatteLcAll) {
            setenv("LC_ALL", altLcAll.c_str(), 1);
        } else {
            unsetenv("LC_ALL");
        }
        wiLokaleNeu();
        h1::Fixture::TearDown();
    }
    HWND show(const char* text, DWORD stil = 0, int id = 11, int breite = 160)
    {
        return kind("ORVASHOW", text, stil, 10, 10, breite, 20, id);
    }
};

TEST(ShowText, ChoicesAndAutoDecimals)
{
    const struct {
        const char* liste;
        const char* wert;
        const char* gezeigt;
    } faelle[] = {
        {"~Nein~Ja~", "0", "Nein"}, {"~Nein~Ja~", "1", "Ja"}, {"~Nein~Ja~", "5", "5"},
        {"~Nein~Ja~", "2", "2"},    {"|a|b", "1", "1"},       {"", "1", "1"},
        {"~Nein~Ja~", "-1", "-1"},
    };
    for (const auto& f : faelle) {
        EXPECT_EQ(showAuswahl(f.liste, f.wert), f.gezeigt) << f.liste << " " << f.wert;
    }
    EXPECT_EQ(showDezimalen("12"), 0);
    EXPECT_EQ(showDezimalen("1.5"), 1);
    EXPECT_EQ(showDezimalen("1,250"), 3);
    EXPECT_EQ(showDezimalen("0.1234567"), 5);
    EXPECT_EQ(showDezimalen(std::string(80, '1') + ".25"), 0);  // past the first 80 characters
}

TEST_F(Show, CreationKindsAndReadBack)
{
    const struct {
        const char* anlage;
        const char* gesetzt;  // nullptr: nothing set after creation
        const char* gelesen;
    } faelle[] = {
        {"T=Befehl (ZB):", nullptr, "Befehl (ZB):"},
        {"", "frei", "frei"},
        {"PProportional", nullptr, "Proportional"},
        {"2", "1234.5", "1234.50"},
        {"2", "1234,5", "1234.50"},
        {"0", "-17,6", "-18"},
        {"N", "3.000", "3.000"},  // the kind follows the decimals given
        {"N", "2.5", "2.5"},
        {"N", "7", "7"},
        {"A~Nein~Ja~", "5", "5"},
        {"d", "24.12.2025", "2025-12-24"},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.anlage);
        HWND w = show(f.anlage);
        ASSERT_NE(w, 0u);
        if (f.gesetzt) SetWindowText(w, f.gesetzt);
        EXPECT_EQ(h1::text(w), f.gelesen);
        DestroyWindow(w);
    }
    EXPECT_EQ(SendMessage(show("T"), WM_GETDLGCODE, 0, 0), DLGC_STATIC);
}

TEST_F(Show, NumbersShowTheLocaleSeparatorsRightAligned)
{
    HWND links = show("2", 0);
    HWND rechts = show("2", 0x20, 12);
    MoveWindow(rechts, 10, 40, 160, 20, TRUE);
    HWND text = show("T", 0, 13);
    MoveWindow(text, 10, 70, 160, 20, TRUE);
    SetWindowText(links, "1234.5");
    SetWindowText(rechts, "1234.5");
    SetWindowText(text, "1.234,50");
    RECT l = h1::tinteDunkel(h1::bild(links));
    RECT r = h1::tinteDunkel(h1::bild(rechts));
    RECT t = h1::tinteDunkel(h1::bild(text));
    // the same glyphs: "1.234,50"
    EXPECT_EQ(l.right - l.left, t.right - t.left);
    EXPECT_EQ(r.right - r.left, t.right - t.left);
    // the number sits at the right of its cells; style 0x20 right-aligns the line
    EXPECT_GT(l.left, t.left);
    EXPECT_NEAR(r.right, 160 - 4, 2);
}

TEST_F(Show, ChoiceFiveShowsFive)
{
    HWND a = show("A~Nein~Ja~");
    HWND t = show("T", 0, 13);
    MoveWindow(t, 10, 40, 160, 20, TRUE);
    SetWindowText(a, "5");
    SetWindowText(t, "5");
    RECT ra = h1::tinte(h1::bild(a), SCHWARZ);
    RECT rt = h1::tinte(h1::bild(t), SCHWARZ);
    ASSERT_GT(ra.right, 0);
    EXPECT_EQ(ra.left, rt.left);
    EXPECT_EQ(ra.right, rt.right);
    SetWindowText(a, "1");
    SetWindowText(t, "Ja");
    ra = h1::tinte(h1::bild(a), SCHWARZ);
    rt = h1::tinte(h1::bild(t), SCHWARZ);
    EXPECT_EQ(ra.right - ra.left, rt.right - rt.left);
}

TEST_F(Show, EscapeCommandsClickAndLongTexts)
{
    HWND w = show("T=Wert", 0, 11);
    SetWindowText(w, "\x1b" "H 0 0 255");
    SetWindowText(w, "\x1b" "V 255 255 0");
    plBild b = h1::bild(w);
    EXPECT_EQ(h1::px(b, 1, 1), RGB(0, 0, 255));
    EXPECT_GT(h1::tinte(b, RGB(255, 255, 0)).right, 0);
    SetWindowText(w, "\x1b" "h 65280");  // COLORREF green
    SetWindowText(w, "\x1b" "X 1 2 3");   // outside 'H'..'v': ignored
    b = h1::bild(w);
    EXPECT_EQ(h1::px(b, 1, 1), RGB(0, 255, 0));
    EXPECT_EQ(h1::text(w), "Wert");  // commands do not change the value
    SetWindowText(w, "\x1b" "T 2");
    SetWindowText(w, "3,14159");
    EXPECT_EQ(h1::text(w), "3.14");
    // a text value keeps up to 2000 characters
    SetWindowText(w, "\x1b" "T T");
    SetWindowText(w, std::string(2500, 'x').c_str());
    EXPECT_EQ(GetWindowTextLength(w), 2000);
    // a click reports 0x400 with a positive id
    h1::meldungen.clear();
    POINT p = schirm(w, 5, 5);
    plHeadlessKlick(p.x, p.y);
    h1::pumpen();
    EXPECT_EQ(h1::nimm({0x400000b}), (std::vector<Meldung>{{0x400000b, static_cast<LPARAM>(w), false}}));
}

TEST_F(Show, SeveralLinesWithWordWrap)
{
    HWND w = kind("ORVASHOW", "T", 0x40 | 1, 10, 10, 80, 80, 11);
    SetWindowText(w, "eins zwei drei vier fuenf sechs");
    RECT r = h1::tinte(h1::bild(w), SCHWARZ, 1);
    EXPECT_GT(r.bottom - r.top, 30);  // more than one line
    EXPECT_LE(r.right, 79);
}

// ---- The test template --------------------------------------------------------------------------

INT_PTR CALLBACK probeProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

TEST_F(Show, TemplateHoldsEveryClassWithItsCreationText)
{
    HMODULE modul = LoadLibrary("ctlh1");
    ASSERT_NE(modul, 0u);
    HWND d = CreateDialogParam(modul, "ctlprobe", eltern, probeProc, 0);
    ASSERT_NE(d, 0u);
    const struct {
        int id;
        const char* klasse;
        const char* text;
    } soll[] = {
        {7, "ORVADISP", ""},          {11, "ORVASHOW", "Befehl (ZB):"}, {12, "ORVASHOW", ""},
        {13, "ORVASHOW", "0"},        {21, "ORVAGRBU", "&Speichern"},   {22, "ORVAGRBU", "Abbrechen"},
        {31, "ORVAMKAL", ""},         {41, "ORVASLDR", "2 50 50"},
    };
    for (const auto& s : soll) {
        SCOPED_TRACE(s.id);
        HWND k = GetDlgItem(d, s.id);
        ASSERT_NE(k, 0u);
        char klasse[32];
        GetClassName(k, klasse, sizeof klasse);
        EXPECT_STREQ(klasse, s.klasse);
        if (s.id != 31) {
            EXPECT_EQ(h1::text(k), s.text);
        }
    }
    SetDlgItemText(d, 12, "1");
    EXPECT_EQ(h1::text(GetDlgItem(d, 12)), "1");
    DestroyWindow(d);
    FreeLibrary(modul);
}

}  // namespace
