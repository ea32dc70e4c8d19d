// Tests of the cross-cursor window class (output/guck) by the pixels of the
// view window on the test dialog "ansichtprobe": the cursor with and without
// the focus, paints under the cursor, the cross-hair lines, the suppressed
// paint and the frame by the controls' look.
#include "output/guck.h"

#include <gtest/gtest.h>

#include "tests/output/ansichtprobe.h"

namespace {

using Guck = ap::Fixture;

constexpr int KREUZPIXEL = 2 * GUCKKREUZ - 1;  // a 21 x 21 cross

GuckStand stand(HWND f)
{
    GuckStand s{};
    EXPECT_TRUE(GuckStandHolen(f, &s));
    return s;
}

// The view's pixels with the cursor taken off for a moment.
GdiBildPixel ohneKreuz(HWND f)
{
    GuckZeigen(f, 0);
    GdiBildPixel p = ap::fensterPixel(f);
    GuckZeigen(f, 1);
    return p;
}

TEST_F(Guck, LosingTheFocusKeepsTheCursorInvertedInPlace)
{
    AnsichtFokus();
    ap::pumpen();
    GuckStand s = stand(view);
    ASSERT_EQ(s.fokus, 1);
    ASSERT_EQ(s.caretGezeigt, 1);
    const GdiBildPixel mitCaret = ap::fensterPixel(view);
    RECT box;
    EXPECT_EQ(ap::unterschiede(mitCaret, ohneKreuz(view), &box), KREUZPIXEL);
    EXPECT_EQ(box.left, s.x - 10);
    EXPECT_EQ(box.top, s.y - 10);
    EXPECT_EQ(box.right, s.x + 11);

    SetFocus(GetDlgItem(dlg, ANSICHT_UNTENBREIT));
    ap::pumpen();
    s = stand(view);
    EXPECT_EQ(s.fokus, 0);
    EXPECT_EQ(s.caretGezeigt, 0);
    EXPECT_EQ(s.bitmapGezeigt, 1);
    // The XOR bitmap shows what the caret showed, at the same place.
    EXPECT_EQ(ap::unterschiede(ap::fensterPixel(view), mitCaret), 0);

    // Back: the caret again, and no bitmap left behind.
    AnsichtFokus();
    ap::pumpen();
    EXPECT_EQ(stand(view).bitmapGezeigt, 0);
    EXPECT_EQ(ap::unterschiede(ap::fensterPixel(view), mitCaret), 0);

    // Around a popup menu the bitmap stands in for the caret, and back.
    AnsichtCaretModus(1);
    s = stand(view);
    EXPECT_EQ(s.caretGezeigt, 0);
    EXPECT_EQ(s.bitmapGezeigt, 1);
    EXPECT_EQ(ap::unterschiede(ap::fensterPixel(view), mitCaret), 0);
    AnsichtCaretModus(0);
    s = stand(view);
    EXPECT_EQ(s.caretGezeigt, 1);
    EXPECT_EQ(s.bitmapGezeigt, 0);
    EXPECT_EQ(ap::unterschiede(ap::fensterPixel(view), mitCaret), 0);
}

TEST_F(Guck, PaintsUnderTheBitmapCursorLeaveNoInvertedRemains)
{
    SetFocus(GetDlgItem(dlg, ANSICHT_UNTENBREIT));
    AnsichtKreuzSetzen(100, 100);
    ap::pumpen();
    ASSERT_EQ(stand(view).bitmapGezeigt, 1);
    // A clean picture: cursor off, whole window painted.
    GuckZeigen(view, 0);
    InvalidateRect(view, nullptr, FALSE);
    ap::pumpen();
    const GdiBildPixel sauber = ap::fensterPixel(view);
    GuckZeigen(view, 1);
    EXPECT_EQ(ap::unterschiede(ap::fensterPixel(view), sauber), KREUZPIXEL);

    // Paints of part of the cursor, of all of it and of the whole window.
    for (RECT r : {RECT{85, 95, 100, 130}, RECT{101, 80, 140, 100}, RECT{0, 0, 420, 280}}) {
        InvalidateRect(view, &r, FALSE);
        ap::pumpen();
        EXPECT_EQ(ap::unterschiede(ap::fensterPixel(view), sauber), KREUZPIXEL) << r.left;
        EXPECT_EQ(ap::unterschiede(ohneKreuz(view), sauber), 0) << r.left;
    }
    // Moving the cursor takes it off its old place.
    AnsichtKreuzSetzen(200, 150);
    RECT box;
    EXPECT_EQ(ap::unterschiede(ap::fensterPixel(view), sauber, &box), KREUZPIXEL);
    EXPECT_EQ(box.left, 190);
    EXPECT_EQ(box.top, 140);
}

TEST_F(Guck, CrossHairLinesOnlyWhereTheyHaveLength)
{
    SetFocus(GetDlgItem(dlg, ANSICHT_UNTENBREIT));
    ap::pumpen();
    int w, h;
    AnsichtPixelGroesse(&w, &h);
    AnsichtFadenkreuz(1);
    AnsichtKreuzSetzen(5, 100);
    const GdiBildPixel ohne = ap::fensterPixel(view);
    AnsichtFadenkreuzZeigen(1);
    const GdiBildPixel mit = ap::fensterPixel(view);
    // Right part 16..w-1, upper 0..89, lower 111..h-1; nothing left of the cursor.
    EXPECT_EQ(ap::unterschiede(mit, ohne), (w - 16) + 90 + (h - 111));
    for (int x = 0; x < 5; ++x) EXPECT_EQ(mit.an(x, 100), ohne.an(x, 100)) << x;
    EXPECT_NE(mit.an(16, 100), ohne.an(16, 100));
    EXPECT_NE(mit.an(5, 0), ohne.an(5, 0));
    // Showing twice changes nothing; a paint and a cursor move keep them whole.
    AnsichtFadenkreuzZeigen(1);
    InvalidateRect(view, nullptr, FALSE);
    ap::pumpen();
    EXPECT_EQ(ap::unterschiede(ap::fensterPixel(view), mit), 0);
    AnsichtKreuzSetzen(60, 100);
    AnsichtFadenkreuzZeigen(0);
    AnsichtKreuzSetzen(5, 100);
    EXPECT_EQ(ap::unterschiede(ap::fensterPixel(view), ohne), 0);
}

TEST_F(Guck, SuppressedPaintsOnlyValidate)
{
    const GdiBildPixel vorher = ap::fensterPixel(view);
    const int gemalt = ap::malZaehler;
    GuckMalenSperren(1);
    AnsichtHintergrund(255, 0, 0);
    ap::pumpen();
    EXPECT_EQ(ap::unterschiede(ap::fensterPixel(view), vorher), 0);
    EXPECT_EQ(ap::malZaehler, gemalt);
    RECT r;
    EXPECT_FALSE(GetUpdateRect(view, &r, FALSE));
    GuckMalenSperren(0);
    AnsichtNeuZeichnen();
    ap::pumpen();
    EXPECT_EQ(ap::malZaehler, gemalt + 1);
    EXPECT_EQ(ap::fensterPixel(view).an(3, 3), RGB(255, 0, 0));
    AnsichtHintergrund(255, 255, 255);
}

TEST_F(Guck, FrameKindThreeFollowsTheControlsLook)
{
    int w, h;
    AnsichtPixelGroesse(&w, &h);
    GdiBildPixel p = ap::fensterPixel(view);
    EXPECT_EQ(p.an(0, 0), RGB(128, 128, 128));
    EXPECT_EQ(p.an(1, 1), RGB(0, 0, 0));
    EXPECT_EQ(p.an(w - 1, h - 1), RGB(255, 255, 255));
    EXPECT_EQ(p.an(w - 2, h - 2), RGB(192, 192, 192));
    ctlFlachStilSetzen(1);
    AnsichtNeuZeichnen();
    ap::pumpen();
    p = ap::fensterPixel(view);
    EXPECT_EQ(p.an(0, 0), RGB(127, 157, 185));
    EXPECT_EQ(p.an(w - 1, h - 1), RGB(127, 157, 185));
    EXPECT_EQ(p.an(1, 1), GetSysColor(COLOR_WINDOW) & 0xFFFFFF);
}

TEST_F(Guck, InputGoesToTheDialogAndClicksTakeTheFocus)
{
    SetFocus(GetDlgItem(dlg, ANSICHT_UNTENBREIT));
    ap::pumpen();
    static std::vector<UINT> gesehen;
    gesehen.clear();
    AnsichtHaken([](UINT m, WPARAM, LPARAM) { return gesehen.push_back(m), 1; },
                 [](UINT m, WPARAM, LPARAM) { return gesehen.push_back(m), 1; }, 0);
    klick(50, 50);
    EXPECT_EQ(GetFocus(), view);
    taste('A');
    POINT p = bei(50, 50);
    plHeadlessRad(p.x, p.y, 1);
    ap::pumpen();
    // The mouse move of the click is not taken: no button held by the view.
    EXPECT_EQ(gesehen, (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_KEYDOWN, WM_CHAR, WM_MOUSEWHEEL}));
    // Moves are taken while the handler reports its button held.
    AnsichtTasteUnten(1);
    p = bei(60, 60);
    plHeadlessMausBewegen(p.x, p.y);
    ap::pumpen();
    EXPECT_EQ(gesehen.back(), static_cast<UINT>(WM_MOUSEMOVE));
    AnsichtTasteUnten(0);
    EXPECT_EQ(SendMessage(view, WM_GETDLGCODE, 0, 0), 129);
}

}  // namespace
