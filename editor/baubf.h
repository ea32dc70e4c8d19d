// Element construction: the one drawing element under construction
// (`baubf`, its state `baups`), its handles, the sub-commands of `_BST`, the
// re-editing of a stored object with the group that moves along, the screen
// overlay and the list of recently used components. Prefix `Baubf`
// (`BauHist` for the recent components). Calls the command queue and its
// builders (model/beffifo.h, editor/befausf.h), the store, the geometry and
// dimension lines of model/, the view conversions of the editor hooks and
// the status line (editor/edmeld.h).
//
// Invariants:
//  1. hatwas is 1 exactly while baubf.code is not 0.
//  2. bauoi is -1 whenever nothing is under construction; bauzol is 0 then,
//     and no object this module flagged as being edited stays flagged.
//  3. The step lies in 0 .. handles - 1 of the code.
// Transitions: BaubfStarten (idle -> building), BaubfAbsetzen and
// BaubfAbbrechen (building -> idle), BaubfObjektSetzen/BaubfGruppeSetzen
// (building -> re-editing).
#pragma once

#include <cstdint>

#include "model/befehl.h"
#include "model/zustand.h"

constexpr int BAUHISTSUP = 100;      // recently used components
constexpr int BAUHISTNAMESUP = 20;   // characters of a name and of a file
constexpr int BAUGRUPPESUP = 1000;   // objects of a re-edit group
constexpr int BAUZAEHLERSUP = 9999;  // placement counter, then 1 again

// Construction (all do nothing when idle unless stated).
void BaubfStarten(int code);
void BaubfStartenBei(int code, double x, double y);
void BaubfSchritt(int n);
void BaubfNaechsterSchritt();
void BaubfSchrittWahl();
void BaubfMausBewegt();
void BaubfFertig();
void BaubfAbsetzen();
void BaubfEnde();
void BaubfAbbrechen();
void BaubfSetzen(const BEF* b);
void BaubfKopieren(const BEF* b);
void BaubfObjektSetzen(int obj);
void BaubfGruppeSetzen(int liste);
void BaubfStartXY(double x, double y);
int BaubfGriffSuchen(double x, double y);
int BaubfGriffWahl(int n, int* px, int* py);
int BaubfAchse(int m);
// The `_BST` sub-command of a record (integer 0, value integer 1).
void BaubfBefehl(const BEF* b);

// Accessors.
int BaubfAktiv();
int BaubfCode();
int BaubfSchrittHolen();
BEF BaubfHolen();
STT BaubfZustandHolen();
int BaubfObjekt();
void BaubfDialogOffen(int flag);
int BaubfDialogIstOffen();
// Number of handles of a code, and the offset of handle n of a record
// (world units before the scale: position + scale x offset).
int BaubfGriffAnzahl(int code);
void BaubfGriffOffset(const BEF* b, int n, double* x, double* y);
// 1 for the codes an existing object may be re-edited as.
int BaubfKonstruierbar(int code);

void BaubfMeldung();

// Screen overlay.
int BaubfGeaendert();
void BaubfLoeschen();
void BaubfZeigen();
void BaubfDump(const char* label);

// Recently used components.
void BauHistMerken(const BEF* b, const STT* s);
int BauHistName(int n, char* aus, const char* datei);  // aus: BAUHISTNAMESUP + 1
void BauHistLeeren();
int BauHistZaehler();
int BauHistAnzahl(int n);  // use count of entry n (tests)

// Installs BaubfStartXY into the model's services and BauHistMerken as the
// store's recent-component hook.
void BaubfHakenSetzen();

// Back to idle without pushing anything (editor start, tests).
void BaubfZuruecksetzen();
