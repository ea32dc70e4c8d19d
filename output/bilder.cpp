// Picture files of drawings (see bilder.h). Metafiles are played through
// the platform's players with a window-to-viewport mapping that fits the
// picture into the box; raster files go through the raster image library and
// StretchDIBits. Every function frees what it made on every path.
//
// Turns of metafiles: a quarter turn (900, 1800, 2700) turns the picture
// about its own centre into the box, fitted with the turned picture's aspect,
// exactly as raster images are placed; any other angle turns the picture
// about its top-left corner, which stays at the box's top-left.
#include "output/bilder.h"

#include <fcntl.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "output/gdi.h"
#include "platform/dateisys.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/globalmem.h"
#include "platform/metafile.h"
#include "platform/metafile_format.h"
#include "support/pfade.h"
#include "winlib/anwdaten.h"

namespace {

constexpr double BLD_PI = 3.14159265358979323846;

// ASCII comparison ignoring case (the extensions are plain ASCII).
bool bldGleich(const char* a, const char* b)
{
    for (; *a && *b; ++a, ++b) {
        char x = (*a >= 'A' && *a <= 'Z') ? static_cast<char>(*a - 'A' + 'a') : *a;
        char y = (*b >= 'A' && *b <= 'Z') ? static_cast<char>(*b - 'A' + 'a') : *b;
        if (x != y) return false;
    }
    return *a == *b;
}

bool bldViertel(int drehung) { return drehung == 900 || drehung == 1800 || drehung == 2700; }

void bldBox(int box[4], int x1, int y1, int x2, int y2)
{
    box[0] = x1, box[1] = y1, box[2] = x2, box[3] = y2;
}

// Maps a picture whose logical rectangle starts at (l, t) and is w x h
// (both > 0) into the box, turned. The DC is saved by the caller and already
// in MM_ANISOTROPIC. `fenster`: also set the window (the enhanced metafile;
// a Windows metafile sets its own window in its records).
void bldMetaAbbilden(HDC dc, const int box[4], int drehung, double l, double t, int w, int h, bool fenster)
{
    drehung %= 3600;
    if (drehung < 0) drehung += 3600;
    int b[4] = {box[0], box[1], box[2], box[3]};
    bool quer = drehung == 900 || drehung == 2700;
    if (quer)
        BildEinpassen(b, h, w);
    else
        BildEinpassen(b, w, h);
    if (fenster) {
        SetWindowOrgEx(dc, static_cast<int>(l), static_cast<int>(t), nullptr);
        SetWindowExtEx(dc, w, h, nullptr);
    }
    int bw = b[2] - b[0], bh = b[3] - b[1];
    if (drehung == 0) {
        SetViewportOrgEx(dc, b[0], b[1], nullptr);
        SetViewportExtEx(dc, bw, bh, nullptr);
        return;
    }
    // The matrix of the angle -turn turns counter-clockwise on a y-down page.
    double a = -drehung * BLD_PI / 1800.0;
    double c = std::cos(a), s = std::sin(a);
    if (bldViertel(drehung)) c = std::round(c), s = std::round(s);
    double px = l, py = t;                 // the point that stays
    int pw = quer ? bh : bw, ph = quer ? bw : bh;  // unturned picture in pixels
    if (bldViertel(drehung)) {
        px = l + w / 2.0, py = t + h / 2.0;
        SetViewportOrgEx(dc, b[0] + (bw - pw) / 2, b[1] + (bh - ph) / 2, nullptr);
    } else {
        SetViewportOrgEx(dc, b[0], b[1], nullptr);
    }
    SetViewportExtEx(dc, pw, ph, nullptr);
    SetGraphicsMode(dc, GM_ADVANCED);
    XFORM x;
    x.eM11 = static_cast<FLOAT>(c);
    x.eM12 = static_cast<FLOAT>(s);
    x.eM21 = static_cast<FLOAT>(-s);
    x.eM22 = static_cast<FLOAT>(c);
    x.eDx = static_cast<FLOAT>(px - (px * c - py * s));
    x.eDy = static_cast<FLOAT>(py - (px * s + py * c));
    SetWorldTransform(dc, &x);
}

// Common set-up of a metafile play: saved state, anisotropic mapping, text
// alignment left-top, COLORONCOLOR.
int bldMetaBeginn(HDC dc)
{
    int gesichert = SaveDC(dc);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetTextAlign(dc, 0);
    SetStretchBltMode(dc, COLORONCOLOR);
    return gesichert;
}

using BldInfo = int (*)(const char*, imginfo*);
using BldLaden = int (*)(const char*, imgdes*);

int bldRasterZeichnen(HDC dc, const char* datei, const int box[4], int drehung, BldInfo info, BldLaden laden)
{
    imginfo i;
    if (!dc || !datei || info(datei, &i) != 0) return -1;
    imgdes bild;
    if (allocimage(&bild, i.width, i.height, i.bpp) != 0) return -1;
    if (laden(datei, &bild) != 0) {
        freeimage(&bild);
        return -1;
    }
    RasterZeichnen(dc, box, drehung, &bild, i.width, i.height, i.bpp);
    freeimage(&bild);
    return 0;
}

// Plays a metafile into a w x h memory DC whose bitmap is already selected
// and filled white.
void bldMetaSpielen(HDC dc, HMETAFILE metafile, int breite, int hoehe)
{
    int gesichert = bldMetaBeginn(dc);
    SetViewportOrgEx(dc, 0, 0, nullptr);
    SetViewportExtEx(dc, breite, hoehe, nullptr);
    PlayMetaFile(dc, metafile);
    RestoreDC(dc, gesichert);
}

// The image's bitmap drawn into by a metafile: 0, or -1.
int bldMetaInsBild(imgdes& bild, HMETAFILE metafile, int breite, int hoehe)
{
    HDC dc = CreateCompatibleDC(0);
    if (!dc) return -1;
    HGDIOBJ alt = SelectObject(dc, bild.hBitmap);
    if (!alt) {
        DeleteDC(dc);
        return -1;
    }
    RECT r = {0, 0, breite, hoehe};
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    bldMetaSpielen(dc, metafile, breite, hoehe);
    GdiFlush();
    SelectObject(dc, alt);
    DeleteDC(dc);
    return 0;
}

}  // namespace

// ---- The library --------------------------------------------------------------------------------

void BildBibLaden() { rasterbibLaden(); }
void BildBibFreigeben() { rasterbibFreigeben(); }
void BildBibFrei() { BildBibFreigeben(); }

// ---- Drawing ----------------------------------------------------------------------------------------

void BildZeichnen(int x1, int y1, int x2, int y2, int drehung, const char* datei)
{
    char endung[8];
    if (!datei) return;
    endungholen(endung, datei);
    if (bldGleich(endung, "wmf"))
        WmfZeichnen(x1, y1, x2, y2, drehung, datei);
    else if (bldGleich(endung, "emf"))
        EmfZeichnen(x1, y1, x2, y2, drehung, datei);
    else if (bldGleich(endung, "jpg"))
        JpgZeichnen(x1, y1, x2, y2, drehung, datei);
    else if (bldGleich(endung, "png"))
        PngZeichnen(x1, y1, x2, y2, drehung, datei);
    else if (bldGleich(endung, "bmp"))
        BmpZeichnen(x1, y1, x2, y2, drehung, datei);
}

void WmfZeichnen(int x1, int y1, int x2, int y2, int drehung, const char* datei)
{
    int box[4];
    bldBox(box, x1, y1, x2, y2);
    WmfZeichnenDC(GdiDC(), box, drehung, datei);
}

void EmfZeichnen(int x1, int y1, int x2, int y2, int drehung, const char* datei)
{
    int box[4];
    bldBox(box, x1, y1, x2, y2);
    EmfZeichnenDC(GdiDC(), box, drehung, datei);
}

void JpgZeichnen(int x1, int y1, int x2, int y2, int drehung, const char* datei)
{
    int box[4];
    bldBox(box, x1, y1, x2, y2);
    RasterJpgZeichnen(GdiDC(), datei, box, drehung);
}

void PngZeichnen(int x1, int y1, int x2, int y2, int drehung, const char* datei)
{
    int box[4];
    bldBox(box, x1, y1, x2, y2);
    RasterPngZeichnen(GdiDC(), datei, box, drehung);
}

void BmpZeichnen(int x1, int y1, int x2, int y2, int drehung, const char* datei)
{
    int box[4];
    bldBox(box, x1, y1, x2, y2);
    RasterBmpZeichnen(GdiDC(), datei, box, drehung);
}

void WmfZeichnenDC(HDC dc, const int box[4], int drehung, const char* datei)
{
    // Only a placeable file is drawn: without its header box there is no size.
    std::vector<uint8_t> bits;
    plWmfPlatziert kopf;
    bool platziert = false;
    if (!dc || !datei || plWmfDateiLesen(datei, bits, &kopf, &platziert) != 0 || !platziert) return;
    HMETAFILE mf = SetMetaFileBitsEx(static_cast<UINT>(bits.size()), bits.data());
    if (!mf) return;
    int w = std::abs(kopf.rechts - kopf.links), h = std::abs(kopf.unten - kopf.oben);
    int gesichert = bldMetaBeginn(dc);
    bldMetaAbbilden(dc, box, drehung, kopf.links, kopf.oben, w ? w : 1, h ? h : 1, false);
    PlayMetaFile(dc, mf);
    DeleteMetaFile(mf);
    RestoreDC(dc, gesichert);
}

void EmfZeichnenDC(HDC dc, const int box[4], int drehung, const char* datei)
{
    if (!dc || !datei) return;
    HENHMETAFILE emf = GetEnhMetaFile(datei);
    if (!emf) return;
    ENHMETAHEADER k;
    std::memset(&k, 0, sizeof k);
    if (GetEnhMetaFileHeader(emf, sizeof k, &k) == 0) {
        DeleteEnhMetaFile(emf);
        return;
    }
    const RECTL& g = k.rclBounds;
    int w = g.right - g.left, h = g.bottom - g.top;
    int gesichert = bldMetaBeginn(dc);
    bldMetaAbbilden(dc, box, drehung, g.left, g.top, w ? w : 1, h ? h : 1, true);
    RECT r = {g.left, g.top, g.right, g.bottom};
    PlayEnhMetaFile(dc, emf, &r);
    DeleteEnhMetaFile(emf);
    RestoreDC(dc, gesichert);
}

int RasterJpgZeichnen(HDC dc, const char* datei, const int box[4], int drehung)
{
    return bldRasterZeichnen(dc, datei, box, drehung, jpeginfo, loadjpg);
}

int RasterPngZeichnen(HDC dc, const char* datei, const int box[4], int drehung)
{
    return bldRasterZeichnen(dc, datei, box, drehung, pnginfo, loadpng);
}

int RasterBmpZeichnen(HDC dc, const char* datei, const int box[4], int drehung)
{
    return bldRasterZeichnen(dc, datei, box, drehung, bmpinfo, loadbmp);
}

void RasterZeichnen(HDC dc, const int box[4], int drehung, imgdes* bild, int breite, int hoehe, int bits)
{
    (void)bits;  // a turned copy takes the loaded image's own bit count
    if (!bild || !bild->bmh) return;
    if (drehung == 900 || drehung == 2700) {
        imgdes neu;
        if (allocimage(&neu, hoehe, breite, bild->bits) != 0) return;
        if (rotate90(drehung == 900 ? 1 : 0, bild, &neu) != 0) {
            freeimage(&neu);
            return;
        }
        freeimage(bild);
        *bild = neu;
        std::swap(breite, hoehe);
    }
    int b[4] = {box[0], box[1], box[2], box[3]};
    BildEinpassen(b, breite, hoehe);
    SetStretchBltMode(dc, COLORONCOLOR);
    int xs = bild->stx, ys = bild->bmh->biHeight - bild->endy - 1;
    int ws = bild->endx - bild->stx + 1, hs = bild->endy - bild->sty + 1;
    const BITMAPINFO* bmi = reinterpret_cast<const BITMAPINFO*>(bild->bmh);
    if (drehung == 1800)
        StretchDIBits(dc, b[2], b[3], b[0] - b[2], b[1] - b[3], xs, ys, ws, hs, bild->ibuff, bmi, DIB_RGB_COLORS,
                      SRCCOPY);
    else
        StretchDIBits(dc, b[0], b[1], b[2] - b[0], b[3] - b[1], xs, ys, ws, hs, bild->ibuff, bmi, DIB_RGB_COLORS,
                      SRCCOPY);
}

// ---- Aspect fit -----------------------------------------------------------------------------------

void BildEinpassenD(double box[4], double breite, double hoehe)
{
    if (box[0] > box[2]) std::swap(box[0], box[2]);
    if (box[1] > box[3]) std::swap(box[1], box[3]);
    double bw = box[2] - box[0], bh = box[3] - box[1];
    double a = bh != 0 ? bw / bh : 1.0;
    double r = hoehe != 0 ? breite / hoehe : 1.0;
    if (a < 0.1) a = 1.0;
    if (r < 0.1) r = 1.0;
    if (r < a) {
        double m = (bw - r * bh) * 0.5;
        box[0] += m, box[2] -= m;
    } else if (r > a) {
        double m = (bh - bw / r) * 0.5;
        box[1] += m, box[3] -= m;
    }
}

void BildEinpassen(int box[4], int breite, int hoehe)
{
    if (box[0] > box[2]) std::swap(box[0], box[2]);
    if (box[1] > box[3]) std::swap(box[1], box[3]);
    // Sizes in double: the difference of two far-apart ints would overflow.
    double bw = static_cast<double>(box[2]) - box[0], bh = static_cast<double>(box[3]) - box[1];
    double a = bh != 0 ? bw / bh : 1.0;
    double r = hoehe != 0 ? static_cast<double>(breite) / hoehe : 1.0;
    if (a < 0.1) a = 1.0;
    if (r < 0.1) r = 1.0;
    if (r < a) {
        int m = static_cast<int>((bw - r * bh) * 0.5);
        box[0] += m, box[2] -= m;
    } else if (r > a) {
        int m = static_cast<int>((bh - bw / r) * 0.5);
        box[1] += m, box[3] -= m;
    }
}

// ---- Sizes -----------------------------------------------------------------------------------------

int BildGroesse(const char* datei, int art, int* breite, int* hoehe)
{
    *breite = *hoehe = 0;
    imginfo i;
    int e = -1;
    if (datei) {
        if (art == BILD_PNG)
            e = pnginfo(datei, &i);
        else if (art == BILD_BMP)
            e = bmpinfo(datei, &i);
        else if (art == BILD_JPG)
            e = jpeginfo(datei, &i);
    }
    if (e != 0) return -1;
    *breite = i.width, *hoehe = i.height;
    return 0;
}

int EmfGroesse(const char* datei, double* breite, double* hoehe)
{
    *breite = *hoehe = 0;
    HENHMETAFILE emf = datei ? GetEnhMetaFile(datei) : 0;
    if (!emf) return -1;
    ENHMETAHEADER k;
    std::memset(&k, 0, sizeof k);
    UINT n = GetEnhMetaFileHeader(emf, sizeof k, &k);
    DeleteEnhMetaFile(emf);
    if (n == 0) return -1;
    *breite = (static_cast<double>(k.rclFrame.right) - k.rclFrame.left) / 100.0;
    *hoehe = (static_cast<double>(k.rclFrame.bottom) - k.rclFrame.top) / 100.0;
    return 0;
}

int WmfGroesse(const char* datei, double* breite, double* hoehe)
{
    *breite = *hoehe = 0;
    if (!datei) return -1;
    int fd = plDsOeffnen(datei, O_RDONLY);
    if (fd < 0) return -1;
    uint8_t kopf[PL_WMF_PLATZIERT_GROESSE];
    size_t gelesen = 0;
    while (gelesen < sizeof kopf) {
        ssize_t n = plDsLesen(fd, kopf + gelesen, sizeof kopf - gelesen);
        if (n <= 0) break;
        gelesen += static_cast<size_t>(n);
    }
    plDsSchliessen(fd);
    // A file cut inside the header has no box to read.
    plWmfPlatziert p;
    if (plWmfPlatziertLesen(kopf, gelesen, p) != 0) return -1;
    double w = static_cast<double>(p.rechts) - p.links, h = static_cast<double>(p.unten) - p.oben;
    if (p.einheitenProZoll != 0) {
        *breite = w * 25.4 / p.einheitenProZoll;
        *hoehe = h * 25.4 / p.einheitenProZoll;
    } else {
        *breite = w / 10.0;
        *hoehe = h / 10.0;
    }
    return 0;
}

// ---- Conversions -----------------------------------------------------------------------------------

namespace {

// A PNG of the metafile: drawn into one bitmap on white and encoded
// straight from that bitmap's pixels, the same bytes as through an image of
// the raster library, without a copy of the page in between.
int bldMetaPng(const char* ziel, HMETAFILE metafile, int breite, int hoehe)
{
    if (breite <= 0 || hoehe <= 0) return -1;
    HDC dc = CreateCompatibleDC(0);
    if (!dc) return -1;
    HBITMAP bm = CreateBitmap(breite, hoehe, 1, 32, nullptr);
    HGDIOBJ alt = bm ? SelectObject(dc, bm) : 0;
    if (!alt) {
        if (bm) DeleteObject(bm);
        DeleteDC(dc);
        return -1;
    }
    RECT r = {0, 0, breite, hoehe};
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    bldMetaSpielen(dc, metafile, breite, hoehe);
    SelectObject(dc, alt);
    DeleteDC(dc);
    const int e = savepngbitmap(ziel, bm);
    DeleteObject(bm);
    return e == 0 ? 0 : -1;
}

}  // namespace

int MetaBildSpeichern(const char* ziel, HMETAFILE metafile, int art, int breite, int hoehe)
{
    if (!ziel || !metafile) return -1;
    if (art != BILD_BMP && art != BILD_JPG) return bldMetaPng(ziel, metafile, breite, hoehe);
    imgdes bild;
    if (allocimage(&bild, breite, hoehe, 24) != 0) return -1;
    int e = bldMetaInsBild(bild, metafile, breite, hoehe);
    if (e == 0) {
        if (art == BILD_BMP) {
            imgdes pal;
            e = allocimage(&pal, breite, hoehe, 8);
            if (e == 0) {
                e = convertrgbtopal(256, &bild, &pal);
                if (e == 0) e = savebmp(ziel, &pal, 1);
                freeimage(&pal);
            }
        } else if (art == BILD_JPG) {
            e = savejpg(ziel, &bild, BILD_JPGQUALITAET);
        } else {
            e = savepng(ziel, &bild, 0);
        }
    }
    freeimage(&bild);
    return e == 0 ? 0 : -1;
}

int BildBmpNachPng(const char* quelle, const char* ziel, int groessteSeite)
{
    imginfo i;
    if (!quelle || !ziel || bmpinfo(quelle, &i) != 0) return 0;
    imgdes bild;
    if (allocimage(&bild, i.width, i.height, i.bpp) != 0) return 0;
    if (loadbmp(quelle, &bild) != 0) {
        freeimage(&bild);
        return 0;
    }
    int64_t w = bild.endx - bild.stx + 1, h = bild.endy - bild.sty + 1;
    int64_t l = groessteSeite;
    if (l > 0 && (w > l || h > l)) {
        int64_t nw = l, nh = l;
        if (w < h)
            nw = l * w / h;
        else if (w > h)
            nh = l * h / w;
        // A very thin picture keeps at least one pixel across.
        if (nw < 1) nw = 1;
        if (nh < 1) nh = 1;
        imgdes neu;
        if (allocimage(&neu, static_cast<int>(nw), static_cast<int>(nh), bild.bits) != 0) {
            freeimage(&bild);
            return 0;
        }
        if (resize(&bild, &neu) != 0) {
            freeimage(&neu);
            freeimage(&bild);
            return 0;
        }
        freeimage(&bild);
        bild = neu;
    }
    int e = savepng(ziel, &bild, 0);
    freeimage(&bild);
    return e == 0 ? 1 : 0;
}

HBITMAP MetaZuBitmap(HMETAFILE metafile, int breite, int hoehe)
{
    if (!metafile || breite <= 0 || hoehe <= 0) return 0;
    HWND haupt = anwHauptfenster();
    HDC fenster = GetDC(haupt);
    HDC dc = CreateCompatibleDC(fenster);
    HBITMAP bm = dc ? CreateCompatibleBitmap(fenster ? fenster : dc, breite, hoehe) : 0;
    HGDIOBJ alt = bm ? SelectObject(dc, bm) : 0;
    if (alt) {
        PatBlt(dc, 0, 0, breite, hoehe, WHITENESS);
        bldMetaSpielen(dc, metafile, breite, hoehe);
        SelectObject(dc, alt);
    } else if (bm) {
        DeleteObject(bm);
        bm = 0;
    }
    if (dc) DeleteDC(dc);
    if (fenster) ReleaseDC(haupt, fenster);
    return bm;
}

// ---- Metafile files ---------------------------------------------------------------------------------

int MetaDateiSchreiben(const char* datei, HGLOBAL block, const int box[4], int einheitenProZoll)
{
    if (!datei || !block) return -1;
    plWmfPlatziert kopf;
    if (box) {
        // The header holds 16-bit fields: larger values would be written
        // wrapped round, so they are refused.
        for (int i = 0; i < 4; ++i)
            if (box[i] < INT16_MIN || box[i] > INT16_MAX) return -1;
        if (einheitenProZoll < 0 || einheitenProZoll > UINT16_MAX) return -1;
        kopf.links = static_cast<int16_t>(box[0]);
        kopf.oben = static_cast<int16_t>(box[1]);
        kopf.rechts = static_cast<int16_t>(box[2]);
        kopf.unten = static_cast<int16_t>(box[3]);
        kopf.einheitenProZoll = static_cast<uint16_t>(einheitenProZoll);
    }
    size_t n = GlobalSize(block);
    const uint8_t* p = n ? static_cast<const uint8_t*>(GlobalLock(block)) : nullptr;
    if (n && !p) return -1;
    int e = plWmfDateiSchreiben(datei, p, n, box ? &kopf : nullptr);
    if (p) GlobalUnlock(block);
    return e == 0 ? 0 : -1;
}

int MetaDateiSchreibenBox(const char* datei, HGLOBAL block, int breite, int hoehe, int einheitenProZoll)
{
    const int box[4] = {0, 0, breite, hoehe};
    return MetaDateiSchreiben(datei, block, box, einheitenProZoll);
}

void BildSpeicherFrei(HGLOBAL block)
{
    if (block) GlobalFree(block);
}
