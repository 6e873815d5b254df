// Program shortcuts (shell links), recorded in the install log.
#pragma once

#include <string>

void CreateShortcut(const std::string& linkFile, const std::string& target,
                    const std::string& workingFolder, const std::string& description);
