// Tests of the EDIT control on the headless backend: typing and the change
// notifications, keyboard and mouse selection, the clipboard, undo, the
// limit, a 100,000-character multi-line text, code page 1252 characters and
// the style variants.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/globalmem.h"
#include "tests/platform/ctl_pruef.h"

using namespace ctlpruef;
using V = std::vector<std::string>;

namespace {

class Edit : public Fixture {
protected:
    HWND feld(DWORD stil, int b = 300, int h = 24, const char* t = "")
    {
        HWND e = kind("EDIT", stil | WS_BORDER, 10, 10, b, h, 50, t);
        SetFocus(e);
        plHeadlessPumpen();
        nimm();
        return e;
    }
    static std::pair<DWORD, DWORD> sel(HWND e)
    {
        DWORD a = 0, b = 0;
        SendMessage(e, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
        return {a, b};
    }
    static std::string ablage()
    {
        std::string s;
        if (!OpenClipboard(0)) return "<zu>";
        HANDLE g = GetClipboardData(CF_TEXT);
        if (g) {
            const char* p = static_cast<const char*>(GlobalLock(g));
            if (p) s = p;
            GlobalUnlock(g);
        }
        CloseClipboard();
        return s;
    }
    static void ablageSetzen(const char* t)
    {
        ASSERT_TRUE(OpenClipboard(0));
        EmptyClipboard();
        SetClipboardData(CF_TEXT, plGlobalAus(t, std::strlen(t) + 1));
        CloseClipboard();
    }
};

TEST_F(Edit, TypingNotifiesEachChangeAndSetTextIsToldApartByModifyFlag)
{
    HWND e = feld(ES_AUTOHSCROLL);
    plHeadlessText("Ab");
    plHeadlessPumpen();
    EXPECT_EQ(text(e), "Ab");
    EXPECT_EQ(nimm(), (V{"50:EN_UPDATE", "50:EN_CHANGE", "50:EN_UPDATE", "50:EN_CHANGE"}));
    EXPECT_TRUE(SendMessage(e, EM_GETMODIFY, 0, 0));
    EXPECT_EQ(sel(e), (std::pair<DWORD, DWORD>{2, 2}));

    SetWindowText(e, "neu");
    EXPECT_EQ(nimm(), (V{"50:EN_UPDATE", "50:EN_CHANGE"}));
    EXPECT_FALSE(SendMessage(e, EM_GETMODIFY, 0, 0));
    EXPECT_FALSE(SendMessage(e, EM_CANUNDO, 0, 0));
    EXPECT_EQ(sel(e), (std::pair<DWORD, DWORD>{0, 0}));

    SendMessage(e, EM_SETSEL, 0, -1);
    SendMessage(e, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("x"));
    EXPECT_EQ(text(e), "x");
    EXPECT_TRUE(SendMessage(e, EM_GETMODIFY, 0, 0));
    EXPECT_EQ(nimm(), (V{"50:EN_UPDATE", "50:EN_CHANGE"}));
}

TEST_F(Edit, ShiftArrowsSelectAndTypingReplacesTheSelection)
{
    HWND e = feld(ES_AUTOHSCROLL, 300, 24, "eins zwei drei");
    struct Fall {
        const char* was;
        std::function<void()> tun;
        DWORD a, b;
    } faelle[] = {
        {"End", [] { taste(VK_END); }, 14, 14},
        {"Shift+Left x3", [] { for (int i = 0; i < 3; ++i) mitTaste(VK_SHIFT, VK_LEFT); }, 11, 14},
        {"Shift+Home", [] { mitTaste(VK_SHIFT, VK_HOME); }, 0, 14},
        {"Left collapses to the start", [] { taste(VK_LEFT); }, 0, 0},
        {"Ctrl+Right jumps a word", [] { mitTaste(VK_CONTROL, VK_RIGHT); }, 5, 5},
        {"Shift+Ctrl+Right selects a word",
         [] {
             plHeadlessTasteRunter(VK_SHIFT);
             mitTaste(VK_CONTROL, VK_RIGHT);
             plHeadlessTasteHoch(VK_SHIFT);
             plHeadlessPumpen();
         },
         5, 10},
    };
    for (auto& f : faelle) {
        f.tun();
        EXPECT_EQ(sel(e), (std::pair<DWORD, DWORD>{f.a, f.b})) << f.was;
    }
    plHeadlessText("X");
    plHeadlessPumpen();
    EXPECT_EQ(text(e), "eins Xdrei");
}

TEST_F(Edit, MouseDragSelectsAndShiftClickExtends)
{
    HWND e = feld(ES_AUTOHSCROLL, 300, 24, "abcdefgh");
    auto x = [e](int pos) { return LOWORD(SendMessage(e, EM_POSFROMCHAR, static_cast<WPARAM>(pos), 0)); };
    int y = HIWORD(SendMessage(e, EM_POSFROMCHAR, 0, 0)) + 3;
    POINT a = plHeadlessPunkt(e, x(1) + 1, y), b = plHeadlessPunkt(e, x(5) + 1, y);
    plHeadlessZiehen(a.x, a.y, b.x, b.y);
    plHeadlessPumpen();
    EXPECT_EQ(sel(e), (std::pair<DWORD, DWORD>{1, 5}));
    EXPECT_EQ(GetCapture(), 0u);

    POINT c = plHeadlessPunkt(e, x(7) + 1, y);
    plHeadlessTasteRunter(VK_SHIFT);
    plHeadlessKlick(c.x, c.y);
    plHeadlessTasteHoch(VK_SHIFT);
    plHeadlessPumpen();
    EXPECT_EQ(sel(e), (std::pair<DWORD, DWORD>{1, 7}));
}

TEST_F(Edit, CutCopyPasteThroughTheClipboard)
{
    HWND e = feld(ES_AUTOHSCROLL, 300, 24, "abcdef");
    SendMessage(e, EM_SETSEL, 3, 6);
    mitTaste(VK_CONTROL, 'X');
    EXPECT_EQ(text(e), "abc");
    EXPECT_EQ(ablage(), "def");
    taste(VK_HOME);
    mitTaste(VK_CONTROL, 'V');
    EXPECT_EQ(text(e), "defabc");
    SendMessage(e, EM_SETSEL, 0, 2);
    mitTaste(VK_CONTROL, 'C');
    EXPECT_EQ(text(e), "defabc");
    EXPECT_EQ(ablage(), "de");
    // Shift+Insert pastes, Ctrl+Insert copies, Shift+Delete cuts.
    SendMessage(e, EM_SETSEL, 6, 6);
    mitTaste(VK_SHIFT, VK_INSERT);
    EXPECT_EQ(text(e), "defabcde");
    SendMessage(e, EM_SETSEL, 0, 3);
    mitTaste(VK_SHIFT, VK_DELETE);
    EXPECT_EQ(text(e), "abcde");
    EXPECT_EQ(ablage(), "def");

    // A single-line field takes a pasted text up to its first line break.
    ablageSetzen("eins\r\nzwei");
    SetWindowText(e, "");
    SendMessage(e, WM_PASTE, 0, 0);
    EXPECT_EQ(text(e), "eins");
}

TEST_F(Edit, PasswordFieldsShowStarsAndNeverCopy)
{
    HWND e = feld(ES_PASSWORD | ES_AUTOHSCROLL, 300, 24, "geheim");
    EXPECT_EQ(SendMessage(e, EM_GETPASSWORDCHAR, 0, 0), '*');
    ablageSetzen("vorher");
    SendMessage(e, EM_SETSEL, 0, -1);
    SendMessage(e, WM_COPY, 0, 0);
    SendMessage(e, WM_CUT, 0, 0);
    EXPECT_EQ(ablage(), "vorher");
    EXPECT_EQ(text(e), "geheim");
}

TEST_F(Edit, UndoReturnsToTheTextBeforeARunOfTypingAndRedoes)
{
    HWND e = feld(ES_AUTOHSCROLL, 300, 24, "Start");
    taste(VK_END);
    plHeadlessText(" plus");
    plHeadlessPumpen();
    EXPECT_EQ(text(e), "Start plus");
    EXPECT_TRUE(SendMessage(e, EM_CANUNDO, 0, 0));
    mitTaste(VK_CONTROL, 'Z');
    EXPECT_EQ(text(e), "Start");
    EXPECT_TRUE(SendMessage(e, EM_GETMODIFY, 0, 0));
    SendMessage(e, EM_UNDO, 0, 0);
    EXPECT_EQ(text(e), "Start plus");
    // A deletion is a change of its own.
    taste(VK_BACK);
    SendMessage(e, WM_UNDO, 0, 0);
    EXPECT_EQ(text(e), "Start plus");
    SendMessage(e, EM_EMPTYUNDOBUFFER, 0, 0);
    EXPECT_FALSE(SendMessage(e, EM_CANUNDO, 0, 0));
}

TEST_F(Edit, LimitCutsTypedPastedAndReplacedTextWithMaxTextNotification)
{
    HWND e = feld(ES_AUTOHSCROLL);
    SendMessage(e, EM_LIMITTEXT, 5, 0);
    EXPECT_EQ(SendMessage(e, EM_GETLIMITTEXT, 0, 0), 5);
    plHeadlessText("abcdef");
    plHeadlessPumpen();
    EXPECT_EQ(text(e), "abcde");
    V m = nimm();
    ASSERT_FALSE(m.empty());
    EXPECT_EQ(m.back(), "50:EN_MAXTEXT");

    SendMessage(e, EM_SETSEL, 4, 5);
    ablageSetzen("XYZ");
    SendMessage(e, WM_PASTE, 0, 0);
    EXPECT_EQ(text(e), "abcdX");
    EXPECT_EQ(nimm(), (V{"50:EN_MAXTEXT", "50:EN_UPDATE", "50:EN_CHANGE"}));

    // WM_SETTEXT is not bounded; typing at the end then is refused.
    SetWindowText(e, "1234567");
    EXPECT_EQ(text(e), "1234567");
    nimm();
    taste(VK_END);
    plHeadlessText("8");
    plHeadlessPumpen();
    EXPECT_EQ(text(e), "1234567");
    EXPECT_EQ(nimm(), (V{"50:EN_MAXTEXT"}));
}

TEST_F(Edit, NarrowFieldWithoutAutoScrollTakesOnlyWhatFits)
{
    HWND e = feld(0, 40, 24);
    plHeadlessText("abcdefghijklmnopqrstuvwxyz");
    plHeadlessPumpen();
    std::string t = text(e);
    EXPECT_GT(t.size(), 0u);
    EXPECT_LT(t.size(), 26u);
    EXPECT_EQ(nimm().back(), "50:EN_MAXTEXT");
}

TEST_F(Edit, MultiLineFieldWithoutVerticalScrollingTakesOnlyVisibleLines)
{
    HWND e = feld(ES_MULTILINE | ES_WANTRETURN | ES_AUTOHSCROLL, 200, 2 * 16 + 4);
    int zeilen = static_cast<int>(SendMessage(e, EM_GETLINECOUNT, 0, 0));
    ASSERT_EQ(zeilen, 1);
    plHeadlessText("a");
    for (int i = 0; i < 4; ++i) taste(VK_RETURN);
    plHeadlessText("b");
    plHeadlessPumpen();
    LRESULT n = SendMessage(e, EM_GETLINECOUNT, 0, 0);
    EXPECT_GE(n, 1);
    EXPECT_LT(n, 5);
    V m = nimm();
    EXPECT_NE(std::find(m.begin(), m.end(), "50:EN_MAXTEXT"), m.end());
}

TEST_F(Edit, RightAlignedSingleLineFieldStartsAtTheRight)
{
    HWND e = feld(ES_RIGHT | ES_AUTOHSCROLL, 200, 24, "42");
    EXPECT_GT(static_cast<short>(LOWORD(SendMessage(e, EM_POSFROMCHAR, 0, 0))), 150);
    HWND c = feld(ES_CENTER, 200, 24, "42");
    int x = static_cast<short>(LOWORD(SendMessage(c, EM_POSFROMCHAR, 0, 0)));
    EXPECT_GT(x, 70);
    EXPECT_LT(x, 100);
}

TEST_F(Edit, FormattingRectangleBoundsTheText)
{
    HWND e = feld(ES_MULTILINE, 300, 100, "eins zwei drei vier fuenf sechs");
    EXPECT_EQ(SendMessage(e, EM_GETLINECOUNT, 0, 0), 1);
    RECT r{10, 5, 60, 90};
    SendMessage(e, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&r));
    RECT aus{};
    SendMessage(e, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&aus));
    EXPECT_EQ(aus.left, 10);
    EXPECT_EQ(aus.right, 60);
    EXPECT_GT(SendMessage(e, EM_GETLINECOUNT, 0, 0), 2);
    EXPECT_EQ(static_cast<short>(LOWORD(SendMessage(e, EM_POSFROMCHAR, 0, 0))), 10);
    EXPECT_EQ(static_cast<short>(HIWORD(SendMessage(e, EM_POSFROMCHAR, 0, 0))), 5);
    SendMessage(e, EM_SETRECT, 0, 0);
    EXPECT_EQ(SendMessage(e, EM_GETLINECOUNT, 0, 0), 1);
}

TEST_F(Edit, HundredThousandCharacterMultiLineText)
{
    HWND e = feld(ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL, 300, 200);
    std::string gross;
    gross.reserve(100000);
    char zeile[16];
    for (int i = 0; i < 10000; ++i) {
        std::snprintf(zeile, sizeof zeile, "%08d\r\n", i);
        gross += zeile;
    }
    ASSERT_EQ(gross.size(), 100000u);
    SetWindowText(e, gross.c_str());
    EXPECT_EQ(GetWindowTextLength(e), 100000);
    EXPECT_EQ(SendMessage(e, EM_GETLINECOUNT, 0, 0), 10001);
    EXPECT_EQ(SendMessage(e, EM_LINEINDEX, 5000, 0), 50000);
    EXPECT_EQ(SendMessage(e, EM_LINELENGTH, 50003, 0), 8);
    EXPECT_EQ(SendMessage(e, EM_LINEFROMCHAR, 99999, 0), 9999);
    EXPECT_EQ(SendMessage(e, EM_LINEINDEX, 10001, 0), -1);
    char buf[32] = {};
    *reinterpret_cast<WORD*>(buf) = sizeof buf - 1;
    EXPECT_EQ(SendMessage(e, EM_GETLINE, 9999, reinterpret_cast<LPARAM>(buf)), 8);
    EXPECT_STREQ(buf, "00009999");

    mitTaste(VK_CONTROL, VK_END);
    EXPECT_EQ(sel(e), (std::pair<DWORD, DWORD>{100000, 100000}));
    EXPECT_GT(SendMessage(e, EM_GETFIRSTVISIBLELINE, 0, 0), 9980);
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(e, SB_VERT, &si));
    EXPECT_EQ(si.nMax, 10000);
    EXPECT_EQ(si.nPos, SendMessage(e, EM_GETFIRSTVISIBLELINE, 0, 0));

    // The default limit is below the text: typing is refused until raised.
    nimm();
    plHeadlessText("x");
    plHeadlessPumpen();
    EXPECT_EQ(nimm(), (V{"50:EN_MAXTEXT"}));
    SendMessage(e, EM_LIMITTEXT, 0, 0);
    plHeadlessText("x");
    taste(VK_RETURN);
    EXPECT_EQ(GetWindowTextLength(e), 100003);
    EXPECT_EQ(SendMessage(e, EM_GETLINECOUNT, 0, 0), 10002);
    mitTaste(VK_CONTROL, VK_HOME);
    EXPECT_EQ(SendMessage(e, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
}

TEST_F(Edit, MultiLineKeysKeepTheColumnAndLongLinesWrap)
{
    HWND e = feld(ES_MULTILINE | ES_WANTRETURN | ES_AUTOHSCROLL, 300, 120);
    plHeadlessText("abcdef");
    taste(VK_RETURN);
    plHeadlessText("xy");
    taste(VK_RETURN);
    plHeadlessText("123456");
    plHeadlessPumpen();
    EXPECT_EQ(text(e), "abcdef\r\nxy\r\n123456");
    EXPECT_EQ(SendMessage(e, EM_GETLINECOUNT, 0, 0), 3);
    taste(VK_UP);  // column 6 does not exist on "xy": end of line
    EXPECT_EQ(sel(e).first, 10u);
    taste(VK_UP);  // back to column 6 of the first line
    EXPECT_EQ(sel(e).first, 6u);
    taste(VK_RIGHT);  // CR LF is one step
    EXPECT_EQ(sel(e).first, 8u);
    taste(VK_BACK);
    EXPECT_EQ(text(e), "abcdefxy\r\n123456");

    // Without ES_AUTOHSCROLL a long line wraps at blanks.
    HWND w = kind("EDIT", ES_MULTILINE | WS_BORDER, 10, 200, 120, 200, 51);
    SetWindowText(w, "Ein langer Satz aus vielen kurzen Woertern, der nicht in eine Zeile passt");
    LRESULT zeilen = SendMessage(w, EM_GETLINECOUNT, 0, 0);
    EXPECT_GT(zeilen, 2);
    for (LRESULT i = 1; i < zeilen; ++i) {
        LRESULT anf = SendMessage(w, EM_LINEINDEX, static_cast<WPARAM>(i), 0);
        std::string t = text(w);
        EXPECT_EQ(t[static_cast<size_t>(anf) - 1], ' ') << "line " << i << " starts after a blank";
    }
}

TEST_F(Edit, CodePage1252CharactersSurviveTypingAndTheClipboard)
{
    HWND e = feld(ES_AUTOHSCROLL);
    plHeadlessText("Ma\xDF: 5 \x80, \xE4");
    plHeadlessPumpen();
    EXPECT_EQ(text(e), "Ma\xDF: 5 \x80, \xE4");
    SendMessage(e, EM_SETSEL, 0, -1);
    mitTaste(VK_CONTROL, 'C');
    EXPECT_EQ(ablage(), "Ma\xDF: 5 \x80, \xE4");

    HWND gross = kind("EDIT", ES_AUTOHSCROLL | ES_UPPERCASE | WS_BORDER, 10, 50, 300, 24, 52);
    SetFocus(gross);
    mitTaste(VK_CONTROL, 'V');
    EXPECT_EQ(text(gross), "MA\xDF: 5 \x80, \xC4");  // ß has no capital in 1252; ä becomes Ä
}

TEST_F(Edit, StylesRefuseWhatTheyForbid)
{
    HWND zahl = feld(ES_NUMBER | ES_AUTOHSCROLL);
    plHeadlessText("1a2-3");
    plHeadlessPumpen();
    EXPECT_EQ(text(zahl), "123");

    HWND lesen = feld(ES_READONLY | ES_AUTOHSCROLL, 300, 24, "fest");
    ablageSetzen("neu");
    plHeadlessText("x");
    taste(VK_BACK);
    SendMessage(lesen, WM_PASTE, 0, 0);
    EXPECT_EQ(text(lesen), "fest");
    mitTaste(VK_SHIFT, VK_END);
    mitTaste(VK_CONTROL, 'C');
    EXPECT_EQ(ablage(), "fest");
    SendMessage(lesen, EM_SETREADONLY, FALSE, 0);
    plHeadlessText("!");
    plHeadlessPumpen();
    EXPECT_EQ(text(lesen), "!");

    HWND klein = feld(ES_LOWERCASE | ES_AUTOHSCROLL);
    plHeadlessText("GROSS \xC4");
    plHeadlessPumpen();
    EXPECT_EQ(text(klein), "gross \xE4");
}

TEST_F(Edit, FocusNotificationsAndDialogCodes)
{
    HWND a = feld(ES_AUTOHSCROLL);
    HWND b = kind("EDIT", ES_MULTILINE | WS_BORDER, 10, 50, 200, 60, 60);
    SetFocus(b);
    plHeadlessPumpen();
    EXPECT_EQ(nimm(), (V{"50:EN_KILLFOCUS", "60:EN_SETFOCUS"}));
    EXPECT_TRUE(plCaretAbfragen().fenster == b);
    MSG enter{b, WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
    MSG tab{b, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    EXPECT_FALSE(SendMessage(b, WM_GETDLGCODE, 0, reinterpret_cast<LPARAM>(&enter)) & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE));
    EXPECT_FALSE(SendMessage(b, WM_GETDLGCODE, 0, reinterpret_cast<LPARAM>(&tab)) & DLGC_WANTALLKEYS);
    EXPECT_TRUE(SendMessage(b, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS);
    EXPECT_EQ(SendMessage(a, WM_GETDLGCODE, 0, 0), DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS);
}

}  // namespace
