// Images of the raster image library: the table of live images, allocation
// as DIB sections, descriptor checks, and the pixel operations (resize,
// rotate90, convertrgbtopal); prefix `rb` inside, the program's names
// outside. File formats are in rasterbib_datei.cpp. May call platform/gdi,
// platform/fehlersim and the standard library.
//
// Invariants:
//  1. Every live image has one entry in rbTabelle under its id; the entry
//     owns the header block (BITMAPINFOHEADER + 256 colours) and the DIB
//     section; `ibuff` is that section's memory.
//  2. A descriptor is used only when its id, buffer, header and bitmap match
//     the entry (rbPruefen); stale copies are refused before any pixel is
//     touched.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>

#include "platform/fehlersim.h"
#include "platform/rasterbib_int.h"

namespace {

constexpr int RB_PALETTE = 256;

struct RbEintrag {
    std::unique_ptr<uint8_t[]> kopf;  // BITMAPINFOHEADER and 256 RGBQUAD
    HBITMAP bm = 0;
    uint8_t* bits = nullptr;
    int w = 0, h = 0, bpp = 0, zeile = 0;
};

std::map<uint32_t, RbEintrag>& rbTabelle()
{
    static std::map<uint32_t, RbEintrag> t;
    return t;
}
uint32_t rbNaechsteId = 1;
std::string rbLetzterFehler;

int rbZeilenBytes(int w, int bpp)
{
    return static_cast<int>(((static_cast<int64_t>(w) * bpp + 31) / 32) * 4);
}

BITMAPINFOHEADER* rbKopf(const RbEintrag& e) { return reinterpret_cast<BITMAPINFOHEADER*>(e.kopf.get()); }
RGBQUAD* rbFarben(const RbEintrag& e)
{
    return reinterpret_cast<RGBQUAD*>(e.kopf.get() + sizeof(BITMAPINFOHEADER));
}

// A new header block and DIB section of w x h at bpp bits with `pal` (256
// entries for 8 bits). 0 or an error code; `e` is untouched on failure.
int rbSektionNeu(int w, int h, int bpp, const RGBQUAD* pal, RbEintrag& e)
{
    const size_t n = sizeof(BITMAPINFOHEADER) + RB_PALETTE * sizeof(RGBQUAD);
    std::unique_ptr<uint8_t[]> kopf(new (std::nothrow) uint8_t[n]());
    if (!kopf) return rbFehler(RB_FEHLER_SPEICHER, "no memory for the header");
    auto* k = reinterpret_cast<BITMAPINFOHEADER*>(kopf.get());
    k->biSize = sizeof(BITMAPINFOHEADER);
    k->biWidth = w;
    k->biHeight = h;  // bottom-up
    k->biPlanes = 1;
    k->biBitCount = static_cast<WORD>(bpp);
    k->biCompression = BI_RGB;
    k->biSizeImage = static_cast<DWORD>(static_cast<int64_t>(rbZeilenBytes(w, bpp)) * h);
    k->biClrUsed = bpp == 8 ? RB_PALETTE : 0;
    if (bpp == 8 && pal)
        std::memcpy(kopf.get() + sizeof(BITMAPINFOHEADER), pal, RB_PALETTE * sizeof(RGBQUAD));
    void* bits = nullptr;
    HBITMAP bm = CreateDIBSection(0, reinterpret_cast<const BITMAPINFO*>(kopf.get()), DIB_RGB_COLORS, &bits, 0, 0);
    if (!bm || !bits) return rbFehler(RB_FEHLER_SPEICHER, "the bitmap cannot be made");
    e.kopf = std::move(kopf);
    e.bm = bm;
    e.bits = static_cast<uint8_t*>(bits);
    e.w = w, e.h = h, e.bpp = bpp, e.zeile = rbZeilenBytes(w, bpp);
    return RB_OK;
}

void rbBeschreiben(const RbEintrag& e, uint32_t id, int farben, imgdes* img)
{
    img->ibuff = e.bits;
    img->buffwidth = e.zeile;
    img->bits = e.bpp;
    img->colors = e.bpp == 8 ? farben : 0;
    img->palette = e.bpp == 8 ? rbFarben(e) : nullptr;
    img->bmh = rbKopf(e);
    img->hBitmap = e.bm;
    img->id = id;
}

RbEintrag* rbEintrag(const imgdes* img)
{
    if (!img) return nullptr;
    auto it = rbTabelle().find(img->id);
    if (it == rbTabelle().end()) return nullptr;
    RbEintrag& e = it->second;
    if (img->ibuff != e.bits || img->bmh != rbKopf(e) || img->hBitmap != e.bm || img->bits != e.bpp ||
        img->buffwidth != e.zeile)
        return nullptr;
    return &e;
}

// Start of picture row y (from the top) of a checked image.
uint8_t* rbReihe(const imgdes* img, int y)
{
    int hoehe = img->bmh->biHeight;
    return img->ibuff + static_cast<size_t>(hoehe - 1 - y) * static_cast<size_t>(img->buffwidth);
}

int rbBreite(const imgdes* img) { return img->endx - img->stx + 1; }
int rbHoehe(const imgdes* img) { return img->endy - img->sty + 1; }

// Gives an 8-bit image the palette `pal` (n entries). A different table
// needs a new DIB section (GDI keeps the section's table); the bits are
// carried over and the old section deleted.
int rbPaletteSetzen(imgdes* img, const std::vector<RGBQUAD>& pal)
{
    RbEintrag* e = rbEintrag(img);
    if (!e || e->bpp != 8) return rbFehler(RB_FEHLER_BILD, "not a live 8-bit image");
    RGBQUAD neu[RB_PALETTE];
    std::memset(neu, 0, sizeof neu);
    int n = static_cast<int>(std::min<size_t>(pal.size(), RB_PALETTE));
    for (int i = 0; i < n; ++i) neu[i] = pal[static_cast<size_t>(i)], neu[i].rgbReserved = 0;
    if (std::memcmp(neu, rbFarben(*e), sizeof neu) != 0) {
        RbEintrag f;
        int rc = rbSektionNeu(e->w, e->h, 8, neu, f);
        if (rc != RB_OK) return rc;
        std::memcpy(f.bits, e->bits, static_cast<size_t>(e->zeile) * static_cast<size_t>(e->h));
        if (!DeleteObject(e->bm)) {
            DeleteObject(f.bm);
            return rbFehler(RB_FEHLER_BILD, "the image's bitmap is selected into a device context");
        }
        *e = std::move(f);
    }
    int stx = img->stx, sty = img->sty, endx = img->endx, endy = img->endy;
    rbBeschreiben(*e, img->id, n, img);
    img->stx = stx, img->sty = sty, img->endx = endx, img->endy = endy;
    return RB_OK;
}

int rbBitsFuerDatei(int bits)
{
    switch (bits) {
    case 1:
    case 2:
    case 4:
    case 8:
        return 8;
    case 16:
    case 24:
    case 32:
    case 48:
    case 64:
        return 24;
    default:
        return 0;
    }
}

}  // namespace

// ---- Shared internals ----------------------------------------------------------------------
int rbFehler(int code, const char* text)
{
    rbLetzterFehler = text ? text : "";
    return code;
}

int rbGroessePruefen(int64_t w, int64_t h)
{
    if (w <= 0 || h <= 0) return rbFehler(RB_FEHLER_GROESSE, "empty or negative picture size");
    if (w > RASTERBIB_KANTESUP || h > RASTERBIB_KANTESUP)
        return rbFehler(RB_FEHLER_GROESSE, "picture side larger than 30000 pixels");
    if (w * h > RASTERBIB_PIXELSUP) return rbFehler(RB_FEHLER_GROESSE, "picture has more than 64 Mi pixels");
    if (int64_t{rbZeilenBytes(static_cast<int>(w), 24)} * h > RASTERBIB_BYTESUP)
        return rbFehler(RB_FEHLER_GROESSE, "picture larger than 512 MiB");
    return RB_OK;
}

int rbPruefen(const imgdes* img)
{
    const RbEintrag* e = rbEintrag(img);
    if (!e) return rbFehler(RB_FEHLER_BILD, "not a live image (freed, or a stale copy)");
    if (img->stx < 0 || img->sty < 0 || img->stx > img->endx || img->sty > img->endy || img->endx >= e->w ||
        img->endy >= e->h)
        return rbFehler(RB_FEHLER_BILD, "working area outside the image");
    return RB_OK;
}

int rbAusschneiden(const imgdes* img, RbRaster& r)
{
    int rc = rbPruefen(img);
    if (rc != RB_OK) return rc;
    r.w = rbBreite(img), r.h = rbHoehe(img), r.bits = img->bits;
    r.px.assign(r.zeile() * static_cast<size_t>(r.h), 0);
    r.pal.clear();
    if (img->bits == 8) r.pal.assign(img->palette, img->palette + std::max(1, std::min(img->colors, RB_PALETTE)));
    size_t px = img->bits == 8 ? 1 : 3;
    for (int y = 0; y < r.h; ++y)
        std::memcpy(r.reihe(y), rbReihe(img, img->sty + y) + static_cast<size_t>(img->stx) * px, r.zeile());
    return RB_OK;
}

int rbAblegen(const RbRaster& r, imgdes* img)
{
    int rc = rbPruefen(img);
    if (rc != RB_OK) return rc;
    if (r.bits == 24 && img->bits == 8) return rbFehler(RB_FEHLER_BITS, "a colour picture into an 8-bit image");
    if (r.bits == 8 && img->bits == 8) {
        rc = rbPaletteSetzen(img, r.pal);
        if (rc != RB_OK) return rc;
    }
    int w = std::min(r.w, rbBreite(img)), h = std::min(r.h, rbHoehe(img));
    for (int y = 0; y < h; ++y) {
        const uint8_t* q = r.reihe(y);
        uint8_t* z = rbReihe(img, img->sty + y);
        if (img->bits == r.bits) {
            size_t px = r.bits == 8 ? 1 : 3;
            std::memcpy(z + static_cast<size_t>(img->stx) * px, q, static_cast<size_t>(w) * px);
            continue;
        }
        z += static_cast<size_t>(img->stx) * 3;
        for (int x = 0; x < w; ++x) {
            // Indices beyond the table (a damaged source) show black.
            RGBQUAD f{0, 0, 0, 0};
            if (q[x] < r.pal.size()) f = r.pal[q[x]];
            z[3 * x] = f.rgbBlue, z[3 * x + 1] = f.rgbGreen, z[3 * x + 2] = f.rgbRed;
        }
    }
    return RB_OK;
}

// ---- Library ------------------------------------------------------------------------------
int rasterbibLaden()
{
    rbLetzterFehler.clear();
    return RB_OK;
}

int rasterbibFreigeben()
{
    int n = 0;
    for (auto& [id, e] : rbTabelle()) {
        (void)id;
        DeleteObject(e.bm);
        ++n;
    }
    rbTabelle().clear();
    return n;
}

int rasterbibLebend() { return static_cast<int>(rbTabelle().size()); }

const char* rasterbibFehlertext() { return rbLetzterFehler.c_str(); }

// ---- Descriptors -------------------------------------------------------------------------
int allocimage(imgdes* img, int breite, int hoehe, int bits)
{
    if (!img) return rbFehler(RB_FEHLER_ARGUMENT, "no descriptor");
    *img = imgdes{};
    int bpp = rbBitsFuerDatei(bits);
    if (!bpp) return rbFehler(RB_FEHLER_BITS, "bits per pixel not handled");
    int rc = rbGroessePruefen(breite, hoehe);
    if (rc != RB_OK) return rc;
    if (plFehlerJetzt(PlFehlerArt::Speicher)) return rbFehler(RB_FEHLER_SPEICHER, "no memory for the image");
    // A new 8-bit image starts with a grey ramp, so its indices show as grey.
    RGBQUAD grau[RB_PALETTE];
    for (int i = 0; i < RB_PALETTE; ++i) {
        auto v = static_cast<BYTE>(i);
        grau[i] = RGBQUAD{v, v, v, 0};
    }
    RbEintrag e;
    rc = rbSektionNeu(breite, hoehe, bpp, grau, e);
    if (rc != RB_OK) return rc;
    uint32_t id = rbNaechsteId++;
    if (rbNaechsteId == 0) rbNaechsteId = 1;
    auto& neu = rbTabelle()[id];
    neu = std::move(e);
    rbBeschreiben(neu, id, bpp == 8 ? RB_PALETTE : 0, img);
    img->stx = 0, img->sty = 0, img->endx = breite - 1, img->endy = hoehe - 1;
    return RB_OK;
}

int freeimage(imgdes* img)
{
    RbEintrag* e = rbEintrag(img);
    if (!e) return rbFehler(RB_FEHLER_BILD, "not a live image (freed, or a stale copy)");
    if (!DeleteObject(e->bm)) return rbFehler(RB_FEHLER_BILD, "the image's bitmap is selected into a device context");
    rbTabelle().erase(img->id);
    *img = imgdes{};
    return RB_OK;
}

int copyimgdes(const imgdes* quelle, imgdes* ziel)
{
    if (!ziel) return rbFehler(RB_FEHLER_ARGUMENT, "no target descriptor");
    if (!rbEintrag(quelle)) return rbFehler(RB_FEHLER_BILD, "not a live image (freed, or a stale copy)");
    *ziel = *quelle;
    return RB_OK;
}

// ---- Operations ---------------------------------------------------------------------------
int resize(const imgdes* quelle, imgdes* ziel)
{
    RbRaster q;
    int rc = rbAusschneiden(quelle, q);
    if (rc == RB_OK) rc = rbPruefen(ziel);
    if (rc != RB_OK) return rc;
    if (q.bits != ziel->bits) return rbFehler(RB_FEHLER_BITS, "source and target differ in bits");
    RbRaster z;
    z.w = rbBreite(ziel), z.h = rbHoehe(ziel), z.bits = q.bits, z.pal = q.pal;
    z.px.assign(z.zeile() * static_cast<size_t>(z.h), 0);
    const int64_t qw = q.w, qh = q.h, zw = z.w, zh = z.h;
    for (int64_t y = 0; y < zh; ++y) {
        int64_t y0 = y * qh / zh, y1 = std::max(y0 + 1, (y + 1) * qh / zh);
        uint8_t* zr = z.reihe(static_cast<int>(y));
        for (int64_t x = 0; x < zw; ++x) {
            int64_t x0 = x * qw / zw, x1 = std::max(x0 + 1, (x + 1) * qw / zw);
            if (q.bits == 8) {
                // Indices cannot be averaged: the pixel at the box's centre.
                zr[x] = q.reihe(static_cast<int>((y0 + y1 - 1) / 2))[(x0 + x1 - 1) / 2];
                continue;
            }
            uint64_t s[3] = {0, 0, 0};
            for (int64_t yy = y0; yy < y1; ++yy) {
                const uint8_t* p = q.reihe(static_cast<int>(yy)) + x0 * 3;
                for (int64_t xx = x0; xx < x1; ++xx, p += 3) s[0] += p[0], s[1] += p[1], s[2] += p[2];
            }
            uint64_t n = static_cast<uint64_t>((y1 - y0) * (x1 - x0));
            for (int k = 0; k < 3; ++k) zr[3 * x + k] = static_cast<uint8_t>((s[k] + n / 2) / n);
        }
    }
    return rbAblegen(z, ziel);
}

int rotate90(int richtung, const imgdes* quelle, imgdes* ziel)
{
    if (richtung != 0 && richtung != 1) return rbFehler(RB_FEHLER_ARGUMENT, "direction must be 0 or 1");
    RbRaster q;
    int rc = rbAusschneiden(quelle, q);
    if (rc == RB_OK) rc = rbPruefen(ziel);
    if (rc != RB_OK) return rc;
    if (q.bits != ziel->bits) return rbFehler(RB_FEHLER_BITS, "source and target differ in bits");
    if (rbBreite(ziel) != q.h || rbHoehe(ziel) != q.w)
        return rbFehler(RB_FEHLER_GROESSE, "target must have the source's size swapped");
    RbRaster z;
    z.w = q.h, z.h = q.w, z.bits = q.bits, z.pal = q.pal;
    z.px.assign(z.zeile() * static_cast<size_t>(z.h), 0);
    const size_t px = q.bits == 8 ? 1 : 3;
    for (int y = 0; y < q.h; ++y) {
        const uint8_t* p = q.reihe(y);
        for (int x = 0; x < q.w; ++x, p += px) {
            // Counter-clockwise: the top-right corner becomes the top-left.
            int zx = richtung == 1 ? y : q.h - 1 - y;
            int zy = richtung == 1 ? q.w - 1 - x : x;
            std::memcpy(z.reihe(zy) + static_cast<size_t>(zx) * px, p, px);
        }
    }
    return rbAblegen(z, ziel);
}

int convertrgbtopal(int farben, const imgdes* quelle, imgdes* ziel)
{
    if (farben < 2 || farben > RB_PALETTE) return rbFehler(RB_FEHLER_ARGUMENT, "colour count must be 2..256");
    RbRaster q;
    int rc = rbAusschneiden(quelle, q);
    if (rc == RB_OK) rc = rbPruefen(ziel);
    if (rc != RB_OK) return rc;
    if (q.bits != 24 || ziel->bits != 8) return rbFehler(RB_FEHLER_BITS, "needs a 24-bit source and an 8-bit target");
    if (rbBreite(ziel) != q.w || rbHoehe(ziel) != q.h)
        return rbFehler(RB_FEHLER_GROESSE, "source and target differ in size");
    RbRaster z;
    z.w = q.w, z.h = q.h, z.bits = 8;
    z.px.assign(z.zeile() * static_cast<size_t>(z.h), 0);
    // The picture's own colours, in the order met, while they fit.
    std::unordered_map<uint32_t, uint8_t> eigene;
    bool passt = true;
    for (size_t i = 0; i + 2 < q.px.size() && passt; i += 3) {
        uint32_t c = q.px[i] | (q.px[i + 1] << 8) | (uint32_t{q.px[i + 2]} << 16);
        if (eigene.count(c)) continue;
        if (static_cast<int>(eigene.size()) == farben) passt = false;
        else eigene.emplace(c, static_cast<uint8_t>(eigene.size())), z.pal.push_back(RGBQUAD{q.px[i], q.px[i + 1], q.px[i + 2], 0});
    }
    if (passt) {
        for (size_t i = 0, j = 0; j < z.px.size(); i += 3, ++j)
            z.px[j] = eigene[q.px[i] | (q.px[i + 1] << 8) | (uint32_t{q.px[i + 2]} << 16)];
        return rbAblegen(z, ziel);
    }
    // Too many: a cube of n levels per channel (n^3 <= farben), each pixel
    // to its nearest level; below 8 colours a grey ramp.
    int n = static_cast<int>(std::cbrt(static_cast<double>(farben)) + 1e-9);
    z.pal.clear();
    if (n >= 2) {
        for (int r = 0; r < n; ++r)
            for (int g = 0; g < n; ++g)
                for (int b = 0; b < n; ++b)
                    z.pal.push_back(RGBQUAD{static_cast<BYTE>(b * 255 / (n - 1)), static_cast<BYTE>(g * 255 / (n - 1)),
                                            static_cast<BYTE>(r * 255 / (n - 1)), 0});
        auto stufe = [n](int v) { return (v * (n - 1) + 127) / 255; };
        for (size_t i = 0, j = 0; j < z.px.size(); i += 3, ++j)
            z.px[j] = static_cast<uint8_t>((stufe(q.px[i + 2]) * n + stufe(q.px[i + 1])) * n + stufe(q.px[i]));
    } else {
        for (int k = 0; k < farben; ++k) {
            auto v = static_cast<BYTE>(k * 255 / (farben - 1));
            z.pal.push_back(RGBQUAD{v, v, v, 0});
        }
        for (size_t i = 0, j = 0; j < z.px.size(); i += 3, ++j) {
            int grau = (q.px[i] * 11 + q.px[i + 1] * 59 + q.px[i + 2] * 30) / 100;
            z.px[j] = static_cast<uint8_t>((grau * (farben - 1) + 127) / 255);
        }
    }
    return rbAblegen(z, ziel);
}
