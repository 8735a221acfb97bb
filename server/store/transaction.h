#pragma once

namespace kovrel::server {

class Database;

// One transaction on the calling thread's connection, rolled back unless committed. A write
// transaction holds the write lock from its first statement (SQLite) so the checks it makes
// stay true until it commits.
class Transaction {
public:
    enum class Mode { Read, Write };

    Transaction(Database& db, Mode mode);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void Commit();

private:
    Database& m_db;
    bool m_open = false;
};

} // namespace kovrel::server
