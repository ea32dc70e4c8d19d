// The settings resource "ANW_CONFIG": defaults, the entry form with two zero
// bytes, exact keys, hexadecimal and decimal values, "System" in any case,
// and the image as shipped.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "frame/anw.h"
#include "platform/ressource.h"
#include "platform/winconst.h"

namespace {

AnwKonfig lesen(const std::string& bild)
{
    AnwKonfig k;
    anwKonfigLesen(&k, bild.data(), bild.size());
    return k;
}

std::string eintrag(const char* text)
{
    return std::string(text) + std::string(2, '\0');
}

}  // namespace

TEST(AnwKonfig, DefaultsWithoutResource)
{
    AnwKonfig k;
    anwKonfigLesen(&k, nullptr, 0);
    EXPECT_STREQ(k.klasse, "ORVAtest");
    EXPECT_STREQ(k.name, "ORVA Testprogramm");
    EXPECT_STREQ(k.schrift, "Fixedsys");
    EXPECT_STREQ(k.iconGross, "ANW_ICON");
    EXPECT_EQ(k.ddeServer, 1);
    EXPECT_EQ(k.single, 0);
    EXPECT_EQ(k.klassenStil, 8u);
    EXPECT_EQ(k.fensterStil, 0x3CF0000u);
    EXPECT_EQ(k.bgArt, 0);
}

TEST(AnwKonfig, ValuesByTable)
{
    struct Fall {
        const char* text;
        const char* was;
        long erwartet;
    } faelle[] = {
        {"CStyle 0x8", "hex with a prefix stops at x", 0},
        {"CStyle 2b", "hex digits", 0x2b},
        {"WStyle 10CF0000zz", "hex stops at the first other character", 0x10CF0000},
        {"WStyle zz", "a value starting with another character", 0},
        {"Single 1", "decimal", 1},
        {"DDEServer    0", "white space after the blank", 0},
        {"single 1", "keys are exact: lower case is unknown", 0},
        {"Single", "an entry without a blank is ignored", 0},
    };
    for (const Fall& f : faelle) {
        AnwKonfig k = lesen(eintrag(f.text) + '\0');
        long wert = std::strncmp(f.text, "CStyle", 6) == 0   ? static_cast<long>(k.klassenStil)
                    : std::strncmp(f.text, "WStyle", 6) == 0 ? static_cast<long>(k.fensterStil)
                    : std::strncmp(f.text, "DDE", 3) == 0    ? k.ddeServer
                                                             : k.single;
        EXPECT_EQ(wert, f.erwartet) << f.was;
    }
}

TEST(AnwKonfig, BackgroundKinds)
{
    EXPECT_EQ(lesen(eintrag("BGColor system")).bgArt, 1) << "System ignores case";
    AnwKonfig k = lesen(eintrag("BGColor 236 233 216"));
    EXPECT_EQ(k.bgArt, 2);
    EXPECT_EQ(k.bgRot, 236);
    EXPECT_EQ(k.bgGruen, 233);
    EXPECT_EQ(k.bgBlau, 216);
    k = lesen(eintrag("BGBitmap MUSTER"));
    EXPECT_EQ(k.bgArt, 3);
    EXPECT_STREQ(k.bgBitmap, "MUSTER");
}

TEST(AnwKonfig, EndsAtEmptyEntryAndNeverReadsPastTheImage)
{
    AnwKonfig k = lesen(eintrag("Class Eins") + '\0' + eintrag("Name Danach"));
    EXPECT_STREQ(k.klasse, "Eins");
    EXPECT_STREQ(k.name, "ORVA Testprogramm") << "nothing after the end entry";

    // An image cut inside an entry, without terminator: the entry is taken
    // up to the image's end, nothing beyond it.
    std::string bild = eintrag("Class Zwei") + "Name Abgeschnitten";
    std::string kopie(bild);
    AnwKonfig k2;
    anwKonfigLesen(&k2, kopie.data(), kopie.size());
    EXPECT_STREQ(k2.klasse, "Zwei");
    EXPECT_STREQ(k2.name, "Abgeschnitten");

    // Over-long values are cut to their fields.
    AnwKonfig k3 = lesen(eintrag(("WPFile " + std::string(60, 'w')).c_str()));
    EXPECT_EQ(std::strlen(k3.wpDatei), static_cast<size_t>(ANWWPSUP));
}

TEST(AnwKonfig, ShippedResource)
{
    HMODULE m = GetModuleHandle(nullptr);
    HRSRC r = FindResource(m, "ANW_CONFIG", RT_RCDATA);
    ASSERT_NE(r, 0u);
    AnwKonfig k;
    anwKonfigLesen(&k, static_cast<const char*>(LockResource(LoadResource(m, r))), SizeofResource(m, r));
    EXPECT_STREQ(k.klasse, "Velmo");
    EXPECT_STREQ(k.name, "Velmo 11.2");
    EXPECT_EQ(k.single, 1);
    EXPECT_EQ(k.maxi, 1);
    EXPECT_STREQ(k.wpDatei, "Velmo.ini");
    EXPECT_STREQ(k.wpAbschnitt, "Global");
    EXPECT_EQ(k.bgArt, 2);
    EXPECT_EQ(k.bgBlau, 216);

    // The start screen and the program information name the program and
    // its version as the title bar does, in one form.
    struct Fall {
        const char* dialog;
        int id;
        const char* text;
    } faelle[] = {{"PVWSTARTUP", 3101, "Velmo Version 11.2"},
                  {"PVWSTARTUP1", 3101, "Velmo Version 11.2"},
                  {"ZvCopy", 3000, "Version 11.2"}};
    for (const Fall& f : faelle) {
        const RcDialog* d = rcDialog(m, f.dialog);
        ASSERT_NE(d, nullptr) << f.dialog;
        std::string t;
        for (const RcDlgElement& e : d->elemente)
            if (e.id == f.id) t = e.text;
        EXPECT_EQ(t, f.text) << f.dialog;
    }
}
