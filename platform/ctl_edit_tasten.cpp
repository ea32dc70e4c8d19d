// The EDIT control: keyboard, mouse, clipboard and undo. See ctl_edit.h.
// May call: fenster.h, nachricht.h, eingabe.h, zwischenablage.h,
// globalmem.h.
#include <algorithm>
#include <cstring>

#include "platform/ctl_edit_int.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/globalmem.h"
#include "platform/nachricht.h"
#include "platform/zwischenablage.h"

namespace {

bool edLeer(unsigned char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// One step left or right; a CR LF is one step.
int edSchritt(const EdZustand& z, int pos, int richtung)
{
    const std::string& t = z.text;
    int n = static_cast<int>(t.size());
    if (richtung < 0) {
        if (pos <= 0) return 0;
        if (pos >= 2 && t[static_cast<size_t>(pos) - 2] == '\r' && t[static_cast<size_t>(pos) - 1] == '\n') return pos - 2;
        return pos - 1;
    }
    if (pos >= n) return n;
    if (pos + 1 < n && t[static_cast<size_t>(pos)] == '\r' && t[static_cast<size_t>(pos) + 1] == '\n') return pos + 2;
    return pos + 1;
}

int edWort(const EdZustand& z, int pos, int richtung)
{
    const std::string& t = z.text;
    int n = static_cast<int>(t.size());
    auto c = [&t](int i) { return static_cast<unsigned char>(t[static_cast<size_t>(i)]); };
    if (richtung < 0) {
        while (pos > 0 && edLeer(c(pos - 1))) --pos;
        while (pos > 0 && !edLeer(c(pos - 1))) --pos;
        return pos;
    }
    while (pos < n && !edLeer(c(pos))) ++pos;
    while (pos < n && edLeer(c(pos))) ++pos;
    return pos;
}

// The position on line `zeile` nearest to x (pixels from the line start).
int edPosInZeile(const EdZustand& z, int zeile, int x)
{
    int anf = z.zeilen[static_cast<size_t>(zeile)], ende = edZeilenEnde(z, zeile);
    int px = 0;
    for (int i = anf; i < ende; ++i) {
        int cb = edBreite(z, i, i + 1);
        if (x < px + cb / 2) return i;
        px += cb;
    }
    return ende;
}

int edZeilenSchritt(EdZustand& z, int zeilen)
{
    int zeile = edZeileVon(z, z.caret);
    if (z.wunschX < 0) z.wunschX = edBreite(z, z.zeilen[static_cast<size_t>(zeile)], z.caret);
    int ziel = std::clamp(zeile + zeilen, 0, static_cast<int>(z.zeilen.size()) - 1);
    return edPosInZeile(z, ziel, z.wunschX);
}

bool edGedrueckt(int vk)
{
    return GetKeyState(vk) < 0;
}

void edLoeschen(EdZustand& z, int richtung)
{
    if (edSelAnf(z) == edSelEnde(z)) {
        int p = edSchritt(z, z.caret, richtung);
        if (p == z.caret) return;
        z.anker = p;
    }
    edErsetzen(z, "", true, false, false);
}

}  // namespace

void edTaste(EdZustand& z, WPARAM vk)
{
    bool shift = edGedrueckt(VK_SHIFT), strg = edGedrueckt(VK_CONTROL);
    bool mehr = edMehrzeilig(z);
    int ziel = z.caret;
    bool bewegt = true;
    bool behalteX = false;
    int sa = edSelAnf(z), se = edSelEnde(z);
    if (strg && !shift && vk == 'A') {
        // Ctrl+A selects the whole text, as the platform's edit fields do.
        z.tippen = false;
        edSelSetzen(z, 0, static_cast<int>(z.text.size()), true);
        return;
    }
    switch (vk) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: {
        int richtung = (vk == VK_LEFT || vk == VK_UP) ? -1 : 1;
        if (mehr && (vk == VK_UP || vk == VK_DOWN)) {
            ziel = edZeilenSchritt(z, richtung);
            behalteX = true;
        } else if (!shift && sa != se && !strg) {
            ziel = richtung < 0 ? sa : se;
        } else {
            ziel = strg ? edWort(z, z.caret, richtung) : edSchritt(z, z.caret, richtung);
        }
        break;
    }
    case VK_HOME: ziel = strg ? 0 : z.zeilen[static_cast<size_t>(edZeileVon(z, z.caret))]; break;
    case VK_END:
        ziel = strg ? static_cast<int>(z.text.size()) : edZeilenEnde(z, edZeileVon(z, z.caret));
        break;
    case VK_PRIOR:
    case VK_NEXT:
        if (!mehr) return;
        ziel = edZeilenSchritt(z, (vk == VK_PRIOR ? -1 : 1) * edSichtbareZeilen(z));
        behalteX = true;
        break;
    case VK_DELETE:
        bewegt = false;
        if (shift) {
            SendMessage(z.h, WM_CUT, 0, 0);
        } else {
            edLoeschen(z, 1);
        }
        break;
    case VK_INSERT:
        bewegt = false;
        if (strg)
            SendMessage(z.h, WM_COPY, 0, 0);
        else if (shift)
            SendMessage(z.h, WM_PASTE, 0, 0);
        break;
    default: return;
    }
    if (!bewegt) return;
    if (!behalteX) z.wunschX = -1;
    z.tippen = false;
    edSelSetzen(z, shift ? z.anker : ziel, ziel, true);
}

void edZeichen(EdZustand& z, unsigned char c)
{
    bool mehr = edMehrzeilig(z);
    switch (c) {
    case 0x01: return;  // Ctrl+A: its key selected everything
    case 0x03: SendMessage(z.h, WM_COPY, 0, 0); return;
    case 0x16: SendMessage(z.h, WM_PASTE, 0, 0); return;
    case 0x18: SendMessage(z.h, WM_CUT, 0, 0); return;
    case 0x1A: SendMessage(z.h, WM_UNDO, 0, 0); return;
    case 0x08: edLoeschen(z, -1); return;
    case '\r':
    case '\n':
        if (mehr) edErsetzen(z, "\r\n", true, true, false);
        return;
    case '\t':
        if (mehr) edErsetzen(z, "\t", true, true, true);
        return;
    default: break;
    }
    if (c < 0x20 || c == 0x7F) return;
    if ((edStil(z) & ES_NUMBER) && (c < '0' || c > '9')) return;
    edErsetzen(z, std::string(1, static_cast<char>(c)), true, true, true);
}

void edMaus(EdZustand& z, UINT msg, WPARAM wp, LPARAM lp)
{
    HWND h = z.h;
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        if (GetFocus() != h) SetFocus(h);
        EdZustand* zz = edVon(h);
        if (zz != &z) return;
        int pos = edPosBei(z, GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
        z.wunschX = -1;
        z.tippen = false;
        // A third click soon after a double click selects the whole text.
        if (msg == WM_LBUTTONDOWN && z.doppelGueltig &&
            static_cast<UINT>(GetMessageTime() - z.doppelZeit) <= GetDoubleClickTime()) {
            z.doppelGueltig = false;
            edSelSetzen(z, 0, static_cast<int>(z.text.size()), true);
            return;
        }
        z.doppelGueltig = msg == WM_LBUTTONDBLCLK;
        z.doppelZeit = GetMessageTime();
        if (msg == WM_LBUTTONDBLCLK) {
            int anf = pos, ende = pos;
            const std::string& t = z.text;
            while (anf > 0 && !edLeer(static_cast<unsigned char>(t[static_cast<size_t>(anf) - 1]))) --anf;
            while (ende < static_cast<int>(t.size()) && !edLeer(static_cast<unsigned char>(t[static_cast<size_t>(ende)])))
                ++ende;
            edSelSetzen(z, anf, ende, true);
            return;
        }
        edSelSetzen(z, (wp & MK_SHIFT) ? z.anker : pos, pos, true);
        z.ziehen = true;
        SetCapture(h);
        return;
    }
    case WM_MOUSEMOVE:
        if (!z.ziehen) return;
        edSelSetzen(z, z.anker, edPosBei(z, GET_X_LPARAM(lp), GET_Y_LPARAM(lp)), true);
        return;
    case WM_LBUTTONUP:
        if (!z.ziehen) return;
        z.ziehen = false;
        if (GetCapture() == h) ReleaseCapture();
        return;
    case WM_CAPTURECHANGED: z.ziehen = false; return;
    default: return;
    }
}

// ---- Clipboard and undo -------------------------------------------------------------------------

void edKopieren(EdZustand& z)
{
    int sa = edSelAnf(z), se = edSelEnde(z);
    if (sa == se || (edStil(z) & ES_PASSWORD)) return;
    if (!OpenClipboard(z.h)) return;
    EmptyClipboard();
    HGLOBAL g = plGlobalAus(z.text.data() + sa, static_cast<size_t>(se - sa) + 1);
    if (g) {
        char* p = static_cast<char*>(GlobalLock(g));
        if (p) p[se - sa] = '\0';
        GlobalUnlock(g);
        if (!SetClipboardData(CF_TEXT, g)) GlobalFree(g);
    }
    CloseClipboard();
}

void edEinfuegen(EdZustand& z)
{
    if (edStil(z) & ES_READONLY) return;
    if (!OpenClipboard(z.h)) return;
    std::string s;
    HANDLE g = GetClipboardData(CF_TEXT);
    if (g) {
        const char* p = static_cast<const char*>(GlobalLock(g));
        if (p) s.assign(p, strnlen(p, GlobalSize(g)));
        GlobalUnlock(g);
    }
    CloseClipboard();
    if (!s.empty()) edErsetzen(z, s, true, true, false);
}

void edUndo(EdZustand& z)
{
    if (!z.kannUndo || (edStil(z) & ES_READONLY)) return;
    std::string text = z.undoText;
    int anker = z.undoAnker, caret = z.undoCaret;
    z.undoText = z.text;
    z.undoAnker = z.anker;
    z.undoCaret = z.caret;
    z.tippen = false;
    z.text = std::move(text);
    z.anker = std::clamp(anker, 0, static_cast<int>(z.text.size()));
    z.caret = std::clamp(caret, 0, static_cast<int>(z.text.size()));
    z.geaendert = true;
    z.wunschX = -1;
    edUmbrechen(z);
    edCaretZeigen(z);
    edScrollLeisten(z);
    HWND h = z.h;
    edMelden(z, EN_UPDATE);
    if (edVon(h) != &z) return;
    edNeuMalen(z);
    edMelden(z, EN_CHANGE);
}
