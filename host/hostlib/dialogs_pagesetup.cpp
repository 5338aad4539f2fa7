// The page setup and print dialogs the host can open.
#include "dialog_tables.h"

#include "qvrobot/robot.h"
#include "qvssd/exports.h"
#include "qvssd/records.h"

#include <cstring>

namespace qvhost::tables {
namespace {

FontBlock NormalFont() {
    FontBlock font{};
    Put(font.faceName, "Arial");
    font.styleFlags = 1;
    font.size = 10;
    font.normalFont = 64;
    return font;
}

// Page Setup of a budget sheet: portrait at 100 %, Letter, the sheet's name
// as header, "Page 1 of 1" as footer, a print area and gridlines.
class PageSetupCall : public DialogCall {
  public:
    // `startPage`: 1 Page, 2 Margins, 4 Header/Footer, 8 Sheet.
    explicit PageSetupCall(uint8_t startPage) {
        PageOptions& page = record_.page;
        page.orientation = 1;
        page.scaling = 4;
        page.adjustPercent = 100;
        page.fitPagesTall = 1;
        page.fitPagesWide = 1;
        page.paperSize = 1;
        page.printQuality = 1;
        page.firstPage = 1;
        MarginsBlock& margins = record_.margins;
        margins.top = margins.bottom = 1.0f;
        margins.left = margins.right = 0.75f;
        margins.header = margins.footer = 0.5f;
        margins.centering = 0x20;
        HeaderFooterBlock& hf = record_.headerFooter;
        for (HeaderFooterSections* part : {&hf.header, &hf.footer}) {
            part->leftFont = part->centerFont = part->rightFont = NormalFont();
        }
        Put(hf.header.center, "&A");
        Put(hf.footer.left, "&F");
        Put(hf.footer.center, "Page &P of &N");
        Put(hf.footer.right, "&d{%x}");
        Put(hf.filePath, "C:\\Books");
        Put(hf.fileName, "Budget.xls");
        Put(hf.sheetName, "Sheet1");
        SheetOptionsBlock& sheet = record_.sheet;
        Put(sheet.printArea, "A1:F20");
        Put(sheet.rowsToRepeat, "$1:$1");
        Put(sheet.colsToRepeat, "$A:$A");
        sheet.options = 0x01 | 0x10;
        record_.startPage = startPage;
    }

    int32_t Invoke(FARPROC fn) override { return As<QVShowPageSetupFn>(fn)(&record_); }

    std::string RecordJson(const FrameWindow*) const override {
        const PageOptions& p = record_.page;
        const MarginsBlock& m = record_.margins;
        const HeaderFooterBlock& hf = record_.headerFooter;
        const SheetOptionsBlock& s = record_.sheet;
        const auto sections = [](const HeaderFooterSections& part) {
            std::string list(1, '[');
            list += JsonString(Text(part.left));
            list += ',';
            list += JsonString(Text(part.center));
            list += ',';
            list += JsonString(Text(part.right));
            list += ']';
            return list;
        };
        std::string json = "{\"page\":{\"orientation\":" + std::to_string(p.orientation) +
                           ",\"scaling\":" + std::to_string(p.scaling) +
                           ",\"adjustPercent\":" + std::to_string(p.adjustPercent) +
                           ",\"paperSize\":" + std::to_string(p.paperSize) +
                           ",\"printQuality\":" + std::to_string(p.printQuality) +
                           ",\"firstPage\":" + std::to_string(p.firstPage) + "}";
        json += ",\"margins\":[" + Number(m.top) + "," + Number(m.bottom) + "," + Number(m.left) +
                "," + Number(m.right) + "," + Number(m.header) + "," + Number(m.footer) +
                "],\"centering\":" + std::to_string(m.centering);
        json += ",\"header\":" + sections(hf.header) + ",\"footer\":" + sections(hf.footer) +
                ",\"mode\":" + std::to_string(hf.mode);
        json += ",\"sheet\":{\"printArea\":" + JsonString(Text(s.printArea)) +
                ",\"options\":" + std::to_string(s.options) +
                ",\"comments\":" + std::to_string(s.comments) + "}";
        json += ",\"action\":" + std::to_string(record_.action) + "}";
        return json;
    }

  private:
    PageSetupRecord record_{};
};

// Print on the default printer; the variant with "Print to file" goes on to
// the Print To File dialog.
class PrintCall : public DialogCall {
  public:
    explicit PrintCall(bool toFile) : toFile_(toFile) { record_.collate = 4; }
    ~PrintCall() override {
        if (record_.printerDC != nullptr) {
            DeleteDC(record_.printerDC);
        }
        GlobalFree(record_.printDlg.hDevMode);
        GlobalFree(record_.printDlg.hDevNames);
    }
    PrintCall(const PrintCall&) = delete;
    PrintCall& operator=(const PrintCall&) = delete;

    int32_t Invoke(FARPROC fn) override { return As<QVShowFilePrintFn>(fn)(&record_); }

    HWND DemoWindow(qvrobot::Robot& robot, HWND dialog) override {
        if (!toFile_) {
            return dialog;
        }
        constexpr int kPrintToFile = 1042;
        robot.Click(dialog, kPrintToFile);
        robot.Click(dialog, IDOK);
        return robot.WaitForWindow("Print To File");
    }

    std::string RecordJson(const FrameWindow*) const override {
        return "{\"printerName\":" + JsonString(Text(record_.printerName)) +
               ",\"port\":" + JsonString(Text(record_.port)) +
               ",\"printToFile\":" + std::to_string(record_.printToFile) +
               ",\"printRange\":" + std::to_string(record_.printRange) +
               ",\"fromPage\":" + std::to_string(record_.fromPage) +
               ",\"toPage\":" + std::to_string(record_.toPage) +
               ",\"copies\":" + std::to_string(record_.copies) +
               ",\"collate\":" + std::to_string(record_.collate) +
               ",\"printWhat\":" + std::to_string(record_.printWhat) +
               ",\"printWhatFlags\":" + std::to_string(record_.printWhatFlags) +
               ",\"outputFile\":" + JsonString(Text(record_.outputFile)) +
               ",\"printerDC\":" + (record_.printerDC != nullptr ? "true" : "false") + "}";
    }

  private:
    PrintRecord record_{};
    bool toFile_;
};

// The Header/Footer page's "Custom Header..." button.
constexpr int kCustomHeaderButton = 1080;

} // namespace

std::vector<DialogEntry> PageSetupDialogs() {
    return {
        {"pagesetup", "QVShowPageSetup", "Page Setup: Page",
         [] { return std::make_unique<PageSetupCall>(1); }},
        {"margins", "QVShowPageSetup", "Page Setup: Margins",
         [] { return std::make_unique<PageSetupCall>(2); }},
        {"headerfooter", "QVShowPageSetup", "Page Setup: Header/Footer",
         [] { return std::make_unique<PageSetupCall>(4); }},
        {"customheader", "QVShowPageSetup", "Page Setup: Custom Header",
         [] { return std::make_unique<PageSetupCall>(4); }, kCustomHeaderButton},
        {"sheetsetup", "QVShowPageSetup", "Page Setup: Sheet",
         [] { return std::make_unique<PageSetupCall>(8); }},
        {"print", "QVShowFilePrint", "Print", [] { return std::make_unique<PrintCall>(false); }},
        {"printtofile", "QVShowFilePrint", "Print To File",
         [] { return std::make_unique<PrintCall>(true); }},
    };
}

} // namespace qvhost::tables
