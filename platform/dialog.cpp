// Dialogs: creation from templates, the default dialog procedure, the modal
// loop, dialog units and the offered standard classes; see dialog.h. Prefix
// `dlg` for file helpers. Calls the window manager, the GDI and the resource
// registry through their public headers, and dialoginterna.h.
//
// Invariants:
//  1. Every dialog made here has one DlgZustand from its WM_NCCREATE (the
//     pending procedure is adopted there) until its WM_NCDESTROY.
//  2. The dialog procedure is kept in DWLP_DLGPROC when the class has the
//     extra bytes, else in the state; it sees every message from
//     WM_NCCREATE on.
//  3. A modal loop re-enables exactly the owner it disabled, before the
//     dialog is destroyed, so that the owner is activated again.
#include "platform/dialog.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/dialoginterna.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/gdiint.h"
#include "platform/menue.h"
#include "platform/nachricht.h"
#include "platform/nachrichtbox.h"
#include "platform/stil3d.h"
#include "platform/systemwerte.h"
#include "platform/klasseint.h"

namespace {

std::map<HWND, DlgZustand> dlgTabelle;
DLGPROC dlgNeuProc = nullptr;
bool dlgNeuAktiv = false;

struct DlgAnbieter {
    std::string name;
    plKlassenAnbieterFn fn;
};
constexpr size_t DLG_ANBIETERSUP = 32;
std::vector<DlgAnbieter>& dlgAnbieter()
{
    static std::vector<DlgAnbieter> v;
    return v;
}
std::deque<int> dlgSkriptListe;

constexpr char DLG_KLASSE[] = "#32770";

DlgZustand* dlgZustandVon(HWND h)
{
    auto it = dlgTabelle.find(h);
    if (it != dlgTabelle.end()) return &it->second;
    if (dlgNeuAktiv && h) {
        // The window now being made by dlgErzeugen: adopt the procedure.
        DlgZustand& z = dlgTabelle[h];
        z.proc = dlgNeuProc;
        dlgNeuAktiv = false;
        if (GetClassLongPtr(h, GCL_CBWNDEXTRA) >= DLGWINDOWEXTRA)
            SetWindowLongPtr(h, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(z.proc));
        return &z;
    }
    return nullptr;
}

DLGPROC dlgProcVon(HWND h, const DlgZustand* z)
{
    if (GetClassLongPtr(h, GCL_CBWNDEXTRA) >= DLGWINDOWEXTRA)
        return reinterpret_cast<DLGPROC>(GetWindowLongPtr(h, DWLP_DLGPROC));
    return z ? z->proc : nullptr;
}

// Messages whose dialog-procedure result is the answer itself.
bool dlgDirekt(UINT msg)
{
    switch (msg) {
    case WM_INITDIALOG:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
        return true;
    default:
        return false;
    }
}

LRESULT dlgKlassenProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    return DefDlgProc(h, msg, wp, lp);
}

void dlgKlasseSichern() { plKlasseSichern(DLG_KLASSE, dlgKlassenProc, CS_DBLCLKS | CS_SAVEBITS, DLGWINDOWEXTRA); }

double dlgFaktor()
{
    return HIWORD(GetDialogBaseUnits()) / 8.0;
}

void dlgFokusWiederherstellen(HWND h, DlgZustand* z)
{
    HWND f = z ? z->fokus : 0;
    if (!f || !IsWindow(f) || !IsChild(h, f) || !IsWindowVisible(f) || !IsWindowEnabled(f))
        f = GetNextDlgTabItem(h, 0, FALSE);
    if (f && f != h)
        plDialogFokus(h, f);
    else
        SetFocus(h);
}

// Leaves the window alone when it is not a button that changes by style.
void dlgKnopfStil(HWND k, DWORD art)
{
    DWORD s = static_cast<DWORD>(GetWindowLong(k, GWL_STYLE));
    if ((s & BS_TYPEMASK) == art) return;
    SendMessage(k, BM_SETSTYLE, (s & ~static_cast<DWORD>(BS_TYPEMASK)) | art, TRUE);
}

// The font of a template: FONT line or none.
HFONT dlgSchriftAus(const RcDialog* t)
{
    if (t->schriftGroesse <= 0) return 0;
    return CreateFont(-MulDiv(t->schriftGroesse, 96, 72), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET,
                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                      t->schrift.empty() ? "MS Shell Dlg" : t->schrift.c_str());
}

// Where a top-level dialog goes (window coordinates, screen).
POINT dlgLage(const RcDialog* t, HWND owner, int breite, int hoehe)
{
    POINT p{plDialogPixel(t->x), plDialogPixel(t->y)};
    RECT arbeit{0, 0, PL_BILDSCHIRM_BREITE, PL_BILDSCHIRM_HOEHE};
    SystemParametersInfo(SPI_GETWORKAREA, 0, &arbeit, 0);
    if (t->stil & DS_CENTER) {
        RECT bezug = arbeit;
        if (owner && IsWindowVisible(owner) && !IsIconic(owner)) GetWindowRect(owner, &bezug);
        p.x = bezug.left + (bezug.right - bezug.left - breite) / 2;
        p.y = bezug.top + (bezug.bottom - bezug.top - hoehe) / 2;
    } else if (!(t->stil & DS_ABSALIGN) && owner) {
        POINT o{0, 0};
        ClientToScreen(owner, &o);
        p.x += o.x;
        p.y += o.y;
    }
    // Keep it on the work area.
    if (p.x + breite > arbeit.right) p.x = arbeit.right - breite;
    if (p.y + hoehe > arbeit.bottom) p.y = arbeit.bottom - hoehe;
    if (p.x < arbeit.left) p.x = arbeit.left;
    if (p.y < arbeit.top) p.y = arbeit.top;
    return p;
}

bool dlgKlasseIst(HWND h, const char* name)
{
    char k[64];
    if (!GetClassName(h, k, sizeof k)) return false;
    return plDialogTextGleich(k, name);
}

HWND dlgErzeugen(HINSTANCE inst, const RcDialog* t, HWND owner, DLGPROC proc, LPARAM param, bool modal)
{
    if (!t) return 0;
    plDialogKlassenSichern();
    HFONT schrift = dlgSchriftAus(t);
    DWORD stil = t->stil;
    bool kind = (stil & WS_CHILD) != 0;
    int cw = plDialogPixel(t->cx), ch = plDialogPixel(t->cy);
    RECT wr{0, 0, cw, ch};
    AdjustWindowRectEx(&wr, stil & ~static_cast<DWORD>(WS_VISIBLE), FALSE, t->exStil);
    int breite = wr.right - wr.left, hoehe = wr.bottom - wr.top;
    POINT p = kind ? POINT{plDialogPixel(t->x), plDialogPixel(t->y)} : dlgLage(t, owner, breite, hoehe);
    const char* klasse = t->klasse.empty() ? DLG_KLASSE : t->klasse.c_str();

    // A menu bar named by the template (top-level dialogs only).
    HMENU menue = (!kind && !t->menue.empty()) ? LoadMenu(inst, t->menue.c_str()) : 0;
    if (menue) {
        wr = RECT{0, 0, cw, ch};
        AdjustWindowRectEx(&wr, stil & ~static_cast<DWORD>(WS_VISIBLE), TRUE, t->exStil);
        breite = wr.right - wr.left;
        hoehe = wr.bottom - wr.top;
    }
    dlgNeuProc = proc;
    dlgNeuAktiv = true;
    HWND h = CreateWindowEx(t->exStil, klasse, t->titel.c_str(), stil & ~static_cast<DWORD>(WS_VISIBLE), p.x, p.y,
                            breite, hoehe, owner, menue, inst, reinterpret_cast<LPVOID>(param));
    if (h && dlgNeuAktiv) dlgZustandVon(h);  // a class procedure that never called DefDlgProc
    dlgNeuAktiv = false;
    if (!h || !IsWindow(h)) {
        if (schrift) DeleteObject(schrift);
        if (menue) DestroyMenu(menue);
        return 0;
    }
    DlgZustand* z = dlgZustandVon(h);
    z->modal = modal;
    if (schrift) {
        z->schrift = schrift;
        z->schriftEigen = true;
        SendMessage(h, WM_SETFONT, static_cast<WPARAM>(schrift), FALSE);
    }
    int standard = 0;
    for (const RcDlgElement& e : t->elemente) {
        DWORD s = e.stil | WS_CHILD;
        HWND c = CreateWindowEx(e.exStil | WS_EX_NOPARENTNOTIFY, e.klasse.c_str(), e.text.c_str(), s,
                                plDialogPixel(e.x), plDialogPixel(e.y), plDialogPixel(e.cx), plDialogPixel(e.cy), h,
                                static_cast<HMENU>(static_cast<UINT>(e.id)), inst, nullptr);
        if (!IsWindow(h)) return 0;
        if (!c) {
            std::fprintf(stderr, "velmo: Dialog %s: Element %d der Klasse %s nicht herstellbar\n", t->name.c_str(), e.id,
                         e.klasse.c_str());
            if (stil & DS_NOFAILCREATE) continue;
            DestroyWindow(h);
            return 0;
        }
        if (schrift) SendMessage(c, WM_SETFONT, static_cast<WPARAM>(schrift), FALSE);
        if (!standard && (s & BS_TYPEMASK) == BS_DEFPUSHBUTTON && dlgKlasseIst(c, "button")) standard = e.id;
    }
    if (!(z = dlgZustandVon(h))) return 0;
    z->standardId = standard;
    HWND erster = GetNextDlgTabItem(h, 0, FALSE);
    LRESULT r = SendMessage(h, WM_INITDIALOG, static_cast<WPARAM>(erster), param);
    if (!IsWindow(h) || !(z = dlgZustandVon(h))) return 0;
    if (r) {
        erster = GetNextDlgTabItem(h, 0, FALSE);
        if (erster) {
            if (IsWindowVisible(h))
                plDialogFokus(h, erster);
            else
                plDialogFokusMerken(h, erster);
        }
    }
    if ((stil & WS_VISIBLE) && !(z = dlgZustandVon(h))->beendet) ShowWindow(h, SW_SHOWNORMAL);
    return IsWindow(h) ? h : 0;
}

UINT dlgLeerlaufNachricht()
{
    static UINT n = 0;
    if (!n) n = RegisterWindowMessage("velmo.dialog.leerlauf");
    return n;
}

// The headless answer of an idle modal loop; see dialog.h.
void dlgLeerlauf(HWND h, int& stufe)
{
    if (SendMessage(h, dlgLeerlaufNachricht(), 0, 0)) return;
    if (!IsWindow(h)) return;
    if (!dlgSkriptListe.empty()) {
        int id = dlgSkriptListe.front();
        dlgSkriptListe.pop_front();
        plDialogKlick(h, id);
        return;
    }
    DlgZustand* z = plDialogZustand(h);
    switch (stufe++) {
    case 0: plDialogKlick(h, (z && z->standardId) ? z->standardId : IDOK); break;
    case 1: plDialogKlick(h, IDCANCEL); break;
    default: EndDialog(h, -1); break;
    }
}

bool dlgHeadless()
{
    return std::strcmp(plBackendName(), "headless") == 0;
}

INT_PTR dlgModal(HINSTANCE inst, const RcDialog* t, HWND owner, DLGPROC proc, LPARAM param)
{
    if (!t) return -1;
    HWND oben = owner ? GetAncestor(owner, GA_ROOT) : 0;
    if (!oben) oben = owner;
    bool gesperrt = false;
    if (oben && IsWindowEnabled(oben)) {
        EnableWindow(oben, FALSE);
        gesperrt = true;
    }
    HWND h = dlgErzeugen(inst, t, oben, proc, param, true);
    if (!h) {
        if (gesperrt) EnableWindow(oben, TRUE);
        return -1;
    }
    DlgZustand* z = dlgZustandVon(h);
    if (z && !z->beendet && !IsWindowVisible(h)) ShowWindow(h, SW_SHOWNORMAL);
    int stufe = 0;
    bool quit = false;
    int quitCode = 0;
    while (IsWindow(h) && (z = dlgZustandVon(h)) && !z->beendet) {
        if (dlgHeadless() && !plNachrichtArbeitWartet()) {
            dlgLeerlauf(h, stufe);
            continue;
        }
        MSG m;
        BOOL g = GetMessage(&m, 0, 0, 0);
        if (g <= 0) {
            quit = g == 0;
            quitCode = static_cast<int>(m.wParam);
            break;
        }
        if (!IsDialogMessage(h, &m)) {
            TranslateMessage(&m);
            DispatchMessage(&m);
        }
    }
    INT_PTR ergebnis = (z = dlgZustandVon(h)) ? z->ergebnis : 0;
    if (gesperrt) EnableWindow(oben, TRUE);
    if (IsWindow(h)) DestroyWindow(h);
    if (quit) PostQuitMessage(quitCode);
    return ergebnis;
}

}  // namespace

// ---- Internals shared with dialogitem.cpp and dialogtasten.cpp -----------------------------------

DlgZustand* plDialogZustand(HWND dlg)
{
    auto it = dlgTabelle.find(dlg);
    return it == dlgTabelle.end() ? nullptr : &it->second;
}

bool plDialogTextGleich(const char* a, const char* b)
{
    for (;; ++a, ++b) {
        char x = *a, y = *b;
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
        if (!x) return true;
    }
}

void plDialogFokusMerken(HWND dlg, HWND ctl)
{
    if (DlgZustand* z = plDialogZustand(dlg)) z->fokus = ctl;
    if (SendMessage(ctl, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessage(ctl, EM_SETSEL, 0, -1);
}

void plDialogFokus(HWND dlg, HWND ctl)
{
    if (!ctl) return;
    if (SendMessage(ctl, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessage(ctl, EM_SETSEL, 0, -1);
    if (DlgZustand* z = plDialogZustand(dlg)) z->fokus = ctl;
    SetFocus(ctl);
    plDialogStandardAnpassen(dlg, GetFocus());
}

void plDialogStandardAnpassen(HWND dlg, HWND fokus)
{
    DlgZustand* z = plDialogZustand(dlg);
    if (!z) return;
    HWND ziel = 0;
    if (fokus && IsChild(dlg, fokus) &&
        (SendMessage(fokus, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
        ziel = fokus;
    else if (z->standardId)
        ziel = GetDlgItem(dlg, z->standardId);
    for (HWND k = GetWindow(dlg, GW_CHILD); k; k = GetWindow(k, GW_HWNDNEXT)) {
        LRESULT code = SendMessage(k, WM_GETDLGCODE, 0, 0);
        if (k != ziel && (code & DLGC_DEFPUSHBUTTON)) dlgKnopfStil(k, BS_PUSHBUTTON);
    }
    if (ziel && (SendMessage(ziel, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON)) dlgKnopfStil(ziel, BS_DEFPUSHBUTTON);
}

void plDialogKlick(HWND dlg, int id)
{
    HWND c = GetDlgItem(dlg, id);
    if (c && !IsWindowEnabled(c)) {
        MessageBeep(0);
        return;
    }
    SendMessage(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), static_cast<LPARAM>(c));
}

void plDialogEingabe(HWND dlg)
{
    HWND f = GetFocus();
    if (f && IsChild(dlg, f) && (SendMessage(f, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
        plDialogKlick(dlg, GetDlgCtrlID(f));
        return;
    }
    DlgZustand* z = plDialogZustand(dlg);
    plDialogKlick(dlg, (z && z->standardId) ? z->standardId : IDOK);
}

// ---- Creation ---------------------------------------------------------------------------------------

namespace {
plDialogBeobachterFn dlgBeobachter = nullptr;

void dlgMelden(HINSTANCE inst, LPCSTR name)
{
    if (!dlgBeobachter) return;
    if (IS_INTRESOURCE(name)) {
        const std::string n = "#" + std::to_string(reinterpret_cast<uintptr_t>(name));
        dlgBeobachter(inst, n.c_str());
    } else {
        dlgBeobachter(inst, name ? name : "");
    }
}
}  // namespace

void plDialogBeobachter(plDialogBeobachterFn fn) { dlgBeobachter = fn; }

HWND CreateDialogParam(HINSTANCE inst, LPCSTR name, HWND owner, DLGPROC proc, LPARAM param)
{
    dlgMelden(inst, name);
    return dlgErzeugen(inst, rcDialog(inst, name), owner, proc, param, false);
}

HWND CreateDialogIndirectParam(HINSTANCE inst, const RcDialog* tpl, HWND owner, DLGPROC proc, LPARAM param)
{
    return dlgErzeugen(inst, tpl, owner, proc, param, false);
}

INT_PTR DialogBoxParam(HINSTANCE inst, LPCSTR name, HWND owner, DLGPROC proc, LPARAM param)
{
    dlgMelden(inst, name);
    return dlgModal(inst, rcDialog(inst, name), owner, proc, param);
}

INT_PTR DialogBoxIndirectParam(HINSTANCE inst, const RcDialog* tpl, HWND owner, DLGPROC proc, LPARAM param)
{
    return dlgModal(inst, tpl, owner, proc, param);
}

BOOL EndDialog(HWND dlg, INT_PTR result)
{
    DlgZustand* z = plDialogZustand(dlg);
    if (!z) return FALSE;
    z->beendet = true;
    z->ergebnis = result;
    if (!z->modal) ShowWindow(dlg, SW_HIDE);
    return TRUE;
}

// ---- Default dialog procedure -------------------------------------------------------------------------

LRESULT DefDlgProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    DlgZustand* z = dlgZustandVon(h);
    DLGPROC proc = z ? dlgProcVon(h, z) : nullptr;
    if (proc) {
        if (GetClassLongPtr(h, GCL_CBWNDEXTRA) >= DLGWINDOWEXTRA) SetWindowLongPtr(h, DWLP_MSGRESULT, 0);
        INT_PTR r = proc(h, msg, wp, lp);
        if (!IsWindow(h)) return r;
        if (dlgDirekt(msg)) {
            if (r || msg == WM_INITDIALOG) return r;
        } else if (r && msg != WM_NCDESTROY) {
            return GetClassLongPtr(h, GCL_CBWNDEXTRA) >= DLGWINDOWEXTRA ? GetWindowLongPtr(h, DWLP_MSGRESULT) : 0;
        }
        z = plDialogZustand(h);
    }
    switch (msg) {
    case WM_ERASEBKGND: {
        HBRUSH b = static_cast<HBRUSH>(SendMessage(h, WM_CTLCOLORDLG, wp, static_cast<LPARAM>(h)));
        if (!b) b = GetSysColorBrush(COLOR_BTNFACE);
        RECT rc;
        GetClientRect(h, &rc);
        FillRect(static_cast<HDC>(wp), &rc, b);
        return 1;
    }
    case WM_SETFONT:
        if (z) {
            if (z->schriftEigen && z->schrift != static_cast<HFONT>(wp)) {
                // The template's own font stays alive: its controls use it.
                z->schriftAlt.push_back(z->schrift);
            }
            z->schrift = static_cast<HFONT>(wp);
        }
        return 0;
    case WM_GETFONT: return z ? static_cast<LRESULT>(z->schrift) : 0;
    case WM_CLOSE: {
        HWND c = GetDlgItem(h, IDCANCEL);
        if (c && !IsWindowEnabled(c))
            MessageBeep(0);
        else
            PostMessage(h, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), static_cast<LPARAM>(c));
        return 0;
    }
    case DM_GETDEFID:
        return (z && z->standardId) ? MAKELRESULT(z->standardId, DC_HASDEFID) : 0;
    case DM_SETDEFID:
        if (z) {
            z->standardId = static_cast<int>(wp);
            plDialogStandardAnpassen(h, GetFocus());
        }
        return TRUE;
    case DM_REPOSITION: return 0;
    case WM_NEXTDLGCTL: {
        HWND ziel = lp ? static_cast<HWND>(wp) : GetNextDlgTabItem(h, GetFocus(), wp != 0);
        if (ziel && IsChild(h, ziel)) plDialogFokus(h, ziel);
        return 0;
    }
    case WM_ACTIVATE:
        if (LOWORD(wp) == WA_INACTIVE) {
            HWND f = GetFocus();
            if (z && f && IsChild(h, f)) z->fokus = f;
        } else if (!IsIconic(h)) {
            dlgFokusWiederherstellen(h, z);
        }
        return 0;
    case WM_SETFOCUS:
        dlgFokusWiederherstellen(h, z);
        return 0;
    case WM_SHOWWINDOW:
        if (!wp && z) {
            HWND f = GetFocus();
            if (f && IsChild(h, f)) z->fokus = f;
        }
        return DefWindowProc(h, msg, wp, lp);
    case WM_NCDESTROY:
        if (z) {
            if (z->schriftEigen) {
                if (z->schrift) DeleteObject(z->schrift);
                for (HFONT f : z->schriftAlt) DeleteObject(f);
            }
            dlgTabelle.erase(h);
        }
        return DefWindowProc(h, msg, wp, lp);
    default:
        if (msg == dlgLeerlaufNachricht()) return 0;
        return DefWindowProc(h, msg, wp, lp);
    }
}

// ---- Units ---------------------------------------------------------------------------------------------

HFONT plDialogSystemSchrift()
{
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

LONG GetDialogBaseUnits()
{
    static LONG einheiten = 0;
    if (einheiten) return einheiten;
    // Measured once on a memory DC with the fixed font: the average width of
    // the letters and the cell height, as Windows derives them.
    int bx = 6, by = 13;
    HDC dc = CreateCompatibleDC(0);
    if (dc) {
        gdiDcOberflaecheSetzen(dc, true);  // measured as the controls draw it
        HGDIOBJ alt = SelectObject(dc, plDialogSystemSchrift());
        SIZE sz{};
        static const char abc[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
        // tmHeight, without the widest character nothing here asks for.
        if (const int h = gdiTextZellHoehe(dc); h > 0) by = h;
        if (GetTextExtentPoint32(dc, abc, 52, &sz) && sz.cx > 0) bx = (sz.cx / 26 + 1) / 2;
        SelectObject(dc, alt);
        DeleteDC(dc);
    }
    einheiten = MAKELONG(bx, by);
    return einheiten;
}

int plDialogPixel(int einheiten)
{
    return static_cast<int>(std::lround(einheiten * dlgFaktor()));
}

BOOL MapDialogRect(HWND dlg, LPRECT rc)
{
    if (!rc || !plDialogZustand(dlg)) return FALSE;
    rc->left = plDialogPixel(rc->left);
    rc->top = plDialogPixel(rc->top);
    rc->right = plDialogPixel(rc->right);
    rc->bottom = plDialogPixel(rc->bottom);
    return TRUE;
}

// ---- Classes and script -------------------------------------------------------------------------------

void plDialogKlasseAnbieten(const char* name, plKlassenAnbieterFn registrieren)
{
    auto& v = dlgAnbieter();
    for (auto& a : v)
        if (plDialogTextGleich(a.name.c_str(), name)) {
            a.fn = registrieren;
            return;
        }
    if (v.size() >= DLG_ANBIETERSUP) {
        std::fprintf(stderr, "velmo: zu viele Steuerklassen angeboten, %s nicht aufgenommen\n", name);
        return;
    }
    v.push_back(DlgAnbieter{name, registrieren});
}

void plDialogKlassenSichern()
{
    dlgKlasseSichern();
    plDialogEigeneKlassen();
    for (auto& a : dlgAnbieter()) {
        WNDCLASS wc;
        if (!GetClassInfo(0, a.name.c_str(), &wc) && a.fn) a.fn();
    }
}

void plDialogSkript(int id)
{
    dlgSkriptListe.push_back(id);
}

void plDialogSkriptLeeren()
{
    dlgSkriptListe.clear();
}

bool plDialogIst(HWND hwnd)
{
    return plDialogZustand(hwnd) != nullptr;
}

UINT plDialogLeerlaufNachricht()
{
    return dlgLeerlaufNachricht();
}
