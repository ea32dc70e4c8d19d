// Component lists and identifiers (see nhuliste.h). Prefixes `Btl`,
// `BMKennung`, `Hul`, `Nhu`.
//
// The identifier is built on a std::string: templates and group texts may
// grow it past any field ("@Q" alone becomes a reference of seven
// characters); it is cut only where it is stored or shown.
#include "equipment/nhuliste.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "config/konfhaken.h"
#include "equipment/bm.h"
#include "equipment/bmhilf.h"
#include "equipment/btl.h"
#include "equipment/ges.h"
#include "equipment/hauspindex.h"
#include "equipment/nartikel.h"
#include "equipment/ngestext.h"
#include "equipment/utitel.h"
#include "equipment/wse.h"
#include "model/dienste.h"
#include "model/textvar.h"
#include "model/zeichnun.h"
#include "support/basis.h"
#include "support/sortier.h"
#include "support/texte.h"
#include "support/vergleich.h"

// ---- kind codes ----------------------------------------------------------------

int BtlIstHaupt(const char* code) { return code != nullptr && code[0] == 'H'; }

int NhuIstUnter(const char* code)
{
    return code != nullptr && (code[0] == 'U' || (code[0] >= 'a' && code[0] <= 'z'));
}

int BtlIstU(const char* code) { return code != nullptr && code[0] == 'U'; }
int BtlIstDispo(const char* code) { return code != nullptr && code[0] == 'D'; }
int BtlIstPrinzip(const char* code) { return code != nullptr && code[0] == 'P'; }
int BtlIstK(const char* code) { return code != nullptr && code[0] == 'K'; }
int BtlIstL(const char* code) { return code != nullptr && code[0] == 'L'; }
int BtlIstZ(const char* code) { return code != nullptr && code[0] == 'Z'; }

int BtlBuchstabenNr(const char* b)
{
    if (b == nullptr || b[0] == 0) return 0;
    const int c0 = static_cast<unsigned char>(b[0]);
    if (b[1] == 0) return c0 - 'a';
    const int c1 = static_cast<unsigned char>(b[1]);
    return (c0 - 96) * 26 + (c1 - 97);
}

void BtlBuchstabenCode(char* ziel, size_t kap, int n)
{
    if (kap == 0) return;
    char t[3] = {0, 0, 0};
    if (n < 0) n = 0;
    if (n < 26) {
        t[0] = static_cast<char>('a' + n);
    } else {
        t[0] = static_cast<char>(96 + n / 26);
        t[1] = static_cast<char>('a' + n % 26);
    }
    size_t i = 0;
    for (; i + 1 < kap && t[i]; ++i) ziel[i] = t[i];
    ziel[i] = 0;
}

int BtlUnterVergleich(const char* a, const char* b)
{
    if (a[0] == 'U') ++a;
    if (b[0] == 'U') ++b;
    const size_t la = std::strlen(a), lb = std::strlen(b);
    if (la != lb) return BtlBuchstabenNr(a) - BtlBuchstabenNr(b);
    return std::strcmp(a, b);
}

// ---- identifiers -----------------------------------------------------------------

namespace {

bool NhuErsetzen(std::string& s, const char* alt, const std::string& neu)
{
    const size_t p = s.find(alt);
    if (p == std::string::npos) return false;
    s.replace(p, std::strlen(alt), neu);
    return true;
}

std::string NhuTrim(std::string s)
{
    size_t a = 0, e = s.size();
    while (a < e && istweiss(static_cast<unsigned char>(s[a]))) ++a;
    while (e > a && istweiss(static_cast<unsigned char>(s[e - 1]))) --e;
    return s.substr(a, e - a);
}

const char* NhuKennungText(const appgeraet& g, char (&puffer)[HULKENNSUP + 1])
{
    ModGeraet m{};
    m.id = g.id;
    m.art = g.n1;
    strkopie(m.kg, g.kg, MODTEXTSUP);
    strkopie(m.kz, g.kz, MODTEXTSUP);
    strkopie(puffer, BMKennung(&m), HULKENNSUP);
    return puffer;
}

// The title record of the main component's drawing: the current drawing's
// name with that drawing's key as its extension.
void NhuTitelDerZeichnung(const appbteil& h, projekttext* t)
{
    char name[ZEIPFADSUP + 1];
    strkopie(name, ZeiAktName(), ZEIPFADSUP);
    ZeiExtSetzen(name, h.ze);
    UtitelPfadText(name, t);
}

std::string NhuTitelFeld(const projekttext& t, const std::string& token, bool zeichnung)
{
    const char f = token.size() > 3 ? token[3] : 0;
    if (f == 'T') return t.titel;
    if (f == 'A') return t.anlage;
    if (f == 'O') return t.ort;
    if (f >= '0' && f <= '9') {
        const int n = std::clamp(BmhAtoi(token.c_str() + 3), 1, UTTEXTE);
        return t.text[n - 1];
    }
    if (zeichnung && f == 'K') return t.gruppe[token.size() > 4 && token[4] == '2' ? 1 : 0];
    return {};
}

// Step 10: "@TP.." and "@TU.." tokens of 2..5 characters.
void NhuTitelTokens(std::string& s, const appbteil& h)
{
    bool projektDa = false, zeichnungDa = false;
    projekttext projekt{}, zeichnung{};
    size_t i = 0;
    while ((i = s.find("@T", i)) != std::string::npos) {
        size_t e = i + 1;
        while (e < s.size() && e - i <= 10) {
            const char c = s[e];
            if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) break;
            ++e;
        }
        const std::string token = s.substr(i, e - i);
        bool ersetzt = false;
        std::string wert;
        if (token.size() >= 2 && token.size() <= 5 && token.size() > 3) {
            if (token[2] == 'P') {
                if (!projektDa) UtitelProjektText(&projekt), projektDa = true;
                wert = NhuTitelFeld(projekt, token, false);
                ersetzt = true;
            } else if (token[2] == 'U') {
                if (!zeichnungDa) NhuTitelDerZeichnung(h, &zeichnung), zeichnungDa = true;
                wert = NhuTitelFeld(zeichnung, token, true);
                ersetzt = true;
            }
        }
        if (ersetzt) {
            s.replace(i, token.size(), wert);
            i += wert.size();
        } else {
            i = e;
        }
    }
}

// Step 11: the value of "@ZK1"/"@ZK2" (n 0 or 1).
std::string NhuGruppenWert(const appgeraet& g, const appbteil& h, int n)
{
    const char* eigen = n == 0 ? g.t6 : g.t7;
    if (eigen[0]) return eigen;
    char t10[ZEIKOPFTEXTSUP + 1] = "", t11[ZEIKOPFTEXTSUP + 1] = "";
    if (h.ze[0]) ZeiKopfGruppenTexte(h.ze, t10, t11);
    if ((n == 0 ? t10 : t11)[0]) return n == 0 ? t10 : t11;
    projekttext t{};
    NhuTitelDerZeichnung(h, &t);
    return t.gruppe[n];
}

void NhuGruppenTokens(std::string& s, const appgeraet& g, const appbteil& h)
{
    const bool leer = BMVorgaben().bmzknvrw == 1;
    for (int n = 0; n < 2; ++n) {
        const char* token = n == 0 ? "@ZK1" : "@ZK2";
        size_t i = 0;
        bool geholt = false;
        std::string wert;
        while ((i = s.find(token, i)) != std::string::npos) {
            std::string neu;
            if (!leer) {
                if (!geholt) wert = NhuGruppenWert(g, h, n), geholt = true;
                if (!wert.empty()) neu = HULMARKEAUF + wert + HULMARKEZU;
            }
            s.replace(i, 4, neu);
            i += neu.size();
        }
    }
}

std::string NhuStriche(const char* t) { return std::string(std::strlen(t), '-'); }

// Ids whose identifier is being built: a template that names the item's own
// identifier must not build it again.
std::vector<uint32_t> nhuInArbeit;

}  // namespace

std::string HulZaehlerText(int k, int stil)
{
    auto buchstaben = [](int n) {
        std::string t;
        while (n > 0) {
            --n;
            t.insert(t.begin(), static_cast<char>('A' + n % 26));
            n /= 26;
        }
        return t;
    };
    std::string zahl;
    BmhInt(zahl, k);
    switch (stil) {
    case 0: return buchstaben(k);
    case 1: return "." + buchstaben(k);
    case 2: return "-" + buchstaben(k);
    case 3: return zahl;
    case 4: return "." + zahl;
    case 5: return "-" + zahl;
    default: return buchstaben(k + 1);
    }
}

void BMKennungTeilen(const char* text, std::string& haupt, std::string& zaehler)
{
    const std::string s = text != nullptr ? text : "";
    const size_t p = s.find_last_of(" /-.");
    if (p == std::string::npos || p == 0) {
        haupt = NhuTrim(s);
        zaehler.clear();
        return;
    }
    haupt = NhuTrim(s.substr(0, p));
    zaehler = NhuTrim(s.substr(p + 1));
}

namespace {

// An identifier template left empty (as a new set has it) stands for the
// identifier and its counter: taken literally it would make every
// identifier not given as a whole text empty, on the sheets and in lists.
std::string NhuVorlage(const char* vorlage) { return strleer(vorlage) ? "@K@Z" : vorlage; }

// BMKennungBilden of the item record at hand (null: no item).
int NhuKennungBilden(std::string& ziel, uint32_t id, const appgeraet* geraet)
{
    ziel.clear();
    BmhHex(ziel, id);
    if (geraet == nullptr) return 0;
    const appgeraet& g = *geraet;
    appbteil h;
    BtlSuchen(id, "H", 0, &h);  // zeroed (unplaced) when there is none
    const bmvorgaben& v = BMVorgaben();
    const bool fkenn = g.n1 >= 0 && g.n1 <= 5 && v.bmfkuse[g.n1] == 1;
    ziel = NhuVorlage(fkenn ? v.bmfkenn : v.bmkenn);
    int stufe = 0;

    char kennPuffer[HULKENNSUP + 1];
    std::string quelle = NhuKennungText(g, kennPuffer);
    if (quelle.size() >= 2 && quelle[0] == '!' && quelle[1] == '!') {
        stufe = quelle.size() > 2 ? std::clamp(quelle[2] - '0', 0, 9) : 0;
        quelle = NhuTrim(quelle.size() > 3 ? quelle.substr(3) : "");
    }
    std::string haupt, zaehler, vor, nach;
    if (!quelle.empty() && quelle[0] == '!') {
        stufe = 9;
        ziel = quelle.substr(1);
        NhuErsetzen(ziel, "@Q", "_Q");
    } else {
        size_t p;
        if ((p = quelle.find('>')) != std::string::npos) {
            nach = quelle.substr(p + 1);
            while (!nach.empty() && istweiss(static_cast<unsigned char>(nach.back()))) nach.pop_back();
            quelle.resize(p);
        } else if ((p = quelle.find('<')) != std::string::npos) {
            vor = quelle.substr(0, p);
            quelle = quelle.substr(p + 1);
        }
        BMKennungTeilen(quelle.c_str(), haupt, zaehler);
        if (fkenn && zaehler.empty()) BmhInt(zaehler, WseCacheLaufNr(id));
        NhuErsetzen(haupt, "@Q", "_Q");
        NhuErsetzen(zaehler, "@Q", "_Q");
        if (zaehler.empty() && v.bmzkenn != 9) {
            const int n = HbkZaehlen(&g, &h, kennPuffer);
            if (n != 0) {
                const int k = v.bmzkab2 == 0 ? n : n - 1;
                if (k != 0) zaehler = HulZaehlerText(k, v.bmzkenn);
            }
        }
    }
    ziel = vor + ziel + nach;
    NhuTitelTokens(ziel, h);
    NhuGruppenTokens(ziel, g, h);
    // The "@K" or "@G" dropped is one the destination had besides the token
    // being replaced, not one the replacement brought in: the template's own
    // "@K" must still receive the main part.
    for (int i = 0; i < 2; ++i) {
        if (NhuErsetzen(ziel, "@G", "\x01")) {
            NhuErsetzen(ziel, "@K", "");
            NhuErsetzen(ziel, "\x01", NhuVorlage(v.bmkenn));
        }
        if (NhuErsetzen(ziel, "@K", "\x01")) {
            NhuErsetzen(ziel, "@G", "");
            NhuErsetzen(ziel, "\x01", haupt);
        }
    }
    NhuErsetzen(ziel, "@Z", zaehler);
    // Step 8: placement texts of the main component, made only for a token
    // the identifier holds (most hold none).
    char t[HULKENNSUP + 1];
    const auto platz = [&](const char* token, void (*machen)(char*, size_t, const appbteil&), bool striche) {
        if (ziel.find(token) == std::string::npos) return;
        t[0] = 0;
        machen(t, sizeof t, h);
        NhuErsetzen(ziel, token, striche && h.platziert == 0 ? NhuStriche(t) : std::string(t));
    };
    platz("@S", [](char* a, size_t k, const appbteil& b) { ZeiSeiteText(a, k, b.ze); }, true);
    platz("@P", [](char* a, size_t k, const appbteil& b) { ZeiSpalteText(a, k, b.ze, b.x); }, true);
    platz("@U", [](char* a, size_t k, const appbteil& b) { QvwPosText(a, k, b.ze, b.x, b.y); }, true);
    platz("@F", [](char* a, size_t k, const appbteil& b) { ZeiStamm(a, k, b.ze); }, false);

    // Step 14. A "@Q" still here would name this identifier itself, whose
    // resolution builds it again: it stays "_Q".
    if (NhuErsetzen(ziel, "@Q", "_Q")) wiDebug("Kennung %04X: @Q verweist auf sich selbst", id);
    if (std::find(nhuInArbeit.begin(), nhuInArbeit.end(), id) != nhuInArbeit.end()) {
        wiDebug("Kennung %04X: Selbstbezug abgebrochen", id);
        return stufe;
    }
    nhuInArbeit.push_back(id);
    if (ArtKuerzelErsetzen(ziel, h.id, h.cd, h.nr, 1, 1) > 0) {
        char puffer[BMZEILESUP];
        strkopie(puffer, ziel.c_str(), BMZEILESUP - 1);
        TextVarErsetzen(puffer, h.x, h.y);
        ziel = puffer;
    }
    nhuInArbeit.pop_back();
    return stufe;
}

}  // namespace

int BMKennungBilden(std::string& ziel, uint32_t id)
{
    appgeraet g;
    return NhuKennungBilden(ziel, id, GesHolen(id, &g) == 0 ? &g : nullptr);
}

void NhuKennungHolen(char* ziel, size_t kap, uint32_t id)
{
    if (kap == 0) return;
    if (!BMVerwendet()) {
        strkopie(ziel, kap, "---", 3);
        return;
    }
    appgeraet g;
    std::string k;
    const bool da = GesHolen(id, &g) == 0;
    if (da && g.ft[0])
        k.assign(g.ft, strnlen(g.ft, HULKENNSUP));
    else
        NhuKennungBilden(k, id, da ? &g : nullptr);
    k.erase(std::remove_if(k.begin(), k.end(), [](char c) { return c == HULMARKEAUF || c == HULMARKEZU; }),
            k.end());
    strkopie(ziel, kap, k.c_str(), static_cast<int>(kap) - 1);
}

int NhuKennungPosition(char* ziel, size_t kap, uint32_t id)
{
    if (kap == 0) return 0;
    if (!BMVerwendet()) {
        strkopie(ziel, kap, "---", 3);
        return 0;
    }
    appgeraet g;
    std::string k;
    int stufe = 0;
    const bool da = GesHolen(id, &g) == 0;
    if (da && g.ft[0])
        k.assign(g.ft, strnlen(g.ft, HULKENNSUP));
    else
        stufe = NhuKennungBilden(k, id, da ? &g : nullptr);
    strkopie(ziel, kap, k.c_str(), static_cast<int>(kap) - 1);
    if (stufe == 0) {
        appbteil h;
        // The stem of another drawing goes in front, that of the current one does not.
        const auto QvwStammVoran = ZeiStammWennFremd;
        if (BtlSuchen(id, "H", 0, &h) && h.platziert != 0) QvwStammVoran(ziel, kap, h.ze);
    }
    return stufe;
}

int HulHatMarke(const char* text) { return text != nullptr && std::strchr(text, HULMARKEAUF) != nullptr; }

void HulMarkenEntfernen(char* text)
{
    zeichenweg(text, HULMARKEAUF);
    zeichenweg(text, HULMARKEZU);
}

void HulMarkenFiltern(char* ziel, size_t kap, const char* text, int modus)
{
    if (kap == 0) return;
    size_t n = 0;
    bool innen = false;
    for (const char* p = text != nullptr ? text : ""; *p && n + 1 < kap; ++p) {
        if (*p == HULMARKEAUF) {
            innen = true;
            continue;
        }
        if (*p == HULMARKEZU) {
            innen = false;
            continue;
        }
        if (modus == 0 || (modus == 1 && !innen) || (modus == 2 && innen)) ziel[n++] = *p;
    }
    ziel[n] = 0;
}

void NhuTrennzeichen(char* text, size_t kap, const char* stamm)
{
    if (stamm == nullptr || stamm[0] == 0) return;
    std::string s = stamm;
    const int t = BMVorgaben().bmtzfeld;
    if (t == 1) s += '.';
    if (t == 2) s += '-';
    s += text;
    strkopie(text, kap, s.c_str(), static_cast<int>(kap) - 1);
}

// ---- component walk -------------------------------------------------------------

void BtlText99(const appbteil* b, int roh, char* ziel, size_t kap)
{
    if (kap == 0) return;
    ziel[0] = 0;
    if (roh)
        GtxTextRoh(b->id, b->cd, b->nr, 99, ziel, kap);
    else
        GtxTextHolen(b->id, b->cd, b->nr, 99, ziel, kap);
    if (ziel[0] == 0) strkopie(ziel, kap, b->bs, BTLBSSUP);
}

namespace {

struct NhuEintrag {
    appbteil b;
    std::string text99;  // processed line 99, placeholders expanded (modes with k 2..5)
};

int NhuPos(const appbteil& a, const appbteil& b) { return BtlPosVergleich(a.ze, a.x, a.y, b.ze, b.x, b.y); }

int NhuVergleich(const NhuEintrag& ea, const NhuEintrag& eb, int modus, int k)
{
    const appbteil& a = ea.b;
    const appbteil& b = eb.b;
    if (modus == 2) return NhuPos(a, b);
    const int sa = NhuIstUnter(a.cd) ? 1 : 0, sb = NhuIstUnter(b.cd) ? 1 : 0;
    auto code = [&] { return BtlUnterVergleich(a.cd, b.cd); };
    auto nummer = [&] { return a.nr < b.nr ? -1 : a.nr > b.nr ? 1 : 0; };
    const int pa = a.platziert != 0, pb = b.platziert != 0;
    if (k == 0) {
        if (const int c = code()) return c;
        return nummer();
    }
    if (k < 0 || k > 5) return 0;
    if (sa != sb) return sa - sb;
    if (k == 1) {
        if (modus == 0) return code();
        if (pa != pb) return pa - pb;
        return pa ? NhuPos(a, b) : code();
    }
    if (modus == 0) {
        if (const int c = code()) return c;
        return nummer();
    }
    if (pa != pb) return pa - pb;
    if (pa) {
        if (const int c = strvglzahl(ea.text99.c_str(), eb.text99.c_str())) return c;
        return NhuPos(a, b);
    }
    if (const int c = code()) return c;
    return nummer();
}

}  // namespace

void HulBauteileDurchlaufen(uint32_t id, int modus, HULBTLFN fn, void* benutzer)
{
    appgeraet g;
    const int k = GesHolen(id, &g) == 0 ? g.n1 : 0;
    std::vector<NhuEintrag> liste;
    BtlDurchlaufen(
        id,
        [](const appbteil* b, void* u) {
            auto* l = static_cast<std::vector<NhuEintrag>*>(u);
            if (static_cast<int>(l->size()) >= APLSUP) return;
            if (BtlIstHaupt(b->cd) || NhuIstUnter(b->cd)) l->push_back({*b, {}});
        },
        &liste);
    if (modus == 1 && k >= 2 && k <= 5) {
        for (auto& e : liste) {
            if (e.b.platziert == 0) continue;
            char t[BMZEILESUP];
            BtlText99(&e.b, 0, t, sizeof t);
            TextVarErsetzen(t, e.b.x, e.b.y);
            e.text99 = t;
        }
    }
    // Most items have one component; stable_sort would still take a buffer.
    if (liste.size() > 1)
        std::stable_sort(liste.begin(), liste.end(),
                         [&](const NhuEintrag& a, const NhuEintrag& b) { return NhuVergleich(a, b, modus, k) < 0; });
    for (const auto& e : liste) fn(&e.b, benutzer);
}

// ---- external sort of component records -------------------------------------------

namespace {

// The record and its sort text (line 99 processed, else `tt`).
struct NhuSortSatz {
    appbteil b;
    char text[GTXNACHSUP + 1];
};
MSORT nhuSort{};
bool nhuSortOffen = false;
int nhuSortModus = 0;

int NhuSortCode(const appbteil& a, const appbteil& b)
{
    const size_t la = std::strlen(a.cd), lb = std::strlen(b.cd);
    if (la != lb) return la < lb ? -1 : 1;
    if (const int c = strvglzahl(a.cd, b.cd)) return c;
    const int pa = a.platziert != 0, pb = b.platziert != 0;
    if (pa != pb) return pa - pb;
    return a.nr < b.nr ? -1 : a.nr > b.nr ? 1 : 0;
}

int NhuSortVergleich(const void* va, const void* vb)
{
    const auto* sa = static_cast<const NhuSortSatz*>(va);
    const auto* sb = static_cast<const NhuSortSatz*>(vb);
    const appbteil& a = sa->b;
    const appbteil& b = sb->b;
    const int ha = BtlIstHaupt(a.cd) ? 0 : 1, hb = BtlIstHaupt(b.cd) ? 0 : 1;
    if (ha != hb) return ha - hb;
    const int pa = a.platziert != 0, pb = b.platziert != 0;
    if (pa != pb) return pa - pb;
    auto code = [&] { return NhuSortCode(a, b); };
    auto pos = [&] { return a.platziert == b.platziert ? NhuPos(a, b) : 0; };
    auto text = [&] { return strvglzahl(sa->text, sb->text); };
    int r = 0;
    switch (nhuSortModus) {
    case 0:
        if ((r = code()) || (r = pos())) return r;
        return text();
    case 1:
        if ((r = pos()) || (r = code())) return r;
        return text();
    default:
        if ((r = text()) || (r = pos())) return r;
        return code();
    }
}

}  // namespace

int BtlSortStart(int modus)
{
    if (nhuSortOffen) msortende(&nhuSort, nullptr, nullptr);
    nhuSortModus = std::clamp(modus, 0, 2);
    nhuSortOffen = msortinit(&nhuSort, static_cast<int32_t>(sizeof(NhuSortSatz)), NhuSortVergleich) == 0;
    return nhuSortOffen ? 0 : -1;
}

int BtlSortDazu(const appbteil* b)
{
    if (!nhuSortOffen) return -1;
    NhuSortSatz s;
    std::memset(&s, 0, sizeof s);
    s.b = *b;
    if (NhuIstUnter(b->cd)) {
        char t[BMZEILESUP];
        GtxTextHolen(b->id, b->cd, b->nr, 99, t, sizeof t);
        strkopie(s.text, t[0] ? t : b->tt, GTXNACHSUP);
    }
    return msortput(&nhuSort, &s);
}

int BtlSortEnde(HULBTLFN fn, void* benutzer)
{
    if (!nhuSortOffen) return -1;
    nhuSortOffen = false;
    struct Ruf {
        HULBTLFN fn;
        void* benutzer;
    } ruf{fn, benutzer};
    const int r = msortende(
        &nhuSort,
        [](const void* satz, void* u) {
            auto* rr = static_cast<Ruf*>(u);
            rr->fn(&static_cast<const NhuSortSatz*>(satz)->b, rr->benutzer);
            return 1;
        },
        &ruf);
    return r == 0 ? 0 : -1;
}

// ---- list lines ------------------------------------------------------------------

namespace {

struct NhuBreiten {
    int kenn = 10, kenn20 = 10, extra = 0;
};
NhuBreiten nhuBreiten, nhuGemerkt;
int nhuSpalten = 0;
int nhuQuelle[5] = {0, 0, 0, 0, 0};
int nhuSuchModus = 1;

std::string nhuT[11];  // T1..T11 of the loaded line
std::string nhuC[5];   // C1..C5
uint32_t nhuLadeId = 0;
int nhuLadeSpalte = 0;

// Lays `text` over the line from column `ab`, only over blanks.
void NhuUeberlagern(std::string& z, size_t ab, const std::string& text, size_t breite)
{
    for (size_t i = 0; i < text.size() && i < breite && ab + i < HULZEILESUP; ++i)
        if (z[ab + i] == ' ') z[ab + i] = text[i];
}

void NhuPositionLegen(std::string& z, const appbteil& h, int posmodus)
{
    if (posmodus != 1 && posmodus != 2) return;
    if (h.platziert == 0) return;
    if (z.size() < HULZEILESUP) z.resize(HULZEILESUP, ' ');
    char pos[HULKENNSUP + 1];
    QvwPosText(pos, sizeof pos, h.ze, h.x, h.y);
    NhuUeberlagern(z, 63, pos, 6);
    if (posmodus == 2) {
        char stamm[ZEIPFADSUP + 1];
        ZeiStamm(stamm, h.ze);
        if (stamm[0]) NhuUeberlagern(z, 57, stamm, 5);
    }
}

}  // namespace

void HulBreitenInit(int spalten)
{
    nhuBreiten = NhuBreiten{};
    nhuSpalten = spalten;
}

void HulSpalteSetzen(int spalte, int quelle)
{
    if (spalte >= 0 && spalte < 5) nhuQuelle[spalte] = quelle;
}

void HulSuchModusSetzen(int modus) { nhuSuchModus = modus; }
int HulTextSpalten() { return nhuSpalten + 1; }
int HulSpalteQuelle(int spalte) { return spalte >= 0 && spalte < 5 ? nhuQuelle[spalte] : -1; }
int HulSuchModus() { return nhuSuchModus; }
void HulBreitenMerken() { nhuGemerkt = nhuBreiten; }

int HulBreitenGeaendert()
{
    return nhuGemerkt.kenn != nhuBreiten.kenn || nhuGemerkt.kenn20 != nhuBreiten.kenn20 ||
           nhuGemerkt.extra != nhuBreiten.extra;
}

int HulKennBreite() { return nhuBreiten.kenn; }
int HulKennBreite20() { return nhuBreiten.kenn20; }
int HulExtraBreite() { return nhuBreiten.extra; }

void HulZeileFormatieren(const appgeraet* g, std::string& ziel, int typtext, int posmodus, const char* extra)
{
    char kenn[HULKENNSUP + 1];
    NhuKennungHolen(kenn, sizeof kenn, g->id);
    appbteil h;
    BtlSuchen(g->id, "H", 0, &h);
    HulZeileFormatierenMit(g, kenn, &h, ziel, typtext, posmodus, extra);
}

void HulZeileFormatierenMit(const appgeraet* g, const char* kenn, const appbteil* haupt, std::string& ziel,
                            int typtext, int posmodus, const char* extra)
{
    char text[BMZEILESUP];
    GtxTextHolen(g->id, "H", 0, 0, text, sizeof text);
    LRefAufloesen(g->id, text, sizeof text);
    if (typtext && text[0] == 0) strkopie(text, g->tt, GESTTSUP);

    const int laenge = static_cast<int>(std::strlen(kenn));
    nhuBreiten.kenn = std::max(nhuBreiten.kenn, laenge);
    if (laenge <= 20) nhuBreiten.kenn20 = std::max(nhuBreiten.kenn20, laenge);
    const int breite = laenge < 11 ? 11 : laenge <= 16 ? 17 : laenge + 1;

    ziel = kenn;
    ziel.resize(static_cast<size_t>(breite), ' ');
    int spalte = breite;
    if (extra != nullptr && extra[0]) {
        const int el = static_cast<int>(std::strlen(extra));
        nhuBreiten.extra = std::max(nhuBreiten.extra, el);
        ziel += extra;
        spalte = breite + nhuBreiten.extra + 1;
    }
    if (static_cast<int>(ziel.size()) < spalte) ziel.resize(static_cast<size_t>(spalte), ' ');
    ziel += text;
    ziel.resize(HULZEILESUP, ' ');
    std::string idtext;
    BmhInt(idtext, static_cast<long>(g->id));
    idtext.resize(std::max<size_t>(idtext.size(), 10), ' ');
    ziel += idtext + " ";
    BmhInt(ziel, spalte);
    NhuPositionLegen(ziel, *haupt, posmodus);
}

void HulZeilePosition(uint32_t id, std::string& zeile, int posmodus)
{
    appbteil h;
    BtlSuchen(id, "H", 0, &h);
    NhuPositionLegen(zeile, h, posmodus);
}

uint32_t HulZeileId(const char* zeile)
{
    if (zeile == nullptr || std::strlen(zeile) <= HULZEILESUP) return 0;
    const int w = BmhAtoi(zeile + HULZEILESUP);
    return w > 0 ? static_cast<uint32_t>(w) : 0;
}

void HulZeileLaden(const char* zeile)
{
    for (auto& t : nhuT) t.clear();
    for (auto& c : nhuC) c.clear();
    nhuLadeId = HulZeileId(zeile);
    nhuLadeSpalte = 0;
    if (nhuLadeId == 0) return;
    // "%-10d %d": the text column follows the id field.
    nhuLadeSpalte = BmhAtoi(zeile + HULZEILESUP + 10);
    appgeraet g;
    GesHolen(nhuLadeId, &g);
    char t[HULLADESUP + 1];
    for (int i = 0; i < 5; ++i) {
        GtxTextHolen(nhuLadeId, "H", 0, i, t, sizeof t);
        nhuT[i] = t;
    }
    nhuT[5] = g.tt;
    nhuT[6] = g.lt;
    nhuT[7] = g.t6;
    nhuT[8] = g.t7;
    appbteil d;
    if (BtlSuchen(nhuLadeId, "D", 0, &d)) nhuT[9] = d.bl;
    if (BtlSuchen(nhuLadeId, "P", 0, &d)) nhuT[10] = d.bl;
    for (int i = 0; i < 5; ++i) {
        const int q = nhuQuelle[i];
        if (q >= 1 && q <= 11) nhuC[i] = nhuT[q - 1];
    }
}

int HulZeileSuchen(const char* such, int modus)
{
    if (modus < 0) modus = nhuSuchModus;
    if (modus == 0) {
        if (nhuSpalten <= 0) return 0;
        for (const auto& c : nhuC)
            if (strposi(c.c_str(), such) >= 0) return 1;
        return 0;
    }
    for (const auto& t : nhuT)
        if (strposi(t.c_str(), such) >= 0) return 1;
    return 0;
}

int HulSpaltenText(int spalte, char* ziel, size_t kap)
{
    if (kap == 0) return 0;
    ziel[0] = 0;
    if (spalte < 1 || spalte > 5) return 0;
    std::string s(static_cast<size_t>(std::max(nhuLadeSpalte, 0)), ' ');
    s += nhuC[spalte - 1];
    strkopie(ziel, kap, s.c_str(), static_cast<int>(kap) - 1);
    return nhuLadeSpalte;
}

const char* HulZeileText(int n)
{
    static char zeile[HULLADESUP + HULZEILESUP + 2];
    HulSpaltenText(n, zeile, sizeof zeile);
    return zeile;
}

// ---- cross references ----------------------------------------------------------------

namespace {
// The part a reference to part `nr` of `code` on device `id` points at, when
// it is placed. Otherwise false, with `ziel` empty, or "-" for a part that
// exists but is not placed.
bool hulPlatziertesTeil(char* ziel, size_t kap, uint32_t id, const char* code, int nr, appbteil* b)
{
    if (kap == 0) return false;
    ziel[0] = 0;
    if (!BtlSuchen(id, code, nr, b)) return false;
    if (b->platziert == 0) {
        strkopie(ziel, kap, "-", 1);
        return false;
    }
    return true;
}
}  // namespace

void HulVerweisText(char* ziel, size_t kap, uint32_t id, const char* code, int nr)
{
    appbteil b;
    if (hulPlatziertesTeil(ziel, kap, id, code, nr, &b)) QvwVerweisText(ziel, kap, b.ze, b.x, b.y);
}

void HulSeitenText(char* ziel, size_t kap, uint32_t id, const char* code, int nr, int modus)
{
    appbteil b;
    if (!hulPlatziertesTeil(ziel, kap, id, code, nr, &b)) return;
    if (modus != 0)
        ZeiSeiteText(ziel, kap, b.ze);
    else
        ZeiSpalteText(ziel, kap, b.ze, b.x);
}

int HulVerweisSuchen(appbteil* vorher, appbteil* nachher, const appbteil* b)
{
    std::memset(vorher, 0, sizeof *vorher);
    std::memset(nachher, 0, sizeof *nachher);
    if (b->platziert == 0) return 0;
    struct Suche {
        const appbteil* b;
        appbteil* vorher;
        appbteil* nachher;
        bool v, n;
        int spalte;
    } s{b, vorher, nachher, false, false, ZeiSpalteNr(b->ze, b->x)};
    BtlDurchlaufen(
        b->id,
        [](const appbteil* e, void* u) {
            auto* s = static_cast<Suche*>(u);
            if (e->platziert == 0) return;
            if (std::strcmp(e->cd, s->b->cd) == 0 && e->nr == s->b->nr) return;  // the record itself
            if (ZeiNameGleich(e->ze, s->b->ze) && ZeiSpalteNr(e->ze, e->x) == s->spalte) return;
            const int c = BtlPosVergleich(e->ze, e->x, e->y, s->b->ze, s->b->x, s->b->y);
            if (c < 0) {
                if (!s->v || BtlPosVergleich(e->ze, e->x, e->y, s->vorher->ze, s->vorher->x, s->vorher->y) > 0)
                    *s->vorher = *e, s->v = true;
            } else if (!s->n ||
                       BtlPosVergleich(e->ze, e->x, e->y, s->nachher->ze, s->nachher->x, s->nachher->y) < 0) {
                *s->nachher = *e, s->n = true;
            }
        },
        &s);
    return s.v || s.n;
}

void NhuVerweisPositionen(char* a, char* b, size_t kap, uint32_t id, const char* code, int nr, int modus)
{
    if (kap == 0) return;
    strkopie(a, kap, "-", 1);
    strkopie(b, kap, "-", 1);
    appbteil e, vorher, nachher;
    if (!BtlSuchen(id, code, nr, &e)) return;
    if (!HulVerweisSuchen(&vorher, &nachher, &e)) return;
    // Mode 0 the cross-reference text, else the page text of each neighbour.
    auto text = [&](char* ziel, const appbteil& n) {
        if (n.platziert == 0) return;
        if (modus != 0)
            ZeiSeiteText(ziel, kap, n.ze);
        else
            QvwVerweisText(ziel, kap, n.ze, n.x, n.y);
    };
    text(a, vorher);
    text(b, nachher);
}

namespace {
int NhuDienstPosition(char* t, size_t kap, uint32_t id) { return NhuKennungPosition(t, kap, id); }
void NhuDienstPositionAlt(char* aus, size_t kap, uint32_t id, const char* art, int nr, int modus)
{
    HulSeitenText(aus, kap, id, art, nr, modus);
}
}  // namespace

void NhuDiensteEintragen(ModDienste* d)
{
    d->BMKennungPosition = NhuDienstPosition;
    d->BMKennungHolen = NhuKennungHolen;
    d->MarkenTeil = HulMarkenFiltern;
    d->BtlPositionText = HulVerweisText;
    d->BtlPositionAlt = NhuDienstPositionAlt;
    d->HulVerweisPositionen = NhuVerweisPositionen;
    d->HulTrennzeichen = NhuTrennzeichen;
    d->BtlIstUnter = NhuIstUnter;
}

void NhuDiensteSetzen()
{
    ModDiensteSetzen(NhuDiensteEintragen);
    KonfHaken k = konfHaken();
    k.hulTextSpalten = HulTextSpalten;
    konfHakenSetzen(k);
}
