// Attached texts, section ")S Ztx" (see nzustext.h). Prefix `Ztx`.
#include "equipment/nzustext.h"

#include <cstring>

#include "equipment/bm.h"
#include "equipment/bmint.h"
#include "equipment/fstx.h"
#include "equipment/ntxkern.h"
#include "config/reaktion.h"

static_assert(sizeof(appztext) == 40, "snapshot records are 40 bytes");

namespace {

NtxListe<appztext, ZTXSUP, ZTXTEXTSUP> ztx;

// The order of the texts' keys, as ZtxSortieren leaves them.
constexpr auto ZtxVergleich = decltype(ztx)::Vergleich;

bool ZtxBereit(int anlegen)
{
    BMDateiAktuell(anlegen);
    return ztx.init != 0;
}

bool ZtxGleich(const appztext& t, uint32_t id, const char* code, int nr)
{
    return t.id == id && t.nr == nr && std::strcmp(t.code, code) == 0;
}

}  // namespace

void ZtxMarkeSetzen(int geaendert) { ztx.geaendert = geaendert; }

void ZtxInit() { ztx.Start(); }
void ZtxFrei() { ztx.Ende(); }
int ZtxGeaendert() { return ztx.geaendert; }
int ZtxAbschnittLesen(BDAT* d) { return ztx.Lesen(d); }
int ZtxAbschnittSchreiben(BDAT* d) { return ztx.Schreiben(d, ")S Ztx"); }
long ZtxSichern(void* puffer) { return ztx.Sichern(puffer); }

void ZtxHerstellen(const void* puffer)
{
    if (ztx.init && puffer != nullptr) ztx.Herstellen(puffer);
}

void ZtxDurchlaufen(uint32_t id, const char* code, int nr, int uebersetzen, ZTXFN fn, void* benutzer)
{
    if (!ZtxBereit(0)) return;
    ztx.FuerAlle(id, code, nr, [&](const appztext& t) {
        appztext k = t;
        if (uebersetzen) FstxZTextUebersetzen(k.id, k.code, k.nr, k.zeile, k.text, sizeof k.text);
        fn(&k, benutzer);
    });
}

void ZtxTextHolen(uint32_t id, const char* code, int nr, int zeile, char* aus, size_t kap)
{
    if (aus == nullptr || kap == 0) return;
    aus[0] = 0;
    if (!ZtxBereit(0)) return;
    const int i = ztx.Finden(id, code, nr, zeile);
    char text[FSTXTEXTSUP + 1];
    strkopie(text, sizeof text, i >= 0 ? ztx.L()[static_cast<size_t>(i)].text : "", ZTXTEXTSUP);
    // A translation counts also where no base entry exists.
    FstxZTextUebersetzen(id, code, nr, zeile, text, sizeof text);
    strkopie(aus, kap, text, static_cast<int>(kap - 1));
}

int ZtxNaechsteNummer(uint32_t id)
{
    if (!ZtxBereit(0)) return 1;
    long groesste = 0;
    ztx.FuerAlle(id, nullptr, -1, [&](const appztext& t) {
        const long w = BmhAtoi(t.text);
        if (w > groesste) groesste = w;
    });
    return static_cast<int>(groesste + 1);
}

int ZtxAnfuegen(uint32_t id, const char* code, int nr, const char* text)
{
    if (!ZtxBereit(1) || ztx.Voll()) return 0;
    int hoechste = 0;
    ztx.FuerAlle(id, code, nr, [&](const appztext& t) {
        if (t.zeile > hoechste) hoechste = t.zeile;
    });
    if (!ztx.Anhaengen(ztx.Satz(id, code, nr, hoechste + 1, text))) return 0;
    ztx.geaendert = 1;
    return hoechste + 1;
}

int ZtxAnhaengen(const appztext* t)
{
    if (!ZtxBereit(1) || t == nullptr) return -1;
    appztext k = *t;
    k.code[sizeof k.code - 1] = 0;
    k.text[sizeof k.text - 1] = 0;
    if (!ztx.Anhaengen(k)) return -1;
    ztx.geaendert = 1;
    return 0;
}

void ZtxEintragLoeschen(uint32_t id, const char* code, int nr, int zeile)
{
    if (!ZtxBereit(1)) return;
    const int i = ztx.Finden(id, code, nr, zeile);
    if (i >= 0) ztx.Entfernen(i);
}

void ZtxTextSetzen(uint32_t id, const char* code, int nr, int zeile, const char* text)
{
    if (!ZtxBereit(1)) return;
    if (text == nullptr || strleer(text)) {
        ZtxEintragLoeschen(id, code, nr, zeile);
        return;
    }
    const int i = ztx.Finden(id, code, nr, zeile);
    if (i >= 0) {
        BmhKopie(ztx.L()[static_cast<size_t>(i)].text, text, ZTXTEXTSUP);
        ztx.geaendert = 1;
        return;
    }
    ZtxAnfuegen(id, code, nr, text);
}

void ZtxTextSetzenSpr(uint32_t id, const char* code, int nr, int zeile, const char* text)
{
    if (SprNummer() == 0) {
        ZtxTextSetzen(id, code, nr, zeile, text);
        return;
    }
    if (!ZtxBereit(1)) return;
    FstxZTextSetzen(id, code, nr, zeile, text != nullptr ? text : "");
}

void ZtxBauteilLoeschen(uint32_t id, const char* code, int nr)
{
    if (!ZtxBereit(1)) return;
    ztx.EntfernenWenn([&](const appztext& t) { return ZtxGleich(t, id, code, nr); });
    FstxZBauteilLoeschen(id, code, nr);
}

void ZtxLoeschen(uint32_t id)
{
    if (!ZtxBereit(1)) return;
    ztx.EntfernenWenn([&](const appztext& t) { return t.id == id; });
    FstxZItemLoeschen(id);
}

void ZtxUmbenennen(uint32_t id, const char* neucode, int neunr, const char* altcode, int altnr)
{
    if (!ZtxBereit(1)) return;
    if (SprNummer() != 0) {
        FstxZUmschluesseln(id, altcode, altnr, neucode, neunr);
        return;
    }
    for (appztext& t : ztx.L()) {
        if (!ZtxGleich(t, id, altcode, altnr)) continue;
        BmhKopie(t.code, neucode, 3);
        t.nr = neunr;
        ztx.geaendert = 1;
    }
}

void ZtxSortieren()
{
    if (ZtxBereit(0)) ztx.Sortieren(ZtxVergleich);
}
