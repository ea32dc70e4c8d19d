// Editor hooks of the drawing store, the undo journal and the command queue:
// the operations of the equipment database, the project manager, the screen
// view and the drawing editor that these modules call. One table of function
// pointers, never null: every entry starts as a documented stand-in, and the
// higher layers install their own at start-up (EdHakenSetzen; null entries
// keep what was installed). Prefix `EdHaken`; the calls keep the names the
// neighbouring layers give them. Calls the store (for the stand-ins of
// ObjektErsetzen and MarkierungAufheben), the graphic state and the
// geometry.
//
// Stand-ins: extents are BefAusdehnungRoh; the editor holds one graphic
// state to which EditorBefehlAnwenden applies SttAnwenden; every permission
// answers 1; no placement stands already (output registers the real test);
// no message box is open; the drawing name is empty; the save question
// answers "No"; painters, posts, repaints and status texts go nowhere.
#pragma once

#include <cstdint>

#include "model/befehl.h"
#include "model/zustand.h"

struct ZeiDatei;

struct EdHaken {
    // Equipment database.
    void (*AppObjektNeu)(const BEF* b, const STT* s) = nullptr;
    void (*AppObjektGeloescht)(const BEF* b, const STT* s) = nullptr;
    void (*AppObjektGeaendert)(int id, const BEF* ab, const STT* as, const BEF* nb, const STT* ns) = nullptr;
    int (*AppAenderungErlaubt)(const BEF* b, const STT* s) = nullptr;  // TzAenderbarPruefen
    int (*AppUndoSichern)() = nullptr;
    void (*AppWarteListeAbarbeiten)() = nullptr;
    void (*BMBefehlEnde)() = nullptr;
    void (*AppZustandHolen)(int slot) = nullptr;
    void (*AppZustandNachBefehl)() = nullptr;

    // Project manager.
    void (*PvwBefehl)(int id) = nullptr;

    // Screen view.
    void (*AnsichtAusgabeSperren)(int f) = nullptr;
    void (*AnsichtAusgabeFreigeben)(int f) = nullptr;
    // Pixels, ordered and already widened by ZeiBereichNeuZeichnen: the view
    // invalidates the rectangle as given.
    void (*AnsichtBereichNeuZeichnen)(int x1, int y1, int x2, int y2) = nullptr;
    void (*AnsichtNeuZeichnen)() = nullptr;
    int (*AnsichtPunktImFenster)(double x, double y) = nullptr;
    int (*AnsichtPunktSichtbar)(double x, double y) = nullptr;
    void (*AnsichtSichtbarHolen)(double* x1, double* y1, double* x2, double* y2) = nullptr;
    void (*AnsichtFenster)(double x1, double y1, double x2, double y2) = nullptr;
    int (*WeltZuPixelX)(double x) = nullptr;
    int (*WeltZuPixelY)(double y) = nullptr;
    void (*CursorMarkeSetzen)(double x, double y) = nullptr;
    void (*RasterPunktZeichnen)(double x, double y, int stift) = nullptr;
    void (*HintergrundZeichnen)() = nullptr;
    int (*BtlPosVorhanden)(const BEF* b, const STT* s) = nullptr;

    // Drawing editor.
    void (*BefAusdehnung)(const BEF* b, const STT* s, double box[4], STT* nachher) = nullptr;
    void (*BauDefObjMerken)(int id) = nullptr;
    void (*ObjPrimitivHook)(int id, const BEF* b, const STT* s) = nullptr;
    void (*BauHistEintragen)(const BEF* b, const STT* s) = nullptr;
    int (*BefehlErlaubt)(const BEF* b) = nullptr;
    int (*CursorObjBefehl)(const BEF* b, const STT* s) = nullptr;
    int (*CursorObjMarkiert)() = nullptr;
    void (*EditorBefehlAnwenden)(const BEF* b) = nullptr;
    void (*EditorBefehlEnde)() = nullptr;
    void (*EditorNachRun)() = nullptr;
    void (*EditorSeiteWecken)() = nullptr;
    void (*EditorZustandNachfuehren)(const BEF* b, double x, double y) = nullptr;
    int (*EditorZustandOffen)() = nullptr;
    void (*EditorZustandAuffrischen)() = nullptr;
    void (*EditorZustandSetzen)(const STT* s) = nullptr;
    STT* (*EditorZustand)() = nullptr;              // the editor's graphic state
    const char* (*EditorZeiName)() = nullptr;       // current drawing, "" when none
    int (*EditorTextSchalter)() = nullptr;          // text switch on
    int (*DateiZugriffErlaubt)() = nullptr;         // not (project forbids direct access)
    int (*StatusNachOeffnen)() = nullptr;           // status after open on
    void (*ZeichnungGeaendertMelden)() = nullptr;   // broadcast 2999
    void (*KopfSammelnAnfang)() = nullptr;
    void (*KopfSatz)(const BEF* b) = nullptr;
    void (*KopfSammelnEnde)() = nullptr;
    int (*KopfSchreiben)(ZeiDatei* z) = nullptr;    // 0 or -1
    void (*LetztePunkteMerken)(double x, double y) = nullptr;
    void (*LetztesElementMerken)(const BEF* b) = nullptr;
    void (*MakroAufzeichnen)(const BEF* b) = nullptr;
    void (*MarkierungAufheben)() = nullptr;
    void (*MeldungNr)(int n, int warnung) = nullptr;
    int (*MeldungOffen)() = nullptr;
    void (*MflGenWieder)(int slot) = nullptr;
    void (*ObjektErsetzen)(int id, const BEF* b, const STT* s) = nullptr;
    void (*ObjZeichnen)(const BEF* b, const STT* s, int markiert) = nullptr;
    void (*StatusMeldung)(const char* text) = nullptr;
    void (*StatusText)(const char* text) = nullptr;  // StatusTextf after formatting
    void (*TextSchritt)(int n) = nullptr;
    int (*UndoRunGeaendert)() = nullptr;
    int (*ZeiFrageSpeichern)() = nullptr;           // 0 cancelled
    void (*ZuletztGeoeffnet)(int n, char* aus, size_t kap) = nullptr;
    void (*DBDialogOeffnen)(int n) = nullptr;
    void (*EditorUeberlagerung)() = nullptr;        // the editor's overlays of a repaint
};

// The table in force (every entry set).
const EdHaken& EdHakenTabelle();
// Installs the non-null entries of h.
void EdHakenSetzen(const EdHaken& h);
// Back to the stand-ins (tests).
void EdHakenStandard();

// Calls through the table, in namespace `modh` so that the higher layers can
// define the services under the same names and register them.
namespace modh {
void AppObjektNeu(const BEF* b, const STT* s);
void AppObjektGeloescht(const BEF* b, const STT* s);
void AppObjektGeaendert(int id, const BEF* ab, const STT* as, const BEF* nb, const STT* ns);
int TzAenderbarPruefen(const BEF* b, const STT* s);
int AppUndoSichern();
void AppWarteListeAbarbeiten();
void BMBefehlEnde();
void AppZustandHolen(int slot);
void AppZustandNachBefehl();
void PvwBefehl(int id);
void AnsichtAusgabeSperren(int f);
void AnsichtAusgabeFreigeben(int f);
void AnsichtBereichNeuZeichnen(int x1, int y1, int x2, int y2);
void AnsichtNeuZeichnen();
int AnsichtPunktImFenster(double x, double y);
int AnsichtPunktSichtbar(double x, double y);
void AnsichtSichtbarHolen(double* x1, double* y1, double* x2, double* y2);
void AnsichtFenster(double x1, double y1, double x2, double y2);
int WeltZuPixelX(double x);
int WeltZuPixelY(double y);
void CursorMarkeSetzen(double x, double y);
void RasterPunktZeichnen(double x, double y, int stift);
void HintergrundZeichnen();
int BtlPosVorhanden(const BEF* b, const STT* s);
void BefAusdehnung(const BEF* b, const STT* s, double box[4], STT* nachher);
void BauDefObjMerken(int id);
void ObjPrimitivHook(int id, const BEF* b, const STT* s);
void BauHistEintragen(const BEF* b, const STT* s);
int BefehlErlaubt(const BEF* b);
int CursorObjBefehl(const BEF* b, const STT* s);
int CursorObjMarkiert();
void EditorBefehlAnwenden(const BEF* b);
void EditorBefehlEnde();
void EditorNachRun();
void EditorSeiteWecken();
void EditorZustandNachfuehren(const BEF* b, double x, double y);
int EditorZustandOffen();
void EditorZustandAuffrischen();
void EditorZustandSetzen(const STT* s);
STT* EditorZustand();
const char* EditorZeiName();
int EditorTextSchalter();
int DateiZugriffErlaubt();
int StatusNachOeffnen();
void ZeichnungGeaendertMelden();
void KopfSammelnAnfang();
void KopfSatz(const BEF* b);
void KopfSammelnEnde();
int KopfSchreiben(ZeiDatei* z);
void LetztePunkteMerken(double x, double y);
void LetztesElementMerken(const BEF* b);
void MakroAufzeichnen(const BEF* b);
void MarkierungAufheben();
void MeldungNr(int n, int warnung);
int MeldungOffen();
void MflGenWieder(int slot);
void ObjektErsetzen(int id, const BEF* b, const STT* s);
void ObjZeichnen(const BEF* b, const STT* s, int markiert);
void StatusMeldung(const char* text);
void StatusTextf(const char* format, ...) __attribute__((format(printf, 1, 2)));
void TextSchritt(int n);
int UndoRunGeaendert();
int ZeiFrageSpeichern();
void ZuletztGeoeffnet(int n, char* aus, size_t kap);
void DBDialogOeffnen(int n);
void EditorUeberlagerung();
}  // namespace modh
