// GDI drawing layer (see gdi.h). Pixel rules of this layer, kept in one place:
//  - x: trunc((x - X0) * sx + 0.5) + ox; y: h + oy - trunc((y - Y0) * sy + 0.5);
//    world values far outside the int range are clamped first, so a wild
//    record cannot overflow a conversion.
//  - Rectangles and ellipses take their corner pixels inclusive (right and
//    bottom + 1 for the GDI calls); lines follow GDI's end-point rule.
//  - Dashed outlines (line types 1..6, and 8 for two-colour pens) go through
//    the pixel walker of output/strich; type 7 draws with the GDI calls.
//  - Text is drawn transparent at its base line, left aligned.
#include "output/gdi.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "model/einstell.h"
#include "model/geometri.h"
#include "output/bilder.h"
#include "output/schrift.h"
#include "output/strich.h"
#include "platform/gdi.h"
#include "platform/globalmem.h"
#include "platform/metafile.h"
#include "winlib/wiwerk.h"

namespace {

// ---- mapping ----

GDIABBILDUNG gdiAbb = {0, 0, 1, 1, 1, 1, 0, 0, 1, 1};
GDIABBILDUNG gdiAbbGesichert = gdiAbb;

// trunc() of a value that may lie far outside the pixel range.
int gdiGanz(double v)
{
    if (!(v > -1e9)) return -1000000000;  // also NaN
    if (v > 1e9) return 1000000000;
    return static_cast<int>(v);
}

// ---- target ----

struct GdiZiel {
    HDC dc = 0;
    int art = GDI_KEIN;
    int drucker = 0;
    HBITMAP bitmap = 0;       // bitmap target
    HGDIOBJ altBitmap = 0;
    HGDIOBJ altStift = 0, altPinsel = 0, altFont = 0;
    int altModus = 0;
    UINT altAusrichtung = 0;
    int altGlatt = 0;  // the DC's smoothing before this target took it
    HPEN stift = 0;           // created by this layer, selected
    HBRUSH pinsel = 0;
    HFONT font = 0;
    HBRUSH hintergrund = 0;
} gdiZ;

// ---- pen ----

struct GdiStift {
    COLORREF farbe = 0;
    int breite = 0;           // 0: no pen chosen on this target
    int typ = 7;
    int term = 100;
    int einheit = 0;
    int zwei = 0;
    COLORREF a = 0, b = 0;
    int ueber = 0;
    COLORREF ueberFarbe = 0;
    // values last realised
    long lFarbe = -1, lBreite = -1, lTyp = -1, lTerm = -1, lEinheit = -1;
} gdiS;

// ---- font ----

struct GdiSchrift {
    int font = 0;
    int winkel = 0;
    double hoehe = 0, faktor = 1;
    double c = 1, s = 0;
    int lesbar = 0;
    int einzeln = 0;
    int hp = 0;
    // key of the device font last made
    int lFont = -1, lWinkel = 0, lHp = 0;
    double lFaktor = 0;
} gdiF;

COLORREF gdiRgb(const int rgb[3]) { return RGB(rgb[0] & 0xFF, rgb[1] & 0xFF, rgb[2] & 0xFF); }

void gdiZuruecksetzen()
{
    gdiS.lFarbe = gdiS.lBreite = gdiS.lTyp = gdiS.lTerm = gdiS.lEinheit = -1;
    gdiF.lFont = -1;
}

// The pen cache: dash pattern, pen, text colour and brush only when their
// values changed.
void GdiStiftAktualisieren()
{
    if (gdiS.typ != gdiS.lTyp || gdiS.term != gdiS.lTerm || gdiS.einheit != gdiS.lEinheit) {
        StrichMuster(gdiS.typ == 8 ? 7 : gdiS.typ, gdiS.term);
        StrichUmgebung(gdiS.einheit, gdiZ.art == GDI_FENSTER && !gdiZ.drucker);
    }
    const bool farbeNeu = static_cast<long>(gdiS.farbe) != gdiS.lFarbe;
    if (farbeNeu || gdiS.breite != gdiS.lBreite) {
        HPEN p = CreatePen(PS_SOLID, gdiS.breite, gdiS.farbe);
        SelectObject(gdiZ.dc, p);
        if (gdiZ.stift) DeleteObject(gdiZ.stift);
        gdiZ.stift = p;
    }
    if (farbeNeu) {
        SetTextColor(gdiZ.dc, gdiS.farbe);
        HBRUSH b = CreateSolidBrush(gdiS.farbe);
        SelectObject(gdiZ.dc, b);
        if (gdiZ.pinsel) DeleteObject(gdiZ.pinsel);
        gdiZ.pinsel = b;
    }
    gdiS.lFarbe = static_cast<long>(gdiS.farbe);
    gdiS.lBreite = gdiS.breite;
    gdiS.lTyp = gdiS.typ;
    gdiS.lTerm = gdiS.term;
    gdiS.lEinheit = gdiS.einheit;
}

// Ready to draw with the pen: a target and a pen chosen on it.
bool gdiBereit()
{
    if (gdiZ.dc == 0 || gdiS.breite == 0) return false;
    GdiStiftAktualisieren();
    return true;
}

// ---- the pixel walker's target ----

void gdiWBewegen(void*, int x, int y) { MoveToEx(gdiZ.dc, x, y, nullptr); }
void gdiWZiehen(void*, int x, int y) { LineTo(gdiZ.dc, x, y); }
void gdiWPunkt(void*, int x, int y)
{
    int w = gdiS.breite, l = x - w / 2, t = y - w / 2;
    RECT r{l, t, l + w, t + w};
    FillRect(gdiZ.dc, &r, gdiZ.pinsel);
}
void gdiWFarbe(void*, int n)
{
    GdiFarbeWechseln(n);
    GdiStiftAktualisieren();
}

const STRICHZIEL gdiWalker = {gdiWBewegen, gdiWZiehen, gdiWPunkt, gdiWFarbe, nullptr};

// Before each walk: the walker draws here, and a two-colour pen starts its
// alternation anew.
void gdiWalkerVorbereiten()
{
    PixStrichZielSetzen(&gdiWalker);
    StrichFarbModus(gdiS.zwei ? 2 : 1);
    if (gdiS.zwei) {
        GdiFarbeWechseln(1);
        GdiStiftAktualisieren();
    }
}

bool gdiGestrichelt() { return gdiS.typ != 7; }

// Draws with the hollow brush selected, then the current brush again.
template <typename F>
void gdiHohl(F zeichnen)
{
    SelectObject(gdiZ.dc, GetStockObject(HOLLOW_BRUSH));
    zeichnen();
    SelectObject(gdiZ.dc, gdiZ.pinsel);
}

void gdiEcken(double x1, double y1, double x2, double y2, int* l, int* t, int* r, int* b)
{
    int px1 = WeltZuPixelX(x1), py1 = WeltZuPixelY(y1), px2 = WeltZuPixelX(x2), py2 = WeltZuPixelY(y2);
    *l = std::min(px1, px2);
    *r = std::max(px1, px2);
    *t = std::min(py1, py2);
    *b = std::max(py1, py2);
}

// Angle step of arcs and ellipse outlines for the larger pixel radius.
int gdiBogenSchritt(double r)
{
    if (r < 2) return 900;
    return std::clamp(static_cast<int>(1800.0 / r), 20, 150);
}

// Pixel point of angle a on an ellipse of pixel radii (rx, ry) about
// (cx, cy), turned by `dreh` (pixel y grows down).
POINT gdiEllipsenPunkt(double cx, double cy, double rx, double ry, int dreh, int a)
{
    double ex = rx * CosZehntel(a), ey = ry * SinZehntel(a);
    double c = CosZehntel(dreh), s = SinZehntel(dreh);
    double x = ex * c - ey * s, y = ex * s + ey * c;
    return POINT{gdiGanz(std::floor(cx + x + 0.5)), gdiGanz(std::floor(cy - y + 0.5))};
}

void gdiPfadZeichnen(const std::vector<POINT>& p, bool mitEnde)
{
    std::vector<int> xs(p.size()), ys(p.size());
    for (size_t i = 0; i < p.size(); ++i) xs[i] = p[i].x, ys[i] = p[i].y;
    gdiWalkerVorbereiten();
    PixStrichPfad(xs.data(), ys.data(), static_cast<int>(p.size()), mitEnde);
}

void gdiQuadrat(int x, int y, int groesse, const int rgb[3])
{
    if (gdiZ.dc == 0) return;
    if (rgb == nullptr && !gdiBereit()) return;
    if (groesse <= 0) groesse = gdiS.breite > 0 ? gdiS.breite : 1;
    int l = x - groesse / 2, t = y - groesse / 2;
    RECT r{l, t, l + groesse, t + groesse};
    if (rgb == nullptr) {
        FillRect(gdiZ.dc, &r, gdiZ.pinsel);
    } else {
        HBRUSH b = CreateSolidBrush(gdiRgb(rgb));
        FillRect(gdiZ.dc, &r, b);
        DeleteObject(b);
    }
}

// ---- targets ----

int gdiBeginnen(HDC dc, int art, int drucker)
{
    if (gdiZ.art != GDI_KEIN || dc == 0) return -1;
    gdiZ.dc = dc;
    gdiZ.art = art;
    gdiZ.drucker = drucker;
    gdiZ.altStift = GetCurrentObject(dc, OBJ_PEN);
    gdiZ.altPinsel = GetCurrentObject(dc, OBJ_BRUSH);
    gdiZ.altFont = GetCurrentObject(dc, OBJ_FONT);
    gdiZ.stift = 0;
    gdiZ.pinsel = 0;
    gdiZ.font = 0;
    gdiZuruecksetzen();
    gdiS.breite = 0;
    gdiS.ueber = 0;
    gdiZ.altModus = SetBkMode(dc, TRANSPARENT);
    gdiZ.altAusrichtung = SetTextAlign(dc, TA_BASELINE | TA_LEFT);
    // The view's window shows the sheet smoothed (small texts stay legible);
    // its cross cursor and XOR drawing stay exact in the platform layer.
    // Bitmaps, metafiles and the printer keep their exact pixels.
    const int glatt = art == GDI_FENSTER && !drucker;
    gdiZ.altGlatt = plDcGlaetten(dc, glatt);
    return 0;
}

void gdiBeenden()
{
    HDC dc = gdiZ.dc;
    if (dc != 0) {
        if (gdiZ.altStift) SelectObject(dc, gdiZ.altStift);
        if (gdiZ.altPinsel) SelectObject(dc, gdiZ.altPinsel);
        if (gdiZ.altFont) SelectObject(dc, gdiZ.altFont);
        SetBkMode(dc, gdiZ.altModus);
        SetTextAlign(dc, gdiZ.altAusrichtung);
        SetTextColor(dc, RGB(0, 0, 0));
        SetROP2(dc, R2_COPYPEN);
        plDcGlaetten(dc, gdiZ.altGlatt);
    }
    if (gdiZ.stift) DeleteObject(gdiZ.stift);
    if (gdiZ.pinsel) DeleteObject(gdiZ.pinsel);
    if (gdiZ.font) DeleteObject(gdiZ.font);
    gdiZ.stift = 0;
    gdiZ.pinsel = 0;
    gdiZ.font = 0;
    gdiZ.dc = 0;
    gdiZ.art = GDI_KEIN;
    gdiZ.drucker = 0;
    gdiS.breite = 0;
    gdiS.ueber = 0;
    gdiZuruecksetzen();
}

// Pixels per world unit along the text's run: sx across, sy up and down
// (the two differ on a stretched mapping), between them for other angles.
double gdiLaufSkala()
{
    const double x = gdiF.c * gdiAbb.sx, y = gdiF.s * gdiAbb.sy;
    const double l = std::sqrt(x * x + y * y);
    return l > 0 ? l : gdiAbb.sx;
}

// The device font for the current font state; nothing when the key is the
// one last made.
void gdiFontMachen()
{
    if (gdiZ.dc == 0) return;
    if (gdiF.font == gdiF.lFont && gdiF.winkel == gdiF.lWinkel && gdiF.hp == gdiF.lHp &&
        gdiF.faktor == gdiF.lFaktor)
        return;
    double kappe = 0.5, oben = 0.7;
    int font = gdiF.font;
    SchriftMetrik(font, &kappe, &oben);
    if (kappe <= 0) kappe = 0.5;
    int zelle = static_cast<int>(1.1 * gdiF.hp / kappe + 0.5);
    if (zelle <= 13 && font != 0) {
        // Small sizes read better in the fixed standard font.
        font = 0;
        SchriftMetrik(0, &kappe, &oben);
        if (kappe <= 0) kappe = 0.5;
        zelle = static_cast<int>(1.1 * gdiF.hp / kappe + 0.5);
    }
    int breite = gdiGanz(gdiF.hp * gdiF.faktor);
    char name[SCHRIFTNAMESUP + 1];
    SchriftName(font, name, sizeof name);
    HFONT f = CreateFont(zelle, breite, gdiF.winkel, gdiF.winkel, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET,
                         OUT_TT_ONLY_PRECIS, CLIP_DEFAULT_PRECIS, DRAFT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, name);
    SelectObject(gdiZ.dc, f != 0 ? static_cast<HGDIOBJ>(f) : GetStockObject(ANSI_FIXED_FONT));
    if (gdiZ.font) DeleteObject(gdiZ.font);
    gdiZ.font = f;
    gdiF.lFont = gdiF.font;
    gdiF.lWinkel = gdiF.winkel;
    gdiF.lHp = gdiF.hp;
    gdiF.lFaktor = gdiF.faktor;
}

}  // namespace

// ---- Mapping -------------------------------------------------------------------------------

int AbbildungSetzen(int prop, double x0, double y0, double x1, double y1, int w, int h, int ox, int oy,
                    double zoom, double mitteX, double mitteY)
{
    // Equal corners or an empty view would give infinite or zero factors.
    if (!(x1 != x0) || !(y1 != y0) || w <= 0 || h <= 0 || !(zoom > 0)) return -1;
    const double cx = x0 + (x1 - x0) * mitteX / 100, cy = y0 + (y1 - y0) * mitteY / 100;
    double dx = x1 - x0, dy = y1 - y0;
    if (prop) {
        if (w / dx <= h / dy) dy = h * dx / w;
        else dx = w * dy / h;
    }
    const double hx = dx * 0.5 * 100 / zoom, hy = 100 * 0.5 * dy / zoom;
    const double sx = w / (2 * hx), sy = h / (2 * hy);
    if (!std::isfinite(sx) || !std::isfinite(sy) || sx == 0 || sy == 0) return -1;
    gdiAbb = GDIABBILDUNG{cx - hx, cy - hy, cx + hx, cy + hy, w, h, ox, oy, sx, sy};
    return 0;
}

int AbbildungSetzenProp(double x0, double y0, double x1, double y1, int w, int h, int ox, int oy, double zoom,
                        double mitteX, double mitteY)
{
    return AbbildungSetzen(1, x0, y0, x1, y1, w, h, ox, oy, zoom, mitteX, mitteY);
}

int AbbildungSetzenFrei(double x0, double y0, double x1, double y1, int w, int h, int ox, int oy, double zoom,
                        double mitteX, double mitteY)
{
    return AbbildungSetzen(0, x0, y0, x1, y1, w, h, ox, oy, zoom, mitteX, mitteY);
}

const GDIABBILDUNG* Abbildung() { return &gdiAbb; }
void AbbildungSichern() { gdiAbbGesichert = gdiAbb; }
void AbbildungWieder() { gdiAbb = gdiAbbGesichert; }

int WeltZuPixelX(double x) { return gdiGanz((x - gdiAbb.x0) * gdiAbb.sx + 0.5) + gdiAbb.ox; }
int WeltZuPixelY(double y) { return gdiAbb.h + gdiAbb.oy - gdiGanz((y - gdiAbb.y0) * gdiAbb.sy + 0.5); }
double PixelZuWeltX(int px) { return (px - gdiAbb.ox) / gdiAbb.sx + gdiAbb.x0; }
double PixelZuWeltY(int py) { return (gdiAbb.h + gdiAbb.oy - py) / gdiAbb.sy + gdiAbb.y0; }
int WeltZuPixelLaenge(double l) { return gdiGanz(l * gdiAbb.sx); }
double PixelZuWeltLaenge(int l) { return l / gdiAbb.sx; }
int WeltZuPixelHoehe(double l) { return -gdiGanz(l * gdiAbb.sy + 0.5); }
double PixelZuWeltHoehe(int l) { return -(l / gdiAbb.sy); }
double WeltZuPixelHoeheD(double l) { return l * gdiAbb.sy; }

int WeltPunktSichtbar(double x, double y)
{
    return gdiAbb.x0 <= x && x <= gdiAbb.x1 && gdiAbb.y0 <= y && y <= gdiAbb.y1;
}

void WeltFensterHolen(double r[4])
{
    r[0] = gdiAbb.x0;
    r[1] = gdiAbb.y0;
    r[2] = gdiAbb.x1;
    r[3] = gdiAbb.y1;
}

void PixelGroesseHolen(int* w, int* h)
{
    *w = gdiAbb.w;
    *h = gdiAbb.h;
}

int PixelNahe(int px, int py)
{
    long dx = static_cast<long>(px) - gdiAbb.ox, dy = static_cast<long>(py) - gdiAbb.oy;
    return -gdiAbb.w <= dx && dx <= 2L * gdiAbb.w && -gdiAbb.h <= dy && dy <= 2L * gdiAbb.h;
}

// ---- Targets -------------------------------------------------------------------------------

int GdiFensterBeginn(HDC dc) { return gdiBeginnen(dc, GDI_FENSTER, 0); }

void GdiFensterEnde()
{
    if (gdiZ.art == GDI_FENSTER && !gdiZ.drucker) gdiBeenden();
}

int GdiDruckBeginn(HDC dc) { return gdiBeginnen(dc, GDI_FENSTER, 1); }

void GdiDruckEnde()
{
    if (gdiZ.art == GDI_FENSTER && gdiZ.drucker) gdiBeenden();
}

int GdiBitmapBeginn(int w, int h, const int rgb[3])
{
    if (gdiZ.art != GDI_KEIN || w <= 0 || h <= 0) return -1;
    HDC dc = CreateCompatibleDC(0);
    HBITMAP bm = dc != 0 ? CreateBitmap(w, h, 1, 32, nullptr) : 0;
    if (bm == 0) {
        if (dc) DeleteDC(dc);
        return -1;
    }
    HGDIOBJ alt = SelectObject(dc, bm);
    RECT r{0, 0, w, h};
    HBRUSH b = CreateSolidBrush(rgb ? gdiRgb(rgb) : RGB(255, 255, 255));
    FillRect(dc, &r, b);
    DeleteObject(b);
    gdiBeginnen(dc, GDI_BITMAP, 0);
    gdiZ.bitmap = bm;
    gdiZ.altBitmap = alt;
    return 0;
}

HBITMAP GdiBitmapEnde()
{
    if (gdiZ.art != GDI_BITMAP) return 0;
    HDC dc = gdiZ.dc;
    HBITMAP bm = gdiZ.bitmap;
    HGDIOBJ alt = gdiZ.altBitmap;
    gdiBeenden();
    SelectObject(dc, alt);
    DeleteDC(dc);
    gdiZ.bitmap = 0;
    gdiZ.altBitmap = 0;
    return bm;
}

int GdiWmfBeginn(int w, int h)
{
    if (gdiZ.art != GDI_KEIN) return -1;
    HDC dc = CreateMetaFile(nullptr);
    if (dc == 0) return -1;
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, w, h, nullptr);
    gdiBeginnen(dc, GDI_WMF, 0);
    return 0;
}

HGLOBAL GdiWmfEnde()
{
    if (gdiZ.art != GDI_WMF) return 0;
    HDC dc = gdiZ.dc;
    gdiBeenden();
    HMETAFILE mf = CloseMetaFile(dc);
    if (mf == 0) return 0;
    UINT n = GetMetaFileBitsEx(mf, 0, nullptr);
    HGLOBAL block = n > 0 ? GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, n) : 0;
    if (block != 0) {
        void* p = GlobalLock(block);
        if (p == nullptr || GetMetaFileBitsEx(mf, n, p) != n) {
            if (p) GlobalUnlock(block);
            GlobalFree(block);
            block = 0;
        } else {
            GlobalUnlock(block);
        }
    }
    DeleteMetaFile(mf);
    return block;
}

int GdiEmfBeginn(const char* datei, double links, double rechts, double oben, double unten)
{
    if (gdiZ.art != GDI_KEIN) return -1;
    RECT r{gdiGanz(links * 100), gdiGanz(oben * 100), gdiGanz(rechts * 100), gdiGanz(unten * 100)};
    HDC dc = CreateEnhMetaFile(0, datei, &r, nullptr);
    if (dc == 0) return -1;
    SetMapMode(dc, MM_HIMETRIC);
    gdiBeginnen(dc, GDI_EMF, 0);
    return 0;
}

HENHMETAFILE GdiEmfEnde()
{
    if (gdiZ.art != GDI_EMF) return 0;
    HDC dc = gdiZ.dc;
    gdiBeenden();
    return CloseEnhMetaFile(dc);
}

void GdiEmfLoeschen(HENHMETAFILE mf)
{
    if (mf != 0) DeleteEnhMetaFile(mf);
}

void GdiZielNeu()
{
    gdiZuruecksetzen();
    if (gdiZ.dc != 0) {
        SetBkMode(gdiZ.dc, TRANSPARENT);
        SetTextAlign(gdiZ.dc, TA_BASELINE | TA_LEFT);
    }
}

int GdiIstDrucker() { return gdiZ.drucker; }
int GdiZielArt() { return gdiZ.art; }
HDC GdiDC() { return gdiZ.dc; }

void GdiHintergrundSetzen(int r, int g, int b)
{
    GdiHintergrundFrei();
    gdiZ.hintergrund = CreateSolidBrush(RGB(r & 0xFF, g & 0xFF, b & 0xFF));
}

void GdiHintergrundFrei()
{
    if (gdiZ.hintergrund) DeleteObject(gdiZ.hintergrund);
    gdiZ.hintergrund = 0;
}

void GdiFlaecheLoeschen()
{
    if (gdiZ.dc == 0) return;
    RECT r{gdiAbb.ox, gdiAbb.oy, gdiAbb.ox + gdiAbb.w, gdiAbb.oy + gdiAbb.h};
    FillRect(gdiZ.dc, &r,
             gdiZ.hintergrund ? gdiZ.hintergrund : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

// ---- Pen -----------------------------------------------------------------------------------

void GdiStiftSetzen(const VISTIFT* stift, int typ, int term)
{
    int breite = stift->breite;
    gdiS.breite = breite > 99 ? 100 : std::max(breite, 1);
    gdiS.typ = std::clamp(typ, 1, 7);
    gdiS.term = std::clamp(term, 1, 100000);
    if (gdiS.ueber) {
        gdiS.farbe = gdiS.ueberFarbe;
        gdiS.zwei = 0;
        return;
    }
    gdiS.farbe = RGB(stift->r & 0xFF, stift->g & 0xFF, stift->b & 0xFF);
    gdiS.zwei = stift->zweit != 0;
    if (gdiS.zwei) {
        gdiS.a = gdiS.farbe;
        gdiS.b = RGB(stift->r2 & 0xFF, stift->g2 & 0xFF, stift->b2 & 0xFF);
        if (gdiS.typ == 7) gdiS.typ = 8;
    }
}

void GdiStrichEinheit(int einheit) { gdiS.einheit = einheit; }

void GdiFarbeUeberschreiben(int an, const int rgb[3])
{
    if (an && rgb) gdiS.ueberFarbe = gdiRgb(rgb);
    gdiS.ueber = an && (gdiZ.art == GDI_FENSTER || gdiZ.art == GDI_BITMAP);
}

void GdiFarbeWechseln(int n)
{
    if (gdiS.zwei) gdiS.farbe = n == 2 ? gdiS.b : gdiS.a;
}

int GdiStiftBreite() { return gdiS.breite; }
int GdiStiftTyp() { return gdiS.typ; }
COLORREF GdiStiftFarbe() { return gdiS.farbe; }

// ---- Primitives ----------------------------------------------------------------------------

void GdiLinie(double x1, double y1, double x2, double y2)
{
    if (!gdiBereit()) return;
    int px1 = WeltZuPixelX(x1), py1 = WeltZuPixelY(y1), px2 = WeltZuPixelX(x2), py2 = WeltZuPixelY(y2);
    if (!gdiGestrichelt()) {
        MoveToEx(gdiZ.dc, px1, py1, nullptr);
        LineTo(gdiZ.dc, px2, py2);
        return;
    }
    gdiWalkerVorbereiten();
    PixStrichStrecke(px1, py1, px2, py2);
}

void GdiRechteck(double x1, double y1, double x2, double y2)
{
    if (!gdiBereit()) return;
    int l, t, r, b;
    gdiEcken(x1, y1, x2, y2, &l, &t, &r, &b);
    if (gdiGestrichelt()) {
        const int xs[4] = {l, r, r, l}, ys[4] = {t, t, b, b};
        gdiWalkerVorbereiten();
        PixStrichPolygon(xs, ys, 4);
        return;
    }
    gdiHohl([&] { Rectangle(gdiZ.dc, l, t, r + 1, b + 1); });
}

void GdiRechteckGefuellt(double x1, double y1, double x2, double y2)
{
    if (!gdiBereit()) return;
    int l, t, r, b;
    gdiEcken(x1, y1, x2, y2, &l, &t, &r, &b);
    Rectangle(gdiZ.dc, l, t, r + 1, b + 1);
}

void GdiPolygon(const double* pts, int n)
{
    if (!gdiBereit() || n < 1) return;
    n = std::min(n, GDIPOLYSUP);
    int xs[GDIPOLYSUP], ys[GDIPOLYSUP];
    POINT p[GDIPOLYSUP];
    for (int i = 0; i < n; ++i) {
        xs[i] = WeltZuPixelX(pts[2 * i]);
        ys[i] = WeltZuPixelY(pts[2 * i + 1]);
        p[i] = POINT{xs[i], ys[i]};
    }
    if (gdiGestrichelt()) {
        gdiWalkerVorbereiten();
        PixStrichPolygon(xs, ys, n);
        return;
    }
    gdiHohl([&] { Polygon(gdiZ.dc, p, n); });
}

void GdiPolygonGefuellt(const double* pts, int n)
{
    if (!gdiBereit() || n < 1) return;
    n = std::min(n, GDIPOLYSUP);
    POINT p[GDIPOLYSUP];
    for (int i = 0; i < n; ++i) p[i] = POINT{WeltZuPixelX(pts[2 * i]), WeltZuPixelY(pts[2 * i + 1])};
    Polygon(gdiZ.dc, p, n);
}

void GdiEllipse(double x1, double y1, double x2, double y2, int gefuellt)
{
    if (!gdiBereit()) return;
    int px1 = WeltZuPixelX(x1), py1 = WeltZuPixelY(y1), px2 = WeltZuPixelX(x2), py2 = WeltZuPixelY(y2);
    if (px1 == px2 && py1 == py2) return;
    int l = std::min(px1, px2), r = std::max(px1, px2) + 1, t = std::min(py1, py2), b = std::max(py1, py2) + 1;
    if (gefuellt) {
        Ellipse(gdiZ.dc, l, t, r, b);
        return;
    }
    if (!gdiGestrichelt()) {
        gdiHohl([&] { Ellipse(gdiZ.dc, l, t, r, b); });
        return;
    }
    const double cx = (l + r - 1) / 2.0, cy = (t + b - 1) / 2.0, rx = (r - 1 - l) / 2.0, ry = (b - 1 - t) / 2.0;
    const int schritt = gdiBogenSchritt(std::max(rx, ry));
    std::vector<POINT> p;
    for (int a = 0; a < 3600; a += schritt) p.push_back(gdiEllipsenPunkt(cx, cy, rx, ry, 0, a));
    p.push_back(gdiEllipsenPunkt(cx, cy, rx, ry, 0, 3600));
    gdiHohl([&] { gdiPfadZeichnen(p, false); });
}

void GdiBogen(double cx, double cy, double rx, double ry, int drehung, int modus, int anfang, int ende)
{
    if (!gdiBereit()) return;
    const double prx = std::fabs(rx * gdiAbb.sx), pry = std::abs(WeltZuPixelHoehe(ry));
    if (prx == 0 && pry == 0) return;
    if (modus != 0) std::swap(anfang, ende);
    const double pcx = WeltZuPixelX(cx), pcy = WeltZuPixelY(cy);
    // Angles far off the circle are taken modulo whole turns, together.
    long a0 = anfang, a1 = ende;
    long k = a0 >= 0 ? a0 / 3600 : (a0 - 3599) / 3600;
    a0 -= k * 3600;
    a1 -= k * 3600;
    if (a1 < a0) a1 += 3600;
    a1 = std::min(a1, a0 + 3600 * 2L);
    const POINT pa = gdiEllipsenPunkt(pcx, pcy, prx, pry, drehung, static_cast<int>(a0));
    const POINT pe = gdiEllipsenPunkt(pcx, pcy, prx, pry, drehung, static_cast<int>(a1));
    std::vector<POINT> p{pa};
    if (prx >= 3 || pry >= 3) {
        const int schritt = gdiBogenSchritt(std::max(prx, pry));
        for (long a = a0 + schritt; a < a1; a += schritt) {
            POINT q = gdiEllipsenPunkt(pcx, pcy, prx, pry, drehung, static_cast<int>(a));
            // Near the end a point within two pixels of it is the end.
            if (a1 - a <= schritt && std::abs(q.x - pe.x) <= 2 && std::abs(q.y - pe.y) <= 2) break;
            p.push_back(q);
        }
    }
    p.push_back(pe);
    gdiPfadZeichnen(p, true);
}

void GdiEllipseGedreht(double cx, double cy, double rx, double ry, int drehung, int gefuellt)
{
    if (!gefuellt) {
        GdiBogen(cx, cy, rx, ry, drehung, 0, 0, 3600);
        return;
    }
    if (!gdiBereit()) return;
    const double prx = std::fabs(rx * gdiAbb.sx), pry = std::abs(WeltZuPixelHoehe(ry));
    const double pcx = WeltZuPixelX(cx), pcy = WeltZuPixelY(cy);
    const int schritt = gdiBogenSchritt(std::max(prx, pry));
    // Drawn whole: the outline needs every step, however many.
    std::vector<POINT> p;
    for (int a = 0; a < 3600; a += schritt) p.push_back(gdiEllipsenPunkt(pcx, pcy, prx, pry, drehung, a));
    Polygon(gdiZ.dc, p.data(), static_cast<int>(p.size()));
}

void GdiPunktGroesse(double x, double y, int groesse, const int rgb[3])
{
    gdiQuadrat(WeltZuPixelX(x), WeltZuPixelY(y), groesse, rgb);
}

void GdiPunkt(double x, double y, const int rgb[3]) { GdiPunktGroesse(x, y, 3, rgb); }
void GdiPunkt(double x, double y) { GdiPunktGroesse(x, y, 3, nullptr); }

void GdiPixel(double x, double y, const int rgb[3])
{
    if (gdiZ.dc == 0) return;
    if (rgb == nullptr && !gdiBereit()) return;
    SetPixel(gdiZ.dc, WeltZuPixelX(x), WeltZuPixelY(y), rgb ? gdiRgb(rgb) : gdiS.farbe);
}

void GdiBild(double x1, double y1, double x2, double y2, int drehung, const char* datei)
{
    if (gdiZ.dc == 0 || datei == nullptr) return;
    BildZeichnen(WeltZuPixelX(x1), WeltZuPixelY(y1), WeltZuPixelX(x2), WeltZuPixelY(y2), drehung, datei);
}

void GdiBlattRahmen(double x1, double y1, double x2, double y2, double schatten)
{
    if (gdiZ.dc == 0) return;
    const int s = WeltZuPixelLaenge(schatten);
    int l, t, r, b;
    gdiEcken(x1, y1, x2, y2, &l, &t, &r, &b);
    HBRUSH grau = CreateSolidBrush(RGB(128, 128, 128));
    RECT unten{l + s, b + 1, r + 1, b + s}, rechts{r + 1, t + s, r + s, b + s};
    FillRect(gdiZ.dc, &unten, grau);
    FillRect(gdiZ.dc, &rechts, grau);
    DeleteObject(grau);
    HGDIOBJ alt = SelectObject(gdiZ.dc, GetStockObject(BLACK_PEN));
    MoveToEx(gdiZ.dc, l, t, nullptr);
    LineTo(gdiZ.dc, r, t);
    LineTo(gdiZ.dc, r, b);
    LineTo(gdiZ.dc, l, b);
    LineTo(gdiZ.dc, l, t);
    SelectObject(gdiZ.dc, alt);
}

// ---- Text ----------------------------------------------------------------------------------

void GdiSchriftSetzen(int font, int winkel, double hoehe, double faktor)
{
    gdiF.font = std::clamp(font, 0, SCHRIFTSUP - 1);
    gdiF.winkel = winkel;
    gdiF.hoehe = hoehe;
    gdiF.faktor = faktor;
    gdiF.c = CosZehntel(winkel);
    gdiF.s = SinZehntel(winkel);
    gdiF.hp = std::abs(WeltZuPixelHoehe(hoehe));
    gdiF.lesbar = gdiGanz(gdiF.hp * faktor) > 2 && gdiF.hp > 4;
    if (!gdiF.lesbar) return;
    gdiF.einzeln = SchriftArt(gdiF.font);
    gdiFontMachen();
}

int GdiSchriftZuKlein() { return !gdiF.lesbar; }

void GdiTextGroesse(const char* text, double* breite, double* hoehe)
{
    // The width every output gives the text; on a target cut to the whole
    // pixels along the run only here, which is what its drawn advances add
    // up to (a right-aligned text ends on its point).
    const double w = std::fabs(SchriftTextBreite(gdiF.font, text, gdiF.hoehe, gdiF.faktor));
    if (gdiF.einzeln || !gdiF.lesbar || gdiZ.dc == 0) {
        *breite = w;
        *hoehe = std::fabs(gdiF.hoehe);
        return;
    }
    const double skala = gdiLaufSkala();
    *breite = std::trunc(w * skala) / skala;
    gdiFontMachen();  // chosen before this target began: made on first use
    TEXTMETRIC tm{};
    GetTextMetrics(gdiZ.dc, &tm);
    *hoehe = std::fabs((tm.tmAscent - tm.tmInternalLeading) / gdiAbb.sy);
}

void GdiTextStueck(double x, double y, int index, const char* text)
{
    if (gdiZ.dc == 0 || text == nullptr || *text == '\0') return;
    const double d = index * gdiF.hoehe * gdiF.faktor;
    switch (gdiF.winkel) {
    case 0: x += d; break;
    case 900: y += d; break;
    case 1800: x -= d; break;
    case 2700: y -= d; break;
    default:
        x += d * gdiF.c;
        y += d * gdiF.s;
    }
    const int px = WeltZuPixelX(x), py = WeltZuPixelY(y);
    if (!PixelNahe(px, py)) return;
    if (gdiS.breite > 0) GdiStiftAktualisieren();
    if (gdiF.lesbar) gdiFontMachen();
    SetBkMode(gdiZ.dc, TRANSPARENT);
    SetTextAlign(gdiZ.dc, TA_BASELINE | TA_LEFT);
    const int n = static_cast<int>(std::min<size_t>(std::strlen(text), GDITEXTSUP));
    if (n >= 2 && !gdiF.einzeln) {
        std::vector<int> vor(static_cast<size_t>(n));
        // The advances of the text's own font, also where a small size is
        // set in the standard face: the run keeps the width of the model.
        const int k = SchriftVorschub(gdiF.font, text, gdiF.hoehe * gdiLaufSkala() * gdiF.faktor, vor.data(), n);
        ExtTextOut(gdiZ.dc, px, py, 0, nullptr, text, static_cast<UINT>(k), vor.data());
    } else {
        TextOut(gdiZ.dc, px, py, text, n);
    }
}

void GdiTextZeile(double x, double y, const char* text, int stdtext)
{
    if (!gdiF.lesbar || text == nullptr) return;
    const int n = static_cast<int>(std::strlen(text));
    if (gdiF.einzeln) {
        for (int i = 0; i < n; ++i) {
            const char z[2] = {text[i], '\0'};
            GdiTextStueck(x, y, i, z);
        }
        return;
    }
    if (!stdtext) {
        GdiTextStueck(x, y, 0, text);
        return;
    }
    // Pieces end at a tab or two blanks; each keeps its column.
    std::vector<char> stueck(static_cast<size_t>(n) + 1);
    int versatz = 0;
    while (versatz < n) {
        int a = 0, e = 0;
        StrAbschnitt(text + versatz, stueck.data(), n + 1, &a, &e);
        if (e == 0) break;
        if (e > a) GdiTextStueck(x, y, versatz + a, stueck.data());
        versatz += e;
    }
}

// ---- Pixel operations ------------------------------------------------------------------------

void GdiGummiband(int modus, int x1, int y1, int x2, int y2)
{
    if (gdiZ.dc == 0) return;
    COLORREF farbe = modus == 1 ? RGB(255, 255, 0) : modus == 2 ? RGB(0, 255, 255) : RGB(0, 0, 0);
    HPEN p = CreatePen(PS_SOLID, 1, farbe);
    SelectObject(gdiZ.dc, p);
    if (gdiZ.stift) DeleteObject(gdiZ.stift);
    gdiZ.stift = p;
    gdiS.lFarbe = gdiS.lBreite = -1;  // the next pen primitive selects its own pen again
    SetROP2(gdiZ.dc, modus == 0 ? R2_NOT : R2_XORPEN);
    SelectObject(gdiZ.dc, GetStockObject(HOLLOW_BRUSH));
    Rectangle(gdiZ.dc, std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + 1, std::max(y1, y2) + 1);
    if (gdiZ.pinsel) SelectObject(gdiZ.dc, gdiZ.pinsel);
}
