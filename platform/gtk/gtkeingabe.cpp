// Input of the GTK backend: GDK key events to virtual keys, typed text
// through the input method (GtkIMContext) as characters of code page 1252,
// mouse buttons, moves and the wheel, all queued as input events of the
// layer (eingabe.h), which makes the messages (double clicks by its own
// rules, WM_CHAR from key strokes by TranslateMessage). Prefix `gk`.
//
// Keys and text: a key whose character the layer's own translation gives
// the same way is sent as a key stroke only (TranslateMessage makes the
// WM_CHAR); a character the layer's translation would not give (umlauts on
// any layout, symbols of other layouts, compose results) is sent as a typed
// character only, like the headless backend types text. A key the input
// method does not take (arrows, F-keys, Ctrl combinations) is a key stroke.
#include <cmath>
#include <cstdio>
#include <map>

#include "platform/cp1252.h"
#include "platform/eingabe.h"
#include "platform/gtk/gtkbackend.h"
#include "platform/gtk/gtkint.h"

namespace {

std::map<guint16, UINT> gkUnten;  // hardware keys whose press went to the layer, with their vk
bool gkImInTaste = false;          // a key press is being filtered by the input method
bool gkImTasteGesendet = false;
GdkEventKey* gkImEreignis = nullptr;
plGtkTaste gkImTaste{0, false};

HWND gkHandle(gpointer p)
{
    return static_cast<HWND>(GPOINTER_TO_UINT(p));
}

POINT gkMaus()
{
    POINT p;
    GetCursorPos(&p);
    return p;
}

// The layer makes the scan code from the key (MapVirtualKey) and stamps
// the time when the event is queued.
void gkTasteSenden(UINT vk, bool erweitert, bool runter)
{
    plEingabeEreignis e{};
    e.art = runter ? plEreignisArt::TasteRunter : plEreignisArt::TasteHoch;
    e.vk = vk;
    e.erweitert = erweitert;
    e.pos = gkMaus();
    plEingabeEreignisEinreihen(e);
    gkGeschehen();
}

void gkZeichenSenden(const char* utf8)
{
    std::string t = plCpAusUtf8Melden(utf8, "Tastatureingabe");
    for (unsigned char c : t) {
        plEingabeEreignis e{};
        e.art = plEreignisArt::Zeichen;
        e.zeichen = c;
        e.pos = gkMaus();
        plEingabeEreignisEinreihen(e);
    }
    gkGeschehen();
}

// The layer's key state for the modifiers of a GDK event.
void gkZustand(guint state, BYTE* z)
{
    for (int i = 0; i < 256; ++i) z[i] = 0;
    if (state & GDK_SHIFT_MASK) z[VK_SHIFT] = 0x80;
    if (state & GDK_LOCK_MASK) z[VK_CAPITAL] = 0x01;
    if (state & GDK_CONTROL_MASK) z[VK_CONTROL] = 0x80;
    if (state & GDK_MOD1_MASK) z[VK_MENU] = 0x80;
}

bool gkIstZiffernblock(guint kv)
{
    return kv >= GDK_KEY_KP_Space && kv <= GDK_KEY_KP_9;
}

// The key of an event: the key value of the key without modifiers, so that
// Shift+2 is still the key '2' on every layout; keypad keys as NumLock makes
// them.
plGtkTaste gkTasteAusEreignis(const GdkEventKey* e)
{
    guint kv = e->keyval;
    if (!gkIstZiffernblock(kv)) {
        guint basis = 0;
        GdkKeymap* km = gdk_keymap_get_for_display(gdk_display_get_default());
        if (km && gdk_keymap_translate_keyboard_state(km, e->hardware_keycode, static_cast<GdkModifierType>(0),
                                                      e->group, &basis, nullptr, nullptr, nullptr) &&
            basis)
            kv = basis;
    }
    plGtkTaste t = plGtkTasteVon(kv);
    if (!t.vk && kv != e->keyval) t = plGtkTasteVon(e->keyval);
    return t;
}

void gkImCommit(GtkIMContext*, const gchar* text, gpointer)
{
    if (!text || !*text) return;
    if (gkImInTaste && gkImEreignis && gkImTaste.vk && !gkImTasteGesendet) {
        // One character the layer's translation of this key gives the same:
        // the key stroke alone, TranslateMessage makes the character.
        gunichar u = g_utf8_get_char(text);
        const char* weiter = g_utf8_next_char(text);
        int b = plCpByte(static_cast<char32_t>(u));
        BYTE zustand[256];
        gkZustand(gkImEreignis->state, zustand);
        WORD w = 0;
        if (!*weiter && b >= 0 && ToAscii(gkImTaste.vk, 0, zustand, &w, 0) == 1 && w == b) {
            gkTasteSenden(gkImTaste.vk, gkImTaste.erweitert, true);
            gkUnten[gkImEreignis->hardware_keycode] = gkImTaste.vk | (gkImTaste.erweitert ? 0x10000u : 0u);
            gkImTasteGesendet = true;
            return;
        }
    }
    gkZeichenSenden(text);
}

gboolean gkTasteRunter(GtkWidget*, GdkEventKey* e, gpointer p)
{
    gkFenster* f = gkFensterVon(gkHandle(p));
    if (!f) return FALSE;
    plGtkTaste t = gkTasteAusEreignis(e);
    // AltGr is a shift level, not the layer's Alt: no key stroke of its own.
    if (e->keyval == GDK_KEY_ISO_Level3_Shift || e->keyval == GDK_KEY_Mode_switch) t.vk = 0;
    gkImInTaste = true;
    gkImTasteGesendet = false;
    gkImEreignis = e;
    gkImTaste = t;
    bool genommen = f->im && gtk_im_context_filter_keypress(f->im, e);
    gkImInTaste = false;
    gkImEreignis = nullptr;
    if (!genommen && t.vk) {
        gkTasteSenden(t.vk, t.erweitert, true);
        gkUnten[e->hardware_keycode] = t.vk | (t.erweitert ? 0x10000u : 0u);
    }
    return TRUE;
}

gboolean gkTasteHoch(GtkWidget*, GdkEventKey* e, gpointer p)
{
    gkFenster* f = gkFensterVon(gkHandle(p));
    if (f && f->im) gtk_im_context_filter_keypress(f->im, e);
    auto it = gkUnten.find(e->hardware_keycode);
    if (it != gkUnten.end()) {
        UINT v = it->second;
        gkUnten.erase(it);
        gkTasteSenden(v & 0xFFFF, (v & 0x10000u) != 0, false);
    }
    return TRUE;
}

gboolean gkFokusIm(GtkWidget*, GdkEventFocus* e, gpointer p)
{
    gkFenster* f = gkFensterVon(gkHandle(p));
    if (f && f->im) {
        if (e->in)
            gtk_im_context_focus_in(f->im);
        else
            gtk_im_context_focus_out(f->im);
    }
    if (!e->in) {
        // Keys held while the focus leaves come up for the layer now.
        for (auto& eintrag : gkUnten) gkTasteSenden(eintrag.second & 0xFFFF, (eintrag.second & 0x10000u) != 0, false);
        gkUnten.clear();
    }
    return FALSE;
}

void gkRealisiertIm(GtkWidget* w, gpointer p)
{
    gkFenster* f = gkFensterVon(gkHandle(p));
    if (f && f->im) gtk_im_context_set_client_window(f->im, gtk_widget_get_window(w));
}

POINT gkBildschirmPunkt(const gkFenster* f, double x, double y)
{
    return POINT{f->rc.left + f->aus.left + static_cast<LONG>(std::floor(x)),
                 f->rc.top + f->aus.top + static_cast<LONG>(std::floor(y))};
}

int gkKnopf(guint b)
{
    switch (b) {
    case 1: return 0;
    case 3: return 1;
    case 2: return 2;
    default: return -1;
    }
}

gboolean gkMausKnopf(GtkWidget*, GdkEventButton* e, gpointer p)
{
    gkFenster* f = gkFensterVon(gkHandle(p));
    // Double clicks are made by the layer from single presses.
    if (!f || (e->type != GDK_BUTTON_PRESS && e->type != GDK_BUTTON_RELEASE)) return TRUE;
    int k = gkKnopf(e->button);
    if (k < 0) return TRUE;
    plEingabeEreignis x{};
    x.art = e->type == GDK_BUTTON_PRESS ? plEreignisArt::MausRunter : plEreignisArt::MausHoch;
    x.pos = gkBildschirmPunkt(f, e->x, e->y);
    x.knopf = k;
    plEingabeEreignisEinreihen(x);
    gkGeschehen();
    return TRUE;
}

gboolean gkMausBewegt(GtkWidget*, GdkEventMotion* e, gpointer p)
{
    gkFenster* f = gkFensterVon(gkHandle(p));
    if (!f) return TRUE;
    plEingabeEreignis x{};
    x.art = plEreignisArt::MausBewegung;
    x.pos = gkBildschirmPunkt(f, e->x, e->y);
    plEingabeEreignisEinreihen(x);
    gkGeschehen();
    return TRUE;
}

gboolean gkRad(GtkWidget*, GdkEventScroll* e, gpointer p)
{
    gkFenster* f = gkFensterVon(gkHandle(p));
    if (!f) return TRUE;
    int delta = 0;
    switch (e->direction) {
    case GDK_SCROLL_UP: delta = WHEEL_DELTA; break;
    case GDK_SCROLL_DOWN: delta = -WHEEL_DELTA; break;
    case GDK_SCROLL_SMOOTH: delta = plGtkRadSumme(&f->radRest, e->delta_y); break;
    default: break;
    }
    if (!delta) return TRUE;
    plEingabeEreignis x{};
    x.art = plEreignisArt::MausRad;
    x.pos = gkBildschirmPunkt(f, e->x, e->y);
    x.delta = delta;
    plEingabeEreignisEinreihen(x);
    gkGeschehen();
    return TRUE;
}

}  // namespace

void gkEingabeVerbinden(gkFenster* f)
{
    gpointer p = GUINT_TO_POINTER(static_cast<guint>(f->h));
    gtk_widget_add_events(f->flaeche, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK | GDK_POINTER_MOTION_MASK |
                                          GDK_SCROLL_MASK | GDK_SMOOTH_SCROLL_MASK);
    gtk_widget_add_events(f->fenster, GDK_STRUCTURE_MASK | GDK_KEY_PRESS_MASK | GDK_KEY_RELEASE_MASK | GDK_FOCUS_CHANGE_MASK);
    g_signal_connect(f->fenster, "key-press-event", G_CALLBACK(gkTasteRunter), p);
    g_signal_connect(f->fenster, "key-release-event", G_CALLBACK(gkTasteHoch), p);
    g_signal_connect(f->fenster, "focus-in-event", G_CALLBACK(gkFokusIm), p);
    g_signal_connect(f->fenster, "focus-out-event", G_CALLBACK(gkFokusIm), p);
    g_signal_connect(f->flaeche, "button-press-event", G_CALLBACK(gkMausKnopf), p);
    g_signal_connect(f->flaeche, "button-release-event", G_CALLBACK(gkMausKnopf), p);
    g_signal_connect(f->flaeche, "motion-notify-event", G_CALLBACK(gkMausBewegt), p);
    g_signal_connect(f->flaeche, "scroll-event", G_CALLBACK(gkRad), p);
    g_signal_connect(f->flaeche, "realize", G_CALLBACK(gkRealisiertIm), p);
    f->im = gtk_im_multicontext_new();
    g_signal_connect(f->im, "commit", G_CALLBACK(gkImCommit), nullptr);
}

void gkEingabeFensterWeg(gkFenster* f)
{
    if (!f->im) return;
    gtk_im_context_set_client_window(f->im, nullptr);
    g_object_unref(f->im);
    f->im = nullptr;
}

plGtkTaste plGtkTasteVon(unsigned kv)
{
    if (kv >= GDK_KEY_a && kv <= GDK_KEY_z) return {static_cast<UINT>('A' + (kv - GDK_KEY_a)), false};
    if (kv >= GDK_KEY_A && kv <= GDK_KEY_Z) return {static_cast<UINT>('A' + (kv - GDK_KEY_A)), false};
    if (kv >= GDK_KEY_0 && kv <= GDK_KEY_9) return {static_cast<UINT>('0' + (kv - GDK_KEY_0)), false};
    if (kv >= GDK_KEY_F1 && kv <= GDK_KEY_F24) return {static_cast<UINT>(VK_F1 + (kv - GDK_KEY_F1)), false};
    if (kv >= GDK_KEY_KP_0 && kv <= GDK_KEY_KP_9) return {static_cast<UINT>(VK_NUMPAD0 + (kv - GDK_KEY_KP_0)), false};
    switch (kv) {
    // The cursor block beside the letters carries the extended bit; the
    // same keys on the keypad (NumLock off) do not.
    case GDK_KEY_Left: return {VK_LEFT, true};
    case GDK_KEY_Up: return {VK_UP, true};
    case GDK_KEY_Right: return {VK_RIGHT, true};
    case GDK_KEY_Down: return {VK_DOWN, true};
    case GDK_KEY_Home: return {VK_HOME, true};
    case GDK_KEY_End: return {VK_END, true};
    case GDK_KEY_Page_Up: return {VK_PRIOR, true};
    case GDK_KEY_Page_Down: return {VK_NEXT, true};
    case GDK_KEY_Insert: return {VK_INSERT, true};
    case GDK_KEY_Delete: return {VK_DELETE, true};
    case GDK_KEY_KP_Left: return {VK_LEFT, false};
    case GDK_KEY_KP_Up: return {VK_UP, false};
    case GDK_KEY_KP_Right: return {VK_RIGHT, false};
    case GDK_KEY_KP_Down: return {VK_DOWN, false};
    case GDK_KEY_KP_Home: return {VK_HOME, false};
    case GDK_KEY_KP_End: return {VK_END, false};
    case GDK_KEY_KP_Page_Up: return {VK_PRIOR, false};
    case GDK_KEY_KP_Page_Down: return {VK_NEXT, false};
    case GDK_KEY_KP_Insert: return {VK_INSERT, false};
    case GDK_KEY_KP_Delete: return {VK_DELETE, false};
    case GDK_KEY_KP_Begin: return {VK_CLEAR, false};
    case GDK_KEY_KP_Enter: return {VK_RETURN, true};
    case GDK_KEY_KP_Divide: return {VK_DIVIDE, true};
    case GDK_KEY_KP_Multiply: return {VK_MULTIPLY, false};
    case GDK_KEY_KP_Add: return {VK_ADD, false};
    case GDK_KEY_KP_Subtract: return {VK_SUBTRACT, false};
    case GDK_KEY_KP_Decimal:
    case GDK_KEY_KP_Separator: return {VK_DECIMAL, false};
    case GDK_KEY_Num_Lock: return {VK_NUMLOCK, true};
    case GDK_KEY_Return: return {VK_RETURN, false};
    case GDK_KEY_Tab:
    case GDK_KEY_ISO_Left_Tab: return {VK_TAB, false};
    case GDK_KEY_BackSpace: return {VK_BACK, false};
    case GDK_KEY_Escape: return {VK_ESCAPE, false};
    case GDK_KEY_space: return {VK_SPACE, false};
    case GDK_KEY_Pause: return {VK_PAUSE, false};
    case GDK_KEY_Print: return {VK_SNAPSHOT, true};
    case GDK_KEY_Scroll_Lock: return {VK_SCROLL, false};
    case GDK_KEY_Caps_Lock: return {VK_CAPITAL, false};
    case GDK_KEY_Shift_L:
    case GDK_KEY_Shift_R: return {VK_SHIFT, false};
    case GDK_KEY_Control_L: return {VK_CONTROL, false};
    case GDK_KEY_Control_R: return {VK_CONTROL, true};
    case GDK_KEY_Alt_L: return {VK_MENU, false};
    case GDK_KEY_Alt_R: return {VK_MENU, true};
    case GDK_KEY_Super_L: return {VK_LWIN, true};
    case GDK_KEY_Super_R: return {VK_RWIN, true};
    case GDK_KEY_Menu: return {VK_APPS, true};
    // Punctuation keys by their place on the German and the US layout.
    case GDK_KEY_plus:
    case GDK_KEY_equal: return {VK_OEM_PLUS, false};
    case GDK_KEY_comma: return {VK_OEM_COMMA, false};
    case GDK_KEY_minus: return {VK_OEM_MINUS, false};
    case GDK_KEY_period: return {VK_OEM_PERIOD, false};
    case GDK_KEY_udiaeresis:
    case GDK_KEY_semicolon: return {VK_OEM_1, false};
    case GDK_KEY_numbersign:
    case GDK_KEY_slash: return {VK_OEM_2, false};
    case GDK_KEY_odiaeresis:
    case GDK_KEY_grave: return {VK_OEM_3, false};
    case GDK_KEY_ssharp:
    case GDK_KEY_bracketleft: return {VK_OEM_4, false};
    case GDK_KEY_dead_circumflex:
    case GDK_KEY_asciicircum:
    case GDK_KEY_backslash: return {VK_OEM_5, false};
    case GDK_KEY_dead_acute:
    case GDK_KEY_bracketright: return {VK_OEM_6, false};
    case GDK_KEY_adiaeresis:
    case GDK_KEY_apostrophe: return {VK_OEM_7, false};
    case GDK_KEY_less: return {VK_OEM_102, false};
    default: return {0, false};
    }
}

int plGtkRadSumme(double* rest, double dy)
{
    // GDK counts towards the user, the wheel message away from the user.
    *rest += -dy * WHEEL_DELTA;
    // A hair of tolerance so that ten tenths make a notch.
    double eps = *rest >= 0 ? 1e-6 : -1e-6;
    int n = static_cast<int>((*rest + eps) / WHEEL_DELTA);
    *rest -= static_cast<double>(n) * WHEEL_DELTA;
    return n * WHEEL_DELTA;
}
