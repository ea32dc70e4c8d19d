// What the evaluations say about a project is what its sheets show, on the
// demo and on a generated benchmark project: every placed device stands in
// the path the frame prints above it and its position text names that path,
// every reference to a partner (a coil's position beside its contact) names
// the sheet and path where the partner stands, and every terminal strip's
// list holds exactly the terminals drawn, each at the path it stands in.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "equipment/bm.h"
#include "equipment/btl.h"
#include "equipment/ges.h"
#include "equipment/nhuliste.h"
#include "lists/auswertung.h"
#include "lists/awlauf.h"
#include "model/bauteil.h"
#include "model/befehl.h"
#include "model/textvar.h"
#include "model/zeichnun.h"
#include "platform/nachrichtbox.h"
#include "project/pvwliste.h"
#include "support/texte.h"
#include "tests/lists/awpruef.h"
#include "tools/demogen.h"

namespace fs = std::filesystem;

namespace {

// One terminal as a strip's list or a sheet shows it: identifier, terminal
// text, position ("4-2": sheet 4, path 2).
using Klemme = std::tuple<std::string, std::string, std::string>;

class DemoAbgleich {
public:
    // Sets up the project of `wurzel` (Projekt/ with the library beside it)
    // for evaluation runs, as the evaluation page does.
    explicit DemoAbgleich(const fs::path& wurzel) : wurzel_(wurzel), projekt_(wurzel / "Projekt")
    {
        alt_ = fs::current_path();
        fs::current_path(projekt_);
        VerSetzen(1, projekt_.c_str());
        VerSetzen(2, wurzel_.c_str());
        VgbFehlMeldung(1);
        VgbSetSetzen("Standard", (projekt_ / "Standard.vgb").c_str());
        BMZuruecksetzen();
        BMStart();
        BMDateiLesen();
        PvwVerzLesen();
        AwKatalogAusDatei(VELMO_SOURCE_DIR "/data/auswertungen.txt");
        AwOptionen() = awoptionen{};
        plNachrichtBoxFragenLeeren();
    }
    ~DemoAbgleich()
    {
        ZeiAktVergessen();
        BMZuruecksetzen();
        fs::current_path(alt_);
        VerSetzen(1, "");
        VerSetzen(2, "");
        AwOptionen() = awoptionen{};
        VgbSetSetzen("", "");
    }

    void pruefen()
    {
        blaetter();
        geraete();
        verweise();
        klemmen();
    }

private:
    struct Platz {
        std::string ze, bl;
        double x, y;
    };
    struct Verweis {
        std::string ze, text;  // the sheet and the reference text as written
        double x, y;
    };
    struct Blatt {
        std::string pfad;
        std::vector<std::pair<double, std::string>> spalten;  // centre of each path number, the number printed
        std::vector<Platz> teile;                              // every component placed on the sheet
        std::map<std::pair<double, double>, std::string> klemmtext;  // text written beside a component
        std::vector<Verweis> verweise;
    };

    // Walks every sheet: the frame's path numbers as printed (the frame
    // expanded from the library, each "@P" resolved where it stands), the
    // components and the texts beside them.
    void blaetter()
    {
        for (auto& e : fs::directory_iterator(projekt_)) {
            const std::string name = e.path().filename().string();
            if (name.rfind(std::string(DEMOSTAMM) + ".", 0) != 0 || !std::isdigit(static_cast<unsigned char>(name.back())))
                continue;
            const std::string ze = name.substr(std::strlen(DEMOSTAMM) + 1);
            Blatt& b = blatt_[ze];
            b.pfad = e.path().string();
            ZeiAktSetzen(b.pfad.c_str());
            ZeiDatei d;
            ASSERT_EQ(ZeiDateiLesend(&d, b.pfad.c_str()), 0);
            BEF r;
            double x = 0, y = 0;
            const Platz* letzter = nullptr;
            bool textDa = false;
            while (ZeiBefLesen(&d, &r) == 0) {
                if (r.code == BefCode("_BA")) {
                    x = r.darg[0];
                    y = r.darg[1];
                } else if (r.code == BefCode("ZL") || r.code == BefCode("BW")) {
                    x += r.darg[0];  // sheets keep scale 1 and direction 0
                    y += r.darg[1];
                    if (r.code == BefCode("ZL")) letzter = nullptr;
                }
                if (BefIstZB(r.code)) {
                    if (std::strcmp(r.text, "RAHMEN-A3") == 0) rahmen(b, x, y);
                    b.teile.push_back({ze, r.text, x, y});
                    letzter = &b.teile.back();
                    textDa = false;
                } else if (BefIstText(r.code)) {
                    if (r.text[0] != '@' && letzter && !textDa) {
                        b.klemmtext[{letzter->x, letzter->y}] = r.text;
                        textDa = true;
                    }
                    unsigned id = 0;
                    char rest[8] = {};
                    if (std::sscanf(r.text, "@Y%4x%7s", &id, rest) == 2 && rest[0] == 'P') b.verweise.push_back({ze, r.text, x, y});
                }
            }
            bdclose(&d.datei);
        }
        ZeiAktVergessen();
    }

    void rahmen(Blatt& b, double fx, double fy)
    {
        BauBefListe l = BauBefehle((wurzel_ / "BAUTEILE.STD").c_str(), "RAHMEN-A3");
        ASSERT_TRUE(l);
        double x = fx, y = fy;
        for (const BEF& r : *l) {
            if (r.code == BefCode("BW") || r.code == BefCode("ZL")) {
                x += r.darg[0];
                y += r.darg[1];
            } else if (BefIstText(r.code) && std::strcmp(r.text, "@P") == 0) {
                char t[BEFTEXTSUP + 1];
                strkopie(t, r.text, BEFTEXTSUP);
                TextVarErsetzen(t, x, y);
                b.spalten.push_back({x, t});
            }
        }
    }

    // The path number the frame prints above x: the cells lie between the
    // midpoints of neighbouring numbers (the frame's dividers).
    std::string spalteUeber(const std::string& ze, double x)
    {
        const auto& s = blatt_.at(ze).spalten;
        if (s.empty()) return "(no frame)";
        size_t i = 0;
        while (i + 1 < s.size() && x >= (s[i].first + s[i + 1].first) / 2) ++i;
        return s[i].second;
    }
    // "sheet-path" as the frame shows it for a position.
    std::string position(const std::string& ze, double x) { return std::to_string(std::stoi(ze)) + "-" + spalteUeber(ze, x); }

    // Every placed component: on its sheet, under the path its position
    // text names.
    void geraete()
    {
        int n = 0;
        for (int i = 0; i < BtlAnzahl(); ++i) {
            appbteil b;
            ASSERT_EQ(BtlNrHolen(i, &b), 0);
            if (!b.platziert) continue;
            char kenn[100] = {};
            NhuKennungHolen(kenn, sizeof kenn, b.id);
            SCOPED_TRACE(std::string(kenn) + " " + b.cd + std::to_string(b.nr) + " on " + b.ze);
            ASSERT_TRUE(blatt_.count(b.ze));
            char pos[40];
            QvwPosText(pos, sizeof pos, blatt_[b.ze].pfad.c_str(), b.x, b.y);
            EXPECT_EQ(pos, position(b.ze, b.x)) << "x " << b.x;
            ++n;
        }
        EXPECT_GT(n, 40);
    }

    // Every "@Y....P<code>" text names the sheet and path of the entry it
    // points to (a text on the partner's own sheet may leave the sheet out).
    void verweise()
    {
        for (auto& [ze, b] : blatt_) {
            ZeiAktSetzen(b.pfad.c_str());
            for (const Verweis& v : b.verweise) {
                SCOPED_TRACE(ze + ": " + v.text);
                unsigned id = 0;
                char code[8] = {};
                ASSERT_EQ(std::sscanf(v.text.c_str(), "@Y%4x%*c%7s", &id, code), 2);
                appbteil p{};
                ASSERT_EQ(BtlSuchen(id, code, 0, &p), 1);
                char t[BEFTEXTSUP + 1];
                strkopie(t, v.text.c_str(), BEFTEXTSUP);
                TextVarErsetzen(t, v.x, v.y);
                std::string soll = position(p.ze, p.x);
                if (std::strchr(t, '-') == nullptr) soll = spalteUeber(p.ze, p.x);
                EXPECT_EQ(std::string(t), soll);
                ++verweise_;
            }
        }
        ZeiAktVergessen();
    }

    // The terminal list, run as the evaluation page runs it, against the
    // terminals drawn: each strip component with the text written beside it.
    void klemmen()
    {
        std::multiset<Klemme> gezeichnet;
        for (int i = 0; i < BtlAnzahl(); ++i) {
            appbteil b;
            ASSERT_EQ(BtlNrHolen(i, &b), 0);
            appgeraet g{};
            if (!b.platziert || GesHolen(b.id, &g) != 0 || g.n1 != 2) continue;
            char kenn[100] = {};
            NhuKennungHolen(kenn, sizeof kenn, b.id);
            auto& texte = blatt_.at(b.ze).klemmtext;
            auto t = texte.find({b.x, b.y});
            ASSERT_NE(t, texte.end()) << kenn << " " << b.cd << b.nr << " has no text on sheet " << b.ze;
            gezeichnet.insert({kenn, t->second, position(b.ze, b.x)});
        }
        ASSERT_FALSE(gezeichnet.empty());

        int nr = -1;
        char p[21];
        for (int i = 0; i < AwAnzahl(); ++i) {
            AwEintrag(i, nullptr, nullptr, p, nullptr, nullptr);
            if (std::string(p) == "LKlm") nr = i;
        }
        ASSERT_GE(nr, 0);
        ASSERT_EQ(AwLaufen(nr, 0), 0);
        // The shipped layout: identifier in columns 1-10 on a strip's first
        // line, terminal text in 12-23, position in 26-37.
        std::multiset<Klemme> liste;
        std::string s = lesen(projekt_ / "Klemmen.txt"), kenn;
        auto feld = [](const std::string& z, size_t a, size_t n) {
            std::string f = a < z.size() ? z.substr(a, n) : "";
            f.erase(0, f.find_first_not_of(' '));
            f.erase(f.find_last_not_of(' ') + 1);
            return f;
        };
        for (size_t a = 0; a < s.size();) {
            size_t e = s.find("\r\n", a);
            if (e == std::string::npos) e = s.size();
            const std::string z = s.substr(a, e - a);
            a = e + 2;
            if (z.find_first_not_of(' ') == std::string::npos) continue;
            if (!feld(z, 0, 10).empty()) kenn = feld(z, 0, 10);
            liste.insert({kenn, feld(z, 11, 12), feld(z, 25, 12)});
        }
        EXPECT_EQ(liste, gezeichnet);
    }

public:
    int verweise_ = 0;

private:
    fs::path wurzel_, projekt_, alt_;
    std::map<std::string, Blatt> blatt_;
};

TEST(DemoAbgleichTest, EveryDemoSheetAgreesWithItsLists)
{
    DemoKopie demo;
    DemoAbgleich a(demo.wurzel());
    a.pruefen();
    EXPECT_GE(a.verweise_, 15) << "the contacts' references to their coils";
}

TEST(DemoAbgleichTest, TheGeneratedProjectOf25SheetsAgreesWithItsLists)
{
    const fs::path tmp = fs::temp_directory_path() / ("velmo-abgleich-" + std::to_string(::getpid()));
    fs::remove_all(tmp);
    ASSERT_EQ(DemoGross(VELMO_SOURCE_DIR "/demo/quellen", 25, 500, tmp.string()), 0);
    {
        DemoAbgleich a(tmp);
        a.pruefen();
    }
    fs::remove_all(tmp);
}

}  // namespace
