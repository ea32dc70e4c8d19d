// Printer DCs writing PDF or PostScript files; see drucker.h. Prefix
// `plDruck`, file-static helpers `druck...`. Calls Cairo's PDF and PS
// surfaces, the vector DCs of gdiint.h and the standard library.
//
// Job states of a printer DC and the calls that move them:
//   Bereit --StartDoc--> Dokument --StartPage--> Seite --EndPage--> Dokument
//   Dokument/Seite --EndDoc--> Fertig (file renamed into place)
//   Dokument/Seite --AbortDoc, abort procedure FALSE, write error--> Fertig
//     (temporary file removed)
// Invariants:
//  1. The temporary file exists exactly while the state is Dokument or Seite.
//  2. Cairo's output before StartDoc (a surface may write its header at once)
//     is held in memory and written first when the file opens.
//  3. A printer DC prints one document; StartDoc after Fertig fails (the
//     surface is finished then).
#include "platform/drucker.h"

#include <cairo-pdf.h>
#include <cairo-ps.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <vector>
#include <memory>
#include <unistd.h>

#include "platform/dateisys.h"
#include "platform/gdiint.h"

namespace {

enum class druckZustand { Bereit, Dokument, Seite, Fertig };

struct druckAuftrag {
    plDruckEinstellung e;
    HDC hdc = 0;
    cairo_surface_t* flaeche = nullptr;
    druckZustand zustand = druckZustand::Bereit;
    ABORTPROC abbruch = nullptr;
    std::string ziel;
    int fd = -1;  // replacement handle of the output file (platform/dateisys)
    std::vector<unsigned char> vorab;  // output before the file opened
    bool verwerfen = false;
    bool schreibFehler = false;
    ~druckAuftrag()
    {
        if (fd >= 0) plDsErsetzenVerwerfen(fd);
        if (flaeche) cairo_surface_destroy(flaeche);
    }
};

std::map<HDC, std::unique_ptr<druckAuftrag>>& druckAuftraege()
{
    static std::map<HDC, std::unique_ptr<druckAuftrag>> m;
    return m;
}

// The job of a live printer DC (a DC deleted behind our back drops its job).
druckAuftrag* druckFinden(HDC hdc)
{
    auto& m = druckAuftraege();
    auto it = m.find(hdc);
    if (it == m.end()) return nullptr;
    if (gdiDcArt(hdc) == 0) {
        m.erase(it);
        return nullptr;
    }
    return it->second.get();
}

// Writes all `n` bytes through the file-system boundary.
bool druckAlles(int fd, const unsigned char* p, size_t n)
{
    while (n > 0) {
        ssize_t w = plDsSchreiben(fd, p, n);
        if (w <= 0) return false;
        p += w;
        n -= static_cast<size_t>(w);
    }
    return true;
}

cairo_status_t druckSchreiben(void* closure, const unsigned char* data, unsigned int length)
{
    auto* a = static_cast<druckAuftrag*>(closure);
    if (a->verwerfen) return CAIRO_STATUS_SUCCESS;
    if (a->fd < 0) {
        a->vorab.insert(a->vorab.end(), data, data + length);
        return CAIRO_STATUS_SUCCESS;
    }
    if (!druckAlles(a->fd, data, length)) {
        a->schreibFehler = true;
        return CAIRO_STATUS_WRITE_ERROR;
    }
    return CAIRO_STATUS_SUCCESS;
}

// Paper in millimetres, portrait.
bool druckPapierMm(int papier, int& b, int& h)
{
    switch (papier) {
    case DMPAPER_A4: b = 210; h = 297; return true;
    case DMPAPER_A3: b = 297; h = 420; return true;
    default: return false;
    }
}

GdiGeraet druckGeraet(const plDruckEinstellung& e)
{
    int b = 210, h = 297;
    druckPapierMm(e.papier, b, h);
    if (e.ausrichtung == DMORIENT_LANDSCAPE) std::swap(b, h);
    auto punkte = [](int mm) { return static_cast<int>(std::lround(mm * PL_DRUCK_DPI / 25.4)); };
    GdiGeraet g;
    g.technik = DT_RASPRINTER;
    g.physicalwidth = punkte(b);
    g.physicalheight = punkte(h);
    g.physicaloffsetx = PL_DRUCK_RAND;
    g.physicaloffsety = PL_DRUCK_RAND;
    g.horzres = g.physicalwidth - 2 * PL_DRUCK_RAND;
    g.vertres = g.physicalheight - 2 * PL_DRUCK_RAND;
    g.horzsize = static_cast<int>(std::lround(g.horzres * 25.4 / PL_DRUCK_DPI));
    g.vertsize = static_cast<int>(std::lround(g.vertres * 25.4 / PL_DRUCK_DPI));
    g.logpixelsx = PL_DRUCK_DPI;
    g.logpixelsy = PL_DRUCK_DPI;
    g.bitspixel = 24;
    g.planes = 1;
    return g;
}

// The page size in points for the current settings.
void druckSeitePt(const plDruckEinstellung& e, double& b, double& h)
{
    int mb = 210, mh = 297;
    druckPapierMm(e.papier, mb, mh);
    if (e.ausrichtung == DMORIENT_LANDSCAPE) std::swap(mb, mh);
    b = mb * 72.0 / 25.4;
    h = mh * 72.0 / 25.4;
}

bool druckGueltig(const plDruckEinstellung& e)
{
    int b, h;
    return druckPapierMm(e.papier, b, h) && (e.ausrichtung == DMORIENT_PORTRAIT || e.ausrichtung == DMORIENT_LANDSCAPE);
}

// Ends the document without a file: the surface is finished into nothing.
void druckVerwerfen(druckAuftrag* a)
{
    a->verwerfen = true;
    gdiDcVektorAbschliessen(a->hdc);
    if (a->fd >= 0) {
        plDsErsetzenVerwerfen(a->fd);
        a->fd = -1;
    }
    a->zustand = druckZustand::Fertig;
}

// UTF-8 of a code page 1252 text (for the document title).
std::string druckUtf8(const char* s)
{
    static const uint16_t hoch[32] = {0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                                      0x2039, 0x0152, 0, 0x017D, 0, 0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013,
                                      0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};
    std::string u;
    for (; s && *s; ++s) {
        unsigned c = static_cast<unsigned char>(*s);
        unsigned z = c >= 0x80 && c < 0xA0 ? hoch[c - 0x80] : c;
        if (!z) z = '?';
        if (z < 0x80) {
            u += static_cast<char>(z);
        } else if (z < 0x800) {
            u += static_cast<char>(0xC0 | (z >> 6));
            u += static_cast<char>(0x80 | (z & 0x3F));
        } else {
            u += static_cast<char>(0xE0 | (z >> 12));
            u += static_cast<char>(0x80 | ((z >> 6) & 0x3F));
            u += static_cast<char>(0x80 | (z & 0x3F));
        }
    }
    return u;
}

}  // namespace

HDC plDruckerDcErzeugen(const plDruckEinstellung& e)
{
    if (!druckGueltig(e)) return 0;
    auto a = std::make_unique<druckAuftrag>();
    a->e = e;
    double b, h;
    druckSeitePt(e, b, h);
    a->flaeche = e.format == plDruckFormat::Pdf ? cairo_pdf_surface_create_for_stream(druckSchreiben, a.get(), b, h)
                                                : cairo_ps_surface_create_for_stream(druckSchreiben, a.get(), b, h);
    if (cairo_surface_status(a->flaeche) != CAIRO_STATUS_SUCCESS) return 0;
    a->hdc = gdiDcVektorErzeugen(a->flaeche, druckGeraet(e));
    if (!a->hdc) return 0;
    HDC hdc = a->hdc;
    // Jobs of DCs deleted without plDruckerDcLoeschen go now (their files with them).
    auto& m = druckAuftraege();
    for (auto it = m.begin(); it != m.end();) it = gdiDcArt(it->first) == 0 ? m.erase(it) : std::next(it);
    m[hdc] = std::move(a);
    return hdc;
}

const plDruckEinstellung* plDruckerEinstellung(HDC hdc)
{
    druckAuftrag* a = druckFinden(hdc);
    return a ? &a->e : nullptr;
}

BOOL plDruckerDcLoeschen(HDC hdc)
{
    druckAuftrag* a = druckFinden(hdc);
    if (!a) return FALSE;
    if (a->zustand == druckZustand::Dokument || a->zustand == druckZustand::Seite) druckVerwerfen(a);
    DeleteDC(hdc);
    druckAuftraege().erase(hdc);
    return TRUE;
}

void plDruckNachDevmode(const plDruckEinstellung& e, DEVMODE& dm)
{
    dm = DEVMODE{};
    dm.dmSpecVersion = 0x0401;
    dm.dmSize = sizeof(DEVMODE);
    dm.dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES | DM_COLLATE | DM_DUPLEX | DM_PRINTQUALITY;
    dm.dmOrientation = static_cast<short>(e.ausrichtung);
    dm.dmPaperSize = static_cast<short>(e.papier);
    dm.dmCopies = static_cast<short>(e.kopien);
    dm.dmCollate = e.sortiert ? 1 : 0;
    dm.dmDuplex = static_cast<short>(e.duplex);
    dm.dmPrintQuality = PL_DRUCK_DPI;
    dm.dmYResolution = PL_DRUCK_DPI;
}

int plDruckAusDevmode(const DEVMODE& dm, plDruckEinstellung& e)
{
    plDruckEinstellung neu = e;
    if (dm.dmFields & DM_ORIENTATION) neu.ausrichtung = dm.dmOrientation;
    if (dm.dmFields & DM_PAPERSIZE) neu.papier = dm.dmPaperSize;
    if (dm.dmFields & DM_COPIES) neu.kopien = dm.dmCopies > 0 ? dm.dmCopies : 1;
    if (dm.dmFields & DM_COLLATE) neu.sortiert = dm.dmCollate != 0;
    if (dm.dmFields & DM_DUPLEX) neu.duplex = dm.dmDuplex;
    if (!druckGueltig(neu)) return -1;
    e = neu;
    return 0;
}

int StartDoc(HDC hdc, const DOCINFO* di)
{
    druckAuftrag* a = druckFinden(hdc);
    if (!a || a->zustand != druckZustand::Bereit) return SP_ERROR;
    a->ziel = di && di->lpszOutput && *di->lpszOutput ? di->lpszOutput : a->e.datei;
    if (a->ziel.empty()) return SP_ERROR;
    a->fd = plDsErsetzenOeffnen(a->ziel.c_str(), true);
    if (a->fd < 0) return SP_ERROR;
    if (!druckAlles(a->fd, a->vorab.data(), a->vorab.size())) {
        plDsErsetzenVerwerfen(a->fd);
        a->fd = -1;
        return SP_ERROR;
    }
    a->vorab.clear();
    if (di && di->lpszDocName && a->e.format == plDruckFormat::Pdf)
        cairo_pdf_surface_set_metadata(a->flaeche, CAIRO_PDF_METADATA_TITLE, druckUtf8(di->lpszDocName).c_str());
    a->zustand = druckZustand::Dokument;
    return 1;
}

int StartPage(HDC hdc)
{
    druckAuftrag* a = druckFinden(hdc);
    if (!a || a->zustand != druckZustand::Dokument) return SP_ERROR;
    double b, h;
    druckSeitePt(a->e, b, h);
    if (a->e.format == plDruckFormat::Pdf) {
        cairo_pdf_surface_set_size(a->flaeche, b, h);
    } else {
        cairo_ps_surface_set_size(a->flaeche, b, h);
        cairo_ps_surface_dsc_begin_page_setup(a->flaeche);
        cairo_ps_surface_dsc_comment(a->flaeche, a->e.ausrichtung == DMORIENT_LANDSCAPE ? "%%PageOrientation: Landscape"
                                                                                       : "%%PageOrientation: Portrait");
    }
    a->zustand = druckZustand::Seite;
    return 1;
}

int EndPage(HDC hdc)
{
    druckAuftrag* a = druckFinden(hdc);
    if (!a || a->zustand != druckZustand::Seite) return SP_ERROR;
    BOOL ok = gdiDcSeiteBeenden(hdc);
    a->zustand = druckZustand::Dokument;
    if (!ok || a->schreibFehler) {
        druckVerwerfen(a);
        return SP_OUTOFDISK;
    }
    // The abort procedure runs while the page is spooled; FALSE cancels.
    if (a->abbruch && !a->abbruch(hdc, 0)) {
        druckVerwerfen(a);
        return SP_APPABORT;
    }
    return 1;
}

int EndDoc(HDC hdc)
{
    druckAuftrag* a = druckFinden(hdc);
    if (!a) return SP_ERROR;
    if (a->zustand == druckZustand::Seite && EndPage(hdc) < 0) return SP_ERROR;
    if (a->zustand != druckZustand::Dokument) return SP_ERROR;
    BOOL ok = gdiDcVektorAbschliessen(hdc);
    int fd = a->fd;
    a->fd = -1;
    a->zustand = druckZustand::Fertig;
    if (!ok || a->schreibFehler) {
        plDsErsetzenVerwerfen(fd);
        return SP_ERROR;
    }
    // Synced, closed and renamed over the target; the old file stays on failure.
    return plDsSchliessen(fd) == 0 ? 1 : SP_ERROR;
}

int AbortDoc(HDC hdc)
{
    druckAuftrag* a = druckFinden(hdc);
    if (!a || (a->zustand != druckZustand::Dokument && a->zustand != druckZustand::Seite)) return SP_ERROR;
    druckVerwerfen(a);
    return 1;
}

int SetAbortProc(HDC hdc, ABORTPROC proc)
{
    druckAuftrag* a = druckFinden(hdc);
    if (!a) return SP_ERROR;
    a->abbruch = proc;
    return 1;
}

HDC ResetDC(HDC hdc, const DEVMODE* dm)
{
    druckAuftrag* a = druckFinden(hdc);
    if (!a || !dm || a->zustand == druckZustand::Seite || a->zustand == druckZustand::Fertig) return 0;
    if (plDruckAusDevmode(*dm, a->e) != 0) return 0;
    if (!gdiDcGeraetSetzen(hdc, druckGeraet(a->e))) return 0;
    return hdc;
}
