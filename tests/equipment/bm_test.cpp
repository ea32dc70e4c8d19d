// The equipment store: the file round trip and its backup, sections by
// position, long lines, the error log, the reload rule, failed writes, the
// older version's file, folders from case-insensitive disks, equipment use
// off, the workstation columns and the services seen through model/.
#include <cstring>
#include <iterator>
#include <vector>

#include "bmtest.h"
#include "equipment/btl.h"
#include "equipment/fstx.h"
#include "equipment/ges.h"
#include "equipment/ngestext.h"
#include "equipment/nzustext.h"
#include "equipment/wse.h"
#include "model/textvar.h"

using namespace bmtest;

namespace {

using Bm = BmTest;

std::vector<uint32_t> ids()
{
    std::vector<uint32_t> v;
    GesDurchlaufen([](const appgeraet* g, void* u) { static_cast<std::vector<uint32_t>*>(u)->push_back(g->id); }, &v);
    return v;
}

TEST_F(Bm, SixSectionFileIsWrittenBackByteIdenticalWithItsBackup)
{
    kopieren("BMittel.zvk", "BMittel.zvk");
    stempeln(pfad("BMittel.zvk"), 5);
    DATZEIT vorher{};
    ASSERT_EQ(dateizeit(pfad("BMittel.zvk").c_str(), &vorher), 0);
    BMStart();
    EXPECT_EQ(ids(), (std::vector<uint32_t>{1, 2, 10}));
    EXPECT_EQ(BtlAnzahl(), 6);
    ASSERT_EQ(BMDateiSchreiben(), 0);
    EXPECT_EQ(lesen(pfad("BMittel.zvk")), lesen(fixture("BMittel.zvk")));
    EXPECT_EQ(lesen(pfad("BMittel.bak")), lesen(fixture("BMittel.zvk")));
    DATZEIT bak{};
    ASSERT_EQ(dateizeit(pfad("BMittel.bak").c_str(), &bak), 0);
    EXPECT_EQ(std::memcmp(&bak, &vorher, sizeof bak), 0);

    // A second write keeps the first result in the backup.
    appgeraet g;
    ASSERT_EQ(GesHolen(2, &g), 0);
    std::strcpy(g.lt, "Neu");
    ASSERT_EQ(GesAendern(2, &g), 0);
    ASSERT_EQ(BMListenSpeichern(1), 0);
    EXPECT_EQ(lesen(pfad("BMittel.bak")), lesen(fixture("BMittel.zvk")));
    EXPECT_NE(lesen(pfad("BMittel.zvk")).find("Neu"), std::string::npos);
}

TEST_F(Bm, SectionsAreTakenByPositionWhateverTheirNames)
{
    kopieren("BMittel-andere-namen.zvk", "BMittel.zvk");
    BMStart();
    EXPECT_EQ(ids(), (std::vector<uint32_t>{1, 2, 10}));
    appbteil b;
    ASSERT_EQ(BtlSuchen(1, "U", 1, &b), 1);
    EXPECT_STREQ(b.ze, "002");
    EXPECT_DOUBLE_EQ(b.y, -90.25);
    ASSERT_EQ(BMDateiSchreiben(), 0);
    EXPECT_EQ(lesen(pfad("BMittel.zvk")), lesen(fixture("BMittel.zvk")));
}

TEST_F(Bm, AnIndentedSectionHeaderEndsTheSectionBeforeIt)
{
    // Each header in turn indented: the reader of the section before it must
    // stop there, or the following sections are read as its records and the
    // write-back loses them.
    const std::string gold = lesen(fixture("BMittel.zvk"));
    for (const char* kopf : {")S Btl", ")S Gtx", ")S Ztx", ")S Wse", ")S Vgb", ")E"}) {
        std::string t = gold;
        const size_t p = t.find(std::string("\n") + kopf + "\n");
        ASSERT_NE(p, std::string::npos) << kopf;
        t.insert(p + 1, " \t ");
        schreiben(pfad("BMittel.zvk"), t);
        BMZuruecksetzen();
        BMStart();
        EXPECT_EQ(ids(), (std::vector<uint32_t>{1, 2, 10})) << kopf;
        EXPECT_EQ(BtlAnzahl(), 6) << kopf;
        EXPECT_EQ(GtxAnzahl(0, nullptr, -1), 1) << kopf;
        char z[80];
        ZtxTextHolen(1, "U", 1, 1, z, sizeof z);
        EXPECT_STREQ(z, "Z-Text") << kopf;
        EXPECT_EQ(WseAnzahl(), 1) << kopf;
        ASSERT_EQ(BMDateiSchreiben(), 0);
        EXPECT_EQ(lesen(pfad("BMittel.zvk")), gold) << kopf;
    }
}

TEST_F(Bm, LongItemLineKeepsEveryFieldAndALineWithoutSeparatorIsIdZero)
{
    kopieren("BMittel-lang.zvk", "BMittel.zvk");
    BMStart();
    std::vector<appgeraet> alle;
    GesDurchlaufen([](const appgeraet* g, void* u) { static_cast<std::vector<appgeraet>*>(u)->push_back(*g); }, &alle);
    ASSERT_EQ(alle.size(), 2u);  // in id order: the record of the bare line first
    const appgeraet& g = alle[1];
    EXPECT_EQ(g.id, 7u);
    EXPECT_EQ(g.n1, -2147483647 - 1);
    EXPECT_EQ(std::string(g.tt), std::string(19, 'T') + "t");
    EXPECT_EQ(std::string(g.kz), std::string(39, 'Z') + "z");
    EXPECT_EQ(std::string(g.t6), std::string(39, '6') + "x");
    EXPECT_EQ(std::string(g.t7), std::string(39, '7') + "y");
    EXPECT_EQ(g.n2, 2147483647);
    EXPECT_EQ(alle[0].id, 0u);
    EXPECT_STREQ(alle[0].tt, "");
}

TEST_F(Bm, ALoadSortsEntriesDropsRepeatedEmptyOnesAndAReloadForgetsTheFirstFile)
{
    // Lines as the writer gives them; the load is checked through the
    // write-back and the lookups, touched only after each whole load.
    const auto ges = [](const char* id, const char* tt) {
        return std::string(id) + "\x1c" "0\x1c" + tt + "\x1c\x1c\x1c\x1c\x1c\x1c\x1c" "0\n";
    };
    const auto btl = [](const char* id, const char* cd) {
        return std::string(id) + "\x1c" + cd + "\x1c" "0\x1c\x1c\x1c\x1c\x1c" "0\x1c" "0.00000\x1c" "0.00000\x1c\n";
    };
    const std::string rest = ")S Gtx\n)S Ztx\n)S Wse\n)S Vgb\n)E\n";
    schreiben(pfad("BMittel.zvk"), "zvkA\n)S Ges\n" + ges("0005", "F") + ges("0002", "Z") + ")S Btl\n" + btl("0002", "H") +
                                       btl("0001", "U") + btl("0000", "") + btl("0000", "") + btl("0001", "H") + rest);
    BMStart();
    BMDateiLesen();
    ASSERT_EQ(BMDateiSchreiben(), 0);
    const std::string geschrieben = lesen(pfad("BMittel.zvk"));
    EXPECT_EQ(geschrieben.substr(0, geschrieben.find(")S Gtx")),
              "zvkA\n)S Ges\n" + ges("0002", "Z") + ges("0005", "F") + ")S Btl\n" + btl("0000", "") + btl("0001", "H") +
                  btl("0001", "U") + btl("0002", "H"));

    schreiben(pfad("BMittel.zvk"), "zvkA\n)S Ges\n" + ges("0003", "N") + ")S Btl\n" + btl("0003", "H") + rest);
    BMDateiLesen();
    BMDateiLesen();
    EXPECT_EQ(ids(), (std::vector<uint32_t>{3}));
    EXPECT_EQ(BtlAnzahl(), 1);
    appbteil b;
    EXPECT_EQ(BtlSuchen(3, "H", 0, &b), 1);
}

TEST_F(Bm, OverlongKgIsCutAndLoggedInSixLines)
{
    kopieren("BMittel.zvk", "BMittel.zvk");
    BMStart();
    appgeraet g;
    ASSERT_EQ(GesHolen(1, &g), 0);
    const std::string kg = "-M1" + std::string(38, 'x');
    std::strcpy(g.kg, kg.c_str());
    ASSERT_EQ(GesAendern(1, &g), 0);
    ASSERT_EQ(BMDateiSchreiben(), 0);
    EXPECT_EQ(lesen(pfad("fehler.txt")), lesen(fixture("fehler-kg41.txt")));
    const std::string datei = lesen(pfad("BMittel.zvk"));
    EXPECT_NE(datei.find("\x1c" + kg.substr(0, 40) + "\x1c"), std::string::npos);
    EXPECT_EQ(datei.find(kg), std::string::npos);
}

// One table of reload cases: what happens between two accesses, and
// whether the second one reads the file.
struct Nachladen {
    const char* fall;
    bool zaehlerBewegen;
    bool dateiAendern;   // new contents and a new stamp
    bool anderesProjekt;
    bool liest;
};

TEST_F(Bm, ReloadRule)
{
    const Nachladen faelle[] = {
        {"no counter move: not read although the file changed", false, true, false, false},
        {"counter moved, same stamp: not read", true, false, false, false},
        {"counter moved, touched: read, unsaved change gone", true, true, false, true},
        {"counter moved, other project folder: read", true, false, true, true},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.fall);
        BMZuruecksetzen();
        projekt("projekt");
        kopieren("BMittel.zvk", "BMittel.zvk");
        stempeln(pfad("BMittel.zvk"), 1);
        fs::create_directories(wurzel_ / "anderes");
        fs::copy_file(fixture("BMittel-lang.zvk"), wurzel_ / "anderes" / "BMittel.zvk",
                      fs::copy_options::overwrite_existing);
        BMStart();
        appgeraet g;
        ASSERT_EQ(GesHolen(2, &g), 0);
        const int stand = BMStand();
        std::strcpy(g.lt, "ungespeichert");
        ASSERT_EQ(GesAendern(2, &g), 0);
        if (f.dateiAendern) {
            kopieren("BMittel-lang.zvk", "BMittel.zvk");
            stempeln(pfad("BMittel.zvk"), 2);
        }
        if (f.anderesProjekt) projekt("anderes");
        if (f.zaehlerBewegen) ++zaehler();
        const int gefunden = GesHolen(2, &g);
        EXPECT_EQ(BMStand(), f.liest ? stand + 1 : stand);
        if (f.liest) {
            EXPECT_EQ(gefunden, -1);  // the other file has no item 2
        } else {
            EXPECT_STREQ(g.lt, "ungespeichert");
        }
    }
}

TEST_F(Bm, MissingFileStaysEmptyIsRetriedAndCreateFlagMakesIt)
{
    BMStart();
    appgeraet g;
    EXPECT_EQ(GesHolen(1, &g), -1);
    EXPECT_FALSE(BMGeladen());
    EXPECT_FALSE(fs::exists(pfad("BMittel.zvk")));
    // Retried at the next access, without a counter move.
    kopieren("BMittel.zvk", "BMittel.zvk");
    EXPECT_EQ(GesHolen(1, &g), 0);
    EXPECT_TRUE(BMGeladen());

    fs::remove(pfad("BMittel.zvk"));
    BMListenVerwerfen();
    EXPECT_NE(GesAnlegen(0, "neu"), 0u);  // a change: create flag 1
    EXPECT_EQ(lesen(pfad("BMittel.zvk")), "zvkA\n)E\n");
    EXPECT_TRUE(BMGeladen());
}

TEST_F(Bm, AFileReadShortIsWarnedKeptOutAndNotWrittenOver)
{
    kopieren("BMittel.zvk", "BMittel.zvk");
    appgeraet g;
    BMStart();
    {
        PlFehlerScope scope;
        plFehlerSetzen(PlFehlerArt::Lesen, 1, true);
        EXPECT_EQ(GesHolen(1, &g), -1);
        EXPECT_FALSE(BMGeladen());
        ASSERT_FALSE(warnungen().empty());
        EXPECT_EQ(warnungen().front(), "Kann " + pfad("BMittel.zvk") + " nicht lesen.");
        EXPECT_NE(GesAnlegen(0, "neu"), 0u);
        EXPECT_EQ(BMListenSpeichern(1), -1);
        EXPECT_EQ(lesen(pfad("BMittel.zvk")), lesen(fixture("BMittel.zvk")));
    }
    // Readable again: read whole at the next access.
    EXPECT_EQ(GesHolen(1, &g), 0);
    EXPECT_TRUE(BMGeladen());
}

TEST_F(Bm, FailedWriteKeepsOldFileChangesAndStateAndWarns)
{
    const PlFehlerArt arten[] = {PlFehlerArt::Schreiben, PlFehlerArt::Umbenennen, PlFehlerArt::Oeffnen};
    for (PlFehlerArt art : arten) {
        SCOPED_TRACE(static_cast<int>(art));
        BMZuruecksetzen();
        warnungen().clear();
        kopieren("BMittel.zvk", "BMittel.zvk");
        BMStart();
        appgeraet g;
        ASSERT_EQ(GesHolen(1, &g), 0);
        std::strcpy(g.lt, "geaendert");
        ASSERT_EQ(GesAendern(1, &g), 0);
        const int stand = BMStand();
        {
            PlFehlerScope scope;
            plFehlerSetzen(art, 1, true);
            EXPECT_EQ(BMListenSpeichern(1), -1);
        }
        EXPECT_EQ(lesen(pfad("BMittel.zvk")), lesen(fixture("BMittel.zvk")));
        EXPECT_EQ(GesGeaendert(), 1);
        ASSERT_EQ(warnungen().size(), 1u);
        EXPECT_EQ(warnungen()[0], "Kann Ausgabedatei " + pfad("BMittel.zvk") + " nicht anlegen.");
        // Still loaded with the change; no reload at the next access.
        ++zaehler();
        ASSERT_EQ(GesHolen(1, &g), 0);
        EXPECT_STREQ(g.lt, "geaendert");
        EXPECT_EQ(BMStand(), stand);
        // The next write goes through.
        EXPECT_EQ(BMListenSpeichern(1), 0);
        EXPECT_NE(lesen(pfad("BMittel.zvk")).find("geaendert"), std::string::npos);
    }
}

TEST_F(Bm, CommitReportsAFailedWriteOfTheTextsByLanguage)
{
    kopieren("BMittel.zvk", "BMittel.zvk");
    BMStart();
    FstxInit();
    ASSERT_EQ(FstxSetzen("S", "001-1", 2, "Titel"), 0);
    const std::string texte = lesen(pfad("Texte.zvk"));
    {
        PlFehlerScope scope;
        plFehlerSetzen(PlFehlerArt::Schreiben, 1, true);
        EXPECT_EQ(BMListenSpeichern(1), -1);
    }
    EXPECT_EQ(warnungen(), (std::vector<std::string>{"Kann Ausgabedatei " + pfad("Texte.zvk") + " nicht anlegen."}));
    EXPECT_EQ(lesen(pfad("Texte.zvk")), texte);
    EXPECT_EQ(FstxGeaendert(), 1);
    EXPECT_EQ(BMListenSpeichern(1), 0);
    EXPECT_NE(lesen(pfad("Texte.zvk")).find("Titel"), std::string::npos);
    FstxFrei();
}

TEST_F(Bm, OlderVersionFileStopsEveryWriteAndCreation)
{
    schreiben(pfad("BMHAUPT.ZVK"), "alt\n");
    BMStart();
    EXPECT_EQ(Zv7DateiVorhanden(), 1);
    EXPECT_EQ(GesAnlegen(0, "x"), 1u);  // in memory only
    EXPECT_NE(BMDateiSchreiben(), 0);
    EXPECT_NE(BMDateiAnlegen(), 0);
    EXPECT_EQ(dateien(wurzel_ / "projekt"), (std::vector<std::string>{"BMHAUPT.ZVK"}));
}

TEST_F(Bm, FolderFromCaseInsensitiveDiskOpensAndIsReplacedInPlace)
{
    kopieren("BMittel.zvk", "BMITTEL.ZVK");
    BMStart();
    EXPECT_EQ(ids(), (std::vector<uint32_t>{1, 2, 10}));
    appgeraet g;
    ASSERT_EQ(GesHolen(10, &g), 0);
    std::strcpy(g.lt, "Halt");
    ASSERT_EQ(GesAendern(10, &g), 0);
    ASSERT_EQ(BMListenSpeichern(1), 0);
    EXPECT_EQ(dateien(wurzel_ / "projekt"), (std::vector<std::string>{"BMITTEL.ZVK", "BMittel.bak"}));
    EXPECT_NE(lesen(pfad("BMITTEL.ZVK")).find("Halt"), std::string::npos);
    EXPECT_EQ(lesen(pfad("BMittel.bak")), lesen(fixture("BMittel.zvk")));
}

TEST_F(Bm, EquipmentUseOffGivesEmptyResultsAndWritesNothing)
{
    vorgaben("BMuse 0\n");
    kopieren("BMittel.zvk", "BMittel.zvk");
    BMStart();
    appgeraet g;
    appbteil b;
    EXPECT_EQ(GesHolen(1, &g), -1);
    EXPECT_EQ(GesAnlegen(0, "x"), 0u);
    EXPECT_EQ(GesEinfuegen(&g), -1);
    EXPECT_EQ(BtlSuchen(1, "H", 0, &b), 0);
    EXPECT_EQ(BtlPlatzieren(1, "U", "Z.001", 1, 1), 0);
    EXPECT_EQ(GesNaechstesSuchen(0, "001", 50, 100, 5), 0u);
    EXPECT_EQ(BMListenSpeichern(1), 0);
    BMDateiAktuell(1);
    BMProjektWechsel();
    EXPECT_EQ(HulTextSpalten() - 1, 0);
    EXPECT_EQ(HulSuchModus(), 0);
    EXPECT_EQ(dateien(wurzel_ / "projekt"), (std::vector<std::string>{"BMittel.zvk"}));
    EXPECT_EQ(lesen(pfad("BMittel.zvk")), lesen(fixture("BMittel.zvk")));
}

TEST_F(Bm, WorkstationColumnsAreClampedAndCounted)
{
    ProfilSchreiben("ArbPlatz", "BMLisTxt", "3 9 -1 0 2");
    BMStart();
    const bmvorgaben& v = BMVorgaben();
    EXPECT_EQ(std::vector<int>(v.listxt, v.listxt + 5), (std::vector<int>{3, 5, 0, 0, 2}));
    EXPECT_EQ(v.lisanz, 3);
    EXPECT_EQ(v.zeiflt, 1);  // empty key
    BMProjektWechsel();
    EXPECT_EQ(HulTextSpalten() - 1, 3);
    EXPECT_EQ(HulSpalteQuelle(1), 5);
    EXPECT_EQ(HulSuchModus(), 1);
}

TEST_F(Bm, ProjectChangeRereadsSettingsAndDropsLoadedLists)
{
    kopieren("BMittel.zvk", "BMittel.zvk");
    BMStart();
    appgeraet g;
    ASSERT_EQ(GesHolen(1, &g), 0);
    vorgaben("BMuse 0\n");
    BMProjektWechsel();
    EXPECT_EQ(BMVerwendet(), 0);
    EXPECT_EQ(GesHolen(1, &g), -1);
    vorgaben("BMuse 1\n");
    BMProjektWechsel();
    EXPECT_EQ(GesHolen(1, &g), 0);
}

// A reload left to the lists' first use: every reader, also those that never
// ask for the file themselves, sees what a reload read at once shows, and a
// snapshot restored before any use replaces its own section only.
TEST_F(Bm, AReloadLeftToFirstUseShowsEveryReaderTheFileAsReadAtOnce)
{
    kopieren("BMittel.zvk", "BMittel.zvk");
    struct Teil {
        const char* name;
        long (*packen)(void*);
        void (*entpacken)(const void*);
        int (*anzahl)();
    };
    const Teil teile[] = {
        {"Ges", GesPacken, GesEntpacken, GesAnzahl},
        {"Btl", BtlPacken, BtlEntpacken, BtlAnzahl},
        {"Gtx", GtxSichern, GtxHerstellen, [] { return GtxAnzahl(0, nullptr, -1); }},
        {"Ztx", ZtxSichern, ZtxHerstellen, [] { return static_cast<int>((ZtxSichern(nullptr) - 4) / sizeof(appztext)); }},
        {"Wse", WsePacken, WseEntpacken, WseAnzahl},
    };
    struct Leser {
        const char* name;
        long (*wert)();
    };
    const Leser leser[] = {
        {"GesAnzahl", [] { return static_cast<long>(GesAnzahl()); }},
        {"BtlAnzahl", [] { return static_cast<long>(BtlAnzahl()); }},
        {"GtxAnzahl", [] { return static_cast<long>(GtxAnzahl(0, nullptr, -1)); }},
        {"GesPacken", [] { return GesPacken(nullptr); }},
        {"BtlPacken", [] { return BtlPacken(nullptr); }},
        {"GtxSichern", [] { return GtxSichern(nullptr); }},
        {"ZtxSichern", [] { return ZtxSichern(nullptr); }},
        {"WsePacken", [] { return WsePacken(nullptr); }},
        {"BMGeladen", [] { return static_cast<long>(BMGeladen()); }},
    };
    // sofort: read at once (the reference); else through BmDatenNeuLaden.
    const auto neu = [](bool sofort) {
        BMZuruecksetzen();
        BMStart();
        if (sofort)
            BMDateiLesen();
        else
            BmDatenNeuLaden();
    };
    for (const Leser& l : leser) {
        SCOPED_TRACE(l.name);
        neu(true);
        const long soll = l.wert();
        neu(false);
        EXPECT_EQ(l.wert(), soll);
    }
    // The stand moves by one load either way, and only when asked.
    neu(false);
    const int stand = BMStand();
    BmDatenNeuLaden();
    EXPECT_EQ(BMStand(), stand + 1);
    ASSERT_EQ(GesAnzahl(), 3);

    neu(true);
    std::vector<int> anzahlen;
    for (const Teil& t : teile) anzahlen.push_back(t.anzahl());
    for (size_t i = 0; i < std::size(teile); ++i) {
        SCOPED_TRACE(teile[i].name);
        BMZuruecksetzen();
        BMStart();  // nothing read: the snapshots of empty lists
        std::vector<char> leer(static_cast<size_t>(teile[i].packen(nullptr)));
        teile[i].packen(leer.data());
        neu(false);
        teile[i].entpacken(leer.data());
        for (size_t j = 0; j < std::size(teile); ++j)
            EXPECT_EQ(teile[j].anzahl(), i == j ? 0 : anzahlen[j]) << teile[j].name;
    }
}

TEST_F(Bm, ServicesReachTheModelThroughItsTable)
{
    kopieren("BMittel.zvk", "BMittel.zvk");
    vorgaben("BMuse 1\nBMnorm 1\nSPblatt 12\n");
    BMStart();
    ModGeraet m;
    ASSERT_EQ(ModDienst().GesHolen(1, &m), 0);
    EXPECT_STREQ(m.kg, "-M1");
    EXPECT_STREQ(m.kz, "=A1-M1");
    EXPECT_EQ(m.art, 5);
    ModBauteil b;
    ASSERT_EQ(ModDienst().BtlSuchen(1, "U", 1, &b), 1);
    EXPECT_STREQ(b.ze, "002");
    EXPECT_EQ(b.platziert, 1);
    EXPECT_EQ(ModDienst().BtlIstUnter("a"), 1);
    EXPECT_EQ(ModDienst().BtlIstUnter("D"), 0);
    EXPECT_EQ(ModDienst().BmEinst()->bmnorm, 1);
    EXPECT_EQ(ModDienst().BmEinst()->spblatt, 12);
    EXPECT_EQ(ModDienst().BmEinst()->bmuse, 1);

    // Equipment references in drawing texts expand over the file's data.
    const struct {
        const char* ref;
        const char* wert;
    } refs[] = {{"@Y0001U", "Motor 3~"}, {"@Y0001Ua2", "K"}, {"@Y0009U", ""}};
    for (const auto& r : refs) {
        char t[100];
        std::snprintf(t, sizeof t, "%s", r.ref);
        YRefAufloesen(t, sizeof t);
        EXPECT_STREQ(t, r.wert) << r.ref;
    }
}

}  // namespace
