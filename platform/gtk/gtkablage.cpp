// Clipboard and dropped files of the GTK backend. Prefix `gk`.
// Clipboard: the CLIPBOARD selection. The layer offers each format of one
// CloseClipboard in turn; offers made with no GTK iteration between belong
// together and are offered as one set of targets: CF_TEXT as UTF-8 text
// (line ends "\r\n" inside, "\n" outside), CF_HDROP as text/uri-list,
// CF_BITMAP as image/png (PNG bytes from the layer), registered formats as
// "application/x-velmo-<name>". Reading asks GTK and pumps GTK's loop until
// the answer comes or a bounded time passed; the GUI is never blocked
// without pumping. Losing the selection to another program drops the
// layer's own content (plClipFremd), after the iteration.
// Drops: each toplevel accepts text/uri-list; the files go to the layer as
// WM_DROPFILES through plAblegenDateien.
#include <cstring>
#include <map>
#include <memory>

#include "platform/ablegen.h"
#include "platform/cp1252.h"
#include "platform/globalmem.h"
#include "platform/gtk/gtkbackend.h"
#include "platform/gtk/gtkint.h"
#include "platform/zwischenablage.h"

namespace {

inline constexpr int GK_CLIP_LESEN_MS = 3000;  // longest wait for another program's answer

struct gkAngebot {
    std::vector<std::string> formate;              // index = target info
    std::vector<std::vector<uint8_t>> daten;       // as sent outside
};

gkAngebot* gkClipJetzt = nullptr;
uint64_t gkClipRunde = 0;
bool gkClipSelbst = false;  // we replace our own offer

std::string gkTextNachAussen(const void* p, size_t n)
{
    const char* c = static_cast<const char*>(p);
    size_t len = c ? strnlen(c, n) : 0;
    std::string t;
    t.reserve(len);
    for (size_t i = 0; i < len; ++i) {
        if (c[i] == '\r') {
            // A run of CRs before an LF is one line end outside; dropping only
            // the last CR lost one more of the run with every copy and paste.
            size_t j = i;
            while (j < len && c[j] == '\r') ++j;
            if (j < len && c[j] == '\n') {
                i = j - 1;
                continue;
            }
        }
        t += c[i];
    }
    return plCpNachUtf8(t);
}

std::vector<uint8_t> gkTextNachInnen(const char* utf8)
{
    std::string z;
    for (const char* p = utf8; p && *p; ++p) {
        if (*p == '\n' && (z.empty() || z.back() != '\r')) z += '\r';
        z += *p;
    }
    std::string t = plCpAusUtf8Melden(z, "Zwischenablage");
    std::vector<uint8_t> v(t.begin(), t.end());
    v.push_back(0);
    return v;
}

// The names of a DROPFILES block, bounded by its size.
std::vector<std::string> gkDropNamen(const void* p, size_t n)
{
    std::vector<std::string> namen;
    if (!p || n < sizeof(DROPFILES)) return namen;
    DROPFILES kopf;
    std::memcpy(&kopf, p, sizeof kopf);
    if (kopf.fWide || kopf.pFiles < sizeof(DROPFILES) || kopf.pFiles >= n) return namen;
    const char* c = static_cast<const char*>(p);
    size_t i = kopf.pFiles;
    while (i < n && c[i]) {
        size_t len = strnlen(c + i, n - i);
        namen.emplace_back(c + i, len);
        i += len + 1;
    }
    return namen;
}

std::vector<uint8_t> gkDropBlock(const std::vector<std::string>& namen)
{
    std::vector<uint8_t> v;
    HGLOBAL h = plAblegenListe(namen, POINT{0, 0}, false);
    if (!h) return v;
    if (const auto* p = static_cast<const uint8_t*>(GlobalLock(h))) {
        v.assign(p, p + GlobalSize(h));
        GlobalUnlock(h);
    }
    GlobalFree(h);
    return v;
}

void gkClipGeben(GtkClipboard*, GtkSelectionData* sd, guint info, gpointer p)
{
    auto* a = static_cast<gkAngebot*>(p);
    if (info >= a->formate.size()) return;
    const std::vector<uint8_t>& d = a->daten[info];
    if (a->formate[info] == "CF_TEXT")
        gtk_selection_data_set_text(sd, reinterpret_cast<const char*>(d.data()), static_cast<gint>(d.size()));
    else
        gtk_selection_data_set(sd, gtk_selection_data_get_target(sd), 8, d.data(), static_cast<gint>(d.size()));
}

void gkClipWeg(GtkClipboard*, gpointer p)
{
    auto* a = static_cast<gkAngebot*>(p);
    bool fremd = !gkClipSelbst && a == gkClipJetzt;
    if (a == gkClipJetzt) gkClipJetzt = nullptr;
    delete a;
    if (fremd) gkSpaeter([] { plClipFremd(); });
}

struct gkLesen {
    bool fertig = false;
    bool aufgegeben = false;
    bool ok = false;
    std::vector<uint8_t> daten;
};

void gkLesenText(GtkClipboard*, const gchar* text, gpointer p)
{
    auto* l = static_cast<gkLesen*>(p);
    if (l->aufgegeben) {
        delete l;
        return;
    }
    l->fertig = true;
    if (text) {
        l->ok = true;
        l->daten.assign(text, text + std::strlen(text));
        l->daten.push_back(0);
    }
}

void gkLesenDaten(GtkClipboard*, GtkSelectionData* sd, gpointer p)
{
    auto* l = static_cast<gkLesen*>(p);
    if (l->aufgegeben) {
        delete l;
        return;
    }
    l->fertig = true;
    gint n = sd ? gtk_selection_data_get_length(sd) : -1;
    if (n >= 0) {
        const guchar* d = gtk_selection_data_get_data(sd);
        l->ok = true;
        if (d && n > 0) l->daten.assign(d, d + n);
    }
}

void gkAbgelegt(GtkWidget*, GdkDragContext* kontext, gint x, gint y, GtkSelectionData* sd, guint, guint zeit, gpointer p)
{
    HWND oben = static_cast<HWND>(GPOINTER_TO_UINT(p));
    gchar** uris = sd ? gtk_selection_data_get_uris(sd) : nullptr;
    std::vector<std::string> liste;
    for (gchar** u = uris; u && *u; ++u) liste.emplace_back(*u);
    g_strfreev(uris);
    HWND ziel = plGtkAblegen(oben, x, y, liste);
    if (kontext) gtk_drag_finish(kontext, ziel != 0, FALSE, zeit);
}

}  // namespace

std::string plGtkClipZiel(const char* format)
{
    if (!format) return std::string();
    if (std::strcmp(format, "CF_TEXT") == 0) return "UTF8_STRING";
    if (std::strcmp(format, "CF_HDROP") == 0) return "text/uri-list";
    if (std::strcmp(format, "CF_BITMAP") == 0) return "image/png";
    return std::string("application/x-velmo-") + format;
}

std::vector<uint8_t> plGtkClipNachAussen(const char* format, const void* daten, size_t n)
{
    std::vector<uint8_t> d;
    if (!format) return d;
    if (std::strcmp(format, "CF_TEXT") == 0) {
        std::string t = gkTextNachAussen(daten, n);
        d.assign(t.begin(), t.end());
    } else if (std::strcmp(format, "CF_HDROP") == 0) {
        std::string t = plGtkUriListeSchreiben(gkDropNamen(daten, n));
        d.assign(t.begin(), t.end());
    } else if (daten && n) {
        const auto* b = static_cast<const uint8_t*>(daten);
        d.assign(b, b + n);
    }
    return d;
}

bool plGtkClipVonAussen(const char* format, const void* daten, size_t n, std::vector<uint8_t>* aus)
{
    aus->clear();
    if (!format) return false;
    if (std::strcmp(format, "CF_TEXT") == 0) {
        const char* c = static_cast<const char*>(daten);
        const std::string t = c ? std::string(c, strnlen(c, n)) : std::string();
        *aus = gkTextNachInnen(t.c_str());
    } else if (std::strcmp(format, "CF_HDROP") == 0) {
        const std::string t = daten ? std::string(static_cast<const char*>(daten), n) : std::string();
        std::vector<std::string> namen = plGtkUriListeLesen(t);
        if (namen.empty()) return false;
        *aus = gkDropBlock(namen);
        if (aus->empty()) return false;
    } else if (daten && n) {
        const auto* b = static_cast<const uint8_t*>(daten);
        aus->assign(b, b + n);
    }
    return true;
}

int gkClipSchreiben(const char* format, const void* daten, size_t n)
{
    if (!format || !*format) return 0;
    auto* neu = new gkAngebot;
    if (gkClipJetzt && gkClipRunde == gkIterationen()) *neu = *gkClipJetzt;
    gkClipRunde = gkIterationen();
    std::vector<uint8_t> d = plGtkClipNachAussen(format, daten, n);
    bool ersetzt = false;
    for (size_t i = 0; i < neu->formate.size(); ++i)
        if (neu->formate[i] == format) {
            neu->daten[i] = d;
            ersetzt = true;
        }
    if (!ersetzt) {
        neu->formate.emplace_back(format);
        neu->daten.push_back(std::move(d));
    }
    GtkTargetList* liste = gtk_target_list_new(nullptr, 0);
    for (size_t i = 0; i < neu->formate.size(); ++i) {
        if (neu->formate[i] == "CF_TEXT")
            gtk_target_list_add_text_targets(liste, static_cast<guint>(i));
        else
            gtk_target_list_add(liste, gdk_atom_intern(plGtkClipZiel(neu->formate[i].c_str()).c_str(), FALSE), 0,
                                static_cast<guint>(i));
    }
    gint anzahl = 0;
    GtkTargetEntry* ziele = gtk_target_table_new_from_list(liste, &anzahl);
    gtk_target_list_unref(liste);
    GtkClipboard* cb = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
    gkClipSelbst = true;
    gboolean ok = gtk_clipboard_set_with_data(cb, ziele, static_cast<guint>(anzahl), gkClipGeben, gkClipWeg, neu);
    gkClipSelbst = false;
    gtk_target_table_free(ziele, anzahl);
    if (!ok) {
        delete neu;
        return 0;
    }
    gkClipJetzt = neu;
    gtk_clipboard_set_can_store(cb, nullptr, 0);
    return 1;
}

int gkClipLesen(const char* format, std::vector<uint8_t>* aus)
{
    if (!format || !aus) return 0;
    GtkClipboard* cb = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
    bool text = std::strcmp(format, "CF_TEXT") == 0;
    auto* l = new gkLesen;
    if (text)
        gtk_clipboard_request_text(cb, gkLesenText, l);
    else
        gtk_clipboard_request_contents(cb, gdk_atom_intern(plGtkClipZiel(format).c_str(), FALSE), gkLesenDaten, l);
    if (!gkPumpenBis([l] { return l->fertig; }, GK_CLIP_LESEN_MS)) {
        l->aufgegeben = true;  // the late answer frees it
        return 0;
    }
    std::unique_ptr<gkLesen> weg(l);
    if (!l->ok) return 0;
    std::vector<uint8_t> d;
    if (!plGtkClipVonAussen(format, l->daten.data(), l->daten.size(), &d)) return 0;
    *aus = std::move(d);
    return 1;
}

void gkClipEnde()
{
    if (gkClipJetzt) {
        gkClipSelbst = true;
        gtk_clipboard_clear(gtk_clipboard_get(GDK_SELECTION_CLIPBOARD));
        gkClipSelbst = false;
    }
}

void gkAblageVerbinden(gkFenster* f)
{
    static const GtkTargetEntry ziel[] = {{const_cast<gchar*>("text/uri-list"), 0, 0}};
    gtk_drag_dest_set(f->flaeche, GTK_DEST_DEFAULT_ALL, ziel, 1, GDK_ACTION_COPY);
    g_signal_connect(f->flaeche, "drag-data-received", G_CALLBACK(gkAbgelegt), GUINT_TO_POINTER(static_cast<guint>(f->h)));
}

HWND plGtkAblegen(HWND oben, int x, int y, const std::vector<std::string>& uris)
{
    gkFenster* f = gkFensterVon(oben);
    if (!f) return 0;
    std::string liste;
    for (const std::string& u : uris) liste += u + "\r\n";
    std::vector<std::string> pfade = plGtkUriListeLesen(liste);
    if (pfade.empty()) return 0;
    HWND ziel = plAblegenDateien(f->rc.left + f->aus.left + x, f->rc.top + f->aus.top + y, pfade);
    if (ziel) gkGeschehen();
    return ziel;
}

std::vector<std::string> plGtkUriListeLesen(const std::string& text)
{
    std::vector<std::string> pfade;
    gchar** uris = g_uri_list_extract_uris(text.c_str());
    for (gchar** u = uris; u && *u; ++u) {
        gchar* pfad = g_filename_from_uri(*u, nullptr, nullptr);
        if (!pfad) continue;  // not a local file
        pfade.push_back(plCpAusUtf8Melden(pfad, "abgelegte Datei"));
        g_free(pfad);
    }
    g_strfreev(uris);
    return pfade;
}

std::string plGtkUriListeSchreiben(const std::vector<std::string>& pfade1252)
{
    std::string liste;
    for (const std::string& p : pfade1252) {
        std::string u8 = plCpNachUtf8(p);
        for (char& c : u8)
            if (c == '\\') c = '/';
        gchar* uri = g_filename_to_uri(u8.c_str(), nullptr, nullptr);
        if (!uri) continue;  // not an absolute path
        liste += uri;
        liste += "\r\n";
        g_free(uri);
    }
    return liste;
}

// ---- A drag source for the desktop tests ------------------------------------------------------

namespace {

GtkWidget* gkQuelle = nullptr;
std::vector<std::string> gkQuelleUris;

void gkQuelleGeben(GtkWidget*, GdkDragContext*, GtkSelectionData* sd, guint, guint, gpointer)
{
    std::vector<gchar*> v;
    for (std::string& u : gkQuelleUris) v.push_back(u.data());
    v.push_back(nullptr);
    gtk_selection_data_set_uris(sd, v.data());
}

gboolean gkQuelleMalen(GtkWidget*, cairo_t* cr, gpointer)
{
    cairo_set_source_rgb(cr, 0.2, 0.4, 0.8);
    cairo_paint(cr);
    return TRUE;
}

}  // namespace

void plGtkZiehQuelle(int x, int y, const std::vector<std::string>& uris)
{
    plGtkZiehQuelleWeg();
    gkQuelleUris = uris;
    gkQuelle = gtk_window_new(GTK_WINDOW_POPUP);
    gtk_window_move(GTK_WINDOW(gkQuelle), x, y);
    gtk_window_resize(GTK_WINDOW(gkQuelle), 40, 40);
    gtk_widget_set_app_paintable(gkQuelle, TRUE);
    static const GtkTargetEntry ziel[] = {{const_cast<gchar*>("text/uri-list"), 0, 0}};
    gtk_drag_source_set(gkQuelle, GDK_BUTTON1_MASK, ziel, 1, GDK_ACTION_COPY);
    g_signal_connect(gkQuelle, "drag-data-get", G_CALLBACK(gkQuelleGeben), nullptr);
    g_signal_connect(gkQuelle, "draw", G_CALLBACK(gkQuelleMalen), nullptr);
    gtk_widget_show(gkQuelle);
}

void plGtkZiehQuelleWeg()
{
    if (gkQuelle) gtk_widget_destroy(gkQuelle);
    gkQuelle = nullptr;
    gkQuelleUris.clear();
}
