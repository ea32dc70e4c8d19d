// BMP/DIB and PNG reading and writing; see bild.h. Prefixes `plBild`, `plBmp`,
// `plDib`, `plPng`, file-static helpers `bild...`. Calls Cairo (PNG) and the
// standard library only.
//
// DIB rules followed here (as documented for the format):
//  - header sizes 12 (core: 16-bit sizes, 3-byte colour entries), 40 (info),
//    52/56 (info with masks), 108 (V4), 124 (V5); masks follow a 40-byte
//    header only with BI_BITFIELDS;
//  - rows are padded to 4 bytes; a negative height means top row first, which
//    RLE bitmaps may not use;
//  - a colour table holds biClrUsed entries (0: 2^bits) for up to 8 bits per
//    pixel, and may hold biClrUsed entries that nothing uses for more bits;
//  - 16 bits without masks is 5-5-5, 32 bits without masks is B, G, R, unused.
#include "platform/bild.h"

#include <cairo.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <string>
#include <unistd.h>

#include "platform/bild_le.h"
#include "platform/dateisys.h"

namespace {

int bildFehler(std::string* fehler, const char* text)
{
    if (fehler) *fehler = text;
    return -1;
}

// Rows of `bits` per pixel padded to 4 bytes; 0 on overflow of sane limits.
uint64_t bildZeilenBytes(int32_t breite, int bits)
{
    return ((static_cast<uint64_t>(breite) * static_cast<uint64_t>(bits) + 31) / 32) * 4;
}

// Everything a DIB header says that the decoder needs.
struct bildKopf {
    int32_t breite = 0;
    int32_t hoehe = 0;  // positive
    bool vonOben = false;
    int bits = 0;
    uint32_t kompression = BI_RGB;
    uint32_t bildGroesse = 0;  // biSizeImage
    uint32_t masken[4] = {0, 0, 0, 0};  // r, g, b, a
    bool hatMasken = false;
    std::vector<RGBQUAD> farben;
    size_t kopfGroesse = 0;  // header + masks + colour table
};

bool bildMaskeGut(uint32_t m)
{
    if (m == 0) return false;
    // Contiguous run of ones.
    uint32_t s = m >> __builtin_ctz(m);
    return (s & (s + 1)) == 0;
}

int bildKopfLesen(const uint8_t* kopf, size_t kopfLaenge, bildKopf& k, std::string* fehler)
{
    plLeLeser l(kopf, kopfLaenge);
    uint32_t groesse = l.u32();
    if (!l.gut) return bildFehler(fehler, "DIB header truncated");
    bool kern = false;
    if (groesse == 12) {
        kern = true;
        k.breite = l.u16();
        k.hoehe = l.u16();
        uint16_t ebenen = l.u16();
        k.bits = l.u16();
        if (!l.gut) return bildFehler(fehler, "DIB header truncated");
        if (ebenen != 1) return bildFehler(fehler, "planes must be 1");
        if (k.bits != 1 && k.bits != 4 && k.bits != 8 && k.bits != 24) return bildFehler(fehler, "bit count not allowed for a core header");
    } else if (groesse == 40 || groesse == 52 || groesse == 56 || groesse == 108 || groesse == 124) {
        k.breite = l.i32();
        int32_t h = l.i32();
        uint16_t ebenen = l.u16();
        k.bits = l.u16();
        k.kompression = l.u32();
        k.bildGroesse = l.u32();
        l.ueberspringen(8);  // resolution
        uint32_t benutzt = l.u32();
        l.ueberspringen(4);  // important colours
        if (!l.gut) return bildFehler(fehler, "DIB header truncated");
        if (ebenen != 1) return bildFehler(fehler, "planes must be 1");
        if (h == INT32_MIN) return bildFehler(fehler, "height out of range");
        k.vonOben = h < 0;
        k.hoehe = h < 0 ? -h : h;
        switch (k.bits) {
        case 1: case 4: case 8: case 16: case 24: case 32: break;
        default: return bildFehler(fehler, "bit count not allowed");
        }
        switch (k.kompression) {
        case BI_RGB: break;
        case BI_RLE8: if (k.bits != 8) return bildFehler(fehler, "RLE8 needs 8 bits per pixel"); break;
        case BI_RLE4: if (k.bits != 4) return bildFehler(fehler, "RLE4 needs 4 bits per pixel"); break;
        case BI_BITFIELDS: if (k.bits != 16 && k.bits != 32) return bildFehler(fehler, "bit fields need 16 or 32 bits per pixel"); break;
        default: return bildFehler(fehler, "compression not supported");
        }
        if (k.vonOben && (k.kompression == BI_RLE8 || k.kompression == BI_RLE4))
            return bildFehler(fehler, "RLE bitmaps cannot be top-down");
        // Masks: inside the larger headers, after a 40-byte one.
        if (k.kompression == BI_BITFIELDS) {
            l.setzen(40);
            size_t anzahl = groesse == 40 ? 3 : (groesse == 52 ? 3 : 4);
            for (size_t i = 0; i < anzahl; ++i) k.masken[i] = l.u32();
            if (!l.gut) return bildFehler(fehler, "bit field masks truncated");
            k.hatMasken = true;
            if (groesse == 52) k.masken[3] = 0;
        } else if (groesse >= 56 && k.bits == 32) {
            // An alpha mask of a larger header counts with BI_RGB too.
            l.setzen(52);
            uint32_t a = l.u32();
            if (l.gut && bildMaskeGut(a) && a == 0xFF000000u) k.masken[3] = a;
        }
        size_t nachKopf = groesse + (groesse == 40 && k.kompression == BI_BITFIELDS ? 12 : 0);
        if (k.bits <= 8) {
            uint32_t hoechst = 1u << k.bits;
            if (benutzt > hoechst) return bildFehler(fehler, "colour table larger than the bit count allows");
            benutzt = benutzt ? benutzt : hoechst;
        } else if (benutzt > 256) {
            return bildFehler(fehler, "colour table too large");
        }
        if (!l.setzen(nachKopf)) return bildFehler(fehler, "DIB header truncated");
        if (!l.hat(static_cast<size_t>(benutzt) * 4)) return bildFehler(fehler, "colour table truncated");
        if (k.bits <= 8) {
            k.farben.resize(benutzt);
            for (auto& f : k.farben) {
                f.rgbBlue = l.u8();
                f.rgbGreen = l.u8();
                f.rgbRed = l.u8();
                f.rgbReserved = l.u8();
                f.rgbReserved = 0;
            }
        } else {
            l.ueberspringen(static_cast<size_t>(benutzt) * 4);
        }
        k.kopfGroesse = l.pos;
    } else {
        return bildFehler(fehler, "unknown DIB header size");
    }
    if (kern) {
        if (k.bits <= 8) {
            size_t n = size_t{1} << k.bits;
            if (!l.hat(n * 3)) return bildFehler(fehler, "colour table truncated");
            k.farben.resize(n);
            for (auto& f : k.farben) {
                f.rgbBlue = l.u8();
                f.rgbGreen = l.u8();
                f.rgbRed = l.u8();
                f.rgbReserved = 0;
            }
        }
        k.kopfGroesse = l.pos;
    }
    if (k.breite <= 0 || k.hoehe <= 0) return bildFehler(fehler, "empty or negative size");
    if (k.breite > PL_BILD_KANTESUP || k.hoehe > PL_BILD_KANTESUP) return bildFehler(fehler, "picture too large");
    if (static_cast<uint64_t>(k.breite) * static_cast<uint64_t>(k.hoehe) > PL_BILD_PIXELSUP)
        return bildFehler(fehler, "picture too large");
    if (k.hatMasken) {
        uint32_t alle = 0;
        for (int i = 0; i < 4; ++i) {
            uint32_t m = k.masken[i];
            if (i < 3 && !bildMaskeGut(m)) return bildFehler(fehler, "bit field mask not contiguous");
            if (i == 3 && m != 0 && !bildMaskeGut(m)) return bildFehler(fehler, "alpha mask not contiguous");
            if (alle & m) return bildFehler(fehler, "bit field masks overlap");
            if (k.bits == 16 && (m >> 16)) return bildFehler(fehler, "bit field mask wider than the pixel");
            alle |= m;
        }
    }
    return 0;
}

// Scales the bits of `v` under `maske` to 0..255.
uint8_t bildKanal(uint32_t v, uint32_t maske)
{
    if (!maske) return 0;
    int s = __builtin_ctz(maske);
    uint32_t max = maske >> s;
    uint32_t x = (v & maske) >> s;
    return static_cast<uint8_t>((static_cast<uint64_t>(x) * 255 + max / 2) / max);
}

uint32_t bildVormultiplizieren(uint8_t r, uint8_t g, uint8_t b, uint8_t a)
{
    if (a == 255) return 0xFF000000u | (uint32_t{r} << 16) | (uint32_t{g} << 8) | b;
    auto m = [a](uint8_t c) { return static_cast<uint32_t>((c * a + 127) / 255); };
    return (uint32_t{a} << 24) | (m(r) << 16) | (m(g) << 8) | m(b);
}

uint32_t bildTabellenPixel(const RGBQUAD& f)
{
    return 0xFF000000u | (uint32_t{f.rgbRed} << 16) | (uint32_t{f.rgbGreen} << 8) | f.rgbBlue;
}

int bildUnkomprimiert(const bildKopf& k, const uint8_t* bits, size_t laenge, plBild& bild, std::string* fehler)
{
    uint64_t zeile = bildZeilenBytes(k.breite, k.bits);
    // The last row need not carry its padding.
    uint64_t noetig = zeile * static_cast<uint64_t>(k.hoehe - 1) + (static_cast<uint64_t>(k.breite) * k.bits + 7) / 8;
    if (noetig > laenge) return bildFehler(fehler, "pixel data truncated");
    uint32_t masken[4] = {k.masken[0], k.masken[1], k.masken[2], k.masken[3]};
    if (!k.hatMasken) {
        if (k.bits == 16) { masken[0] = 0x7C00; masken[1] = 0x03E0; masken[2] = 0x001F; }
        if (k.bits == 32 || k.bits == 24) { masken[0] = 0xFF0000; masken[1] = 0xFF00; masken[2] = 0xFF; }
    }
    size_t nFarben = k.farben.size();
    for (int32_t y = 0; y < k.hoehe; ++y) {
        const uint8_t* z = bits + zeile * static_cast<uint64_t>(y);
        int32_t zielY = k.vonOben ? y : k.hoehe - 1 - y;
        uint32_t* ziel = &bild.pixel[static_cast<size_t>(zielY) * static_cast<size_t>(k.breite)];
        for (int32_t x = 0; x < k.breite; ++x) {
            uint32_t px;
            if (k.bits <= 8) {
                size_t bitPos = static_cast<size_t>(x) * k.bits;
                unsigned byte = z[bitPos / 8];
                unsigned index = (byte >> (8 - k.bits - bitPos % 8)) & ((1u << k.bits) - 1);
                if (index >= nFarben) return bildFehler(fehler, "colour index outside the colour table");
                px = bildTabellenPixel(k.farben[index]);
            } else if (k.bits == 24) {
                const uint8_t* p = z + static_cast<size_t>(x) * 3;
                px = 0xFF000000u | (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
            } else {
                const uint8_t* p = z + static_cast<size_t>(x) * (k.bits / 8);
                uint32_t v = k.bits == 16 ? static_cast<uint32_t>(p[0] | (p[1] << 8))
                                          : (uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24));
                uint8_t a = masken[3] ? bildKanal(v, masken[3]) : 255;
                px = bildVormultiplizieren(bildKanal(v, masken[0]), bildKanal(v, masken[1]), bildKanal(v, masken[2]), a);
            }
            ziel[x] = px;
        }
    }
    return 0;
}

// RLE8 and RLE4: bottom-up runs; pixels no run reaches keep colour 0.
int bildRle(const bildKopf& k, const uint8_t* bits, size_t laenge, plBild& bild, std::string* fehler)
{
    if (k.farben.empty()) return bildFehler(fehler, "RLE bitmap without colour table");
    const bool vier = k.kompression == BI_RLE4;
    size_t nFarben = k.farben.size();
    uint32_t grund = bildTabellenPixel(k.farben[0]);
    std::fill(bild.pixel.begin(), bild.pixel.end(), grund);
    plLeLeser l(bits, laenge);
    int64_t x = 0, y = 0;  // y counts from the bottom row
    auto setzen = [&](unsigned index) -> bool {
        if (index >= nFarben || x >= k.breite || y >= k.hoehe) return false;
        bild.at(static_cast<int32_t>(x), static_cast<int32_t>(k.hoehe - 1 - y)) = bildTabellenPixel(k.farben[index]);
        ++x;
        return true;
    };
    for (;;) {
        uint8_t a = l.u8();
        uint8_t b = l.u8();
        if (!l.gut) return bildFehler(fehler, "RLE data ends before its end mark");
        if (a > 0) {
            for (unsigned i = 0; i < a; ++i) {
                unsigned index = vier ? ((i & 1) ? (b & 0x0F) : (b >> 4)) : b;
                if (!setzen(index)) return bildFehler(fehler, "RLE run leaves the picture or its colour table");
            }
        } else if (b == 0) {
            x = 0;
            ++y;
        } else if (b == 1) {
            return 0;
        } else if (b == 2) {
            uint8_t dx = l.u8();
            uint8_t dy = l.u8();
            if (!l.gut) return bildFehler(fehler, "RLE data ends before its end mark");
            x += dx;
            y += dy;
            if (x > k.breite || y > k.hoehe) return bildFehler(fehler, "RLE delta leaves the picture");
        } else {
            size_t n = vier ? (b + 1u) / 2 : b;
            const uint8_t* p = l.bytes(n);
            if (!p) return bildFehler(fehler, "RLE data ends before its end mark");
            if (n & 1) l.u8();  // runs are padded to 16 bits
            for (unsigned i = 0; i < b; ++i) {
                unsigned index = vier ? ((i & 1) ? (p[i / 2] & 0x0F) : (p[i / 2] >> 4)) : p[i];
                if (!setzen(index)) return bildFehler(fehler, "RLE run leaves the picture or its colour table");
            }
            if (!l.gut) return bildFehler(fehler, "RLE data ends before its end mark");
        }
    }
}

}  // namespace

void plBildEntmultiplizieren(uint32_t px, uint8_t& r, uint8_t& g, uint8_t& b, uint8_t& a)
{
    a = static_cast<uint8_t>(px >> 24);
    r = static_cast<uint8_t>(px >> 16);
    g = static_cast<uint8_t>(px >> 8);
    b = static_cast<uint8_t>(px);
    if (a == 255) return;
    if (a == 0) { r = g = b = 0; return; }
    auto d = [a](uint8_t c) { return static_cast<uint8_t>(std::min(255, (c * 255 + a / 2) / a)); };
    r = d(r);
    g = d(g);
    b = d(b);
}

size_t plDibKopfGroesse(const uint8_t* kopf, size_t kopfLaenge)
{
    bildKopf k;
    if (bildKopfLesen(kopf, kopfLaenge, k, nullptr) != 0) return 0;
    return k.kopfGroesse;
}

int plDibLesen(const uint8_t* kopf, size_t kopfLaenge, const uint8_t* bits, size_t bitsLaenge, plBild& bild, std::string* fehler)
{
    bild = plBild{};
    if (!kopf || (!bits && bitsLaenge)) return bildFehler(fehler, "no data");
    bildKopf k;
    if (bildKopfLesen(kopf, kopfLaenge, k, fehler) != 0) return -1;
    // A stated image size bounds the data (RLE needs it); a larger one than
    // there is means a cut file.
    size_t laenge = bitsLaenge;
    if (k.bildGroesse != 0) {
        if (k.bildGroesse > bitsLaenge && k.kompression != BI_RGB && k.kompression != BI_BITFIELDS)
            return bildFehler(fehler, "pixel data truncated");
        if (k.bildGroesse < laenge && (k.kompression == BI_RLE4 || k.kompression == BI_RLE8)) laenge = k.bildGroesse;
    }
    // Refused before the picture is allocated: pixel data that is not there,
    // and run-length data too short to reach the rows it claims (a jump
    // covers at most 255 rows in 4 bytes; 137 bytes once made a picture of
    // 1024 x 32766 pixels, 128 MB filled and converted for nothing).
    if (k.kompression == BI_RGB || k.kompression == BI_BITFIELDS) {
        const uint64_t zeile = bildZeilenBytes(k.breite, k.bits);
        const uint64_t noetig = zeile * static_cast<uint64_t>(k.hoehe - 1) + (static_cast<uint64_t>(k.breite) * k.bits + 7) / 8;
        if (noetig > laenge) return bildFehler(fehler, "pixel data truncated");
    } else if (static_cast<uint64_t>(k.hoehe) > 1 + static_cast<uint64_t>(laenge / 4) * 255) {
        return bildFehler(fehler, "RLE data too short for the picture's height");
    }
    plBild neu;
    neu.breite = k.breite;
    neu.hoehe = k.hoehe;
    neu.bits = k.bits;
    neu.farben = k.farben;
    neu.pixel.assign(static_cast<size_t>(k.breite) * static_cast<size_t>(k.hoehe), 0xFF000000u);
    int r = (k.kompression == BI_RLE4 || k.kompression == BI_RLE8) ? bildRle(k, bits, laenge, neu, fehler)
                                                                     : bildUnkomprimiert(k, bits, laenge, neu, fehler);
    if (r != 0) return -1;
    bild = std::move(neu);
    return 0;
}

int plDibGepacktLesen(const uint8_t* daten, size_t laenge, plBild& bild, std::string* fehler)
{
    bild = plBild{};
    bildKopf k;
    if (bildKopfLesen(daten, laenge, k, fehler) != 0) return -1;
    return plDibLesen(daten, k.kopfGroesse, daten + k.kopfGroesse, laenge - k.kopfGroesse, bild, fehler);
}

int plBmpLesen(const uint8_t* daten, size_t laenge, plBild& bild, std::string* fehler)
{
    bild = plBild{};
    plLeLeser l(daten, laenge);
    uint16_t typ = l.u16();
    uint32_t dateiGroesse = l.u32();
    l.ueberspringen(4);
    uint32_t versatz = l.u32();
    if (!l.gut) return bildFehler(fehler, "file header truncated");
    if (typ != 0x4D42) return bildFehler(fehler, "not a BMP file");
    if (dateiGroesse > laenge) return bildFehler(fehler, "file shorter than its header says");
    bildKopf k;
    if (bildKopfLesen(daten + 14, laenge - 14, k, fehler) != 0) return -1;
    if (versatz < 14 + k.kopfGroesse || versatz > laenge) return bildFehler(fehler, "pixel offset inconsistent");
    return plDibLesen(daten + 14, k.kopfGroesse, daten + versatz, laenge - versatz, bild, fehler);
}

namespace {

int bildDibBauen(const plBild& bild, int bits, plLeSchreiber& s)
{
    if (bild.breite <= 0 || bild.hoehe <= 0 || bild.pixel.size() != static_cast<size_t>(bild.breite) * static_cast<size_t>(bild.hoehe))
        return -1;
    if (bits != 8 && bits != 24 && bits != 32) return -1;
    std::vector<uint32_t> tabelle;
    std::map<uint32_t, uint8_t> index;
    if (bits == 8) {
        for (uint32_t px : bild.pixel) {
            uint32_t c = px | 0xFF000000u;
            if (index.count(c)) continue;
            if (tabelle.size() == 256) return -1;
            index[c] = static_cast<uint8_t>(tabelle.size());
            tabelle.push_back(c);
        }
    }
    uint64_t zeile = bildZeilenBytes(bild.breite, bits);
    s.u32(40);
    s.i32(bild.breite);
    s.i32(bild.hoehe);
    s.u16(1);
    s.u16(static_cast<uint16_t>(bits));
    s.u32(BI_RGB);
    s.u32(static_cast<uint32_t>(zeile * static_cast<uint64_t>(bild.hoehe)));
    s.i32(3780);  // 96 dpi
    s.i32(3780);
    s.u32(static_cast<uint32_t>(tabelle.size()));
    s.u32(0);
    for (uint32_t c : tabelle) s.u32(c & 0x00FFFFFFu);
    for (int32_t y = bild.hoehe - 1; y >= 0; --y) {
        size_t anfang = s.groesse();
        for (int32_t x = 0; x < bild.breite; ++x) {
            uint32_t px = bild.at(x, y);
            if (bits == 8) {
                s.u8(index[px | 0xFF000000u]);
                continue;
            }
            uint8_t r, g, b, a;
            plBildEntmultiplizieren(px, r, g, b, a);
            s.u8(b);
            s.u8(g);
            s.u8(r);
            if (bits == 32) s.u8(a);
        }
        s.nullen(static_cast<size_t>(zeile) - (s.groesse() - anfang));
    }
    return 0;
}

}  // namespace

int plDibSchreiben(const plBild& bild, int bits, std::vector<uint8_t>& aus)
{
    plLeSchreiber s;
    if (bildDibBauen(bild, bits, s) != 0) return -1;
    aus = std::move(s.daten);
    return 0;
}

int plBmpSchreiben(const plBild& bild, int bits, std::vector<uint8_t>& aus)
{
    plLeSchreiber dib;
    if (bildDibBauen(bild, bits, dib) != 0) return -1;
    size_t kopf = plDibKopfGroesse(dib.daten.data(), dib.daten.size());
    plLeSchreiber s;
    s.u16(0x4D42);
    s.u32(static_cast<uint32_t>(14 + dib.groesse()));
    s.u32(0);
    s.u32(static_cast<uint32_t>(14 + kopf));
    s.bytes(dib.daten.data(), dib.groesse());
    aus = std::move(s.daten);
    return 0;
}

namespace {

struct bildPngQuelle {
    const uint8_t* daten;
    size_t laenge;
    size_t pos;
};

cairo_status_t bildPngLesenFn(void* closure, unsigned char* data, unsigned int length)
{
    auto* q = static_cast<bildPngQuelle*>(closure);
    if (length > q->laenge - q->pos) return CAIRO_STATUS_READ_ERROR;
    std::memcpy(data, q->daten + q->pos, length);
    q->pos += length;
    return CAIRO_STATUS_SUCCESS;
}

cairo_status_t bildPngSchreibenFn(void* closure, const unsigned char* data, unsigned int length)
{
    auto* v = static_cast<std::vector<uint8_t>*>(closure);
    v->insert(v->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}

}  // namespace

int plPngLesen(const uint8_t* daten, size_t laenge, plBild& bild, std::string* fehler)
{
    bild = plBild{};
    static const uint8_t kennung[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (!daten || laenge < 8 || std::memcmp(daten, kennung, 8) != 0) return bildFehler(fehler, "not a PNG file");
    // Refuse absurd sizes before Cairo allocates: width and height stand in
    // the IHDR chunk right after the signature.
    if (laenge < 24) return bildFehler(fehler, "PNG header truncated");
    plLeLeser l(daten + 16, 8);
    auto be32 = [&]() {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v = (v << 8) | l.u8();
        return v;
    };
    uint32_t w = be32(), h = be32();
    if (w == 0 || h == 0 || w > static_cast<uint32_t>(PL_BILD_KANTESUP) || h > static_cast<uint32_t>(PL_BILD_KANTESUP) ||
        static_cast<uint64_t>(w) * h > PL_BILD_PIXELSUP)
        return bildFehler(fehler, "PNG picture too large or empty");
    bildPngQuelle q{daten, laenge, 0};
    cairo_surface_t* s = cairo_image_surface_create_from_png_stream(bildPngLesenFn, &q);
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(s);
        return bildFehler(fehler, "PNG data unreadable");
    }
    cairo_surface_flush(s);
    int sw = cairo_image_surface_get_width(s), sh = cairo_image_surface_get_height(s);
    int stride = cairo_image_surface_get_stride(s);
    cairo_format_t fmt = cairo_image_surface_get_format(s);
    const unsigned char* p = cairo_image_surface_get_data(s);
    plBild neu;
    neu.breite = sw;
    neu.hoehe = sh;
    neu.bits = fmt == CAIRO_FORMAT_RGB24 ? 24 : 32;
    neu.pixel.resize(static_cast<size_t>(sw) * static_cast<size_t>(sh));
    for (int y = 0; y < sh; ++y) {
        for (int x = 0; x < sw; ++x) {
            uint32_t px;
            if (fmt == CAIRO_FORMAT_A8) {
                px = static_cast<uint32_t>(p[static_cast<size_t>(y) * stride + x]) << 24;
            } else if (fmt == CAIRO_FORMAT_A1) {
                uint32_t wort;
                std::memcpy(&wort, p + static_cast<size_t>(y) * stride + (x / 32) * 4, 4);
                px = ((wort >> (x % 32)) & 1) ? 0xFF000000u : 0;
            } else {
                std::memcpy(&px, p + static_cast<size_t>(y) * stride + static_cast<size_t>(x) * 4, 4);
                if (fmt == CAIRO_FORMAT_RGB24) px |= 0xFF000000u;
            }
            neu.pixel[static_cast<size_t>(y) * sw + x] = px;
        }
    }
    cairo_surface_destroy(s);
    bild = std::move(neu);
    return 0;
}

int plPngSchreiben(const plBild& bild, std::vector<uint8_t>& aus)
{
    if (bild.breite <= 0 || bild.hoehe <= 0 || bild.pixel.size() != static_cast<size_t>(bild.breite) * static_cast<size_t>(bild.hoehe))
        return -1;
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, bild.breite, bild.hoehe);
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(s);
        return -1;
    }
    cairo_surface_flush(s);
    unsigned char* p = cairo_image_surface_get_data(s);
    int stride = cairo_image_surface_get_stride(s);
    for (int y = 0; y < bild.hoehe; ++y)
        std::memcpy(p + static_cast<size_t>(y) * stride, &bild.pixel[static_cast<size_t>(y) * bild.breite], static_cast<size_t>(bild.breite) * 4);
    cairo_surface_mark_dirty(s);
    std::vector<uint8_t> v;
    cairo_status_t st = cairo_surface_write_to_png_stream(s, bildPngSchreibenFn, &v);
    cairo_surface_destroy(s);
    if (st != CAIRO_STATUS_SUCCESS) return -1;
    aus = std::move(v);
    return 0;
}

int plBildLesen(const uint8_t* daten, size_t laenge, plBild& bild, std::string* fehler)
{
    if (daten && laenge >= 2 && daten[0] == 'B' && daten[1] == 'M') return plBmpLesen(daten, laenge, bild, fehler);
    if (daten && laenge >= 8 && daten[0] == 0x89 && daten[1] == 'P') return plPngLesen(daten, laenge, bild, fehler);
    bild = plBild{};
    return bildFehler(fehler, "neither a BMP nor a PNG file");
}

int plBildDateiLesen(const char* pfad, std::vector<uint8_t>& aus, size_t hoechstens)
{
    aus.clear();
    if (!pfad) return -1;
    int fd = plDsOeffnen(pfad, O_RDONLY);
    if (fd < 0) return -1;
    std::vector<uint8_t> v;
    uint8_t puffer[4096];
    ssize_t n;
    while ((n = plDsLesen(fd, puffer, sizeof puffer)) > 0) {
        if (v.size() + static_cast<size_t>(n) > hoechstens) {
            plDsSchliessen(fd);
            return -1;
        }
        v.insert(v.end(), puffer, puffer + n);
    }
    if (plDsSchliessen(fd) != 0 || n < 0) return -1;
    aus = std::move(v);
    return 0;
}

int plBildDateiSchreiben(const char* pfad, const uint8_t* daten, size_t laenge)
{
    if (!pfad || !*pfad) return -1;
    return plDsDateiErsetzen(pfad, daten, laenge, true);
}
