// Record arrays: index of record pointers over storage blocks shared with
// the record pools (strublockint.h). The assertion lines are the module's
// fixed ones, named where they are raised.
#include "support/struarr.h"

#include <cstring>

#include "support/basis.h"
#include "support/sortier.h"
#include "support/speicher.h"
#include "support/strublockint.h"

namespace {

const SbTexte saTexte = {"struarr", 117, "sl->nxtram < SARSUP", 118,
                         "(sl->ram[sl->nxtram] = fmalloc(30000,2)) != NULL"};

// The caller's comparator while sasortieren or sasuchen runs; saved and
// restored around each call.
SAVERGLFN saVergl = nullptr;

int saSortAdapter(const void* a, const void* b)
{
    return saVergl(*static_cast<char* const*>(a), *static_cast<char* const*>(b));
}

int saSuchAdapter(const void* eintrag, const void* schluessel)
{
    return saVergl(*static_cast<char* const*>(eintrag), schluessel);
}

char** saIndexNeu(int32_t anzahl, int zeile, const char* ausdruck)
{
    auto* index = static_cast<char**>(fmalloc(anzahl, sizeof(void*)));
    if (index == nullptr) {
        wiAssert("struarr", zeile, ausdruck);
    }
    return index;
}

// Index room and a slot for one more record; the slot, not yet in the index.
char* saNeuerPlatz(SARR* sa)
{
    if (sa->anzahl > SAISUP - 1) {
        wiAssert("struarr", 99, "sl->anzahl < SAISUP");
    }
    if (sa->anzahl >= sa->inhanz) {
        int32_t neuanz = sa->inhanz + SAINDEXSCHRITT;
        char** neu = saIndexNeu(neuanz, 103, "zwischen = (char **)fmalloc(sl->inhanz,sizeof(void *))");
        if (sa->anzahl > 0) {
            std::memcpy(neu, sa->inhalt, sizeof(char*) * static_cast<size_t>(sa->anzahl));
        }
        ffree(sa->inhalt);
        sa->inhalt = neu;
        sa->inhanz = neuanz;
    }
    return sbPlatz(sa, SARSUP, saTexte);
}

}  // namespace

void sainit(SARR* sa, int32_t groesse)
{
    if (groesse < 1 || groesse > SABLOCK) {
        wiAssert("struarr", __LINE__, "groesse > 0 && groesse <= 60000");
    }
    std::memset(sa, 0, sizeof *sa);
    sa->groesse = groesse;
    sa->inhalt = saIndexNeu(SAINDEXSCHRITT, 32, "sl->inhalt = (char **)fmalloc(sl->inhanz,sizeof(void *))");
    sa->inhanz = SAINDEXSCHRITT;
}

int sagueltig(const SARR* sa)
{
    return sa != nullptr && sa->inhalt != nullptr ? 1 : 0;
}

void safrei(SARR* sa)
{
    sbBloeckeFrei(sa, SARSUP);
    ffree(sa->inhalt);
    std::memset(sa, 0, sizeof *sa);
}

void saleeren(SARR* sa)
{
    sbBloeckeFrei(sa, SARSUP);
    ffree(sa->inhalt);
    sa->inhalt = nullptr;
    sa->inhanz = 0;
    sa->anzahl = 0;
    sa->inhalt = saIndexNeu(SAINDEXSCHRITT, 71, "sl->inhalt = (char **)fmalloc(sl->inhanz,sizeof(void *))");
    sa->inhanz = SAINDEXSCHRITT;
}

int32_t saanhaengen(SARR* sa, const void* satz)
{
    char* p = saNeuerPlatz(sa);
    std::memcpy(p, satz, static_cast<size_t>(sa->groesse));
    sa->inhalt[sa->anzahl] = p;
    return sa->anzahl++;
}

int32_t saeinfuegen(SARR* sa, const void* satz, int32_t i)
{
    if (i < 0 || i > sa->anzahl) {
        wiAssert("struarr", __LINE__, "idx >= 0 && idx <= sl->anzahl");
    }
    char* p = saNeuerPlatz(sa);
    std::memcpy(p, satz, static_cast<size_t>(sa->groesse));
    movmem(sa->inhalt + i, sa->inhalt + i + 1, static_cast<long>(sizeof(char*)) * (sa->anzahl - i));
    sa->inhalt[i] = p;
    sa->anzahl++;
    return i;
}

void saloeschen(SARR* sa, int32_t i)
{
    if (i < 0 || i >= sa->anzahl) {
        wiAssert("struarr", 85, "idx >= 0 && idx < sl->anzahl");
    }
    char* p = sa->inhalt[i];
    int32_t nummer = sbNummer(sa, p, SARSUP);
    if (nummer < 0) {
        wiAssert("struarr", __LINE__, "sbNummer(sl, p) >= 0");
    }
    sbZurueck(sa, p, nummer);
    sa->anzahl--;
    movmem(sa->inhalt + i + 1, sa->inhalt + i, static_cast<long>(sizeof(char*)) * (sa->anzahl - i));
    sa->inhalt[sa->anzahl] = nullptr;
}

void* saadr(const SARR* sa, int32_t i)
{
    if (sa == nullptr || sa->inhalt == nullptr || i < 0 || i >= sa->anzahl) {
        return nullptr;
    }
    return sa->inhalt[i];
}

int saholen(const SARR* sa, int32_t i, void* puffer)
{
    void* p = saadr(sa, i);
    if (p == nullptr) {
        return 0;
    }
    std::memcpy(puffer, p, static_cast<size_t>(sa->groesse));
    return 1;
}

int sasetzen(SARR* sa, const void* puffer, int32_t i)
{
    void* p = saadr(sa, i);
    if (p == nullptr) {
        return 0;
    }
    movmem(puffer, p, sa->groesse);
    return 1;
}

int32_t saanzahl(const SARR* sa)
{
    return sa->anzahl;
}

int32_t sagroesse(const SARR* sa)
{
    return sa->groesse;
}

int saplatz(const SARR* sa)
{
    if (sa->frei != 0) {
        return 1;
    }
    if (sa->anzahl >= SAISUP - 1) {
        return 0;
    }
    return sa->fuellung + sa->groesse < SABLOCK || sa->nxtram < SARSUP - 1 ? 1 : 0;
}

void sasortieren(SARR* sa, SAVERGLFN vergl)
{
    SAVERGLFN alt = saVergl;
    saVergl = vergl;
    shellsort(sa->inhalt, sa->anzahl, static_cast<int32_t>(sizeof(char*)), saSortAdapter);
    saVergl = alt;
}

int32_t sasuchen(const SARR* sa, SAVERGLFN vergl, const void* schluessel)
{
    SAVERGLFN alt = saVergl;
    saVergl = vergl;
    int32_t i = binsuche(sa->inhalt, sa->anzahl, static_cast<int32_t>(sizeof(char*)), saSuchAdapter, schluessel);
    saVergl = alt;
    return i;
}
