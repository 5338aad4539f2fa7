#include "pagesetup/common.h"

#include "format/page_common.h"
#include "framework/controls.h"
#include "framework/text.h"
#include "qvcore/numbers.h"
#include "qvcore/page_setup.h"

#include <commctrl.h>
#include <commdlg.h>
#include <winspool.h>

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <string_view>

namespace qv::pagesetup {

// ---- NumericSpin ------------------------------------------------------------

void NumericSpin::Attach(HWND dialog, int spinId, int boxId, double low, double high, double step,
                         int decimals) {
    spin_ = GetDlgItem(dialog, spinId);
    box_ = GetDlgItem(dialog, boxId);
    low_ = low;
    high_ = high;
    step_ = step;
    decimals_ = decimals;
    fw::UpDown spin(spin_);
    spin.Send(UDM_SETBUDDY, reinterpret_cast<WPARAM>(box_), 0);
    // The spin never moves itself: every step goes through the box.
    spin.SetRange(-1000000, 1000000);
    spin.SetPos(0);
}

bool NumericSpin::OnNotify(const NMHDR* header, LRESULT& result) const {
    if (header == nullptr || spin_ == nullptr || header->hwndFrom != spin_ ||
        header->code != UDN_DELTAPOS) {
        return false;
    }
    const auto* change = reinterpret_cast<const NMUPDOWN*>(header);
    if (change->iDelta != 0) {
        Step(change->iDelta > 0 ? 1 : -1);
    }
    result = TRUE; // the spin keeps its own position
    return true;
}

void NumericSpin::Step(int steps) const {
    if (box_ == nullptr) {
        return;
    }
    const std::string text = fw::WindowText(box_);
    double value = low_;
    if (core::IsSizeNumber(text)) {
        value = core::SizeNumberValue(text) + steps * step_;
    }
    value = std::clamp(value, low_, high_);
    fw::Edit box(box_);
    box.SetText(Format(value));
    box.SetSel(0, -1);
}

std::string NumericSpin::Format(double value) const {
    if (decimals_ > 0) {
        return core::MarginText(value);
    }
    return std::to_string(static_cast<long long>(std::llround(value)));
}

// ---- PictureStatic ----------------------------------------------------------

bool PictureStatic::Attach(HWND dialog, int id, Overlay overlay) {
    overlay_ = std::move(overlay);
    HWND control = dialog != nullptr ? GetDlgItem(dialog, id) : nullptr;
    if (control == nullptr || !Subclass(control)) {
        return false;
    }
    SetAccessibleSource(this);
    return true;
}

void PictureStatic::Describe(std::string name, std::string value) {
    name_ = std::move(name);
    if (value != value_) {
        value_ = std::move(value);
        if (hwnd() != nullptr) {
            fw::NotifyAccessibleValue(hwnd());
        }
    }
}

long PictureStatic::AccessibleRole() const {
    constexpr long kRoleGraphic = 0x28; // ROLE_SYSTEM_GRAPHIC
    return kRoleGraphic;
}

void PictureStatic::SetBitmap(HBITMAP bitmap) {
    ShowBitmap(bitmap);
    bitmap_.Reset(bitmap);
}

void PictureStatic::ShowBitmap(HBITMAP bitmap) {
    if (hwnd() != nullptr) {
        Default(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    }
    shown_ = bitmap;
    Redraw();
}

void PictureStatic::Redraw() const {
    if (hwnd() != nullptr) {
        RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
}

void PictureStatic::Paint(HDC dc, const RECT& client) {
    FillRect(dc, &client, GetSysColorBrush(COLOR_3DFACE));
    RECT picture = client;
    BITMAP info{};
    if (shown_ != nullptr && GetObjectW(shown_, sizeof info, &info) != 0) {
        picture.left = (client.right - info.bmWidth) / 2;
        picture.top = (client.bottom - info.bmHeight) / 2;
        picture.right = picture.left + info.bmWidth;
        picture.bottom = picture.top + info.bmHeight;
        HDC memory = CreateCompatibleDC(dc);
        {
            fw::SelectScope select(memory, shown_);
            BitBlt(dc, picture.left, picture.top, info.bmWidth, info.bmHeight, memory, 0, 0,
                   SRCCOPY);
        }
        DeleteDC(memory);
    }
    if (overlay_) {
        overlay_(dc, picture);
    }
    if (GetFocus() == hwnd()) {
        RECT focus = client;
        InflateRect(&focus, -1, -1);
        DrawFocusRect(dc, &focus);
    }
}

// ---- pictures and the printer -----------------------------------------------

HBITMAP LoadPicture(int id, int width, int height) {
    return LoadPictures({{id, width, height}})[0];
}

std::vector<HBITMAP> LoadPictures(const std::vector<format::ImageRequest>& pictures) {
    return format::LoadLibraryImages("QVSSG.dll", pictures);
}

namespace {

// The default printer's device and port, as a default print-dialog set-up
// names them, without the device mode that set-up would build.
bool DefaultPrinter(std::wstring& device, std::wstring& port) {
    DWORD chars = 0;
    GetDefaultPrinterW(nullptr, &chars);
    if (chars == 0) {
        return false;
    }
    std::vector<wchar_t> name(chars, L'\0');
    if (!GetDefaultPrinterW(name.data(), &chars)) {
        return false;
    }
    device.assign(name.data(), wcsnlen(name.data(), name.size()));
    HANDLE printer = nullptr;
    if (device.empty() || !OpenPrinterW(device.data(), &printer, nullptr)) {
        return false;
    }
    DWORD bytes = 0;
    GetPrinterW(printer, 5, nullptr, 0, &bytes);
    // PRINTER_INFO_5W holds pointers: keep the buffer aligned for them.
    std::vector<PRINTER_INFO_5W> info(bytes / sizeof(PRINTER_INFO_5W) + 1);
    const bool ok =
        bytes > 0 && GetPrinterW(printer, 5, reinterpret_cast<BYTE*>(info.data()),
                                 static_cast<DWORD>(info.size() * sizeof(PRINTER_INFO_5W)), &bytes);
    ClosePrinter(printer);
    if (ok && info[0].pPortName != nullptr) {
        port = info[0].pPortName;
    }
    return ok;
}

} // namespace

PrinterCaps DefaultPrinterCaps() {
    PrinterCaps caps;
    std::wstring device;
    std::wstring port;
    if (!DefaultPrinter(device, port) || device.empty()) {
        return caps;
    }
    caps.device = fw::Narrow(device);
    caps.port = fw::Narrow(port);
    const auto ask = [&](WORD capability, void* answer) {
        return DeviceCapabilitiesW(device.c_str(), port.c_str(), capability,
                                   static_cast<wchar_t*>(answer), nullptr);
    };
    // Each answer in a buffer sized by its own count.
    constexpr size_t kPaperNameChars = 64;
    const int papers = ask(DC_PAPERS, nullptr);
    const int named = ask(DC_PAPERNAMES, nullptr);
    if (papers > 0 && named > 0) {
        caps.papers.resize(static_cast<size_t>(papers));
        ask(DC_PAPERS, caps.papers.data());
        std::vector<wchar_t> names(static_cast<size_t>(named) * kPaperNameChars, L'\0');
        ask(DC_PAPERNAMES, names.data());
        for (size_t i = 0; i < static_cast<size_t>(named); ++i) {
            const wchar_t* name = names.data() + i * kPaperNameChars;
            caps.paperNames.push_back(
                fw::Narrow(std::wstring_view(name, wcsnlen(name, kPaperNameChars))));
        }
    }
    const int resolutions = ask(DC_ENUMRESOLUTIONS, nullptr);
    if (resolutions > 0) {
        std::vector<LONG> values(static_cast<size_t>(resolutions) * 2, 0);
        ask(DC_ENUMRESOLUTIONS, values.data());
        for (size_t i = 0; i < static_cast<size_t>(resolutions); ++i) {
            caps.resolutions.push_back({values[2 * i], values[2 * i + 1]});
        }
    }
    return caps;
}

} // namespace qv::pagesetup
