#pragma once

#include <QRect>
#include <QTabBar>

namespace pellimo {

// A row of tabs over a bordered body on which the page frames lie. The body inside its border is the
// client area, which the strip reports in its parent's coordinates so that a frame can be laid over it.
class TabStrip : public QTabBar {
    Q_OBJECT

public:
    explicit TabStrip(QWidget* parent = nullptr);

    QRect clientArea() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect body() const;
    int borderWidth() const;
};

} // namespace pellimo
