// Undo journal scenarios run as command runs with the stand-in editor:
// grouping by generation, proxies of deleted objects, the limit of 18
// undos, dropping undone generations, overflow and the state slots.
#include "model/undo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <tuple>
#include <vector>

#include "tests/model/tztest.h"

namespace {

constexpr int BW = 20;

struct Journal : TzTest {
    // After every scenario the map of object records by name agrees with
    // the journal, record for record.
    void TearDown() override
    {
        EXPECT_EQ(UndoNamenStimmen(), 1);
        TzTest::TearDown();
    }
    // One run that places a text at (x, y) through the queue.
    void textBefehl(double x, double y, const char* t)
    {
        befehle({tzRec(21, {x, y}), tzRec(TZ_TEXT, {}, t)});
    }
    void befehlMitStift(int stift)
    {
        befehle({tzRec(25, {}, nullptr, {stift}), tzRec(TZ_ZL, {0, 5})});
    }
    void punkt(int id, double* x, double* y)
    {
        BEF b;
        STT s;
        ASSERT_EQ(TzObjHolen(id, &b, &s), 0);
        *x = s.x;
        *y = s.y;
    }
};

TEST_F(Journal, InsertAndDeleteInOneCommandLeaveNoRecord)
{
    textBefehl(10, 10, "A");
    uint32_t g = static_cast<uint32_t>(BefGeneration());
    lauf([&] {
        int id = text(20, 20, "B");
        TzLoeschen(id);
    });
    for (int i = 0; i < UndoAnzahl(); ++i) {
        const CHGSATZ* c = UndoSatz(i);
        EXPECT_FALSE(c->generation == g && c->art <= UNDO_DEL) << i;
    }
    EXPECT_EQ(TzAnzahl(), 1);
}

TEST_F(Journal, SeveralChangesOfOneObjectLeaveOneRecord)
{
    textBefehl(10, 10, "A");
    lauf([&] {
        BEF b = tzRec(TZ_TEXT, {}, "A");
        for (double x : {20.0, 30.0, 40.0}) {
            STT s = tzStt(x, 10);
            TzErsetzen(0, &b, &s);
        }
    });
    int chg = 0;
    for (int i = 0; i < UndoAnzahl(); ++i) {
        const CHGSATZ* c = UndoSatz(i);
        if (c->art != UNDO_CHG) continue;
        ++chg;
        EXPECT_EQ(c->altstt.x, 10);
        EXPECT_EQ(c->neustt.x, 40);
    }
    EXPECT_EQ(chg, 1);
    UndoSchritt();
    double x = 0, y = 0;
    punkt(0, &x, &y);
    EXPECT_EQ(x, 10);
    RedoSchritt();
    punkt(0, &x, &y);
    EXPECT_EQ(x, 40);
}

TEST_F(Journal, UndoneDeleteComesBackUnderANewIdAndRedoFindsItThroughItsProxy)
{
    textBefehl(10, 10, "A");  // id 0
    textBefehl(20, 20, "B");  // id 1
    textBefehl(30, 30, "C");  // id 2, stays
    lauf([&] {                // change A
        BEF b = tzRec(TZ_TEXT, {}, "A");
        STT s = tzStt(15, 15);
        TzErsetzen(0, &b, &s);
    });
    lauf([&] {  // delete A, then B: the free list gives 1 first
        TzLoeschen(0);
        TzLoeschen(1);
    });
    ASSERT_EQ(TzAnzahl(), 1);
    UndoSchritt();
    ASSERT_EQ(TzAnzahl(), 3);
    EXPECT_EQ(texte(), (std::vector<std::string>{"C", "A", "B"}));
    BEF b;
    STT s;
    ASSERT_EQ(TzObjHolen(1, &b, &s), 0);
    EXPECT_STREQ(b.text, "A");  // a new id for A
    UndoSchritt();              // the change of A, found by its new id
    double x, y;
    punkt(1, &x, &y);
    EXPECT_EQ(x, 10);
    RedoSchritt();
    punkt(1, &x, &y);
    EXPECT_EQ(x, 15);
    RedoSchritt();
    EXPECT_EQ(texte(), (std::vector<std::string>{"C"}));
    EXPECT_EQ(UndoVerfuegbar(1), 0);
}

TEST_F(Journal, NineteenCommandsAllowEighteenUndos)
{
    for (int i = 0; i < 19; ++i) textBefehl(10 + i, 10, "T");
    ASSERT_EQ(TzAnzahl(), 19);
    for (int i = 0; i < 18; ++i) {
        EXPECT_NE(UndoVerfuegbar(0), 0) << i;
        UndoSchritt();
    }
    EXPECT_EQ(TzAnzahl(), 1);
    EXPECT_EQ(UndoVerfuegbar(0), 0);
    UndoSchritt();
    EXPECT_EQ(TzAnzahl(), 1);
    EXPECT_EQ(UndoPosition(), 18);
    for (int i = 0; i < 18; ++i) RedoSchritt();
    EXPECT_EQ(TzAnzahl(), 19);
}

// Old generations of many records drop out between small ones; the
// generations kept still undo and redo exactly their own objects.
TEST_F(Journal, LargeGenerationsDropOutAndTheRestStillUndo)
{
    std::vector<int> groesse;
    for (int i = 0; i < 25; ++i) {
        const int n = i % 3 == 0 ? 40 : 1 + i % 2;
        std::vector<BEF> v;
        for (int k = 0; k < n; ++k) {
            v.push_back(tzRec(21, {10.0 + k, 10.0 + i}));
            v.push_back(tzRec(TZ_TEXT, {}, "T"));
        }
        befehle(v);
        groesse.push_back(n);
    }
    int alle = 0;
    for (int n : groesse) alle += n;
    ASSERT_EQ(TzAnzahl(), alle);
    int rest = alle;
    for (int i = 0; i < 18; ++i) {
        UndoSchritt();
        rest -= groesse[groesse.size() - 1 - static_cast<size_t>(i)];
        ASSERT_EQ(TzAnzahl(), rest) << i;
    }
    for (int i = 0; i < 18; ++i) RedoSchritt();
    EXPECT_EQ(TzAnzahl(), alle);
}

TEST_F(Journal, ANewChangeAfterUndosDropsRedo)
{
    textBefehl(10, 10, "A");
    textBefehl(20, 10, "B");
    textBefehl(30, 10, "C");
    UndoSchritt();
    EXPECT_NE(UndoVerfuegbar(1), 0);
    textBefehl(40, 10, "D");
    EXPECT_EQ(UndoVerfuegbar(1), 0);
    RedoSchritt();
    EXPECT_EQ(texte(), (std::vector<std::string>{"A", "B", "D"}));
    UndoSchritt();
    EXPECT_EQ(texte(), (std::vector<std::string>{"A", "B"}));
}

TEST_F(Journal, ChangeThenDeleteInOneCommandIsUndoneCompletely)
{
    textBefehl(10, 10, "A");
    textBefehl(20, 10, "B");
    lauf([&] {
        BEF b = tzRec(TZ_TEXT, {}, "A2");
        STT s = tzStt(50, 50);
        TzErsetzen(0, &b, &s);
        TzLoeschen(0);
    });
    EXPECT_EQ(texte(), (std::vector<std::string>{"B"}));
    UndoSchritt();
    ASSERT_EQ(TzAnzahl(), 2);
    int id = TzVorheriges(TZENDE);
    BEF b;
    STT s;
    ASSERT_EQ(TzObjHolen(id, &b, &s), 0);
    EXPECT_STREQ(b.text, "A");
    EXPECT_EQ(s.x, 10);
    RedoSchritt();
    EXPECT_EQ(texte(), (std::vector<std::string>{"B"}));
}

TEST_F(Journal, AFullJournalIsEmptiedAtTheEndOfTheCommand)
{
    textBefehl(10, 10, "A");
    int n = 0;
    lauf([&] {
        while (!UndoUeberlauf() && n < 20000) {
            text(10 + n % 300, 20 + (n / 300) % 300, "x");
            ++n;
        }
        EXPECT_TRUE(UndoUeberlauf());
        EXPECT_GT(UndoAnzahl(), 0);
    });
    EXPECT_EQ(UndoAnzahl(), 0);
    EXPECT_FALSE(UndoUeberlauf());
    EXPECT_EQ(UndoVerfuegbar(0), 0);
    EXPECT_EQ(TzAnzahl(), n + 1);
}

// A journal at its limit drops the oldest generations' records whole
// while the commands go on, also when a continued change has put a record
// of a newer generation among an old one's: the records kept stay in
// their order, and undo and redo still take back and bring back exactly
// each command's objects, as far as its records were kept.
TEST_F(Journal, AFullJournalDropsWholeGenerationsAndKeepsTheOthersInOrder)
{
    struct Eintrag {
        uint32_t art, generation;
        int32_t id;
        bool operator==(const Eintrag&) const = default;
    };
    auto eintraege = [] {
        std::vector<Eintrag> v;
        for (int i = 0; i < UndoAnzahl(); ++i) v.push_back({UndoSatz(i)->art, UndoSatz(i)->generation, UndoSatz(i)->id});
        return v;
    };
    // The objects each command's undo takes back.
    std::vector<int> groesse;
    int fortgesetzt = -1, letztes = -1;
    for (int i = 0; i < 30; ++i) {
        const std::vector<Eintrag> vorher = eintraege();
        const int n = i % 4 == 3 ? 3 : 700;
        groesse.push_back(n);
        lauf([&] {
            // The last text of the command before goes on in this one:
            // its record, now of this generation, lies among that one's.
            if (i % 5 == 4) {
                fortgesetzt = letztes;
                BEF b = tzRec(TZ_TEXT, {}, "weiter");
                STT s = tzStt(5, 5);
                ASSERT_EQ(TzFortsetzen(fortgesetzt, &b, &s), 0);
                --groesse[groesse.size() - 2];
                ++groesse.back();
            }
            for (int k = 0; k < n; ++k) letztes = text(10 + k % 350, 10 + i * 12 + k / 350, "x");
        });
        ASSERT_FALSE(UndoUeberlauf()) << i;
        // The records of before whose generation still has records come
        // first, all of them and in their order; this command's follow.
        const std::vector<Eintrag> nachher = eintraege();
        std::set<uint32_t> gens;
        for (const Eintrag& e : nachher) gens.insert(e.generation);
        std::vector<Eintrag> bleibt;
        for (const Eintrag& e : vorher)
            if (e.id == fortgesetzt && i % 5 == 4)
                bleibt.push_back({e.art, nachher.back().generation, e.id});
            else if (gens.count(e.generation))
                bleibt.push_back(e);
        ASSERT_GE(nachher.size(), bleibt.size()) << i;
        EXPECT_TRUE(std::equal(bleibt.begin(), bleibt.end(), nachher.begin())) << i;
    }
    ASSERT_LT(UndoAnzahl(), 30 * 700);  // the limit was reached
    const int alle = TzAnzahl();
    // Undo as far as the journal reaches: each step takes back one
    // command's objects until the first command whose records were
    // dropped, and nothing from there on.
    std::vector<int> stand{alle};
    while (UndoVerfuegbar(0) != 0) {
        UndoSchritt();
        stand.push_back(TzAnzahl());
    }
    ASSERT_EQ(stand.size(), 19u);
    size_t k = 1;
    for (; k < stand.size() && stand[k] != stand[k - 1]; ++k)
        EXPECT_EQ(stand[k - 1] - stand[k], groesse[groesse.size() - k]) << k;
    EXPECT_GT(k, 10u);
    for (; k < stand.size(); ++k) EXPECT_EQ(stand[k], stand[k - 1]) << k;
    for (k = 1; k < stand.size(); ++k) RedoSchritt();
    EXPECT_EQ(TzAnzahl(), alle);
    EXPECT_EQ(texte().size(), static_cast<size_t>(alle));
}

TEST_F(Journal, GraphicStateSlotsComeBackWithUndoAndRedo)
{
    befehlMitStift(5);
    befehlMitStift(7);
    EXPECT_EQ(EditorZustand()->st, 7);
    UndoSchritt();
    EXPECT_EQ(EditorZustand()->st, 5);
    RedoSchritt();
    EXPECT_EQ(EditorZustand()->st, 7);
}

TEST_F(Journal, AContinuedChangeMovesItsRecordToTheCurrentGeneration)
{
    textBefehl(10, 10, "vorher");
    textBefehl(20, 20, "A");
    int stempel = TzStempel(1);
    lauf([&] {
        BEF b = tzRec(TZ_TEXT, {}, "A weiter");
        STT s = tzStt(20, 20);
        ASSERT_EQ(TzFortsetzen(1, &b, &s), 0);
    });
    EXPECT_EQ(TzStempel(1), stempel);  // the stamp stays
    const CHGSATZ* c = UndoSatz(UndoAnzahl() - 1);
    int ins = 0;
    for (int i = 0; i < UndoAnzahl(); ++i) {
        c = UndoSatz(i);
        if (c->art == UNDO_INS && c->id == 1) {
            ++ins;
            EXPECT_NE(c->generation, static_cast<uint32_t>(stempel));
            EXPECT_STREQ(c->neubef.text, "A weiter");
        }
    }
    EXPECT_EQ(ins, 1);
    UndoSchritt();  // the insert now belongs to the later command
    EXPECT_EQ(texte(), (std::vector<std::string>{"vorher"}));
    RedoSchritt();
    EXPECT_EQ(texte(), (std::vector<std::string>{"vorher", "A weiter"}));
}

}  // namespace

// A large command in a nearly full journal, undone and redone twice: every
// object comes back with its values and in its place, the others stay,
// and each record names its object, by proxy while the object is away.
struct Objekt {
    std::string text;
    double x, y;
    bool operator==(const Objekt&) const = default;
};

// The objects in the store's order (sorted: objects an undo brings back
// come last, under new ids).
std::vector<Objekt> objektStand(bool sortiert = false)
{
    std::vector<Objekt> v;
    for (int id = TzNaechstes(-1); id < TZENDE; id = TzNaechstes(id)) {
        BEF b;
        STT s;
        TzObjHolen(id, &b, &s);
        v.push_back({b.text, s.x, s.y});
    }
    if (sortiert)
        std::sort(v.begin(), v.end(), [](const Objekt& a, const Objekt& b) {
            return std::tie(a.text, a.x, a.y) < std::tie(b.text, b.x, b.y);
        });
    return v;
}

TEST_F(Journal, ALargeCommandUndoneAndRedoneComesBackExactly)
{
    auto stand = [] { return objektStand(); };
    for (int befehl = 0; befehl < 2; ++befehl)
        lauf([&] {
            for (int k = 0; k < 1500; ++k) text(10 + k % 300, 10 + befehl * 10 + k / 300, "alt");
        });
    const std::vector<Objekt> vorher = stand();
    lauf([&] {
        BEF b = tzRec(TZ_TEXT, {}, "alt");
        STT s = tzStt(500, 500);
        ASSERT_EQ(TzErsetzen(7, &b, &s), 0);
        for (int k = 0; k < 5000; ++k) {
            const std::string t = "T" + std::to_string(k);
            text(10 + k % 250, 50 + k / 250, t.c_str());
        }
    });
    ASSERT_FALSE(UndoUeberlauf());
    ASSERT_GT(UndoAnzahl(), 8000);
    const auto g = static_cast<uint32_t>(UndoVerfuegbar(0));  // the large command's
    const std::vector<Objekt> nachher = stand();
    ASSERT_EQ(nachher.size(), vorher.size() + 5000);
    for (int runde = 0; runde < 2; ++runde) {
        SCOPED_TRACE(runde);
        UndoSchritt();
        EXPECT_TRUE(stand() == vorher);
        std::set<uint32_t> proxies;
        for (int i = 0; i < UndoAnzahl(); ++i) {
            const CHGSATZ* c = UndoSatz(i);
            if (c->generation != g || c->art != UNDO_INS) continue;
            EXPECT_EQ(c->id, 0) << i;
            proxies.insert(c->stellvertreter);
        }
        EXPECT_EQ(proxies.size(), 5000u);
        EXPECT_EQ(proxies.count(0), 0u);
        RedoSchritt();
        EXPECT_TRUE(stand() == nachher);
        int ins = 0;
        for (int i = 0; i < UndoAnzahl(); ++i) {
            const CHGSATZ* c = UndoSatz(i);
            ASSERT_EQ(c->stellvertreter, 0u) << i;
            if (c->generation != g || c->art > UNDO_DEL) continue;
            BEF b;
            STT s;
            ASSERT_EQ(TzObjHolen(c->id, &b, &s), 0) << i;
            EXPECT_STREQ(b.text, c->neubef.text) << i;
            EXPECT_EQ(s.x, c->neustt.x) << i;
            EXPECT_EQ(s.y, c->neustt.y) << i;
            ins += c->art == UNDO_INS;
        }
        EXPECT_EQ(ins, 5000);
        EXPECT_EQ(UndoNamenStimmen(), 1);
    }
}

// A command that moves half of 3000 objects and deletes the other half (with
// an insert and a change undone within it), in a nearly full journal: undo
// gives back exactly the drawing before, redo the one after, twice.
TEST_F(Journal, ALargeMoveAndDeleteAreUndoneAndRedoneExactly)
{
    std::vector<int> ids;
    lauf([&] {
        for (int k = 0; k < 3000; ++k) {
            const std::string t = "T" + std::to_string(k);
            ids.push_back(text(10 + k % 300, 10 + k / 300, t.c_str()));
        }
    });
    lauf([&] {
        for (int k = 0; k < 1000; ++k) text(10 + k % 300, 100 + k / 300, "alt");
    });
    const std::vector<Objekt> vorher = objektStand(true);
    lauf([&] {
        for (size_t k = 0; k < ids.size(); ++k) {
            if (k % 2 == 1) {
                TzLoeschen(ids[k]);
                continue;
            }
            const std::string t = "T" + std::to_string(k);
            BEF b = tzRec(TZ_TEXT, {}, t.c_str());
            STT s = tzStt(11 + k % 300, 10 + k / 300);
            ASSERT_EQ(TzErsetzen(ids[k], &b, &s), 0);
        }
        TzLoeschen(text(5, 5, "kurz"));  // inserted and deleted: no trace
        TzLoeschen(ids[0]);              // moved, then deleted
    });
    ASSERT_FALSE(UndoUeberlauf());
    ASSERT_GT(UndoAnzahl(), 7000);
    const std::vector<Objekt> nachher = objektStand(true);
    ASSERT_EQ(nachher.size(), vorher.size() - 1501);
    for (int runde = 0; runde < 2; ++runde) {
        SCOPED_TRACE(runde);
        UndoSchritt();
        EXPECT_TRUE(objektStand(true) == vorher);
        RedoSchritt();
        EXPECT_TRUE(objektStand(true) == nachher);
    }
}
