// The communication layer's API-side manager record.
#ifndef ZODAVUDAZ_PACKETS_CMANAGERAPI_H
#define ZODAVUDAZ_PACKETS_CMANAGERAPI_H

#include <zodavudaz/platform/CPtrList.h>
#include <zodavudaz/platform/Export.h>

/// Holds one pointer list, grown in blocks of 10 nodes, that the communication library uses.
class ZODAVUDAZ_EXPORT CManagerAPI {
public:
  CManagerAPI() noexcept : List(10) {}
  CManagerAPI(const CManagerAPI&) = delete;
  CManagerAPI& operator=(const CManagerAPI&) = delete;

private:
  CPtrList List;
};

#endif
