// Top-level windows of the GTK backend: one GtkWindow (undecorated: the
// layer draws its own caption and borders) holding a drawing area that
// shows the layer's window surface; popups (menus, drop-downs, tooltips:
// WS_POPUP without caption) as override-redirect windows. Moves, sizes,
// activation, close requests and minimising by the desktop go back to the
// layer through backend.h, after GTK's iteration (gkSpaeter). Cursors.
// Prefix `gk`.
#include <gdk/gdkx.h>

#include <algorithm>
#include <map>
#include <memory>

#include "platform/bildlader.h"
#include "platform/cp1252.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/gtk/gtkbackend.h"
#include "platform/gtk/gtkint.h"
#include "platform/nachricht.h"
#include "platform/uhr.h"

namespace {

// A configure event for another geometry than the one asked for within this
// time is the late answer to an older request, not a move by the desktop.
inline constexpr int64_t GK_ANFRAGE_MS = 500;

std::map<HWND, std::unique_ptr<gkFenster>> gkTabelleFenster;
std::map<HCURSOR, GdkCursor*> gkCursorListe;
HCURSOR gkCursorJetzt = 0;
HWND gkVorgestellt = 0;       // the window we last asked to be active
int64_t gkVorgestelltZeit = 0;

gpointer gkZeiger(HWND h)
{
    return GUINT_TO_POINTER(static_cast<guint>(h));
}

HWND gkHandle(gpointer p)
{
    return static_cast<HWND>(GPOINTER_TO_UINT(p));
}

bool gkGleich(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

GdkCursor* gkCursorMachen(HCURSOR c)
{
    GdkDisplay* d = gdk_display_get_default();
    if (!d) return nullptr;
    if (!c) return gdk_cursor_new_from_name(d, "none");
    plCursorBild b{};
    if (!plCursorBeschreibung(c, &b)) return nullptr;
    if (!b.systemId && b.argb && b.breite > 0 && b.hoehe > 0) {
        cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, b.breite, b.hoehe);
        if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
            cairo_surface_destroy(s);
            return nullptr;
        }
        cairo_surface_flush(s);
        unsigned char* z = cairo_image_surface_get_data(s);
        int schritt = cairo_image_surface_get_stride(s);
        for (int y = 0; y < b.hoehe; ++y)
            std::copy(b.argb + static_cast<size_t>(y) * b.breite, b.argb + static_cast<size_t>(y + 1) * b.breite,
                      reinterpret_cast<uint32_t*>(z + static_cast<size_t>(y) * schritt));
        cairo_surface_mark_dirty(s);
        GdkCursor* k = gdk_cursor_new_from_surface(d, s, b.hx, b.hy);
        cairo_surface_destroy(s);
        return k;
    }
    const char* name = "default";
    switch (b.systemId) {
    case 32513: name = "text"; break;
    case 32514: name = "wait"; break;
    case 32515: name = "crosshair"; break;
    case 32642: name = "nwse-resize"; break;
    case 32643: name = "nesw-resize"; break;
    case 32644: name = "ew-resize"; break;
    case 32645: name = "ns-resize"; break;
    case 32640:
    case 32646: name = "move"; break;
    case 32648: name = "not-allowed"; break;
    case 32649: name = "pointer"; break;
    case 32650: name = "progress"; break;
    case 32651: name = "help"; break;
    default: break;
    }
    GdkCursor* k = gdk_cursor_new_from_name(d, name);
    return k ? k : gdk_cursor_new_from_name(d, "default");
}

void gkCursorAnwenden(gkFenster* f)
{
    GdkWindow* gw = f->flaeche ? gtk_widget_get_window(f->flaeche) : nullptr;
    if (!gw) return;
    auto it = gkCursorListe.find(gkCursorJetzt);
    gdk_window_set_cursor(gw, it == gkCursorListe.end() ? nullptr : it->second);
}

gboolean gkMalen(GtkWidget*, cairo_t* cr, gpointer p)
{
    gkFenster* f = gkFensterVon(gkHandle(p));
    if (!f || !f->bild) {
        cairo_set_source_rgb(cr, 0.83, 0.82, 0.78);
        cairo_paint(cr);
        return TRUE;
    }
    // One layer pixel is one application pixel; with a scale factor GDK's
    // context is scaled and the picture is enlarged without blurring.
    cairo_set_source_surface(cr, f->bild, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    return TRUE;
}

void gkRealisiert(GtkWidget*, gpointer p)
{
    if (gkFenster* f = gkFensterVon(gkHandle(p))) gkCursorAnwenden(f);
}

gboolean gkKonfiguriert(GtkWidget*, GdkEventConfigure* e, gpointer p)
{
    HWND h = gkHandle(p);
    gkFenster* f = gkFensterVon(h);
    if (!f || f->popup || !f->gezeigt) return FALSE;
    RECT neu{e->x, e->y, e->x + e->width, e->y + e->height};
    if (gkGleich(neu, f->rc)) return FALSE;
    if (gkGleich(neu, f->angefordert)) return FALSE;
    if (plUhrJetztMs() - f->anfZeit < GK_ANFRAGE_MS && plUhrJetztMs() >= f->anfZeit) return FALSE;
    f->rc = neu;
    f->angefordert = neu;
    gkSpaeter([h, neu] { plBackendVerschoben(h, &neu); });
    return FALSE;
}

// Without a window manager a focus request for a window not yet on screen
// is lost: ask again once it is mapped.
gboolean gkAbgebildet(GtkWidget* w, GdkEvent*, gpointer p)
{
    HWND h = gkHandle(p);
    gkFenster* f = gkFensterVon(h);
    if (f && !f->popup && gkVorgestellt == h) {
        if (GdkWindow* gw = gtk_widget_get_window(w)) gdk_window_focus(gw, GDK_CURRENT_TIME);
    }
    return FALSE;
}

gboolean gkSchliessen(GtkWidget*, GdkEvent*, gpointer p)
{
    HWND h = gkHandle(p);
    gkSpaeter([h] { plBackendSchliessen(h); });
    return TRUE;  // the layer decides
}

bool gkEinesUnsererAktiv()
{
    GList* alle = gtk_window_list_toplevels();
    bool ja = false;
    for (GList* l = alle; l; l = l->next)
        if (gtk_window_has_toplevel_focus(GTK_WINDOW(l->data))) ja = true;
    g_list_free(alle);
    return ja;
}

gboolean gkFokusRein(GtkWidget*, GdkEventFocus*, gpointer p)
{
    HWND h = gkHandle(p);
    // Right after we asked for another window, a focus event of this one is
    // the late answer to an older request.
    int64_t jetzt = plUhrJetztMs();
    if (gkVorgestellt && gkVorgestellt != h && jetzt - gkVorgestelltZeit < GK_ANFRAGE_MS && jetzt >= gkVorgestelltZeit)
        return FALSE;
    gkSpaeter([h] {
        gkFenster* f = gkFensterVon(h);
        if (f && f->fenster && gtk_window_has_toplevel_focus(GTK_WINDOW(f->fenster)) && GetActiveWindow() != h)
            plBackendAktiviert(h);
    });
    return FALSE;
}

gboolean gkFokusRaus(GtkWidget*, GdkEventFocus*, gpointer)
{
    gkSpaeter([] {
        // Focus that moved to a native dialog of the program keeps the
        // program active.
        if (!gkEinesUnsererAktiv() && GetActiveWindow()) plBackendAktiviert(0);
    });
    return FALSE;
}

gboolean gkZustand(GtkWidget*, GdkEventWindowState* e, gpointer p)
{
    HWND h = gkHandle(p);
    gkFenster* f = gkFensterVon(h);
    if (!f) return FALSE;
    if (e->changed_mask & GDK_WINDOW_STATE_ICONIFIED) {
        bool ikon = (e->new_window_state & GDK_WINDOW_STATE_ICONIFIED) != 0;
        f->ikonisch = ikon;
        gkSpaeter([h, ikon] {
            if (!IsWindow(h)) return;
            if (ikon && !IsIconic(h)) PostMessage(h, WM_SYSCOMMAND, SC_MINIMIZE, 0);
            if (!ikon && IsIconic(h)) PostMessage(h, WM_SYSCOMMAND, SC_RESTORE, 0);
        });
    }
    if (e->changed_mask & GDK_WINDOW_STATE_MAXIMIZED) {
        bool gross = (e->new_window_state & GDK_WINDOW_STATE_MAXIMIZED) != 0;
        gkSpaeter([h, gross] {
            if (!IsWindow(h)) return;
            if (gross && !IsZoomed(h)) PostMessage(h, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
            if (!gross && IsZoomed(h)) PostMessage(h, WM_SYSCOMMAND, SC_RESTORE, 0);
        });
    }
    return FALSE;
}

// Size limits for the desktop from WM_GETMINMAXINFO; they never exclude the
// size the layer gave the window.
void gkGrenzenSetzen(gkFenster* f)
{
    int sb = 0, sh = 0, dpi = 0;
    plBeBildschirm(&sb, &sh, &dpi);
    MINMAXINFO mm{};
    mm.ptMaxSize = POINT{sb, sh};
    mm.ptMaxTrackSize = POINT{sb, sh};
    SendMessage(f->h, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mm));
    if (!(f = gkFensterVon(f->h))) return;
    int b = f->rc.right - f->rc.left, h = f->rc.bottom - f->rc.top;
    GdkGeometry g{};
    g.min_width = std::clamp(static_cast<int>(mm.ptMinTrackSize.x), 1, std::max(b, 1));
    g.min_height = std::clamp(static_cast<int>(mm.ptMinTrackSize.y), 1, std::max(h, 1));
    g.max_width = std::max(static_cast<int>(mm.ptMaxTrackSize.x), b);
    g.max_height = std::max(static_cast<int>(mm.ptMaxTrackSize.y), h);
    gtk_window_set_geometry_hints(GTK_WINDOW(f->fenster), nullptr, &g,
                                  static_cast<GdkWindowHints>(GDK_HINT_MIN_SIZE | GDK_HINT_MAX_SIZE));
}

// The window's icon (WM_GETICON, else the class icon) for the desktop.
void gkIconSetzen(gkFenster* f)
{
    HICON icon = static_cast<HICON>(SendMessage(f->h, WM_GETICON, ICON_BIG, 0));
    if (!(f = gkFensterVon(f->h)) || f->popup) return;
    if (!icon) icon = static_cast<HICON>(GetClassLongPtr(f->h, GCL_HICON));
    if (icon == f->icon) return;
    f->icon = icon;
    const plBild* b = icon ? plIconBild(icon) : nullptr;
    if (!b || b->breite <= 0 || b->hoehe <= 0 ||
        b->pixel.size() < static_cast<size_t>(b->breite) * static_cast<size_t>(b->hoehe)) {
        gtk_window_set_icon(GTK_WINDOW(f->fenster), nullptr);
        return;
    }
    GdkPixbuf* pb = gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, b->breite, b->hoehe);
    if (!pb) return;
    guchar* z = gdk_pixbuf_get_pixels(pb);
    int schritt = gdk_pixbuf_get_rowstride(pb);
    for (int y = 0; y < b->hoehe; ++y)
        for (int x = 0; x < b->breite; ++x) {
            uint32_t p = b->at(x, y);  // 0xAARRGGBB, premultiplied; GDK wants it straight
            uint32_t a = p >> 24;
            auto kanal = [a](uint32_t c) { return static_cast<guchar>(a ? std::min<uint32_t>(255, (c * 255 + a / 2) / a) : 0); };
            guchar* q = z + static_cast<size_t>(y) * schritt + 4 * static_cast<size_t>(x);
            q[0] = kanal((p >> 16) & 0xFF);
            q[1] = kanal((p >> 8) & 0xFF);
            q[2] = kanal(p & 0xFF);
            q[3] = static_cast<guchar>(a);
        }
    gtk_window_set_icon(GTK_WINDOW(f->fenster), pb);
    g_object_unref(pb);
}

void gkHinstellen(gkFenster* f)
{
    f->angefordert = f->rc;
    f->anfZeit = plUhrJetztMs();
    GtkWindow* w = GTK_WINDOW(f->fenster);
    gtk_window_move(w, f->rc.left, f->rc.top);
    gtk_window_resize(w, std::max<int>(f->rc.right - f->rc.left, 1), std::max<int>(f->rc.bottom - f->rc.top, 1));
}

}  // namespace

gkFenster* gkFensterVon(HWND h)
{
    auto it = gkTabelleFenster.find(h);
    return it == gkTabelleFenster.end() ? nullptr : it->second.get();
}

gkFenster* gkFensterVonWidget(GtkWidget* w)
{
    for (auto& [h, f] : gkTabelleFenster)
        if (f->fenster == w || f->flaeche == w) return f.get();
    return nullptr;
}

std::vector<gkFenster*> gkFensterAlle()
{
    std::vector<gkFenster*> v;
    for (auto& [h, f] : gkTabelleFenster) v.push_back(f.get());
    return v;
}

GtkWindow* gkGtkFensterVon(HWND h)
{
    if (!h) return nullptr;
    HWND oben = GetAncestor(h, GA_ROOT);
    gkFenster* f = gkFensterVon(oben ? oben : h);
    return f ? GTK_WINDOW(f->fenster) : nullptr;
}

int gkFensterAnlegen(HWND hwnd, const RECT* rc, DWORD stil, DWORD, HWND besitzer)
{
    if (gkFensterVon(hwnd)) gkFensterZerstoeren(hwnd);
    auto f = std::make_unique<gkFenster>();
    f->h = hwnd;
    f->rc = rc ? *rc : RECT{0, 0, 1, 1};
    f->popup = (stil & WS_POPUP) && !(stil & WS_CAPTION);
    f->fenster = gtk_window_new(f->popup ? GTK_WINDOW_POPUP : GTK_WINDOW_TOPLEVEL);
    GtkWindow* w = GTK_WINDOW(f->fenster);
    gtk_window_set_decorated(w, FALSE);
    if (GtkWindow* b = gkGtkFensterVon(besitzer)) gtk_window_set_transient_for(w, b);
    if (f->popup)
        gtk_window_set_type_hint(w, GDK_WINDOW_TYPE_HINT_POPUP_MENU);
    else if (besitzer)
        gtk_window_set_type_hint(w, GDK_WINDOW_TYPE_HINT_DIALOG);
    f->flaeche = gtk_drawing_area_new();
    gtk_widget_set_size_request(f->flaeche, 1, 1);
    gtk_widget_set_can_focus(f->flaeche, TRUE);
    gtk_container_add(GTK_CONTAINER(f->fenster), f->flaeche);
    gpointer p = gkZeiger(hwnd);
    g_signal_connect(f->flaeche, "draw", G_CALLBACK(gkMalen), p);
    g_signal_connect(f->flaeche, "realize", G_CALLBACK(gkRealisiert), p);
    g_signal_connect(f->fenster, "configure-event", G_CALLBACK(gkKonfiguriert), p);
    g_signal_connect(f->fenster, "map-event", G_CALLBACK(gkAbgebildet), p);
    g_signal_connect(f->fenster, "delete-event", G_CALLBACK(gkSchliessen), p);
    g_signal_connect(f->fenster, "focus-in-event", G_CALLBACK(gkFokusRein), p);
    g_signal_connect(f->fenster, "focus-out-event", G_CALLBACK(gkFokusRaus), p);
    g_signal_connect(f->fenster, "window-state-event", G_CALLBACK(gkZustand), p);
    gkFenster* roh = f.get();
    gkTabelleFenster[hwnd] = std::move(f);
    gkEingabeVerbinden(roh);
    gkAblageVerbinden(roh);
    gtk_widget_show(roh->flaeche);
    gkHinstellen(roh);
    return 0;
}

void gkFensterZerstoeren(HWND hwnd)
{
    auto it = gkTabelleFenster.find(hwnd);
    if (it == gkTabelleFenster.end()) return;
    std::unique_ptr<gkFenster> f = std::move(it->second);
    gkTabelleFenster.erase(it);
    gkEingabeFensterWeg(f.get());
    if (f->fenster) gtk_widget_destroy(f->fenster);
    if (f->bild) cairo_surface_destroy(f->bild);
    if (gkVorgestellt == hwnd) gkVorgestellt = 0;
}

void gkFensterZeigen(HWND hwnd, int zeigen)
{
    gkFenster* f = gkFensterVon(hwnd);
    if (!f) return;
    if (!zeigen) {
        f->gezeigt = false;
        gtk_widget_hide(f->fenster);
        return;
    }
    if (!f->popup) {
        gkGrenzenSetzen(f);
        if (!(f = gkFensterVon(hwnd))) return;
        gkIconSetzen(f);
        if (!(f = gkFensterVon(hwnd))) return;
    }
    gkHinstellen(f);
    f->gezeigt = true;
    gtk_widget_show(f->fenster);
}

void gkFensterPlatz(HWND hwnd, const RECT* rc)
{
    gkFenster* f = gkFensterVon(hwnd);
    if (!f || !rc) return;
    f->rc = *rc;
    if (!gkGleich(f->angefordert, *rc)) gkHinstellen(f);
    // The layer's minimised state shows on the desktop as an iconified
    // window, and back.
    bool ikon = IsIconic(hwnd) != FALSE;
    if (!f->popup && f->gezeigt && ikon != f->ikonisch) {
        f->ikonisch = ikon;
        if (ikon)
            gtk_window_iconify(GTK_WINDOW(f->fenster));
        else
            gtk_window_deiconify(GTK_WINDOW(f->fenster));
    }
}

void gkFensterTitel(HWND hwnd, const char* text)
{
    gkFenster* f = gkFensterVon(hwnd);
    if (!f) return;
    std::string t = plCpNachUtf8(text ? text : "");
    gtk_window_set_title(GTK_WINDOW(f->fenster), t.c_str());
    // A new title often comes with a new icon (WM_SETICON tells no one).
    if (f->gezeigt) gkIconSetzen(f);
}

void gkFensterAktivieren(HWND hwnd)
{
    gkFenster* f = gkFensterVon(hwnd);
    if (!f || f->popup) return;
    gkVorgestellt = hwnd;
    gkVorgestelltZeit = plUhrJetztMs();
    if (f->gezeigt) gtk_window_present_with_time(GTK_WINDOW(f->fenster), GDK_CURRENT_TIME);
}

void gkPraesentieren(HWND hwnd, cairo_surface_t* flaeche, const RECT* bereich)
{
    gkFenster* f = gkFensterVon(hwnd);
    if (!f || !flaeche) return;
    if (f->bild != flaeche) {
        cairo_surface_reference(flaeche);
        if (f->bild) cairo_surface_destroy(f->bild);
        f->bild = flaeche;
    }
    cairo_surface_mark_dirty(flaeche);
    // The frame clock draws what was asked for at its next frame.
    if (bereich)
        gtk_widget_queue_draw_area(f->flaeche, bereich->left, bereich->top, bereich->right - bereich->left,
                                   bereich->bottom - bereich->top);
    else
        gtk_widget_queue_draw(f->flaeche);
}

void gkCursorSetzen(HCURSOR cursor)
{
    if (!gkCursorListe.count(cursor)) {
        GdkCursor* k = gkCursorMachen(cursor);
        if (!k) return;
        gkCursorListe[cursor] = k;
    }
    gkCursorJetzt = cursor;
    for (auto& [h, f] : gkTabelleFenster) gkCursorAnwenden(f.get());
}

void gkMausPosSetzen(int x, int y)
{
    GdkDisplay* d = gdk_display_get_default();
    if (!d) return;
    GdkDevice* zeiger = gdk_seat_get_pointer(gdk_display_get_default_seat(d));
    if (zeiger) gdk_device_warp(zeiger, gdk_display_get_default_screen(d), x, y);
}

void gkFensterEnde()
{
    std::vector<HWND> alle;
    for (auto& [h, f] : gkTabelleFenster) alle.push_back(h);
    for (HWND h : alle) gkFensterZerstoeren(h);
    for (auto& [c, k] : gkCursorListe) g_object_unref(k);
    gkCursorListe.clear();
    gkCursorJetzt = 0;
}

unsigned long plGtkXFenster(HWND hwnd)
{
    gkFenster* f = gkFensterVon(hwnd);
    GdkWindow* gw = f ? gtk_widget_get_window(f->fenster) : nullptr;
    if (!gw || !GDK_IS_X11_WINDOW(gw)) return 0;
    return gdk_x11_window_get_xid(gw);
}

bool plGtkSichtbar(HWND hwnd)
{
    gkFenster* f = gkFensterVon(hwnd);
    GdkWindow* gw = f ? gtk_widget_get_window(f->fenster) : nullptr;
    return gw && gtk_widget_get_mapped(f->fenster) && gdk_window_is_viewable(gw);
}

bool plGtkHatFokus(HWND hwnd)
{
    gkFenster* f = gkFensterVon(hwnd);
    return f && gtk_window_has_toplevel_focus(GTK_WINDOW(f->fenster));
}
