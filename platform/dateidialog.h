// Common dialogs of the platform layer: open and save file dialogs
// (GetOpenFileName, GetSaveFileName with "\0"-separated filter pairs,
// default extension, initial folder, title, multi-select, overwrite and
// must-exist checks), the folder chooser (SHBrowseForFolder with its
// BFFM_INITIALIZED / BFFM_SETSELECTION callback) and the print dialog
// (PrintDlg returning a printer DC of drucker.h); shaped like the Windows
// calls of the same names. Prefix `plDateiDialog`, `plDruckDialog`. May call:
// backend.h, nachrichtbox.h, drucker.h, globalmem.h, dateisys.h, fenster.h.
//
// Answers: a scripted answer queued by a test (or the batch mode) is taken
// first; else the backend's native dialog (plBeDateiDialog; the headless
// backend answers "cancelled"). Every dialog asked is recorded with what
// it was asked. The print dialog takes scripted settings; with nothing
// queued it is cancelled unless a native print dialog is installed.
// The checks of the flags (file must exist, overwrite prompt) run on every
// answer; a refused answer asks again, so a script lists the answers in turn.
#pragma once

#include <string>
#include <vector>

#include "platform/drucker.h"
#include "platform/winconst.h"
#include "platform/windef.h"

#ifndef MAX_PATH
#define MAX_PATH 260
#endif

// ---- Open / save -----------------------------------------------------------------------
#define OFN_READONLY 0x00000001
#define OFN_OVERWRITEPROMPT 0x00000002
#define OFN_HIDEREADONLY 0x00000004
#define OFN_NOCHANGEDIR 0x00000008
#define OFN_SHOWHELP 0x00000010
#define OFN_NOVALIDATE 0x00000100
#define OFN_ALLOWMULTISELECT 0x00000200
#define OFN_EXTENSIONDIFFERENT 0x00000400
#define OFN_PATHMUSTEXIST 0x00000800
#define OFN_FILEMUSTEXIST 0x00001000
#define OFN_CREATEPROMPT 0x00002000
#define OFN_NOREADONLYRETURN 0x00008000
#define OFN_EXPLORER 0x00080000
#define OFN_LONGNAMES 0x00200000
#define FNERR_BUFFERTOOSMALL 0x3003
#define CDERR_STRUCTSIZE 0x0001

typedef UINT_PTR (*LPOFNHOOKPROC)(HWND, UINT, WPARAM, LPARAM);
struct OPENFILENAME {
    DWORD lStructSize;
    HWND hwndOwner;
    HINSTANCE hInstance;
    LPCSTR lpstrFilter;       // "description\0pattern\0...\0\0"
    LPSTR lpstrCustomFilter;
    DWORD nMaxCustFilter;
    DWORD nFilterIndex;       // 1-based; set to the chosen filter
    LPSTR lpstrFile;          // in: initial name (may hold a folder); out: the choice
    DWORD nMaxFile;
    LPSTR lpstrFileTitle;     // out: name without folder (may be NULL)
    DWORD nMaxFileTitle;
    LPCSTR lpstrInitialDir;
    LPCSTR lpstrTitle;
    DWORD Flags;
    WORD nFileOffset;
    WORD nFileExtension;
    LPCSTR lpstrDefExt;
    LPARAM lCustData;
    LPOFNHOOKPROC lpfnHook;
    LPCSTR lpTemplateName;
};

// TRUE when chosen; FALSE when cancelled or failed (CommDlgExtendedError
// tells: 0 cancelled, FNERR_BUFFERTOOSMALL with the size needed in the first
// two bytes of lpstrFile). Multi-select fills "folder\0name\0name\0\0" when
// several were chosen, the full path when one was.
BOOL GetOpenFileName(OPENFILENAME* ofn);
BOOL GetSaveFileName(OPENFILENAME* ofn);
DWORD CommDlgExtendedError();

// ---- Folder chooser ------------------------------------------------------------------------
#define BIF_RETURNONLYFSDIRS 0x0001
#define BIF_EDITBOX 0x0010
#define BIF_NEWDIALOGSTYLE 0x0040
#define BIF_USENEWUI (BIF_NEWDIALOGSTYLE | BIF_EDITBOX)
#define BFFM_INITIALIZED 1
#define BFFM_SELCHANGED 2
#define BFFM_SETSELECTION (WM_USER + 102)
typedef int (*BFFCALLBACK)(HWND hwnd, UINT msg, LPARAM lp, LPARAM data);
struct ITEMIDLIST;  // a chosen folder, freed with CoTaskMemFree
typedef ITEMIDLIST* LPITEMIDLIST;
typedef const ITEMIDLIST* LPCITEMIDLIST;
struct BROWSEINFO {
    HWND hwndOwner;
    LPCITEMIDLIST pidlRoot;
    LPSTR pszDisplayName;  // out: the folder's name (MAX_PATH), may be NULL
    LPCSTR lpszTitle;
    UINT ulFlags;
    BFFCALLBACK lpfn;
    LPARAM lParam;
    int iImage;
};
LPITEMIDLIST SHBrowseForFolder(BROWSEINFO* bi);
BOOL SHGetPathFromIDList(LPCITEMIDLIST pidl, LPSTR path);  // path: MAX_PATH
void CoTaskMemFree(LPVOID p);

// ---- Print dialog ------------------------------------------------------------------------------
#define PD_ALLPAGES 0x00000000
#define PD_SELECTION 0x00000001
#define PD_PAGENUMS 0x00000002
#define PD_NOSELECTION 0x00000004
#define PD_NOPAGENUMS 0x00000008
#define PD_COLLATE 0x00000010
#define PD_PRINTTOFILE 0x00000020
#define PD_PRINTSETUP 0x00000040
#define PD_RETURNDC 0x00000100
#define PD_RETURNIC 0x00000200
#define PD_RETURNDEFAULT 0x00000400
#define PD_USEDEVMODECOPIESANDCOLLATE 0x00040000

struct PRINTDLG {
    DWORD lStructSize;
    HWND hwndOwner;
    HGLOBAL hDevMode;    // in/out: a DEVMODE block (GlobalAlloc)
    HGLOBAL hDevNames;
    HDC hDC;             // out with PD_RETURNDC: a printer DC of drucker.h
    DWORD Flags;
    WORD nFromPage;
    WORD nToPage;
    WORD nMinPage;
    WORD nMaxPage;
    WORD nCopies;
    HINSTANCE hInstance;
    LPARAM lCustData;
    void* lpfnPrintHook;
    void* lpfnSetupHook;
    LPCSTR lpPrintTemplateName;
    LPCSTR lpSetupTemplateName;
    HGLOBAL hPrintTemplate;
    HGLOBAL hSetupTemplate;
};
// TRUE with the settings in hDevMode (a new block when it was 0), the
// copies in nCopies and, with PD_RETURNDC, a printer DC; FALSE when
// cancelled. PD_RETURNDEFAULT answers the defaults without asking.
BOOL PrintDlg(PRINTDLG* pd);

// ---- Script, record and native hooks ------------------------------------------------------------
// Queues the answer of the next file or folder dialog: a path (code page
// 1252); nullptr or "" answers "cancelled".
void plDateiDialogAntwort(const char* pfad);
// Queues a multiple choice: a folder and names.
void plDateiDialogAntwortMehrere(const char* ordner, const std::vector<std::string>& namen);
void plDateiDialogSkriptLeeren();
struct plDateiDialogFrage {
    int art;               // 0 open, 1 save, 2 folder
    std::string titel;
    std::string filter;    // "description|pattern|..." as the backend gets it
    std::string ordner;    // initial folder (the preselection of a folder chooser)
    std::string name;      // initial file name
    std::string endung;    // default extension
    bool mehrere;
    DWORD flags;
};
const std::vector<plDateiDialogFrage>& plDateiDialogFragen();
void plDateiDialogFragenLeeren();

// Queues the answer of the next print dialog.
void plDruckDialogAntwort(const plDruckEinstellung& e);
void plDruckDialogSkriptLeeren();
// A native print dialog: fills the settings (defaults given) and answers 1,
// or 0 when cancelled. The desktop backend installs one; none: cancelled.
typedef int (*plDruckDialogFn)(HWND besitzer, plDruckEinstellung* e);
void plDruckDialogNativ(plDruckDialogFn fn);
