// Main and sub component assignment: the two queues of placed symbols that
// wait for an equipment definition (main, prefix `Hbz`, dialog DB1350) or
// for an existing item (sub, prefix `Ubz`, dialog DB1352), the pending
// insertions of the equipment list dialogs, and the undo snapshots.
// Calls equipment (work layer, items, components, texts, definitions,
// unassigned placements), model (library, queue, records), config and the
// editor's services (start point, status line, generated texts, commands).
//
// Each module: a queue of at most APPSUP rows, a current row taken out of
// it (loaded flag), the dialog window (0 while closed). A row is "at the
// symbol" when its component name equals the given one and both coordinate
// differences lie strictly between -1 and 1.
#pragma once

#include <cstddef>
#include <cstdint>

#include "editdlg/zuoplatz.h"
#include "equipment/app.h"
#include "model/befehl.h"
#include "model/zustand.h"

inline constexpr int APPSUP = 100;   // rows of each queue
inline constexpr int ZUONAMSUP = 20;  // component name of a pending insertion

// ---- Main components ----------------------------------------------------------------
// Opens DB1350 (menu 1350) or raises it.
void DB1350Oeffnen();
void HbzNeuesSymbol(const BEF* b, const STT* s);
int HbzNameVorgemerkt(const char* name);
int HbzWartet();
void HbzSymbolGeloescht(const char* name, double x, double y);
void HbzSymbolVerschoben(const char* name, double x, double y, double nx, double ny);
void HbzSymbolUmbenannt(const char* name, const char* neu, double x, double y);
long HbzPacken(void* puffer);
void HbzEntpacken(const void* puffer);
// The dialog's decisions on the current row: apply definition `def` with the
// texts (-1 when nothing could be applied), or skip; both take the next row.
int HbzAnwenden(int def, const AppDefTexte* t);
void HbzUeberspringen();
// The ask-always setting (command BMZ toggles it; start value "BMhbzu").
int HbzImmerFragen();
void HbzImmerFragenSetzen(int an);
// State for the dialog and tests: queued rows, a loaded row, its name/x/y.
int HbzAnzahl();
int HbzGeladen();
int HbzAktuell(char* name, size_t kap, double* x, double* y, int* art, uint32_t* id);
// 1 when a row of the queue (or the loaded one) is at the symbol.
int HbzBeiSymbol(const char* name, double x, double y);

// ---- Sub components -------------------------------------------------------------------
// Opens DB1352 (menu 1352) or raises it.
void DB1352Oeffnen();
void UbzNeuesSymbol(const BEF* b, const STT* s);
int UbzNameVorgemerkt(const char* name);
int UbzWartet();
void UbzSymbolGeloescht(const char* name, double x, double y);
void UbzSymbolVerschoben(const char* name, double x, double y, double nx, double ny);
void UbzSymbolUmbenannt(const char* name, const char* neu, double x, double y);
long UbzPacken(void* puffer);
void UbzEntpacken(const void* puffer);
// Places the current row as sub component `code` of item `id` (-1 when the
// entry cannot take it); skip registers it as not assigned; closing
// registers every row still waiting.
int UbzAnwenden(uint32_t id, const char* code);
void UbzUeberspringen();
void UbzSchliessen();
int UbzAnzahl();
int UbzGeladen();
int UbzAktuell(char* name, size_t kap, double* x, double* y);
int UbzBeiSymbol(const char* name, double x, double y);

// Opened by the editor's menu ("Hauptbauteile...", "Unterbauteile...",
// "Nicht zugewiesen..."): the sheet's symbols that carry no component
// entry yet and wait in neither queue are taken up first (AppNachholen),
// so that a symbol placed before its definition, before linking was on or
// before the item it belongs to can still be assigned.
void ZuoNachholen();

// Installs both modules into the equipment work layer's hooks.
void ZuordnungHakenSetzen();
// Empties both modules (tests; the clean-up at exit).
void ZuordnungZuruecksetzen();
