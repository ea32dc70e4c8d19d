// Project texts by language (see fstx.h).
#include "equipment/fstx.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "config/konfhaken.h"
#include "config/reaktion.h"
#include "config/verzeich.h"
#include "equipment/bmhilf.h"
#include "equipment/projzeile.h"
#include "equipment/wache.h"
#include "model/zeichnun.h"
#include "support/basis.h"
#include "support/bdatei.h"
#include "support/dosdatei.h"
#include "support/texte.h"
#include "support/vergleich.h"

namespace {

constexpr int FXPFADSUP = VERSUP + 20;
constexpr int FXZEILESUP = 120;   // a record line fits: 3 + 23 + 1 + 83 and four separators

struct FxZustand {
    bool init = false;
    std::vector<FSTX> liste;
    bool geaendert = false;
    bool lesefehler = false;  // the file was read short: it is not written over
    WACHE wache{};
};
FxZustand fx;

int fxVergleich(const FSTX& a, const FSTX& b)
{
    int v = std::strcmp(a.art, b.art);
    if (v != 0) return v;
    v = std::strcmp(a.kenn, b.kenn);
    if (v != 0) return v;
    return a.sprache < b.sprache ? -1 : a.sprache > b.sprache ? 1 : 0;
}

bool fxKleiner(const FSTX& a, const FSTX& b) { return fxVergleich(a, b) < 0; }

// Sorted, and one record per kind, key and language: of records alike in a
// file of another program the later one stands, as if it had been set
// after the earlier (two alike would let a search find either).
void fxSortieren()
{
    std::stable_sort(fx.liste.begin(), fx.liste.end(), fxKleiner);
    auto ziel = fx.liste.begin();
    for (auto it = fx.liste.begin(); it != fx.liste.end(); ++it) {
        if (ziel != fx.liste.begin() && !fxKleiner(*(ziel - 1), *it)) {
            *(ziel - 1) = *it;
            continue;
        }
        *ziel++ = *it;
    }
    fx.liste.erase(ziel, fx.liste.end());
}

FSTX fxSatz(const char* art, const char* kenn, int sprache, const char* text)
{
    FSTX s{};
    strkopie(s.art, art != nullptr ? art : "", FSTXARTSUP);
    strkopie(s.kenn, kenn != nullptr ? kenn : "", FSTXKENNSUP);
    s.sprache = sprache;
    strkopie(s.text, text != nullptr ? text : "", FSTXTEXTSUP);
    return s;
}

// Position of (art, kenn, sprache) or where it belongs.
size_t fxSuchen(const FSTX& s, bool* gefunden)
{
    auto it = std::lower_bound(fx.liste.begin(), fx.liste.end(), s, fxKleiner);
    *gefunden = it != fx.liste.end() && fxVergleich(*it, s) == 0;
    return static_cast<size_t>(it - fx.liste.begin());
}

// Replaces the record of equal kind, key and language or inserts it in
// order; false when the list is full.
bool fxEinfuegen(const FSTX& s)
{
    bool da = false;
    const size_t i = fxSuchen(s, &da);
    if (da) {
        fx.liste[i] = s;
        return true;
    }
    if (fx.liste.size() >= static_cast<size_t>(FSTXSUP)) return false;
    fx.liste.insert(fx.liste.begin() + static_cast<std::ptrdiff_t>(i), s);
    return true;
}

void fxPfad(char* puffer, size_t groesse) { PfadProjekt(puffer, groesse, "Texte.zvk"); }

void fxLeeren()
{
    fx.liste.clear();
    fx.geaendert = false;
    fx.lesefehler = false;
    WacheLeeren(&fx.wache);
}

void fxZerlegen(const char* zeile, FSTX* s)
{
    std::memset(s, 0, sizeof *s);
    const char* p = zeile;
    char zahl[24];
    pzFeld(s->art, sizeof s->art, &p, PZTRENNER, FSTXARTSUP);
    pzFeld(s->kenn, sizeof s->kenn, &p, PZTRENNER, FSTXKENNSUP);
    pzFeld(zahl, sizeof zahl, &p, PZTRENNER, 20);
    s->sprache = pzAtoi(zahl);
    pzFeld(s->text, sizeof s->text, &p, PZTRENNER, FSTXTEXTSUP);
}

// Reads the records of a section into `fn`, which answers false to stop.
template <typename FN>
void fxSaetzeLesen(BDAT* d, FN fn)
{
    pzSaetzeLesen(d, [&fn](const char* zeile) {
        FSTX s;
        fxZerlegen(zeile, &s);
        return fn(s);
    });
}

std::string fxBauteilPraefix(uint32_t id, const char* code, int nr)
{
    char k[64];
    std::snprintf(k, sizeof k, "%04X-%s-%d-", id, code != nullptr ? code : "", nr);
    return k;
}

std::string fxTextKenn(uint32_t id, const char* code, int nr, int zeile)
{
    char k[64];
    std::snprintf(k, sizeof k, "%04X-%s-%d-%d", id, code != nullptr ? code : "", nr, zeile);
    return std::string(k).substr(0, FSTXKENNSUP);
}

std::string fxTitelKenn(const char* zeichnung, int n)
{
    char ext[ZEIPFADSUP + 1];
    ZeiExtHolen(zeichnung != nullptr ? zeichnung : "", ext);
    char k[ZEIPFADSUP + 16];
    std::snprintf(k, sizeof k, "%s-%d", ext, n);
    return std::string(k).substr(0, FSTXKENNSUP);
}

std::string fxCKenn(int liste, const char* code)
{
    char k[40];
    std::snprintf(k, sizeof k, "%d-%.4s", liste, code != nullptr ? code : "");
    return k;
}

// Deletes the records of one kind whose key passes `passt`; true when one went.
template <typename P>
bool fxLoeschenWenn(const char* art, P passt)
{
    const size_t vorher = fx.liste.size();
    fx.liste.erase(std::remove_if(fx.liste.begin(), fx.liste.end(),
                                  [&](const FSTX& s) { return std::strcmp(s.art, art) == 0 && passt(s); }),
                   fx.liste.end());
    if (fx.liste.size() == vorher) return false;
    fx.geaendert = true;
    return true;
}

// Gives the records of one kind for which `neu` yields a new key that key;
// a renamed record replaces one already under its new key and language.
template <typename N>
void fxUmbenennen(const char* art, N neu)
{
    std::vector<FSTX> umbenannt;
    std::string k;
    fx.liste.erase(std::remove_if(fx.liste.begin(), fx.liste.end(),
                                  [&](const FSTX& s) {
                                      if (std::strcmp(s.art, art) != 0 || !neu(s, &k)) return false;
                                      FSTX t = s;
                                      strkopie(t.kenn, k.c_str(), FSTXKENNSUP);
                                      umbenannt.push_back(t);
                                      return true;
                                  }),
                   fx.liste.end());
    if (umbenannt.empty()) return;
    for (const FSTX& t : umbenannt) fxEinfuegen(t);
    fxSortieren();
    fx.geaendert = true;
}

void fxUebersetzen(const char* art, uint32_t id, const char* code, int nr, int zeile, char* text, size_t kap)
{
    const int sprache = SprNummer();
    if (!fx.init || sprache <= 0 || text == nullptr || kap == 0) return;
    char t[FSTXTEXTSUP + 1];
    FstxHolen(art, fxTextKenn(id, code, nr, zeile).c_str(), sprache, t);
    if (t[0] != '\0') strkopie(text, kap, t, FSTXTEXTSUP);
}

void fxDurchlaufen(const char* art, uint32_t id, const char* code, int nr, FSTXDURCHLAUFFN fn, void* benutzer)
{
    FstxPruefen(0);
    if (!fx.init) return;
    const std::string p = fxBauteilPraefix(id, code, nr);
    const std::vector<FSTX> kopie = fx.liste;  // the callback may change the list
    for (const FSTX& s : kopie)
        if (std::strcmp(s.art, art) == 0 && std::strncmp(s.kenn, p.c_str(), p.size()) == 0)
            fn(s.kenn, s.sprache, s.text, benutzer);
}

}  // namespace

// ---- list management -------------------------------------------------------

void FstxInit()
{
    fxLeeren();
    fx.init = true;
}

void FstxFrei()
{
    fxLeeren();
    fx.liste.shrink_to_fit();
    fx.init = false;
}

void FstxNeuLaden()
{
    const bool init = fx.init;
    FstxFrei();
    if (init) FstxInit();
}

int FstxLesen()
{
    if (!fx.init) return ERROR;
    fxLeeren();
    char pfad[FXPFADSUP];
    fxPfad(pfad, sizeof pfad);
    BDAT d;
    if (bdopenlesen(&d, pfad) < 0) {
        WacheZaehlerMerken(&fx.wache);
        return ERROR;
    }
    char kopf[FXZEILESUP + 1];
    bdgets(&d, kopf, FXZEILESUP);
    bdgets(&d, kopf, FXZEILESUP);
    fxSaetzeLesen(&d, [](const FSTX& s) {
        fx.liste.push_back(s);
        return fx.liste.size() < static_cast<size_t>(FSTXSUP);
    });
    const bool lesefehler = bdlesefehler(&d) != 0;
    bdclose(&d);
    if (lesefehler) {
        // Not taken as loaded: the next check reads it again.
        fx.liste.clear();
        fx.lesefehler = true;
        WacheZaehlerMerken(&fx.wache);
        BmhLesefehler(pfad);
        return ERROR;
    }
    // Written sorted; a file of another program may not be.
    fxSortieren();
    fx.geaendert = false;
    WacheGeladen(&fx.wache, pfad);
    return 0;
}

int FstxAnlegen()
{
    char pfad[FXPFADSUP];
    fxPfad(pfad, sizeof pfad);
    if (dosattrib(pfad) != DOSATTR_FEHLT) return 1;
    PzSchreiber w;
    if (pzOeffnen(&w, pfad) != 0) return ERROR;
    for (const char* z : {"zvkT", ")S FSText", ")E"}) pzZeile(&w, z);
    return pzSchliessen(&w) == 0 ? 0 : ERROR;
}

void FstxPruefen(int anlegen)
{
    if (!fx.init) return;
    if (fx.wache.geladen && WacheZaehler() == fx.wache.zaehler) return;
    char pfad[FXPFADSUP];
    fxPfad(pfad, sizeof pfad);
    if (!WacheVeraltet(&fx.wache, pfad)) return;
    if (anlegen == 1) FstxAnlegen();
    FstxLesen();
}

int FstxSchreiben()
{
    if (!fx.init || fx.lesefehler) return ERROR;
    char pfad[FXPFADSUP];
    fxPfad(pfad, sizeof pfad);
    PzSchreiber w;
    if (pzOeffnen(&w, pfad) != 0) return ERROR;
    pzZeile(&w, "zvkT");
    pzZeile(&w, ")S FSText");
    std::string z;
    for (const FSTX& s : fx.liste) {
        char zahl[16];
        std::snprintf(zahl, sizeof zahl, "%d", static_cast<int>(s.sprache));
        z.assign(s.art).append(1, PZTRENNER).append(s.kenn).append(1, PZTRENNER);
        z.append(zahl).append(1, PZTRENNER).append(s.text).append(1, PZTRENNER);
        pzZeile(&w, z.c_str());
    }
    pzZeile(&w, ")E");
    if (pzSchliessen(&w) != 0) return ERROR;
    fx.geaendert = false;
    WacheGeladen(&fx.wache, pfad);
    return 0;
}

int FstxBeenden(int schreiben)
{
    if (!fx.init) return 0;
    if (schreiben == 0) {
        fxLeeren();
        return 0;
    }
    return fx.geaendert ? FstxSchreiben() : 0;
}

int FstxGeaendert() { return fx.geaendert ? 1 : 0; }

int FstxAnzahl()
{
    FstxPruefen(0);
    return static_cast<int>(fx.liste.size());
}

int FstxEintrag(int i, FSTX* satz)
{
    FstxPruefen(0);
    if (i < 0 || static_cast<size_t>(i) >= fx.liste.size()) return 0;
    *satz = fx.liste[static_cast<size_t>(i)];
    return 1;
}

// ---- records ----------------------------------------------------------------

void FstxHolen(const char* art, const char* kenn, int sprache, char* text)
{
    text[0] = '\0';
    FstxPruefen(0);
    if (!fx.init) return;
    const FSTX s = fxSatz(art, kenn, sprache, "");
    bool da = false;
    const size_t i = fxSuchen(s, &da);
    if (da) strkopie(text, FSTXTEXTSUP + 1, fx.liste[i].text, FSTXTEXTSUP);
}

int FstxSetzen(const char* art, const char* kenn, int sprache, const char* text)
{
    FstxPruefen(1);
    if (!fx.init || sprache < 1 || sprache > 9) return ERROR;
    const FSTX s = fxSatz(art, kenn, sprache, text);
    if (text == nullptr || strleer(text)) {
        bool da = false;
        const size_t i = fxSuchen(s, &da);
        if (da) {
            fx.liste.erase(fx.liste.begin() + static_cast<std::ptrdiff_t>(i));
            fx.geaendert = true;
        }
        return 0;
    }
    if (!fxEinfuegen(s)) return ERROR;
    fx.geaendert = true;
    return 0;
}

void FstxPraefixLoeschen(const char* art, const char* praefix)
{
    FstxPruefen(1);
    if (!fx.init) return;
    const size_t n = std::strlen(praefix);
    fxLoeschenWenn(art, [&](const FSTX& s) { return std::strncmp(s.kenn, praefix, n) == 0; });
}

void FstxUmschluesseln(const char* art, uint32_t id, const char* altcode, int altnr, const char* neucode, int neunr)
{
    FstxPruefen(1);
    if (!fx.init) return;
    const std::string alt = fxBauteilPraefix(id, altcode, altnr);
    const std::string neu = fxBauteilPraefix(id, neucode, neunr);
    if (alt == neu) return;
    fxUmbenennen(art, [&](const FSTX& s, std::string* k) {
        if (std::strncmp(s.kenn, alt.c_str(), alt.size()) != 0) return false;
        *k = (neu + (s.kenn + alt.size())).substr(0, FSTXKENNSUP);
        return true;
    });
}

int FstxSchluesselNr(const char* kenn)
{
    const char* p = kenn;
    for (int i = 0; i < 3; ++i) {
        p = std::strchr(p, '-');
        if (p == nullptr) return 0;
        ++p;
    }
    return pzAtoi(p);
}

// ---- title lines -------------------------------------------------------------

void FstxTitelText(const char* zeichnung, int n, char* text)
{
    FstxTitelTextSprache(zeichnung, n, SprNummer(), text);
}

void FstxTitelTextSprache(const char* zeichnung, int n, int sprache, char* text)
{
    text[0] = '\0';
    if (sprache <= 0) return;
    FstxHolen("S", fxTitelKenn(zeichnung, n).c_str(), sprache, text);
}

int FstxTitelSetzen(const char* zeichnung, int n, const char* text)
{
    return FstxTitelSetzenSprache(zeichnung, n, SprNummer(), text);
}

int FstxTitelSetzenSprache(const char* zeichnung, int n, int sprache, const char* text)
{
    if (sprache <= 0) return 0;
    return FstxSetzen("S", fxTitelKenn(zeichnung, n).c_str(), sprache, text);
}

// The line number is the last "-" field, so drawing keys that hold a "-"
// are renamed too.
void FstxZeichnungUmbenennen(const char* altkenn, const char* neukenn)
{
    FstxPruefen(1);
    if (!fx.init || altkenn == nullptr || neukenn == nullptr) return;
    fxUmbenennen("S", [&](const FSTX& s, std::string* k) {
        const char* strich = std::strrchr(s.kenn, '-');
        if (strich == nullptr) return false;
        const std::string teil(s.kenn, static_cast<size_t>(strich - s.kenn));
        if (strvgl(teil.c_str(), altkenn) != 0) return false;
        char z[FSTXKENNSUP + 40];
        std::snprintf(z, sizeof z, "%.20s-%d", neukenn, pzAtoi(strich + 1));
        *k = z;
        return true;
    });
}

void FstxZeichnungLoeschen(const char* zeichnung)
{
    char ext[ZEIPFADSUP + 1];
    ZeiExtHolen(zeichnung != nullptr ? zeichnung : "", ext);
    const std::string p = std::string(ext) + "-";
    FstxPraefixLoeschen("S", p.c_str());
}

// ---- generated and attached texts ------------------------------------------------

void FstxGTextUebersetzen(uint32_t id, const char* code, int nr, int zeile, char* text, size_t kap)
{
    fxUebersetzen("G", id, code, nr, zeile, text, kap);
}

void FstxZTextUebersetzen(uint32_t id, const char* code, int nr, int zeile, char* text, size_t kap)
{
    fxUebersetzen("Z", id, code, nr, zeile, text, kap);
}

int FstxGTextSetzen(uint32_t id, const char* code, int nr, int zeile, const char* text)
{
    return FstxGTextSetzenSprache(id, code, nr, zeile, SprNummer(), text);
}

int FstxZTextSetzen(uint32_t id, const char* code, int nr, int zeile, const char* text)
{
    return FstxZTextSetzenSprache(id, code, nr, zeile, SprNummer(), text);
}

int FstxGTextSetzenSprache(uint32_t id, const char* code, int nr, int zeile, int sprache, const char* text)
{
    if (sprache <= 0) return 0;
    return FstxSetzen("G", fxTextKenn(id, code, nr, zeile).c_str(), sprache, text);
}

int FstxZTextSetzenSprache(uint32_t id, const char* code, int nr, int zeile, int sprache, const char* text)
{
    if (sprache <= 0) return 0;
    return FstxSetzen("Z", fxTextKenn(id, code, nr, zeile).c_str(), sprache, text);
}

void FstxGTextLoeschen(uint32_t id, const char* code, int nr, int zeile)
{
    FstxPruefen(1);
    const std::string k = fxTextKenn(id, code, nr, zeile);
    fxLoeschenWenn("G", [&](const FSTX& s) { return k == s.kenn; });
}

void FstxZTextLoeschen(uint32_t id, const char* code, int nr, int zeile)
{
    FstxPruefen(1);
    const std::string k = fxTextKenn(id, code, nr, zeile);
    fxLoeschenWenn("Z", [&](const FSTX& s) { return k == s.kenn; });
}

void FstxGBauteilLoeschen(uint32_t id, const char* code, int nr)
{
    FstxPraefixLoeschen("G", fxBauteilPraefix(id, code, nr).c_str());
}

void FstxZBauteilLoeschen(uint32_t id, const char* code, int nr)
{
    FstxPraefixLoeschen("Z", fxBauteilPraefix(id, code, nr).c_str());
}

void FstxGItemLoeschen(uint32_t id)
{
    char p[16];
    std::snprintf(p, sizeof p, "%04X-", id);
    FstxPraefixLoeschen("G", p);
}

void FstxZItemLoeschen(uint32_t id)
{
    char p[16];
    std::snprintf(p, sizeof p, "%04X-", id);
    FstxPraefixLoeschen("Z", p);
}

// Translations exist in languages 1..9 whatever language is shown, so they
// follow their component in every language.
void FstxGUmschluesseln(uint32_t id, const char* altcode, int altnr, const char* neucode, int neunr)
{
    FstxUmschluesseln("G", id, altcode, altnr, neucode, neunr);
}

void FstxZUmschluesseln(uint32_t id, const char* altcode, int altnr, const char* neucode, int neunr)
{
    FstxUmschluesseln("Z", id, altcode, altnr, neucode, neunr);
}

void FstxGDurchlaufen(uint32_t id, const char* code, int nr, FSTXDURCHLAUFFN fn, void* benutzer)
{
    fxDurchlaufen("G", id, code, nr, fn, benutzer);
}

void FstxZDurchlaufen(uint32_t id, const char* code, int nr, FSTXDURCHLAUFFN fn, void* benutzer)
{
    fxDurchlaufen("Z", id, code, nr, fn, benutzer);
}

void FstxGBasisGeaendert(uint32_t id, const char* code, int nr, int zeile, const char* alt, const char* neu)
{
    FstxPruefen(1);
    if (!fx.init) return;
    const std::string k = fxTextKenn(id, code, nr, zeile);
    if (neu == nullptr || strleer(neu)) {
        // Exactly this line: line 1 must not take lines 10..19 with it.
        fxLoeschenWenn("G", [&](const FSTX& s) { return k == s.kenn; });
        return;
    }
    if (alt != nullptr && std::strcmp(neu, alt) == 0) return;
    for (int sprache = 1; sprache <= 9; ++sprache) {
        const FSTX schluessel = fxSatz("G", k.c_str(), sprache, "");
        bool da = false;
        const size_t i = fxSuchen(schluessel, &da);
        if (!da) continue;
        FSTX& s = fx.liste[i];
        if (alt != nullptr && std::strcmp(s.text, alt) == 0) {
            strkopie(s.text, neu, FSTXTEXTSUP);
        } else if (std::strchr(s.text, 0x04) == nullptr) {
            // The mark must survive the width: cut the text to make room.
            s.text[FSTXTEXTSUP - 2] = '\0';
            const size_t n = std::strlen(s.text);
            s.text[n] = 0x04;
            s.text[n + 1] = 'S';
            s.text[n + 2] = '\0';
        } else {
            continue;
        }
        fx.geaendert = true;
    }
}

// ---- check-list texts ------------------------------------------------------------

void FstxCText(int liste, const char* code, char* text)
{
    text[0] = '\0';
    const int sprache = SprNummer();
    if (sprache <= 0) return;
    FstxHolen("C", fxCKenn(liste, code).c_str(), sprache, text);
}

int FstxCTextSetzen(int liste, const char* code, const char* text)
{
    const int sprache = SprNummer();
    if (sprache <= 0) return 0;
    return FstxSetzen("C", fxCKenn(liste, code).c_str(), sprache, text);
}

void FstxCTextLoeschen(int liste, const char* code)
{
    FstxPruefen(1);
    const std::string k = fxCKenn(liste, code);
    fxLoeschenWenn("C", [&](const FSTX& s) { return k == s.kenn && s.sprache >= 0 && s.sprache <= 9; });
}

// ---- merging ---------------------------------------------------------------------

int FstxMergeDatei(const char* pfad, FSTXIDFN abbildung, void* benutzer)
{
    FstxPruefen(1);
    if (!fx.init) return 0;
    BDAT d;
    if (bdopenlesen(&d, pfad) < 0) return 0;
    char kopf[FXZEILESUP + 1];
    bool gut = bdgets(&d, kopf, FXZEILESUP) >= 0 && std::strcmp(kopf, "zvkT") == 0;
    gut = gut && bdgets(&d, kopf, FXZEILESUP) >= 0 && std::strcmp(kopf, ")S FSText") == 0;
    if (!gut) {
        const bool lesefehler = bdlesefehler(&d) != 0;
        bdclose(&d);
        if (lesefehler) BmhLesefehler(pfad);
        return lesefehler ? ERROR : 0;
    }
    bool voll = false;
    const std::vector<FSTX> vorher = fx.liste;
    fxSaetzeLesen(&d, [&](const FSTX& q) {
        FSTX s = q;
        const bool g = std::strcmp(s.art, "G") == 0, z = std::strcmp(s.art, "Z") == 0;
        if (g || z) {
            char hex[5] = {};
            std::memcpy(hex, s.kenn, 4);
            uint32_t id = 0;
            for (int i = 0; i < 4 && hex[i] != '\0'; ++i) {
                const char c = hex[i];
                const int w = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
                if (w < 0) break;
                id = id * 16 + static_cast<uint32_t>(w);
            }
            const uint32_t neu = abbildung != nullptr ? abbildung(id, benutzer) : id;
            char k[16];
            std::snprintf(k, sizeof k, "%04X", neu);
            const std::string kenn = std::string(k) + (std::strlen(s.kenn) > 4 ? s.kenn + 4 : "");
            strkopie(s.kenn, kenn.c_str(), FSTXKENNSUP);
        } else if (std::strcmp(s.art, "S") != 0 && std::strcmp(s.art, "C") != 0) {
            char meldung[64];
            std::snprintf(meldung, sizeof meldung, "FstxMergeDatei() %s", s.art);
            konfHaken().warnung(meldung);
        }
        if (!fxEinfuegen(s)) voll = true;
        return !voll;
    });
    const bool lesefehler = bdlesefehler(&d) != 0;
    bdclose(&d);
    if (lesefehler) {
        fx.liste = vorher;  // half a merge is no merge
        BmhLesefehler(pfad);
        return ERROR;
    }
    fx.geaendert = true;
    fxSortieren();
    return FstxSchreiben();
}
