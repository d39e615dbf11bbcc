// Files the server hands out as they are: the game's page under /play/ (read from --site DIR
// into memory once, so that no request ever names a path on the disk) and the record table's own
// page, built into the server.
#pragma once

#include <map>
#include <string>

namespace records {

struct SiteFile {
    std::string type;  // its Content-Type
    std::string bytes;
};

class Site {
  public:
    // Reads every regular file under `folder`. False (with `error`) when it cannot be read or
    // holds more than a page should.
    bool Load(const std::string& folder, std::string& error);

    void Add(const std::string& name, const std::string& bytes);

    // The file at `name` ("index.html", "web/page.js"), or nullptr.
    const SiteFile* Find(const std::string& name) const;

    bool Empty() const { return files_.empty(); }

  private:
    std::map<std::string, SiteFile> files_;
};

// The Content-Type of a file by the end of its name.
std::string ContentTypeOf(const std::string& name);

// The record table's own page: index.html, table.js, table.css.
const Site& TablePage();

}  // namespace records
