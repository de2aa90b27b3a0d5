#include "protection/framework.h"

#include <mutex>

#include "protection/string_format_hexl.h"
#include "protection/string_format_mime64.h"
#include "protection/string_format_xx.h"

namespace velunor {

void StartFramework() {
  static std::once_flag started;
  std::call_once(started, [] {
    RegisterFormatsAtStartUp({&TStringFormat::Class(), &TStringFormat_HEX::Class(),
                              &TStringFormat_HEXL::Class(), &TStringFormat_MIME64::Class(),
                              &TStringFormat_UU::Class(), &TStringFormat_XX::Class()});
  });
}

}  // namespace velunor
