// The installer utilities: paths and folders, disk and file queries, the
// install log, shortcuts, sizes and text.
#pragma once

#include "instutils/DateTime.h"
#include "instutils/DiskQueries.h"
#include "instutils/InstallLog.h"
#include "instutils/Paths.h"
#include "instutils/Shortcut.h"
#include "instutils/TextUtils.h"
#include "platform/Constants.h"
