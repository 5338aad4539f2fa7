// Go To, Zoom, row height / column width and insert / delete cells, driven
// through their exports as a user would.
#include "harness.h"

#include "qvssd/exports.h"
#include "qvssd/messages.h"
#include "qvssd/records.h"

#include <vector>

using qvrobot::Robot;
using qvrobot::RunModal;

namespace {

constexpr int kGotoList = 1040, kGotoRef = 1042, kGotoListLabel = 1039;
constexpr int kZoom75 = 1003, kZoomCustom = 1007, kZoomFit = 1006, kZoomEdit = 1009, kZoomOK = 1011;
constexpr int kSizeEdit = 1044, kSizeLabel = 1043;
constexpr int kShiftRight = 1271, kShiftDown = 1272, kEntireRow = 1273, kInsDelOK = 1011;

class SmallDialogs : public qvtest::DialogTest {
  protected:
    int32_t ShowGoto(QVGotoRecord& record, const std::function<void(Robot&)>& script) {
        auto show = Export<QVShowGotoFn>("QVShowGoto");
        auto outcome = RunModal([&] { return show(&record); }, script);
        EXPECT_SCRIPT_OK(outcome);
        return outcome.result;
    }
};

TEST_F(SmallDialogs, GotoListsNamesSkipsNullEntriesAndJumpsThroughTheHost) {
    char first[] = "Sheet1!A1", second[] = "Total";
    char* names[] = {first, nullptr, second};
    QVGotoRecord record{nullptr, names, 3};
    int32_t result = ShowGoto(record, [&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Go To");
        EXPECT_EQ(robot.Items(dlg, kGotoList), (std::vector<std::string>{"Sheet1!A1", "Total"}));
        EXPECT_EQ(robot.Text(dlg, kGotoRef), "Sheet1!A1");
        EXPECT_EQ(robot.Text(dlg, kGotoListLabel), DialogString(1448));
        robot.Select(dlg, kGotoList, 1);
        EXPECT_EQ(robot.Text(dlg, kGotoRef), "Total");
        robot.Click(dlg, IDOK);
    });
    EXPECT_EQ(result, 1);
    auto jumps = frame_->Log(WM_QV_GOTO);
    ASSERT_EQ(jumps.size(), 1u);
    EXPECT_EQ(jumps[0].text, "Total");
    EXPECT_EQ(jumps[0].wParam, reinterpret_cast<WPARAM>(&record));
    // The reference pointed into the dialog, which is gone.
    EXPECT_EQ(record.reference, nullptr);
}

TEST_F(SmallDialogs, GotoRefusedByTheHostWarnsAndStaysOpenWithTheText) {
    frame_->SetGotoRule([](const std::string& reference) { return reference == "ZZ9" ? -1 : 0; });
    QVGotoRecord record{nullptr, nullptr, 0};
    int32_t result = ShowGoto(record, [&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Go To");
        EXPECT_EQ(robot.Text(dlg, kGotoRef), "");
        EXPECT_TRUE(robot.Items(dlg, kGotoList).empty());
        robot.SetText(dlg, kGotoRef, "ZZ9");
        robot.Click(dlg, IDOK);
        auto box = robot.ExpectMessageBox();
        ASSERT_TRUE(box.exists);
        EXPECT_EQ(box.text, Message(1187));
        robot.AnswerMessageBox(1);
        EXPECT_TRUE(IsWindow(dlg));
        EXPECT_EQ(robot.Text(dlg, kGotoRef), "ZZ9");
        robot.SetText(dlg, kGotoRef, "B2");
        robot.Click(dlg, IDOK);
    });
    EXPECT_EQ(result, 1);
    auto jumps = frame_->Log(WM_QV_GOTO);
    ASSERT_EQ(jumps.size(), 2u);
    EXPECT_EQ(jumps[0].text, "ZZ9");
    EXPECT_EQ(jumps[1].text, "B2");
}

TEST_F(SmallDialogs, GotoInTheLocalMenuSkipsBookAndSheetNamesAndSwitchesTheKeyboard) {
    qvhost::SetMenuLanguage(2);
    char a[] = "Sheet1!A1", b[] = "Total", c[] = "[Book2]Data";
    char* names[] = {a, b, c};
    QVGotoRecord record{nullptr, names, 3};
    int32_t result = ShowGoto(record, [&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Go To");
        EXPECT_EQ(robot.Items(dlg, kGotoList), std::vector<std::string>{"Total"});
        EXPECT_EQ(robot.Text(dlg, kGotoListLabel), DialogString(1448, 2));
        EXPECT_NE(robot.Text(dlg, kGotoListLabel), DialogString(1448, 1));
        // Escape typed in the reference box cancels at once.
        robot.PressKey(dlg, kGotoRef, VK_ESCAPE);
        robot.WaitClosed(dlg);
    });
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(frame_->Log(WM_QV_GOTO).empty());
    auto switches = frame_->Log(WM_QV_SETINPUTLANG);
    ASSERT_GE(switches.size(), 2u);
    EXPECT_EQ(switches.front().wParam, 1u);
    EXPECT_EQ(switches.back().wParam, 0u);

    // A name in the local script reaches the host in the bytes it came in.
    char khata[] = "\xB4\xDA\xC2\xDA";
    char* local[] = {khata};
    QVGotoRecord localRecord{nullptr, local, 1};
    frame_->ClearLog();
    result = ShowGoto(localRecord, [&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Go To");
        EXPECT_EQ(robot.Items(dlg, kGotoList).size(), 1u);
        robot.Click(dlg, IDOK);
    });
    EXPECT_EQ(result, 1);
    const auto jumps = frame_->Log(WM_QV_GOTO);
    ASSERT_EQ(jumps.size(), 1u);
    EXPECT_EQ(jumps[0].text, khata);
}

TEST_F(SmallDialogs, ZoomPresetsCustomValuesAndBounds) {
    auto zoomExport = Export<QVShowViewZoomFn>("QVShowViewZoom");
    int16_t zoom = 75;
    auto outcome = RunModal([&] { return zoomExport(&zoom, 120); },
                            [&](Robot& robot) {
                                HWND dlg = robot.WaitForWindow("Zoom");
                                EXPECT_TRUE(robot.IsChecked(dlg, kZoom75));
                                EXPECT_EQ(robot.Text(dlg, kZoomEdit), "75");
                                EXPECT_FALSE(robot.IsVisible(dlg, 1005));
                                robot.Click(dlg, kZoomFit);
                                EXPECT_EQ(robot.Text(dlg, kZoomEdit), "120");
                                for (const char* refused : {"49", "401", "abc"}) {
                                    robot.SetText(dlg, kZoomEdit, refused);
                                    robot.Click(dlg, kZoomOK);
                                    auto box = robot.ExpectMessageBox();
                                    ASSERT_TRUE(box.exists) << refused;
                                    EXPECT_EQ(box.text, Message(1197));
                                    robot.AnswerMessageBox(1);
                                    EXPECT_EQ(robot.FocusedId(), kZoomEdit);
                                }
                                robot.SetText(dlg, kZoomEdit, "400");
                                robot.Click(dlg, kZoomOK);
                            });
    EXPECT_SCRIPT_OK(outcome);
    EXPECT_EQ(outcome.result, 1);
    EXPECT_EQ(zoom, 400);

    zoom = 120;
    outcome = RunModal([&] { return zoomExport(&zoom, 0); },
                       [&](Robot& robot) {
                           HWND dlg = robot.WaitForWindow("Zoom");
                           EXPECT_TRUE(robot.IsChecked(dlg, kZoomCustom));
                           EXPECT_EQ(robot.Text(dlg, kZoomEdit), "120");
                           // Fit selection with a fit value of 0 shows 0, which OK refuses.
                           robot.Click(dlg, kZoomFit);
                           EXPECT_EQ(robot.Text(dlg, kZoomEdit), "0");
                           robot.Click(dlg, kZoomOK);
                           ASSERT_TRUE(robot.ExpectMessageBox().exists);
                           robot.AnswerMessageBox(1);
                           robot.SetText(dlg, kZoomEdit, "50");
                           robot.Click(dlg, kZoomOK);
                       });
    EXPECT_SCRIPT_OK(outcome);
    EXPECT_EQ(zoom, 50);

    // Cancel leaves the zoom as it was.
    zoom = 200;
    outcome = RunModal([&] { return zoomExport(&zoom, 0); },
                       [&](Robot& robot) {
                           HWND dlg = robot.WaitForWindow("Zoom");
                           robot.SetText(dlg, kZoomEdit, "300");
                           robot.Cancel(dlg);
                       });
    EXPECT_SCRIPT_OK(outcome);
    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(zoom, 200);
}

TEST_F(SmallDialogs, RowHeightChecksTheNumberAndTheRange) {
    auto sizeExport = Export<QVShowFormatHtWdFn>("QVShowFormatHtWd");
    double size = 12.75;
    auto outcome = RunModal([&] { return sizeExport(&size, 1); },
                            [&](Robot& robot) {
                                HWND dlg = robot.WaitForWindow("Row Height");
                                EXPECT_EQ(robot.Text(dlg, kSizeEdit), "12.75");
                                EXPECT_EQ(robot.Text(dlg, kSizeLabel), DialogString(1378));
                                const struct {
                                    const char* text;
                                    UINT message;
                                } refusals[] = {{"409.5", 1181}, {"-1", 1181}, {"1.2.3", 1189},
                                                {"+", 1189},     {"", 1189},   {"12a", 1189}};
                                for (const auto& refusal : refusals) {
                                    robot.SetText(dlg, kSizeEdit, refusal.text);
                                    robot.Click(dlg, IDOK);
                                    auto box = robot.ExpectMessageBox();
                                    ASSERT_TRUE(box.exists) << refusal.text;
                                    EXPECT_EQ(box.text, Message(refusal.message)) << refusal.text;
                                    robot.AnswerMessageBox(1);
                                }
                                robot.SetText(dlg, kSizeEdit, " 1 2 ");
                                robot.Click(dlg, IDOK);
                            });
    EXPECT_SCRIPT_OK(outcome);
    EXPECT_EQ(outcome.result, 1);
    EXPECT_EQ(size, 12.0);

    for (const char* edge : {"409", "0"}) {
        outcome = RunModal([&] { return sizeExport(&size, 1); },
                           [&](Robot& robot) {
                               HWND dlg = robot.WaitForWindow("Row Height");
                               robot.SetText(dlg, kSizeEdit, edge);
                               robot.Click(dlg, IDOK);
                           });
        EXPECT_SCRIPT_OK(outcome);
        EXPECT_EQ(outcome.result, 1) << edge;
    }
}

TEST_F(SmallDialogs, ColumnWidthModesHaveTheirOwnCaptionAndRange) {
    auto sizeExport = Export<QVShowFormatHtWdFn>("QVShowFormatHtWd");
    double size = 8.43;
    auto outcome = RunModal([&] { return sizeExport(&size, 2); },
                            [&](Robot& robot) {
                                HWND dlg = robot.WaitForWindow("Column Width");
                                EXPECT_EQ(robot.Text(dlg, kSizeEdit), "8.43");
                                robot.SetText(dlg, kSizeEdit, "256");
                                robot.Click(dlg, IDOK);
                                auto box = robot.ExpectMessageBox();
                                ASSERT_TRUE(box.exists);
                                EXPECT_EQ(box.text, Message(1182));
                                robot.AnswerMessageBox(1);
                                robot.SetText(dlg, kSizeEdit, "255");
                                robot.Click(dlg, IDOK);
                            });
    EXPECT_SCRIPT_OK(outcome);
    EXPECT_EQ(size, 255.0);

    outcome = RunModal([&] { return sizeExport(&size, 3); },
                       [&](Robot& robot) {
                           HWND dlg = robot.WaitForWindow("Standard Column Width");
                           robot.SetText(dlg, kSizeEdit, "1000");
                           robot.Click(dlg, IDOK);
                       });
    EXPECT_SCRIPT_OK(outcome);
    EXPECT_EQ(outcome.result, 1);
    EXPECT_EQ(size, 1000.0);

    // An unknown mode shows nothing and leaves the size alone.
    EXPECT_EQ(sizeExport(&size, 4), 0);
    EXPECT_EQ(size, 1000.0);
}

TEST_F(SmallDialogs, InsertAndDeleteKeepTheModeBitsAndSetTheChosenMove) {
    auto insdel = Export<QVShowInsertDelCellsFn>("QVShowInsertDelCells");
    uint8_t flags = 6; // insert, shift right
    auto outcome = RunModal([&] { return insdel(&flags); },
                            [&](Robot& robot) {
                                HWND dlg = robot.WaitForWindow("Insert");
                                EXPECT_TRUE(robot.IsChecked(dlg, kShiftRight));
                                EXPECT_EQ(robot.Text(dlg, kShiftRight), DialogString(1118));
                                robot.Click(dlg, kEntireRow);
                                robot.Click(dlg, kInsDelOK);
                            });
    EXPECT_SCRIPT_OK(outcome);
    EXPECT_EQ(outcome.result, 1);
    EXPECT_EQ(flags, 18);

    flags = 17; // delete, entire row
    outcome = RunModal([&] { return insdel(&flags); },
                       [&](Robot& robot) {
                           HWND dlg = robot.WaitForWindow("Delete");
                           EXPECT_EQ(robot.Text(dlg, kShiftDown), DialogString(1237));
                           robot.Click(dlg, kShiftDown);
                           robot.Click(dlg, kInsDelOK);
                       });
    EXPECT_SCRIPT_OK(outcome);
    EXPECT_EQ(flags, 25);

    flags = 10; // insert, shift down; cancelled
    outcome = RunModal([&] { return insdel(&flags); },
                       [&](Robot& robot) {
                           HWND dlg = robot.WaitForWindow("Insert");
                           EXPECT_TRUE(robot.IsChecked(dlg, kShiftDown));
                           robot.Click(dlg, kEntireRow);
                           robot.Click(dlg, 1012);
                       });
    EXPECT_SCRIPT_OK(outcome);
    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(flags, 10);
}

TEST_F(SmallDialogs, MissingLocalStringsWarnOnceAndKeepTheEnglishTemplate) {
    qvhost::ScratchAppFolder scratch(appFolder_, {"QVSSDSL.dll"});
    ASSERT_TRUE(scratch.ok());
    LoadFrom(scratch.path());
    qvhost::SetMenuLanguage(2);
    QVGotoRecord record{nullptr, nullptr, 0};
    int boxes = 0;
    int32_t result = ShowGoto(record, [&](Robot& robot) {
        auto box = robot.ExpectMessageBox();
        ASSERT_TRUE(box.exists);
        EXPECT_EQ(box.text, Message(1180, 2));
        ++boxes;
        robot.AnswerMessageBox(1);
        HWND dlg = robot.WaitForWindow("Go To");
        EXPECT_TRUE(robot.NoMessageBoxWithin(300));
        EXPECT_EQ(robot.Text(dlg, kGotoListLabel), "&Go to:");
        robot.SetText(dlg, kGotoRef, "C3");
        robot.Click(dlg, IDOK);
    });
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(result, 1);
    library_.reset();
}

} // namespace

namespace {

TEST_F(SmallDialogs, TheLibraryUnloadsAfterADialogHasRun) {
    auto insdel = Export<QVShowInsertDelCellsFn>("QVShowInsertDelCells");
    uint8_t flags = 2;
    auto outcome = RunModal([&] { return insdel(&flags); },
                            [&](Robot& robot) { robot.Cancel(robot.WaitForWindow("Insert")); });
    EXPECT_SCRIPT_OK(outcome);
    library_.reset();
    // Nothing the dialog left behind (thread data, settings) keeps the library loaded.
    EXPECT_EQ(GetModuleHandleA("QVSSD.dll"), nullptr);
}

} // namespace

namespace {

TEST_F(SmallDialogs, MissingSiblingLibrariesLeaveTheDialogsWorking) {
    auto zoomIn = [&](const std::string& folder, const std::function<void(Robot&)>& script) {
        LoadFrom(folder);
        auto zoomExport = Export<QVShowViewZoomFn>("QVShowViewZoom");
        int16_t zoom = 100;
        auto outcome = RunModal([&] { return zoomExport(&zoom, 0); }, script);
        EXPECT_SCRIPT_OK(outcome);
        library_.reset();
        return zoom;
    };

    // Without the message-box library every box is silent: the refused zoom
    // keeps the dialog open without a word, and a valid one still closes it.
    {
        qvhost::ScratchAppFolder scratch(appFolder_, {"QVMessageBox.dll"});
        ASSERT_TRUE(scratch.ok());
        int16_t zoom = zoomIn(scratch.path(), [&](Robot& robot) {
            HWND dlg = robot.WaitForWindow("Zoom");
            robot.SetText(dlg, kZoomEdit, "20");
            robot.Click(dlg, kZoomOK);
            EXPECT_TRUE(robot.NoMessageBoxWithin(300));
            EXPECT_TRUE(IsWindowVisible(dlg));
            robot.SetText(dlg, kZoomEdit, "150");
            robot.Click(dlg, kZoomOK);
        });
        EXPECT_EQ(zoom, 150);
    }

    // Without the common services library the string libraries cannot be
    // found: one warning, then the English template texts.
    {
        qvhost::ScratchAppFolder scratch(appFolder_, {"QVComLib.dll"});
        ASSERT_TRUE(scratch.ok());
        int16_t zoom = zoomIn(scratch.path(), [&](Robot& robot) {
            auto box = robot.ExpectMessageBox();
            ASSERT_TRUE(box.exists);
            robot.AnswerMessageBox(1);
            HWND dlg = robot.WaitForWindow("Zoom");
            EXPECT_EQ(robot.Text(dlg, kZoomCustom), "&Custom:");
            robot.SetText(dlg, kZoomEdit, "75");
            robot.Click(dlg, kZoomOK);
        });
        EXPECT_EQ(zoom, 75);
    }
}

} // namespace
