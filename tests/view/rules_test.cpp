// The pairing button on tables without participants: nothing to pair, whatever the planes or
// the counts still hold.
#include "view/rules.h"

#include <gtest/gtest.h>

#include <functional>

#include "support/builders.h"

namespace toq::view {
namespace {

using testing::Tournament;

// Two participants paired in every round of a three-round table.
void pairEveryRound(Tournament& t) {
  t.addParticipant("A");
  t.addParticipant("B");
  for (int k = 0; k < 3; ++k) t.table.setPair(k, 0, 1);
}

TEST(PairingButtonRule, DisabledWithoutParticipants) {
  struct Case {
    const char* what;
    std::function<void(Tournament&)> make;
    PairingButton expected;
  };
  const Case cases[] = {
      {"a new event's empty table", [](Tournament&) {}, PairingButton::Disable},
      // The removed rows' pairs stay in the planes: no round looks open, yet nothing is left.
      {"every participant removed after pairing",
       [](Tournament& t) {
         pairEveryRound(t);
         t.table.RemoveParticipant(0);
         t.table.RemoveParticipant(0);
       },
       PairingButton::Disable},
      {"a count below zero", [](Tournament& t) { t.table.participantCount = -1; },
       PairingButton::Disable},
      {"two open participants",
       [](Tournament& t) {
         t.addParticipant("A");
         t.addParticipant("B");
       },
       PairingButton::Enable},
      {"every round paired", pairEveryRound, PairingButton::Keep},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto t = testing::makeTournament(3);
    c.make(*t);
    EXPECT_EQ(pairingButtonState(t->table), c.expected);
  }
}

}  // namespace
}  // namespace toq::view
