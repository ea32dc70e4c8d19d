// Articles, parts lists, equipment references and sorted item rows (see
// nartikel.h). Prefix `Art`, `Stl`, `BMSortiert`.
#include "equipment/nartikel.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unordered_set>
#include <vector>

#include "equipment/bm.h"
#include "equipment/ges.h"
#include "equipment/bmhilf.h"
#include "equipment/lagerart.h"
#include "equipment/nhuliste.h"
#include "equipment/wse.h"
#include "model/dienste.h"
#include "model/textvar.h"
#include "model/zeichnun.h"
#include "support/bdatei.h"
#include "support/sortier.h"
#include "support/texte.h"
#include "support/vergleich.h"

namespace {

std::vector<artikel> artListe;
std::vector<stueckliste> stlListe;
std::vector<int> artsortiert, stksortiert;   // positions ordered by number
std::string artPfad;                         // the loaded article file
int artInit = 0;

const char ARTMAGIE[] = "zvkL";

template <class T> void ArtViewBauen(const std::vector<T>& liste, std::vector<int>& view)
{
    view.resize(liste.size());
    for (size_t i = 0; i < liste.size(); ++i) view[i] = static_cast<int>(i);
    std::stable_sort(view.begin(), view.end(), [&](int a, int b) {
        return std::strcmp(liste[static_cast<size_t>(a)].nr, liste[static_cast<size_t>(b)].nr) < 0;
    });
}

template <class T> int ArtViewSuchen(const std::vector<T>& liste, const std::vector<int>& view, const char* nr)
{
    auto it = std::lower_bound(view.begin(), view.end(), nr, [&](int i, const char* k) {
        return std::strcmp(liste[static_cast<size_t>(i)].nr, k) < 0;
    });
    if (it == view.end() || std::strcmp(liste[static_cast<size_t>(*it)].nr, nr) != 0) return -1;
    return *it;
}

void ArtLeeren()
{
    artListe.clear();
    stlListe.clear();
    artsortiert.clear();
    stksortiert.clear();
}

bool ArtErsteZeileIstMagie(const char* pfad)
{
    BDAT d;
    if (bdopenlesen(&d, pfad) < 0) return false;
    char zeile[80];
    const int n = bdgets78(&d, zeile);
    bdclose(&d);
    return n >= 0 && std::strcmp(zeile, ARTMAGIE) == 0;
}

void ArtZeileParsen(artikel* a, const char* zeile)
{
    std::memset(a, 0, sizeof *a);
    if (std::strchr(zeile, BMTRENNER) == nullptr) return;  // an empty record, still added
    const char* p = zeile;
    BmhFeldAb(a->nr, ARTNRSUP, &p);
    for (auto& t : a->text) BmhFeldAb(t, ARTTEXTSUP, &p);
}

void StlZeileParsen(stueckliste* s, const char* zeile)
{
    std::memset(s, 0, sizeof *s);
    if (std::strchr(zeile, BMTRENNER) == nullptr) return;
    const char* p = zeile;
    BmhFeldAb(s->nr, ARTNRSUP, &p);
    for (auto& t : s->art) BmhFeldAb(t, ARTNRSUP, &p);
}

std::string ArtPfadKlein(const std::string& s)
{
    std::string k = s;
    for (char& c : k) c = static_cast<char>(zklein(static_cast<unsigned char>(c)));
    return k;
}

// The digits after position p of a token and their value (-1: none).
int ArtZiffern(const std::string& t, size_t p)
{
    if (p >= t.size() || t[p] < '0' || t[p] > '9') return -1;
    return BmhAtoi(t.c_str() + p);
}

}  // namespace

// ---- lists --------------------------------------------------------------------

void ArtInit()
{
    ArtLeeren();
    artPfad.clear();
    artInit = 1;
}

void ArtFrei()
{
    ArtLeeren();
    artPfad.clear();
    artInit = 0;
}

void ArtSortieren()
{
    ArtViewBauen(artListe, artsortiert);
    ArtViewBauen(stlListe, stksortiert);
}

int ArtDateiPruefen(const char* pfad) { return pfad != nullptr && ArtErsteZeileIstMagie(pfad) ? 1 : 0; }

int ArtDateiLesen(const char* pfad)
{
    if (pfad == nullptr) return -1;
    if (!artPfad.empty() && ArtPfadKlein(artPfad) == ArtPfadKlein(pfad)) return 0;
    ArtLeeren();
    BDAT d;
    if (bdopenlesen(&d, pfad) < 0) return -1;
    static char zeile[ARTZEILESUP + 1];
    if (bdgets78(&d, zeile) < 0 || std::strcmp(zeile, ARTMAGIE) != 0) {
        // Not an article file: nothing is read, and the path is not taken,
        // so a later write cannot replace this file by an empty list.
        bdclose(&d);
        return -1;
    }
    int abschnitt = 0;  // 1 articles, 2 parts lists
    while (bdgets(&d, zeile, ARTZEILESUP) >= 0) {
        if (zeile[0] == ')') {
            if (std::strcmp(zeile, ")S Art") == 0) abschnitt = 1;
            else if (std::strcmp(zeile, ")S Stl") == 0) abschnitt = 2;
            else if (std::strcmp(zeile, ")E") == 0) break;
            continue;
        }
        if (abschnitt == 1) {
            artikel a;
            ArtZeileParsen(&a, zeile);
            artListe.push_back(a);
        } else if (abschnitt == 2) {
            stueckliste s;
            StlZeileParsen(&s, zeile);
            stlListe.push_back(s);
        }
    }
    const bool lesefehler = bdlesefehler(&d) != 0;
    bdclose(&d);
    if (lesefehler) {
        // As above: the path is not taken, so nothing short is written back.
        ArtLeeren();
        return -1;
    }
    artPfad = pfad;
    ArtSortieren();
    return 0;
}

int ArtDateiSchreiben()
{
    if (artPfad.empty()) return -1;
    // Never replace a file that is no article file.
    BDAT pruef;
    if (bdopenlesen(&pruef, artPfad.c_str()) >= 0) {
        bdclose(&pruef);
        if (!ArtErsteZeileIstMagie(artPfad.c_str())) return -1;
    }
    BDAT d;
    if (bdmake(&d, artPfad.c_str()) < 0) return -1;
    int r = bdputs(&d, ARTMAGIE);
    if (bdputs(&d, ")S Art") < 0) r = -1;
    std::string z;
    for (const artikel& a : artListe) {
        z = a.nr;
        for (const auto& t : a.text) z.append(1, BMTRENNER).append(t);
        if (bdputs(&d, z.c_str()) < 0) r = -1;
    }
    if (bdputs(&d, ")S Stl") < 0) r = -1;
    for (const stueckliste& s : stlListe) {
        z = s.nr;
        for (const auto& t : s.art) z.append(1, BMTRENNER).append(t);
        if (bdputs(&d, z.c_str()) < 0) r = -1;
    }
    if (bdputs(&d, ")E") < 0) r = -1;
    if (r < 0) d.fehler = 1;
    if (bdclose(&d) < 0) r = -1;
    ArtSortieren();
    return r < 0 ? -1 : 0;
}

const char* ArtDateiName() { return artPfad.c_str(); }
int ArtAnzahl() { return static_cast<int>(artListe.size()); }
int StlAnzahl() { return static_cast<int>(stlListe.size()); }
std::vector<artikel>& ArtListe() { return artListe; }
std::vector<stueckliste>& StlListe() { return stlListe; }

void ArtHolen(int i, artikel* a)
{
    std::memset(a, 0, sizeof *a);
    if (i >= 0 && i < ArtAnzahl()) *a = artListe[static_cast<size_t>(i)];
}

void StlHolen(int i, stueckliste* s)
{
    std::memset(s, 0, sizeof *s);
    if (i >= 0 && i < StlAnzahl()) *s = stlListe[static_cast<size_t>(i)];
}

int ArtSuchen(const char* nr, artikel* a)
{
    const int i = ArtViewSuchen(artListe, artsortiert, nr);
    ArtHolen(i, a);
    if (i < 0) BmhKopie(a->nr, nr, ARTNRSUP);
    return i >= 0 ? 1 : 0;
}

int StlSuchen(const char* nr, stueckliste* s)
{
    const int i = ArtViewSuchen(stlListe, stksortiert, nr);
    StlHolen(i, s);
    if (i < 0) BmhKopie(s->nr, nr, ARTNRSUP);
    return i >= 0 ? 1 : 0;
}

int ArtAusTextdateien(const char* verz, const char* artdatei, const char* stldatei)
{
    if (!artListe.empty()) return 0;
    std::string basis = verz != nullptr ? verz : "";
    if (!basis.empty() && basis.back() != '/' && basis.back() != '\\') basis += '/';
    artPfad = basis + (artdatei != nullptr ? artdatei : "");
    char zeile[512];
    BDAT d;
    if (bdopenlesen(&d, artPfad.c_str()) >= 0) {
        while (bdgets(&d, zeile, 500) >= 0) {
            strtrim(zeile);
            if (zeile[0] == 0) continue;
            artikel a;
            std::memset(&a, 0, sizeof a);
            LagerZeileZerlegen(zeile, a.nr, a.text[0], a.text[1], a.text[2], a.text[3]);
            artListe.push_back(a);
        }
        const bool lesefehler = bdlesefehler(&d) != 0;
        bdclose(&d);
        if (lesefehler) {
            ArtLeeren();
            return -1;
        }
    }
    const std::string stlPfad = basis + (stldatei != nullptr ? stldatei : "");
    if (stldatei != nullptr && stldatei[0] != 0 && bdopenlesen(&d, stlPfad.c_str()) >= 0) {
        std::unordered_set<std::string> nummern;
        for (const artikel& a : artListe) nummern.insert(ArtPfadKlein(a.nr));
        stueckliste s;
        std::memset(&s, 0, sizeof s);
        int anzahl = 0;
        while (bdgets(&d, zeile, 500) >= 0) {
            strtrim(zeile);
            if (zeile[0] == 0) continue;
            if (std::strlen(zeile) > 39) {
                artikel a;
                std::memset(&a, 0, sizeof a);
                LagerZeileZerlegen(zeile, a.nr, a.text[0], a.text[1], a.text[2], a.text[3]);
                if (nummern.insert(ArtPfadKlein(a.nr)).second) artListe.push_back(a);
                if (anzahl < STLARTANZ) BmhKopie(s.art[anzahl++], a.nr, ARTNRSUP);
            } else {
                if (anzahl > 0) stlListe.push_back(s);
                std::memset(&s, 0, sizeof s);
                anzahl = 0;
                BmhKopie(s.nr, zeile, ARTNRSUP);
            }
        }
        if (anzahl > 0) stlListe.push_back(s);
        const bool lesefehler = bdlesefehler(&d) != 0;
        bdclose(&d);
        if (lesefehler) {
            ArtLeeren();
            return -1;
        }
    }
    ArtSortieren();
    return 0;
}

// ---- references -----------------------------------------------------------------

void ArtVerweisText(std::string& aus, uint32_t id, const char* feld, int nr, const char* sub, int nr2)
{
    aus = "@Y";
    BmhHex(aus, id);
    aus += feld != nullptr ? feld : "";
    if (nr > 0) BmhInt(aus, nr);
    if (sub != nullptr) aus += sub[0] == 'U' ? sub + 1 : sub;
    if (nr2 > 0) BmhInt(aus, nr2);
}

int YRefPruefen(char* text, size_t kap, uint32_t id, const char* code, int nr, int etikett)
{
    if (text == nullptr) return 0;
    if (etikett && std::strncmp(text, "@Q", 2) == 0) {
        std::string r;
        ArtVerweisText(r, id, "B", 0, nullptr, 0);
        if (kap > 0) strkopie(text, kap, r.c_str(), static_cast<int>(kap - 1));
        return 1;
    }
    YREF y{};
    if (YRefZerlegen(text, &y) != 0 || y.id != id) return 0;
    if (y.art[0] != '\0') {
        const char* a = y.art[0] == 'U' ? y.art + 1 : y.art;
        const char* c = code == nullptr ? "" : (code[0] == 'U' ? code + 1 : code);
        if (std::strcmp(a, c) != 0) return 0;
    }
    if (y.nr > 0 && y.nr != nr) return 0;
    return 1;
}

void ArtVerweisFeldSetzen(char* verweis, size_t kap, const char* text)
{
    if (verweis == nullptr || kap <= 6 || std::strlen(verweis) < 6) return;
    verweis[6] = 0;
    strkopie(verweis + 6, kap - 6, text != nullptr ? text : "", static_cast<int>(kap - 7));
}

int PlatzhalterText(const char* text, int erweitert)
{
    static const char* const kurz[] = {"@Q", "@L", "@B", "@U", "@VP", "@VS", "@FP", "@FS"};
    static const char* const lang[] = {"@PA", "@PB", "@SB"};
    if (text == nullptr) return 0;
    for (const char* k : kurz)
        if (std::strncmp(text, k, std::strlen(k)) == 0) return 1;
    if (erweitert)
        for (const char* k : lang)
            if (std::strncmp(text, k, std::strlen(k)) == 0) return 1;
    return 0;
}

int ArtKuerzelParsen(std::string& token, uint32_t id, const char* sub, int nr, int q, int bk)
{
    struct Teil {
        const char* praefix;
        const char* feld;
        int eigen;   // 1: the given sub code and number, 2: "H", 0: none
    };
    static const Teil feste[] = {{"@U", "P", 2},  {"@VP", "P<P", 1}, {"@VS", "P<S", 1}, {"@FP", "P>P", 1},
                                 {"@FS", "P>S", 1}, {"@PA", "P^P", 1}, {"@PB", "P^P", 2}, {"@SB", "P^S", 2}};
    std::string aus;
    const char* s = sub != nullptr ? sub : "";
    if (token.rfind("@Q", 0) == 0) {
        if (!q) return 0;
        ArtVerweisText(aus, id, "B", 0, "", 0);
    } else if (token.rfind("@L", 0) == 0) {
        ArtVerweisText(aus, id, "L", LRefNummer(token.c_str()), "", 0);
    } else if (token.rfind("@B", 0) == 0) {
        const char c = token.size() > 2 ? token[2] : '\0';
        if (ArtZiffern(token, 2) >= 0) ArtVerweisText(aus, id, "Z", ArtZiffern(token, 2), "", 0);
        else if (c == 'K') ArtVerweisText(aus, id, bk ? "K" : "B", 0, "", 0);
        else if (c >= 'A' && c <= 'E') ArtVerweisText(aus, id, "T", c - 'A' + 1, "", 0);
        else if (c == 'F') ArtVerweisText(aus, id, "F", 0, "H", 0);
        else if (c == 'P') ArtVerweisText(aus, id, "P", 0, "H", 0);
        else if (c == 'T' && ArtZiffern(token, 3) >= 0) ArtVerweisText(aus, id, "T", ArtZiffern(token, 3), "", 0);
        else if (c == 'U' && ArtZiffern(token, 3) >= 0) ArtVerweisText(aus, id, "T", ArtZiffern(token, 3), s, nr);
        else ArtVerweisText(aus, id, "T", 1, "", 0);
    } else {
        const Teil* t = nullptr;
        for (const Teil& f : feste)
            if (token.rfind(f.praefix, 0) == 0) {
                t = &f;
                break;
            }
        if (t == nullptr) return 0;
        if (t->eigen == 1) ArtVerweisText(aus, id, t->feld, 0, s, nr);
        else ArtVerweisText(aus, id, t->feld, 0, "H", 0);
    }
    token = aus;
    return 1;
}

int ArtKuerzelErsetzen(std::string& text, uint32_t id, const char* sub, int nr, int q, int bk)
{
    int ersetzt = 0;
    // Tokens are looked for in the first 80 characters of the text as it
    // came; the limit moves with what a replacement adds.
    size_t grenze = std::min(text.size(), static_cast<size_t>(ARTKUERZELSUP));
    size_t p = 0;
    while (p < grenze) {
        if (text[p] != '@') {
            ++p;
            continue;
        }
        size_t e = p + 1;
        while (e < text.size() && YRefZeichen(static_cast<unsigned char>(text[e]))) ++e;
        std::string token = text.substr(p, e - p);
        if (token.size() >= 2 && ArtKuerzelParsen(token, id, sub, nr, q, bk)) {
            text.replace(p, e - p, token);
            const long neu = static_cast<long>(grenze) + static_cast<long>(token.size()) - static_cast<long>(e - p);
            p += token.size();
            grenze = neu > static_cast<long>(p) ? static_cast<size_t>(neu) : p;
            ersetzt = 1;
        } else {
            p = e;
        }
    }
    return ersetzt;
}

int ArtKuerzelErsetzen(char* text, size_t kap, uint32_t id, const char* sub, int nr, int q, int bk)
{
    if (text == nullptr || kap == 0) return 0;
    std::string s = text;
    const int r = ArtKuerzelErsetzen(s, id, sub, nr, q, bk);
    if (r) strkopie(text, kap, s.c_str(), static_cast<int>(kap - 1));
    return r;
}

// ---- sorted rows ------------------------------------------------------------------

namespace {

BMLSORTFN artModus1 = nullptr, artModus2 = nullptr;
int artSortModus[2];

int ArtPlatz(const bmzeile* a, const bmzeile* b)
{
    return BtlPosVergleich(a->h.ze, a->h.x, a->h.y, b->h.ze, b->h.x, b->h.y);
}

int ArtModusVergleich(int modus, const bmzeile* a, const bmzeile* b)
{
    int c = 0;
    switch (modus) {
    case 2: return ArtPlatz(a, b);
    case 3: {
        char ka[64], kb[64];
        GesKennung(&a->g, ka, sizeof ka);
        GesKennung(&b->g, kb, sizeof kb);
        c = strvglzahl(ka, kb);
        break;
    }
    case 4: c = strvglzahl(a->t6, b->t6); break;
    case 5:
        c = strvglzahl(a->t6, b->t6);
        if (c == 0) c = strvglzahl(a->t7, b->t7);
        break;
    case 6: c = strvglzahl(a->t7, b->t7); break;
    case 7:
        c = strvglzahl(a->t7, b->t7);
        if (c == 0) c = strvglzahl(a->t6, b->t6);
        break;
    case 8: return strvglzahl(a->stamm, b->stamm);
    default: c = strvglzahl(a->kennung, b->kennung); break;
    }
    return c != 0 ? c : ArtPlatz(a, b);
}

int ArtZeilenVergleich(const void* x, const void* y)
{
    const auto* a = static_cast<const bmzeile*>(x);
    const auto* b = static_cast<const bmzeile*>(y);
    const int c = ArtModusVergleich(artSortModus[0], a, b);
    if (c != 0 || artSortModus[1] == 0) return c;
    return ArtModusVergleich(artSortModus[1], a, b);
}

// The order msort gives n records of `groesse` bytes: runs as it cuts
// them, each sorted in place by the same qsort, then the two oldest runs
// merged into a new last one, the second run's record first on equal keys.
// Only pointers move in the merges.
std::vector<const char*> ArtFolgeWieExtern(char* b, int32_t n, int32_t groesse, SORTVERGLFN vergl)
{
    const size_t g = static_cast<size_t>(groesse);
    const int32_t proLauf = std::max<int32_t>(1, MSORTPUFFERSUP / groesse);
    std::vector<std::vector<const char*>> laeufe;
    for (int32_t a = 0; a < n; a += proLauf) {
        const int32_t k = std::min(proLauf, n - a);
        char* anfang = b + static_cast<size_t>(a) * g;
        std::qsort(anfang, static_cast<size_t>(k), g, vergl);
        std::vector<const char*> lauf(static_cast<size_t>(k));
        for (int32_t i = 0; i < k; ++i) lauf[static_cast<size_t>(i)] = anfang + static_cast<size_t>(i) * g;
        laeufe.push_back(std::move(lauf));
    }
    if (laeufe.empty()) return {};
    for (size_t kopf = 0; laeufe.size() - kopf > 1; kopf += 2) {
        std::vector<const char*> x = std::move(laeufe[kopf]), y = std::move(laeufe[kopf + 1]);
        std::vector<const char*> c;
        c.reserve(x.size() + y.size());
        size_t i = 0, j = 0;
        while (i < x.size() || j < y.size()) {
            const bool nimmA = j == y.size() || (i < x.size() && vergl(x[i], y[j]) < 0);
            c.push_back(nimmA ? x[i++] : y[j++]);
        }
        laeufe.push_back(std::move(c));
    }
    return std::move(laeufe.back());
}

// Rows up to this many bytes are sorted in memory; beyond it they go to the
// external sort, whose temporary files cost far more than the sort itself.
size_t artSpeicherGrenze = size_t{64} << 20;

struct ArtSortLauf {
    BMFILTERFN filter;
    BMZEILEFN aus;
    void* benutzer;
    std::vector<bmzeile> zeilen;  // while the rows fit in memory
    bool extern_;                 // the rows go to m
    MSORT m;
    int fehler;
};

// Hands the rows collected so far to the external sort, which takes every
// later row.
void ArtNachExtern(ArtSortLauf* l)
{
    l->extern_ = true;
    if (msortinit(&l->m, static_cast<int32_t>(sizeof(bmzeile)), ArtZeilenVergleich) < 0) {
        l->fehler = 1;
        l->zeilen.clear();
        return;
    }
    for (const bmzeile& z : l->zeilen)
        if (msortput(&l->m, &z) < 0) l->fehler = 1;
    std::vector<bmzeile>().swap(l->zeilen);
}

void ArtZeileBauen(const appgeraet* g, void* p)
{
    auto* l = static_cast<ArtSortLauf*>(p);
    bmzeile z;
    std::memset(&z, 0, sizeof z);
    z.g = *g;
    BtlSuchen(g->id, "H", 0, &z.h);
    strkopie(z.t6, sizeof z.t6, g->t6, GESKGSUP);
    strkopie(z.t7, sizeof z.t7, g->t7, GESKGSUP);
    if (z.t6[0] == 0) WseGruppenText1(g->id, z.t6, sizeof z.t6);
    if (z.t7[0] == 0) WseGruppenText2(g->id, z.t7, sizeof z.t7);
    NhuKennungHolen(z.kennung, sizeof z.kennung, g->id);
    QvwPosText(z.pos, sizeof z.pos, z.h.ze, z.h.x, z.h.y);
    ZeiStamm(z.stamm, sizeof z.stamm, z.h.ze);
    z.flag = 1;
    if (l->filter != nullptr && !l->filter(&z, l->benutzer)) return;
    if (!l->extern_ && (l->zeilen.size() + 1) * sizeof z <= artSpeicherGrenze) {
        l->zeilen.push_back(z);
        return;
    }
    if (!l->extern_) ArtNachExtern(l);
    if (l->fehler == 0 && msortput(&l->m, &z) < 0) l->fehler = 1;
}

int ArtZeileAus(const void* satz, void* p)
{
    auto* l = static_cast<ArtSortLauf*>(p);
    l->aus(static_cast<const bmzeile*>(satz), l->benutzer);
    return 1;
}

}  // namespace

void BmlSortHakenSetzen(BMLSORTFN modus1, BMLSORTFN modus2)
{
    artModus1 = modus1;
    artModus2 = modus2;
}

int BmlSortModus1(int auswahl)
{
    if (artModus1 != nullptr) return artModus1(auswahl);
    return std::clamp(auswahl / 100, 1, 8);
}

int BmlSortModus2(int auswahl)
{
    if (artModus2 != nullptr) return artModus2(auswahl);
    return std::clamp((auswahl / 10) % 10, 0, 8);
}

int BMSortiertDurchlaufen(BMFILTERFN filter, BMZEILEFN aus, int auswahl, void* benutzer)
{
    if (aus == nullptr) return -1;
    BMDateiAktuell(0);
    ArtSortLauf l{filter, aus, benutzer, {}, false, {}, 0};
    artSortModus[0] = BmlSortModus1(auswahl);
    artSortModus[1] = BmlSortModus2(auswahl);
    l.zeilen.reserve(std::min(static_cast<size_t>(std::max(GesAnzahl(), 0)), artSpeicherGrenze / sizeof(bmzeile)));
    GesDurchlaufen(ArtZeileBauen, &l);
    if (!l.extern_) {
        for (const char* z : ArtFolgeWieExtern(reinterpret_cast<char*>(l.zeilen.data()), static_cast<int32_t>(l.zeilen.size()),
                                               static_cast<int32_t>(sizeof(bmzeile)), ArtZeilenVergleich))
            aus(reinterpret_cast<const bmzeile*>(z), benutzer);
        return 0;
    }
    if (l.fehler) {
        if (l.m.puffer != nullptr) msortende(&l.m, nullptr, nullptr);
        return -1;
    }
    const int r = msortende(&l.m, ArtZeileAus, &l);
    return r != 0 ? -1 : 0;
}

size_t BMSortiertSpeicherGrenze(size_t bytes)
{
    const size_t alt = artSpeicherGrenze;
    artSpeicherGrenze = bytes;
    return alt;
}

void MsortWieExtern(void* basis, int32_t n, int32_t groesse, SORTVERGLFN vergl)
{
    if (n <= 0 || groesse <= 0) return;
    const std::vector<const char*> folge = ArtFolgeWieExtern(static_cast<char*>(basis), n, groesse, vergl);
    const size_t g = static_cast<size_t>(groesse);
    std::vector<char> ergebnis(static_cast<size_t>(n) * g);
    char* z = ergebnis.data();
    for (const char* q : folge) {
        std::memcpy(z, q, g);
        z += g;
    }
    std::memcpy(basis, ergebnis.data(), ergebnis.size());
}
