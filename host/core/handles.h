// Checked handles. A handle packs the vessel's slot and generation with the sub-object's kind
// generation and index, so that the host can tell a handle to something deleted or cleared from
// a live one without ever following a pointer.
#pragma once

#include <cstdint>

namespace varn {

struct HandleParts {
  std::uint32_t slot = 0;
  std::uint32_t generation = 0;
  std::uint32_t kindGeneration = 0;
  std::uint32_t index = 0;
};

const std::uint32_t kHandleGenerationMask = 0xFFF;
const std::uint32_t kHandleIndexMask = 0xFFFFF;

inline std::uintptr_t PackHandle(std::uint32_t slot, std::uint32_t generation, std::uint32_t kindGeneration,
                                 std::uint32_t index) {
  return (static_cast<std::uintptr_t>(slot + 1) << 44) |
         (static_cast<std::uintptr_t>(generation & kHandleGenerationMask) << 32) |
         (static_cast<std::uintptr_t>(kindGeneration & kHandleGenerationMask) << 20) | (index & kHandleIndexMask);
}

inline bool UnpackHandle(const void* handle, HandleParts& parts) {
  const auto bits = reinterpret_cast<std::uintptr_t>(handle);
  if ((bits >> 44) == 0) return false;
  parts.slot = static_cast<std::uint32_t>(bits >> 44) - 1;
  parts.generation = static_cast<std::uint32_t>(bits >> 32) & kHandleGenerationMask;
  parts.kindGeneration = static_cast<std::uint32_t>(bits >> 20) & kHandleGenerationMask;
  parts.index = static_cast<std::uint32_t>(bits) & kHandleIndexMask;
  return true;
}

template <class Handle>
Handle MakeHandle(std::uint32_t slot, std::uint32_t generation, std::uint32_t kindGeneration, std::uint32_t index) {
  return reinterpret_cast<Handle>(PackHandle(slot, generation, kindGeneration, index));
}

}  // namespace varn
