// Component libraries: header, entries, the loaded index with its 3-slot
// cache, reading components into their handles, creating, appending,
// renaming and checking libraries, and the equivalence file. Prefix `Bau`
// (file-static helpers `bau...`). Calls model/ (records, drawing files),
// support/ (buffered files, file calls, sorting, texts, paths, dates) and
// config/ (directory kinds, upward path search, check counter).
//
// Changes never write into a library in place: the changed library is
// written as a whole under a temporary name that replaces the file only when
// every write succeeded, so a failed change leaves the library as it was.
#include "model/bauteil.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "config/verzeich.h"
#include "config/datwache.h"
#include "model/befehl.h"
#include "model/zeichnun.h"
#include "support/basis.h"
#include "support/bdatei.h"
#include "support/datum.h"
#include "support/dosdatei.h"
#include "support/pfade.h"
#include "support/sortier.h"
#include "support/speicher.h"
#include "support/texte.h"
#include "support/vergleich.h"

namespace {

constexpr char BAUMAGIC[4] = {'z', 'v', 'k', 'B'};
constexpr int BAUKOPF = 12;       // bytes of the library header
constexpr int BAULANG = 70;       // bytes of a long entry
constexpr int BAUKURZ = 19;       // bytes of a short entry
constexpr int BAULANGNAME = 21;   // name field of a long entry
constexpr int BAUKURZNAME = 11;   // name field of a short entry
constexpr int BAUBESCHR = 41;     // description field of a long entry
constexpr int BAUCACHESUP = 3;    // slots of the index cache
constexpr int BAUZEILESUP = 200;  // characters of an equivalence line

struct btlnam {
    char name[BAUNAMSUP + 1];  // zero-padded
    uint16_t index;            // entry number in file order
};

struct btlorg {
    uint32_t position;  // of the data (entry position + entry size)
    uint32_t laenge;    // D
};

struct BauKopf {
    char magic[4];
    int32_t version;
    int32_t laenge;  // L
    int32_t anzahl;  // N; of a loaded index, the entries it holds
    int32_t kopfanzahl;  // N as the header gives it (loaded index only)
};

struct btdinh {
    char pfad[BAUPFADSUP + 1];
    int32_t zaehler;
    DATZEIT zeit;
    BauKopf kopf;
    btlnam* namtab;
    btlorg* orgtab;
};

// The component data read so far from one loaded index, by entry number.
// It belongs to that index: it is shared by the loaded library and the cache
// slot the index came from or went to, and dropped exactly when the index
// is (a reload, a cleared slot, closing). So a repeated component is served
// without touching the file, and a changed file is seen in the data exactly
// when it is seen in the index: after the check counter moved.
struct BauTeile {
    std::unordered_map<uint16_t, std::vector<unsigned char>> nachEintrag;
    std::unordered_map<uint16_t, BauBefListe> befehle;  // decoded (BauBefehle)
    std::unordered_map<std::string, BauBefListe> nachName;  // the same, by the name asked for
};
using BauTeileZeiger = std::shared_ptr<BauTeile>;

struct BauAequi {
    char name[BAUNAMSUP + 1];
    int32_t gruppe;  // line number in the equivalence file
};

// The loaded library.
bool bauGestartet = false;
btlnam* btlnamtab = nullptr;
btlorg* btlorgtab = nullptr;
btdinh* btdlis = nullptr;
int bauCacheIndex = 0;
int bauCacheAn = 0;
char bauPfadGeladen[BAUPFADSUP + 1];
BauKopf bauKopf;
BDAT bauDatei;
bool bauOffen = false;
int32_t bauStempelZaehler = 0;
DATZEIT bauStempelZeit;
BauTeileZeiger bauTeile;                  // of the loaded library
BauTeileZeiger bauSlotTeile[BAUCACHESUP];  // of each cache slot (btdinh is raw memory)

// BauPfad's cache.
bool bauPfadGueltig = false;
char bauPfadSuffix[BAUPFADSUP + 1];
char bauPfadProjekt[VERSUP + 1];
char bauPfadBauteile[VERSUP + 1];
char bauPfadErgebnis[BAUPFADSUP + 1];

// The equivalence list.
bool bauAequiGeladen = false;
char bauAequiBib[BAUPFADSUP + 1];
std::vector<BauAequi> bauAequiListe;

int32_t bauLeseL32(const unsigned char* p)
{
    return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                                static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
}

int bauLeseW16(const unsigned char* p)
{
    return static_cast<int>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8);
}

void bauSchreibeL32(unsigned char* p, int32_t w)
{
    const auto u = static_cast<uint32_t>(w);
    p[0] = static_cast<unsigned char>(u);
    p[1] = static_cast<unsigned char>(u >> 8);
    p[2] = static_cast<unsigned char>(u >> 16);
    p[3] = static_cast<unsigned char>(u >> 24);
}

void bauSchreibeW16(unsigned char* p, int w)
{
    p[0] = static_cast<unsigned char>(w);
    p[1] = static_cast<unsigned char>(w >> 8);
}

bool bauKopfLesen(BDAT* d, BauKopf* k)
{
    unsigned char roh[BAUKOPF];
    if (bdseek(d, 0) != 0 || bdread(d, roh, BAUKOPF) != 0) return false;
    std::memcpy(k->magic, roh, 4);
    k->version = bauLeseW16(roh + 4);
    k->laenge = bauLeseL32(roh + 6);
    k->anzahl = bauLeseW16(roh + 10);
    return true;
}

void bauKopfRoh(const BauKopf& k, unsigned char* roh)
{
    std::memcpy(roh, BAUMAGIC, 4);
    bauSchreibeW16(roh + 4, k.version);
    bauSchreibeL32(roh + 6, k.laenge);
    bauSchreibeW16(roh + 10, k.anzahl);
}

bool bauMagicRichtig(const BauKopf& k) { return std::memcmp(k.magic, BAUMAGIC, 4) == 0; }

int bauEintrag(int version) { return version >= 10 ? BAULANG : BAUKURZ; }
int bauNamFeld(int version) { return version >= 10 ? BAULANGNAME : BAUKURZNAME; }
int bauNamMax(int version) { return version >= 10 ? BAUNAMSUP : BAUNAMKURZ; }

// Weight of a byte in the name order.
int bauGewicht(unsigned char c)
{
    if (c < 48) return c;
    if (c <= '9') return c + 500;
    if (c <= 63) return c + 100;
    if (c <= 'Z') return c + 600;
    if (c <= 96) return c + 200;
    if (c <= 'z') return c + 700;
    if (c <= 127) return c + 300;
    return c + 1000;
}

int bauNamVgl(const void* a, const void* b)
{
    return BauNamVergleich(static_cast<const btlnam*>(a)->name, static_cast<const btlnam*>(b)->name);
}

int bauNamSuchVgl(const void* satz, const void* schluessel)
{
    return BauNamVergleich(static_cast<const btlnam*>(satz)->name, static_cast<const char*>(schluessel));
}

void bauCacheLeeren()
{
    for (BauTeileZeiger& t : bauSlotTeile) t.reset();
    if (!btdlis) return;
    for (int i = 0; i < BAUCACHESUP; ++i) btdlis[i].pfad[0] = '\0';
}

void bauStart()
{
    if (!bauGestartet) BauInit();
}

// The index of the loaded library by name; -1 when absent.
int32_t bauSuchen(const char* name)
{
    if (!bauOffen) return -1;
    char schluessel[BAUNAMSUP + 1] = {};
    strkopie(schluessel, name, BAUNAMSUP);
    return binsuche(btlnamtab, bauKopf.anzahl, sizeof(btlnam), bauNamSuchVgl, schluessel);
}

// The file's time; a zeroed time when it cannot be read.
DATZEIT bauDateiZeit(const char* pfad)
{
    DATZEIT t;
    std::memset(&t, 0, sizeof t);
    if (dateizeit(pfad, &t) != 0) std::memset(&t, 0, sizeof t);
    return t;
}

bool bauZeitGleich(const DATZEIT& a, const DATZEIT& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The loaded index may be stale: the check counter moved and the file's time
// differs from the time at loading.
bool bauGeladenVeraltet()
{
    if (DatPruefZaehler() == bauStempelZaehler) return false;
    bauStempelZaehler = DatPruefZaehler();
    const DATZEIT t = bauDateiZeit(bauPfadGeladen);
    if (bauZeitGleich(t, bauStempelZeit)) return false;
    return true;
}

void bauStempelSetzen()
{
    bauStempelZaehler = DatPruefZaehler();
    bauStempelZeit = bauDateiZeit(bauPfadGeladen);
}

// Reads the entry chain into the tables. The index ends at the first entry
// whose header or data would pass the end of the file (a damaged chain: the
// header's count stays in `kopfanzahl`); 0 then. A seek or read that fails
// inside the file is no short library: -1.
int bauIndexLesen(long dateigroesse)
{
    bauKopf.kopfanzahl = bauKopf.anzahl;
    if (dateigroesse < 0) return ERROR;
    const int groesse = bauEintrag(bauKopf.version);
    const int feld = bauNamFeld(bauKopf.version);
    int64_t pos = BAUKOPF;
    int32_t n = 0;
    for (; n < bauKopf.anzahl; ++n) {
        unsigned char roh[BAULANG];
        if (pos + groesse > dateigroesse) break;
        if (bdseek(&bauDatei, static_cast<int32_t>(pos)) != 0 || bdread(&bauDatei, roh, groesse) != 0) return ERROR;
        const uint32_t d = static_cast<uint32_t>(bauLeseL32(roh + groesse - 4));
        if (pos + groesse + static_cast<int64_t>(d) > dateigroesse) break;
        btlnam& nam = btlnamtab[n];
        std::memset(nam.name, 0, sizeof nam.name);
        strkopie(nam.name, sizeof nam.name, reinterpret_cast<const char*>(roh), mini(feld - 1, BAUNAMSUP));
        nam.index = static_cast<uint16_t>(n);
        btlorgtab[n].position = static_cast<uint32_t>(pos + groesse);
        btlorgtab[n].laenge = d;
        pos += groesse + static_cast<int64_t>(d);
    }
    bauKopf.anzahl = n;
    return 0;
}

void bauCacheFuellen()
{
    btdinh& s = btdlis[bauCacheIndex];
    if (!s.namtab) {
        s.namtab = static_cast<btlnam*>(fmalloc(BAUTABSUP, sizeof(btlnam)));
        if (!s.namtab) wiAssert("bauteil", __LINE__, "( btdlis[slot].namtab = fmalloc( BAUTABSUP, sizeof(struct btlnam) )) != NULL");
    }
    if (!s.orgtab) {
        s.orgtab = static_cast<btlorg*>(fmalloc(BAUTABSUP, sizeof(btlorg)));
        if (!s.orgtab) wiAssert("bauteil", __LINE__, "( btdlis[slot].orgtab = fmalloc( BAUTABSUP, sizeof(struct btlorg) )) != NULL");
    }
    strkopie(s.pfad, bauPfadGeladen, BAUPFADSUP);
    s.zaehler = DatPruefZaehler();
    s.zeit = bauStempelZeit;
    s.kopf = bauKopf;
    std::memcpy(s.namtab, btlnamtab, sizeof(btlnam) * static_cast<size_t>(bauKopf.anzahl));
    std::memcpy(s.orgtab, btlorgtab, sizeof(btlorg) * static_cast<size_t>(bauKopf.anzahl));
    bauSlotTeile[bauCacheIndex] = bauTeile;
    bauCacheIndex = (bauCacheIndex + 1) % BAUCACHESUP;
}

// Takes the index from a cache slot; false when no slot holds a current one.
bool bauAusCache(const char* pfad)
{
    if (!bauCacheAn) return false;
    for (int i = 0; i < BAUCACHESUP; ++i) {
        btdinh& s = btdlis[i];
        if (s.pfad[0] == '\0' || !PfadGleich(s.pfad, pfad)) continue;
        if (s.zaehler != DatPruefZaehler()) {
            const DATZEIT t = bauDateiZeit(pfad);
            if (!bauZeitGleich(t, s.zeit)) {
                s.pfad[0] = '\0';
                bauSlotTeile[i].reset();
                return false;
            }
            s.zaehler = DatPruefZaehler();
        }
        bauKopf = s.kopf;
        std::memcpy(btlnamtab, s.namtab, sizeof(btlnam) * static_cast<size_t>(s.kopf.anzahl));
        std::memcpy(btlorgtab, s.orgtab, sizeof(btlorg) * static_cast<size_t>(s.kopf.anzahl));
        strkopie(bauPfadGeladen, pfad, BAUPFADSUP);
        bauStempelZaehler = s.zaehler;
        bauStempelZeit = s.zeit;
        if (!bauSlotTeile[i]) bauSlotTeile[i] = std::make_shared<BauTeile>();
        bauTeile = bauSlotTeile[i];
        return true;
    }
    return false;
}

// The data of entry `nr` of the loaded library into `daten`: kept from an
// earlier open, else read from the open file and kept. The index ends before
// any entry whose data passed the end of the file at loading, and a read
// past the end of the file as it is now fails, so no length is trusted.
// A component's data, read once and then kept; into `daten` unless null.
bool bauTeileHolen(uint16_t nr, const btlorg& o, std::vector<unsigned char>* daten)
{
    if (!bauTeile) bauTeile = std::make_shared<BauTeile>();
    const auto gefunden = bauTeile->nachEintrag.find(nr);
    if (gefunden != bauTeile->nachEintrag.end()) {
        if (daten) *daten = gefunden->second;
        return true;
    }
    if (o.position > static_cast<uint32_t>(INT32_MAX) || o.laenge > static_cast<uint32_t>(INT32_MAX) - o.position) {
        return false;
    }
    std::vector<unsigned char> neu(o.laenge, 0);
    if (o.laenge > 0 && (bdseek(&bauDatei, static_cast<int32_t>(o.position)) != 0 ||
                         bdread(&bauDatei, neu.data(), static_cast<int32_t>(o.laenge)) != 0)) {
        return false;
    }
    if (daten) *daten = neu;
    bauTeile->nachEintrag.emplace(nr, std::move(neu));
    return true;
}

// The name prepared for storing: cut to the name length of the version,
// upper case, and marked with one '*' in front when the loaded library
// already holds it.
void bauNameVorbereiten(const char* ein, int version, char* aus)
{
    const int max = bauNamMax(version);
    char name[BAUNAMSUP + 1] = {};
    strkopie(name, ein, max);
    strgross(name);
    if (bauSuchen(name) >= 0) {
        char neu[BAUNAMSUP + 1] = {};
        neu[0] = '*';
        strkopie(neu + 1, sizeof neu - 1, name, max - 1);
        strkopie(name, neu, max);
    }
    strkopie(aus, BAUNAMSUP + 1, name, max);
}

// The whole file as bytes; false when it cannot be read.
bool bauDateiLesen(const char* pfad, std::vector<unsigned char>* inhalt)
{
    const long laenge = dateilaenge(pfad);
    if (laenge < 0) return false;
    BDAT d;
    if (bdopenlesen(&d, pfad) < 0) return false;
    inhalt->assign(static_cast<size_t>(laenge), 0);
    const bool gut = laenge == 0 || bdread(&d, inhalt->data(), static_cast<int32_t>(laenge)) == 0;
    const bool zu = bdclose(&d) == 0;
    return gut && zu;
}

// Writes the bytes as the new file of the path (temporary file renamed over
// it); 0, or -1 when anything failed (the old file then stays).
int bauDateiSchreiben(const char* pfad, const std::vector<unsigned char>& inhalt)
{
    BDAT d;
    if (bdmake(&d, pfad) < 0) return ERROR;
    int r = inhalt.empty() ? 0 : bdwrite(&d, inhalt.data(), static_cast<int32_t>(inhalt.size()));
    if (bdclose(&d) != 0) r = ERROR;
    return r < 0 ? ERROR : 0;
}

// The records of a drawing in library form; false when the drawing cannot
// be opened or a record cannot be encoded.
bool bauZeichnungDaten(const char* zeichnung, std::vector<unsigned char>* daten)
{
    ZeiDatei z;
    if (ZeiDateiLesend(&z, zeichnung) != 0) return false;
    bool gut = true;
    BEF b;
    BEF f;
    while (gut && ZeiBefLesen(&z, &b) == 0) {
        BefDateiForm(&b, &f);
        unsigned char puffer[512];
        BDAT m;
        bdopenram(&m, puffer, sizeof puffer);
        const int n = BefSchreiben(&m, &f);
        if (n <= 0 || n > static_cast<int>(sizeof puffer)) {
            gut = false;
        } else {
            daten->insert(daten->end(), puffer, puffer + n);
        }
    }
    ZeiDateiVerwerfen(&z);
    return gut;
}

}  // namespace

void BauInit()
{
    if (bauGestartet) return;
    btlorgtab = static_cast<btlorg*>(fmalloc(BAUTABSUP, sizeof(btlorg)));
    if (!btlorgtab) wiAssert("bauteil", __LINE__, "( btlorgtab = fmalloc( BAUTABSUP, sizeof(struct btlorg) )) != NULL");
    btlnamtab = static_cast<btlnam*>(fmalloc(BAUTABSUP, sizeof(btlnam)));
    if (!btlnamtab) wiAssert("bauteil", __LINE__, "( btlnamtab = fmalloc( BAUTABSUP, sizeof(struct btlnam) )) != NULL");
    btdlis = static_cast<btdinh*>(fmalloc(BAUCACHESUP, sizeof(btdinh)));
    if (!btdlis) wiAssert("bauteil", __LINE__, "( btdlis = fmalloc( 3, sizeof(struct btdinh) )) != NULL");
    bauCacheIndex = 0;
    bauCacheAn = 0;
    bauPfadGeladen[0] = '\0';
    bauOffen = false;
    bauPfadGueltig = false;
    bauGestartet = true;
}

void BauEnde()
{
    if (!bauGestartet) return;
    BauBibSchliessen();
    bauPfadGueltig = false;
    BauAequiFrei();
    bauCacheLeeren();
    for (int i = 0; i < BAUCACHESUP; ++i) {
        ffree(btdlis[i].namtab);
        ffree(btdlis[i].orgtab);
    }
    ffree(btdlis);
    ffree(btlnamtab);
    ffree(btlorgtab);
    btdlis = nullptr;
    btlnamtab = nullptr;
    btlorgtab = nullptr;
    bauGestartet = false;
}

void BauCacheSetzen(int an)
{
    bauStart();
    bauCacheAn = an ? 1 : 0;
    if (!an) bauCacheLeeren();
}

int BauPfad(const char* name, char* aus, size_t kap)
{
    if (kap > 0) aus[0] = '\0';
    if (!name) return ERROR;
    if (*name == ' ') ++name;
    if (PfadHatOrdner(name)) {
        return strkopie(aus, kap, name, BAUPFADSUP) == static_cast<int>(std::strlen(name)) ? 0 : ERROR;
    }
    char bauteile[VERSUP + 1] = {};
    char projekt[VERSUP + 1] = {};
    VerHolen(2, bauteile);
    VerHolen(1, projekt);
    if (!bauPfadGueltig || std::strcmp(bauPfadSuffix, name) != 0 || std::strcmp(bauPfadProjekt, projekt) != 0 ||
        std::strcmp(bauPfadBauteile, bauteile) != 0) {
        char pfad[BAUPFADSUP + 1] = {};
        PfadSuchenAufwaerts(pfad, sizeof pfad, "BAUTEILE", name);
        // Without a component folder the library is the one in the working
        // (project) folder; where there is none, the shipped library of the
        // program folder, so that a new project's sheets find their parts.
        if (strleer(bauteile) && dosattrib(pfad) == DOSATTR_FEHLT) {
            char geliefert[BAUPFADSUP + 1] = {};
            PfadBilden(0, "BAUTEILE", name, geliefert, sizeof geliefert);
            if (!strleer(VerZeiger(0)) && dosattrib(geliefert) != DOSATTR_FEHLT) strkopie(pfad, geliefert, BAUPFADSUP);
        }
        strkopie(bauPfadSuffix, name, BAUPFADSUP);
        strkopie(bauPfadProjekt, projekt, VERSUP);
        strkopie(bauPfadBauteile, bauteile, VERSUP);
        strkopie(bauPfadErgebnis, pfad, BAUPFADSUP);
        bauPfadGueltig = true;
    }
    strkopie(aus, kap, bauPfadErgebnis, BAUPFADSUP);
    return aus[0] ? 0 : ERROR;
}

void BauVerzDatei(const char* bib, const char* name, const char* ext, char* aus, size_t kap)
{
    char pfad[BAUPFADSUP + 1] = {};
    BauPfad(bib, pfad, sizeof pfad);
    char ergebnis[BAUPFADSUP + 1] = {};
    pfadholen(ergebnis, pfad);  // the directory with its separator
    strkopie(ergebnis + std::strlen(ergebnis), sizeof ergebnis - std::strlen(ergebnis), name, BAUPFADSUP);
    if (ext && *ext) {
        const size_t l = std::strlen(ergebnis);
        if (l == 0 || ergebnis[l - 1] != '.') strkopie(ergebnis + l, sizeof ergebnis - l, ".", 1);
        const size_t l2 = std::strlen(ergebnis);
        strkopie(ergebnis + l2, sizeof ergebnis - l2, ext, BAUPFADSUP);
    }
    strkopie(aus, kap, ergebnis, BAUPFADSUP);
}

const char* BauAktuell()
{
    return bauOffen ? bauPfadGeladen : "";
}

int BauVersion(const char* pfad)
{
    bauStart();
    char p[BAUPFADSUP + 1];
    if (BauPfad(pfad, p, sizeof p) != 0) return ERROR;
    if (bauOffen && PfadGleich(p, bauPfadGeladen)) return bauKopf.version;
    BDAT d;
    if (bdopenlesen(&d, p) < 0) return ERROR;
    BauKopf k;
    const bool gelesen = bauKopfLesen(&d, &k);
    bdclose(&d);
    // A file too short for a header is an old library; a header that fails
    // to read is no version at all (else a current library would pass for
    // an old one).
    if (!gelesen) return dateilaenge(p) < BAUKOPF ? 4 : ERROR;
    if (!bauMagicRichtig(k)) return 4;
    return k.version;
}

int BauBibGueltig(const char* pfad) { return BauVersion(pfad) > 5 ? 1 : 0; }

int BauVersionOder4(const char* pfad)
{
    const int v = BauVersion(pfad);
    return v < 0 ? 4 : v;
}

int BauNamLaenge() { return bauOffen && bauKopf.version >= 10 ? BAUNAMSUP : BAUNAMKURZ; }

int BauLaden(const char* bib)
{
    bauStart();
    char pfad[BAUPFADSUP + 1];
    if (BauPfad(bib, pfad, sizeof pfad) != 0) return ERROR;
    if (bauOffen && PfadGleich(pfad, bauPfadGeladen) && !bauGeladenVeraltet()) return 0;
    BauBibSchliessen();

    if (bdopenlesen(&bauDatei, pfad) < 0) return ERROR;
    bauOffen = true;
    strkopie(bauPfadGeladen, pfad, BAUPFADSUP);
    if (bauAusCache(pfad)) return 0;

    if (!bauKopfLesen(&bauDatei, &bauKopf) || !bauMagicRichtig(bauKopf) || bauKopf.version <= 5 ||
        bauKopf.anzahl < 0 || bauKopf.anzahl >= BAUTABSUP) {
        BauBibSchliessen();
        return ERROR;
    }
    if (bauIndexLesen(dateilaenge(pfad)) != 0) {
        BauBibSchliessen();
        return ERROR;
    }
    bauTeile = std::make_shared<BauTeile>();
    bauStempelSetzen();
    shellsort(btlnamtab, bauKopf.anzahl, sizeof(btlnam), bauNamVgl);
    if (bauCacheAn) bauCacheFuellen();
    return 0;
}

void BauBibSchliessen()
{
    if (bauOffen) bdclose(&bauDatei);
    bauOffen = false;
    bauTeile.reset();
    bauPfadGeladen[0] = '\0';
    std::memset(&bauKopf, 0, sizeof bauKopf);
}

int BauVorhanden(const char* name)
{
    return bauSuchen(name) >= 0 ? 1 : 0;
}

int BauNameGueltig(char* name)
{
    if (std::strlen(name) > BAUNAMSUP) return ERROR;
    strgross(name);
    strtrim(name);
    if (name[0] == '\0') return ERROR;
    return nurzeichen(name, "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.+-*=_") ? 0 : ERROR;
}

int BauNamVergleich(const char* a, const char* b)
{
    for (int i = 0; i < BAUNAMSUP; ++i) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        if (ca == 0 || cb == 0) return (ca != 0) - (cb != 0);
        const int d = bauGewicht(ca) - bauGewicht(cb);
        if (d != 0) return d;
    }
    return 0;
}

namespace {

// BauOpen; without the component's data when `mitDaten` is false.
int bauOeffnen(BauHandle* h, const char* bib, const char* name, bool mitDaten)
{
    *h = BauHandle{};
    if (BauPfad(bib, h->bib, sizeof h->bib) != 0) return ERROR;
    strkopie(h->name, name, BAUNAMSUP);
    const int version = BauVersion(h->bib);
    if (version <= 5 || BauLaden(h->bib) != 0) return ERROR;
    const int32_t i = bauSuchen(h->name);
    if (i < 0) return ERROR;
    const uint16_t nr = btlnamtab[i].index;
    const btlorg& o = btlorgtab[nr];
    if (!bauTeileHolen(nr, o, mitDaten ? &h->daten : nullptr)) return ERROR;
    h->version = version;
    h->start = h->position = static_cast<int32_t>(o.position);
    h->laenge = h->rest = static_cast<int32_t>(o.laenge);
    return 0;
}

}  // namespace

int BauOpen(BauHandle* h, const char* bib, const char* name) { return bauOeffnen(h, bib, name, true); }

int BauVorhanden(const char* bib, const char* name)
{
    BauHandle h;
    return bauOeffnen(&h, bib, name, false) == 0 ? 1 : 0;
}

int BauRead(BauHandle* h, BEF* b)
{
    if (h->version < 6 || h->rest <= 0) return ERROR;
    const int32_t von = h->position - h->start;
    if (von < 0 || von + h->rest != static_cast<int32_t>(h->daten.size())) return ERROR;
    BDAT m;
    bdopenram(&m, h->daten.data(), static_cast<int32_t>(h->daten.size()));
    if (bdseek(&m, von) != 0) return ERROR;
    BEF roh;
    std::memset(&roh, 0, sizeof roh);
    const int n = BefLesen(&m, &roh);
    if (n <= 0 || n > h->rest) {
        h->rest = 0;  // a record cut by the end of the data ends the component
        return ERROR;
    }
    BefAusDateiForm(&roh, b);
    h->position += n;
    h->rest -= n;
    return 0;
}

void BauClose(BauHandle* h)
{
    (void)h;
}

BauBefListe BauBefehle(const char* bib, const char* name)
{
    bauStart();
    char pfad[BAUPFADSUP + 1];
    if (BauPfad(bib, pfad, sizeof pfad) != 0) return nullptr;
    // The loaded library when it is current by BauLaden's own test (which
    // must not run here: it marks the library checked).
    const bool geladen = bauOffen && (std::strcmp(pfad, bauPfadGeladen) == 0 || PfadGleich(pfad, bauPfadGeladen)) &&
                         bauStempelZaehler == DatPruefZaehler();
    if (!geladen && (BauVersion(pfad) <= 5 || BauLaden(pfad) != 0)) return nullptr;
    if (!bauTeile) bauTeile = std::make_shared<BauTeile>();
    const BauTeileZeiger teile = bauTeile;
    const std::string schluessel(name, strnlen(name, BAUNAMSUP));
    const auto bekannt = teile->nachName.find(schluessel);
    if (bekannt != teile->nachName.end()) return bekannt->second;
    const int32_t i = bauSuchen(name);
    if (i < 0) return nullptr;
    const uint16_t nr = btlnamtab[i].index;
    BauBefListe liste;
    const auto gefunden = teile->befehle.find(nr);
    if (gefunden != teile->befehle.end()) {
        liste = gefunden->second;
    } else {
        BauHandle h;
        if (BauOpen(&h, pfad, name) != 0) return nullptr;
        auto neu = std::make_shared<std::vector<BEF>>();
        BEF b;
        while (BauRead(&h, &b) == 0) neu->push_back(b);
        BauClose(&h);
        liste = neu;
        teile->befehle.emplace(nr, liste);
    }
    teile->nachName.emplace(schluessel, liste);
    return liste;
}

int BauNachZeichnung(BauHandle* h, const char* zeichnung)
{
    return BauNachZeichnungMit(h, zeichnung, nullptr);
}

int BauNachZeichnungMit(BauHandle* h, const char* zeichnung, BauKonvertFn fn)
{
    return ZeiAusSaetzen(zeichnung, [h](BEF* b) { return BauRead(h, b); }, fn);
}

int BauBibOeffnen(BauBibHandle* h, const char* bib)
{
    *h = BauBibHandle{};
    if (BauPfad(bib, h->bib, sizeof h->bib) != 0) return ERROR;
    h->version = BauVersion(h->bib);
    if (h->version <= 5 || BauLaden(h->bib) != 0) return ERROR;
    h->anzahl = bauKopf.anzahl;
    h->kopfAnzahl = bauKopf.kopfanzahl;
    h->kbyte = static_cast<int32_t>((static_cast<int64_t>(bauKopf.laenge) + 512) / 1024);
    return 0;
}

void BauBibZu(BauBibHandle* h)
{
    if (h->version >= 6) BauBibSchliessen();
}

void BauNameHolen(const BauBibHandle* h, int index, char* aus, size_t kap)
{
    if (kap > 0) aus[0] = '\0';
    if (h->version < 6 || BauLaden(h->bib) != 0) return;
    if (index < 0 || index >= bauKopf.anzahl) return;
    strkopie(aus, kap, btlnamtab[index].name, BAUNAMSUP);
}

int BauBibAnlegen(const char* bib, int version)
{
    bauStart();
    char pfad[BAUPFADSUP + 1];
    if (BauPfad(bib, pfad, sizeof pfad) != 0) return ERROR;
    BauKopf k = {};
    k.version = version > 6 ? version : 6;
    std::vector<unsigned char> roh(BAUKOPF);
    bauKopfRoh(k, roh.data());
    if (bauOffen && PfadGleich(pfad, bauPfadGeladen)) BauBibSchliessen();
    const int r = bauDateiSchreiben(pfad, roh);
    bauCacheLeeren();
    return r;
}

int BauAufnehmen(BauBibHandle* h, const char* name, const char* zeichnung)
{
    if (h->version < 6) return ERROR;
    // The library is loaded first, so that its own names decide.
    if (BauLaden(h->bib) != 0) return ERROR;
    if (bauKopf.anzahl >= BAUANZAHLMAX) return ERROR;
    const BauKopf alt = bauKopf;
    char neu[BAUNAMSUP + 1];
    bauNameVorbereiten(name, alt.version, neu);

    std::vector<unsigned char> inhalt;
    if (!bauDateiLesen(bauPfadGeladen, &inhalt)) return ERROR;
    const int64_t ende = static_cast<int64_t>(BAUKOPF) + alt.laenge;
    if (alt.laenge < 0 || ende > static_cast<int64_t>(inhalt.size())) return ERROR;
    inhalt.resize(static_cast<size_t>(ende));

    std::vector<unsigned char> daten;
    if (!bauZeichnungDaten(zeichnung, &daten)) return ERROR;
    const int groesse = bauEintrag(alt.version);
    const int64_t neuL = alt.laenge + groesse + static_cast<int64_t>(daten.size());
    if (neuL > INT32_MAX - BAUKOPF) return ERROR;

    std::vector<unsigned char> eintrag(static_cast<size_t>(groesse), 0);
    std::memcpy(eintrag.data(), neu, std::strlen(neu));
    bauSchreibeL32(eintrag.data() + groesse - 8, static_cast<int32_t>(ende));
    bauSchreibeL32(eintrag.data() + groesse - 4, static_cast<int32_t>(daten.size()));
    inhalt.insert(inhalt.end(), eintrag.begin(), eintrag.end());
    inhalt.insert(inhalt.end(), daten.begin(), daten.end());
    BauKopf k = alt;
    k.anzahl += 1;
    k.laenge = static_cast<int32_t>(neuL);
    bauKopfRoh(k, inhalt.data());

    char pfad[BAUPFADSUP + 1];
    strkopie(pfad, bauPfadGeladen, BAUPFADSUP);
    BauBibSchliessen();
    bauCacheLeeren();
    const int r = bauDateiSchreiben(pfad, inhalt);
    const bool geladen = BauLaden(pfad) == 0;
    if (r != 0) return ERROR;
    // The component is in the file: that is the result. When only loading
    // its index again failed, the next access loads it; the counts come
    // from the header just written.
    const BauKopf& jetzt = geladen ? bauKopf : k;
    h->anzahl = jetzt.anzahl;
    h->kopfAnzahl = geladen ? jetzt.kopfanzahl : k.anzahl;
    h->kbyte = static_cast<int32_t>((static_cast<int64_t>(jetzt.laenge) + 512) / 1024);
    return 0;
}

int BauUmbenennen(BauBibHandle* h, int index, const char* neuname)
{
    if (h->version < 6) return ERROR;
    if (BauLaden(h->bib) != 0) return ERROR;
    if (index < 0 || index >= bauKopf.anzahl) return ERROR;
    // Name and field by the library as loaded: the handle may be older
    // than the file.
    char neu[BAUNAMSUP + 1];
    bauNameVorbereiten(neuname, bauKopf.version, neu);
    const int groesse = bauEintrag(bauKopf.version);
    const int feld = bauNamFeld(bauKopf.version);
    const int64_t kopfpos = static_cast<int64_t>(btlorgtab[btlnamtab[index].index].position) - groesse;

    std::vector<unsigned char> inhalt;
    if (!bauDateiLesen(bauPfadGeladen, &inhalt)) return ERROR;
    if (kopfpos < BAUKOPF || kopfpos + feld > static_cast<int64_t>(inhalt.size())) return ERROR;
    std::memset(inhalt.data() + kopfpos, 0, static_cast<size_t>(feld));
    std::memcpy(inhalt.data() + kopfpos, neu, std::strlen(neu));
    if (bauDateiSchreiben(bauPfadGeladen, inhalt) != 0) return ERROR;

    // The name table stays as loaded (its order is renewed at the next
    // load); the file is opened again so that reads see the new file.
    bdclose(&bauDatei);
    if (bdopenlesen(&bauDatei, bauPfadGeladen) < 0) {
        bauOffen = false;
        BauBibSchliessen();
        bauCacheLeeren();
        return ERROR;
    }
    bauCacheLeeren();
    return 0;
}

int BauPruefen(const char* bib, const char* bericht)
{
    bauStart();
    char pfad[BAUPFADSUP + 1];
    if (BauPfad(bib, pfad, sizeof pfad) != 0) return ERROR;
    const long dateigroesse = dateilaenge(pfad);
    BDAT d;
    if (bdopenlesen(&d, pfad) < 0) return ERROR;
    BDAT b;
    if (bdmake(&b, bericht) < 0) {
        bdclose(&d);
        return ERROR;
    }
    BauKopf k = {};
    int r = 0;
    char zeile[BAUPFADSUP + 100];
    if (!bauKopfLesen(&d, &k)) k = BauKopf{};
    std::snprintf(zeile, sizeof zeile, "%s:  v=%d l=%ld n=%d", pfad, static_cast<int>(k.version),
                  static_cast<long>(k.laenge), static_cast<int>(k.anzahl));
    if (bdputsmodus(&b, zeile, 1) != 0 || bdputsmodus(&b, "", 1) != 0) r = ERROR;
    const int groesse = bauEintrag(k.version);
    const int feld = bauNamFeld(k.version);
    bool kaputt = false;
    int64_t p = BAUKOPF;
    for (int i = 0; i < k.anzahl && r == 0; ++i) {
        unsigned char roh[BAULANG];
        if (p + groesse > dateigroesse || bdseek(&d, static_cast<int32_t>(p)) != 0 || bdread(&d, roh, groesse) != 0) {
            kaputt = true;  // the chain leaves the file
            break;
        }
        char name[BAUNAMSUP + 1] = {};
        strkopie(name, sizeof name, reinterpret_cast<const char*>(roh), feld - 1);
        const int32_t position = bauLeseL32(roh + groesse - 8);
        const uint32_t laenge = static_cast<uint32_t>(bauLeseL32(roh + groesse - 4));
        const char marke = position == p ? ' ' : '!';
        if (marke == '!') kaputt = true;
        if (groesse == BAULANG) {
            std::snprintf(zeile, sizeof zeile, "%4d i=%-7ld %-20.20s p=%-7ld l=%-5ld %c", i, static_cast<long>(p), name,
                          static_cast<long>(position), static_cast<long>(laenge), marke);
        } else {
            std::snprintf(zeile, sizeof zeile, "%4d i=%-7ld %-10.10s p=%-7ld l=%-5ld %c", i, static_cast<long>(p), name,
                          static_cast<long>(position), static_cast<long>(laenge), marke);
        }
        if (bdputsmodus(&b, zeile, 1) != 0) r = ERROR;
        p += groesse + static_cast<int64_t>(laenge);
    }
    if (bdlesefehler(&d)) {
        // Not a damaged library but an unreadable one: no report.
        r = ERROR;
        b.fehler = 1;
    }
    if (kaputt && r == 0 && bdputsmodus(&b, "*** Die Bauteildatei ist besch\xE4" "digt ***", 1) != 0) r = ERROR;
    bdclose(&d);
    if (bdclose(&b) != 0) r = ERROR;
    return r;
}

// ---- Equivalence file ----

namespace {

void bauAequiLaden()
{
    const char* bib = BauAktuell();
    if (bauAequiGeladen && std::strcmp(bauAequiBib, bib) == 0) return;
    bauAequiListe.clear();
    strkopie(bauAequiBib, bib, BAUPFADSUP);
    bauAequiGeladen = true;
    if (!*bib) return;
    char suffix[BAUPFADSUP + 1] = {};
    endungholen(suffix, bib);
    char datei[BAUPFADSUP + 1] = {};
    BauVerzDatei(bib, "BAUTEILA", suffix, datei, sizeof datei);
    BDAT d;
    if (bdopenlesen(&d, datei) < 0) return;
    char zeile[BAUZEILESUP + 1];
    int32_t nummer = 0;
    while (bdgets(&d, zeile, BAUZEILESUP) >= 0) {
        ++nummer;
        if (zeile[0] == ')' || nurzeichen(zeile, " -=+*#")) continue;
        char* rest = zeile;
        char wort[BAUZEILESUP + 1];
        while (wortab(wort, rest) > 0) {
            BauAequi e = {};
            strkopie(e.name, wort, BAUNAMSUP);
            strgross(e.name);
            e.gruppe = nummer;
            bauAequiListe.push_back(e);
        }
    }
    if (bdlesefehler(&d)) {
        // Half a list would pair wrong; the next call tries again.
        bauAequiListe.clear();
        bauAequiGeladen = false;
    }
    bdclose(&d);
}

int bauAequiVgl(const void* a, const void* b)
{
    return strvgl(static_cast<const char*>(a), static_cast<const char*>(b));
}

}  // namespace

int BauAequivalent(const char* a, const char* b)
{
    if (strvgl(a, b) == 0) return 1;
    bauAequiLaden();
    for (size_t i = 0; i < bauAequiListe.size(); ++i) {
        if (strvgl(bauAequiListe[i].name, a) != 0) continue;
        for (size_t j = 0; j < bauAequiListe.size(); ++j) {
            if (j != i && bauAequiListe[j].gruppe == bauAequiListe[i].gruppe && strvgl(bauAequiListe[j].name, b) == 0) {
                return 1;
            }
        }
    }
    return 0;
}

int BauAequivalente(const char* name, char aus[BAUAEQUISUP][BAUNAMSUP + 1])
{
    std::memset(aus, 0, sizeof(char) * BAUAEQUISUP * (BAUNAMSUP + 1));
    bauAequiLaden();
    int n = 0;
    for (size_t i = 0; i < bauAequiListe.size(); ++i) {
        if (strvgl(bauAequiListe[i].name, name) != 0) continue;
        const int32_t g = bauAequiListe[i].gruppe;
        for (size_t j = i + 1; j < bauAequiListe.size() && n < BAUAEQUISUP && bauAequiListe[j].gruppe == g; ++j) {
            strkopie(aus[n++], BAUNAMSUP + 1, bauAequiListe[j].name, BAUNAMSUP);
        }
        for (size_t j = i; j-- > 0 && n < BAUAEQUISUP && bauAequiListe[j].gruppe == g;) {
            strkopie(aus[n++], BAUNAMSUP + 1, bauAequiListe[j].name, BAUNAMSUP);
        }
        break;
    }
    shellsort(aus, n, BAUNAMSUP + 1, bauAequiVgl);
    return 0;
}

void BauAequiFrei()
{
    bauAequiListe.clear();
    bauAequiListe.shrink_to_fit();
    bauAequiGeladen = false;
    bauAequiBib[0] = '\0';
}

void BauAequiLeeren()
{
    bauAequiListe.clear();
    bauAequiGeladen = false;
    bauAequiBib[0] = '\0';
}
