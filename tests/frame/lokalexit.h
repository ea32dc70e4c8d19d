// Sends "exit" to a running Velmo over the local command channel (service
// "Velmo", topic "system"), as a second program would; 0 when the
// conversation was made, -1 when no instance answered.
#pragma once

#include "platform/lokalbefehl.h"
#include "platform/winconst.h"

inline int lokalExit()
{
    DWORD inst = 0;
    if (DdeInitialize(&inst, nullptr, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) return -1;
    HSZ dienst = DdeCreateStringHandle(inst, "Velmo", CP_WINANSI);
    HSZ thema = DdeCreateStringHandle(inst, "system", CP_WINANSI);
    HCONV conv = DdeConnect(inst, dienst, thema, nullptr);
    int ergebnis = -1;
    if (conv) {
        const char text[] = "exit";
        DWORD flags = 0;
        DdeClientTransaction(reinterpret_cast<const BYTE*>(text), sizeof text, conv, 0, 0, XTYP_EXECUTE, 10000,
                             &flags);
        DdeDisconnect(conv);
        ergebnis = 0;
    }
    DdeFreeStringHandle(inst, dienst);
    DdeFreeStringHandle(inst, thema);
    DdeUninitialize(inst);
    return ergebnis;
}
