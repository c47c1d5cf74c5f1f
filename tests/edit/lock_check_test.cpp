#include "edit/guards.h"

#include <gtest/gtest.h>

#include <memory>

#include "support/recording_services.h"

namespace toq::edit {
namespace {

TEST(LockCheck, ALockedTableIsRefusedWithOneWarning) {
  auto table = std::make_unique<data::Table>();
  table->lockFlag = 1;
  services::RecordingServices ui;
  EXPECT_FALSE(lockCheck(*table, ui));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].kind, services::RecordedMessage::Kind::Warning);
  EXPECT_EQ(ui.messages[0].text, "変更は禁止されています。");
  EXPECT_EQ(ui.messages[0].caption, "TOQ");
}

TEST(LockCheck, AnUnlockedTableIsAllowedSilently) {
  auto table = std::make_unique<data::Table>();
  services::RecordingServices ui;
  EXPECT_TRUE(lockCheck(*table, ui));
  EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace toq::edit
