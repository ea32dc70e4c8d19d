// Spell checking of dialog texts (see rschreib.h).
#include "project/rschreib.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "config/apstil.h"
#include "config/reaktion.h"
#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/nachricht.h"
#include "platform/orte.h"
#include "platform/winconst.h"
#include "project/aspbind.h"
#include "project/rswliste.h"
#include "support/texte.h"
#include "support/vergleich.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/meldung.h"
#include "winlib/wibild.h"

namespace {

constexpr int RS_NICHT_GELESEN = -1;
constexpr int RS_MARK_FARBE[3] = {255, 250, 127};
constexpr int RS_WEISS[3] = {255, 255, 255};
const HWND RS_FREITEXT = static_cast<HWND>(1);  // the free text's dialog marker
constexpr int RS_GROSSTEXT = 4096;               // buffer of a field read through a getter

struct RsFeld {
    HWND dialog;
    int id;
    char name[RSNAMESUP + 1];
    int art;
    int geaendert;
};

// The options.
int rsUse = RS_NICHT_GELESEN;
int rsVari = 0;
int rsSofortWert = 0;
char rsPfad[201] = "";
char rsBibliothek[400] = "";
bool rsGestartet = false;

// The registry and its callbacks.
RsFeld rsFelder[RSFELDSUP];
int rsAnzahl = 0;
RsZelleHolenFn rsZelleHolen = nullptr;
RsZelleSetzenFn rsZelleSetzen = nullptr;
void (*rsDritte)() = nullptr;
RsTextHolenFn rsTextHolen = nullptr;
RsTextSetzenFn rsTextSetzen = nullptr;
RsFertigFn rsFertig = nullptr;

// The one running check.
struct RsPruefung {
    bool laeuft = false;
    HWND dialog = 0;
    int nurGeaendert = 0;
    int einzeln = 0;
    int folge = 0;
    HWND fokus = 0;
    int akt = 0;
    int pos = 0;
    int laenge = 0;
    int markiert = 0;       // highlighted control (0: none)
    HWND markDialog = 0;
};
RsPruefung rs;

// The speller.
int aspPruefen(const char* w) { return AspPruefen(w); }
int aspVorschlag(char* p, size_t n) { return AspVorschlag(p, n); }
int aspLernen(const char* w) { return AspLernen(w); }
int aspErsatz(const char* a, const char* b) { return AspErsatzMerken(a, b); }
const RsSpeller RS_ASPELL = {aspPruefen, aspVorschlag, aspLernen, aspErsatz};
RsSpeller rsSp = RS_ASPELL;

bool rsIstTrenner(char c) { return std::strchr(" ;,.-!?()", c) != nullptr && c != '\0'; }
bool rsIstLeer(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// ---- Field access ----

// The whole text of an entry.
std::string rsFeldText(const RsFeld& f)
{
    if (f.art == 3 || f.art == 4) {
        std::string t(RS_GROSSTEXT, '\0');
        if (f.art == 3 && rsTextHolen) rsTextHolen(t.data(), RS_GROSSTEXT);
        if (f.art == 4 && rsZelleHolen) rsZelleHolen(f.id / 10, f.id % 10, t.data(), RS_GROSSTEXT);
        t.resize(std::strlen(t.c_str()));
        return t;
    }
    HWND ctl = GetDlgItem(f.dialog, f.id);
    if (!ctl) return "";
    int n = GetWindowTextLength(ctl);
    std::string t(static_cast<size_t>(n > 0 ? n : 0) + 1, '\0');
    GetWindowText(ctl, t.data(), n + 1);
    t.resize(std::strlen(t.c_str()));
    return t;
}

void rsFeldSchreiben(const RsFeld& f, const std::string& t)
{
    switch (f.art) {
    case 0: case 1: {
        SetDlgItemText(f.dialog, f.id, t.c_str());
        PostMessage(f.dialog, WM_COMMAND, MAKEWPARAM(f.id, EN_CHANGE), static_cast<LPARAM>(GetDlgItem(f.dialog, f.id)));
        break;
    }
    case 2:
        SetDlgItemText(f.dialog, f.id, t.c_str());
        PostMessage(f.dialog, WM_COMMAND, MAKEWPARAM(f.id, CBN_SELCHANGE),
                    static_cast<LPARAM>(GetDlgItem(f.dialog, f.id)));
        break;
    case 3:
        if (rsTextSetzen) rsTextSetzen(t.c_str());
        break;
    case 4:
        if (rsZelleSetzen) rsZelleSetzen(f.id / 10, f.id % 10, t.c_str());
        break;
    default: break;
    }
}

// The colour commands reach only the program's own controls; a plain edit
// control would take them as its text, so there the word is selected.
void rsMarkieren(int aus)
{
    if (rs.markiert == 0) return;
    HWND ctl = IsWindow(rs.markDialog) ? GetDlgItem(rs.markDialog, rs.markiert) : 0;
    char klasse[40] = "";
    if (ctl) GetClassName(ctl, klasse, sizeof klasse);
    if (ctl && strvgl(klasse, "edit") != 0 && wiDlgBetreten(rs.markDialog)) {
        wiItemMarkFarbe(rs.markiert, aus ? RS_WEISS : RS_MARK_FARBE);
        wiDlgVerlassen();
    } else if (ctl && !aus) {
        SendMessage(ctl, EM_SETSEL, static_cast<WPARAM>(rs.pos), static_cast<LPARAM>(rs.pos + rs.laenge));
    }
    if (aus) rs.markiert = 0;
}

void RsDlgEnde();
void RsZeigen();

// Looks a word up: 1 when it counts as unknown.
int rsUnbekannt(const std::string& wort)
{
    char ersatz[RSERSATZSUP + 1];
    int art = RswNachsehen(wort.c_str(), ersatz);
    if (art == 1) return 0;
    int gut = rsSp.pruefen ? rsSp.pruefen(wort.c_str()) : 1;  // remembered for the suggestions
    return art == 2 || !gut ? 1 : 0;
}

// The next entry from `start` on (step +1 or -1) holding an unknown word;
// its position and length go to the check state. rsAnzahl when none.
int RsFeldSuchen(int start, int schritt)
{
    for (int i = start; i >= 0 && i < rsAnzahl; i += schritt) {
        const RsFeld& f = rsFelder[i];
        if (f.dialog != rs.dialog) continue;
        if (rs.einzeln != 0 && f.id != rs.einzeln) continue;
        if (rs.nurGeaendert && !f.geaendert) continue;
        std::string text = rsFeldText(f);
        int sicht = static_cast<int>(std::min<size_t>(text.size(), RSTEXTSICHT));
        int pos = 0, anfang = 0, laenge = 0;
        while (RsWortAb(text.c_str(), sicht, &pos, &anfang, &laenge)) {
            if (!RsIstWort(text.c_str() + anfang, laenge)) continue;
            if (rsUnbekannt(text.substr(static_cast<size_t>(anfang), static_cast<size_t>(laenge)))) {
                rs.pos = anfang;
                rs.laenge = laenge;
                return i;
            }
        }
    }
    return rsAnzahl;
}

// ---- The dialog "RSchreib" ----

std::string rsWort()
{
    if (rs.akt < 0 || rs.akt >= rsAnzahl) return "";
    std::string t = rsFeldText(rsFelder[rs.akt]);
    if (static_cast<size_t>(rs.pos + rs.laenge) > t.size()) return "";
    return t.substr(static_cast<size_t>(rs.pos), static_cast<size_t>(rs.laenge));
}

void RsZeigen()
{
    rsMarkieren(1);
    const RsFeld& f = rsFelder[rs.akt];
    wiTextSetzen(3000, f.name);
    std::string wort = rsWort();
    wiTextSetzen(3010, wort.c_str());
    wiTextSetzen(3020, wort.c_str());
    char ersatz[RSERSATZSUP + 1];
    if (RswNachsehen(wort.c_str(), ersatz) == 2) wiTextSetzen(3010, ersatz);
    wiListeLeeren(3100);
    if (rsSp.pruefen && rsSp.vorschlag) {
        rsSp.pruefen(wort.c_str());
        char v[RSWWORTSUP + 1];
        while (rsSp.vorschlag(v, sizeof v)) wiListeAnhaengen(3100, v);
    }
    if (f.art == 1) {
        rs.markiert = f.id;
        rs.markDialog = f.dialog;
        rsMarkieren(0);
    }
}

// Another entry forward, then from the start; nothing left closes.
void RsNaechster()
{
    int i = RsFeldSuchen(rs.akt + 1, 1);
    if (i >= rsAnzahl) i = RsFeldSuchen(0, 1);
    if (i >= rsAnzahl) {
        wiDlgSchliessen();
        return;
    }
    rs.akt = i;
    RsZeigen();
}

void RsVorheriger()
{
    int i = RsFeldSuchen(rs.akt - 1, -1);
    if (i >= rsAnzahl) i = RsFeldSuchen(rsAnzahl - 1, -1);
    if (i >= rsAnzahl) {
        wiDlgSchliessen();
        return;
    }
    rs.akt = i;
    RsZeigen();
}

// Replaces the word where the walk found it, within the whole text.
void RsErsetzen()
{
    char neu[RSERSATZSUP + 1];
    wiTextHolen(3010, neu, RSERSATZSUP);
    strtrim(neu);
    const RsFeld& f = rsFelder[rs.akt];
    std::string text = rsFeldText(f);
    std::string alt = rsWort();
    if (alt.empty()) return;
    text.replace(static_cast<size_t>(rs.pos), static_cast<size_t>(rs.laenge), neu);
    rsFeldSchreiben(f, text);
    // The speller learns only what it can hold as a word; a longer text is
    // kept as a replacement pair alone.
    if (rsSp.pruefen && !rsSp.pruefen(neu) && RsIstWort(neu, static_cast<int>(std::strlen(neu))) && rsSp.lernen)
        rsSp.lernen(neu);
    if (rsSp.ersatzMerken) rsSp.ersatzMerken(alt.c_str(), neu);
    RswErsatz(alt.c_str(), neu);
}

void rsLernen()
{
    char w[RSWWORTSUP + 1];
    wiTextHolen(3020, w, RSWWORTSUP);
    if (w[0] && rsSp.lernen) rsSp.lernen(w);
}

void rsErsetzenOderLernen()
{
    char neu[RSERSATZSUP + 1], alt[RSWWORTSUP + 1];
    wiTextHolen(3010, neu, RSERSATZSUP);
    wiTextHolen(3020, alt, RSWWORTSUP);
    if (std::strcmp(neu, alt) != 0)
        RsErsetzen();
    else
        rsLernen();
    RsNaechster();
}

int rsDlgInit(int, const char* const*)
{
    wiDlgModal();
    wiDlgPosLaden("RSchreib");
    HFONT s = OFSchrift(2);
    if (s) wiItemFont(3000, s);
    RsZeigen();
    return 0;
}

int rsDlgExit()
{
    wiDlgPosSichern("RSchreib");
    RsDlgEnde();
    return 0;
}

int rsDlgBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    int id = LOWORD(wp);
    int art = HIWORD(wp);
    switch (id) {
    case 3100:
        if (art == LBN_SELCHANGE || art == LBN_DBLCLK) {
            int n = wiListeWahl(3100);
            char t[RSWWORTSUP + 1] = "";
            if (n >= 0 && wiListeText(3100, n, t) >= 0) wiTextSetzen(3010, t);
            if (art == LBN_DBLCLK && n >= 0) rsErsetzenOderLernen();
        }
        break;
    case 1: case 2500: rsErsetzenOderLernen(); break;
    case 2511: rsLernen(); RsNaechster(); break;
    case 2510: {
        char w[RSWWORTSUP + 1];
        wiTextHolen(3020, w, RSWWORTSUP);
        if (w[0]) RswIgnorieren(w);
        RsNaechster();
        break;
    }
    case 2502: RsNaechster(); break;
    case 2503: RsVorheriger(); break;
    case 2: case 2501: wiDlgSchliessen(); break;
    default: break;
    }
    return 0;
}

// Whatever closed the dialog: marks cleared, focus and follow-up posted.
void RsDlgEnde()
{
    rsMarkieren(1);
    if (rs.folge != 0 || !rs.nurGeaendert)
        for (int i = 0; i < rsAnzahl; ++i)
            if (rsFelder[i].dialog == rs.dialog) rsFelder[i].geaendert = 0;
    if (rs.einzeln != 0) {
        for (int i = 0; i < rsAnzahl; ++i)
            if (rsFelder[i].dialog == rs.dialog && rsFelder[i].id == rs.einzeln) rsFelder[i].geaendert = 0;
        PostMessage(rs.dialog, WM_COMMAND, 2991, 0);
    }
    if (rs.folge != 0 && rs.dialog != RS_FREITEXT) PostMessage(rs.dialog, WM_COMMAND, static_cast<WPARAM>(rs.folge), 0);
    RsFertigFn fertig = rs.dialog == RS_FREITEXT ? rsFertig : nullptr;
    HWND fokus = rs.fokus;
    rs = RsPruefung{};
    rs.fokus = fokus;
    if (fertig) fertig();
}

int rsOeffnen()
{
    rs.laeuft = true;
    if (!wiDlgOeffnen("RSCHREIB", rsDlgInit, rsDlgExit, rsDlgBefehl)) {
        rs = RsPruefung{};
        return 0;
    }
    return 1;
}

void rsAnmelden(HWND dialog, int id, const char* name, int art)
{
    if (!rsGestartet || rsAnzahl >= RSFELDSUP) return;
    RsFeld& f = rsFelder[rsAnzahl++];
    f.dialog = dialog;
    f.id = id;
    strkopie(f.name, name ? name : "", RSNAMESUP);
    f.art = art;
    f.geaendert = 0;
}

}  // namespace

// ---- Word walk ----

int RsWortAb(const char* text, int laenge, int* pos, int* anfang, int* wortLaenge)
{
    int p = *pos;
    if (p >= laenge) return 0;
    int e = p;
    while (e < laenge && !rsIstTrenner(text[e])) ++e;
    int a = p, z = e;
    while (a < z && rsIstLeer(text[a])) ++a;
    while (z > a && rsIstLeer(text[z - 1])) --z;
    *anfang = a;
    *wortLaenge = z - a;
    *pos = e < laenge ? e + 1 : e;
    return 1;
}

int RsIstWort(const char* wort, int laenge)
{
    if (laenge <= 0 || laenge > RSWORTLAENGE) return 0;
    for (int i = 0; i < laenge; ++i) {
        auto c = static_cast<unsigned char>(wort[i]);
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c >= 192)) return 0;
    }
    return 1;
}

// ---- Options and start ----

void RsOptionenLesen()
{
    char inst[201] = "";
    int offen = VgbOeffnen() == 0;
    rsUse = VgbInt("SpllUse");
    rsVari = VgbInt("SpllVari");
    rsSofortWert = VgbInt("SpllSofort");
    VgbText("SpllPfad", rsPfad, 100);
    VgbText("SpllInst", inst, 100);
    if (offen) VgbSchliessen();
    strtrim(rsPfad);
    strtrim(inst);
    if (!rsPfad[0]) strkopie(rsPfad, plOrtAnwendung().c_str(), sizeof rsPfad - 1);
    PfadPlatzhalter(rsPfad);
    PfadPlatzhalter(inst);
    if (!rsUse) return;
    char standard[201];
    AspStandardPfad(standard);
    if (inst[0]) {
        std::string b = inst;
        if (b.back() != '/' && b.back() != '\\') b += '/';
        b += standard;
        strkopie(rsBibliothek, b.c_str(), sizeof rsBibliothek - 1);
    } else {
        rsBibliothek[0] = '\0';
    }
    // Loaded and closed again only to see that it is there.
    void* h = dlopen(rsBibliothek[0] ? rsBibliothek : standard, RTLD_LAZY | RTLD_LOCAL);
    if (!h) {
        wiMeldung("ASpell scheint nicht installiert zu sein.\n(%s nicht gefunden)",
                  rsBibliothek[0] ? rsBibliothek : standard);
        rsUse = 0;
        return;
    }
    dlclose(h);
}

int RsStarten()
{
    if (rsUse == RS_NICHT_GELESEN) RsOptionenLesen();
    if (!rsUse) return 0;
    if (rsGestartet) return 1;
    AspSprache(rsVari == 1 ? "de_CH" : "de_DE");
    std::string ordner = rsPfad;
    for (char& c : ordner)
        if (c == '\\') c = '/';
    while (ordner.size() > 1 && ordner.back() == '/') ordner.pop_back();
    std::error_code fehler;
    if (!ordner.empty() && !std::filesystem::is_directory(ordner, fehler)) {
        char frage[600];
        std::snprintf(frage, sizeof frage, TextNr(460), ordner.c_str());
        if (wiFrage(frage) == 1) std::filesystem::create_directories(ordner, fehler);
    }
    std::string persoenlich = ordner + "/personal.spell";
    std::string ersatz = ordner + "/replace.spell";
    AspPersoenlich(persoenlich.c_str());
    RswPfad(ordner.c_str());
    AspErsatzDatei(ersatz.c_str());
    int r = AspStart(rsBibliothek);
    if (r < 0) {
        char standard[201];
        AspStandardPfad(standard);
        wiMeldung("ASpell Start ERROR: %d (%s)", r, rsBibliothek[0] ? rsBibliothek : standard);
        return 0;
    }
    RswOeffnen();
    rsSp = RS_ASPELL;
    rsGestartet = true;
    return 1;
}

int RsSofort() { return rsGestartet && rsUse > 0 && rsSofortWert == 1 ? 1 : 0; }
int RsBeimVerlassen() { return rsGestartet && rsUse > 0 && rsSofortWert == 2 ? 1 : 0; }
int RsPruefenAktiv() { return rsGestartet && rsUse > 0 && (rsSofortWert == 1 || rsSofortWert == 2) ? 1 : 0; }

void RsVorAnwenden(int folge, void (*anwenden)())
{
    if (RsSofort()) RsPruefen(0, folge);
    else anwenden();
}

void RsBeenden()
{
    if (!rsGestartet) return;
    RswSchliessen();
    AspSpeichern();
    AspEnde();
    rsGestartet = false;
}

void SpellEinstLesen() { RsOptionenLesen(); }
void SpellEnde() { RsBeenden(); }

// ---- Registry ----

void RsFeldAnmelden(int id, const char* name, int art) { rsAnmelden(wiDlgFenster(), id, name, art); }

void RsRasterAnmelden(int zeilen, int spalten, RsZelleHolenFn holen, RsZelleSetzenFn setzen, void (*dritte)())
{
    if (!rsGestartet) return;
    rsZelleHolen = holen;
    rsZelleSetzen = setzen;
    rsDritte = dritte;
    HWND dlg = wiDlgFenster();
    for (int z = 0; z < zeilen; ++z)
        for (int s = 0; s < spalten; ++s) rsAnmelden(dlg, z * 10 + s, "Text:", 4);
}

void RsTextAnmelden(RsTextHolenFn holen, RsTextSetzenFn setzen, RsFertigFn fertig)
{
    if (!rsGestartet) return;
    rsTextHolen = holen;
    rsTextSetzen = setzen;
    rsFertig = fertig;
    rsAnmelden(RS_FREITEXT, 0, "Text:", 3);
}

void RsTextAbmelden()
{
    int n = 0;
    for (int i = 0; i < rsAnzahl; ++i)
        if (rsFelder[i].dialog != RS_FREITEXT) rsFelder[n++] = rsFelder[i];
    rsAnzahl = n;
    rsTextHolen = nullptr;
    rsTextSetzen = nullptr;
    rsFertig = nullptr;
}

void RsFelderAbmelden()
{
    HWND dlg = wiDlgFenster();
    int n = 0;
    for (int i = 0; i < rsAnzahl; ++i)
        if (rsFelder[i].dialog != dlg) rsFelder[n++] = rsFelder[i];
    rsAnzahl = n;
}

void RsFeldGeaendert(int id)
{
    HWND dlg = wiDlgFenster();
    for (int i = 0; i < rsAnzahl; ++i)
        if (rsFelder[i].dialog == dlg && rsFelder[i].id == id) rsFelder[i].geaendert = 1;
}

int RsNachricht(UINT nachricht, WPARAM wp, LPARAM)
{
    if (!rsGestartet || nachricht != WM_COMMAND) return 0;
    HWND dlg = wiDlgFenster();
    int id = LOWORD(wp);
    for (int i = 0; i < rsAnzahl; ++i) {
        RsFeld& f = rsFelder[i];
        if (f.dialog != dlg || f.id != id || f.art > 2) continue;
        if ((f.art <= 1 && wiEditGetippt(id, wp)) || (f.art == 2 && wiComboGeaendert(id, wp))) f.geaendert = 1;
        bool weg = f.art <= 1 ? HIWORD(wp) == EN_KILLFOCUS : HIWORD(wp) == CBN_KILLFOCUS;
        if (rsSofortWert == 2 && f.geaendert && weg && !rs.laeuft) {
            rs = RsPruefung{};
            rs.dialog = dlg;
            rs.nurGeaendert = 1;
            rs.einzeln = id;
            rs.fokus = GetFocus();
            int k = RsFeldSuchen(i, 1);
            if (k < rsAnzahl) {
                rs.akt = k;
                return rsOeffnen();
            }
            rs = RsPruefung{};
            rs.fokus = GetFocus();
        }
    }
    if (id == 2990) RsPruefen(1, 0);
    if (id == 2991 && rs.fokus && IsWindow(rs.fokus)) SetFocus(rs.fokus);
    return 0;
}

// ---- Checks ----

int RsPruefen(int alle, int folge)
{
    HWND dlg = wiDlgFenster();
    if (!rsGestartet || rs.laeuft) {
        if (folge != 0) PostMessage(dlg, WM_COMMAND, static_cast<WPARAM>(folge), 0);
        return 0;
    }
    rs = RsPruefung{};
    rs.dialog = dlg;
    rs.nurGeaendert = alle ? 0 : 1;
    rs.folge = folge;
    int i = RsFeldSuchen(0, 1);
    if (i < rsAnzahl) {
        rs.akt = i;
        if (rsOeffnen()) return 1;
    }
    rs = RsPruefung{};
    if (alle)
        wiInfo("Keine unbekannten W\xF6rter");
    else if (folge != 0)
        PostMessage(dlg, WM_COMMAND, static_cast<WPARAM>(folge), 0);
    return 0;
}

int RsUnbekannteDa(int alle)
{
    if (!rsGestartet) return 0;
    RsPruefung alt = rs;
    rs = RsPruefung{};
    rs.dialog = wiDlgFenster();
    rs.nurGeaendert = alle ? 0 : 1;
    int da = RsFeldSuchen(0, 1) < rsAnzahl ? 1 : 0;
    rs = alt;
    return da;
}

int RsTextPruefen()
{
    if (rsGestartet && !rs.laeuft) {
        rs = RsPruefung{};
        rs.dialog = RS_FREITEXT;
        int i = RsFeldSuchen(0, 1);
        if (i < rsAnzahl) {
            rs.akt = i;
            if (rsOeffnen()) return 1;
        }
        rs = RsPruefung{};
    }
    if (rsFertig) rsFertig();
    return 0;
}

// ---- Tests ----

void RsSpellerSetzen(const RsSpeller* speller) { rsSp = speller ? *speller : RS_ASPELL; }

void RsTestStart(int sofort)
{
    rsUse = 1;
    rsSofortWert = sofort;
    rsGestartet = true;
}

void RsTestZuruecksetzen()
{
    rsUse = RS_NICHT_GELESEN;
    rsVari = rsSofortWert = 0;
    rsPfad[0] = rsBibliothek[0] = '\0';
    rsGestartet = false;
    rsAnzahl = 0;
    rs = RsPruefung{};
    rsZelleHolen = nullptr;
    rsZelleSetzen = nullptr;
    rsDritte = nullptr;
    rsTextHolen = nullptr;
    rsTextSetzen = nullptr;
    rsFertig = nullptr;
    rsSp = RS_ASPELL;
}

int RsFeldAnzahl() { return rsAnzahl; }
