// Helpers of the equipment sections (see bmhilf.h). Prefix `Bmh`.
#include "equipment/bmhilf.h"

#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "config/konfhaken.h"
#include "config/verzeich.h"
#include "support/bdatei.h"
#include "support/dosdatei.h"
#include "support/texte.h"

namespace {

const char* BmhWeiss(const char* t)
{
    while (*t == ' ' || *t == '\t' || *t == '\n' || *t == '\r' || *t == '\v' || *t == '\f') ++t;
    return t;
}

}  // namespace

int BmhAtoi(const char* text)
{
    if (text == nullptr) return 0;
    const char* t = BmhWeiss(text);
    bool minus = false;
    if (*t == '+' || *t == '-') minus = *t++ == '-';
    long long wert = 0;
    while (*t >= '0' && *t <= '9') {
        if (wert < 10000000000LL) wert = wert * 10 + (*t - '0');
        ++t;
    }
    if (minus) wert = -wert;
    if (wert > INT_MAX) return INT_MAX;
    if (wert < INT_MIN) return INT_MIN;
    return static_cast<int>(wert);
}

double BmhAtof(const char* text)
{
    if (text == nullptr) return 0.0;
    const char* t = BmhWeiss(text);
    if (*t == '+') ++t;
    double wert = 0.0;
    auto r = std::from_chars(t, t + std::strlen(t), wert, std::chars_format::general);
    if (r.ec == std::errc::invalid_argument) return 0.0;
    return wert;
}

void BmhInt(std::string& zeile, long wert)
{
    char puffer[24];
    auto r = std::to_chars(puffer, puffer + sizeof puffer, wert);
    zeile.append(puffer, r.ptr);
}

void BmhHex(std::string& zeile, unsigned long wert)
{
    char puffer[24];
    auto r = std::to_chars(puffer, puffer + sizeof puffer, wert, 16);
    const size_t n = static_cast<size_t>(r.ptr - puffer);
    if (n < 4) zeile.append(4 - n, '0');
    for (char* c = puffer; c < r.ptr; ++c) zeile.push_back(*c >= 'a' && *c <= 'f' ? static_cast<char>(*c - 32) : *c);
}

void BmhFix5(std::string& zeile, double wert)
{
    char puffer[400];
    auto r = std::to_chars(puffer, puffer + sizeof puffer, wert, std::chars_format::fixed, 5);
    if (r.ec != std::errc()) {
        zeile += "0.00000";
        return;
    }
    zeile.append(puffer, r.ptr);  // the C form, "-0.00000" included
}

void BmhFeld(std::string& zeile, const char* text)
{
    zeile += text;
    zeile.push_back(BMTRENNER);
}

void BmhFeldAb(char* ziel, size_t kap, int breite, const char** p)
{
    const char* a = *p;
    const char* e = std::strchr(a, BMTRENNER);
    const size_t laenge = e ? static_cast<size_t>(e - a) : std::strlen(a);
    size_t n = laenge;
    if (breite >= 0 && n > static_cast<size_t>(breite)) n = static_cast<size_t>(breite);
    if (kap == 0) n = 0;
    else if (n > kap - 1) n = kap - 1;
    if (kap > 0) {
        std::memcpy(ziel, a, n);
        ziel[n] = '\0';
    }
    *p = e ? e + 1 : a + laenge;
}

std::string BmhFeldText(const char** p)
{
    const char* a = *p;
    const char* e = std::strchr(a, BMTRENNER);
    const size_t laenge = e ? static_cast<size_t>(e - a) : std::strlen(a);
    *p = e ? e + 1 : a + laenge;
    return std::string(a, laenge);
}

void BmhKopie(char* ziel, size_t kap, const char* text, int breite)
{
    strkopie(ziel, kap, text != nullptr ? text : "", breite);
}

int BmhFehlerLog(const std::string& zeilen)
{
    char pfad[260];
    PfadBilden(1, "fehler.txt", "", pfad);
    BDAT d;
    if (dateilaenge(pfad) >= 0) {
        if (bdopen(&d, pfad) < 0) return -1;
        bdappend(&d);
    } else if (bdmake(&d, pfad) < 0) {
        return -1;
    }
    int r = bdwrite(&d, zeilen.data(), static_cast<int32_t>(zeilen.size()));
    if (bdclose(&d) < 0) r = -1;
    return r < 0 ? -1 : 0;
}

std::string BmhFehlerZeile(const char* kuerzel, const char* text)
{
    std::string z = "  ";
    z += kuerzel;
    z += ' ';
    BmhInt(z, static_cast<long>(std::strlen(text)));
    z += ' ';
    std::string t(text, strnlen(text, 20));
    t.resize(20, ' ');
    z += t;
    z += '\n';
    return z;
}

void BmhLesefehler(const char* pfad)
{
    std::string text = "Kann ";
    text += pfad;
    text += " nicht lesen.";
    konfHaken().warnung(text.c_str());
}

namespace {
constexpr size_t BMHBLOCK = 64 * 1024;  // below malloc's mmap threshold
}

void BmhZeilen::leeren()
{
    bloecke_.clear();
    laengen_.clear();
    belegt_ = 0;
}

void BmhZeilen::anfuegen(const char* zeile)
{
    const size_t n = std::strlen(zeile) + 1;
    const size_t groesse = n > BMHBLOCK ? n : BMHBLOCK;
    if (bloecke_.empty() || belegt_ + n > BMHBLOCK) {
        if (!bloecke_.empty()) laengen_.push_back(belegt_);
        bloecke_.push_back(std::unique_ptr<char[]>(new char[groesse]));  // uninitialised: only lines are touched
        belegt_ = 0;
    }
    std::memcpy(bloecke_.back().get() + belegt_, zeile, n);
    belegt_ += n;
}
