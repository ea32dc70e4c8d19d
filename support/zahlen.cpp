// Number texts with decimal separator and grouping, and reading them back;
// see zahlen.h. Formats with std::to_chars and reads with std::from_chars,
// so the process locale never matters. Calls texte.
#include "support/zahlen.h"

#include <charconv>
#include <cstring>
#include <string>

#include "support/texte.h"

namespace {

char zlDezimal = ',';
char zlGruppe = '.';

// The value in fixed form with `dezimalen` decimals and '.' as point.
std::string zlFest(double wert, int dezimalen)
{
    char puffer[512];
    auto r = std::to_chars(puffer, puffer + sizeof puffer, wert, std::chars_format::fixed,
                           dezimalen < 0 ? 0 : dezimalen);
    if (r.ec != std::errc()) {
        return std::string(1, '*');
    }
    return std::string(puffer, r.ptr);
}

// Copies the text cut into the target; when it does not fit, the target is
// filled with '*' instead. Returns 0, or -1 when it did not fit.
int zlAblegen(char* ziel, size_t groesse, const std::string& text)
{
    if (groesse == 0) {
        return -1;
    }
    if (text.size() > groesse - 1) {
        std::memset(ziel, '*', groesse - 1);
        ziel[groesse - 1] = '\0';
        return -1;
    }
    std::memcpy(ziel, text.c_str(), text.size() + 1);
    return 0;
}

// Steps 1 of the display form: the decimals rule.
std::string zlDezimalen(double wert, int dezimalen)
{
    if (dezimalen == 9 || dezimalen < 0) {
        std::string t = zlFest(wert, 5);
        size_t punkt = t.find('.');
        if (punkt == std::string::npos) {
            return t;
        }
        size_t mindest = dezimalen == 9 ? 0 : static_cast<size_t>(-static_cast<long>(dezimalen));
        if (mindest > 5) {
            mindest = 5;
        }
        while (t.size() > punkt + 1 + mindest && t.back() == '0') {
            t.pop_back();
        }
        if (dezimalen == 9 && t.back() == '.') {
            t.pop_back();
        }
        return t;
    }
    return zlFest(wert, dezimalen < 5 ? dezimalen : 5);
}

// Step 3: a grouping separator behind every third digit left of the 4th place
// before the decimal mark at `marke`.
std::string zlGruppieren(std::string t, size_t marke)
{
    for (long pos = static_cast<long>(marke) - 4; pos >= 0; pos -= 3) {
        char c = t[static_cast<size_t>(pos)];
        if (c < '0' || c > '9') {
            break;
        }
        t.insert(static_cast<size_t>(pos) + 1, 1, zlGruppe);
    }
    return t;
}

// Step 4: the field of width > 0.
std::string zlFeld(std::string t, int breite, bool gruppiert)
{
    size_t b = static_cast<size_t>(breite);
    if (breite <= 0) {
        return t;
    }
    if (t.size() > b && gruppiert) {
        std::string ohne;
        for (char c : t) {
            if (c != zlGruppe) {
                ohne.push_back(c);
            }
        }
        t = ohne;
    }
    if (t.size() > b) {
        return std::string(b, '*');
    }
    return std::string(b - t.size(), ' ') + t;
}

void zlFormat(char* ziel, size_t groesse, double wert, int breite, int dezimalen, bool separatoren)
{
    std::string t = zlDezimalen(wert, dezimalen);
    if (separatoren) {
        size_t marke = t.find('.');
        if (marke == std::string::npos) {
            marke = t.size();
        } else {
            t[marke] = zlDezimal;
        }
        t = zlGruppieren(t, marke);
    }
    zlAblegen(ziel, groesse, zlFeld(t, breite, separatoren));
}

// The text with grouping removed and the decimal separator as '.'.
std::string zlNormal(const char* text)
{
    std::string t;
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p == zlGruppe) {
            continue;
        }
        t.push_back(*p == zlDezimal ? '.' : *p);
    }
    return t;
}

}  // namespace

int zahltext(char* ziel, size_t groesse, double wert, int breite, int dezimalen)
{
    std::string t = zlFest(wert, dezimalen);
    size_t b = static_cast<size_t>(breite < 0 ? -static_cast<long>(breite) : breite);
    if (b == 0) {
        return zlAblegen(ziel, groesse, t);
    }
    if (t.size() > b) {
        zlAblegen(ziel, groesse, std::string(b, '*'));
        return -1;
    }
    std::string fuell(b - t.size(), ' ');
    return zlAblegen(ziel, groesse, breite < 0 ? t + fuell : fuell + t);
}

void zahlformat(char* ziel, size_t groesse, double wert, int breite, int dezimalen)
{
    zlFormat(ziel, groesse, wert, breite, dezimalen, true);
}

void zahlformatpunkt(char* ziel, size_t groesse, double wert, int breite, int dezimalen)
{
    zlFormat(ziel, groesse, wert, breite, dezimalen, false);
}

double zahlwert(const char* text)
{
    std::string t = zlNormal(text);
    size_t i = 0;
    while (i < t.size() && istweiss(static_cast<unsigned char>(t[i]))) {
        ++i;
    }
    if (i < t.size() && t[i] == '+') {
        ++i;
    }
    double wert = 0.0;
    if (std::from_chars(t.data() + i, t.data() + t.size(), wert).ec != std::errc()) {
        return 0.0;
    }
    return wert;
}

double zahleingabe(const char* text)
{
    std::string t = text != nullptr ? text : "";
    for (char& c : t)
        if (c == ',') c = '.';
    size_t i = 0;
    while (i < t.size() && istweiss(static_cast<unsigned char>(t[i]))) ++i;
    if (i < t.size() && t[i] == '+') ++i;
    double wert = 0.0;
    if (std::from_chars(t.data() + i, t.data() + t.size(), wert).ec != std::errc()) return 0.0;
    return wert;
}

void zahlnormal(char* text)
{
    std::string t = zlNormal(text);
    std::memcpy(text, t.c_str(), t.size() + 1);  // never longer than before
}

void zahllokal(char* text, size_t groesse)
{
    size_t laenge = strnlen(text, groesse);
    if (laenge >= groesse) {
        return;  // not a text of this capacity
    }
    size_t vorne = 0;
    while (vorne < laenge && text[vorne] == ' ') {
        ++vorne;
    }
    std::string kern(text + vorne, laenge - vorne);
    size_t marke = kern.find('.');
    if (marke == std::string::npos) {
        marke = kern.size();
    } else {
        kern[marke] = zlDezimal;
    }
    std::string gruppiert = zlGruppieren(kern, marke);
    // Leading blanks absorb the separators; the length never changes.
    const std::string& t = gruppiert.size() <= laenge ? gruppiert : kern;
    std::string ergebnis = std::string(laenge - t.size(), ' ') + t;
    std::memcpy(text, ergebnis.c_str(), ergebnis.size() + 1);
}

void ziffernbegrenzen(char* text, int ziffern, int art)
{
    char marke = art == 0 ? '.' : zlDezimal;
    int anzahl = 0;
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p >= '0' && *p <= '9') {
            ++anzahl;
        }
    }
    char* m = std::strchr(text, marke);
    if (m == nullptr || anzahl <= ziffern) {
        return;
    }
    size_t len = std::strlen(text);
    while (anzahl > ziffern && text + len - 1 > m && text[len - 1] >= '0' && text[len - 1] <= '9') {
        text[--len] = '\0';
        --anzahl;
    }
    if (text + len - 1 == m) {
        text[--len] = '\0';
    }
}

void trennzeichensetzen(char dezimal, char gruppe)
{
    zlDezimal = dezimal;
    zlGruppe = gruppe;
}

char zahldezimalzeichen()
{
    return zlDezimal;
}

char zahlgruppenzeichen()
{
    return zlGruppe;
}
