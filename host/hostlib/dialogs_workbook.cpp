// The workbook and sheet dialogs the host can open.
#include "dialog_tables.h"

#include "qvssd/exports.h"
#include "qvssd/messages.h"
#include "qvssd/records.h"

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

} // namespace

std::vector<DialogEntry> WorkbookDialogs() {
    return {
        {"goto", "QVShowGoto", "Go To", [] { return std::make_unique<GotoCall>(); }},
        {"zoom", "QVShowViewZoom", "Zoom", [] { return std::make_unique<ZoomCall>(); }},
        {"rowheight", "QVShowFormatHtWd", "Row Height",
         [] { return std::make_unique<HeightWidthCall>(12.75, 1); }},
        {"insertcells", "QVShowInsertDelCells", "Insert cells",
         [] { return std::make_unique<InsertDelCall>(); }},
    };
}

} // namespace qvhost::tables
