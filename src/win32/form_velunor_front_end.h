#pragma once

#include "encrypter/encrypter_session.h"
#include "platform/window_system.h"
#include "win32/form_velunor.h"

namespace velunor::win32 {

// What the encrypter session asks of the Win32 window and its desktop: the
// controls' texts and states, the clipboard, the mail client through the
// platform layer (FindWindowA, PostMessageA, GetAsyncKeyState), the message
// boxes.
class TFormVelunor::TFrontEnd final : public encrypter::TEncrypterFrontEnd {
 public:
  TFrontEnd(TFormVelunor& form, platform::TWindowSystem& windowSystem)
      : form_(form), windowSystem_(windowSystem) {}

  std::size_t KeywordLength() override;
  std::u32string KeywordCharacters() override;

  ByteString InputText() override { return form_.RichEditIn->Text(); }
  std::u32string InputCharactersOutsideCodePage() override {
    return form_.RichEditIn->CharactersOutsideCodePage();
  }
  void SetInputText(std::string_view bytes) override { form_.RichEditIn->SetText(bytes); }
  void SetInputUtf8Text(std::string_view utf8) override;
  void PasteIntoInput() override;

  ByteString OutputText() override { return form_.RichEditOut->Text(); }
  void SetOutputText(std::string_view bytes) override { form_.RichEditOut->SetText(bytes); }
  void SetOutputUtf8Text(std::string_view utf8) override;
  void CopyOutputToClipboard(bool sensitive) override;

  void ShowControls(const encrypter::TEncrypterControls& controls) override;
  void MoveFocus(encrypter::TFocus focus) override;

  bool FindMailClient() override;
  bool NotifyMailClient() override;
  bool CtrlDown() override { return windowSystem_.IsKeyDown(platform::TKey::kControl); }
  void ProcessPendingMessage() override;

  void ShowWrongKeywordWarning() override;
  // The cheat sheets are not on Windows yet: there is none to save.
  bool SaveOpenCheatSheets() override { return true; }
  void Quit() override { PostQuitMessage(0); }

 private:
  TFormVelunor& form_;
  platform::TWindowSystem& windowSystem_;
  platform::TWindowHandle mailClient_ = 0;
};

// Takes at most one pending message of the thread, translates and
// dispatches it; returns at once when none is pending. A quit message
// stays for the message loop.
void ProcessPendingMessage();

}  // namespace velunor::win32
