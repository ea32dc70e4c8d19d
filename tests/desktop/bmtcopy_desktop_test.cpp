// The equipment-text block on a real X server: a block written by the
// program reaches xclip with LF line ends, and a block another program puts
// there with LF ends reads back with every line delivered.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "editdlg/bmtcopy.h"
#include "platform/backend.h"
#include "platform/fenster.h"
#include "platform/nachricht.h"
#include "platform/uhr.h"
#include "platform/zwischenablage.h"
#include "tests/desktop/desktop_pruef.h"

namespace {

std::string bmtOrdner()
{
    static std::string o = [] {
        char vorlage[] = "/tmp/velmo-bmtext-XXXXXX";
        const char* d = mkdtemp(vorlage);
        return std::string(d ? d : "/tmp");
    }();
    return o;
}

bool bmtPumpen(int ms, const std::function<bool()>& bis)
{
    return desktopPumpen(ms, bis);
}

// A shell command while the program keeps serving the clipboard.
int bmtAusfuehren(const std::string& befehl, std::string* aus = nullptr)
{
    return desktopAusfuehren(befehl, bmtOrdner() + "/ausgabe", aus);
}

using Paare = std::vector<std::pair<std::string, std::string>>;

TEST(BmTextDesktop, BlockCrossesTheXClipboardBothWays)
{
    plFensterSystemEnde();
    plBackendEnde();
    setenv("VELMO_BACKEND", "gtk", 1);
    ASSERT_EQ(plFensterSystemStart(), 0);

    char tab[40][41] = {};
    std::strcpy(tab[0], "Motor");
    std::strcpy(tab[12], "Pumpe");
    ASSERT_EQ(BmTextTabInClip("Liste", "M1", tab), 0);
    std::string aussen;
    ASSERT_EQ(bmtAusfuehren("xclip -selection clipboard -o", &aussen), 0);
    EXPECT_EQ(aussen.find('\r'), std::string::npos);
    EXPECT_EQ(aussen.substr(0, 48), "<zavik><bmtext><ident>Liste M1</ident>\n<text>\n0\t");

    // Another program's block with LF ends.
    const std::string quelle = bmtOrdner() + "/block";
    std::ofstream(quelle, std::ios::binary) << "<zavik><bmtext><ident>K1 H</ident>\n<text>\nL\tART\n3\tDrei\n12\t\n</text>\n";
    ASSERT_EQ(bmtAusfuehren("xclip -selection clipboard -i '" + quelle + "'"), 0);
    Paare p;
    ASSERT_TRUE(bmtPumpen(5000, [&] {
        p.clear();
        plClipFremd();
        BmTextAusClip([](const char* k, const char* w, void* u) { static_cast<Paare*>(u)->emplace_back(k, w); }, &p);
        return !p.empty();
    }));
    EXPECT_EQ(p, (Paare{{"L", "ART"}, {"3", "Drei"}, {"12", ""}}));
    plClipEnde();
    plFensterSystemEnde();
    std::filesystem::remove_all(bmtOrdner());
}

}  // namespace
