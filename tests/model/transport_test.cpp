// The batch copier: old and current sources go in batches of 20 through
// temporary drawings, filtered and converted; a source that cannot be read
// whole copies nothing; a failure at any file call stops the copy with its
// report, the source untouched, the target holding only whole components
// appended before, and no temporary drawing left.
#include "model/transport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "model/altbau.h"
#include "model/bauteil.h"
#include "model/befehl.h"
#include "platform/fehlersim.h"
#include "support/fileload.h"
#include "tests/model/altbib.h"

namespace {

struct Transport : ::testing::Test {
    MtOrdner o;
    void SetUp() override
    {
        BauEnde();
        BauInit();
    }
    void TearDown() override
    {
        plFehlerAllesAus();
        BauEnde();
    }
    static std::vector<std::string> tmpDateien()
    {
        char verz[300];
        std::vector<std::string> n;
        if (tempverz(verz) != 0) return n;
        for (auto& e : std::filesystem::directory_iterator(verz)) n.push_back(e.path().filename().string());
        return n;
    }
    static std::vector<std::string> namen(const std::string& bib) { return mtBibNamen(bib); }
    // A new empty current library.
    std::string leer(const char* name)
    {
        const std::string p = o / name;
        EXPECT_EQ(BauBibAnlegen(p.c_str(), 10), 0);
        return p;
    }
    // A current library of the n components of an old one.
    std::string aktuell(const char* name, int n)
    {
        mtSchreiben(o / "BAUTEILE.ALT", altBib3(n));
        const std::string p = leer(name);
        EXPECT_EQ(TraKopieren((o / "BAUTEILE.ALT").c_str(), p.c_str(), nullptr, nullptr, nullptr, nullptr), n);
        std::filesystem::remove(o / "BAUTEILE.ALT");
        return p;
    }
};

std::vector<std::string> bNamen(int von, int bis)
{
    std::vector<std::string> v;
    for (int i = von; i < bis; ++i) {
        char n[16];
        std::snprintf(n, sizeof n, "B%03d", i % 1000);
        v.push_back(n);
    }
    return v;
}

TEST_F(Transport, OldAndCurrentSourcesGoInBatchesOfTwenty)
{
    const auto vorher = tmpDateien();
    mtSchreiben(o / "BAUTEILE.ALT", altBib3(45));
    const std::string neu = leer("BAUTEILE.NEU");
    TraBericht b;
    EXPECT_EQ(TraKopieren((o / "BAUTEILE.ALT").c_str(), neu.c_str(), nullptr, nullptr, nullptr, &b), 45);
    EXPECT_EQ(b.fehler, TRA_GUT);
    EXPECT_EQ(TraStapel(), (std::vector<int>{20, 20, 5}));
    EXPECT_EQ(namen(neu), bNamen(0, 45));

    // Current to current: the filter keeps every other one, the conversion
    // changes every record on the way.
    const std::string ziel = leer("BAUTEILE.ZWE");
    const auto jederZweite = [](const char* name, void*) { return (name[3] - '0') % 2 == 0 ? 1 : 0; };
    EXPECT_EQ(TraKopieren(neu.c_str(), ziel.c_str(), jederZweite, nullptr, [](BEF* x) { x->darg[0] += 1000; }, &b),
              23);
    EXPECT_EQ(TraStapel(), (std::vector<int>{20, 3}));
    const auto kopiert = namen(ziel);
    ASSERT_EQ(kopiert.size(), 23u);
    EXPECT_EQ(kopiert.front(), "B000");
    EXPECT_EQ(kopiert.back(), "B044");
    BauHandle vor, nach;
    ASSERT_EQ(BauOpen(&vor, neu.c_str(), "B044"), 0);
    ASSERT_EQ(BauOpen(&nach, ziel.c_str(), "B044"), 0);
    BEF rv, rn;
    ASSERT_EQ(BauRead(&vor, &rv), 0);
    ASSERT_EQ(BauRead(&nach, &rn), 0);
    EXPECT_EQ(rn.darg[0], rv.darg[0] + 1000);
    EXPECT_EQ(tmpDateien(), vorher);
}

// Sources that cannot be read whole copy nothing.
TEST_F(Transport, UnreadableOrDamagedSourceCopiesNothing)
{
    const std::string ziel = leer("BAUTEILE.ZIE");
    const std::string vorher = mtLesen(ziel);
    std::string kurz = mtLesen(mtFixture("BAUTEILE.L10"));
    kurz[10] = 2;  // two in the header, one in the file
    mtSchreiben(o / "BAUTEILE.KRZ", kurz);
    for (const char* quelle : {"BAUTEILE.FEHLT", "BAUTEILE.KRZ"}) {
        SCOPED_TRACE(quelle);
        TraBericht b;
        EXPECT_EQ(TraKopieren((o / quelle).c_str(), ziel.c_str(), nullptr, nullptr, nullptr, &b), -1);
        EXPECT_EQ(b.fehler, TRA_QUELLE);
        EXPECT_EQ(TraStapel(), std::vector<int>{});
        EXPECT_EQ(mtLesen(ziel), vorher);
    }
    TraBericht b;
    EXPECT_EQ(TraKopieren(mtFixture("BAUTEILE.L10").c_str(), (o / "BAUTEILE.NICHT").c_str(), nullptr, nullptr, nullptr,
                          &b),
              -1);
    EXPECT_EQ(b.fehler, TRA_ZIEL);
}

// The k-th call of each kind fails, k = 1, 2, ... until the copy of 21
// components completes.
TEST_F(Transport, AFailedCallStopsTheCopyWithNothingLost)
{
    const auto tmpVorher = tmpDateien();
    const std::string quelle = aktuell("BAUTEILE.QUE", 21);
    const std::string inhalt = mtLesen(quelle);
    const auto alle = bNamen(0, 21);
    for (PlFehlerArt art : {PlFehlerArt::Oeffnen, PlFehlerArt::Lesen, PlFehlerArt::Schreiben, PlFehlerArt::Umbenennen,
                            PlFehlerArt::Schliessen}) {
        for (int k = 1;; ++k) {
            SCOPED_TRACE("kind " + std::to_string(static_cast<int>(art)) + " call " + std::to_string(k));
            BauEnde();
            std::filesystem::remove(o / "BAUTEILE.ZIE");
            const std::string ziel = leer("BAUTEILE.ZIE");
            TraBericht b;
            plFehlerSetzen(art, k);
            const int r = TraKopieren(quelle.c_str(), ziel.c_str(), nullptr, nullptr, nullptr, &b);
            const bool ausgeloest = plFehlerAusgeloest(art) > 0;
            plFehlerAllesAus();
            EXPECT_EQ(mtLesen(quelle), inhalt);
            EXPECT_EQ(tmpDateien(), tmpVorher);
            const auto drin = namen(ziel);
            if (r >= 0) {
                EXPECT_EQ(r, 21);
                EXPECT_EQ(b.fehler, TRA_GUT);
                EXPECT_EQ(drin, alle);  // a failure the copy bore (e.g. in a check) lost nothing
                if (!ausgeloest) break;
                continue;
            }
            EXPECT_NE(b.fehler, TRA_GUT);
            // (An append written but not read back counts as failed, so the
            // target may be whole.)
            ASSERT_LE(drin.size(), alle.size());
            EXPECT_EQ(drin, std::vector<std::string>(alle.begin(), alle.begin() + static_cast<long>(drin.size())));
            ASSERT_TRUE(ausgeloest);
            ASSERT_LT(k, 2000);
        }
    }
}

}  // namespace
