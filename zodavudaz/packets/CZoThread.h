// The communication and sequence layers' thread class.
#ifndef ZODAVUDAZ_PACKETS_CZOTHREAD_H
#define ZODAVUDAZ_PACKETS_CZOTHREAD_H

#include <zodavudaz/platform/CWinThread.h>
#include <zodavudaz/platform/Export.h>

/// A framework thread of the communication or sequence library; adds nothing to the base.
class ZODAVUDAZ_EXPORT CZoThread : public CWinThread {
public:
  ~CZoThread() override {}
};

#endif
