// Articles and parts lists (the article file "zvkL", or built from the
// text files of a stock system), the "@Y" equipment references and their
// short placeholders, and the sorted rows of all items for evaluations.
// Prefix `Art`, `Stl`, `BMSortiert`. Calls items (ges), components (btl),
// unassigned placements (wse, group texts), stock lines (lagerart), model
// (reference characters, drawing texts), config, support.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "equipment/btl.h"
#include "equipment/ges.h"
#include "support/sortier.h"

inline constexpr int ARTNRSUP = 20;
inline constexpr int ARTTEXTSUP = 80;
inline constexpr int ARTTEXTANZ = 10;
inline constexpr int STLARTANZ = 50;
inline constexpr int ARTZEILESUP = 2000;   // line read from an article file
inline constexpr int ARTKUERZELSUP = 80;   // placeholders are looked for here

struct artikel {
    char nr[ARTNRSUP + 1];
    char text[ARTTEXTANZ][ARTTEXTSUP + 1];
};
struct stueckliste {
    char nr[ARTNRSUP + 1];
    char art[STLARTANZ][ARTNRSUP + 1];
};

void ArtInit();
void ArtFrei();
int ArtDateiPruefen(const char* pfad);
// 0 read or already loaded; -1 when it cannot be opened or is no article
// file (both lists empty; the loaded path stays as before, so a later
// call tries again).
int ArtDateiLesen(const char* pfad);
// 0; -1 when no path is known, the file could not be written, or the file
// at the path exists and is no article file (it is left as it is).
int ArtDateiSchreiben();
const char* ArtDateiName();
int ArtAnzahl();
void ArtHolen(int i, artikel* a);
int ArtSuchen(const char* nr, artikel* a);
int StlAnzahl();
void StlHolen(int i, stueckliste* s);
int StlSuchen(const char* nr, stueckliste* s);
// The lists themselves for the article editor; call ArtSortieren after a
// change.
std::vector<artikel>& ArtListe();
std::vector<stueckliste>& StlListe();
void ArtSortieren();
int ArtAusTextdateien(const char* verz, const char* artdatei, const char* stldatei);

void ArtVerweisText(std::string& aus, uint32_t id, const char* feld, int nr, const char* sub, int nr2);
void ArtVerweisFeldSetzen(char* verweis, size_t kap, const char* text);
int PlatzhalterText(const char* text, int erweitert);
int ArtKuerzelParsen(std::string& token, uint32_t id, const char* sub, int nr, int q, int bk);
int ArtKuerzelErsetzen(std::string& text, uint32_t id, const char* sub, int nr, int q, int bk);
// The same on a bounded text: the result is cut to kap - 1.
int ArtKuerzelErsetzen(char* text, size_t kap, uint32_t id, const char* sub, int nr, int q, int bk);
// 1 when the reference text applies to item id and its component (code,
// number): the reference's id is the item's, and sub letters and a second
// number, where the reference has them, are the component's (a leading 'U'
// ignored on both). With the label mode a text beginning "@Q" applies and
// becomes the item's reference of field "B" in place (cut to kap - 1).
int YRefPruefen(char* text, size_t kap, uint32_t id, const char* code, int nr, int etikett);

// One row per item for sorted evaluations.
struct bmzeile {
    appgeraet g;
    appbteil h;
    char t6[41];
    char t7[41];
    char kennung[41];
    char pos[41];
    char stamm[41];
    int32_t flag;
};
typedef int (*BMFILTERFN)(const bmzeile* z, void* benutzer);
typedef void (*BMZEILEFN)(const bmzeile* z, void* benutzer);
int BMSortiertDurchlaufen(BMFILTERFN filter, BMZEILEFN aus, int auswahl, void* benutzer);
// The bytes of rows the sorted walk sorts in memory (64 MiB); more rows go
// through the external sort in the same order. Sets it; the previous value.
size_t BMSortiertSpeicherGrenze(size_t bytes);
// Sorts n records in memory into exactly the order msort (support/sortier)
// gives them, equal keys included: runs of MSORTPUFFERSUP bytes sorted by
// qsort, merged pairwise from the oldest with the later run's record first
// on equal keys.
void MsortWieExtern(void* basis, int32_t n, int32_t groesse, SORTVERGLFN vergl);

// The sort-mode services of the evaluation modes (registered by lists/);
// null restores the stand-ins (s / 100 clamped to 1..8, (s / 10) mod 10
// clamped to 0..8).
typedef int (*BMLSORTFN)(int auswahl);
void BmlSortHakenSetzen(BMLSORTFN modus1, BMLSORTFN modus2);
int BmlSortModus1(int auswahl);
int BmlSortModus2(int auswahl);
