// DXF import: an ASCII DXF file becomes a new drawing. Every entity is
// translated into lines of the drawing text language ("_BA", "ZL", "TKR",
// "TFA", ...), each parsed by TextZuBef and written the way drawing files
// store states: only the differences of the graphic state go out, just
// before the next drawing object. Colours, line types and text styles map
// to pen styles, layers, line types and fonts through "dxfconfig.txt";
// names missing there or in the DXF tables go to "dxflog.txt" beside the
// DXF file, once each, with a line per entity type left out. Names match
// ignoring case; texts are read as UTF-8 (AC1021 on) or by the file's code
// page and held in code page 1252. Blocks are expanded where they are
// inserted, up to 5 levels.
// Prefix `Dxf` (entry `DxfImport`). Calls the model (records, states,
// placement, geometry, drawing files), config (defaults set), support and
// winlib (progress dialog, warnings).
#pragma once

struct JusTrafo;
struct ZeiKopf;

inline constexpr int DXFTIEFESUP = 5;        // block levels below the ENTITIES section
inline constexpr int DXFIMPTEXTSUP = 255;    // characters of an entity's text
inline constexpr int DXFTEXTZEIGSUP = 60;    // characters of an imported text
inline constexpr int DXFTYPSUP = 32;         // characters of an entity type

// Imports the DXF file into the drawing (placement from the defaults keys
// "DIJusR", "DIJusX", "DIJusY", "DIJusS"). 0, or -1 after a warning: the DXF
// file cannot be read or is binary, the configuration is missing, or the
// drawing cannot be written; the drawing is then left as it was. When
// anything was left out (entity types the import does not take, entities on
// hidden layers, lines, arcs and circles under 0.1 with the scale that would
// keep them), texts were cut to 60 characters, points became a symbol the
// library lacks, the file's unit is not millimetres, or the drawing came
// out empty, a message says so at the end; "dxflog.txt" holds the details.
int DxfImport(const char* dxf, const char* zeichnung);

// The same with the placement last set (DxfPlatzierungSetzen), for callers
// that ask for it themselves; the header records `kopf` (nullptr: empty
// titles, format A3) are written with the drawing.
int DxfImportLauf(const char* dxf, const char* zeichnung, const ZeiKopf* kopf);

// Entities of a type the last run met, taken or left out (at every block
// level; attribute definitions inside blocks not counted).
long DxfLetzteAnzahl(const char* typ);

// The placement of the next import runs (DxfImport sets it from the keys).
void DxfPlatzierungSetzen(const JusTrafo* t);

// One generated line of the text language: parsed and written to the
// drawing of the running import.
using DxfZeileFn = void (*)(const char* zeile);
// The parser: reads the DXF file and hands every generated line to fn.
// 0, or -1 after a warning when the file cannot be read.
int DxfLesen(const char* dxf, DxfZeileFn fn);
// The line callback of DxfImport.
void DxfZeileUebernehmen(const char* zeile);

// Tests: with the check on, every record the import builds directly is
// compared with TextZuBef of its line; the number of differences.
void DxfDirektPruefen(int an);
long DxfDirektAbweichungen();
