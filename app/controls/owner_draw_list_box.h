#pragma once
// A list whose entries the class draws itself, whole, on every paint: the
// base of the style and symbol lists. Selected entries look like the others;
// the entry with the keyboard focus gets the platform's focus frame. When
// the list loses the focus it repaints its selected entries and tells its
// parent with FocusLost.

#include <QListWidget>
#include <string>

#include "core/coordinates.h"

namespace okap {

class DeviceContext;

class OwnerDrawListBox : public QListWidget {
    Q_OBJECT
public:
    explicit OwnerDrawListBox(QWidget* parent);

    // Draws entry row in item (a device rectangle: right and bottom just
    // outside) on dc, whose background and text colours are the list's.
    virtual void ODADrawEntire(DeviceContext& dc, const TBox& item, int row) = 0;

    // The text of entry row, UTF-8; empty when there is no such entry.
    std::string EntryText(int row) const;

signals:
    // The list has lost the keyboard focus.
    void FocusLost();

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Set while FocusLost is handled, so that a handler that moves the focus
    // again does not start another round.
    bool losingFocus = false;
};

}  // namespace okap
