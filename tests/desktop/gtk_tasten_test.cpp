// Translations of the GTK backend that need no display: GDK key values to
// virtual keys, smooth scrolling to wheel deltas, file filters, URI lists
// and clipboard targets.
#include <gdk/gdkkeysyms.h>
#include <gtest/gtest.h>

#include "platform/gtk/gtkbackend.h"
#include "platform/winconst.h"

TEST(GtkTasten, KeyValuesGiveVirtualKeysWithTheExtendedBit)
{
    struct Fall {
        unsigned kv;
        UINT vk;
        bool erweitert;
    } faelle[] = {
        {GDK_KEY_a, 'A', false},          {GDK_KEY_Z, 'Z', false},          {GDK_KEY_7, '7', false},
        {GDK_KEY_F1, VK_F1, false},       {GDK_KEY_F24, VK_F24, false},     {GDK_KEY_Left, VK_LEFT, true},
        {GDK_KEY_KP_Left, VK_LEFT, false}, {GDK_KEY_Home, VK_HOME, true},   {GDK_KEY_KP_Home, VK_HOME, false},
        {GDK_KEY_Page_Up, VK_PRIOR, true}, {GDK_KEY_Page_Down, VK_NEXT, true}, {GDK_KEY_Insert, VK_INSERT, true},
        {GDK_KEY_Delete, VK_DELETE, true}, {GDK_KEY_KP_Delete, VK_DELETE, false}, {GDK_KEY_KP_Enter, VK_RETURN, true},
        {GDK_KEY_Return, VK_RETURN, false}, {GDK_KEY_KP_Divide, VK_DIVIDE, true}, {GDK_KEY_KP_5, VK_NUMPAD5, false},
        {GDK_KEY_KP_Separator, VK_DECIMAL, false}, {GDK_KEY_Menu, VK_APPS, true}, {GDK_KEY_Control_R, VK_CONTROL, true},
        {GDK_KEY_ISO_Left_Tab, VK_TAB, false}, {GDK_KEY_odiaeresis, VK_OEM_3, false}, {GDK_KEY_ssharp, VK_OEM_4, false},
        {GDK_KEY_EuroSign, 0, false},
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
}

TEST(GtkTasten, UriListsCarryLocalFilesInCodePage1252)
{
    std::string liste = plGtkUriListeSchreiben({"/tmp/Pl\xE4ne/a b.zei", "relativ.zei", "\\tmp\\x.zei"});
    EXPECT_EQ(liste, "file:///tmp/Pl%C3%A4ne/a%20b.zei\r\nfile:///tmp/x.zei\r\n");
    auto pfade = plGtkUriListeLesen("# Kommentar\r\nfile:///tmp/Pl%C3%A4ne/a%20b.zei\r\nhttp://x/y\r\n"
                                    "file:///tmp/%E2%86%92.txt\n");
    EXPECT_EQ(pfade, (std::vector<std::string>{"/tmp/Pl\xE4ne/a b.zei", "/tmp/?.txt"}));
}

TEST(GtkTasten, ClipboardFormatsHaveTheirTargets)
{
    EXPECT_EQ(plGtkClipZiel("CF_TEXT"), "UTF8_STRING");
    EXPECT_EQ(plGtkClipZiel("CF_HDROP"), "text/uri-list");
    EXPECT_EQ(plGtkClipZiel("CF_BITMAP"), "image/png");
    EXPECT_EQ(plGtkClipZiel("Velmo Bauteile"), "application/x-velmo-Velmo Bauteile");
}
