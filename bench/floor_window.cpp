// The floor the whole-program benchmark holds Kaleidra against: the least a
// Qt Widgets program does at 50 Hz. A maximised window that repaints one
// 16 x 16 square every 20 ms, alternating its colour.

#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>

namespace {

class FloorWindow final : public QWidget {
public:
    FloorWindow() {
        setWindowTitle(QStringLiteral("Floor"));
        setAttribute(Qt::WA_OpaquePaintEvent);
        timer_.setTimerType(Qt::PreciseTimer);
        connect(&timer_, &QTimer::timeout, this, [this] {
            ++ticks_;
            update(Square());
        });
        timer_.start(20);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(Square(), ticks_ % 2 ? Qt::red : Qt::cyan);
    }

private:
    QRect Square() const { return QRect(width() / 2, height() / 2, 16, 16); }

    QTimer timer_;
    long ticks_ = 0;
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    FloorWindow window;
    window.showMaximized();
    return QApplication::exec();
}
