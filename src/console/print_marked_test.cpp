#include "console/print_marked.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "console/recording_console_test.h"

namespace bramble {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

class PrintMarkedTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("bramble-print-" +
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path dir_;
  RecordingConsole console_;
};

TEST_F(PrintMarkedTest, AppendsPlainTextWithCrLfToTheTranscript) {
  fs::path file = dir_ / "duel.txt";
  {
    std::ofstream existing(file, std::ios::binary);
    existing << "earlier\r\n";
  }
  Screen screen(console_, file.string());
  screen.PrintMarked("<12>abc<14>def", true);
  screen.PrintMarked("<3>x<15>\a    ", false);  // no line end: the next print runs on
  screen.PrintMarked("y\nz", true);
  screen.ShowOnly("<3>shown<15>\n");  // never saved
  screen.WriteBare("\n");
  EXPECT_EQ(ReadFile(file), "earlier\r\nabcdef\r\nx\a    y\r\nz\r\n");
  EXPECT_EQ(console_.marked, "{12}abc{14}def\n{7}{3}x{15}\a    {7}{7}y\nz\n{7}{3}shown{15}\n{7}\n");
  EXPECT_EQ(screen.saving(), TranscriptResult::kSaved);
}

TEST_F(PrintMarkedTest, SavingIsOffWithoutAPath) {
  Screen(console_).PrintMarked("<12>abc", true);
  EXPECT_TRUE(fs::is_empty(dir_));
  EXPECT_EQ(console_.text, "abc\n");
}

TEST_F(PrintMarkedTest, AFileThatCannotBeCreatedIsReportedOnceAndSavingStops) {
  Screen screen(console_, dir_.string());  // a directory
  screen.PrintMarked(kFrameLine, true);
  screen.PrintMarked("<12>next", true);
  EXPECT_EQ(screen.saving(), TranscriptResult::kOpenFailed);
  std::string frame = "*-----------------------------------------------*";
  EXPECT_EQ(console_.text, frame + "\n战况文件“" + dir_.string() +
                               "”创建失败，战况保存功能已禁用。\n" + frame + "\n\n\n" + frame +
                               "\n" + "next\n");
  EXPECT_NE(console_.marked.find("{12}战况文件“{13}" + dir_.string() + "{12}”创建失败"),
            std::string::npos);
}

TEST_F(PrintMarkedTest, AWriteErrorIsReportedLikeAFailedOpen) {
  if (!fs::exists("/dev/full"))
    GTEST_SKIP() << "no /dev/full here";
  Screen screen(console_, "/dev/full");
  screen.PrintMarked("lost", true);
  screen.PrintMarked("console only", true);
  EXPECT_EQ(screen.saving(), TranscriptResult::kWriteFailed);
  EXPECT_NE(console_.text.find("lost\n战况文件“/dev/full”写入失败，战况保存功能已禁用。\n"),
            std::string::npos);
  EXPECT_EQ(console_.text.find("写入失败", console_.text.find("console only")), std::string::npos);
}

}  // namespace
}  // namespace bramble
