// A project folder of damaged files, opened in the real program headless as
// a new user would (the program as a child process with folders of its own,
// a command file that refreshes the page and ends): nothing crashes or hangs
// and nothing in the folder changes.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string lesen(const fs::path& p)
{
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

void schreiben(const fs::path& p, const std::string& s)
{
    std::ofstream f(p, std::ios::binary | std::ios::trunc);
    f << s;
}

std::string fixture(const std::string& name) { return lesen(fs::path(VELMO_TEST_DATA) / name); }

// Name -> FNV-1a of the content, of every file below the folder.
std::map<std::string, uint64_t> pruefsummen(const fs::path& ordner)
{
    std::map<std::string, uint64_t> m;
    for (auto& e : fs::recursive_directory_iterator(ordner)) {
        if (!e.is_regular_file()) {
            m[fs::relative(e.path(), ordner).string() + "/"] = 0;
            continue;
        }
        uint64_t h = 1469598103934665603ull;
        for (unsigned char c : lesen(e.path())) h = (h ^ c) * 1099511628211ull;
        m[fs::relative(e.path(), ordner).string()] = h;
    }
    return m;
}

class KaputtesProjekt : public ::testing::Test {
protected:
    fs::path wurzel, projekt;

    void SetUp() override
    {
        char muster[] = "/tmp/velmo-kaputt-XXXXXX";
        ASSERT_NE(mkdtemp(muster), nullptr);
        wurzel = muster;
        projekt = wurzel / "arbeit" / "Kaputt";
        for (const char* d : {"laufzeit", "konfig"}) fs::create_directories(wurzel / d);
        fs::permissions(wurzel / "laufzeit", fs::perms::owner_all);
        fs::create_directories(projekt);
        ASSERT_TRUE(fs::exists(programm())) << programm();
    }
    void TearDown() override { fs::remove_all(wurzel); }

    static std::string programm() { return (fs::read_symlink("/proc/self/exe").parent_path() / "velmo").string(); }

    // Runs velmo on the project folder; the exit code, or -1 when it did not
    // end normally within a minute (killed: a hang).
    int starten(const std::vector<std::string>& argumente)
    {
        pid_t pid = fork();
        if (pid == 0) {
            if (chdir((wurzel / "arbeit").c_str()) != 0) _exit(120);
            setenv("XDG_RUNTIME_DIR", (wurzel / "laufzeit").c_str(), 1);
            setenv("XDG_CONFIG_HOME", (wurzel / "konfig").c_str(), 1);
            setenv("VELMO_BACKEND", "headless", 1);
            unsetenv("DISPLAY");
            unsetenv("WAYLAND_DISPLAY");
            std::vector<std::string> a = argumente;
            a.insert(a.begin(), programm());
            std::vector<char*> argv;
            for (std::string& s : a) argv.push_back(s.data());
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(121);
        }
        auto ende = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        int status = 0;
        while (waitpid(pid, &status, WNOHANG) != pid) {
            if (std::chrono::steady_clock::now() > ende) {
                kill(pid, SIGKILL);
                waitpid(pid, &status, 0);
                return -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
};

}  // namespace

TEST_F(KaputtesProjekt, OpensWithoutCrashOrHangAndChangesNothing)
{
    // A drawing of random bytes, a drawing cut in half and a sound one.
    std::mt19937 zufall(20);
    std::string rauschen(4096, '\0');
    for (char& c : rauschen) c = static_cast<char>(zufall());
    schreiben(projekt / "Rauschen.001", rauschen);
    schreiben(projekt / "Zufall.001", "zvkZ" + rauschen.substr(0, 200));
    const std::string kopf = fixture("model/KOPF.001");
    schreiben(projekt / "Halb.001", kopf.substr(0, kopf.size() / 2));
    schreiben(projekt / "Gut.001", kopf);

    // The equipment use switched on by the project's own set, so that the
    // equipment files are read: one with an indented section header, the
    // project texts cut in the middle of a line.
    std::string satz = lesen(fs::path(VELMO_SOURCE_DIR) / "data" / "Standard.vgb");
    size_t bmuse = satz.find("BMuse");
    ASSERT_NE(bmuse, std::string::npos);
    satz.replace(satz.find('0', bmuse), 1, "1");
    schreiben(projekt / "Standard.vgb", satz);
    std::string bm = fixture("equipment/BMittel.zvk");
    size_t s = bm.find(")S", 10);
    ASSERT_NE(s, std::string::npos);
    bm.insert(s, "   ");
    schreiben(projekt / "BMittel.zvk", bm);
    const std::string texte = fixture("equipment/titel/Projekt.zvk");
    size_t mitte = texte.find('\n', texte.size() / 2);
    schreiben(projekt / "Projekt.zvk", texte.substr(0, mitte == std::string::npos ? texte.size() / 2 : mitte - 3));

    // A library whose first entry claims data far past the file's end.
    std::string bib = fixture("model/BAUTEILE.L10");
    ASSERT_GE(bib.size(), 12u + 70u);
    for (int i = 0; i < 4; ++i) bib[12 + 66 + i] = "\xf0\xff\xff\x7f"[i];
    schreiben(projekt / "BAUTEILE.L10", bib);

    // A bitmap that claims 60000 x 60000 pixels and holds a few bytes.
    std::string bmp = fixture("platform/raster/muster24.bmp");
    ASSERT_GE(bmp.size(), 26u);
    for (int i = 0; i < 4; ++i) bmp[18 + i] = bmp[22 + i] = "\x60\xea\x00\x00"[i];
    schreiben(projekt / "Bild.bmp", bmp);

    schreiben(wurzel / "arbeit" / "befehle.txt", "refresh\nprint Seite gezeigt\nrefresh\nexit\n");
    const auto vorher = pruefsummen(projekt);
    // The damaged sheets are said and make the run end with 2; a crash or
    // a hang gives anything else.
    EXPECT_EQ(starten({"-W=1", "-A=befehle.txt", "Kaputt"}), 2) << "the program crashed or hung";
    const std::string log = lesen(wurzel / "arbeit" / "log.txt");
    EXPECT_NE(log.find("Seite gezeigt"), std::string::npos) << log;
    EXPECT_EQ(pruefsummen(projekt), vorher) << "the program changed the project folder";
}
