#include "mapfiles/line_reader.h"

#include <algorithm>
#include <cstring>
#include <system_error>

#include "platform/directory_check.h"

namespace okap {

namespace {

constexpr size_t kBlockSize = 1 << 20;

}  // namespace

LineReader::~LineReader() { Close(); }

bool LineReader::Open(const std::filesystem::path& path) {
    Close();
    if (IsDirectory(path)) return false;
    file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    // The reader does its own buffering.
    std::setvbuf(file, nullptr, _IONBF, 0);
    std::error_code error;
    uintmax_t bytes = std::filesystem::file_size(path, error);
    size = error ? 0 : static_cast<int64_t>(bytes);
    buffer.resize(kBlockSize);
    begin = end = 0;
    atEnd = false;
    consumed = 0;
    lineNumber = 0;
    lineEndsKnown = crOnly = lineTooLong = false;
    return true;
}

bool LineReader::Close() {
    if (file == nullptr) return true;
    bool closed = std::fclose(file) == 0;
    file = nullptr;
    buffer = {};
    begin = end = 0;
    atEnd = true;
    return closed;
}

bool LineReader::Refill() {
    if (file == nullptr || atEnd) return false;
    if (begin > 0) {
        std::memmove(buffer.data(), buffer.data() + begin, end - begin);
        end -= begin;
        begin = 0;
    }
    // A line longer than the buffer makes it grow, up to the longest line.
    if (end == buffer.size()) {
        if (buffer.size() >= kMaxLineLength) {
            lineTooLong = atEnd = true;
            return false;
        }
        buffer.resize(buffer.size() * 2);
    }
    size_t got = std::fread(buffer.data() + end, 1, buffer.size() - end, file);
    if (got == 0) {
        atEnd = true;
        return false;
    }
    // A file whose lines end in CR alone (as old Macintosh programs wrote
    // them) is known by a CR before any LF that no LF follows. Its CRs
    // become LFs as they are read, so that it reads as any other.
    char* fresh = buffer.data() + end;
    if (!lineEndsKnown) {
        const char* from = buffer.data() + begin;
        const char* to = fresh + got;
        const auto* lf = static_cast<const char*>(std::memchr(from, '\n', static_cast<size_t>(to - from)));
        for (const char* p = from; p + 1 < to && (lf == nullptr || p < lf) && !crOnly; ++p)
            crOnly = p[0] == '\r' && p[1] != '\n';
        lineEndsKnown = lf != nullptr || crOnly;
        // What waits to be handed out changes too.
        if (crOnly) fresh = buffer.data() + begin;
    }
    if (crOnly) std::replace(fresh, buffer.data() + end + got, '\r', '\n');
    end += got;
    return true;
}

bool LineReader::Next(std::string_view& line) {
    if (file == nullptr) return false;
    size_t searched = begin;
    for (;;) {
        const void* found = std::memchr(buffer.data() + searched, '\n', end - searched);
        if (found != nullptr) {
            size_t newline = static_cast<const char*>(found) - buffer.data();
            size_t length = newline - begin;
            if (length > 0 && buffer[newline - 1] == '\r') --length;
            line = std::string_view(buffer.data() + begin, length);
            consumed += static_cast<int64_t>(newline + 1 - begin);
            begin = newline + 1;
            ++lineNumber;
            return true;
        }
        size_t pending = end - begin;
        if (!Refill()) break;
        searched = begin + pending;
    }
    if (begin == end || lineTooLong) return false;
    // The last line has no end of line.
    size_t length = end - begin;
    if (buffer[end - 1] == '\r') --length;
    line = std::string_view(buffer.data() + begin, length);
    consumed += static_cast<int64_t>(end - begin);
    begin = end;
    ++lineNumber;
    return true;
}

bool LineReader::TakeLinesUntil(char mark, std::string& lines, std::string_view& marked) {
    if (file == nullptr) return false;
    for (;;) {
        const char* from = buffer.data() + begin;
        if (const void* found = std::memchr(from, mark, end - begin)) {
            // The marked line starts after the last end of line before it.
            const char* at = static_cast<const char*>(found);
            const void* before = memrchr(from, '\n', static_cast<size_t>(at - from));
            const size_t start =
                before == nullptr ? begin : static_cast<size_t>(static_cast<const char*>(before) - buffer.data()) + 1;
            lines.append(from, start - begin);
            lineNumber += std::count(from, static_cast<const char*>(buffer.data()) + start, '\n');
            consumed += static_cast<int64_t>(start - begin);
            begin = start;
            return Next(marked);
        }
        // Whole lines go now; a partial one waits for the rest of it.
        const void* last = memrchr(from, '\n', end - begin);
        const size_t whole = last == nullptr ? 0 : static_cast<size_t>(static_cast<const char*>(last) - from) + 1;
        lines.append(from, whole);
        lineNumber += std::count(from, from + whole, '\n');
        consumed += static_cast<int64_t>(whole);
        begin += whole;
        if (!Refill()) break;
    }
    // The file ended without the mark: what is left is the last line.
    if (lineTooLong) return false;
    lines.append(buffer.data() + begin, end - begin);
    if (end > begin) ++lineNumber;
    consumed += static_cast<int64_t>(end - begin);
    begin = end;
    return false;
}

}  // namespace okap
