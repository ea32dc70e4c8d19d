// Check lists (see chk.h).
#include "equipment/chk.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "config/datwache.h"
#include "config/reaktion.h"
#include "config/verzeich.h"
#include "equipment/fstx.h"
#include "equipment/projzeile.h"
#include "support/basis.h"
#include "support/bdatei.h"
#include "support/dosdatei.h"
#include "support/texte.h"
#include "support/vergleich.h"

namespace {

constexpr int CKPFADSUP = VERSUP + 20;
constexpr int CKWAHLSUP = 11;   // choices of a number-10 record that are tried

typedef std::vector<CHKEINTRAG> CkListe;

CkListe ckListe[CHKLISTEN];
DATSTEMPEL ckWache[CHKLISTEN];
CkListe ckAnhang;

bool ckGueltig(int n) { return n >= 0 && n < CHKLISTEN; }

int ckVergleich(const CHKEINTRAG& a, const CHKEINTRAG& b)
{
    if (a.nummer != b.nummer) return a.nummer < b.nummer ? -1 : 1;
    return strvgl(a.code, b.code);
}

bool ckKleiner(const CHKEINTRAG& a, const CHKEINTRAG& b) { return ckVergleich(a, b) < 0; }

CHKEINTRAG ckSatz(int nummer, const char* code, const char* text)
{
    CHKEINTRAG e{};
    e.nummer = nummer;
    strkopie(e.code, code != nullptr ? code : "", CHKCODESUP);
    strkopie(e.text, text != nullptr ? text : "", CHKTEXTSUP);
    return e;
}

const CHKEINTRAG* ckSuchen(const CkListe& l, int nummer, const char* code)
{
    const CHKEINTRAG s = ckSatz(nummer, code, "");
    auto it = std::lower_bound(l.begin(), l.end(), s, ckKleiner);
    return it != l.end() && ckVergleich(*it, s) == 0 ? &*it : nullptr;
}

// Replaces the record of (number, code) or inserts it in its place.
void ckSetzen(CkListe& l, const CHKEINTRAG& e)
{
    auto it = std::lower_bound(l.begin(), l.end(), e, ckKleiner);
    if (it != l.end() && ckVergleich(*it, e) == 0)
        *it = e;
    else
        l.insert(it, e);
}

// Sorted, and one record per number and code: of records alike in a file
// the later one stands, as if it had been set after the earlier (two alike
// would let a search find either).
void ckSortieren(CkListe& l)
{
    std::stable_sort(l.begin(), l.end(), ckKleiner);
    auto ziel = l.begin();
    for (auto it = l.begin(); it != l.end(); ++it) {
        if (ziel != l.begin() && !ckKleiner(*(ziel - 1), *it)) {
            *(ziel - 1) = *it;
            continue;
        }
        *ziel++ = *it;
    }
    l.erase(ziel, l.end());
}

void ckPfad(int n, char* puffer, size_t groesse)
{
    char name[32];
    ChkDateiName(n, name, sizeof name);
    PfadProjekt(puffer, groesse, name);
}

// Reads "number TAB code TAB text" lines up to one beginning with ")".
void ckSaetzeLesen(BDAT* d, CkListe& l)
{
    pzSaetzeLesen(d, [&l](const char* p) {
        char zahl[24];
        CHKEINTRAG e{};
        pzFeld(zahl, sizeof zahl, &p, '\t', 20);
        e.nummer = pzAtoi(zahl);
        pzFeld(e.code, sizeof e.code, &p, '\t', CHKCODESUP);
        // Blanks around a code or text are no part of it (a written line
        // would lose them at its end).
        strtrim(e.code);
        pzFeld(e.text, sizeof e.text, &p, '\t', CHKTEXTSUP);
        strtrim(e.text);
        l.push_back(e);
        return true;
    });
}

std::string ckZeile(const CHKEINTRAG& e)
{
    char zahl[16];
    std::snprintf(zahl, sizeof zahl, "%d", static_cast<int>(e.nummer));
    std::string z = std::string(zahl) + '\t' + e.code + '\t' + e.text;
    const size_t a = z.find_first_not_of(" \t\r\n\v\f");
    const size_t b = z.find_last_not_of(" \t\r\n\v\f");
    return a == std::string::npos ? std::string() : z.substr(a, b - a + 1);
}

// The ","-separated choices of a text, trimmed.
std::vector<std::string> ckWahlen(const char* text)
{
    std::vector<std::string> w;
    std::string t = text;
    size_t von = 0;
    for (;;) {
        const size_t bis = t.find(',', von);
        std::string s = t.substr(von, bis == std::string::npos ? std::string::npos : bis - von);
        char k[CHKTEXTSUP + 1];
        strkopie(k, s.c_str(), CHKTEXTSUP);
        strtrim(k);
        w.emplace_back(k);
        if (bis == std::string::npos) break;
        von = bis + 1;
    }
    return w;
}

void ckAktuell(int n)
{
    if (DatStempelVeraltet(&ckWache[n]) != 0) {
        ChkListeLesen(n);
        DatStempelSetzen(&ckWache[n]);
    }
}

}  // namespace

// ---- the five lists ------------------------------------------------------------

void ChkInit()
{
    for (int n = 0; n < CHKLISTEN; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "Checkliste%d", n + 1);
        DatStempelAnlegen(&ckWache[n], 1, name, "zvk");
        ckListe[n].clear();
    }
}

void ChkFrei()
{
    for (int n = 0; n < CHKLISTEN; ++n) {
        ckListe[n].clear();
        ckListe[n].shrink_to_fit();
        std::memset(&ckWache[n], 0, sizeof ckWache[n]);
    }
}

void BMWechselLeer() {}

void ChkDateiName(int n, char* puffer, size_t groesse)
{
    std::snprintf(puffer, groesse, "Checkliste%d.zvk", n + 1);
}

void ChkTextDateiName(int n, char* puffer, size_t groesse)
{
    std::snprintf(puffer, groesse, "Checkliste%d.txt", n + 1);
}

int ChkListeLesen(int n)
{
    if (!ckGueltig(n)) return ERROR;
    CkListe& l = ckListe[n];
    l.clear();
    char pfad[CKPFADSUP];
    ckPfad(n, pfad, sizeof pfad);
    BDAT d;
    if (bdopenlesen(&d, pfad) < 0) return ERROR;
    std::vector<char> kopf(PZZEILESUP + 1);
    bdgets(&d, kopf.data(), PZZEILESUP);
    bdgets(&d, kopf.data(), PZZEILESUP);
    ckSaetzeLesen(&d, l);
    const bool lesefehler = bdlesefehler(&d) != 0;
    bdclose(&d);
    if (lesefehler) {
        l.clear();
        return ERROR;
    }
    ckSortieren(l);
    return 0;
}

int ChkListeSchreiben(int n)
{
    if (!ckGueltig(n)) return ERROR;
    char pfad[CKPFADSUP];
    ckPfad(n, pfad, sizeof pfad);
    PzSchreiber w;
    if (pzOeffnen(&w, pfad) != 0) return ERROR;
    pzZeile(&w, "zvkC");
    pzZeile(&w, ")S ChkListe");
    for (const CHKEINTRAG& e : ckListe[n])
        if (!strleer(e.code)) pzZeile(&w, ckZeile(e).c_str());
    pzZeile(&w, ")E");
    const int r = pzSchliessen(&w);
    ckSortieren(ckListe[n]);
    // What is on disk now is this list: no reread of our own write.
    if (r == 0) DatStempelSetzen(&ckWache[n]);
    return r == 0 ? 0 : ERROR;
}

int ChkListeDatei(int n, int schreiben)
{
    return schreiben == 1 ? ChkListeSchreiben(n) : ChkListeLesen(n);
}

void ChkPfad(int n, char* puffer, size_t groesse)
{
    if (!ckGueltig(n)) {
        if (groesse > 0) puffer[0] = '\0';
        return;
    }
    ckAktuell(n);
    ckPfad(n, puffer, groesse);
}

void ChkTextHolen(int n, const char* code, char* text)
{
    text[0] = '\0';
    if (!ckGueltig(n)) return;
    const CHKEINTRAG* e = ckSuchen(ckListe[n], 0, code);
    if (e != nullptr) strkopie(text, CHKTEXTSUP + 1, e->text, CHKTEXTSUP);
}

int ChkTextSetzen(int n, const char* code, const char* text)
{
    return ChkEintragSetzen(n, 0, code, text);
}

// Inserted in order: lookups are binary searches, and the same code taken
// over twice must replace, not repeat.
int ChkEintragSetzen(int n, int nummer, const char* code, const char* text)
{
    if (!ckGueltig(n)) return ERROR;
    ckSetzen(ckListe[n], ckSatz(nummer, code, text));
    return 0;
}

void ChkNummernLoeschen(int n)
{
    if (!ckGueltig(n)) return;
    CkListe& l = ckListe[n];
    l.erase(std::remove_if(l.begin(), l.end(), [](const CHKEINTRAG& e) { return e.nummer != 0; }), l.end());
}

void ChkSortieren(int n)
{
    if (ckGueltig(n)) ckSortieren(ckListe[n]);
}

int ChkAnzahl(int n) { return ckGueltig(n) ? static_cast<int>(ckListe[n].size()) : 0; }

int ChkEintrag(int n, int i, CHKEINTRAG* e)
{
    if (!ckGueltig(n) || i < 0 || static_cast<size_t>(i) >= ckListe[n].size()) return 0;
    *e = ckListe[n][static_cast<size_t>(i)];
    return 1;
}

void ChkTextVariable(const char* variable, char* text)
{
    text[0] = '\0';
    if (variable == nullptr) return;
    const size_t laenge = std::strlen(variable);
    int n = laenge > 2 ? static_cast<unsigned char>(variable[2]) - '1' : 0;
    n = n < 0 ? 0 : n > CHKLISTEN - 1 ? CHKLISTEN - 1 : n;
    char code[CHKCODESUP + 1];
    strkopie(code, laenge > 3 ? variable + 3 : "", CHKCODESUP);
    strtrim(code);
    const int sprache = SprNummer();
    if (sprache > 0) {
        char t[FSTXTEXTSUP + 1];
        FstxCText(n, code, t);
        if (t[0] != '\0') {
            strkopie(text, CHKTEXTSUP + 1, t, CHKTEXTSUP);
            return;
        }
    }
    ckAktuell(n);
    const CkListe& l = ckListe[n];
    const CHKEINTRAG* wert = ckSuchen(l, 0, code);
    if (wert != nullptr) strkopie(text, CHKTEXTSUP + 1, wert->text, CHKTEXTSUP);
    if (sprache <= 0 || wert == nullptr) return;
    const CHKEINTRAG* wahl = ckSuchen(l, 10, code);
    const CHKEINTRAG* uebersetzt = ckSuchen(l, sprache, code);
    if (wahl == nullptr || uebersetzt == nullptr) return;
    char w[CHKTEXTSUP + 1];
    strkopie(w, wert->text, CHKTEXTSUP);
    strtrim(w);
    const std::vector<std::string> basis = ckWahlen(wahl->text);
    const std::vector<std::string> ziel = ckWahlen(uebersetzt->text);
    for (size_t i = 0; i < basis.size() && i < static_cast<size_t>(CKWAHLSUP); ++i) {
        if (basis[i] != w) continue;
        if (i < ziel.size() && !ziel[i].empty()) strkopie(text, CHKTEXTSUP + 1, ziel[i].c_str(), CHKTEXTSUP);
        return;
    }
}

// ---- the appended block ------------------------------------------------------------

void ChkAnhangInit() { ckAnhang.clear(); }

void ChkAnhangFrei()
{
    ckAnhang.clear();
    ckAnhang.shrink_to_fit();
}

int ChkAnhangLesen(const char* pfad)
{
    ckAnhang.clear();
    BDAT d;
    if (bdopenlesen(&d, pfad) < 0) return ERROR;
    std::vector<char> puffer(PZZEILESUP + 1);
    bool block = false;
    while (bdgets(&d, puffer.data(), PZZEILESUP) >= 0) {
        if (std::strncmp(puffer.data(), ")F", 2) == 0) {
            block = true;
            break;
        }
    }
    if (block) ckSaetzeLesen(&d, ckAnhang);
    const bool lesefehler = bdlesefehler(&d) != 0;
    bdclose(&d);
    if (lesefehler) {
        ckAnhang.clear();
        return ERROR;
    }
    ckSortieren(ckAnhang);
    return 0;
}

// The file is rewritten whole with the block at its end, through a
// replacement file, so a failed write leaves it as it was.
int ChkAnhangSchreiben(const char* pfad)
{
    const int h = dosopen(pfad, 0);
    if (h < 0) return ERROR;
    std::string inhalt;
    char puffer[4096];
    int n = 0;
    while ((n = dosread(h, puffer, sizeof puffer)) > 0) inhalt.append(puffer, static_cast<size_t>(n));
    dosclose(h);
    if (n < 0) return ERROR;
    if (!inhalt.empty() && inhalt.back() != '\n') inhalt += '\n';
    PzSchreiber w;
    if (pzOeffnen(&w, pfad) != 0) return ERROR;
    if (!inhalt.empty() && bdwrite(&w.d, inhalt.data(), static_cast<int32_t>(inhalt.size())) < 0) w.fehler = true;
    pzZeile(&w, ")F");
    for (const CHKEINTRAG& e : ckAnhang)
        if (!strleer(e.text)) pzZeile(&w, ckZeile(e).c_str());
    pzZeile(&w, ")E");
    const int r = pzSchliessen(&w);
    ckSortieren(ckAnhang);
    return r == 0 ? 0 : ERROR;
}

void ChkAnhangText(int nummer, const char* code, char* text)
{
    text[0] = '\0';
    const CHKEINTRAG* e = ckSuchen(ckAnhang, nummer, code);
    if (e != nullptr) strkopie(text, CHKTEXTSUP + 1, e->text, CHKTEXTSUP);
}

int ChkAnhangSetzen(int nummer, const char* code, const char* text)
{
    ckSetzen(ckAnhang, ckSatz(nummer, code, text));
    return 0;
}

void ChkAnhangUebernehmen(int n)
{
    if (!ckGueltig(n)) return;
    for (const CHKEINTRAG& e : ckAnhang)
        if (!strleer(e.text)) ChkEintragSetzen(n, e.nummer, e.code, e.text);
}

int ChkAnhangAnzahl() { return static_cast<int>(ckAnhang.size()); }
