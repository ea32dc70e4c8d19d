// File formats of the raster image library: the info calls, loads and saves
// of BMP (through the layer's own bounds-checked reader in platform/bild and
// a writer here), JPEG (libjpeg) and PNG (libpng's simplified interface, and
// its row writer for a GDI bitmap's own pixels);
// prefix `rb` inside. Whole files are read and written through platform/bild's
// helpers, so paths pass the file-system boundary and writes replace the
// target atomically. Every size read from a file is checked against the
// library's limits before anything is allocated; a truncated or damaged file
// is refused, never padded out with guesses. May call platform/bild,
// rasterbib.cpp's internals, the GDI's bitmap table, libpng and libjpeg.
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <unordered_map>
#include <vector>

// jpeglib.h needs size_t and FILE before it.
#include <jpeglib.h>
#include <jerror.h>

#include "platform/bild.h"
#include "platform/fehlersim.h"
#include "platform/gdiimpl.h"
#include "platform/rasterbib_int.h"

namespace {

int rbDateiLesen(const char* pfad, std::vector<uint8_t>& daten)
{
    if (!pfad || !*pfad) return rbFehler(RB_FEHLER_ARGUMENT, "no file name");
    if (plBildDateiLesen(pfad, daten) != 0) return rbFehler(RB_FEHLER_DATEI, "the file cannot be read");
    return RB_OK;
}

int rbDateiSchreiben(const char* pfad, const std::vector<uint8_t>& daten)
{
    if (plBildDateiSchreiben(pfad, daten.data(), daten.size()) != 0)
        return rbFehler(RB_FEHLER_SCHREIBEN, "the file cannot be written");
    return RB_OK;
}

// ---- BMP ------------------------------------------------------------------------------------
// A decoded BMP as a raster: palette files as indices into their own table,
// the others as colours laid on white.
int rbBmpDekodieren(const std::vector<uint8_t>& daten, RbRaster& r, int* dateiBits)
{
    plBild b;
    std::string grund;
    if (plBmpLesen(daten.data(), daten.size(), b, &grund) != 0) {
        static std::string text;
        text = "not a valid BMP file: " + grund;
        return rbFehler(RB_FEHLER_FORMAT, text.c_str());
    }
    int rc = rbGroessePruefen(b.breite, b.hoehe);
    if (rc != RB_OK) return rc;
    if (dateiBits) *dateiBits = b.bits;
    r.w = b.breite, r.h = b.hoehe;
    bool palette = b.bits <= 8 && !b.farben.empty() && b.farben.size() <= 256;
    r.bits = palette ? 8 : 24;
    r.px.assign(r.zeile() * static_cast<size_t>(r.h), 0);
    r.pal.clear();
    std::unordered_map<uint32_t, uint8_t> index;
    if (palette) {
        r.pal = b.farben;
        for (size_t i = r.pal.size(); i-- > 0;) {
            const RGBQUAD& f = r.pal[i];
            index[plBildPixel(RGB(f.rgbRed, f.rgbGreen, f.rgbBlue))] = static_cast<uint8_t>(i);
        }
    }
    for (int y = 0; y < r.h; ++y) {
        uint8_t* z = r.reihe(y);
        for (int x = 0; x < r.w; ++x) {
            uint32_t p = b.at(x, y);
            if (palette) {
                auto it = index.find(p | 0xFF000000u);
                z[x] = it == index.end() ? 0 : it->second;
                continue;
            }
            // Premultiplied: on white, a component is p + (255 - alpha).
            uint8_t rr, gg, bb, aa;
            rr = static_cast<uint8_t>(p >> 16), gg = static_cast<uint8_t>(p >> 8), bb = static_cast<uint8_t>(p);
            aa = static_cast<uint8_t>(p >> 24);
            z[3 * x] = static_cast<uint8_t>(bb + (255 - aa));
            z[3 * x + 1] = static_cast<uint8_t>(gg + (255 - aa));
            z[3 * x + 2] = static_cast<uint8_t>(rr + (255 - aa));
        }
    }
    return RB_OK;
}

// ---- PNG ------------------------------------------------------------------------------------
// Header of a PNG: signature, then the IHDR chunk first, as the format
// demands. Bits per pixel = depth x channels of the colour type.
int rbPngKopf(const std::vector<uint8_t>& d, imginfo& info)
{
    static const uint8_t sig[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (d.size() < 33 || std::memcmp(d.data(), sig, 8) != 0 || std::memcmp(d.data() + 12, "IHDR", 4) != 0)
        return rbFehler(RB_FEHLER_FORMAT, "not a PNG file");
    auto be32 = [&](size_t at) {
        return (uint32_t{d[at]} << 24) | (uint32_t{d[at + 1]} << 16) | (uint32_t{d[at + 2]} << 8) | d[at + 3];
    };
    if (be32(8) != 13) return rbFehler(RB_FEHLER_FORMAT, "PNG header chunk of the wrong length");
    uint32_t w = be32(16), h = be32(20);
    int tiefe = d[24], art = d[25];
    int kanaele = 0;
    switch (art) {
    case 0: kanaele = 1; break;
    case 2: kanaele = 3; break;
    case 3: kanaele = 1; break;
    case 4: kanaele = 2; break;
    case 6: kanaele = 4; break;
    default: return rbFehler(RB_FEHLER_FORMAT, "PNG colour type not valid");
    }
    bool tiefeGut = tiefe == 8 || (tiefe == 16 && art != 3) ||
                    ((tiefe == 1 || tiefe == 2 || tiefe == 4) && (art == 0 || art == 3));
    if (!tiefeGut) return rbFehler(RB_FEHLER_FORMAT, "PNG bit depth not valid");
    int rc = rbGroessePruefen(w, h);
    if (rc != RB_OK) return rc;
    info.width = static_cast<int>(w), info.height = static_cast<int>(h), info.bpp = tiefe * kanaele;
    return RB_OK;
}

int rbPngDekodieren(const std::vector<uint8_t>& d, bool mitPalette, RbRaster& r)
{
    imginfo info;
    int rc = rbPngKopf(d, info);
    if (rc != RB_OK) return rc;
    png_image bild;
    std::memset(&bild, 0, sizeof bild);
    bild.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&bild, d.data(), d.size()))
        return rbFehler(RB_FEHLER_FORMAT, "not a valid PNG file");
    if (bild.width != static_cast<png_uint_32>(info.width) || bild.height != static_cast<png_uint_32>(info.height)) {
        png_image_free(&bild);
        return rbFehler(RB_FEHLER_FORMAT, "PNG header not consistent");
    }
    r.w = info.width, r.h = info.height, r.bits = mitPalette ? 8 : 24;
    r.px.assign(r.zeile() * static_cast<size_t>(r.h), 0);
    r.pal.clear();
    // Transparent pixels are laid on white.
    png_color weiss{255, 255, 255};
    std::vector<uint8_t> tabelle;
    if (mitPalette) {
        bild.format = PNG_FORMAT_RGB_COLORMAP;
        tabelle.assign(PNG_IMAGE_COLORMAP_SIZE(bild) + 3, 0);
    } else {
        bild.format = PNG_FORMAT_BGR;
    }
    if (!png_image_finish_read(&bild, &weiss, r.px.data(), static_cast<png_int_32>(r.zeile()),
                               mitPalette ? tabelle.data() : nullptr)) {
        static std::string text;
        text = std::string("damaged or truncated PNG file: ") + bild.message;
        png_image_free(&bild);
        return rbFehler(RB_FEHLER_FORMAT, text.c_str());
    }
    if (mitPalette) {
        size_t n = std::min<size_t>(bild.colormap_entries, 256);
        for (size_t i = 0; i < n; ++i)
            r.pal.push_back(RGBQUAD{tabelle[3 * i + 2], tabelle[3 * i + 1], tabelle[3 * i], 0});
    }
    png_image_free(&bild);
    return RB_OK;
}

// ---- JPEG -----------------------------------------------------------------------------------
struct RbJpegFehler {
    jpeg_error_mgr basis;
    std::jmp_buf sprung;
    char text[JMSG_LENGTH_MAX];
};

[[noreturn]] void rbJpegAbbruch(j_common_ptr c)
{
    auto* f = reinterpret_cast<RbJpegFehler*>(c->err);
    (*c->err->format_message)(c, f->text);
    std::longjmp(f->sprung, 1);
}

// The warnings of missing or damaged picture data (a file that ends too
// early, which libjpeg would fill with grey) are refused like errors; other
// warnings (extra bytes between markers, an unknown JFIF revision) leave the
// picture whole and are let pass.
void rbJpegMeldung(j_common_ptr c, int stufe)
{
    if (stufe >= 0) return;
    int code = c->err->msg_code;
    if (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER || code == JWRN_HUFF_BAD_CODE || code == JWRN_MUST_RESYNC)
        rbJpegAbbruch(c);
}

// The reason of a libjpeg failure; kept out of the functions that call
// setjmp, so that no string lives in their frames.
[[gnu::noinline]] int rbJpegGescheitert(const char* vorsatz, const char* text, int code)
{
    static std::string meldung;
    meldung = std::string(vorsatz) + text;
    return rbFehler(code, meldung.c_str());
}

// Reads the header (and with `pixel` the picture) of a JPEG. Only plain
// locals live across setjmp: nothing with a destructor is jumped over.
int rbJpegDekodieren(const std::vector<uint8_t>& d, bool pixel, imginfo& info, RbRaster& r)
{
    jpeg_decompress_struct c;
    RbJpegFehler f;
    c.err = jpeg_std_error(&f.basis);
    f.basis.error_exit = rbJpegAbbruch;
    f.basis.emit_message = rbJpegMeldung;
    if (setjmp(f.sprung)) {
        jpeg_destroy_decompress(&c);
        return rbJpegGescheitert("damaged or truncated JPEG file: ", f.text, RB_FEHLER_FORMAT);
    }
    jpeg_create_decompress(&c);
    if (d.size() < 4 || d[0] != 0xFF || d[1] != 0xD8) {
        jpeg_destroy_decompress(&c);
        return rbFehler(RB_FEHLER_FORMAT, "not a JPEG file");
    }
    jpeg_mem_src(&c, d.data(), static_cast<unsigned long>(d.size()));
    jpeg_read_header(&c, TRUE);
    int rc = rbGroessePruefen(c.image_width, c.image_height);
    if (rc != RB_OK) {
        jpeg_destroy_decompress(&c);
        return rc;
    }
    info.width = static_cast<int>(c.image_width), info.height = static_cast<int>(c.image_height);
    info.bpp = c.num_components * 8;
    if (!pixel) {
        jpeg_destroy_decompress(&c);
        return RB_OK;
    }
    bool grau = c.jpeg_color_space == JCS_GRAYSCALE;
    c.out_color_space = grau ? JCS_GRAYSCALE : JCS_EXT_BGR;
    r.w = info.width, r.h = info.height, r.bits = grau ? 8 : 24;
    r.px.assign(r.zeile() * static_cast<size_t>(r.h), 0);
    r.pal.clear();
    if (grau)
        for (int i = 0; i < 256; ++i) r.pal.push_back(RGBQUAD{static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i), 0});
    jpeg_start_decompress(&c);
    if (c.output_width != c.image_width || c.output_height != c.image_height ||
        c.output_components != (grau ? 1 : 3)) {
        jpeg_destroy_decompress(&c);
        return rbFehler(RB_FEHLER_FORMAT, "JPEG colour space not handled");
    }
    while (c.output_scanline < c.output_height) {
        JSAMPROW zeile = r.reihe(static_cast<int>(c.output_scanline));
        jpeg_read_scanlines(&c, &zeile, 1);
    }
    jpeg_finish_decompress(&c);
    jpeg_destroy_decompress(&c);
    return RB_OK;
}

int rbJpegKodieren(const RbRaster& r, int qualitaet, std::vector<uint8_t>& aus)
{
    jpeg_compress_struct c;
    RbJpegFehler f;
    unsigned char* puffer = nullptr;
    unsigned long groesse = 0;
    c.err = jpeg_std_error(&f.basis);
    f.basis.error_exit = rbJpegAbbruch;
    if (setjmp(f.sprung)) {
        jpeg_destroy_compress(&c);
        std::free(puffer);
        return rbJpegGescheitert("JPEG cannot be written: ", f.text, RB_FEHLER_SCHREIBEN);
    }
    jpeg_create_compress(&c);
    jpeg_mem_dest(&c, &puffer, &groesse);
    c.image_width = static_cast<JDIMENSION>(r.w);
    c.image_height = static_cast<JDIMENSION>(r.h);
    c.input_components = 3;
    c.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, qualitaet, TRUE);
    jpeg_start_compress(&c, TRUE);
    while (c.next_scanline < c.image_height) {
        JSAMPROW zeile = const_cast<uint8_t*>(r.reihe(static_cast<int>(c.next_scanline)));
        jpeg_write_scanlines(&c, &zeile, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    aus.assign(puffer, puffer + groesse);
    std::free(puffer);
    return RB_OK;
}

// An 8-bit raster as colours (JPEG has no palettes).
RbRaster rbFarbig(const RbRaster& r)
{
    if (r.bits == 24) return r;
    RbRaster z;
    z.w = r.w, z.h = r.h, z.bits = 24;
    z.px.assign(z.zeile() * static_cast<size_t>(z.h), 0);
    for (size_t i = 0; i < r.px.size(); ++i) {
        RGBQUAD f{0, 0, 0, 0};
        if (r.px[i] < r.pal.size()) f = r.pal[r.px[i]];
        z.px[3 * i] = f.rgbBlue, z.px[3 * i + 1] = f.rgbGreen, z.px[3 * i + 2] = f.rgbRed;
    }
    return z;
}

int rbInfoPruefen(const char* pfad, imginfo* info)
{
    if (info) *info = imginfo{};
    if (!pfad || !info) return rbFehler(RB_FEHLER_ARGUMENT, "no file name or no information record");
    return RB_OK;
}

int rbLadenPruefen(const char* pfad, imgdes* img, std::vector<uint8_t>& daten)
{
    if (!img) return rbFehler(RB_FEHLER_ARGUMENT, "no descriptor");
    int rc = rbPruefen(img);
    if (rc != RB_OK) return rc;
    return rbDateiLesen(pfad, daten);
}

}  // namespace

// ---- Info -------------------------------------------------------------------------------------
int bmpinfo(const char* pfad, imginfo* info)
{
    std::vector<uint8_t> d;
    RbRaster r;
    int bits = 0;
    int rc = rbInfoPruefen(pfad, info);
    if (rc == RB_OK) rc = rbDateiLesen(pfad, d);
    if (rc == RB_OK) rc = rbBmpDekodieren(d, r, &bits);
    if (rc != RB_OK) return rc;
    info->width = r.w, info->height = r.h, info->bpp = bits;
    return RB_OK;
}

int jpeginfo(const char* pfad, imginfo* info)
{
    std::vector<uint8_t> d;
    RbRaster r;
    imginfo i;
    int rc = rbInfoPruefen(pfad, info);
    if (rc == RB_OK) rc = rbDateiLesen(pfad, d);
    if (rc == RB_OK) rc = rbJpegDekodieren(d, false, i, r);
    if (rc != RB_OK) return rc;
    *info = i;
    return RB_OK;
}

int pnginfo(const char* pfad, imginfo* info)
{
    std::vector<uint8_t> d;
    imginfo i;
    int rc = rbInfoPruefen(pfad, info);
    if (rc == RB_OK) rc = rbDateiLesen(pfad, d);
    if (rc == RB_OK) rc = rbPngKopf(d, i);
    if (rc != RB_OK) return rc;
    *info = i;
    return RB_OK;
}

// ---- Loads ------------------------------------------------------------------------------------
int loadbmp(const char* pfad, imgdes* img)
{
    std::vector<uint8_t> d;
    RbRaster r;
    int rc = rbLadenPruefen(pfad, img, d);
    if (rc == RB_OK) rc = rbBmpDekodieren(d, r, nullptr);
    if (rc == RB_OK) rc = rbAblegen(r, img);
    return rc;
}

int loadjpg(const char* pfad, imgdes* img)
{
    std::vector<uint8_t> d;
    RbRaster r;
    imginfo i;
    int rc = rbLadenPruefen(pfad, img, d);
    if (rc == RB_OK) rc = rbJpegDekodieren(d, true, i, r);
    if (rc == RB_OK) rc = rbAblegen(r, img);
    return rc;
}

int loadpng(const char* pfad, imgdes* img)
{
    std::vector<uint8_t> d;
    RbRaster r;
    int rc = rbLadenPruefen(pfad, img, d);
    if (rc == RB_OK) rc = rbPngDekodieren(d, img->bits == 8, r);
    if (rc == RB_OK) rc = rbAblegen(r, img);
    return rc;
}

// ---- Saves ------------------------------------------------------------------------------------
int savebmp(const char* pfad, const imgdes* img, int kompression)
{
    (void)kompression;
    if (!pfad || !*pfad) return rbFehler(RB_FEHLER_ARGUMENT, "no file name");
    RbRaster r;
    int rc = rbAusschneiden(img, r);
    if (rc != RB_OK) return rc;
    const bool acht = r.bits == 8;
    const size_t zeile = ((static_cast<size_t>(r.w) * (acht ? 8 : 24) + 31) / 32) * 4;
    const size_t tabelle = acht ? 256 * 4 : 0;
    const size_t bitsAb = 14 + 40 + tabelle;
    const size_t gesamt = bitsAb + zeile * static_cast<size_t>(r.h);
    std::vector<uint8_t> d(gesamt, 0);
    auto le16 = [&](size_t at, uint32_t v) { d[at] = static_cast<uint8_t>(v), d[at + 1] = static_cast<uint8_t>(v >> 8); };
    auto le32 = [&](size_t at, uint32_t v) { le16(at, v & 0xFFFF), le16(at + 2, v >> 16); };
    d[0] = 'B', d[1] = 'M';
    le32(2, static_cast<uint32_t>(gesamt));
    le32(10, static_cast<uint32_t>(bitsAb));
    le32(14, 40);
    le32(18, static_cast<uint32_t>(r.w));
    le32(22, static_cast<uint32_t>(r.h));  // bottom-up
    le16(26, 1);
    le16(28, acht ? 8 : 24);
    le32(30, BI_RGB);
    le32(34, static_cast<uint32_t>(zeile * static_cast<size_t>(r.h)));
    le32(38, 2835), le32(42, 2835);  // 72 dpi
    le32(46, acht ? 256 : 0);
    for (size_t i = 0; i < r.pal.size() && i < 256; ++i) {
        d[54 + 4 * i] = r.pal[i].rgbBlue, d[55 + 4 * i] = r.pal[i].rgbGreen, d[56 + 4 * i] = r.pal[i].rgbRed;
    }
    for (int y = 0; y < r.h; ++y)
        std::memcpy(d.data() + bitsAb + static_cast<size_t>(r.h - 1 - y) * zeile, r.reihe(y), r.zeile());
    return rbDateiSchreiben(pfad, d);
}

int savejpg(const char* pfad, const imgdes* img, int qualitaet)
{
    if (!pfad || !*pfad) return rbFehler(RB_FEHLER_ARGUMENT, "no file name");
    if (qualitaet < 1 || qualitaet > 100) return rbFehler(RB_FEHLER_ARGUMENT, "quality must be 1..100");
    RbRaster r;
    int rc = rbAusschneiden(img, r);
    if (rc != RB_OK) return rc;
    std::vector<uint8_t> d;
    rc = rbJpegKodieren(rbFarbig(r), qualitaet, d);
    if (rc != RB_OK) return rc;
    return rbDateiSchreiben(pfad, d);
}

namespace {

// Encodes w x h pixels (8-bit indices with `pal`, or BGR) whose rows lie
// `zeile` bytes apart, top row first, as PNG into the file.
int rbPngSchreiben(const char* pfad, const uint8_t* px, int w, int h, size_t zeile, int bits,
                   const std::vector<RGBQUAD>& pal)
{
    png_image bild;
    std::memset(&bild, 0, sizeof bild);
    bild.version = PNG_IMAGE_VERSION;
    bild.width = static_cast<png_uint_32>(w);
    bild.height = static_cast<png_uint_32>(h);
    std::vector<uint8_t> tabelle;
    if (bits == 8) {
        bild.format = PNG_FORMAT_RGB_COLORMAP;
        // Indices beyond a short table would make libpng refuse: all 256.
        tabelle.assign(256 * 3, 0);
        for (size_t i = 0; i < pal.size() && i < 256; ++i)
            tabelle[3 * i] = pal[i].rgbRed, tabelle[3 * i + 1] = pal[i].rgbGreen, tabelle[3 * i + 2] = pal[i].rgbBlue;
        bild.colormap_entries = 256;
    } else {
        bild.format = PNG_FORMAT_BGR;
    }
    const void* farben = bits == 8 ? tabelle.data() : nullptr;
    // Encoded once into a buffer of the largest size the encoder can need
    // (asking for the size first would encode the picture twice); the pages
    // of the buffer that the data does not reach are never touched.
    png_alloc_size_t groesse = PNG_IMAGE_PNG_SIZE_MAX(bild);
    std::unique_ptr<uint8_t[]> puffer(new (std::nothrow) uint8_t[groesse]);
    if (!puffer) return rbFehler(RB_FEHLER_SPEICHER, "no memory for the PNG");
    if (!png_image_write_to_memory(&bild, puffer.get(), &groesse, 0, px, static_cast<png_int_32>(zeile), farben) ||
        groesse == 0) {
        png_image_free(&bild);
        return rbFehler(RB_FEHLER_SCHREIBEN, "PNG cannot be encoded");
    }
    if (plBildDateiSchreiben(pfad, puffer.get(), groesse) != 0)
        return rbFehler(RB_FEHLER_SCHREIBEN, "the file cannot be written");
    return RB_OK;
}

}  // namespace

int savepng(const char* pfad, const imgdes* img, int modus)
{
    (void)modus;
    if (!pfad || !*pfad) return rbFehler(RB_FEHLER_ARGUMENT, "no file name");
    RbRaster r;
    int rc = rbAusschneiden(img, r);
    if (rc != RB_OK) return rc;
    return rbPngSchreiben(pfad, r.px.data(), r.w, r.h, r.zeile(), r.bits, r.pal);
}

namespace {

// The encoder's output: a buffer of the largest size it can need, filled
// from the start.
struct RbPngPuffer {
    uint8_t* daten = nullptr;
    size_t groesse = 0, kapazitaet = 0;
};

void rbPngPufferDazu(png_structp p, png_bytep d, size_t n)
{
    auto* z = static_cast<RbPngPuffer*>(png_get_io_ptr(p));
    if (n > z->kapazitaet - z->groesse) png_error(p, "PNG larger than its buffer");
    std::memcpy(z->daten + z->groesse, d, n);
    z->groesse += n;
}

void rbPngPufferLeeren(png_structp) {}

void rbPngStumm(png_structp, png_const_charp) {}

void rbPngAbbruch(png_structp p, png_const_charp) { png_longjmp(p, 1); }

// Encodes rows of 32-bit pixels (blue, green, red, unused), `zeile` bytes
// apart, top row first, as the RGB PNG the simplified writer makes of the
// same pixels as BGR (same header chunks, filters and compression): libpng
// drops the unused byte row by row. Only plain locals live across setjmp.
int rbPngKodieren32(const uint8_t* px, int w, int h, size_t zeile, RbPngPuffer& aus)
{
    png_structp p = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, rbPngAbbruch, rbPngStumm);
    if (!p) return RB_FEHLER_SPEICHER;
    png_infop info = png_create_info_struct(p);
    if (!info) {
        png_destroy_write_struct(&p, nullptr);
        return RB_FEHLER_SPEICHER;
    }
    if (setjmp(png_jmpbuf(p))) {
        png_destroy_write_struct(&p, &info);
        return RB_FEHLER_SCHREIBEN;
    }
    png_set_write_fn(p, &aus, rbPngPufferDazu, rbPngPufferLeeren);
    png_set_IHDR(p, info, static_cast<png_uint_32>(w), static_cast<png_uint_32>(h), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
    png_set_sRGB(p, info, PNG_sRGB_INTENT_PERCEPTUAL);
    png_write_info(p, info);
    png_set_bgr(p);
    png_set_filler(p, 0, PNG_FILLER_AFTER);
    for (int y = 0; y < h; ++y) png_write_row(p, px + static_cast<size_t>(y) * zeile);
    png_write_end(p, info);
    png_destroy_write_struct(&p, &info);
    return RB_OK;
}

}  // namespace

int savepngbitmap(const char* pfad, HBITMAP bitmap)
{
    if (!pfad || !*pfad) return rbFehler(RB_FEHLER_ARGUMENT, "no file name");
    GdiBitmap* b = gdiBitmaps().finden(bitmap);
    if (!b || !b->flaeche) return rbFehler(RB_FEHLER_ARGUMENT, "no bitmap");
    int rc = rbGroessePruefen(b->breite, b->hoehe);
    if (rc != RB_OK) return rc;
    if (plFehlerJetzt(PlFehlerArt::Speicher)) return rbFehler(RB_FEHLER_SPEICHER, "no memory for the PNG");
    // A DIB section's own bits may be newer than its surface.
    gdiDibEinlesenBitmap(b);
    cairo_surface_flush(b->flaeche);
    png_image bild;
    std::memset(&bild, 0, sizeof bild);
    bild.version = PNG_IMAGE_VERSION;
    bild.width = static_cast<png_uint_32>(b->breite);
    bild.height = static_cast<png_uint_32>(b->hoehe);
    bild.format = PNG_FORMAT_BGR;
    // As rbPngSchreiben: the pages the data does not reach are never touched.
    RbPngPuffer aus;
    aus.kapazitaet = PNG_IMAGE_PNG_SIZE_MAX(bild);
    std::unique_ptr<uint8_t[]> puffer(new (std::nothrow) uint8_t[aus.kapazitaet]);
    if (!puffer) return rbFehler(RB_FEHLER_SPEICHER, "no memory for the PNG");
    aus.daten = puffer.get();
    rc = rbPngKodieren32(cairo_image_surface_get_data(b->flaeche), b->breite, b->hoehe,
                         static_cast<size_t>(cairo_image_surface_get_stride(b->flaeche)), aus);
    if (rc != RB_OK || aus.groesse == 0) return rbFehler(rc == RB_OK ? RB_FEHLER_SCHREIBEN : rc, "PNG cannot be encoded");
    if (plBildDateiSchreiben(pfad, puffer.get(), aus.groesse) != 0)
        return rbFehler(RB_FEHLER_SCHREIBEN, "the file cannot be written");
    return RB_OK;
}

int savepngbgr(const char* pfad, const uint8_t* bgr, int breite, int hoehe, size_t zeile)
{
    if (!pfad || !*pfad || !bgr) return rbFehler(RB_FEHLER_ARGUMENT, "no file name or no pixels");
    int rc = rbGroessePruefen(breite, hoehe);
    if (rc != RB_OK) return rc;
    if (zeile < static_cast<size_t>(breite) * 3) return rbFehler(RB_FEHLER_ARGUMENT, "rows shorter than the picture");
    if (plFehlerJetzt(PlFehlerArt::Speicher)) return rbFehler(RB_FEHLER_SPEICHER, "no memory for the PNG");
    return rbPngSchreiben(pfad, bgr, breite, hoehe, zeile, 24, {});
}
