#pragma once

#include <type_traits>

#include "cipher/cipher.h"

namespace velunor {

// The base of a cipher whose key schedule is a `Schedule`: a plain struct of
// arrays that the cipher lays out as its algorithm needs. The schedule is a
// member of the object, zero while no key is in place, overwritten by every
// Init (through CheckKeyLength) and when the object is destroyed.
template <class Schedule>
class TScheduledCipher : public TCipher {
  static_assert(std::is_trivially_copyable_v<Schedule>, "a schedule is plain words");

 public:
  ~TScheduledCipher() override { WipeKeyMaterial(&schedule_, sizeof schedule_); }

 protected:
  TScheduledCipher(const TCipherClass& cls, TProtection* protection) : TCipher(cls, protection) {}

  Schedule& KeySchedule() { return schedule_; }
  const Schedule& KeySchedule() const { return schedule_; }

  void WipeKeySchedule() override { WipeKeyMaterial(&schedule_, sizeof schedule_); }

 private:
  Schedule schedule_{};
};

}  // namespace velunor
