#pragma once

namespace kovrel::server {

struct ServerOptions;

// The operator's tools of the command line, for the task the options name (--backup, --restore,
// --restore --verify-only, --unlock): each does its work on the database (and mail) of the
// options and returns the exit code, 0 when done, with what it did on stdout; otherwise 1 with
// one line on stderr saying why.
int RunServerTool(const ServerOptions& options);

} // namespace kovrel::server
