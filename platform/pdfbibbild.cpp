// Images and whole files of the PDF library (prefix `pdfbib`): reading a
// file through the file-system boundary, and PNG, BMP (platform/bild.h) and
// JPEG (libjpeg) files into Cairo image surfaces. A JPEG keeps its bytes as
// the surface's MIME data, so Cairo embeds it as it is.
// May call: platform/pdfbibint.h, platform/dateisys.h, platform/bild.h,
// libjpeg, Cairo.
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>

#include "platform/bild.h"
#include "platform/dateisys.h"
#include "platform/pdfbibint.h"

#include <fcntl.h>

PdfbibBild::~PdfbibBild()
{
    if (flaeche) cairo_surface_destroy(flaeche);
}

int pdfbibDateiLesen(const std::string& pfadCp1252, std::string& daten, size_t max)
{
    daten.clear();
    int fd = plDsOeffnen(pfadCp1252.c_str(), O_RDONLY);
    if (fd < 0) return -1;
    char puffer[65536];
    int rc = 0;
    for (;;) {
        ssize_t n = plDsLesen(fd, puffer, sizeof puffer);
        if (n < 0 || daten.size() + static_cast<size_t>(n) > max) {
            rc = -1;
            break;
        }
        if (n == 0) break;
        daten.append(puffer, static_cast<size_t>(n));
    }
    if (plDsSchliessen(fd) != 0) rc = -1;
    if (rc != 0) daten.clear();
    return rc;
}

namespace {

struct PdfbibJpegFehler {
    jpeg_error_mgr mgr;
    jmp_buf sprung;
};

void pdfbibJpegAbbruch(j_common_ptr info)
{
    longjmp(reinterpret_cast<PdfbibJpegFehler*>(info->err)->sprung, 1);
}
void pdfbibJpegMeldung(j_common_ptr) {}  // warnings are not printed

// Decodes a JPEG into `px` (0xFFRRGGBB rows); false for anything libjpeg
// refuses. Only trivially destructible objects live between setjmp and a jump.
bool pdfbibJpegLesen(const std::string& daten, uint32_t*& px, int& b, int& h)
{
    jpeg_decompress_struct info;
    PdfbibJpegFehler fehler;
    info.err = jpeg_std_error(&fehler.mgr);
    fehler.mgr.error_exit = pdfbibJpegAbbruch;
    fehler.mgr.output_message = pdfbibJpegMeldung;
    px = nullptr;
    unsigned char* volatile zeile = nullptr;
    if (setjmp(fehler.sprung)) {
        jpeg_destroy_decompress(&info);
        std::free(px);
        std::free(zeile);
        px = nullptr;
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(daten.data()), static_cast<unsigned long>(daten.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    b = static_cast<int>(info.output_width);
    h = static_cast<int>(info.output_height);
    if (b <= 0 || h <= 0 || b > PL_BILD_KANTESUP || h > PL_BILD_KANTESUP ||
        static_cast<uint64_t>(b) * static_cast<uint64_t>(h) > PL_BILD_PIXELSUP || info.output_components != 3) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    px = static_cast<uint32_t*>(std::malloc(static_cast<size_t>(b) * static_cast<size_t>(h) * 4));
    zeile = static_cast<unsigned char*>(std::malloc(static_cast<size_t>(b) * 3));
    if (!px || !zeile) {
        jpeg_destroy_decompress(&info);
        std::free(px);
        std::free(zeile);
        px = nullptr;
        return false;
    }
    while (info.output_scanline < info.output_height) {
        uint32_t* ziel = px + static_cast<size_t>(info.output_scanline) * static_cast<size_t>(b);
        JSAMPROW z = zeile;
        jpeg_read_scanlines(&info, &z, 1);
        for (int x = 0; x < b; ++x)
            ziel[x] = 0xFF000000u | (uint32_t{zeile[3 * x]} << 16) | (uint32_t{zeile[3 * x + 1]} << 8) | zeile[3 * x + 2];
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::free(zeile);
    return true;
}

// A Cairo ARGB32 surface holding a copy of `px` (premultiplied rows).
cairo_surface_t* pdfbibFlaeche(const uint32_t* px, int b, int h)
{
    cairo_surface_t* f = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, b, h);
    if (cairo_surface_status(f) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(f);
        return nullptr;
    }
    cairo_surface_flush(f);
    unsigned char* ziel = cairo_image_surface_get_data(f);
    int stride = cairo_image_surface_get_stride(f);
    for (int y = 0; y < h; ++y)
        std::memcpy(ziel + static_cast<ptrdiff_t>(y) * stride, px + static_cast<size_t>(y) * static_cast<size_t>(b),
                    static_cast<size_t>(b) * 4);
    cairo_surface_mark_dirty(f);
    return f;
}

}  // namespace

std::shared_ptr<PdfbibBild> pdfbibBildLaden(const std::string& pfadCp1252, int* fehler)
{
    std::string daten;
    if (pdfbibDateiLesen(pfadCp1252, daten, size_t{256} << 20) != 0) {
        *fehler = DPL_E_DATEI;
        return nullptr;
    }
    auto bild = std::make_shared<PdfbibBild>();
    const auto* u = reinterpret_cast<const uint8_t*>(daten.data());
    if (daten.size() >= 3 && u[0] == 0xFF && u[1] == 0xD8 && u[2] == 0xFF) {
        uint32_t* px = nullptr;
        int b = 0, h = 0;
        if (pdfbibJpegLesen(daten, px, b, h)) {
            bild->flaeche = pdfbibFlaeche(px, b, h);
            std::free(px);
            if (bild->flaeche) {
                auto* kopie = static_cast<unsigned char*>(std::malloc(daten.size()));
                if (kopie) {
                    std::memcpy(kopie, daten.data(), daten.size());
                    if (cairo_surface_set_mime_data(bild->flaeche, CAIRO_MIME_TYPE_JPEG, kopie, daten.size(), std::free,
                                                    kopie) != CAIRO_STATUS_SUCCESS)
                        std::free(kopie);
                }
            }
        }
    } else {
        plBild p;
        int rc = -1;
        if (daten.size() >= 8 && std::memcmp(daten.data(), "\x89PNG", 4) == 0) rc = plPngLesen(u, daten.size(), p);
        else if (daten.size() >= 2 && daten[0] == 'B' && daten[1] == 'M') rc = plBmpLesen(u, daten.size(), p);
        if (rc == 0 && p.breite > 0 && p.hoehe > 0) bild->flaeche = pdfbibFlaeche(p.pixel.data(), p.breite, p.hoehe);
    }
    if (!bild->flaeche) {
        *fehler = DPL_E_FORMAT;
        return nullptr;
    }
    return bild;
}
