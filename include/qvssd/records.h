/* Parameter records of QVSSD.dll.
 *
 * Every record is allocated and owned by the host and stays valid for the
 * duration of the export call; the library keeps no pointer to it afterwards.
 * Fields are listed in their binary order; each sits at its natural alignment
 * for the 32-bit Windows target (little-endian). Implicit padding is not
 * spelled out; reserved fields are. The layout checks at the end of this
 * header hold the i686 layout fixed: if the compiler disagrees with them,
 * the struct is wrong.
 *
 * Comments: "in" = read by the dialog, "out" = written by the dialog.
 *
 * Memory:
 *  - QVString, QVStringArray, QVIntArray, QVUIntArray, QVTypedArray and QVVector contents
 *    live on the shared process heap (QVAlloc/QVStrDup in qvssd/types.h);
 *    whoever replaces or drops them frees them with QVFree (or the matching
 *    RemoveAll/Clear helper). The library may reallocate array storage.
 *  - Texts that an export hands back newly allocated (the Options user name,
 *    the Hyperlink link text and address) come from QVStrDup on the shared
 *    heap; the host frees them with QVFree. The pointer they replace is
 *    overwritten, not freed.
 *  - A plain `char*` field points into memory its comment names: host
 *    buffers by default; "library-owned" texts must not be freed by the host.
 *  - Fixed `char[N]` buffers are zero-terminated; the library writes at most
 *    N bytes including the terminator.
 */
#ifndef QVSSD_RECORDS_H
#define QVSSD_RECORDS_H

#include "qvssd/types.h"
#include <commdlg.h> /* PRINTDLGA: not pulled in by windows.h under WIN32_LEAN_AND_MEAN */

#ifdef __cplusplus
extern "C" {
#endif

/* ==== Exports that take plain arguments (no record struct) =================
 *
 * QVShowViewZoom(int16_t* zoom, int16_t fitSelection)
 *     zoom: in/out zoom percentage (written on OK, 50..400).
 *     fitSelection: in, by value; the percentage "Fit Selection" takes.
 * QVShowFormatHtWd(double* size, uint8_t mode)
 *     size: in/out row height or column width in host units, one 64-bit
 *     IEEE value (two 32-bit words in memory order). mode: 1 row height
 *     (0..409), 2 column width (0..255), 3 standard column width.
 * QVShowInsertDelCells(uint8_t* flags)
 *     in/out flag byte: 1 delete mode, 2 insert mode, 4 shift right (or its
 *     delete counterpart), 8 shift down (or its counterpart), 16 entire row,
 *     32 entire column (16 and 32 out only).
 * QVShowNameCreate(NameCreateRecord* flags)
 *     in/out flag byte: 1 top row, 2 left column, 4 bottom row, 8 right column.
 * QVShowNameRepetitionLabel(const char* label, char* cell)
 *     label: in, the label text (read only). cell: out buffer, receives the
 *     chosen cell reference on OK.
 * QVShowDatabaseTable(char* table)
 *     out buffer: the typed table name (empty when none), written whatever
 *     the result.
 * QVShowSelectTable(char* buffer)
 *     in: path of the database whose tables are listed; out: the chosen
 *     table name (empty when none), written whatever the result.
 * QVShowUnhideSheet(char* buffer)
 *     in: hidden sheet names, each followed by "*" (Name1*Name2*); out on OK:
 *     the chosen name.
 * QVShowPassword(const char* path, char* password)
 *     path: in, workbook path for the prompt. password: out buffer on OK.
 * QVShowErrorDetails(const char* text)
 *     in: unsupported features, lines separated by CR LF; NULL shows nothing.
 * QVShowExtPasteSpecial(int32_t mode, uint32_t* choice)
 *     mode: 2 lists the formats on the clipboard, others an empty list.
 *     choice: out, clipboard format number of the chosen entry; 0 when none
 *     is selected or on cancel.
 * QVShowChartFormat(ChartFormatRecord* rec, int32_t chartType, int32_t variant)
 *     chartType/variant: in, by value; chart types 2, 4, 7 and variants 2, 6
 *     choose the pattern page and the copy-out.
 * QVShowFormatCells / QVShowConditionalFormatting(hostWindow, rec)
 *     hostWindow: in, the host window that answers WM_QV_FMTLISTS (1950).
 */

/* ==== Host link ============================================================ */

/* Filled by the host's QVGetDlgLanguageInfo (QVSSAPI.dll) once at load time. */
typedef struct QVDlgLanguageInfo {
    uint8_t selector;      /* out: 0 face+size+name, 1 or 2 face+size, else none (init 255) */
    int16_t fontSize;      /* out: point size of the local-script font (init 0) */
    uint16_t reserved;     /* out: not read (init 0xFFFF) */
    QVString fontFace;     /* out: local font face; first three chars = language code */
    QVString languageName; /* out: display name of the local language */
    QVString thirdText;    /* out: not read */
} QVDlgLanguageInfo;

/* ==== Format Cells ========================================================= */

/* Number page block of CellFormatRecord. */
typedef struct NumberFormatBlock {
    uint16_t category;      /* in/out: 0 General .. 7 Text; other = no category */
    char hostFormat[256];   /* in/out: host's own format text, carried through */
    uint16_t decimalPlaces; /* in/out: 0..15 (default 2) */
    uint8_t thousands;      /* in/out: 3 = "Use 1000 Separator" checked, 0 unchecked */
    uint16_t negativeStyle; /* in/out: index 0..3 in the negative-numbers list */
    uint16_t type;          /* in/out: date, time or fraction type index by category */
    uint8_t currencySymbol; /* in/out: index 0..2 in the Symbol list */
    uint32_t hostValue;     /* in/out: carried through (default 0) */
    char customCode[255];   /* in/out: custom format code */
    char sampleValue[255];  /* in: active cell's value as text; never changed */
    uint8_t changed;        /* out: 1 = apply (or search for) the number attributes */
} NumberFormatBlock;

/* Alignment page block of CellFormatRecord. */
typedef struct AlignmentBlock {
    uint8_t horizontal;  /* in/out: 0..3; other = mixed */
    uint8_t vertical;    /* in/out: 0..2; other = mixed */
    uint8_t reserved[3]; /* carried through */
    uint8_t textControl; /* in/out: 1/2 wrap on/off, 8/16 merge on/off, 32 merge differs */
    uint8_t spare[2];    /* carried through */
    int16_t orientation; /* in/out: degrees -90..90; other = mixed */
    uint8_t changed;     /* out: set on OK by the page's rule */
} AlignmentBlock;

/* Font page block (also in Conditional Formatting, Header/Footer, Format Chart). */
typedef struct FontBlock {
    char faceName[255];  /* in/out: font face */
    uint8_t styleFlags;  /* in/out: 1 Regular, 2 Bold, 4 Italic, 8 Bold Italic */
    int16_t size;        /* in/out: point size; 0 = mixed */
    uint8_t underline;   /* in/out: 32 underline on; modes 1,2: 1 mixed, 2 off */
    uint32_t color;      /* in/out: font colour (Windows colour value) */
    uint8_t normalFont;  /* in/out: 64 = the font is the normal font */
    uint8_t strikeOut;   /* in/out: 16 strike-through on; modes 1,2: 4 mixed, 8 off */
    uint8_t modeCopy;    /* in: sheet mode, written by the sheet before the page starts */
    uint8_t changed;     /* out: set on OK */
    uint8_t reserved[4]; /* carried through */
} FontBlock;

/* One border line; element of BorderLineList and of ConditionFormat.borders. */
typedef struct BorderLine {
    uint16_t edges;    /* in/out: 1 top, 2 bottom, 4 left, 8 right, 16 inside h, 32 inside v */
    uint16_t penStyle; /* in/out: 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 none */
    uint32_t color;    /* in/out: Windows colour value */
    uint8_t shape;     /* in/out: 1 one cell, 2 rows in a column, 3 columns in a row, 4 block */
    uint8_t weight;    /* in/out: 1 thin, 2 medium, 3 thick */
    uint8_t changed;   /* in/out: on output the Border page's changed flag */
} BorderLine;

/* Vector of BorderLine (first/last/end pointers; storage on the shared heap). */
typedef QVVector BorderLineList;

/* Pattern page block of CellFormatRecord. */
typedef struct PatternBlock {
    uint32_t fillColor;    /* in/out: shading colour; 1 = no colour */
    int16_t patternStyle;  /* in/out: 0..32; other values become -1 (none/mixed) */
    uint32_t patternColor; /* in/out: pattern foreground colour */
    uint8_t changed;       /* out: set on OK */
} PatternBlock;

/* QVShowFormatCells (second argument). */
typedef struct CellFormatRecord {
    NumberFormatBlock number; /* in/out: Number page */
    AlignmentBlock alignment; /* in/out: Alignment page */
    FontBlock font;           /* in/out: Font page, edited in place */
    BorderLineList borders;   /* in/out: Border page; cleared and refilled on OK */
    PatternBlock pattern;     /* in/out: Pattern page */
    uint8_t startPage;        /* in: 1-based first page shown; out: page active at close */
    uint8_t sheetMode;        /* in: 0 normal, 1 Find, 2 Replace, 3 Font/Border/Pattern, 32 Font */
} CellFormatRecord;

/* ==== Conditional Formatting =============================================== */

/* Format of one condition. */
typedef struct ConditionFormat {
    uint8_t noFormat;     /* in/out: 1 = no format chosen yet, 0 = format set */
    FontBlock font;       /* in/out: condition font */
    PatternBlock pattern; /* in/out: condition pattern */
    QVTypedArray borders; /* in/out: array of BorderLine; emptied and refilled in place */
} ConditionFormat;

/* One condition of ConditionalFormatRecord. */
typedef struct Condition {
    uint32_t present;       /* in/out: 1 in use, 0 not in use */
    uint8_t op;             /* in/out: operator index; 0,1 take two values, 2..7 one */
    uint8_t kind;           /* in/out: index in the kind list */
    char value1[255];       /* in/out: first (or only) value */
    char value2[255];       /* in/out: second value */
    ConditionFormat format; /* in/out: format applied when the condition holds */
} Condition;

/* QVShowConditionalFormatting (second argument); edited in place while open. */
typedef struct ConditionalFormatRecord {
    Condition conditions[3]; /* in/out: conditions 1, 2, 3 */
} ConditionalFormatRecord;

/* ==== Page Setup =========================================================== */

/* Page page block. */
typedef struct PageOptions {
    uint8_t orientation;   /* in/out: 1 portrait, 2 landscape */
    uint8_t scaling;       /* in/out: 4 adjust to, 8 fit to */
    int16_t adjustPercent; /* in/out: 50..400 */
    int32_t fitPagesTall;  /* in: shown, never written back */
    int32_t fitPagesWide;  /* in: shown, never written back */
    uint16_t paperSize;    /* in/out: DMPAPER paper identifier */
    int16_t printQuality;  /* in/out: index in the print-quality list */
    int16_t firstPage;     /* in/out: first page number 0..32767 */
} PageOptions;

/* Margins page block (inches). */
typedef struct MarginsBlock {
    float top;         /* in/out: top margin */
    float bottom;      /* in/out: bottom margin */
    float left;        /* in/out: left margin */
    float right;       /* in/out: right margin */
    float header;      /* in/out: header distance from the top edge */
    float footer;      /* in/out: footer distance from the bottom edge */
    uint8_t centering; /* in/out: 0x20 centre horizontally, 0x10 vertically; others carried */
} MarginsBlock;

/* Three sections of a header or footer. */
typedef struct HeaderFooterSections {
    char left[255];       /* in/out: left section text (header/footer codes) */
    char center[255];     /* in/out: centre section text */
    char right[255];      /* in/out: right section text */
    FontBlock leftFont;   /* in/out: left section font */
    FontBlock centerFont; /* in/out: centre section font */
    FontBlock rightFont;  /* in/out: right section font */
} HeaderFooterSections;

/* Header/Footer page block. */
typedef struct HeaderFooterBlock {
    HeaderFooterSections header; /* in/out: header sections */
    HeaderFooterSections footer; /* in/out: footer sections */
    uint8_t mode;                /* in/out: 0x40 header being edited, 0x80 footer */
    char filePath[255];          /* in: workbook path */
    char fileName[255];          /* in: workbook file name */
    char sheetName[255];         /* in: sheet name */
} HeaderFooterBlock;

/* Sheet page block. */
typedef struct SheetOptionsBlock {
    char printArea[255];    /* in/out: A1 reference text, empty = none */
    char rowsToRepeat[255]; /* carried through */
    char colsToRepeat[255]; /* carried through */
    uint8_t options;   /* in/out: 1 grid, 2 b/w, 4 draft, 8 headings, 16 down-over, 32 over-down */
    uint16_t comments; /* in/out: index 0..2 in the comments list */
    uint16_t spare;    /* carried through */
} SheetOptionsBlock;

/* QVShowPageSetup. */
typedef struct PageSetupRecord {
    PageOptions page;               /* in/out: Page page */
    MarginsBlock margins;           /* in/out: Margins page */
    HeaderFooterBlock headerFooter; /* in/out: Header/Footer page */
    SheetOptionsBlock sheet;        /* in/out: Sheet page */
    uint8_t action;                 /* in: initial action byte; out: |= 1 preview, 2 print */
    uint8_t startPage; /* in: 1 Page, 2 Margins, 4 Header/Footer, 8 Sheet; lowest wins */
} PageSetupRecord;

/* QVShowFilePrint; edited in place. PRINTDLGA is byte-packed (66 bytes) on i686. */
typedef struct PrintRecord {
    char printerName[255];  /* out: chosen printer's device name */
    char port[255];         /* out: its port name */
    uint8_t printToFile;    /* in: 0; toggled by "Print to file" */
    uint8_t printRange;     /* out: |= 1 All, 2 Pages */
    int32_t fromPage;       /* out: first page, -1 for All */
    int32_t toPage;         /* out: last page, -1 for All */
    int32_t copies;         /* out: number of copies, >= 1 */
    uint8_t collate;        /* in/out: 4 = collate */
    uint8_t printWhat;      /* out: 16 entire workbook, 32 active sheet(s) or selection */
    uint8_t printWhatFlags; /* out: |= 8 for selection */
    char outputFile[255];   /* out: Print To File name */
    PRINTDLGA printDlg; /* out: system dialog data after OK (with its DEVMODE/DEVNAMES handles) */
    HDC printerDC;      /* out: printer DC; the host releases it */
} PrintRecord;

/* ==== Data tools =========================================================== */

/* QVShowDataSort; written directly while the dialog runs. */
typedef struct DataSortRecord {
    int32_t firstRow;      /* in: first sheet row of the block (1-based) */
    int32_t lastRow;       /* in: last row */
    int32_t firstColumn;   /* in: first column (1 = A) */
    int32_t lastColumn;    /* in: last column */
    uint8_t key1Ascending; /* in/out: 1 ascending, 0 descending */
    uint8_t key2Ascending; /* in/out */
    uint8_t key3Ascending; /* in/out */
    int16_t key1;          /* out: 0 none, k = k-th row or column of the block */
    int16_t key2;          /* out */
    int16_t key3;          /* out */
    uint8_t headerRow;     /* out: 1 = first row is a header */
    uint8_t caseSensitive; /* in/out: 1 = case-sensitive */
    uint8_t topToBottom;   /* in/out: 1 rows top to bottom, 0 columns left to right */
    uint16_t customOrder;  /* in/out: 1 = first key follows the custom list file */
} DataSortRecord;

/* QVShowCustomFilter. */
typedef struct CustomFilterRecord {
    uint8_t operator1; /* in/out: operator index 0..12, 0 = blank */
    uint8_t operator2; /* in/out: same; 255 when no selection at OK */
    uint8_t orJoin;    /* in/out: 0 And, 1 Or */
    char value1[260];  /* in/out: first condition value */
    char value2[260];  /* in/out: second condition value */
    char* valueList;   /* in: column entries, each ended by "\n"; first three lines skipped */
} CustomFilterRecord;

/* QVShowTop10Filter. */
typedef struct Top10FilterRecord {
    uint8_t top;       /* in/out: 1 top, 0 bottom */
    uint8_t firstUnit; /* in/out: 1 items, 0 percent */
    uint16_t count;    /* in/out: N, 1..500 */
} Top10FilterRecord;

/* QVShowAdvancedFilter. Reference texts are at most 19 characters. */
typedef struct AdvancedFilterRecord {
    uint8_t inPlace;    /* out: 1 filter in place, 0 copy to another location */
    uint8_t unique;     /* out: 1 unique records only */
    char copyTo[20];    /* in/out: copy destination reference */
    char listRange[20]; /* in/out: list reference */
    char criteria[20];  /* in/out: criteria reference */
} AdvancedFilterRecord;

/* QVShowSubtotal; edited in place. */
typedef struct SubtotalRecord {
    uint8_t flags;   /* in/out: 1 replace, 2 page break, 4 summary below, bits 3-6 function, 128
                        Remove All */
    uint8_t options; /* in: 1 summary-below tied to replace; bits 1-2 language 1 Eng, 2 local */
    QVStringArray columnNames; /* in: names of the list's columns */
    QVUIntArray selection;     /* in/out: [0] at-each-change column, [1..] subtotalled */
} SubtotalRecord;

/* QVShowFillSeries; edited in place. */
typedef struct FillSeriesRecord {
    uint8_t seriesIn;  /* in/out: 0 rows, 1 columns */
    uint8_t type;      /* in/out: 0 linear, 1 growth, 2 date, 3 AutoFill */
    uint8_t dateUnit;  /* out (type date only): 0 day, 1 weekday, 2 month, 3 year */
    uint8_t trend;     /* out: always 0 */
    float step;        /* in/out: step value, written when the box is not empty */
    float stop;        /* out: stop value, written when enabled and not empty */
    uint8_t stopGiven; /* out: set to 1 when stop is written; never cleared */
} FillSeriesRecord;

/* QVShowGoalSeek; written on a successful OK. */
typedef struct GoalSeekRecord {
    char setCell[20];      /* in/out: "Set Cell" reference text */
    double toValue;        /* out: value of "To Value" */
    char changingCell[20]; /* in/out: "By changing cell" reference text */
} GoalSeekRecord;

/* QVShowGoalSeekStatus; read only. */
typedef struct GoalSeekStatusRecord {
    char cell[10];       /* in: goal cell reference */
    uint8_t status;      /* in: 0, 1 or 2, chooses the sentence */
    double targetValue;  /* in: value sought */
    double currentValue; /* in: value reached */
} GoalSeekStatusRecord;

/* QVShowDataTable; emptied on Cancel. */
typedef struct DataTableRecord {
    char rowInput[10];    /* out: row input cell (A1) or empty */
    char columnInput[10]; /* out: column input cell (A1) or empty */
} DataTableRecord;

/* QVShowPivotInoutRange. */
typedef struct PivotRangeRecord {
    uint32_t hostWord;    /* host data, not read */
    char inputRange[20];  /* in/out: source range reference */
    char outputRange[20]; /* out: destination cell or range reference */
} PivotRangeRecord;

/* The pivot field object PivotFieldRecord.fieldItems points to. */
typedef struct QVPivotFieldItems {
    QVStringArray allItems;   /* in: every item of the field */
    QVStringArray shownItems; /* in/out: items shown; emptied and refilled on OK */
} QVPivotFieldItems;

/* QVShowPivotDropDown and QVShowPivotTableField. */
typedef struct PivotFieldRecord {
    uint32_t language;             /* in: 1 English, other = local language */
    uint8_t reserved[40];          /* host data, not read */
    char fieldName[256];           /* in: pivot field or source column name */
    int32_t popupLeft;             /* in (drop-down): popup left edge, screen pixels */
    int32_t popupTop;              /* in (drop-down): popup top edge, screen pixels */
    uint32_t summaryFunction;      /* in/out (field dialog): index in the function list */
    uint8_t spare[8];              /* host data, not read */
    QVPivotFieldItems* fieldItems; /* in/out (drop-down): the field's items */
} PivotFieldRecord;

/* QVShowTextToColumn; written directly while the wizard runs. */
typedef struct TextToColumnRecord {
    QVStringArray* lines;        /* in: source texts, one per row, at least one */
    int32_t delimited;           /* out: 1 delimited, 0 fixed width */
    char qualifier[12];          /* out: chosen text-qualifier entry text */
    char* delimiters;            /* out: library-owned, valid until the next call */
    int32_t consecutiveAsOne;    /* out: 1 = treat consecutive delimiters as one */
    QVStringArray* columnBreaks; /* out: host-owned array, receives the break positions */
    char* columnFormats;         /* out: library-owned, one of "0123" per column */
    char* destination;           /* in/out: host buffer, destination reference (English form) */
    uint8_t spare[3];            /* neither read nor written */
    uint8_t columnCount;         /* out: preview columns (delimited) or breaks (fixed) */
    char* fontFace;              /* in: face name of the cells' font */
    int16_t fontSize;            /* in: point size of that font */
} TextToColumnRecord;

/* ==== Names ================================================================ */

/* QVShowNameDefine. A language array the dialog creates is a QVAlloc'd
 * QVUIntArray that the host then owns (QVUIntArrayRemoveAll, then QVFree). */
typedef struct NameDefineRecord {
    QVStringArray* names;       /* in/out: name entries "[sheet!]name;refers-to"; not NULL */
    QVUIntArray* nameLanguages; /* in/out: language per entry, parallel; may be NULL */
    char reference[255];        /* in: selection as sheet!reference */
    char proposedName[257];     /* in: name offered on opening */
    int32_t nameLanguage;       /* in/out: 1 English, other local, -1 = menu language */
} NameDefineRecord;

/* QVShowNameCreate: one flag byte, 1 top row, 2 left column, 4 bottom row, 8 right column. */
typedef uint8_t NameCreateRecord;

/* QVShowNameApply. */
typedef struct NameApplyRecord {
    QVStringArray* names;       /* in: workbook names; not NULL */
    QVUIntArray* nameLanguages; /* in: language per name; NULL = all English */
    uint8_t options;    /* in/out: 2 ignore rel/abs, 4 row/col names, 8 omit col, 16 omit row */
    QVUIntArray chosen; /* out: list indexes of the chosen names, ascending, appended */
} NameApplyRecord;

/* QVShowNamePaste. */
typedef struct NamePasteRecord {
    char chosenName[256];       /* out: chosen name */
    uint32_t chosenLanguage;    /* out: language of the chosen name (unchanged without languages) */
    QVStringArray* names;       /* in: names offered */
    QVUIntArray* nameLanguages; /* in: language per name; may be NULL */
    uint8_t flags;              /* out: 16 = Paste List pressed */
} NamePasteRecord;

/* QVShowNameLabel; fields 2 to 4 change in place while open. */
typedef struct LabelRangesRecord {
    char selection[256];       /* in: current selection reference */
    QVStringArray labelRanges; /* in/out: label ranges */
    QVUIntArray rangeKinds;    /* in/out: parallel, 32 row labels, 64 column labels */
    uint8_t kindChoice;        /* in/out: 32 row labels, 64 column labels */
    uint8_t kindSpare[3];      /* rest of the 32-bit word; not used */
} LabelRangesRecord;

/* ==== Charts =============================================================== */

/* QVShowChart; worked on directly, no copy-out. */
typedef struct ChartWizardRecord {
    uint8_t reserved;      /* not read or written */
    char sourceRange[263]; /* in/out: source range reference */
    uint32_t hostValue;    /* kept, not acted on */
    int32_t mode;          /* in: 0 full wizard, 1 type, 2 source data, 3 options */
    HWND hostWindow;       /* in: window that owns the chart (first parent of the chart) */
    void* chart;           /* in: the CQVChartWrapperCtrl being built; not NULL */
} ChartWizardRecord;

/* Axis scale block of ChartFormatRecord; carried through unchanged. */
typedef struct QVChartAxisScale {
    uint32_t words[4];  /* carried through */
    uint16_t halves[2]; /* carried through */
} QVChartAxisScale;

/* QVShowChartFormat (first argument). */
typedef struct ChartFormatRecord {
    uint8_t horizontal;     /* in/out: Horizontal list index 0..2 */
    uint8_t vertical;       /* in/out: Vertical list index 0..2 */
    uint8_t reserved1[6];   /* not used */
    int16_t orientation;    /* in/out: Orientation list index 0..3 */
    uint8_t reserved2[2];   /* not used */
    FontBlock font;         /* in/out: Font page */
    uint32_t pattern[10];   /* in/out: pattern words of the shown pattern page */
    uint8_t reserved3[4];   /* not used */
    QVChartAxisScale scale; /* in/out: carried through unchanged */
    uint8_t reserved4[4];   /* not used */
    uint8_t pages;          /* in: 1 Font, 2 pattern, 4 Alignment */
    uint8_t objectKind;     /* in: chart part formatted (chooses the caption) */
} ChartFormatRecord;

/* ==== Workbook and application ============================================= */

/* QVShowOptions. */
typedef struct QVOptionsRecord {
    char selection[128];    /* in: selection in A1 form for "Import list from cells:" */
    int32_t activePage;     /* in/out: 0 General, 1 Custom Lists; out also on Cancel */
    uint8_t viewFlags;      /* in/out: 0x40 task pane, 0x20 formula, 0x04 status, 0x01 layout bar */
    uint8_t comments;       /* in/out: 0 none, 1 indicator only, 2 comment and indicator */
    uint8_t outlineSymbols; /* in/out: 1 ticked, 0 not */
    char* userName;         /* in: current name; out: new QVStrDup copy, host frees with QVFree */
} QVOptionsRecord;

/* QVShowInsertFunction. */
typedef struct QVInsertFunctionRecord {
    char name[32];       /* out: chosen function name */
    uint8_t category;    /* out: selected category index */
    char functionId[12]; /* out: string id of the function, "%d" */
} QVInsertFunctionRecord;

/* QVShowPasteSpecial. */
typedef struct QVPasteSpecialRecord {
    uint8_t paste;       /* out: 0 all .. 7 values and number formats */
    uint8_t operation;   /* out: 0 none, 1 add, 2 subtract, 3 multiply, 4 divide */
    uint8_t skipBlanks;  /* out: 1 ticked */
    uint8_t transpose;   /* out: 1 ticked */
    uint8_t pasteLink;   /* in 0; out: 1 after "Paste Link" */
    uint8_t linkAllowed; /* in: nonzero allows column widths and paste link */
} QVPasteSpecialRecord;

/* QVShowHyperLink. Both texts are replaced by new QVStrDup copies on OK and
 * on Remove; the host frees them with QVFree. */
typedef struct QVHyperLinkRecord {
    char* linkText;     /* in/out: cell text; out: new copy of "Link Text:" */
    char* address;      /* in/out: address; out: new copy, empty after Remove */
    uint8_t unused;     /* not used */
    uint8_t editMode;   /* in: 0 insert, nonzero edit */
    uint8_t textScript; /* out: 1 English, 2 local; 1 when the box was empty */
    uint8_t remove;     /* in: nonzero = cell has a link; out: 1 Remove, 0 OK */
} QVHyperLinkRecord;

/* QVShowTemplate. */
typedef struct QVTemplateRecord {
    char path[256]; /* out on OK: zero-filled, then the chosen template's full path */
    int32_t page;   /* in: low byte = first page; out: active page (OK or Cancel) */
    int32_t view;   /* in: low byte 0 large icons, 1 list, 2 report; out: chosen view */
} QVTemplateRecord;

/* QVShowGoto. */
typedef struct QVGotoRecord {
    char* reference; /* out: the dialog's reference text, set just before WM_QV_GOTO */
    char** names;    /* in: entries offered in the list; NULL entries skipped */
    int32_t count;   /* in: number of entries in names */
} QVGotoRecord;

/* QVShowMoveOrCopy. */
typedef struct QVMoveOrCopyRecord {
    QVStringArray books; /* in: "book*sheet1*sheet2*..." per open workbook, active first */
    uint8_t createCopy;  /* out: 1 "Create a copy" ticked */
    uint8_t beforeSheet; /* out: index in "Before sheet"; last = move to end; 255 none */
    char* targetBook;    /* out: selected book name; library-owned, valid until the next call */
} QVMoveOrCopyRecord;

#ifdef __cplusplus
} /* extern "C" */
#endif

/* ==== Layout checks (i686, the 32-bit contract target) ===================== */

#if defined(_WIN32) && !defined(_WIN64)

#ifdef __cplusplus
#define QVSSD_LAYOUT_ASSERT(cond, text) static_assert(cond, text)
#else
#define QVSSD_LAYOUT_ASSERT(cond, text) _Static_assert(cond, text)
#endif
#define QVSSD_CHECK_SIZE(T, n) QVSSD_LAYOUT_ASSERT(sizeof(T) == (n), "size of " #T)
#define QVSSD_CHECK_OFFSET(T, f, n)                                                                \
    QVSSD_LAYOUT_ASSERT(offsetof(T, f) == (n), "offset of " #T "." #f)
/* Width and signedness of an integer field or array element `e` of T, checked
 * for every field whose table says signed or unsigned. */
#define QVSSD_CHECK_UNSIGNED(T, e, bytes)                                                          \
    QVSSD_LAYOUT_ASSERT(sizeof(((T*)0)->e) == (bytes) && (__typeof__(((T*)0)->e))-1 > 0,           \
                        "unsigned " #T "." #e)
#define QVSSD_CHECK_SIGNED(T, e, bytes)                                                            \
    QVSSD_LAYOUT_ASSERT(sizeof(((T*)0)->e) == (bytes) && (__typeof__(((T*)0)->e))-1 < 0,           \
                        "signed " #T "." #e)

QVSSD_CHECK_SIZE(QVDlgLanguageInfo, 20);
QVSSD_CHECK_OFFSET(QVDlgLanguageInfo, fontSize, 2);
QVSSD_CHECK_OFFSET(QVDlgLanguageInfo, reserved, 4);
QVSSD_CHECK_OFFSET(QVDlgLanguageInfo, fontFace, 8);
QVSSD_CHECK_OFFSET(QVDlgLanguageInfo, languageName, 12);
QVSSD_CHECK_OFFSET(QVDlgLanguageInfo, thirdText, 16);
QVSSD_CHECK_UNSIGNED(QVDlgLanguageInfo, selector, 1);
QVSSD_CHECK_SIGNED(QVDlgLanguageInfo, fontSize, 2);

QVSSD_CHECK_SIZE(NumberFormatBlock, 784);
QVSSD_CHECK_OFFSET(NumberFormatBlock, hostFormat, 2);
QVSSD_CHECK_OFFSET(NumberFormatBlock, decimalPlaces, 258);
QVSSD_CHECK_OFFSET(NumberFormatBlock, thousands, 260);
QVSSD_CHECK_OFFSET(NumberFormatBlock, negativeStyle, 262);
QVSSD_CHECK_OFFSET(NumberFormatBlock, type, 264);
QVSSD_CHECK_OFFSET(NumberFormatBlock, currencySymbol, 266);
QVSSD_CHECK_OFFSET(NumberFormatBlock, hostValue, 268);
QVSSD_CHECK_OFFSET(NumberFormatBlock, customCode, 272);
QVSSD_CHECK_OFFSET(NumberFormatBlock, sampleValue, 527);
QVSSD_CHECK_OFFSET(NumberFormatBlock, changed, 782);
QVSSD_CHECK_UNSIGNED(NumberFormatBlock, category, 2);
QVSSD_CHECK_UNSIGNED(NumberFormatBlock, decimalPlaces, 2);
QVSSD_CHECK_UNSIGNED(NumberFormatBlock, thousands, 1);
QVSSD_CHECK_UNSIGNED(NumberFormatBlock, negativeStyle, 2);
QVSSD_CHECK_UNSIGNED(NumberFormatBlock, type, 2);
QVSSD_CHECK_UNSIGNED(NumberFormatBlock, currencySymbol, 1);
QVSSD_CHECK_UNSIGNED(NumberFormatBlock, hostValue, 4);
QVSSD_CHECK_UNSIGNED(NumberFormatBlock, changed, 1);

QVSSD_CHECK_SIZE(AlignmentBlock, 12);
QVSSD_CHECK_OFFSET(AlignmentBlock, reserved, 2);
QVSSD_CHECK_OFFSET(AlignmentBlock, textControl, 5);
QVSSD_CHECK_OFFSET(AlignmentBlock, spare, 6);
QVSSD_CHECK_OFFSET(AlignmentBlock, orientation, 8);
QVSSD_CHECK_OFFSET(AlignmentBlock, changed, 10);
QVSSD_CHECK_UNSIGNED(AlignmentBlock, horizontal, 1);
QVSSD_CHECK_UNSIGNED(AlignmentBlock, vertical, 1);
QVSSD_CHECK_UNSIGNED(AlignmentBlock, textControl, 1);
QVSSD_CHECK_SIGNED(AlignmentBlock, orientation, 2);
QVSSD_CHECK_UNSIGNED(AlignmentBlock, changed, 1);

QVSSD_CHECK_SIZE(FontBlock, 272);
QVSSD_CHECK_OFFSET(FontBlock, styleFlags, 255);
QVSSD_CHECK_OFFSET(FontBlock, size, 256);
QVSSD_CHECK_OFFSET(FontBlock, underline, 258);
QVSSD_CHECK_OFFSET(FontBlock, color, 260);
QVSSD_CHECK_OFFSET(FontBlock, normalFont, 264);
QVSSD_CHECK_OFFSET(FontBlock, strikeOut, 265);
QVSSD_CHECK_OFFSET(FontBlock, modeCopy, 266);
QVSSD_CHECK_OFFSET(FontBlock, changed, 267);
QVSSD_CHECK_OFFSET(FontBlock, reserved, 268);
QVSSD_CHECK_UNSIGNED(FontBlock, styleFlags, 1);
QVSSD_CHECK_SIGNED(FontBlock, size, 2);
QVSSD_CHECK_UNSIGNED(FontBlock, underline, 1);
QVSSD_CHECK_UNSIGNED(FontBlock, color, 4);
QVSSD_CHECK_UNSIGNED(FontBlock, normalFont, 1);
QVSSD_CHECK_UNSIGNED(FontBlock, strikeOut, 1);
QVSSD_CHECK_UNSIGNED(FontBlock, modeCopy, 1);
QVSSD_CHECK_UNSIGNED(FontBlock, changed, 1);

QVSSD_CHECK_SIZE(BorderLine, 12);
QVSSD_CHECK_OFFSET(BorderLine, penStyle, 2);
QVSSD_CHECK_OFFSET(BorderLine, color, 4);
QVSSD_CHECK_OFFSET(BorderLine, shape, 8);
QVSSD_CHECK_OFFSET(BorderLine, weight, 9);
QVSSD_CHECK_OFFSET(BorderLine, changed, 10);
QVSSD_CHECK_UNSIGNED(BorderLine, edges, 2);
QVSSD_CHECK_UNSIGNED(BorderLine, penStyle, 2);
QVSSD_CHECK_UNSIGNED(BorderLine, color, 4);
QVSSD_CHECK_UNSIGNED(BorderLine, shape, 1);
QVSSD_CHECK_UNSIGNED(BorderLine, weight, 1);
QVSSD_CHECK_UNSIGNED(BorderLine, changed, 1);

QVSSD_CHECK_SIZE(PatternBlock, 16);
QVSSD_CHECK_OFFSET(PatternBlock, patternStyle, 4);
QVSSD_CHECK_OFFSET(PatternBlock, patternColor, 8);
QVSSD_CHECK_OFFSET(PatternBlock, changed, 12);
QVSSD_CHECK_UNSIGNED(PatternBlock, fillColor, 4);
QVSSD_CHECK_SIGNED(PatternBlock, patternStyle, 2);
QVSSD_CHECK_UNSIGNED(PatternBlock, patternColor, 4);
QVSSD_CHECK_UNSIGNED(PatternBlock, changed, 1);

QVSSD_CHECK_SIZE(CellFormatRecord, 1100);
QVSSD_CHECK_OFFSET(CellFormatRecord, alignment, 784);
QVSSD_CHECK_OFFSET(CellFormatRecord, font, 796);
QVSSD_CHECK_OFFSET(CellFormatRecord, borders, 1068);
QVSSD_CHECK_OFFSET(CellFormatRecord, pattern, 1080);
QVSSD_CHECK_OFFSET(CellFormatRecord, startPage, 1096);
QVSSD_CHECK_OFFSET(CellFormatRecord, sheetMode, 1097);
QVSSD_CHECK_UNSIGNED(CellFormatRecord, startPage, 1);
QVSSD_CHECK_UNSIGNED(CellFormatRecord, sheetMode, 1);

QVSSD_CHECK_SIZE(ConditionFormat, 312);
QVSSD_CHECK_OFFSET(ConditionFormat, font, 4);
QVSSD_CHECK_OFFSET(ConditionFormat, pattern, 276);
QVSSD_CHECK_OFFSET(ConditionFormat, borders, 292);
QVSSD_CHECK_SIZE(Condition, 828);
QVSSD_CHECK_OFFSET(Condition, op, 4);
QVSSD_CHECK_OFFSET(Condition, kind, 5);
QVSSD_CHECK_OFFSET(Condition, value1, 6);
QVSSD_CHECK_OFFSET(Condition, value2, 261);
QVSSD_CHECK_OFFSET(Condition, format, 516);
QVSSD_CHECK_SIZE(ConditionalFormatRecord, 2484);
QVSSD_CHECK_UNSIGNED(Condition, present, 4);
QVSSD_CHECK_UNSIGNED(Condition, op, 1);
QVSSD_CHECK_UNSIGNED(Condition, kind, 1);
QVSSD_CHECK_UNSIGNED(ConditionFormat, noFormat, 1);

QVSSD_CHECK_SIZE(PageOptions, 20);
QVSSD_CHECK_OFFSET(PageOptions, adjustPercent, 2);
QVSSD_CHECK_OFFSET(PageOptions, fitPagesTall, 4);
QVSSD_CHECK_OFFSET(PageOptions, fitPagesWide, 8);
QVSSD_CHECK_OFFSET(PageOptions, paperSize, 12);
QVSSD_CHECK_OFFSET(PageOptions, printQuality, 14);
QVSSD_CHECK_OFFSET(PageOptions, firstPage, 16);
QVSSD_CHECK_SIGNED(PageOptions, adjustPercent, 2);
QVSSD_CHECK_SIGNED(PageOptions, fitPagesTall, 4);
QVSSD_CHECK_SIGNED(PageOptions, fitPagesWide, 4);
QVSSD_CHECK_SIGNED(PageOptions, printQuality, 2);
QVSSD_CHECK_SIGNED(PageOptions, firstPage, 2);
QVSSD_CHECK_SIZE(MarginsBlock, 28);
QVSSD_CHECK_OFFSET(MarginsBlock, footer, 20);
QVSSD_CHECK_OFFSET(MarginsBlock, centering, 24);
QVSSD_CHECK_SIZE(HeaderFooterSections, 1584);
QVSSD_CHECK_OFFSET(HeaderFooterSections, center, 255);
QVSSD_CHECK_OFFSET(HeaderFooterSections, right, 510);
QVSSD_CHECK_OFFSET(HeaderFooterSections, leftFont, 768);
QVSSD_CHECK_OFFSET(HeaderFooterSections, centerFont, 1040);
QVSSD_CHECK_OFFSET(HeaderFooterSections, rightFont, 1312);
QVSSD_CHECK_SIZE(HeaderFooterBlock, 3936);
QVSSD_CHECK_OFFSET(HeaderFooterBlock, footer, 1584);
QVSSD_CHECK_OFFSET(HeaderFooterBlock, mode, 3168);
QVSSD_CHECK_OFFSET(HeaderFooterBlock, filePath, 3169);
QVSSD_CHECK_OFFSET(HeaderFooterBlock, fileName, 3424);
QVSSD_CHECK_OFFSET(HeaderFooterBlock, sheetName, 3679);
QVSSD_CHECK_SIZE(SheetOptionsBlock, 770);
QVSSD_CHECK_OFFSET(SheetOptionsBlock, rowsToRepeat, 255);
QVSSD_CHECK_OFFSET(SheetOptionsBlock, colsToRepeat, 510);
QVSSD_CHECK_OFFSET(SheetOptionsBlock, options, 765);
QVSSD_CHECK_OFFSET(SheetOptionsBlock, comments, 766);
QVSSD_CHECK_OFFSET(SheetOptionsBlock, spare, 768);
QVSSD_CHECK_SIZE(PageSetupRecord, 4756);
QVSSD_CHECK_OFFSET(PageSetupRecord, margins, 20);
QVSSD_CHECK_OFFSET(PageSetupRecord, headerFooter, 48);
QVSSD_CHECK_OFFSET(PageSetupRecord, sheet, 3984);
QVSSD_CHECK_OFFSET(PageSetupRecord, action, 4754);
QVSSD_CHECK_OFFSET(PageSetupRecord, startPage, 4755);

QVSSD_CHECK_SIZE(PRINTDLGA, 66);
QVSSD_CHECK_SIZE(PrintRecord, 852);
QVSSD_CHECK_OFFSET(PrintRecord, port, 255);
QVSSD_CHECK_OFFSET(PrintRecord, printToFile, 510);
QVSSD_CHECK_OFFSET(PrintRecord, printRange, 511);
QVSSD_CHECK_OFFSET(PrintRecord, fromPage, 512);
QVSSD_CHECK_OFFSET(PrintRecord, toPage, 516);
QVSSD_CHECK_OFFSET(PrintRecord, copies, 520);
QVSSD_CHECK_OFFSET(PrintRecord, collate, 524);
QVSSD_CHECK_OFFSET(PrintRecord, printWhat, 525);
QVSSD_CHECK_OFFSET(PrintRecord, printWhatFlags, 526);
QVSSD_CHECK_OFFSET(PrintRecord, outputFile, 527);
QVSSD_CHECK_OFFSET(PrintRecord, printDlg, 782);
QVSSD_CHECK_OFFSET(PrintRecord, printerDC, 848);
QVSSD_CHECK_SIGNED(PrintRecord, fromPage, 4);
QVSSD_CHECK_SIGNED(PrintRecord, toPage, 4);
QVSSD_CHECK_SIGNED(PrintRecord, copies, 4);

QVSSD_CHECK_SIZE(DataSortRecord, 32);
QVSSD_CHECK_OFFSET(DataSortRecord, key1Ascending, 16);
QVSSD_CHECK_OFFSET(DataSortRecord, key3Ascending, 18);
QVSSD_CHECK_OFFSET(DataSortRecord, key1, 20);
QVSSD_CHECK_OFFSET(DataSortRecord, key3, 24);
QVSSD_CHECK_OFFSET(DataSortRecord, headerRow, 26);
QVSSD_CHECK_OFFSET(DataSortRecord, topToBottom, 28);
QVSSD_CHECK_OFFSET(DataSortRecord, customOrder, 30);
QVSSD_CHECK_SIGNED(DataSortRecord, firstRow, 4);
QVSSD_CHECK_SIGNED(DataSortRecord, lastRow, 4);
QVSSD_CHECK_SIGNED(DataSortRecord, firstColumn, 4);
QVSSD_CHECK_SIGNED(DataSortRecord, lastColumn, 4);
QVSSD_CHECK_SIGNED(DataSortRecord, key1, 2);
QVSSD_CHECK_SIGNED(DataSortRecord, key2, 2);
QVSSD_CHECK_SIGNED(DataSortRecord, key3, 2);
QVSSD_CHECK_UNSIGNED(DataSortRecord, customOrder, 2);

QVSSD_CHECK_SIZE(CustomFilterRecord, 528);
QVSSD_CHECK_OFFSET(CustomFilterRecord, orJoin, 2);
QVSSD_CHECK_OFFSET(CustomFilterRecord, value1, 3);
QVSSD_CHECK_OFFSET(CustomFilterRecord, value2, 263);
QVSSD_CHECK_OFFSET(CustomFilterRecord, valueList, 524);
QVSSD_CHECK_UNSIGNED(CustomFilterRecord, operator1, 1);
QVSSD_CHECK_UNSIGNED(CustomFilterRecord, operator2, 1);
QVSSD_CHECK_SIZE(Top10FilterRecord, 4);
QVSSD_CHECK_OFFSET(Top10FilterRecord, count, 2);
QVSSD_CHECK_SIZE(AdvancedFilterRecord, 62);
QVSSD_CHECK_OFFSET(AdvancedFilterRecord, copyTo, 2);
QVSSD_CHECK_OFFSET(AdvancedFilterRecord, listRange, 22);
QVSSD_CHECK_OFFSET(AdvancedFilterRecord, criteria, 42);

QVSSD_CHECK_SIZE(SubtotalRecord, 44);
QVSSD_CHECK_OFFSET(SubtotalRecord, options, 1);
QVSSD_CHECK_OFFSET(SubtotalRecord, columnNames, 4);
QVSSD_CHECK_OFFSET(SubtotalRecord, selection, 24);
QVSSD_CHECK_UNSIGNED(SubtotalRecord, selection.data[0], 4);

QVSSD_CHECK_SIZE(FillSeriesRecord, 16);
QVSSD_CHECK_OFFSET(FillSeriesRecord, trend, 3);
QVSSD_CHECK_OFFSET(FillSeriesRecord, step, 4);
QVSSD_CHECK_OFFSET(FillSeriesRecord, stop, 8);
QVSSD_CHECK_OFFSET(FillSeriesRecord, stopGiven, 12);

QVSSD_CHECK_SIZE(GoalSeekRecord, 56);
QVSSD_CHECK_OFFSET(GoalSeekRecord, toValue, 24);
QVSSD_CHECK_OFFSET(GoalSeekRecord, changingCell, 32);
QVSSD_CHECK_SIZE(GoalSeekStatusRecord, 32);
QVSSD_CHECK_OFFSET(GoalSeekStatusRecord, status, 10);
QVSSD_CHECK_OFFSET(GoalSeekStatusRecord, targetValue, 16);
QVSSD_CHECK_OFFSET(GoalSeekStatusRecord, currentValue, 24);
QVSSD_CHECK_SIZE(DataTableRecord, 20);
QVSSD_CHECK_OFFSET(DataTableRecord, columnInput, 10);

QVSSD_CHECK_SIZE(PivotRangeRecord, 44);
QVSSD_CHECK_OFFSET(PivotRangeRecord, inputRange, 4);
QVSSD_CHECK_OFFSET(PivotRangeRecord, outputRange, 24);
QVSSD_CHECK_SIZE(QVPivotFieldItems, 40);
QVSSD_CHECK_OFFSET(QVPivotFieldItems, shownItems, 20);
QVSSD_CHECK_SIZE(PivotFieldRecord, 324);
QVSSD_CHECK_OFFSET(PivotFieldRecord, reserved, 4);
QVSSD_CHECK_OFFSET(PivotFieldRecord, fieldName, 44);
QVSSD_CHECK_OFFSET(PivotFieldRecord, popupLeft, 300);
QVSSD_CHECK_OFFSET(PivotFieldRecord, popupTop, 304);
QVSSD_CHECK_OFFSET(PivotFieldRecord, summaryFunction, 308);
QVSSD_CHECK_OFFSET(PivotFieldRecord, spare, 312);
QVSSD_CHECK_OFFSET(PivotFieldRecord, fieldItems, 320);
QVSSD_CHECK_SIGNED(PivotFieldRecord, popupLeft, 4);
QVSSD_CHECK_SIGNED(PivotFieldRecord, popupTop, 4);

QVSSD_CHECK_SIZE(TextToColumnRecord, 52);
QVSSD_CHECK_OFFSET(TextToColumnRecord, delimited, 4);
QVSSD_CHECK_OFFSET(TextToColumnRecord, qualifier, 8);
QVSSD_CHECK_OFFSET(TextToColumnRecord, delimiters, 20);
QVSSD_CHECK_OFFSET(TextToColumnRecord, consecutiveAsOne, 24);
QVSSD_CHECK_OFFSET(TextToColumnRecord, columnBreaks, 28);
QVSSD_CHECK_OFFSET(TextToColumnRecord, columnFormats, 32);
QVSSD_CHECK_OFFSET(TextToColumnRecord, destination, 36);
QVSSD_CHECK_OFFSET(TextToColumnRecord, spare, 40);
QVSSD_CHECK_OFFSET(TextToColumnRecord, columnCount, 43);
QVSSD_CHECK_OFFSET(TextToColumnRecord, fontFace, 44);
QVSSD_CHECK_OFFSET(TextToColumnRecord, fontSize, 48);
QVSSD_CHECK_UNSIGNED(TextToColumnRecord, columnCount, 1);
QVSSD_CHECK_SIGNED(TextToColumnRecord, fontSize, 2);

QVSSD_CHECK_SIZE(NameDefineRecord, 524);
QVSSD_CHECK_OFFSET(NameDefineRecord, nameLanguages, 4);
QVSSD_CHECK_OFFSET(NameDefineRecord, reference, 8);
QVSSD_CHECK_OFFSET(NameDefineRecord, proposedName, 263);
QVSSD_CHECK_OFFSET(NameDefineRecord, nameLanguage, 520);
QVSSD_CHECK_UNSIGNED(NameDefineRecord, nameLanguages->data[0], 4);
QVSSD_CHECK_SIGNED(NameDefineRecord, nameLanguage, 4);
QVSSD_CHECK_SIZE(NameCreateRecord, 1);
QVSSD_CHECK_SIZE(NameApplyRecord, 32);
QVSSD_CHECK_OFFSET(NameApplyRecord, options, 8);
QVSSD_CHECK_OFFSET(NameApplyRecord, chosen, 12);
QVSSD_CHECK_UNSIGNED(NameApplyRecord, nameLanguages->data[0], 4);
QVSSD_CHECK_UNSIGNED(NameApplyRecord, chosen.data[0], 4);
QVSSD_CHECK_SIZE(NamePasteRecord, 272);
QVSSD_CHECK_OFFSET(NamePasteRecord, chosenLanguage, 256);
QVSSD_CHECK_OFFSET(NamePasteRecord, names, 260);
QVSSD_CHECK_OFFSET(NamePasteRecord, nameLanguages, 264);
QVSSD_CHECK_OFFSET(NamePasteRecord, flags, 268);
QVSSD_CHECK_UNSIGNED(NamePasteRecord, chosenLanguage, 4);
QVSSD_CHECK_UNSIGNED(NamePasteRecord, nameLanguages->data[0], 4);
QVSSD_CHECK_UNSIGNED(NamePasteRecord, flags, 1);
QVSSD_CHECK_SIZE(LabelRangesRecord, 300);
QVSSD_CHECK_OFFSET(LabelRangesRecord, labelRanges, 256);
QVSSD_CHECK_OFFSET(LabelRangesRecord, rangeKinds, 276);
QVSSD_CHECK_OFFSET(LabelRangesRecord, kindChoice, 296);
QVSSD_CHECK_OFFSET(LabelRangesRecord, kindSpare, 297);
QVSSD_CHECK_UNSIGNED(LabelRangesRecord, rangeKinds.data[0], 4);

QVSSD_CHECK_SIZE(ChartWizardRecord, 280);
QVSSD_CHECK_OFFSET(ChartWizardRecord, sourceRange, 1);
QVSSD_CHECK_OFFSET(ChartWizardRecord, hostValue, 264);
QVSSD_CHECK_OFFSET(ChartWizardRecord, mode, 268);
QVSSD_CHECK_OFFSET(ChartWizardRecord, hostWindow, 272);
QVSSD_CHECK_OFFSET(ChartWizardRecord, chart, 276);
QVSSD_CHECK_SIGNED(ChartWizardRecord, mode, 4);
QVSSD_CHECK_SIZE(QVChartAxisScale, 20);
QVSSD_CHECK_OFFSET(QVChartAxisScale, halves, 16);
QVSSD_CHECK_SIZE(ChartFormatRecord, 356);
QVSSD_CHECK_OFFSET(ChartFormatRecord, reserved1, 2);
QVSSD_CHECK_OFFSET(ChartFormatRecord, orientation, 8);
QVSSD_CHECK_OFFSET(ChartFormatRecord, reserved2, 10);
QVSSD_CHECK_OFFSET(ChartFormatRecord, font, 12);
QVSSD_CHECK_OFFSET(ChartFormatRecord, pattern, 284);
QVSSD_CHECK_OFFSET(ChartFormatRecord, reserved3, 324);
QVSSD_CHECK_OFFSET(ChartFormatRecord, scale, 328);
QVSSD_CHECK_OFFSET(ChartFormatRecord, reserved4, 348);
QVSSD_CHECK_OFFSET(ChartFormatRecord, pages, 352);
QVSSD_CHECK_OFFSET(ChartFormatRecord, objectKind, 353);
QVSSD_CHECK_UNSIGNED(ChartFormatRecord, horizontal, 1);
QVSSD_CHECK_UNSIGNED(ChartFormatRecord, vertical, 1);
QVSSD_CHECK_SIGNED(ChartFormatRecord, orientation, 2);
QVSSD_CHECK_UNSIGNED(ChartFormatRecord, objectKind, 1);

QVSSD_CHECK_SIZE(QVOptionsRecord, 140);
QVSSD_CHECK_OFFSET(QVOptionsRecord, activePage, 128);
QVSSD_CHECK_OFFSET(QVOptionsRecord, viewFlags, 132);
QVSSD_CHECK_OFFSET(QVOptionsRecord, comments, 133);
QVSSD_CHECK_OFFSET(QVOptionsRecord, outlineSymbols, 134);
QVSSD_CHECK_OFFSET(QVOptionsRecord, userName, 136);
QVSSD_CHECK_SIGNED(QVOptionsRecord, activePage, 4);
QVSSD_CHECK_SIZE(QVInsertFunctionRecord, 45);
QVSSD_CHECK_OFFSET(QVInsertFunctionRecord, category, 32);
QVSSD_CHECK_OFFSET(QVInsertFunctionRecord, functionId, 33);
QVSSD_CHECK_SIZE(QVPasteSpecialRecord, 6);
QVSSD_CHECK_OFFSET(QVPasteSpecialRecord, linkAllowed, 5);
QVSSD_CHECK_SIZE(QVHyperLinkRecord, 12);
QVSSD_CHECK_OFFSET(QVHyperLinkRecord, address, 4);
QVSSD_CHECK_OFFSET(QVHyperLinkRecord, unused, 8);
QVSSD_CHECK_OFFSET(QVHyperLinkRecord, editMode, 9);
QVSSD_CHECK_OFFSET(QVHyperLinkRecord, textScript, 10);
QVSSD_CHECK_OFFSET(QVHyperLinkRecord, remove, 11);
QVSSD_CHECK_SIZE(QVTemplateRecord, 264);
QVSSD_CHECK_OFFSET(QVTemplateRecord, page, 256);
QVSSD_CHECK_OFFSET(QVTemplateRecord, view, 260);
QVSSD_CHECK_SIZE(QVGotoRecord, 12);
QVSSD_CHECK_OFFSET(QVGotoRecord, names, 4);
QVSSD_CHECK_OFFSET(QVGotoRecord, count, 8);
QVSSD_CHECK_SIGNED(QVGotoRecord, count, 4);
QVSSD_CHECK_SIZE(QVMoveOrCopyRecord, 28);
QVSSD_CHECK_OFFSET(QVMoveOrCopyRecord, createCopy, 20);
QVSSD_CHECK_OFFSET(QVMoveOrCopyRecord, beforeSheet, 21);
QVSSD_CHECK_OFFSET(QVMoveOrCopyRecord, targetBook, 24);

#undef QVSSD_CHECK_SIGNED
#undef QVSSD_CHECK_UNSIGNED
#undef QVSSD_CHECK_OFFSET
#undef QVSSD_CHECK_SIZE
#undef QVSSD_LAYOUT_ASSERT

#endif /* i686 layout checks */

#endif /* QVSSD_RECORDS_H */
