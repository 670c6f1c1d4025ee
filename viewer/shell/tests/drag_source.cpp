// A small window that drags the files named on its command line, for the drop test under a real
// X server: when the left button moves on it, a QDrag carries their URLs through Qt's drag
// manager to whatever window lies under the pointer when the button comes up.
// Exit code 0: a window took the drop as a copy; 1: it was refused or cancelled; 2: no files.

#include <QApplication>
#include <QDrag>
#include <QFileInfo>
#include <QMimeData>
#include <QMouseEvent>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace {

constexpr int kAnswerMilliseconds = 3000;

class DragSource : public QWidget {
public:
    explicit DragSource(QList<QUrl> urls) : urls_(std::move(urls)) {
        setWindowTitle("drag source");
        setGeometry(20, 20, 100, 100);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override { pressed_ = event->button() == Qt::LeftButton; }

    void mouseMoveEvent(QMouseEvent*) override {
        if (!pressed_ || dragging_) return;
        dragging_ = true;
        auto* drag = new QDrag(this);
        auto* data = new QMimeData;
        data->setUrls(urls_);
        drag->setMimeData(data);
        const Qt::DropAction result = drag->exec(Qt::CopyAction);
        // The drag ends when the drop is sent; the target asks for the files after that, so the
        // program stays a moment to answer.
        QTimer::singleShot(kAnswerMilliseconds, [result] { QCoreApplication::exit(result == Qt::CopyAction ? 0 : 1); });
    }

private:
    QList<QUrl> urls_;
    bool pressed_ = false;
    bool dragging_ = false;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QList<QUrl> urls;
    for (int i = 1; i < argc; ++i) urls << QUrl::fromLocalFile(QFileInfo(QString::fromLocal8Bit(argv[i])).absoluteFilePath());
    if (urls.isEmpty()) return 2;
    DragSource source(urls);
    source.show();
    return app.exec();
}
