// Module queries through the C interface: replies copied into the caller's buffers.
#include <zodavudaz/c/CallerBuffers.h>
#include <zodavudaz/c/FiledCalls.h>
#include <zodavudaz/database/ReplyBytes.h>
#include <zodavudaz/database/ReplyDelivery.h>
#include <zodavudaz/entry/LibraryEntry.h>
#include <zodavudaz/packets/CEndianModulePacket.h>

#include <memory>

namespace {
constexpr DWORD AnyCapacity = 0xFFFFFFFF;

/// A reply handed out by pointer: its bytes, type code and element count.
struct PointedReply {
  void* Data = nullptr;
  WORD Type = 0;
  DWORD Count = 0;
};

/// Copies a reply handed out by pointer into data as the conventions say, after a query that
/// answered result; the optional type and count describe it.
int32_t PutReply(WORD result, const PointedReply& reply, void* data, uint32_t capacity, uint32_t* size, uint16_t* type,
                 uint32_t* count) noexcept {
  if (result != 0)
    return result;
  if (type != nullptr)
    *type = reply.Type;
  if (count != nullptr)
    *count = reply.Count;
  const DWORD bytes = reply.Data == nullptr ? 0 : ReplyBytesWithin(reply.Type, reply.Count, AnyCapacity);
  return PutBytes(reply.Data, bytes, data, capacity, size);
}

/// A query whose reply ask(reply) hands out by pointer, copied into data.
template <typename AskT>
int32_t PointerQuery(void* data, uint32_t capacity, uint32_t* size, uint16_t* type, uint32_t* count,
                     AskT ask) noexcept {
  if (IsBadBuffer(data, capacity, size))
    return Refused(ZDZ_E_ARGUMENT);
  return GuardedCall([&] {
    PointedReply reply;
    const WORD result = ask(reply);
    return PutReply(result, reply, data, capacity, size, type, count);
  });
}
} // namespace

int32_t zdz_gui_query(uint16_t station, uint16_t module, uint16_t cntl, void* reply, uint32_t capacity,
                      uint32_t* size) {
  if (IsBadBuffer(reply, capacity, size))
    return Refused(ZDZ_E_ARGUMENT);
  return GuardedCall([&]() -> int32_t {
    _ModulePacket* packet = nullptr;
    if (const WORD result = GetDataBase()->GuiQuery(station, module, cntl, &packet); result != 0)
      return result;
    if (packet == nullptr)
      return PutBytes(nullptr, 0, reply, capacity, size);
    return PutBytes(packet, CEndianModulePacket(packet).GetPacketSize(), reply, capacity, size);
  });
}

int32_t zdz_gui_get_array(uint16_t station, uint16_t module, uint16_t cntl, uint8_t mode, void* data, uint32_t capacity,
                          uint32_t* size, uint16_t* type, uint32_t* count) {
  return PointerQuery(data, capacity, size, type, count, [&](PointedReply& reply) {
    return GuiGetArrayTyped(*GetDataBase(), station, module, cntl, &reply.Data, &reply.Type, &reply.Count, mode);
  });
}

int32_t zdz_setting_query_pointer(uint16_t station, uint16_t module, uint16_t cntl, void* data, uint32_t capacity,
                                  uint32_t* size, uint16_t* type, uint32_t* count) {
  return PointerQuery(data, capacity, size, type, count, [&](PointedReply& reply) {
    return SettingQueryPointerTyped(*GetDataBase(), station, module, cntl, &reply.Data, &reply.Type, &reply.Count);
  });
}

int32_t zdz_help_query_pointer(uint16_t station, uint16_t module, void* data, uint32_t capacity, uint32_t* size,
                               uint16_t* type, uint32_t* count, uint16_t* from_query) {
  return PointerQuery(data, capacity, size, type, count, [&](PointedReply& reply) {
    WORD fromQuery = 0;
    const WORD result =
        HelpQueryPointerTyped(*GetDataBase(), station, module, &reply.Data, &reply.Type, &reply.Count, &fromQuery);
    if (from_query != nullptr)
      *from_query = fromQuery;
    return result;
  });
}

int32_t zdz_get_seq_table(uint16_t station, uint16_t module, void* table, uint32_t capacity, uint32_t* size) {
  if (IsBadBuffer(table, capacity, size))
    return Refused(ZDZ_E_ARGUMENT);
  return GuardedCall([&]() -> int32_t {
    void* copy = nullptr;
    DWORD length = 0;
    const WORD result = GetDataBase()->GetSeqTable(station, module, &copy, &length);
    // The copy is the caller's in C++: here the C layer's, released once handed on.
    const std::unique_ptr<void, void (*)(void*)> owned(copy, [](void* block) { ::operator delete(block); });
    if (result != 0)
      return result;
    return PutBytes(copy, length, table, capacity, size);
  });
}

int32_t zdz_get_seq_mode(uint16_t station, uint16_t module, uint16_t* mode) {
  if (mode == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return GuardedCall([&]() -> int32_t {
    WORD read = 0;
    const WORD result = GetDataBase()->GetSeqMode(station, module, &read);
    if (result == 0)
      *mode = read;
    return result;
  });
}

int32_t zdz_sync_exec(uint16_t station, uint16_t module, uint16_t cntl, const void* data, uint16_t type,
                      uint32_t count) {
  if (!IsGoodInput(data, count))
    return Refused(ZDZ_E_ARGUMENT);
  return GuardedCall([&]() -> int32_t {
    // The request only reads its input.
    return GetDataBase()->SyncExec(station, module, cntl, const_cast<void*>(data), type, count);
  });
}

int32_t zdz_get_frontend_module(uint16_t station, uint16_t module, void** frontend) {
  if (frontend == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return GuardedCall([&] {
    *frontend = GetDataBase()->GetFrontendModule(station, module);
    return *frontend == nullptr ? ZDZ_E_UNKNOWN : ZDZ_OK;
  });
}

int32_t zdz_gui_get_station_name(uint16_t station, char* name, uint32_t capacity, uint32_t* size) {
  if (IsBadBuffer(name, capacity, size))
    return Refused(ZDZ_E_ARGUMENT);
  return OnStation(station, [&](CStation&) {
    CString answer;
    GetDataBase()->GuiGetStationName(station, answer);
    return PutText(answer, name, capacity, size);
  });
}

int32_t zdz_gui_get_module_name(uint16_t station, uint16_t module, char* name, uint32_t capacity, uint32_t* size) {
  if (IsBadBuffer(name, capacity, size))
    return Refused(ZDZ_E_ARGUMENT);
  return OnModule(station, module, [&](CModule&) {
    CString answer;
    GetDataBase()->GuiGetModuleName(station, module, answer);
    return PutText(answer, name, capacity, size);
  });
}
