// The evaluation catalogue, sort code, options and item filters (see
// auswertung.h).
#include "lists/auswertung.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "equipment/nartikel.h"

namespace {

awkat awKatalog[AWKATSUP];
int awKatAnzahl = 0;
bool awKatGelesen = false;
int awNamenStand = -1;  // VgbAenderZaehler at the last load of the shown names
awoptionen awOpt;

std::string awTrimmen(const std::string& s)
{
    size_t a = s.find_first_not_of(" \t\r\n");
    if (a == std::string::npos) return "";
    size_t e = s.find_last_not_of(" \t\r\n");
    return s.substr(a, e - a + 1);
}

// Cuts the first blank-delimited word off s.
std::string awWortAb(std::string& s)
{
    s = awTrimmen(s);
    size_t e = s.find_first_of(" \t");
    std::string w = s.substr(0, e);
    s = e == std::string::npos ? "" : awTrimmen(s.substr(e));
    return w;
}

void awKopie(char* ziel, size_t groesse, const std::string& q)
{
    size_t n = std::min(groesse - 1, q.size());
    std::memcpy(ziel, q.data(), n);
    ziel[n] = '\0';
}

void awZeileLesen(std::string z)
{
    if (awKatAnzahl >= AWKATSUP) return;
    if (z.size() > static_cast<size_t>(AWKATZEILE)) z.resize(AWKATZEILE);
    z = awTrimmen(z);
    if (z.empty() || z[0] == '#' || z[0] == ';') return;
    awkat& k = awKatalog[awKatAnzahl];
    k = awkat{};
    awKopie(k.typ, sizeof k.typ, awWortAb(z));
    awKopie(k.praefix, sizeof k.praefix, awWortAb(z));
    awKopie(k.gruppe, sizeof k.gruppe, awWortAb(z));
    size_t strich = z.find('|', 1);
    if (!z.empty() && strich != std::string::npos) {
        awKopie(k.programm, sizeof k.programm, awTrimmen(z.substr(strich + 1)));
        z = awTrimmen(z.substr(0, strich));
    }
    awKopie(k.name, sizeof k.name, z);
    // The first entry without a name ends the table.
    if (k.name[0] == '\0') {
        k = awkat{};
        awKatAnzahl = AWKATSUP;
        return;
    }
    ++awKatAnzahl;
}

void awNamenLaden()
{
    int stand = VgbAenderZaehler();
    if (stand == awNamenStand) return;
    awNamenStand = stand;
    VgbOeffnen();
    for (int i = 0; i < AwAnzahl(); ++i) {
        VgbPraefix(awKatalog[i].praefix);
        char w[VGBWERTSUP + 1];
        VgbText("Name", w, VGBWERTSUP);
        awKopie(awKatalog[i].anzeige, sizeof awKatalog[i].anzeige, awTrimmen(w));
    }
    VgbPraefix("");
    VgbSchliessen();
}

int awLeadingInt(const char* t)
{
    return (t && *t >= '0' && *t <= '9') ? std::atoi(t) : 0;
}

bool awPraefixVon(const std::string& muster, const char* text)
{
    return std::strncmp(text, muster.c_str(), muster.size()) == 0;
}

}  // namespace

void AwKatalogAusDatei(const char* pfad)
{
    for (auto& k : awKatalog) k = awkat{};
    awKatAnzahl = 0;
    awKatGelesen = true;
    awNamenStand = -1;
    std::ifstream f(pfad ? pfad : "", std::ios::binary);
    std::string z;
    while (awKatAnzahl < AWKATSUP && std::getline(f, z)) awZeileLesen(z);
    // A name-ending marker set the count to the cap; count the real ones.
    awKatAnzahl = 0;
    while (awKatAnzahl < AWKATSUP && awKatalog[awKatAnzahl].name[0]) ++awKatAnzahl;
}

void AwKatalogLesen()
{
    if (awKatGelesen) return;
    char p[VERSUP + 40];
    PfadProgramm(p, sizeof p, "auswertungen.txt");
    AwKatalogAusDatei(p);
}

int AwAnzahl()
{
    AwKatalogLesen();
    return awKatAnzahl;
}

int AwEintrag(int index, char* name, char* typ, char* praefix, char* gruppe, char* programm)
{
    for (char* b : {name, typ, praefix, gruppe, programm})
        if (b) b[0] = '\0';
    if (index < 0 || index >= AwAnzahl()) return 0;
    const awkat& k = awKatalog[index];
    // Each buffer holds its field of awkat (the interface's sizes), no more.
    if (name) std::snprintf(name, sizeof k.name, "%s", k.name);
    if (typ) std::snprintf(typ, sizeof k.typ, "%s", k.typ);
    if (praefix) std::snprintf(praefix, sizeof k.praefix, "%s", k.praefix);
    if (gruppe) std::snprintf(gruppe, sizeof k.gruppe, "%s", k.gruppe);
    if (programm) std::snprintf(programm, sizeof k.programm, "%s", k.programm);
    return 1;
}

int AwTyp(int index)
{
    if (index < 0 || index >= AwAnzahl()) return 0;
    return awLeadingInt(awKatalog[index].typ);
}

const char* AwName(int index)
{
    if (index < 0 || index >= AwAnzahl()) return "";
    return awKatalog[index].name;
}

int AwAnzeigeName(int index, char* puffer)
{
    puffer[0] = '\0';
    if (index < 0 || index >= AwAnzahl()) return 0;
    awNamenLaden();
    std::snprintf(puffer, AWNAMESUP + 1, "%s", awKatalog[index].anzeige);
    if (!puffer[0]) return 0;
    return std::strncmp(puffer, "---", 3) == 0 ? 2 : 1;
}

std::vector<std::string> AwListe()
{
    std::vector<std::string> r;
    for (int i = 0; i < AwAnzahl(); ++i) {
        char anz[AWNAMESUP + 1];
        int a = AwAnzeigeName(i, anz);
        if (a == 2) continue;
        std::string z = a == 1 ? anz : awKatalog[i].name;
        z.resize(AWNAMESUP, ' ');
        r.push_back(z + std::to_string(i));
    }
    return r;
}

const char* AwListenText(int n)
{
    static std::string t;
    std::vector<std::string> l = AwListe();
    t = n >= 0 && n < static_cast<int>(l.size()) ? awTrimmen(l[static_cast<size_t>(n)].substr(0, AWNAMESUP)) : "";
    return t.c_str();
}

int AwListenIndex(const char* zeile)
{
    if (zeile == nullptr || std::strlen(zeile) <= static_cast<size_t>(AWNAMESUP)) return -1;
    const char* z = zeile + AWNAMESUP;
    if (*z < '0' || *z > '9') return -1;
    return std::atoi(z);
}

int AwSortCode(const char* text)
{
    std::string t = awTrimmen(text ? text : "");
    auto stelle = [&](size_t i) -> int {
        if (i >= t.size() || t[i] == '-' || t[i] == ' ') return -1;
        return t[i] >= '0' && t[i] <= '9' ? t[i] - '0' : -1;
    };
    int erst = stelle(0), zweit = stelle(1), dritt = stelle(2);
    int primaer = std::clamp(erst < 0 ? 0 : erst + 1, 1, 8);
    int sekundaer = std::clamp(zweit < 0 ? 0 : zweit + 1, 0, 8);
    int ordnung = std::clamp(dritt < 0 ? 0 : dritt, 0, 3);
    return primaer * 100 + sekundaer * 10 + ordnung;
}

int AwSortModus1(int code) { return std::clamp(code / 100, 1, 8); }

int AwSortModus2(int code) { return std::clamp((code / 10) % 10, 0, 8); }

void AwSortHakenEintragen() { BmlSortHakenSetzen(AwSortModus1, AwSortModus2); }

void AwArtenSetzen(awoptionen& o, const char* typen)
{
    std::string t = awTrimmen(typen ? typen : "");
    if (t.empty() || t == "*") {
        for (int& a : o.arten) a = 1;
        return;
    }
    for (char& c : t) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    static const char* const namen[AWARTEN] = {"std", "pot", "klm", "sps", "kab", "knx"};
    for (int i = 0; i < AWARTEN; ++i) o.arten[i] = t.find(namen[i]) != std::string::npos;
}

void AwKennungenSetzen(awoptionen& o, const char* bmkenn)
{
    for (auto& e : o.ein) e.clear();
    for (auto& a : o.aus) a.clear();
    o.alle = 0;
    o.mark = 0;
    std::string s = bmkenn ? bmkenn : "";
    int ne = 0, na = 0;
    for (std::string w = awWortAb(s); !w.empty(); w = awWortAb(s)) {
        if (w[0] == '-') {
            if (na < AWAUSSUP) o.aus[na++] = w.substr(1, AWMUSTERSUP);
        } else if (ne < AWEINSUP) {
            o.ein[ne++] = w.substr(0, AWMUSTERSUP);
        }
    }
    for (const auto& e : o.ein) {
        if (e == "*") o.alle = 1;
        if (e == "!") o.mark = 1;
    }
    for (const auto& a : o.aus)
        if (a == "!") o.mark = 2;
}

int AwNurMarkRegel(int wert, int markierte)
{
    if (wert == 1) return 1;
    if (wert == 2) return markierte > 1 ? 1 : 0;
    return 0;
}

void AwOptionenLaden(awoptionen& o, const char* praefix, int typ)
{
    o = awoptionen{};
    o.typ = typ;
    o.praefix = praefix ? praefix : "";
    VgbOeffnen();
    VgbPraefix(o.praefix.c_str());
    char t[VGBWERTSUP + 1];
    auto text = [&](const char* k) {
        VgbText(k, t, 40);
        return awTrimmen(t);
    };
    o.datei = text("datei");
    o.extxdat = text("extxdat");
    o.extxwie = std::clamp(VgbInt("extxwie"), 0, 2);
    bool filter = typ == 0 || typ == 1 || typ == 2 || typ == 3 || typ == 8;
    if (filter) {
        AwArtenSetzen(o, text("Typen").c_str());
        AwKennungenSetzen(o, text("bmkenn").c_str());
    }
    if (typ == 5 || typ == 6) o.sortiert = AwSortCode(text("sortKLM").c_str());
    else if (typ != 4) o.sortiert = AwSortCode(text("sortBPK").c_str());
    else o.sortiert = 0;
    if (typ <= 8) o.feld = VgbInt("feld") != 0;
    if (typ != 4) {
        o.bauwerk = text("bauwerk");
        o.objekt = text("objekt");
        o.extatt = std::clamp(VgbInt("extatt"), 0, 2);
    }
    if (typ == 7 || typ == 8) o.auf1sei = 1;
    else if (typ == 1 || typ == 5 || typ == 6 || typ == 9) o.auf1sei = VgbInt("auf1sei") != 0;
    if (typ == 1 || typ == 9) {
        o.fehler = text("fehler");
        o.abstand = VgbInt("abstand");
        o.knnzei = VgbInt("KnnZei");
        o.zusfas = VgbInt("zusfas") != 0;
        o.aufloe = VgbInt("aufloe") != 0;
    }
    if (typ == 2) {
        o.a3a4 = VgbInt("a3a4") != 0;
        std::string b = text("bauteil");
        if (b.empty()) b = text("btl1");
        o.bauteil = awWortAb(b);
    }
    VgbPraefix("");
    VgbSchliessen();
}

awoptionen& AwOptionen() { return awOpt; }

bool AwFilter(int art, const char* kennung)
{
    const awoptionen& o = awOpt;
    if (art < 0 || art >= AWARTEN || !o.arten[art]) return false;
    const char* k = kennung ? kennung : "";
    if (k[0] == '!') {
        if (o.mark == 1) return true;
        if (o.mark == 2) return false;
        return o.alle != 0;
    }
    if (!o.alle) {
        bool ein = false;
        for (const auto& e : o.ein)
            if (!e.empty() && awPraefixVon(e, k)) ein = true;
        if (!ein) return false;
    }
    for (const auto& a : o.aus)
        if (!a.empty() && awPraefixVon(a, k)) return false;
    return true;
}

bool AwOrtFilter(const char* bauwerk, const char* objekt, int extern_)
{
    const awoptionen& o = awOpt;
    auto gleich = [](const std::string& a, const char* b) {
        std::string x = b ? b : "";
        if (a.size() != x.size()) return false;
        for (size_t i = 0; i < a.size(); ++i)
            if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(x[i]))) return false;
        return true;
    };
    if (!o.bauwerk.empty() && !gleich(o.bauwerk, bauwerk)) return false;
    if (!o.objekt.empty() && !gleich(o.objekt, objekt)) return false;
    if (o.extatt == 1 && extern_) return false;
    if (o.extatt == 2 && !extern_) return false;
    return true;
}
