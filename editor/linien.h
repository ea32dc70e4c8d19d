// Line gaps and attached lines: cutting a gap out of every line through two
// points (line breaks, renewed gaps around replaced objects) and keeping the
// lines that end at an object's edge attached when the object moves
// straight along x or y. Prefixes `Linien`, `Loch`, `Anhang`,
// `Unterbrechung`. Calls the store (model/tempzeic), the record expander and
// the geometry.
//
// Lines are `ZL` records: the vector divided by the state's scale (and
// turned back by its direction); start the state's position, end the
// position after the record.
#pragma once

#include "model/befehl.h"
#include "model/zustand.h"

constexpr int LLSUP = 100;     // gaps of one line break
constexpr int ANHANGSUP = 20;  // attached lines of one move

// Cuts the gap P0..P1 out of every line through both points.
void LinienTrennen(double x0, double y0, double x1, double y1);
// The cut for one object: only a line collinear with both points, and only
// the part of the gap that lies on the line; 1 when the line changed.
int LochSchneiden(int id, const STT* s, const BEF* b, double x0, double y0, double x1, double y1);
// A line break (`UNT`) at a multiple of 90 degrees: its span's rectangle is
// cut out of the horizontal and vertical lines that cross it.
void UnterbrechungSetzen(const BEF* b, const STT* s);
void AnhangZuruecksetzen();
// Phase 0 collects the lines ending at the reference edge (y0 for a move
// along y, x0 for one along x) of `objekt`'s extent box (x1, y1, x2, y2);
// phase 1, after the move, moves their ends with it (a line left shorter
// than 0.1 is deleted). Moves in both directions are left alone.
void AnhangVerschieben(int objekt, int phase, double x0, double y0, double x1, double y1, const double box[4]);

// ---- exchanging values, text kinds and dimension lines ----------------------

constexpr int TAUWERTSUP = 95;  // characters of an exchange value

// `TAU`: "<mnemonic> old new" or "<mnemonic>c old c new c"; 0 done (or the
// exchange dialog opened), -1 refused.
int TauschenBefehl(const char* text);
// The request of the last TauschenBefehl on every visible object.
void TauschenAlle();
// Every visible object of the search code gets the code of the old value.
void TextCodeTauschen();
// `TAR` mode 0..5: alignment or text family of the marked visible texts.
void TextArtAendern(int modus);
// `_ZML`: queues the records of a dimension line with mark style 1..4.
void Bemassung(const BEF* b, const STT* s);
