// Top-level windows of the GTK backend: one GtkWindow holding a drawing
// area that shows the layer's window surface; popups (menus, drop-downs,
// tooltips: WS_POPUP without caption) as override-redirect windows. Under
// a window manager a window with a caption gets the manager's own frame
// (its caption, borders, buttons and keys) and the drawing area shows the
// layer's surface from the client part on (menu strip and client area);
// without one (a bare X server) the window is undecorated and the layer
// draws caption and borders itself. Moves, sizes, maximising, minimising,
// activation and close requests by the desktop go back to the layer
// through backend.h, after GTK's iteration (gkSpaeter). Cursors.
// Prefix `gk`.
#include <X11/Xatom.h>
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
    // context is scaled and the picture is enlarged without blurring. Under
    // the manager's frame the layer's own frame part is left out.
    cairo_set_source_surface(cr, f->bild, -f->aus.left, -f->aus.top);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    if (f->hintergrund) {
        // GTK draws from now on: a background would only show an old
        // picture for a moment whenever a part of the window is exposed.
        f->hintergrund = false;
        GdkWindow* gw = gtk_widget_get_window(f->fenster);
        if (gw && GDK_IS_X11_WINDOW(gw)) XSetWindowBackgroundPixmap(GDK_WINDOW_XDISPLAY(gw), GDK_WINDOW_XID(gw), None);
    }
    return TRUE;
}

// The layer's picture of the window as its X background: the server shows
// it the moment the window is mapped, before GTK's first draw, which waits
// for the program's loop. Sent as it is (one XPutImage of the surface's
// rows) where the window's pixels have the surface's layout: 24-bit
// x8r8g8b8 in the host's byte order at scale 1; elsewhere GTK's draw is
// the first picture.
void gkHintergrundSetzen(gkFenster* f)
{
    GdkWindow* gw = gtk_widget_get_window(f->fenster);
    if (!f->bild || !gw || !GDK_IS_X11_WINDOW(gw) || gdk_window_get_scale_factor(gw) != 1) return;
    if (cairo_surface_get_type(f->bild) != CAIRO_SURFACE_TYPE_IMAGE ||
        cairo_image_surface_get_format(f->bild) != CAIRO_FORMAT_RGB24)
        return;
    Display* dpy = GDK_WINDOW_XDISPLAY(gw);
    Visual* v = GDK_VISUAL_XVISUAL(gdk_window_get_visual(gw));
    const int tiefe = gdk_visual_get_depth(gdk_window_get_visual(gw));
    const bool hostLsb = [] {
        const uint16_t eins = 1;
        return *reinterpret_cast<const unsigned char*>(&eins) == 1;
    }();
    if (tiefe != 24 || v->red_mask != 0xFF0000 || v->green_mask != 0xFF00 || v->blue_mask != 0xFF ||
        ImageByteOrder(dpy) != (hostLsb ? LSBFirst : MSBFirst))
        return;
    const int sb = cairo_image_surface_get_width(f->bild), sh = cairo_image_surface_get_height(f->bild);
    const int b = std::min<int>(f->rc.right - f->rc.left - f->aus.left - f->aus.right, sb - f->aus.left);
    const int h = std::min<int>(f->rc.bottom - f->rc.top - f->aus.top - f->aus.bottom, sh - f->aus.top);
    if (b <= 0 || h <= 0 || f->aus.left < 0 || f->aus.top < 0) return;
    cairo_surface_flush(f->bild);
    XImage* bild = XCreateImage(dpy, v, 24, ZPixmap, 0, reinterpret_cast<char*>(cairo_image_surface_get_data(f->bild)),
                                static_cast<unsigned>(sb), static_cast<unsigned>(sh), 32,
                                cairo_image_surface_get_stride(f->bild));
    if (!bild) return;
    if (bild->bits_per_pixel == 32) {
        const Window xid = GDK_WINDOW_XID(gw);
        Pixmap pm = XCreatePixmap(dpy, xid, static_cast<unsigned>(b), static_cast<unsigned>(h), 24);
        GC gc = XCreateGC(dpy, pm, 0, nullptr);
        XPutImage(dpy, pm, gc, bild, f->aus.left, f->aus.top, 0, 0, static_cast<unsigned>(b), static_cast<unsigned>(h));
        XFreeGC(dpy, gc);
        XSetWindowBackgroundPixmap(dpy, xid, pm);
        XFreePixmap(dpy, pm);  // the window keeps it while it is its background
        f->hintergrund = true;
    }
    bild->data = nullptr;  // the surface's, not the image's
    XDestroyImage(bild);
}

// Nothing of the window and its visible children is left to paint.
bool gkGemalt(HWND h)
{
    if (GetUpdateRect(h, nullptr, FALSE)) return false;
    for (HWND k = GetWindow(h, GW_CHILD); k; k = GetWindow(k, GW_HWNDNEXT))
        if (IsWindowVisible(k) && !gkGemalt(k)) return false;
    return true;
}

// Maps a window whose map waited (gkFensterZeigen), with the layer's
// picture as its first content, and sends the request at once.
void gkJetztZeigen(gkFenster* f)
{
    f->zeigenOffen = false;
    gkHintergrundSetzen(f);
    gtk_widget_show(f->fenster);
    if (f->aktivOffen) {
        f->aktivOffen = false;
        gtk_window_present_with_time(GTK_WINDOW(f->fenster), GDK_CURRENT_TIME);
    }
    gdk_display_flush(gtk_widget_get_display(f->fenster));
}

void gkRealisiert(GtkWidget*, gpointer p)
{
    if (gkFenster* f = gkFensterVon(gkHandle(p))) gkCursorAnwenden(f);
}

bool gkAusmassLesen(Display* dpy, Window xid, int skala, RECT* aus);
void gkHinstellen(gkFenster* f);

// Frame widths known per kind of window (dialog or not, sizable or not):
// the manager draws the same frame for the same kind.
std::map<int, RECT> gkAusmassBekannt;

int gkRahmenArt(DWORD stil, HWND besitzer)
{
    return ((besitzer || (stil & WS_POPUP)) ? 1 : 0) | ((stil & WS_THICKFRAME) ? 2 : 0);
}

// The outer rectangle of the manager's frame and its widths
// (_NET_FRAME_EXTENTS, which the manager sets before it shows the frame).
// False while unknown.
bool gkRahmenMessen(gkFenster* f, int breite, int hoehe, RECT* aussen, RECT* aus)
{
    GdkWindow* gw = gtk_widget_get_window(f->fenster);
    if (!gw || !GDK_IS_X11_WINDOW(gw)) return false;
    RECT a{};
    if (!gkAusmassLesen(GDK_WINDOW_XDISPLAY(gw), GDK_WINDOW_XID(gw), gdk_window_get_scale_factor(gw), &a)) return false;
    int x = 0, y = 0;
    gdk_window_get_origin(gw, &x, &y);
    *aus = a;
    *aussen = RECT{x - a.left, y - a.top, x + breite + a.right, y + hoehe + a.bottom};
    return true;
}

gboolean gkKonfiguriert(GtkWidget*, GdkEventConfigure* e, gpointer p)
{
    HWND h = gkHandle(p);
    gkFenster* f = gkFensterVon(h);
    if (!f || f->popup || !f->gezeigt) return FALSE;
    RECT neu{e->x, e->y, e->x + e->width, e->y + e->height};
    if (f->wmRahmen) {
        // Before the manager mapped it into its frame the window's place is
        // not the one it will have.
        if (!f->abgebildet) return FALSE;
        RECT aus{};
        if (!gkRahmenMessen(f, e->width, e->height, &neu, &aus)) return FALSE;
        if (gkGleich(neu, f->angefordert)) f->offen = false;
        bool offen = f->offen && plUhrJetztMs() - f->anfZeit < GK_ANFRAGE_MS && plUhrJetztMs() >= f->anfZeit;
        if (offen && !gkGleich(aus, f->ausAngefordert) && !f->maximiert && !IsZoomed(h) && !IsIconic(h)) {
            // The open request counted another frame (the state changed in
            // between): the window goes where the layer has it, inside the
            // frame it really has.
            f->aus = aus;
            gkAusmassBekannt[gkRahmenArt(f->stil, f->besitzer)] = aus;
            gkHinstellen(f);
            gkSpaeter([h, aus] { plBackendRahmen(h, &aus, nullptr); });
            return FALSE;
        }
        if (!gkGleich(aus, f->aus)) {
            // The manager's frame is not the one asked for (or it changed
            // with the window's state): the layer learns its widths.
            if (!f->maximiert) gkAusmassBekannt[gkRahmenArt(f->stil, f->besitzer)] = aus;
            f->aus = aus;
            f->rc = neu;
            f->angefordert = neu;
            f->offen = false;
            if (f->maximiert) {
                f->maxRc = neu;
                f->maxRcDa = true;
            }
            gkSpaeter([h, aus, neu] {
                gkFenster* g = gkFensterVon(h);
                if (!g || !IsWindow(h)) return;
                bool einig = !IsIconic(h) && g->maximiert == (IsZoomed(h) != FALSE);
                plBackendRahmen(h, &aus, einig ? &neu : nullptr);
            });
            return FALSE;
        }
        if (f->maximiert) {
            f->maxRc = neu;
            f->maxRcDa = true;
        } else if (!(f->stil & WS_THICKFRAME)) {
            // Nobody resizes a window without a sizing frame: its size
            // hints are the layer's size. Another size is a late answer to
            // an older request, and taking it would set the hints to it and
            // start the two sizes chasing each other.
            neu.right = neu.left + (f->rc.right - f->rc.left);
            neu.bottom = neu.top + (f->rc.bottom - f->rc.top);
        }
    }
    if (gkGleich(neu, f->rc)) return FALSE;
    if (gkGleich(neu, f->angefordert)) return FALSE;
    // Without a manager a geometry other than the one asked for shortly
    // after asking is a late answer to an older request. A manager sends
    // what it made of the request (or of the user's gesture): the last
    // word is the X server's, and taking it asks for nothing new.
    if (!f->wmRahmen && plUhrJetztMs() - f->anfZeit < GK_ANFRAGE_MS && plUhrJetztMs() >= f->anfZeit) return FALSE;
    f->rc = neu;
    f->angefordert = neu;
    gkSpaeter([h, neu] {
        gkFenster* g = gkFensterVon(h);
        if (!g || !IsWindow(h)) return;
        // Between the desktop's change of state and the layer's (the system
        // command is still queued) the rectangle is the other state's.
        if (g->wmRahmen && (IsIconic(h) || g->maximiert != (IsZoomed(h) != FALSE))) return;
        plBackendVerschoben(h, &neu);
    });
    return FALSE;
}

// Without a window manager a focus request for a window not yet on screen
// is lost: ask again once it is mapped.
gboolean gkAbgebildet(GtkWidget* w, GdkEvent*, gpointer p)
{
    HWND h = gkHandle(p);
    gkFenster* f = gkFensterVon(h);
    if (f) f->abgebildet = true;
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
        f->maximiert = gross;
        if (!gross) f->maxRcDa = false;
        gkSpaeter([h, gross] {
            if (!IsWindow(h)) return;
            if (gross && !IsZoomed(h)) PostMessage(h, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
            if (!gross && IsZoomed(h)) PostMessage(h, WM_SYSCOMMAND, SC_RESTORE, 0);
        });
    }
    return FALSE;
}

// Size limits for the desktop from WM_GETMINMAXINFO; they never exclude the
// size the layer gave the window. A window without a sizing frame keeps its
// size. GDK's limits are for the window inside the manager's frame.
void gkGrenzenSetzen(gkFenster* f)
{
    int sb = 0, sh = 0, dpi = 0;
    plBeBildschirm(&sb, &sh, &dpi);
    MINMAXINFO mm{};
    mm.ptMaxSize = POINT{sb, sh};
    mm.ptMaxTrackSize = POINT{sb, sh};
    // The procedure may destroy the window: `f` is looked up again by its
    // handle, never read after the call.
    const HWND fh = f->h;
    SendMessage(fh, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mm));
    if (!(f = gkFensterVon(fh))) return;
    int b = f->rc.right - f->rc.left, h = f->rc.bottom - f->rc.top;
    int rb = f->aus.left + f->aus.right, rh = f->aus.top + f->aus.bottom;
    GdkGeometry g{};
    g.min_width = std::clamp(static_cast<int>(mm.ptMinTrackSize.x), 1, std::max(b, 1));
    g.min_height = std::clamp(static_cast<int>(mm.ptMinTrackSize.y), 1, std::max(h, 1));
    g.max_width = std::max(static_cast<int>(mm.ptMaxTrackSize.x), b);
    g.max_height = std::max(static_cast<int>(mm.ptMaxTrackSize.y), h);
    if (f->wmRahmen && !(f->stil & WS_THICKFRAME)) {
        g.min_width = g.max_width = b;
        g.min_height = g.max_height = h;
    }
    g.min_width = std::max(1, g.min_width - rb);
    g.max_width = std::max(1, g.max_width - rb);
    g.min_height = std::max(1, g.min_height - rh);
    g.max_height = std::max(1, g.max_height - rh);
    gtk_window_set_geometry_hints(GTK_WINDOW(f->fenster), nullptr, &g,
                                  static_cast<GdkWindowHints>(GDK_HINT_MIN_SIZE | GDK_HINT_MAX_SIZE));
}

// The window's icon (WM_GETICON, else the class icon) for the desktop.
void gkIconSetzen(gkFenster* f)
{
    const HWND fh = f->h;
    HICON icon = static_cast<HICON>(SendMessage(fh, WM_GETICON, ICON_BIG, 0));
    if (!(f = gkFensterVon(fh)) || f->popup) return;
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

// Moves the window where the layer has it: the position is the frame's
// (the manager places its frame's corner there, gravity north-west), the
// size the inside's.
void gkHinstellen(gkFenster* f)
{
    f->angefordert = f->rc;
    f->ausAngefordert = f->aus;
    f->offen = true;
    f->anfZeit = plUhrJetztMs();
    GtkWindow* w = GTK_WINDOW(f->fenster);
    gtk_window_move(w, f->rc.left, f->rc.top);
    gtk_window_resize(w, std::max<int>(f->rc.right - f->rc.left - f->aus.left - f->aus.right, 1),
                      std::max<int>(f->rc.bottom - f->rc.top - f->aus.top - f->aus.bottom, 1));
}

// A window manager that frames windows and tells their frame's widths.
bool gkWmDa()
{
    GdkDisplay* d = gdk_display_get_default();
    if (!d || !GDK_IS_X11_DISPLAY(d)) return false;
    GdkScreen* s = gdk_display_get_default_screen(d);
    return gdk_x11_screen_supports_net_wm_hint(s, gdk_atom_intern_static_string("_NET_FRAME_EXTENTS")) &&
           gdk_x11_screen_supports_net_wm_hint(s, gdk_atom_intern_static_string("_NET_REQUEST_FRAME_EXTENTS"));
}


// The manager's frame widths of the X window `xid` in application pixels
// (the property counts device pixels; with a scale factor a part of an
// application pixel counts whole, so that the frame stays outside the
// client area).
bool gkAusmassLesen(Display* dpy, Window xid, int skala, RECT* aus)
{
    Atom a = XInternAtom(dpy, "_NET_FRAME_EXTENTS", False);
    Atom typ = None;
    int format = 0;
    unsigned long n = 0, rest = 0;
    unsigned char* daten = nullptr;
    bool ok = false;
    if (XGetWindowProperty(dpy, xid, a, 0, 4, False, XA_CARDINAL, &typ, &format, &n, &rest, &daten) == Success &&
        typ == XA_CARDINAL && format == 32 && n == 4 && daten) {
        const long* v = reinterpret_cast<const long*>(daten);
        const long k = std::max(skala, 1);
        auto teil = [k](long x) { return static_cast<LONG>((std::max(x, 0L) + k - 1) / k); };
        *aus = RECT{teil(v[0]), teil(v[2]), teil(v[1]), teil(v[3])};
        ok = true;
    }
    if (daten) XFree(daten);
    return ok;
}

// Asks the manager for the frame it will give the realised, not yet shown
// window (_NET_REQUEST_FRAME_EXTENTS); false when no answer comes in time.
bool gkAusmassErfragen(gkFenster* f, RECT* aus)
{
    GdkWindow* gw = gtk_widget_get_window(f->fenster);
    if (!gw || !GDK_IS_X11_WINDOW(gw)) return false;
    Display* dpy = GDK_WINDOW_XDISPLAY(gw);
    Window xid = GDK_WINDOW_XID(gw);
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = xid;
    ev.xclient.message_type = XInternAtom(dpy, "_NET_REQUEST_FRAME_EXTENTS", False);
    ev.xclient.format = 32;
    XSendEvent(dpy, DefaultRootWindow(dpy), False, SubstructureRedirectMask | SubstructureNotifyMask, &ev);
    XFlush(dpy);
    int skala = gdk_window_get_scale_factor(gw);
    return gkPumpenBis([&] { return gkAusmassLesen(dpy, xid, skala, aus); }, 500);
}

// A popup (menu, drop-down list, tooltip) has no caption; a border alone
// (WS_BORDER, a part of WS_CAPTION) makes no caption of it.
bool gkIstPopup(DWORD stil)
{
    return (stil & WS_POPUP) && (stil & WS_CAPTION) != WS_CAPTION;
}

// What the manager may do with a window: its style's buttons and frame.
void gkFunktionenSetzen(gkFenster* f)
{
    GdkWindow* gw = gtk_widget_get_window(f->fenster);
    if (!gw) return;
    int fn = GDK_FUNC_MOVE | GDK_FUNC_CLOSE;
    if (f->stil & WS_THICKFRAME) fn |= GDK_FUNC_RESIZE;
    if (f->stil & WS_MINIMIZEBOX) fn |= GDK_FUNC_MINIMIZE;
    if (f->stil & WS_MAXIMIZEBOX) fn |= GDK_FUNC_MAXIMIZE;
    gdk_window_set_functions(gw, static_cast<GdkWMFunction>(fn));
    // The buttons too, for managers that draw the frame from these: a
    // message box or a dialog without those styles has no minimise or
    // maximise button.
    int deko = GDK_DECOR_BORDER | GDK_DECOR_TITLE;
    if (f->stil & WS_SYSMENU) deko |= GDK_DECOR_MENU;
    if (f->stil & WS_THICKFRAME) deko |= GDK_DECOR_RESIZEH;
    if (f->stil & WS_MINIMIZEBOX) deko |= GDK_DECOR_MINIMIZE;
    if (f->stil & WS_MAXIMIZEBOX) deko |= GDK_DECOR_MAXIMIZE;
    gdk_window_set_decorations(gw, static_cast<GdkWMDecoration>(deko));
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

namespace {

// The window an ownerless message box or modal dialog stands over: the
// program's active window, else the window shown last (a box at start,
// before anything is active, over the main window). Under a manager a
// dialog that is transient for none may open behind the main window while
// it holds the keyboard.
GtkWindow* gkUeberWem(HWND selbst)
{
    HWND a = GetActiveWindow();
    if (a) a = GetAncestor(a, GA_ROOT);
    gkFenster* f = a && a != selbst ? gkFensterVon(a) : nullptr;
    if (f && !f->popup && f->gezeigt) return GTK_WINDOW(f->fenster);
    gkFenster* zuletzt = nullptr;
    for (auto& [h, g] : gkTabelleFenster)
        if (h != selbst && !g->popup && g->gezeigt && (!zuletzt || g->gezeigtNr > zuletzt->gezeigtNr))
            zuletzt = g.get();
    return zuletzt ? GTK_WINDOW(zuletzt->fenster) : nullptr;
}

uint64_t gkGezeigtZaehler = 0;
bool gkErstesGezeigt = false;  // a top-level window was shown since the start

}  // namespace

int gkFensterAnlegen(HWND hwnd, const RECT* rc, DWORD stil, DWORD exStil, HWND besitzer)
{
    if (gkFensterVon(hwnd)) gkFensterZerstoeren(hwnd);
    auto f = std::make_unique<gkFenster>();
    f->h = hwnd;
    f->rc = rc ? *rc : RECT{0, 0, 1, 1};
    f->popup = gkIstPopup(stil);
    f->stil = stil;
    f->besitzer = besitzer;
    f->boxArt = !f->popup && !besitzer && (exStil & WS_EX_DLGMODALFRAME);
    f->wmRahmen = !f->popup && gkWmDa();
    f->fenster = gtk_window_new(f->popup ? GTK_WINDOW_POPUP : GTK_WINDOW_TOPLEVEL);
    GtkWindow* w = GTK_WINDOW(f->fenster);
    gtk_window_set_decorated(w, f->wmRahmen ? TRUE : FALSE);
    if (GtkWindow* b = besitzer ? gkGtkFensterVon(besitzer) : f->boxArt ? gkUeberWem(hwnd) : nullptr)
        gtk_window_set_transient_for(w, b);
    if (f->popup) {
        // Menus, drop-down lists and tooltips: override-redirect, never
        // given the focus (the keys stay with the window they belong to).
        gtk_window_set_type_hint(w, GDK_WINDOW_TYPE_HINT_POPUP_MENU);
        gtk_window_set_accept_focus(w, FALSE);
        gtk_window_set_focus_on_map(w, FALSE);
    } else if (besitzer || f->boxArt) {
        gtk_window_set_type_hint(w, GDK_WINDOW_TYPE_HINT_DIALOG);
    }
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
    if (roh->wmRahmen) {
        gtk_widget_realize(roh->fenster);
        gkFunktionenSetzen(roh);
        int art = gkRahmenArt(stil, besitzer);
        RECT aus{};
        auto it = gkAusmassBekannt.find(art);
        if (it != gkAusmassBekannt.end())
            aus = it->second;
        else if (gkAusmassErfragen(roh, &aus))
            gkAusmassBekannt[art] = aus;
        else
            aus = RECT{1, 24, 1, 4};  // corrected when the window is shown
        if (!(roh = gkFensterVon(hwnd))) return -1;
        roh->aus = aus;
    }
    gkHinstellen(roh);
    return 0;
}

int gkRahmen(HWND hwnd, DWORD stil, DWORD, RECT* ausmass)
{
    if (hwnd) {
        gkFenster* f = gkFensterVon(hwnd);
        if (!f || !f->wmRahmen) return 0;
        *ausmass = f->aus;
        return 1;
    }
    if (gkIstPopup(stil) || (stil & WS_CHILD) || !gkWmDa()) return 0;
    int art = gkRahmenArt(stil, 0);
    auto it = gkAusmassBekannt.find(art);
    if (it == gkAusmassBekannt.end()) {
        // No window of the kind yet: a hidden one asks the manager.
        gkFenster probe;
        probe.stil = stil;
        probe.fenster = gtk_window_new(GTK_WINDOW_TOPLEVEL);
        if (art & 1) gtk_window_set_type_hint(GTK_WINDOW(probe.fenster), GDK_WINDOW_TYPE_HINT_DIALOG);
        gtk_widget_realize(probe.fenster);
        gkFunktionenSetzen(&probe);
        RECT aus{};
        if (gkAusmassErfragen(&probe, &aus)) gkAusmassBekannt[art] = aus;
        gtk_widget_destroy(probe.fenster);
        it = gkAusmassBekannt.find(art);
    }
    *ausmass = it != gkAusmassBekannt.end() ? it->second : RECT{1, 24, 1, 4};
    return 1;
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
        f->abgebildet = false;
        f->zeigenOffen = f->aktivOffen = false;
        gtk_widget_hide(f->fenster);
        return;
    }
    if (!f->popup) {
        gkGrenzenSetzen(f);
        if (!(f = gkFensterVon(hwnd))) return;
        gkIconSetzen(f);
        if (!(f = gkFensterVon(hwnd))) return;
        // A dialog whose owner is disabled (and an ownerless box, which
        // disables every window) is modal over it: the manager keeps it
        // above the owner and gives it the focus. Only the manager is told:
        // GTK's own modality would grab the pointer for this window, and a
        // box shown over it later would get neither clicks nor its close
        // button; the layer keeps disabled windows from input itself.
        if (f->besitzer || f->boxArt) {
            gtk_widget_realize(f->fenster);
            if (GdkWindow* gw = gtk_widget_get_window(f->fenster))
                gdk_window_set_modal_hint(gw, f->boxArt || !IsWindowEnabled(f->besitzer));
        }
    }
    if (!f->maximiert) gkHinstellen(f);
    f->gezeigt = true;
    f->gezeigtNr = ++gkGezeigtZaehler;
    // The program's first window (its main window at the start) is painted
    // by the layer after it is shown: mapped now, the desktop would show it
    // empty (black) until the loop lets GTK draw, which at a start comes
    // after the heavy work. Its map waits for the first picture
    // (gkPraesentieren) or the next wait, whichever comes first. Later
    // windows are mapped at once: a program busy with posted messages (a
    // dialog waiting for itself to be visible) neither paints nor waits.
    if (f->popup || gkErstesGezeigt) {
        gtk_widget_show(f->fenster);
        return;
    }
    gkErstesGezeigt = true;
    f->zeigenOffen = true;
}

void gkOffeneZeigen()
{
    std::vector<gkFenster*> offen;
    for (auto& [h, f] : gkTabelleFenster)
        if (f->zeigenOffen) offen.push_back(f.get());
    for (gkFenster* f : offen) gkJetztZeigen(f);
}

void gkFensterPlatz(HWND hwnd, const RECT* rc)
{
    gkFenster* f = gkFensterVon(hwnd);
    if (!f || !rc) return;
    f->rc = *rc;
    bool gross = IsZoomed(hwnd) != FALSE;
    bool ikon = IsIconic(hwnd) != FALSE;
    if (f->wmRahmen && !f->popup) {
        // The manager maximises: only a change of the layer's own state
        // asks it to (a layer still behind the desktop's change asks
        // nothing), and no rectangle of the layer moves a maximised window.
        if (gross != f->schichtGross) {
            f->schichtGross = gross;
            if (gross != f->maximiert) {
                f->maximiert = gross;
                f->maxRcDa = false;
                if (gross)
                    gtk_window_maximize(GTK_WINDOW(f->fenster));
                else
                    gtk_window_unmaximize(GTK_WINDOW(f->fenster));
            }
        }
        if (f->maximiert) {
            if (gross && f->maxRcDa && !gkGleich(f->maxRc, *rc)) {
                RECT m = f->maxRc;
                gkSpaeter([hwnd, m] {
                    if (IsZoomed(hwnd)) plBackendVerschoben(hwnd, &m);
                });
            }
        } else if (!gross && !ikon) {
            // Back from maximised before the manager's frame of a normal
            // window was seen: ask with that frame, not the maximised one.
            auto bekannt = gkAusmassBekannt.find(gkRahmenArt(f->stil, f->besitzer));
            if (bekannt != gkAusmassBekannt.end() && !gkGleich(bekannt->second, f->aus)) {
                RECT aus = f->aus = bekannt->second;
                gkSpaeter([hwnd, aus] { plBackendRahmen(hwnd, &aus, nullptr); });
                f->angefordert = RECT{0, 0, 0, 0};
            }
            if (!gkGleich(f->angefordert, *rc)) gkHinstellen(f);
            if (f->gezeigt) gkGrenzenSetzen(f);
            if (!(f = gkFensterVon(hwnd))) return;
        }
    } else if (!gkGleich(f->angefordert, *rc)) {
        gkHinstellen(f);
    }
    // The layer's minimised state shows on the desktop as an iconified
    // window, and back: when the layer changed it (a layer still behind the
    // desktop's change asks nothing).
    bool geaendert = ikon != f->schichtIkon;
    f->schichtIkon = ikon;
    if (!f->popup && f->gezeigt && geaendert && ikon != f->ikonisch) {
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
    if (f->zeigenOffen)
        f->aktivOffen = true;  // presenting would map it now
    else if (f->gezeigt)
        gtk_window_present_with_time(GTK_WINDOW(f->fenster), GDK_CURRENT_TIME);
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
    // The window waiting to be mapped goes on screen once the layer has
    // painted it whole (frame, client area and children: a picture of the
    // frame alone would show an empty client area).
    if (f->zeigenOffen && gkGemalt(hwnd)) gkJetztZeigen(f);
    // The frame clock draws what was asked for at its next frame.
    if (bereich)
        gtk_widget_queue_draw_area(f->flaeche, bereich->left - f->aus.left, bereich->top - f->aus.top,
                                   bereich->right - bereich->left, bereich->bottom - bereich->top);
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
    gkErstesGezeigt = false;
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
