#include "data/details.h"

#include <cctype>
#include <sstream>

#include "core/number_text.h"
#include "platform/message_box.h"
#include "styles/text_form.h"

namespace okap {

namespace {

int CaretIndex(int count, int caret) { return caret >= 0 && caret < count ? caret : 0; }

}  // namespace

std::string_view DetailKindWord(std::string_view detail) {
    size_t end = 0;
    while (end < detail.size() && std::isalpha(static_cast<unsigned char>(detail[end]))) ++end;
    return detail.substr(0, end);
}

DetailKind KindOfDetail(std::string_view detail) {
    const std::string_view word = DetailKindWord(detail);
    if (word == kTextKindWord) return DetailKind::Text;
    if (word == kScaleBarKindWord) return DetailKind::ScaleBar;
    if (word == kNorthArrowKindWord) return DetailKind::NorthArrow;
    return DetailKind::Other;
}

std::string_view KindWord(DetailKind kind) {
    switch (kind) {
        case DetailKind::ScaleBar: return kScaleBarKindWord;
        case DetailKind::NorthArrow: return kNorthArrowKindWord;
        default: return kTextKindWord;
    }
}

std::string MakeDetail(std::string_view text, std::string_view position, const TextStyle& style,
                       std::string_view kindWord) {
    std::ostringstream os;
    os << kindWord << " \"" << text << "\" " << position << ' ' << style;
    return os.str();
}

int ReadDetail(std::string_view detail, std::string& text, double& x, double& y, TextStyle& style) {
    // The kind word's blank and the opening quote are skipped unseen, as
    // older versions skipped the six characters of "Text \"".
    const size_t textStart = DetailKindWord(detail).size() + 2;
    if (detail.size() <= textStart) {
        text.clear();
        return 0;
    }
    const size_t close = detail.find('"', textStart);
    text = detail.substr(textStart, close - textStart);
    if (close == std::string_view::npos) return 0;
    std::istringstream in(std::string(detail.substr(close + 1)));
    ReadNumber(in, x);
    ReadNumber(in, y);
    in >> style;
    return in.fail() ? 0 : 1;
}

std::string DetailListEntry(std::string_view detail) {
    const size_t open = detail.find('"');
    const size_t close = open == std::string_view::npos ? open : detail.find('"', open + 1);
    return std::string(close == std::string_view::npos ? detail : detail.substr(0, close + 1));
}

int NewDetail(DetailTable& details, int& count, int caret) {
    if (count >= kMaxDetails) {
        ShowError("Sorry - maximum number of details reached");
        return -1;
    }
    if (count <= 0) {
        details[0] = MakeDetail("New Text", "0.50 0.05", TextStyle());
        count = 1;
        return 0;
    }
    const int source = CaretIndex(count, caret);
    for (int i = count; i > source + 1; --i) details[i] = std::move(details[i - 1]);
    details[source + 1] = details[source];
    ++count;
    return source + 1;
}

void DeleteDetail(DetailTable& details, int& count, int caret) {
    if (count <= 0) return;
    for (int i = CaretIndex(count, caret); i < count - 1; ++i) details[i] = std::move(details[i + 1]);
    details[count - 1].clear();
    --count;
}

int DetailToEdit(int count, int selection) { return count <= 0 ? -1 : CaretIndex(count, selection); }

DetailStyleDialogTB DetailStyleDialogValues(std::string_view detail, TextStyle& scratch) {
    DetailStyleDialogTB values;
    // A detail without a kind word is rebuilt as a text, as it always was.
    if (const std::string_view word = DetailKindWord(detail); !word.empty()) values.kind = word;
    double x = 0.0, y = 0.0;
    ReadDetail(detail, values.text, x, y, scratch);
    values.position = FormatGeneral(x) + ' ' + FormatGeneral(y) + ' ';
    values.textOn = scratch.on != 0;
    return values;
}

std::string ApplyDetailStyleDialogValues(const DetailStyleDialogTB& values, TextStyle& scratch) {
    scratch.on = values.textOn ? 1 : 0;
    return MakeDetail(values.text, values.position, scratch, values.kind);
}

}  // namespace okap
