// The file-system boundary: the one place where system paths meet the disk.
// Prefix `plDs`. Owns the translation of system paths (code page 1252, '/'
// or '\') into real paths, the POSIX calls on them, the names coming back,
// and the atomic replacement of files. Calls platform/cp1252, zeichen and
// fehlersim and the C library; everything above reaches the disk through it.
//
// Translation (plDsPfad):
//  - '\' becomes '/'. A drive-letter path ("C:...") or a network path (two
//    leading separators) is not found (ENOENT): there are no drives here.
//  - Code page 1252 becomes UTF-8. A path that exists as written is used as
//    it is, without reading any folder.
//  - Otherwise each component that does not exist as written is looked up in
//    its folder ignoring case: the code page 1252 forms of the entries are
//    compared through the upper-case map (platform/zeichen.h); an entry equal
//    byte for byte wins, else the first match in sorted order. A component
//    that matches nothing is kept as written, so a new last component is
//    created as the caller spelt it and a missing folder fails naturally.
// Names coming back (folder entries, the current folder) become code page
// 1252: a character the code page lacks becomes '?' with one line on stderr;
// a name that is not valid UTF-8 is taken byte for byte (and found again by
// the lookup above).
//
// Atomic replacement: plDsErsetzenOeffnen gives a handle on a new temporary
// file in the target's folder; plDsSchliessen of that handle (optionally
// fsync), closes and renames it over the target; on any failure the temporary
// file is removed, the old target stays, and the result is -1.
// plDsErsetzenVerwerfen drops it. plDsDateiErsetzen does all in one call.
//
// Every wrapper consults the fault injection (fehlersim.h): open, opendir and
// mkdir as "open"; read and readdir as "read"; write and fsync as "write";
// rename; close and closedir as "close". An injected failure sets errno EIO.
#pragma once

#include <cstddef>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>
#include <ctime>

// The real (UTF-8) path of a system path; 0, or -1 with errno set.
int plDsPfad(const char* syspfad, std::string* echt);

// How many folders the ignore-case lookup has read so far (for tests: a
// name that exists as written must cost none).
long plDsSuchLesungen();

// open(2) on a system path; O_CLOEXEC is always added.
int plDsOeffnen(const char* pfad, int flags, mode_t modus = 0666);
ssize_t plDsLesen(int fd, void* puffer, size_t n);
ssize_t plDsSchreiben(int fd, const void* puffer, size_t n);
off_t plDsSuchen(int fd, off_t offset, int woher);
// pread(2)/pwrite(2): at a position, leaving the handle's own position alone.
ssize_t plDsLesenAb(int fd, void* puffer, size_t n, off_t position);
ssize_t plDsSchreibenAb(int fd, const void* puffer, size_t n, off_t position);
// close(2); for a handle of plDsErsetzenOeffnen also the rename (see above).
int plDsSchliessen(int fd);

int plDsStat(const char* pfad, struct stat* st);

// One version of a file: identity, size and times to the nanosecond. A
// cache keyed on it sees a rewrite, a rename over the file and a change in
// place (the status time moves).
struct PlDateiStand {
    dev_t geraet = 0;
    ino_t knoten = 0;
    off_t groesse = 0;
    timespec geaendert{}, status{};
    bool operator==(const PlDateiStand& b) const
    {
        return geraet == b.geraet && knoten == b.knoten && groesse == b.groesse &&
               geaendert.tv_sec == b.geaendert.tv_sec && geaendert.tv_nsec == b.geaendert.tv_nsec &&
               status.tv_sec == b.status.tv_sec && status.tv_nsec == b.status.tv_nsec;
    }
};
inline PlDateiStand plDateiStand(const struct stat& st)
{
    return PlDateiStand{st.st_dev, st.st_ino, st.st_size, st.st_mtim, st.st_ctim};
}
int plDsZeitSetzen(const char* pfad, const struct timespec zeiten[2]);
int plDsRechte(const char* pfad, mode_t modus);
int plDsUmbenennen(const char* alt, const char* neu);
// The same, but only onto a name that does not exist (checked and renamed
// in one step): -1 with errno EEXIST when it does.
int plDsUmbenennenNeu(const char* alt, const char* neu);
int plDsLoeschen(const char* pfad);
int plDsVerzAnlegen(const char* pfad, mode_t modus = 0777);
int plDsVerzLoeschen(const char* pfad);
int plDsWechseln(const char* pfad);
// The current folder as code page 1252; 0 or -1.
int plDsAktuell(std::string* cp);

// Folder reading; names come back as code page 1252 ("." and ".." included).
struct PlDsVerz;
PlDsVerz* plDsVerzOeffnen(const char* pfad);
// 1 an entry, 0 the end, -1 a read error.
int plDsVerzLesen(PlDsVerz* v, std::string* name);
int plDsVerzSchliessen(PlDsVerz* v);

// Atomic replacement of the file `pfad` (see above). The new file gets the
// permissions of the file it replaces, else read/write for all less umask.
int plDsErsetzenOeffnen(const char* pfad, bool sync = false);
int plDsErsetzenVerwerfen(int fd);
// Marks a replacement handle: when its bytes equal the target's at the
// close, the new file is dropped and the target is left untouched (same
// file, same times). 0, or -1 (EBADF) for another handle.
int plDsErsetzenNurWennAnders(int fd);
// While on (calls nest), every replacement opened is marked so from the
// start and gathers its bytes in memory: a file that comes out unchanged
// costs no temporary file at all. For runs that remake many files.
void plDsNurGeaenderteErsetzen(bool an);
struct PlDsNurGeaenderte {
    PlDsNurGeaenderte() { plDsNurGeaenderteErsetzen(true); }
    ~PlDsNurGeaenderte() { plDsNurGeaenderteErsetzen(false); }
    PlDsNurGeaenderte(const PlDsNurGeaenderte&) = delete;
    PlDsNurGeaenderte& operator=(const PlDsNurGeaenderte&) = delete;
};
bool plDsErsetzenOffen(int fd);
int plDsDateiErsetzen(const char* pfad, const void* daten, size_t n, bool sync = false);
// The same for bytes that may equal the file's already: then the file is
// left untouched (same file, same times) and no file is made. For writers
// that build a whole file in memory; within a batch
// (plDsNurGeaenderteErsetzen) the folder is read once for all new names.
int plDsDateiErsetzenWennAnders(const char* pfad, const void* daten, size_t n, bool sync = false);
