#include "ui_loop.h"

#include <memory>

#include "base/ui_message_loop.h"

namespace base {
namespace internal {

void UILoop::PostTask(const tracked_objects::Location& from_here, const Closure& task) {
  PostDelayedTask(from_here, task, TimeDelta());
}

void UILoop::PostDelayedTask(const tracked_objects::Location&, const Closure& task,
                             TimeDelta delay) {
  if (task.is_null()) return;
  ScheduleWork(queue_.Push(task, delay));
}

bool UILoop::RunsTasksOnCurrentThread() const {
  return thread_.load() == std::this_thread::get_id();
}

void UILoop::Bind() { thread_.store(std::this_thread::get_id()); }

bool UILoop::RunDueTasks(TaskQueue::Clock::time_point* next_due) {
  bool ran = false;
  while (std::optional<Closure> task = queue_.PopDue(next_due)) {
    task->Run();
    ran = true;
    if (quit_.load()) break;
  }
  return ran;
}

namespace {

// Created on the first InitUIMessageLoop and kept for the life of the process:
// posting threads may hold the pointer at any time.
std::atomic<UILoop*> g_ui_loop{nullptr};
std::mutex g_ui_loop_lock;

}  // namespace
}  // namespace internal

bool InitUIMessageLoop() {
  std::lock_guard<std::mutex> guard(internal::g_ui_loop_lock);
  internal::UILoop* loop = internal::g_ui_loop.load();
  if (!loop) {
    loop = internal::UILoop::Create();
    internal::g_ui_loop.store(loop);
  }
  if (!loop->RunsTasksOnCurrentThread()) loop->Bind();
  return true;
}

MessageLoop* GetUIMessageLoop() { return internal::g_ui_loop.load(); }

void RunUIMessageLoop() {
  if (internal::UILoop* loop = internal::g_ui_loop.load()) loop->Run();
}

void RunUIMessageLoopUntilIdle() {
  if (internal::UILoop* loop = internal::g_ui_loop.load()) loop->RunUntilIdle();
}

void QuitUIMessageLoop() {
  if (internal::UILoop* loop = internal::g_ui_loop.load()) loop->Quit();
}

}  // namespace base
