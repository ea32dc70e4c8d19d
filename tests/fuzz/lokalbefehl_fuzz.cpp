// Frames of the local command socket: the input goes as raw bytes from a
// peer to the program's server (the frame's own callback behind it), which
// is polled until it has served or dropped the peer.
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "frame/dde.h"
#include "output/ansicht.h"
#include "output/bilder.h"
#include "output/dxfexp.h"
#include "output/dxfimp.h"
#include "output/element.h"
#include "output/gdi.h"
#include "output/schrift.h"
#include "output/show.h"
#include "output/tbar.h"
#include "platform/lokalbefehl.h"
#include "platform/winconst.h"
#include "winlib/anwdaten.h"
#include "tests/fuzz/fuzzhilfe.h"

namespace {

const char* const DIENST = "VelmoFuzz";

std::string einrichten()
{
    static std::string pfad;
    if (!pfad.empty()) return pfad;
    fz::ordner();
    if (chdir((fz::ordner() + "/arbeit").c_str()) != 0) std::abort();
    DdeUmschaltenSetzen([](const char*) {});
    std::snprintf(anwDaten()->klassenName, ANWKLASSESUP + 1, "%s", DIENST);  // the name the server answers to
    DWORD inst = 0;
    if (DdeInitialize(&inst, DdeServerRueckruf, APPCLASS_STANDARD, 0) != DMLERR_NO_ERROR) std::abort();
    DdeInstanzSetzen(inst);
    HSZ dienst = DdeCreateStringHandle(inst, DIENST, CP_WINANSI);
    if (!DdeNameService(inst, dienst, 0, DNS_REGISTER)) std::abort();
    pfad = plLokalOrdner() + "/velmofuzz.sock";
    return pfad;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    const std::string pfad = einrichten();
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un a{};
    a.sun_family = AF_UNIX;
    std::memcpy(a.sun_path, pfad.c_str(), pfad.size() + 1);
    if (connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) std::abort();
    size_t gesendet = 0;
    bool zu = false;
    for (int runde = 0; runde < 2000; ++runde) {
        if (gesendet < n) {
            ssize_t k = send(fd, d + gesendet, n - gesendet, MSG_NOSIGNAL | MSG_DONTWAIT);
            if (k > 0) gesendet += static_cast<size_t>(k);
            else if (k < 0 && errno != EAGAIN) gesendet = n;
        }
        if (gesendet >= n && !zu) {
            shutdown(fd, SHUT_WR);
            zu = true;
        }
        plLokalPollen(zu ? 5 : 0);
        char b[512];
        ssize_t k = recv(fd, b, sizeof b, MSG_DONTWAIT);
        if (k == 0) break;  // the server dropped the peer
    }
    close(fd);
    plLokalPollen(0);
    return 0;
}
