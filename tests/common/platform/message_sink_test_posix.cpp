// Natively a window sink shows nothing and agrees to everything.
#include <gtest/gtest.h>

#include "common/platform/message_sink.h"

namespace qm::test {
namespace {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

TEST(WindowSinkTest, AcceptsEveryQuestion) {
  const auto sink = platform::makeWindowSink(nullptr);
  EXPECT_EQ(sink->show("t", "c", MessageIcon::Question, MessageButtons::YesNo), MessageAnswer::Yes);
  EXPECT_EQ(sink->show("t", "c", MessageIcon::Warning, MessageButtons::OkCancel), MessageAnswer::Ok);
  EXPECT_EQ(sink->show("t", "c", MessageIcon::Error, MessageButtons::Ok), MessageAnswer::Ok);
}

}  // namespace
}  // namespace qm::test
