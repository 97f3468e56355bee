// The bundled sample database builds, and what it holds is exactly the
// golden listing tests/mkdict/golden/shop.dump: every dictionary record, then
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
  for (const char* file : {"data/CUSTOMER.DAT", "data/PRODUCT.DAT", "data/ORDER.DAT", "data/ITEMS.DAT"}) {
    listing += std::string("\n") + file + "\n" + DumpDataFile(dir / "shop/" + file);
  }
  EXPECT_FALSE(fs::exists(dir / "shop/archive")) << "Order^Archive has no data file";

  const std::string golden = std::string(TEST_SOURCE_DIR) + "/mkdict/golden/shop.dump";
  if (std::getenv("MKDICT_UPDATE_GOLDEN") != nullptr) testsupport::WriteFile(golden, listing);
  EXPECT_EQ(listing, testsupport::ReadFile(golden));
}

// The example in docs/mkdict.md stores what the text under it says.
TEST(Sample, DocumentedExample) {
  std::string doc = testsupport::ReadFile(std::string(PROJECT_SOURCE_DIR) + "/docs/mkdict.md");
  size_t start = doc.find("```sql\n");
  ASSERT_NE(start, std::string::npos);
  start += 7;
  std::string example = doc.substr(start, doc.find("```", start) - start);
  TempDir dir;
  testsupport::WriteFile(dir / "shop.ddl", example);
  auto run = testsupport::RunProcess({MKDICT_BIN, dir / "shop.ddl", "-o", dir / "out"});
  ASSERT_EQ(run.err, "");
  EXPECT_EQ(DumpDictionary(dir / "out", "Shop keeper"),
            "file id=1 name=\"Customers\" location=\"data/CUSTOMER.DAT\" flags=0x00000000\n"
            "field id=1 table=1 type=1 offset=0 size=4 dec=0 flags=0x00000000 name=\"Id\"\n"
            "field id=2 table=1 type=0 offset=4 size=40 dec=0 flags=0x00000001 name=\"Name\"\n"
            "field id=3 table=1 type=5 offset=44 size=8 dec=2 flags=0x00000004 name=\"Balance\"\n"
            "field id=4 table=1 type=21 offset=52 size=10 dec=0 flags=0x00001000 name=\"Photo\"\n"
            "field id=5 table=1 type=255 offset=0 size=0 dec=0 flags=0x00000000 "
            "name=\"Customer Key\"\n"
            "field id=6 table=1 type=255 offset=1 size=0 dec=0 flags=0x00000000 name=\"ByName\"\n"
            "index table=1 field=1 number=0 segment=0 flags=0x00000000\n"
            "index table=1 field=2 number=1 segment=0 flags=0x00000063\n"
            "index table=1 field=1 number=1 segment=1 flags=0x00000003\n");
  EXPECT_EQ(DumpDataFile(dir / "out/data/CUSTOMER.DAT"),
            "stat records=2 length=62 pagesize=4096 version=0x00 flags=0x0000 keys=2 unused=0\n"
            "  key 0 pos=1 len=4 flags=0x0100 unique=2\n"
            "  key 1 pos=5 len=40 flags=0x0451 unique=2\n"
            "  key 1 pos=1 len=4 flags=0x0101 unique=2\n");
}

}  // namespace
}  // namespace mkdicttest
