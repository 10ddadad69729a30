#pragma once
// The map files held for drawing (MapDetail), shared by every paint of the
// program on whatever thread it runs. A file is read once and kept while it
// stays as it was: an entry is known by the file's absolute path, device,
// inode, size and modification time, so a file written again is read
// afresh. Memory is bounded: beyond the byte limit the entries used longest
// ago are released (a paint still drawing from one keeps it alive until it
// ends).

#include <cstddef>
#include <cstdint>
#include <future>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "mapfiles/map_detail.h"

namespace okap {

class MapDetailCache {
public:
    explicit MapDetailCache(size_t byteLimit);

    // The detail of the binary map file at path (as WorkPath gives it).
    // Empty when the file cannot be read whole, which the caller reports by
    // reading it the usual way. Two callers asking for a file not yet held
    // wait for one reading.
    std::shared_ptr<const MapDetail> Get(const std::string& path);
    // The bytes the entries held hold.
    size_t Bytes() const;
    size_t Entries() const;

    // The cache every paint uses.
    static MapDetailCache& Shared();

private:
    struct FileStamp {
        uint64_t device = 0;
        uint64_t inode = 0;
        int64_t size = 0;
        int64_t modifiedNs = 0;
        friend bool operator==(const FileStamp&, const FileStamp&) = default;
    };
    struct Entry {
        FileStamp stamp;
        std::shared_future<std::shared_ptr<const MapDetail>> detail;
        size_t bytes = 0;
        uint64_t lastUse = 0;
    };
    // Releases the entries used longest ago, other than keep, until the
    // bytes held are within the limit. The mutex is held.
    void Trim(const std::string& keep);

    const size_t byteLimit;
    mutable std::mutex mutex;
    std::map<std::string, Entry> entries;  // by absolute path
    size_t bytes = 0;
    uint64_t uses = 0;
};

}  // namespace okap
