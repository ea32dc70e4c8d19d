// The edit field's text rules as tables: creation texts, number forms in
// both separator conventions, date and time normalisation, free and mask
// editing.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "controls/orvaedit.h"

namespace {

constexpr EdtTrenner DE{',', '.'};
constexpr EdtTrenner EN{'.', ','};

TEST(EdtText, CreationTexts)
{
    struct Fall {
        const char* text;
        char art;
        bool autoDez, nullLeer, fest;
        int laenge;
        bool gross;
        const char* maske;
        const char* wert;
    };
    const Fall faelle[] = {
        {"", 'T', false, false, false, -1, false, "", ""},
        {"-H200", 'T', false, false, true, 200, false, "", ""},
        {"-H40=Wert", 'T', false, false, true, 40, false, "", "Wert"},
        {"-H300", 'T', false, false, true, 200, false, "", ""},  // clamped to the value's size
        {"-H99999999999999", 'T', false, false, true, 200, false, "", ""},
        {"D", 'D', false, false, false, -1, false, "##.##.####", ""},
        {"H", 'H', false, false, false, -1, false, "##:##", ""},
        {"-G", 'T', false, false, false, -1, true, "", ""},
        {"1", '1', false, false, false, -1, false, "", ""},
        {"2-Z-H10=5", '2', false, true, true, 10, false, "", "5"},
        {"N=1.5", '9', true, false, false, -1, false, "", "1.5"},
        {"F-G($$)-##", 'F', false, false, false, -1, true, "($$)-##", ""},
        {"-X-H5==a", 'T', false, false, true, 5, false, "", "=a"},  // unknown option, one '=' taken
        {"-H", 'T', false, false, false, -1, false, "", ""},        // no digits: no length
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.text);
        EdtAnlage a = edtAnlageLesen(f.text);
        EXPECT_EQ(a.art, f.art);
        EXPECT_EQ(a.autoDezimalen, f.autoDez);
        EXPECT_EQ(a.nullLeer, f.nullLeer);
        EXPECT_EQ(a.festeLaenge, f.fest);
        EXPECT_EQ(a.laenge, f.laenge);
        EXPECT_EQ(a.gross, f.gross);
        EXPECT_EQ(a.maske, f.maske);
        EXPECT_EQ(a.wert, f.wert);
    }
}

TEST(EdtText, NumberNormalForm)
{
    struct Fall {
        const char* text;
        char art;
        const char* soll;
    };
    const Fall faelle[] = {
        {"1234.5", '2', "1234.50"},   {"", '2', "0.00"},          {"007", '1', "7.0"},
        {"0.005", '2', "0.01"},       {"9.995", '2', "10.00"},    {"99.5", '0', "100"},
        {"0.994", '2', "0.99"},       {"-1.5", '0', "-2"},        {"12-3", '0', "-123"},
        {"-0.001", '2', "0.00"},      {"2.500", '9', "2.5"},      {"3.000", '9', "3"},
        {"0.123456", '9', "0.12346"}, {"1,5", '1', "1.5"},        {"1.2.3", '2', "1.23"},
        {"a1b2", '0', "12"},          {"12345678901234567890", '0', "12345678901234567890"},
    };
    for (const Fall& f : faelle) EXPECT_EQ(edtZahlNormal(f.text, f.art), f.soll) << f.text << " kind " << f.art;
}

TEST(EdtText, NumberDisplayAndPlainForms)
{
    struct Fall {
        const char* text;
        char art;
        int breite;
        EdtTrenner t;
        const char* anzeige;
        const char* schlicht;  // plain form read back from the display form
    };
    const Fall faelle[] = {
        {"1234.5", '2', 10, DE, "  1.234,50", "1234.50"},
        {"1234.5", '2', 10, EN, "  1,234.50", "1234.50"},
        {"1234567", '0', 12, DE, "   1.234.567", "1234567"},
        {"-1234", '0', 6, DE, "-1.234", "-1234"},
        {"1234.5", '2', 7, DE, "1234,50", "1234.50"},      // separators dropped when too wide
        {"123456", '2', 6, DE, "123456,00", "123456.00"},  // wider than the field: every digit kept
        {"2.500", '9', 5, DE, "  2,5", "2.5"},
        {"3.000", '9', 5, DE, "    3", "3"},
        {"999.999", '2', 8, DE, "1.000,00", "1000.00"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.text);
        const std::string a = edtZahlAnzeige(f.text, f.art, f.breite, f.t);
        EXPECT_EQ(a, f.anzeige);
        EXPECT_EQ(edtZahlSchlicht(a, f.art, f.t), f.schlicht);
        // the display form of the plain form is the display form again
        EXPECT_EQ(edtZahlAnzeige(edtZahlSchlicht(a, f.art, f.t), f.art, f.breite, f.t), a);
    }
    // a point typed in a comma locale is a thousands separator there
    EXPECT_EQ(edtZahlSchlicht("2.5", '2', DE), "25.00");
    EXPECT_EQ(edtZahlSchlicht(" +12,5 ", '1', DE), "12.5");
}

TEST(EdtText, EditingAndLeavingForms)
{
    struct Fall {
        const char* wert;
        char art;
        bool nullLeer;
        const char* bearbeiten;
    };
    const Fall faelle[] = {
        {"  1.234,50", '2', false, "1234,50"}, {"      0,00", '2', true, ""}, {"  0,50", '2', true, "0,50"},
        {"0", 'T', true, ""},                 {" 0.0 ", 'T', true, ""},     {"0,0", 'T', true, "0,0"},
        {" a", 'T', false, " a"},
    };
    for (const Fall& f : faelle) EXPECT_EQ(edtBearbeitungsform(f.wert, f.art, DE, f.nullLeer), f.bearbeiten) << f.wert;

    EXPECT_EQ(edtVerlassensform("1234,5", '2', 10, DE), "  1.234,50");
    EXPECT_EQ(edtVerlassensform("31.02.2024", 'D', 10, DE), "29.02.2024");
    EXPECT_EQ(edtVerlassensform("25:70", 'H', 5, DE), "24:00");
    EXPECT_EQ(edtVerlassensform("31.02.2024", 'd', 10, DE), "31.02.2024");
}

TEST(EdtText, DatesAndTimes)
{
    const std::vector<std::pair<const char*, const char*>> daten = {
        {"31.02.2024", "29.02.2024"}, {"31.02.2023", "28.02.2023"}, {"29.02.2100", "28.02.2100"},
        {"31.04.2024", "30.04.2024"}, {"00.00.0000", "00.00.0000"}, {"12.05.0000", "00.00.0000"},
        {"15.13.1850", "15.12.1900"}, {"00.00.2200", "01.01.2150"}, {"01.01.2024", "01.01.2024"},
    };
    for (const auto& [ein, aus] : daten) EXPECT_EQ(edtDatumNormal(ein), aus) << ein;
    const std::vector<std::pair<const char*, const char*>> zeiten = {
        {"25:70", "24:00"}, {"12:75", "12:59"}, {"24:30", "24:00"}, {"09:05", "09:05"}, {"00:00", "00:00"},
    };
    for (const auto& [ein, aus] : zeiten) EXPECT_EQ(edtZeitNormal(ein), aus) << ein;
    EXPECT_EQ(edtDatumIso("01.02.2024"), "2024-02-01");
    EXPECT_EQ(edtDatumIso("    "), "");
}

// ---- Editing -------------------------------------------------------------------------------------------

EdtText frei(const char* wert, int laenge, int caret, int anker = -1, char art = 'T', bool gross = false)
{
    EdtText t{};
    t.frei = true;
    t.art = art;
    t.gross = gross;
    t.laenge = laenge;
    edtWertSetzen(t, wert, true);
    t.caret = caret;
    t.anker = anker;
    return t;
}

EdtText maske(const char* m, const char* wert, int caret, int anker = -1, bool gross = false)
{
    EdtText t{};
    t.frei = false;
    t.art = 'F';
    t.gross = gross;
    std::strcpy(t.maske, m);
    edtWertSetzen(t, wert);
    t.caret = caret;
    t.anker = anker;
    return t;
}

// One editing step: 't' types arg, 'b' Backspace, 'd' Delete, 'p' pastes arg.
struct Schritt {
    char op;
    const char* arg;
};

bool ausfuehren(EdtText& t, const std::vector<Schritt>& schritte)
{
    bool geaendert = false;
    for (const Schritt& s : schritte) {
        switch (s.op) {
        case 't':
            for (const char* p = s.arg; *p; ++p) geaendert = edtTippen(t, static_cast<unsigned char>(*p)) || geaendert;
            break;
        case 'b': geaendert = edtZurueck(t) || geaendert; break;
        case 'd': geaendert = edtEntfernen(t) || geaendert; break;
        case 'p': geaendert = edtEinfuegen(t, s.arg) || geaendert; break;
        }
    }
    return geaendert;
}

TEST(EdtText, EditingScripts)
{
    struct Fall {
        const char* name;
        EdtText t;
        std::vector<Schritt> schritte;
        const char* wert;
        int caret;
        bool geaendert;
    };
    const Fall faelle[] = {
        {"typing stops at a full field", frei("", 5, 0), {{'t', "abcdef"}}, "abcde", 5, true},
        {"insert shifts the rest", frei("abc", 5, 1), {{'t', "X"}}, "aXbc ", 2, true},
        {"no blank at the end: ignored", frei("abcde", 5, 2), {{'t', "X"}}, "abcde", 2, false},
        {"caret at the end of a full field", frei("abcde", 5, 5), {{'t', "X"}}, "abcde", 5, false},
        {"a typed character replaces the selection", frei("abcde", 5, 3, 1), {{'t', "X"}}, "aXde ", 2, true},
        {"Backspace", frei("abcd", 5, 2), {{'b', ""}}, "acd  ", 1, true},
        {"Backspace at the start", frei("abcd", 5, 0), {{'b', ""}}, "abcd ", 0, false},
        {"Delete", frei("abcd", 5, 0), {{'d', ""}}, "bcd  ", 0, true},
        {"Delete of the selection", frei("abcd", 5, 1, 3), {{'d', ""}}, "ad   ", 1, true},
        {"paste takes what fits", frei("ab", 5, 1), {{'p', "12345"}}, "a123b", 4, true},
        {"an empty paste keeps the selection", frei("abc", 5, 3, 0), {{'p', ""}}, "abc  ", 3, false},
        {"paste stops at a line break", frei("", 5, 0), {{'p', "x\r\ny"}}, "x    ", 1, true},
        {"kind 0 takes digits and '-'", frei("", 6, 0, -1, '0'), {{'t', "1a-.,5"}}, "1-5   ", 3, true},
        {"kind 2 takes points and commas", frei("", 6, 0, -1, '2'), {{'t', "1a.,5"}}, "1.,5  ", 4, true},
        {"kind Z takes digits only", frei("", 4, 0, -1, 'Z'), {{'t', "1-2"}}, "12  ", 2, true},
        {"pasted characters are filtered by kind", frei("", 4, 0, -1, 'Z'), {{'p', "a1b2"}}, "12  ", 2, true},
        {"control characters are not typed", frei("", 4, 0), {{'t', "\t\x7f"}}, "    ", 0, false},
        {"upper case with -G", frei("", 4, 0, -1, 'T', true), {{'t', "a\xe4z"}}, "A\xc4Z ", 3, true},
        {"a wide number takes nothing more", frei("123456,00", 6, 9, -1, '2'), {{'t', "1"}}, "123456,00", 9, false},
        {"a wide number shrinks back", frei("123456,00", 6, 9, -1, '2'), {{'b', ""}, {'b', ""}, {'b', ""}, {'b', ""}, {'t', "7"}},
         "123457", 6, true},
        {"the mask skips its literals", maske("##.##.####", "", 0), {{'t', "31022024"}}, "31.02.2024", 10, true},
        {"a literal position takes nothing", maske("##.##.####", "", 2), {{'t', "5"}}, "00.00.0000", 2, false},
        {"'#' wants a digit", maske("##:##", "", 0), {{'t', "a"}}, "00:00", 0, false},
        {"'$' takes any character, upper-cased", maske("$$-##", "", 0, -1, true), {{'t', "ab1"}}, "AB-10", 4, true},
        {"mask Backspace restores the empty form", maske("##.##.####", "31.02.2024", 5), {{'b', ""}}, "31.00.2024", 4,
         true},
        {"mask Delete of a selection", maske("##.##.####", "31.02.2024", 0, 5), {{'d', ""}}, "00.00.2024", 0, true},
        {"mask paste goes through the mask", maske("##.##.####", "", 0), {{'p', "12.03.2024"}}, "12.03.2024", 10,
         true},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        EdtText t = f.t;
        EXPECT_EQ(ausfuehren(t, f.schritte), f.geaendert);
        EXPECT_STREQ(t.wert, f.wert);
        EXPECT_EQ(t.caret, f.caret);
    }
}

TEST(EdtText, MaskCaretStaysWithinTheVisibleWidth)
{
    EdtText t = maske("##.##.####", "", 0);
    t.grenze = 4;
    ausfuehren(t, {{'t', "123456"}});
    EXPECT_STREQ(t.wert, "12.30.0000");  // the caret stopped at column 4, which is not shown
    EXPECT_EQ(t.caret, 4);
}

TEST(EdtText, SelectionAndCaret)
{
    EdtText t = frei("abc", 8, 0);
    edtAllesMarkieren(t);
    EXPECT_EQ(edtAuswahlText(t), "abc");
    edtCaretSetzen(t, 1, false);
    EXPECT_EQ(edtAuswahlText(t), "");
    edtCaretSetzen(t, 3, true);
    EXPECT_EQ(edtAuswahlText(t), "bc");
    edtCaretSetzen(t, 99, false);
    EXPECT_EQ(t.caret, 8);  // clamped to the value
    EXPECT_EQ(edtTextEnde(t), 3);
    EXPECT_EQ(edtTextEnde(maske("##:##", "", 0)), 5);
}

}  // namespace
