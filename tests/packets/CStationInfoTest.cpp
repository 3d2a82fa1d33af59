#include <zodavudaz/packets/CStationInfo.h>

#include <zodavudaz/packets/CManager.h>
#include <zodavudaz/packets/siblings/CommunicationLibrary.h>
#include <zodavudaz/sim/SimControl.h>

#include <gtest/gtest.h>

#include <tuple>

TEST(CStationInfoTest, TypesTwoToFourArePCs) {
  const struct {
    BYTE Type;
    BOOL IsStation, IsPC;
  } rows[] = {{0, 1, 0}, {1, 1, 0}, {2, 0, 1}, {3, 0, 1}, {4, 0, 1}, {5, 0, 0}, {0xFF, 0, 0}};
  for (const auto& row : rows) {
    SimReset();
    SimStation wanted;
    wanted.Address = 100;
    wanted.Type = row.Type;
    SimSetStation(wanted);
    const CStationInfo& record = *GetMgr()->GetStationInfo(wanted.Id);
    EXPECT_EQ(std::make_tuple(record.GetType(), record.IsStation(), record.IsPC()),
              std::make_tuple(row.Type, row.IsStation, row.IsPC))
        << int{row.Type};
  }
  SimReset();
}
