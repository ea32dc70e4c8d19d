// Pieces the equipment dialogs of the editor share (assignment, labels,
// identifiers, lists): list rows that carry hidden fields behind their
// visible text, the one-line owner-draw of such lists, picture buttons that
// change their bitmap with their state, and the close-when-empty setting.
// Prefix `Bmd`. Calls winlib (dialog items), controls (list painting) and
// config (the workstation ini).
//
// A row is its visible text padded to BMDSICHTBAR characters, then 0x03,
// then its fields separated by 0x1C; the painter shows the part before 0x03.
#pragma once

#include <initializer_list>
#include <string>

#include "platform/windef.h"

#include <cstdint>
#include <vector>

struct appbteil;
struct appgeraet;

inline constexpr int BMDSICHTBAR = 80;

std::string BmdZeile(const std::string& sichtbar, std::initializer_list<std::string> felder);
// Field n (from 0) of a row; "" when it has none.
std::string BmdFeld(const std::string& zeile, int n);
// Field n of row `zeile` of list `id` of the current dialog ("" when none).
std::string BmdListeFeld(int id, int zeile, int n);
// The visible part of a row, trailing blanks kept.
std::string BmdSichtbar(const std::string& zeile);

// WM_MEASUREITEM / WM_DRAWITEM of owner-drawn lists `listen`: one line of
// the list font each; 1 when taken.
int BmdOwnerDraw(UINT nachricht, WPARAM wp, LPARAM lp, std::initializer_list<int> listen);

// Enables or disables a picture button with the bitmap of that state.
void BmdKnopf(int id, bool frei, const char* bild, const char* grau);

// The per-workstation "EdBMZuOff" of "ArbPlatz": 1 (close when the queue
// runs empty) when it is 0 or missing.
int BmdSchliessenLesen();

// Reads a field of the current dialog, trailing blanks removed.
std::string BmdFeldText(int id, int laenge);

// Fills list `liste` with the sub component lines ("U" and a code) of
// definition `def`: " %-3.2s%-11.10s%-20.20s" and " %2d" from a count of 2;
// fields code, component, type, count, the word after the count.
void BmdDefUnterFuellen(int liste, int def);

// The main and sub component entries of item `id` (at most BMDTEILESUP),
// in the order of BtlVergleich.
inline constexpr int BMDTEILESUP = 1000;
std::vector<appbteil> BmdTeile(uint32_t id);
// The visible text of such an entry: "%-2s %-11.10s%-14.13s" (blank code
// for the main component) cut or padded to 28, then the position of a
// placed entry (drawing stem in front) or "(%d)" with the number to place.
std::string BmdTeilText(const appbteil& b);

// Shows definition `def` in the fields the assignment and the main list
// share: 3000 component, 3010 second field, with `texte` its five texts in
// 3020-3024, its "D", "P", "L" lines in 3030, 3032, 3040 while their
// settings are on, the preview 3070 and its sub component lines in 3200.
void BmdDefZeigen(int def, bool texte);

// The component preview 3070 of the equipment windows: component `name`
// of library `bib` (nullptr: the editor's) with the options 3002/3003; an
// empty name gives a blank picture. The name is kept per window for the
// redraw and the enlarged preview 3079.
void BmdVorschau(const char* name, const char* bib = nullptr);
// The preview of the name in field 3000.
void BmdVorschauFeld();
// 3002/3003 redraw; 3070's double or right click opens the enlarged
// preview 3079 over control `liste`, a click on it removes it. 1 when taken.
int BmdVorschauBefehl(int id, LPARAM lp, int liste = 3100);
// The preview (3070) with drag: a drag out of it drops the component `name`
// (finished with 2500), anything else is the preview's own command.
int BmdVorschauZiehBefehl(LPARAM lp, const char* name);
// Opens an equipment dialog once: nothing while the equipment functions are
// off, an open one (`offen`) comes to the front instead.
void BmdOeffnen(HWND offen, const char* vorlage, int (*init)(int, const char* const*), int (*exit)(),
                int (*befehl)(UINT, WPARAM, LPARAM));
// At the window's end: the kept name goes, the enlarged preview too.
void BmdVorschauEnde();
// For a window whose 3002/3003 are no option boxes (DB1356's check-list
// radios): its previews are drawn with both options on.
void BmdVorschauOptionenAn();

// The class filter of the lists: 0 all; 1 kind 0 without sub components;
// 2 kind 0 with; 3..7 kinds 1..5.
bool BmdKlasse(const appgeraet& g, int klasse);

// Jumps the editor to (x, y) of drawing `ze`; another sheet is opened only
// when the user agrees (string 321), else nothing happens.
void BmdSpringen(const char* ze, double x, double y);
