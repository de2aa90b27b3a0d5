#include "cipher/mode_dispatch.h"

#include "cipher/mode_block_chaining.h"
#include "cipher/mode_byte_feedback.h"
#include "cipher/mode_ecb.h"
#include "cipher/mode_mac.h"

namespace velunor {

void CodeInMode(TCipherMode mode, TModeChain& chain, const std::uint8_t* source, std::uint8_t* dest,
                std::size_t count, bool encipher) {
  switch (mode) {
    case cmCTS:
    case cmCBC:
      if (encipher) {
        EncipherChained(chain, source, dest, count, mode);
      } else {
        DecipherChained(chain, source, dest, count, mode);
      }
      break;
    case cmCFB:
      if (encipher) {
        EncipherCFB(chain, source, dest, count);
      } else {
        DecipherCFB(chain, source, dest, count);
      }
      break;
    case cmOFB:
      CodeOFB(chain, source, dest, count);
      break;
    case cmECB:
      CodeECB(chain, source, dest, count, encipher);
      break;
    case cmCTSMAC:
    case cmCBCMAC:
    case cmCFBMAC:
      ChainMAC(chain, source, count, mode);
      break;
  }
}

}  // namespace velunor
