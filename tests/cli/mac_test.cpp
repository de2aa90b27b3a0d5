// `velunor mac`: the HMAC over every byte, checked against independent
// implementations (Python's hmac, OpenSSL, Crypto++); the library's chain
// values under --chain; and encrypt and decrypt refusing the MAC modes
// (which leave the data as it is).
#define CRYPTOPP_ENABLE_NAMESPACE_WEAK 1
#include <cryptopp/hmac.h>
#include <cryptopp/md4.h>
#include <cryptopp/ripemd.h>
#include <cryptopp/tiger.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "cipher/cipher_registry.h"
#include "cli/program.h"
#include "cli/run_tool.h"
#include "protection/format_registry.h"
#include "protection/string_format.h"
#include "support/test_support.h"

namespace velunor {
namespace {

using test::RunTool;

// Keys as the options give them, with the key bytes HMAC gets from them.
struct Key {
  std::vector<std::string> options;
  ByteString bytes;
};

// Code page 1252 (ü is FC, € is 80) and longer than one block of a 64-byte
// hash (so hashed first), then short, one block and the longest keyword
// (hashed too).
std::vector<Key> HmacKeys() {
  const std::string block(128, 'b');
  return {
      {{"--keyword", "Schlüssel€"}, "Schl\xFCssel\x80"},
      {{"--key", block + "cd"}, test::FromHex(block + "cd")},
      {{"--keyword", "Geheimnis"}, "Geheimnis"},
      {{"--key", block}, test::FromHex(block)},
      {{"--keyword", std::string(70, 'k')}, ByteString(70, 'k')},
  };
}

// Every length from 0 to `longest` for the first two keys; for the others
// the lengths around the padding of a 64-byte block.
std::vector<std::size_t> LengthsFor(std::size_t keyIndex, std::size_t longest) {
  if (keyIndex >= 2) return {0, 1, 55, 56, 63, 64, 65, longest};
  std::vector<std::size_t> lengths(longest + 1);
  for (std::size_t n = 0; n <= longest; ++n)
    lengths[n] = n;
  return lengths;
}

std::vector<std::string> MacArgs(const std::string& hash, const Key& key) {
  std::vector<std::string> args = {"mac"};
  if (!hash.empty()) args.insert(args.end(), {"--hash", hash});
  args.insert(args.end(), key.options.begin(), key.options.end());
  return args;
}

// Python's hmac over every prefix of `data`, one value per line.
std::vector<std::string> PythonHmacs(const std::string& hash, const ByteString& key,
                                     const ByteString& data) {
  const auto result = test::RunCommand(
      {"/usr/bin/python3", "-c",
       "import hmac, sys\n"
       "name, key, data = sys.argv[1], bytes.fromhex(sys.argv[2]), sys.stdin.buffer.read()\n"
       "for n in range(len(data) + 1): print(hmac.new(key, data[:n], name).hexdigest())\n",
       hash, test::ToHex(key)},
      data);
  EXPECT_EQ(result.status, 0) << result.err;
  std::vector<std::string> lines;
  std::istringstream text(result.out);
  for (std::string line; std::getline(text, line);)
    lines.push_back(line + "\n");
  return lines;
}

TEST(MacCommand, HmacIsPythonsForEveryLengthUpToThreeBlocks) {
  const ByteString data = test::PatternBytes(3 * 64 + 1, 5);
  const struct {
    const char* python;
    const char* hash;
  } hashes[] = {{"md5", "Message Digest 5"},
                {"sha1", "Secure Hash Algorithm 1"},
                {"ripemd160", "Ripe Message Digest 160"}};
  const std::vector<Key> keys = HmacKeys();
  for (const auto& hash : hashes) {
    for (std::size_t k = 0; k < keys.size(); ++k) {
      const Key& key = keys[k];
      SCOPED_TRACE(std::string(hash.hash) + " " + key.options[1]);
      const std::vector<std::string> expected = PythonHmacs(hash.python, key.bytes, data);
      ASSERT_EQ(expected.size(), data.size() + 1);
      for (const std::size_t n : LengthsFor(k, data.size())) {
        const auto mac = RunTool(MacArgs(hash.hash, key), data.substr(0, n));
        ASSERT_EQ(mac.out, expected[n]) << n << " bytes: " << mac.err;
      }
    }
  }
}

template <class Hash>
std::string CryptoPPHmac(const ByteString& key, const ByteString& data) {
  CryptoPP::HMAC<Hash> hmac(reinterpret_cast<const CryptoPP::byte*>(key.data()), key.size());
  hmac.Update(reinterpret_cast<const CryptoPP::byte*>(data.data()), data.size());
  std::string value(hmac.DigestSize(), '\0');
  hmac.Final(reinterpret_cast<CryptoPP::byte*>(value.data()));
  return test::ToHex(value) + "\n";
}

TEST(MacCommand, HmacIsCryptoPPsForTheHashesPythonLacks) {
  const ByteString data = test::PatternBytes(3 * 64 + 1, 6);
  const struct {
    const char* hash;  // "": the default, RIPEMD-256
    std::string (*oracle)(const ByteString&, const ByteString&);
  } hashes[] = {{"", CryptoPPHmac<CryptoPP::RIPEMD256>},
                {"Ripe Message Digest 128", CryptoPPHmac<CryptoPP::RIPEMD128>},
                {"Ripe Message Digest 320", CryptoPPHmac<CryptoPP::RIPEMD320>},
                {"Message Digest 4", CryptoPPHmac<CryptoPP::Weak::MD4>},
                {"Tiger", CryptoPPHmac<CryptoPP::Tiger>}};
  const std::vector<Key> keys = HmacKeys();
  for (const auto& hash : hashes) {
    for (std::size_t k = 0; k < keys.size(); ++k) {
      const Key& key = keys[k];
      SCOPED_TRACE(std::string(hash.hash) + " " + key.options[1]);
      for (const std::size_t n : LengthsFor(k, data.size())) {
        const ByteString message = data.substr(0, n);
        const auto mac = RunTool(MacArgs(hash.hash, key), message);
        ASSERT_EQ(mac.out, hash.oracle(key.bytes, message)) << n << " bytes: " << mac.err;
      }
    }
  }
}

// HAVAL, Snefru and the Square hash have no HMAC elsewhere: Python's hmac
// runs over the program's own digests with the published block sizes.
TEST(MacCommand, HmacTakesTheBlockSizeOfEachHash) {
  const char* const kWrappedHmac =
      "import hmac, subprocess, sys\n"
      "program, name, size = sys.argv[1], sys.argv[2], int(sys.argv[3])\n"
      "class Digest:\n"
      "    block_size = size\n"
      "    def __init__(self, data=b''): self.data = data\n"
      "    def update(self, data): self.data += data\n"
      "    def copy(self): return Digest(self.data)\n"
      "    def digest(self): return subprocess.run([program, 'digest', '--hash', name,\n"
      "        '--format', 'copy'], input=self.data, capture_output=True, check=True).stdout[:-1]\n"
      "Digest.digest_size = len(Digest().digest())\n"
      "key, data = bytes.fromhex(sys.argv[4]), sys.stdin.buffer.read()\n"
      "for n in map(int, sys.argv[5:]): print(hmac.new(key, data[:n], Digest).digest().hex())\n";
  const struct {
    const char* hash;
    std::size_t blockSize;
  } hashes[] = {{"Haval-256", 128}, {"Haval-128", 128}, {"Snefru-256", 32}, {"Square", 16}};
  for (const auto& hash : hashes) {
    const std::size_t b = hash.blockSize;
    const std::size_t lengths[] = {0, 3 * b + 1};
    const ByteString data = test::PatternBytes(3 * b + 1, 7);
    for (const Key& key : {HmacKeys()[0], Key{{"--key", std::string(2 * b + 2, 'e')}, {}}}) {
      const std::string keyHex =
          key.options[0] == "--key" ? key.options[1] : test::ToHex(key.bytes);
      std::vector<std::string> python = {
          "/usr/bin/python3", "-c",  kWrappedHmac, test::ProgramPath(), hash.hash,
          std::to_string(b),  keyHex};
      std::string expected;
      for (const std::size_t n : lengths) {
        python.push_back(std::to_string(n));
        expected += RunTool(MacArgs(hash.hash, key), data.substr(0, n)).out;
      }
      const auto oracle = test::RunCommand(python, data);
      ASSERT_EQ(oracle.status, 0) << oracle.err;
      EXPECT_EQ(expected, oracle.out) << hash.hash << " " << keyHex;
    }
  }
}

TEST(MacCommand, HmacOfAGibibyteStreamInConstantMemory) {
  const test::ScratchDirectory dir("mac-stream");
  // The same stream through OpenSSL and the program at once; the program's
  // peak memory in KiB.
  const auto peakOver = [&dir](const std::string& bytes) {
    const std::string script = "yes 'Velunor 0123456789' | head -c " + bytes +
                               " | tee >(openssl dgst -sha1 -hmac Geheimnis -r | cut -c1-40 > '" +
                               dir.PathOf("openssl") + "') | command time -f %M -o '" +
                               dir.PathOf("peak") + "' '" + test::ProgramPath() +
                               "' mac --hash 'Secure Hash Algorithm 1' --keyword Geheimnis; wait";
    const auto result = test::RunCommand({"bash", "-c", script});
    EXPECT_EQ(result.status, 0) << result.err;
    std::ifstream opensslFile(dir.PathOf("openssl"));
    std::string openssl;
    std::getline(opensslFile, openssl);
    EXPECT_EQ(result.out, openssl + "\n") << bytes << " bytes";
    long peakKiB = 0;
    std::ifstream(dir.PathOf("peak")) >> peakKiB;
    return peakKiB;
  };
  const long mebibytePeak = peakOver("1048576");
  EXPECT_GT(mebibytePeak, 0);
  EXPECT_LE(peakOver("1073741824"), mebibytePeak + 8 * 1024) << mebibytePeak << " KiB for 1 MiB";
}

TEST(MacCommand, HmacRefusesHashesWithoutAnInputBlockAndTheCipherOptions) {
  for (const std::vector<std::string>& args : {std::vector<std::string>{"--hash", "CRC-32"},
                                               {"--hash", "XOR-16"},
                                               {"--hash", "Sapphire II-256"},
                                               {"--cipher", "Twofish"},
                                               {"--iv", "0011223344556677"}}) {
    std::vector<std::string> all = {"mac", "--keyword", "Geheimnis"};
    all.insert(all.end(), args.begin(), args.end());
    const auto result = test::RunProgram(all, "data");
    EXPECT_EQ(result.status, 2) << args[0] << " " << args[1];
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find(args[0]), std::string::npos) << result.err;
  }
}

// The library's MAC road: a coding run in the MAC mode; the value is the
// scratch block after the run.
ByteString LibraryChainValue(const std::string& cipherName, TCipherMode mode, const Key& key,
                             ByteString data) {
  const ProtectionRef<TCipher> cipher = FindCipherClass(cipherName)->Create();
  cipher->Mode = mode;
  if (key.options[0] == "--key") {
    cipher->Init(std::span(BytesOf(key.bytes), key.bytes.size()));
  } else {
    cipher->InitKey(key.bytes, nullptr);
  }
  cipher->ProcessMemory(std::span(BytesOf(data), data.size()), caEncode);
  return BytesToText(cipher->ScratchBlock(), cipher->BlockSize, sfHexLower);
}

TEST(MacCommand, ChainValueIsTheLibrarysAndCoversWholeBlocksOnly) {
  const std::vector<Key> keys = {
      {{"--keyword", "Geheimnis"}, "Geheimnis"},
      {{"--key", "fedcba9876543210"}, test::FromHex("fedcba9876543210")}};
  const struct {
    const char* cipher;
    std::size_t b;
  } ciphers[] = {{"Blowfish", 8}, {"Twofish", 16}, {"3Way", 12}};
  const struct {
    const char* name;
    TCipherMode mode;
  } modes[] = {{"ctsmac", cmCTSMAC}, {"cbcmac", cmCBCMAC}, {"cfbmac", cmCFBMAC}};
  for (const auto& c : ciphers) {
    for (const auto& m : modes) {
      for (const Key& key : keys) {
        for (const std::size_t n : {std::size_t{0}, std::size_t{1}, c.b - 1, c.b, 2 * c.b}) {
          SCOPED_TRACE(std::string(c.cipher) + " " + m.name + " " + key.options[0] + " " +
                       std::to_string(n));
          const ByteString data = test::PatternBytes(n, 3);
          std::vector<std::string> args = {"mac", "--cipher", c.cipher, "--chain", m.name};
          args.insert(args.end(), key.options.begin(), key.options.end());
          const auto mac = RunTool(args, data);
          if (m.mode != cmCFBMAC && n % c.b != 0) {
            EXPECT_EQ(mac.status, 2);
            EXPECT_EQ(mac.out, "");
            EXPECT_NE(mac.err.find("leave " + std::to_string(n % c.b) + " of the "),
                      std::string::npos)
                << mac.err;
            continue;
          }
          EXPECT_EQ(mac.status, 0) << mac.err;
          EXPECT_EQ(mac.out, LibraryChainValue(c.cipher, m.mode, key, data) + "\n");
        }
      }
    }
  }
  // A 12-byte block leaves the last 4 bytes of every 4096-byte piece out,
  // even of a whole number of blocks.
  const auto pieces = RunTool({"mac", "--cipher", "3Way", "--chain", "cbcmac", "--keyword", "abc"},
                              test::PatternBytes(342 * 12));
  EXPECT_EQ(pieces.status, 2);
  EXPECT_NE(pieces.err.find("leave 12 of the 4104 bytes"), std::string::npos) << pieces.err;
}

TEST(MacCommand, EncryptAndDecryptRefuseTheMacModes) {
  for (const std::string mode : {"ctsmac", "cbcmac", "cfbmac", "5", "6", "7", "cmCBCMAC"}) {
    for (const std::string command : {"encrypt", "decrypt"}) {
      SCOPED_TRACE(command + " " + mode);
      const auto result = RunTool({command, "--keyword", "abc", "--mode", mode}, "secret");
      EXPECT_EQ(result.status, 2);
      EXPECT_EQ(result.out, "");
      EXPECT_NE(result.err.find("velunor mac --chain"), std::string::npos) << result.err;
    }
  }
}

TEST(MacCommand, OneBlockFromAZeroVectorIsThePublishedBlowfishBlock) {
  // With a zero initial vector the CBC and CTS chains of one block both end
  // at E(block): the published Blowfish vector.
  const ByteString block = test::FromHex("0123456789abcdef");
  const std::vector<std::string> key = {"--key", "fedcba9876543210", "--iv", "0000000000000000"};
  const struct {
    std::vector<std::string> options;
    std::string out;
  } cases[] = {
      {{"--chain", "cbcmac"}, "0aceab0fc6a0a28d\n"},
      {{"--chain", "ctsmac"}, "0aceab0fc6a0a28d\n"},
      {{"--chain", "cmCTSMAC", "--format", "hex"}, "0ACEAB0FC6A0A28D\n"},
      {{"--mode", "6", "--format", "base64"}, "Cs6rD8agoo0=\n"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"mac"};
    args.insert(args.end(), key.begin(), key.end());
    args.insert(args.end(), c.options.begin(), c.options.end());
    SCOPED_TRACE(testing::PrintToString(args));
    const auto result = RunTool(args, block);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, c.out);
  }
}

TEST(MacCommand, TheValueCoversTheDataAndTheKey) {
  const test::ScratchDirectory dir("mac");
  const ByteString data = test::PatternBytes(5000, 9);
  const std::string file = dir.Write("data", data);
  for (const std::vector<std::string>& chain : {std::vector<std::string>{},
                                                {"--chain", "ctsmac"},
                                                {"--chain", "cbcmac"},
                                                {"--chain", "cfbmac"}}) {
    SCOPED_TRACE(testing::PrintToString(chain));
    const auto mac = [&chain](const std::string& keyword, const std::string& path,
                              const ByteString& input) {
      std::vector<std::string> args = {"mac", "--keyword", keyword};
      args.insert(args.end(), chain.begin(), chain.end());
      if (!path.empty()) args.push_back(path);
      return RunTool(args, input);
    };
    const auto value = mac("Sommer", "", data);
    ASSERT_EQ(value.status, 0) << value.err;
    EXPECT_EQ(value.out.size(), chain.empty() ? 65u : 17u);
    EXPECT_EQ(mac("Sommer", file, "").out, value.out);
    EXPECT_EQ(mac("Sommer", "-", data).out, value.out);
    EXPECT_NE(mac("Winter", "", data).out, value.out);
    ByteString changed = data;
    changed[100] ^= 1;
    EXPECT_NE(mac("Sommer", "", changed).out, value.out);
  }
  // The HMAC covers the last byte too, which the chain of cfbmac takes in linearly.
  ByteString lastChanged = data;
  lastChanged.back() ^= 1;
  EXPECT_NE(RunTool({"mac", "--keyword", "Sommer"}, lastChanged).out,
            RunTool({"mac", "--keyword", "Sommer"}, data).out);
}

TEST(MacCommand, BadUsage) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"mac", "--keyword", "abc", "--chain", "cts"},
        {"mac", "--keyword", "abc", "--mode", "4"},
        {"mac", "--keyword", "abc", "--format", "99"},
        {"mac", "--key", "00", "--keyword", "abc"}}) {
    EXPECT_EQ(RunTool(args, "data").status, 2) << testing::PrintToString(args);
  }
}

}  // namespace
}  // namespace velunor
