// Row texts and the library switch of the equipment list dialogs.
#include "editdlg/bmlisten.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "controls/elzeile.h"
#include "model/beffifo.h"
#include "model/textvar.h"
#include "support/texte.h"
#include "support/vergleich.h"

bool BmdStammZeigen() { return ElzPfadModus() != 1; }

void Db1356Zeile(char* aus, size_t kap, const char* ze, double x, double y, const char* name)
{
    char pos[120] = "";
    QvwPosText(pos, sizeof pos, ze, x, y);
    if (BmdStammZeigen()) {
        ZeiStammVorsetzen(pos, sizeof pos, ze);
        std::snprintf(aus, kap, "%-17.15s%s", pos, name);
    } else {
        std::snprintf(aus, kap, "%-12.10s%s", pos, name);
    }
}

void Db1359Zeile(char* aus, size_t kap, const char* sichtbar, const appbteil* b)
{
    char links[DB1359SICHTBAR + 1];
    strbreite(links, sichtbar, DB1359SICHTBAR);
    std::snprintf(aus, kap, "%s%d %04X %s %d %s", links, b->platziert ? 1 : 0, static_cast<unsigned>(b->id), b->cd,
                  static_cast<int>(b->nr), b->bl);
}

int Db1359ZeileLesen(const char* zeile, int* platziert, uint32_t* id, char* code, size_t codeKap, int* nr, char* name,
                     size_t nameKap)
{
    if (std::strlen(zeile) < static_cast<size_t>(DB1359SICHTBAR)) return -1;
    char rest[200];
    strkopie(rest, zeile + DB1359SICHTBAR, 199);
    char w[5][64];
    for (auto& wort : w) {
        if (wortab(wort, rest) == 0) return -1;
    }
    *platziert = std::atoi(w[0]);
    *id = hexwert(w[1]);
    strkopie(code, codeKap, w[2], BTLCDSUP);
    *nr = std::atoi(w[3]);
    strkopie(name, nameKap, w[4], BTLTEXTSUP);
    return 0;
}

void Db1362Kennung(char* aus, size_t kap, const char* kennung)
{
    const int l = static_cast<int>(std::strlen(kennung));
    strbreite(aus, kap, kennung, l <= 10 ? 10 : l <= 16 ? 16 : 20);
}

void Db1362BibOeffnen(Db1362Bib* z, const char* bib, const char* aktuell)
{
    z->da = 0;
    z->gemerkt[0] = 0;
    if (!bib[0] || strvgl(bib, aktuell) == 0) return;
    strkopie(z->gemerkt, aktuell, 20);
    z->da = 1;
    BefEinreihenText(35, bib);  // BD
}

void Db1362BibSchliessen(Db1362Bib* z)
{
    if (z->da) BefEinreihenText(35, z->gemerkt);
    z->da = 0;
}
