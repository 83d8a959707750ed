// What the program and the process drawing a window of its tell each other: every message comes
// through as sent, and a record that is not exactly one message, in range, is no message.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "runtime/qt/window_messages.h"

namespace {

using vorlin::qt::decode;
using vorlin::qt::encode;
using vorlin::qt::WindowMessage;
using Kind = vorlin::qt::WindowMessageKind;

TEST(WindowMessages, EachComesThroughAsSent) {
  for (const WindowMessage sent :
       {WindowMessage{Kind::Move, -1900, 1080}, WindowMessage{Kind::Select, 0, 5},
        WindowMessage{Kind::Show}, WindowMessage{Kind::Click, 2, -1}, WindowMessage{Kind::Close}}) {
    const std::string record(encode(sent).view());
    const auto taken = decode(record);
    ASSERT_TRUE(taken) << record;
    EXPECT_EQ(taken->kind, sent.kind) << record;
    EXPECT_EQ(taken->first, sent.first) << record;
    EXPECT_EQ(taken->second, sent.second) << record;
  }
  EXPECT_EQ(encode({Kind::Click, 0, 4}).view(), "click 0 4");
}

TEST(WindowMessages, AnythingElseIsNoMessage) {
  using namespace std::string_view_literals;
  for (const std::string_view record : {""sv,
                                        "show "sv,
                                        "show\n"sv,
                                        "Show"sv,
                                        "shows"sv,
                                        "show\0"sv,
                                        "closed"sv,
                                        "click"sv,
                                        "click 0"sv,
                                        "click 0 4 1"sv,
                                        "click  0 4"sv,
                                        "click 0 +4"sv,
                                        "click 0 4x"sv,
                                        "click 0 32768"sv,
                                        "click -2 0"sv,
                                        "select 0 99999999999"sv,
                                        "move 1048577 0"sv,
                                        "move 0 -1048577"sv,
                                        "move 1.5 2"sv,
                                        "jump 1 2"sv}) {
    EXPECT_FALSE(decode(record)) << '"' << record << '"';
  }
}

}  // namespace
