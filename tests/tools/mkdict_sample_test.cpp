// The bundled sample database builds, and what it holds is exactly the
// golden listing tests/tools/golden/shop.dump: every dictionary record, then
// each data file's Stat result (record counts and unique key counts).
// MKDICT_UPDATE_GOLDEN=1 rewrites the listing from the build instead.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "file_dump.h"
#include "run_process.h"
#include "temp_dir.h"

namespace mkdicttest {
namespace {

using testsupport::TempDir;
namespace fs = std::filesystem;

TEST(Sample, BuildsTheGoldenDatabase) {
  TempDir dir;
  auto run = testsupport::RunProcess(
      {MKDICT_BIN, std::string(PROJECT_SOURCE_DIR) + "/sample/shop.ddl", "-o", dir / "shop"});
  ASSERT_EQ(run.err, "");
  ASSERT_EQ(run.exitCode, 0);
  std::string listing = DumpDictionary(dir / "shop");
  for (const char* file : {"data/CUSTOMER.DAT", "data/PRODUCT.DAT", "data/ORDER.DAT",
                           "data/ITEMS.DAT"}) {
    listing += std::string("\n") + file + "\n" + DumpDataFile(dir / "shop/" + file);
  }
  EXPECT_FALSE(fs::exists(dir / "shop/archive")) << "Order^Archive has no data file";

  const std::string golden = std::string(TEST_SOURCE_DIR) + "/tools/golden/shop.dump";
  if (std::getenv("MKDICT_UPDATE_GOLDEN") != nullptr) testsupport::WriteFile(golden, listing);
  EXPECT_EQ(listing, testsupport::ReadFile(golden));
}

}  // namespace
}  // namespace mkdicttest
