#pragma once

#include "hash/hash.h"

namespace velunor {

// The class reference and the constructor of a hash class `Self`, which
// derives from `Parent` (THash, TChecksum, a framework such as TMDxHash, or
// a hash it is a variant of) and has the sizes `kInfo`. `Self` names itself
// in `kClassName` and gives its digest of SelfTestInput in `kKnownAnswer`
// (its first DigestSize bytes count, so that a shorter variant may take
// those of its parent); everything else it holds is its algorithm.
//
//   class THash_X : public THashFamily<THash_X, THash, THashInfo{16, 64}> {
//    public:
//     static constexpr char kClassName[] = "THash_X";
//     static constexpr std::uint8_t kKnownAnswer[16] = {...};
//    protected:
//     using THashFamily::THashFamily;
//     ... StartDigest, Absorb, CompleteDigest, DigestBuffer ...
//   };
//
// Objects live behind counted references only: the constructor is
// protected, and Class().Create() or MakeProtection makes them.
template <class Self, class Parent, THashInfo kInfo>
class THashFamily : public Parent {
 public:
  static const THashClass& Class() {
    static_assert(sizeof Self::kKnownAnswer >= static_cast<std::size_t>(kInfo.DigestSize),
                  "the known answer holds a digest");
    static const THashClass cls(Self::kClassName, &Parent::Class(), kInfo, Self::kKnownAnswer,
                                CreateHashObject<Self>);
    return cls;
  }
  const THashClass& ClassType() const override { return Class(); }

 protected:
  using Parent::Parent;
};

}  // namespace velunor
