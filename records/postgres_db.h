// The database for servers that share one: PostgreSQL, reached through libpq.
#pragma once

#include <memory>
#include <string>

#include "records/db.h"

namespace records {

// Connects to the PostgreSQL database a "postgresql://" URI names. Throws DbUnavailable.
std::unique_ptr<Db> OpenPostgres(const std::string& uri);

}  // namespace records
