// Tests of the window utilities and dialog layout: moving controls by the
// 36-unit rule, scrolled views, the accelerator switch, buttons set up from
// their texts, placement texts and the text functions.
#include <cstring>
#include <string>

#include "platform/accel.h"
#include "platform/ctl_status.h"
#include "platform/eingabe.h"
#include "platform/systemwerte.h"
#include "platform/lokalbefehl.h"
#include "platform/shell.h"
#include "support/basis.h"
#include "tests/winlib/bibpruef.h"
#include "winlib/wiwerk.h"

using bibpruef::Fixture;

namespace {

class Werk : public Fixture {};

TEST_F(Werk, MovingDownKeepsTheBottomOfTallControls)
{
    HWND dlg = oeffnen("bibprobe");
    ASSERT_NE(dlg, 0u);
    bibpruef::Aktuell a(dlg);
    RECT liste = rechteck(dlg, 2001), edit = rechteck(dlg, 2002), ok = rechteck(dlg, IDOK), feld = rechteck(dlg, 2004);
    ASSERT_GT(liste.bottom - liste.top, wiDlgEinheit(WIHOCHSUP));
    ASSERT_LE(edit.bottom - edit.top, wiDlgEinheit(WIHOCHSUP));
    // The list ends at the first id outside 2000..8999 (IDOK is 1).
    wiItemsRunter(10, 2001, 2002, IDOK, 2004);
    int d = wiDlgEinheit(10);
    RECT l2 = rechteck(dlg, 2001), e2 = rechteck(dlg, 2002);
    EXPECT_EQ(l2.top, liste.top + d);
    EXPECT_EQ(l2.bottom, liste.bottom);  // 40 units tall: the bottom stays
    EXPECT_EQ(e2.top, edit.top + d);
    EXPECT_EQ(e2.bottom, edit.bottom + d);  // 12 units tall: moved whole
    EXPECT_EQ(rechteck(dlg, IDOK).top, ok.top);
    EXPECT_EQ(rechteck(dlg, 2004).top, feld.top);  // behind the end of the list

    // First id 0: every child, here up by the toolbar offset of the hooks.
    TbarGroesse().leisteX = 18;  // buttons 18 units high: offset 4
    EXPECT_EQ(wiTbarVersatz(), 4);
    RECT ok2 = rechteck(dlg, IDOK);
    wiItemsUnterTbar(0);
    EXPECT_EQ(rechteck(dlg, IDOK).top, ok2.top + wiDlgEinheit(4));
    wiAllesUeberTbar();
    EXPECT_EQ(rechteck(dlg, IDOK).top, ok2.top);
}

TEST_F(Werk, PinningEdgesToTheClientArea)
{
    HWND dlg = oeffnen("bibprobe");
    ASSERT_NE(dlg, 0u);
    bibpruef::Aktuell a(dlg);
    RECT k{};
    GetClientRect(dlg, &k);
    RECT e = rechteck(dlg, 2002);
    int b = e.right - e.left;
    EXPECT_EQ(wiItemsRechtsAn(4, 2002, 0), k.right - wiDlgEinheit(4) - b);
    RECT e2 = rechteck(dlg, 2002);
    EXPECT_EQ(e2.right, k.right - wiDlgEinheit(4));
    EXPECT_EQ(e2.right - e2.left, b);
    EXPECT_EQ(wiItemsRechtsAn(4, 0), -1);  // an empty list
    wiItemsUntenBis(2, 2001, 0);
    EXPECT_EQ(rechteck(dlg, 2001).bottom, k.bottom - wiDlgEinheit(2));
    wiItemsLinksAn(3, 2002, 0);
    EXPECT_EQ(rechteck(dlg, 2002).left, wiDlgEinheit(3));
    EXPECT_EQ(rechteck(dlg, 2002).right - rechteck(dlg, 2002).left, b);
    wiItemsObenBis(1, 2002, 0);
    EXPECT_EQ(rechteck(dlg, 2002).top, wiDlgEinheit(1));
    EXPECT_EQ(rechteck(dlg, 2002).bottom, e2.bottom);
    int l, o, r, u;
    wiItemRechteck(2002, &l, &o, &r, &u);
    EXPECT_EQ(l, wiDlgEinheit(3));
    wiItemSetzen(2002, 10, 20, 60, 40);
    EXPECT_EQ(rechteck(dlg, 2002).right, 60);
    EXPECT_EQ(rechteck(dlg, 2002).bottom, 40);
}

TEST_F(Werk, ScrolledViewWithItsBars)
{
    HWND dlg = oeffnen("rollprobe");
    ASSERT_NE(dlg, 0u);
    bibpruef::Aktuell a(dlg);
    RECT k{};
    GetClientRect(dlg, &k);
    const int d = wiDlgEinheit(8);
    const int rechts = k.right - wiDlgEinheit(4), unten = k.bottom - wiDlgEinheit(6);
    RECT haupt = rechteck(dlg, 2100), senk = rechteck(dlg, 2101), waag = rechteck(dlg, 2102);
    wiRollbalkenLayout(4, 6, 2100, 2101, 2102, 2103);
    struct {
        int id;
        RECT soll;
    } faelle[] = {
        {2100, {haupt.left, haupt.top, rechts - d, unten - d}},
        {2101, {rechts - d, senk.top, rechts, unten - d}},
        {2102, {waag.left, unten - d, rechts - d, unten}},
        {2103, {rechts - d, unten - d, rechts, unten}},
    };
    for (const auto& f : faelle) {
        RECT r = rechteck(dlg, f.id);
        EXPECT_EQ(r.left, f.soll.left) << f.id;
        EXPECT_EQ(r.top, f.soll.top) << f.id;
        EXPECT_EQ(r.right, f.soll.right) << f.id;
        EXPECT_EQ(r.bottom, f.soll.bottom) << f.id;
    }
    // Without a horizontal bar the view and the vertical bar reach the bottom.
    wiRollbalkenLayout(0, 0, 2100, 2101, 0, 0);
    EXPECT_EQ(rechteck(dlg, 2100).bottom, k.bottom);
    EXPECT_EQ(rechteck(dlg, 2100).right, k.right - d);
    EXPECT_EQ(rechteck(dlg, 2101).bottom, k.bottom);
}

std::string spur;
void spurSenke(const char* t) { spur += t; }

TEST_F(Werk, AcceleratorSwitchKeepsTheOldTableOnFailure)
{
    plShellDebugSenkeSetzen(spurSenke);
    spur.clear();
    HACCEL start = LoadAccelerators(anwInstanz(), "ANW_ACCEL");
    ASSERT_NE(start, 0u);
    anwDaten()->accel = start;
    size_t tabellen = plAccelAnzahl();

    wiAccelSetzen("anw_accel");  // the table in use, compared ignoring case
    EXPECT_EQ(anwDaten()->accel, start);
    EXPECT_EQ(spur, "");
    wiAccelSetzen("X");
    EXPECT_EQ(anwDaten()->accel, start);
    EXPECT_EQ(spur, "ERROR LoadAccelerators(X)\n");
    EXPECT_STREQ(wiAccelName(), "ANW_ACCEL");

    wiAccelSetzen("bib_accel");
    EXPECT_NE(anwDaten()->accel, start);
    EXPECT_STREQ(wiAccelName(), "bib_accel");
    EXPECT_EQ(plAccelAnzahl(), tabellen);  // the old table was destroyed
    EXPECT_EQ(CopyAcceleratorTable(start, nullptr, 0), 0);
    ACCEL e{};
    ASSERT_EQ(CopyAcceleratorTable(anwDaten()->accel, &e, 1), 1);
    EXPECT_EQ(e.cmd, 1992);
    DestroyAcceleratorTable(anwDaten()->accel);
    plShellDebugSenkeSetzen(nullptr);
}

TEST_F(Werk, ButtonsAreSetUpFromTheirTexts)
{
    ASSERT_EQ(wiTooltipsInit(), 0);
    HWND dlg = oeffnen("bibprobe");
    ASSERT_NE(dlg, 0u);
    bibpruef::Aktuell a(dlg);
    wiGrbuEinrichten(1001, 1002, 3000, 1003);
    HWND k1 = GetDlgItem(dlg, 1001), k2 = GetDlgItem(dlg, 1002);
    ASSERT_NE(wiTooltipText(k1), nullptr);
    EXPECT_STREQ(wiTooltipText(k1), "Speichern als");
    EXPECT_STREQ(wiTooltipText(k2), "Drucken jetzt");
    ASSERT_EQ(bibpruef::bilder[k1].size(), 1u);
    EXPECT_EQ(bibpruef::bilder[k1][0].breite, 4);  // bitmap "gemischt"
    EXPECT_EQ(bibpruef::bilder[k1][0].erstes, GetSysColor(COLOR_BTNFACE));
    ASSERT_EQ(bibpruef::bilder[k2].size(), 1u);
    EXPECT_EQ(bibpruef::bilder[k2][0].handle, 0u);  // "drucken" is no resource
    wiTooltipsLoeschen();
    EXPECT_EQ(wiTooltipAnzahl(), 0);

    wiKnopfFreiBild(1001, 0, "taste", "gemischt");
    EXPECT_FALSE(IsWindowEnabled(k1));
    EXPECT_EQ(bibpruef::bilder[k1].back().erstes, GetSysColor(COLOR_BTNFACE));
}

TEST_F(Werk, FocusedGraphicButtonIsTriggered)
{
    HWND dlg = oeffnen("bibprobe");
    ASSERT_NE(dlg, 0u);
    bibpruef::Aktuell a(dlg);
    MSG m;
    while (PeekMessage(&m, dlg, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {}
    SetFocus(GetDlgItem(dlg, 2002));
    EXPECT_EQ(wiGrbuAusloesen(), 0);
    SetFocus(GetDlgItem(dlg, 1002));
    EXPECT_EQ(wiGrbuAusloesen(), 1);
    ASSERT_TRUE(PeekMessage(&m, dlg, WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(m.wParam, 1002u);
}

TEST_F(Werk, PlacementTextRoundTrip)
{
    WINDOWPLACEMENT p{sizeof(WINDOWPLACEMENT), 2, 3, {-1, -2}, {-32000, 7}, {10, 20, 1930, 1100}};
    char text[120];
    wiDlgPlatzText(text, sizeof text, &p);
    EXPECT_STREQ(text, "2 3 -1 -2 -32000 7 10 20 1930 1100");
    WINDOWPLACEMENT q{};
    ASSERT_EQ(wiDlgPlatzLesen(&q, text), 0);
    EXPECT_EQ(std::memcmp(&p, &q, sizeof p), 0);
    WINDOWPLACEMENT r{};
    r.showCmd = 9;
    EXPECT_EQ(wiDlgPlatzLesen(&r, "1 2 3"), -1);
    EXPECT_EQ(r.showCmd, 9u);  // untouched
    char kurz[8];
    wiDlgPlatzText(kurz, sizeof kurz, &p);
    EXPECT_STREQ(kurz, "2 3 -1 ");
}

TEST_F(Werk, TextLooksLikeANumberDateOrTime)
{
    struct {
        const char* text;
        int erwartet;
    } faelle[] = {
        {"0", 0},          {"0123", 1},      {"4711", 0},       {"12,5", 0},      {",5", 0},
        {"-17", 0},        {"+3.000,25", 0}, {"1-2", 1},        {"12'345", 0},    {"05.11.2026", 0},
        {"5.11.2026", 0},  {"12:30", 0},     {"12:3", 1},       {"1a", 1},        {"Kabel", 1},
        {"0,5", 1},        {"-0", 0},        {"12.30.20261", 0}, {"ab.cd.efgh", 1}, {"1 2", 1},
    };
    for (const auto& f : faelle) EXPECT_EQ(StrIstText(f.text), f.erwartet) << f.text;
}

TEST_F(Werk, AnglesInTenthsStayInTheCircle)
{
    struct {
        const char* text;
        int erwartet;
    } faelle[] = {
        {"-0.01", 0}, {"370", 100}, {"0", 0},     {"45", 450},   {"45,04", 450}, {"45,06", 451},
        {"-90", 2700}, {"359.96", 0}, {"359.94", 3599}, {"-720", 0}, {"720.5", 5}, {"", 0},
    };
    for (const auto& f : faelle) EXPECT_EQ(StrWinkel(f.text), f.erwartet) << f.text;
}

TEST_F(Werk, SectionsOfTabularText)
{
    char ziel[40];
    int a = -1, e = -1;
    EXPECT_EQ(StrAbschnitt("  \tKabel NYM  3x1,5\tRest", ziel, sizeof ziel, &a, &e), 9);
    EXPECT_STREQ(ziel, "Kabel NYM");
    EXPECT_EQ(a, 3);
    EXPECT_EQ(e, 12);

    struct {
        const char* text;
        int n;
        const char* stueck;
        int anfang, ende;
    } faelle[] = {
        {"  kurz", 10, "kurz", 2, 6},
        {"Leitung, Kabel und Draht", 12, "Leitung,", 0, 8},
        {"Leitung Kabel und Draht", 12, "Leitung", 0, 7},
        {"Leitungskabel", 8, "Leitungs", 0, 8},
        {",abc def", 5, ",abc", 0, 4},
    };
    for (const auto& f : faelle) {
        EXPECT_EQ(StrAbschnittN(f.text, ziel, sizeof ziel, &a, &e, f.n), static_cast<int>(std::strlen(f.stueck)))
            << f.text;
        EXPECT_STREQ(ziel, f.stueck);
        EXPECT_EQ(a, f.anfang) << f.text;
        EXPECT_EQ(e, f.ende) << f.text;
    }
    char klein[4];
    StrAbschnittN("Leitung", klein, sizeof klein, &a, &e, 20);
    EXPECT_STREQ(klein, "Lei");  // cut to the target, never past it
}

TEST_F(Werk, NotificationsAndSiblings)
{
    EXPECT_EQ(wiNotifyKlick(static_cast<int>(NM_CLICK)), 1);
    EXPECT_EQ(wiNotifyKlick(static_cast<int>(NM_DBLCLK)), 2);
    EXPECT_EQ(wiNotifyKlick(0), 0);
    struct {
        WPARAM wp;
        int erwartet;
    } faelle[] = {{MAKEWPARAM(7, CBN_EDITUPDATE), 1}, {MAKEWPARAM(7, CBN_SELCHANGE), 2},
                  {MAKEWPARAM(7, CBN_DBLCLK), 3},     {MAKEWPARAM(7, CBN_SELENDOK), 3},
                  {MAKEWPARAM(7, CBN_DROPDOWN), 0},   {MAKEWPARAM(8, CBN_SELCHANGE), 0}};
    for (const auto& f : faelle) EXPECT_EQ(wiComboEreignis(7, f.wp), f.erwartet);

    // Sockets are per user, and other runs may serve the other names, so
    // only the one made here is asked for.
    if (plLokalKlasseMelden("ZVKEDIT") == 0) {
        EXPECT_EQ(GeschwisterLaeuft(1), 1);
        plLokalKlasseAbmelden("ZVKEDIT");
    }
    EXPECT_EQ(GeschwisterLaeuft(7), 0);
    plLokalEnde();
}

}  // namespace
