#include "platform/mci/MciError.h"

namespace mci {

std::string_view ErrorText(MCIERROR error) {
  for (const ErrorEntry& entry : kErrorTable) {
    if (ToNumber(entry.error) == error) return entry.text;
  }
  return {};
}

}  // namespace mci
