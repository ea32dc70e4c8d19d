// Memory blocks, byte moves and the growable string; see speicher.h.
// Calls the C runtime and the allocation fault injection of platform/.
#include "support/speicher.h"

#include <cstdlib>
#include <cstring>

#include "platform/fehlersim.h"

namespace {

int32_t fmallLebend = 0;

// The growable string's header in front of the text.
struct StrDynKopf {
    uint32_t laenge;
    uint32_t kapazitaet;
};

StrDynKopf* strDynKopf(const char* text)
{
    return reinterpret_cast<StrDynKopf*>(const_cast<char*>(text) - sizeof(StrDynKopf));
}

// Reallocates to `kapazitaet` characters; the new tail is zeroed.
char* strDynNeuGroesse(char* text, uint32_t kapazitaet)
{
    StrDynKopf* alt = strDynKopf(text);
    uint32_t altKap = alt->kapazitaet;
    auto* neu = static_cast<StrDynKopf*>(
        std::realloc(alt, sizeof(StrDynKopf) + static_cast<size_t>(kapazitaet) + 1));
    if (neu == nullptr) {
        return nullptr;
    }
    char* t = reinterpret_cast<char*>(neu + 1);
    if (kapazitaet > altKap) {
        std::memset(t + altKap + 1, 0, kapazitaet - altKap);
    }
    neu->kapazitaet = kapazitaet;
    return t;
}

void* fmallBlock(long anzahl, long groesse, bool nullen)
{
    ++fmallLebend;
    if (anzahl < 0 || groesse < 0) {
        return nullptr;
    }
    if (plFehlerJetzt(PlFehlerArt::Speicher)) {
        return nullptr;
    }
    size_t n = static_cast<size_t>(anzahl);
    size_t g = static_cast<size_t>(groesse);
    if (g != 0 && n > SIZE_MAX / g) {
        return nullptr;
    }
    // calloc(0) may give NULL; a block of no bytes is still a block.
    if (n * g == 0) return std::calloc(1, 1);
    return nullen ? std::calloc(n, g) : std::malloc(n * g);
}

}  // namespace

void* fmalloc(long anzahl, long groesse)
{
    return fmallBlock(anzahl, groesse, true);
}

void* fmallocRoh(long anzahl, long groesse)
{
    return fmallBlock(anzahl, groesse, false);
}

void* fmalllong(long groesse)
{
    return fmalloc(1, groesse);
}

void ffree(void* block)
{
    if (block == nullptr) {
        return;
    }
    --fmallLebend;
    std::free(block);
}

int32_t fmallanzahl()
{
    return fmallLebend;
}

void* movmem(const void* quelle, void* ziel, long n)
{
    if (n > 0) {
        std::memmove(ziel, quelle, static_cast<size_t>(n));
        return static_cast<char*>(ziel) + n;
    }
    return ziel;
}

void* setmem(void* adresse, long n, int wert)
{
    if (n > 0) {
        std::memset(adresse, wert, static_cast<size_t>(n));
        return static_cast<char*>(adresse) + n;
    }
    return adresse;
}

void tauschmem(void* a, void* b, long n)
{
    auto* pa = static_cast<unsigned char*>(a);
    auto* pb = static_cast<unsigned char*>(b);
    for (long i = 0; i < n; ++i) {
        unsigned char t = pa[i];
        pa[i] = pb[i];
        pb[i] = t;
    }
}

int maxi(int a, int b)
{
    return a > b ? a : b;
}

int mini(int a, int b)
{
    return a < b ? a : b;
}

double dmaxi(double a, double b)
{
    return a > b ? a : b;
}

double dmini(double a, double b)
{
    return a < b ? a : b;
}

char* StrDynNeu(const char* text, uint32_t kapazitaet)
{
    size_t laenge = text ? std::strlen(text) : 0;
    if (laenge > UINT32_MAX - 1) {
        return nullptr;
    }
    uint32_t kap = kapazitaet > laenge ? kapazitaet : static_cast<uint32_t>(laenge);
    auto* kopf =
        static_cast<StrDynKopf*>(std::calloc(1, sizeof(StrDynKopf) + static_cast<size_t>(kap) + 1));
    if (kopf == nullptr) {
        return nullptr;
    }
    kopf->laenge = static_cast<uint32_t>(laenge);
    kopf->kapazitaet = kap;
    char* t = reinterpret_cast<char*>(kopf + 1);
    if (laenge > 0) {
        std::memcpy(t, text, laenge);
    }
    return t;
}

int StrDynFrei(char* text)
{
    if (text != nullptr) {
        std::free(strDynKopf(text));
    }
    return 0;
}

uint32_t StrDynLaenge(const char* text)
{
    return text ? strDynKopf(text)->laenge : 0;
}

uint32_t StrDynGroesse(const char* text)
{
    return text ? strDynKopf(text)->kapazitaet : 0;
}

char* StrDynLaengeNeu(char* text)
{
    if (text != nullptr) {
        StrDynKopf* k = strDynKopf(text);
        k->laenge = static_cast<uint32_t>(strnlen(text, k->kapazitaet));
        text[k->laenge] = '\0';
    }
    return text;
}

char* StrDynPlatz(char* text, uint32_t benoetigt, uint32_t zuwachs)
{
    if (text == nullptr) {
        return nullptr;
    }
    StrDynKopf* k = strDynKopf(text);
    uint64_t bedarf = static_cast<uint64_t>(k->laenge) + benoetigt;
    if (bedarf <= k->kapazitaet) {
        return text;
    }
    // Growing by `zuwachs` alone could leave less room than was asked for.
    uint64_t neu = static_cast<uint64_t>(k->kapazitaet) + zuwachs;
    if (neu < bedarf) {
        neu = bedarf;
    }
    if (neu > UINT32_MAX - 1) {
        return nullptr;
    }
    return strDynNeuGroesse(text, static_cast<uint32_t>(neu));
}

char* StrDynAnhaengen(char* text, const char* zusatz)
{
    if (text == nullptr || zusatz == nullptr || *zusatz == '\0') {
        return text;
    }
    size_t z = std::strlen(zusatz);
    StrDynKopf* k = strDynKopf(text);
    uint64_t neuLaenge = static_cast<uint64_t>(k->laenge) + z;
    if (neuLaenge > UINT32_MAX - 1) {
        return nullptr;
    }
    if (neuLaenge > k->kapazitaet) {
        text = strDynNeuGroesse(text, static_cast<uint32_t>(neuLaenge));
        if (text == nullptr) {
            return nullptr;
        }
        k = strDynKopf(text);
    }
    std::memcpy(text + k->laenge, zusatz, z);
    k->laenge = static_cast<uint32_t>(neuLaenge);
    text[k->laenge] = '\0';
    return text;
}
