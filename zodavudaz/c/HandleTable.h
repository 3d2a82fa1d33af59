// The handles the C interface hands out for what the library owns.
#ifndef ZODAVUDAZ_C_HANDLETABLE_H
#define ZODAVUDAZ_C_HANDLETABLE_H

#include <cstdint>
#include <memory>
#include <unordered_map>

/// A number never handed out before, for a handle of any kind: a handle released and a handle
/// made later never compare equal, and handles of different kinds never do.
std::uintptr_t NewHandleNumber() noexcept;

/// The live handles of one kind and their objects. A handle is a number, never an address, so that
/// a released one is refused rather than followed. Used under the interface's lock.
template <typename ObjectT>
class HandleTable {
public:
  /// A new handle that owns object from now on, until Take gives it back; object stays the
  /// caller's when the handle cannot be made.
  template <typename HandleT, typename DeleterT>
  HandleT* Add(std::unique_ptr<ObjectT, DeleterT>& object) {
    const std::uintptr_t number = NewHandleNumber();
    Live.emplace(number, nullptr).first->second = object.release();
    return reinterpret_cast<HandleT*>(number); // NOLINT(performance-no-int-to-ptr)
  }

  /// The object of a live handle; null for any other.
  ObjectT* Find(const void* handle) const noexcept {
    const auto found = Live.find(reinterpret_cast<std::uintptr_t>(handle));
    return found == Live.end() ? nullptr : found->second;
  }

  /// Ends the handle and gives back its object; null when it is not live.
  ObjectT* Take(const void* handle) noexcept {
    const auto found = Live.find(reinterpret_cast<std::uintptr_t>(handle));
    if (found == Live.end())
      return nullptr;
    ObjectT* object = found->second;
    Live.erase(found);
    return object;
  }

private:
  std::unordered_map<std::uintptr_t, ObjectT*> Live;
};

#endif
