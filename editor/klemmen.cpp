// Terminal texts; see klemmen.h.
#include "editor/klemmen.h"

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "editor/befausf.h"
#include "equipment/nartikel.h"
#include "equipment/nhuliste.h"
#include "equipment/nzustext.h"
#include "editor/texte.h"
#include "editor/texteint.h"
#include "model/beffifo.h"
#include "model/textvar.h"
#include "model/zeichnun.h"
#include "model/zerleg.h"
#include "support/sortier.h"
#include "support/texte.h"
#include "support/vergleich.h"

namespace {

constexpr int C_ZB = 80;
constexpr double KLO_QVW = 0.1;   // a text at the cross-reference point

struct KloLauf {
    uint32_t id;
    int filter, ordnung;
    std::string von, bis;
    bool fest;
    std::string name, name2;
    char zeiSchluessel[64];
    STT stt;
    double x, y;             // the running position
    std::vector<klowrk> klolis;  // the work table
    bool hatAnfang = false, hatEnde = false;
    appbteil anfang{}, ende{};
    std::string anfangPos, endePos;
};

std::vector<klowrk> kloLetzte;

bool kloHier(const KloLauf& l, const appbteil& b) { return b.platziert != 0 && std::strcmp(b.ze, l.zeiSchluessel) == 0; }

bool kloImBereich(const KloLauf& l, const char* t)
{
    if (l.filter != 2) return true;
    return strvglzahl(t, l.von.c_str()) >= 0 && strvglzahl(t, l.bis.c_str()) <= 0;
}

// The symbol of a row: fixed, else the entry's own.
std::string kloSymbolName(const KloLauf& l, const appbteil& b, int zeile)
{
    if (l.fest) return zeile == 0 ? l.name : l.name2;
    return TexteSymbolName(&b);
}

void kloPlatzieren(KloLauf& l, const klowrk& r, int zeile)
{
    char name[TXNAMSUP + 1];
    strkopie(name, sizeof name, kloSymbolName(l, r.b, zeile).c_str(), TXNAMSUP);
    if (!TexteBauteilDa(l.stt.bd, name)) return;
    StartpunktSetzen(l.x, l.y);
    BefEinreihenText(C_ZB, name);

    STT e = l.stt;
    e.x = l.x;
    e.y = l.y;
    std::unique_ptr<TxSymbol> w = TexteSymbolSammeln(name, &e);
    l.x = e.x;
    l.y = e.y;

    const bool z = std::strcmp(r.marke, "Z") == 0;
    for (int i = 0; i < w->anz; ++i) {
        const STT& ts = w->sliste[i];
        TexteZustandNach(&ts);
        std::string t = w->bliste[i].text;
        const int ersetzt = z ? ArtKuerzelErsetzen(t, l.id, r.b.cd, r.b.nr, 0, 0)
                              : ArtKuerzelErsetzen(t, l.id, "H", r.nr, 0, 0);
        if (ersetzt) {
            TexteTextSofort(&w->bliste[i], t);
            continue;
        }
        if (std::strncmp(w->bliste[i].text, "@Q", 2) == 0) continue;
        const bool amQvw = w->qvw && std::fabs(ts.x - w->qx) < KLO_QVW && std::fabs(ts.y - w->qy) < KLO_QVW;
        if (!amQvw) {
            ArtVerweisText(t, l.id, r.marke, r.nr, nullptr, 0);
            TexteTextSofort(&w->bliste[i], t);
        } else if (!kloHier(l, r.b)) {
            ArtVerweisText(t, l.id, "P", 0, r.b.cd, r.b.nr);
            TexteTextSofort(&w->bliste[i], t);
        }
    }
}

bool kloEintragPasst(const KloLauf& l, const appbteil& b)
{
    if (!BtlIstHaupt(b.cd) && !NhuIstUnter(b.cd)) return false;
    return l.filter != 1 || kloHier(l, b);
}

// Step 2: the entries whose neighbours on the same sheet lie furthest out.
void kloEnden(const appbteil* b, void* u)
{
    auto* l = static_cast<KloLauf*>(u);
    if (!kloEintragPasst(*l, *b)) return;
    char eigen[64], a[64], z[64];
    QvwPosText(eigen, sizeof eigen, b->ze, b->x, b->y);
    NhuVerweisPositionen(a, z, sizeof a, l->id, b->cd, b->nr, 0);
    if (QvwGleicheSeite(a, eigen) && (!l->hatAnfang || strvglzahl(a, l->anfangPos.c_str()) > 0)) {
        l->hatAnfang = true;
        l->anfang = *b;
        l->anfangPos = a;
    }
    if (QvwGleicheSeite(z, eigen) && (!l->hatEnde || strvglzahl(z, l->endePos.c_str()) < 0)) {
        l->hatEnde = true;
        l->ende = *b;
        l->endePos = z;
    }
}

void kloZeileDazu(KloLauf& l, const appbteil& b, const char* text, const char* marke, int nr, int sortnr)
{
    if (static_cast<int>(l.klolis.size()) >= KLOSUP) return;
    klowrk r{};
    r.index = static_cast<int32_t>(l.klolis.size());
    strkopie(r.text, sizeof r.text, text, KLOTEXTSUP);
    strkopie(r.marke, sizeof r.marke, marke, KLOTEXTSUP);
    r.nr = nr;
    r.sortnr = sortnr;
    r.b = b;
    l.klolis.push_back(r);
}

void kloFuellen(const appbteil* b, void* u)
{
    auto* l = static_cast<KloLauf*>(u);
    if (b->platziert == 0 || !kloEintragPasst(*l, *b)) return;
    char kb[sizeof b->kb];
    strkopie(kb, sizeof kb, b->kb, static_cast<int>(sizeof kb - 1));
    strtrim(kb);
    if (NhuIstUnter(b->cd) && kb[0] != '\0') {
        char t[KLOTEXTSUP + 1];
        BtlText99(b, 0, t, sizeof t);
        if (kloImBereich(*l, t)) kloZeileDazu(*l, *b, t, "U", 0, -1);
    }
    struct Z {
        KloLauf* l;
        const appbteil* b;
    } z{l, b};
    ZtxDurchlaufen(
        b->id, b->cd, b->nr, 0,
        [](const appztext* t, void* v) {
            auto* z = static_cast<Z*>(v);
            if (kloImBereich(*z->l, t->text)) kloZeileDazu(*z->l, *z->b, t->text, "Z", t->zeile, t->zeile);
        },
        &z);
}

int kloRang(const char* cd)
{
    if (cd[0] == 'H') return 0;
    if (cd[0] == 'U') return 1;
    return 2;
}

int kloVergleich(const void* pa, const void* pb, void* u)
{
    const auto* a = static_cast<const klowrk*>(pa);
    const auto* b = static_cast<const klowrk*>(pb);
    const int ordnung = *static_cast<int*>(u);
    auto zahl = [](int x, int y) { return x < y ? -1 : (x > y ? 1 : 0); };
    int r = 0;
    switch (ordnung) {
    case 0:
        r = zahl(kloRang(a->b.cd), kloRang(b->b.cd));
        break;
    case 1:
        r = BtlArtVergleich(&a->b, &b->b);
        break;
    case 2:
        r = BtlPosVergleich(a->b.ze, a->b.x, a->b.y, b->b.ze, b->b.x, b->b.y);
        break;
    default:
        r = strvglzahl(a->text, b->text);
        return r != 0 ? r : zahl(a->sortnr, b->sortnr);
    }
    if (r == 0) r = zahl(a->sortnr, b->sortnr);
    if (r == 0) r = strvglzahl(a->text, b->text);
    return r;
}

void kloEnde(KloLauf& l, const appbteil& b, int zeile)
{
    klowrk r{};
    r.nr = b.nr;
    r.b = b;
    kloPlatzieren(l, r, zeile);
}

void kloLauf(KloLauf& l)
{
    l.stt = *BefAktZustand();
    const double x0 = l.stt.x, y0 = l.stt.y;
    l.x = x0;
    l.y = y0;
    ZeiExtHolen(ZeiAktName(), l.zeiSchluessel, sizeof l.zeiSchluessel);
    const bool enden = !l.fest && l.filter == 1;
    if (enden) {
        HulBauteileDurchlaufen(l.id, 0, kloEnden, &l);
        if (l.hatAnfang) kloEnde(l, l.anfang, 0);
    }
    HulBauteileDurchlaufen(l.id, 0, kloFuellen, &l);
    int ordnung = l.ordnung;
    if (!l.klolis.empty())
        shellsortu(l.klolis.data(), static_cast<int32_t>(l.klolis.size()), sizeof(klowrk), kloVergleich, &ordnung);
    for (size_t i = 0; i < l.klolis.size(); ++i) kloPlatzieren(l, l.klolis[i], static_cast<int>(i));
    if (enden && l.hatEnde) kloEnde(l, l.ende, 1);
    kloLetzte = l.klolis;
    StartpunktSetzen(x0, y0);
}

}  // namespace

void KlemmenErzeugen(uint32_t id, int filter, int ordnung, const char* von, const char* bis)
{
    KlemmenErzeugenMit(id, filter, ordnung, von, bis, nullptr, nullptr);
}

// Without names (KlemmenErzeugen) the entries' own symbols are used.
void KlemmenErzeugenMit(uint32_t id, int filter, int ordnung, const char* von, const char* bis, const char* name,
                        const char* name2)
{
    auto leer = [](const char* t) {
        if (t == nullptr) return true;
        while (*t == ' ') ++t;
        return *t == '\0';
    };
    KloLauf l{};
    l.id = id;
    l.filter = filter;
    l.ordnung = ordnung;
    l.von = von != nullptr ? von : "";
    l.bis = bis != nullptr ? bis : "";
    l.fest = name != nullptr || name2 != nullptr;
    l.name = leer(name) ? "XKL" : name;
    l.name2 = leer(name2) ? "XKLF" : name2;
    kloLauf(l);
}

int KloZeilen(const klowrk** zeilen)
{
    *zeilen = kloLetzte.data();
    return static_cast<int>(kloLetzte.size());
}
