// The window host: runs a layout as a borderless layered window with a drawing surface
// of its own, repaints dirty rectangles, shows tooltips and runs modally.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "toolkit/sw_view.h"
#include "toolkit/window_layout.h"

// The private message that repaints the dirty parts of a hosted window.
inline constexpr UINT kRedrawMessage = 0x103FF;
inline constexpr int kCloseResult = 8;  // IDCLOSE

class CSWindowHost : public CSWWindowFrame, public ISWHost {
 public:
  explicit CSWindowHost(int layout_id);
  ~CSWindowHost() override;

  // Creates the window from the layout, runs it modally and returns its result code;
  // 0 when the window could not be created.
  int DoModal();
  // Must be called on the window's thread.
  void EndModal(int code);
  // 0 zoom in (before showing), 1 zoom out and fade, 2 fade (both hiding).
  void PlayWindowAnimation(int mode);

  // The host's own handling of a message; true when consumed.
  bool HandleHostMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);
  // Redraws the dirty rectangles (all of the surface when there are none), then pushes
  // the surface to the screen, telling the system which part of it changed.
  void PaintLayered();
  // Returns the part of the surface that was redrawn.
  SWRect RedrawSurface();
  void PushSurface(const SWRect& changed);

  // ISWHost
  void SendCommand(int id) override;
  void PostRedraw() override;
  bool TrackMouse() override;
  void StartWindowDrag() override;
  void SetHandCursor(bool hand) override;
  std::unique_ptr<IHostedEdit> CreateHostedEdit(CSWEdit& edit) override;

  [[nodiscard]] CSWView& view() { return *view_; }
  // The system window while it exists.
  [[nodiscard]] virtual HWND window() const = 0;
  // The drawing surface: width × height premultiplied BGRA pixels, bottom-up rows.
  [[nodiscard]] const std::uint32_t* surface_pixels() const { return pixels_; }
  // The surface pixel at window coordinates (x, y), as 0xAARRGGBB.
  [[nodiscard]] std::uint32_t SurfacePixel(int x, int y) const;

  // Seams for tests and benchmarks.
  void set_layout_reader(ResourceReader read) { layout_reader_ = std::move(read); }
  void set_animation_frame_ms(int ms) { animation_frame_ms_ = ms; }
  // Called as each animation frame has been shown.
  void set_animation_observer(std::function<void()> on_frame) { animation_observer_ = std::move(on_frame); }
  void set_show_on_start(bool show) { show_on_start_ = show; }
  void set_debug_outline(bool outline) { debug_outline_ = outline; }

 protected:
  // Creates the system window, owned by `owner`; the derived template knows how.
  virtual HWND CreateHostWindow(HWND owner) = 0;

 private:
  void OnCreate();
  void OnDestroy();
  void CreateTooltip();
  void UpdateTooltip();
  void RunModalLoop();
  void CentreWindow(HWND owner);
  void DeleteSurface();

  int layout_id_;
  ResourceReader layout_reader_ = ReadModuleResource;
  int result_ = 0;
  int modal_ = 0;
  int running_ = 0;
  bool show_on_start_ = true;
  bool debug_outline_ = false;
  int animation_frame_ms_;
  std::function<void()> animation_observer_;
  std::shared_ptr<CSWView> view_ = std::make_shared<CSWView>();
  HDC memory_dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_bitmap_ = nullptr;
  std::uint32_t* pixels_ = nullptr;  // owned by bitmap_
  HWND tooltip_ = nullptr;
  SWControlPtr tooltip_control_;
  // A redraw message is queued: later requests only add their rectangles to it.
  bool redraw_posted_ = false;
};
