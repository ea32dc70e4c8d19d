// ORVAEDIT, the single-line input field (see orvaedit.h): its class, its
// per-window state and window procedure: creation text, set/get text with
// the number forms, ESC commands, focus conversions, keys, typed characters,
// mouse, clipboard, the context menu 2501-2505 handled inside, painting and
// the edit-style notifications. The text rules live in orvaedit_text.cpp.
// Prefix `edt`. Calls the class core (ctlkern), platform/, winlib/winbib.h
// (locale separators) and winlib/anwdaten.h (the program's instance).
//
// Program text (style bit 5): state 0 none -> 1 on the user's first edit ->
// 2 when the program sets a text while the user edits (kept); focus lost
// applies a kept text again and returns to 0 (edtFokusAus).
#include <cstring>
#include <string>

#include "controls/ctlkern.h"
#include "controls/orvaedit.h"
#include "platform/bildlader.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/globalmem.h"
#include "platform/menue.h"
#include "platform/nachricht.h"
#include "platform/ressource.h"
#include "platform/systemwerte.h"
#include "platform/winconst.h"
#include "platform/zwischenablage.h"
#include "winlib/anwdaten.h"
#include "winlib/winbib.h"

namespace {

constexpr int EDTAUSSCHNEIDEN = 2501;
constexpr int EDTKOPIEREN = 2502;
constexpr int EDTEINFUEGEN = 2503;
constexpr int EDTLOESCHEN = 2504;
constexpr int EDTALLES = 2505;

// Style bits of the field.
constexpr DWORD EDTNULLVERBERGEN = 0x40;
constexpr DWORD EDTPROGRAMMTEXT = 0x20;
constexpr DWORD EDTWILLTAB = 0x80;

struct EdtZustand {
    int breite, hoehe;
    int zeichenBreite, zeichenHoehe;
    int sichtbar;
    int oben;
    DWORD stil;
    HFONT schrift;
    COLORREF hintergrund, textFarbe;  // 0 = default
    bool nullLeer;
    bool festeLaenge;
    bool nurLesen;
    bool autoDezimalen;
    EdtText text;  // value, mask, max length, caret, anchor, mode, kind
    int scroll;
    int maus;      // 0 none, 1 left held, 2 right held
    LONG doppelZeit;     // message time of the last double click
    bool doppelGueltig;  // a click soon after it is a triple click
    bool fokus;
    bool geaendert;
    int schrittBefehl, tabBefehl, seitenBefehl;
    int programmZustand;
    char programmText[EDTWERTSUP + 1];
};

bool edtAngemeldet = false;
HINSTANCE edtInstanz = 0;

EdtTrenner edtTrenner()
{
    return EdtTrenner{wiDezimalZeichen(), wiTausenderZeichen()};
}

void edtMessen(EdtZustand* z)
{
    CtlZellen c = ctlZellenMessen(z->schrift, z->breite, z->hoehe, EDTWERTSUP);
    z->zeichenBreite = c.breite;
    z->zeichenHoehe = c.hoehe;
    z->sichtbar = c.sichtbar;
    z->oben = c.oben;
    z->text.grenze = z->sichtbar;
}

// Scrolls the caret into view, moves the system caret, asks for a repaint.
void edtAnzeigen(HWND fenster, EdtZustand* z)
{
    if (z->text.caret < z->scroll) z->scroll = z->text.caret;
    if (z->text.caret - z->scroll > z->sichtbar) z->scroll = z->text.caret - z->sichtbar;
    if (z->scroll < 0) z->scroll = 0;
    if (z->fokus) SetCaretPos((z->text.caret - z->scroll) * z->zeichenBreite + 4, z->oben - 1);
    InvalidateRect(fenster, nullptr, FALSE);
}

// Every edit that changed the value: state 1 (a kept program text stays
// kept), a repaint that will report 0x300, and 0x400 now.
void edtBearbeitet(HWND fenster, EdtZustand* z)
{
    z->geaendert = true;
    if (z->programmZustand == 0) z->programmZustand = 1;
    edtAnzeigen(fenster, z);
    ctlMelden(fenster, CTLBEARBEITET, static_cast<LPARAM>(fenster));
}

void edtPosten(HWND fenster, int befehl, int schritt)
{
    PostMessage(GetParent(fenster), WM_COMMAND, static_cast<WPARAM>(befehl), static_cast<LPARAM>(schritt));
}

// A value text from the program (or the creation text).
void edtWertAnnehmen(EdtZustand* z, const char* wert)
{
    std::string s = wert != nullptr ? wert : "";
    if (s.size() > static_cast<size_t>(EDTWERTSUP)) s.resize(EDTWERTSUP);
    if (z->autoDezimalen) {
        const size_t bis = s.size() < 80 ? s.size() : 80;
        const size_t punkt = s.find('.');
        size_t n = punkt != std::string::npos && punkt < bis ? bis - punkt - 1 : 0;
        z->text.art = static_cast<char>('0' + (n > 5 ? 5 : n));
    }
    EdtText& t = z->text;
    if (t.frei && edtIstZahl(t.art)) {
        std::string a = edtZahlAnzeige(s, t.art, t.laenge, edtTrenner());
        if (z->fokus) a = edtBearbeitungsform(a, t.art, edtTrenner(), false);
        edtWertSetzen(t, a, true);
    } else {
        edtWertSetzen(t, s);
    }
    z->scroll = 0;
    t.anker = -1;
    t.caret = 0;
    if (z->fokus && t.frei) {
        const int ende = edtTextEnde(t);
        t.caret = ende > z->sichtbar ? 0 : ende;
    }
}

std::string edtHolText(const EdtZustand* z)
{
    const EdtText& t = z->text;
    std::string w = t.wert;
    if (t.frei && edtIstZahl(t.art)) return edtZahlSchlicht(w, t.art, edtTrenner());
    size_t e = w.find_last_not_of(' ');
    w.resize(e == std::string::npos ? 0 : e + 1);
    if (t.art == 'd') return edtDatumIso(w);
    return w;
}

// ---- Clipboard ------------------------------------------------------------------------------------

void edtKopieren(HWND fenster, const EdtZustand* z)
{
    const std::string s = edtAuswahlText(z->text);
    if (s.empty() || !OpenClipboard(fenster)) return;
    EmptyClipboard();
    HGLOBAL block = plGlobalAus(s.c_str(), s.size() + 1);
    if (block != 0 && SetClipboardData(CF_TEXT, block) == 0) GlobalFree(block);
    CloseClipboard();
}

std::string edtAblageText(HWND fenster)
{
    std::string s;
    if (!OpenClipboard(fenster)) return s;
    HANDLE block = GetClipboardData(CF_TEXT);
    const char* p = block != 0 ? static_cast<const char*>(GlobalLock(block)) : nullptr;
    if (p != nullptr) {
        const size_t n = GlobalSize(block);
        for (size_t i = 0; i < n && p[i] != '\0' && s.size() < static_cast<size_t>(EDTWERTSUP); ++i) s += p[i];
        GlobalUnlock(block);
    }
    CloseClipboard();
    return s;
}

void edtAusschneiden(HWND fenster, EdtZustand* z)
{
    if (z->nurLesen) return;
    edtKopieren(fenster, z);
    if (edtAuswahlEntfernen(z->text)) edtBearbeitet(fenster, z);
    edtAnzeigen(fenster, z);
}

void edtEinfuegenAusAblage(HWND fenster, EdtZustand* z)
{
    if (z->nurLesen) return;
    const std::string s = edtAblageText(fenster);
    if (edtEinfuegen(z->text, s.c_str())) edtBearbeitet(fenster, z);
    edtAnzeigen(fenster, z);
}

// ---- Context menu -------------------------------------------------------------------------------------

void edtMenueBefehl(HWND fenster, EdtZustand* z, int befehl)
{
    switch (befehl) {
    case EDTAUSSCHNEIDEN: edtAusschneiden(fenster, z); break;
    case EDTKOPIEREN: edtKopieren(fenster, z); break;
    case EDTEINFUEGEN: edtEinfuegenAusAblage(fenster, z); break;
    case EDTLOESCHEN:
        if (!z->nurLesen && edtAuswahlEntfernen(z->text)) edtBearbeitet(fenster, z);
        edtAnzeigen(fenster, z);
        break;
    case EDTALLES:
        edtAllesMarkieren(z->text);
        edtAnzeigen(fenster, z);
        break;
    default: break;
    }
}

// The menu at a screen point; its commands never reach the parent.
void edtKontextMenu(HWND fenster, int x, int y)
{
    EdtZustand* z = ctlZustandVon<EdtZustand>(fenster);
    if (z == nullptr) return;
    int von, bis;
    const UINT grau = edtAuswahl(z->text, &von, &bis) ? MF_ENABLED : MF_GRAYED;
    HMENU menue = CreatePopupMenu();
    if (menue == 0) return;
    AppendMenu(menue, MF_STRING | grau, EDTAUSSCHNEIDEN, "Ausschneiden");
    AppendMenu(menue, MF_STRING | grau, EDTKOPIEREN, "Kopieren");
    AppendMenu(menue, MF_STRING, EDTEINFUEGEN, "Einf\xFCgen");
    AppendMenu(menue, MF_STRING | grau, EDTLOESCHEN, "L\xF6schen");
    AppendMenu(menue, MF_SEPARATOR, 0, nullptr);
    AppendMenu(menue, MF_STRING, EDTALLES, "Alles markieren");
    const int befehl = static_cast<int>(TrackPopupMenu(menue, TPM_RETURNCMD | TPM_LEFTALIGN, x, y, 0, fenster, nullptr));
    DestroyMenu(menue);
    // the menu ran a message loop: the field may be gone
    z = IsWindow(fenster) ? ctlZustandVon<EdtZustand>(fenster) : nullptr;
    if (z != nullptr) edtMenueBefehl(fenster, z, befehl);
}

void edtKontextMenuMitte(HWND fenster, const EdtZustand* z)
{
    POINT p{z->breite / 2, z->hoehe / 2};
    ClientToScreen(fenster, &p);
    edtKontextMenu(fenster, p.x, p.y);
}

// ---- ESC commands -----------------------------------------------------------------------------------------

void edtArtSetzen(EdtZustand* z, const char* p)
{
    while (*p == ' ') ++p;
    if (*p == '\0') return;
    EdtText& t = z->text;
    const char art = *p++;
    z->autoDezimalen = false;
    t.art = art;
    t.frei = true;
    t.maske[0] = '\0';
    if (art == 'F') {
        ctlKopie(t.maske, p, sizeof t.maske);
        t.frei = false;
    } else if (art == 'D' || art == 'H') {
        ctlKopie(t.maske, edtStandardMaske(art), sizeof t.maske);
        t.frei = false;
    } else if (art == 'N') {
        t.art = '9';
        z->autoDezimalen = true;
    }
    edtWertSetzen(t, t.frei ? std::string(t.wert) : std::string(), true);
    t.caret = 0;
    z->scroll = 0;
}

void edtBefehl(HWND fenster, EdtZustand* z, const char* text)
{
    const char befehl = text[1];
    if (befehl < 'C' || befehl > 'v') return;
    const char* p = text + 2;
    switch (befehl) {
    case 'C': z->schrittBefehl = ctlZahlLesen(&p); break;
    case 'H': z->hintergrund = ctlFarbeLesen(p); break;
    case 'M': {
        int n = ctlZahlLesen(&p);
        z->festeLaenge = true;
        z->text.laenge = n < 0 ? 0 : n > EDTWERTSUP ? EDTWERTSUP : n;
        if (z->text.frei) edtWertSetzen(z->text, z->text.wert, edtIstZahl(z->text.art));
        break;
    }
    case 'S': {
        const DWORD n = static_cast<DWORD>(ctlZahlLesen(&p)) & 0xFF;
        z->stil = (z->stil & ~0xFFu) | n;
        // the window keeps it too, so that re-reading the style keeps it
        SetWindowLong(fenster, GWL_STYLE, static_cast<LONG>((static_cast<DWORD>(GetWindowLong(fenster, GWL_STYLE)) & ~0xFFu) | n));
        break;
    }
    case 'T': edtArtSetzen(z, p); break;
    case 'V': z->textFarbe = ctlFarbeLesen(p); break;
    case 'c': z->tabBefehl = ctlZahlLesen(&p); break;
    case 'h': z->hintergrund = static_cast<COLORREF>(ctlZahlLesen(&p)); break;
    case 'l': z->seitenBefehl = ctlZahlLesen(&p); break;
    case 'r': z->nurLesen = ctlZahlLesen(&p) != 0; break;
    case 'v': z->textFarbe = static_cast<COLORREF>(ctlZahlLesen(&p)); break;
    default: return;
    }
    edtAnzeigen(fenster, z);
}

// ---- Focus ---------------------------------------------------------------------------------------------------

void edtFokusEin(HWND fenster, EdtZustand* z)
{
    EdtText& t = z->text;
    z->fokus = true;
    if (t.frei) edtWertSetzen(t, edtBearbeitungsform(t.wert, t.art, edtTrenner(), z->nullLeer), true);
    CreateCaret(fenster, 0, t.frei ? 2 : z->zeichenBreite, z->zeichenHoehe + 3);
    z->scroll = 0;
    if (t.frei) {
        edtAllesMarkieren(t);
    } else {
        t.caret = 0;
        t.anker = -1;
    }
    edtAnzeigen(fenster, z);
    ShowCaret(fenster);
    ctlMelden(fenster, CTLFOKUSEIN, static_cast<LPARAM>(fenster));
}

void edtFokusAus(HWND fenster, EdtZustand* z)
{
    EdtText& t = z->text;
    z->fokus = false;
    z->maus = 0;
    t.anker = -1;
    edtWertSetzen(t, edtVerlassensform(t.wert, t.art, t.laenge, edtTrenner()), edtIstZahl(t.art));
    if (z->programmZustand == 2) edtWertAnnehmen(z, z->programmText);
    z->programmZustand = 0;
    z->scroll = 0;
    t.caret = 0;
    DestroyCaret();
    InvalidateRect(fenster, nullptr, FALSE);
    ctlMelden(fenster, CTLFOKUSAUS, static_cast<LPARAM>(fenster));
}

// ---- Keys -------------------------------------------------------------------------------------------------------

void edtTab(HWND fenster, const EdtZustand* z, int schritt)
{
    if (z->tabBefehl != 0) edtPosten(fenster, z->tabBefehl, schritt);
}

// Left (-1) or right (+1): at the start or end of the text the side command.
void edtSeite(HWND fenster, EdtZustand* z, int richtung, bool shift)
{
    EdtText& t = z->text;
    const bool amRand = richtung < 0 ? t.caret <= 0 : t.caret >= edtTextEnde(t);
    if (amRand) {
        if (!shift) t.anker = -1;
        if (z->seitenBefehl != 0) edtPosten(fenster, z->seitenBefehl, richtung);
    } else {
        edtCaretSetzen(t, t.caret + richtung, shift);
    }
    edtAnzeigen(fenster, z);
}

LRESULT edtTaste(HWND fenster, EdtZustand* z, WPARAM wp, LPARAM lp)
{
    if (wp < 8 || wp > 120) return DefWindowProc(fenster, WM_KEYDOWN, wp, lp);
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool strg = GetKeyState(VK_CONTROL) < 0;
    EdtText& t = z->text;
    switch (wp) {
    case VK_BACK:
        if (!z->nurLesen && edtZurueck(t)) edtBearbeitet(fenster, z);
        edtAnzeigen(fenster, z);
        break;
    case VK_DELETE:
        if (shift) {
            edtAusschneiden(fenster, z);
        } else {
            if (!z->nurLesen && edtEntfernen(t)) edtBearbeitet(fenster, z);
            edtAnzeigen(fenster, z);
        }
        break;
    case VK_TAB: edtTab(fenster, z, shift ? -1 : 1); break;
    case VK_PRIOR:
    case VK_NEXT: {
        const int richtung = wp == VK_PRIOR ? -1 : 1;
        if (z->schrittBefehl != 0) edtPosten(fenster, z->schrittBefehl, 10 * richtung);
        else edtTab(fenster, z, richtung);
        break;
    }
    case VK_UP:
    case VK_DOWN: {
        const int richtung = wp == VK_UP ? -1 : 1;
        if (z->schrittBefehl != 0) edtPosten(fenster, z->schrittBefehl, richtung);
        else edtSeite(fenster, z, richtung, shift);
        break;
    }
    case VK_LEFT: edtSeite(fenster, z, -1, shift); break;
    case VK_RIGHT: edtSeite(fenster, z, 1, shift); break;
    case VK_HOME:
        edtCaretSetzen(t, 0, shift);
        edtAnzeigen(fenster, z);
        break;
    case VK_END:
        edtCaretSetzen(t, edtTextEnde(t), shift);
        edtAnzeigen(fenster, z);
        break;
    case VK_INSERT:
        if (strg) edtKopieren(fenster, z);
        else if (shift) edtEinfuegenAusAblage(fenster, z);
        break;
    case VK_APPS: edtKontextMenuMitte(fenster, z); break;
    // the letters, and the codes of their lower-case forms
    case 67:
    case 99:
        if (strg) edtKopieren(fenster, z);
        break;
    case 86:
    case 118:
        if (strg) edtEinfuegenAusAblage(fenster, z);
        break;
    case 88:
    case 120:
        if (strg) edtAusschneiden(fenster, z);
        break;
    case 65:
    case 97:
        if (strg && !shift) {
            edtAllesMarkieren(t);
            edtAnzeigen(fenster, z);
        }
        break;
    default: break;
    }
    return 0;
}

void edtZeichen(HWND fenster, EdtZustand* z, WPARAM wp)
{
    // Ctrl alone makes control combinations; Ctrl with Alt is AltGr.
    if (GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0) return;
    if (z->nurLesen) return;
    if (edtTippen(z->text, static_cast<unsigned char>(wp & 0xFF))) edtBearbeitet(fenster, z);
    edtAnzeigen(fenster, z);
}

// ---- Mouse --------------------------------------------------------------------------------------------------------

int edtSpalte(const EdtZustand* z, int x)
{
    int spalte = (x - 4) / z->zeichenBreite;
    return spalte < 0 || spalte > EDTWERTSUP ? 0 : spalte;
}

void edtMausCaret(HWND fenster, EdtZustand* z, int x, bool erweitern)
{
    int pos = z->scroll + edtSpalte(z, x);
    const int ende = edtTextEnde(z->text);
    if (pos > ende) pos = ende;
    edtCaretSetzen(z->text, pos, erweitern);
    edtAnzeigen(fenster, z);
}

// ---- Painting -----------------------------------------------------------------------------------------------------

bool edtNullText(const char* s)
{
    for (; *s != '\0'; ++s)
        if (std::strchr(",.+-0 ", *s) == nullptr) return false;
    return true;
}

void edtMalen(HWND fenster, EdtZustand* z)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(fenster, &ps);
    COLORREF grund = !IsWindowEnabled(fenster) ? GetSysColor(COLOR_BTNFACE)
                     : z->hintergrund != 0     ? z->hintergrund
                                               : ctlHintergrundFarbe(z->stil);
    ctlHintergrundMalen(dc, z->breite, z->hoehe, z->stil, grund);
    ctlRahmenMalen(dc, z->breite, z->hoehe, z->stil);
    const EdtText& t = z->text;
    const bool verbergen = (z->stil & EDTNULLVERBERGEN) != 0 && !z->fokus && edtNullText(t.wert);
    const int laenge = static_cast<int>(std::strlen(t.wert));
    if (!verbergen && z->scroll < laenge) {
        HGDIOBJ alt = SelectObject(dc, z->schrift);
        SetBkMode(dc, TRANSPARENT);
        if (z->textFarbe != 0) SetTextColor(dc, z->textFarbe);
        int n = laenge - z->scroll;
        if (n > z->sichtbar) n = z->sichtbar;
        if (n > 0) TextOut(dc, 4, z->oben, t.wert + z->scroll, n);
        SelectObject(dc, alt);
    }
    int von, bis;
    if (edtAuswahl(t, &von, &bis)) {
        int a = (von > z->scroll ? von : z->scroll) - z->scroll;
        int b = (bis < z->scroll + z->sichtbar ? bis : z->scroll + z->sichtbar) - z->scroll;
        if (a < b) {
            RECT r{a * z->zeichenBreite + 4, z->oben, b * z->zeichenBreite + 4, z->hoehe - z->oben};
            InvertRect(dc, &r);
        }
    }
    EndPaint(fenster, &ps);
    if (z->fokus && z->geaendert) {
        z->geaendert = false;
        ctlMelden(fenster, CTLGEAENDERT, static_cast<LPARAM>(fenster));
    }
}

// ---- Creation, size -------------------------------------------------------------------------------------------------

LRESULT edtAnlegen(HWND fenster, const CREATESTRUCT* cs)
{
    auto* z = static_cast<EdtZustand*>(ctlZustandAnlegen(fenster, sizeof(EdtZustand)));
    if (z == nullptr) return -1;
    z->breite = cs->cx;
    z->hoehe = cs->cy;
    z->stil = static_cast<DWORD>(cs->style);
    z->schrift = ctlSchrift(1);
    edtMessen(z);
    const EdtAnlage a = edtAnlageLesen(cs->lpszName);
    EdtText& t = z->text;
    t.art = a.art;
    t.gross = a.gross;
    t.anker = -1;
    z->autoDezimalen = a.autoDezimalen;
    z->nullLeer = a.nullLeer;
    z->festeLaenge = a.festeLaenge;
    t.laenge = a.festeLaenge ? a.laenge : z->sichtbar;
    t.frei = a.maske.empty() && a.art != 'F';
    ctlKopie(t.maske, a.maske.c_str(), sizeof t.maske);
    if (t.frei) edtWertAnnehmen(z, a.wert.c_str());
    else edtWertSetzen(t, std::string());
    return 0;
}

// After a new size (or a new font, for numbers): a value without "-H" is as
// long as the field shows, re-formatted to it, or a right-aligned number's
// last digits would fall off the edge. A text keeps its length on a new font.
void edtNeuMessen(EdtZustand* z, bool schrift)
{
    edtMessen(z);
    EdtText& t = z->text;
    if (schrift && !edtIstZahl(t.art)) return;
    if (!z->festeLaenge && t.laenge != z->sichtbar) {
        t.laenge = z->sichtbar;
        if (t.frei && edtIstZahl(t.art) && !z->fokus)
            edtWertSetzen(t, edtZahlAnzeige(edtZahlSchlicht(t.wert, t.art, edtTrenner()), t.art, t.laenge, edtTrenner()),
                          true);
        else if (t.frei)
            edtWertSetzen(t, t.wert, edtIstZahl(t.art));
    }
}

void edtGroesse(HWND fenster, EdtZustand* z, int breite, int hoehe)
{
    z->breite = breite;
    z->hoehe = hoehe;
    edtNeuMessen(z, false);
    edtAnzeigen(fenster, z);
}

LRESULT CALLBACK edtProc(HWND fenster, UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (nachricht == WM_CREATE) return edtAnlegen(fenster, reinterpret_cast<const CREATESTRUCT*>(lp));
    auto* z = ctlZustandVon<EdtZustand>(fenster);
    if (z == nullptr) return DefWindowProc(fenster, nachricht, wp, lp);
    switch (nachricht) {
    case WM_DESTROY: ctlZustandFrei(fenster); return 0;
    case WM_SIZE: edtGroesse(fenster, z, LOWORD(lp), HIWORD(lp)); return 0;
    case WM_SETFONT:
        z->schrift = wp != 0 ? static_cast<HFONT>(wp) : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
        edtNeuMessen(z, true);
        if (lp != 0) InvalidateRect(fenster, nullptr, FALSE);
        return 0;
    case WM_ENABLE:
        z->stil = static_cast<DWORD>(GetWindowLong(fenster, GWL_STYLE));
        InvalidateRect(fenster, nullptr, FALSE);
        return 0;
    case WM_SETTEXT: {
        const char* text = reinterpret_cast<const char*>(lp);
        if (text != nullptr && text[0] == EDTESC) {
            edtBefehl(fenster, z, text);
            return TRUE;
        }
        edtWertAnnehmen(z, text);
        if ((z->stil & EDTPROGRAMMTEXT) != 0 && z->programmZustand != 0) {
            z->programmZustand = 2;
            ctlKopie(z->programmText, text != nullptr ? text : "", sizeof z->programmText);
        }
        edtAnzeigen(fenster, z);
        return TRUE;
    }
    case WM_GETTEXT: {
        char* puffer = reinterpret_cast<char*>(lp);
        if (puffer == nullptr || wp == 0) return 0;
        const std::string s = edtHolText(z);
        size_t n = s.size() < wp - 1 ? s.size() : wp - 1;
        std::memcpy(puffer, s.data(), n);
        puffer[n] = '\0';
        return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(edtHolText(z).size());
    case WM_GETDLGCODE: return (z->stil & EDTWILLTAB) != 0 ? 131 : 129;
    case WM_SETFOCUS: edtFokusEin(fenster, z); return 0;
    case WM_KILLFOCUS: edtFokusAus(fenster, z); return 0;
    case WM_ERASEBKGND: return 1;  // the paint fills everything
    case WM_PAINT: edtMalen(fenster, z); return 0;
    case WM_KEYDOWN: return edtTaste(fenster, z, wp, lp);
    case WM_CHAR: edtZeichen(fenster, z, wp); return 0;
    case WM_LBUTTONDOWN:
        if (GetFocus() != fenster) SetFocus(fenster);
        // A third click soon after a double click keeps everything selected.
        if (z->doppelGueltig && static_cast<UINT>(GetMessageTime() - z->doppelZeit) <= GetDoubleClickTime()) {
            z->doppelGueltig = false;
            edtAllesMarkieren(z->text);
            edtAnzeigen(fenster, z);
            return 0;
        }
        z->doppelGueltig = false;
        SetCapture(fenster);
        z->maus = 1;
        edtMausCaret(fenster, z, GET_X_LPARAM(lp), (wp & MK_SHIFT) != 0);
        return 0;
    case WM_MOUSEMOVE:
        if (z->maus == 1) edtMausCaret(fenster, z, GET_X_LPARAM(lp), true);
        return 0;
    case WM_LBUTTONUP:
        if (z->maus == 1) {
            z->maus = 0;
            ReleaseCapture();
        }
        return 0;
    case WM_CAPTURECHANGED:
        if (z->maus == 1) z->maus = 0;
        return 0;
    case WM_LBUTTONDBLCLK:
        z->doppelGueltig = true;
        z->doppelZeit = GetMessageTime();
        edtAllesMarkieren(z->text);
        edtAnzeigen(fenster, z);
        return 0;
    case WM_RBUTTONDOWN:
        if (GetFocus() != fenster) SetFocus(fenster);
        z->maus = 2;
        return 0;
    case WM_RBUTTONUP: {
        z->maus = 0;
        POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        ClientToScreen(fenster, &p);
        edtKontextMenu(fenster, p.x, p.y);
        return 0;
    }
    case WM_CONTEXTMENU:
        if (lp == -1) edtKontextMenuMitte(fenster, z);
        else edtKontextMenu(fenster, GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
        return 0;
    default: return DefWindowProc(fenster, nachricht, wp, lp);
    }
}

}  // namespace

std::string edtFeldWert(HWND fenster)
{
    char klasse[16] = {};
    GetClassName(fenster, klasse, sizeof klasse);
    const auto* z = std::strcmp(klasse, CTLEDITKLASSE) == 0 ? ctlZustandVon<EdtZustand>(fenster) : nullptr;
    return z != nullptr ? std::string(z->text.wert) : std::string();
}

void ctlEditKlasseAnmelden()
{
    if (edtAngemeldet) return;
    edtInstanz = anwInstanz() != 0 ? anwInstanz() : GetModuleHandle(nullptr);
    WNDCLASS wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS | CS_GLOBALCLASS;
    wc.lpfnWndProc = edtProc;
    wc.cbWndExtra = static_cast<int>(sizeof(LONG_PTR));
    wc.hInstance = edtInstanz;
    wc.hCursor = LoadCursor(0, IDC_IBEAM);
    wc.hbrBackground = static_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = CTLEDITKLASSE;
    edtAngemeldet = RegisterClass(&wc) != 0;
}

void ctlEditKlasseAbmelden()
{
    if (!edtAngemeldet) return;
    UnregisterClass(CTLEDITKLASSE, edtInstanz);
    edtAngemeldet = false;
}
