// Exchanging values, text kinds and dimension lines on the real store.
#include "editor/linien.h"

#include "model/masslin.h"
#include "tests/editor/edtaufrufprotokoll.h"
#include "tests/editor/eqtexttest.h"

namespace {

constexpr int KRE = 67, TFM = 51, TFZ = 53, TSE = 56, TSZ = 57;

struct TauschenTest : EqTextTest {
    void SetUp() override
    {
        EqTextTest::SetUp();
        // Only x below 300 is visible.
        EdHaken h{};
        h.AnsichtPunktSichtbar = [](double x, double) { return x < 300 ? 1 : 0; };
        EdHakenSetzen(h);
        bauteil("RELAIS", {tzRec(TZ_ZL, {2, 0})});
        bauteil("SCHUETZ", {tzRec(TZ_ZL, {3, 0})});
    }
    int objekt(int code, double x, std::vector<double> r, const char* t, void (*f)(STT*) = nullptr, int sub = 0)
    {
        BEF b = tzRec(code, r, t);
        b.sub = static_cast<uint8_t>(sub);
        STT s = bei(x, 10);
        if (f) f(&s);
        return TzEinfuegen(&b, &s);
    }
    void zeichnung()
    {
        TzLeeren();
        objekt(TZ_ZL, 10, {5, 0}, nullptr, [](STT* s) { s->st = 3; });
        objekt(KRE, 20, {2, 2}, nullptr, nullptr, 3);
        objekt(TZ_TEXT, 30, {}, "1");
        objekt(TZ_TEXT, 40, {}, "X", [](STT* s) { s->tr = 900; });
        objekt(TZ_ZB, 50, {}, "RELAIS");
        objekt(TFM, 60, {}, "Y", [](STT* s) { strkopie(s->bd, sizeof s->bd, "abcd", 4); });
        objekt(TZ_TEXT, 350, {}, "1");                                        // not visible
        objekt(TZ_ZL, 290, {20, 0}, nullptr, [](STT* s) { s->st = 3; });    // its end is not
    }
    std::vector<std::string> inhalt()
    {
        std::vector<std::string> v;
        for (int id = TzNaechstes(-1); id < TZENDE; id = TzNaechstes(id)) {
            BEF b;
            STT s;
            TzObjHolen(id, &b, &s);
            v.push_back(std::string(BefName(b.code)) + "|" + std::to_string(s.st) + "|" + std::to_string(b.sub) + "|" +
                        b.text + "|" + std::to_string(s.tr) + "|" + s.bd);
        }
        return v;
    }
};

TEST_F(TauschenTest, ExchangeTexts)
{
    zeichnung();
    const std::vector<std::string> basis = inhalt();
    struct Fall {
        const char* text;
        int ergebnis;
        std::vector<std::pair<int, std::string>> anders;  // object index, its new line
    } faelle[] = {
        {"ST 3 5", 0, {{0, "ZL|5|0||0|A"}, {1, "KRE|1|5||0|A"}}},
        {"TFA TFZ", 0, {{2, "TFZ|1|0|1|0|A"}, {3, "TFZ|1|0|X|900|A"}}},
        {"TFA TSA", 0, {{2, "TSA|1|0|1|0|A"}, {3, "TSA|1|0|X|900|A"}}},
        {"TFA 1 2", 0, {{2, "TFA|1|0|2|0|A"}}},
        {"TFA/1/2/", 0, {{2, "TFA|1|0|2|0|A"}}},
        {"tfa'1'2", 0, {{2, "TFA|1|0|2|0|A"}}},
        {"ZB relais schuetz", 0, {{4, "ZB|1|0|SCHUETZ|0|A"}}},
        {"TR 90 0", 0, {{3, "TFA|1|0|X|0|A"}}},
        {"TR 90 -90", 0, {{3, "TFA|1|0|X|2700|A"}}},
        {"BD abcd xyzw", 0, {{5, "TFM|1|0|Y|0|XYZ"}}},
        {"BD ABCD xyzw", 0, {}},
        {"XYZ 1 2", 0, {}},  // no such mnemonic: nothing changes
        {"ABCD 1 2", -1, {}},
        {"", -1, {}},
        {"1 2", -1, {}},
        {"TFA 1", -1, {}},  // "1" is no mnemonic
    };
    for (const Fall& f : faelle) {
        zeichnung();
        EXPECT_EQ(TauschenBefehl(f.text), f.ergebnis) << f.text;
        std::vector<std::string> soll = basis;
        for (const auto& [i, z] : f.anders) soll[static_cast<size_t>(i)] = z;
        EXPECT_EQ(inhalt(), soll) << f.text;
    }

    // Only the mnemonic opens the exchange dialog, not on an empty drawing.
    EdtAufrufProtokoll().clear();
    EXPECT_EQ(TauschenBefehl(" TFA "), 0);
    TzLeeren();
    EXPECT_EQ(TauschenBefehl("TFA"), 0);
    EXPECT_EQ(EdtAufrufProtokoll(), (std::vector<std::string>{"DB1231Oeffnen()"}));
}

TEST_F(TauschenTest, TextKindsOfTheMarkedTexts)
{
    struct Fall {
        int modus, von, nach;
    } faelle[] = {{3, TSZ, TSE}, {1, TZ_TEXT, TFZ}, {2, TSE, 55}, {4, TSZ, TFZ}, {4, TFM, TFM}, {5, TFM, 55}, {6, TFM, TFM}};
    for (const Fall& f : faelle) {
        TzLeeren();
        const int m = objekt(f.von, 10, {}, "T");
        const int u = objekt(f.von, 20, {}, "U");
        TzMarkSetzen(m, 1);
        TextArtAendern(f.modus);
        BEF b;
        STT s;
        TzObjHolen(m, &b, &s);
        EXPECT_EQ(b.code, f.nach) << f.modus << " " << f.von;
        TzObjHolen(u, &b, &s);
        EXPECT_EQ(b.code, f.von);
    }
}

TEST_F(TauschenTest, DimensionLineRecords)
{
    const MASSEINST* m = MassEinst();
    struct Fall {
        int stil;
        double dx, dy;
        std::vector<std::string> codes;
    } faelle[] = {
        {1, 0, 0, {"_BA", "DRE", "ZL", "BW", "TR", "TFZ", "BW", "DRE"}},
        {2, 10, 0, {"_BA", "ZL", "BW", "ZL", "BW", "ZL", "BW", "TR", "TFZ", "BW", "ZL", "BW", "ZL", "BW"}},
        {3, 0, 10, {"_BA", "BW", "ZL", "BW", "ZL", "BW", "TR", "TFZ", "BW", "BW", "ZL", "BW"}},
        {4, 10, 10, {"_BA", "KRE", "ZL", "BW", "TR", "TFZ", "BW", "KRE"}},
        {5, 10, 0, {"_BA", "ZL", "BW", "TR", "TFZ", "BW"}},
    };
    for (const Fall& f : faelle) {
        BefLeeren();
        BEF z = tzRec(175, {f.dx, f.dy}, "12", {f.stil});
        STT s = bei(100, 50);
        Bemassung(&z, &s);
        const std::vector<BEF> v = etAbholen();
        std::vector<std::string> c;
        for (const BEF& b : v) c.push_back(BefName(b.code));
        EXPECT_EQ(c, f.codes) << f.stil;
        if (f.stil == 1) {
            // Vector (0, 0): angle 0, the start triangle points at 1800 and
            // the text stands 0.8 text heights above.
            EXPECT_EQ(v[1].iarg[1], 1800);
            EXPECT_EQ(v[1].darg[1], m->pfeil);
            EXPECT_EQ(v.back().iarg[1], 0);
            EXPECT_NEAR(v[3].darg[0], 0, 1e-12);
            EXPECT_NEAR(v[3].darg[1], 0.8 * BefAktZustand()->tg, 1e-12);
            EXPECT_STREQ(v[5].text, "12");
        }
        if (f.stil == 4) {
            EXPECT_EQ(v[4].iarg[0], 450);  // TR along the line
        }
    }
}

}  // namespace
