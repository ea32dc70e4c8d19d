// Picking, marking and snapping: the cursor object (the object last
// picked), picks by point, rectangle, kind and drawing order, the mark
// operations on the store's mark states (0 unmarked, 1 marked, 2
// remembered), deleting and moving the marked objects, re-editing an object
// through the element under construction (baubf.h), the object-point drag,
// the text-variable search and the nearest-point snap. Prefixes `Obj`,
// `Mark`, `Var`, `Punkt`. Calls the store, the queue builders
// (editor/befausf.h), the element construction, the equipment layer
// (`BtlAnPositionId`, `AppGesperrtMeldung`), the editor hooks of model/, the
// phantoms (geloesch.h) and the attached lines (linien.h).
//
// Invariants:
//  1. The cursor object is -1 or an id the store held when it was picked.
//  2. The equipment id is 0 unless the cursor object is a component.
//  3. The object-point drag restores the move mode it switched on, once.
#pragma once

#include <cstdint>

#include "model/befehl.h"
#include "model/zustand.h"

constexpr double OBJFANGSUP = 20.0;      // half side of the snap square
constexpr double OBJFANGGRENZE = 100.0;  // snap only below this distance
constexpr int VARARTSUP = 3;             // kinds of the variable search

int ObjCursor();
void ObjCursorSetzen(int id);  // tests and the page's glue
void ObjWaehlenArt(int art, double x, double y);
void ObjKlick(int modus, double x, double y);
void ObjBauteilHier();
void ObjNaechsteNahe(int art, double x, double y);
void ObjNaechstes();
void ObjVorheriges();
void ObjImRechteck(double x1, double y1, double x2, double y2);
void MarkUmkehren();
void MarkWieder();
void MarkAlle();
void MarkLetztes();
void MarkWechseln();
void MarkLoeschen();
void MarkVerschieben(double dx, double dy);
void ObjBearbeiten(int code);
void ObjUebernehmen();
void ObjDialog();
int ObjErsetzen(const BEF* b, const STT* s);

// Object-point drag.
int ObjPunktSuchen(double x, double y);
void ObjPunktZiehen(int obj, int* px, int* py);
int ObjPunktAchse();
double ObjPunktX(double x);
double ObjPunktY(double y);

// Variable search.
void VarSuchen(int art, double x, double y);
void VarNaechste(int art);
void VarVorherige(int art);
void VarZuruecksetzen();

// Nearest-point snap.
void PunktFangen(double x, double y);
int PunktFangenZeiger(double* x, double* y);  // 1 when snapped

uint32_t ObjEquipment();
int ErstesMarkiertes();
// 1 when the object lies in the visible view: its layer shown, its start
// and end point visible.
int ObjSichtbar(int id);

// Installs ObjErsetzen and the text step into the editor hooks of model/.
void ObjHakenSetzen();
// Back to the start (editor start, tests).
void ObjZuruecksetzen();
