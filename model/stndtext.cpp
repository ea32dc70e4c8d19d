// Standard texts: line list, selected file, block index. Prefix `StndText`
// (file-static helpers `stnd...`). Calls support/ (buffered files, file
// calls, texts) and config/ (text paths, language files, check counter).
//
// Lines are kept as separate strings, so appending to one line can never
// run into the next.
#include "model/stndtext.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "config/reaktion.h"
#include "config/verzeich.h"
#include "config/datwache.h"
#include "support/basis.h"
#include "support/bdatei.h"
#include "support/datum.h"
#include "support/dosdatei.h"
#include "support/pfade.h"
#include "support/texte.h"

namespace {

struct tebe {
    char name[STNDNAMSUP + 1];
    int32_t position;  // of the header line
};

std::vector<std::string> stndZeilen;
int stndInhalt = 0;  // characters of all lines
int stndLaengste = 0;

std::vector<tebe> stndIndex;
int32_t stndScanWeiter = 0;  // first line after the last indexed header

std::string stndName;
BDAT stndDatei;
bool stndOffen = false;
DATZEIT stndZeit;
int32_t stndZaehler = 0;

void stndLeeren()
{
    stndZeilen.clear();
    stndInhalt = 0;
    stndLaengste = 0;
}

void stndZeileNeu(const char* text)
{
    if (static_cast<int>(stndZeilen.size()) >= ANZSUP) return;
    const int platz = INHSUP - stndInhalt;
    std::string z(text, std::min(std::strlen(text), static_cast<size_t>(platz > 0 ? platz : 0)));
    stndInhalt += static_cast<int>(z.size());
    if (static_cast<int>(z.size()) > stndLaengste) stndLaengste = static_cast<int>(z.size());
    stndZeilen.push_back(std::move(z));
}

void stndSchliessen()
{
    if (stndOffen) bdclose(&stndDatei);
    stndOffen = false;
}

bool stndWeiss(char c) { return istweiss(static_cast<unsigned char>(c)); }

DATZEIT stndDateiZeit(const char* pfad)
{
    DATZEIT t;
    std::memset(&t, 0, sizeof t);
    if (dateizeit(pfad, &t) != 0) std::memset(&t, 0, sizeof t);
    return t;
}

// The name of a header line (the first word) and the column of its rest.
std::string stndKopfName(const char* zeile, int* einzug)
{
    int i = 0;
    while (zeile[i] && !stndWeiss(zeile[i])) ++i;
    std::string name(zeile, static_cast<size_t>(i));
    while (zeile[i] == ' ' || (zeile[i] && stndWeiss(zeile[i]))) ++i;
    *einzug = i;
    return name;
}

bool stndIstKopf(const char* zeile) { return zeile[0] != '\0' && !stndWeiss(zeile[0]); }

// Reads the block whose header line begins at the position into the lines.
void stndBlockLesen(int32_t position)
{
    char zeile[STNDZEILESUP + 1];
    if (bdseek(&stndDatei, position) != 0 || bdgets(&stndDatei, zeile, STNDZEILESUP) < 0) return;
    int einzug = 0;
    stndKopfName(zeile, &einzug);
    std::string rest = zeile + einzug;
    while (!rest.empty() && stndWeiss(rest.back())) rest.pop_back();
    stndLeeren();
    stndZeileNeu(rest.c_str());
    bool erste = true;
    while (static_cast<int>(stndZeilen.size()) < ANZSUP && stndInhalt <= STNDINHALTMAX) {
        if (bdgets(&stndDatei, zeile, STNDZEILESUP) < 0) break;
        if (!stndWeiss(zeile[0])) break;  // a header, or an empty line
        if (erste && rest.empty() && zeile[0] == ' ') {
            einzug = 0;
            while (zeile[einzug] == ' ') ++einzug;
        }
        erste = false;
        strrtrim(zeile);
        const int l = static_cast<int>(std::strlen(zeile));
        stndZeileNeu(zeile + (einzug < l ? einzug : l));
    }
}

// Scans on from the last indexed header for the key; the header position
// or -1.
int32_t stndScannen(const std::string& schluessel)
{
    if (bdseek(&stndDatei, stndScanWeiter) != 0) return -1;
    char zeile[STNDZEILESUP + 1];
    for (;;) {
        const int32_t pos = bdtell(&stndDatei);
        if (bdgets(&stndDatei, zeile, STNDZEILESUP) < 0) return -1;
        if (!stndIstKopf(zeile)) continue;
        int einzug = 0;
        const std::string name = stndKopfName(zeile, &einzug);
        if (static_cast<int>(stndIndex.size()) < TBSUP) {
            tebe t = {};
            strkopie(t.name, name.c_str(), STNDNAMSUP);
            t.position = pos;
            stndIndex.push_back(t);
            stndScanWeiter = bdtell(&stndDatei);
        }
        if (name == schluessel) return pos;
    }
}

}  // namespace

void StndTextInit()
{
    stndLeeren();
    stndIndex.clear();
    stndIndex.reserve(TBSUP);
    stndScanWeiter = 0;
    stndName.clear();
    stndSchliessen();
}

void StndTextEnde()
{
    stndSchliessen();
    stndName.clear();
    stndLeeren();
    stndIndex.clear();
    stndIndex.shrink_to_fit();
}

void StndTextDatei(const char* name)
{
    if (!name) {
        StndTextWaehlen(nullptr);
        return;
    }
    char datei[PFADSUP + 1] = {};
    strkopie(datei, name, PFADSUP);
    if (const int art = SprTextDateiArt(datei)) SprTextDatei(datei, sizeof datei, art);
    char pfad[PFADSUP + 1] = {};
    PfadText(pfad, sizeof pfad, datei);
    if (!PfadHatOrdner(pfad)) {
        char voll[PFADSUP + 1] = {};
        if (dosgetcwd(voll) == 0 && pfadschluss(voll) == 0) {
            const size_t l = std::strlen(voll);
            strkopie(voll + l, sizeof voll - l, pfad, PFADSUP);
            strkopie(pfad, voll, PFADSUP);
        }
    }
    StndTextWaehlen(pfad);
}

void StndTextWaehlen(const char* pfad)
{
    if (!pfad || !*pfad) {
        stndName.clear();
        stndSchliessen();
        return;
    }
    if (stndName == pfad) {
        if (!stndOffen || DatPruefZaehler() == stndZaehler) return;
        stndZaehler = DatPruefZaehler();
        const DATZEIT t = stndDateiZeit(pfad);
        if (std::memcmp(&t, &stndZeit, sizeof t) == 0) return;
    }
    stndSchliessen();
    stndName = pfad;
    stndZaehler = DatPruefZaehler();
    stndZeit = stndDateiZeit(pfad);
    stndIndex.clear();
    stndScanWeiter = 0;
    stndOffen = bdopenlesen(&stndDatei, pfad) >= 0;
}

void StndTextSchliessen()
{
    StndTextWaehlen(nullptr);
}

int StndTextSuchen(const char* text)
{
    stndLeeren();
    stndZeileNeu(text);
    if (!stndOffen) return 1;
    char schluessel[STNDSCHLUESSEL + 1] = {};
    strkopie(schluessel, text, STNDSCHLUESSEL);
    strtrim(schluessel);
    int32_t pos = -1;
    for (const tebe& t : stndIndex) {
        if (std::strcmp(t.name, schluessel) == 0) {
            pos = t.position;
            break;
        }
    }
    if (pos < 0) pos = stndScannen(schluessel);
    if (pos >= 0) stndBlockLesen(pos);
    return static_cast<int>(stndZeilen.size());
}

int StndTextZerlegen(const char* text)
{
    StndTextSuchen(text);
    for (std::string& z : stndZeilen) {
        if (!z.empty() && z[0] == '|') z[0] = ' ';
    }
    return static_cast<int>(stndZeilen.size());
}

void StndTextSetzen(const char* text)
{
    stndLeeren();
    stndZeileNeu(text);
    if (!stndZeilen[0].empty() && stndZeilen[0][0] == '|') stndZeilen[0][0] = ' ';
}

void StndTextAnhaengen(int n, const char* text)
{
    if (n < 0 || n >= static_cast<int>(stndZeilen.size())) return;
    const int platz = INHSUP - stndInhalt;
    const size_t l = std::min(std::strlen(text), static_cast<size_t>(platz > 0 ? platz : 0));
    stndZeilen[static_cast<size_t>(n)].append(text, l);
    stndInhalt += static_cast<int>(l);
    const int neu = static_cast<int>(stndZeilen[static_cast<size_t>(n)].size());
    if (neu > stndLaengste) stndLaengste = neu;
}

const char* StndTextZeile(int n)
{
    if (n < 0 || n >= static_cast<int>(stndZeilen.size())) return nullptr;
    return stndZeilen[static_cast<size_t>(n)].c_str();
}

int StndTextAnzahl() { return static_cast<int>(stndZeilen.size()); }

int StndTextLaenge() { return stndLaengste; }
