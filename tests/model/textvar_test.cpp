// Tests of the text variables, page and path numbering, references and the
// current-drawing context, over a copy of the folder fixture "textvar"
// (drawings Anl.A.01, Anl.A.02, Anl.B.05, Other.X.7; a file without the
// magic, a library and a text file), a fixed clock and equipment fakes
// installed through the service hooks.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "config/datwache.h"
#include "config/verzeich.h"
#include "model/dienste.h"
#include "model/textvar.h"
#include "model/zeichnun.h"
#include "modelltest.h"
#include "platform/uhr.h"
#include "support/dosdatei.h"

using namespace modh;  // the model's calls through its service tables

namespace {

namespace fs = std::filesystem;

ModBmEinst tvEinst;

void tvKopie(char* aus, size_t kap, const char* text)
{
    std::snprintf(aus, kap, "%s", text);
}

const ModBmEinst* fakeEinst() { return &tvEinst; }

void fakeProjekt(ModProjektText* t)
{
    *t = ModProjektText{};
    tvKopie(t->titel, sizeof t->titel, "Projekt P");
    tvKopie(t->autor, sizeof t->autor, "Autorin");
    tvKopie(t->ort, sizeof t->ort, "Ulm");
    tvKopie(t->text[0], sizeof t->text[0], "PT1");
}

void fakeWeiterer(int n, ModProjektText* t)
{
    *t = ModProjektText{};
    if (n == 1) tvKopie(t->text[0], sizeof t->text[0], "W1-21");
    if (n == 2) tvKopie(t->text[19], sizeof t->text[19], "W2-60");
}

void fakeEigener(const char*, ModProjektText* t)
{
    *t = ModProjektText{};
    tvKopie(t->titel, sizeof t->titel, "Eigene");
    tvKopie(t->k1, sizeof t->k1, "EK1");
    tvKopie(t->k2, sizeof t->k2, "EK2");
    tvKopie(t->text[1], sizeof t->text[1], "U2");
}

void fakeCode(const char* v, char* aus, size_t kap) { std::snprintf(aus, kap, "Code%s", v); }

// Item 1's own text (line 99) refers to itself. Item 2 is placed on
// drawing B.03 at x 25, with article 4711.
void fakeZeile(char* aus, size_t kap, uint32_t id, const char*, int, int zeile)
{
    const char* t = "";
    if (id == 1 && zeile == 99) t = "@Y0001U";
    if (id == 2) t = zeile == 0 ? "Motor" : zeile == 1 ? "@L02" : "";
    tvKopie(aus, kap, t);
}

void fakeZusatz(char* aus, size_t kap, uint32_t, const char*, int, int zeile)
{
    std::snprintf(aus, kap, "Zusatz%d @S", zeile);
}

int fakeBtl(uint32_t id, const char*, int, ModBauteil* b)
{
    *b = ModBauteil{id == 2, 25, 0, "B.03", "Eintrag @N"};
    return id == 2;
}

void fakePos(char* aus, size_t kap, uint32_t, const char* art, int nr) { std::snprintf(aus, kap, "P:%s%d", art, nr); }
void fakeAlt(char* aus, size_t kap, uint32_t, const char*, int, int modus)
{
    tvKopie(aus, kap, modus ? "ALT-S" : "ALT");
}
void fakeVerweis(char* a, char* b, size_t kap, uint32_t, const char*, int, int modus)
{
    tvKopie(a, kap, modus ? "S1" : "V1");
    tvKopie(b, kap, modus ? "S2" : "V2");
}

int fakeGes(uint32_t id, ModGeraet* g)
{
    *g = ModGeraet{};
    g->id = id;
    tvKopie(g->artnr, sizeof g->artnr, "4711");
    return 0;
}

int fakeArtikel(const char* nummer, ModArtikel* a)
{
    *a = ModArtikel{};
    if (std::strcmp(nummer, "4711") != 0) return 0;
    tvKopie(a->nummer, sizeof a->nummer, "4711-X");
    tvKopie(a->text[0], sizeof a->text[0], "Schuetz");
    tvKopie(a->text[1], sizeof a->text[1], "230V");
    return 1;
}

void fakeKennung(char* aus, size_t kap, uint32_t) { tvKopie(aus, kap, "-K1"); }

struct TextVar : ::testing::Test {
    MtOrdner ordner;
    std::string akt;

    void SetUp() override
    {
        for (auto& e : fs::directory_iterator(mtFixture("textvar")))
            fs::copy_file(e.path(), ordner.pfad / e.path().filename());
        DATZEIT z{{120, 5, 17}, 9, 15, 0};
        ASSERT_EQ(dateizeitsetzen((ordner / "Anl.A.02").c_str(), &z), 0);
        plUhrFestsetzen(INT64_C(1772625600000));  // 2026-03-04 12:00 UTC
        tvEinst = ModBmEinst{};
        tvEinst.spabst = 10;
        tvEinst.bmseite = 3;
        tvEinst.bmpfad = 2;
        tvEinst.bmuse = 1;
        ModDienste d{};
        d.BmEinst = fakeEinst;
        d.UtitelProjektText = fakeProjekt;
        d.UtitelProjektWeiterer = fakeWeiterer;
        d.UtitelZeichnungText = fakeEigener;
        d.BMCodeWert = fakeCode;
        d.GtxTextHolen = fakeZeile;
        d.BMKennungHolen = fakeKennung;
        d.ZtxTextHolen = fakeZusatz;
        d.BtlSuchen = fakeBtl;
        d.BtlPositionText = fakePos;
        d.BtlPositionAlt = fakeAlt;
        d.HulVerweisPositionen = fakeVerweis;
        d.GesHolen = fakeGes;
        d.ArtSuchen = fakeArtikel;
        ModDiensteSetzen(d);
        VerSetzen(1, ordner.pfad.c_str());
        VerAktuellSetzen(ordner.pfad.c_str());
        akt = ordner / "Anl.A.02";
        ZeiAktVergessen();
        ZeiAktSetzen(akt.c_str());
    }
    void TearDown() override
    {
        ZeiAktVergessen();
        ZeiAktSetzen("");
        ModDiensteStandard();
        VerSetzen(1, "");
        DatWacheZuruecksetzen();
        plUhrFreigeben();
    }
    std::string ersetzt(const char* text, double x = 0)
    {
        char t[201];
        tvKopie(t, sizeof t, text);
        TextVarErsetzen(t, x, 0);
        return t;
    }
};

TEST_F(TextVar, VariablesOfTheCurrentDrawing)
{
    struct Fall {
        const char* ein;
        std::string aus;
    } faelle[] = {
        {"a@@b", "a@b"},
        {"@ x", "@ x"},
        {"x@.y", "x@.y"},
        {"end@", "end@"},
        {"@Jx", "x"},
        {"@Q@N", "@Q@N"},          // reference marker at the start: untouched
        {"x@FPy@BAz", "xyz"},      // markers inside are removed
        {"@N|@S|@SZ", "02|2|002"},
        {"@ZP|@ZS|@ZF|@Z", "Anl|02|A|Anl.A.02"},
        {"@ZO", ordner.pfad.filename().string()},
        {"@ZV", ordner.pfad.string()},
        {"@ZK|@ZK1|@ZK2", "Bauwerk 7|Bauwerk 7|EK2"},  // text 11 empty: own K2
        {"@F|@FZ|@V|@VZ", "05|005|01|001"},
        {"@VE|@VL|@VLZ|@VA", "01|7|007|4"},
        {"@D|@A|@A-|@A.", "17.05.20|17.05.2020|2020-05-17|2020.05.17"},
        {"@H|@H-|@H.", "04.03.2026|2026-03-04|2026.03.04"},
        {"@T|@T1|@T2|@I", "Hauptverteilung|Einspeisung|Zeile zwei|HV"},
        {"@TPT|@TPA|@TPO|@TP1|@TP21|@TP60|@TP99", "Projekt P|Autorin|Ulm|PT1|W1-21|W2-60|W2-60"},
        {"@TUT|@TU2|@TUK|@TUK2", "Eigene|U2|EK1|EK2"},
        {"@C1ABCDx", "Code@C1ABCDx"},
        {"(@Y0001K)", "(-K1)"},
        {"(@Y0001L)", "()"},       // an article reference is removed: 7 characters
        {"(@Y0001LX)", "(X)"},
        {"@Y0001Lampe @N", "ampe 02"},
        {"@Y0001U", "@Y0001U"},    // refers to itself: ends, stays as text
    };
    for (const Fall& f : faelle) EXPECT_EQ(ersetzt(f.ein), f.aus) << f.ein;
    EXPECT_EQ(ersetzt("@P", 25), "03");
}

TEST_F(TextVar, EquipmentReferences)
{
    tvEinst.bmtzfeld = 2;
    struct Fall {
        int kennung, position;
        const char* ein;
        const char* aus;
    } faelle[] = {
        {0, 0, "@Y0002K", "-K1"},
        {1, 0, "@Y0002K", "B--K1"},        // the stem of the component's drawing
        {0, 0, "@Y0002K+", "Motor:-K1"},   // the main component's first line
        {0, 0, "@Y0002F", "B"},
        {0, 0, "@Y0002L1", "4711-X"},
        {0, 0, "@Y0002L2", "Schuetz"},
        {0, 0, "@Y0002P", "P:H0"},
        {0, 0, "@Y0002PUa2", "P:Ua2"},
        {0, 0, "@Y0002Pa2", "P:Ua2"},      // a sub-component code gets its 'U'
        {0, 0, "@Y0002P>H", "V1"},
        {0, 0, "@Y0002P<H", "V2"},
        {0, 0, "@Y0002P^H", "ALT"},
        {0, 0, "@Y0002P^PH", "ALT"},       // column form
        {0, 0, "@Y0002P^SH", "ALT-S"},     // page form
        {0, 0, "@Y0002P>SUa2", "S1"},
        {0, 0, "@Y0002P<S", "S2"},
        {0, 1, "@Y0002P", "B-P:H0"},
        {0, 0, "@Y0002T0|@Y0002T1", "Motor|Motor"},
        {0, 0, "@Y0002T2", "Schuetz"},     // an "@L" line gives the article field
        {0, 0, "@Y0002U", "Eintrag 02"},   // the entry's text, variables filled
        {0, 0, "@Y0002Z3", "Zusatz3 2"},
        {0, 0, "@Y0002X", "@Y0002X"},      // unknown field: left as it is
    };
    for (const Fall& f : faelle) {
        YRefKontextSetzen(f.kennung, f.position);
        EXPECT_EQ(ersetzt(f.ein), f.aus) << f.ein;
    }
    YRefKontextSetzen(0, 0);
    tvEinst.bmuse = 0;
    EXPECT_EQ(ersetzt("@Y0002K"), "@Y0002K");
}

TEST_F(TextVar, IdentifierChoice)
{
    ModGeraet g{};
    tvKopie(g.kg, sizeof g.kg, "-K1");
    tvKopie(g.kz, sizeof g.kz, "=A-K1");
    EXPECT_STREQ(BMKennung(&g), "-K1");
    tvEinst.bmnorm = 1;
    EXPECT_STREQ(BMKennung(&g), "=A-K1");
    EXPECT_EQ(BMKennAltAktiv(&g), 1);
    tvKopie(g.kg, sizeof g.kg, "!-K1");
    EXPECT_STREQ(BMKennung(&g), "!-K1");
    EXPECT_EQ(BMKennMarkiert(g.kg), 1);
    tvKopie(g.kg, sizeof g.kg, "-K1");
    g.kz[0] = '\0';
    EXPECT_STREQ(BMKennung(&g), "-K1");
}

TEST_F(TextVar, PagesWithoutLeadingZeros)
{
    struct Fall {
        const char* name;
        const char* s;
    } faelle[] = {{"P.007", "7"}, {"P.000", "0"}, {"P.7b", "7b"}};
    for (const Fall& f : faelle) {
        ZeiAktSetzen((ordner / f.name).c_str());
        EXPECT_EQ(ersetzt("@S"), f.s) << f.name;
    }
    char p[20];
    ZeiSeiteText(p, sizeof p, "A.7b");
    EXPECT_STREQ(p, "007b");
    ZeiSeiteText(p, sizeof p, "A.b");
    EXPECT_STREQ(p, "b");
}

TEST_F(TextVar, TextIsCutAtItsCapacity)
{
    char t[12] = "<@T>";
    TextVarErsetzen(t, 0, 0);
    EXPECT_STREQ(t, "<Hauptverte");
    TextVarSperren(1);
    char u[20] = "@T";
    TextVarErsetzen(u, 0, 0);
    EXPECT_STREQ(u, "@T");
    TextVarSperren(0);
}

TEST_F(TextVar, TheHeaderIsReadOncePerPath)
{
    ZeiKopf k{};
    ASSERT_EQ(ZeiKopfLesen(akt.c_str(), &k), 0);
    std::snprintf(k.titel[0], sizeof k.titel[0], "Neu");
    ASSERT_EQ(ZeiKopfSchreiben(akt.c_str(), &k), 1);
    ZeiAktSetzen(akt.c_str());
    EXPECT_STREQ(ZeiTitel(0), "Hauptverteilung");
    ZeiAktNeuLesen();
    EXPECT_STREQ(ZeiTitel(0), "Neu");
}

// The context keeps the headers it has read. A drawing written since is read
// again, also when the rewrite left its size and time as they were, and one
// deleted since has no header.
TEST_F(TextVar, KeptHeadersFollowEveryRewrite)
{
    const std::string ander = ordner / "Anl.A.01";
    DATZEIT alt{{120, 5, 17}, 9, 15, 0};
    auto titelVon = [&](const std::string& pfad) {
        ZeiAktSetzen(ander.c_str());
        ZeiAktSetzen(pfad.c_str());
        return std::string(ZeiTitel(0));
    };
    auto schreiben = [&](const char* titel) {
        ZeiKopf k{};
        ASSERT_EQ(ZeiKopfLesen(akt.c_str(), &k), 0);
        std::snprintf(k.titel[0], sizeof k.titel[0], "%s", titel);
        ASSERT_EQ(ZeiKopfSchreiben(akt.c_str(), &k), 1);
        ASSERT_EQ(dateizeitsetzen(akt.c_str(), &alt), 0);
    };
    EXPECT_EQ(titelVon(akt), "Hauptverteilung");
    EXPECT_EQ(titelVon(akt), "Hauptverteilung");
    schreiben("Neu 1");
    EXPECT_EQ(titelVon(akt), "Neu 1");
    EXPECT_EQ(titelVon(akt), "Neu 1");
    const auto groesse = fs::file_size(akt);
    schreiben("Neu 2");  // same size, same time
    ASSERT_EQ(fs::file_size(akt), groesse);
    EXPECT_EQ(titelVon(akt), "Neu 2");
    {
        std::string inhalt = mtLesen(akt);  // another program writes in place
        const size_t stelle = inhalt.find("Neu 2");
        ASSERT_NE(stelle, std::string::npos);
        std::fstream f(akt, std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(static_cast<std::streamoff>(stelle + 4));
        f.put('3');
    }
    ASSERT_EQ(dateizeitsetzen(akt.c_str(), &alt), 0);
    EXPECT_EQ(titelVon(akt), "Neu 3");
    fs::remove(akt);
    EXPECT_EQ(titelVon(akt), "");
}

TEST_F(TextVar, PathNumbersAndPositionTexts)
{
    struct Fall {
        int fort, ksnull, blatt;
        const char* name;
        double x;
        int nr;
        const char* pos;
    } faelle[] = {
        {0, 0, 20, "A.03", 25, 3, "3-3"},
        {0, 1, 20, "A.03", 25, 3, "003-3"},
        {0, 0, 20, "A.3b", 4, 0, "003b-0"},
        {1, 0, 20, "A.03", 25, 63, "63"},
        {1, 1, 20, "A.03", 25, 63, "63"},
    };
    for (const Fall& f : faelle) {
        tvEinst.spfort = f.fort;
        tvEinst.bmksnull = f.ksnull;
        tvEinst.spblatt = f.blatt;
        char p[40];
        QvwPosText(p, sizeof p, f.name, f.x, 0);
        EXPECT_EQ(ZeiSpalteNr(f.name, f.x), f.nr) << f.name;
        EXPECT_STREQ(p, f.pos) << f.name << " " << f.fort << f.ksnull;
    }
    tvEinst.spfort = 0;
    tvEinst.bmksnull = 0;
    EXPECT_EQ(ZeiSpalteFortl("A.03", 25), 63);
    char p[40];
    tvEinst.bmtzfeld = 2;
    QvwVerweisText(p, sizeof p, "B.03", 25, 0);
    EXPECT_STREQ(p, "B-3-3");
    QvwVerweisText(p, sizeof p, "a.03", 25, 0);  // the current stem, ignoring case
    EXPECT_STREQ(p, "3-3");
    // Pages compare as numbers before the first '-'.
    struct Seite {
        const char* a;
        const char* b;
        int gleich;
    } seiten[] = {{"3-1", "3-9", 1}, {"3-1", "4-1", 0}, {"007-3", "7-3", 1}, {"007-3", "070-3", 0},
                  {"A-3", "-4", 1},  {"12", "12-4", 1}, {"12", "13", 0}};
    for (const Seite& f : seiten) EXPECT_EQ(QvwGleicheSeite(f.a, f.b), f.gleich) << f.a << " " << f.b;
}

TEST_F(TextVar, ZeroPathWidthAndPagesPerSheet)
{
    tvEinst.spabst = 0;
    tvEinst.spfort = 1;
    tvEinst.spblatt = 0;
    EXPECT_EQ(ZeiSpalteNr("A.03", 50), 0);
    EXPECT_EQ(ersetzt("@P", 50), "00");
    EXPECT_EQ(QvwGleicheSeite("41", "41"), 1);
    EXPECT_EQ(QvwGleicheSeite("41", "42"), 0);
    tvEinst.spblatt = 20;
    EXPECT_EQ(QvwGleicheSeite("41", "42"), 1);
}

TEST_F(TextVar, ArticleReferences)
{
    struct Fall {
        const char* text;
        int n;
    } faelle[] = {{"@L13", 13}, {"@L05", 5}, {"@L3", 3}, {"@L", 0}, {"L3", 0}};
    for (const Fall& f : faelle) EXPECT_EQ(LRefNummer(f.text), f.n) << f.text;
    char a[40];
    ArtFeld(a, sizeof a, "4711", 5);  // unknown article
    EXPECT_STREQ(a, "");
    ArtFeld(a, sizeof a, "4711", 12);
    EXPECT_STREQ(a, "4711");
}

TEST_F(TextVar, ReferenceSyntax)
{
    YREF r;
    ASSERT_EQ(YRefZerlegen("@Y00A1P>H12Ub3+ rest", &r), 0);
    EXPECT_EQ(r.id, 0xA1u);
    EXPECT_STREQ(r.feld, "P>H");
    EXPECT_EQ(r.zeile, 12);
    EXPECT_STREQ(r.art, "Ub");
    EXPECT_EQ(r.nr, 3);
    EXPECT_EQ(r.plus, 1);
    EXPECT_EQ(YRefLaenge("@Y00A1P>H12Ub3+ rest"), 15);
    EXPECT_EQ(YRefZerlegen("@YZZZZK", &r), -1);
    EXPECT_EQ(IstYRefArtikel("@Y0001L"), 1);
    EXPECT_EQ(IstYRefArtikel("@Y0001L2"), 0);
    EXPECT_EQ(YRefIstKennung("@Y0001K"), 1);
    EXPECT_EQ(YRefIstKennung("@Y0001K1"), 0);
    EXPECT_EQ(YRefZeichen('^'), 1);
    EXPECT_EQ(YRefZeichen('-'), 0);
}

TEST_F(TextVar, NeighboursInNameOrder)
{
    char n[ZEIPFADSUP + 1];
    const char* erwartet[4] = {"Anl.A.01", "Anl.A.01", "Anl.B.05", "Other.X.7"};
    for (int w = 0; w < 4; ++w) {
        ZeiNachbar(akt.c_str(), w, n, sizeof n);
        EXPECT_EQ(fs::path(n).filename(), erwartet[w]) << w;
    }
    EXPECT_EQ(ZeiNachbarAnzahl(nullptr), 4);
    std::string erst = ordner / "Anl.A.01";
    ZeiNachbar(erst.c_str(), 1, n, sizeof n);
    EXPECT_STREQ(n, "");
    ZeiNachbar(erst.c_str(), 2, n, sizeof n);
    EXPECT_EQ(fs::path(n).filename(), "Anl.A.02");
}

// The neighbour variables follow the context from drawing to drawing, and a
// drawing made since counts once the files were checked again.
TEST_F(TextVar, NeighbourVariablesFollowTheContext)
{
    const char* text = "@VE|@V|@F|@VL|@VA|@FZ";
    struct Fall {
        const char* zeichnung;
        const char* aus;
    } faelle[] = {
        {"Anl.A.01", "01|01|02|7|4|002"},
        {"Anl.B.05", "01|02|7|7|4|007"},
        {"Anl.A.02", "01|01|05|7|4|005"},
        {"Anl.A.01", "01|01|02|7|4|002"},
    };
    for (const Fall& f : faelle) {
        ZeiAktSetzen((ordner / f.zeichnung).c_str());
        EXPECT_EQ(ersetzt(text), f.aus) << f.zeichnung;
    }
    fs::copy_file(ordner / "Anl.A.01", ordner / "Anl.A.03");
    DatNeuPruefen(1);
    ZeiAktSetzen(akt.c_str());
    EXPECT_EQ(ersetzt(text), "01|01|03|7|5|003");
}

TEST_F(TextVar, DrawingFromAShortReference)
{
    mtSchreiben(ordner / "Other.X.8", "zvkZ");  // a second match of "*.X.*"
    struct Fall {
        const char* ref;
        int gefunden;
        const char* aus;
    } faelle[] = {
        {"anl.a.01", 1, "Anl.A.01"},  // as given, spelled as in the folder
        {"01", 1, "Anl.A.01"},        // the current name with that page
        {"1", 1, "Anl.A.01"},         // the page padded to the current length
        {"B 5", 1, "Anl.B.05"},       // the current name, stem and padded page
        {".x.7", 1, "Other.X.7"},     // a unique match in the folder
        {"X.9", 0, "X.9"},
        {"Z 9", 0, "Z 9"},
    };
    for (const Fall& f : faelle) {
        char aus[ZEIPFADSUP + 1];
        EXPECT_EQ(ZeiVerweisDatei(aus, sizeof aus, f.ref), f.gefunden) << f.ref;
        EXPECT_STREQ(aus, f.aus) << f.ref;
    }
}

}  // namespace
