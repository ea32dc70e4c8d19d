// Recent project folders (see dirhist.h). Prefix `Dir`. Calls support
// (texts), config (ini file, directory placeholders), winlib (main menu).
#include "project/dirhist.h"

#include <cstdio>
#include <cstring>

#include "config/inidatei.h"
#include "config/verzeich.h"
#include "support/texte.h"
#include "winlib/winbib.h"

namespace {

struct DirTabelle {
    DirEintrag e[DIRSUP];
    DirTabelle()
    {
        for (int i = 0; i < DIRSUP; ++i) e[i] = DirEintrag{"", 0, DIRIDBASIS + i};
    }
} dirTab;
DirEintrag (&dirTabelle)[DIRSUP] = dirTab.e;
char dirLetzter[DIRPFADSUP + 1] = "";   // the folder reported last

// Separators become '/', trailing ones go (a lone "/" stays). False when
// the result is empty or longer than a table path: a cut path would name
// another folder.
bool dirNormal(const char* pfad, char (&aus)[DIRPFADSUP + 1])
{
    aus[0] = '\0';
    if (pfad == nullptr) return false;
    size_t n = std::strlen(pfad);
    while (n > 1 && (pfad[n - 1] == '/' || pfad[n - 1] == '\\')) --n;
    if (n == 0 || n > static_cast<size_t>(DIRPFADSUP)) return false;
    for (size_t i = 0; i < n; ++i) aus[i] = pfad[i] == '\\' ? '/' : pfad[i];
    aus[n] = '\0';
    return true;
}

void dirSchluessel(int i, char (&schluessel)[16])
{
    std::snprintf(schluessel, sizeof schluessel, "Dir%d", i);
}

}  // namespace

void DirMerken(const char* pfad)
{
    char p[DIRPFADSUP + 1];
    if (!dirNormal(pfad, p)) return;
    int i = DIRSUP - 1;
    for (int k = 0; k < DIRSUP; ++k) {
        if (std::strcmp(dirTabelle[k].pfad, p) == 0) {
            i = k;
            break;
        }
    }
    // Only the paths move: ids belong to the places, and the menu items are
    // rebuilt by the callers.
    for (int k = i; k > 0; --k) strkopie(dirTabelle[k].pfad, dirTabelle[k - 1].pfad, DIRPFADSUP);
    strkopie(dirTabelle[0].pfad, p, DIRPFADSUP);
}

void DirMenueLoeschen()
{
    for (DirEintrag& e : dirTabelle) {
        if (e.menue) wiMenuLoeschen(e.id);
        e.menue = 0;
    }
}

void DirMenueAufbauen()
{
    // A menu just loaded holds none of the items, whatever the flags say.
    for (int i = 0; i < DIRSUP; ++i) {
        for (int n = 0; n < DIRSUP && wiMenuLoeschen(DIRIDBASIS + i) == 0; ++n) {
        }
        dirTabelle[i].menue = 0;
        dirTabelle[i].id = DIRIDBASIS + i;
    }
    for (int i = 0; i < DIRSUP; ++i) {
        DirEintrag& e = dirTabelle[i];
        if (!e.pfad[0]) continue;
        char text[DIRPFADSUP + 8];
        std::snprintf(text, sizeof text, "&%d %s", i, e.pfad);
        e.menue = wiMenuAnhaengen(0, e.id, 1, text) >= 0 ? 1 : 0;
    }
}

void DirHistoryLesen()
{
    for (int i = DIRSUP - 1; i >= 0; --i) {
        char schluessel[16];
        dirSchluessel(i, schluessel);
        // One byte more than a path: an over-long value is dropped, not cut.
        char wert[DIRPFADSUP + 2];
        if (ProfilLesen(DIRSEKTION, schluessel, wert, DIRPFADSUP + 1) > DIRPFADSUP) continue;
        char p[DIRPFADSUP + 1];
        strkopie(p, wert, DIRPFADSUP);
        if (PfadPlatzhalter(p) != 0) continue;
        if (p[0]) DirMerken(p);
    }
    DirMenueAufbauen();
}

int DirHistorySchreiben()
{
    int r = 0;
    for (int i = 0; i < DIRSUP; ++i) {
        char schluessel[16];
        dirSchluessel(i, schluessel);
        const DirEintrag& e = dirTabelle[i];
        if (e.pfad[0]) {
            if (ProfilSchreiben(DIRSEKTION, schluessel, e.pfad) != 0) r = -1;
            continue;
        }
        // A key left from a longer list would come back on the next start.
        char alt[2];
        if (ProfilLesen(DIRSEKTION, schluessel, alt, 1) > 0 && ProfilSchreiben(DIRSEKTION, schluessel, nullptr) != 0)
            r = -1;
    }
    return r;
}

void DirAktuellMelden(const char* pfad)
{
    char p[DIRPFADSUP + 1];
    if (!dirNormal(pfad, p) || std::strcmp(p, dirLetzter) == 0) return;
    DirMenueLoeschen();
    DirMerken(p);
    DirMenueAufbauen();
    strkopie(dirLetzter, p, DIRPFADSUP);
}

int DirNachId(int id, char* pfad, size_t kap)
{
    if (pfad != nullptr && kap > 0) pfad[0] = '\0';
    for (const DirEintrag& e : dirTabelle) {
        if (e.id != id || !e.pfad[0]) continue;
        if (pfad != nullptr && kap > 0) strkopie(pfad, kap, e.pfad, DIRPFADSUP);
        return 1;
    }
    return 0;
}

const DirEintrag* DirEintragAdr(int i) { return i >= 0 && i < DIRSUP ? &dirTabelle[i] : nullptr; }

void DirZuruecksetzen()
{
    dirTab = DirTabelle();
    dirLetzter[0] = '\0';
}

void PvwOrdnerLaden() { DirHistoryLesen(); }
void PvwOrdnerSichern() { DirHistorySchreiben(); }
void PvwOrdnerMerken(const char* ordner) { DirAktuellMelden(ordner); }
void PvwLetzteOrdnerMenu() { DirMenueAufbauen(); }
int PvwLetzterOrdner(int id, char* puffer) { return DirNachId(id, puffer, DIRPFADSUP + 1); }
