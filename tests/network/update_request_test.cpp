// The request, the server setting, the build number and the stored date.

#include <gtest/gtest.h>

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <algorithm>

#include "network/update_calendar.h"
#include "network/update_day_count.h"
#include "network/update_request.h"
#include "network/update_server.h"
#include "network/update_version.h"

namespace lirabo::network {
namespace {

TEST(UpdateRequestTest, Build57WithoutDateIsByteExact)
{
    const std::string body = BuildUpdateBody(BuildNumberOf("3.0.0.57"), 0, ",");
    EXPECT_EQ(body, "build=57&lastupd=0");
    EXPECT_EQ(BuildUpdateRequest("updates.example.org", body),
              "POST /lirabo/chkupd.php HTTP/1.0\r\n"
              "Connection: close\r\n"
              "Host: updates.example.org\r\n"
              "User-Agent: Lirabo/3.0\r\n"
              "Content-type: application/x-www-form-urlencoded\r\n"
              "Content-Length: 18\r\n"
              "\r\n"
              "build=57&lastupd=0\r\n");
}

TEST(UpdateRequestTest, DatesAreWrittenAsTheirDayCount)
{
    // Whole counts (all this program writes) carry no separator, whatever
    // the user's; the length follows the body.
    EXPECT_EQ(BuildUpdateBody(57, 45123, ","), "build=57&lastupd=45123");
    EXPECT_NE(BuildUpdateRequest("h", BuildUpdateBody(57, 45123, ",")).find("Content-Length: 22\r\n"),
              std::string::npos);
    EXPECT_EQ(FormatDayCount(-3, ","), "-3");
    EXPECT_EQ(FormatDayCount(-0.0, ","), "0");
    EXPECT_EQ(FormatDayCount(1e20, "."), "100000000000000000000");
    // A count with a fraction: 15 significant digits, the user's separator.
    EXPECT_EQ(FormatDayCount(45123.25, ","), "45123,25");
    EXPECT_EQ(FormatDayCount(45123.25, "."), "45123.25");
    EXPECT_EQ(FormatDayCount(1.0 / 3, ","), "0,333333333333333");
    EXPECT_EQ(FormatDayCount(45000.123456789012345, ","), "45000,123456789");
}

TEST(UpdateRequestTest, BuildNumberIsTheFourthPartIn16Bits)
{
    EXPECT_EQ(BuildNumberOf("3.0.0.57"), 57);
    EXPECT_EQ(BuildNumberOf("1.2.3.4.5"), 4);
    EXPECT_EQ(BuildNumberOf("1.2.3.65535"), 65535);
    EXPECT_EQ(BuildNumberOf("1.2.3.65537"), 1);
    for (const char* none : {"", "0.1.0", "1.2.3.", "1.2.3.x", "1.2.3.5x", "1.2.3.-1", "1.2.3.+1",
                             "1.2.3.99999999999999999999999", "1.2"})
        EXPECT_EQ(BuildNumberOf(none), 0) << none;
    // This build's own version has a real build number: its fourth part.
    const std::string version(ProgramVersion());
    ASSERT_EQ(std::count(version.begin(), version.end(), '.'), 3) << version;
    EXPECT_GT(BuildNumberOf(version), 0);
    EXPECT_EQ(std::to_string(BuildNumberOf(version)), version.substr(version.rfind('.') + 1));
}

TEST(UpdateServerTest, HostAndOptionalPort)
{
    auto server = ParseUpdateServer("updates.example.org");
    ASSERT_TRUE(server);
    EXPECT_EQ(server->Host, "updates.example.org");
    EXPECT_EQ(server->Port, 80);
    EXPECT_EQ(server->HostLine(), "updates.example.org");

    server = ParseUpdateServer("  my_host-1.local:8080\n");
    ASSERT_TRUE(server);
    EXPECT_EQ(server->Host, "my_host-1.local");
    EXPECT_EQ(server->Port, 8080);
    EXPECT_EQ(server->HostLine(), "my_host-1.local");  // never the port

    server = ParseUpdateServer("[::1]:65535");
    ASSERT_TRUE(server);
    EXPECT_EQ(server->Host, "::1");
    EXPECT_EQ(server->Port, 65535);
    EXPECT_EQ(server->HostLine(), "[::1]");
}

TEST(UpdateServerTest, AnythingThatCouldBreakTheRequestIsRefused)
{
    for (const char* bad : {"", "   ", "host:0", "host:65536", "host:", "host:80x", "host:+80", "host:-1",
                            "ho st", "host\r\nX-Injected: 1", "http://host", "host/path", "host:80:81",
                            "[::1", "[zz::1]", "[::1]x", "[]", "[::1]:", "h\xC3\xB6st", ":80"})
        EXPECT_FALSE(ParseUpdateServer(bad)) << bad;
    EXPECT_TRUE(ParseUpdateServer(std::string(253, 'a')));
    EXPECT_FALSE(ParseUpdateServer(std::string(254, 'a')));
}

TEST(UpdateDayCountTest, StoredAsEightLittleEndianBytes)
{
    // 45000 = 0x40E5F90000000000.
    const auto bytes = EncodeDayCount(45000);
    EXPECT_EQ(std::string(bytes.data(), bytes.size()), std::string("\0\0\0\0\0\xF9\xE5\x40", 8));
    EXPECT_EQ(DecodeDayCount(std::string_view(bytes.data(), bytes.size())), 45000);
    const auto fraction = EncodeDayCount(-12.75);
    EXPECT_EQ(DecodeDayCount(std::string_view(fraction.data(), fraction.size())), -12.75);

    EXPECT_FALSE(DecodeDayCount(std::string_view(bytes.data(), 7)));
    EXPECT_FALSE(DecodeDayCount(std::string("\0\0\0\0\0\xF9\xE5\x40\0", 9)));
    EXPECT_FALSE(DecodeDayCount("45000"));
    EXPECT_FALSE(DecodeDayCount(std::string("\0\0\0\0\0\0\xF0\x7F", 8)));  // infinity
    EXPECT_FALSE(DecodeDayCount(std::string("\1\0\0\0\0\0\xF8\x7F", 8)));  // NaN
}

TEST(UpdateDayCountTest, DueAfterSevenWholeDaysEitherWay)
{
    const double today = 45000;
    EXPECT_FALSE(UpdateCheckDue(today - 6, today + 0.99));  // six days and nearly 24 hours
    EXPECT_TRUE(UpdateCheckDue(today - 7, today + 0.01));
    EXPECT_FALSE(UpdateCheckDue(today, today + 0.5));
    EXPECT_TRUE(UpdateCheckDue(0, today));  // never checked
    EXPECT_TRUE(UpdateCheckDue(today + 7, today));  // a clock set back
    EXPECT_FALSE(UpdateCheckDue(today + 6.5, today));
}

TEST(UpdateDayCountTest, CalendarDaysCountFromTheEndOf1899)
{
    EXPECT_EQ(DayCountOf(QDate(1899, 12, 30)), 0);
    EXPECT_EQ(DayCountOf(QDate(1900, 1, 1)), 2);
    EXPECT_EQ(DayCountOf(QDate(2000, 1, 1)), 36526);
    EXPECT_EQ(DayCountOf(QDateTime(QDate(2000, 1, 1), QTime(18, 0))), 36526.75);
    EXPECT_EQ(DayCountOf(QDate(1899, 12, 29)), -1);
}

}  // namespace
}  // namespace lirabo::network
