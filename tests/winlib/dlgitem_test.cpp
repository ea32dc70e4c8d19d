// Dialog items: decimal texts without a sign before zero, radio groups,
// combo boxes without a match, the three outcomes of the list search, the
// read of a named window's control, and number fields.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "dlgpruef.h"
#include "platform/fehlersim.h"
#include "support/speicher.h"
#include "winlib/dlgitem.h"

using namespace dlgpruef;

namespace {

TEST(MinusNullWeg, OnlyASignBeforeZeroGoes)
{
    struct Fall { const char* ein; const char* aus; };
    for (Fall f : {Fall{"-0.0", "0.0"}, Fall{"-0,00", "0,00"}, Fall{"-0.01", "-0.01"}, Fall{"-10", "-10"},
                   Fall{"a -0 b -5", "a 0 b -5"}, Fall{"-", ""}, Fall{"0", "0"}}) {
        char t[20];
        std::strcpy(t, f.ein);
        EXPECT_STREQ(wiMinusNullWeg(t), f.aus) << f.ein;
    }
}

TEST(DezText, RoundsWithoutTheLocaleAndDropsANegativeZero)
{
    struct Fall { int stellen; double wert; const char* aus; };
    for (Fall f : {Fall{1, -0.04, "0.0"}, Fall{1, -0.06, "-0.1"}, Fall{2, -0.004, "0.00"}, Fall{0, -0.4, "0"},
                   Fall{5, 1.5, "1.50000"}, Fall{2, 1234.567, "1234.57"}}) {
        char t[40];
        EXPECT_STREQ(wiDezText(t, sizeof t, f.stellen, f.wert), f.aus) << f.wert;
    }
    char klein[4];
    EXPECT_STREQ(wiDezText(klein, sizeof klein, 2, 12.5), "12.");  // cut, never past the buffer
}

TEST(ListeSuchenIn, ThreeOutcomes)
{
    const char* e[] = {"Alpha", "Beta", "Gamma", "Betonmischer"};
    struct Fall { const char* text; int abAuswahl, auswahl, schnitt, breite, anzahl, erwartet, untersucht; };
    for (Fall f : {
             Fall{" be ", 0, -1, 0, 0, 4, 1, 1},  // begins with, trimmed, any case
             Fall{"ton", 1, 1, 0, 0, 4, 3, 1},    // contains, after the selection
             Fall{"alp", 1, 0, 0, 0, 4, -1, 1},   // the selected entry itself is not examined
             Fall{"zz", 0, 2, 0, 0, 4, -1, 1},    // none matched: selection cleared
             Fall{"PHA", 0, -1, 2, 0, 4, 0, 1},   // first two characters cut off
             Fall{"BETON", 0, -1, 0, 4, 4, -1, 1},  // cut to four characters
             Fall{"x", 1, 3, 0, 0, 4, 3, 0},      // selection on the last entry: nothing examined
             Fall{"x", 0, -1, 0, 0, 0, -1, 0},    // empty list
         }) {
        int u = -1;
        EXPECT_EQ(wiListeSuchenIn(e, f.anzahl, f.auswahl, f.text, f.abAuswahl, f.schnitt, f.breite, &u), f.erwartet)
            << f.text;
        EXPECT_EQ(u, f.untersucht) << f.text;
    }
}

using ItemTest = Fixture;

TEST_F(ItemTest, DecimalSettersShowNoNegativeZero)
{
    HWND h = neu("probe");
    wiDlgBetreten(h);
    char t[81];
    wiDezSetzen1(101, -0.04);
    EXPECT_STREQ((wiTextHolen(101, t, 80), t), "0,0");
    wiDezSetzen1(101, -0.06);
    EXPECT_STREQ((wiTextHolen(101, t, 80), t), "-0,1");
    wiDezSetzenN(101, 3, -0.0004);
    EXPECT_STREQ(wiTextRing(101), "0,000");
    wiTextSetzen(101, "  -12.75xyz");
    EXPECT_DOUBLE_EQ(wiDezHolen(101), -12.75);
    wiTextSetzen(101, "  -12,75xyz");  // typed with the comma
    EXPECT_DOUBLE_EQ(wiDezHolen(101), -12.75);
    wiHexSetzen(101, 0xBEEF);
    EXPECT_EQ(wiHexHolen(101), 0xBEEFu);
    wiZahlSetzen(101, -42);
    EXPECT_EQ(wiZahlHolen(101), -42);
    wiDlgVerlassen();
}

TEST_F(ItemTest, RadioGroups)
{
    HWND h = neu("probe");
    wiDlgBetreten(h);
    EXPECT_EQ(wiRadio(111, 3), -1);
    EXPECT_EQ(wiRadio(111, 0), -1);
    wiRadioSetzen(111, 2, 3);
    EXPECT_EQ(wiRadio(111, 3), 2);
    wiRadioSetzenEinzeln(111, 0, 3);
    EXPECT_EQ(wiRadio(111, 3), 0);
    EXPECT_EQ(wiKnopf(113), BST_UNCHECKED);
    EXPECT_EQ(wiRadio(111, -2), -1);
    wiDlgVerlassen();
}

TEST_F(ItemTest, ComboSetWithoutAMatchClearsTheSelectionAndShowsTheText)
{
    HWND h = neu("probe");
    wiDlgBetreten(h);
    wiComboFuellen(131, "/Kabel/Leitung/Dose//Rest/");
    EXPECT_EQ(wiComboAnzahl(131), 3);
    wiComboSetzen(131, "Leitung");
    EXPECT_EQ(wiComboWahl(131), 1);
    wiComboSetzen(131, "Schalter");
    EXPECT_EQ(wiComboWahl(131), -1);
    char t[81];
    EXPECT_STREQ(wiComboText(131, t, 80), "Schalter");
    EXPECT_EQ(wiComboEnthaelt(131, "Dose", 0), 1);
    EXPECT_EQ(wiComboEnthaelt(131, "Dosenfach", 4), 1);
    EXPECT_EQ(wiComboEnthaelt(131, "Dosenfach", 0), 0);
    wiDlgVerlassen();
}

TEST_F(ItemTest, ListSearchOnTheListBox)
{
    HWND h = neu("probe");
    wiDlgBetreten(h);
    wiListeLeeren(130);
    EXPECT_EQ(wiListeSuchen(130, "a", 0, 0, 0), -1);  // nothing to examine
    for (const char* e : {"Alpha", "Beta", "Gamma", "Betonmischer"}) wiListeAnhaengen(130, e);
    EXPECT_EQ(wiListeSuchen(130, "bet", 0, 0, 0), 1);
    EXPECT_EQ(wiListeWahl(130), 1);
    EXPECT_EQ(wiListeSuchen(130, "MISCH", 1, 0, 0), 3);
    EXPECT_EQ(wiListeSuchen(130, "x", 1, 0, 0), 3);   // on the last entry: kept
    EXPECT_EQ(wiListeWahl(130), 3);
    EXPECT_EQ(wiListeSuchen(130, "zz", 0, 0, 0), -1);  // none matched: cleared
    EXPECT_EQ(wiListeWahl(130), -1);
    wiDlgVerlassen();
}

TEST_F(ItemTest, TextFromANamedWindowReadsThatWindow)
{
    HWND a = neu("probe_a");
    HWND b = neu("probe_b");
    SetDlgItemText(a, 101, "von A");
    SetDlgItemText(b, 101, "von B");
    wiDlgBetreten(a);
    char t[201];
    EXPECT_EQ(wiTextHolenAus(b, 101, t, 500), 5);
    EXPECT_STREQ(t, "von B");
    EXPECT_EQ(wiTextHolen(101, t, 3), 3);
    EXPECT_STREQ(t, "von");
    char* neu = nullptr;
    EXPECT_EQ(wiTextHolenNeu(101, &neu), 5);
    EXPECT_STREQ(neu, "von A");
    ffree(neu);
    {
        PlFehlerScope scope;
        plFehlerSetzen(PlFehlerArt::Speicher, 1);
        EXPECT_EQ(wiTextHolenNeu(101, &neu), -1);
        EXPECT_EQ(neu, nullptr);
    }
    wiDlgVerlassen();
}

TEST_F(ItemTest, TextRingKeepsFiveReadsOf80Characters)
{
    HWND h = neu("probe");
    wiDlgBetreten(h);
    const char* gelesen[6];
    for (int i = 0; i < 6; ++i) {
        wiZahlSetzen(101, i);
        gelesen[i] = wiTextRing(101);
    }
    EXPECT_EQ(gelesen[5], gelesen[0]);  // the ring came round
    for (int i = 1; i < 5; ++i) EXPECT_EQ(std::string(gelesen[i]), std::to_string(i));
    wiTextSetzen(101, std::string(120, 'x').c_str());
    EXPECT_EQ(std::strlen(wiTextRing(101)), 80u);
    wiDlgVerlassen();
}

TEST_F(ItemTest, ClipboardTextRoundTrip)
{
    HWND h = neu("probe");
    wiDlgBetreten(h);
    wiClipLeeren();
    char t[10];
    EXPECT_STREQ(wiClipHolen(t, 9), "");
    EXPECT_EQ(wiClipHolenNeu(), nullptr);
    EXPECT_EQ(wiClipText("Leitungsschutzschalter"), 1);
    EXPECT_STREQ(wiClipHolen(t, 9), "Leitungss");
    char* neu = wiClipHolenNeu();
    ASSERT_NE(neu, nullptr);
    EXPECT_STREQ(neu, "Leitungsschutzschalter");
    ffree(neu);
    wiDlgVerlassen();
}

TEST_F(ItemTest, MissingControlsAreLeftAlone)
{
    HWND h = neu("probe");
    wiDlgBetreten(h);
    EXPECT_EQ(wiItemDa(999), 0);
    wiItemFrei(999, 0);
    wiItemZeigen(999, 0);
    EXPECT_EQ(wiItemIstFrei(999), 0);
    wiItemZeigen(102, 0);
    EXPECT_FALSE(IsWindowVisible(wiItem(102)));
    EXPECT_EQ(wiItemIstFrei(102), 0);
    wiDlgVerlassen();
}

}  // namespace
