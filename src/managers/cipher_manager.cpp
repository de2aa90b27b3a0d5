#include "managers/cipher_manager.h"

#include <array>

#include "cipher/cipher_registry.h"
#include "protection/string_format.h"

namespace velunor {

namespace {

constexpr const char* kStoredMode = "Mode";
constexpr const char* kStoredHashManager = "HashManager";
constexpr const char* kStoredCipher = "Cipher";

constexpr std::array<const char*, 8> kModeNames = {"cmCTS", "cmCBC",    "cmCFB",    "cmOFB",
                                                   "cmECB", "cmCTSMAC", "cmCBCMAC", "cmCFBMAC"};

}  // namespace

std::string CipherModeName(TCipherMode mode) {
  return mode < kModeNames.size() ? kModeNames[mode] : std::to_string(static_cast<int>(mode));
}

bool ParseCipherModeName(const std::string& name, TCipherMode& mode) {
  for (std::size_t i = 0; i < kModeNames.size(); ++i) {
    if (name == kModeNames[i]) {
      mode = static_cast<TCipherMode>(i);
      return true;
    }
  }
  return false;
}

TCipherManager::~TCipherManager() {
  cipherObject_ = nullptr;
}

const TCipherClass& TCipherManager::CurrentClass() {
  if (cipherClass_ == nullptr) cipherClass_ = &FallbackCipherClass();
  return *cipherClass_;
}

void TCipherManager::SelectCipherClass(const TCipherClass* cls) {
  if (cls == &CurrentClass()) return;
  cipherObject_ = nullptr;
  cipherClass_ = cls;
}

std::string TCipherManager::Algorithm() {
  return CipherClassName(&CurrentClass());
}

void TCipherManager::SetAlgorithm(const std::string& name) {
  SelectCipherClass(FindCipherClass(name));
}

std::string TCipherManager::Description(int index) {
  if (index != 0) return {};
  std::string text = CipherRegistry().DescriptionOf(&CurrentClass()).value_or("");
  if (!text.empty()) text += ", ";
  return text + std::to_string(CurrentClass().CipherInfo().MaxKeySize * 8) + "bit Key";
}

void TCipherManager::SetMode(TCipherMode mode) {
  mode_ = mode;
  if (cipherObject_) cipherObject_->Mode = mode;
}

void TCipherManager::SetHashManager(THashManager* hashManager) {
  if (hashManager == hashManager_) return;
  if (hashManager_ != nullptr) RemoveFreeNotification(hashManager_);
  hashManager_ = hashManager;
  if (hashManager_ != nullptr) FreeNotification(hashManager_);
}

TCipher& TCipherManager::CipherObject() {
  if (!cipherObject_) {
    cipherObject_ = CurrentClass().Create();
    cipherObject_->Mode = mode_;
  }
  return *cipherObject_;
}

void TCipherManager::InitKey(std::string_view keyword, const void* iv) {
  TCipher& cipher = CipherObject();
  if (hashManager_ != nullptr) cipher.SetKeyHashClass(&hashManager_->HashClass());
  cipher.InitKey(keyword, iv);
}

ByteString TCipherManager::EncodeText(const ByteString& text) {
  return CipherObject().ProcessText(text, caEncode, sfDefault);
}

ByteString TCipherManager::DecodeText(const ByteString& text) {
  return CipherObject().ProcessText(text, caDecode, sfDefault);
}

void TCipherManager::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == hashManager_) hashManager_ = nullptr;
}

void TCipherManager::WriteStoredValues(std::vector<TStoredValue>& values) const {
  if (mode_ != kDefaultMode) values.push_back({kStoredMode, CipherModeName(mode_)});
  if (hashManager_ != nullptr) values.push_back({kStoredHashManager, hashManager_->Name()});
  if (cipherClass_ != nullptr)
    values.push_back({kStoredCipher, std::string(cipherClass_->ClassName())});
}

void TCipherManager::ReadStoredValue(const TStoredValue& value, const TStoredValueReader& reader) {
  if (value.name == kStoredMode) {
    TCipherMode mode;
    if (ParseCipherModeName(value.text, mode)) SetMode(mode);
  } else if (value.name == kStoredHashManager) {
    SetHashManager(dynamic_cast<THashManager*>(reader.ResolveComponent(value.text)));
  } else if (value.name == kStoredCipher) {
    // Class names are matched exactly; an unknown name leaves the selection as it is.
    if (const TCipherClass* cls = CipherRegistry().FindByClassName(value.text))
      SelectCipherClass(cls);
  }
}

}  // namespace velunor
