// The equipment list page (mode 1532): the item list with its type,
// internal/external and text filters, search and refresh by the change
// ring; the item panel that edits an item's identifier, fields and main
// texts; the component list and the selected component's detail; and the
// page's frame (embedded in the main window or its own window, docked and
// undocked by the snap button, its layout and title). Prefix `Bml`.
// Calls equipment (store, items, components, texts, work layer, identifier
// rows), model (texts, queue, settings), controls, winlib (dialogs, docking,
// the frame's services) and the editor's and editor dialogs' services.
//
// Invariants:
//  1. The id table holds one id per item-list row in row order (up to
//     BMLIDSUP); a selection is always read through it.
//  2. The change counter remembered is the one the list was last built or
//     refreshed for; a counter step that cannot be replayed from the ring
//     (a fall, a step without record, a rise beyond APPRINGSUP) rebuilds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/windef.h"

inline constexpr int BMLIDSUP = 9999;      // item-list rows with an id
inline constexpr int BMLAPPSUP = 1000;        // component-list rows with a row record
inline constexpr int BMLFILTERSUP = 20;
inline constexpr int BMLBREITEMIN = 358;   // layout width and height, dialog units
inline constexpr int BMLBREITEMAX = 500;
inline constexpr int BMLHOEHEMIN = 376;
inline constexpr int BMLHOEHEMAX = 480;

// ---- the page --------------------------------------------------------------------------
int BmlBearbOeffnen();
void BmlUmschalten();
// Fills the editor's call of the page (its menu 1353 and executor).
void BmlAnmelden();
void BmlGeheZu(uint32_t id);
void BmlEditorAuswahl(uint32_t id);
void BmlNachricht(int id, LPARAM lp);
HWND BmlDialogOeffnen(const char* name, int (*init)(int, const char* const*), int (*exit)(),
                      int (*befehl)(UINT, WPARAM, LPARAM), LPARAM param);

// ---- the frame ---------------------------------------------------------------------------
int BmlIstExtern();
int BmlFensterHeben();
HWND BmlFenster();
int BmlSchliessenDann(HWND fenster, int befehl);

// ---- rules of the item list (tests) ----------------------------------------------------
// The item-list rows of the store: type filter 0..7, internal/external mode
// (0 both, 1 internal, 2 external), filter text, "Alle Texte", sort mode
// 0..2; whole rows (id at column 80) and their ids, at most BMLIDSUP.
void BmlZeilenBauen(int typFilter, int intext, const char* filter, int alleTexte, int sortierung,
                    std::vector<std::string>& zeilen, std::vector<uint32_t>& ids);
// The type filter index of the editor setting "EdBmList".
int BmlTypAusEinstellung(int wert);
// The row stays under the filter text: within its first 80 characters, else
// in its loaded texts (all of them with "Alle Texte").
bool BmlZeilePasst(const std::string& zeile, const char* filter, int alleTexte);
// The search: from the row after `ab`, the first matching row; -1 none. The
// last row searched from stays.
int BmlSuchen(const std::vector<std::string>& zeilen, int ab, const char* text, int alleTexte);
// What a refresh has to do: 0 nothing, 1 re-format the changed rows, 2
// rebuild. `ids` gets the ids of kind-1 changes.
int BmlAenderungPruefen(int alt, int neu, std::vector<uint32_t>& ids);
// The layout size in dialog units for a client size in dialog units.
void BmlLayoutMasse(int breite, int hoehe, int* b, int* h);
// A purely numeric component text is a short field, else a line-99 text.
bool BmlNurZiffern(const char* text);
