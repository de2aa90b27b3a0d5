// The coding pipeline, seen through a protection object that records every
// step it is given, and the protection chain with its counted references.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <span>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "protection/format_registry.h"
#include "protection/protection.h"
#include "protection/protection_errors.h"
#include "support/test_support.h"

namespace velunor {
namespace {

namespace fs = std::filesystem;

constexpr char kMask = 0x5A;

// Records its steps as "B<action>", "C<size>" and "E<action>", and codes by
// XOR with kMask, whatever the action: so a digest run that wrote anything
// back would show.
class Recorder : public TProtection {
 public:
  explicit Recorder(TProtection* inner = nullptr, bool* deleted = nullptr)
      : TProtection(inner), deleted_(deleted) {}
  ~Recorder() override {
    if (deleted_ != nullptr) *deleted_ = true;
  }

  void BeginRun(TCodeAction action) override {
    steps.push_back("B" + std::to_string(action));
    if (failBegin) throw std::runtime_error("begin");
  }
  void EndRun(TCodeAction action) override { steps.push_back("E" + std::to_string(action)); }
  void CodeRun(std::span<std::uint8_t> data, TCodeAction) override {
    steps.push_back("C" + std::to_string(data.size()));
    if (static_cast<int>(steps.size()) - 1 == failAtStep) throw std::runtime_error("code");
    for (std::uint8_t& byte : data)
      byte ^= kMask;
  }

  std::vector<std::string> steps;
  bool failBegin = false;
  int failAtStep = -1;  // index in `steps` of the CodeData call that fails

 private:
  bool* deleted_;
};

using Steps = std::vector<std::string>;

ByteString Masked(ByteString data) {
  for (char& c : data)
    c ^= kMask;
  return data;
}

TEST(Pipeline, TextIsCodedIn4096ByteChunks) {
  const std::pair<std::size_t, Steps> cases[] = {
      {1, {"B0", "C1", "E0"}},
      {4096, {"B0", "C4096", "E0"}},
      {4097, {"B0", "C4096", "C1", "E0"}},
      {8193, {"B0", "C4096", "C4096", "C1", "E0"}},
  };
  for (const auto& [length, steps] : cases) {
    SCOPED_TRACE(length);
    const ByteString data = test::PatternBytes(length);
    Recorder encoder;
    const ByteString text = encoder.ProcessText(data, caEncode, sfDefault);
    EXPECT_EQ(encoder.steps, steps);
    EXPECT_EQ(text, BytesToText(Masked(data), sfBase64));

    Recorder decoder;
    EXPECT_EQ(decoder.ProcessText(text, caDecode, sfDefault), data);
    Steps decodeSteps = steps;
    decodeSteps.front() = "B1";
    decodeSteps.back() = "E1";
    EXPECT_EQ(decoder.steps, decodeSteps);
  }
}

TEST(Pipeline, TextEdgeCases) {
  Recorder empty;
  EXPECT_EQ(empty.ProcessText("", caEncode, sfDefault), "");
  EXPECT_EQ(empty.ProcessText("", caDecode, sfDefault), "");
  EXPECT_EQ(empty.steps, Steps{});

  // sfNone: decoding reads no bytes (an empty run); encoding codes all and shows nothing.
  Recorder none;
  EXPECT_EQ(none.ProcessText("YWJj", caDecode, sfNone), "");
  EXPECT_EQ(none.ProcessText("abc", caEncode, sfNone), "");
  EXPECT_EQ(none.steps, (Steps{"B1", "E1", "B0", "C3", "E0"}));

  Recorder refused;
  EXPECT_THROW(
      {
        try {
          refused.ProcessText("YWJj!", caDecode, sfDefault);
        } catch (const EStringFormat& e) {
          EXPECT_STREQ(e.what(), "Input is not an valid MIME Base 64 Format.");
          throw;
        }
      },
      EStringFormat);
  EXPECT_EQ(refused.steps, Steps{});

  // An unknown format fails only after the whole run.
  Recorder unknown;
  EXPECT_THROW(unknown.ProcessText("abc", caEncode, 7), EStringFormat);
  EXPECT_EQ(unknown.steps, (Steps{"B0", "C3", "E0"}));
  EXPECT_THROW(unknown.ProcessText("abc", caDecode, 7), EStringFormat);
  EXPECT_EQ(unknown.steps.size(), 3u);
}

TEST(Pipeline, EndCodingFollowsFailingCodeDataButNotFailingBegin) {
  Recorder memory;
  char buffer[10] = {};
  EXPECT_EQ(memory.ProcessMemory(buffer, 10, caEncode), 10);
  memory.failAtStep = 4;
  EXPECT_THROW(memory.ProcessMemory(buffer, 10, caEncode), std::runtime_error);
  EXPECT_EQ(memory.steps, (Steps{"B0", "C10", "E0", "B0", "C10", "E0"}));

  Recorder stream;
  stream.failAtStep = 2;
  TMemoryStream data(test::PatternBytes(9000));
  EXPECT_THROW(stream.ProcessStream(&data, nullptr, -1, caDecode), std::runtime_error);
  EXPECT_EQ(stream.steps, (Steps{"B1", "C4096", "C4096", "E1"}));
  EXPECT_EQ(data.Data().substr(0, 4096), Masked(test::PatternBytes(4096)));
  EXPECT_EQ(data.Data().substr(4096), test::PatternBytes(9000).substr(4096));

  using Entry = std::function<void(Recorder&, TStream&)>;
  const Entry entries[] = {
      [&](Recorder& r, TStream&) { r.ProcessMemory(buffer, 10, caEncode); },
      [](Recorder& r, TStream& source) { r.ProcessStream(&source, nullptr, -1, caEncode); },
      [](Recorder& r, TStream&) { r.ProcessText("abc", caEncode, sfHex); },
  };
  for (const Entry& entry : entries) {
    Recorder failing;
    failing.failBegin = true;
    TMemoryStream source(ByteString("abc"));
    EXPECT_THROW(entry(failing, source), std::runtime_error);
    EXPECT_EQ(failing.steps, Steps{"B0"});
    EXPECT_EQ(source.Data(), "abc");
  }
}

TEST(Pipeline, StreamRegions) {
  const ByteString data = test::PatternBytes(5000);
  Recorder recorder;

  // -1: the whole source from position 0, in place when there is no dest.
  TMemoryStream whole(data);
  whole.SetPosition(100);
  recorder.ProcessStream(&whole, nullptr, -1, caEncode);
  EXPECT_EQ(whole.Data(), Masked(data));

  // A count: from the current positions; dest keeps what lies before its position.
  TMemoryStream source(data);
  TMemoryStream dest(ByteString("head"));
  source.SetPosition(10);
  dest.SetPosition(4);
  recorder.ProcessStream(&source, &dest, 4100, caEncode);
  EXPECT_EQ(source.Data(), data);
  EXPECT_EQ(dest.Data(), "head" + Masked(data.substr(10, 4100)));
  EXPECT_EQ(source.Position(), 4110);

  // A count beyond the end stops at the end.
  TMemoryStream tail(data);
  tail.SetPosition(4990);
  recorder.ProcessStream(&tail, &tail, 100, caEncode);
  EXPECT_EQ(tail.Data(), data.substr(0, 4990) + Masked(data.substr(4990)));

  recorder.ProcessStream(nullptr, &dest, -1, caEncode);
  EXPECT_EQ(recorder.steps,
            (Steps{"B0", "C4096", "C904", "E0", "B0", "C4096", "C4", "E0", "B0", "C10", "E0"}));
}

TEST(Pipeline, StreamRunsReportProgressToTheObjectsOwnHook) {
  using Report = std::tuple<const TObject*, std::int32_t, std::int32_t>;
  const std::pair<std::size_t, std::vector<std::pair<std::int32_t, std::int32_t>>> cases[] = {
      {0, {{0, 0}, {0, 0}}},
      {4096, {{0, 4096}, {4096, 4096}, {0, 0}}},
      {9000, {{0, 9000}, {4096, 9000}, {8192, 9000}, {9000, 9000}, {0, 0}}},
  };
  Recorder silent;  // no hook: another object's hook hears nothing of its runs
  for (const auto& [length, expected] : cases) {
    SCOPED_TRACE(length);
    Recorder recorder;
    std::vector<Report> reports;
    recorder.OnProgress = [&](TObject* sender, std::int32_t current, std::int32_t maximal) {
      reports.emplace_back(sender, current, maximal);
    };
    TMemoryStream stream(test::PatternBytes(length));
    silent.ProcessStream(&stream, nullptr, -1, caEncode);
    recorder.ProcessStream(&stream, nullptr, -1, caEncode);
    std::vector<Report> wanted;
    for (const auto& [current, maximal] : expected)
      wanted.emplace_back(&recorder, current, maximal);
    EXPECT_EQ(reports, wanted);
  }
}

TEST(Pipeline, DigestReadsEverythingAndWritesNothing) {
  const ByteString data = test::PatternBytes(4097);
  TMemoryStream source(data);
  TMemoryStream dest(ByteString("dest"));
  Recorder recorder;
  recorder.ProcessStream(&source, &dest, -1, caDigest);
  recorder.ProcessStream(&source, nullptr, -1, caDigest);
  EXPECT_EQ(recorder.steps, (Steps{"B3", "C4096", "C1", "E3", "B3", "C4096", "C1", "E3"}));
  EXPECT_EQ(source.Data(), data);
  EXPECT_EQ(dest.Data(), "dest");
}

class PipelineFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::temp_directory_path() /
           ("velunor-" + std::string(info->name()) + "-" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  void Write(const std::string& name, const ByteString& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
  }
  ByteString Read(const std::string& name) const {
    std::ifstream file(Path(name), std::ios::binary);
    return ByteString(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }

  fs::path dir_;
  const ByteString data_ = test::PatternBytes(5000);
};

TEST_F(PipelineFiles, InPlaceWhenNamesDesignateTheSameFileOrDestIsBlank) {
  Write("a", data_);
  Recorder recorder;
  recorder.ProcessFile(Path("a"), Path("a"), caEncode);
  EXPECT_EQ(Read("a"), Masked(data_));
  recorder.ProcessFile(Path("a"), " \t ", caEncode);
  EXPECT_EQ(Read("a"), data_);
  recorder.ProcessFile(Path("a"), (dir_ / "." / "a").string(), caEncode);
  EXPECT_EQ(Read("a"), Masked(data_));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(PipelineFiles, ToAnotherFileReplacesItsContents) {
  Write("a", data_);
  Write("b", ByteString(9000, 'x'));
  Recorder recorder;
  recorder.ProcessFile(Path("a"), Path("b"), caEncode);
  EXPECT_EQ(Read("a"), data_);
  EXPECT_EQ(Read("b"), Masked(data_));
  recorder.ProcessFile(Path("a"), Path("c"), caDecode);
  EXPECT_EQ(Read("c"), Masked(data_));
}

TEST_F(PipelineFiles, DigestCreatesNothingAndChangesNothing) {
  Write("a", data_);
  Recorder recorder;
  recorder.ProcessFile(Path("a"), Path("b"), caDigest);
  recorder.ProcessFile(Path("a"), Path("a"), caDigest);
  EXPECT_EQ(recorder.steps, (Steps{"B3", "C4096", "C904", "E3", "B3", "C4096", "C904", "E3"}));
  EXPECT_EQ(Read("a"), data_);
  EXPECT_FALSE(fs::exists(Path("b")));
}

TEST_F(PipelineFiles, AFailedRunLeavesEveryDestinationAsItWas) {
  Write("a", data_);
  Write("b", "old b");
  // Into an existing file, a new one and the source itself.
  for (const std::string& dest : {Path("b"), Path("c"), Path("a")}) {
    SCOPED_TRACE(dest);
    Recorder failing;
    failing.failAtStep = 2;
    EXPECT_THROW(failing.ProcessFile(Path("a"), dest, caEncode), std::runtime_error);
    EXPECT_EQ(failing.steps, (Steps{"B0", "C4096", "C904", "E0"}));
  }
  EXPECT_EQ(Read("a"), data_);
  EXPECT_EQ(Read("b"), "old b");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 2);

  Recorder missing;
  EXPECT_THROW(missing.ProcessFile(Path("none"), Path("b"), caEncode), EFOpenError);
  EXPECT_THROW(missing.ProcessFile(Path("a"), Path("no/such/dir"), caEncode), EFCreateError);
  EXPECT_EQ(missing.steps, Steps{});
  EXPECT_EQ(Read("b"), "old b");
}

TEST(Chain, StepsReachTheChainedObject) {
  auto* inner = new Recorder;
  Recorder outer(inner);
  char buffer[3] = {'a', 'b', 'c'};
  outer.ProcessMemory(buffer, 3, caOverwrite);
  EXPECT_EQ(inner->steps, (Steps{"B2", "C3", "E2"}));
  EXPECT_EQ(outer.steps, inner->steps);
  EXPECT_EQ(std::string(buffer, 3), "abc");  // masked twice
}

TEST(Chain, CircularChainsAreRefusedAndChangeNothing) {
  auto* b = new Recorder;
  auto* a = new Recorder(b);
  AcquireProtection(a);
  EXPECT_EQ(b->RefCount(), 1);

  try {
    b->SetProtection(a);
    ADD_FAILURE() << "no EProtection";
  } catch (const EProtection& e) {
    EXPECT_STREQ(e.what(), "Circular Protection detected, Protection Object is invalid.");
  }
  EXPECT_THROW(a->SetProtection(a), EProtection);
  EXPECT_EQ(a->Protection(), b);
  EXPECT_EQ(b->Protection(), nullptr);
  EXPECT_EQ(a->RefCount(), 1);
  EXPECT_EQ(b->RefCount(), 1);

  a->SetProtection(b);  // already chained: nothing happens
  EXPECT_EQ(b->RefCount(), 1);
  EXPECT_EQ(ReleaseProtection(a), 0);  // deletes a, which releases b
}

TEST(Chain, CountedReferencesDeleteWithTheLastRelease) {
  EXPECT_EQ(AcquireProtection(nullptr), 0);
  EXPECT_EQ(ReleaseProtection(nullptr), 0);

  bool innerDeleted = false;
  auto* inner = new Recorder(nullptr, &innerDeleted);
  EXPECT_EQ(inner->RefCount(), 0);
  EXPECT_EQ(AcquireProtection(inner), 1);
  {
    Recorder outer(inner);
    EXPECT_EQ(inner->RefCount(), 2);
  }
  EXPECT_EQ(inner->RefCount(), 1);
  EXPECT_FALSE(innerDeleted);
  EXPECT_EQ(ReleaseProtection(inner), 0);
  EXPECT_TRUE(innerDeleted);

  // Unchaining by setting empty releases the last reference too.
  bool secondDeleted = false;
  Recorder outer(new Recorder(nullptr, &secondDeleted));
  outer.SetProtection(nullptr);
  EXPECT_TRUE(secondDeleted);
}

TEST(Chain, ReplacingWithAnObjectOfTheOldChainKeepsItAlive) {
  // a -> b -> c, each held only by the chain. Chaining c to a directly
  // releases b, and with it b's reference to c.
  bool bDeleted = false;
  bool cDeleted = false;
  auto* c = new Recorder(nullptr, &cDeleted);
  auto* b = new Recorder(c, &bDeleted);
  Recorder a(b);
  a.SetProtection(c);
  EXPECT_TRUE(bDeleted);
  EXPECT_FALSE(cDeleted);
  ASSERT_EQ(a.Protection(), c);
  EXPECT_EQ(c->RefCount(), 1);
  char byte = 'x';
  a.ProcessMemory(&byte, 1, caEncode);
  EXPECT_EQ(c->steps, (Steps{"B0", "C1", "E0"}));
}

}  // namespace
}  // namespace velunor
