// One rule for the exit status of every command: 2 for a fault in the
// command line itself (an option, its value, a combination of options),
// 1 for a failure of the work (input, output, decoding), each with a message
// and nothing on standard output.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/program.h"
#include "cli/run_tool.h"

namespace velunor {
namespace {

struct Fault {
  std::vector<std::string> args;
  std::string message;  // a part of what standard error says
  std::string input = "data";
};

TEST(ExitStatus, EveryFaultOfTheCommandLineIsTwo) {
  const std::string key = "fedcba9876543210";
  const Fault faults[] = {
      {{}, "subcommand"},
      {{"rot13"}, "subcommand"},
      {{"--verbose"}, "subcommand"},
      // encrypt and decrypt
      {{"encrypt", "--keyword", "abc", "--bogus"}, "--bogus"},
      {{"encrypt", "--keyword"}, "--keyword"},
      {{"encrypt", "--keyword", "abc", "--cipher", "Rijndael"}, "Rijndael"},
      {{"encrypt", "--keyword", "abc", "--mode", "ctsmac"}, "velunor mac"},
      {{"encrypt", "--keyword", "abc", "--format", "base32"}, "base32"},
      {{"encrypt", "--keyword", "ab"}, "3 to 70"},
      {{"encrypt", "--keyword", "Ωmega"}, "U+03A9"},
      {{"encrypt", "--keyword", "abc", "--key", key}, "--key"},
      {{"encrypt", "--key", key + "zz"}, "character 17 is no hex digit"},
      {{"encrypt", "--key", "123"}, "even number"},
      {{"encrypt", "--key", ""}, "at least one byte"},
      {{"encrypt", "--key", std::string(114, 'a')}, "1 to 56 bytes"},
      {{"encrypt", "--key", key, "--iv", "0000"}, "one block of 8 bytes"},
      {{"decrypt", "--key", key, "--iv", "000000000000000g"}, "--iv is not hexadecimal"},
      {{"decrypt", "--keyword-file", "-"}, "must come from a FILE"},
      {{"decrypt", "--keyword", "abc", "--text", "--text=maybe"}, "--text"},
      // mac
      {{"mac", "--keyword", "abc", "--chain", "cts"}, "not a MAC mode"},
      {{"mac", "--keyword", "abc", "--chain", "cbcmac"}, "leave 4 of the 4 bytes"},
      {{"mac", "--keyword", "abc", "--cipher", "Twofish"}, "--chain"},
      {{"mac", "--keyword", "abc", "--hash", "CRC-32"}, "HMAC needs"},
      {{"mac", "--key", "0x12"}, "character 2 is no hex digit"},
      // digest, convert, list, selftest
      {{"digest", "--hash", "SHA-3"}, "SHA-3"},
      {{"digest", "--format", "octal"}, "octal"},
      {{"digest", "-o"}, "-o"},
      {{"convert"}, "--to or --from"},
      {{"convert", "--to", "hex", "--from", "hex"}, "excludes"},
      {{"convert", "--to", "99"}, "99"},
      {{"list"}, "WHAT"},
      {{"list", "rijndael"}, "rijndael"},
      {{"selftest", "now"}, "now"},
  };
  for (const Fault& fault : faults) {
    SCOPED_TRACE(testing::PrintToString(fault.args));
    const auto result = test::RunProgram(fault.args, fault.input);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find(fault.message), std::string::npos) << result.err;
  }
}

TEST(ExitStatus, AKeyThatIsNotHexIsNotRepeated) {
  const std::string secret = "0011223344556677secretkey";
  for (const std::string command : {"encrypt", "decrypt", "mac"}) {
    const auto result = test::RunProgram({command, "--key", secret + "0"}, "data");
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err.find("secret"), std::string::npos) << result.err;
  }
}

TEST(ExitStatus, FailuresOfTheWorkAreOne) {
  const test::ScratchDirectory dir("exit-status");
  const std::string missing = dir.PathOf("missing");
  const Fault failures[] = {
      {{"encrypt", "--keyword", "abc", missing}, "cannot open"},
      {{"decrypt", "--keyword", "abc"}, "MIME Base 64", "YWJj!ZA==\n"},
      {{"encrypt", "--keyword-file", dir.Write("short", "ab\n")}, "3 to 70"},
      {{"encrypt", "--keyword", "abc", "--text"}, "U+2603", "snow ☃\n"},
      {{"mac", "--keyword-file", missing}, "cannot open"},
      {{"digest", missing}, "cannot open"},
      {{"convert", "--from", "hex"}, "Hexadecimal", "xyz\n"},
      {{"convert", "--to", "hex", "-o", dir.PathOf("no/such/folder")}, "cannot create"},
  };
  for (const Fault& failure : failures) {
    SCOPED_TRACE(testing::PrintToString(failure.args));
    const auto result = test::RunProgram(failure.args, failure.input);
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find(failure.message), std::string::npos) << result.err;
  }
}

}  // namespace
}  // namespace velunor
