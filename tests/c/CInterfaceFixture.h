// The process's database with the tests' virtual stations filed through the C interface, and
// helpers that read what a C function hands out.
#ifndef ZODAVUDAZ_TESTS_C_CINTERFACEFIXTURE_H
#define ZODAVUDAZ_TESTS_C_CINTERFACEFIXTURE_H

#include <zodavudaz/entry/LibraryEntry.h>
#include <zodavudaz/entry/LibraryVersion.h>
#include <zodavudaz/sim/SimControl.h>
#include <zodavudaz/sim/zodavudaz_sim_c.h>
#include <zodavudaz/zodavudaz_c.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

/// The stations the tests play against (tests run from the top of the tree).
constexpr const char* TestStations = "tests/c/VirtualStations.ini";

class CInterfaceFixture : public testing::Test {
protected:
  CInterfaceFixture() {
    SimReset();
    char message[256] = {};
    uint32_t size = 0;
    EXPECT_EQ(zdz_sim_load_virtual_stations(TestStations, message, sizeof message, &size), ZDZ_OK) << message;
  }
  ~CInterfaceFixture() override {
    zdz_exit();
    EXPECT_EQ(zdz_sim_release_virtual_stations(), ZDZ_OK);
    SimReset();
  }

  static CGUIDatabase& Database() { return *GetDataBase(); }
};

/// A C function that hands out text: its arguments after the ones the call names.
using TextCall = std::function<int32_t(char* text, uint32_t capacity, uint32_t* size)>;

/// call with its leading arguments bound: the call's remaining arguments pass through.
template <typename CallT, typename... LeadingT>
auto Bound(CallT call, LeadingT... leading) {
  return [=](auto... rest) { return call(leading..., rest...); };
}

/// What function answers through its last argument when called with leading before it, expecting
/// ZDZ_OK.
template <typename... ParamT, typename... LeadingT>
auto AnswerOf(int32_t (*function)(ParamT...), LeadingT... leading) {
  std::remove_pointer_t<std::tuple_element_t<sizeof...(ParamT) - 1, std::tuple<ParamT...>>> answer{};
  EXPECT_EQ(function(leading..., &answer), ZDZ_OK);
  return answer;
}

/// The text call hands out with a roomy buffer, expecting status.
inline std::string TextOf(const TextCall& call, int32_t status = ZDZ_OK) {
  std::vector<char> buffer(1 << 16, '\x5A');
  uint32_t size = 0;
  EXPECT_EQ(call(buffer.data(), static_cast<uint32_t>(buffer.size()), &size), status);
  return std::string(buffer.data(), size == 0 ? 0 : size - 1);
}

inline std::string TextOf(const CString& text) { return std::string(text, static_cast<std::size_t>(text.GetLength())); }

#endif
