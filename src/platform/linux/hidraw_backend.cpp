#include "platform/linux/hidraw_backend.h"

#include <fcntl.h>
#include <libudev.h>
#include <linux/hidraw.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <mutex>
#include <set>
#include <thread>

#include "device/device_link.h"
#include "platform/linux/report_descriptor.h"

namespace kz7::linux_platform {

namespace {

std::string ErrnoText(int code) { return std::strerror(code); }

std::vector<std::uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The hid device a hidraw node belongs to, and its identity.
struct HidParent {
    std::string syspath;
    HidId id;
};

std::optional<HidParent> ParentOf(udev_device* hidraw) {
    udev_device* parent = udev_device_get_parent_with_subsystem_devtype(hidraw, "hid", nullptr);
    if (!parent) return std::nullopt;
    const char* hidId = udev_device_get_property_value(parent, "HID_ID");
    const char* syspath = udev_device_get_syspath(parent);
    if (!hidId || !syspath) return std::nullopt;
    auto id = ParseHidId(hidId);
    if (!id) return std::nullopt;
    return HidParent{syspath, *id};
}

bool IsMouse(const HidId& id) { return id.vendorId == kMouseVendorId && id.productId == kMouseProductId; }

// The descriptor as sysfs shows it to everybody, so listing needs no access to the node.
std::optional<ReportDescriptorInfo> DescriptorOfNode(const std::string& devnode) {
    const auto slash = devnode.rfind('/');
    const std::string name = slash == std::string::npos ? devnode : devnode.substr(slash + 1);
    const auto bytes = ReadFileBytes("/sys/class/hidraw/" + name + "/device/report_descriptor");
    if (bytes.empty()) return std::nullopt;
    return ParseReportDescriptor(bytes);
}

class UdevContext {
public:
    UdevContext() : udev_(udev_new()) {}
    ~UdevContext() {
        if (udev_) udev_unref(udev_);
    }
    UdevContext(const UdevContext&) = delete;
    UdevContext& operator=(const UdevContext&) = delete;
    udev* get() const { return udev_; }

private:
    udev* udev_;
};

// Every hidraw node of the system: devnode and the udev device (caller unrefs).
template <typename Visit>
void ForEachHidrawNode(udev* context, Visit visit) {
    udev_enumerate* enumerate = udev_enumerate_new(context);
    if (!enumerate) return;
    udev_enumerate_add_match_subsystem(enumerate, "hidraw");
    udev_enumerate_scan_devices(enumerate);
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate)) {
        udev_device* device = udev_device_new_from_syspath(context, udev_list_entry_get_name(entry));
        if (!device) continue;
        if (const char* devnode = udev_device_get_devnode(device)) visit(std::string(devnode), device);
        udev_device_unref(device);
    }
    udev_enumerate_unref(enumerate);
}

class HidrawHandle : public HidHandle {
public:
    HidrawHandle(int fd, int wakeFd, bool numbered) : fd_(fd), wakeFd_(wakeFd), numbered_(numbered) {}
    ~HidrawHandle() override {
        ::close(fd_);
        ::close(wakeFd_);
    }

    bool SetFeature(std::span<const std::uint8_t> report) override {
        if (report.empty()) return false;
        std::vector<std::uint8_t> buffer(report.begin(), report.end());
        return ::ioctl(fd_, HIDIOCSFEATURE(buffer.size()), buffer.data()) >= 0;
    }

    bool GetFeature(std::span<std::uint8_t> report) override {
        if (report.empty()) return false;
        // Byte 0 names the report to fetch; the answer comes back after it.
        return ::ioctl(fd_, HIDIOCGFEATURE(report.size()), report.data()) >= 0;
    }

    bool WriteOutput(std::span<const std::uint8_t> report) override {
        if (report.empty()) return false;
        const ssize_t written = ::write(fd_, report.data(), report.size());
        return written == static_cast<ssize_t>(report.size());
    }

    ReadResult ReadInput(std::span<std::uint8_t> report, int timeoutMs) override {
        ReadResult result;
        for (;;) {
            pollfd fds[2] = {{fd_, POLLIN, 0}, {wakeFd_, POLLIN, 0}};
            const int ready = ::poll(fds, 2, timeoutMs < 0 ? -1 : timeoutMs);
            if (ready < 0) {
                if (errno == EINTR) continue;
                return result;  // Error
            }
            if (ready == 0) {
                result.status = IoStatus::Timeout;
                return result;
            }
            if (fds[1].revents & POLLIN) {
                std::uint64_t count = 0;
                [[maybe_unused]] const ssize_t n = ::read(wakeFd_, &count, sizeof count);
                result.status = IoStatus::Woken;
                return result;
            }
            if (fds[0].revents & (POLLERR | POLLHUP | POLLNVAL)) return result;  // the node is gone
            if (!(fds[0].revents & POLLIN)) continue;
            // Unnumbered reports arrive without their ID: put the 0 in front.
            const std::size_t offset = numbered_ ? 0 : 1;
            if (report.size() <= offset) return result;
            std::fill(report.begin(), report.end(), std::uint8_t{0});
            const ssize_t n = ::read(fd_, report.data() + offset, report.size() - offset);
            if (n < 0) {
                if (errno == EAGAIN || errno == EINTR) continue;
                return result;
            }
            if (n == 0) return result;
            result.status = IoStatus::Ok;
            result.length = static_cast<std::size_t>(n) + offset;
            return result;
        }
    }

    void Wake() override {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t n = ::write(wakeFd_, &one, sizeof one);
    }

private:
    int fd_;
    int wakeFd_;
    bool numbered_;
};

}  // namespace

std::vector<HidInterfaceInfo> HidrawBackend::Enumerate() {
    std::vector<HidInterfaceInfo> interfaces;
    UdevContext context;
    if (!context.get()) return interfaces;
    ForEachHidrawNode(context.get(), [&](const std::string& devnode, udev_device* device) {
        const auto parent = ParentOf(device);
        if (!parent) return;
        const auto descriptor = ParseReportDescriptor(ReadFileBytes(parent->syspath + "/report_descriptor"));
        if (!descriptor) return;
        for (const TopLevelCollection& collection : descriptor->collections) {
            interfaces.push_back({devnode, parent->id.vendorId, parent->id.productId, collection.usagePage,
                                  collection.usage, collection.featureReportLength,
                                  collection.inputReportLength, collection.outputReportLength});
        }
    });
    return interfaces;
}

HidOpenResult HidrawBackend::Open(const std::string& path, HidAccess access) {
    HidOpenResult result;
    const int flags = (access == HidAccess::ReadWrite ? O_RDWR : O_RDONLY) | O_NONBLOCK | O_CLOEXEC;
    const int fd = ::open(path.c_str(), flags);
    if (fd < 0) {
        // The front ends add the udev rule to the reason when they word it.
        result.error = ErrnoText(errno);
        return result;
    }
    const int wakeFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wakeFd < 0) {
        result.error = ErrnoText(errno);
        ::close(fd);
        return result;
    }
    const auto descriptor = DescriptorOfNode(path);
    const bool numbered = descriptor && descriptor->usesReportIds;
    result.handle = std::make_unique<HidrawHandle>(fd, wakeFd, numbered);
    return result;
}

struct UdevDeviceWatcher::Impl {
    udev* context = nullptr;
    udev_monitor* monitor = nullptr;
    int stopFd = -1;
    std::thread thread;
    Callback callback;
    std::set<std::string> mouseNodes;  // removals can no longer be asked who they were

    void Run() {
        const int monitorFd = udev_monitor_get_fd(monitor);
        for (;;) {
            pollfd fds[2] = {{monitorFd, POLLIN, 0}, {stopFd, POLLIN, 0}};
            if (::poll(fds, 2, -1) < 0) {
                if (errno == EINTR) continue;
                return;
            }
            if (fds[1].revents & POLLIN) return;
            if (!(fds[0].revents & POLLIN)) continue;
            udev_device* device = udev_monitor_receive_device(monitor);
            if (!device) continue;
            const char* action = udev_device_get_action(device);
            const char* devnode = udev_device_get_devnode(device);
            if (action && devnode) {
                const std::string node = devnode;
                if (std::strcmp(action, "add") == 0) {
                    const auto parent = ParentOf(device);
                    if (parent && IsMouse(parent->id)) {
                        mouseNodes.insert(node);
                        callback(DeviceChange{DeviceChangeKind::Arrival, node});
                    }
                } else if (std::strcmp(action, "remove") == 0 && mouseNodes.erase(node)) {
                    callback(DeviceChange{DeviceChangeKind::Removal, node});
                }
            }
            udev_device_unref(device);
        }
    }

    void Release() {
        if (monitor) udev_monitor_unref(monitor);
        if (context) udev_unref(context);
        if (stopFd >= 0) ::close(stopFd);
        monitor = nullptr;
        context = nullptr;
        stopFd = -1;
    }
};

UdevDeviceWatcher::UdevDeviceWatcher() : impl_(std::make_unique<Impl>()) {}

UdevDeviceWatcher::~UdevDeviceWatcher() { Stop(); }

bool UdevDeviceWatcher::Start(Callback callback, std::string* error) {
    Stop();
    Impl& impl = *impl_;
    auto fail = [&](const std::string& why) {
        if (error) *error = why;
        impl.Release();
        return false;
    };
    impl.context = udev_new();
    if (!impl.context) return fail("cannot create a udev context");
    impl.monitor = udev_monitor_new_from_netlink(impl.context, "udev");
    if (!impl.monitor) return fail("cannot watch udev events");
    if (udev_monitor_filter_add_match_subsystem_devtype(impl.monitor, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(impl.monitor) < 0) {
        return fail("cannot watch udev events for hidraw");
    }
    impl.stopFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (impl.stopFd < 0) return fail("eventfd: " + ErrnoText(errno));
    impl.mouseNodes.clear();
    ForEachHidrawNode(impl.context, [&](const std::string& devnode, udev_device* device) {
        const auto parent = ParentOf(device);
        if (parent && IsMouse(parent->id)) impl.mouseNodes.insert(devnode);
    });
    impl.callback = std::move(callback);
    impl.thread = std::thread([&impl] { impl.Run(); });
    return true;
}

void UdevDeviceWatcher::Stop() {
    Impl& impl = *impl_;
    if (impl.thread.joinable()) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t n = ::write(impl.stopFd, &one, sizeof one);
        impl.thread.join();
    }
    impl.Release();
}

}  // namespace kz7::linux_platform
