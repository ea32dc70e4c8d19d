// Stand-ins for equipment modules that are not built yet, under their real
// names, each group under the heading of the module that will replace it
// (that module deletes its group here). They do the least their callers
// need: the section handlers of the equipment file keep their lines as read
// and write them back unchanged, the text calls are only recorded, the
// definition lookups answer from a table that tests fill. Prefix `Ph` for
// the test accessors. Calls support (buffered files, texts).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "equipment/ngestext.h"
#include "equipment/nhuliste.h"
#include "equipment/definier.h"
#include "equipment/definfo.h"
#include "equipment/lagerart.h"
#include "equipment/nzustext.h"
#include "equipment/wse.h"

struct BDAT;

// --- recording (tests) -------------------------------------------------
// Every recorded call as "Name(arg, ...)", in call order.
const std::vector<std::string>& PhAufrufe();
void PhAufrufeLoeschen();

// --- component list display (nhuliste) ---------------------------------
// What the display was handed last (tests; read from nhuliste).
struct PhHulStand {
    int spalten = -1;
    int quelle[5] = {-1, -1, -1, -1, -1};
    int suchmodus = -1;
};
const PhHulStand& PhHul();

// --- services of the frame's start-up, shut-down and folder change -----
// 1 (the equipment functions active) unless a test set 0.
int AppAktiv();
void PhAppAktivSetzen(int aktiv);
// Record pools and stock articles: no effect.
void KopfPoolInit();
void KopfPoolFrei();
void PruefPoolInit();
void PruefPoolFrei();
void LagerInit();
void LagerFrei();
void LagerNeuOeffnen();
