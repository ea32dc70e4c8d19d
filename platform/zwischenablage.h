// The clipboard of the platform layer: OpenClipboard ... CloseClipboard,
// shaped like the Windows calls, with the standard formats the program uses
// (CF_TEXT in code page 1252, CF_BITMAP, CF_METAFILEPICT, CF_ENHMETAFILE,
// CF_HDROP) and registered formats. Prefix `plClip` for the layer's own
// additions. May call: globalmem.h, gdi.h (DeleteObject), metafile.h,
// backend.h (the clipboard of other programs), fenster.h.
//
// Ownership: data handed to SetClipboardData belongs to the clipboard and is
// freed by the next EmptyClipboard (or by a SetClipboardData of the same
// format): memory formats with GlobalFree, CF_BITMAP with DeleteObject,
// CF_ENHMETAFILE with DeleteEnhMetaFile, CF_METAFILEPICT with
// DeleteMetaFile of its hMF and GlobalFree of the block.
//
// Other programs: CloseClipboard offers text and registered memory formats
// to the backend (headless: they stay in the process). A format the process
// does not hold is asked of the backend by IsClipboardFormatAvailable and
// GetClipboardData. A backend that sees another program take the clipboard
// calls plClipFremd, which drops the process's own content.
#pragma once

#include "platform/winconst.h"
#include "platform/windef.h"

// SetClipboardData refuses a null handle (no delayed rendering), so a
// failed allocation never wipes a format.
BOOL OpenClipboard(HWND owner);
BOOL CloseClipboard();
BOOL EmptyClipboard();
HANDLE SetClipboardData(UINT format, HANDLE data);
HANDLE GetClipboardData(UINT format);
BOOL IsClipboardFormatAvailable(UINT format);
UINT RegisterClipboardFormat(LPCSTR name);
int GetClipboardFormatName(UINT format, LPSTR buf, int size);
UINT EnumClipboardFormats(UINT format);
int CountClipboardFormats();
HWND GetClipboardOwner();
HWND GetOpenClipboardWindow();

// Another program took the clipboard: forget the own content (freeing it).
void plClipFremd();
// Empties everything and closes the clipboard (end of the program or of a
// test); registered format numbers stay.
void plClipEnde();
