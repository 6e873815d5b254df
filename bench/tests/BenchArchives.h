// Small generated archives for the bench tests, written once per test run.
#pragma once

#include <string>

// The file of a generated archive of entryCount entries (built on first use).
const std::string& ScaleArchiveFile(int entryCount);
