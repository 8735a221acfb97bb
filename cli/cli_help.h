#pragma once

#include <QString>

// The text of kovrel-cli --help: usage, credentials, output, and every operation with its
// parameters, generated from the operation and report tables.
QString HelpText();
