// Drawing files: a 10-byte header ("zvkZ", u16 version, u32 data length D),
// the records in compact form, one format byte ('t'/'u') at 10 + D. Owns the
// file format, the open-file handle `ZeiDatei`, the header records ('w' and
// 'z') and their rewrite, the dump, the text export and import and the rules
// for drawing file names. Prefixes `Zei`, `Zat`. Calls the command records,
// the buffered files and file calls of support/, the file-system boundary
// (renames) and the directory kinds of config/.
//
// A file made by ZeiDateiAnlegen is written under a temporary name in the
// same folder and appears under its name only when ZeiDateiSchliessen
// succeeds (ZeiDateiVerwerfen drops it); a file opened by ZeiDateiOeffnen is
// appended in place.
#pragma once

#include <functional>

#include <cstddef>
#include <cstdint>

#include "support/bdatei.h"

struct BEF;

constexpr int ZEIPFADSUP = 200;     // characters of a drawing path
constexpr int ZEITITELSUP = 80;     // characters of a title line
constexpr int ZEIKURZSUP = 10;      // characters of the short text
constexpr int ZEIKOPFTEXTSUP = 40;  // characters of texts 10 and 11
constexpr int ZEIZEILESUP = 8000;   // characters of a text-form line read back
constexpr int ZEIVERSION = 10;      // version of a new file
constexpr int ZEIVERSIONMIN = 7;    // oldest version that takes appends

struct ZeiDatei {
    char pfad[ZEIPFADSUP + 1];  // full path
    int32_t version;            // in force; raised by appends
    int32_t laenge;             // data length D in force
    int32_t geaendert;          // header or format byte to be rewritten
    int32_t position;           // read/write position within the data
    int32_t format;             // 't' or 'u'
    BDAT datei;
    int32_t neu;                // made by ZeiDateiAnlegen (temporary until closed)
};

struct ZeiKopf {
    int32_t format;
    int32_t version;
    char titel[5][ZEITITELSUP + 1];
    char kurz[ZEIKURZSUP + 1];
    char text10[ZEIKOPFTEXTSUP + 1];
    char text11[ZEIKOPFTEXTSUP + 1];
};

int ZeiDateiAnlegen(ZeiDatei* z, const char* name);
// A new file whose bytes at ZeiDateiSchliessen equal the file it would
// replace leaves that file untouched (an evaluation that makes the same
// drawings again rewrites nothing). 0, or -1 for a file not made new.
int ZeiDateiNurWennAnders(ZeiDatei* z);
// A new drawing made in the caller's memory block of `kap` bytes in place
// of a file (for `name`, whose full path goes to `pfad`): nothing reaches
// the disk. After ZeiDateiSchliessen the block holds the file's
// ZeiDateiGroesse bytes; a record that does not fit fails. 0 or ERROR.
int ZeiDateiImSpeicher(ZeiDatei* z, const char* name, void* speicher, int32_t kap);
int32_t ZeiDateiGroesse(const ZeiDatei* z);
int ZeiDateiOeffnen(ZeiDatei* z, const char* name);
int ZeiDateiLesend(ZeiDatei* z, const char* name);
int ZeiBefLesen(ZeiDatei* z, BEF* b);
int ZeiBefSchreiben(ZeiDatei* z, const BEF* b);
void ZeiFormatSetzen(ZeiDatei* z, int format);
// A new drawing (format 't') of the records `lesen` gives until it answers
// non-zero, each passed through `fn` first when one is given: how a library
// component becomes a drawing. A failed write leaves no file; 0 or ERROR.
int ZeiAusSaetzen(const char* zeichnung, const std::function<int(BEF*)>& lesen, void (*fn)(BEF* b));
int ZeiFormat(const ZeiDatei* z);
int ZeiVersion(const ZeiDatei* z);
// Rewrites header and format byte when changed, closes; a new file then
// takes its name. 0, or -1 when a write, the close or the rename failed
// (a new file is then dropped and an older file of the name stays).
int ZeiDateiSchliessen(ZeiDatei* z);
// Closes without keeping anything of a new file (an opened file keeps what
// was written).
void ZeiDateiVerwerfen(ZeiDatei* z);

int ZeiDateiPruefen(const char* name);
int ZeiIstDatei(const char* name);
int ZeiKopfLesen(const char* name, ZeiKopf* k);
// What the header takes from one of its title (`ZAT`) or text (`ZTX`) records.
void ZeiKopfSatzNehmen(const BEF& b, ZeiKopf* k);
int ZeiKopfSchreiben(const char* name, const ZeiKopf* k);  // 1 or -1
// The header records of k (and its format) into a drawing being written,
// before its other records; 0 or -1.
int ZeiKopfSaetzeSchreiben(ZeiDatei* z, const ZeiKopf* k);
int ZeiDump(const char* zeichnung, const char* textpfad);
int ZeiAlsText(const char* zeichnung, const char* textpfad);
int ZeiAusText(const char* zeichnung, const char* textpfad);  // 1, 0 or -1

// 'w' texts: title line 0, short text, title line 1 joined by 0x1C. The
// outputs need ZEITITELSUP + 1, ZEIKURZSUP + 1 and ZEITITELSUP + 1 bytes.
void ZatTeilen(const char* w, char* titel0, char* kurz, char* titel1);
// Joins into a record text (at most 200 characters, 201 bytes).
void ZatBauen(char* aus, const char* kurz, const char* titel0, const char* titel1);

// Drawing names (outputs take their capacity).
void ZeiExtHolen(const char* name, char* ext, size_t kap);
void ZeiExtLoeschen(char* name);
void ZeiExtSetzen(char* name, size_t kap, const char* ext);
int ZeiNameHatPunkt(const char* name);
int ZeiNameTeilen(const char* name, char* stamm, size_t skap, char* rest, size_t rkap);
void ZeiNameOhnePfad(const char* name, char* aus, size_t kap);
void ZeiStamm(char* aus, size_t kap, const char* name);
int ZeiPfadGleich(const char* a, const char* b);
int ZeiNameGleich(const char* a, const char* b);
int ZeiDateiVergleich(const char* a, const char* b);
int ZeiNameVergleich(const char* a, const char* b);
int ZeiIstZeichnung(const char* name);
int ZeiNameGueltig(const char* name);

template <size_t N> void ZeiExtHolen(const char* name, char (&ext)[N]) { ZeiExtHolen(name, ext, N); }
template <size_t N> void ZeiExtSetzen(char (&name)[N], const char* ext) { ZeiExtSetzen(name, N, ext); }
template <size_t N> void ZeiNameOhnePfad(const char* name, char (&aus)[N]) { ZeiNameOhnePfad(name, aus, N); }
template <size_t N> void ZeiStamm(char (&aus)[N], const char* name) { ZeiStamm(aus, N, name); }
