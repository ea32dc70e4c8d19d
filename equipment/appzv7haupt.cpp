// Version-7 items, the common reader, the import and the deletion of the
// old files (see appzv7.h). Prefix `Zv7`.
#include <algorithm>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "config/konfhaken.h"
#include "config/verzeich.h"
#include "equipment/appzv7.h"
#include "equipment/bm.h"
#include "equipment/bmhilf.h"
#include "equipment/btl.h"
#include "equipment/ges.h"
#include "equipment/ngestext.h"
#include "equipment/nhuliste.h"
#include "equipment/nzustext.h"
#include "equipment/wse.h"
#include "platform/dateisys.h"
#include "support/bdatei.h"
#include "support/basis.h"
#include "support/dosdatei.h"
#include "support/pfade.h"
#include "support/texte.h"

namespace {

std::string zv7HauptPfad;
bool zv7HauptGeladen = false;
std::vector<zv7haupt> zv7Haupt;
std::unordered_map<uint32_t, size_t> zv7HauptIndex;

void Zv7HauptZeile(char* zeile, void*)
{
    if (static_cast<int>(zv7Haupt.size()) >= ZV7HAUPTSUP - 1) return;
    zv7haupt h{};
    char wort[ZV7ZEILESUP + 1];
    wortab(wort, zeile);
    h.id = hexwert(wort);
    char feld[ZV7ZEILESUP + 1];
    auto quot = [&](char* ziel, size_t kap, int breite) {
        quotfeldab(feld, zeile);
        strtrim(feld);
        strkopie(ziel, kap, feld, breite);
    };
    quot(h.typ, sizeof h.typ, 20);
    quot(h.text0, sizeof h.text0, 40);
    quot(h.text1, sizeof h.text1, 40);
    quot(h.ort, sizeof h.ort, 20);
    quot(h.kenn, sizeof h.kenn, 20);
    quotfeldab(feld, zeile);
    h.defnr = BmhAtoi(feld);
    zv7Haupt.push_back(h);
}

void Zv7HauptLaden()
{
    if (zv7HauptGeladen) return;
    zv7HauptGeladen = true;
    zv7Haupt.clear();
    zv7HauptIndex.clear();
    Zv7DateiLesen(zv7HauptPfad.c_str(), "zvkH", Zv7HauptZeile, nullptr);
    // Lookups by id whatever the file's order; the first record of an id wins.
    for (size_t i = 0; i < zv7Haupt.size(); ++i) zv7HauptIndex.emplace(zv7Haupt[i].id, i);
}

std::string Zv7Pfad(const char* name)
{
    char pfad[PFADSUP + 1];
    PfadBilden(1, name, "", pfad, sizeof pfad);
    return pfad;
}

// "Z" records hang an attached text on the item: on "H" 0 for a blank type,
// else on 'U' + the type's part before its first digit, numbered by those
// digits.
void Zv7Zusatztext(const zv7unter& u)
{
    appztext t{};
    t.id = u.id;
    char typ[sizeof u.tt];
    strkopie(typ, u.tt, static_cast<int>(sizeof typ) - 1);
    strtrim(typ);
    if (typ[0] == 0) {
        strkopie(t.code, "H", 1);
        t.nr = 0;
    } else {
        size_t i = 0;
        while (typ[i] && !(typ[i] >= '0' && typ[i] <= '9')) ++i;
        std::string code = "U" + std::string(typ, i);
        strkopie(t.code, code.c_str(), 3);
        t.nr = BmhAtoi(typ + i);
    }
    t.zeile = u.nr;
    strkopie(t.text, u.text, ZTXTEXTSUP);
    ZtxAnhaengen(&t);
}

void Zv7Bauteil(const zv7unter* u, void* benutzer)
{
    auto* g = static_cast<appgeraet*>(benutzer);
    if (std::strcmp(u->code, "Z") == 0) {
        Zv7Zusatztext(*u);
        return;
    }
    appbteil b{};
    b.id = u->id;
    strkopie(b.cd, u->code, BTLCDSUP);
    b.nr = u->nr;
    strkopie(b.tt, u->tt, BTLTEXTSUP);
    strkopie(b.bl, u->bl, BTLTEXTSUP);
    strkopie(b.kb, u->kb, BTLTEXTSUP);
    b.platziert = u->platziert;
    b.x = u->x;
    b.y = u->y;
    strkopie(b.ze, u->ze, BTLTEXTSUP);
    if (std::strcmp(u->code, "H") == 0) {
        strkopie(g->kg, u->text, GESKGSUP);
        GesAendern(g->id, g);
    } else if (NhuIstUnter(u->code)) {
        // Kept as written: a code that begins with 'U' becomes "UU...".
        std::string code = std::string("U") + u->code;
        strkopie(b.cd, code.c_str(), BTLCDSUP);
        strkopie(b.bs, u->text, BTLBSSUP);
    }
    BtlEintragAnhaengen(&b);
}

void Zv7Geraet(const zv7haupt* h, void*)
{
    appgeraet g{};
    g.id = h->id;
    g.n1 = h->defnr;
    strkopie(g.tt, h->typ, GESTTSUP);
    strkopie(g.ft, h->kenn, GESKGSUP);
    strkopie(g.lt, h->ort, GESTTSUP);
    if (GesEinfuegen(&g) != 0) return;
    if (!strleer(h->text0)) GtxHauptTextNeu(h->id, 0, h->text0);
    if (!strleer(h->text1)) GtxHauptTextNeu(h->id, 1, h->text1);
    Zv7UnterDurchlaufen(h->id, Zv7Bauteil, &g);
}

}  // namespace

int Zv7DateiLesen(const char* pfad, const char* magie, ZV7ZEILEFN fn, void* benutzer)
{
    BDAT d;
    if (bdopenlesen(&d, pfad) < 0) return -1;
    char zeile[ZV7ZEILESUP + 1];
    bool drin = false;
    while (bdgets(&d, zeile, ZV7ZEILESUP) >= 0) {
        char kopie[ZV7ZEILESUP + 1];
        strkopie(kopie, zeile, ZV7ZEILESUP);
        char wort[ZV7ZEILESUP + 1];
        wortab(wort, kopie);
        if (!drin) {
            drin = std::strcmp(wort, magie) == 0;
            continue;
        }
        if (wort[0] == 0 || wort[0] == ';') continue;
        if (std::strcmp(wort, ")E") == 0) break;
        fn(zeile, benutzer);
    }
    const bool lesefehler = bdlesefehler(&d) != 0;
    bdclose(&d);
    return lesefehler ? -1 : 0;
}

void Zv7HauptInit(const char* pfad)
{
    zv7HauptPfad = pfad != nullptr ? pfad : "";
    zv7HauptGeladen = false;
    zv7Haupt.clear();
    zv7HauptIndex.clear();
}

void Zv7HauptFrei()
{
    zv7Haupt.clear();
    zv7Haupt.shrink_to_fit();
    zv7HauptIndex.clear();
    zv7HauptGeladen = false;
}

int Zv7HauptAnzahl()
{
    Zv7HauptLaden();
    return static_cast<int>(zv7Haupt.size());
}

void Zv7HauptDurchlaufen(int filter, ZV7HAUPTFN fn, void* benutzer)
{
    Zv7HauptLaden();
    for (const auto& h : zv7Haupt) {
        bool nehmen = true;
        if (filter == 1) nehmen = h.defnr == 0 && Zv7UnterZahl(h.id) > 0;
        else if (filter == 2) nehmen = Zv7UnterZahl(h.id) == 0;
        else if (filter >= 3 && filter <= 6) nehmen = h.defnr == filter - 2;
        if (nehmen) fn(&h, benutzer);
    }
}

int Zv7HauptSuchen(uint32_t id, zv7haupt* aus)
{
    Zv7HauptLaden();
    std::memset(aus, 0, sizeof *aus);
    const auto it = zv7HauptIndex.find(id);
    if (it == zv7HauptIndex.end()) return 0;
    *aus = zv7Haupt[it->second];
    return 1;
}

void Zv7BmImport()
{
    Zv7HauptInit(Zv7Pfad("BMHAUPT.ZVK").c_str());
    Zv7UnterInit(Zv7Pfad("BMUNTER.ZVK").c_str());
    Zv7WaisenInit(Zv7Pfad("BMOHNEH.ZVK").c_str());
    Zv7HauptDurchlaufen(0, Zv7Geraet, nullptr);
    Zv7WaisenDurchlaufen(
        [](const zv7waise* w, void*) {
            appwaise a{};
            strkopie(a.name, w->bl, WSENAMESUP);
            a.platziert = 1;
            a.x = w->x;
            a.y = w->y;
            strkopie(a.ze, w->zname, WSENAMESUP);
            WseAnlegen(&a);
        },
        nullptr);
    Zv7HauptFrei();
    Zv7UnterFrei();
    Zv7WaisenFrei();
    GtxSortieren();
    BtlSortieren();
    ZtxSortieren();
}

int Zv7DateienLoeschen()
{
    const std::string haupt = Zv7Pfad("BMHAUPT.ZVK");
    const std::string unter = Zv7Pfad("BMUNTER.ZVK");
    const std::string waisen = Zv7Pfad("BMOHNEH.ZVK");
    // The store refuses to write while the item file exists: it steps aside
    // under a name of its own, and comes back when the write fails.
    const std::string beiseite = Zv7Pfad("BMHAUPT.ZV7");
    const bool da = dateilaenge(haupt.c_str()) >= 0;
    if (da && plDsUmbenennen(haupt.c_str(), beiseite.c_str()) != 0) return -1;
    if (BMDateiSchreiben() != 0) {
        if (da && plDsUmbenennen(beiseite.c_str(), haupt.c_str()) != 0)
            wiDebug("Zv7: %s nicht wiederhergestellt", haupt.c_str());
        return -1;
    }
    if (da) dateiloeschen(beiseite.c_str());
    dateiloeschen(unter.c_str());
    dateiloeschen(waisen.c_str());
    return 0;
}
