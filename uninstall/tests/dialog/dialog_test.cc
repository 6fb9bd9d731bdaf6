#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <thread>

#include "dialog_script.h"
#include "program_environment.h"
#include "surface_png.h"
#include "toolkit/sw_progress_bar.h"
#include "uninstall_main_dlg.h"

namespace {

namespace fs = std::filesystem;

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new ProgramEnvironment);

struct Pixel {
  int a, r, g, b;
};
Pixel At(const CSWindowHost& host, int x, int y) {
  const std::uint32_t p = host.SurfacePixel(x, y);
  return {static_cast<int>(p >> 24), static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF),
          static_cast<int>(p & 0xFF)};
}

std::wstring Artefact(const wchar_t* name) { return std::wstring(KIT_ARTEFACT_DIR) + L"/" + name; }

// Button centres in window coordinates (pages start at 10, 10).
constexpr POINT kCancel{250, 240};
constexpr POINT kUninstall{350, 240};
constexpr POINT kFinish{350, 240};
constexpr POINT kClose{395, 25};

void Repaint(CSWindowHost& host) { SendMessageW(host.window(), kRedrawMessage, 0, 0); }

int BarPosition(CSWindowHost& host) {
  const SWControlPtr bar = FindControlById(host.view(), 1022);
  return bar ? static_cast<const CSWProgressBar&>(*bar).position() : -1;
}

bool Visible(CSWindowHost& host, int id) {
  const SWControlPtr control = FindControlById(host.view(), id);
  return control && control->GetVisible();
}

// A fake installation in a temporary folder of its own.
class FakeInstall {
 public:
  FakeInstall() {
    root_ = fs::temp_directory_path() / ("uninstall-dialog-" + std::to_string(GetCurrentProcessId()) + "-" +
                                         std::to_string(counter_++));
    fs::create_directories(root_ / "sub");
    fs::create_directories(root_ / "profiles");
    for (const char* file : {"app.dll", "sub/data.bin", "profiles/user.dat"}) std::ofstream(root_ / file) << "x";
  }
  ~FakeInstall() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }
  [[nodiscard]] std::wstring Dir() const { return root_.wstring() + L"\\"; }
  [[nodiscard]] bool Has(const char* file) const { return fs::exists(root_ / file); }

 private:
  static inline int counter_ = 0;
  fs::path root_;
};

class UninstallDialogTest : public ::testing::Test {
 protected:
  ~UninstallDialogTest() override {
    release_worker_ = true;
    if (worker_.joinable()) worker_.join();
  }

  // Runs the real worker on the fake installation.
  CUnInstallMainDlg::WorkerStarter RealWorker() {
    return [this](CUninstall& worker) {
      ++starts_;
      worker_ = std::thread([&worker] { worker.DoStartUnInstall(nullptr); });
    };
  }
  // Reports step 1, then step 3 only once the test releases it.
  CUnInstallMainDlg::WorkerStarter HeldWorker(CUnInstallMainDlg*& dialog) {
    return [this, &dialog](CUninstall&) {
      ++starts_;
      worker_ = std::thread([this, &dialog] {
        dialog->OnUninstallProgress(1, L"");
        while (!release_worker_) std::this_thread::sleep_for(std::chrono::milliseconds(2));
        dialog->OnUninstallProgress(3, L"");
      });
    };
  }
  static void Quiet(CUnInstallMainDlg& dialog) { dialog.set_animation_frame_ms(0); }

  FakeInstall install_;
  std::thread worker_;
  std::atomic<bool> release_worker_{false};
  int starts_ = 0;
};

TEST_F(UninstallDialogTest, FastWorkerStillWaitsForTheBarThenFinishes) {
  CUnInstallMainDlg dialog(install_.Dir(), RealWorker(), 10);
  Quiet(dialog);
  int ticks_when_finished = -1;
  DialogScript script({
      [&] { return IsWindowVisible(dialog.window()) != FALSE; },
      [&] {
        Repaint(dialog);
        EXPECT_TRUE(SaveSurfacePng(dialog, Artefact(L"uninstall-confirm.png")));
        EXPECT_EQ(At(dialog, 200, 150).a, 255);   // the page's background is opaque
        EXPECT_LT(At(dialog, 0, 0).a, 64);        // the shadow fades out at the corner
        // Left of the captions, in the buttons' lower halves.
        const Pixel ok = At(dialog, 312, 245);
        EXPECT_GT(ok.b, ok.r + 60);               // the blue uninstall button
        const Pixel cancel = At(dialog, 212, 245);
        EXPECT_GT(std::min({cancel.r, cancel.g, cancel.b}), 180);  // the light cancel button
        ClickAt(dialog.window(), kUninstall.x, kUninstall.y);
        EXPECT_TRUE(dialog.uninstalling());
        EXPECT_FALSE(Visible(dialog, 1001));
        return true;
      },
      [&] {
        SendMessageW(dialog.window(), WM_SYSCOMMAND, SC_CLOSE, 0);  // ignored while uninstalling
        EXPECT_TRUE(IsWindow(dialog.window()));
        return true;
      },
      [&] {
        EXPECT_FALSE(dialog.finished()) << "finished at tick " << dialog.tick_count();
        EXPECT_LT(BarPosition(dialog), 100);
        if (dialog.tick_count() < 50) return false;
        Repaint(dialog);
        EXPECT_TRUE(SaveSurfacePng(dialog, Artefact(L"uninstall-progress.png")));
        const int bar_end = 40 + ProgressBarWidth(BarPosition(dialog), 340);
        const Pixel bar = At(dialog, 45, 211);
        const Pixel track = At(dialog, bar_end + 20, 211);
        EXPECT_GT(bar.b, track.b + 40) << "bar " << bar.b << " track " << track.b;
        return true;
      },
      [&] {
        if (!dialog.finished()) {
          EXPECT_LT(BarPosition(dialog), 100);
          return false;
        }
        ticks_when_finished = dialog.tick_count();
        EXPECT_EQ(BarPosition(dialog), 100);
        Repaint(dialog);
        EXPECT_TRUE(SaveSurfacePng(dialog, Artefact(L"uninstall-finish.png")));
        const Pixel icon = At(dialog, 48, 113);  // the icon's left, beside its mark
        EXPECT_GT(icon.r, icon.b + 60);  // the amber notice icon
        SendMessageW(dialog.window(), WM_SYSCOMMAND, SC_CLOSE, 0);
        return true;
      },
  });
  EXPECT_EQ(dialog.DoModal(), kResultFinished);
  EXPECT_TRUE(script.Done()) << "stopped before step " << script.next_step();
  EXPECT_EQ(ticks_when_finished, 99);
  worker_.join();
  EXPECT_FALSE(install_.Has("app.dll"));
  EXPECT_FALSE(install_.Has("sub/data.bin"));
  EXPECT_FALSE(install_.Has("profiles/user.dat"));  // no check box: profiles go too
}

TEST_F(UninstallDialogTest, SlowWorkerHoldsTheBarAt99) {
  CUnInstallMainDlg* self = nullptr;
  CUnInstallMainDlg dialog(install_.Dir(), HeldWorker(self), 10);
  self = &dialog;
  Quiet(dialog);
  int extra_ticks = 0;
  DialogScript script({
      [&] { return IsWindowVisible(dialog.window()) != FALSE; },
      [&] {
        ClickAt(dialog.window(), kUninstall.x, kUninstall.y);
        return true;
      },
      [&] { return dialog.tick_count() == 99; },
      [&] {
        EXPECT_FALSE(dialog.finished());
        EXPECT_EQ(BarPosition(dialog), 99);
        EXPECT_EQ(FindControlById(dialog.view(), 1021)->GetText(), L"卸载中... 99%");
        if (++extra_ticks < 10) return false;
        release_worker_ = true;
        return true;
      },
      [&] {
        if (!dialog.finished()) return false;
        EXPECT_EQ(BarPosition(dialog), 100);
        EXPECT_EQ(FindControlById(dialog.view(), 1021)->GetText(), L"卸载中... 100%");
        EXPECT_TRUE(Visible(dialog, 1030));
        EXPECT_FALSE(Visible(dialog, 1020));
        EXPECT_TRUE(Visible(dialog, 1001));
        ClickAt(dialog.window(), kFinish.x, kFinish.y);
        return true;
      },
  });
  EXPECT_EQ(dialog.DoModal(), kResultFinished);
  EXPECT_TRUE(script.Done()) << "stopped before step " << script.next_step();
  EXPECT_EQ(starts_, 1);
}

TEST_F(UninstallDialogTest, LeavingBeforeConfirmingDeletesNothing) {
  const struct {
    const char* how;
    std::function<void(HWND)> leave;
    int result;
  } cases[] = {
      {"cancel", [](HWND w) { ClickAt(w, kCancel.x, kCancel.y); }, kResultCancel},
      {"close button", [](HWND w) { ClickAt(w, kClose.x, kClose.y); }, kResultCloseButton},
      {"system close", [](HWND w) { SendMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0); }, kCloseResult},
  };
  for (const auto& c : cases) {
    CUnInstallMainDlg dialog(install_.Dir(), RealWorker(), 10);
    Quiet(dialog);
    DialogScript script({
        [&] { return IsWindowVisible(dialog.window()) != FALSE; },
        [&] {
          c.leave(dialog.window());
          return true;
        },
    });
    EXPECT_EQ(dialog.DoModal(), c.result) << c.how;
  }
  EXPECT_EQ(starts_, 0);
  EXPECT_TRUE(install_.Has("app.dll"));
  EXPECT_TRUE(install_.Has("profiles/user.dat"));
}

TEST_F(UninstallDialogTest, UncheckedProfilesBoxKeepsProfiles) {
  std::string layout = *ReadModuleResource(1001, "XML");
  const std::string page = "<div id=\"1010\" pos=\"0,0,400,260\">";
  layout.insert(layout.find(page) + page.size(),
                "<checkbox id=\"1013\" pos=\"30,150,150,20\" skin=\"checkbox\" caption=\"profiles\" "
                "style=\"normal_text\"/>");
  CUnInstallMainDlg dialog(install_.Dir(), RealWorker(), 10);
  Quiet(dialog);
  dialog.set_layout_reader([&layout](int, const char*) { return std::optional<std::string>(layout); });
  DialogScript script({
      [&] { return IsWindowVisible(dialog.window()) != FALSE; },
      [&] {
        ClickAt(dialog.window(), kUninstall.x, kUninstall.y);
        return true;
      },
      [&] {
        if (!dialog.finished()) return false;
        ClickAt(dialog.window(), kFinish.x, kFinish.y);
        return true;
      },
  });
  EXPECT_EQ(dialog.DoModal(), kResultFinished);
  worker_.join();
  EXPECT_TRUE(install_.Has("profiles/user.dat"));
  EXPECT_FALSE(install_.Has("app.dll"));
}

TEST_F(UninstallDialogTest, LayoutWithoutViewFailsAndFreesTheOwner) {
  HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(owner, nullptr);
  SetActiveWindow(owner);
  CUnInstallMainDlg dialog(install_.Dir(), RealWorker(), 10);
  dialog.set_layout_reader([](int, const char*) {
    return std::optional<std::string>("<window width=\"420\" height=\"280\"/>");
  });
  EXPECT_EQ(dialog.DoModal(), 0);
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_EQ(starts_, 0);
  DestroyWindow(owner);
}

}  // namespace
