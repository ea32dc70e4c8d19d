// What a DXF import cannot take whole is counted, tried as a user of command
// files would: the frame started headless on a working copy of the demo, a
// command file of one "DXFImp" line per fixture of
// tests/data/output/dxf/verluste (made by erzeugen.py there): lines and arcs
// under 0.1 in millimetres and in inches, a drawing of nothing else, points
// of two point modes, texts over 60 characters and the diameter sign as
// U+2300. For each file the closing message and dxflog.txt count every
// element that did not arrive as the script counted it while drawing, and
// the drawing holds what the script expects: the dots of the points, the
// texts.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "frame/dde.h"
#include "model/befehl.h"
#include "model/zeichnun.h"
#include "model/zeilauf.h"
#include "model/zustand.h"
#include "platform/cp1252.h"
#include "platform/nachrichtbox.h"
#include "support/bdatei.h"
#include "tests/frame/demorahmen_pruef.h"

namespace fs = std::filesystem;

// Named: the test programs are built in unity batches.
namespace dxfverluste {

using V = std::vector<std::string>;

const fs::path quelle = fs::path(VELMO_TEST_DATA) / "output" / "dxf" / "verluste";

V zeilen(const fs::path& p)
{
    std::ifstream f(p, std::ios::binary);
    V v;
    std::string z;
    while (std::getline(f, z)) {
        if (!z.empty() && z.back() == '\r') z.pop_back();
        v.push_back(z);
    }
    return v;
}

// What erzeugen.py wrote for one file (texts in code page 1252).
struct Erwartet {
    V meldung, log, texte;
    long punkte = -1;
};

std::map<std::string, Erwartet> erwartet()
{
    std::map<std::string, Erwartet> m;
    for (const std::string& z : zeilen(quelle / "erwartet.txt")) {
        const size_t a = z.find(' '), b = z.find(' ', a + 1);
        const std::string datei = z.substr(0, a), art = z.substr(a + 1, b - a - 1);
        const std::string rest = b == std::string::npos ? std::string() : plCpAusUtf8(z.substr(b + 1));
        Erwartet& e = m[datei];
        if (art == "meldung") e.meldung.push_back(rest);
        else if (art == "log") e.log.push_back(rest);
        else if (art == "text") e.texte.push_back(rest);
        else if (art == "punkte") e.punkte = std::stol(rest);
    }
    return m;
}

// The dots a drawing shows: filled circles inside placed symbols.
long dxfPunkte = 0;
int punktZaehlen(const BEF* b, const STT* s)
{
    if (b->code == BefCode("KRE") && b->iarg[0] != 0 && s->tiefe > 0) ++dxfPunkte;
    return 0;
}

class DxfVerluste : public DemoSeite {
protected:
    // Runs a command file of the one line, as the frame runs it; the
    // message boxes it showed.
    V befehlsdatei(const std::string& zeile)
    {
        const fs::path datei = fs::path(demo.wurzel()) / "import.txt";
        std::ofstream(datei, std::ios::binary) << zeile << "\r\n";
        plNachrichtBoxFragenLeeren();
        EXPECT_GE(BefehlsdateiOeffnen(datei.c_str()), 0);
        for (int i = 0; i < 20 && BefehlsdateiLaeuft(); ++i) {
            BefehlsdateiSchritt();
            rahmenPumpen();
        }
        EXPECT_EQ(BefehlsdateiLaeuft(), 0);
        V w;
        for (const auto& f : plNachrichtBoxFragen()) w.push_back(f.text);
        return w;
    }
};

TEST_F(DxfVerluste, EveryElementThatDidNotArriveIsCountedInTheMessageAndTheLog)
{
    const std::map<std::string, Erwartet> soll = erwartet();
    ASSERT_EQ(soll.size(), 6u);
    const fs::path fremd = fs::path(demo.wurzel()) / "Fremd";
    fs::create_directories(fremd);
    int nr = 0;
    for (const auto& [name, e] : soll) {
        SCOPED_TRACE(name);
        const fs::path dxf = fremd / name;
        fs::copy_file(quelle / name, dxf, fs::copy_options::overwrite_existing);
        const std::string zei = (fs::path(demo.projekt()) / ("IMP." + std::to_string(++nr) + "00")).string();
        const V w = befehlsdatei("DXFImp " + dxf.string() + " " + zei);
        if (e.meldung.empty()) {
            EXPECT_EQ(w, V{});
        } else {
            std::string text = "DXF-Import " + dxf.string() + ":";
            for (const std::string& z : e.meldung) text += "\n" + z;
            EXPECT_EQ(w, V{text});
        }
        const V log = zeilen(fremd / "dxflog.txt");
        ASSERT_FALSE(log.empty());
        EXPECT_EQ(log[0], dxf.string());
        for (const std::string& z : e.log) EXPECT_EQ(std::count(log.begin(), log.end(), z), 1) << z;
        for (const std::string& z : w) std::printf("[message %s] %s\n", name.c_str(), plCpNachUtf8(z).c_str());
        for (const std::string& z : log) std::printf("[log %s] %s\n", name.c_str(), plCpNachUtf8(z).c_str());

        // What the drawing holds.
        ASSERT_TRUE(fs::exists(zei));
        dxfPunkte = 0;
        STT s;
        SttInit(&s, nullptr);
        ASSERT_EQ(ZeiDurchlaufen(zei.c_str(), &s, punktZaehlen), 0);
        EXPECT_EQ(dxfPunkte, e.punkte);
        EXPECT_EQ(demoZeichnungsTexte(zei), e.texte);
    }
}

// The committed fixtures are what the script writes: running it again into
// a copy changes no byte.
TEST_F(DxfVerluste, TheScriptWritesTheCommittedFixtures)
{
    const fs::path kopie = fs::path(demo.wurzel()) / "verluste";
    fs::create_directories(kopie);
    fs::copy_file(quelle / "erzeugen.py", kopie / "erzeugen.py");
    ASSERT_EQ(std::system(("/usr/bin/python3 '" + (kopie / "erzeugen.py").string() + "'").c_str()), 0);
    for (const auto& f : fs::directory_iterator(quelle)) {
        const V a = zeilen(f.path()), b = zeilen(kopie / f.path().filename());
        EXPECT_TRUE(a == b) << f.path().filename();
    }
    for (const auto& f : fs::directory_iterator(kopie)) EXPECT_TRUE(fs::exists(quelle / f.path().filename())) << f.path();
}

}  // namespace dxfverluste
