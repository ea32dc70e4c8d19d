// The user's login name, in place of the Windows user name. Prefix
// `plBenutzer`. Calls the C library (password database, environment) and
// platform/cp1252. The system version of the same family is added elsewhere.
#pragma once

#include "platform/windef.h"

// The login name as code page 1252 into `puffer`; *groesse is the buffer's
// size in, the characters written plus the terminator out. When the buffer is
// too small: FALSE and *groesse the size needed (nothing written).
BOOL GetUserName(LPSTR puffer, LPDWORD groesse);

// For tests: a fixed name (code page 1252); NULL goes back to the real one.
void plBenutzerSetzen(const char* name);
