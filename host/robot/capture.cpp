// Rendering a window to pixels and PNG. Under Wine's null display driver
// PrintWindow and WM_PRINT draw only the background, so a window is painted
// for real (RedrawWindow with RDW_UPDATENOW) and copied from its window DC.
// A single control that paints its own WM_PRINTCLIENT can instead be printed
// into a bitmap, away from the screen.
#include "qvrobot/robot.h"

#include "qvcore/png_writer.h"

namespace qvrobot {

Image DrawPicture(int width, int height, const std::function<bool(HDC)>& paint) {
    Image image;
    if (width <= 0 || height <= 0 || width > 8192 || height > 8192) {
        return image;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(nullptr);
    if (dib != nullptr && memory != nullptr && bits != nullptr) {
        HGDIOBJ previous = SelectObject(memory, dib);
        if (paint(memory)) {
            GdiFlush();
            image.width = width;
            image.height = height;
            image.rgb.resize(static_cast<size_t>(width) * height * 3);
            const auto* bgra = static_cast<const uint8_t*>(bits);
            for (size_t i = 0, n = static_cast<size_t>(width) * height; i < n; ++i) {
                image.rgb[i * 3] = bgra[i * 4 + 2];
                image.rgb[i * 3 + 1] = bgra[i * 4 + 1];
                image.rgb[i * 3 + 2] = bgra[i * 4];
            }
        }
        SelectObject(memory, previous);
    }
    if (memory != nullptr) {
        DeleteDC(memory);
    }
    if (dib != nullptr) {
        DeleteObject(dib);
    }
    return image;
}

Image CaptureWindow(HWND window) {
    RECT rect{};
    if (!IsWindow(window) || !GetWindowRect(window, &rect)) {
        return {};
    }
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    HDC source = GetWindowDC(window);
    if (source == nullptr) {
        return {};
    }
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    Image image = DrawPicture(width, height, [&](HDC memory) {
        return BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY) != FALSE;
    });
    ReleaseDC(window, source);
    return image;
}

Image PrintClient(HWND window) {
    RECT client{};
    if (!IsWindow(window) || !GetClientRect(window, &client)) {
        return {};
    }
    return DrawPicture(client.right, client.bottom, [&](HDC memory) {
        SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory),
                     PRF_CLIENT | PRF_ERASEBKGND);
        return true;
    });
}

bool WritePng(const Image& image, const std::string& path) {
    if (image.empty() || image.rgb.size() != static_cast<size_t>(image.width) *
                                                 static_cast<size_t>(image.height) * 3) {
        return false;
    }
    const auto png =
        qv::core::EncodePng(static_cast<uint32_t>(image.width), static_cast<uint32_t>(image.height),
                            3, image.rgb.data(), static_cast<size_t>(image.width) * 3);
    if (png.empty()) {
        return false;
    }
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const BOOL ok = WriteFile(file, png.data(), static_cast<DWORD>(png.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == png.size();
}

} // namespace qvrobot
