// Numbered texts, language and norm selection, test options (see reaktion.h).
#include "config/reaktion.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "config/konfhaken.h"
#include "config/textring.h"
#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "platform/orte.h"
#include "platform/ressource.h"
#include "support/bdatei.h"
#include "support/texte.h"
#include "support/vergleich.h"

namespace {

char textRing[10][TEXTLAENGE + 1];
int textRingIndex = 0;

int sprExplizit = -1;
int sprVorgabe = 0;
std::string sprName = "Sprache 0";

bool sprDateienGeladen = false;
std::string sprTD, sprDat0, sprDat1, sprSpr0, sprSpr1;

int normExplizit = -1;
int normVorgabe = 0;
int normAktiv = 0;
const char* const normNamen[2] = {"DIN 40719", "DIN/ISO EN/IEC 81346"};

char testOptionen[TESTOPTIONSUP + 1] = "";

void textHolen(int n, char* puffer, size_t groesse)
{
    const std::string* t = rcText(GetModuleHandle(nullptr), static_cast<UINT>(n));
    if (t) {
        strkopie(puffer, groesse, t->c_str(), TEXTLAENGE);
    } else {
        char b[40];
        std::snprintf(b, sizeof b, "Text %d fehlt.", n);
        strkopie(puffer, groesse, b, TEXTLAENGE);
    }
}

void textKopie(int n, char* puffer, size_t groesse)
{
    char b[TEXTLAENGE + 1];
    TextLadenIn(n, b, sizeof b);
    strkopie(puffer, groesse, TextRing("Text", n, b), TEXTLAENGE);
}

int klemmen(int n, int a, int b)
{
    return imax(a, imin(b, n));
}

// The defaults key's value (first word when `wort`), the default when missing.
std::string sprLesen(const char* schluessel, const char* standard, bool wort)
{
    char b[VGBWERTSUP + 1];
    if (VgbText(schluessel, b, VGBWERTSUP) < 0 || strleer(b)) return standard;
    std::string s = b;
    if (wort) {
        char w[VGBWERTSUP + 1];
        wortab(w, b);
        s = w;
    }
    return s;
}

void sprDateienLaden()
{
    if (sprDateienGeladen) return;
    sprDateienGeladen = true;
    VgbOeffnen();
    VgbFehlMeldung(0);
    sprTD = sprLesen("SprTD", "SPRACHE?.TXT", false);
    sprDat0 = sprLesen("SPSTxtDat0", "", true);
    sprDat1 = sprLesen("SPSTxtDat1", "", true);
    sprSpr0 = sprLesen("SPSTxtSpr0", "", false);
    sprSpr1 = sprLesen("SPSTxtSpr1", "", false);
    VgbFehlMeldung(1);
    VgbSchliessen();
}

std::string sprBasis()
{
    sprDateienLaden();
    std::string b = sprTD;
    size_t f = b.find('?');
    if (f != std::string::npos) {
        b.erase(f, 1);
        if (f > 0 && b[f - 1] == '_') b.erase(f - 1, 1);
    }
    return b;
}

std::string sprEinsetzen(const std::string& muster, int sprache)
{
    std::string r = muster;
    size_t f = r.find('?');
    if (f != std::string::npos) r[f] = static_cast<char>('0' + sprache);
    return r;
}

// '?' stands for one character; everything else compares ignoring case.
bool sprPasst(const std::string& muster, const std::string& name)
{
    if (muster.empty() || muster.size() != name.size()) return false;
    for (size_t i = 0; i < muster.size(); ++i) {
        if (muster[i] == '?') continue;
        if (zgross(static_cast<unsigned char>(muster[i])) != zgross(static_cast<unsigned char>(name[i]))) return false;
    }
    return true;
}

bool sprGleich(const std::string& a, const std::string& b)
{
    return !a.empty() && strvgl(a.c_str(), b.c_str()) == 0;
}

size_t sprNamensTeil(const char* pfad)
{
    const char* s = pfad;
    for (const char* p = pfad; *p; ++p) {
        if (*p == '/' || *p == '\\' || *p == ':') s = p + 1;
    }
    return static_cast<size_t>(s - pfad);
}

// The last command-line word with the prefix (ignoring case), or nullptr.
const char* letztesWort(const char* praefix)
{
    const char* r = nullptr;
    int n = static_cast<int>(std::strlen(praefix));
    for (int i = 1; i < plOrtArgumentAnzahl(); ++i) {
        const char* w = plOrtArgument(i);
        if (w && strnvgl(w, praefix, n) == 0) r = w + n;
    }
    return r;
}

}  // namespace

int imin(int a, int b) { return a < b ? a : b; }
int imax(int a, int b) { return a > b ? a : b; }

const char* TextLaden(int n)
{
    char* p = textRing[textRingIndex];
    textRingIndex = (textRingIndex + 1) % 10;
    textHolen(n, p, TEXTLAENGE + 1);
    return p;
}

void TextLadenIn(int n, char* puffer, size_t groesse)
{
    textHolen(n, puffer, groesse);
}

const char* TextNr(int n) { return TextRing("Text", n, TextLaden(n)); }
void TextNrKopie(int n, char* puffer, size_t groesse) { textKopie(n, puffer, groesse); }
const char* TextNr1000(int n) { return TextNr(n + 1000); }
void TextNr1000Kopie(int n, char* puffer, size_t groesse) { textKopie(n + 1000, puffer, groesse); }
const char* TextNr3000(int n) { return TextNr(n + 3000); }
void TextNr3000Kopie(int n, char* puffer, size_t groesse) { textKopie(n + 3000, puffer, groesse); }

void TextRingFrei()
{
    std::memset(textRing, 0, sizeof textRing);
    textRingIndex = 0;
}

int SprNummer()
{
    return sprExplizit >= 0 ? sprExplizit : sprVorgabe;
}

void SprSetzen(int n)
{
    sprExplizit = klemmen(n, 0, 9);
    SprNameLaden();
}

void SprOption()
{
    const char* w = letztesWort("-S=");
    SprSetzen(w ? std::atoi(w) : sprExplizit);
}

void SprLaden()
{
    VgbOeffnen();
    sprVorgabe = VgbInt("SprPrj");
    VgbSchliessen();
    sprDateienGeladen = false;
    SprNameLaden();
}

std::string SprDateiEigen() { return plOrtAnwendung() + "/Sprache.txt"; }

int SprDateiLesen(std::vector<SprZeile>* zeilen, std::string* pfad)
{
    zeilen->clear();
    std::string p = SprDateiEigen();
    BDAT d{};
    if (bdopenlesen(&d, p.c_str()) < 0) {
        char programm[VERSUP + 40];
        PfadBilden(0, "Sprache.txt", nullptr, programm, sizeof programm);
        p = programm;
        if (bdopenlesen(&d, programm) < 0) {
            if (pfad) *pfad = p;
            return -1;
        }
    }
    if (pfad) *pfad = p;
    char zeile[SPRZEILESUP + 1];
    while (static_cast<int>(zeilen->size()) < SPRZEILENSUP && bdgets(&d, zeile, SPRZEILESUP) >= 0) {
        SprZeile z;
        z.text = zeile;
        z.nummer = std::atoi(zeile);
        z.name = z.text.size() > 2 ? z.text.substr(2) : std::string();
        zeilen->push_back(std::move(z));
    }
    const bool kurz = bdlesefehler(&d) != 0;
    bdclose(&d);
    if (kurz) {
        zeilen->clear();
        return -2;
    }
    return 0;
}

void SprNameLaden()
{
    int nr = SprNummer();
    sprName = "Sprache " + std::to_string(nr);
    std::vector<SprZeile> zeilen;
    SprDateiLesen(&zeilen, nullptr);
    for (const SprZeile& z : zeilen) {
        if (z.nummer == nr) {
            sprName = z.name;
            return;
        }
    }
}

void SprName(char* puffer, size_t groesse)
{
    strkopie(puffer, groesse, sprName.c_str(), static_cast<int>(sprName.size()));
}

void SprTitel()
{
    if (SprNummer() == 0) return;
    char t[300];
    konfHaken().dlgTitelHolen(t, sizeof t);
    std::string neu = std::string(t) + " - " + sprName;
    konfHaken().dlgTitelSetzen(neu.c_str());
}

void SprTextDateiNr(char* puffer, size_t groesse, int sprache, int art)
{
    sprDateienLaden();
    std::string r;
    bool spsA = art == 3 || art == 4;
    bool spsB = art == 5 || art == 6;
    if (sprache != 0) {
        r = sprEinsetzen(spsA ? sprSpr0 : spsB ? sprSpr1 : sprTD, sprache);
    } else {
        r = spsA ? sprDat0 : spsB ? sprDat1 : sprBasis();
    }
    strkopie(puffer, groesse, r.c_str(), static_cast<int>(r.size()));
}

void SprTextDatei(char* puffer, size_t groesse, int art)
{
    SprTextDateiNr(puffer, groesse, SprNummer(), art);
}

int SprTextDateiArt(const char* pfad)
{
    if (!pfad) return 0;
    sprDateienLaden();
    char b[VERSUP + 100];
    strkopie(b, pfad + sprNamensTeil(pfad), static_cast<int>(sizeof b) - 1);
    char w[sizeof b];
    wortab(w, b);
    std::string n = w;
    if (sprGleich(sprBasis(), n)) return 1;
    if (sprPasst(sprTD, n)) return 2;
    if (sprGleich(sprDat0, n)) return 3;
    if (sprPasst(sprSpr0, n)) return 4;
    if (sprGleich(sprDat1, n)) return 5;
    if (sprPasst(sprSpr1, n)) return 6;
    return 0;
}

void SprMuster(char* puffer, size_t groesse)
{
    sprDateienLaden();
    strkopie(puffer, groesse, sprTD.c_str(), static_cast<int>(sprTD.size()));
}

int SprTextNeutral(int code, char* text, size_t groesse)
{
    if (code != '$' || !text || SprTextDateiArt(text) == 0) return 0;
    size_t f = sprTD.find('?');
    if (f == std::string::npos) return 1;
    size_t pos = sprNamensTeil(text) + f;
    size_t laenge = std::strlen(text);
    if (pos >= laenge) return 1;
    if (text[pos] == '.') {
        streinfuegen("0", text, groesse, static_cast<int>(pos));
    } else {
        text[pos] = '0';
    }
    return 1;
}

int SprDateiUmbenennen(int code, char* text, size_t groesse)
{
    if (!text || groesse == 0) return 0;
    // Renamed in a copy with room for the inserted "0": a name that would
    // no longer fit the record stays as it is rather than lose its end.
    std::string neu(std::strlen(text) + 2, '\0');
    std::memcpy(neu.data(), text, neu.size() - 2);
    SprTextNeutral(code, neu.data(), neu.size());
    neu.resize(std::strlen(neu.c_str()));
    if (neu == text || neu.size() >= groesse) return 0;
    std::memcpy(text, neu.c_str(), neu.size() + 1);
    return 1;
}

int BMNorm()
{
    return normExplizit >= 0 ? normExplizit : normVorgabe;
}

void BMNormSetzen(int n)
{
    normExplizit = klemmen(n, 0, 1);
    normAktiv = BMNorm();
}

void BMNormName(int n, char* puffer, size_t groesse)
{
    strkopie(puffer, groesse, normNamen[klemmen(n, 0, 1)], BMNORMNAMESUP);
}

void BMNormOption()
{
    for (int i = 1; i < plOrtArgumentAnzahl(); ++i) {
        const char* w = plOrtArgument(i);
        if (w && strnvgl(w, "-N=", 3) == 0) BMNormSetzen(std::atoi(w + 3));
    }
}

void BMNormLaden()
{
    VgbOeffnen();
    normVorgabe = klemmen(VgbInt("BMnorm"), 0, 1);
    VgbSchliessen();
    normAktiv = BMNorm();
}

void TestOptionLesen()
{
    const char* w = letztesWort("-T=");
    strkopie(testOptionen, w ? w : "", TESTOPTIONSUP);
}

int TestOption(int buchstabe)
{
    return buchstabe != 0 && std::strchr(testOptionen, buchstabe) != nullptr ? 1 : 0;
}

void SprZuruecksetzen()
{
    sprExplizit = -1;
    sprVorgabe = 0;
    sprName = "Sprache 0";
    sprDateienGeladen = false;
    normExplizit = -1;
    normVorgabe = 0;
    normAktiv = 0;
    testOptionen[0] = '\0';
}
