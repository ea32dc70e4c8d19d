// Fixture of the library-browser tests: a folder of its own with copies of
// the model's fixture libraries, components added from a small drawing,
// the shipped-data folder (kind 0) beside it, message boxes recorded, and
// BauPruefen reports with the folder replaced by "<O>".
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/verzeich.h"
#include "model/bauteil.h"
#include "model/befehl.h"
#include "model/zeichnun.h"
#include "platform/fehlersim.h"
#include "platform/nachrichtbox.h"
#include "tests/model/modelltest.h"

namespace bautpruef {

// The helpers, usable inside another fixture (BautTest below is the
// fixture of its own).
struct BautHilfe {
    MtOrdner o;
    std::filesystem::path vorher;  // opening a library enters its folder
    void start()
    {
        vorher = std::filesystem::current_path();
        std::filesystem::create_directories(o.pfad / "programm");
        VerSetzen(0, (o / "programm/").c_str());
        plNachrichtBoxFragenLeeren();
        plNachrichtBoxSkriptLeeren();
    }
    void ende()
    {
        plFehlerAllesAus();
        BauEnde();
        VerSetzen(0, "");
        std::filesystem::current_path(vorher);
    }
    std::string kopie(const char* fixture, const char* name)
    {
        std::string p = o / name;
        mtSchreiben(p, mtLesen(mtFixture(fixture)));
        return p;
    }
    // A drawing of two lines and, when given, a standard-text file command.
    std::string zeichnung(const char* name, const char* td = nullptr)
    {
        const std::string p = o / name;
        ZeiDatei z;
        EXPECT_EQ(ZeiDateiAnlegen(&z, p.c_str()), 0);
        const double punkte[][2] = {{0, 0}, {10, 10}, {20, 0}};
        for (int i = 0; i < 3; ++i) {
            BEF b{};
            b.code = i == 0 ? 20 : 40;  // BW, then ZL
            b.darg[0] = punkte[i][0];
            b.darg[1] = punkte[i][1];
            ZeiBefSchreiben(&z, &b);
        }
        if (td) {
            BEF b{};
            b.code = '$';
            BefTextSetzen(&b, td);
            ZeiBefSchreiben(&z, &b);
        }
        EXPECT_EQ(ZeiDateiSchliessen(&z), 0);
        return p;
    }
    void dazu(const std::string& bib, const std::vector<std::string>& namen, const char* td = nullptr)
    {
        const std::string z = zeichnung("TEIL.001", td);
        BauBibHandle h;
        ASSERT_EQ(BauBibOeffnen(&h, bib.c_str()), 0);
        for (const std::string& n : namen) ASSERT_EQ(BauAufnehmen(&h, n.c_str(), z.c_str()), 0) << n;
        BauBibZu(&h);
    }
    static std::vector<std::string> namen(const std::string& bib) { return mtBibNamen(bib); }
    std::string bericht(const std::string& bib)
    {
        const std::string b = o / "programm/BERICHT.TXT";
        EXPECT_EQ(BauPruefen(bib.c_str(), b.c_str()), 0);
        std::string t = mtLesen(b);
        std::filesystem::remove(b);
        return ohneOrdner(t);
    }
    std::string ohneOrdner(std::string t)
    {
        const std::string ordner = o.pfad.string();
        for (size_t p; (p = t.find(ordner)) != std::string::npos;) t.replace(p, ordner.size(), "<O>");
        return t;
    }
    std::vector<std::string> meldungen()
    {
        std::vector<std::string> m;
        for (const auto& f : plNachrichtBoxFragen()) m.push_back(f.text);
        plNachrichtBoxFragenLeeren();
        return m;
    }
    std::vector<std::string> dateien()
    {
        std::vector<std::string> n;
        for (auto& e : std::filesystem::directory_iterator(o.pfad)) n.push_back(e.path().filename().string());
        std::sort(n.begin(), n.end());
        return n;
    }
};

struct BautTest : testing::Test, BautHilfe {
    void SetUp() override { start(); }
    void TearDown() override { ende(); }
};

}  // namespace bautpruef
