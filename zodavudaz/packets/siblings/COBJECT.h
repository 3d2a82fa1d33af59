// The frontend library's schedulable object, nested in CFRONTEND.
#ifndef ZODAVUDAZ_PACKETS_SIBLINGS_COBJECT_H
#define ZODAVUDAZ_PACKETS_SIBLINGS_COBJECT_H

#include <zodavudaz/packets/siblings/CFRONTEND.h>
#include <zodavudaz/platform/BaseTypes.h>
#include <zodavudaz/platform/Export.h>

/// Scheduled by the frontend library; this library only copies it member-wise.
class ZODAVUDAZ_EXPORT CFRONTEND::COBJECT {
public:
  COBJECT() noexcept = default;
  COBJECT(const COBJECT& other) noexcept;
  COBJECT& operator=(const COBJECT& other) noexcept;

  // The frontend library's scheduling operations, in table order.
  virtual int Initialize(COBJECT* parent, CFRONTEND* frontend, DWORD id) noexcept;
  virtual void Destroy() noexcept;
  virtual int Add(COBJECT* object, CFRONTEND* frontend) noexcept;
  virtual int Delete(COBJECT* object) noexcept;
  virtual void Purge() noexcept;
  virtual int StartExISP(void* buffer, DWORD size) noexcept;
  virtual void StopExISP() noexcept;
  virtual int Run(DWORD message, LONG value) noexcept;
  virtual int ExISP(DWORD message, LONG value) noexcept;
  virtual void Overlapped(int overlapped) noexcept;
  virtual void Timeout(DWORD timeOut) noexcept;
  virtual void Message(DWORD message) noexcept;

protected:
  COBJECT* Next = nullptr;
  COBJECT* Parent = nullptr;
  CFRONTEND* Frontend = nullptr;
  DWORD Id = 0;
  DWORD State = 0;
  void* Buffer = nullptr;
  DWORD BufferSize = 0;
  DWORD Interval = 0;
  int Overlap = 0;
  DWORD TimeOut = 0;
  DWORD LastMessage = 0;
  DWORD Counters[3] = {};
};
static_assert(sizeof(CFRONTEND::COBJECT) == PerBuild(4 + 11 * 4 + 3 * 4, 80));

#endif
