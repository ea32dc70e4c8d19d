// Reader of old libraries and drawings, the old record stream and its
// conversion. Prefix `Alt` (file-static helpers `alt...`). Calls model/
// (records, drawing files), support/ (buffered files, file calls, sorting,
// paths, code pages, texts) and config/ (directory kinds).
//
// Every length and position read from an old file is checked against the
// file before it is used: a record, a component or a drawing that would run
// past its end is refused.
#include "model/altbau.h"

#include <iterator>
#include <cstring>
#include <string>
#include <vector>

#include "config/verzeich.h"
#include "model/befehl.h"
#include "model/zeichnun.h"
#include "support/basis.h"
#include "support/bdatei.h"
#include "support/dosdatei.h"
#include "support/pfade.h"
#include "support/sortier.h"
#include "support/texte.h"

namespace {

constexpr int ALTEINTRAG3 = 17;   // bytes of a version-3 index entry
constexpr int ALTEINTRAG2 = 12;   // bytes of a "BAUTEILN" entry
constexpr int ALTKOPF = 8;        // bytes of a library or drawing header
constexpr int ALTKURZMAX = 128;   // a headerless drawing may fall short by this much
constexpr int ALTGRUPPE = 53;     // old code of an element group

struct AltNam {
    char name[ALTNAMSUP + 1];
    uint16_t index;
};

struct AltOrg {
    uint32_t position;  // of the data (v2: of the length word)
    uint32_t laenge;    // v3: the stored length; v2: the room up to the next component
};

// One reader instance: its library, index and old drawing.
struct AltLeser {
    char bib[PFADSUP + 1] = {};
    int version = 0;
    BDAT datei;
    bool offen = false;
    long groesse = 0;
    std::vector<AltNam> namen;
    std::vector<AltOrg> org;

    BDAT zei;
    bool zeiOffen = false;
    int32_t zeiPos = 0;
    int32_t zeiEnde = 0;
};

AltLeser altHaupt;

int altNamVgl(const void* a, const void* b)
{
    return std::strncmp(static_cast<const AltNam*>(a)->name, static_cast<const AltNam*>(b)->name, ALTNAMSUP);
}

int altNamSuchVgl(const void* satz, const void* schluessel)
{
    return std::strncmp(static_cast<const AltNam*>(satz)->name, static_cast<const char*>(schluessel), ALTNAMSUP);
}

int altW16(const unsigned char* p) { return p[0] | p[1] << 8; }

int32_t altL32(const unsigned char* p)
{
    return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                                static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
}

void altPutW16(std::vector<unsigned char>* v, size_t at, int w)
{
    (*v)[at] = static_cast<unsigned char>(w);
    (*v)[at + 1] = static_cast<unsigned char>(w >> 8);
}

void altPutL32(std::vector<unsigned char>* v, size_t at, int32_t w)
{
    const auto u = static_cast<uint32_t>(w);
    for (int i = 0; i < 4; ++i) (*v)[at + static_cast<size_t>(i)] = static_cast<unsigned char>(u >> (8 * i));
}

bool altLesen(BDAT* d, int32_t position, void* puffer, int32_t n)
{
    return bdseek(d, position) == 0 && bdread(d, puffer, n) == 0;
}

// Argument words of an old code: 0..5, or 255 for a text record.
int altWortzahl(int code)
{
    static const uint8_t eins[] = {22, 30, 31, 32, 33, 34, 40, 41, 43, 44, 49, 75, 77, 79, 99, 101, 102, 124, 125, 134, 149};
    static const uint8_t zwei[] = {48, 76, 78, 80, 81, 82, 93, 94, 97, 103, 104, 106, 107, 108};
    static const uint8_t text[] = {10, 37, 42, 50, 51, 52, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 65, 66, 67,
                                   68, 70, 71, 72, 73, 84, 88, 89, 90, 91, 96, 120, 128, 133, 137, 138, 139, 152, 158};
    for (uint8_t c : eins) {
        if (c == code) return 1;
    }
    for (uint8_t c : zwei) {
        if (c == code) return 2;
    }
    for (uint8_t c : text) {
        if (c == code) return 255;
    }
    if (code == 109) return 3;
    if (code == 110 || code == 111 || code == 112) return 4;
    if (code == 38) return 5;
    return 0;
}

// Reads the words of one old record in [position, ende); the bytes it
// took, or -1 when it would pass the end or a read failed.
int altSatzLesen(BDAT* d, int32_t position, int32_t ende, AltSatz* s)
{
    std::memset(s, 0, sizeof *s);
    int32_t p = position;
    auto wort = [&](int* w) {
        unsigned char roh[2];
        if (p + 2 > ende || !altLesen(d, p, roh, 2)) return false;
        p += 2;
        *w = altW16(roh);
        return true;
    };
    int w = 0;
    if (!wort(&w)) return -1;
    s->code = static_cast<uint8_t>(w & 0xFF);
    s->sub = static_cast<uint8_t>(w >> 8);
    int zahl = altWortzahl(s->code);
    int naechstes = 1;
    if (s->code == ALTGRUPPE) {
        if (!wort(&w)) return -1;
        int element = w & 0xFF;
        if (element < 1 || element > 11) element = 5;  // read as a point
        s->w[1] = static_cast<int16_t>((w & 0xFF00) | element);
        zahl = altWortzahl(100 + element);
        if (zahl > 4) zahl = 4;
        naechstes = 2;
    }
    if (zahl > 200) {
        int l = 0;
        if (!wort(&l)) return -1;
        const int32_t bytes = 2 * l;
        if (p + bytes > ende) return -1;
        const int32_t behalten = bytes < 2 * ALTTEXTWORTE ? bytes : 2 * ALTTEXTWORTE;
        if (behalten > 0 && !altLesen(d, p, s->text, behalten)) return -1;
        s->text[behalten] = '\0';
        p += bytes;
    } else {
        if (zahl > 5) zahl = 5;
        for (int i = 0; i < zahl; ++i) {
            if (!wort(&w)) return -1;
            s->w[naechstes + i] = static_cast<int16_t>(w);
        }
    }
    if (s->code == 58 || s->code == 59) {
        if (!wort(&w)) return -1;
        s->w[1] = static_cast<int16_t>(w);
    }
    return static_cast<int>(p - position);
}

void altCode(BEF* b, const char* mnemonik)
{
    const int c = BefCode(mnemonik);
    b->code = static_cast<uint8_t>(c < 0 ? 0 : c);
}

struct AltZeile {
    uint8_t alt;
    const char* neu;
};

const char* altSuchen(const AltZeile* t, size_t n, int code)
{
    for (size_t i = 0; i < n; ++i) {
        if (t[i].alt == code) return t[i].neu;
    }
    return nullptr;
}

// Resolves a library name: without directory "BAUTEILE" or else "BAUTEILB"
// in the program folder with the name as suffix; with directory as given.
// The version the name stands for (3 or 2), or -1 when neither exists.
int altBibPfad(const char* bib, char* pfad, size_t kap)
{
    if (PfadHatOrdner(bib)) {
        strkopie(pfad, kap, bib, PFADSUP);
        if (strposi(bib + pfadlang(bib), "BAUTEILB") >= 0) return 2;
        if (strposi(bib + pfadlang(bib), "BAUTEILE") >= 0) return 3;
        return dateiexist(pfad) ? 3 : -1;
    }
    PfadBilden(0, "BAUTEILE", bib, pfad, kap);
    if (dateiexist(pfad)) return 3;
    PfadBilden(0, "BAUTEILB", bib, pfad, kap);
    if (dateiexist(pfad)) return 2;
    return -1;
}

// The names file "BAUTEILN" beside a "BAUTEILB".
void altNamenDatei(const char* bpfad, char* npfad, size_t kap)
{
    strkopie(npfad, kap, bpfad, PFADSUP);
    const int l = pfadlang(npfad);
    const int i = strposi(npfad + l, "BAUTEILB");
    if (i >= 0) npfad[l + i + 7] = bpfad[l + i + 7] == 'b' ? 'n' : 'N';
}

void altSchliessen(AltLeser* r)
{
    if (r->offen) bdclose(&r->datei);
    r->offen = false;
    r->bib[0] = '\0';
    r->namen.clear();
    r->namen.shrink_to_fit();
    r->org.clear();
    r->org.shrink_to_fit();
}

bool altLaden3(AltLeser* r)
{
    unsigned char kopf[ALTKOPF];
    if (!altLesen(&r->datei, 0, kopf, ALTKOPF)) return false;
    const int version = altW16(kopf);
    const int n = altW16(kopf + 2);
    const int64_t index = static_cast<uint32_t>(altL32(kopf + 4));
    if (version != 3 || n > ALTANZAHL3 || index + static_cast<int64_t>(n) * ALTEINTRAG3 > r->groesse) return false;
    for (int i = 0; i < n; ++i) {
        unsigned char e[ALTEINTRAG3];
        if (!altLesen(&r->datei, static_cast<int32_t>(index + i * ALTEINTRAG3), e, ALTEINTRAG3)) return false;
        AltNam nam = {};
        strkopie(nam.name, reinterpret_cast<const char*>(e), ALTNAMSUP);
        nam.index = static_cast<uint16_t>(i);
        r->namen.push_back(nam);
        r->org.push_back({static_cast<uint32_t>(altL32(e + 11)) + ALTEINTRAG3, static_cast<uint32_t>(altW16(e + 15))});
    }
    return true;
}

bool altLaden2(AltLeser* r)
{
    unsigned char kopf[ALTKOPF];
    if (!altLesen(&r->datei, 0, kopf, ALTKOPF)) return false;
    const int version = altW16(kopf);
    const int n = altW16(kopf + 2);
    int64_t ende = 2 * static_cast<int64_t>(altW16(kopf + 4));
    if (ende > r->groesse) ende = r->groesse;
    if (version != 2 || n > ALTANZAHL2) return false;
    char npfad[PFADSUP + 1];
    altNamenDatei(r->bib, npfad, sizeof npfad);
    const long ngroesse = dateilaenge(npfad);
    BDAT nd;
    if (ngroesse < static_cast<long>(n) * ALTEINTRAG2 || bdopenlesen(&nd, npfad) < 0) return false;
    std::vector<unsigned char> roh(static_cast<size_t>(n) * ALTEINTRAG2 + 1);
    const bool gut = n == 0 || bdread(&nd, roh.data(), n * ALTEINTRAG2) == 0;
    bdclose(&nd);
    if (!gut) return false;
    for (int i = 0; i < n; ++i) {
        const unsigned char* e = roh.data() + i * ALTEINTRAG2;
        AltNam nam = {};
        strkopie(nam.name, reinterpret_cast<const char*>(e), ALTNAMSUP);
        nam.index = static_cast<uint16_t>(i);
        r->namen.push_back(nam);
        const int64_t von = 2 * static_cast<int64_t>(altW16(e + 10));
        const int64_t bis = i + 1 < n ? 2 * static_cast<int64_t>(altW16(e + 10 + ALTEINTRAG2)) : ende;
        const int64_t platz = bis - von - 2;
        r->org.push_back({static_cast<uint32_t>(von), static_cast<uint32_t>(platz > 0 ? platz : 0)});
    }
    return true;
}

int altLaden(AltLeser* r, const char* bib)
{
    altSchliessen(r);
    char pfad[PFADSUP + 1] = {};
    const int art = altBibPfad(bib, pfad, sizeof pfad);
    if (art < 0) return ERROR;
    r->groesse = dateilaenge(pfad);
    if (r->groesse < 0 || bdopenlesen(&r->datei, pfad) < 0) return ERROR;
    r->offen = true;
    strkopie(r->bib, pfad, PFADSUP);
    r->version = art;
    if (!(art == 3 ? altLaden3(r) : altLaden2(r))) {
        altSchliessen(r);
        return ERROR;
    }
    shellsort(r->namen.data(), static_cast<int32_t>(r->namen.size()), sizeof(AltNam), altNamVgl);
    // The name the caller used stays the key of this library.
    strkopie(r->bib, bib, PFADSUP);
    return 0;
}

// Data position and length of a component; false when absent or when its
// data would pass the end of the file.
bool altKomponente(AltLeser* r, const char* name, int32_t* start, int32_t* laenge)
{
    char schluessel[ALTNAMSUP + 1] = {};
    strkopie(schluessel, name, ALTNAMSUP);
    const int32_t i = binsuche(r->namen.data(), static_cast<int32_t>(r->namen.size()), sizeof(AltNam), altNamSuchVgl,
                               schluessel);
    if (i < 0) return false;
    const AltOrg& o = r->org[r->namen[static_cast<size_t>(i)].index];
    int64_t von = o.position;
    int64_t l = o.laenge;
    if (r->version == 2) {
        // The length word, bounded by the room up to the next component.
        unsigned char roh[2];
        if (von + 2 > r->groesse || !altLesen(&r->datei, static_cast<int32_t>(von), roh, 2)) return false;
        const int64_t wort = 2 * static_cast<int64_t>(altW16(roh));
        von += 2;
        if (wort < l) l = wort;
    }
    if (von + l > r->groesse) return false;
    *start = static_cast<int32_t>(von);
    *laenge = static_cast<int32_t>(l);
    return true;
}

}  // namespace

int AltRichtung(int ziffer)
{
    switch (ziffer) {
    case 6: return 0;
    case 9: return 45;
    case 8: return 90;
    case 7: return 135;
    case 4: return 180;
    case 1: return 225;
    case 2: return 270;
    case 3: return 315;
    default: return 0;
    }
}

void AltBefUmsetzen(const AltSatz* a, BEF* b)
{
    static const AltZeile ohne[] = {
        {11, "EB"},   {12, "LE"},   {13, "LA"},   {14, "LB"},   {15, "SUV"},  {16, "SUT"},  {17, "SUE"},
        {21, "WH"},   {23, "VRR"},  {25, "SUP"},  {27, "VRV"},  {35, "ELV"},  {36, "ELR"},  {46, "VRZ"},
        {94, "MKT"},  {98, "RZT"},  {114, "CS"},  {115, "CL"},  {116, "CZL"}, {123, "RLG"}, {126, "QVA"},
        {127, "SUA"}, {129, "HZL"}, {135, "ZAK"}, {136, "ZAE"}, {140, "STA"}, {141, "EL1"}, {142, "ATS"},
        {143, "ATA"}, {144, "ATV"}, {145, "ATR"}, {146, "VRA"}, {147, "TDA"}, {148, "FKA"}, {151, "DRU"},
        {153, "CPV"}, {154, "CPR"}, {155, "CFM"}, {156, "LER"}, {157, "LME"}, {159, "ELM"}, {158, "EXP"},
    };
    static const AltZeile mitText[] = {
        {37, "BD"}, {50, "TD"},  {57, "TD"},   {51, "SB"},   {52, "SZ"}, {42, "HZ"},
        {84, "ZBZ"}, {96, "FEN"}, {128, "TAU"}, {133, "TBD"}, {152, "ZV"},
    };
    static const AltZeile mitW1[] = {
        {40, "ST"}, {41, "SA"}, {44, "_SG"}, {49, "QVW"}, {77, "LAY"},
        {79, "TS"}, {97, "LUP"}, {124, "TA"}, {125, "TM"}, {134, "MFL"},
    };
    static const AltZeile texte[] = {
        {60, "TFA"}, {62, "TFA"}, {61, "TFZ"}, {63, "TFZ"}, {65, "TSA"}, {67, "TSA"},
        {66, "TSZ"}, {68, "TSZ"}, {70, "TFE"}, {71, "TSE"}, {72, "TFM"}, {73, "TSM"},
    };
    std::memset(b, 0, sizeof *b);
    const int c = a->code;
    const int s = a->sub;
    const int16_t* w = a->w;
    auto z = [](int16_t x) { return x / 10.0; };
    char text[sizeof a->text];
    strkopie(text, a->text, static_cast<int>(sizeof text) - 1);
    if (c >= 60 && c <= 74) StrOemAnsi(text);
    if (c < 11 || c > 159) return;

    if (const char* m = altSuchen(ohne, std::size(ohne), c)) {
        altCode(b, m);
    } else if (const char* m2 = altSuchen(mitText, std::size(mitText), c)) {
        altCode(b, m2);
        BefTextSetzen(b, text);
    } else if (const char* m3 = altSuchen(mitW1, std::size(mitW1), c)) {
        altCode(b, m3);
        b->iarg[0] = w[1];
    } else if (const char* m4 = altSuchen(texte, std::size(texte), c)) {
        altCode(b, m4);
        b->sub = static_cast<uint8_t>(s);
        BefTextSetzen(b, text);
    } else {
        switch (c) {
        case 20: case 28: b->code = BEF_ZA3; break;
        case 24: case 29: b->code = BEF_ZA4; break;
        case 22: altCode(b, "TV"); b->darg[0] = z(w[1]); break;
        case 26:
            if (s != 0) {
                altCode(b, "QVW");
                b->iarg[0] = s;
            } else {
                altCode(b, "VAR");
            }
            break;
        case 30: altCode(b, "_MSA"); b->darg[0] = z(w[1]); break;
        case 31: altCode(b, "TG"); b->darg[0] = z(w[1]); break;
        case 32: altCode(b, "TR"); b->iarg[0] = AltRichtung(w[1]) * 10; break;
        case 33: case 34:
            altCode(b, "_MR5");
            b->iarg[0] = c == 34 ? 1 : 0;
            b->iarg[1] = w[1];
            break;
        case 38:
            altCode(b, "QVB");
            b->iarg[0] = w[1];
            for (int i = 0; i < 4; ++i) b->darg[i] = z(w[2 + i]);
            break;
        case 39: altCode(b, "_RIC"); b->iarg[0] = w[1] * 450; break;
        case 43: altCode(b, "SL"); b->darg[0] = z(w[1]); break;
        case 53: {
            const int e = w[1] & 0xFF;
            const int hoch = (w[2] >> 8) & 0xFF;
            b->sub = static_cast<uint8_t>((w[1] >> 8) & 0xFF);
            switch (e) {
            case 1: case 2:
                altCode(b, "_KRE");
                b->iarg[0] = e == 2 ? 1 : 0;
                b->darg[0] = b->darg[1] = z(w[2]);
                break;
            case 3: case 4:
                altCode(b, "_RTK");
                b->iarg[0] = e == 4 ? 1 : 0;
                b->darg[0] = z(w[2]);
                b->darg[1] = z(w[3]);
                break;
            case 6:
                altCode(b, "DRE");
                b->iarg[0] = static_cast<int8_t>(hoch);
                b->iarg[1] = AltRichtung(w[2] & 0xFF) * 10;
                b->iarg[2] = 1;
                b->darg[0] = z(w[3]);
                b->darg[1] = w[3] * 0.866 / 10;
                break;
            case 7: {
                const int r = AltRichtung(w[2] & 0xFF);
                const int h = hoch == 2 ? 90 : 45;
                altCode(b, "TKR");
                b->iarg[0] = (r - h) * 10;
                b->iarg[1] = (r + h) * 10;
                b->darg[0] = b->darg[1] = z(w[3]);
                break;
            }
            case 8:
                altCode(b, "_KRE");
                b->darg[0] = z(w[2]);
                b->darg[1] = z(w[3]);
                break;
            case 9:
                altCode(b, "TKR");
                b->iarg[0] = w[3] * 10;
                b->iarg[1] = w[4] * 10;
                b->darg[0] = b->darg[1] = z(w[2]);
                break;
            case 10:
                altCode(b, "TKR");
                b->iarg[0] = w[4] * 10;
                b->iarg[1] = w[5] * 10;
                b->darg[0] = z(w[2]);
                b->darg[1] = z(w[3]);
                break;
            case 11:
                altCode(b, "DRE");
                b->iarg[0] = w[5];
                b->iarg[1] = w[4] * 10;
                b->iarg[2] = 0;
                b->darg[0] = z(w[2]);
                b->darg[1] = z(w[3]);
                break;
            default:  // 5 and every element outside 1..11: a point
                altCode(b, "PKT");
                break;
            }
            break;
        }
        case 54: case 55:
            if (s == 0) {
                altCode(b, "ZB");
            } else {
                altCode(b, "ZBW");
                b->iarg[0] = (s * 450) % 3600;
            }
            BefTextSetzen(b, text);
            break;
        case 58: case 59:
            altCode(b, c == 58 ? "RHX" : "RHY");
            b->iarg[0] = w[1];
            BefTextSetzen(b, text);
            break;
        case 75: altCode(b, "TR"); b->iarg[0] = w[1] * 10; break;
        case 78: altCode(b, "LRA"); b->iarg[0] = w[1]; b->iarg[1] = w[2]; break;
        case 80: case 82: case 83: case 81: case 93:
            altCode(b, c == 80 ? "BW" : c == 81 ? "ZL" : c == 93 ? "SW" : "_BA");
            if (c == 81) b->sub = static_cast<uint8_t>(s);
            b->darg[0] = z(w[1]);
            b->darg[1] = z(w[2]);
            break;
        default:
            break;  // no record
        }
    }
}

int AltBibLaden(const char* bib)
{
    return altLaden(&altHaupt, bib);
}

int AltBibWaehlen(const char* bib)
{
    if (altHaupt.offen && std::strcmp(altHaupt.bib, bib) == 0) return 0;
    return AltBibLaden(bib);
}

void AltBibSchliessen()
{
    altSchliessen(&altHaupt);
}

int AltBibInfo(AltBibHandle* h, const char* bib)
{
    std::memset(h, 0, sizeof *h);
    h->version = 4;
    char pfad[PFADSUP + 1] = {};
    const int art = altBibPfad(bib, pfad, sizeof pfad);
    strkopie(h->bib, pfad, ALTPFADSUP);
    if (art < 0 || !dateiexist(pfad)) return ERROR;
    BDAT d;
    unsigned char kopf[ALTKOPF] = {};
    if (bdopenlesen(&d, pfad) >= 0) {
        if (!altLesen(&d, 0, kopf, ALTKOPF)) std::memset(kopf, 0, sizeof kopf);
        bdclose(&d);
    }
    h->anzahl = altW16(kopf + 2);
    h->kbyte = art == 3 ? static_cast<int32_t>(static_cast<uint32_t>(altL32(kopf + 4)) / 1024)
                        : 2 * altW16(kopf + 4) / 1024;
    return 0;
}

void AltBauName(const char* bib, int i, char* aus, size_t kap)
{
    if (kap > 0) aus[0] = '\0';
    if (AltBibWaehlen(bib) != 0 || i < 0 || i >= static_cast<int>(altHaupt.namen.size())) return;
    strkopie(aus, kap, altHaupt.namen[static_cast<size_t>(i)].name, ALTNAMSUP);
}

int AltBauOpen(AltBauHandle* h, const char* bib, const char* name)
{
    std::memset(h, 0, sizeof *h);
    if (std::strlen(bib) > ALTPFADSUP || AltBibWaehlen(bib) != 0) return ERROR;
    strkopie(h->bib, bib, ALTPFADSUP);
    strkopie(h->name, name, ALTNAMSUP);
    int32_t start = 0;
    int32_t laenge = 0;
    if (!altKomponente(&altHaupt, name, &start, &laenge)) return ERROR;
    h->start = h->position = start;
    h->laenge = h->rest = laenge;
    return 0;
}

int AltBauRead(AltBauHandle* h, BEF* b)
{
    while (h->rest > 0) {
        if (AltBibWaehlen(h->bib) != 0) return ERROR;
        AltSatz s;
        const int n = altSatzLesen(&altHaupt.datei, h->position, h->position + h->rest, &s);
        if (n <= 0) {
            h->rest = 0;
            return ERROR;
        }
        h->position += n;
        h->rest -= n;
        AltBefUmsetzen(&s, b);
        if (b->code != 0) return 0;
    }
    return ERROR;
}

int AltBauNachZeichnung(AltBauHandle* h, const char* zeichnung)
{
    return AltBauNachZeichnungMit(h, zeichnung, nullptr);
}

int AltBauNachZeichnungMit(AltBauHandle* h, const char* zeichnung, void (*fn)(BEF* b))
{
    return ZeiAusSaetzen(zeichnung, [h](BEF* b) { return AltBauRead(h, b); }, fn);
}

int AltZeiOeffnen(const char* pfad, int* version, int* format)
{
    AltZeiSchliessen();
    const long groesse = dateilaenge(pfad);
    if (groesse < 2 || groesse > INT32_MAX) return ERROR;
    BDAT& d = altHaupt.zei;
    if (bdopenlesen(&d, pfad) < 0) return ERROR;
    unsigned char kopf[ALTKOPF] = {};
    const bool kopfDa = groesse >= ALTKOPF && altLesen(&d, 0, kopf, ALTKOPF);
    int v = 2;
    int32_t start = 2;
    int64_t ende = 0;
    if (kopfDa && altW16(kopf) >= 3 && altW16(kopf + 2) == 1) {
        v = altW16(kopf);
        start = ALTKOPF;
        const int64_t laenge = static_cast<uint32_t>(altL32(kopf + 4));
        if (laenge > groesse - ALTKOPF) {
            bdclose(&d);
            return ERROR;
        }
        ende = ALTKOPF + laenge;
    } else {
        unsigned char roh[2];
        if (!altLesen(&d, 0, roh, 2)) {
            bdclose(&d);
            return ERROR;
        }
        ende = 2 * static_cast<int64_t>(altW16(roh)) + 2;
        if (ende > groesse || ende < groesse - ALTKURZMAX) {
            bdclose(&d);
            return ERROR;
        }
    }
    AltSatz s;
    const int n = altSatzLesen(&d, start, static_cast<int32_t>(ende), &s);
    const int f = n <= 0 ? 0 : (s.code == 20 || s.code == 28) ? 't' : (s.code == 24 || s.code == 29) ? 'u' : 0;
    if (f == 0) {
        bdclose(&d);
        return ERROR;
    }
    altHaupt.zeiOffen = true;
    altHaupt.zeiPos = start + n;
    altHaupt.zeiEnde = static_cast<int32_t>(ende);
    if (version) *version = v;
    if (format) *format = f;
    return 0;
}

int AltZeiRead(BEF* b)
{
    while (altHaupt.zeiOffen && altHaupt.zeiPos < altHaupt.zeiEnde) {
        AltSatz s;
        const int n = altSatzLesen(&altHaupt.zei, altHaupt.zeiPos, altHaupt.zeiEnde, &s);
        if (n <= 0) {
            altHaupt.zeiPos = altHaupt.zeiEnde;
            return ERROR;
        }
        altHaupt.zeiPos += n;
        AltBefUmsetzen(&s, b);
        if (b->code != 0) return 0;
    }
    return ERROR;
}

void AltZeiSchliessen()
{
    if (altHaupt.zeiOffen) bdclose(&altHaupt.zei);
    altHaupt.zeiOffen = false;
    altHaupt.zeiPos = altHaupt.zeiEnde = 0;
}

int AltBibUmsetzen(const char* bib, AltUmsetzFn fn)
{
    // The second reader: its own state and files.
    AltLeser zweit;
    char bpfad[PFADSUP + 1] = {};
    const int art = altBibPfad(bib, bpfad, sizeof bpfad);
    char verz[PFADSUP + 1] = {};
    char suffix[PFADSUP + 1] = {};
    if (art < 0) {
        // Neither file: nothing to convert when the new one is there.
        PfadBilden(0, "BAUTEILE", bib, bpfad, sizeof bpfad);
    }
    pfadholen(verz, bpfad);
    endungholen(suffix, bpfad);
    char epfad[PFADSUP + 1] = {};
    char npfad[PFADSUP + 1] = {};
    PfadBilden(0, (std::string(verz) + "BAUTEILE").c_str(), suffix, epfad, sizeof epfad);
    PfadBilden(0, (std::string(verz) + "BAUTEILB").c_str(), suffix, bpfad, sizeof bpfad);
    altNamenDatei(bpfad, npfad, sizeof npfad);
    if (dateiexist(epfad)) return 0;

    if (altLaden(&zweit, bpfad) != 0 || zweit.version != 2) {
        altSchliessen(&zweit);
        return ERROR;
    }
    const size_t n = zweit.org.size();
    std::vector<unsigned char> neu(ALTKOPF, 0);
    std::vector<unsigned char> index;
    bool gut = true;
    // Entries in file order (the index of the reader is sorted by name).
    std::vector<const AltNam*> folge(n);
    for (const AltNam& nam : zweit.namen) folge[nam.index] = &nam;
    for (size_t i = 0; i < n && gut; ++i) {
        // The length word, bounded by the room up to the next component.
        const AltOrg& o = zweit.org[i];
        unsigned char roh[2];
        if (o.position + 2 > zweit.groesse || !altLesen(&zweit.datei, static_cast<int32_t>(o.position), roh, 2)) {
            gut = false;
            break;
        }
        const int64_t wort = 2 * static_cast<int64_t>(altW16(roh));
        const int32_t laenge = static_cast<int32_t>(wort < o.laenge ? wort : o.laenge);
        const int32_t start = static_cast<int32_t>(o.position) + 2;
        if (start + static_cast<int64_t>(laenge) > zweit.groesse || laenge > 0xFFFF) {
            gut = false;
            break;
        }
        const size_t eintrag = neu.size();
        neu.resize(eintrag + ALTEINTRAG3 + static_cast<size_t>(laenge), 0);
        strkopie(reinterpret_cast<char*>(&neu[eintrag]), ALTNAMSUP + 1, folge[i]->name, ALTNAMSUP);
        altPutL32(&neu, eintrag + 11, static_cast<int32_t>(eintrag));
        altPutW16(&neu, eintrag + 15, laenge);
        if (laenge > 0 && !altLesen(&zweit.datei, start, &neu[eintrag + ALTEINTRAG3], laenge)) {
            gut = false;
            break;
        }
        index.insert(index.end(), neu.begin() + static_cast<long>(eintrag),
                     neu.begin() + static_cast<long>(eintrag) + ALTEINTRAG3);
        if (fn) fn(folge[i]->name);
    }
    altSchliessen(&zweit);
    if (!gut) return ERROR;
    altPutW16(&neu, 0, 3);
    altPutW16(&neu, 2, static_cast<int>(n));
    altPutL32(&neu, 4, static_cast<int32_t>(neu.size()));
    neu.insert(neu.end(), index.begin(), index.end());

    BDAT d;
    if (bdmake(&d, epfad) < 0) return ERROR;
    int r = bdwrite(&d, neu.data(), static_cast<int32_t>(neu.size()));
    if (bdclose(&d) != 0) r = ERROR;
    if (r < 0) return ERROR;  // the sources stay
    // Only a complete new library replaces the pair.
    const bool weg = dateiloeschen(npfad) == 0;
    const bool weg2 = dateiloeschen(bpfad) == 0;
    return weg && weg2 ? 0 : ERROR;
}
