// The shipped manual and its topic index are what the generator makes:
// the same pages, bookmarks and index lines. VELMO_HANDBUCH_NEU=1 writes
// them into data/ instead.
#include "tools/handbuch.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/pdfbib.h"

namespace fs = std::filesystem;

namespace {

std::string lesen(const fs::path& p)
{
    std::ifstream f(p, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

// Pages and (page, title) of every bookmark.
std::pair<int, std::vector<std::pair<int, std::string>>> gliederung(const fs::path& pdf)
{
    int b = DPLCreateLibrary();
    std::vector<std::pair<int, std::string>> v;
    int seiten = 0;
    if (DPLLoadFromFile(b, pdfbibBreit(pdf.string()).c_str(), L"")) {
        seiten = DPLPageCount(b);
        for (int i = 1; i <= DPLOutlineCount(b); ++i) {
            int id = DPLGetOutlineID(b, i);
            v.emplace_back(DPLGetOutlinePage(b, id), pdfbibSchmal(DPLOutlineTitle(b, id), 200));
        }
    }
    DPLReleaseLibrary(b);
    return {seiten, v};
}

TEST(Handbuch, TheShippedManualIsTheGeneratedOne)
{
    fs::path daten = fs::path(VELMO_SOURCE_DIR) / "data";
    const char* neu = std::getenv("VELMO_HANDBUCH_NEU");
    if (neu && std::string(neu) == "1") {
        ASSERT_EQ(HbHandbuchSchreiben((daten / "Velmo.pdf").string(), (daten / "PDFIndex.txt").string()), 0);
    }
    fs::path tmp = fs::temp_directory_path() / ("velmo-handbuch-" + std::to_string(::getpid()));
    fs::create_directories(tmp);
    ASSERT_EQ(HbHandbuchSchreiben((tmp / "Velmo.pdf").string(), (tmp / "PDFIndex.txt").string()), 0);
    auto erzeugt = gliederung(tmp / "Velmo.pdf");
    EXPECT_GT(erzeugt.first, 0);
    EXPECT_EQ(erzeugt, gliederung(daten / "Velmo.pdf"));
    EXPECT_EQ(lesen(tmp / "PDFIndex.txt"), lesen(daten / "PDFIndex.txt"));
    // Every topic's title is a bookmark, among them the project page's.
    std::istringstream idx(lesen(daten / "PDFIndex.txt"));
    std::string zeile;
    bool proverw = false;
    while (std::getline(idx, zeile)) {
        std::string titel = zeile.substr(zeile.find(' ', zeile.find(' ') + 1) + 1);
        bool da = false;
        for (const auto& [s, t] : erzeugt.second) da = da || t == titel;
        EXPECT_TRUE(da) << zeile;
        proverw = proverw || zeile.rfind("PROVERW ", 0) == 0;
    }
    EXPECT_TRUE(proverw);
    fs::remove_all(tmp);
}

}  // namespace
