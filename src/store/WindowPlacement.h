// The main window's placement as the registry state keeps it: the outer
// frame's edges and size, the maximized state, and the primary screen.
#pragma once

namespace tarvel {

class WindowPlacement {
  public:
    virtual ~WindowPlacement() = default;

    virtual bool IsMaximized() const = 0;
    virtual void SetMaximized() = 0;

    // For a minimized or maximized window, the restored placement.
    virtual int Left() const = 0;
    virtual int Top() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetLeft(int left) = 0;
    virtual void SetTop(int top) = 0;
    // The window's size limits apply.
    virtual void SetWidth(int width) = 0;
    virtual void SetHeight(int height) = 0;

    virtual int ScreenWidth() const = 0;
    virtual int ScreenHeight() const = 0;
};

} // namespace tarvel
