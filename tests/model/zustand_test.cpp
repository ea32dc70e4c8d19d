// Graphic state: initialisation, the per-code rules of SttAnwenden, the
// difference records and equality.
#include "model/zustand.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "model/befehl.h"
#include "model/einstell.h"
#include "model/flach.h"

namespace {

STT grund()
{
    STT s;
    std::memset(&s, 0, sizeof s);
    s.mass = s.msm = s.msf = 1;
    s.layer = 1;
    s.st = 1;
    s.sl = s.tg = s.tv = s.th = 1;
    return s;
}

BEF rec(int code, std::vector<int> ints, std::vector<double> reals, const char* text = nullptr)
{
    BEF b;
    std::memset(&b, 0, sizeof b);
    b.code = static_cast<uint8_t>(code);
    for (size_t i = 0; i < ints.size(); ++i) b.iarg[i] = ints[i];
    for (size_t i = 0; i < reals.size(); ++i) b.darg[i] = reals[i];
    if (text) BefTextSetzen(&b, text);
    return b;
}

struct RundenAus {
    ~RundenAus() { MassstabRundenSetzen(0); }
};

TEST(Stt, InitTakesTheBasicSettingsUnclamped)
{
    GRUNDEINST g;
    std::memset(&g, 0, sizeof g);
    g.zvms = 25;
    g.zvmsr = 0;
    g.zvx = -15;
    g.zvy = 40;
    g.zvst = 150;  // not clamped here
    g.zvsl = 5;
    g.zvtg = 35;
    g.zvtr = 90;
    g.zvtv = 8;
    g.zvth = 12;
    std::strcpy(g.zvbd, "ABCDE");
    std::strcpy(g.zvtd, "normtexte");
    STT s = grund();
    s.tiefe = 7;
    SttInit(&s, &g);
    EXPECT_EQ(s.msm, 1.0);
    EXPECT_EQ(s.msf, 2.5);
    EXPECT_EQ(s.mass, 2.5);
    EXPECT_EQ(s.x, -1.5);
    EXPECT_EQ(s.y, 4.0);
    EXPECT_EQ(s.st, 150);
    EXPECT_EQ(s.tg, 3.5);
    EXPECT_EQ(s.tr, 900);
    EXPECT_DOUBLE_EQ(s.tv, 0.8);
    EXPECT_DOUBLE_EQ(s.th, 1.2);
    EXPECT_STREQ(s.bd, "ABCDE");
    EXPECT_STREQ(s.td, "normtexte");
    EXPECT_EQ(s.tiefe, 7);
    EXPECT_EQ(s.layer, 1);
}

TEST(Stt, ApplyRules)
{
    RundenAus aus;
    struct Fall {
        const char* was;
        BEF b;
        void (*vorher)(STT*);
        void (*pruefen)(const STT&);
    } faelle[] = {
        {"_RIC -5 auf 0", rec(12, {-5}, {}), nullptr, [](const STT& s) { EXPECT_EQ(s.richtung, 3595); }},
        {"_RIC 2000 auf 1800", rec(12, {2000}, {}), [](STT* s) { s->richtung = 1800; },
         [](const STT& s) { EXPECT_EQ(s.richtung, 200); }},
        {"TR 4000", rec(31, {4000}, {}), nullptr, [](const STT& s) { EXPECT_EQ(s.tr, 3599); }},
        {"LAY 0", rec(15, {0}, {}), nullptr, [](const STT& s) { EXPECT_EQ(s.layer, 1); }},
        {"ST 100", rec(25, {100}, {}), nullptr, [](const STT& s) { EXPECT_EQ(s.st, 99); }},
        {"SA -1", rec(26, {-1}, {}), nullptr, [](const STT& s) { EXPECT_EQ(s.sa, 0); }},
        {"TS 12", rec(34, {12}, {}), nullptr, [](const STT& s) { EXPECT_EQ(s.ts, 9); }},
        {"SL 0.01", rec(27, {}, {0.01}), nullptr, [](const STT& s) { EXPECT_EQ(s.sl, 0.1); }},
        {"TG 500", rec(30, {}, {500}), nullptr, [](const STT& s) { EXPECT_EQ(s.tg, 100.0); }},
        {"TV 0", rec(32, {}, {0}), nullptr, [](const STT& s) { EXPECT_EQ(s.tv, 0.1); }},
        {"TH 11", rec(33, {}, {11}), nullptr, [](const STT& s) { EXPECT_EQ(s.th, 10.0); }},
        {"_MSM 0", rec(10, {}, {0}), [](STT* s) { s->msf = 3; s->mass = 3; },
         [](const STT& s) { EXPECT_EQ(s.mass + s.msm + s.msf, 3.0); }},
        {"MS 20000", rec(13, {}, {20000}), nullptr, [](const STT& s) { EXPECT_EQ(s.mass + s.msm + s.msf, 3.0); }},
        {"_MSF 2 auf 1.5", rec(11, {}, {2}), [](STT* s) { s->msf = 1.5; },
         [](const STT& s) { EXPECT_EQ(s.msf, 3.0); EXPECT_EQ(s.mass, 3.0); }},
        {"_MR5 0 15", rec(18, {0, 15}, {}), [](STT* s) { s->msf = 2; }, [](const STT& s) { EXPECT_EQ(s.msf, 3.0); }},
        {"_MR5 1 150", rec(18, {1, 150}, {}), [](STT* s) { s->msf = 2; }, [](const STT& s) { EXPECT_EQ(s.msf, 3.0); }},
        {"_MR5 klein", rec(18, {0, 0}, {}), [](STT* s) { s->msf = 2; }, [](const STT& s) { EXPECT_EQ(s.msf, 0.1); }},
        {"_MR5 gross", rec(18, {0, 100}, {}), [](STT* s) { s->msf = 2; }, [](const STT& s) { EXPECT_EQ(s.msf, 10.0); }},
        {"BD fuenf", rec(35, {}, {}, "ABCDE"), nullptr, [](const STT& s) { EXPECT_STREQ(s.bd, "ABC"); }},
        {"TD lang", rec(36, {}, {}, "0123456789012345678901234567890123456789XYZ"), nullptr,
         [](const STT& s) { EXPECT_EQ(std::string(s.td), "0123456789012345678901234567890123456789"); }},
        {"BW gedreht", rec(20, {}, {1, 0}), [](STT* s) { s->richtung = 900; s->mass = 2; },
         [](const STT& s) { EXPECT_EQ(s.x, 0.0); EXPECT_EQ(s.y, 2.0); }},
        {"ZL bewegt", rec(40, {}, {3, 4}), nullptr, [](const STT& s) { EXPECT_EQ(s.x, 3.0); EXPECT_EQ(s.y, 4.0); }},
        {"ZRW", rec(41, {900}, {5}), [](STT* s) { s->mass = 2; },
         [](const STT& s) { EXPECT_EQ(s.x, 0.0); EXPECT_EQ(s.y, 10.0); }},
        {"_BA absolut", rec(21, {}, {7, 8}), [](STT* s) { s->mass = 5; s->richtung = 900; },
         [](const STT& s) { EXPECT_EQ(s.x, 7.0); EXPECT_EQ(s.y, 8.0); }},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        STT s = grund();
        if (f.vorher) f.vorher(&s);
        EXPECT_EQ(SttAnwenden(&f.b, &s), 1);
        f.pruefen(s);
    }
    for (int code : {14, 16, 17, 28, 37, 0, 9, 199}) {
        STT s = grund(), vorher = grund();
        BEF b = rec(code, {5, 5}, {5, 5});
        EXPECT_EQ(SttAnwenden(&b, &s), 0) << code;
        EXPECT_EQ(std::memcmp(&s, &vorher, sizeof s), 0) << code;
    }
}

TEST(Stt, ScaleRounding)
{
    RundenAus aus;
    MassstabRundenSetzen(1);
    struct Fall {
        double ms, mass;
    } faelle[] = {{1.2345, 1.23}, {0.29, 0.29}, {1.15, 1.15}, {0.57, 0.57}, {2.0, 2.0}};
    for (const Fall& f : faelle) {
        STT s = grund();
        BEF b = rec(13, {}, {f.ms});
        SttAnwenden(&b, &s);
        EXPECT_EQ(s.mass, f.mass) << f.ms;
        EXPECT_EQ(s.msf, f.ms);
    }
    STT s = grund();
    s.msf = 2;
    BEF mr5 = rec(18, {0, 15}, {});
    SttAnwenden(&mr5, &s);
    EXPECT_EQ(s.mass, 3.0);

    s = grund();
    s.mass = 1.234;
    SttMassstabNormieren(&s);
    EXPECT_EQ(s.mass, 1.23);
    EXPECT_EQ(s.msm, 1.0);
    EXPECT_EQ(s.msf, 1.23);
    s = grund();
    s.mass = s.msf = 0.004;
    SttMassstabNormieren(&s);  // would become 0: left alone
    EXPECT_EQ(s.mass, 0.004);
    EXPECT_EQ(s.msf, 0.004);
}

std::vector<BEF> ausgegeben;
int merken(const BEF* b)
{
    ausgegeben.push_back(*b);
    return static_cast<int>(ausgegeben.size());
}

TEST(Stt, DifferenceOfEqualStatesIsEmptyAndMsmFromZero)
{
    STT a = grund(), b = grund();
    ausgegeben.clear();
    EXPECT_EQ(SttDifferenz(&a, &b, merken), 0);
    EXPECT_TRUE(ausgegeben.empty());
    EXPECT_EQ(SttGleich(&a, &b), 1);

    a.msm = 0;
    b.msm = 2;
    EXPECT_EQ(SttDifferenz(&a, &b, merken), 0);  // only the name record's result is handed back
    ASSERT_EQ(ausgegeben.size(), 1u);
    EXPECT_EQ(ausgegeben[0].code, 10);
    EXPECT_EQ(ausgegeben[0].darg[0], 2.0);

    std::strcpy(b.td, "neu");
    ausgegeben.clear();
    EXPECT_EQ(SttDifferenz(&a, &b, merken), 2);
    EXPECT_EQ(ausgegeben.back().code, 36);

    STT c = grund();
    c.mass = 5;
    c.tiefe = 3;
    EXPECT_EQ(SttGleich(&c, &a), 0);  // MSM differs
    c = grund();
    c.mass = 5;
    c.tiefe = 3;
    STT d = grund();
    EXPECT_EQ(SttGleich(&c, &d), 1);  // scale and depth are not compared
}

// Every byte of a difference record but its code, first integer, first two
// reals and text is 0 (padding too): the store writes records as they are.
// The clearing and copying of records and states by 16-byte moves reach
// every byte, the last eight of a size that is no multiple of 16 included.
TEST(Stt, DifferenceRecordsAreClearedBeyondTheirFieldsAndFlatCopiesReachEveryByte)
{
    STT a = grund(), b = grund();
    b.msm = 2;
    b.msf = 3;
    b.richtung = 900;
    b.layer = 4;
    b.x = 5;
    b.st = 6;
    b.sa = 2;
    b.sl = 7;
    b.tg = 8;
    b.tr = 100;
    b.tv = 2;
    b.th = 3;
    b.ts = 1;
    std::strcpy(b.bd, "ABC");
    std::strcpy(b.td, "Texte");
    ausgegeben.clear();
    SttDifferenz(&a, &b, merken);
    ASSERT_EQ(ausgegeben.size(), 15u);
    for (const BEF& r : ausgegeben) {
        BEF soll;
        std::memset(&soll, 0, sizeof soll);
        soll.code = r.code;
        soll.iarg[0] = r.iarg[0];
        soll.darg[0] = r.darg[0];
        soll.darg[1] = r.darg[1];
        std::strncpy(soll.text, r.text, sizeof soll.text);
        EXPECT_EQ(std::memcmp(&soll, &r, sizeof r), 0) << static_cast<int>(r.code);
    }

    auto pruefen = [](auto muster) {
        using T = decltype(muster);
        T q, z;
        auto* qb = reinterpret_cast<unsigned char*>(&q);
        auto* zb = reinterpret_cast<unsigned char*>(&z);
        for (size_t i = 0; i < sizeof(T); ++i) {
            qb[i] = static_cast<unsigned char>(i * 7 + 1);
            zb[i] = 0xEE;
        }
        flachKopieren(&z, &q);
        EXPECT_EQ(std::memcmp(&z, &q, sizeof(T)), 0) << sizeof(T);
        flachNullen(&z);
        for (size_t i = 0; i < sizeof(T); ++i) ASSERT_EQ(zb[i], 0) << sizeof(T) << " " << i;
    };
    static_assert(sizeof(BEF) % 16 != 0 || sizeof(STT) % 16 != 0, "one of them ends in eight bytes");
    pruefen(BEF{});
    pruefen(STT{});
}

TEST(Stt, DifferenceRecordsTurnOneStateIntoTheOther)
{
    std::mt19937 zufall(4711);
    auto gl = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(zufall); };
    auto gi = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(zufall); };
    auto name = [&](int max) {
        std::string s;
        for (int i = gi(0, max); i > 0; --i) s += static_cast<char>('A' + gi(0, 25));
        return s;
    };
    auto zufallsZustand = [&]() {
        STT s = grund();
        s.msm = gl(0.2, 5);
        s.msf = gl(0.1, 10);
        s.mass = s.msm * s.msf;
        s.richtung = gi(0, 3599);
        s.layer = gi(1, 20);
        s.x = gl(-1000, 1000);
        s.y = gl(-1000, 1000);
        s.st = gi(1, 99);
        s.sa = gi(0, 7);
        s.sl = gl(0.1, 1000);
        s.tg = gl(1, 100);
        s.tr = gi(0, 3599);
        s.tv = gl(0.1, 10);
        s.th = gl(0.1, 10);
        s.ts = gi(0, 9);
        std::strcpy(s.bd, name(3).c_str());
        std::strcpy(s.td, name(40).c_str());
        if (gi(0, 3) == 0) s = grund();  // some pairs share fields
        return s;
    };
    for (int runde = 0; runde < 500; ++runde) {
        STT a = zufallsZustand(), b = zufallsZustand();
        ausgegeben.clear();
        SttDifferenz(&a, &b, merken);
        STT c = a;
        for (const BEF& r : ausgegeben) {
            EXPECT_EQ(SttAnwenden(&r, &c), 1);
        }
        SCOPED_TRACE(runde);
        EXPECT_DOUBLE_EQ(c.msm, b.msm);
        EXPECT_DOUBLE_EQ(c.msf, b.msf);
        EXPECT_NEAR(c.x, b.x, 1e-9 * (1 + std::abs(b.x)));
        EXPECT_NEAR(c.y, b.y, 1e-9 * (1 + std::abs(b.y)));
        c.msm = b.msm;
        c.msf = b.msf;
        c.x = b.x;
        c.y = b.y;
        EXPECT_EQ(SttGleich(&c, &b), 1);
    }
}

}  // namespace
