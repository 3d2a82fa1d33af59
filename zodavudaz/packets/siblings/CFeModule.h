// The frontend of one module, stored in the module record; every module query goes through it.
#ifndef ZODAVUDAZ_PACKETS_SIBLINGS_CFEMODULE_H
#define ZODAVUDAZ_PACKETS_SIBLINGS_CFEMODULE_H

#include <zodavudaz/packets/siblings/CFRONTEND.h>
#include <zodavudaz/platform/Export.h>

/// Made by the frontend library; ended with Destroy(), then delete. Adds no field. The Query
/// conventions are CFRONTEND's.
class ZODAVUDAZ_EXPORT CFeModule final : public CFRONTEND {
public:
  CFeModule() noexcept = default;
  /// Member-wise: the copy reaches the same module.
  CFeModule(const CFeModule& other) noexcept;
  CFeModule& operator=(const CFeModule& other) noexcept;

  WORD Query_(_ModulePacket* request, _ModulePacket** reply, CRplySync* sync, WORD option) noexcept override;
  int Initialize(int station, int module, int argCount, char** args, CFRONTEND* parent) noexcept override;
  void Destroy() noexcept override;

  /// A request with inCount elements of inType at in, without a reply.
  WORD Query(WORD group, WORD cntl, void* in, WORD inType, DWORD inCount, CRplySync* sync, WORD option) noexcept;
  /// The same, and *reply = the whole reply packet.
  WORD Query(WORD group, WORD cntl, void* in, WORD inType, DWORD inCount, _ModulePacket** reply, CRplySync* sync,
             WORD option) noexcept;
  /// A request without data; *out = the reply's data, with its type and element count.
  WORD Query(WORD group, WORD cntl, void** out, WORD* outType, DWORD* outCount, CRplySync* sync, WORD option) noexcept;
  /// A request with input; *out = the reply's data, with its type and element count.
  WORD Query(WORD group, WORD cntl, void* in, WORD inType, DWORD inCount, void** out, WORD* outType, DWORD* outCount,
             CRplySync* sync, WORD option) noexcept;
  /// A request with input whose reply is copied into buffer (capacity bytes at most), with its
  /// type and element count.
  WORD Query(WORD group, WORD cntl, void* in, WORD inType, DWORD inCount, void* buffer, WORD* outType, DWORD* outCount,
             DWORD capacity, CRplySync* sync, WORD option) noexcept;
};
static_assert(sizeof(CFeModule) == sizeof(CFRONTEND));

#endif
