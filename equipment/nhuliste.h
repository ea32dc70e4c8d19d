// Component lists and identifiers: the kind-code predicates and letter
// codec, the identifier builder (templates, counters, placement texts,
// group texts), the equipment-list line with its widths and loaded texts,
// the ordered component walk of an item and the cross-reference texts of
// placements. Prefixes `Btl` (codec, component sort), `BMKennung`, `Hul`,
// `Nhu`. Calls the store (bm), items (ges), components (btl), texts (gtx),
// placements and group texts (wse), articles (nartikel), the counter index
// (hauspindex), the titles and header cache (utitel), model (positions,
// pages, placeholders) and support.
//
// Names that model/'s service table also carries as call wrappers
// (BMKennungHolen, BMKennungPosition, HulTrennzeichen, HulVerweisPositionen,
// BtlIstUnter) have their bodies here under the prefix `Nhu`;
// NhuDiensteEintragen puts them, HulMarkenFiltern (MarkenTeil),
// HulVerweisText (BtlPositionText) and HulSeitenText (BtlPositionAlt) into
// the table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct appbteil;
struct appgeraet;
struct ModDienste;

int BtlIstHaupt(const char* code);   // "H..."
int NhuIstUnter(const char* code);   // 'U' or 'a'..'z' first
int BtlIstU(const char* code);
int BtlIstDispo(const char* code);
int BtlIstPrinzip(const char* code);
int BtlIstK(const char* code);
int BtlIstL(const char* code);
int BtlIstZ(const char* code);

// "a".."z" 0..25; two letters c0 c1: (c0 - 96) * 26 + (c1 - 97); "" 0.
int BtlBuchstabenNr(const char* buchstaben);
// The inverse: n < 26 one letter, else the letter 96 + n / 26 and 'a' + n % 26.
void BtlBuchstabenCode(char* ziel, size_t kap, int n);
// A leading 'U' ignored on both; other lengths by letter number, else bytes.
int BtlUnterVergleich(const char* a, const char* b);

// ---- identifiers -------------------------------------------------------------
inline constexpr int HULKENNSUP = 40;     // identifier as stored and shown
inline constexpr char HULMARKEAUF = 0x02; // around group-text parts
inline constexpr char HULMARKEZU = 0x03;

// Builds the identifier of an item (whole, uncut); the level 0..9. Without
// an item record: "%04X" of the id and 0.
int BMKennungBilden(std::string& ziel, uint32_t id);
// "---" with equipment use off; else `ft`, or the built identifier; markers
// removed; cut to kap - 1.
void NhuKennungHolen(char* ziel, size_t kap, uint32_t id);
// As NhuKennungHolen with the markers kept; `ft` or level 0 put the main
// placement's drawing stem in front when it is not the current drawing's.
int NhuKennungPosition(char* ziel, size_t kap, uint32_t id);
int HulHatMarke(const char* text);
void HulMarkenEntfernen(char* text);
// Mode 0 without markers, 1 outside the brackets, 2 inside them.
void HulMarkenFiltern(char* ziel, size_t kap, const char* text, int modus);
// Splits at the last ' ', '/', '-' or '.' (not at position 0); trimmed.
void BMKennungTeilen(const char* text, std::string& haupt, std::string& zaehler);
void NhuTrennzeichen(char* text, size_t kap, const char* stamm);
// The counter text of count k in style "BMzkenn" (letters go on "AA").
std::string HulZaehlerText(int k, int stil);

// ---- component walk ------------------------------------------------------------
inline constexpr int APLSUP = 1000;  // entries of one item
typedef void (*HULBTLFN)(const appbteil* b, void* benutzer);
void HulBauteileDurchlaufen(uint32_t id, int modus, HULBTLFN fn, void* benutzer);
// External sort of component records: main entries first, unplaced before
// placed, then by mode (clamped 0..2) 0 code, position, text; 1 position,
// code, text; 2 text, position, code. 0, or -1 when it cannot start.
int BtlSortStart(int modus);
int BtlSortDazu(const appbteil* b);
// Finishes the sort; fn per record in order. 0, or -1 on a failure.
int BtlSortEnde(HULBTLFN fn, void* benutzer);
// Line 99 (raw or processed), else the entry's `bs`.
void BtlText99(const appbteil* b, int roh, char* ziel, size_t kap);

// ---- list lines --------------------------------------------------------------------
inline constexpr int HULZEILESUP = 80;   // visible columns
inline constexpr int HULLADESUP = 200;   // loaded texts
void HulBreitenInit(int spalten);
void HulSpalteSetzen(int spalte, int quelle);
void HulSuchModusSetzen(int modus);
int HulTextSpalten();
int HulSpalteQuelle(int spalte);  // 0..11, -1 when out of range
int HulSuchModus();
void HulBreitenMerken();
int HulBreitenGeaendert();
int HulKennBreite();     // longest identifier
int HulKennBreite20();   // longest of at most 20
int HulExtraBreite();
// Builds a list line (80 visible columns, then "%-10d %d").
void HulZeileFormatieren(const appgeraet* g, std::string& ziel, int typtext, int posmodus, const char* extra);
// The same line from the item's identifier (NhuKennungHolen) and main entry
// (BtlSuchen "H" 0) at hand, as the identifier rows carry them.
void HulZeileFormatierenMit(const appgeraet* g, const char* kenn, const appbteil* haupt, std::string& ziel,
                            int typtext, int posmodus, const char* extra);
void HulZeilePosition(uint32_t id, std::string& zeile, int posmodus);
uint32_t HulZeileId(const char* zeile);
void HulZeileLaden(const char* zeile);
int HulZeileSuchen(const char* such, int modus);
int HulSpaltenText(int spalte, char* ziel, size_t kap);
// Line n (1 .. HulTextSpalten() - 1) of the row loaded last, as
// HulSpaltenText gives it; valid until the next call.
const char* HulZeileText(int n);

// ---- cross references ----------------------------------------------------------
void HulVerweisText(char* ziel, size_t kap, uint32_t id, const char* code, int nr);
void HulSeitenText(char* ziel, size_t kap, uint32_t id, const char* code, int nr, int modus);
int HulVerweisSuchen(appbteil* vorher, appbteil* nachher, const appbteil* b);
void NhuVerweisPositionen(char* a, char* b, size_t kap, uint32_t id, const char* code, int nr, int modus);

// Fills the entries of model/'s service table that this module serves.
void NhuDiensteEintragen(ModDienste* d);
// Installs those entries and the extra-column count of config/'s hooks
// (HulTextSpalten), keeping every other entry.
void NhuDiensteSetzen();
