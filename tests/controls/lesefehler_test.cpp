// A list file whose second block cannot be read: the record list and the
// sectioned table say so, hold one fresh record instead of the first block's
// records, and never write that list over the file; read whole again, both
// load and save as usual. Also the button bar, which shows nothing then.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "controls/elseite.h"
#include "controls/elzeile.h"
#include "controls/tbleiste.h"
#include "platform/fehlersim.h"
#include "platform/nachrichtbox.h"
#include "support/speicher.h"
#include "support/texte.h"
#include "tests/controls/ctlh3_pruef.h"

namespace {

using h3::LISTE;

struct Satz {
    ElsKopf kopf;  // the table's records begin with their section
    char text[60];
};

int satzLesen(void* p, const char* zeile)
{
    Satz* s = static_cast<Satz*>(p);
    if (zeile[0] == ')') return 2;
    strkopie(s->text, sizeof s->text, zeile, 59);
    return 1;
}

void satzFormat(const void* p, char* zeile, int groesse)
{
    std::snprintf(zeile, static_cast<size_t>(groesse), "%s", static_cast<const Satz*>(p)->text);
}

void satzNeu(void* p) { std::snprintf(static_cast<Satz*>(p)->text, sizeof Satz::text, "neu"); }

std::string lies(const std::string& pfad)
{
    std::ifstream f(pfad, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

class Lesefehler : public h3::Fixture {};

TEST_F(Lesefehler, AListReadShortHoldsAFreshRecordAndIsNotWrittenOverTheFile)
{
    struct Fall {
        const char* name;
        std::function<void()> anlegen;
        std::function<void(const char*)> laden;
        std::function<int(const char*)> speichern;
        std::function<int()> anzahl;
        std::function<const Satz*(int)> satz;
        std::function<void()> freigeben;
    };
    const Fall faelle[] = {
        {"record list", [] { ElzAnlegen(LISTE, sizeof(Satz), satzLesen, satzFormat, satzNeu); },
         [](const char* p) { ElzLaden(LISTE, p); }, [](const char* p) { return ElzSpeichern(LISTE, p); },
         [] { return ElzAnzahl(LISTE); }, [](int i) { return static_cast<const Satz*>(ElzSatz(LISTE, i)); },
         [] { ElzFreigeben(LISTE); }},
        {"sectioned table", [] { ElsAnlegen(LISTE, sizeof(Satz), satzLesen, satzFormat, satzNeu, satzNeu, ""); },
         [](const char* p) { ElsLesen(LISTE, p); }, [](const char* p) { return ElsSchreiben(LISTE, p); },
         [] { return ElsAnzahl(LISTE); }, [](int i) { return static_cast<const Satz*>(ElsSatz(LISTE, i)); },
         [] { ElsFreigeben(LISTE); }},
    };
    // Two blocks; the section line keeps the table's file its own.
    std::string inhalt = ")S A\r\n";
    for (int i = 0; i < 300; ++i) inhalt += "Zeile " + std::to_string(i) + "\r\n";
    ASSERT_GT(inhalt.size(), 2048u);
    const std::string pfad = std::string("/tmp/velmo_h3_kurz_") + std::to_string(::getpid()) + ".txt";
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        {
            std::ofstream(pfad, std::ios::binary) << inhalt;
        }
        f.anlegen();
        plNachrichtBoxFragenLeeren();
        {
            PlFehlerScope scope;
            plFehlerSetzen(PlFehlerArt::Lesen, 2, true);  // the first block reads, the second not
            f.laden(pfad.c_str());
            EXPECT_EQ(plFehlerAusgeloest(PlFehlerArt::Lesen), 1);
        }
        ASSERT_EQ(f.anzahl(), 1);
        EXPECT_STREQ(f.satz(0)->text, "neu");
        ASSERT_EQ(plNachrichtBoxFragen().size(), 1u);
        EXPECT_EQ(plNachrichtBoxFragen()[0].text, "Kann " + pfad + " nicht lesen.");
        EXPECT_EQ(f.speichern(pfad.c_str()), -1);
        EXPECT_EQ(lies(pfad), inhalt);

        // Read whole, the list is the file's and goes back as it came.
        f.laden(pfad.c_str());
        ASSERT_EQ(f.anzahl(), 300);
        EXPECT_STREQ(f.satz(299)->text, "Zeile 299");
        EXPECT_EQ(f.speichern(pfad.c_str()), 0);
        EXPECT_EQ(lies(pfad).substr(lies(pfad).size() - 11), "Zeile 299\r\n");
        f.freigeben();
    }
    std::remove(pfad.c_str());
}

TEST_F(Lesefehler, AButtonBarReadShortShowsNoButton)
{
    // The bar begins in the first block and ends in the second.
    std::string inhalt;
    for (int i = 0; i < 30; ++i) inhalt += "; " + std::string(60, '-') + "\r\n";
    inhalt += ")S Leiste\r\n";
    for (int i = 0; i < 30; ++i) inhalt += "K" + std::to_string(i) + " Knopf " + std::to_string(i) + "\r\n";
    ASSERT_LT(inhalt.find(")S Leiste"), 2048u);
    ASSERT_GT(inhalt.size(), 2048u);
    const std::string pfad = std::string("/tmp/velmo_h3_leiste_") + std::to_string(::getpid()) + ".txt";
    {
        std::ofstream(pfad, std::ios::binary) << inhalt;
    }
    plNachrichtBoxFragenLeeren();
    {
        PlFehlerScope scope;
        plFehlerSetzen(PlFehlerArt::Lesen, 2, true);
        EXPECT_EQ(tbLeisteAnlegen(0, 0, 5000, pfad.c_str(), "Leiste"), -1);
    }
    EXPECT_EQ(tbLeisteAnzahl(), 0);
    EXPECT_EQ(GetDlgItem(dlg, 5001), 0u);
    ASSERT_EQ(plNachrichtBoxFragen().size(), 1u);
    EXPECT_EQ(plNachrichtBoxFragen()[0].text, "Kann " + pfad + " nicht lesen.");
    std::remove(pfad.c_str());
}

}  // namespace
