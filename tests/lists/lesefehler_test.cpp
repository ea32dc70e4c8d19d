// Files of the lists that cannot be read whole: each reader says "Kann <Pfad>
// nicht lesen.", takes nothing from the file and leaves every file as it was
// (the old readers took the empty or half list as the whole and wrote it
// back); readable again, the same run goes through.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <functional>
#include <string>

#include "equipment/bm.h"
#include "equipment/ges.h"
#include "equipment/ngestext.h"
#include "lists/bmtexttausch.h"
#include "lists/spsinfo.h"
#include "lists/stammdat.h"
#include "platform/fehlersim.h"
#include "platform/nachrichtbox.h"
#include "tests/equipment/kennung_test.h"
#include "tests/project/projpruef.h"
#include "winlib/dialog.h"

namespace {

struct Lesefehler : kenntest::KennTest {
    void SetUp() override
    {
        KennTest::SetUp();
        projpruef::dialogWirt((wurzel_ / "cfg").string(), 800, 600);
        starten("");
        a = hauptGeraet("-K1", 10, 10);
        GtxHauptTextSetzen(a, 0, "Motor");
        ASSERT_EQ(BMListenSpeichern(1), 0);
        SpsInfoVergessen();
    }
    void TearDown() override
    {
        SpsInfoVergessen();
        projpruef::dialogWirtEnde();
        KennTest::TearDown();
    }
    std::string sprachDatei() const { return (wurzel_ / "cfg" / "Velmo" / "Sprache.txt").string(); }
    bool gesagt(const std::string& text) const
    {
        for (const plNachrichtBoxFrage& f : plNachrichtBoxFragen())
            if (f.text == text) return true;
        return false;
    }
    uint32_t a = 0;
};

TEST_F(Lesefehler, AFileReadShortIsSaidTakenAsNothingAndNeverWrittenOver)
{
    std::string sps = "zvkI\n)S SPSInfo\n";
    for (int i = 0; i < 40; ++i) {
        const std::string n = std::to_string(i);
        sps += "E" + n + "\x1c" "Eingang " + n + std::string(SPSTEXTANZ - 1, '\x1c') + "\n";
    }
    sps += ")E\n";
    eqtest::schreiben(pfad("SPSINFO.ZVK"), sps);
    eqtest::schreiben(sprachDatei(), "0 Deutsch\r\n1 English\r\n");
    // The first block holds -K1's new text, the second more lines.
    std::string texte = "0001:H:0 -K1 1 Neu\n";
    while (texte.size() < 3000) texte += "0099:H:0 -K99 1 Sonst\n";
    eqtest::schreiben(pfad("texte.txt"), texte);

    struct Fall {
        const char* name;
        std::string datei;     // the file read
        std::string bewacht;   // the file that must stay as it is
        int fehlerBei;              // the read call that fails
        bool dauerhaft;             // and every later one (the dialog reads its settings first)
        std::function<int()> lauf;  // read and, as a user would, save; < 0 failed
    };
    const Fall faelle[] = {
        {"PLC information", pfad("SPSINFO.ZVK"), pfad("SPSINFO.ZVK"), 1, false,
         [&] {
             SpsInfoVergessen();
             const int r = SpsInfoLesen(pfad("SPSINFO.ZVK").c_str());
             const int w = SpsInfoSchreiben();
             return r < 0 ? r : w;
         }},
        {"language names", sprachDatei(), sprachDatei(), 1, true,
         [&] {
             SprachenOeffnen();
             projpruef::dlgPumpen();
             HWND d = wiDlgSuchen("Sprachen");
             if (d == 0) return -1;
             SendMessage(d, WM_COMMAND, 2500, 0);  // OK saves the names shown
             projpruef::dlgPumpen();
             return 0;
         }},
        {"equipment texts, second block", pfad("texte.txt"), pfad("BMittel.zvk"), 2, false,
         [&] { return BmTexteImportieren(pfad("texte.txt").c_str(), 1, 2, 0); }},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        const std::string vorher = eqtest::lesen(f.bewacht);
        plNachrichtBoxFragenLeeren();
        int r = 0;
        {
            PlFehlerScope scope;
            plFehlerSetzen(PlFehlerArt::Lesen, f.fehlerBei, f.dauerhaft);
            r = f.lauf();
            EXPECT_GE(plFehlerAusgeloest(PlFehlerArt::Lesen), 1);
        }
        EXPECT_LT(r, 0);
        EXPECT_TRUE(gesagt("Kann " + f.datei + " nicht lesen."));
        EXPECT_EQ(eqtest::lesen(f.bewacht), vorher);
        EXPECT_EQ(wiDlgSuchen("Sprachen"), 0u);
    }
    EXPECT_EQ(SpsInfoAnzahl(), 0);
    BMListenVerwerfen();
    BMDateiAktuell(0);
    char t[GTXNACHSUP + 1];
    GtxHauptTextRoh(a, 0, t, sizeof t);
    EXPECT_STREQ(t, "Motor");

    // Read whole, each goes through.
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        EXPECT_GE(f.lauf(), 0);
    }
    EXPECT_EQ(SpsInfoAnzahl(), 40);
    EXPECT_EQ(eqtest::lesen(pfad("SPSINFO.ZVK")), sps);
    std::array<std::string, SPRANZ> namen;
    ASSERT_EQ(SprNamenLesen(namen), 0);
    EXPECT_EQ(namen[1], "English");
}

}  // namespace
