// Bitmaps, icons and cursors from modules and files; see bildlader.h.
// Prefixes `plBildLader`, `plIcon`, file-static helpers `lader...`. Calls the
// BMP/PNG readers (bild.h), the public GDI calls, gdiint.h for raster
// surfaces, the cursor table of the window manager (eingabe.h), GetEnhMetaFile
// and Cairo.
#include "platform/bildlader.h"

#include <cairo.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "platform/bild_le.h"
#include "platform/eingabe.h"
#include "platform/gdi.h"
#include "platform/gdiint.h"
#include "platform/handle.h"
#include "platform/metafile.h"

namespace {

struct laderIcon {
    plBild bild;
};

plHandleTabelle<laderIcon>& laderIcons()
{
    static plHandleTabelle<laderIcon> t(plHandleArt::Icon);
    return t;
}

// A resource name as a key: "#123" for integer names, else the text in
// upper case (names compare ignoring case).
std::string laderSchluessel(LPCSTR name)
{
    if (!name) return std::string();
    if (IS_INTRESOURCE(name)) return "#" + std::to_string(static_cast<unsigned>(reinterpret_cast<uintptr_t>(name)));
    std::string s(name);
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

using laderTabelle = std::map<std::tuple<HINSTANCE, std::string, int>, std::vector<uint8_t>>;
laderTabelle& laderEintraege()
{
    static laderTabelle t;
    return t;
}

int laderStandIn(HINSTANCE modul, LPCSTR name, int art, std::vector<uint8_t>& bytes)
{
    auto it = laderEintraege().find({modul, laderSchluessel(name), art});
    if (it == laderEintraege().end()) return -1;
    bytes = it->second;
    return 0;
}

plBildLaderFn& laderHook()
{
    static plBildLaderFn f = laderStandIn;
    return f;
}

// Bytes of a resource or, with LR_LOADFROMFILE, of a file.
int laderBytes(HINSTANCE modul, LPCSTR name, int art, UINT flags, std::vector<uint8_t>& bytes)
{
    bytes.clear();
    if (!name) return -1;
    if (flags & LR_LOADFROMFILE) return IS_INTRESOURCE(name) ? -1 : plBildDateiLesen(name, bytes);
    return laderHook()(modul, name, art, bytes);
}

bool laderIstIco(const uint8_t* d, size_t n)
{
    return n >= 6 && d[0] == 0 && d[1] == 0 && (d[2] == 1 || d[2] == 2) && d[3] == 0;
}

// Decodes any of BMP, PNG, ICO, CUR.
int laderDekodieren(const std::vector<uint8_t>& bytes, int groesse, plBild& bild, int& hx, int& hy)
{
    hx = hy = 0;
    if (laderIstIco(bytes.data(), bytes.size())) return plIcoLesen(bytes.data(), bytes.size(), groesse, bild, hx, hy);
    return plBildLesen(bytes.data(), bytes.size(), bild);
}

plBild laderSkalieren(const plBild& q, int b, int h)
{
    if (b <= 0 || h <= 0 || (b == q.breite && h == q.hoehe)) return q;
    plBild z;
    z.breite = b;
    z.hoehe = h;
    z.bits = q.bits;
    z.pixel.assign(static_cast<size_t>(b) * static_cast<size_t>(h), 0);
    cairo_surface_t* qs = cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(const_cast<uint32_t*>(q.pixel.data())), CAIRO_FORMAT_ARGB32, q.breite, q.hoehe,
        q.breite * 4);
    cairo_surface_t* zs = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(z.pixel.data()),
                                                              CAIRO_FORMAT_ARGB32, b, h, b * 4);
    cairo_t* cr = cairo_create(zs);
    cairo_scale(cr, static_cast<double>(b) / q.breite, static_cast<double>(h) / q.hoehe);
    cairo_set_source_surface(cr, qs, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_BILINEAR);
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_destroy(zs);
    cairo_surface_destroy(qs);
    return z;
}

// A device bitmap of the picture: monochrome (light pixels white) for 1-bit
// sources or when asked, else colour with transparent parts over white.
HBITMAP laderBitmap(const plBild& b, bool mono)
{
    if (b.breite <= 0 || b.hoehe <= 0) return 0;
    if (mono || b.bits == 1) {
        size_t zeile = static_cast<size_t>((b.breite + 15) / 16) * 2;
        std::vector<uint8_t> bits(zeile * static_cast<size_t>(b.hoehe), 0);
        for (int y = 0; y < b.hoehe; ++y)
            for (int x = 0; x < b.breite; ++x) {
                uint8_t r, g, bl, a;
                plBildEntmultiplizieren(b.at(x, y), r, g, bl, a);
                unsigned hell = (a == 0) ? 255u * 100 : (r * 30u + g * 59u + bl * 11u);
                if (hell >= 128u * 100) bits[static_cast<size_t>(y) * zeile + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
            }
        return CreateBitmap(b.breite, b.hoehe, 1, 1, bits.data());
    }
    std::vector<uint32_t> px(b.pixel.size());
    for (size_t i = 0; i < px.size(); ++i) {
        uint32_t p = b.pixel[i];
        uint32_t a = p >> 24;
        if (a == 255) {
            px[i] = p;
            continue;
        }
        // Over white: c + (255 - a) for each premultiplied channel.
        uint32_t w = 255 - a;
        px[i] = 0xFF000000u | ((((p >> 16) & 0xFF) + w) << 16) | ((((p >> 8) & 0xFF) + w) << 8) | ((p & 0xFF) + w);
    }
    return CreateBitmap(b.breite, b.hoehe, 1, 32, px.data());
}

// ---- System icons, drawn once ---------------------------------------------------------------

plBild laderSystemIconMalen(int id)
{
    plBild b;
    b.breite = b.hoehe = 32;
    b.pixel.assign(32 * 32, 0);
    cairo_surface_t* s = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(b.pixel.data()),
                                                             CAIRO_FORMAT_ARGB32, 32, 32, 32 * 4);
    cairo_t* cr = cairo_create(s);
    auto kreis = [&](double r, double g, double bl) {
        cairo_arc(cr, 16, 16, 14.5, 0, 2 * M_PI);
        cairo_set_source_rgb(cr, r, g, bl);
        cairo_fill_preserve(cr);
        cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    };
    auto zeichen = [&](const char* t, double r, double g, double bl) {
        cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
        cairo_set_font_size(cr, 20);
        cairo_text_extents_t e;
        cairo_text_extents(cr, t, &e);
        cairo_move_to(cr, 16 - e.x_bearing - e.width / 2, 17 - e.y_bearing - e.height / 2);
        cairo_set_source_rgb(cr, r, g, bl);
        cairo_show_text(cr, t);
    };
    switch (id) {
    case 32513:  // IDI_HAND / IDI_ERROR: white cross on red
        kreis(0.85, 0.1, 0.1);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_set_line_width(cr, 3.5);
        cairo_move_to(cr, 10, 10);
        cairo_line_to(cr, 22, 22);
        cairo_move_to(cr, 22, 10);
        cairo_line_to(cr, 10, 22);
        cairo_stroke(cr);
        break;
    case 32514:  // IDI_QUESTION
        kreis(0.15, 0.35, 0.8);
        zeichen("?", 1, 1, 1);
        break;
    case 32515:  // IDI_EXCLAMATION / IDI_WARNING: black "!" on a yellow triangle
        cairo_move_to(cr, 16, 2);
        cairo_line_to(cr, 30.5, 29.5);
        cairo_line_to(cr, 1.5, 29.5);
        cairo_close_path(cr);
        cairo_set_source_rgb(cr, 1, 0.85, 0.1);
        cairo_fill_preserve(cr);
        cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        zeichen("!", 0, 0, 0);
        break;
    case 32516:  // IDI_ASTERISK / IDI_INFORMATION
        kreis(0.15, 0.35, 0.8);
        zeichen("i", 1, 1, 1);
        break;
    default:  // IDI_APPLICATION: a small window
        cairo_rectangle(cr, 3.5, 5.5, 25, 21);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_fill_preserve(cr);
        cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        cairo_rectangle(cr, 4, 6, 24, 4);
        cairo_set_source_rgb(cr, 0, 0, 0.5);
        cairo_fill(cr);
        break;
    }
    cairo_destroy(cr);
    cairo_surface_flush(s);
    cairo_surface_destroy(s);
    return b;
}

HICON laderSystemIcon(LPCSTR name)
{
    if (!IS_INTRESOURCE(name)) return 0;
    int id = static_cast<int>(reinterpret_cast<uintptr_t>(name));
    if (id < 32512 || id > 32518) return 0;
    if (id == 32517) id = 32512;  // IDI_WINLOGO
    if (id == 32518) id = 32515;  // IDI_SHIELD
    static std::map<int, HICON> fertig;
    auto it = fertig.find(id);
    if (it != fertig.end() && laderIcons().gueltig(it->second)) return it->second;
    HICON h = plIconAnlegen(laderSystemIconMalen(id));
    fertig[id] = h;
    return h;
}

}  // namespace

void plBildLaderSetzen(plBildLaderFn fn) { laderHook() = fn ? fn : laderStandIn; }

void plBildRessourceAnmelden(HINSTANCE modul, LPCSTR name, int art, std::vector<uint8_t> bytes)
{
    laderEintraege()[{modul, laderSchluessel(name), art}] = std::move(bytes);
}

void plBildRessourcenLeeren() { laderEintraege().clear(); }

// ---- ICO / CUR ----------------------------------------------------------------------------

int plIcoLesen(const uint8_t* daten, size_t laenge, int groesse, plBild& bild, int& hx, int& hy, std::string* fehler)
{
    bild = plBild{};
    hx = hy = 0;
    auto nein = [&](const char* t) {
        if (fehler) *fehler = t;
        return -1;
    };
    plLeLeser l(daten, laenge);
    uint16_t reserviert = l.u16(), typ = l.u16(), anzahl = l.u16();
    if (!l.gut || reserviert != 0 || (typ != 1 && typ != 2)) return nein("not an icon or cursor file");
    if (anzahl == 0 || !l.hat(static_cast<size_t>(anzahl) * 16)) return nein("icon directory truncated");
    int wahl = -1;
    long besteAbw = 0;
    struct Eintrag { int b, h, hx, hy; uint32_t n, off; };
    std::vector<Eintrag> e(anzahl);
    for (int i = 0; i < anzahl; ++i) {
        Eintrag& x = e[static_cast<size_t>(i)];
        x.b = l.u8();
        x.h = l.u8();
        l.u8();
        l.u8();
        x.hx = l.u16();
        x.hy = l.u16();
        x.n = l.u32();
        x.off = l.u32();
        if (!x.b) x.b = 256;
        if (!x.h) x.h = 256;
        if (x.off < 6 + 16u * anzahl || static_cast<uint64_t>(x.off) + x.n > laenge || x.n == 0)
            return nein("icon image outside the file");
        long abw = groesse > 0 ? std::labs(static_cast<long>(x.b) - groesse) : -static_cast<long>(x.b);
        if (wahl < 0 || abw < besteAbw) {
            wahl = i;
            besteAbw = abw;
        }
    }
    const Eintrag& x = e[static_cast<size_t>(wahl)];
    const uint8_t* d = daten + x.off;
    if (typ == 2) {
        hx = x.hx;
        hy = x.hy;
    }
    if (x.n >= 8 && d[0] == 0x89 && d[1] == 'P') return plPngLesen(d, x.n, bild, fehler);
    // A DIB whose height counts the colour image and the AND mask.
    plLeLeser k(d, x.n);
    uint32_t kopfGroesse = k.u32();
    if (!k.gut || (kopfGroesse != 40 && kopfGroesse != 108 && kopfGroesse != 124)) return nein("icon image header invalid");
    std::vector<uint8_t> kopf(d, d + std::min<size_t>(x.n, 4096));
    plLeLeser h(d, x.n);
    h.ueberspringen(4);
    int32_t breite = h.i32(), hoehe2 = h.i32();
    h.ueberspringen(2);
    uint16_t bits = h.u16();
    if (!h.gut || breite <= 0 || hoehe2 <= 0 || hoehe2 % 2) return nein("icon image size invalid");
    int32_t hoehe = hoehe2 / 2;
    for (int i = 0; i < 4; ++i) kopf[8 + i] = static_cast<uint8_t>(static_cast<uint32_t>(hoehe) >> (8 * i));
    size_t kopfTeil = plDibKopfGroesse(kopf.data(), kopf.size());
    if (kopfTeil == 0 || kopfTeil > x.n) return nein("icon image header invalid");
    uint64_t farbZeile = ((static_cast<uint64_t>(breite) * bits + 31) / 32) * 4;
    uint64_t farbBytes = farbZeile * static_cast<uint64_t>(hoehe);
    uint64_t maskZeile = ((static_cast<uint64_t>(breite) + 31) / 32) * 4;
    uint64_t maskBytes = maskZeile * static_cast<uint64_t>(hoehe);
    if (kopfTeil + farbBytes > x.n) return nein("icon image truncated");
    plBild b;
    if (plDibLesen(kopf.data(), kopfTeil, d + kopfTeil, static_cast<size_t>(farbBytes), b, fehler) != 0) return -1;
    const uint8_t* farben = d + kopfTeil;
    bool alpha = false;
    if (bits == 32)
        for (int32_t y = 0; y < hoehe && !alpha; ++y)
            for (int32_t xx = 0; xx < breite && !alpha; ++xx) alpha = farben[y * farbZeile + xx * 4 + 3] != 0;
    bool mitMaske = kopfTeil + farbBytes + maskBytes <= x.n;
    if (!alpha && !mitMaske) return nein("icon mask truncated");
    const uint8_t* maske = d + kopfTeil + farbBytes;
    for (int32_t y = 0; y < hoehe; ++y)
        for (int32_t xx = 0; xx < breite; ++xx) {
            int32_t zeile = hoehe - 1 - y;  // both parts are bottom-up
            uint32_t& p = b.at(xx, y);
            uint8_t a;
            if (alpha) {
                a = farben[zeile * farbZeile + xx * 4 + 3];
            } else {
                bool durch = (maske[zeile * maskZeile + xx / 8] >> (7 - xx % 8)) & 1;
                a = durch ? 0 : 255;
            }
            if (a == 255) continue;
            auto m = [a](uint32_t c) { return (c * a + 127) / 255; };
            p = (uint32_t{a} << 24) | (m((p >> 16) & 0xFF) << 16) | (m((p >> 8) & 0xFF) << 8) | m(p & 0xFF);
        }
    bild = std::move(b);
    return 0;
}

// ---- Icons -------------------------------------------------------------------------------------

HICON plIconAnlegen(const plBild& bild)
{
    if (bild.breite <= 0 || bild.hoehe <= 0 || bild.pixel.size() != static_cast<size_t>(bild.breite) * bild.hoehe) return 0;
    auto i = std::make_unique<laderIcon>();
    i->bild = bild;
    return laderIcons().anlegen(std::move(i));
}

const plBild* plIconBild(HICON icon)
{
    laderIcon* i = laderIcons().finden(icon);
    return i ? &i->bild : nullptr;
}

BOOL DestroyIcon(HICON icon) { return laderIcons().freigeben(icon) ? TRUE : FALSE; }

void plIconsFreigeben() { laderIcons().leeren(); }

BOOL DrawIconEx(HDC hdc, int x, int y, HICON icon, int cx, int cy, UINT, HBRUSH hinter, UINT flags)
{
    const plBild* b = plIconBild(icon);
    if (!b || !hdc) return FALSE;
    int w = cx > 0 ? cx : b->breite, h = cy > 0 ? cy : b->hoehe;
    if (hinter) {
        RECT rc{x, y, x + w, y + h};
        FillRect(hdc, &rc, hinter);
    }
    if (!(flags & DI_IMAGE) && !(flags & DI_MASK)) return TRUE;
    POINT ursprung{};
    cairo_surface_t* s = gdiDcOberflaeche(hdc, &ursprung);
    if (s) {
        // Raster DC: composite with the icon's alpha straight onto its pixels.
        POINT p[2] = {{x, y}, {x + w, y + h}};
        LPtoDP(hdc, p, 2);
        cairo_surface_t* q = cairo_image_surface_create_for_data(
            reinterpret_cast<unsigned char*>(const_cast<uint32_t*>(b->pixel.data())), CAIRO_FORMAT_ARGB32, b->breite,
            b->hoehe, b->breite * 4);
        cairo_t* cr = cairo_create(s);
        cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
        cairo_translate(cr, ursprung.x + p[0].x, ursprung.y + p[0].y);
        cairo_scale(cr, static_cast<double>(p[1].x - p[0].x) / b->breite, static_cast<double>(p[1].y - p[0].y) / b->hoehe);
        cairo_set_source_surface(cr, q, 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
        cairo_paint(cr);
        cairo_destroy(cr);
        cairo_surface_destroy(q);
        cairo_surface_mark_dirty(s);
        return TRUE;
    }
    // Vector and recording DCs: the picture over white as a DIB.
    HBITMAP bm = laderBitmap(*b, false);
    BITMAPINFO bmi{};
    bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), b->breite, -b->hoehe, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<uint32_t> px(b->pixel.size());
    HDC mem = CreateCompatibleDC(0);
    GetDIBits(mem, bm, 0, static_cast<UINT>(b->hoehe), px.data(), &bmi, DIB_RGB_COLORS);
    DeleteDC(mem);
    DeleteObject(bm);
    StretchDIBits(hdc, x, y, w, h, 0, 0, b->breite, b->hoehe, px.data(), &bmi, DIB_RGB_COLORS, SRCCOPY);
    return TRUE;
}

BOOL DrawIcon(HDC hdc, int x, int y, HICON icon) { return DrawIconEx(hdc, x, y, icon, 0, 0, 0, 0, DI_NORMAL); }

// ---- Loading -------------------------------------------------------------------------------------

HANDLE LoadImage(HINSTANCE modul, LPCSTR name, UINT art, int cx, int cy, UINT flags)
{
    if (art == IMAGE_ENHMETAFILE) {
        if (!(flags & LR_LOADFROMFILE) || !name || IS_INTRESOURCE(name)) return 0;
        return GetEnhMetaFile(name);
    }
    if (art != IMAGE_BITMAP && art != IMAGE_ICON && art != IMAGE_CURSOR) return 0;
    if (art == IMAGE_ICON && !modul && !(flags & LR_LOADFROMFILE)) return laderSystemIcon(name);
    if (art == IMAGE_CURSOR && !modul && !(flags & LR_LOADFROMFILE)) return plCursorSystem(name);
    if ((art == IMAGE_ICON || art == IMAGE_CURSOR) && (flags & LR_DEFAULTSIZE)) {
        if (cx == 0) cx = 32;
        if (cy == 0) cy = 32;
    }
    std::vector<uint8_t> bytes;
    if (laderBytes(modul, name, static_cast<int>(art), flags, bytes) != 0) return 0;
    plBild bild;
    int hx = 0, hy = 0;
    if (laderDekodieren(bytes, cx, bild, hx, hy) != 0) return 0;
    int b = cx > 0 ? cx : bild.breite, h = cy > 0 ? cy : bild.hoehe;
    if (b != bild.breite || h != bild.hoehe) {
        hx = hx * b / bild.breite;
        hy = hy * h / bild.hoehe;
        bild = laderSkalieren(bild, b, h);
    }
    switch (art) {
    case IMAGE_BITMAP: return laderBitmap(bild, (flags & LR_MONOCHROME) != 0);
    case IMAGE_ICON: return plIconAnlegen(bild);
    default: return plCursorAnlegen(bild.breite, bild.hoehe, hx, hy, bild.pixel.data());
    }
}

HBITMAP LoadBitmap(HINSTANCE modul, LPCSTR name) { return modul ? LoadImage(modul, name, IMAGE_BITMAP, 0, 0, 0) : 0; }
HICON LoadIcon(HINSTANCE modul, LPCSTR name) { return LoadImage(modul, name, IMAGE_ICON, 0, 0, LR_DEFAULTSIZE); }
HCURSOR LoadCursor(HINSTANCE modul, LPCSTR name) { return LoadImage(modul, name, IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE); }
