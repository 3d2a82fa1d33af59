// The frontend library's base frontend object, through which requests reach a module.
#ifndef ZODAVUDAZ_PACKETS_SIBLINGS_CFRONTEND_H
#define ZODAVUDAZ_PACKETS_SIBLINGS_CFRONTEND_H

#include <zodavudaz/packets/CEndianModulePacket.h>
#include <zodavudaz/packets/CRplySync.h>
#include <zodavudaz/platform/BaseTypes.h>
#include <zodavudaz/platform/Export.h>

/// Made and ended by the frontend library; this library queries it and copies it member-wise.
/// Every Query takes a command group and a control word (control id, offset in bits 12 to 15),
/// last a reply record (may be null) and an option word, and returns 0 on success or the
/// frontend's own code. Data travels as pointer, type code and element count: bytes = count <<
/// (type >> 4); type 0xFF with count 0 means none. Replies handed out by pointer stay the frontend
/// library's: valid until the frontend's next query or its end.
class ZODAVUDAZ_EXPORT CFRONTEND {
public:
  class COBJECT;

  CFRONTEND() noexcept = default;
  /// Member-wise: the copy reaches the same module.
  CFRONTEND(const CFRONTEND& other) noexcept;
  CFRONTEND& operator=(const CFRONTEND& other) noexcept;
  ~CFRONTEND();

  /// Sends request and sets *reply to the reply packet (the frontend library's).
  virtual WORD Query_(_ModulePacket* request, _ModulePacket** reply, CRplySync* sync, WORD option) noexcept;
  /// Binds the frontend to a module; 0 on success.
  virtual int Initialize(int station, int module, int argCount, char** args, CFRONTEND* parent) noexcept;
  /// Ends the frontend's work; the object itself stays until it is destroyed.
  virtual void Destroy() noexcept;

  /// A request without data.
  WORD Query(WORD group, WORD cntl, CRplySync* sync, WORD option) noexcept;
  /// A request with inCount elements of inType at in.
  WORD Query(WORD group, WORD cntl, void* in, WORD inType, DWORD inCount, CRplySync* sync, WORD option) noexcept;
  /// A request without data whose reply is copied into out (capacity bytes at most).
  WORD Query(WORD group, WORD cntl, void* out, WORD* outType, DWORD* outCount, DWORD capacity, CRplySync* sync,
             WORD option) noexcept;

protected:
  friend struct FrontendLayerAccess;

  CFRONTEND* Parent = nullptr;
  COBJECT* Objects = nullptr;
  int StationId = 0;
  int ModuleId = 0;
  int ArgCount = 0;
  char** Args = nullptr;
  /// The frontend library's link to the module reached.
  void* Module = nullptr;
  DWORD State = 0;
  DWORD Options = 0;
  DWORD LastResult = 0;
  DWORD QueryCount = 0;
  _ModulePacket* Reply = nullptr;
  DWORD Reserved = 0;
};
static_assert(sizeof(CFRONTEND) == PerBuild(4 + 13 * 4, 88));

#endif
