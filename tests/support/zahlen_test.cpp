// Number texts: fields, decimals rules, grouping, reading back, and the
// independence of the process locale.
#include "support/zahlen.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstring>
#include <memory>
#include <string>

#include "support/texte.h"

namespace {

std::string Format(double wert, int breite, int dezimalen)
{
    char t[64];
    zahlformat(t, wert, breite, dezimalen);
    return t;
}

}  // namespace

TEST(Zahlen, ZahltextFields)
{
    struct Fall {
        double wert;
        int breite, dezimalen;
        const char* soll;
        int erg;
    } faelle[] = {
        {1234.5, 5, 2, "*****", -1},
        {1234.5, 8, 2, " 1234.50", 0},
        {1234.5, -8, 2, "1234.50 ", 0},
        {-1.005, 7, 1, "   -1.0", 0},
        {3.0, 2, 0, " 3", 0},
        {12.25, 0, 1, "12.2", 0},  // width 0: no field
    };
    for (const Fall& f : faelle) {
        char t[32];
        EXPECT_EQ(zahltext(t, f.wert, f.breite, f.dezimalen), f.erg) << f.wert;
        EXPECT_STREQ(t, f.soll) << f.wert << " " << f.breite;
    }
}

TEST(Zahlen, ZahlformatStepsOneToFour)
{
    struct Fall {
        double wert;
        int breite, dezimalen;
        const char* soll;
    } faelle[] = {
        {1234567.891, 0, 2, "1.234.567,89"},
        {1234567.891, 10, 2, "1234567,89"},
        {1234567.891, 9, 2, "*********"},
        {1234567.891, 14, 2, "  1.234.567,89"},
        {-1234.5, 0, 1, "-1.234,5"},
        {-123.5, 0, 1, "-123,5"},
        {1234.0, 0, 0, "1.234"},
        {1.23456789, 0, 8, "1,23457"},    // at most 5 decimals
        {2.5, 0, 9, "2,5"},               // 9: trailing zeros removed
        {2.0, 0, 9, "2"},                 // ... and then the point
        {2.0, 0, -2, "2,00"},             // < 0: down to at least 2 decimals
        {2.125, 0, -1, "2,125"},
        {1000000.0, 0, 9, "1.000.000"},
        {0.0, 3, 9, "  0"},
    };
    for (const Fall& f : faelle) {
        EXPECT_EQ(Format(f.wert, f.breite, f.dezimalen), f.soll) << f.wert << " " << f.breite << " " << f.dezimalen;
    }
    char p[32];
    zahlformatpunkt(p, 1234567.891, 0, 2);
    EXPECT_STREQ(p, "1234567.89");
    zahlformatpunkt(p, 1234567.891, 8, 2);
    EXPECT_STREQ(p, "********");
}

TEST(Zahlen, ReadingBackAndRewriting)
{
    struct Wert {
        const char* text;
        double soll;
    } werte[] = {{"1.234.567,89", 1234567.89}, {"  -0,5", -0.5}, {"+3", 3.0}, {"abc", 0.0}, {"12,5kg", 12.5}};
    for (const Wert& w : werte) {
        EXPECT_DOUBLE_EQ(zahlwert(w.text), w.soll) << w.text;
    }
    char n[] = "1.234,5";
    zahlnormal(n);
    EXPECT_STREQ(n, "1234.5");

    struct Lokal {
        const char* ein;
        const char* aus;
    } lokal[] = {
        {"    1234567.89", "  1.234.567,89"},  // blanks absorb the grouping
        {" 1234567.89", " 1234567,89"},        // not enough blanks: ungrouped
        {"1234.5", "1234,5"},
        {"   12.5", "   12,5"},
    };
    for (const Lokal& l : lokal) {
        char t[32];
        std::strcpy(t, l.ein);
        zahllokal(t);
        EXPECT_STREQ(t, l.aus) << l.ein;
    }

    struct Begrenzen {
        const char* ein;
        int ziffern, art;
        const char* aus;
    } begrenzen[] = {
        {"123.456", 5, 0, "123.45"},
        {"123.456", 3, 0, "123"},
        {"123.456", 2, 0, "123"},  // at most all decimals
        {"12,34", 3, 1, "12,3"},
        {"12.34", 3, 1, "12.34"},  // kind 1 looks for the decimal separator
        {"1234", 2, 0, "1234"},
    };
    for (const Begrenzen& b : begrenzen) {
        char t[16];
        std::strcpy(t, b.ein);
        ziffernbegrenzen(t, b.ziffern, b.art);
        EXPECT_STREQ(t, b.aus) << b.ein;
    }

    trennzeichensetzen('.', ',');
    EXPECT_EQ(Format(1234.5, 0, 1), "1,234.5");
    EXPECT_DOUBLE_EQ(zahlwert("1,234.5"), 1234.5);
    trennzeichensetzen(',', '.');
}

// A typed field value: either decimal point, no grouping, 0 for no number.
TEST(Zahlen, TypedValuesTakeEitherDecimalPoint)
{
    const struct {
        const char* text;
        double wert;
    } faelle[] = {{"2,5", 2.5}, {"2.5", 2.5}, {"  +1,25", 1.25}, {"-3,75mm", -3.75}, {"1.000", 1.0},
                  {"", 0.0},    {"abc", 0.0}, {",5", 0.5}};
    for (const auto& f : faelle) EXPECT_DOUBLE_EQ(zahleingabe(f.text), f.wert) << f.text;
    EXPECT_DOUBLE_EQ(zahleingabe(nullptr), 0.0);
}

TEST(Zahlen, SmallTargetsGetStarsNeverMore)
{
    std::unique_ptr<char[]> t(new char[5]);
    zahlformat(t.get(), 5, 1234567.0, 0, 2);
    EXPECT_STREQ(t.get(), "****");
    EXPECT_EQ(zahltext(t.get(), 5, 3.25, 0, 2), 0);
    EXPECT_STREQ(t.get(), "3.25");
    EXPECT_EQ(zahltext(t.get(), 5, 3.25, 10, 2), -1);
    EXPECT_STREQ(t.get(), "****");
    zahlformatpunkt(t.get(), 5, 1e300, 0, 2);
    EXPECT_STREQ(t.get(), "****");
    std::strcpy(t.get(), "1234");
    zahllokal(t.get(), 5);
    EXPECT_STREQ(t.get(), "1234");
}

TEST(Zahlen, ResultsDoNotDependOnTheProcessLocale)
{
    auto probe = [] {
        char a[32], b[32], c[32];
        zahltext(a, 1234.5, 9, 2);
        zahlformat(b, 1234567.891, 0, 2);
        zahlformatpunkt(c, -0.25, 0, 9);
        return std::string(a) + "|" + b + "|" + c + "|" + StrAusDouble(2.5) + "|" +
               StrAusDouble(zahlwert("1.234,75"));
    };
    std::string vorher = probe();
    const char* alt = std::setlocale(LC_NUMERIC, nullptr);
    std::string altName = alt ? alt : "C";
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr &&
        std::setlocale(LC_NUMERIC, "de_DE.utf8") == nullptr) {
        GTEST_SKIP() << "no comma locale installed (scripts/install-deps makes de_DE.UTF-8)";
    }
    char probeKomma[16];
    std::snprintf(probeKomma, sizeof probeKomma, "%.1f", 1.5);
    EXPECT_STREQ(probeKomma, "1,5");  // the locale is really in force
    std::string nachher = probe();
    std::setlocale(LC_NUMERIC, altName.c_str());
    EXPECT_EQ(nachher, vorher);
    EXPECT_EQ(vorher.substr(0, vorher.find("|2.5")), "  1234.50|1.234.567,89|-0.25");
}
