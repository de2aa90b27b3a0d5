#include "win32/form_velunor.h"

#include <commctrl.h>

#include "encrypter/keyword_rule.h"
#include "win32/form_velunor_front_end.h"
#include "win32/glyphs.h"
#include "win32/message_boxes.h"
#include "win32/ui_texts.h"

namespace velunor::win32 {

namespace {

constexpr int kClientWidth = 536;
constexpr int kClientHeight = 331;
// The panels, in layout pixels: the keyword line, the middle with the two
// boxes, and the buttons at the bottom.
constexpr RECT kPanelTop{0, 0, kClientWidth, 57};
constexpr RECT kPanelClient{0, 57, kClientWidth, 290};
constexpr int kPanelBottomTop = 290;

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExtendedStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;

// Control ids. Esc's button has the id that the dialog manager gives Esc;
// no control has IDOK, so that Enter presses nothing by itself.
enum TControlId : int {
  kEditPassword = 100,
  kLabel1,
  kRichEditIn,
  kRichEditOut,
  kButtonEncrypt,
  kButtonDecrypt,
  kButtonOK,
  kTBSpicker,
  kTBButtonPasteFromClipboard,
  kActSpickzettel,
  kActPaste,
  kButtonEsc = IDCANCEL,
};

// A rectangle of layout pixels: left, top, width, height.
constexpr RECT At(int left, int top, int width = 0, int height = 0) {
  return {left, top, width, height};
}

// The window font, "MS Sans Serif" 8 point. Its bitmaps fit 96 dpi; at
// other dots per inch its TrueType twin keeps the texts sharp.
HFONT NewWindowFont(UINT dpi) {
  const wchar_t* face = dpi == kLayoutDpi ? L"MS Sans Serif" : L"Microsoft Sans Serif";
  return CreateFontW(-MulDiv(8, static_cast<int>(dpi), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_SWISS, face);
}

// The size of a label's text in the window font, as the label draws it.
SIZE TextSize(HWND label, HFONT font) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(label)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(label, text.data(), static_cast<int>(text.size()))));
  HDC dc = GetDC(label);
  const HGDIOBJ old = SelectObject(dc, font);
  RECT bounds{};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &bounds,
            DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX | DT_EXPANDTABS);
  SelectObject(dc, old);
  ReleaseDC(label, dc);
  return {bounds.right - bounds.left, bounds.bottom - bounds.top};
}

wchar_t UpperCase(wchar_t letter) {
  // CharUpperW takes a single character in the low word of its pointer.
  const auto upper = reinterpret_cast<ULONG_PTR>(
      CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(letter))));
  return static_cast<wchar_t>(upper);
}

// The letter that Alt presses a button with: the one after "&" in its caption.
wchar_t MnemonicOf(HWND button) {
  wchar_t caption[64] = {};
  GetWindowTextW(button, caption, 64);
  const std::wstring_view text(caption);
  const std::size_t mark = text.find(L'&');
  if (mark == std::wstring_view::npos || mark + 1 >= text.size()) return 0;
  return UpperCase(text[mark + 1]);
}

LRESULT CALLBACK KeywordBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR form) {
  const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
  if (message == WM_LBUTTONUP) {
    // A click into the keyword box: the focus stays (or comes back) there.
    reinterpret_cast<TFormVelunor*>(form)->Session().ReturnFocusToKeyword();
  }
  return result;
}

}  // namespace

TFormVelunor::TFormVelunor(platform::TWindowSystem& windowSystem)
    : windowSystem_(windowSystem), frontEnd_(std::make_unique<TFrontEnd>(*this, windowSystem)) {}

TFormVelunor::~TFormVelunor() {
  if (window_ != nullptr) DestroyWindow(window_);
  if (shortcuts_ != nullptr) DestroyAcceleratorTable(shortcuts_);
  if (font_ != nullptr) DeleteObject(font_);
}

bool TFormVelunor::Create() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = &TFormVelunor::WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = kClassName;
  if (RegisterClassExW(&windowClass) == 0) return false;
  const std::wstring caption = UiText("CMVelunor - Text ent-/verschlüsseln");
  // Made on the primary monitor, whose dots per inch it takes at first.
  window_ = CreateWindowExW(kExtendedStyle, kClassName, caption.c_str(), kStyle, 0, 0, 0, 0,
                            nullptr, nullptr, instance, this);
  if (window_ == nullptr) return false;
  UseDpi(WindowDpi(window_));
  CreateControls();
  if (RichEditIn->Handle() == nullptr || RichEditOut->Handle() == nullptr) return false;
  const ACCEL keys[] = {
      {FVIRTKEY, VK_F1, kActSpickzettel},
      {FVIRTKEY | FCONTROL, 'V', kActPaste},
  };
  shortcuts_ = CreateAcceleratorTableW(const_cast<ACCEL*>(keys), 2);
  Layout();
  PlaceCentred();
  // FormCreate: the session chooses the coding's algorithms.
  session_ = std::make_unique<encrypter::TEncrypterSession>(*frontEnd_, components_);
  frontEnd_->ShowControls(session_->Controls());
  return true;
}

void TFormVelunor::Show(int showCommand) {
  ShowWindow(window_, showCommand == SW_HIDE ? SW_SHOWNORMAL : showCommand);
  SetForegroundWindow(window_);
}

// ---- Controls ----------------------------------------------------------------

HWND TFormVelunor::NewControl(const wchar_t* className, std::string_view german, DWORD style,
                              int id, DWORD extendedStyle) {
  HWND control = CreateWindowExW(extendedStyle, className, UiText(german).c_str(),
                                 WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, window_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleW(nullptr), nullptr);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  return control;
}

HWND TFormVelunor::NewLabel(std::string_view german, RECT layout, bool rightAligned) {
  // SS_NOTIFY: the label takes the mouse, for its hint and double click.
  HWND label =
      NewControl(L"STATIC", german,
                 SS_NOPREFIX | SS_NOTIFY | (rightAligned ? SS_RIGHT : SS_LEFTNOWORDWRAP), 0);
  placements_.push_back({label, layout, rightAligned});
  return label;
}

HWND TFormVelunor::NewButton(std::string_view german, RECT layout, int id) {
  HWND button = NewControl(L"BUTTON", german, WS_TABSTOP | BS_PUSHBUTTON, id);
  placements_.push_back({button, layout});
  return button;
}

void TFormVelunor::CreateControls() {
  // Made in the tab order: the keyword, the bottom buttons, then the boxes.
  CreateTopPanel();
  CreateBottomPanel();
  CreateClientPanel();
  CreateTooltips();
}

void TFormVelunor::CreateTopPanel() {
  const int top = kPanelTop.top;
  Label1 = NewLabel("Schlüsselwort: ", At(10, top + 10));
  SetWindowLongPtrW(Label1, GWLP_ID, kLabel1);
  EditPassword =
      NewControl(L"EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, kEditPassword, WS_EX_CLIENTEDGE);
  SendMessageW(EditPassword, EM_LIMITTEXT, encrypter::kMaxKeywordBytes, 0);
  SetWindowSubclass(EditPassword, KeywordBoxProc, 1, reinterpret_cast<DWORD_PTR>(this));
  placements_.push_back({EditPassword, At(85, top + 7, 440, 21)});
  Label4 = NewLabel("Das Schlüsselwort muß zwischen 3 und 70 Zeichen lang sein", At(85, top + 32));
  Label7 = NewLabel("Rijndael 256bit Key", At(432, top + 32));
  EnableWindow(Label7, FALSE);
}

void TFormVelunor::CreateBottomPanel() {
  const int top = kPanelBottomTop;
  ButtonEncrypt = NewButton("Verschlüsseln", At(86, top + 9, 90, 25), kButtonEncrypt);
  ButtonDecrypt = NewButton("Entschlüsseln", At(185, top + 9, 90, 25), kButtonDecrypt);
  ButtonEsc = NewButton("Abbrechen", At(451, top + 9, 75, 25), kButtonEsc);
  ButtonOK = NewButton("&OK", At(372, top + 9, 75, 25), kButtonOK);
  TBSpicker = NewControl(L"BUTTON", "", BS_OWNERDRAW, kTBSpicker);
  placements_.push_back({TBSpicker, At(11, top + 10, 23, 22)});
}

void TFormVelunor::CreateClientPanel() {
  const int top = kPanelClient.top;
  const auto returnFocus = [this] { Run(&encrypter::TEncrypterSession::ReturnFocusToKeyword); };
  RichEditIn = std::make_unique<TRichTextBox>(window_, kRichEditIn, returnFocus);
  RichEditOut = std::make_unique<TRichTextBox>(window_, kRichEditOut, returnFocus);
  for (TRichTextBox* box : {RichEditIn.get(), RichEditOut.get()}) {
    SendMessageW(box->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  }
  placements_.push_back({RichEditIn->Handle(), At(185, top + 45, 340, 60)});
  placements_.push_back({RichEditOut->Handle(), At(185, top + 135, 340, 60)});
  Label5 =
      NewLabel("1. Der zu ent-/verschlüsselnde Text muß aus der Zwischenablage eingefügt werden: ",
               At(10, top + 16, 405));
  TBButtonPasteFromClipboard = NewControl(L"BUTTON", "", BS_OWNERDRAW, kTBButtonPasteFromClipboard);
  placements_.push_back({TBButtonPasteFromClipboard, At(415, top + 12, 23, 22)});
  Label2 = NewLabel("Eingefügt wurde dieser Text: ", At(10, top + 45, 175), true);
  Label6 = NewLabel(
      "2. Der eingefügte Text muß jetzt entweder mit [Verschlüsseln] oder [Entschlüsseln] "
      "geändert werden.",
      At(11, top + 112));
  LabelDone = NewLabel("Der geänderte Text: ", At(10, top + 135, 175), true);
  Label3 = NewLabel("3. Der geänderte Text kann mit [OK] in die Zwischenablage kopiert werden.",
                    At(11, top + 206));
}

void TFormVelunor::CreateTooltips() {
  tooltips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0,
                              0, 0, 0, window_, nullptr, GetModuleHandleW(nullptr), nullptr);
  const std::pair<HWND, const char*> hints[] = {
      {EditPassword, "Achtung: Zwischen Groß- und Kleinschreibung wird unterschieden!!!"},
      {Label6, "Funktioniert aber nur, wenn das Schlüsselwort gültig ist!"},
      {Label3, "Funktioniert aber nur, wenn das Schlüsselwort gültig ist!"},
      {TBSpicker, "Spickzettel anzeigen"},
      {TBButtonPasteFromClipboard, "Text aus der Zwischenablage einfügen"},
  };
  for (const auto& [control, german] : hints) {
    std::wstring text = UiText(german);
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = text.data();
    SendMessageW(tooltips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

// ---- Layout and scaling --------------------------------------------------------

void TFormVelunor::UseDpi(UINT dpi) {
  scale_ = TScale{dpi};
  HFONT old = font_;
  font_ = NewWindowFont(dpi);
  for (HWND child = GetWindow(window_, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  }
  if (old != nullptr) DeleteObject(old);
}

void TFormVelunor::Layout() {
  for (const TPlacement& placement : placements_) {
    RECT layout = placement.layout;
    if (outputFillsPanel_ && placement.control == RichEditOut->Handle()) {
      // Inside the panel's bevel.
      layout = At(kPanelClient.left + 1, kPanelClient.top + 1, kClientWidth - 2,
                  kPanelClient.bottom - kPanelClient.top - 2);
    }
    int width = scale_(layout.right);
    int height = scale_(layout.bottom);
    if (width == 0 || height == 0 || placement.rightAligned) {
      // A label: one line, as wide as its text unless its width is fixed.
      const SIZE text = TextSize(placement.control, font_);
      if (width == 0) width = text.cx;
      if (height == 0) height = text.cy;
    }
    SetWindowPos(placement.control, nullptr, scale_(layout.left), scale_(layout.top), width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void TFormVelunor::FillPanelWithOutput() {
  outputFillsPanel_ = true;
  // The output box covers the input box, the paste button and the panel's
  // labels: they go from sight (the hidden input box still takes a paste).
  for (HWND covered : {RichEditIn->Handle(), TBButtonPasteFromClipboard, Label5, Label2, Label6,
                       LabelDone, Label3}) {
    ShowWindow(covered, SW_HIDE);
  }
  Layout();
}

void TFormVelunor::PlaceCentred() {
  const SIZE outer = OuterSizeFor({scale_(kClientWidth), scale_(kClientHeight)}, kStyle,
                                  kExtendedStyle, scale_.dpi);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& area = monitor.rcWork;
  SetWindowPos(window_, nullptr, area.left + (area.right - area.left - outer.cx) / 2,
               area.top + (area.bottom - area.top - outer.cy) / 2, outer.cx, outer.cy,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void TFormVelunor::OnDpiChanged(UINT dpi, const RECT& suggested) {
  UseDpi(dpi);
  Layout();
  SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(window_, nullptr, TRUE);
}

// ---- Painting ------------------------------------------------------------------

void TFormVelunor::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window_, &paint);
  // The raised bevels of the two upper panels; the bottom one has none.
  for (const RECT& panel : {kPanelTop, kPanelClient}) {
    RECT edge{scale_(panel.left), scale_(panel.top), scale_(panel.right), scale_(panel.bottom)};
    DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
  }
  EndPaint(window_, &paint);
}

void TFormVelunor::DrawGlyphButton(const DRAWITEMSTRUCT& item) {
  RECT face = item.rcItem;
  FillRect(item.hDC, &face, GetSysColorBrush(COLOR_BTNFACE));
  // Flat: an edge only while pressed.
  if ((item.itemState & ODS_SELECTED) != 0) DrawEdge(item.hDC, &face, BDR_SUNKENOUTER, BF_RECT);
  const int size = scale_(16);
  const int left = (face.left + face.right - size) / 2;
  const int top = (face.top + face.bottom - size) / 2;
  const RECT glyph{left, top, left + size, top + size};
  if (item.hwndItem == TBSpicker) {
    DrawCheatSheetGlyph(item.hDC, glyph);
  } else {
    DrawPasteGlyph(item.hDC, glyph);
  }
}

// ---- Messages --------------------------------------------------------------------

LRESULT CALLBACK TFormVelunor::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* form = reinterpret_cast<TFormVelunor*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (form == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  if (form->window_ == nullptr) form->window_ = window;
  return form->HandleMessage(message, wParam, lParam);
}

LRESULT TFormVelunor::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_ACTIVATE:
      OnActivate(LOWORD(wParam) != WA_INACTIVE, reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_CTLCOLORSTATIC: {
      auto dc = reinterpret_cast<HDC>(wParam);
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_DRAWITEM:
      DrawGlyphButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case 0x02E0:  // WM_DPICHANGED
      OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_CLOSE:
      // Closing ends the program; not while a cheat sheet cannot save its text.
      if (session_ == nullptr || session_->MayClose()) DestroyWindow(window_);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY: {
      HWND window = window_;
      window_ = nullptr;
      return DefWindowProcW(window, message, wParam, lParam);
    }
    default:
      return DefWindowProcW(window_, message, wParam, lParam);
  }
}

void TFormVelunor::Run(void (encrypter::TEncrypterSession::*handler)()) {
  RunHandler(window_, [this, handler] { ((*session_).*handler)(); });
}

void TFormVelunor::OnCommand(int id, int code) {
  using encrypter::TEncrypterSession;
  if (session_ == nullptr) return;
  switch (id) {
    case kEditPassword:
      if (code == EN_CHANGE) Run(&TEncrypterSession::EditPasswordChange);
      return;
    case kButtonEncrypt:
      Run(&TEncrypterSession::ButtonEncryptClick);
      return;
    case kButtonDecrypt:
      Run(&TEncrypterSession::ButtonDecryptClick);
      return;
    case kButtonOK:
      Run(&TEncrypterSession::ButtonOKClick);
      return;
    case kButtonEsc:
      ButtonEscClick();
      return;
    case kActPaste:
    case kTBButtonPasteFromClipboard:
      Run(&TEncrypterSession::ButtonPasteFromClipboardClick);
      return;
    case kActSpickzettel:
    case kTBSpicker:
      actSpickzettelExecute();
      return;
    case kLabel1:
      if (code == STN_DBLCLK) actSpickzettelExecute();
      return;
    default:
      return;
  }
}

void TFormVelunor::OnActivate(bool active, HWND previous) {
  if (!active) {
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(window_, focus)) lastFocus_ = focus;
    return;
  }
  // An activation counts the first time and when the focus comes from
  // another window of the program; not from a message box (class
  // "#32770") nor from another program (no window of this thread).
  bool counts = !activatedOnce_;
  if (!counts && previous != nullptr &&
      GetWindowThreadProcessId(previous, nullptr) == GetCurrentThreadId()) {
    wchar_t className[16] = {};
    GetClassNameW(previous, className, 16);
    counts = std::wstring_view(className) != L"#32770";
  }
  if (counts) {
    activatedOnce_ = true;
    Run(&encrypter::TEncrypterSession::FormActivate);
  } else if (lastFocus_ != nullptr && IsWindowVisible(lastFocus_)) {
    SetFocus(lastFocus_);
  }
}

bool TFormVelunor::PressButton(HWND button) {
  if (!IsWindowEnabled(button) || !IsWindowVisible(button)) return true;
  SendMessageW(button, BM_CLICK, 0, 0);
  return true;
}

bool TFormVelunor::PreTranslateMessage(const MSG& message) {
  if (window_ == nullptr || (message.hwnd != window_ && !IsChild(window_, message.hwnd))) {
    return false;
  }
  if (TranslateAcceleratorW(window_, shortcuts_, const_cast<MSG*>(&message)) != 0) return true;
  if (message.message == WM_KEYDOWN) {
    const bool repeated = (message.lParam & (1 << 30)) != 0;
    if (message.wParam == VK_ESCAPE) return repeated || PressButton(ButtonEsc);
    if (message.wParam == VK_RETURN) {
      // Enter presses the focused push button once, and nothing elsewhere.
      HWND focus = GetFocus();
      for (HWND button : {ButtonEncrypt, ButtonDecrypt, ButtonOK, ButtonEsc}) {
        if (focus == button) return repeated || PressButton(button);
      }
      return focus != RichEditIn->Handle() && focus != RichEditOut->Handle();
    }
  }
  if (message.message == WM_SYSCHAR) {
    // Alt with a button's letter presses it; Alt never types a letter.
    const wchar_t letter = UpperCase(static_cast<wchar_t>(message.wParam));
    for (HWND button : {ButtonEncrypt, ButtonDecrypt, ButtonOK, ButtonEsc}) {
      if (letter != 0 && MnemonicOf(button) == letter) return PressButton(button);
    }
  }
  return IsDialogMessageW(window_, const_cast<MSG*>(&message)) != 0;
}

// ---- Handlers of the window's own ------------------------------------------------

void TFormVelunor::actSpickzettelExecute() {
  // The cheat-sheet window comes with its own unit; until then there is
  // nothing to open.
}

void TFormVelunor::ButtonEscClick() {
  SendMessageW(window_, WM_CLOSE, 0, 0);
}

}  // namespace velunor::win32
