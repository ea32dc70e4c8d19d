// The input line's windows and the focus ring; see eingabe.h.
#include "editor/eingabe.h"

#include <cstring>
#include <string>

#include "controls/ctlkern.h"
#include "editor/befausf.h"
#include "editor/edzeich.h"
#include "editor/history.h"
#include "editor/knopf.h"
#include "model/befehl.h"
#include "model/beffifo.h"
#include "model/zustand.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "project/rschreib.h"
#include "winlib/dialog.h"

namespace {

constexpr int EGB_ZEICHNUNG = 5000;  // the drawing window of the page

struct EgbZustand {
    HWND seite = 0;
    HWND prompt = 0;
    HWND feld = 0;
    WNDPROC alt = nullptr;
    HWND slots[FOKUSSUP] = {};
    int akt = 0;
    bool ein = false;
    WPARAM chordZeichen = 0;  // the control character of a taken chord, still to come
};
EgbZustand egb;

std::string egbFeldLesen();

// A Ctrl chord typed in the input line that the key table binds (Ctrl+S
// saves) runs its command as it would from the drawing; the field keeps the
// chords of its own editing (select all, copy, cut, paste, undo).
bool egbChordAusfuehren(WPARAM taste)
{
    if (taste < 'A' || taste > 'Z' || GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0) return false;
    // Ctrl+Z in an empty line has nothing of its own to take back: it is
    // the drawing's undo, as on the drawing.
    if (taste == 'Z' && egbFeldLesen().empty()) return KnopfAusfuehren('Z', GetKeyState(VK_SHIFT) < 0, 1) != 0;
    if (std::strchr("ACVXZ", static_cast<int>(taste))) return false;
    return KnopfAusfuehren(static_cast<int>(taste), GetKeyState(VK_SHIFT) < 0, 1) != 0;
}

// The line being typed as it was last drawn over the drawing.
struct EgbVorschau {
    int code = 0;
    std::string text;
    BEF bef{};
    STT vor{};             // the state it is drawn under
    STT nach{};            // the state after the record
    bool zustand = false;  // the text prompt: `nach` is set
};
EgbVorschau egbVorschau;

EgbVorschau egbVorschauJetzt()
{
    EgbVorschau v;
    v.code = PromptCode();
    v.text = EingabeFeld();
    EingabeBef(&v.bef);
    if (PromptZustand() == 1) {
        v.vor = *BefAktZustand();
        v.nach = v.vor;
        SttAnwenden(&v.bef, &v.nach);
        v.zustand = true;
    }
    return v;
}

// Only a text being typed at the text prompt is shown.
bool egbSichtbar(const EgbVorschau& v) { return v.zustand && BefIstText(v.code) && v.bef.text[0] != '\0'; }

void egbNeuMalen(const EgbVorschau& v)
{
    if (!egbSichtbar(v)) return;
    double box[4];
    BefAusdehnung(&v.bef, &v.vor, box, nullptr);
    ZeiBereichNeuZeichnen(box[0], box[1], box[2], box[3]);
}

std::string egbRechtsGetrimmt(std::string t)
{
    t.erase(t.find_last_not_of(" \t\r\n") + 1);
    return t;
}

// What the field holds, as submitting reads it.
std::string egbFeldLesen()
{
    char t[EINGABESUP + 1] = "";
    if (egb.feld) GetWindowText(egb.feld, t, sizeof t);
    return egbRechtsGetrimmt(t);
}

void egbEnde()
{
    if (egb.feld) PostMessage(egb.feld, WM_KEYDOWN, VK_END, 0);
}

// Shows the copy in the field (invariant 1).
void egbFeldZeigen()
{
    if (!egb.feld || !IsWindow(egb.feld)) return;
    if (egbFeldLesen() != EingabeFeld()) SetWindowText(egb.feld, EingabeFeld().c_str());
}

void egbBlaettern(bool zurueck)
{
    const int art = PromptZustand() == 1 ? 'T' : 'B';
    char t[ZEILNG + 1] = "";
    if (zurueck) HistoryZurueck(art, t, sizeof t);
    else HistoryVor(art, t, sizeof t);
    EingabeFeldSetzen(t);
    SetWindowText(egb.feld, t);
    egbEnde();
}

LRESULT CALLBACK EingabeProc(HWND fenster, UINT nachricht, WPARAM wp, LPARAM lp)
{
    switch (nachricht) {
    case WM_SETFOCUS: FokusMerken(1); break;
    case WM_GETDLGCODE: return CallWindowProc(egb.alt, fenster, nachricht, wp, lp) | DLGC_WANTTAB;
    case WM_KEYDOWN:
        if (wp >= VK_F1 && wp <= VK_F12) {
            TasteGedrueckt(static_cast<int>(wp), GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0,
                           GetKeyState(VK_MENU) < 0, 0);
            break;
        }
        if (egbChordAusfuehren(wp)) {
            egb.chordZeichen = wp - 'A' + 1;
            return 0;
        }
        if (wp == VK_UP || wp == VK_DOWN) {
            egbBlaettern(wp == VK_UP);
            return 0;
        }
        if (wp == VK_TAB) {
            FokusWeiter(GetKeyState(VK_SHIFT) < 0);
            return 0;
        }
        break;
    case WM_CHAR:
        if (egb.chordZeichen && wp == egb.chordZeichen) {
            egb.chordZeichen = 0;
            return 0;
        }
        egb.chordZeichen = 0;
        if (wp == '\r') {
            EingabeAbschicken(1);
            return 0;
        }
        if (wp == 27) {
            EingabeEsc();
            return 0;
        }
        if (wp == '\t') return 0;
        break;
    default: break;
    }
    return CallWindowProc(egb.alt, fenster, nachricht, wp, lp);
}

void egbLoesen()
{
    if (egb.feld && IsWindow(egb.feld) && egb.alt &&
        GetWindowLongPtr(egb.feld, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(EingabeProc))
        SetWindowLongPtr(egb.feld, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(egb.alt));
    FokusAus();
    egb = EgbZustand{};
}

// The speller's callbacks: history holds the text, the field follows it.
void egbRsHolen(char* text, int groesse) { EingabeRsText(text, groesse); }
void egbRsSetzen(const char* text)
{
    EingabeRsSetzen(text);
    egbFeldZeigen();
}
void egbRsFertig()
{
    EingabeRsFertig();
    PromptAnzeigen();
}

bool egbFeldHatFokus()
{
    HWND f = GetFocus();
    return egb.feld && f && (f == egb.feld || IsChild(egb.feld, f));
}

}  // namespace

// ---- the fields ---------------------------------------------------------------------------

void EingabeStarten(int prompt, int eingabe)
{
    egbLoesen();
    egb.seite = wiDlgFenster();
    egb.prompt = GetDlgItem(egb.seite, prompt);
    egb.feld = GetDlgItem(egb.seite, eingabe);
    for (HWND& s : egb.slots) s = 0;
    egb.akt = 0;
    FokusAnmelden(0, GetDlgItem(egb.seite, EGB_ZEICHNUNG));
    FokusAnmelden(1, egb.feld);
    FokusEin();
    if (egb.feld) {
        egb.alt = reinterpret_cast<WNDPROC>(
            SetWindowLongPtr(egb.feld, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EingabeProc)));
        SendMessage(egb.feld, WM_SETFONT, static_cast<WPARAM>(SendMessage(egb.seite, WM_GETFONT, 0, 0)), 0);
        SetWindowText(egb.feld, "");
    }
    RsTextAbmelden();
    if (RsStarten()) RsTextAnmelden(egbRsHolen, egbRsSetzen, egbRsFertig);
    HistoryLaden();
    PromptStandard();
    PromptAnzeigen();
}

void EingabeEnde()
{
    RsTextAbmelden();
    HistorySichern();
    egbLoesen();
}

void PromptAnzeigen()
{
    if (egb.prompt && IsWindow(egb.prompt)) SetWindowText(egb.prompt, PromptText().c_str());
    egbFeldZeigen();
    // A submit, a cancel or a new prompt can take a shown preview away
    // without any typing: a refresh erases it.
    if ((egbSichtbar(egbVorschau) || egbSichtbar(egbVorschauJetzt())) && EingabeVorschauGeaendert())
        BefEinreihenCode(0);
}

void PromptMitText(int code, const char* text)
{
    PromptSetzen(code);
    EingabeFeldSetzen(text != nullptr ? text : "");
    PromptAnzeigen();
    if (egb.seite) PostMessage(egb.seite, WM_COMMAND, 2503, 0);
}

void BefInEingabe(const BEF* b, const STT* s)
{
    EingabeBearbeitenSetzen(b, s);
    PromptAnzeigen();
}

int EingabeAbschicken(int absenden)
{
    const std::string zeile = egbFeldLesen();
    if (absenden) FokusSetzen(0);
    const int r = EingabeAbschliessen(zeile.c_str(), absenden);
    PromptAnzeigen();
    return r;
}

// Esc in the input line takes back what stands there or is asked for; an
// empty line at the command prompt hands Esc to the drawing, so that it
// ends a line chain or a move from here too.
void EingabeEsc()
{
    if (egbFeldLesen().empty() && PromptZustand() == 0 && MausZustand() != 2 && TasteSonder(VK_ESCAPE)) return;
    EingabeAbschicken(0);
}

int EingabeAusfuehren(const char* text)
{
    if (PromptZustand() >= 2) PromptStandard();
    const int r = EingabeAbschliessen(text != nullptr ? text : "", 1);
    PromptAnzeigen();
    return r;
}

void EingabeText(const char* text)
{
    EingabeFeldSetzen(text != nullptr ? text : "");
    if (egb.feld && IsWindow(egb.feld)) SetWindowText(egb.feld, EingabeFeld().c_str());
    BefEinreihenCode(0);
}

void EingabeZeichen(UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (!egb.feld) return;
    SetFocus(egb.feld);
    PostMessage(egb.feld, nachricht, wp, lp);
    egbEnde();
    FokusMerken(1);
}

int EingabeKommando(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND || !egb.feld || !IsWindow(egb.feld)) return 0;
    const int id = LOWORD(wp);
    if (id == GetDlgCtrlID(egb.feld) && HIWORD(wp) == CTLBEARBEITET) {
        const std::string t = egbFeldLesen();
        if (t != EingabeFeld()) {
            EingabeFeldSetzen(t);
            BefEinreihenCode(0);  // the preview follows the typing
        }
        return 1;
    }
    if (id == IDOK && egbFeldHatFokus()) {
        EingabeAbschicken(1);
        return 1;
    }
    if (id == IDCANCEL && egbFeldHatFokus()) {
        EingabeEsc();
        return 1;
    }
    return 0;
}

// ---- the preview ----------------------------------------------------------------------

void EingabeVorschauMerken() { egbVorschau = egbVorschauJetzt(); }

int EingabeVorschauGeaendert()
{
    const EgbVorschau v = egbVorschauJetzt();
    if (v.code != egbVorschau.code || v.zustand != egbVorschau.zustand) return 1;
    if (v.zustand && !SttGleich(&v.nach, &egbVorschau.nach)) return 1;
    return BefIstText(v.code) && v.text != egbVorschau.text ? 1 : 0;
}

void EingabeVorschauNeu()
{
    egbNeuMalen(egbVorschau);
    egbNeuMalen(egbVorschauJetzt());
}

void EingabeVorschauZeigen()
{
    EingabeVorschauMerken();
    if (egbSichtbar(egbVorschau)) BaubfZeichnen(&egbVorschau.bef, &egbVorschau.vor);
}

// ---- the focus ring -----------------------------------------------------------------------

void FokusAnmelden(int slot, HWND fenster)
{
    if (slot >= 0 && slot < FOKUSSUP) egb.slots[slot] = fenster;
}

void FokusSetzen(int slot)
{
    if (!egb.ein || slot < 0 || slot >= FOKUSSUP || !egb.slots[slot]) return;
    egb.akt = slot;
    SetFocus(egb.slots[slot]);
    if (slot == 1) egbEnde();
}

void FokusMerken(int slot)
{
    if (slot >= 0 && slot < FOKUSSUP) egb.akt = slot;
}

int FokusSuchen(HWND fenster)
{
    for (int i = 0; i < FOKUSSUP; ++i) {
        if (fenster && egb.slots[i] == fenster) {
            egb.akt = i;
            return i;
        }
    }
    return -1;
}

void FokusWeiter(int rueckwaerts)
{
    if (!egb.ein) return;
    int i = egb.akt;
    do {
        i = rueckwaerts ? (i == 0 ? FOKUSSUP - 1 : i - 1) : (i == FOKUSSUP - 1 ? 0 : i + 1);
    } while (i != 0 && !egb.slots[i]);
    egb.akt = i;
    if (egb.slots[i]) SetFocus(egb.slots[i]);
    if (i == 1) egbEnde();
}

void FokusZurueck() { FokusSetzen(egb.akt); }
HWND FokusFenster() { return egb.slots[egb.akt]; }
int FokusAktuell() { return egb.akt; }
void FokusEin() { egb.ein = true; }

void FokusAus()
{
    egb.ein = false;
    HWND f = GetFocus();
    for (HWND s : egb.slots)
        if (s && f && (f == s || IsChild(s, f))) SetFocus(0);
}
