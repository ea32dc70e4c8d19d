// Text editing, splitting, tabs, environment references and the number ring.
#include "support/texte.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

// A heap buffer of exactly `groesse` bytes, so that ASan sees any byte
// written behind it.
struct Knapp {
    std::unique_ptr<char[]> p;
    size_t groesse;
    Knapp(size_t g, const char* anfang = "") : p(new char[g]), groesse(g)
    {
        std::memset(p.get(), '#', g);
        size_t n = std::min(std::strlen(anfang), g - 1);
        std::memcpy(p.get(), anfang, n);
        p[n] = '\0';
    }
    char* s() { return p.get(); }
};

}  // namespace

TEST(Texte, TrimAndEmptiness)
{
    struct Fall {
        const char* ein;
        const char* trim;
        int trimErg;
        const char* rtrim;
        const char* zeilenende;
        int leer;
    } faelle[] = {
        {" \t ab c \r\n", "ab c", 1, " \t ab c", " \t ab c", 0},
        {" \v\f ", "", 0, "", "", 1},
        {"", "", 0, "", "", 1},
        {"x\ry  ", "x\ry", 1, "x\ry", "x", 0},
    };
    for (const Fall& f : faelle) {
        char a[32], b[32], c[32];
        std::strcpy(a, f.ein);
        std::strcpy(b, f.ein);
        std::strcpy(c, f.ein);
        EXPECT_EQ(strtrim(a), f.trimErg) << f.ein;
        EXPECT_STREQ(a, f.trim);
        strrtrim(b);
        EXPECT_STREQ(b, f.rtrim);
        zeilenendeweg(c);
        EXPECT_STREQ(c, f.zeilenende);
        EXPECT_EQ(strleer(f.ein), f.leer);
    }
}

TEST(Texte, CopyWidthFillInsertDelete)
{
    char z[16];
    EXPECT_EQ(strkopie(z, "abcdef", 3), 3);
    EXPECT_STREQ(z, "abc");
    EXPECT_EQ(strkopie(z, "ab", 10), 2);
    EXPECT_STREQ(z, "ab");

    char o[] = "12345";
    EXPECT_EQ(strkopieohne(o, "ab", 5), 2);
    EXPECT_STREQ(o, "ab345");
    strueberschreiben(o, "XYZ");
    EXPECT_STREQ(o, "XYZ45");

    strbreite(z, "abc", 5);
    EXPECT_STREQ(z, "abc  ");
    strbreite(z, "abcdefg", 4);
    EXPECT_STREQ(z, "abcd");
    strbreite(z, "abc", 0);
    EXPECT_STREQ(z, "");
    char ueber[16] = "hallo welt";
    strbreite(ueber, ueber + 6, 6);  // overlapping source and target
    EXPECT_STREQ(ueber, "welt  ");
    EXPECT_STREQ(strfuellen(z, 3, '-'), "---");

    char l[] = "a bc d";
    leerauffuellen(l, "XYZUVWQ");
    EXPECT_STREQ(l, "aYbcVd");

    struct Einf {
        int pos;
        const char* erg;
    } einf[] = {{-5, "XYabc"}, {1, "aXYbc"}, {3, "abcXY"}, {99, "abcXY"}};
    for (const Einf& e : einf) {
        char s[16] = "abc";
        EXPECT_STREQ(streinfuegen("XY", s, e.pos), e.erg) << e.pos;
    }

    struct Loe {
        int pos, n;
        const char* erg;
    } loe[] = {{1, 2, "ade"}, {3, 99, "abc"}, {5, 1, "abcde"}, {9, 1, "abcde"}, {0, 0, "abcde"}};
    for (const Loe& f : loe) {
        char s[] = "abcde";
        strloeschen(s, f.pos, f.n);
        EXPECT_STREQ(s, f.erg) << f.pos << "," << f.n;
    }
}

TEST(Texte, CharactersAndSearch)
{
    char s[] = "a-b-c";
    EXPECT_EQ(zeichenweg(s, '-'), 1);
    EXPECT_STREQ(s, "abc");
    EXPECT_EQ(zeichenweg(s, '-'), 0);
    EXPECT_EQ(zeichentausch(s, 'b', 'B'), 1);
    EXPECT_STREQ(s, "aBc");
    EXPECT_EQ(zeichentausch(s, 'q', 'B'), 0);

    EXPECT_EQ(zeichenpos("abcabc", 'c'), 2);
    EXPECT_EQ(zeichenposr("abcabc", 'c'), 5);
    EXPECT_EQ(zeichenpos("abc", 'x'), -1);
    EXPECT_EQ(zeichenausmenge("hallo", "lo"), 2);
    EXPECT_EQ(zeichenausmenge("hallo", "xy"), -1);
    EXPECT_EQ(nurzeichen("", "abc"), 1);
    EXPECT_EQ(nurziffern("0815"), 1);
    EXPECT_EQ(nurziffern("08a15"), 0);

    struct Pos {
        const char* s;
        const char* t;
        int exakt, ohneFall;
    } pos[] = {
        {"Hallo Welt", "Welt", 6, 6},
        {"Hallo Welt", "WELT", -1, 6},
        {"Hallo Welt", "", 0, 0},
        {"", "a", -1, -1},
        {"\xE4pfel", "\xC4P", -1, 0},  // ä/Ä by the system's case map
    };
    for (const Pos& p : pos) {
        EXPECT_EQ(strpos(p.s, p.t), p.exakt) << p.s << "|" << p.t;
        EXPECT_EQ(strposi(p.s, p.t), p.ohneFall) << p.s << "|" << p.t;
    }

    char g[] = "Stra\xDF" "e \xE4\xF7";
    strgross(g);
    EXPECT_STREQ(g, "STRA\xDF" "E \xC4\xD7");  // ß stays, ÷ becomes ×
    strklein(g);
    EXPECT_STREQ(g, "stra\xDF" "e \xE4\xF7");
}

TEST(Texte, StrersetzenChecksLimitAndCapacity)
{
    char s[16] = "ein Hund";
    EXPECT_EQ(strersetzen(s, "Hund", "Kater", 0), 4);
    EXPECT_STREQ(s, "ein Kater");
    EXPECT_EQ(strersetzen(s, "Maus", "x", 0), -1);
    EXPECT_EQ(strersetzen(s, "ein", "kein", 9), -1);  // 10 > limit 9
    EXPECT_STREQ(s, "ein Kater");
    EXPECT_EQ(strersetzen(s, "ein", "kein", 10), 0);
    EXPECT_STREQ(s, "kein Kater");
    EXPECT_EQ(strersetzen(s, "kein", "noch immer kein", 0), -1);  // 21 characters, 16 bytes
    EXPECT_STREQ(s, "kein Kater");
    EXPECT_EQ(strersetzen(s, "kein", "noch kein", 0), 0);  // exactly 15 characters fit
    EXPECT_STREQ(s, "noch kein Kater");
}

TEST(Texte, WordsNumbersAndFields)
{
    char s[32] = "  eins  zwei drei  ";
    char w[16];
    EXPECT_EQ(wortab(w, s), 4);
    EXPECT_STREQ(w, "eins");
    EXPECT_STREQ(s, "zwei drei");
    EXPECT_EQ(wortabhinten(w, s), 4);
    EXPECT_STREQ(w, "drei");
    EXPECT_STREQ(s, "zwei");
    EXPECT_EQ(wortabhinten(w, s), 4);
    EXPECT_STREQ(s, "");
    EXPECT_EQ(wortabhinten(w, s), 0);
    EXPECT_STREQ(w, "");

    struct Zahl {
        const char* ein;
        long wert;
        const char* rest;
    } zahlen[] = {
        {"  -42  abc", -42, "abc"},
        {"17x", 17, "x"},
        {"1-2", 1, "-2"},
        {"abc", 0, "abc"},
    };
    for (const Zahl& z : zahlen) {
        char t[16];
        std::strcpy(t, z.ein);
        EXPECT_EQ(zahlab(t), z.wert) << z.ein;
        EXPECT_STREQ(t, z.rest) << z.ein;
    }
    EXPECT_EQ(hexwert("  1aF zz"), 0x1AFu);
    EXPECT_EQ(hexwert("  xyz"), 0u);
    EXPECT_EQ(hexwert("FFFFFFFF"), 0xFFFFFFFFu);

    char f[32] = "a;\"b;c\";'d';e";
    char z[16];
    EXPECT_EQ(feldab(z, f, ';'), 1);
    EXPECT_STREQ(z, "a");
    EXPECT_EQ(feldabquot(z, f, ';'), 2);  // "b and c" split at the first ';'
    EXPECT_STREQ(z, "\"b");
    EXPECT_EQ(feldabquot(z, f, ';'), 2);
    EXPECT_STREQ(z, "c\"");
    EXPECT_EQ(feldabquot(z, f, ';'), 1);
    EXPECT_STREQ(z, "d");
    EXPECT_EQ(feldab(z, f, ';'), 1);
    EXPECT_STREQ(z, "e");
    EXPECT_STREQ(f, "");

    char q[] = "\"x\"";
    EXPECT_EQ(feldabquot(z, q, ';'), 1);
    EXPECT_STREQ(z, "x");
}

TEST(Texte, QuotfeldabWalksADelimitedList)
{
    char s[] = "|a|b|";
    char z[8];
    EXPECT_EQ(quotfeldab(z, s), 1);
    EXPECT_STREQ(z, "a");
    EXPECT_STREQ(s, "|b|");
    EXPECT_EQ(quotfeldab(z, s), 1);
    EXPECT_STREQ(z, "b");
    EXPECT_STREQ(s, "|");
    EXPECT_EQ(quotfeldab(z, s), 0);
    EXPECT_STREQ(s, "");
}

TEST(Texte, TabsExpandAndContract)
{
    char z[64];
    EXPECT_EQ(tabaufloesen(z, "a\tb\tc", 4), 9);
    EXPECT_STREQ(z, "a   b   c");
    EXPECT_EQ(tabaufloesen(z, "abcd\te", 4), 9);
    EXPECT_STREQ(z, "abcd    e");

    char s[64] = "x\ty\t\tz";
    tabaufloesen8(s);
    EXPECT_STREQ(s, "x       y               z");

    struct Ein {
        const char* ein;
        const char* aus;
    } faelle[] = {
        {"ab      c", "ab\tc"},                  // run ending before column 8
        {"abcdefg c", "abcdefg c"},              // a single blank stays
        {"ab              c", "ab              c"},  // reaches back past column 8
        {"        x", "\tx"},                    // a whole tab width
        {"ab      ", "ab      "},                // no non-blank behind it
    };
    for (const Ein& f : faelle) {
        char t[64];
        std::strcpy(t, f.ein);
        tabeinsetzen8(t);
        EXPECT_STREQ(t, f.aus) << f.ein;
        tabaufloesen8(t);  // contracting never moves a column
        EXPECT_STREQ(t, f.ein);
    }
}

TEST(Texte, TildeListeAndDecimalMarks)
{
    char l[16] = "x";
    EXPECT_EQ(tildeliste(l, "a"), 0);
    EXPECT_STREQ(l, "~a~");
    EXPECT_EQ(tildeliste(l, "bc"), 0);
    EXPECT_STREQ(l, "~a~bc~");
    EXPECT_EQ(tildeliste(l, "123456789"), -1);  // would need 16 characters
    EXPECT_STREQ(l, "~a~bc~");

    char k[] = "1,5;2.5";
    StrKommaPunkt(k);
    EXPECT_STREQ(k, "1.5;2.5");
    StrPunktKomma(k);
    EXPECT_STREQ(k, "1,5;2,5");
}

TEST(Texte, UmgebungeinsetzenBothFormsUnknownStays)
{
    setenv("VELMO_T_A", "Wert", 1);
    setenv("VELMO_T_REK", "%VELMO_T_A%", 1);
    unsetenv("VELMO_T_FEHLT");
    struct Fall {
        const char* ein;
        const char* aus;
    } faelle[] = {
        {"x%VELMO_T_A%y", "xWerty"},
        {"$(VELMO_T_A)/z", "Wert/z"},
        // unknown: stays, scanning goes on behind its first '%'
        {"%VELMO_T_FEHLT%VELMO_T_A%", "%VELMO_T_FEHLTWert"},
        {"%VELMO_T_REK%", "%VELMO_T_A%"},  // an inserted value is not expanded again
        {"50% and 60%", "50% and 60%"},
        {"$(VELMO_T_A", "$(VELMO_T_A"},
    };
    for (const Fall& f : faelle) {
        char s[64];
        std::strcpy(s, f.ein);
        umgebungeinsetzen(s);
        EXPECT_STREQ(s, f.aus) << f.ein;
    }
    // An expansion that does not fit leaves the reference as written.
    setenv("VELMO_T_LANG", "0123456789012345678901234567890123456789", 1);
    char k[24] = "a%VELMO_T_LANG%b";
    umgebungeinsetzen(k);
    EXPECT_STREQ(k, "a%VELMO_T_LANG%b");
}

TEST(Texte, NumberRingOfTwentyTexts)
{
    EXPECT_STREQ(StrAusInt(-123), "-123");
    EXPECT_STREQ(StrAusHex(0xAB), "00AB");
    EXPECT_STREQ(StrAusHex(0x12345), "12345");
    EXPECT_STREQ(StrAusDouble(2.5), "2.5000");
    EXPECT_STREQ(StrAusDouble(-0.00004), "-0.0000");
    // 2^113 has 35 digits: with point and 4 decimals exactly 40 characters.
    EXPECT_STREQ(StrAusDouble(std::ldexp(1.0, 113)), "10384593717069655257060992658440192.0000");
    EXPECT_STREQ(StrAusDouble(-std::ldexp(1.0, 113)), std::string(40, '*').c_str());
    EXPECT_STREQ(StrAusDouble(1e36), std::string(40, '*').c_str());

    const char* erster = StrAusInt(1);
    for (int i = 2; i <= 20; ++i) {
        StrAusInt(i);
    }
    EXPECT_STREQ(erster, "1");  // valid until 20 further calls
    StrAusInt(21);
    EXPECT_STREQ(erster, "21");
}

TEST(Texte, EveryBoundedFunctionStaysInsideASmallTarget)
{
    {
        Knapp z(4);
        EXPECT_EQ(strkopie(z.s(), z.groesse, "abcdef", 6), 3);
        EXPECT_STREQ(z.s(), "abc");
        strbreite(z.s(), z.groesse, "ab", 10);
        EXPECT_STREQ(z.s(), "ab ");
        strfuellen(z.s(), z.groesse, 10, 'x');
        EXPECT_STREQ(z.s(), "xxx");
        EXPECT_EQ(strkopieohne(z.s(), z.groesse, "123456", 6), 4);
        strueberschreiben(z.s(), z.groesse, "abcdefg");
        EXPECT_EQ(std::string(z.s(), 4), "abcd");
    }
    {
        Knapp s(5, "abc");
        streinfuegen("XYZ", s.s(), s.groesse, 1);
        EXPECT_STREQ(s.s(), "aXYZ");
        Knapp t(5, "ab");
        EXPECT_EQ(strersetzen(t.s(), t.groesse, "a", "12345", 0), -1);
        EXPECT_STREQ(t.s(), "ab");
    }
    {
        char s[] = "  langeswort rest";
        Knapp z(4);
        EXPECT_EQ(wortab(z.s(), z.groesse, s), 3);
        EXPECT_STREQ(z.s(), "lan");
        EXPECT_STREQ(s, "rest");
        char h[] = "vorn hintenwort";
        EXPECT_EQ(wortabhinten(z.s(), z.groesse, h), 3);
        EXPECT_STREQ(h, "vorn");
        char f[] = "feldinhalt;x";
        EXPECT_EQ(feldab(z.s(), z.groesse, f, ';'), 3);
        EXPECT_STREQ(f, "x");
        char q[] = "\"abcdef\";x";
        feldabquot(z.s(), z.groesse, q, ';');
        EXPECT_STREQ(z.s(), "\"ab");
        char w[] = "/abcdef/x";
        EXPECT_EQ(quotfeldab(z.s(), z.groesse, w), 3);
        EXPECT_STREQ(w, "/x");
        EXPECT_EQ(tabaufloesen(z.s(), z.groesse, "\t\t", 8), 3);
        EXPECT_STREQ(z.s(), "   ");
    }
    {
        Knapp t(6, "a\tb");
        tabaufloesen8(t.s(), t.groesse);
        EXPECT_STREQ(t.s(), "a    ");
        Knapp l(4, "~");
        EXPECT_EQ(tildeliste(l.s(), l.groesse, "ab"), -1);
        EXPECT_EQ(tildeliste(l.s(), l.groesse, "a"), 0);
        EXPECT_STREQ(l.s(), "~a~");
        setenv("VELMO_T_A", "Wert", 1);
        Knapp u(12, "%VELMO_T_A%");
        umgebungeinsetzen(u.s(), u.groesse);
        EXPECT_STREQ(u.s(), "Wert");
        Knapp v(4, "$(X)");  // a text longer than its capacity is never grown
        umgebungeinsetzen(v.s(), v.groesse);
    }
}
