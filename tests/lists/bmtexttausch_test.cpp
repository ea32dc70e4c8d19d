// Exchange of the equipment texts: export lines of both formats, format
// detection, the import modes in both formats with their counts, the
// messages of the import dialog.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "equipment/btl.h"
#include "equipment/ges.h"
#include "equipment/ngestext.h"
#include "lists/bmtexttausch.h"
#include "platform/headless.h"
#include "platform/nachrichtbox.h"
#include "tests/equipment/kennung_test.h"
#include "tests/project/projpruef.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"

namespace {

struct TextTausch : kenntest::KennTest {
    void SetUp() override
    {
        KennTest::SetUp();
        projpruef::dialogWirt((wurzel_ / "cfg").string(), 800, 600);
        starten("BMkenn @K\n");
        a = hauptGeraet("-K1", 10, 10);
        eintrag(a, "Ua", "KON", "", 0, 0);
        GtxHauptTextSetzen(a, 0, "Motor");
        GtxTextSetzen(a, "Ua", 0, 1, "Kontakt");
        appgeraet g;
        GesHolen(a, &g);
        std::strcpy(g.lt, "ART1");
        GesAendern(a, &g);
        b = hauptGeraet("-K2", 20, 10);  // no stock article, no texts
        EXPECT_EQ(BMListenSpeichern(1), 0);
    }
    void TearDown() override
    {
        projpruef::dialogWirtEnde();
        KennTest::TearDown();
    }
    std::string haupt(uint32_t id, int n)
    {
        char t[GTXNACHSUP + 1];
        GtxHauptTextRoh(id, n, t, sizeof t);
        return t;
    }
    uint32_t a = 0, b = 0;
};

TEST_F(TextTausch, ExportLinesOfBothFormatsAndTheirDetection)
{
    bmexport o;
    const std::string p1 = pfad("ex1.txt"), p0 = pfad("ex0.txt");
    ASSERT_EQ(BmTexteExportieren(p1.c_str(), o), 3);
    EXPECT_EQ(eqtest::lesen(p1), "0001:L:0        -K1         0   ART1\n"
                                 "0001:H:0        -K1         1   Motor\n"
                                 "0001:Ua:0       -K1         2   Kontakt\n")
        << "no L line for the item without a stock article";
    o.format = 0;
    o.unter = false;
    ASSERT_EQ(BmTexteExportieren(p0.c_str(), o), 2);
    EXPECT_EQ(eqtest::lesen(p0), "-K1         0   ART1\n-K1         1   Motor\n");
    EXPECT_EQ(BmTexteFormat(p1.c_str()), 1);
    EXPECT_EQ(BmTexteFormat(p0.c_str()), 0);
    eqtest::schreiben(pfad("x.txt"), "0001:H 1 Motor\n");
    EXPECT_EQ(BmTexteFormat(pfad("x.txt").c_str()), 0) << "one colon only";
    EXPECT_EQ(BmTexteFormat(pfad("fehlt.txt").c_str()), -1);
}

// Modes over one file: an existing text, an empty one, the stock article.
TEST_F(TextTausch, ImportModesAndTheirCounts)
{
    const std::string datei = pfad("im.txt");
    eqtest::schreiben(datei, "0001:H:0 -K1 1 Neu\n0001:H:0 -K1 2 Zwei\n0001:L:0 -K1 0 ART1\n0002:H:0 -K2 1 \n");
    const struct {
        int modus;
        const char* text0;
        const char* text1;
        int anzahl;  // texts taken, with the stock line (mode 3) counting equal or not
    } faelle[] = {
        {1, "Motor", "Zwei", 1},
        {2, "Neu", "Zwei", 2},
        {3, "Neu", "Zwei", 3},
    };
    for (const auto& f : faelle) {
        GtxHauptTextSetzen(a, 0, "Motor");
        GtxHauptZeileLoeschen(a, 1);
        GtxHauptTextSetzen(b, 0, "Alt");
        ASSERT_EQ(BMListenSpeichern(1), 0);
        const int n = BmTexteImportieren(datei.c_str(), 1, f.modus, f.modus == 3 ? 3 : 0);
        BMListenVerwerfen();
        BMDateiAktuell(0);
        EXPECT_EQ(haupt(a, 0), f.text0) << f.modus;
        EXPECT_EQ(haupt(a, 1), f.text1) << f.modus;
        EXPECT_EQ(haupt(b, 0), f.modus == 3 ? "" : "Alt") << "only mode 3 deletes";
        EXPECT_EQ(n, f.anzahl + (f.modus == 3 ? 1 : 0)) << f.modus;
    }
    // Format 0 sets equal lines again and counts them.
    eqtest::schreiben(pfad("f0.txt"), "-K1 1 Motor\n");
    GtxHauptTextSetzen(a, 0, "Motor");
    ASSERT_EQ(BMListenSpeichern(1), 0);
    EXPECT_EQ(BmTexteImportieren(pfad("f0.txt").c_str(), 0, 2, 0), 1);
}

TEST_F(TextTausch, ImportDialogSaysWhatIsWrong)
{
    eqtest::schreiben(pfad("f0.txt"), "-K1 1 Motor\n");
    const struct {
        int text, lager, format;
        std::string datei;
        std::string meldung;
    } faelle[] = {
        {0, 0, 1, pfad("f0.txt"), "Keine Funktion gew\xE4hlt"},
        {1, 0, 1, pfad("fehlt.txt"), pfad("fehlt.txt") + " nicht gefunden"},
        {1, 0, 1, pfad("f0.txt"), "Diese Datei ist nicht im angegebenen Format."},
    };
    for (const auto& f : faelle) {
        AppExtTxtImpOeffnen();
        projpruef::dlgPumpen();
        HWND d = wiDlgSuchen("AppExtTxtImp");
        ASSERT_NE(d, 0u);
        ASSERT_TRUE(wiDlgBetreten(d));
        wiRadioSetzen(3120, f.text, 4);
        wiRadioSetzen(3130, f.lager, 4);
        wiRadioSetzen(3140, f.format, 2);
        wiTextSetzen(3110, f.datei.c_str());
        wiDlgVerlassen();
        plNachrichtBoxFragenLeeren();
        SendMessage(d, WM_COMMAND, 2500, 0);
        projpruef::dlgPumpen();
        ASSERT_FALSE(plNachrichtBoxFragen().empty());
        EXPECT_EQ(plNachrichtBoxFragen().front().text, f.meldung);
        if (const char* z = std::getenv("VELMO_BILDER")) plHeadlessPng(d, (std::string(z) + "/AppExtTxtImp.png").c_str());
        wiDlgSlotSchliessen(wiDlgSlot(d));
    }
    AppExtTxtExpOeffnen();
    projpruef::dlgPumpen();
    HWND e = wiDlgSuchen("AppExtTxtExp");
    ASSERT_NE(e, 0u);
    if (const char* z = std::getenv("VELMO_BILDER")) plHeadlessPng(e, (std::string(z) + "/AppExtTxtExp.png").c_str());
}

}  // namespace
