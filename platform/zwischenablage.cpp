// The clipboard; see zwischenablage.h.
//
// Invariants:
//  1. `eintraege` holds at most one entry per format, in the order the
//     formats were first set (EnumClipboardFormats walks that order).
//  2. Only the window that opened the clipboard (or a task opening with 0)
//     may change it, and only while it is open.
#include "platform/zwischenablage.h"

#include "platform/bild.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/globalmem.h"
#include "platform/metafile.h"
#include "platform/zeichen.h"

namespace {

inline constexpr UINT PL_CLIP_ERSTES_EIGENES = 0xC000;
inline constexpr size_t PL_CLIP_NAMENSUP = 0x3FFF;

struct plClipEintrag {
    UINT format;
    HANDLE daten;
    bool aussen = false;  // read from another program: valid until the clipboard closes
};

struct plClipZustand {
    bool offen = false;
    HWND oeffner = 0;
    HWND besitzer = 0;
    bool geaendert = false;
    std::vector<plClipEintrag> eintraege;
    std::vector<std::string> namen;  // registered formats, 0xC000 + index
};

plClipZustand& clip()
{
    static plClipZustand z;
    return z;
}

void clipFreigeben(const plClipEintrag& e)
{
    if (!e.daten) return;
    switch (e.format) {
    case CF_BITMAP:
    case CF_PALETTE: DeleteObject(e.daten); break;
    case CF_ENHMETAFILE: DeleteEnhMetaFile(e.daten); break;
    case CF_METAFILEPICT: {
        if (GlobalSize(e.daten) >= sizeof(METAFILEPICT)) {
            const METAFILEPICT* mp = static_cast<const METAFILEPICT*>(GlobalLock(e.daten));
            if (mp) {
                DeleteMetaFile(mp->hMF);
                GlobalUnlock(e.daten);
            }
        }
        GlobalFree(e.daten);
        break;
    }
    default: GlobalFree(e.daten); break;
    }
}

void clipAllesWeg()
{
    plClipZustand& z = clip();
    for (const plClipEintrag& e : z.eintraege) clipFreigeben(e);
    z.eintraege.clear();
}

plClipEintrag* clipSuchen(UINT format)
{
    for (plClipEintrag& e : clip().eintraege)
        if (e.format == format) return &e;
    return nullptr;
}

// The name under which a format travels to other programs; empty for
// formats that stay in the process (handles of GDI objects, file lists).
std::string clipAussenName(UINT format)
{
    if (format == CF_TEXT) return "CF_TEXT";
    if (format >= PL_CLIP_ERSTES_EIGENES && format - PL_CLIP_ERSTES_EIGENES < clip().namen.size())
        return clip().namen[format - PL_CLIP_ERSTES_EIGENES];
    return std::string();
}

bool clipNameGleich(const std::string& a, const char* b)
{
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (plZeichenGross(static_cast<unsigned char>(a[i])) != plZeichenGross(static_cast<unsigned char>(b[i])))
            return false;
    return i == a.size() && b[i] == '\0';
}

bool clipIstSpeicherFormat(UINT format)
{
    return format != CF_BITMAP && format != CF_PALETTE && format != CF_ENHMETAFILE && format != CF_METAFILEPICT;
}

// The picture of a bitmap as PNG bytes (32-bit rows read back through a DIB).
bool clipBitmapPng(HBITMAP bm, std::vector<uint8_t>& png)
{
    BITMAP b{};
    if (!GetObject(bm, sizeof b, &b) || b.bmWidth <= 0 || b.bmHeight <= 0) return false;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = b.bmWidth;
    bi.bmiHeader.biHeight = -b.bmHeight;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    plBild bild;
    bild.breite = b.bmWidth;
    bild.hoehe = b.bmHeight;
    bild.pixel.assign(static_cast<size_t>(b.bmWidth) * static_cast<size_t>(b.bmHeight), 0);
    HDC dc = CreateCompatibleDC(0);
    int zeilen = GetDIBits(dc, bm, 0, static_cast<UINT>(b.bmHeight), bild.pixel.data(), &bi, DIB_RGB_COLORS);
    DeleteDC(dc);
    if (zeilen != b.bmHeight) return false;
    for (uint32_t& px : bild.pixel) px |= 0xFF000000u;  // a DIB's fourth byte is not alpha
    return plPngSchreiben(bild, png) == 0;
}

}  // namespace

BOOL OpenClipboard(HWND owner)
{
    plClipZustand& z = clip();
    if (owner && !IsWindow(owner)) return FALSE;
    if (z.offen) return z.oeffner == owner ? TRUE : FALSE;
    z.offen = true;
    z.oeffner = owner;
    z.geaendert = false;
    // What was read from another program may have been replaced there since:
    // each opening reads it afresh.
    for (auto it = z.eintraege.begin(); it != z.eintraege.end();) {
        if (it->aussen) {
            clipFreigeben(*it);
            it = z.eintraege.erase(it);
        } else {
            ++it;
        }
    }
    return TRUE;
}

BOOL CloseClipboard()
{
    plClipZustand& z = clip();
    if (!z.offen) return FALSE;
    z.offen = false;
    if (z.geaendert) {
        for (const plClipEintrag& e : z.eintraege) {
            if (!e.daten) continue;
            if (e.format == CF_BITMAP) {
                // Other programs get a picture as PNG bytes.
                std::vector<uint8_t> png;
                if (clipBitmapPng(static_cast<HBITMAP>(e.daten), png))
                    plBeZwischenablageSchreiben("CF_BITMAP", png.data(), png.size());
                continue;
            }
            std::string name = e.format == CF_HDROP ? std::string("CF_HDROP") : clipAussenName(e.format);
            if (name.empty()) continue;
            const void* p = GlobalLock(e.daten);
            plBeZwischenablageSchreiben(name.c_str(), p, GlobalSize(e.daten));
            GlobalUnlock(e.daten);
        }
    }
    z.geaendert = false;
    z.oeffner = 0;
    return TRUE;
}

BOOL EmptyClipboard()
{
    plClipZustand& z = clip();
    if (!z.offen) return FALSE;
    clipAllesWeg();
    z.besitzer = z.oeffner;
    z.geaendert = true;
    return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE data)
{
    plClipZustand& z = clip();
    // No delayed rendering: a null handle (e.g. a failed allocation) is
    // refused and leaves the format as it was.
    if (!z.offen || format == 0 || !data) return 0;
    if (clipIstSpeicherFormat(format) && GlobalFlags(data) == GMEM_INVALID_HANDLE) return 0;
    if (plClipEintrag* e = clipSuchen(format)) {
        if (e->daten != data) clipFreigeben(*e);
        e->daten = data;
    } else {
        z.eintraege.push_back(plClipEintrag{format, data});
    }
    z.geaendert = true;
    return data;
}

HANDLE GetClipboardData(UINT format)
{
    plClipZustand& z = clip();
    if (!z.offen) return 0;
    if (plClipEintrag* e = clipSuchen(format)) return e->daten;
    std::string name = clipAussenName(format);
    if (name.empty()) return 0;
    std::vector<uint8_t> fremd;
    if (!plBeZwischenablageLesen(name.c_str(), &fremd)) return 0;
    // Text from outside must end in a NUL like every CF_TEXT block.
    if (format == CF_TEXT && (fremd.empty() || fremd.back() != 0)) fremd.push_back(0);
    HGLOBAL h = plGlobalAus(fremd.data(), fremd.size());
    if (!h) return 0;
    z.eintraege.push_back(plClipEintrag{format, h, true});
    return h;
}

BOOL IsClipboardFormatAvailable(UINT format)
{
    if (clipSuchen(format)) return TRUE;
    std::string name = clipAussenName(format);
    if (name.empty()) return FALSE;
    std::vector<uint8_t> fremd;
    return plBeZwischenablageLesen(name.c_str(), &fremd) ? TRUE : FALSE;
}

UINT RegisterClipboardFormat(LPCSTR name)
{
    plClipZustand& z = clip();
    if (!name || !*name) return 0;
    for (size_t i = 0; i < z.namen.size(); ++i)
        if (clipNameGleich(z.namen[i], name)) return static_cast<UINT>(PL_CLIP_ERSTES_EIGENES + i);
    if (z.namen.size() >= PL_CLIP_NAMENSUP) return 0;
    z.namen.emplace_back(name);
    return static_cast<UINT>(PL_CLIP_ERSTES_EIGENES + z.namen.size() - 1);
}

int GetClipboardFormatName(UINT format, LPSTR buf, int size)
{
    if (!buf || size <= 0) return 0;
    buf[0] = '\0';
    plClipZustand& z = clip();
    if (format < PL_CLIP_ERSTES_EIGENES || format - PL_CLIP_ERSTES_EIGENES >= z.namen.size()) return 0;
    const std::string& n = z.namen[format - PL_CLIP_ERSTES_EIGENES];
    size_t k = std::min(n.size(), static_cast<size_t>(size - 1));
    std::memcpy(buf, n.data(), k);
    buf[k] = '\0';
    return static_cast<int>(k);
}

UINT EnumClipboardFormats(UINT format)
{
    plClipZustand& z = clip();
    if (!z.offen) return 0;
    bool nach = format == 0;
    for (const plClipEintrag& e : z.eintraege) {
        if (nach) return e.format;
        if (e.format == format) nach = true;
    }
    return 0;
}

int CountClipboardFormats()
{
    return static_cast<int>(clip().eintraege.size());
}

HWND GetClipboardOwner()
{
    plClipZustand& z = clip();
    return IsWindow(z.besitzer) ? z.besitzer : 0;
}

HWND GetOpenClipboardWindow()
{
    plClipZustand& z = clip();
    return z.offen ? z.oeffner : 0;
}

void plClipFremd()
{
    clipAllesWeg();
    clip().besitzer = 0;
}

void plClipEnde()
{
    plClipZustand& z = clip();
    clipAllesWeg();
    z.offen = false;
    z.oeffner = 0;
    z.besitzer = 0;
    z.geaendert = false;
}
