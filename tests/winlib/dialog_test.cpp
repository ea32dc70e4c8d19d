// Dialog manager: the lifecycle of slots (init, the one command 1997 after
// the first paint, open or raise, the full table, closing owned dialogs
// deepest first, modal owners), the current-dialog stack around nested
// sends and boxes, the dispatch result rule, and the modeless keyboard
// filter over three dialogs.
#include <gtest/gtest.h>

#include <algorithm>

#include "dlgpruef.h"
#include "platform/menue.h"
#include "winlib/meldung.h"

using namespace dlgpruef;

namespace {

using DialogTest = Fixture;

int zaehle(const std::vector<std::string>& v, const std::string& s)
{
    return static_cast<int>(std::count(v.begin(), v.end(), s));
}

int stelle(const std::vector<std::string>& v, const std::string& s)
{
    auto it = std::find(v.begin(), v.end(), s);
    return it == v.end() ? -1 : static_cast<int>(it - v.begin());
}

HWND initFenster = 0;
int initTiefe = -1;
int initMerken(int, const char* const*)
{
    initFenster = wiDlgFenster();
    initTiefe = wiDlgStapelTiefe();
    dlgpruef::log.push_back("init:" + name());
    return 0;
}

TEST_F(DialogTest, NothingCurrentIsTheMainWindow)
{
    char n[DLGNAMESUP + 1];
    EXPECT_EQ(wiDlgFenster(), haupt);
    EXPECT_STREQ(wiDlgName(n), "Main");
    EXPECT_EQ(wiDlgIndex(), -1);
    EXPECT_EQ(wiDlgStapelTiefe(), 0);
    EXPECT_EQ(wiDlgBereit(), 0);
}

TEST_F(DialogTest, InitRunsFirstAndCommand1997FollowsTheFirstPaintOnce)
{
    HWND h = wiDlgErzeugen("probe", initMerken, exit, befehl, 0, 0, nullptr, 0, 0, 0, 0, nullptr);
    ASSERT_NE(h, 0u);
    // The slot is known while the window is still being made.
    EXPECT_EQ(initFenster, h);
    EXPECT_EQ(initTiefe, 1);
    EXPECT_EQ(wiDlgBox(0)->zustand, 2);
    pumpe();
    InvalidateRect(h, nullptr, TRUE);
    pumpe();
    auto v = nimm();
    EXPECT_EQ(stelle(v, "init:probe"), 0);
    EXPECT_EQ(zaehle(v, "cmd1997:probe"), 1);
    EXPECT_GE(zaehle(v, "paint:probe"), 2);
    EXPECT_LT(stelle(v, "paint:probe"), stelle(v, "cmd1997:probe"));
    EXPECT_EQ(wiDlgBox(0)->zustand, 3);
    EXPECT_EQ(wiDlgStapelTiefe(), 0);
    // WM_CLOSE never reaches the command callback; exit runs once.
    PostMessage(h, WM_CLOSE, 0, 0);
    pumpe();
    wiDlgSlotSchliessen(0);
    v = nimm();
    EXPECT_EQ(zaehle(v, "close:probe"), 0);
    EXPECT_EQ(v, std::vector<std::string>{"exit:probe"});
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(wiDlgSlot(h), -1);
}

TEST_F(DialogTest, OpeningOutsideRunState2GivesNothing)
{
    anwLaufZustandSetzen(4);
    EXPECT_EQ(neu("probe"), 0u);
    EXPECT_TRUE(plNachrichtBoxFragen().empty());
}

TEST_F(DialogTest, OpenOrRaiseAndADisabledInstanceBeeps)
{
    HWND a = wiDlgOeffnen("probe", init, exit, befehl);
    HWND b = neu("probe_b");
    pumpe();
    EXPECT_EQ(GetActiveWindow(), b);
    nimm();
    EXPECT_EQ(wiDlgOeffnen("probe", init, exit, befehl), a);
    EXPECT_EQ(GetActiveWindow(), a);
    EXPECT_EQ(zaehle(nimm(), "init:probe"), 0);  // no second dialog
    EnableWindow(a, FALSE);
    int pieps = plNachrichtBoxPieps();
    EXPECT_EQ(wiDlgOeffnen("probe", init, exit, befehl), a);
    EXPECT_EQ(plNachrichtBoxPieps(), pieps + 1);
    EXPECT_EQ(wiDlgFinden("probe", befehl), a);
    EXPECT_EQ(wiDlgFinden("probe", nullptr), 0u);
}

TEST_F(DialogTest, The201stDialogWarnsAndLeavesTheOthersAlone)
{
    std::vector<HWND> offen;
    for (int i = 0; i < DLGSUP; ++i) {
        HWND h = neu("probe");
        ASSERT_NE(h, 0u) << i;
        offen.push_back(h);
    }
    int pieps = plNachrichtBoxPieps();
    plNachrichtBoxFragenLeeren();
    EXPECT_EQ(neu("probe_a"), 0u);
    EXPECT_EQ(plNachrichtBoxPieps(), pieps + 1);
    ASSERT_EQ(plNachrichtBoxFragen().size(), 1u);
    EXPECT_EQ(plNachrichtBoxFragen()[0].text, "Sie haben bereits 200 Dialogboxen ge\xf6" "ffnet.");
    EXPECT_EQ(plNachrichtBoxFragen()[0].titel, "Velmo Test");
    for (int i = 0; i < DLGSUP; ++i) {
        EXPECT_TRUE(IsWindow(offen[i]));
        EXPECT_TRUE(IsWindowEnabled(offen[i]));
        EXPECT_EQ(wiDlgSlot(offen[i]), i);
    }
    EXPECT_EQ(wiDlgSuchen("probe_a"), 0u);
    EXPECT_EQ(wiDlgStapelTiefe(), 0);
}

TEST_F(DialogTest, ClosingRunsOwnedDialogsFirstSevenLevelsDeep)
{
    const char* namen[] = {"probe", "probe_a", "probe_b", "probe_c", "probe", "probe_a", "probe_b", "probe_c"};
    std::vector<HWND> kette;
    HWND besitzer = 0;
    for (const char* n : namen) {
        besitzer = neu(n, besitzer);
        ASSERT_NE(besitzer, 0u);
        kette.push_back(besitzer);
    }
    HWND fremd = neu("probe_c");  // not in the chain
    pumpe();
    nimm();
    PostMessage(kette[0], WM_CLOSE, 0, 0);
    pumpe();
    std::vector<std::string> v;
    for (auto& e : nimm())
        if (e.rfind("exit:", 0) == 0) v.push_back(e);
    std::vector<std::string> erwartet;
    for (int i = 7; i >= 0; --i) erwartet.push_back(std::string("exit:") + namen[i]);
    EXPECT_EQ(v, erwartet);
    for (HWND h : kette) {
        EXPECT_FALSE(IsWindow(h));
        EXPECT_EQ(wiDlgSlot(h), -1);
    }
    for (int s = 0; s < 8; ++s) EXPECT_EQ(wiDlgBox(s)->fenster, 0u) << s;
    EXPECT_TRUE(IsWindow(fremd));
    // Closing again runs nothing.
    wiDlgAlleSchliessen();
    EXPECT_EQ(zaehle(nimm(), "exit:probe_c"), 1);
}

TEST_F(DialogTest, AnOwnedDialogWithItsOwnParentGoesWithItsSlot)
{
    HWND a = neu("probe_a");
    HWND g = wiDlgErzeugen("probe_b", init, exit, befehl, haupt, a, nullptr, 0, 0, 0, 0, nullptr);
    ASSERT_NE(g, 0u);
    EXPECT_EQ(wiDlgGast(g), haupt);
    nimm();
    wiDlgSlotSchliessen(wiDlgSlot(a));
    EXPECT_EQ(nimm(), (std::vector<std::string>{"exit:probe_b", "exit:probe_a"}));
    EXPECT_FALSE(IsWindow(g));
    EXPECT_FALSE(IsWindow(a));
    EXPECT_TRUE(IsWindow(haupt));
}

TEST_F(DialogTest, AModalOwnerIsEnabledAgainAndGetsTheFocus)
{
    HWND o = neu("probe");
    pumpe();
    ASSERT_TRUE(wiDlgBetreten(o));
    HWND m = neu("probe_a", 0, 1);
    wiDlgVerlassen();
    ASSERT_NE(m, 0u);
    EXPECT_FALSE(IsWindowEnabled(o));
    EXPECT_EQ(wiDlgBox(wiDlgSlot(m))->besitzer, o);
    pumpe();
    PostMessage(m, WM_CLOSE, 0, 0);
    pumpe();
    EXPECT_TRUE(IsWindowEnabled(o));
    EXPECT_EQ(GetActiveWindow(), o);
    HWND f = GetFocus();
    EXPECT_TRUE(f == o || IsChild(o, f));
}

TEST_F(DialogTest, ApplicationModalDisablesEverythingUntilItCloses)
{
    HWND a = neu("probe");
    HWND m = neu("probe_a", 0, 2);
    EXPECT_FALSE(IsWindowEnabled(haupt));
    EXPECT_FALSE(IsWindowEnabled(a));
    pumpe();
    wiDlgSlotSchliessen(wiDlgSlot(m));
    EXPECT_TRUE(IsWindowEnabled(haupt));
    EXPECT_TRUE(IsWindowEnabled(a));
}

HWND partner = 0;
int tiefeImSenden = -1;
int tiefeImPartner = -1;
int sender(UINT m, WPARAM, LPARAM)
{
    if (m == WM_USER + 1) {
        tiefeImSenden = wiDlgStapelTiefe();
        SendMessage(partner, WM_USER + 2, 0, 0);
        wiHinweis("Hinweis %d", 1);
        EXPECT_EQ(wiDlgStapelTiefe(), tiefeImSenden);
        return 1;
    }
    return 0;
}
int empfaenger(UINT m, WPARAM, LPARAM)
{
    if (m == WM_USER + 2) tiefeImPartner = wiDlgStapelTiefe();
    return 0;
}

TEST_F(DialogTest, TheStackIsBackAtZeroAfterNestedSendsAndBoxes)
{
    HWND a = neu("probe", 0, 0, sender);
    partner = neu("probe_b", 0, 0, empfaenger);
    pumpe();
    SendMessage(a, WM_USER + 1, 0, 0);
    EXPECT_EQ(tiefeImSenden, 1);
    EXPECT_EQ(tiefeImPartner, 2);
    EXPECT_EQ(wiDlgStapelTiefe(), 0);
    EXPECT_EQ(plNachrichtBoxFragen().size(), 1u);
    // Explicit enter and leave pair up too.
    EXPECT_EQ(wiDlgBetreten(a), 1);
    EXPECT_EQ(wiDlgFenster(), a);
    EXPECT_EQ(wiDlgBetreten(haupt), 0);
    wiDlgVerlassen();
    EXPECT_EQ(wiDlgStapelTiefe(), 0);
}

int rueckErgebnis = 0;
int hakenErgebnis = 0;
int rueckruf(UINT m, WPARAM, LPARAM) { return m == WM_CHARTOITEM ? rueckErgebnis : 0; }
int haken(UINT m, WPARAM, LPARAM) { return m == WM_CHARTOITEM ? hakenErgebnis : 0; }

TEST_F(DialogTest, TheHookCountsOnlyWhenTheCallbackAnswered0)
{
    HWND h = neu("probe", 0, 0, rueckruf);
    wiDlgHaken(nullptr, nullptr, nullptr, nullptr, haken);
    struct Fall { int rueck, haken, erwartet; };
    for (Fall f : {Fall{0, 0, 0}, Fall{0, 7, 7}, Fall{5, 7, 5}, Fall{5, 0, 5}}) {
        rueckErgebnis = f.rueck;
        hakenErgebnis = f.haken;
        EXPECT_EQ(SendMessage(h, WM_CHARTOITEM, 0, 0), f.erwartet) << f.rueck << " " << f.haken;
    }
}

int argAnzahl = -1;
std::string argErster;
int argInit(int n, const char* const* t)
{
    argAnzahl = n;
    argErster = n > 0 && t[0] ? t[0] : "";
    return 0;
}

TEST_F(DialogTest, ArgumentsReachInitAndTheCopy)
{
    const char* texte[] = {"eins", nullptr, "drei"};
    HWND h = wiDlgOeffnenArg("probe", argInit, exit, befehl, 3, texte);
    ASSERT_NE(h, 0u);
    EXPECT_EQ(argAnzahl, 3);
    EXPECT_EQ(argErster, "eins");
    const char* k = wiDlgBox(0)->argKopie;
    EXPECT_EQ(std::string(k, 12), std::string("eins\0\0drei\0\0", 12));
}

// ---- The modeless filter over three dialogs ----------------------------------------------------

TEST_F(DialogTest, KeysActOnlyInTheDialogThatHoldsTheFocus)
{
    HWND d[3] = {neu("probe_a"), neu("probe_b"), neu("probe_c")};
    pumpe();
    SetActiveWindow(d[1]);
    SetFocus(GetDlgItem(d[1], 101));
    pumpe();
    nimm();
    plHeadlessTaste(VK_TAB);
    pumpe();
    EXPECT_EQ(GetFocus(), GetDlgItem(d[1], 102));
    struct Fall { UINT taste; const char* erwartet; };
    for (Fall f : {Fall{VK_ESCAPE, "cmd2:probe_b"}, Fall{VK_RETURN, "cmd1:probe_b"}}) {
        nimm();
        plHeadlessTaste(f.taste);
        pumpe();
        auto v = nimm();
        EXPECT_EQ(zaehle(v, f.erwartet), 1) << f.erwartet;
        EXPECT_EQ(zaehle(v, "cmd2:probe_a") + zaehle(v, "cmd1:probe_a"), 0);
        EXPECT_EQ(zaehle(v, "cmd2:probe_c") + zaehle(v, "cmd1:probe_c"), 0);
    }
    for (HWND h : d) EXPECT_TRUE(IsWindow(h));
}

int filterZahl = 0;
int filter(HWND, MSG* m)
{
    if (m->message == WM_KEYDOWN && m->wParam == VK_F5) {
        ++filterZahl;
        return 1;
    }
    return 0;
}

TEST_F(DialogTest, TheFilterHookTakesMessagesBeforeTheDialogs)
{
    HWND a = neu("probe_a");
    pumpe();
    SetFocus(GetDlgItem(a, 101));
    wiDlgFilterHaken(filter);
    MSG m{GetDlgItem(a, 101), WM_KEYDOWN, VK_F5, 0, 0, {0, 0}};
    EXPECT_EQ(wiDlgNachricht(&m), 1);
    EXPECT_EQ(filterZahl, 1);
    MSG fremd{haupt, WM_USER, 0, 0, 0, {0, 0}};
    EXPECT_EQ(wiDlgNachricht(&fremd), 0);
}

// ---- Module data --------------------------------------------------------------------------------

struct Daten { int wert; };
Daten* anker = nullptr;

TEST_F(DialogTest, ModuleDataFollowsTheCurrentDialog)
{
    HWND a = neu("probe_a");
    HWND b = neu("probe_b");
    wiDlgBetreten(a);
    Daten* da = wiDlgDaten(&anker, sizeof(Daten));
    da->wert = 1;
    wiDlgVerlassen();
    wiDlgBetreten(b);
    Daten* db = wiDlgDaten(&anker, sizeof(Daten));
    db->wert = 2;
    wiDlgBetreten(a);
    EXPECT_EQ(anker->wert, 1);
    wiDlgVerlassen();
    EXPECT_EQ(anker->wert, 2);
    wiDlgVerlassen();
    wiDlgSlotSchliessen(wiDlgSlot(b));
    EXPECT_NE(anker, db);  // freed with its dialog
    wiDlgSlotSchliessen(wiDlgSlot(a));
    EXPECT_EQ(anker, nullptr);
}

}  // namespace

namespace {

// ---- Hooks of the frame ---------------------------------------------------------------------------

std::vector<std::string> ereignisse;
void aktivHaken(int slot, HWND, int ereignis)
{
    ereignisse.push_back(std::to_string(slot) + ":" + std::to_string(ereignis));
}

TEST_F(DialogTest, TheEventHookSeesInitActivationAndClose)
{
    wiDlgAktivHaken(aktivHaken);
    ereignisse.clear();
    HWND a = neu("probe_a");
    HWND b = neu("probe_b");
    pumpe();
    ereignisse.clear();
    SetActiveWindow(a);
    PostMessage(a, WM_CLOSE, 0, 0);
    pumpe();
    // b is deactivated, a activated, then a closes and b is activated again.
    std::vector<std::string> erwartet{"1:2", "0:3", "0:0", "0:2", "1:3"};
    EXPECT_EQ(ereignisse, erwartet);
    char n[DLGNAMESUP + 1];
    EXPECT_STREQ(wiDlgAktivName(n), "probe_b");
    EXPECT_EQ(wiDlgAktiv(), b);
}

TEST_F(DialogTest, EnableAllModes)
{
    HWND o = neu("probe");
    wiDlgBetreten(o);
    HWND m = neu("probe_a", 0, 1);
    wiDlgVerlassen();
    struct Fall { int modus; bool haupt, o, m; };
    for (Fall f : {Fall{0, false, false, false}, Fall{1, true, true, true}, Fall{2, true, false, true}}) {
        wiDlgAlleFrei(f.modus);
        EXPECT_EQ(IsWindowEnabled(haupt) != 0, f.haupt) << f.modus;
        EXPECT_EQ(IsWindowEnabled(o) != 0, f.o) << f.modus;
        EXPECT_EQ(IsWindowEnabled(m) != 0, f.m) << f.modus;
    }
}

// ---- Drag and drop between dialogs ----------------------------------------------------------------

int ziehAntwort = 0;
std::vector<int> gemeldet;
int melden(int z)
{
    gemeldet.push_back(z);
    return z == 9 ? ziehAntwort : 0;
}
LPARAM wert(int phase) { return 100 + phase; }
std::vector<std::string> ziehLog;
int ziehBefehl(UINT m, WPARAM wp, LPARAM lp)
{
    if (m == WM_COMMAND && (wp == 2060 || wp == 2061 || wp == 2066))
        ziehLog.push_back(std::to_string(wp) + ":" + name() + ":" + std::to_string(lp));
    return 0;
}

TEST_F(DialogTest, DragFromOneDialogToAnother)
{
    HWND a = neu("probe_a", 0, 0, ziehBefehl);
    HWND b = neu("probe_b", 0, 0, ziehBefehl);
    pumpe();
    // A point in each dialog's client area clear of its controls.
    POINT pa = plHeadlessPunkt(a, 150, 130);
    POINT pb = plHeadlessPunkt(b, 160, 140);
    ASSERT_EQ(WindowFromPoint(pa), a);
    ASSERT_EQ(WindowFromPoint(pb), b);
    struct Fall { int antwort; std::vector<std::string> log; };
    for (const Fall& f : {Fall{0, {"2060:probe_a:100"}}, Fall{1, {"2060:probe_a:100", "2061:probe_b:101"}}}) {
        ziehAntwort = f.antwort;
        ziehLog.clear();
        gemeldet.clear();
        wiZiehHaken(melden, wert);
        plHeadlessZeitVor(2000);  // no double click
        plHeadlessZiehen(pa.x, pa.y, pb.x, pb.y);
        pumpe();
        EXPECT_EQ(ziehLog, f.log) << f.antwort;
        ASSERT_FALSE(gemeldet.empty());
        EXPECT_EQ(gemeldet.back(), 0);
        EXPECT_EQ(GetCapture(), 0u);
    }
    EXPECT_EQ(wiZiehQuelle(), a);
    EXPECT_EQ(wiZiehZiel(), b);
    EXPECT_EQ(wiZiehX(), 160);
    EXPECT_EQ(wiZiehY(), 140);
    // A move of fewer than 5 pixels does not start a drag.
    ziehLog.clear();
    plHeadlessZeitVor(2000);
    plHeadlessZiehen(pa.x, pa.y, pa.x + 4, pa.y - 4);
    pumpe();
    EXPECT_TRUE(ziehLog.empty());
}

}  // namespace

namespace {

// ---- Popup menus and the short command mode ------------------------------------------------------------

TEST_F(DialogTest, PopupMenuOfTheCurrentDialogGoesWithIt)
{
    HWND a = neu("probe_a");
    wiDlgBetreten(a);
    EXPECT_EQ(wiDlgMenuLaden("fehlt_rm"), -1);
    ASSERT_EQ(wiDlgMenuLaden("probe_rm"), 0);
    HMENU m = wiDlgMenu();
    ASSERT_NE(m, 0u);
    EXPECT_EQ(GetMenuItemCount(m), 2);
    EXPECT_EQ(GetMenuItemID(m, 0), 301u);
    wiDlgMenuAnhaengen(0, nullptr);
    wiDlgMenuAnhaengen(303, "Extra");
    EXPECT_EQ(GetMenuItemCount(m), 4);
    wiDlgMenuFrei(303, 0);
    EXPECT_NE(GetMenuState(m, 303, MF_BYCOMMAND) & MF_GRAYED, 0u);
    wiDlgVerlassen();
    EXPECT_EQ(wiDlgMenu(), 0u);  // nothing current
    wiDlgSlotSchliessen(wiDlgSlot(a));
    EXPECT_FALSE(IsMenu(m));
}

WPARAM kurzWp = 0;
int kurzBefehl(UINT m, WPARAM wp, LPARAM)
{
    if (m == WM_USER + 7) kurzWp = wp;
    return 0;
}

TEST_F(DialogTest, ShortCommandModePassesTheLowWordOnly)
{
    HWND a = wiDlgOeffnen16("probe_a", init, exit, kurzBefehl);
    ASSERT_NE(a, 0u);
    SendMessage(a, WM_USER + 7, MAKEWPARAM(12, 34), 56);
    EXPECT_EQ(kurzWp, 12u);
    EXPECT_EQ(wiDlgWParam(), MAKEWPARAM(12, 34));
    EXPECT_EQ(wiDlgLParam(), 56);
}

}  // namespace
