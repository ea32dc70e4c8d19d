// Exchange of the equipment texts with text files: the export of main and
// sub component text lines and stock articles in two line formats, the
// import with its four text modes, and their two dialogs "AppExtTxtExp" and
// "AppExtTxtImp". Prefix `BmTexte`, none for the openers. Calls equipment
// (store, items, components, texts, identifier rows, the name/number text
// table), config (defaults, paths), support, winlib.
#pragma once

#include <string>

inline constexpr int BMTTDATEISUP = 150;  // file name of the settings
inline constexpr int BMTTSCHLUESSELSUP = 20;
inline constexpr int BMTTTEXTSUP = 80;

struct bmexport {
    bool typ[6] = {true, true, true, true, true, true};  // item types 0..5
    bool lager = true;
    bool haupt = true;
    bool unter = true;
    int format = 1;
};

// The key of a line: "%04X:%s:%d".
std::string BmTexteSchluessel(uint32_t id, const char* code, int nr);
// Writes the file; the number of lines, or -1 when it could not be written
// (the old file stays).
int BmTexteExportieren(const char* pfad, const bmexport& o);
// 1 when the first word of the first line looks like a key, 0 otherwise,
// -1 when the file cannot be opened, -2 when its first block cannot be read.
int BmTexteFormat(const char* pfad);
// Modes: 0 leave, 1 only fill empty, 2 also overwrite, 3 overwrite and
// delete. The number of texts taken (committed), or -1 when the commit failed
// or the text file was read short (said; nothing taken).
int BmTexteImportieren(const char* pfad, int format, int textModus, int lagerModus);

void AppExtTxtExpOeffnen();
void AppExtTxtImpOeffnen();
