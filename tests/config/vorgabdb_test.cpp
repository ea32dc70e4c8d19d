// Reader of the key descriptions: groups, patterns, captions, info lines.
#include "config/vorgabdb.h"
#include "konftest.h"

namespace {

class VorgabDb : public konftest::KonfTest {};

TEST_F(VorgabDb, GroupsCaptionsAndInfoLines)
{
    IniPfadSetzen("/home/u/.config/Velmo/Velmo-11.ini");
    VgbDb db;
    ASSERT_EQ(VgbDbLaden(VELMO_TEST_DATA "/config/Vorgaben.txt", db), 0);
    ASSERT_EQ(db.gruppen.size(), 2u);
    EXPECT_EQ(db.gruppen[0].name, "Zeichnen");
    EXPECT_EQ(db.gruppen[0].titel, "Zeichnen und Stifte");
    EXPECT_EQ(db.gruppen[0].muster, (std::vector<std::string>{"Stift*", "ZeiBreite", "Raster#"}));

    const VgbDbGruppe* g = VgbDbGruppeSuchen(db, "zeichnen");
    ASSERT_NE(g, nullptr);
    auto k = VgbDbGruppenSchluessel(db, *g);
    std::vector<std::string> namen;
    for (const auto* s : k) namen.push_back(s->schluessel);
    EXPECT_EQ(namen, (std::vector<std::string>{"StiftFarbe", "Stift%d", "Raster1", "ZeiBreite"}));

    const VgbDbSchluessel& farbe = *k[0];
    EXPECT_EQ(farbe.titel, "Farbe der Stifte");
    ASSERT_EQ(farbe.info.size(), 3u);
    EXPECT_EQ(farbe.info[0].text, "Info eins");
    EXPECT_FALSE(farbe.info[0].iniSchrift);
    EXPECT_EQ(farbe.info[1].text, "/home/u/.config/Velmo/");
    EXPECT_TRUE(farbe.info[1].iniSchrift);
    EXPECT_EQ(farbe.info[2].text, "Velmo-11.ini");

    // argument into the first %d only; the skipped block and the line after it
    const VgbDbSchluessel& stift = *k[1];
    EXPECT_EQ(stift.argument, "3");
    EXPECT_EQ(stift.titel, "Stift Nummer 3 von %s (100%)");
    ASSERT_EQ(stift.info.size(), 2u);
    EXPECT_EQ(stift.info[0].text, ")nach dem Block");
    EXPECT_EQ(stift.info[1].text, "Info zwei");

    // a hostile caption is text, never a format
    EXPECT_EQ(k[2]->titel, "Raster links%n%s");
    EXPECT_EQ(k[3]->titel, "Breite %s ohne Argument");

    EXPECT_EQ(VgbDbGruppeSuchen(db, "Fehlt"), nullptr);
    EXPECT_EQ(VgbDbLaden(VELMO_TEST_DATA "/config/fehlt.txt", db), -1);
}

TEST_F(VorgabDb, CaptionFormats)
{
    struct Fall {
        const char* format;
        const char* argument;
        const char* ergebnis;
    };
    const Fall faelle[] = {
        {"%s%n%s", "a", "a%n%s"},
        {"Wert %d%%", "12x", "Wert 12%%"},
        {"100% %s", "x", "100% x"},
        {"kein Platzhalter", "x", "kein Platzhalter"},
        {"%", "x", "%"},
    };
    for (const auto& f : faelle) EXPECT_EQ(VgbDbTitel(f.format, f.argument), f.ergebnis) << f.format;
}

}  // namespace
