// Command records `BEF` and the command table: every drawing element, state
// change, header record and editor command is one record whose shape the
// 200-row table gives. Owns the table, the compact binary codec (drawing and
// library files), the text form (macros, traces, text import, dumps), the
// mapping to compact file codes and the minimum file version. Prefix `Bef`.
// Calls the buffered files (support/bdatei.h) and the case map of platform/.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct BDAT;

constexpr int BEFCODESUP = 200;   // rows of the command table (codes 0..199)
constexpr int BEFINTSUP = 11;     // integer slots of a record
constexpr int BEFREALSUP = 10;    // real slots of a record
constexpr int BEFTEXTSUP = 200;   // characters of the text (208 bytes of room)
constexpr int BEFWORTSUP = 95;    // characters of one word of the text form

// Codes named as characters elsewhere.
enum : uint8_t {
    BEF_ZL = 40,
    BEF__KRE = 60,
    BEF__RTK = 61,
    BEF__GRF = 66,
    BEF_KRE = 67,
    BEF_RTK = 68,
    BEF_GRF = 69,
    BEF_ZA3 = 116,
    BEF_ZA4 = 117,
    BEF_VER = 118,
    BEF_ZAT = 119,
    BEF_ZTX = 122,
};

// The text byte that joins the three texts of a `ZAT` record.
constexpr char BEFZATTRENNER = 0x1C;

struct BEF {
    uint8_t code;                // row of the command table
    uint8_t sub;                 // sub-code; 0 for rows without the sub flag
    int32_t iarg[BEFINTSUP];     // a row uses the first n (n <= 8)
    double darg[BEFREALSUP];     // a row uses the first m (m <= 8)
    char text[208];              // NUL-terminated, at most BEFTEXTSUP characters
};

// Table lookups. A code above 199 gives "?" as name and 0 for every column.
const char* BefName(int code);
const char* BefName(int code, char* puffer, size_t kap);  // copies the name too ("" for > 199)
int BefCode(const char* mnemonik);  // exact, case counts; -1 when none; "" gives 0
int BefIstObjekt(int code);
int BefMakro(int code);
int BefHatSub(int code);
int BefAnzInt(int code);
int BefAnzReal(int code);
int BefHatText(int code);
int BefNeutral(int code);
int BefZehntel(int code, int i);  // bit i (from 0) of the tenths mask

// Code groups.
int BefFormat(int code);       // 116, 117
int BefIstText(int code);      // 50..57
int BefIstTextS(int code);     // 54..57
int BefIstZB(int code);        // 80..86
int BefIstZBRH(int code);      // 80..88
int BefIstKopfSatz(int code);  // 16, 17, 119, 122
int BefGleicheArt(int a, int b);

// 1 when the used fields of the two records are equal.
int BefGleich(const BEF* a, const BEF* b);

// Puts a caller's text into the record, cut to BEFTEXTSUP characters.
void BefTextSetzen(BEF* b, const char* text);

// Compact file codes: 67/68/69 with a zero second integer (67 also with two
// equal doubles) become 60/61/66, and back.
void BefDateiForm(const BEF* ein, BEF* aus);
void BefAusDateiForm(const BEF* ein, BEF* aus);
int BefMindestVersion(const BEF* b);  // 0, 8, 9 or 10 (record in file form)

// Compact codec at the file's position; both return the byte count
// 1 [+1] + 2n + 8m [+2+L]. BefSchreiben returns -1 when a write failed.
int BefSchreiben(BDAT* d, const BEF* b);
int BefLesen(BDAT* d, BEF* b);

// Text form. BefZuText gives the whole line (no length limit); the
// capacity form cuts it to kap - 1 characters and returns the full length.
std::string BefZuText(const BEF* b);
int BefZuText(const BEF* b, char* puffer, size_t kap);
// Parses one line (of any length); 0, or -1 for an unknown mnemonic (the
// record stays zeroed).
int TextZuBef(BEF* b, const char* zeile);
// The number of a version line ("VER 10"), -1 for any other line.
int BefVersionZeile(const char* zeile);
