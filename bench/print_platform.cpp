// The platform's part of opening Page Setup and Print: the same windows made
// from the library's own templates, with nothing of the library's behind them.
// Page Setup: a property sheet over the four page templates whose pages only
// answer WM_INITDIALOG, each page activated once at opening as the real sheet
// does. Print: PrintDlgA with the library's print template and a hook that does
// nothing. What the dialogs take beyond these is the library's own work.
#include "bench.h"

#include <commctrl.h>
#include <commdlg.h>
#include <prsht.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace qvbench {
namespace {

INT_PTR CALLBACK BarePage(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

UINT_PTR CALLBACK BareHook(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

// The sheet runs modeless in its own loop, as the library's sheets do.
int32_t BareSheet(HWND owner, HMODULE templates) {
    constexpr std::array<WORD, 4> kPages = {1015, 1016, 1017, 1020};
    std::array<PROPSHEETPAGEW, kPages.size()> pages{};
    for (size_t i = 0; i < kPages.size(); ++i) {
        pages[i].dwSize = sizeof pages[i];
        pages[i].hInstance = templates;
        pages[i].pszTemplate = MAKEINTRESOURCEW(kPages[i]);
        pages[i].pfnDlgProc = BarePage;
    }
    PROPSHEETHEADERW header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_MODELESS | PSH_NOAPPLYNOW;
    header.hwndParent = owner;
    header.hInstance = templates;
    header.pszCaption = L"Page Setup";
    header.nPages = static_cast<UINT>(pages.size());
    header.ppsp = pages.data();
    HWND sheet = reinterpret_cast<HWND>(PropertySheetW(&header));
    if (sheet == nullptr) {
        return -1;
    }
    for (int page = 1; page < static_cast<int>(pages.size()); ++page) {
        PropSheet_SetCurSel(sheet, nullptr, page);
    }
    PropSheet_SetCurSel(sheet, nullptr, 0);
    MSG msg;
    while (PropSheet_GetCurrentPageHwnd(sheet) != nullptr && GetMessageW(&msg, nullptr, 0, 0)) {
        if (!PropSheet_IsDialogMessage(sheet, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    DestroyWindow(sheet);
    return 0;
}

// Wine's own print dialog on the default printer.
int32_t DefaultPrint(HWND owner) {
    PRINTDLGA print{};
    print.lStructSize = sizeof print;
    print.hwndOwner = owner;
    const BOOL ok = PrintDlgA(&print);
    GlobalFree(print.hDevMode);
    GlobalFree(print.hDevNames);
    return ok;
}

int32_t BarePrint(HWND owner, HMODULE templates) {
    PRINTDLGA print{};
    print.lStructSize = sizeof print;
    print.hwndOwner = owner;
    print.Flags = PD_COLLATE | PD_ENABLEPRINTHOOK | PD_ENABLESETUPHOOK | PD_ENABLEPRINTTEMPLATE;
    print.nMinPage = 1;
    print.nMaxPage = 32767;
    print.nCopies = 1;
    print.hInstance = templates;
    print.lpPrintTemplateName = MAKEINTRESOURCEA(1000);
    print.lpfnPrintHook = BareHook;
    print.lpfnSetupHook = BareHook;
    const BOOL ok = PrintDlgA(&print);
    GlobalFree(print.hDevMode);
    GlobalFree(print.hDevNames);
    return ok;
}

// One open-to-ready time in ms; negative when the run failed.
double OpenToReady(const std::function<int32_t()>& call, std::string* failure) {
    return MedianOpenToReady(call, failure, 1);
}

double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times.empty() ? -1 : times[times.size() / 2];
}

} // namespace

void PrintPlatformPart(HWND owner, const qvhost::DialogLibrary& library, int runs) {
    const auto dialog = [&](const char* name) -> std::function<int32_t()> {
        for (const auto& entry : qvhost::Dialogs()) {
            if (std::strcmp(entry.name, name) == 0) {
                FARPROC show = library.Find(entry.exportName);
                const auto& make = entry.makeSample;
                return [show, make] { return show != nullptr ? make()->Invoke(show) : -1; };
            }
        }
        return [] { return -1; };
    };
    if (!library.loaded()) {
        return;
    }
    // The header/footer page's previews are rich-edit boxes.
    LoadLibraryA("riched20.dll");
    const HMODULE templates = library.module();
    const struct {
        const char* name;
        std::function<int32_t()> call;
    } rows[] = {
        {"PrintDlgA", [owner] { return DefaultPrint(owner); }},
        {"sheet, four bare pages", [owner, templates] { return BareSheet(owner, templates); }},
        {"Page Setup", dialog("pagesetup")},
        {"print template, bare hook", [owner, templates] { return BarePrint(owner, templates); }},
        {"Print", dialog("print")}};
    constexpr size_t kRows = std::size(rows);
    // Round by round, so that the machine's load falls on every row alike.
    std::array<std::vector<double>, kRows> times;
    std::array<std::string, kRows> failures;
    for (int run = 0; run < runs; ++run) {
        for (size_t row = 0; row < kRows; ++row) {
            const double ms = OpenToReady(rows[row].call, &failures[row]);
            if (ms >= 0) {
                times[row].push_back(ms);
            }
        }
    }
    const double reference = Median(times[0]);
    std::printf("\nPage Setup and Print beside the platform's windows alone, in alternating runs "
                "(median of %d, ms; /PrintDlgA)\n",
                runs);
    for (size_t row = 0; row < kRows; ++row) {
        const double ms = Median(times[row]);
        if (ms < 0 || reference <= 0) {
            std::printf("%-28s %10s  %s\n", rows[row].name, "failed", failures[row].c_str());
        } else {
            std::printf("%-28s %10.2f %8.2f\n", rows[row].name, ms, ms / reference);
        }
    }
}

} // namespace qvbench
