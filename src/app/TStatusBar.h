// A status bar of fixed-width panels, each with its own text and alignment,
// that reports where a mouse button was pressed on it.
#pragma once

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

namespace tarvel {

struct TStatusPanel {
    int Width = 0;
    Qt::Alignment Alignment = Qt::AlignLeft;
    std::u16string Text;
};

class TStatusBar : public QWidget {
  public:
    static constexpr int kHeight = 19;

    explicit TStatusBar(QWidget* parent = nullptr);

    void SetPanels(std::vector<TStatusPanel> panels);
    const std::vector<TStatusPanel>& Panels() const { return PanelList; }
    // The panel's rectangle within the bar; the last one reaches the end.
    QRect PanelRect(size_t index) const;

    // The button and the pointer's horizontal position within the bar.
    std::function<void(Qt::MouseButton, int)> OnMouseDown;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    std::vector<TStatusPanel> PanelList;
};

} // namespace tarvel
