// The child side of a test that runs the program as a process of its own:
// the process becomes `programm` with `argumente`, and a run that hangs ends
// after a minute (SIGALRM); 121 when the program cannot be started.
#pragma once

#include <unistd.h>

#include <string>
#include <vector>

[[noreturn]] inline void programmWerden(const std::string& programm, std::vector<std::string> argumente)
{
    argumente.insert(argumente.begin(), programm);
    std::vector<char*> argv;
    for (std::string& s : argumente) argv.push_back(s.data());
    argv.push_back(nullptr);
    alarm(60);
    execv(argv[0], argv.data());
    _exit(121);
}
