// The project folder tree's entries, roots, order, visibility, filter,
// rows, cursor and search, and its folder operations (see wrz.h).
//
// Invariants:
//  1. Paths carry '/' separators and no trailing one (a root "/" stays).
//  2. After WrzZeilenBilden the rows are exactly the entries with
//     `sichtbar` and `passt`, in entry order.
//  3. The root slots are sorted: non-empty ones by collation ignoring
//     case, empty ones last.
#include <strings.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "config/inidatei.h"
#include "config/reaktion.h"
#include "config/verzeich.h"
#include "equipment/utitel.h"
#include "model/zeichnun.h"
#include "platform/dateisys.h"
#include "platform/orte.h"
#include "project/dirhist.h"
#include "project/ordliste.h"
#include "project/verzkopie.h"
#include "project/wrz.h"
#include "support/basis.h"
#include "support/dosdatei.h"
#include "support/texte.h"
#include "support/vergleich.h"
#include "winlib/langdlg.h"
#include "winlib/meldung.h"

namespace {

struct WrzZustandT {
    std::vector<WrzEintrag> eintraege;
    std::vector<int> zeilen;
    char wurzeln[WRZWURZELSUP][WRZPFADSUP + 1] = {};
    char aktuell[WRZPFADSUP + 1] = "";
    char auswahl[WRZPFADSUP + 1] = "";
    char filter[WRZFILTERSUP + 1] = "";
    int einzel = 0;
    int baut = 0;
    int abgebrochen = 0;
};
WrzZustandT wz;

std::string wzNormal(const char* p)
{
    std::string s = p != nullptr ? p : "";
    for (char& c : s)
        if (c == '\\') c = '/';
    while (s.size() > 1 && s.back() == '/') s.pop_back();
    return s;
}

std::string wzName(const std::string& p)
{
    const size_t s = p.rfind('/');
    return s == std::string::npos ? p : p.substr(s + 1);
}

std::string wzEltern(const std::string& p)
{
    const size_t s = p.rfind('/');
    if (s == std::string::npos) return "";
    return s == 0 ? "/" : p.substr(0, s);
}

std::string wzKlein(std::string s)
{
    for (char& c : s) c = static_cast<char>(zklein(static_cast<unsigned char>(c)));
    return s;
}

bool wzGleich(const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) == 0; }

// a lies strictly above b.
bool WrzIstVorfahr(const std::string& a, const std::string& b)
{
    if (a.size() >= b.size() || strncasecmp(a.c_str(), b.c_str(), a.size()) != 0) return false;
    return a == "/" || b[a.size()] == '/';
}

bool wzIstOderUnter(const std::string& a, const std::string& b) { return wzGleich(a, b) || WrzIstVorfahr(b, a); }

bool wzVerborgen(const std::string& p)
{
    const std::string n = wzName(p);
    return !n.empty() && (n[0] == '$' || n[0] == '.');
}

void wzTitel(const std::string& ordner, char* text)
{
    text[0] = '\0';
    char t[UTTEXTSUP + 1], a[UTTEXTSUP + 1], o[UTTEXTSUP + 1];
    if (!UtitelFremdLesen((ordner + "/Projekt.zvk").c_str(), t, a, o)) return;
    char z[3 * UTTEXTSUP + 3];
    std::snprintf(z, sizeof z, "%s %s %s", t, a, o);
    strtrim(z);
    strkopie(text, WRZTEXTSUP + 1, z, WRZTEXTSUP);
}

WrzEintrag wzNeu(int wurzel, int ebene, int art, const std::string& pfad)
{
    WrzEintrag e{};
    e.wurzel = wurzel;
    e.ebene = ebene;
    e.art = art;
    strkopie(e.pfad, pfad.c_str(), WRZPFADSUP);
    e.passt = 1;
    return e;
}

void WrzOrdnerLesen(int wurzel, int ebene, const std::string& ordner, int einfuegen);

struct WzLeser {
    std::vector<std::pair<std::string, bool>> namen;
};

// Listing first, then the recursion: the listing callback never re-enters.
void WrzOrdnerLesen(int wurzel, int ebene, const std::string& ordner, int einfuegen)
{
    WzLeser l;
    const std::string muster = (ordner == "/" ? std::string("/") : ordner + "/") + "*";
    verzlesennamen(
        muster.c_str(),
        [](int verzeichnis, const char* pfad, void* user) {
            static_cast<WzLeser*>(user)->namen.emplace_back(pfad, verzeichnis != 0);
            return 1;
        },
        &l);
    const std::string akt = wzNormal(wz.aktuell);
    for (const auto& [roh, ordnerJa] : l.namen) {
        if (!wz.abgebrochen && !wiLangPumpe()) wz.abgebrochen = 1;
        if (wz.abgebrochen) return;
        const std::string p = wzNormal(roh.c_str());
        if (p.size() > static_cast<size_t>(WRZPFADSUP) || wzVerborgen(p)) continue;
        if (ordnerJa) {
            const bool vorfahr = WrzIstVorfahr(p, akt);
            WrzEintrag e = wzNeu(wurzel, ebene + 1, vorfahr ? 1 : 2, p);
            wzTitel(p, e.text);
            wz.eintraege.push_back(e);
            if (vorfahr) WrzOrdnerLesen(wurzel, ebene + 1, p, -1);
        } else if (einfuegen >= 0) {
            wz.eintraege.insert(wz.eintraege.begin() + einfuegen++, wzNeu(wurzel, ebene + 1, 0, p));
        } else if (WrzIstVorfahr(ordner, akt) || wzGleich(ordner, akt)) {
            wz.eintraege.push_back(wzNeu(wurzel, ebene + 1, 0, p));
        }
    }
}

// The folder and file strings of the order ('_' before digits and letters,
// a folder's files after its subfolders).
void wzSortTexte(const WrzEintrag* e, std::string* ordner, std::string* datei)
{
    if (e->art == 0) {
        *ordner = wzEltern(e->pfad) + "/\xFF";
        *datei = wzName(e->pfad);
    } else {
        *ordner = e->pfad;
        datei->clear();
    }
    for (std::string* s : {ordner, datei})
        for (char& c : *s)
            if (c == '_') c = 0x1F;
}

void wzWurzelnSortieren()
{
    std::vector<std::string> w;
    for (auto& s : wz.wurzeln)
        if (s[0]) w.push_back(s);
    std::stable_sort(w.begin(), w.end(),
                     [](const std::string& a, const std::string& b) { return strgewichtvgl(a.c_str(), b.c_str()) < 0; });
    for (int i = 0; i < WRZWURZELSUP; ++i)
        strkopie(wz.wurzeln[i], i < static_cast<int>(w.size()) ? w[static_cast<size_t>(i)].c_str() : "", WRZPFADSUP);
}

int wzZeileZuPfad(const char* ziel, bool spaeter)
{
    const std::string z = wzNormal(ziel);
    int best = -1;
    size_t laenge = 0;
    for (size_t r = 0; r < wz.zeilen.size(); ++r) {
        const WrzEintrag& e = wz.eintraege[static_cast<size_t>(wz.zeilen[r])];
        const size_t l = std::strlen(e.pfad);
        if (l > z.size() || strncasecmp(e.pfad, z.c_str(), l) != 0) continue;
        if (best < 0 || l > laenge || (l == laenge && spaeter)) {
            best = static_cast<int>(r);
            laenge = l;
        }
    }
    return best;
}

}  // namespace

// ---- roots ---------------------------------------------------------------------------------

void WrzWurzelnLesen()
{
    if (wz.einzel) return;
    for (int i = 0; i < WRZWURZELSUP; ++i) {
        char k[24], w[WRZPFADSUP + 1] = "";
        std::snprintf(k, sizeof k, "WrzDir%d", i);
        ProfilLesen(DIRSEKTION, k, w, WRZPFADSUP);
        if (PfadPlatzhalter(w, sizeof w) != 0) w[0] = '\0';
        strkopie(wz.wurzeln[i], wzNormal(w).c_str(), WRZPFADSUP);
    }
    if (wz.wurzeln[0][0] == '\0') {
        char p[VERSUP + 1] = "";
        VerHolen(0, p, sizeof p);
        strkopie(wz.wurzeln[0], wzNormal(p).c_str(), WRZPFADSUP);
        // The user's documents folder as the desktop names it (else the
        // home folder): listing a folder must not make one in the home.
        const std::string z = wzNormal(plOrtDokumente().c_str());
        if (!z.empty()) strkopie(wz.wurzeln[1], z.c_str(), WRZPFADSUP);
    }
    wzWurzelnSortieren();
}

const char* WrzWurzel(int i) { return i >= 0 && i < WRZWURZELSUP ? wz.wurzeln[i] : ""; }

int WrzBasisSpeichern()
{
    if (wz.einzel) return 0;
    int r = 0;
    for (int i = 0; i < WRZWURZELSUP; ++i) {
        char k[24];
        std::snprintf(k, sizeof k, "WrzDir%d", i);
        if (ProfilSchreiben(DIRSEKTION, k, wz.wurzeln[i][0] ? wz.wurzeln[i] : nullptr) != 0) r = ERROR;
    }
    return r;
}

int WrzWurzelDazu(const char* pfad)
{
    if (wz.einzel) return ERROR;
    for (auto& s : wz.wurzeln) {
        if (s[0]) continue;
        strkopie(s, wzNormal(pfad).c_str(), WRZPFADSUP);
        wzWurzelnSortieren();
        return 0;
    }
    return ERROR;
}

int WrzWurzelWeg(const char* pfad)
{
    if (wz.einzel) return ERROR;
    const std::string p = wzNormal(pfad);
    bool da = false;
    for (auto& s : wz.wurzeln) {
        if (s[0] && wzGleich(s, p)) {
            s[0] = '\0';
            da = true;
            break;
        }
    }
    if (!da) return ERROR;
    wzWurzelnSortieren();
    std::erase_if(wz.eintraege, [&](const WrzEintrag& e) { return wzIstOderUnter(wzNormal(e.pfad), p); });
    WrzFiltern();
    WrzZeilenBilden();
    return 0;
}

void WrzEinzelOrdner(const char* pfad)
{
    wz.einzel = 1;
    for (auto& s : wz.wurzeln) s[0] = '\0';
    strkopie(wz.wurzeln[0], wzNormal(pfad).c_str(), WRZPFADSUP);
}

int WrzEinzel() { return wz.einzel; }

// ---- state ------------------------------------------------------------------------------------

void WrzAktuellSetzen(const char* aktuell) { strkopie(wz.aktuell, wzNormal(aktuell).c_str(), WRZPFADSUP); }
const char* WrzAktuell() { return wz.aktuell; }
void WrzAuswahlSetzen(const char* pfad) { strkopie(wz.auswahl, wzNormal(pfad).c_str(), WRZPFADSUP); }
const char* WrzAuswahl() { return wz.auswahl; }
void WrzFilterSetzen(const char* filter)
{
    strkopie(wz.filter, filter != nullptr ? filter : "", WRZFILTERSUP);
    strtrim(wz.filter);
}

void WrzLeeren()
{
    wz = WrzZustandT{};
}

// ---- building -----------------------------------------------------------------------------------

int WrzAufbauen()
{
    if (wz.baut) return ERROR;
    wz.baut = 1;
    wz.abgebrochen = 0;
    wz.eintraege.clear();
    wiLangStart(TextNr(271));
    for (int i = 0; i < WRZWURZELSUP && !wz.abgebrochen; ++i) {
        if (!wz.wurzeln[i][0]) continue;
        wz.eintraege.push_back(wzNeu(i, 0, 1, wz.wurzeln[i]));
        WrzOrdnerLesen(i, 0, wz.wurzeln[i], -1);
    }
    wiLangEnde();
    WrzSortieren();
    if (wz.einzel && std::count_if(wz.eintraege.begin(), wz.eintraege.end(),
                                   [](const WrzEintrag& e) { return e.art != 0; }) == 1) {
        // A folder without subfolders shows better from its parent.
        const std::string e = wzEltern(wz.wurzeln[0]);
        if (!e.empty()) {
            WrzEinzelOrdner(e.c_str());
            wz.baut = 0;
            return WrzAufbauen();
        }
    }
    WrzSichtbarSetzen();
    WrzFiltern();
    WrzZeilenBilden();
    wz.baut = 0;
    return 0;
}

int WrzVergleich(const WrzEintrag* a, const WrzEintrag* b)
{
    if (a->wurzel != b->wurzel) return strgewichtvgl(wz.wurzeln[a->wurzel], wz.wurzeln[b->wurzel]);
    std::string oa, da, ob, db;
    wzSortTexte(a, &oa, &da);
    wzSortTexte(b, &ob, &db);
    size_t pa = 0, pb = 0;
    for (;;) {
        const bool ea = pa > oa.size(), eb = pb > ob.size();
        if (ea || eb) {
            if (ea != eb) return ea ? -1 : 1;
            break;
        }
        size_t qa = oa.find('/', pa), qb = ob.find('/', pb);
        if (qa == std::string::npos) qa = oa.size();
        if (qb == std::string::npos) qb = ob.size();
        const int v = strgewichtvgl(oa.substr(pa, qa - pa).c_str(), ob.substr(pb, qb - pb).c_str());
        if (v != 0) return v;
        pa = qa + 1;
        pb = qb + 1;
    }
    return ZeiDateiVergleich(da.c_str(), db.c_str());
}

void WrzSortieren()
{
    std::stable_sort(wz.eintraege.begin(), wz.eintraege.end(),
                     [](const WrzEintrag& a, const WrzEintrag& b) { return WrzVergleich(&a, &b) < 0; });
}

namespace {

// The folder's parent is the parent, grandparent or great-grandparent of the
// current folder: the current folder and the siblings of it and of its two
// nearest ancestors.
bool WrzIstNachbar(const std::string& pfad, const std::string& akt)
{
    const std::string el = wzEltern(pfad);
    if (el.empty()) return false;
    std::string a = wzEltern(akt);
    for (int i = 0; i < 3 && !a.empty(); ++i, a = wzEltern(a))
        if (wzGleich(el, a)) return true;
    return false;
}

}  // namespace

void WrzSichtbarSetzen()
{
    const std::string akt = wzNormal(wz.aktuell);
    for (WrzEintrag& e : wz.eintraege) {
        const std::string p = e.pfad;
        bool sichtbar = p == "/" || (p.size() == 3 && p[1] == ':' && p[2] == '/');
        for (const auto& w : wz.wurzeln)
            if (w[0] && wzGleich(w, p)) sichtbar = true;
        if (!sichtbar && e.art != 0) sichtbar = e.ebene <= 1 || WrzIstVorfahr(p, akt) || WrzIstNachbar(p, akt);
        e.sichtbar = sichtbar ? 1 : 0;
    }
}

void WrzFiltern()
{
    const std::string f = wzKlein(wz.filter);
    for (WrzEintrag& e : wz.eintraege) {
        bool wurzel = false;
        for (const auto& w : wz.wurzeln)
            if (w[0] && wzGleich(w, e.pfad)) wurzel = true;
        e.passt = f.empty() || e.art == 0 || wurzel || e.ebene == 0 ||
                          wzKlein(e.pfad).find(f) != std::string::npos || wzKlein(e.text).find(f) != std::string::npos
                      ? 1
                      : 0;
    }
}

void WrzZeilenBilden()
{
    wz.zeilen.clear();
    for (size_t i = 0; i < wz.eintraege.size(); ++i)
        if (wz.eintraege[i].sichtbar && wz.eintraege[i].passt) wz.zeilen.push_back(static_cast<int>(i));
}

int WrzAnzahl() { return static_cast<int>(wz.eintraege.size()); }
WrzEintrag* WrzEintragAdr(int i)
{
    return i >= 0 && i < WrzAnzahl() ? &wz.eintraege[static_cast<size_t>(i)] : nullptr;
}
int WrzZeilen() { return static_cast<int>(wz.zeilen.size()); }
int WrzZeileEintrag(int zeile) { return zeile >= 0 && zeile < WrzZeilen() ? wz.zeilen[static_cast<size_t>(zeile)] : -1; }
int WrzEintragZeile(int eintrag)
{
    for (size_t r = 0; r < wz.zeilen.size(); ++r)
        if (wz.zeilen[r] == eintrag) return static_cast<int>(r);
    return -1;
}

int WrzAktSetzen() { return wzZeileZuPfad(wz.aktuell, true); }

int WrzDateiEinfuegen(const char* pfad)
{
    // The deepest folder whose path is the current folder or above it.
    const std::string akt = wzNormal(wz.aktuell);
    int ordner = -1;
    for (int i = 0; i < WrzAnzahl(); ++i) {
        const WrzEintrag& e = wz.eintraege[static_cast<size_t>(i)];
        if (e.art == 0 || !wzIstOderUnter(akt, wzNormal(e.pfad))) continue;
        if (ordner < 0 || e.ebene > wz.eintraege[static_cast<size_t>(ordner)].ebene) ordner = i;
    }
    if (ordner < 0 || wz.eintraege[static_cast<size_t>(ordner)].art != 1) return -1;
    const WrzEintrag& o = wz.eintraege[static_cast<size_t>(ordner)];
    // Shown with its folder: the folder is open now, whatever it was.
    WrzEintrag neu = wzNeu(o.wurzel, o.ebene + 1, 0, wzNormal(pfad));
    neu.sichtbar = o.sichtbar;
    wz.eintraege.insert(wz.eintraege.begin() + ordner + 1, neu);
    WrzFiltern();
    WrzZeilenBilden();
    return ordner + 1;
}
int WrzAuswahlZeile() { return wzZeileZuPfad(wz.auswahl, false); }

int WrzSuchen(int ab, const char* text)
{
    char t[WRZFILTERSUP + 1];
    strkopie(t, text != nullptr ? text : "", WRZFILTERSUP);
    strtrim(t);
    if (t[0] == '\0') return -1;
    const std::string s = wzKlein(t);
    for (int r = ab + 1; r < WrzZeilen(); ++r) {
        const WrzEintrag& e = wz.eintraege[static_cast<size_t>(wz.zeilen[static_cast<size_t>(r)])];
        if (wzKlein(e.pfad).find(s) != std::string::npos || wzKlein(e.text).find(s) != std::string::npos) return r;
    }
    return -1;
}

namespace {

// Reads a folder not read yet right after its entry; the entry's index after
// the sort.
int WrzLesenNach(int eintrag)
{
    WrzEintrag* e = WrzEintragAdr(eintrag);
    e->art = 1;
    const std::string p = e->pfad;
    const int w = e->wurzel, eb = e->ebene;
    wz.abgebrochen = 0;
    WrzOrdnerLesen(w, eb, p, eintrag + 1);
    WrzSortieren();
    for (int i = 0; i < WrzAnzahl(); ++i)
        if (wzGleich(wz.eintraege[static_cast<size_t>(i)].pfad, p) && wz.eintraege[static_cast<size_t>(i)].art != 0)
            eintrag = i;
    return eintrag;
}

}  // namespace

void WrzAufklappen(int eintrag)
{
    WrzEintrag* e = WrzEintragAdr(eintrag);
    if (e == nullptr || e->art == 0) return;
    if (e->art == 2) eintrag = WrzLesenNach(eintrag);
    const int ebene = wz.eintraege[static_cast<size_t>(eintrag)].ebene;
    for (int i = eintrag + 1; i < WrzAnzahl() && wz.eintraege[static_cast<size_t>(i)].ebene > ebene; ++i)
        if (wz.eintraege[static_cast<size_t>(i)].ebene == ebene + 1) wz.eintraege[static_cast<size_t>(i)].sichtbar = 1;
    WrzFiltern();
    WrzZeilenBilden();
}

void WrzZuklappen(int eintrag)
{
    const WrzEintrag* e = WrzEintragAdr(eintrag);
    if (e == nullptr) return;
    for (int i = eintrag + 1; i < WrzAnzahl() && wz.eintraege[static_cast<size_t>(i)].ebene > e->ebene; ++i)
        wz.eintraege[static_cast<size_t>(i)].sichtbar = 0;
    WrzFiltern();
    WrzZeilenBilden();
}

int WrzZustand(int eintrag)
{
    const WrzEintrag* e = WrzEintragAdr(eintrag);
    if (e == nullptr || e->art == 0) return 0;
    if (e->art == 2) return 1;
    const WrzEintrag* n = WrzEintragAdr(eintrag + 1);
    if (n == nullptr || n->ebene <= e->ebene) return 0;
    return n->sichtbar ? 2 : 1;
}

int WrzDateienZaehlen(int eintrag)
{
    const WrzEintrag* e = WrzEintragAdr(eintrag);
    if (e == nullptr) return 0;
    int n = 0;
    for (int i = eintrag + 1; i < WrzAnzahl() && wz.eintraege[static_cast<size_t>(i)].ebene > e->ebene; ++i)
        if (wz.eintraege[static_cast<size_t>(i)].art == 0) ++n;
    return n;
}

void WrzDateiName(int eintrag, int n, char* name, int kap)
{
    if (kap > 0) name[0] = '\0';
    const WrzEintrag* e = WrzEintragAdr(eintrag);
    if (e == nullptr) return;
    for (int i = eintrag + 1; i < WrzAnzahl() && wz.eintraege[static_cast<size_t>(i)].ebene > e->ebene; ++i) {
        if (wz.eintraege[static_cast<size_t>(i)].art != 0 || n-- > 0) continue;
        strkopie(name, static_cast<size_t>(kap), wzName(wz.eintraege[static_cast<size_t>(i)].pfad).c_str(), kap - 1);
        return;
    }
}

// ---- folder operations ---------------------------------------------------------------------

namespace {

struct WzListe {
    std::vector<std::string> dateien, ordner;
};

// The files and subfolders of a folder; `fehler` set when the listing is
// incomplete.
WzListe wzListe(const std::string& ordner, bool* fehler = nullptr)
{
    WzListe l;
    const int r = OrdListe(ordner.c_str(), &l.dateien, &l.ordner);
    if (fehler != nullptr) *fehler = r != 0;
    return l;
}

bool wzNameUngueltig(const char* name)
{
    return name[0] == '\0' || std::strpbrk(name, "/\\:") != nullptr || std::strcmp(name, "..") == 0 ||
           std::strcmp(name, ".") == 0;
}

void wzMeldung(char* meldung, size_t kap, const std::string& t)
{
    if (meldung != nullptr && kap > 0) strkopie(meldung, kap, t.c_str(), static_cast<int>(kap - 1));
}

}  // namespace

int WrzLoeschen(int eintrag)
{
    WrzEintrag* e = WrzEintragAdr(eintrag);
    if (e == nullptr || e->art == 0) return ERROR;
    const std::string p = e->pfad;
    const int ebene = e->ebene;
    bool unvollstaendig = false;
    const WzListe l = wzListe(p, &unvollstaendig);
    int r = unvollstaendig ? ERROR : 0;
    for (const std::string& d : l.dateien)
        if (dateiloeschen((p + "/" + d).c_str()) != 0) r = ERROR;
    // The tree drops the file entries of the folder that are gone.
    for (int i = eintrag + 1; i < WrzAnzahl() && wz.eintraege[static_cast<size_t>(i)].ebene > ebene;) {
        const WrzEintrag& f = wz.eintraege[static_cast<size_t>(i)];
        if (f.art == 0 && dosattrib(f.pfad) == DOSATTR_FEHLT)
            wz.eintraege.erase(wz.eintraege.begin() + i);
        else
            ++i;
    }
    if (r == 0 && l.ordner.empty() && dosrmdir(p.c_str()) == 0) {
        wz.eintraege.erase(wz.eintraege.begin() + eintrag);
    } else if (r == 0) {
        r = l.ordner.empty() ? ERROR : 1;
    }
    WrzFiltern();
    WrzZeilenBilden();
    return r;
}

int WrzUmbenennen(int eintrag, const char* neu)
{
    WrzEintrag* e = WrzEintragAdr(eintrag);
    if (e == nullptr || e->art == 0) return ERROR;
    char n[WRZNAMESUP + 1];
    strkopie(n, neu, WRZNAMESUP);
    strtrim(n);
    const std::string alt = e->pfad;
    if (wzNameUngueltig(n) || wzIstOderUnter(wzNormal(wz.aktuell), alt) || e->ebene == 0) {
        wiInfo(TextNr(360));
        return ERROR;
    }
    const std::string ziel = wzEltern(alt) + "/" + n;
    if (OrdnerVorhanden(ziel.c_str()) || dosattrib(ziel.c_str()) != DOSATTR_FEHLT) {
        wiInfo(TextNr(151));
        return ERROR;
    }
    if (plDsUmbenennen(alt.c_str(), ziel.c_str()) != 0) {
        wiInfo(TextNr(360));
        return ERROR;
    }
    // Entries below follow; a file named like the folder takes the new name.
    const std::string altName = wzName(alt);
    for (WrzEintrag& f : wz.eintraege) {
        const std::string p = f.pfad;
        if (!wzIstOderUnter(p, alt)) continue;
        std::string q = ziel + p.substr(alt.size());
        if (f.art == 0 && wzGleich(wzEltern(p), alt)) {
            char stamm[WRZPFADSUP + 1];
            strkopie(stamm, wzName(p).c_str(), WRZPFADSUP);
            ZeiExtLoeschen(stamm);
            if (wzGleich(stamm, altName)) {
                char ext[WRZPFADSUP + 1];
                ZeiExtHolen(wzName(p).c_str(), ext, sizeof ext);
                std::string nq = ziel + "/" + n + (ext[0] ? std::string(".") + ext : "");
                if (plDsUmbenennen(q.c_str(), nq.c_str()) == 0) q = nq;
            }
        }
        strkopie(f.pfad, q.c_str(), WRZPFADSUP);
    }
    DirAktuellMelden(ziel.c_str());
    WrzSortieren();
    return 0;
}

int WrzKopieren(const char* quelle, const char* ziel, int verschieben, char* meldung, size_t kap)
{
    wzMeldung(meldung, kap, "");
    const std::string q = wzNormal(quelle), z = wzNormal(ziel);
    if (z.empty()) return ERROR;
    if (wzGleich(q, z)) {
        wiInfo(TextNr(150));
        return ERROR;
    }
    // A folder into itself or below itself would copy without end; a moved
    // current folder (or one above it) would leave the project dangling.
    if (WrzIstVorfahr(q, z) || (verschieben && wzIstOderUnter(wzNormal(wz.aktuell), q))) {
        wiInfo(TextNr(verschieben ? 363 : 150));
        return ERROR;
    }
    if (dosattrib(z.c_str()) != DOSATTR_FEHLT) {
        wiInfo(TextNr(151));
        return ERROR;
    }
    if (pfadanlegen(z.c_str()) != 0 || !OrdnerVorhanden(z.c_str())) {
        wiInfo(TextNr(154));
        return ERROR;
    }
    bool unvollstaendig = false;
    const WzListe l = wzListe(q, &unvollstaendig);
    std::string fehlt;
    if (unvollstaendig) fehlt += "\n" + q + " (nicht vollst\xE4ndig gelesen)";
    for (const std::string& d : l.dateien) {
        if (ZeiKopierenUmbenannt((q + "/" + d).c_str(), (z + "/" + d).c_str()) != 0) {
            fehlt += "\n" + d;
            continue;
        }
        // A source goes only once its copy is there.
        if (verschieben && dateiloeschen((q + "/" + d).c_str()) != 0) fehlt += "\n" + d;
    }
    if (verschieben && fehlt.empty() && l.ordner.empty()) dosrmdir(q.c_str());
    std::string bericht;
    if (!fehlt.empty()) bericht = "Nicht \xFC""bertragen:" + fehlt;
    if (verschieben && !l.ordner.empty()) {
        bericht += (bericht.empty() ? "" : "\n") + std::string("Unterordner bleiben in ") + q + ":";
        for (const std::string& o : l.ordner) bericht += "\n" + o;
    }
    DirAktuellMelden(z.c_str());
    WrzAuswahlSetzen(z.c_str());
    wzMeldung(meldung, kap, bericht);
    return bericht.empty() ? 0 : ERROR;
}
