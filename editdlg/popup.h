// Shared pieces of the component catalogues: the floating hint "Hilfe" and
// preview "Grafik" that follow the mouse over the catalogue's buttons (200
// slots, shown without activation), the preview window placed in a
// corner of a dialog control, the owner-drawn picture list, and the
// sizing helpers of owner-drawn lists. Prefix `Popup` and the system's
// names. Calls winlib (dialogs, items, units), config (list fonts),
// controls (marking colour) and the component preview (vorschau.h).
#pragma once

#include <cstddef>

#include "platform/windef.h"

inline constexpr int POPUPSUP = 200;         // slots
inline constexpr int POPUPNAMESUP = 20;      // characters of a component name
inline constexpr int POPUPHINWEISSUP = 80;   // characters of a hint

// The two popup windows of the current dialog, 3 x breite dialog units wide
// (the hint 8 high in list font 2, the preview square); hidden, no slot.
void PopupAnlegen(int breite);
void PopupEntfernen();
// Slot n: the control, its component (cut to 20) and the hint (the name
// when empty; trimmed, cut to 80).
void PopupEintragen(int slot, int id, const char* name, const char* hinweis);
// The mouse is over `steuer`: its slot's hint shows at the control's lower
// right corner; another window hides both. Hint and preview are kept inside
// the dialog's client area.
void PopupZeigen(HWND steuer);
// A mouse move of the dialog away from the current control hides both.
void PopupMausBewegt(UINT nachricht, WPARAM wp, LPARAM lp);
void PopupVerbergen();
// The current slot's component ("" when none) and control window (0).
void PopupName(char* aus, size_t groesse);
HWND PopupFenster();
// Hides a shown preview; else draws the current slot's component into it
// and shows it under the hint.
void PopupVorschauUmschalten();
void PopupAktivSetzen(int flag);
// Tests and callers: what is shown.
int PopupHinweisGezeigt();
int PopupVorschauGezeigt();
HWND PopupHinweisFenster();

// A square preview window "Grafik" in a corner of control `id` (0 top
// left, 1 bottom right, 2 top right), at most `groesse` dialog units, with
// the control identifier `neueId`; at most one at a time.
HWND VorschauAnlegen(HWND dialog, int id, int ecke, int groesse, int neueId = 0);
void VorschauEntfernen();
HWND VorschauFenster();
// The notifications of a preview control that open the enlarged preview:
// double click and right click.
inline constexpr LPARAM VORSCHAUDOPPEL = 0x310006;
inline constexpr LPARAM VORSCHAURECHTS = 0x320003;
// Its drag: start, move, stop.
inline constexpr LPARAM VORSCHAUZIEHEN = 0x310007;
inline constexpr LPARAM VORSCHAUGEZOGEN = 0x310009;

// Owner-drawn lists of the current dialog.
void ListeSpaltenbreite(int id, int breite);
int ItemBreite(int id);
// Answers WM_MEASUREITEM of control `id` with that item size; 1 when taken.
int ListeMessen(int id, int breite, int hoehe, UINT nachricht, int steuer, LPARAM daten);
// The picture list: the item's frame colour from the first state (0..2)
// the callback affirms, its text centred at the top, the bitmap below.
using BildZustandFn = int (*)(int eintrag, int zustand);
using BildBitmapFn = HBITMAP (*)(int eintrag);
int BildListeZeichnen(int id, BildZustandFn zustand, BildBitmapFn bitmap, UINT nachricht, int steuer, LPARAM daten);
