#pragma once

#include <string>
#include <string_view>

#include "cipher/cipher.h"
#include "managers/hash_manager.h"
#include "runtime/component.h"

namespace velunor {

// A component that selects a cipher class by name, owns one cipher object of
// it, gives it the chaining mode and the key hash of a hash manager, and
// codes texts: key from a keyword, encode, decode. While no class is selected
// it works with FallbackCipherClass.
class TCipherManager : public TComponent {
 public:
  // The mode of a new manager, and the one that is not stored.
  static constexpr TCipherMode kDefaultMode = cmCBC;

  using TComponent::TComponent;
  ~TCipherManager() override;

  // The selected class, or none.
  const TCipherClass* CipherClass() const { return cipherClass_; }
  // The class in use: the selected one, after FallbackCipherClass is filled in.
  const TCipherClass& CurrentClass();
  // Selects a class (none: back to the fallback); a change discards the cipher object.
  void SelectCipherClass(const TCipherClass* cls);

  // The registered name of the class in use.
  std::string Algorithm();
  // Selects the class registered under `name`, none when no class is.
  void SetAlgorithm(const std::string& name);
  // The registry's description and the key size, "free for non-commercial, 128bit Key".
  std::string Description(int index = 0);

  TCipherMode Mode() const { return mode_; }
  void SetMode(TCipherMode mode);

  THashManager* HashManager() const { return hashManager_; }
  void SetHashManager(THashManager* hashManager);

  // The cipher object, created unkeyed on first use.
  TCipher& CipherObject();

  // Keys the cipher object from the keyword through the hash manager's class.
  void InitKey(std::string_view keyword, const void* iv = nullptr);
  // Enciphers a text and writes it in the default text format.
  ByteString EncodeText(const ByteString& text);
  // Reads a text in the default text format and deciphers it.
  ByteString DecodeText(const ByteString& text);

  TProgressEvent OnProgress;

  void WriteStoredValues(std::vector<TStoredValue>& values) const override;
  void ReadStoredValue(const TStoredValue& value, const TStoredValueReader& reader) override;

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  const TCipherClass* cipherClass_ = nullptr;
  ProtectionRef<TCipher> cipherObject_;
  TCipherMode mode_ = kDefaultMode;
  THashManager* hashManager_ = nullptr;
};

// The stored name of a mode ("cmCTS") and back.
std::string CipherModeName(TCipherMode mode);
bool ParseCipherModeName(const std::string& name, TCipherMode& mode);

}  // namespace velunor
