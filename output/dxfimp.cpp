// DXF import; see dxfimp.h. One run at a time: the run state below lives
// from DxfLesen's start to its end, the two graphic states and the drawing
// from DxfImport's start to its end.
//
// The file is read once into memory. Group-code pairs are read through a
// cursor; a table entry or block is "reopened" by a second cursor at the
// offset its name line was indexed at, so entries stay unparsed until used.
//
// Invariants of a run:
//  1. Every number taken from the file is finite (anything else reads 0) and
//     every record written holds finite doubles only; angles become
//     integers only after they are brought into one turn.
//  2. Names (layers, line types, styles, blocks) are kept whole; texts and
//     types are cut to their fields.
//  3. The block depth is restored on every way out of a block, and the work
//     of block expansion is bounded by the size of the file (a block that
//     inserts itself many times cannot run away).
//  4. The drawing is written under a temporary name and appears only when
//     the whole run succeeded; its header records go first, so it is
//     written once.
//  5. Names are compared ignoring case (DXF names are); each table entry is
//     read from the file at most once per run (DxfTabCache), and a name
//     missing anywhere is logged once.
//  6. Every name and text is decoded by the file's encoding (UTF-8 from
//     AC1021 on, else $DWGCODEPAGE) into code page 1252 before use.
//  7. Every entity of the file is either taken or counted by type as left
//     out, and so is every element dropped under 0.1, every text cut and
//     every point placed as a symbol the library lacks; the counts reach the
//     log and the closing message.
#include "output/dxfimp.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "config/vorgaben.h"
#include "model/bauteil.h"
#include "model/befehl.h"
#include "model/flach.h"
#include "model/geometri.h"
#include "model/justage.h"
#include "model/zeichnun.h"
#include "model/zustand.h"
#include "output/dxfkonf.h"
#include "output/dxfzahl.h"
#include "platform/cp1252.h"
#include "support/basis.h"
#include "support/bdatei.h"
#include "support/dosdatei.h"
#include "support/fileload.h"
#include "support/pfade.h"
#include "support/speicher.h"
#include "support/texte.h"
#include "support/vergleich.h"
#include "winlib/langdlg.h"
#include "winlib/meldung.h"

namespace {

constexpr double DXFZAHLMAX = 1e12;   // numbers beyond are cut to it
constexpr int DXFINTMAX = 1000000;
constexpr long DXFPUMPE = 4096;       // lines between two runs of the progress pump
constexpr long DXFBLOCKBUDGET = 64;   // block pairs read per pair of the file

// ---- numbers ----

std::string_view dxfTrim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// A value into a field of kap bytes: cut, NUL-terminated.
void dxfFeld(char* ziel, size_t kap, std::string_view w)
{
    const size_t n = std::min(w.size(), kap - 1);
    if (n > 0) std::memcpy(ziel, w.data(), n);
    ziel[n] = '\0';
}

double dxfKappen(double v) { return v > DXFZAHLMAX ? DXFZAHLMAX : v < -DXFZAHLMAX ? -DXFZAHLMAX : v; }

double dxfZahl(std::string_view s)
{
    s = dxfTrim(s);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    double v = 0;
    if (!dxfzahl::dezimal(s.data(), s.data() + s.size(), &v)) {
        auto r = std::from_chars(s.data(), s.data() + s.size(), v);
        if (r.ec != std::errc() || !std::isfinite(v)) return 0;
    }
    return dxfKappen(v);
}

int dxfGanzAus(double zahl)
{
    const double v = dxfzahl::abschneiden(zahl);
    return static_cast<int>(v > DXFINTMAX ? DXFINTMAX : v < -DXFINTMAX ? -DXFINTMAX : v);
}

int dxfGanz(std::string_view s) { return dxfGanzAus(dxfZahl(s)); }

// Tenths are whole tenths, cut as the drawing format asks; a value a mere
// floating-point remainder below (or above) a whole tenth is that tenth
// (44.99999999999999 degrees is 45, not 44.9).
int dxfZehntelSchnitt(double zehntel)
{
    const double r = dxfzahl::runden(zehntel);
    return static_cast<int>(std::fabs(zehntel - r) <= 1e-9 ? r : dxfzahl::abschneiden(zehntel));
}

// Degrees to tenths within one turn.
int dxfZehntel(double grad)
{
    if (!std::isfinite(grad)) return 0;
    return dxfZehntelSchnitt(std::fmod(grad, 360.0) * 10);
}

// "%.4f" without the process locale.
std::string dxfF(double v)
{
    char t[400];
    auto r = std::to_chars(t, t + sizeof t - 1, v, std::chars_format::fixed, 4);
    return std::string(t, r.ptr);
}

// ---- records and run state ----

// The entity types the import tells apart, classified once when the type
// is read (the type's text stays for the report).
enum DxfArt : uint8_t {
    DXA_LEER, DXA_LINE, DXA_TEXT, DXA_ARC, DXA_POINT, DXA_CIRCLE, DXA_SOLID, DXA_POLYLINE, DXA_ATTRIB, DXA_INSERT,
    DXA_DIMENSION, DXA_ATTDEF, DXA_VERTEX, DXA_SEQEND, DXA_ENDBLK, DXA_ANDERE, DXA_SUP
};

// w is exactly the literal t: the length first, then bytes the compiler
// compares in place (string_view's == calls memcmp, once per entity).
template <size_t N> bool dxfIst(std::string_view w, const char (&t)[N])
{
    return w.size() == N - 1 && std::memcmp(w.data(), t, N - 1) == 0;
}

DxfArt dxfArt(std::string_view t)
{
    // By length and first letter: one comparison for each type.
    auto ist = [&t](const auto& n, DxfArt a) { return dxfIst(t, n) ? a : DXA_ANDERE; };
    switch (t.size()) {
    case 0: return DXA_LEER;
    case 3: return ist("ARC", DXA_ARC);
    case 4: return t[0] == 'L' ? ist("LINE", DXA_LINE) : ist("TEXT", DXA_TEXT);
    case 5: return t[0] == 'P' ? ist("POINT", DXA_POINT) : ist("SOLID", DXA_SOLID);
    case 6:
        switch (t[0]) {
        case 'C': return ist("CIRCLE", DXA_CIRCLE);
        case 'I': return ist("INSERT", DXA_INSERT);
        case 'V': return ist("VERTEX", DXA_VERTEX);
        case 'S': return ist("SEQEND", DXA_SEQEND);
        case 'E': return ist("ENDBLK", DXA_ENDBLK);
        case 'A': return t[3] == 'R' ? ist("ATTRIB", DXA_ATTRIB) : ist("ATTDEF", DXA_ATTDEF);
        default: return DXA_ANDERE;
        }
    case 8: return ist("POLYLINE", DXA_POLYLINE);
    case 9: return ist("DIMENSION", DXA_DIMENSION);
    default: return DXA_ANDERE;
    }
}

struct DxfElement {
    std::string text;   // as the file holds it; decoded when it is emitted
    double p[4][3];
    double w[4];        // values 40..43
    double winkel[2];   // angles 50, 51 (degrees)
    int farbe, folge, flags;
    char typ[DXFTYPSUP + 1];
    DxfArt art;         // of typ
    std::string layer, ltype, style, block;
    double basisX, basisY;
};

void DxfElementLeeren(DxfElement* e)
{
    std::memset(e->p, 0, sizeof e->p);
    std::memset(e->w, 0, sizeof e->w);
    e->winkel[0] = e->winkel[1] = 0;
    e->farbe = e->folge = e->flags = 0;
    e->basisX = e->basisY = 0;
    // " " marks a name not given; a name of one character is overwritten in
    // place rather than assigned.
    for (std::string* n : {&e->text, &e->layer, &e->ltype, &e->style}) {
        if (n->size() == 1) {
            (*n)[0] = ' ';
        } else {
            n->assign(1, ' ');
        }
    }
    e->typ[0] = '\0';
    e->art = DXA_LEER;
    e->block.clear();
}

void dxfTypSetzen(DxfElement* e, std::string_view w)
{
    // The type as its field holds it (cut, and up to a NUL in it).
    w = w.substr(0, std::min(w.size(), sizeof e->typ - 1));
    w = w.substr(0, std::min(w.size(), w.find('\0')));
    dxfFeld(e->typ, sizeof e->typ, w);
    e->art = dxfArt(w);
}

bool dxfGegeben(const std::string& name) { return name.size() != 1 || name[0] != ' '; }

// DXF names (layers, line types, styles, blocks, header variables) are
// compared ignoring case.
bool dxfGleich(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i] && zgross(static_cast<unsigned char>(a[i])) != zgross(static_cast<unsigned char>(b[i]))) return false;
    }
    return true;
}

std::string dxfSchluessel(std::string_view name)
{
    std::string k(name);
    for (char& c : k) c = static_cast<char>(zgross(static_cast<unsigned char>(c)));
    return k;
}

enum { DXF_BLOCK, DXF_LAYER, DXF_STYLE, DXF_LTYPE, DXF_INDEXSUP };

// How the file's bytes are to be read: UTF-8 from AC1021 on, else by its
// $DWGCODEPAGE.
enum { DXF_CP1252, DXF_CP850, DXF_UTF8 };

// One table entry as read from the file, once per run.
struct DxfTabEintrag {
    bool da;            // false: the name is not in the table
    std::string ltype;  // a layer's line type
    int farbe, flags;   // a layer's colour and flags
};

// The table cache: the last entry read of each kind (its layer colour and
// line type are the current ones), and every entry read so far by name, so
// that switching between layers never reads an entry twice.
struct DxfTabCache {
    std::string layer, layerLtype, ltype, style;
    int layerFarbe, layerFlags;
    std::unordered_map<std::string, DxfTabEintrag> gelesen[DXF_INDEXSUP];
};

// Entity types the import takes; every other one is counted as left out
// (VERTEX, SEQEND and ENDBLK belong to the entity before them).
bool dxfTypGenommen(DxfArt a, int stufe)
{
    return (a >= DXA_LINE && a <= DXA_DIMENSION) || (a == DXA_ATTDEF && stufe == 0);
}

bool dxfTypTeil(DxfArt a, int stufe)
{
    return a == DXA_LEER || a == DXA_VERTEX || a == DXA_SEQEND || a == DXA_ENDBLK || (a == DXA_ATTDEF && stufe > 0);
}

// What a run took and left out, for the log and the end message.
struct DxfBericht {
    std::map<std::string, long, std::less<>> fehlt;   // types left out, with their counts
    std::map<std::string, long, std::less<>> genommen;
    long ausgeblendet;  // entities on layers that are off or frozen
    long entitaeten;    // entities of the ENTITIES section
    int insunits;       // $INSUNITS, -1 when the file gives none
    // Elements under 0.1 left out, by the entity they came from, and for
    // each the import scale (percent) that would have kept it (infinite:
    // none would, a point or an arc of equal angles).
    std::map<std::string, long, std::less<>> klein;
    std::vector<double> kleinSkala;
    double skala;       // the import scale of the run, percent
    std::map<std::string, long, std::less<>> gekuerzt;  // texts cut to 60 characters, by type
    // Points placed as a symbol the drawing's library does not hold, by
    // symbol name.
    std::map<std::string, long, std::less<>> punktFehlt;
};

struct DxfCursor {
    const char* p;
    const char* ende;
    // The value of the last pair as dxfZahl reads it, where the pair reader
    // read it on its way to the line's end (zahlDa).
    double zahl = 0;
    bool zahlDa = false;
};

struct DxfLauf {
    const char* daten;
    long laenge;
    DxfZeileFn fn;
    std::unordered_map<std::string, long> index[DXF_INDEXSUP];  // by dxfSchluessel of the name
    DxfTabCache cache;
    int kodierung;
    std::string codepage;
    std::set<std::string> gemeldet;  // log lines written once per run
    DxfBericht bericht;
    std::string ltype, style;  // current
    int farbe, pdmode;
    int letzteFarbe;
    std::string letzteLtype, letzterStyle;
    int tiefe;
    bool begonnen;
    bool header, tables, table, inLayer, inLtype, inStyle, blocks, inBlock, entities;
    std::string headerVar;
    // Records of the pen, layer, line-type and font lines met in this run,
    // by their text: the same line parses to the same record.
    std::unordered_map<std::string, BEF> gemerkt;
    std::unordered_map<int, std::pair<std::string, std::string>> farbeSaetze;  // by colour: its two lines
    const char* quelle;  // the entity type whose elements are being emitted
    bool poly, polyZu, polyErster, naechsteZu;
    double fx, fy, vx, vy, vb;
    DxfElement rec[DXFTIEFESUP + 1];
    // Entities taken, by type: counted here, and into the report's map by
    // name at the end of the run.
    long genommen[DXA_SUP];
    long budget;
    std::map<std::string, bool, std::less<>> symbole;  // library symbols looked up, found or not
};

DxfLauf* dxfL = nullptr;
JusTrafo dxfJus = {0, 0.0, 0.0, 1.0};
DxfBericht dxfLetzterBericht;  // of the last run, for the end message

// A log line once per run (per key, the line itself when none is given):
// a name missing a thousand times is one line.
void dxfLogEinmal(const std::string& zeile, const std::string& schluessel = std::string())
{
    if (dxfL->gemeldet.insert(schluessel.empty() ? zeile : schluessel).second) DxfLog("%s", zeile.c_str());
}

void dxfUtf8(std::string* u, char32_t z)
{
    // A control character is a blank; NUL and a lone surrogate are no
    // character at all (the replacement character, '?' in the end).
    if (z < 0x20) z = z == 0 ? 0xFFFD : ' ';
    if (z >= 0xD800 && z <= 0xDFFF) z = 0xFFFD;
    if (z < 0x80) {
        *u += static_cast<char>(z);
    } else if (z < 0x800) {
        *u += static_cast<char>(0xC0 | (z >> 6));
        *u += static_cast<char>(0x80 | (z & 0x3F));
    } else if (z < 0x10000) {
        *u += static_cast<char>(0xE0 | (z >> 12));
        *u += static_cast<char>(0x80 | ((z >> 6) & 0x3F));
        *u += static_cast<char>(0x80 | (z & 0x3F));
    } else {
        *u += '?';
    }
}

// CAD programs write the diameter sign as U+2300; code page 1252 has none,
// and "%%c" gives 0xF8 for it, so U+2300 is 0xF8 too.
constexpr char32_t DXFDURCHMESSER = 0x2300;

int dxfHex(char c)
{
    return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

// A value of the file as a text of the system (code page 1252): the bytes
// read by the file's encoding, "\U+xxxx" as its character, and in texts the
// control codes %%d, %%p, %%c and %%% as degree, plus-minus, diameter
// (0xF8) and percent. A character code page 1252 lacks becomes '?', with one log line
// for the text.
std::string dxfDekodieren(std::string_view w, bool text)
{
    bool einfach = true;
    for (char c : w) {
        if (static_cast<unsigned char>(c) >= 0x80 || c == '\\' || (text && c == '%')) {
            einfach = false;
            break;
        }
    }
    if (einfach) return std::string(w);
    std::string u;  // UTF-8
    if (dxfL->kodierung == DXF_UTF8 && plCpUtf8Gueltig(w)) {
        u = w;
    } else if (dxfL->kodierung == DXF_CP850) {
        std::string a(w);
        for (char& c : a) c = static_cast<char>(ZeichenOemAnsi(static_cast<unsigned char>(c)));
        u = plCpNachUtf8(a);
    } else {
        u = plCpNachUtf8(w);
    }
    std::string v;
    v.reserve(u.size());
    for (size_t i = 0; i < u.size(); ++i) {
        if (u[i] == '\\' && i + 6 < u.size() && (u[i + 1] == 'U' || u[i + 1] == 'u') && u[i + 2] == '+') {
            int h[4] = {dxfHex(u[i + 3]), dxfHex(u[i + 4]), dxfHex(u[i + 5]), dxfHex(u[i + 6])};
            if (h[0] >= 0 && h[1] >= 0 && h[2] >= 0 && h[3] >= 0) {
                const char32_t z = static_cast<char32_t>(h[0] << 12 | h[1] << 8 | h[2] << 4 | h[3]);
                dxfUtf8(&v, z == DXFDURCHMESSER ? 0xF8 : z);
                i += 6;
                continue;
            }
        }
        if (u.compare(i, 3, "\xE2\x8C\x80") == 0) {  // the diameter sign itself, in UTF-8
            dxfUtf8(&v, 0xF8);
            i += 2;
            continue;
        }
        if (text && u[i] == '%' && i + 2 < u.size() && u[i + 1] == '%') {
            const char k = static_cast<char>(zklein(static_cast<unsigned char>(u[i + 2])));
            const char32_t z = k == 'd' ? 0xB0 : k == 'p' ? 0xB1 : k == 'c' ? 0xF8 : k == '%' ? '%' : 0;
            if (z != 0) {
                dxfUtf8(&v, z);
                i += 2;
                continue;
            }
        }
        v += u[i];
    }
    int ersetzt = 0;
    std::string r = plCpAusUtf8(v, &ersetzt);
    if (ersetzt > 0) {
        dxfLogEinmal("\"" + r + "\": " + std::to_string(ersetzt) +
                     " Zeichen ohne Entsprechung in Codepage 1252 durch '?' ersetzt");
    }
    return r;
}

// The end of the line that starts at p: its LF, or ende. Lines are short,
// so eight bytes are looked at a time rather than calling memchr per line.
inline const char* dxfZeilenEnde(const char* p, const char* ende)
{
    constexpr uint64_t eins = 0x0101010101010101ull, hoch = 0x8080808080808080ull, lf = eins * '\n';
    while (ende - p >= 8) {
        uint64_t w;
        std::memcpy(&w, p, 8);
        const uint64_t x = w ^ lf;
        const uint64_t t = (x - eins) & ~x & hoch;
        if (t != 0) return p + (__builtin_ctzll(t) >> 3);
        p += 8;
    }
    while (p < ende && *p != '\n') ++p;
    return p;
}

// One line from the cursor on, without its CR LF or LF; false at the end
// of the data.
bool dxfZeile(DxfCursor* c, std::string_view* z)
{
    if (c->p >= c->ende) return false;
    const char* e = dxfZeilenEnde(c->p, c->ende);
    std::string_view s(c->p, static_cast<size_t>(e - c->p));
    if (!s.empty() && s.back() == '\r') s.remove_suffix(1);
    *z = s;
    c->p = e < c->ende ? e + 1 : c->ende;
    return true;
}

// The code line at the cursor (there is one); -1 for a line that is no
// number, which no rule takes.
int dxfCodeZeile(DxfCursor* c)
{
    // Three wide, blanks in front, then CR LF or LF, as nearly every writer
    // gives it: read without a branch on the digits.
    if (c->ende - c->p >= 8) {
        uint64_t w;
        std::memcpy(&w, c->p, 8);
        const unsigned b0 = w & 0xFF, b1 = (w >> 8) & 0xFF, b2 = (w >> 16) & 0xFF;
        const unsigned d0 = b0 - '0', d1 = b1 - '0', d2 = b2 - '0';
        const bool z0 = d0 <= 9, z1 = d1 <= 9, l0 = b0 == ' ', l1 = b1 == ' ';
        const bool drei = (d2 <= 9) & ((z1 & (z0 | l0)) | (l1 & l0));
        const unsigned ende = (w >> 24) & 0xFFFF;
        const int lang = ende == ('\r' | '\n' << 8) ? 5 : (ende & 0xFF) == '\n' ? 4 : 0;
        if (drei && lang != 0) {
            c->p += lang;
            return static_cast<int>((z0 ? d0 : 0) * 100 + (z1 ? d1 : 0) * 10 + d2);
        }
    }
    // Blanks, up to six digits, CR LF or LF.
    const char* q = c->p;
    while (q < c->ende && *q == ' ') ++q;
    int v = 0;
    const char* ziffern = q;
    while (q < c->ende && q - ziffern < 6 && *q >= '0' && *q <= '9') v = v * 10 + (*q++ - '0');
    if (q > ziffern && q < c->ende && *q == '\r') ++q;
    if (q > ziffern && q < c->ende && *q == '\n') {
        c->p = q + 1;
        return v;
    }
    // Anything else: the trimmed line, all of it a number.
    std::string_view k;
    dxfZeile(c, &k);
    k = dxfTrim(k);
    auto r = std::from_chars(k.data(), k.data() + k.size(), v);
    return (r.ec == std::errc() && r.ptr == k.data() + k.size()) ? v : -1;
}

// Reads one pair; false at the end of the data. A code line that is no
// number gives code -1, which no rule takes.
bool dxfPaar(DxfCursor* c, int* code, std::string_view* wert)
{
    if (c->p >= c->ende) return false;
    *code = dxfCodeZeile(c);
    // Codes 10 to 79 hold numbers, nearly always a plain decimal (after
    // blanks) right up to the line's end: read as the line is passed, not
    // looked at twice.
    c->zahlDa = false;
    if (static_cast<unsigned>(*code - 10) < 70u) {
        const char* a = c->p;
        while (a < c->ende && *a == ' ') ++a;
        dxfzahl::Ziffern z;
        const char* s = dxfzahl::lesen(a, c->ende, &z);
        const char* weiter = s == nullptr || z.ziffern == 0 ? nullptr
                             : s == c->ende                ? s
                             : *s == '\n'                  ? s + 1
                             : *s == '\r' && s + 1 < c->ende && s[1] == '\n' ? s + 2
                                                                            : nullptr;
        double v;
        if (weiter != nullptr && dxfzahl::wert(z, &v)) {
            *wert = std::string_view(a, static_cast<size_t>(s - a));
            c->zahl = dxfKappen(v);
            c->zahlDa = true;
            c->p = weiter;
            return true;
        }
    }
    std::string_view w;
    if (!dxfZeile(c, &w)) w = std::string_view("", 0);  // a code line at the very end
    // Texts keep their blanks; every other value is trimmed.
    *wert = *code == 1 ? w : dxfTrim(w);
    return true;
}

// ---- lines ----
//
// Every generated line goes to the line callback. Lines, positions, arcs and
// circles, the bulk of a file, skip their text form when the callback is
// the import's own: their record is built as TextZuBef would build it from
// the line (each number passes through the same four-decimal text), and
// handed on directly. DxfDirektPruefen compares both ways for the tests.

void dxfBefUebernehmen(const BEF* b);

int dxfPruefen = 0;
long dxfAbweichungen = 0;

bool dxfDirekt() { return dxfL->fn == DxfZeileUebernehmen; }

void dxfAus(const std::string& zeile) { dxfL->fn(zeile.c_str()); }

// A setting line that repeats with every change of layer or colour: parsed
// once a run (the import's own callback), its record handed on again.
void dxfAusGemerkt(const std::string& zeile)
{
    if (dxfL->fn != DxfZeileUebernehmen) {
        dxfAus(zeile);
        return;
    }
    auto it = dxfL->gemerkt.find(zeile);
    if (it == dxfL->gemerkt.end()) {
        BEF b;
        if (TextZuBef(&b, zeile.c_str()) != 0 || b.code == 0) {
            dxfAus(zeile);  // says it was not understood
            return;
        }
        it = dxfL->gemerkt.emplace(zeile, b).first;
    }
    dxfBefUebernehmen(&it->second);
}

// What "%.4f" and reading its text back give, without making the text:
// the text rounds the exact binary value to a whole number of ten-
// thousandths (ties to even), reading it back divides that whole number by
// 10,000 in one correctly rounded step. false (nothing set) where the
// ten-thousandths do not fit the double's integers exactly.
bool dxfViertausendstel(double v, double* r)
{
    const double p = v * 10000;
    if (!(std::fabs(p) < 0x1p52)) return false;
    const double fehler = std::fma(v, 10000, -p);  // v x 10,000 = p + fehler exactly
    double n = dxfzahl::rundenGerade(p);
    const double rest = p - n;  // exact; the true rest is rest + fehler
    // Exact signs of (rest + fehler - 0.5) and (rest + fehler + 0.5): each
    // inner difference is exact wherever it is near 0.5.
    const double oben = (rest - 0.5) + fehler, unten = (rest + 0.5) + fehler;
    const bool ungerade = (static_cast<int64_t>(n) & 1) != 0;
    if (oben > 0 || (oben == 0 && ungerade)) {
        n += 1;
    } else if (unten < 0 || (unten == 0 && ungerade)) {
        n -= 1;
    }
    const double z = n / 10000;
    // The text of a negative value keeps its sign even as "-0.0000".
    *r = z == 0 ? std::copysign(0.0, v) : z;
    return true;
}

// A number as the text form carries it: its value read back from the text,
// and the text itself where a line is made (text untouched otherwise).
double dxfZahl4(double v, std::string* text)
{
    const bool zeile = !dxfDirekt() || dxfPruefen;
    if (zeile) *text = dxfF(v);
    double r = 0;
    if (dxfViertausendstel(v, &r)) return r;
    if (!zeile) *text = dxfF(v);
    std::from_chars(text->data(), text->data() + text->size(), r);
    return r;
}

// Hands a built record on; the line is made only when it is needed.
void dxfHeiss(const BEF& b, const std::string& zeile)
{
    if (dxfPruefen) {
        BEF t;
        TextZuBef(&t, zeile.c_str());
        if (std::memcmp(&t, &b, sizeof t) != 0) ++dxfAbweichungen;
    }
    dxfBefUebernehmen(&b);
}

BEF dxfLeer(int code)
{
    BEF b;
    flachNullen(&b);
    b.code = static_cast<uint8_t>(code);
    return b;
}

// A coordinate as the text form carries it (four decimals).
double dxfRund(double v) { return dxfzahl::runden(v * 10000) / 10000; }

void dxfZwei(int code, const char* name, double x, double y)
{
    std::string tx, ty;
    BEF b = dxfLeer(code);
    b.darg[0] = dxfZahl4(x, &tx);
    b.darg[1] = dxfZahl4(y, &ty);
    if (dxfDirekt()) {
        dxfHeiss(b, dxfPruefen ? std::string(name) + " " + tx + " " + ty : std::string());
    } else {
        dxfAus(std::string(name) + " " + tx + " " + ty);
    }
}

// "TR n" (whole degrees, a record in tenths), "TG h", "TV w".
void dxfEins(int code, const char* name, int n, double v)
{
    BEF b = dxfLeer(code);
    std::string t;
    if (code == 31) {
        b.iarg[0] = n * 10;
        t = std::to_string(n);
    } else {
        b.darg[0] = dxfZahl4(v, &t);
    }
    if (dxfDirekt()) {
        dxfHeiss(b, dxfPruefen ? std::string(name) + " " + t : std::string());
    } else {
        dxfAus(std::string(name) + " " + t);
    }
}

void dxfBa(double x, double y)
{
    JusPunkt(&dxfJus, &x, &y);
    dxfZwei(21, "_BA", dxfRund(x), dxfRund(y));
}

// ZL from a to b, both through the placement. The vector is taken between
// the points as "_BA" writes them, so that a chain of segments ends where
// the next one starts and no rounding adds up along it.
void dxfZl(double ax, double ay, double bx, double by)
{
    JusPunkt(&dxfJus, &ax, &ay);
    JusPunkt(&dxfJus, &bx, &by);
    dxfZwei(BEF_ZL, "ZL", dxfRund(bx) - dxfRund(ax), dxfRund(by) - dxfRund(ay));
}

// "TKR a b r r" (whole degrees) or "KRE 0 r r".
void dxfRund2(int code, int a, int e, double r)
{
    std::string tr;
    BEF b = dxfLeer(code);
    b.darg[0] = b.darg[1] = dxfZahl4(r, &tr);
    std::string zeile;
    if (code == 64) {
        b.iarg[0] = a * 10;
        b.iarg[1] = e * 10;
        if (!dxfDirekt() || dxfPruefen) zeile = "TKR " + std::to_string(a) + " " + std::to_string(e) + " " + tr + " " + tr;
    } else if (!dxfDirekt() || dxfPruefen) {
        zeile = "KRE 0 " + tr + " " + tr;
    }
    if (dxfDirekt()) {
        dxfHeiss(b, zeile);
    } else {
        dxfAus(zeile);
    }
}

void dxfTkr(double cx, double cy, int a, int b, double r)
{
    dxfBa(cx, cy);
    dxfRund2(64, JusWinkel(&dxfJus, a) / 10, JusWinkel(&dxfJus, b) / 10, JusMass(&dxfJus, std::fabs(r)));
}

// ---- tables ----

// Reads the table entry of that kind and name into the cache. Each entry
// is read from the file once per run and kept by name; a name missing from
// the table is logged once.
void DxfTabEintragLesen(int art, const std::string& name)
{
    DxfLauf& L = *dxfL;
    DxfTabCache& C = L.cache;
    const std::string& zuletzt = art == DXF_LAYER ? C.layer : art == DXF_LTYPE ? C.ltype : C.style;
    if (dxfGleich(zuletzt, name)) return;
    const std::string schluessel = dxfSchluessel(name);
    auto g = C.gelesen[art].find(schluessel);
    if (g == C.gelesen[art].end()) {
        DxfTabEintrag t{false, std::string(), 0, 0};
        auto it = L.index[art].find(schluessel);
        if (it == L.index[art].end()) {
            char zeile[300];
            std::snprintf(zeile, sizeof zeile,
                          art == DXF_LAYER   ? "Layer %.250s nicht gefunden"
                          : art == DXF_LTYPE ? "Ltype %.250s nicht gefunden"
                                             : "Style %.250s nicht gefunden",
                          name.c_str());
            dxfLogEinmal(zeile);
        } else {
            t.da = true;
            DxfCursor c = {L.daten + it->second, L.daten + L.laenge};
            int code;
            std::string_view w;
            while (dxfPaar(&c, &code, &w) && code != 0) {
                if (art != DXF_LAYER) continue;
                if (code == 6) t.ltype = dxfDekodieren(w, false);
                if (code == 62) t.farbe = dxfGanz(w);
                if (code == 70) t.flags = dxfGanz(w);
            }
        }
        g = C.gelesen[art].emplace(schluessel, std::move(t)).first;
    }
    const DxfTabEintrag& t = g->second;
    if (!t.da) return;
    if (art == DXF_LAYER) {
        C.layer = name;
        C.layerLtype = t.ltype;
        C.layerFarbe = t.farbe;
        C.layerFlags = t.flags;
        // The layer's colour and line type are the current ones.
        L.farbe = C.layerFarbe;
        if (!C.layerLtype.empty()) L.ltype = C.layerLtype;
    } else if (art == DXF_LTYPE) {
        C.ltype = name;
    } else {
        C.style = name;
    }
}

void dxfIndex(int art, std::string_view name, long pos)
{
    // The first entry of a name stays.
    dxfL->index[art].emplace(dxfSchluessel(dxfDekodieren(name, false)), pos);
}

// ---- blocks and entities ----

int DxfGruppe(int stufe, int code, std::string_view wert, const DxfCursor* c = nullptr);

void DxfBlockLesen(const std::string& name)
{
    DxfLauf& L = *dxfL;
    if (L.tiefe >= DXFTIEFESUP) return;
    auto it = L.index[DXF_BLOCK].find(dxfSchluessel(name));
    if (it == L.index[DXF_BLOCK].end()) {
        dxfLogEinmal("Block " + name + " nicht gefunden", "BLOCK:" + dxfSchluessel(name));
        return;
    }
    if (L.budget <= 0) {
        DxfLog("Block %s nicht eingefuegt (zu viele Einfuegungen)", name.c_str());
        return;
    }
    ++L.tiefe;
    const int stufe = L.tiefe;
    DxfCursor c = {L.daten + it->second, L.daten + L.laenge};
    DxfElement& e = L.rec[stufe];
    DxfElementLeeren(&e);
    int code;
    std::string_view w;
    bool typDa = false;
    while (dxfPaar(&c, &code, &w)) {
        if (--L.budget < 0) break;
        if (code == 0 && (dxfIst(w, "ENDSEC") || dxfIst(w, "EOF"))) break;  // a block without ENDBLK
        if (!typDa) {
            if (code == 10) L.rec[stufe - 1].basisX = dxfZahl(w);
            if (code == 20) L.rec[stufe - 1].basisY = dxfZahl(w);
            if (code == 0) {
                dxfTypSetzen(&e, w);
                typDa = true;
            }
            continue;
        }
        if (DxfGruppe(stufe, code, w, &c) == 1) break;
    }
    --L.tiefe;
}

void dxfTransform(int n)
{
    DxfLauf& L = *dxfL;
    DxfElement& e = L.rec[n];
    for (int l = n - 1; l >= 0; --l) {
        const DxfElement& ins = L.rec[l];
        if (ins.art == DXA_DIMENSION) break;
        const double sx = ins.w[1], sy = ins.w[2], sz = ins.w[3], rot = ins.winkel[0];
        for (auto& p : e.p) {
            p[0] -= ins.basisX;
            p[1] -= ins.basisY;
            if (sx != 0) p[0] *= sx;
            if (sy != 0) p[1] *= sy;
        }
        if (sz != 0) e.w[0] *= sz;
        if (sx >= 0) {
            e.winkel[0] += rot;
            e.winkel[1] += rot;
        } else {
            const double a0 = e.winkel[0];
            e.winkel[0] = 180 - e.winkel[1] + rot;
            e.winkel[1] = 180 - a0 + rot;
        }
        const int r = dxfZehntel(rot);
        for (auto& p : e.p) {
            if (r != 0 && (p[0] != 0 || p[1] != 0)) Drehen(r, &p[0], &p[1]);
            p[0] += ins.p[0][0];
            p[1] += ins.p[0][1];
        }
        if (e.w[0] != 0 && sx != 0) e.w[0] *= sx;
    }
}

// The arc of a polyline segment with a bulge: centre, radius and angles
// (tenths). false when the ends coincide or the circle has no centre.
bool DxfBogenAusWoelbung(GeoPunkt p0, GeoPunkt p1, double b, GeoPunkt* c, double* r, int* a, int* e)
{
    if (p0.x == p1.x && p0.y == p1.y) return false;
    const GeoPunkt m = {(p0.x + p1.x) / 2, (p0.y + p1.y) / 2};
    const GeoPunkt s = {m.x + b / 2 * (p1.y - p0.y), m.y + b / 2 * (p0.x - p1.x)};
    GeoGerade g1, g2;
    Mittelsenkrechte(&g1, p0, s);
    Mittelsenkrechte(&g2, s, p1);
    if (GeradenSchnitt(c, &g1, &g2) != 0) return false;
    *r = VektorLaenge(p0.x - c->x, p0.y - c->y);
    *a = VektorWinkel(p0.x - c->x, p0.y - c->y);
    *e = VektorWinkel(p1.x - c->x, p1.y - c->y);
    if (b < 0) std::swap(*a, *e);
    return std::isfinite(*r);
}

void dxfSegment(double x0, double y0, double x1, double y1, double bulge)
{
    if (bulge == 0) {
        dxfBa(x0, y0);
        dxfZl(x0, y0, x1, y1);
        return;
    }
    GeoPunkt c;
    double r;
    int a, e;
    if (!DxfBogenAusWoelbung({x0, y0}, {x1, y1}, bulge, &c, &r, &a, &e)) return;
    dxfTkr(c.x, c.y, a, e, r);
}

void DxfVertexZeilen(const DxfElement& e)
{
    DxfLauf& L = *dxfL;
    if (!L.poly) return;
    L.quelle = "POLYLINE";
    const double x = e.p[0][0], y = e.p[0][1];
    if (L.polyErster) {
        L.fx = x;
        L.fy = y;
        L.polyErster = false;
    } else {
        dxfSegment(L.vx, L.vy, x, y, L.vb);
    }
    L.vx = x;
    L.vy = y;
    L.vb = e.w[2];
}

void DxfPolylinieSchliessen()
{
    DxfLauf& L = *dxfL;
    L.quelle = "POLYLINE";
    if (L.polyZu && !L.polyErster) dxfSegment(L.vx, L.vy, L.fx, L.fy, L.vb);
    L.poly = L.polyZu = false;
    L.polyErster = true;
}

void dxfZaehlen(std::map<std::string, long, std::less<>>* m, std::string_view typ);

void dxfText(const DxfElement& e)
{
    std::string t = dxfDekodieren(e.text, true);
    if (t.size() > static_cast<size_t>(DXFIMPTEXTSUP)) t.resize(DXFIMPTEXTSUP);
    for (char& c : t) {
        if (c == '"') c = ' ';
    }
    if (t.size() > static_cast<size_t>(DXFTEXTZEIGSUP)) {
        t.resize(DXFTEXTZEIGSUP);
        dxfZaehlen(&dxfL->bericht.gekuerzt, e.typ);
    }
    dxfBa(e.p[0][0], e.p[0][1]);
    dxfEins(31, "TR", JusWinkel(&dxfJus, dxfZehntel(e.winkel[0])) / 10, 0);
    dxfEins(30, "TG", 0, JusMass(&dxfJus, std::fabs(e.w[0])));
    dxfEins(32, "TV", 0, e.w[1] == 0 ? 1.0 : e.w[1]);
    dxfAus("TFA \"" + t + "\"");
}

void DxfElementAusgeben(int n)
{
    DxfLauf& L = *dxfL;
    DxfElement& e = L.rec[n];
    const int farbe = e.farbe >= 1 ? e.farbe : L.farbe;
    if (farbe != L.letzteFarbe) {
        L.letzteFarbe = farbe;
        // A colour's pen and layer records, looked up once a run.
        auto it = L.farbeSaetze.find(farbe);
        if (it == L.farbeSaetze.end()) {
            int stil, layer;
            DxfFarbeImp(farbe, &stil, &layer);
            it = L.farbeSaetze.emplace(farbe, std::pair{"ST " + std::to_string(stil), "LAY " + std::to_string(layer)}).first;
        }
        dxfAusGemerkt(it->second.first);
        dxfAusGemerkt(it->second.second);
    }
    const std::string& ltype = dxfGegeben(e.ltype) ? e.ltype : L.ltype;
    if (ltype != L.letzteLtype) {
        L.letzteLtype = ltype;
        dxfAusGemerkt("SA " + std::to_string(DxfStrichartImp(ltype.c_str())));
    }
    if (L.style != L.letzterStyle) {
        dxfAusGemerkt("TS  " + std::to_string(DxfSchriftImp(L.style.c_str())));
        L.letzterStyle = L.style;
    }
    if (n > 0) dxfTransform(n);
    // The type as it was on entry.
    const DxfArt art = e.art;
    if (art != DXA_VERTEX && L.poly) DxfPolylinieSchliessen();
    L.quelle = e.typ;
    const double x1 = e.p[0][0], y1 = e.p[0][1];
    if (art == DXA_POLYLINE) {
        L.poly = true;
        L.polyZu = (e.flags & 1) != 0;
        L.polyErster = true;
    } else if (art == DXA_VERTEX) {
        DxfVertexZeilen(e);
    } else if (art == DXA_LINE) {
        dxfBa(x1, y1);
        dxfZl(x1, y1, e.p[1][0], e.p[1][1]);
    } else if (art == DXA_CIRCLE) {
        dxfBa(x1, y1);
        dxfRund2(67, 0, 0, JusMass(&dxfJus, std::fabs(e.w[0])));
    } else if (art == DXA_ARC) {
        dxfTkr(x1, y1, dxfZehntel(e.winkel[0]), dxfZehntel(e.winkel[1]), e.w[0]);
    } else if (art == DXA_TEXT || (art == DXA_ATTRIB && !(e.flags & 1)) ||
               (art == DXA_ATTDEF && n == 0 && !(e.flags & 1))) {
        dxfText(e);
    } else if (art == DXA_POINT) {
        dxfBa(x1, y1);
        dxfAus("ZB \"PUNKT" + std::to_string(L.pdmode) + "\"");
    } else if (art == DXA_SOLID) {
        const auto& p = e.p;
        dxfBa(x1, y1);
        dxfZl(p[0][0], p[0][1], p[1][0], p[1][1]);
        dxfZl(p[1][0], p[1][1], p[3][0], p[3][1]);
        if (p[2][0] != p[3][0] || p[2][1] != p[3][1]) dxfZl(p[3][0], p[3][1], p[2][0], p[2][1]);
        dxfZl(p[2][0], p[2][1], p[0][0], p[0][1]);
    }
}

void dxfNameSetzen(std::string* ziel, std::string_view w)
{
    // A plain ASCII name is itself: no text in between.
    for (char c : w) {
        if (static_cast<unsigned char>(c) >= 0x80 || c == '\\') {
            *ziel = dxfDekodieren(w, false);
            return;
        }
    }
    ziel->assign(w.data(), w.size());
}

// A text value as the file holds it, cut to what an entity's text can show
// (kept whole in its characters: a UTF-8 sequence is not split).
void dxfTextSetzen(std::string* ziel, std::string_view w)
{
    constexpr size_t roh = 4 * DXFIMPTEXTSUP;
    if (w.size() > roh) {
        size_t n = roh;
        while (n > 0 && (static_cast<unsigned char>(w[n]) & 0xC0) == 0x80) --n;
        w = w.substr(0, n);
    }
    ziel->assign(w.data(), w.size());
}

void dxfZaehlen(std::map<std::string, long, std::less<>>* m, std::string_view typ)
{
    auto it = m->find(typ);
    if (it == m->end()) it = m->emplace(std::string(typ), 0).first;
    ++it->second;
}


// A pair of the entity at that block level; c, where given, is the cursor
// that read it (its number already read). 1 at the block's end.
int DxfGruppe(int stufe, int code, std::string_view wert, const DxfCursor* c)
{
    DxfLauf& L = *dxfL;
    DxfElement& e = L.rec[stufe];
    auto zahl = [&] { return c != nullptr && c->zahlDa ? c->zahl : dxfZahl(wert); };
    auto ganz = [&] { return c != nullptr && c->zahlDa ? dxfGanzAus(c->zahl) : dxfGanz(wert); };
    switch (code) {
    case 10: case 11: case 12: case 13: e.p[code - 10][0] = zahl(); return 0;
    case 20: case 21: case 22: case 23: e.p[code - 20][1] = zahl(); return 0;
    case 30: case 31: case 32: case 33: e.p[code - 30][2] = zahl(); return 0;
    case 40: case 41: case 42: case 43: e.w[code - 40] = zahl(); return 0;
    case 50: case 51: e.winkel[code - 50] = zahl(); return 0;
    case 66: e.folge = ganz(); return 0;
    case 70: e.flags = ganz(); return 0;
    case 1: dxfTextSetzen(&e.text, wert); return 0;
    case 2: dxfNameSetzen(&e.block, wert); return 0;
    case 6:
        if (!dxfGleich(wert, "BYBLOCK") && !dxfGleich(wert, "BYLAYER")) {
            dxfNameSetzen(&e.ltype, wert);
            DxfTabEintragLesen(DXF_LTYPE, e.ltype);
        }
        return 0;
    case 7:
        dxfNameSetzen(&e.style, wert);
        L.style = e.style;
        DxfTabEintragLesen(DXF_STYLE, e.style);
        return 0;
    case 8:
        dxfNameSetzen(&e.layer, wert);
        if (!dxfGleich(e.layer, L.cache.layer)) {
            DxfTabEintragLesen(DXF_LAYER, e.layer);
            if (!L.cache.layerLtype.empty() && dxfGleich(L.cache.layer, e.layer)) {
                e.ltype = L.cache.layerLtype;
                DxfTabEintragLesen(DXF_LTYPE, e.ltype);
            }
        }
        return 0;
    case 62:
        if (!dxfGleich(wert, "BYBLOCK") && !dxfGleich(wert, "BYLAYER")) e.farbe = ganz();
        return 0;
    case 0: break;
    default: return 0;
    }
    if (stufe == 0 && !L.begonnen) {
        L.begonnen = true;
        dxfTypSetzen(&e, wert);
        return 0;
    }
    if (stufe == 0 && !dxfTypTeil(e.art, 0)) ++L.bericht.entitaeten;
    if (e.art == DXA_INSERT || e.art == DXA_DIMENSION) {
        ++L.genommen[e.art];
        char anzeige[80];
        std::snprintf(anzeige, sizeof anzeige, "Block %.40s / %d", e.block.c_str(), stufe);
        wiLangText(anzeige);
        DxfBlockLesen(e.block);
        DxfElementLeeren(&e);
    } else if (e.art == DXA_ENDBLK) {
        DxfElementLeeren(&e);
        return 1;
    } else {
        // A layer that is off (negative colour) or frozen (bit 1) hides it.
        const bool aus = L.farbe < 0 || (dxfGleich(e.layer, L.cache.layer) && (L.cache.layerFlags & 1));
        if (!dxfTypTeil(e.art, stufe)) {
            if (!dxfTypGenommen(e.art, stufe)) {
                dxfZaehlen(&L.bericht.fehlt, e.typ);
            } else if (aus) {
                ++L.bericht.ausgeblendet;
            } else {
                ++L.genommen[e.art];
            }
        }
        if (!aus) DxfElementAusgeben(stufe);
        DxfElementLeeren(&e);
    }
    if (dxfIst(wert, "ENDBLK")) return 1;
    if (dxfIst(wert, "ENDSEC") && stufe == 0) {
        L.entities = false;
        return 0;
    }
    dxfTypSetzen(&e, wert);
    return 0;
}

void DxfHeader(int code, std::string_view wert)
{
    DxfLauf& L = *dxfL;
    const std::string& var = L.headerVar;
    if (code == 9) {
        L.headerVar = dxfSchluessel(wert);
    } else if (code == 0 && wert == "ENDSEC") {
        L.header = false;
    } else if (code == 1 && var == "$ACADVER") {
        // From AC1021 (R2007) on a DXF file is UTF-8 whatever its code page.
        if (wert.size() == 6 && wert.substr(0, 2) == "AC" && wert >= "AC1021") L.kodierung = DXF_UTF8;
    } else if (code == 3 && var == "$DWGCODEPAGE") {
        L.codepage = dxfSchluessel(wert);
        if (L.kodierung != DXF_UTF8) {
            if (L.codepage == "DOS850" || L.codepage == "DOS437") {
                L.kodierung = DXF_CP850;
            } else if (L.codepage != "ANSI_1252" && !L.codepage.empty()) {
                dxfLogEinmal("Codepage " + L.codepage + " nicht unterst\xFC" "tzt, als ANSI_1252 gelesen");
            }
        }
    } else if (code == 6 && var == "$CELTYPE") {
        L.ltype = dxfDekodieren(wert, false);
    } else if (code == 7 && var == "$TEXTSTYLE") {
        L.style = dxfDekodieren(wert, false);
    } else if (code == 62 && var == "$CECOLOR") {
        L.farbe = dxfGanz(wert);
    } else if (code == 70 && var == "$PDMODE") {
        L.pdmode = dxfGanz(wert);
    } else if (code == 70 && var == "$INSUNITS") {
        L.bericht.insunits = dxfGanz(wert);
    }
}

void DxfTabIndex(int art, int code, std::string_view wert, long pos)
{
    DxfLauf& L = *dxfL;
    if (art == DXF_BLOCK) {
        if (code == 0 && wert == "ENDSEC") L.blocks = false;
        if (code == 0) L.inBlock = wert == "BLOCK";
        else if (code == 2 && L.inBlock) dxfIndex(DXF_BLOCK, wert, pos);
        return;
    }
    if (code == 0 && (wert == "ENDTAB" || wert == "ENDSEC")) {
        L.table = L.inLayer = L.inLtype = L.inStyle = false;
        if (wert == "ENDSEC") L.tables = false;
    } else if (code == 2) {
        dxfIndex(art, wert, pos);
    }
}

void dxfTabellenZeile(int code, std::string_view w, long pos)
{
    DxfLauf& L = *dxfL;
    if (L.table) {
        if (L.inLayer) DxfTabIndex(DXF_LAYER, code, w, pos);
        else if (L.inLtype) DxfTabIndex(DXF_LTYPE, code, w, pos);
        else if (L.inStyle) DxfTabIndex(DXF_STYLE, code, w, pos);
    }
    if (!L.tables) return;
    if (L.table) {
        if (code == 0 && (w == "LAYER" || w == "STYLE" || w == "LTYPE")) {
            L.inLayer = w == "LAYER";
            L.inStyle = w == "STYLE";
            L.inLtype = w == "LTYPE";
        } else if (code == 0 && w == "ENDTAB") {
            L.table = L.inLayer = L.inLtype = L.inStyle = false;
        }
    } else if (code == 0) {
        if (w == "TABLE") L.table = true;
        else if (w == "ENDSEC") L.tables = false;
    }
}

void dxfLaufStart(DxfLauf* L, const char* daten, long laenge, DxfZeileFn fn)
{
    L->daten = daten;
    L->laenge = laenge;
    L->fn = fn;
    L->ltype = "CONTINUOUS";
    L->style = "STANDARD";
    L->farbe = L->pdmode = L->letzteFarbe = 0;
    L->tiefe = 0;
    L->polyErster = true;
    L->budget = DXFBLOCKBUDGET * (laenge / 4 + 1);
    L->kodierung = DXF_CP1252;
    L->bericht.insunits = -1;
    L->bericht.skala = dxfJus.mass * 100;
    for (DxfElement& e : L->rec) DxfElementLeeren(&e);
}

// $INSUNITS: the unit's name and the factor that makes it millimetres.
struct DxfEinheit {
    const char* name;
    double mm;
};
constexpr DxfEinheit dxfEinheiten[] = {
    {"ohne Einheit", 0},   {"Zoll", 25.4},          {"Fu\xDF", 304.8},       {"Meilen", 1609344},
    {"Millimeter", 1},     {"Zentimeter", 10},      {"Meter", 1000},         {"Kilometer", 1e6},
    {"Mikrozoll", 2.54e-5}, {"Mil", 0.0254},        {"Yard", 914.4},         {"Angstr\xF6m", 1e-7},
    {"Nanometer", 1e-6},   {"Mikrometer", 1e-3},    {"Dezimeter", 100},      {"Dekameter", 1e4},
    {"Hektometer", 1e5},   {"Gigameter", 1e12},     {"Astronomische Einheiten", 1.495978707e14},
    {"Lichtjahre", 9.4607304725808e18}, {"Parsec", 3.0856775814913673e19}, {"US-Fu\xDF", 304.8006096},
};

const DxfEinheit* dxfEinheit(int insunits)
{
    const int n = static_cast<int>(sizeof dxfEinheiten / sizeof dxfEinheiten[0]);
    return insunits >= 0 && insunits < n ? &dxfEinheiten[insunits] : nullptr;
}

// A factor as a German number: "25,4", "0,0254", "1000".
std::string dxfFaktorText(double f)
{
    char t[64];
    std::snprintf(t, sizeof t, "%.10g", f);
    std::string s = t;
    for (char& c : s) {
        if (c == '.') c = ',';
    }
    return s;
}

// The smallest of 1, 2 or 5 times a power of ten at or above p.
double dxfSkalaRunden(double p)
{
    if (!(p > 0) || !std::isfinite(p)) return p;
    double z = std::pow(10.0, std::floor(std::log10(p)));
    for (;;) {
        for (double f : {1.0, 2.0, 5.0}) {
            if (f * z >= p * (1 - 1e-9)) return f * z;
        }
        z *= 10;
    }
}

// What a larger import scale would have kept of the elements under 0.1,
// one sentence each (no full stop): the scale of the file's unit when it
// keeps some, and the scale that keeps all that any scale would keep.
std::vector<std::string> dxfKleinHinweise(const DxfBericht& b)
{
    std::vector<std::string> h;
    long moeglich = 0;
    double groesste = 0;
    for (double p : b.kleinSkala) {
        if (!std::isfinite(p)) continue;
        ++moeglich;
        groesste = std::max(groesste, p);
    }
    if (moeglich == 0) return h;
    const long alle = static_cast<long>(b.kleinSkala.size());
    auto satz = [&](const std::string& skala, long n) {
        const std::string wer = n < alle     ? (n == 1 ? "bliebe " : "blieben ") + std::to_string(n) + " davon"
                                : alle == 1 ? "bliebe es"
                                            : "blieben sie";
        return "Mit Skalierung " + skala + " % " + wer + " erhalten";
    };
    const DxfEinheit* e = dxfEinheit(b.insunits);
    if (e != nullptr && e->mm > 1 && e->mm * 100 > b.skala) {
        const double einheit = e->mm * 100;
        const long n = std::count_if(b.kleinSkala.begin(), b.kleinSkala.end(),
                                     [&](double p) { return p <= einheit * (1 + 1e-9); });
        if (n > 0) {
            h.push_back(satz(dxfFaktorText(einheit), n) + " (Faktor " + dxfFaktorText(e->mm) + " der Einheit " + e->name +
                        ")");
        }
        if (n == moeglich) return h;
    }
    h.push_back(satz(dxfFaktorText(dxfSkalaRunden(groesste)), moeglich));
    return h;
}

// "A 1, B 2" of a count by type.
std::string dxfListe(const std::map<std::string, long, std::less<>>& m)
{
    std::string t;
    for (const auto& [typ, n] : m) t += (t.empty() ? "" : ", ") + typ + " " + std::to_string(n);
    return t;
}

// One log line per type left out, the entities on hidden layers, the
// elements under 0.1 and the scale that would keep them, the texts cut,
// the points without their symbol, and the file's unit.
void dxfBerichtLoggen(const DxfBericht& b)
{
    for (const auto& [typ, n] : b.fehlt) DxfLog("%s: %ld nicht \xFC" "bernommen", typ.c_str(), n);
    for (const auto& [typ, n] : b.klein) DxfLog("%s: %ld unter 0,1 mm nicht \xFC" "bernommen", typ.c_str(), n);
    for (const std::string& h : dxfKleinHinweise(b)) DxfLog("%s", h.c_str());
    for (const auto& [typ, n] : b.gekuerzt) DxfLog("%s: %ld auf %d Zeichen gek\xFCrzt", typ.c_str(), n, DXFTEXTZEIGSUP);
    for (const auto& [name, n] : b.punktFehlt) {
        DxfLog("POINT: %ld als Symbol %s gesetzt, das die Bauteilbibliothek nicht enth\xE4lt", n, name.c_str());
    }
    if (b.ausgeblendet > 0) {
        DxfLog("Auf ausgeschalteten oder gefrorenen Layern: %ld nicht \xFC" "bernommen", b.ausgeblendet);
    }
    if (b.insunits >= 0) {
        const DxfEinheit* e = dxfEinheit(b.insunits);
        if (e == nullptr) {
            DxfLog("Einheit der Datei: unbekannt ($INSUNITS %d)", b.insunits);
        } else if (e->mm == 0) {
            DxfLog("Einheit der Datei: %s ($INSUNITS 0)", e->name);
        } else {
            DxfLog("Einheit der Datei: %s ($INSUNITS %d), Faktor %s ergibt Millimeter", e->name, b.insunits,
                   dxfFaktorText(e->mm).c_str());
        }
    }
}

// A file written in the binary form of DXF starts with this line.
constexpr char DXFBINAER[] = "AutoCAD Binary DXF";

bool dxfIstBinaer(const char* daten, long laenge)
{
    const long n = static_cast<long>(sizeof DXFBINAER - 1);
    return laenge >= n && std::memcmp(daten, DXFBINAER, static_cast<size_t>(n)) == 0;
}

void dxfBinaerMelden(const char* dxf)
{
    wiMeldung("Die DXF-Datei %s ist bin\xE4" "r gespeichert. Importiert werden DXF-Dateien im Textformat (ASCII); "
              "speichern Sie die Zeichnung im CAD-Programm als ASCII-DXF.",
              dxf);
}

}  // namespace

void DxfPlatzierungSetzen(const JusTrafo* t) { dxfJus = *t; }

int DxfLesen(const char* dxf, DxfZeileFn fn)
{
    char* block = nullptr;
    long laenge = 0;
    if (dateiladen(dxf, &block, &laenge) != 0) {
        wiMeldung("DXF-Datei %s nicht gefunden.", dxf);
        return ERROR;
    }
    if (dxfIstBinaer(block, laenge)) {
        ffree(block);
        dxfBinaerMelden(dxf);
        return ERROR;
    }
    auto* L = new DxfLauf();
    dxfLaufStart(L, block, laenge, fn);
    dxfL = L;
    DxfLogOeffnen(dxf);
    DxfLog("%s", dxf);
    wiLangStart("Import DXF-Datei");
    DxfCursor c = {block, block + laenge};
    int code;
    std::string_view w;
    long zeilen = 0, gezeigt = -1;
    // The percentage is worked out only from the first position that can
    // reach the next tenth not yet shown: below it no tenth is due.
    long grenze = 0;
    auto grenzeFuer = [laenge](long zehntel) {
        return laenge > 0 ? static_cast<long>((static_cast<long long>(zehntel) * laenge + 99) / 100) : 0;
    };
    while (dxfPaar(&c, &code, &w)) {
        const long pos = static_cast<long>(c.p - block);
        const long prozent =
            pos < grenze ? gezeigt : laenge > 0 ? static_cast<long>(static_cast<long long>(pos) * 100 / laenge) : 100;
        if (prozent != gezeigt && prozent % 10 == 0) {
            gezeigt = prozent;
            grenze = grenzeFuer(prozent + 10);
            char t[32];
            std::snprintf(t, sizeof t, "%ld %%", prozent);
            wiLangText(t);
            wiLangPumpe();
        } else {
            if (pos >= grenze) grenze = grenzeFuer((prozent / 10 + 1) * 10);
            if (++zeilen % DXFPUMPE == 0) wiLangPumpe();
        }
        if (code == 0 && dxfIst(w, "EOF")) break;
        if (L->blocks) DxfTabIndex(DXF_BLOCK, code, w, pos);
        if (L->header) {
            DxfHeader(code, w);
        } else if (L->entities) {
            DxfGruppe(0, code, w, &c);
        } else if (L->tables) {
            dxfTabellenZeile(code, w, pos);
        } else if (!L->blocks && code == 2) {
            if (w == "HEADER") L->header = true;
            else if (w == "BLOCKS") L->blocks = true;
            else if (w == "TABLES") L->tables = true;
            else if (w == "ENTITIES") {
                L->entities = true;
                DxfElementLeeren(&L->rec[0]);
            }
        }
    }
    // The last entity of a file cut before ENDSEC or EOF is still complete.
    if (L->entities) DxfGruppe(0, 0, "ENDSEC");
    if (L->poly) DxfPolylinieSchliessen();
    wiLangEnde();
    static constexpr const char* artName[DXA_SUP] = {"",       "LINE",   "TEXT",   "ARC",    "POINT",  "CIRCLE",
                                                     "SOLID",  "POLYLINE", "ATTRIB", "INSERT", "DIMENSION",
                                                     "ATTDEF", "VERTEX", "SEQEND", "ENDBLK", ""};
    for (int a = DXA_LINE; a < DXA_SUP; ++a) {
        if (L->genommen[a] > 0) L->bericht.genommen[artName[a]] += L->genommen[a];
    }
    dxfBerichtLoggen(L->bericht);
    dxfLetzterBericht = L->bericht;
    DxfLogSchliessen();
    dxfL = nullptr;
    delete L;
    ffree(block);
    return 0;
}

// ---- writing the drawing ----

namespace {

STT dxfAktuell, dxfGeschrieben;
ZeiDatei dxfZei;
int dxfOffen = 0;
int dxfFehler = 0;
long dxfObjekte = 0;  // drawing objects written by the running import

int dxfBefSchreiben(const BEF* b)
{
    if (!dxfOffen) return 0;
    if (ZeiBefSchreiben(&dxfZei, b) < 0) {
        dxfFehler = 1;
        return ERROR;
    }
    return 0;
}

// State records of SttDifferenz; a relative move too small to matter is
// left out.
int DxfZustandSchreiben(const BEF* b)
{
    if (b->code == 20 && std::fabs(b->darg[0]) < 0.001 && std::fabs(b->darg[1]) < 0.001) return 0;
    return dxfBefSchreiben(b);
}

bool dxfEntartet(const BEF* b)
{
    const bool klein = std::fabs(b->darg[0]) < 0.1 && std::fabs(b->darg[1]) < 0.1;
    switch (b->code) {
    case 40:
    case 63:
    case 67:
    case 68: return klein;
    case 64:
    case 65: return b->iarg[0] == b->iarg[1] || std::fabs(b->darg[0]) < 0.1 || std::fabs(b->darg[1]) < 0.1;
    default: return false;
    }
}

}  // namespace

namespace {

// The import scale (percent) at which a degenerate element would have
// been kept; infinite when none would (no extent, an arc of equal angles).
double dxfKleinSkala(const BEF* b, double skala)
{
    double m;
    if (b->code == 64 || b->code == 65) {
        if (b->iarg[0] == b->iarg[1]) return HUGE_VAL;
        m = std::fmin(std::fabs(b->darg[0]), std::fabs(b->darg[1]));
    } else {
        m = std::fmax(std::fabs(b->darg[0]), std::fabs(b->darg[1]));
    }
    return m > 0 ? skala * 0.1 / m : HUGE_VAL;
}

// A symbol placed by the import (a DXF point) that the drawing's library
// lacks would show nothing: such placements are counted for the report.
void dxfSymbolPruefen(const BEF* b)
{
    DxfLauf& L = *dxfL;
    auto it = L.symbole.find(b->text);
    if (it == L.symbole.end()) it = L.symbole.emplace(b->text, BauVorhanden(dxfAktuell.bd, b->text) == 1).first;
    if (!it->second) dxfZaehlen(&L.bericht.punktFehlt, b->text);
}

void dxfBefUebernehmen(const BEF* b)
{
    if (dxfEntartet(b)) {
        if (dxfL != nullptr) {
            dxfZaehlen(&dxfL->bericht.klein, dxfL->quelle != nullptr ? dxfL->quelle : "?");
            dxfL->bericht.kleinSkala.push_back(dxfKleinSkala(b, dxfL->bericht.skala));
        }
        return;
    }
    for (double d : b->darg) {
        if (!std::isfinite(d)) return;
    }
    if (BefIstObjekt(b->code)) {
        SttDifferenz(&dxfGeschrieben, &dxfAktuell, DxfZustandSchreiben);
        flachKopieren(&dxfGeschrieben, &dxfAktuell);
        dxfBefSchreiben(b);
        ++dxfObjekte;
        if (BefIstZB(b->code) && dxfL != nullptr) dxfSymbolPruefen(b);
    }
    SttAnwenden(b, &dxfAktuell);
    if (b->code == BEF_ZL) flachKopieren(&dxfGeschrieben, &dxfAktuell);
}

}  // namespace

void DxfZeileUebernehmen(const char* zeile)
{
    BEF b;
    if (TextZuBef(&b, zeile) != 0 || b.code == 0) {
        wiMeldung(">%s< nicht verstanden.", zeile);
        return;
    }
    dxfBefUebernehmen(&b);
}

void DxfDirektPruefen(int an)
{
    dxfPruefen = an;
    dxfAbweichungen = 0;
}

long DxfDirektAbweichungen() { return dxfAbweichungen; }

namespace {

// The binary form of DXF is refused before anything is written.
bool dxfDateiBinaer(const char* dxf)
{
    BDAT d;
    if (bdopenlesen(&d, dxf) < 0) return false;
    char kopf[sizeof DXFBINAER - 1] = {};
    const bool binaer = bdread(&d, kopf, sizeof kopf) == 0 && dxfIstBinaer(kopf, sizeof kopf);
    bdclose(&d);
    return binaer;
}

// Says what did not come over: the types left out (one line each in the
// log too), a unit other than millimetres, an empty drawing.
void dxfEndeMelden(const char* dxf, const DxfBericht& b, long objekte)
{
    std::string m;
    if (!b.fehlt.empty()) {
        m += "Nicht \xFC" "bernommen:";
        bool erst = true;
        for (const auto& [typ, n] : b.fehlt) {
            m += (erst ? " " : ", ") + typ + " " + std::to_string(n);
            erst = false;
        }
        m += " (je Art eine Zeile in " + std::string(DXFLOGNAME) + ").\n";
    }
    if (b.ausgeblendet > 0) {
        m += "Auf ausgeschalteten oder gefrorenen Layern: " + std::to_string(b.ausgeblendet) + " nicht \xFC" "bernommen.\n";
    }
    const DxfEinheit* e = dxfEinheit(b.insunits);
    if (b.insunits >= 0 && (e == nullptr || (e->mm != 0 && e->mm != 1))) {
        if (e == nullptr) {
            m += "Die Einheit der Datei ist unbekannt ($INSUNITS " + std::to_string(b.insunits) + ").\n";
        } else {
            m += "Die Datei ist in " + std::string(e->name) + " gezeichnet ($INSUNITS " + std::to_string(b.insunits) +
                 "); Faktor " + dxfFaktorText(e->mm) + " ergibt Millimeter (Skalierung " +
                 dxfFaktorText(e->mm * 100) + " %).\n";
        }
    }
    if (!b.klein.empty()) {
        m += "Unter 0,1 mm nicht \xFC" "bernommen: " + dxfListe(b.klein) + " (je Art eine Zeile in " +
             std::string(DXFLOGNAME) + ").\n";
        for (const std::string& h : dxfKleinHinweise(b)) m += h + ".\n";
    }
    if (!b.gekuerzt.empty()) {
        m += "Auf " + std::to_string(DXFTEXTZEIGSUP) + " Zeichen gek\xFCrzt: " + dxfListe(b.gekuerzt) + ".\n";
    }
    for (const auto& [name, n] : b.punktFehlt) {
        m += "POINT " + std::to_string(n) + " als Symbol " + name + ", das die Bauteilbibliothek nicht enth\xE4lt.\n";
    }
    if (objekte == 0 && b.entitaeten > 0) {
        m += "Die Zeichnung ist leer: keines der " + std::to_string(b.entitaeten) +
             " Objekte der DXF-Datei wurde \xFC" "bernommen.\n";
    }
    if (m.empty()) return;
    m.pop_back();
    wiMeldung("DXF-Import %s:\n%s", dxf, m.c_str());
}

}  // namespace

int DxfImportLauf(const char* dxf, const char* zeichnung, const ZeiKopf* kopf)
{
    if (dxfDateiBinaer(dxf)) {
        dxfBinaerMelden(dxf);
        return ERROR;
    }
    if (DxfImpKonfig() != 0) return ERROR;
    DxfLogLoeschen(dxf);
    if (ZeiDateiAnlegen(&dxfZei, zeichnung) != 0) {
        wiMeldung("Kann %s nicht anlegen", zeichnung);
        return ERROR;
    }
    dxfOffen = 1;
    dxfFehler = 0;
    dxfObjekte = 0;
    // The header goes first, as the drawing is written: the drawing is
    // written once, and no backup of it is made.
    ZeiKopf leer{};
    leer.format = BEF_ZA3;
    if (ZeiKopfSaetzeSchreiben(&dxfZei, kopf != nullptr ? kopf : &leer) != 0) dxfFehler = 1;
    std::memset(&dxfAktuell, 0, sizeof dxfAktuell);
    SttInit(&dxfAktuell, nullptr);
    // Positions are written absolute, sizes in millimetres: the drawing's
    // scale must be 1 whatever the settings start it at.
    BEF ms;
    std::memset(&ms, 0, sizeof ms);
    ms.code = 13;
    ms.darg[0] = 1.0;
    dxfBefSchreiben(&ms);
    SttAnwenden(&ms, &dxfAktuell);
    dxfGeschrieben = dxfAktuell;
    const int gelesen = DxfLesen(dxf, DxfZeileUebernehmen);
    dxfOffen = 0;
    if (gelesen != 0) {
        ZeiDateiVerwerfen(&dxfZei);
        return ERROR;
    }
    if (dxfFehler) {
        ZeiDateiVerwerfen(&dxfZei);
        wiMeldung("Kann %s nicht anlegen", zeichnung);
        return ERROR;
    }
    if (ZeiDateiSchliessen(&dxfZei) != 0) {
        wiMeldung("Kann %s nicht anlegen", zeichnung);
        return ERROR;
    }
    dxfEndeMelden(dxf, dxfLetzterBericht, dxfObjekte);
    return 0;
}

int DxfImport(const char* dxf, const char* zeichnung)
{
    JusTrafo t;
    VgbOeffnen();
    VgbPraefix("DI");
    JusLesen(&t);
    VgbPraefix("");
    VgbSchliessen();
    DxfPlatzierungSetzen(&t);
    return DxfImportLauf(dxf, zeichnung, nullptr);
}

long DxfLetzteAnzahl(const char* typ)
{
    const DxfBericht& b = dxfLetzterBericht;
    if (auto it = b.genommen.find(typ); it != b.genommen.end()) return it->second;
    if (auto it = b.fehlt.find(typ); it != b.fehlt.end()) return it->second;
    return 0;
}
