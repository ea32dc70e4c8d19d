// The edit field as a window on the headless backend: creation texts from a
// template, set and get text, focus conversions, and editing by injected
// keys, characters and mouse, watched through a recording parent.
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "controls/orvaedit.h"
#include "platform/dialog.h"
#include "platform/fehlersim.h"
#include "platform/gdi.h"
#include "platform/globalmem.h"
#include "platform/ressource.h"
#include "platform/zwischenablage.h"
#include "tests/controls/ctlh1_pruef.h"
#include "winlib/winbib.h"

namespace {

using h1::Meldung;

class Edit : public h1::Fixture {
protected:
    std::string altesLcAll;
    bool hatteLcAll = false;

    void SetUp() override
    {
        // the separators of a comma locale: ',' decimal, '.' thousands
        const char* alt = std::getenv("LC_ALL");
        hatteLcAll = alt != nullptr;
        if (alt) altesLcAll = alt;
        setenv("LC_ALL", "de_DE.UTF-8", 1);
        wiLokaleNeu();
        h1::Fixture::SetUp();
        ctlEditKlasseAnmelden();  // a second registration does nothing
        plClipEnde();
    }
    void TearDown() override
    {
        h1::Fixture::TearDown();
        plClipEnde();
        if (hatteLcAll) setenv("LC_ALL", altesLcAll.c_str(), 1);
        else unsetenv("LC_ALL");
        wiLokaleNeu();
    }

    HWND feld(const char* text, DWORD stil = 0, int id = 5, int breite = 200)
    {
        return kind("ORVAEDIT", text, stil, 10, 10, breite, 20, id);
    }
    static void sag(HWND w, const std::string& text) { SetWindowText(w, text.c_str()); }
    static std::string gezeigt(HWND w)
    {
        std::string s = edtFeldWert(w);
        size_t a = s.find_first_not_of(' ');
        if (a == std::string::npos) return "";
        return s.substr(a, s.find_last_not_of(' ') - a + 1);
    }
    void fokus(HWND w)
    {
        SetFocus(w);
        h1::pumpen();
    }
    static void taste(UINT vk, UINT mit = 0)
    {
        if (mit) plHeadlessTasteRunter(mit);
        plHeadlessTaste(vk);
        if (mit) plHeadlessTasteHoch(mit);
    }
    static void tippen(const char* text)
    {
        plHeadlessText(text);
        h1::pumpen();
    }
    static void zeichen(unsigned char c)
    {
        plEingabeEreignis e{};
        e.art = plEreignisArt::Zeichen;
        e.zeichen = c;
        plEingabeEreignisEinreihen(e);
    }
    void ablageSetzen(const char* text)
    {
        ASSERT_TRUE(OpenClipboard(eltern));
        EmptyClipboard();
        SetClipboardData(CF_TEXT, plGlobalAus(text, std::strlen(text) + 1));
        CloseClipboard();
    }
    std::string ablage()
    {
        std::string s;
        if (!OpenClipboard(eltern)) return s;
        HANDLE h = GetClipboardData(CF_TEXT);
        const char* p = h ? static_cast<const char*>(GlobalLock(h)) : nullptr;
        if (p) s = p;
        if (h) GlobalUnlock(h);
        CloseClipboard();
        return s;
    }
    static int zeichenBreite() { return ctlZellenMessen(ctlSchrift(1), 100, 20, 200).breite; }
    // Edit-style notifications of field 5 with its handle.
    static Meldung gesendet(HWND w, int code) { return Meldung{ctlMeldungsWort(5, code), static_cast<LPARAM>(w), false}; }
    static Meldung gepostet(int befehl, int schritt)
    {
        return Meldung{static_cast<WPARAM>(befehl), static_cast<LPARAM>(schritt), true};
    }
};

INT_PTR probeProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

TEST_F(Edit, CreationTextsOfTheTemplate)
{
    HMODULE modul = LoadLibrary("ctlh2");
    ASSERT_NE(modul, 0u);
    HWND dlg = CreateDialog(modul, "edtprobe", eltern, probeProc);
    ASSERT_NE(dlg, 0u);
    struct Fall {
        int id;
        const char* gezeigt;
        int laenge;  // characters of the value, -1: the field's visible width
        const char* text;
    };
    const Fall faelle[] = {
        {101, "", -1, ""},
        {102, "", 200, ""},
        {103, "Wert", 40, "Wert"},
        {104, "00.00.0000", 10, "00.00.0000"},
        {105, "00:00", 5, "00:00"},
        {106, "", -1, ""},
        {107, "0,0", -1, "0.0"},
        {108, "0", -1, "0"},
        {109, "", -1, ""},
        {110, "1.234,50", 200, "1234.50"},  // "-H300" is held to 200
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.id);
        HWND w = GetDlgItem(dlg, f.id);
        ASSERT_NE(w, 0u);
        EXPECT_EQ(gezeigt(w), f.gezeigt);
        if (f.laenge >= 0) {
            EXPECT_EQ(static_cast<int>(edtFeldWert(w).size()), f.laenge);
        }
        EXPECT_EQ(h1::text(w), f.text);
    }
    // without "-H" the length is the visible width
    RECT r;
    GetClientRect(GetDlgItem(dlg, 101), &r);
    EXPECT_EQ(static_cast<int>(edtFeldWert(GetDlgItem(dlg, 101)).size()), (r.right - 8) / zeichenBreite());
    DestroyWindow(dlg);
    FreeLibrary(modul);
}

TEST_F(Edit, SetTextShowsTheDisplayFormAndGetTextThePlainForm)
{
    struct Fall {
        const char* anlage;
        const char* setzen;
        const char* gezeigt;
        const char* text;
    };
    const Fall faelle[] = {
        {"2-H12", "1234.5", "1.234,50", "1234.50"},
        {"9-H8", "2.500", "2,5", "2.5"},
        {"9-H8", "3.000", "3", "3"},
        {"2-H6", "123456", "123456,00", "123456.00"},  // wider than the field: no digit lost
        {"N-H8", "1.25", "1,25", "1.25"},              // two decimals taken from the text
        {"0-H8", "-12.7", "-13", "-13"},
        {"d-H10", "01.02.2024", "01.02.2024", "2024-02-01"},
        {"-H3", "abcdef", "abc", "abc"},
        {"D", "24.12.2024", "24.12.2024", "24.12.2024"},
        {"H", "7", "70:00", "70:00"},  // a set text is taken as it is
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(std::string(f.anlage) + " <- " + f.setzen);
        HWND w = feld(f.anlage);
        sag(w, f.setzen);
        EXPECT_EQ(gezeigt(w), f.gezeigt);
        EXPECT_EQ(h1::text(w), f.text);
        EXPECT_EQ(GetWindowTextLength(w), static_cast<int>(std::strlen(f.text)));
        DestroyWindow(w);
    }
    HWND w = feld("2-H12=1234.5");
    char kurz[5];
    EXPECT_EQ(GetWindowText(w, kurz, sizeof kurz), 4);
    EXPECT_STREQ(kurz, "1234");
    // an automatic kind follows each new text
    HWND n = feld("N-H8");
    sag(n, "1.25");
    sag(n, "7");
    EXPECT_EQ(h1::text(n), "7");
}

// A wider font given after creation: a number is laid out for the cells the
// field now shows, so its last digits stay in view; a text keeps its length.
TEST_F(Edit, ANewFontRefitsANumberToTheVisibleCells)
{
    HFONT breit = CreateFont(-18, 0, 0, 0, 0, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "DejaVu Sans");
    const int vorher = ctlZellenMessen(ctlSchrift(1), 80, 20, 200).sichtbar;
    const int nachher = ctlZellenMessen(breit, 80, 20, 200).sichtbar;
    ASSERT_LT(nachher, vorher);
    HWND zahl = kind("ORVAEDIT", "2", 0, 10, 10, 80, 20, 5);
    HWND text = kind("ORVAEDIT", "T=abcdefghijklmnopq", 0, 10, 40, 80, 20, 6);
    const size_t textVorher = edtFeldWert(text).size();
    SendMessage(zahl, WM_SETFONT, static_cast<WPARAM>(breit), 0);
    SendMessage(text, WM_SETFONT, static_cast<WPARAM>(breit), 0);
    sag(zahl, "58.00");
    EXPECT_EQ(static_cast<int>(edtFeldWert(zahl).size()), nachher);
    EXPECT_EQ(gezeigt(zahl), "58,00");
    EXPECT_EQ(h1::text(zahl), "58.00");
    EXPECT_EQ(edtFeldWert(text).size(), textVorher);
    DestroyWindow(zahl);
    DestroyWindow(text);
    DeleteObject(breit);
}

TEST_F(Edit, FocusLossNormalisesWhatWasTyped)
{
    struct Fall {
        const char* anlage;
        const char* getippt;
        const char* bearbeitet;
        const char* danach;
    };
    const Fall faelle[] = {
        {"D", "31022024", "31.02.2024", "29.02.2024"},  // the mask skips its literals
        {"D", "", "00.00.0000", "00.00.0000"},
        {"H", "2570", "25:70", "24:00"},
        {"H", "1275", "12:75", "12:59"},
        {"2-H10", "1234,5", "1234,5", "1.234,50"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(std::string(f.anlage) + " " + f.getippt);
        HWND w = feld(f.anlage);
        fokus(w);
        tippen(f.getippt);
        EXPECT_EQ(gezeigt(w), f.bearbeitet);
        fokus(eltern);
        EXPECT_EQ(gezeigt(w), f.danach);
        DestroyWindow(w);
    }
}

TEST_F(Edit, ZeroBlankEmptiesAZeroWhileEditing)
{
    HWND w = feld("2-Z-H8=0");
    EXPECT_EQ(gezeigt(w), "0,00");
    fokus(w);
    EXPECT_EQ(gezeigt(w), "");
    EXPECT_EQ(h1::text(w), "0.00");
    fokus(eltern);
    EXPECT_EQ(gezeigt(w), "0,00");
    HWND ohne = feld("2-H8=0", 0, 6);
    fokus(ohne);
    EXPECT_EQ(gezeigt(ohne), "0,00");
}

TEST_F(Edit, TypingIntoAFullFieldIsIgnoredAndEditsAreReported)
{
    HWND w = feld("-H3");
    fokus(w);
    tippen("abcd");
    EXPECT_EQ(gezeigt(w), "abc");
    taste(VK_HOME);
    tippen("x");
    EXPECT_EQ(gezeigt(w), "abc");
    fokus(eltern);
    const std::vector<Meldung> soll = {gesendet(w, CTLFOKUSEIN),   gesendet(w, CTLBEARBEITET), gesendet(w, CTLBEARBEITET),
                                       gesendet(w, CTLBEARBEITET), gesendet(w, CTLGEAENDERT),  gesendet(w, CTLFOKUSAUS)};
    EXPECT_EQ(h1::nimm(), soll);
}

TEST_F(Edit, ReadOnlyFieldOnlyCopies)
{
    HWND w = feld("-H10=abc");
    sag(w, "\x1br 1");
    ablageSetzen("zzz");
    fokus(w);  // selects everything
    h1::nimm();
    tippen("x");
    taste(VK_BACK);
    taste(VK_DELETE);
    taste('X', VK_CONTROL);
    taste(VK_DELETE, VK_SHIFT);
    taste('V', VK_CONTROL);
    taste(VK_INSERT, VK_SHIFT);
    h1::pumpen();
    EXPECT_EQ(gezeigt(w), "abc");
    EXPECT_EQ(ablage(), "zzz");
    taste('C', VK_CONTROL);
    h1::pumpen();
    EXPECT_EQ(ablage(), "abc");
    EXPECT_TRUE(h1::nimm().empty());
}

TEST_F(Edit, ClipboardKeys)
{
    HWND w = feld("-H10=abc");
    fokus(w);
    taste('X', VK_CONTROL);  // cut the whole text
    h1::pumpen();
    EXPECT_EQ(gezeigt(w), "");
    EXPECT_EQ(ablage(), "abc");
    taste('V', VK_CONTROL);
    taste(VK_INSERT, VK_SHIFT);
    h1::pumpen();
    EXPECT_EQ(gezeigt(w), "abcabc");
    taste(VK_HOME, VK_SHIFT);
    taste(VK_INSERT, VK_CONTROL);  // copy
    h1::pumpen();
    EXPECT_EQ(ablage(), "abcabc");
}

TEST_F(Edit, KeysPostTheTabStepAndSideCommands)
{
    struct Taste {
        UINT vk;
        UINT mit;
    };
    struct Fall {
        const char* name;
        bool schritt;
        std::vector<Taste> tasten;
        std::vector<Meldung> soll;
    };
    const std::vector<Fall> faelle = {
        {"Tab and Shift+Tab", true, {{VK_TAB, 0}, {VK_TAB, VK_SHIFT}}, {gepostet(900, 1), gepostet(900, -1)}},
        {"Up, Down, Page Up, Page Down step",
         true,
         {{VK_UP, 0}, {VK_DOWN, 0}, {VK_PRIOR, 0}, {VK_NEXT, 0}},
         {gepostet(901, -1), gepostet(901, 1), gepostet(901, -10), gepostet(901, 10)}},
        {"Right at the end, Left at the start",
         true,
         {{VK_RIGHT, 0}, {VK_LEFT, 0}, {VK_HOME, 0}, {VK_LEFT, 0}},
         {gepostet(902, 1), gepostet(902, -1)}},
        {"without a step command: Up is Left, Page Down is Tab",
         false,
         {{VK_HOME, 0}, {VK_UP, 0}, {VK_NEXT, 0}},
         {gepostet(902, -1), gepostet(900, 1)}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        HWND w = feld("-H10=abc");
        sag(w, "\x1b" "c 900");
        if (f.schritt) sag(w, "\x1b" "C 901");
        sag(w, "\x1bl 902");
        fokus(w);
        h1::nimm();
        for (const Taste& t : f.tasten) taste(t.vk, t.mit);
        h1::pumpen();
        EXPECT_EQ(h1::nimm({900, 901, 902}), f.soll);
        EXPECT_EQ(gezeigt(w), "abc");
        DestroyWindow(w);
    }
}

TEST_F(Edit, ProgramTextSetWhileEditingSurvivesFocusLossOnlyWithStyle0x20)
{
    for (DWORD stil : {0x20u, 0u}) {
        SCOPED_TRACE(stil);
        HWND w = feld("-H10", stil);
        fokus(w);
        tippen("ab");
        sag(w, "XY");
        EXPECT_EQ(gezeigt(w), "XY");
        tippen("c");
        EXPECT_EQ(gezeigt(w), "XYc");
        fokus(eltern);
        EXPECT_EQ(gezeigt(w), stil ? "XY" : "XYc");
        // the kept text is used once
        fokus(w);
        taste(VK_END);
        tippen("d");
        fokus(eltern);
        EXPECT_EQ(gezeigt(w), stil ? "XYd" : "XYcd");
        DestroyWindow(w);
    }
}

TEST_F(Edit, CharactersTypedWithCtrlCountOnlyWithAlt)
{
    HWND w = feld("-H10");
    fokus(w);
    // Alt first, so that its release does not open the menu bar
    plHeadlessTasteRunter(VK_MENU);
    plHeadlessTasteRunter(VK_CONTROL);
    zeichen('@');
    plHeadlessTasteHoch(VK_CONTROL);
    plHeadlessTasteHoch(VK_MENU);
    plHeadlessTasteRunter(VK_CONTROL);
    zeichen('q');
    plHeadlessTasteHoch(VK_CONTROL);
    zeichen(0xE9);  // 'é' from an input method
    h1::pumpen();
    EXPECT_EQ(gezeigt(w), "@\xE9");
}

TEST_F(Edit, ContextMenuCommandsStayInsideTheField)
{
    HWND w = feld("-H10=abc");
    fokus(w);
    h1::nimm();
    // selection: the first item cuts
    taste(VK_APPS);
    taste(VK_DOWN);
    taste(VK_RETURN);
    h1::pumpen();
    EXPECT_EQ(gezeigt(w), "");
    EXPECT_EQ(ablage(), "abc");
    taste(VK_INSERT, VK_SHIFT);
    h1::pumpen();
    EXPECT_EQ(gezeigt(w), "abc");
    // right click; the last item selects all
    ablageSetzen("zzz");
    POINT p = schirm(w, 20, 10);
    plHeadlessKlick(p.x, p.y, 1);
    taste(VK_UP);
    taste(VK_RETURN);
    h1::pumpen();
    taste('C', VK_CONTROL);
    h1::pumpen();
    EXPECT_EQ(ablage(), "abc");
    for (const Meldung& m : h1::nimm()) {
        EXPECT_TRUE(LOWORD(m.wp) == 5) << m;  // no 2501..2505 reached the parent
    }
}

TEST_F(Edit, MouseSetsCaretAndSelection)
{
    HWND w = feld("-H20=abcdef");
    fokus(eltern);
    const int cb = zeichenBreite();
    auto spalte = [&](int n) { return schirm(w, 4 + n * cb + cb / 2, 10); };
    POINT a = spalte(1), b = spalte(4);
    plHeadlessZiehen(a.x, a.y, b.x, b.y);
    h1::pumpen();
    EXPECT_EQ(GetFocus(), w);
    taste('C', VK_CONTROL);
    h1::pumpen();
    EXPECT_EQ(ablage(), "bcd");
    // a click past the text puts the caret at its end
    POINT weit = spalte(15);
    plHeadlessKlick(weit.x, weit.y);
    h1::pumpen();
    tippen("g");
    EXPECT_EQ(gezeigt(w), "abcdefg");
    // a double click selects everything
    plHeadlessKlick(a.x, a.y);
    plHeadlessKlick(a.x, a.y);
    h1::pumpen();
    taste('C', VK_CONTROL);
    h1::pumpen();
    EXPECT_EQ(ablage(), "abcdefg");
}

TEST_F(Edit, PaintingSelectionCaretAndHiddenZero)
{
    HWND w = feld("-H10=abc");
    fokus(w);
    const CtlZellen z = ctlZellenMessen(ctlSchrift(1), 200, 20, 200);
    plCaretZustand c = plCaretAbfragen();
    EXPECT_EQ(c.fenster, w);
    EXPECT_TRUE(c.sichtbar);
    EXPECT_EQ(c.breite, 2);
    EXPECT_EQ(c.hoehe, z.hoehe + 3);
    EXPECT_EQ(c.pos.x, 4 + 3 * z.breite);
    EXPECT_EQ(c.pos.y, z.oben - 1);
    HideCaret(w);  // its pixels are not the selection's
    // white window inverted to black over exactly the three selected columns
    plBild bild = h1::bild(w);
    RECT schwarz = h1::tinte(bild, RGB(0, 0, 0));
    EXPECT_EQ(schwarz.left, 4);
    EXPECT_EQ(schwarz.right, 4 + 3 * z.breite);
    EXPECT_EQ(schwarz.top, z.oben);
    EXPECT_EQ(schwarz.bottom, 20 - z.oben);

    HWND null = feld("2-H8=0", 0x40, 6);
    EXPECT_EQ(h1::tinte(h1::bild(null), RGB(0, 0, 0)).right, 0);
    sag(null, "5");
    EXPECT_GT(h1::tinte(h1::bild(null), RGB(0, 0, 0)).right, 0);
}

TEST_F(Edit, MaskFieldCaretIsOneCharacterWide)
{
    HWND w = feld("D");
    fokus(w);
    const CtlZellen z = ctlZellenMessen(ctlSchrift(1), 200, 20, 200);
    plCaretZustand c = plCaretAbfragen();
    EXPECT_EQ(c.breite, z.breite);
    EXPECT_EQ(c.pos.x, 4);
    tippen("12");
    EXPECT_EQ(plCaretAbfragen().pos.x, 4 + 3 * z.breite);  // past the '.'
}

TEST_F(Edit, CommandsKindLengthAndDialogCode)
{
    HWND w = feld("");
    EXPECT_EQ(SendMessage(w, WM_GETDLGCODE, 0, 0), 129);
    sag(w, "\x1bS 128");
    EXPECT_EQ(SendMessage(w, WM_GETDLGCODE, 0, 0), 131);
    sag(w, "\x1bM 999");
    EXPECT_EQ(edtFeldWert(w).size(), 200u);
    sag(w, "\x1bT F##-$$");
    EXPECT_EQ(edtFeldWert(w), "00-  ");
    sag(w, "\x1bT H");
    EXPECT_EQ(edtFeldWert(w), "00:00");
    sag(w, "\x1bT 1");
    sag(w, "2.25");
    EXPECT_EQ(h1::text(w), "2.3");
    sag(w, "\x1b" "B 1");  // outside 'C'..'v': nothing
    sag(w, "\x1bz 1");
    EXPECT_EQ(h1::text(w), "2.3");
}

TEST_F(Edit, AFailedStateAllocationFailsTheCreation)
{
    PlFehlerScope scope;
    plFehlerSetzen(PlFehlerArt::Speicher, 1);
    EXPECT_EQ(feld("-H10"), 0u);
    plFehlerAllesAus();
    HWND w = feld("-H10");
    EXPECT_NE(w, 0u);
}

}  // namespace
