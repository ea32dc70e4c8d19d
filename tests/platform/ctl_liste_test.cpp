// Tests of the LISTBOX control on the headless backend: owner draw (measure,
// draw with item data and states, delete, compare), the three selection
// modes by mouse and keys, the LB_ messages, keyboard hooks for the owner,
// multi-column layout, no-redraw, scrolling and DlgDirList.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/dateisys.h"
#include "tests/platform/ctl_pruef.h"

using namespace ctlpruef;
using V = std::vector<std::string>;

namespace {

class Liste : public Fixture {
protected:
    HWND liste(DWORD stil, int h = 200)
    {
        HWND l = kind("LISTBOX", stil | WS_BORDER, 10, 10, 200, h, 70);
        plHeadlessPumpen();
        nimm();
        return l;
    }
    static void fuellen(HWND l, int n)
    {
        for (int i = 0; i < n; ++i) {
            std::string t = "Eintrag " + std::to_string(i);
            SendMessage(l, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t.c_str()));
        }
        plHeadlessPumpen();
    }
    static std::vector<int> auswahl(HWND l)
    {
        int n = static_cast<int>(SendMessage(l, LB_GETSELCOUNT, 0, 0));
        std::vector<int> v(static_cast<size_t>(std::max(n, 0)));
        if (n > 0) SendMessage(l, LB_GETSELITEMS, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(v.data()));
        return v;
    }
    // Click in the middle of item i, with modifier keys held.
    static void itemKlick(HWND l, int i, std::initializer_list<UINT> tasten = {}, bool doppelt = false)
    {
        RECT r;
        ASSERT_NE(SendMessage(l, LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r)), LB_ERR);
        POINT p = plHeadlessPunkt(l, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
        for (UINT t : tasten) plHeadlessTasteRunter(t);
        plHeadlessKlick(p.x, p.y);
        if (doppelt) plHeadlessKlick(p.x, p.y);
        for (UINT t : tasten) plHeadlessTasteHoch(t);
        plHeadlessPumpen();
    }
};

TEST_F(Liste, OwnerDrawFixedMeasuresOnceAndDrawsItemsWithTheirDataAndStates)
{
    messHoehe = 18;
    HWND l = liste(LBS_OWNERDRAWFIXED | LBS_NOTIFY);
    ASSERT_EQ(gemessen.size(), 1u);
    EXPECT_EQ(gemessen[0].art, static_cast<UINT>(ODT_LISTBOX));
    EXPECT_EQ(gemessen[0].id, 70u);
    EXPECT_EQ(gemessen[0].item, 0u);
    const ULONG_PTR daten[] = {0xA1, 0xB2, 0xC3};
    for (ULONG_PTR d : daten) SendMessage(l, LB_ADDSTRING, 0, static_cast<LPARAM>(d));
    EXPECT_EQ(SendMessage(l, LB_GETITEMDATA, 1, 0), 0xB2);
    gezeichnet.clear();
    plHeadlessPumpen();
    ASSERT_EQ(gezeichnet.size(), 3u);
    for (UINT i = 0; i < 3; ++i) {
        const Gezeichnet& g = gezeichnet[i];
        EXPECT_EQ(g.art, static_cast<UINT>(ODT_LISTBOX));
        EXPECT_EQ(g.item, i);
        EXPECT_EQ(g.aktion, static_cast<UINT>(ODA_DRAWENTIRE));
        EXPECT_EQ(g.daten, daten[i]);
        EXPECT_EQ(g.zustand, 0u);
        EXPECT_EQ(g.rc.top, static_cast<LONG>(i * 18));
        EXPECT_EQ(g.rc.bottom - g.rc.top, 18);
    }

    // Focus and a click: the item is drawn selected with the focus.
    SetFocus(l);
    plHeadlessPumpen();
    gezeichnet.clear();
    itemKlick(l, 2);
    EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 2);
    auto it = std::find_if(gezeichnet.begin(), gezeichnet.end(),
                           [](const Gezeichnet& g) { return g.item == 2 && g.aktion == ODA_SELECT; });
    ASSERT_NE(it, gezeichnet.end());
    EXPECT_EQ(it->zustand, static_cast<UINT>(ODS_SELECTED | ODS_FOCUS));
    EXPECT_EQ(it->daten, 0xC3u);
    EXPECT_EQ(nimm(), (V{"70:LBN_SETFOCUS", "70:LBN_SELCHANGE"}));

    // Items of an owner-drawn box are reported when removed.
    SendMessage(l, LB_DELETESTRING, 0, 0);
    SendMessage(l, LB_RESETCONTENT, 0, 0);
    EXPECT_EQ(geloescht, (std::vector<ULONG_PTR>{0xA1, 0xB2, 0xC3}));
}

TEST_F(Liste, OwnerDrawVariableMeasuresEachItemAndLaysThemOut)
{
    // With strings the item data of WM_MEASUREITEM points to the text while
    // the message lasts.
    std::vector<std::string> texteGesehen;
    eingriff = [&texteGesehen](UINT msg, WPARAM, LPARAM lp) -> LRESULT {
        if (msg == WM_MEASUREITEM)
            texteGesehen.push_back(reinterpret_cast<const char*>(reinterpret_cast<MEASUREITEMSTRUCT*>(lp)->itemData));
        return -12345;
    };
    HWND l = liste(LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS);
    EXPECT_TRUE(gemessen.empty());
    const char* texte[] = {"kurz", "hoch", "mittel"};
    UINT hoehen[] = {12, 40, 25};
    for (int i = 0; i < 3; ++i) {
        messHoehe = hoehen[i];
        SendMessage(l, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(texte[i]));
    }
    ASSERT_EQ(gemessen.size(), 3u);
    for (UINT i = 0; i < 3; ++i) EXPECT_EQ(gemessen[i].item, i);
    EXPECT_EQ(texteGesehen, (V{"kurz", "hoch", "mittel"}));
    RECT r;
    SendMessage(l, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.top, 52);
    EXPECT_EQ(r.bottom, 77);
    EXPECT_EQ(SendMessage(l, LB_GETITEMHEIGHT, 1, 0), 40);
    char buf[16];
    EXPECT_EQ(SendMessage(l, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(buf)), 4);
    EXPECT_STREQ(buf, "hoch");
}

TEST_F(Liste, SortedItemsWithoutStringsAreOrderedByTheOwner)
{
    eingriff = [](UINT msg, WPARAM, LPARAM lp) -> LRESULT {
        if (msg != WM_COMPAREITEM) return -12345;
        auto* ci = reinterpret_cast<COMPAREITEMSTRUCT*>(lp);
        return ci->itemData1 < ci->itemData2 ? -1 : ci->itemData1 > ci->itemData2 ? 1 : 0;
    };
    HWND l = liste(LBS_OWNERDRAWFIXED | LBS_SORT);
    for (ULONG_PTR d : {30, 10, 20, 10}) SendMessage(l, LB_ADDSTRING, 0, static_cast<LPARAM>(d));
    std::vector<LRESULT> v;
    for (int i = 0; i < 4; ++i) v.push_back(SendMessage(l, LB_GETITEMDATA, static_cast<WPARAM>(i), 0));
    EXPECT_EQ(v, (std::vector<LRESULT>{10, 10, 20, 30}));
    EXPECT_EQ(SendMessage(l, LB_FINDSTRING, static_cast<WPARAM>(-1), 20), 2);
}

TEST_F(Liste, ExtendedSelectionByShiftAndCtrlClicks)
{
    HWND l = liste(LBS_EXTENDEDSEL | LBS_NOTIFY);
    fuellen(l, 10);
    struct Fall {
        int item;
        std::initializer_list<UINT> tasten;
        std::vector<int> erwartet;
    } faelle[] = {
        {2, {}, {2}},
        {5, {VK_SHIFT}, {2, 3, 4, 5}},
        {8, {VK_CONTROL}, {2, 3, 4, 5, 8}},
        {3, {VK_CONTROL}, {2, 4, 5, 8}},
        {6, {VK_SHIFT}, {3, 4, 5, 6}},  // anchor moved to 3 by the Ctrl+click
        {9, {VK_SHIFT, VK_CONTROL}, {3, 4, 5, 6, 7, 8, 9}},
        {1, {}, {1}},
    };
    for (auto& f : faelle) {
        itemKlick(l, f.item, f.tasten);
        EXPECT_EQ(auswahl(l), f.erwartet) << "click on " << f.item;
        EXPECT_EQ(SendMessage(l, LB_GETCARETINDEX, 0, 0), f.item);
    }
    V m = nimm();
    EXPECT_EQ(std::count(m.begin(), m.end(), "70:LBN_SELCHANGE"), 7);

    // Shift with the arrow keys extends from the anchor.
    mitTaste(VK_SHIFT, VK_DOWN);
    mitTaste(VK_SHIFT, VK_DOWN);
    EXPECT_EQ(auswahl(l), (std::vector<int>{1, 2, 3}));
    taste(VK_DOWN);
    EXPECT_EQ(auswahl(l), (std::vector<int>{4}));
}

TEST_F(Liste, MultipleSelectionTogglesWithClicksAndSpace)
{
    HWND l = liste(LBS_MULTIPLESEL | LBS_NOTIFY);
    fuellen(l, 6);
    itemKlick(l, 1);
    itemKlick(l, 4);
    itemKlick(l, 1);
    EXPECT_EQ(auswahl(l), (std::vector<int>{4}));
    taste(VK_DOWN);  // the caret moves, the selection stays
    EXPECT_EQ(auswahl(l), (std::vector<int>{4}));
    taste(VK_SPACE);
    EXPECT_EQ(auswahl(l), (std::vector<int>{2, 4}));
    EXPECT_EQ(SendMessage(l, LB_SETCURSEL, 1, 0), LB_ERR);
    SendMessage(l, LB_SETSEL, TRUE, -1);
    EXPECT_EQ(SendMessage(l, LB_GETSELCOUNT, 0, 0), 6);
    SendMessage(l, LB_SELITEMRANGEEX, 4, 1);
    EXPECT_EQ(auswahl(l), (std::vector<int>{0, 5}));
}

TEST_F(Liste, SingleSelectionNotifiesOnlyTheUsersChanges)
{
    HWND l = liste(LBS_NOTIFY);
    fuellen(l, 30);
    EXPECT_EQ(SendMessage(l, LB_SETCURSEL, 3, 0), 3);
    EXPECT_EQ(SendMessage(l, LB_SETCURSEL, static_cast<WPARAM>(-1), 0), LB_ERR);
    EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_TRUE(nimm().empty());
    SetFocus(l);
    taste(VK_DOWN);
    taste(VK_END);
    EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 29);
    EXPECT_GT(SendMessage(l, LB_GETTOPINDEX, 0, 0), 0);
    taste(VK_HOME);
    EXPECT_EQ(SendMessage(l, LB_GETTOPINDEX, 0, 0), 0);
    plHeadlessText("E");
    plHeadlessPumpen();
    EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 1);
    itemKlick(l, 4, {}, true);
    EXPECT_EQ(nimm(), (V{"70:LBN_SETFOCUS", "70:LBN_SELCHANGE", "70:LBN_SELCHANGE", "70:LBN_SELCHANGE",
                         "70:LBN_SELCHANGE", "70:LBN_SELCHANGE", "70:LBN_DBLCLK"}));
}

TEST_F(Liste, MessagesOnStrings)
{
    HWND l = liste(LBS_SORT);
    for (const char* t : {"Birne", "apfel", "Zwetschge", "Banane", "\xC4pfel"})
        SendMessage(l, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
    char buf[32];
    SendMessage(l, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(buf));
    EXPECT_STREQ(buf, "apfel");
    struct Fall {
        UINT msg;
        WPARAM wp;
        const char* text;
        LRESULT erwartet;
    } faelle[] = {
        {LB_FINDSTRING, static_cast<WPARAM>(-1), "b", 1},
        {LB_FINDSTRING, 1, "b", 2},
        {LB_FINDSTRING, 2, "b", 1},  // wraps around
        {LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), "BIRNE", 2},
        {LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), "Bir", LB_ERR},
        {LB_FINDSTRING, static_cast<WPARAM>(-1), "q", LB_ERR},
        {LB_SELECTSTRING, static_cast<WPARAM>(-1), "zw", 3},
    };
    for (auto& f : faelle)
        EXPECT_EQ(SendMessage(l, f.msg, f.wp, reinterpret_cast<LPARAM>(f.text)), f.erwartet) << f.text;
    EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 3);
    EXPECT_EQ(SendMessage(l, LB_INSERTSTRING, 1, reinterpret_cast<LPARAM>("hier")), 1);
    EXPECT_EQ(SendMessage(l, LB_INSERTSTRING, 9, reinterpret_cast<LPARAM>("nicht")), LB_ERR);
    EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 4);  // the selection moved with its item
    EXPECT_EQ(SendMessage(l, LB_GETTEXTLEN, 4, 0), 9);
    EXPECT_EQ(SendMessage(l, LB_DELETESTRING, 4, 0), 5);
    EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_EQ(SendMessage(l, LB_DELETESTRING, 7, 0), LB_ERR);
    EXPECT_EQ(SendMessage(l, LB_GETTEXT, 9, reinterpret_cast<LPARAM>(buf)), LB_ERR);
    EXPECT_EQ(SendMessage(l, LB_SETITEMDATA, 0, 77), TRUE);
    EXPECT_EQ(SendMessage(l, LB_GETITEMDATA, 0, 0), 77);
    RECT r;
    EXPECT_EQ(SendMessage(l, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r)), 1);
    EXPECT_EQ(SendMessage(l, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, r.top + 1)), MAKELRESULT(1, 0));
    // Items without data are not reported when removed.
    SendMessage(l, LB_DELETESTRING, 1, 0);
    EXPECT_EQ(geloescht, (std::vector<ULONG_PTR>{}));
    SendMessage(l, LB_RESETCONTENT, 0, 0);
    EXPECT_EQ(geloescht, (std::vector<ULONG_PTR>{77}));
    EXPECT_EQ(SendMessage(l, LB_GETCOUNT, 0, 0), 0);
}

TEST_F(Liste, WantKeyboardInputAsksTheOwnerFirst)
{
    std::vector<std::string> gefragt;
    LRESULT antwort = -1;
    eingriff = [&](UINT msg, WPARAM wp, LPARAM) -> LRESULT {
        if (msg == WM_VKEYTOITEM) {
            gefragt.push_back("V" + std::to_string(LOWORD(wp)) + "@" + std::to_string(HIWORD(wp)));
            return antwort;
        }
        if (msg == WM_CHARTOITEM) {
            gefragt.push_back(std::string("C") + static_cast<char>(LOWORD(wp)) + "@" + std::to_string(HIWORD(wp)));
            return -2;
        }
        return -12345;
    };
    HWND l = liste(LBS_WANTKEYBOARDINPUT | LBS_OWNERDRAWFIXED);
    for (int i = 0; i < 5; ++i) SendMessage(l, LB_ADDSTRING, 0, i + 1);
    SendMessage(l, LB_SETCURSEL, 1, 0);
    SetFocus(l);
    taste(VK_DOWN);  // -1: the default action
    EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 2);
    antwort = -2;  // handled by the owner
    taste(VK_DOWN);
    EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 2);
    antwort = 4;  // act on item 4
    taste(VK_HOME);
    EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 4);
    plHeadlessText("k");
    plHeadlessPumpen();
    EXPECT_EQ(gefragt, (V{"V40@1", "V40@2", "V36@2", "V75@4", "Ck@4"}));  // every key goes to the owner
}

TEST_F(Liste, MultiColumnFlowsDownThenAcross)
{
    HWND l = liste(LBS_MULTICOLUMN | WS_HSCROLL | LBS_NOINTEGRALHEIGHT, 100);
    SendMessage(l, LB_SETCOLUMNWIDTH, 60, 0);
    fuellen(l, 40);
    RECT c;
    GetClientRect(l, &c);
    RECT r0, r1;
    int zeilen = static_cast<int>(c.bottom / SendMessage(l, LB_GETITEMHEIGHT, 0, 0));
    SendMessage(l, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r0));
    SendMessage(l, LB_GETITEMRECT, static_cast<WPARAM>(zeilen), reinterpret_cast<LPARAM>(&r1));
    EXPECT_EQ(r1.left, 60);
    EXPECT_EQ(r1.top, r0.top);
    SetFocus(l);
    SendMessage(l, LB_SETCURSEL, 0, 0);
    taste(VK_RIGHT);
    EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), zeilen);
    taste(VK_END);
    EXPECT_EQ(SendMessage(l, LB_GETTOPINDEX, 0, 0) % zeilen, 0);
    EXPECT_GT(SendMessage(l, LB_GETTOPINDEX, 0, 0), 0);
}

TEST_F(Liste, HeightShowsWholeItemsUnlessAskedNotTo)
{
    messHoehe = 15;
    for (DWORD extra : {0ul, static_cast<unsigned long>(LBS_NOINTEGRALHEIGHT)}) {
        HWND l = liste(LBS_OWNERDRAWFIXED | extra, 100);
        RECT c;
        GetClientRect(l, &c);
        if (extra)
            EXPECT_EQ(c.bottom, 98);  // 100 less the border
        else
            EXPECT_EQ(c.bottom, 90);  // six whole items of 15
        MoveWindow(l, 10, 10, 200, 140, TRUE);
        GetClientRect(l, &c);
        EXPECT_EQ(c.bottom, extra ? 138 : 135);
        DestroyWindow(l);
    }
}

TEST_F(Liste, NoRedrawHoldsPaintingUntilSwitchedOn)
{
    HWND l = liste(LBS_OWNERDRAWFIXED | LBS_NOREDRAW);
    for (int i = 0; i < 3; ++i) SendMessage(l, LB_ADDSTRING, 0, i + 1);
    gezeichnet.clear();
    plHeadlessPumpen();
    EXPECT_TRUE(gezeichnet.empty());
    SendMessage(l, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(l, nullptr, TRUE);
    plHeadlessPumpen();
    EXPECT_EQ(gezeichnet.size(), 3u);
    SendMessage(l, WM_SETREDRAW, FALSE, 0);
    gezeichnet.clear();
    SendMessage(l, LB_ADDSTRING, 0, 9);
    SendMessage(l, LB_SETCURSEL, 3, 0);
    plHeadlessPumpen();
    EXPECT_TRUE(gezeichnet.empty());
}

TEST_F(Liste, ScrollBarWheelAndTopIndex)
{
    HWND l = liste(WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 100);
    fuellen(l, 50);
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(l, SB_VERT, &si));
    EXPECT_EQ(si.nMax, 49);
    int sichtbar = static_cast<int>(si.nPage);
    EXPECT_GT(sichtbar, 0);
    EXPECT_EQ(SendMessage(l, LB_SETTOPINDEX, 45, 0), 0);
    EXPECT_EQ(SendMessage(l, LB_GETTOPINDEX, 0, 0), 50 - sichtbar);  // no empty space below the last item
    SendMessage(l, LB_SETTOPINDEX, 10, 0);
    SetFocus(l);
    POINT p = plHeadlessPunkt(l, 20, 20);
    plHeadlessRad(p.x, p.y, 1);
    plHeadlessPumpen();
    EXPECT_EQ(SendMessage(l, LB_GETTOPINDEX, 0, 0), 7);

    // The down arrow of the window scroll bar.
    RECT w;
    GetWindowRect(l, &w);
    RECT c;
    GetClientRect(l, &c);
    POINT o{0, 0};
    ClientToScreen(l, &o);
    int x = o.x + c.right + 5, y = o.y + c.bottom - 5;
    plHeadlessKlick(x, y);
    plHeadlessPumpen();
    EXPECT_EQ(SendMessage(l, LB_GETTOPINDEX, 0, 0), 8);
    // Too few items: the bar goes away.
    SendMessage(l, LB_RESETCONTENT, 0, 0);
    EXPECT_FALSE(GetWindowLong(l, GWL_STYLE) & WS_VSCROLL);
}

TEST_F(Liste, DlgDirListFillsFromAFolderAndChangesToIt)
{
    char vorlage[] = "/tmp/velmo_dirlist_XXXXXX";
    ASSERT_NE(mkdtemp(vorlage), nullptr);
    std::string ordner = vorlage;
    for (const char* n : {"plan.txt", "Liste.TXT", "bild.png", ".versteckt.txt"}) {
        std::string p = ordner + "/" + n;
        FILE* f = std::fopen(p.c_str(), "w");
        ASSERT_NE(f, nullptr);
        std::fclose(f);
    }
    ASSERT_EQ(mkdir((ordner + "/unter").c_str(), 0755), 0);
    HWND l = liste(LBS_SORT);
    HWND s = kind("EDIT", ES_READONLY, 10, 250, 300, 20, 71);
    char alt[4096];
    ASSERT_NE(getcwd(alt, sizeof alt), nullptr);

    std::string pfad = ordner + "/*.txt";
    std::vector<char> buf(pfad.begin(), pfad.end());
    buf.push_back('\0');
    EXPECT_EQ(DlgDirList(eltern, buf.data(), 70, 71, DDL_DIRECTORY | DDL_READWRITE), 1);
    EXPECT_STREQ(buf.data(), "*.txt");
    std::vector<std::string> namen;
    for (int i = 0; i < SendMessage(l, LB_GETCOUNT, 0, 0); ++i) {
        char t[64];
        SendMessage(l, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(t));
        namen.push_back(t);
    }
    EXPECT_EQ(namen, (V{"Liste.TXT", "plan.txt", "[..]", "[unter]"}));
    EXPECT_EQ(text(s), ordner);

    SendMessage(l, LB_SETCURSEL, 3, 0);
    char wahl[64];
    EXPECT_TRUE(DlgDirSelectEx(eltern, wahl, sizeof wahl, 70));
    EXPECT_STREQ(wahl, "unter/");
    SendMessage(l, LB_SETCURSEL, 1, 0);
    EXPECT_FALSE(DlgDirSelectEx(eltern, wahl, sizeof wahl, 70));
    EXPECT_STREQ(wahl, "plan.txt");

    char fehlt[] = "/tmp/velmo_gibt_es_nicht_42/*.*";
    EXPECT_EQ(DlgDirList(eltern, fehlt, 70, 0, 0), 0);
    ASSERT_EQ(chdir(alt), 0);
    std::string rm = "rm -rf " + ordner;
    ASSERT_EQ(std::system(rm.c_str()), 0);
}

}  // namespace
