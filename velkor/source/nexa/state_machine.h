#pragma once

// A table-driven state machine. States and events are plain integers whose meaning
// belongs to the derived class; the base stores transitions, picks the one that matches
// an event, switches state and runs the transition's action.
//
// Not thread-safe: every call for one object comes from that object's own thread,
// nested calls from actions included.

#include <cstdint>
#include <functional>
#include <map>
#include <set>

namespace nexalib {

// Runs after the state has switched to the transition's target; false puts the machine
// into kInvalidState. A null action makes the entry count as absent.
using StateAction = std::function<bool()>;

class StateMachine {
 public:
  static constexpr int32_t kInvalidState = -1;

  // Sets both the state a reset returns to and the current state.
  void SetInitialState(int32_t state);
  // Registers (event, from) -> to; a second registration of the pair replaces the first.
  void AddTransition(int32_t event, int32_t from, int32_t to, StateAction action);
  // Registers a transition for `event` from any state and makes `to` a stable state.
  void AddEventTransition(int32_t event, int32_t to, StateAction action);
  // A transition registered for (event, current state) wins over an event transition.
  // With neither, a stable state stays and any other state becomes kInvalidState.
  // Actions may feed events themselves: the innermost transition sets the final state,
  // unless an outer action returns false.
  void ProcessEvent(int32_t event);
  void ResetState() { current_state_ = initial_state_; }
  int32_t GetState() const { return current_state_; }

 protected:
  StateMachine() = default;
  ~StateMachine() = default;

 private:
  struct Transition {
    StateAction action;
    int32_t to = kInvalidState;
  };
  static int64_t Key(int32_t event, int32_t from);
  void Enter(const Transition& transition);

  std::map<int64_t, Transition> transitions_;
  std::map<int32_t, Transition> event_transitions_;
  std::set<int32_t> stable_states_;
  int32_t initial_state_ = 0;
  int32_t current_state_ = 0;
};

}  // namespace nexalib
