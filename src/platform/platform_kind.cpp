#include "platform/platform_kind.h"

namespace dotforge {

int CurrentPlatformKind() { return kPlatformUnknown; }

}  // namespace dotforge
