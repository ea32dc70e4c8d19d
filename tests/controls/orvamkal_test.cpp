// The calendar (rows by the week within the calendar year, month change,
// get-text forms, posted click codes, marks) and the two-way slider (text
// form, knob rules, a control too small to divide by).
#include <cstring>

#include "controls/orvamkal.h"
#include "tests/controls/ctlh1_pruef.h"

namespace {

using h1::Meldung;

class Kal : public h1::Fixture {
protected:
    HWND kal = 0;
    void SetUp() override
    {
        h1::Fixture::SetUp();
        kal = kind("ORVAMKAL", "", 1, 10, 10, 300, 240, 31);
        ASSERT_NE(kal, 0u);
    }
    void klick(int spalte, int zeile, bool doppelt = false)
    {
        RECT r;
        ASSERT_TRUE(mkalZellenRect(kal, spalte, zeile, &r));
        LPARAM lp = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        SendMessage(kal, doppelt ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, MK_LBUTTON, lp);
        h1::pumpen();
    }
    void bildKlick(int i)
    {
        RECT r;
        ASSERT_TRUE(mkalBildRect(kal, i, &r));
        SendMessage(kal, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
        h1::pumpen();
    }
};

TEST(KalZeilen, RowsFollowTheWeekWithinTheCalendarYear)
{
    const struct {
        int jahr, monat, tag, zeile;
    } faelle[] = {
        {2021, 1, 1, 1},   // a Friday in the last ISO week of 2020: still row 1
        {2021, 1, 3, 1},   // Sunday
        {2021, 1, 4, 2},   // the first Monday
        {2021, 1, 31, 5},
        {2024, 12, 1, 1},  // a Sunday
        {2024, 12, 2, 2},
        {2024, 12, 30, 6},  // ISO week 1 of 2025, still the sixth row
        {2025, 1, 1, 1},
        {2025, 1, 6, 2},
    };
    for (const auto& f : faelle) {
        EXPECT_EQ(mkalZeileVon(f.jahr, f.monat, f.tag), f.zeile) << f.jahr << "-" << f.monat << "-" << f.tag;
    }
}

TEST_F(Kal, DecemberToJanuaryWithGetTextFormsAndClickCodes)
{
    SetWindowText(kal, "\x1b" "D 15.12.2024");
    SetWindowText(kal, "\x1b" "F KW=1 WT=1 TXT=0");
    // Monday 30 December 2024: column 1, row 6
    klick(1, 6);
    EXPECT_EQ(h1::nimm({31}), (std::vector<Meldung>{{31, 1, true}}));
    EXPECT_EQ(h1::text(kal), "~2024-12-30~");
    SetWindowText(kal, "\x1b" "F TXT=1");
    EXPECT_EQ(h1::text(kal), "1 2024-12-30");
    // next month: posted with (year - 1900) x 100 + month in the high word
    bildKlick(1);
    EXPECT_EQ(h1::nimm({31}), (std::vector<Meldung>{{31, 4 | (12501 << 16), true}}));
    // a double click on Wednesday 1 January 2025 (column 3, row 1)
    klick(3, 1, true);
    EXPECT_EQ(h1::nimm({31}), (std::vector<Meldung>{{31, 1 | (1 << 16), true}}));
    EXPECT_EQ(h1::text(kal), "1 2025-01-01");
    // the week of row 2 (6..12 January): numbers and the seven dates
    klick(0, 2);
    EXPECT_EQ(h1::nimm({31}), (std::vector<Meldung>{{31, 2, true}}));
    EXPECT_EQ(h1::text(kal), "2 2 2025");
    SetWindowText(kal, "\x1b" "F TXT=0");
    EXPECT_EQ(h1::text(kal), "~2025-01-06~2025-01-07~2025-01-08~2025-01-09~2025-01-10~2025-01-11~2025-01-12~");
    // a weekday column: every Friday of January 2025
    klick(5, 0);
    EXPECT_EQ(h1::text(kal), "~2025-01-03~2025-01-10~2025-01-17~2025-01-24~2025-01-31~");
    SetWindowText(kal, "\x1b" "F TXT=1");
    EXPECT_EQ(h1::text(kal), "3 4");
    // and back again into December 2024
    bildKlick(0);
    EXPECT_EQ(h1::nimm({31}).back(), (Meldung{31, 4 | (12412 << 16), true}));
}

TEST_F(Kal, January2021RowsAndWhatCannotBeClicked)
{
    SetWindowText(kal, "\x1b" "D 2021-01-20");
    SetWindowText(kal, "\x1b" "F TXT=0");
    klick(5, 1);  // Friday 1 January 2021 in row 1
    EXPECT_EQ(h1::text(kal), "~2021-01-01~");
    klick(1, 2);  // Monday 4 January in row 2
    EXPECT_EQ(h1::text(kal), "~2021-01-04~");
    klick(7, 5);  // Sunday 31 January in row 5
    EXPECT_EQ(h1::text(kal), "~2021-01-31~");
    h1::meldungen.clear();
    klick(1, 1);  // Monday of row 1 lies in December: no day of this month
    klick(0, 3);  // week numbers are not shown
    klick(3, 0);  // weekdays are not selectable
    EXPECT_TRUE(h1::nimm({31}).empty());
    EXPECT_EQ(h1::text(kal), "~2021-01-31~");
}

TEST_F(Kal, TallerThanWideLaysTheWeeksOutAsColumns)
{
    HWND hoch = kind("ORVAMKAL", "", 0, 320, 10, 200, 320, 32);
    SetWindowText(hoch, "\x1b" "D 15.12.2024");
    SetWindowText(hoch, "\x1b" "F KW=1");
    RECT montag, dienstag, woche2;
    ASSERT_TRUE(mkalZellenRect(hoch, 1, 6, &montag));
    ASSERT_TRUE(mkalZellenRect(hoch, 2, 6, &dienstag));
    ASSERT_TRUE(mkalZellenRect(hoch, 1, 5, &woche2));
    EXPECT_GT(dienstag.top, montag.top);   // weekdays run down
    EXPECT_EQ(dienstag.left, montag.left);
    EXPECT_LT(woche2.left, montag.left);   // weeks run across
    SendMessage(hoch, WM_LBUTTONDOWN, MK_LBUTTON,
                MAKELPARAM((dienstag.left + dienstag.right) / 2, (dienstag.top + dienstag.bottom) / 2));
    EXPECT_EQ(h1::text(hoch), "~2024-12-31~");
    // "A 1" switches to the horizontal layout
    SetWindowText(hoch, "\x1b" "A 1");
    ASSERT_TRUE(mkalZellenRect(hoch, 2, 6, &dienstag));
    RECT m2;
    ASSERT_TRUE(mkalZellenRect(hoch, 1, 6, &m2));
    EXPECT_EQ(m2.top, dienstag.top);
    EXPECT_GT(dienstag.left, m2.left);
    EXPECT_FALSE(mkalZellenRect(eltern, 1, 1, &m2));
}

TEST_F(Kal, CommandsMarksAndFocusCodes)
{
    SetWindowText(kal, "\x1b" "D 01.02.2024 M+14.02.2024 M+2024-02-29");
    SetWindowText(kal, "\x1b" "C 255 0 0");
    plBild b = h1::bild(kal);
    RECT r14;
    ASSERT_TRUE(mkalZellenRect(kal, 3, mkalZeileVon(2024, 2, 14), &r14));
    EXPECT_EQ(h1::px(b, r14.left + 1, r14.bottom - 2), RGB(255, 0, 0));
    SetWindowText(kal, "\x1b" "D M-14.02.2024");
    b = h1::bild(kal);
    EXPECT_NE(h1::px(b, r14.left + 1, r14.bottom - 2), RGB(255, 0, 0));
    // texts without ESC and letters outside '+'..'W' are ignored
    SetWindowText(kal, "D 01.01.2030");
    SetWindowText(kal, "\x1b" "a");
    SetWindowText(kal, "\x1b" "F TXT=0");
    klick(4, 3);  // Thursday of row 3 in February 2024: the 15th
    EXPECT_EQ(h1::text(kal), "~2024-02-15~");
    // focus: edit-style codes with lParam 0; a change reported after the paint
    h1::meldungen.clear();
    SetFocus(kal);
    h1::pumpen();
    klick(5, 3);
    h1::bild(kal);
    SetFocus(eltern);
    h1::pumpen();
    std::vector<Meldung> soll = {
        {0x100001f, 0, false}, {31, 1, true}, {0x300001f, 0, false}, {0x200001f, 0, false}};
    EXPECT_EQ(h1::nimm(), soll);
}

// ---- Slider -------------------------------------------------------------------------------------

class Sldr : public h1::Fixture {};

TEST_F(Sldr, TextFormAndKnobRules)
{
    HWND s = kind("ORVASLDR", "2 50 50", 3, 10, 10, 108, 108, 41);
    ASSERT_NE(s, 0u);
    EXPECT_EQ(h1::text(s), "2 50 50");
    const struct {
        const char* setzen;
        const char* lesen;
    } faelle[] = {
        {"2 0 100", "2 25 75"},   // clamped to [h, 100 - h], h = 100 / 4
        {"32 0 100", "32 1 99"},  // h at least 1
        {"1 30 70", "1 50 50"},   // h = 50
        {"4 12 88", "4 12 88"},
    };
    for (const auto& f : faelle) {
        SetWindowText(s, f.setzen);
        EXPECT_EQ(h1::text(s), f.lesen) << f.setzen;
    }
    SetFocus(s);
    h1::pumpen();
    h1::meldungen.clear();
    const struct {
        UINT vk;
        char zeichen;
        const char* lesen;
    } tasten[] = {
        {VK_RIGHT, 0, "4 22 88"}, {VK_DOWN, 0, "4 22 88"}, {VK_UP, 0, "4 22 78"}, {0, '+', "8 22 78"},
        {0, '-', "4 22 78"},      {0, '-', "2 25 75"},      {0, '-', "1 50 50"},   {0, '-', "1 50 50"},
    };
    for (const auto& t : tasten) {
        if (t.vk) SendMessage(s, WM_KEYDOWN, t.vk, 0);
        if (t.zeichen) SendMessage(s, WM_CHAR, static_cast<WPARAM>(t.zeichen), 0);
        EXPECT_EQ(h1::text(s), t.lesen);
    }
    // a change is reported once after the next paint while focused
    h1::bild(s);
    h1::bild(s);
    auto m = h1::nimm({0x3000029});
    EXPECT_EQ(m.size(), 1u);
}

TEST_F(Sldr, DraggingTheKnobAndStepsTowardAClick)
{
    HWND s = kind("ORVASLDR", "4 50 50", 0, 10, 10, 110, 110, 41);
    // knob centre at 4 + 50 x 102 / 100 = 55: grab it there and drop at 85
    SendMessage(s, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(55, 55));
    EXPECT_EQ(GetCapture(), s);
    EXPECT_EQ(GetFocus(), s);
    SendMessage(s, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(70, 55));
    SendMessage(s, WM_LBUTTONUP, 0, MAKELPARAM(85, 55));
    // x % = (85 + 0 - 5) x 100 / 100
    EXPECT_EQ(h1::text(s), "4 80 50");
    EXPECT_EQ(GetCapture(), 0u);
    // points within 4 pixels of an edge are ignored
    SendMessage(s, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(86, 55));
    SendMessage(s, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(108, 55));
    EXPECT_EQ(h1::text(s), "4 80 50");
    SendMessage(s, WM_LBUTTONUP, 0, MAKELPARAM(60, 55));
    EXPECT_EQ(h1::text(s), "4 54 50");  // grab offset -1
    // a press beside the knob moves it 10 percent toward the click
    SendMessage(s, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 100));
    SendMessage(s, WM_LBUTTONUP, 0, MAKELPARAM(10, 100));
    EXPECT_EQ(h1::text(s), "4 44 60");
}

TEST_F(Sldr, TenByTenDoesNotDivideByZero)
{
    HWND s = kind("ORVASLDR", "1 50 50", 1, 10, 10, 10, 10, 41);
    ASSERT_NE(s, 0u);
    SendMessage(s, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessage(s, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessage(s, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(6, 4));
    SendMessage(s, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(h1::text(s), "1 50 50");
    h1::bild(s);
    MoveWindow(s, 10, 10, 3, 2, TRUE);
    SetWindowText(s, "0 0 0");
    SendMessage(s, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
    SendMessage(s, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    h1::bild(s);
    EXPECT_EQ(h1::text(s), "0 0 0");
}

}  // namespace
