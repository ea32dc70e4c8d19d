// Directory kinds and path building (see verzeich.h).
#include "config/verzeich.h"

#include <string>
#include <sys/stat.h>

#include "config/konfhaken.h"
#include "platform/dateisys.h"
#include "support/basis.h"
#include "support/texte.h"
#include "support/vergleich.h"

namespace {

char verTabelle[VERANZAHL][VERSUP + 1];
int verAufwaerts[VERANZAHL];

int verKlemmen(int art)
{
    return art < 0 ? 0 : art > VERANZAHL - 1 ? VERANZAHL - 1 : art;
}

void verSlash(std::string& s)
{
    for (char& c : s) {
        if (c == '\\') c = '/';
    }
}

// A path cut to its buffer would name another file ("Plan.001" in a long
// folder became "Plan.0"): one that does not fit leaves the buffer empty,
// so nothing is read or written under it, and is reported with the limit.
int verKopie(char* puffer, size_t groesse, const std::string& s)
{
    if (!puffer || groesse == 0) return ERROR;
    if (s.size() >= groesse) {
        puffer[0] = '\0';
        std::string t = "Der Pfad ist l\xE4nger als " + std::to_string(groesse - 1) + " Zeichen und wird nicht benutzt: " + s;
        konfHaken().warnung(t.c_str());
        return ERROR;
    }
    strkopie(puffer, groesse, s.c_str(), static_cast<int>(s.size()));
    return 0;
}

// Leading marker of the program folder with its separator; length or 0.
size_t verProgrammMarke(const char* t)
{
    static const char* const marken[] = {"<Zavik>", "<Velmo>", "<Velm>", "*"};
    for (const char* m : marken) {
        size_t n = std::char_traits<char>::length(m);
        if (strnvgl(t, m, static_cast<int>(n)) == 0) {
            if (t[n] == '/' || t[n] == '\\') ++n;
            return n;
        }
    }
    return 0;
}

// A leading program-folder mark becomes directory kind 0; otherwise "$(...)"
// and environment references are expanded. Trimmed, with '/' separators.
std::string verPlatzhalterErsetzt(const char* t)
{
    char b[1024];
    size_t marke = verProgrammMarke(t);
    if (marke > 0) {
        std::string s = std::string(verTabelle[0]) + (t + marke);
        strkopie(b, sizeof b, s.c_str(), static_cast<int>(s.size()));
    } else {
        strkopie(b, sizeof b, t, static_cast<int>(sizeof b) - 1);
        umgebungeinsetzen(b);
    }
    strtrim(b);
    std::string s = b;
    verSlash(s);
    return s;
}

bool verDateiDa(const std::string& pfad)
{
    struct stat st {};
    return plDsStat(pfad.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string verAktuell()
{
    std::string cwd;
    if (plDsAktuell(&cwd) != 0) return std::string();
    if (!cwd.empty() && cwd.back() != '/') cwd += '/';
    return cwd;
}

std::string verMitName(const std::string& ordner, const char* name, const char* endung)
{
    std::string p = ordner + (name ? name : "");
    if (endung && *endung) {
        if (p.empty() || p.back() != '.') p += '.';
        p += endung;
    }
    verSlash(p);
    return p;
}

}  // namespace

bool PfadHatOrdner(const char* name)
{
    if (!name) return false;
    for (const char* p = name; *p; ++p) {
        if (*p == '/' || *p == '\\' || *p == ':') return true;
    }
    return false;
}

bool PfadGleich(const char* a, const char* b)
{
    if (!a || !b) return a == b;
    while (*a && *b) {
        char x = *a == '\\' ? '/' : *a;
        char y = *b == '\\' ? '/' : *b;
        if (x != y) return false;
        ++a;
        ++b;
    }
    return *a == *b;
}

void VerSetzen(int art, const char* text)
{
    art = verKlemmen(art);
    const char* t = text ? text : "";
    verAufwaerts[art] = 0;
    if (*t == '@') {
        verAufwaerts[art] = 1;
        ++t;
    }
    std::string s = verPlatzhalterErsetzt(t);
    if (s.empty()) {
        verTabelle[art][0] = '\0';
        return;
    }
    // room for the separator within the kind's 200 characters
    if (s.size() > VERSUP - 1) s.resize(VERSUP - 1);
    if (s.back() != '/') s += '/';
    verKopie(verTabelle[art], sizeof verTabelle[art], s);
}

int PfadPlatzhalter(char* text, size_t groesse)
{
    if (!text || groesse == 0) return ERROR;
    std::string s = verPlatzhalterErsetzt(text);
    if (s.size() >= groesse) return ERROR;  // would not fit: left as written
    verKopie(text, groesse, s);
    return 0;
}

int VerHolen(int art, char* puffer, size_t groesse)
{
    art = verKlemmen(art);
    if (puffer && groesse > 0) strkopie(puffer, groesse, verTabelle[art], VERSUP);
    return strleer(verTabelle[art]) ? 0 : 1;
}

const char* VerZeiger(int art)
{
    return verTabelle[verKlemmen(art)];
}

int VerAufwaerts(int art)
{
    return verAufwaerts[verKlemmen(art)];
}

int PfadKopieren(char* puffer, size_t groesse, const char* pfad) { return verKopie(puffer, groesse, pfad ? pfad : ""); }

int PfadBilden(int art, const char* name, const char* endung, char* puffer, size_t groesse)
{
    std::string ordner = PfadHatOrdner(name) ? std::string() : std::string(VerZeiger(art));
    return verKopie(puffer, groesse, verMitName(ordner, name, endung));
}

int PfadProgramm(char* puffer, size_t groesse, const char* name) { return PfadBilden(0, name, nullptr, puffer, groesse); }
int PfadProjekt(char* puffer, size_t groesse, const char* name) { return PfadBilden(1, name, nullptr, puffer, groesse); }
int PfadBauteile(char* puffer, size_t groesse, const char* name) { return PfadBilden(2, name, nullptr, puffer, groesse); }
int PfadVorgaben(char* puffer, size_t groesse, const char* name) { return PfadBilden(8, name, nullptr, puffer, groesse); }

int PfadTmp(char* puffer, size_t groesse, const char* pfad)
{
    std::string p = pfad ? pfad : "";
    size_t s = p.find_last_of("/\\:");
    size_t pkt = p.rfind('.');
    if (pkt != std::string::npos && (s == std::string::npos || pkt > s)) p.resize(pkt);
    return verKopie(puffer, groesse, p + ".tmp");
}

void PfadAbsolut(char* pfad, size_t groesse)
{
    if (!pfad) return;
    std::string p = pfad;
    verSlash(p);
    bool absolut = (!p.empty() && p[0] == '/') ||
                   (p.size() >= 3 && ((p[0] >= 'A' && p[0] <= 'Z') || (p[0] >= 'a' && p[0] <= 'z')) && p[1] == ':' && p[2] == '/');
    if (!absolut) {
        std::string cwd = verAktuell();
        if (cwd.size() + p.size() < groesse) p = cwd + p;
    }
    if (p.size() < groesse) verKopie(pfad, groesse, p);
}

int PfadHPfadDatei(char* puffer, size_t groesse, const char* name)
{
    if (PfadHatOrdner(name)) {
        std::string p = name;
        verSlash(p);
        return verKopie(puffer, groesse, p);
    }
    std::string ordner = !strleer(VerZeiger(6)) ? VerZeiger(6) : !strleer(VerZeiger(1)) ? VerZeiger(1) : verAktuell();
    return verKopie(puffer, groesse, verMitName(ordner, name, nullptr));
}

int PfadText(char* puffer, size_t groesse, const char* name)
{
    if (PfadHatOrdner(name)) {
        std::string p = name;
        verSlash(p);
        return verKopie(puffer, groesse, p);
    }
    std::string p = verMitName(VerZeiger(3), name, nullptr);
    if (!verDateiDa(p) && !strleer(VerZeiger(7))) {
        std::string p7 = verMitName(VerZeiger(7), name, nullptr);
        if (verDateiDa(p7)) p = p7;
    }
    return verKopie(puffer, groesse, p);
}

void PfadeAufwaerts(void (*rueckruf)(const char* verz, void* benutzer), void* benutzer)
{
    if (!VerAufwaerts(2) || !rueckruf) return;
    std::string d = VerZeiger(1);
    verSlash(d);
    while (!d.empty()) {
        rueckruf(d.c_str(), benutzer);
        if (d == "/") break;
        size_t s = d.find_last_of('/', d.size() - 2);
        if (s == std::string::npos) break;
        d.resize(s + 1);
    }
}

int PfadSuchenAufwaerts(char* ziel, size_t groesse, const char* name, const char* endung)
{
    struct Suche {
        const char* name;
        const char* endung;
        std::string gefunden;
    } s{name, endung, {}};
    PfadeAufwaerts(
        [](const char* verz, void* b) {
            auto* s = static_cast<Suche*>(b);
            if (!s->gefunden.empty()) return;
            std::string p = verMitName(verz, s->name, s->endung);
            if (verDateiDa(p)) s->gefunden = p;
        },
        &s);
    if (s.gefunden.empty()) s.gefunden = verMitName(PfadHatOrdner(name) ? "" : VerZeiger(2), name, endung);
    return verKopie(ziel, groesse, s.gefunden);
}
