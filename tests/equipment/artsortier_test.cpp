// The in-memory sort of the item rows gives the external sort's order,
// equal keys included, for every cut of the records into runs; the sorted
// walk hands the same rows out whether they stay in memory, move to the
// external sort part way or go there from the start.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "equipment/ges.h"
#include "equipment/nartikel.h"
#include "support/sortier.h"
#include "tests/equipment/bmtest.h"

namespace {

// A key, the record's number and a tail that makes the size.
int nachSchluessel(const void* a, const void* b)
{
    int32_t x, y;
    std::memcpy(&x, a, 4);
    std::memcpy(&y, b, 4);
    return x < y ? -1 : x > y ? 1 : 0;
}

std::vector<char> eingabe(int32_t anzahl, int32_t groesse, int32_t schluessel)
{
    std::vector<char> v(static_cast<size_t>(anzahl) * static_cast<size_t>(groesse), 'x');
    uint32_t z = 4711;
    for (int32_t i = 0; i < anzahl; ++i) {
        z = z * 1103515245u + 12345u;
        const auto k = static_cast<int32_t>((z >> 8) % static_cast<uint32_t>(schluessel));
        std::memcpy(&v[static_cast<size_t>(i) * static_cast<size_t>(groesse)], &k, 4);
        std::memcpy(&v[static_cast<size_t>(i) * static_cast<size_t>(groesse) + 4], &i, 4);
        v[static_cast<size_t>(i + 1) * static_cast<size_t>(groesse) - 1] = static_cast<char>('a' + i % 26);
    }
    return v;
}

std::vector<int32_t> nummern(const char* p, size_t n, int32_t groesse)
{
    std::vector<int32_t> r;
    for (size_t i = 0; i < n; ++i) {
        int32_t k;
        std::memcpy(&k, p + i * static_cast<size_t>(groesse) + 4, 4);
        r.push_back(k);
    }
    return r;
}

int empfangen(const void* satz, void* u)
{
    auto* r = static_cast<std::vector<char>*>(u);
    r->insert(r->end(), static_cast<const char*>(satz), static_cast<const char*>(satz) + 8);
    return 1;
}

}  // namespace

TEST(ArtSortieren, InMemoryOrderEqualsTheExternalSortsForEveryRunCut)
{
    struct {
        const char* fall;
        int32_t groesse, anzahl, schluessel;
    } faelle[] = {
        {"no record", 40, 0, 1},
        {"one record", 40, 1, 1},
        {"exactly one run", 40, MSORTPUFFERSUP / 40, 7},
        {"one more than a run", 40, MSORTPUFFERSUP / 40 + 1, 7},
        {"odd run count, many equal keys", 2004, 7 * (MSORTPUFFERSUP / 2004) + 13, 5},
        {"all keys equal", 2004, 4 * (MSORTPUFFERSUP / 2004), 1},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.fall);
        std::vector<char> v = eingabe(f.anzahl, f.groesse, f.schluessel);
        MSORT m;
        ASSERT_EQ(msortinit(&m, f.groesse, nachSchluessel), 0);
        for (int32_t i = 0; i < f.anzahl; ++i) ASSERT_EQ(msortput(&m, &v[static_cast<size_t>(i * f.groesse)]), 0);
        std::vector<char> extern_;
        ASSERT_EQ(msortende(&m, empfangen, &extern_), 0);

        MsortWieExtern(v.data(), f.anzahl, f.groesse, nachSchluessel);
        std::vector<int32_t> erwartet;
        for (size_t i = 0; i < extern_.size(); i += 8) {
            int32_t k;
            std::memcpy(&k, &extern_[i + 4], 4);
            erwartet.push_back(k);
        }
        EXPECT_EQ(nummern(v.data(), static_cast<size_t>(f.anzahl), f.groesse), erwartet);
        // Whole records move, not only their keys.
        for (int32_t i = 0; i < f.anzahl; ++i)
            EXPECT_EQ(v[static_cast<size_t>((i + 1) * f.groesse - 1)], 'a' + erwartet[static_cast<size_t>(i)] % 26);
    }
}

namespace {

struct ArtSortierWeg : bmtest::BmTest {};

std::vector<uint32_t> sortiertIds(int auswahl)
{
    std::vector<uint32_t> ids;
    EXPECT_EQ(BMSortiertDurchlaufen(
                  nullptr, [](const bmzeile* z, void* u) { static_cast<std::vector<uint32_t>*>(u)->push_back(z->g.id); },
                  auswahl, &ids),
              0);
    return ids;
}

}  // namespace

TEST_F(ArtSortierWeg, RowsComeInTheSameOrderInMemoryAndThroughTheExternalSort)
{
    BMStart();
    // Identifiers with many equal ones, so the order of ties shows.
    for (int i = 0; i < 40; ++i) {
        const uint32_t id = GesAnlegen(0, "x");
        ASSERT_NE(id, 0u);
        appgeraet g;
        ASSERT_EQ(GesHolen(id, &g), 0);
        std::snprintf(g.ft, sizeof g.ft, "K%d", (i * 7) % 4);
        ASSERT_EQ(GesAendern(id, &g), 0);
    }
    for (int auswahl : {100, 300, 810}) {
        SCOPED_TRACE(auswahl);
        const std::vector<uint32_t> imSpeicher = sortiertIds(auswahl);
        ASSERT_EQ(imSpeicher.size(), 40u);
        for (size_t zeilen : {size_t{5}, size_t{0}}) {
            const size_t alt = BMSortiertSpeicherGrenze(zeilen * sizeof(bmzeile));
            EXPECT_EQ(sortiertIds(auswahl), imSpeicher) << zeilen << " rows in memory";
            BMSortiertSpeicherGrenze(alt);
        }
    }
}
