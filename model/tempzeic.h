// The in-memory drawing store of the editor: objects with ids, the drawing
// order, spatial baskets, the text heap, two swap files, the repaint
// accumulator and the changed flag; walks by area, painting, the nearest
// search, the pick ring, loading and saving. Prefix `Tz`. One store per
// process, not re-entrant. Calls the undo journal (undo.h), the command
// generation (beffifo.h), the editor hooks (edhaken.h), the drawing file,
// the graphic state, the geometry, the record expander and support/.
//
// Ids: the index of the object's order entry, from 0; -1 none (or "from the
// start"), TZENDE the end of the order. Ids of deleted objects are reused.
#pragma once

#include <cstdint>
#include <functional>

#include "model/befehl.h"
#include "model/zustand.h"

constexpr int TZENDE = 1000000;   // end of the drawing order
constexpr int KOKOSUP = 10000;    // baskets
constexpr int KOINSUP = 32;       // objects per basket
constexpr int TZCACHESUP = 1000;  // baskets held in memory before the defaults set is read
constexpr int RAMSUP = 10000;     // order entries held in memory
constexpr int TZKURZSUP = 10;     // characters of a text kept inline
constexpr int TZNAMENSUP = 254;   // names of each name table
constexpr int TZSCHLUESSEL = 22;  // spatial keys
constexpr int TZPICKSUP = 1000;   // pick ring
constexpr int TZOHNESUP = 20;     // ids excluded from the nearest search

// Life cycle.
void TzInit();
void TzEnde();
int TzLeeren();  // the changed flag before

// Changes.
int TzEinfuegen(const BEF* b, const STT* s);
int TzEinfuegenRoh(const BEF* b, const STT* s);
int TzEinfuegenVor(int vor, const BEF* b, const STT* s);
int TzEinfuegenMitStempel(int stempel, const BEF* b, const STT* s);
void TzLoeschen(int id);
void TzEntfernen(int id);
int TzErsetzen(int id, const BEF* b, const STT* s);     // 0, or -1
int TzErsetzenRoh(int id, const BEF* b, const STT* s);
int TzFortsetzen(int id, const BEF* b, const STT* s);
int TzSetzenMitStempel(int stempel, int id, const BEF* b, const STT* s);

// Reads.
int TzObjHolen(int id, BEF* b, STT* s);
int TzObjHolenGanz(int id, BEF* b, STT* vor, STT* nach, double box[4]);
int TzObjAenderbar(int id);
int TzAnzahl();
int TzMarkAnzahl();
int SeqMarkAnzahl();  // marked objects counted along the order
int TzNaechstes(int id);
int TzVorheriges(int id);
void TzMarkSetzen(int id, int zustand);
int TzMarkHolen(int id);
int TzIstMarkiert(int id);
int TzExistiert(int id);
int TzStempel(int id);
void TzInBearbeitung(int id, int wert);
int TzBearbeitungHolen(int id);
int TzNeueId();  // the id the next insertion would take

// Repaint accumulator: 0 idle, 1 ids, 2 box, 3 everything.
void TzZeichnenMerken(int id, const double box[4]);
int TzZeichnenHolen(int* id, double box[4]);
int TzZeichnenOffen();
void TzZeichnenLeeren();
void TzZeichnenAlles();

// Changed flag.
int TzIstGeaendert();
void TzGeaendertSetzen();
int TzGeaendertReset();

// Walks, painting, search, picks.
using TzDurchlaufFn = std::function<void(int id, const STT* s, const BEF* b)>;
// `art` >= 0: only the objects of that record code (the others are not unpacked).
void TzBereichDurchlaufen(const double rechteck[4], const TzDurchlaufFn& fn, int art = -1);
// The same walk over the objects of kind `art` (-1: any), handing out only
// each object's position before and after it, as stored beside the
// baskets: nothing is unpacked, and a basket is loaded only for an object
// whose extent lies too close to the area's edge to tell from there.
// The callback must not change the store.
using TzPunkteFn = std::function<void(int id, double x0, double y0, double x1, double y1)>;
void TzBereichPunkte(const double rechteck[4], int art, const TzPunkteFn& fn);
// Every line (`BEF_ZL`) whose end points' rectangle meets the area, and
// some more near it, each once and in no fixed order, with its position
// before and after it as stored. The callback must not change the store.
void TzLinienNahe(const double rechteck[4], const TzPunkteFn& fn);
void TzBereichZeichnen(const double rechteck[4]);
int TzSucheNahe(double x, double y, int art);
int TzSucheNaheOhne(double x, double y, int art, int ohne);
int TzSucheMarkiert(double x, double y, int art);
int TzPickMerken(int id);
void TzPickDazu(int griff, int id);
int TzPickAnzahl(int griff);
int TzPickHolen(int griff, int k);
int TzPickEnthalten(int griff, int id);

// Files.
int TzLaden(const char* pfad, const STT* start, STT* aus, int mitKopf, int mischen, int jeObjekt);
int TzSpeichern(const char* pfad, const STT* start, const STT* ende, int mitKopf);

// Diagnostics and tests: the basket and slot of an id (-1 when none), the
// key and count of a basket, the spatial key of an extent, and where the
// swap files are (their names are already gone).
int TzKorbVon(int id, int* slot);
int TzKorbSchluessel(int korb);
int TzKorbAnzahl(int korb);
int TzSchluessel(const double box[4]);
int TzTeilen(int a, int b);  // 1 when keys a and b may share objects
int TzHeapAnzahl();          // texts on the heap

// Tests and benchmarks: "ZeiRAM" as given (-1: read the setting at TzInit).
void TzZeiRamVorgeben(int wert);
// Baskets held in memory: the defaults key "EdZeiKoerbe", 1..KOKOSUP
// (empty, 0 or out of range: KOKOSUP, every basket); read by TzInit.
int TzKoerbeVorgabe();
// In force since TzInit (0 with "ZeiRAM" 0), and the reads and writes of
// the basket swap file so far.
int TzKoerbeImSpeicher();
long TzAuslagerungen();
// Start of a command run: the too-many-objects message may show again.
void TzLaufBeginn();
