// The decisions of mail-client mode, without a window: which coding button
// an activation hides, when a decryption draws the wrong-keyword warning,
// and the order of the hand-off.
#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>

#include "encrypter/hand_off.h"
#include "encrypter/mail_client_rules.h"

namespace velunor::encrypter {
namespace {

TEST(MailClientRules, AnActivationHidesTheButtonTheLoadedTextDoesNotNeed) {
  const struct {
    const char* name;
    std::string text;
    bool ctrlDown;
    std::optional<TCodingButton> hidden;
  } cases[] = {
      {"letter", "Hallo Welt,\r\nbis bald!\r\n", false, TCodingButton::kDecrypt},
      {"cipher text", "SGFsbG8=", false, TCodingButton::kEncrypt},
      {"first space after 299 characters", std::string(299, 'x') + " y", false,
       TCodingButton::kDecrypt},
      {"empty file", "", false, TCodingButton::kEncrypt},
      {"Ctrl held", "Hallo Welt", true, std::nullopt},
      {"Ctrl held, cipher text", "SGFsbG8=", true, std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CodingButtonToHide(c.text, c.ctrlDown), c.hidden) << c.name;
  }
}

TEST(MailClientRules, ADecryptionWithoutASpaceInItsFirstFiftyCharactersDrawsTheWarning) {
  const struct {
    const char* name;
    std::string decrypted;
    bool ctrlDown;
    bool warned;
  } cases[] = {
      {"first space at 6", "Hallo Welt", false, false},
      {"first space at 1", " x", false, false},
      {"first space at 50", std::string(49, 'x') + " z", false, false},
      {"first space at 51", std::string(50, 'x') + " z", false, true},
      {"no space", std::string(60, 'x'), false, true},
      {"empty", "", false, true},
      {"no space, Ctrl held", std::string(60, 'x'), true, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WarnOfWrongKeyword(c.ctrlDown, c.decrypted), c.warned) << c.name;
  }
}

// Records the steps the hand-off takes.
struct RecordedHandOff : THandOffSteps {
  bool mailClient = true;
  bool fileExists = true;
  bool saveFails = false;
  bool notifyReaches = true;
  std::string steps;

  bool FindMailClient() override { return Step("find", mailClient); }
  bool HandOffFileExists() override { return fileExists; }
  void SaveResult() override {
    Step("save", true);
    if (saveFails) throw std::runtime_error("disk full");
  }
  bool NotifyMailClient() override { return Step("notify", notifyReaches); }
  void CopyResultToClipboard() override { Step("clipboard", true); }

  bool Step(const char* name, bool result) {
    steps += steps.empty() ? name : std::string(" ") + name;
    return result;
  }
};

TEST(HandOff, TheFileIsWrittenBeforeTheMailClientIsToldAndNothingIsLost) {
  const struct {
    const char* name;
    bool mailClient, fileExists, saveFails, notifyReaches;
    const char* steps;
  } cases[] = {
      {"file written, then told", true, true, false, true, "find save notify"},
      {"no file: only told", true, false, false, true, "find notify"},
      {"mail client gone", false, true, false, true, "find clipboard"},
      {"told in vain", true, true, false, false, "find save notify clipboard"},
      {"save failed: not told", true, true, true, true, "find save"},
  };
  for (const auto& c : cases) {
    RecordedHandOff handOff;
    handOff.mailClient = c.mailClient;
    handOff.fileExists = c.fileExists;
    handOff.saveFails = c.saveFails;
    handOff.notifyReaches = c.notifyReaches;
    if (c.saveFails) {
      EXPECT_THROW(HandOffResult(handOff), std::runtime_error) << c.name;
    } else {
      HandOffResult(handOff);
    }
    EXPECT_EQ(handOff.steps, c.steps) << c.name;
  }
}

}  // namespace
}  // namespace velunor::encrypter
