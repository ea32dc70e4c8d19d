// Equipment texts, labels, identifiers and renumbering without their
// dialogs: the label queue of generated "@Q" placeholders (prefix
// `AppText`, dialog DB1354), the queue of items whose identifier must be
// edited (prefix `AppKennung`, dialog DB1361), and renumbering the number
// fields of an item's components (DB1360). Calls equipment, model (store,
// records, queue, state), the editor's services and config.
//
// Both queues keep the layout of the assignment queues (zuordint.h): a
// loaded current row, the rest in arrival order, snapshots of u32 count
// then rows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "equipment/btl.h"
#include "equipment/ges.h"
#include "model/befehl.h"
#include "model/zustand.h"
#include "platform/windef.h"

inline constexpr int APPTEXTSUP = 500;    // label rows
inline constexpr int APPKENNSUP = 100;    // identifier rows
inline constexpr int BMLABELSUP = 80;     // characters of a label

// ---- Labels (DB1354) --------------------------------------------------------------------
// The dialog: opened (menu 1354, command DLG "BmText") or raised; 1 while
// open; a button id posted to the open dialog (the editor's _BML answer).
void DB1354Oeffnen();
int DB1354Offen();
void DB1354Weiter(int id);
void AppTextAnlegen(uint32_t id, const char* code, int nr, const BEF* b, const STT* s);
long AppTextPacken(void* puffer);
void AppTextEntpacken(const void* puffer);
int AppTextWartet();
// The proposal for the current row (what field 3000 shows) and whether a
// text element already stands at it.
int AppTextAktuell(char* vorschlag, size_t kap, int* gefunden);
int AppTextAnzahl();
// Confirms the current row with `text`: draws or replaces the label, stores
// it where its kind keeps it ("@Z" rows, kind 2..4 items, sub components); then
// takes the next row (a numeric label of the same item advanced by one).
int AppTextBestaetigen(const char* text);
// Closes: waiting rows are dropped; the editor's direction, return point
// and (with `sta`) command STA are queued.
void AppTextSchliessen(int sta);
// The editor's state kept as return point when an assignment is written.
void AppTextRueckpunkt(const STT* s);

// ---- Identifiers (DB1361) -----------------------------------------------------------------
// The dialog (menu 1361, editor command 1361): opened or raised.
void DB1361Oeffnen();
void AppKennungAnlegen(uint32_t id, const appgeraet* g, const appbteil* b, const BEF* bef, const STT* s);
long AppKennungPacken(void* puffer);
void AppKennungEntpacken(const void* puffer);
int AppKennungWartet();
int AppKennungAnzahl();
// The identifier text of the current row's item (field 3000); -1 none.
int AppKennungAktuell(char* aus, size_t kap);
// Writes `text` into the identifier (or the alternative identifier while
// that one is shown and the text does not begin with '!'); next row.
int AppKennungBestaetigen(const char* text);
void AppKennungUeberspringen();

// ---- Terminal texts (DB1358) -----------------------------------------------------------
// Opens the window for item `id` (modus 1: fixed symbols chosen) or shows
// the item in the open one; DB1358Zeigen only shows it when open.
void DB1358Oeffnen(uint32_t id, int modus);
void DB1358Zeigen(uint32_t id);
// The symbol pairs of "KSKlvBtl" and "KSKlvBtl1": words taken two at a
// time, upper-cased, at most 50.
std::vector<std::string> Db1358Paare();

// ---- Renumbering (DB1360) -----------------------------------------------------------------
// Opens the modal dialog for item `id` under `besitzer` (0: the editor).
void DB1360Oeffnen(uint32_t id, HWND besitzer);
// Smallest and largest all-digit number field or component text among the
// item's placed components (0 and 0 when none).
void Db1360Bereich(uint32_t id, int* von, int* bis);
// Numbers within von..bis become start, start + 1, ...; the count changed.
int Db1360Umnummerieren(uint32_t id, int von, int bis, int start);

// Tests: both queues emptied.
void BmTexteZuruecksetzen();
