// The print handler's CUPS default with no print server reachable, and the
// imaging start-up counter.
#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <utility>

#include "io_test_support.h"
#include "tesk/imaging_capture.h"

namespace {

TEST(PrintHandler, CupsDefaultAnswersCancelledWithoutAServerAndLeavesNoFiles) {
    TempDir home, tmp;
    setenv("CUPS_SERVER", home.File("no-server.sock").c_str(), 1);  // a socket nothing listens on
    setenv("HOME", home.File("").c_str(), 1);  // no lpoptions default
    setenv("TMPDIR", tmp.File("").c_str(), 1);
    unsetenv("PRINTER");
    unsetenv("LPDEST");

    TeskUtility::SetPrintHandler({});
    const TeskUtility::SPrintHandler handler = TeskUtility::GetPrintHandler();
    TeskUtility::SPrintSetup setup;
    EXPECT_EQ(handler.choosePrinter(setup), TeskUtility::IDCANCEL);
    EXPECT_TRUE(setup.printer.empty());

    CImage page;
    ASSERT_TRUE(page.Create(8, 8, 32));
    setup.printer = "nowhere";
    EXPECT_FALSE(handler.printPage(setup, "doc", page));
    EXPECT_TRUE(std::filesystem::is_empty(tmp.File(""))) << "the page file is removed";
    unsetenv("TMPDIR");
}

TEST(ImagingStartUp, CountsStartsAndRefusesAnUnmatchedFinalize) {
    ASSERT_EQ(GdiplusInitedCount(), 0);
    // Calls in order with their answers.
    const std::pair<int (*)(), int> steps[] = {
        {GdiplusFinalize, 0}, {GdiplusInitialize, 1}, {GdiplusInitialize, 1}, {GdiplusInitedCount, 2},
        {GdiplusFinalize, 1}, {GdiplusFinalize, 1},   {GdiplusInitedCount, 0}, {GdiplusFinalize, 0}};
    for (std::size_t i = 0; i < std::size(steps); ++i)
        EXPECT_EQ(steps[i].first(), steps[i].second) << "step " << i;
}

}  // namespace
