// Helpers of the desktop tests: a message loop that waits on a condition
// and shell commands run while the program keeps serving X (xclip talks to
// the program while it runs).
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "platform/backend.h"
#include "platform/dialog.h"
#include "platform/fenster.h"
#include "platform/nachricht.h"
#include "platform/uhr.h"

extern char** environ;

inline int64_t desktopJetztMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The loop of a program: takes what waits (through the keyboard filter of
// the modeless dialog `dlg`, if any), lets GTK deliver for a few
// milliseconds, until `bis` holds or `ms` passed. True when `bis` held
// (or, without `bis`, always).
inline bool desktopPumpen(int ms, const std::function<bool()>& bis = nullptr, HWND dlg = 0)
{
    const int64_t ende = desktopJetztMs() + ms;
    for (;;) {
        MSG m;
        while (PeekMessage(&m, 0, 0, 0, PM_REMOVE)) {
            if (dlg && IsWindow(dlg) && IsDialogMessage(dlg, &m)) continue;
            TranslateMessage(&m);
            DispatchMessage(&m);
        }
        if (bis && bis()) return true;
        if (desktopJetztMs() >= ende) return !bis;
        plBeWarten(plUhrJetztMs() + 15, 0);
    }
}

// Waits for another process: polls `bis` until it holds or `ms` passed.
// True when it held.
inline bool desktopWarten(int ms, const std::function<bool()>& bis)
{
    const int64_t ende = desktopJetztMs() + ms;
    for (;;) {
        if (bis()) return true;
        if (desktopJetztMs() >= ende) return false;
        usleep(10000);
    }
}

// Runs a shell command while the loop keeps pumping, its output going to
// the file `datei`. Exit code (-1 when it had to be killed) and its output.
inline int desktopAusfuehren(const std::string& befehl, const std::string& datei, std::string* aus = nullptr,
                             int maxMs = 15000, HWND dlg = 0)
{
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_addopen(&fa, 1, datei.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const char* argv[] = {"/bin/sh", "-c", befehl.c_str(), nullptr};
    pid_t pid = 0;
    const int r = posix_spawn(&pid, "/bin/sh", &fa, nullptr, const_cast<char* const*>(argv), environ);
    posix_spawn_file_actions_destroy(&fa);
    if (r != 0) return -1;
    int status = 0;
    if (!desktopPumpen(maxMs, [&] { return waitpid(pid, &status, WNOHANG) == pid; }, dlg)) {
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
