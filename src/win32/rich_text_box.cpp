#include "win32/rich_text_box.h"

#include <commctrl.h>
#include <richedit.h>

#include "runtime/box_text.h"

namespace velunor::win32 {

namespace {

// The rich edit window class of the newest library there is.
const wchar_t* RichEditClass() {
  static const wchar_t* const name = []() -> const wchar_t* {
    if (LoadLibraryW(L"Msftedit.dll") != nullptr) return MSFTEDIT_CLASS;
    if (LoadLibraryW(L"Riched20.dll") != nullptr) return RICHEDIT_CLASSW;
    return nullptr;
  }();
  return name;
}

std::u16string_view Utf16Of(const std::wstring& text) {
  return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}

std::wstring WideOf(std::u16string_view text) {
  return {reinterpret_cast<const wchar_t*>(text.data()), text.size()};
}

// The box's limit of characters: far beyond any mail (the control's own
// default of 32,767 would cut a pasted text short without a word).
constexpr LPARAM kTextLimit = 0x7FFFFFF;

}  // namespace

TRichTextBox::TRichTextBox(HWND parent, int id, TInputEvent onInput)
    : onInput_(std::move(onInput)) {
  const wchar_t* className = RichEditClass();
  if (className == nullptr) return;
  window_ = CreateWindowExW(WS_EX_CLIENTEDGE, className, L"",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_HSCROLL | WS_VSCROLL |
                                ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_WANTRETURN |
                                ES_DISABLENOSCROLL | ES_NOHIDESEL,
                            0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            GetModuleHandleW(nullptr), nullptr);
  if (window_ == nullptr) return;
  SendMessageW(window_, EM_EXLIMITTEXT, 0, kTextLimit);
  // A target device of width 1: a paragraph stays one line, however wide.
  SendMessageW(window_, EM_SETTARGETDEVICE, 0, 1);
  SendMessageW(window_, EM_SETUNDOLIMIT, 0, 0);
  SendMessageW(window_, EM_AUTOURLDETECT, FALSE, 0);
  SendMessageW(window_, EM_SETOPTIONS, ECOOP_AND, ~static_cast<LPARAM>(ECO_SELECTIONBAR));
  SendMessageW(window_, EM_SETLANGOPTIONS, 0, IMF_AUTOFONT);
  SendMessageW(window_, EM_SETEVENTMASK, 0, ENM_CHANGE);
  SendMessageW(window_, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(GetSysColor(COLOR_INFOBK)));
  CHARFORMAT2W format{};
  format.cbSize = sizeof format;
  format.dwMask = CFM_COLOR;
  format.crTextColor = GetSysColor(COLOR_INFOTEXT);
  SendMessageW(window_, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
  SetWindowSubclass(window_, &TRichTextBox::Subclass, 1, reinterpret_cast<DWORD_PTR>(this));
}

std::wstring TRichTextBox::Content() const {
  GETTEXTLENGTHEX lengthQuery{GTL_NUMCHARS | GTL_PRECISE, 1200};
  const auto length =
      SendMessageW(window_, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&lengthQuery), 0);
  if (length <= 0) return {};
  std::wstring content(static_cast<std::size_t>(length) + 1, L'\0');
  GETTEXTEX query{};
  query.cb = static_cast<DWORD>(content.size() * sizeof(wchar_t));
  query.flags = GT_DEFAULT;
  query.codepage = 1200;
  const auto copied = SendMessageW(window_, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&query),
                                   reinterpret_cast<LPARAM>(content.data()));
  content.resize(static_cast<std::size_t>(copied < 0 ? 0 : copied));
  return content;
}

ByteString TRichTextBox::Text() const {
  return BoxTextOfContent(Utf16Of(Content()));
}

void TRichTextBox::SetContent(const std::wstring& content) {
  if (content == Content()) return;
  // Allowed on a read-only box: it only keeps the user from changing it.
  SETTEXTEX setting{ST_DEFAULT, 1200};
  SendMessageW(window_, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&setting),
               reinterpret_cast<LPARAM>(content.c_str()));
}

void TRichTextBox::SetText(std::string_view bytes) {
  SetContent(WideOf(BoxContentOfText(bytes, u'\r')));
}

std::u32string TRichTextBox::CharactersOutsideCodePage() const {
  return CharactersOutsideCp1252(Utf16Of(Content()));
}

void TRichTextBox::SelectWholeText() {
  SendMessageW(window_, EM_SETSEL, 0, -1);
}

void TRichTextBox::PasteClipboardText() {
  if ((GetWindowLongW(window_, GWL_STYLE) & ES_READONLY) != 0) return;
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) return;
  CHARRANGE selection{};
  SendMessageW(window_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  // Plain text only: no pictures, no formatting of the copied text.
  SendMessageW(window_, EM_PASTESPECIAL, CF_UNICODETEXT, 0);
  // Shows the start of what came in, not its end.
  SendMessageW(window_, EM_SETSEL, static_cast<WPARAM>(selection.cpMin), selection.cpMin);
  SendMessageW(window_, EM_SCROLLCARET, 0, 0);
}

void TRichTextBox::SetReadOnly(bool readOnly) {
  SendMessageW(window_, EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
  // The control greys its background when read-only; the boxes keep theirs.
  SendMessageW(window_, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(GetSysColor(COLOR_INFOBK)));
}

LRESULT CALLBACK TRichTextBox::Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR self) {
  const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
  switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
      reinterpret_cast<TRichTextBox*>(self)->onInput_();
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(window, &TRichTextBox::Subclass, 1);
      break;
    default:
      break;
  }
  return result;
}

}  // namespace velunor::win32
