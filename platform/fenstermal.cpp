// Window manager: the paint protocol. Update regions, WM_PAINT candidates,
// BeginPaint/EndPaint, window DCs, scrolling, the non-client frame, backing
// surfaces and saving windows as PNG. See fenster.h. Helpers: prefix `mal`.
// May call: gdi.h and gdiint.h (DCs over the surfaces), backend.h.
//
// Rules:
//  1. Invalidation only grows a window's update region (client coordinates)
//     and marks erase/frame work; WM_PAINT is made later by the message
//     loop when nothing else waits (nachricht.cpp).
//  2. Every top-level window has one cairo image surface (RGB24) as large as
//     the window; children draw into it at their offset, clipped to the part
//     of them that is visible (ancestors' client areas, siblings above them
//     with WS_CLIPSIBLINGS, their own children with WS_CLIPCHILDREN).
//  3. A window without WS_CLIPCHILDREN paints over its children, so
//     invalidating it invalidates the children it covers too.
//  4. BeginPaint: frame first (WM_NCPAINT), then the update region is taken
//     and validated, then WM_ERASEBKGND when erasing was asked for; the DC
//     is clipped to the visible part of the taken region.
//  5. After painting (EndPaint, ReleaseDC, frame painting) the window's
//     surface is handed to the backend to show.
//  6. Without a screen (headless) no one sees a window until its pixels are
//     read: while a top-level window has no surface, the DCs of the paint
//     protocol (BeginPaint, frame, erasing) draw nowhere and are held in
//     their order. The first read (plFensterPng, plFensterPixel, a DC from
//     GetDC/GetWindowDC that reaches the window, scrolling its pixels) makes
//     the surface and the held paints again, each with the origin and clip
//     it had, so the pixels are those that painting all along would have
//     left: a child painted early and painted over by its parent later
//     stays painted over. A child that is destroyed or leaves the window
//     has its held paints made first.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

#include "platform/backend.h"
#include "platform/fensterint.h"
#include "platform/gdi.h"
#include "platform/gdiint.h"
#include "platform/systemwerte.h"

namespace {

struct MalDc {
    HDC hdc;
    HWND fenster;     // 0: the screen
    bool malen;       // made by BeginPaint
    bool gehalten = false;  // draws nowhere for the top level's last held paint
};

std::vector<MalDc> malDcs;
cairo_surface_t* malBildschirm = nullptr;
cairo_surface_t* malLeer = nullptr;  // malLeerFlaeche
plMenueLeisteMalenFn malMenueHook = nullptr;
plNcExtrasMalenFn malNcHook = nullptr;

// A new surface of the top-level window's size in the window colour; with
// `alt`, its content is kept at the top left.
cairo_surface_t* malFlaecheNeu(const plFenster* w, cairo_surface_t* alt)
{
    int b = std::max<int>(1, w->rect.right - w->rect.left);
    int h = std::max<int>(1, w->rect.bottom - w->rect.top);
    cairo_surface_t* neu = cairo_image_surface_create(CAIRO_FORMAT_RGB24, b, h);
    cairo_t* cr = cairo_create(neu);
    COLORREF f = GetSysColor(COLOR_WINDOW);
    cairo_set_source_rgb(cr, GetRValue(f) / 255.0, GetGValue(f) / 255.0, GetBValue(f) / 255.0);
    cairo_paint(cr);
    if (alt) {
        cairo_set_source_surface(cr, alt, 0, 0);
        cairo_paint(cr);
    }
    cairo_destroy(cr);
    return neu;
}

// The surface of a top-level window, made when it is first needed: a
// window created, placed and sized before it is shown paints no surface for
// the sizes on the way.
cairo_surface_t* malFlaecheSichern(plFenster* o)
{
    if (!o->flaeche) {
        o->flaeche = malFlaecheNeu(o, nullptr);
        o->flaecheBemalt = false;
    }
    return o->flaeche;
}

// The target of DCs that cannot draw: one white pixel, made once.
cairo_surface_t* malLeerFlaeche()
{
    if (!malLeer) {
        malLeer = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1);
        cairo_t* cr = cairo_create(malLeer);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_paint(cr);
        cairo_destroy(cr);
    }
    return malLeer;
}

// Rule 6 holds for the headless backend only: a desktop shows every window.
bool malAufschieben()
{
    return std::strcmp(plBackendName(), "headless") == 0;
}

// Paints held for one top-level window; more are made at once (the log is
// kept small for a window painted over and over that no one reads).
constexpr size_t MALSPURSUP = 4096;

int malNachholen = 0;                     // depth of malNachholenAlle
const plMalSpur* malSpurJetzt = nullptr;  // the paint being made again

struct MalOffen {
    HWND h;
    plRegion update;
    bool loeschen, ncMalen, internMalen;
};

void malOffenSammeln(const plFenster* w, std::vector<MalOffen>& offen)
{
    offen.push_back(MalOffen{w->h, w->update, w->loeschen, w->ncMalen, w->internMalen});
    for (HWND k : w->kinder)
        if (const plFenster* kw = plFensterVon(k)) malOffenSammeln(kw, offen);
}

// The pixels of a top-level window whose painting went nowhere: its surface
// in the window colour, and every held paint made again in its order, each
// with the DC it had (origin and region), so a window painted early and
// painted over by its parent later stays painted over. Painting again
// changes nothing the loop still has to paint.
void malNachholenAlle(plFenster* o)
{
    const HWND oben = o->h;
    std::vector<plMalSpur> spur;
    spur.swap(o->malSpur);
    malFlaecheSichern(o);
    o->flaecheBemalt = true;
    std::vector<MalOffen> offen;
    malOffenSammeln(o, offen);
    ++malNachholen;
    for (const plMalSpur& e : spur) {
        plFenster* w = e.art == 3 ? nullptr : plFensterVon(e.h);
        if (!w || plFensterOben(e.h) != oben) continue;
        malSpurJetzt = &e;
        if (e.art == 0) {
            w->update = e.update;
            w->loeschen = e.loeschen;
            w->ncMalen = w->internMalen = false;
            SendMessage(e.h, WM_PAINT, 0, 0);
        } else if (e.art == 2) {
            SendMessage(e.h, WM_NCPAINT, 1, 0);
        } else {
            w->update = e.update;
            w->loeschen = true;
            RECT dummy;
            GetUpdateRect(e.h, &dummy, TRUE);
        }
        malSpurJetzt = nullptr;
    }
    --malNachholen;
    for (const MalOffen& a : offen) {
        plFenster* w = plFensterVon(a.h);
        if (!w) continue;
        w->update = a.update;
        w->loeschen = a.loeschen;
        w->ncMalen = a.ncMalen;
        w->internMalen = a.internMalen;
    }
}

// The held paints of the top level of `h`, made before what would change
// their pixels in a way a later replay cannot (pixels read or moved, the
// window leaving its top level).
void malNachholenFuer(HWND h)
{
    plFenster* o = plFensterVon(plFensterOben(h));
    if (o && !o->malSpur.empty()) malNachholenAlle(o);
}

cairo_surface_t* malFlaecheVon(const plFenster* w)
{
    HWND oben = plFensterOben(w->h);
    malNachholenFuer(oben);
    plFenster* o = plFensterVon(oben);
    return o ? malFlaecheSichern(o) : nullptr;
}

// What a window without a surface drew went nowhere (see malDcMachen):
// there is nothing to show until its first drawing.
void malPraesentieren(HWND h)
{
    HWND oben = plFensterOben(h);
    plFenster* o = plFensterVon(oben);
    if (!o || !o->flaeche) return;
    RECT r{0, 0, o->rect.right - o->rect.left, o->rect.bottom - o->rect.top};
    plBePraesentieren(oben, o->flaeche, &r);
}

RECT malRechteckInOben(const plFenster* w, bool ganz)
{
    POINT o = ganz ? plFensterInOben(w) : plFensterClientInOben(w);
    RECT r = ganz ? RECT{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top} : plFensterClient(w);
    return plRechteckVerschoben(r, o.x, o.y);
}

void malGeschwisterAbziehen(const plFenster* w, plRegion& reg)
{
    if (!w->eltern || !(w->stil & WS_CLIPSIBLINGS)) return;
    plFenster* p = plFensterVon(w->eltern);
    if (!p) return;
    for (HWND k : p->kinder) {
        if (k == w->h) break;
        plFenster* s = plFensterVon(k);
        if (s && (s->stil & WS_VISIBLE)) reg.abziehen(malRechteckInOben(s, true));
    }
}

// The classes whose windows draw user interface (lower case).
std::vector<std::string>& malOberflaechenKlassen()
{
    static std::vector<std::string> k{"button",           "static",        "edit",         "listbox",
                                      "combolbox",        "combobox",      "scrollbar",    "msctls_statusbar32",
                                      "toolbarwindow32",  "tooltips_class32", "#32770",    "plmenuepopup",
                                      "velmo.ordnerwahl"};
    return k;
}

std::string malKlein(const char* t)
{
    std::string s = t ? t : "";
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// A DC on the window (`ganz`: with its frame), clipped to its visible part
// and `nur`. `art` is the paint of the protocol it is made for (see
// plMalSpur; -1: none), with the update region taken and the erase asked.
HDC malDcMachen(plFenster* w, bool ganz, const plRegion* nur, bool kinderAus, int art, const plRegion* genommen = nullptr,
                bool loeschen = false)
{
    plFenster* obenFenster = plFensterVon(plFensterOben(w->h));
    if (!obenFenster) return 0;
    // A held paint made again gets the DC it had.
    if (malSpurJetzt && art == malSpurJetzt->art && w->h == malSpurJetzt->h) {
        const plMalSpur& e = *malSpurJetzt;
        malSpurJetzt = nullptr;
        plRegion reg = e.reg;
        reg.verschieben(-e.ursprung.x, -e.ursprung.y);
        HDC hdc = gdiDcFensterErzeugenRegion(malFlaecheSichern(obenFenster), e.ursprung, reg.rechtecke);
        if (hdc) {
            gdiDcOberflaecheSetzen(hdc, plFensterOberflaeche(w->h, ganz));
            malDcs.push_back(MalDc{hdc, w->h, false});
        }
        return hdc;
    }
    plRegion reg = plFensterSichtbarRegion(w, ganz, kinderAus);
    if (nur) reg.schneiden(*nur);
    POINT o = ganz ? plFensterInOben(w) : plFensterClientInOben(w);
    bool gehalten = false;
    if (art >= 0 && !reg.leer() && !obenFenster->flaeche && malAufschieben()) {
        if (obenFenster->malSpur.size() < MALSPURSUP) {
            // Painting no one sees (rule 6) is held; the DC draws nowhere.
            plMalSpur e;
            e.h = w->h;
            e.art = static_cast<uint8_t>(art);
            e.loeschen = loeschen;
            e.ursprung = o;
            e.reg = std::move(reg);
            if (genommen) e.update = *genommen;
            obenFenster->malSpur.push_back(std::move(e));
            reg.leeren();
            gehalten = true;
        } else {
            malNachholenAlle(obenFenster);
            if (!(obenFenster = plFensterVon(plFensterOben(w->h)))) return 0;
        }
    }
    // A DC from outside the protocol may read the window: its pixels first.
    if (art < 0 && !reg.leer() && !obenFenster->malSpur.empty()) {
        HWND h = w->h;
        malNachholenAlle(obenFenster);
        if (!(w = plFensterVon(h)) || !(obenFenster = plFensterVon(plFensterOben(h)))) return 0;
        reg = plFensterSichtbarRegion(w, ganz, kinderAus);
        if (nur) reg.schneiden(*nur);
        o = ganz ? plFensterInOben(w) : plFensterClientInOben(w);
    }
    // A DC that reaches nothing (its window is hidden) only measures: before
    // the top-level has a surface it gets the stand-in, so that controls
    // measuring their fonts in a window not shown yet make no surface.
    cairo_surface_t* fl = nullptr;
    if (reg.leer() && !obenFenster->flaeche) {
        fl = malLeerFlaeche();
    } else {
        fl = malFlaecheSichern(obenFenster);
        if (!reg.leer()) obenFenster->flaecheBemalt = true;
    }
    reg.verschieben(-o.x, -o.y);
    HDC hdc = gdiDcFensterErzeugenRegion(fl, o, reg.rechtecke);
    if (hdc) {
        gdiDcOberflaecheSetzen(hdc, plFensterOberflaeche(w->h, ganz));
        malDcs.push_back(MalDc{hdc, w->h, false, gehalten});
    }
    return hdc;
}

HBRUSH malPinsel(int farbe)
{
    return GetSysColorBrush(farbe);
}

void malLinie(HDC hdc, int x1, int y1, int x2, int y2, int farbe)
{
    RECT r{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + 1, std::max(y1, y2) + 1};
    FillRect(hdc, &r, malPinsel(farbe));
}

// A 3D edge around `r` (outer colours a/b for top-left/bottom-right).
void malKante(HDC hdc, const RECT& r, int obenLinks, int untenRechts)
{
    malLinie(hdc, r.left, r.top, r.right - 2, r.top, obenLinks);
    malLinie(hdc, r.left, r.top, r.left, r.bottom - 2, obenLinks);
    malLinie(hdc, r.left, r.bottom - 1, r.right - 1, r.bottom - 1, untenRechts);
    malLinie(hdc, r.right - 1, r.top, r.right - 1, r.bottom - 1, untenRechts);
}

void malRahmen(HDC hdc, const plFenster* w, const plRaender& rd)
{
    RECT g{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
    if (rd.rahmen == 1) {
        FrameRect(hdc, &g, malPinsel(COLOR_WINDOWFRAME));
        return;
    }
    if (rd.rahmen < 2) return;
    for (int i = 0; i < rd.rahmen; ++i) {
        RECT r{g.left + i, g.top + i, g.right - i, g.bottom - i};
        FrameRect(hdc, &r, malPinsel(COLOR_BTNFACE));
    }
    malKante(hdc, g, COLOR_3DLIGHT, COLOR_3DDKSHADOW);
    RECT i1{g.left + 1, g.top + 1, g.right - 1, g.bottom - 1};
    malKante(hdc, i1, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
}

void malBeschriftung(HDC hdc, const plFenster* w, const plRaender& rd)
{
    int b = w->rect.right - w->rect.left;
    RECT c{rd.rahmen, rd.rahmen, b - rd.rahmen, rd.rahmen + rd.beschriftung - 1};
    FillRect(hdc, &c, malPinsel(w->ncAktiv ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    malLinie(hdc, c.left, c.bottom, c.right - 1, c.bottom, COLOR_BTNFACE);
    // Close box at the right end.
    int kh = rd.beschriftung - 5;
    RECT k{c.right - 2 - (kh + 2), c.top + 2, c.right - 2, c.top + 2 + kh};
    if (!(w->exStil & WS_EX_TOOLWINDOW) || true) {
        FillRect(hdc, &k, malPinsel(COLOR_BTNFACE));
        malKante(hdc, k, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW);
        HPEN stift = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNTEXT));
        HGDIOBJ alt = SelectObject(hdc, stift);
        int m = 4;
        MoveToEx(hdc, k.left + m, k.top + m - 1, nullptr);
        LineTo(hdc, k.right - m, k.bottom - m - 1 + 1);
        MoveToEx(hdc, k.right - m - 1, k.top + m - 1, nullptr);
        LineTo(hdc, k.left + m - 1, k.bottom - m);
        SelectObject(hdc, alt);
        DeleteObject(stift);
    }
    RECT t{c.left + 4, c.top, k.left - 2, c.bottom};
    int altModus = SetBkMode(hdc, TRANSPARENT);
    COLORREF altFarbe = SetTextColor(hdc, GetSysColor(w->ncAktiv ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    HGDIOBJ altSchrift = SelectObject(hdc, GetStockObject(DEFAULT_GUI_FONT));
    DrawText(hdc, w->text.c_str(), -1, &t, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(hdc, altSchrift);
    SetTextColor(hdc, altFarbe);
    SetBkMode(hdc, altModus);
}

void malStandardNcExtras(HWND hwnd, HDC hdc)
{
    plFenster* w = plFensterVon(hwnd);
    if (!w) return;
    plRaender rd = plFensterRaender(w);
    RECT c = plFensterClient(w);
    int x0 = rd.links, y0 = rd.oben;
    if (w->stil & WS_VSCROLL) {
        RECT r{x0 + c.right, y0, x0 + c.right + GetSystemMetrics(SM_CXVSCROLL), y0 + c.bottom};
        FillRect(hdc, &r, malPinsel(COLOR_SCROLLBAR));
    }
    if (w->stil & WS_HSCROLL) {
        RECT r{x0, y0 + c.bottom, x0 + c.right, y0 + c.bottom + GetSystemMetrics(SM_CYHSCROLL)};
        FillRect(hdc, &r, malPinsel(COLOR_SCROLLBAR));
    }
    if ((w->stil & WS_VSCROLL) && (w->stil & WS_HSCROLL)) {
        RECT r{x0 + c.right, y0 + c.bottom, x0 + c.right + GetSystemMetrics(SM_CXVSCROLL),
               y0 + c.bottom + GetSystemMetrics(SM_CYHSCROLL)};
        FillRect(hdc, &r, malPinsel(COLOR_BTNFACE));
    }
}

bool malDcEntfernen(HDC hdc, HWND* fenster, bool* malen)
{
    for (auto it = malDcs.begin(); it != malDcs.end(); ++it)
        if (it->hdc == hdc) {
            if (fenster) *fenster = it->fenster;
            if (malen) *malen = it->malen;
            malDcs.erase(it);
            gdiDcFreigeben(hdc);
            return true;
        }
    return false;
}

void malAlleOben(const std::function<void(plFenster*)>& f)
{
    std::vector<HWND> oben = plFensterOderDesktop(plWm().desktop)->kinder;
    for (HWND h : oben)
        if (plFenster* w = plFensterVon(h)) f(w);
}

HWND malSuchen(plFenster* w)
{
    // A window with redraw off is treated as hidden, its children too.
    if (!(w->stil & WS_VISIBLE) || w->zeigeZustand == SW_SHOWMINIMIZED || !w->neuZeichnen) return 0;
    if (!w->update.leer() || w->internMalen || w->ncMalen || w->loeschen) return w->h;
    for (HWND k : w->kinder)
        if (plFenster* kw = plFensterVon(k))
            if (HWND t = malSuchen(kw)) return t;
    return 0;
}

void malJetzt(HWND h, bool kinder)
{
    plFenster* w = plFensterVon(h);
    if (!w || !plFensterSichtbar(w)) return;
    if (w->ncMalen || !w->update.leer() || w->internMalen || w->loeschen) SendMessage(h, WM_PAINT, 0, 0);
    if (!kinder || !(w = plFensterVon(h))) return;
    std::vector<HWND> k = w->kinder;
    for (HWND c : k) malJetzt(c, true);
}

void malValidieren(plFenster* w, const plRegion* reg, UINT flags, bool kinder)
{
    if (reg)
        w->update.abziehen(*reg);
    else
        w->update.leeren();
    if (w->update.leer() || (flags & RDW_NOERASE)) w->loeschen = false;
    if (flags & RDW_NOFRAME) w->ncMalen = false;
    if (flags & RDW_NOINTERNALPAINT) w->internMalen = false;
    if (!kinder) return;
    for (HWND k : w->kinder) {
        plFenster* kw = plFensterVon(k);
        if (!kw) continue;
        if (!reg) {
            malValidieren(kw, nullptr, flags, true);
            continue;
        }
        plRegion r = *reg;
        POINT d = plFensterClientInOben(kw), p = plFensterClientInOben(w);
        r.verschieben(p.x - d.x, p.y - d.y);
        malValidieren(kw, &r, flags, true);
    }
}

}  // namespace

// ---- Hooks -------------------------------------------------------------------------------------

void plFensterMenueHooks(plMenueLeisteHoeheFn hoehe, plMenueLeisteMalenFn malen)
{
    plFensterMenueHoeheHookSetzen(hoehe);
    malMenueHook = malen;
}

void plFensterNcExtrasHook(plNcExtrasMalenFn malen)
{
    malNcHook = malen;
}

// ---- Surfaces ------------------------------------------------------------------------------------

void plFensterFlaecheAnpassen(plFenster* w)
{
    if (!w->flaeche) {
        // Held paints keep what a surface of the new size would have kept.
        const RECT r{0, 0, std::max<int>(1, w->rect.right - w->rect.left), std::max<int>(1, w->rect.bottom - w->rect.top)};
        for (plMalSpur& e : w->malSpur) e.reg.schneiden(r);
        return;  // made at the size of its first use
    }
    int b = std::max<int>(1, w->rect.right - w->rect.left);
    int h = std::max<int>(1, w->rect.bottom - w->rect.top);
    if (cairo_image_surface_get_width(w->flaeche) == b && cairo_image_surface_get_height(w->flaeche) == h) return;
    // A surface nothing was drawn on is plain window colour: let it go and
    // make the new size when it is needed, the same white surface.
    if (!w->flaecheBemalt) {
        plFensterFlaecheFrei(w);
        return;
    }
    cairo_surface_t* neu = malFlaecheNeu(w, w->flaeche);
    cairo_surface_destroy(w->flaeche);
    w->flaeche = neu;
}

void plFensterFlaecheFrei(plFenster* w)
{
    if (w->flaeche) cairo_surface_destroy(w->flaeche);
    w->flaeche = nullptr;
}

void plFensterDcsFrei(HWND h)
{
    for (size_t i = malDcs.size(); i-- > 0;)
        if (malDcs[i].fenster == h) {
            gdiDcFreigeben(malDcs[i].hdc);
            malDcs.erase(malDcs.begin() + static_cast<long>(i));
        }
}

void plFensterMalEnde()
{
    for (auto& d : malDcs) gdiDcFreigeben(d.hdc);
    malDcs.clear();
    if (malBildschirm) cairo_surface_destroy(malBildschirm);
    malBildschirm = nullptr;
    if (malLeer) cairo_surface_destroy(malLeer);
    malLeer = nullptr;
    malMenueHook = nullptr;
    malNcHook = nullptr;
}

plRegion plFensterSichtbarRegion(const plFenster* w, bool ganz, bool kinderAus)
{
    plRegion reg;
    if (!w || !plFensterSichtbar(w)) return reg;
    reg.hinzu(malRechteckInOben(w, ganz));
    malGeschwisterAbziehen(w, reg);
    const plFenster* a = w;
    while (a->eltern) {
        const plFenster* p = plFensterVon(a->eltern);
        if (!p) break;
        reg.schneiden(malRechteckInOben(p, false));
        malGeschwisterAbziehen(p, reg);
        a = p;
    }
    reg.schneiden(RECT{0, 0, a->rect.right - a->rect.left, a->rect.bottom - a->rect.top});
    if (kinderAus)
        for (HWND k : w->kinder) {
            const plFenster* kw = plFensterVon(k);
            if (kw && (kw->stil & WS_VISIBLE)) reg.abziehen(malRechteckInOben(kw, true));
        }
    return reg;
}

// ---- Invalidation -----------------------------------------------------------------------------

void plFensterUngueltig(plFenster* w, const RECT* rcClient, bool erase, int kinder)
{
    if (!w) return;
    RECT c = plFensterClient(w);
    RECT r = rcClient ? plRechteckSchnitt(*rcClient, c) : c;
    if (plRechteckLeer(r)) return;
    w->update.hinzu(r);
    if (erase) w->loeschen = true;
    if (kinder < 0 || (kinder == 0 && (w->stil & WS_CLIPCHILDREN))) return;
    for (HWND k : w->kinder) {
        plFenster* kw = plFensterVon(k);
        if (!kw || !(kw->stil & WS_VISIBLE)) continue;
        RECT s = plRechteckSchnitt(r, kw->rect);
        if (plRechteckLeer(s)) continue;
        plRaender rd = plFensterRaender(kw);
        RECT kc = plRechteckVerschoben(s, -kw->rect.left - rd.links, -kw->rect.top - rd.oben);
        RECT kcl = plFensterClient(kw);
        if (s.left < kw->rect.left + rd.links || s.top < kw->rect.top + rd.oben ||
            s.right > kw->rect.left + rd.links + kcl.right || s.bottom > kw->rect.top + rd.oben + kcl.bottom)
            plFensterNcUngueltig(kw);
        plFensterUngueltig(kw, &kc, erase, 1);
    }
}

void plFensterNcUngueltig(plFenster* w)
{
    if (!w) return;
    plRaender r = plFensterRaender(w);
    if (r.links || r.oben || r.rechts || r.unten) w->ncMalen = true;
}

HWND plFensterMalKandidat()
{
    for (HWND h : plFensterOderDesktop(plWm().desktop)->kinder)
        if (plFenster* w = plFensterVon(h))
            if (HWND t = malSuchen(w)) return t;
    return 0;
}

BOOL InvalidateRect(HWND hwnd, const RECT* rc, BOOL erase)
{
    plWmZustand& wm = plWm();
    if (!hwnd || hwnd == wm.desktop) {
        malAlleOben([erase](plFenster* w) {
            plFensterNcUngueltig(w);
            plFensterUngueltig(w, nullptr, erase, 1);
        });
        return TRUE;
    }
    plFenster* w = plFensterVon(hwnd);
    if (!w) return FALSE;
    plFensterUngueltig(w, rc, erase, 0);
    return TRUE;
}

BOOL InvalidateRgn(HWND hwnd, HRGN rgn, BOOL erase)
{
    if (!rgn) return InvalidateRect(hwnd, nullptr, erase);
    std::vector<RECT> rs;
    if (!gdiRgnRechtecke(rgn, rs)) return FALSE;
    plFenster* w = plFensterVon(hwnd);
    if (!w) return FALSE;
    for (const RECT& r : rs) plFensterUngueltig(w, &r, erase, 0);
    return TRUE;
}

BOOL ValidateRect(HWND hwnd, const RECT* rc)
{
    plFenster* w = plFensterVon(hwnd);
    if (!w) return FALSE;
    if (!rc) {
        malValidieren(w, nullptr, 0, false);
        w->internMalen = false;
        return TRUE;
    }
    plRegion r;
    r.hinzu(*rc);
    malValidieren(w, &r, 0, false);
    return TRUE;
}

BOOL ValidateRgn(HWND hwnd, HRGN rgn)
{
    if (!rgn) return ValidateRect(hwnd, nullptr);
    std::vector<RECT> rs;
    plFenster* w = plFensterVon(hwnd);
    if (!w || !gdiRgnRechtecke(rgn, rs)) return FALSE;
    plRegion r;
    for (const RECT& x : rs) r.hinzu(x);
    malValidieren(w, &r, 0, false);
    return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, LPRECT rc, BOOL erase)
{
    plFenster* w = plFensterVon(hwnd);
    if (!w) return FALSE;
    if (rc) *rc = w->update.umriss();
    if (erase && w->loeschen && !w->update.leer()) {
        w->loeschen = false;
        HDC hdc = malDcMachen(w, false, nullptr, (w->stil & WS_CLIPCHILDREN) != 0, 1, &w->update);
        if (hdc) {
            SendMessage(hwnd, WM_ERASEBKGND, static_cast<WPARAM>(hdc), 0);
            ReleaseDC(hwnd, hdc);
        }
    }
    w = plFensterVon(hwnd);
    return (w && !w->update.leer()) ? TRUE : FALSE;
}

int GetUpdateRgn(HWND hwnd, HRGN rgn, BOOL erase)
{
    plFenster* w = plFensterVon(hwnd);
    if (!w || !rgn) return RGN_ERROR;
    RECT dummy;
    GetUpdateRect(hwnd, &dummy, erase);
    if (!(w = plFensterVon(hwnd))) return RGN_ERROR;
    HRGN t = gdiRgnAusRechtecken(w->update.rechtecke);
    if (!t) return RGN_ERROR;
    int art = CombineRgn(rgn, t, 0, RGN_COPY);
    DeleteObject(t);
    return art;
}

BOOL UpdateWindow(HWND hwnd)
{
    plFenster* w = plFensterVon(hwnd);
    if (!w) return FALSE;
    if (plFensterSichtbar(w) && w->neuZeichnen && (w->ncMalen || !w->update.leer() || w->internMalen || w->loeschen))
        SendMessage(hwnd, WM_PAINT, 0, 0);
    return TRUE;
}

BOOL RedrawWindow(HWND hwnd, const RECT* rc, HRGN rgn, UINT flags)
{
    plWmZustand& wm = plWm();
    if (!hwnd || hwnd == wm.desktop) {
        if (flags & RDW_INVALIDATE) InvalidateRect(0, nullptr, (flags & RDW_ERASE) != 0);
        if (flags & RDW_UPDATENOW) malAlleOben([](plFenster* w) { malJetzt(w->h, true); });
        return TRUE;
    }
    plFenster* w = plFensterVon(hwnd);
    if (!w) return FALSE;
    int kinder = (flags & RDW_ALLCHILDREN) ? 1 : (flags & RDW_NOCHILDREN) ? -1 : 0;
    std::vector<RECT> bereich;
    if (rgn) {
        if (!gdiRgnRechtecke(rgn, bereich)) return FALSE;
    } else if (rc) {
        bereich.push_back(*rc);
    }
    if (flags & RDW_INVALIDATE) {
        if (bereich.empty() && !rgn)
            plFensterUngueltig(w, nullptr, (flags & RDW_ERASE) != 0, kinder);
        for (const RECT& r : bereich) plFensterUngueltig(w, &r, (flags & RDW_ERASE) != 0, kinder);
        if (flags & RDW_FRAME) plFensterNcUngueltig(w);
        if (flags & RDW_INTERNALPAINT) w->internMalen = true;
    }
    if (flags & RDW_VALIDATE) {
        if (bereich.empty() && !rgn) {
            malValidieren(w, nullptr, flags, kinder > 0);
        } else {
            plRegion r;
            for (const RECT& x : bereich) r.hinzu(x);
            malValidieren(w, &r, flags, kinder > 0);
        }
    }
    if (flags & RDW_UPDATENOW) {
        malJetzt(hwnd, kinder > 0 || (kinder == 0 && !(w->stil & WS_CLIPCHILDREN)) || true);
    } else if (flags & RDW_ERASENOW) {
        if (w->ncMalen) {
            w->ncMalen = false;
            SendMessage(hwnd, WM_NCPAINT, 1, 0);
        }
        RECT dummy;
        GetUpdateRect(hwnd, &dummy, TRUE);
    }
    return TRUE;
}

// ---- Painting -------------------------------------------------------------------------------------

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps)
{
    plFenster* w = plFensterVon(hwnd);
    if (!w || !ps) return 0;
    std::memset(ps, 0, sizeof *ps);
    plCaretVorMalen(hwnd);
    if (w->ncMalen) {
        w->ncMalen = false;
        SendMessage(hwnd, WM_NCPAINT, 1, 0);
        if (!(w = plFensterVon(hwnd))) return 0;
    }
    plRegion reg = w->update;
    bool loeschen = w->loeschen;
    w->update.leeren();
    w->loeschen = false;
    w->internMalen = false;
    w->imMalen = true;
    ps->rcPaint = reg.umriss();
    const plRegion genommen = reg;
    POINT o = plFensterClientInOben(w);
    reg.verschieben(o.x, o.y);
    HDC hdc = malDcMachen(w, false, &reg, (w->stil & WS_CLIPCHILDREN) != 0, 0, &genommen, loeschen);
    if (!hdc) {
        w->imMalen = false;
        plCaretNachMalen(hwnd);
        return 0;
    }
    malDcs.back().malen = true;
    ps->hdc = hdc;
    ps->fErase = loeschen ? TRUE : FALSE;
    if (loeschen) ps->fErase = SendMessage(hwnd, WM_ERASEBKGND, static_cast<WPARAM>(hdc), 0) ? FALSE : TRUE;
    return hdc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps)
{
    if (!ps) return FALSE;
    malDcEntfernen(ps->hdc, nullptr, nullptr);
    plFenster* w = plFensterVon(hwnd);
    if (!w) return TRUE;
    w->imMalen = false;
    malPraesentieren(hwnd);
    plCaretNachMalen(hwnd);
    return TRUE;
}

HDC GetDCEx(HWND hwnd, HRGN clip, DWORD flags)
{
    plWmZustand& wm = plWm();
    if (!hwnd || hwnd == wm.desktop) {
        if (!malBildschirm) malBildschirm = cairo_image_surface_create(CAIRO_FORMAT_RGB24, PL_BILDSCHIRM_BREITE, PL_BILDSCHIRM_HOEHE);
        HDC hdc = gdiDcFensterErzeugen(malBildschirm, POINT{0, 0}, nullptr);
        if (hdc) malDcs.push_back(MalDc{hdc, 0, false});
        return hdc;
    }
    plFenster* w = plFensterVon(hwnd);
    if (!w) return 0;
    bool kinderAus = (flags & DCX_CLIPCHILDREN) || (w->stil & WS_CLIPCHILDREN);
    plRegion nur;
    bool mitNur = false;
    if (clip && (flags & DCX_INTERSECTRGN)) {
        std::vector<RECT> rs;
        if (gdiRgnRechtecke(clip, rs)) {
            POINT o = (flags & DCX_WINDOW) ? plFensterInOben(w) : plFensterClientInOben(w);
            for (RECT r : rs) nur.hinzu(plRechteckVerschoben(r, o.x, o.y));
            mitNur = true;
        }
    }
    return malDcMachen(w, (flags & DCX_WINDOW) != 0, mitNur ? &nur : nullptr, kinderAus, -1);
}

void plKlasseOberflaeche(const char* name)
{
    std::string k = malKlein(name);
    auto& v = malOberflaechenKlassen();
    if (!k.empty() && std::find(v.begin(), v.end(), k) == v.end()) v.push_back(k);
}

bool plFensterUngesehen(HWND hwnd)
{
    if (!malAufschieben()) return false;
    const plFenster* o = plFensterVon(plFensterOben(hwnd));
    return o && !o->flaeche;
}

bool plFensterNachholenLaeuft()
{
    return malNachholen > 0;
}

namespace {

bool malImBaum(HWND k, HWND h)
{
    for (const plFenster* a = plFensterVon(k); a; a = a->eltern ? plFensterVon(a->eltern) : nullptr)
        if (a->h == h) return true;
    return false;
}

}  // namespace

void plFensterMalVorWeg(HWND h, bool zerstoeren)
{
    plFenster* w = plFensterVon(h);
    if (!w || !w->eltern) return;
    plFenster* o = plFensterVon(plFensterOben(h));
    if (!o || o->malSpur.empty()) return;
    if (!zerstoeren) {
        for (const plMalSpur& e : o->malSpur)
            if (e.art != 3 && malImBaum(e.h, h)) {
                malNachholenAlle(o);
                return;
            }
        return;
    }
    // The held paints of a destroyed window cannot be made again; the
    // pixels they left stay marked until a held background fill covers
    // them (its parent's, after the destroy invalidated it there).
    plMalSpur grab;
    grab.art = 3;
    std::erase_if(o->malSpur, [&](const plMalSpur& e) {
        if (e.art == 3 || !malImBaum(e.h, h)) return false;
        for (const RECT& r : e.reg.rechtecke) grab.reg.hinzu(r);
        return true;
    });
    if (!grab.reg.leer()) o->malSpur.push_back(std::move(grab));
}

bool plFensterOberflaeche(HWND hwnd, bool ganz)
{
    plFenster* w = plFensterVon(hwnd);
    if (!w) return false;
    if (ganz) return true;
    if (!w->klasse) return false;
    const auto& v = malOberflaechenKlassen();
    return std::find(v.begin(), v.end(), malKlein(w->klasse->name.c_str())) != v.end();
}

HDC GetDC(HWND hwnd)
{
    return GetDCEx(hwnd, 0, 0);
}

HDC GetWindowDC(HWND hwnd)
{
    return GetDCEx(hwnd, 0, DCX_WINDOW);
}

int ReleaseDC(HWND, HDC hdc)
{
    HWND f = 0;
    bool malen = false;
    if (!malDcEntfernen(hdc, &f, &malen)) return 0;
    if (f) malPraesentieren(f);
    return 1;
}

HWND WindowFromDC(HDC hdc)
{
    for (auto& d : malDcs)
        if (d.hdc == hdc) return d.fenster;
    return 0;
}

// ---- Scrolling ----------------------------------------------------------------------------------------

int ScrollWindowEx(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN update, LPRECT updateRect,
                   UINT flags)
{
    plFenster* w = plFensterVon(hwnd);
    if (!w) return RGN_ERROR;
    RECT c = plFensterClient(w);
    RECT s = scroll ? plRechteckSchnitt(*scroll, c) : c;
    RECT k = clip ? plRechteckSchnitt(*clip, c) : c;
    RECT ziel = plRechteckSchnitt(plRechteckVerschoben(s, dx, dy), k);
    plCaretVorMalen(hwnd);
    cairo_surface_t* fl = malFlaecheVon(w);
    plRegion frei;
    frei.hinzu(plRechteckSchnitt(s, k));
    if (fl && plFensterSichtbar(w) && !plRechteckLeer(ziel)) {
        if (plFenster* obenFenster = plFensterVon(plFensterOben(w->h))) obenFenster->flaecheBemalt = true;
        plRegion sicht = plFensterSichtbarRegion(w, false, false);
        POINT o = plFensterClientInOben(w);
        RECT zielOben = plRechteckVerschoben(ziel, o.x, o.y);
        cairo_surface_flush(fl);
        cairo_surface_t* kopie = cairo_surface_create_similar_image(fl, CAIRO_FORMAT_RGB24, cairo_image_surface_get_width(fl),
                                                                    cairo_image_surface_get_height(fl));
        cairo_t* cr = cairo_create(kopie);
        cairo_set_source_surface(cr, fl, 0, 0);
        cairo_paint(cr);
        cairo_destroy(cr);
        cr = cairo_create(fl);
        for (const RECT& r : sicht.rechtecke) {
            RECT t = plRechteckSchnitt(r, zielOben);
            if (!plRechteckLeer(t)) cairo_rectangle(cr, t.left, t.top, t.right - t.left, t.bottom - t.top);
        }
        cairo_clip(cr);
        cairo_set_source_surface(cr, kopie, dx, dy);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_paint(cr);
        cairo_destroy(cr);
        cairo_surface_destroy(kopie);
        cairo_surface_mark_dirty(fl);
        // What was copied from a visible source is fine; the rest is new.
        plRegion quelleSichtbar = sicht;
        quelleSichtbar.verschieben(-o.x + dx, -o.y + dy);
        plRegion gut;
        gut.hinzu(ziel);
        gut.schneiden(quelleSichtbar);
        frei.abziehen(gut);
    }
    // The pending update region moves with the pixels.
    plRegion verschoben;
    for (const RECT& r : w->update.rechtecke) {
        RECT in = plRechteckSchnitt(r, s);
        if (!plRechteckLeer(in)) verschoben.hinzu(plRechteckSchnitt(plRechteckVerschoben(in, dx, dy), k));
    }
    w->update.abziehen(s);
    w->update.hinzu(verschoben);
    if ((flags & SW_SCROLLCHILDREN) || !scroll) {
        for (HWND kh : std::vector<HWND>(w->kinder)) {
            plFenster* kw = plFensterVon(kh);
            if (!kw) continue;
            RECT kr = kw->rect;
            if (!scroll || !plRechteckLeer(plRechteckSchnitt(kr, s)))
                SetWindowPos(kh, 0, kr.left + dx, kr.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        }
        if (!(w = plFensterVon(hwnd))) return RGN_ERROR;
    }
    if (updateRect) *updateRect = frei.umriss();
    if (update) {
        HRGN t = gdiRgnAusRechtecken(frei.rechtecke);
        if (t) {
            CombineRgn(update, t, 0, RGN_COPY);
            DeleteObject(t);
        }
    }
    if (flags & SW_INVALIDATE)
        for (const RECT& r : frei.rechtecke) plFensterUngueltig(w, &r, (flags & SW_ERASE) != 0, 1);
    malPraesentieren(hwnd);
    plCaretNachMalen(hwnd);
    return frei.leer() ? NULLREGION : (frei.rechtecke.size() == 1 ? SIMPLEREGION : COMPLEXREGION);
}

BOOL ScrollWindow(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip)
{
    UINT flags = SW_INVALIDATE | SW_ERASE | (scroll ? 0 : SW_SCROLLCHILDREN);
    return ScrollWindowEx(hwnd, dx, dy, scroll, clip, 0, nullptr, flags) != RGN_ERROR;
}

// ---- Default painting ---------------------------------------------------------------------------------

LRESULT plFensterNcMalen(HWND h)
{
    plFenster* w = plFensterVon(h);
    if (!w || !plFensterSichtbar(w)) return 0;
    plRaender rd = plFensterRaender(w);
    if (!(rd.links || rd.oben || rd.rechts || rd.unten)) return 0;
    plRegion reg = plFensterSichtbarRegion(w, true, false);
    RECT client = malRechteckInOben(w, false);
    reg.abziehen(client);
    HDC hdc = malDcMachen(w, true, &reg, false, 2);
    if (!hdc) return 0;
    malRahmen(hdc, w, rd);
    if (rd.beschriftung) malBeschriftung(hdc, w, rd);
    if (rd.menue) {
        int b = w->rect.right - w->rect.left;
        RECT m{rd.aussenLinks, rd.aussenOben, b - rd.aussenRechts, rd.aussenOben + rd.menue};
        if (malMenueHook)
            malMenueHook(h, w->menue, hdc, &m);
        else
            FillRect(hdc, &m, malPinsel(COLOR_MENU));
    }
    if (rd.kante) {
        RECT c = plFensterClient(w);
        int x0 = rd.aussenLinks, y0 = rd.aussenOben + rd.menue;
        int sb = (w->stil & WS_VSCROLL) ? GetSystemMetrics(SM_CXVSCROLL) : 0;
        int sh = (w->stil & WS_HSCROLL) ? GetSystemMetrics(SM_CYHSCROLL) : 0;
        RECT e{x0, y0, x0 + c.right + 2 * rd.kante + sb, y0 + c.bottom + 2 * rd.kante + sh};
        if (w->exStil & WS_EX_CLIENTEDGE) {
            malKante(hdc, e, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
            RECT i{e.left + 1, e.top + 1, e.right - 1, e.bottom - 1};
            malKante(hdc, i, COLOR_3DDKSHADOW, COLOR_3DLIGHT);
        } else {
            malKante(hdc, e, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
        }
    }
    if (malNcHook)
        malNcHook(h, hdc);
    else
        malStandardNcExtras(h, hdc);
    ReleaseDC(h, hdc);
    return 0;
}

LRESULT plFensterHintergrund(HWND h, HDC hdc)
{
    plFenster* w = plFensterVon(h);
    if (!w || !w->klasse || !w->klasse->hintergrund) return 0;
    HBRUSH br = w->klasse->hintergrund;
    // A class brush of "colour index + 1" means that system colour.
    if (br <= static_cast<HBRUSH>(PL_SYSFARBEN)) br = GetSysColorBrush(static_cast<int>(br) - 1);
    RECT c = plFensterClient(w);
    FillRect(hdc, &c, br);
    // A held paint whose background was filled covers its whole region:
    // what a destroyed window left there is painted over.
    for (const MalDc& d : malDcs)
        if (d.hdc == hdc && d.gehalten)
            if (plFenster* o = plFensterVon(plFensterOben(h)); o && !o->malSpur.empty() && o->malSpur.back().h == h) {
                const plRegion deckt = o->malSpur.back().reg;
                std::erase_if(o->malSpur, [&deckt](plMalSpur& e) {
                    if (e.art != 3) return false;
                    for (const RECT& r : deckt.rechtecke) e.reg.abziehen(r);
                    return e.reg.leer();
                });
            }
    return 1;
}

// ---- Saving ----------------------------------------------------------------------------------------------

int plFensterPng(HWND hwnd, const char* pfad)
{
    plFenster* w = plFensterVon(hwnd);
    if (!w || !pfad) return -1;
    cairo_surface_t* fl = malFlaecheVon(w);
    if (!fl || !(w = plFensterVon(hwnd))) return -1;
    cairo_surface_flush(fl);
    RECT r = w->eltern ? malRechteckInOben(w, false) : RECT{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
    r = plRechteckSchnitt(r, RECT{0, 0, cairo_image_surface_get_width(fl), cairo_image_surface_get_height(fl)});
    if (plRechteckLeer(r)) return -1;
    cairo_surface_t* teil = cairo_image_surface_create(CAIRO_FORMAT_RGB24, r.right - r.left, r.bottom - r.top);
    cairo_t* cr = cairo_create(teil);
    cairo_set_source_surface(cr, fl, -r.left, -r.top);
    cairo_paint(cr);
    cairo_destroy(cr);
    std::string tmp = std::string(pfad) + ".tmp";
    cairo_status_t st = cairo_surface_write_to_png(teil, tmp.c_str());
    cairo_surface_destroy(teil);
    if (st != CAIRO_STATUS_SUCCESS || std::rename(tmp.c_str(), pfad) != 0) {
        std::remove(tmp.c_str());
        std::fprintf(stderr, "velmo: Fensterbild %s nicht geschrieben\n", pfad);
        return -1;
    }
    return 0;
}

COLORREF plFensterPixel(HWND hwnd, int x, int y)
{
    plFenster* w = plFensterVon(hwnd);
    if (!w) return CLR_INVALID;
    cairo_surface_t* fl = malFlaecheVon(w);
    if (!(w = plFensterVon(hwnd))) return CLR_INVALID;
    RECT c = plFensterClient(w);
    if (!fl || x < 0 || y < 0 || x >= c.right || y >= c.bottom) return CLR_INVALID;
    POINT o = plFensterClientInOben(w);
    int px = o.x + x, py = o.y + y;
    if (px < 0 || py < 0 || px >= cairo_image_surface_get_width(fl) || py >= cairo_image_surface_get_height(fl))
        return CLR_INVALID;
    cairo_surface_flush(fl);
    const unsigned char* d = cairo_image_surface_get_data(fl);
    uint32_t v;
    std::memcpy(&v, d + py * cairo_image_surface_get_stride(fl) + px * 4, 4);
    return RGB((v >> 16) & 0xff, (v >> 8) & 0xff, v & 0xff);
}
