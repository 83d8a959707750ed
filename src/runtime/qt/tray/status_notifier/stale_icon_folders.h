// The icon theme folders that runs which ended without unwinding (killed, a lost display, a crash)
// left behind, removed when the program starts.
#pragma once

#include <QString>

namespace vorlin::qt {

// Removes every icon theme folder of the program's own name pattern directly in `base` whose lock
// no running program holds (see folder_lock.h), folders from before such locks included. A live
// run's folder, and anything in `base` not named like the program's folders or not a folder of
// the user's (symbolic links included), are left as they are.
void removeStaleIconFolders(const QString& base);

}  // namespace vorlin::qt
