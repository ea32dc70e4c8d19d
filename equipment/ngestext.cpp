// Generated texts, section ")S Gtx" (see ngestext.h). Prefix `Gtx`.
#include "equipment/ngestext.h"

#include <cstring>
#include <string>

#include "equipment/bm.h"
#include "equipment/bmint.h"
#include "equipment/btl.h"
#include "equipment/fstx.h"
#include "equipment/nartikel.h"
#include "equipment/nzustext.h"
#include "equipment/ntxkern.h"
#include "equipment/utitel.h"
#include "config/reaktion.h"
#include "model/dienste.h"
#include "model/textvar.h"
#include "model/zeichnun.h"

static_assert(sizeof(appgtext) == 60, "snapshot records are 60 bytes");

namespace {

NtxListe<appgtext, GTXSUP, GTXTEXTSUP> gtx;

// The order of the texts' keys, as GtxSortieren leaves them.
constexpr auto GtxVergleich = decltype(gtx)::Vergleich;

bool GtxBereit(int anlegen)
{
    BMDateiAktuell(anlegen);
    return gtx.init != 0;
}

void GtxKopie(char* aus, size_t kap, const char* text)
{
    if (aus != nullptr && kap > 0) strkopie(aus, kap, text, static_cast<int>(kap - 1));
}

// Step 3 of the post-processing: "@T" and a short text of the header of
// the drawing that holds the item's main component.
void GtxKurztext(std::string& s, uint32_t id)
{
    const size_t p = s.find("@T");
    if (p == std::string::npos) return;
    int d = -1;
    size_t laenge = 3;
    if (p + 2 >= s.size()) {
        d = 0;
        laenge = 2;  // at the very end only the two characters there are
    } else if (s[p + 2] == ' ') {
        d = 0;
    } else if (s[p + 2] >= '0' && s[p + 2] <= '9') {
        d = s[p + 2] - '0';
    }
    if (d < 0 || d > 4) return;
    appbteil h;
    ZeiKopf kopf;
    std::memset(&kopf, 0, sizeof kopf);
    if (BtlSuchen(id, "H", 0, &h) > 0 && h.ze[0] != 0) ZeiKopfHolen(h.ze, &kopf);
    s.replace(p, laenge, kopf.titel[d]);
}

}  // namespace

void GtxMarkeSetzen(int geaendert) { gtx.geaendert = geaendert; }

void GtxInit() { gtx.Start(); }
void GtxFrei() { gtx.Ende(); }
int GtxGeaendert() { return gtx.geaendert; }
int GtxAbschnittLesen(BDAT* d) { return gtx.Lesen(d); }
int GtxAbschnittSchreiben(BDAT* d) { return gtx.Schreiben(d, ")S Gtx"); }

long GtxSichern(void* puffer) { return gtx.Sichern(puffer); }

void GtxHerstellen(const void* puffer)
{
    if (gtx.init && puffer != nullptr) gtx.Herstellen(puffer);
}

void GtxDurchlaufen(uint32_t id, const char* code, int nr, int uebersetzen, GTXFN fn, void* benutzer)
{
    if (!GtxBereit(0)) return;
    gtx.FuerAlle(id, code, nr, [&](const appgtext& t) {
        appgtext k = t;
        if (uebersetzen) FstxGTextUebersetzen(k.id, k.code, k.nr, k.zeile, k.text, sizeof k.text);
        fn(&k, benutzer);
    });
}

void GtxTextRoh(uint32_t id, const char* code, int nr, int zeile, char* aus, size_t kap)
{
    GtxKopie(aus, kap, "");
    if (!GtxBereit(0) || aus == nullptr || kap == 0) return;
    const int i = gtx.Finden(id, code, nr, zeile);
    char text[FSTXTEXTSUP + 1];
    strkopie(text, sizeof text, i >= 0 ? gtx.L()[static_cast<size_t>(i)].text : "", GTXTEXTSUP);
    FstxGTextUebersetzen(id, code, nr, zeile, text, sizeof text);
    GtxKopie(aus, kap, text);
}

void GtxTextHolen(uint32_t id, const char* code, int nr, int zeile, char* aus, size_t kap)
{
    GtxTextRoh(id, code, nr, zeile, aus, kap);
    if (aus != nullptr && kap > 0 && aus[0] != 0) GtxNachbearbeiten(aus, kap, id, code, nr);
}

void GtxHauptText(uint32_t id, int zeile, char* aus, size_t kap) { GtxTextHolen(id, "H", 0, zeile, aus, kap); }
void GtxHauptTextRoh(uint32_t id, int zeile, char* aus, size_t kap) { GtxTextRoh(id, "H", 0, zeile, aus, kap); }

int GtxAnzahl(uint32_t id, const char* code, int nr)
{
    if (!GtxBereit(0)) return 0;
    int n = 0;
    gtx.FuerAlle(id, code, nr, [&](const appgtext&) { ++n; });
    return n;
}

void GtxTextNeu(uint32_t id, const char* code, int nr, int zeile, const char* text)
{
    if (!GtxBereit(1) || text == nullptr || text[0] == 0) return;
    if (gtx.Anhaengen(gtx.Satz(id, code, nr, zeile, text))) gtx.geaendert = 1;
}

void GtxHauptTextNeu(uint32_t id, int zeile, const char* text) { GtxTextNeu(id, "H", 0, zeile, text); }

void GtxTextSetzenBasis(uint32_t id, const char* code, int nr, int zeile, const char* text)
{
    if (!GtxBereit(1)) return;
    if (text == nullptr || strleer(text)) {
        const int i = gtx.Finden(id, code, nr, zeile);
        if (i >= 0) gtx.Entfernen(i);
        FstxGBasisGeaendert(id, code, nr, zeile, nullptr, "");
        return;
    }
    const appgtext neu = gtx.Satz(id, code, nr, zeile, text);
    const int i = gtx.Finden(id, code, nr, zeile);
    if (i >= 0) {
        appgtext& t = gtx.L()[static_cast<size_t>(i)];
        FstxGBasisGeaendert(id, code, nr, zeile, t.text, neu.text);
        std::memcpy(t.text, neu.text, sizeof t.text);
        gtx.geaendert = 1;
        return;
    }
    GtxTextNeu(id, code, nr, zeile, neu.text);
}

void GtxTextSetzen(uint32_t id, const char* code, int nr, int zeile, const char* text)
{
    if (!GtxBereit(1)) return;
    if (SprNummer() == 0) {
        GtxTextSetzenBasis(id, code, nr, zeile, text);
        return;
    }
    FstxGTextSetzen(id, code, nr, zeile, text != nullptr ? text : "");
}

void GtxHauptTextSetzen(uint32_t id, int zeile, const char* text) { GtxTextSetzen(id, "H", 0, zeile, text); }

void GtxEintragLoeschen(uint32_t id, const char* code, int nr, int zeile)
{
    if (!GtxBereit(1)) return;
    const int i = gtx.Finden(id, code, nr, zeile);
    if (i >= 0) gtx.Entfernen(i);
}

void GtxHauptZeileLoeschen(uint32_t id, int zeile) { GtxEintragLoeschen(id, "H", 0, zeile); }

void GtxZeileLoeschen(uint32_t id, const char* code, int nr, int zeile)
{
    if (!GtxBereit(1)) return;
    gtx.EntfernenWenn([&](const appgtext& t) {
        return t.id == id && t.nr == nr && t.zeile == zeile && std::strcmp(t.code, code) == 0;
    });
    FstxGTextLoeschen(id, code, nr, zeile);
}

void GtxBauteilLoeschen(uint32_t id, const char* code, int nr)
{
    if (!GtxBereit(1)) return;
    gtx.EntfernenWenn([&](const appgtext& t) { return t.id == id && t.nr == nr && std::strcmp(t.code, code) == 0; });
    FstxGBauteilLoeschen(id, code, nr);
}

void GtxLoeschen(uint32_t id)
{
    if (!GtxBereit(1)) return;
    gtx.EntfernenWenn([&](const appgtext& t) { return t.id == id; });
    FstxGItemLoeschen(id);
}

void GtxUmbenennen(uint32_t id, const char* neucode, int neunr, const char* altcode, int altnr)
{
    if (!GtxBereit(1)) return;
    if (SprNummer() != 0) {
        FstxGUmschluesseln(id, altcode, altnr, neucode, neunr);
        return;
    }
    for (appgtext& t : gtx.L()) {
        if (t.id != id || t.nr != altnr || std::strcmp(t.code, altcode) != 0) continue;
        BmhKopie(t.code, neucode, 3);
        t.nr = neunr;
        gtx.geaendert = 1;
    }
}

void GtxSortieren()
{
    if (GtxBereit(0)) gtx.Sortieren(GtxVergleich);
}

void GtxNachbearbeiten(char* text, size_t kap, uint32_t id, const char* code, int nr)
{
    if (text == nullptr || kap == 0) return;
    std::string s = text;
    size_t p = s.find("@G");
    if (p != std::string::npos) s.replace(p, 2, "@BK");
    p = s.find("@B");
    if (p != std::string::npos) {
        const char c = p + 2 < s.size() ? s[p + 2] : '\0';
        if (c != 'P' && c != 'K' && c != 'F') s[p] = ' ';
    }
    GtxKurztext(s, id);
    if (ArtKuerzelErsetzen(s, id, code, nr, 1, 0)) {
        char puffer[1024];
        strkopie(puffer, sizeof puffer, s.c_str(), static_cast<int>(sizeof puffer - 1));
        appbteil h;
        double x = 0, y = 0;
        if (BtlSuchen(id, "H", 0, &h) > 0) {
            x = h.x;
            y = h.y;
        }
        TextVarErsetzen(puffer, sizeof puffer, x, y);
        s = puffer;
    }
    if (s.size() > static_cast<size_t>(GTXNACHSUP)) s.resize(GTXNACHSUP);
    strkopie(text, kap, s.c_str(), static_cast<int>(kap - 1));
}

// ---- services of the model ---------------------------------------------------------

namespace {

void NtxDienstGtx(char* aus, size_t kap, uint32_t id, const char* art, int nr, int zeile)
{
    GtxTextHolen(id, art, nr, zeile, aus, kap);
}

void NtxDienstZtx(char* aus, size_t kap, uint32_t id, const char* art, int nr, int zeile)
{
    ZtxTextHolen(id, art, nr, zeile, aus, kap);
}

void NtxDienstHaupt(char* aus, size_t kap, uint32_t id, const char*, int, int zeile) { GtxHauptText(id, zeile, aus, kap); }

int NtxDienstArtikel(const char* nummer, ModArtikel* m)
{
    std::memset(m, 0, sizeof *m);
    artikel a;
    const int da = ArtSuchen(nummer, &a);
    strkopie(m->nummer, sizeof m->nummer, a.nr, ARTNRSUP);
    for (int i = 0; i < MODARTTEXTE && i < ARTTEXTANZ; ++i)
        strkopie(m->text[i], sizeof m->text[i], a.text[i], ARTTEXTSUP);
    return da;
}

}  // namespace

void NtxDiensteEintragen(ModDienste* d)
{
    d->GtxTextHolen = NtxDienstGtx;
    d->ZtxTextHolen = NtxDienstZtx;
    d->GtxHauptText = NtxDienstHaupt;
    d->ArtSuchen = NtxDienstArtikel;
}
