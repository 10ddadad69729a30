// Writing map files: opening the output, the binary header, the directory
// records and closing.

#include <stdlib.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <system_error>

#include "mapfiles/little_endian.h"
#include "mapfiles/mapfile.h"
#include "platform/message_box.h"
#include "platform/safe_file_writer.h"

namespace okap {

namespace {

constexpr const char* kWriteError = "Error writing output file";
// The output gathered before it is handed to the stream.
constexpr size_t kOutputBlock = size_t{1} << 20;

// A four-character code field.
void AppendCode(std::string& bytes, const std::string& code) {
    std::string field = code.substr(0, 4);
    field.resize(4, ' ');
    bytes += field;
}

// The name cut to its first 8 characters, then before its first full stop,
// then before its first blank.
std::string ShortenedName(std::string name) {
    name = name.substr(0, 8);
    name = name.substr(0, name.find('.'));
    return name.substr(0, name.find(' '));
}

bool SameFile(const std::string& a, const std::string& b) {
    if (a == b) return true;
    std::error_code error;
    return std::filesystem::equivalent(a, b, error) && !error;
}

// An unnamed temporary file in dir, which goes away with its handle however
// the program ends. Where the file system cannot make one without a name, it
// is made with a name of its own, so that two translations never share one,
// and unlinked at once.
std::FILE* AnonymousFileIn(const std::filesystem::path& dir) {
    const std::filesystem::path where = dir.empty() ? std::filesystem::path(".") : dir;
    int fd = open(where.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd < 0) {
        std::string pattern = (where / "OKAPtemp-XXXXXX.dir").string();
        fd = mkstemps(pattern.data(), 4);
        if (fd < 0) return nullptr;
        unlink(pattern.c_str());
    }
    std::FILE* file = fdopen(fd, "w+b");
    if (file == nullptr)
        close(fd);
    else
        std::setvbuf(file, nullptr, _IOFBF, size_t{1} << 16);
    return file;
}

}  // namespace

bool Mapfile::OutputGood() const { return output != nullptr && output->Stream().good(); }

void Mapfile::WriteOutput(std::string_view bytes) {
    outputPosition += static_cast<int64_t>(bytes.size());
    // Segments are mostly small: gathered into large writes they cost the
    // system far fewer calls than the stream's own small buffer makes.
    if (pendingOutput.size() + bytes.size() <= kOutputBlock) {
        pendingOutput.append(bytes);
        return;
    }
    FlushOutput();
    if (bytes.size() < kOutputBlock)
        pendingOutput.append(bytes);
    else
        output->Stream().write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void Mapfile::FlushOutput() {
    if (pendingOutput.empty()) return;
    output->Stream().write(pendingOutput.data(), static_cast<std::streamsize>(pendingOutput.size()));
    pendingOutput.clear();
}

int Mapfile::OpenOutfile(const std::string& name) {
    // The naming rules apply to the file's own name; a directory before it
    // is kept.
    const std::filesystem::path path(name);
    const std::filesystem::path dir = path.parent_path();
    const std::string shortName = ShortenedName(path.filename().string());
    if (outHeader.projectionCode == "UNKN") return Fail("Uninitialised projection for output map file");
    const bool text = outHeader.projectionCode == "TEXT";
    const std::string fileName = (dir / (shortName + (text ? ".mpa" : ".mpb"))).string();
    if (!inputName.empty() && SameFile(fileName, inputName)) return Fail("Can't read and write to same file");
    if (shortName.empty()) return Fail("Error opening : " + shortName);

    std::error_code error;
    const bool exists = std::filesystem::exists(fileName, error);
    if (exists && MessageBox("File " + fileName + " already exists - Replace?", "Query", MessageButtons::YesNo,
                             MessageIcon::Question) != MessageResult::Yes)
        return 0;

    // A previous output that was never closed is dropped.
    output.reset();
    if (directoryFile != nullptr) std::fclose(directoryFile);
    directoryFile = nullptr;
    outForm = NoForm;

    // A new file stays new: one that appears meanwhile (another
    // translation's) is not replaced unasked.
    auto writer = std::make_unique<SafeFileWriter>(fileName, exists);
    if (!writer->IsOpen()) return Fail("Error opening : " + shortName);
    if (!text) {
        directoryFile = AnonymousFileIn(dir);
        if (directoryFile == nullptr) return Fail("Can not open temporary directory file");
    }
    output = std::move(writer);
    outForm = text ? Text : Binary;
    outputName = fileName;
    outSegment = Segment{};
    pendingOutput.clear();
    outputPosition = 0;
    pointsWritten = 0;
    return 1;
}

int Mapfile::WriteOutHeader() {
    if (output == nullptr) return Fail("No output file for header write");
    if (outForm != Binary) return 1;
    outHeader.check = 0;
    outHeader.directoryOffset = 27;
    std::string bytes;
    AppendCode(bytes, outHeader.typeCode);
    AppendInt16(bytes, outHeader.version);
    AppendCode(bytes, outHeader.projectionCode);
    AppendCode(bytes, outHeader.ellipsoidCode);
    AppendInt32(bytes, outHeader.origin.Long.GetLong());
    AppendInt32(bytes, outHeader.origin.Lat.GetLong());
    AppendInt32(bytes, outHeader.west);
    AppendInt32(bytes, outHeader.north);
    AppendInt32(bytes, outHeader.east);
    AppendInt32(bytes, outHeader.south);
    // The check value and directory offset are filled in when the file is
    // closed.
    checkPosition = outputPosition + static_cast<int64_t>(bytes.size());
    AppendInt32(bytes, outHeader.check);
    AppendInt32(bytes, outHeader.directoryOffset);
    WriteOutput(bytes);
    if (!OutputGood()) return Fail(kWriteError);
    return 1;
}

int Mapfile::WriteDirectory() {
    if (output == nullptr) return Fail(kWriteError);
    // A text output's count went with its header.
    if (outForm == Binary) {
        const int32_t storedCount = outSegment.kind == kLineKind ? -outSegment.count : outSegment.count;
        std::string record = outSegment.name.substr(0, 8);
        record.resize(8, ' ');
        AppendInt16(record, outSegment.type);
        AppendInt32(record, outSegment.dataPosition);
        AppendInt32(record, storedCount);
        AppendInt32(record, outSegment.box.tl.x);
        AppendInt32(record, outSegment.box.tl.y);
        AppendInt32(record, outSegment.box.br.x);
        AppendInt32(record, outSegment.box.br.y);
        if (std::fwrite(record.data(), 1, record.size(), directoryFile) != record.size()) return Fail(kWriteError);
    }
    if (!OutputGood()) return Fail(kWriteError);
    ++outSegment.counter;
    return 1;
}

int Mapfile::CloseOutfile() {
    if (output == nullptr) return Fail("No output file to close");
    FlushOutput();
    // Whatever happens below, this output is finished; on failure the
    // target stays as it was.
    std::unique_ptr<SafeFileWriter> writer = std::move(output);
    std::FILE* directory = directoryFile;
    directoryFile = nullptr;
    const Form form = outForm;
    outForm = NoForm;

    bool good = writer->Stream().good();
    if (form == Binary) {
        std::ostream& stream = writer->Stream();
        const int64_t end = static_cast<int64_t>(stream.tellp());
        // Every file position is a signed 32-bit field.
        good = good && end >= 0 && end <= INT32_MAX;
        if (good) {
            outHeader.directoryOffset = static_cast<int32_t>(end);
            outHeader.check = Validate(outHeader.directoryOffset, outHeader.version, kValidateKey);
            std::string fields;
            AppendInt32(fields, outHeader.check);
            AppendInt32(fields, outHeader.directoryOffset);
            stream.seekp(checkPosition);
            stream.write(fields.data(), static_cast<std::streamsize>(fields.size()));
            stream.seekp(0, std::ios::end);
            good = stream.good() && std::fflush(directory) == 0 && std::fseek(directory, 0, SEEK_SET) == 0;
            char block[65536];
            size_t got = 0;
            while (good && (got = std::fread(block, 1, sizeof block, directory)) > 0) {
                stream.write(block, static_cast<std::streamsize>(got));
                good = stream.good();
            }
            good = good && std::ferror(directory) == 0;
        }
    }
    if (directory != nullptr) std::fclose(directory);
    if (!good) return Fail(kWriteError);
    if (!writer->Commit()) {
        if (writer->TargetAppeared())
            return Fail("File " + outputName + " appeared while it was being written and was left as it is");
        return Fail(kWriteError);
    }
    return 1;
}

}  // namespace okap
