// The interactive uninstall's window: confirmation, progress and finish pages over one
// skinned frame (layout 1001). It owns the worker and starts it when the user confirms.
#pragma once

#include <functional>
#include <string>

#include "module_path.h"
#include "toolkit/win/sw_window_imlp.h"
#include "uninstall.h"

// A report of the worker, handed to the window thread and freed there.
struct ProgressReport {
  int step = 0;
  std::wstring text;
};

inline constexpr UINT WM_UNINSTALL_PROGRESS = WM_USER + 1;  // wParam: ProgressReport*

// Results of DoModal.
inline constexpr int kResultFinished = 1031;  // finish button, or closed after finishing
inline constexpr int kResultCloseButton = 1001;
inline constexpr int kResultCancel = 1011;

class CUnInstallMainDlg : public CSWindowImlp<CUnInstallMainDlg>, public IUninstallProgressCallBack {
 public:
  // Starts the worker's thread and returns without waiting for it.
  using WorkerStarter = std::function<void(CUninstall& worker)>;

  // The install folder (with a trailing backslash) is where the worker deletes; tests
  // point it at a folder of their own and start the worker their own way.
  explicit CUnInstallMainDlg(std::wstring install_dir = GetModuleDir(), WorkerStarter start = StartDetached,
                             int tick_ms = 20);

  bool ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);

  // Worker thread: hands the report to the window thread and returns once it was handled.
  void OnUninstallProgress(int step, const std::wstring& text) override;

  void SetProgress(int percent);
  void StartUninstall();
  void ShowFinishPage();

  [[nodiscard]] bool uninstalling() const { return uninstalling_ != 0; }
  [[nodiscard]] bool finished() const { return finished_ != 0; }
  [[nodiscard]] int tick_count() const { return tick_count_; }

 private:
  static void StartDetached(CUninstall& worker);
  bool OnCommand(int id);
  void OnTimer();
  void OnProgressReport(ProgressReport* report);
  void FinishWhenBothDone();

  std::wstring install_dir_;
  WorkerStarter start_worker_;
  int tick_ms_;
  CUninstall worker_;
  std::wstring progress_text_;
  int tick_count_ = 0;
  int ticks_done_ = 0;
  int worker_done_ = 0;
  int uninstalling_ = 0;
  int finished_ = 0;
};
