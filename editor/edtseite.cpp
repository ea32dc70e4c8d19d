// The editor page (see edtseite.h).
#include "editor/edtseite.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "config/apstil.h"
#include "config/datwache.h"
#include "config/inidatei.h"
#include "config/reaktion.h"
#include "config/sperre.h"
#include "config/verzeich.h"
#include "controls/ctlkern.h"
#include "editor/baubf.h"
#include "editor/befausf.h"
#include "editor/edmeld.h"
#include "editor/edtaufrufe.h"
#include "editor/edzeich.h"
#include "editor/eingabe.h"
#include "editor/hinweis.h"
#include "editor/knopf.h"
#include "editor/macro.h"
#include "editor/mehrfach.h"
#include "editor/objwahl.h"
#include "editor/leiste.h"
#include "editor/zeidok.h"
#include "model/beffifo.h"
#include "model/dienste.h"
#include "model/edhaken.h"
#include "model/einstell.h"
#include "model/tempzeic.h"
#include "model/textvar.h"
#include "model/zeichnun.h"
#include "output/ansicht.h"
#include "platform/ablegen.h"
#include "platform/dialog.h"
#include "platform/ressource.h"
#include "platform/shell.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/menue.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "project/pvwliste.h"
#include "project/proverw.h"
#include "support/texte.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/seitendienst.h"
#include "winlib/toolbar.h"
#include "winlib/winbib.h"
#include "winlib/wiwerk.h"

namespace {

constexpr int EDS_KNOPF = 2980;   // window-mode button
constexpr int EDS_PROMPT = 5010;
constexpr int EDS_EINGABE = 5020;
constexpr char EDS_ABSCHNITT[] = "ArbPlatz";
constexpr char EDS_EXTERN[] = "EdtExtern";
constexpr char EDS_NAME[] = "EDITMAIN";

struct EdsZustand {
    HWND fenster = 0;
    int lauf = 0;             // 0 never opened, 1 running, 2 ended
    int ohneFrage = 0;        // close without asking (1099)
    int sperre = 0;           // handler lock while printing
    int abarbeiten = 0;       // a drain is running
    HWND folgeFenster = 0;    // follow-up command of EdtSchliessenDann
    int folgeId = 0;
    char wartend[EDTPFADSUP + 1] = "";
    std::string ordner;       // project folder at the last load
    std::string titel;        // last title shown
    int extern_ = -1;         // EdtExtern: -1 unread, 0 docked, 1 separate
    // Last-seen values of the refresh; -1 so that the first one acts.
    int letzterModus = -1;
    int letzterTbarStil = -1;
    int letzterMenueStil = -1;
    int letzterHistStand = -1;
};

EdsZustand eds;

// Re-opened pages keep the last-seen values of the refresh (they belong to
// the program run, not the page).
void edsZuruecksetzen()
{
    eds.fenster = 0;
    eds.ohneFrage = 0;
    eds.sperre = 0;
    eds.abarbeiten = 0;
    // The new page is built with the style in force now: only a later
    // change closes it.
    eds.letzterTbarStil = -1;
}

void edsExternLesen()
{
    if (eds.extern_ < 0) eds.extern_ = ProfilZahlLesen(EDS_ABSCHNITT, EDS_EXTERN) != 0 ? 1 : 0;
}

int edsGrundBBW() { return EdEinst()->grundbbw != 0; }

std::string edsProjektOrdner()
{
    char verz[MAX_PATH + 1] = "";
    VerHolen(1, verz, sizeof verz);
    return verz;
}

// Queues ZO with the pending name (and STA) and forgets it.
void edsWartendLaden()
{
    if (eds.wartend[0] == '\0') return;
    BefEinreihenText(BefCode("ZO"), eds.wartend);
    if (edsGrundBBW()) BefEinreihenCode(BefCode("STA"));
    eds.wartend[0] = '\0';
}

void edsKnopfFlaeche()
{
    if (!eds.fenster) return;
    HWND k = GetDlgItem(eds.fenster, EDS_KNOPF);
    if (!k) return;
    const bool sep = eds.extern_ == 1;
    const char* bild = sep ? "\x1B" "BBMSNAPREIN" : "\x1B" "BBMSNAPRAUS";
    SendMessage(k, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(bild));
    const char* text = sep ? "Im Hauptfenster darstellen" : "In separatem Fenster darstellen";
    SendMessage(k, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void edsLayout()
{
    if (!eds.fenster || !wiDlgBetreten(eds.fenster)) return;
    wiItemsRechtsAn(2, EDS_KNOPF, 0);
    wiRollbalkenLayout(2, 16, ANSICHT_FENSTER, ANSICHT_VSCROLL, ANSICHT_HSCROLL, ANSICHT_ECKE);
    wiItemsUntenAn(2, EDS_PROMPT, EDS_EINGABE, EDS_KNOPF, 0);
    wiItemsRechtsBis(16, EDS_EINGABE, 0);
    wiDlgVerlassen();
}

// The drawing window's paint: the grid, the drawing, the overlays.
void edsMalen() { ZeiFensterZeichnen(); }

BOOL edsStatischeSchrift(HWND kind, LPARAM)
{
    char klasse[32] = "";
    GetClassName(kind, klasse, sizeof klasse);
    if (strcasecmp(klasse, "static") == 0) SendMessage(kind, WM_SETFONT, static_cast<WPARAM>(ctlSchrift(2)), 1);
    return TRUE;
}

// The free window keeps the page's WS_CLIPCHILDREN: its background must not
// paint over the controls.
void edsKinderSchuetzen(HWND f)
{
    SetWindowLong(f, GWL_STYLE, GetWindowLong(f, GWL_STYLE) | static_cast<LONG>(WS_CLIPCHILDREN));
}

// ---- The module table ------------------------------------------------------------------------------

int edsSeite()
{
    eds.fenster = wiDlgFenster();
    eds.lauf = 1;
    return 0;
}
void edsSeiteEnde()
{
    eds.lauf = 2;
    eds.fenster = 0;
}

int edsSchrift()
{
    EnumChildWindows(eds.fenster, edsStatischeSchrift, 0);
    return 0;
}

int edsFenster()
{
    if (eds.extern_ == 1) {
        wiDlgAbdocken(eds.fenster);
        edsKinderSchuetzen(eds.fenster);
        wiPlatzLaden(eds.fenster, EDS_NAME, "DBPosition", 0);
        SetWindowText(eds.fenster, "Editor");
    } else {
        wiSeiteAnmelden(eds.fenster);
    }
    return 0;
}
void edsFensterEnde()
{
    if (eds.extern_ == 1) {
        wiPlatzSichern(eds.fenster, EDS_NAME, "DBPosition");
    } else {
        wiSeiteAbmelden(eds.fenster);
        if (wiSeiteModusHolen() == EDTMODUS) wiSeiteUmschalten(EDTMODUSPVW);
    }
    ProfilZahlSchreiben(EDS_ABSCHNITT, EDS_EXTERN, eds.extern_ == 1);
}

int edsEinstellungen()
{
    EdEinstLesen(nullptr);
    EdzEinstLesen();
    BefAnzeigeEinstellen();
    return 0;
}

int edsLeisten()
{
    const int links = GrundEinst()->tbarlinks > 0;
    LeisteLaden("Toolbar.txt", links ? "EditLiText" : "EditLinks", 1);
    LeisteLaden("Toolbar.txt", ApTbarStil1() ? "EditStart" : "EditOben", 0);
    return 0;
}

int edsAnsicht()
{
    if (AnsichtAnbinden() != 0) return -1;
    AnsichtMalHaken(edsMalen);
    AnsichtBlattSetzen(210, 297);
    const VIEINST* v = ViEinst();
    AnsichtHintergrund(v->bgrgb[0], v->bgrgb[1], v->bgrgb[2]);
    // The page lays its controls out in both window modes; the view moving
    // them by the size change as well would push them twice.
    AnsichtGroesseSperren(1);
    AnsichtNeuZeichnen();
    AnsichtZiehenVerfolgen(1);
    return 0;
}
void edsAnsichtEnde()
{
    if (AnsichtFenster() != 0 && eds.fenster && AnsichtFenster() == GetDlgItem(eds.fenster, ANSICHT_FENSTER))
        AnsichtLoesen();
}

// The drawing window's keys and mouse, while the view is the page's.
int edsKnoepfe()
{
    KnopfInit();
    return 0;
}
void edsKnoepfeEnde()
{
    // The viewer may hold the one view by now: its handlers stay.
    if (AnsichtFenster() != 0 && eds.fenster && AnsichtFenster() == GetDlgItem(eds.fenster, ANSICHT_FENSTER))
        AnsichtHaken(nullptr, nullptr, 0);
    KnopfFrei();
    HinweisAus();
}

int edsEingabe()
{
    EingabeStarten(EDS_PROMPT, EDS_EINGABE);
    return 0;
}

int edsAnker()
{
    wiItemsUnterTbar(ANSICHT_FENSTER, ANSICHT_VSCROLL, ANSICHT_HSCROLL, ANSICHT_ECKE, 0);
    edsLayout();
    return 0;
}

int edsStore()
{
    TzInit();
    return 0;
}
void edsStoreEnde()
{
    // An element still under construction ends with the page, so a page
    // opened again starts idle.
    BaubfZuruecksetzen();
    TzEnde();
    PrjSperreFrei();  // the project lock ends with the drawing
}

int edsQueue()
{
    BefQueueInit();
    return 0;
}
void edsQueueEnde() { BefQueueFrei(); }

int edsDokument()
{
    ZeiNeu();
    return 0;
}

int edsAnsichtStart()
{
    AnsichtCaretModus(BefFlags()->fka != 0);
    AnsichtRahmenSetzen(ViEinst()->zrahm != 0);
    ZeiAnsichtGanz();
    AnsichtFokus();
    return 0;
}

int edsTitel()
{
    wiDlgIcon("DLGICON");
    edsKnopfFlaeche();
    EdtTitelMenueAktualisieren(1);
    wiSeiteModus(EDTMODUS);
    return 0;
}

int edsLaden()
{
    if (eds.wartend[0] == '\0') return 0;
    eds.ordner = edsProjektOrdner();
    edsWartendLaden();
    return 0;
}

struct EdsModul {
    const char* name;
    int (*init)();
    void (*exit)();
    bool gestartet;
};

// Started in this order by EdtInit, ended backwards by EdtExit.
EdsModul edsModule[] = {
    {"Seite", edsSeite, edsSeiteEnde, false},
    {"Schrift", edsSchrift, nullptr, false},
    {"Fenster", edsFenster, edsFensterEnde, false},
    {"Einstellungen", edsEinstellungen, nullptr, false},
    {"Leisten", edsLeisten, nullptr, false},
    {"Ansicht", edsAnsicht, edsAnsichtEnde, false},
    {"Knoepfe", edsKnoepfe, edsKnoepfeEnde, false},
    {"Eingabe", edsEingabe, EingabeEnde, false},
    {"Anker", edsAnker, nullptr, false},
    {"Leisten2", LeisteSeiteStarten, LeisteSeiteEnde, false},
    {"Queue", edsQueue, edsQueueEnde, false},
    {"Zeichnung", edsStore, edsStoreEnde, false},
    {"Dokument", edsDokument, nullptr, false},
    {"AnsichtStart", edsAnsichtStart, nullptr, false},
    {"Titel", edsTitel, nullptr, false},
    {"Laden", edsLaden, nullptr, false},
};
constexpr int EDSMODULSUP = sizeof edsModule / sizeof edsModule[0];

void edsModuleBeenden()
{
    for (int i = EDSMODULSUP; i-- > 0;) {
        EdsModul& m = edsModule[i];
        if (!m.gestartet) continue;
        m.gestartet = false;
        if (m.exit) m.exit();
    }
}

// ---- Window mode ---------------------------------------------------------------------------------

void edsFensterArtWechseln()
{
    HWND f = eds.fenster;
    if (eds.extern_ == 1) {
        eds.extern_ = 0;
        wiPlatzSichern(f, EDS_NAME, "DBPosition");
        wiDlgAndocken(f);
        wiSeiteAnmelden(f);
        PostMessage(f, WM_COMMAND, 2595, 0);
    } else {
        wiSeiteAbmelden(f);
        wiDlgAbdocken(f);
        edsKinderSchuetzen(f);
        wiPlatzLaden(f, EDS_NAME, "DBPosition", 0);
        eds.extern_ = 1;
        SetWindowText(f, "Editor");
        ShowWindow(f, SW_SHOW);
        PostMessage(f, WM_COMMAND, 2596, 0);
    }
    edsKnopfFlaeche();
    EdtTitelMenueAktualisieren(1);
    edsLayout();
    AnsichtNeuMessen();
    // The window moved to another parent: every control paints anew there.
    RedrawWindow(f, nullptr, 0, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// ---- Commands --------------------------------------------------------------------------------------

int edsFokusId()
{
    HWND f = GetFocus();
    if (!f || !eds.fenster) return 0;
    for (int id : {ANSICHT_FENSTER, EDS_PROMPT, EDS_EINGABE}) {
        HWND k = GetDlgItem(eds.fenster, id);
        if (k && (f == k || IsChild(k, f))) return id;
    }
    return 0;
}

void edsFokusAuf(int id)
{
    if (HWND k = GetDlgItem(eds.fenster, id)) SetFocus(k);
}

void edsAbarbeiten()
{
    // A box or file dialog opened by a record runs its own loop: the 2501
    // its closing posts must not start a second drain inside the first.
    if (eds.abarbeiten || MeldungOffen()) return;
    eds.abarbeiten = 1;
    BefAbarbeiten();
    eds.abarbeiten = 0;
}

void edsGezogen(HDROP drop)
{
    const UINT n = DragQueryFile(drop, 0xFFFFFFFF, nullptr, 0);
    char name[EDTPFADSUP + 1] = "";
    for (UINT i = 0; i < n; ++i) DragQueryFile(drop, i, name, sizeof name);
    DragFinish(drop);
    if (n > 0 && name[0] != '\0') ZeiGezogenOeffnen(name);
}

void edsNachbar(int welcher)
{
    const char* name = ZeiName();
    if (name[0] == '\0') return;
    char pfad[EDTPFADSUP + 1] = "";
    ZeiNachbar(name, welcher, pfad, sizeof pfad);
    if (pfad[0] != '\0') ZeiGezogenOeffnen(pfad);
}

int edsImProjekt() { return ZeiProjektZeichnung(); }

}  // namespace

// ---- Operations -------------------------------------------------------------------------------------

void EdtZeiOeffnen(const char* pfad)
{
    edsExternLesen();
    char name[EDTPFADSUP + 1] = "";
    strkopie(name, sizeof name, pfad != nullptr ? pfad : "", EDTPFADSUP);
    strtrim(name);
    strkopie(eds.wartend, sizeof eds.wartend, name, EDTPFADSUP);
    if (HWND f = EdtFenster()) {
        // The frame disables the pages it hides before it calls here.
        EnableWindow(f, TRUE);
        ShowWindow(f, SW_SHOW);
        if (eds.extern_ == 1) {
            BringWindowToTop(f);
            SetActiveWindow(f);
        } else {
            SetFocus(f);
        }
        edsWartendLaden();
    } else {
        wiDlgEinbetten(anwHauptfenster(), EDS_NAME, EdtInit, EdtExit, EdtKommando, nullptr, 0);
        if (eds.fenster) ShowWindow(eds.fenster, SW_SHOW);
    }
    wiSeiteVerteilen(2999, 0);
}

void EdtZeiLaden(const char* pfad) { BefEinreihenIntText(BefCode("ZZ"), 0, pfad != nullptr ? pfad : ""); }

HWND EdtFenster()
{
    if (eds.fenster != 0 && !IsWindow(eds.fenster)) eds.fenster = 0;
    return eds.fenster;
}

void EdtFensterFuerTests(HWND fenster) { eds.fenster = fenster; }

int EdtIstExtern()
{
    edsExternLesen();
    return eds.extern_ == 1;
}

int EdtExternOffen() { return EdtFenster() != 0 && EdtIstExtern(); }
int EdtLaeuft() { return eds.lauf == 1; }
int EdtZeichenfeldId() { return ANSICHT_FENSTER; }

void EdtBefehlPosten(int id) { EdtKommandoPosten(id, 0); }

void EdtKommandoPosten(int id, LPARAM lp)
{
    if (HWND f = EdtFenster()) PostMessage(f, WM_COMMAND, static_cast<WPARAM>(id), lp);
}

void EdtAbarbeitenPosten() { EdtBefehlPosten(2501); }
void EdtAnsichtAktualisieren() { EdtBefehlPosten(2590); }

void EdtAktivierungMelden()
{
    if (HWND f = EdtFenster()) PostMessage(f, WM_ACTIVATE, 0, 0);
}

void EdtAktivieren()
{
    if (HWND f = EdtFenster()) wiSeiteAktivieren(f);
}

void EdtFokus()
{
    if (HWND f = EdtFenster()) BringWindowToTop(f);
    DatNeuPruefen(1);
}

void EdtZeiKontext()
{
    if (EdtFenster() && ZeiName()[0] != '\0') ZeiAktSetzen(ZeiName());
}

void EdtOrdnerFolgen() { wiSeiteUmschaltenAuf(ZeiName()); }

int EdtSchliessenDann(HWND fenster, int id)
{
    HWND f = EdtFenster();
    if (!f) return 0;
    if (eds.extern_ == 1 && ZeiIstGeaendert()) {
        ShowWindow(f, SW_SHOW);
        BringWindowToTop(f);
    }
    eds.folgeFenster = fenster;
    eds.folgeId = id;
    PostMessage(f, WM_COMMAND, 1098, 0);
    return 1;
}

void EdtHandlerSperren(int flag) { eds.sperre = flag != 0; }

void EdtEinstellungenNeu()
{
    if (eds.lauf == 1) {
        const std::string ordner = edsProjektOrdner();
        if (ordner != eds.ordner) {
            eds.ordner = ordner;
            ZeiNeuNachFrage();
        }
    }
    EdEinstLesen(nullptr);
    EdzEinstLesen();
    BefAnzeigeEinstellen();
    if (EdtFenster() && AnsichtFenster() == GetDlgItem(eds.fenster, ANSICHT_FENSTER)) {
        const VIEINST* v = ViEinst();
        AnsichtHintergrund(v->bgrgb[0], v->bgrgb[1], v->bgrgb[2]);
        AnsichtNeuZeichnen();
    }
    if (eds.lauf == 1) BefEinreihenCode(0);
}

namespace {

// The windows opened through EdtDialogOeffnen (closed ones are dropped on
// the next opening).
std::vector<HWND> edsDialoge;

// A Ctrl chord typed in one of the editor's own windows (the component
// list, the line window, ...) that the key table binds runs its command as
// it would from the drawing: Ctrl+S saves while the component list holds
// the focus. The chords of a field's own editing stay the field's.
int edsDialogTaste(HWND fenster, MSG* m)
{
    if (m->message != WM_KEYDOWN || EdtFenster() == 0 || fenster == EdtFenster()) return 0;
    if (m->hwnd != fenster && !IsChild(fenster, m->hwnd)) return 0;
    if (std::find(edsDialoge.begin(), edsDialoge.end(), fenster) == edsDialoge.end()) return 0;
    const WPARAM taste = m->wParam;
    if (taste < 'A' || taste > 'Z' || GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0) return 0;
    if (std::strchr("ACVXZ", static_cast<int>(taste))) return 0;
    return KnopfAusfuehren(static_cast<int>(taste), GetKeyState(VK_SHIFT) < 0, 1) != 0 ? 1 : 0;
}

}  // namespace

HWND EdtDialogOeffnen(const char* name, int (*init)(int, const char* const*), int (*exit)(),
                      int (*befehl)(UINT, WPARAM, LPARAM))
{
    wiDlgFilterHaken(edsDialogTaste);
    if (HWND d = wiDlgSuchen(name)) {
        BringWindowToTop(d);
        SetActiveWindow(d);
        return d;
    }
    edsDialoge.erase(std::remove_if(edsDialoge.begin(), edsDialoge.end(), [](HWND h) { return !IsWindow(h); }),
                     edsDialoge.end());
    HWND d = wiDlgOeffnenUnter(EdtFenster(), name, init, exit, befehl, 0, nullptr);
    if (d != 0) edsDialoge.push_back(d);
    return d;
}

// ---- Glue -----------------------------------------------------------------------------------------------

// The previews drawn over the drawing: the text being typed in the input
// line, the element under construction with its handles and the
// parallel-line markers. A repaint draws them again.
int EdtBeschaeftigt() { return EingabeVorschauGeaendert() || BaubfGeaendert() || MflGeaendert() ? 1 : 0; }

void EdtVorschauLoeschen()
{
    EingabeVorschauNeu();
    BaubfLoeschen();
    MflZeigen(0);
}

void EdtVorschauZeigen()
{
    EingabeVorschauZeigen();
    BaubfZeigen();
    MflZeigen(1);
}

void EdtBauAbbrechen() { BaubfAbbrechen(); }

int EdtBauAbsetzen()
{
    const int aktiv = BaubfAktiv();
    BaubfAbsetzen();
    return aktiv;
}

void EdtMausBewegt() { BaubfMausBewegt(); }

void EdtQueueLeer() { BauDefPruefen(); }

int ObjMarkieren(int id, int modus, int ansicht)
{
    BEF b;
    STT s;
    if (TzObjHolen(id, &b, &s) != 0) return 0;
    int neu = modus == 2 ? !TzIstMarkiert(id) : modus != 0;
    TzMarkSetzen(id, neu);
    if (ansicht == 1 || ansicht == 2) {
        STT z = s;
        if (ansicht == 1) {
            z.x = BefAktZustand()->x;
            z.y = BefAktZustand()->y;
        }
        ZustandSetzen(&z);
    }
    double box[4];
    STT nach;
    modh::BefAusdehnung(&b, &s, box, &nach);
    ZeiBereichNeuZeichnen(box[0], box[1], box[2], box[3]);
    return neu;
}

void EdtAllesDemarkieren()
{
    for (int id = TzNaechstes(-1); id < TZENDE; id = TzNaechstes(id)) {
        if (TzMarkHolen(id)) TzMarkSetzen(id, 0);
    }
    ZeiNeuZeichnen();
}

// The object under the cursor is the one picked last.
int CursorObjekt()
{
    const int id = ObjCursor();
    BEF b;
    STT s;
    return id >= 0 && TzObjHolen(id, &b, &s) == 0 ? id : -1;
}
int CursorObjMarkiert()
{
    const int id = CursorObjekt();
    return id >= 0 && TzIstMarkiert(id) ? 1 : 0;
}
void CursorObjHolen(BEF* b)
{
    STT s;
    const int id = CursorObjekt();
    if (id < 0 || TzObjHolen(id, b, &s) != 0) std::memset(b, 0, sizeof *b);
}

// ---- The page -------------------------------------------------------------------------------------------

int EdtInit(int, const char* const*)
{
    edsZuruecksetzen();
    for (EdsModul& m : edsModule) {
        if (m.init() != 0) {
            edsModuleBeenden();
            return 0;
        }
        m.gestartet = true;
    }
    return 1;
}

int EdtExit()
{
    HWND f = eds.fenster;
    // 1: the editor's dialogs first, then the question.
    for (int slot = 0; slot < DLGSUP; ++slot) {
        const dlgbox* b = wiDlgBox(slot);
        if (b != nullptr && b->fenster != 0 && b->fenster != f && b->besitzerDlg == f) wiDlgSlotSchliessen(slot);
    }
    if (!eds.ohneFrage) ZeiFrageSpeichernOhneAbbruch();
    DateiHistorieSichern();
    edsModuleBeenden();
    if (eds.folgeFenster && eds.folgeId) {
        PostMessage(eds.folgeFenster, WM_COMMAND, static_cast<WPARAM>(eds.folgeId), 0);
    }
    eds.folgeFenster = 0;
    eds.folgeId = 0;
    return 0;
}

int EdtKommando(UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (eds.lauf == 2 || eds.fenster == 0) return 0;
    // The hint window watches the pointer and the commands; it takes none.
    HinweisNachricht(eds.fenster, nachricht, wp, lp);
    if (!eds.sperre) {
        if (LeisteKommando(nachricht, wp, lp)) return 1;
        if (EdtSeitenNachricht(nachricht, wp, lp)) return 1;
        const bool eckBefehl = nachricht == WM_COMMAND && LOWORD(wp) == ANSICHT_ECKE && lp == 0;
        if (!eckBefehl && AnsichtFenster() == GetDlgItem(eds.fenster, ANSICHT_FENSTER) &&
            AnsichtNachricht(nachricht, wp, lp))
            return 1;
        if (EingabeKommando(nachricht, wp, lp)) return 1;
    }
    if (nachricht == WM_DROPFILES) {
        edsGezogen(static_cast<HDROP>(wp));
        return 1;
    }
    if (nachricht != WM_COMMAND) return 0;
    const int id = LOWORD(wp);
    if (EdtMenueBefehl(id)) return 1;
    switch (id) {
    case 2501:
        if (eds.lauf == 1) edsAbarbeiten();
        return 1;
    case 2502:
        if (eds.lauf == 1) AnsichtNeuZeichnen();
        return 1;
    case 2503:
        if (eds.lauf == 1) edsFokusAuf(EDS_EINGABE);
        return 1;
    case 2505:
    case ANSICHT_ECKE:
        AnsichtBefehl("0");
        AnsichtFokus();
        return 1;
    case 1:
        // Enter: the key actions of the drawing window arrive with them.
        if (edsFokusId() != ANSICHT_FENSTER && edsFokusId() != EDS_PROMPT) AnsichtFokus();
        return 1;
    case 2:
        // Esc first ends what runs on the drawing (a line chain, parallel
        // lines, move mode, marks), wherever the focus stands on the page;
        // only when nothing runs does it move the focus.
        if (MausZustand() != 2 && TasteSonder(VK_ESCAPE)) {
            if (edsFokusId() != ANSICHT_FENSTER) AnsichtFokus();
            return 1;
        }
        if (edsFokusId() == ANSICHT_FENSTER) edsFokusAuf(EDS_EINGABE);
        else if (edsFokusId() != EDS_PROMPT) AnsichtFokus();
        return 1;
    default: return 0;
    }
}

namespace {

bool edsAnsichtIstUnsere()
{
    return eds.fenster != 0 && AnsichtFenster() != 0 && AnsichtFenster() == GetDlgItem(eds.fenster, ANSICHT_FENSTER);
}

// The viewer takes the one drawing view while its page is shown. The page
// coming back takes it back with its handlers, sheet and zoom; else its
// window would paint nothing and hear no key or click until a restart.
void edsAnsichtZurueck()
{
    if (eds.fenster == 0 || GetDlgItem(eds.fenster, ANSICHT_FENSTER) == 0 || edsAnsichtIstUnsere()) return;
    if (!wiDlgBetreten(eds.fenster)) return;
    // The viewer's drawing was the current one: the title block's texts
    // read this page's drawing again.
    EdtZeiKontext();
    if (edsAnsicht() == 0) {
        KnopfHakenSetzen();
        if (EdtFormat() == 117) AnsichtA4();
        else AnsichtA3();
        AnsichtCaretModus(BefFlags()->fka != 0);
        AnsichtRahmenSetzen(ViEinst()->zrahm != 0);
        int zoom = 0, cx = 0, cy = 0;
        if (AnsichtZoomZuletzt(GetDlgItem(eds.fenster, ANSICHT_FENSTER), &zoom, &cx, &cy)) AnsichtZoomSetzen3(zoom, cx, cy);
        else ZeiAnsichtGanz();
        AnsichtNeuZeichnen();
    }
    wiDlgVerlassen();
}

}  // namespace

int EdtSeitenNachricht(UINT nachricht, WPARAM wp, LPARAM)
{
    switch (nachricht) {
    case WM_ACTIVATE:
        if (LOWORD(wp) == 0) return 0;
        wiSeiteModus(EDTMODUS);
        edsAnsichtZurueck();
        AnsichtFokus();
        return 0;
    case WM_SIZE:
        edsLayout();
        AnsichtNeuMessen();
        PostMessage(eds.fenster, WM_COMMAND, 2590, 0);
        return 0;
    case WM_COMMAND: break;
    default: return 0;
    }
    switch (LOWORD(wp)) {
    case 2580:
        // The page brought to the front: the view comes back from the viewer.
        edsAnsichtZurueck();
        AnsichtFokus();
        return 1;
    case 2590: AnsichtEinpassen(); return 1;
    case 2593: PostMessage(eds.fenster, WM_CLOSE, 0, 0); return 1;
    case 2595: wiSeiteUmschalten(EDTMODUS); return 1;
    case 2596: wiSeiteUmschalten(EDTMODUSPVW); return 1;
    case 2998:
        EdtTitelMenueAktualisieren(0);
        BefEinreihenIntText(BefCode("_RFR"), 1, "");
        return 1;
    case 2999: EdtTitelMenueAktualisieren(0); return 1;
    case EDS_KNOPF: edsFensterArtWechseln(); return 1;
    default: return 0;
    }
}

int EdtMenueBefehl(int id)
{
    if (id >= 1010 && id <= 1362) EdtAufrufTabelle().DBDialogOeffnen(id);
    if (id >= ZEIHISTID && id < ZEIHISTID + FILHISTSUP) {
        BefDateiLetzte(id - ZEIHISTID, edsImProjekt());
        return 1;
    }
    if (id >= 1040 && id <= 1043) {
        edsNachbar(id - 1040);
        return 1;
    }
    // Records queued with one integer (or none: -1).
    struct Zeile {
        int id;
        const char* code;
        int zahl;
    };
    static const Zeile einfach[] = {
        {1320, "LME", -1}, {1323, "ELM", 1},  {1324, "ELM", 2},  {1325, "BWE", -1}, {1326, "BEA", 2},
        {1330, "ZAK", -1}, {1331, "ZAE", -1}, {1332, "ZAA", -1}, {1340, "MFL", 5},  {1341, "MFL", 4},
        {1342, "MFL", 2},  {1344, "MFL", 3},  {1345, "MFS", 0},  {1346, "MFL", 6},  {1400, "LE", 1},
        {1401, "LER", -1}, {1402, "_MLG", -1}, {1410, "SUV", -1}, {1411, "SUP", -1}, {1412, "SUE", 50},
        {1413, "SUE", 80}, {1414, "SUE", 40}, {1415, "SUB", -1}, {1416, "SUE", 0},
    };
    for (const Zeile& z : einfach) {
        if (z.id != id) continue;
        // LER's -1 is its argument ("the last deleted group"), not "none".
        if (z.zahl >= 0 || std::strcmp(z.code, "LER") == 0) BefEinreihenInt(BefCode(z.code), z.zahl);
        else BefEinreihenCode(BefCode(z.code));
        return 1;
    }
    switch (id) {
    case 1000: BefDateiNeu(); return 1;
    case 1001: BefDateiNeuVorlage(); return 1;
    case 1002: BefDateiOeffnenDialog(); return 1;
    case 1003: BefDateiEinfuegen(); return 1;
    case 1004: BefDateiSpeichern(); return 1;
    case 1005: BefDateiSpeichernUnter(); return 1;
    case 1006: BefEinreihenInt(BefCode("EXP"), -1); return 1;
    case 1020: BefDateiDrucken(); return 1;
    case 1098:
        if (eds.fenster) PostMessage(eds.fenster, WM_CLOSE, 0, 0);
        return 1;
    case 1099:
        eds.ohneFrage = 1;
        if (eds.fenster) PostMessage(eds.fenster, WM_CLOSE, 0, 0);
        return 1;
    case 1420: BefEinreihenText(BefCode("FEN"), "0"); return 1;
    case 1991: wiSeiteHauptPost(1991, 0); return 1;
    case 1992: wiSeiteHauptPost(1992, 0); return 1;
    case 1993: wiSeiteHauptPost(1993, 0); return 1;
    case 1994: wiSeiteHauptPost(1994, 0); return 1;
    case 1995: wiSeiteHauptPost(1995, 0); return 1;
    case 1996: wiSeiteHauptPost(1996, 0); return 1;
    default: return 0;
    }
}

void EdtTitelMenueAktualisieren(int erzwingen)
{
    const int modus = eds.extern_ == 1;
    const std::string titel = ZeiTitel();
    HWND f = EdtFenster();
    if (f && (erzwingen || modus != eds.letzterModus || titel != eds.titel)) {
        if (modus) SetWindowText(f, titel.c_str());
        eds.titel = titel.substr(0, EDTTITELSUP);
        const char* akt = PvwAktZeichnung();
        if (ZeiName()[0] != '\0' && (akt == nullptr || !PfadGleich(akt, ZeiAktPfad()))) PvwZeiWaehlen(ZeiAktPfad());
    }
    const int menueStil = ApMenuStilNicht1();
    if (f && (erzwingen || modus != eds.letzterModus || menueStil != eds.letzterMenueStil)) {
        if (modus && menueStil) {
            HMENU m = LoadMenu(GetModuleHandle(nullptr), "EDT_MENU");
            HMENU alt = GetMenu(f);
            SetMenu(f, m);
            if (alt) DestroyMenu(alt);
            wiMenuTexteUmschreiben(m);
            DateiHistorieMenue(GetSubMenu(m, 0));
        } else if (HMENU alt = GetMenu(f)) {
            SetMenu(f, 0);
            DestroyMenu(alt);
        }
        eds.letzterModus = modus;
        eds.letzterMenueStil = menueStil;
    }
    // Docked, the main window carries the editor's menu: its recent files
    // follow the list.
    if (f && modus == 0 && eds.letzterHistStand != DateiHistorieStand()) {
        HMENU datei = GetSubMenu(GetMenu(anwHauptfenster()), 0);
        bool editorMenue = false;
        for (int p = 0; datei && p < GetMenuItemCount(datei); ++p) editorMenue = editorMenue || GetMenuItemID(datei, p) == 1004;
        if (editorMenue) {
            DateiHistorieMenue(datei);
            eds.letzterHistStand = DateiHistorieStand();
        }
    }
    // A new start-toolbar style needs a new page: it is built at the next opening.
    const int tbarStil = ApTbarStil1();
    if (f && eds.letzterTbarStil >= 0 && eds.letzterTbarStil != tbarStil) PostMessage(f, WM_CLOSE, 0, 0);
    eds.letzterTbarStil = tbarStil;
}

const char* ZeiTitel()
{
    static std::string titel;
    const char* name = ZeiName();
    std::string n = name[0] != '\0' ? std::string(name) : edsProjektOrdner() + "NAMENLOS";
    if (n.size() > 80) n = "..." + n.substr(n.size() - 77);
    n += EdtFormat() == 117 ? " (A4)" : " (A3)";
    // The frame's own title pattern ("Velmo - %s"), so the title bar names
    // the program the same way on every page.
    const std::string muster = TextNr(1);
    if (muster.find("%s") != std::string::npos) {
        char t[400];
        std::snprintf(t, sizeof t, muster.c_str(), n.c_str());
        titel = t;
    } else {
        titel = anwTitel();
        titel += (titel.empty() ? "" : " - ") + n;
    }
    if (SprNummer() != 0) {
        char spr[100] = "";
        SprName(spr, sizeof spr);
        titel += std::string(" - ") + spr;
    }
    return titel.c_str();
}

void EdtHakenSetzen()
{
    EdHaken h;
    h.EditorBefehlEnde = EdtQueueLeer;
    h.EditorZustandOffen = EdtBeschaeftigt;
    h.EditorZustandAuffrischen = EdtVorschauLoeschen;
    h.EditorUeberlagerung = EdtVorschauZeigen;
    h.EditorSeiteWecken = EdtAbarbeitenPosten;
    h.MarkierungAufheben = EdtAllesDemarkieren;
    h.CursorObjMarkiert = CursorObjMarkiert;
    h.DateiZugriffErlaubt = []() -> int { return !(ZeiProjektZeichnung() && modh::BmEinst()->bmuse); };
    h.StatusNachOeffnen = edsGrundBBW;
    h.PvwBefehl = [](int id) { ::PvwBefehl(id); };  // the project page's commands (1800: new drawing)
    EdHakenSetzen(h);
    EdzHakenSetzen();
    MakroHakenSetzen();
}

int EdtModulAnzahl()
{
    int n = 0;
    for (const EdsModul& m : edsModule) n += m.gestartet;
    return n;
}

const char* EdtModulName(int i) { return i >= 0 && i < EDSMODULSUP ? edsModule[i].name : ""; }
const char* EdtWartenderName() { return eds.wartend; }
