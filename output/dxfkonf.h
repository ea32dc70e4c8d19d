// The DXF configuration file "dxfconfig.txt" of the program folder and the
// log "dxflog.txt" shared by the DXF export and import: the file's sections
// (the head copied into every export, the font, colour and line type
// mappings), the three import lookups, and the log beside the DXF file.
// Prefix `Dxf`. Calls config (program folder), support (files, bounded
// copies) and winlib (warning box).
//
// Sections start after ")S <name>" (the name compared ignoring case over the
// length of the wanted one) and end at a line beginning with ')'; lines
// beginning with ';' are comments. The file is read afresh by every export
// and import, so an edit takes effect at the next run.
#pragma once

#include <cstdint>

struct BDAT;

inline constexpr char DXFKONFIGNAME[] = "dxfconfig.txt";
inline constexpr char DXFLOGNAME[] = "dxflog.txt";
inline constexpr int DXFKZEILESUP = 256;    // characters of a configuration line
inline constexpr int DXFKNAMESUP = 35;      // characters of a name or file name in a row
inline constexpr int DXFSCHRIFTSUP = 11;    // Schrift rows
inline constexpr int DXFFARBEIMPSUP = 257;  // FarbeImp rows (colours 0..256)
inline constexpr int DXFFARBEEXPSUP = 20;   // FarbeExp rows
inline constexpr int DXFSTRICHSUP = 100;    // Strichart rows
inline constexpr int DXFMUSTERSUP = 9;      // pattern elements kept in a Strichart row

struct DxfSchriftZeile {
    char name[DXFKNAMESUP + 1];
    int32_t nr;
    char datei[DXFKNAMESUP + 1];
};

struct DxfFarbeImpZeile {
    int32_t farbe, stil, layer;
};

struct DxfFarbeExpZeile {
    int32_t stil, farbe;
    char layer[DXFKNAMESUP + 1];
};

struct DxfStrichZeile {
    int32_t nr;
    char name[DXFKNAMESUP + 1];
    double laenge;                   // total pattern length
    double element[DXFMUSTERSUP];
    int32_t anzahl;                  // elements kept
};

struct DxfKonfig {
    DxfSchriftZeile schrift[DXFSCHRIFTSUP];
    DxfFarbeImpZeile farbeImp[DXFFARBEIMPSUP];
    DxfFarbeExpZeile farbeExp[DXFFARBEEXPSUP];
    DxfStrichZeile strich[DXFSTRICHSUP];
};

// Reads the mapping sections into k from their presets (the import's
// Schrift row 0 is STANDARD, font 0). 0, or -1 after a warning naming the
// file when it cannot be read.
int DxfKonfigLesen(DxfKonfig* k, int fuerImport);
// The tables of the running import, read by DxfImpKonfig.
int DxfImpKonfig();
const DxfKonfig* DxfImpTabellen();
// Copies section "Kopf" (every line, empty ones too) to the output, CR LF
// after each; 0 or -1 when the file cannot be read or a write fails.
int DxfKopf(BDAT* aus);

// Import lookups of the running import's tables, names compared ignoring
// case as DXF names are; a missing key writes a log line once per import
// run (DxfImpKonfig starts one) and gives the fallback (font 0; pen style 0,
// layer 0; line type 7).
int DxfSchriftImp(const char* name);
void DxfFarbeImp(int farbe, int* stil, int* layer);
int DxfStrichartImp(const char* name);

// The log "dxflog.txt" in the DXF file's folder, opened for appending
// (made when missing); each entry is one line ended by CR LF. Writing
// without an open log does nothing; failures of the log are not reported.
void DxfLogPfad(const char* dxf, char* aus, int kap);
void DxfLogOeffnen(const char* dxf);
void DxfLog(const char* format, ...) __attribute__((format(printf, 1, 2)));
void DxfLogSchliessen();
void DxfLogLoeschen(const char* dxf);
