// Record arrays, record pools, shell sort and binary search: limits and
// assertions, slot reuse, alignment of records read as structs, and the
// equal-key order and probe order callers rely on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "platform/fehlersim.h"
#include "support/basistest.h"
#include "support/sortier.h"
#include "support/speicher.h"
#include "support/struarr.h"
#include "support/strulis.h"

namespace {

void erwarteAssert(const std::function<void()>& f, const char* datei, int zeile)
{
    try {
        f();
        ADD_FAILURE() << "no assertion, expected " << datei << "." << zeile;
    } catch (const AssertAusnahme& a) {
        EXPECT_EQ(a.datei, datei);
        EXPECT_EQ(a.zeile, zeile);
    }
}

struct SaFixture : ::testing::Test {
    AssertWirft wirft;
    PlFehlerScope fehler;
    SARR sa{};
    ~SaFixture() override
    {
        if (sagueltig(&sa)) {
            safrei(&sa);
        }
    }
};

int32_t alsInt(const void* p)
{
    int32_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

}  // namespace

TEST_F(SaFixture, HundredThousandthAppendPassesAndTheNextStopsWithStruarr99)
{
    sainit(&sa, 8);
    int64_t satz = 0;
    for (int32_t i = 0; i < SAISUP; ++i) {
        satz = i;
        ASSERT_EQ(saanhaengen(&sa, &satz), i);
    }
    EXPECT_EQ(saanzahl(&sa), SAISUP);
    EXPECT_EQ(*static_cast<int64_t*>(saadr(&sa, SAISUP - 1)), SAISUP - 1);
    erwarteAssert([&] { saanhaengen(&sa, &satz); }, "struarr", 99);
    erwarteAssert([&] { saeinfuegen(&sa, &satz, 0); }, "struarr", 99);
    EXPECT_EQ(saanzahl(&sa), SAISUP);
}

TEST_F(SaFixture, SaplatzKeepsItsStatedLimitAndCountsFreeSlots)
{
    sainit(&sa, 8);
    EXPECT_EQ(saplatz(&sa), 1);
    int64_t satz = 0;
    for (int32_t i = 0; i < SAISUP - 1; ++i) {
        saanhaengen(&sa, &satz);
    }
    // 99999 records: no room by the count, although one more append passes.
    EXPECT_EQ(saplatz(&sa), 0);
    saloeschen(&sa, 5);
    EXPECT_EQ(saplatz(&sa), 1);
}

TEST_F(SaFixture, DeletedSlotIsReusedAtTheSameAddressAndLandsAtTheEnd)
{
    sainit(&sa, 12);
    char satz[12];
    for (int i = 0; i < 4; ++i) {
        std::memset(satz, 'a' + i, sizeof satz);
        saanhaengen(&sa, satz);
    }
    void* frei = saadr(&sa, 1);
    saloeschen(&sa, 1);
    ASSERT_EQ(saanzahl(&sa), 3);
    EXPECT_EQ(*static_cast<char*>(saadr(&sa, 1)), 'c');
    std::memset(satz, 'z', sizeof satz);
    EXPECT_EQ(saanhaengen(&sa, satz), 3);
    EXPECT_EQ(saadr(&sa, 3), frei);
    EXPECT_EQ(std::memcmp(saadr(&sa, 3), satz, sizeof satz), 0);
    // A second free slot and the one before it come back last in, first out.
    void* a = saadr(&sa, 0);
    void* b = saadr(&sa, 1);
    saloeschen(&sa, 0);
    saloeschen(&sa, 0);
    saanhaengen(&sa, satz);
    saanhaengen(&sa, satz);
    EXPECT_EQ(saadr(&sa, 2), b);
    EXPECT_EQ(saadr(&sa, 3), a);
}

TEST_F(SaFixture, AccessorsOutOfRangeAndInsertPositions)
{
    sainit(&sa, 4);
    for (int32_t v : {10, 20, 30}) {
        saanhaengen(&sa, &v);
    }
    EXPECT_EQ(saadr(&sa, -1), nullptr);
    EXPECT_EQ(saadr(&sa, 3), nullptr);
    EXPECT_EQ(saadr(nullptr, 0), nullptr);
    int32_t v = 0;
    EXPECT_EQ(saholen(&sa, 3, &v), 0);
    EXPECT_EQ(sasetzen(&sa, &v, -1), 0);
    struct { int32_t wert, stelle; } faelle[] = {{5, 0}, {25, 3}, {35, 5}};
    for (auto f : faelle) {
        EXPECT_EQ(saeinfuegen(&sa, &f.wert, f.stelle), f.stelle);
    }
    std::vector<int32_t> inhalt;
    for (int32_t i = 0; i < saanzahl(&sa); ++i) {
        inhalt.push_back(alsInt(saadr(&sa, i)));
    }
    EXPECT_EQ(inhalt, (std::vector<int32_t>{5, 10, 20, 25, 30, 35}));
}

TEST_F(SaFixture, RangeAssertionsOfInsertAndDelete)
{
    sainit(&sa, 4);
    int32_t v = 1;
    saanhaengen(&sa, &v);
    erwarteAssert([&] { saloeschen(&sa, 1); }, "struarr", 85);
    erwarteAssert([&] { saloeschen(&sa, -1); }, "struarr", 85);
    EXPECT_THROW(saeinfuegen(&sa, &v, 2), AssertAusnahme);
    EXPECT_THROW(saeinfuegen(&sa, &v, -1), AssertAusnahme);
    EXPECT_EQ(saanzahl(&sa), 1);
}

TEST_F(SaFixture, BlockHoldsAsManyRecordsAsTheUnroundedSizeGives)
{
    // A record goes into a block while fill + size < 60000; the stride of 8
    // must not change that count.
    struct { int32_t groesse, proBlock; } faelle[] = {{40, 1499}, {41, 1463}, {1046, 57}, {60000, 1}};
    std::vector<char> satz(60000, 'x');
    for (auto f : faelle) {
        SCOPED_TRACE(f.groesse);
        sainit(&sa, f.groesse);
        for (int32_t i = 0; i < f.proBlock; ++i) {
            saanhaengen(&sa, satz.data());
        }
        EXPECT_EQ(sa.nxtram, 0);
        saanhaengen(&sa, satz.data());
        EXPECT_EQ(sa.nxtram, 1);
        EXPECT_EQ(saadr(&sa, f.proBlock), sa.ram[1]);
        safrei(&sa);
    }
}

TEST_F(SaFixture, RecordsOf1046BytesReadAsStructsAreAligned)
{
    // A caller's struct with 8-byte members whose data fill 1046 bytes.
    struct Satz {
        double wert;
        int64_t nummer;
        char text[1030];
    };
    static_assert(offsetof(Satz, text) + sizeof(Satz::text) == 1046);
    sainit(&sa, 1046);
    Satz s{};
    for (int i = 0; i < 120; ++i) {
        s.wert = i * 0.5;
        s.nummer = i;
        saanhaengen(&sa, &s);
    }
    saloeschen(&sa, 7);
    s.nummer = 1000;
    saanhaengen(&sa, &s);
    double summe = 0;
    for (int32_t i = 0; i < saanzahl(&sa); ++i) {
        auto* p = static_cast<Satz*>(saadr(&sa, i));
        summe += p->wert;
        p->nummer += 1;
    }
    EXPECT_DOUBLE_EQ(summe, (119 * 120 / 2) * 0.5 - 3.5 + 119 * 0.5);
}

TEST_F(SaFixture, TheTwoHundredFirstBlockStopsWithStruarr117)
{
    sainit(&sa, 60000);
    std::vector<char> satz(60000, 1);
    for (int i = 0; i < SARSUP; ++i) {
        saanhaengen(&sa, satz.data());
    }
    EXPECT_EQ(saplatz(&sa), 0);
    erwarteAssert([&] { saanhaengen(&sa, satz.data()); }, "struarr", 117);
    EXPECT_EQ(saanzahl(&sa), SARSUP);
}

TEST_F(SaFixture, AllocationFailuresStopWithTheirLines)
{
    int64_t satz = 7;
    struct {
        int zeile;
        std::function<void(SARR*)> vorher, tat;
    } faelle[] = {
        {32, [](SARR*) {}, [](SARR* a) { sainit(a, 8); }},
        {71, [](SARR* a) { sainit(a, 8); }, [](SARR* a) { saleeren(a); }},
        {118, [](SARR* a) { sainit(a, 8); }, [&](SARR* a) { saanhaengen(a, &satz); }},
        {103,
         [&](SARR* a) {
             sainit(a, 8);
             for (int i = 0; i < SAINDEXSCHRITT; ++i) {
                 saanhaengen(a, &satz);
             }
         },
         [&](SARR* a) { saanhaengen(a, &satz); }},
    };
    for (auto& f : faelle) {
        SCOPED_TRACE(f.zeile);
        f.vorher(&sa);
        plFehlerSetzen(PlFehlerArt::Speicher, 1);
        erwarteAssert([&] { f.tat(&sa); }, "struarr", f.zeile);
        plFehlerAllesAus();
        if (sagueltig(&sa)) {
            safrei(&sa);
        }
    }
}

TEST_F(SaFixture, EmptiedArrayStartsAgainAndReleasesItsBlocks)
{
    int32_t vorher = fmallanzahl();
    sainit(&sa, 100);
    std::vector<char> satz(100, 3);
    for (int i = 0; i < 2000; ++i) {
        saanhaengen(&sa, satz.data());
    }
    saleeren(&sa);
    EXPECT_EQ(saanzahl(&sa), 0);
    EXPECT_EQ(fmallanzahl(), vorher + 1);  // the fresh index
    EXPECT_EQ(saanhaengen(&sa, satz.data()), 0);
    safrei(&sa);
    EXPECT_EQ(sagueltig(&sa), 0);
    EXPECT_EQ(fmallanzahl(), vorher);
}

namespace {

struct Eintrag {
    int32_t schluessel;
    char name;
};

int nachSchluessel(const void* a, const void* b)
{
    return static_cast<const Eintrag*>(a)->schluessel - static_cast<const Eintrag*>(b)->schluessel;
}

int mitSchluessel(const void* satz, const void* schluessel)
{
    return static_cast<const Eintrag*>(satz)->schluessel - *static_cast<const int32_t*>(schluessel);
}

std::string namen(const std::vector<Eintrag>& v)
{
    std::string s;
    for (auto& e : v) {
        s += e.name;
    }
    return s;
}

}  // namespace

TEST(Shellsort, EqualKeysComeOutInTheFixedOrder)
{
    // Gap 2 then 1 over keys 1 1 2 1 1: not the order a stable sort gives.
    struct {
        std::vector<int32_t> schluessel;
        std::string erwartet;
    } faelle[] = {
        {{1, 1, 2, 1, 1}, "abedc"},
        {{3, 1, 2}, "bca"},
        {{}, ""},
        {{5}, "a"},
        {{2, 2, 2, 2}, "abcd"},
    };
    for (auto& f : faelle) {
        std::vector<Eintrag> v;
        for (size_t i = 0; i < f.schluessel.size(); ++i) {
            v.push_back({f.schluessel[i], static_cast<char>('a' + i)});
        }
        std::vector<Eintrag> u = v;
        shellsort(v.data(), static_cast<int32_t>(v.size()), sizeof(Eintrag), nachSchluessel);
        EXPECT_EQ(namen(v), f.erwartet);
        int aufrufe = 0;
        shellsortu(u.data(), static_cast<int32_t>(u.size()), sizeof(Eintrag),
                   [](const void* a, const void* b, void* user) {
                       ++*static_cast<int*>(user);
                       return nachSchluessel(a, b);
                   },
                   &aufrufe);
        EXPECT_EQ(namen(u), f.erwartet);
        EXPECT_EQ(aufrufe > 0, f.schluessel.size() > 1);
    }
}

TEST(Binsuche, ProbesTheUpperMiddleFirst)
{
    static std::vector<int> geprueft;
    auto vergl = [](const void* satz, const void* schluessel) {
        geprueft.push_back(static_cast<const Eintrag*>(satz)->name - 'a');
        return mitSchluessel(satz, schluessel);
    };
    std::vector<Eintrag> v = {{10, 'a'}, {20, 'b'}};
    struct { int32_t schluessel, ergebnis; std::vector<int> folge; } faelle[] = {
        {10, 0, {1, 0}}, {20, 1, {1}}, {15, -1, {1, 0}}, {25, -1, {1}}, {5, -1, {1, 0}},
    };
    for (auto& f : faelle) {
        geprueft.clear();
        EXPECT_EQ(binsuche(v.data(), 2, sizeof(Eintrag), vergl, &f.schluessel), f.ergebnis);
        EXPECT_EQ(geprueft, f.folge) << f.schluessel;
    }
    int32_t k = 10;
    EXPECT_EQ(binsuche(v.data(), 0, sizeof(Eintrag), vergl, &k), -1);
}

TEST_F(SaFixture, SortsItsIndexAndSearchesIt)
{
    sainit(&sa, sizeof(Eintrag));
    std::vector<Eintrag> v = {{40, 'a'}, {10, 'b'}, {30, 'c'}, {20, 'd'}, {10, 'e'}};
    std::vector<void*> adressen;
    for (auto& e : v) {
        adressen.push_back(saadr(&sa, saanhaengen(&sa, &e)));
    }
    sasortieren(&sa, nachSchluessel);
    std::string folge;
    for (int32_t i = 0; i < saanzahl(&sa); ++i) {
        folge += static_cast<Eintrag*>(saadr(&sa, i))->name;
    }
    EXPECT_EQ(folge, "ebdca");  // the shell sort's order for the equal keys
    EXPECT_EQ(saadr(&sa, 4), adressen[0]);  // records stay where they are
    for (int32_t k : {10, 20, 30, 40}) {
        int32_t i = sasuchen(&sa, mitSchluessel, &k);
        ASSERT_GE(i, 0);
        EXPECT_EQ(static_cast<Eintrag*>(saadr(&sa, i))->schluessel, k);
    }
    int32_t fehlt = 25;
    EXPECT_EQ(sasuchen(&sa, mitSchluessel, &fehlt), -1);
}

struct SlFixture : ::testing::Test {
    AssertWirft wirft;
    PlFehlerScope fehler;
    SLIS sl{};
    ~SlFixture() override { slfrei(&sl); }
};

TEST_F(SlFixture, GivenBackRecordComesBackZeroedAtTheSameAddress)
{
    slinit(&sl, 20);
    char muster[20];
    std::memset(muster, 'q', sizeof muster);
    auto* a = static_cast<char*>(slneukopie(&sl, muster));
    auto* b = static_cast<char*>(slneu(&sl));
    EXPECT_EQ(std::memcmp(a, muster, 20), 0);
    EXPECT_EQ(std::string(b, 20), std::string(20, '\0'));
    EXPECT_EQ(reinterpret_cast<uintptr_t>(b) % 8, 0u);
    slzurueck(&sl, a);
    auto* c = static_cast<char*>(slneu(&sl));
    EXPECT_EQ(c, a);
    EXPECT_EQ(std::string(c, 20), std::string(20, '\0'));
}

TEST_F(SlFixture, LimitsStopWithStrulis80And81)
{
    slinit(&sl, 60000);
    for (int i = 0; i < SLRSUP; ++i) {
        slneu(&sl);
    }
    erwarteAssert([&] { slneu(&sl); }, "strulis", 80);
    slfrei(&sl);
    slinit(&sl, 16);
    plFehlerSetzen(PlFehlerArt::Speicher, 1);
    erwarteAssert([&] { slneu(&sl); }, "strulis", 81);
}

// A record's slot number is found from its address: blocks lie anywhere in
// memory, and a wrong number would hand out the wrong slot (or one twice).
// Given back across many blocks, in mixed order, records come back in the
// reverse order at their own addresses; addresses of no slot stop.
TEST_F(SlFixture, RecordsGivenBackAcrossBlocksComeBackInReverseOrder)
{
    for (int32_t groesse : {30000, 1046, 24}) {
        SCOPED_TRACE(groesse);
        slinit(&sl, groesse);
        std::vector<char*> satz;
        const int32_t anzahl = groesse == 24 ? 30000 : groesse == 1046 ? 600 : 150;
        for (int32_t i = 0; i < anzahl; ++i) satz.push_back(static_cast<char*>(slneu(&sl)));
        ASSERT_GT(sl.nxtram, 5);
        std::vector<char*> zurueck;
        for (int32_t i = 0; i < anzahl; i += 7) zurueck.push_back(satz[static_cast<size_t>((i * 37) % anzahl)]);
        std::vector<char*> ohneDoppel;
        for (char* p : zurueck)
            if (std::find(ohneDoppel.begin(), ohneDoppel.end(), p) == ohneDoppel.end()) ohneDoppel.push_back(p);
        for (char* p : ohneDoppel) slzurueck(&sl, p);
        for (size_t k = ohneDoppel.size(); k-- > 0;) EXPECT_EQ(slneu(&sl), ohneDoppel[k]) << k;
        EXPECT_EQ(sl.frei, 0);
        // Inside a block but between slots, and outside every block.
        erwarteAssert([&] { slzurueck(&sl, satz[3] + 8); }, "strulis", 53);
        int32_t fremd = 0;
        erwarteAssert([&] { slzurueck(&sl, &fremd); }, "strulis", 53);
        // Freed blocks come again at other addresses: numbers follow them.
        slfrei(&sl);
    }
}

TEST_F(SaFixture, DeletedRecordsAcrossBlocksAreReusedInReverseOrder)
{
    sainit(&sa, 1046);
    std::vector<char> satz(1046, 'x');
    for (int i = 0; i < 600; ++i) saanhaengen(&sa, satz.data());
    ASSERT_GT(sa.nxtram, 8);
    std::vector<void*> weg;
    for (int32_t i : {590, 3, 300, 57, 58, 420, 0}) {
        weg.push_back(saadr(&sa, i));
        saloeschen(&sa, i);
    }
    for (size_t k = weg.size(); k-- > 0;) EXPECT_EQ(saadr(&sa, saanhaengen(&sa, satz.data())), weg[k]) << k;
    EXPECT_EQ(sa.frei, 0);
    saleeren(&sa);
    for (int i = 0; i < 200; ++i) saanhaengen(&sa, satz.data());
    void* p = saadr(&sa, 150);
    saloeschen(&sa, 150);
    EXPECT_EQ(saadr(&sa, saanhaengen(&sa, satz.data())), p);
}
