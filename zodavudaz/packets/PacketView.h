// The pointer that every packet accessor class holds, with null-safe field reads and writes.
#ifndef ZODAVUDAZ_PACKETS_PACKETVIEW_H
#define ZODAVUDAZ_PACKETS_PACKETVIEW_H

#include <zodavudaz/packets/WireField.h>

#include <cstddef>

/// Base of the accessor classes: one pointer to a packet of type PacketT that lives elsewhere, at
/// any address. Before it is bound (or bound to null) reads answer 0 and writes do nothing.
template <typename PacketT>
class PacketView {
protected:
  PacketView() noexcept = default;
  explicit PacketView(PacketT* packet) noexcept : Packet(packet) {}

  template <typename T>
  T Read(std::size_t offset) const noexcept {
    return Packet == nullptr ? T{} : LoadWire<T>(Packet, offset);
  }

  template <typename T>
  void Write(std::size_t offset, T value) noexcept {
    if (Packet != nullptr)
      StoreWire(Packet, offset, value);
  }

  /// The address offset bytes into the packet, or null when unbound.
  BYTE* BytesAt(std::size_t offset) const noexcept {
    return Packet == nullptr ? nullptr : reinterpret_cast<BYTE*>(Packet) + offset;
  }

  PacketT* Packet = nullptr;
};

#endif
