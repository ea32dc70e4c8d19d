// Message boxes, MessageBeep and FatalAppExit; see nachrichtbox.h. Prefix
// `box` for file helpers. A box is a dialog built in code from a template
// struct and run by DialogBoxIndirectParam; its icon is drawn here.
#include "platform/nachrichtbox.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <deque>

#include "platform/dialog.h"
#include "platform/dialoginterna.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/nachricht.h"
#include "platform/stil3d.h"
#include "platform/systemwerte.h"

namespace {

std::deque<int> boxSkript;
std::vector<plNachrichtBoxFrage> boxFragenListe;
int boxPiepZahl = 0;
plFatalAppExitFn boxFatal = nullptr;
plNachrichtBoxBeobachterFn boxBeobachter = nullptr;
int boxOhneBenutzer = 0;
plOhneBenutzerMelderFn boxMelder = nullptr;
int boxBewahren = 0;      // the keeping answer of the next box (0 none)
int boxLaufFehler = 0;    // failures of a run without a user

constexpr int BOX_ICON_ID = 20;
constexpr int BOX_TEXT_ID = 0xFFFF;
constexpr int BOX_ICON = 32;       // icon size in pixels
constexpr int BOX_TEXTBREITE = 420; // widest text line before wrapping, pixels

struct BoxKnopf {
    int id;
    const char* text;
};

// The buttons of each MB_ type, in order.
std::vector<BoxKnopf> boxKnoepfe(UINT art)
{
    switch (art) {
    case MB_OKCANCEL: return {{IDOK, "OK"}, {IDCANCEL, "Abbrechen"}};
    case MB_ABORTRETRYIGNORE: return {{IDABORT, "&Abbrechen"}, {IDRETRY, "&Wiederholen"}, {IDIGNORE, "&Ignorieren"}};
    case MB_YESNOCANCEL: return {{IDYES, "&Ja"}, {IDNO, "&Nein"}, {IDCANCEL, "Abbrechen"}};
    case MB_YESNO: return {{IDYES, "&Ja"}, {IDNO, "&Nein"}};
    case MB_RETRYCANCEL: return {{IDRETRY, "&Wiederholen"}, {IDCANCEL, "Abbrechen"}};
    case MB_CANCELTRYCONTINUE:
        return {{IDCANCEL, "Abbrechen"}, {IDTRYAGAIN, "&Erneut versuchen"}, {IDCONTINUE, "&Weiter"}};
    default: return {{IDOK, "OK"}};
    }
}

struct BoxDaten {
    UINT typ;
    std::vector<BoxKnopf> knoepfe;
    int standard;     // id of the default button
    size_t frage;     // index into the record
};

int boxEinheiten(int pixel)
{
    // Pixels to dialog units, rounded up so that nothing gets smaller.
    double f = HIWORD(GetDialogBaseUnits()) / 8.0;
    return static_cast<int>(std::ceil(pixel / f));
}

void boxIconMalen(HDC hdc, const RECT& rc, UINT icon)
{
    int x = rc.left, y = rc.top;
    HGDIOBJ altStift = SelectObject(hdc, GetStockObject(BLACK_PEN));
    HBRUSH b;
    const char* zeichen = nullptr;
    COLORREF zeichenFarbe = RGB(255, 255, 255);
    switch (icon) {
    case MB_ICONHAND: {
        b = CreateSolidBrush(RGB(200, 0, 0));
        HGDIOBJ alt = SelectObject(hdc, b);
        Ellipse(hdc, x, y, x + BOX_ICON, y + BOX_ICON);
        SelectObject(hdc, alt);
        DeleteObject(b);
        HPEN weiss = CreatePen(PS_SOLID, 3, RGB(255, 255, 255));
        alt = SelectObject(hdc, weiss);
        MoveToEx(hdc, x + 10, y + 10, nullptr);
        LineTo(hdc, x + 22, y + 22);
        MoveToEx(hdc, x + 22, y + 10, nullptr);
        LineTo(hdc, x + 10, y + 22);
        SelectObject(hdc, alt);
        DeleteObject(weiss);
        break;
    }
    case MB_ICONEXCLAMATION: {
        b = CreateSolidBrush(RGB(255, 220, 0));
        HGDIOBJ alt = SelectObject(hdc, b);
        POINT p[3] = {{x + 16, y + 1}, {x + 31, y + 30}, {x + 1, y + 30}};
        Polygon(hdc, p, 3);
        SelectObject(hdc, alt);
        DeleteObject(b);
        zeichen = "!";
        zeichenFarbe = RGB(0, 0, 0);
        break;
    }
    case MB_ICONQUESTION:
    case MB_ICONASTERISK: {
        b = CreateSolidBrush(icon == MB_ICONQUESTION ? RGB(0, 90, 200) : RGB(0, 60, 170));
        HGDIOBJ alt = SelectObject(hdc, b);
        Ellipse(hdc, x, y, x + BOX_ICON, y + BOX_ICON);
        SelectObject(hdc, alt);
        DeleteObject(b);
        zeichen = icon == MB_ICONQUESTION ? "?" : "i";
        break;
    }
    default: break;
    }
    SelectObject(hdc, altStift);
    if (zeichen) {
        HFONT f = CreateFont(-22, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Times New Roman");
        HGDIOBJ alt = SelectObject(hdc, f);
        SetBkMode(hdc, TRANSPARENT);
        SetTextColor(hdc, zeichenFarbe);
        RECT t{x, y + (icon == MB_ICONEXCLAMATION ? 6 : 2), x + BOX_ICON, y + BOX_ICON};
        DrawText(hdc, zeichen, 1, &t, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        SelectObject(hdc, alt);
        DeleteObject(f);
    }
}

bool boxHatKnopf(const BoxDaten* d, int id)
{
    for (const BoxKnopf& k : d->knoepfe)
        if (k.id == id) return true;
    return false;
}

void boxEnde(HWND h, BoxDaten* d, int id)
{
    if (d->frage < boxFragenListe.size()) boxFragenListe[d->frage].antwort = id;
    EndDialog(h, id);
}

INT_PTR boxProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    BoxDaten* d = reinterpret_cast<BoxDaten*>(GetWindowLongPtr(h, DWLP_USER));
    switch (msg) {
    case WM_INITDIALOG: {
        SetWindowLongPtr(h, DWLP_USER, lp);
        d = reinterpret_cast<BoxDaten*>(lp);
        if (HWND k = GetDlgItem(h, d->standard)) {
            plDialogFokusMerken(h, k);
            SendMessage(h, DM_SETDEFID, static_cast<WPARAM>(d->standard), 0);
        }
        return FALSE;
    }
    case WM_DRAWITEM: {
        const DRAWITEMSTRUCT* di = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        if (!d || !di || di->CtlID != BOX_ICON_ID) return FALSE;
        FillRect(di->hDC, &di->rcItem, GetSysColorBrush(COLOR_BTNFACE));
        boxIconMalen(di->hDC, di->rcItem, d->typ & MB_ICONMASK);
        return TRUE;
    }
    case WM_COMMAND: {
        if (!d || HIWORD(wp) != BN_CLICKED) return FALSE;
        int id = LOWORD(wp);
        if (boxHatKnopf(d, id)) {
            boxEnde(h, d, id);
        } else if (id == IDCANCEL && d->knoepfe.size() == 1) {
            // Esc and the close box answer a lone OK button.
            boxEnde(h, d, d->knoepfe[0].id);
        } else if (id == IDCANCEL) {
            // A question without Cancel: Esc and the close box decline it.
            // Neither Yes nor No is said (a caller that asks again on
            // anything else keeps its data), and no one is left with a
            // box that only Alt+letter closes.
            boxEnde(h, d, IDCANCEL);
        }
        return TRUE;
    }
    default:
        if (msg == plDialogLeerlaufNachricht() && d) {
            if (boxBeobachter) boxBeobachter(h);
            if (!IsWindow(h)) return TRUE;
            int id = d->standard;
            if (!boxSkript.empty()) {
                id = boxSkript.front();
                boxSkript.pop_front();
            }
            // A scripted Cancel (Esc) on a box without one goes the way of Esc.
            if (boxHatKnopf(d, id))
                boxEnde(h, d, id);
            else
                SendMessage(h, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
            if (IsWindow(h) && plDialogZustand(h) && !plDialogZustand(h)->beendet) boxEnde(h, d, d->standard);
            SetWindowLongPtr(h, DWLP_MSGRESULT, 1);
            return TRUE;
        }
        return FALSE;
    }
}

// The template of a box: icon, text and a centred row of buttons.
RcDialog boxVorlage(const char* text, const char* titel, const BoxDaten& d)
{
    HDC dc = CreateCompatibleDC(0);
    HGDIOBJ alt = SelectObject(dc, plDialogSystemSchrift());
    RECT mass{0, 0, BOX_TEXTBREITE, 0};
    DrawText(dc, text, -1, &mass, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    SelectObject(dc, alt);
    DeleteDC(dc);
    // A text taller than the screen is cut so that the buttons stay on it.
    RECT arbeit{0, 0, PL_BILDSCHIRM_BREITE, PL_BILDSCHIRM_HOEHE};
    SystemParametersInfo(SPI_GETWORKAREA, 0, &arbeit, 0);
    mass.bottom = std::min<LONG>(mass.bottom, mass.top + (arbeit.bottom - arbeit.top) * 3 / 4);
    bool icon = (d.typ & MB_ICONMASK) != 0;
    int textB = boxEinheiten(mass.right - mass.left) + 2, textH = std::max(boxEinheiten(mass.bottom - mass.top), 8);
    int iconDu = boxEinheiten(BOX_ICON);
    int n = static_cast<int>(d.knoepfe.size());
    int knopfB = 50, knopfH = 14, abstand = 6, rand = 8;
    for (const BoxKnopf& k : d.knoepfe)
        if (std::string(k.text).size() > 10) knopfB = 70;
    int reihe = n * knopfB + (n - 1) * abstand;
    int textX = rand + (icon ? iconDu + 8 : 0);
    int inhaltB = std::max(textX + textB + rand, reihe + 2 * rand);
    int inhaltH = std::max(textH, icon ? iconDu : 0);
    RcDialog t;
    t.name = "#messagebox";
    t.stil = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_VISIBLE;
    if ((d.typ & MB_MODEMASK) == MB_SYSTEMMODAL || (d.typ & MB_TOPMOST)) t.exStil |= WS_EX_TOPMOST;
    t.exStil |= WS_EX_DLGMODALFRAME;
    t.titel = titel;
    t.cx = inhaltB;
    t.cy = rand + inhaltH + 10 + knopfH + rand;
    t.schriftGroesse = 8;
    t.schrift = "MS Shell Dlg";
    if (icon)
        t.elemente.push_back(RcDlgElement{"", BOX_ICON_ID, "Static", WS_CHILD | WS_VISIBLE | SS_OWNERDRAW, 0, rand,
                                          rand + (inhaltH - iconDu) / 2, iconDu, iconDu, 0});
    t.elemente.push_back(RcDlgElement{text, BOX_TEXT_ID, "Static", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0,
                                      textX, rand + (inhaltH - textH) / 2, textB, textH, 0});
    int x = (inhaltB - reihe) / 2, y = rand + inhaltH + 10;
    for (int i = 0; i < n; ++i) {
        const BoxKnopf& k = d.knoepfe[static_cast<size_t>(i)];
        DWORD s = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (k.id == d.standard ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        if (i == 0) s |= WS_GROUP;
        t.elemente.push_back(RcDlgElement{k.text, k.id, "Button", s, 0, x, y, knopfB, knopfH, 0});
        x += knopfB + abstand;
    }
    return t;
}

struct BoxSperre {
    std::vector<HWND> fenster;
};

BOOL CALLBACK boxSperrenRuf(HWND h, LPARAM lp)
{
    auto* s = reinterpret_cast<BoxSperre*>(lp);
    if (IsWindowEnabled(h) && IsWindowVisible(h)) s->fenster.push_back(h);
    return TRUE;
}

// A box nobody will see: answered at once, told to the reporter.
int boxOhneBenutzerAntwort(const BoxDaten& d, const char* text, int bewahren)
{
    int id = d.standard;
    if (!boxSkript.empty()) {
        id = boxSkript.front();
        boxSkript.pop_front();
    }
    if (!boxHatKnopf(&d, id)) id = d.knoepfe.size() == 1 ? d.knoepfe[0].id : d.standard;
    const bool bewahrt = bewahren != 0 && boxHatKnopf(&d, bewahren) && id != bewahren;
    if (bewahrt) id = bewahren;
    const UINT icon = d.typ & MB_ICONMASK;
    if (bewahrt || icon == MB_ICONHAND || icon == MB_ICONEXCLAMATION) ++boxLaufFehler;
    std::string antwort;
    if (d.knoepfe.size() > 1) {
        for (const BoxKnopf& k : d.knoepfe) {
            if (k.id != id) continue;
            for (const char* p = k.text; *p; ++p)
                if (*p != '&') antwort += *p;
        }
    }
    if (boxMelder) boxMelder(plNachrichtBoxArt(d.typ), text, antwort.c_str(), bewahrt);
    if (d.frage < boxFragenListe.size()) boxFragenListe[d.frage].antwort = id;
    return id;
}

}  // namespace

const char* plNachrichtBoxArt(UINT typ)
{
    switch (typ & MB_ICONMASK) {
    case MB_ICONHAND: return "Fehler";
    case MB_ICONEXCLAMATION: return "Warnung";
    case MB_ICONQUESTION: return "Frage";
    case MB_ICONASTERISK: return "Hinweis";
    default: return "Meldung";
    }
}

void plOhneBenutzerSetzen(int an)
{
    boxOhneBenutzer = an ? 1 : 0;
}

int plOhneBenutzer()
{
    return boxOhneBenutzer;
}

void plOhneBenutzerMelder(plOhneBenutzerMelderFn fn)
{
    boxMelder = fn;
}

void plNachrichtBoxBewahren(int antwort)
{
    boxBewahren = boxOhneBenutzer ? antwort : 0;
}

void plOhneBenutzerFehlerZaehlen()
{
    ++boxLaufFehler;
}

int plOhneBenutzerFehler()
{
    return boxLaufFehler;
}

void plOhneBenutzerFehlerLeeren()
{
    boxLaufFehler = 0;
}

int MessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    BoxDaten d;
    d.typ = type;
    d.knoepfe = boxKnoepfe(type & MB_TYPEMASK);
    size_t def = (type & MB_DEFMASK) >> 8;
    d.standard = d.knoepfe[def < d.knoepfe.size() ? def : 0].id;
    const char* t = text ? text : "";
    const char* c = caption ? caption : "Fehler";
    d.frage = boxFragenListe.size();
    boxFragenListe.push_back(plNachrichtBoxFrage{c, t, type, 0});
    const int bewahren = boxBewahren;
    boxBewahren = 0;
    if (boxOhneBenutzer) return boxOhneBenutzerAntwort(d, t, bewahren);
    if (owner && !IsWindow(owner)) owner = 0;

    // Task-modal: every enabled top-level window, remembered exactly.
    BoxSperre sperre;
    if ((type & MB_MODEMASK) == MB_TASKMODAL) {
        EnumWindows(boxSperrenRuf, reinterpret_cast<LPARAM>(&sperre));
        for (HWND h : sperre.fenster) EnableWindow(h, FALSE);
    }
    RcDialog vorlage = boxVorlage(t, c, d);
    INT_PTR r = DialogBoxIndirectParam(0, &vorlage, owner, boxProc, reinterpret_cast<LPARAM>(&d));
    for (HWND h : sperre.fenster)
        if (IsWindow(h)) EnableWindow(h, TRUE);
    if (r <= 0) r = d.standard;
    if (d.frage < boxFragenListe.size()) boxFragenListe[d.frage].antwort = static_cast<int>(r);
    return static_cast<int>(r);
}

BOOL MessageBeep(UINT)
{
    ++boxPiepZahl;
    return TRUE;
}

void plFatalAppExitSetzen(plFatalAppExitFn fn)
{
    boxFatal = fn;
}

void FatalAppExit(UINT action, LPCSTR text)
{
    const char* t = text ? text : "";
    if (boxFatal) boxFatal(action, t);
    std::fprintf(stderr, "velmo: %s\n", t);
    std::fflush(stderr);
    MessageBox(0, t, "Fehler", MB_OK | MB_ICONSTOP | MB_TASKMODAL);
    std::_Exit(3);
}

void plNachrichtBoxAntwort(int id)
{
    boxSkript.push_back(id);
}

void plNachrichtBoxSkriptLeeren()
{
    boxSkript.clear();
}

const std::vector<plNachrichtBoxFrage>& plNachrichtBoxFragen()
{
    return boxFragenListe;
}

void plNachrichtBoxFragenLeeren()
{
    boxFragenListe.clear();
}

int plNachrichtBoxPieps()
{
    return boxPiepZahl;
}

void plNachrichtBoxBeobachter(plNachrichtBoxBeobachterFn fn)
{
    boxBeobachter = fn;
}
