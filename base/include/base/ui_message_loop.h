// The user-interface loop: the loop of the thread that called InitUIMessageLoop.
// On Windows its tasks run from that thread's own message pump (a message-only
// window receives them); elsewhere the host runs them with RunUIMessageLoop.
// The Run/Quit helpers work on both, for hosts and tests that have no pump.
#ifndef BASE_UI_MESSAGE_LOOP_H_
#define BASE_UI_MESSAGE_LOOP_H_

#include "base/message_loop.h"

namespace base {

// Binds the UI loop to the calling thread. A second call on the same thread
// keeps the loop; a call from another thread moves it there.
bool InitUIMessageLoop();
// Null before InitUIMessageLoop.
MessageLoop* GetUIMessageLoop();

// Runs UI tasks on the calling (UI) thread until QuitUIMessageLoop.
void RunUIMessageLoop();
// Runs every UI task that is due now, including those they post, then returns.
void RunUIMessageLoopUntilIdle();
// Makes RunUIMessageLoop return after the current task; safe from any thread.
void QuitUIMessageLoop();

}  // namespace base

#endif  // BASE_UI_MESSAGE_LOOP_H_
