// Dialog manager; see dialog.h. Prefix `wiDlg`, file helpers `dlg`. Calls
// platform/ (dialogs, windows, focus, menus), support/ (memory, copies), the
// frame record, the message boxes and the graphic-button set-up (wiwerk).
//
// Invariants:
//  1. A slot is free when its window is 0; the next opening zero-fills it.
//  2. idx[0] is -1 and never popped; idx[idxtop] is the current dialog.
//     Every message of a dialog procedure pushes its slot for its duration,
//     so the depth is the nesting of dialog messages plus unmatched
//     wiDlgBetreten calls. Every push and pop points the module-data anchor
//     of the new top at its block.
//  3. States: 0 created (dlgProzedur), 1 initialising and 2 initialised
//     (dlgInitialisieren), 3 shown (first WM_PAINT, posts command 1997 once),
//     4 closing and 5 closed (dlgSchliessen); the exit callback runs only on
//     the step from below 4 to 4, so at most once.
//  4. The command callback never sees WM_CLOSE, and is cleared first when a
//     slot closes, so no message reaches it during or after its exit.
//  5. Every `ORVAGRBU` child carries the picture and tooltip of its text
//     before the init callback runs (dlgInitialisieren); the tooltips of a
//     dialog go with it (dlgSchliessen).
#include "winlib/dialog.h"

#include <array>
#include <cstring>
#include <utility>

#include "config/konfhaken.h"
#include "config/verzeich.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/menue.h"
#include "platform/nachricht.h"
#include "platform/nachrichtbox.h"
#include "platform/ressource.h"
#include "platform/shell.h"
#include "platform/systemwerte.h"
#include "support/basis.h"
#include "support/speicher.h"
#include "support/texte.h"
#include "winlib/anwdaten.h"
#include "winlib/dateiwahl.h"
#include "winlib/meldung.h"
#include "winlib/winbib.h"
#include "winlib/wiwerk.h"

namespace {

dlgbox* box = nullptr;
int idx[2 * DLGSUP];
int idxtop = 0;

WiDlgModulFn wiDlgModulHaken = nullptr;  // the template-module resolver (wiDlgModulSetzen)
WiDlgAktivFn dlgAktivHaken = nullptr;
WiDlgHakenInitFn dlgVorInit = nullptr;
WiDlgHakenInitFn dlgNachInit = nullptr;
WiDlgHakenExitFn dlgVorExit = nullptr;
WiDlgHakenExitFn dlgNachExit = nullptr;
WiDlgBefehlFn dlgBefehlHaken = nullptr;
WiDlgFilterFn dlgFilter = nullptr;

HWND dlgLetzt = 0;       // last activated dialog
HWND dlgVorher = 0;      // the one activated before it
char dlgAktivName[DLGNAMESUP + 1];
WPARAM dlgWp = 0;
LPARAM dlgLp = 0;

int zNullMelden(int) { return 0; }
LPARAM zNullWert(int) { return 0; }
WiZiehMeldenFn ziehMelden = zNullMelden;
WiZiehWertFn ziehWert = zNullWert;
int ziehZustand = 0;     // 0 idle, 1 armed, 2 dragging
int ziehFang = 0;        // capture taken
POINT ziehStartPunkt{0, 0};
HWND ziehQuelle = 0;
HWND ziehZiel = 0;
LPARAM ziehParam = 0;
POINT ziehZielPunkt{0, 0};

bool dlgOffen(int s) { return box && s >= 0 && s < DLGSUP && box[s].fenster != 0; }

int dlgAktuell() { return idx[idxtop]; }

void dlgAnkerSetzen(int s)
{
    if (dlgOffen(s) && box[s].anker) *box[s].anker = box[s].daten;
}

// Set when a stack limit raised the assertion: the stop box sends messages
// to the dialogs, which must then neither push nor pop (they would raise it
// again, without end).
bool dlgEndet = false;

void dlgPush(int s)
{
    if (dlgEndet) return;
    if (!(idxtop + 1 < 2 * DLGSUP)) {
        dlgEndet = true;
        wiAssert("dialog", 261, "++idxtop < 2*DLGSUP");
    }
    idx[++idxtop] = s;
    dlgAnkerSetzen(s);
}

void dlgPop()
{
    if (dlgEndet) return;
    if (!(idxtop - 1 >= 0)) {
        dlgEndet = true;
        wiAssert("dialog", 273, "--idxtop >= 0");
    }
    --idxtop;
    dlgAnkerSetzen(idx[idxtop]);
}

// The window at a screen point, or its parent when that is no dialog.
HWND dlgFensterBei(POINT p)
{
    HWND w = WindowFromPoint(p);
    if (w && wiDlgSlot(w) < 0) {
        HWND e = GetParent(w);
        if (e) w = e;
    }
    return w;
}

LRESULT dlgVerteilen(int s, UINT msg, WPARAM wp, LPARAM lp)
{
    if (!dlgOffen(s)) return 0;
    if (box[s].kurz) {
        dlgWp = wp;
        dlgLp = lp;
        wp = LOWORD(wp);
    }
    int hr = dlgBefehlHaken ? dlgBefehlHaken(msg, wp, lp) : 0;
    WiDlgBefehlFn f = box[s].befehl;
    int r = f ? f(msg, wp, lp) : 0;
    if (r == 0 && hr != 0) r = hr;
    return r;
}

void dlgInitialisieren(int s)
{
    dlgbox& b = box[s];
    if (b.zustand != 0) return;
    b.zustand = 1;
    // Graphic buttons get their pictures and tooltips here, for every
    // dialog alike; an init callback may still change them.
    wiGrbuAlleEinrichten();
    if (dlgVorInit) dlgVorInit(b.anzahl, b.texte);
    if (b.init) b.init(b.anzahl, b.texte);
    if (dlgOffen(s) && dlgNachInit) dlgNachInit(b.anzahl, b.texte);
    if (dlgOffen(s) && b.zustand == 1) b.zustand = 2;
}

// ---- Drag protocol ---------------------------------------------------------------------------

void ziehBeginn(int s, LPARAM lp)
{
    if (ziehZustand != 0 || !dlgOffen(s)) return;
    POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    ClientToScreen(box[s].fenster, &p);
    ziehStartPunkt = p;
    ziehQuelle = dlgFensterBei(p);
    ziehZustand = 1;
    ziehMelden(1);
}

void ziehBewegung(int s, LPARAM lp)
{
    if (ziehZustand != 1 || !dlgOffen(s)) return;
    POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    ClientToScreen(box[s].fenster, &p);
    int dx = p.x - ziehStartPunkt.x, dy = p.y - ziehStartPunkt.y;
    if (dx < 0) dx = -dx;
    if (dy < 0) dy = -dy;
    if (dx < 5 && dy < 5) return;
    dlgPush(s);
    dlgVerteilen(s, WM_COMMAND, 2060, ziehWert(0));
    dlgPop();
    if (ziehMelden(9) > 0 && dlgOffen(s)) {
        ziehFang = 1;
        anwCursor(2);
        SetCapture(box[s].fenster);
        ziehZustand = 2;
        ziehMelden(2);
    } else {
        ziehZustand = 0;
        ziehMelden(0);
    }
}

void ziehEnde(int s, LPARAM lp)
{
    if (ziehZustand == 2 && dlgOffen(s)) {
        POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        ClientToScreen(box[s].fenster, &p);
        ziehParam = lp;
        ziehZiel = dlgFensterBei(p);
        int t = wiDlgSlot(ziehZiel);
        if (t >= 0) {
            if (box[t].eltern && !box[t].befehl) {
                int e = wiDlgSlot(box[t].eltern);
                if (e >= 0) t = e;
            }
            POINT q = p;
            ScreenToClient(box[t].fenster, &q);
            ziehZielPunkt = q;
            dlgPush(t);
            dlgVerteilen(t, WM_COMMAND, ziehZiel == ziehQuelle ? 2066 : 2061, ziehWert(1));
            dlgPop();
        }
        ziehMelden(3);
        if (ziehFang) {
            anwCursor(0);
            ReleaseCapture();
        }
    }
    // Whatever the state was: a release or a move without the button ends
    // an armed drag too.
    ziehZustand = 0;
    ziehMelden(0);
    ziehFang = 0;
}

// ---- Closing -------------------------------------------------------------------------------

HWND dlgFokusWahl(HWND kandidat, HWND alterBesitzer)
{
    HWND haupt = anwHauptfenster();
    HWND wahl = 0;
    if (kandidat && IsWindow(kandidat) && IsWindowEnabled(kandidat)) wahl = kandidat;
    if (!wahl && alterBesitzer && wiDlgSlot(alterBesitzer) >= 0 && IsWindowEnabled(alterBesitzer))
        wahl = alterBesitzer;
    if (!wahl)
        for (int j = DLGSUP - 1; j >= 0; --j)
            if (dlgOffen(j) && box[j].modal != 0 && IsWindowEnabled(box[j].fenster)) {
                wahl = box[j].fenster;
                break;
            }
    if (!wahl || wahl == haupt) {
        if (dlgLetzt && wiDlgSlot(dlgLetzt) >= 0 && IsWindowEnabled(dlgLetzt))
            wahl = dlgLetzt;
        else if (dlgVorher && wiDlgSlot(dlgVorher) >= 0 && IsWindowEnabled(dlgVorher))
            wahl = dlgVorher;
    }
    return wahl ? wahl : haupt;
}

// Closes a slot and, first, every dialog it owns (deepest first). There is
// no depth limit: each owned dialog runs its exit once and frees its slot.
void dlgSchliessen(int s, int tiefe)
{
    if (!dlgOffen(s)) return;
    dlgbox& b = box[s];
    HWND h = b.fenster;
    b.befehl = nullptr;
    for (int j = 0; j < DLGSUP; ++j)
        if (j != s && dlgOffen(j) && box[j].besitzerDlg == h) dlgSchliessen(j, tiefe + 1);
    if (!dlgOffen(s) || b.fenster != h) return;  // closed meanwhile by an exit callback
    dlgPush(s);
    if (b.zustand < 4) {
        b.zustand = 4;
        if (dlgVorExit) dlgVorExit();
        if (b.exit) b.exit();
        if (dlgNachExit) dlgNachExit();
        b.zustand = 5;
    }
    dlgPop();
    if (b.fenster != h) return;
    HWND kandidat = 0;
    for (int j = 0; j < DLGSUP; ++j)
        if (j != s && dlgOffen(j) && !box[j].eltern && box[j].besitzer == h) {
            box[j].besitzer = b.besitzer;
            kandidat = box[j].fenster;
        }
    // An owned dialog with a parent window of its own does not go with its
    // owning dialog's window; it is destroyed with its slot.
    wiTooltipsWeg(h);
    if ((tiefe == 0 || b.eltern) && IsWindow(h)) DestroyWindow(h);
    if (b.eigeneDaten) ffree(b.daten);
    if (b.anker) *b.anker = nullptr;
    b.daten = nullptr;
    b.eigeneDaten = 0;
    if (b.popup) DestroyMenu(b.popup);
    b.popup = 0;
    b.fenster = 0;
    HWND alterBesitzer = b.besitzer;
    if (b.modal == 1) {
        if (alterBesitzer) EnableWindow(alterBesitzer, TRUE);
    } else if (b.modal == 2) {
        wiDlgAlleFrei(2);
    }
    if (b.eltern) return;
    HWND wahl = dlgFokusWahl(kandidat, alterBesitzer);
    if (wahl) {
        BringWindowToTop(wahl);
        SetFocus(wahl);
    }
}

// ---- The common dialog procedure -----------------------------------------------------------------

INT_PTR dlgProzedur(int s, HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (!box) return 0;
    dlgbox& b = box[s];
    if (b.zustand == 0 && (b.fenster == 0 || b.fenster == h)) b.fenster = h;
    if (b.fenster == 0 || b.fenster != h) return 0;
    dlgPush(s);
    LRESULT r = 0;
    switch (msg) {
    case WM_INITDIALOG:
        dlgInitialisieren(s);
        r = 1;
        if (dlgOffen(s) && b.fenster == h && b.initProz) r = b.initProz(h, wp, lp);
        if (dlgAktivHaken && dlgOffen(s)) dlgAktivHaken(s, h, 1);
        break;
    case WM_CLOSE:
        if (dlgAktivHaken) dlgAktivHaken(s, h, 0);
        dlgSchliessen(s, 0);
        r = 1;
        break;
    case WM_PAINT:
        r = dlgVerteilen(s, msg, wp, lp);
        if (dlgOffen(s) && b.fenster == h && b.zustand == 2) {
            PostMessage(h, WM_COMMAND, 1997, 0);
            b.zustand = 3;
        }
        break;
    case WM_ACTIVATE:
        if (!b.eltern) {
            if (LOWORD(wp) == WA_INACTIVE) {
                dlgAktivName[0] = 0;
            } else {
                if (dlgLetzt != h) {
                    dlgVorher = dlgLetzt;
                    dlgLetzt = h;
                }
                strkopie(dlgAktivName, b.name, DLGNAMESUP);
            }
        }
        if (dlgAktivHaken) dlgAktivHaken(s, h, LOWORD(wp) == WA_INACTIVE ? 2 : 3);
        r = dlgVerteilen(s, msg, wp, lp);
        break;
    case WM_LBUTTONDOWN:
        if (wp & MK_LBUTTON) ziehBeginn(s, lp);
        r = dlgVerteilen(s, msg, wp, lp);
        break;
    case WM_MOUSEMOVE:
        if (wp & MK_LBUTTON)
            ziehBewegung(s, lp);
        else
            ziehEnde(s, lp);
        r = dlgVerteilen(s, msg, wp, lp);
        break;
    case WM_LBUTTONUP:
        ziehEnde(s, lp);
        r = dlgVerteilen(s, msg, wp, lp);
        break;
    case WM_COMMAND:
        r = dlgVerteilen(s, msg, wp, lp);
        // Reported by a display control; the point is in client coordinates.
        if (wp == 2062) ziehBeginn(s, lp);
        else if (wp == 2063) ziehBewegung(s, lp);
        else if (wp == 2064) ziehEnde(s, lp);
        break;
    default:
        r = dlgVerteilen(s, msg, wp, lp);
        break;
    }
    dlgPop();
    return r;
}

// One procedure per slot, so that messages sent while the window is being
// made (before CreateDialogParam returns its handle) find their slot.
template <int K> INT_PTR dlgProzK(HWND h, UINT msg, WPARAM wp, LPARAM lp) { return dlgProzedur(K, h, msg, wp, lp); }
template <int... K> constexpr std::array<DLGPROC, sizeof...(K)> dlgTabelle(std::integer_sequence<int, K...>)
{
    return {&dlgProzK<K>...};
}
constexpr std::array<DLGPROC, DLGSUP> dlgProzeduren = dlgTabelle(std::make_integer_sequence<int, DLGSUP>{});

// ---- The configuration layer's interface ---------------------------------------------------------

const char* konfDlgName()
{
    static char name[DLGNAMESUP + 1];
    return wiDlgName(name);
}
int konfDlgTitelHolen(char* puffer, int groesse)
{
    if (!puffer || groesse <= 0) return 0;
    return GetWindowText(wiDlgFenster(), puffer, groesse);
}
void konfDlgTitelSetzen(const char* titel) { wiDlgTitelSetzen(titel); }
void konfWarnung(const char* text) { wiMeldung("%s", text ? text : ""); }
int konfDateiDialog(int speichern, const char* titel, const char* filter, char* pfad, int groesse)
{
    char p[WIDATEISUP + 1];
    strkopie(p, pfad ? pfad : "", WIDATEISUP);
    int r = wiDateiDialog(p, titel, filter, speichern ? 2 : 0);
    if (!pfad || groesse <= 0) return r;
    // A chosen path cut to the caller's room would name another file.
    if (r && PfadKopieren(pfad, static_cast<size_t>(groesse), p) != 0) return 0;
    if (!r) strkopie(pfad, static_cast<size_t>(groesse), p, groesse - 1);
    return r;
}

}  // namespace

// ---- Start and end --------------------------------------------------------------------------------

int wiDlgInit()
{
    wiAssertHandlerSetzen(wiAssertFenster);  // first: a failed allocation ends in the box
    if (!box) {
        box = static_cast<dlgbox*>(fmalloc(DLGSUP, sizeof(dlgbox)));
        if (box == nullptr) wiAssert("dialog", 119, "(box=fmalloc( DLGSUP, sizeof(struct dlgbox))) != NULL");
    }
    idx[0] = -1;
    idxtop = 0;
    dlgEndet = false;
    dlgLetzt = dlgVorher = 0;
    dlgAktivName[0] = 0;
    ziehZustand = 0;
    ziehFang = 0;
    wiBibInit();  // the trace sink and the window library's hooks
    // Only the members this module answers; the rest stay as installed.
    KonfHaken k = konfHaken();
    k.dlgFenster = wiDlgFenster;
    k.dlgName = konfDlgName;
    k.dlgTitelHolen = konfDlgTitelHolen;
    k.dlgTitelSetzen = konfDlgTitelSetzen;
    k.dlgModul = wiDlgModul;
    k.warnung = konfWarnung;
    k.dateiDialog = konfDateiDialog;
    konfHakenSetzen(k);
    return 0;
}

void wiDlgFrei()
{
    // The layers below get their stand-ins back for what this module answered.
    KonfHaken k = konfHaken();
    k.dlgFenster = nullptr;
    k.dlgName = nullptr;
    k.dlgTitelHolen = nullptr;
    k.dlgTitelSetzen = nullptr;
    k.dlgModul = nullptr;
    k.warnung = nullptr;
    k.dateiDialog = nullptr;
    konfHakenSetzen(k);
    wiAssertHandlerSetzen(nullptr);
    ffree(box);
    box = nullptr;
    idx[0] = -1;
    idxtop = 0;
    wiDlgModulHaken = nullptr;
    dlgAktivHaken = nullptr;
    dlgVorInit = dlgNachInit = nullptr;
    dlgVorExit = dlgNachExit = nullptr;
    dlgBefehlHaken = nullptr;
    dlgFilter = nullptr;
    ziehMelden = zNullMelden;
    ziehWert = zNullWert;
}

// ---- Opening ----------------------------------------------------------------------------------

HWND wiDlgErzeugen(const char* name, WiDlgInitFn init, WiDlgExitFn exit, WiDlgBefehlFn befehl, HWND eltern,
                   HWND besitzerDlg, WiDlgInitProzFn initProz, LPARAM param, int modal, int kurz, int anzahl,
                   const char* const* texte)
{
    if (anwLaufZustand() != 2 || !box || !name) return 0;
    int k = 0;
    while (k < DLGSUP && box[k].fenster) ++k;
    if (k >= DLGSUP) {
        MessageBeep(0);
        wiMeldung("Sie haben bereits %d Dialogboxen ge\xf6" "ffnet.", DLGSUP);
        return 0;
    }
    if (modal == 2) {
        wiDlgAlleFrei(0);
    } else if (modal == 1) {
        int s = dlgAktuell();
        if (dlgOffen(s)) EnableWindow(box[s].fenster, FALSE);
    }
    dlgbox& b = box[k];
    std::memset(&b, 0, sizeof b);
    strkopie(b.name, name, DLGNAMESUP);
    b.init = init;
    b.exit = exit;
    b.befehl = befehl;
    b.eltern = eltern;
    b.besitzerDlg = besitzerDlg;
    b.initProz = initProz;
    b.modal = modal;
    b.kurz = kurz;
    b.anzahl = anzahl > 0 ? anzahl : 0;
    b.texte = texte;
    b.besitzer = wiDlgFenster();
    // The argument copy: each text with its zero, closed by one more zero;
    // texts that would not fit are left out.
    size_t pos = 0;
    for (int i = 0; texte && i < b.anzahl; ++i) {
        const char* t = texte[i] ? texte[i] : "";
        size_t n = std::strlen(t);
        if (pos + n + 2 > sizeof b.argKopie) break;
        std::memcpy(b.argKopie + pos, t, n + 1);
        pos += n + 1;
    }
    b.argKopie[pos] = 0;
    HMODULE modul = wiDlgModul(name);
    HWND erzEltern = eltern ? eltern : besitzerDlg ? besitzerDlg : anwHauptfenster();
    HWND h = CreateDialogParam(modul, name, erzEltern, dlgProzeduren[k], param);
    if (h && IsWindow(h) && b.zustand < 4) b.fenster = h;
    if (!h) {
        b.fenster = 0;
        b.befehl = nullptr;
        wiDlgAlleFrei(2);
        wiMeldung("Kann Dialogbox %s nicht herstellen.", name);
        return 0;
    }
    return h;
}

HWND wiDlgFinden(const char* name, WiDlgBefehlFn befehl)
{
    if (!box || !befehl) return 0;
    for (int j = 0; j < DLGSUP; ++j) {
        const dlgbox& b = box[j];
        if (!b.fenster || b.befehl != befehl) continue;
        if (b.instanzArt == 0 || (b.instanzArt == 1 && name && std::strcmp(b.name, name) == 0)) return b.fenster;
    }
    return 0;
}

HWND wiDlgOeffnenVoll(const char* name, WiDlgInitFn init, WiDlgExitFn exit, WiDlgBefehlFn befehl, HWND besitzerDlg,
                      int kurz, int anzahl, const char* const* texte)
{
    HWND h = wiDlgFinden(name, befehl);
    if (h) {
        if (IsWindowEnabled(h)) {
            BringWindowToTop(h);
            SetFocus(h);
        } else {
            MessageBeep(1);
        }
        return h;
    }
    return wiDlgErzeugen(name, init, exit, befehl, 0, besitzerDlg, nullptr, 0, 0, kurz, anzahl, texte);
}

HWND wiDlgOeffnen(const char* name, WiDlgInitFn init, WiDlgExitFn exit, WiDlgBefehlFn befehl)
{
    return wiDlgOeffnenVoll(name, init, exit, befehl, 0, 0, 0, nullptr);
}
HWND wiDlgOeffnenArg(const char* name, WiDlgInitFn init, WiDlgExitFn exit, WiDlgBefehlFn befehl, int anzahl,
                     const char* const* texte)
{
    return wiDlgOeffnenVoll(name, init, exit, befehl, 0, 0, anzahl, texte);
}
HWND wiDlgOeffnenUnter(HWND besitzerDlg, const char* name, WiDlgInitFn init, WiDlgExitFn exit, WiDlgBefehlFn befehl,
                       int anzahl, const char* const* texte)
{
    return wiDlgOeffnenVoll(name, init, exit, befehl, besitzerDlg, 0, anzahl, texte);
}
HWND wiDlgOeffnen16(const char* name, WiDlgInitFn init, WiDlgExitFn exit, WiDlgBefehlFn befehl)
{
    return wiDlgOeffnenVoll(name, init, exit, befehl, 0, 1, 0, nullptr);
}
HWND wiDlgOeffnen16Arg(const char* name, WiDlgInitFn init, WiDlgExitFn exit, WiDlgBefehlFn befehl, int anzahl,
                       const char* const* texte)
{
    return wiDlgOeffnenVoll(name, init, exit, befehl, 0, 1, anzahl, texte);
}
HWND wiDlgEinbetten(HWND eltern, const char* name, WiDlgInitFn init, WiDlgExitFn exit, WiDlgBefehlFn befehl,
                    WiDlgInitProzFn initProz, LPARAM param)
{
    return wiDlgErzeugen(name, init, exit, befehl, eltern, 0, initProz, param, 0, 0, 0, nullptr);
}
HWND wiDlgOeffnenBei(HWND eltern, const char* name, WiDlgInitFn init, WiDlgExitFn exit, WiDlgBefehlFn befehl,
                     WiDlgInitProzFn initProz, LPARAM param)
{
    return wiDlgEinbetten(eltern, name, init, exit, befehl, initProz, param);
}

// ---- Current dialog and lookup ------------------------------------------------------------------

HWND wiDlgFenster()
{
    int s = dlgAktuell();
    return dlgOffen(s) ? box[s].fenster : anwHauptfenster();
}

int wiDlgIndex()
{
    int s = dlgAktuell();
    return dlgOffen(s) ? s : -1;
}

int wiDlgSlot(HWND fenster)
{
    if (!box || !fenster) return -1;
    for (int j = 0; j < DLGSUP; ++j)
        if (box[j].fenster == fenster) return j;
    return -1;
}
int wiDlgNummer(HWND fenster) { return wiDlgSlot(fenster); }

int wiDlgBereit()
{
    int s = dlgAktuell();
    return dlgOffen(s) && (box[s].zustand == 2 || box[s].zustand == 3) ? 1 : 0;
}

HWND wiDlgSuchen(const char* name)
{
    if (!box || !name) return 0;
    for (int j = 0; j < DLGSUP; ++j)
        if (box[j].fenster && std::strcmp(box[j].name, name) == 0) return box[j].fenster;
    return 0;
}

HWND wiDlgAktiv()
{
    HWND a = GetActiveWindow();
    return wiDlgSlot(a) >= 0 ? a : 0;
}

int wiDlgBetreten(HWND fenster)
{
    int s = wiDlgSlot(fenster);
    if (s < 0) return 0;
    dlgPush(s);
    return 1;
}

void wiDlgVerlassen() { dlgPop(); }

char* wiDlgName(char* puffer)
{
    int s = dlgAktuell();
    strkopie(puffer, DLGNAMESUP + 1, dlgOffen(s) ? box[s].name : "Main", DLGNAMESUP);
    return puffer;
}

char* wiDlgNameVon(HWND fenster, char* puffer)
{
    int s = wiDlgSlot(fenster);
    strkopie(puffer, DLGNAMESUP + 1, s >= 0 ? box[s].name : "Main", DLGNAMESUP);
    return puffer;
}

char* wiDlgAktivName(char* puffer)
{
    strkopie(puffer, DLGNAMESUP + 1, dlgAktivName, DLGNAMESUP);
    return puffer;
}

char* wiDlgHilfe(HWND fenster, char* puffer)
{
    int s = wiDlgSlot(fenster);
    strkopie(puffer, DLGNAMESUP + 1, s >= 0 ? box[s].hilfe : "", DLGNAMESUP);
    return puffer;
}

void wiDlgHilfeSetzen(HWND fenster, const char* schluessel)
{
    int s = wiDlgSlot(fenster);
    if (s >= 0) strkopie(box[s].hilfe, schluessel ? schluessel : "", DLGNAMESUP);
}

char* wiDlgTitel(char* puffer)
{
    puffer[0] = 0;
    GetWindowText(wiDlgFenster(), puffer, 81);
    return puffer;
}

void wiDlgTitelSetzen(const char* text) { SetWindowText(wiDlgFenster(), text ? text : ""); }

HWND wiDlgBesitzer()
{
    int s = dlgAktuell();
    return dlgOffen(s) ? box[s].besitzer : anwHauptfenster();
}

void wiDlgBesitzerSetzen(HWND fenster)
{
    int s = dlgAktuell();
    if (dlgOffen(s)) box[s].besitzer = fenster;
}

HWND wiDlgGast(HWND fenster)
{
    int s = wiDlgSlot(fenster);
    return s >= 0 ? box[s].eltern : 0;
}

int wiDlgSlotInfo(int slot, HWND* fenster, char* name, char* titel)
{
    if (fenster) *fenster = 0;
    if (name) name[0] = 0;
    if (titel) titel[0] = 0;
    if (!box || slot < 0 || slot >= DLGSUP) return 0;
    const dlgbox& b = box[slot];
    if (fenster) *fenster = b.fenster;
    if (name) strkopie(name, DLGNAMESUP + 1, b.name, DLGNAMESUP);
    if (titel && b.fenster) GetWindowText(b.fenster, titel, 81);
    return b.fenster && !b.eltern && (b.zustand == 2 || b.zustand == 3) ? 1 : 0;
}

int wiDlgModalArt(int slot) { return box && slot >= 0 && slot < DLGSUP ? box[slot].modal : 0; }

HMODULE wiDlgModul(const char* name)
{
    if (wiDlgModulHaken) {
        HMODULE m = wiDlgModulHaken(name);
        if (m) return m;
    }
    return anwInstanz();
}

WPARAM wiDlgWParam() { return dlgWp; }
LPARAM wiDlgLParam() { return dlgLp; }

void wiDlgNaechster()
{
    if (!box) return;
    int s = dlgAktuell();
    for (int i = 1; i <= DLGSUP; ++i) {
        int j = (s + i + DLGSUP) % DLGSUP;
        if (j != s && box[j].fenster) {
            SetFocus(box[j].fenster);
            return;
        }
    }
}

int wiDlgStapelTiefe() { return idxtop; }

const dlgbox* wiDlgBox(int slot) { return box && slot >= 0 && slot < DLGSUP ? &box[slot] : nullptr; }

// ---- Changing the current dialog -------------------------------------------------------------------

void wiDlgModal()
{
    int s = dlgAktuell();
    if (!dlgOffen(s)) return;
    dlgbox& b = box[s];
    b.modal = 1;
    int o = wiDlgSlot(b.besitzer);
    if (o >= 0 && box[o].eltern) b.besitzer = box[o].eltern;
    if (b.besitzer) EnableWindow(b.besitzer, FALSE);
}

void wiDlgRueckrufe(WiDlgInitFn init, WiDlgExitFn exit, WiDlgBefehlFn befehl)
{
    int s = dlgAktuell();
    if (!dlgOffen(s)) return;
    box[s].init = init;
    box[s].exit = exit;
    box[s].befehl = befehl;
}

void wiDlgInstanzArt(int art)
{
    int s = dlgAktuell();
    if (dlgOffen(s)) box[s].instanzArt = art;
}

void* wiDlgDaten(void** anker, long groesse)
{
    int s = dlgAktuell();
    if (!dlgOffen(s)) return nullptr;
    dlgbox& b = box[s];
    if (b.eigeneDaten) ffree(b.daten);
    b.daten = fmalloc(1, groesse > 0 ? groesse : 1);
    b.anker = anker;
    b.eigeneDaten = b.daten ? 1 : 0;
    if (anker) *anker = b.daten;
    return b.daten;
}

void wiDlgDatenTeilen(HWND fenster)
{
    int s = dlgAktuell();
    int o = wiDlgSlot(fenster);
    if (!dlgOffen(s) || o < 0) return;
    dlgbox& b = box[s];
    if (b.eigeneDaten) ffree(b.daten);
    b.daten = box[o].daten;
    b.anker = box[o].anker;
    b.eigeneDaten = 0;
    dlgAnkerSetzen(s);
}

// ---- Closing -----------------------------------------------------------------------------------

int wiDlgSchliessen()
{
    int s = dlgAktuell();
    if (!dlgOffen(s)) return -1;
    return PostMessage(box[s].fenster, WM_CLOSE, 0, 0) ? 0 : -1;
}

void wiDlgAlleBeenden()
{
    if (!box) return;
    for (int j = DLGSUP - 1; j >= 0; --j)
        if (box[j].fenster) PostMessage(box[j].fenster, WM_CLOSE, 0, 0);
}

void wiDlgAlleSchliessen()
{
    if (!box) return;
    for (int j = DLGSUP - 1; j >= 0; --j) dlgSchliessen(j, 0);
}

void wiDlgSlotSchliessen(int slot) { dlgSchliessen(slot, 0); }

void wiDlgGastSchliessen(HWND fenster)
{
    if (!box || !fenster) return;
    for (int j = 0; j < DLGSUP; ++j)
        if (box[j].fenster && box[j].eltern == fenster) dlgSchliessen(j, 0);
}

// ---- Window-wide switches and messages --------------------------------------------------------------

void wiDlgAlleFrei(int modus)
{
    BOOL frei = modus != 0;
    HWND haupt = anwHauptfenster();
    if (haupt) EnableWindow(haupt, frei);
    if (!box) return;
    for (int j = 0; j < DLGSUP; ++j)
        if (box[j].fenster) EnableWindow(box[j].fenster, frei);
    if (modus == 2)
        for (int j = 0; j < DLGSUP; ++j)
            if (box[j].fenster && box[j].modal != 0 && box[j].besitzer) EnableWindow(box[j].besitzer, FALSE);
}

void wiDlgSperren(int flag) { wiDlgAlleFrei(flag == 0 ? 0 : 2); }

void wiDlgAllenSenden(WPARAM wp, LPARAM lp)
{
    if (!box) return;
    for (int j = 0; j < DLGSUP; ++j)
        if (box[j].fenster) PostMessage(box[j].fenster, WM_COMMAND, wp, lp);
}

void wiDlgNamenSenden(const char* name, WPARAM wp, LPARAM lp)
{
    if (!box || !name) return;
    for (int j = 0; j < DLGSUP; ++j)
        if (box[j].fenster && std::strcmp(box[j].name, name) == 0) PostMessage(box[j].fenster, WM_COMMAND, wp, lp);
}

int wiDlgNachricht(MSG* msg)
{
    if (!box || !msg) return 0;
    for (int j = 0; j < DLGSUP; ++j) {
        HWND h = box[j].fenster;
        if (!h) continue;
        if (dlgFilter && dlgFilter(h, msg)) return 1;
        if (IsDialogMessage(h, msg)) return 1;
    }
    return 0;
}

// ---- Popup menus ---------------------------------------------------------------------------------

int wiDlgMenuLaden(const char* name)
{
    int s = dlgAktuell();
    if (!dlgOffen(s)) return -1;
    dlgbox& b = box[s];
    if (b.popup) DestroyMenu(b.popup);
    b.popup = 0;
    HMENU m = LoadMenu(wiDlgModul(b.name), name);
    if (!m) return -1;
    HMENU sub = GetSubMenu(m, 0);
    if (sub) RemoveMenu(m, 0, MF_BYPOSITION);  // keep the first submenu, drop its bar
    DestroyMenu(m);
    b.popup = sub;
    return sub ? 0 : -1;
}

int wiDlgMenuAnhaengen(int id, const char* text)
{
    HMENU m = wiDlgMenu();
    if (!m) return -1;
    BOOL ok = id == 0 ? AppendMenu(m, MF_SEPARATOR, 0, nullptr) : AppendMenu(m, MF_STRING, id, text ? text : "");
    return ok ? 0 : -1;
}

int wiDlgMenuZeigen(LPARAM punkt, HWND fenster)
{
    int s = dlgAktuell();
    if (!dlgOffen(s) || !box[s].popup) return 0;
    HWND dlg = box[s].fenster;
    POINT p{0, 0};
    if (punkt == 0) {
        GetCursorPos(&p);
    } else {
        p.x = GET_X_LPARAM(punkt);
        p.y = GET_Y_LPARAM(punkt);
        ClientToScreen(fenster ? fenster : dlg, &p);
    }
    return TrackPopupMenu(box[s].popup, TPM_LEFTALIGN | TPM_LEFTBUTTON, p.x, p.y, 0, dlg, nullptr);
}

int wiDlgPopupMenu(const char* name, LPARAM punkt, HWND fenster)
{
    if (wiDlgMenuLaden(name) != 0) return 0;
    return wiDlgMenuZeigen(punkt, fenster);
}

void wiDlgMenuFrei(int id, int flag)
{
    HMENU m = wiDlgMenu();
    if (!m) return;
    EnableMenuItem(m, id, MF_BYCOMMAND | (flag ? MF_ENABLED : MF_GRAYED));
    DrawMenuBar(wiDlgFenster());
}

HMENU wiDlgMenu()
{
    int s = dlgAktuell();
    return dlgOffen(s) ? box[s].popup : 0;
}

// ---- Hooks ----------------------------------------------------------------------------------------

void wiDlgModulSetzen(WiDlgModulFn f) { wiDlgModulHaken = f; }
void wiDlgAktivHaken(WiDlgAktivFn f) { dlgAktivHaken = f; }
void wiDlgHaken(WiDlgHakenInitFn vorInit, WiDlgHakenInitFn nachInit, WiDlgHakenExitFn vorExit,
                WiDlgHakenExitFn nachExit, WiDlgBefehlFn befehl)
{
    dlgVorInit = vorInit;
    dlgNachInit = nachInit;
    dlgVorExit = vorExit;
    dlgNachExit = nachExit;
    dlgBefehlHaken = befehl;
}
void wiDlgFilterHaken(WiDlgFilterFn f) { dlgFilter = f; }
void wiZiehHaken(WiZiehMeldenFn melden, WiZiehWertFn wert)
{
    ziehMelden = melden ? melden : zNullMelden;
    ziehWert = wert ? wert : zNullWert;
}

// ---- Drag and drop from code and its readers -------------------------------------------------------------

int wiZiehStart(HWND fenster)
{
    int s = wiDlgSlot(fenster);
    if (s < 0 || !box[s].befehl) return 0;
    ziehQuelle = fenster;
    if (wiDlgSlot(fenster) < 0 && GetParent(fenster)) ziehQuelle = GetParent(fenster);
    ziehZustand = 1;
    ziehMelden(1);
    dlgPush(s);
    dlgVerteilen(s, WM_COMMAND, 2060, ziehWert(0));
    dlgPop();
    if (ziehMelden(9) > 0) {
        ziehZustand = 2;
        ziehMelden(2);
        return 1;
    }
    return 0;
}

HWND wiZiehQuelle() { return ziehQuelle; }
HWND wiZiehZiel() { return ziehZiel; }
LPARAM wiZiehParam() { return ziehParam; }
int wiZiehX() { return ziehZielPunkt.x; }
int wiZiehY() { return ziehZielPunkt.y; }

void wiDlgPunkt(int slot, POINT* aus, LPARAM punkt)
{
    if (!aus) return;
    aus->x = GET_X_LPARAM(punkt);
    aus->y = GET_Y_LPARAM(punkt);
    if (dlgOffen(slot)) ClientToScreen(box[slot].fenster, aus);
}
