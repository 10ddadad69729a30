#pragma once
// Reading a text file line by line, fast enough for map files of millions
// of points: the file is read in large blocks and each line is handed out
// as a view into the block, without copying.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace okap {

class LineReader {
public:
    LineReader() = default;
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // False when the file cannot be opened for reading.
    bool Open(const std::filesystem::path& path);
    bool IsOpen() const { return file != nullptr; }
    // Closes the file; false when closing failed.
    bool Close();

    // The next line without its end (LF, CR LF, or CR alone in a file whose
    // first block has no LF), valid until the next call; false at the end
    // of the file. A last line without an end of line still counts.
    bool Next(std::string_view& line);

    // Appends to lines, as the file holds them (ends of line included), the
    // lines before the next line that holds mark, and hands that line out
    // as Next does; false when the file ends first. A segment's point lines
    // are taken this way in one piece, to be read elsewhere.
    bool TakeLinesUntil(char mark, std::string& lines, std::string_view& marked);
    // The number of the line last handed out, from 1; what TakeLinesUntil
    // takes counts too.
    int64_t LineNumber() const { return lineNumber; }

    // Reading stopped at a line longer than kMaxLineLength, which no text
    // file of the program holds: Next and TakeLinesUntil then answer false
    // as at the end of the file, rather than take ever more memory for it.
    bool LineTooLong() const { return lineTooLong; }
    static constexpr size_t kMaxLineLength = size_t{16} << 20;

    // Bytes handed out so far and the size of the file when it was opened.
    int64_t Position() const { return consumed; }
    int64_t Size() const { return size; }

private:
    // Moves what is left to the front of the buffer and reads more; false
    // when nothing more could be read.
    bool Refill();

    std::FILE* file = nullptr;
    std::vector<char> buffer;
    size_t begin = 0;  // first byte not yet handed out
    size_t end = 0;    // end of the bytes read
    bool atEnd = false;
    int64_t consumed = 0;
    int64_t lineNumber = 0;
    int64_t size = 0;
    bool lineEndsKnown = false;
    bool crOnly = false;  // the lines end in CR alone
    bool lineTooLong = false;
};

}  // namespace okap
