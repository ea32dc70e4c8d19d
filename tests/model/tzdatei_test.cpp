// Loading drawings into the store and saving the store: byte-exact round
// trips over a fixture, the empty drawing, missing components, merging,
// read-only files, files that are no drawing and failed writes, and a large
// drawing that loads as its objects inserted one by one.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>

#include "config/verzeich.h"
#include "model/bauteil.h"
#include "model/tzint.h"
#include "model/zeichnun.h"
#include "model/zerleg.h"
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

// A drawing of `anzahl` objects in local runs: lines, short and long texts,
// circles, plain and turned component references and relative moves, with
// changes of pen, layer, text size and direction between the runs.
void grossSchreiben(const std::string& pfad, int anzahl)
{
    ZeiDatei z;
    ASSERT_EQ(ZeiDateiAnlegen(&z, pfad.c_str()), 0);
    auto satz = [&](BEF b) { ASSERT_EQ(ZeiBefSchreiben(&z, &b), 0); };
    satz(tzRec(35, {}, "TST"));
    unsigned zufall = 4711;
    for (int i = 0; i < anzahl; ++i) {
        if (i % 40 == 0) {
            zufall = zufall * 1103515245u + 12345u;
            satz(tzRec(21, {5.0 + (zufall >> 8) % 390, 5.0 + (zufall >> 18) % 390}));
            satz(tzRec(25, {}, nullptr, {static_cast<int>(1 + (zufall >> 4) % 9)}));
            satz(tzRec(15, {}, nullptr, {static_cast<int>(1 + (zufall >> 12) % 20)}));
            satz(tzRec(30, {2.5 + (zufall >> 20) % 4}));
            satz(tzRec(12, {}, nullptr, {(i / 40) % 3 == 0 ? 900 : 0}));
        }
        char t[40];
        switch (i % 7) {
        case 0: satz(tzRec(TZ_ZL, {1.5, 0.5})); break;
        case 1:
            std::snprintf(t, sizeof t, "Beschriftung %06d", i);
            satz(tzRec(TZ_TEXT, {}, t));
            break;
        case 2: satz(tzRec(BEF_KRE, {1.25, 1.25}, nullptr, {i % 2})); break;
        case 3: satz(tzRec(TZ_ZB, {}, "M1")); break;
        case 4: satz(tzRec(81, {}, "M1", {450})); break;
        case 5: satz(tzRec(TZ_TEXT, {}, "kurz")); break;
        default: satz(tzRec(TZ_ZL, {-0.75, 2.0})); break;
        }
        if (i % 3 == 0) satz(tzRec(20, {0.5, -0.25}));
    }
    ASSERT_EQ(ZeiDateiSchliessen(&z), 0);
}

std::string sttText(const STT& s)
{
    char t[600];
    std::snprintf(t, sizeof t, "%a %a %a %d %d %a %a %d %d %a %a %d %a %a %d [%s] [%s] %d", s.mass, s.msm, s.msf,
                  s.richtung, s.layer, s.x, s.y, s.st, s.sa, s.sl, s.tg, s.tr, s.tv, s.th, s.ts, s.bd, s.td, s.tiefe);
    return t;
}

// What the store gives back: every object in drawing order (id, record,
// state before and after, extent), the results of area walks, end-point
// walks and nearest-object searches.
std::vector<std::string> tzBild()
{
    std::vector<std::string> bild;
    for (int id = TzNaechstes(-1); id < TZENDE; id = TzNaechstes(id)) {
        BEF b;
        STT vor, nach;
        double box[4];
        if (TzObjHolenGanz(id, &b, &vor, &nach, box) != 0) {
            bild.push_back("unlesbar " + std::to_string(id));
            continue;
        }
        std::string z = std::to_string(id) + " " + std::to_string(b.code) + "/" + std::to_string(b.sub);
        char t[80];
        for (int v : b.iarg) z += " " + std::to_string(v);
        for (double v : b.darg) {
            std::snprintf(t, sizeof t, " %a", v);
            z += t;
        }
        z += " [" + std::string(b.text) + "] " + sttText(vor) + " | " + sttText(nach);
        for (double v : box) {
            std::snprintf(t, sizeof t, " %a", v);
            z += t;
        }
        bild.push_back(z + " mark " + std::to_string(TzMarkHolen(id)));
    }
    const double flaechen[][4] = {{0, 0, 400, 400}, {100, 100, 140, 130}, {250, 20, 251, 21}, {-50, 390, 30, 450}};
    for (const auto& r : flaechen) {
        std::string w = "Fläche";
        TzBereichDurchlaufen(r, [&](int id, const STT*, const BEF*) { w += " " + std::to_string(id); });
        bild.push_back(w);
        for (int art : {TZ_ZL, TZ_TEXT}) {
            std::string p = "Punkte " + std::to_string(art);
            TzBereichPunkte(r, art, [&](int id, double x0, double y0, double x1, double y1) {
                char t[120];
                std::snprintf(t, sizeof t, " %d:%a,%a,%a,%a", id, x0, y0, x1, y1);
                p += t;
            });
            bild.push_back(p);
        }
        std::string l = "Linien";
        TzLinienNahe(r, [&](int id, double, double, double, double) { l += " " + std::to_string(id); });
        bild.push_back(l);
    }
    std::string n = "Nahe";
    for (int i = 0; i < 40; ++i) n += " " + std::to_string(TzSucheNahe(5.0 + i * 9.7, 395.0 - i * 9.3, 0));
    bild.push_back(n);
    return bild;
}

TEST_F(Datei, ALargeDrawingLoadsAsItsObjectsInsertedOneByOne)
{
    // With the fixture component as library "TST": beyond the order entries
    // held in memory over many baskets in memory, and a smaller drawing
    // with every basket in the swap file.
    mtSchreiben(o / "BAUTEILE.TST", mtLesen(mtFixture("BAUTEILE.L6")));
    VerSetzen(1, o.pfad.string().c_str());
    VerSetzen(2, o.pfad.string().c_str());
    BauInit();
    const std::string gross = o / "GROSS.ZEI";
    for (auto [ram, anzahl] : {std::pair{0, 1500}, std::pair{1, RAMSUP + 2500}}) {
        SCOPED_TRACE(ram);
        grossSchreiben(gross, anzahl);
        starten(ram);
        // One by one: each object inserted under the state the records
        // before it made.
        STT z;
        auto einzelnEinfuegen = [&] {
            ZeiDatei d;
            ASSERT_EQ(ZeiDateiLesend(&d, gross.c_str()), 0);
            z = start;
            BEF b;
            while (ZeiBefLesen(&d, &b) == 0) {
                if (BefIstObjekt(b.code)) {
                    ASSERT_GE(TzEinfuegenMitStempel(0, &b, &z), 0);
                }
                BefZerlegen(&b, &z, nullptr);
            }
            ZeiDateiSchliessen(&d);
        };
        einzelnEinfuegen();
        ASSERT_EQ(TzAnzahl(), anzahl);
        const std::vector<std::string> einzeln = tzBild();
        ASSERT_EQ(speichern(o / "EINZELN.ZEI"), 0);

        TzLeeren();
        STT aus;
        ASSERT_EQ(TzLaden(gross.c_str(), &start, &aus, 0, 0, 0), 0);
        // The cells' basket lists are complete when the load returns.
        EXPECT_TRUE(tzZellenStimmen());
        EXPECT_EQ(sttText(aus), sttText(z));
        const std::vector<std::string> geladen = tzBild();
        ASSERT_EQ(geladen.size(), einzeln.size());
        for (size_t i = 0; i < geladen.size(); ++i) ASSERT_EQ(geladen[i], einzeln[i]) << "line " << i;
        EXPECT_TRUE(tzZellenStimmen());
        char fehlt[ZERFEHLSUP + 1];
        FehlBauteilHolen(fehlt, sizeof fehlt);
        EXPECT_STREQ(fehlt, "");
        ASSERT_EQ(speichern(o / "GELADEN.ZEI"), 0);
        EXPECT_EQ(mtLesen(o / "GELADEN.ZEI"), mtLesen(o / "EINZELN.ZEI"));
        // A reload of the saved drawing gives the same store again.
        TzLeeren();
        ASSERT_EQ(TzLaden((o / "GELADEN.ZEI").c_str(), &start, &aus, 0, 0, 0), 0);
        EXPECT_TRUE(tzBild() == einzeln);

        // Loaded again on top, after the walks made the lines' cells and
        // lists: the same as inserting the objects a second time.
        ASSERT_EQ(TzLaden(gross.c_str(), &start, &aus, 0, 0, 0), 0);
        EXPECT_TRUE(tzZellenStimmen());
        const std::vector<std::string> zweimalGeladen = tzBild();
        ASSERT_EQ(speichern(o / "ZWEIMAL.ZEI"), 0);
        TzLeeren();
        einzelnEinfuegen();
        tzBild();
        einzelnEinfuegen();
        ASSERT_EQ(TzAnzahl(), 2 * anzahl);
        const std::vector<std::string> zweimalEinzeln = tzBild();
        ASSERT_EQ(zweimalGeladen.size(), zweimalEinzeln.size());
        for (size_t i = 0; i < zweimalGeladen.size(); ++i)
            ASSERT_EQ(zweimalGeladen[i], zweimalEinzeln[i]) << "line " << i;
        ASSERT_EQ(speichern(o / "ZWEIMAL-EINZELN.ZEI"), 0);
        EXPECT_EQ(mtLesen(o / "ZWEIMAL.ZEI"), mtLesen(o / "ZWEIMAL-EINZELN.ZEI"));
    }
    BauEnde();
    VerSetzen(1, "");
    VerSetzen(2, "");
}

}  // namespace
