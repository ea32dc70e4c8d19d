// Copying drawings between project folders: target names, the merge of two
// equipment files with the source's items renumbered and the references of
// the copied drawings rewritten, refusals that write nothing, single copies,
// and a folder copy with failures injected that loses nothing.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "config/reaktion.h"
#include "config/verzeich.h"
#include "model/befehl.h"
#include "model/zeichnun.h"
#include "platform/fehlersim.h"
#include "project/verzkopie.h"
#include "tests/equipment/projtest.h"

using namespace projtest;
using V = std::vector<std::string>;

namespace {

class VerzKopieTest : public ProjTest {
protected:
    fs::path quelle, ziel;
    void SetUp() override
    {
        ProjTest::SetUp();
        quelle = ordner / "ANL1";
        ziel = ordner / "ANL2";
        fs::create_directories(quelle);
        fs::create_directories(ziel);
        VerSetzen(1, ziel.string().c_str());
    }
    // A drawing from text records (each a placed text).
    static void zeichnung(const fs::path& p, const V& texte)
    {
        const fs::path t = p.string() + ".quelle";
        std::string s = "VER 10\nZAT \"a\" \"b\" \"c\"\n";
        for (const std::string& x : texte) s += "_BA 10,0000 10,0000\nTFA \"" + x + "\"\n";
        s += "ZA3\n";
        schreiben(t.string(), s);
        ASSERT_EQ(ZeiAusText(p.c_str(), t.c_str()), 1);
        fs::remove(t);
    }
    static V texte(const fs::path& p)
    {
        V v;
        ZeiDatei d{};
        if (ZeiDateiLesend(&d, p.c_str()) != 0) return {"<fehlt>"};
        BEF b;
        while (ZeiBefLesen(&d, &b) == 0)
            if (BefIstText(b.code)) v.push_back(b.text);
        ZeiDateiVerwerfen(&d);
        return v;
    }
    static std::map<std::string, std::string> stand(const fs::path& o)
    {
        std::map<std::string, std::string> m;
        for (const auto& e : fs::directory_iterator(o))
            if (e.is_regular_file()) m[e.path().filename().string()] = lesen(e.path().string());
        return m;
    }
    int kopieren(const V& namen, std::string* meldung)
    {
        std::vector<const char*> n;
        for (const std::string& s : namen) n.push_back(s.c_str());
        char m[VKMELDUNGSUP + 1];
        const int r = VerzKopieren(n.data(), static_cast<int>(n.size()), quelle.c_str(), m, sizeof m);
        *meldung = m;
        return r;
    }
};

std::string ges(int von, int bis)
{
    std::string s;
    for (int i = von; i <= bis; ++i) {
        char t[64];
        std::snprintf(t, sizeof t, "%04X\x1c" "0\x1c" "Ziel %d\n", i, i);
        s += t;
    }
    return s;
}

TEST(VerzZielName, FolderNamePrefixIsReplaced)
{
    struct Fall {
        const char *datei, *quelle, *ziel, *erwartet;
    };
    for (const Fall& f : {Fall{"ANL1.001", "ANL1", "ANL2", "ANL2.001"}, Fall{"ANL10.001", "ANL1", "ANL2", "ANL10.001"},
                          Fall{"ANL1.001", "ANL10", "ANL2", "ANL2.001"}, Fall{"anl1.001", "ANL1", "ANL2", "anl1.001"},
                          Fall{"Plan.001", "ANL1", "ANL2", "Plan.001"}, Fall{"ANL1", "ANL1", "X", "X"}}) {
        char n[VERZPFADSUP + 1];
        VerzZielName(f.datei, f.quelle, f.ziel, n, sizeof n);
        EXPECT_STREQ(n, f.erwartet) << f.datei << " " << f.quelle;
    }
}

TEST_F(VerzKopieTest, MergeRenumbersSourceItemsAndRewritesReferences)
{
    const std::string zielBm = "zvkA\n)S Ges\n" + ges(1, 0x2A) + ")S Btl\n0001\x1cZ\n)S Gtx\n)S Ztx\n)S Wse\nW-ziel\n)S Vgb\nZiel 1\n)E\n";
    schreiben((ziel / "BMittel.zvk").string(), zielBm);
    schreiben((quelle / "BMittel.zvk").string(),
              "zvkA\n)S Ges\n0001\x1c" "0\x1cQ1\n0005\x1c" "0\x1cQ5\n)S Btl\n0005\x1c" "B5\n0007\x1c" "B7\n)S Gtx\n"
              "0001\x1cG1\n)S Ztx\n)S Wse\nW-quelle\n)S Vgb\nQuelle 1\n)E\n");
    zeichnung(quelle / "ANL1.001", {"K @Y0005B1", "@Yes", "@Y00G1", "@Y0009B", "X @Y0001"});
    // Project texts in both: the source's item texts follow the new numbers.
    schreiben((ziel / "Texte.zvk").string(), "zvkT\n)S FSText\n" + felder({"S", "001-1", "2", "ziel"}) + "\n)E\n");
    schreiben((quelle / "Texte.zvk").string(),
              "zvkT\n)S FSText\n" + felder({"G", "0005-H-0-1", "2", "quelle"}) + "\n)E\n");
    std::string m;
    ASSERT_EQ(kopieren({"ANL1.001", "BMittel.zvk"}, &m), 0) << m;
    EXPECT_EQ(m, "");
    EXPECT_EQ(lesen((ziel / "BMittel.zvk").string()),
              "zvkA\n)S Ges\n" + ges(1, 0x2A) + "002B\x1c" "0\x1cQ1\n002C\x1c" "0\x1cQ5\n)S Btl\n0001\x1cZ\n002C\x1c" "B5\n"
              ")S Gtx\n002B\x1cG1\n)S Ztx\n)S Wse\nW-ziel\nW-quelle\n)S Vgb\nZiel 1\n)E\n");
    EXPECT_EQ(lesen((ziel / "BMittel.BAK").string()), zielBm);
    EXPECT_EQ(texte(ziel / "ANL2.001"), (V{"K @Y002CB1", "@Yes", "@Y00G1", "@Y0009B", "X @Y002B"}));
    EXPECT_EQ(BmtNeu(5), 0u);   // the map lives for one copy
    const std::string texte = lesen((ziel / "Texte.zvk").string());
    EXPECT_NE(texte.find(felder({"G", "002C-H-0-1", "2", "quelle"})), std::string::npos) << texte;
    EXPECT_NE(texte.find(felder({"S", "001-1", "2", "ziel"})), std::string::npos) << texte;
}

TEST_F(VerzKopieTest, EquipmentOnlyInTheTargetStaysAndReferencesAreKept)
{
    const std::string zielBm = "zvkA\n)S Ges\n" + ges(1, 2) + ")S Btl\n)S Gtx\n)S Ztx\n)S Wse\n)E\n";
    schreiben((ziel / "BMittel.zvk").string(), zielBm);
    zeichnung(quelle / "Plan.001", {"@Y0001B"});
    schreiben((quelle / "Notiz.txt").string(), "n");
    schreiben((ziel / "Alt.txt").string(), "ziel");
    schreiben((quelle / "Alt.txt").string(), "quelle");
    std::string m;
    ASSERT_EQ(kopieren({"Plan.001", "Notiz.txt"}, &m), 0) << m;
    EXPECT_EQ(lesen((ziel / "BMittel.zvk").string()), zielBm);
    EXPECT_FALSE(fs::exists(ziel / "BMittel.BAK"));
    EXPECT_EQ(texte(ziel / "Plan.001"), V{"@Y0001B"});
    EXPECT_EQ(lesen((ziel / "Notiz.txt").string()), "n");
    EXPECT_EQ(lesen((ziel / "Alt.txt").string()), "ziel");
}

TEST_F(VerzKopieTest, CollisionsAndLimitsAreRefusedBeforeAnythingIsWritten)
{
    fs::rename(quelle, ordner / "ANL10");
    quelle = ordner / "ANL10";
    zeichnung(quelle / "ANL1.001", {"a"});
    zeichnung(quelle / "ANL10.001", {"b"});
    schreiben((quelle / "Notiz.txt").string(), "n");
    const auto vorher = stand(ziel);
    std::string m;
    EXPECT_EQ(kopieren({"ANL1.001", "ANL10.001"}, &m), -1);
    EXPECT_NE(m.find("Doppelte Zeichnungsnamen"), std::string::npos);
    EXPECT_NE(m.find("ANL2.001"), std::string::npos);
    EXPECT_EQ(stand(ziel), vorher);

    // An existing target.
    fs::remove(quelle / "ANL10.001");
    zeichnung(ziel / "ANL2.001", {"z"});
    EXPECT_EQ(kopieren({"ANL1.001"}, &m), -1);
    EXPECT_NE(m.find("ANL2.001"), std::string::npos);
    fs::remove(ziel / "ANL2.001");

    // Numbers past FFFF and more than 9,999 items.
    struct Fall {
        std::string zielGes, quelleGes;
    };
    for (const Fall& f : {Fall{"FFF0\x1cx\n", ges(1, 0x10)}, Fall{ges(1, 9990), ges(1, 10)}}) {
        schreiben((ziel / "BMittel.zvk").string(), "zvkA\n)S Ges\n" + f.zielGes + ")E\n");
        schreiben((quelle / "BMittel.zvk").string(), "zvkA\n)S Ges\n" + f.quelleGes + ")E\n");
        const auto davor = stand(ziel);
        EXPECT_EQ(kopieren({"ANL1.001"}, &m), -1);
        EXPECT_NE(m.find("Betriebsmittel"), std::string::npos) << m;
        EXPECT_EQ(stand(ziel), davor);
    }
}

TEST_F(VerzKopieTest, SingleCopiesWithoutEquipment)
{
    zeichnung(quelle / "ANL1.001", {"@Y0001B", "Text @Y0002B1 Ende", "frei"});
    schreiben((quelle / "Liste.pdf").string(), "%PDF");
    EXPECT_EQ(DateiKopierenVerz((quelle / "ANL1.001").c_str()), -1);
    EXPECT_EQ(ZeiKopierenOhneBM((quelle / "Liste.pdf").c_str()), -1);
    ASSERT_EQ(ZeiKopierenOhneBM((quelle / "ANL1.001").c_str()), 0);
    EXPECT_EQ(texte(ziel / "ANL2.001"), (V{"Text  Ende", "frei"}));
    EXPECT_EQ(ZeiKopierenOhneBM((quelle / "ANL1.001").c_str()), -1);   // the target exists now
    ASSERT_EQ(DateiKopierenVerz((quelle / "Liste.pdf").c_str()), 0);
    EXPECT_EQ(lesen((ziel / "Liste.pdf").string()), "%PDF");
    EXPECT_EQ(DateiKopierenVerz((quelle / "Liste.pdf").c_str()), -1);
}

TEST_F(VerzKopieTest, CopyRenamedAfterTheNewFolder)
{
    schreiben((quelle / "anl1.pdf").string(), "p");
    schreiben((quelle / "Andere.pdf").string(), "a");
    ASSERT_EQ(ZeiKopierenUmbenannt((quelle / "anl1.pdf").c_str(), (ziel / "anl1.pdf").c_str()), 0);
    ASSERT_EQ(ZeiKopierenUmbenannt((quelle / "Andere.pdf").c_str(), (ziel / "Andere.pdf").c_str()), 0);
    EXPECT_EQ(stand(ziel), (std::map<std::string, std::string>{{"ANL2.pdf", "p"}, {"Andere.pdf", "a"}}));
}

// Nothing lost: a folder copy with a merge, failing at call k of each kind
// until it completes. After each run: the target's equipment file holds its
// old bytes or the complete merged form, every drawing is absent or
// complete, a failure gave a report, and no temporary file is left.
TEST_F(VerzKopieTest, DamagedSheetsAreListedAmongTheFailures)
{
    // A sheet emptied or cut before its magic was passed over as if it were
    // no drawing: the copy said it had done everything.
    zeichnung(quelle / "ANL1.001", {"eins"});
    schreiben((quelle / "ANL1.002").string(), "");
    schreiben((quelle / "ANL1.003").string(), "zv");
    schreiben((quelle / "Foto.jpeg").string(), "kein Blatt");
    std::string m;
    EXPECT_EQ(kopieren({"ANL1.001", "ANL1.002", "ANL1.003", "Foto.jpeg"}, &m), -1);
    EXPECT_NE(m.find((quelle / "ANL1.002").string()), std::string::npos) << m;
    EXPECT_NE(m.find((quelle / "ANL1.003").string()), std::string::npos) << m;
    EXPECT_EQ(m.find("Foto"), std::string::npos) << m;
    EXPECT_EQ(texte(ziel / "ANL2.001"), V{"eins"}) << "the sound sheet is copied all the same";
    EXPECT_FALSE(fs::exists(ziel / "ANL2.002"));
}

TEST_F(VerzKopieTest, FolderCopyLosesNothingUnderInjectedFailures)
{
    const std::string zielBm = "zvkA\n)S Ges\n" + ges(1, 3) + ")S Btl\n)S Gtx\n)S Ztx\n)S Wse\n)E\n";
    schreiben((quelle / "BMittel.zvk").string(), "zvkA\n)S Ges\n" + ges(1, 2) + ")S Btl\n)S Gtx\n)S Ztx\n)S Wse\n)E\n");
    zeichnung(quelle / "ANL1.001", {"@Y0001B"});
    zeichnung(quelle / "ANL1.002", {"@Y0002B"});
    schreiben((quelle / "Notiz.txt").string(), "n");
    const V namen{"ANL1.001", "ANL1.002", "BMittel.zvk", "Notiz.txt"};
    auto zuruecksetzen = [&] {
        for (const auto& e : fs::directory_iterator(ziel)) fs::remove(e.path());
        schreiben((ziel / "BMittel.zvk").string(), zielBm);
    };
    zuruecksetzen();
    std::string m;
    ASSERT_EQ(kopieren(namen, &m), 0) << m;
    const auto fertig = stand(ziel);
    for (PlFehlerArt art : {PlFehlerArt::Oeffnen, PlFehlerArt::Lesen, PlFehlerArt::Schreiben, PlFehlerArt::Umbenennen,
                            PlFehlerArt::Schliessen}) {
        for (int k = 1; k < 200; ++k) {
            zuruecksetzen();
            int r;
            {
                PlFehlerScope s;
                plFehlerSetzen(art, k);
                r = kopieren(namen, &m);
                if (plFehlerAusgeloest(art) == 0) {
                    EXPECT_EQ(r, 0);
                    EXPECT_EQ(stand(ziel), fertig);
                    break;
                }
            }
            const auto jetzt = stand(ziel);
            const std::string bm = jetzt.count("BMittel.zvk") ? jetzt.at("BMittel.zvk") : "<fehlt>";
            EXPECT_TRUE(bm == zielBm || bm == fertig.at("BMittel.zvk")) << static_cast<int>(art) << "/" << k;
            for (const auto& [n, b] : jetzt) {
                if (n == "BMittel.zvk") continue;
                EXPECT_TRUE(fertig.count(n) && (b == fertig.at(n) || (n == "BMittel.BAK" && b == zielBm)))
                    << static_cast<int>(art) << "/" << k << " " << n;
            }
            if (jetzt != fertig) {
                EXPECT_FALSE(m.empty()) << static_cast<int>(art) << "/" << k;
            }
            // Drawings only after the merged equipment file is in place.
            if (jetzt.count("ANL2.001")) {
                EXPECT_NE(bm, zielBm) << static_cast<int>(art) << "/" << k;
            }
        }
    }
}

// Nothing lost: the single copies of the folder tree's "take over" commands
// with a failure at call k of each kind until they complete. After each
// run the target is absent or complete, a failure returned -1, the source
// keeps its bytes and no temporary file is left in either folder.
TEST_F(VerzKopieTest, SingleCopiesLoseNothingUnderInjectedFailures)
{
    zeichnung(quelle / "ANL1.001", {"@Y0001B", "frei"});
    schreiben((quelle / "Liste.pdf").string(), std::string(40000, 'p'));
    const auto quellStand = stand(quelle);
    const struct {
        const char* name;
        std::function<int()> lauf;
    } faelle[] = {
        {"ANL2.001", [&] { return ZeiKopierenOhneBM((quelle / "ANL1.001").c_str()); }},
        {"Liste.pdf", [&] { return DateiKopierenVerz((quelle / "Liste.pdf").c_str()); }},
        {"ANL2.pdf", [&] { return ZeiKopierenUmbenannt((quelle / "Liste.pdf").c_str(), (ziel / "anl1.pdf").c_str()); }},
    };
    for (const auto& f : faelle) {
        for (const auto& e : fs::directory_iterator(ziel)) fs::remove(e.path());
        ASSERT_EQ(f.lauf(), 0) << f.name;
        const auto fertig = stand(ziel);
        ASSERT_EQ(fertig.size(), 1u) << f.name;
        for (PlFehlerArt art : {PlFehlerArt::Oeffnen, PlFehlerArt::Lesen, PlFehlerArt::Schreiben, PlFehlerArt::Umbenennen,
                                PlFehlerArt::Schliessen}) {
            for (int k = 1; k < 100; ++k) {
                for (const auto& e : fs::directory_iterator(ziel)) fs::remove(e.path());
                int r;
                {
                    PlFehlerScope s;
                    plFehlerSetzen(art, k);
                    r = f.lauf();
                    if (plFehlerAusgeloest(art) == 0) {
                        EXPECT_EQ(r, 0) << f.name;
                        EXPECT_EQ(stand(ziel), fertig) << f.name;
                        break;
                    }
                }
                const auto jetzt = stand(ziel);
                const std::string wo = std::string(f.name) + " " + std::to_string(static_cast<int>(art)) + "/" +
                                       std::to_string(k);
                EXPECT_TRUE(jetzt.empty() || jetzt == fertig) << wo;
                if (jetzt.empty()) {
                    EXPECT_EQ(r, -1) << wo;
                }
                EXPECT_EQ(stand(quelle), quellStand) << wo;
            }
        }
    }
}

}  // namespace
