// Component redefinition (see btlredef.h). Prefix `Redef`.
#include "equipment/btlredef.h"

#include <cstring>
#include <vector>

#include "config/konfhaken.h"
#include "equipment/bmhilf.h"
#include "equipment/nartikel.h"
#include "equipment/nhuliste.h"
#include "equipment/nzustext.h"
#include "model/bauteil.h"
#include "model/textvar.h"
#include "support/basis.h"
#include "support/texte.h"

namespace {

std::vector<vorrat> redefVorrat;
std::vector<aenderung> redefAenderungen;
uint32_t redefZiel = 0;
int redefModus = 0;

void RedefCode(char (&ziel)[4], const char* code) { strkopie(ziel, code, 3); }

int RedefMerken(uint32_t altid, const char* altcd, int altnr, uint32_t neuid, const char* neucd, int neunr)
{
    if (static_cast<int>(redefAenderungen.size()) >= CHGSUP) {
        wiDebug("Redef: mehr als %d Aenderungen", CHGSUP);
        return -1;
    }
    aenderung a{};
    a.altid = altid;
    RedefCode(a.altcd, altcd);
    a.altnr = altnr;
    a.neuid = neuid;
    RedefCode(a.neucd, neucd);
    a.neunr = neunr;
    redefAenderungen.push_back(a);
    return 0;
}

// Moves r's placement onto stock entry e and records the change.
int RedefUebernehmen(vorrat& e, const appbteil* r)
{
    appbteil ziel;
    int nr = 0;
    if (e.b.nr != 0) {
        nr = BtlPlatzierenNr(redefZiel, e.b.cd);
        if (nr < 0 || !BtlSuchen(redefZiel, e.b.cd, nr, &ziel)) return -1;
    } else {
        ziel = e.b;
    }
    strkopie(ziel.bl, e.b.bl, BTLTEXTSUP);
    strkopie(ziel.bs, r->bs, BTLBSSUP);
    ziel.platziert = r->platziert;
    ziel.x = r->x;
    ziel.y = r->y;
    strkopie(ziel.ze, r->ze, BTLTEXTSUP);
    BtlEintragAendern(redefZiel, ziel.cd, ziel.nr, &ziel);
    return RedefMerken(r->id, r->cd, r->nr, redefZiel, ziel.cd, nr);
}

}  // namespace

void RedefStart(uint32_t ziel, int modus)
{
    redefVorrat.clear();
    redefAenderungen.clear();
    redefVorrat.reserve(OBLSUP);
    redefAenderungen.reserve(CHGSUP);
    redefZiel = ziel;
    redefModus = modus;
    BtlDurchlaufen(
        ziel,
        [](const appbteil* b, void*) {
            if (b->platziert != 0 || static_cast<int>(redefVorrat.size()) >= OBLSUP) return;
            if (!NhuIstUnter(b->cd) && !BtlIstDispo(b->cd) && !BtlIstPrinzip(b->cd)) return;
            redefVorrat.push_back({*b, 0});
        },
        nullptr);
}

void RedefVorratReset()
{
    for (auto& e : redefVorrat) e.benutzt = 0;
    redefAenderungen.clear();
}

int RedefAenderungMerken(const appbteil* neu, const appbteil* alt)
{
    return RedefMerken(alt->id, alt->cd, alt->nr, neu->id, neu->cd, neu->nr);
}

int RedefZuordnen(const appbteil* r, int anwenden)
{
    if (anwenden && static_cast<int>(redefAenderungen.size()) >= CHGSUP) {
        wiDebug("Redef: Aenderungsliste voll, %s bleibt", r->bl);
        return -1;
    }
    if (redefModus == 2) {
        if (anwenden) {
            appbteil neu = *r;
            neu.id = redefZiel;
            neu.objekt = 0;
            BtlEintragAnhaengen(&neu);
            RedefMerken(r->id, r->cd, r->nr, redefZiel, r->cd, r->nr);
        }
        return 0;
    }
    for (int durchgang = 1; durchgang <= 2; ++durchgang) {
        for (auto& e : redefVorrat) {
            const bool gleicherName = std::strcmp(e.b.bl, r->bl) == 0;
            const bool aequivalent =
                !gleicherName && std::strcmp(e.b.cd, r->cd) == 0 && BauAequivalent(e.b.bl, r->bl) != 0;
            const bool typGleich = std::strcmp(e.b.tt, r->tt) == 0;
            const bool kandidat = (typGleich && (gleicherName || aequivalent)) || (durchgang == 2 && gleicherName);
            if (!kandidat) continue;
            if (aequivalent) strkopie(e.b.bl, r->bl, BTLTEXTSUP);
            if (e.b.nr == 0 && e.benutzt == 0)
                e.benutzt = 1;
            else if (e.b.nr > e.benutzt)
                ++e.benutzt;
            else
                continue;
            if (anwenden && RedefUebernehmen(e, r) < 0) return -1;
            return 0;
        }
    }
    return -1;
}

int RedefAenderungAnwenden(uint32_t* id, char* code, size_t kap, int32_t* nr)
{
    for (const auto& a : redefAenderungen) {
        if (a.altid == *id && std::strcmp(a.altcd, code) == 0 && a.altnr == *nr) {
            *id = a.neuid;
            strkopie(code, kap, a.neucd, 3);
            *nr = a.neunr;
            return 1;
        }
    }
    return 0;
}

void RedefZtxUebernehmen(const appztext* t)
{
    appztext neu = *t;
    RedefAenderungAnwenden(&neu.id, neu.code, sizeof neu.code, &neu.nr);
    ZtxAnhaengen(&neu);
}

int RedefVerweiseAnpassen(const char* text, std::string& aus, int ausweichen)
{
    YREF r;
    if (YRefZerlegen(text, &r) != 0) return 0;
    std::string code = r.art;
    if (!code.empty() && NhuIstUnter(code.c_str()) && code[0] != 'U') code.insert(code.begin(), 'U');
    if (!code.empty()) {
        for (const auto& a : redefAenderungen) {
            if (a.altid != r.id || code != a.altcd || a.altnr != r.nr) continue;
            const char* neu = a.neucd[0] == 'U' ? a.neucd + 1 : a.neucd;
            ArtVerweisText(aus, a.neuid, r.feld, r.zeile, neu, a.neunr);
            if (r.plus) aus += '+';
            return 1;
        }
        if (!ausweichen) return 0;
    }
    for (const auto& a : redefAenderungen) {
        if (a.altid != r.id) continue;
        std::string hex;
        BmhHex(hex, a.neuid);
        std::string s = text;
        s.replace(2, std::min<size_t>(4, s.size() - 2), hex);
        aus = s;
        return 1;
    }
    return 0;
}

void RedefEnde()
{
    redefVorrat.clear();
    redefVorrat.shrink_to_fit();
    redefAenderungen.clear();
    redefAenderungen.shrink_to_fit();
}

int RedefVorratAnzahl() { return static_cast<int>(redefVorrat.size()); }
const vorrat* RedefVorrat(int i) { return i >= 0 && i < RedefVorratAnzahl() ? &redefVorrat[static_cast<size_t>(i)] : nullptr; }
int RedefAenderungAnzahl() { return static_cast<int>(redefAenderungen.size()); }
const aenderung* RedefAenderung(int i)
{
    return i >= 0 && i < RedefAenderungAnzahl() ? &redefAenderungen[static_cast<size_t>(i)] : nullptr;
}
