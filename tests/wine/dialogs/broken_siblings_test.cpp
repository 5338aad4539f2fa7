// The dialogs with each sibling library of the application folder missing,
// and replaced by a file of the same name that is no library: the library
// still loads, every dialog still opens in some language (after at most the
// warnings the robot answers) and comes back with its cancel result when
// cancelled. The English string libraries are broken under English menus,
// every other library under local-language menus, which read both.
#include "harness.h"
#include "qvhost/chart_host.h"
#include "qvssd/exports.h"

#include <commctrl.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
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
    {"QVChrtWr.dll", {"QVShowChart"}},
    {"QVComLib.dll",
     {"QVShowOptions", "QVShowTextToColumn", "QVShowFormatCells", "QVShowInsertFunction",
      "QVShowHyperLink", "QVShowTemplate"}},
    {"QVComnSE.dll", {}},
    {"QVComnSL.dll", {}},
    {"QVFileDialog.dll", {"QVShowHyperLink"}},
    {"QVMSGSE.dll", {}},
    {"QVMSGSL.dll", {}},
    {"QVMessageBox.dll", {}},
    {"QVSSAPI.dll", {"QVShowHyperLink", "QVShowFormatCells"}},
    {"QVSSDSE.dll",
     {"QVShowFormatCells", "QVShowInsertFunction", "QVShowChart", "QVShowPageSetup"}},
    {"QVSSDSL.dll",
     {"QVShowFormatCells", "QVShowInsertFunction", "QVShowChart", "QVShowPageSetup"}},
    {"QVSSG.dll",
     {"QVShowFormatCells", "QVShowPasteSpecial", "QVShowTextToColumn", "QVShowGoalSeek",
      "QVShowPageSetup", "QVShowFilePrint"}},
    {"QVSSMSE.dll", {"QVShowNameDefine"}},
    {"QVSSMSL.dll", {"QVShowNameDefine", "QVShowNameLabel"}},
    {"QVWPAG.dll", {"QVShowFormatCells", "QVShowChartFormat"}},
    {"TWEngine.dll", {"QVShowHyperLink", "QVShowTemplate"}},
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
        // The chart wizard works on a chart the host makes with the chart
        // component of the same folder: none when that is broken.
        qvhost::SampleSheet sheet;
        qvhost::SampleSheet::FillDemo(sheet);
        qvhost::ChartComponent component(folder);
        qvhost::ChartPtr chart = component.Create(&sheet);
        if (chart != nullptr) {
            chart->SetDataSourceRangeInText("A1:D5", QVCHART_HINT_CHOOSE, 0);
        }
        ChartWizardRecord wizard{};
        std::strcpy(wizard.sourceRange, "A1:D5");
        wizard.hostWindow = frame_->hwnd();
        wizard.chart = chart.get();
        ChartFormatRecord chartFormat{};
        chartFormat.pages = 1 | 2 | 4;
        GoalSeekRecord goal{};
        std::strcpy(goal.setCell, "B4");
        PageSetupRecord pageSetup{};
        pageSetup.startPage = 1;
        PrintRecord print{};
        QVStringArray noNames{};
        NameDefineRecord define{};
        define.names = &noNames;
        define.nameLanguage = -1;
        LabelRangesRecord labels{};
        QVTemplateRecord templates{};
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
            {"QVShowChart", 0, [&](FARPROC f) { return As<QVShowChartFn>(f)(&wizard); }},
            {"QVShowChartFormat", 0,
             [&](FARPROC f) { return As<QVShowChartFormatFn>(f)(&chartFormat, 1, 6); }},
            {"QVShowGoalSeek", 0, [&](FARPROC f) { return As<QVShowGoalSeekFn>(f)(&goal); }},
            {"QVShowPageSetup", 0, [&](FARPROC f) { return As<QVShowPageSetupFn>(f)(&pageSetup); }},
            {"QVShowFilePrint", 0, [&](FARPROC f) { return As<QVShowFilePrintFn>(f)(&print); }},
            {"QVShowNameDefine", 0, [&](FARPROC f) { return As<QVShowNameDefineFn>(f)(&define); }},
            {"QVShowNameLabel", 0, [&](FARPROC f) { return As<QVShowNameLabelFn>(f)(&labels); }},
            {"QVShowTemplate", 0, [&](FARPROC f) { return As<QVShowTemplateFn>(f)(&templates); }},
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

// Select Table reads database files through the ODBC driver the system lists
// for them. The test command also runs this with that list replaced by one
// whose driver file is missing, or is no library (QVSSD_BROKEN_DRIVER names
// which): the dialog opens with an empty list, refuses OK and cancels.
class BrokenDriver : public qvtest::DialogTest {};

TEST_F(BrokenDriver, SelectTableListsNothing) {
    const char* kind = std::getenv("QVSSD_BROKEN_DRIVER");
    if (kind == nullptr) {
        GTEST_SKIP() << "runs under a replaced driver list only";
    }
    const std::string folder = qvhost::MakeScratchFolder("broken-driver");
    const std::string path = folder + "\\sales.db";
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "CREATE TABLE Orders(a);", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);

    constexpr int kTables = 1081;
    char buffer[MAX_PATH] = {};
    std::strcpy(buffer, path.c_str());
    auto show = Export<QVShowSelectTableFn>("QVShowSelectTable");
    const auto outcome = RunModal([&] { return show(buffer); },
                                  [&](Robot& robot) {
                                      HWND dlg = robot.WaitForWindow("Select Table");
                                      HWND list = robot.Control(dlg, kTables);
                                      EXPECT_EQ(ListView_GetItemCount(list), 0) << kind;
                                      robot.Click(dlg, IDOK);
                                      EXPECT_TRUE(IsWindowVisible(dlg));
                                      robot.Cancel(dlg);
                                  });
    EXPECT_SCRIPT_OK(outcome) << kind;
    EXPECT_EQ(outcome.result, IDCANCEL) << kind;
    EXPECT_STREQ(buffer, "") << kind;
    qvhost::RemoveFolder(folder);
}

} // namespace
