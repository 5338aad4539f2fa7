/* Private window messages between the dialogs of QVSSD.dll and the host. */
#ifndef QVSSD_MESSAGES_H
#define QVSSD_MESSAGES_H

/* To the host frame window (handle from the host's GetFrameHandle export). */

/* Keyboard input language. wParam: 1 = local script, 0 = English; lParam: 1. */
#define WM_QV_SETINPUTLANG 1176
/* Sort block header row. wParam: 1 = the block has a header row, 0 = it has none; lParam: 0. */
#define WM_QV_HEADERROW 1185
/* Check a reference typed in Goal Seek. wParam: QVString* with the text;
 * lParam: 1 = goal cell, 0 = changing cell. Result low byte: 0 = acceptable,
 * 1..4 = the kinds of rejection, above 4 = rejected silently. */
#define WM_QV_CHECKREF 1186
/* Custom-list import. wParam: char* to a copy of the range text (the dialog's);
 * lParam: 0 = the list runs along rows, 1 = down columns. The host writes the
 * cell texts to "range.txt" in the temporary folder. */
#define WM_QV_IMPORTLIST 33775
/* Range picking. wParam: 0 = picking starts, 1 = picking ends; lParam: 0. */
#define WM_QV_RANGEPICK 33776
/* Go To. wParam: QVGotoRecord* whose reference was just set; lParam: 0.
 * Result (signed): negative = the reference cannot be reached. */
#define WM_QV_GOTO 33777

/* From the host to the range bar while the user picks cells. */

/* New range text. wParam: QVString* with the text; lParam: 0; result 0. */
#define WM_QV_RANGETEXT 33778
/* Read the range bar's text. wParam: char* buffer; lParam: 0; result 0. */
#define WM_QV_GETRANGETEXT 1035

/* To the notification window passed to QVShowFormatCells. wParam: pointer to
 * the sheet's 160-byte palette buffer (40 colour values); lParam:
 * QVStringArray* for the colour names. The host fills both before returning. */
#define WM_QV_FMTLISTS 1950

#endif /* QVSSD_MESSAGES_H */
