#include "services/lock_check.h"

#include <gtest/gtest.h>

#include <memory>

#include "services/recording_services.h"

namespace toq::services {
namespace {

TEST(LockCheck, ALockedTableIsRefusedWithOneWarning) {
  auto table = std::make_unique<data::Table>();
  table->lockFlag = 1;
  RecordingServices ui;
  EXPECT_FALSE(lockCheck(*table, ui));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].kind, RecordedMessage::Kind::Warning);
  EXPECT_EQ(ui.messages[0].text, "変更は禁止されています。");
  EXPECT_EQ(ui.messages[0].caption, "TOQ");
}

TEST(LockCheck, AnUnlockedTableIsAllowedSilently) {
  auto table = std::make_unique<data::Table>();
  RecordingServices ui;
  EXPECT_TRUE(lockCheck(*table, ui));
  EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace toq::services
