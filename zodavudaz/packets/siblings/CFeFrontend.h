// The frontend library's frontend of a whole front end, with its nested schedulable objects.
#ifndef ZODAVUDAZ_PACKETS_SIBLINGS_CFEFRONTEND_H
#define ZODAVUDAZ_PACKETS_SIBLINGS_CFEFRONTEND_H

#include <zodavudaz/packets/siblings/CFRONTEND.h>
#include <zodavudaz/packets/siblings/COBJECT.h>
#include <zodavudaz/platform/BaseTypes.h>
#include <zodavudaz/platform/Export.h>

/// Made by the frontend library; this library only copies it and its objects member-wise.
class ZODAVUDAZ_EXPORT CFeFrontend : public CFRONTEND {
public:
  class CMODULE;
  class CTIMER;
  class CVIEWER;
  class CFILE;

  CFeFrontend() noexcept = default;
  CFeFrontend(const CFeFrontend& other) noexcept;
  CFeFrontend& operator=(const CFeFrontend& other) noexcept;

  WORD Query_(_ModulePacket* request, _ModulePacket** reply, CRplySync* sync, WORD option) noexcept override;
  int Initialize(int station, int module, int argCount, char** args, CFRONTEND* parent) noexcept override;
  void Destroy() noexcept override;

protected:
  DWORD ObjectCount = 0;
  COBJECT* ObjectTable[5] = {};
  BYTE Work[680] = {};
};
static_assert(sizeof(CFeFrontend) == PerBuild(sizeof(CFRONTEND) + 4 + 5 * 4 + 680, 808));

/// The object that drives one module.
class ZODAVUDAZ_EXPORT CFeFrontend::CMODULE : public CFRONTEND::COBJECT {
public:
  CMODULE() noexcept = default;
  CMODULE(const CMODULE& other) noexcept;
  CMODULE& operator=(const CMODULE& other) noexcept;

  int Initialize(COBJECT* parent, CFRONTEND* frontend, DWORD id) noexcept override;
  void Destroy() noexcept override;
  int StartExISP(void* buffer, DWORD size) noexcept override;
  void StopExISP() noexcept override;
  int Run(DWORD message, LONG value) noexcept override;
  int ExISP(DWORD message, LONG value) noexcept override;
  void Overlapped(int overlapped) noexcept override;
  void Timeout(DWORD timeOut) noexcept override;

protected:
  DWORD StationNo = 0;
  DWORD SlotNo = 0;
  DWORD Flags = 0;
};
static_assert(sizeof(CFeFrontend::CMODULE) == PerBuild(sizeof(CFRONTEND::COBJECT) + 3 * 4, 96));

/// A timer object.
class ZODAVUDAZ_EXPORT CFeFrontend::CTIMER : public CFRONTEND::COBJECT {
public:
  CTIMER() noexcept = default;
  CTIMER(const CTIMER& other) noexcept;
  CTIMER& operator=(const CTIMER& other) noexcept;

  int StartExISP(void* buffer, DWORD size) noexcept override;
  void StopExISP() noexcept override;
  int Run(DWORD message, LONG value) noexcept override;
  int ExISP(DWORD message, LONG value) noexcept override;

protected:
  DWORD Period = 0;
  DWORD Ticks = 0;
};
static_assert(sizeof(CFeFrontend::CTIMER) == sizeof(CFRONTEND::COBJECT) + 2 * 4);

/// A viewer object.
class ZODAVUDAZ_EXPORT CFeFrontend::CVIEWER : public CFRONTEND::COBJECT {
public:
  CVIEWER() noexcept = default;
  CVIEWER(const CVIEWER& other) noexcept;
  CVIEWER& operator=(const CVIEWER& other) noexcept;

  int StartExISP(void* buffer, DWORD size) noexcept override;
  void StopExISP() noexcept override;
  int Run(DWORD message, LONG value) noexcept override;
  int ExISP(DWORD message, LONG value) noexcept override;
};
static_assert(sizeof(CFeFrontend::CVIEWER) == sizeof(CFRONTEND::COBJECT));

/// A file object.
class ZODAVUDAZ_EXPORT CFeFrontend::CFILE : public CFRONTEND::COBJECT {
public:
  CFILE() noexcept = default;
  CFILE(const CFILE& other) noexcept;
  CFILE& operator=(const CFILE& other) noexcept;

  int StartExISP(void* buffer, DWORD size) noexcept override;
  void StopExISP() noexcept override;
  int Run(DWORD message, LONG value) noexcept override;
  int ExISP(DWORD message, LONG value) noexcept override;
};
static_assert(sizeof(CFeFrontend::CFILE) == sizeof(CFRONTEND::COBJECT));

#endif
