// Dropped files: DragAcceptFiles, WM_DROPFILES, DragQueryFile,
// DragQueryPoint and DragFinish, shaped like the Windows calls, and the call
// through which a backend (or a test on the headless backend) drops files
// on a window. Prefix `plAblegen`. An HDROP is a global memory block
// (globalmem.h) in the DROPFILES layout with code page 1252 names, the
// same block the clipboard carries as CF_HDROP. May call: globalmem.h,
// fenster.h, nachricht.h.
#pragma once

#include <string>
#include <vector>

#include "platform/winconst.h"
#include "platform/windef.h"

#ifndef WS_EX_ACCEPTFILES
#define WS_EX_ACCEPTFILES 0x00000010L
#endif

// The documented header of a file list: names start at byte pFiles, each
// ended by a NUL, the list by one more NUL.
struct DROPFILES {
    DWORD pFiles;
    POINT pt;
    BOOL fNC;
    BOOL fWide;
};

void DragAcceptFiles(HWND hwnd, BOOL accept);
// index 0xFFFFFFFF: the number of files. buf NULL: the length of name
// `index` without the NUL. Else copies at most size - 1 characters and a
// NUL and returns the characters copied (0 for a bad index or handle).
UINT DragQueryFile(HDROP drop, UINT index, LPSTR buf, UINT size);
// The drop point (client coordinates of the window dropped on); TRUE when
// it lay in the client area.
BOOL DragQueryPoint(HDROP drop, LPPOINT pt);
void DragFinish(HDROP drop);

// A file-list block (DROPFILES, names in code page 1252); 0 when
// allocation fails.
HGLOBAL plAblegenListe(const std::vector<std::string>& dateien, POINT pt, bool nichtClient);

// Files dropped at screen point (x, y): the window under the point that
// accepts files (itself or the nearest ancestor with WS_EX_ACCEPTFILES)
// gets WM_DROPFILES posted with a new HDROP (the receiver calls
// DragFinish). The window that took it, or 0 when none accepts (nothing is
// posted then).
HWND plAblegenDateien(int x, int y, const std::vector<std::string>& dateien);
