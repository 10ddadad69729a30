#pragma once
// The symbol classes of a data layer as a list (TXSymbolListBox): entry k
// shows class k's symbol in its plot style, its label text in its text
// colour and its value range.

#include <QListWidget>

namespace okap {

class Datafile;

class TXSymbolListBox : public QListWidget {
    Q_OBJECT
public:
    // data is not owned and must outlive the list.
    TXSymbolListBox(QWidget* parent, Datafile& data, int id);

    Datafile& Data() const { return data; }

private:
    Datafile& data;
};

}  // namespace okap
