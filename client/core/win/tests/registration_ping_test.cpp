#include "client/core/win/registration_ping.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "client/core/registration_report.h"
#include "client/core/win/tests/service_test_support.h"
#include "common/win/com_ptr.h"
#include "tests/winkit/standin_client.h"

namespace mb {
namespace {

using namespace testing_support;

bool LooksLikeAdapterAddress(const std::string& text) {
  if (text.size() != 17) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (i % 3 == 2 ? c != '-' : !((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return false;
  }
  return true;
}

TEST(AdapterAddress, EveryListedAdapterGivesAnAddressText) {
  for (int adapter : NetbiosAdapterNumbers()) {
    EXPECT_TRUE(LooksLikeAdapterAddress(GetMacAddress(adapter))) << adapter;
  }
  EXPECT_EQ(GetMacAddress(250), kNoAdapterAddress) << "an adapter number the system does not have";
}

class RegistrationPingTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(com_.ok()); }
  ComApartment com_;
  winkit::StandinSession standin_;
};

TEST_F(RegistrationPingTest, ReportsUserClientIdAndTheLastAdapterAddress) {
  std::vector<std::string> addresses;
  for (int adapter : NetbiosAdapterNumbers()) addresses.push_back(GetMacAddress(adapter));
  const std::string expected = ChooseReportedAdapterAddress(addresses);

  EXPECT_TRUE(RegistrationPing(ServiceBase(), kUserGbk, "7"));
  const std::vector<winkit::StandinRequest> seen = standin_.Requests();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].method, "GET");
  EXPECT_EQ(seen[0].path, "/regist.jsp");
  EXPECT_EQ(seen[0].query, "u=" + kUserQueryValue + "&cid=7&mac=" + expected);
  EXPECT_TRUE(LooksLikeAdapterAddress(expected));
}

TEST_F(RegistrationPingTest, BuildsEndpointIsTheServiceInTestBuilds) {
  EXPECT_EQ(RegistrationEndpoint(), ServiceBase());
  EXPECT_TRUE(RegistrationPing("demo", "1"));
  const std::vector<winkit::StandinRequest> seen = standin_.Requests();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].query.substr(0, 12), "u=demo&cid=1");
}

TEST_F(RegistrationPingTest, AnErrorPageIsNoDelivery) {
  ASSERT_TRUE(standin_.Control("fault /regist.jsp 500"));
  EXPECT_FALSE(RegistrationPing(ServiceBase(), "demo", "1"));
  EXPECT_EQ(standin_.Requests().size(), 1u);
}

}  // namespace
}  // namespace mb
