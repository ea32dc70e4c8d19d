// Element clipboard and picture export on the real store, clipboard and
// writers.
#include "editor/elclip.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "config/reaktion.h"
#include "config/verzeich.h"
#include "editor/edmeld.h"
#include "model/bauteil.h"
#include "model/zeichnun.h"
#include "model/einstell.h"
#include "output/ansicht.h"
#include "output/bilder.h"
#include "output/clip.h"
#include "platform/rasterbib.h"
#include "tests/editor/baubib.h"
#include "tests/editor/bautest.h"
#include "tests/editor/edtest.h"
#include "tests/model/edprotokoll.h"

namespace {

namespace fs = std::filesystem;

struct ElClipTest : BauTest {
    EdOrdner o;
    void SetUp() override
    {
        BauTest::SetUp();
        EdMeldHakenSetzen();
        ClipFormateAnmelden();
        rasterbibLaden();
        StatusHinweis("");
    }
    void TearDown() override
    {
        rasterbibFreigeben();
        BauTest::TearDown();
    }
    std::string lies(const std::string& p)
    {
        std::ifstream f(p, std::ios::binary);
        std::stringstream s;
        s << f.rdbuf();
        return s.str();
    }
    // The positions of the objects in drawing order.
    std::vector<std::pair<double, double>> orte()
    {
        std::vector<std::pair<double, double>> v;
        for (int id = TzNaechstes(-1); id < TZENDE; id = TzNaechstes(id)) {
            BEF b;
            STT s;
            TzObjHolen(id, &b, &s);
            v.push_back({s.x, s.y});
        }
        return v;
    }
};

TEST_F(ElClipTest, ExportKindFollowsTheExtensionIgnoringCase)
{
    struct Fall {
        const char* pfad;
        int art;
    } faelle[] = {
        {"a.zvk", 1}, {"a.TXT", 2}, {"a.wmf", 3}, {"a/b.PNG", 4}, {"a.bmp", 5},
        {"a.Emf", 6}, {"x.jpg", 7}, {"a.jpeg", 0}, {"a.gif", 0}, {"ohne", 0}, {"ord.png/datei", 0},
    };
    for (const Fall& f : faelle) EXPECT_EQ(ExportArt(f.pfad), f.art) << f.pfad;
}

TEST_F(ElClipTest, PixelSizesAreTruncatedAndClipboardBitmapsShrinkToTwoThousand)
{
    EXPECT_EQ(BildPixel(100, 254), 1000);
    EXPECT_EQ(BildPixel(10, 90), 35);  // 35.43 truncated
    struct Fall {
        int b, h, eb, eh;
    } faelle[] = {{3000, 1500, 2000, 1000}, {1500, 3001, 999, 2000}, {2000, 10, 2000, 10}, {10, 20, 10, 20}};
    for (const Fall& f : faelle) {
        int b = f.b, h = f.h;
        BildClipGroesse(&b, &h);
        EXPECT_EQ(b, f.eb);
        EXPECT_EQ(h, f.eh);
    }
}

TEST_F(ElClipTest, TextFormReadsBackAsTheSameDrawing)
{
    linie(10, 20, 5, 0);
    text(30, 40, "Hallo");
    const std::string txt = o.pfad("z.txt"), zei = o.pfad("z.001");
    ASSERT_EQ(ZeiTextSchreiben(txt.c_str(), 0), 0);
    std::string t = lies(txt);
    EXPECT_EQ(t.rfind("VER 10", 0), 0u) << t;
    ASSERT_GE(ZeiAusText(zei.c_str(), txt.c_str()), 0);
    TzLeeren();
    STT s = tzStart();
    STT aus;
    ASSERT_EQ(TzLaden(zei.c_str(), &s, &aus, 0, 0, 0), 0);
    EXPECT_EQ(orte(), (std::vector<std::pair<double, double>>{{10, 20}, {30, 40}}));
}

TEST_F(ElClipTest, WritersReportFailuresAndLeaveNoFile)
{
    linie(10, 20, 5, 0);
    struct Fall {
        const char* name;
        PlFehlerArt art;
        int (*schreibe)(const char*);
        const char* datei;
        bool text1230;
    } faelle[] = {
        {"drawing, create", PlFehlerArt::Oeffnen, [](const char* p) { return ZeiDateiSchreiben(p, 0, 0, 0); }, "a.zvk", false},
        {"drawing, write", PlFehlerArt::Schreiben, [](const char* p) { return ZeiDateiSchreiben(p, 0, 0, 0); }, "b.zvk", false},
        {"drawing, rename", PlFehlerArt::Umbenennen, [](const char* p) { return ZeiDateiSchreiben(p, 0, 0, 0); }, "c.zvk", false},
        {"text, create", PlFehlerArt::Oeffnen, [](const char* p) { return ZeiTextSchreiben(p, 0); }, "d.txt", true},
        {"text, write", PlFehlerArt::Schreiben, [](const char* p) { return ZeiTextSchreiben(p, 0); }, "e.txt", true},
        {"png, write", PlFehlerArt::Schreiben, [](const char* p) { return BildExport(EXP_PNG, p, 0, 0, 10, 0); }, "f.png", false},
        {"clipboard text, create", PlFehlerArt::Oeffnen, [](const char* p) { return TextInDatei(p); }, "g.txt", false},
    };
    ClipTextSetzen("eins\r\nzwei\r\n");
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        StatusHinweis("");
        const std::string p = o.pfad(f.datei);
        {
            PlFehlerScope fs;
            plFehlerSetzen(f.art, 1, true);
            EXPECT_EQ(f.schreibe(p.c_str()), -1);
        }
        EXPECT_FALSE(fs::exists(p));
        if (f.text1230) EXPECT_STREQ(StatusLetzterText(), TextNr(230 + 1000));
        else EXPECT_EQ(std::string(StatusLetzterText()), "Schreibfehler: " + p);
    }
    EXPECT_EQ(fs::directory_iterator(o.p) == fs::directory_iterator(), true) << "no temporary file left";
}

TEST_F(ElClipTest, ClipboardTextGoesToAFileWithoutReferenceLines)
{
    std::string lang(350, 'x');
    ClipTextSetzen(("eins\r\nzwei @Y0001\r\n" + lang + "\ndrei").c_str());
    const std::string p = o.pfad("t.txt");
    ASSERT_EQ(TextInDatei(p.c_str()), 0);
    EXPECT_EQ(lies(p), "eins\r\n" + std::string(300, 'x') + "\r\ndrei\r\n");
}

TEST_F(ElClipTest, PicturesReadBackAtTheirPixelSize)
{
    linie(0, 0, 100, 50);
    TzMarkSetzen(TzNaechstes(-1), 1);
    // Marked: the extent (0..100 x 0..50) grown by the margin of 5.
    struct Fall {
        int art;
        const char* datei;
    } faelle[] = {{EXP_PNG, "b.png"}, {EXP_BMP, "b.bmp"}, {EXP_JPG, "b.jpg"}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.datei);
        const std::string p = o.pfad(f.datei);
        ASSERT_EQ(BildExport(f.art, p.c_str(), 1, 0, 254, 5), 0);
        imginfo i;
        int e = f.art == EXP_PNG ? pnginfo(p.c_str(), &i) : f.art == EXP_BMP ? bmpinfo(p.c_str(), &i) : jpeginfo(p.c_str(), &i);
        ASSERT_EQ(e, 0);
        EXPECT_EQ(i.width, 1100);
        EXPECT_EQ(i.height, 600);
    }
    double b, h;
    const std::string emf = o.pfad("b.emf"), wmf = o.pfad("b.wmf");
    ASSERT_EQ(BildExport(EXP_EMF, emf.c_str(), 1, 0, 254, 5), 0);
    ASSERT_EQ(EmfGroesse(emf.c_str(), &b, &h), 0);
    EXPECT_NEAR(b, 110, 1);
    EXPECT_NEAR(h, 60, 1);
    ASSERT_EQ(BildExport(EXP_WMF, wmf.c_str(), 1, 0, 254, 5), 0);
    ASSERT_EQ(WmfGroesse(wmf.c_str(), &b, &h), 0);
    EXPECT_NEAR(b, 110, 0.5);
    EXPECT_NEAR(h, 60, 0.5);
    // Nothing marked, nothing asked: no export.
    TzMarkSetzen(TzNaechstes(-1), 0);
    EXPECT_EQ(BildExport(EXP_PNG, o.pfad("n.png").c_str(), 1, 0, 254, 5), -1);
    EXPECT_FALSE(fs::exists(o.pfad("n.png")));
}

// With nothing marked the picture is the sheet: the frame of the view
// defaults when it has one, else the editor's sheet, else an upright A4.
TEST_F(ElClipTest, TheWholeDrawingExportsTheSheet)
{
    linie(0, 0, 100, 50);
    VIEINST* v = ViEinst();
    const VIEINST alt = *v;
    double ansicht[4];
    AnsichtRandHolen(ansicht);
    struct Fall {
        const char* name;
        double rahmen[4], blatt[4];
        int breite, hoehe;
    } faelle[] = {
        {"shipped defaults, no sheet", {0, 0, 0, 0}, {0, 0, 0, 0}, 210, 297},
        {"shipped defaults, an A3 sheet", {0, 0, 0, 0}, {0, 0, 420, 297}, 420, 297},
        {"a frame in the defaults", {10, 20, 110, 70}, {0, 0, 420, 297}, 100, 50},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        v->flux = f.rahmen[0], v->fluy = f.rahmen[1], v->frox = f.rahmen[2], v->froy = f.rahmen[3];
        AnsichtWeltSetzen(f.blatt[0], f.blatt[1], f.blatt[2], f.blatt[3]);
        const std::string p = o.pfad("blatt.png");
        fs::remove(p);
        ASSERT_EQ(BildExport(EXP_PNG, p.c_str(), 0, 0, 50, 0), 0);
        imginfo i;
        ASSERT_EQ(pnginfo(p.c_str(), &i), 0);
        EXPECT_EQ(i.width, BildPixel(f.breite, 50));
        EXPECT_EQ(i.height, BildPixel(f.hoehe, 50));
    }
    *v = alt;
    AnsichtWeltSetzen(ansicht[0], ansicht[1], ansicht[2], ansicht[3]);
}

TEST_F(ElClipTest, CopiedAtPPastedAtQKeepsTheOffsets)
{
    int a = linie(10, 20, 5, 0);
    int b = text(13, 24, "T");
    linie(100, 100, 1, 1);  // not marked
    TzMarkSetzen(a, 1);
    TzMarkSetzen(b, 1);
    position(10, 10);
    ElKopieren(0, nullptr, 0);
    char text[CLIP_STATUS_TEXTSUP];
    double x, y;
    ASSERT_EQ(ClipStatusHolen(text, &x, &y), 1);
    EXPECT_EQ(x, 10);
    TzLeeren();
    position(50, 60);
    ElEinfuegen(0, nullptr);
    EXPECT_EQ(orte(), (std::vector<std::pair<double, double>>{{50, 70}, {53, 74}})) << StatusLetzterText();

    // The text form and the bitmap travel too.
    char t[200];
    ClipTextHolen(t, 199);
    EXPECT_NE(std::string(t).find("ZL"), std::string::npos);
}

TEST_F(ElClipTest, AComponentAlreadyPlacedIsSkippedAndItsReferencesVanish)
{
    // Transfer file: the equipment block of item 7, the component, a text
    // holding only a reference to item 7, a text with a reference to item 8
    // and more.
    const std::string p = o.pfad("t.zvk");
    ZeiDatei z;
    ASSERT_EQ(ZeiDateiAnlegen(&z, p.c_str()), 0);
    std::vector<BEF> saetze = {
        tzRec(78, {0, 0}, "item", {0, 7, 0}),
        tzRec(78, {0, 0}, "M1", {9, 0}),
        tzRec(TZ_ZB, {}, "M1"),
        tzRec(20, {5, 0}),
        tzRec(TZ_TEXT, {}, "@Y0007K"),
        tzRec(20, {5, 0}),
        tzRec(TZ_TEXT, {}, "A @Y0008K B"),
    };
    for (const BEF& b : saetze) ASSERT_GE(ZeiBefSchreiben(&z, &b), 0);
    ASSERT_EQ(ZeiDateiSchliessen(&z), 0);
    EdHaken h{};
    h.BtlPosVorhanden = [](const BEF* b, const STT*) { return std::strcmp(b->text, "M1") == 0 ? 1 : 0; };
    EdHakenSetzen(h);
    position(100, 100);
    ElEinfuegen(1, p.c_str());
    EXPECT_EQ(texte(), std::vector<std::string>{"A @Y0008K B"});
    EXPECT_EQ(orte(), (std::vector<std::pair<double, double>>{{110, 100}}));
    char erwartet[200];
    std::snprintf(erwartet, sizeof erwartet, TextNr(86 + 1000), "M1", 100.0, 100.0);
    EXPECT_EQ(EdProtokollHolen().status.empty() ? std::string(StatusLetzterText()) : EdProtokollHolen().status.back(),
              erwartet);
}

TEST_F(ElClipTest, AMalformedBlockLeavesTheDrawingUnchanged)
{
    linie(0, 0, 5, 0);
    // A block that claims 100 bytes but holds 10.
    char block[14] = {100, 0, 0, 0};
    ASSERT_TRUE(ClipStatusBeginnen("x", 0, 0));
    EXPECT_FALSE(ClipZeichnungDazu(block, sizeof block));
    ClipSchliessen();
    ElEinfuegen(0, nullptr);
    EXPECT_EQ(TzAnzahl(), 1);
    EXPECT_STREQ(StatusLetzterText(), "Kann Zwischenablage nicht lesen");
}

}  // namespace

namespace {

// A pasted component is placed as a new one: a contact reaching from its
// insertion point 10 down cuts its gap out of the line it sits on.
TEST_F(ElClipTest, APastedComponentCutsItsGapIntoTheLineItSitsOn)
{
    bauBibMitBauteil(o, "K", "VER 10\r\nZL 0,0000 -10,0000\r\nZA4\r\n");
    if (HasFatalFailure()) return;
    std::snprintf(BefAktZustand()->bd, sizeof BefAktZustand()->bd, "TST");

    const std::string t = o.pfad("t.zvk");
    ZeiDatei z;
    ASSERT_EQ(ZeiDateiAnlegen(&z, t.c_str()), 0);
    const BEF k = tzRec(TZ_ZB, {}, "K");
    ASSERT_GE(ZeiBefSchreiben(&z, &k), 0);
    ASSERT_EQ(ZeiDateiSchliessen(&z), 0);

    linie(50, 100, 0, -40);
    position(50, 90);
    ElEinfuegen(1, t.c_str());
    std::vector<std::string> v;
    for (int id = TzNaechstes(-1); id < TZENDE; id = TzNaechstes(id)) {
        BEF b;
        STT s;
        TzObjHolen(id, &b, &s);
        char zeile[80];
        std::snprintf(zeile, sizeof zeile, "%s %g %g %g %g", BefName(b.code), s.x, s.y, b.darg[0], b.darg[1]);
        v.push_back(zeile);
    }
    std::sort(v.begin(), v.end());
    EXPECT_EQ(v, (std::vector<std::string>{"ZB 50 90 0 0", "ZL 50 100 0 -10", "ZL 50 80 0 -20"}));
    BauEnde();
}

}  // namespace

namespace {

// The paste's tables are bounded: of 2001 reference texts to a handled
// item the last finds no room and keeps its reference; of 101 handled items
// the last is not remembered, so its text keeps its reference too.
TEST_F(ElClipTest, The2001stEntryAndThe101stItemAreDropped)
{
    struct Fall {
        const char* name;
        int geraete, texte;
        std::vector<std::string> bleiben;
    } faelle[] = {
        {"2001 texts", 1, 2001, {"@Y0001K"}},
        {"101 items", 101, 1, {"@Y0065K"}},
    };
    EdHaken h{};
    h.BtlPosVorhanden = [](const BEF*, const STT*) { return 1; };
    EdHakenSetzen(h);
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        TzLeeren();
        const std::string p = o.pfad("t.zvk");
        ZeiDatei z;
        ASSERT_EQ(ZeiDateiAnlegen(&z, p.c_str()), 0);
        for (int g = 1; g <= f.geraete; ++g) {
            const BEF bmc = tzRec(78, {0, 0}, "item", {0, g, 0});
            const BEF zu = tzRec(78, {0, 0}, "M1", {9, 0});
            const BEF zb = tzRec(TZ_ZB, {}, "M1");
            for (const BEF* b : {&bmc, &zu, &zb}) ASSERT_GE(ZeiBefSchreiben(&z, b), 0);
        }
        char t[20];
        std::snprintf(t, sizeof t, "@Y%04XK", f.geraete);
        const BEF text = tzRec(TZ_TEXT, {}, t);
        for (int k = 0; k < f.texte; ++k) ASSERT_GE(ZeiBefSchreiben(&z, &text), 0);
        if (f.geraete > 1) {
            // One text for each earlier item: those references vanish.
            for (int g = 1; g < f.geraete; ++g) {
                std::snprintf(t, sizeof t, "@Y%04XK", g);
                const BEF frueher = tzRec(TZ_TEXT, {}, t);
                ASSERT_GE(ZeiBefSchreiben(&z, &frueher), 0);
            }
        }
        ASSERT_EQ(ZeiDateiSchliessen(&z), 0);
        position(0, 0);
        ElEinfuegen(1, p.c_str());
        EXPECT_EQ(texte(), f.bleiben);
    }
}

}  // namespace
