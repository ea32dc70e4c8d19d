// The project manager's drawing list (see pvwliste.h): scan, sorting,
// subtitle headings, marking and lookups. Prefix `Pvw`.
#include "project/pvwliste.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <set>
#include <unordered_map>
#include <vector>

#include "config/reaktion.h"
#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "equipment/fstx.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/nachrichtbox.h"
#include "platform/textbreite.h"
#include "platform/winconst.h"
#include "platform/dateisys.h"
#include "project/pvwlesen.h"
#include "project/zeiopsint.h"
#include "support/dosdatei.h"
#include "support/pfade.h"
#include "support/sortier.h"
#include "support/texte.h"
#include "support/vergleich.h"

namespace {

// The list; static storage, so entry 0 exists even while the list is empty.
// The sort and the headings move each record at most once, in place: a
// second list would be fresh memory for every record of a scan. Entries
// past the count are not read (an empty list's entry 0 stays zero: neither
// step runs on an empty list).
PvwEintrag pvwListe[PVWSUP];
int pvwAnzahl = 0;
std::string pvwGelesen;  // the project folder the list was last read from
int pvwZeiAnzahl = 0;
int pvwNameLaenge = 0;
int pvwNameBreite = 0;
int pvwKurzBreite = 0;    // widest short name
int pvwZusatzBreite = 0;  // widest pair of short texts as the list shows it
int pvwSortModus = PVW_SORT_NUMMER;
char pvwCursor[PVWNAMESUP + 1] = "";
char pvwAkt[PVWNAMESUP + 1] = "";

// Text widths during one scan, measured as wiTextBreite(2, ...) does but on
// one device context, and each short text once: they repeat from drawing
// to drawing, and measuring made a third of a scan.
struct PvwMessen {
    HDC dc = 0;
    HGDIOBJ alt = 0;
    std::unordered_map<std::string, int> breiten;
};
PvwMessen pvwMessen;

void pvwMessenStart()
{
    pvwMessen.dc = GetDC(0);
    pvwMessen.alt = SelectObject(pvwMessen.dc, GetStockObject(ANSI_VAR_FONT));
}

void pvwMessenEnde()
{
    SelectObject(pvwMessen.dc, pvwMessen.alt);
    ReleaseDC(0, pvwMessen.dc);
    pvwMessen = PvwMessen{};
}

int pvwTextBreite(const char* text)
{
    SIZE sz{0, 0};
    plTextBreite(pvwMessen.dc, text, static_cast<int>(std::strlen(text)), &sz);
    return sz.cx;
}

int pvwBreite(const char* text)
{
    const auto [i, neu] = pvwMessen.breiten.try_emplace(text, 0);
    if (neu) i->second = pvwTextBreite(text);
    return i->second;
}

bool pvwGueltig(int n) { return n >= 0 && n < pvwAnzahl; }

// The part after the last separator.
const char* pvwOhneOrdner(const char* pfad)
{
    const char* p = pfad;
    for (const char* q = pfad; *q; ++q) {
        if (*q == '/' || *q == '\\' || *q == ':') p = q + 1;
    }
    return p;
}

void pvwKopie(char* ziel, size_t kap, const char* quelle)
{
    if (ziel != nullptr && kap > 0) strkopie(ziel, kap, quelle, PVWNAMESUP);
}

// The PDF files of the project folder itself, seen while its drawings are
// read: they go into the list after the drawings, and a second listing of
// the folder cost as much as sorting it.
struct PvwPdfSammlung {
    bool an = false;
    std::vector<std::string> pfade;
};
PvwPdfSammlung pvwPdf;

// What a scan found besides the drawings: sheets whose header cannot be
// read, sheets whose path is longer than any path the program opens, and
// files left by a save that was interrupted before its rename.
struct PvwFunde {
    std::vector<std::string> beschaedigt;  // names
    std::vector<std::string> zuLang;       // names
    std::vector<std::string> reste;        // paths
    int ueberzaehlig = 0;                  // sheets over the list's capacity
};
PvwFunde pvwFunde;
std::string pvwGemeldet;           // the damaged sheets last reported
std::set<std::string> pvwBehalten; // leftovers the user chose to keep

// The name of a sheet: a page number ends its extension ("Plan.001",
// "HV1.E.02"). Other files of the folder (a PDF, a photo) are no damaged
// drawings when they cannot be read as one.
bool pvwBlattName(const char* name)
{
    char ext[ZEIPFADSUP + 1];
    ZeiExtHolen(name, ext);
    const char* seite = std::strrchr(ext, '.');
    seite = seite != nullptr ? seite + 1 : ext;
    if (*seite == '\0') return false;
    for (const char* p = seite; *p; ++p) {
        if (*p < '0' || *p > '9') return false;
    }
    return true;
}

// One entry of the folder: a drawing goes into the list, anything else is
// passed over. The name decides before the file is opened.
int PvwZeiAufnehmen(const char* pfad, const char* eintrag, void*)
{
    if (pvwPdf.an && pvwAnzahl < PVWSUP && mustervgli("*.pdf", eintrag) == 1) pvwPdf.pfade.emplace_back(pfad);
    const char* name = pvwOhneOrdner(pfad);
    // The atomic writer's temporary file: never a sheet of its own.
    if (std::strncmp(name, PVWRESTVORSATZ, std::strlen(PVWRESTVORSATZ)) == 0) {
        pvwFunde.reste.emplace_back(pfad);
        return 1;
    }
    if (!ZeiIstZeichnung(name)) return 1;
    // Neither read nor written anywhere (a name that does not fit the entry
    // would later address another file, a cut path another one): not
    // listed, but said, so that the sheet does not vanish without a word.
    if (std::strlen(name) > PVWNAMESUP) {
        if (pvwBlattName(name)) pvwFunde.zuLang.emplace_back(name);
        return 1;
    }
    if (std::strlen(pfad) > static_cast<size_t>(PFADSUP)) {
        pvwFunde.zuLang.emplace_back(name);
        return 1;
    }
    ZeiKopf kopf;
    struct stat st;
    bool beschaedigt = false;
    if (PvwKopfLesen(pfad, &kopf, &st) != 0) {
        // A sheet cut short, emptied or overwritten stays in the list (and
        // so in the table of contents, the count and the numbering), marked.
        if (!pvwBlattName(name) || PvwStatus(pfad, &st) != 0 || !S_ISREG(st.st_mode)) return 1;
        std::memset(&kopf, 0, sizeof kopf);
        beschaedigt = true;
    }
    // The list is full: the rest of the folder's sheets are only counted,
    // and said.
    if (pvwAnzahl >= PVWSUP) {
        ++pvwFunde.ueberzaehlig;
        return 1;
    }
    if (beschaedigt) pvwFunde.beschaedigt.emplace_back(name);
    ++pvwZeiAnzahl;
    PvwEintrag& e = pvwListe[pvwAnzahl];
    std::memset(&e, 0, sizeof e);
    e.art = PVW_ZEICHNUNG;
    strkopie(e.name, name, PVWNAMESUP);
    dateizeitaus(st.st_mtime, &e.zeit);
    e.groesse = static_cast<int32_t>(static_cast<long>(st.st_size));
    e.kopf = kopf;
    strkopie(e.titel0, beschaedigt ? PVWBESCHAEDIGT : kopf.titel[0], ZEITITELSUP);
    strkopie(e.titel1, kopf.titel[1], ZEITITELSUP);
    if (SprNummer() != 0 && !beschaedigt) {
        char t[FSTXTEXTSUP + 1];
        FstxTitelText(e.name, 0, t);
        if (t[0]) strkopie(e.titel0, t, ZEITITELSUP);
        FstxTitelText(e.name, 1, t);
        if (t[0]) strkopie(e.titel1, t, ZEITITELSUP);
    }
    ++pvwAnzahl;
    const int laenge = static_cast<int>(std::strlen(e.name));
    if (laenge > pvwNameLaenge) pvwNameLaenge = laenge;
    pvwNameBreite = std::max(pvwNameBreite, pvwTextBreite(e.name));
    pvwKurzBreite = std::max(pvwKurzBreite, pvwBreite(e.kopf.kurz));
    pvwZusatzBreite = std::max(pvwZusatzBreite, pvwBreite(PvwKurztexte(e).c_str()));
    return 1;
}

int PvwPdfAufnehmen(int verzeichnis, const char* pfad, long groesse, const DATZEIT* zeit, void*)
{
    if (pvwAnzahl >= PVWSUP) return 0;
    if (verzeichnis || std::strlen(pfad) > PVWNAMESUP) return 1;
    PvwEintrag& e = pvwListe[pvwAnzahl++];
    std::memset(&e, 0, sizeof e);
    e.art = PVW_PDF;
    strkopie(e.name, pfad, PVWNAMESUP);
    e.zeit = *zeit;
    e.groesse = static_cast<int32_t>(groesse);
    strkopie(e.datei, pvwOhneOrdner(pfad), PVWNAMESUP);
    return 1;
}

// A text of the defaults set, read through the store's own open and close.
void pvwVorgabe(const char* schluessel, char* wert, int n)
{
    VgbOeffnen();
    VgbText(schluessel, wert, n);
    VgbSchliessen();
}

int pvwVorzeichen(long d) { return d < 0 ? -1 : d > 0 ? 1 : 0; }

// Both comparators: kinds first, PDF files by file name ignoring case.
int pvwArtVergleich(const PvwEintrag* a, const PvwEintrag* b, bool* entschieden)
{
    *entschieden = true;
    if (a->art != b->art) return a->art - b->art;
    if (a->art == PVW_PDF) return strvgl(a->datei, b->datei);
    *entschieden = false;
    return 0;
}

// The sort mode's own order of two drawings; 0 leaves it to the name.
int pvwModusVergleich(const PvwEintrag* a, const PvwEintrag* b)
{
    if (pvwSortModus == PVW_SORT_DATUM) {
        // A later day first; the time of day does not count.
        return pvwVorzeichen(datdiff(&b->zeit.datum, &a->zeit.datum));
    }
    if (pvwSortModus == PVW_SORT_INDEX) return strvgl(a->kopf.kurz, b->kopf.kurz);
    return 0;
}

// What a heading takes of a subtitle entry, each text already cut as the
// list keeps it: a third of the entry's size, for the headings a scan holds
// until the records have moved.
struct PvwUeberText {
    char kenn[UTKENNSUP + 1];
    char utitel[PVWUTTEXTSUP + 1];
    char anlage[PVWUTTEXTSUP + 1];
    char ort[PVWUTTEXTSUP + 1];
    char bauwerk[PVWUTTEXTSUP + 1];
    char objekt[PVWUTTEXTSUP + 1];
    char zeilen[PVWUTZEILEN][PVWUTTEXTSUP + 1];
};

PvwUeberText pvwUeberText(const projekttext& t)
{
    PvwUeberText u;
    strkopie(u.kenn, t.kenn, UTKENNSUP);
    strkopie(u.utitel, t.titel, PVWUTTEXTSUP);
    strkopie(u.anlage, t.anlage, PVWUTTEXTSUP);
    strkopie(u.ort, t.ort, PVWUTTEXTSUP);
    strkopie(u.bauwerk, t.gruppe[0], PVWUTTEXTSUP);
    strkopie(u.objekt, t.gruppe[1], PVWUTTEXTSUP);
    for (int z = 0; z < PVWUTZEILEN; ++z) strkopie(u.zeilen[z], t.text[z], PVWUTTEXTSUP);
    return u;
}

void pvwUeberschrift(PvwEintrag* e, const PvwUeberText& t)
{
    std::memset(e, 0, sizeof *e);
    e->art = PVW_UNTERTITEL;
    strkopie(e->kenn, t.kenn, UTKENNSUP);
    strkopie(e->utitel, t.utitel, PVWUTTEXTSUP);
    strkopie(e->anlage, t.anlage, PVWUTTEXTSUP);
    strkopie(e->ort, t.ort, PVWUTTEXTSUP);
    strkopie(e->bauwerk, t.bauwerk, PVWUTTEXTSUP);
    strkopie(e->objekt, t.objekt, PVWUTTEXTSUP);
    for (int z = 0; z < PVWUTZEILEN; ++z) strkopie(e->zeilen[z], t.zeilen[z], PVWUTTEXTSUP);
}

// Appends the non-empty texts joined by single blanks, cut to the capacity.
void pvwAnfuegen(char* ziel, size_t kap, const char* text)
{
    if (text[0] == '\0') return;
    size_t l = std::strlen(ziel);
    if (l > 0 && l + 1 < kap) {
        ziel[l++] = ' ';
        ziel[l] = '\0';
    }
    if (l + 1 < kap) strkopie(ziel + l, kap - l, text, static_cast<int>(kap - l - 1));
}

}  // namespace

static void pvwUntertitelEinfuegen(const char* pdfTitel);

// The list in the sort's order. The sort runs over record numbers and the
// records move once at the end, into the work list that then becomes the
// list: a record is large, and swapping whole ones made most of a folder
// scan's time. The names are split into sort keys
// once, before the sort. The same comparisons in the same order give the
// same order as sorting the records themselves with PvwVergleich.
static void pvwSortieren()
{
    if (pvwAnzahl == 0) return;
    static int32_t nummern[PVWSUP];
    // As many keys as records: a key is about 180 bytes, and a table for
    // the whole capacity was built (and its memory touched) at every scan.
    std::vector<PvwNamensSchluessel> schluessel(static_cast<size_t>(pvwAnzahl));
    for (int32_t i = 0; i < pvwAnzahl; ++i) {
        nummern[i] = i;
        PvwSchluesselBilden(pvwListe[i].name, &schluessel[static_cast<size_t>(i)]);
    }
    shellsortu(nummern, pvwAnzahl, sizeof nummern[0],
               [](const void* va, const void* vb, void* u) {
                   const int32_t ia = *static_cast<const int32_t*>(va), ib = *static_cast<const int32_t*>(vb);
                   const PvwEintrag* a = &pvwListe[ia];
                   const PvwEintrag* b = &pvwListe[ib];
                   bool entschieden;
                   const int v = pvwArtVergleich(a, b, &entschieden);
                   if (entschieden) return v;
                   const int m = pvwModusVergleich(a, b);
                   const auto* k = static_cast<const PvwNamensSchluessel*>(u);
                   return m != 0 ? m : PvwSchluesselVergleich(k[ia], k[ib]);
               },
               schluessel.data());
    // Each cycle of the permutation through one spare record.
    static PvwEintrag frei;
    for (int32_t start = 0; start < pvwAnzahl; ++start) {
        if (nummern[start] == start || nummern[start] < 0) continue;
        frei = pvwListe[start];
        int32_t ziel = start;
        for (;;) {
            const int32_t quelle = nummern[ziel];
            nummern[ziel] = -1;
            if (quelle == start) {
                pvwListe[ziel] = frei;
                break;
            }
            pvwListe[ziel] = pvwListe[quelle];
            ziel = quelle;
        }
    }
}

namespace {

// Once per scan: the damaged sheets (each set once until it changes) and a
// question for every leftover of an interrupted save.
void pvwFundeMelden()
{
    const auto ordnen = [](std::vector<std::string>& v) {
        std::sort(v.begin(), v.end(), [](const std::string& a, const std::string& b) {
            return ZeiDateiVergleich(a.c_str(), b.c_str()) < 0;
        });
        std::string namen;
        for (const std::string& n : v) namen += (namen.empty() ? "" : ", ") + n;
        return namen;
    };
    const std::string namen = ordnen(pvwFunde.beschaedigt);
    const std::string lang = ordnen(pvwFunde.zuLang);
    // Said again in another folder or when the set changed.
    const std::string gemeldet =
        std::string(VerZeiger(1)) + "\n" + namen + "\n" + lang + "\n" + std::to_string(pvwFunde.ueberzaehlig);
    if (gemeldet != pvwGemeldet) {
        pvwGemeldet = gemeldet;
        // Sheets the run could not read or list: a run without a user
        // ends with a failure, not only with the notes.
        if (!namen.empty() || !lang.empty() || pvwFunde.ueberzaehlig > 0) plOhneBenutzerFehlerZaehlen();
        if (!namen.empty())
            ZoMelden((pvwFunde.beschaedigt.size() == 1
                          ? "Die Zeichnung " + namen + " ist besch\xE4" "digt und kann nicht gelesen werden; die Datei bleibt unver\xE4ndert."
                          : "Die Zeichnungen " + namen + " sind besch\xE4" "digt und k\xF6nnen nicht gelesen werden; die Dateien bleiben unver\xE4ndert.")
                         .c_str());
        if (!lang.empty()) {
            const std::string grenze = std::to_string(PFADSUP);
            ZoMelden((pvwFunde.zuLang.size() == 1
                          ? "Die Zeichnung " + lang + " wird nicht angezeigt: ihr Pfad ist l\xE4nger als " + grenze +
                                " Zeichen. Die Datei bleibt unver\xE4ndert."
                          : "Die Zeichnungen " + lang + " werden nicht angezeigt: ihre Pfade sind l\xE4nger als " + grenze +
                                " Zeichen. Die Dateien bleiben unver\xE4ndert.")
                         .c_str());
        }
        if (pvwFunde.ueberzaehlig > 0) {
            const int n = pvwFunde.ueberzaehlig;
            ZoMelden(((n == 1 ? std::string("Eine Zeichnung wird") : std::to_string(n) + " Zeichnungen werden") +
                      " nicht angezeigt und nicht ins Inhaltsverzeichnis aufgenommen: die Liste fasst " +
                      std::to_string(PVWSUP) + " Eintr\xE4ge. Die Dateien bleiben unver\xE4ndert.")
                         .c_str());
        }
    }
    for (const std::string& p : pvwFunde.reste) {
        if (pvwBehalten.count(p) != 0) continue;
        // The writer's temporary name carries the sheet's name (".velmo-neu-"
        // name "-" six characters); an older one does not.
        const std::string datei = pvwOhneOrdner(p.c_str());
        const size_t vorsatz = std::strlen(PVWRESTVORSATZ);
        const std::string zeichnung =
            datei.size() > vorsatz + 7 && datei[datei.size() - 7] == '-' ? datei.substr(vorsatz, datei.size() - vorsatz - 7)
                                                                        : std::string();
        const std::string text = "Eine unterbrochene Speicherung " +
                                 (zeichnung.empty() ? std::string() : "der Zeichnung " + zeichnung + " ") +
                                 "wurde gefunden: " + datei + "\nSoll diese Datei gel\xF6scht werden?";
        // The leftover may hold the newer content of a save: a run without
        // a user keeps it (the box answers No and says so).
        plNachrichtBoxBewahren(IDNO);
        const int loeschen = ZoFrage(text.c_str());
        plNachrichtBoxBewahren(0);
        if (loeschen == 1 && plDsLoeschen(p.c_str()) == 0) continue;
        pvwBehalten.insert(p);
    }
}

// No entries and no widths: what a read or a reset starts from.
void pvwLeeren()
{
    pvwFunde = PvwFunde{};
    std::memset(pvwListe, 0, sizeof(PvwEintrag) * static_cast<size_t>(pvwAnzahl > 0 ? pvwAnzahl : 1));
    pvwAnzahl = 0;
    pvwZeiAnzahl = 0;
    pvwNameLaenge = 0;
    pvwNameBreite = 0;
    pvwKurzBreite = 0;
    pvwZusatzBreite = 0;
}

}  // namespace

const std::vector<std::string>& PvwBeschaedigte() { return pvwFunde.beschaedigt; }
const std::vector<std::string>& PvwReste() { return pvwFunde.reste; }

bool PvwIstBeschaedigt(const PvwEintrag& e) { return e.art == PVW_ZEICHNUNG && e.kopf.format == 0; }

const char* PvwFormatText(const PvwEintrag& e)
{
    if (PvwIstBeschaedigt(e)) return "?";
    return e.kopf.format == 117 ? "A4" : "A3";
}

void PvwVerzLesen()
{
    pvwLeeren();
    // Without a project folder the listing would take the working folder.
    const char* ordner = VerZeiger(1);
    pvwGelesen = ordner != nullptr ? ordner : "";
    if (ordner == nullptr || strleer(ordner)) return;
    // Both keys of the scan through one opening of the defaults set.
    char unter[VGBWERTSUP + 1], pdfTitel[VGBWERTSUP + 1];
    VgbOeffnen();
    VgbText("IVpdfVerz", unter, PVWUTTEXTSUP);
    VgbText("IVpdfTitel", pdfTitel, PVWUTTEXTSUP);
    VgbSchliessen();
    strtrim(unter);
    for (size_t l = std::strlen(unter); l > 0 && (unter[l - 1] == '/' || unter[l - 1] == '\\'); --l) unter[l - 1] = '\0';

    char muster[VERSUP + VGBWERTSUP + 16];
    std::snprintf(muster, sizeof muster, "%s*.*", ordner);
    pvwPdf.an = unter[0] == '\0';
    pvwMessenStart();
    PvwOrdnerLesen(muster, PvwZeiAufnehmen, nullptr);
    pvwMessenEnde();

    if (pvwPdf.an) {
        // In the order of the listing, each with its status as verzlesendaten gives it.
        for (const std::string& pfad : pvwPdf.pfade) {
            struct stat st;
            if (PvwStatus(pfad.c_str(), &st) != 0) continue;
            DATZEIT zeit;
            dateizeitaus(st.st_mtime, &zeit);
            if (PvwPdfAufnehmen(S_ISDIR(st.st_mode) ? 1 : 0, pfad.c_str(), static_cast<long>(st.st_size), &zeit,
                                nullptr) == 0)
                break;
        }
    } else {
        std::snprintf(muster, sizeof muster, "%s%s/*.pdf", ordner, unter);
        verzlesendaten(muster, PvwPdfAufnehmen, nullptr);
    }
    pvwPdf = PvwPdfSammlung{};

    pvwSortieren();
    if (pvwSortModus == PVW_SORT_NUMMER) pvwUntertitelEinfuegen(pdfTitel);
    pvwFundeMelden();
}

const char* PvwVerzOrdner() { return pvwGelesen.c_str(); }

int PvwAnzahl() { return pvwAnzahl; }
int PvwZeiAnzahl() { return pvwZeiAnzahl; }
int PvwNameLaengeMax() { return pvwNameLaenge; }
int PvwNameBreiteMax() { return pvwNameBreite; }
int PvwKurzBreiteMax() { return pvwKurzBreite; }
int PvwZusatzBreiteMax() { return pvwZusatzBreite; }

std::string PvwKurztexte(const PvwEintrag& e)
{
    char k[2 * (ZEIKOPFTEXTSUP + 1)];
    std::snprintf(k, sizeof k, "%s %s", e.kopf.text10, e.kopf.text11);
    char zwanzig[21];
    std::snprintf(zwanzig, sizeof zwanzig, "%-20.20s", k);
    strtrim(zwanzig);
    return zwanzig;
}

PvwEintrag* PvwEintragAdr(int n) { return &pvwListe[pvwGueltig(n) ? n : 0]; }

void PvwMarkSetzen(int n, int flag)
{
    if (pvwGueltig(n)) pvwListe[n].markiert = flag;
}

int PvwMarkiert(int n) { return pvwGueltig(n) ? pvwListe[n].markiert : 0; }

int PvwAnzMarkiert()
{
    int z = 0;
    for (int i = 0; i < pvwAnzahl; ++i) z += pvwListe[i].art == PVW_ZEICHNUNG && pvwListe[i].markiert;
    return z;
}

int PvwAnzMarkiertMitPdf()
{
    int z = 0;
    for (int i = 0; i < pvwAnzahl; ++i) z += pvwListe[i].art != PVW_UNTERTITEL && pvwListe[i].markiert;
    return z;
}

int PvwZeiName(int n, char* name, size_t kap)
{
    if (!pvwGueltig(n) || pvwListe[n].art != PVW_ZEICHNUNG) return 0;
    pvwKopie(name, kap, pvwListe[n].name);
    return 1;
}

int PvwEintragName(int n, char* name, size_t kap)
{
    if (!pvwGueltig(n)) return 0;
    const PvwEintrag& e = pvwListe[n];
    switch (e.art) {
    case PVW_ZEICHNUNG: pvwKopie(name, kap, e.name); return 1;
    case PVW_PDF: pvwKopie(name, kap, e.name); return 2;
    default: pvwKopie(name, kap, e.kenn); return 0;
    }
}

int PvwEintragArt(int n, char* name, size_t kap) { return PvwEintragName(n, name, kap); }

int PvwZeiSuchen(const char* name)
{
    if (name == nullptr) return -1;
    for (int i = 0; i < pvwAnzahl; ++i) {
        if (pvwListe[i].art == PVW_ZEICHNUNG && std::strcmp(pvwListe[i].name, name) == 0) return i;
    }
    return -1;
}

int PvwErsteZeichnung(char* name, size_t kap)
{
    const PvwEintrag* erste = nullptr;
    for (int i = 0; i < pvwAnzahl; ++i) {
        const PvwEintrag& e = pvwListe[i];
        if (e.art == PVW_ZEICHNUNG && (erste == nullptr || ZeiDateiVergleich(e.name, erste->name) < 0)) erste = &e;
    }
    pvwKopie(name, kap, erste != nullptr ? erste->name : "");
    return erste != nullptr ? 1 : 0;
}

void PvwEintragText(int n, char* text, size_t kap)
{
    if (text == nullptr || kap == 0) return;
    const PvwEintrag& e = *PvwEintragAdr(n);
    text[0] = '\0';
    switch (e.art) {
    case PVW_ZEICHNUNG: {
        char t[2 * ZEITITELSUP + 2];
        std::snprintf(t, sizeof t, "%s %s", e.titel0, e.titel1);
        strtrim(t);
        strkopie(text, kap, t, static_cast<int>(kap - 1));
        break;
    }
    case PVW_UNTERTITEL:
        pvwAnfuegen(text, kap, e.utitel);
        pvwAnfuegen(text, kap, e.anlage);
        pvwAnfuegen(text, kap, e.ort);
        break;
    case PVW_PDF: strkopie(text, kap, e.datei, static_cast<int>(kap - 1)); break;
    default: strkopie(text, kap, "?", 1); break;
    }
}

int PvwSortModus() { return pvwSortModus; }

void PvwSortSetzen(int modus)
{
    if (modus < PVW_SORT_NUMMER || modus > PVW_SORT_INDEX || modus == pvwSortModus) return;
    if (pvwSortModus == PVW_SORT_NUMMER) PvwUntertitelEntfernen();
    pvwSortModus = modus;
    pvwSortieren();
    if (modus == PVW_SORT_NUMMER) PvwUntertitelEinfuegen();
}

int PvwKurztexteZeigen()
{
    char wert[VGBWERTSUP + 1];
    pvwVorgabe("BMzkNvrw", wert, VGBWERTSUP);
    return std::atoi(wert) == 1 ? 0 : 1;
}

int PvwVergleich(const void* va, const void* vb)
{
    const auto* a = static_cast<const PvwEintrag*>(va);
    const auto* b = static_cast<const PvwEintrag*>(vb);
    bool entschieden;
    const int v = pvwArtVergleich(a, b, &entschieden);
    if (entschieden) return v;
    const int m = pvwModusVergleich(a, b);
    return m != 0 ? m : ZeiDateiVergleich(a->name, b->name);
}

int PvwNrVergleich(const void* va, const void* vb)
{
    const auto* a = static_cast<const PvwEintrag*>(va);
    const auto* b = static_cast<const PvwEintrag*>(vb);
    bool entschieden;
    const int v = pvwArtVergleich(a, b, &entschieden);
    return entschieden ? v : ZeiDateiVergleich(a->name, b->name);
}

// The headings go in while the list moves once: an insertion moving every
// later record made a folder scan's headings cost a pass over the list each.
void PvwUntertitelEinfuegen() { pvwUntertitelEinfuegen(nullptr); }

// `pdfTitel`: the heading of the PDF files when the caller has read it.
static void pvwUntertitelEinfuegen(const char* pdfTitel)
{
    if (pvwAnzahl == 0) return;
    // First which drawing gets a heading, then every record moves once,
    // from the back, to its place among them.
    std::vector<std::pair<int, PvwUeberText>> ueber;  // heading in front of the drawing
    int n = 0;  // n - i headings so far
    projekttext aktuell;
    UtitelLeerText(&aktuell);
    int i = 0;
    for (; i < pvwAnzahl && pvwListe[i].art != PVW_PDF; ++i) {
        if (pvwListe[i].art == PVW_ZEICHNUNG) {
            projekttext t;
            UtitelPfadText(pvwListe[i].name, &t);
            // A full list takes no further heading; the drawings stay.
            if (t.kenn[0] != '\0' && std::strcmp(t.kenn, aktuell.kenn) != 0 && n - i + pvwAnzahl < PVWSUP) {
                aktuell = t;
                ueber.emplace_back(i, pvwUeberText(t));
                ++n;
            }
        }
        ++n;
    }
    const int ersterPdf = i;
    char titel[VGBWERTSUP + 1] = "";
    if (i < pvwAnzahl && n - i + pvwAnzahl < PVWSUP) {
        if (pdfTitel != nullptr)
            strkopie(titel, pdfTitel, VGBWERTSUP);
        else
            pvwVorgabe("IVpdfTitel", titel, PVWUTTEXTSUP);
    }
    const int neu = pvwAnzahl + static_cast<int>(ueber.size()) + (titel[0] ? 1 : 0);
    int ziel = neu;
    for (int q = pvwAnzahl; q-- > 0;) {
        if (--ziel != q) pvwListe[ziel] = pvwListe[q];
        if (q == ersterPdf && titel[0]) {
            PvwEintrag& h = pvwListe[--ziel];
            std::memset(&h, 0, sizeof h);
            h.art = PVW_UNTERTITEL;
            h.pdfTitel = 1;
            strkopie(h.utitel, titel, PVWUTTEXTSUP);
        }
        if (!ueber.empty() && ueber.back().first == q) {
            pvwUeberschrift(&pvwListe[--ziel], ueber.back().second);
            ueber.pop_back();
        }
    }
    pvwAnzahl = neu;
}

void PvwUntertitelEntfernen()
{
    int j = 0;
    for (int i = 0; i < pvwAnzahl; ++i) {
        if (pvwListe[i].art == PVW_UNTERTITEL) continue;
        if (j != i) pvwListe[j] = pvwListe[i];
        ++j;
    }
    if (j < pvwAnzahl) std::memset(&pvwListe[j], 0, sizeof(PvwEintrag) * static_cast<size_t>(pvwAnzahl - j));
    pvwAnzahl = j;
}

void PvwCursorNameSetzen(const char* name) { strkopie(pvwCursor, name != nullptr ? name : "", PVWNAMESUP); }

const char* PvwCursorName() { return pvwCursor; }

const char* PvwAktZeichnung()
{
    if (!strleer(pvwCursor)) {
        strkopie(pvwAkt, pvwCursor, PVWNAMESUP);
        return pvwAkt;
    }
    for (int i = 0; i < pvwAnzahl; ++i) {
        if (pvwListe[i].art == PVW_ZEICHNUNG) {
            strkopie(pvwAkt, pvwListe[i].name, PVWNAMESUP);
            return pvwAkt;
        }
    }
    // A blank cursor name is no file name.
    pvwAkt[0] = '\0';
    return pvwAkt;
}

void PvwListeZuruecksetzen()
{
    pvwLeeren();
    pvwSortModus = PVW_SORT_NUMMER;
    pvwCursor[0] = '\0';
    pvwGemeldet.clear();
    pvwBehalten.clear();
}
