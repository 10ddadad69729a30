#include "data/details.h"

#include <sstream>

#include "core/number_text.h"
#include "platform/message_box.h"
#include "styles/text_form.h"

namespace okap {

namespace {

// Where the text starts: after "Text " and the opening double quote.
constexpr size_t kTextStart = 6;

int CaretIndex(int count, int caret) { return caret >= 0 && caret < count ? caret : 0; }

}  // namespace

std::string MakeDetail(std::string_view text, std::string_view position, const TextStyle& style) {
    std::ostringstream os;
    os << "Text \"" << text << "\" " << position << ' ' << style;
    return os.str();
}

int ReadDetail(std::string_view detail, std::string& text, double& x, double& y, TextStyle& style) {
    if (detail.size() <= kTextStart) {
        text.clear();
        return 0;
    }
    const size_t close = detail.find('"', kTextStart);
    text = detail.substr(kTextStart, close - kTextStart);
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
    double x = 0.0, y = 0.0;
    ReadDetail(detail, values.text, x, y, scratch);
    values.position = FormatGeneral(x) + ' ' + FormatGeneral(y) + ' ';
    values.textOn = scratch.on != 0;
    return values;
}

std::string ApplyDetailStyleDialogValues(const DetailStyleDialogTB& values, TextStyle& scratch) {
    scratch.on = values.textOn ? 1 : 0;
    return MakeDetail(values.text, values.position, scratch);
}

}  // namespace okap
