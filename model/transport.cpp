// The batch copier of component libraries (see transport.h).
#include "model/transport.h"

#include <string>
#include <vector>

#include "model/altbau.h"
#include "support/basis.h"
#include "support/dosdatei.h"
#include "support/fileload.h"
#include "support/texte.h"

namespace {

std::vector<int> traStapel;

int traFehler(TraBericht* b, int fehler, const char* name)
{
    b->fehler = fehler;
    strkopie(b->name, name, BAUNAMSUP);
    return ERROR;
}

// Every name of the source in order; false when it cannot be read whole: a
// failed read, or a current library whose entry chain leaves the file (its
// header counts more than its index holds), so that no copy is short.
bool traNamen(const char* quelle, bool alt, std::vector<std::string>* namen)
{
    if (alt) {
        if (AltBibLaden(quelle) != 0) return false;
        for (int i = 0;; ++i) {
            char n[ALTNAMSUP + 1];
            AltBauName(quelle, i, n, sizeof n);
            if (!n[0]) return true;
            namen->emplace_back(n);
        }
    }
    BauBibHandle h;
    if (BauBibOeffnen(&h, quelle) != 0) return false;
    bool gut = h.anzahl == h.kopfAnzahl;
    for (int i = 0; gut && i < h.anzahl; ++i) {
        char n[BAUNAMSUP + 1];
        BauNameHolen(&h, i, n, sizeof n);
        gut = n[0] != '\0';
        if (gut) namen->emplace_back(n);
    }
    BauBibZu(&h);
    return gut;
}

// One component into a temporary drawing (t.datei set); no file is left
// behind on failure.
int traLesen(const char* quelle, bool alt, transport& t, BauKonvertFn konv, TraBericht* b)
{
    if (tempname(t.datei) != 0) return traFehler(b, TRA_ZEICHNUNG, t.name);
    int r;
    if (alt) {
        AltBauHandle h;
        if (AltBauOpen(&h, quelle, t.name) != 0) return traFehler(b, TRA_BAUTEIL, t.name);
        r = AltBauNachZeichnungMit(&h, t.datei, konv);
    } else {
        BauHandle h;
        if (BauOpen(&h, quelle, t.name) != 0) return traFehler(b, TRA_BAUTEIL, t.name);
        r = BauNachZeichnungMit(&h, t.datei, konv);
        BauClose(&h);
    }
    if (r != 0) {
        dateiloeschen(t.datei);
        return traFehler(b, TRA_ZEICHNUNG, t.name);
    }
    return 0;
}

void traWeg(std::vector<transport>& zeilen)
{
    for (const transport& t : zeilen) dateiloeschen(t.datei);
    zeilen.clear();
}

// Appends the pending rows to the target, up to the first failure; every
// pending file is gone after it.
int traLeeren(std::vector<transport>& zeilen, const char* ziel, int* drin, TraBericht* b)
{
    if (zeilen.empty()) return 0;
    traStapel.push_back(static_cast<int>(zeilen.size()));
    BauBibHandle h;
    int r = BauBibOeffnen(&h, ziel) == 0 ? 0 : traFehler(b, TRA_ZIEL, "");
    for (size_t i = 0; r == 0 && i < zeilen.size(); ++i) {
        if (BauAufnehmen(&h, zeilen[i].name, zeilen[i].datei) != 0) {
            r = traFehler(b, TRA_AUFNEHMEN, zeilen[i].name);
        } else {
            ++*drin;
        }
    }
    if (h.version >= 6) BauBibZu(&h);
    traWeg(zeilen);
    return r;
}

}  // namespace

const std::vector<int>& TraStapel() { return traStapel; }

int TraKopieren(const char* quelle, const char* ziel, TraFilterFn filter, void* benutzer, BauKonvertFn konv,
                TraBericht* bericht)
{
    TraBericht eigen;
    TraBericht* b = bericht ? bericht : &eigen;
    *b = TraBericht{};
    traStapel.clear();
    const int version = BauVersion(quelle);
    if (version < 0) return traFehler(b, TRA_QUELLE, "");
    const bool alt = version <= 5;
    std::vector<std::string> namen;
    const bool gelesen = traNamen(quelle, alt, &namen);
    if (!gelesen) {
        if (alt) AltBibSchliessen();
        return traFehler(b, TRA_QUELLE, "");
    }
    std::vector<transport> zeilen;
    zeilen.reserve(TRASUP);
    int drin = 0, r = 0;
    for (const std::string& n : namen) {
        if (static_cast<int>(zeilen.size()) == TRASUP && (r = traLeeren(zeilen, ziel, &drin, b)) != 0) break;
        transport t{};
        strkopie(t.name, n.c_str(), BAUNAMSUP);
        if (filter && !filter(t.name, benutzer)) continue;
        if ((r = traLesen(quelle, alt, t, konv, b)) != 0) break;
        zeilen.push_back(t);
    }
    if (r == 0) r = traLeeren(zeilen, ziel, &drin, b);
    traWeg(zeilen);
    if (alt) AltBibSchliessen();
    return r == 0 ? drin : ERROR;
}
