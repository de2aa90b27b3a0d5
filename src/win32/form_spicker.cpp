#include "win32/form_spicker.h"

#include <set>
#include <string>

#include "encrypter/caption_description.h"
#include "encrypter/spicker_file.h"
#include "win32/message_boxes.h"
#include "win32/ui_texts.h"
#include "win32/wide_text.h"

namespace velunor::win32 {

namespace {

constexpr const wchar_t* kClassName = L"TFormSpicker";
constexpr int kMemoId = 100;
// Destroys a window that has closed, once the handler that closed it has
// returned.
constexpr UINT kDestroyClosed = WM_APP + 1;
// The controls at 100 %: the memo fills the panel above the bar of the
// label and the button, 34 pixels high.
constexpr int kPanelHeight = 182;
constexpr int kLabelLeft = 3;
constexpr int kLabelTop = 11;
constexpr int kLabelWidth = 362;
constexpr int kLabelHeight = 13;
constexpr int kButtonLeft = 371;
constexpr int kButtonTop = 6;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kFontPoints = 8;

// The sheets now open, for the end of the program.
std::set<TFormSpicker*>& OpenSheets() {
  static std::set<TFormSpicker*> sheets;
  return sheets;
}

std::string ProgramFilePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return Utf8FromUtf16(path);
    }
    path.resize(path.size() * 2);
  }
}

// The edit control takes and gives CR LF; the sheet's rules speak LF.
std::wstring WithCrLf(std::wstring_view text) {
  std::wstring result;
  result.reserve(text.size());
  for (const wchar_t c : text) {
    if (c == L'\n') result += L'\r';
    result += c;
  }
  return result;
}

std::wstring WithoutCr(std::wstring text) {
  std::erase(text, L'\r');
  return text;
}

}  // namespace

TFormSpicker::TFormSpicker() : caption_(encrypter::CaptionDescription("FormSpicker")) {}

TFormSpicker::~TFormSpicker() {
  OpenSheets().erase(this);
  if (font_ != nullptr) DeleteObject(font_);
}

void TFormSpicker::Open(HWND owner) {
  auto* sheet = new TFormSpicker();
  if (!sheet->Create(owner)) {
    delete sheet;
    return;
  }
  OpenSheets().insert(sheet);
  // Centred over the main window, and shown without waiting.
  RECT ownerFrame;
  RECT frame;
  GetWindowRect(owner, &ownerFrame);
  GetWindowRect(sheet->window_, &frame);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  SetWindowPos(sheet->window_, HWND_TOPMOST,
               ownerFrame.left + (ownerFrame.right - ownerFrame.left - width) / 2,
               ownerFrame.top + (ownerFrame.bottom - ownerFrame.top - height) / 2, 0, 0,
               SWP_NOSIZE);
  ShowWindow(sheet->window_, SW_SHOW);
}

bool TFormSpicker::SaveOpenSheets() {
  for (TFormSpicker* sheet : OpenSheets()) {
    if (!sheet->session_->SaveBeforeProgramEnd()) return false;
  }
  return true;
}

bool TFormSpicker::PreTranslateMessage(const MSG& message) {
  const HWND sheet = GetAncestor(message.hwnd, GA_ROOT);
  for (TFormSpicker* open : OpenSheets()) {
    if (open->window_ == sheet) return IsDialogMessageW(sheet, const_cast<MSG*>(&message)) != 0;
  }
  return false;
}

bool TFormSpicker::Create(HWND owner) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  if (GetClassInfoExW(instance, kClassName, &windowClass) == 0) {
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &TFormSpicker::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = kClassName;
    if (RegisterClassExW(&windowClass) == 0) return false;
  }
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  const DWORD exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  scale_.dpi = WindowDpi(owner);
  const std::wstring caption = UiText("Spickzettel für Schlüsselwörter");
  window_ = CreateWindowExW(exStyle, kClassName, caption.c_str(), style, 0, 0, kOuterWidth,
                            kClientHeight, owner, nullptr, instance, this);
  if (window_ == nullptr) return false;
  // The client area as laid out, at the window's resolution; then the
  // outer width creation sets.
  const SIZE outer =
      OuterSizeFor({scale_(kClientWidth), scale_(kClientHeight)}, style, exStyle, scale_.dpi);
  SetWindowPos(window_, nullptr, 0, 0, scale_(kOuterWidth), outer.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  CreateControls();
  session_ = std::make_unique<encrypter::TSpickerSession>(
      static_cast<encrypter::TSpickerWindow&>(*this),
      encrypter::SpickerFileNameFor(ProgramFilePath()));
  return true;
}

void TFormSpicker::CreateControls() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  font_ = CreateFontW(-MulDiv(kFontPoints, static_cast<int>(scale_.dpi), 72), 0, 0, 0, FW_NORMAL,
                      FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                      DEFAULT_QUALITY, DEFAULT_PITCH, L"MS Sans Serif");
  RECT client;
  GetClientRect(window_, &client);
  memo_ =
      CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                      WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                          ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN,
                      0, 0, client.right, scale_(kPanelHeight), window_,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kMemoId)), instance, nullptr);
  // The sheet's own limit is the core's (kMemoCapacity); the box takes
  // whatever it is given.
  SendMessageW(memo_, EM_SETLIMITTEXT, 0, 0);
  const std::wstring label =
      UiText("Änderungen im Spickzettel werden immer automatisch gespeichert");
  HWND label1 =
      CreateWindowExW(0, L"STATIC", label.c_str(), WS_CHILD | WS_VISIBLE | SS_CENTER,
                      scale_(kLabelLeft), scale_(kPanelHeight + kLabelTop), scale_(kLabelWidth),
                      scale_(kLabelHeight), window_, nullptr, instance, nullptr);
  const std::wstring close = UiText("&Schließen");
  HWND button = CreateWindowExW(
      0, L"BUTTON", close.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
      scale_(kButtonLeft), scale_(kPanelHeight + kButtonTop), scale_(kButtonWidth),
      scale_(kButtonHeight), window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDCANCEL)),
      instance, nullptr);
  for (HWND control : {memo_, label1, button}) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  }
}

LRESULT CALLBACK TFormSpicker::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* sheet = reinterpret_cast<TFormSpicker*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (sheet == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  if (sheet->window_ == nullptr) sheet->window_ = window;
  LRESULT result = 0;
  if (sheet->caption_.HandleMessage(window, message, wParam, lParam, result)) return result;
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    delete sheet;
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return sheet->HandleMessage(message, wParam, lParam);
}

LRESULT TFormSpicker::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ACTIVATE:
      // Not the default handling, which would take the focus from the memo.
      Activation(wParam, reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL && session_) session_->ButtonEscClick();
      return 0;
    case WM_CLOSE:
      if (session_ && session_->CloseQuery()) Close();
      return 0;
    case kDestroyClosed:
      DestroyWindow(window_);
      return 0;
    case WM_DESTROY:
      // The owner goes, at the end of the program.
      if (session_) session_->GradientFormDestroy();
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

// Only the focus moving between the program's own windows activates or
// deactivates the sheet: switching to another program and back does not.
void TFormSpicker::Activation(WPARAM wParam, HWND other) {
  DWORD process = 0;
  if (other != nullptr) GetWindowThreadProcessId(other, &process);
  const bool ours = process == GetCurrentProcessId();
  if (LOWORD(wParam) != WA_INACTIVE) {
    SetFocus(memo_);
    if (activatedOnce_ && !ours) return;
    activatedOnce_ = true;
    session_->GradientFormActivate();
  } else if (ours && IsWindowVisible(window_)) {
    session_->GradientFormDeactivate();
  }
}

std::string TFormSpicker::Text() {
  const int length = GetWindowTextLengthW(memo_);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(memo_, text.data(), length + 1)));
  return Utf8FromUtf16(WithoutCr(std::move(text)));
}

void TFormSpicker::SetText(std::string_view utf8) {
  SetWindowTextW(memo_, WithCrLf(Utf16FromUtf8(utf8)).c_str());
}

bool TFormSpicker::Modified() {
  return SendMessageW(memo_, EM_GETMODIFY, 0, 0) != 0;
}

void TFormSpicker::SetModified(bool modified) {
  SendMessageW(memo_, EM_SETMODIFY, modified ? TRUE : FALSE, 0);
}

void TFormSpicker::Close() {
  // Hidden at once, destroyed once the handler that closed it has ended.
  ShowWindow(window_, SW_HIDE);
  PostMessageW(window_, kDestroyClosed, 0, 0);
}

void TFormSpicker::ComeToFront() {
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
}

void TFormSpicker::ShowFailure(std::exception_ptr failure) {
  RunHandler(window_, [failure] { std::rethrow_exception(failure); });
}

}  // namespace velunor::win32
