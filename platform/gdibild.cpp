// Bitmaps of the GDI layer: creation (compatible, monochrome, DIB sections),
// device-independent bitmap conversion both ways, BitBlt/StretchBlt/PatBlt,
// StretchDIBits and SetDIBitsToDevice. Prefix `gdi`. Calls cairo and the
// raster operations of gdimalen.cpp (the pixel rules are documented there).
//
// Bitmaps are RGB24 cairo surfaces. A monochrome bitmap holds only black (0)
// and white (1). Colour meets monochrome as on Windows: a monochrome source
// on a colour target gives 0 -> text colour, 1 -> background colour of the
// target DC; a colour source on a monochrome target gives 1 where the pixel
// equals the source DC's background colour, else 0.
// A DIB is trusted to hold what its header says (the caller owns the bits),
// but the header itself is checked: sizes, bit counts and colour-table
// lengths out of range are refused.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/gdimalen.h"

namespace {

// Largest bitmap: 64 M pixels (256 MB), each side within cairo's 32767.
constexpr int64_t GDI_PIXELSUP = int64_t{1} << 26;
constexpr int64_t GDI_SEITESUP = 32767;

bool gdiGroesseOk(int64_t w, int64_t h)
{
    return w > 0 && h > 0 && w <= GDI_SEITESUP && h <= GDI_SEITESUP && w * h <= GDI_PIXELSUP;
}

HBITMAP gdiBitmapNeu(int w, int h, int bpp)
{
    auto b = std::make_unique<GdiBitmap>();
    b->flaeche = gdiBildNeu(w, h);
    if (cairo_surface_status(b->flaeche) != CAIRO_STATUS_SUCCESS) return 0;
    b->breite = w;
    b->hoehe = h;
    b->bpp = bpp;
    return gdiBitmaps().anlegen(std::move(b));
}

int gdiZeilenBytes(int w, int bpp) { return ((w * bpp + 31) / 32) * 4; }

int gdiFarbenAnzahl(const BITMAPINFOHEADER& h)
{
    if (h.biBitCount > 8) return h.biCompression == BI_BITFIELDS ? 3 : 0;  // 3 masks take the table's place
    int voll = 1 << h.biBitCount;
    return h.biClrUsed == 0 ? voll : static_cast<int>(std::min<DWORD>(h.biClrUsed, static_cast<DWORD>(voll)));
}

// The 16 colours of a 4-bit table and the 256 of an 8-bit one we write.
RGBQUAD gdiTabellenFarbe(int bpp, int i)
{
    static const BYTE vga[16][3] = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                    {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                                    {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                                    {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
    if (bpp == 1) return i ? RGBQUAD{255, 255, 255, 0} : RGBQUAD{0, 0, 0, 0};
    if (bpp == 4 || i < 16) return RGBQUAD{vga[i & 15][2], vga[i & 15][1], vga[i & 15][0], 0};
    int j = i - 16;
    if (j < 216) return RGBQUAD{BYTE((j % 6) * 51), BYTE(((j / 6) % 6) * 51), BYTE((j / 36) * 51), 0};
    BYTE g = BYTE((j - 216) * 255 / 23);
    return RGBQUAD{g, g, g, 0};
}

int gdiNaechsteFarbe(const std::vector<RGBQUAD>& t, uint32_t px)
{
    int r = (px >> 16) & 0xFF, g = (px >> 8) & 0xFF, b = px & 0xFF;
    int best = 0, bestD = 1 << 30;
    for (size_t i = 0; i < t.size(); ++i) {
        int d = (t[i].rgbRed - r) * (t[i].rgbRed - r) + (t[i].rgbGreen - g) * (t[i].rgbGreen - g) +
                (t[i].rgbBlue - b) * (t[i].rgbBlue - b);
        if (d < bestD) bestD = d, best = static_cast<int>(i);
        if (d == 0) break;
    }
    return best;
}

int gdiMaskenSchieben(DWORD maske, int& bits)
{
    if (!maske) {
        bits = 0;
        return 0;
    }
    int s = 0;
    while (!(maske & 1)) maske >>= 1, ++s;
    bits = 0;
    while (maske & 1) maske >>= 1, ++bits;
    return s;
}

uint32_t gdiKanal(uint32_t v, DWORD maske)
{
    int bits;
    int s = gdiMaskenSchieben(maske, bits);
    if (!bits) return 0;
    uint32_t x = (v & maske) >> s;
    return bits >= 8 ? (x >> (bits - 8)) : (x * 255 / ((1u << bits) - 1));
}

}  // namespace

// Reads a DIB into a new RGB24 surface (top row first). `bppAus` receives
// the DIB's bit count. Null when the header is not one we can read.
cairo_surface_t* gdiDibLesen(const BITMAPINFO* bmi, const void* bits, UINT usage, int* bppAus)
{
    if (!bmi || !bits || usage != DIB_RGB_COLORS) return nullptr;
    const BITMAPINFOHEADER& h = bmi->bmiHeader;
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biPlanes != 1) return nullptr;
    int w = h.biWidth;
    int64_t hh = h.biHeight;
    bool obenZuerst = hh < 0;
    if (obenZuerst) hh = -hh;
    if (!gdiGroesseOk(w, hh)) return nullptr;
    int bpp = h.biBitCount;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return nullptr;
    if (h.biCompression != BI_RGB && !(h.biCompression == BI_BITFIELDS && (bpp == 16 || bpp == 32))) return nullptr;
    if (h.biClrUsed > 256 && bpp <= 8) return nullptr;
    const auto* tab = reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const uint8_t*>(bmi) + h.biSize);
    int nFarben = bpp <= 8 ? gdiFarbenAnzahl(h) : 0;
    DWORD masken[3] = {0x7C00, 0x03E0, 0x001F};
    if (bpp == 32) masken[0] = 0xFF0000, masken[1] = 0xFF00, masken[2] = 0xFF;
    if (h.biCompression == BI_BITFIELDS) std::memcpy(masken, tab, sizeof masken);
    int H = static_cast<int>(hh);
    cairo_surface_t* s = gdiBildNeu(w, H);
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(s);
        return nullptr;
    }
    auto* d = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(s));
    int ds = cairo_image_surface_get_stride(s) / 4;
    int zeile = gdiZeilenBytes(w, bpp);
    const auto* q = static_cast<const uint8_t*>(bits);
    for (int y = 0; y < H; ++y) {
        const uint8_t* z = q + static_cast<size_t>(obenZuerst ? y : H - 1 - y) * zeile;
        uint32_t* o = d + static_cast<size_t>(y) * ds;
        for (int x = 0; x < w; ++x) {
            uint32_t px;
            if (bpp <= 8) {
                int idx;
                if (bpp == 1) idx = (z[x >> 3] >> (7 - (x & 7))) & 1;
                else if (bpp == 4) idx = (z[x >> 1] >> ((x & 1) ? 0 : 4)) & 15;
                else idx = z[x];
                if (idx >= nFarben) idx = 0;  // an index past the table reads its first colour
                const RGBQUAD& c = tab[idx];
                px = (uint32_t(c.rgbRed) << 16) | (uint32_t(c.rgbGreen) << 8) | c.rgbBlue;
            } else if (bpp == 16) {
                uint32_t v = z[2 * x] | (uint32_t(z[2 * x + 1]) << 8);
                px = (gdiKanal(v, masken[0]) << 16) | (gdiKanal(v, masken[1]) << 8) | gdiKanal(v, masken[2]);
            } else if (bpp == 24) {
                px = (uint32_t(z[3 * x + 2]) << 16) | (uint32_t(z[3 * x + 1]) << 8) | z[3 * x];
            } else {
                uint32_t v = z[4 * x] | (uint32_t(z[4 * x + 1]) << 8) | (uint32_t(z[4 * x + 2]) << 16) |
                             (uint32_t(z[4 * x + 3]) << 24);
                px = (gdiKanal(v, masken[0]) << 16) | (gdiKanal(v, masken[1]) << 8) | gdiKanal(v, masken[2]);
            }
            o[x] = px | 0xFF000000u;
        }
    }
    cairo_surface_mark_dirty(s);
    if (bppAus) *bppAus = bpp;
    return s;
}

namespace {

// Writes rows [start, start+lines) of a surface as a DIB in the header's
// format (bottom-up unless the height is negative). Returns the rows written.
int gdiDibSchreiben(cairo_surface_t* s, bool mono, const BITMAPINFOHEADER& h, RGBQUAD* tabelle, UINT start,
                    UINT lines, void* bits)
{
    int w = cairo_image_surface_get_width(s), H = cairo_image_surface_get_height(s);
    int bpp = h.biBitCount;
    std::vector<RGBQUAD> t;
    if (bpp <= 8) {
        int n = 1 << bpp;
        for (int i = 0; i < n; ++i) t.push_back(gdiTabellenFarbe(bpp, i));
        if (tabelle) std::memcpy(tabelle, t.data(), t.size() * sizeof(RGBQUAD));
    } else if (h.biCompression == BI_BITFIELDS && tabelle) {
        DWORD m16[3] = {0x7C00, 0x03E0, 0x001F}, m32[3] = {0xFF0000, 0xFF00, 0xFF};
        std::memcpy(tabelle, bpp == 16 ? m16 : m32, sizeof m16);
    }
    if (!bits) return static_cast<int>(std::min<UINT>(lines, static_cast<UINT>(H)));
    cairo_surface_flush(s);
    const auto* d = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(s));
    int ds = cairo_image_surface_get_stride(s) / 4;
    int zeile = gdiZeilenBytes(w, bpp);
    bool obenZuerst = h.biHeight < 0;
    int n = 0;
    for (UINT i = start; i < start + lines && i < static_cast<UINT>(H); ++i, ++n) {
        // Row i of the DIB counts from the bottom in a bottom-up DIB.
        int y = obenZuerst ? static_cast<int>(i) : H - 1 - static_cast<int>(i);
        auto* z = static_cast<uint8_t*>(bits) + static_cast<size_t>(i - start) * zeile;
        std::memset(z, 0, static_cast<size_t>(zeile));
        const uint32_t* q = d + static_cast<size_t>(y) * ds;
        for (int x = 0; x < w; ++x) {
            uint32_t px = q[x] & 0xFFFFFF;
            switch (bpp) {
            case 1: {
                int idx = mono ? (px ? 1 : 0) : gdiNaechsteFarbe(t, px);
                if (idx) z[x >> 3] |= static_cast<uint8_t>(0x80 >> (x & 7));
                break;
            }
            case 4: z[x >> 1] |= static_cast<uint8_t>(gdiNaechsteFarbe(t, px) << ((x & 1) ? 0 : 4)); break;
            case 8: z[x] = static_cast<uint8_t>(gdiNaechsteFarbe(t, px)); break;
            case 16: {
                uint32_t v = (((px >> 19) & 31) << 10) | (((px >> 11) & 31) << 5) | ((px >> 3) & 31);
                z[2 * x] = static_cast<uint8_t>(v), z[2 * x + 1] = static_cast<uint8_t>(v >> 8);
                break;
            }
            case 24:
                z[3 * x] = static_cast<uint8_t>(px), z[3 * x + 1] = static_cast<uint8_t>(px >> 8),
                          z[3 * x + 2] = static_cast<uint8_t>(px >> 16);
                break;
            default:
                z[4 * x] = static_cast<uint8_t>(px), z[4 * x + 1] = static_cast<uint8_t>(px >> 8),
                          z[4 * x + 2] = static_cast<uint8_t>(px >> 16), z[4 * x + 3] = 0;
                break;
            }
        }
    }
    return n;
}

bool gdiDibKopfOk(const BITMAPINFOHEADER& h)
{
    int bpp = h.biBitCount;
    return h.biSize >= sizeof(BITMAPINFOHEADER) &&
           (bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32) &&
           (h.biCompression == BI_RGB || (h.biCompression == BI_BITFIELDS && (bpp == 16 || bpp == 32)));
}

}  // namespace

// ---- DIB sections -----------------------------------------------------------------------------
void gdiDibEinlesenBitmap(GdiBitmap* bm)
{
    // Drawn on since the bits last caught up: the surface is the newer.
    if (!bm->dib || bm->flaecheVorn) return;
    std::vector<uint8_t> info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    std::memcpy(info.data(), &bm->dibKopf, sizeof(BITMAPINFOHEADER));
    if (!bm->dibFarben.empty())
        std::memcpy(info.data() + sizeof(BITMAPINFOHEADER), bm->dibFarben.data(),
                    std::min<size_t>(bm->dibFarben.size(), 256) * sizeof(RGBQUAD));
    cairo_surface_t* s = gdiDibLesen(reinterpret_cast<const BITMAPINFO*>(info.data()), bm->dibSpeicher.data(),
                                     DIB_RGB_COLORS, nullptr);
    if (!s) return;
    cairo_surface_flush(bm->flaeche);
    cairo_surface_flush(s);
    int n = cairo_image_surface_get_stride(s) * bm->hoehe;
    std::memcpy(cairo_image_surface_get_data(bm->flaeche), cairo_image_surface_get_data(s), static_cast<size_t>(n));
    cairo_surface_mark_dirty(bm->flaeche);
    cairo_surface_destroy(s);
}

void gdiDibAusgebenBitmap(GdiBitmap* bm)
{
    if (!bm->dib) return;
    bm->flaecheVorn = false;
    BITMAPINFOHEADER h = bm->dibKopf;
    UINT n = static_cast<UINT>(bm->hoehe);
    std::vector<RGBQUAD> t(256);
    // The section keeps its own colour table; write the pixels through it.
    if (h.biBitCount <= 8 && !bm->dibFarben.empty()) {
        cairo_surface_flush(bm->flaeche);
        const auto* d = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(bm->flaeche));
        int ds = cairo_image_surface_get_stride(bm->flaeche) / 4;
        int zeile = gdiZeilenBytes(bm->breite, h.biBitCount);
        for (int i = 0; i < bm->hoehe; ++i) {
            int y = h.biHeight < 0 ? i : bm->hoehe - 1 - i;
            uint8_t* z = bm->dibSpeicher.data() + static_cast<size_t>(i) * zeile;
            std::memset(z, 0, static_cast<size_t>(zeile));
            for (int x = 0; x < bm->breite; ++x) {
                int idx = gdiNaechsteFarbe(bm->dibFarben, d[y * ds + x] & 0xFFFFFF);
                if (h.biBitCount == 1) { if (idx) z[x >> 3] |= static_cast<uint8_t>(0x80 >> (x & 7)); }
                else if (h.biBitCount == 4) z[x >> 1] |= static_cast<uint8_t>(idx << ((x & 1) ? 0 : 4));
                else z[x] = static_cast<uint8_t>(idx);
            }
        }
        return;
    }
    gdiDibSchreiben(bm->flaeche, bm->bpp == 1, h, t.data(), 0, n, bm->dibSpeicher.data());
}

// ---- Creation ---------------------------------------------------------------------------------
HBITMAP CreateCompatibleBitmap(HDC hdc, int w, int h)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc) return 0;
    if (w == 0 || h == 0) return gdiBitmapNeu(1, 1, 1);
    if (!gdiGroesseOk(std::abs(w), std::abs(h))) return 0;
    // Compatible with a memory DC means with the bitmap it holds: a fresh
    // memory DC gives a monochrome bitmap, as on Windows.
    return gdiBitmapNeu(std::abs(w), std::abs(h), gdiIstMono(dc) ? 1 : 32);
}

HBITMAP CreateBitmap(int w, int h, UINT planes, UINT bitsPerPixel, const void* bits)
{
    if (planes != 1 || w < 0 || h < 0) return 0;
    if (w == 0 || h == 0) return gdiBitmapNeu(1, 1, 1);
    if (!gdiGroesseOk(w, h)) return 0;
    int bpp = static_cast<int>(bitsPerPixel);
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return 0;
    HBITMAP hb = gdiBitmapNeu(w, h, bpp == 1 ? 1 : 32);
    if (!hb || !bits) return hb;
    GdiBitmap* b = gdiBitmaps().finden(hb);
    auto* d = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(b->flaeche));
    int ds = cairo_image_surface_get_stride(b->flaeche) / 4;
    int zeile = ((w * bpp + 15) / 16) * 2;  // device bitmaps: rows on WORD boundaries, top row first
    const auto* q = static_cast<const uint8_t*>(bits);
    for (int y = 0; y < h; ++y) {
        const uint8_t* z = q + static_cast<size_t>(y) * zeile;
        for (int x = 0; x < w; ++x) {
            uint32_t px;
            if (bpp == 1) px = ((z[x >> 3] >> (7 - (x & 7))) & 1) ? 0xFFFFFF : 0;
            else if (bpp == 32) px = (uint32_t(z[4 * x + 2]) << 16) | (uint32_t(z[4 * x + 1]) << 8) | z[4 * x];
            else if (bpp == 24) px = (uint32_t(z[3 * x + 2]) << 16) | (uint32_t(z[3 * x + 1]) << 8) | z[3 * x];
            else if (bpp == 16) {
                uint32_t v = z[2 * x] | (uint32_t(z[2 * x + 1]) << 8);
                px = (gdiKanal(v, 0x7C00) << 16) | (gdiKanal(v, 0x3E0) << 8) | gdiKanal(v, 0x1F);
            } else {
                int idx = bpp == 8 ? z[x] : ((z[x >> 1] >> ((x & 1) ? 0 : 4)) & 15);
                RGBQUAD c = gdiTabellenFarbe(bpp, idx);
                px = (uint32_t(c.rgbRed) << 16) | (uint32_t(c.rgbGreen) << 8) | c.rgbBlue;
            }
            d[y * ds + x] = px | 0xFF000000u;
        }
    }
    cairo_surface_mark_dirty(b->flaeche);
    return hb;
}

HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* bmi, UINT usage, void** bits, HANDLE section, DWORD offset)
{
    if (bits) *bits = nullptr;
    if (!bmi || usage != DIB_RGB_COLORS || section != 0 || offset != 0) return 0;
    (void)hdc;
    const BITMAPINFOHEADER& h = bmi->bmiHeader;
    int64_t hh = h.biHeight < 0 ? -int64_t{h.biHeight} : h.biHeight;
    if (!gdiDibKopfOk(h) || !gdiGroesseOk(h.biWidth, hh)) return 0;
    HBITMAP hb = gdiBitmapNeu(h.biWidth, static_cast<int>(hh), h.biBitCount == 1 ? 1 : 32);
    if (!hb) return 0;
    GdiBitmap* b = gdiBitmaps().finden(hb);
    b->bpp = h.biBitCount;
    b->dib = true;
    b->dibKopf = h;
    b->dibKopf.biSize = sizeof(BITMAPINFOHEADER);
    b->dibKopf.biSizeImage = static_cast<DWORD>(gdiZeilenBytes(h.biWidth, h.biBitCount) * hh);
    int nf = gdiFarbenAnzahl(h);
    const auto* tab = reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const uint8_t*>(bmi) + h.biSize);
    if (h.biBitCount <= 8) b->dibFarben.assign(tab, tab + nf);
    else if (h.biCompression == BI_BITFIELDS) b->dibFarben.assign(tab, tab + 3);
    // A 1-bit section is monochrome only when its table is black and white.
    if (h.biBitCount == 1 && nf == 2) {
        auto schwarz = [](const RGBQUAD& c) { return c.rgbRed == 0 && c.rgbGreen == 0 && c.rgbBlue == 0; };
        auto weiss = [](const RGBQUAD& c) { return c.rgbRed == 255 && c.rgbGreen == 255 && c.rgbBlue == 255; };
        if (!(schwarz(tab[0]) && weiss(tab[1]))) b->bpp = 32, b->dibKopf.biBitCount = 1;
    }
    b->dibSpeicher.assign(b->dibKopf.biSizeImage, 0);
    gdiDibEinlesenBitmap(b);
    if (bits) *bits = b->dibSpeicher.data();
    return hb;
}

HBITMAP CreateDIBitmap(HDC hdc, const BITMAPINFOHEADER* bih, DWORD init, const void* bits, const BITMAPINFO* bmi,
                       UINT usage)
{
    if (!bih) return 0;
    int64_t hh = bih->biHeight < 0 ? -int64_t{bih->biHeight} : bih->biHeight;
    if (!gdiGroesseOk(bih->biWidth, hh)) return 0;
    HBITMAP hb = gdiBitmapNeu(bih->biWidth, static_cast<int>(hh), 32);
    if (hb && (init & CBM_INIT) && bits && bmi) {
        if (SetDIBits(hdc, hb, 0, static_cast<UINT>(hh), bits, bmi, usage) == 0) {
            DeleteObject(hb);
            return 0;
        }
    }
    return hb;
}

int GetDIBits(HDC hdc, HBITMAP hb, UINT start, UINT lines, void* bits, BITMAPINFO* bmi, UINT usage)
{
    GdiBitmap* b = gdiBitmaps().finden(hb);
    if (!gdiDc(hdc) || !b || !bmi || usage != DIB_RGB_COLORS) return 0;
    gdiDibEinlesenBitmap(b);
    BITMAPINFOHEADER& h = bmi->bmiHeader;
    if (h.biSize < sizeof(BITMAPINFOHEADER)) return 0;
    if (h.biBitCount == 0) {
        // Only the header is asked for: the bitmap's own format.
        h.biWidth = b->breite;
        h.biHeight = b->hoehe;
        h.biPlanes = 1;
        h.biBitCount = static_cast<WORD>(b->bpp == 1 ? 1 : 32);
        h.biCompression = BI_RGB;
        h.biSizeImage = static_cast<DWORD>(gdiZeilenBytes(b->breite, h.biBitCount) * b->hoehe);
        h.biClrUsed = 0;
        h.biClrImportant = 0;
        return b->hoehe;
    }
    if (!gdiDibKopfOk(h)) return 0;
    if (h.biWidth != b->breite || (h.biHeight != b->hoehe && h.biHeight != -b->hoehe)) {
        h.biWidth = b->breite;
        h.biHeight = h.biHeight < 0 ? -b->hoehe : b->hoehe;
    }
    h.biPlanes = 1;
    h.biSizeImage = static_cast<DWORD>(gdiZeilenBytes(b->breite, h.biBitCount) * b->hoehe);
    if (start >= static_cast<UINT>(b->hoehe)) return 0;
    auto* tab = reinterpret_cast<RGBQUAD*>(reinterpret_cast<uint8_t*>(bmi) + h.biSize);
    return gdiDibSchreiben(b->flaeche, b->bpp == 1, h, tab, start, lines, bits);
}

int SetDIBits(HDC hdc, HBITMAP hb, UINT start, UINT lines, const void* bits, const BITMAPINFO* bmi, UINT usage)
{
    (void)hdc;
    GdiBitmap* b = gdiBitmaps().finden(hb);
    if (!b || !bmi || !bits) return 0;
    int bpp = 0;
    cairo_surface_t* s = gdiDibLesen(bmi, bits, usage, &bpp);
    if (!s) return 0;
    gdiDibEinlesenBitmap(b);
    // Rows start .. start+lines of the DIB (counted in the DIB's own order)
    // land on the bitmap, as far as both reach.
    int H = cairo_image_surface_get_height(s), W = cairo_image_surface_get_width(s);
    bool obenZuerst = bmi->bmiHeader.biHeight < 0;
    cairo_surface_flush(b->flaeche);
    auto* d = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(b->flaeche));
    int ds = cairo_image_surface_get_stride(b->flaeche) / 4;
    const auto* q = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(s));
    int qs = cairo_image_surface_get_stride(s) / 4;
    int n = 0;
    for (UINT i = start; i < start + lines && i < static_cast<UINT>(H); ++i, ++n) {
        int qy = obenZuerst ? static_cast<int>(i) : H - 1 - static_cast<int>(i);
        int zy = obenZuerst ? static_cast<int>(i) : b->hoehe - 1 - static_cast<int>(i);
        if (zy < 0 || zy >= b->hoehe) continue;
        for (int x = 0; x < std::min(W, b->breite); ++x) {
            uint32_t px = q[qy * qs + x];
            d[zy * ds + x] = b->bpp == 1 ? gdiMonoAus(px) : px;
        }
    }
    cairo_surface_mark_dirty(b->flaeche);
    cairo_surface_destroy(s);
    gdiDibAusgebenBitmap(b);
    return n;
}

BOOL GetBitmapDimensionEx(HBITMAP hb, LPSIZE sz)
{
    if (!gdiBitmaps().gueltig(hb) || !sz) return FALSE;
    *sz = SIZE{0, 0};
    return TRUE;
}

BOOL GdiFlush()
{
    for (HDC h : gdiDcs().alle())
        if (GdiDc* dc = gdiDc(h)) gdiDibAusgeben(dc);
    return TRUE;
}

// ---- Blits ------------------------------------------------------------------------------------
namespace {

// A source of pixels for a blit, already in the target's colour terms.
struct GdiBltQuelle {
    cairo_surface_t* s = nullptr;
    int ox = 0, oy = 0;      // source device origin within the surface
    bool monoNachFarbe = false;
    bool farbeNachMono = false;
    uint32_t vorne = 0, hinten = 0;  // mono 0 -> vorne, 1 -> hinten
    uint32_t quellHinten = 0;        // colour source's background (-> white)
};

// Combines source samples per target pixel; `x0..x1` exclusive.
uint32_t gdiAbtasten(const uint32_t* d, int ds, int w, int h, int x0, int x1, int y0, int y1, int modus, bool& ok)
{
    if (x1 <= x0) x1 = x0 + 1;
    if (y1 <= y0) y1 = y0 + 1;
    if (x0 < 0 || y0 < 0 || x0 >= w || y0 >= h) {
        ok = false;
        return 0;
    }
    x1 = std::min(x1, w), y1 = std::min(y1, h);
    if (modus == COLORONCOLOR || (x1 - x0 == 1 && y1 - y0 == 1)) {
        ok = true;
        return d[y0 * ds + x0];
    }
    ok = true;
    if (modus == HALFTONE) {
        uint32_t r = 0, g = 0, b = 0, n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) {
                uint32_t p = d[y * ds + x];
                r += (p >> 16) & 0xFF, g += (p >> 8) & 0xFF, b += p & 0xFF, ++n;
            }
        return ((r / n) << 16) | ((g / n) << 8) | (b / n);
    }
    // BLACKONWHITE keeps black (AND), WHITEONBLACK keeps white (OR).
    uint32_t v = modus == BLACKONWHITE ? 0xFFFFFFFFu : 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) v = modus == BLACKONWHITE ? (v & d[y * ds + x]) : (v | d[y * ds + x]);
    return v;
}

bool gdiBltSchnell = true;  // the fast paths below (off only to compare with the general loop)

// Fast paths of `gdiBltRaster` for the common blits: unscaled copies and
// bitwise combinations of a source row by row, and fills or inversions with
// a solid brush. Each gives exactly the pixels of the general loop (same
// order of reads and writes, so an overlapping blit on one surface matches
// too); it answers false when the blit is not one of its cases.
bool gdiBltSchnellQuelle(const GdiZiel& z, const cairo_region_t* r, int x, int y, const GdiBltQuelle* q,
                         double sx, double sy, DWORD rop)
{
    if (rop != SRCCOPY && rop != SRCINVERT && rop != SRCAND && rop != SRCPAINT) return false;
    cairo_surface_flush(q->s);
    const auto* qd = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(q->s));
    const int qs = cairo_image_surface_get_stride(q->s) / 4;
    const int qw = cairo_image_surface_get_width(q->s), qh = cairo_image_surface_get_height(q->s);
    // Unscaled, the general loop samples at floor(s + r + 0.5 + o): a whole
    // offset from the target pixel.
    const long vx = static_cast<long>(std::floor(sx + 0.5)) + q->ox - x;
    const long vy = static_cast<long>(std::floor(sy + 0.5)) + q->oy - y;
    const int n = cairo_region_num_rectangles(r);
    for (int i = 0; i < n; ++i) {
        cairo_rectangle_int_t k;
        cairo_region_get_rectangle(r, i, &k);
        // Target columns whose source lies inside the source surface.
        const long tx0 = std::max<long>({k.x, 0, -vx}), tx1 = std::min<long>({k.x + k.width, z.w, qw - vx});
        if (tx1 <= tx0) continue;
        for (long ty = std::max(k.y, 0); ty < std::min(k.y + k.height, z.h); ++ty) {
            const long qy = ty + vy;
            if (qy < 0 || qy >= qh) continue;
            uint32_t* d = z.daten + ty * z.stride;
            const uint32_t* s = qd + qy * qs + vx;
            switch (rop) {
            case SRCCOPY: for (long tx = tx0; tx < tx1; ++tx) d[tx] = s[tx] | 0xFF000000u; break;
            case SRCINVERT: for (long tx = tx0; tx < tx1; ++tx) d[tx] = (s[tx] ^ d[tx]) | 0xFF000000u; break;
            case SRCAND: for (long tx = tx0; tx < tx1; ++tx) d[tx] = (s[tx] & d[tx]) | 0xFF000000u; break;
            default: for (long tx = tx0; tx < tx1; ++tx) d[tx] = (s[tx] | d[tx]) | 0xFF000000u; break;
            }
        }
    }
    return true;
}

bool gdiBltSchnellMuster(const GdiZiel& z, const cairo_region_t* r, const GdiMuster& m, bool mitMuster, DWORD rop)
{
    if (rop != PATCOPY && rop != PATINVERT && rop != BLACKNESS && rop != WHITENESS && rop != DSTINVERT) return false;
    if (mitMuster && m.art != GdiMuster::Farbe) return false;
    const uint32_t p = m.farbe;
    const uint32_t fest = rop == PATCOPY ? p | 0xFF000000u : rop == BLACKNESS ? 0xFF000000u : 0xFFFFFFFFu;
    const int n = cairo_region_num_rectangles(r);
    for (int i = 0; i < n; ++i) {
        cairo_rectangle_int_t k;
        cairo_region_get_rectangle(r, i, &k);
        const int tx0 = std::max(k.x, 0), tx1 = std::min(k.x + k.width, z.w);
        for (int ty = std::max(k.y, 0); ty < std::min(k.y + k.height, z.h); ++ty) {
            uint32_t* d = z.daten + static_cast<long>(ty) * z.stride;
            switch (rop) {
            case DSTINVERT: for (int tx = tx0; tx < tx1; ++tx) d[tx] = ~d[tx] | 0xFF000000u; break;
            case PATINVERT: for (int tx = tx0; tx < tx1; ++tx) d[tx] = (p ^ d[tx]) | 0xFF000000u; break;
            default: std::fill(d + tx0, d + std::max(tx0, tx1), fest); break;
            }
        }
    }
    return true;
}

// The raster blit: target box (surface pixels, may be mirrored by negative
// sizes), optional source box in source surface pixels, the ternary
// operation, and the DC's brush as pattern.
void gdiBltRaster(GdiDc* dc, int x, int y, int w, int h, const GdiBltQuelle* q, double sx, double sy, double sw,
                  double sh, DWORD rop)
{
    bool spiegelX = (w < 0) != (sw < 0), spiegelY = (h < 0) != (sh < 0);
    if (w < 0) x += w, w = -w;
    if (h < 0) y += h, h = -h;
    if (sw < 0) sx += sw, sw = -sw;
    if (sh < 0) sy += sh, sh = -sh;
    if (w == 0 || h == 0) return;
    cairo_rectangle_int_t e{x, y, w, h};
    cairo_region_t* r = cairo_region_create_rectangle(&e);
    cairo_region_intersect(r, gdiWirkClip(dc));
    if (cairo_region_is_empty(r)) {
        cairo_region_destroy(r);
        return;
    }
    GdiZiel z = gdiZiel(dc);
    bool mono = gdiIstMono(dc);
    bool mitMuster = gdiRop3MitMuster(rop), mitQuelle = q && gdiRop3MitQuelle(rop);
    GdiMuster m = mitMuster ? gdiMusterVon(dc, dc->z.pinsel) : GdiMuster{};
    if (mitMuster && m.art == GdiMuster::Leer) m.art = GdiMuster::Farbe, m.farbe = 0xFF000000u;  // the null brush is black here
    const uint32_t* qd = nullptr;
    int qs = 0, qw = 0, qh = 0;
    if (mitQuelle) {
        cairo_surface_flush(q->s);
        qd = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(q->s));
        qs = cairo_image_surface_get_stride(q->s) / 4;
        qw = cairo_image_surface_get_width(q->s), qh = cairo_image_surface_get_height(q->s);
    }
    if (gdiBltSchnell && !mono && !spiegelX && !spiegelY) {
        bool erledigt = false;
        if (mitQuelle && !mitMuster && !q->monoNachFarbe && !q->farbeNachMono && sw == w && sh == h)
            erledigt = gdiBltSchnellQuelle(z, r, x, y, q, sx, sy, rop);
        else if (!mitQuelle)
            erledigt = gdiBltSchnellMuster(z, r, m, mitMuster, rop);
        if (erledigt) {
            cairo_surface_mark_dirty(dc->flaeche);
            cairo_region_destroy(r);
            return;
        }
    }
    int modus = dc->z.dehnModus;
    if (mitQuelle && (q->monoNachFarbe || q->farbeNachMono) && modus == HALFTONE) modus = COLORONCOLOR;
    double fx = mitQuelle ? sw / w : 0, fy = mitQuelle ? sh / h : 0;
    int n = cairo_region_num_rectangles(r);
    for (int i = 0; i < n; ++i) {
        cairo_rectangle_int_t k;
        cairo_region_get_rectangle(r, i, &k);
        for (int ty = std::max(k.y, 0); ty < std::min(k.y + k.height, z.h); ++ty) {
            int ry = ty - y;  // row within the target box
            if (spiegelY) ry = h - 1 - ry;
            int qy0 = 0, qy1 = 0;
            if (mitQuelle) {
                qy0 = static_cast<int>(std::floor(sy + ry * fy + q->oy));
                qy1 = static_cast<int>(std::floor(sy + (ry + 1) * fy + q->oy));
                if (fy <= 1) qy0 = static_cast<int>(std::floor(sy + (ry + 0.5) * fy + q->oy)), qy1 = qy0 + 1;
            }
            for (int tx = std::max(k.x, 0); tx < std::min(k.x + k.width, z.w); ++tx) {
                uint32_t& d = z.daten[ty * z.stride + tx];
                uint32_t s = 0, p = 0;
                if (mitQuelle) {
                    int rx = tx - x;
                    if (spiegelX) rx = w - 1 - rx;
                    int qx0 = static_cast<int>(std::floor(sx + rx * fx + q->ox));
                    int qx1 = static_cast<int>(std::floor(sx + (rx + 1) * fx + q->ox));
                    if (fx <= 1) qx0 = static_cast<int>(std::floor(sx + (rx + 0.5) * fx + q->ox)), qx1 = qx0 + 1;
                    bool ok;
                    s = gdiAbtasten(qd, qs, qw, qh, qx0, qx1, qy0, qy1, modus, ok);
                    if (!ok) continue;  // outside the source: the target stays
                    if (q->monoNachFarbe) s = (s & 0xFFFFFF) ? q->hinten : q->vorne;
                    else if (q->farbeNachMono) s = ((s & 0xFFFFFF) == (q->quellHinten & 0xFFFFFF)) ? 0xFFFFFFFFu : 0xFF000000u;
                }
                if (mitMuster && !gdiMusterPixel(m, tx, ty, p)) p = d;
                uint32_t v = rop == SRCCOPY ? (s | 0xFF000000u) : gdiRop3(rop, p, s, d);
                d = mono ? ((v & 0xFFFFFF) ? 0xFFFFFFFFu : 0xFF000000u) : v;
            }
        }
    }
    cairo_surface_mark_dirty(dc->flaeche);
    cairo_region_destroy(r);
}

// Blits on a printer: the source as an image scaled into the box; bitwise
// operations become their nearest painting (white transparent for SRCAND,
// black transparent for SRCPAINT).
void gdiBltVektor(GdiDc* dc, double x, double y, double w, double h, const GdiBltQuelle* q, double sx, double sy,
                  double sw, double sh, DWORD rop)
{
    if (w == 0 || h == 0) return;  // (a zero scale would break the context for good)
    cairo_t* cr = gdiCairo(dc);
    if (!q || !gdiRop3MitQuelle(rop)) {
        uint32_t px = 0;
        if (rop == WHITENESS) px = 0xFFFFFF;
        else if (rop == BLACKNESS) px = 0;
        else if (gdiRop3MitMuster(rop)) {
            GdiMuster m = gdiMusterVon(dc, dc->z.pinsel);
            if (m.art == GdiMuster::Leer) return;
            cairo_save(cr);
            cairo_pattern_t* p = gdiMusterCairo(m, dc->geraet.logpixelsx / 96.0);
            cairo_set_source(cr, p);
            cairo_rectangle(cr, x, y, w, h);
            cairo_fill(cr);
            cairo_pattern_destroy(p);
            cairo_restore(cr);
            return;
        } else {
            return;  // DSTINVERT and friends: nothing to invert on paper
        }
        cairo_save(cr);
        cairo_set_source_rgb(cr, ((px >> 16) & 0xFF) / 255.0, ((px >> 8) & 0xFF) / 255.0, (px & 0xFF) / 255.0);
        cairo_rectangle(cr, x, y, w, h);
        cairo_fill(cr);
        cairo_restore(cr);
        return;
    }
    if (sw < 0) sx += sw, sw = -sw, x += w, w = -w;
    if (sh < 0) sy += sh, sh = -sh, y += h, h = -h;
    cairo_surface_flush(q->s);
    const auto* qd = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(q->s));
    int qs = cairo_image_surface_get_stride(q->s) / 4;
    int qw = cairo_image_surface_get_width(q->s), qh = cairo_image_surface_get_height(q->s);
    // The picture is the source box; no larger than the source itself.
    int iw = static_cast<int>(std::clamp(std::ceil(sw), 1.0, double(qw)));
    int ih = static_cast<int>(std::clamp(std::ceil(sh), 1.0, double(qh)));
    cairo_surface_t* bild = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, iw, ih);
    if (cairo_surface_status(bild) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(bild);
        return;
    }
    auto* bd = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(bild));
    int bs = cairo_image_surface_get_stride(bild) / 4;
    for (int j = 0; j < ih; ++j)
        for (int i = 0; i < iw; ++i) {
            int qx = static_cast<int>(sx) + i + q->ox, qy = static_cast<int>(sy) + j + q->oy;
            uint32_t v = 0;
            if (qx >= 0 && qy >= 0 && qx < qw && qy < qh) {
                uint32_t s = qd[qy * qs + qx] & 0xFFFFFF;
                if (q->monoNachFarbe) s = s ? q->hinten : q->vorne;
                s &= 0xFFFFFF;
                if (rop == NOTSRCCOPY) s = ~s & 0xFFFFFF;
                bool durch = (rop == SRCAND && s == 0xFFFFFF) || (rop == SRCPAINT && s == 0);
                v = durch ? 0 : (s | 0xFF000000u);
            }
            bd[j * bs + i] = v;
        }
    cairo_surface_mark_dirty(bild);
    cairo_save(cr);
    cairo_rectangle(cr, std::min(x, x + w), std::min(y, y + h), std::fabs(w), std::fabs(h));
    cairo_clip(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, w / iw, h / ih);
    cairo_set_source_surface(cr, bild, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr),
                             dc->z.dehnModus == HALFTONE ? CAIRO_FILTER_GOOD : CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(bild);
}

// A logical box of a DC in its surface pixels (whole pixels for raster).
void gdiBltBox(GdiDc* dc, int x, int y, int w, int h, double& dx, double& dy, double& dw, double& dh)
{
    double x0, y0, x1, y1;
    gdiLpNachDp(dc, x, y, x0, y0);
    gdiLpNachDp(dc, static_cast<double>(x) + w, static_cast<double>(y) + h, x1, y1);
    // Far-off boxes stay within +-2^29 pixels (integer walks never overflow).
    const double grenze = double(1 << 29);
    x0 = std::clamp(x0, -grenze, grenze), x1 = std::clamp(x1, -grenze, grenze);
    y0 = std::clamp(y0, -grenze, grenze), y1 = std::clamp(y1, -grenze, grenze);
    if (gdiIstRaster(dc)) {
        x0 = std::floor(x0 + 0.5), y0 = std::floor(y0 + 0.5), x1 = std::floor(x1 + 0.5), y1 = std::floor(y1 + 0.5);
    }
    dx = x0, dy = y0, dw = x1 - x0, dh = y1 - y0;
}

BOOL gdiBlt(GdiDc* dc, int x, int y, int w, int h, GdiDc* src, int xs, int ys, int ws, int hs, DWORD rop)
{
    if (dc->art == GdiDcArt::Vektor && dc->abgeschlossen) return FALSE;
    bool mitQuelle = gdiRop3MitQuelle(rop);
    GdiBltQuelle q;
    double sx = 0, sy = 0, sw = 0, sh = 0;
    if (mitQuelle) {
        if (!src || !gdiIstRaster(src) || !src->flaeche) return FALSE;
        gdiDibEinlesen(src);
        q.s = src->flaeche;
        // The source box in the source's device pixels; its origin is added
        // while sampling.
        double ox, oy;
        gdiBltBox(src, xs, ys, ws, hs, sx, sy, sw, sh);
        ox = src->ursprung.x, oy = src->ursprung.y;
        sx -= ox, sy -= oy;
        q.ox = static_cast<int>(ox), q.oy = static_cast<int>(oy);
        bool quelleMono = gdiIstMono(src), zielMono = gdiIstMono(dc);
        if (quelleMono && !zielMono) {
            q.monoNachFarbe = true;
            q.vorne = gdiPixelAus(dc->z.textFarbe);
            q.hinten = gdiPixelAus(dc->z.bkFarbe);
        } else if (!quelleMono && zielMono) {
            q.farbeNachMono = true;
            q.quellHinten = gdiPixelAus(src->z.bkFarbe);
        }
    }
    GdiZeichnung g(dc);
    double dx, dy, dw, dh;
    gdiBltBox(dc, x, y, w, h, dx, dy, dw, dh);
    if (!gdiIstRaster(dc)) {
        gdiBltVektor(dc, dx, dy, dw, dh, mitQuelle ? &q : nullptr, sx, sy, sw, sh, rop);
        return TRUE;
    }
    // Rotated targets use the box's mapped corners (the program blits only
    // on unrotated DCs).
    gdiBltRaster(dc, static_cast<int>(dx), static_cast<int>(dy), static_cast<int>(dw), static_cast<int>(dh),
                 mitQuelle ? &q : nullptr, sx, sy, sw, sh, rop);
    return TRUE;
}

}  // namespace

void gdiBltSchnellSetzen(bool an) { gdiBltSchnell = an; }

BOOL BitBlt(HDC hdc, int x, int y, int w, int h, HDC src, int xs, int ys, DWORD rop)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc) return FALSE;
    if (dc->art == GdiDcArt::Recorder) return dc->rec->BitBlt(hdc, x, y, w, h, src, xs, ys, rop);
    GdiDc* s = src ? gdiDc(src) : nullptr;
    if (src && !s) return FALSE;
    if (s && gdiIstRaster(s) && gdiIstRaster(dc)) {
        // BitBlt maps the source box through the source's own mapping but
        // keeps the target's size in source pixels.
        double sx, sy, sw, sh, dx, dy, dw, dh;
        gdiBltBox(s, xs, ys, w, h, sx, sy, sw, sh);
        gdiBltBox(dc, x, y, w, h, dx, dy, dw, dh);
        if (std::fabs(sw - dw) < 0.5 && std::fabs(sh - dh) < 0.5) {
            int ss = dc->z.dehnModus;
            dc->z.dehnModus = COLORONCOLOR;
            BOOL r = gdiBlt(dc, x, y, w, h, s, xs, ys, w, h, rop);
            dc->z.dehnModus = ss;
            return r;
        }
    }
    return gdiBlt(dc, x, y, w, h, s, xs, ys, w, h, rop);
}

BOOL StretchBlt(HDC hdc, int x, int y, int w, int h, HDC src, int xs, int ys, int ws, int hs, DWORD rop)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc) return FALSE;
    if (dc->art == GdiDcArt::Recorder) return dc->rec->StretchBlt(hdc, x, y, w, h, src, xs, ys, ws, hs, rop);
    GdiDc* s = src ? gdiDc(src) : nullptr;
    if (src && !s) return FALSE;
    return gdiBlt(dc, x, y, w, h, s, xs, ys, ws, hs, rop);
}

BOOL PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc) return FALSE;
    if (dc->art == GdiDcArt::Recorder) return dc->rec->PatBlt(hdc, x, y, w, h, rop);
    if (gdiRop3MitQuelle(rop)) return FALSE;
    return gdiBlt(dc, x, y, w, h, nullptr, 0, 0, 0, 0, rop);
}

namespace {

// Blits a decoded DIB through a temporary memory DC.
int gdiDibBlt(GdiDc* dc, int x, int y, int w, int h, int xs, int ys, int ws, int hs, cairo_surface_t* bild, int bpp,
              DWORD rop)
{
    auto b = std::make_unique<GdiBitmap>();
    b->flaeche = bild;
    b->breite = cairo_image_surface_get_width(bild);
    b->hoehe = cairo_image_surface_get_height(bild);
    b->bpp = bpp == 1 ? 1 : 32;
    HBITMAP hb = gdiBitmaps().anlegen(std::move(b));
    HDC mem = CreateCompatibleDC(0);
    HGDIOBJ alt = SelectObject(mem, hb);
    GdiDc* q = gdiDc(mem);
    BOOL ok = alt ? gdiBlt(dc, x, y, w, h, q, xs, ys, ws, hs, rop) : FALSE;
    SelectObject(mem, alt);
    DeleteDC(mem);
    DeleteObject(hb);
    return ok ? std::abs(hs) : 0;
}

}  // namespace

int StretchDIBits(HDC hdc, int x, int y, int w, int h, int xs, int ys, int ws, int hs, const void* bits,
                  const BITMAPINFO* bmi, UINT usage, DWORD rop)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc || !bmi) return 0;
    if (dc->art == GdiDcArt::Recorder)
        return dc->rec->StretchDIBits(hdc, x, y, w, h, xs, ys, ws, hs, bits, bmi, usage, rop) ? std::abs(hs) : 0;
    int bpp = 0;
    cairo_surface_t* bild = gdiDibLesen(bmi, bits, usage, &bpp);
    if (!bild) return 0;
    // In a bottom-up DIB the source's y counts from the bottom row.
    int H = cairo_image_surface_get_height(bild);
    int qy = bmi->bmiHeader.biHeight < 0 ? ys : H - (ys + hs);
    // A 1-bit DIB is read through its own colour table, so it blits as colour.
    return gdiDibBlt(dc, x, y, w, h, xs, qy, ws, hs, bild, 32, rop);
}

int SetDIBitsToDevice(HDC hdc, int x, int y, DWORD w, DWORD h, int xs, int ys, UINT startScan, UINT lines,
                      const void* bits, const BITMAPINFO* bmi, UINT usage)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc || !bmi || startScan != 0) return 0;  // banded output is not used
    if (dc->art == GdiDcArt::Recorder)
        return dc->rec->StretchDIBits(hdc, x, y, static_cast<int>(w), static_cast<int>(h), xs, ys, static_cast<int>(w),
                                      static_cast<int>(h), bits, bmi, usage, SRCCOPY)
                   ? static_cast<int>(lines)
                   : 0;
    int bpp = 0;
    cairo_surface_t* bild = gdiDibLesen(bmi, bits, usage, &bpp);
    if (!bild) return 0;
    int H = cairo_image_surface_get_height(bild);
    int hi = static_cast<int>(h);
    int qy = bmi->bmiHeader.biHeight < 0 ? ys : H - (ys + hi);
    // No stretching: the target box is in device pixels of the same size.
    return gdiDibBlt(dc, x, y, static_cast<int>(w), hi, xs, qy, static_cast<int>(w), hi, bild, 32, SRCCOPY) ? static_cast<int>(lines) : 0;
}
