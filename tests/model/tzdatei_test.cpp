// Loading drawings into the store and saving the store: byte-exact round
// trips over a fixture, the empty drawing, missing components, merging,
// read-only files, files that are no drawing and failed writes.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "model/zeichnun.h"
#include "tests/model/modelltest.h"
#include "tests/model/tztest.h"
#include "tests/model/edprotokoll.h"

namespace {

struct Datei : TzTest {
    MtOrdner o;
    STT start;
    std::vector<std::string> warnungen;
    static Datei* aktiv;
    void SetUp() override
    {
        TzTest::SetUp();
        start = tzStart();
        aktiv = this;
        KonfHaken h{};
        h.warnung = [](const char* t) { aktiv->warnungen.emplace_back(t); };
        konfHakenSetzen(h);
    }
    // A small drawing with state changes, a line, a long text, a circle and
    // coordinates that only a binary copy keeps.
    void zeichnen()
    {
        STT s = start;
        s.x = 10.125;
        s.y = 20.25;
        BEF l = tzRec(TZ_ZL, {0.25, 0.75});
        ASSERT_GE(TzEinfuegen(&l, &s), 0);
        s.st = 4;
        s.x = 33.5;
        BEF t = tzRec(TZ_TEXT, {}, "Ein Text von mehr als zehn Zeichen");
        ASSERT_GE(TzEinfuegen(&t, &s), 0);
        s.layer = 3;
        s.y = -7.125;
        BEF k = tzRec(BEF_KRE, {2.5, 2.5}, nullptr, {1});
        ASSERT_GE(TzEinfuegen(&k, &s), 0);
    }
    int laden(const std::string& p, int mischen = 0)
    {
        STT aus;
        return TzLaden(p.c_str(), &start, &aus, 1, mischen, 0);
    }
    int speichern(const std::string& p) { return TzSpeichern(p.c_str(), &start, &start, 0); }
};
Datei* Datei::aktiv = nullptr;

TEST_F(Datei, AFixtureLoadsAndSavesByteForByte)
{
    std::string fix = mtFixture("TZRUND.ZEI");
    ASSERT_EQ(laden(fix), 0);
    EXPECT_EQ(TzAnzahl(), 3);
    ASSERT_EQ(speichern(o / "B.ZEI"), 0);
    EXPECT_EQ(mtLesen(o / "B.ZEI"), mtLesen(fix));
    // The same drawing built in the store saves to the same bytes.
    TzLeeren();
    zeichnen();
    ASSERT_EQ(speichern(o / "C.ZEI"), 0);
    EXPECT_EQ(mtLesen(o / "C.ZEI"), mtLesen(fix));
    EXPECT_TRUE(warnungen.empty());
}

TEST_F(Datei, AnEmptyDrawingIsTheElevenByteFile)
{
    ASSERT_EQ(speichern(o / "LEER.ZEI"), 0);
    std::string d = mtLesen(o / "LEER.ZEI");
    ASSERT_EQ(d.size(), 11u);
    EXPECT_EQ(d.substr(0, 4), "zvkZ");
}

TEST_F(Datei, AMissingComponentIsReportedOnceAfterLoading)
{
    STT s = start;
    BEF z = tzRec(TZ_ZB, {}, "FEHLT1");
    TzEinfuegen(&z, &s);
    s.x = 50;
    z = tzRec(TZ_ZB, {}, "FEHLT2");
    TzEinfuegen(&z, &s);
    ASSERT_EQ(speichern(o / "Z.ZEI"), 0);
    TzLeeren();
    EdProtokollHolen().status.clear();
    ASSERT_EQ(laden(o / "Z.ZEI"), 0);
    EXPECT_EQ(TzAnzahl(), 2);
    ASSERT_EQ(EdProtokollHolen().status.size(), 1u);
    EXPECT_EQ(EdProtokollHolen().status[0].rfind("Bauteil fehlt: ", 0), 0u);
    EXPECT_NE(EdProtokollHolen().status[0].find("FEHLT1"), std::string::npos);
}

TEST_F(Datei, MergingSkipsEquipmentReferenceTexts)
{
    STT s = start;
    BEF t = tzRec(TZ_TEXT, {}, "@Y123456");
    TzEinfuegen(&t, &s);
    t = tzRec(TZ_TEXT, {}, "Normal");
    TzEinfuegen(&t, &s);
    ASSERT_EQ(speichern(o / "Y.ZEI"), 0);
    TzLeeren();
    EdProtokollHolen().appNeu.clear();
    ASSERT_EQ(laden(o / "Y.ZEI", 1), 0);
    EXPECT_EQ(texte(), (std::vector<std::string>{"Normal"}));
    EXPECT_EQ(EdProtokollHolen().appNeu.size(), 1u);  // merged objects reach the equipment hook
    TzLeeren();
    ASSERT_EQ(laden(o / "Y.ZEI", 0), 0);
    EXPECT_EQ(texte(), (std::vector<std::string>{"@Y123456", "Normal"}));
    EXPECT_EQ(UndoAnzahl(), 0);  // loading journals nothing
}

TEST_F(Datei, AReadOnlyFileGivesWarning1093)
{
    zeichnen();
    std::string p = o / "R.ZEI";
    mtSchreiben(p, "alt");
    chmod(p.c_str(), 0444);
    EXPECT_EQ(speichern(p), -1);
    ASSERT_EQ(warnungen.size(), 1u);
    EXPECT_EQ(warnungen[0], "Die Zeichnung ist schreibgesch\xFCtzt.");
    EXPECT_EQ(mtLesen(p), "alt");
}

TEST_F(Datei, AFileThatIsNoDrawingLeavesTheStoreAlone)
{
    zeichnen();
    std::string p = o / "KEINE.ZEI";
    mtSchreiben(p, "Das ist keine Zeichnung.");
    EXPECT_EQ(laden(p), -1);
    EXPECT_EQ(laden(o / "FEHLT.ZEI"), -1);
    EXPECT_EQ(TzAnzahl(), 3);
}

TEST_F(Datei, AFailedWriteKeepsTheOldFile)
{
    zeichnen();
    std::string p = o / "W.ZEI";
    ASSERT_EQ(speichern(p), 0);
    std::string alt = mtLesen(p);
    text(100, 100, "neu");
    {
        PlFehlerScope f;
        plFehlerSetzen(PlFehlerArt::Schreiben, 1, true);
        EXPECT_EQ(speichern(p), -1);
    }
    EXPECT_EQ(mtLesen(p), alt);
    EXPECT_EQ(warnungen.size(), 1u);
    EXPECT_EQ(o.anzahl(), 1);  // no temporary file left

    // A real limit on file sizes, in a child process.
    fflush(nullptr);
    pid_t kind = fork();
    if (kind == 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit r{64, 64};
        setrlimit(RLIMIT_FSIZE, &r);
        for (int i = 0; i < 200; ++i) text(10 + i, 10, "ein langer Text zum Fuellen");
        _exit(speichern(p) == -1 ? 0 : 1);
    }
    int status = 0;
    waitpid(kind, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(mtLesen(p), alt);
}

TEST_F(Datei, LoadingPassesHeaderRecordsToTheEditor)
{
    ZeiDatei z;
    std::string p = o / "K.ZEI";
    ASSERT_EQ(ZeiDateiAnlegen(&z, p.c_str()), 0);
    BEF w = tzRec(BEF_ZAT, {}, "Titel");
    ASSERT_GE(ZeiBefSchreiben(&z, &w), 0);
    BEF l = tzRec(TZ_ZL, {1, 1});
    ASSERT_GE(ZeiBefSchreiben(&z, &l), 0);
    ASSERT_EQ(ZeiDateiSchliessen(&z), 0);
    ASSERT_EQ(laden(p), 0);
    EXPECT_EQ(EdProtokollHolen().kopfAnfang, 1);
    EXPECT_EQ(EdProtokollHolen().kopfEnde, 1);
    EXPECT_EQ(EdProtokollHolen().kopf.size(), 1u);
    EXPECT_EQ(TzAnzahl(), 1);
    int id;
    double box[4];
    EXPECT_EQ(TzZeichnenHolen(&id, box), 3);  // everything is repainted
}

}  // namespace
