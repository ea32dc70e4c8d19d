// The file-watch core (see datwache.h).
#include "config/datwache.h"

#include <cstring>

#include "config/verzeich.h"
#include "support/dosdatei.h"
#include "support/texte.h"

namespace {
int datPruef = 0;
int datAktivWert = 1;
int datAenderung = 0;
int datWechselWert = 0;
int verAmStartWert = 0;
char verProgrammText[DATVERZSUP];
char verAktuellText[DATVERZSUP];

// The full path of a watch; kind -1 watches the working directory itself.
void datPfad(const DATSTEMPEL* w, char* ziel, size_t groesse)
{
    if (w->art < 0)
        strkopie(ziel, groesse, verAktuellText, DATVERZSUP - 1);
    else
        PfadBilden(w->art, w->name, w->endung, ziel, groesse);
}

void datMarkieren(DATSTEMPEL* w)
{
    w->pruefzaehler = datPruef;
    w->wechselzaehler = datWechselWert;
    strkopie(w->verzeichnis, verAktuellText, DATVERZSUP - 1);
    datPfad(w, w->pfad, sizeof w->pfad);
}

// Reads the file time into the watch; kind -1 has none to read.
int datZeitLesen(DATSTEMPEL* w)
{
    if (w->art < 0)
        return 0;
    DATZEIT z{};
    if (dateizeit(w->pfad, &z) != 0)
        return -1;
    w->zeit = z;
    return 0;
}
}  // namespace

void DatNeuPruefen(int aktiv)
{
    datAktivWert = aktiv;
    ++datPruef;
}
int DatPruefZaehler() { return datPruef; }
int DatAktiv() { return datAktivWert; }

void DatAenderungMelden() { ++datAenderung; }
void DatAenderungenLoeschen() { datAenderung = 0; }
int DatAenderungen() { return datAenderung; }

void DatWechselZaehlen() { ++datWechselWert; }
int DatWechsel() { return datWechselWert; }

const char* VerProgramm() { return verProgrammText; }
const char* VerAktuell() { return verAktuellText; }

void VerNormieren(char* ziel, size_t groesse, const char* verz)
{
    if (groesse == 0)
        return;
    ziel[0] = '\0';
    if (verz == nullptr || verz[0] == '\0' || groesse < 2)
        return;
    // Room for the trailing separator is kept before copying.
    strkopie(ziel, groesse - 1, verz, static_cast<int>(groesse) - 2);
    zeichentausch(ziel, '\\', '/');
    if (ziel[0] >= 'a' && ziel[0] <= 'z' && ziel[1] == ':')
        ziel[0] = static_cast<char>(ziel[0] - 'a' + 'A');
    size_t n = std::strlen(ziel);
    if (n > 0 && ziel[n - 1] != '/') {
        ziel[n] = '/';
        ziel[n + 1] = '\0';
    }
}

void VerProgrammSetzen(const char* verz) { VerNormieren(verProgrammText, sizeof verProgrammText, verz); }
void VerAktuellSetzen(const char* verz) { VerNormieren(verAktuellText, sizeof verAktuellText, verz); }
int VerAmStart() { return verAmStartWert; }
void VerAmStartSetzen(int wert) { verAmStartWert = wert; }

int DatStempelAnlegen(DATSTEMPEL* wache, int art, const char* name, const char* endung)
{
    std::memset(wache, 0, sizeof *wache);
    wache->art = art < 0 ? -1 : art;
    strkopie(wache->name, name ? name : "", DATNAMESUP - 1);
    strkopie(wache->endung, endung ? endung : "", DATENDUNGSUP - 1);
    datMarkieren(wache);
    return datZeitLesen(wache);
}

int DatStempelVeraltet(DATSTEMPEL* wache)
{
    if (!wache->geladen)
        return 1;
    if (wache->art < 0)
        return (wache->wechselzaehler != datWechselWert || std::strcmp(wache->verzeichnis, verAktuellText) != 0)
                   ? 1
                   : 0;
    char pfad[DATVERZSUP];
    datPfad(wache, pfad, sizeof pfad);
    if (std::strcmp(pfad, wache->pfad) != 0)
        return 1;
    if (wache->pruefzaehler == datPruef)
        return 0;
    DATZEIT z{};
    if (dateizeit(wache->pfad, &z) != 0)
        return -1;
    return std::memcmp(&z, &wache->zeit, sizeof z) != 0 ? 1 : 0;
}

int DatStempelSetzen(DATSTEMPEL* wache)
{
    wache->geladen = 1;
    datMarkieren(wache);
    return datZeitLesen(wache);
}

void DatWacheZuruecksetzen()
{
    datPruef = 0;
    datAktivWert = 1;
    datAenderung = 0;
    datWechselWert = 0;
    verAmStartWert = 0;
    verProgrammText[0] = '\0';
    verAktuellText[0] = '\0';
}
