#include "records/site.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "records/table_page_files.h"  // made by the build

namespace records {
namespace {

namespace fs = std::filesystem;

// The game's page is some tens of megabytes at most; a folder far larger was not meant.
constexpr uintmax_t kLargestSite = uintmax_t{512} << 20;

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

std::string ContentTypeOf(const std::string& name) {
    static const std::pair<const char*, const char*> kTypes[] = {
        {".html", "text/html; charset=utf-8"},
        {".js", "text/javascript; charset=utf-8"},
        {".css", "text/css; charset=utf-8"},
        {".json", "application/json"},
        {".wasm", "application/wasm"},
        {".png", "image/png"},
        {".svg", "image/svg+xml"},
        {".ico", "image/x-icon"},
        {".ogg", "audio/ogg"},
        {".wav", "audio/wav"},
        {".WAV", "audio/wav"},
        {".woff2", "font/woff2"},
        {".ttf", "font/ttf"},
        {".txt", "text/plain; charset=utf-8"},
    };
    for (const auto& [end, type] : kTypes) {
        if (EndsWith(name, end)) return type;
    }
    return "application/octet-stream";
}

bool Site::Load(const std::string& folder, std::string& error) {
    std::error_code code;
    uintmax_t total = 0;
    fs::recursive_directory_iterator it(folder, code);
    if (code) {
        error = "cannot read the site folder " + folder + ": " + code.message();
        return false;
    }
    for (const fs::directory_entry& entry : it) {
        if (!entry.is_regular_file(code)) continue;
        total += entry.file_size(code);
        if (total > kLargestSite) {
            error = "the site folder " + folder + " holds more than 512 MiB";
            return false;
        }
        std::ifstream file(entry.path(), std::ios::binary);
        std::ostringstream bytes;
        bytes << file.rdbuf();
        if (!file) {
            error = "cannot read " + entry.path().string();
            return false;
        }
        Add(fs::relative(entry.path(), folder).generic_string(), bytes.str());
    }
    return true;
}

void Site::Add(const std::string& name, const std::string& bytes) {
    files_[name] = {ContentTypeOf(name), bytes};
}

const SiteFile* Site::Find(const std::string& name) const {
    const auto found = files_.find(name.empty() ? "index.html" : name);
    return found == files_.end() ? nullptr : &found->second;
}

const Site& TablePage() {
    static const Site page = [] {
        Site site;
        for (const EmbeddedFile& file : kTablePageFiles)
            site.Add(file.name, std::string(file.bytes, file.size));
        return site;
    }();
    return page;
}

}  // namespace records
