#include "nexa/state_machine.h"

#include <utility>

namespace nexalib {

void StateMachine::SetInitialState(int32_t state) {
  initial_state_ = state;
  current_state_ = state;
}

int64_t StateMachine::Key(int32_t event, int32_t from) {
  return static_cast<int64_t>(event) * (int64_t{1} << 32) + from;
}

void StateMachine::AddTransition(int32_t event, int32_t from, int32_t to, StateAction action) {
  transitions_[Key(event, from)] = Transition{std::move(action), to};
}

void StateMachine::AddEventTransition(int32_t event, int32_t to, StateAction action) {
  event_transitions_[event] = Transition{std::move(action), to};
  stable_states_.insert(to);
}

void StateMachine::ProcessEvent(int32_t event) {
  const auto specific = transitions_.find(Key(event, current_state_));
  if (specific != transitions_.end() && specific->second.action) {
    Enter(specific->second);
    return;
  }
  const auto any = event_transitions_.find(event);
  if (any != event_transitions_.end() && any->second.action) {
    Enter(any->second);
    return;
  }
  if (!stable_states_.contains(current_state_)) current_state_ = kInvalidState;
}

void StateMachine::Enter(const Transition& transition) {
  // A copy, because the action may register its own pair again and so replace the entry
  // that holds it.
  const Transition entered = transition;
  current_state_ = entered.to;
  if (!entered.action()) current_state_ = kInvalidState;
}

}  // namespace nexalib
