// add_printer.exe: installs a printer the way an administrator does it on
// Windows, through the spooler's own interfaces: the PostScript driver with a
// printer description (PPD) file, a print queue on a port that is a file
// path, and optionally the user's default printer.
//
//   add_printer.exe <printer name> <ppd file> <port file> [--default]
//
// Documents printed on the queue end up as PostScript in the port file.
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

std::wstring Widen(const char* text) {
    const int n = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring wide(n > 0 ? static_cast<size_t>(n) : 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), n);
    wide.resize(wcslen(wide.c_str()));
    return wide;
}

std::wstring FullPath(const std::wstring& path) {
    wchar_t full[MAX_PATH];
    const DWORD n = GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    return n > 0 && n < MAX_PATH ? std::wstring(full) : path;
}

bool Fail(const char* what) {
    std::fprintf(stderr, "add_printer: %s failed (error %lu)\n", what, GetLastError());
    return false;
}

// Creates the folders on the way to a file.
void MakeParentFolders(const std::wstring& file) {
    for (size_t at = file.find(L'\\', 3); at != std::wstring::npos; at = file.find(L'\\', at + 1)) {
        CreateDirectoryW(file.substr(0, at).c_str(), nullptr);
    }
}

bool RemoveExisting(const std::wstring& printer, const std::wstring& driver) {
    HANDLE handle = nullptr;
    PRINTER_DEFAULTSW access{nullptr, nullptr, PRINTER_ALL_ACCESS};
    if (OpenPrinterW(const_cast<wchar_t*>(printer.c_str()), &handle, &access)) {
        DeletePrinter(handle);
        ClosePrinter(handle);
    }
    DeletePrinterDriverW(nullptr, nullptr, const_cast<wchar_t*>(driver.c_str()));
    return true;
}

bool Install(const std::wstring& printer, const std::wstring& ppd, const std::wstring& port,
             bool makeDefault) {
    wchar_t system[MAX_PATH];
    if (GetSystemDirectoryW(system, MAX_PATH) == 0) {
        return Fail("GetSystemDirectory");
    }
    std::wstring postscript = std::wstring(system) + L"\\wineps.drv";
    std::wstring driver = printer + L" PostScript";
    RemoveExisting(printer, driver);

    // The driver: Wine's PostScript driver with this printer's description.
    DRIVER_INFO_3W info{};
    info.cVersion = 3;
    info.pName = driver.data();
    info.pDriverPath = postscript.data();
    std::wstring data = ppd;
    info.pDataFile = data.data();
    info.pConfigFile = postscript.data();
    std::wstring raw = L"RAW";
    info.pDefaultDataType = raw.data();
    if (!AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&info),
                             APD_COPY_ALL_FILES | APD_COPY_FROM_DIRECTORY)) {
        return Fail("AddPrinterDriverEx");
    }

    // The queue on a file port, printed by the standard print processor.
    MakeParentFolders(port);
    PRINTER_INFO_2W queue{};
    std::wstring name = printer, portName = port, processor = L"winprint";
    queue.pPrinterName = name.data();
    queue.pPortName = portName.data();
    queue.pDriverName = driver.data();
    queue.pPrintProcessor = processor.data();
    queue.pDatatype = raw.data();
    queue.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    queue.Priority = 1;
    HANDLE handle = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&queue));
    if (handle == nullptr) {
        return Fail("AddPrinter");
    }
    ClosePrinter(handle);
    if (makeDefault && !SetDefaultPrinterW(printer.c_str())) {
        return Fail("SetDefaultPrinter");
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr,
                     "usage: add_printer <printer name> <ppd file> <port file> [--default]\n");
        return 2;
    }
    const bool makeDefault = argc > 4 && std::string(argv[4]) == "--default";
    const std::wstring printer = Widen(argv[1]);
    if (!Install(printer, FullPath(Widen(argv[2])), FullPath(Widen(argv[3])), makeDefault)) {
        return 1;
    }
    std::printf("printer \"%s\" on %s\n", argv[1], argv[3]);
    return 0;
}
