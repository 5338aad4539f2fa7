// The exports over NULL and garbage arguments: no crash, no overrun, and the
// cancel result when the user (here the robot) cancels whatever opens.
#include "guarded_memory.h"
#include "qvhost/host.h"
#include "qvrobot/robot.h"
#include "qvssd/exports.h"
#include "qvssd/records.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>

namespace {

class Robustness : public ::testing::Test {
  protected:
    void SetUp() override {
        qvhost::SetMenuLanguage(1);
        frame_ = std::make_unique<qvhost::FrameWindow>();
        library_ = std::make_unique<qvhost::DialogLibrary>(qvhost::AppFolder());
        ASSERT_TRUE(library_->loaded())
            << library_->path() << " could not be loaded, error " << library_->error();
    }
    void TearDown() override {
        library_.reset();
        frame_.reset();
    }

    template <class F> F Export(const char* name) { return library_->Get<F>(name); }

    // Calls the export; whatever dialog or message box it opens is cancelled.
    // Returns the export's result.
    int32_t CallAndCancel(const std::function<int32_t()>& call, const char* what) {
        const auto outcome = qvrobot::RunModal(call, [](qvrobot::Robot& robot) {
            if (robot.FindDialog(3000) != nullptr) {
                EXPECT_TRUE(robot.CloseAllDialogs(5000));
            }
        });
        EXPECT_TRUE(outcome.ok) << what << ": " << outcome.failure;
        return outcome.result;
    }

    std::unique_ptr<qvhost::FrameWindow> frame_;
    std::unique_ptr<qvhost::DialogLibrary> library_;
};

} // namespace

TEST_F(Robustness, GotoSurvivesNullAndGarbageRecords) {
    auto show = Export<QVShowGotoFn>("QVShowGoto");
    if (show == nullptr) {
        GTEST_SKIP() << "QVShowGoto is not exported";
    }
    EXPECT_EQ(CallAndCancel([&] { return show(nullptr); }, "NULL record"), 0);

    QVGotoRecord huge{nullptr, nullptr, std::numeric_limits<int32_t>::max()};
    EXPECT_EQ(CallAndCancel([&] { return show(&huge); }, "huge count, NULL names"), 0);

    char real[] = "Total";
    char* one[] = {real};
    QVGotoRecord negative{nullptr, one, -5};
    EXPECT_EQ(CallAndCancel([&] { return show(&negative); }, "negative count"), 0);

    // Entries that point at junk: bytes of every value, and a text with no end.
    char junk[300];
    for (size_t i = 0; i < sizeof(junk) - 1; ++i) {
        junk[i] = static_cast<char>(1 + i % 255);
    }
    junk[sizeof(junk) - 1] = '\0';
    qvtest::GuardedBlock endless(1 << 20, 'A');
    ASSERT_NE(endless.get(), nullptr);
    char* garbage[] = {junk, endless.text(), nullptr, real};
    QVGotoRecord record{reinterpret_cast<char*>(0x1), garbage, 4};
    EXPECT_EQ(CallAndCancel([&] { return show(&record); }, "garbage names"), 0);
}

TEST_F(Robustness, ZoomSurvivesNullAndOutOfRangeValues) {
    auto show = Export<QVShowViewZoomFn>("QVShowViewZoom");
    if (show == nullptr) {
        GTEST_SKIP() << "QVShowViewZoom is not exported";
    }
    EXPECT_EQ(CallAndCancel([&] { return show(nullptr, 120); }, "NULL zoom"), 0);
    for (int16_t value : {int16_t{-32768}, int16_t{-1}, int16_t{0}, int16_t{32767}}) {
        int16_t zoom = value;
        EXPECT_EQ(CallAndCancel([&] { return show(&zoom, value); }, "odd zoom"), 0) << value;
        EXPECT_EQ(zoom, value) << "a cancelled zoom is left as it was";
    }
}

TEST_F(Robustness, RowHeightSurvivesNullUnknownModesAndExtremeSizes) {
    auto show = Export<QVShowFormatHtWdFn>("QVShowFormatHtWd");
    if (show == nullptr) {
        GTEST_SKIP() << "QVShowFormatHtWd is not exported";
    }
    EXPECT_EQ(CallAndCancel([&] { return show(nullptr, 1); }, "NULL size"), 0);
    for (uint8_t mode : {uint8_t{0}, uint8_t{4}, uint8_t{255}}) {
        double size = 12.75;
        EXPECT_EQ(CallAndCancel([&] { return show(&size, mode); }, "unknown mode"), 0) << +mode;
        EXPECT_EQ(size, 12.75);
    }
    // "%0.2f" of 1e308 is 312 characters long.
    for (double value : {1e308, -1e308, std::numeric_limits<double>::infinity(),
                         std::numeric_limits<double>::quiet_NaN(), -0.0}) {
        double size = value;
        EXPECT_EQ(CallAndCancel([&] { return show(&size, 2); }, "extreme size"), 0) << value;
        EXPECT_TRUE(std::memcmp(&size, &value, sizeof(size)) == 0) << value;
    }
}

TEST_F(Robustness, InsertDeleteCellsSurvivesNullAndEveryFlagByte) {
    auto show = Export<QVShowInsertDelCellsFn>("QVShowInsertDelCells");
    if (show == nullptr) {
        GTEST_SKIP() << "QVShowInsertDelCells is not exported";
    }
    EXPECT_EQ(CallAndCancel([&] { return show(nullptr); }, "NULL flags"), 0);
    for (uint8_t value : {uint8_t{0}, uint8_t{3}, uint8_t{12}, uint8_t{0xC0}, uint8_t{255}}) {
        uint8_t flags = value;
        EXPECT_EQ(CallAndCancel([&] { return show(&flags); }, "odd flags"), 0) << +value;
        EXPECT_EQ(flags, value);
    }
}
