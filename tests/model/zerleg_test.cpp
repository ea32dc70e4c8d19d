// Tests of the record expansion and the drawing walks: turned components,
// state-only expansion, missing and self-containing components, components
// of two libraries read interleaved, frame rows, equipment references with
// fakes through the service hooks, command lists, and the group walk.
// Libraries and drawings are made in a fresh folder by the project's own
// writers.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "config/datwache.h"
#include "config/verzeich.h"
#include "model/bauteil.h"
#include "model/befehl.h"
#include "model/dienste.h"
#include "model/textvar.h"
#include "model/zeichnun.h"
#include "model/zeilauf.h"
#include "model/zerleg.h"
#include "model/zustand.h"
#include "modelltest.h"
#include "support/dosdatei.h"

using namespace modh;  // the model's calls through its service tables

namespace fs = std::filesystem;

namespace {

BEF rec(int code, std::vector<int> ints = {}, std::vector<double> reals = {}, const char* text = nullptr)
{
    BEF b{};
    b.code = static_cast<uint8_t>(code);
    for (size_t i = 0; i < ints.size(); ++i) b.iarg[i] = ints[i];
    for (size_t i = 0; i < reals.size(); ++i) b.darg[i] = reals[i];
    if (text) BefTextSetzen(&b, text);
    return b;
}

BEF zl(double x, double y) { return rec(40, {}, {x, y}); }
BEF bd(const char* name) { return rec(35, {}, {}, name); }
BEF zb(int code, const char* name) { return rec(code, {}, {}, name); }

struct Gesehen {
    int code;
    int i0;
    double x, y;
    int richtung, st;
    std::string bd, text;
    bool operator==(const Gesehen&) const = default;
};
std::vector<Gesehen> gesehen;
int antwortBei = -1;  // code whose record the callback claims
int antwort = 0;

int sammeln(const BEF* b, const STT* s)
{
    gesehen.push_back({b->code, b->iarg[0], s->x, s->y, s->richtung, s->st, s->bd, b->text});
    return b->code == antwortBei ? antwort : 0;
}

std::vector<int> codes()
{
    std::vector<int> c;
    for (const Gesehen& g : gesehen) c.push_back(g.code);
    return c;
}

STT anfang()
{
    STT s{};
    s.mass = s.msm = s.msf = 1;
    s.layer = 1;
    s.st = 1;
    s.tg = 2.5;
    std::snprintf(s.bd, sizeof s.bd, "A");
    return s;
}

struct Zerlegen : ::testing::Test {
    MtOrdner o;
    void SetUp() override
    {
        BauEnde();
        BauInit();
        VerSetzen(2, o.pfad.c_str());
        gesehen.clear();
        antwortBei = -1;
        char rest[ZERFEHLSUP + 1];
        FehlBauteilHolen(rest, sizeof rest);
    }
    void TearDown() override
    {
        BauEnde();
        VerSetzen(2, "");
        ModDiensteStandard();
    }
    std::string zeichnung(const std::string& name, const std::vector<BEF>& satz)
    {
        std::string p = o / name;
        ZeiDatei z;
        EXPECT_EQ(ZeiDateiAnlegen(&z, p.c_str()), 0);
        for (const BEF& b : satz) ZeiBefSchreiben(&z, &b);
        EXPECT_EQ(ZeiDateiSchliessen(&z), 0);
        return p;
    }
    // Appends a component to library "BAUTEILE.<suffix>" (made when missing).
    void bauteil(const char* suffix, const char* name, const std::vector<BEF>& satz)
    {
        std::string bib = o / (std::string("BAUTEILE.") + suffix);
        if (!mtLesen(bib).size()) {
            ASSERT_EQ(BauBibAnlegen(bib.c_str(), 10), 0);
        }
        std::string zei = zeichnung(std::string("teil.") + name, satz);
        BauBibHandle h;
        ASSERT_EQ(BauBibOeffnen(&h, bib.c_str()), 0);
        ASSERT_EQ(BauAufnehmen(&h, name, zei.c_str()), 0);
        BauBibZu(&h);
    }
};

TEST_F(Zerlegen, TurnedComponentIsBracketedByDirectionRecords)
{
    bauteil("A", "M1", {zl(10, 0)});
    STT s = anfang();
    BEF r = zb(85, "M1");
    BefZerlegen(&r, &s, sammeln);
    ASSERT_EQ(codes(), (std::vector<int>{85, 12, 40, 12}));
    EXPECT_EQ(gesehen[1].i0, 1800);
    EXPECT_EQ(gesehen[2].richtung, 1800);
    EXPECT_EQ(gesehen[3].i0, -1800);
    EXPECT_EQ(s.x, -10.0);  // the line was drawn towards the left
    EXPECT_EQ(s.y, 0.0);
    EXPECT_EQ(s.richtung, 0);
    EXPECT_EQ(s.tiefe, 0);

    // Without a callback only the state moves, and by the same amount.
    STT t = anfang();
    BefZerlegen(&r, &t, nullptr);
    EXPECT_TRUE(SttGleich(&s, &t));
}

std::vector<std::string> haken;

TEST_F(Zerlegen, HooksBracketRecordsAndComponents)
{
    bauteil("A", "M1", {zl(10, 0)});
    haken.clear();
    BefHakenSetzen([](int phase, const BEF* b, const STT*) { haken.push_back(std::to_string(phase) + BefName(b->code)); });
    BauteilHakenSetzen([](int phase, const char* name) { haken.push_back(std::to_string(phase) + "<" + name + ">"); });
    STT s = anfang();
    BEF r = zb(80, "M1");
    BefZerlegen(&r, &s, nullptr);
    BefHakenSetzen(nullptr);
    BauteilHakenSetzen(nullptr);
    EXPECT_EQ(haken, (std::vector<std::string>{"1ZB", "1<M1>", "1ZL", "0ZL", "0<M1>", "0ZB"}));
}

TEST_F(Zerlegen, ComponentStateChangesPersist)
{
    bauteil("A", "ST", {rec(25, {4}), zl(0, 5)});
    STT s = anfang();
    BEF r = zb(81, "ST");
    r.iarg[0] = 900;
    BefZerlegen(&r, &s, nullptr);
    EXPECT_EQ(s.st, 4);
    EXPECT_EQ(s.x, -5.0);
    EXPECT_EQ(s.richtung, 0);
}

TEST_F(Zerlegen, RecordsWithoutPartsReachTheCallbackAlone)
{
    bauteil("A", "M1", {zl(10, 0)});
    for (BEF r : {zb(82, "M1"), rec(41, {450}, {5}), rec(62)}) {
        gesehen.clear();
        STT s = anfang();
        BefZerlegen(&r, &s, sammeln);
        EXPECT_EQ(codes(), (std::vector<int>{r.code})) << int(r.code);
    }
}

TEST_F(Zerlegen, OnlyTheFirstMissingComponentIsRemembered)
{
    bauteil("A", "M1", {zl(10, 0)});
    STT s = anfang();
    for (const char* n : {"FEHLT1", "FEHLT2"}) {
        BEF r = zb(80, n);
        BefZerlegen(&r, &s, sammeln);
    }
    EXPECT_EQ(codes(), (std::vector<int>{80, 80}));
    char t[ZERFEHLSUP + 1];
    FehlBauteilHolen(t, sizeof t);
    EXPECT_STREQ(t, "A - FEHLT1");
    FehlBauteilHolen(t, sizeof t);
    EXPECT_STREQ(t, "");
    s.bd[0] = '\0';
    BEF r = zb(80, "FEHLT3");
    BefZerlegen(&r, &s, nullptr);
    FehlBauteilHolen(t, sizeof t);
    EXPECT_STREQ(t, "FEHLT3");  // without a library only the name
}

TEST_F(Zerlegen, SelfContainingComponentStopsAtDepthSixteen)
{
    bauteil("A", "SELBST", {zl(1, 0), zb(80, "SELBST")});
    STT s = anfang();
    BEF r = zb(80, "SELBST");
    BefZerlegen(&r, &s, sammeln);
    int linien = 0;
    for (const Gesehen& g : gesehen) linien += g.code == 40;
    EXPECT_EQ(linien, ZERTIEFESUP);
    EXPECT_EQ(s.x, 16.0);
    EXPECT_EQ(s.tiefe, 0);
    char t[ZERFEHLSUP + 1];
    FehlBauteilHolen(t, sizeof t);
    EXPECT_STREQ(t, "A - SELBST");
}

// A component of library A switches to library B and places one of its
// components, then goes on with its own records: the same as the records
// written out one after the other.
TEST_F(Zerlegen, NestedLibrariesExpandLikeTheirFlattenedRecords)
{
    bauteil("B", "INNEN", {zl(1, 1), rec(25, {3}), zl(2, 0)});
    bauteil("A", "AUSSEN", {zl(10, 0), bd("B"), zb(84, "INNEN"), zl(0, 5), zl(1, 0)});
    STT s = anfang();
    BEF r = zb(80, "AUSSEN");
    BefZerlegen(&r, &s, sammeln);
    std::vector<Gesehen> verschachtelt(gesehen.begin() + 1, gesehen.end());

    gesehen.clear();
    STT f = anfang();
    for (BEF b : {zl(10, 0), bd("B"), zb(84, "INNEN"), zl(0, 5), zl(1, 0)}) BefZerlegen(&b, &f, sammeln);
    EXPECT_EQ(verschachtelt, gesehen);
    EXPECT_TRUE(SttGleich(&s, &f));
    EXPECT_EQ(std::string(s.bd), "B");
    char t[ZERFEHLSUP + 1];
    FehlBauteilHolen(t, sizeof t);
    EXPECT_STREQ(t, "");
}

TEST_F(Zerlegen, FrameRowStretchesTheFirstRectangle)
{
    bauteil("A", "RAHMEN", {rec(68, {0, 0}, {4, -2}), zl(9, 9)});
    bauteil("A", "LINIE", {zl(9, 9)});
    STT s = anfang();
    BEF r = rec(87, {3}, {}, "RAHMEN");
    BefZerlegen(&r, &s, sammeln);
    ASSERT_EQ(codes(), (std::vector<int>{87, 68}));
    BEF y = rec(88, {3}, {}, "RAHMEN");
    gesehen.clear();
    BefZerlegen(&y, &s, [](const BEF* b, const STT*) {
        if (b->code == 68) gesehen.push_back({68, 0, b->darg[0], b->darg[1], 0, 0, "", ""});
        return 0;
    });
    ASSERT_EQ(gesehen.size(), 1u);
    EXPECT_EQ(gesehen[0].x, 4.0);
    EXPECT_EQ(gesehen[0].y, -6.0);
    gesehen.clear();
    BEF keinRahmen = rec(87, {3}, {}, "LINIE");
    BefZerlegen(&keinRahmen, &s, sammeln);
    EXPECT_EQ(codes(), (std::vector<int>{87}));
}

TEST_F(Zerlegen, CommandListsCollectComponentReferences)
{
    auto liste = std::make_unique<BEFLST>();
    liste->anzahl = 0;
    bauteil("A", "M1", {zl(10, 0)});
    STT s = anfang();
    BEF r = zb(80, "M1");
    BefListeZiel(liste.get(), 0);
    BefZerlegen(&r, &s, BefListeSammeln);
    EXPECT_EQ(liste->anzahl, 1);
    BefListeZiel(liste.get(), 1);
    BefZerlegen(&r, &s, BefListeSammeln);
    EXPECT_EQ(liste->anzahl, 3);
    EXPECT_EQ(liste->bef[2].code, 40);
    EXPECT_EQ(liste->stt[2].x, 10.0);
    liste->anzahl = BEFLSTSUP;
    BefZerlegen(&r, &s, BefListeSammeln);
    EXPECT_EQ(liste->anzahl, BEFLSTSUP);
    BefListeZiel(nullptr, 0);
}

// ---- equipment references ---------------------------------------------------

ModBmEinst zrEinst;
int zrErgebnis = 0;
const char* zrKennung = "-K1";
ModBauteil zrHaupt;

const ModBmEinst* zrEinstHolen() { return &zrEinst; }
int zrKennungPosition(char* t, size_t kap, uint32_t)
{
    std::snprintf(t, kap, "%s", zrKennung);
    return zrErgebnis;
}
int zrGes(uint32_t id, ModGeraet* g)
{
    *g = ModGeraet{};
    g->id = id;
    return id == 1 ? 0 : -1;
}
int zrBtl(uint32_t, const char*, int, ModBauteil* b)
{
    *b = zrHaupt;
    return 1;
}
void zrMarken(char* aus, size_t kap, const char* text, int modus)
{
    std::string a, b;
    bool drin = false;
    for (const char* p = text; *p; ++p) {
        if (*p == 0x02) drin = true;
        else if (*p == 0x03) drin = false;
        else (drin ? b : a) += *p;
    }
    std::snprintf(aus, kap, "%s", (modus == 1 ? a : b).c_str());
}

struct Referenz : Zerlegen {
    std::string akt;
    void SetUp() override
    {
        Zerlegen::SetUp();
        zrEinst = ModBmEinst{};
        zrEinst.spabst = 10;
        zrEinst.bmuse = 1;
        zrEinst.zkzei = 1;
        zrEinst.bpzei = 1;
        zrEinst.bpyoff = 3;
        zrEinst.zkyoff = -4;
        zrEinst.bptg = 1.5;
        zrEinst.zktg = 2;
        zrErgebnis = 0;
        zrKennung = "-K1";
        zrHaupt = ModBauteil{1, 100, 50, "A.01", ""};
        ModDienste d{};
        d.BmEinst = zrEinstHolen;
        d.BMKennungPosition = zrKennungPosition;
        d.GesHolen = zrGes;
        d.BtlSuchen = zrBtl;
        d.MarkenTeil = zrMarken;
        ModDiensteSetzen(d);
        akt = o / "PLAN.A.01";
        ZeiAktVergessen();
        ZeiAktSetzen(akt.c_str());
    }
    void TearDown() override
    {
        ZeiAktVergessen();
        Zerlegen::TearDown();
    }
    void zerlegen(const char* text, double x)
    {
        gesehen.clear();
        STT s = anfang();
        s.x = x;
        BEF t = rec(50, {}, {}, text);
        BefZerlegen(&t, &s, sammeln);
    }
};

TEST_F(Referenz, IdentifierNearAndFarFromTheMainComponent)
{
    // Near (same drawing, dx within -5..7): only the identifier.
    zerlegen("@Y0001K", 105);
    ASSERT_EQ(gesehen.size(), 1u);
    EXPECT_EQ(gesehen[0].text, "-K1");
    // Far: the position reference above it, then the identifier.
    zerlegen("@Y0001K", 120);
    ASSERT_EQ(gesehen.size(), 2u);
    EXPECT_EQ(gesehen[0].text, "@Y0001PH");
    EXPECT_EQ(gesehen[0].y, 3.0);
    EXPECT_EQ(gesehen[1].text, "-K1");
    // An unknown item is handed on once with its text unchanged.
    zerlegen("@Y0002K", 120);
    ASSERT_EQ(gesehen.size(), 1u);
    EXPECT_EQ(gesehen[0].text, "-K1");
    // Builder results 8 and 9 switch both displays off.
    zrErgebnis = 8;
    zerlegen("@Y0001K", 120);
    EXPECT_EQ(gesehen.size(), 1u);
}

TEST_F(Referenz, MarkedIdentifierIsSplitIntoTwoTexts)
{
    zrKennung = "=A1\x02-K5\x03";
    zerlegen("@Y0001B", 120);
    ASSERT_EQ(gesehen.size(), 3u);
    EXPECT_EQ(gesehen[0].text, "@Y0001PH");
    EXPECT_EQ(gesehen[1].text, "=A1");
    EXPECT_EQ(gesehen[1].y, 0.0);
    EXPECT_EQ(gesehen[2].text, "-K5");
    EXPECT_EQ(gesehen[2].y, -4.0);
}

// ---- walks --------------------------------------------------------------------

TEST_F(Zerlegen, WalkPassesEveryRecordThroughTheExpander)
{
    bauteil("A", "M1", {zl(10, 0), zl(0, 10)});
    std::string p = zeichnung("WALK.01", {zl(1, 0), zb(80, "M1"), zl(2, 0)});
    STT s = anfang();
    ASSERT_EQ(ZeiDurchlaufen(p.c_str(), &s, sammeln), 0);
    EXPECT_EQ(codes(), (std::vector<int>{40, 80, 40, 40, 40}));
    EXPECT_EQ(s.x, 13.0);
    EXPECT_EQ(ZeiDurchlaufen((o / "FEHLT.01").c_str(), &s, sammeln), -1);
}

// A component's records are decoded once and kept with its library; a walk
// after the library changed sees the new records, whether this program
// wrote it or another one did and the files were checked again.
TEST_F(Zerlegen, WalksSeeAChangedComponent)
{
    const std::string bib = o / "BAUTEILE.A";
    std::string p = zeichnung("NEU.01", {zb(80, "M1"), zb(80, "M1")});
    auto lauf = [&] {
        gesehen.clear();
        STT s = anfang();
        EXPECT_EQ(ZeiDurchlaufen(p.c_str(), &s, sammeln), 0);
        return codes();
    };
    const std::vector<int> erst{80, 40, 80, 40}, zweit{80, 40, 25, 80, 40, 25};
    for (int cache : {0, 1}) {
        SCOPED_TRACE(cache);
        BauCacheSetzen(cache);
        fs::remove(bib);
        bauteil("A", "M1", {zl(10, 0)});
        const std::string vorher = mtLesen(bib);
        EXPECT_EQ(lauf(), erst);
        EXPECT_EQ(lauf(), erst);

        fs::remove(bib);
        bauteil("A", "M1", {zl(0, 5), rec(25, {4})});
        EXPECT_EQ(lauf(), zweit);
        EXPECT_EQ(lauf(), zweit);

        mtSchreiben(bib, vorher);  // another program puts the old library back
        DATZEIT alt{{120, 5, 17}, 9, 15, 0};
        ASSERT_EQ(dateizeitsetzen(bib.c_str(), &alt), 0);
        DatNeuPruefen(1);
        EXPECT_EQ(lauf(), erst);
    }
    DatWacheZuruecksetzen();
}

TEST_F(Zerlegen, GroupWalkSkipsClaimedGroups)
{
    bauteil("A", "M1", {zl(10, 0), zl(0, 10)});
    BEF mass = rec(96, {1, 1, 1, 0, 0, 0, 0, 0}, {20, 0, 5}, "20");
    std::string p = zeichnung("GRUPPEN.01", {zl(1, 0), zb(80, "M1"), zl(2, 0), mass, zl(3, 0)});
    struct Fall {
        int code, antwort;
        std::vector<int> codes;
    } faelle[] = {
        {-1, 0, {40, 80, 40, 40, 40, 96, 40, 63, 63, 51, 40}},
        {80, 1, {40, 80, 40, 96, 40, 63, 63, 51, 40}},
        {96, 2, {40, 80, 40, 40, 40, 96, 40}},
    };
    for (const Fall& f : faelle) {
        gesehen.clear();
        antwortBei = f.code;
        antwort = f.antwort;
        STT s = anfang();
        ASSERT_EQ(ZeiDurchlaufenGruppen(p.c_str(), &s, sammeln), 0);
        EXPECT_EQ(codes(), f.codes) << f.code;
        EXPECT_EQ(s.x, 36.0) << "the state follows every record";
    }
}

}  // namespace
