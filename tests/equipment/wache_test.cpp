// The reload rule itself, with counter and stamps both injected: when a
// watch compares, and what makes it stale, in the one- and two-file forms.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

#include "equipment/wache.h"

namespace {

int wZaehler = 0;
std::map<std::string, int> wStempel;  // path -> minute; absent = unreadable
int wGelesen = 0;                     // stamp reads

int wStempelLesen(const char* pfad, DATZEIT* z)
{
    ++wGelesen;
    auto it = wStempel.find(pfad);
    if (it == wStempel.end()) return -1;
    std::memset(z, 0, sizeof *z);
    z->minute = static_cast<uint8_t>(it->second);
    return 0;
}

struct Wache : ::testing::Test {
    void SetUp() override
    {
        wZaehler = 0;
        wGelesen = 0;
        wStempel = {{"/p/a.zvk", 1}, {"/p/b.zvk", 1}};
        WacheQuellenSetzen([] { return wZaehler; }, wStempelLesen);
        WacheLeeren(&w);
    }
    void TearDown() override { WacheQuellenSetzen(nullptr, nullptr); }
    WACHE w;
};

TEST_F(Wache, OneFile)
{
    struct Fall {
        const char* fall;
        bool bewegen;
        const char* pfad;
        int stempel;  // new minute of a.zvk; -1 unreadable
        int veraltet;
    } faelle[] = {
        {"counter still: nothing compared", false, "/p/a.zvk", 2, 0},
        {"moved, same path and stamp", true, "/p/a.zvk", 1, 0},
        {"moved, other stamp byte", true, "/p/a.zvk", 2, 1},
        {"moved, stamp unreadable", true, "/p/a.zvk", -1, 1},
        {"moved, other path", true, "/q/a.zvk", 1, 1},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.fall);
        wStempel["/p/a.zvk"] = 1;
        EXPECT_EQ(WacheVeraltet(&w, "/p/a.zvk"), 1);  // not loaded
        WacheGeladen(&w, "/p/a.zvk");
        wGelesen = 0;
        if (f.stempel < 0) wStempel.erase("/p/a.zvk"); else wStempel["/p/a.zvk"] = f.stempel;
        if (f.bewegen) ++wZaehler;
        EXPECT_EQ(WacheVeraltet(&w, f.pfad), f.veraltet);
        if (!f.bewegen) {
            EXPECT_EQ(wGelesen, 0);
        }
        // The counter of the check is kept: a second check compares nothing.
        wGelesen = 0;
        EXPECT_EQ(WacheVeraltet(&w, f.pfad), 0);
        EXPECT_EQ(wGelesen, 0);
        WacheLeeren(&w);
    }
}

TEST_F(Wache, TwoFiles)
{
    struct Fall {
        const char* fall;
        bool zweiteDaVorher;
        int zweiteNachher;  // minute; -1 absent
        int veraltet;
    } faelle[] = {
        {"second unchanged", true, 1, 0},
        {"second changed", true, 2, 1},
        {"second vanished", true, -1, 1},
        {"second still absent", false, -1, 0},
        {"second appeared", false, 1, 1},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.fall);
        WacheLeeren(&w);
        if (f.zweiteDaVorher) wStempel["/p/b.zvk"] = 1; else wStempel.erase("/p/b.zvk");
        WacheGeladen2(&w, "/p/a.zvk", "/p/b.zvk");
        if (f.zweiteNachher < 0) wStempel.erase("/p/b.zvk"); else wStempel["/p/b.zvk"] = f.zweiteNachher;
        ++wZaehler;
        EXPECT_EQ(WacheVeraltet2(&w, "/p/a.zvk", "/p/b.zvk"), f.veraltet);
    }
}

TEST_F(Wache, FailedReadKeepsTheWatchUnloadedButCountsTheCheck)
{
    wZaehler = 5;
    WacheZaehlerMerken(&w);
    EXPECT_EQ(w.zaehler, 5);
    EXPECT_EQ(WacheVeraltet(&w, "/p/a.zvk"), 1);  // still not loaded: read again
}

}  // namespace
