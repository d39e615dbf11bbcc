// The database the server embeds: a SQLite file.
#pragma once

#include <memory>
#include <string>

#include "records/db.h"

namespace records {

// Opens (and makes, when missing) the SQLite file at `path`. Throws DbUnavailable.
std::unique_ptr<Db> OpenSqlite(const std::string& path);

}  // namespace records
