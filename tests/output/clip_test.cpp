// The drawing clipboard formats: status and drawing blocks round trip, the
// folder text is cut to its field, blocks from other programs are checked
// before use, texts are cut to the caller's buffer, the metafile picture's
// extents, and the copy sequence keeps the clipboard open to its end.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "output/clip.h"
#include "platform/fehlersim.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/globalmem.h"
#include "platform/metafile.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "platform/zwischenablage.h"
#include "support/speicher.h"

namespace {

class Clip : public ::testing::Test {
protected:
    void SetUp() override
    {
        plClipEnde();
        bloecke = plGlobalAnzahl();
        fbloecke = fmallanzahl();
    }
    void TearDown() override
    {
        plClipEnde();
        plFehlerAllesAus();
        EXPECT_EQ(plGlobalAnzahl(), bloecke);
        EXPECT_EQ(fmallanzahl(), fbloecke);
    }
    // Puts raw bytes under a format, as another program would.
    static void fremd(UINT format, const std::vector<unsigned char>& roh)
    {
        ASSERT_TRUE(OpenClipboard(0));
        EmptyClipboard();
        ASSERT_NE(SetClipboardData(format, plGlobalAus(roh.data(), roh.size())), 0u);
        CloseClipboard();
    }
    static std::vector<unsigned char> zeichnungsBlock(const std::string& daten)
    {
        std::vector<unsigned char> b(4 + daten.size());
        uint32_t l = static_cast<uint32_t>(daten.size());
        std::memcpy(b.data(), &l, 4);
        std::memcpy(b.data() + 4, daten.data(), daten.size());
        return b;
    }
    // A small Windows metafile's bits.
    static std::vector<unsigned char> metaBits()
    {
        HDC dc = CreateMetaFile(nullptr);
        MoveToEx(dc, 0, 0, nullptr);
        LineTo(dc, 30, 15);
        HMETAFILE mf = CloseMetaFile(dc);
        std::vector<unsigned char> bits(GetMetaFileBitsEx(mf, 0, nullptr));
        GetMetaFileBitsEx(mf, static_cast<UINT>(bits.size()), bits.data());
        DeleteMetaFile(mf);
        return bits;
    }
    size_t bloecke = 0;
    int32_t fbloecke = 0;
};

TEST_F(Clip, StatusBlocksRoundTripAndALongFolderIsCutToItsField)
{
    struct Fall {
        size_t laenge;
        size_t erwartet;
    } faelle[] = {{0, 0}, {207, 207}, {208, 207}, {300, 207}};
    for (const Fall& f : faelle) {
        std::string ordner(f.laenge, 'o');
        ASSERT_TRUE(ClipStatusBeginnen(ordner.c_str(), 12.5, -7.25));
        ClipSchliessen();
        char text[CLIP_STATUS_TEXTSUP];
        std::memset(text, 'X', sizeof text);
        double x = 0, y = 0;
        ASSERT_EQ(ClipStatusHolen(text, &x, &y), 1) << f.laenge;
        EXPECT_EQ(std::string(text), ordner.substr(0, f.erwartet)) << f.laenge;
        EXPECT_EQ(x, 12.5);
        EXPECT_EQ(y, -7.25);
        EXPECT_EQ(ClipStatusHolen(nullptr, nullptr, nullptr), 1);  // every output may be absent
    }
    // The block on the clipboard is exactly the 224-byte layout.
    ASSERT_TRUE(OpenClipboard(0));
    HGLOBAL h = GetClipboardData(ClipStatusFormat());
    EXPECT_EQ(GlobalSize(h), CLIP_STATUS_GROESSE);
    CloseClipboard();
}

TEST_F(Clip, ForeignStatusBlocksAreCheckedBeforeUse)
{
    // Too short: absent, nothing written.
    fremd(ClipStatusFormat(), std::vector<unsigned char>(100, 'a'));
    char text[CLIP_STATUS_TEXTSUP] = "alt";
    double x = 1, y = 2;
    EXPECT_EQ(ClipStatusHolen(text, &x, &y), 0);
    EXPECT_STREQ(text, "alt");
    EXPECT_EQ(x, 1);
    EXPECT_EQ(y, 2);

    // Whole but with no NUL in the text: the text ends inside its field.
    std::vector<unsigned char> roh(CLIP_STATUS_GROESSE, 'b');
    double px = 3.5;
    std::memcpy(roh.data() + CLIP_STATUS_X, &px, 8);
    fremd(ClipStatusFormat(), roh);
    EXPECT_EQ(ClipStatusHolen(text, &x, nullptr), 1);
    EXPECT_EQ(std::string(text), std::string(207, 'b'));
    EXPECT_EQ(x, 3.5);

    // No clipboard content at all.
    plClipEnde();
    EXPECT_EQ(ClipStatusHolen(text, &x, &y), 0);
}

TEST_F(Clip, DrawingBlocksRoundTripAndForeignLengthsAreChecked)
{
    for (const std::string& daten : {std::string(), std::string("ZEI\0\x01\xFF", 6)}) {
        std::vector<unsigned char> b = zeichnungsBlock(daten);
        ASSERT_TRUE(ClipStatusBeginnen("/p", 0, 0));
        EXPECT_TRUE(ClipZeichnungDazu(b.data(), b.size()));
        ClipSchliessen();
        char* block = reinterpret_cast<char*>(1);
        ASSERT_EQ(ClipZeichnungHolen(&block), 1);
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(std::memcmp(block, b.data(), b.size()), 0);  // L = 0 gives the 4-byte block holding 0
        ffree(block);
    }
    // The caller's size must match its length word.
    std::vector<unsigned char> b = zeichnungsBlock("abc");
    ASSERT_TRUE(ClipStatusBeginnen("/p", 0, 0));
    EXPECT_FALSE(ClipZeichnungDazu(b.data(), b.size() + 1));
    EXPECT_FALSE(ClipZeichnungDazu(b.data(), 3));
    ClipSchliessen();

    // Blocks of another program: a length beyond the block, one that would
    // wrap 4 + L to 3, and a block shorter than the length word are absent.
    struct Fall {
        const char* name;
        std::vector<unsigned char> roh;
    } faelle[] = {
        {"L too large", {10, 0, 0, 0, 'a', 'b'}},
        {"L = 0xFFFFFFFF", {0xFF, 0xFF, 0xFF, 0xFF, 'a', 'b', 'c', 'd'}},
        {"short", {1, 0}},
    };
    for (const Fall& f : faelle) {
        fremd(ClipZeichnungFormat(), f.roh);
        char* block = reinterpret_cast<char*>(1);
        EXPECT_EQ(ClipZeichnungHolen(&block), 0) << f.name;
        EXPECT_EQ(block, nullptr) << f.name;
    }
    // A longer block than 4 + L is read up to its length word.
    fremd(ClipZeichnungFormat(), {2, 0, 0, 0, 'x', 'y', 'z', 'z'});
    char* block = nullptr;
    ASSERT_EQ(ClipZeichnungHolen(&block), 1);
    EXPECT_EQ(std::string(block, 6), std::string("\2\0\0\0xy", 6));
    ffree(block);

    // No memory for the copy: absent, nothing leaks.
    PlFehlerScope scope;
    plFehlerSetzen(PlFehlerArt::Speicher, 1);
    EXPECT_EQ(ClipZeichnungHolen(&block), 0);
    EXPECT_EQ(block, nullptr);
    ++fbloecke;  // the block counter counts a refused request too
}

TEST_F(Clip, TextsAreCutToTheCallersBufferAndMissingTextIsEmpty)
{
    ASSERT_TRUE(ClipTextSetzen("abcdefghijklmnopqrstuvwxy"));
    char puffer[11];
    std::memset(puffer, 'X', sizeof puffer);
    ClipTextHolen(puffer, 10);
    EXPECT_STREQ(puffer, "abcdefghij");
    char* neu = ClipTextNeu();
    ASSERT_NE(neu, nullptr);
    EXPECT_STREQ(neu, "abcdefghijklmnopqrstuvwxy");
    ffree(neu);

    // A foreign text without its NUL ends at the block's end.
    fremd(CF_TEXT, {'G', 'r', 0xFC, 0xDF});
    char lang[40];
    ClipTextHolen(lang, 39);
    EXPECT_STREQ(lang, "Gr\xFC\xDF");

    plClipEnde();
    ClipTextHolen(puffer, 10);
    EXPECT_STREQ(puffer, "");
    EXPECT_EQ(ClipTextNeu(), nullptr);
}

TEST_F(Clip, MetafilePicturesCarryIsotropicExtentsInHundredthsOfAMillimetre)
{
    struct Fall {
        int b, h, r;
        LONG x, y;
    } faelle[] = {{300, 150, 90, 8466, 4233}, {96, 96, 96, 2540, 2540}, {1, 1, 600, 4, 4}};
    for (const Fall& f : faelle) {
        LONG x = -1, y = -1;
        ASSERT_TRUE(ClipMetaAusmass(f.b, f.h, f.r, &x, &y));
        EXPECT_EQ(x, f.x) << f.b << "x" << f.h << "@" << f.r;
        EXPECT_EQ(y, f.y);
    }
    std::vector<unsigned char> bits = metaBits();
    ASSERT_TRUE(ClipTextSetzen("bleibt"));
    // A resolution of 0 is refused before the clipboard is touched.
    EXPECT_FALSE(ClipMetaSetzen(bits.data(), bits.size(), 300, 150, 0));
    char puffer[10];
    ClipTextHolen(puffer, 9);
    EXPECT_STREQ(puffer, "bleibt");

    ASSERT_TRUE(ClipMetaSetzen(bits.data(), bits.size(), 300, 150, 90));
    ASSERT_TRUE(OpenClipboard(0));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));  // replacing
    HGLOBAL h = GetClipboardData(CF_METAFILEPICT);
    ASSERT_NE(h, 0u);
    const auto* bild = static_cast<const METAFILEPICT*>(GlobalLock(h));
    EXPECT_EQ(bild->mm, 7);
    EXPECT_EQ(bild->xExt, 8466);
    EXPECT_EQ(bild->yExt, 4233);
    EXPECT_EQ(GetMetaFileBitsEx(bild->hMF, 0, nullptr), bits.size());
    GlobalUnlock(h);
    CloseClipboard();
}

TEST_F(Clip, TheCopySequenceKeepsTheClipboardOpenUntilItCloses)
{
    WNDCLASS wc{};
    wc.lpfnWndProc = DefWindowProc;
    wc.lpszClassName = "ClipFremd";
    RegisterClass(&wc);
    HWND w = CreateWindow("ClipFremd", "", WS_OVERLAPPED, 0, 0, 10, 10, 0, 0, 0, nullptr);
    ASSERT_NE(w, 0u);
    ASSERT_TRUE(ClipTextSetzen("alt"));
    std::vector<unsigned char> bits = metaBits();
    std::vector<unsigned char> b = zeichnungsBlock("daten");
    HBITMAP bild = CreateBitmap(8, 8, 1, 32, nullptr);

    ASSERT_TRUE(ClipStatusBeginnen("/projekt", 1, 2));
    EXPECT_FALSE(OpenClipboard(w));                     // still held by the copy
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));  // emptied first
    EXPECT_TRUE(ClipTextDazu("Text"));
    EXPECT_TRUE(ClipMetaDazu(bits.data(), bits.size(), 10, 10, 96));
    EXPECT_TRUE(ClipZeichnungDazu(b.data(), b.size()));
    EXPECT_TRUE(ClipBitmapDazu(bild));
    ClipSchliessen();

    for (UINT f : {UINT(CF_TEXT), UINT(CF_METAFILEPICT), UINT(CF_BITMAP), ClipStatusFormat(), ClipZeichnungFormat()}) {
        EXPECT_TRUE(IsClipboardFormatAvailable(f)) << f;
    }
    char puffer[20];
    ClipTextHolen(puffer, 19);
    EXPECT_STREQ(puffer, "Text");
    // The formats are registered by their names, once.
    char name[40];
    ASSERT_GT(GetClipboardFormatName(ClipStatusFormat(), name, sizeof name), 0);
    EXPECT_STREQ(name, "ZavikStatus");
    ASSERT_GT(GetClipboardFormatName(ClipZeichnungFormat(), name, sizeof name), 0);
    EXPECT_STREQ(name, "ZavikZeichnung");
    EXPECT_EQ(RegisterClipboardFormat("ZavikStatus"), ClipStatusFormat());
    DestroyWindow(w);
}

}  // namespace
