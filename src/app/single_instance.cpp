#include "app/single_instance.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace kz7 {

QString SingleInstance::DefaultFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    return folder;
}

SingleInstance::SingleInstance(const QString& folder)
    : path_(QDir(folder.isEmpty() ? DefaultFolder() : folder).filePath(kSingleInstanceName)) {}

bool SingleInstance::Acquire() {
    QDir().mkpath(QFileInfo(path_).absolutePath());
    lock_ = std::make_unique<QLockFile>(path_);
    // A running first copy may hold the lock for days: never call it stale
    // by age, only when its process has ended.
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0)) return true;
    lock_.reset();
    return false;
}

}  // namespace kz7
