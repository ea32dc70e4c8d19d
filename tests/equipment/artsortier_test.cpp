// The in-memory sort of the item rows gives the external sort's order,
// equal keys included, for every cut of the records into runs.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "equipment/nartikel.h"
#include "support/sortier.h"

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
