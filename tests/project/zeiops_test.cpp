// Drawing operations of the project manager on a project folder of their
// own with drawings, an equipment file and translated title lines: create,
// properties (rename with the keys), renumber, delete, index and date,
// texts, scale removal; failures by fault injection leave everything as it
// was.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <functional>
#include <string>
#include <vector>

#include "config/datwache.h"
#include "config/konfhaken.h"
#include "config/reaktion.h"
#include "controls/ctlkern.h"
#include "config/vorgaben.h"
#include "equipment/bm.h"
#include "equipment/fstx.h"
#include "model/befehl.h"
#include "project/pvwliste.h"
#include "project/zeiops.h"
#include "support/basis.h"
#include "support/dosdatei.h"
#include "tests/equipment/projtest.h"
#include "tests/project/projpruef.h"
#include "platform/dateidialog.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/nachricht.h"
#include "platform/nachrichtbox.h"
#include "platform/profil.h"
#include "platform/ressource.h"
#include "platform/winconst.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/seitendienst.h"
#include "winlib/winbib.h"

using namespace projtest;

namespace {

std::vector<std::string>& meldungen()
{
    static std::vector<std::string> m;
    return m;
}
int& antwort()
{
    static int a = 1;
    return a;
}
std::vector<std::string>& verteilt()
{
    static std::vector<std::string> v;
    return v;
}

using V = std::vector<std::string>;

class ZeiOpsTest : public ProjTest {
protected:
    void SetUp() override
    {
        ProjTest::SetUp();
        vgb_ = (ordner.parent_path() / (ordner.filename().string() + ".vgb")).string();
        schreiben(vgb_, "Name Test\nBMuse 1\nBMseite 3\n");
        VgbFehlMeldung(0);
        VgbSetSetzen("Test", vgb_.c_str());
        BMZuruecksetzen();
        BMStart();
        PvwListeZuruecksetzen();
        meldungen().clear();
        verteilt().clear();
        antwort() = 1;
        ZoHakenSetzen({[](const char* t) { meldungen().push_back(t); }, [](const char* t) {
                           meldungen().push_back(std::string("?") + t);
                           return antwort();
                       },
                       nullptr});
        WiSeitenDienst d{};
        d.verteilen = [](int id, LPARAM lp) { verteilt().push_back(std::to_string(id) + "/" + std::to_string(lp)); };
        wiSeitenDienstSetzen(d);
        DatAenderungenLoeschen();
        fs::copy_file(std::string(VELMO_TEST_DATA) + "/project/zeiops/BMittel.zvk", pfad("BMittel.zvk"));
    }
    void TearDown() override
    {
        PvwListeZuruecksetzen();
        ZoHakenSetzen({});
        wiSeitenDienstZuruecksetzen();
        BMZuruecksetzen();
        VgbSetSetzen("", "");
        VgbFehlMeldung(1);
        fs::remove(vgb_);
        ProjTest::TearDown();
    }

    // A drawing with a 'w' record (index, title 0) and the given body.
    void zeichnung(const std::string& name, const char* index = "", const char* titel0 = "",
                   const std::vector<BEF>& koerper = {})
    {
        ZeiDatei d;
        ASSERT_EQ(ZeiDateiAnlegen(&d, pfad(name).c_str()), 0);
        ZeiFormatSetzen(&d, BEF_ZA3);
        BEF b{};
        b.code = BEF_ZAT;
        char w[BEFTEXTSUP + 1];
        ZatBauen(w, index, titel0, "");
        BefTextSetzen(&b, w);
        ASSERT_EQ(ZeiBefSchreiben(&d, &b), 0);
        for (const BEF& k : koerper) ASSERT_EQ(ZeiBefSchreiben(&d, &k), 0);
        ASSERT_EQ(ZeiDateiSchliessen(&d), 0);
    }

    void liste(const V& markiert = {})
    {
        PvwVerzLesen();
        for (int i = 0; i < PvwAnzahl(); ++i) {
            char n[PVWNAMESUP + 1];
            if (!PvwZeiName(i, n)) continue;
            for (const std::string& m : markiert)
                if (m == n) PvwMarkSetzen(i, 1);
        }
    }

    // The drawing files of the folder (names with a page and no other files).
    V zeichnungen()
    {
        V n;
        for (const std::string& s : namen())
            if (s.rfind("Plan.", 0) == 0 && s.find(".BAK") == std::string::npos) n.push_back(s);
        return n;
    }

    ZeiKopf kopf(const std::string& name)
    {
        ZeiKopf k{};
        EXPECT_EQ(ZeiKopfLesen(pfad(name).c_str(), &k), 0) << name;
        return k;
    }

    // The equipment file's lines of a section ("Btl", "Wse", "Ges").
    V abschnitt(const std::string& name)
    {
        V z;
        std::string t = lesen(pfad("BMittel.zvk"));
        size_t p = t.find(")S " + name + "\n");
        if (p == std::string::npos) return z;
        p = t.find('\n', p) + 1;
        while (p < t.size() && t[p] != ')') {
            size_t e = t.find('\n', p);
            std::string zeile = t.substr(p, e - p);
            for (char& c : zeile)
                if (c == '\x1c') c = '|';
            z.push_back(zeile);
            p = e + 1;
        }
        return z;
    }

    // The translated title line n of a drawing key as stored on disk.
    std::string titelEn(const char* zeichnung, int n)
    {
        FstxNeuLaden();
        char t[FSTXTEXTSUP + 1];
        FstxTitelTextSprache(zeichnung, n, 1, t);
        return t;
    }

    std::string vgb_;
};

BEF satz(int code, std::initializer_list<double> d, const char* text = "")
{
    BEF b{};
    b.code = static_cast<uint8_t>(code);
    int i = 0;
    for (double x : d) b.darg[i++] = x;
    BefTextSetzen(&b, text);
    return b;
}

std::vector<BEF> saetze(const std::string& pfad)
{
    std::vector<BEF> v;
    ZeiDatei z;
    EXPECT_EQ(ZeiDateiLesend(&z, pfad.c_str()), 0);
    BEF b;
    while (ZeiBefLesen(&z, &b) == 0) v.push_back(b);
    bdclose(&z.datei);
    return v;
}

// ---- new drawing ---------------------------------------------------------------

TEST_F(ZeiOpsTest, NewDrawingChecksRefuseInTheirOrder)
{
    zeichnung("Plan.001");
    struct Fall {
        const char *name, *feld, *seite;
        int text;
    } faelle[] = {
        {"Pl.an", "E.1", "", 404},  // the name's dot comes first
        {"Plan", "", "0.2", 405},
        {"Plan", "E.1", "2", 405},
        {"Plan", "", "", 406},
        {"Plan", "", "001", 14},
        {"plan", "", "001", 14},  // existing ignoring case
    };
    for (const Fall& f : faelle) {
        meldungen().clear();
        ZeiNeuEingabe e{};
        std::strcpy(e.name, f.name);
        std::strcpy(e.feld, f.feld);
        std::strcpy(e.seite, f.seite);
        EXPECT_EQ(ZeiAnlegen(&e, 1), -1) << f.name << "." << f.seite;
        EXPECT_EQ(meldungen(), V{TextNr(f.text)}) << f.text;
    }
    EXPECT_EQ(zeichnungen(), V{"Plan.001"});
    EXPECT_TRUE(verteilt().empty());
}

TEST_F(ZeiOpsTest, NewDrawingTakesOverTheCursorHeaderAndWritesItsRecords)
{
    zeichnung("Plan.001", "x", "Vorlage-Titel");
    ZeiNeuEingabe e;
    ZeiNeuVorbereiten(&e, "Plan.001", "Plan", "E.002");
    EXPECT_STREQ(e.titel[0], "Vorlage-Titel");
    EXPECT_STREQ(e.feld, "E");
    EXPECT_STREQ(e.seite, "002");
    EXPECT_STREQ(e.index, "");
    std::strcpy(e.index, "b");
    std::strcpy(e.titel[3], "Vierter");
    std::strcpy(e.objekt, "Halle");
    e.format = 1;
    std::strcpy(e.vorlage, "/tmp/vorlage.zvk");

    EXPECT_EQ(ZeiAnlegen(&e, 0), 0);  // the check alone writes nothing
    EXPECT_EQ(zeichnungen(), V{"Plan.001"});
    EXPECT_EQ(ZeiAnlegen(&e, 1), 0);
    EXPECT_EQ(zeichnungen(), (V{"Plan.001", "Plan.E.002"}));
    ZeiKopf k = kopf("Plan.E.002");
    EXPECT_EQ(k.format, BEF_ZA4);
    EXPECT_STREQ(k.kurz, "b");
    EXPECT_STREQ(k.titel[0], "Vorlage-Titel");
    EXPECT_STREQ(k.titel[3], "Vierter");
    EXPECT_STREQ(k.text11, "Halle");
    EXPECT_EQ(verteilt(), V{"2998/9"});
    EXPECT_EQ(DatAenderungen(), 1);

    char p[PVWNAMESUP + 1], v[ZOVORLAGESUP + 1];
    EXPECT_EQ(ZeiNeuPfade(p, v), 1);
    EXPECT_STREQ(p, "Plan.E.002");
    EXPECT_STREQ(v, "/tmp/vorlage.zvk");
    EXPECT_EQ(ZeiNeuPfade(p, v), 0);
}

TEST_F(ZeiOpsTest, NewDrawingOfAnotherNumberLengthAsksFirst)
{
    zeichnung("Plan.01");
    ZeiNeuEingabe e{};
    std::strcpy(e.name, "Plan");
    std::strcpy(e.seite, "0002");
    antwort() = 0;
    EXPECT_EQ(ZeiAnlegen(&e, 0), -1);
    EXPECT_EQ(meldungen(), V{std::string("?") + TextNr(402)});
    antwort() = 1;
    EXPECT_EQ(ZeiAnlegen(&e, 0), 0);
    meldungen().clear();
    std::strcpy(e.seite, "002");  // the configured length: no question
    EXPECT_EQ(ZeiAnlegen(&e, 0), 0);
    EXPECT_TRUE(meldungen().empty());
}

TEST_F(ZeiOpsTest, NewDrawingThatCannotBeWrittenLeavesNoFile)
{
    ZeiNeuEingabe e{};
    std::strcpy(e.name, "Plan");
    std::strcpy(e.seite, "001");
    PlFehlerScope scope;
    plFehlerSetzen(PlFehlerArt::Umbenennen, 1, true);
    EXPECT_EQ(ZeiAnlegen(&e, 1), -1);
    EXPECT_EQ(meldungen(), V{"Fehler beim anlegen der Zeichnung."});
    EXPECT_TRUE(zeichnungen().empty());
    EXPECT_TRUE(verteilt().empty());
}

TEST_F(ZeiOpsTest, NewDrawingInATooLongFolderIsRefusedWithTheLimit)
{
    // In a folder of 194 characters "Plan.001" was written as "Plan.0", at
    // 197 as "Pla", and reported as created.
    static V warnungen;
    KonfHaken h{};
    h.warnung = [](const char* t) { warnungen.emplace_back(t); };
    konfHakenSetzen(h);
    for (const size_t laenge : {150u, 194u, 197u}) {
        warnungen.clear();
        meldungen().clear();
        std::string lang = ordner.string() + "/";
        while (lang.size() < laenge) lang += std::string(std::min<size_t>(40, laenge - lang.size()), 'x') + "/";
        lang.resize(laenge);
        if (lang.back() == '/') lang.back() = 'y';
        fs::create_directories(lang);
        VerSetzen(1, lang.c_str());
        ZeiNeuEingabe e{};
        std::strcpy(e.name, "Plan");
        std::strcpy(e.seite, "001");
        const int r = ZeiAnlegen(&e, 1);
        V da;
        for (const auto& x : fs::directory_iterator(lang)) da.push_back(x.path().filename().string());
        if (laenge <= 191) {
            EXPECT_EQ(r, 0) << laenge;
            EXPECT_EQ(da, V{"Plan.001"}) << laenge;
        } else {
            EXPECT_EQ(r, -1) << laenge;
            EXPECT_TRUE(da.empty()) << laenge << ": " << (da.empty() ? "" : da[0]);
            ASSERT_EQ(warnungen.size(), 1u) << laenge;
            EXPECT_NE(warnungen[0].find("l\xE4nger als 200 Zeichen"), std::string::npos) << warnungen[0];
        }
    }
    konfHakenZuruecksetzen();
}

// ---- properties -----------------------------------------------------------------

TEST_F(ZeiOpsTest, PropertiesRenameMovesEquipmentAndTitleKeys)
{
    zeichnung("Plan.001", "a", "Alt");
    ASSERT_EQ(FstxTitelSetzenSprache("Plan.001", 0, 1, "Old"), 0);
    ASSERT_EQ(FstxBeenden(1), 0);

    ZeiEigenEingabe e;
    ASSERT_EQ(ZeiEigenLesen("Plan.001", &e), 0);
    EXPECT_STREQ(e.name, "Plan");
    EXPECT_STREQ(e.seite, "001");
    EXPECT_STREQ(e.titel[0], "Alt");
    EXPECT_STREQ(e.index, "a");
    std::strcpy(e.seite, "009");
    std::strcpy(e.titel[1], "Neu");
    std::strcpy(e.index, "c");
    std::strcpy(e.bauwerk, "Werk");
    e.format = BEF_ZA4;
    ASSERT_EQ(ZeiEigenSpeichern("Plan.001", &e), 0);

    EXPECT_EQ(zeichnungen(), V{"Plan.009"});
    ZeiKopf k = kopf("Plan.009");
    EXPECT_STREQ(k.titel[0], "Alt");
    EXPECT_STREQ(k.titel[1], "Neu");
    EXPECT_STREQ(k.kurz, "c");
    EXPECT_STREQ(k.text10, "Werk");
    EXPECT_EQ(k.format, BEF_ZA4);
    EXPECT_EQ(abschnitt("Btl")[0], "0001|H|0|DS-Motor|MOT3|Motor 3~|1|1|50.00000|100.00000|009");
    EXPECT_EQ(abschnitt("Wse")[0], "KLEMME|12.00000|34.00000|009");
    EXPECT_EQ(titelEn("Plan.009", 0), "Old");
    EXPECT_EQ(titelEn("Plan.001", 0), "");
    EXPECT_EQ(verteilt(), V{"2998/9"});
}

TEST_F(ZeiOpsTest, PropertiesRefuseAnExistingTargetAndUndoAFailedWrite)
{
    zeichnung("Plan.001", "a");
    zeichnung("Plan.002");
    const std::string btl = lesen(pfad("BMittel.zvk"));
    ZeiEigenEingabe e;
    ASSERT_EQ(ZeiEigenLesen("Plan.001", &e), 0);
    std::strcpy(e.seite, "002");
    EXPECT_EQ(ZeiEigenSpeichern("Plan.001", &e), -1);
    EXPECT_EQ(meldungen(), V{TextNr(19)});

    // The equipment file cannot be written: name, header and keys stay.
    std::strcpy(e.seite, "007");
    std::strcpy(e.index, "z");
    {
        PlFehlerScope scope;
        plFehlerSetzen(PlFehlerArt::Schreiben, 1, true);
        EXPECT_EQ(ZeiEigenSpeichern("Plan.001", &e), -1);
    }
    EXPECT_EQ(zeichnungen(), (V{"Plan.001", "Plan.002"}));
    EXPECT_STREQ(kopf("Plan.001").kurz, "a");
    EXPECT_EQ(lesen(pfad("BMittel.zvk")), btl);
    BMListenVerwerfen();
    EXPECT_TRUE(verteilt().empty());
}

// ---- renumbering ------------------------------------------------------------------

TEST_F(ZeiOpsTest, RenumberChecksReportEveryFailure)
{
    EXPECT_EQ(ZeiUmnrPruefen("Plan", "Plan.001", "Plan.005", "003", ""), 0);
    EXPECT_TRUE(meldungen().empty());
    struct Fall {
        const char *name, *von, *seite, *feld;
        V texte;
    } faelle[] = {
        {"", "Plan.001", "003", "", {TextNr(16)}},
        {"Plan", "Plan.001", "", "", {TextNr(16)}},
        {"Pl.an", "Plan.001", "003", "", {TextNr(405)}},
        {"Plan", "Plan.001", "12b", "", {TextNr(407)}},
        {"Plan", "Plan.001", "12B", "", {TextNr(407)}},
        {"Plan", "Plan.001", "A12", "E1x", {TextNr(407)}},
        {"Pl.an", "", "1a", "", {TextNr(16), TextNr(405), TextNr(407)}},
    };
    for (const Fall& f : faelle) {
        meldungen().clear();
        EXPECT_EQ(ZeiUmnrPruefen(f.name, f.von, "Plan.005", f.seite, f.feld), -1) << f.seite;
        EXPECT_EQ(meldungen(), f.texte) << f.name << " " << f.seite;
    }
}

TEST_F(ZeiOpsTest, NumberShiftKeepsPrefixAndLength)
{
    struct Fall {
        const char *ext, *praefix;
        int min, shift;
        const char* ergebnis;
    } faelle[] = {
        {"002", "A", 4, 9, "A011"},   // "Seite neu" A010 from 001
        {"005", "", 3, 2, "007"},
        {"X7", "", 1, 3, "10"},       // trailing digit run
        {"12b", "", 2, 1, "13"},      // a leading digit takes the number whole
        {"", "", 3, 4, "004"},        // the shift with the configured digit count
    };
    for (const Fall& f : faelle) {
        char aus[40];
        ZeiNrVerschieben(aus, sizeof aus, f.ext, f.praefix, f.min, f.shift);
        EXPECT_STREQ(aus, f.ergebnis) << f.ext;
    }
}

TEST_F(ZeiOpsTest, RenumberIntoItsOwnRangeRunsBackwardsAndKeysFollow)
{
    for (const char* n : {"Plan.001", "Plan.002", "Plan.003", "Plan.004", "Plan.005"}) zeichnung(n, "", n);
    ASSERT_EQ(FstxTitelSetzenSprache("Plan.005", 1, 1, "Five"), 0);
    ASSERT_EQ(FstxBeenden(1), 0);
    liste();
    ASSERT_EQ(ZeiUmnummerieren("Plan.001", "Plan.005", "Plan", "003", ""), 0);
    EXPECT_EQ(zeichnungen(), (V{"Plan.003", "Plan.004", "Plan.005", "Plan.006", "Plan.007"}));
    EXPECT_STREQ(kopf("Plan.007").titel[0], "Plan.005");
    EXPECT_STREQ(kopf("Plan.003").titel[0], "Plan.001");
    V btl = abschnitt("Btl");
    ASSERT_EQ(btl.size(), 4u);
    // Components re-sorted; every key moved by two.
    std::string alle;
    for (const std::string& z : btl) alle += z.substr(z.rfind('|') + 1) + " ";
    EXPECT_NE(alle.find("003"), std::string::npos);
    EXPECT_NE(alle.find("007"), std::string::npos);
    EXPECT_NE(alle.find("005"), std::string::npos);
    EXPECT_EQ(alle.find("001"), std::string::npos);
    EXPECT_EQ(abschnitt("Wse"), (V{"KLEMME|12.00000|34.00000|003", "SCHALTER|15.00000|35.00000|004"}));
    EXPECT_EQ(titelEn("Plan.007", 1), "Five");
    EXPECT_EQ(verteilt(), V{"2998/9"});
}

TEST_F(ZeiOpsTest, RenumberWithPrefixAndOntoOutsideDrawings)
{
    for (const char* n : {"Plan.001", "Plan.002", "Plan.003", "Plan.005"}) zeichnung(n);
    liste();
    const std::string btl = lesen(pfad("BMittel.zvk"));
    // 001 and 002 onto 004 and 005: 005 lies outside the range.
    EXPECT_EQ(ZeiUmnummerieren("Plan.001", "Plan.002", "Plan", "004", ""), -1);
    EXPECT_EQ(meldungen(), V{TextNr(19)});
    EXPECT_EQ(zeichnungen(), (V{"Plan.001", "Plan.002", "Plan.003", "Plan.005"}));
    EXPECT_EQ(lesen(pfad("BMittel.zvk")), btl);

    // A010 from 001: prefix A, shift 9, four places.
    ASSERT_EQ(ZeiUmnummerieren("Plan.001", "Plan.002", "Plan", "A010", ""), 0);
    EXPECT_EQ(zeichnungen(), (V{"Plan.003", "Plan.005", "Plan.A010", "Plan.A011"}));
    EXPECT_EQ(abschnitt("Wse"), (V{"KLEMME|12.00000|34.00000|A010", "SCHALTER|15.00000|35.00000|A011"}));
}

TEST_F(ZeiOpsTest, RenumberThatCannotWriteTheEquipmentRenamesNothing)
{
    for (const char* n : {"Plan.001", "Plan.002"}) zeichnung(n);
    liste();
    const std::string btl = lesen(pfad("BMittel.zvk"));
    {
        PlFehlerScope scope;
        plFehlerSetzen(PlFehlerArt::Schreiben, 1, true);
        EXPECT_EQ(ZeiUmnummerieren("Plan.001", "Plan.002", "Plan", "010", ""), -1);
    }
    EXPECT_EQ(zeichnungen(), (V{"Plan.001", "Plan.002"}));
    EXPECT_EQ(lesen(pfad("BMittel.zvk")), btl);
    EXPECT_TRUE(verteilt().empty());
}

// ---- delete --------------------------------------------------------------------------

TEST_F(ZeiOpsTest, DeleteRemovesFilesPlacementsUnusedItemsAndTitles)
{
    for (const char* n : {"Plan.001", "Plan.002", "Plan.003"}) zeichnung(n);
    ASSERT_EQ(FstxTitelSetzenSprache("Plan.002", 0, 1, "Two"), 0);
    ASSERT_EQ(FstxTitelSetzenSprache("Plan.003", 0, 1, "Three"), 0);
    ASSERT_EQ(FstxBeenden(1), 0);
    liste({"Plan.002", "Plan.003"});
    ASSERT_EQ(ZeiLoeschen(), 0);
    EXPECT_EQ(zeichnungen(), V{"Plan.001"});
    EXPECT_EQ(abschnitt("Wse"), V{"KLEMME|12.00000|34.00000|001"});
    V ges = abschnitt("Ges");
    ASSERT_EQ(ges.size(), 1u);  // Schuetz (003) and Lampe (002) lost their only placement
    EXPECT_EQ(ges[0].substr(0, 4), "0001");
    EXPECT_EQ(titelEn("Plan.002", 0), "");
    EXPECT_EQ(titelEn("Plan.003", 0), "");
    EXPECT_EQ(verteilt(), V{"2998/9"});
    for (const std::string& n : namen()) EXPECT_EQ(n.find(".~lo"), std::string::npos) << n;
}

TEST_F(ZeiOpsTest, DeleteThatCannotWriteTheEquipmentKeepsEverything)
{
    for (const char* n : {"Plan.001", "Plan.002"}) zeichnung(n);
    liste({"Plan.002"});
    const std::string btl = lesen(pfad("BMittel.zvk"));
    {
        PlFehlerScope scope;
        plFehlerSetzen(PlFehlerArt::Schreiben, 1, true);
        EXPECT_EQ(ZeiLoeschen(), -1);
    }
    EXPECT_EQ(zeichnungen(), (V{"Plan.001", "Plan.002"}));
    EXPECT_EQ(lesen(pfad("BMittel.zvk")), btl);
    EXPECT_TRUE(verteilt().empty());
}

// ---- index and date, texts --------------------------------------------------------------

TEST_F(ZeiOpsTest, IndexAndDateSetHeaderAndFileTime)
{
    zeichnung("Plan.001", "a", "Titel");
    zeichnung("Plan.002", "b");
    DATZEIT vorher;
    ASSERT_EQ(dateizeit(pfad("Plan.002").c_str(), &vorher), 0);
    liste({"Plan.001"});
    ASSERT_EQ(ZeiIdxSetzen("X", "24.12.2021", "10:30"), 0);
    EXPECT_STREQ(kopf("Plan.001").kurz, "X");
    EXPECT_STREQ(kopf("Plan.001").titel[0], "Titel");
    EXPECT_STREQ(kopf("Plan.002").kurz, "b");
    DATZEIT z;
    ASSERT_EQ(dateizeit(pfad("Plan.001").c_str(), &z), 0);
    EXPECT_EQ(z.datum.jahr, 121);
    EXPECT_EQ(z.datum.monat, 12);
    EXPECT_EQ(z.datum.tag, 24);
    EXPECT_EQ(z.stunde, 10);
    EXPECT_EQ(z.minute, 30);

    // "00.00.0000": the index is cleared, the file time stays.
    liste({"Plan.002"});
    ASSERT_EQ(ZeiIdxSetzen("", "00.00.0000", "00:00"), 0);
    EXPECT_STREQ(kopf("Plan.002").kurz, "");
    DATZEIT nachher;
    ASSERT_EQ(dateizeit(pfad("Plan.002").c_str(), &nachher), 0);
    EXPECT_NE(nachher.datum.jahr, 0);
    EXPECT_EQ(verteilt(), (V{"2998/9", "2998/9"}));
}

TEST_F(ZeiOpsTest, IndexThatCannotBeWrittenPutsEarlierHeadersBack)
{
    zeichnung("Plan.001", "a");
    zeichnung("Plan.002", "b");
    liste({"Plan.001", "Plan.002"});
    PlFehlerScope scope;
    plFehlerSetzen(PlFehlerArt::Umbenennen, 3);  // 001 takes two renames, 002 fails
    EXPECT_EQ(ZeiIdxSetzen("N", "00.00.0000", ""), -1);
    plFehlerAllesAus();
    EXPECT_STREQ(kopf("Plan.001").kurz, "a");
    EXPECT_STREQ(kopf("Plan.002").kurz, "b");
    ASSERT_EQ(meldungen().size(), 1u);
}

TEST_F(ZeiOpsTest, TextMergeModes)
{
    struct Fall {
        const char *ziel, *quelle;
        int modus;
        const char* ergebnis;
    } faelle[] = {
        {"alt", "neu", 1, "alt"}, {"", "neu", 1, "neu"}, {"", "", 1, ""},
        {"alt", "neu", 2, "neu"}, {"alt", "", 2, "alt"},
        {"alt", "", 3, ""},      {"alt", "neu", 3, "neu"},
        {"", "0123456789ABC", 3, "0123456789"},  // cut to the width
    };
    for (const Fall& f : faelle) {
        char z[81];
        std::strcpy(z, f.ziel);
        ZeiTextUebernehmen(z, f.quelle, 10, f.modus);
        EXPECT_STREQ(z, f.ergebnis) << f.ziel << "/" << f.quelle << "/" << f.modus;
    }
}

TEST_F(ZeiOpsTest, TextsMergeOnlyCheckedFieldsOfMarkedDrawings)
{
    zeichnung("Plan.001", "", "Titel A");
    zeichnung("Plan.002", "", "");
    liste({"Plan.001", "Plan.002"});
    ZeiTextEingabe e;
    ZeiTexteVorbereiten(&e);
    EXPECT_STREQ(e.titel[0], "Titel A");
    std::strcpy(e.titel[0], "Neu");
    std::strcpy(e.bauwerk, "Werk");
    EXPECT_EQ(ZeiTexteSetzen(1, &e), 0);  // no check box: nothing to do
    EXPECT_EQ(ZeiTexteSetzen(0, &e), 0);
    e.titelAn[0] = 1;
    e.bauwerkAn = 1;
    ASSERT_EQ(ZeiTexteSetzen(1, &e), 1);  // "Nur ergänzen"
    EXPECT_STREQ(kopf("Plan.001").titel[0], "Titel A");
    EXPECT_STREQ(kopf("Plan.002").titel[0], "Neu");
    EXPECT_STREQ(kopf("Plan.001").text10, "Werk");
    e.bauwerk[0] = '\0';
    ASSERT_EQ(ZeiTexteSetzen(3, &e), 1);  // "Überschreiben und löschen"
    EXPECT_STREQ(kopf("Plan.001").titel[0], "Neu");
    EXPECT_STREQ(kopf("Plan.001").text10, "");
    EXPECT_EQ(verteilt(), (V{"2998/9", "2998/9"}));
}

// ---- scale removal -------------------------------------------------------------------------

TEST_F(ZeiOpsTest, ScaleRemovalScalesCoordinatesAndDropsScaleRecords)
{
    zeichnung("Plan.001", "i", "T", {satz(11, {2.0}), satz(BEF_ZL, {10, 20}), satz(10, {1.0})});
    zeichnung("Plan.002", "", "", {satz(11, {1.0}), satz(BEF_ZL, {10, 20})});
    liste({"Plan.001", "Plan.002"});
    ASSERT_EQ(ZeiMstEntfernen(0), 0);
    for (const char* n : {"Plan.001", "Plan.002"}) {
        const double f = std::strcmp(n, "Plan.001") == 0 ? 2.0 : 1.0;
        bool linie = false;
        for (const BEF& b : saetze(pfad(n))) {
            EXPECT_NE(b.code, 10) << n;
            EXPECT_NE(b.code, 11) << n;
            if (b.code == BEF_ZL) {
                linie = true;
                EXPECT_DOUBLE_EQ(b.darg[0], 10 * f) << n;
                EXPECT_DOUBLE_EQ(b.darg[1], 20 * f) << n;
            }
        }
        EXPECT_TRUE(linie) << n;
    }
    EXPECT_STREQ(kopf("Plan.001").kurz, "i");
    EXPECT_STREQ(kopf("Plan.001").titel[0], "T");
    EXPECT_EQ(verteilt(), V{"2998/9"});
}

TEST_F(ZeiOpsTest, ScaleRemovalThatCannotWriteLeavesTheDrawing)
{
    zeichnung("Plan.001", "", "", {satz(11, {2.0}), satz(BEF_ZL, {10, 20})});
    const std::string vorher = lesen(pfad("Plan.001"));
    PlFehlerScope scope;
    plFehlerSetzen(PlFehlerArt::Schreiben, 1, true);
    EXPECT_EQ(MstEntfernen("Plan.001", 0), -1);
    plFehlerAllesAus();
    EXPECT_EQ(lesen(pfad("Plan.001")), vorher);
    EXPECT_EQ(meldungen().size(), 1u);
}

TEST_F(ZeiOpsTest, ScaleRemovalWrapsComponentPlacementsInTheScale)
{
    zeichnung("Plan.001", "", "", {satz(11, {2.0}), satz(80, {}, "KASTEN"), satz(BEF_ZL, {1, 1})});
    ASSERT_EQ(MstEntfernen("Plan.001", 0), 0);
    std::vector<std::string> codes;
    for (const BEF& b : saetze(pfad("Plan.001"))) {
        if (b.code == BEF_ZAT || b.code == BEF_ZTX || b.code == 27 || b.code == 30 || b.code == 33) continue;
        codes.push_back(std::to_string(b.code) + (b.code == 11 ? "(" + std::to_string(b.darg[0]) + ")" : ""));
    }
    EXPECT_EQ(codes, (V{"11(2.000000)", "80", "11(0.500000)", "40"}));

    // Resolved: the placement itself is not written.
    zeichnung("Plan.002", "", "", {satz(80, {}, "KASTEN")});
    ASSERT_EQ(MstEntfernen("Plan.002", 1), 0);
    for (const BEF& b : saetze(pfad("Plan.002"))) EXPECT_NE(b.code, 80);
}

TEST_F(ZeiOpsTest, InAnotherLanguageTitleLinesGoToTheTranslations)
{
    zeichnung("Plan.001", "", "Deutsch");
    SprSetzen(1);
    ASSERT_EQ(SprNummer(), 1);
    ZeiEigenEingabe e;
    ASSERT_EQ(ZeiEigenLesen("Plan.001", &e), 0);
    EXPECT_STREQ(e.titel[0], "Deutsch");  // no translation yet
    std::strcpy(e.titel[0], "English");
    ASSERT_EQ(ZeiEigenSpeichern("Plan.001", &e), 0);
    EXPECT_STREQ(kopf("Plan.001").titel[0], "Deutsch");
    EXPECT_EQ(titelEn("Plan.001", 0), "English");
    ASSERT_EQ(ZeiEigenLesen("Plan.001", &e), 0);
    EXPECT_STREQ(e.titel[0], "English");

    // Texts merge into the translations whatever the check boxes.
    liste({"Plan.001"});
    ZeiTextEingabe t{};
    std::strcpy(t.titel[1], "Second");
    t.bauwerkAn = 1;
    std::strcpy(t.bauwerk, "Werk");
    ASSERT_EQ(ZeiTexteSetzen(2, &t), 1);
    EXPECT_EQ(titelEn("Plan.001", 1), "Second");
    EXPECT_EQ(titelEn("Plan.001", 0), "English");  // an empty field takes nothing in mode 2
    EXPECT_STREQ(kopf("Plan.001").titel[1], "");
    EXPECT_STREQ(kopf("Plan.001").text10, "");
}

// ---- the dialogs ------------------------------------------------------------------------------

std::vector<std::string>& hauptPosts()
{
    static std::vector<std::string> v;
    return v;
}

LRESULT CALLBACK zdHauptProz(HWND h, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProc(h, m, wp, lp); }

// The dialogs from the program's own templates on the headless window
// system, with a main window and the frame's loop body.
class ZeiDlgTest : public ZeiOpsTest {
protected:
    void SetUp() override
    {
        ZeiOpsTest::SetUp();
        projpruef::dialogWirt(ordner, 800, 600, zdHauptProz);
        if (HasFatalFailure()) return;
        hauptPosts().clear();
        WiSeitenDienst d{};
        d.verteilen = [](int id, LPARAM lp) { verteilt().push_back(std::to_string(id) + "/" + std::to_string(lp)); };
        d.hauptPost = [](int id, LPARAM) { hauptPosts().push_back(std::to_string(id)); };
        wiSeitenDienstSetzen(d);
    }
    void TearDown() override
    {
        wiDlgAlleSchliessen();
        projpruef::dialogWirtEnde();
        ZeiOpsTest::TearDown();
    }
    static void pumpe() { projpruef::dlgPumpen(); }
    static void befehl(HWND dlg, int id)
    {
        SendMessage(dlg, WM_COMMAND, static_cast<WPARAM>(id), 0);
        pumpe();
    }
    static std::string text(HWND dlg, int id)
    {
        char t[300] = "";
        GetDlgItemText(dlg, id, t, sizeof t);
        return t;
    }
    static bool offen(const char* name) { return wiDlgSuchen(name) != 0; }
};

TEST_F(ZeiDlgTest, NewDrawingDialogCreatesAndTellsThePage)
{
    HWND dlg = ZeiAnlegenOeffnen("", "Plan", "E.001");
    ASSERT_NE(dlg, 0u);
    pumpe();
    EXPECT_EQ(text(dlg, 3000), "Plan");
    EXPECT_EQ(text(dlg, 3011), "E");
    EXPECT_EQ(text(dlg, 3010), "001");
    EXPECT_EQ(GetFocus(), GetDlgItem(dlg, 3020));  // name and page given
    EXPECT_EQ(IsWindowVisible(GetDlgItem(dlg, 2990)), FALSE);  // no speller

    SetDlgItemText(dlg, 3011, "E.1");
    befehl(dlg, 2500);
    EXPECT_EQ(meldungen(), V{TextNr(405)});
    EXPECT_TRUE(offen("ZeiAnlegen"));

    SetDlgItemText(dlg, 3011, "E");
    SetDlgItemText(dlg, 3050, "a");
    SetDlgItemText(dlg, 3022, "Dritter");
    befehl(dlg, 1);  // Enter acts like 2500
    EXPECT_FALSE(offen("ZeiAnlegen"));
    EXPECT_EQ(zeichnungen(), V{"Plan.E.001"});
    EXPECT_STREQ(kopf("Plan.E.001").titel[2], "Dritter");
    EXPECT_STREQ(kopf("Plan.E.001").kurz, "a");
    EXPECT_EQ(hauptPosts(), V{"1801"});
    char p[PVWNAMESUP + 1], v[ZOVORLAGESUP + 1];
    EXPECT_EQ(ZeiNeuPfade(p, v), 1);
    EXPECT_STREQ(p, "Plan.E.001");
}

TEST_F(ZeiDlgTest, NewDrawingDialogClosedWithoutCreatingPostsNothing)
{
    HWND dlg = ZeiAnlegenOeffnen("", "", "");
    ASSERT_NE(dlg, 0u);
    pumpe();
    EXPECT_EQ(GetFocus(), GetDlgItem(dlg, 3000));
    befehl(dlg, 2501);
    EXPECT_FALSE(offen("ZeiAnlegen"));
    EXPECT_TRUE(hauptPosts().empty());
}

TEST_F(ZeiDlgTest, PropertiesDialogShowsAndSavesTheHeader)
{
    zeichnung("Plan.001", "a", "Titel");
    HWND dlg = ZeiEigenOeffnen("Plan.001");
    ASSERT_NE(dlg, 0u);
    pumpe();
    EXPECT_EQ(text(dlg, 3000), "Plan");
    EXPECT_EQ(text(dlg, 3001), "001");
    EXPECT_EQ(text(dlg, 3010), "Titel");
    EXPECT_EQ(text(dlg, 3030), "a");
    EXPECT_EQ(text(dlg, 3040), std::to_string(kopf("Plan.001").version));
    EXPECT_EQ(GetFocus(), GetDlgItem(dlg, 3030));

    befehl(dlg, 2520);  // copy, change, paste back
    SetDlgItemText(dlg, 3010, "anders");
    befehl(dlg, 2521);
    EXPECT_EQ(text(dlg, 3010), "Titel");

    SetDlgItemText(dlg, 3001, "004");
    SetDlgItemText(dlg, 3030, "b");
    befehl(dlg, 2500);
    EXPECT_FALSE(offen("ZeiEigen"));
    EXPECT_EQ(zeichnungen(), V{"Plan.004"});
    EXPECT_STREQ(kopf("Plan.004").kurz, "b");
    EXPECT_EQ(abschnitt("Wse")[0], "KLEMME|12.00000|34.00000|004");
}

TEST_F(ZeiDlgTest, RenumberDialogStaysOpenOnARefusal)
{
    for (const char* n : {"Plan.001", "Plan.002", "Plan.003"}) zeichnung(n);
    liste({"Plan.002", "Plan.003"});
    HWND dlg = ZeiUmnrOeffnen("Plan.001");
    ASSERT_NE(dlg, 0u);
    pumpe();
    EXPECT_EQ(text(dlg, 3000), "Plan");
    EXPECT_EQ(text(dlg, 3010), "Plan.002");
    EXPECT_EQ(text(dlg, 3020), "Plan.003");
    EXPECT_EQ(GetFocus(), GetDlgItem(dlg, 3030));
    SetDlgItemText(dlg, 3030, "12b");
    befehl(dlg, 2500);
    EXPECT_EQ(meldungen(), V{TextNr(407)});
    EXPECT_TRUE(offen("ZeiUmnr"));
    SetDlgItemText(dlg, 3030, "010");
    befehl(dlg, 2500);
    EXPECT_FALSE(offen("ZeiUmnr"));
    EXPECT_EQ(zeichnungen(), (V{"Plan.001", "Plan.010", "Plan.011"}));
}

TEST_F(ZeiDlgTest, CountDialogsRunOnTheMarkedDrawings)
{
    zeichnung("Plan.001", "a");
    zeichnung("Plan.002", "b", "", {satz(11, {2.0}), satz(BEF_ZL, {1, 2})});
    liste({"Plan.002"});

    HWND dlg = ZeiIdxOeffnen(1);
    ASSERT_NE(dlg, 0u);
    EXPECT_EQ(text(dlg, 3000), "1");
    EXPECT_EQ(text(dlg, 3020), "00.00.0000");
    EXPECT_EQ(text(dlg, 3030), "00:00");
    SetDlgItemText(dlg, 3010, "Z");
    SetDlgItemText(dlg, 3020, "31.02.2024");
    befehl(dlg, 2500);
    EXPECT_TRUE(offen("ZeiIdxset"));  // an impossible date: open for correcting
    EXPECT_STREQ(kopf("Plan.002").kurz, "b");
    SetDlgItemText(dlg, 3020, "00.00.0000");
    befehl(dlg, 2500);
    EXPECT_FALSE(offen("ZeiIdxset"));
    EXPECT_STREQ(kopf("Plan.002").kurz, "Z");

    dlg = ZeiMstOeffnen(1);
    ASSERT_NE(dlg, 0u);
    befehl(dlg, 2500);
    EXPECT_FALSE(offen("ZeiMstEntf"));
    for (const BEF& b : saetze(pfad("Plan.002"))) EXPECT_NE(b.code, 11);

    dlg = ZeiTxtOeffnen(1);
    ASSERT_NE(dlg, 0u);
    SetDlgItemText(dlg, 3010, "Kurz");
    SendMessage(GetDlgItem(dlg, 3020), BM_SETCHECK, BST_CHECKED, 0);
    befehl(dlg, 2500);  // "Nicht übernehmen": the dialog stays
    EXPECT_TRUE(offen("ZeiTxtset"));
    SendMessage(GetDlgItem(dlg, 3120), BM_SETCHECK, BST_UNCHECKED, 0);
    SendMessage(GetDlgItem(dlg, 3122), BM_SETCHECK, BST_CHECKED, 0);
    befehl(dlg, 2500);
    EXPECT_FALSE(offen("ZeiTxtset"));
    EXPECT_STREQ(kopf("Plan.002").titel[0], "Kurz");
    EXPECT_STREQ(kopf("Plan.001").titel[0], "");

    dlg = ZeiLoeschenOeffnen(1);
    ASSERT_NE(dlg, 0u);
    befehl(dlg, 2501);
    EXPECT_EQ(zeichnungen(), (V{"Plan.001", "Plan.002"}));
    dlg = ZeiLoeschenOeffnen(1);
    befehl(dlg, 2500);
    EXPECT_FALSE(offen("ZeiLoesch"));
    EXPECT_EQ(zeichnungen(), V{"Plan.001"});
}



// Nothing lost: a rename and a deletion with a failure at call k of each
// kind end in the old state (and a message, from the page or the equipment
// writer) or the complete new one.
TEST_F(ZeiOpsTest, RenameAndDeleteUnderFailuresEndWholeOneWayOrTheOther)
{
    zeichnung("Plan.001", "a", "Alt");
    zeichnung("Plan.002", "b");
    const std::string btl = lesen(pfad("BMittel.zvk"));
    const std::string z1 = lesen(pfad("Plan.001")), z2 = lesen(pfad("Plan.002"));
    auto zurueck = [&] {
        for (const std::string& n : namen())
            if (n != "BMittel.zvk") fs::remove(pfad(n));
        schreiben(pfad("Plan.001"), z1);
        schreiben(pfad("Plan.002"), z2);
        schreiben(pfad("BMittel.zvk"), btl);
        BMListenVerwerfen();
        DatAenderungenLoeschen();
    };
    for (PlFehlerArt art : {PlFehlerArt::Oeffnen, PlFehlerArt::Lesen, PlFehlerArt::Schreiben,
                            PlFehlerArt::Umbenennen, PlFehlerArt::Schliessen}) {
        for (int k = 1; k < 60; ++k) {
            zurueck();
            meldungen().clear();
            warnungen().clear();
            ZeiEigenEingabe e;
            ASSERT_EQ(ZeiEigenLesen("Plan.001", &e), 0);
            std::strcpy(e.seite, "007");
            std::strcpy(e.index, "z");
            plFehlerSetzen(art, k);
            const int r = ZeiEigenSpeichern("Plan.001", &e);
            const bool ausgeloest = plFehlerAusgeloest(art) > 0;
            plFehlerAllesAus();
            BMListenVerwerfen();
            for (const std::string& n : namen()) {
                EXPECT_EQ(n.find(".~lo"), std::string::npos) << n;
                EXPECT_EQ(n.find(".TMP"), std::string::npos) << n;
            }
            if (r == 0) {
                EXPECT_EQ(zeichnungen(), (V{"Plan.002", "Plan.007"})) << static_cast<int>(art) << " " << k;
                EXPECT_STREQ(kopf("Plan.007").kurz, "z");
                if (!ausgeloest) break;
                continue;
            }
            EXPECT_FALSE(meldungen().empty() && warnungen().empty()) << static_cast<int>(art) << " " << k;
            EXPECT_EQ(zeichnungen(), (V{"Plan.001", "Plan.002"})) << static_cast<int>(art) << " " << k;
            EXPECT_STREQ(kopf("Plan.001").kurz, "a") << static_cast<int>(art) << " " << k;
            EXPECT_EQ(lesen(pfad("BMittel.zvk")), btl) << static_cast<int>(art) << " " << k;
        }
        for (int k = 1; k < 60; ++k) {
            zurueck();
            meldungen().clear();
            warnungen().clear();
            liste({"Plan.002"});
            plFehlerSetzen(art, k);
            const int r = ZeiLoeschen();
            const bool ausgeloest = plFehlerAusgeloest(art) > 0;
            plFehlerAllesAus();
            BMListenVerwerfen();
            for (const std::string& n : namen()) EXPECT_EQ(n.find(".~lo"), std::string::npos) << n;
            if (r == 0) {
                EXPECT_EQ(zeichnungen(), V{"Plan.001"}) << static_cast<int>(art) << " " << k;
                if (!ausgeloest) break;
                continue;
            }
            EXPECT_FALSE(meldungen().empty() && warnungen().empty()) << static_cast<int>(art) << " " << k;
            EXPECT_EQ(zeichnungen(), (V{"Plan.001", "Plan.002"})) << static_cast<int>(art) << " " << k;
            EXPECT_EQ(lesen(pfad("BMittel.zvk")), btl) << static_cast<int>(art) << " " << k;
        }
    }
}

// Nothing lost, for the other operations: create, renumber, index and date,
// texts and scale removal, each with a failure at call k of each kind until
// it completes. After each: the old bytes with a message, or the complete
// new form (scale removal: per drawing), the equipment file old or moved
// with the drawings, and no temporary file.
TEST_F(ZeiOpsTest, CreateRenumberIndexTextsAndScaleUnderFailuresLoseNothing)
{
    zeichnung("Plan.001", "a", "Alt", {satz(11, {2.0}), satz(BEF_ZL, {10, 20})});
    zeichnung("Plan.002", "b", "", {satz(11, {2.0}), satz(BEF_ZL, {10, 20})});
    std::map<std::string, std::string> alt;
    for (const std::string& n : namen()) alt[n] = lesen(pfad(n));
    auto zurueck = [&] {
        for (const std::string& n : namen()) fs::remove(pfad(n));
        for (const auto& [n, t] : alt) schreiben(pfad(n), t);
        BMListenVerwerfen();
        DatAenderungenLoeschen();
        PvwListeZuruecksetzen();
    };
    auto wieVorher = [&](const std::string& n) { return fs::exists(pfad(n)) && lesen(pfad(n)) == alt[n]; };
    auto umgerechnet = [&](const std::string& n) {
        for (const BEF& b : saetze(pfad(n)))
            if (b.code == 11 || (b.code == BEF_ZL && b.darg[0] != 20)) return false;
        return true;
    };
    auto indexNeu = [&](const char* n) { return std::strcmp(kopf(n).kurz, "X") == 0; };
    auto textNeu = [&](const char* n) { return std::strcmp(kopf(n).titel[1], "Neu") == 0; };
    struct Op {
        const char* name;
        V markiert;  // the list is read and marked before the fault is armed
        std::function<int()> lauf;
        std::function<bool()> neu;      // the complete new form
        std::function<bool()> ganz;     // after a failure: every drawing whole
    };
    const std::vector<Op> ops = {
        {"create",
         {},
         [] {
             ZeiNeuEingabe e;
             ZeiNeuVorbereiten(&e, "Plan.001", "Plan", "003");
             std::strcpy(e.index, "n");
             return ZeiAnlegen(&e, 1);
         },
         [&] { return zeichnungen() == V{"Plan.001", "Plan.002", "Plan.003"} && std::strcmp(kopf("Plan.003").kurz, "n") == 0; },
         [&] { return zeichnungen() == V{"Plan.001", "Plan.002"} && wieVorher("Plan.001") && wieVorher("Plan.002"); }},
        {"renumber",
         {},
         [&] {
             return ZeiUmnummerieren("Plan.001", "Plan.002", "Plan", "005", "");
         },
         [&] { return zeichnungen() == V{"Plan.005", "Plan.006"} && std::strcmp(kopf("Plan.005").kurz, "a") == 0; },
         [&] {
             return zeichnungen() == V{"Plan.001", "Plan.002"} && wieVorher("Plan.001") && wieVorher("Plan.002") &&
                    wieVorher("BMittel.zvk");
         }},
        {"index",
         {"Plan.001", "Plan.002"},
         [&] {
             return ZeiIdxSetzen("X", "24.12.2021", "10:30");
         },
         [&] { return indexNeu("Plan.001") && indexNeu("Plan.002"); },
         // An unreadable drawing is passed over: each whole, old or new.
         [&] { return (wieVorher("Plan.001") || indexNeu("Plan.001")) && (wieVorher("Plan.002") || indexNeu("Plan.002")); }},
        {"texts",
         {"Plan.001", "Plan.002"},
         [&] {
             ZeiTextEingabe e;
             ZeiTexteVorbereiten(&e);
             std::strcpy(e.titel[1], "Neu");
             e.titelAn[1] = 1;
             return ZeiTexteSetzen(3, &e) < 0 ? -1 : 0;
         },
         [&] { return textNeu("Plan.001") && textNeu("Plan.002"); },
         [&] { return (wieVorher("Plan.001") || textNeu("Plan.001")) && (wieVorher("Plan.002") || textNeu("Plan.002")); }},
        {"scale",
         {"Plan.001", "Plan.002"},
         [&] {
             return ZeiMstEntfernen(0);
         },
         [&] { return umgerechnet("Plan.001") && umgerechnet("Plan.002"); },
         [&] {
             return (wieVorher("Plan.001") || umgerechnet("Plan.001")) && (wieVorher("Plan.002") || umgerechnet("Plan.002"));
         }},
    };
    for (const Op& op : ops) {
        for (PlFehlerArt art : {PlFehlerArt::Oeffnen, PlFehlerArt::Lesen, PlFehlerArt::Schreiben,
                                PlFehlerArt::Umbenennen, PlFehlerArt::Schliessen}) {
            for (int k = 1;; ++k) {
                ASSERT_LT(k, 80) << op.name << " never completes";
                zurueck();
                meldungen().clear();
                warnungen().clear();
                liste(op.markiert);
                plFehlerSetzen(art, k);
                const int r = op.lauf();
                const bool ausgeloest = plFehlerAusgeloest(art) > 0;
                plFehlerAllesAus();
                BMListenVerwerfen();
                const std::string wo = std::string(op.name) + " kind " + std::to_string(static_cast<int>(art)) + " call " +
                                       std::to_string(k);
                for (const std::string& n : namen()) {
                    std::string klein = n;
                    for (char& c : klein) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
                    EXPECT_EQ(klein.find(".~lo"), std::string::npos) << n << " " << wo;
                    EXPECT_FALSE(klein.size() > 4 && klein.compare(klein.size() - 4, 4, ".tmp") == 0) << n << " " << wo;
                }
                if (r == 0) {
                    EXPECT_TRUE(op.neu()) << wo;
                    if (!ausgeloest) break;
                    continue;
                }
                EXPECT_FALSE(meldungen().empty() && warnungen().empty()) << wo;
                EXPECT_TRUE(op.ganz()) << wo;
            }
        }
    }
}

// ---- names, dates and temporary files ----------------------------------------------------------

TEST_F(ZeiOpsTest, FolderPartsInNameFieldOrPageAreRefusedEverywhere)
{
    zeichnung("Plan.001", "a");
    const auto vorher = namen();
    struct {
        const char* feld;  // "name", "feld" or "seite"
        const char* wert;
        char zeichen;
    } faelle[] = {
        {"name", "sub/x", '/'}, {"name", "a\\b", '\\'}, {"name", "c:d", ':'},
        {"feld", "sub/x", '/'}, {"seite", "a\\b", '\\'}, {"seite", "c:d", ':'},
    };
    for (const auto& f : faelle) {
        const std::string erwartet = std::string("Der Name darf kein \"") + f.zeichen + "\" enthalten.";
        auto setzen = [&](char* name, char* feld, char* seite) {
            std::strcpy(name, "Neu");
            std::strcpy(feld, "");
            std::strcpy(seite, "005");
            char* ziel = std::strcmp(f.feld, "name") == 0 ? name : std::strcmp(f.feld, "feld") == 0 ? feld : seite;
            std::strcpy(ziel, f.wert);
        };
        meldungen().clear();
        ZeiNeuEingabe n{};
        setzen(n.name, n.feld, n.seite);
        EXPECT_EQ(ZeiAnlegen(&n, 1), ERROR) << f.wert;
        ZeiEigenEingabe e{};
        ASSERT_EQ(ZeiEigenLesen("Plan.001", &e), 0);
        setzen(e.name, e.feld, e.seite);
        EXPECT_EQ(ZeiEigenSpeichern("Plan.001", &e), ERROR) << f.wert;
        ZeiNeuEingabe u{};
        setzen(u.name, u.feld, u.seite);
        EXPECT_EQ(ZeiUmnrPruefen(u.name, "Plan.001", "Plan.001", u.seite, u.feld), ERROR) << f.wert;
        EXPECT_EQ(meldungen(), (V{erwartet, erwartet, erwartet})) << f.wert;
        EXPECT_EQ(namen(), vorher) << f.wert;
    }
}

TEST_F(ZeiOpsTest, ImpossibleDatesAndTimesAreRefusedBeforeAnythingChanges)
{
    zeichnung("Plan.001", "a");
    liste({"Plan.001"});
    DATZEIT vorher;
    ASSERT_EQ(dateizeit(pfad("Plan.001").c_str(), &vorher), 0);
    struct {
        const char* datum;
        const char* zeit;
        int ergebnis;
    } faelle[] = {
        {"31.02.2024", "10:00", ERROR}, {"29.02.2023", "", ERROR}, {"01.13.2024", "", ERROR},
        {"1.1.2024x", "", ERROR},       {"01.01.2024", "24:00", ERROR}, {"01.01.2024", "12:60", ERROR},
        {"00.00.0000", "00:00", 0},     {"29.02.2024", "23:59", 0},
    };
    for (const auto& f : faelle) {
        meldungen().clear();
        EXPECT_EQ(ZeiIdxSetzen("X", f.datum, f.zeit), f.ergebnis) << f.datum << " " << f.zeit;
        if (f.ergebnis == 0) continue;
        EXPECT_EQ(meldungen().size(), 1u) << f.datum;
        EXPECT_STREQ(kopf("Plan.001").kurz, "a") << f.datum;
    }
    DATZEIT z;
    ASSERT_EQ(dateizeit(pfad("Plan.001").c_str(), &z), 0);
    EXPECT_EQ(z.datum.tag, 29);
    EXPECT_EQ(z.datum.monat, 2);
    EXPECT_EQ(z.stunde, 23);
}

TEST_F(ZeiOpsTest, ScaleRemovalLeavesAUsersTmpFileAlone)
{
    zeichnung("Plan.001", "", "", {satz(11, {2.0}), satz(BEF_ZL, {10, 20})});
    schreiben(pfad("Plan.tmp"), "meine Notizen");
    liste({"Plan.001"});
    ASSERT_EQ(ZeiMstEntfernen(0), 0);
    EXPECT_EQ(lesen(pfad("Plan.tmp")), "meine Notizen");
    for (const BEF& b : saetze(pfad("Plan.001"))) EXPECT_NE(b.code, 11);
}

}  // namespace
