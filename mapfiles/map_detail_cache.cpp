#include "mapfiles/map_detail_cache.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>
#include <utility>

namespace okap {

namespace {

// What the shared cache may hold: the full-resolution world shorelines
// (10.5 million points) take about 170 MB with their levels.
constexpr size_t kSharedByteLimit = size_t{1} << 30;

}  // namespace

MapDetailCache::MapDetailCache(size_t limit) : byteLimit(limit) {}

MapDetailCache& MapDetailCache::Shared() {
    static MapDetailCache cache(kSharedByteLimit);
    return cache;
}

std::shared_ptr<const MapDetail> MapDetailCache::Get(const std::string& path) {
    std::error_code error;
    const std::string key = std::filesystem::absolute(path, error).lexically_normal().string();
    struct stat status {};
    if (error || stat(key.c_str(), &status) != 0) return nullptr;
    const FileStamp stamp{static_cast<uint64_t>(status.st_dev), static_cast<uint64_t>(status.st_ino),
                          static_cast<int64_t>(status.st_size),
                          static_cast<int64_t>(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec};

    std::promise<std::shared_ptr<const MapDetail>> reading;
    std::shared_future<std::shared_ptr<const MapDetail>> detail;
    bool reader = false;
    {
        std::lock_guard lock(mutex);
        auto found = entries.find(key);
        if (found != entries.end() && found->second.stamp == stamp) {
            found->second.lastUse = ++uses;
            detail = found->second.detail;
        } else {
            if (found != entries.end()) {
                bytes -= found->second.bytes;
                entries.erase(found);
            }
            detail = reading.get_future().share();
            entries[key] = Entry{stamp, detail, 0, ++uses};
            reader = true;
        }
    }
    if (!reader) return detail.get();

    // Read outside the lock: other files stay available meanwhile.
    std::shared_ptr<const MapDetail> read = MapDetail::Read(key);
    reading.set_value(read);
    std::lock_guard lock(mutex);
    auto found = entries.find(key);
    // A newer stamp may have replaced the entry meanwhile.
    if (found != entries.end() && found->second.stamp == stamp && read) {
        found->second.bytes = read->Bytes();
        bytes += found->second.bytes;
        Trim(key);
    }
    return read;
}

size_t MapDetailCache::Bytes() const {
    std::lock_guard lock(mutex);
    return bytes;
}

size_t MapDetailCache::Entries() const {
    std::lock_guard lock(mutex);
    return entries.size();
}

void MapDetailCache::Trim(const std::string& keep) {
    while (bytes > byteLimit) {
        auto oldest = entries.end();
        for (auto it = entries.begin(); it != entries.end(); ++it) {
            if (it->first != keep && it->second.bytes > 0 &&
                (oldest == entries.end() || it->second.lastUse < oldest->second.lastUse))
                oldest = it;
        }
        if (oldest == entries.end()) return;
        bytes -= oldest->second.bytes;
        entries.erase(oldest);
    }
}

}  // namespace okap
