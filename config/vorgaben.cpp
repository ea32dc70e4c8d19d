// Defaults sets (see vorgaben.h). Assertion texts name the module "vorgaben".
#include "config/vorgaben.h"
#include "config/vgbziel.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <set>
#include <string>
#include <sys/stat.h>
#include <unordered_map>
#include <utility>
#include <vector>

#include "config/inidatei.h"
#include "config/konfhaken.h"
#include "config/reaktion.h"
#include "config/verzeich.h"
#include "platform/dateisys.h"
#include "platform/nachricht.h"
#include "platform/orte.h"
#include "support/basis.h"
#include "support/speicher.h"
#include "support/texte.h"
#include "support/vergleich.h"

namespace {

vorgabe* vgbListe = nullptr;  // the store's entries while it is open, else null
int vgbAnzahl = 0;
// Where each key of vgbListe[0, vgbAnzahl) stands, its first entry as the
// search in order finds it: readers look up hundreds of keys in a set of
// hundreds (a start reads every pen of the viewer). Made once an opening has
// asked for more keys than it pays to walk for (many open the store for one
// value); appending keeps it.
std::unordered_map<std::string, int> vgbIndex;
bool vgbIndexGueltig = false;
int vgbSuchenOhneIndex = 0;  // lookups of this opening so far, while it has no index
constexpr int VGB_INDEX_AB = 16;
int vgbReferenzen = 0;
int vgbGeaendert = 0;
int vgbZaehler = 0;
bool vgbKurz = false;      // reading the set file failed part way
bool vgbSatzFehlt = false;  // the set file of the open store could not be opened
std::string vgbGeladen;     // the store's set in messages: its path, else its name
// Comment and empty lines of the set file, each with the index of the entry
// it stood before, so a rewrite keeps them in place.
std::vector<std::pair<int, std::string>> vgbKommentare;
// Keys missed in sets that could not be found, by the set, reported once
// per set.
std::map<std::string, std::set<std::string>> vgbFehlend;
UINT_PTR vgbFehlendTimer = 0;
char* vgbErsatz = nullptr;
bool vgbErsatzGeladen = false;
// The entries and the replacement text, allocated at the first opening and
// kept for the program's life: sets are opened for every drawing, sheet and
// list, and fresh pages for every opening cost more than reading the set.
// Each closing clears the entries the opening used, so an opening never
// sees another set's entries past its own.
struct VgbSpeicher {
    vorgabe* liste = nullptr;
    char* ersatz = nullptr;
    ~VgbSpeicher()
    {
        ffree(liste);
        ffree(ersatz);
    }
};
VgbSpeicher vgbSpeicher;
char vgbPraefix[VGBPRAEFIXSUP + 1] = "";
int vgbMeldung = 1;
std::string vgbName = "Standard";
std::string vgbPfad;
vorgabe vgbApEintrag;  // entry 0 while the store is closed: the value of the last read then

// The set file as last read whole, and what it gave.
struct VgbGelesen {
    std::string pfad;
    std::string inhalt;
    std::vector<vorgabe> eintraege;
    std::vector<std::pair<int, std::string>> kommentare;
};
VgbGelesen vgbGelesen;
long vgbLesungen = 0;

constexpr int VGBBELEGT = VORSUP - 1;
constexpr int PFADSUP2 = 512;  // room for a set path of VERSUP + name

void vgbMarke(vorgabe& e)
{
    strkopie(e.schluessel, "__INI___", 20);
    strkopie(e.wert, "__TXT___", 100);
}

bool vgbIstAp(const char* s)
{
    return s && strnvgl(s, "AP-", 3) == 0;
}

// The file's first `hoechstens` bytes; *da when it could be opened, *fehler
// when reading it failed part way.
std::string vgbDateiLesen(const std::string& pfad, size_t hoechstens, bool* da, bool* fehler = nullptr)
{
    std::string inhalt;
    *da = false;
    if (fehler) *fehler = false;
    int fd = plDsOeffnen(pfad.c_str(), O_RDONLY);
    if (fd < 0) return inhalt;
    *da = true;
    char b[8192];
    while (inhalt.size() < hoechstens) {
        ssize_t n = plDsLesen(fd, b, std::min(sizeof b, hoechstens - inhalt.size()));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && fehler) *fehler = true;
        if (n <= 0) break;
        inhalt.append(b, static_cast<size_t>(n));
    }
    plDsSchliessen(fd);
    return inhalt;
}

// Splits a set file's line into key and value; false for comments and
// empty lines. Lines count up to VGBZEILESUP characters.
bool vgbZeileZerlegen(std::string zeile, std::string& schluessel, std::string& wert)
{
    if (zeile.size() > VGBZEILESUP) zeile.resize(VGBZEILESUP);
    while (!zeile.empty() && (zeile.back() == '\r' || zeile.back() == '\n')) zeile.pop_back();
    size_t a = 0;
    while (a < zeile.size() && istweiss(static_cast<unsigned char>(zeile[a]))) ++a;
    if (a == zeile.size() || zeile[a] == ';') return false;
    size_t e = a;
    while (e < zeile.size() && !istweiss(static_cast<unsigned char>(zeile[e]))) ++e;
    schluessel = zeile.substr(a, e - a);
    size_t w = e;
    while (w < zeile.size() && istweiss(static_cast<unsigned char>(zeile[w]))) ++w;
    size_t we = zeile.size();
    while (we > w && istweiss(static_cast<unsigned char>(zeile[we - 1]))) --we;
    wert = zeile.substr(w, we - w);
    return true;
}

std::vector<std::string> vgbZeilen(const std::string& text)
{
    std::vector<std::string> r;
    size_t a = 0;
    while (a < text.size()) {
        size_t e = text.find('\n', a);
        if (e == std::string::npos) e = text.size();
        r.push_back(text.substr(a, e - a));
        a = e + 1;
    }
    return r;
}

int vgbAnhaengen(const std::string& schluessel, const std::string& wert)
{
    if (vgbAnzahl >= VGBBELEGT) return -1;
    vorgabe& e = vgbListe[vgbAnzahl];
    strkopie(e.schluessel, schluessel.c_str(), VGBSCHLUESSELSUP);
    if (vgbIndexGueltig) vgbIndex.emplace(e.schluessel, vgbAnzahl);
    strkopie(e.wert, wert.c_str(), VGBWERTSUP);
    return vgbAnzahl++;
}

int vgbSucheExakt(const char* k)
{
    if (!vgbListe) return -1;
    if (!vgbIndexGueltig && ++vgbSuchenOhneIndex <= VGB_INDEX_AB) {
        for (int i = 0; i < vgbAnzahl; ++i) {
            if (std::strcmp(vgbListe[i].schluessel, k) == 0) return i;
        }
        return -1;
    }
    if (!vgbIndexGueltig) {
        vgbIndex.clear();
        vgbIndex.reserve(static_cast<size_t>(vgbAnzahl));
        for (int i = 0; i < vgbAnzahl; ++i) vgbIndex.emplace(vgbListe[i].schluessel, i);
        vgbIndexGueltig = true;
    }
    auto it = vgbIndex.find(k);
    return it == vgbIndex.end() ? -1 : it->second;
}

void vgbErsatzLaden()
{
    if (vgbErsatzGeladen || !vgbErsatz) return;
    vgbErsatzGeladen = true;
    char pfad[PFADSUP2];
    if (VgbSetSuchen("Ersatz", pfad, sizeof pfad) != 0) return;
    bool da = false;
    std::string t = vgbDateiLesen(pfad, VGBERSATZSUP, &da);
    std::memcpy(vgbErsatz, t.data(), t.size());
    vgbErsatz[t.size()] = '\0';
}

int vgbAusErsatz(const std::string& k)
{
    vgbErsatzLaden();
    if (!vgbErsatz) return -1;
    for (const auto& z : vgbZeilen(vgbErsatz)) {
        if (z.compare(0, k.size(), k) != 0) continue;
        std::string s, w;
        if (!vgbZeileZerlegen(z, s, w) || s != k) continue;
        return vgbAnhaengen(s, w);
    }
    return -1;
}

bool vgbDa(const std::string& pfad)
{
    struct stat st {};
    return plDsStat(pfad.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string vgbOrdnerVon(const std::string& pfad)
{
    size_t s = pfad.find_last_of("/\\");
    return s == std::string::npos ? std::string() : pfad.substr(0, s + 1);
}

std::string vgbMitTrenner(std::string o)
{
    if (!o.empty() && o.back() != '/' && o.back() != '\\') o += '/';
    return o;
}

// The application-data folder with a trailing separator.
std::string vgbAnwendung()
{
    return vgbMitTrenner(plOrtAnwendung());
}

// Where a changed set goes: the shipped sets in the program folder (kind 0,
// the shipped-data folder, the executable's folder) are only read, and a
// set of the application-data folder serves every project. A changed one
// of these is written into the open project's folder under its file name,
// where the lookup finds it first: the settings of a project are changed in
// that project alone. Without a project folder it goes to the
// application-data folder.
std::string vgbSchreibZiel()
{
    const std::string ordner = vgbOrdnerVon(vgbPfad);
    const std::string anwendung = vgbAnwendung();
    bool nurLesen = ordner.empty();
    for (const std::string& o : {std::string(VerZeiger(0)), vgbMitTrenner(plOrtDaten()), vgbMitTrenner(plOrtProgramm())}) {
        if (!o.empty() && PfadGleich(o.c_str(), ordner.c_str())) nurLesen = true;
    }
    const bool allen = !ordner.empty() && PfadGleich(anwendung.c_str(), ordner.c_str());
    if (!nurLesen && !allen) return vgbPfad;
    std::string datei = vgbPfad.substr(ordner.size());
    if (datei.empty()) datei = vgbName + ".vgb";
    const std::string projekt = vgbMitTrenner(VerZeiger(1));
    bool imProjekt = projekt.size() > 1 && !PfadGleich(projekt.c_str(), ordner.c_str());
    for (const std::string& o : {std::string(VerZeiger(0)), vgbMitTrenner(plOrtDaten()), vgbMitTrenner(plOrtProgramm()), anwendung}) {
        if (!o.empty() && PfadGleich(o.c_str(), projekt.c_str())) imProjekt = false;
    }
    if (imProjekt) return projekt + datei;
    return allen ? vgbPfad : anwendung + datei;
}

void vgbFehlendTakt(HWND, UINT, UINT_PTR, DWORD)
{
    VgbFehlendeMelden();
}

// A key missed in a set that could not be found: counted, and reported
// with the others once the reading in progress is over (the timer fires
// when the loop is idle again, after a command over the local socket has
// been answered).
void vgbFehlendMerken(const std::string& schluessel)
{
    vgbFehlend[vgbGeladen].insert(schluessel);
    vgbFehlendTimer = SetTimer(0, vgbFehlendTimer, 1, vgbFehlendTakt);
}

}  // namespace

int VgbOeffnen()
{
    if (++vgbReferenzen != 1) return 0;
    vgbIndexGueltig = false;
    vgbSuchenOhneIndex = 0;
    if (!vgbSpeicher.liste) {
        vgbSpeicher.liste = static_cast<vorgabe*>(fmalloc(VORSUP, sizeof(vorgabe)));
        if (!vgbSpeicher.liste) wiAssert("vorgaben", __LINE__, "(liste=fmalloc(VORSUP,sizeof(struct vorgabe))) != NULL");
    }
    if (!vgbSpeicher.ersatz) {
        vgbSpeicher.ersatz = static_cast<char*>(fmalloc(1, VGBERSATZSUP + 1));
        if (!vgbSpeicher.ersatz) wiAssert("vorgaben", __LINE__, "(erstxt=fmalloc(1,32001)) != NULL");
    }
    vgbListe = vgbSpeicher.liste;
    vgbErsatz = vgbSpeicher.ersatz;
    vgbErsatz[0] = '\0';  // read as text up to its end: no other opening's replacements
    vgbGeaendert = 0;
    vgbErsatzGeladen = false;
    vgbKurz = false;
    vgbSatzFehlt = true;
    vgbKommentare.clear();
    vgbMarke(vgbListe[0]);
    vgbAnzahl = 1;
    vgbGeladen = vgbPfad.empty() ? vgbName : vgbPfad;
    if (vgbPfad.empty()) return 0;
    bool da = false;
    bool fehler = false;
    std::string t = vgbDateiLesen(vgbPfad, static_cast<size_t>(-1), &da, &fehler);
    if (da) ++vgbLesungen;
    vgbSatzFehlt = !da;
    vgbKurz = fehler;  // a part is missing: never written back
    // The same bytes as at the last opening give the same entries: taken
    // from then (lists open and close the store for every value they show).
    VgbGelesen& g = vgbGelesen;
    if (da && !fehler && g.pfad == vgbPfad && g.inhalt == t) {
        std::copy(g.eintraege.begin(), g.eintraege.end(), vgbListe);
        vgbAnzahl = static_cast<int>(g.eintraege.size());
        vgbKommentare = g.kommentare;
        return 0;
    }
    // Entry lines past the store's capacity are not kept (and a rewrite
    // leaves them out); comments are kept in place for a rewrite.
    for (auto& z : vgbZeilen(t)) {
        std::string s, w;
        if (!vgbZeileZerlegen(z, s, w)) {
            while (!z.empty() && (z.back() == '\r' || istweiss(static_cast<unsigned char>(z.back())))) z.pop_back();
            vgbKommentare.emplace_back(vgbAnzahl, z);
            continue;
        }
        if (vgbAnhaengen(s, w) < 0) break;
    }
    g = VgbGelesen{};
    if (da && !fehler) {
        g.pfad = vgbPfad;
        g.inhalt = std::move(t);
        g.eintraege.assign(vgbListe, vgbListe + vgbAnzahl);
        g.kommentare = vgbKommentare;
    }
    return 0;
}

long VgbLesungen() { return vgbLesungen; }

void VgbSchliessen()
{
    if (vgbReferenzen <= 0) return;
    if (--vgbReferenzen > 0) return;
    vgbIndexGueltig = false;
    vgbIndex.clear();
    // The entries in use and the first free one, which a numbered key's
    // fallback hands out.
    if (vgbListe) std::memset(vgbListe, 0, static_cast<size_t>(std::min(vgbAnzahl + 1, VORSUP)) * sizeof(vorgabe));
    vgbListe = nullptr;
    vgbErsatz = nullptr;
    vgbAnzahl = 0;
    vgbGeaendert = 0;
    vgbErsatzGeladen = false;
    vgbKommentare.clear();
}

int VgbSchreiben()
{
    if (!vgbGeaendert || !vgbListe) return 0;
    if (vgbKurz) {
        char text[PFADSUP2 + 100];
        std::snprintf(text, sizeof text,
                      "Der Vorgabensatz %s konnte nicht vollst\xe4ndig gelesen werden und wird nicht \xfc"
                      "berschrieben.",
                      vgbPfad.c_str());
        konfHaken().warnung(text);
        return -1;
    }
    std::string inhalt;
    size_t k = 0;
    auto kommentareBis = [&](int index) {
        for (; k < vgbKommentare.size() && vgbKommentare[k].first <= index; ++k) {
            inhalt += vgbKommentare[k].second;
            inhalt += "\r\n";
        }
    };
    for (int i = 0; i < vgbAnzahl; ++i) {
        kommentareBis(i);
        const vorgabe& e = vgbListe[i];
        if (std::strncmp(e.schluessel, "__", 2) == 0) continue;
        char zeile[160];
        std::snprintf(zeile, sizeof zeile, "%-16s%s", e.schluessel, e.wert);
        strrtrim(zeile);
        inhalt += zeile;
        inhalt += "\r\n";
    }
    kommentareBis(VORSUP);
    const std::string ziel = vgbSchreibZiel();
    if (plDsDateiErsetzen(ziel.c_str(), inhalt.data(), inhalt.size()) != 0) {
        char text[PFADSUP2 + 100];
        std::snprintf(text, sizeof text, "Der Vorgabensatz %s konnte nicht geschrieben werden.", ziel.c_str());
        konfHaken().warnung(text);
        return -1;
    }
    vgbPfad = ziel;
    ++vgbZaehler;
    vgbGeaendert = 0;
    return 0;
}

std::string VgbSchreibPfad()
{
    return vgbSchreibZiel();
}

int VgbSuchen(const char* schluessel)
{
    if (!schluessel) return -1;
    if (vgbIstAp(schluessel)) {
        const char* rest = schluessel + 3;
        char wert[VGBWERTSUP + 1];
        ProfilLesen("Zavik", rest, wert, VGBWERTSUP);
        if (strleer(wert)) {
            ProfilLesen("ArbPlatz", rest, wert, VGBWERTSUP);
        } else {
            ProfilSchreiben("Zavik", rest, "");
            ProfilSchreiben("ArbPlatz", rest, wert);
        }
        vorgabe& e = vgbListe ? vgbListe[0] : vgbApEintrag;
        strkopie(e.wert, wert, VGBWERTSUP);
        return 0;
    }
    if (!vgbListe) {
        // A reader that did not open the store: the set is loaded for this
        // one lookup and the value kept in entry 0's stand-in.
        VgbOeffnen();
        int i = VgbSuchen(schluessel);
        if (i >= 0) strkopie(vgbApEintrag.wert, vgbListe[i].wert, VGBWERTSUP);
        VgbSchliessen();
        return i >= 0 ? 0 : -1;
    }
    std::string k = std::string(vgbPraefix) + schluessel;
    int i = vgbSucheExakt(k.c_str());
    if (i >= 0) return i;
    i = vgbAusErsatz(k);
    if (i >= 0) return i;
    if (!k.empty() && k.back() >= '0' && k.back() <= '9') {
        while (!k.empty() && k.back() >= '0' && k.back() <= '9') k.pop_back();
        k += '0';
        i = vgbSucheExakt(k.c_str());
        if (i >= 0) return i;
        // the first free entry: empty key and value, counts as present
        vgbListe[vgbAnzahl].schluessel[0] = '\0';
        vgbListe[vgbAnzahl].wert[0] = '\0';
        return vgbAnzahl;
    }
    if (vgbMeldung && vgbSatzFehlt) {
        vgbFehlendMerken(std::string(vgbPraefix) + schluessel);
    } else if (vgbMeldung) {
        char text[200];
        std::snprintf(text, sizeof text, "Vorgabe %s%s fehlt.", vgbPraefix, schluessel);
        konfHaken().warnung(text);
    }
    return -1;
}

void VgbFehlendeMelden()
{
    if (vgbFehlendTimer != 0) {
        KillTimer(0, vgbFehlendTimer);
        vgbFehlendTimer = 0;
    }
    // Taken first: a message box runs a loop, in which further keys may be
    // missed and counted for the next report.
    const auto fehlend = std::move(vgbFehlend);
    vgbFehlend.clear();
    for (const auto& [satz, schluessel] : fehlend) {
        char text[PFADSUP2 + 120];
        if (schluessel.size() == 1) {
            std::snprintf(text, sizeof text, "Der Vorgabensatz %s wurde nicht gefunden; 1 Vorgabe fehlt.", satz.c_str());
        } else {
            std::snprintf(text, sizeof text, "Der Vorgabensatz %s wurde nicht gefunden; %zu Vorgaben fehlen.",
                          satz.c_str(), schluessel.size());
        }
        konfHaken().warnung(text);
    }
}

const char* VgbZeiger(const char* schluessel)
{
    int i = VgbSuchen(schluessel);
    if (i < 0) return "";
    return vgbListe ? vgbListe[i].wert : vgbApEintrag.wert;
}

int VgbInt(const char* schluessel)
{
    return std::atoi(VgbZeiger(schluessel));
}

double VgbZehntel(const char* schluessel)
{
    return VgbInt(schluessel) / 10.0;
}

double VgbDouble(const char* schluessel)
{
    const char* w = VgbZeiger(schluessel);
    while (*w == ' ' || *w == '\t') ++w;
    if (*w == '+') ++w;
    double d = 0.0;
    std::from_chars(w, w + std::strlen(w), d);
    return d;
}

int VgbText40(const char* schluessel, char* puffer)
{
    int i = VgbSuchen(schluessel);
    if (i < 0) {
        puffer[0] = '\0';
        return -1;
    }
    strkopie(puffer, 41, vgbListe ? vgbListe[i].wert : vgbApEintrag.wert, 40);
    return i;
}

int VgbText(const char* schluessel, char* puffer, int n)
{
    int i = VgbSuchen(schluessel);
    if (n < 0) n = 0;
    if (i < 0) {
        puffer[0] = '\0';
        return -1;
    }
    strkopie(puffer, static_cast<size_t>(n) + 1, vgbListe ? vgbListe[i].wert : vgbApEintrag.wert, n);
    return i;
}

void VgbSetzen(const char* schluessel, const char* wert)
{
    if (!schluessel) return;
    if (!wert) wert = "";
    if (vgbIstAp(schluessel)) {
        ProfilSchreiben("ArbPlatz", schluessel + 3, wert);
        ++vgbZaehler;
        return;
    }
    if (!vgbListe) return;
    char k[VGBSCHLUESSELSUP + 1];
    strkopie(k, schluessel, VGBSCHLUESSELSUP);
    int i = vgbSucheExakt(k);
    if (i < 0) {
        i = vgbAnhaengen(k, "");
        if (i < 0) return;
    }
    strkopie(vgbListe[i].wert, wert, VGBWERTSUP);
    vgbGeaendert = 1;
}

const char* VgbPraefix(const char* praefix)
{
    strkopie(vgbPraefix, praefix ? praefix : "", VGBPRAEFIXSUP);
    return vgbPraefix;
}

void VgbFehlMeldung(int ein)
{
    vgbMeldung = ein;
}

int VgbSchreibZaehler()
{
    return vgbZaehler;
}

int VgbAenderZaehler()
{
    static std::string zuletzt;
    static int gewechselt = 0;
    const std::string& jetzt = vgbPfad.empty() ? vgbName : vgbPfad;
    if (jetzt != zuletzt) {
        zuletzt = jetzt;
        ++gewechselt;
    }
    return gewechselt + vgbZaehler;
}

int VgbAnzahl()
{
    return vgbAnzahl;
}

const vorgabe* VgbEintrag(int i)
{
    if (!vgbListe || i < 0 || i >= VORSUP) return nullptr;
    return &vgbListe[i];
}

void VgbSetName(char* puffer, size_t groesse)
{
    strkopie(puffer, groesse, vgbName.c_str(), static_cast<int>(vgbName.size()));
}

void VgbSetPfad(char* puffer, size_t groesse)
{
    strkopie(puffer, groesse, vgbPfad.c_str(), static_cast<int>(vgbPfad.size()));
}

const char* VgbSetNameZeiger()
{
    return vgbName.c_str();
}

const char* VgbSetPfadZeiger()
{
    return vgbPfad.c_str();
}

int VgbSetSuchen(const char* name, char* puffer, size_t groesse)
{
    char p[PFADSUP2] = "";
    auto treffer = [&]() {
        strkopie(puffer, groesse, p, PFADSUP2);
        return 0;
    };
    // 1. the project folder
    if (!strleer(VerZeiger(1))) {
        PfadBilden(1, name, "vgb", p, sizeof p);
        if (vgbDa(p)) return treffer();
    }
    // 2. upward from the project folder, or the component folder
    if (VerAufwaerts(2) || !strleer(VerZeiger(2))) {
        PfadSuchenAufwaerts(p, sizeof p, name, "vgb");
        if (vgbDa(p)) return treffer();
    }
    // 3. the workstation sets folder
    PfadBilden(8, name, "vgb", p, sizeof p);
    if (!strleer(VerZeiger(8)) && vgbDa(p)) return treffer();
    // the application-data folder, where changed sets of the program folder
    // are written (VgbSchreiben)
    std::string a = vgbAnwendung() + name + ".vgb";
    if (!PfadHatOrdner(name) && vgbDa(a)) {
        strkopie(p, a.c_str(), PFADSUP2 - 1);
        return treffer();
    }
    // 4. the program folder
    PfadBilden(0, name, "vgb", p, sizeof p);
    if (!strleer(VerZeiger(0)) && vgbDa(p)) return treffer();
    strkopie(puffer, groesse, p, PFADSUP2);
    return -1;
}

int VgbSetWaehlen(const char* name)
{
    vgbName = name ? name : "";
    char p[PFADSUP2];
    int r = VgbSetSuchen(vgbName.c_str(), p, sizeof p);
    if (r != 0) VgbSetSuchen("Standard", p, sizeof p);
    vgbPfad = p;
    return r;
}

void VgbSetNeuSuchen()
{
    std::string n = vgbName;
    VgbSetWaehlen(n.c_str());
}

void VgbGruppenDatei(const char* pfad)
{
    vgbPfad = pfad ? pfad : "";
    for (char& c : vgbPfad) {
        if (c == '\\') c = '/';
    }
    size_t s = vgbPfad.find_last_of('/');
    std::string n = s == std::string::npos ? vgbPfad : vgbPfad.substr(s + 1);
    size_t pkt = n.rfind('.');
    if (pkt != std::string::npos) n.resize(pkt);
    vgbName = n;
}

void VgbSetSetzen(const char* name, const char* pfad)
{
    vgbName = name ? name : "";
    vgbPfad = pfad ? pfad : "";
}

void VgbStart()
{
    char p[VERSUP + 1];
    ProfilLesen("Zavik", "ZvVgbPfad", p, VERSUP);
    VerSetzen(8, p);
    VgbSetWaehlen("Standard");
}

void VgbKommandozeile()
{
    VgbSetWaehlen("Standard");
    for (int i = 1; i < plOrtArgumentAnzahl(); ++i) {
        const char* w = plOrtArgument(i);
        if (strnvgl(w, "-GD=", 4) == 0) {
            char p[PFADSUP2];
            strkopie(p, w + 4, PFADSUP2 - 1);
            VgbDekodieren(p);
            VgbGruppenDatei(p);
        } else if (strnvgl(w, "-G=", 3) == 0) {
            VgbSetWaehlen(w + 3);
        }
    }
}

void VgbKodieren(char* text, size_t groesse)
{
    if (!text || groesse == 0) return;
    std::string r;
    for (const char* p = text; *p; ++p) {
        if (*p == ' ') r += "~_";
        else if (*p == '~') r += "~~";
        else r += *p;
    }
    strkopie(text, groesse, r.c_str(), static_cast<int>(r.size()));
}

void VgbDekodieren(char* text)
{
    if (!text) return;
    char* z = text;
    for (const char* p = text; *p; ++p) {
        if (p[0] == '~' && p[1] == '_') {
            *z++ = ' ';
            ++p;
        } else if (p[0] == '~' && p[1] == '~') {
            *z++ = '~';
            ++p;
        } else {
            *z++ = *p;
        }
    }
    *z = '\0';
}

void VgbGruppeKodiert(char* puffer, size_t groesse)
{
    char p[2 * PFADSUP2];
    strkopie(p, vgbPfad.c_str(), static_cast<int>(sizeof p) - 1);
    VgbKodieren(p, sizeof p);
    std::string r = std::string("-gd=") + p;
    strkopie(puffer, groesse, r.c_str(), static_cast<int>(r.size()));
}

// ---- Listing -------------------------------------------------------------------

namespace {

struct VgbListe {
    std::vector<std::string> ordner;
    std::vector<std::string> titel;
};

bool vgbGleicherOrdner(const std::string& a, const std::string& b)
{
    return !a.empty() && PfadGleich(a.c_str(), b.c_str());
}

void vgbOrdnerAuflisten(const std::string& ordner, const std::string& titel, VgbSetRueckruf rueckruf, void* benutzer)
{
    PlDsVerz* v = plDsVerzOeffnen(ordner.c_str());
    if (!v) return;
    std::vector<std::string> namen;
    std::string n;
    while (plDsVerzLesen(v, &n) == 1) {
        if (n.size() < 5 || strvgl(n.c_str() + n.size() - 4, ".vgb") != 0) continue;
        if (strnvgl(n.c_str(), "Ersatz", 6) == 0 || strnvgl(n.c_str(), "Checkliste", 10) == 0) continue;
        namen.push_back(n);
    }
    plDsVerzSchliessen(v);
    std::sort(namen.begin(), namen.end(), [](const std::string& a, const std::string& b) {
        return strvglsort(a.c_str(), b.c_str()) < 0;
    });
    for (const auto& datei : namen) {
        std::string pfad = ordner + datei;
        if (!vgbDa(pfad)) continue;
        bool da = false;
        std::string name;
        for (const auto& z : vgbZeilen(vgbDateiLesen(pfad, 1 << 20, &da))) {
            std::string s, w;
            if (vgbZeileZerlegen(z, s, w) && strvgl(s.c_str(), "Name") == 0) {
                name = w.substr(0, VGBWERTSUP);
                break;
            }
        }
        char anzeige[VGBANZEIGESUP + 1];
        strbreite(anzeige, (name + " " + titel).c_str(), VGBANZEIGESUP);
        rueckruf(pfad.c_str(), anzeige, benutzer);
    }
}

}  // namespace

void VgbSetsAuflisten(VgbSetRueckruf rueckruf, void* benutzer)
{
    if (!rueckruf) return;
    const std::string projekt = VerZeiger(1);
    const std::string bauteile = VerZeiger(2);
    const std::string programm = VerZeiger(0);
    const std::string vorgaben = VerZeiger(8);
    std::vector<std::string> gelistet;
    auto schon = [&gelistet](const std::string& o) {
        for (const auto& g : gelistet) {
            if (vgbGleicherOrdner(g, o)) return true;
        }
        return false;
    };
    auto liste = [&](const std::string& o, const std::string& titel) {
        gelistet.push_back(o);
        vgbOrdnerAuflisten(o, titel, rueckruf, benutzer);
    };
    struct Auf {
        std::vector<std::string> ordner;
    } auf;
    PfadeAufwaerts([](const char* verz, void* b) { static_cast<Auf*>(b)->ordner.push_back(verz); }, &auf);
    for (const auto& o : auf.ordner) {
        if (o == "/") continue;  // not the root
        if (schon(o)) continue;
        std::string titel;
        if (vgbGleicherOrdner(o, projekt)) titel = "";
        else if (vgbGleicherOrdner(o, bauteile)) titel = TextNr(161);
        else if (vgbGleicherOrdner(o, programm)) titel = TextNr(160);
        liste(o, titel);
    }
    if (!projekt.empty() && !schon(projekt)) liste(projekt, "");
    if (!bauteile.empty() && !schon(bauteile) && !vgbGleicherOrdner(bauteile, projekt)) liste(bauteile, TextNr(161));
    if (!programm.empty() && !schon(programm) && !vgbGleicherOrdner(programm, projekt)) liste(programm, TextNr(160));
    if (!vorgaben.empty() && !vgbGleicherOrdner(vorgaben, projekt) && !vgbGleicherOrdner(vorgaben, bauteile) &&
        !vgbGleicherOrdner(vorgaben, programm) && !schon(vorgaben)) {
        liste(vorgaben, TextNr(162));
    }
    // The changed sets of the program folder, written here (VgbSchreiben).
    const std::string anwendung = vgbAnwendung();
    if (!vgbGleicherOrdner(anwendung, projekt) && !vgbGleicherOrdner(anwendung, bauteile) &&
        !vgbGleicherOrdner(anwendung, programm) && !vgbGleicherOrdner(anwendung, vorgaben) && !schon(anwendung)) {
        liste(anwendung, TextNr(162));
    }
}
