// main() of every Windows-side test executable: GoogleTest in a single-
// threaded apartment, and a screenshot of each visible window of the
// process whenever a test fails.
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include "tests/support/win_test.h"
#include "win32/text.h"

namespace {

class ScreenshotOnFailure : public testing::EmptyTestEventListener {
  void OnTestEnd(const testing::TestInfo& info) override {
    if (!info.result()->Failed()) return;
    const std::string name = std::string(info.test_suite_name()) + "." + info.name();
    quillet::test::SaveScreenshotsOfProcess(L"FAILED-" + quillet::win::Widen(name));
  }
};

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (FAILED(::OleInitialize(nullptr))) return 3;
  testing::UnitTest::GetInstance()->listeners().Append(new ScreenshotOnFailure);
  const int rc = RUN_ALL_TESTS();
  ::OleUninitialize();
  return rc;
}
