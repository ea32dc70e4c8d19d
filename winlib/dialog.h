// Dialog manager: every window but the main window is a named modeless
// dialog made from a template and driven by three callbacks (init, exit,
// command). Owns the slot table `struct dlgbox` x DLGSUP, the current-dialog
// stack `idxtop`, the dialog hooks of the frame, the dialog popup menus and
// the drag protocol between dialogs. Prefix `wiDlg` (drag: `wiZieh`). May
// call platform/, support/, config/ and the frame record (anwdaten.h), the
// message boxes (meldung.h) and the set-up of graphic buttons (wiwerk.h),
// which every dialog gets before its init callback.
//
// Every item operation of the window library acts on the current dialog, the
// top of the stack; with none current it is the main window ("Main").
#pragma once

#include "platform/windef.h"

inline constexpr int DLGSUP = 200;
inline constexpr int DLGNAMESUP = 20;    // name and help key
inline constexpr int DLGARGSUP = 200;    // bytes of the argument copy

using WiDlgInitFn = int (*)(int anzahl, const char* const* texte);
using WiDlgExitFn = int (*)();
using WiDlgBefehlFn = int (*)(UINT nachricht, WPARAM wp, LPARAM lp);
using WiDlgInitProzFn = int (*)(HWND fenster, WPARAM wp, LPARAM lp);

struct dlgbox {
    char name[DLGNAMESUP + 1];
    char hilfe[DLGNAMESUP + 1];
    WiDlgInitFn init;
    WiDlgExitFn exit;
    WiDlgBefehlFn befehl;
    int anzahl;
    const char* const* texte;
    char argKopie[DLGARGSUP];
    WiDlgInitProzFn initProz;
    int modal;          // 0 modeless, 1 modal to its owner, 2 application-modal
    int instanzArt;     // 0 one per command callback, 1 per callback and name, else never found
    int zustand;        // 0 created, 1 initialising, 2 initialised, 3 shown, 4 closing, 5 closed
    void* daten;        // module data block
    void** anker;       // the module's variable that points at it while current
    int eigeneDaten;    // 1: the block is freed with the dialog
    HWND fenster;       // 0: free slot
    HWND besitzer;      // owner window, disabled while modal
    HWND eltern;        // explicit parent window, 0 if none
    HWND besitzerDlg;   // owning dialog: closed together with it
    HMENU popup;
    int kurz;           // 1: the command callback gets LOWORD(wParam) only
};

// ---- Start and end --------------------------------------------------------------
// Allocates the slot table, installs the assertion and trace hooks and fills
// the configuration layer's interface. 0.
int wiDlgInit();
void wiDlgFrei();

// ---- Opening (the dialog window, or 0) --------------------------------------------
HWND wiDlgErzeugen(const char* name, WiDlgInitFn init, WiDlgExitFn exit, WiDlgBefehlFn befehl, HWND eltern,
                   HWND besitzerDlg, WiDlgInitProzFn initProz, LPARAM param, int modal, int kurz, int anzahl,
                   const char* const* texte);
HWND wiDlgOeffnenVoll(const char* name, WiDlgInitFn init, WiDlgExitFn exit, WiDlgBefehlFn befehl, HWND besitzerDlg,
                      int kurz, int anzahl, const char* const* texte);
HWND wiDlgOeffnen(const char* name, WiDlgInitFn init, WiDlgExitFn exit, WiDlgBefehlFn befehl);
HWND wiDlgOeffnenArg(const char* name, WiDlgInitFn init, WiDlgExitFn exit, WiDlgBefehlFn befehl, int anzahl,
                     const char* const* texte);
HWND wiDlgOeffnenUnter(HWND besitzerDlg, const char* name, WiDlgInitFn init, WiDlgExitFn exit, WiDlgBefehlFn befehl,
                       int anzahl, const char* const* texte);
HWND wiDlgOeffnen16(const char* name, WiDlgInitFn init, WiDlgExitFn exit, WiDlgBefehlFn befehl);
HWND wiDlgOeffnen16Arg(const char* name, WiDlgInitFn init, WiDlgExitFn exit, WiDlgBefehlFn befehl, int anzahl,
                       const char* const* texte);
HWND wiDlgOeffnenBei(HWND eltern, const char* name, WiDlgInitFn init, WiDlgExitFn exit, WiDlgBefehlFn befehl,
                     WiDlgInitProzFn initProz, LPARAM param);
// Explicit parent window, modeless, always new.
HWND wiDlgEinbetten(HWND eltern, const char* name, WiDlgInitFn init, WiDlgExitFn exit, WiDlgBefehlFn befehl,
                    WiDlgInitProzFn initProz, LPARAM param);
HWND wiDlgFinden(const char* name, WiDlgBefehlFn befehl);

// ---- Current dialog and lookup ----------------------------------------------------------
HWND wiDlgFenster();
int wiDlgIndex();
int wiDlgSlot(HWND fenster);
int wiDlgNummer(HWND fenster);
int wiDlgBereit();
HWND wiDlgSuchen(const char* name);
HWND wiDlgAktiv();
int wiDlgBetreten(HWND fenster);
void wiDlgVerlassen();
// Buffers of at least DLGNAMESUP + 1 characters.
char* wiDlgName(char* puffer);
char* wiDlgNameVon(HWND fenster, char* puffer);
char* wiDlgAktivName(char* puffer);
char* wiDlgHilfe(HWND fenster, char* puffer);
void wiDlgHilfeSetzen(HWND fenster, const char* schluessel);
// Buffer of at least 81 characters.
char* wiDlgTitel(char* puffer);
void wiDlgTitelSetzen(const char* text);
HWND wiDlgBesitzer();
void wiDlgBesitzerSetzen(HWND fenster);
HWND wiDlgGast(HWND fenster);
// Outputs: name DLGNAMESUP + 1, title 81 characters.
int wiDlgSlotInfo(int slot, HWND* fenster, char* name, char* titel);
int wiDlgModalArt(int slot);
HMODULE wiDlgModul(const char* name);
WPARAM wiDlgWParam();
LPARAM wiDlgLParam();
void wiDlgNaechster();
// The stack depth (0: nothing current); for tests and checks.
int wiDlgStapelTiefe();
// A slot's record (nullptr outside 0..DLGSUP-1 or before wiDlgInit).
const dlgbox* wiDlgBox(int slot);

// ---- Changing the current dialog ------------------------------------------------------------
void wiDlgModal();
void wiDlgRueckrufe(WiDlgInitFn init, WiDlgExitFn exit, WiDlgBefehlFn befehl);
void wiDlgInstanzArt(int art);
// Binds a new zero-filled block of `groesse` bytes; the anchor points at it
// while the dialog is current. Null when memory fails.
void* wiDlgDaten(void** anker, long groesse);
template <typename T> T* wiDlgDaten(T** anker, long groesse)
{
    return static_cast<T*>(wiDlgDaten(reinterpret_cast<void**>(anker), groesse));
}
void wiDlgDatenTeilen(HWND fenster);

// ---- Closing -----------------------------------------------------------------------------
int wiDlgSchliessen();
void wiDlgAlleBeenden();
void wiDlgAlleSchliessen();
void wiDlgSlotSchliessen(int slot);
void wiDlgGastSchliessen(HWND fenster);

// ---- Window-wide switches and messages ----------------------------------------------------------
void wiDlgAlleFrei(int modus);
void wiDlgSperren(int flag);
void wiDlgAllenSenden(WPARAM wp, LPARAM lp);
void wiDlgNamenSenden(const char* name, WPARAM wp, LPARAM lp);
// The modeless filter of the frame's message loop: 1 when a dialog took it.
int wiDlgNachricht(MSG* msg);

// ---- Popup menus -------------------------------------------------------------------------------
int wiDlgMenuLaden(const char* name);
int wiDlgMenuAnhaengen(int id, const char* text);
int wiDlgMenuZeigen(LPARAM punkt, HWND fenster);
int wiDlgPopupMenu(const char* name, LPARAM punkt, HWND fenster);
void wiDlgMenuFrei(int id, int flag);
HMENU wiDlgMenu();

// ---- Hooks -------------------------------------------------------------------------------------
using WiDlgModulFn = HMODULE (*)(const char* name);
using WiDlgAktivFn = void (*)(int slot, HWND fenster, int ereignis);
using WiDlgHakenInitFn = void (*)(int anzahl, const char* const* texte);
using WiDlgHakenExitFn = void (*)();
using WiDlgFilterFn = int (*)(HWND fenster, MSG* msg);
using WiZiehMeldenFn = int (*)(int zustand);
using WiZiehWertFn = LPARAM (*)(int phase);
void wiDlgModulSetzen(WiDlgModulFn f);
void wiDlgAktivHaken(WiDlgAktivFn f);
void wiDlgHaken(WiDlgHakenInitFn vorInit, WiDlgHakenInitFn nachInit, WiDlgHakenExitFn vorExit,
                WiDlgHakenExitFn nachExit, WiDlgBefehlFn befehl);
void wiDlgFilterHaken(WiDlgFilterFn f);
// Null handlers: the defaults, which answer 0.
void wiZiehHaken(WiZiehMeldenFn melden, WiZiehWertFn wert);

// ---- Drag and drop between dialogs -------------------------------------------------------------------
int wiZiehStart(HWND fenster);
HWND wiZiehQuelle();
HWND wiZiehZiel();
LPARAM wiZiehParam();
int wiZiehX();
int wiZiehY();
void wiDlgPunkt(int slot, POINT* aus, LPARAM punkt);
