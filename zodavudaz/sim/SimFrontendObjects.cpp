// The simulated frontend library's schedulable objects. The simulation schedules none of them:
// each keeps what it is given, and the module objects answer as the base does.
#include <zodavudaz/packets/siblings/CFeFrontend.h>
#include <zodavudaz/packets/siblings/COBJECT.h>

int CFRONTEND::COBJECT::Initialize(COBJECT* parent, CFRONTEND* frontend, DWORD id) noexcept {
  Parent = parent;
  Frontend = frontend;
  Id = id;
  return 0;
}

void CFRONTEND::COBJECT::Destroy() noexcept { Purge(); }

int CFRONTEND::COBJECT::Add(COBJECT* object, CFRONTEND* frontend) noexcept {
  if (object == nullptr)
    return -1;
  object->Frontend = frontend;
  object->Next = Next;
  Next = object;
  return 0;
}

int CFRONTEND::COBJECT::Delete(COBJECT* object) noexcept {
  for (COBJECT* before = this; before->Next != nullptr; before = before->Next)
    if (before->Next == object) {
      before->Next = object->Next;
      object->Next = nullptr;
      return 0;
    }
  return -1;
}

void CFRONTEND::COBJECT::Purge() noexcept { Next = nullptr; }

int CFRONTEND::COBJECT::StartExISP(void* buffer, DWORD size) noexcept {
  Buffer = buffer;
  BufferSize = size;
  return 0;
}

void CFRONTEND::COBJECT::StopExISP() noexcept {
  Buffer = nullptr;
  BufferSize = 0;
}

int CFRONTEND::COBJECT::Run(DWORD message, LONG) noexcept {
  LastMessage = message;
  return 0;
}

int CFRONTEND::COBJECT::ExISP(DWORD message, LONG value) noexcept { return Run(message, value); }

void CFRONTEND::COBJECT::Overlapped(int overlapped) noexcept { Overlap = overlapped; }

void CFRONTEND::COBJECT::Timeout(DWORD timeOut) noexcept { TimeOut = timeOut; }

void CFRONTEND::COBJECT::Message(DWORD message) noexcept { LastMessage = message; }

int CFeFrontend::CMODULE::Initialize(COBJECT* parent, CFRONTEND* frontend, DWORD id) noexcept {
  return COBJECT::Initialize(parent, frontend, id);
}
void CFeFrontend::CMODULE::Destroy() noexcept { COBJECT::Destroy(); }
int CFeFrontend::CMODULE::StartExISP(void* buffer, DWORD size) noexcept { return COBJECT::StartExISP(buffer, size); }
void CFeFrontend::CMODULE::StopExISP() noexcept { COBJECT::StopExISP(); }
int CFeFrontend::CMODULE::Run(DWORD message, LONG value) noexcept { return COBJECT::Run(message, value); }
int CFeFrontend::CMODULE::ExISP(DWORD message, LONG value) noexcept { return COBJECT::ExISP(message, value); }
void CFeFrontend::CMODULE::Overlapped(int overlapped) noexcept { COBJECT::Overlapped(overlapped); }
void CFeFrontend::CMODULE::Timeout(DWORD timeOut) noexcept { COBJECT::Timeout(timeOut); }

int CFeFrontend::CTIMER::StartExISP(void* buffer, DWORD size) noexcept { return COBJECT::StartExISP(buffer, size); }
void CFeFrontend::CTIMER::StopExISP() noexcept { COBJECT::StopExISP(); }
int CFeFrontend::CTIMER::Run(DWORD message, LONG value) noexcept { return COBJECT::Run(message, value); }
int CFeFrontend::CTIMER::ExISP(DWORD message, LONG value) noexcept { return COBJECT::ExISP(message, value); }

int CFeFrontend::CVIEWER::StartExISP(void* buffer, DWORD size) noexcept { return COBJECT::StartExISP(buffer, size); }
void CFeFrontend::CVIEWER::StopExISP() noexcept { COBJECT::StopExISP(); }
int CFeFrontend::CVIEWER::Run(DWORD message, LONG value) noexcept { return COBJECT::Run(message, value); }
int CFeFrontend::CVIEWER::ExISP(DWORD message, LONG value) noexcept { return COBJECT::ExISP(message, value); }

int CFeFrontend::CFILE::StartExISP(void* buffer, DWORD size) noexcept { return COBJECT::StartExISP(buffer, size); }
void CFeFrontend::CFILE::StopExISP() noexcept { COBJECT::StopExISP(); }
int CFeFrontend::CFILE::Run(DWORD message, LONG value) noexcept { return COBJECT::Run(message, value); }
int CFeFrontend::CFILE::ExISP(DWORD message, LONG value) noexcept { return COBJECT::ExISP(message, value); }
