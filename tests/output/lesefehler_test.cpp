// Tables of the output read when their file cannot be read: the font table
// keeps its values, says so and is not written over the file (the old table
// wrote its start values over every font of it); the colour names report a
// failure instead of an empty table. Readable again, both load the file.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "output/farbe.h"
#include "output/schrift.h"
#include "platform/fehlersim.h"
#include "platform/nachrichtbox.h"
#include "tests/output/stiltest.h"

namespace {

struct Lesefehler : ::testing::Test {
    StOrdner ordner;
    void SetUp() override
    {
        SchriftNeuLaden();
        RgbVergessen();
    }
    void TearDown() override
    {
        SchriftNeuLaden();
        SchriftEnde();
        RgbVergessen();
    }
};

std::string schrift(int n)
{
    char t[SCHRIFTNAMESUP + 1];
    SchriftName(n, t, sizeof t);
    return t;
}

TEST_F(Lesefehler, ATableReadShortIsNotTakenNorWrittenOver)
{
    struct Fall {
        const char* datei;
        std::string inhalt;
        std::function<int()> lesen;      // < 0: failed
        int gut;                         // its result when read whole
        std::function<int()> schreiben;  // the write that follows, when there is one
        bool gesagt;
    };
    const Fall faelle[] = {
        {"Schrift.txt", "0 1 Courier\r\n1 1 Liberation Mono\r\n2 0 DejaVu Serif\r\n",
         [] {
             SchriftNeuLaden();
             return schrift(1) == "Liberation Mono" ? 0 : -1;
         },
         0,
         [] {
             SchriftSetzen(3, "Arial", 1);
             return SchriftSchreiben();
         },
         true},
        {"rgb.txt", "255 0 0 rot\n0 0 255 blau\n", [] { return RgbLaden(); }, 2, nullptr, false},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.datei);
        const std::string pfad = (ordner.projekt / f.datei).string();
        // The colour names come from the application data.
        const std::string ort = f.gesagt ? pfad : StOrdner::anwendung(f.datei);
        stSchreiben(ort, f.inhalt);
        plNachrichtBoxFragenLeeren();
        {
            PlFehlerScope scope;
            plFehlerSetzen(PlFehlerArt::Lesen, 1, true);
            EXPECT_LT(f.lesen(), 0);
            if (f.schreiben) {
                EXPECT_EQ(f.schreiben(), -1);
            }
        }
        EXPECT_EQ(stLesen(ort), f.inhalt);
        const auto& boxen = plNachrichtBoxFragen();
        if (f.gesagt) {
            ASSERT_EQ(boxen.size(), 1u);
            EXPECT_EQ(boxen[0].text, "Kann " + ort + " nicht lesen.");
        } else {
            EXPECT_TRUE(boxen.empty());
        }
        EXPECT_EQ(f.lesen(), f.gut);
        if (f.schreiben) {
            EXPECT_EQ(f.schreiben(), 0);
        }
        std::filesystem::remove(ort);
    }
    EXPECT_EQ(schrift(1), "Liberation Mono");
    EXPECT_EQ(schrift(3), "Arial");
}

}  // namespace
