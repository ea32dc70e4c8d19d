// Translations of the GTK backend that need no display: GDK key values to
// virtual keys, smooth scrolling to wheel deltas, file filters, URI lists
// and clipboard targets.
#include <gtest/gtest.h>

#include "platform/gtk/gtkbackend.h"
#include "platform/winconst.h"

// Key values (the X keysym numbers GDK uses) by name.
enum : unsigned {
    kA = 0x61, kZgross = 0x5A, k7 = 0x37, kF1 = 0xFFBE, kF24 = 0xFFD5, kLeft = 0xFF51, kKpLeft = 0xFF96,
    kHome = 0xFF50, kKpHome = 0xFF95, kPageUp = 0xFF55, kPageDown = 0xFF56, kInsert = 0xFF63, kDelete = 0xFFFF,
    kKpDelete = 0xFF9F, kKpEnter = 0xFF8D, kReturn = 0xFF0D, kKpDivide = 0xFFAF, kKp5 = 0xFFB5,
    kKpSeparator = 0xFFAC, kMenu = 0xFF67, kControlR = 0xFFE4, kIsoLeftTab = 0xFE20, kOdiaeresis = 0xF6,
    kSsharp = 0xDF, kEuro = 0x20AC,
};

TEST(GtkTasten, KeyValuesGiveVirtualKeysWithTheExtendedBit)
{
    struct Fall {
        unsigned kv;
        UINT vk;
        bool erweitert;
    } faelle[] = {
        {kA, 'A', false},          {kZgross, 'Z', false},          {k7, '7', false},
        {kF1, VK_F1, false},       {kF24, VK_F24, false},     {kLeft, VK_LEFT, true},
        {kKpLeft, VK_LEFT, false}, {kHome, VK_HOME, true},   {kKpHome, VK_HOME, false},
        {kPageUp, VK_PRIOR, true}, {kPageDown, VK_NEXT, true}, {kInsert, VK_INSERT, true},
        {kDelete, VK_DELETE, true}, {kKpDelete, VK_DELETE, false}, {kKpEnter, VK_RETURN, true},
        {kReturn, VK_RETURN, false}, {kKpDivide, VK_DIVIDE, true}, {kKp5, VK_NUMPAD5, false},
        {kKpSeparator, VK_DECIMAL, false}, {kMenu, VK_APPS, true}, {kControlR, VK_CONTROL, true},
        {kIsoLeftTab, VK_TAB, false}, {kOdiaeresis, VK_OEM_3, false}, {kSsharp, VK_OEM_4, false},
        {kEuro, 0, false},
    };
    for (const Fall& f : faelle) {
        plGtkTaste t = plGtkTasteVon(f.kv);
        EXPECT_EQ(t.vk, f.vk) << "key value 0x" << std::hex << f.kv;
        EXPECT_EQ(t.erweitert, f.erweitert) << "key value 0x" << std::hex << f.kv;
    }
}

TEST(GtkTasten, SmoothScrollingSumsToWholeNotches)
{
    struct Fall {
        std::vector<double> schritte;
        std::vector<int> deltas;
    } faelle[] = {
        {{-1.0}, {120}},                                   // one notch away from the user
        {{1.0, 1.0}, {-120, -120}},                        // towards the user
        {{-0.4, -0.4, -0.4}, {0, 0, 120}},                 // fractions add up, the rest stays
        {{-0.1, -0.1, -0.1, -0.1, -0.1, -0.1, -0.1, -0.1, -0.1, -0.1}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 120}},
        {{-2.5}, {240}},                                   // several notches at once
        {{-0.6, 0.6}, {0, 0}},                             // back and forth gives nothing
    };
    for (const Fall& f : faelle) {
        double rest = 0;
        for (size_t i = 0; i < f.schritte.size(); ++i)
            EXPECT_EQ(plGtkRadSumme(&rest, f.schritte[i]), f.deltas[i]) << "step " << i;
    }
}

TEST(GtkTasten, FiltersSplitIntoNamesAndPatterns)
{
    auto l = plGtkFilterZerlegen("Zeichnungen (*.zei)|*.zei|Alle Dateien|*.*; *.bak |Gr\xF6\xDF" "e|");
    ASSERT_EQ(l.size(), 3u);
    EXPECT_EQ(l[0].name, "Zeichnungen (*.zei)");
    EXPECT_EQ(l[0].muster, std::vector<std::string>{"*.zei"});
    EXPECT_EQ(l[1].muster, (std::vector<std::string>{"*.*", "*.bak"}));
    EXPECT_EQ(l[2].name, "Gr\xC3\xB6\xC3\x9F" "e");
    EXPECT_TRUE(l[2].muster.empty());
    EXPECT_TRUE(plGtkFilterZerlegen(nullptr).empty());
    EXPECT_TRUE(plGtkFilterZerlegen("nur ein Name").empty());
    EXPECT_EQ(plGtkFilterName(l[0]), "Zeichnungen (*.zei)") << "the patterns once";
    EXPECT_EQ(plGtkFilterName(l[1]), "Alle Dateien (*.*;*.bak)");
    EXPECT_EQ(plGtkFilterName(l[2]), "Gr\xC3\xB6\xC3\x9F" "e");
}

TEST(GtkTasten, UriListsCarryLocalFilesInCodePage1252)
{
    std::string liste = plGtkUriListeSchreiben({"/tmp/Pl\xE4ne/a b.zei", "relativ.zei", "\\tmp\\x.zei"});
    EXPECT_EQ(liste, "file:///tmp/Pl%C3%A4ne/a%20b.zei\r\nfile:///tmp/x.zei\r\n");
    auto pfade = plGtkUriListeLesen("# Kommentar\r\nfile:///tmp/Pl%C3%A4ne/a%20b.zei\r\nhttp://x/y\r\n"
                                    "file:///tmp/%E2%86%92.txt\n");
    EXPECT_EQ(pfade, (std::vector<std::string>{"/tmp/Pl\xE4ne/a b.zei", "/tmp/?.txt"}));
}

// Text goes out with "\n" line ends and comes back with "\r\n"; a run of
// CRs before a line end is one line end outside, so copying out and in
// again loses nothing more (it once lost one CR per round).
TEST(GtkTasten, ClipboardTextLineEndsSurviveRoundTrips)
{
    const char innen[] = "a\r\nb\r\r\r\nc\rd";
    std::vector<uint8_t> aussen = plGtkClipNachAussen("CF_TEXT", innen, sizeof innen);
    EXPECT_EQ(std::string(aussen.begin(), aussen.end()), "a\nb\nc\rd");
    std::vector<uint8_t> zurueck;
    ASSERT_TRUE(plGtkClipVonAussen("CF_TEXT", aussen.data(), aussen.size(), &zurueck));
    EXPECT_EQ(std::string(zurueck.begin(), zurueck.end()), std::string("a\r\nb\r\nc\rd") + '\0');
    for (int runde = 0; runde < 3; ++runde) {
        aussen = plGtkClipNachAussen("CF_TEXT", zurueck.data(), zurueck.size());
        std::vector<uint8_t> wieder;
        ASSERT_TRUE(plGtkClipVonAussen("CF_TEXT", aussen.data(), aussen.size(), &wieder));
        EXPECT_EQ(wieder, zurueck) << runde;
    }
    // A file list comes in as a DROPFILES block and goes out as it came.
    const std::string liste = "file:///tmp/Pl%C3%A4ne/a%20b.001\r\n";
    std::vector<uint8_t> block;
    ASSERT_TRUE(plGtkClipVonAussen("CF_HDROP", liste.data(), liste.size(), &block));
    aussen = plGtkClipNachAussen("CF_HDROP", block.data(), block.size());
    EXPECT_EQ(std::string(aussen.begin(), aussen.end()), liste);
    EXPECT_FALSE(plGtkClipVonAussen("CF_HDROP", "http://x/y\r\n", 12, &block)) << "no local file";
}

TEST(GtkTasten, ClipboardFormatsHaveTheirTargets)
{
    EXPECT_EQ(plGtkClipZiel("CF_TEXT"), "UTF8_STRING");
    EXPECT_EQ(plGtkClipZiel("CF_HDROP"), "text/uri-list");
    EXPECT_EQ(plGtkClipZiel("CF_BITMAP"), "image/png");
    EXPECT_EQ(plGtkClipZiel("Velmo Bauteile"), "application/x-velmo-Velmo Bauteile");
}
