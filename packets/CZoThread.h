// The communication and sequence layers' thread class.
#ifndef PACKETS_CZOTHREAD_H
#define PACKETS_CZOTHREAD_H

#include <zodavudaz/platform/CWinThread.h>

/// A framework thread of the communication or sequence library; adds nothing to the base.
class CZoThread : public CWinThread {
public:
  ~CZoThread() override {}
};

#endif
