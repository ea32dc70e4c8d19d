// Pictures: the input through every reader of bytes (BMP, packed DIB, PNG,
// ICO/CUR, the sniffing reader), as a bitmap, icon and cursor resource
// loaded and drawn into a memory DC, and as BMP, JPEG and PNG file of the
// raster library (info, then load into an image of that size).
#include <string>
#include <vector>

#include "platform/bild.h"
#include "platform/bildlader.h"
#include "platform/gdi.h"
#include "platform/rasterbib.h"
#include "tests/fuzz/fuzzhilfe.h"

namespace {

const HINSTANCE MODUL = static_cast<HINSTANCE>(0x7F00);

void zeichnen(HBITMAP bm, HICON icon)
{
    HDC dc = CreateCompatibleDC(0);
    HBITMAP ziel = CreateCompatibleBitmap(dc, 32, 32);
    HGDIOBJ alt = SelectObject(dc, ziel);
    if (bm) {
        HDC quelle = CreateCompatibleDC(0);
        HGDIOBJ a2 = SelectObject(quelle, bm);
        BitBlt(dc, 0, 0, 32, 32, quelle, 0, 0, SRCCOPY);
        SelectObject(quelle, a2);
        DeleteDC(quelle);
    }
    if (icon) DrawIconEx(dc, 0, 0, icon, 16, 16, 0, 0, DI_NORMAL);
    SelectObject(dc, alt);
    DeleteObject(ziel);
    DeleteDC(dc);
}

void raster(const std::string& pfad, int (*info)(const char*, imginfo*), int (*laden)(const char*, imgdes*))
{
    imginfo i;
    if (info(pfad.c_str(), &i) != RB_OK) return;
    imgdes img;
    if (allocimage(&img, i.width, i.height, i.bpp) != RB_OK) return;
    laden(pfad.c_str(), &img);
    freeimage(&img);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    fz::ordner();
    plBild b;
    plBmpLesen(d, n, b);
    plDibGepacktLesen(d, n, b);
    plPngLesen(d, n, b);
    plBildLesen(d, n, b);
    int hx = 0, hy = 0;
    plIcoLesen(d, n, 0, b, hx, hy);
    plIcoLesen(d, n, 16, b, hx, hy);
    if (n >= 4) plDibKopfGroesse(d, n);

    std::vector<uint8_t> bytes(d, d + n);
    plBildRessourceAnmelden(MODUL, "FUZZ", IMAGE_BITMAP, bytes);
    plBildRessourceAnmelden(MODUL, "FUZZ", IMAGE_ICON, bytes);
    plBildRessourceAnmelden(MODUL, "FUZZ", IMAGE_CURSOR, bytes);
    HBITMAP bm = LoadBitmap(MODUL, "FUZZ");
    HICON icon = LoadIcon(MODUL, "FUZZ");
    HCURSOR cursor = LoadCursor(MODUL, "FUZZ");
    zeichnen(bm, icon);
    if (bm) DeleteObject(bm);
    if (icon) DestroyIcon(icon);
    if (cursor) DestroyIcon(cursor);
    plBildRessourcenLeeren();

    rasterbibLaden();
    raster(fz::datei("FUZZ.BMP", d, n), bmpinfo, loadbmp);
    raster(fz::datei("FUZZ.JPG", d, n), jpeginfo, loadjpg);
    raster(fz::datei("FUZZ.PNG", d, n), pnginfo, loadpng);
    rasterbibFreigeben();
    fz::leeren();
    return 0;
}
