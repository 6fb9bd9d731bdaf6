#include "nexa/state_machine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nexalib {
namespace {

class Machine : public StateMachine {
 public:
  // An action that records the state it saw and answers `result`.
  StateAction Record(std::string name, bool result = true) {
    return [this, name, result] {
      log.push_back(name + "@" + std::to_string(GetState()));
      return result;
    };
  }
  std::vector<std::string> log;
};

class StateMachineTest : public ::testing::Test {
 protected:
  void SetUp() override { machine_.SetInitialState(0); }
  Machine machine_;
};

TEST_F(StateMachineTest, SwitchesBeforeTheActionRuns) {
  machine_.AddTransition(1, 0, 2, machine_.Record("a"));
  machine_.ProcessEvent(1);
  EXPECT_EQ(machine_.GetState(), 2);
  EXPECT_EQ(machine_.log, (std::vector<std::string>{"a@2"}));
}

TEST_F(StateMachineTest, UnhandledEventKeepsAStableStateAndInvalidatesAnyOther) {
  machine_.AddEventTransition(9, 3, machine_.Record("to3"));
  machine_.AddTransition(1, 0, 4, machine_.Record("to4"));

  machine_.ProcessEvent(9);
  ASSERT_EQ(machine_.GetState(), 3);
  machine_.ProcessEvent(7);
  EXPECT_EQ(machine_.GetState(), 3) << "3 is stable";

  machine_.ResetState();
  machine_.ProcessEvent(1);
  ASSERT_EQ(machine_.GetState(), 4);
  machine_.ProcessEvent(7);
  EXPECT_EQ(machine_.GetState(), StateMachine::kInvalidState);
  EXPECT_EQ(machine_.log, (std::vector<std::string>{"to3@3", "to4@4"}));
}

TEST_F(StateMachineTest, FalseActionLeavesTheMachineInvalid) {
  machine_.AddTransition(1, 0, 2, machine_.Record("fails", false));
  machine_.ProcessEvent(1);
  EXPECT_EQ(machine_.log, (std::vector<std::string>{"fails@2"}));
  EXPECT_EQ(machine_.GetState(), StateMachine::kInvalidState);

  // The invalid state is a key like any other.
  machine_.AddTransition(1, StateMachine::kInvalidState, 5, machine_.Record("recovers"));
  machine_.ProcessEvent(1);
  EXPECT_EQ(machine_.GetState(), 5);
}

TEST_F(StateMachineTest, NestedEventsEndInTheInnermostStateUnlessTheOuterActionFails) {
  machine_.AddTransition(1, 0, 1, [this] {
    machine_.ProcessEvent(2);
    return true;
  });
  machine_.AddTransition(2, 1, 2, [this] {
    machine_.ProcessEvent(3);
    return true;
  });
  machine_.AddTransition(3, 2, 3, machine_.Record("inner"));
  machine_.ProcessEvent(1);
  EXPECT_EQ(machine_.GetState(), 3);

  machine_.ResetState();
  machine_.AddTransition(1, 0, 1, [this] {
    machine_.ProcessEvent(2);
    return false;
  });
  machine_.ProcessEvent(1);
  EXPECT_EQ(machine_.GetState(), StateMachine::kInvalidState);
}

TEST_F(StateMachineTest, SpecificTransitionWinsAndNullActionsCountAsAbsent) {
  machine_.AddEventTransition(1, 7, machine_.Record("any"));
  machine_.AddTransition(1, 0, 2, machine_.Record("specific"));
  machine_.ProcessEvent(1);
  EXPECT_EQ(machine_.GetState(), 2);

  machine_.AddTransition(1, 2, 4, nullptr);
  machine_.ProcessEvent(1);
  EXPECT_EQ(machine_.GetState(), 7) << "a null specific entry falls through to the event one";

  machine_.AddEventTransition(5, 8, nullptr);
  machine_.AddTransition(6, 7, 9, nullptr);
  machine_.ProcessEvent(6);
  EXPECT_EQ(machine_.GetState(), 7) << "7 stays stable";
  machine_.ResetState();
  machine_.ProcessEvent(5);
  EXPECT_EQ(machine_.GetState(), StateMachine::kInvalidState)
      << "a null event entry is absent, and 0 is not stable";
  EXPECT_EQ(machine_.log, (std::vector<std::string>{"specific@2", "any@7"}));
}

TEST_F(StateMachineTest, RegisteringAPairAgainReplacesIt) {
  machine_.AddTransition(1, 0, 2, machine_.Record("first"));
  machine_.AddTransition(1, 0, 3, machine_.Record("second"));
  machine_.ProcessEvent(1);
  EXPECT_EQ(machine_.GetState(), 3);
  EXPECT_EQ(machine_.log, (std::vector<std::string>{"second@3"}));
}

// An action that registers its own pair again replaces the entry that holds it while it runs.
TEST_F(StateMachineTest, ActionMayReplaceItsOwnEntry) {
  machine_.AddTransition(1, 0, 2, [this, padding = std::string(100, 'x')] {
    machine_.AddTransition(1, 0, 3, machine_.Record("replacement"));
    return !padding.empty();
  });
  machine_.ProcessEvent(1);
  EXPECT_EQ(machine_.GetState(), 2);
  machine_.ResetState();
  machine_.ProcessEvent(1);
  EXPECT_EQ(machine_.GetState(), 3);
}

TEST_F(StateMachineTest, NegativeStatesAndEventsFormDistinctKeys) {
  const struct {
    int32_t event, from, to;
  } rows[] = {{0, -1, 10}, {-1, 0, 11}, {-1, -1, 12}, {1, -1, 13}, {-2, 0x7FFFFFFF, 14}};
  for (const auto& row : rows) machine_.AddTransition(row.event, row.from, row.to, [] { return true; });
  for (const auto& row : rows) {
    machine_.SetInitialState(row.from);
    machine_.ProcessEvent(row.event);
    EXPECT_EQ(machine_.GetState(), row.to) << row.event << "/" << row.from;
  }
}

TEST_F(StateMachineTest, ResetReturnsToTheInitialStateWithoutAction) {
  machine_.SetInitialState(4);
  machine_.AddTransition(1, 4, 5, machine_.Record("a"));
  machine_.ProcessEvent(1);
  machine_.ResetState();
  EXPECT_EQ(machine_.GetState(), 4);
  EXPECT_EQ(machine_.log.size(), 1u);
}

}  // namespace
}  // namespace nexalib
