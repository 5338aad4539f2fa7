// The workbook and sheet dialogs the host can open.
#include "dialog_tables.h"

#include "qvssd/exports.h"
#include "qvssd/messages.h"
#include "qvssd/records.h"

#include <cstring>

namespace qvhost::tables {
namespace {

class GotoCall : public DialogCall {
  public:
    GotoCall() : names_{"Sheet1!A1", "Total", "Budget"} {
        for (auto& n : names_) {
            pointers_.push_back(n.data());
        }
        record_.reference = nullptr;
        record_.names = pointers_.data();
        record_.count = static_cast<int32_t>(pointers_.size());
    }
    int32_t Invoke(FARPROC fn) override { return As<QVShowGotoFn>(fn)(&record_); }
    std::string RecordJson(const FrameWindow* frame) const override {
        // The reference points into the dialog and is valid only while the host
        // handles WM_QV_GOTO: the frame's copy of the last one is printed instead.
        std::string reference = "null";
        if (frame != nullptr) {
            const auto gotos = frame->Log(WM_QV_GOTO);
            if (!gotos.empty()) {
                reference = JsonString(gotos.back().text);
            }
        }
        std::string json = "{\"reference\":" + reference + ",\"names\":[";
        for (size_t i = 0; i < names_.size(); ++i) {
            if (i > 0) {
                json += ',';
            }
            json += JsonString(names_[i]);
        }
        return json + "],\"count\":" + std::to_string(record_.count) + "}";
    }

  private:
    std::vector<std::string> names_;
    std::vector<char*> pointers_;
    QVGotoRecord record_{};
};

class ZoomCall : public DialogCall {
  public:
    int32_t Invoke(FARPROC fn) override { return As<QVShowViewZoomFn>(fn)(&zoom_, fit_); }
    std::string RecordJson(const FrameWindow*) const override {
        return "{\"zoom\":" + std::to_string(zoom_) + ",\"fitSelection\":" + std::to_string(fit_) +
               "}";
    }

  private:
    int16_t zoom_ = 75;
    int16_t fit_ = 120;
};

class HeightWidthCall : public DialogCall {
  public:
    HeightWidthCall(double size, uint8_t mode) : size_(size), mode_(mode) {}
    int32_t Invoke(FARPROC fn) override { return As<QVShowFormatHtWdFn>(fn)(&size_, mode_); }
    std::string RecordJson(const FrameWindow*) const override {
        return "{\"size\":" + Number(size_) + ",\"mode\":" + std::to_string(mode_) + "}";
    }

  private:
    double size_;
    uint8_t mode_;
};

class InsertDelCall : public DialogCall {
  public:
    int32_t Invoke(FARPROC fn) override { return As<QVShowInsertDelCellsFn>(fn)(&flags_); }
    std::string RecordJson(const FrameWindow*) const override {
        return "{\"flags\":" + std::to_string(flags_) + "}";
    }

  private:
    uint8_t flags_ = 6; // insert, shift cells right
};

class PasteSpecialCall : public DialogCall {
  public:
    int32_t Invoke(FARPROC fn) override { return As<QVShowPasteSpecialFn>(fn)(&record_); }
    std::string RecordJson(const FrameWindow*) const override {
        return "{\"paste\":" + std::to_string(record_.paste) +
               ",\"operation\":" + std::to_string(record_.operation) +
               ",\"skipBlanks\":" + std::to_string(record_.skipBlanks) +
               ",\"transpose\":" + std::to_string(record_.transpose) +
               ",\"pasteLink\":" + std::to_string(record_.pasteLink) +
               ",\"linkAllowed\":" + std::to_string(record_.linkAllowed) + "}";
    }

  private:
    QVPasteSpecialRecord record_{0, 0, 0, 0, 0, 1};
};

class ExtPasteSpecialCall : public DialogCall {
  public:
    int32_t Invoke(FARPROC fn) override {
        OfferSampleClipboard();
        return As<QVShowExtPasteSpecialFn>(fn)(2, &choice_);
    }
    std::string RecordJson(const FrameWindow*) const override {
        return "{\"mode\":2,\"choice\":" + std::to_string(choice_) + "}";
    }

  private:
    // An empty clipboard gets a text and a sheet block, so that the list has
    // something to offer; a clipboard that holds anything is left alone.
    static void OfferSampleClipboard() {
        if (CountClipboardFormats() != 0 || !OpenClipboard(nullptr)) {
            return;
        }
        EmptyClipboard();
        static const char kText[] = "Region\tSales\r\nNorth\t120\r\n";
        static const char kBlock[] = "sample";
        const struct {
            UINT format;
            const char* data;
            size_t size;
        } offers[] = {{CF_TEXT, kText, sizeof kText},
                      {RegisterClipboardFormatA("Biff8"), kBlock, sizeof kBlock}};
        for (const auto& offer : offers) {
            HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, offer.size);
            if (block == nullptr) {
                continue;
            }
            memcpy(GlobalLock(block), offer.data, offer.size);
            GlobalUnlock(block);
            if (SetClipboardData(offer.format, block) == nullptr) {
                GlobalFree(block);
            }
        }
        CloseClipboard();
    }

    uint32_t choice_ = 0;
};

class HyperLinkCall : public DialogCall {
  public:
    HyperLinkCall() {
        record_.linkText = text_;
        record_.address = address_;
        record_.editMode = 1;
        record_.remove = 1;
    }
    ~HyperLinkCall() override {
        // Texts the dialog handed back are the host's to free.
        if (record_.linkText != text_) {
            QVFree(record_.linkText);
        }
        if (record_.address != address_) {
            QVFree(record_.address);
        }
    }
    int32_t Invoke(FARPROC fn) override { return As<QVShowHyperLinkFn>(fn)(&record_); }
    std::string RecordJson(const FrameWindow*) const override {
        return "{\"linkText\":" + JsonString(record_.linkText ? record_.linkText : "") +
               ",\"address\":" + JsonString(record_.address ? record_.address : "") +
               ",\"editMode\":" + std::to_string(record_.editMode) +
               ",\"textScript\":" + std::to_string(record_.textScript) +
               ",\"remove\":" + std::to_string(record_.remove) + "}";
    }

  private:
    char text_[32] = "Budget 2024";
    char address_[64] = "http://www.example.com/budget";
    QVHyperLinkRecord record_{};
};

class TemplateCall : public DialogCall {
  public:
    explicit TemplateCall(int32_t view) { record_.view = view; }
    int32_t Invoke(FARPROC fn) override { return As<QVShowTemplateFn>(fn)(&record_); }
    std::string RecordJson(const FrameWindow*) const override {
        return "{\"path\":" + JsonString(std::string(record_.path, strnlen(record_.path, 256))) +
               ",\"page\":" + std::to_string(record_.page) +
               ",\"view\":" + std::to_string(record_.view) + "}";
    }

  private:
    QVTemplateRecord record_{};
};

class MoveOrCopyCall : public DialogCall {
  public:
    MoveOrCopyCall() {
        QVStringArrayAdd(&record_.books, "Book1*Sheet1*Sheet2*Sheet3*");
        QVStringArrayAdd(&record_.books, "Budget*Data*Summary*");
    }
    ~MoveOrCopyCall() override { QVStringArrayRemoveAll(&record_.books); }
    int32_t Invoke(FARPROC fn) override { return As<QVShowMoveOrCopyFn>(fn)(&record_); }
    std::string RecordJson(const FrameWindow*) const override {
        return "{\"createCopy\":" + std::to_string(record_.createCopy) +
               ",\"beforeSheet\":" + std::to_string(record_.beforeSheet) + ",\"targetBook\":" +
               (record_.targetBook ? JsonString(record_.targetBook) : std::string("null")) + "}";
    }

  private:
    QVMoveOrCopyRecord record_{};
};

class UnhideCall : public DialogCall {
  public:
    int32_t Invoke(FARPROC fn) override { return As<QVShowUnhideSheetFn>(fn)(buffer_); }
    std::string RecordJson(const FrameWindow*) const override {
        return "{\"buffer\":" + JsonString(buffer_) + "}";
    }

  private:
    char buffer_[256] = "Sheet4*Archive*Notes*";
};

class PasswordCall : public DialogCall {
  public:
    int32_t Invoke(FARPROC fn) override {
        return As<QVShowPasswordFn>(fn)(
            "C:\\Users\\Asha\\Documents\\Quarterly sales results 2024.xls", password_);
    }
    std::string RecordJson(const FrameWindow*) const override {
        return "{\"password\":" + JsonString(password_) + "}";
    }

  private:
    char password_[256] = "";
};

class ErrorDetailsCall : public DialogCall {
  public:
    int32_t Invoke(FARPROC fn) override {
        As<QVShowErrorDetailsFn>(fn)("Pivot tables\r\nCharts with 3-D effects\r\nMacros");
        return 0;
    }
    std::string RecordJson(const FrameWindow*) const override { return "{}"; }
};
// The Options sheet over a view that shows everything but the layout bar.
class OptionsCall : public DialogCall {
  public:
    explicit OptionsCall(int32_t page) {
        std::strcpy(record_.selection, "A1:A12");
        record_.activePage = page;
        record_.viewFlags = 0x40 | 0x20 | 0x04;
        record_.comments = 1;
        record_.outlineSymbols = 1;
        record_.userName = name_;
    }
    ~OptionsCall() override {
        if (record_.userName != name_) {
            QVFree(record_.userName);
        }
    }
    OptionsCall(const OptionsCall&) = delete;
    OptionsCall& operator=(const OptionsCall&) = delete;

    int32_t Invoke(FARPROC fn) override { return As<QVShowOptionsFn>(fn)(&record_); }
    std::string RecordJson(const FrameWindow*) const override {
        return "{\"activePage\":" + std::to_string(record_.activePage) +
               ",\"viewFlags\":" + std::to_string(record_.viewFlags) +
               ",\"comments\":" + std::to_string(record_.comments) +
               ",\"outlineSymbols\":" + std::to_string(record_.outlineSymbols) +
               ",\"userName\":" + JsonString(record_.userName != nullptr ? record_.userName : "") +
               "}";
    }

  private:
    char name_[16] = "Asha Verma";
    QVOptionsRecord record_{};
};

} // namespace

std::vector<DialogEntry> WorkbookDialogs() {
    return {
        {"goto", "QVShowGoto", "Go To", [] { return std::make_unique<GotoCall>(); }},
        {"zoom", "QVShowViewZoom", "Zoom", [] { return std::make_unique<ZoomCall>(); }},
        {"rowheight", "QVShowFormatHtWd", "Row Height",
         [] { return std::make_unique<HeightWidthCall>(12.75, 1); }},
        {"insertcells", "QVShowInsertDelCells", "Insert cells",
         [] { return std::make_unique<InsertDelCall>(); }},
        {"pastespecial", "QVShowPasteSpecial", "Paste Special",
         [] { return std::make_unique<PasteSpecialCall>(); }},
        {"extpastespecial", "QVShowExtPasteSpecial", "Paste Special (clipboard formats)",
         [] { return std::make_unique<ExtPasteSpecialCall>(); }},
        {"hyperlink", "QVShowHyperLink", "Hyperlink",
         [] { return std::make_unique<HyperLinkCall>(); }},
        {"templates", "QVShowTemplate", "Templates",
         [] { return std::make_unique<TemplateCall>(0); }},
        {"templates-report", "QVShowTemplate", "Templates (details view)",
         [] { return std::make_unique<TemplateCall>(2); }},
        {"moveorcopy", "QVShowMoveOrCopy", "Move or Copy",
         [] { return std::make_unique<MoveOrCopyCall>(); }},
        {"unhide", "QVShowUnhideSheet", "Unhide sheet",
         [] { return std::make_unique<UnhideCall>(); }},
        {"password", "QVShowPassword", "Password", [] { return std::make_unique<PasswordCall>(); }},
        {"errordetails", "QVShowErrorDetails", "File-feature details",
         [] { return std::make_unique<ErrorDetailsCall>(); }},
        {"options", "QVShowOptions", "Options (General)",
         [] { return std::make_unique<OptionsCall>(0); }},
        {"options-lists", "QVShowOptions", "Options (Custom Lists)",
         [] { return std::make_unique<OptionsCall>(1); }},
    };
}

} // namespace qvhost::tables
