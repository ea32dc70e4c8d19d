// The batch copier of old component libraries (see transport.h).
#include "model/transport.h"

#include <cstdio>
#include <string>
#include <vector>

#include "model/altbau.h"
#include "support/basis.h"
#include "support/dosdatei.h"
#include "support/texte.h"

namespace {

std::vector<int> traStapel;

void traMelden(TraMeldungFn melde, const std::string& t)
{
    if (melde != nullptr) melde(t.c_str());
}

// Appends the pending rows and deletes their files; the number appended.
int traLeeren(std::vector<transport>& zeilen, const char* alt, const char* neu, TraMeldungFn melde, int* fehler)
{
    if (zeilen.empty()) return 0;
    traStapel.push_back(static_cast<int>(zeilen.size()));
    int drin = 0;
    BauBibHandle h;
    const bool offen = BauBibOeffnen(&h, neu) == 0;
    if (!offen) traMelden(melde, "Kann Bauteildatei nicht \xF6""ffnen.");
    for (const transport& t : zeilen) {
        if (offen && BauAufnehmen(&h, t.name, t.datei) == 0) {
            ++drin;
        } else {
            if (offen) traMelden(melde, std::string("Unerwarteter Fehler\nbeim Import von ") + t.name + " in " + alt);
            ++*fehler;
        }
        dateiloeschen(t.datei);
    }
    if (offen) BauBibZu(&h);
    zeilen.clear();
    return drin;
}

}  // namespace

const std::vector<int>& TraStapel() { return traStapel; }

int TraBibKopieren(const char* alt, const char* neu, const char* tmpOrdner, TraMeldungFn melde, int* fehler)
{
    int f = 0;
    traStapel.clear();
    if (fehler != nullptr) *fehler = 0;
    if (AltBibLaden(alt) != 0) {
        traMelden(melde, "Kann Bauteildatei nicht \xF6""ffnen.");
        return ERROR;
    }
    std::vector<transport> zeilen;
    zeilen.reserve(TRASUP);
    int drin = 0;
    std::string ordner = tmpOrdner != nullptr ? tmpOrdner : "";
    if (!ordner.empty() && ordner.back() != '/' && ordner.back() != '\\') ordner += '/';
    for (int i = 0;; ++i) {
        char name[ALTNAMSUP + 1];
        AltBauName(alt, i, name, sizeof name);
        if (name[0] == '\0') break;
        if (static_cast<int>(zeilen.size()) == TRASUP) drin += traLeeren(zeilen, alt, neu, melde, &f);
        transport t{};
        strkopie(t.name, name, BAUNAMSUP);
        char datei[32];
        std::snprintf(datei, sizeof datei, "zv5konv.%03d", i);
        strkopie(t.datei, (ordner + datei).c_str(), BAUPFADSUP);
        AltBauHandle h;
        if (AltBauOpen(&h, alt, name) != 0 || AltBauNachZeichnung(&h, t.datei) != 0) {
            traMelden(melde, std::string("Unerwarteter Fehler\nbeim Import von ") + name + " in " + alt);
            dateiloeschen(t.datei);
            ++f;
            continue;
        }
        zeilen.push_back(t);
    }
    drin += traLeeren(zeilen, alt, neu, melde, &f);
    AltBibSchliessen();
    if (fehler != nullptr) *fehler = f;
    return drin;
}
