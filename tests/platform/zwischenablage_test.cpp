// Global memory blocks, the clipboard (text in code page 1252, registered
// formats, GDI handles and their ownership) and dropped files.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/ablegen.h"
#include "platform/fehlersim.h"
#include "platform/fenster.h"
#include "platform/fensterint.h"
#include "platform/gdi.h"
#include "platform/globalmem.h"
#include "platform/headless.h"
#include "platform/metafile.h"
#include "platform/nachricht.h"
#include "platform/uhr.h"
#include "platform/zwischenablage.h"

namespace {

std::string blockText(HGLOBAL h)
{
    const char* p = static_cast<const char*>(GlobalLock(h));
    std::string s(p ? p : "", p ? GlobalSize(h) : 0);
    GlobalUnlock(h);
    return s;
}

class ClipTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        plFensterSystemEnde();
        plClipEnde();
        plUhrFestsetzen(1767254400000);
        WNDCLASS wc{};
        wc.lpfnWndProc = DefWindowProc;
        wc.lpszClassName = "ClipTest";
        ASSERT_NE(RegisterClass(&wc), 0);
        a = CreateWindow("ClipTest", "a", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, 0, 0, 0, nullptr);
        b = CreateWindow("ClipTest", "b", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, 0, 0, 0, nullptr);
        bloecke = plGlobalAnzahl();
    }
    void TearDown() override
    {
        plClipEnde();
        plFehlerAllesAus();
        EXPECT_EQ(plGlobalAnzahl(), bloecke);  // nothing leaked
        plFensterSystemEnde();
        plUhrFreigeben();
    }
    HWND a = 0, b = 0;
    size_t bloecke = 0;
};

// ---- Global memory ----------------------------------------------------------------------

TEST_F(ClipTest, GlobalBlocksCountLocksAndNeverMoveWhileLocked)
{
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, 8);
    ASSERT_NE(h, 0u);
    EXPECT_EQ(GlobalSize(h), 8u);
    char* p = static_cast<char*>(GlobalLock(h));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(std::string(p, 8), std::string(8, '\0'));  // zero-filled even without GMEM_ZEROINIT
    std::memcpy(p, "abcdefgh", 8);
    EXPECT_EQ(GlobalFlags(h) & GMEM_LOCKCOUNT, 1u);
    EXPECT_EQ(GlobalReAlloc(h, 64, GMEM_MOVEABLE), 0u);  // growing a locked block is refused
    EXPECT_EQ(GlobalReAlloc(h, 4, GMEM_MOVEABLE), h);    // shrinking is not
    EXPECT_FALSE(GlobalUnlock(h));
    EXPECT_EQ(GlobalReAlloc(h, 16, GMEM_MOVEABLE | GMEM_ZEROINIT), h);
    EXPECT_EQ(blockText(h), std::string("abcd") + std::string(12, '\0'));
    EXPECT_EQ(GlobalFree(h), 0u);
    EXPECT_EQ(GlobalFree(h), h);  // dead
    EXPECT_EQ(GlobalLock(h), nullptr);
    EXPECT_EQ(GlobalSize(h), 0u);
    EXPECT_EQ(GlobalFlags(h), static_cast<UINT>(GMEM_INVALID_HANDLE));
    EXPECT_EQ(GlobalAlloc(GMEM_MOVEABLE, PL_GLOBAL_GROESSESUP + 1), 0u);
}

TEST_F(ClipTest, FailedAllocationLeavesTheClipboardAsItWas)
{
    ASSERT_TRUE(OpenClipboard(a));
    EmptyClipboard();
    SetClipboardData(CF_TEXT, plGlobalAus("alt", 4));
    plFehlerSetzen(PlFehlerArt::Speicher, 1);
    HGLOBAL h = plGlobalAus("neu", 4);
    EXPECT_EQ(h, 0u);
    EXPECT_EQ(SetClipboardData(CF_TEXT, h), 0u);  // a failed block is no data
    EXPECT_EQ(blockText(GetClipboardData(CF_TEXT)), std::string("alt", 4));
    CloseClipboard();
}

// ---- Clipboard ---------------------------------------------------------------------------------

TEST_F(ClipTest, TextRoundTripsByteForByte)
{
    const std::vector<std::string> texte = {"\xE4 \xDF \x80", "", std::string(5000, 'x') + "\xFC"};
    for (const std::string& t : texte) {
        ASSERT_TRUE(OpenClipboard(a));
        ASSERT_TRUE(EmptyClipboard());
        HGLOBAL h = plGlobalAus(t.c_str(), t.size() + 1);
        EXPECT_EQ(SetClipboardData(CF_TEXT, h), h);
        ASSERT_TRUE(CloseClipboard());
        EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
        ASSERT_TRUE(OpenClipboard(b));
        HGLOBAL g = GetClipboardData(CF_TEXT);
        EXPECT_EQ(blockText(g), t + '\0');
        CloseClipboard();
    }
    EXPECT_EQ(GetClipboardOwner(), a);
}

TEST_F(ClipTest, RegisteredFormatCarriesBinaryBlocks)
{
    UINT f = RegisterClipboardFormat("ZavikZeichnung");
    EXPECT_GE(f, 0xC000u);
    EXPECT_EQ(RegisterClipboardFormat("zavikzeichnung"), f);  // names ignore case
    UINT s = RegisterClipboardFormat("ZavikStatus");
    EXPECT_NE(s, f);
    EXPECT_EQ(RegisterClipboardFormat(""), 0u);
    char name[8];
    EXPECT_EQ(GetClipboardFormatName(f, name, sizeof name), 7);  // cut, with its NUL
    EXPECT_STREQ(name, "ZavikZe");
    EXPECT_EQ(GetClipboardFormatName(CF_TEXT, name, sizeof name), 0);

    std::string block("\x05\x00\x00\x00" "a\0b\xFF\x80", 9);
    ASSERT_TRUE(OpenClipboard(a));
    EmptyClipboard();
    SetClipboardData(s, GlobalAlloc(GHND, 224));
    SetClipboardData(CF_TEXT, plGlobalAus("t", 2));
    SetClipboardData(f, plGlobalAus(block.data(), block.size()));
    EXPECT_EQ(CountClipboardFormats(), 3);
    // Formats enumerate in the order they were set.
    EXPECT_EQ(EnumClipboardFormats(0), s);
    EXPECT_EQ(EnumClipboardFormats(s), static_cast<UINT>(CF_TEXT));
    EXPECT_EQ(EnumClipboardFormats(CF_TEXT), f);
    EXPECT_EQ(EnumClipboardFormats(f), 0u);
    CloseClipboard();
    ASSERT_TRUE(OpenClipboard(b));
    EXPECT_EQ(blockText(GetClipboardData(f)), block);
    EXPECT_EQ(GlobalSize(GetClipboardData(s)), 224u);
    EXPECT_EQ(GetClipboardData(RegisterClipboardFormat("AndereForm")), 0u);
    CloseClipboard();
}

TEST_F(ClipTest, OnlyTheOpenerChangesTheClipboard)
{
    HGLOBAL h = plGlobalAus("x", 2);
    EXPECT_EQ(SetClipboardData(CF_TEXT, h), 0u);  // not open: refused, the block stays the caller's
    EXPECT_FALSE(EmptyClipboard());
    EXPECT_FALSE(CloseClipboard());
    ASSERT_TRUE(OpenClipboard(a));
    EXPECT_TRUE(OpenClipboard(a));   // the same window again
    EXPECT_FALSE(OpenClipboard(b));  // another window while it is open
    EXPECT_EQ(GetOpenClipboardWindow(), a);
    EmptyClipboard();
    SetClipboardData(CF_TEXT, h);
    // Setting a format again frees the block it held.
    size_t vorher = plGlobalAnzahl();
    SetClipboardData(CF_TEXT, plGlobalAus("y", 2));
    EXPECT_EQ(plGlobalAnzahl(), vorher);
    EXPECT_EQ(GlobalSize(h), 0u);
    CloseClipboard();
    EXPECT_EQ(GetClipboardData(CF_TEXT), 0u);  // reading needs it open
    EXPECT_EQ(EnumClipboardFormats(0), 0u);
}

TEST_F(ClipTest, EmptyingFreesBitmapsAndMetafilePictures)
{
    HBITMAP bmp = CreateBitmap(4, 4, 1, 32, nullptr);
    ASSERT_NE(bmp, 0u);
    HDC mdc = CreateMetaFile(nullptr);
    MoveToEx(mdc, 0, 0, nullptr);
    LineTo(mdc, 10, 10);
    HMETAFILE hmf = CloseMetaFile(mdc);
    ASSERT_NE(hmf, 0u);
    METAFILEPICT mp{MM_ISOTROPIC, 8466, 4233, hmf};
    ASSERT_TRUE(OpenClipboard(a));
    EmptyClipboard();
    SetClipboardData(CF_BITMAP, bmp);
    SetClipboardData(CF_METAFILEPICT, plGlobalAus(&mp, sizeof mp));
    CloseClipboard();
    ASSERT_TRUE(OpenClipboard(b));
    METAFILEPICT gelesen{};
    std::memcpy(&gelesen, GlobalLock(GetClipboardData(CF_METAFILEPICT)), sizeof gelesen);
    GlobalUnlock(GetClipboardData(CF_METAFILEPICT));
    EXPECT_EQ(gelesen.xExt, 8466);
    EXPECT_EQ(gelesen.hMF, hmf);
    EXPECT_EQ(GetClipboardData(CF_BITMAP), bmp);
    EmptyClipboard();
    CloseClipboard();
    EXPECT_EQ(GetObjectType(bmp), 0u);
    EXPECT_EQ(GetMetaFileBitsEx(hmf, 0, nullptr), 0u);
    EXPECT_EQ(GetClipboardOwner(), b);
}

// ---- Dropped files ---------------------------------------------------------------------------------

TEST_F(ClipTest, DroppedFilesArriveAtTheNearestAcceptingWindow)
{
    ShowWindow(a, SW_SHOW);
    HWND kind = CreateWindow("ClipTest", "", WS_CHILD | WS_VISIBLE, 10, 10, 50, 40, a, 0, 0, nullptr);
    POINT p = plHeadlessPunkt(kind, 5, 5);
    EXPECT_EQ(plAblegenDateien(p.x, p.y, {"/tmp/x.zvk"}), 0u);  // nobody accepts yet
    DragAcceptFiles(a, TRUE);
    const std::vector<std::string> dateien = {"/tmp/Sch\xE4ltplan 1.zvk", "/tmp/b.pdf"};
    EXPECT_EQ(plAblegenDateien(p.x, p.y, dateien), a);
    MSG m{};
    ASSERT_TRUE(PeekMessage(&m, 0, WM_DROPFILES, WM_DROPFILES, PM_REMOVE));
    EXPECT_EQ(m.hwnd, a);
    HDROP d = static_cast<HDROP>(m.wParam);
    EXPECT_EQ(DragQueryFile(d, 0xFFFFFFFF, nullptr, 0), 2u);
    char buf[200];
    EXPECT_EQ(DragQueryFile(d, 0, nullptr, 0), dateien[0].size());
    EXPECT_EQ(DragQueryFile(d, 0, buf, sizeof buf), dateien[0].size());
    EXPECT_EQ(buf, dateien[0]);
    EXPECT_EQ(DragQueryFile(d, 1, buf, 5), 4u);  // cut, with its NUL
    EXPECT_STREQ(buf, "/tmp");
    EXPECT_EQ(DragQueryFile(d, 2, buf, sizeof buf), 0u);
    POINT q;
    EXPECT_TRUE(DragQueryPoint(d, &q));
    POINT erwartet = p;
    ScreenToClient(a, &erwartet);
    EXPECT_EQ(q.x, erwartet.x);
    EXPECT_EQ(q.y, erwartet.y);
    DragFinish(d);
    DragAcceptFiles(a, FALSE);
    EXPECT_EQ(plAblegenDateien(p.x, p.y, dateien), 0u);
}

TEST_F(ClipTest, FileListOnTheClipboardAndDamagedListsAreReadSafely)
{
    HGLOBAL liste = plAblegenListe({"/a", "/b/c"}, POINT{0, 0}, false);
    ASSERT_TRUE(OpenClipboard(a));
    EmptyClipboard();
    SetClipboardData(CF_HDROP, liste);
    CloseClipboard();
    ASSERT_TRUE(OpenClipboard(b));
    HDROP d = static_cast<HDROP>(GetClipboardData(CF_HDROP));
    char buf[16];
    EXPECT_EQ(DragQueryFile(d, 0xFFFFFFFF, nullptr, 0), 2u);
    DragQueryFile(d, 1, buf, sizeof buf);
    EXPECT_STREQ(buf, "/b/c");
    CloseClipboard();

    // Offsets past the block, names without their NUL, wide names: nothing
    // is read past the block and no name is reported.
    struct Fall {
        DWORD pFiles;
        BOOL breit;
        std::string namen;
    };
    for (const Fall& f : {Fall{400, FALSE, std::string("x\0\0", 3)}, Fall{20, FALSE, "ohne Ende"},
                          Fall{20, TRUE, std::string("x\0\0\0\0\0", 6)}, Fall{4, FALSE, std::string("x\0\0", 3)}}) {
        std::string roh(sizeof(DROPFILES), '\0');
        DROPFILES kopf{f.pFiles, {0, 0}, FALSE, f.breit};
        std::memcpy(roh.data(), &kopf, sizeof kopf);
        roh += f.namen;
        HGLOBAL h = plGlobalAus(roh.data(), roh.size());
        EXPECT_EQ(DragQueryFile(h, 0xFFFFFFFF, nullptr, 0), 0u) << f.pFiles;
        EXPECT_EQ(DragQueryFile(h, 0, buf, sizeof buf), 0u);
        EXPECT_STREQ(buf, "");
        GlobalFree(h);
    }
}

}  // namespace
