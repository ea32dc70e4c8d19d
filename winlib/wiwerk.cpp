// Window utilities and dialog layout. Prefix `wi`, `Str` (file helpers
// `ww`). Geometry acts on the current dialog (wiDlgFenster: the top of the
// current-dialog stack, else the main window); rectangles are read in the
// dialog's client coordinates and set without z-order change, activation or
// copying of old contents. May call platform/, support/, config/, the dialog
// manager, the dialog items, the frame record, winbib.h, wibild.h and
// tbarhaken.h.
#include "winlib/wiwerk.h"

#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

#include "config/apstil.h"
#include "support/zahlen.h"
#include "config/textring.h"
#include "platform/accel.h"
#include "platform/bildlader.h"
#include "platform/ctl_status.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/lokalbefehl.h"
#include "platform/menue.h"
#include "platform/nachricht.h"
#include "platform/ressource.h"
#include "platform/shell.h"
#include "platform/systemwerte.h"
#include "support/basis.h"
#include "support/texte.h"
#include "support/vergleich.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/tbarhaken.h"
#include "winlib/wibild.h"
#include "winlib/winbib.h"

namespace {

inline constexpr int WWACCELNAMESUP = 40;
char wwAccel[WWACCELNAMESUP + 1] = "ANW_ACCEL";

inline constexpr UINT WWSETZEN = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS;

bool wwImBereich(int id) { return id >= WIIDERSTES && id <= WIIDLETZTES; }

// The controls of an id list: the first id, then the rest of the va_list up
// to the first id outside 2000..8999; a first id 0 (when allowed) stands
// for every child of the dialog.
std::vector<HWND> wwListe(int erstes, va_list ap, bool nullAlle)
{
    std::vector<HWND> v;
    HWND dlg = wiDlgFenster();
    if (nullAlle && erstes == 0) {
        for (HWND h = GetWindow(dlg, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) v.push_back(h);
        return v;
    }
    for (int id = erstes; wwImBereich(id); id = va_arg(ap, int)) {
        HWND h = GetDlgItem(dlg, id);
        if (h) v.push_back(h);
    }
    return v;
}

RECT wwImDialog(HWND h)
{
    RECT r{};
    GetWindowRect(h, &r);
    MapWindowPoints(0, wiDlgFenster(), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

RECT wwKlient()
{
    RECT r{};
    GetClientRect(wiDlgFenster(), &r);
    return r;
}

void wwSetzen(HWND h, const RECT& r)
{
    SetWindowPos(h, 0, r.left, r.top, r.right - r.left, r.bottom - r.top, WWSETZEN);
}

// Moves controls down by `pixel` (negative: up); a control taller than
// WIHOCHSUP dialog units keeps its bottom edge.
void wwRunter(const std::vector<HWND>& v, int pixel)
{
    int hoch = wiDlgEinheit(WIHOCHSUP);
    for (HWND h : v) {
        RECT r = wwImDialog(h);
        r.top += pixel;
        if (r.bottom - (r.top - pixel) <= hoch) r.bottom += pixel;
        wwSetzen(h, r);
    }
}

void wwAus(const RECT& r, int* l, int* o, int* rr, int* u)
{
    if (l) *l = r.left;
    if (o) *o = r.top;
    if (rr) *rr = r.right;
    if (u) *u = r.bottom;
}

}  // namespace

// ---- Layout ----------------------------------------------------------------------------------
int wiTbarVersatz() { return TbarKnopfHoehe() - 14; }

void wiItemsUnterTbar(int id, ...)
{
    va_list ap;
    va_start(ap, id);
    std::vector<HWND> v = wwListe(id, ap, true);
    va_end(ap);
    wwRunter(v, wiDlgEinheit(wiTbarVersatz()));
}

void wiItemsRunter(int n, ...)
{
    va_list ap;
    va_start(ap, n);
    int erstes = va_arg(ap, int);
    std::vector<HWND> v = wwListe(erstes, ap, true);
    va_end(ap);
    wwRunter(v, wiDlgEinheit(n));
}

namespace {
std::vector<HWND> wwAlle()
{
    std::vector<HWND> v;
    for (HWND h = GetWindow(wiDlgFenster(), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) v.push_back(h);
    return v;
}
}  // namespace

void wiAllesUnterTbar() { wwRunter(wwAlle(), wiDlgEinheit(wiTbarVersatz())); }

void wiAllesUeberTbar() { wwRunter(wwAlle(), -wiDlgEinheit(wiTbarVersatz())); }

#define WW_LISTE(n, v)                        \
    va_list ap;                               \
    va_start(ap, n);                          \
    int erstes_ = va_arg(ap, int);            \
    std::vector<HWND> v = wwListe(erstes_, ap, false); \
    va_end(ap)

void wiItemsLinksBis(int n, ...)
{
    WW_LISTE(n, v);
    for (HWND h : v) {
        RECT r = wwImDialog(h);
        r.left = wiDlgEinheit(n);
        wwSetzen(h, r);
    }
}

void wiItemsObenBis(int n, ...)
{
    WW_LISTE(n, v);
    for (HWND h : v) {
        RECT r = wwImDialog(h);
        r.top = wiDlgEinheit(n);
        wwSetzen(h, r);
    }
}

void wiItemsRechtsBis(int n, ...)
{
    WW_LISTE(n, v);
    RECT k = wwKlient();
    for (HWND h : v) {
        RECT r = wwImDialog(h);
        r.right = k.right - wiDlgEinheit(n);
        wwSetzen(h, r);
    }
}

void wiItemsUntenBis(int n, ...)
{
    WW_LISTE(n, v);
    RECT k = wwKlient();
    for (HWND h : v) {
        RECT r = wwImDialog(h);
        r.bottom = k.bottom - wiDlgEinheit(n);
        wwSetzen(h, r);
    }
}

void wiItemsLinksAn(int n, ...)
{
    WW_LISTE(n, v);
    for (HWND h : v) {
        RECT r = wwImDialog(h);
        int b = r.right - r.left;
        r.left = wiDlgEinheit(n);
        r.right = r.left + b;
        wwSetzen(h, r);
    }
}

int wiItemsRechtsAn(int n, ...)
{
    WW_LISTE(n, v);
    RECT k = wwKlient();
    int links = -1;
    for (HWND h : v) {
        RECT r = wwImDialog(h);
        int b = r.right - r.left;
        r.right = k.right - wiDlgEinheit(n);
        r.left = r.right - b;
        if (links < 0) links = r.left;
        wwSetzen(h, r);
    }
    return links;
}

void wiItemsUntenAn(int n, ...)
{
    WW_LISTE(n, v);
    RECT k = wwKlient();
    for (HWND h : v) {
        RECT r = wwImDialog(h);
        int hoehe = r.bottom - r.top;
        r.bottom = k.bottom - wiDlgEinheit(n);
        r.top = r.bottom - hoehe;
        wwSetzen(h, r);
    }
}

#undef WW_LISTE

void wiRollbalkenLayout(int rechts, int unten, int haupt, int senkrecht, int waagrecht, int ecke)
{
    HWND dlg = wiDlgFenster();
    RECT k = wwKlient();
    RECT a{k.left, k.top, k.right - wiDlgEinheit(rechts), k.bottom - wiDlgEinheit(unten)};
    int d = wiDlgEinheit(WIBALKENDICKE);
    HWND hHaupt = haupt ? GetDlgItem(dlg, haupt) : 0;
    HWND hSenk = senkrecht ? GetDlgItem(dlg, senkrecht) : 0;
    HWND hWaag = waagrecht ? GetDlgItem(dlg, waagrecht) : 0;
    HWND hEcke = ecke ? GetDlgItem(dlg, ecke) : 0;
    bool mitSenk = senkrecht != 0, mitWaag = waagrecht != 0;
    if (hHaupt) {
        RECT r = wwImDialog(hHaupt);
        r.right = a.right - (mitSenk ? d : 0);
        r.bottom = a.bottom - (mitWaag ? d : 0);
        wwSetzen(hHaupt, r);
    }
    if (hSenk) {
        RECT r = wwImDialog(hSenk);
        r.left = a.right - d;
        r.right = a.right;
        r.bottom = a.bottom - (mitWaag ? d : 0);
        wwSetzen(hSenk, r);
    }
    if (hWaag) {
        RECT r = wwImDialog(hWaag);
        r.top = a.bottom - d;
        r.bottom = a.bottom;
        r.right = a.right - (mitSenk ? d : 0);
        wwSetzen(hWaag, r);
    }
    if (hEcke) wwSetzen(hEcke, RECT{a.right - d, a.bottom - d, a.right, a.bottom});
}

void wiItemUeber(int idA, int idB, int links, int rechts, int oben, int unten)
{
    HWND dlg = wiDlgFenster();
    HWND a = GetDlgItem(dlg, idA), b = GetDlgItem(dlg, idB);
    if (!a || !b) return;
    RECT r{links, oben, rechts, unten};
    MapWindowPoints(a, dlg, reinterpret_cast<POINT*>(&r), 2);
    wwSetzen(b, r);
}

// ---- Rectangles and windows -------------------------------------------------------------------
void wiItemRechteck(int id, int* l, int* o, int* r, int* u)
{
    HWND h = GetDlgItem(wiDlgFenster(), id);
    wwAus(h ? wwImDialog(h) : RECT{}, l, o, r, u);
}

void wiFensterDlgRechteck(HWND fenster, int* l, int* o, int* r, int* u)
{
    wwAus(fenster ? wwImDialog(fenster) : RECT{}, l, o, r, u);
}

void wiHauptRechteck(HWND fenster, int* l, int* o, int* r, int* u)
{
    RECT rc{};
    GetWindowRect(fenster, &rc);
    MapWindowPoints(0, anwHauptfenster(), reinterpret_cast<POINT*>(&rc), 2);
    wwAus(rc, l, o, r, u);
}

void wiFensterKoord(HWND fenster, int* l, int* o, int* r, int* u)
{
    RECT rc{};
    GetWindowRect(fenster, &rc);
    wwAus(rc, l, o, r, u);
}

void wiKlientKoord(HWND fenster, int* l, int* o, int* r, int* u)
{
    RECT rc{};
    GetClientRect(fenster, &rc);
    MapWindowPoints(fenster, 0, reinterpret_cast<POINT*>(&rc), 2);
    wwAus(rc, l, o, r, u);
}

void wiItemSetzen(int id, int l, int o, int r, int u)
{
    HWND h = GetDlgItem(wiDlgFenster(), id);
    if (h) wwSetzen(h, RECT{l, o, r, u});
}

void wiFensterSetzen(HWND fenster, int l, int o, int r, int u)
{
    SetWindowPos(fenster, 0, l, o, r - l, u - o, SWP_NOZORDER | SWP_NOACTIVATE);
}

void wiFensterGroesse(HWND fenster, int breite, int hoehe)
{
    SetWindowPos(fenster, 0, 0, 0, breite, hoehe, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void wiFensterBewegen(HWND fenster, int x, int y, int breite, int hoehe) { MoveWindow(fenster, x, y, breite, hoehe, TRUE); }

void wiPunktUmrechnen(HWND von, int x, int y, HWND nach, int* xAus, int* yAus)
{
    POINT p{x, y};
    MapWindowPoints(von, nach, &p, 1);
    if (xAus) *xAus = p.x;
    if (yAus) *yAus = p.y;
}

void wiDlgZentrieren() { wiZentrieren(wiDlgFenster()); }

void wiDlgIcon(const char* name)
{
    char dlgName[DLGNAMESUP + 1];
    HWND dlg = wiDlgFenster();
    HANDLE icon = LoadImage(wiDlgModul(wiDlgName(dlgName)), name, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                            GetSystemMetrics(SM_CYSMICON), 0);
    if (icon) SendMessage(dlg, WM_SETICON, ICON_SMALL, static_cast<LPARAM>(icon));
}

void wiDlgHauptmenu(const char* name)
{
    char dlgName[DLGNAMESUP + 1];
    HMENU m = LoadMenu(wiDlgModul(wiDlgName(dlgName)), name);
    if (m) SetMenu(wiDlgFenster(), m);
}

void wiMenuPunktWeg(int art, int id)
{
    if (art == 0) wiMenuLoeschen(id);
    else DeleteMenu(GetMenu(wiDlgFenster()), static_cast<UINT>(id), MF_BYCOMMAND);
}

void wiAccelSetzen(const char* name)
{
    if (!name || strvgl(name, wwAccel) == 0) return;
    HACCEL neu = LoadAccelerators(anwInstanz(), name);
    if (!neu) {
        wiDebug("ERROR LoadAccelerators(%s)\n", name);
        return;
    }
    HACCEL alt = anwDaten()->accel;
    anwDaten()->accel = neu;
    strkopie(wwAccel, name, WWACCELNAMESUP);
    if (alt && !DestroyAcceleratorTable(alt)) wiDebug("ERROR DestroyAcceleratorTable()\n");
}

const char* wiAccelName() { return wwAccel; }

void wiAccelZuruecksetzen() { strkopie(wwAccel, "ANW_ACCEL", WWACCELNAMESUP); }

int wiNotifyKlick(int notification)
{
    if (notification == static_cast<int>(NM_CLICK)) return 1;
    if (notification == static_cast<int>(NM_DBLCLK)) return 2;
    return 0;
}

int wiComboEreignis(int id, WPARAM befehl)
{
    if (LOWORD(befehl) != static_cast<WORD>(id)) return 0;
    switch (HIWORD(befehl)) {
    case CBN_EDITUPDATE:
        return 1;
    case CBN_SELCHANGE:
        return 2;
    case CBN_DBLCLK:
    case CBN_SELENDOK:
        return 3;
    default:
        return 0;
    }
}

void wiComboAufklappen(int id, int zeigen)
{
    SendMessage(GetDlgItem(wiDlgFenster(), id), CB_SHOWDROPDOWN, zeigen ? TRUE : FALSE, 0);
}

int wiNaechstesItem(int id)
{
    HWND dlg = wiDlgFenster();
    HWND h = GetNextDlgTabItem(dlg, GetDlgItem(dlg, id), FALSE);
    return h ? GetDlgCtrlID(h) : 0;
}

void wiText(HWND fenster, const char* text) { SetWindowText(fenster, text); }

void wiItemText(HWND dialog, int id, const char* text) { SetDlgItemText(dialog, id, text); }

void wiStilAusgabe(HWND fenster)
{
    wiDebug("Style: %08X\n", static_cast<unsigned>(GetWindowLong(fenster, GWL_STYLE)));
    wiDebug("ExStl: %08X\n", static_cast<unsigned>(GetWindowLong(fenster, GWL_EXSTYLE)));
}

void wiDebugZeile(const char* format, ...)
{
    char text[WIDEBUGSUP + 2];
    va_list ap;
    va_start(ap, format);
    std::vsnprintf(text, WIDEBUGSUP, format, ap);
    va_end(ap);
    size_t n = std::strlen(text);
    text[n] = '\n';
    text[n + 1] = '\0';
    OutputDebugString(text);
}

// ---- Buttons and tooltips ------------------------------------------------------------------------
namespace {

// The creation text of control `id`: its line in the current dialog's
// template, else the control's text. A graphic button answers its label,
// not the text it was created with, once it holds one.
void wkAnlageText(HWND dlg, int id, char* text, size_t groesse)
{
    char name[DLGNAMESUP + 1];
    wiDlgName(name);
    if (const RcDialog* d = wiDlgIndex() >= 0 ? rcDialog(wiDlgModul(name), name) : nullptr) {
        for (const RcDlgElement& e : d->elemente)
            if (e.id == id) {
                strkopie(text, groesse, e.text.c_str(), static_cast<int>(groesse) - 1);
                return;
            }
    }
    text[0] = '\0';
    GetDlgItemText(dlg, id, text, static_cast<int>(groesse));
}

// One button of the current dialog from its text "NAME label" or
// "NAME;label": the picture named by the first word (which ends at a blank,
// a tab or the ';' the templates write), the rest as tooltip - cut at ';',
// the first '&' and the first '!' removed.
void wkGrbuEinrichten(HWND dlg, int id)
{
    char text[WIGRBUTEXTSUP + 1] = "";
    wkAnlageText(dlg, id, text, sizeof text);
    const char* p = text;
    while (istweiss(static_cast<unsigned char>(*p))) ++p;
    size_t n = 0;
    while (p[n] != '\0' && p[n] != ';' && !istweiss(static_cast<unsigned char>(p[n]))) ++n;
    char bild[WIGRBUTEXTSUP + 1];
    strkopie(bild, sizeof bild, p, static_cast<int>(n));
    wiItemBitmapLaden(id, bild);
    char rest[WIGRBUTEXTSUP + 1];
    strkopie(rest, sizeof rest, p[n] != '\0' ? p + n + 1 : "", WIGRBUTEXTSUP);
    strtrim(rest);
    int k = zeichenpos(rest, ';');
    if (k >= 0) rest[k] = '\0';
    k = zeichenpos(rest, '&');
    if (k >= 0) strloeschen(rest, k, 1);
    k = zeichenpos(rest, '!');
    if (k >= 0) strloeschen(rest, k, 1);
    if (*rest) wiDlgTooltip(id, TextRing(nullptr, id, rest));
}

}  // namespace

void wiGrbuEinrichten(int id, ...)
{
    va_list ap;
    va_start(ap, id);
    HWND dlg = wiDlgFenster();
    for (int i = id; i >= WIGRBUERSTES && i <= WIGRBULETZTES; i = va_arg(ap, int)) wkGrbuEinrichten(dlg, i);
    va_end(ap);
}

int wiGrbuAlleEinrichten()
{
    HWND dlg = wiDlgFenster();
    int n = 0;
    for (HWND k = GetWindow(dlg, GW_CHILD); k; k = GetWindow(k, GW_HWNDNEXT)) {
        char klasse[81] = "";
        GetClassName(k, klasse, sizeof klasse);
        int id = GetDlgCtrlID(k);
        if (id < 1 || strvgl(klasse, "ORVAGRBU") != 0) continue;
        wkGrbuEinrichten(dlg, id);
        ++n;
    }
    return n;
}

void wiTooltipsLoeschen() { wiDlgTooltipsWeg(); }

void wiKnopfFreiBild(int id, int frei, const char* bildAus, const char* bildAn)
{
    wiItemFrei(id, frei);
    wiItemBitmapLaden(id, frei ? bildAn : bildAus);
}

int wiGrbuAusloesen()
{
    HWND fokus = GetFocus();
    int id = fokus ? GetDlgCtrlID(fokus) : 0;
    if (id < 1) return 0;
    char klasse[81] = "";
    GetClassName(fokus, klasse, sizeof klasse);
    if (strvgl(klasse, "ORVAGRBU") != 0) return 0;
    PostMessage(wiDlgFenster(), WM_COMMAND, static_cast<WPARAM>(id), 0);
    return 1;
}

void wiKontextMenu(const char* name, LPARAM punkt, HWND fenster)
{
    // The menu-text layer passes the texts unchanged, so the menu is shown
    // as loaded.
    wiDlgPopupMenu(name, punkt, fenster);
}

void wiDlgPlatzText(char* text, int groesse, const WINDOWPLACEMENT* p)
{
    if (groesse <= 0) return;
    std::snprintf(text, static_cast<size_t>(groesse), "%d %d %ld %ld %ld %ld %ld %ld %ld %ld", static_cast<int>(p->flags),
                  static_cast<int>(p->showCmd), static_cast<long>(p->ptMinPosition.x),
                  static_cast<long>(p->ptMinPosition.y), static_cast<long>(p->ptMaxPosition.x),
                  static_cast<long>(p->ptMaxPosition.y), static_cast<long>(p->rcNormalPosition.left),
                  static_cast<long>(p->rcNormalPosition.top), static_cast<long>(p->rcNormalPosition.right),
                  static_cast<long>(p->rcNormalPosition.bottom));
}

int wiDlgPlatzLesen(WINDOWPLACEMENT* p, const char* text)
{
    int f = 0, s = 0;
    long w[8];
    if (!text || std::sscanf(text, "%d %d %ld %ld %ld %ld %ld %ld %ld %ld", &f, &s, &w[0], &w[1], &w[2], &w[3], &w[4],
                             &w[5], &w[6], &w[7]) != 10)
        return -1;
    p->length = sizeof *p;
    p->flags = static_cast<UINT>(f);
    p->showCmd = static_cast<UINT>(s);
    p->ptMinPosition = {static_cast<LONG>(w[0]), static_cast<LONG>(w[1])};
    p->ptMaxPosition = {static_cast<LONG>(w[2]), static_cast<LONG>(w[3])};
    p->rcNormalPosition = {static_cast<LONG>(w[4]), static_cast<LONG>(w[5]), static_cast<LONG>(w[6]),
                           static_cast<LONG>(w[7])};
    return 0;
}

void wiDlgPlatzLadenAkt()
{
    char name[DLGNAMESUP + 1];
    wiDlgPlatzLaden(wiDlgName(name));
}

void wiDlgPosMerken(int an) { wiDlgPosNachName(an); }

int GeschwisterLaeuft(int art)
{
    static const char* const klassen[4] = {"ZVKPVW", "ZVKEDIT", "ZVKVIEW", "ZVKBaut"};
    if (art < 0 || art > 3) return 0;
    return plLokalServerLebt(klassen[art]) ? 1 : 0;
}

// ---- Texts -------------------------------------------------------------------------------------
namespace {
bool wwZiffer(char c) { return c >= '0' && c <= '9'; }

bool wwMuster(const char* t, const char* muster)
{
    size_t n = std::strlen(muster);
    if (std::strlen(t) != n) return false;
    for (size_t i = 0; i < n; ++i) {
        if (muster[i] == '#' ? !wwZiffer(t[i]) : t[i] != muster[i]) return false;
    }
    return true;
}
}  // namespace

int StrIstText(const char* text)
{
    if (!text) return 1;
    if (std::strcmp(text, "0") == 0) return 0;
    // A digit other than '0', ',' or '.', then digits only: a leading '0'
    // marks an article number, which is text.
    if ((wwZiffer(text[0]) && text[0] != '0') || text[0] == ',' || text[0] == '.') {
        size_t i = 1;
        while (wwZiffer(text[i])) ++i;
        if (text[i] == '\0') return 0;
    }
    if (text[0] != '0') {
        bool ok = true;
        for (size_t i = 0; text[i] && ok; ++i) {
            if (!std::strchr("0123456789.,'+-", text[i])) ok = false;
            else if ((text[i] == '-' || text[i] == '+') && i > 0) ok = false;
        }
        if (ok) return 0;
    }
    if (wwMuster(text, "##.##.####") || wwMuster(text, "##:##")) return 0;
    return 1;
}

int StrAbschnitt(const char* text, char* ziel, int groesse, int* anfang, int* ende)
{
    int i = 0;
    while (text[i] == ' ' || text[i] == '\t') ++i;
    int a = i;
    while (text[i] != '\0' && text[i] != '\t' && !(text[i] == ' ' && text[i + 1] == ' ')) ++i;
    if (anfang) *anfang = a;
    if (ende) *ende = i;
    if (groesse <= 0) return 0;
    return strkopie(ziel, static_cast<size_t>(groesse), text + a, i - a);
}

int StrAbschnittN(const char* text, char* ziel, int groesse, int* anfang, int* ende, int n)
{
    int i = 0;
    while (text[i] != '\0' && istweiss(static_cast<unsigned char>(text[i]))) ++i;
    int a = i;
    int rest = static_cast<int>(std::strlen(text + a));
    int laenge = rest < n ? rest : (n < 0 ? 0 : n);
    if (rest > laenge) {
        int komma = -1, blank = -1;
        for (int k = 1; k < laenge; ++k) {
            if (text[a + k] == ',') komma = k;
            if (text[a + k] == ' ') blank = k;
        }
        if (komma > 0) laenge = komma + 1;
        else if (blank > 0) laenge = blank;
    }
    if (anfang) *anfang = a;
    if (ende) *ende = a + laenge;
    if (groesse <= 0) return 0;
    return strkopie(ziel, static_cast<size_t>(groesse), text + a, laenge);
}

int StrWinkel(const char* text)
{
    // The fields are typed with either decimal point.
    char zahl[81];
    strkopie(zahl, text ? text : "", 80);
    const double wert = zahleingabe(zahl);
    // Tenths of a degree, normalised into 0..3599 before rounding so that
    // neither -0.01 nor 370 leaves the range.
    double t = std::fmod(wert * 10.0, 3600.0);
    if (t < 0) t += 3600.0;
    int w = static_cast<int>(t + 0.5);
    return w >= 3600 ? w - 3600 : w;
}

int wiWinkelHolen(int id)
{
    char text[81] = "";
    GetDlgItemText(wiDlgFenster(), id, text, sizeof text);
    return StrWinkel(text);
}

void wiZehntelSetzen(int id, int zehntel) { wiDezSetzen1(id, zehntel / 10.0); }

// ---- Menu-text layer -------------------------------------------------------------------------------
// No substitution pass runs over menus and dialog texts: they are shown as
// the resources give them.
void wiMenuTexteInit() {}
void wiMenuTexteEnde() {}
void wiMenuTexteAuffrischen() {}
void wiMenuTexteUmschreiben(HMENU) {}
void wiDlgTexteAuffrischen(HWND) {}
