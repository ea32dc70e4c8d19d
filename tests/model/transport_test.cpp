// The batch copier: a version-3 library of 45 components goes into a
// current library in batches of 20, 20 and 5, every component readable and
// no temporary drawing left; an unreadable old library is reported.
#include "model/transport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/altbau.h"
#include "model/bauteil.h"
#include "tests/model/altbib.h"

namespace {

std::vector<std::string>& meldungen()
{
    static std::vector<std::string> m;
    return m;
}

TEST(Transport, CopiesInBatchesAndLeavesNoTemporaries)
{
    MtOrdner o;
    mtSchreiben(o / "BAUTEILE.ALT", altBib3(45));
    ASSERT_EQ(BauBibAnlegen((o / "BAUTEILE.NEU").c_str(), 6), 0);
    meldungen().clear();
    int fehler = -1;
    EXPECT_EQ(TraBibKopieren((o / "BAUTEILE.ALT").c_str(), (o / "BAUTEILE.NEU").c_str(), o.pfad.c_str(),
                             [](const char* t) { meldungen().push_back(t); }, &fehler),
              45);
    EXPECT_EQ(fehler, 0);
    EXPECT_EQ(TraStapel(), (std::vector<int>{20, 20, 5}));
    EXPECT_TRUE(meldungen().empty());
    EXPECT_EQ(o.anzahl(), 2);   // no zv5konv.* left
    BauBibHandle h;
    ASSERT_EQ(BauBibOeffnen(&h, (o / "BAUTEILE.NEU").c_str()), 0);
    EXPECT_EQ(h.anzahl, 45);
    char name[BAUNAMSUP + 1];
    BauNameHolen(&h, 44, name, sizeof name);
    EXPECT_STREQ(name, "B044");
    BauBibZu(&h);
    BauBibSchliessen();

    EXPECT_EQ(TraBibKopieren((o / "BAUTEILE.FEHLT").c_str(), (o / "BAUTEILE.NEU").c_str(), o.pfad.c_str(),
                             [](const char* t) { meldungen().push_back(t); }, &fehler),
              -1);
    EXPECT_EQ(meldungen().size(), 1u);
}

}  // namespace
