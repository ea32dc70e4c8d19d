// The classic 3D look; see stil3d.h. Prefix `plStil` (file helpers `stil`).
// Calls the GDI and the system colours only.
#include "platform/stil3d.h"

#include <algorithm>

#include "platform/gdi.h"
#include "platform/systemwerte.h"

namespace {

void stilLinie(HDC hdc, int l, int t, int r, int b, int farbe)
{
    if (r <= l || b <= t) return;
    RECT rc{l, t, r, b};
    FillRect(hdc, &rc, GetSysColorBrush(farbe));
}

void stilPunkt(HDC hdc, int x, int y, COLORREF c)
{
    SetPixel(hdc, x, y, c);
}

// One ring of a border: top-left colour `tl`, bottom-right colour `br`.
void stilRing(HDC hdc, RECT* rc, UINT flags, int tl, int br)
{
    if (flags & BF_TOP) stilLinie(hdc, rc->left, rc->top, rc->right, rc->top + 1, tl);
    if (flags & BF_LEFT) stilLinie(hdc, rc->left, rc->top, rc->left + 1, rc->bottom, tl);
    if (flags & BF_BOTTOM) stilLinie(hdc, rc->left, rc->bottom - 1, rc->right, rc->bottom, br);
    if (flags & BF_RIGHT) stilLinie(hdc, rc->right - 1, rc->top, rc->right, rc->bottom, br);
    if (flags & BF_TOP) rc->top++;
    if (flags & BF_LEFT) rc->left++;
    if (flags & BF_BOTTOM) rc->bottom--;
    if (flags & BF_RIGHT) rc->right--;
}

// 12 x 12 radio button: '.' nothing, 's' shadow, 'd' dark shadow,
// 'h' highlight, 'l' light, 'w' the well.
const char* const stilRadio[12] = {
    "....ssss....", "..ssddddss..", ".sdd....ddh.", ".sd.wwwwwlh.", "sd.wwwwwwwlh", "sdwwwwwwwwlh",
    "sdwwwwwwwwlh", "sdwwwwwwwwlh", ".sdwwwwwwlh.", ".slwwwwwwlh.", "..hhllllhh..", "....hhhh....",
};

void stilRadioMalen(HDC hdc, int x0, int y0, UINT state)
{
    COLORREF well = GetSysColor((state & (DFCS_INACTIVE | DFCS_PUSHED)) ? COLOR_BTNFACE : COLOR_WINDOW);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) {
            COLORREF c;
            switch (stilRadio[y][x]) {
            case 's': c = GetSysColor(COLOR_BTNSHADOW); break;
            case 'd': c = GetSysColor(COLOR_3DDKSHADOW); break;
            case 'h': c = GetSysColor(COLOR_BTNHIGHLIGHT); break;
            case 'l': c = GetSysColor(COLOR_3DLIGHT); break;
            case 'w': c = well; break;
            default: continue;
            }
            stilPunkt(hdc, x0 + x, y0 + y, c);
        }
    // A plain interior: the pattern's edge pixels next to the well are part of it.
    for (int y = 3; y < 9; ++y)
        for (int x = 2; x < 10; ++x)
            if (stilRadio[y][x] == '.') stilPunkt(hdc, x0 + x, y0 + y, well);
    if (state & DFCS_CHECKED) {
        COLORREF dot = GetSysColor((state & DFCS_INACTIVE) ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT);
        RECT r1{x0 + 5, y0 + 4, x0 + 7, y0 + 8}, r2{x0 + 4, y0 + 5, x0 + 8, y0 + 7};
        HBRUSH b = CreateSolidBrush(dot);
        FillRect(hdc, &r1, b);
        FillRect(hdc, &r2, b);
        DeleteObject(b);
    }
}

void stilHaken(HDC hdc, int x0, int y0, COLORREF c)
{
    // The classic 7 x 7 check mark, three pixels thick.
    static const int xs[7] = {0, 1, 2, 3, 4, 5, 6};
    static const int ys[7] = {2, 3, 4, 3, 2, 1, 0};
    for (int i = 0; i < 7; ++i)
        for (int k = 0; k < 3; ++k) stilPunkt(hdc, x0 + xs[i], y0 + ys[i] + k, c);
}

void stilCheckMalen(HDC hdc, int x0, int y0, UINT state)
{
    RECT rc{x0, y0, x0 + 13, y0 + 13};
    DrawEdge(hdc, &rc, EDGE_SUNKEN, BF_RECT | BF_ADJUST | ((state & DFCS_FLAT) ? BF_FLAT : 0));
    bool grau = (state & (DFCS_INACTIVE | DFCS_PUSHED)) || (state & DFCS_BUTTON3STATE && state & DFCS_CHECKED);
    plStilFlaeche(hdc, &rc, grau ? COLOR_BTNFACE : COLOR_WINDOW);
    if (state & DFCS_CHECKED) {
        int f = ((state & DFCS_INACTIVE) || (state & DFCS_BUTTON3STATE)) ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT;
        stilHaken(hdc, x0 + 3, y0 + 3, GetSysColor(f));
    }
}

void stilKnopfRahmen(HDC hdc, RECT* rc, UINT state)
{
    if (state & DFCS_FLAT) {
        DrawEdge(hdc, rc, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST | BF_MONO);
    } else if (state & (DFCS_PUSHED | DFCS_CHECKED)) {
        stilRing(hdc, rc, BF_RECT, COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT);
        stilRing(hdc, rc, BF_RECT, COLOR_BTNSHADOW, COLOR_3DLIGHT);
    } else {
        DrawEdge(hdc, rc, EDGE_RAISED, BF_RECT | BF_ADJUST);
    }
    plStilFlaeche(hdc, rc, COLOR_BTNFACE);
}

void stilGriff(HDC hdc, const RECT* rc)
{
    // Three pairs of diagonal lines in the bottom-right corner.
    int r = rc->right, b = rc->bottom;
    COLORREF hell = GetSysColor(COLOR_BTNHIGHLIGHT), dunkel = GetSysColor(COLOR_BTNSHADOW);
    for (int k = 0; k < 3; ++k) {
        int o = 3 + 4 * k;
        for (int i = 0; i <= o && i < rc->right - rc->left && i < rc->bottom - rc->top; ++i) {
            stilPunkt(hdc, r - 1 - i, b - 1 - o + i, hell);
            if (o - 1 >= 0 && i <= o - 1) stilPunkt(hdc, r - 1 - i, b - o + i, dunkel);
            if (o - 2 >= 0 && i <= o - 2) stilPunkt(hdc, r - 1 - i, b - o + 1 + i, dunkel);
        }
    }
}

void stilKreuz(HDC hdc, const RECT* rc, COLORREF c)
{
    int w = std::min(rc->right - rc->left, rc->bottom - rc->top) / 2 - 1;
    if (w < 2) return;
    int cx = (rc->left + rc->right) / 2 - w / 2 - 1, cy = (rc->top + rc->bottom) / 2 - w / 2;
    for (int i = 0; i < w; ++i)
        for (int k = 0; k < 2; ++k) {
            stilPunkt(hdc, cx + i + k, cy + i, c);
            stilPunkt(hdc, cx + w - 1 - i + k, cy + i, c);
        }
}

}  // namespace

BOOL DrawEdge(HDC hdc, LPRECT rc, UINT edge, UINT flags)
{
    if (!rc) return FALSE;
    RECT r = *rc;
    if (flags & (BF_FLAT | BF_MONO)) {
        int farbe = (flags & BF_MONO) ? COLOR_WINDOWFRAME : COLOR_BTNSHADOW;
        if (edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) stilRing(hdc, &r, flags, farbe, farbe);
        if (edge & (BDR_RAISEDINNER | BDR_SUNKENINNER)) {
            int innen = (flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE;
            stilRing(hdc, &r, flags, innen, innen);
        }
    } else {
        if (edge & BDR_RAISEDOUTER)
            stilRing(hdc, &r, flags, (flags & BF_SOFT) ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT, COLOR_3DDKSHADOW);
        else if (edge & BDR_SUNKENOUTER)
            stilRing(hdc, &r, flags, (flags & BF_SOFT) ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
        if (edge & BDR_RAISEDINNER)
            stilRing(hdc, &r, flags, (flags & BF_SOFT) ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
        else if (edge & BDR_SUNKENINNER)
            stilRing(hdc, &r, flags, (flags & BF_SOFT) ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW, COLOR_3DLIGHT);
    }
    if (flags & BF_MIDDLE) plStilFlaeche(hdc, &r, (flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE);
    if (flags & BF_ADJUST) *rc = r;
    return TRUE;
}

BOOL DrawFrameControl(HDC hdc, LPRECT rc, UINT type, UINT state)
{
    if (!rc) return FALSE;
    int w = rc->right - rc->left, h = rc->bottom - rc->top;
    switch (type) {
    case DFC_BUTTON: {
        if (state & DFCS_BUTTONPUSH) {
            RECT r = *rc;
            stilKnopfRahmen(hdc, &r, state);
            if (state & DFCS_ADJUSTRECT) *rc = r;
            return TRUE;
        }
        int x0 = rc->left + (w - 13) / 2, y0 = rc->top + (h - 13) / 2;
        if (state & (DFCS_BUTTONRADIO | DFCS_BUTTONRADIOIMAGE))
            stilRadioMalen(hdc, x0, y0 + 1, state);
        else
            stilCheckMalen(hdc, x0, y0, state);
        return TRUE;
    }
    case DFC_SCROLL: {
        if (state & (DFCS_SCROLLSIZEGRIP | DFCS_SCROLLSIZEGRIPRIGHT)) {
            plStilFlaeche(hdc, rc, COLOR_BTNFACE);
            stilGriff(hdc, rc);
            return TRUE;
        }
        RECT r = *rc;
        stilKnopfRahmen(hdc, &r, state);
        if (state & DFCS_PUSHED) OffsetRect(&r, 1, 1);
        int richtung = 1;
        switch (state & 0xFF) {
        case DFCS_SCROLLUP: richtung = 0; break;
        case DFCS_SCROLLLEFT: richtung = 2; break;
        case DFCS_SCROLLRIGHT: richtung = 3; break;
        default: richtung = 1; break;
        }
        if (state & DFCS_INACTIVE) {
            RECT s = r;
            OffsetRect(&s, 1, 1);
            plStilPfeil(hdc, &s, richtung, GetSysColor(COLOR_BTNHIGHLIGHT));
            plStilPfeil(hdc, &r, richtung, GetSysColor(COLOR_BTNSHADOW));
        } else {
            plStilPfeil(hdc, &r, richtung, GetSysColor(COLOR_BTNTEXT));
        }
        return TRUE;
    }
    case DFC_CAPTION: {
        RECT r = *rc;
        stilKnopfRahmen(hdc, &r, state);
        if (state & DFCS_PUSHED) OffsetRect(&r, 1, 1);
        stilKreuz(hdc, &r, GetSysColor((state & DFCS_INACTIVE) ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
        return TRUE;
    }
    case DFC_MENU:
    case DFC_POPUPMENU: {
        COLORREF c = GetSysColor(COLOR_MENUTEXT);
        switch (state & 0xFF) {
        case DFCS_MENUCHECK: stilHaken(hdc, rc->left + (w - 7) / 2, rc->top + (h - 7) / 2 - 1, c); break;
        case DFCS_MENUBULLET: {
            RECT d{rc->left + w / 2 - 2, rc->top + h / 2 - 2, rc->left + w / 2 + 2, rc->top + h / 2 + 2};
            HBRUSH b = CreateSolidBrush(c);
            FillRect(hdc, &d, b);
            DeleteObject(b);
            break;
        }
        default: plStilPfeil(hdc, rc, 3, c); break;
        }
        return TRUE;
    }
    default: return FALSE;
    }
}

void plStilFokus(HDC hdc, const RECT* rc, int einzug)
{
    if (!rc) return;
    RECT r{rc->left + einzug, rc->top + einzug, rc->right - einzug, rc->bottom - einzug};
    if (r.right <= r.left || r.bottom <= r.top) return;
    COLORREF alt = SetTextColor(hdc, RGB(0, 0, 0));
    COLORREF altBk = SetBkColor(hdc, RGB(255, 255, 255));
    DrawFocusRect(hdc, &r);
    SetTextColor(hdc, alt);
    SetBkColor(hdc, altBk);
}

void plStilKnopf(HDC hdc, const RECT* rc, bool gedrueckt, bool standard, RECT* innen)
{
    RECT r = *rc;
    if (standard) stilRing(hdc, &r, BF_RECT, COLOR_WINDOWFRAME, COLOR_WINDOWFRAME);
    if (gedrueckt && standard) {
        // A pushed default button shows a flat shadow frame.
        stilRing(hdc, &r, BF_RECT, COLOR_BTNSHADOW, COLOR_BTNSHADOW);
        plStilFlaeche(hdc, &r, COLOR_BTNFACE);
    } else {
        stilKnopfRahmen(hdc, &r, gedrueckt ? DFCS_PUSHED : 0);
    }
    if (innen) *innen = r;
}

void plStilFeld(HDC hdc, const RECT* rc, HBRUSH fuellung, RECT* innen)
{
    RECT r = *rc;
    DrawEdge(hdc, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    if (fuellung) FillRect(hdc, &r, fuellung);
    if (innen) *innen = r;
}

void plStilRille(HDC hdc, const RECT* rc)
{
    RECT r = *rc;
    DrawEdge(hdc, &r, EDGE_ETCHED, BF_RECT);
}

int plStilText(HDC hdc, const char* text, int n, RECT* rc, UINT format, bool frei)
{
    int alt = SetBkMode(hdc, TRANSPARENT);
    int h;
    if (frei) {
        h = DrawText(hdc, text, n, rc, format);
    } else {
        COLORREF c = SetTextColor(hdc, GetSysColor(COLOR_BTNHIGHLIGHT));
        RECT s = *rc;
        OffsetRect(&s, 1, 1);
        DrawText(hdc, text, n, &s, format);
        SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
        h = DrawText(hdc, text, n, rc, format);
        SetTextColor(hdc, c);
    }
    SetBkMode(hdc, alt);
    return h;
}

void plStilPfeil(HDC hdc, const RECT* rc, int richtung, COLORREF farbe)
{
    int w = rc->right - rc->left, h = rc->bottom - rc->top;
    int groesse = std::max(2, std::min(w, h) / 3);  // rows of the triangle
    HBRUSH b = CreateSolidBrush(farbe);
    bool senkrecht = richtung <= 1;
    int cx = rc->left + w / 2, cy = rc->top + h / 2;
    for (int i = 0; i < groesse; ++i) {
        // Row i counted from the tip: 2i+1 pixels wide.
        RECT z;
        if (senkrecht) {
            int y = richtung == 0 ? cy - groesse / 2 + i : cy + (groesse - 1) / 2 - i;
            z = RECT{cx - i, y, cx + i + 1, y + 1};
        } else {
            int x = richtung == 2 ? cx - groesse / 2 + i : cx + (groesse - 1) / 2 - i;
            z = RECT{x, cy - i, x + 1, cy + i + 1};
        }
        FillRect(hdc, &z, b);
    }
    DeleteObject(b);
}

void plStilFlaeche(HDC hdc, const RECT* rc, int sysFarbe)
{
    if (rc->right <= rc->left || rc->bottom <= rc->top) return;
    FillRect(hdc, rc, GetSysColorBrush(sysFarbe));
}

// ---- Rectangle helpers ------------------------------------------------------------------

BOOL SetRect(LPRECT rc, int left, int top, int right, int bottom)
{
    if (!rc) return FALSE;
    *rc = RECT{left, top, right, bottom};
    return TRUE;
}

BOOL SetRectEmpty(LPRECT rc)
{
    return SetRect(rc, 0, 0, 0, 0);
}

BOOL CopyRect(LPRECT dst, const RECT* src)
{
    if (!dst || !src) return FALSE;
    *dst = *src;
    return TRUE;
}

BOOL IsRectEmpty(const RECT* rc)
{
    return !rc || rc->right <= rc->left || rc->bottom <= rc->top;
}

BOOL EqualRect(const RECT* a, const RECT* b)
{
    return a && b && a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom;
}

BOOL OffsetRect(LPRECT rc, int dx, int dy)
{
    if (!rc) return FALSE;
    rc->left += dx;
    rc->right += dx;
    rc->top += dy;
    rc->bottom += dy;
    return TRUE;
}

BOOL InflateRect(LPRECT rc, int dx, int dy)
{
    if (!rc) return FALSE;
    rc->left -= dx;
    rc->right += dx;
    rc->top -= dy;
    rc->bottom += dy;
    return TRUE;
}

BOOL PtInRect(const RECT* rc, POINT pt)
{
    return rc && pt.x >= rc->left && pt.x < rc->right && pt.y >= rc->top && pt.y < rc->bottom;
}

BOOL IntersectRect(LPRECT dst, const RECT* a, const RECT* b)
{
    if (!dst || !a || !b) return FALSE;
    RECT r{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
           std::min(a->bottom, b->bottom)};
    if (IsRectEmpty(&r)) {
        SetRectEmpty(dst);
        return FALSE;
    }
    *dst = r;
    return TRUE;
}

BOOL UnionRect(LPRECT dst, const RECT* a, const RECT* b)
{
    if (!dst || !a || !b) return FALSE;
    if (IsRectEmpty(a)) {
        if (IsRectEmpty(b)) return SetRectEmpty(dst) && FALSE;
        *dst = *b;
        return TRUE;
    }
    if (IsRectEmpty(b)) {
        *dst = *a;
        return TRUE;
    }
    *dst = RECT{std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
                std::max(a->bottom, b->bottom)};
    return TRUE;
}

BOOL SubtractRect(LPRECT dst, const RECT* a, const RECT* b)
{
    if (!dst || !a || !b) return FALSE;
    RECT r = *a, s;
    if (IntersectRect(&s, a, b)) {
        // Only a full cut along one side shrinks the rectangle.
        if (s.top == r.top && s.bottom == r.bottom) {
            if (s.left == r.left) r.left = s.right;
            else if (s.right == r.right) r.right = s.left;
        } else if (s.left == r.left && s.right == r.right) {
            if (s.top == r.top) r.top = s.bottom;
            else if (s.bottom == r.bottom) r.bottom = s.top;
        }
    }
    *dst = r;
    return !IsRectEmpty(dst);
}

int MulDiv(int a, int b, int c)
{
    if (c == 0) return -1;
    int64_t p = static_cast<int64_t>(a) * b;
    bool neg = (p < 0) != (c < 0);
    int64_t ap = p < 0 ? -p : p, ac = c < 0 ? -static_cast<int64_t>(c) : c;
    int64_t q = (ap + ac / 2) / ac;
    return static_cast<int>(neg ? -q : q);
}
