// The demo's section text files are exactly what the program's writers make
// of them: read and written back by the equipment store, the title list, the
// project texts and the check lists they keep their bytes. Every item gets
// its identifier and every placed component stands in its drawing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <sstream>
#include <filesystem>
#include <set>
#include <string>

#include "equipment/bm.h"
#include "equipment/btl.h"
#include "equipment/chk.h"
#include "equipment/fstx.h"
#include "equipment/ges.h"
#include "equipment/nartikel.h"
#include "equipment/nhuliste.h"
#include "equipment/utitel.h"
#include "model/befehl.h"
#include "model/textvar.h"
#include "model/zeichnun.h"
#include "support/texte.h"
#include "tests/equipment/bmtest.h"

namespace fs = std::filesystem;

namespace {

class DemoDatenTest : public bmtest::BmTest {
protected:
    void SetUp() override
    {
        BmTest::SetUp();
        const fs::path demo = fs::path(VELMO_SOURCE_DIR) / "demo" / "Projekt";
        for (auto& e : fs::directory_iterator(demo)) {
            fs::copy_file(e.path(), pfad(e.path().filename().string()), fs::copy_options::overwrite_existing);
        }
        vorgaben(eqtest::lesen((demo / "Standard.vgb").string()));
        alt_ = fs::current_path();
        fs::current_path(wurzel_ / "projekt");  // "fehler.txt" goes to the current folder
        BMStart();
        UtitelInit();
        FstxInit();
        ChkInit();
    }
    void TearDown() override
    {
        ChkFrei();
        FstxFrei();
        UtitelFrei();
        BMEnde();
        fs::current_path(alt_);
        BmTest::TearDown();
    }
    std::string original(const std::string& name) const
    {
        return eqtest::lesen((fs::path(VELMO_SOURCE_DIR) / "demo" / "Projekt" / name).string());
    }
    fs::path alt_;
};

TEST_F(DemoDatenTest, SectionFilesComeBackByteForByteFromTheirWriters)
{
    ASSERT_EQ(BMVerwendet(), 1) << "the demo's defaults set switches equipment use on";
    BMDateiLesen();
    ASSERT_GE(GesAnzahl(), 50);
    ASSERT_EQ(BMDateiSchreiben(), 0);
    EXPECT_EQ(eqtest::lesen(pfad("BMittel.zvk")), original("BMittel.zvk"));

    UtitelLaden();
    ASSERT_EQ(UtitelSchreiben(), 0);
    EXPECT_EQ(eqtest::lesen(pfad("Projekt.zvk")), original("Projekt.zvk"));

    ASSERT_EQ(FstxLesen(), 0);
    ASSERT_EQ(FstxSchreiben(), 0);
    EXPECT_EQ(eqtest::lesen(pfad("Texte.zvk")), original("Texte.zvk"));

    ASSERT_EQ(ChkListeLesen(0), 0);
    ASSERT_EQ(ChkListeSchreiben(0), 0);
    EXPECT_EQ(eqtest::lesen(pfad("Checkliste1.zvk")), original("Checkliste1.zvk"));

    EXPECT_FALSE(fs::exists(pfad("fehler.txt"))) << eqtest::lesen(pfad("fehler.txt"));
}

struct Zaehlung {
    int geraete = 0, klemmen = 0, kabel = 0;
    std::set<std::string> kennungen;
};

TEST_F(DemoDatenTest, EveryItemHasItsIdentifierAndEveryPlacementStandsInItsDrawing)
{
    BMDateiLesen();
    Zaehlung z;
    GesDurchlaufen(
        [](const appgeraet* g, void* b) {
            auto* z = static_cast<Zaehlung*>(b);
            char k[100] = {};
            NhuKennungHolen(k, sizeof k, g->id);
            EXPECT_STRNE(k, "") << std::hex << g->id;
            EXPECT_TRUE(z->kennungen.insert(k).second) << "identifier twice: " << k;
            ++z->geraete;
            if (std::string(g->tt) == "Kabel") ++z->kabel;
        },
        &z);
    EXPECT_GE(z.geraete, 50);
    EXPECT_GE(z.kabel, 20);

    // Each placed entry has its component reference at its position in the
    // drawing of its key, and the item's identifier text beside it.
    for (int i = 0; i < BtlAnzahl(); ++i) {
        appbteil b;
        ASSERT_EQ(BtlNrHolen(i, &b), 0);
        SCOPED_TRACE(std::string(b.bl) + " " + b.ze);
        ASSERT_EQ(b.platziert, 1);
        if (std::string(b.bl) == "KLEMME-NR") ++z.klemmen;
        ZeiDatei d;
        ASSERT_EQ(ZeiDateiLesend(&d, pfad(std::string("HV1.") + b.ze).c_str()), 0);
        BEF r;
        double x = 0, y = 0;
        bool gefunden = false;
        while (ZeiBefLesen(&d, &r) == 0) {
            if (r.code == BefCode("_BA")) {
                x = r.darg[0];
                y = r.darg[1];
            } else if (r.code == BefCode("ZL") || r.code == BefCode("BW")) {
                x += r.darg[0];  // sheets keep scale 1 and direction 0
                y += r.darg[1];
            }
            if (BefIstZB(r.code) && std::string(r.text) == b.bl && std::fabs(x - b.x) < 1e-6 && std::fabs(y - b.y) < 1e-6)
                gefunden = true;
        }
        bdclose(&d.datei);
        EXPECT_TRUE(gefunden);
    }
    EXPECT_GE(z.klemmen, 50);
}

// Every text of every component that holds a placeholder or a text
// variable resolves to a text without '@' once the component is placed for
// one item of the demo (-K11, which has main and sub components, texts and a
// placement) on one of its sheets; the identifier placeholder gives -K11.
TEST_F(DemoDatenTest, EveryComponentPlaceholderResolvesAgainstOneItem)
{
    BMDateiLesen();
    uint32_t id = 0;
    GesDurchlaufen(
        [](const appgeraet* g, void* b) {
            if (std::string(g->ft) == "-K11") *static_cast<uint32_t*>(b) = g->id;
        },
        &id);
    ASSERT_NE(id, 0u);
    ZeiAktSetzen(pfad("HV1.10").c_str());
    int texte = 0;
    for (auto& e : fs::directory_iterator(fs::path(VELMO_SOURCE_DIR) / "demo" / "quellen" / "bauteile")) {
        std::istringstream zeilen(eqtest::lesen(e.path().string()));
        std::string zeile;
        while (std::getline(zeilen, zeile)) {
            BEF b;
            if (TextZuBef(&b, zeile.c_str()) != 0 || !BefIstText(b.code) || !std::strchr(b.text, '@')) continue;
            SCOPED_TRACE(e.path().stem().string() + ": " + b.text);
            std::string t = b.text;
            if (PlatzhalterText(t.c_str(), 1)) {
                EXPECT_EQ(ArtKuerzelErsetzen(t, id, "H", 0, 1, 0), 1);
            }
            char wert[BEFTEXTSUP + 1];
            strkopie(wert, t.c_str(), BEFTEXTSUP);
            TextVarErsetzen(wert, 100.0, 100.0);
            EXPECT_EQ(std::strchr(wert, '@'), nullptr) << wert;
            if (std::string(b.text) == "@BK") {
                EXPECT_STREQ(wert, "-K11");
            }
            ++texte;
        }
    }
    EXPECT_GT(texte, 50);
    ZeiAktVergessen();
}

// Every text of every demo sheet, references to the equipment data and
// check list included, resolves to a text without '@' on its own sheet.
TEST_F(DemoDatenTest, EveryTextOfEverySheetResolves)
{
    BMDateiLesen();
    int texte = 0;
    for (auto& e : fs::directory_iterator(wurzel_ / "projekt")) {
        const std::string name = e.path().filename().string();
        if (name.rfind("HV1.", 0) != 0) continue;
        ZeiAktSetzen(e.path().c_str());
        ZeiDatei d;
        ASSERT_EQ(ZeiDateiLesend(&d, e.path().c_str()), 0);
        BEF r;
        double x = 0, y = 0;
        while (ZeiBefLesen(&d, &r) == 0) {
            if (r.code == BefCode("_BA")) {
                x = r.darg[0];
                y = r.darg[1];
            } else if (r.code == BefCode("ZL")) {
                x += r.darg[0];
                y += r.darg[1];
            }
            if (!BefIstText(r.code) || !std::strchr(r.text, '@')) continue;
            SCOPED_TRACE(name + ": " + r.text);
            char wert[BEFTEXTSUP + 1];
            strkopie(wert, r.text, BEFTEXTSUP);
            TextVarErsetzen(wert, x, y);
            EXPECT_EQ(std::strchr(wert, '@'), nullptr) << wert;
            EXPECT_STRNE(wert, "") << "resolves to nothing";
            ++texte;
        }
        bdclose(&d.datei);
    }
    EXPECT_GT(texte, 150);
    ZeiAktVergessen();
}

}  // namespace
