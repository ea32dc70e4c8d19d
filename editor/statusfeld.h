// The editor page's status fields: one row of captions, value fields and
// bitmap buttons (ids 2400 + n) that show the graphic state after every
// command and take typed values and popup choices as records on the queue.
// Prefix `Statusfeld`. Calls the queue and command state of editor/, the
// focus ring (eingabe), the cursor mode (kontext), the page layout values
// (leiste), the settings' names (pens, layers, fonts) and the controls'
// classes by name.
//
// Invariants:
//  1. Each shown field's text equals what its value gave at the last
//     refresh; a refresh writes only the fields whose text changed (all
//     when forced).
//  2. The focus ring holds the visible value fields from slot 2 on, in
//     table order.
#pragma once

#include <string>

#include "platform/windef.h"

constexpr int STATUSFELDSUP = 36;     // rows of the table
constexpr int STATUSFELDID = 2400;    // id of row 0
constexpr int STATUSTEXTSUP = 44;     // characters of a row's text

struct StatusfeldZeile {
    int art;         // 1..8
    int basis;       // dialog units; -1 the left bar's width
    int beschriftung;
    int dezA, dezB;  // width and decimals follow the editor's A or B
    int abstand;     // gap after the field
    const char* text;
};

// The row n (0..STATUSFELDSUP-1).
const StatusfeldZeile& StatusfeldTabelle(int n);
// Width in dialog units of row n under decimals a and b.
int StatusfeldBreite(int n, int a, int b);

int StatusfelderAnlegen();
void StatusfelderEnde();
void StatusfelderLayout();
// Moves the fields to the status row shifted down by `dy` dialog units.
void StatusfelderVerschieben(int dy);
// Refresh; `erzwingen` writes every field. The number of fields written
// (the 15 values, the cursor mode, the pen and style faces, font and layer
// names).
int StatusfelderAktualisieren(int erzwingen);
// The page's WM_COMMAND share: typed values, clicks, 2401, 2999.
int StatusfeldKommando(UINT nachricht, WPARAM wp, LPARAM lp);
// Applies what field n holds now (queues its record).
void StatusfeldUebernehmen(int n);
// A popup's choice for field n as the record it queues (0 nothing).
int StatusfeldWahl(int n, int wahl);
// The popup menu of field n ("" none).
std::string StatusfeldMenue(int n);
int StatusfeldIndex(HWND fenster);
// What field n shows since the last refresh: its text, or the name of its
// face ("" when it does not exist).
std::string StatusfeldGezeigt(int n);
// The face of field 1 for cursor mode `modus`: the large one with large
// dialog fonts, else the small layout's, which fits a field of small units.
std::string StatusfeldCursorBild(int modus, int gross);
// The angle of a typed direction in tenths, 0..3599.
int StatusfeldZehntel(double grad);
