// Drawing file names: extensions, natural order, drawings and valid names.
#include <gtest/gtest.h>

#include <string>

#include "model/zeichnun.h"

namespace {

TEST(ZeiName, ExtensionsAndStems)
{
    struct Fall {
        const char* name;
        const char* ext;
        const char* ohneExt;
        const char* ohnePfad;
        const char* stamm;
    } faelle[] = {
        {"PLAN.A.01", "A.01", "PLAN", "PLAN", "PLAN"},
        {"PLAN.001", "001", "PLAN", "PLAN", "PLAN"},
        {"C:/X.Y/PLAN", "", "C:/X.Y/PLAN", "PLAN", "C:/X"},
        {"dir\\A.B.C.D", "C.D", "dir\\A.B", "A.B", "dir\\A"},
        {".001", "", ".001", ".001", ""},
        {"P", "", "P", "P", ""},
        {"PLAN", "", "PLAN", "PLAN", ""},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        char ext[32];
        ZeiExtHolen(f.name, ext);
        EXPECT_STREQ(ext, f.ext);
        char n[64];
        snprintf(n, sizeof n, "%s", f.name);
        ZeiExtLoeschen(n);
        EXPECT_STREQ(n, f.ohneExt);
        char o[64];
        ZeiNameOhnePfad(f.name, o);
        EXPECT_STREQ(o, f.ohnePfad);
        char s[64];
        ZeiStamm(s, f.name);
        EXPECT_STREQ(s, f.stamm);
    }
    char n[12] = "PLAN.A.01";
    ZeiExtSetzen(n, "TMP");
    EXPECT_STREQ(n, "PLAN.TMP");
    ZeiExtSetzen(n, "LANGE.ENDUNG");
    EXPECT_STREQ(n, "PLAN.LANGE.");  // cut to the capacity
    char o[8] = "X";
    ZeiExtSetzen(o, "B");
    EXPECT_STREQ(o, "X.B");

    char stamm[8], rest[8];
    EXPECT_EQ(ZeiNameTeilen("A.B.C", stamm, sizeof stamm, rest, sizeof rest), 1);
    EXPECT_STREQ(stamm, "A");
    EXPECT_STREQ(rest, "B.C");
    EXPECT_EQ(ZeiNameTeilen("ABC", stamm, sizeof stamm, nullptr, 0), 0);
    EXPECT_STREQ(stamm, "");
    EXPECT_EQ(ZeiNameHatPunkt("A.B"), 1);
    EXPECT_EQ(ZeiNameHatPunkt("AB"), 0);
}

TEST(ZeiName, NaturalOrder)
{
    struct Fall {
        const char* a;
        const char* b;
        int vorzeichen;  // sign of ZeiNameVergleich(a, b)
    } faelle[] = {
        {"2.1", "10.1", -1},  {"A.2", "A.10", -1}, {"A.10", "A.2", 1},  {"A.1", "1.1", -1},
        {"A.1", "B", 1},      {"B", "A.1", -1},     {"B.1", "B.1", 0},   {"X", "Y", -1},
        {"001", "1", 0},      {"A1", "A2", -1},     {"1", "A", 1},
        // Numbers past any integer are ordered by value, not held equal at a bound.
        {"77777777777", "777777777777", -1}, {"99999999999999999999", "0099999999999999999999", 0},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(std::string(f.a) + " / " + f.b);
        int v = ZeiNameVergleich(f.a, f.b);
        EXPECT_EQ((v > 0) - (v < 0), f.vorzeichen);
    }
    EXPECT_LT(ZeiDateiVergleich("plan2.001", "PLAN10.001"), 0);
    EXPECT_LT(ZeiDateiVergleich("PLAN.A.2", "plan.A.10"), 0);
    EXPECT_EQ(ZeiDateiVergleich("plan.a.1", "PLAN.A.1"), 0);
    // One order: a < b < c held for every pair (it once held a = b, c < b).
    const char* const reihe[] = {"x.77777777777", "x.77777777777~020~t", "x.777777777777"};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const int v = ZeiDateiVergleich(reihe[i], reihe[j]);
            EXPECT_EQ((v > 0) - (v < 0), (i > j) - (i < j)) << reihe[i] << " / " << reihe[j];
        }
    EXPECT_EQ(ZeiNameGleich("Plan.001", "PLAN.001"), 1);
    EXPECT_EQ(ZeiPfadGleich("C:\\Proj\\", "c:/proj"), 1);
    EXPECT_EQ(ZeiPfadGleich("/a/b", "/a/c"), 0);
}

TEST(ZeiName, DrawingsAndValidNames)
{
    struct Fall {
        const char* name;
        int zeichnung;
    } faelle[] = {
        {"BAUTEILE.ZVK", 0}, {"PLAN.BAK", 0},  {"PLAN.001", 1},    {"Projekt.zvk", 0},
        {" bmittel.ZVK ", 0}, {"bauteilk", 0}, {"PLAN.A.01", 1},   {"PLAN.TXT.001", 1},
        {"ABC.$", 0},         {"PLAN.MBX", 1}, {"BAUTEIL.001", 1},
    };
    for (const Fall& f : faelle) {
        EXPECT_EQ(ZeiIstZeichnung(f.name), f.zeichnung) << f.name;
    }
    EXPECT_EQ(ZeiNameGueltig("plan_1.a-01"), 0);
    EXPECT_EQ(ZeiNameGueltig("C:\\X/Y"), 0);
    EXPECT_EQ(ZeiNameGueltig(""), -1);
    EXPECT_EQ(ZeiNameGueltig("PLAN 1"), -1);
    EXPECT_EQ(ZeiNameGueltig("\xC4RGER"), -1);
}

}  // namespace
