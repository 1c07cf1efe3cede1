#pragma once
// The one resolver from a file name as the program spells it
// ("update\Code1.txt", "code.txt", "C:\temp\RU.txt") to a path of the file system.
#include <QString>

namespace kv::fileNames {

// "\" separates folders; a relative name is taken against the current folder;
// "C:\" is the drive root below. On a case-sensitive file system a component
// whose exact spelling does not exist is matched without regard to ASCII case
// (the first such entry in byte order); a missing one keeps the given spelling.
QString resolve(const QString &name);

// The folder that stands for the drive root "C:\". Defaults to the per-user
// folder kvarnis/drive_c under the generic data location.
QString driveRoot();
void setDriveRoot(const QString &folder);

} // namespace kv::fileNames
