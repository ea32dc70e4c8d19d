// Macros on the real store and queue: the evaluator, the interpreter on a
// recording immediate execution, the recorder and its replay, nested CALLs,
// the clipboard macro and the component definition with its refusals.
#include "editor/macro.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "config/verzeich.h"
#include "editor/befausf.h"
#include "editor/edmeld.h"
#include "model/bauteil.h"
#include "output/clip.h"
#include "platform/fehlersim.h"
#include "platform/nachricht.h"
#include "platform/zwischenablage.h"
#include "tests/editor/edtest.h"
#include "tests/model/tztest.h"

namespace {

constexpr int BW = 20;  // relative move

std::vector<std::string> gelaufen;  // what the macros ran, in text form

void sofortMerken(const BEF* b) { gelaufen.push_back(BefZuText(b)); }

std::string alsText(const char* zeile)
{
    BEF b;
    EXPECT_EQ(TextZuBef(&b, zeile), 0) << zeile;
    return BefZuText(&b);
}

struct Makro : TzTest {
    EdOrdner o;
    void SetUp() override
    {
        TzTest::SetUp();
        // The fixture library of the model tests as library "TST" here.
        std::filesystem::copy_file(std::string(VELMO_TEST_DATA) + "/model/BAUTEILE.L6", o.pfad("BAUTEILE.TST"));
        VerSetzen(1, o.p.c_str());
        VerSetzen(2, o.p.c_str());
        BauInit();
        STT s = tzStart();
        std::snprintf(s.bd, sizeof s.bd, "TST");
        BefAusfInit();
        *BefAktZustand() = s;
        EditorZustandSetzen(&s);
        BefAusfHakenSetzen();
        MakroHakenSetzen();
        EdMeldHakenSetzen();
        gelaufen.clear();
        MakroSofortSetzen(sofortMerken);
        for (int i = 0; i < MAKROVARSUP; ++i) MakroVariableSetzen(i, 0);
    }
    void TearDown() override
    {
        MakroSofortSetzen(nullptr);
        BauDefAbbrechen();
        MakroAufnahmeVerwerfen();
        BauEnde();
        TzTest::TearDown();
    }
    std::string datei(const char* name, const std::string& inhalt)
    {
        std::ofstream(o.pfad(name), std::ios::binary) << inhalt;
        return o.pfad(name);
    }
};

TEST_F(Makro, Evaluator)
{
    MakroVariableSetzen(1, 2.0001);
    struct Fall {
        const char* ausdruck;
        double wert;
    } faelle[] = {
        {"1+2*3", 7},        {"(1+2)*3", 9},     {"7-2-1", 4},      {"8/2/2", 2},      {"2*3+1", 7},
        {"1+2=3", 1},        {"1=1&0", 0},       {"0|1", 1},        {"0|0", 0},        {"3<4", 1},
        {"3>4", 0},          {"4\xF2" "4", 1},  {"5\xF3" "4", 0},  {"!0", 1},         {"!5", 0},
        {"-3+1", -2},        {"5/0", 0},         {"$1=2", 0},       {"$1>2", 1},       {"$7", 0},
        {"RN5(0.12)", 0.1},  {"RND(2.6)", 3},    {"ABS(-4)", 4},    {"SIN(90)", 1},    {"ATN(1)", 45},
        {"1 + 2", 1},        {"[1 + 2]", 3},     {"{2*(1+1)}", 4},  {"$Q", 0},
    };
    for (const Fall& f : faelle) EXPECT_NEAR(MakroAusdruck(f.ausdruck), f.wert, 1e-6) << f.ausdruck;
}

TEST_F(Makro, InterpreterRunsConditionsLoopsAndCommandLines)
{
    const std::string p = datei("probe.mac",
                                "// comment line\n"
                                "$1 = 2\n"
                                "IF $1=2\n"
                                "ZL 1 0\n"
                                "ELSE\n"
                                "ZL 2 0\n"
                                "END\n"
                                "$1 = 2.0001\n"
                                "IF $1=2\n"
                                "ZL 3 0\n"
                                "END\n"
                                "FOR $2 = 3 TO 1 STEP -1\n"
                                "ZL $2 0\n"
                                "END\n"
                                "FOR $3 = 1 TO 3\n"
                                "ZL 0 $3  // a trailing comment\n"
                                "END\n"
                                "$4 = 0\n"
                                "WHILE $4<2\n"
                                "ZL 9 9\n"
                                "$4 = $4+1\n"
                                "END\n"
                                "ZL 1,5 0\n"
                                "TFA \"1,5\"\n"
                                "CALL fehlt.mac\n"
                                "NIX 1 2\n"
                                "ZL [$4 * 2] 7\n");  // a bracketed value stays bracketed
    ASSERT_EQ(MakroDateiAusfuehren(p.c_str(), 0), 0);
    const std::vector<std::string> soll = {
        alsText("ZL 1 0"), alsText("ZL 3 0"), alsText("ZL 2 0"), alsText("ZL 1 0"), alsText("ZL 0 1"), alsText("ZL 0 2"),
        alsText("ZL 0 3"), alsText("ZL 9 9"), alsText("ZL 9 9"), alsText("ZL 1.5 0"), alsText("TFA \"1,5\""), alsText("ZL [4] 7"),
    };
    EXPECT_EQ(gelaufen, soll);
    EXPECT_EQ(MakroDateiAusfuehren(o.pfad("fehlt.mac").c_str(), 0), -1);
}

TEST_F(Makro, LongLinesAreCutAt78Characters)
{
    // The rest of a long line is dropped, not read as a line of its own.
    const std::string p = datei("lang.mac", "ZL 1 0 " + std::string(90, ' ') + "ZL 5 5\nZL 2 0\n");
    MakroDateiAusfuehren(p.c_str(), 0);
    EXPECT_EQ(gelaufen, (std::vector<std::string>{alsText("ZL 1 0"), alsText("ZL 2 0")}));
}

TEST_F(Makro, AFilteredLineIsTakenWholeInCalledFilesToo)
{
    // The filter may make a line far longer than a line read.
    datei("innen.mac", "ZL % 2\n");
    std::ofstream(MakroPfad("gefiltert"), std::ios::binary) << "ZL % 1\nCALL " << o.pfad("innen.mac") << "\n";
    MakroStartenGefiltert("gefiltert", 0, [](const char* z) {
        std::string s = z;
        const size_t p = s.find('%');
        if (p != std::string::npos) s.replace(p, 1, std::string(100, ' ') + "7");
        return s;
    });
    EXPECT_EQ(gelaufen, (std::vector<std::string>{alsText("ZL 7 1"), alsText("ZL 7 2")}));
    gelaufen.clear();
    MakroStarten("gefiltert", 0);
    EXPECT_EQ(std::count(gelaufen.begin(), gelaufen.end(), alsText("ZL 7 1")), 0) << "no filter once the run ended";
}

TEST_F(Makro, ASelfCallingMacroStopsAtDepth16)
{
    const std::string p = o.pfad("selbst.mac");
    datei("selbst.mac", "ZL 1 0\nCALL " + p + "\n");
    MakroDateiAusfuehren(p.c_str(), 0);
    EXPECT_EQ(gelaufen.size(), static_cast<size_t>(MAKROTIEFESUP));
    EXPECT_NE(std::string(StatusLetzterText()).find("16"), std::string::npos) << StatusLetzterText();
}

TEST_F(Makro, RecorderSumsMovesAndFlushesThemBeforeScaleChanges)
{
    MakroAufnahmeStart("aufnahme");
    ASSERT_TRUE(MakroNimmtAuf());
    const std::vector<BEF> satz = {
        tzRec(BW, {1, 0}), tzRec(BW, {2, 3}), tzRec(25, {}, nullptr, {2}),  // ST does not flush
        tzRec(BefCode("MS"), {2}),                                           // MS does
        tzRec(BW, {1, 1}), tzRec(BW, {-1, -1}),                              // sums to nothing
        tzRec(TZ_ZL, {5, 0}), tzRec(BW, {4, 0}),
    };
    for (const BEF& b : satz) MakroAufnehmen(&b);
    MakroAufnahmeEnde();
    std::ifstream ein(MakroPfad("aufnahme"), std::ios::binary);
    const std::string inhalt((std::istreambuf_iterator<char>(ein)), std::istreambuf_iterator<char>());
    std::string soll = alsText("VER 10") + "\n" + alsText("ST 2") + "\n" + alsText("BW 3 3") + "\n" + alsText("MS 2") + "\n" +
                       alsText("ZL 5 0") + "\n" + alsText("BW 4 0") + "\n";
    EXPECT_EQ(inhalt, soll);
}

TEST_F(Makro, ARecordedDrawingReplaysToTheSameObjects)
{
    MakroSofortSetzen(nullptr);  // the real immediate execution
    MakroAufnahmeStart("zeichnen");
    const std::vector<BEF> satz = {tzRec(BW, {10, 10}), tzRec(TZ_ZL, {5, 0}), tzRec(BW, {0, 5}), tzRec(TZ_ZL, {0, 5})};
    for (const BEF& b : satz) {
        MakroAufnehmen(&b);
        BefSofort(&b);
    }
    MakroAufnahmeEnde();
    auto objekte = [] {
        std::vector<std::string> v;
        for (int id = TzNaechstes(-1); id < TZENDE; id = TzNaechstes(id)) {
            BEF b;
            STT s;
            TzObjHolen(id, &b, &s);
            v.push_back(BefZuText(&b) + " @ " + std::to_string(s.x) + "," + std::to_string(s.y));
        }
        return v;
    };
    const std::vector<std::string> vorher = objekte();
    ASSERT_EQ(vorher.size(), 2u);
    TzLeeren();
    STT s = tzStart();
    std::snprintf(s.bd, sizeof s.bd, "TST");
    *BefAktZustand() = s;
    ASSERT_EQ(MakroStarten("zeichnen", 0), 0);
    EXPECT_EQ(objekte(), vorher);
}

TEST_F(Makro, ClipboardTextRunsUpToTheLastCompleteLineBefore64000)
{
    plClipEnde();
    std::string zeilen;
    while (zeilen.size() < MAKROCLIPSUP + 1) zeilen += "ZL 1 0\n";
    zeilen.resize(MAKROCLIPSUP + 1);  // 9143 lines of 7 characters
    ASSERT_TRUE(ClipTextSetzen(zeilen.c_str()));
    ClipboardMakro();
    EXPECT_EQ(gelaufen.size(), 9142u);
    plClipEnde();
}

std::string verschachtelt(int tiefe)
{
    std::string t;
    for (int i = 0; i < tiefe; ++i) t += "IF 1\n";
    t += "ZL 1 0\n";
    for (int i = 0; i < tiefe; ++i) t += "END\n";
    return t;
}

TEST_F(Makro, DeepNestingEndsTheRunWithAMessageNamingTheLine)
{
    // 15,000 nested IFs once took one stack frame each until the stack ended.
    const std::string p = datei("tief.mac", verschachtelt(15000));
    EXPECT_EQ(MakroDateiAusfuehren(p.c_str(), 0), 0);
    EXPECT_TRUE(gelaufen.empty());
    EXPECT_NE(std::string(StatusLetzterText()).find("Zeile 200."), std::string::npos) << StatusLetzterText();
    // Pasted: the clipboard keeps the first 64,000 characters, 12,800 IFs.
    gelaufen.clear();
    StatusHinweis("");
    plClipEnde();
    ASSERT_TRUE(ClipTextSetzen(verschachtelt(15000).c_str()));
    ClipboardMakro();
    plClipEnde();
    EXPECT_TRUE(gelaufen.empty());
    EXPECT_NE(std::string(StatusLetzterText()).find("Bl\xF6" "cke"), std::string::npos) << StatusLetzterText();
    // As deep as allowed still runs.
    gelaufen.clear();
    MakroDateiAusfuehren(datei("flach.mac", verschachtelt(MAKROBLOCKSUP - 1)).c_str(), 0);
    EXPECT_EQ(gelaufen.size(), 1u);
}

TEST_F(Makro, LoopsThatCannotProgressEndWithAMessage)
{
    struct Fall {
        const char* text;
        const char* meldung;  // nullptr: the loop runs to its end without a word
        size_t laeufe;        // commands run, at most with a message
    };
    const Fall faelle[] = {
        {"ZL 1 0\nWHILE 1", "Zeile 2 hat keinen Inhalt", 1},
        {"FOR $1 = 1 TO 2\n", "Zeile 1 hat keinen Inhalt", 1},
        // Beyond 2^53 a step of 1 no longer changes a double.
        {"$1 = 9999999999*9999999\nFOR $2 = $1 TO $1+10\nZL 1 0\nEND\n", "Schrittweite in Zeile 2", 1},
        // A small step is no fault: 2^-40 moves the counter from 1 to 1 + 4 * 2^-40 in five runs.
        {"$1 = 1/1099511627776\nFOR $2 = 1 TO 1+4*$1 STEP $1\nZL 1 0\nEND\n", nullptr, 5},
    };
    for (const Fall& f : faelle) {
        gelaufen.clear();
        StatusHinweis("");
        MakroDateiAusfuehren(datei("schleife.mac", f.text).c_str(), 0);
        if (f.meldung == nullptr) {
            EXPECT_STREQ(StatusLetzterText(), "") << f.text;
            EXPECT_EQ(gelaufen.size(), f.laeufe) << f.text;
            continue;
        }
        EXPECT_NE(std::string(StatusLetzterText()).find(f.meldung), std::string::npos) << f.text << ": " << StatusLetzterText();
        EXPECT_LE(gelaufen.size(), f.laeufe) << f.text;
    }
}

TEST_F(Makro, EscEndsARunningMacro)
{
    MakroSofortSetzen([](const BEF* b) {
        gelaufen.push_back(BefZuText(b));
        if (gelaufen.size() == 3) PostMessage(0, WM_KEYDOWN, VK_ESCAPE, 0);
    });
    MakroDateiAusfuehren(datei("endlos.mac", "WHILE 1\nZL 1 0\nEND\n").c_str(), 0);
    EXPECT_GE(gelaufen.size(), 3u);
    EXPECT_NE(std::string(StatusLetzterText()).find("abgebrochen"), std::string::npos) << StatusLetzterText();
    MSG m{};
    EXPECT_FALSE(PeekMessage(&m, 0, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE)) << "the Esc is taken";
}

TEST_F(Makro, ANumberTooLargeForACommandLineDropsTheLine)
{
    // 1e60 does not fit the conversion buffer: stack bytes went into the line.
    const std::string p = datei("gross.mac",
                                "$1 = 9999999999*9999999999*9999999999*9999999999*9999999999*9999999999\n"
                                "ZL $1 0\n"
                                "ZL 2 0\n");
    MakroDateiAusfuehren(p.c_str(), 0);
    EXPECT_EQ(gelaufen, std::vector<std::string>{alsText("ZL 2 0")});
    EXPECT_NE(std::string(StatusLetzterText()).find("Zeile 2 ist zu gro\xDF"), std::string::npos) << StatusLetzterText();
}

TEST_F(Makro, ManyRefusedLinesNameTheirLinesWithoutCountingFromTheStart)
{
    // Every refused line names its line; counted from the file's start for
    // each, 20,000 of them took over a minute.
    std::string text = "$1 = 9999999999*9999999999*9999999999*9999999999*9999999999*9999999999\n";
    for (int i = 0; i < 20000; ++i) text += "ZL $1 0\n";
    text += "WHILE $2 < 1\n$2 = 1\nEND\nZL $1 0\n";
    const std::string p = datei("viele.mac", text);
    const auto start = std::chrono::steady_clock::now();
    MakroDateiAusfuehren(p.c_str(), 0);
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_TRUE(gelaufen.empty());
    EXPECT_NE(std::string(StatusLetzterText()).find("Zeile 20005 ist zu gro\xDF"), std::string::npos)
        << StatusLetzterText();
    EXPECT_LT(s, 1.0) << "20,000 refused lines";
}

TEST_F(Makro, AFileOver2GBIsRefused)
{
    const std::string p = o.pfad("riesig.mac");
    std::ofstream(p, std::ios::binary) << "ZL 1 0\n";
    std::filesystem::resize_file(p, (1ull << 31) + 10);  // sparse: no disk taken
    EXPECT_EQ(MakroDateiAusfuehren(p.c_str(), 0), -1);
    EXPECT_TRUE(gelaufen.empty());
    EXPECT_NE(std::string(StatusLetzterText()).find("2 GB"), std::string::npos) << StatusLetzterText();
    std::filesystem::remove(p);
}

TEST_F(Makro, ComponentDefinitionAddsTheObjectsToTheLibrary)
{
    MakroSofortSetzen(nullptr);
    // Leading blanks take no place of the name's ten characters.
    BauDefStart("   schaltgeraet");
    ASSERT_TRUE(BauDefLaeuft());
    EXPECT_STREQ(BauDefName(), "SCHALTGERA");
    BauDefAbbrechen();
    BauDefStart(" neu1 ");
    ASSERT_TRUE(BauDefLaeuft());
    EXPECT_STREQ(BauDefName(), "NEU1");
    for (const BEF& b : {tzRec(BW, {2, 2}), tzRec(TZ_ZL, {5, 0}), tzRec(TZ_ZL, {0, 5})}) BefSofort(&b);
    BauDefEnde();
    EXPECT_FALSE(BauDefLaeuft());
    ASSERT_EQ(BauLaden(o.pfad("BAUTEILE.TST").c_str()), 0);
    EXPECT_TRUE(BauVorhanden("NEU1"));
    BauHandle h;
    ASSERT_EQ(BauOpen(&h, o.pfad("BAUTEILE.TST").c_str(), "NEU1"), 0);
    std::vector<int> codes;
    BEF b;
    while (BauRead(&h, &b) == 0) codes.push_back(b.code);
    BauClose(&h);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), TZ_ZL), 2) << "both lines, in the component";
}

// A failing write of the component's drawing or of the library keeps the
// library as it was and names the component.
TEST_F(Makro, AFailedComponentWriteLeavesTheLibraryAlone)
{
    MakroSofortSetzen(nullptr);
    for (PlFehlerArt art : {PlFehlerArt::Oeffnen, PlFehlerArt::Schreiben, PlFehlerArt::Umbenennen}) {
        SCOPED_TRACE(static_cast<int>(art));
        std::ifstream vorher(o.pfad("BAUTEILE.TST"), std::ios::binary);
        const std::string alt((std::istreambuf_iterator<char>(vorher)), std::istreambuf_iterator<char>());
        BauDefStart("KAPUTT");
        ASSERT_TRUE(BauDefLaeuft());
        BEF zl = tzRec(TZ_ZL, {5, 0});
        BefSofort(&zl);
        {
            PlFehlerScope f;
            plFehlerSetzen(art, 1, true);
            BauDefEnde();
        }
        EXPECT_FALSE(BauDefLaeuft());
        EXPECT_NE(std::string(StatusLetzterText()).find("KAPUTT"), std::string::npos) << StatusLetzterText();
        std::ifstream nachher(o.pfad("BAUTEILE.TST"), std::ios::binary);
        const std::string neu((std::istreambuf_iterator<char>(nachher)), std::istreambuf_iterator<char>());
        EXPECT_EQ(neu, alt);
    }
}

TEST_F(Makro, ComponentDefinitionRefusals)
{
    struct Fall {
        const char* name;
        const char* bd;
        bool markiert;
        const char* text;
    } faelle[] = {
        {"", "TST", false, "Bauteildefinition ohne Namen nicht m\xF6glich."},
        {"A/B", "TST", false, "Ung\xFCltiger Bauteilname: A/B"},
        {"zl", "TST", false, "ZL ist die Abk\xFCrzung eines Befehls."},
        {"M1", "TST", false, "Es gibt bereits ein Bauteil namens M1."},
        {"NEU", "XYZ", false, "Bauteildatei XYZ nicht vorhanden"},
        {"NEU", "TST", true, "Im Moment sind noch Elemente markiert."},
    };
    for (const Fall& f : faelle) {
        std::snprintf(BefAktZustand()->bd, sizeof BefAktZustand()->bd, "%s", f.bd);
        const int id = f.markiert ? linie(0, 0, 5, 0) : -1;
        if (id >= 0) TzMarkSetzen(id, 1);
        BauDefStart(f.name);
        EXPECT_FALSE(BauDefLaeuft()) << f.name;
        EXPECT_STREQ(StatusLetzterText(), f.text) << f.name;
        if (id >= 0) TzMarkSetzen(id, 0);
    }
    std::snprintf(BefAktZustand()->bd, sizeof BefAktZustand()->bd, "TST");
    BauDefStart("NEU");
    ASSERT_TRUE(BauDefLaeuft());
    BauDefStart("NOCH");
    EXPECT_STREQ(StatusLetzterText(), "Im Moment wird bereits Bauteil NEU gespeichert.");
    BauDefBeenden();
    EXPECT_STREQ(StatusLetzterText(), "Bauteildefinition abgebrochen.");
}

// A macro file that cannot be read whole runs none of its lines (the old
// interpreter ran the lines before the failed block as if that were all);
// a CALLed file read short ends the run there.
TEST_F(Makro, AFileReadShortRunsNothingOfIt)
{
    std::string lang;
    for (int i = 0; i < 400; ++i) lang += "ZL 1 0\n";
    ASSERT_GT(lang.size(), 2048u);
    const std::string gross = datei("gross.mac", lang);
    const std::string aussen = datei("aussen.mac", "ZL 5 0\nCALL " + gross + "\nZL 6 0\n");
    struct Fall {
        const char* name;
        std::string pfad;
        int fehlerBei;  // the read call that fails, and every later one
        std::vector<std::string> soll;
    };
    const Fall faelle[] = {
        {"second block", gross, 2, {}},
        {"called file", aussen, 3, {alsText("ZL 5 0")}},  // the outer file takes reads 1 and 2
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        gelaufen.clear();
        {
            PlFehlerScope scope;
            plFehlerSetzen(PlFehlerArt::Lesen, f.fehlerBei, true);
            EXPECT_EQ(MakroDateiAusfuehren(f.pfad.c_str(), 0), f.fehlerBei == 2 ? -1 : 0);
            EXPECT_GE(plFehlerAusgeloest(PlFehlerArt::Lesen), 1);
        }
        EXPECT_EQ(gelaufen, f.soll);
        EXPECT_EQ(std::string(StatusLetzterText()), "Kann Macro-Datei " + gross + " nicht lesen.");
    }
    std::ofstream(MakroPfad("gross"), std::ios::binary) << lang;
    {
        PlFehlerScope scope;
        plFehlerSetzen(PlFehlerArt::Lesen, 2, true);
        EXPECT_EQ(MakroMitEingabe("gross"), -1) << "no Input line seen: unreadable, not \"none\"";
    }
    gelaufen.clear();
    EXPECT_EQ(MakroDateiAusfuehren(aussen.c_str(), 0), 0);
    EXPECT_EQ(gelaufen.size(), 402u);
}

}  // namespace
