// Row texts of the equipment list dialogs and the library switch of the
// dispo and principle lists.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "editdlg/bmlisten.h"
#include "model/befehl.h"
#include "model/beffifo.h"

namespace {

std::vector<std::string> schlange()
{
    std::vector<std::string> v;
    while (BefAnzahl() > 0) {
        BEF b;
        BefVorne(&b);
        BefEntfernen();
        v.push_back(std::to_string(b.code) + ":" + b.text);
    }
    return v;
}

TEST(BmListen, ComponentRowIsReadBackWordByWord)
{
    appbteil b{};
    b.id = 0x2A;
    std::strcpy(b.cd, "U");
    b.nr = 3;
    b.platziert = 1;
    std::strcpy(b.bl, "KONTAKT");
    const std::string lang(70, 'x');
    for (const std::string& sichtbar : {std::string("U   KONTAKT    Schliesser"), lang}) {
        char z[200];
        Db1359Zeile(z, sizeof z, sichtbar.c_str(), &b);
        EXPECT_EQ(std::string(z).substr(60), "1 002A U 3 KONTAKT");
        int p = 0, nr = 0;
        uint32_t id = 0;
        char code[9], name[41];
        ASSERT_EQ(Db1359ZeileLesen(z, &p, &id, code, sizeof code, &nr, name, sizeof name), 0);
        EXPECT_EQ(p, 1);
        EXPECT_EQ(id, 0x2Au);
        EXPECT_STREQ(code, "U");
        EXPECT_EQ(nr, 3);
        EXPECT_STREQ(name, "KONTAKT");
    }
    int p, nr;
    uint32_t id;
    char code[9], name[41];
    EXPECT_EQ(Db1359ZeileLesen("zu kurz", &p, &id, code, sizeof code, &nr, name, sizeof name), -1);
    const std::string ohneName = std::string(60, ' ') + "0 0001 U 1";
    EXPECT_EQ(Db1359ZeileLesen(ohneName.c_str(), &p, &id, code, sizeof code, &nr, name, sizeof name), -1);
}

TEST(BmListen, IdentifierWidthByItsLength)
{
    const struct {
        const char* kenn;
        std::string aus;
    } faelle[] = {{"K1", "K1        "},
                  {"0123456789", "0123456789"},
                  {"=A1-K1", "=A1-K1    "},
                  {"=A1+B2-K12", "=A1+B2-K12"},
                  {"=A1+B2-K12X", "=A1+B2-K12X     "},
                  {"=ANLAGE1+ORT2-K12345", "=ANLAGE1+ORT2-K12345"},
                  {"=ANLAGE1+ORT2-K123456", "=ANLAGE1+ORT2-K12345"}};
    for (const auto& f : faelle) {
        char a[40];
        Db1362Kennung(a, sizeof a, f.kenn);
        EXPECT_EQ(std::string(a), f.aus) << f.kenn;
    }
}

TEST(BmListen, LibrarySwitchQueuesOnlyARememberedLibrary)
{
    BefQueueInit();
    BefLeeren();
    Db1362Bib z{};
    Db1362BibOeffnen(&z, "PRI", "pri");  // the principle library is current
    EXPECT_TRUE(schlange().empty());
    Db1362BibSchliessen(&z);
    EXPECT_TRUE(schlange().empty());  // no BD with an empty name

    Db1362BibOeffnen(&z, "PRI", "L10");
    EXPECT_EQ(schlange(), std::vector<std::string>{"35:PRI"});
    Db1362BibSchliessen(&z);
    EXPECT_EQ(schlange(), std::vector<std::string>{"35:L10"});
    Db1362BibSchliessen(&z);
    EXPECT_TRUE(schlange().empty());
}

}  // namespace
