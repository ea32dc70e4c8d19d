// The replacement-component and component-window files: their lines read
// and written back, and each editor saving its file unchanged.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "lists/ersatzbtl.h"
#include "platform/headless.h"
#include "tests/equipment/bmtest.h"
#include "tests/project/projpruef.h"
#include "winlib/dialog.h"

namespace {

using Ersatz = bmtest::BmTest;

TEST_F(Ersatz, ComponentWindowLines)
{
    const std::string lang(60, 'e');
    const struct {
        const char* zeile;
        const char* bauteil;
        const char* anzeige;
        std::string text;
        std::string zurueck;
    } faelle[] = {
        {"K1 (Sch\xFCtz) Hauptsch\xFCtz", "K1", "Sch\xFCtz", "Hauptsch\xFCtz", "K1         (Sch\xFCtz) Hauptsch\xFCtz"},
        {"K1 Hauptsch\xFCtz", "K1", "", "Hauptsch\xFCtz", "K1         Hauptsch\xFCtz"},
        {"LAMPE", "LAMPE", "", "", "LAMPE"},
    };
    for (const auto& f : faelle) {
        fenstersatz s{};
        ASSERT_EQ(BfeZeileLesen(&s, f.zeile), 1) << f.zeile;
        EXPECT_STREQ(s.bauteil, f.bauteil);
        EXPECT_STREQ(s.anzeige, f.anzeige);
        EXPECT_EQ(s.text, f.text);
        char z[ELSZEILESUP + 1];
        BfeZeileSchreiben(&s, z, sizeof z);
        EXPECT_EQ(z, f.zurueck);
    }
    // A long explanation is kept whole, as the editor's component window reads it.
    fenstersatz s{};
    ASSERT_EQ(BfeZeileLesen(&s, ("M3 " + lang).c_str()), 1);
    EXPECT_EQ(s.text, lang);
    // Section lines name the records after them; other ')' lines are none.
    std::strcpy(s.kopf.name, "alt");
    EXPECT_EQ(BfeZeileLesen(&s, ")S Seite  Eins "), 2);
    EXPECT_STREQ(s.kopf.name, "Seite  Eins");
    EXPECT_EQ(BfeZeileLesen(&s, ")X"), 0);
}

TEST_F(Ersatz, ReplacementLines)
{
    const struct {
        const char* zeile;
        const char* zurueck;
    } faelle[] = {
        {"A B C D E F G", "A B C D E F"},
        {"  K1   K2  ", "K1 K2"},
        {"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxx", "xxxxxxxxxxxxxxxxxxxx"},
    };
    for (const auto& f : faelle) {
        ersatzsatz s{};
        ASSERT_EQ(EbtZeileLesen(&s, f.zeile), 1);
        char z[ELSZEILESUP + 1];
        EbtZeileSchreiben(&s, z, sizeof z);
        EXPECT_STREQ(z, f.zurueck) << f.zeile;
    }
    ersatzsatz s{};
    std::strcpy(s.namen[0], "K1");
    std::strcpy(s.namen[2], "K3");
    char z[ELSZEILESUP + 1];
    EbtZeileSchreiben(&s, z, sizeof z);
    EXPECT_STREQ(z, "K1 K3") << "an empty first replacement leaves one blank";

    // A name beginning with ')' is written behind a blank: as the line's
    // first character it would end the file on the next load.
    ersatzsatz k{};
    std::strcpy(k.namen[0], ")K");
    EbtZeileSchreiben(&k, z, sizeof z);
    EXPECT_STREQ(z, " )K");
    ersatzsatz r{};
    ASSERT_EQ(EbtZeileLesen(&r, z), 1);
    EXPECT_STREQ(r.namen[0], ")K");
    fenstersatz f{};
    std::strcpy(f.bauteil, ")B");
    std::strcpy(f.text, "Text");
    BfeZeileSchreiben(&f, z, sizeof z);
    EXPECT_STREQ(z, " )B         Text");
    fenstersatz g{};
    ASSERT_EQ(BfeZeileLesen(&g, z), 1);
    EXPECT_STREQ(g.bauteil, ")B");
    EXPECT_STREQ(g.text, "Text");

    // Without a name, or with a text beginning with '(', the empty brackets
    // keep the text where it was.
    struct {
        const char *bauteil, *text, *zeile;
    } const fensterFaelle[] = {{"", "Hauptschuetz", "() Hauptschuetz"}, {"K1", "(alt) neu", "K1         () (alt) neu"}};
    for (const auto& f2 : fensterFaelle) {
        fenstersatz w{};
        std::strcpy(w.bauteil, f2.bauteil);
        std::strcpy(w.text, f2.text);
        BfeZeileSchreiben(&w, z, sizeof z);
        EXPECT_STREQ(z, f2.zeile);
        fenstersatz zurueck{};
        ASSERT_EQ(BfeZeileLesen(&zurueck, z), 1);
        EXPECT_STREQ(zurueck.bauteil, f2.bauteil);
        EXPECT_STREQ(zurueck.anzeige, "");
        EXPECT_STREQ(zurueck.text, f2.text);
    }
    // A display name cut at its 20 characters right after a blank ends
    // without it, so it reads back as saved.
    fenstersatz lang{};
    ASSERT_EQ(BfeZeileLesen(&lang, "X1 (neunzehn Zeichen ab xyz"), 1);
    EXPECT_STREQ(lang.anzeige, "neunzehn Zeichen ab");
    BfeZeileSchreiben(&lang, z, sizeof z);
    fenstersatz wieder{};
    ASSERT_EQ(BfeZeileLesen(&wieder, z), 1);
    EXPECT_STREQ(wieder.anzeige, lang.anzeige);
}

TEST_F(Ersatz, EditorsSaveTheirFilesUnchanged)
{
    projpruef::dialogWirt((wurzel_ / "cfg").string(), 1000, 800);
    const struct {
        void (*oeffnen)(const char*);
        const char* dialog;
        const char* datei;
        std::string inhalt;
    } faelle[] = {
        {ErsatzBtlOeffnen, "ErsatzBTL", "BAUTEILA", ")S Motoren\r\nM1 M2 M3\r\n)S Lampen\r\nL1 L2\r\n"},
        {BtlFensterOeffnen, "BTLFenster", "BAUTEILK",
         ")S Steuerung\r\nK1         (Sch\xFCtz) Hauptsch\xFCtz\r\nS1         Taster\r\n"},
    };
    for (const auto& f : faelle) {
        eqtest::schreiben(pfad(f.datei), f.inhalt);
        f.oeffnen(pfad(f.datei).c_str());
        projpruef::dlgPumpen();
        HWND d = wiDlgSuchen(f.dialog);
        ASSERT_NE(d, 0u) << f.dialog;
        if (const char* z = std::getenv("VELMO_BILDER")) plHeadlessPng(d, (std::string(z) + "/" + f.dialog + ".png").c_str());
        SendMessage(d, WM_COMMAND, 2500, 0);
        projpruef::dlgPumpen();
        EXPECT_EQ(wiDlgSuchen(f.dialog), 0u);
        EXPECT_EQ(eqtest::lesen(pfad(f.datei)), f.inhalt) << f.dialog;
    }
    projpruef::dialogWirtEnde();
}

}  // namespace
