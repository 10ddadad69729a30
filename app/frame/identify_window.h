#pragma once
// The identify tool's window: a small tool window beside the map view's
// pointer that shows what a click found there (see view/identify.h), moved
// and filled anew on each click. Escape closes it, in the window itself or
// in the map view, which keeps the keyboard: the window shows without
// taking it.

#include <QFrame>
#include <QPoint>
#include <string>
#include <utility>
#include <vector>

class QLabel;

namespace okap {

class IdentifyWindow : public QFrame {
    Q_OBJECT
public:
    explicit IdentifyWindow(QWidget* parent);

    // Shows rows (caption and value) with its top left corner a little below
    // and to the right of the global point at, or on the other side of it
    // where the screen ends.
    void ShowAt(const std::vector<std::pair<std::string, std::string>>& rows, QPoint at);
    // The rows as shown, one a line, caption and value separated by ": ".
    QString Text() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* table;
    QString text;
};

}  // namespace okap
