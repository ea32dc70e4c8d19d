// Text variables, references and the current-drawing context; see
// textvar.h. Owns the context of the current drawing (path, name, key,
// header texts, neighbours, title records), the replacement switch, the
// "@Y" context flags and the nesting counter of "@Y" resolution.
#include "model/textvar.h"

#include <sys/stat.h>
#include <time.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <unordered_map>

#include "config/datwache.h"
#include "config/reaktion.h"
#include "config/verzeich.h"
#include "model/befehl.h"
#include "model/modellint.h"
#include "model/zeichnun.h"
#include "platform/dateisys.h"
#include "support/datum.h"
#include "support/dosdatei.h"
#include "support/texte.h"

using namespace modh;  // the model's calls through its service tables

namespace {

struct ZeiAkt {
    std::string pfad, name, ext, stamm, seite;
    char titel[5][ZEIAKTTITELSUP + 1];
    char kenn[ZEIKENNSUP];  // text 10 at 0, text 11 at 41
    char kurz[ZEIKURZSUP + 1];
    std::string nachbar[4];  // first, previous, next, last (file names)
    int anzahl;
    bool nachbarDa;          // nachbar and anzahl found (at their first use)
    ModProjektText pro[4];   // project, further 1, further 2, own
};

ZeiAkt tvAkt{};
int tvGesperrt = 0;
int tvTiefe = 0;
int tvKontextKennung = 0;
int tvKontextPosition = 0;

// The text cut into a buffer of capacity kap.
void tvKopie(char* aus, size_t kap, const std::string& s)
{
    if (!aus || kap == 0) return;
    size_t n = s.size() < kap - 1 ? s.size() : kap - 1;
    std::memcpy(aus, s.data(), n);
    aus[n] = '\0';
}

std::string tvFeld(const char* f, size_t n) { return std::string(f, strnlen(f, n)); }

const ModBmEinst* tvEinst() { return BmEinst(); }

// "%d" or "%0Nd" for N = 2..5.
std::string tvZiffern(int wert, int stellen)
{
    char p[40];
    if (stellen >= 2 && stellen <= 5)
        std::snprintf(p, sizeof p, "%0*d", stellen, wert);
    else
        std::snprintf(p, sizeof p, "%d", wert);
    return p;
}

// The text after the last '.' (the whole text when there is none).
std::string tvNachPunkt(const std::string& s)
{
    size_t p = s.rfind('.');
    return p == std::string::npos ? s : s.substr(p + 1);
}

std::string tvOhneOrdner(const std::string& s)
{
    size_t p = s.find_last_of("/\\");
    return p == std::string::npos ? s : s.substr(p + 1);
}

std::string tvSeiteText(const std::string& name)
{
    char p[TEXTVARWERTSUP + 1];
    ZeiSeiteText(p, sizeof p, name.c_str());
    return p;
}

// The page without leading zeros ("0" when nothing remains).
std::string tvOhneNullen(const std::string& s)
{
    size_t i = 0;
    while (i < s.size() && s[i] == '0') ++i;
    std::string r = s.substr(i);
    return r.empty() ? "0" : r;
}

std::string tvDatum(const DATUM& d, int form)
{
    char p[40];
    int jahr = 1900 + d.jahr;
    switch (form) {
    case 0: std::snprintf(p, sizeof p, "%02d.%02d.%02d", d.tag, d.monat, jahr % 100); break;
    case 1: std::snprintf(p, sizeof p, "%02d.%02d.%04d", d.tag, d.monat, jahr); break;
    case 2: std::snprintf(p, sizeof p, "%04d-%02d-%02d", jahr, d.monat, d.tag); break;
    default: std::snprintf(p, sizeof p, "%04d.%02d.%02d", jahr, d.monat, d.tag); break;
    }
    return p;
}

int tvDatumForm(char c) { return c == '-' ? 2 : c == '.' ? 3 : 1; }

// One or two digits after position i; the count of digits read.
int tvZahl(const char* t, int* wert)
{
    int n = 0;
    *wert = 0;
    while (n < 2 && t[n] >= '0' && t[n] <= '9') {
        *wert = *wert * 10 + (t[n] - '0');
        ++n;
    }
    return n;
}

// ASCII only: the process locale must not change what a reference is.
int tvHex(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool tvBuchstabe(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

int tvKlemmen(int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; }

// The neighbours of the current drawing, looked up at their first use: only
// the page variables need them, and finding them costs a search of the
// folder's drawings for every drawing a walk visits.
void tvNachbarHolen()
{
    ZeiAkt& a = tvAkt;
    if (a.nachbarDa) return;
    a.nachbarDa = true;
    if (a.name.empty()) return;
    for (int w = 0; w < 4; ++w) {
        char n[ZEIPFADSUP + 1];
        ZeiNachbar(a.pfad.c_str(), w, n, sizeof n);
        a.nachbar[w] = tvOhneOrdner(n);
    }
    a.anzahl = ZeiNachbarAnzahl(nullptr);
}

// The value of the variable at t (t[0] == '@', t[1] not '@', ' ', '.' or
// NUL) and its length. One case per variable letter, in the order of the
// variable table, so the function is long but flat.
std::string tvVariable(const char* t, double x, double y, int* laenge)
{
    (void)y;
    const ZeiAkt& a = tvAkt;
    char c1 = t[1], c2 = c1 ? t[2] : '\0', c3 = c2 ? t[3] : '\0';
    *laenge = 2;
    switch (c1) {
    case 'Y': {
        if (IstYRefArtikel(t)) {
            *laenge = 7;  // "@Y", the id and 'L': what follows is text again
            return "";
        }
        *laenge = YRefLaenge(t);
        char ref[BEFTEXTSUP + 1];
        strkopie(ref, t, *laenge);
        if (tvTiefe <= TEXTVARTIEFESUP) YRefAufloesen(ref, sizeof ref);
        return ref;
    }
    case 'B':
        if (c2 >= 'A' && c2 <= 'E') *laenge = 3;
        return "";
    case 'Z': {
        if (c2 == 'K') {
            bool zwei = c3 == '2';
            *laenge = (c3 == '1' || c3 == '2') ? 4 : 3;
            std::string k = tvFeld(a.kenn + (zwei ? 41 : 0), 41);
            if (k.empty()) k = tvFeld(zwei ? a.pro[3].k2 : a.pro[3].k1, MODTEXTSUP + 1);
            return k;
        }
        *laenge = 3;
        switch (c2) {
        case 'P': {
            char n[ZEIPFADSUP + 1];
            tvKopie(n, sizeof n, a.name);
            ZeiExtLoeschen(n);
            return n;
        }
        case 'S': return a.seite;
        case 'F': return a.stamm;
        case 'V':
        case 'O': {
            std::string v = VerAktuell();
            while (!v.empty() && (v.back() == '/' || v.back() == '\\')) v.pop_back();
            return c2 == 'V' ? v : tvOhneOrdner(v);
        }
        default: *laenge = 2; return a.name;
        }
    }
    case 'N': return a.seite;
    case 'S':
        if (c2 == 'Z') {
            *laenge = 3;
            return tvSeiteText(a.ext);
        }
        return tvOhneNullen(a.seite);
    case 'P': {
        char p[TEXTVARWERTSUP + 1];
        ZeiSpalteText(p, sizeof p, a.ext.c_str(), x);
        return p;
    }
    case 'F': {
        if (c2 == 'P' || c2 == 'S') {
            *laenge = 3;
            return "";
        }
        tvNachbarHolen();
        std::string n = a.nachbar[2].empty() ? a.name : a.nachbar[2];
        if (c2 == 'Z') {
            *laenge = 3;
            return tvSeiteText(n);
        }
        return tvNachPunkt(n);
    }
    case 'V': {
        int slot = 1;
        if (c2 == 'P' || c2 == 'S') {
            *laenge = 3;
            return "";
        }
        tvNachbarHolen();
        if (c2 == 'A') {
            *laenge = 3;
            return std::to_string(a.anzahl);
        }
        bool z = false;
        if (c2 == 'E' || c2 == 'L') {
            slot = c2 == 'E' ? 0 : 3;
            *laenge = 3;
            z = c3 == 'Z';
        } else {
            z = c2 == 'Z';
        }
        if (z) ++*laenge;
        std::string n = a.nachbar[slot].empty() ? a.name : a.nachbar[slot];
        return z ? tvSeiteText(n) : tvNachPunkt(n);
    }
    case 'D':
    case 'A': {
        if (c1 == 'A' && (c2 == '-' || c2 == '.')) *laenge = 3;
        DATZEIT z{};
        if (a.pfad.empty() || dateizeit(a.pfad.c_str(), &z) != 0) return "";
        return tvDatum(z.datum, c1 == 'D' ? 0 : tvDatumForm(c2));
    }
    case 'H': {
        if (c2 == '-' || c2 == '.') *laenge = 3;
        DATUM d{};
        datheute(&d);
        return tvDatum(d, tvDatumForm(c2));
    }
    case 'T': {
        if (c2 >= '0' && c2 <= '4') {
            *laenge = 3;
            return a.titel[c2 - '0'];
        }
        if (c2 == 'P' || c2 == 'U') {
            const ModProjektText& r = c2 == 'P' ? a.pro[0] : a.pro[3];
            if (c3 == 'T' || c3 == 'A' || c3 == 'O') {
                *laenge = 4;
                return c3 == 'T' ? r.titel : c3 == 'A' ? r.autor : r.ort;
            }
            if (c2 == 'U' && c3 == 'K') {
                *laenge = 4;
                if (t[4] == '1' || t[4] == '2') *laenge = 5;
                return t[4] == '2' ? r.k2 : r.k1;
            }
            int n = 0;
            int ziffern = tvZahl(t + 3, &n);
            if (ziffern > 0) {
                *laenge = 3 + ziffern;
                if (c2 == 'U') return r.text[tvKlemmen(n, 1, 20) - 1];
                n = tvKlemmen(n, 1, 60);
                const ModProjektText& q = a.pro[(n - 1) / 20];
                return q.text[(n - 1) % 20];
            }
        }
        return a.titel[0];
    }
    case 'C': {
        size_t n = strnlen(t, 7);
        *laenge = static_cast<int>(n);
        char v[8];
        strkopie(v, t, 7);
        char aus[TEXTVARWERTSUP + 1];
        BMCodeWert(v, aus, sizeof aus);
        return aus;
    }
    case 'I': return a.kurz;
    default: return "";
    }
}

// Headers of drawings read for the context, by full path. A walk in output
// order sets the context of the same drawings again and again. Drawings are
// written as new files renamed into place, so the file's identity, size
// and times show a rewrite; a header is kept only once its file is older
// than TVKOPFALTER, so that a rewrite within the file system's time step
// (two seconds on some shares) cannot leave the times unchanged.
struct TvKopfMerk {
    PlDateiStand stand;
    ZeiKopf kopf;
};

std::unordered_map<std::string, TvKopfMerk> tvKoepfe;
constexpr size_t TVKOEPFESUP = 4096;  // headers kept; then the store starts over
constexpr time_t TVKOPFALTER = 2;     // seconds

int tvKopfLesen(const char* pfad, ZeiKopf* k)
{
    char voll[ZEIPFADSUP + 1];
    PfadBilden(1, pfad, nullptr, voll, sizeof voll);  // as the drawing is opened
    struct stat st;
    if (plDsStat(voll, &st) != 0) {
        tvKoepfe.erase(voll);
        return ZeiKopfLesen(pfad, k);
    }
    auto it = tvKoepfe.find(voll);
    if (it != tvKoepfe.end()) {
        const TvKopfMerk& m = it->second;
        if (m.stand == plDateiStand(st)) {
            *k = m.kopf;
            return 0;
        }
        tvKoepfe.erase(it);
    }
    // Read after the stat: what is kept is never older than its key.
    const int r = ZeiKopfLesen(pfad, k);
    timespec jetzt{};
    clock_gettime(CLOCK_REALTIME, &jetzt);
    if (r != 0 || st.st_mtim.tv_sec + TVKOPFALTER >= jetzt.tv_sec) return r;
    if (tvKoepfe.size() >= TVKOEPFESUP) tvKoepfe.clear();
    tvKoepfe.emplace(voll, TvKopfMerk{plDateiStand(st), *k});
    return r;
}

bool tvGesperrterAnfang(const char* t)
{
    static const char* const marken[] = {"@Q", "@L", "@B", "@U", "@VP", "@VS", "@FP", "@FS"};
    if (static_cast<unsigned char>(t[0]) == 1) return true;
    for (const char* m : marken)
        if (std::strncmp(t, m, std::strlen(m)) == 0) return true;
    return false;
}

}  // namespace

// ---- current drawing -------------------------------------------------------

void ZeiAktSetzen(const char* pfad)
{
    if (!pfad) pfad = "";
    if (!tvAkt.pfad.empty() && tvAkt.pfad == pfad) return;
    ZeiAkt& a = tvAkt;
    a.pfad = pfad;
    a.name = tvOhneOrdner(a.pfad);
    char ext[ZEIPFADSUP + 1], stamm[ZEIPFADSUP + 1], seite[ZEIPFADSUP + 1];
    ZeiExtHolen(a.name.c_str(), ext, sizeof ext);
    ZeiNameTeilen(ext, stamm, sizeof stamm, seite, sizeof seite);
    a.ext = ext;
    a.stamm = stamm;
    a.seite = seite;
    std::memset(a.titel, 0, sizeof a.titel);
    std::memset(a.kenn, 0, sizeof a.kenn);
    std::memset(a.kurz, 0, sizeof a.kurz);
    for (auto& n : a.nachbar) n.clear();
    a.anzahl = 0;
    a.nachbarDa = false;
    if (a.name.empty()) return;
    ZeiKopf k{};
    if (tvKopfLesen(a.pfad.c_str(), &k) == 0) {
        for (int i = 0; i < 5; ++i) strkopie(a.titel[i], k.titel[i], ZEIAKTTITELSUP);
        strkopie(a.kenn, 41, k.text10, 40);
        strkopie(a.kenn + 41, 41, k.text11, 40);
        strkopie(a.kurz, k.kurz, ZEIKURZSUP);
    }
    if (SprNummer() != 0) {
        for (int i = 0; i < 5; ++i) {
            char t[ZEIAKTTITELSUP + 1];
            FstxTitelText(a.name.c_str(), i, t, sizeof t);
            if (t[0]) strkopie(a.titel[i], t, ZEIAKTTITELSUP);
        }
    }
    ZeiProTexteHolen();
}

void ZeiAktVergessen() { tvAkt.pfad.clear(); }

void ZeiAktNeuLesen()
{
    std::string p = tvAkt.pfad;
    ZeiAktVergessen();
    ZeiAktSetzen(p.c_str());
}

const char* ZeiAktPfad() { return tvAkt.pfad.c_str(); }
const char* ZeiAktName() { return tvAkt.name.c_str(); }
const char* ZeiAktExt() { return tvAkt.ext.c_str(); }
const char* ZeiAktStamm() { return tvAkt.stamm.c_str(); }
const char* ZeiAktSeite() { return tvAkt.seite.c_str(); }
void ZeiInfoSetzen(const char* kurz) { strkopie(tvAkt.kurz, kurz ? kurz : "", ZEIKURZSUP); }

void ZeiTitelSetzen(int n, const char* text)
{
    if (n >= 0 && n < 5) strkopie(tvAkt.titel[n], text ? text : "", ZEIAKTTITELSUP);
}

const char* ZeiTitel(int n) { return n >= 0 && n < 5 ? tvAkt.titel[n] : ""; }
void ZeiKennSetzen(const char block[ZEIKENNSUP]) { std::memcpy(tvAkt.kenn, block, ZEIKENNSUP); }
void ZeiKennHolen(char block[ZEIKENNSUP]) { std::memcpy(block, tvAkt.kenn, ZEIKENNSUP); }

void ZeiProTexteHolen()
{
    UtitelProjektText(&tvAkt.pro[0]);
    UtitelProjektWeiterer(1, &tvAkt.pro[1]);
    UtitelProjektWeiterer(2, &tvAkt.pro[2]);
    UtitelZeichnungText(tvAkt.name.c_str(), &tvAkt.pro[3]);
}

// ---- text variables --------------------------------------------------------

void TextVarSperren(int sperre) { tvGesperrt = sperre; }

void TextVarErsetzen(char* text, size_t kap, double x, double y)
{
    if (!text || kap == 0 || tvGesperrt || tvGesperrterAnfang(text)) return;
    ++tvTiefe;
    std::string aus;
    const char* t = text;
    while (*t) {
        if (*t != '@') {
            aus += *t++;
            continue;
        }
        char c = t[1];
        if (c == '\0') {
            aus += '@';
            break;
        }
        if (c == ' ') {
            aus += '@';
            ++t;
            continue;
        }
        if (c == '@') {
            aus += '@';
            t += 2;
            continue;
        }
        if (c == '.') {
            aus += "@.";
            t += 2;
            continue;
        }
        int laenge = 2;
        std::string wert = tvVariable(t, x, y, &laenge);
        if (wert.size() > static_cast<size_t>(TEXTVARWERTSUP)) wert.resize(TEXTVARWERTSUP);
        aus += wert;
        t += strnlen(t, static_cast<size_t>(laenge));
    }
    --tvTiefe;
    tvKopie(text, kap, aus);
}

// ---- pages, current paths, positions ---------------------------------------

void ZeiSeiteText(char* aus, size_t kap, const char* name)
{
    std::string s = tvNachPunkt(name ? name : "");
    size_t i = 0;
    long wert = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
        if (wert < 100000000) wert = wert * 10 + (s[i] - '0');
        ++i;
    }
    std::string r = i > 0 ? tvZiffern(static_cast<int>(wert), tvEinst()->bmseite) : "";
    tvKopie(aus, kap, r + s.substr(i));
}

namespace {
int tvSpalte(const char* name, double x, bool fort)
{
    const ModBmEinst* e = tvEinst();
    int p = e->spabst == 0.0 ? 0 : static_cast<int>((x - e->spnull) / e->spabst + 0.5);
    if (fort) p += modAtoi(tvNachPunkt(name ? name : "").c_str()) * e->spblatt;
    return p;
}
}  // namespace

int ZeiSpalteNr(const char* name, double x) { return tvSpalte(name, x, tvEinst()->spfort != 0); }
int ZeiSpalteFortl(const char* name, double x) { return tvSpalte(name, x, true); }

void ZeiSpalteText(char* aus, size_t kap, const char* name, double x)
{
    tvKopie(aus, kap, tvZiffern(ZeiSpalteNr(name, x), tvEinst()->bmpfad));
}

void QvwPosText(char* aus, size_t kap, const char* name, double x, double y)
{
    (void)y;
    const ModBmEinst* e = tvEinst();
    int pfad = ZeiSpalteNr(name, x);
    char p[40];
    if (e->spfort) {
        std::snprintf(p, sizeof p, "%d", pfad);
        tvKopie(aus, kap, p);
        return;
    }
    std::string seite = tvSeiteText(name ? name : "");
    bool ziffern = !seite.empty() && nurziffern(seite.c_str());
    if (!e->bmksnull && ziffern) {
        std::snprintf(p, sizeof p, "%d-%d", modAtoi(seite.c_str()), pfad);
        tvKopie(aus, kap, p);
        return;
    }
    std::snprintf(p, sizeof p, "-%d", pfad);
    tvKopie(aus, kap, seite + p);
}

void QvwVerweisText(char* aus, size_t kap, const char* name, double x, double y)
{
    QvwPosText(aus, kap, name, x, y);
    ZeiStammWennFremd(aus, kap, name);
}

int QvwGleicheSeite(const char* a, const char* b)
{
    const ModBmEinst* e = tvEinst();
    if (e->spfort) {
        int na = modAtoi(a), nb = modAtoi(b);
        return e->spblatt == 0 ? na == nb : na / e->spblatt == nb / e->spblatt;
    }
    // The numbers before the first '-' ("007-3" and "7-3" lie on one page);
    // 0 when that part holds no number.
    auto seite = [](const char* t) {
        const char* s = std::strchr(t, '-');
        return modAtoi(std::string(t, s ? s : t + std::strlen(t)).c_str());
    };
    return seite(a) == seite(b) ? 1 : 0;
}

void ZeiStammVorsetzen(char* text, size_t kap, const char* name)
{
    char stamm[ZEIPFADSUP + 1];
    ZeiStamm(stamm, sizeof stamm, name ? name : "");
    if (stamm[0]) HulTrennzeichen(text, kap, stamm);
}

void ZeiStammWennFremd(char* text, size_t kap, const char* name)
{
    char stamm[ZEIPFADSUP + 1];
    ZeiStamm(stamm, sizeof stamm, name ? name : "");
    if (stamm[0] && !ZeiNameGleich(stamm, tvAkt.stamm.c_str())) HulTrennzeichen(text, kap, stamm);
}

// ---- "@Y" references -------------------------------------------------------

int YRefZeichen(int c)
{
    unsigned char z = static_cast<unsigned char>(c);
    return (z >= '0' && z <= '9') || (z >= 'A' && z <= 'Z') || (z >= 'a' && z <= 'z') || z == '<' ||
           z == '>' || z == '^' || z == '+';
}

int IstYRef(const char* t) { return t && t[0] == '@' && t[1] == 'Y'; }
int HatYRef(const char* t) { return t && std::strstr(t, "@Y") != nullptr; }

int IstYRefArtikel(const char* t)
{
    return IstYRef(t) && strnlen(t, 7) >= 7 && t[6] == 'L' && !(t[7] >= '0' && t[7] <= '9');
}

int YRefIstKennung(const char* t)
{
    return IstYRef(t) && strnlen(t, 8) == 7 && (t[6] == 'K' || t[6] == 'B');
}

int YRefLaenge(const char* t)
{
    if (!IstYRef(t)) return 0;
    int n = 2;
    while (t[n] && YRefZeichen(t[n])) ++n;
    return n;
}

int YRefZerlegen(const char* t, YREF* r)
{
    *r = YREF{};
    if (!IstYRef(t)) return -1;
    int ende = YRefLaenge(t);
    std::string s(t + 2, static_cast<size_t>(ende - 2));
    if (s.size() < 5) return -1;
    for (int i = 0; i < 4; ++i)
        if (tvHex(s[i]) < 0) return -1;
    r->id = 0;
    for (int i = 0; i < 4; ++i) r->id = r->id * 16 + static_cast<uint32_t>(tvHex(s[i]));
    size_t i = 4;
    size_t fl = (s.size() > i + 1 && (s[i + 1] == '<' || s[i + 1] == '>' || s[i + 1] == '^')) ? 3 : 1;
    fl = fl > s.size() - i ? s.size() - i : fl;
    std::memcpy(r->feld, s.data() + i, fl);
    i += fl;
    auto zahl = [&](int* z) {
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
            if (*z < 100000) *z = *z * 10 + (s[i] - '0');
            ++i;
        }
    };
    zahl(&r->zeile);
    size_t a = 0;
    while (i < s.size() && tvBuchstabe(s[i])) {
        if (a < sizeof r->art - 1) r->art[a++] = s[i];
        ++i;
    }
    zahl(&r->nr);
    r->plus = i < s.size() && s[i] == '+';
    return 0;
}

void YRefKontextSetzen(int kennung, int position)
{
    tvKontextKennung = kennung;
    tvKontextPosition = position;
}

namespace {

// A component text line; an "@L" line becomes the article field.
std::string tvTextZeile(uint32_t id, const char* art, int nr, int zeile)
{
    char z[TEXTVARWERTSUP + 1];
    GtxTextHolen(z, sizeof z, id, art, nr, zeile);
    if (z[0] == '@' && z[1] == 'L') LRefAufloesen(id, z, sizeof z);
    return z;
}

}  // namespace

void YRefAufloesen(char* text, size_t kap)
{
    if (!tvEinst()->bmuse) return;
    YREF r;
    if (YRefZerlegen(text, &r) != 0) return;
    char art[sizeof r.art + 1];
    if (!r.art[0])
        strkopie(art, "H", 1);
    else if (BtlIstUnter(r.art) && r.art[0] != 'U')
        std::snprintf(art, sizeof art, "U%s", r.art);
    else
        strkopie(art, r.art, static_cast<int>(sizeof art) - 1);
    char w[TEXTVARWERTSUP + 1] = "";
    ModBauteil b{};
    switch (r.feld[0]) {
    case 'B':
    case 'K':
        BMKennungHolen(w, sizeof w, r.id);
        if (tvKontextKennung && BtlSuchen(r.id, art, r.nr, &b) && b.platziert) ZeiStammVorsetzen(w, sizeof w, b.ze);
        break;
    case 'F':
        if (BtlSuchen(r.id, art, r.nr, &b) && b.platziert) ZeiStamm(w, sizeof w, b.ze);
        break;
    case 'L': {
        ModGeraet g{};
        GesHolen(r.id, &g);
        ArtFeld(w, sizeof w, g.artnr, r.zeile);
        break;
    }
    case 'P': {
        char zweit[TEXTVARWERTSUP + 1];
        // "P>S", "P<S", "P^S": the page form; "…P" (or no letter) the cross-reference or column form.
        const int modus = r.feld[2] == 'S' ? 1 : 0;
        if (r.feld[1] == '>' || r.feld[1] == '<') {
            HulVerweisPositionen(w, zweit, sizeof w, r.id, art, r.nr, modus);
            if (r.feld[1] == '<') strkopie(w, zweit, TEXTVARWERTSUP);
        } else if (r.feld[1] == '^') {
            BtlPositionAlt(w, sizeof w, r.id, art, r.nr, modus);
        } else {
            BtlPositionText(w, sizeof w, r.id, art, r.nr);
        }
        if (tvKontextPosition && BtlSuchen(r.id, art, r.nr, &b) && b.platziert) ZeiStammVorsetzen(w, sizeof w, b.ze);
        break;
    }
    case 'T':
        tvKopie(w, sizeof w, tvTextZeile(r.id, art, r.nr, r.zeile > 0 ? r.zeile - 1 : 0));
        break;
    case 'U':
    case 'Z':
        if (r.feld[0] == 'U') {
            GtxTextHolen(w, sizeof w, r.id, art, r.nr, 99);
        } else {
            ZtxTextHolen(w, sizeof w, r.id, art, r.nr, r.zeile);
        }
        BtlSuchen(r.id, art, r.nr, &b);
        if (r.feld[0] == 'U' && strleer(w)) strkopie(w, b.kb, TEXTVARWERTSUP);
        TextVarErsetzen(w, sizeof w, b.x, b.y);
        break;
    default:
        return;  // left as it is
    }
    std::string wert = w;
    if (r.plus) wert = tvTextZeile(r.id, "H", 0, 0) + ":" + wert;
    tvKopie(text, kap, wert);
}

// ---- "@L" references, articles, identifiers ---------------------------------

int LRefNummer(const char* t)
{
    if (!t || t[0] != '@' || t[1] != 'L') return 0;
    auto ziffer = [](char c) { return c >= '0' && c <= '9'; };
    if ((t[2] == '0' || t[2] == '1') && ziffer(t[3])) return (t[2] - '0') * 10 + (t[3] - '0');
    return ziffer(t[2]) ? t[2] - '0' : 0;
}

void LRefAufloesen(uint32_t id, char* text, size_t kap)
{
    if (!text || text[0] != '@' || text[1] != 'L') return;
    ModGeraet g{};
    GesHolen(id, &g);
    ArtFeld(text, kap, g.artnr, LRefNummer(text));
}

void ArtFeld(char* aus, size_t kap, const char* artnr, int n)
{
    std::string nummer = artnr ? artnr : "";
    ModArtikel a{};
    int da = ArtSuchen(nummer.c_str(), &a);
    if (n == 1 && da) {
        tvKopie(aus, kap, tvFeld(a.nummer, sizeof a.nummer));
    } else if (n >= 2 && n <= 11) {
        tvKopie(aus, kap, da ? tvFeld(a.text[n - 2], sizeof a.text[0]) : "");
    } else {
        tvKopie(aus, kap, nummer);
    }
}

int BMKennAltAktiv(const ModGeraet* g) { return g->kg[0] != '!' && tvEinst()->bmnorm != 0; }
int BMKennMarkiert(const char* text) { return text && text[0] == '!'; }

const char* BMKennung(const ModGeraet* g)
{
    return BMKennAltAktiv(g) && g->kz[0] ? g->kz : g->kg;
}
