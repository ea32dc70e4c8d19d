// Marked lines of a result as CSV: cells cut at the formatter's column
// starts, a column with one text cell quoted in every row (dates and times
// stay bare), the separator, and the text before the first column dropped.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "config/konfhaken.h"
#include "config/vorgaben.h"
#include "lists/auswertseite.h"
#include "lists/awformat.h"

namespace fs = std::filesystem;

namespace {

TEST(AuswertSeite, MarkedLinesBecomeCsvCellsByTheColumnsOfTheEvaluation)
{
    const fs::path w = fs::temp_directory_path() / ("aws-" + std::to_string(::getpid()));
    fs::create_directories(w);
    KonfHaken h{};
    h.warnung = [](const char*) {};
    konfHakenSetzen(h);
    std::ofstream(w / "S.vgb", std::ios::binary) << "Name S\nxkenn 3\nxpfad 10\nxtexta 17\n";
    VgbSetSetzen("S", (w / "S.vgb").c_str());
    ASSERT_EQ(AwfStart("x", (w / "r.txt").c_str()), 0);
    const std::vector<std::string> zeilen = {
        "1 A1     12     Motor",
        "2 A2     0,5    12.03.2024",
        "3 A3     7:30   07:30",
    };
    struct Fall {
        int anfuehren, tab;
        const char* csv;
    } faelle[] = {
        {1, 0, "\"A1\";\"12\";\"Motor\"\r\n\"A2\";\"0,5\";12.03.2024\r\n\"A3\";\"7:30\";07:30\r\n"},
        {0, 1, "A1\t12\tMotor\r\nA2\t0,5\t12.03.2024\r\nA3\t7:30\t07:30\r\n"},
        {0, 0, "A1;12;Motor\r\nA2;0,5;12.03.2024\r\nA3;7:30;07:30\r\n"},
    };
    for (const Fall& f : faelle) EXPECT_EQ(AwsZeilenCsv(zeilen, f.anfuehren, f.tab), f.csv) << f.anfuehren << f.tab;
    // A cell holding the separator or a quote is quoted whatever the flag.
    EXPECT_EQ(AwsZeilenCsv({"  a;b    \"x\"    c"}, 0, 0), "\"a;b\";\"\"\"x\"\"\";c\r\n");
    AwfVerwerfen();
    VgbSetSetzen("", "");
    konfHakenZuruecksetzen();
    fs::remove_all(w);
}

}  // namespace
