// Mouse and key handling of the drawing window: the mouse state machine
// (clicks, handle and object-point drags, rubber band, Shift drags, wheel),
// the built-in keys, the user's key table "EditKey.txt" with its help
// lines, the point snapping of mouse input and the special characters
// Enter, Escape and Space. Prefixes `Knopf`, `Maus`, `Taste`, `Punkt`.
// Calls the queue builders (editor/befausf.h), the element construction
// (baubf.h), the picking (objwahl.h), the view and mapping of output/, the
// ini functions of config/ and the command strings and context menu
// (kontext.h).
//
// Mouse invariants:
//  1. Button state 2 (a drag) exists exactly between a `_UDB` 1 and its
//     `_UDB` 0: every drag is one undo group.
//  2. The left gesture kind is 0 whenever the button state is 0.
// Transitions: press (MausMeldung, state 1), a move beyond 4 pixels (state
// 2, kind chosen), release or a move without the button (back to 0).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/windef.h"

constexpr int KNOSUP = 100;          // entries of the key table
constexpr int KNOZEILESUP = 200;     // characters of a line of the key file
constexpr int KNOBEFEHLSUP = 40;     // characters of a command
constexpr int KNOHINWEISSUP = 60;    // characters of a hint
constexpr int KNOHILFEFELD = 12;     // width of the key and command fields of the key help
constexpr int KNOZIEHGRENZE = 4;     // pixels a press may move and stay a click
constexpr int KNOACHSGRENZE = 5;     // pixels of the axis lock of a drag
constexpr int KNOGUMMIGRENZE = 11;   // pixels a rubber band must exceed to zoom
constexpr int KNOECKBEFEHL = 2505;   // the view's corner button posts this to the page

struct knopf {
    int32_t taste;
    uint8_t shift, control;
    char befehl[KNOBEFEHLSUP + 1];
    char hinweis[KNOHINWEISSUP + 1];
    int32_t zeile;
};

// Installs the key and mouse handlers into the attached drawing view, reads
// `Ed45Taste` and loads "EditKey.txt" (application-data folder, else
// shipped data); 0 when no file exists, -1 read short, else the entries read. KnopfFrei
// frees the table; the page takes the handlers out of its view.
int KnopfInit();
void KnopfFrei();
// Installs only the handlers again (the page taking its view back).
void KnopfHakenSetzen();
// Parses a key file into the table: the entries read, 0 when it is missing,
// -1 when it was read short (said; the table is then empty).
int KnopfDateiLesen(const char* pfad);
int KnopfAnzahl();
const knopf* KnopfEintrag(int n);
void KnopfEd45Setzen(int wert);  // tests

void MausMeldung(UINT nachricht, WPARAM flags, LPARAM xy);
void TasteMeldung(UINT nachricht, WPARAM code, LPARAM daten);
void TasteGedrueckt(int code, int shift, int control, int alt, int erweitert);
int TasteSonder(int zeichen);
int KnopfAusfuehren(int code, int shift, int control);
int KnopfZeileAusfuehren(int n);

// Key help: the lines of the list, and the command of a chosen line.
std::vector<std::string> KnopfHilfeZeilen();
void KnopfHilfeFuellen(HWND liste);
void KnopfHilfeAusfuehren(const char* zeile);
// The first KNOSUP lines of the key file as they stand; choosing line n
// runs KnopfZeileAusfuehren(n).
std::vector<std::string> KnopfDateiZeilen();
void KnopfDateiZeigen(HWND liste);

void PunktRasten(double* x, double* y, int shift, int control);

// The mouse state (tests): button state and left gesture kind.
int MausZustand();
int MausArt();
void KnopfZuruecksetzen();
