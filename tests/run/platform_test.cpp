#include "run/platform.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "run/faults.h"

namespace orvant {
namespace {

using Names = std::vector<std::string>;

// Each test works in a fresh temporary directory.
class PlatformTest : public ::testing::Test {
 protected:
  std::string root;

  void SetUp() override {
    char tmpl[] = "/tmp/orvant-platform-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    root = tmpl;
  }
  void TearDown() override { std::filesystem::remove_all(root); }

  void Write(const std::string& rel, const std::string& text = "x") {
    std::filesystem::path p = root + "/" + rel;
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << text;
  }
  void MakeDir(const std::string& rel) { std::filesystem::create_directories(root + "/" + rel); }
};

TEST(SettingsStore, NamesIgnoreCaseAndBlanks) {
  SettingsStore s = SettingsStore::Parse(
      "Orphan=1\r\n; comment=1\r\n[ setup ]\r\n  files1 =  /home/eng/data \r"
      "# Files2=x\nFILES1=/second\n[Other]\nFiles2=y\n[SETUP]\nKey3=late\n");
  EXPECT_EQ(s.Get("Setup", "Files1"), "/home/eng/data");  // first key counts
  EXPECT_EQ(s.Get("SETUP", "FILES1"), "/home/eng/data");
  EXPECT_EQ(s.Get("Setup", "Files2"), "");                 // commented out
  EXPECT_EQ(s.Get("other", "files2"), "y");
  EXPECT_EQ(s.Get("Setup", "Key3"), "");                   // only the first [Setup] counts
  EXPECT_EQ(s.Get("Setup", "Orphan"), "");
  EXPECT_EQ(s.Get("Missing", "Files1"), "");
  EXPECT_TRUE(SettingsStore::Load("/nonexistent/settings.ini").sections.empty());
}

TEST(SettingsStore, FilePathFollowsXdgThenHome) {
  const char* oldXdg = std::getenv("XDG_CONFIG_HOME");
  std::string savedXdg = oldXdg ? oldXdg : "";
  const char* oldHome = std::getenv("HOME");
  std::string savedHome = oldHome ? oldHome : "";

  setenv("XDG_CONFIG_HOME", "/cfg", 1);
  setenv("HOME", "/home/eng", 1);
  EXPECT_EQ(SettingsFilePath(), "/cfg/ORVANT/settings.ini");
  setenv("XDG_CONFIG_HOME", "", 1);
  EXPECT_EQ(SettingsFilePath(), "/home/eng/.config/ORVANT/settings.ini");
  unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(SettingsFilePath(), "/home/eng/.config/ORVANT/settings.ini");

  if (oldXdg) setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1);
  if (oldHome) setenv("HOME", savedHome.c_str(), 1); else unsetenv("HOME");
}

TEST(FileSystemPaths, BackslashesAndDrives) {
  FileSystem fs;
  fs.drives['D'] = "/mnt/p";
  fs.drives['E'] = "/mnt/e/";
  EXPECT_EQ(fs.ToLinux("D:\\JOBS\\F"), "/mnt/p/JOBS/F");
  EXPECT_EQ(fs.ToLinux("d:/jobs\\f"), "/mnt/p/jobs/f");
  EXPECT_EQ(fs.ToLinux("E:\\x"), "/mnt/e/x");
  EXPECT_EQ(fs.ToLinux("D:x"), "/mnt/p/x");
  EXPECT_EQ(fs.ToLinux("Q:\\JOBS"), "Q:/JOBS");  // unmapped: kept
  EXPECT_EQ(fs.ToLinux("data\\BATCH.NAM"), "data/BATCH.NAM");
  EXPECT_EQ(fs.ToLinux("\\BATCH.NAM"), "/BATCH.NAM");
}

TEST_F(PlatformTest, FindIgnoresCaseComponentByComponent) {
  Write("DATA/FRAME.XSZ");
  FileSystem fs;
  EXPECT_EQ(fs.Find(root + "/Data/frame.xsz"), root + "/DATA/FRAME.XSZ");
  EXPECT_TRUE(fs.FileExists(root + "\\data\\Frame.Xsz"));
  EXPECT_EQ(fs.Find(root + "//DATA/./../data//frame.xsz/"), std::nullopt);  // a file is not a directory
  EXPECT_EQ(fs.Find(root + "//DATA/./../data//frame.xsz"), root + "/DATA/../DATA/FRAME.XSZ");
  EXPECT_EQ(fs.Find(root + "/data/"), root + "/DATA");
  EXPECT_EQ(fs.Find(root + "/data/frame.xs"), std::nullopt);
  EXPECT_FALSE(fs.FileExists(root + "/nodir/frame.xsz"));
}

TEST_F(PlatformTest, ExactNameFirstThenFirstInByteOrder) {
  Write("abc", "lower");
  Write("ABC", "upper");
  Write("aBc", "mixed");
  Write("x");           // a file named like the directory below
  Write("X/inner");
  FileSystem fs;
  EXPECT_EQ(fs.Find(root + "/abc"), root + "/abc");
  EXPECT_EQ(fs.Find(root + "/Abc"), root + "/ABC");
  EXPECT_EQ(fs.ReadFile(root + "/ABc"), "upper");
  EXPECT_EQ(fs.Find(root + "/x/INNER"), root + "/X/inner");
}

TEST_F(PlatformTest, DrivesFromSettingsAndRelativePaths) {
  Write("Jobs/Beam1.XSZ", "size");
  FileSystem fs;
  SettingsStore s = SettingsStore::Parse("[drives]\nd = " + root + "\n");
  fs.drives['D'] = s.Get("Drives", "D");
  EXPECT_TRUE(fs.FileExists("d:\\JOBS\\BEAM1.xsz"));
  EXPECT_EQ(fs.ReadFile("D:\\jobs\\beam1.XSZ"), "size");
  EXPECT_FALSE(fs.FileExists("Q:\\JOBS\\BEAM1.XSZ"));

  std::string saved = std::filesystem::current_path();
  ASSERT_EQ(chdir(root.c_str()), 0);
  FileSystem here;  // the working directory's listing is kept per run
  EXPECT_EQ(here.Find("jobs\\beam1.xsz"), "Jobs/Beam1.XSZ");
  EXPECT_EQ(here.Find("./JOBS/../jobs/beam1.xsz"), "Jobs/../Jobs/Beam1.XSZ");
  EXPECT_EQ(here.Search("JOBS\\*.x?z"), Names{"Beam1.XSZ"});
  EXPECT_EQ(here.PathForCreate("jobs\\BEAM1.MTM"), "Jobs/BEAM1.MTM");
  ASSERT_EQ(chdir(saved.c_str()), 0);
}

TEST_F(PlatformTest, OnlyRegularFilesExist) {
  Write("real.txt", "data");
  MakeDir("Sub.DIR");
  ASSERT_EQ(symlink((root + "/real.txt").c_str(), (root + "/link.txt").c_str()), 0);
  ASSERT_EQ(symlink((root + "/gone").c_str(), (root + "/dangling").c_str()), 0);
  FileSystem fs;
  EXPECT_FALSE(fs.FileExists(root + "/sub.dir"));
  EXPECT_TRUE(fs.FileExists(root + "/LINK.TXT"));
  EXPECT_EQ(fs.ReadFile(root + "/link.txt"), "data");
  EXPECT_FALSE(fs.FileExists(root + "/dangling"));
  EXPECT_THROW(fs.ReadFile(root + "/sub.dir"), RunFault);
  try {
    fs.ReadFile(root + "\\missing.nam");
    FAIL() << "missing file read";
  } catch (const RunFault& f) {
    EXPECT_EQ(std::string(f.what()), "cannot open " + root + "/missing.nam");
  }
}

TEST_F(PlatformTest, ReadFileIsByteExact) {
  std::string bytes("a\r\nb\0c\xff\n", 8);
  Write("bin.dat", bytes);
  FileSystem fs;
  EXPECT_EQ(fs.ReadFile(root + "/BIN.DAT"), bytes);
}

TEST_F(PlatformTest, SearchMatchesWithoutCaseInByteOrder) {
  for (const char* n : {"frame.wav2", "FRAME.WAV10", "Frame.Wavx", "FRAME.WAV1", "FRAME.WA", "other.wav1"})
    Write(std::string("Model/") + n);
  MakeDir("Model/FRAME.WAVDIR");
  FileSystem fs;
  EXPECT_EQ(fs.Search(root + "/model/FRAME.WAV*"), (Names{"FRAME.WAV1", "FRAME.WAV10", "Frame.Wavx", "frame.wav2"}));
  EXPECT_EQ(fs.Search(root + "\\MODEL\\frame.wav?"), (Names{"FRAME.WAV1", "Frame.Wavx", "frame.wav2"}));
  EXPECT_EQ(fs.Search(root + "/model/*.*1*"), (Names{"FRAME.WAV1", "FRAME.WAV10", "other.wav1"}));
  EXPECT_EQ(fs.Search(root + "/nowhere/*"), Names{});
}

TEST_F(PlatformTest, CreateReusesOtherCaseAndNotesNewFiles) {
  Write("Jobs/BEAM1.mtm");
  FileSystem fs;
  EXPECT_EQ(fs.PathForCreate(root + "\\Jobs\\beam1.MTM"), root + "/Jobs/BEAM1.mtm");
  EXPECT_EQ(fs.PathForCreate(root + "/Jobs/BEAM1.mtm"), root + "/Jobs/BEAM1.mtm");
  EXPECT_EQ(fs.PathForCreate(root + "/Jobs/beam2.MTM"), root + "/Jobs/beam2.MTM");
  EXPECT_EQ(fs.PathForCreate(root + "/JOBS/beam2.MTM"), root + "/Jobs/beam2.MTM");

  // A created file is known without listing the directory again.
  EXPECT_FALSE(fs.FileExists(root + "/Jobs/BEAM1.CMT"));
  size_t reads = fs.directoryReads;
  std::string created = fs.PathForCreate(root + "/Jobs/BEAM1.CMT");
  Write("Jobs/BEAM1.CMT");
  fs.NoteCreated(created);
  EXPECT_TRUE(fs.FileExists(root + "/jobs/beam1.cmt"));
  EXPECT_TRUE(fs.FileExists(root + "/jobs/beam1.MTM"));
  EXPECT_EQ(fs.Search(root + "/Jobs/*"), (Names{"BEAM1.CMT", "BEAM1.mtm"}));
  EXPECT_EQ(fs.directoryReads, reads);
}

TEST_F(PlatformTest, ExistenceTestsListEachDirectoryOnce) {
  for (int i = 0; i < 200; i += 4) Write("Model/FRAME.L" + std::to_string(i));
  FileSystem fs;
  fs.FileExists(root + "/Model/FRAME.L0");
  size_t reads = fs.directoryReads;
  int found = 0;
  for (int i = 0; i < 10000; ++i) found += fs.FileExists(root + "/MODEL/frame.l" + std::to_string(i));
  EXPECT_EQ(found, 50);
  EXPECT_EQ(fs.directoryReads, reads);
}

TEST(ProgressAndMessages, StandardErrorOutput) {
  ::testing::internal::CaptureStderr();
  ProgressLine progress;
  progress.Show();  // standard error is a file here, not a terminal
  progress.Clear();
  ShowMessage("Load label too high");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "orvant-in: Load label too high\n");
  EXPECT_FALSE(progress.shown);
}

// Splits "12/05/2024" at sep into numbers, each of the given digit count.
std::vector<int> Fields(const std::string& text, char sep, std::vector<size_t> widths) {
  std::vector<int> out;
  size_t at = 0;
  for (size_t w : widths) {
    if (at + w > text.size()) return {};
    for (size_t i = at; i < at + w; ++i)
      if (text[i] < '0' || text[i] > '9') return {};
    out.push_back(std::stoi(text.substr(at, w)));
    at += w;
    if (at < text.size() && text[at++] != sep) return {};
  }
  return at == text.size() ? out : std::vector<int>{};
}

TEST(ProgressAndMessages, DateAndTimeForms) {
  std::vector<int> d = Fields(CurrentDate(), '/', {2, 2, 4});
  ASSERT_EQ(d.size(), 3u) << CurrentDate();
  EXPECT_TRUE(d[0] >= 1 && d[0] <= 31 && d[1] >= 1 && d[1] <= 12 && d[2] >= 2000);
  std::vector<int> t = Fields(CurrentTime(), ':', {2, 2, 2});
  ASSERT_EQ(t.size(), 3u) << CurrentTime();
  EXPECT_TRUE(t[0] <= 23 && t[1] <= 59 && t[2] <= 60);
}

}  // namespace
}  // namespace orvant
