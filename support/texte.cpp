// In-place text editing, word and field splitting, tabs, environment
// references and the number-text ring; see texte.h. Calls speicher,
// vergleich (case maps) and the environment of platform/orte.
#include "support/texte.h"

#include <charconv>
#include <cstring>
#include <string>

#include "platform/orte.h"
#include "support/vergleich.h"

namespace {

char texRing[TEXTRINGSUP][ZAHLTEXTSUP + 1];
int texRingIndex = 0;

char* texRingNaechster()
{
    char* p = texRing[texRingIndex];
    texRingIndex = (texRingIndex + 1) % TEXTRINGSUP;
    return p;
}

inline size_t texLaenge(const char* s)
{
    return std::strlen(s);
}

// Largest text length a buffer of `groesse` bytes holds.
inline size_t texRaum(size_t groesse)
{
    return groesse == 0 ? 0 : groesse - 1;
}

// Copies n bytes of q to the target cut to its capacity; terminates; returns
// the length stored.
int texAblegen(char* ziel, size_t groesse, const char* q, size_t n)
{
    if (groesse == 0) {
        return 0;
    }
    if (n > groesse - 1) {
        n = groesse - 1;
    }
    std::memmove(ziel, q, n);
    ziel[n] = '\0';
    return static_cast<int>(n);
}

// Removes n characters at the front of s.
void texVorneWeg(char* s, size_t n)
{
    size_t len = texLaenge(s);
    if (n > len) {
        n = len;
    }
    std::memmove(s, s + n, len - n + 1);
}

}  // namespace

bool istweiss(int c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

int strrtrim(char* s)
{
    size_t n = texLaenge(s);
    while (n > 0 && istweiss(static_cast<unsigned char>(s[n - 1]))) {
        --n;
    }
    s[n] = '\0';
    return n > 0 ? 1 : 0;
}

int strtrim(char* s)
{
    size_t vorne = 0;
    while (istweiss(static_cast<unsigned char>(s[vorne]))) {
        ++vorne;
    }
    if (vorne > 0) {
        texVorneWeg(s, vorne);
    }
    return strrtrim(s);
}

void zeilenendeweg(char* s)
{
    s[std::strcspn(s, "\r\n")] = '\0';
    strrtrim(s);
}

int strleer(const char* s)
{
    for (; *s != '\0'; ++s) {
        if (!istweiss(static_cast<unsigned char>(*s))) {
            return 0;
        }
    }
    return 1;
}

int strkopie(char* ziel, size_t groesse, const char* quelle, int n)
{
    if (n < 0) {
        n = 0;
    }
    return texAblegen(ziel, groesse, quelle, strnlen(quelle, static_cast<size_t>(n)));
}

int strkopieohne(char* ziel, size_t groesse, const char* quelle, int n)
{
    if (n < 0) {
        n = 0;
    }
    size_t m = strnlen(quelle, static_cast<size_t>(n));
    if (m > groesse) {
        m = groesse;
    }
    std::memmove(ziel, quelle, m);
    return static_cast<int>(m);
}

void strueberschreiben(char* ziel, size_t groesse, const char* quelle)
{
    size_t m = strnlen(quelle, groesse);
    std::memmove(ziel, quelle, m);
}

void strbreite(char* ziel, size_t groesse, const char* quelle, int n)
{
    if (groesse == 0) {
        return;
    }
    size_t breite = n > 0 ? static_cast<size_t>(n) : 0;
    if (breite > groesse - 1) {
        breite = groesse - 1;
    }
    size_t m = strnlen(quelle, breite);
    std::memmove(ziel, quelle, m);
    std::memset(ziel + m, ' ', breite - m);
    ziel[breite] = '\0';
}

char* strfuellen(char* puffer, size_t groesse, int n, char c)
{
    if (groesse == 0) {
        return puffer;
    }
    size_t m = n > 0 ? static_cast<size_t>(n) : 0;
    if (m > groesse - 1) {
        m = groesse - 1;
    }
    std::memset(puffer, c, m);
    puffer[m] = '\0';
    return puffer;
}

void leerauffuellen(char* s, const char* vorlage)
{
    for (size_t i = 0; s[i] != '\0' && vorlage[i] != '\0'; ++i) {
        if (s[i] == ' ') {
            s[i] = vorlage[i];
        }
    }
}

char* streinfuegen(const char* einfuegung, char* s, size_t groesse, int position)
{
    size_t raum = texRaum(groesse);
    size_t len = texLaenge(s);
    if (len > raum) {
        return s;  // not a text of this capacity: leave it alone
    }
    size_t pos = position < 0 ? 0 : static_cast<size_t>(position);
    if (pos > len) {
        pos = len;
    }
    // The insertion may lie inside s itself; work on a copy of it.
    std::string e(einfuegung);
    size_t ein = e.size() < raum - pos ? e.size() : raum - pos;
    size_t rest = len - pos;
    if (rest > raum - pos - ein) {
        rest = raum - pos - ein;
    }
    std::memmove(s + pos + ein, s + pos, rest);
    std::memcpy(s + pos, e.data(), ein);
    s[pos + ein + rest] = '\0';
    return s;
}

void strloeschen(char* s, int position, int n)
{
    if (n <= 0 || position < 0) {
        return;
    }
    size_t len = texLaenge(s);
    size_t pos = static_cast<size_t>(position);
    if (pos >= len) {
        return;
    }
    size_t m = static_cast<size_t>(n);
    if (m > len - pos) {
        m = len - pos;
    }
    std::memmove(s + pos, s + pos + m, len - pos - m + 1);
}

int zeichenweg(char* s, char c)
{
    char* z = s;
    for (const char* q = s; *q != '\0'; ++q) {
        if (*q != c) {
            *z++ = *q;
        }
    }
    bool weg = *z != '\0';
    *z = '\0';
    return weg ? 1 : 0;
}

int zeichentausch(char* s, char von, char nach)
{
    int getauscht = 0;
    for (; *s != '\0'; ++s) {
        if (*s == von) {
            *s = nach;
            getauscht = 1;
        }
    }
    return getauscht;
}

int zeichenpos(const char* s, char c)
{
    const char* p = std::strchr(s, c);
    return p != nullptr && c != '\0' ? static_cast<int>(p - s) : -1;
}

int zeichenposr(const char* s, char c)
{
    const char* p = std::strrchr(s, c);
    return p != nullptr && c != '\0' ? static_cast<int>(p - s) : -1;
}

int zeichenausmenge(const char* s, const char* menge)
{
    size_t i = std::strcspn(s, menge);
    return s[i] != '\0' ? static_cast<int>(i) : -1;
}

int nurzeichen(const char* s, const char* menge)
{
    return s[std::strspn(s, menge)] == '\0' ? 1 : 0;
}

int nurziffern(const char* s)
{
    return nurzeichen(s, "0123456789");
}

int strpos(const char* s, const char* teil)
{
    if (*s == '\0') {
        return -1;
    }
    const char* p = std::strstr(s, teil);
    return p != nullptr ? static_cast<int>(p - s) : -1;
}

int strposi(const char* s, const char* teil)
{
    if (*s == '\0') {
        return -1;
    }
    for (size_t i = 0; s[i] != '\0'; ++i) {
        size_t k = 0;
        while (teil[k] != '\0' && zgross(static_cast<unsigned char>(s[i + k])) ==
                                      zgross(static_cast<unsigned char>(teil[k]))) {
            ++k;
        }
        if (teil[k] == '\0') {
            return static_cast<int>(i);
        }
    }
    return *teil == '\0' ? 0 : -1;
}

int strersetzen(char* s, size_t groesse, const char* alt, const char* neu, int limit)
{
    int i = strpos(s, alt);
    if (i < 0) {
        return -1;
    }
    size_t la = texLaenge(alt);
    std::string n(neu);
    size_t neuLaenge = texLaenge(s) - la + n.size();
    if ((limit > 0 && neuLaenge > static_cast<size_t>(limit)) || neuLaenge > texRaum(groesse)) {
        return -1;
    }
    strloeschen(s, i, static_cast<int>(la));
    streinfuegen(n.c_str(), s, groesse, i);
    return i;
}

char* strende(char* s)
{
    return s + texLaenge(s);
}

const char* strende(const char* s)
{
    return s + texLaenge(s);
}

void strgross(char* s)
{
    for (; *s != '\0'; ++s) {
        *s = static_cast<char>(zgross(static_cast<unsigned char>(*s)));
    }
}

void strklein(char* s)
{
    for (; *s != '\0'; ++s) {
        *s = static_cast<char>(zklein(static_cast<unsigned char>(*s)));
    }
}

int wortab(char* ziel, size_t groesse, char* s)
{
    strtrim(s);
    size_t n = 0;
    while (s[n] != '\0' && !istweiss(static_cast<unsigned char>(s[n]))) {
        ++n;
    }
    int gespeichert = texAblegen(ziel, groesse, s, n);
    texVorneWeg(s, n);
    strtrim(s);
    return gespeichert;
}

int wortabhinten(char* ziel, size_t groesse, char* s)
{
    strtrim(s);
    size_t len = texLaenge(s);
    size_t beginn = len;
    while (beginn > 0 && !istweiss(static_cast<unsigned char>(s[beginn - 1]))) {
        --beginn;
    }
    int gespeichert = texAblegen(ziel, groesse, s + beginn, len - beginn);
    s[beginn] = '\0';
    strrtrim(s);
    return gespeichert;
}

long zahlab(char* s)
{
    size_t i = 0;
    while (istweiss(static_cast<unsigned char>(s[i]))) {
        ++i;
    }
    bool negativ = false;
    if (s[i] == '-') {
        negativ = true;
        ++i;
    }
    long wert = 0;
    constexpr long grenze = 2147483647L;
    while (s[i] >= '0' && s[i] <= '9') {
        if (wert <= grenze) {
            wert = wert * 10 + (s[i] - '0');
        }
        ++i;
    }
    if (wert > grenze) {
        wert = grenze;  // saturated, as no caller expects more than 32 bits
    }
    while (istweiss(static_cast<unsigned char>(s[i]))) {
        ++i;
    }
    texVorneWeg(s, i);
    return negativ ? -wert : wert;
}

uint32_t hexwert(const char* s)
{
    while (istweiss(static_cast<unsigned char>(*s))) {
        ++s;
    }
    uint32_t wert = 0;
    for (;; ++s) {
        char c = *s;
        int z;
        if (c >= '0' && c <= '9') {
            z = c - '0';
        } else if (c >= 'A' && c <= 'F') {
            z = c - 'A' + 10;
        } else if (c >= 'a' && c <= 'f') {
            z = c - 'a' + 10;
        } else {
            break;
        }
        wert = wert * 16 + static_cast<uint32_t>(z);
    }
    return wert;
}

int feldab(char* ziel, size_t groesse, char* s, char trenner)
{
    const char* p = trenner != '\0' ? std::strchr(s, trenner) : nullptr;
    size_t n = p != nullptr ? static_cast<size_t>(p - s) : texLaenge(s);
    int gespeichert = texAblegen(ziel, groesse, s, n);
    texVorneWeg(s, p != nullptr ? n + 1 : n);
    return gespeichert;
}

int feldabquot(char* ziel, size_t groesse, char* s, char trenner)
{
    int n = feldab(ziel, groesse, s, trenner);
    for (char q : {'"', '\''}) {
        if (n >= 2 && ziel[0] == q && ziel[n - 1] == q) {
            ziel[n - 1] = '\0';
            texVorneWeg(ziel, 1);
            return n - 2;
        }
    }
    return n;
}

int quotfeldab(char* ziel, size_t groesse, char* s)
{
    char d = s[0];
    if (d == '\0') {
        return texAblegen(ziel, groesse, s, 0);
    }
    const char* p = std::strchr(s + 1, d);
    size_t n = p != nullptr ? static_cast<size_t>(p - (s + 1)) : texLaenge(s + 1);
    int gespeichert = texAblegen(ziel, groesse, s + 1, n);
    texVorneWeg(s, n + 1);  // the closing delimiter stays in front
    return gespeichert;
}

int tabaufloesen(char* ziel, size_t groesse, const char* quelle, int breite)
{
    if (groesse == 0) {
        return 0;
    }
    size_t w = breite > 0 ? static_cast<size_t>(breite) : 1;
    size_t raum = groesse - 1;
    std::string q(quelle);  // the target may be the source
    size_t n = 0;
    for (char c : q) {
        if (c == '\t') {
            do {
                if (n >= raum) {
                    break;
                }
                ziel[n++] = ' ';
            } while (n % w != 0);
        } else if (n < raum) {
            ziel[n++] = c;
        }
        if (n >= raum) {
            break;
        }
    }
    ziel[n] = '\0';
    return static_cast<int>(n);
}

void tabaufloesen8(char* s, size_t groesse)
{
    tabaufloesen(s, groesse, s, 8);
}

void tabeinsetzen8(char* s)
{
    size_t len = texLaenge(s);
    size_t z = 0;
    size_t i = 0;
    while (i < len) {
        if (s[i] != ' ') {
            s[z++] = s[i++];
            continue;
        }
        size_t ende = i;
        while (ende < len && s[ende] == ' ') {
            ++ende;
        }
        // Columns are those of the text as it was (z never passes i).
        bool tab = ende < len && ende % 8 == 0 && ende - i >= 2 && i + 8 >= ende;
        if (tab) {
            s[z++] = '\t';
        } else {
            for (size_t k = i; k < ende; ++k) {
                s[z++] = ' ';
            }
        }
        i = ende;
    }
    s[z] = '\0';
}

int tildeliste(char* liste, size_t groesse, const char* eintrag)
{
    bool gueltig = liste[0] == '~' && texLaenge(liste) <= texRaum(groesse);
    size_t basis = gueltig ? texLaenge(liste) : 1;
    size_t e = texLaenge(eintrag);
    if (groesse < 2 || basis + e + 1 > texRaum(groesse)) {
        return -1;
    }
    if (!gueltig) {
        liste[0] = '~';
    }
    std::memcpy(liste + basis, eintrag, e);
    liste[basis + e] = '~';
    liste[basis + e + 1] = '\0';
    return 0;
}

void StrKommaPunkt(char* s)
{
    zeichentausch(s, ',', '.');
}

void StrPunktKomma(char* s)
{
    zeichentausch(s, '.', ',');
}

void umgebungeinsetzen(char* s, size_t groesse)
{
    size_t raum = texRaum(groesse);
    size_t i = 0;
    while (s[i] != '\0') {
        size_t nameAnfang;
        char schluss;
        if (s[i] == '%') {
            nameAnfang = i + 1;
            schluss = '%';
        } else if (s[i] == '$' && s[i + 1] == '(') {
            nameAnfang = i + 2;
            schluss = ')';
        } else {
            ++i;
            continue;
        }
        const char* ende = std::strchr(s + nameAnfang, schluss);
        std::string wert;
        if (ende != nullptr && ende > s + nameAnfang &&
            ende - (s + nameAnfang) <= UMGEBUNGWERTSUP &&
            plOrtUmgebung(std::string(s + nameAnfang, static_cast<size_t>(ende - (s + nameAnfang))).c_str(), &wert)) {
            if (wert.size() > static_cast<size_t>(UMGEBUNGWERTSUP)) {
                wert.resize(UMGEBUNGWERTSUP);
            }
            size_t refLaenge = static_cast<size_t>(ende - s) + 1 - i;
            size_t len = texLaenge(s);
            if (len - refLaenge + wert.size() <= raum) {
                std::memmove(s + i + wert.size(), s + i + refLaenge, len - i - refLaenge + 1);
                std::memcpy(s + i, wert.data(), wert.size());
                i += wert.size();  // the value is not expanded again
                continue;
            }
        }
        ++i;  // unknown or too long: left as written, scan on behind its first byte
    }
}

const char* StrAusInt(long wert)
{
    char* p = texRingNaechster();
    auto r = std::to_chars(p, p + ZAHLTEXTSUP, wert);
    *r.ptr = '\0';
    return p;
}

const char* StrAusHex(uint32_t wert)
{
    char* p = texRingNaechster();
    char roh[16];
    auto r = std::to_chars(roh, roh + sizeof roh, wert, 16);
    size_t n = static_cast<size_t>(r.ptr - roh);
    size_t nullen = n < 4 ? 4 - n : 0;
    std::memset(p, '0', nullen);
    for (size_t k = 0; k < n; ++k) {
        p[nullen + k] = static_cast<char>(zgross(static_cast<unsigned char>(roh[k])));
    }
    p[nullen + n] = '\0';
    return p;
}

const char* StrAusDouble(double wert)
{
    char* p = texRingNaechster();
    auto r = std::to_chars(p, p + ZAHLTEXTSUP, wert, std::chars_format::fixed, 4);
    if (r.ec != std::errc()) {
        std::memset(p, '*', ZAHLTEXTSUP);
        p[ZAHLTEXTSUP] = '\0';
    } else {
        *r.ptr = '\0';
    }
    return p;
}
