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

extern char** environ;

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

int64_t bmtJetzt()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

bool bmtPumpen(int ms, const std::function<bool()>& bis)
{
    const int64_t ende = bmtJetzt() + ms;
    for (;;) {
        MSG m;
        while (PeekMessage(&m, 0, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessage(&m);
        }
        if (bis()) return true;
        if (bmtJetzt() >= ende) return false;
        plBeWarten(plUhrJetztMs() + 15, 0);
    }
}

// A shell command while the program keeps serving the clipboard.
int bmtAusfuehren(const std::string& befehl, std::string* aus = nullptr)
{
    const std::string datei = bmtOrdner() + "/ausgabe";
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_addopen(&fa, 1, datei.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const char* argv[] = {"/bin/sh", "-c", befehl.c_str(), nullptr};
    pid_t pid = 0;
    const int r = posix_spawn(&pid, "/bin/sh", &fa, nullptr, const_cast<char* const*>(argv), environ);
    posix_spawn_file_actions_destroy(&fa);
    if (r != 0) return -1;
    int status = 0;
    if (!bmtPumpen(15000, [&] { return waitpid(pid, &status, WNOHANG) == pid; })) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        return -1;
    }
    if (aus) {
        std::ifstream f(datei, std::ios::binary);
        std::stringstream ss;
        ss << f.rdbuf();
        *aus = ss.str();
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
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
