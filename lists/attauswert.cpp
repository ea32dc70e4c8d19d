// The article and attribute lists (see attauswert.h).
//
// Records are collected first (merged when `zusfas` asks for it), then
// written in collection order; a merged record lists every identifier and
// position it stands for, wrapped over as many lines as they need.
#include "lists/attauswert.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "editdlg/textdat.h"
#include "editor/edtseite.h"
#include "editor/baubf.h"
#include "editor/objwahl.h"
#include "equipment/nartikel.h"
#include "equipment/utitel.h"
#include "lists/auswertung.h"
#include "lists/awformat.h"
#include "lists/bmauswert.h"
#include "model/textvar.h"
#include "model/zeichnun.h"
#include "model/zeilauf.h"
#include "project/pvwliste.h"
#include "support/bdatei.h"
#include "support/texte.h"
#include "support/vergleich.h"
#include "winlib/meldung.h"

namespace {

constexpr int AWFELDSUP = 80;

struct AwArtSatz {
    bmzeile z;
    int menge = 1;
    bool verbunden = false;
    std::string kennungen, positionen;
};

struct AwArtLauf {
    std::vector<AwArtSatz> saetze;
    bool feld = false;
    int fehlend = 0;
    BDAT fehlDatei{};
    std::string fehlName;
    bool fehlOffen = false;
};

bool awGleichNachSchluessel(int k, const bmzeile& a, const bmzeile& b)
{
    if ((k == 4 || k == 5 || k == 7) && strvgl(a.t6, b.t6) != 0) return false;
    if ((k == 5 || k == 6 || k == 7) && strvgl(a.t7, b.t7) != 0) return false;
    if (k == 8 && strvgl(a.stamm, b.stamm) != 0) return false;
    return true;
}

void awMitStamm(char* t, size_t kap, const char* text, const char* ze, bool stamm)
{
    strkopie(t, kap, text, static_cast<int>(kap - 1));
    if (stamm) ZeiStammVorsetzen(t, kap, ze);
}

void awSammeln(AwArtLauf& l, const bmzeile& z)
{
    const awoptionen& o = AwOptionen();
    if (o.zusfas) {
        const int k1 = BmlSortModus1(o.sortiert), k2 = BmlSortModus2(o.sortiert);
        for (auto& s : l.saetze) {
            if (strvgl(s.z.g.lt, z.g.lt) != 0 || !awGleichNachSchluessel(k1, s.z, z) ||
                (k2 != 0 && !awGleichNachSchluessel(k2, s.z, z)))
                continue;
            char t[AWFELDSUP + 1];
            ++s.menge;
            s.verbunden = true;
            awMitStamm(t, sizeof t, z.kennung, z.h.ze, l.feld);
            s.kennungen += ", ";
            s.kennungen += t;
            awMitStamm(t, sizeof t, z.pos, z.h.ze, l.feld);
            s.positionen += ", ";
            s.positionen += t;
            return;
        }
    }
    AwArtSatz s;
    s.z = z;
    s.kennungen = z.kennung;
    s.positionen = z.pos;
    l.saetze.push_back(std::move(s));
}

void awZeileSammeln(AwArtLauf& l, const bmzeile& z)
{
    if (z.g.lt[0] == '\0' || !AwOrtFilter(z.t6, z.t7, z.g.n2)) return;
    stueckliste s;
    if (AwOptionen().aufloe && StlSuchen(z.g.lt, &s)) {
        bool eine = false;
        for (const auto& a : s.art) {
            if (a[0] == '\0') continue;
            bmzeile u = z;
            strkopie(u.g.lt, sizeof u.g.lt, a, ARTNRSUP);
            awSammeln(l, u);
            eine = true;
        }
        if (eine) return;
    }
    awSammeln(l, z);
}

int awArtFilter(const bmzeile* z, void*) { return AwZeileFilter(z) ? 1 : 0; }

void awArtZeile(const bmzeile* z, void* p) { awZeileSammeln(*static_cast<AwArtLauf*>(p), *z); }

void awFehlt(AwArtLauf& l, const bmzeile& z)
{
    if (!l.fehlOffen) {
        if (bdmake(&l.fehlDatei, l.fehlName.c_str()) < 0) {
            wiHinweis("Kann Ausgabedatei %s nicht anlegen.", l.fehlName.c_str());
            l.fehlName.clear();
            return;
        }
        l.fehlOffen = true;
    }
    char zeile[sizeof z.g.lt + sizeof z.pos + sizeof z.kennung + 48];
    std::snprintf(zeile, sizeof zeile, "%-24s%-16s%s\r\n", z.g.lt, z.pos, z.kennung);
    bdwrite(&l.fehlDatei, zeile, static_cast<int32_t>(std::strlen(zeile)));
    ++l.fehlend;
}

// The width a joined list wraps at in a slot.
int awListenBreite(int slot)
{
    const awspalte& sp = AwfSlotSpalte(slot);
    int b = sp.breite;
    if (b == 0) {
        int naechste = AwfNaechsteSpalte(sp.spalte);
        if (naechste == 0) naechste = AwfBreite() + 1;
        b = naechste - sp.spalte;
    }
    return std::max(b, 10);
}

void awListeFeld(int slot, const std::string& text)
{
    std::vector<std::string> teile = AwUmbrechen(text, awListenBreite(slot));
    for (size_t k = 0; k < teile.size(); ++k) AwfSlotFeld(slot, teile[k].c_str(), static_cast<int>(k));
}

void awArtikelAus(AwArtLauf& l)
{
    const awoptionen& o = AwOptionen();
    std::string vorige;
    bool erste = true;
    for (size_t i = 0; i < l.saetze.size(); ++i) {
        const AwArtSatz& s = l.saetze[i];
        const bmzeile& z = s.z;
        if (!AwOrtFilter(z.t6, z.t7, z.g.n2)) continue;
        artikel a;
        if (!l.fehlName.empty() && !ArtSuchen(z.g.lt, &a)) awFehlt(l, z);
        if (!erste && vorige != z.kennung) AwfLeerzeilen(o.knnzei);
        erste = false;
        vorige = z.kennung;
        if (o.auf1sei) AwfBlock(1);
        AwfSatzLeeren();
        AwStdFelder(&z);
        char t[AWFELDSUP + 1];
        AwArtikelText(&z, 1, t, sizeof t);
        AwfSlotFeld(0, t[0] ? t : z.g.lt);
        for (int n = 1; n <= 10; ++n) {
            AwArtikelText(&z, n + 1, t, sizeof t);
            AwfSlotFeld(n <= 5 ? 2 + n : 4 + n, t);
        }
        std::snprintf(t, sizeof t, "%d", s.menge);
        AwfSlotFeld(8, t);
        std::snprintf(t, sizeof t, "%zu", i + 1);
        AwfSlotFeld(9, t);
        if (s.verbunden) {
            awListeFeld(1, s.kennungen);
            awListeFeld(2, s.positionen);
        } else {
            awMitStamm(t, sizeof t, z.kennung, z.h.ze, l.feld);
            AwfSlotFeld(1, t);
            awMitStamm(t, sizeof t, z.pos, z.h.ze, true);
            AwfSlotFeld(2, t);
        }
        AwfSatzAus();
        AwfBlock(0);
        AwfLeerzeilen(0);
        AwfLeerzeilen(o.abstand);
    }
}

// Starts the formatter and the article columns; false when the result
// cannot be created.
bool awArtStart(AwArtLauf& l)
{
    const awoptionen& o = AwOptionen();
    if (AwfStart(o.praefix.c_str(), o.datei.c_str()) != 0) return false;
    VgbPraefix(o.praefix.c_str());
    static const char* const spalten[15] = {"Art",   "Adr",   "Pfad",  "Text0", "Text1", "Text2", "Text3", "Text4",
                                            "Menge", "PosNr", "Text5", "Text6", "Text7", "Text8", "Text9"};
    for (int i = 0; i < 15; ++i) AwfSlotLesen(i, spalten[i]);
    AwfBreiteLesen("Breite");
    // The missing-article file lies beside the result.
    std::string ordner = o.datei;
    size_t schnitt = ordner.find_last_of("/\\");
    ordner = schnitt == std::string::npos ? "" : ordner.substr(0, schnitt + 1);
    std::string name = o.fehler.empty() ? "LagerArtikelFehlt.txt" : o.fehler;
    l.fehlName = name.find_first_of("/\\") == std::string::npos ? ordner + name : name;
    return true;
}

int awArtEnde(AwArtLauf& l)
{
    int r = AwfEnde();
    VgbPraefix("");
    if (l.fehlOffen) {
        l.fehlOffen = false;
        if (bdclose(&l.fehlDatei) < 0) {
            wiHinweis("Kann Ausgabedatei %s nicht anlegen.", l.fehlName.c_str());
            return -1;
        }
        wiHinweis("%d Lagerartikel nicht gefunden.", l.fehlend);
        TextAnzeigen(l.fehlName.c_str());
    }
    return r;
}

// ---- attributes ------------------------------------------------------------

struct attpos {
    std::string ze;
    double x, y;
    char pos[21];
    char feld[21];
    char text[21];
    char kennung[41];
    char bauwerk[41], objekt[41];
    double abstand;
};

// A text of the drawing that can name an attribute.
struct atttext {
    double x, y;
    char text[41];
};

struct AwAttLauf {
    std::vector<attpos>* alle;
    size_t erste;  // the current drawing's first attribute
    std::string ze;
    char bauwerk[41], objekt[41];
    std::vector<atttext> texte;  // the current drawing's other texts, in drawing order
};

AwAttLauf* awAtt = nullptr;

// One walk over the drawing collects its attributes and its other texts.
int awAttributeSuchen(const BEF* b, const STT* s)
{
    if (!BefIstText(b->code)) return 0;
    if (b->text[0] != 1) {
        if (b->text[0] == '@' || b->text[0] == '\0') return 0;
        atttext n{s->x, s->y, {}};
        strkopie(n.text, sizeof n.text, b->text, 40);
        awAtt->texte.push_back(n);
        return 0;
    }
    char t[sizeof b->text];
    strkopie(t, sizeof t, b->text[1] ? b->text + 2 : "", static_cast<int>(sizeof t - 1));
    strtrim(t);
    if (t[0] == '\0') return 0;
    attpos a{};
    a.ze = awAtt->ze;
    a.x = s->x;
    a.y = s->y;
    QvwPosText(a.pos, sizeof a.pos, a.ze.c_str(), a.x, a.y);
    ZeiStamm(a.feld, a.ze.c_str());
    strkopie(a.text, sizeof a.text, t, 20);
    strkopie(a.bauwerk, sizeof a.bauwerk, awAtt->bauwerk, 40);
    strkopie(a.objekt, sizeof a.objekt, awAtt->objekt, 40);
    awAtt->alle->push_back(a);
    return 0;
}

// Each attribute of the drawing takes the nearest text within 10.0, the
// first in drawing order on a tie.
void awNaechsteTexte(AwAttLauf& l)
{
    for (size_t i = l.erste; i < l.alle->size(); ++i) {
        attpos& a = (*l.alle)[i];
        for (const atttext& n : l.texte) {
            const double d = std::fabs(n.x - a.x) + std::fabs(n.y - a.y);
            if (d > 10.0 || (a.kennung[0] && d >= a.abstand)) continue;
            strkopie(a.kennung, sizeof a.kennung, n.text, 40);
            a.abstand = d;
        }
    }
}

int awAttPos(const attpos& a, const attpos& b) { return BtlPosVergleich(a.ze.c_str(), a.x, a.y, b.ze.c_str(), b.x, b.y); }

int awAttSchluessel(int k, const attpos& a, const attpos& b)
{
    int c = 0;
    switch (k) {
    case 1:
    case 3: c = strvglzahl(a.kennung, b.kennung); break;
    case 2: break;
    case 4: c = strvglzahl(a.bauwerk, b.bauwerk); break;
    case 5:
        c = strvglzahl(a.bauwerk, b.bauwerk);
        if (!c) c = strvglzahl(a.objekt, b.objekt);
        break;
    case 6: c = strvglzahl(a.objekt, b.objekt); break;
    case 7:
        c = strvglzahl(a.objekt, b.objekt);
        if (!c) c = strvglzahl(a.bauwerk, b.bauwerk);
        break;
    case 8: return strvglzahl(a.feld, b.feld);
    default: return 0;
    }
    return c ? c : awAttPos(a, b);
}

}  // namespace

std::vector<std::string> AwUmbrechen(const std::string& text, int breite)
{
    std::vector<std::string> r;
    const size_t b = static_cast<size_t>(std::max(breite, 10));
    size_t p = 0;
    while (p < text.size()) {
        while (p < text.size() && text[p] == ' ') ++p;
        if (p >= text.size()) break;
        std::string stueck = text.substr(p, b);
        if (p + stueck.size() < text.size()) {
            size_t komma = stueck.rfind(',');
            size_t blank = stueck.rfind(' ');
            if (komma != std::string::npos) stueck.resize(komma + 1);
            else if (blank != std::string::npos && blank > 0) stueck.resize(blank);
        }
        p += stueck.size();
        r.push_back(stueck);
    }
    return r;
}

int AwArtikelListe()
{
    const awoptionen& o = AwOptionen();
    if (o.nurMarkiert) AwMarkListe();
    AwArtLauf l;
    l.feld = o.feld != 0;
    if (!awArtStart(l)) return -1;
    if (AwSortiertDurchlaufen(awArtFilter, awArtZeile, o.sortiert, &l) != 0) return AwLaufEnde(-1);
    awArtikelAus(l);
    return awArtEnde(l);
}

int AwAttributListe()
{
    const awoptionen& o = AwOptionen();
    if (o.nurMarkiert) AwMarkListe();
    AwArtLauf l;
    if (!awArtStart(l)) return -1;
    std::vector<attpos> alle;
    AwAttLauf a{&alle, 0, "", "", "", {}};
    awAtt = &a;
    char name[PVWNAMESUP + 1], pfad[PVWNAMESUP + 300], ext[PVWNAMESUP + 1];
    for (int n = 0; n < PvwAnzahl(); ++n) {
        if (!PvwZeiName(n, name)) continue;
        ZeiExtHolen(name, ext);
        if (o.nurMarkiert && !AwMarkiert(ext)) continue;
        PfadProjekt(pfad, sizeof pfad, name);
        a.ze = ext;
        ZeiKopfGruppenTexteDatei(pfad, a.bauwerk, a.objekt);
        a.erste = alle.size();
        a.texte.clear();
        STT s;
        SttInit(&s, nullptr);
        ZeiDurchlaufen(pfad, &s, awAttributeSuchen);
        awNaechsteTexte(a);
    }
    awAtt = nullptr;
    const int k1 = BmlSortModus1(o.sortiert), k2 = BmlSortModus2(o.sortiert);
    std::stable_sort(alle.begin(), alle.end(), [&](const attpos& x, const attpos& y) {
        int c = awAttSchluessel(k1, x, y);
        if (!c && k2) c = awAttSchluessel(k2, x, y);
        return c < 0;
    });
    for (const attpos& p : alle) {
        bmzeile z{};
        strkopie(z.kennung, sizeof z.kennung, p.kennung, 40);
        strkopie(z.g.lt, sizeof z.g.lt, p.text, ARTNRSUP);
        std::snprintf(z.h.cd, sizeof z.h.cd, "H");
        z.h.x = p.x;
        z.h.y = p.y;
        z.h.platziert = 1;
        strkopie(z.h.ze, sizeof z.h.ze, p.ze.c_str(), 40);
        strkopie(z.pos, sizeof z.pos, p.pos, 40);
        strkopie(z.stamm, sizeof z.stamm, p.feld, 40);
        strkopie(z.t6, sizeof z.t6, p.bauwerk, 40);
        strkopie(z.t7, sizeof z.t7, p.objekt, 40);
        awZeileSammeln(l, z);
    }
    awArtikelAus(l);
    return awArtEnde(l);
}
