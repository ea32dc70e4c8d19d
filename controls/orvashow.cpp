// ORVASHOW, the read-only display field (see orvashow.h): texts, formatted
// numbers (the edit field's rules with the locale separators) and choices
// from a list; one line in character cells, or several lines with word wrap.
// Never takes the focus by keyboard; a click reports 0x400.
// Prefix `show`. Calls the class core, the edit field's number rules,
// winlib/ (locale separators) and platform/.
#include "controls/orvashow.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "controls/ctlkern.h"
#include "controls/ctlklassen.h"
#include "controls/orvaedit.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/nachricht.h"
#include "platform/systemwerte.h"
#include "platform/winconst.h"
#include "support/texte.h"
#include "winlib/winbib.h"

namespace {

struct ShowZustand {
    int breite, hoehe;
    CtlZellen zellen;
    DWORD stil;
    HFONT schrift;
    COLORREF hintergrund, textFarbe;  // 0 = default
    char art;
    bool autoDezimalen;
    char wert[SHOWWERTSUP + 1];
    char liste[SHOWLISTESUP + 1];
};

bool showIstZahl(char art)
{
    return (art >= '0' && art <= '5') || art == '9';
}

EdtTrenner showTrenner()
{
    return EdtTrenner{wiDezimalZeichen(), wiTausenderZeichen()};
}

void showMessen(ShowZustand* z)
{
    z->zellen = ctlZellenMessen(z->schrift, z->breite, z->hoehe, SHOWWERTSUP);
}

// The value of a kind other than 'T': cut or padded to the visible chars,
// numbers formatted for display (never cut), trailing blanks removed.
void showFormatieren(ShowZustand* z, const char* text)
{
    const int sichtbar = z->zellen.sichtbar;
    std::string w(text);
    if (showIstZahl(z->art)) {
        if (w.size() > static_cast<size_t>(EDTWERTSUP)) w.resize(EDTWERTSUP);
        w = edtZahlAnzeige(w, z->art, sichtbar, showTrenner());
    } else if (w.size() > static_cast<size_t>(sichtbar)) {
        w.resize(static_cast<size_t>(sichtbar));
    }
    ctlKopie(z->wert, w.c_str(), sizeof z->wert);
    strrtrim(z->wert);
}

void showArtSetzen(ShowZustand* z, char art)
{
    z->autoDezimalen = art == 'N';
    z->art = art == 'N' ? '9' : art;
}

void showTextSetzen(HWND fenster, ShowZustand* z, const char* text)
{
    if (z->autoDezimalen) z->art = static_cast<char>('0' + showDezimalen(text));
    if (z->art == 'T') {
        ctlKopie(z->wert, text, sizeof z->wert);
    } else {
        showFormatieren(z, text);
    }
    InvalidateRect(fenster, nullptr, FALSE);
}

void showBefehl(HWND fenster, ShowZustand* z, const char* text)
{
    const char* p = text + 2;
    switch (text[1]) {
    case 'H': z->hintergrund = ctlFarbeLesen(p); break;
    case 'V': z->textFarbe = ctlFarbeLesen(p); break;
    case 'h': z->hintergrund = static_cast<COLORREF>(std::strtoul(p, nullptr, 10)); break;
    case 'v': z->textFarbe = static_cast<COLORREF>(std::strtoul(p, nullptr, 10)); break;
    case 'S': z->stil = (z->stil & ~0xFFu) | (static_cast<DWORD>(ctlZahlLesen(&p)) & 0xFFu); break;
    case 'T': {
        while (*p == ' ') ++p;
        showArtSetzen(z, *p != '\0' ? *p : 'T');
        return;  // no repaint
    }
    default: return;
    }
    InvalidateRect(fenster, nullptr, FALSE);
}

int showTextHolen(const ShowZustand* z, char* puffer, int groesse)
{
    if (puffer == nullptr || groesse <= 0) return 0;
    std::string w(z->wert);
    if (showIstZahl(z->art)) {
        w = edtZahlSchlicht(w, z->art, showTrenner());
    } else if (z->art == 'd') {
        w = edtDatumIso(w);
    }
    ctlKopie(puffer, w.c_str(), static_cast<size_t>(groesse));
    strrtrim(puffer);
    return static_cast<int>(std::strlen(puffer));
}

void showMalen(HWND fenster, ShowZustand* z)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(fenster, &ps);
    COLORREF grund = z->hintergrund != 0 ? z->hintergrund : ctlHintergrundFarbe(z->stil);
    ctlHintergrundMalen(dc, z->breite, z->hoehe, z->stil, grund);
    ctlRahmenMalen(dc, z->breite, z->hoehe, z->stil);
    HGDIOBJ alt = SelectObject(dc, z->schrift);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, z->textFarbe != 0 ? z->textFarbe : GetSysColor(COLOR_WINDOWTEXT));
    if (z->stil & 0x40) {
        const int rand = (z->stil & 3) != 0 ? 1 : 0;
        RECT r{rand, rand, z->breite - rand, z->hoehe - rand};
        UINT format = DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX;
        format |= (z->stil & 0x10) ? DT_CENTER : (z->stil & 0x20) ? DT_RIGHT : DT_LEFT;
        DrawText(dc, z->wert, -1, &r, format);
    } else {
        std::string text = z->art == 'A' ? showAuswahl(z->liste, z->wert) : std::string(z->wert);
        if (z->art != 'T' && text.size() > static_cast<size_t>(z->zellen.sichtbar)) {
            text.resize(static_cast<size_t>(z->zellen.sichtbar));
        }
        SIZE g{};
        GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &g);
        const int m = z->art != '\0' ? 4 : 0;
        int x = m;
        if (z->stil & 0x20) {
            x = m + std::max(0, static_cast<int>(z->breite - 2 * m - g.cx));
        } else if (z->stil & 0x10) {
            x = m + std::max(0, static_cast<int>(z->breite - 2 * m - g.cx) / 2);
        }
        TextOut(dc, x, z->zellen.oben, text.c_str(), static_cast<int>(text.size()));
    }
    SelectObject(dc, alt);
    EndPaint(fenster, &ps);
}

LRESULT showAnlegen(HWND fenster, const CREATESTRUCT* cs)
{
    auto* z = static_cast<ShowZustand*>(ctlZustandAnlegen(fenster, sizeof(ShowZustand)));
    if (z == nullptr) return -1;
    z->breite = cs->cx;
    z->hoehe = cs->cy;
    z->stil = static_cast<DWORD>(cs->style);
    z->schrift = ctlSchrift(1);
    const char* text = cs->lpszName != nullptr ? cs->lpszName : "";
    char art = *text != '\0' ? *text++ : 'T';
    if (*text == '=') ++text;
    if (art == 'P') {
        z->schrift = ctlSchrift(0);
        art = 'T';
    }
    showArtSetzen(z, art);
    showMessen(z);
    if (z->art == 'A') {
        ctlKopie(z->liste, text, sizeof z->liste);
        strtrim(z->liste);
    } else if (z->art == 'T') {
        ctlKopie(z->wert, text, sizeof z->wert);
    } else {
        showFormatieren(z, text);
    }
    return 0;
}

}  // namespace

std::string showAuswahl(const std::string& liste, const std::string& wert)
{
    const int n = std::atoi(wert.c_str());
    if (liste.empty() || n < 0) return wert;
    const char trenner = liste[0];
    size_t anfang = 1;
    for (int i = 0; i < n; ++i) {
        size_t p = liste.find(trenner, anfang);
        if (p == std::string::npos) return wert;
        anfang = p + 1;
    }
    size_t ende = liste.find(trenner, anfang);
    if (ende == std::string::npos) return wert;
    return liste.substr(anfang, ende - anfang);
}

int showDezimalen(const std::string& text)
{
    const std::string t = text.substr(0, SHOWAUTOSUP);
    size_t punkt = t.find_first_of(".,");
    if (punkt == std::string::npos) return 0;
    int n = 0;
    for (size_t i = punkt + 1; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i) ++n;
    return std::min(n, 5);
}

LRESULT CALLBACK ctlShowProc(HWND fenster, UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (nachricht == WM_CREATE) return showAnlegen(fenster, reinterpret_cast<const CREATESTRUCT*>(lp));
    auto* z = ctlZustandVon<ShowZustand>(fenster);
    if (z == nullptr) return DefWindowProc(fenster, nachricht, wp, lp);
    switch (nachricht) {
    case WM_DESTROY:
        ctlZustandFrei(fenster);
        return 0;
    case WM_SIZE:
        z->breite = LOWORD(lp);
        z->hoehe = HIWORD(lp);
        showMessen(z);
        if (z->art != 'T' && std::strlen(z->wert) > static_cast<size_t>(z->zellen.sichtbar)) {
            z->wert[z->zellen.sichtbar] = '\0';
        }
        InvalidateRect(fenster, nullptr, FALSE);
        return 0;
    case WM_SETFONT:
        z->schrift = static_cast<HFONT>(wp);
        showMessen(z);
        if (lp) InvalidateRect(fenster, nullptr, FALSE);
        return 0;
    case WM_GETFONT:
        return static_cast<LRESULT>(z->schrift);
    case WM_SETTEXT: {
        const char* text = reinterpret_cast<const char*>(lp);
        if (text == nullptr) text = "";
        if (text[0] == 27) {
            if (text[1] >= 'H' && text[1] <= 'v') showBefehl(fenster, z, text);
        } else {
            showTextSetzen(fenster, z, text);
        }
        return 1;
    }
    case WM_GETTEXT:
        return showTextHolen(z, reinterpret_cast<char*>(lp), static_cast<int>(wp));
    case WM_GETTEXTLENGTH: {
        char puffer[SHOWWERTSUP + 1];
        return showTextHolen(z, puffer, sizeof puffer);
    }
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    case WM_LBUTTONDOWN:
        if (GetDlgCtrlID(fenster) > 0) ctlMelden(fenster, CTLBEARBEITET, static_cast<LPARAM>(fenster));
        return 0;
    case WM_PAINT:
        showMalen(fenster, z);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    default:
        return DefWindowProc(fenster, nachricht, wp, lp);
    }
}
