#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace kz7 {

inline constexpr const char* kSingleInstanceName = "VEXORMutex";

// The lock that keeps a second copy from starting. It lives in the user's
// runtime folder, so each user session has its own; a lock left behind by a
// copy that crashed is taken over (the process that owned it is gone).
class SingleInstance {
public:
    // folder: where the lock lives; empty means the runtime folder.
    explicit SingleInstance(const QString& folder = {});
    // True when this process now holds the lock; false when another copy does.
    bool Acquire();
    QString LockPath() const { return path_; }

    static QString DefaultFolder();

private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace kz7
