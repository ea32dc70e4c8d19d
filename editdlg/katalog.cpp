// Group files of the component catalogues and the palette's arithmetic.
#include "editdlg/katalog.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "config/reaktion.h"
#include "config/verzeich.h"
#include "model/bauteil.h"
#include "model/einstell.h"
#include "support/dosdatei.h"
#include "support/fileload.h"
#include "support/speicher.h"
#include "support/texte.h"
#include "support/vergleich.h"

namespace {

constexpr size_t KATZEILESUP = 1000;  // characters of a group file line

// The file's lines, each cut at KATZEILESUP, CR LF or LF ended.
std::vector<std::string> KatZeilen(const std::string& t)
{
    std::vector<std::string> z;
    size_t a = 0;
    while (a < t.size()) {
        size_t e = t.find('\n', a);
        if (e == std::string::npos) e = t.size();
        std::string l = t.substr(a, e - a);
        if (!l.empty() && l.back() == '\r') l.pop_back();
        if (l.size() > KATZEILESUP) l.resize(KATZEILESUP);
        z.push_back(l);
        a = e + 1;
    }
    return z;
}

bool KatAbschnitt(const std::string& l, std::string* name)
{
    if (l.size() < 3 || l[0] != ')' || (l[1] != 'S' && l[1] != 's') || l[2] != ' ') return false;
    *name = l.substr(3);
    return true;
}

std::string KatTrim(std::string s)
{
    const size_t a = s.find_first_not_of(" \t");
    if (a == std::string::npos) return "";
    return s.substr(a, s.find_last_not_of(" \t") - a + 1);
}

KatZeile KatNeu(int ebene, int art, const std::string& text)
{
    KatZeile z{};
    z.ebene = ebene;
    z.art = art;
    strkopie(z.text, text.c_str(), KATTEXTSUP);
    return z;
}

}  // namespace

void KatDateiSuchen(const char* bib, char* aus, size_t kap)
{
    if (kap > 0) aus[0] = 0;
    char pfad[BAUPFADSUP + 1];
    if (BauPfad(bib, pfad, sizeof pfad) != 0) return;
    const char* punkt = std::strrchr(pfad, '.');
    const char* schnitt = std::strrchr(pfad, '/');
    const char* endung = punkt && (!schnitt || punkt > schnitt) ? punkt + 1 : "";
    char name[VERSUP + 40];
    std::snprintf(name, sizeof name, "BAUTEILK.%s", endung);
    // The editor's group-file folder, when set, is directory kind 5.
    if (const GRUNDEINST* g = GrundEinst(); g && g->kpfad[0]) VerSetzen(5, g->kpfad);
    char ordner[VERSUP + 1] = {};
    VerHolen(5, ordner);
    if (ordner[0]) {
        const std::string p = std::string(ordner) + name;
        if (dateilaenge(p.c_str()) >= 0) {
            strkopie(aus, kap, p.c_str(), static_cast<int>(p.size()));
            return;
        }
    }
    char neben[BAUPFADSUP + 40];
    BauVerzDatei(pfad, "BAUTEILK", endung, neben, sizeof neben);
    if (dateilaenge(neben) >= 0) strkopie(aus, kap, neben, static_cast<int>(std::strlen(neben)));
}

int KatLaden(KatBaum* b, const char* pfad)
{
    b->datei.clear();
    b->zeilen.clear();
    b->zeilen.push_back(KatNeu(0, 1, TextNr(1331)));
    b->zeilen.push_back(KatNeu(0, 2, TextNr(1332)));
    int r = 0;
    if (pfad && pfad[0]) {
        char* block = nullptr;
        long laenge = 0;
        if (dateiladen(pfad, &block, &laenge) == 0) {
            b->datei.assign(block, static_cast<size_t>(laenge));
            ffree(block);
        } else {
            r = -1;
        }
    }
    bool inGruppe = false;
    std::string name;
    for (const std::string& l : KatZeilen(b->datei)) {
        if (!KatAbschnitt(l, &name)) continue;
        if (strnvgl(name.c_str(), "Gruppe:", 7) == 0) {
            const std::string rest = KatTrim(name.substr(std::min<size_t>(7, name.size())));
            inGruppe = !rest.empty();
            if (inGruppe) b->zeilen.push_back(KatNeu(0, 3, rest));
            continue;
        }
        b->zeilen.push_back(KatNeu(inGruppe ? 1 : 0, 0, name));
    }
    for (KatZeile& z : b->zeilen) z.sichtbar = z.ebene == 0;
    KatSichtbarNeu(b);
    return r;
}

void KatSichtbarNeu(KatBaum* b)
{
    b->sichtbar.clear();
    for (size_t i = 0; i < b->zeilen.size(); ++i)
        if (b->zeilen[i].sichtbar) b->sichtbar.push_back(static_cast<int>(i));
}

void KatOeffnen(KatBaum* b, int zeile, int offen)
{
    if (zeile < 0 || zeile >= static_cast<int>(b->zeilen.size()) || b->zeilen[zeile].art != 3) return;
    b->zeilen[zeile].offen = offen ? 1 : 0;
    const int ebene = b->zeilen[zeile].ebene;
    for (size_t i = static_cast<size_t>(zeile) + 1; i < b->zeilen.size() && b->zeilen[i].ebene > ebene; ++i)
        b->zeilen[i].sichtbar = offen ? 1 : 0;
    KatSichtbarNeu(b);
}

int KatKopfZustand(const KatBaum* b, int zeile)
{
    if (zeile < 0 || zeile >= static_cast<int>(b->zeilen.size()) || b->zeilen[zeile].art != 3) return -1;
    const size_t n = static_cast<size_t>(zeile) + 1;
    if (n >= b->zeilen.size() || b->zeilen[n].ebene <= b->zeilen[zeile].ebene) return 0;
    return b->zeilen[zeile].offen ? 2 : 1;
}

const char* KatKopfBild(int zustand)
{
    switch (zustand) {
    case 0: return ".BMPDIREMPTY";
    case 1: return ".BMPDIRCLOSED";
    case 2: return ".BMPDIROPEN";
    default: return "";
    }
}

int KatLinks(const KatBaum* b, int zeile)
{
    if (KatKopfZustand(b, zeile) == 2) return zeile;
    if (zeile < 0 || zeile >= static_cast<int>(b->zeilen.size()) || b->zeilen[zeile].ebene == 0) return -1;
    for (int i = zeile - 1; i >= 0; --i)
        if (b->zeilen[i].ebene < b->zeilen[zeile].ebene) return b->zeilen[i].art == 3 ? i : -1;
    return -1;
}

int KatRechts(const KatBaum* b, int zeile) { return KatKopfZustand(b, zeile) == 1 ? zeile : -1; }

int KatBuchstabe(const KatBaum* b, int zeile, int c)
{
    const int n = static_cast<int>(b->sichtbar.size());
    if (n == 0) return -1;
    int start = 0;
    for (int i = 0; i < n; ++i)
        if (b->sichtbar[i] == zeile) start = i + 1;
    for (int k = 0; k < n; ++k) {
        const int z = b->sichtbar[(start + k) % n];
        if (zgross(static_cast<unsigned char>(b->zeilen[z].text[0])) == zgross(static_cast<unsigned char>(c))) return z;
    }
    return -1;
}

std::vector<KatEintrag> KatEintraege(const KatBaum* b, int zeile)
{
    std::vector<KatEintrag> v;
    if (zeile < 0 || zeile >= static_cast<int>(b->zeilen.size()) || b->zeilen[zeile].art != 0) return v;
    const std::string gesucht = b->zeilen[zeile].text;
    bool drin = false;
    int vorher = 0;  // rows of the same name before: the n-th section of that name
    for (int i = 2; i < zeile; ++i) vorher += b->zeilen[i].art == 0 && gesucht == b->zeilen[i].text;
    std::string name;
    for (const std::string& l : KatZeilen(b->datei)) {
        if (KatAbschnitt(l, &name)) {
            if (drin) break;
            drin = std::string(name).substr(0, KATTEXTSUP) == gesucht && vorher-- == 0;
            continue;
        }
        if (!drin || static_cast<int>(v.size()) >= KATEINTRAGSUP) continue;
        const std::string t = KatTrim(l);
        const size_t w = t.find_first_of(" \t");
        const std::string wort = t.substr(0, w);
        if (wort.empty() || wort[0] == '?') continue;
        KatEintrag e{};
        strkopie(e.name, wort.c_str(), KATNAMESUP);
        std::string rest = w == std::string::npos ? "" : KatTrim(t.substr(w));
        if (!rest.empty() && rest[0] == '(') {
            const size_t zu = rest.find(')');
            const std::string anz = KatTrim(rest.substr(1, zu == std::string::npos ? std::string::npos : zu - 1));
            strkopie(e.anzeige, anz.c_str(), KATNAMESUP);
            rest = zu == std::string::npos ? "" : KatTrim(rest.substr(zu + 1));
        }
        e.text = rest;
        v.push_back(e);
    }
    return v;
}

std::string KatBeschreibung(const KatBaum* b, const char* name)
{
    for (const std::string& l : KatZeilen(b->datei)) {
        if (!l.empty() && l[0] == ')') continue;
        const std::string t = KatTrim(l);
        const size_t w = t.find_first_of(" \t");
        if (t.substr(0, w) == name) return w == std::string::npos ? "" : KatTrim(t.substr(w));
    }
    return "";
}

int KatZeilenHoehe(int wert)
{
    if (wert == 0) return 20;
    if (wert == 1) return 32;
    return std::clamp(wert, 20, 80);
}

void KatPaletteGitter(int layout, int* spalten, int* zeilen)
{
    static const int sp[12] = {8, 8, 8, 12, 12, 12, 20, 20, 20, 8, 12, 20};
    static const int ze[12] = {3, 4, 5, 3, 4, 5, 3, 4, 5, 6, 6, 6};
    const int i = std::clamp(layout, 1, 12) - 1;
    *spalten = sp[i];
    *zeilen = ze[i];
}

void KatPaletteVorlage(int groesse, int layout, char* aus, size_t kap)
{
    groesse = std::clamp(groesse, 0, 1);
    layout = std::clamp(layout, 1, 12);
    if (groesse == 0 && layout == 1)
        std::snprintf(aus, kap, "DB1205");
    else
        std::snprintf(aus, kap, "DB1205F%1d%02d", groesse, layout);
}

std::string KatBeschreibungText(const KatEintrag& e)
{
    const size_t p = e.text.find(" >");
    return p == std::string::npos ? e.text : e.text.substr(p + 2);
}

std::string KatHinweis(const KatEintrag& e)
{
    std::string t = KatBeschreibungText(e);
    const size_t a = t.find_first_not_of(' ');
    t = a == std::string::npos ? "" : t.substr(a);
    return t.empty() ? std::string(e.name) : std::string(e.name) + " " + t;
}

// The hint is 3 x the factor dialog units wide; past 100 it would outgrow
// any palette.
int KatHinweisBreite(int wert) { return wert <= 0 ? 20 : std::min(wert, 100); }

int KatPaletteBereich(int eintraege, int spalten)
{
    if (spalten <= 0 || eintraege <= 0) return 0;
    return (eintraege + spalten - 1) / spalten - 1;
}
