// Labels, identifiers and renumbering on the real stores: a numeric label
// proposes the next for the same item, a label over an existing text
// replaces it, closing drops waiting rows and queues the way back, the
// renumbering range and its limits, the identifier going to the
// alternative field unless marked with '!', and the queues' limits.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "editdlg/bmtexte.h"
#include "editdlg/zuordnung.h"
#include "editor/edtseite.h"
#include "editor/befausf.h"
#include "editor/edmeld.h"
#include "editor/baubf.h"
#include "editor/objwahl.h"
#include "equipment/app.h"
#include "equipment/nzustext.h"
#include "model/beffifo.h"
#include "model/tempzeic.h"
#include "tests/editdlg/zuopruef.h"
#include "tests/equipment/kennung_test.h"

namespace {

using zuopruef::aufrufe;
using zuopruef::bei;

struct BmTexte : kenntest::KennTest {
    void SetUp() override
    {
        KennTest::SetUp();
        starten("BMnorm 1\n");
        zuopruef::editorBereit();
        AppAktivSetzen(1);
        BmTexteZuruecksetzen();
        BefQueueInit();
        BefLeeren();
        TzInit();
        BefZustandInit();
        zuopruef::editorBereit();
    }
    void TearDown() override
    {
        BmTexteZuruecksetzen();
        BefLeeren();
        TzEnde();
        AppAktivSetzen(0);
        KennTest::TearDown();
    }
    static BEF text(const char* t, int code = 50) { return zuopruef::satz(code, t); }
    void label(uint32_t id, const char* code, int nr, const char* t, double x, double y)
    {
        const BEF b = text(t);
        const STT s = bei(x, y);
        AppTextAnlegen(id, code, nr, &b, &s);
    }
    static std::string vorschlag()
    {
        char v[100];
        int g = 0;
        if (AppTextAktuell(v, sizeof v, &g) != 0) return "-";
        return std::string(v) + (g ? "*" : "");
    }
    // The codes and texts waiting in the command queue, emptied.
    static std::vector<std::string> schlange()
    {
        std::vector<std::string> v;
        while (BefAnzahl() > 0) {
            BEF b;
            BefVorne(&b);
            BefEntfernen();
            v.push_back(std::to_string(b.code) + (b.text[0] ? ":" + std::string(b.text) : ""));
        }
        return v;
    }
};

TEST_F(BmTexte, NumericLabelProposesTheNextForTheSameItem)
{
    const uint32_t a = hauptGeraet("!K1", 0, 0), b = hauptGeraet("!K2", 50, 0);
    label(a, "H", 0, "@Q", 10, 10);
    label(a, "U", 1, "@Q", 20, 10);
    label(b, "H", 0, "@Q", 60, 10);
    EXPECT_EQ(vorschlag(), "");
    EXPECT_EQ(aufrufe("EdtBefehlPosten(1354)"), 3);
    ASSERT_EQ(AppTextBestaetigen("12  "), 0);
    EXPECT_EQ(vorschlag(), "13");
    ASSERT_EQ(AppTextBestaetigen("13"), 0);
    EXPECT_EQ(vorschlag(), "");  // another item
    const std::vector<std::string> q = schlange();
    EXPECT_NE(std::find(q.begin(), q.end(), "50:12"), q.end());
    EXPECT_NE(std::find(q.begin(), q.end(), "50:13"), q.end());
}

TEST_F(BmTexte, MarkersNextNumberAndLastLabel)
{
    const uint32_t a = hauptGeraet("!K1", 0, 0);
    eintrag(a, "U", "KONTAKT", "001", 5, 5, 1);
    appbteil e;
    ASSERT_EQ(BtlSuchen(a, "U", 1, &e), 1);
    std::strcpy(e.bs, "4");
    BtlEintragAendern(a, "U", 1, &e);
    label(a, "H", 0, "@Q@X", 10, 10);
    EXPECT_EQ(vorschlag(), "5");
    AppTextBestaetigen("Pumpe");
    label(a, "H", 0, "@Q @W ", 30, 10);
    EXPECT_EQ(vorschlag(), "Pumpe");
}

TEST_F(BmTexte, ALabelOverAnExistingTextReplacesIt)
{
    const uint32_t a = hauptGeraet("!K1", 0, 0);
    const BEF alt = text("ALT");
    const STT s = bei(10, 10);
    const int obj = TzEinfuegen(&alt, &s);
    ASSERT_GE(obj, 0);
    const int vorher = TzAnzahl();
    label(a, "H", 0, "@Q", 11.5, 8.5);
    EXPECT_EQ(vorschlag(), "ALT*");
    schlange();
    ASSERT_EQ(AppTextBestaetigen("K5"), 0);
    EXPECT_EQ(TzAnzahl(), vorher);
    BEF b;
    STT st;
    ASSERT_EQ(TzObjHolen(obj, &b, &st), 0);
    EXPECT_STREQ(b.text, "K5");
    EXPECT_EQ(schlange(), std::vector<std::string>{"1"});  // no second text drawn
}

TEST_F(BmTexte, LabelOfATerminalIsStoredAsComponentText)
{
    appgeraet g{};
    g.id = 9;
    g.n1 = 2;  // terminal
    std::strcpy(g.kg, "!X1");
    ASSERT_EQ(GesEinfuegen(&g), 0);
    eintrag(9, "H", "KL", "001", 0, 0);
    label(9, "H", 0, "@Q", 10, 10);
    ASSERT_EQ(AppTextBestaetigen("7"), 0);
    char t[40];
    ZtxTextHolen(9, "H", 0, 1, t, sizeof t);
    EXPECT_STREQ(t, "7");
    const std::vector<std::string> q = schlange();
    EXPECT_NE(std::find(q.begin(), q.end(), "50:@Y0009Z1"), q.end()) << ::testing::PrintToString(q);
}

TEST_F(BmTexte, ClosingDropsRowsAndQueuesTheWayBack)
{
    const uint32_t a = hauptGeraet("!K1", 0, 0);
    label(a, "H", 0, "@Q", 10, 10);
    label(a, "H", 0, "@Q", 20, 10);
    STT r = bei(100, 50);
    AppTextRueckpunkt(&r);
    BefAktZustand()->richtung = 900;
    schlange();
    AppTextSchliessen(1);
    EXPECT_EQ(vorschlag(), "-");
    EXPECT_EQ(AppTextAnzahl(), 0);
    EXPECT_EQ(schlange(), (std::vector<std::string>{"12", "21", "140"}));
    AppTextSchliessen(0);  // the return point is kept; no STA
    EXPECT_EQ(schlange(), (std::vector<std::string>{"12", "21"}));
    BefAktZustand()->richtung = 0;
}

TEST_F(BmTexte, LabelQueueIsLimitedWithAMessage)
{
    const uint32_t a = hauptGeraet("!K1", 0, 0);
    for (int i = 0; i <= APPTEXTSUP; ++i) label(a, "H", 0, "@Q", i, 0);
    EXPECT_EQ(AppTextAnzahl(), APPTEXTSUP);
    label(a, "H", 0, "@Q", 999, 0);
    EXPECT_EQ(AppTextAnzahl(), APPTEXTSUP);
    EXPECT_STREQ(StatusLetzterText(), "Zu viele Beschriftungen warten: die Beschriftung wird nicht aufgenommen.");
    const long n = AppTextPacken(nullptr);
    std::vector<unsigned char> p(static_cast<size_t>(n));
    AppTextPacken(p.data());
    uint32_t zahl;
    std::memcpy(&zahl, p.data(), 4);
    EXPECT_EQ(zahl, static_cast<uint32_t>(APPTEXTSUP + 1));
    AppTextSchliessen(0);
    AppTextEntpacken(p.data());
    EXPECT_EQ(AppTextAnzahl(), APPTEXTSUP);
}

TEST_F(BmTexte, RenumberingOnlyAllDigitValuesInTheRange)
{
    const uint32_t a = hauptGeraet("!K1", 0, 0);
    const char* nummern[] = {"1", "2", "5", "A3"};
    for (int i = 0; i < 4; ++i) {
        eintrag(a, "U", "KONTAKT", "001", 10.0 * (i + 1), 0, i + 1);
        appbteil e;
        ASSERT_EQ(BtlSuchen(a, "U", i + 1, &e), 1);
        std::strcpy(e.bs, nummern[i]);
        BtlEintragAendern(a, "U", i + 1, &e);
    }
    int von = -1, bis = -1;
    Db1360Bereich(a, &von, &bis);
    EXPECT_EQ(von, 1);
    EXPECT_EQ(bis, 5);
    EXPECT_EQ(Db1360Umnummerieren(a, 1, 3, 7), 2);
    std::vector<std::string> bs;
    for (int i = 1; i <= 4; ++i) {
        appbteil e;
        BtlSuchen(a, "U", i, &e);
        bs.emplace_back(e.bs);
    }
    EXPECT_EQ(bs, (std::vector<std::string>{"7", "8", "5", "A3"}));
    const uint32_t leer = hauptGeraet("!K9", 0, 50);
    Db1360Bereich(leer, &von, &bis);
    EXPECT_EQ(von, 0);
    EXPECT_EQ(bis, 0);
}

TEST_F(BmTexte, IdentifierGoesToTheAlternativeFieldUnlessMarked)
{
    appgeraet g{};
    g.id = 3;
    std::strcpy(g.kg, "K1");
    std::strcpy(g.kz, "ALT1");
    ASSERT_EQ(GesEinfuegen(&g), 0);
    const BEF b = text("K", 80);
    const STT s = bei(10, 10);
    AppKennungAnlegen(3, &g, nullptr, &b, &s);
    AppKennungAnlegen(3, &g, nullptr, &b, &s);
    char t[60];
    ASSERT_EQ(AppKennungAktuell(t, sizeof t), 0);
    EXPECT_STREQ(t, "ALT1");  // the alternative identifier is shown
    ASSERT_EQ(AppKennungBestaetigen(" K7 "), 0);
    appgeraet n;
    GesHolen(3, &n);
    EXPECT_STREQ(n.kz, "K7");
    EXPECT_STREQ(n.kg, "K1");
    ASSERT_EQ(AppKennungBestaetigen("!K8"), 0);
    GesHolen(3, &n);
    EXPECT_STREQ(n.kg, "!K8");
    EXPECT_EQ(AppKennungAktuell(t, sizeof t), -1);
    EXPECT_EQ(AppKennungBestaetigen("K9"), -1);
}

}  // namespace
