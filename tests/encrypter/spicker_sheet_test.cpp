// The cheat sheet's rules without a window: where its file lives, how a
// sheet loads and saves it, and that nothing is lost; and the plain-text
// save of the hand-off file.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "encrypter/code_page_fault.h"
#include "encrypter/hand_off_file.h"
#include "encrypter/spicker_file.h"
#include "encrypter/spicker_session.h"
#include "encrypter/spicker_sheet.h"
#include "support/scratch_folder.h"

namespace velunor::encrypter {
namespace {

using test::ScratchFolder;

// The sheet's text box as a plain value.
struct Memo : TSpickerMemo {
  std::string text;
  bool modified = false;

  std::string Text() override { return text; }
  void SetText(std::string_view utf8) override { text = utf8; }
  bool Modified() override { return modified; }
  void SetModified(bool value) override { modified = value; }
  void Type(std::string_view utf8) {
    text = utf8;
    modified = true;
  }
};

TEST(SpickerFile, IsNamedAfterTheProgram) {
  const struct {
    std::string program, file;
  } cases[] = {
      {"/opt/velunor/cmvelunor", "/opt/velunor/cmvelunor.msg"},
      {"/opt/velunor/CMVelunor.exe", "/opt/velunor/CMVelunor.msg"},
      {"/opt/a.b.c", "/opt/a.b.msg"},
      {"/opt/v1.2/cmvelunor", "/opt/v1.2/cmvelunor.msg"},
#ifdef _WIN32
      {"C:\\Programme\\v1.2\\cmvelunor", "C:\\Programme\\v1.2\\cmvelunor.msg"},
      {"C:\\Programme\\CMVelunor\\cmvelunor.exe", "C:\\Programme\\CMVelunor\\cmvelunor.msg"},
#endif
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SpickerFileNameBeside(c.program), c.file) << c.program;
  }
}

std::filesystem::path PathOf(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

TEST(SpickerFile, LivesBesideTheProgramWhereItsFolderCanBeWritten) {
  ScratchFolder folder;
  const std::string fallback = folder.File("data");
  EXPECT_EQ(ChooseSpickerFileName(folder.File("cmvelunor.exe"), fallback),
            folder.File("cmvelunor.msg"));
  // A folder the program cannot write to (here: none at all).
  const std::string unwritable = folder.File("gone");
  EXPECT_FALSE(DirectoryIsWritable(unwritable));
  EXPECT_EQ(PathOf(ChooseSpickerFileName(unwritable + "/cmvelunor.exe", fallback)),
            PathOf(fallback) / "cmvelunor.msg");
}

TEST(SpickerSheet, LoadsTheFileAndSavesItWithCrLfBreaks) {
  const struct {
    const char* name;
    std::optional<std::string> stored;  // none: no file
    std::string shown;
    std::optional<std::string> typed;
    std::string saved;
  } cases[] = {
      {"no file: an empty file is made", std::nullopt, "", std::nullopt, ""},
      {"lone LF", "a\nb", "a\nb", std::nullopt, "a\r\nb"},
      {"lone CR", "a\rb", "a\nb", std::nullopt, "a\r\nb"},
      {"final break kept", "a\r\nb\r\n", "a\nb\n", std::nullopt, "a\r\nb\r\n"},
      {"code page 1252", "Gr\xFC\xDF \x80", "Grüß €", std::nullopt, "Gr\xFC\xDF \x80"},
      {"ends at a zero byte", std::string("ab\0cd", 5), "ab", std::nullopt, "ab"},
      {"typed", "alt", "alt", "neu\nTäxt", "neu\r\nT\xE4xt"},
  };
  for (const auto& c : cases) {
    ScratchFolder folder;
    const std::string file = folder.File("cmvelunor.msg");
    if (c.stored) ScratchFolder::Write(file, *c.stored);
    Memo memo;
    TSpickerSheet sheet(memo, file);
    sheet.Load();
    EXPECT_EQ(memo.text, c.shown) << c.name;
    if (c.typed) memo.Type(*c.typed);
    sheet.SaveAndFinish();
    EXPECT_TRUE(sheet.Done()) << c.name;
    EXPECT_EQ(ScratchFolder::Read(file), c.saved) << c.name;
  }
}

TEST(SpickerSheet, NoTextIsLost) {
  ScratchFolder folder;
  const std::string file = folder.File("cmvelunor.msg");
  ScratchFolder::Write(file, "alt");

  // A text code page 1252 cannot hold is not saved, and stays in the memo.
  Memo first;
  TSpickerSheet older(first, file);
  older.Load();
  first.Type("Złoty");
  try {
    older.SaveAndFinish();
    ADD_FAILURE() << "saved";
  } catch (const ECodePageFault& fault) {
    EXPECT_EQ(fault.Field(), TCodePageField::kCheatSheet);
  }
  EXPECT_FALSE(older.Done());
  older.Load();  // back after the failed save: the memo keeps its text
  EXPECT_EQ(first.text, "Złoty");
  EXPECT_EQ(ScratchFolder::Read(file), "alt");

  // At the program's end it is kept beside the file, and the next sheet shows it.
  older.SaveAtProgramEnd();
  EXPECT_EQ(ScratchFolder::Read(KeptTextFileName(file)), "Złoty");
  EXPECT_EQ(KeptTextNotice(KeptTextFileName(file)), TKeptTextNotice::kKept);
  Memo second;
  TSpickerSheet newer(second, file);
  newer.Load();
  EXPECT_EQ(second.text, "Złoty");
  EXPECT_TRUE(second.modified);
  second.Type("Zloty\nneu");
  newer.SaveAndFinish();
  EXPECT_EQ(ScratchFolder::Read(file), "Zloty\r\nneu");
  EXPECT_EQ(ScratchFolder::Read(KeptTextFileName(file)), "<missing>");

  // A sheet that has had its last word never writes again.
  older.Abandon();
  older.SaveAtProgramEnd();
  EXPECT_EQ(ScratchFolder::Read(file), "Zloty\r\nneu");
}

// The sheet's window: its memo, and what its handlers made it do.
struct Window : TSpickerWindow {
  Memo memo;
  int closed = 0, broughtToFront = 0;
  std::vector<std::string> failures;

  std::string Text() override { return memo.Text(); }
  void SetText(std::string_view utf8) override { memo.SetText(utf8); }
  bool Modified() override { return memo.Modified(); }
  void SetModified(bool value) override { memo.SetModified(value); }
  void Close() override { ++closed; }
  void ComeToFront() override { ++broughtToFront; }
  void ShowFailure(std::exception_ptr failure) override {
    try {
      std::rethrow_exception(failure);
    } catch (const Exception& shown) {
      failures.push_back(shown.Message());
    }
  }
};

// What happens to a sheet once its file is loaded and a text typed; false:
// the window may not close, or the program not end.
enum class Then { kMainWindowActive, kEsc, kCloseButton, kProgramEnd };

bool Happens(Then then, TSpickerSession& session) {
  switch (then) {
    case Then::kMainWindowActive:
      session.GradientFormDeactivate();
      session.GradientFormDeactivate();  // closed by now: nothing more
      return true;
    case Then::kEsc:
      session.ButtonEscClick();
      return session.CloseQuery();
    case Then::kCloseButton:
      return session.CloseQuery();
    case Then::kProgramEnd:
      return session.SaveBeforeProgramEnd();
  }
  return false;
}

TEST(SpickerSession, SavesAsTheWindowClosesAndStaysOpenWhenItCannot) {
  const std::string tooLong(kMemoCapacity + 1, 'x');
  const std::string lacking =
      "Der Spickzettel enthält Zeichen, die der Zeichensatz Windows-1252 nicht darstellen kann: "
      "„ł“ (U+0142). Bitte ersetzen oder entfernen Sie diese Zeichen.";
  const std::string capacity = "Text überschreitet Memo-Kapazität";
  const struct {
    std::string stored, typed;
    Then then;
    bool result;
    std::string file;
    int closed, broughtToFront;
    std::vector<std::string> failures;
  } cases[] = {
      {"alt", "neu", Then::kMainWindowActive, true, "neu", 1, 0, {}},
      {"alt", "neu", Then::kEsc, true, "neu", 1, 0, {}},
      {"alt", "neu", Then::kCloseButton, true, "neu", 0, 0, {}},
      {"alt", "Złoty", Then::kEsc, false, "alt", 0, 0, {lacking, lacking}},
      {"alt", "Złoty", Then::kProgramEnd, false, "alt", 0, 1, {lacking}},
      // A file that cannot be shown closes the window unsaved, and stays.
      {tooLong, "", Then::kMainWindowActive, true, tooLong, 1, 0, {capacity}},
      {tooLong, "", Then::kProgramEnd, true, tooLong, 1, 0, {capacity}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed + " " + std::to_string(static_cast<int>(c.then)));
    ScratchFolder folder;
    const std::string file = folder.File("cmvelunor.msg");
    ScratchFolder::Write(file, c.stored);
    Window window;
    {
      TSpickerSession session(window, file);
      session.GradientFormActivate();
      if (!c.typed.empty()) window.memo.Type(c.typed);
      EXPECT_EQ(Happens(c.then, session), c.result);
      session.GradientFormDestroy();  // the end: a sheet still open saves (or keeps) its text
    }
    EXPECT_EQ(ScratchFolder::Read(file), c.file);
    EXPECT_EQ(window.closed, c.closed);
    EXPECT_EQ(window.broughtToFront, c.broughtToFront);
    EXPECT_EQ(window.failures, c.failures);
  }
}

TEST(HandOffFile, IsReplacedWholeByTheResult) {
  ScratchFolder folder;
  const std::string file = folder.File("mail.txt");
  ScratchFolder::Write(file, "a much longer old content that must go");
  SaveTextFile(file, "Gr\xFC\xDF\r\n");
  EXPECT_EQ(ScratchFolder::Read(file), "Gr\xFC\xDF\r\n");
  const std::string missing = folder.File("new.txt");
  SaveTextFile(missing, "x");
  EXPECT_EQ(ScratchFolder::Read(missing), "x");
}

TEST(HandOffFile, SaysWhyItCannotBeSaved) {
  ScratchFolder folder;
  const std::string noFolder = folder.File("no") + "/out.txt";
  const struct {
    std::string path, message;
  } cases[] = {
      {noFolder, "Datei " + noFolder + " kann nicht erstellt werden"},
#ifndef _WIN32
      {"/dev/full", "Das Speichern des Streams ist mißlungen"},
#endif
  };
  for (const auto& c : cases) {
    try {
      SaveTextFile(c.path, "text");
      ADD_FAILURE() << c.path << ": saved";
    } catch (const Exception& failure) {
      EXPECT_EQ(failure.Message(), c.message);
    }
  }
}

}  // namespace
}  // namespace velunor::encrypter
