#pragma once
// Screenshot mode: waits for the editor's main window to be shown and fully
// painted, saves its client area as a PNG, then closes it as the user would.

#include <QObject>
#include <QString>

class QTimer;
class QWidget;

class ScreenshotTaker : public QObject {
    Q_OBJECT
public:
    // `windowName` is the object name of the window to capture.
    ScreenshotTaker(QString path, QString windowName, QObject* parent = nullptr);

    // Whether a picture was written.
    bool Saved() const { return saved_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Poll();
    bool IsReady(QWidget* window) const;
    void Capture(QWidget* window);

    QString path_;
    QString windowName_;
    QTimer* timer_;
    int polls_ = 0;
    int readyPolls_ = 0;
    bool saved_ = false;
};
