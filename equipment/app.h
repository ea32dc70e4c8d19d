// The equipment work layer of the editor: follows inserts, deletes and
// replacements of component symbols in the drawing being edited, queues new
// symbols for the assignment dialogs, notes changed items in a ring, keeps
// 30 undo snapshots of every equipment list, and changes definitions and
// dispo/principle entries of items. Prefix `App`. Calls the store (bm),
// items, components, texts, unassigned placements, definitions, the
// neighbours' services (apphaken), model (record expansion, command lists,
// generation, undo journal, editor hooks, repaint) and config.
//
// Invariants:
//  1. The waiting list holds at most WRTSUP - 1 entries; entries stay while
//     the link is off.
//  2. The change counter is 0 only before the first change after
//     AppZaehlerLoeschen; the ring's write index wraps at APPRINGSUP.
//  3. A slot is written only when the change counter moved since the last
//     snapshot: a new generation takes slot (current + 1) mod APPSLOTSUP and
//     journals it, the same generation repacks the current slot.
//  4. Restoring a slot that holds nothing changes nothing.
//
// The store calls the bodies through model/'s editor hooks under the names
// AppObjektNeu, AppObjektGeloescht, AppObjektGeaendert, AppAenderungErlaubt
// (TzAenderbarPruefen), AppUndoSichern, AppWarteListeAbarbeiten,
// BMBefehlEnde and AppZustandHolen; AppHakenEintragen installs them.
#pragma once

#include <cstdint>

#include "model/befehl.h"
#include "model/zustand.h"

inline constexpr int WRTSUP = 150;      // waiting list; 149 entries
inline constexpr int APPRINGSUP = 1000; // change ring
inline constexpr int APPSLOTSUP = 30;   // undo snapshots

struct wartet {
    int32_t art;   // 1..5
    BEF bef;
    STT stt;
};

struct appring {
    uint32_t id;
    int32_t art;       // 1 changed, 2 created, 3 deleted
    int32_t zaehler;
    int32_t generation;
};

void AppInit();
void AppFrei();
void AppZuruecksetzen();
void AppZaehlerLoeschen();
int AppUmschalten();
int AppAktiv();
// Sets the link (tests).
void AppAktivSetzen(int an);
// After the project's settings were read: a change of its equipment use
// switches the link with it; the same use keeps what the user switched.
void AppVerwendungFolgen();
int AppAenderZaehler();
int AppGeaendert(uint32_t id, int art);
typedef void (*APPRINGFN)(uint32_t id, int art, void* benutzer);
void AppRingDurchlaufen(int zaehler, APPRINGFN fn, void* benutzer);
void AppListenSortieren();

void AppBmObjektNeu(const BEF* b, const STT* s);
void AppBmObjektGeloescht(const BEF* b, const STT* s);
void AppBmObjektGeaendert(int objekt, const BEF* ab, const STT* as, const BEF* nb, const STT* ns);
void AppObjektVerschoben(int objekt, const char* name, const char* zname, double x, double y, double nx, double ny);
int AppAenderungErlaubt(const BEF* b, const STT* s);
void AppGesperrtMeldung();
void AppBmWarteListeAbarbeiten();
int AppBmUndoSichern();
void AppBmZustandHolen(int slot);
void AppMarkenPruefen();
void AppDispoSetzen(uint32_t id, const char* name);
void AppPrinzipSetzen(uint32_t id, const char* name);
void AppSpalteAktualisieren(uint32_t id, double x, double y);
void AppBeschriften(uint32_t id, const char* name, int nr, const BEF* b, const STT* s);
// Component symbols of the drawing being edited that carry no component
// entry (placed while the link was off or before a definition used them,
// or kept as not assigned) are classified again, as a new symbol is, and
// handed to the assignment dialogs; `wartet` (may be null) names those a
// dialog queues already. A symbol that still only the component
// information knows stays (or becomes) not assigned. The number of
// symbols handed over or newly registered.
int AppNachholen(int (*wartet)(const char* name, double x, double y));

struct AppDefTexte {
    char lt[21];
    char dispo[21];
    char prinzip[21];
    char haupt[5][41];
};
void AppDefinitionAendern(uint32_t id, int n, const AppDefTexte* t);

// Installs the bodies into model/'s editor hooks.
void AppHakenEintragen();

// Tests: the waiting list, the current slot, whether a slot holds data.
int AppWarteAnzahl();
const wartet* AppWarteEintrag(int i);
int AppAktSlot();
int AppSlotBelegt(int slot);
