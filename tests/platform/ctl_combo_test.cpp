// Tests of the COMBOBOX control on the headless backend: the dropped list
// (opening, following keys, closing by key, click on an item or elsewhere)
// with the order of its notifications, owner draw of field and list, the
// edit field, the simple kind and the CB_ messages.
#include <algorithm>
#include <string>

#include "platform/dialog.h"
#include "tests/platform/ctl_pruef.h"

using namespace ctlpruef;
using V = std::vector<std::string>;

namespace {

class Combo : public Fixture {
protected:
    HWND combo(DWORD stil, int h = 150)
    {
        HWND c = kind("COMBOBOX", stil | WS_VSCROLL | WS_TABSTOP, 20, 20, 160, h, 80);
        for (const char* t : {"Null", "Eins", "Zwei", "Drei", "Vier"})
            SendMessage(c, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
        plHeadlessPumpen();
        nimm();
        return c;
    }
    static HWND liste(HWND c)
    {
        HWND l = 0;
        EnumWindows(
            [](HWND h, LPARAM p) -> BOOL {
                char kl[32] = {};
                GetClassName(h, kl, sizeof kl);
                if (std::string(kl) == "ComboLBox") {
                    *reinterpret_cast<HWND*>(p) = h;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&l));
        (void)c;
        return l;
    }
    static void knopfKlick(HWND c)
    {
        RECT r;
        GetClientRect(c, &r);
        klick(c, r.right - 8, r.bottom / 2);
    }
    static void listenKlick(HWND l, int item)
    {
        RECT r;
        SendMessage(l, LB_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&r));
        klick(l, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
};

// A box as low as its field (a template's 12 units): its list still opens
// on every row it has, without a scroll bar over a single row.
TEST_F(Combo, TheListOfALowBoxShowsItsRows)
{
    HWND c = combo(CBS_DROPDOWNLIST, 20);
    knopfKlick(c);
    HWND l = liste(c);
    ASSERT_NE(l, 0u);
    ASSERT_TRUE(IsWindowVisible(l));
    RECT r{}, letzte{};
    GetClientRect(l, &r);
    SendMessage(l, LB_GETITEMRECT, 4, reinterpret_cast<LPARAM>(&letzte));
    EXPECT_GE(r.bottom, letzte.bottom) << "all five rows";
    EXPECT_EQ(SendMessage(l, LB_GETTOPINDEX, 0, 0), 0);
    taste(VK_ESCAPE);
}

TEST_F(Combo, DropDownListOpensFollowsKeysAndClosesInWindowsOrder)
{
    HWND c = combo(CBS_DROPDOWNLIST);
    SendMessage(c, CB_SETCURSEL, 1, 0);
    EXPECT_TRUE(nimm().empty());  // CB_ messages never notify
    knopfKlick(c);
    HWND l = liste(c);
    ASSERT_NE(l, 0u);
    EXPECT_TRUE(SendMessage(c, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_TRUE(IsWindowVisible(l));
    EXPECT_EQ(GetFocus(), c);
    RECT rc, rl;
    GetWindowRect(c, &rc);
    GetWindowRect(l, &rl);
    EXPECT_EQ(rl.top, rc.bottom);
    EXPECT_EQ(nimm(), (V{"80:CBN_SETFOCUS", "80:CBN_DROPDOWN"}));

    taste(VK_DOWN);
    taste(VK_DOWN);
    EXPECT_EQ(SendMessage(c, CB_GETCURSEL, 0, 0), 3);
    EXPECT_EQ(text(c), "Drei");
    EXPECT_EQ(nimm(), (V{"80:CBN_SELCHANGE", "80:CBN_SELCHANGE"}));
    taste(VK_RETURN);
    EXPECT_FALSE(SendMessage(c, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_FALSE(IsWindowVisible(l));
    EXPECT_EQ(nimm(), (V{"80:CBN_SELENDOK", "80:CBN_CLOSEUP"}));
    EXPECT_EQ(GetCapture(), 0u);

    // F4 opens, Escape closes without a choice; closed, the keys still move.
    taste(VK_F4);
    taste(VK_ESCAPE);
    EXPECT_EQ(nimm(), (V{"80:CBN_DROPDOWN", "80:CBN_SELENDCANCEL", "80:CBN_CLOSEUP"}));
    taste(VK_UP);
    EXPECT_EQ(text(c), "Zwei");
    EXPECT_EQ(nimm(), (V{"80:CBN_SELCHANGE"}));
    plHeadlessTasteRunter(VK_MENU);
    plHeadlessTaste(VK_DOWN);
    plHeadlessTasteHoch(VK_MENU);
    plHeadlessPumpen();
    EXPECT_TRUE(SendMessage(c, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(nimm(), (V{"80:CBN_DROPDOWN"}));
}

TEST_F(Combo, ClickOnAnItemChoosesItAndAClickElsewhereCancels)
{
    HWND c = combo(CBS_DROPDOWNLIST);
    SendMessage(c, CB_SETCURSEL, 0, 0);
    knopfKlick(c);
    HWND l = liste(c);
    nimm();
    listenKlick(l, 3);
    EXPECT_EQ(SendMessage(c, CB_GETCURSEL, 0, 0), 3);
    EXPECT_FALSE(SendMessage(c, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(nimm(), (V{"80:CBN_SELENDOK", "80:CBN_CLOSEUP", "80:CBN_SELCHANGE"}));

    // Moving over the list highlights; a press outside it takes nothing.
    knopfKlick(c);
    nimm();
    RECT r;
    SendMessage(l, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
    POINT p = plHeadlessPunkt(l, 10, (r.top + r.bottom) / 2);
    plHeadlessMausBewegen(p.x, p.y);
    plHeadlessPumpen();
    EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 1);
    POINT draussen = plHeadlessPunkt(eltern, 500, 400);
    plHeadlessKlick(draussen.x, draussen.y);
    plHeadlessPumpen();
    EXPECT_FALSE(SendMessage(c, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(SendMessage(c, CB_GETCURSEL, 0, 0), 3);
    EXPECT_EQ(nimm(), (V{"80:CBN_SELENDCANCEL", "80:CBN_CLOSEUP"}));

    // CB_SHOWDROPDOWN opens and closes with DROPDOWN and CLOSEUP only.
    SendMessage(c, CB_SHOWDROPDOWN, TRUE, 0);
    SendMessage(c, CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_EQ(nimm(), (V{"80:CBN_DROPDOWN", "80:CBN_CLOSEUP"}));
}

TEST_F(Combo, OwnerDrawFixedMeasuresFieldAndItemsAndDrawsBoth)
{
    messHoehe = 22;
    HWND c = kind("COMBOBOX", CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | WS_VSCROLL, 20, 20, 160, 150, 81);
    ASSERT_GE(gemessen.size(), 2u);
    EXPECT_EQ(gemessen[0].art, static_cast<UINT>(ODT_COMBOBOX));
    EXPECT_EQ(gemessen[0].item, static_cast<UINT>(-1));  // the selection field
    EXPECT_EQ(gemessen[1].item, 0u);                      // the list items
    EXPECT_EQ(gemessen[1].id, 81u);
    RECT w;
    GetWindowRect(c, &w);
    EXPECT_EQ(w.bottom - w.top, 22 + 6);  // the field, not the asked height
    EXPECT_EQ(SendMessage(c, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0), 22);
    for (ULONG_PTR d : {0x10, 0x20, 0x30}) SendMessage(c, CB_ADDSTRING, 0, static_cast<LPARAM>(d));
    SendMessage(c, CB_SETCURSEL, 2, 0);
    SetFocus(c);
    gezeichnet.clear();
    plHeadlessPumpen();
    auto feld = std::find_if(gezeichnet.begin(), gezeichnet.end(),
                             [](const Gezeichnet& g) { return (g.zustand & ODS_COMBOBOXEDIT) != 0; });
    ASSERT_NE(feld, gezeichnet.end());
    EXPECT_EQ(feld->art, static_cast<UINT>(ODT_COMBOBOX));
    EXPECT_EQ(feld->item, 2u);
    EXPECT_EQ(feld->daten, 0x30u);
    EXPECT_EQ(feld->zustand, static_cast<UINT>(ODS_COMBOBOXEDIT | ODS_SELECTED | ODS_FOCUS));

    gezeichnet.clear();
    taste(VK_F4);
    std::vector<UINT> items;
    for (const Gezeichnet& g : gezeichnet)
        if (!(g.zustand & ODS_COMBOBOXEDIT) && g.aktion == ODA_DRAWENTIRE) {
            items.push_back(g.item);
            EXPECT_EQ(g.art, static_cast<UINT>(ODT_COMBOBOX));
            EXPECT_EQ(g.id, 81u);
            EXPECT_EQ(g.daten, 0x10u * (g.item + 1));
            EXPECT_EQ(g.rc.bottom - g.rc.top, 22);
            EXPECT_EQ((g.zustand & ODS_SELECTED) != 0, g.item == 2);
        }
    EXPECT_EQ(items, (std::vector<UINT>{0, 1, 2}));
    gezeichnet.clear();
    taste(VK_UP);
    auto sel = std::find_if(gezeichnet.begin(), gezeichnet.end(), [](const Gezeichnet& g) {
        return g.item == 1 && g.aktion == ODA_SELECT && !(g.zustand & ODS_COMBOBOXEDIT);
    });
    ASSERT_NE(sel, gezeichnet.end());
    EXPECT_TRUE(sel->zustand & ODS_SELECTED);
    EXPECT_EQ(sel->daten, 0x20u);
}

TEST_F(Combo, DropDownEditFieldTypesAndShowsTheChoice)
{
    HWND c = combo(CBS_DROPDOWN | CBS_AUTOHSCROLL);
    HWND e = GetWindow(c, GW_CHILD);
    ASSERT_NE(e, 0u);
    EXPECT_EQ(GetDlgCtrlID(e), PL_COMBO_EDIT_ID);
    SetFocus(c);
    plHeadlessPumpen();
    EXPECT_EQ(GetFocus(), e);
    EXPECT_EQ(nimm(), (V{"80:CBN_SETFOCUS"}));
    plHeadlessText("Fu");
    plHeadlessPumpen();
    EXPECT_EQ(text(c), "Fu");
    EXPECT_EQ(nimm(), (V{"80:CBN_EDITUPDATE", "80:CBN_EDITCHANGE", "80:CBN_EDITUPDATE", "80:CBN_EDITCHANGE"}));
    EXPECT_EQ(SendMessage(c, CB_GETCURSEL, 0, 0), CB_ERR);

    // A choice fills the edit field; the combo box's own update is no edit.
    SendMessage(c, CB_SETCURSEL, 4, 0);
    EXPECT_EQ(text(c), "Vier");
    EXPECT_TRUE(nimm().empty());
    taste(VK_UP);
    EXPECT_EQ(text(c), "Drei");
    V m = nimm();
    EXPECT_EQ(m, (V{"80:CBN_SELCHANGE"}));
    // Typing with the list open highlights the first item that begins so;
    // closing with Enter chooses it.
    SetWindowText(c, "");
    taste(VK_F4);
    nimm();
    plHeadlessText("Zw");
    plHeadlessPumpen();
    EXPECT_EQ(SendMessage(c, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(text(c), "Zw");
    taste(VK_RETURN);
    EXPECT_EQ(text(c), "Zwei");
    m = nimm();
    EXPECT_EQ(std::vector<std::string>(m.end() - 3, m.end()), (V{"80:CBN_SELENDOK", "80:CBN_CLOSEUP", "80:CBN_SELCHANGE"}));
    SendMessage(c, CB_LIMITTEXT, 3, 0);
    SetWindowText(c, "");
    plHeadlessText("abcdef");
    plHeadlessPumpen();
    EXPECT_EQ(text(c), "abc");
    SendMessage(c, CB_SETEDITSEL, 0, MAKELPARAM(1, 2));
    DWORD a = 0, b = 0;
    SendMessage(c, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
    EXPECT_EQ(a, 1u);
    EXPECT_EQ(b, 2u);
}

TEST_F(Combo, SimpleComboShowsItsListAndReportsClicks)
{
    HWND c = combo(CBS_SIMPLE, 120);
    HWND l = GetDlgItem(c, PL_COMBO_LISTE_ID);
    ASSERT_NE(l, 0u);
    EXPECT_TRUE(IsWindowVisible(l));
    RECT w;
    GetWindowRect(c, &w);
    EXPECT_EQ(w.bottom - w.top, 120);  // a simple box keeps its height
    listenKlick(l, 2);
    EXPECT_EQ(text(c), "Zwei");
    EXPECT_EQ(nimm(), (V{"80:CBN_SETFOCUS", "80:CBN_SELENDOK", "80:CBN_SELCHANGE"}));
}

TEST_F(Combo, MessagesOnItemsAndTexts)
{
    HWND c = combo(CBS_DROPDOWNLIST | CBS_SORT);
    char buf[32];
    SendMessage(c, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(buf));
    EXPECT_STREQ(buf, "Drei");
    struct Fall {
        UINT msg;
        WPARAM wp;
        LPARAM lp;
        LRESULT erwartet;
    } faelle[] = {
        {CB_GETCOUNT, 0, 0, 5},
        {CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("z"), 4},
        {CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("null"), 2},
        {CB_GETLBTEXTLEN, 1, 0, 4},
        {CB_GETLBTEXTLEN, 9, 0, CB_ERR},
        {CB_SETCURSEL, 9, 0, CB_ERR},
        {CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("vi"), 3},
        {CB_GETCURSEL, 0, 0, 3},
        {CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>("Anfang"), 0},
        {CB_GETCURSEL, 0, 0, 4},
        {CB_DELETESTRING, 0, 0, 5},
        {CB_SETITEMDATA, 1, 99, TRUE},
        {CB_GETITEMDATA, 1, 0, 99},
        {CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("x"), CB_ERR},
    };
    for (auto& f : faelle) EXPECT_EQ(SendMessage(c, f.msg, f.wp, f.lp), f.erwartet) << "message " << f.msg;
    EXPECT_EQ(text(c), "Vier");
    EXPECT_EQ(SetWindowText(c, "Eins"), TRUE);
    EXPECT_EQ(SendMessage(c, CB_GETCURSEL, 0, 0), 1);
    SendMessage(c, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    EXPECT_EQ(text(c), "");
    SendMessage(c, CB_RESETCONTENT, 0, 0);
    EXPECT_EQ(SendMessage(c, CB_GETCOUNT, 0, 0), 0);
    EXPECT_TRUE(nimm().empty());
    // The height given at creation (and later) is the dropped height.
    MoveWindow(c, 20, 20, 160, 300, TRUE);
    RECT w;
    GetWindowRect(c, &w);
    EXPECT_LT(w.bottom - w.top, 40);
    SendMessage(c, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&w));
    EXPECT_EQ(w.bottom - w.top, 300);
}

}  // namespace
