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
#include "equipment/lagerart.h"
#include "equipment/nzustext.h"
#include "equipment/wse.h"

struct BDAT;

// --- recording (tests) -------------------------------------------------
// Every recorded call as "Name(arg, ...)", in call order.
const std::vector<std::string>& PhAufrufe();
void PhAufrufeLoeschen();

// --- definitions (defs) ------------------------------------------------
inline constexpr int DEFTEXTSUP = 40;
struct PhDefinition {
    std::string bauteil, typ, kenn1, kenn2, kurz;  // header fields
    int zahl1 = 0, zahl2 = 0;
    std::vector<std::string> unter;                // sub-component lines
};
void PhDefinitionenSetzen(const std::vector<PhDefinition>& defs);

void DefInit();
void DefFrei();
void DefDateienSetzen();
// Header fields of definition n into 41-byte outputs (null ones skipped);
// all empty when n is out of range.
void DefFelderHolen(int n, char* bauteil, char* typ, char* kenn1, char* kenn2, char* kurz);
int DefZahlHolen(int n);
int DefZahl2Holen(int n);
typedef void (*DEFUNTERFN)(const char* zeile, void* benutzer);
void DefUnterDurchlaufen(int n, DEFUNTERFN fn, void* benutzer);

// --- component list display (nhuliste) ---------------------------------
// What the display was handed last (tests; read from nhuliste).
struct PhHulStand {
    int spalten = -1;
    int quelle[5] = {-1, -1, -1, -1, -1};
    int suchmodus = -1;
};
const PhHulStand& PhHul();
