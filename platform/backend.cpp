// Backend registry, the one selection function and the wrappers through
// which the layer calls the backend; see backend.h.
#include "platform/backend.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/fenster.h"
#include "platform/fensterint.h"
#include "platform/headless.h"

// Seen by dlsym only in a program that exports its symbols to modules.
extern "C" {
extern const int plBackendSchnittstelle;
const int plBackendSchnittstelle = 1;
}

namespace {

inline constexpr int PL_BACKENDSUP = 4;

const plBackend* backendListe[PL_BACKENDSUP] = {};
int backendAnzahl = 0;
const plBackend* backendAktiv = nullptr;
int backendErgebnis = 1;  // 1: not chosen yet
int backendAnzeigePflicht = 0;

const plBackend* backendRegistriert(const char* name)
{
    for (int i = 0; i < backendAnzahl; ++i)
        if (std::strcmp(backendListe[i]->name, name) == 0) return backendListe[i];
    return nullptr;
}

// The desktop backend lives in a module of its own, so a run without a
// display never loads GTK and its libraries: opened on the first need,
// beside the program (build tree) or in ../lib/velmo (installed). Opening
// it runs its registration. A program that links it in needs no module.
void backendModulLaden()
{
    static bool versucht = false;
    if (versucht) return;
    versucht = true;
    // Only a program that offers the layer's functions to modules (the
    // program, not a test beside it) can take the module.
    if (!::dlsym(RTLD_DEFAULT, "plBackendSchnittstelle")) return;
    char pfad[4096];
    ssize_t n = ::readlink("/proc/self/exe", pfad, sizeof pfad - 1);
    if (n <= 0) return;
    pfad[n] = 0;
    std::string ordner(pfad);
    ordner.erase(ordner.rfind('/') + 1);
    for (const char* ort : {"velmo-gtk.so", "../lib/velmo/velmo-gtk.so"}) {
        std::string datei = ordner + ort;
        if (::access(datei.c_str(), F_OK) != 0) continue;
        if (!::dlopen(datei.c_str(), RTLD_NOW | RTLD_GLOBAL))
            std::fprintf(stderr, "velmo: Desktop-Oberflaeche nicht ladbar: %s\n", ::dlerror());
        return;
    }
}

const plBackend* backendFinden(const char* name)
{
    if (std::strcmp(name, "headless") == 0) return plHeadlessBackend();
    if (const plBackend* be = backendRegistriert(name)) return be;
    if (std::strcmp(name, "gtk") != 0) return nullptr;
    backendModulLaden();
    return backendRegistriert(name);
}

bool backendAnzeigeDa()
{
    const char* x = std::getenv("DISPLAY");
    const char* w = std::getenv("WAYLAND_DISPLAY");
    return (x && *x) || (w && *w);
}

// No display the program can use, while a user waits for its windows.
void backendOhneAnzeigeMelden(bool gesetzt)
{
    if (!gesetzt)
        std::fprintf(stderr, "velmo: keine Anzeige: weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt.\n");
    else if (!backendFinden("gtk"))
        std::fprintf(stderr, "velmo: dieses Programm wurde ohne Desktop-Oberflaeche gebaut.\n");
    std::fprintf(stderr,
                 "velmo: ohne Anzeige laeuft Velmo nur ohne Benutzer: mit einer Befehlsdatei (-A=<Datei>), "
                 "mit -W=1 oder mit VELMO_BACKEND=headless.\n");
}

}  // namespace

void plBackendAnzeigeVerlangen(int ja)
{
    backendAnzeigePflicht = ja ? 1 : 0;
}

int plBackendRegistrieren(const plBackend* be)
{
    if (!be || !be->name || backendAnzahl >= PL_BACKENDSUP || std::strcmp(be->name, "headless") == 0 ||
        backendRegistriert(be->name))
        return -1;
    backendListe[backendAnzahl++] = be;
    return 0;
}

int plBackendWaehlen()
{
    if (backendErgebnis != 1) return backendErgebnis;
    const char* name = std::getenv("VELMO_BACKEND");
    const plBackend* be = nullptr;
    bool gestartet = false;
    if (name && *name) {
        be = backendFinden(name);
        if (!be) {
            backendModulLaden();  // the list names every backend there is
            std::fprintf(stderr, "velmo: unbekannte Oberflaeche VELMO_BACKEND=%s (bekannt: headless", name);
            for (int i = 0; i < backendAnzahl; ++i) std::fprintf(stderr, ", %s", backendListe[i]->name);
            std::fprintf(stderr, ")\n");
        }
    } else {
        be = (backendAnzeigeDa() && backendFinden("gtk")) ? backendFinden("gtk") : plHeadlessBackend();
        // A display that cannot be opened is no display: headless, no error.
        if (be != plHeadlessBackend()) {
            if (be->start && be->start() != 0) be = plHeadlessBackend();
            else gestartet = true;
        }
        if (be == plHeadlessBackend() && backendAnzeigePflicht) {
            backendOhneAnzeigeMelden(backendAnzeigeDa());
            be = nullptr;
        }
    }
    if (be && !gestartet && be->start && be->start() != 0) be = nullptr;
    if (!be) {
        backendAktiv = plHeadlessBackend();
        if (backendAktiv->start) backendAktiv->start();
        backendErgebnis = -1;
        return -1;
    }
    backendAktiv = be;
    backendErgebnis = 0;
    return 0;
}

const plBackend* plBackendAktiv()
{
    if (!backendAktiv) plBackendWaehlen();
    return backendAktiv;
}

const char* plBackendName()
{
    return plBackendAktiv()->name;
}

void plBackendEnde()
{
    if (backendAktiv && backendAktiv->ende) backendAktiv->ende();
    backendAktiv = nullptr;
    backendErgebnis = 1;
}

// ---- Wrappers -----------------------------------------------------------------------------------

void plBeBildschirm(int* breite, int* hoehe, int* dpi)
{
    plBackendAktiv()->bildschirm(breite, hoehe, dpi);
}

int plBeFensterAnlegen(HWND hwnd, const RECT* rc, DWORD stil, DWORD exStil, HWND besitzer)
{
    return plBackendAktiv()->fensterAnlegen(hwnd, rc, stil, exStil, besitzer);
}

void plBeFensterZerstoeren(HWND hwnd)
{
    plBackendAktiv()->fensterZerstoeren(hwnd);
}

void plBeFensterZeigen(HWND hwnd, int zeigen)
{
    plBackendAktiv()->fensterZeigen(hwnd, zeigen);
}

void plBeFensterPlatz(HWND hwnd, const RECT* rc)
{
    plBackendAktiv()->fensterPlatz(hwnd, rc);
}

void plBeFensterTitel(HWND hwnd, const char* text)
{
    plBackendAktiv()->fensterTitel(hwnd, text);
}

void plBeFensterAktivieren(HWND hwnd)
{
    plBackendAktiv()->fensterAktivieren(hwnd);
}

void plBePraesentieren(HWND hwnd, cairo_surface_t* flaeche, const RECT* bereich)
{
    plBackendAktiv()->praesentieren(hwnd, flaeche, bereich);
}

void plBeCursorSetzen(HCURSOR cursor)
{
    plBackendAktiv()->cursorSetzen(cursor);
}

void plBeMausPosSetzen(int x, int y)
{
    plBackendAktiv()->mausPosSetzen(x, y);
}

int plBeWarten(int64_t bisMs, int nurIntern)
{
    return plBackendAktiv()->warten(bisMs, nurIntern);
}

void plBeWecken()
{
    plBackendAktiv()->wecken();
}

int plBeZwischenablageSchreiben(const char* format, const void* daten, size_t n)
{
    return plBackendAktiv()->zwischenablageSchreiben(format, daten, n);
}

int plBeZwischenablageLesen(const char* format, std::vector<uint8_t>* aus)
{
    return plBackendAktiv()->zwischenablageLesen(format, aus);
}

int plBeDateiDialog(const plDateiDialogAuftrag* auftrag, std::string* ergebnis)
{
    return plBackendAktiv()->dateiDialog(auftrag, ergebnis);
}

int plBeDruckDialog(plDruckDialogAuftrag* auftrag, cairo_surface_t** flaeche)
{
    return plBackendAktiv()->druckDialog(auftrag, flaeche);
}

int plBeRahmen(HWND hwnd, DWORD stil, DWORD exStil, RECT* ausmass)
{
    const plBackend* be = plBackendAktiv();
    if (!be->rahmen || !ausmass) return 0;
    return be->rahmen(hwnd, stil, exStil, ausmass);
}

void plBeSchriftOptionen(cairo_font_options_t* o)
{
    cairo_font_options_set_antialias(o, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_subpixel_order(o, CAIRO_SUBPIXEL_ORDER_DEFAULT);
    const plBackend* be = plBackendAktiv();
    if (be->schriftOptionen) be->schriftOptionen(o);
}

// ---- Calls for backends ---------------------------------------------------------------------------

void plBackendAktiviert(HWND hwnd)
{
    if (!hwnd) {
        plFokusProgrammInaktiv();
        return;
    }
    plFokusAktivieren(plFensterOben(hwnd), WA_ACTIVE);
}

void plBackendSchliessen(HWND hwnd)
{
    if (IsWindow(hwnd)) PostMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void plBackendVerschoben(HWND hwnd, const RECT* rc)
{
    if (!rc || !IsWindow(hwnd)) return;
    plFensterVomDesktop(hwnd, rc);
}

void plBackendRahmen(HWND hwnd, const RECT* ausmass, const RECT* rc)
{
    if (!ausmass || !IsWindow(hwnd)) return;
    plFensterRahmenNeu(hwnd, ausmass, rc);
}
