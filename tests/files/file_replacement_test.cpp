// Replacing files under real write failures of the kernel: a file size
// limit, a full tmpfs, a directory the user may not write.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "files/file_replacement.h"
#include "files/in_place_rewrite.h"
#include "support/write_faults.h"

namespace velunor {
namespace {

using test::ContentOf;
using test::EntriesOf;
using test::MakeFile;
using test::ModeOf;
using Perms = std::filesystem::perms;

const std::string kOld = "old notes\r\nkeyword one\r\n";

enum class Fault { kSizeLimit, kFullDisk, kReadOnlyDirectory };

// A directory holding "letter" (kOld, mode 0640), where writing a second
// copy of a larger content fails the way the fault says.
struct FaultyPlace {
  std::optional<test::TemporaryDirectory> directory;
  std::optional<test::SmallFileSystem> smallDisk;
  std::optional<test::FileSizeLimit> limit;
  std::optional<test::ActingAsNobody> nobody;
  std::string dir;

  // False (with a message) where the fault cannot be made here.
  bool Make(Fault fault, std::string& why) {
    if (fault == Fault::kFullDisk) {
      smallDisk.emplace();
      if (!smallDisk->Mounted()) return why = smallDisk->Reason(), false;
      dir = smallDisk->Path();
    } else {
      directory.emplace();
      dir = directory->Path();
    }
    MakeFile(Letter(), kOld, fault == Fault::kReadOnlyDirectory ? 0666 : 0640);
    if (fault == Fault::kFullDisk) smallDisk->Fill();
    if (fault == Fault::kSizeLimit) limit.emplace(kOld.size() + 100);
    if (fault == Fault::kReadOnlyDirectory) {
      ::chmod(dir.c_str(), 0555);
      nobody.emplace();
      if (!nobody->Acting()) return why = "cannot act as user nobody", false;
    }
    return true;
  }
  std::string Letter() const { return dir + "/letter"; }
  // The entries besides the letter (and the filler of a full disk).
  std::vector<std::string> Leftovers() const {
    std::vector<std::string> names = EntriesOf(dir);
    std::erase(names, "letter");
    std::erase(names, "filler");
    return names;
  }
};

struct FailureCase {
  const char* name;
  Fault fault;
  int error;
  TReplacementStep step;
};

class ReplacementFailure : public testing::TestWithParam<FailureCase> {};

TEST_P(ReplacementFailure, LeavesTheOldFileAndNoTemporaryFile) {
  const FailureCase& c = GetParam();
  FaultyPlace place;
  std::string why;
  if (!place.Make(c.fault, why)) GTEST_SKIP() << why;
  const std::string content(64 * 1024, 'n');
  try {
    ReplaceFileAtomically(place.Letter(), content);
    ADD_FAILURE() << "the replacement reported success";
  } catch (const EFileReplacement& failure) {
    EXPECT_EQ(failure.Error(), c.error) << failure.what();
    EXPECT_EQ(failure.Step(), c.step);
    EXPECT_EQ(failure.Path(), place.Letter());
  }
  place.nobody.reset();
  place.limit.reset();
  EXPECT_EQ(ContentOf(place.Letter()), kOld);
  EXPECT_EQ(place.Leftovers(), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ReplacementFailure,
    testing::Values(FailureCase{"SizeLimit", Fault::kSizeLimit, EFBIG, TReplacementStep::kWrite},
                    FailureCase{"FullDisk", Fault::kFullDisk, ENOSPC, TReplacementStep::kWrite},
                    FailureCase{"ReadOnlyDirectory", Fault::kReadOnlyDirectory, EACCES,
                                TReplacementStep::kCreate}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(FileReplacement, NewFilesTakeTheGivenModeAndOldFilesKeepTheirs) {
  struct Case {
    int oldMode;  // -1: no file yet
    Perms newFileMode;
    int expected;
  };
  const Case cases[] = {
      {-1, TFileReplacement::kPrivateNewFileMode, 0600},
      {-1, TFileReplacement::kOrdinaryNewFileMode, 0644},  // umask 022
      {0640, TFileReplacement::kPrivateNewFileMode, 0640},
      {0604, TFileReplacement::kPrivateNewFileMode, 0604},
      {0666, TFileReplacement::kPrivateNewFileMode, 0666},
  };
  const mode_t oldMask = ::umask(022);
  for (const Case& c : cases) {
    test::TemporaryDirectory directory;
    const std::string path = directory.File("notes.msg");
    if (c.oldMode >= 0) MakeFile(path, kOld, static_cast<mode_t>(c.oldMode));
    ReplaceFileAtomically(path, "new", c.newFileMode);
    EXPECT_EQ(ModeOf(path), c.expected) << "old mode " << c.oldMode;
    EXPECT_EQ(ContentOf(path), "new");
    EXPECT_EQ(EntriesOf(directory.Path()), std::vector<std::string>{"notes.msg"});
  }
  ::umask(oldMask);
}

TEST(FileReplacement, TargetsThatCannotBeReplacedAreWrittenThrough) {
  test::TemporaryDirectory directory;
  // A link: the file it names gets the content, the link stays.
  MakeFile(directory.File("real"), kOld, 0600);
  ASSERT_EQ(::symlink("real", directory.File("link").c_str()), 0);
  ReplaceFileAtomically(directory.File("link"), "through the link");
  EXPECT_EQ(ContentOf(directory.File("real")), "through the link");
  struct stat info {};
  ASSERT_EQ(::lstat(directory.File("link").c_str(), &info), 0);
  EXPECT_TRUE(S_ISLNK(info.st_mode));
  // A pipe stays a pipe.
  ASSERT_EQ(::mkfifo(directory.File("pipe").c_str(), 0600), 0);
  const int reader = ::open(directory.File("pipe").c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  ReplaceFileAtomically(directory.File("pipe"), "into the pipe");
  char buffer[64] = {};
  EXPECT_EQ(::read(reader, buffer, sizeof buffer), 13);
  EXPECT_STREQ(buffer, "into the pipe");
  ::close(reader);
  ASSERT_EQ(::stat(directory.File("pipe").c_str(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));
  // A directory is refused.
  EXPECT_THROW(ReplaceFileAtomically(directory.Path(), "x"), EFileReplacement);
}

TEST(FileReplacement, AnUncommittedReplacementIsDiscarded) {
  test::TemporaryDirectory directory;
  MakeFile(directory.File("letter"), kOld, 0600);
  {
    TFileReplacement replacement(directory.File("letter"));
    replacement.Write("half a letter");
  }
  EXPECT_EQ(ContentOf(directory.File("letter")), kOld);
  EXPECT_EQ(EntriesOf(directory.Path()), std::vector<std::string>{"letter"});
}

// Where the directory cannot take a second copy, the file is rewritten in
// place, but only when the whole content fits.
TEST(FileContentReplacement, FallsBackToRewritingInPlace) {
  struct Case {
    Fault fault;
    std::size_t oldSize;
    std::size_t newSize;
    int error;  // 0: replaced
  };
  const Case cases[] = {
      {Fault::kReadOnlyDirectory, 100, 5000, 0},   {Fault::kReadOnlyDirectory, 5000, 100, 0},
      {Fault::kFullDisk, 32 * 1024, 24 * 1024, 0}, {Fault::kFullDisk, 32 * 1024, 40 * 1024, ENOSPC},
      {Fault::kSizeLimit, 100, 5000, EFBIG},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "fault " << static_cast<int>(c.fault) << ", " << c.oldSize
                                    << " -> " << c.newSize);
    const std::string old(c.oldSize, 'o');
    const std::string content(c.newSize, 'n');
    FaultyPlace place;
    std::string why;
    if (c.fault == Fault::kFullDisk) {
      // The letter takes its room before the disk fills up.
      place.smallDisk.emplace();
      if (!place.smallDisk->Mounted()) {
        std::printf("skipped: %s\n", place.smallDisk->Reason().c_str());
        continue;
      }
      place.dir = place.smallDisk->Path();
      MakeFile(place.Letter(), old, 0640);
      place.smallDisk->Fill();
    } else {
      ASSERT_TRUE(place.Make(c.fault, why)) << why;
      place.nobody.reset();
      MakeFile(place.Letter(), old, 0666);
      if (c.fault == Fault::kReadOnlyDirectory) place.nobody.emplace();
    }
    struct stat before {};
    ::stat(place.Letter().c_str(), &before);
    int error = 0;
    try {
      ReplaceFileContent(place.Letter(), content);
    } catch (const EFileReplacement& failure) {
      error = failure.Error();
    }
    place.nobody.reset();
    place.limit.reset();
    EXPECT_EQ(error, c.error);
    EXPECT_EQ(ContentOf(place.Letter()), c.error == 0 ? content : old);
    EXPECT_EQ(place.Leftovers(), std::vector<std::string>{});
    EXPECT_EQ(ModeOf(place.Letter()), static_cast<int>(before.st_mode & 07777));
  }
}

}  // namespace
}  // namespace velunor
