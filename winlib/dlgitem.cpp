// Dialog items; see dlgitem.h. Prefix `wi`, file helpers `itm`. Calls
// platform/ (dialog items, controls, clipboard, global memory), support/
// (copies, case map, dates, memory) and the dialog manager.
#include "winlib/dlgitem.h"

#include <charconv>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/ctl_liste.h"
#include "platform/dateidialog.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/globalmem.h"
#include "platform/nachricht.h"
#include "platform/zwischenablage.h"
#include "support/speicher.h"
#include "support/zahlen.h"
#include "support/texte.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/winbib.h"

namespace {

HWND itmDlg() { return wiDlgFenster(); }
HWND itmCtl(int id) { return GetDlgItem(itmDlg(), id); }

// "With font": the frame's dialog font goes to the control first.
HWND itmMitSchrift(int id)
{
    HWND c = itmCtl(id);
    if (c) SendMessage(c, WM_SETFONT, static_cast<WPARAM>(anwDaten()->dlgSchrift), FALSE);
    return c;
}

LRESULT itmSenden(int id, UINT msg, WPARAM wp, LPARAM lp) { return SendMessage(itmCtl(id), msg, wp, lp); }

// The first 80 characters of a control's text.
std::string itmText80(int id)
{
    char p[81];
    p[0] = 0;
    GetDlgItemText(itmDlg(), id, p, sizeof p);
    return p;
}

// A field's number as the user typed it, with either decimal point.
double itmWert(const char* s) { return zahleingabe(s); }

std::string itmListenText(HWND c, UINT lenMsg, UINT textMsg, int n, size_t max)
{
    LRESULT len = SendMessage(c, lenMsg, n, 0);
    if (len < 0) return {};
    std::vector<char> p(static_cast<size_t>(len) + 1, 0);
    if (SendMessage(c, textMsg, n, reinterpret_cast<LPARAM>(p.data())) < 0) return {};
    std::string t(p.data());
    if (t.size() > max) t.resize(max);
    return t;
}

std::string itmGross(std::string t)
{
    strgross(t.data());
    return std::string(t.c_str());
}

}  // namespace

// ---- Text functions ------------------------------------------------------------------------------

char* wiMinusNullWeg(char* text)
{
    for (char* m = std::strchr(text, '-'); m; m = std::strchr(m, '-')) {
        bool ziffer = false;
        for (const char* p = m + 1; (*p >= '0' && *p <= '9') || *p == '.' || *p == ','; ++p)
            if (*p >= '1' && *p <= '9') ziffer = true;
        if (!ziffer)
            std::memmove(m, m + 1, std::strlen(m + 1) + 1);
        else
            ++m;
    }
    return text;
}

char* wiDezText(char* puffer, int groesse, int stellen, double wert)
{
    if (groesse <= 0) return puffer;
    if (stellen < 0) stellen = 0;
    if (stellen > 30) stellen = 30;
    char t[400];
    auto r = std::to_chars(t, t + sizeof t - 1, wert, std::chars_format::fixed, stellen);
    if (r.ec != std::errc()) r.ptr = t;
    *r.ptr = 0;
    wiMinusNullWeg(t);
    strkopie(puffer, static_cast<size_t>(groesse), t, groesse - 1);
    return puffer;
}

int wiListeSuchenIn(const char* const* eintraege, int anzahl, int auswahl, const char* text, int abAuswahl,
                    int schnitt, int breite, int* untersucht)
{
    std::string such(text ? text : "");
    strtrim(such.data());
    such = itmGross(such);
    int start = abAuswahl ? auswahl + 1 : 0;
    if (start < 0) start = 0;
    bool geprueft = false;
    int gefunden = -1;
    for (int i = start; i < anzahl; ++i) {
        geprueft = true;
        std::string e = itmGross(eintraege[i] ? eintraege[i] : "");
        if (schnitt > 0) e = static_cast<size_t>(schnitt) < e.size() ? e.substr(static_cast<size_t>(schnitt)) : "";
        if (breite > 0 && e.size() > static_cast<size_t>(breite)) e.resize(static_cast<size_t>(breite));
        bool passt = abAuswahl ? e.find(such) != std::string::npos : e.compare(0, such.size(), such) == 0;
        if (passt) {
            gefunden = i;
            break;
        }
    }
    if (untersucht) *untersucht = geprueft ? 1 : 0;
    if (!geprueft) return auswahl;
    return gefunden;
}

// ---- Texts and numbers ----------------------------------------------------------------------------

void wiTextSetzenRoh(int id, const char* text) { SetDlgItemText(itmDlg(), id, text ? text : ""); }

void wiTextSetzen(int id, const char* text)
{
    itmMitSchrift(id);
    wiTextSetzenRoh(id, text);
}

void wiTextSetzenIn(HWND fenster, int id, const char* text)
{
    HWND c = GetDlgItem(fenster, id);
    if (c) SendMessage(c, WM_SETFONT, static_cast<WPARAM>(anwDaten()->dlgSchrift), FALSE);
    SetDlgItemText(fenster, id, text ? text : "");
}

void wiTextDruck(int id, const char* format, ...)
{
    char p[1000];
    va_list a;
    va_start(a, format);
    std::vsnprintf(p, sizeof p, format, a);
    va_end(a);
    wiTextSetzen(id, p);
}

void wiTextDruckRoh(int id, const char* format, ...)
{
    char p[1000];
    va_list a;
    va_start(a, format);
    std::vsnprintf(p, sizeof p, format, a);
    va_end(a);
    wiTextSetzenRoh(id, p);
}

int wiTextHolen(int id, char* puffer, int n)
{
    if (!puffer || n < 0) return 0;
    puffer[0] = 0;
    if (n < 200) {
        char z[200];
        z[0] = 0;
        GetDlgItemText(itmDlg(), id, z, sizeof z);
        return strkopie(puffer, static_cast<size_t>(n) + 1, z, n);
    }
    return static_cast<int>(GetDlgItemText(itmDlg(), id, puffer, n + 1));
}

int wiTextHolenAus(HWND fenster, int id, char* puffer, int n)
{
    if (!puffer || n < 0) return 0;
    if (n > 200) n = 200;
    char z[201];
    z[0] = 0;
    GetDlgItemText(fenster, id, z, sizeof z);
    return strkopie(puffer, static_cast<size_t>(n) + 1, z, n);
}

int wiTextHolenNeu(int id, char** aus)
{
    if (aus) *aus = nullptr;
    int n = GetWindowTextLength(itmCtl(id));
    char* p = static_cast<char*>(fmalloc(1, n + 1));
    if (!p) return -1;
    GetDlgItemText(itmDlg(), id, p, n + 1);
    if (aus)
        *aus = p;
    else
        ffree(p);
    return n;
}

const char* wiTextRing(int id)
{
    static char ring[WITEXTRINGSUP][WITEXTRINGLAENGE + 1];
    static int naechster = 0;
    char* p = ring[naechster];
    naechster = (naechster + 1) % WITEXTRINGSUP;
    p[0] = 0;
    GetDlgItemText(itmDlg(), id, p, WITEXTRINGLAENGE + 1);
    return p;
}

int wiTextLaenge(int id) { return GetWindowTextLength(itmCtl(id)); }

void wiZahlSetzen(int id, int n) { wiTextDruck(id, "%d", n); }
int wiZahlHolen(int id) { return std::atoi(itmText80(id).c_str()); }
void wiLongSetzen(int id, long n) { wiTextDruck(id, "%ld", n); }
long wiLongHolen(int id) { return std::atol(itmText80(id).c_str()); }
void wiHexSetzen(int id, unsigned long n) { wiTextDruck(id, "%lX", n); }

unsigned long wiHexHolen(int id)
{
    std::string t = itmText80(id);
    const char* s = t.c_str();
    while (*s == ' ') ++s;
    return hexwert(s);
}

void wiZahlTextSetzen(int id, const char* zahl)
{
    std::string t = zahl != nullptr ? zahl : "";
    // An ORVAEDIT takes the '.' form and shows the comma itself; a plain field
    // shows the decimal comma of the status fields. wiDezHolen reads both.
    char klasse[16] = "";
    HWND c = itmCtl(id);
    if (c == 0 || GetClassName(c, klasse, sizeof klasse) <= 0 || std::strcmp(klasse, "ORVAEDIT") != 0)
        for (char& z : t)
            if (z == '.') z = wiDezimalZeichen();
    wiTextSetzen(id, t.c_str());
}

void wiDezSetzenN(int id, int stellen, double wert)
{
    char p[400];
    wiDezText(p, sizeof p, stellen, wert);
    wiZahlTextSetzen(id, p);
}
void wiDezSetzen1(int id, double wert) { wiDezSetzenN(id, 1, wert); }
void wiDezSetzen2(int id, double wert) { wiDezSetzenN(id, 2, wert); }
void wiDezSetzen5(int id, double wert) { wiDezSetzenN(id, 5, wert); }
double wiDezHolen(int id) { return itmWert(itmText80(id).c_str()); }

void wiDatumHolen(int id, DATUM* datum)
{
    std::string t = itmText80(id);
    if (t.size() > 10) t.resize(10);
    datlesen(datum, t.c_str());
}

void wiDatumSetzen(int id, const DATUM* d)
{
    wiTextDruck(id, "%02d.%02d.%04d", d->tag, d->monat, d->jahr + 1900);
}

void wiZeitHolen(int id, UHRZEIT* zeit)
{
    std::string t = itmText80(id);
    if (t.size() > 10) t.resize(10);
    uhrzeitlesen(zeit, t.c_str());
}

void wiZeitSetzen(int id, const UHRZEIT* z) { wiTextDruck(id, "%02d:%02d", z->stunde, z->minute); }

// ---- Controls in general ----------------------------------------------------------------------------

HWND wiItem(int id) { return itmCtl(id); }
int wiItemDa(int id) { return itmCtl(id) ? 1 : 0; }

char* wiItemKlasse(int id, char* puffer)
{
    puffer[0] = 0;
    HWND c = itmCtl(id);
    if (c) GetClassName(c, puffer, 81);
    return puffer;
}

void wiItemFokus(int id) { SetFocus(itmCtl(id)); }
int wiFokusId() { return GetDlgCtrlID(GetFocus()); }
int wiItemId(HWND fenster) { return GetDlgCtrlID(fenster); }
HWND wiAktivesFenster() { return GetActiveWindow(); }
void wiItemFont(int id, HFONT schrift) { itmSenden(id, WM_SETFONT, static_cast<WPARAM>(schrift), TRUE); }

void wiItemFrei(int id, int flag)
{
    HWND c = itmCtl(id);
    if (c) EnableWindow(c, flag ? TRUE : FALSE);
}

int wiItemIstFrei(int id)
{
    HWND c = itmCtl(id);
    return c && IsWindowEnabled(c) ? 1 : 0;
}

void wiItemZeigen(int id, int flag)
{
    HWND c = itmCtl(id);
    if (!c) return;
    ShowWindow(c, flag ? SW_SHOW : SW_HIDE);
    EnableWindow(c, flag ? TRUE : FALSE);
}

void wiItemAuffrischen(int id) { UpdateWindow(itmCtl(id)); }

void wiItemClientRechteck(int id, int* links, int* oben, int* rechts, int* unten)
{
    RECT r{0, 0, 0, 0};
    HWND c = itmCtl(id);
    if (c) {
        GetClientRect(c, &r);
        MapWindowPoints(c, itmDlg(), reinterpret_cast<POINT*>(&r), 2);
    }
    *links = r.left;
    *oben = r.top;
    *rechts = r.right;
    *unten = r.bottom;
}

void wiItemVFarbe(int id, int r, int g, int b) { wiTextDruckRoh(id, "%cV %d %d %d", 27, r, g, b); }

// ---- Buttons ---------------------------------------------------------------------------------------

void wiKnopfSetzen(int id, int zustand) { itmSenden(id, BM_SETCHECK, zustand, 0); }
int wiKnopf(int id) { return static_cast<int>(itmSenden(id, BM_GETCHECK, 0, 0)); }

void wiRadioSetzen(int erster, int index, int n)
{
    if (n <= 0) return;
    CheckRadioButton(itmDlg(), erster, erster + n - 1, erster + index);
}

void wiRadioSetzenEinzeln(int erster, int index, int n)
{
    for (int i = 0; i < n; ++i) wiKnopfSetzen(erster + i, i == index ? BST_CHECKED : BST_UNCHECKED);
}

int wiRadio(int erster, int n)
{
    for (int i = 0; i < n; ++i)
        if (wiKnopf(erster + i) == BST_CHECKED) return i;
    return -1;
}

void wiDlgStandardKnopf(int alt, int neu)
{
    if (alt) itmSenden(alt, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    SendMessage(itmDlg(), DM_SETDEFID, neu, 0);
    itmSenden(neu, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

// ---- List boxes ---------------------------------------------------------------------------------------

void wiListeLeeren(int id)
{
    itmMitSchrift(id);
    itmSenden(id, LB_RESETCONTENT, 0, 0);
}
int wiListeAnhaengen(int id, const char* text)
{
    return static_cast<int>(itmSenden(id, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text ? text : "")));
}
int wiListeEinfuegen(int id, const char* text, int n)
{
    return static_cast<int>(itmSenden(id, LB_INSERTSTRING, n, reinterpret_cast<LPARAM>(text ? text : "")));
}
int wiListeLoeschen(int id, int n) { return static_cast<int>(itmSenden(id, LB_DELETESTRING, n, 0)); }
int wiListeText(int id, int n, char* puffer)
{
    puffer[0] = 0;
    return static_cast<int>(itmSenden(id, LB_GETTEXT, n, reinterpret_cast<LPARAM>(puffer)));
}
int wiListeWahl(int id) { return static_cast<int>(itmSenden(id, LB_GETCURSEL, 0, 0)); }
int wiListeWahlSetzen(int id, int n) { return static_cast<int>(itmSenden(id, LB_SETCURSEL, n, 0)); }
void wiListeMarkSetzen(int id, int n, int flag) { itmSenden(id, LB_SETSEL, flag ? TRUE : FALSE, n); }
int wiListeMarkiert(int id, int n) { return itmSenden(id, LB_GETSEL, n, 0) > 0 ? 1 : 0; }
int wiListeOben(int id) { return static_cast<int>(itmSenden(id, LB_GETTOPINDEX, 0, 0)); }
void wiListeObenSetzen(int id, int n) { itmSenden(id, LB_SETTOPINDEX, n, 0); }
int wiListeTextWaehlen(int id, const char* text)
{
    return static_cast<int>(itmSenden(id, LB_SELECTSTRING, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(text ? text : "")));
}
int wiListeAnzahl(int id) { return static_cast<int>(itmSenden(id, LB_GETCOUNT, 0, 0)); }

int wiListeZeilen(int id)
{
    HWND c = itmCtl(id);
    if (!c) return 0;
    RECT k, z{0, 0, 0, 0};
    GetClientRect(c, &k);
    SendMessage(c, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&z));
    int h = z.bottom - z.top;
    return h > 0 ? (k.bottom - k.top) / h : 0;
}

int wiListeVerzeichnis(int id, const char* pfad)
{
    char p[MAX_PATH + 1];
    strkopie(p, pfad ? pfad : "", MAX_PATH);
    return DlgDirList(itmDlg(), p, id, 0, DDL_READONLY | DDL_HIDDEN | DDL_SYSTEM | DDL_DIRECTORY | DDL_ARCHIVE);
}

int wiListeNachricht(int id, WPARAM wp)
{
    if (LOWORD(wp) != id) return 0;
    switch (HIWORD(wp)) {
    case LBN_DBLCLK: return 3;
    case LBN_SELCHANGE: return 2;
    case LBN_SETFOCUS: return 1;
    default: return 0;
    }
}

int wiListeFokusWeg(int id, WPARAM wp) { return LOWORD(wp) == id && HIWORD(wp) == LBN_KILLFOCUS ? 1 : 0; }

int wiListeSuchen(int id, const char* text, int abAuswahl, int schnitt, int breite)
{
    HWND c = itmCtl(id);
    int anzahl = static_cast<int>(SendMessage(c, LB_GETCOUNT, 0, 0));
    if (anzahl < 0) anzahl = 0;
    int auswahl = static_cast<int>(SendMessage(c, LB_GETCURSEL, 0, 0));
    std::vector<std::string> e;
    e.reserve(static_cast<size_t>(anzahl));
    for (int i = 0; i < anzahl; ++i) e.push_back(itmListenText(c, LB_GETTEXTLEN, LB_GETTEXT, i, SIZE_MAX));
    std::vector<const char*> z;
    for (auto& t : e) z.push_back(t.c_str());
    int untersucht = 0;
    int r = wiListeSuchenIn(z.data(), anzahl, auswahl, text, abAuswahl, schnitt, breite, &untersucht);
    SendMessage(c, LB_SETCURSEL, static_cast<WPARAM>(r), 0);
    return r;
}

void wiNeuZeichnen(int id, int flag)
{
    HWND c = itmCtl(id);
    SendMessage(c, WM_SETREDRAW, flag ? TRUE : FALSE, 0);
    if (flag && c) InvalidateRect(c, nullptr, TRUE);
}

// ---- Combo boxes --------------------------------------------------------------------------------------

void wiComboLeeren(int id)
{
    itmMitSchrift(id);
    itmSenden(id, CB_RESETCONTENT, 0, 0);
}
int wiComboAnhaengen(int id, const char* text)
{
    return static_cast<int>(itmSenden(id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text ? text : "")));
}
int wiComboEinfuegen(int id, const char* text, int n)
{
    return static_cast<int>(itmSenden(id, CB_INSERTSTRING, n, reinterpret_cast<LPARAM>(text ? text : "")));
}
int wiComboLoeschen(int id, int n) { return static_cast<int>(itmSenden(id, CB_DELETESTRING, n, 0)); }

void wiComboFuellen(int id, const char* liste)
{
    wiComboLeeren(id);
    std::string rest(liste ? liste : "");
    std::vector<char> feld(rest.size() + 1);
    while (!rest.empty()) {
        int n = quotfeldab(feld.data(), feld.size(), rest.data());
        rest = rest.c_str();
        if (n <= 0) break;
        wiComboAnhaengen(id, feld.data());
    }
}

void wiComboEinzeln(int id, const char* text)
{
    wiComboLeeren(id);
    wiComboAnhaengen(id, text);
    wiComboWahlSetzen(id, 0);
}

int wiComboWahl(int id) { return static_cast<int>(itmSenden(id, CB_GETCURSEL, 0, 0)); }
int wiComboWahlSetzen(int id, int n) { return static_cast<int>(itmSenden(id, CB_SETCURSEL, n, 0)); }

int wiComboTextWaehlen(int id, const char* text)
{
    if (!text || strleer(text)) return static_cast<int>(itmSenden(id, CB_SETCURSEL, static_cast<WPARAM>(-1), 0));
    return static_cast<int>(itmSenden(id, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text)));
}

char* wiComboWahlText(int id, char* puffer, int n)
{
    puffer[0] = 0;
    int w = wiComboWahl(id);
    if (w < 0) return puffer;
    std::string t = itmListenText(itmCtl(id), CB_GETLBTEXTLEN, CB_GETLBTEXT, w, n > 0 ? n : 0);
    strkopie(puffer, static_cast<size_t>(n) + 1, t.c_str(), n);
    return puffer;
}

char* wiComboText(int id, char* puffer, int n)
{
    if (wiComboWahl(id) >= 0) return wiComboWahlText(id, puffer, n);
    wiTextHolen(id, puffer, n);
    return puffer;
}

char* wiComboEintragText(int id, int n, char* puffer, int max)
{
    puffer[0] = 0;
    std::string t = itmListenText(itmCtl(id), CB_GETLBTEXTLEN, CB_GETLBTEXT, n, max > 0 ? max : 0);
    strkopie(puffer, static_cast<size_t>(max) + 1, t.c_str(), max);
    return puffer;
}

void wiComboSetzen(int id, const char* text)
{
    HWND c = itmMitSchrift(id);
    const char* t = text ? text : "";
    LRESULT i = SendMessage(c, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(t));
    SendMessage(c, CB_SETCURSEL, static_cast<WPARAM>(i >= 0 ? i : -1), 0);
    SetWindowText(c, t);
}

int wiComboSpalteWaehlen(int id, const char* text, int versatz)
{
    HWND c = itmCtl(id);
    if (!text || !*text) {
        SendMessage(c, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        return 0;
    }
    int anzahl = static_cast<int>(SendMessage(c, CB_GETCOUNT, 0, 0));
    size_t l = std::strlen(text);
    for (int i = 0; i < anzahl; ++i) {
        std::string e = itmListenText(c, CB_GETLBTEXTLEN, CB_GETLBTEXT, i, 120);
        if (versatz < 0 || e.size() <= static_cast<size_t>(versatz)) continue;
        if (e.compare(static_cast<size_t>(versatz), l, text) == 0) {
            SendMessage(c, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
            return 1;
        }
    }
    return 0;
}

int wiComboSchluessel(int id, int versatz, const char* text, char* aus, int groesse)
{
    HWND c = itmCtl(id);
    int anzahl = static_cast<int>(SendMessage(c, CB_GETCOUNT, 0, 0));
    if (versatz < 0) versatz = 0;
    for (int i = 0; i < anzahl; ++i) {
        std::string e = itmListenText(c, CB_GETLBTEXTLEN, CB_GETLBTEXT, i, 300);
        if (e.size() < static_cast<size_t>(versatz)) continue;
        if (e.compare(static_cast<size_t>(versatz), std::string::npos, text ? text : "") != 0) continue;
        std::string vorn = e.substr(0, static_cast<size_t>(versatz));
        strrtrim(vorn.data());
        if (aus && groesse > 0) strkopie(aus, static_cast<size_t>(groesse), vorn.c_str(), groesse - 1);
        return i;
    }
    return -1;
}

int wiComboEnthaelt(int id, const char* text, int n)
{
    HWND c = itmCtl(id);
    int anzahl = static_cast<int>(SendMessage(c, CB_GETCOUNT, 0, 0));
    std::string t(text ? text : "");
    for (int i = 0; i < anzahl; ++i) {
        std::string e = itmListenText(c, CB_GETLBTEXTLEN, CB_GETLBTEXT, i, 180);
        if (n > 0 ? e.compare(0, static_cast<size_t>(n), t, 0, static_cast<size_t>(n)) == 0 : e == t) return 1;
    }
    return 0;
}

int wiComboAnzahl(int id) { return static_cast<int>(itmSenden(id, CB_GETCOUNT, 0, 0)); }

void wiComboHoehe(int id, int hoehe)
{
    itmSenden(id, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), plDialogPixel(hoehe));
}

int wiComboGeaendert(int id, WPARAM wp)
{
    if (LOWORD(wp) != id) return 0;
    UINT n = HIWORD(wp);
    return n == CBN_SELCHANGE || n == CBN_DBLCLK || n == CBN_EDITUPDATE ? 1 : 0;
}

int wiComboAufgeklappt(int id, WPARAM wp) { return LOWORD(wp) == id && HIWORD(wp) == CBN_DROPDOWN ? 1 : 0; }

void wiComboAenderungMelden(int id)
{
    PostMessage(itmDlg(), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), static_cast<LPARAM>(itmCtl(id)));
}

// ---- Edit controls ------------------------------------------------------------------------------------------

int wiEditGeaendert(int id, WPARAM wp) { return LOWORD(wp) == id && HIWORD(wp) == EN_CHANGE ? 1 : 0; }
int wiEditGeaendertBereich(int erster, int letzter, WPARAM wp)
{
    int id = LOWORD(wp);
    return id >= erster && id <= letzter && HIWORD(wp) == EN_CHANGE ? 1 : 0;
}
int wiEditGetippt(int id, WPARAM wp)
{
    return LOWORD(wp) == id && HIWORD(wp) == EN_CHANGE && GetFocus() == itmCtl(id) && GetFocus() ? 1 : 0;
}
int wiEditFokus(int id, WPARAM wp) { return LOWORD(wp) == id && HIWORD(wp) == EN_SETFOCUS ? 1 : 0; }
int wiEditFokusWeg(int id, WPARAM wp) { return LOWORD(wp) == id && HIWORD(wp) == EN_KILLFOCUS ? 1 : 0; }
void wiEditAenderungMelden(int id) { PostMessage(itmDlg(), WM_COMMAND, MAKEWPARAM(id, EN_CHANGE), 0); }
void wiEditAnfang(int id) { itmSenden(id, EM_SETSEL, 0, 0); }
void wiEditEnde(int id) { itmSenden(id, WM_KEYDOWN, VK_END, 0); }

void wiEditZumEnde(int id)
{
    char p[201];
    int n = wiTextHolen(id, p, 200);
    itmSenden(id, EM_SETSEL, n, n);
    itmSenden(id, EM_SCROLLCARET, 0, 0);
}

// ---- Clipboard texts ---------------------------------------------------------------------------------------

void wiClipLeeren()
{
    if (!OpenClipboard(itmDlg())) return;
    EmptyClipboard();
    CloseClipboard();
}

int wiClipText(const char* text)
{
    const char* t = text ? text : "";
    size_t n = std::strlen(t);
    HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, n + 1);
    if (!g) return 0;
    char* p = static_cast<char*>(GlobalLock(g));
    if (!p) {
        GlobalFree(g);
        return 0;
    }
    std::memcpy(p, t, n + 1);
    GlobalUnlock(g);
    if (!OpenClipboard(itmDlg())) {
        GlobalFree(g);
        return 0;
    }
    EmptyClipboard();
    HANDLE h = SetClipboardData(CF_TEXT, g);
    CloseClipboard();
    if (!h) GlobalFree(g);
    return h ? 1 : 0;
}

namespace {

// The CF_TEXT contents, or false when there is none.
bool itmClipLesen(std::string* aus)
{
    if (!OpenClipboard(itmDlg())) return false;
    bool ok = false;
    HANDLE h = GetClipboardData(CF_TEXT);
    if (h) {
        const char* p = static_cast<const char*>(GlobalLock(h));
        if (p) {
            size_t max = GlobalSize(h);
            size_t n = 0;
            while (n < max && p[n]) ++n;
            aus->assign(p, n);
            ok = true;
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return ok;
}

}  // namespace

char* wiClipHolen(char* puffer, int n)
{
    puffer[0] = 0;
    std::string t;
    if (itmClipLesen(&t)) strkopie(puffer, static_cast<size_t>(n) + 1, t.c_str(), n);
    return puffer;
}

char* wiClipHolenNeu()
{
    std::string t;
    if (!itmClipLesen(&t)) return nullptr;
    char* p = static_cast<char*>(fmalloc(1, static_cast<long>(t.size()) + 1));
    if (p) std::memcpy(p, t.c_str(), t.size() + 1);
    return p;
}
