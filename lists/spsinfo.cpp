// PLC information (see spsinfo.h).
#include "lists/spsinfo.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "config/reaktion.h"
#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "support/bdatei.h"
#include "support/texte.h"
#include "support/vergleich.h"
#include "winlib/meldung.h"

namespace {

std::vector<spsinfo> spsSpeicher;
std::string spsPfad;   // the path read last; "" none
bool spsKurz = false;  // that path was read short: the store is empty and never written over it

constexpr char SPSTRENNER = 0x1C;
constexpr char SPSMARKE = 16;

void spsFeld(char* ziel, const std::string& quelle) { strkopie(ziel, SPSFELDSUP + 1, quelle.c_str(), SPSFELDSUP); }

}  // namespace

bool SpsSchluesselErlaubt(const char* schluessel) { return !schluessel || schluessel[0] != ')'; }

int SpsSatzZerlegen(void* satz, const char* zeile)
{
    auto* s = static_cast<spsinfo*>(satz);
    std::memset(s, 0, sizeof *s);
    const char* p = std::strchr(zeile, SPSTRENNER);
    if (!p) return 1;
    spsFeld(s->schluessel, std::string(zeile, p));
    for (int i = 0; i < SPSTEXTANZ && p; ++i) {
        const char* a = p + 1;
        p = std::strchr(a, SPSTRENNER);
        spsFeld(s->text[i], p ? std::string(a, p) : std::string(a));
    }
    return 1;
}

void SpsSatzZeile(const void* satz, char* zeile, int groesse)
{
    const auto* s = static_cast<const spsinfo*>(satz);
    std::string z = s->schluessel;
    for (const auto& t : s->text) z += SPSTRENNER + std::string(t);
    strkopie(zeile, static_cast<size_t>(groesse), z.c_str(), groesse - 1);
}

void SpsSatzNeu(void* satz)
{
    auto* s = static_cast<spsinfo*>(satz);
    std::memset(s, 0, sizeof *s);
    std::strcpy(s->schluessel, "?");
    std::strcpy(s->text[0], "?");
}

int SpsInfoLesen(const char* pfad)
{
    if (!spsKurz && !spsPfad.empty() && strvgl(spsPfad.c_str(), pfad) == 0) return 0;
    spsSpeicher.clear();
    spsPfad = pfad;
    spsKurz = false;
    BDAT d{};
    if (bdopenlesen(&d, pfad) < 0) return -1;
    char zeile[SPSZEILESUP + 1];
    const bool eigen = bdgets78(&d, zeile) >= 0 && std::strcmp(zeile, "zvkI") == 0;
    bool abschnitt = false;
    while (eigen && bdgets(&d, zeile, SPSZEILESUP) >= 0) {
        if (std::strcmp(zeile, ")E") == 0) break;
        if (std::strcmp(zeile, ")S SPSInfo") == 0) {
            abschnitt = true;
            continue;
        }
        if (!abschnitt || zeile[0] == ')') continue;
        spsinfo s;
        SpsSatzZerlegen(&s, zeile);
        spsSpeicher.push_back(s);
    }
    spsKurz = bdlesefehler(&d) != 0;
    bdclose(&d);
    if (spsKurz) {
        spsSpeicher.clear();
        wiMeldung(TextNr(250), pfad);
        return -1;
    }
    return 0;
}

int SpsInfoSchreiben()
{
    if (spsPfad.empty() || spsKurz) return -1;
    BDAT d{};
    if (bdmake(&d, spsPfad.c_str()) < 0) return -1;
    int ok = bdputsmodus(&d, "zvkI", 0) == 0 && bdputsmodus(&d, ")S SPSInfo", 0) == 0;
    char zeile[SPSTEXTANZ * (SPSFELDSUP + 1) + SPSFELDSUP + 2];
    for (const spsinfo& s : spsSpeicher) {
        SpsSatzZeile(&s, zeile, sizeof zeile);
        ok = ok && bdputsmodus(&d, zeile, 0) == 0;
    }
    ok = ok && bdputsmodus(&d, ")E", 0) == 0;
    if (!ok) d.fehler = 1;  // bdclose then drops the new file
    return bdclose(&d) == 0 && ok ? 0 : -1;
}

const char* SpsInfoDatei() { return spsPfad.c_str(); }
int SpsInfoAnzahl() { return static_cast<int>(spsSpeicher.size()); }

int SpsInfoSatz(int i, spsinfo* s)
{
    if (i < 0 || i >= SpsInfoAnzahl()) {
        std::memset(s, 0, sizeof *s);
        return 0;
    }
    *s = spsSpeicher[static_cast<size_t>(i)];
    return 1;
}

std::vector<spsinfo>& SpsInfoSpeicher() { return spsSpeicher; }

void SpsInfoVergessen()
{
    spsSpeicher.clear();
    spsPfad.clear();
    spsKurz = false;
}

// ---- text files ----------------------------------------------------------------------------------

std::string SpsVorlageVorbereiten(const char* vorlage)
{
    char t[4 * SPSFMTSUP + 1];
    strkopie(t, vorlage, SPSFMTSUP);
    for (const char* alt : {" | ", " |", "| ", "|"})
        for (int i = 0; i < 19 && strersetzen(t, sizeof t, alt, "\r\n", SPSFMTSUP) >= 0; ++i) {}
    for (char c = 'A'; c <= 'T'; ++c) {
        if (static_cast<int>(std::strlen(t)) >= SPSFMTSUP) break;
        char* p = t;
        while ((p = std::strchr(p, c)) != nullptr && p > t && p[-1] == SPSMARKE) ++p;
        if (!p) continue;
        const char marke[2] = {SPSMARKE, 0};
        streinfuegen(marke, t, sizeof t, static_cast<int>(p - t));
    }
    return t;
}

std::vector<std::string> SpsSatzTexte(const spsinfo& s, const std::string& vorlage, int format, int einzug)
{
    std::string voll;
    for (size_t i = 0; i < vorlage.size(); ++i) {
        if (vorlage[i] != SPSMARKE || i + 1 >= vorlage.size()) {
            voll += vorlage[i];
            continue;
        }
        const char c = vorlage[++i];
        if (c == 'A') voll += s.schluessel;
        else if (c >= 'B' && c <= 'K') voll += s.text[c - 'B'];
        else voll += c;  // an unfilled marked letter stands as written
    }
    std::vector<std::string> zeilen;
    if (voll.empty()) return zeilen;
    size_t a = 0;
    for (int n = 0; n < SPSTXTZEILEN && a <= voll.size(); ++n) {
        size_t e = voll.find('\r', a);
        if (e == std::string::npos) e = voll.size();
        std::string z = voll.substr(a, e - a);
        a = e + 1;
        z.erase(std::remove(z.begin(), z.end(), '\n'), z.end());
        const size_t l = z.find_first_not_of(" \t"), r = z.find_last_not_of(" \t");
        if (l == std::string::npos) continue;
        z = z.substr(l, r - l + 1);
        if (format == 1 && !zeilen.empty()) {
            const size_t n = einzug == 100 ? std::strlen(s.schluessel) : static_cast<size_t>(einzug);
            z.insert(0, n, ' ');
        }
        zeilen.push_back(z);
        if (e == voll.size()) break;
    }
    return zeilen;
}

int SpsTexteErzeugen()
{
    char fmt[2][SPSFMTSUP + 1] = {"", ""};
    VgbText("SPSTxtFmt0", fmt[0], SPSFMTSUP);
    VgbText("SPSTxtFmt1", fmt[1], SPSFMTSUP);
    int einzug = 100;
    const char* f1 = fmt[1];
    if (std::isdigit(static_cast<unsigned char>(*f1))) {
        einzug = std::atoi(f1);
        while (std::isdigit(static_cast<unsigned char>(*f1))) ++f1;
        while (*f1 == ' ') ++f1;
    }
    const std::string vorlage[2] = {SpsVorlageVorbereiten(fmt[0]), SpsVorlageVorbereiten(f1)};
    int ergebnis = 0;
    for (int n = 0; n < 2; ++n) {
        char schluessel[24], wert[SPSFMTSUP + 1] = "";
        std::snprintf(schluessel, sizeof schluessel, "SPSTxtDat%d", n);
        VgbText(schluessel, wert, SPSFMTSUP);
        char* rest = wert;
        const int art = static_cast<int>(zahlab(rest));
        strtrim(rest);
        if (art == 0 || strleer(rest)) continue;
        char pfad[300];
        PfadProjekt(pfad, sizeof pfad, rest);
        BDAT d{};
        const int offen = bdmake(&d, pfad) >= 0;
        int ok = offen;
        if (ok && (art == 1 || art == 2)) {
            for (const spsinfo& s : spsSpeicher)
                for (const std::string& z : SpsSatzTexte(s, vorlage[art - 1], art - 1, einzug))
                    ok = ok && bdputsmodus(&d, z.c_str(), 1) == 0;
        }
        if (offen) {
            if (!ok) d.fehler = 1;  // bdclose then keeps the old file
            ok = bdclose(&d) == 0 && ok;
        }
        if (!ok) {
            wiMeldung(TextNr(243), pfad);
            ergebnis = -1;
        }
    }
    return ergebnis;
}
