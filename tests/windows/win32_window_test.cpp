// The Win32 window's parts on real controls (run under Wine on a display):
// the rich edit text box gives and takes its text as the Qt box does, a
// read-only box ignores a paste but not the program, the clipboard keeps a
// decrypted text out of Windows' histories, the texts fill in their parts.
#include <gtest/gtest.h>

#include <string>

#include "win32/clipboard.h"
#include "win32/rich_text_box.h"
#include "win32/wide_text.h"
#include "win32/windows_api.h"

namespace velunor::win32 {
namespace {

class Win32Window : public testing::Test {
 protected:
  void SetUp() override {
    parent_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 400, 200, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(parent_, nullptr);
  }
  void TearDown() override { DestroyWindow(parent_); }

  // The clipboard's text, or none.
  static std::wstring ClipboardText() {
    std::wstring text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
      text = static_cast<const wchar_t*>(GlobalLock(data));
      GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
  }
  static bool ClipboardHas(const wchar_t* format) {
    return IsClipboardFormatAvailable(RegisterClipboardFormatW(format)) != 0;
  }

  HWND parent_ = nullptr;
};

// What the window sets as a box's text comes back as the same code page
// 1252 text with CR LF breaks; the box holds one paragraph per line.
TEST_F(Win32Window, TextBoxKeepsItsTextByteForByte) {
  int inputs = 0;
  TRichTextBox box(parent_, 1, [&] { ++inputs; });
  ASSERT_NE(box.Handle(), nullptr);
  struct Case {
    std::string set;
    std::string text;
  };
  const Case cases[] = {
      {"", ""},
      {"abc", "abc"},
      {"a\r\n\r\nb\r\n", "a\r\n\r\nb\r\n"},
      {"a\nb\rc", "a\r\nb\r\nc"},
      {std::string("ab\0cd", 5), "ab"},
      {"Gr\xFC\xDF"
       "e \x80 \x81" +
           std::string(5000, 'x'),
       "Gr\xFC\xDF"
       "e \x80 \x81" +
           std::string(5000, 'x')},
  };
  for (const Case& c : cases) {
    box.SetText(c.set);
    EXPECT_EQ(box.Text(), c.text) << testing::PrintToString(c.set);
  }
  box.SetContent(L"\u0142 \U0001F600");
  EXPECT_EQ(box.CharactersOutsideCodePage(), U"\u0142\U0001F600");
  EXPECT_EQ(box.Text(), "? ?");
}

// A read-only box ignores a paste; the program still sets its text.
TEST_F(Win32Window, ReadOnlyBoxIgnoresAPasteOnly) {
  TRichTextBox box(parent_, 1, [] {});
  ASSERT_TRUE(PutTextOnClipboard(parent_, L"eingef\u00FCgt\r\nzwei", TClipboardMark::kNone));
  box.SetText("alt");
  box.SelectWholeText();
  box.PasteClipboardText();
  EXPECT_EQ(box.Text(), "eingef\xFCgt\r\nzwei");
  box.SetReadOnly(true);
  box.SetText("alt");
  box.SelectWholeText();
  box.PasteClipboardText();
  EXPECT_EQ(box.Text(), "alt");
}

// Only a decrypted text carries the formats that keep it out of the
// clipboard history, the cloud clipboard and clipboard monitors.
TEST_F(Win32Window, SensitiveTextIsKeptOutOfTheHistories) {
  const wchar_t* const marks[] = {L"ExcludeClipboardContentFromMonitorProcessing",
                                  L"CanIncludeInClipboardHistory", L"CanUploadToCloudClipboard"};
  for (const TClipboardMark mark : {TClipboardMark::kNone, TClipboardMark::kSensitive}) {
    ASSERT_TRUE(PutTextOnClipboard(parent_, L"Klartext", mark));
    EXPECT_EQ(ClipboardText(), L"Klartext");
    for (const wchar_t* format : marks) {
      EXPECT_EQ(ClipboardHas(format), mark == TClipboardMark::kSensitive);
    }
  }
}

TEST(WideText, FillsInEachPartOnce) {
  EXPECT_EQ(FillIn(L"Das Programm %1 l\u00E4uft bereits.", {L"cmvelunor.exe"}),
            L"Das Programm cmvelunor.exe l\u00E4uft bereits.");
  EXPECT_EQ(FillIn(L"%1 (%2), %3", {L"%2", L"b"}), L"%2 (b), %3");
  EXPECT_EQ(Utf8FromUtf16(L"\u20AC\U0001F600"), "\xE2\x82\xAC\xF0\x9F\x98\x80");
}

}  // namespace
}  // namespace velunor::win32
