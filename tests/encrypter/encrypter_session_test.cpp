// The encrypter window's rules and steps without a window: a recording
// front end stands in for the controls, the clipboard and the desktop.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "encrypter/code_page_fault.h"
#include "encrypter/coding_profile.h"
#include "encrypter/encrypter_session.h"
#include "encrypter/filter_session.h"
#include "encrypter/hand_off_file.h"
#include "encrypter/single_instance.h"
#include "encrypter/text_coding.h"
#include "hash/hash_ripemd256.h"
#include "support/scratch_folder.h"
#ifndef _WIN32
#include "support/write_faults.h"
#endif

namespace velunor::encrypter {
namespace {

using test::ScratchFolder;

// The window's controls as plain values, and what reached the desktop.
struct RecordingFrontEnd : TEncrypterFrontEnd {
  std::u32string keyword;
  ByteString input;
  std::u32string inputOutside;  // characters the input box holds beyond code page 1252
  ByteString output;
  ByteString clipboard;
  std::optional<bool> clipboardSensitive;  // none: never copied
  TEncrypterControls shown;
  std::vector<TFocus> focus;
  bool mailClient = false;
  bool notifyReaches = true;
  bool ctrlDown = false;
  bool sheetsSave = true;
  std::string handOffFile;
  std::vector<std::string> notified;  // the hand-off file's content at each notification
  int warnings = 0;
  int quits = 0;

  std::size_t KeywordLength() override { return keyword.size(); }
  std::u32string KeywordCharacters() override { return keyword; }
  ByteString InputText() override { return input; }
  std::u32string InputCharactersOutsideCodePage() override { return inputOutside; }
  void SetInputText(std::string_view bytes) override { input = bytes; }
  void SetInputUtf8Text(std::string_view utf8) override { input = utf8; }
  void PasteIntoInput() override {
    if (!shown.boxesReadOnly && !clipboard.empty()) input = clipboard;
  }
  ByteString OutputText() override { return output; }
  void SetOutputText(std::string_view bytes) override {
    output = bytes.substr(0, bytes.find('\0'));
  }
  void SetOutputUtf8Text(std::string_view utf8) override { output = utf8; }
  void CopyOutputToClipboard(bool sensitive) override {
    clipboard = output;
    clipboardSensitive = sensitive;
  }
  void ShowControls(const TEncrypterControls& controls) override { shown = controls; }
  void MoveFocus(TFocus to) override { focus.push_back(to); }
  bool FindMailClient() override { return mailClient; }
  bool NotifyMailClient() override {
    notified.push_back(ScratchFolder::Read(handOffFile));
    return notifyReaches;
  }
  bool CtrlDown() override { return ctrlDown; }
  void ProcessPendingMessage() override {}
  void ShowWrongKeywordWarning() override { ++warnings; }
  bool SaveOpenCheatSheets() override { return sheetsSave; }
  void Quit() override { ++quits; }

  // Coding buttons, "&OK", read-only: "on"/"off"/"hidden", "ro"/"rw".
  std::string State() const {
    const auto button = [](bool hidden, bool enabled) {
      return hidden ? "hidden" : enabled ? "on" : "off";
    };
    return std::string(button(shown.encryptHidden, shown.encryptEnabled)) + " " +
           button(shown.decryptHidden, shown.decryptEnabled) + ", ok " +
           button(false, shown.okEnabled) + ", " + (shown.boxesReadOnly ? "ro" : "rw");
  }
};

// A window on the recording front end, set up as it is created.
struct Window {
  RecordingFrontEnd frontEnd;
  TComponent formValues;
  TFormVelunorComponents components{formValues};
  TEncrypterSession session{frontEnd, components};

  Window() { frontEnd.ShowControls(session.Controls()); }
  void Paste(const ByteString& text) {
    frontEnd.clipboard = text;
    session.ButtonPasteFromClipboardClick();
  }
  void Type(const std::u32string& keyword) {
    frontEnd.keyword = keyword;
    session.EditPasswordChange();
  }
};

// A cipher text of `plain` (bytes as they are) under `keyword`.
ByteString CipherTextOf(std::string_view keyword, const ByteString& plain) {
  THashManager hashManager;
  TCipherManager cipherManager;
  SetUpProfile(hashManager, cipherManager);
  return EncryptWithKeyword(cipherManager, keyword, plain);
}

TEST(EncrypterSession, TheControlsFollowEachStep) {
  Window window;
  EXPECT_EQ(&window.components.HashManager1.HashClass(), &THash_RipeMD256::Class());
  const struct {
    const char* step;
    std::function<void(Window&)> action;
    std::string state;
    ByteString input, output;
  } steps[] = {
      {"created", [](Window&) {}, "off off, ok off, rw", "", ""},
      {"keyword, no text", [](Window& w) { w.Type(U"geheim"); }, "off off, ok off, rw", "", ""},
      {"pasted", [](Window& w) { w.Paste("abc"); }, "on on, ok off, rw", "abc", ""},
      {"2 bytes", [](Window& w) { w.Type(U"ab"); }, "off off, ok off, rw", "abc", ""},
      {"70 bytes", [](Window& w) { w.Type(std::u32string(70, U'k')); }, "on on, ok off, rw", "abc",
       ""},
      {"encrypted",
       [](Window& w) {
         w.Type(U"geheim");
         w.session.ButtonEncryptClick();
       },
       "off off, ok on, ro", "abc", "Mrg5trk="},
      // Read-only: a paste keeps the input, yet empties the output and disables "&OK".
      {"pasted again", [](Window& w) { w.Paste("new"); }, "on on, ok off, ro", "abc", ""},
      {"encrypted again", [](Window& w) { w.session.ButtonEncryptClick(); }, "off off, ok on, ro",
       "abc", "Mrg5trk="},
      {"other keyword", [](Window& w) { w.Type(U"anders"); }, "on on, ok on, ro", "abc",
       "Mrg5trk="},
  };
  for (const auto& s : steps) {
    s.action(window);
    EXPECT_EQ(window.frontEnd.State(), s.state) << s.step;
    EXPECT_EQ(window.frontEnd.input, s.input) << s.step;
    EXPECT_EQ(window.frontEnd.output, s.output) << s.step;
  }
  EXPECT_EQ(window.session.PlainTextOfInput(), "abc\r\n");
  EXPECT_EQ(window.frontEnd.focus.back(), TFocus::kOk);
}

TEST(EncrypterSession, ACodingThatFailsLeavesTheWindowAsItWas) {
  const struct {
    const char* name;
    std::u32string keyword;
    ByteString input;
    std::u32string inputOutside;
    std::optional<TCodePageField> field;  // none: the text format refuses
  } cases[] = {
      {"keyword", U"gehęim", "abc", U"", TCodePageField::kKeyword},
      {"text", U"geheim", "Z?oty", U"ł", TCodePageField::kText},
      {"both: the keyword first", U"gehęim", "Z?oty", U"ł", TCodePageField::kKeyword},
      {"no base 64", U"geheim", "abc!", U"", std::nullopt},
  };
  for (const auto& c : cases) {
    Window window;
    window.Paste(c.input);
    window.frontEnd.inputOutside = c.inputOutside;
    window.Type(c.keyword);
    const std::string before = window.frontEnd.State();
    try {
      window.session.ButtonDecryptClick();
      ADD_FAILURE() << c.name << ": nothing raised";
    } catch (const ECodePageFault& fault) {
      EXPECT_EQ(std::optional(fault.Field()), c.field) << c.name;
    } catch (const Exception& failure) {
      EXPECT_FALSE(c.field) << c.name;
      EXPECT_EQ(failure.Message(), "Input is not an valid MIME Base 64 Format.") << c.name;
    }
    EXPECT_EQ(window.frontEnd.State(), before) << c.name;
    EXPECT_EQ(window.frontEnd.output, "") << c.name;
  }
}

TEST(EncrypterSession, AnActivationWithTheMailClientLoadsTheFileAndLeavesOneCodingButton) {
  const struct {
    const char* name;
    bool mailClient;
    std::optional<std::string> file;  // none: no such file
    bool ctrlDown;
    std::string state;
    ByteString input;
  } cases[] = {
      {"letter", true, "Hallo Welt,\r\nbis bald!\r\n", false, "off hidden, ok off, rw",
       "Hallo Welt,\r\nbis bald!\r\n"},
      {"cipher text", true, "SGFsbG8=", false, "hidden off, ok off, rw", "SGFsbG8="},
      {"Ctrl held", true, "SGFsbG8=", true, "off off, ok off, rw", "SGFsbG8="},
      {"no file", true, std::nullopt, false, "off off, ok off, rw", ""},
      {"no mail client", false, "SGFsbG8=", false, "off off, ok off, rw", ""},
  };
  for (const auto& c : cases) {
    ScratchFolder folder;
    Window window;
    window.frontEnd.mailClient = c.mailClient;
    window.frontEnd.ctrlDown = c.ctrlDown;
    if (c.file) ScratchFolder::Write(folder.File("mail.txt"), *c.file);
    window.session.SetHandOffFile(folder.File("mail.txt"));
    window.session.FormActivate();
    EXPECT_EQ(window.frontEnd.State(), c.state) << c.name;
    EXPECT_EQ(window.frontEnd.input, c.input) << c.name;
    EXPECT_EQ(window.session.MailClientMode(), c.mailClient) << c.name;
    EXPECT_EQ(window.frontEnd.shown.outputFillsPanel, c.mailClient) << c.name;
    EXPECT_EQ(window.frontEnd.focus, std::vector{TFocus::kKeyword}) << c.name;
  }
}

TEST(EncrypterSession, EveryActivationReloadsTheFileAndAsksForTheCodingAgain) {
  ScratchFolder folder;
  const std::string file = folder.File("mail.txt");
  ScratchFolder::Write(file, "Hallo Welt\r\n");
  Window window;
  window.frontEnd.mailClient = true;
  window.session.SetHandOffFile(file);
  window.session.FormActivate();
  window.Type(U"geheim");
  window.session.ButtonEncryptClick();
  const ByteString cipherText = window.frontEnd.output;
  EXPECT_EQ(window.frontEnd.State(), "off hidden, ok on, ro");

  ScratchFolder::Write(file, "Neuer Text\r\n");
  window.frontEnd.mailClient = false;  // gone: the mode stays
  window.session.FormActivate();
  EXPECT_EQ(window.frontEnd.State(), "off hidden, ok on, ro");
  window.frontEnd.mailClient = true;
  window.session.FormActivate();
  EXPECT_EQ(window.frontEnd.input, "Neuer Text\r\n");
  EXPECT_EQ(window.frontEnd.State(), "on hidden, ok off, ro");
  EXPECT_EQ(window.frontEnd.output, cipherText);
}

TEST(EncrypterSession, ADecryptionInMailClientModeWarnsOfAWrongKeyword) {
  const struct {
    const char* name;
    bool mailClient;
    ByteString plain;
    bool ctrlDown;
    bool warned;
  } cases[] = {
      {"first space at 6", true, "Hallo Welt", false, false},
      {"no space", true, ByteString(60, 'x'), false, true},
      {"no space, Ctrl held", true, ByteString(60, 'x'), true, false},
      {"no space, stand-alone", false, ByteString(60, 'x'), false, false},
  };
  for (const auto& c : cases) {
    Window window;
    window.frontEnd.mailClient = c.mailClient;
    window.session.FormActivate();
    window.Paste(CipherTextOf("geheim", c.plain));
    window.Type(U"geheim");
    window.frontEnd.ctrlDown = c.ctrlDown;
    window.session.ButtonDecryptClick();
    EXPECT_EQ(window.frontEnd.warnings, c.warned ? 1 : 0) << c.name;
    EXPECT_EQ(window.frontEnd.focus.back(), c.warned ? TFocus::kKeywordSelected : TFocus::kOk)
        << c.name;
    // The result stays, and so does "&OK".
    EXPECT_EQ(window.frontEnd.output, c.plain) << c.name;
    EXPECT_TRUE(window.frontEnd.shown.okEnabled) << c.name;
  }
}

TEST(EncrypterSession, OkCopiesTheResultOrHandsItToTheMailClientAndNothingIsLost) {
  const struct {
    const char* name;
    bool mailClientMode, mailClientAtOk, fileExists, notifyReaches, decrypt;
    const char* clipboard;  // nullptr: not copied
    bool sensitive;
    std::vector<std::string> notified;
    const char* file;
  } cases[] = {
      {"stand-alone", false, false, true, true, false, "Mrg5trk=", false, {}, "abc\r\n"},
      {"stand-alone, decrypted", false, false, true, true, true, "abc\r\n", true, {}, "Mrg5trk="},
      {"file written, then told",
       true,
       true,
       true,
       true,
       false,
       nullptr,
       false,
       {"Mrg5trk="},
       "Mrg5trk="},
      {"no file: only told",
       true,
       true,
       false,
       true,
       false,
       nullptr,
       false,
       {"<missing>"},
       "<missing>"},
      {"mail client gone", true, false, true, true, false, "Mrg5trk=", false, {}, "abc\r\n"},
      {"told in vain", true, true, true, false, false, "Mrg5trk=", false, {"Mrg5trk="}, "Mrg5trk="},
  };
  for (const auto& c : cases) {
    ScratchFolder folder;
    Window window;
    window.frontEnd.handOffFile = folder.File("mail.txt");
    if (c.fileExists)
      ScratchFolder::Write(window.frontEnd.handOffFile, c.decrypt ? "Mrg5trk=" : "abc\r\n");
    window.session.SetHandOffFile(window.frontEnd.handOffFile);
    window.frontEnd.mailClient = c.mailClientMode;
    window.session.FormActivate();
    if (!c.fileExists || !c.mailClientMode) window.Paste(c.decrypt ? "Mrg5trk=" : "abc");
    window.Type(U"geheim");
    c.decrypt ? window.session.ButtonDecryptClick() : window.session.ButtonEncryptClick();
    window.frontEnd.mailClient = c.mailClientAtOk;
    window.frontEnd.notifyReaches = c.notifyReaches;
    window.session.ButtonOKClick();
    EXPECT_EQ(window.frontEnd.quits, 1) << c.name;
    EXPECT_EQ(window.frontEnd.clipboardSensitive.has_value(), c.clipboard != nullptr) << c.name;
    if (c.clipboard) {
      EXPECT_EQ(window.frontEnd.clipboard, c.clipboard) << c.name;
      EXPECT_EQ(window.frontEnd.clipboardSensitive, std::optional(c.sensitive)) << c.name;
    }
    EXPECT_EQ(window.frontEnd.notified, c.notified) << c.name;
    EXPECT_EQ(ScratchFolder::Read(window.frontEnd.handOffFile), c.file) << c.name;
  }
}

TEST(EncrypterSession, TheProgramEndsNotWhileACheatSheetCannotSave) {
  Window window;
  window.frontEnd.sheetsSave = false;
  EXPECT_FALSE(window.session.MayClose());
  window.session.ButtonOKClick();
  EXPECT_EQ(window.frontEnd.quits, 0);
  EXPECT_FALSE(window.frontEnd.clipboardSensitive);
  window.frontEnd.sheetsSave = true;
  EXPECT_TRUE(window.session.MayClose());
}

#ifndef _WIN32
TEST(EncrypterSession, AFailedHandOffKeepsTheLetterPutsTheResultOnTheClipboardAndGoesOn) {
  ScratchFolder folder;
  Window window;
  window.frontEnd.handOffFile = folder.File("mail.txt");
  ScratchFolder::Write(window.frontEnd.handOffFile, "abc\r\n");
  window.session.SetHandOffFile(window.frontEnd.handOffFile);
  window.frontEnd.mailClient = true;
  window.session.FormActivate();
  window.Type(U"geheim");
  window.session.ButtonEncryptClick();
  {
    const test::FileSizeLimit limit(4);  // the result has 8 bytes
    EXPECT_THROW(window.session.ButtonOKClick(), EHandOffNotSaved);
  }
  EXPECT_EQ(ScratchFolder::Read(window.frontEnd.handOffFile), "abc\r\n");
  EXPECT_EQ(window.frontEnd.clipboard, "Mrg5trk=");
  EXPECT_TRUE(window.frontEnd.notified.empty());
  EXPECT_EQ(window.frontEnd.quits, 0);
  window.session.ButtonOKClick();  // once more, now with room
  EXPECT_EQ(ScratchFolder::Read(window.frontEnd.handOffFile), "Mrg5trk=");
  EXPECT_EQ(window.frontEnd.quits, 1);
}
#endif

// A window started as a mail program's filter on a text; "&OK" delivers.
struct FilterWindow {
  RecordingFrontEnd frontEnd;
  TComponent formValues;
  TFormVelunorComponents components{formValues};
  std::vector<std::string> delivered;
  TFilterSession session;

  FilterWindow(std::string text, std::size_t wrapColumns)
      : session(frontEnd, components,
                {std::move(text), wrapColumns,
                 [this](const std::string& result) { delivered.push_back(result); }}) {}
};

TEST(FilterSession, CodesTheMailInItsPlaceAndDeliversTheResultOnOk) {
  const std::string mail =
      "Hallo,\n\n" + CipherTextOf("geheim", "Hallo Welt, wie geht es?\r\n") + "\n";
  const struct {
    const char* name;
    std::string text;
    std::size_t wrap;
    bool ctrlDown, decrypt;
    std::u32string keyword;
    std::string state;  // once the keyword is typed
    std::optional<std::string> delivered;
    int warnings;
  } cases[] = {
      {"encrypted, wrapped", "abc", 4, true, false, U"geheim", "on on, ok off, rw", "Mrg5\ntrk=\n",
       0},
      {"encrypted, one line", "abc", 0, true, false, U"geheim", "on on, ok off, rw", "Mrg5trk=\n",
       0},
      {"a cipher text: decrypted in its place", mail, 76, false, true, U"geheim",
       "hidden on, ok off, rw", "Hallo,\n\nHallo Welt, wie geht es?\n", 0},
      {"wrong keyword", mail, 76, false, true, U"anders", "hidden on, ok off, rw", std::nullopt, 1},
      {"wrong keyword, Ctrl held", mail, 76, true, true, U"anders", "on on, ok off, rw",
       std::nullopt, 0},
  };
  for (const auto& c : cases) {
    FilterWindow window(c.text, c.wrap);
    window.frontEnd.mailClient = true;  // not looked for
    window.frontEnd.ctrlDown = c.ctrlDown;
    window.session.FormActivate();
    EXPECT_EQ(window.frontEnd.output, c.text) << c.name;  // shown until the first coding
    window.frontEnd.keyword = c.keyword;
    window.session.EditPasswordChange();
    EXPECT_EQ(window.frontEnd.State(), c.state) << c.name;
    EXPECT_TRUE(window.frontEnd.shown.outputFillsPanel) << c.name;
    c.decrypt ? window.session.ButtonDecryptClick() : window.session.ButtonEncryptClick();
    EXPECT_EQ(window.frontEnd.warnings, c.warnings) << c.name;
    window.session.ButtonOKClick();
    ASSERT_EQ(window.delivered.size(), 1U) << c.name;
    if (c.delivered) {
      EXPECT_EQ(window.delivered[0], *c.delivered) << c.name;
    }
    EXPECT_EQ(window.delivered[0], window.frontEnd.output) << c.name;
    EXPECT_EQ(window.frontEnd.quits, 1) << c.name;
    EXPECT_FALSE(window.frontEnd.clipboardSensitive) << c.name;  // never copied
    EXPECT_FALSE(window.session.MailClientMode()) << c.name;
  }
}

TEST(SingleInstance, ASecondStartTellsTheUserAndBringsTheFirstForward) {
  // The steps taken, in their order.
  struct Running : TRunningInstance {
    bool runs = false;
    std::string steps;
    bool Find() override {
      steps += "find";
      return runs;
    }
    void ShowAlreadyRunningNotice() override { steps += ", notice"; }
    void BringForward() override { steps += ", forward"; }
    void ProcessPendingMessage() override { steps += ", pending"; }
  };
  for (const bool runs : {false, true}) {
    Running running;
    running.runs = runs;
    EXPECT_EQ(AnotherInstanceRuns(running), runs);
    EXPECT_EQ(running.steps, runs ? "find, notice, forward, pending" : "find");
  }
}

}  // namespace
}  // namespace velunor::encrypter
