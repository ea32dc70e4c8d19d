// The equipment list page: the rules of its item list (type setting,
// filter text past column 80, search, refresh by the change ring, layout
// clamps, numeric component texts) and the page itself on a headless host
// over a store of the test's own: filters, editing and saving an item,
// go-to, refresh, docking.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "config/inidatei.h"
#include "equipment/app.h"
#include "equipment/btl.h"
#include "equipment/ges.h"
#include "equipment/ngestext.h"
#include "lists/bmlbearb.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/nachrichtbox.h"
#include "tests/equipment/kennung_test.h"
#include "tests/project/projpruef.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/seitendienst.h"

namespace {

TEST(BmlRegeln, SettingsLayoutAndNumericTexts)
{
    const struct {
        int einstellung, index;
    } typen[] = {{0, 1}, {1, 0}, {5, 5}, {9, 7}};
    for (const auto& t : typen) EXPECT_EQ(BmlTypAusEinstellung(t.einstellung), t.index) << t.einstellung;
    const struct {
        int b, h, eb, eh;
    } masse[] = {{300, 300, 358, 376}, {600, 600, 500, 480}, {400, 400, 400, 400}};
    for (const auto& m : masse) {
        int b, h;
        BmlLayoutMasse(m.b, m.h, &b, &h);
        EXPECT_EQ(b, m.eb);
        EXPECT_EQ(h, m.eh);
    }
    EXPECT_TRUE(BmlNurZiffern("12"));
    EXPECT_FALSE(BmlNurZiffern("12a"));
    EXPECT_FALSE(BmlNurZiffern(""));
}

struct BmlSeite : kenntest::KennTest {
    void SetUp() override
    {
        KennTest::SetUp();
        projpruef::dialogWirt((wurzel_ / "cfg").string(), 1200, 900);
        WiSeitenDienst d{};
        d.modusUmschalten = [](int m) { umgeschaltet().push_back(m); };
        wiSeitenDienstSetzen(d);
        umgeschaltet().clear();
        starten("BMkenn @K\n");
        AppAktivSetzen(1);
    }
    void TearDown() override
    {
        if (HWND f = BmlFenster()) wiDlgSlotSchliessen(wiDlgSlot(f));
        projpruef::dlgPumpen();
        AppAktivSetzen(0);
        wiSeitenDienstZuruecksetzen();
        projpruef::dialogWirtEnde();
        KennTest::TearDown();
    }
    static std::vector<int>& umgeschaltet()
    {
        static std::vector<int> v;
        return v;
    }
    HWND oeffnen()
    {
        EXPECT_EQ(BMListenSpeichern(1), 0);
        EXPECT_NE(BmlBearbOeffnen(), 0);
        projpruef::dlgPumpen();
        return BmlFenster();
    }
    void befehl(int id, int code = 0)
    {
        SendMessage(BmlFenster(), WM_COMMAND, MAKEWPARAM(id, code), 0);
        projpruef::dlgPumpen();
    }
    int anzahl()
    {
        wiDlgBetreten(BmlFenster());
        const int n = wiListeAnzahl(3100);
        wiDlgVerlassen();
        return n;
    }
    std::string text(int id)
    {
        wiDlgBetreten(BmlFenster());
        std::string t = wiTextRing(id);
        wiDlgVerlassen();
        return t;
    }
    void setzen(int id, const char* t)
    {
        wiDlgBetreten(BmlFenster());
        wiTextSetzen(id, t);
        wiDlgVerlassen();
    }
    int wahl()
    {
        wiDlgBetreten(BmlFenster());
        const int n = wiListeWahl(3100);
        wiDlgVerlassen();
        return n;
    }
    void waehlen(int n)
    {
        wiDlgBetreten(BmlFenster());
        wiListeWahlSetzen(3100, n);
        wiDlgVerlassen();
        befehl(3100, LBN_SELCHANGE);
    }
    void bild(const char* name)
    {
        if (const char* z = std::getenv("VELMO_BILDER")) plHeadlessPng(BmlFenster(), (std::string(z) + "/" + name).c_str());
    }
};

// The list in identifier order under the filter "Standard" of the shipped
// setting, the filter text beyond column 80 and "Intern"/"Extern".
TEST_F(BmlSeite, ItemListFilters)
{
    const uint32_t a = hauptGeraet("-K1", 10, 10);
    eintrag(a, "Ua", "KON", "", 0, 0);
    const uint32_t b = hauptGeraet("-K2", 20, 10);
    eintrag(b, "Ua", "KON", "", 0, 0);
    GtxHauptTextSetzen(b, 3, "Sonderzubehoer");  // only in the loaded texts
    const uint32_t c = hauptGeraet("-M1", 30, 10);
    eintrag(c, "Ua", "KON", "", 0, 0);
    appgeraet g;
    GesHolen(c, &g);
    g.n2 = 1;  // external
    GesAendern(c, &g);
    ASSERT_NE(oeffnen(), 0u);
    bild("BMLBEARB_INT.png");
    EXPECT_EQ(anzahl(), 3);
    setzen(3150, "K");
    befehl(3150, EN_CHANGE);
    EXPECT_EQ(anzahl(), 2);
    setzen(3150, "sonderzub");
    befehl(3150, EN_CHANGE);
    EXPECT_EQ(anzahl(), 1) << "found past column 80";
    setzen(3150, "");
    befehl(3150, EN_CHANGE);
    // Clearing "Extern" lists the internal ones; clearing "Intern" then
    // checks "Extern" again.
    wiDlgBetreten(BmlFenster());
    wiKnopfSetzen(3141, 0);
    wiDlgVerlassen();
    befehl(3141, BN_CLICKED);
    EXPECT_EQ(anzahl(), 2);
    wiDlgBetreten(BmlFenster());
    wiKnopfSetzen(3140, 0);
    wiDlgVerlassen();
    befehl(3140, BN_CLICKED);
    wiDlgBetreten(BmlFenster());
    EXPECT_EQ(wiKnopf(3141), 1);
    wiDlgVerlassen();
    EXPECT_EQ(anzahl(), 1);
}

TEST_F(BmlSeite, EditingAnItemSavesItsIdentifierAndTexts)
{
    const uint32_t a = hauptGeraet("-K1", 10, 10);
    eintrag(a, "Ua", "KON", "001", 12, 10);
    appbteil u;
    ASSERT_TRUE(BtlSuchen(a, "Ua", 0, &u));
    std::strcpy(u.bs, "5");  // a placed component with a text shows its text field
    BtlEintragAendern(a, "Ua", 0, &u);
    ASSERT_NE(oeffnen(), 0u);
    waehlen(0);
    EXPECT_EQ(text(3070), "-K1");
    wiDlgBetreten(BmlFenster());
    EXPECT_EQ(wiItemIstFrei(2522), 0) << "no placeholders: the view button is off";
    wiDlgVerlassen();
    setzen(3070, " -K7 ");
    setzen(3020, "Hauptschuetz");
    befehl(2502);
    appgeraet g;
    ASSERT_EQ(GesHolen(a, &g), 0);
    EXPECT_STREQ(g.kg, "-K7");
    char t[GTXNACHSUP + 1];
    GtxHauptText(a, 0, t, sizeof t);
    EXPECT_STREQ(t, "Hauptschuetz");
    EXPECT_EQ(text(3000), kennung(a));

    // A component text: digits only make the short field, else line 99.
    wiDlgBetreten(BmlFenster());
    const int n = wiListeAnzahl(3200);
    wiListeWahlSetzen(3200, 1);
    wiDlgVerlassen();
    ASSERT_GE(n, 2);
    befehl(3200, LBN_SELCHANGE);
    const struct {
        const char* eingabe;
        const char* bs;
        const char* z99;
    } faelle[] = {{"12", "12", ""}, {"12a", "12a", "12a"}};
    for (const auto& f : faelle) {
        setzen(3090, f.eingabe);
        wiDlgBetreten(BmlFenster());
        SendMessage(BmlFenster(), WM_COMMAND, 2500, 0);
        wiDlgVerlassen();
        projpruef::dlgPumpen();
        appbteil b;
        ASSERT_TRUE(BtlSuchen(a, "Ua", 0, &b));
        EXPECT_STREQ(b.bs, f.bs) << f.eingabe;
        GtxTextRoh(a, "Ua", 0, 99, t, sizeof t);
        EXPECT_STREQ(t, f.z99) << f.eingabe;
    }
}

// Search and go-to over 2,500 items; a refresh by the change ring.
TEST_F(BmlSeite, SearchGoToAndRefresh)
{
    for (int i = 0; i < 2500; ++i) {
        char k[16];
        std::snprintf(k, sizeof k, "-K%04d", i);
        hauptGeraet(k, 10 + i, 10);
    }
    ASSERT_NE(oeffnen(), 0u);
    wiDlgBetreten(BmlFenster());
    wiRadioSetzen(3120, 0, 8);
    wiDlgVerlassen();
    befehl(3120, BN_CLICKED);
    ASSERT_EQ(anzahl(), 2500);
    BmlGeheZu(2400);
    projpruef::dlgPumpen();
    EXPECT_EQ(wahl(), 2399);
    EXPECT_EQ(text(3070), "-K2399");
    ASSERT_FALSE(umgeschaltet().empty());
    EXPECT_EQ(umgeschaltet().back(), 1532);

    setzen(3110, "K2401");
    befehl(2501);
    EXPECT_EQ(wahl(), 2401);
    befehl(2501);
    EXPECT_EQ(wahl(), -1) << "no later match selects nothing";
    waehlen(2499);
    setzen(3110, "K");
    befehl(2501);
    EXPECT_EQ(wahl(), 2499) << "the last row stays";

    // A kind-1 change re-formats its row and keeps the selection.
    waehlen(5);
    appgeraet g;
    GesHolen(3, &g);
    std::strcpy(g.kg, "-X3");
    GesAendern(3, &g);
    AppGeaendert(3, 1);
    befehl(2999);
    EXPECT_EQ(wahl(), 5);
    wiDlgBetreten(BmlFenster());
    char z[200];
    wiListeText(3100, 2, z);
    wiDlgVerlassen();
    EXPECT_EQ(std::string(z).rfind("-X3", 0), 0u) << z;
}

TEST_F(BmlSeite, RefreshReplaysOnlyKindOneSteps)
{
    const uint32_t a = hauptGeraet("-K1", 10, 10);
    std::vector<uint32_t> ids;
    const int z0 = AppAenderZaehler();
    AppGeaendert(a, 1);
    EXPECT_EQ(BmlAenderungPruefen(z0, AppAenderZaehler(), ids), 1);
    EXPECT_EQ(ids, std::vector<uint32_t>{a});
    EXPECT_EQ(BmlAenderungPruefen(z0, z0, ids), 0);
    const int z1 = AppAenderZaehler();
    AppGeaendert(a, 2);
    EXPECT_EQ(BmlAenderungPruefen(z1, AppAenderZaehler(), ids), 2) << "created";
    EXPECT_EQ(BmlAenderungPruefen(AppAenderZaehler(), z1, ids), 2) << "a fallen counter";
    const int z2 = AppAenderZaehler();
    AppGeaendert(0, 1);
    EXPECT_EQ(BmlAenderungPruefen(z2, AppAenderZaehler(), ids), 2) << "a step without record";
    EXPECT_EQ(BmlAenderungPruefen(z2, z2 + APPRINGSUP + 1, ids), 2) << "beyond the ring";
}

// The setting "EdBmList" chooses the first filter; docking and undocking
// switch the modes and the flag is written back at exit.
TEST_F(BmlSeite, TypeSettingAndDocking)
{
    const uint32_t a = hauptGeraet("-K1", 10, 10);
    eintrag(a, "Ua", "KON", "", 0, 0);
    hauptGeraet("-H1", 20, 10);
    const struct {
        int einstellung, zeilen;
    } faelle[] = {{0, 1}, {1, 2}, {5, 0}};
    for (const auto& f : faelle) {
        vorgaben("BMuse 1\nBMkenn @K\nEdBmList " + std::to_string(f.einstellung) + "\n");
        ASSERT_NE(oeffnen(), 0u);
        EXPECT_EQ(anzahl(), f.zeilen) << f.einstellung;
        wiDlgSlotSchliessen(wiDlgSlot(BmlFenster()));
        projpruef::dlgPumpen();
    }
    HWND f = oeffnen();
    ASSERT_NE(f, 0u);
    EXPECT_EQ(BmlIstExtern(), 0);
    EXPECT_TRUE(GetWindowLongPtr(f, GWL_STYLE) & WS_CHILD);
    befehl(2980);
    EXPECT_EQ(BmlIstExtern(), 1);
    EXPECT_FALSE(GetWindowLongPtr(f, GWL_STYLE) & WS_CHILD) << "its own top-level window";
    EXPECT_EQ(umgeschaltet().back(), 1530);
    bild("BMLBEARB_EXT.png");
    befehl(2980);
    EXPECT_EQ(BmlIstExtern(), 0);
    EXPECT_EQ(umgeschaltet().back(), 1532);
    befehl(2980);
    wiDlgSlotSchliessen(wiDlgSlot(f));
    projpruef::dlgPumpen();
    EXPECT_EQ(ProfilZahlLesen("ArbPlatz", "BmlExtern"), 1) << "separate next time";
}

}  // namespace
