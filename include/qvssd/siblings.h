/* The sibling libraries of the product family that the dialog library loads by
 * name at run time: file names, the signature of every export, and the small
 * structures they exchange.
 *
 * Every export has C linkage and the C calling convention (the caller removes
 * the arguments; every argument is one stack word, 8- and 16-bit values in its
 * low part) and is found by its exact name with GetProcAddress. The pointer
 * types below are `<ExportName>Fn`. Texts are zero-terminated strings: the
 * texts a user reads (message boxes, converted text in the local script) are
 * UTF-8, as the dialog library holds them; paths, profile keys and values are
 * ANSI.
 *
 * Ownership: a `const char*` returned by a sibling library points into memory
 * the library owns; the caller never frees it and copies it before the
 * library is freed (each function says how long the text stays valid). Texts
 * written into a record's QVString come from the shared process heap
 * (qvssd/types.h). Output buffers are always written with bounded copies of
 * the size the caller passes and are always zero-terminated when the size is
 * at least 1.
 *
 * A caller that cannot load a library or find a function uses the neutral
 * value the wrapper documents (0, NULL or its own default) and carries on.
 */
#ifndef QVSSD_SIBLINGS_H
#define QVSSD_SIBLINGS_H

#include <windows.h>
#include <stdint.h>

#include "qvssd/records.h" /* QVDlgLanguageInfo */

#ifdef __cplusplus
extern "C" {
#endif

/* ==== file names ============================================================
 * The common services library and the profile library are one file; Windows
 * file names ignore case, so both spellings load the same module (and share
 * its state). */
#define QVSSD_DLL_MESSAGEBOX "QVMessageBox.dll"
#define QVSSD_DLL_COMMON "qvcomlib.dll"  /* paths and resource loading */
#define QVSSD_DLL_PROFILE "QVComLib.dll" /* profile store; same file as above */
#define QVSSD_DLL_HOSTAPI "QVSSAPI.dll"
#define QVSSD_DLL_FILEDIALOG "QVFileDialog.dll"
#define QVSSD_DLL_ENGINE "TWEngine.dll"

/* ==== QVMessageBox.dll ======================================================
 * A modal message box: caption as given, the text word-wrapped in a static
 * control (id QVMB_ID_TEXT), the box sized to the text, an optional icon
 * (static QVMB_ID_ICON) and one or two buttons. Owner NULL means the active
 * window of the calling thread; the owner is disabled while the box runs. */

#define QVMB_BUTTONS_OK 1    /* one button, control id 1, result 1 */
#define QVMB_BUTTONS_YESNO 2 /* two buttons: first id 1 result 1, second id 2 result 2 */
#define QVMB_ICON_WARNING 4  /* the warning icon; every other code shows no icon */
#define QVMB_ID_TEXT 1000    /* static control holding the message text */
#define QVMB_ID_ICON 1001    /* icon static, present only with an icon */
/* Button texts, read from the string table of the library named by
 * SetCommStringTableFile; "OK", "&Yes" and "&No" when it lacks them. The
 * box's font is the table's strings 20000 (face) and 20001 (points), "MS
 * Shell Dlg" 8 when it lacks them. */
#define QVMB_STR_OK 60001
#define QVMB_STR_YES 60002
#define QVMB_STR_NO 60003

/* Names the resource library (a path) whose string table holds the button
 * texts of the following boxes. The path is copied (at most MAX_PATH - 1
 * characters); NULL or "" returns to the built-in English texts. */
typedef void(__cdecl* SetCommStringTableFileFn)(const char* stringTablePath);

/* One-button box without icon. Result 1 (also for Escape and close), 0 when
 * the box cannot be created. */
typedef int(__cdecl* QVMessageBox1Fn)(const char* text, const char* caption, HWND owner);

/* Box with button code QVMB_BUTTONS_OK or QVMB_BUTTONS_YESNO (any other code
 * gives one button), no icon. Result: the pressed button, 1 for the first and
 * 2 for the second; Escape and close give 2 in a two-button box and 1 in a
 * one-button box; 0 when the box cannot be created. NULL text or caption
 * shows an empty text (caption "TWcalc"). */
typedef int(__cdecl* QVMessageBox2Fn)(const char* text, const char* caption, HWND owner,
                                      int buttons);

/* As QVMessageBox2 with an icon code (QVMB_ICON_WARNING, others no icon). */
typedef int(__cdecl* QVMessageBox3Fn)(const char* text, const char* caption, HWND owner,
                                      int buttons, int icon);

/* English one-button box ("OK" whatever string table is named), owner the
 * active window of the calling thread. Result as QVMessageBox1. */
typedef int(__cdecl* QVEngMsgBoxFn)(const char* text, const char* caption);

/* ==== qvcomlib.dll: paths ===================================================
 * Each returns a folder path with a trailing backslash in a static buffer of
 * the library, refreshed by each call of the same function and valid until
 * the library is freed; "" when the folder cannot be determined. */

#define QVCOM_APPPATH_APPLICATION 70 /* the argument every caller passes */
/* Environment variable that moves the per-user data folder (tests, demo). */
#define QVCOM_USERDATA_ENV "TWCALC_USERDATA"

/* The application folder: the folder that holds the library itself. Every
 * argument value gives that folder. */
typedef const char*(__cdecl* GetAppPathFn)(int what);
/* The Windows system folder. */
typedef const char*(__cdecl* GetSysDirectoryFn)(void);
/* The temporary folder (the Windows temporary folder). */
typedef const char*(__cdecl* GetQVTempPathFn)(void);
/* The machine-wide application data folder (common application data, then
 * "TWcalc\"); not created. */
typedef const char*(__cdecl* GetAppDataPathFn)(void);
/* The per-user data folder: %APPDATA%\TWcalc\, or the folder the variable
 * QVCOM_USERDATA_ENV names; created on demand. Holds "FunctionInfo.dll" and
 * "Autofill.dll". */
typedef const char*(__cdecl* GetAppUserDataPathFn)(void);

/* ==== qvcomlib.dll: resources ===============================================
 * One current resource library at a time. */

#define QVCOM_LOAD_RESOURCES 1 /* the mode every caller passes: load as data only */

/* Opens a resource library (a path) as data, without running its code, and
 * makes it current, closing the previous one. Every mode loads as data.
 * Result: nonzero when it was opened, 0 otherwise (nothing is then current). */
typedef int(__cdecl* QVLoadFn)(const char* path, int mode);

/* Loads image `id` from the current resource library with LoadImage: type 0
 * bitmap, 1 icon, 2 cursor; width and height 0 keep the image's own size;
 * flags are LoadImage flags (0 = default colours). Result: the bitmap (icon,
 * cursor) handle, owned by the caller, or NULL (no current library, no such
 * image, unknown type). The handle stays valid after QVUnLoad. */
typedef HANDLE(__cdecl* QVLoadImageIntFn)(int id, int type, int width, int height, int flags);

/* Closes the current resource library, if any. */
typedef void(__cdecl* QVUnLoadFn)(void);

/* ==== QVComLib.dll: profile store ===========================================
 * An INI-style text file: "[Section]" lines and "key=value" lines; names are
 * compared ignoring case; lines the store does not understand are kept. Each
 * call reads the file afresh; each write replaces it atomically (a temporary
 * file in the same folder, flushed, then moved over the store), so a crash
 * never leaves a half-written store. A file name without a drive letter
 * and not starting with two backslashes (a network name) is resolved against
 * the per-user data folder, its leading backslashes ignored, so both
 * "FunctionInfo.dll" and "\FunctionInfo.dll" name the store there. The
 * store is a file: no registry root is involved. */

#define QVCOM_PROFILE_FILE "FunctionInfo.dll" /* the dialogs' profile file */

/* Selects the store file and keeps it until UnloadRegINI. NULL, "" or a
 * predefined registry root value passed in place of a name select no file.
 * Result: 1 when a file name was selected, else 0. While no file is selected
 * reads give the defaults and writes fail. */
typedef int(__cdecl* LoadINIFn)(const char* fileName);

/* Forgets the store file selected by LoadINI or QVSetINIFileName. */
typedef void(__cdecl* UnloadRegINIFn)(void);

/* Selects another store file, as LoadINI does. */
typedef void(__cdecl* QVSetINIFileNameFn)(const char* fileName);

/* The value of `key` in `section` read as a decimal integer (optional sign,
 * leading digits; clamped to the int range; no digits gives 0), or `def`
 * when the key is missing or its value empty. */
typedef int(__cdecl* QVGetProfileIntFn)(const char* section, const char* key, int def);

/* Stores `value` as decimal text. Result: 1 when written, 0 on failure. */
typedef int(__cdecl* QVWriteProfileIntFn)(const char* section, const char* key, int value);

/* The text of `key` in `section`, or a copy of `def` (NULL gives "") when the
 * key is missing. The result points into a buffer of the library that stays
 * valid until the next QVGetProfileString call or until the library is freed;
 * `def` may point into that buffer. A value written in double or single
 * quotes is returned without them. */
typedef const char*(__cdecl* QVGetProfileStringFn)(const char* section, const char* key,
                                                   const char* def);

/* Stores `text` (NULL removes the key; a NULL key removes the whole section).
 * Section names may not hold "]", keys may not hold "=", no name or text may
 * hold a line break. Result: 1 when written, 0 on failure or bad names. */
typedef int(__cdecl* QVWriteProfileStringFn)(const char* section, const char* key,
                                             const char* text);

/* One key/value pair of a section. */
typedef struct QVProfileEntry {
    const char* key;
    const char* value; /* as QVGetProfileString returns it */
} QVProfileEntry;

/* The key/value pairs of one section in file order. */
typedef struct QVProfileSection {
    int32_t count;                 /* number of entries */
    const QVProfileEntry* entries; /* `count` entries; NULL when count is 0 */
} QVProfileSection;

/* The pairs of `section` (walk entries[0 .. count - 1]), or NULL when no store
 * file is selected or the section does not exist. The structure and its texts
 * belong to the library and stay valid until the next QVGetSectionData call
 * or until the library is freed. */
typedef const QVProfileSection*(__cdecl* QVGetSectionDataFn)(const char* section);

/* ==== QVSSAPI.dll ===========================================================
 * The host's configuration file QVSSAPI.ini beside the library, section
 * "Language": Selector (default 0), FontFace and FontSize (default: the
 * dialog font of the local dialog strings QVSSDSL.dll beside the library,
 * strings 20000 and 20001, else "HIN Sans" 9), LanguageName (default "Tamil"
 * for a face starting with "TAM", else "Hindi"). */

#define QVSSAPI_INI_FILE "QVSSAPI.ini"

/* Fills selector, font size, font face and language name (texts through
 * QVStringAssign; reserved and third text are left as they are). Result: 1
 * when filled, 0 for a NULL record. */
typedef int(__cdecl* QVGetDlgLanguageInfoFn)(QVDlgLanguageInfo* info);

/* Present for the host API's callers; returns 0. */
typedef int(__cdecl* QVGetAppLanguageInfoFn)(int what);

/* Present for the host API's callers; returns 0. */
typedef int(__cdecl* QVCheckBilingualFn)(const char* text);

/* ==== QVFileDialog.dll ====================================================== */

#define QVFD_MODE_OPEN 1      /* open an existing file */
#define QVFD_MODE_SAVE 2      /* choose a file to save (asks before overwriting) */
#define QVFD_MODE_LINK_NEW 3  /* pick the file of a new hyperlink */
#define QVFD_MODE_LINK_EDIT 4 /* pick the file of an existing hyperlink */
#define QVFD_CANCEL "CANCEL"  /* the result text when the user cancels */

/* Shows the file dialog modally.
 *   owner          owner window (NULL: the active window of the thread)
 *   filter         "Name|pattern|Name|pattern||" pairs; NULL or "" lists all
 *                  files ("All Files (*.*)|*.*||")
 *   mode           QVFD_MODE_*; any other value works as QVFD_MODE_OPEN
 *   initialFolder  the folder to start in (for example the remembered
 *                  "Previous Path"); NULL or "" for the dialog's default
 *   currentPath    the current address: a file path preselects that file and
 *                  starts in its folder (overriding initialFolder); URLs and
 *                  NULL are ignored
 *   result         receives the chosen full path, or QVFD_CANCEL
 *   resultSize     size of `result` in bytes (MAX_PATH or more recommended)
 * Result: 1 when a file was chosen, 0 on cancel or failure (also for a NULL
 * result buffer or a size below 1, when nothing is shown). */
typedef int(__cdecl* LoadFileDialogFn)(HWND owner, const char* filter, int mode,
                                       const char* initialFolder, const char* currentPath,
                                       char* result, int resultSize);

/* ==== TWEngine.dll ==========================================================
 * Conversion between English text and the local script. Text in the local
 * script is UTF-8 (the product's local faces, "HIN ..." and "TAM ...", are
 * Unicode faces); ISCII results are single-byte ISCII-91. Results are written
 * to `out` (at most outSize - 1 bytes and a terminating zero, never cutting
 * a character); the result value is the number of bytes written, or -1 for
 * bad arguments (NULL out or outSize below 1). NULL text converts as "".
 * The language name ("Hindi", "Tamil") chooses the script; without one the
 * font face does (a face starting with "TAM" is Tamil), then the language the
 * engine was loaded for. */

/* Prepares the engine for a language ("Hindi", "Tamil") and font face; NULL
 * arguments are allowed. Result: 1 when ready, 0 otherwise. */
typedef int(__cdecl* LoadConvertEngineFn)(const char* languageName, const char* fontFace);

/* Releases what LoadConvertEngine prepared. */
typedef void(__cdecl* UnLoadConvertEngineFn)(void);

/* Writes English text (ASCII letters, any case) in the local script of
 * `languageName` by phonetic rules; everything else passes through. Works
 * without LoadConvertEngine. */
typedef int(__cdecl* ConvertEngToLangFn)(const char* languageName, const char* fontFace,
                                         const char* text, char* out, int outSize);

/* Converts UTF-8 text to ISCII, starting in the script of `fontFace` and
 * switching script with ISCII's attribute code where the text does; ASCII is
 * kept, characters ISCII cannot hold become "?". */
typedef int(__cdecl* ConvertFontToIsciiFn)(const char* fontFace, const char* text, char* out,
                                           int outSize);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* QVSSD_SIBLINGS_H */
