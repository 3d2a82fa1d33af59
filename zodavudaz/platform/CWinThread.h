// The framework's thread object, as far as the library's records refer to it.
#ifndef ZODAVUDAZ_PLATFORM_CWINTHREAD_H
#define ZODAVUDAZ_PLATFORM_CWINTHREAD_H

#include <zodavudaz/platform/BaseTypes.h>
#include <zodavudaz/platform/Export.h>

/// A thread that receives posted messages; the communication manager's threads derive from it.
class ZODAVUDAZ_EXPORT CWinThread {
public:
  virtual ~CWinThread() = default;
  /// Queues message with its two words for the thread; FALSE when it cannot be queued.
  virtual BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

#endif
