// Metafile handles, bits, files and the helpers the recorders share; see
// metafile.h. Prefix `meta` for internals (metafile_int.h,
// metafile_gemeinsam.h). Recording and playing live in metafile_wmf.cpp and
// metafile_emf.cpp. Calls the public GDI calls, the handle tables, bild.h
// and metafile_format.h.
#include <cstring>
#include <memory>

#include "platform/bild.h"
#include "platform/handle.h"
#include "platform/metafile_gemeinsam.h"

namespace {

plHandleTabelle<metaDatei>& metaWmfTabelle()
{
    static plHandleTabelle<metaDatei> t(plHandleArt::Metafile);
    return t;
}
plHandleTabelle<metaDatei>& metaEmfTabelle()
{
    static plHandleTabelle<metaDatei> t(plHandleArt::EnhMetafile);
    return t;
}
std::string& metaLetzterFehler()
{
    static std::string s;
    return s;
}

// Code page 1252 characters 0x80..0x9F as Unicode (0: not assigned).
const uint16_t kCp1252[32] = {0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                              0x2039, 0x0152, 0, 0x017D, 0, 0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013,
                              0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

// Bits of a WMF that may start with a placeable header: the bare part.
void metaOhnePlatziert(const BYTE*& data, size_t& n)
{
    if (n >= PL_WMF_PLATZIERT_GROESSE && plWmfIstPlatziert(data, n)) {
        data += PL_WMF_PLATZIERT_GROESSE;
        n -= PL_WMF_PLATZIERT_GROESSE;
    }
}

// Checked bits into `tabelle`: their handle, 0 when the table is full.
uint32_t metaAnlegen(plHandleTabelle<metaDatei>& tabelle, std::vector<uint8_t> bits)
{
    auto d = std::make_unique<metaDatei>();
    d->bits = std::move(bits);
    return tabelle.anlegen(std::move(d));
}

// GetMetaFileBitsEx and GetEnhMetaFileBits: the size of the bits when `buf`
// is nullptr, else a copy of them when `size` is large enough (0 when not,
// and for no metafile).
UINT metaBitsGeben(const metaDatei* d, UINT size, void* buf)
{
    if (!d) return 0;
    UINT n = static_cast<UINT>(d->bits.size());
    if (!buf) return n;
    if (size < n) return 0;
    std::memcpy(buf, d->bits.data(), n);
    return n;
}

// CopyMetaFile and CopyEnhMetaFile: the bits, also written to `file` when
// given. False for no metafile or when the file cannot be written (then with
// the reason recorded).
bool metaKopieren(const metaDatei* d, LPCSTR file, std::vector<uint8_t>& bits)
{
    if (!d) return false;
    bits = d->bits;
    if (file && metaDateiSchreiben(file, bits) != 0) return metaFehler("file cannot be written"), false;
    return true;
}

}  // namespace

HMETAFILE metaWmfAnlegen(std::vector<uint8_t> bits) { return metaAnlegen(metaWmfTabelle(), std::move(bits)); }
HENHMETAFILE metaEmfAnlegen(std::vector<uint8_t> bits) { return metaAnlegen(metaEmfTabelle(), std::move(bits)); }
const metaDatei* metaWmfFinden(HMETAFILE h) { return metaWmfTabelle().finden(h); }
const metaDatei* metaEmfFinden(HENHMETAFILE h) { return metaEmfTabelle().finden(h); }

int metaFehler(const std::string& text)
{
    metaLetzterFehler() = text;
    return 0;
}
void metaFehlerLoeschen() { metaLetzterFehler().clear(); }
const char* plMetaFehler() { return metaLetzterFehler().c_str(); }

void plMetaAllesFreigeben()
{
    metaWmfTabelle().leeren();
    metaEmfTabelle().leeren();
}

// ---- Bits and files ------------------------------------------------------------------

UINT GetMetaFileBitsEx(HMETAFILE hmf, UINT size, LPVOID buf) { return metaBitsGeben(metaWmfFinden(hmf), size, buf); }

HMETAFILE SetMetaFileBitsEx(UINT size, const BYTE* data)
{
    if (!data) return metaFehler("no data");
    size_t n = size;
    metaOhnePlatziert(data, n);
    plWmfKopf kopf;
    std::vector<plWmfDatensatz> saetze;
    std::string fehler;
    if (plWmfPruefen(data, n, kopf, saetze, &fehler) != 0) return metaFehler(fehler);
    // Keep exactly the size the header states (a block may be larger).
    return metaWmfAnlegen(std::vector<uint8_t>(data, data + static_cast<size_t>(kopf.groesseWorte) * 2));
}

BOOL DeleteMetaFile(HMETAFILE hmf) { return metaWmfTabelle().freigeben(hmf) ? TRUE : FALSE; }

int plWmfDateiLesen(const char* pfad, std::vector<uint8_t>& bits, plWmfPlatziert* kopf, bool* platziert)
{
    bits.clear();
    if (kopf) *kopf = plWmfPlatziert{};
    if (platziert) *platziert = false;
    std::vector<uint8_t> d;
    if (plBildDateiLesen(pfad, d) != 0) return metaFehler("file cannot be read"), -1;
    size_t anfang = 0;
    plWmfPlatziert p;
    bool mitKopf = plWmfPlatziertLesen(d.data(), d.size(), p) == 0;
    if (mitKopf) anfang = PL_WMF_PLATZIERT_GROESSE;
    plWmfKopf wk;
    std::vector<plWmfDatensatz> saetze;
    std::string fehler;
    if (plWmfPruefen(d.data() + anfang, d.size() - anfang, wk, saetze, &fehler) != 0) return metaFehler(fehler), -1;
    bits.assign(d.begin() + static_cast<long>(anfang), d.begin() + static_cast<long>(anfang + wk.groesseWorte * 2ull));
    if (kopf && mitKopf) *kopf = p;
    if (platziert) *platziert = mitKopf;
    return 0;
}

int plWmfDateiSchreiben(const char* pfad, const uint8_t* bits, size_t laenge, const plWmfPlatziert* kopf)
{
    if (!pfad || (!bits && laenge)) return -1;
    std::vector<uint8_t> d;
    if (kopf) d = plWmfPlatziertBauen(*kopf);
    if (laenge) d.insert(d.end(), bits, bits + laenge);
    return plBildDateiSchreiben(pfad, d.data(), d.size());
}

HMETAFILE GetMetaFile(LPCSTR file)
{
    std::vector<uint8_t> bits;
    if (plWmfDateiLesen(file, bits, nullptr, nullptr) != 0) return 0;
    return metaWmfAnlegen(std::move(bits));
}

HMETAFILE CopyMetaFile(HMETAFILE hmf, LPCSTR file)
{
    std::vector<uint8_t> bits;
    if (!metaKopieren(metaWmfFinden(hmf), file, bits)) return 0;
    return metaWmfAnlegen(std::move(bits));
}

UINT GetEnhMetaFileBits(HENHMETAFILE hemf, UINT size, LPBYTE buf) { return metaBitsGeben(metaEmfFinden(hemf), size, buf); }

HENHMETAFILE SetEnhMetaFileBits(UINT size, const BYTE* data)
{
    if (!data) return metaFehler("no data");
    ENHMETAHEADER kopf;
    std::vector<plEmfDatensatz> saetze;
    std::string fehler;
    if (plEmfPruefen(data, size, kopf, saetze, &fehler) != 0) return metaFehler(fehler);
    return metaEmfAnlegen(std::vector<uint8_t>(data, data + kopf.nBytes));
}

HENHMETAFILE GetEnhMetaFile(LPCSTR file)
{
    std::vector<uint8_t> d;
    if (plBildDateiLesen(file, d) != 0) return metaFehler("file cannot be read");
    return SetEnhMetaFileBits(static_cast<UINT>(d.size()), d.data());
}

HENHMETAFILE CopyEnhMetaFile(HENHMETAFILE hemf, LPCSTR file)
{
    std::vector<uint8_t> bits;
    if (!metaKopieren(metaEmfFinden(hemf), file, bits)) return 0;
    return metaEmfAnlegen(std::move(bits));
}

BOOL DeleteEnhMetaFile(HENHMETAFILE hemf) { return metaEmfTabelle().freigeben(hemf) ? TRUE : FALSE; }

UINT GetEnhMetaFileHeader(HENHMETAFILE hemf, UINT size, ENHMETAHEADER* out)
{
    const metaDatei* d = metaEmfFinden(hemf);
    if (!d) return 0;
    ENHMETAHEADER k;
    std::vector<plEmfDatensatz> saetze;
    if (plEmfPruefen(d->bits.data(), d->bits.size(), k, saetze) != 0) return 0;
    UINT n = static_cast<UINT>(std::min<size_t>(sizeof k, saetze[0].laenge));
    if (!out) return n;
    n = std::min(n, size);
    std::memcpy(out, &k, n);
    return n;
}

int metaDateiSchreiben(const std::string& datei, const std::vector<uint8_t>& bits)
{
    return plBildDateiSchreiben(datei.c_str(), bits.data(), bits.size());
}

// ---- Helpers of the recorders ------------------------------------------------------------

int metaStockIndex(HGDIOBJ h)
{
    if (!h) return -1;
    for (int i = 0; i <= DC_PEN; ++i)
        if (GetStockObject(i) == h) return i;
    return -1;
}

bool metaObjektLesen(HGDIOBJ h, metaObjekt& o)
{
    o = metaObjekt{};
    o.art = GetObjectType(h);
    switch (o.art) {
    case OBJ_PEN:
        return GetObject(h, sizeof o.stift, &o.stift) > 0 && ((o.stiftStil = o.stift.lopnStyle), true);
    case OBJ_EXTPEN: {
        uint8_t puffer[sizeof(EXTLOGPEN) + 64 * sizeof(DWORD)] = {};
        if (GetObject(h, sizeof puffer, puffer) <= 0) return false;
        EXTLOGPEN e;
        std::memcpy(&e, puffer, sizeof e);
        o.stiftStil = e.elpPenStyle;
        o.stift.lopnStyle = e.elpPenStyle & PS_STYLE_MASK;
        o.stift.lopnWidth = {static_cast<LONG>(e.elpWidth), 0};
        o.stift.lopnColor = e.elpColor;
        return true;
    }
    case OBJ_BRUSH:
        if (GetObject(h, sizeof o.pinsel, &o.pinsel) <= 0) return false;
        if (o.pinsel.lbStyle == BS_PATTERN) {
            HBITMAP bm = static_cast<HBITMAP>(o.pinsel.lbHatch);
            BITMAP b{};
            if (GetObject(bm, sizeof b, &b) > 0) {
                HDC dc = CreateCompatibleDC(0);
                HGDIOBJ alt = SelectObject(dc, bm);
                metaDibAusDc(dc, 0, 0, b.bmWidth, b.bmHeight, RGB(0, 0, 0), RGB(255, 255, 255), o.musterDib);
                SelectObject(dc, alt);
                DeleteDC(dc);
            }
        }
        return true;
    case OBJ_FONT:
        return GetObject(h, sizeof o.schrift, &o.schrift) > 0;
    default:
        return o.art != 0;
    }
}

BITMAPINFO metaBmi32(int breite, int hoehe)
{
    BITMAPINFO bmi{};
    bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), breite, -hoehe, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    return bmi;
}

bool metaDibAusDc(HDC src, int xs, int ys, int ws, int hs, COLORREF text, COLORREF hinter, std::vector<uint8_t>& dib)
{
    dib.clear();
    HBITMAP bm = static_cast<HBITMAP>(GetCurrentObject(src, OBJ_BITMAP));
    BITMAP b{};
    if (!bm || GetObject(bm, sizeof b, &b) <= 0 || b.bmWidth <= 0 || b.bmHeight <= 0) return false;
    if (ws <= 0 || hs <= 0 || xs < 0 || ys < 0 || xs + ws > b.bmWidth || ys + hs > b.bmHeight) return false;
    BITMAPINFO bmi = metaBmi32(b.bmWidth, b.bmHeight);
    std::vector<uint32_t> px(static_cast<size_t>(b.bmWidth) * static_cast<size_t>(b.bmHeight));
    if (GetDIBits(src, bm, 0, static_cast<UINT>(b.bmHeight), px.data(), &bmi, DIB_RGB_COLORS) <= 0) return false;
    bool mono = b.bmBitsPixel == 1;
    plBild bild;
    bild.breite = ws;
    bild.hoehe = hs;
    bild.pixel.resize(static_cast<size_t>(ws) * static_cast<size_t>(hs));
    for (int y = 0; y < hs; ++y)
        for (int x = 0; x < ws; ++x) {
            uint32_t p = px[static_cast<size_t>(ys + y) * static_cast<size_t>(b.bmWidth) + static_cast<size_t>(xs + x)] | 0xFF000000u;
            if (mono) p = plBildPixel((p & 0xFFFFFF) ? hinter : text);
            bild.at(x, y) = p;
        }
    return plDibSchreiben(bild, 24, dib) == 0;
}

bool metaDibGroessen(const BITMAPINFO* bmi, UINT usage, size_t& kopf, size_t& bits)
{
    kopf = bits = 0;
    if (!bmi) return false;
    const BITMAPINFOHEADER& h = bmi->bmiHeader;
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biWidth <= 0 || h.biHeight == 0) return false;
    size_t farben = h.biClrUsed;
    if (h.biBitCount <= 8 && farben == 0) farben = size_t{1} << h.biBitCount;
    kopf = h.biSize + (h.biCompression == BI_BITFIELDS && h.biSize == 40 ? 12 : 0) +
           farben * (usage == DIB_PAL_COLORS ? 2 : 4);
    if (h.biCompression == BI_RLE4 || h.biCompression == BI_RLE8) {
        bits = h.biSizeImage;
    } else {
        uint64_t zeile = ((static_cast<uint64_t>(h.biWidth) * h.biBitCount + 31) / 32) * 4;
        uint64_t hoehe = h.biHeight < 0 ? -static_cast<int64_t>(h.biHeight) : h.biHeight;
        bits = static_cast<size_t>(zeile * hoehe);
    }
    return true;
}

std::vector<uint16_t> metaNach16(const char* text, size_t n)
{
    std::vector<uint16_t> v;
    v.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        uint8_t c = static_cast<uint8_t>(text[i]);
        uint16_t u = (c >= 0x80 && c < 0xA0) ? kCp1252[c - 0x80] : c;
        v.push_back(u ? u : '?');
    }
    return v;
}

std::string metaAus16(const uint16_t* text, size_t n)
{
    std::string s;
    s.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        uint16_t u = text[i];
        char c = '?';
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            c = static_cast<char>(u);
        } else {
            for (int k = 0; k < 32; ++k)
                if (kCp1252[k] == u) c = static_cast<char>(0x80 + k);
        }
        s += c;
    }
    return s;
}
