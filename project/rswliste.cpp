// The spell checker's own replacement and ignore lists; see rswliste.h.
// Prefix `Rsw` (file-static helpers `rsw`). Calls the support library only.
#include "project/rswliste.h"

#include <cstring>

#include "support/basis.h"
#include "support/bdatei.h"
#include "support/pfade.h"
#include "support/speicher.h"
#include "support/texte.h"

namespace {

// Bytes a record takes beside its word and value: length byte, the word's
// terminator, the value length and the value's terminator.
constexpr int RSWSATZRAND = 7;

char rswOrdner[PFADSUP + 1];
bool rswOrdnerZuLang = false;  // the folder given did not fit: no file is touched
RswListe rswErsetzen;  // word and replacement
RswListe rswIgnorieren;  // word and empty value
bool rswOffen = false;
// A list file read short: its list starts empty and is not written back over
// the file, which still holds the words.
bool rswErsetzenKurz = false;
bool rswIgnorierenKurz = false;

int32_t rswWertLaenge(const char* satz)
{
    int32_t lw = 0;
    const int ln = static_cast<unsigned char>(satz[0]);
    std::memcpy(&lw, satz + 1 + ln + 1, sizeof lw);
    return lw;
}

int32_t rswSatzGroesse(const char* satz)
{
    return static_cast<unsigned char>(satz[0]) + rswWertLaenge(satz) + RSWSATZRAND;
}

// Offset of the first record of the word, or -1.
int32_t rswSatzSuchen(const RswListe* liste, const char* wort)
{
    if (!liste->puffer) return -1;
    const size_t ln = std::strlen(wort);
    if (ln > static_cast<size_t>(RSWWORTSUP)) return -1;
    for (int32_t pos = 0; pos < liste->gesamt; pos += rswSatzGroesse(liste->puffer + pos)) {
        const char* satz = liste->puffer + pos;
        if (static_cast<unsigned char>(satz[0]) == ln && std::memcmp(satz + 1, wort, ln) == 0) return pos;
    }
    return -1;
}

// Whether the pair can be stored and given back by the line format of the
// files: the length byte holds the word, no line end anywhere, no TAB in
// the word (it would end the word when read back).
bool rswPaarGueltig(const char* wort, const char* wert, size_t* ln, size_t* lw)
{
    *ln = std::strlen(wort);
    *lw = std::strlen(wert);
    if (*ln > static_cast<size_t>(RSWWORTSUP) || *lw >= static_cast<size_t>(VARLANG)) return false;
    if (std::strpbrk(wort, "\t\r\n") || std::strpbrk(wert, "\r\n")) return false;
    return true;
}

void rswAnfuegen(RswListe* liste, const char* wort, size_t ln, const char* wert, size_t lw)
{
    char* satz = liste->puffer + liste->gesamt;
    const auto lw32 = static_cast<int32_t>(lw);
    satz[0] = static_cast<char>(static_cast<unsigned char>(ln));
    std::memcpy(satz + 1, wort, ln);
    satz[1 + ln] = '\0';
    std::memcpy(satz + 1 + ln + 1, &lw32, sizeof lw32);
    std::memcpy(satz + 1 + ln + 1 + sizeof lw32, wert, lw);
    satz[1 + ln + 1 + sizeof lw32 + lw] = '\0';
    liste->gesamt += static_cast<int32_t>(ln + lw) + RSWSATZRAND;
    ++liste->anzahl;
}

void rswSatzEntfernen(RswListe* liste, int32_t pos)
{
    const int32_t groesse = rswSatzGroesse(liste->puffer + pos);
    const int32_t rest = liste->gesamt - pos - groesse;
    movmem(liste->puffer + pos + groesse, liste->puffer + pos, rest);
    liste->gesamt -= groesse;
    setmem(liste->puffer + liste->gesamt, groesse, 0);  // the block stays zero past `gesamt`
    --liste->anzahl;
}

bool rswPasst(const RswListe* liste, int32_t frei, size_t ln, size_t lw)
{
    return static_cast<long>(liste->gesamt) - frei + static_cast<long>(ln + lw) + RSWSATZRAND < VARLANG;
}

void rswAbgelehnt(const char* wort)
{
    wiDebug("Wortliste: \"%.40s\" nicht gespeichert\n", wort);
}

// Folder + name into the target; false when the path would not fit.
bool rswDateiPfad(char (&ziel)[PFADSUP + 1], const char* name)
{
    const size_t lo = std::strlen(rswOrdner);
    const size_t ln = std::strlen(name);
    if (rswOrdnerZuLang || lo + ln > static_cast<size_t>(PFADSUP)) return false;
    std::memcpy(ziel, rswOrdner, lo);
    std::memcpy(ziel + lo, name, ln + 1);
    return true;
}

int rswListeSchreiben(const char* name, const RswListe* liste)
{
    char pfad[PFADSUP + 1];
    const int r = rswDateiPfad(pfad, name) ? RswSchreiben(pfad, liste) : ERROR;
    if (r < 0) wiDebug("Wortliste %s%s nicht geschrieben\n", rswOrdner, name);
    return r;
}

// False when the file was read short (a trace line names it); a missing
// file leaves the list empty.
bool rswListeLesen(const char* name, RswListe* liste)
{
    char pfad[PFADSUP + 1];
    if (!rswDateiPfad(pfad, name) || RswLesen(pfad, liste) != -2) return true;
    wiDebug("Wortliste %s%s nicht gelesen\n", rswOrdner, name);
    return false;
}

}  // namespace

int RswInit(RswListe* liste)
{
    liste->puffer = static_cast<char*>(fmalloc(VARLANG, 1));
    if (!liste->puffer) wiAssert("rswliste", __LINE__, "fmalloc(VARLANG)");
    liste->anzahl = 0;
    liste->gesamt = 0;
    return 0;
}

void RswFrei(RswListe* liste)
{
    ffree(liste->puffer);
    liste->puffer = nullptr;
    liste->anzahl = 0;
    liste->gesamt = 0;
}

int RswAnhaengen(RswListe* liste, const char* wort, const char* wert)
{
    size_t ln = 0;
    size_t lw = 0;
    if (!liste->puffer || !rswPaarGueltig(wort, wert, &ln, &lw) || !rswPasst(liste, 0, ln, lw)) {
        rswAbgelehnt(wort);
        return ERROR;
    }
    rswAnfuegen(liste, wort, ln, wert, lw);
    return 0;
}

int RswSetzen(RswListe* liste, const char* wort, const char* wert)
{
    size_t ln = 0;
    size_t lw = 0;
    const int32_t pos = rswSatzSuchen(liste, wort);
    const int32_t frei = pos >= 0 ? rswSatzGroesse(liste->puffer + pos) : 0;
    // Checked before the old record goes, so a refused pair keeps it.
    if (!liste->puffer || !rswPaarGueltig(wort, wert, &ln, &lw) || !rswPasst(liste, frei, ln, lw)) {
        rswAbgelehnt(wort);
        return ERROR;
    }
    if (pos >= 0) rswSatzEntfernen(liste, pos);
    rswAnfuegen(liste, wort, ln, wert, lw);
    return 0;
}

int RswLoeschen(RswListe* liste, const char* wort)
{
    const int32_t pos = rswSatzSuchen(liste, wort);
    if (pos < 0) return 0;
    rswSatzEntfernen(liste, pos);
    return 1;
}

int RswSuchen(const RswListe* liste, const char* wort, char* puffer, size_t groesse)
{
    if (groesse > 0) puffer[0] = '\0';
    const int32_t pos = rswSatzSuchen(liste, wort);
    if (pos < 0) return 0;
    const char* satz = liste->puffer + pos;
    const int ln = static_cast<unsigned char>(satz[0]);
    if (groesse > 0) strkopie(puffer, groesse, satz + 1 + ln + 1 + sizeof(int32_t), rswWertLaenge(satz));
    return 1;
}

int RswSchreiben(const char* datei, const RswListe* liste)
{
    BDAT d;
    if (bdmake(&d, datei) < 0) return ERROR;
    int r = 0;
    for (int32_t pos = 0; liste->puffer && pos < liste->gesamt; pos += rswSatzGroesse(liste->puffer + pos)) {
        const char* satz = liste->puffer + pos;
        const int ln = static_cast<unsigned char>(satz[0]);
        const int32_t lw = rswWertLaenge(satz);
        if (bdwrite(&d, satz + 1, ln) < 0 || bdwrite(&d, "\t", 1) < 0 ||
            bdwrite(&d, satz + 1 + ln + 1 + sizeof(int32_t), lw) < 0 || bdwrite(&d, "\n", 1) < 0) {
            r = ERROR;
            break;
        }
    }
    // bdclose drops the temporary file after any failure; the old file stays.
    if (bdclose(&d) < 0) r = ERROR;
    return r;
}

int RswLesen(const char* datei, RswListe* liste)
{
    BDAT d;
    if (bdopenlesen(&d, datei) < 0) return ERROR;
    const int modus = bdzeilenmodusholen();
    bdzeilenmodus(0);  // the files have LF line ends whatever the program reads elsewhere
    const int32_t anzahl = liste->anzahl, gesamt = liste->gesamt;
    char zeile[RSWZEILESUP + 1];
    while (bdgets(&d, zeile, RSWZEILESUP) >= 0) {
        char* tab = std::strchr(zeile, '\t');
        const char* wert = "";
        if (tab) {
            *tab = '\0';
            wert = tab + 1;
        }
        if (zeile[0]) RswAnhaengen(liste, zeile, wert);
    }
    bdzeilenmodus(modus);
    const bool kurz = bdlesefehler(&d) != 0;
    bdclose(&d);
    if (kurz) {
        // The records appended are taken back; the block stays zero-filled.
        if (liste->puffer) std::memset(liste->puffer + gesamt, 0, static_cast<size_t>(liste->gesamt - gesamt));
        liste->anzahl = anzahl;
        liste->gesamt = gesamt;
        return -2;
    }
    return 0;
}

void RswPfad(const char* ordner)
{
    rswOrdner[0] = '\0';
    rswOrdnerZuLang = std::strlen(ordner) > static_cast<size_t>(PFADSUP);
    if (!rswOrdnerZuLang) {
        strkopie(rswOrdner, ordner, PFADSUP);
        rswOrdnerZuLang = pfadschluss(rswOrdner, sizeof rswOrdner) < 0;
    }
    if (rswOrdnerZuLang) {
        wiDebug("Wortliste: Ordner zu lang: %.200s\n", ordner);
        rswOrdner[0] = '\0';
    }
}

void RswOeffnen()
{
    if (rswOffen) return;
    RswInit(&rswErsetzen);
    RswInit(&rswIgnorieren);
    rswErsetzenKurz = !rswListeLesen("ersetzen.spell", &rswErsetzen);
    rswIgnorierenKurz = !rswListeLesen("ignorieren.spell", &rswIgnorieren);
    rswOffen = true;
}

int RswNachsehen(const char* wort, char* puffer, size_t groesse)
{
    if (groesse > 0) puffer[0] = '\0';
    if (!rswOffen) return 0;
    if (RswSuchen(&rswErsetzen, wort, puffer, groesse)) return 2;
    char leer[1];
    if (RswSuchen(&rswIgnorieren, wort, leer, sizeof leer)) return 1;
    return 0;
}

int RswErsatz(const char* wort, const char* ersatz)
{
    if (!rswOffen || RswSetzen(&rswErsetzen, wort, ersatz) < 0) return ERROR;
    RswLoeschen(&rswIgnorieren, wort);
    return 0;
}

int RswIgnorieren(const char* wort)
{
    if (!rswOffen || RswSetzen(&rswIgnorieren, wort, "") < 0) return ERROR;
    RswLoeschen(&rswErsetzen, wort);
    return 0;
}

int RswSchliessen()
{
    if (!rswOffen) return 0;
    int r = 0;
    if (rswErsetzenKurz || rswListeSchreiben("ersetzen.spell", &rswErsetzen) < 0) r = ERROR;
    if (rswIgnorierenKurz || rswListeSchreiben("ignorieren.spell", &rswIgnorieren) < 0) r = ERROR;
    RswFrei(&rswErsetzen);
    RswFrei(&rswIgnorieren);
    rswOffen = false;
    return r;
}
