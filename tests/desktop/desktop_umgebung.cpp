// What every desktop test runs in: a window manager (openbox, started on the
// test's X server unless one runs), as a user's desktop has one; and GLib's
// log, where any critical or warning (GTK-CRITICAL, GLib-WARNING, "GdkWindow
// ... unexpectedly destroyed") fails the test that caused it. The program's
// own runs (velmo started by a test) print theirs on stderr, which CTest
// reads for the same words.
#include <gtest/gtest.h>

#include <glib.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

#include "tests/desktop/desktop_pruef.h"

namespace {

std::mutex logSperre;
std::vector<std::string> logFehler;  // said outside a test (or on another thread)

GLogWriterOutput logSchreiber(GLogLevelFlags stufe, const GLogField* felder, gsize n, gpointer)
{
    if (!(stufe & (G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING | G_LOG_LEVEL_ERROR)))
        return g_log_writer_default(stufe, felder, n, nullptr);
    std::string bereich = "GLib", text;
    for (gsize i = 0; i < n; ++i) {
        const std::string schluessel = felder[i].key;
        if (felder[i].length >= 0) continue;  // not a text
        if (schluessel == "GLIB_DOMAIN") bereich = static_cast<const char*>(felder[i].value);
        if (schluessel == "MESSAGE") text = static_cast<const char*>(felder[i].value);
    }
    const std::string zeile =
        bereich + ((stufe & G_LOG_LEVEL_WARNING) ? "-WARNING **: " : "-CRITICAL **: ") + text;
    std::fprintf(stderr, "%s\n", zeile.c_str());
    std::fflush(stderr);
    if (::testing::UnitTest::GetInstance()->current_test_info()) {
        ADD_FAILURE() << zeile;
    } else {
        std::lock_guard<std::mutex> l(logSperre);
        logFehler.push_back(zeile);
    }
    return G_LOG_WRITER_HANDLED;
}

bool wmLaeuft()
{
    return std::system("xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'") == 0;
}

class DesktopUmgebung : public ::testing::Environment {
public:
    void SetUp() override
    {
        g_log_set_writer_func(logSchreiber, nullptr, nullptr);
        const char* anzeige = std::getenv("DISPLAY");
        if (!anzeige || !*anzeige || wmLaeuft()) return;
        // openbox runs its start-up command once it manages windows; a
        // window mapped before that would be taken as one already placed.
        char vorlage[] = "/tmp/velmo-wm-start-XXXXXX";
        const char* d = mkdtemp(vorlage);
        if (!d) return;
        ordner_ = d;
        const std::string bereit = ordner_ + "/bereit";
        const std::string start = "touch " + bereit;
        const char* argv[] = {"openbox", "--sm-disable", "--startup", start.c_str(), nullptr};
        if (posix_spawnp(&pid_, "openbox", nullptr, nullptr, const_cast<char* const*>(argv), environ) != 0) {
            pid_ = 0;
            return;
        }
        if (!desktopWarten(10000, [&] { return std::filesystem::exists(bereit) && wmLaeuft(); }))
            std::fprintf(stderr, "openbox did not come up on %s\n", anzeige);
    }
    void TearDown() override
    {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
            pid_ = 0;
        }
        if (!ordner_.empty()) std::filesystem::remove_all(ordner_);
        std::lock_guard<std::mutex> l(logSperre);
        for (const std::string& z : logFehler) ADD_FAILURE() << "outside a test: " << z;
    }

private:
    pid_t pid_ = 0;
    std::string ordner_;
};

[[maybe_unused]] ::testing::Environment* const umgebung =
    ::testing::AddGlobalTestEnvironment(new DesktopUmgebung);

}  // namespace
