// Bitmaps, metafiles, painting and the control commands of the window
// library. Prefix `wi` (file helpers `wbl`). The BMP-file and metafile-file
// readers are the only ones of the program: they read through the buffered
// files and the platform's bounds-checked parsers, so no size or offset
// field of a file is trusted. May call platform/, support/, the dialog
// manager, the dialog items, the message boxes and the frame record.
#include "winlib/wibild.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/bild.h"
#include "platform/bildlader.h"
#include "platform/dateisys.h"
#include "platform/dialog.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/globalmem.h"
#include "platform/kopierdaten.h"
#include "platform/metafile.h"
#include "platform/nachricht.h"
#include "platform/systemwerte.h"
#include "platform/zwischenablage.h"
#include "support/bdatei.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/meldung.h"
#include "winlib/winbib.h"

namespace {

struct WblMalen {
    HWND fenster = 0;
    HDC dc = 0;
    bool beginPaint = false;
    PAINTSTRUCT ps{};
};
WblMalen wblMalen;

HWND wblItem(int id) { return GetDlgItem(wiDlgFenster(), id); }

bool wblGroesse(HBITMAP b, int& breite, int& hoehe)
{
    BITMAP bm{};
    if (!b || GetObject(b, sizeof bm, &bm) == 0) return false;
    breite = bm.bmWidth;
    hoehe = bm.bmHeight;
    return breite > 0 && hoehe > 0;
}

// A bitmap compatible with the screen, made from a decoded picture.
HBITMAP wblAusBild(const plBild& bild)
{
    HDC schirm = GetDC(0);
    HBITMAP b = CreateCompatibleBitmap(schirm, bild.breite, bild.hoehe);
    if (b) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bi.bmiHeader.biWidth = bild.breite;
        bi.bmiHeader.biHeight = -bild.hoehe;  // top row first, as plBild keeps it
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        std::vector<uint32_t> zeilen(bild.pixel.size());
        for (size_t i = 0; i < zeilen.size(); ++i) zeilen[i] = bild.pixel[i] | 0xFF000000u;
        if (SetDIBits(schirm, b, 0, static_cast<UINT>(bild.hoehe), zeilen.data(), &bi, DIB_RGB_COLORS) == 0) {
            DeleteObject(b);
            b = 0;
        }
    }
    ReleaseDC(0, schirm);
    return b;
}

// The whole file through the buffered files, in blocks, never more than the
// file really holds (a size field inside the file is not consulted).
int wblDateiLesen(const char* pfad, std::vector<uint8_t>& daten)
{
    struct stat st;
    if (!pfad || plDsStat(pfad, &st) != 0 || !S_ISREG(st.st_mode)) return -1;
    if (st.st_size <= 0 || static_cast<uint64_t>(st.st_size) > PL_BILD_DATEISUP) return -1;
    daten.assign(static_cast<size_t>(st.st_size), 0);
    BDAT d;
    if (bdopenlesen(&d, pfad) < 0) return -1;
    size_t gelesen = 0;
    while (gelesen < daten.size()) {
        int32_t n = static_cast<int32_t>(std::min<size_t>(WIBMPBLOCKSUP, daten.size() - gelesen));
        if (bdread(&d, daten.data() + gelesen, n) != 0) break;
        gelesen += static_cast<size_t>(n);
    }
    bdclose(&d);
    if (gelesen != daten.size()) return -1;
    return 0;
}

uint32_t wblL32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }

void wblSenden(int id, const char* text)
{
    SendMessage(wblItem(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

LRESULT wblBitmapSenden(HWND sender, HWND ziel, HBITMAP bitmap)
{
    uint32_t h = bitmap;
    COPYDATASTRUCT cd{};
    cd.dwData = 1;
    cd.cbData = 4;
    cd.lpData = &h;
    return SendMessage(ziel, WM_COPYDATA, static_cast<WPARAM>(sender), reinterpret_cast<LPARAM>(&cd));
}

}  // namespace

// ---- Bitmaps ---------------------------------------------------------------------------------
HBITMAP wiBitmapTasten(HBITMAP quelle)
{
    int b = 0, h = 0;
    if (!wblGroesse(quelle, b, h)) return 0;
    HDC schirm = GetDC(0);
    HDC dcQuelle = CreateCompatibleDC(schirm);
    HDC dcMaske = CreateCompatibleDC(schirm);
    HDC dcKopie = CreateCompatibleDC(schirm);
    HDC dcZiel = CreateCompatibleDC(schirm);
    HBITMAP maske = CreateBitmap(b, h, 1, 1, nullptr);
    HBITMAP kopie = CreateCompatibleBitmap(schirm, b, h);
    HBITMAP ziel = CreateCompatibleBitmap(schirm, b, h);
    if (dcQuelle && dcMaske && dcKopie && dcZiel && maske && kopie && ziel) {
        HGDIOBJ a1 = SelectObject(dcQuelle, quelle);
        HGDIOBJ a2 = SelectObject(dcMaske, maske);
        HGDIOBJ a3 = SelectObject(dcKopie, kopie);
        HGDIOBJ a4 = SelectObject(dcZiel, ziel);
        // Mask: white where the source has the key colour.
        SetBkColor(dcQuelle, WITASTENFARBE);
        BitBlt(dcMaske, 0, 0, b, h, dcQuelle, 0, 0, SRCCOPY);
        // The source's non-key pixels: a copy with the key pixels blackened
        // through the inverted mask (mask 1 -> black, 0 -> white, ANDed).
        BitBlt(dcKopie, 0, 0, b, h, dcQuelle, 0, 0, SRCCOPY);
        SetBkColor(dcKopie, RGB(0, 0, 0));
        SetTextColor(dcKopie, RGB(255, 255, 255));
        BitBlt(dcKopie, 0, 0, b, h, dcMaske, 0, 0, SRCAND);
        // The face: button face where the mask is white, black elsewhere;
        // then the source's pixels ORed in.
        RECT r{0, 0, b, h};
        FillRect(dcZiel, &r, GetSysColorBrush(COLOR_BTNFACE));
        SetBkColor(dcZiel, RGB(255, 255, 255));
        SetTextColor(dcZiel, RGB(0, 0, 0));
        BitBlt(dcZiel, 0, 0, b, h, dcMaske, 0, 0, SRCAND);
        BitBlt(dcZiel, 0, 0, b, h, dcKopie, 0, 0, SRCPAINT);
        SelectObject(dcQuelle, a1);
        SelectObject(dcMaske, a2);
        SelectObject(dcKopie, a3);
        SelectObject(dcZiel, a4);
    } else if (ziel) {
        DeleteObject(ziel);
        ziel = 0;
    }
    if (maske) DeleteObject(maske);
    if (kopie) DeleteObject(kopie);
    if (dcQuelle) DeleteDC(dcQuelle);
    if (dcMaske) DeleteDC(dcMaske);
    if (dcKopie) DeleteDC(dcKopie);
    if (dcZiel) DeleteDC(dcZiel);
    ReleaseDC(0, schirm);
    return ziel;
}

HBITMAP wiBitmapLaden(const char* name) { return wiModulBitmapLaden(anwInstanz(), name); }

HBITMAP wiModulBitmapLaden(HMODULE modul, const char* name)
{
    HBITMAP b = LoadBitmap(modul, name);
    if (!b) return 0;
    HBITMAP r = wiBitmapTasten(b);
    DeleteObject(b);
    return r;
}

HBITMAP wiBitmapResource(const char* name) { return LoadBitmap(anwInstanz(), name); }

HBITMAP wiBitmapAusModul(HMODULE modul, const char* name) { return LoadBitmap(modul, name); }

LRESULT wiBitmapSenden(HWND fenster, HBITMAP bitmap) { return wblBitmapSenden(anwHauptfenster(), fenster, bitmap); }

LRESULT wiItemBitmap(int id, HBITMAP bitmap) { return wblBitmapSenden(wiDlgFenster(), wblItem(id), bitmap); }

void wiBitmapNameSenden(HWND fenster, const char* name)
{
    HBITMAP b = wiBitmapResource(name);
    wiBitmapSenden(fenster, b);
    if (b) DeleteObject(b);
}

void wiItemBitmapName(int id, const char* name)
{
    HBITMAP b = wiBitmapResource(name);
    wiItemBitmap(id, b);
    if (b) DeleteObject(b);
}

void wiFensterBitmapLaden(HWND fenster, const char* name)
{
    HBITMAP b = wiBitmapLaden(name);
    wiBitmapSenden(fenster, b);
    if (b) DeleteObject(b);
}

void wiItemBitmapLaden(int id, const char* name)
{
    HBITMAP b = wiBitmapLaden(name);
    wiItemBitmap(id, b);
    if (b) DeleteObject(b);
}

void wiModulBitmapSenden(HMODULE modul, HWND fenster, const char* name)
{
    HBITMAP b = wiModulBitmapLaden(modul, name);
    wiBitmapSenden(fenster, b);
    if (b) DeleteObject(b);
}

void wiModulItemBitmap(HMODULE modul, int id, const char* name)
{
    HBITMAP b = wiModulBitmapLaden(modul, name);
    wiItemBitmap(id, b);
    if (b) DeleteObject(b);
}

HBITMAP wiBitmapWeiss(int breite, int hoehe)
{
    if (breite <= 0 || hoehe <= 0) return 0;
    HDC schirm = GetDC(0);
    HBITMAP b = CreateCompatibleBitmap(schirm, breite, hoehe);
    ReleaseDC(0, schirm);
    if (b) wiBitmapFuellen(b, 0, 0, breite, hoehe, 255, 255, 255);
    return b;
}

void wiBitmapFuellen(HBITMAP bitmap, int x, int y, int b, int h, int r, int g, int bl)
{
    HDC dc = CreateCompatibleDC(0);
    if (!dc) return;
    HGDIOBJ alt = SelectObject(dc, bitmap);
    HBRUSH pinsel = CreateSolidBrush(RGB(r, g, bl));
    RECT rc{x, y, x + b, y + h};
    FillRect(dc, &rc, pinsel);
    DeleteObject(pinsel);
    SelectObject(dc, alt);
    DeleteDC(dc);
}

void wiBitmapGroesse(HBITMAP bitmap, int* breite, int* hoehe)
{
    int b = 0, h = 0;
    wblGroesse(bitmap, b, h);
    if (breite) *breite = b;
    if (hoehe) *hoehe = h;
}

void wiObjektLoeschen(HGDIOBJ objekt)
{
    if (objekt) DeleteObject(objekt);
}

HBITMAP wiBmpDateiLaden(const char* pfad)
{
    std::vector<uint8_t> d;
    if (wblDateiLesen(pfad, d) != 0) return 0;
    // File header (14) and at least an info header (40); the bits must start
    // behind the headers and inside the file.
    if (d.size() < 14 + 40 || d[0] != 'B' || d[1] != 'M') return 0;
    uint32_t kopf = wblL32(&d[14]);
    uint32_t bits = wblL32(&d[10]);
    if (kopf < 40 || kopf > d.size() - 14 || bits < 14 + kopf || bits >= d.size()) return 0;
    plBild bild;
    if (plBmpLesen(d.data(), d.size(), bild) != 0) return 0;
    return wblAusBild(bild);
}

int wiBmpDateiSchreiben(const char*, HBITMAP)
{
    wiMeldung("BMPWrite nicht implementiert.");
    return -1;
}

// ---- Metafiles ----------------------------------------------------------------------------------
void wiMetaKopf(const int box[4], uint8_t kopf[WIMETAKOPFSUP])
{
    plWmfPlatziert p;
    p.links = static_cast<int16_t>(box[0]);
    p.oben = static_cast<int16_t>(box[1]);
    p.rechts = static_cast<int16_t>(box[2]);
    p.unten = static_cast<int16_t>(box[3]);
    p.einheitenProZoll = WIMETAEINHEITEN;
    std::vector<uint8_t> k = plWmfPlatziertBauen(p);
    std::memcpy(kopf, k.data(), WIMETAKOPFSUP);
}

HGLOBAL wiMetaDateiLaden(const char* pfad, int box[4])
{
    if (box) box[0] = box[1] = box[2] = box[3] = 0;
    std::vector<uint8_t> bits;
    plWmfPlatziert kopf;
    bool platziert = false;
    if (!pfad || plWmfDateiLesen(pfad, bits, &kopf, &platziert) != 0) return 0;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bits.size());
    if (!block) return 0;
    void* p = GlobalLock(block);
    if (!p) {
        GlobalFree(block);
        return 0;
    }
    std::memcpy(p, bits.data(), bits.size());
    GlobalUnlock(block);
    if (box && platziert) {
        box[0] = kopf.links;
        box[1] = kopf.oben;
        box[2] = kopf.rechts;
        box[3] = kopf.unten;
    }
    return block;
}

int wiMetaDateiSchreiben(const char* pfad, HGLOBAL block, const int box[4])
{
    if (!pfad || !block) return -1;
    std::vector<uint8_t> d;
    if (box) {
        // The header holds 16-bit coordinates: a box beyond them would be
        // written wrapped round, so it is refused.
        for (int i = 0; i < 4; ++i)
            if (box[i] < INT16_MIN || box[i] > INT16_MAX) return -1;
        d.resize(WIMETAKOPFSUP);
        wiMetaKopf(box, d.data());
    }
    size_t n = GlobalSize(block);
    const uint8_t* p = static_cast<const uint8_t*>(GlobalLock(block));
    if (n && !p) return -1;
    if (n) d.insert(d.end(), p, p + n);
    GlobalUnlock(block);
    return plDsDateiErsetzen(pfad, d.data(), d.size()) == 0 ? 0 : -1;
}

int wiMetaDateiSchreibenMm(const char* pfad, HGLOBAL block, double breiteMm, double hoeheMm)
{
    int box[4] = {0, 0, static_cast<int>(std::lround(breiteMm * 10.0)), static_cast<int>(std::lround(hoeheMm * 10.0))};
    return wiMetaDateiSchreiben(pfad, block, box);
}

HMETAFILE wiMetaAusSpeicher(HGLOBAL block)
{
    size_t n = GlobalSize(block);
    const BYTE* p = static_cast<const BYTE*>(GlobalLock(block));
    if (!p) return 0;
    HMETAFILE mf = SetMetaFileBitsEx(static_cast<UINT>(n), p);
    GlobalUnlock(block);
    return mf;
}

void wiMetaLoeschen(HMETAFILE metafile)
{
    if (metafile) DeleteMetaFile(metafile);
}

void wiGlobalFrei(HGLOBAL block)
{
    if (block) GlobalFree(block);
}

HGLOBAL wiClipMetaHolen(int* breite, int* hoehe)
{
    if (!OpenClipboard(anwHauptfenster())) return 0;
    HGLOBAL ergebnis = 0;
    HGLOBAL h = static_cast<HGLOBAL>(GetClipboardData(CF_METAFILEPICT));
    const METAFILEPICT* mfp = h ? static_cast<const METAFILEPICT*>(GlobalLock(h)) : nullptr;
    if (mfp) {
        UINT n = GetMetaFileBitsEx(mfp->hMF, 0, nullptr);
        if (n) ergebnis = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, n);
        void* p = ergebnis ? GlobalLock(ergebnis) : nullptr;
        if (p && GetMetaFileBitsEx(mfp->hMF, n, p) == n) {
            GlobalUnlock(ergebnis);
            if (breite) *breite = mfp->xExt;
            if (hoehe) *hoehe = mfp->yExt;
        } else if (ergebnis) {
            if (p) GlobalUnlock(ergebnis);
            GlobalFree(ergebnis);
            ergebnis = 0;
        }
        GlobalUnlock(h);
    }
    CloseClipboard();
    return ergebnis;
}

// ---- Painting ----------------------------------------------------------------------------------------
HDC wiMalenStart() { return wiMalenStartFenster(wiDlgFenster(), 1); }

HDC wiMalenStartFenster(HWND fenster, int beginPaint)
{
    wblMalen = WblMalen{};
    wblMalen.fenster = fenster;
    wblMalen.beginPaint = beginPaint != 0;
    wblMalen.dc = beginPaint ? BeginPaint(fenster, &wblMalen.ps) : GetDC(fenster);
    return wblMalen.dc;
}

void wiMalenEnde()
{
    if (!wblMalen.dc) return;
    if (wblMalen.beginPaint) EndPaint(wblMalen.fenster, &wblMalen.ps);
    else ReleaseDC(wblMalen.fenster, wblMalen.dc);
    wblMalen = WblMalen{};
}

HDC wiMalenDC() { return wblMalen.dc; }

void wiDlgNeuMalen() { InvalidateRect(wiDlgFenster(), nullptr, FALSE); }

void wiItemNeuMalen(int id)
{
    HWND dlg = wiDlgFenster();
    HWND item = GetDlgItem(dlg, id);
    if (!item) return;
    RECT r{};
    GetWindowRect(item, &r);
    MapWindowPoints(0, dlg, reinterpret_cast<POINT*>(&r), 2);
    InvalidateRect(dlg, &r, FALSE);
}

void wiRahmen(int r, int g, int b, int x1, int y1, int x2, int y2)
{
    HBRUSH pinsel = CreateSolidBrush(RGB(r, g, b));
    RECT rc{x1, y1, x2 + 1, y2 + 1};
    FrameRect(wblMalen.dc, &rc, pinsel);
    DeleteObject(pinsel);
}

void wiFlaeche(int r, int g, int b, int x1, int y1, int x2, int y2)
{
    HBRUSH pinsel = CreateSolidBrush(RGB(r, g, b));
    RECT rc{x1, y1, x2 + 1, y2 + 1};
    FillRect(wblMalen.dc, &rc, pinsel);
    DeleteObject(pinsel);
}

void wiTextBild(int r, int g, int b, int x, int y, int w, int h, const char* text, const char* schrift, int hoehe)
{
    if (!text) return;
    HDC mem = CreateCompatibleDC(wblMalen.dc);
    HFONT font = wiFontEinfach(hoehe, schrift);
    HGDIOBJ altFont = SelectObject(mem, font);
    SIZE sz{0, 0};
    int n = static_cast<int>(std::strlen(text));
    GetTextExtentPoint32(mem, text, n, &sz);
    HBITMAP bild = wiBitmapWeiss(sz.cx > 0 ? sz.cx : 1, sz.cy > 0 ? sz.cy : 1);
    HGDIOBJ altBild = SelectObject(mem, bild);
    SetTextColor(mem, RGB(r, g, b));
    SetBkMode(mem, TRANSPARENT);
    TextOut(mem, 0, 0, text, n);
    BitBlt(wblMalen.dc, x, y, w, h, mem, 0, 0, SRCCOPY);
    SelectObject(mem, altBild);
    SelectObject(mem, altFont);
    DeleteObject(bild);
    DeleteObject(font);
    DeleteDC(mem);
}

void wiBmpDateiMalen(int x, int y, int w, int h, const char* pfad)
{
    HBITMAP b = wiBmpDateiLaden(pfad);
    if (!b) return;
    wiBitmapMalen(x, y, w, h, b);
    DeleteObject(b);
}

void wiBitmapMalen(int x, int y, int w, int h, HBITMAP bitmap)
{
    int bb = 0, bh = 0;
    if (!wblGroesse(bitmap, bb, bh)) return;
    HDC mem = CreateCompatibleDC(wblMalen.dc);
    HGDIOBJ alt = SelectObject(mem, bitmap);
    SetStretchBltMode(wblMalen.dc, COLORONCOLOR);
    StretchBlt(wblMalen.dc, x, y, w, h, mem, 0, 0, bb, bh, SRCCOPY);
    SelectObject(mem, alt);
    DeleteDC(mem);
}

void wiMetaDateiMalen(int x, int y, int w, int h, const char* pfad)
{
    int box[4];
    HGLOBAL block = wiMetaDateiLaden(pfad, box);
    if (!block) return;
    HMETAFILE mf = wiMetaAusSpeicher(block);
    if (mf) {
        HDC dc = wblMalen.dc;
        int gesichert = SaveDC(dc);
        SetMapMode(dc, MM_ANISOTROPIC);
        if (box[2] != box[0] && box[3] != box[1]) {
            SetWindowOrgEx(dc, box[0], box[1], nullptr);
            SetWindowExtEx(dc, box[2] - box[0], box[3] - box[1], nullptr);
        }
        SetViewportOrgEx(dc, x, y, nullptr);
        SetViewportExtEx(dc, w, h, nullptr);
        PlayMetaFile(dc, mf);
        RestoreDC(dc, gesichert);
        DeleteMetaFile(mf);
    }
    GlobalFree(block);
}

// ---- Escape commands -------------------------------------------------------------------------------------
void wiItemBitmapBefehl(int id, const char* name)
{
    char t[WIBEFEHLSUP];
    std::snprintf(t, sizeof t, "%cB %s", 27, name ? name : "");
    wblSenden(id, t);
}

void wiItemVordergrund(int id, int r, int g, int b)
{
    char t[WIBEFEHLSUP];
    std::snprintf(t, sizeof t, "%cV %d %d %d", 27, r, g, b);
    wblSenden(id, t);
}

void wiItemVordergrundRGB(int id, const int rgb[3]) { wiItemVordergrund(id, rgb[0], rgb[1], rgb[2]); }

void wiItemHintergrund(int id, int r, int g, int b)
{
    char t[WIBEFEHLSUP];
    std::snprintf(t, sizeof t, "%cH %d %d %d", 27, r, g, b);
    wblSenden(id, t);
}

void wiItemMarkFarbe(int id, const int rgb[3]) { wiItemHintergrund(id, rgb[0], rgb[1], rgb[2]); }

void wiItemHintergrundKnopf(int id)
{
    COLORREF c = GetSysColor(COLOR_BTNFACE);
    wiItemHintergrund(id, GetRValue(c), GetGValue(c), GetBValue(c));
}

void wiItemStil(int id, int n)
{
    char t[WIBEFEHLSUP];
    std::snprintf(t, sizeof t, "%cS %d", 27, n);
    wblSenden(id, t);
}

void wiItemArt(int id, char art)
{
    char t[WIBEFEHLSUP];
    std::snprintf(t, sizeof t, "%cT %c", 27, art);
    wblSenden(id, t);
}

void wiItemMaske(int id, const char* maske)
{
    char t[WIBEFEHLSUP];
    std::snprintf(t, sizeof t, "%cT F%s", 27, maske ? maske : "");
    wblSenden(id, t);
}
