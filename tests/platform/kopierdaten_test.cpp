// Tests of WM_COPYDATA: the record and the bytes it points at reach the
// receiver during the send; the default procedure answers 0.
#include <gtest/gtest.h>

#include <string>

#include "platform/fenster.h"
#include "platform/kopierdaten.h"
#include "platform/nachricht.h"

namespace {

std::string empfangen;
HWND absender = 0;

LRESULT CALLBACK empfaenger(HWND h, UINT m, WPARAM wp, LPARAM lp)
{
    if (m == WM_COPYDATA && GetWindowLongPtr(h, 0) == 1) {
        const auto* cd = reinterpret_cast<const COPYDATASTRUCT*>(lp);
        absender = static_cast<HWND>(wp);
        empfangen.assign(static_cast<const char*>(cd->lpData), cd->cbData);
        return static_cast<LRESULT>(cd->dwData);
    }
    return DefWindowProc(h, m, wp, lp);
}

TEST(KopierDaten, RecordReachesTheReceiverDuringTheSend)
{
    plFensterSystemEnde();
    WNDCLASSEX wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = empfaenger;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.lpszClassName = "KopierProbe";
    ASSERT_NE(RegisterClassEx(&wc), 0);
    HWND a = CreateWindowEx(0, "KopierProbe", "", WS_POPUP, 0, 0, 10, 10, 0, 0, 0, nullptr);
    HWND b = CreateWindowEx(0, "KopierProbe", "", WS_POPUP, 0, 0, 10, 10, 0, 0, 0, nullptr);
    SetWindowLongPtr(b, 0, 1);
    char daten[] = "Bitmap";
    COPYDATASTRUCT cd{7, 6, daten};
    EXPECT_EQ(SendMessage(b, WM_COPYDATA, static_cast<WPARAM>(a), reinterpret_cast<LPARAM>(&cd)), 7);
    EXPECT_EQ(empfangen, "Bitmap");
    EXPECT_EQ(absender, a);
    EXPECT_EQ(SendMessage(a, WM_COPYDATA, static_cast<WPARAM>(b), reinterpret_cast<LPARAM>(&cd)), 0);
    plFensterSystemEnde();
}

}  // namespace
