#include "format_udisks.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QMap>
#include <QStringList>
#include <QVariantMap>

#include <atomic>
#include <chrono>
#include <climits>
#include <memory>
#include <cstdlib>
#include <thread>

using UdisksInterfaces = QMap<QString, QVariantMap>;
using UdisksObjects = QMap<QDBusObjectPath, UdisksInterfaces>;
Q_DECLARE_METATYPE(UdisksInterfaces)
Q_DECLARE_METATYPE(UdisksObjects)

namespace platform {
namespace {

const QString kService = QStringLiteral("org.freedesktop.UDisks2");
const QString kRoot = QStringLiteral("/org/freedesktop/UDisks2");
const QString kManagerPath = QStringLiteral("/org/freedesktop/UDisks2/Manager");
const QString kManager = QStringLiteral("org.freedesktop.UDisks2.Manager");
const QString kBlock = QStringLiteral("org.freedesktop.UDisks2.Block");
const QString kFilesystem = QStringLiteral("org.freedesktop.UDisks2.Filesystem");
const QString kJob = QStringLiteral("org.freedesktop.UDisks2.Job");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
const QString kObjectManager = QStringLiteral("org.freedesktop.DBus.ObjectManager");

// libdbus's "no timeout": erasing a whole card takes as long as the card needs.
constexpr int kNoTimeout = INT_MAX;
constexpr auto kJobPollInterval = std::chrono::milliseconds(100);

// One private connection per call, so that every call reads DBUS_SYSTEM_BUS_ADDRESS afresh and
// the connection belongs to no other thread.
class SystemBus {
public:
    SystemBus() : name_(QStringLiteral("tripdesk-format-%1").arg(++serial_)) {
        const char* address = std::getenv("DBUS_SYSTEM_BUS_ADDRESS");
        const QString busAddress = address != nullptr && *address != '\0'
                                       ? QString::fromUtf8(address)
                                       : QStringLiteral("unix:path=/run/dbus/system_bus_socket");
        connection_ = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(busAddress, name_));
    }
    ~SystemBus() {
        connection_.reset();
        QDBusConnection::disconnectFromBus(name_);
    }
    SystemBus(const SystemBus&) = delete;
    SystemBus& operator=(const SystemBus&) = delete;

    QDBusConnection& connection() { return *connection_; }
    bool connected() const { return connection_->isConnected(); }

    QDBusMessage call(const QString& path, const QString& interface, const QString& method,
                      const QVariantList& arguments = {}) {
        QDBusMessage message = QDBusMessage::createMethodCall(kService, path, interface, method);
        message.setArguments(arguments);
        return connection_->call(message, QDBus::Block, kNoTimeout);
    }
    QVariant property(const QString& path, const QString& interface, const QString& name) {
        const QDBusMessage reply = call(path, kProperties, QStringLiteral("Get"), {interface, name});
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return {};
        return reply.arguments().at(0).value<QDBusVariant>().variant();
    }

private:
    static inline std::atomic<int> serial_{0};
    QString name_;
    std::unique_ptr<QDBusConnection> connection_;
};

bool Succeeded(const QDBusMessage& reply) { return reply.type() == QDBusMessage::ReplyMessage; }

// "2.10.0" and later accept mkfs arguments, which alone make mkfs.fat choose FAT32 on small cards.
bool AcceptsMkfsArguments(const QString& version) {
    const QStringList parts = version.split(QLatin1Char('.'));
    const int major = parts.value(0).toInt();
    const int minor = parts.value(1).toInt();
    return major > 2 || (major == 2 && minor >= 10);
}

QString ResolveDevice(SystemBus& bus, const std::string& deviceNode) {
    const QVariantMap spec{{QStringLiteral("path"), QString::fromStdString(deviceNode)}};
    const QDBusMessage reply = bus.call(kManagerPath, kManager, QStringLiteral("ResolveDevice"), {spec, QVariantMap{}});
    if (!Succeeded(reply) || reply.arguments().isEmpty()) return {};
    const auto objects = qdbus_cast<QList<QDBusObjectPath>>(reply.arguments().at(0));
    return objects.isEmpty() ? QString() : objects.first().path();
}

// The progress of a job on this block object while its progress is valid, -1 when none is.
double JobProgress(SystemBus& bus, const QString& block) {
    const QDBusMessage reply = bus.call(kRoot, kObjectManager, QStringLiteral("GetManagedObjects"));
    if (!Succeeded(reply) || reply.arguments().isEmpty()) return -1;
    const auto objects = qdbus_cast<UdisksObjects>(reply.arguments().at(0));
    for (const UdisksInterfaces& interfaces : objects) {
        const auto job = interfaces.find(kJob);
        if (job == interfaces.end() || !job->value(QStringLiteral("ProgressValid")).toBool()) continue;
        const auto on = qdbus_cast<QList<QDBusObjectPath>>(job->value(QStringLiteral("Objects")));
        if (on.contains(QDBusObjectPath(block))) return job->value(QStringLiteral("Progress")).toDouble();
    }
    return -1;
}

bool FormatBlock(SystemBus& bus, const QString& block, const std::string& label, bool mkfsArguments,
                 FormatReport& report) {
    QVariantMap options{{QStringLiteral("label"), QString::fromStdString(label)},
                        {QStringLiteral("erase"), QStringLiteral("zero")}};
    if (mkfsArguments) options.insert(QStringLiteral("mkfs-args"), QStringList{QStringLiteral("-F"), QStringLiteral("32")});
    QDBusMessage message = QDBusMessage::createMethodCall(kService, block, kBlock, QStringLiteral("Format"));
    message.setArguments({QStringLiteral("vfat"), options});
    QDBusPendingCall pending = bus.connection().asyncCall(message, kNoTimeout);
    constexpr std::uint64_t kWhole = 1000000;
    while (!pending.isFinished()) {
        std::this_thread::sleep_for(kJobPollInterval);
        const double progress = JobProgress(bus, block);
        if (progress >= 0) report.progress(static_cast<std::uint64_t>(progress * kWhole), kWhole);
    }
    return !pending.isError();
}

} // namespace

bool UdisksReachable() {
    SystemBus bus;
    if (!bus.connected()) return false;
    QDBusConnectionInterface* daemon = bus.connection().interface();
    if (daemon == nullptr) return false;
    if (daemon->isServiceRegistered(kService).value()) return true;
    return daemon->activatableServiceNames().value().contains(kService);
}

bool FormatThroughUdisks(const std::string& deviceNode, const std::string& label, FormatReport& report) {
    qDBusRegisterMetaType<UdisksInterfaces>();
    qDBusRegisterMetaType<UdisksObjects>();
    SystemBus bus;
    if (!bus.connected()) return false;
    const bool mkfsArguments = AcceptsMkfsArguments(bus.property(kManagerPath, kManager, QStringLiteral("Version")).toString());
    const QString block = ResolveDevice(bus, deviceNode);
    if (block.isEmpty() || !report.goOn()) return false;
    if (!Succeeded(bus.call(block, kFilesystem, QStringLiteral("Unmount"), {QVariantMap{}}))) return false;
    const bool formatted = FormatBlock(bus, block, label, mkfsArguments, report);
    if (formatted) report.made();
    const bool readsBack = formatted &&
                           bus.property(block, kBlock, QStringLiteral("IdType")).toString() == QStringLiteral("vfat") &&
                           bus.property(block, kBlock, QStringLiteral("IdVersion")).toString() == QStringLiteral("FAT32") &&
                           bus.property(block, kBlock, QStringLiteral("IdLabel")).toString() == QString::fromStdString(label);
    // The card comes back whatever the format did; the result is the file system made.
    bus.call(block, kFilesystem, QStringLiteral("Mount"), {QVariantMap{}});
    return readsBack;
}

} // namespace platform
