// The web player's own operations, beside those of platform.h. Only the web
// window (window_web.cpp) provides them.
#pragma once

#include <string>

// Makes the folder (created when missing) the one whose files are kept in the
// browser's storage for the site, and brings back what was kept there. From
// then on every file written in it as the program keeps files
// (finishReplacing) is in the storage before it is reported written. False when the browser keeps
// nothing (its storage refused): the folder then lives in memory only.
bool keepFolderInSiteStorage(const std::u16string& folder);
