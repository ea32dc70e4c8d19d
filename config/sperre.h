// Project lock and release files in the working directory: "Velmo.lock"
// names the user and the time of locking, "Velmo.nolock" switches locking
// off; "Zavik.lock" and "Zavik.nolock" of an older version are tested and
// deleted. Results only; the messages belong to the commands. Prefix `Prj`.
// Calls the file-system boundary, the login name, the clock (support/datum).
#pragma once

#include <cstddef>

inline constexpr int PRJBENUTZERSUP = 80;
inline constexpr int PRJSPERRZEILESUP = 78;

void PrjSperreSchalten(int ein);
// 0 may be worked on; -1 locked by another or the lock file not created.
// The lock is created exclusively, so two workstations cannot both take it.
int PrjSperren();
// The two lines of "Velmo.lock" (each up to 78 characters, buffers of 79);
// both empty when there is none.
void PrjSperreLesen(char* zeile1, char* zeile2);
void PrjSperreFrei();
int PrjSperreGehalten();
// Deletes both lock files whoever made them; forgets the own lock.
void PrjSperreLoeschen();
// 1 when "Zavik.lock" or "Velmo.lock" exists; only tests.
int PrjSperreDa();
// 0: create "Velmo.nolock"; 1: delete both release files; 2: 1 when one exists.
int PrjFreigabe(int modus);
