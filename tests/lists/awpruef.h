// A working copy of the demo project set up for evaluation runs: project
// folder as working folder and directory kind 1, its defaults set, the
// equipment store, the project list and the shipped catalogue; warnings
// are recorded instead of shown. Header only.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "config/konfhaken.h"
#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "equipment/bm.h"
#include "equipment/btl.h"
#include "equipment/ges.h"
#include "equipment/ngestext.h"
#include "equipment/nzustext.h"
#include "lists/auswertung.h"
#include "lists/awlauf.h"
#include "model/befehl.h"
#include "model/zeichnun.h"
#include "platform/nachrichtbox.h"
#include "project/pvwliste.h"
#include "tests/tools/demokopie.h"

inline std::string lesen(const std::filesystem::path& p)
{
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

inline std::vector<std::string>& awMeldungen()
{
    static std::vector<std::string> m;
    return m;
}

class AwDemoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        awMeldungen().clear();
        KonfHaken h{};
        h.warnung = [](const char* t) { awMeldungen().push_back(t); };
        konfHakenSetzen(h);
        alt_ = std::filesystem::current_path();
        std::filesystem::current_path(demo_.projekt());
        VerSetzen(1, demo_.projekt().c_str());
        VerSetzen(2, demo_.wurzel().c_str());
        VgbFehlMeldung(1);
        VgbSetSetzen("Standard", demo_.datei("Standard.vgb").c_str());
        BMZuruecksetzen();
        BMStart();
        PvwVerzLesen();
        AwKatalogAusDatei(VELMO_SOURCE_DIR "/data/auswertungen.txt");
        AwOptionen() = awoptionen{};
        plNachrichtBoxFragenLeeren();
    }
    void TearDown() override
    {
        BMZuruecksetzen();
        std::filesystem::current_path(alt_);
        VerSetzen(1, "");
        VerSetzen(2, "");
        AwOptionen() = awoptionen{};
        konfHakenZuruecksetzen();
        VgbSetSetzen("", "");
    }
    // Sets one key of the project's defaults set (replaced in place, or
    // appended).
    void vorgabe(const std::string& schluessel, const std::string& wert)
    {
        std::istringstream ein(lesen(demo_.datei("Standard.vgb")));
        std::string aus, z;
        bool da = false;
        while (std::getline(ein, z)) {
            std::istringstream w(z);
            std::string k;
            w >> k;
            if (k == schluessel) {
                z = schluessel + " " + wert + "\r";
                da = true;
            }
            aus += z + "\n";
        }
        if (!da) aus += schluessel + " " + wert + "\r\n";
        std::ofstream(demo_.datei("Standard.vgb"), std::ios::binary | std::ios::trunc) << aus;
    }
    // Fixture items beside the demo's: kind index (0 standard, 1 potential,
    // 2 terminal, 3 PLC, 4 cable, 5 KNX), fixed identifier, article number.
    uint32_t geraet(int art, const char* kennung, const char* artikel = "")
    {
        appgeraet g{};
        g.id = naechsteId_++;
        g.n1 = art;
        std::snprintf(g.tt, sizeof g.tt, "Test");
        std::snprintf(g.ft, sizeof g.ft, "%s", kennung);
        std::snprintf(g.lt, sizeof g.lt, "%s", artikel);
        std::snprintf(g.t6, sizeof g.t6, "%s", bauwerk_.c_str());
        EXPECT_EQ(GesEinfuegen(&g), 0);
        return g.id;
    }
    // A placed component of an item (unplaced when ze is empty).
    void bauteil(uint32_t id, const char* cd, int nr, const char* ze, double x, double y, const char* bs = "")
    {
        appbteil b{};
        b.id = id;
        std::snprintf(b.cd, sizeof b.cd, "%s", cd);
        b.nr = nr;
        std::snprintf(b.tt, sizeof b.tt, "Test");
        std::snprintf(b.bl, sizeof b.bl, "KLEMME");
        std::snprintf(b.bs, sizeof b.bs, "%s", bs);
        b.platziert = ze[0] ? 1 : 0;
        b.x = x;
        b.y = y;
        std::snprintf(b.ze, sizeof b.ze, "%s", ze);
        EXPECT_EQ(BtlEintragAnhaengen(&b), 0);
    }
    // Writes the fixture to the equipment file (a run reads it from there).
    void sichern() { ASSERT_EQ(BMDateiSchreiben(), 0); }
    // The lines of a result file (CR LF ends).
    std::vector<std::string> zeilen(const std::string& name)
    {
        std::vector<std::string> r;
        std::string s = lesen(demo_.datei(name));
        for (size_t a = 0; a < s.size();) {
            size_t e = s.find("\r\n", a);
            if (e == std::string::npos) e = s.size();
            r.push_back(s.substr(a, e - a));
            a = e + 2;
        }
        return r;
    }
    // Runs catalogue entry `praefix` without dialog.
    int lauf(const char* praefix, int nurMarkiert = 0)
    {
        char p[21];
        for (int i = 0; i < AwAnzahl(); ++i) {
            AwEintrag(i, nullptr, nullptr, p, nullptr, nullptr);
            if (std::string(p) == praefix) return AwLaufen(i, nurMarkiert);
        }
        ADD_FAILURE() << "no entry " << praefix;
        return -1;
    }
    // The texts of the message boxes shown since the last call.
    std::vector<std::string> boxen()
    {
        std::vector<std::string> r;
        for (const auto& f : plNachrichtBoxFragen()) r.push_back(f.text);
        plNachrichtBoxFragenLeeren();
        return r;
    }
    struct Text {
        double x, y;
        std::string text;
    };
    // A drawing of the project folder holding these texts, listed in the
    // project list.
    void zeichnung(const std::string& name, const std::vector<Text>& texte)
    {
        ZeiDatei z;
        ASSERT_EQ(ZeiDateiAnlegen(&z, demo_.datei(name).c_str()), 0);
        for (const Text& t : texte) {
            BEF b{};
            b.code = static_cast<uint8_t>(BefCode("_BA"));
            b.darg[0] = t.x;
            b.darg[1] = t.y;
            ZeiBefSchreiben(&z, &b);
            b = BEF{};
            b.code = static_cast<uint8_t>(BefCode("TFA"));
            std::snprintf(b.text, sizeof b.text, "%s", t.text.c_str());
            ZeiBefSchreiben(&z, &b);
        }
        ASSERT_EQ(ZeiDateiSchliessen(&z), 0);
        PvwVerzLesen();
    }
    // The names in the project folder (a run that failed must leave no
    // temporary file beside them).
    std::vector<std::string> eintraege()
    {
        std::vector<std::string> r;
        for (const auto& e : std::filesystem::directory_iterator(demo_.projekt())) r.push_back(e.path().filename().string());
        std::sort(r.begin(), r.end());
        return r;
    }
    uint32_t naechsteId_ = 0x7000;
    std::string bauwerk_;  // the building of fixture items
    std::vector<std::string>& meldungen_ = awMeldungen();
    DemoKopie demo_;
    std::filesystem::path alt_;
};
