// A stand-in for the UDisks2 daemon on a private bus, for the format service's tests. It knows one
// block device (an image file given by --device), records every call it serves to --log, writes
// zeros over the image as the "zero" erase with job progress, and makes the file system with
// mkfs.fat the way the daemon runs it. --version sets Manager.Version; --refuse-unmount makes
// Filesystem.Unmount fail as for a busy card. It prints "ready" once it owns its name.
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QFile>
#include <QProcess>
#include <QTimer>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

using Interfaces = QMap<QString, QVariantMap>;
using Objects = QMap<QDBusObjectPath, Interfaces>;
Q_DECLARE_METATYPE(Interfaces)
Q_DECLARE_METATYPE(Objects)

namespace {

const QString kBlockPath = QStringLiteral("/org/freedesktop/UDisks2/block_devices/card");
const QString kJobPath = QStringLiteral("/org/freedesktop/UDisks2/jobs/1");
constexpr int kEraseSteps = 8;
constexpr int kStepMilliseconds = 150;

struct Options {
    QString device;
    QString version;
    QString log;
    bool refuseUnmount = false;
};

class StandIn : public QDBusVirtualObject {
public:
    StandIn(Options options, QDBusConnection bus) : options_(std::move(options)), bus_(std::move(bus)) {}

    QString introspect(const QString&) const override { return {}; }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection&) override {
        const QString member = message.member();
        const QString interface = message.interface();
        const QVariantList arguments = message.arguments();
        if (member == QLatin1String("Get") && arguments.size() == 2) return get(message, arguments[1].toString());
        if (member == QLatin1String("GetManagedObjects")) return reply(message, {QVariant::fromValue(managedObjects())});
        if (member == QLatin1String("ResolveDevice")) return resolve(message);
        if (message.path() != kBlockPath) return fail(message, QStringLiteral("no such object"));
        if (member == QLatin1String("Unmount")) {
            record(QStringLiteral("Unmount"));
            if (options_.refuseUnmount) return fail(message, QStringLiteral("target is busy"));
            return reply(message, {});
        }
        if (member == QLatin1String("Mount")) {
            record(QStringLiteral("Mount"));
            return reply(message, {QStringLiteral("/media/standin/card")});
        }
        if (member == QLatin1String("Format") && interface.endsWith(QLatin1String("Block"))) return format(message);
        return fail(message, QStringLiteral("not served: ") + member);
    }

private:
    void record(const QString& line) {
        QFile log(options_.log);
        if (log.open(QIODevice::Append)) log.write((line + QLatin1Char('\n')).toUtf8());
    }

    bool reply(const QDBusMessage& message, const QVariantList& arguments) {
        bus_.send(message.createReply(arguments));
        return true;
    }
    bool fail(const QDBusMessage& message, const QString& text) {
        bus_.send(message.createErrorReply(QStringLiteral("org.freedesktop.UDisks2.Error.Failed"), text));
        return true;
    }

    bool get(const QDBusMessage& message, const QString& name) {
        if (name == QLatin1String("Version")) return reply(message, {QVariant::fromValue(QDBusVariant(options_.version))});
        const QString key = name == QLatin1String("IdType")      ? QStringLiteral("TYPE")
                            : name == QLatin1String("IdVersion") ? QStringLiteral("VERSION")
                                                                 : QStringLiteral("LABEL");
        return reply(message, {QVariant::fromValue(QDBusVariant(probe(key)))});
    }

    // What the daemon learns from udev's blkid probe.
    QString probe(const QString& key) const {
        QProcess blkid;
        blkid.start(QStringLiteral("blkid"), {QStringLiteral("-p"), QStringLiteral("-o"), QStringLiteral("export"), options_.device});
        blkid.waitForFinished();
        for (const QString& line : QString::fromUtf8(blkid.readAllStandardOutput()).split(QLatin1Char('\n'))) {
            if (line.startsWith(key + QLatin1Char('='))) return line.mid(key.size() + 1);
        }
        return {};
    }

    bool resolve(const QDBusMessage& message) {
        const QVariantMap spec = qdbus_cast<QVariantMap>(message.arguments().value(0));
        const QString path = spec.value(QStringLiteral("path")).toString();
        record(QStringLiteral("ResolveDevice ") + path);
        QList<QDBusObjectPath> found;
        if (path == options_.device) found.append(QDBusObjectPath(kBlockPath));
        return reply(message, {QVariant::fromValue(found)});
    }

    Objects managedObjects() const {
        Objects objects;
        if (!jobOperation_.isEmpty()) {
            const QVariantMap job{{QStringLiteral("Operation"), jobOperation_},
                                  {QStringLiteral("Progress"), jobProgress_},
                                  {QStringLiteral("ProgressValid"), jobProgressValid_},
                                  {QStringLiteral("Objects"), QVariant::fromValue(QList<QDBusObjectPath>{QDBusObjectPath(kBlockPath)})}};
            objects.insert(QDBusObjectPath(kJobPath), Interfaces{{QStringLiteral("org.freedesktop.UDisks2.Job"), job}});
        }
        objects.insert(QDBusObjectPath(kBlockPath), Interfaces{{QStringLiteral("org.freedesktop.UDisks2.Block"), QVariantMap{}}});
        return objects;
    }

    bool format(const QDBusMessage& message) {
        const QString type = message.arguments().value(0).toString();
        const QVariantMap options = qdbus_cast<QVariantMap>(message.arguments().value(1));
        const QStringList mkfsArguments = qdbus_cast<QStringList>(options.value(QStringLiteral("mkfs-args")));
        const QString label = options.value(QStringLiteral("label")).toString();
        record(QStringLiteral("Format %1 label=%2 erase=%3 mkfs-args=%4")
                   .arg(type, label, options.value(QStringLiteral("erase")).toString(), mkfsArguments.join(QLatin1Char(' '))));
        pending_ = message;
        jobOperation_ = QStringLiteral("format-erase");
        jobProgressValid_ = true;
        jobProgress_ = 0.0;
        eraseStep(0, label, mkfsArguments);
        return true;
    }

    // One part of the image per step; holes read as zeros, so a large sparse card costs no space.
    void eraseStep(int step, const QString& label, const QStringList& mkfsArguments) {
        if (step == kEraseSteps) {
            jobOperation_ = QStringLiteral("format-mkfs");
            jobProgressValid_ = false;
            jobProgress_ = 0.95;   // not valid: never to be shown
            QTimer::singleShot(3 * kStepMilliseconds, [this, label, mkfsArguments] { makeFileSystem(label, mkfsArguments); });
            return;
        }
        const int fd = ::open(options_.device.toLocal8Bit().constData(), O_RDWR);
        const off_t size = fd >= 0 ? ::lseek(fd, 0, SEEK_END) : 0;
        const off_t begin = size * step / kEraseSteps;
        const off_t end = size * (step + 1) / kEraseSteps;
        if (fd >= 0 && ::fallocate(fd, FALLOC_FL_PUNCH_HOLE | FALLOC_FL_KEEP_SIZE, begin, end - begin) != 0) {
            const std::vector<char> zeros(static_cast<std::size_t>(end - begin), 0);
            if (::pwrite(fd, zeros.data(), zeros.size(), begin) < 0) std::perror("erase");
        }
        if (fd >= 0) ::close(fd);
        jobProgress_ = double(step + 1) / kEraseSteps;
        record(QStringLiteral("Progress %1").arg(jobProgress_, 0, 'f', 3));
        QTimer::singleShot(kStepMilliseconds, [this, step, label, mkfsArguments] { eraseStep(step + 1, label, mkfsArguments); });
    }

    void makeFileSystem(const QString& label, const QStringList& mkfsArguments) {
        const QStringList arguments = QStringList{QStringLiteral("-I"), QStringLiteral("-n"), label} + mkfsArguments +
                                      QStringList{options_.device};
        const int status = QProcess::execute(QStringLiteral("mkfs.fat"), arguments);
        jobOperation_.clear();
        if (status == 0) reply(pending_, {});
        else fail(pending_, QStringLiteral("mkfs.fat failed"));
    }

    Options options_;
    QDBusConnection bus_;
    QDBusMessage pending_;
    QString jobOperation_;
    double jobProgress_ = 0;
    bool jobProgressValid_ = false;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    qDBusRegisterMetaType<Interfaces>();
    qDBusRegisterMetaType<Objects>();
    Options options;
    const QStringList arguments = app.arguments();
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--refuse-unmount")) options.refuseUnmount = true;
        else if (i + 1 < arguments.size() && argument == QLatin1String("--device")) options.device = arguments[++i];
        else if (i + 1 < arguments.size() && argument == QLatin1String("--version")) options.version = arguments[++i];
        else if (i + 1 < arguments.size() && argument == QLatin1String("--log")) options.log = arguments[++i];
    }
    QDBusConnection bus = QDBusConnection::connectToBus(QString::fromLocal8Bit(std::getenv("DBUS_SYSTEM_BUS_ADDRESS")),
                                                        QStringLiteral("standin"));
    StandIn standIn(options, bus);
    if (!bus.registerVirtualObject(QStringLiteral("/org/freedesktop/UDisks2"), &standIn,
                                   QDBusConnection::SubPath) ||
        !bus.registerService(QStringLiteral("org.freedesktop.UDisks2"))) {
        std::fprintf(stderr, "udisks_standin: %s\n", qPrintable(bus.lastError().message()));
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    return app.exec();
}
