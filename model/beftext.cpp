// Text form of command records: one line per record, built and parsed from
// the command table (see befehl.h). Numbers are written and read without the
// process locale; the text form shows the decimal comma. Lines have no fixed
// length: a record with many numbers and a 200-character text is written
// whole and parsed whole. Prefix `Bef`. Calls the case map of platform/ and
// the number helpers of model/.
#include <cstring>
#include <string>
#include <string_view>

#include "model/befehl.h"
#include "model/modellint.h"
#include "platform/zeichen.h"

namespace {

bool befLeer(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// The rest of a line being parsed.
struct BefRest {
    std::string_view s;

    void trimmen()
    {
        while (!s.empty() && befLeer(s.front())) {
            s.remove_prefix(1);
        }
        while (!s.empty() && befLeer(s.back())) {
            s.remove_suffix(1);
        }
    }

    // Takes the next word (at most BEFWORTSUP characters are kept).
    std::string wort()
    {
        trimmen();
        size_t n = 0;
        while (n < s.size() && !befLeer(s[n])) {
            ++n;
        }
        std::string w(s.substr(0, n < static_cast<size_t>(BEFWORTSUP) ? n : BEFWORTSUP));
        s.remove_prefix(n);
        trimmen();
        return w;
    }

    // The next word without taking it; `danach` tells whether more follows.
    std::string naechstes(bool* danach) const
    {
        BefRest kopie{s};
        std::string w = kopie.wort();
        *danach = !kopie.s.empty();
        return w;
    }
};

std::string befKomma(std::string w)
{
    for (char& c : w) {
        if (c == ',') {
            c = '.';
        }
    }
    return w;
}

int befZehntelWert(const std::string& w)
{
    double v = modAtof(befKomma(w).c_str()) * 10.0;
    if (v < 0) {
        v += 3600.0;
    }
    v += 0.5;
    if (!(v > -2147483648.0 && v < 2147483648.0)) {
        return 0;  // out of every angle's range; no undefined conversion
    }
    return static_cast<int>(v);
}

void befTextAnhaengen(BEF* b, size_t* laenge, std::string_view teil)
{
    size_t frei = BEFTEXTSUP - *laenge;
    size_t n = teil.size() < frei ? teil.size() : frei;
    std::memcpy(b->text + *laenge, teil.data(), n);
    *laenge += n;
    b->text[*laenge] = '\0';
}

// Splits a `ZAT` text into its three stored parts (missing parts empty).
void befZatTeile(const BEF* b, std::string teile[3])
{
    std::string_view t(b->text, strnlen(b->text, BEFTEXTSUP));
    for (int i = 0; i < 3; ++i) {
        size_t p = t.find(BEFZATTRENNER);
        teile[i] = std::string(t.substr(0, p));
        t = p == std::string_view::npos ? std::string_view() : t.substr(p + 1);
    }
}

}  // namespace

std::string BefZuText(const BEF* b)
{
    int c = b->code;
    std::string s = BefName(c);
    if (BefHatSub(c) && b->sub != 0) {
        s += " [" + std::to_string(b->sub) + "]";
    }
    if (c == BEF_KRE || c == BEF_RTK || c == BEF_GRF) {
        s += " " + std::to_string(b->iarg[0]);
        if (b->iarg[1] != 0) {
            s += ' ';
            modFixedAn(s, b->iarg[1] / 10.0, 1);
        }
    } else {
        for (int i = 0; i < BefAnzInt(c); ++i) {
            s += ' ';
            if (BefZehntel(c, i)) {
                modFixedAn(s, b->iarg[i] / 10.0, 1);
            } else {
                s += std::to_string(b->iarg[i]);
            }
        }
    }
    for (int i = 0; i < BefAnzReal(c); ++i) {
        s += ' ';
        modFixedAn(s, b->darg[i], 4);
    }
    for (char& z : s) {
        if (z == '.') {
            z = ',';
        }
    }
    if (c == BEF_ZAT) {
        std::string teile[3];
        befZatTeile(b, teile);
        for (int i : {1, 0, 2}) {
            s += " \"" + teile[i] + "\"";
        }
    } else if (BefHatText(c)) {
        s += " \"";
        s.append(b->text, strnlen(b->text, BEFTEXTSUP));
        s += '"';
    }
    return s;
}

int BefZuText(const BEF* b, char* puffer, size_t kap)
{
    std::string s = BefZuText(b);
    if (puffer && kap > 0) {
        size_t n = s.size() < kap - 1 ? s.size() : kap - 1;
        std::memcpy(puffer, s.data(), n);
        puffer[n] = '\0';
    }
    return static_cast<int>(s.size());
}

int TextZuBef(BEF* b, const char* zeile)
{
    std::memset(b, 0, sizeof *b);
    BefRest rest{zeile ? std::string_view(zeile) : std::string_view()};

    std::string name = rest.wort();
    for (char& z : name) {
        z = static_cast<char>(plZeichenGross(static_cast<unsigned char>(z)));
    }
    int c = BefCode(name.c_str());
    if (c < 0) {
        return -1;
    }
    b->code = static_cast<uint8_t>(c);

    if (BefHatSub(c) && !rest.s.empty() && rest.s.front() == '[') {
        std::string w = rest.wort();
        int sub = 0;
        for (size_t i = 1; i < w.size() && w[i] >= '0' && w[i] <= '9'; ++i) {
            sub = (sub * 10 + (w[i] - '0')) & 0xFFFF;
        }
        b->sub = static_cast<uint8_t>(sub);
    }

    if (c == BEF_KRE || c == BEF_RTK || c == BEF_GRF) {
        b->iarg[0] = modAtoi(befKomma(rest.wort()).c_str());
        bool danach = false;
        std::string w = befKomma(rest.naechstes(&danach));
        if (danach && w.size() >= 2 && w[w.size() - 2] == '.') {
            rest.wort();
            b->iarg[1] = befZehntelWert(w);
        }
    } else {
        for (int i = 0; i < BefAnzInt(c); ++i) {
            std::string w = rest.wort();
            b->iarg[i] = BefZehntel(c, i) ? befZehntelWert(w) : modAtoi(befKomma(w).c_str());
        }
    }
    for (int i = 0; i < BefAnzReal(c); ++i) {
        b->darg[i] = modAtof(befKomma(rest.wort()).c_str());
    }

    if (c == BEF_ZAT) {
        std::string q[3];
        for (int i = 0; i < 3; ++i) {
            rest.trimmen();
            std::string_view t = rest.s;
            if (!t.empty() && t.front() == '"') {
                t.remove_prefix(1);
            }
            size_t p = t.find('"');
            q[i] = std::string(t.substr(0, p < static_cast<size_t>(BEFWORTSUP) ? p : BEFWORTSUP));
            rest.s = p == std::string_view::npos ? std::string_view() : t.substr(p + 1);
        }
        size_t laenge = 0;
        const char trenner[1] = {BEFZATTRENNER};
        befTextAnhaengen(b, &laenge, q[1]);
        befTextAnhaengen(b, &laenge, std::string_view(trenner, 1));
        befTextAnhaengen(b, &laenge, q[0]);
        befTextAnhaengen(b, &laenge, std::string_view(trenner, 1));
        befTextAnhaengen(b, &laenge, q[2]);
    } else if (BefHatText(c)) {
        rest.trimmen();
        std::string_view t = rest.s;
        size_t laenge = 0;
        if (!t.empty() && t.front() == '"') {
            // Quoted pieces that touch are one text with the quotes between.
            size_t p = t.find('"', 1);
            befTextAnhaengen(b, &laenge, t.substr(1, p == std::string_view::npos ? p : p - 1));
            while (p != std::string_view::npos && t.size() - p > 1) {
                size_t q = t.find('"', p + 1);
                befTextAnhaengen(b, &laenge, "\"");
                befTextAnhaengen(b, &laenge, t.substr(p + 1, q == std::string_view::npos ? q : q - p - 1));
                p = q;
            }
        } else {
            befTextAnhaengen(b, &laenge, t);
        }
    }
    return 0;
}

int BefVersionZeile(const char* zeile)
{
    const char* name = BefName(BEF_VER);
    size_t n = std::strlen(name);
    for (size_t i = 0; i < n; ++i) {
        if (plZeichenGross(static_cast<unsigned char>(zeile[i])) != static_cast<unsigned char>(name[i])) {
            return -1;
        }
    }
    if (zeile[n] == '\0') {
        return 0;  // nothing behind the mnemonic
    }
    return modAtoi(zeile + n + 1);
}
