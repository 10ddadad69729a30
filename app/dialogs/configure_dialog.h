#pragma once
// The Configure dialog ("Configure OKAP"): the three file paths, each with
// a Browse button, the resolution of metafile copies and the PostScript
// text-rotation switch.

#include <QDialog>
#include <cstdint>
#include <string>

class QCheckBox;
class QLineEdit;

namespace okap {

// What the dialog shows and gives back, in the order of its controls.
struct ACDialogTB {
    std::string programPath;
    std::string mapsPath;
    std::string dataPath;
    std::string resolution;
    uint32_t postscript = 0;  // 1 checked, 0 unchecked
    friend bool operator==(const ACDialogTB&, const ACDialogTB&) = default;
};

// The longest text a user can type into a field. A longer value already in
// okap.ini is shown whole, so that saving the dialog never cuts it.
inline constexpr int kConfigureFieldLength = 49;

// The resolution's picture: three digits and an optional fourth.
inline constexpr const char* kResolutionPicture = "###[#]";
bool MatchesResolutionPicture(const std::string& text);

class ACDialog : public QDialog {
    Q_OBJECT
public:
    ACDialog(const ACDialogTB& values, QWidget* parent);

    ACDialogTB Values() const;

    // OK: checks the fields first; a resolution that does not fit its
    // picture, or an empty path, is reported and the dialog stays open.
    void accept() override;

    // Browse: a folder chosen in a file dialog (caption caption) that opens
    // at the folder edit names, or at the home folder, replaces its text.
    void BrowseFor(QLineEdit* edit, const char* caption);

private:
    QLineEdit* programEdit;
    QLineEdit* mapsEdit;
    QLineEdit* dataEdit;
    QLineEdit* resolutionEdit;
    QCheckBox* postscriptCheck;
};

}  // namespace okap
