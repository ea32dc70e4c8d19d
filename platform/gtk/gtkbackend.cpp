// The GTK backend's table, start and end, the screen, and waiting: GTK's
// main context is iterated inside the layer's `warten`, so the layer's
// message loop stays the program's only loop. Prefix `gk` (file-static
// helpers too). Registers itself with plBackendRegistrieren when the
// program starts (the library is linked whole, so the registration stays).
#include "platform/gtk/gtkbackend.h"

#include <algorithm>
#include <atomic>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>

#include "platform/eingabe.h"
#include "platform/gtk/gtkint.h"
#include "platform/uhr.h"

#if defined(__SANITIZE_ADDRESS__) && __has_include(<sanitizer/lsan_interface.h>)
#include <sanitizer/lsan_interface.h>
#define GK_LSAN 1
#endif

namespace {

bool gkGtkBereit = false;     // gtk_init_check succeeded once (it cannot be undone)
bool gkLaeuft = false;
bool gkSchon = false;         // something for the layer arrived in this wait
std::atomic<bool> gkGeweckt{false};
std::vector<std::function<void()>> gkAufgaben;
uint64_t gkRunden = 0;          // GTK iterations so far

bool gkAnzeigeGesetzt()
{
    const char* x = std::getenv("DISPLAY");
    const char* w = std::getenv("WAYLAND_DISPLAY");
    return (x && *x) || (w && *w);
}

// GTK's own texts (file chooser, print dialog) in German like the rest of
// the program, when a German UTF-8 locale is installed. Only messages and
// the character set change (UTF-8, so GLib's own messages on stderr keep
// their umlauts); numbers stay in "C".
void gkDeutscheTexte()
{
    for (const char* l : {"de_DE.UTF-8", "de_DE.utf8", "de_AT.UTF-8", "de_CH.UTF-8"}) {
        if (std::setlocale(LC_MESSAGES, l)) {
            std::setlocale(LC_CTYPE, l);
            // LANGUAGE would override the messages locale for gettext.
            const char* sprachen = std::getenv("LANGUAGE");
            if (sprachen && std::string(sprachen).rfind("de", 0) != 0) setenv("LANGUAGE", "de", 1);
            return;
        }
    }
}

// Without a session bus (a bare X server, Xvfb, CI) the settings daemon and
// the accessibility bus cannot be reached and GTK would say so on stderr
// ("dbus-launch" not found): keep settings in memory and leave the bridge
// off. A desktop session keeps GTK's normal behaviour.
void gkOhneSitzungsbus()
{
    const char* bus = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (bus && *bus) return;
    const char* lauf = std::getenv("XDG_RUNTIME_DIR");
    struct stat st;
    if (lauf && *lauf && stat((std::string(lauf) + "/bus").c_str(), &st) == 0 && S_ISSOCK(st.st_mode)) return;
    setenv("GSETTINGS_BACKEND", "memory", 0);
    setenv("NO_AT_BRIDGE", "1", 0);
}

int gkStart()
{
    if (!gkAnzeigeGesetzt()) {
        std::fprintf(stderr,
                     "velmo: die Oberflaeche gtk braucht eine Anzeige, aber weder DISPLAY noch WAYLAND_DISPLAY "
                     "ist gesetzt (ohne Anzeige: VELMO_BACKEND=headless)\n");
        return -1;
    }
    if (!gkGtkBereit) {
        // Numbers are formatted by the program independently of the locale,
        // but no library below should see a comma locale either.
        gtk_disable_setlocale();
        gkDeutscheTexte();
        gkOhneSitzungsbus();
#ifdef GK_LSAN
        // GTK's start keeps blocks of the system libraries for the life of
        // the process (the accessibility bridge's bus connection in libdbus
        // and GLib); a sanitizer build ignores what is allocated in there,
        // and only there.
        __lsan_disable();
#endif
        const gboolean gestartet = gtk_init_check(nullptr, nullptr);
#ifdef GK_LSAN
        __lsan_enable();
#endif
        if (!gestartet) {
            const char* x = std::getenv("DISPLAY");
            const char* w = std::getenv("WAYLAND_DISPLAY");
            std::fprintf(stderr, "velmo: die Anzeige %s laesst sich nicht oeffnen (ohne Anzeige: VELMO_BACKEND=headless)\n",
                         (w && *w) ? w : (x ? x : ""));
            return -1;
        }
        gkGtkBereit = true;
    }
    // A desktop with a user runs in real time.
    if (plUhrIstFest()) plUhrFreigeben();
    gkDruckStart();
    gkLaeuft = true;
    return 0;
}

void gkEnde()
{
    if (!gkLaeuft) return;
    gkOffeneZeigen();
    gkFensterEnde();
    gkClipEnde();
    gkDruckEnde();
    gkAufgaben.clear();
    while (g_main_context_iteration(nullptr, FALSE)) {
    }
    gkLaeuft = false;
}

void gkBildschirm(int* b, int* h, int* dpi)
{
    *b = 1920;
    *h = 1080;
    *dpi = 96;
    GdkDisplay* d = gdk_display_get_default();
    if (!d) return;
    GdkMonitor* m = gdk_display_get_primary_monitor(d);
    if (!m && gdk_display_get_n_monitors(d) > 0) m = gdk_display_get_monitor(d, 0);
    if (!m) return;
    // GDK counts in application pixels: with a scale factor the layer keeps
    // its 96-dpi pixels and GDK scales the surfaces.
    GdkRectangle g;
    gdk_monitor_get_geometry(m, &g);
    *b = g.x + g.width;
    *h = g.y + g.height;
}

void gkAufgabenAusfuehren()
{
    while (!gkAufgaben.empty()) {
        std::vector<std::function<void()>> jetzt;
        jetzt.swap(gkAufgaben);
        for (auto& f : jetzt) f();
    }
}

gboolean gkZeitUm(gpointer p)
{
    *static_cast<bool*>(p) = true;
    return G_SOURCE_REMOVE;
}

// One blocking iteration of GTK, at most `ms` long (-1: no limit). True
// when the time ran out.
bool gkEinmal(int64_t ms)
{
    bool um = false;
    guint q = 0;
    if (ms >= 0) q = g_timeout_add(static_cast<guint>(std::min<int64_t>(ms, 1000000)), gkZeitUm, &um);
    g_main_context_iteration(nullptr, TRUE);
    ++gkRunden;
    if (q && !um) g_source_remove(q);
    return um;
}

int gkWarten(int64_t bisMs, int)
{
    if (!gkLaeuft) return 0;
    ++gkRunden;
    gkSchon = false;
    gkOffeneZeigen();
    while (g_main_context_iteration(nullptr, FALSE)) {
    }
    gkAufgabenAusfuehren();
    for (;;) {
        if (gkSchon || gkGeweckt.exchange(false) || plEingabeWartet()) return 1;
        int64_t jetzt = plUhrJetztMs();
        if (bisMs >= 0 && jetzt >= bisMs) return 1;
        bool um = gkEinmal(bisMs >= 0 ? bisMs - jetzt : -1);
        // A clock fixed by someone does not run by itself: move it on.
        if (um && plUhrIstFest() && plUhrJetztMs() < bisMs) plUhrVorruecken(bisMs - plUhrJetztMs());
        while (g_main_context_iteration(nullptr, FALSE)) {
        }
        gkAufgabenAusfuehren();
        if (um) return 1;
    }
}

void gkWecken()
{
    gkGeweckt = true;
    g_main_context_wakeup(nullptr);
}

// The desktop's UI font rendering: the screen's font options (from the
// XSETTINGS daemon), else GTK's Xft settings; what neither sets keeps the
// layer's default (grey-scale, slight hinting).
void gkSchriftOptionen(cairo_font_options_t* o)
{
    GdkScreen* sc = gdk_screen_get_default();
    if (!sc) return;
    if (const cairo_font_options_t* f = gdk_screen_get_font_options(sc)) {
        if (cairo_font_options_get_antialias(f) != CAIRO_ANTIALIAS_DEFAULT)
            cairo_font_options_set_antialias(o, cairo_font_options_get_antialias(f));
        if (cairo_font_options_get_hint_style(f) != CAIRO_HINT_STYLE_DEFAULT)
            cairo_font_options_set_hint_style(o, cairo_font_options_get_hint_style(f));
        if (cairo_font_options_get_subpixel_order(f) != CAIRO_SUBPIXEL_ORDER_DEFAULT)
            cairo_font_options_set_subpixel_order(o, cairo_font_options_get_subpixel_order(f));
        return;
    }
    GtkSettings* st = gtk_settings_get_for_screen(sc);
    if (!st) return;
    gint aa = -1, hinting = -1;
    gchar* stil = nullptr;
    gchar* rgba = nullptr;
    g_object_get(st, "gtk-xft-antialias", &aa, "gtk-xft-hinting", &hinting, "gtk-xft-hintstyle", &stil, "gtk-xft-rgba",
                 &rgba, nullptr);
    if (aa == 0) cairo_font_options_set_antialias(o, CAIRO_ANTIALIAS_NONE);
    if (hinting == 0) {
        cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_NONE);
    } else if (stil) {
        std::string h = stil;
        if (h == "hintnone") cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_NONE);
        else if (h == "hintslight") cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_SLIGHT);
        else if (h == "hintmedium") cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_MEDIUM);
        else if (h == "hintfull") cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_FULL);
    }
    if (rgba && aa != 0) {
        std::string r = rgba;
        cairo_subpixel_order_t ord = CAIRO_SUBPIXEL_ORDER_DEFAULT;
        if (r == "rgb") ord = CAIRO_SUBPIXEL_ORDER_RGB;
        else if (r == "bgr") ord = CAIRO_SUBPIXEL_ORDER_BGR;
        else if (r == "vrgb") ord = CAIRO_SUBPIXEL_ORDER_VRGB;
        else if (r == "vbgr") ord = CAIRO_SUBPIXEL_ORDER_VBGR;
        if (ord != CAIRO_SUBPIXEL_ORDER_DEFAULT) {
            cairo_font_options_set_antialias(o, CAIRO_ANTIALIAS_SUBPIXEL);
            cairo_font_options_set_subpixel_order(o, ord);
        }
    }
    g_free(stil);
    g_free(rgba);
}

const plBackend gkTabelle = {
    "gtk",          gkStart,           gkEnde,          gkBildschirm,        gkFensterAnlegen, gkFensterZerstoeren,
    gkFensterZeigen, gkFensterPlatz,   gkFensterTitel,  gkFensterAktivieren, gkPraesentieren,  gkCursorSetzen,
    gkMausPosSetzen, gkWarten,         gkWecken,        gkClipSchreiben,     gkClipLesen,      gkDateiDialog,
    gkDruckDialog,  gkRahmen,          gkSchriftOptionen,
};

[[maybe_unused]] const int gkRegistriert = plBackendRegistrieren(&gkTabelle);

}  // namespace

const plBackend* plGtkBackend()
{
    return &gkTabelle;
}

uint64_t gkIterationen()
{
    return gkRunden;
}

void gkGeschehen()
{
    gkSchon = true;
}

void gkSpaeter(std::function<void()> f)
{
    gkAufgaben.push_back(std::move(f));
    gkSchon = true;
}

bool gkPumpenBis(const std::function<bool()>& fertig, int maxMs)
{
    int64_t ende = g_get_monotonic_time() + static_cast<int64_t>(maxMs) * 1000;
    gkOffeneZeigen();
    while (!fertig()) {
        int64_t rest = (ende - g_get_monotonic_time()) / 1000;
        if (rest <= 0) return false;
        gkEinmal(rest);
    }
    return true;
}
