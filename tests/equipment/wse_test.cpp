// Unassigned placements: position matches during a command, drawing keys,
// and the group-text lookup with its running numbers.
#include <fcntl.h>
#include <sys/stat.h>

#include <cstring>
#include <fstream>
#include <sstream>

#include "equipment/btl.h"
#include "equipment/ges.h"
#include "equipment/projdienst.h"
#include "equipment/utitel.h"
#include "equipment/wse.h"
#include "model/zeichnun.h"
#include "tests/equipment/bmtest.h"

using namespace bmtest;

namespace {

struct Wse : BmTest {
    void SetUp() override
    {
        BmTest::SetUp();
        ProjModuleStarten();
        BMStart();
    }
    void TearDown() override
    {
        ProjModuleBeenden();
        BmTest::TearDown();
    }
    static appwaise eintrag(const char* name, double x, double y, const char* ze)
    {
        appwaise w{};
        std::strcpy(w.name, name);
        w.x = x;
        w.y = y;
        std::strcpy(w.ze, ze);
        return w;
    }
    static void geraet(uint32_t id, const char* t6, const char* t7, const char* kg, const char* ze, double x)
    {
        appgeraet g{};
        g.id = id;
        std::strcpy(g.t6, t6);
        std::strcpy(g.t7, t7);
        std::strcpy(g.kg, kg);
        ASSERT_EQ(GesEinfuegen(&g), 0);
        appbteil h{};
        h.id = id;
        std::strcpy(h.cd, "H");
        h.platziert = 1;
        h.x = x;
        h.y = 10;
        std::strcpy(h.ze, ze);
        ASSERT_EQ(BtlEintragAnhaengen(&h), 0);
    }
    static std::string text1(uint32_t id)
    {
        char t[64];
        WseGruppenText1(id, t, sizeof t);
        return t;
    }
};

TEST_F(Wse, PositionMatchesDuringACommand)
{
    appwaise a = eintrag("KL", 10, 10, "001"), b = eintrag("KL", 10, 10, "001");
    WseAnlegen(&a);
    WseAnlegen(&b);
    // The first with mark 1 moves; moved, it is not taken again at its old place.
    EXPECT_EQ(WsePlatzVerschieben("KL", "Plan.001", 10.5, 9.5, 50, 50), 1);
    EXPECT_EQ(WsePlatzVerschieben("KL", "plan.001", 10, 10, 60, 60), 1);
    EXPECT_EQ(WsePlatzVerschieben("KL", "Plan.001", 10, 10, 70, 70), 0);
    appwaise w;
    WseNrHolen(0, &w);
    EXPECT_DOUBLE_EQ(w.x, 50);
    EXPECT_EQ(w.platziert, 2);
    WseMarkenBestaetigen();
    WseNrHolen(1, &w);
    EXPECT_EQ(w.platziert, 1);
    EXPECT_EQ(WsePlatzVerschieben("KL", "Plan.001", 11, 10, 0, 0), 0);  // |dx| < 1 strictly
    EXPECT_EQ(WseUmbenennen("KL", "KLEMME", "Plan.001", 60, 60), 1);
    // Freeing takes the last match, whatever its mark.
    a = eintrag("KLEMME", 60, 60, "001");
    WseAnlegen(&a);
    EXPECT_EQ(WsePlatzFreigeben("KLEMME", "Plan.001", 60, 60), 1);
    EXPECT_EQ(WseAnzahl(), 2);
    WseNrHolen(1, &w);
    EXPECT_STREQ(w.name, "KLEMME");
}

TEST_F(Wse, DrawingKeysAreRenamedWholeAndRemoved)
{
    appwaise a = eintrag("A", 1, 1, "001"), b = eintrag("B", 1, 1, "002");
    WseAnlegen(&a);
    WseAnlegen(&b);
    WseZeichnungUmbenennen("001", "ABCDEFGHIJKL");  // 12 characters stay whole
    appwaise w;
    WseNrHolen(0, &w);
    EXPECT_STREQ(w.ze, "ABCDEFGHIJKL");
    WseZeichnungEntfernen("Plan.002");
    EXPECT_EQ(WseAnzahl(), 1);
    for (int i = 0; i < 1200; ++i) WseAnlegen(&b);
    EXPECT_EQ(WseAnzahl(), WSESUP - 1);
}

TEST_F(Wse, GroupTextsAndRunningNumbers)
{
    ZeiKopf kopf{};
    std::strcpy(kopf.text10, "Kopf 10");
    std::strcpy(kopf.text11, "Kopf 11");
    ZeiKopfEintragen("002", &kopf);
    geraet(1, "A", "B", "-K1", "001", 10);
    geraet(2, "a", "b", "-K1", "001", 5);   // equal ignoring case, left of item 1
    geraet(3, "A", "B", "-K2", "001", 1);
    geraet(4, "", "", "-K1", "002", 1);     // texts from the drawing header
    EXPECT_EQ(WseCacheLaufNr(2), 1);
    EXPECT_EQ(WseCacheLaufNr(1), 2);
    EXPECT_EQ(WseCacheLaufNr(3), 1);
    EXPECT_EQ(text1(4), "Kopf 10");
    char t2[64];
    WseGruppenText2(4, t2, sizeof t2);
    EXPECT_STREQ(t2, "Kopf 11");
    EXPECT_EQ(WseCacheLaufNr(99), 0);
    EXPECT_EQ(text1(99), "");

    // Writing resets the component counter: built at 1 after one write,
    // the lookup must still see a change that brings it to 1 again.
    ASSERT_EQ(BMDateiSchreiben(), 0);
    appbteil h;
    ASSERT_EQ(BtlSuchen(3, "H", 0, &h), 1);
    h.x = 20;
    BtlEintragAendern(3, "H", 0, &h);
    ASSERT_EQ(BtlAenderZaehler(), 1);
    EXPECT_EQ(WseCacheLaufNr(3), 1);
    ASSERT_EQ(BMDateiSchreiben(), 0);
    geraet(5, "A", "B", "-K1", "001", 1);
    ASSERT_EQ(BtlAenderZaehler(), 1);
    EXPECT_EQ(WseCacheLaufNr(5), 1);
    EXPECT_EQ(WseCacheLaufNr(1), 3);
}

// The group texts outlive a reload of the lists only while the store file,
// and the headers and titles they came from, are unchanged.
TEST_F(Wse, GroupTextsFollowTheStoreAcrossReloads)
{
    const auto neuLaden = [] {
        BMListenVerwerfen();
        BMDateiAktuell(0);
    };
    ZeiKopf kopf{};
    std::strcpy(kopf.text10, "Kopf A");
    std::strcpy(kopf.text11, "Kopf B");
    ZeiKopfEintragen("002", &kopf);
    geraet(1, "Gruppe-1", "B", "-K1", "001", 10);
    geraet(2, "Gruppe-1", "B", "-K1", "001", 5);
    geraet(3, "", "", "-K1", "002", 1);
    ASSERT_EQ(BMDateiSchreiben(), 0);
    neuLaden();
    EXPECT_EQ(text1(1), "Gruppe-1");
    EXPECT_EQ(WseCacheLaufNr(1), 2);
    EXPECT_EQ(text1(3), "Kopf A");
    neuLaden();
    EXPECT_EQ(text1(1), "Gruppe-1");
    EXPECT_EQ(WseCacheLaufNr(1), 2);

    // Changed by the program and written.
    appgeraet g;
    ASSERT_EQ(GesHolen(1, &g), 0);
    std::strcpy(g.t6, "Gruppe-2");
    ASSERT_EQ(GesAendern(1, &g), 0);
    ASSERT_EQ(BMDateiSchreiben(), 0);
    neuLaden();
    EXPECT_EQ(text1(1), "Gruppe-2");
    EXPECT_EQ(WseCacheLaufNr(1), 1);

    // Changed in place by another program: same file, size and modification
    // time; only the status time tells.
    const std::string datei = pfad("BMittel.zvk");
    struct stat vor;
    ASSERT_EQ(::stat(datei.c_str(), &vor), 0);
    std::stringstream inhalt;
    inhalt << std::ifstream(datei, std::ios::binary).rdbuf();
    std::string text = inhalt.str();
    const size_t stelle = text.find("Gruppe-2");
    ASSERT_NE(stelle, std::string::npos);
    text[stelle + 7] = '3';
    std::ofstream(datei, std::ios::binary | std::ios::in | std::ios::out) << text;
    const timespec zeiten[2] = {vor.st_atim, vor.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, datei.c_str(), zeiten, 0), 0);
    struct stat nach;
    ASSERT_EQ(::stat(datei.c_str(), &nach), 0);
    ASSERT_EQ(nach.st_ino, vor.st_ino);
    ASSERT_EQ(nach.st_mtim.tv_nsec, vor.st_mtim.tv_nsec);
    neuLaden();
    EXPECT_EQ(text1(1), "Gruppe-3");

    // A header the texts came from changes between two loads.
    std::strcpy(kopf.text10, "Kopf C");
    ZeiKopfEintragen("002", &kopf);
    neuLaden();
    EXPECT_EQ(text1(3), "Kopf C");
}

}  // namespace
