// The dialogs with each sibling library of the application folder missing,
// and replaced by a file of the same name that is no library: the library
// still loads, every dialog still opens in some language (after at most the
// warnings the robot answers) and comes back with its cancel result when
// cancelled. The English string libraries are broken under English menus,
// every other library under local-language menus, which read both.
#include "harness.h"
#include "qvssd/exports.h"

#include <algorithm>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace {

using qvrobot::Robot;
using qvrobot::RunModal;

// Every library beside QVSSD.dll, and the dialogs that use it beyond the
// strings, message boxes and language settings every dialog reads (Zoom and
// Go To stand for those).
struct Sibling {
    const char* file;
    std::vector<std::string> dialogs;
};
const Sibling kSiblings[] = {
    {"QVComLib.dll",
     {"QVShowOptions", "QVShowTextToColumn", "QVShowFormatCells", "QVShowInsertFunction"}},
    {"QVComnSE.dll", {}},
    {"QVComnSL.dll", {}},
    {"QVFileDialog.dll", {"QVShowHyperLink"}},
    {"QVMSGSE.dll", {}},
    {"QVMSGSL.dll", {}},
    {"QVMessageBox.dll", {}},
    {"QVSSAPI.dll", {"QVShowHyperLink", "QVShowFormatCells"}},
    {"QVSSDSE.dll", {"QVShowFormatCells", "QVShowInsertFunction"}},
    {"QVSSDSL.dll", {"QVShowFormatCells", "QVShowInsertFunction"}},
    {"QVSSG.dll", {"QVShowFormatCells", "QVShowPasteSpecial", "QVShowTextToColumn"}},
    {"QVSSMSE.dll", {}},
    {"QVSSMSL.dll", {}},
    {"QVWPAG.dll", {"QVShowFormatCells"}},
    {"TWEngine.dll", {"QVShowHyperLink"}},
};

template <class F> F As(FARPROC fn) {
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(fn));
}

void PrintTo(const Sibling& sibling, std::ostream* out) {
    *out << sibling.file;
}

class BrokenSiblings : public qvtest::DialogTest, public ::testing::WithParamInterface<Sibling> {
  protected:
    // Opens each dialog below from the library in `folder` and cancels it.
    void OpenAndCancelEach(const std::string& folder, const std::string& what) {
        LoadFrom(folder);
        struct Call {
            const char* name;
            int32_t cancel;
            std::function<int32_t(FARPROC)> call;
        };
        // Images (Format Cells, Paste Special), locale strings (Go To), the
        // common services and the user's store (Options), the file dialog
        // (Hyperlink), the script engine and fonts (Text to Columns), the
        // function catalogue and the recent functions (Insert Function).
        static char total[] = "Total";
        static char* names[] = {total};
        QVGotoRecord gotoRecord{nullptr, names, 1};
        CellFormatRecord format{};
        format.startPage = 4;
        QVPasteSpecialRecord paste{0, 0, 0, 0, 0, 1};
        QVOptionsRecord options{};
        options.activePage = 1;
        char link[] = "Sales";
        char address[] = "http://example.com/";
        QVHyperLinkRecord hyperlink{link, address, 0, 0, 0, 0};
        QVString line{const_cast<char*>("a,b;c d")};
        QVStringArray lines{nullptr, &line, 1, 1, 0};
        char destination[260] = "$A$1";
        TextToColumnRecord columns{};
        columns.lines = &lines;
        columns.destination = destination;
        int16_t zoom = 100;
        QVInsertFunctionRecord function{};
        const Call calls[] = {
            {"QVShowViewZoom", 0, [&](FARPROC f) { return As<QVShowViewZoomFn>(f)(&zoom, 0); }},
            {"QVShowGoto", 0, [&](FARPROC f) { return As<QVShowGotoFn>(f)(&gotoRecord); }},
            {"QVShowFormatCells", 0,
             [&](FARPROC f) { return As<QVShowFormatCellsFn>(f)(frame_->hwnd(), &format); }},
            {"QVShowPasteSpecial", 0,
             [&](FARPROC f) { return As<QVShowPasteSpecialFn>(f)(&paste); }},
            {"QVShowOptions", 0, [&](FARPROC f) { return As<QVShowOptionsFn>(f)(&options); }},
            {"QVShowHyperLink", 0, [&](FARPROC f) { return As<QVShowHyperLinkFn>(f)(&hyperlink); }},
            {"QVShowTextToColumn", 0,
             [&](FARPROC f) { return As<QVShowTextToColumnFn>(f)(&columns); }},
            {"QVShowInsertFunction", 0,
             [&](FARPROC f) { return As<QVShowInsertFunctionFn>(f)(&function); }},
        };
        std::vector<std::string> wanted = GetParam().dialogs;
        wanted.insert(wanted.begin(), {"QVShowViewZoom", "QVShowGoto"});
        for (const Call& call : calls) {
            const FARPROC fn = library_->Find(call.name);
            if (fn == nullptr ||
                std::find(wanted.begin(), wanted.end(), call.name) == wanted.end()) {
                continue;
            }
            bool opened = false;
            const auto outcome = RunModal([&] { return call.call(fn); },
                                          [&](Robot& robot) {
                                              opened = robot.FindDialog(5000) != nullptr;
                                              EXPECT_TRUE(robot.CancelUntilReturned(20000));
                                          });
            EXPECT_TRUE(outcome.ok) << what << ", " << call.name << ": " << outcome.failure;
            EXPECT_TRUE(opened) << what << ", " << call.name << " showed nothing";
            EXPECT_EQ(outcome.result, call.cancel) << what << ", " << call.name;
        }
        library_.reset();
    }
};

TEST_P(BrokenSiblings, LeaveEveryDialogWorking) {
    const std::string sibling = GetParam().file;
    std::string userData = qvhost::MakeScratchFolder("broken-siblings-user");
    qvhost::SetUserDataFolder(userData);
    const bool english = sibling.size() > 6 && sibling.compare(sibling.size() - 6, 2, "SE") == 0;
    qvhost::SetMenuLanguage(english ? 1 : 2);
    {
        qvhost::ScratchAppFolder scratch(appFolder_, {sibling});
        ASSERT_TRUE(scratch.ok());
        OpenAndCancelEach(scratch.path(), sibling + " missing");
    }
    {
        qvhost::ScratchAppFolder scratch(appFolder_, {sibling},
                                         {{sibling, "This is not a library.\r\n"}});
        ASSERT_TRUE(scratch.ok());
        OpenAndCancelEach(scratch.path(), sibling + " not a library");
    }
    qvhost::RemoveFolder(userData);
}

INSTANTIATE_TEST_SUITE_P(Siblings, BrokenSiblings, ::testing::ValuesIn(kSiblings),
                         [](const ::testing::TestParamInfo<Sibling>& info) {
                             std::string name = info.param.file;
                             return name.substr(0, name.find('.'));
                         });

} // namespace
