// Macros, repeat buffer and component definition (see macro.h).
#include "editor/macro.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "editor/befausf.h"
#include "editor/edmeld.h"
#include "model/bauteil.h"
#include "model/beffifo.h"
#include "model/edhaken.h"
#include "model/geometri.h"
#include "model/tempzeic.h"
#include "model/zeichnun.h"
#include "output/clip.h"
#include "platform/nachricht.h"
#include "platform/dateisys.h"
#include "platform/orte.h"
#include "platform/winconst.h"
#include "support/bdatei.h"
#include "support/dosdatei.h"
#include "support/pfade.h"
#include "support/texte.h"
#include "winlib/meldung.h"

namespace {

// ---- Recorder state -------------------------------------------------------------------------------
struct MakRecorder {
    bool an = false;
    std::string name;
    BDAT datei{};
    bool bewegung = false;  // a BW is pending
    double bx = 0, by = 0;
};
MakRecorder makRec;
BEF makWiederhol{};
double makVar[MAKROVARSUP] = {};
MakroSofortFn makSofort = nullptr;
MakroSpurFn makSpur = nullptr;
long makGrenze = 0;   // lines a run may read (0: no limit)
MakroFilterFn makFilter = nullptr;  // of the run in progress
long makZeilen = 0;   // lines read in this run
bool makAbbruch = false;
int makBloecke = 0;   // blocks open in this run, CALLed files included
long makGeprueft = 0;  // lines since the run looked for Esc

struct MakBauDef {
    bool an = false;
    char name[BAUDEFNAMSUP + 1] = "";
    int erstes = -1;
    STT start{};
};
MakBauDef makBau;

void makSchreiben(const BEF* b)
{
    bdputsmodus(&makRec.datei, BefZuText(b).c_str(), 0);
}

void makBewegungSchreiben()
{
    if (!makRec.bewegung) return;
    makRec.bewegung = false;
    if (IstNull(makRec.bx) && IstNull(makRec.by)) return;
    BEF bw;
    std::memset(&bw, 0, sizeof bw);
    bw.code = static_cast<uint8_t>(BefCode("BW"));
    bw.darg[0] = makRec.bx;
    bw.darg[1] = makRec.by;
    makSchreiben(&bw);
}

// Codes after which a pending move would replay under another scale or
// direction: it is written before them.
bool makSpueltBewegung(int code)
{
    static const char* const namen[] = {"_MSM", "_MSF", "_RIC", "MS", "_MSA"};
    for (const char* n : namen) {
        if (BefCode(n) == code) return true;
    }
    return false;
}

// ---- Evaluator ------------------------------------------------------------------------------------

constexpr int MAK_FUNKTION = 13;

// Strength of the operator at p (0: none), its length in *laenge.
int makStaerke(const char* p, int* laenge)
{
    *laenge = 1;
    switch (static_cast<unsigned char>(*p)) {
    case '|': return 1;
    case '&': return 2;
    case '=': return 3;
    case '<': return 4;
    case '>': return 5;
    case 0xF2: return 6;
    case 0xF3: return 7;
    case '+': return 8;
    case '-': return 9;
    case '*': return 10;
    case '/': return 11;
    default: return 0;
    }
}

double makRunden(double x, double faktor)
{
    char t[64];
    std::snprintf(t, sizeof t, "%.0f", x * faktor);
    double v = 0;
    std::from_chars(t, t + std::strlen(t), v);
    return v / faktor;
}

struct MakAusdruck {
    const char* p;
    bool klammer;  // inside brackets blanks are skipped
    int tiefe = 0; // operands open; a filtered line may be of any length
};

// Deeper than any line of 78 characters can nest; the rest of a deeper
// expression is read as 0.
constexpr int MAK_AUSDRUCKTIEFE = 200;

double makWert(MakAusdruck& a, int stark);

void makLeer(MakAusdruck& a)
{
    if (a.klammer) {
        while (*a.p == ' ' || *a.p == '\t') ++a.p;
    }
}

bool makOeffnet(char c) { return c == '(' || c == '[' || c == '{'; }
bool makSchliesst(char c) { return c == ')' || c == ']' || c == '}'; }

double makOperand(MakAusdruck& a)
{
    makLeer(a);
    if (a.tiefe > MAK_AUSDRUCKTIEFE) {
        a.p += std::strlen(a.p);
        return 0;
    }
    struct Tiefe {
        int& t;
        explicit Tiefe(int& x) : t(++x) {}
        ~Tiefe() { --t; }
    } tiefe(a.tiefe);
    const char c = *a.p;
    if (makOeffnet(c)) {
        ++a.p;
        MakAusdruck innen{a.p, true, a.tiefe};
        const double v = makWert(innen, 0);
        a.p = innen.p;
        while (*a.p == ' ' || *a.p == '\t') ++a.p;
        if (makSchliesst(*a.p)) ++a.p;
        return v;
    }
    if (c == '-') {
        ++a.p;
        return 0 - makWert(a, 9);
    }
    if (c == '!') {
        ++a.p;
        return makWert(a, 12) == 0 ? 1.0 : 0.0;
    }
    if (c == '$') {
        const char n = a.p[1];
        a.p += n != '\0' ? 2 : 1;
        if (n >= '0' && n <= '9') return makVar[n - '0'];
        if (n == 'X' || n == 'x') return BefAktZustand()->x;
        if (n == 'Y' || n == 'y') return BefAktZustand()->y;
        return 0;
    }
    if (std::isalpha(static_cast<unsigned char>(c))) {
        char f[4] = "";
        for (int i = 0; i < 3 && a.p[i]; ++i) f[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(a.p[i])));
        static const char* const namen[] = {"SIN", "COS", "ATN", "ABS", "RND", "RN5"};
        for (int k = 0; k < 6; ++k) {
            if (std::strcmp(f, namen[k]) != 0 || std::isalpha(static_cast<unsigned char>(a.p[3]))) continue;
            a.p += 3;
            const double x = makWert(a, MAK_FUNKTION);
            constexpr double pi = 3.1415927;
            switch (k) {
            case 0: return std::sin(x * pi / 180);
            case 1: return std::cos(x * pi / 180);
            case 2: return std::atan(x) * 180 / pi;
            case 3: return std::fabs(x);
            case 4: return makRunden(x, 1);
            default: return makRunden(x, 20);
            }
        }
        return 0;
    }
    // A number: up to 10 characters.
    const char* anfang = a.p;
    int n = 0;
    while (n < 10 && (std::isdigit(static_cast<unsigned char>(a.p[n])) || a.p[n] == '.')) ++n;
    a.p += n;
    double v = 0;
    if (n > 0) std::from_chars(anfang, anfang + n, v);
    return v;
}

double makAnwenden(char op, double x, double y)
{
    switch (static_cast<unsigned char>(op)) {
    case '|': return (x != 0 || y != 0) ? 1.0 : 0.0;
    case '&': return (x != 0 && y != 0) ? 1.0 : 0.0;
    case '=': return x == y ? 1.0 : 0.0;
    case '<': return x < y ? 1.0 : 0.0;
    case '>': return x > y ? 1.0 : 0.0;
    case 0xF2: return x >= y ? 1.0 : 0.0;
    case 0xF3: return x <= y ? 1.0 : 0.0;
    case '+': return x + y;
    case '-': return x - y;
    case '*': return x * y;
    case '/': return y == 0 ? 0.0 : x / y;
    default: return x;
    }
}

double makWert(MakAusdruck& a, int stark)
{
    double x = makOperand(a);
    for (;;) {
        makLeer(a);
        int laenge = 0;
        const int s = makStaerke(a.p, &laenge);
        if (s == 0 || s <= stark) return x;
        const char op = *a.p;
        a.p += laenge;
        const double y = makWert(a, s);
        x = makAnwenden(op, x, y);
    }
}

// Evaluates the expression at *p (up to a blank outside brackets); *p
// points behind it.
double makAuswerten(const char** p)
{
    MakAusdruck a{*p, false};
    const double v = makWert(a, 0);
    *p = a.p;
    return v;
}

// ---- Interpreter ------------------------------------------------------------------------------------

struct MakLauf {
    BDAT* d;
    int spur;
    int tiefe;
    const std::vector<int32_t>* umbrueche;  // where the file's line feeds are, ascending
};

// The positions of the line feeds of a macro file, taken once when it is
// read: a message or a loop then finds its line by a search, where
// counting from the start for every one made a run of many refused lines
// quadratic.
std::vector<int32_t> makUmbrueche(const std::string& text)
{
    std::vector<int32_t> u;
    for (size_t i = text.find('\n'); i != std::string::npos; i = text.find('\n', i + 1))
        u.push_back(static_cast<int32_t>(i));
    return u;
}

// The number of the line just read (1 for the first): the line feeds
// before the one that ended it, plus one.
long makZeileNr(const MakLauf& l)
{
    const int32_t pos = bdtell(l.d);
    if (pos <= 0 || l.umbrueche == nullptr) return 1;
    const auto vor = std::lower_bound(l.umbrueche->begin(), l.umbrueche->end(), pos - 1);
    return static_cast<long>(vor - l.umbrueche->begin()) + 1;
}

// Ends the run with a message naming the line.
void makStopp(const MakLauf& l, const char* format)
{
    StatusTextf(format, makZeileNr(l));
    makAbbruch = true;
}

// Esc, or a window closing, ends a run; looked for on every 64th line so
// that a long run spends its time on its lines.
bool makUnterbrochen()
{
    if (makGeprueft++ % 64 != 0) return false;
    MSG m{};
    if (PeekMessage(&m, 0, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE) && m.wParam == VK_ESCAPE) {
        PeekMessage(&m, 0, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE);
        return true;
    }
    // The close stays queued: it closes the window once the run has ended.
    return PeekMessage(&m, 0, WM_CLOSE, WM_CLOSE, PM_NOREMOVE) || PeekMessage(&m, 0, WM_QUIT, WM_QUIT, PM_NOREMOVE);
}

// The whole macro file, read before any line runs, so that a file read
// short never runs half: 0, -1 not opened, -2 read short (said).
int makLaden(const char* pfad, std::string* inhalt)
{
    inhalt->clear();
    // The run reads the text through a 32-bit position.
    struct stat st {};
    if (plDsStat(pfad, &st) == 0 && st.st_size > INT32_MAX - 1) {
        StatusTextf("Macro-Datei %s ist gr\xF6\xDF" "er als 2 GB.", pfad);
        return -2;
    }
    BDAT d{};
    if (bdopenlesen(&d, pfad) < 0) return -1;
    for (int c = bdgetc(&d); c >= 0; c = bdgetc(&d)) inhalt->push_back(static_cast<char>(c));
    const bool kurz = bdlesefehler(&d) != 0;
    bdclose(&d);
    if (!kurz) return 0;
    inhalt->clear();
    StatusTextf("Kann Macro-Datei %s nicht lesen.", pfad);
    return -2;
}

// false when the value has no place in a command line (too large to write
// with its four decimals, or not a number).
bool makZahl(std::string& aus, double v, bool klammer)
{
    char t[64];
    if (!std::isfinite(v)) return false;
    auto r = std::to_chars(t, t + sizeof t - 1, v, std::chars_format::fixed, 4);
    if (r.ec != std::errc()) return false;
    *r.ptr = '\0';
    if (klammer) aus += "[";
    aus += t;
    if (klammer) aus += "]";
    return true;
}

// Step 2: decimal commas after digits outside quotes; escapes.
std::string makKommas(const char* z)
{
    std::string s;
    bool zitat = false;
    for (const char* p = z; *p; ++p) {
        if (*p == '"') zitat = !zitat;
        if (!zitat && *p == '\\' && p[1]) {
            s += *++p;
            continue;
        }
        if (!zitat && *p == ',' && !s.empty() && std::isdigit(static_cast<unsigned char>(s.back()))) {
            s += '.';
            continue;
        }
        s += *p;
    }
    return s;
}

// A command line rebuilt token by token; false when a value cannot be
// written.
bool makBefehlszeile(const char* z, std::string* ergebnis)
{
    std::string& aus = *ergebnis;
    aus.clear();
    const char* p = z;
    while (*p) {
        while (*p == ' ' || *p == '\t') ++p;
        if (!*p) break;
        if (!aus.empty()) aus += ' ';
        if (*p == '"') {
            const char* e = std::strchr(p + 1, '"');
            const char* ende = e ? e + 1 : p + std::strlen(p);
            aus.append(p, static_cast<size_t>(ende - p));
            p = ende;
        } else if (std::isalpha(static_cast<unsigned char>(*p)) || *p == '_') {
            const char* a = p;
            while (*p && *p != ' ' && *p != '\t') ++p;
            aus.append(a, static_cast<size_t>(p - a));
        } else {
            const bool klammer = *p == '[';
            const char* vorher = p;
            const double v = makAuswerten(&p);
            if (p == vorher) ++p;  // nothing an expression could take
            if (!makZahl(aus, v, klammer)) return false;
        }
    }
    return true;
}

bool makBlock(MakLauf& l, bool frei, bool aktiv);

std::string makWort(const char*& p)
{
    while (*p == ' ' || *p == '\t') ++p;
    std::string w;
    while (*p && *p != ' ' && *p != '\t') w += static_cast<char>(std::toupper(static_cast<unsigned char>(*p++)));
    while (*p == ' ' || *p == '\t') ++p;
    return w;
}

// FOR $n = a TO b [STEP s]
void makFor(MakLauf& l, const char* p, bool frei)
{
    int n = 0;
    double a = 0, b = 0, s = 1;
    while (*p == ' ') ++p;
    if (*p == '$' && std::isdigit(static_cast<unsigned char>(p[1]))) {
        n = p[1] - '0';
        p += 2;
    }
    while (*p == ' ') ++p;
    const bool mitGleich = *p == '=';
    if (mitGleich) ++p;
    while (*p == ' ') ++p;
    if (std::strncmp(p, "TO", 2) != 0 && std::strncmp(p, "to", 2) != 0) a = makAuswerten(&p);
    while (*p == ' ') ++p;
    if (strncasecmp(p, "TO", 2) == 0) {
        p += 2;
        while (*p == ' ') ++p;
        b = makAuswerten(&p);
    }
    while (*p == ' ') ++p;
    if (strncasecmp(p, "STEP", 4) == 0) {
        p += 4;
        while (*p == ' ') ++p;
        s = makAuswerten(&p);
    }
    if (s == 0) s = 1;
    // A counter the step cannot move (beyond 2^53 a step of 1 is lost)
    // would never reach its end.
    if (!std::isfinite(a) || !std::isfinite(b) || !std::isfinite(s) || a + s == a) {
        makStopp(l, "Makro: Die Schrittweite in Zeile %ld ver\xE4ndert den Z\xE4hler nicht.");
        return;
    }
    const long zeile = makZeileNr(l);
    const int32_t pos = bdtell(l.d);
    for (double v = a; !makAbbruch && (s > 0 ? v <= b : v >= b); v += s) {
        makVar[n] = v;
        bdseek(l.d, pos);
        if (!makBlock(l, frei, true) && !makAbbruch) {
            StatusTextf("Makro: Die Schleife in Zeile %ld hat keinen Inhalt und wurde beendet.", zeile);
            makAbbruch = true;
        }
        if (v + s == v && !makAbbruch) {
            StatusTextf("Makro: Die Schrittweite in Zeile %ld ver\xE4ndert den Z\xE4hler nicht.", zeile);
            makAbbruch = true;
        }
    }
    bdseek(l.d, pos);
    makBlock(l, false, true);
}

void makCall(MakLauf& l, const char* p, bool frei, bool aktiv)
{
    while (*p == ' ') ++p;
    std::string name;
    if (*p == '"') {
        const char* e = std::strchr(p + 1, '"');
        name.assign(p + 1, e ? static_cast<size_t>(e - p - 1) : std::strlen(p + 1));
    } else {
        while (*p && *p != ' ') name += *p++;
    }
    if (l.tiefe + 1 >= MAKROTIEFESUP) {
        // A macro calling itself would otherwise nest until the stack ends.
        StatusTextf("Makro %s: mehr als %d Aufrufe ineinander.", name.c_str(), MAKROTIEFESUP);
        return;
    }
    std::string inhalt;
    const int r = makLaden(name.c_str(), &inhalt);
    if (r == -2) makAbbruch = true;  // the rest would run as if the call had
    if (r != 0) return;
    BDAT d{};
    bdopenram(&d, inhalt.data(), static_cast<int32_t>(inhalt.size()));
    const std::vector<int32_t> umbrueche = makUmbrueche(inhalt);
    MakLauf innen{&d, l.spur, l.tiefe + 1, &umbrueche};
    makBlock(innen, frei, aktiv);
    bdclose(&d);
}

// One block, up to its END or the end of the file; true when it read a
// line. Each nested IF, WHILE or FOR opens a block of its own.
bool makBlock(MakLauf& l, bool frei, bool aktiv)
{
    if (makBloecke >= MAKROBLOCKSUP) {
        StatusTextf("Makro: Mehr als %d Bl\xF6" "cke ineinander in Zeile %ld.", MAKROBLOCKSUP, makZeileNr(l));
        makAbbruch = true;
        return false;
    }
    struct Offen {
        Offen() { ++makBloecke; }
        ~Offen() { --makBloecke; }
    } offen;
    bool gelesen0 = false;
    char zeile[MAKROZEILESUP + 1];
    while (!makAbbruch && bdgets(l.d, zeile, MAKROZEILESUP) >= 0) {
        gelesen0 = true;
        if (makGrenze > 0 && ++makZeilen > makGrenze) {
            makAbbruch = true;
            return true;
        }
        if (makUnterbrochen()) {
            makStopp(l, "Makro in Zeile %ld abgebrochen.");
            return true;
        }
        std::string gelesen = makFilter != nullptr ? makFilter(zeile) : std::string(zeile);
        if (const size_t k = gelesen.find("//"); k != std::string::npos) gelesen.resize(k);
        strtrim(gelesen.data());
        gelesen.resize(std::strlen(gelesen.c_str()));
        if (gelesen.empty()) continue;
        const bool laeuft = frei && aktiv;
        if (l.spur && laeuft) {
            if (makSpur) makSpur(gelesen.c_str());
            else StatusHinweis(gelesen.c_str());
        }
        const std::string z = makKommas(gelesen.c_str());
        const char* p = z.c_str();
        const std::string wort = makWort(p);
        if (wort == "END") return true;
        if (wort == "ELSE") {
            aktiv = !aktiv;
            continue;
        }
        if (wort == "IF") {
            if (!laeuft) makBlock(l, false, aktiv);
            else makBlock(l, true, makAuswerten(&p) == 1);
            continue;
        }
        if (wort == "WHILE") {
            if (!laeuft) {
                makBlock(l, false, aktiv);
                continue;
            }
            const int32_t pos = bdtell(l.d);
            const long nr = makZeileNr(l);
            double v = 0;
            do {
                const char* q = p;
                v = makAuswerten(&q);
                bdseek(l.d, pos);
                // An empty body (the file ends after the WHILE) would repeat
                // without ever reading a line.
                if (!makBlock(l, v == 1, true) && v == 1 && !makAbbruch) {
                    StatusTextf("Makro: Die Schleife in Zeile %ld hat keinen Inhalt und wurde beendet.", nr);
                    makAbbruch = true;
                }
            } while (v == 1 && !makAbbruch);
            continue;
        }
        if (wort == "FOR") {
            if (!laeuft) makBlock(l, false, aktiv);
            else makFor(l, p, frei);
            continue;
        }
        if (!laeuft) continue;
        if (wort == "CALL") {
            makCall(l, p, frei, aktiv);
            continue;
        }
        const char* q = z.c_str();
        while (*q == ' ') ++q;
        if (q[0] == '$' && std::isdigit(static_cast<unsigned char>(q[1]))) {
            const char* r = q + 2;
            while (*r == ' ') ++r;
            if (*r == '=') {
                ++r;
                while (*r == ' ') ++r;
                makVar[q[1] - '0'] = makAuswerten(&r);
                continue;
            }
        }
        std::string befehl;
        if (!makBefehlszeile(z.c_str(), &befehl)) {
            StatusTextf("Makro: Eine Zahl in Zeile %ld ist zu gro\xDF; die Zeile wird nicht ausgef\xFChrt.", makZeileNr(l));
            continue;
        }
        MakroZeileAusfuehren(befehl.c_str());
    }
    return gelesen0;
}

// ---- Component definition -------------------------------------------------------------------------------

ZeiDatei* makBauDatei = nullptr;

int makBauAusgabe(const BEF* b) { return ZeiBefSchreiben(makBauDatei, b); }

std::string makBibPfad()
{
    char pfad[PFADSUP + 1] = "";
    if (BauPfad(BefAktZustand()->bd, pfad, sizeof pfad) != 0) return "";
    return pfad;
}

// The checks of a name; 0 when it may become a new component.
int makBauNamePruefen(char* name, const std::string& bib)
{
    if (name[0] == '\0') {
        StatusMeldung("Bauteildefinition ohne Namen nicht m\xF6glich.");
        return -1;
    }
    char geprueft[BAUDEFNAMSUP + 1];
    strkopie(geprueft, sizeof geprueft, name, BAUDEFNAMSUP);
    if (BauNameGueltig(geprueft) != 0) {
        StatusTextf("Ung\xFCltiger Bauteilname: %s", name);
        return -1;
    }
    if (BefCode(name) > 0) {
        StatusTextf("%s ist die Abk\xFCrzung eines Befehls.", name);
        return -1;
    }
    if (BauLaden(bib.c_str()) == 0 && BauVorhanden(name)) {
        StatusTextf("Es gibt bereits ein Bauteil namens %s.", name);
        return -1;
    }
    return 0;
}

// Writes the objects from the first remembered one; 0 or -1.
int makBauSchreiben(ZeiDatei* z)
{
    makBauDatei = z;
    STT lauf = makBau.start;
    int r = 0;
    for (int id = makBau.erstes; id < TZENDE && r == 0; id = TzNaechstes(id)) {
        BEF b;
        STT s;
        if (TzObjHolen(id, &b, &s) != 0) continue;
        if (SttDifferenz(&lauf, &s, makBauAusgabe) < 0 || ZeiBefSchreiben(z, &b) < 0) r = -1;
        lauf = s;
        SttAnwenden(&b, &lauf);
    }
    if (r == 0 && SttDifferenz(&lauf, BefAktZustand(), makBauAusgabe) < 0) r = -1;
    makBauDatei = nullptr;
    return r;
}

}  // namespace

// ---- Recorder ---------------------------------------------------------------------------------------------

std::string MakroPfad(const char* name)
{
    const std::string bib = makBibPfad();
    char pfad[PFADSUP + 1] = "";
    BauVerzDatei(bib.c_str(), name != nullptr ? name : "", "mac", pfad, sizeof pfad);
    return pfad;
}

void MakroAufnahmeStart(const char* name)
{
    if (makRec.an || name == nullptr || name[0] == '\0') return;
    const std::string pfad = MakroPfad(name);
    if (dosattrib(pfad.c_str()) != DOSATTR_FEHLT && EdFrage("Bestehende Datei \xFC" "berschreiben?", MB_YESNO) != IDYES)
        return;
    makRec.datei = BDAT{};
    if (bdmake(&makRec.datei, pfad.c_str()) < 0) {
        StatusTextf("Kann Macro-Datei %s nicht anlegen.", pfad.c_str());
        return;
    }
    BEF ver;
    std::memset(&ver, 0, sizeof ver);
    ver.code = 118;
    ver.iarg[0] = 10;
    makSchreiben(&ver);
    makRec.an = true;
    makRec.name = name;
    makRec.bewegung = false;
}

void MakroAufnahmeEnde()
{
    if (!makRec.an) return;
    makBewegungSchreiben();
    const bool fehler = makRec.datei.fehler != 0;
    if (bdclose(&makRec.datei) < 0 || fehler) StatusTextf("Fehler beim Schreiben von Macro %s.", makRec.name.c_str());
    makRec.an = false;
}

void MakroAufnahmeVerwerfen()
{
    if (!makRec.an) return;
    bdclose(&makRec.datei);
    plDsLoeschen(MakroPfad(makRec.name.c_str()).c_str());
    makRec.an = false;
}

int MakroNimmtAuf() { return makRec.an; }

void MakroAufnehmen(const BEF* b)
{
    if (!makRec.an || !BefMakro(static_cast<int>(b->code))) return;
    if (b->code == BefCode("BW")) {
        if (!makRec.bewegung) makRec.bx = makRec.by = 0;
        makRec.bewegung = true;
        makRec.bx += b->darg[0];
        makRec.by += b->darg[1];
        return;
    }
    if (BefIstObjekt(b->code) || makSpueltBewegung(b->code)) makBewegungSchreiben();
    makSchreiben(b);
}

// ---- Repeat buffer --------------------------------------------------------------------------------------

void WiederholMerken(const BEF* b)
{
    const int c = b->code;
    if ((c >= 62 && c <= 65) || c == 67 || c == 68 || c == 87 || c == 88 || c == 101 || BefIstZB(c)) makWiederhol = *b;
}

void WiederholLeeren() { std::memset(&makWiederhol, 0, sizeof makWiederhol); }

void Wiederholen()
{
    if (makWiederhol.code != 0) BefEinreihen(&makWiederhol);
}

// ---- Interpreter -------------------------------------------------------------------------------------------

int MakroVorhanden(const char* name) { return dosattrib(MakroPfad(name).c_str()) != DOSATTR_FEHLT; }

int MakroDateiAusfuehren(const char* pfad, int spur)
{
    std::string inhalt;
    if (makLaden(pfad, &inhalt) != 0) return -1;
    BDAT d{};
    bdopenram(&d, inhalt.data(), static_cast<int32_t>(inhalt.size()));
    const std::vector<int32_t> umbrueche = makUmbrueche(inhalt);
    MakLauf l{&d, spur, 0, &umbrueche};
    makZeilen = 0;
    makAbbruch = false;
    makBloecke = 0;
    makGeprueft = 0;
    makBlock(l, true, true);
    makAbbruch = false;
    bdclose(&d);
    return 0;
}

int MakroStarten(const char* name, int spur) { return MakroDateiAusfuehren(MakroPfad(name).c_str(), spur); }

int MakroStartenGefiltert(const char* name, int spur, MakroFilterFn filter)
{
    const MakroFilterFn vorher = makFilter;
    makFilter = filter;
    const int r = MakroStarten(name, spur);
    makFilter = vorher;
    return r;
}

int MakroMitEingabe(const char* name)
{
    BDAT d{};
    if (bdopenlesen(&d, MakroPfad(name).c_str()) < 0) return -1;
    char zeile[MAKROZEILESUP + 1];
    int mit = 0;
    while (!mit && bdgets(&d, zeile, MAKROZEILESUP) >= 0) {
        const char* p = zeile;
        mit = makWort(p) == "INPUT";
    }
    const bool kurz = !mit && bdlesefehler(&d) != 0;
    bdclose(&d);
    return kurz ? -1 : mit;
}

void ClipboardMakro()
{
    const std::string pfad = plOrtTemp() + "/clipmakro.mac";
    BDAT d{};
    if (bdmake(&d, pfad.c_str()) < 0) return;
    std::string text(65000, '\0');
    ClipTextHolen(text.data(), MAKROCLIPSUP);
    text.resize(std::strlen(text.c_str()));
    if (text.empty() || text.size() >= MAKROCLIPSUP) {
        // Only complete lines: cut after the last LF before the limit.
        const size_t lf = text.rfind('\n', MAKROCLIPSUP - 1);
        text.resize(lf == std::string::npos ? 0 : lf + 1);
    }
    bdwrite(&d, text.data(), static_cast<int32_t>(text.size()));
    const bool ok = bdclose(&d) == 0;
    if (ok) MakroDateiAusfuehren(pfad.c_str(), 0);
    plDsLoeschen(pfad.c_str());
}

void MakroZeileAusfuehren(const char* zeile)
{
    BEF b;
    if (TextZuBef(&b, zeile) != 0 || b.code == 0) return;
    if (makSofort) makSofort(&b);
    else BefSofort(&b);
}

double MakroAusdruck(const char* text)
{
    const char* p = text;
    return makAuswerten(&p);
}

double MakroVariable(int n) { return n >= 0 && n < MAKROVARSUP ? makVar[n] : 0; }
void MakroVariableSetzen(int n, double wert)
{
    if (n >= 0 && n < MAKROVARSUP) makVar[n] = wert;
}
void MakroSofortSetzen(MakroSofortFn fn) { makSofort = fn; }
void MakroSpurSetzen(MakroSpurFn fn) { makSpur = fn; }
void MakroZeilenGrenze(long n) { makGrenze = n > 0 ? n : 0; }

// ---- Component definition ---------------------------------------------------------------------------------

void BauDefStart(const char* name)
{
    if (makBau.an) {
        StatusTextf("Im Moment wird bereits Bauteil %s gespeichert.", makBau.name);
        return;
    }
    const std::string bib = makBibPfad();
    if (bib.empty() || dosattrib(bib.c_str()) == DOSATTR_FEHLT) {
        StatusTextf("Bauteildatei %s nicht vorhanden", BefAktZustand()->bd);
        return;
    }
    if (BauVersion(bib.c_str()) < 6) {
        StatusMeldung("Bauteildatei ist von der falschen Version.");
        return;
    }
    // Trimmed before it is cut, so leading blanks take no place of the ten.
    std::string t = name != nullptr ? name : "";
    strtrim(t.data());
    char n[BAUDEFNAMSUP + 1];
    strkopie(n, sizeof n, t.c_str(), BAUDEFNAMSUP);
    strtrim(n);
    for (char* p = n; *p; ++p) *p = static_cast<char>(std::toupper(static_cast<unsigned char>(*p)));
    if (makBauNamePruefen(n, bib) != 0) return;
    if (TzMarkAnzahl() > 0) {
        StatusMeldung("Im Moment sind noch Elemente markiert.");
        return;
    }
    makBau.an = true;
    strkopie(makBau.name, sizeof makBau.name, n, BAUDEFNAMSUP);
    makBau.erstes = -1;
    makBau.start = *BefAktZustand();
}

void BauDefEnde()
{
    if (!makBau.an) return;
    makBau.an = false;
    if (makBau.erstes < 0) return;
    const std::string bib = makBibPfad();
    if (makBauNamePruefen(makBau.name, bib) != 0) return;
    const std::string tmp = plOrtTemp() + "/baudef.zvk";
    ZeiDatei z;
    if (ZeiDateiAnlegen(&z, tmp.c_str()) != 0) {
        StatusTextf("Bauteil %s: kann die Zeichnung nicht anlegen.", makBau.name);
        return;
    }
    if (makBauSchreiben(&z) != 0) {
        ZeiDateiVerwerfen(&z);
        StatusTextf("Bauteil %s: Fehler beim Schreiben.", makBau.name);
        return;
    }
    if (ZeiDateiSchliessen(&z) != 0) {
        StatusTextf("Bauteil %s: Fehler beim Schreiben.", makBau.name);
        return;
    }
    BauBibHandle h;
    int r = BauBibOeffnen(&h, bib.c_str());
    if (r >= 0) {
        r = BauAufnehmen(&h, makBau.name, tmp.c_str());
        BauBibZu(&h);
    }
    plDsLoeschen(tmp.c_str());
    if (r < 0) StatusTextf("Bauteil %s konnte nicht in die Bauteildatei aufgenommen werden.", makBau.name);
    else BauLaden(bib.c_str());
}

void BauDefAbbrechen() { makBau.an = false; }

void BauDefBeenden()
{
    if (!makBau.an) return;
    makBau.an = false;
    StatusMeldung("Bauteildefinition abgebrochen.");
}

void BauDefObjMerken(int id)
{
    if (makBau.an && makBau.erstes < 0) makBau.erstes = id;
}

void BauDefPruefen()
{
    if (!makBau.an || makBau.erstes < 0) return;
    BEF b;
    STT s;
    if (TzObjHolen(makBau.erstes, &b, &s) != 0) BauDefBeenden();
}

int BauDefLaeuft() { return makBau.an; }
const char* BauDefName() { return makBau.an ? makBau.name : ""; }

void MakroHakenSetzen()
{
    EdHaken h;
    h.MakroAufzeichnen = MakroAufnehmen;
    h.LetztesElementMerken = WiederholMerken;
    h.BauDefObjMerken = BauDefObjMerken;
    EdHakenSetzen(h);
}
