#include "uninstall_main_dlg.h"

#include <memory>

#include "toolkit/animation_frames.h"
#include "toolkit/resource_tables.h"
#include "worker_thread.h"

namespace {

constexpr int kLayout = 1001;
constexpr int kPagesDiv = 1000;
constexpr int kCloseButton = 1001;
constexpr int kConfirmPage = 1010;
constexpr int kCancelButton = 1011;
constexpr int kUninstallButton = 1012;
constexpr int kProfilesCheckBox = 1013;
constexpr int kProgressPage = 1020;
constexpr int kProgressText = 1021;
constexpr int kProgressBar = 1022;
constexpr int kFinishPage = 1030;
constexpr int kFinishButton = 1031;
constexpr UINT_PTR kProgressTimer = 1;
constexpr int kLastTick = 99;
constexpr int kProgramIcon = 101;

}  // namespace

CUnInstallMainDlg::CUnInstallMainDlg(std::wstring install_dir, WorkerStarter start, int tick_ms)
    : CSWindowImlp(kLayout),
      install_dir_(std::move(install_dir)),
      start_worker_(std::move(start)),
      tick_ms_(tick_ms),
      worker_(this, install_dir_) {}

void CUnInstallMainDlg::StartDetached(CUninstall& worker) {
  // The dialog never waits for the thread: it waits for the worker's last report.
  (void)StartWorkerThread(worker);  // its handle is closed at once
}

bool CUnInstallMainDlg::ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                             LRESULT& result) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(hwnd, GWL_STYLE, GetWindowLongPtrW(hwnd, GWL_STYLE) | WS_MINIMIZEBOX);
      SetWindowTextW(hwnd, GetResString(L"apptitle").c_str());
      SendMessageW(hwnd, WM_SETICON, ICON_SMALL,
                   reinterpret_cast<LPARAM>(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kProgramIcon))));
      progress_text_ = GetResString(L"uninstallprocress");
      ShowWindow(hwnd, SW_HIDE);
      PlayWindowAnimation(kAnimateZoomIn);
      ShowWindow(hwnd, SW_SHOW);
      break;
    case WM_COMMAND:
      if (OnCommand(LOWORD(wparam))) {
        result = 0;
        return true;
      }
      break;
    case WM_CLOSE:
      if (uninstalling_) {
        result = 0;
        return true;
      }
      PlayWindowAnimation(kAnimateZoomOutFade);
      if (finished_) {
        EndModal(kResultFinished);
        result = 0;
        return true;
      }
      break;  // the host ends the dialog with IDCLOSE
    case WM_TIMER:
      OnTimer();
      result = 0;
      return true;
    case WM_UNINSTALL_PROGRESS:
      OnProgressReport(reinterpret_cast<ProgressReport*>(wparam));
      result = 0;
      return true;
    default:
      break;
  }
  return CSWindowImlp::ProcessWindowMessage(hwnd, message, wparam, lparam, result);
}

bool CUnInstallMainDlg::OnCommand(int id) {
  switch (id) {
    case kCloseButton:
      PlayWindowAnimation(kAnimateZoomOutFade);
      EndModal(finished_ ? kResultFinished : kResultCloseButton);
      return true;
    case kCancelButton:
      PlayWindowAnimation(kAnimateZoomOutFade);
      EndModal(kResultCancel);
      return true;
    case kUninstallButton:
      StartUninstall();
      return true;
    case kFinishButton:
      PlayWindowAnimation(kAnimateFade);
      EndModal(kResultFinished);
      return true;
    default:
      return false;
  }
}

void CUnInstallMainDlg::OnTimer() {
  // Messages of a killed timer may still be queued; the bar stops at 99 all the same.
  if (ticks_done_) return;
  tick_count_ += 1;
  SetProgress(tick_count_);
  if (tick_count_ < kLastTick) return;
  ticks_done_ = 1;
  KillTimer(window(), kProgressTimer);
  FinishWhenBothDone();
}

void CUnInstallMainDlg::OnProgressReport(ProgressReport* report) {
  std::unique_ptr<ProgressReport> owned(report);
  if (!owned || owned->step != 3) return;
  worker_done_ = 1;
  FinishWhenBothDone();
}

void CUnInstallMainDlg::FinishWhenBothDone() {
  if (!ticks_done_ || !worker_done_ || finished_) return;
  SetProgress(100);
  ShowFinishPage();
}

void CUnInstallMainDlg::OnUninstallProgress(int step, const std::wstring& text) {
  auto report = std::make_unique<ProgressReport>(ProgressReport{step, text});
  HWND hwnd = window();
  if (hwnd == nullptr || !IsWindow(hwnd)) return;
  // The window thread frees the report once it has taken it.
  SendMessageW(hwnd, WM_UNINSTALL_PROGRESS, reinterpret_cast<WPARAM>(report.release()), 0);
}

void CUnInstallMainDlg::SetProgress(int percent) {
  view().SetControlAttribute(kProgressBar, "progresspos", std::to_string(percent));
  view().SetControlText(kProgressText, progress_text_ + L" " + std::to_wstring(percent) + L"%");
}

void CUnInstallMainDlg::StartUninstall() {
  if (uninstalling_ || finished_) return;
  view().SetControlAttribute(kPagesDiv, "skinbg", "bg2");
  view().SetControlVisible(kConfirmPage, false);
  view().SetControlVisible(kProgressPage, true);
  view().SetControlVisible(kCloseButton, false);
  SetTimer(window(), kProgressTimer, static_cast<UINT>(tick_ms_), nullptr);
  int delete_profiles = 1;
  view().GetControlCheck(kProfilesCheckBox, delete_profiles);
  if (delete_profiles == 0) worker_.AddExcludedPath(install_dir_ + L"profiles");
  worker_.AddExcludedPath(GetModulePath());
  uninstalling_ = 1;
  start_worker_(worker_);
}

void CUnInstallMainDlg::ShowFinishPage() {
  view().SetControlVisible(kProgressPage, false);
  view().SetControlVisible(kFinishPage, true);
  view().SetControlVisible(kCloseButton, true);
  view().SetControlAttribute(kPagesDiv, "skinbg", "bg");
  uninstalling_ = 0;
  finished_ = 1;
}
