// A label that acts as a link: blue text, hand cursor, a click runs its
// handler.
#pragma once

#include <QLabel>

#include <functional>

namespace tarvel {

class TLinkLabel : public QLabel {
  public:
    explicit TLinkLabel(QWidget* parent = nullptr);

    std::function<void()> OnClick;

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace tarvel
