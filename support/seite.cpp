// Section text files: the process-wide section store, sections of texts in
// memory, and record lines. Lines are read through a memory-backed BDAT, so
// CR LF, Ctrl-Z and the cut of over-long lines behave as in every other text
// reader. The assertion lines are the module's fixed ones.
#include "support/seite.h"

#include <cstdint>
#include <cstring>
#include <string>

#include "support/basis.h"
#include "support/bdatei.h"
#include "support/fileload.h"
#include "support/speicher.h"
#include "support/texte.h"
#include "support/vergleich.h"

namespace {

// The store (see the invariants in seite.h).
char* seBlock = nullptr;
long seLaenge = 0;
long seStart = 0;
long seAuswahl = 0;  // length of the selected range; 0 none

// A memory-backed record over a text; false when it is too long for one.
bool seOeffnen(BDAT* d, const char* speicher, long laenge)
{
    if (speicher == nullptr || laenge < 0 || laenge >= INT32_MAX) {
        return false;
    }
    // The record only reads here, although it could write.
    bdopenram(d, const_cast<char*>(speicher), static_cast<int32_t>(laenge));
    return true;
}

// When the line is a section start: its name trimmed in place, else NULL.
char* seStartName(char* zeile)
{
    if (zeile[0] != ')' || zeile[1] != 'S' || zeile[2] != ' ') {
        return nullptr;
    }
    strtrim(zeile + 3);
    return zeile + 3;
}

int seListe(const char* speicher, long laenge, SEITENAMEFN fn)
{
    BDAT d;
    if (!seOeffnen(&d, speicher, laenge)) {
        return 0;
    }
    char zeile[SEITEZEILESUP + 1];
    int anzahl = 0;
    while (bdgets(&d, zeile, SEITEZEILESUP) >= 0) {
        if (const char* name = seStartName(zeile)) {
            ++anzahl;
            if (fn != nullptr) {
                fn(name);
            }
        }
    }
    return anzahl;
}

// Reads lines up to the start line of section `name`; true when found.
bool seSuchen(BDAT* d, const char* name, char* zeile)
{
    while (bdgets(d, zeile, SEITEZEILESUP) >= 0) {
        const char* n = seStartName(zeile);
        if (n != nullptr && strvgl(n, name) == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

int seiteladen(const char* pfad)
{
    seitefrei();
    char* block = nullptr;
    long laenge = 0;
    if (dateiladen(pfad, &block, &laenge) != 0) {
        return -1;
    }
    seBlock = block;
    seLaenge = laenge;
    return 0;
}

void seitefrei()
{
    ffree(seBlock);
    seBlock = nullptr;
    seLaenge = 0;
    seStart = 0;
    seAuswahl = 0;
}

int seitenliste(SEITENAMEFN fn)
{
    return seBlock == nullptr ? 0 : seListe(seBlock, seLaenge, fn);
}

int seitewaehlen(const char* name)
{
    seStart = 0;
    seAuswahl = 0;
    BDAT d;
    if (seBlock == nullptr || !seOeffnen(&d, seBlock, seLaenge)) {
        return -1;
    }
    char zeile[SEITEZEILESUP + 1];
    if (!seSuchen(&d, name, zeile)) {
        return -1;
    }
    long start = bdtell(&d);
    while (bdgets(&d, zeile, SEITEZEILESUP) >= 0 && zeile[0] != ')') {
    }
    long laenge = bdtell(&d) - start;
    if (laenge <= 0) {
        return -1;
    }
    seStart = start;
    seAuswahl = laenge;
    return 0;
}

int seiteoeffnen(BDAT* d)
{
    if (seAuswahl <= 0) {
        return -1;
    }
    bdopenram(d, seBlock + seStart, static_cast<int32_t>(seAuswahl));
    return 0;
}

int seiteschreiben(const char* pfad)
{
    if (seAuswahl <= 0) {
        return -1;
    }
    return dateischreiben(pfad, seBlock + seStart, seAuswahl);
}

char* seitekopie()
{
    if (seAuswahl <= 0) {
        return nullptr;
    }
    char* ergebnis = static_cast<char*>(fmalllong(seAuswahl + 1));
    if (ergebnis == nullptr) {
        wiAssert("seite", 211, "ergebnis = fmalllong( stelng+1 )");
    }
    std::memcpy(ergebnis, seBlock + seStart, static_cast<size_t>(seAuswahl));
    ergebnis[seAuswahl] = 0;
    return ergebnis;
}

char* seiteausspeicher(const char* speicher, long laenge, const char* name)
{
    if (laenge < 0) {
        laenge = 0;
    }
    // One byte more than the text: a single unterminated line, or no text,
    // still leaves room for the terminator.
    char* ergebnis = static_cast<char*>(fmalllong(laenge + 1));
    if (ergebnis == nullptr) {
        wiAssert("seite", 38, "ergebnis = fmalllong( lang )");
    }
    BDAT d;
    if (!seOeffnen(&d, speicher, laenge)) {
        return ergebnis;
    }
    char zeile[SEITEZEILESUP + 1];
    long schreib = 0;
    if (seSuchen(&d, name, zeile)) {
        int n;
        while ((n = bdgets(&d, zeile, SEITEZEILESUP)) >= 0 && zeile[0] != ')') {
            // Content never outgrows the text it came from (the start line
            // was consumed); the check only keeps that visible.
            if (schreib + n + 1 > laenge) {
                break;
            }
            std::memcpy(ergebnis + schreib, zeile, static_cast<size_t>(n));
            schreib += n;
            ergebnis[schreib++] = '\n';
        }
    }
    ergebnis[schreib] = 0;
    return ergebnis;
}

int seitenlisteausspeicher(const char* speicher, long laenge, SEITENAMEFN fn)
{
    return seListe(speicher, laenge, fn);
}

int StrFelderPackenListe(char* zeile, size_t groesse, const char* const* texte, int anzahl)
{
    if (groesse == 0) {
        return 0;
    }
    std::string s(zeile, strnlen(zeile, groesse));
    s.resize(FELDSPALTEN, ' ');
    s += FELDTRENNER;
    for (int i = 0; i < anzahl && i < FELDSUP && texte[i] != nullptr; ++i) {
        s += texte[i];
        s += '\t';
    }
    size_t n = s.size() < groesse ? s.size() : groesse - 1;
    std::memcpy(zeile, s.data(), n);
    zeile[n] = 0;
    return static_cast<int>(n);
}

int StrFelderEntpackenListe(char* zeile, const StrFeld* ziele, int anzahl)
{
    size_t laenge = std::strlen(zeile);
    const char* p = zeile + (laenge > FELDSPALTEN + 1 ? FELDSPALTEN + 1 : laenge);
    for (int i = 0; i < anzahl && i < FELDSUP && ziele[i].text != nullptr; ++i) {
        const char* tab = std::strchr(p, '\t');
        size_t n = tab != nullptr ? static_cast<size_t>(tab - p) : std::strlen(p);
        if (ziele[i].groesse > 0) {
            size_t k = n < ziele[i].groesse ? n : ziele[i].groesse - 1;
            std::memmove(ziele[i].text, p, k);
            ziele[i].text[k] = 0;
        }
        p = tab != nullptr ? tab + 1 : p + n;
    }
    if (laenge > FELDSPALTEN) {
        zeile[FELDSPALTEN] = 0;
    }
    strrtrim(zeile);
    return zeile[0] != 0 ? 1 : 0;
}
