#include "frame/range_bar.h"

#include "frame/host_data.h"
#include "frame/host_link.h"
#include "frame/lang_settings.h"
#include "frame/localize.h"
#include "frame/siblings.h"
#include "qvssd/types.h"
#include "framework/controls.h"
#include "resource.h"

#include <cstring>

namespace qv::frame {
namespace {

// The picture on the bar's button, from the image library.
constexpr int kBarImage = 13048;
constexpr int kBarImageSize = 18;
// The bar's font: 10 points.
constexpr int kBarFontTenths = 100;

// A static text before a box names it.
bool IsLabel(HWND window) {
    char cls[16] = {};
    GetClassNameA(window, cls, sizeof cls);
    return lstrcmpiA(cls, "Static") == 0 && !fw::WindowText(window).empty();
}

std::string Bounded(std::string text) {
    if (text.size() > kRangeTextLimit) {
        text.resize(kRangeTextLimit);
    }
    return text;
}

} // namespace

CQVRangeBar::CQVRangeBar(RangeBarOwner& owner, HWND ownerEdit, RangeField field)
    : Dialog(IDD_RANGE_BAR), owner_(&owner), ownerEdit_(ownerEdit), firstField_(field.first),
      secondField_(field.second), seriesField_(field.series) {}

CQVRangeBar::~CQVRangeBar() {
    Destroy();
}

bool CQVRangeBar::Open() {
    frame_ = AnsweringFrame();
    frameWasEnabled_ = frame_ != nullptr && IsWindowEnabled(frame_);
    return CreateModeless(owner_->RangeOwnerWindow());
}

std::string CQVRangeBar::Text() const {
    return hwnd() != nullptr ? Bounded(ItemText(IDC_RANGE_BAR_EDIT)) : text_;
}

bool CQVRangeBar::OnInitDialog() {
    SendToFrame(WM_QV_RANGEPICK, 0, 0);
    const CQVLangSettings& settings = GetLangSettings();
    const std::string& face =
        HostMenuLanguage() != kEnglish ? settings.localFontFace : settings.englishFontFace;
    font_.Reset(fw::CreatePointFont(kBarFontTenths, face.c_str()));
    fw::Edit edit(hwnd(), IDC_RANGE_BAR_EDIT);
    edit.SetFont(font_.get());
    edit.LimitText(static_cast<int>(kRangeTextLimit));

    // Over the owner, as wide as the owner, the edit box filling the width.
    HWND owner = owner_->RangeOwnerWindow();
    RECT ownerRect{};
    RECT barRect{};
    GetWindowRect(hwnd(), &barRect);
    if (owner != nullptr && GetWindowRect(owner, &ownerRect)) {
        int width = ownerRect.right - ownerRect.left;
        if (width < barRect.right - barRect.left) {
            width = barRect.right - barRect.left;
        }
        SetWindowPos(hwnd(), nullptr, ownerRect.left, ownerRect.top, width,
                     barRect.bottom - barRect.top, SWP_NOZORDER | SWP_NOACTIVATE);
        SetCaption(fw::WindowText(owner));
    }
    RECT client{};
    GetClientRect(hwnd(), &client);
    RECT editRect{};
    RECT buttonRect{};
    GetWindowRect(Item(IDC_RANGE_BAR_EDIT), &editRect);
    GetWindowRect(Item(IDC_RANGE_BAR_BUTTON), &buttonRect);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&editRect), 2);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&buttonRect), 2);
    const int margin = editRect.left;
    const int buttonWidth = buttonRect.right - buttonRect.left;
    const int buttonLeft = client.right - margin - buttonWidth;
    SetWindowPos(Item(IDC_RANGE_BAR_BUTTON), nullptr, buttonLeft, buttonRect.top, 0, 0,
                 SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(Item(IDC_RANGE_BAR_EDIT), nullptr, 0, 0, buttonLeft - margin - editRect.left,
                 editRect.bottom - editRect.top, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);

    if (ownerEdit_ != nullptr && IsWindow(ownerEdit_)) {
        SetItemText(IDC_RANGE_BAR_EDIT, Bounded(fw::WindowText(ownerEdit_)));
    }
    image_.Reset(LoadRangeImage(kBarImage, kBarImageSize));
    if (image_) {
        fw::Button(hwnd(), IDC_RANGE_BAR_BUTTON).SetImage(image_.get());
    }
    // Screen readers: the box under the name of the owner's box (its label,
    // else the owner's caption), the picture button as OK. The user picks in
    // the sheet and does not type here.
    std::string name = fw::WindowText(owner);
    if (ownerEdit_ != nullptr && IsWindow(ownerEdit_)) {
        HWND label = GetWindow(ownerEdit_, GW_HWNDPREV);
        if (label != nullptr && IsLabel(label)) {
            name = fw::SpokenLabel(fw::WindowText(label));
        }
    }
    edit_.Attach(hwnd(), IDC_RANGE_BAR_EDIT, name, true);
    accept_.Attach(hwnd(), IDC_RANGE_BAR_BUTTON, fw::SpokenLabel(LoadLangString(kStrOK, true)));
    FocusItem(IDC_RANGE_BAR_EDIT);
    return false;
}

void CQVRangeBar::Accept(bool closedByWindow) {
    if (accepted_ || hwnd() == nullptr) {
        return;
    }
    accepted_ = true;
    text_ = Text();
    const bool hasEdit = ownerEdit_ != nullptr && IsWindow(ownerEdit_);
    if (hasEdit) {
        fw::SetWindowTextTo(ownerEdit_, text_);
    }
    HWND owner = owner_->RangeOwnerWindow();
    Destroy(); // tells the host that picking ended
    if (frame_ != nullptr && IsWindow(frame_) && !frameWasEnabled_) {
        EnableWindow(frame_, FALSE);
    }
    if (owner != nullptr && IsWindow(owner)) {
        EnableWindow(owner, TRUE);
    }
    owner_->TakeRangeText(text_, RangeField{firstField_, secondField_, seriesField_});
    if (owner != nullptr && IsWindow(owner)) {
        ShowWindow(owner, SW_SHOW);
        SetActiveWindow(owner);
    }
    if (hasEdit && IsWindow(ownerEdit_)) {
        SendMessageA(ownerEdit_, EM_SETSEL, 0, -1);
        SetFocus(ownerEdit_);
    }
    SendToFrame(WM_QV_RANGEPICK, 1, 0);
    if (closedByWindow) {
        SendToFrame(WM_QV_RANGEPICK, 1, 0);
        SetInputLanguage(false);
    }
    EndDialog(IDOK);
}

void CQVRangeBar::OnOK() {
    Accept(false);
}

void CQVRangeBar::OnCancel() {
    // The bar cannot discard its text: Escape ends picking and accepts.
    SendToFrame(WM_QV_RANGEPICK, 1, 0);
    Accept(false);
}

bool CQVRangeBar::OnCommand(int id, int code, HWND) {
    if (id == IDC_RANGE_BAR_BUTTON && code == BN_CLICKED) {
        Accept(false);
        return true;
    }
    return false;
}

bool CQVRangeBar::OnMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR& result) {
    switch (message) {
    case WM_QV_RANGETEXT: {
        const auto* text = reinterpret_cast<const QVString*>(wParam);
        if (text != nullptr && IsReadable(text, sizeof *text)) {
            SetItemText(IDC_RANGE_BAR_EDIT, ReadHostTextShown(text->text, kRangeTextLimit));
            fw::NotifyAccessibleValue(Item(IDC_RANGE_BAR_EDIT));
        }
        SetWindowLongPtrA(hwnd(), DWLP_MSGRESULT, 0);
        result = TRUE;
        return true;
    }
    case WM_QV_GETRANGETEXT: {
        auto* buffer = reinterpret_cast<char*>(wParam);
        const std::string text = ToHostText(Text());
        if (buffer != nullptr && IsWritable(buffer, text.size() + 1)) {
            std::memcpy(buffer, text.c_str(), text.size() + 1);
        }
        SetWindowLongPtrA(hwnd(), DWLP_MSGRESULT, 0);
        result = TRUE;
        return true;
    }
    case WM_CLOSE:
        Accept(true);
        result = TRUE;
        return true;
    default:
        return false;
    }
}

void CQVRangeBar::OnDestroy() {
    SendToFrame(WM_QV_RANGEPICK, 1, 0);
}

bool CQVRangeBar::PreTranslateMessage(MSG& msg) {
    if (hwnd() == nullptr || (msg.hwnd != hwnd() && !IsChild(hwnd(), msg.hwnd))) {
        return false;
    }
    switch (msg.message) {
    case WM_KEYDOWN:
        if (msg.wParam == VK_ESCAPE) {
            OnCancel();
        } else if (msg.wParam == VK_RETURN) {
            Accept(false);
        }
        return true; // the user selects in the sheet and does not type here
    case WM_KEYUP:
    case WM_CHAR:
    case WM_DEADCHAR:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_SYSCHAR:
    case WM_SYSDEADCHAR:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_CONTEXTMENU:
        return true;
    default:
        return false;
    }
}

HBITMAP LoadRangeImage(int id, int size) {
    CommonServices common;
    if (!common) {
        return nullptr;
    }
    const std::string path = GetLangSettings().appPath + "\\QVSSG.dll";
    if (common.Load(path.c_str(), QVCOM_LOAD_RESOURCES) == 0) {
        return nullptr;
    }
    HBITMAP image = common.LoadImageInt(id, size, size);
    common.UnLoad();
    return image;
}

void SetRangePickImage(HWND button, fw::Bitmap& image) {
    constexpr int kPickImage = 13047;
    constexpr int kPickImageSize = 18;
    image.Reset(LoadRangeImage(kPickImage, kPickImageSize));
    if (image) {
        fw::Button(button).SetImage(image.get());
    }
}

bool PickRange(RangeBarOwner& owner, HWND ownerEdit, RangeField field) {
    HWND dialog = owner.RangeOwnerWindow();
    if (dialog == nullptr || !IsWindow(dialog)) {
        return false;
    }
    SendToFrame(WM_QV_RANGEPICK, 0, 0);
    HWND frame = AnsweringFrame();
    const bool frameWasEnabled = frame != nullptr && IsWindowEnabled(frame);
    CQVRangeBar bar(owner, ownerEdit, field);
    if (!bar.Open()) {
        SendToFrame(WM_QV_RANGEPICK, 1, 0);
        return false;
    }
    ShowWindow(dialog, SW_HIDE);
    if (frame != nullptr) {
        EnableWindow(frame, TRUE);
    }
    if (bar.hwnd() != nullptr) {
        SetActiveWindow(bar.hwnd());
    }
    fw::RunMessageLoop([&bar] { return bar.IsEnded() || bar.hwnd() == nullptr; });
    if (!bar.Accepted()) {
        // The owner ended first, or the loop was asked to quit: undo the pick.
        bar.Destroy();
        if (frame != nullptr && IsWindow(frame) && !frameWasEnabled) {
            EnableWindow(frame, FALSE);
        }
        if (IsWindow(dialog)) {
            ShowWindow(dialog, SW_SHOW);
        }
    }
    return bar.Accepted();
}

} // namespace qv::frame
