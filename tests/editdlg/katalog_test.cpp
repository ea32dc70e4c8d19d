// Component catalogues on a group-file fixture: the tree rows (fixed rows,
// a closed heading, indented rows after Right, a group ended by an empty
// "Gruppe:"), letters with wrap, the components of a section with display
// names, the search of the group file, the row height setting and the
// palette's templates, grids and scroll range.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "config/verzeich.h"
#include "editdlg/katalog.h"
#include "tests/model/modelltest.h"

namespace {

std::string fixture() { return std::string(VELMO_TEST_DATA) + "/editdlg/BAUTEILK.L10"; }

std::vector<std::string> sichtbar(const KatBaum& b)
{
    std::vector<std::string> v;
    for (int i : b.sichtbar) v.push_back(std::string(b.zeilen[i].ebene ? "  " : "") + b.zeilen[i].text);
    return v;
}

TEST(Katalog, GroupFileGivesTheTreeRows)
{
    KatBaum b;
    ASSERT_EQ(KatLaden(&b, fixture().c_str()), 0);
    EXPECT_EQ(sichtbar(b), (std::vector<std::string>{"Eingetragen", "Verwendet", "Schuetze", "Motoren", "Sonstiges"}));
    EXPECT_EQ(b.zeilen[3].art, 3);
    EXPECT_STREQ(KatKopfBild(KatKopfZustand(&b, 3)), ".BMPDIRCLOSED");
    EXPECT_EQ(KatKopfZustand(&b, 2), -1);

    ASSERT_EQ(KatRechts(&b, 3), 3);
    KatOeffnen(&b, 3, 1);
    EXPECT_EQ(sichtbar(b), (std::vector<std::string>{"Eingetragen", "Verwendet", "Schuetze", "Motoren", "  Drehstrom",
                                                     "  Gleichstrom", "Sonstiges"}));
    EXPECT_STREQ(KatKopfBild(KatKopfZustand(&b, 3)), ".BMPDIROPEN");
    EXPECT_EQ(KatRechts(&b, 3), -1);
    EXPECT_EQ(KatLinks(&b, 5), 3);  // inside the group: its heading closes
    EXPECT_EQ(KatLinks(&b, 3), 3);
    EXPECT_EQ(KatLinks(&b, 6), -1);  // after the group's end
    KatOeffnen(&b, KatLinks(&b, 5), 0);
    EXPECT_EQ(b.sichtbar.size(), 5u);

    KatBaum leer;
    EXPECT_EQ(KatLaden(&leer, ""), 0);
    EXPECT_EQ(sichtbar(leer), (std::vector<std::string>{"Eingetragen", "Verwendet"}));
    EXPECT_EQ(KatLaden(&leer, (fixture() + ".fehlt").c_str()), -1);
    EXPECT_EQ(leer.zeilen.size(), 2u);
}

TEST(Katalog, LettersSelectTheNextVisibleRowWrapping)
{
    KatBaum b;
    KatLaden(&b, fixture().c_str());
    const struct {
        int zeile;
        char c;
        int ergebnis;
    } faelle[] = {{0, 's', 2}, {2, 'S', 6}, {6, 's', 2}, {2, 'v', 1}, {2, 'd', -1}};  // "Drehstrom" is hidden
    for (const auto& f : faelle) EXPECT_EQ(KatBuchstabe(&b, f.zeile, f.c), f.ergebnis) << f.zeile << f.c;
}

TEST(Katalog, ComponentsOfASection)
{
    KatBaum b;
    KatLaden(&b, fixture().c_str());
    const std::vector<KatEintrag> s = KatEintraege(&b, 2);
    ASSERT_EQ(s.size(), 2u);  // "?" lines are skipped
    EXPECT_STREQ(s[0].name, "K1");
    EXPECT_STREQ(s[0].anzeige, "Sch\xFCtz");
    EXPECT_EQ(s[0].text, "Hauptsch\xFCtz");
    EXPECT_STREQ(s[1].anzeige, "");
    EXPECT_EQ(s[1].text, "Hilfssch\xFCtz");
    const std::vector<KatEintrag> m = KatEintraege(&b, 4);
    ASSERT_EQ(m.size(), 2u);
    EXPECT_STREQ(m[0].anzeige, "Motor 3~");
    EXPECT_EQ(m[1].text, "");
    const std::vector<KatEintrag> x = KatEintraege(&b, 6);
    ASSERT_EQ(x.size(), 1u);
    EXPECT_STREQ(x[0].anzeige, "ohne Klammer zu");
    EXPECT_TRUE(KatEintraege(&b, 3).empty());  // a heading lists nothing
    EXPECT_EQ(KatBeschreibung(&b, "G1"), "Gleichstrommotor");
    EXPECT_EQ(KatBeschreibung(&b, "G"), "");
}

TEST(Katalog, GroupFileBesideTheLibraryOrInKind5)
{
    MtOrdner o;
    std::filesystem::create_directories(o.pfad / "bib");
    std::filesystem::create_directories(o.pfad / "gruppen");
    const std::string bib = o / "bib/BAUTEILE.L10";
    mtSchreiben(bib, mtLesen(mtFixture("BAUTEILE.L10")));
    char p[300];
    KatDateiSuchen(bib.c_str(), p, sizeof p);
    EXPECT_STREQ(p, "");
    mtSchreiben(o / "bib/BAUTEILK.L10", ")S A\r\n");
    KatDateiSuchen(bib.c_str(), p, sizeof p);
    EXPECT_EQ(std::string(p), o / "bib/BAUTEILK.L10");
    VerSetzen(5, (o / "gruppen/").c_str());
    KatDateiSuchen(bib.c_str(), p, sizeof p);
    EXPECT_EQ(std::string(p), o / "bib/BAUTEILK.L10");  // not in kind 5: beside the library
    mtSchreiben(o / "gruppen/BAUTEILK.L10", ")S B\r\n");
    KatDateiSuchen(bib.c_str(), p, sizeof p);
    EXPECT_EQ(std::string(p), o / "gruppen/BAUTEILK.L10");
    VerSetzen(5, "");
}

TEST(Katalog, RowHeightAndPalette)
{
    const int hoehen[][2] = {{0, 20}, {1, 32}, {100, 80}, {5, 20}, {40, 40}, {-3, 20}};
    for (const auto& h : hoehen) EXPECT_EQ(KatZeilenHoehe(h[0]), h[1]) << h[0];

    char t[20];
    const struct {
        int groesse, layout;
        const char* vorlage;
    } vorlagen[] = {{0, 1, "DB1205"}, {1, 12, "DB1205F112"}, {0, 2, "DB1205F002"}, {5, 0, "DB1205F101"}};
    for (const auto& v : vorlagen) {
        KatPaletteVorlage(v.groesse, v.layout, t, sizeof t);
        EXPECT_STREQ(t, v.vorlage);
    }
    int sp = 0, ze = 0;
    KatPaletteGitter(12, &sp, &ze);
    EXPECT_EQ(sp * ze, 120);
    KatPaletteGitter(1, &sp, &ze);
    EXPECT_EQ(sp, 8);
    EXPECT_EQ(ze, 3);
    // 29 entries in 8 columns: rows 0..3, so entries 24..28 can be shown.
    EXPECT_EQ(KatPaletteBereich(29, 8), 3);
    EXPECT_EQ(KatPaletteBereich(24, 8), 2);
    EXPECT_EQ(KatPaletteBereich(0, 8), 0);
}

}  // namespace
