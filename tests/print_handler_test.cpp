// The print handler's CUPS default with no print server reachable, and the
// imaging start-up counter.
#include <gtest/gtest.h>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <filesystem>
#include <iterator>
#include <utility>

#include "io_test_support.h"
#include "tesk/imaging_capture.h"

namespace {

// A local port nothing listens on: bound a moment ago, then closed.
int ClosedPort() {
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t n = sizeof a;
    if (bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || getsockname(s, reinterpret_cast<sockaddr*>(&a), &n) != 0)
        ADD_FAILURE() << "no local port";
    close(s);
    return ntohs(a.sin_port);
}

TEST(PrintHandler, CupsDefaultAnswersCancelledWithoutAServerAndLeavesNoFiles) {
    TempDir home, tmp;
    const std::string server = "127.0.0.1:" + std::to_string(ClosedPort());
    setenv("CUPS_SERVER", server.c_str(), 1);  // never a real printer
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

    TeskUtility::SetPrintHandler({});
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
