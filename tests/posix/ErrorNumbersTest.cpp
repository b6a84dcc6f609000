#include "platform/posix/ErrorNumbers.h"

#include <netdb.h>

#include <cerrno>

#include <gtest/gtest.h>

namespace {

TEST(ErrorNumbers, MapsErrnoOntoWindowsSocketsCodes) {
  const std::pair<int, int> rows[] = {
      {ECONNREFUSED, 10061}, {ECONNRESET, 10054},  {ECONNABORTED, 10053}, {ETIMEDOUT, 10060},
      {EHOSTUNREACH, 10065}, {ENETUNREACH, 10051}, {EADDRINUSE, 10048},   {EWOULDBLOCK, 10035},
      {EINPROGRESS, 10035},  {ESHUTDOWN, 10058},   {EPIPE, 10054},        {ENOTCONN, 10057},
      {EINTR, 10004},        {EMFILE, 10024},      {ENOTSOCK, 10038},     {EINVAL, 10022},
  };
  for (auto [error, code] : rows) EXPECT_EQ(WinsockErrorFromErrno(error), code) << error;
  // Without a counterpart the number stays as it is.
  EXPECT_EQ(WinsockErrorFromErrno(EDOM), EDOM);
}

TEST(ErrorNumbers, MapsResolverCodes) {
  EXPECT_EQ(WinsockErrorFromAddrInfo(EAI_NONAME), 11001);
  EXPECT_EQ(WinsockErrorFromAddrInfo(EAI_AGAIN), 11002);
  EXPECT_EQ(WinsockErrorFromAddrInfo(EAI_FAIL), 11003);
  EXPECT_EQ(WinsockErrorFromHostError(HOST_NOT_FOUND), 11001);
  EXPECT_EQ(WinsockErrorFromHostError(TRY_AGAIN), 11002);
  EXPECT_EQ(WinsockErrorFromHostError(NO_DATA), 11004);
}

}  // namespace
