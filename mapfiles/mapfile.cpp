#include "mapfiles/mapfile.h"

#include <algorithm>

#include "core/globals.h"
#include "platform/message_box.h"
#include "platform/safe_file_writer.h"

namespace okap {

int32_t Validate(int32_t a, int32_t b, int32_t c) {
    const auto low = static_cast<uint16_t>((static_cast<uint32_t>(a) ^ static_cast<uint32_t>(b) ^
                                            static_cast<uint32_t>(c)) & 0xFFFF);
    return static_cast<int16_t>(low);
}

Mapfile::Mapfile() = default;

Mapfile::~Mapfile() {
    ResetInput();
    if (directoryFile != nullptr) std::fclose(directoryFile);
    // An output that was never closed is dropped with its temporary file.
}

int Mapfile::Fail(std::string_view text) {
    ShowError(text);
    badclient = 1;
    return 0;
}

void Mapfile::ResetInput() {
    if (binaryIn != nullptr) std::fclose(binaryIn);
    binaryIn = nullptr;
    textIn.Close();
    haveCurrentLine = false;
    currentLine.clear();
    source = nullptr;
    sourceSegment = SourceSegment{};
    inForm = NoForm;
    endOfInput = 1;
}

double Mapfile::InputProgress() const {
    if (inForm == Text) return textIn.Size() > 0 ? static_cast<double>(textIn.Position()) / textIn.Size() : 1.0;
    if (inForm == Source) return source->Progress();
    if (inForm == Binary && binaryIn != nullptr) {
        // The directory runs from its offset to the end of the file.
        const int64_t directorySize = binaryInSize - inHeader.directoryOffset;
        if (directorySize <= 0) return 1.0;
        const long here = std::ftell(binaryIn);
        return std::clamp(static_cast<double>(here - inHeader.directoryOffset) / directorySize, 0.0, 1.0);
    }
    return 1.0;
}

}  // namespace okap
