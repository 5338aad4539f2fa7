// A host executable that exports neither GetFrameHandle nor GetMenuLanguage
// still gets working dialogs in English.
#include "harness.h"

#include "qvssd/exports.h"
#include "qvssd/records.h"

using qvrobot::Robot;
using qvrobot::RunModal;

TEST(HostWithoutExports, GotoClosesOnOkAndDialogsSpeakEnglish) {
    qvhost::DialogLibrary library(qvhost::AppFolder());
    ASSERT_TRUE(library.loaded());
    auto show = library.Get<QVShowGotoFn>("QVShowGoto");
    ASSERT_NE(show, nullptr);
    char name[] = "Total";
    char* names[] = {name};
    QVGotoRecord record{nullptr, names, 1};
    auto outcome =
        RunModal([&] { return show(&record); },
                 [&](Robot& robot) {
                     HWND dlg = robot.WaitForWindow("Go To");
                     EXPECT_EQ(robot.Text(dlg, 1039),
                               qvtest::LibraryString(qvhost::AppFolder(), "QVSSDSE.dll", 1448));
                     EXPECT_TRUE(robot.NoMessageBoxWithin(200));
                     robot.Click(dlg, IDOK);
                 });
    EXPECT_TRUE(outcome.ok) << outcome.failure;
    EXPECT_EQ(outcome.result, 1);
}
