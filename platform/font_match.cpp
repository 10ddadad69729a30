#include "platform/font_match.h"

#include <QFontInfo>

namespace okap {

QFont MatchingFont(const std::string& face, int32_t pitchAndFamily) {
    QFont font(QString::fromStdString(face));
    switch (pitchAndFamily & 0xF0) {
    case 0x10: font.setStyleHint(QFont::Serif); break;
    case 0x20: font.setStyleHint(QFont::SansSerif); break;
    case 0x30: font.setStyleHint(QFont::TypeWriter); break;
    case 0x40: font.setStyleHint(QFont::Cursive); break;
    case 0x50: font.setStyleHint(QFont::Decorative); break;
    default: break;
    }
    if ((pitchAndFamily & 3) == 1) font.setFixedPitch(true);
    return font;
}

std::string DrawnFamily(const std::string& face, int32_t pitchAndFamily) {
    return QFontInfo(MatchingFont(face, pitchAndFamily)).family().toStdString();
}

}  // namespace okap
