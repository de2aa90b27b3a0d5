#pragma once

#include <cstdint>
#include <type_traits>

#include "cipher/cipher.h"

namespace velunor {

// The class reference, the constructor and the key schedule of a cipher
// class `Self` with the sizes `kInfo`. `Self` names itself in `kClassName`
// and gives its self-test bytes in `kKnownAnswer` (SelfTestInput enciphered
// in cmCTS under its own first MaxKeySize bytes as raw key, see
// cipher_selftest.h); everything else it holds is its algorithm:
//
//   class TCipher_X : public TCipherFamily<TCipher_X, XKeySchedule, TCipherInfo{8, 16, 64}> {
//    public:
//     static constexpr char kClassName[] = "TCipher_X";
//     static constexpr std::uint8_t kKnownAnswer[32] = {...};
//     void EncipherBlock(std::uint8_t* block) override;
//     void DecipherBlock(std::uint8_t* block) override;
//    protected:
//     using TCipherFamily::TCipherFamily;
//     void ScheduleKey(std::span<const std::uint8_t> key) override;
//   };
//
// The key schedule is a `Schedule`, a plain struct of arrays laid out as the
// algorithm needs; it is a member of the object, zero while no key is in
// place, overwritten by every Init and when the object is destroyed.
// Objects live behind counted references only: the constructors are
// protected, and Class().Create() or MakeProtection makes them.
template <class Self, class Schedule, TCipherInfo Info>
class TCipherFamily : public TCipher {
  static_assert(std::is_trivially_copyable_v<Schedule>, "a schedule is plain words");

 public:
  static constexpr TCipherInfo kInfo = Info;

  static const TCipherClass& Class() {
    static const TCipherClass cls(Self::kClassName, &TCipher::Class(), kInfo, Self::kKnownAnswer,
                                  CreateCipherObject<Self>);
    return cls;
  }

  ~TCipherFamily() override { WipeKeyMaterial(&schedule_, sizeof schedule_); }

 protected:
  explicit TCipherFamily(TProtection* protection) : TCipher(Self::Class(), protection) {}
  // For a variant (TCipherVariant) with a class reference of its own.
  TCipherFamily(const TCipherClass& cls, TProtection* protection) : TCipher(cls, protection) {}

  Schedule& KeySchedule() { return schedule_; }
  const Schedule& KeySchedule() const { return schedule_; }

  void WipeKeySchedule() override { WipeKeyMaterial(&schedule_, sizeof schedule_); }

 private:
  Schedule schedule_{};
};

// A cipher class `Self` that is a variant of the cipher class `Parent` (its
// algorithm with another round or key size, say) and has the sizes `kInfo`;
// it names itself and gives its self-test bytes as a TCipherFamily class does.
template <class Self, class Parent, TCipherInfo Info>
class TCipherVariant : public Parent {
 public:
  static constexpr TCipherInfo kInfo = Info;

  static const TCipherClass& Class() {
    static const TCipherClass cls(Self::kClassName, &Parent::Class(), kInfo, Self::kKnownAnswer,
                                  CreateCipherObject<Self>);
    return cls;
  }

 protected:
  explicit TCipherVariant(TProtection* protection) : Parent(Self::Class(), protection) {}
  TCipherVariant(const TCipherClass& cls, TProtection* protection) : Parent(cls, protection) {}
};

}  // namespace velunor
