// External merge sort: the order of equal keys against a reference built
// from the fixed rules (runs of 5000 records of 40 bytes sorted by qsort,
// pairwise merges in run-number order, the second run first on equal keys),
// and failures that must call no callback and leave no file behind.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <vector>

#include "platform/fehlersim.h"
#include "platform/orte.h"
#include "support/sortier.h"

namespace {

struct Satz {
    int32_t schluessel;
    int32_t nummer;
    char rest[32];
};
static_assert(sizeof(Satz) == 40);
constexpr int32_t proLauf = MSORTPUFFERSUP / 40;

int nachSchluessel(const void* a, const void* b)
{
    int32_t x = static_cast<const Satz*>(a)->schluessel;
    int32_t y = static_cast<const Satz*>(b)->schluessel;
    return x < y ? -1 : x > y ? 1 : 0;
}

std::vector<Satz> eingabe(int32_t anzahl, int32_t schluessel)
{
    std::vector<Satz> v(static_cast<size_t>(anzahl));
    uint32_t z = 12345;
    for (int32_t i = 0; i < anzahl; ++i) {
        z = z * 1103515245u + 12345u;
        v[i].schluessel = static_cast<int32_t>((z >> 8) % static_cast<uint32_t>(schluessel));
        v[i].nummer = i;
        std::memset(v[i].rest, 'a' + i % 26, sizeof v[i].rest);
    }
    return v;
}

// The order the rules give, computed independently of the file code.
std::vector<int32_t> referenz(const std::vector<Satz>& v)
{
    std::deque<std::vector<Satz>> laeufe;
    for (size_t i = 0; i == 0 || i < v.size(); i += proLauf) {
        std::vector<Satz> lauf(v.begin() + static_cast<long>(i),
                               v.begin() + static_cast<long>(std::min(v.size(), i + proLauf)));
        if (!lauf.empty()) {
            std::qsort(lauf.data(), lauf.size(), sizeof(Satz), nachSchluessel);
        }
        laeufe.push_back(lauf);
    }
    while (laeufe.size() > 1) {
        std::vector<Satz> a = laeufe[0], b = laeufe[1], c;
        laeufe.pop_front();
        laeufe.pop_front();
        size_t i = 0, j = 0;
        while (i < a.size() || j < b.size()) {
            if (j == b.size() || (i < a.size() && nachSchluessel(&a[i], &b[j]) < 0)) {
                c.push_back(a[i++]);
            } else {
                c.push_back(b[j++]);
            }
        }
        laeufe.push_back(c);
    }
    std::vector<int32_t> nummern;
    for (auto& s : laeufe[0]) {
        nummern.push_back(s.nummer);
    }
    return nummern;
}

struct Empfang {
    std::vector<int32_t> nummern;
    size_t bis = SIZE_MAX;  // stop after this many
    bool inhaltFalsch = false;
};

int empfangen(const void* satz, void* user)
{
    auto* e = static_cast<Empfang*>(user);
    auto* s = static_cast<const Satz*>(satz);
    e->nummern.push_back(s->nummer);
    if (s->rest[0] != 'a' + s->nummer % 26 || s->rest[31] != s->rest[0]) {
        e->inhaltFalsch = true;
    }
    return e->nummern.size() < e->bis ? 1 : 0;
}

size_t dateienImTemp()
{
    size_t n = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(plOrtTemp())) {
        ++n;
    }
    return n;
}

}  // namespace

TEST(Msort, OrdersLikeTheReferenceMergeAndLeavesNoFile)
{
    struct {
        const char* fall;
        int32_t anzahl, schluessel, laeufe;
    } faelle[] = {
        {"no record", 0, 1, 1},
        {"one record", 1, 1, 1},
        {"exactly one buffer", proLauf, 7, 1},
        {"one more than a buffer", proLauf + 1, 7, 2},
        {"five runs, odd count, equal keys", 4 * proLauf + 1234, 5, 5},
    };
    size_t vorher = dateienImTemp();
    for (auto& f : faelle) {
        SCOPED_TRACE(f.fall);
        std::vector<Satz> v = eingabe(f.anzahl, f.schluessel);
        MSORT m;
        ASSERT_EQ(msortinit(&m, sizeof(Satz), nachSchluessel), 0);
        for (auto& s : v) {
            ASSERT_EQ(msortput(&m, &s), 0);
        }
        Empfang e;
        EXPECT_EQ(msortende(&m, empfangen, &e), 0);
        EXPECT_EQ(m.laeufe, f.laeufe);
        EXPECT_EQ(e.nummern, referenz(v));
        EXPECT_FALSE(e.inhaltFalsch);
        EXPECT_EQ(dateienImTemp(), vorher);
    }
}

TEST(Msort, CallbackStopsTheHandOut)
{
    std::vector<Satz> v = eingabe(3 * proLauf, 1000);
    MSORT m;
    ASSERT_EQ(msortinit(&m, sizeof(Satz), nachSchluessel), 0);
    for (auto& s : v) {
        msortput(&m, &s);
    }
    Empfang e;
    e.bis = 10;
    size_t vorher = dateienImTemp();
    EXPECT_EQ(msortende(&m, empfangen, &e), 0);
    std::vector<int32_t> alle = referenz(v);
    EXPECT_EQ(e.nummern, std::vector<int32_t>(alle.begin(), alle.begin() + 10));
    EXPECT_LT(dateienImTemp(), vorher);  // the three runs are gone
}

namespace {

// Arms a lasting failure of kind `scharfArt` at the first comparison it sees
// while armed: with a last run of one record the first comparison of
// msortende is the first of the merge.
bool scharf = false;
PlFehlerArt scharfArt = PlFehlerArt::Schreiben;
int vergleichUndFehler(const void* a, const void* b)
{
    if (scharf) {
        scharf = false;
        plFehlerSetzen(scharfArt, 1, true);
    }
    return nachSchluessel(a, b);
}

}  // namespace

TEST(Msort, FailuresCallNoCallbackAndLeaveNoRunFile)
{
    PlFehlerScope fehler;
    enum Wann { BeimLauf, BeimLetztenLauf, BeimMischen };
    struct {
        const char* fall;
        Wann wann;
        PlFehlerArt art;
        int putErgebnis, endeErgebnis;
    } faelle[] = {
        {"first run while putting", BeimLauf, PlFehlerArt::Schreiben, -1, 2},
        {"last run", BeimLetztenLauf, PlFehlerArt::Schreiben, 0, 1},
        {"write inside a merge", BeimMischen, PlFehlerArt::Schreiben, 0, 2},
        {"read inside a merge", BeimMischen, PlFehlerArt::Lesen, 0, 2},
    };
    size_t vorher = dateienImTemp();
    for (auto& f : faelle) {
        SCOPED_TRACE(f.fall);
        std::vector<Satz> v = eingabe(proLauf + 1, 9);
        MSORT m;
        ASSERT_EQ(msortinit(&m, sizeof(Satz), vergleichUndFehler), 0);
        int put = 0;
        for (size_t i = 0; i < v.size(); ++i) {
            if (f.wann == BeimLauf && i == v.size() - 1) {
                plFehlerSetzen(f.art, 1, true);
            }
            put = msortput(&m, &v[i]);
        }
        EXPECT_EQ(put, f.putErgebnis);
        if (f.wann == BeimLetztenLauf) {
            plFehlerSetzen(f.art, 1, true);
        }
        scharf = f.wann == BeimMischen;
        scharfArt = f.art;
        Empfang e;
        EXPECT_EQ(msortende(&m, empfangen, &e), f.endeErgebnis);
        EXPECT_GT(plFehlerAusgeloest(f.art), 0);
        EXPECT_TRUE(e.nummern.empty());
        plFehlerAllesAus();
        scharf = false;
        EXPECT_EQ(dateienImTemp(), vorher);
    }
}

TEST(Msort, RefusesRecordSizesItCannotHold)
{
    MSORT m;
    EXPECT_EQ(msortinit(&m, 0, nachSchluessel), -1);
    EXPECT_EQ(msortinit(&m, MSORTPUFFERSUP + 1, nachSchluessel), -1);
    EXPECT_EQ(msortput(&m, "x"), -1);
    PlFehlerScope fehler;
    plFehlerSetzen(PlFehlerArt::Speicher, 2);
    EXPECT_EQ(msortinit(&m, 40, nachSchluessel), -1);
}
