// The status fields' rules without a page: widths by the decimals, the
// records of the popups' choices, the menus by field and locale, and the
// typed direction brought into 0..3599.
#include "editor/statusfeld.h"

#include <clocale>
#include <cstdlib>
#include <locale.h>

#include "editor/leiste.h"
#include "tests/editor/bautest.h"
#include "winlib/winbib.h"

namespace {

struct StatusfeldTest : BauTest {
    std::string wahl(int n, int id)
    {
        StatusfeldWahl(n, id);
        std::string r;
        for (const std::string& s : schlange()) r += (r.empty() ? "" : "; ") + s;
        return r;
    }
};

TEST_F(StatusfeldTest, WidthsFollowTheDecimalsOfTheirKind)
{
    struct Fall {
        int feld, a, b, breite;
    } faelle[] = {
        {3, 2, 0, 32},  // coordinates: 24 + 4 x A
        {3, 2, 1, 32},  // B does not touch them
        {17, 4, 0, 36},
        {21, 3, 1, 24},  // direction: 16 + 8 x B
        {9, 4, 1, 28},   // the scale: no decimals flag
    };
    for (const Fall& f : faelle) EXPECT_EQ(StatusfeldBreite(f.feld, f.a, f.b), f.breite) << f.feld;
    EXPECT_EQ(StatusfeldBreite(0, 2, 1), LayoutLinksBreite()) << "base -1 is the left bar's width";
    EXPECT_EQ(StatusfeldTabelle(35).art, 6);
    EXPECT_STREQ(StatusfeldTabelle(35).text, "BMPSTA");
}

TEST_F(StatusfeldTest, PopupChoicesBecomeRecords)
{
    struct Fall {
        int feld, id;
        const char* satz;
    } faelle[] = {
        {9, 1003, "MS 0.4"},  // "1 : 2.5"
        {9, 1006, "MS 0.1"},
        {6, 1025, "SW 2.5 2.5"},
        {17, 1008, "SL 20"},
        {19, 1004, "TG 2.5"},
        {21, 1002, "TR 900"},
        {21, 1012, "TAR 2"},
        {23, 1001, "TV 0.8"},
        {11, 1007, "ST 7"},
        {14, 1003, "SA 3"},
        {25, 1000, "TS 0"},
        {32, 1020, "LAY 20"},
        {3, 1001, "RLG"},
        {9, 1100, "_MEN 1105"},
        {6, 1100, "_MEN 1102"},
        {32, 1100, "_MEN 1104"},
        {14, 1100, "_MEN 1100"},
        {9, 1007, ""},  // no such item
        {11, 1010, ""},
    };
    for (const Fall& f : faelle) EXPECT_EQ(wahl(f.feld, f.id), f.satz) << f.feld << " " << f.id;
}

TEST_F(StatusfeldTest, MenusByFieldAndTheTextSizeMenuByTheLocale)
{
    EXPECT_EQ(StatusfeldMenue(3), "SBXYAUSWAHL");
    EXPECT_EQ(StatusfeldMenue(7), "SBSWAUSWAHL");
    EXPECT_EQ(StatusfeldMenue(28), "") << "the library name opens the settings";
    const char* alt = std::getenv("LC_ALL");
    const std::string altWert = alt ? alt : "";
    for (auto [lokale, menue] : {std::pair<const char*, const char*>{"de_DE.UTF-8", "SBTGDEAUSWAHL"},
                                 {"en_US.UTF-8", "SBTGCHAUSWAHL"}}) {
        locale_t l = newlocale(LC_NUMERIC_MASK, lokale, static_cast<locale_t>(0));
        if (!l) continue;  // that locale is not installed here
        freelocale(l);
        setenv("LC_ALL", lokale, 1);
        wiLokaleNeu();
        EXPECT_EQ(StatusfeldMenue(19), menue) << lokale;
    }
    if (alt) setenv("LC_ALL", altWert.c_str(), 1);
    else unsetenv("LC_ALL");
    wiLokaleNeu();
}

TEST_F(StatusfeldTest, ATypedDirectionIsRoundedIntoTheCircle)
{
    struct Fall {
        double grad;
        int zehntel;
    } faelle[] = {{-90, 2700}, {0, 0}, {12.34, 123}, {359.96, 0}, {-0.05, 3599}, {450, 900}, {-720.04, 3600 - 0}};
    for (const Fall& f : faelle) EXPECT_EQ(StatusfeldZehntel(f.grad), f.zehntel % 3600) << f.grad;
}

}  // namespace
